#include "TestSupport.h"

#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvLib.h>
#include <KvLibNav6/KvTracks.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QThread>
#include <cmath>
#include <cstring>
#include <memory>

namespace {

struct NavObjectDeleter {
    void operator()(NavObject *o) const { ObjectDelete(o); }
};
using TrackPtr = std::unique_ptr<INavTrack, NavObjectDeleter>;

// Verbatim copy: QString::fromUtf16 would treat a leading U+FEFF/U+FFFE as a byte-order mark.
QString Q(const TStrWRec *rec) {
    return rec ? QString(reinterpret_cast<const QChar *>(rec->Text), rec->Length) : QString();
}

TStrWRec R(const QString &s) {
    return TStrWRec{int32_t(s.size()), reinterpret_cast<const char16_t *>(s.utf16())};
}

constexpr double kStart = 45000.5;  // UTC days
constexpr double kSecond = 1.0 / 86400.0;

// A track along a parallel, one point a second, about 5 m apart.
TrackPtr MakeTrack(int points, const QString &name, bool times = true) {
    TrackPtr t(NavTrackCreate1());
    t->SetName(R(name));
    t->SetColor(0xFF00FF00u);
    t->SetWidth(3.5f);
    t->SetHasTimes(times);
    for (int i = 0; i < points; ++i) {
        int32_t err = -1;
        t->AddPoint(times ? kStart + i * kSecond : 0.0,
                    TGeoPoint3{0.91 + 1e-7 * std::sin(i * 0.01), 0.08 + i * 1.2e-6, 0.0}, err);
        EXPECT_EQ(err, KvErr::Ok);
    }
    return t;
}

QByteArray ReadAll(const QString &file) {
    QFile f(file);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

void WriteAll(const QString &file, const QByteArray &bytes) {
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

struct Info {
    QString Name;
    bool HasTimes = false;
    TDateTime Start = -1, End = -1;
    int32_t Count = -1;
    double Distance = -2;
    uint32_t Colour = 0;
    float Width = 0;
    int32_t Extra = -1;
    int32_t Err = -1;
};

Info GetInfo(const QString &file) {
    Info i;
    IStrW *name = StrWCreate(nullptr, 0);
    NavTrackGetInfoFromFile(R(file), name, i.HasTimes, i.Start, i.End, i.Count, i.Distance,
                            i.Colour, i.Width, i.Extra, i.Err);
    i.Name = Q(name->GetRec());
    StrWDelete(name);
    return i;
}

class Track : public ::testing::Test {
protected:
    void SetUp() override { FDir = testsupport::MakeTempDir(QStringLiteral("trk")); }
    QString File(const char *name) const { return FDir + u'/' + QString::fromLatin1(name); }
    QString FDir;
};

TEST_F(Track, RoundTripKeepsPointsNameColourWidthAndTimes) {
    for (bool compress : {false, true}) {
        SCOPED_TRACE(compress ? "compressed" : "plain");
        const QString file = File(compress ? "packed.trk" : "plain.trk");
        TrackPtr rec(NavTrackCreate2(R(file), compress));
        ASSERT_EQ(Q(rec->GetFileName()), file);
        EXPECT_EQ(Q(rec->GetName()), QString::fromLatin1(compress ? "packed" : "plain"));
        TrackPtr src = MakeTrack(10000, QStringLiteral("Törn Świnoujście → Ærø ⛵"));
        int32_t err = -1;
        src->SaveToFile(R(file), err);
        ASSERT_EQ(err, KvErr::Ok);

        TrackPtr back(NavTrackCreate3(R(file), err));
        ASSERT_EQ(err, KvErr::Ok);
        ASSERT_NE(back, nullptr);
        EXPECT_EQ(Q(back->GetName()), QStringLiteral("Törn Świnoujście → Ærø ⛵"));
        EXPECT_EQ(Q(back->GetFileName()), file);
        ASSERT_EQ(back->GetPointCount(), 10000);
        for (int32_t i = 0; i < 10000; i += 997) {
            SCOPED_TRACE(i);
            EXPECT_EQ(std::memcmp(back->GetPoint(i), src->GetPoint(i), sizeof(TTrackPoint)), 0);
        }
        EXPECT_EQ(back->GetPoint(10000), nullptr);
        EXPECT_EQ(back->GetPoint(-1), nullptr);
        EXPECT_TRUE(back->HasTimes());
        EXPECT_EQ(back->GetColor(), 0x00FF00u);  // library RGB
        EXPECT_DOUBLE_EQ(back->GetStartTime(), kStart);
        EXPECT_NEAR(back->GetDuration(), 9999.0, 1e-3);

        const Info info = GetInfo(file);
        EXPECT_EQ(info.Err, KvErr::Ok);
        EXPECT_EQ(info.Name, QStringLiteral("Törn Świnoujście → Ærø ⛵"));
        EXPECT_TRUE(info.HasTimes);
        EXPECT_DOUBLE_EQ(info.Start, kStart);
        EXPECT_DOUBLE_EQ(info.End, kStart + 9999 * kSecond);
        EXPECT_EQ(info.Count, 10000);
        EXPECT_NEAR(info.Distance, 9999 * 1.2e-6 * 6378137.0 * std::cos(0.91), 200.0);

        // A loaded track saved again reports the distance of its points.
        const QString again = File(compress ? "packed2.trk" : "plain2.trk");
        back->SaveToFile(R(again), err);
        ASSERT_EQ(err, KvErr::Ok);
        EXPECT_NEAR(GetInfo(again).Distance, info.Distance, 1e-6);
        EXPECT_EQ(info.Colour, 0x00FF00u);
        EXPECT_FLOAT_EQ(info.Width, 3.5f);
    }
}

TEST_F(Track, NamesStartingWithAByteOrderMarkCharacterSurvive) {
    for (const QString &name : {QString(QChar(0xFEFF)) + QStringLiteral("Zero width"),
                               QString(QChar(0xFFFE)) + QStringLiteral("ab")}) {
        const QString file = File("bom.trk");
        TrackPtr src = MakeTrack(3, name);
        int32_t err = -1;
        src->SaveToFile(R(file), err);
        ASSERT_EQ(err, KvErr::Ok);
        TrackPtr back(NavTrackCreate3(R(file), err));
        ASSERT_EQ(err, KvErr::Ok);
        EXPECT_EQ(Q(back->GetName()), name);
        EXPECT_EQ(GetInfo(file).Name, name);
    }
}

TEST_F(Track, HeaderIsReadWithoutThePoints) {
    const QString file = File("long.trk");
    TrackPtr src = MakeTrack(10000, QStringLiteral("Header only"));
    int32_t err = -1;
    src->SaveToFile(R(file), err);
    ASSERT_EQ(err, KvErr::Ok);
    // Cut the points off: the header alone still answers, the track itself does not load.
    const QByteArray bytes = ReadAll(file);
    WriteAll(file, bytes.left(200));
    const Info info = GetInfo(file);
    EXPECT_EQ(info.Err, KvErr::Ok);
    EXPECT_EQ(info.Count, 10000);
    EXPECT_EQ(info.Name, QStringLiteral("Header only"));
    EXPECT_EQ(NavTrackCreate3(R(file), err), nullptr);
    EXPECT_EQ(err, KvErr::BadFormat);
}

TEST_F(Track, TruncatedDamagedAndForeignFilesAreErrors) {
    const QString good = File("good.trk");
    TrackPtr src = MakeTrack(500, QStringLiteral("ok"));
    int32_t err = -1;
    src->SaveToFile(R(good), err);
    ASSERT_EQ(err, KvErr::Ok);
    const QByteArray valid = ReadAll(good);
    const qsizetype headerEnd = 8 + 4 + 4 + 4 + 8 + 8 + 4 + 8 + 4 + 4 + 4 + 4 + 2 * 2 + 4;

    auto flipped = [&](qsizetype at) {
        QByteArray b = valid;
        b[at] = char(b[at] ^ 0x40);
        return b;
    };
    QByteArray newer = valid;
    newer[8] = char(99);  // version field

    struct Case {
        const char *name;
        QByteArray bytes;
        int32_t err;
        bool headerReadable;
    };
    const Case cases[] = {
        {"empty", QByteArray(), KvErr::BadFormat, false},
        {"magic only", valid.left(8), KvErr::BadFormat, false},
        {"half a header", valid.left(30), KvErr::BadFormat, false},
        {"header less one byte", valid.left(headerEnd - 1), KvErr::BadFormat, false},
        {"header and some points", valid.left(headerEnd + 40), KvErr::BadFormat, true},
        {"all but the last byte", valid.left(valid.size() - 1), KvErr::BadFormat, true},
        {"text file", QByteArray("lat,lon\n52.1,4.3\n"), KvErr::BadFormat, false},
        {"GPX file", QByteArray("<?xml version=\"1.0\"?><gpx><trk></trk></gpx>"), KvErr::BadFormat, false},
        {"point count changed", flipped(8 + 4 + 4 + 4 + 8 + 8), KvErr::BadFormat, false},
        {"a point changed", flipped(headerEnd + 100), KvErr::BadFormat, true},
        {"newer version", newer, KvErr::BadVersion, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = File("bad.trk");
        WriteAll(file, c.bytes);
        int32_t e = KvErr::Ok;
        EXPECT_EQ(NavTrackCreate3(R(file), e), nullptr);
        EXPECT_EQ(e, c.err);
        const Info info = GetInfo(file);
        EXPECT_EQ(info.Err == KvErr::Ok, c.headerReadable);
        if (!c.headerReadable) {
            EXPECT_EQ(info.Err, c.err);
        }
    }
    int32_t e = KvErr::Ok;
    EXPECT_EQ(NavTrackCreate3(R(File("missing.trk")), e), nullptr);
    EXPECT_EQ(e, KvErr::NotFound);
}

TEST_F(Track, FailedSaveKeepsTheOldFile) {
    const QString file = File("keep.trk");
    TrackPtr t = MakeTrack(100, QStringLiteral("first"));
    int32_t err = -1;
    t->SaveToFile(R(file), err);
    ASSERT_EQ(err, KvErr::Ok);
    const QByteArray before = ReadAll(file);
    t->SetName(R(QStringLiteral("second")));
    ASSERT_TRUE(QDir().mkpath(file + QStringLiteral(".saving/x")));
    t->SaveToFile(R(file), err);
    EXPECT_NE(err, KvErr::Ok);
    EXPECT_EQ(ReadAll(file), before);
    EXPECT_EQ(GetInfo(file).Name, QStringLiteral("first"));
}

// The other process of the kill test: saves a large track over and over, a point longer each
// time, and says so after every complete save.
TEST(TrackChild, DISABLED_SavesUntilKilled) {
    const QString file = qEnvironmentVariable("MARIVO_TRACK_CHILD_FILE");
    if (file.isEmpty()) GTEST_SKIP() << "runs only as the child process of the kill test";
    TrackPtr t = MakeTrack(200000, QStringLiteral("killed"));
    for (int i = 0; i < 1000; ++i) {  // ends by itself should its parent be gone
        int32_t err = -1;
        t->SaveToFile(R(file), err);
        ASSERT_EQ(err, KvErr::Ok);
        testsupport::TellParent("saved");
        t->AddPoint(kStart, TGeoPoint3{0.9, 0.1, 0.0}, err);
    }
}

TEST_F(Track, KillDuringSaveLeavesACompleteTrack) {
    const QString file = File("killed.trk");
    testsupport::TChildProcess child(QStringLiteral("TrackChild.DISABLED_SavesUntilKilled"),
                                     {{QStringLiteral("MARIVO_TRACK_CHILD_FILE"), file}});
    // Once it has saved, the child is busy with its next save when the kill comes.
    ASSERT_TRUE(child.WaitForLine("saved")) << child.Output().constData();
    ASSERT_TRUE(child.Kill()) << "the child stopped on its own:\n" << child.Output().constData();
    int32_t err = -1;
    TrackPtr back(NavTrackCreate3(R(file), err));
    ASSERT_EQ(err, KvErr::Ok);
    EXPECT_GE(back->GetPointCount(), 200000);
    EXPECT_EQ(GetInfo(file).Count, back->GetPointCount());
}

// The point a recording gets as its i-th, as MakeTrack makes them.
TGeoPoint3 PointAt(int i) {
    return TGeoPoint3{0.91 + 1e-7 * std::sin(i * 0.01), 0.08 + i * 1.2e-6, 0.0};
}

// The other process of the recording kill test: records a point a millisecond, and says so
// once the track file has been written whole once and a good many points stand in the
// journal only.
TEST(TrackChild, DISABLED_RecordsUntilKilled) {
    const QString file = qEnvironmentVariable("MARIVO_TRACK_CHILD_FILE");
    if (file.isEmpty()) GTEST_SKIP() << "runs only as the child process of the kill test";
    TrackPtr t(NavTrackCreate2(R(file), false));
    for (int i = 0; i < 60000; ++i) {  // ends by itself should its parent be gone
        int32_t err = -1;
        t->AddPoint(kStart + i * kSecond, PointAt(i), err);
        ASSERT_EQ(err, KvErr::Ok);
        if (i == 1000) testsupport::TellParent("recorded");
        QThread::usleep(1000);
    }
}

// Every point of a recording killed mid-way comes back with the track file, in order, and
// the file takes them in for good.
TEST_F(Track, KillDuringRecordingKeepsEveryRecordedPoint) {
    const QString file = File("recording.trk");
    testsupport::TChildProcess child(QStringLiteral("TrackChild.DISABLED_RecordsUntilKilled"),
                                     {{QStringLiteral("MARIVO_TRACK_CHILD_FILE"), file}});
    ASSERT_TRUE(child.WaitForLine("recorded")) << child.Output().constData();
    ASSERT_TRUE(child.Kill()) << "the child stopped on its own:\n" << child.Output().constData();
    const Info info = GetInfo(file);  // as the track list reads it at the next start
    ASSERT_EQ(info.Err, KvErr::Ok);
    EXPECT_GT(info.Count, 1000);
    EXPECT_FALSE(QFileInfo::exists(file + QStringLiteral(".journal")));
    int32_t err = -1;
    TrackPtr back(NavTrackCreate3(R(file), err));
    ASSERT_EQ(err, KvErr::Ok);
    ASSERT_EQ(back->GetPointCount(), info.Count);
    for (int32_t i = 0; i < back->GetPointCount(); ++i) {
        const TTrackPoint *p = back->GetPoint(i);
        ASSERT_EQ(p->Lon, std::lround(PointAt(i).Lon * TrackPointUnitsPerRadian)) << i;
        ASSERT_DOUBLE_EQ(p->Time, kStart + i * kSecond) << i;
    }
    EXPECT_DOUBLE_EQ(info.End, back->GetEndTime());
}

// A journal as a kill leaves it, damaged in the ways a kill or a crash can: the points it
// holds come back up to the first line that does not read, and the track still opens.
TEST_F(Track, DamagedJournalsGiveThePointsBeforeTheDamage) {
    const QString recording = File("live.trk");
    TrackPtr live(NavTrackCreate2(R(recording), true));
    for (int i = 0; i < 10; ++i) {
        int32_t err = -1;
        live->AddPoint(kStart + i * kSecond, PointAt(i), err);
        ASSERT_EQ(err, KvErr::Ok);
    }
    // A reader meets the journal of a live recording: it counts the points, leaves the
    // journal in place, and the recorder goes on with it.
    const QString journal = recording + QStringLiteral(".journal");
    EXPECT_EQ(GetInfo(recording).Count, 10);
    ASSERT_TRUE(QFileInfo::exists(journal));
    const QByteArray trk = ReadAll(recording), lines = ReadAll(journal);
    ASSERT_EQ(lines.count('\n'), 10);
    const qsizetype third = lines.indexOf('\n', lines.indexOf('\n', lines.indexOf('\n') + 1) + 1) + 1;
    QByteArray gap = lines;
    gap.replace(third, gap.indexOf('\n', third) + 1 - third, QByteArray());

    struct Case {
        const char *name;
        QByteArray journal;
        int32_t points;
    };
    const Case cases[] = {
        {"whole", lines, 10},
        {"last line cut", lines.left(lines.size() - 7), 9},
        {"last line without its end", lines.chopped(1), 9},
        {"nothing but a cut line", lines.left(5), 0},
        {"empty", QByteArray(), 0},
        {"zeros after the lines", lines + QByteArray(30, '\0') + "\n", 10},
        {"garbage in the fourth line", lines.left(third) + "7 x\n" + lines.mid(third), 3},
        {"the fourth point missing", gap, 3},
        {"a line twice", lines.left(third) + lines.mid(lines.indexOf('\n') + 1), 10},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = File("cut.trk");
        WriteAll(file, trk);
        WriteAll(file + QStringLiteral(".journal"), c.journal);
        int32_t err = -1;
        TrackPtr back(NavTrackCreate3(R(file), err));
        ASSERT_EQ(err, KvErr::Ok);
        ASSERT_EQ(back->GetPointCount(), c.points);
        for (int32_t i = 0; i < c.points; ++i)
            EXPECT_EQ(std::memcmp(back->GetPoint(i), live->GetPoint(i), sizeof(TTrackPoint)), 0) << i;
        EXPECT_FALSE(QFileInfo::exists(file + QStringLiteral(".journal")));
        EXPECT_EQ(GetInfo(file).Count, c.points);
        EXPECT_EQ(Q(back->GetName()), QStringLiteral("live"));
    }
    // The live recording was not disturbed: its journal goes once the file holds every point.
    int32_t err = -1;
    live->AddPoint(kStart + 10 * kSecond, PointAt(10), err);
    EXPECT_EQ(ReadAll(journal).count('\n'), 11);
    live->SaveToFile(TStrWRec{}, err);
    ASSERT_EQ(err, KvErr::Ok);
    EXPECT_FALSE(QFileInfo::exists(journal));
    EXPECT_EQ(GetInfo(recording).Count, 11);
}

// A recording written whole leaves no journal behind, and a new recording under the name of
// a gone one does not take up what its journal held.
TEST_F(Track, ARecordingsJournalGoesWithItsTrack) {
    const QString file = File("reused.trk");
    const QString journal = file + QStringLiteral(".journal");
    WriteAll(journal, "0 45000.5 58000000 5100000\n1 45000.6 58000000 5100100\n");
    {
        TrackPtr t(NavTrackCreate2(R(file), false));
        EXPECT_FALSE(QFileInfo::exists(journal));
        for (int i = 0; i < 3; ++i) {
            int32_t err = -1;
            t->AddPoint(kStart + i * kSecond, PointAt(i), err);
        }
        EXPECT_TRUE(QFileInfo::exists(journal));
    }
    EXPECT_FALSE(QFileInfo::exists(journal));
    int32_t err = -1;
    TrackPtr back(NavTrackCreate3(R(file), err));
    ASSERT_EQ(err, KvErr::Ok);
    ASSERT_EQ(back->GetPointCount(), 3);
    EXPECT_DOUBLE_EQ(back->GetStartTime(), kStart);
}

TEST_F(Track, ASeasonOfPointsLoads) {
    const QString file = File("season.trk");
    int32_t err = -1;
    {
        TrackPtr t = MakeTrack(100000, QStringLiteral("Season"));
        t->SaveToFile(R(file), err);
        ASSERT_EQ(err, KvErr::Ok);
    }
    TrackPtr back(NavTrackCreate3(R(file), err));
    ASSERT_EQ(err, KvErr::Ok);
    EXPECT_EQ(back->GetPointCount(), 100000);
}

TEST_F(Track, TimeLookupAndMotion) {
    TrackPtr t = MakeTrack(11, QStringLiteral("m"));
    struct Case {
        const char *name;
        double t;
        int32_t index;
    };
    const Case cases[] = {
        {"before the first point", kStart - kSecond, -1},
        {"at the first point", kStart, 0},
        {"between points", kStart + 4.5 * kSecond, 4},
        {"after the last point", kStart + 100 * kSecond, 10},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(t->IndexAtTime(c.t), c.index);
    }
    float speed = 0, course = 0;
    t->GetMotionAt(kStart + 2.5 * kSecond, speed, course);
    // Eastward at about 1.2e-6 rad of longitude a second.
    EXPECT_NEAR(speed, 1.2e-6 * 6378137.0 * std::cos(0.91), 0.1);
    EXPECT_NEAR(course, M_PI / 2, 0.05);

    int32_t err = KvErr::Ok;
    t->AddPoint(kStart, TGeoPoint3{2.0, 0.0, 0.0}, err);
    EXPECT_EQ(err, KvErr::OutOfRange);
    EXPECT_EQ(t->GetPointCount(), 11);
}

TEST_F(Track, OwningListReleasesItsTracksOnce) {
    INavTrackList *list = NavTrackListCreate(0);
    list->SetOwnsObjects(true);
    INavTrack *a = NavTrackCreate1();
    list->Add(a);
    list->Add(a);  // twice: released once
    list->Add(NavTrackCreate1());
    EXPECT_EQ(list->GetCount(), 3);
    list->Delete(0);  // a is still listed: not released
    EXPECT_EQ(list->GetCount(), 2);
    EXPECT_EQ(list->GetItem(0), a);
    ObjectDelete(list);  // sanitizer builds catch a double release here
}

}  // namespace
