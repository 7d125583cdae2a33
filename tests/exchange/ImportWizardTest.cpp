// The import wizard on the demo environment: the track-file run with scripted duplicate
// answers, its abort paths, the GPX run with its warnings and errors, the page table and the
// temporary folder.
#include "exchange/FrmImport.h"

#include "DataSelectFixture.h"
#include "ImportFixture.h"
#include "base/files/KvFiles.h"
#include "exchange/FraDataFilter.h"
#include "exchange/FraDataSelect.h"
#include "exchange/FraDataSelectOther.h"
#include "exchange/FraImportFile.h"
#include "exchange/FraImportFiles.h"
#include "exchange/FraImportType.h"
#include "exchange/FrmImportDataFile.h"
#include "exchange/FrmMsgDuplicate.h"
#include "exchange/FrmMsgDuplicateMultiple.h"
#include "exchange/ImportDataFile.h"
#include "NavBackupFixture.h"
#include "base/txtformat/KvTxtFormat.h"
#include "tests/shell/ShellTestSupport.h"

#include <KvLibNav6/KvGeodesy.h>
#include <KvLibNav6/KvTxtFormat.h>
#include <KvLibNav6/KvViewer.h>

#include <QCheckBox>
#include <QTabBar>
#include <QProgressDialog>
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
        // The wizard's temporary folder has a fixed name: each test program running at the same
        // time gets a temporary folder of its own.
        FOldTemp = qgetenv("TMPDIR");
        ASSERT_TRUE(QDir(Dir.path()).mkpath(QStringLiteral("temp")));
        qputenv("TMPDIR", Dir.filePath(QStringLiteral("temp")).toLocal8Bit());
        Wizard = std::make_unique<TFormImport>(*Env);
        Wizard->resize(700, 500);
        Wizard->show();
    }
    void TearDown() override {
        Wizard.reset();
        if (FOldTemp.isNull()) qunsetenv("TMPDIR");
        else qputenv("TMPDIR", FOldTemp);
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
    QByteArray FOldTemp;
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

namespace {

// A GPX document of about two megabytes, read in several chunks.
QByteArray LongTrack() {
    QByteArray d = "<gpx><trk><name>Long</name><trkseg>\n";
    for (int i = 0; i < 25000; ++i)
        d += "<trkpt lat='52." + QByteArray::number(i) + "' lon='5." + QByteArray::number(i) + "'><ele>1</ele></trkpt>\n";
    return d + "</trkseg></trk></gpx>\n";
}

}  // namespace

TEST_F(ImportWizard, AReadThatRunsOverHalfASecondShowsItsProgress) {
    struct Case {
        int64_t Step;  // milliseconds the clock moves each time it is asked
        bool Shows;
    };
    for (const Case c : {Case{0, false}, Case{250, true}}) {
        SCOPED_TRACE(c.Step);
        int64_t now = 1000;
        std::vector<int> values;  // the progress dialog's value each time the clock was asked
        QString label;
        Wizard->ReadClock = [&]() -> int64_t {
            if (auto *dialog = Wizard->findChild<QProgressDialog *>(QStringLiteral("ProgressRead"))) {
                values.push_back(dialog->value());
                label = dialog->labelText();
            }
            return now += c.Step;
        };
        ReadGPX(LongTrack(), "long.gpx");
        ASSERT_EQ(Wizard->CurrentPage(), ImportPage::Tracks);
        EXPECT_EQ(!values.empty(), c.Shows);
        if (c.Shows) {
            EXPECT_TRUE(label.contains(QStringLiteral("long.gpx"))) << label.toStdString();
            EXPECT_GT(values.back(), values.front());
            EXPECT_LE(values.back(), 1000);
        }
        // The dialog goes with the read.
        EXPECT_EQ(Wizard->findChild<QProgressDialog *>(QStringLiteral("ProgressRead")), nullptr);
        Wizard->ButtonPrev->click();
        Wizard->ButtonPrev->click();
        ASSERT_EQ(Wizard->CurrentPage(), ImportPage::Type);
    }
}

namespace {

using namespace testsupport;

// A navigation viewer over one waypoint database, as the chart shows it: an alarm zone is
// drawn by clicks in the alarm-zone mode, and the mouse over a zone hits it.
class TZoneViewer {
public:
    TZoneViewer(IWptDatabase *database, IWptPolygon *shown = nullptr)
        : FViewer(NavViewerCreate(nullptr, nullptr, nullptr, 0, nullptr, nullptr, nullptr, nullptr)),
          FShown(WptPolygonListCreate(0)) {
        FViewer->SetViewRect(0, 0, Size, Size);
        FViewer->SetNavObjects(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                               nullptr, nullptr, nullptr, nullptr, database);
        if (shown) FShown->Add(shown);
        FViewer->SetPolygonList(FShown.get());
        const TDouble2 middle{Size / 2.0, Size / 2.0};
        FViewer->Zoom100At(&Centre, &middle);
    }
    // The corner of the zone at i (0..3), a quarter turn apart around the centre; scale 1 is
    // the corner itself, less lies inside the zone, more outside.
    static TGeoPoint Corner(int i, double scale = 1.0) {
        const double lat[] = {1, 1, -1, -1}, lon[] = {-1, 1, 1, -1};
        return {Centre.Lat + scale * lat[i] * HalfLat, Centre.Lon + scale * lon[i] * HalfLon};
    }
    void DrawZone() {
        FViewer->SetEditMode(NavViewerEditMode::AlarmZones);
        for (int i = 0; i < 4; ++i) Click(Corner(i));
        FViewer->SetEditMode(NavViewerEditMode::None);
    }
    IWptPolygon *ZoneAt(const TGeoPoint &where) {
        const TDouble2 p = PixelOf(where);
        int32_t err = 0;
        FViewer->MouseMove(0, int(p.X), int(p.Y), err);
        EXPECT_EQ(err, 0);
        return FViewer->GetAlarmZoneAtMouse();
    }

private:
    static constexpr int Size = 400;
    static constexpr double Deg = M_PI / 180.0, HalfLat = 0.006 * Deg, HalfLon = 0.01 * Deg;
    static constexpr TGeoPoint Centre{52.60 * Deg, 5.10 * Deg};

    TDouble2 PixelOf(const TGeoPoint &g) {
        TDouble2 p;
        FViewer->GetCalibration()->GeoToPixel(p, g);
        return p;
    }
    void Click(const TGeoPoint &where) {
        const TDouble2 p = PixelOf(where);
        int32_t err = 0;
        FViewer->MouseMove(0, int(p.X), int(p.Y), err);
        FViewer->MouseDown(ViewerMouseButton::Left, 0, int(p.X), int(p.Y), err);
        FViewer->MouseUp(ViewerMouseButton::Left, 0, int(p.X), int(p.Y), err);
        EXPECT_EQ(err, 0);
    }

    TNavPtr<INavViewer> FViewer;
    TNavPtr<IWptPolygonList> FShown;
};

class ImportDataFileWizard : public ImportWizard {
protected:
    void SetUp() override {
        ImportWizard::SetUp();
        if (HasFatalFailure()) return;
        FOldMultiple = TFormMsgDuplicateMultiple::SetPrompter([this](TFormMsgDuplicateMultiple &) {
            ++MultipleAsked;
            return int(QDialog::Rejected);
        });
    }
    void TearDown() override {
        TFormMsgDuplicateMultiple::SetPrompter(std::move(FOldMultiple));
        ImportWizard::TearDown();
    }

    QString WriteDataFile(const std::vector<TBackupFixtureEntry> &entries, const char *name = "data.m5db") {
        const QString file = Source + QLatin1String(name);
        EXPECT_TRUE(WriteFileBytes(file, NavBackupFixture(entries)));
        return file;
    }
    QByteArray TrackEntry(const QString &name) {
        return Bytes(WriteTrack(Source + name + QStringLiteral(".source"), name));
    }
    // The user database as a file's bytes.
    QByteArray UserDatabaseBytes() {
        int32_t err = -1;
        const QString file = Source + QStringLiteral("user.db");
        WptDatabaseSaveToFile(Env->UserDatabase, file, err);
        EXPECT_EQ(err, 0);
        return Bytes(file);
    }
    // From the type page through the single-file page with the data file chosen there.
    void ReadDataFile(const QString &file) {
        ASSERT_EQ(Wizard->CurrentPage(), ImportPage::Type);
        // The choice the page keeps hidden, reached through the page itself.
        EXPECT_FALSE(Wizard->FrameImportType->RadioButtonBinary->isVisible());
        Wizard->FrameImportType->RadioButtonBinary->setChecked(true);
        ASSERT_EQ(Wizard->FrameImportType->GetImportType(), ImportType::DataFile);
        Wizard->ButtonNext->click();
        ASSERT_EQ(Wizard->CurrentPage(), ImportPage::File);
        Chosen = {file};
        Wizard->FrameImportFile->ButtonBrowse->click();
        Wizard->ButtonNext->click();
    }
    TDataFileImportRun Run() { return DataFileImportRunOf(*Wizard); }
    // Every row of a picker moved to the chosen side, as a user selects them all and adds.
    static void ChooseAll(TFrameDataSelectItems *picker) {
        picker->ListViewFiltered->selectAll();
        QTest::mouseClick(picker->ButtonAdd, Qt::LeftButton);
    }
    static QStringList Names(int count, const std::function<IWptObject *(int)> &item) {
        QStringList names;
        for (int i = 0; i < count; ++i) names << WptObjectGetName(item(i));
        names.sort();
        return names;
    }
    static QStringList Contents(IWptDatabase *db) {
        IWptManager *m = db->GetManager();
        QStringList waypoints;
        for (int i = 0; i < m->GetWaypointCount(); ++i)
            if (m->GetWaypoint(i)->GetDatabase() == db) waypoints << WptObjectGetName(m->GetWaypoint(i));
        waypoints.sort();
        EXPECT_EQ(waypoints.size(), db->GetObjectCount());
        return {waypoints.join(u','),
                Names(db->GetWaypointGroupCount(), [db](int i) { return db->GetWaypointGroup(i); }).join(u','),
                Names(db->GetWaypointTypeCount(), [db](int i) { return db->GetWaypointType(i); }).join(u','),
                Names(db->GetRouteCount(), [db](int i) { return db->GetRoute(i); }).join(u','),
                QString::number(db->GetPolygonCount())};
    }

    int MultipleAsked = 0;

private:
    TFormMsgDuplicateMultiple::TPrompter FOldMultiple;
};

TEST_F(ImportDataFileWizard, ContentsRouteThePagesWithTheirCaptionsAndPreviousTargets) {
    const QString tracksOnly =
        WriteDataFile({{BackupTrack, "Morning", TrackEntry("Morning")}, {BackupTrack, "Evening", TrackEntry("Evening")}},
                      "tracks.m5db");
    ReadDataFile(tracksOnly);
    ASSERT_EQ(Wizard->CurrentPage(), ImportDataFilePage::Items);
    EXPECT_EQ(Wizard->ButtonNext->text(), QStringLiteral("Import"));
    EXPECT_TRUE(Run().ItemFrame->isVisible());
    EXPECT_FALSE(Run().ItemFrame->PageControl->tabBar()->isVisible()) << "only the tracks kind is offered";
    EXPECT_EQ(Run().Data->TrackItems.Count(), 2);
    // Nothing chosen: the message, and the wizard stays.
    Wizard->ButtonNext->click();
    EXPECT_EQ(Shown.back().Text, QStringLiteral("You have selected nothing to import.\r\n\r\nPlease select at least "
                                                "one item to import."));
    EXPECT_EQ(Wizard->CurrentPage(), ImportDataFilePage::Items);
    Wizard->ButtonPrev->click();
    EXPECT_EQ(Wizard->CurrentPage(), ImportPage::File);
    Wizard->ButtonPrev->click();

    const QString withProfiles = WriteDataFile(
        {{BackupDatabase, "Waypoints", UserDatabaseBytes()}, {BackupRouteProfile, "Tabs", ProfileEntryJson("Tabs")}},
        "profiles.m5db");
    ReadDataFile(withProfiles);
    ASSERT_EQ(Wizard->CurrentPage(), ImportDataFilePage::Objects);
    EXPECT_EQ(Wizard->ButtonNext->text(), QStringLiteral("Next"));
    EXPECT_TRUE(Run().ObjectFrame->isVisible());
    shelltest::SaveScreenshot(Wizard.get(), QStringLiteral("import-wizard-datafile-objects"));
    Wizard->ButtonNext->click();
    ASSERT_EQ(Wizard->CurrentPage(), ImportDataFilePage::Items);
    EXPECT_EQ(Wizard->ButtonNext->text(), QStringLiteral("Import"));
    shelltest::SaveScreenshot(Wizard.get(), QStringLiteral("import-wizard-datafile-items"));
    Wizard->ButtonPrev->click();
    EXPECT_EQ(Wizard->CurrentPage(), ImportDataFilePage::Objects);
    Wizard->ButtonPrev->click();
    EXPECT_EQ(Wizard->CurrentPage(), ImportPage::File);
    Wizard->ButtonPrev->click();

    // Only a database: its page imports, and nothing chosen keeps the wizard there.
    ReadDataFile(WriteDataFile({{BackupDatabase, "Waypoints", UserDatabaseBytes()}}, "database.m5db"));
    ASSERT_EQ(Wizard->CurrentPage(), ImportDataFilePage::Objects);
    EXPECT_EQ(Wizard->ButtonNext->text(), QStringLiteral("Import"));
    Shown.clear();
    Wizard->ButtonNext->click();
    EXPECT_EQ(Texts(), QStringList{QStringLiteral("You have selected nothing to import.\r\n\r\nPlease select at "
                                                  "least one item to import.")});
    EXPECT_EQ(Wizard->CurrentPage(), ImportDataFilePage::Objects);
    Wizard->ButtonPrev->click();
    Wizard->ButtonPrev->click();

    // Nothing to import, and a file that is not a data file.
    Shown.clear();
    ReadDataFile(WriteDataFile({}, "empty.m5db"));
    EXPECT_EQ(Texts(), QStringList{QStringLiteral("Cannot import data file.\r\n\r\nNo valid import data has been found.")});
    EXPECT_EQ(Wizard->CurrentPage(), ImportPage::Type);
    Shown.clear();
    const QString foreign = Source + QStringLiteral("picture.m5db");
    WriteBytes(foreign, QByteArray("\x89PNG\r\n\x1a\n", 8) + QByteArray(200, 'x'));
    ReadDataFile(foreign);
    ASSERT_EQ(Shown.size(), 1u);
    EXPECT_TRUE(Shown[0].Text.startsWith(QStringLiteral("Cannot open the file '") + foreign + QStringLiteral("'.\r\n\r\n")))
        << Shown[0].Text.toStdString();
    EXPECT_EQ(Wizard->CurrentPage(), ImportPage::File);
    EXPECT_EQ(Run().Data->DataFile(), nullptr);
}

TEST_F(ImportDataFileWizard, ADataFileOfTheDemoDataComesBackIntoAnEmptyUserDatabase) {
    IWptDatabase *user = Env->UserDatabase;
    ASSERT_TRUE(user);
    ASSERT_GT(user->GetObjectCount(), 2) << "the demo data holds waypoints";
    // Three of them in a group and on a route, and a type of their own.
    int32_t err = -1;
    IWptWaypointGroup *group = user->NewWaypointGroup(nullptr);
    WptObjectSetName(group, QStringLiteral("Lakes"), err);
    IWptWaypointType *type = WptDatabaseNewType(user, Env->WaypointManager->GetDefaultWaypointType()->GetIcon(),
                                                nullptr, false, 15.5f, 15.5f, {}, {}, {}, err);
    WptObjectSetName(type, QStringLiteral("Buoy"), err);
    IWptRoute *route = user->NewRoute(45000.0);
    WptObjectSetName(route, QStringLiteral("Amstel"), err);
    for (int i = 0, added = 0; i < Env->WaypointManager->GetWaypointCount() && added < 3; ++i)
        if (IWptWaypoint *w = Env->WaypointManager->GetWaypoint(i); w->GetDatabase() == user) {
            route->AddPointFromWaypoint(w, 0, 0, err);
            group->AddWaypoint(w, err);
            if (added == 0) w->SetType(type, err);
            ++added;
        }
    ASSERT_EQ(err, 0);
    ASSERT_EQ(route->GetPointCount(), 3);
    ASSERT_EQ(group->GetWaypointCount(), 3);
    // And an alarm zone drawn on the chart.
    TZoneViewer(user).DrawZone();
    ASSERT_EQ(user->GetPolygonCount(), 1);
    WptObjectSetName(user->GetPolygon(0), QStringLiteral("Harbour"), err);
    ASSERT_EQ(err, 0);
    const QStringList demo = Contents(user);
    const QString file = WriteDataFile({{BackupDatabase, "Waypoints", UserDatabaseBytes()},
                                        {BackupRouteProfile, "Tabs", ProfileEntryJson("Tabs", u'\t')},
                                        {BackupRouteProfile, "Commas", ProfileEntryJson("Commas", u',')},
                                        {BackupWaypointProfile, "Points", ProfileEntryJson("Points")},
                                        {BackupTrack, "Morning", TrackEntry("Morning")},
                                        {BackupTrack, "Evening", TrackEntry("Evening")}});
    user->Clear(err);
    ASSERT_EQ(err, 0);
    ASSERT_EQ(user->GetObjectCount(), 0);
    ASSERT_EQ(user->GetRouteCount(), 0);
    ASSERT_EQ(user->GetPolygonCount(), 0);

    ReadDataFile(file);
    ASSERT_EQ(Wizard->CurrentPage(), ImportDataFilePage::Objects);
    TFrameDataSelect *objects = Run().ObjectFrame;
    for (TFrameDataSelectItems *picker : {objects->WaypointSelect, objects->GroupSelect, objects->TypeSelect,
                                          objects->RouteSelect, objects->PolygonSelect})
        ChooseAll(picker);
    Wizard->ButtonNext->click();
    ASSERT_EQ(Wizard->CurrentPage(), ImportDataFilePage::Items);
    ChooseAll(Run().ItemFrame->ProfileSelect);
    ChooseAll(Run().ItemFrame->TrackSelect);
    Wizard->ButtonNext->click();

    ASSERT_FALSE(Shown.empty());
    const QString report = Shown.back().Text;
    EXPECT_TRUE(report.startsWith(QStringLiteral("Import completed.\n"))) << report.toStdString();
    for (const char *line : {"\n\r 2 route profile(s) imported.", "\n\r 1 waypoint profile(s) imported.",
                             "\n\r 2 track(s) imported."})
        EXPECT_TRUE(report.contains(QLatin1String(line))) << line << " in " << report.toStdString();
    for (const QString line : {QStringLiteral("\n\r %1 waypoint(s) imported.").arg(demo[0].count(u',') + 1),
                               QStringLiteral("\n\r 1 waypointgroup(s) imported."),
                               QStringLiteral("\n\r 1 waypoint type(s) imported."),
                               QStringLiteral("\n\r 1 route(s) imported."),
                               QStringLiteral("\n\r 1 Alarm zone(s) imported.")})
        EXPECT_TRUE(report.contains(line)) << line.toStdString() << " in " << report.toStdString();
    EXPECT_EQ(Wizard->result(), QDialog::Accepted);
    EXPECT_EQ(MultipleAsked, 0);

    // What the user has now lasts: the database written and read again, the profile files
    // loaded again, the tracks opened from the tracks folder.
    const QString saved = Source + QStringLiteral("after.db");
    WptDatabaseSaveToFile(user, saved, err);
    ASSERT_EQ(err, 0);
    TNavPtr<IWptManager> other(CreateWptManager(nullptr, nullptr, QStringLiteral("DejaVu Sans"), {}, {}, {}, nullptr,
                                                nullptr, nullptr, nullptr, nullptr, err));
    ASSERT_EQ(err, 0);
    IWptDatabase *reopened = WptManagerOpenDatabase(other.get(), saved, 0, err);
    ASSERT_EQ(err, 0);
    ASSERT_TRUE(reopened);
    EXPECT_EQ(Contents(reopened), demo);
    // The zone keeps its corners: near each inside it, beyond each outside.
    ASSERT_EQ(reopened->GetPolygonCount(), 1);
    IWptPolygon *zone = reopened->GetPolygon(0);
    EXPECT_EQ(WptObjectGetName(zone), QStringLiteral("Harbour"));
    EXPECT_TRUE(zone->IsComplete());
    TZoneViewer chart(reopened, zone);
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(chart.ZoneAt(TZoneViewer::Corner(i, 0.8)), zone);
        EXPECT_EQ(chart.ZoneAt(TZoneViewer::Corner(i, 1.2)), nullptr);
    }
    reopened->Close();
    for (auto [manager, names] : {std::pair{Env->RouteProfiles, QStringList{"Tabs", "Commas"}},
                                  std::pair{Env->WaypointProfiles, QStringList{"Points"}}}) {
        TNavPtr<ITxtFormatProfileManager> loaded(
            CreateTxtFormatProfileManager(TxtFormatProfileManagerGetFileName(manager), err));
        ASSERT_EQ(err, 0);
        for (const QString &name : names) {
            int32_t index = -1;
            EXPECT_TRUE(TxtFormatProfileManagerFind(loaded.get(), name, index)) << name.toStdString();
        }
    }
    QStringList tracks;
    for (const QString &name : Tracks()) {
        TNavPtr<INavTrack> track(NavTrackCreateFromFile(Env->TracksFolder + name, err));
        EXPECT_EQ(err, 0) << name.toStdString();
        if (track) tracks << NavTrackGetName(track.get());
    }
    tracks.sort();
    EXPECT_EQ(tracks, (QStringList{"Evening", "Morning"}));
}

TEST_F(ImportDataFileWizard, ACancelledProfileQuestionAbortsAfterTheTracksAreLeftAndTheEarlierLinesStay) {
    TxtFormatProfileManagerAdd(Env->RouteProfiles, QStringLiteral("Tabs"));
    const QString file = WriteDataFile({{BackupDatabase, "Waypoints", UserDatabaseBytes()},
                                        {BackupRouteProfile, "Tabs", ProfileEntryJson("Tabs", u'\t')},
                                        {BackupTrack, "Morning", TrackEntry("Morning")}});
    int32_t err = -1;
    Env->UserDatabase->Clear(err);
    ReadDataFile(file);
    ASSERT_EQ(Wizard->CurrentPage(), ImportDataFilePage::Objects);
    // The demo's waypoints are in no group: the user ticks "Ungrouped" in the filter first.
    TDataFilterModel *filter = Run().ObjectFrame->Filter->Model();
    ASSERT_TRUE(filter->setData(dataselecttest::Find(filter, QStringLiteral("Ungrouped")), int(Qt::Checked),
                                Qt::CheckStateRole));
    ChooseAll(Run().ObjectFrame->WaypointSelect);
    Wizard->ButtonNext->click();
    ChooseAll(Run().ItemFrame->ProfileSelect);
    ChooseAll(Run().ItemFrame->TrackSelect);
    DuplicateAnswers = {{-1}};
    Wizard->ButtonNext->click();
    ASSERT_EQ(Asked.size(), 1u);
    EXPECT_EQ(Asked[0], dkRouteProfile);
    ASSERT_FALSE(Shown.empty());
    const QString report = Shown.back().Text;
    EXPECT_TRUE(report.startsWith(QStringLiteral("Import aborted.\n"))) << report.toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral(" waypoint(s) imported."))) << "the merge ran before";
    EXPECT_FALSE(report.contains(QStringLiteral("profile(s)")));
    EXPECT_FALSE(report.contains(QStringLiteral("track(s)"))) << "the steps after the question did not run";
    EXPECT_EQ(Wizard->CurrentPage(), ImportPage::Type);
    EXPECT_TRUE(Tracks().isEmpty());
    EXPECT_GT(Env->UserDatabase->GetObjectCount(), 0);
}

TEST_F(ImportDataFileWizard, WaypointsAlreadyThereAreAskedAboutAndKeptForAll) {
    const int before = Env->UserDatabase->GetObjectCount();
    ASSERT_GT(before, 1);
    ReadDataFile(WriteDataFile({{BackupDatabase, "Waypoints", UserDatabaseBytes()}}));
    ASSERT_EQ(Wizard->CurrentPage(), ImportDataFilePage::Objects);
    TDataFilterModel *filter = Run().ObjectFrame->Filter->Model();
    ASSERT_TRUE(filter->setData(dataselecttest::Find(filter, QStringLiteral("Ungrouped")), int(Qt::Checked),
                                Qt::CheckStateRole));
    ChooseAll(Run().ObjectFrame->WaypointSelect);
    DuplicateAnswers = {{0, true}};
    Wizard->ButtonNext->click();
    ASSERT_EQ(Asked.size(), 1u) << "apply-to-all asks once";
    EXPECT_EQ(Asked[0], dkWaypoint);
    ASSERT_FALSE(Shown.empty());
    EXPECT_TRUE(Shown.back().Text.startsWith(QStringLiteral("Import completed.\n")));
    EXPECT_TRUE(Shown.back().Text.contains(QStringLiteral("\n\r 0 waypoint(s) imported."))) << Shown.back().Text.toStdString();
    EXPECT_EQ(Env->UserDatabase->GetObjectCount(), before);
}

TEST_F(ImportDataFileWizard, TypeAndFileListPagesByDayAndNight) {
    const QString a = WriteTrack(Source + QStringLiteral("a.trk"), QStringLiteral("Harbour run"));
    const QString b = WriteTrack(Source + QStringLiteral("b.trk"), QStringLiteral("Evening sail"));
    for (const bool night : {false, true}) {
        if (night) {
            NightScreenStart();
            NightScreen()->SetActive(true);
        }
        QCoreApplication::processEvents();
        const QString suffix = night ? QStringLiteral("-night") : QStringLiteral("-day");
        ASSERT_EQ(Wizard->CurrentPage(), ImportPage::Type);
        shelltest::SaveScreenshot(Wizard.get(), QStringLiteral("import-wizard-type") + suffix);
        Wizard->ButtonNext->click();
        ASSERT_EQ(Wizard->CurrentPage(), ImportPage::Files);
        Chosen = {a, b};
        Wizard->FrameImportFiles->ButtonAdd->click();
        EXPECT_EQ(Wizard->FrameImportFiles->Files.size(), 2);
        QCoreApplication::processEvents();
        shelltest::SaveScreenshot(Wizard.get(), QStringLiteral("import-wizard-file-list") + suffix);
        Wizard->ButtonPrev->click();
    }
    NightScreen()->SetActive(false);
    NightScreenStop();
    QCoreApplication::processEvents();
}

TEST_F(ImportDataFileWizard, APolarRunCollectsItsFilesAndSaysNothingWasImported) {
    const QString polar = Source + QStringLiteral("boat.spd");
    WriteBytes(polar, "0;6;8\n45;5.1;6.0\n");
    Wizard->FrameImportType->RadioButtonPolars->setChecked(true);
    ASSERT_EQ(Wizard->FrameImportType->GetImportType(), ImportType::Polars);
    Wizard->ButtonNext->click();
    ASSERT_EQ(Wizard->CurrentPage(), ImportPage::Files);
    Wizard->FrameImportFiles->Files = {polar};
    Wizard->ButtonNext->click();
    EXPECT_EQ(Texts(), QStringList{QStringLiteral("Import completed.\n\n\r 0 Polar diagram(s) imported.")});
    EXPECT_EQ(Wizard->PolarFiles, QStringList{polar});
    EXPECT_EQ(Wizard->result(), QDialog::Accepted);
}

}  // namespace
