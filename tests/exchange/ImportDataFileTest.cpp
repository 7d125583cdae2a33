// The data-file import on the real environment, core library and data files written in the
// library's container format: reading and routing by contents, damaged files, the profile
// duplicates with their report lines, and the tracks restored into the tracks folder.
#include "tests/shell/NavEnvFixture.h"

#include "NavBackupFixture.h"
#include "base/kvlib/KvLib.h"
#include "base/txtformat/KvTxtFormat.h"
#include "base/waypoints/KvWaypoints.h"
#include "exchange/FraDataSelect.h"
#include "exchange/FrmMsgDuplicate.h"
#include "exchange/ImportDataFile.h"

#include <KvLibNav6/KvBackup.h>
#include <KvLibNav6/KvTracks.h>
#include <KvLibNav6/KvTxtFormat.h>

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRadioButton>
#include <cmath>

using namespace testsupport;

namespace {

constexpr double Deg = M_PI / 180.0;

QByteArray ReadBytes(const QString &file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class ImportDataFile : public NavEnvFixture {
protected:
    void SetUp() override {
        NavEnvFixture::SetUp();
        Env = Make();
        ASSERT_TRUE(Env && Env->WaypointManager && Env->RouteProfiles && Env->WaypointProfiles);
        int32_t err = -1;
        // Made on its own: a manager made "like" the environment's reads the icon the
        // environment handed over at its creation, which is no longer there (see the report).
        ImportManager.reset(CreateWptManager(nullptr, nullptr, QStringLiteral("DejaVu Sans"), {}, {}, {}, nullptr,
                                             nullptr, nullptr, nullptr, nullptr, err));
        ASSERT_EQ(err, 0);
        Dir = MakeTempDir(QStringLiteral("importdatafile"));
        Import = std::make_unique<TImportDataFile>(Env.get());
    }
    void TearDown() override {
        TFormMsgDuplicate::SetPrompter({});
        Import.reset();
        if (Database) Database->Close();
        ImportManager.reset();
        QFile::setPermissions(Dir + "/readonly", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        Env.reset();
        NavEnvFixture::TearDown();
    }

    // A waypoint database of 3 waypoints in one group, a type and a route, as file bytes.
    QByteArray DatabaseBytes(bool withWaypoints = true) {
        IWptDatabase *db = WptManagerNewDatabase(ImportManager.get(), QStringLiteral("Export"));
        int32_t err = 0;
        if (withWaypoints) {
            IWptWaypointGroup *group = db->NewWaypointGroup(nullptr);
            WptObjectSetName(group, QStringLiteral("Lakes"), err);
            IWptWaypointType *type = WptDatabaseNewType(
                db, Env->WaypointManager->GetDefaultWaypointType()->GetIcon(), nullptr, false, 15.5f, 15.5f, {}, {},
                {}, err);
            WptObjectSetName(type, QStringLiteral("Buoy"), err);
            std::vector<IWptWaypoint *> points;
            for (int i = 0; i < 3; ++i) {
                points.push_back(db->NewWaypoint(nullptr, TGeoPoint3{(52.0 + i * 0.01) * Deg, 5.0 * Deg, 0.0}, type));
                WptObjectSetName(points.back(), QStringLiteral("Kaag %1").arg(i + 1), err);
                group->AddWaypoint(points.back(), err);
            }
            IWptRoute *route = db->NewRoute(0.0);
            WptObjectSetName(route, QStringLiteral("Amstel"), err);
            for (IWptWaypoint *w : points) route->AddPointFromWaypoint(w, 0, 0, err);
        } else {
            IWptRoute *route = db->NewRoute(0.0);
            WptObjectSetName(route, QStringLiteral("Only"), err);
            for (int i = 0; i < 2; ++i)
                route->AddPointFromWaypoint(
                    db->NewWaypoint(nullptr, TGeoPoint3{52.0 * Deg, (5.0 + i * 0.01) * Deg, 0.0}, nullptr), 0, 0, err);
        }
        EXPECT_EQ(err, 0);
        const QString file = Dir + QStringLiteral("/export%1.db").arg(++FSerial);
        WptDatabaseSaveToFile(db, file, err);
        EXPECT_EQ(err, 0);
        db->Close();
        return ReadBytes(file);
    }
    QByteArray TrackBytes(const QString &name) {
        TNavPtr<INavTrack> t(NavTrackCreate1());
        NavTrackSetName(t.get(), name);
        int32_t err = 0;
        t->AddPoint(46000.5, TGeoPoint3{52.0 * Deg, 5.0 * Deg, 0.0}, err);
        t->AddPoint(46000.6, TGeoPoint3{52.1 * Deg, 5.1 * Deg, 0.0}, err);
        const QString file = Dir + QStringLiteral("/track%1.trk").arg(++FSerial);
        NavTrackSaveToFile(t.get(), file, err);
        EXPECT_EQ(err, 0);
        return ReadBytes(file);
    }
    QString WriteDataFile(const std::vector<TBackupFixtureEntry> &entries, const QString &name = "data.m5db") {
        const QString file = Dir + "/" + name;
        EXPECT_TRUE(WriteFileBytes(file, NavBackupFixture(entries)));
        return file;
    }
    bool Read(const QString &file) {
        if (Database) Database->Close();
        Database = nullptr;
        return Import->Read(file, ImportManager.get(), Database);
    }
    // Chooses every item of a list, as the item page reports a choice.
    static void ChooseAll(const TDataItemList &items, TBackupEntryList &chosen) {
        chosen.Clear();
        for (TDataItem *item : items) chosen.Add(item->BackupEntry());
    }
    void AddRouteProfile(const QString &name) {
        TxtFormatProfileManagerAdd(Env->RouteProfiles, name);
    }

    std::unique_ptr<TMarivoNavEnv> Env;
    TNavPtr<IWptManager> ImportManager;
    IWptDatabase *Database = nullptr;
    std::unique_ptr<TImportDataFile> Import;
    QString Dir;

private:
    int FSerial = 0;
};

}  // namespace

TEST_F(ImportDataFile, ContentsDecideTheNextPage) {
    struct Case {
        const char *what;
        std::vector<TBackupFixtureEntry> entries;
        TImportDataFile::TNextPage next;
        uint8_t objectKinds, itemKinds;
    };
    const Case cases[] = {
        {"tracks only",
         {{BackupTrack, "Morning", TrackBytes("Morning")}, {BackupTrack, "Evening", TrackBytes("Evening")}},
         TImportDataFile::TNextPage::ItemPage, 0, DataSelectOtherKind::Tracks},
        {"database and route profiles",
         {{BackupDatabase, "Waypoints", DatabaseBytes()}, {BackupRouteProfile, "Tabs", ProfileEntryJson("Tabs")}},
         TImportDataFile::TNextPage::ObjectPage,
         DataSelectKind::Waypoints | DataSelectKind::Groups | DataSelectKind::Types | DataSelectKind::Routes,
         DataSelectOtherKind::Profiles},
        {"routes only", {{BackupDatabase, "Waypoints", DatabaseBytes(false)}}, TImportDataFile::TNextPage::ObjectPage,
         DataSelectKind::Waypoints | DataSelectKind::Routes, 0},
        {"nothing", {}, TImportDataFile::TNextPage::NothingToImport, 0, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(Read(WriteDataFile(c.entries)));
        EXPECT_EQ(Import->NextPage(Database), c.next);
        EXPECT_EQ(TImportDataFile::ObjectKinds(Database), c.objectKinds);
        EXPECT_EQ(Import->ItemKinds(), c.itemKinds);
    }
    EXPECT_TRUE(Messages.isEmpty()) << Messages.join("|").toStdString();
    // The database of the second file holds what was written into it.
    ASSERT_TRUE(Read(WriteDataFile(cases[1].entries)));
    ASSERT_TRUE(Database);
    EXPECT_EQ(Database->GetObjectCount(), 3);
    EXPECT_EQ(Database->GetWaypointGroupCount(), 1);
    EXPECT_EQ(Database->GetRouteCount(), 1);
    TImportDataFile::ShowNothingToImport();
    EXPECT_EQ(Messages.back(), "Cannot import data file.\r\n\r\nNo valid import data has been found.");
}

TEST_F(ImportDataFile, ItemsListTheEntriesFromTheLastOne) {
    ASSERT_TRUE(Read(WriteDataFile({{BackupRouteProfile, "First", ProfileEntryJson("First")},
                                    {BackupRouteProfile, "Second", ProfileEntryJson("Second")},
                                    {BackupWaypointProfile, "Points", ProfileEntryJson("Points")},
                                    {BackupTrack, "Morning", TrackBytes("Morning")}})));
    ASSERT_EQ(Import->RouteProfileItems.Count(), 2);
    EXPECT_EQ(Import->RouteProfileItems[0]->Name, "Second");
    EXPECT_EQ(Import->RouteProfileItems[1]->Name, "First");
    EXPECT_EQ(Import->RouteProfileItems[0]->Kind, DataItemRouteProfile);
    EXPECT_EQ(Import->RouteProfileItems[0]->Type(), TDataItemKind::RouteProfile);
    EXPECT_EQ(Import->RouteProfileItems[0]->Flag, 0);
    ASSERT_EQ(Import->WaypointProfileItems.Count(), 1);
    EXPECT_EQ(Import->WaypointProfileItems[0]->Type(), TDataItemKind::WaypointProfile);
    ASSERT_EQ(Import->TrackItems.Count(), 1);
    EXPECT_EQ(Import->TrackItems[0]->BackupEntry(), Import->DataFile()->GetTrack(0));
    EXPECT_EQ(Import->CollectionItems.Count() + Import->LogbookItems.Count() + Import->PolarItems.Count(), 0);
    // Nothing chosen is refused with its message.
    EXPECT_FALSE(Import->CheckSelection(0));
    EXPECT_EQ(Messages.back(),
              "You have selected nothing to import.\r\n\r\nPlease select at least one item to import.");
    EXPECT_TRUE(Import->CheckSelection(1));
    ChooseAll(Import->TrackItems, Import->SelectedTracks);
    EXPECT_TRUE(Import->CheckSelection(0));
}

TEST_F(ImportDataFile, DamagedFilesNameTheFileAndKeepNothing) {
    const QByteArray good = NavBackupFixture({{BackupDatabase, "Waypoints", DatabaseBytes()},
                                              {BackupTrack, "Morning", TrackBytes("Morning")}});
    QByteArray beyond = NavBackupFixture({{BackupTrack, "Morning", QByteArray("short")}});
    beyond[16 + 8] = char(0x7F);  // the entry's data length now runs past the end
    QByteArray damagedDb = good;
    damagedDb.replace(damagedDb.indexOf("SQLite format 3"), 6, "XQLite");
    struct Case {
        const char *what;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"truncated", good.left(good.size() - 10)},
        {"a foreign file", QByteArray("\x89PNG\r\n\x1a\n not a data file at all", 30)},
        {"an entry beyond the end", beyond},
        {"a damaged database", damagedDb},
        {"empty", QByteArray()},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const QString file = Dir + "/bad.m5db";
        ASSERT_TRUE(WriteFileBytes(file, c.bytes));
        Messages.clear();
        EXPECT_FALSE(Read(file));
        ASSERT_EQ(Messages.size(), 1);
        EXPECT_TRUE(Messages[0].startsWith("Cannot open the file '" + file + "'.\r\n\r\n")) << Messages[0].toStdString();
        EXPECT_GT(Messages[0].size(), QString("Cannot open the file '" + file + "'.\r\n\r\n").size());
        EXPECT_EQ(Import->DataFile(), nullptr);
        EXPECT_EQ(Database, nullptr);
        EXPECT_FALSE(Import->HasItems());
    }
    EXPECT_EQ(ImportManager->GetDatabaseCount(), 0) << "no half-opened database stays in the manager";
}

TEST_F(ImportDataFile, ADataFileOnAReadOnlyFolderOpensAndLeavesNothingBeside) {
    const QString folder = Dir + "/readonly";
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString file = folder + "/stick.m4db";
    ASSERT_TRUE(WriteFileBytes(file, NavBackupFixture({{BackupDatabase, "Waypoints", DatabaseBytes()}})));
    ASSERT_TRUE(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    ASSERT_TRUE(Read(file)) << Messages.join("|").toStdString();
    ASSERT_TRUE(Database);
    EXPECT_EQ(Database->GetObjectCount(), 3);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"stick.m4db"});
}

TEST_F(ImportDataFile, RouteProfileDuplicatesFollowTheAnswers) {
    AddRouteProfile("Tabs");
    AddRouteProfile("Commas");
    const QString file = WriteDataFile({{BackupRouteProfile, "Tabs", ProfileEntryJson("Tabs", u'\t')},
                                        {BackupRouteProfile, "Commas", ProfileEntryJson("Commas", u',')},
                                        {BackupRouteProfile, "Pipes", ProfileEntryJson("Pipes", u'|')},
                                        {BackupTrack, "Morning", TrackBytes("Morning")}});
    struct Answer {
        int result;  // of the dialog
        TDuplicateAction action;
        bool all;
    };
    struct Case {
        const char *what;
        std::vector<Answer> answers;
        int32_t result;
        int questions;
        QString report;
    };
    const QString tracks = "\n\r 1 track(s) imported.";
    const Case cases[] = {
        // Entries come newest first: Pipes (new), Commas, Tabs.
        {"keep, then overwrite", {{QDialog::Accepted, daKeep, false}, {QDialog::Accepted, daOverwrite, false}}, 0, 2,
         "\n\r 2 route profile(s) imported." + tracks},
        // All three are present now (Pipes came in above): one question keeps them all.
        {"keep for all", {{QDialog::Accepted, daKeep, true}}, 0, 1, "\n\r 0 route profile(s) imported." + tracks},
        {"cancel", {{QDialog::Rejected, daKeep, false}}, ImportStepResult::Cancelled, 1, "earlier line"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(Read(file));
        ChooseAll(Import->RouteProfileItems, Import->SelectedRouteProfiles);
        ChooseAll(Import->TrackItems, Import->SelectedTracks);
        int asked = 0;
        QStringList captions;
        TFormMsgDuplicate::SetPrompter([&](TFormMsgDuplicate &f) {
            captions << f.windowTitle();
            const Answer &a = c.answers.at(size_t(std::min<int>(asked, int(c.answers.size()) - 1)));
            ++asked;
            (a.action == daKeep ? f.RadioButtonActionKeep : f.RadioButtonActionOverwrite)->setChecked(true);
            EXPECT_TRUE(f.RadioButtonActionDuplicate->isHidden());
            f.CheckBoxAction->setChecked(a.all);
            return a.result;
        });
        QString report = c.result == ImportStepResult::Cancelled ? QString("earlier line") : QString();
        EXPECT_EQ(Import->ImportSelected(report, {}), c.result);
        EXPECT_EQ(asked, c.questions);
        EXPECT_EQ(captions.value(0), "Duplicate route profile");
        EXPECT_EQ(report, c.report);
    }
    // "keep, then overwrite" replaced "Tabs" with the file's; Pipes came in; the file was saved.
    int32_t err = -1;
    TNavPtr<ITxtFormatProfileManager> saved(
        CreateTxtFormatProfileManager(TxtFormatProfileManagerGetFileName(Env->RouteProfiles), err));
    ASSERT_EQ(err, 0);
    int32_t index = -1;
    ASSERT_TRUE(TxtFormatProfileManagerFind(saved.get(), "Tabs", index));
    EXPECT_EQ(saved->GetProfile(index)->GetFieldSeparator(), u'\t');
    EXPECT_TRUE(TxtFormatProfileManagerFind(saved.get(), "Pipes", index));
    ASSERT_TRUE(TxtFormatProfileManagerFind(saved.get(), "Commas", index));
    EXPECT_NE(saved->GetProfile(index)->GetFieldSeparator(), u',') << "kept the existing Commas";
}

TEST_F(ImportDataFile, ThreeTracksComeIntoTheTracksFolder) {
    const QString file = WriteDataFile({{BackupTrack, "Morning", TrackBytes("Morning")},
                                        {BackupTrack, "Noon", TrackBytes("Noon")},
                                        {BackupTrack, "Evening", TrackBytes("Evening")},
                                        {BackupWaypointProfile, "Points", ProfileEntryJson("Points")}});
    ASSERT_TRUE(Read(file));
    ChooseAll(Import->TrackItems, Import->SelectedTracks);
    ChooseAll(Import->WaypointProfileItems, Import->SelectedWaypointProfiles);
    bool merged = false;
    QString report;
    EXPECT_EQ(Import->ImportSelected(report, [&](QString &r) {
        merged = true;
        r += "|merge|";
        return ImportStepResult::Done;
    }), ImportStepResult::Done);
    EXPECT_TRUE(merged);
    EXPECT_EQ(report, "|merge|\n\r 1 waypoint profile(s) imported.\n\r 3 track(s) imported.");
    for (const char *name : {"Morning.trk", "Noon.trk", "Evening.trk"}) {
        const QString track = QDir(Env->TracksFolder).filePath(name);
        ASSERT_TRUE(QFileInfo::exists(track)) << name;
        TTrackFileInfo info;
        int32_t err = -1;
        NavTrackGetFileInfo(track, info, err);
        EXPECT_EQ(err, 0) << name;
        EXPECT_EQ(info.Name, QString(name).chopped(4));
    }
    int32_t index = -1;
    EXPECT_TRUE(TxtFormatProfileManagerFind(Env->WaypointProfiles, "Points", index));
    // A second import of the same tracks adds them under new names: the line counts what was written.
    ASSERT_TRUE(Read(file));
    ChooseAll(Import->TrackItems, Import->SelectedTracks);
    report.clear();
    EXPECT_EQ(Import->ImportDataFileTracks(report), 0);
    EXPECT_EQ(report, "\n\r 3 track(s) imported.");
    EXPECT_EQ(Import->ImportChartCollections(nullptr, report), KvErr::InvalidArgument) << "no collection list";
}

TEST(ImportPolarFiles, TheRunSaysNothingWasImported) {
    EXPECT_EQ(PolarImportReport(), "Import completed.\n\n\r 0 Polar diagram(s) imported.");
}
