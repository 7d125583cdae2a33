// The data recorder's raw block: record decoding, session splitting, hostile blocks, the
// saved file and reading through the fake driver.
#include "exchange/Timex.h"

#include "TimexFixture.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <numbers>

using namespace timextest;

namespace {

std::vector<TTimexSession> Parse(const TBytes &raw, std::vector<TTimexParseIssue> *issues = nullptr) {
    std::vector<TTimexSession> sessions;
    auto found = TimexParseSessions(raw.data(), int64_t(raw.size()), sessions);
    if (issues) *issues = found;
    return sessions;
}

QDateTime FromDateTime(TDateTime t) {
    return QDateTime(QDate(1899, 12, 30), QTime(0, 0)).addMSecs(qint64(std::llround(t * 86400000.0)));
}

}  // namespace

TEST(TimexTest, AnglesDecode) {
    struct Case {
        const char *name;
        TBytes latBytes;
        double lat;
    };
    const double pi = std::numbers::pi;
    const Case cases[] = {
        {"most negative", {0x80, 0x00, 0x00}, -pi},
        {"most positive", {0x7F, 0xFF, 0xFF}, pi - 3.7450702829239286e-07},
        {"one unit", {0x00, 0x00, 0x01}, 3.7450702829239286e-07},
        {"minus one unit", {0xFF, 0xFF, 0xFF}, -3.7450702829239286e-07},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const auto s = Parse(Session(TBytes{0x3A} + c.latBytes + TBytes{0x00, 0x00, 0x01}));
        ASSERT_EQ(s.size(), 1u);
        ASSERT_EQ(s[0].Records.size(), 1u);
        const auto &fix = std::get<TLoggerFixRecord>(s[0].Records[0]);
        EXPECT_EQ(fix.A, 0xA);
        EXPECT_DOUBLE_EQ(fix.Lat, c.lat);
        EXPECT_DOUBLE_EQ(fix.Lon, 3.7450702829239286e-07);
        EXPECT_LT(fix.Lat, pi);
    }
}

TEST(TimexTest, MotionAndStateRecordsDecode) {
    const TBytes records = Motion(10, 45) +
                           TBytes{0xF7, 0x23, 0x9E, 0x31, 0x22, 0x45, 0x01, 0x02, 0x5A, 0x03} +
                           Angle(0.5) + Angle(-0.25) + TBytes{0xB7} +
                           TBytes{0x4C, 0x5A, 0xB7, 0xF3, 0x2D};
    const auto s = Parse(Session(records));
    ASSERT_EQ(s.size(), 1u);
    ASSERT_EQ(s[0].Records.size(), 3u);
    const auto &m = std::get<TLoggerMotionRecord>(s[0].Records[0]);
    EXPECT_NEAR(m.Motion.Speed, 0.44704, 1e-6);
    EXPECT_NEAR(m.Motion.Heading, std::numbers::pi / 2, 1e-6);

    const auto &mf = std::get<TLoggerMotionFixRecord>(s[0].Records[1]);
    EXPECT_EQ(mf.A, 0x723);
    EXPECT_EQ(mf.B, 0x9);
    EXPECT_EQ(mf.C, 0x3);
    EXPECT_EQ(mf.D, 0x2);
    EXPECT_NEAR(mf.Motion.Speed, 0x322 * 0.044704, 1e-4);
    EXPECT_EQ(mf.Motion.E, float(0x145));
    EXPECT_EQ(mf.Motion.F, float(0x0102));
    EXPECT_NEAR(mf.Motion.Heading, std::numbers::pi, 1e-6);
    EXPECT_NEAR(mf.Motion.Angle2, 3 * std::numbers::pi / 90, 1e-6);
    EXPECT_NEAR(mf.Lat, 0.5, 4e-7);
    EXPECT_NEAR(mf.Lon, -0.25, 4e-7);
    EXPECT_EQ(mf.G, 0xB7 >> 2);
    EXPECT_EQ(mf.H, 0.75f);

    const auto &st = std::get<TLoggerStateRecord>(s[0].Records[2]);
    EXPECT_EQ(st.A, 0xC);
    EXPECT_EQ(st.B, 0x5);
    EXPECT_EQ(st.C, 0xA);
    EXPECT_EQ(st.D, 0xB7 >> 2);
    EXPECT_EQ(st.E, (0x3 << 3) | (0xF3 >> 5));
    EXPECT_EQ(st.F, 0xF3 & 0x1F);
    EXPECT_EQ(st.G, 0x2D >> 2);
    EXPECT_EQ(st.H, 0.25f);
}

TEST(TimexTest, SessionsSplitWithTheirTimesAndCopies) {
    const TBytes first = Session(Fix(0.1, 0.2) + Motion(5, 3), "20080615134507", "20080615135000", 7);
    const TBytes second = Session(State(), "20091231235959", "20100101000010", 255);
    std::vector<TTimexParseIssue> issues;
    const auto s = Parse(first + second, &issues);
    EXPECT_TRUE(issues.empty());
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(FromDateTime(s[0].StartTime), QDateTime(QDate(2008, 6, 15), QTime(13, 45, 7)));
    EXPECT_EQ(FromDateTime(s[0].EndTime), QDateTime(QDate(2008, 6, 15), QTime(13, 50, 0)));
    EXPECT_EQ(s[0].Profile, 7);
    EXPECT_EQ(s[0].Records.size(), 2u);
    EXPECT_EQ(FromDateTime(s[1].EndTime), QDateTime(QDate(2010, 1, 1), QTime(0, 0, 10)));
    EXPECT_EQ(s[1].Profile, 255);
    EXPECT_EQ(s[1].Records.size(), 1u);

    TTimexSession copy;
    copy.Assign(s[0]);
    EXPECT_EQ(copy.StartTime, s[0].StartTime);
    EXPECT_EQ(copy.EndTime, s[0].EndTime);
    EXPECT_EQ(copy.Profile, 7);
    ASSERT_EQ(copy.Records.size(), 2u);
    EXPECT_EQ(std::get<TLoggerFixRecord>(copy.Records[0]).Lat,
              std::get<TLoggerFixRecord>(s[0].Records[0]).Lat);
}

TEST(TimexTest, DamagedBlocksKeepWhatWasReadAndReportTheRest) {
    const TBytes good = Session(Fix(0.1, 0.2));
    TBytes badDigit = Session(Fix(0.1, 0.2));
    badDigit[5 + 3] = 10;  // a year digit
    TBytes badMonth = Session(Fix(0.1, 0.2));
    badMonth[5 + 4] = 1, badMonth[5 + 5] = 3;
    // The last record runs 2 bytes into the trailer: the trailer is still read in place.
    TBytes recordPastEnd = Session(Fix(0.1, 0.2) + TBytes{0x30, 1, 2, 3, 4});
    // An unknown kind ends the session's records; the next session is still read.
    const TBytes unknown = Session(Fix(0.1, 0.2) + TBytes{0x70, 0, 0} + Fix(0.3, 0.4));
    TBytes hugeLength = good;
    hugeLength[0] = 0x7F;
    TBytes shortLength = good;
    shortLength[3] = 28;
    struct Case {
        const char *name;
        TBytes raw;
        size_t sessions;
        std::vector<size_t> records;
        std::vector<TTimexParseIssue::TKind> issues;
    };
    using I = TTimexParseIssue;
    const Case cases[] = {
        {"clean block", good + good, 2, {1, 1}, {}},
        {"a digit above 9 stops the parse", good + badDigit + good, 2, {1, 0}, {I::BadDateTime}},
        {"an impossible month", badMonth, 1, {0}, {I::BadDateTime}},
        {"unknown kind ends that session's records", unknown + good, 2, {1, 1}, {I::UnknownKind}},
        {"record past the records' end", recordPastEnd + good, 2, {1, 1}, {I::RecordPastEnd}},
        {"length past the data", good + hugeLength, 2, {1, 1}, {I::Truncated}},
        {"block cut in a record", good + TBytes(good.begin(), good.begin() + 22), 2, {1, 0},
         {I::Truncated}},
        {"block cut in the header", good + TBytes(good.begin(), good.begin() + 10), 2, {1, 0},
         {I::Truncated}},
        {"block cut in the length", good + TBytes{0, 0}, 1, {1}, {I::Truncated}},
        {"length below the fixed part", good + shortLength + good, 1, {1}, {I::ShortSession}},
        {"empty block", {}, 0, {}, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<TTimexParseIssue> issues;
        // Exactly sized, so that a read past the end shows under the sanitiser or valgrind.
        const auto s = Parse(c.raw, &issues);
        ASSERT_EQ(s.size(), c.sessions);
        for (size_t k = 0; k < c.records.size(); ++k) EXPECT_EQ(s[k].Records.size(), c.records[k]);
        ASSERT_EQ(issues.size(), c.issues.size());
        for (size_t k = 0; k < issues.size(); ++k) EXPECT_EQ(issues[k].Kind, c.issues[k]);
    }
}

TEST(TimexTest, SavedFileRoundTripsAndBadFilesAreRefused) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TFakeLogger fake;
    ASSERT_TRUE(fake.Bound);
    const TBytes raw = Session(Fix(0.1, 0.2) + Motion(3, 4)) + Session(State());
    fake.Serve(raw);
    TTimex timex(TimexDriver());
    ASSERT_TRUE(timex.ReadFromDevice());
    ASSERT_EQ(timex.GetSessionCount(), 2);
    const QString name = dir.filePath("rec.dat");
    ASSERT_TRUE(timex.SaveToFile(name));
    EXPECT_EQ(QFileInfo(name).size(), qint64(raw.size()) + 22);

    TTimex loaded(TimexDriver());
    ASSERT_TRUE(loaded.LoadFromFile(name)) << loaded.ErrorText().toStdString();
    ASSERT_EQ(loaded.GetSessionCount(), 2);
    EXPECT_EQ(loaded.RawData(), ToByteArray(raw));
    EXPECT_EQ(loaded.GetSession(0).Records.size(), 2u);

    QFile f(name);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray saved = f.readAll();
    f.close();
    auto write = [&](const QString &file, QByteArray bytes) {
        QFile out(dir.filePath(file));
        out.open(QIODevice::WriteOnly);
        out.write(bytes);
        return dir.filePath(file);
    };
    QByteArray claims2GB = saved;
    claims2GB[18] = '\xFF', claims2GB[19] = '\xFF', claims2GB[20] = '\xFF', claims2GB[21] = '\x7F';
    QByteArray version2 = saved;
    version2[14] = 2;
    QByteArray otherSignature = saved;
    otherSignature[0] = 'X';
    struct Case {
        const char *name;
        QString file;
    };
    const Case cases[] = {
        {"claims 2 GB", write("big.dat", claims2GB)},
        {"version 2", write("v2.dat", version2)},
        {"other signature", write("sig.dat", otherSignature)},
        {"shorter than its header", write("short.dat", saved.left(20))},
        {"data cut short", write("cut.dat", saved.left(saved.size() - 1))},
        {"missing", dir.filePath("none.dat")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TTimex t(TimexDriver());
        EXPECT_FALSE(t.LoadFromFile(c.file));
        EXPECT_TRUE(t.ErrorText().contains(c.file)) << t.ErrorText().toStdString();
        EXPECT_EQ(t.GetSessionCount(), 0);
    }
}

TEST(TimexTest, DriverReadsReportFailureAndAbsentDriverIsNotConnected) {
    TFakeLogger fake;
    ASSERT_TRUE(fake.Bound);
    TTimex timex(TimexDriver());
    fake.Serve({});
    EXPECT_FALSE(timex.ReadFromDevice());
    fake.Serve(Session(Fix(0.1, 0.1)), true, false);
    EXPECT_FALSE(timex.ReadFromDevice());
    EXPECT_EQ(timex.GetSessionCount(), 0);
    fake.Serve(Session(Fix(0.1, 0.1)), true, true, false);
    EXPECT_TRUE(timex.Connect());
    EXPECT_FALSE(timex.ClearMemory());
    EXPECT_TRUE(timex.ReadFromDevice());
    EXPECT_EQ(timex.GetSessionCount(), 1);
    EXPECT_EQ(fake.Counts().Reads, 2);

    TimexApiUnbind();
    EXPECT_FALSE(TimexApiBind(QStringLiteral("/nonexistent/libLoggerMissing.so")));
    TTimex none(TimexDriver());
    EXPECT_FALSE(none.Connect());
    EXPECT_FALSE(none.ClearMemory());
    EXPECT_FALSE(none.ReadFromDevice());
    none.Release();
}
