// The import source pages: the type page's choices and layout, the single-file page's file
// and folder, the file list page's adding, checking, sorting and deleting.
#include "exchange/FraImportFile.h"
#include "exchange/FraImportFiles.h"
#include "exchange/FraImportType.h"
#include "ImportFixture.h"

#include "base/kvlib/KvProgInfo.h"
#include "base/registry/KvRegistry.h"

#include <KvLibNav6/KvAppReg.h>

#include <QApplication>
#include <QItemSelectionModel>
#include <QTest>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTreeView>
#include <gtest/gtest.h>

namespace {

using importtest::ImportFixture;

const QString Key = QStringLiteral("Desktop\\Import");

QString ReadFolder(const QString &name) {
    QString value;
    RegReadStringDef(GetAppReg(), AppRegRoot::Product, Key, RegName(name), QString(), value);
    return value;
}
void WriteFolder(const QString &name, const QString &value) {
    int32_t err = 0;
    RegWriteString(GetAppReg(), AppRegRoot::Product, Key, RegName(name), value, err);
}

TEST(ImportTypePage, ImportTypeFollowsTheChoicesInPriorityOrder) {
    TFrameImportType page(nullptr, nullptr);
    struct Case {
        QRadioButton *TFrameImportType::*Main;
        bool Routes;
        uint8_t Expected;
    };
    const Case cases[] = {
        {&TFrameImportType::RadioButtonBinary, true, 1}, {&TFrameImportType::RadioButtonGPX, false, 2},
        {&TFrameImportType::RadioButtonPolars, false, 3}, {&TFrameImportType::RadioButtonText, false, 4},
        {&TFrameImportType::RadioButtonText, true, 5},  {&TFrameImportType::RadioButtonTracks, true, 6},
    };
    for (const Case &c : cases) {
        (page.*c.Main)->setChecked(true);
        (c.Routes ? page.RadioButtonTextRoutes : page.RadioButtonTextWaypoints)->setChecked(true);
        EXPECT_EQ(page.GetImportType(), c.Expected) << int(c.Expected);
    }
    // Several checked at once (they sit on different parents in other builds): data file wins.
    page.RadioButtonText->setAutoExclusive(false);
    page.RadioButtonBinary->setAutoExclusive(false);
    page.RadioButtonText->setChecked(true);
    page.RadioButtonBinary->setChecked(true);
    EXPECT_EQ(page.GetImportType(), 1);
}

TEST(ImportTypePage, ShowsTrackFilesPreselectedAboveGPXAndNothingElse) {
    TFrameImportType page(nullptr, nullptr);
    page.resize(664, 400);
    page.show();
    QApplication::processEvents();
    EXPECT_TRUE(page.RadioButtonTracks->isVisible());
    EXPECT_TRUE(page.RadioButtonGPX->isVisible());
    for (QWidget *hidden : std::initializer_list<QWidget *>{page.RadioButtonBinary, page.RadioButtonText,
                                                             page.RadioButtonPolars, page.PanelImportText})
        EXPECT_FALSE(hidden->isVisible()) << hidden->objectName().toStdString();
    EXPECT_TRUE(page.RadioButtonTracks->isChecked());
    EXPECT_LT(page.RadioButtonTracks->y(), page.RadioButtonGPX->y());
    EXPECT_EQ(page.RadioButtonTracks->text(), QStringLiteral("Track files"));
    EXPECT_EQ(page.RadioButtonGPX->text(), QStringLiteral("GPS exchange files (*.gpx)"));
    EXPECT_EQ(page.GetImportType(), 6);
    // Both inside the area under the information strip, each centred in its half.
    const int half = page.TabSheet->height() / 2;
    EXPECT_NEAR(page.RadioButtonTracks->geometry().center().y(), half / 2, 2);
    EXPECT_NEAR(page.RadioButtonGPX->geometry().center().y(), half + half / 2, 2);
    // A later layout keeps the skipper's choice.
    QTest::mouseClick(page.RadioButtonGPX, Qt::LeftButton, {}, QPoint(5, 8));
    page.resize(700, 450);
    QApplication::processEvents();
    EXPECT_EQ(page.GetImportType(), 2);
    shelltest::SaveScreenshot(&page, QStringLiteral("import-type-page"));
}

TEST(ImportTypePage, TextSubChoicesAreEnabledOnlyWithTextFiles) {
    TFrameImportType page(nullptr, nullptr);
    EXPECT_FALSE(page.RadioButtonTextWaypoints->isEnabled());
    EXPECT_TRUE(page.RadioButtonTextWaypoints->isChecked());
    page.RadioButtonText->click();
    EXPECT_TRUE(page.RadioButtonTextWaypoints->isEnabled());
    EXPECT_TRUE(page.RadioButtonTextRoutes->isEnabled());
    page.RadioButtonTracks->click();
    EXPECT_FALSE(page.RadioButtonTextRoutes->isEnabled());
}

class ImportFilePage : public ImportFixture {};

TEST_F(ImportFilePage, ChosenFileSurvivesTheSameTypeAndANewTypeForgetsIt) {
    TFrameImportFile page(nullptr);
    page.resize(664, 300);
    page.show();
    page.SetImportType(2);
    EXPECT_EQ(page.LabelInformation->text(), QStringLiteral("Select the GPS exchange file file you wish to import"));
    EXPECT_EQ(page.LabelFilename->text(), QStringLiteral("GPS exchange file:"));
    const QString gpx = Source + QStringLiteral("walk.gpx");
    WriteBytes(gpx, "<gpx/>");
    Chosen = {gpx};
    page.ButtonBrowse->click();
    ASSERT_EQ(Requests.size(), 1u);
    EXPECT_EQ(Requests[0].Filter, QStringLiteral("GPS exchange file (*.gpx)|*.gpx"));
    EXPECT_FALSE(Requests[0].Multiple);
    EXPECT_EQ(page.FileName, gpx);
    EXPECT_TRUE(page.EditFilename->text().endsWith(QStringLiteral("walk.gpx")));
    EXPECT_FALSE(page.EditFilename->isEnabled());
    EXPECT_EQ(QDir(ReadFolder(QStringLiteral("Folder"))), QDir(Source));
    page.SetImportType(2);
    EXPECT_EQ(page.FileName, gpx);
    EXPECT_TRUE(page.Validate());
    page.SetImportType(1);
    EXPECT_TRUE(page.FileName.isEmpty());
    EXPECT_TRUE(page.EditFilename->text().isEmpty());
    EXPECT_EQ(page.KindWord(), QStringLiteral("Marivo 4 or 5 data file"));
    // A text type keeps the kind word it had, route files have their own.
    page.SetImportType(4);
    EXPECT_EQ(page.KindWord(), QStringLiteral("Marivo 4 or 5 data file"));
    page.SetImportType(5);
    EXPECT_EQ(page.KindWord(), QStringLiteral("Route file"));
}

TEST_F(ImportFilePage, ValidateRefusesNoFileAndAFileThatIsGone) {
    TFrameImportFile page(nullptr);
    page.SetImportType(2);
    const QString expected = QStringLiteral(
        "No or an invalid GPS exchange file has been selected.\r\n\r\nPlease select a valid GPS exchange file.");
    EXPECT_FALSE(page.Validate());
    const QString gpx = Source + QStringLiteral("gone.gpx");
    WriteBytes(gpx, "<gpx/>");
    Chosen = {gpx};
    page.ButtonBrowse->click();
    QFile::remove(gpx);
    EXPECT_FALSE(page.Validate());
    ASSERT_EQ(Shown.size(), 2u);
    for (const auto &m : Shown) {
        EXPECT_EQ(m.Text, expected);
        EXPECT_EQ(m.Type, mtError);
    }
}

TEST_F(ImportFilePage, CancelledDialogChangesNothingAndAStoredFolderThatIsGoneOpensTheProgramFolder) {
    TFrameImportFile page(nullptr);
    page.SetImportType(2);
    WriteFolder(QStringLiteral("Folder"), Dir.filePath(QStringLiteral("no-such-folder")));
    Chosen.clear();
    page.ButtonBrowse->click();
    ASSERT_EQ(Requests.size(), 1u);
    EXPECT_EQ(Requests[0].Folder, ProgInfoGetProgDir());
    EXPECT_TRUE(page.FileName.isEmpty());
    EXPECT_EQ(ReadFolder(QStringLiteral("Folder")), Dir.filePath(QStringLiteral("no-such-folder")));
}

class ImportFilesPage : public ImportFixture {};

TEST_F(ImportFilesPage, TrackFilesAreCheckedOnAddAndListedOnceInNameOrder) {
    TFrameImportFiles page(Env.get());
    page.SetImportType(6);
    EXPECT_EQ(page.LabelInformation->text(), QStringLiteral("Add the track files you wish to import to the list below."));
    EXPECT_EQ(page.Model->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Track files"));
    QDir(Source).mkpath(QStringLiteral("b"));
    const QString a = WriteTrack(Source + QStringLiteral("Zulu.trk"), QStringLiteral("Z"));
    const QString b = WriteTrack(Source + QStringLiteral("b/alpha.trk"), QStringLiteral("A"));
    const QString broken = Source + QStringLiteral("broken.trk");
    WriteBytes(broken, "not a track");
    Chosen = {a, broken, b, a};
    page.ButtonAdd->click();
    ASSERT_EQ(Shown.size(), 1u);
    EXPECT_TRUE(Shown[0].Text.startsWith(QStringLiteral("Cannot add the file \"broken.trk\".\r\n\r\n")))
        << Shown[0].Text.toStdString();
    EXPECT_EQ(Shown[0].Type, mtError);
    EXPECT_EQ(page.Files.size(), 2);
    ASSERT_EQ(page.Model->rowCount(), 2);
    EXPECT_EQ(page.Model->File(0), b);  // alpha before Zulu, case ignored
    EXPECT_EQ(page.Model->File(1), a);
    EXPECT_EQ(page.Model->data(page.Model->index(1, 0), Qt::BackgroundRole).value<QColor>(), QColor(0xFA, 0xFA, 0xFA));
    // The header switches the order.
    page.ListView->sortByColumn(0, Qt::DescendingOrder);
    EXPECT_EQ(page.Model->File(0), a);
    EXPECT_EQ(QDir(ReadFolder(QStringLiteral("ImportFolder"))), QDir(Source));
    EXPECT_TRUE(page.Validate());
}

TEST_F(ImportFilesPage, TrackFilesFromTheTracksFolderAreRefusedYetTheFolderIsRemembered) {
    TFrameImportFiles page(Env.get());
    page.SetImportType(6);
    const QString inside = WriteTrack(Env->TracksFolder + QStringLiteral("mine.trk"), QStringLiteral("Mine"));
    Chosen = {inside};
    page.ButtonAdd->click();
    ASSERT_EQ(Shown.size(), 1u);
    EXPECT_EQ(Shown[0].Type, mtWarning);
    EXPECT_TRUE(Shown[0].Text.startsWith(QStringLiteral("The selected track files are already in the track folder of ")));
    EXPECT_TRUE(page.Files.isEmpty());
    EXPECT_EQ(QDir(ReadFolder(QStringLiteral("ImportFolder"))), QDir(Env->TracksFolder));
    // A folder that differs only in case is another folder here.
    QDir(Dir.path()).mkpath(QStringLiteral("TRACKS"));
    const QString other = WriteTrack(Dir.filePath(QStringLiteral("TRACKS/other.trk")), QStringLiteral("Other"));
    Chosen = {other};
    page.ButtonAdd->click();
    EXPECT_EQ(page.Files, QStringList{other});
}

TEST_F(ImportFilesPage, ValidateAndDelete) {
    TFrameImportFiles page(Env.get());
    page.SetImportType(4);
    EXPECT_FALSE(page.Validate());
    const QString one = Source + QStringLiteral("one.txt"), two = Source + QStringLiteral("two.csv");
    WriteBytes(one, "a");
    WriteBytes(two, "b");
    Chosen = {two, one};
    page.ButtonAdd->click();  // text files: no checks
    EXPECT_EQ(page.Files.size(), 2);
    EXPECT_FALSE(page.ButtonDelete->isEnabled());
    page.ListView->selectionModel()->select(page.Model->index(0, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
    EXPECT_TRUE(page.ButtonDelete->isEnabled());
    Answers = {mrNo};
    page.ButtonDelete->click();
    EXPECT_EQ(page.Files.size(), 2);
    Answers = {mrYes};
    page.ButtonDelete->click();
    EXPECT_EQ(page.Files, QStringList{two});
    QFile::remove(two);
    Shown.clear();
    EXPECT_FALSE(page.Validate());
    ASSERT_EQ(Shown.size(), 1u);
    EXPECT_TRUE(Shown[0].Text.startsWith(QStringLiteral("Invalid or non existing import files have been selected.")));
    // Another type empties the list; the same type keeps it.
    page.SetImportType(4);
    EXPECT_EQ(page.Files.size(), 1);
    page.SetImportType(3);
    EXPECT_TRUE(page.Files.isEmpty());
}

TEST_F(ImportFilesPage, PolarFilesOpenInThePolarFolderAndAreTakenWithoutCheck) {
    TFrameImportFiles page(Env.get());
    page.PolarFolder = Source;
    page.SetImportType(3);
    int32_t err = 0;
    RegDeleteValue(GetAppReg(), AppRegRoot::Product, Key, RegName(u"ImportFolderPolars"), err);
    const QString polar = Dir.filePath(QStringLiteral("boat.spd"));
    WriteBytes(polar, "not checked");
    Chosen = {polar};
    page.ButtonAdd->click();
    ASSERT_EQ(Requests.size(), 1u);
    EXPECT_EQ(Requests[0].Folder, Source);
    EXPECT_TRUE(Requests[0].Multiple);
    EXPECT_EQ(page.Files, QStringList{polar});
    EXPECT_EQ(QDir(ReadFolder(QStringLiteral("ImportFolderPolars"))), QDir(Dir.path()));
    EXPECT_TRUE(Shown.empty());
}

}  // namespace
