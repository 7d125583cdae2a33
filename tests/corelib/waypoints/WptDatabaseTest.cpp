#include "TestSupport.h"

#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvGraphics.h>
#include <KvLibNav6/KvLib.h>
#include <KvLibNav6/KvStrUtils.h>
#include <KvLibNav6/KvWaypoints.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

namespace {

struct NavObjectDeleter {
    void operator()(NavObject *o) const { ObjectDelete(o); }
};
template <class T>
using Owned = std::unique_ptr<T, NavObjectDeleter>;

// Verbatim copy: QString::fromUtf16 would treat a leading U+FEFF/U+FFFE as a byte-order mark.
QString Q(const TStrWRec *rec) {
    return rec ? QString(reinterpret_cast<const QChar *>(rec->Text), rec->Length) : QString();
}

// Keeps the QString alive for the call the record is used in.
struct Rec {
    explicit Rec(const QString &s) : Text(s) {}
    operator const TStrWRec &() {
        R.Length = int32_t(Text.size());
        R.Text = reinterpret_cast<const char16_t *>(Text.utf16());
        return R;
    }
    QString Text;
    TStrWRec R;
};

Owned<IWptManager> MakeManager() {
    int32_t err = -1;
    Rec font(QStringLiteral("DejaVu Sans"));
    Owned<IWptManager> m(WptManagerCreate(nullptr, nullptr, 0, 15.5f, 15.5f, font, 10.0f, 0,
                                          0xFF000000u, 8.0f, 1, 0xFF0000FFu, 8.0f, 2, 0xFF00FF00u,
                                          5, nullptr, false, nullptr, nullptr, nullptr, nullptr,
                                          err));
    EXPECT_EQ(err, KvErr::Ok);
    return m;
}

IWptDatabase *NewDb(IWptManager *m, const QString &name) {
    Rec r(name);
    return m->NewDatabase(r);
}

IWptWaypoint *AddWaypoint(IWptDatabase *db, const QString &name, double latDeg, double lonDeg,
                          IWptWaypointType *type = nullptr) {
    IWptWaypoint *w = db->NewWaypoint(nullptr, TGeoPoint3{latDeg * M_PI / 180, lonDeg * M_PI / 180, 0.0}, type);
    EXPECT_NE(w, nullptr);
    int32_t err = -1;
    Rec n(name);
    w->SetName(n, err);
    EXPECT_EQ(err, KvErr::Ok);
    return w;
}

void SetName(IWptObject *o, const QString &name) {
    int32_t err = -1;
    Rec n(name);
    o->SetName(n, err);
    ASSERT_EQ(err, KvErr::Ok);
}

IWptDatabase *Open(IWptManager *m, const QString &file, int32_t &err) {
    Rec f(file);
    return m->OpenDatabase(f, 0, err);
}

int32_t Save(IWptDatabase *db, const QString &file) {
    int32_t err = -1;
    Rec f(file);
    db->SaveToFile(f, err);
    return err;
}

// Runs an SQL script on a database file with the sqlite3 shell; false when there is none.
bool RunSql(const QString &file, const QString &sql) {
    const QString shell = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    if (shell.isEmpty()) return false;
    QProcess p;
    p.start(shell, {file, sql});
    return p.waitForFinished(10000) && p.exitCode() == 0;
}

const QString kDbName = QStringLiteral("Gebruikersdatabase Ωμέγα");
const QString kTypeName = QStringLiteral("Ankerplatz Ankerpl\u00e4tze 錨地");
const QString kWpt1 = QStringLiteral("Łeba Hafen 🛥");
const QString kWpt2 = QStringLiteral("Σύρος");
const QString kWpt3 = QStringLiteral("Køge Bugt");
const QString kGroup = QStringLiteral("Häfen Ῥόδος");

// Builds the database every round-trip test checks: two types, two groups, three waypoints,
// two routes (one following waypoints, one of free points with stays) and an alarm zone.
void Populate(IWptDatabase *db) {
    int32_t err = -1;
    TWptTypeDef def;
    def.MainText = TWptTextStyle{0xFF112233u, 11.0f, WptFontStyle::Bold | WptFontStyle::Italic};
    def.LightChar = TWptTextStyle{0xFF445566u, 7.5f, WptFontStyle::Underline};
    def.SubText = TWptTextStyle{0xFF778899u, 6.0f, 0};
    def.OriginX = 7.5f;
    def.OriginY = 3.5f;
    def.DrawOverlay = true;
    IWptWaypointType *anchor = db->NewType(def, err);
    ASSERT_EQ(err, KvErr::Ok);
    SetName(anchor, kTypeName);
    IWptWaypointType *buoy = db->NewType(TWptTypeDef{}, err);
    SetName(buoy, QStringLiteral("Buoy"));

    IWptWaypoint *w1 = AddWaypoint(db, kWpt1, 54.7596, 17.5560, anchor);
    IWptWaypoint *w2 = AddWaypoint(db, kWpt2, 37.4467, 24.9425, buoy);
    IWptWaypoint *w3 = AddWaypoint(db, kWpt3, 55.4500, 12.1833);
    Rec sub(QStringLiteral("Einfahrt Ost – 4 m")), link(QStringLiteral("https://example.org/łeba"));
    w1->SetSubName(sub, err);
    w1->SetLink(link, err);
    w1->SetProximity(250.0f, err);
    w1->SetScale(2.5f, err);
    w1->SetNamePosition(8, err);
    w1->SetTime(46000.25, err);

    IWptWaypointGroup *g1 = db->NewWaypointGroup(nullptr);
    SetName(g1, kGroup);
    g1->AddWaypoint(w1, err);
    g1->AddWaypoint(w2, err);
    g1->SetVisible(false, 2);
    IWptWaypointGroup *g2 = db->NewWaypointGroup(nullptr);
    SetName(g2, QStringLiteral("Ankerplätze"));
    g2->AddWaypoint(w1, err);

    IWptRoute *r1 = db->NewRoute(46001.5);
    SetName(r1, QStringLiteral("Rund um Rügen"));
    r1->AddPointFromWaypoint(w1, 0, 1, err);
    ASSERT_EQ(err, KvErr::Ok);
    r1->AddPointFromWaypoint(w3, 0, 1, err);
    Rec group(QStringLiteral("Ostsee 2024"));
    r1->SetGroupName(group, err);
    r1->SetPlanMode(WptPlanMode::Tourist, err);
    r1->SetSpeedMode(2, err);
    r1->SetWaterBodyMask(0x101, err);

    IWptRoute *r2 = db->NewRoute(46002.0);
    SetName(r2, QStringLiteral("Κυκλάδες"));
    IWptRoutePoint *p1 = r2->AddPointAtPosition(TRoutePosition{0.65, 0.43, 0.0}, err);
    ASSERT_EQ(err, KvErr::Ok);
    SetName(p1, QStringLiteral("Άγιος Νικόλαος"));
    p1->SetRadius(333.0f, err);
    TRouteStayRec stay;
    stay.Kind = RouteStayKind::LeaveAtTime;
    stay.DepartTime = 0.375;
    stay.Days = 2;
    p1->SetStay(stay, err);
    ASSERT_EQ(err, KvErr::Ok);
    IWptRoutePoint *p2 = r2->AddPointAtPosition(TRoutePosition{0.66, 0.44, 0.0}, err);
    TRouteStayRec stay2;
    stay2.Kind = RouteStayKind::StayFor;
    stay2.Duration = 5400;
    p2->SetStay(stay2, err);
    r2->AddPointFromWaypoint(w2, 0, 1, err);

    // An alarm zone is made through a merge from a scratch database in real use; here the
    // database's own manager-side API has no polygon factory, so zones are covered by merge.
}

void ExpectPopulated(IWptDatabase *db) {
    ASSERT_NE(db, nullptr);
    EXPECT_EQ(Q(db->GetName()), kDbName);
    ASSERT_EQ(db->GetWaypointTypeCount(), 2);
    IWptWaypointType *anchor = db->GetWaypointType(0);
    EXPECT_EQ(Q(anchor->GetName()), kTypeName);
    EXPECT_EQ(anchor->GetMainTextColor(), 0xFF112233u);
    EXPECT_FLOAT_EQ(anchor->GetMainTextSize(), 11.0f);
    EXPECT_EQ(anchor->GetMainTextFontStyle(), WptFontStyle::Bold | WptFontStyle::Italic);
    EXPECT_EQ(anchor->GetLightCharColor(), 0xFF445566u);
    EXPECT_FLOAT_EQ(anchor->GetLightCharSize(), 7.5f);
    EXPECT_EQ(anchor->GetLightCharFontStyle(), WptFontStyle::Underline);
    EXPECT_EQ(anchor->GetSubtextColor(), 0xFF778899u);
    EXPECT_FLOAT_EQ(anchor->GetSubtextSize(), 6.0f);
    EXPECT_FLOAT_EQ(anchor->GetOriginX(), 7.5f);
    EXPECT_FLOAT_EQ(anchor->GetOriginY(), 3.5f);
    EXPECT_TRUE(anchor->GetDrawOverlay());

    ASSERT_EQ(db->GetObjectCount(), 3);
    IWptManager *m = db->GetManager();
    std::vector<IWptWaypoint *> w;
    for (int32_t i = 0; i < m->GetWaypointCount(); ++i)
        if (m->GetWaypoint(i)->GetDatabase() == db) w.push_back(m->GetWaypoint(i));
    ASSERT_EQ(w.size(), 3u);
    EXPECT_EQ(Q(w[0]->GetName()), kWpt1);
    EXPECT_EQ(Q(w[1]->GetName()), kWpt2);
    EXPECT_EQ(Q(w[2]->GetName()), kWpt3);
    EXPECT_NEAR(w[0]->GetLatitude(), 54.7596 * M_PI / 180, 1e-12);
    EXPECT_NEAR(w[0]->GetLongitude(), 17.5560 * M_PI / 180, 1e-12);
    EXPECT_EQ(Q(w[0]->GetSubName()), QStringLiteral("Einfahrt Ost – 4 m"));
    EXPECT_EQ(Q(w[0]->GetLink()), QStringLiteral("https://example.org/łeba"));
    EXPECT_DOUBLE_EQ(w[0]->GetProximity(), 250.0);
    EXPECT_FLOAT_EQ(w[0]->GetScale(), 2.5f);
    EXPECT_EQ(w[0]->GetNamePosition(), 8);
    EXPECT_EQ(w[0]->GetType(), anchor);
    EXPECT_EQ(w[1]->GetType(), db->GetWaypointType(1));
    EXPECT_TRUE(w[2]->GetType()->IsDefault());

    ASSERT_EQ(db->GetWaypointGroupCount(), 2);
    IWptWaypointGroup *g1 = db->GetWaypointGroup(0);
    EXPECT_EQ(Q(g1->GetName()), kGroup);
    EXPECT_EQ(g1->GetWaypointCount(), 2);
    EXPECT_FALSE(g1->IsVisibleIn(2));
    EXPECT_TRUE(g1->IsVisibleIn(1));
    Owned<IWptWaypointGroupList> groups(WptWaypointGroupListCreate(0));
    w[0]->GetGroups(groups.get());
    EXPECT_EQ(groups->GetCount(), 2);

    ASSERT_EQ(db->GetRouteCount(), 2);
    IWptRoute *r1 = db->GetRoute(0);
    EXPECT_EQ(Q(r1->GetName()), QStringLiteral("Rund um Rügen"));
    EXPECT_EQ(Q(r1->GetGroupName()), QStringLiteral("Ostsee 2024"));
    EXPECT_DOUBLE_EQ(r1->GetStartTime(), 46001.5);
    EXPECT_EQ(r1->GetPlanMode(), WptPlanMode::Tourist);
    EXPECT_EQ(r1->GetSpeedMode(), 2);
    EXPECT_EQ(r1->GetWaterBodyMask(), 0x101u);
    ASSERT_EQ(r1->GetPointCount(), 2);
    EXPECT_EQ(r1->GetPoint(0)->GetWaypoint(), w[0]);
    EXPECT_EQ(Q(r1->GetPoint(0)->GetName()), kWpt1);
    EXPECT_EQ(r1->GetPoint(1)->GetWaypoint(), w[2]);
    EXPECT_EQ(r1->GetPoint(1)->GetIndex(), 1);
    EXPECT_EQ(r1->GetPoint(0)->GetNext(), r1->GetPoint(1));

    IWptRoute *r2 = db->GetRoute(1);
    EXPECT_EQ(Q(r2->GetName()), QStringLiteral("Κυκλάδες"));
    ASSERT_EQ(r2->GetPointCount(), 3);
    IWptRoutePoint *p1 = r2->GetPoint(0);
    EXPECT_EQ(Q(p1->GetName()), QStringLiteral("Άγιος Νικόλαος"));
    EXPECT_DOUBLE_EQ(p1->GetPosition()->Lat, 0.65);
    EXPECT_DOUBLE_EQ(p1->GetPosition()->Lon, 0.43);
    EXPECT_DOUBLE_EQ(p1->GetRadius(), 333.0);
    EXPECT_EQ(p1->GetStay()->Kind, RouteStayKind::LeaveAtTime);
    EXPECT_DOUBLE_EQ(p1->GetStay()->DepartTime, 0.375);
    EXPECT_EQ(p1->GetStay()->Days, 2);
    EXPECT_EQ(r2->GetPoint(1)->GetStay()->Kind, RouteStayKind::StayFor);
    EXPECT_EQ(r2->GetPoint(1)->GetStay()->Duration, 5400);
    EXPECT_EQ(r2->GetPoint(2)->GetWaypoint(), w[1]);
}

class WptDatabase : public ::testing::Test {
protected:
    void SetUp() override {
        FDir = testsupport::MakeTempDir(QStringLiteral("wpt"));
        FFile = FDir + QStringLiteral("/Waypoints.db");
        TWptRouteDefaults d;
        SetWptRouteDefaults(d);
    }
    void TearDown() override {
        TWptRouteDefaults d;
        SetWptRouteDefaults(d);
        Rec wp(QStringLiteral("WP"));
        SetWaypointNamePrefix(wp);
    }
    // A saved and closed database of Populate.
    void MakeFile() {
        auto m = MakeManager();
        IWptDatabase *db = NewDb(m.get(), kDbName);
        Populate(db);
        ASSERT_EQ(Save(db, FFile), KvErr::Ok);
    }
    QString FDir, FFile;
};

TEST_F(WptDatabase, EverythingSurvivesSaveCloseAndReopenWithNonLatinNames) {
    TGUID guid;
    {
        auto m = MakeManager();
        IWptDatabase *db = NewDb(m.get(), kDbName);
        Populate(db);
        guid = *db->GetGUID();
        ASSERT_EQ(Save(db, FFile), KvErr::Ok);
        EXPECT_EQ(Q(db->GetFileName()), FFile);
        db->Close();
        EXPECT_EQ(m->GetDatabaseCount(), 0);
    }
    auto m = MakeManager();
    int32_t err = -1;
    IWptDatabase *db = Open(m.get(), FFile, err);
    ASSERT_EQ(err, KvErr::Ok);
    EXPECT_EQ(*db->GetGUID(), guid);
    EXPECT_EQ(m->IndexOfDatabase(guid), 0);
    ExpectPopulated(db);

    // Saved again from the reopened state, nothing drifts.
    const QString second = FDir + QStringLiteral("/second.db");
    ASSERT_EQ(Save(db, second), KvErr::Ok);
    db->Close();
    ExpectPopulated(Open(m.get(), second, err));
}

TEST_F(WptDatabase, NamesStartingWithByteOrderMarkCharactersSurvive) {
    const QString names[] = {QString(QChar(0xFEFF)) + QStringLiteral("Buoy"),
                             QString(QChar(0xFFFE)) + QStringLiteral("ab")};
    {
        auto m = MakeManager();
        IWptDatabase *db = NewDb(m.get(), kDbName);
        for (const QString &n : names) AddWaypoint(db, n, 52, 5);
        ASSERT_EQ(Save(db, FFile), KvErr::Ok);
        db->Close();
    }
    auto m = MakeManager();
    int32_t err = -1;
    ASSERT_NE(Open(m.get(), FFile, err), nullptr);
    ASSERT_EQ(err, KvErr::Ok);
    QStringList back;
    for (int32_t i = 0; i < m->GetWaypointCount(); ++i) back << Q(m->GetWaypoint(i)->GetName());
    EXPECT_EQ(back, QStringList(std::begin(names), std::end(names)));
}

TEST_F(WptDatabase, HeaderIsReadWithoutOpening) {
    MakeFile();
    TGUID guid;
    TDateTime date = 0;
    int32_t version = 0, waypoints = 0, routes = 0, polygons = 0, err = -1;
    bool prot = true;
    IStrW *ident = StrWCreate(nullptr, 0);
    IStrWList *texts = StrWListCreate();
    Rec f(FFile);
    WptDatabaseReadHeader(f, guid, ident, date, version, waypoints, routes, polygons, prot, texts,
                          err);
    EXPECT_EQ(err, KvErr::Ok);
    EXPECT_EQ(version, 2);
    EXPECT_EQ(waypoints, 3);
    EXPECT_EQ(routes, 2);
    EXPECT_EQ(polygons, 0);
    EXPECT_FALSE(prot);
    EXPECT_GT(date, 40000.0);
    StrWDelete(ident);
    ObjectDelete(texts);

    Rec missing(FDir + QStringLiteral("/none.db"));
    WptDatabaseReadHeader(missing, guid, nullptr, date, version, waypoints, routes, polygons, prot,
                          nullptr, err);
    EXPECT_EQ(err, KvErr::NotFound);
}

TEST_F(WptDatabase, DamagedAndForeignFilesAreErrorsWithText) {
    MakeFile();
    QFile good(FFile);
    ASSERT_TRUE(good.open(QIODevice::ReadOnly));
    const QByteArray valid = good.readAll();
    good.close();
    QByteArray flipped = valid;
    // One whole page in the middle is garbage (pages are 4096 bytes by default).
    const qsizetype page = (valid.size() / 2) / 4096 * 4096;
    for (qsizetype i = page; i < std::min(page + 4096, valid.size()); ++i) flipped[i] = char(~flipped[i]);

    struct Case {
        const char *name;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"empty file", QByteArray()},
        {"text file", QByteArray("Name;Lat;Lon\nHarbour;52.1;4.3\n")},
        {"PNG image", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)},
        {"first half of a database", valid.left(valid.size() / 2)},
        {"first 100 bytes only", valid.left(100)},
        {"damaged pages", flipped},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = FDir + QStringLiteral("/bad-%1.db").arg(QString::fromLatin1(c.name).replace(u' ', u'_'));
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(c.bytes);
        out.close();
        auto m = MakeManager();
        int32_t err = KvErr::Ok;
        EXPECT_EQ(Open(m.get(), file, err), nullptr);
        EXPECT_NE(err, KvErr::Ok);
        EXPECT_EQ(m->GetDatabaseCount(), 0);
        EXPECT_FALSE(Q(ErrorToStr(err)).startsWith(QStringLiteral("Unknown error")));
    }
}

TEST_F(WptDatabase, OtherSchemaAndNewerVersionAreRefused) {
    MakeFile();
    const QString foreign = FDir + QStringLiteral("/foreign.db");
    const QString newer = FDir + QStringLiteral("/newer.db");
    QFile::copy(FFile, newer);
    if (!RunSql(foreign, QStringLiteral("CREATE TABLE t(a); INSERT INTO t VALUES(1);")) ||
        !RunSql(newer, QStringLiteral("UPDATE meta SET value = 99 WHERE key = 'version';")))
        GTEST_SKIP() << "the sqlite3 shell is not installed";
    auto m = MakeManager();
    int32_t err = KvErr::Ok;
    EXPECT_EQ(Open(m.get(), foreign, err), nullptr);
    EXPECT_EQ(err, KvErr::BadFormat);
    EXPECT_EQ(Open(m.get(), newer, err), nullptr);
    EXPECT_EQ(err, KvErr::BadVersion);
}

TEST_F(WptDatabase, FailedSaveKeepsTheLastSavedFileAndReportsTheError) {
    auto m = MakeManager();
    IWptDatabase *db = NewDb(m.get(), kDbName);
    Populate(db);
    ASSERT_EQ(Save(db, FFile), KvErr::Ok);
    QFile f(FFile);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray before = f.readAll();
    f.close();

    AddWaypoint(db, QStringLiteral("never saved"), 1.0, 1.0);
    // The save's scratch file cannot be made: something that is not a file is in its way.
    const QString blocker = FFile + QStringLiteral(".saving");
    ASSERT_TRUE(QDir().mkpath(blocker + QStringLiteral("/inside")));
    EXPECT_NE(Save(db, FFile), KvErr::Ok);
    int32_t result = KvErr::Ok;
    db->GetSaveResult(result);
    EXPECT_NE(result, KvErr::Ok);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
    f.close();

    // The target cannot be replaced (a folder of that name): nothing is lost either.
    const QString folderTarget = FDir + QStringLiteral("/folder.db");
    ASSERT_TRUE(QDir().mkpath(folderTarget + QStringLiteral("/inside")));
    EXPECT_NE(Save(db, folderTarget), KvErr::Ok);
    EXPECT_TRUE(QFileInfo(folderTarget + QStringLiteral("/inside")).isDir());
    EXPECT_FALSE(QFileInfo::exists(folderTarget + QStringLiteral(".saving")));

    // Once the way is clear, closing writes the change the failed saves could not.
    QDir(blocker).removeRecursively();
    db->Close();
    int32_t err = -1;
    IWptDatabase *reopened = Open(m.get(), FFile, err);
    ASSERT_EQ(err, KvErr::Ok);
    EXPECT_EQ(reopened->GetObjectCount(), 4);
}

// The other process of the kill test: saves a growing database over and over and says so
// after every complete save.
TEST(WptDatabaseChild, DISABLED_SavesUntilKilled) {
    const QString file = qEnvironmentVariable("MARIVO_WPT_CHILD_FILE");
    if (file.isEmpty()) GTEST_SKIP() << "runs only as the child process of the kill test";
    auto m = MakeManager();
    IWptDatabase *db = NewDb(m.get(), kDbName);
    for (int i = 0; i < 3000; ++i) AddWaypoint(db, QString::number(i), 10.0, 10.0);
    for (int i = 3000; i < 10000; ++i) {  // ends by itself should its parent be gone
        ASSERT_EQ(Save(db, file), KvErr::Ok);
        testsupport::TellParent("saved");
        AddWaypoint(db, QString::number(i), 10.0, 10.0);
    }
}

TEST_F(WptDatabase, KillDuringSaveLeavesACompleteSavedState) {
    // Killed in the save after its first, second and third: the file must then open and hold
    // one complete state, at least the one saved last, of n waypoints named 0..n-1.
    for (int saves = 1; saves <= 3; ++saves) {
        SCOPED_TRACE(saves);
        const QString file = FDir + QStringLiteral("/killed-%1.db").arg(saves);
        testsupport::TChildProcess child(QStringLiteral("WptDatabaseChild.DISABLED_SavesUntilKilled"),
                                         {{QStringLiteral("MARIVO_WPT_CHILD_FILE"), file}});
        ASSERT_TRUE(child.WaitForLine("saved", saves)) << child.Output().constData();
        ASSERT_TRUE(child.Kill()) << "the child stopped on its own:\n" << child.Output().constData();
        auto m = MakeManager();
        int32_t err = -1;
        IWptDatabase *db = Open(m.get(), file, err);
        ASSERT_EQ(err, KvErr::Ok);
        EXPECT_GE(db->GetObjectCount(), 3000 + saves - 1);
        for (int32_t i = 0; i < m->GetWaypointCount(); ++i)
            ASSERT_EQ(Q(m->GetWaypoint(i)->GetName()), QString::number(i));
    }
}

TEST_F(WptDatabase, ChangesReachTheFileWithoutAnExplicitSave) {
    // Counts the waypoints the file holds, read by a manager of its own.
    const auto onDisk = [this] {
        auto reader = MakeManager();
        int32_t err = -1;
        IWptDatabase *db = Open(reader.get(), FFile, err);
        return db ? db->GetObjectCount() : -1;
    };
    {
        auto m = MakeManager();
        IWptDatabase *db = NewDb(m.get(), kDbName);
        ASSERT_EQ(Save(db, FFile), KvErr::Ok);
        AddWaypoint(db, QStringLiteral("first"), 1.0, 1.0);
        // Saved by itself shortly after the change, with the program still running.
        EXPECT_TRUE(QTest::qWaitFor([&] { return onDisk() == 1; }, 10000));
        int32_t err = -1;
        db->GetSaveResult(err);
        EXPECT_EQ(err, KvErr::Ok);
        AddWaypoint(db, QStringLiteral("second"), 2.0, 2.0);
        // Closing saves what the timer has not yet written.
        db->Close();
        EXPECT_EQ(onDisk(), 2);
    }
    {
        auto m = MakeManager();
        int32_t err = -1;
        IWptDatabase *db = Open(m.get(), FFile, err);
        ASSERT_EQ(err, KvErr::Ok);
        AddWaypoint(db, QStringLiteral("third"), 3.0, 3.0);
    }  // the manager ends with the program: its databases keep their last changes
    EXPECT_EQ(onDisk(), 3);
    // A database without a file of its own (an import's) writes nothing anywhere.
    auto m = MakeManager();
    AddWaypoint(NewDb(m.get(), QStringLiteral("import")), QStringLiteral("x"), 4.0, 4.0);
}

TEST_F(WptDatabase, RecoverRenamesADamagedFileAsideAndFallsBackToTheBackup) {
    auto m = MakeManager();
    IWptDatabase *db = NewDb(m.get(), kDbName);
    Populate(db);
    ASSERT_EQ(Save(db, FFile), KvErr::Ok);
    AddWaypoint(db, QStringLiteral("later"), 2.0, 2.0);
    ASSERT_EQ(Save(db, FFile), KvErr::Ok);  // the first state is now the backup
    db->Close();
    QFile f(FFile);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("garbage that is no database at all");
    f.close();

    IStrW *name = StrWCreate(nullptr, 0);
    int32_t notice = 0, err = -1;
    Rec file(FFile);
    IWptDatabase *rec = m->OpenDatabaseRecover(file, 0, name, notice, err);
    ASSERT_EQ(err, KvErr::Ok);
    ASSERT_NE(rec, nullptr);
    EXPECT_EQ(notice, 1);
    const QString aside = Q(name->GetRec());
    EXPECT_TRUE(aside.startsWith(FFile + QStringLiteral(".damaged-")));
    EXPECT_TRUE(QFileInfo::exists(aside));
    EXPECT_EQ(rec->GetObjectCount(), 3);
    EXPECT_EQ(Q(rec->GetFileName()), FFile);
    StrWDelete(name);

    Rec missing(FDir + QStringLiteral("/none.db"));
    EXPECT_EQ(m->OpenDatabaseRecover(missing, 0, nullptr, notice, err), nullptr);
    EXPECT_EQ(err, KvErr::NotFound);
}

TEST_F(WptDatabase, NamesTooLongAndReadOnlyRoutesAreRefused) {
    MakeFile();
    if (!RunSql(FFile, QStringLiteral("UPDATE routes SET protected = 1 WHERE ord = 1;")))
        GTEST_SKIP() << "the sqlite3 shell is not installed";
    auto m = MakeManager();
    int32_t err = -1;
    IWptDatabase *db = Open(m.get(), FFile, err);
    ASSERT_EQ(err, KvErr::Ok);
    IWptRoute *open = db->GetRoute(0), *locked = db->GetRoute(1);
    EXPECT_FALSE(open->IsReadOnly());
    EXPECT_TRUE(locked->IsReadOnly());

    Rec longName(QString(256, QChar(u'ж')));
    Rec okName(QString(255, QChar(u'ж')));
    struct Case {
        const char *name;
        IWptObject *object;
        TStrWRec text;
        int32_t err;
    };
    IWptRoutePoint *freePoint = locked->GetPoint(0);
    const Case cases[] = {
        {"route name too long", open, longName, KvErr::NameTooLong},
        {"route name at the limit", open, okName, KvErr::Ok},
        {"read-only route", locked, okName, KvErr::ReadOnly},
        {"point of a read-only route", freePoint, okName, KvErr::ReadOnly},
        {"point named by its waypoint", open->GetPoint(0), okName, KvErr::PointAttached},
        {"waypoint name too long", db->GetManager()->GetWaypoint(0), longName, KvErr::NameTooLong},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        int32_t e = -1;
        c.object->SetName(c.text, e);
        EXPECT_EQ(e, c.err);
    }
    EXPECT_EQ(Q(locked->GetName()), QStringLiteral("Κυκλάδες"));
    locked->AddPointAtPosition(TRoutePosition{0.1, 0.1, 0.0}, err);
    EXPECT_EQ(err, KvErr::ReadOnly);
    EXPECT_EQ(locked->GetPointCount(), 3);
    locked->DeleteFromDatabase(err);
    EXPECT_EQ(err, KvErr::ReadOnly);
    EXPECT_EQ(db->GetRouteCount(), 2);

    // A point that is too long on a writable route, not attached to a waypoint.
    IWptRoutePoint *p = open->AddPointAtPosition(TRoutePosition{0.2, 0.2, 0.0}, err);
    p->SetName(longName, err);
    EXPECT_EQ(err, KvErr::NameTooLong);
}

TEST_F(WptDatabase, FieldsKeepTheirLanguageNames) {
    MakeFile();
    const char16_t *sql = uR"(
INSERT INTO fields VALUES(0, X'00112233445566778899AABBCCDDEEFF', 'Depth', 0,
  'Depth', 'Diepte', 'Tiefe', 'Profondeur', 'Profundidad', 'Profondità', 'Dybde', 'Djup');
INSERT INTO type_fields VALUES(0, 0, 0);)";
    if (!RunSql(FFile, QString::fromUtf16(sql))) GTEST_SKIP() << "the sqlite3 shell is not installed";
    const QStringList names = {QStringLiteral("Depth"), QStringLiteral("Diepte"),
                               QStringLiteral("Tiefe"), QStringLiteral("Profondeur"),
                               QStringLiteral("Profundidad"), QStringLiteral("Profondità"),
                               QStringLiteral("Dybde"), QStringLiteral("Djup")};
    for (int pass = 0; pass < 2; ++pass) {
        SCOPED_TRACE(pass);
        auto m = MakeManager();
        int32_t err = -1;
        IWptDatabase *db = Open(m.get(), FFile, err);
        ASSERT_EQ(err, KvErr::Ok);
        IWptWaypointType *t = db->GetWaypointType(0);
        ASSERT_EQ(t->GetFieldCount(), 1);
        IWptWaypointField *f = t->GetField(0);
        EXPECT_TRUE(t->HasField(f));
        EXPECT_EQ(Q(f->GetName()), QStringLiteral("Depth"));
        for (int lang = 1; lang <= 8; ++lang) EXPECT_EQ(Q(f->GetNameInLanguage(lang)), names[lang - 1]);
        EXPECT_EQ(Q(f->GetNameInLanguage(9)), QString());
        // The second pass reads what the library itself wrote.
        ASSERT_EQ(Save(db, FFile), KvErr::Ok);
    }
}

// ---------------------------------------------------------------------------------------------
// Merge

struct DupLog {
    int32_t Answer = WptDuplicateAction::KeepExisting;
    bool ApplyToAll = false;
    bool Cancel = false;
    int Calls = 0;
    QStringList ExistingNames;
};

void DupCallback(void *data, IWptObjectList *existing, NavObject *incoming, int32_t &selected,
                 int32_t &action, bool &applyToAll, bool &cancel) {
    auto *log = static_cast<DupLog *>(data);
    ++log->Calls;
    for (int32_t i = 0; i < existing->GetCount(); ++i)
        log->ExistingNames << Q(dynamic_cast<IWptObject *>(existing->GetItem(i))->GetName());
    EXPECT_NE(dynamic_cast<IWptObject *>(incoming), nullptr);
    selected = 0;
    action = log->Answer;
    applyToAll = log->ApplyToAll;
    cancel = log->Cancel;
}

TEST_F(WptDatabase, MergeFollowsEachDuplicateAnswer) {
    struct Case {
        const char *name;
        int32_t answer;
        bool cancel;
        bool applyToAll;
        int32_t expectErr;
        int32_t expectCount;      // waypoints in the target afterwards
        double expectLatDeg;      // of the first "Harbour" in the target
        int expectCalls;
        int32_t expectAdded;
    };
    const Case cases[] = {
        {"keep existing", WptDuplicateAction::KeepExisting, false, false, KvErr::Ok, 2, 50.0, 2, 1},
        {"overwrite (twice: the last one wins)", WptDuplicateAction::Overwrite, false, false, KvErr::Ok, 2, 51.5, 2, 1},
        {"add as duplicate", WptDuplicateAction::AddAsDuplicate, false, false, KvErr::Ok, 4, 50.0, 2, 3},
        {"apply to all", WptDuplicateAction::AddAsDuplicate, false, true, KvErr::Ok, 4, 50.0, 1, 3},
        {"cancel", WptDuplicateAction::KeepExisting, true, false, KvErr::Cancelled, 1, 50.0, 1, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        auto m = MakeManager();
        IWptDatabase *target = NewDb(m.get(), QStringLiteral("target"));
        AddWaypoint(target, QStringLiteral("Harbour"), 50.0, 4.0);
        IWptDatabase *import = NewDb(m.get(), QStringLiteral("import"));
        // "Fresh" comes first: cancelling on the first duplicate keeps it merged.
        IWptWaypoint *fresh = AddWaypoint(import, QStringLiteral("Fresh"), 52.0, 4.0);
        IWptWaypoint *dup = AddWaypoint(import, QStringLiteral("HARBOUR"), 51.0, 4.0);
        IWptWaypoint *dup2 = AddWaypoint(import, QStringLiteral("harbour"), 51.5, 4.0);
        Owned<IWptWaypointList> list(WptWaypointListCreate(0));
        list->Add(fresh);
        list->Add(dup);
        list->Add(dup2);
        Owned<IWptObjectList> added(WptWaypointListCreate(0));
        DupLog log;
        log.Answer = c.answer;
        log.Cancel = c.cancel;
        log.ApplyToAll = c.applyToAll;
        int32_t err = -1;
        target->MergeObjects(nullptr, nullptr, nullptr, list.get(), DupCallback, &log, nullptr,
                             nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                             nullptr, nullptr, added.get(), nullptr, nullptr, nullptr, nullptr,
                             err);
        EXPECT_EQ(err, c.expectErr);
        EXPECT_EQ(log.Calls, c.expectCalls);
        ASSERT_FALSE(log.ExistingNames.isEmpty());
        EXPECT_EQ(log.ExistingNames.first(), QStringLiteral("Harbour"));
        EXPECT_EQ(target->GetObjectCount(), c.expectCount + (c.cancel ? 1 : 0));
        EXPECT_EQ(added->GetCount(), c.expectAdded + (c.cancel ? 1 : 0));
        IWptWaypoint *first = dynamic_cast<IWptWaypoint *>(m->GetWaypoint(0));
        EXPECT_NEAR(first->GetLatitude() * 180 / M_PI, c.expectLatDeg, 1e-9);
        // The import database is untouched.
        EXPECT_EQ(import->GetObjectCount(), 3);
    }
}

TEST_F(WptDatabase, MergeRedirectsReferencesAndReportsChangedRouteGuids) {
    auto m = MakeManager();
    IWptDatabase *target = NewDb(m.get(), QStringLiteral("target"));
    IWptDatabase *import = NewDb(m.get(), QStringLiteral("import"));
    int32_t err = -1;
    IWptWaypointType *t = import->NewType(TWptTypeDef{}, err);
    SetName(t, QStringLiteral("Marina"));
    IWptWaypoint *w = AddWaypoint(import, QStringLiteral("Enkhuizen"), 52.7, 5.3, t);
    IWptWaypointGroup *g = import->NewWaypointGroup(nullptr);
    SetName(g, QStringLiteral("IJsselmeer"));
    g->AddWaypoint(w, err);
    IWptRoute *r = import->NewRoute(0.0);
    SetName(r, QStringLiteral("Tocht"));
    r->AddPointFromWaypoint(w, 0, 1, err);
    r->AddPointAtPosition(TRoutePosition{0.92, 0.09, 0.0}, err);
    // The same route a second time: its GUID is taken once the first copy is in.
    IWptRoute *copy = import->CopyRoute(r, true);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetPoint(1)->GetWaypoint(), w);

    Owned<IWptWaypointList> wl(WptWaypointListCreate(0));
    wl->Add(w);
    Owned<IWptWaypointGroupList> gl(WptWaypointGroupListCreate(0));
    gl->Add(g);
    Owned<IWptRouteList> rl(WptRouteListCreate(0));
    rl->Add(r);
    Owned<IWptRouteGUIDChangeList> changes(WptRouteGUIDChangeListCreate(0));
    Owned<IWptObjectList> typesAdded(WptWaypointTypeListCreate(0));
    target->MergeObjects(nullptr, nullptr, nullptr, wl.get(), nullptr, nullptr, gl.get(), nullptr,
                         nullptr, nullptr, nullptr, nullptr, rl.get(), nullptr, nullptr,
                         typesAdded.get(), nullptr, nullptr, nullptr, nullptr, changes.get(), err);
    ASSERT_EQ(err, KvErr::Ok);
    ASSERT_EQ(target->GetObjectCount(), 1);
    ASSERT_EQ(target->GetWaypointTypeCount(), 1);  // came along with its waypoint
    EXPECT_EQ(typesAdded->GetCount(), 1);
    ASSERT_EQ(target->GetRouteCount(), 1);
    IWptRoute *merged = target->GetRoute(0);
    IWptWaypoint *mergedWpt = merged->GetPoint(0)->GetWaypoint();
    ASSERT_NE(mergedWpt, nullptr);
    EXPECT_EQ(mergedWpt->GetDatabase(), target);
    EXPECT_EQ(mergedWpt->GetType(), target->GetWaypointType(0));
    EXPECT_EQ(target->GetWaypointGroup(0)->GetWaypointCount(), 1);
    EXPECT_EQ(changes->GetCount(), 0);  // the GUID was free

    // Merged again as a duplicate: the route needs a new GUID and says so.
    rl->Clear();
    rl->Add(r);
    target->MergeObjects(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr, nullptr, nullptr, rl.get(), nullptr, nullptr, nullptr,
                         nullptr, nullptr, nullptr, nullptr, changes.get(), err);
    ASSERT_EQ(err, KvErr::Ok);
    EXPECT_EQ(target->GetRouteCount(), 2);
    ASSERT_EQ(changes->GetCount(), 1);
    EXPECT_FALSE(*dynamic_cast<IWptRoute *>(changes->GetItem(0))->GetGUID() == *r->GetGUID());
}

// ---------------------------------------------------------------------------------------------
// Manager, lists, defaults and prefix

TEST_F(WptDatabase, DeletedObjectsLeaveNoDanglingListEntries) {
    auto m = MakeManager();
    IWptDatabase *db = NewDb(m.get(), QStringLiteral("db"));
    IWptWaypoint *a = AddWaypoint(db, QStringLiteral("a"), 1, 1);
    IWptWaypoint *b = AddWaypoint(db, QStringLiteral("b"), 1, 1);
    IWptRoute *r = db->NewRoute(0.0);
    int32_t err = -1;
    IWptRoutePoint *p = r->AddPointFromWaypoint(a, 0, 1, err);
    Owned<IWptWaypointList> list(WptWaypointListCreate(1));
    list->Add(a);
    list->Add(b);
    a->DeleteFromDatabase(err);
    ASSERT_EQ(err, KvErr::Ok);
    ASSERT_EQ(list->GetCount(), 1);
    EXPECT_EQ(list->GetItem(0), b);
    // The route point keeps the name and place its waypoint had.
    EXPECT_EQ(p->GetWaypoint(), nullptr);
    EXPECT_EQ(Q(p->GetName()), QStringLiteral("a"));
    db->Close();
    EXPECT_EQ(list->GetCount(), 0);
}

TEST_F(WptDatabase, ListsSortByTrailingNumber) {
    auto m = MakeManager();
    IWptDatabase *db = NewDb(m.get(), QStringLiteral("db"));
    Owned<IWptWaypointList> list(WptWaypointListCreate(0));
    list->SetCompare(WPTCompareNameByTrailingNumberI);
    for (const char *n : {"buoy 10", "Buoy 9", "anchorage", "Buoy 100", "buoy 09b"})
        list->Add(AddWaypoint(db, QString::fromLatin1(n), 1, 1));
    QStringList names;
    for (int32_t i = 0; i < list->GetCount(); ++i)
        names << Q(dynamic_cast<IWptObject *>(list->GetItem(i))->GetName());
    // "buoy 09b" ends in a letter, so all of it is the text before the number: it sorts
    // after "buoy " followed by any number.
    EXPECT_EQ(names, (QStringList{"anchorage", "Buoy 9", "buoy 10", "Buoy 100", "buoy 09b"}));
}

TEST_F(WptDatabase, CollectWaypointsOfGroupsAndTheUngrouped) {
    auto m = MakeManager();
    IWptDatabase *db = NewDb(m.get(), QStringLiteral("db"));
    IWptWaypoint *in = AddWaypoint(db, QStringLiteral("in"), 1, 1);
    IWptWaypoint *out = AddWaypoint(db, QStringLiteral("out"), 1, 1);
    IWptWaypointGroup *g = db->NewWaypointGroup(nullptr);
    int32_t err = -1;
    g->AddWaypoint(in, err);
    struct Case {
        const char *name;
        std::vector<IWptWaypointGroup *> groups;
        std::vector<IWptWaypoint *> expect;
    };
    const Case cases[] = {
        {"the group", {g}, {in}},
        {"ungrouped", {m->GetUngroupedGroup()}, {out}},
        {"both, no doubles", {g, m->GetUngroupedGroup(), g}, {in, out}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Owned<IWptWaypointGroupList> gl(WptWaypointGroupListCreate(0));
        for (auto *x : c.groups) gl->Add(x);
        Owned<IWptWaypointList> wl(WptWaypointListCreate(0));
        m->CollectWaypoints(wl.get(), gl.get(), 0, 0, nullptr, 1);
        ASSERT_EQ(wl->GetCount(), int32_t(c.expect.size()));
        for (size_t i = 0; i < c.expect.size(); ++i) EXPECT_EQ(wl->GetItem(int32_t(i)), c.expect[i]);
    }
    EXPECT_TRUE(m->GetUngroupedGroup()->IsUngrouped());
    EXPECT_EQ(m->GetUngroupedGroup()->GetWaypointCount(), 1);
    m->GetDefaultWaypointType()->DeleteFromDatabase(err);
    EXPECT_EQ(err, KvErr::ReadOnly);
}

TEST_F(WptDatabase, RouteDefaultsApplyToNewRoutesAndPoints) {
    TWptRouteDefaults d;
    d.PlannerMode = WptPlanMode::Shortest;
    d.MotoringSpeed = 1;
    d.WaterBodies = 0x3;
    d.PointRadius = 42.0f;
    d.XTEAlarm = true;
    SetWptRouteDefaults(d);
    TWptRouteDefaults back;
    _GetWptRouteDefaults(back);
    EXPECT_EQ(std::memcmp(&back, &d, sizeof d), 0);

    auto m = MakeManager();
    IWptDatabase *db = NewDb(m.get(), QStringLiteral("db"));
    IWptRoute *r = db->NewRoute(0.0);
    EXPECT_EQ(r->GetPlanMode(), WptPlanMode::Shortest);
    EXPECT_EQ(r->GetSpeedMode(), 1);
    EXPECT_EQ(r->GetWaterBodyMask(), 0x3u);
    int32_t err = -1;
    IWptRoutePoint *p = r->AddPointAtPosition(TRoutePosition{0.1, 0.1, 0.0}, err);
    EXPECT_DOUBLE_EQ(p->GetRadius(), 42.0);
}

TEST_F(WptDatabase, NewWaypointsAreNumberedAfterThePrefix) {
    Rec prefix(QStringLiteral("Ориентир "));
    SetWaypointNamePrefix(prefix);
    IStrW *out = StrWCreate(nullptr, 0);
    GetWaypointNamePrefix(out);
    EXPECT_EQ(Q(out->GetRec()), QStringLiteral("Ориентир "));
    StrWDelete(out);
    {
        auto m = MakeManager();
        IWptDatabase *db = NewDb(m.get(), QStringLiteral("db"));
        IWptWaypoint *a = db->NewWaypoint(nullptr, TGeoPoint3{0.1, 0.1, 0}, nullptr);
        IWptWaypoint *b = db->NewWaypoint(nullptr, TGeoPoint3{0.1, 0.1, 0}, nullptr);
        EXPECT_EQ(Q(a->GetName()), QStringLiteral("Ориентир 001"));
        EXPECT_EQ(Q(b->GetName()), QStringLiteral("Ориентир 002"));
        ASSERT_EQ(Save(db, FFile), KvErr::Ok);
    }
    auto m = MakeManager();
    int32_t err = -1;
    IWptDatabase *db = Open(m.get(), FFile, err);
    ASSERT_EQ(err, KvErr::Ok);
    IWptWaypoint *c = db->NewWaypoint(nullptr, TGeoPoint3{0.1, 0.1, 0}, nullptr);
    EXPECT_EQ(Q(c->GetName()), QStringLiteral("Ориентир 003"));
    EXPECT_EQ(db->NewWaypoint(nullptr, TGeoPoint3{2.0, 0.1, 0}, nullptr), nullptr);  // lat > 90°
}

TEST_F(WptDatabase, RoutesFollowWaypointsOfAnotherDatabaseAcrossReopening) {
    const QString addOn = FDir + QStringLiteral("/addon.db");
    {
        auto m = MakeManager();
        IWptDatabase *other = NewDb(m.get(), QStringLiteral("add-on"));
        IWptWaypoint *w = AddWaypoint(other, QStringLiteral("Lock Stevin"), 53.0, 5.0);
        IWptDatabase *user = NewDb(m.get(), kDbName);
        IWptRoute *r = user->NewRoute(0.0);
        int32_t err = -1;
        r->AddPointFromWaypoint(w, 0, 1, err);
        ASSERT_EQ(err, KvErr::Ok);
        ASSERT_EQ(Save(other, addOn), KvErr::Ok);
        ASSERT_EQ(Save(user, FFile), KvErr::Ok);
    }
    auto m = MakeManager();
    int32_t err = -1;
    IWptDatabase *user = Open(m.get(), FFile, err);
    ASSERT_EQ(err, KvErr::Ok);
    IWptRoutePoint *p = user->GetRoute(0)->GetPoint(0);
    EXPECT_EQ(p->GetWaypoint(), nullptr);  // its database is not open yet
    EXPECT_EQ(Q(p->GetName()), QStringLiteral("Lock Stevin"));
    IWptDatabase *other = Open(m.get(), addOn, err);
    ASSERT_EQ(err, KvErr::Ok);
    ASSERT_NE(p->GetWaypoint(), nullptr);
    EXPECT_EQ(p->GetWaypoint()->GetDatabase(), other);
    // The same database twice is refused rather than owned twice.
    EXPECT_EQ(Open(m.get(), addOn, err), nullptr);
    EXPECT_EQ(err, KvErr::AlreadyExists);
}

}  // namespace

namespace {

// Pixels as bytes blue, green, red, alpha (premultiplied, as bitmaps hold them).
struct Px { uint8_t b, g, r, a; };

Owned<IBmp32> MakeBitmap(int w, int h, const std::vector<Px> &pixels) {
    Owned<IBmp32> bmp(Bmp32Create(w, h, 0));
    for (int y = 0; y < h; ++y) std::memcpy(bmp->GetRow(y), &pixels[size_t(y * w)], size_t(w) * 4);
    return bmp;
}

Px PixelAt(IBmp32 *bmp, int x, int y) {
    Px p;
    std::memcpy(&p, bmp->GetRow(y) + 4 * x, 4);
    return p;
}

// Semi-transparent pixels pass through straight alpha in the PNG: one step of rounding.
void ExpectPixel(IBmp32 *bmp, int x, int y, Px want) {
    SCOPED_TRACE(testing::Message() << "pixel " << x << "," << y);
    const Px got = PixelAt(bmp, x, y);
    EXPECT_NEAR(got.b, want.b, 1);
    EXPECT_NEAR(got.g, want.g, 1);
    EXPECT_NEAR(got.r, want.r, 1);
    EXPECT_EQ(got.a, want.a);
}

const Px kRed{0, 0, 255, 255}, kHalfGreen{0, 64, 0, 128}, kClear{0, 0, 0, 0},
    kBlue{255, 0, 0, 255}, kWhite{255, 255, 255, 255};

}  // namespace

TEST_F(WptDatabase, TypeIconsComeBackAsBitmapsAfterReopening) {
    // 5 x 4 icon: red and half-transparent green in the top row, the rest clear.
    std::vector<Px> iconPx(20, kClear);
    iconPx[0] = kRed;
    iconPx[1] = kHalfGreen;
    auto icon = MakeBitmap(5, 4, iconPx);
    auto overlay = MakeBitmap(2, 2, std::vector<Px>(4, kBlue));
    {
        auto m = MakeManager();
        IWptDatabase *db = NewDb(m.get(), kDbName);
        int32_t err = -1;
        TWptTypeDef def;
        def.Icon = icon.get();
        def.Overlay = overlay.get();
        def.DrawOverlay = true;
        // The 2 x 2 overlay centred here covers pixels 2..3 x 1..2 exactly.
        def.OriginX = 2.5f;
        def.OriginY = 1.5f;
        IWptWaypointType *t = db->NewType(def, err);
        ASSERT_EQ(err, KvErr::Ok);
        SetName(t, kTypeName);
        IWptWaypointType *plain = db->NewType(TWptTypeDef{}, err);
        AddWaypoint(db, kWpt1, 54.0, 17.0, t);
        AddWaypoint(db, kWpt2, 37.0, 24.0, plain);
        ASSERT_EQ(Save(db, FFile), KvErr::Ok);
    }
    auto m = MakeManager();
    int32_t err = -1;
    IWptDatabase *db = Open(m.get(), FFile, err);
    ASSERT_EQ(err, KvErr::Ok);
    ASSERT_EQ(db->GetWaypointTypeCount(), 2);
    IWptWaypointType *t = db->GetWaypointType(0);

    IBmp32 *back = t->GetIcon();
    ASSERT_NE(back, nullptr);
    ASSERT_EQ(back->GetWidth(), 5);
    ASSERT_EQ(back->GetHeight(), 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x) ExpectPixel(back, x, y, iconPx[size_t(y * 5 + x)]);
    EXPECT_EQ(t->GetIcon(), back);  // owned by the type, made once

    IBmp32 *ov = t->GetOverlay();
    ASSERT_NE(ov, nullptr);
    EXPECT_EQ(ov->GetWidth(), 2);
    ExpectPixel(ov, 1, 1, kBlue);

    IBmp32 *symbol = t->GetSymbol();
    ASSERT_NE(symbol, nullptr);
    EXPECT_NE(symbol, back);
    ExpectPixel(symbol, 0, 0, kRed);
    ExpectPixel(symbol, 1, 0, kHalfGreen);
    for (auto [x, y] : {std::pair{2, 1}, {3, 1}, {2, 2}, {3, 2}}) ExpectPixel(symbol, x, y, kBlue);
    ExpectPixel(symbol, 4, 3, kClear);
    ExpectPixel(back, 2, 1, kClear);  // the icon itself stays without the overlay

    // Waypoints show their type's symbol; a type without pictures has none.
    std::vector<IWptWaypoint *> w;
    for (int32_t i = 0; i < m->GetWaypointCount(); ++i) w.push_back(m->GetWaypoint(i));
    ASSERT_EQ(w.size(), 2u);
    EXPECT_EQ(w[0]->GetIcon(), symbol);
    EXPECT_EQ(db->GetWaypointType(1)->GetIcon(), nullptr);
    EXPECT_EQ(w[1]->GetIcon(), nullptr);

    // A new picture replaces the bitmaps handed out before.
    auto white = MakeBitmap(1, 1, {kWhite});
    t->SetIcons(white.get(), nullptr, false, 0.0f, 0.0f);
    IBmp32 *changed = t->GetIcon();
    ASSERT_NE(changed, nullptr);
    EXPECT_EQ(changed->GetWidth(), 1);
    ExpectPixel(changed, 0, 0, kWhite);
    EXPECT_EQ(t->GetOverlay(), nullptr);
    EXPECT_EQ(t->GetSymbol(), changed);  // no overlay drawn: the symbol is the icon
}

TEST_F(WptDatabase, ManagerIconDrawsWaypointsWithoutTypeAndDamagedIconsGiveNone) {
    auto icon = MakeBitmap(2, 1, {kRed, kBlue});
    int32_t err = -1;
    Rec font(QStringLiteral("DejaVu Sans"));
    Owned<IWptManager> m(WptManagerCreate(icon.get(), nullptr, 0, 0.5f, 0.0f, font, 10.0f, 0,
                                          0xFF000000u, 8.0f, 0, 0xFF000000u, 8.0f, 0,
                                          0xFF000000u, 5, nullptr, false, nullptr, nullptr,
                                          nullptr, nullptr, err));
    ASSERT_EQ(err, KvErr::Ok);
    IWptDatabase *db = NewDb(m.get(), kDbName);
    IWptWaypoint *w = AddWaypoint(db, kWpt3, 55.0, 12.0);
    IBmp32 *shown = w->GetIcon();
    ASSERT_NE(shown, nullptr);
    EXPECT_NE(shown, icon.get());  // the manager keeps its own copy
    ExpectPixel(shown, 0, 0, kRed);
    ExpectPixel(shown, 1, 0, kBlue);

    TWptTypeDef def;
    def.Icon = icon.get();
    db->NewType(def, err);
    ASSERT_EQ(Save(db, FFile), KvErr::Ok);
    if (!RunSql(FFile, QStringLiteral("UPDATE types SET icon = X'89504E470D0A1A0A0000';")))
        GTEST_SKIP() << "the sqlite3 shell is not installed";
    auto m2 = MakeManager();
    IWptDatabase *back = Open(m2.get(), FFile, err);
    ASSERT_EQ(err, KvErr::Ok);
    ASSERT_EQ(back->GetWaypointTypeCount(), 1);
    EXPECT_EQ(back->GetWaypointType(0)->GetIcon(), nullptr);
    EXPECT_EQ(back->GetWaypointType(0)->GetSymbol(), nullptr);
}

// A file of the first version (no network place on route points) still opens with all it
// holds, and is written back in the current version.
TEST_F(WptDatabase, FirstVersionFileOpensAndIsSavedInTheCurrentVersion) {
    const QString fixture = testsupport::SourcePath(QStringLiteral("tests/data/waypoints/RoutesVersion1.db"));
    ASSERT_TRUE(QFileInfo::exists(fixture)) << fixture.toStdString();
    const QString file = FDir + QStringLiteral("/old.db");
    ASSERT_TRUE(QFile::copy(fixture, file));
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);

    auto readVersion = [](const QString &f) {
        TGUID guid;
        TDateTime date = 0;
        int32_t version = 0, waypoints = 0, routes = 0, polygons = 0, err = -1;
        bool prot = true;
        Rec name(f);
        WptDatabaseReadHeader(name, guid, nullptr, date, version, waypoints, routes, polygons, prot, nullptr,
                              err);
        EXPECT_EQ(err, KvErr::Ok);
        return version;
    };
    EXPECT_EQ(readVersion(file), 1);

    auto check = [](IWptDatabase *db) {
        ASSERT_NE(db, nullptr);
        EXPECT_EQ(Q(db->GetName()), QStringLiteral("Velmer trips"));
        ASSERT_EQ(db->GetRouteCount(), 1);
        IWptRoute *r = db->GetRoute(0);
        EXPECT_EQ(Q(r->GetName()), QStringLiteral("Up the Orle"));
        ASSERT_EQ(r->GetPointCount(), 3);
        const struct {
            const char *name;
            double lat, lon;
        } want[] = {{"Saltmere Haven", 0.922880, 0.076794}, {"Orle Quay", 0.923400, 0.077100},
                    {"Dunmeer", 0.924100, 0.078000}};
        for (int32_t i = 0; i < 3; ++i) {
            SCOPED_TRACE(i);
            IWptRoutePoint *p = r->GetPoint(i);
            EXPECT_EQ(Q(p->GetName()), QString::fromLatin1(want[i].name));
            EXPECT_DOUBLE_EQ(p->GetPosition()->Lat, want[i].lat);
            EXPECT_DOUBLE_EQ(p->GetPosition()->Lon, want[i].lon);
            EXPECT_FALSE(p->IsDirect());
        }
        ASSERT_NE(r->GetPoint(0)->GetWaypoint(), nullptr);
        EXPECT_EQ(Q(r->GetPoint(0)->GetWaypoint()->GetName()), QStringLiteral("Saltmere Haven"));
        EXPECT_EQ(r->GetPoint(2)->GetStay()->Kind, RouteStayKind::StayFor);
        EXPECT_EQ(r->GetPoint(2)->GetStay()->Duration, 3600);
    };
    auto m = MakeManager();
    int32_t err = -1;
    IWptDatabase *db = Open(m.get(), file, err);
    ASSERT_EQ(err, KvErr::Ok);
    check(db);
    ASSERT_EQ(Save(db, file), KvErr::Ok);
    db->Close();
    EXPECT_EQ(readVersion(file), 2);
    db = Open(m.get(), file, err);
    ASSERT_EQ(err, KvErr::Ok);
    check(db);
}

// A network place that is not what the writer puts there makes the file damaged, not a
// point on some section.
TEST_F(WptDatabase, DamagedNetworkPlaceOfARoutePointIsAFormatError) {
    MakeFile();
    struct Case {
        const char *name;
        const char *sql;
        int32_t err;
    };
    const Case cases[] = {
        {"short section GUID", "UPDATE route_points SET net_section = X'0102', net_offset = 5;", KvErr::BadFormat},
        {"negative offset", "UPDATE route_points SET net_section = zeroblob(16), net_offset = -1;", KvErr::BadFormat},
        {"infinite offset", "UPDATE route_points SET net_section = zeroblob(16), net_offset = 1e999;",
         KvErr::BadFormat},
        {"well-formed place", "UPDATE route_points SET net_section = zeroblob(16), net_offset = 12.5;", KvErr::Ok},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = FDir + QStringLiteral("/place-%1.db").arg(QString::fromLatin1(c.name).replace(u' ', u'_'));
        ASSERT_TRUE(QFile::copy(FFile, file));
        if (!RunSql(file, QString::fromLatin1(c.sql))) GTEST_SKIP() << "the sqlite3 shell is not installed";
        auto m = MakeManager();
        int32_t err = -1;
        IWptDatabase *db = Open(m.get(), file, err);
        EXPECT_EQ(err, c.err);
        EXPECT_EQ(db != nullptr, c.err == KvErr::Ok);
    }
}
