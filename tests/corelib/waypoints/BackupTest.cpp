#include "TestSupport.h"
#include "NavBackupFixture.h"

#include <KvLibNav6/KvBackup.h>
#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvLib.h>
#include <KvLibNav6/KvTxtFormat.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <memory>

using namespace testsupport;

namespace {

struct Deleter {
    void operator()(NavObject *o) const { ObjectDelete(o); }
};
using BackupPtr = std::unique_ptr<INavBackup, Deleter>;

TStrWRec Rec(const QString &s) {
    return TStrWRec{int32_t(s.size()), reinterpret_cast<const char16_t *>(s.utf16())};
}

QString Text(const TStrWRec *r) { return QString::fromUtf16(r->Text, r->Length); }

QByteArray ReadAll(const QString &file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

BackupPtr Open(const QString &file, int32_t &err) {
    return BackupPtr(NavBackupCreate(Rec(file), nullptr, err));
}

const QByteArray DatabaseBytes("SQLite format 3\0 pretend database pages", 40);

std::vector<TBackupFixtureEntry> SampleEntries() {
    return {{BackupRouteProfile, QStringLiteral("Route CSV"), QByteArray("route profile")},
            {BackupDatabase, QStringLiteral("Waypoints.db"), DatabaseBytes},
            {BackupTrack, QStringLiteral("Amsterdam – Hoorn"), QByteArray("track one")},
            {BackupWaypointProfile, QStringLiteral("Waypoint CSV"), QByteArray("wpt profile")},
            {BackupTrack, QStringLiteral("Hoorn.trk"), QByteArray("track two")},
            {BackupTrack, QStringLiteral("../../escape"), QByteArray("track three")}};
}

}  // namespace

TEST(Backup, FixtureReadsBackWithContentsNamesAndDatabasePosition) {
    const QString dir = MakeTempDir(QStringLiteral("backup"));
    const QString file = dir + "/data.kvbak";
    ASSERT_TRUE(WriteFileBytes(file, NavBackupFixture(SampleEntries())));
    int32_t err = -1;
    BackupPtr b = Open(file, err);
    ASSERT_EQ(err, 0);
    ASSERT_TRUE(b);
    EXPECT_EQ(b->GetContents(), NavBackupContents::WaypointDatabase | NavBackupContents::RouteProfiles |
                                    NavBackupContents::WaypointProfiles | NavBackupContents::Tracks);
    ASSERT_EQ(b->GetTrackCount(), 3);
    EXPECT_EQ(Text(b->GetTrack(0)->GetName()), QStringLiteral("Amsterdam – Hoorn"));
    EXPECT_EQ(Text(b->GetTrack(2)->GetName()), QStringLiteral("../../escape"));
    ASSERT_EQ(b->GetRouteProfileCount(), 1);
    EXPECT_EQ(Text(b->GetRouteProfile(0)->GetName()), QStringLiteral("Route CSV"));
    ASSERT_EQ(b->GetWaypointProfileCount(), 1);
    EXPECT_EQ(Text(b->GetWaypointProfile(0)->GetName()), QStringLiteral("Waypoint CSV"));
    EXPECT_EQ(b->GetTrack(3), nullptr);
    EXPECT_EQ(b->GetTrack(-1), nullptr);
    EXPECT_EQ(b->GetRouteProfile(1), nullptr);

    // The position is where the database's own bytes start inside the file.
    const qint64 pos = b->GetDatabasePosition();
    ASSERT_GT(pos, 0);
    EXPECT_EQ(ReadAll(file).mid(pos, DatabaseBytes.size()), DatabaseBytes);

    // Profiles need a manager to go into; chart collections are no part of this format.
    b->ImportRouteProfiles(nullptr, 0, err);
    EXPECT_EQ(err, KvErr::InvalidArgument);
    b->ImportWaypointProfiles(nullptr, 0, err);
    EXPECT_EQ(err, KvErr::InvalidArgument);
    b->ImportChartCollections(nullptr, 0, err);
    EXPECT_EQ(err, KvErr::NotImplemented);
}

TEST(Backup, ImportTracksWritesOnlySelectedTracksInsideTheFolder) {
    const QString dir = MakeTempDir(QStringLiteral("backupimport"));
    const QString file = dir + "/data.kvbak";
    const QString target = dir + "/Tracks";
    ASSERT_TRUE(QDir().mkpath(target));
    ASSERT_TRUE(WriteFileBytes(file, NavBackupFixture(SampleEntries())));
    ASSERT_TRUE(WriteFileBytes(target + "/Hoorn.trk", "existing"));
    ASSERT_TRUE(WriteFileBytes(target + "/Amsterdam – Hoorn.trk", "existing"));

    int32_t err = -1;
    BackupPtr b = Open(file, err);
    ASSERT_TRUE(b);
    EXPECT_EQ(b->ImportTracks(Rec(target), 0, err), 0) << "nothing selected yet";
    EXPECT_EQ(err, 0);

    b->GetTrack(0)->SetSelected(true);   // existing name, kept: a new unique name
    b->GetTrack(1)->SetSelected(true);   // existing name, overwrite
    b->GetTrack(1)->SetOverwrite(true);
    b->GetTrack(2)->SetSelected(true);   // a name with folder parts stays in the folder
    EXPECT_EQ(b->ImportTracks(Rec(target), 0, err), 3);
    EXPECT_EQ(err, 0);

    struct Case { const char *name; const char *file; QByteArray content; };
    const Case cases[] = {
        {"kept original", "Amsterdam – Hoorn.trk", "existing"},
        {"unique name for the restored one", "Amsterdam – Hoorn (2).trk", "track one"},
        {"overwritten", "Hoorn.trk", "track two"},
        {"folder parts replaced", "_.._escape.trk", "track three"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ReadAll(target + '/' + QString::fromUtf8(c.file)), c.content);
    }
    EXPECT_EQ(QDir(target).entryList(QDir::Files).size(), 4);
    EXPECT_FALSE(QFile::exists(dir + "/escape.trk"));
    EXPECT_FALSE(QFile::exists(QFileInfo(dir).absolutePath() + "/escape.trk"));

    EXPECT_EQ(b->ImportTracks(Rec(dir + "/nowhere"), 0, err), 0);
    EXPECT_EQ(err, KvErr::NotFound);
}

TEST(Backup, DamagedFilesAreRefused) {
    const QString dir = MakeTempDir(QStringLiteral("badbackup"));
    const QByteArray good = NavBackupFixture(SampleEntries());
    QByteArray reserved = NavBackupFixture({{BackupTrack, "T", "x"}});
    reserved[16 + 2] = 1;
    QByteArray huge = NavBackupFixture({{BackupTrack, "T", "x"}});
    huge[16 + 15] = char(0x7f);  // data length near 2^63

    struct Case { const char *name; QByteArray data; int32_t err; };
    const Case cases[] = {
        {"empty", QByteArray(), KvErr::BadFormat},
        {"other file", QByteArray("PK\x03\x04 zip archive of something"), KvErr::BadFormat},
        {"newer version", NavBackupFixture({}, 2), KvErr::BadVersion},
        {"version zero", NavBackupFixture({}, 0), KvErr::BadFormat},
        {"trailing byte", good + 'x', KvErr::BadFormat},
        {"unknown kind", NavBackupFixture({{9, "T", "x"}}), KvErr::BadFormat},
        {"reserved field set", reserved, KvErr::BadFormat},
        {"data length beyond the file", huge, KvErr::BadFormat},
        {"two databases", NavBackupFixture({{BackupDatabase, "a", "1"}, {BackupDatabase, "b", "2"}}),
         KvErr::BadFormat},
        {"empty database", NavBackupFixture({{BackupDatabase, "a", ""}}), KvErr::BadFormat},
        {"name not UTF-8", NavBackupFixture({{BackupTrack, "T", "x"}}).replace("T", "\xff"),
         KvErr::BadFormat},
    };
    const QString file = dir + "/bad.kvbak";
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(WriteFileBytes(file, c.data));
        int32_t err = 0;
        EXPECT_FALSE(Open(file, err));
        EXPECT_EQ(err, c.err);
    }
    for (qsizetype n = 0; n < good.size(); ++n) {
        ASSERT_TRUE(WriteFileBytes(file, good.left(n)));
        int32_t err = 0;
        EXPECT_FALSE(Open(file, err)) << "cut after " << n << " bytes";
        EXPECT_EQ(err, KvErr::BadFormat) << "cut after " << n << " bytes";
    }
    {
        SCOPED_TRACE("an empty data file is valid and holds nothing");
        ASSERT_TRUE(WriteFileBytes(file, NavBackupFixture({})));
        int32_t err = -1;
        BackupPtr b = Open(file, err);
        ASSERT_TRUE(b);
        EXPECT_EQ(b->GetContents(), 0u);
        EXPECT_EQ(b->GetDatabasePosition(), 0);
    }
    int32_t err = 0;
    EXPECT_FALSE(Open(dir + "/missing.kvbak", err));
    EXPECT_EQ(err, KvErr::NotFound);
}

TEST(Backup, SelectedProfilesAreAddedOrReplaceTheirNamesake) {
    const QString dir = MakeTempDir(QStringLiteral("backupprofiles"));
    const QString file = dir + "/data.m5db";
    ASSERT_TRUE(WriteFileBytes(
        file, NavBackupFixture({{BackupRouteProfile, QStringLiteral("Tabs"), ProfileEntryJson("Tabs", u'\t')},
                                {BackupRouteProfile, QStringLiteral("Commas"), ProfileEntryJson("Commas", u',')},
                                {BackupRouteProfile, QStringLiteral("Broken"), QByteArray("{not json")},
                                {BackupRouteProfile, QStringLiteral("Left out"), ProfileEntryJson("Left out")},
                                {BackupWaypointProfile, QStringLiteral("Semis"), ProfileEntryJson("Semis")}})));
    int32_t err = -1;
    BackupPtr b = Open(file, err);
    ASSERT_TRUE(b);
    std::unique_ptr<ITxtFormatProfileManager, Deleter> routes(TxtFormatProfileManagerCreateEmpty());
    routes->Add(Rec("Tabs"));
    routes->Add(Rec("Commas"));
    const int before = routes->GetCount();  // the built-in profile and the two above

    b->GetRouteProfile(0)->SetSelected(true);
    b->GetRouteProfile(0)->SetOverwrite(true);  // replaces "Tabs"
    b->GetRouteProfile(1)->SetSelected(true);   // "Commas" added beside the existing one
    b->GetRouteProfile(2)->SetSelected(true);   // damaged: reported, the others still come in
    b->ImportRouteProfiles(routes.get(), 0, err);
    EXPECT_EQ(err, KvErr::BadFormat);
    ASSERT_EQ(routes->GetCount(), before + 1);
    int32_t index = -1;
    ASSERT_TRUE(routes->Find(Rec("Tabs"), index));
    EXPECT_EQ(routes->GetProfile(index)->GetFieldSeparator(), u'\t') << "replaced in place";
    EXPECT_EQ(index, 1);
    EXPECT_EQ(routes->GetProfile(before)->GetFieldSeparator(), u',');
    EXPECT_EQ(Text(routes->GetProfile(before)->GetName()), QStringLiteral("Commas"));
    EXPECT_FALSE(routes->Find(Rec("Left out"), index));
    int32_t builtIn = -1;
    ASSERT_TRUE(routes->GetDefaultIndex(builtIn));
    EXPECT_EQ(builtIn, 0) << "an imported profile never becomes the built-in one";

    std::unique_ptr<ITxtFormatProfileManager, Deleter> waypoints(TxtFormatProfileManagerCreateEmpty());
    b->GetWaypointProfile(0)->SetSelected(true);
    b->ImportWaypointProfiles(waypoints.get(), 0, err);
    EXPECT_EQ(err, KvErr::Ok);
    EXPECT_TRUE(waypoints->Find(Rec("Semis"), index));
    // Saved and read back like any profile.
    const QString profileFile = dir + "/wpt.json";
    waypoints->SetFileName(Rec(profileFile));
    waypoints->SaveToFile(err);
    ASSERT_EQ(err, KvErr::Ok);
    std::unique_ptr<ITxtFormatProfileManager, Deleter> reread(TxtFormatProfileManagerCreate(Rec(profileFile), err));
    ASSERT_EQ(err, KvErr::Ok);
    EXPECT_TRUE(reread->Find(Rec("Semis"), index));
}
