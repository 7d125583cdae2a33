// The import wizard on the demo environment: the track-file run with scripted duplicate
// answers, its abort paths, the GPX run with its warnings and errors, the page table and the
// temporary folder.
#include "exchange/FrmImport.h"

#include "DataSelectFixture.h"
#include "ImportFixture.h"
#include "base/files/KvFiles.h"
#include "exchange/FraDataSelectOther.h"
#include "exchange/FraImportFile.h"
#include "exchange/FraImportFiles.h"
#include "exchange/FraImportType.h"
#include "exchange/FrmMsgDuplicate.h"
#include "tests/shell/ShellTestSupport.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>
#include <memory>

namespace {

using importtest::ImportFixture;

struct TDuplicateAnswer {
    int Action;  // 0 keep, 1 overwrite, 2 rename; -1 cancel
    bool ApplyAll = false;
};

class ImportWizard : public ImportFixture {
protected:
    void SetUp() override {
        ImportFixture::SetUp();
        if (HasFatalFailure()) return;
        FOldDuplicate = TFormMsgDuplicate::SetPrompter([this](TFormMsgDuplicate &form) {
            Asked.push_back(form.Kind());
            AskedTexts << form.LabelExistingLine01->text();
            const TDuplicateAnswer answer = DuplicateAnswers.empty() ? TDuplicateAnswer{-1} : DuplicateAnswers.front();
            if (!DuplicateAnswers.empty()) DuplicateAnswers.pop_front();
            if (answer.Action < 0) return int(QDialog::Rejected);
            QRadioButton *const buttons[] = {form.RadioButtonActionKeep, form.RadioButtonActionOverwrite,
                                             form.RadioButtonActionDuplicate};
            buttons[answer.Action]->setChecked(true);
            form.CheckBoxAction->setChecked(answer.ApplyAll);
            return int(QDialog::Accepted);
        });
        Wizard = std::make_unique<TFormImport>(*Env);
        Wizard->resize(700, 500);
        Wizard->show();
    }
    void TearDown() override {
        Wizard.reset();
        TFormMsgDuplicate::SetPrompter(std::move(FOldDuplicate));
        ImportFixture::TearDown();
    }

    // From the type page through the file list page with these files; Next imports.
    void ImportTracks(const QStringList &files) {
        ASSERT_EQ(Wizard->CurrentPage(), ImportPage::Type);
        Wizard->FrameImportType->RadioButtonTracks->setChecked(true);
        Wizard->ButtonNext->click();
        ASSERT_EQ(Wizard->CurrentPage(), ImportPage::Files);
        EXPECT_EQ(Wizard->ButtonNext->text(), QStringLiteral("Import"));
        Wizard->FrameImportFiles->Files = files;
        Wizard->ButtonNext->click();
    }
    // From the type page through the GPX file page with this document.
    void ReadGPX(const QByteArray &document, const char *name = "walk.gpx") {
        const QString file = Source + QLatin1String(name);
        WriteBytes(file, document);
        Wizard->FrameImportType->RadioButtonGPX->setChecked(true);
        Wizard->ButtonNext->click();
        ASSERT_EQ(Wizard->CurrentPage(), ImportPage::File);
        Chosen = {file};
        Wizard->FrameImportFile->ButtonBrowse->click();
        Wizard->ButtonNext->click();
    }
    QStringList Tracks() const { return QDir(Env->TracksFolder).entryList(QDir::Files, QDir::Name); }
    QByteArray Bytes(const QString &file) const {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    std::unique_ptr<TFormImport> Wizard;
    std::deque<TDuplicateAnswer> DuplicateAnswers;
    std::vector<TDuplicateKind> Asked;
    QStringList AskedTexts;

private:
    TFormMsgDuplicate::TPrompter FOldDuplicate;
};

const QString Completed = QStringLiteral("Import completed.\n\r\n %1 track files imported.");

TEST_F(ImportWizard, RenameCopiesTheDuplicateUnderAUniqueName) {
    const QString a = WriteTrack(Source + QStringLiteral("a.trk"), QStringLiteral("A"));
    const QString b = WriteTrack(Source + QStringLiteral("b.trk"), QStringLiteral("B"));
    const QString c = WriteTrack(Source + QStringLiteral("c.trk"), QStringLiteral("C"));
    WriteTrack(Env->TracksFolder + QStringLiteral("b.trk"), QStringLiteral("Old B"), 3, 44000.0);
    DuplicateAnswers = {{2}};
    ImportTracks({a, b, c});
    ASSERT_EQ(Asked.size(), 1u);
    EXPECT_EQ(Asked[0], dkTrack);
    EXPECT_EQ(Texts(), QStringList{Completed.arg(3)});
    EXPECT_EQ(Wizard->result(), int(QDialog::Accepted));
    const QStringList tracks = Tracks();
    ASSERT_EQ(tracks.size(), 4) << tracks.join(u' ').toStdString();
    for (const QString &t : tracks) EXPECT_TRUE(t.endsWith(QStringLiteral(".trk"))) << t.toStdString();
    TTrackFileInfo info;
    int32_t err = 0;
    NavTrackGetFileInfo(Env->TracksFolder + QStringLiteral("b.trk"), info, err);
    EXPECT_EQ(info.Name, QStringLiteral("Old B"));
    // The sources stay where they were.
    EXPECT_TRUE(QFile::exists(b));
}

TEST_F(ImportWizard, KeepCopiesNothingForThatFileAndApplyToAllOverwritesWithoutAsking) {
    const QString a = WriteTrack(Source + QStringLiteral("a.trk"), QStringLiteral("A"));
    const QString b = WriteTrack(Source + QStringLiteral("b.trk"), QStringLiteral("B"));
    const QString c = WriteTrack(Source + QStringLiteral("c.trk"), QStringLiteral("C"));
    const QString oldB = WriteTrack(Env->TracksFolder + QStringLiteral("b.trk"), QStringLiteral("Old B"), 3);
    const QByteArray before = Bytes(oldB);
    DuplicateAnswers = {{0}};
    ImportTracks({a, b, c});
    EXPECT_EQ(Texts(), QStringList{Completed.arg(2)});
    EXPECT_EQ(Bytes(oldB), before);
    // A second wizard: both a and b exist now; overwrite for all asks once.
    Wizard = std::make_unique<TFormImport>(*Env);
    Shown.clear();
    Asked.clear();
    WriteTrack(Env->TracksFolder + QStringLiteral("c.trk"), QStringLiteral("Old C"), 5);
    DuplicateAnswers = {{1, true}};
    ImportTracks({a, b, c});
    EXPECT_EQ(Asked.size(), 1u);
    EXPECT_EQ(Texts(), QStringList{Completed.arg(3)});
    for (const QString &name : {QStringLiteral("a.trk"), QStringLiteral("b.trk"), QStringLiteral("c.trk")})
        EXPECT_EQ(Bytes(Env->TracksFolder + name), Bytes(Source + name)) << name.toStdString();
    EXPECT_EQ(Tracks().size(), 3);  // no temporary copies left
}

TEST_F(ImportWizard, CancelledQuestionAbortsWithoutReportLinesAndKeepsEarlierCopies) {
    const QString a = WriteTrack(Source + QStringLiteral("a.trk"), QStringLiteral("A"));
    const QString b = WriteTrack(Source + QStringLiteral("b.trk"), QStringLiteral("B"));
    WriteTrack(Env->TracksFolder + QStringLiteral("b.trk"), QStringLiteral("Old B"));
    DuplicateAnswers = {{-1}};
    ImportTracks({a, b});
    EXPECT_EQ(Texts(), QStringList{QStringLiteral("Import aborted.\n")});
    EXPECT_EQ(Wizard->CurrentPage(), ImportPage::Type);
    EXPECT_TRUE(QFile::exists(Env->TracksFolder + QStringLiteral("a.trk")));
}

TEST_F(ImportWizard, CopyFailureAnsweredNoAbortsWithTheCountedLine) {
    const QString a = WriteTrack(Source + QStringLiteral("a.trk"), QStringLiteral("A"));
    const QString b = WriteTrack(Source + QStringLiteral("b.trk"), QStringLiteral("B"));
    Env->TracksFolder = Dir.filePath(QStringLiteral("missing")) + u'/';
    Answers = {mrNo};
    ImportTracks({a, b});
    ASSERT_EQ(Shown.size(), 2u);
    EXPECT_TRUE(Shown[0].Text.startsWith(QStringLiteral("Failed to copy the track file '") + a + u'\''));
    EXPECT_EQ(Shown[0].Type, mtError);
    EXPECT_EQ(Shown[1].Text, QStringLiteral("Import aborted.\n\r\n 0 track files imported.\r\n 1 track files are "
                                            "skipped because they cannot be copied."));
    EXPECT_EQ(Wizard->CurrentPage(), ImportPage::Type);
}

TEST_F(ImportWizard, UnreadableFilesAreCountedAndAnUnreadableExistingTrackIsAskedByName) {
    const QString broken = Source + QStringLiteral("broken.trk");
    WriteBytes(broken, "no track");
    const QString b = WriteTrack(Source + QStringLiteral("b.trk"), QStringLiteral("B"));
    WriteBytes(Env->TracksFolder + QStringLiteral("b.trk"), "damaged");
    Answers = {mrYes};
    DuplicateAnswers = {{1}};
    ImportTracks({broken, b});
    ASSERT_EQ(Asked.size(), 1u);
    EXPECT_EQ(Asked[0], dkTrack);
    ASSERT_EQ(Shown.size(), 2u);
    EXPECT_TRUE(Shown[0].Text.startsWith(QStringLiteral("Failed to import the track file '") + broken));
    EXPECT_EQ(Shown[1].Text, Completed.arg(1) + QStringLiteral("\r\n 1 track files are skipped because they cannot be read."));
    EXPECT_EQ(Bytes(Env->TracksFolder + QStringLiteral("b.trk")), Bytes(b));
}

TEST_F(ImportWizard, GPXWithSomeInvalidTracksOffersTheValidOneAndImportsIt) {
    ReadGPX("<gpx><trk><name>Short</name><trkseg><trkpt lat='1' lon='1'/></trkseg></trk>"
            "<trk><name>Long</name><trkseg><trkpt lat='52' lon='5'/><trkpt lat='52.1' lon='5.1'/></trkseg></trk></gpx>");
    ASSERT_EQ(Shown.size(), 1u);
    EXPECT_EQ(Shown[0].Type, mtWarning);
    EXPECT_EQ(Shown[0].Text, QStringLiteral("Some of the tracks from the GPS exchange file are invalid\r\n\r\nThe "
                                            "invalid tracks will be ignored."));
    ASSERT_EQ(Wizard->CurrentPage(), ImportPage::Tracks);
    ASSERT_EQ(Wizard->TrackItems.Count(), 1);
    EXPECT_EQ(Wizard->TrackItems.Items(0)->Name, QStringLiteral("Long"));
    EXPECT_EQ(Wizard->ButtonNext->text(), QStringLiteral("Import"));
    EXPECT_TRUE(Wizard->FrameDataSelectOther->TrackSelect->isVisible());
    shelltest::SaveScreenshot(Wizard.get(), QStringLiteral("import-wizard-gpx-tracks"));
    // Nothing chosen: the wizard stays.
    Wizard->ButtonNext->click();
    EXPECT_EQ(Shown.back().Text, QStringLiteral("You have selected nothing to import.\r\n\r\nPlease select at least "
                                                "one item to import."));
    EXPECT_EQ(Wizard->CurrentPage(), ImportPage::Tracks);
    dataselecttest::Choose(Wizard->FrameDataSelectOther->TrackSelect, {QStringLiteral("Long")});
    Wizard->ButtonNext->click();
    EXPECT_EQ(Shown.back().Text, Completed.arg(1));
    ASSERT_EQ(Tracks().size(), 1);
    EXPECT_EQ(Tracks()[0], QStringLiteral("Long.trk"));
    // Previous from the track page went to the file page (nothing in the import database).
}

TEST_F(ImportWizard, GPXWithoutValidTracksEndsOnTheTypePage) {
    struct Case {
        const char *What;
        QByteArray Document;
        QStringList Messages;
    };
    const QString none = QStringLiteral("Cannot import GPS exchange file.\r\n\r\nNo valid import data has been found.");
    const QString all = QStringLiteral("All tracks from the GPS exchange file are invalid.\r\n\r\nThe tracks will be ignored.");
    const Case cases[] = {
        {"only a one-point track", "<gpx><trk><trkseg><trkpt lat='1' lon='1'/></trkseg></trk></gpx>", {all, none}},
        {"another root", "<kml><trk><trkseg><trkpt lat='1' lon='1'/><trkpt lat='2' lon='2'/></trkseg></trk></kml>",
         {none}},
        {"only waypoints", "<gpx><wpt lat='1' lon='1'><name>W</name></wpt></gpx>", {none}},
    };
    for (const Case &c : cases) {
        Shown.clear();
        ReadGPX(c.Document);
        EXPECT_EQ(Texts(), c.Messages) << c.What;
        EXPECT_EQ(Wizard->CurrentPage(), ImportPage::Type) << c.What;
    }
}

TEST_F(ImportWizard, UnreadableGPXNamesTheFileAndItsReasonAndLeavesNoTracks) {
    ReadGPX("<gpx><trk><trkseg><trkpt lat='1' lon='1'/><trkpt lat='2' lon='2'/></trkseg></trk>"
            "<trk><trkseg><trkpt lat='1' lon='1'>",
            "cut.gpx");
    ASSERT_EQ(Shown.size(), 1u);
    EXPECT_TRUE(Shown[0].Text.startsWith(QStringLiteral("Cannot import GPS exchange file.\r\n\r\nError reading 'cut.gpx'.\r\n\r\n")))
        << Shown[0].Text.toStdString();
    EXPECT_TRUE(Shown[0].Text.contains(QStringLiteral("line")));
    EXPECT_EQ(Wizard->CurrentPage(), ImportPage::Type);
    EXPECT_TRUE(QDir(Wizard->GPXTracksFolder).entryList(QDir::Files).isEmpty());
}

TEST_F(ImportWizard, PageTableCaptionsAndPreviousTargets) {
    EXPECT_FALSE(Wizard->ButtonPrev->isEnabled());
    EXPECT_EQ(Wizard->windowTitle(), QStringLiteral("Import"));
    EXPECT_EQ(Wizard->ButtonClose->text(), QStringLiteral("Close"));
    // Untouched, track files lead to the file list page with the track texts.
    Wizard->ButtonNext->click();
    EXPECT_EQ(Wizard->CurrentPage(), ImportPage::Files);
    EXPECT_EQ(Wizard->FrameImportFiles->KindWord(), QStringLiteral("Track files"));
    shelltest::SaveScreenshot(Wizard.get(), QStringLiteral("import-wizard-files"));
    EXPECT_TRUE(Wizard->ButtonPrev->isEnabled());
    Wizard->ButtonPrev->click();
    EXPECT_EQ(Wizard->CurrentPage(), ImportPage::Type);
    EXPECT_EQ(Wizard->ButtonNext->text(), QStringLiteral("Next"));
    ReadGPX("<gpx><trk><trkseg><trkpt lat='52' lon='5'/><trkpt lat='52.1' lon='5.1'/></trkseg></trk></gpx>");
    ASSERT_EQ(Wizard->CurrentPage(), ImportPage::Tracks);
    IWptDatabase *first = Wizard->ImportDatabase;
    ASSERT_NE(first, nullptr);
    Wizard->ButtonPrev->click();
    EXPECT_EQ(Wizard->CurrentPage(), ImportPage::File);
    EXPECT_EQ(Wizard->ButtonNext->text(), QStringLiteral("Next"));
    // The chosen file survives the trip; a second read makes a new import database.
    Wizard->ButtonPrev->click();
    Wizard->ButtonNext->click();
    EXPECT_FALSE(Wizard->FrameImportFile->FileName.isEmpty());
    Wizard->ButtonNext->click();
    ASSERT_EQ(Wizard->CurrentPage(), ImportPage::Tracks);
    EXPECT_EQ(Wizard->ImportManager->GetDatabaseCount(), 1);
    EXPECT_EQ(Wizard->TrackItems.Count(), 1);
    shelltest::SaveScreenshot(Wizard.get(), QStringLiteral("import-wizard-tracks"));
}

TEST_F(ImportWizard, TheTemporaryFolderIsEmptiedAtTheStartAndDeletedAtTheEnd) {
    const QString folder = Wizard->GPXTracksFolder;
    Wizard.reset();
    EXPECT_FALSE(QDir(folder).exists());
    ASSERT_TRUE(QDir().mkpath(folder));
    WriteBytes(folder + QStringLiteral("/stray.trk"), "x");
    Wizard = std::make_unique<TFormImport>(*Env);
    EXPECT_TRUE(QDir(folder).exists());
    EXPECT_TRUE(QDir(folder).entryList(QDir::Files).isEmpty());
}

}  // namespace
