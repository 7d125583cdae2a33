#include "TestSupport.h"

#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvLib.h>
#include <KvLibNav6/KvLogbook.h>
#include <KvLibNav6/KvNavBoat.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <memory>
#include <stdexcept>
#include <vector>

namespace {

struct Deleter {
    void operator()(NavObject *o) const { ObjectDelete(o); }
};
using LogbookPtr = std::unique_ptr<INavLogbook, Deleter>;

TStrWRec Rec(const QString &s) {
    return TStrWRec{int32_t(s.size()), reinterpret_cast<const char16_t *>(s.utf16())};
}

struct ThumbCall {
    QString Source, Target;
    int32_t MaxWidth, MaxHeight;
};
std::vector<ThumbCall> gThumbCalls;

// Stands in for the program's thumbnail maker: records the call and writes a marker file.
void RecordingThumbnail(const char16_t *source, const char16_t *target, int32_t w, int32_t h) {
    gThumbCalls.push_back({QString::fromUtf16(source), QString::fromUtf16(target), w, h});
    QFile f(QString::fromUtf16(target));
    if (f.open(QIODevice::WriteOnly)) f.write("thumb");
}

void ThrowingThumbnail(const char16_t *, const char16_t *, int32_t, int32_t) {
    throw std::runtime_error("decoder failed");
}

QByteArray ReadAll(const QString &file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool WriteAll(const QString &file, const QByteArray &data) {
    QFile f(file);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

const QByteArray EmptyLogbook("KvNavLogbook\t1\nUTCOffset\t0\nEnd\t0\n");

LogbookPtr Load(const QString &file, int32_t &err, ThumbnailProc cb = RecordingThumbnail) {
    return LogbookPtr(NavLogbookLoadFromFile(Rec(file), nullptr, cb, err));
}

class LogbookTest : public ::testing::Test {
protected:
    void SetUp() override {
        gThumbCalls.clear();
        FDir = testsupport::MakeTempDir(QStringLiteral("logbook"));
        FFile = FDir + QStringLiteral("/Trip.kvlog");
        ASSERT_TRUE(WriteAll(FFile, EmptyLogbook));
    }
    void TearDown() override { gThumbCalls.clear(); }
    QString FDir, FFile;
};

}  // namespace

TEST_F(LogbookTest, EntriesWithContextTextAndPicturesSurviveSaveAndReload) {
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    ASSERT_TRUE(picture.save(FDir + "/harbour.png"));

    int32_t err = -1;
    LogbookPtr log = Load(FFile, err);
    ASSERT_EQ(err, 0);
    ASSERT_TRUE(log);
    EXPECT_FALSE(log->IsRecording());

    TLogbookContext ctx;
    ctx.TimeUTC = 45370.5;
    ctx.Position = {0.91234567890123, 0.08765432109876};
    ctx.CourseOverGround = 1.25f;
    ctx.SpeedOverGround = 3.5f;
    ctx.Heading = 1.3f;
    ctx.DistanceOverGround = 12345.678;
    ctx.RouteDistance = 987.5;
    ctx.HasPosition = true;
    ctx.CourseAndSpeedValid = true;
    const QString tricky = QStringLiteral("Route \"Zuid\\Noord\"\tgestart\nregel 2 — ärger ✓");
    log->AddEntry(Rec(tricky), Rec(QString()), 1, &ctx, 1, 1);
    log->AddEntry(Rec(QStringLiteral("In the harbour")), Rec(QStringLiteral("harbour.png")), 2,
                  nullptr, 1, 1);
    log->AddEntry(Rec(QStringLiteral("Lost photo")), Rec(FDir + "/gone.jpg"), 3, nullptr, 1, 1);
    log->SetUTCOffset(120);

    // Only the picture that exists gets a thumbnail, at the logbook's thumbnail size.
    ASSERT_EQ(gThumbCalls.size(), 1u);
    EXPECT_EQ(gThumbCalls[0].Source, FDir + "/harbour.png");
    EXPECT_EQ(gThumbCalls[0].MaxWidth, 200);
    EXPECT_EQ(gThumbCalls[0].MaxHeight, 200);
    const QString thumb = gThumbCalls[0].Target;
    EXPECT_TRUE(QFile::exists(thumb));

    log->Save(nullptr, 6, err);
    ASSERT_EQ(err, 0);
    const QByteArray saved = ReadAll(FFile);
    const QString text = QString::fromUtf8(saved);
    EXPECT_TRUE(text.contains(QStringLiteral("UTCOffset\t120\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("Route \"Zuid\\\\Noord\"\\tgestart\\nregel 2 — ärger ✓")));
    EXPECT_TRUE(text.contains(QStringLiteral("\t0.91234567890123\t0.08765432109876\t1.25\t3.5\t")));
    EXPECT_TRUE(text.contains("\t" + FDir + "/gone.jpg\tLost photo\n"))
        << "a missing picture keeps its name in the entry";
    EXPECT_TRUE(text.endsWith(QStringLiteral("End\t3\n")));

    // Reloading makes no thumbnail that exists already; saving again changes no byte.
    log.reset();
    gThumbCalls.clear();
    LogbookPtr again = Load(FFile, err);
    ASSERT_EQ(err, 0);
    EXPECT_TRUE(gThumbCalls.empty());
    again->Save(nullptr, 6, err);
    ASSERT_EQ(err, 0);
    EXPECT_EQ(ReadAll(FFile), saved);

    // A thumbnail that went away is made again when the logbook is next opened.
    again.reset();
    ASSERT_TRUE(QFile::remove(thumb));
    LogbookPtr third = Load(FFile, err);
    ASSERT_EQ(err, 0);
    ASSERT_EQ(gThumbCalls.size(), 1u);
    EXPECT_EQ(gThumbCalls[0].Target, thumb);

    // New entries continue the numbering, so thumbnails of old entries are never reused.
    QImage second(10, 10, QImage::Format_RGB32);
    second.fill(Qt::red);
    ASSERT_TRUE(second.save(FDir + "/quay.png"));
    third->AddEntry(Rec(QStringLiteral("Quay")), Rec(QStringLiteral("quay.png")), 2, nullptr, 1, 1);
    ASSERT_EQ(gThumbCalls.size(), 2u);
    EXPECT_NE(gThumbCalls[1].Target, thumb);
}

TEST_F(LogbookTest, ThumbnailFailureNeverCostsTheEntry) {
    ASSERT_TRUE(WriteAll(FDir + "/photo.jpg", QByteArray("not a picture")));
    int32_t err = -1;
    LogbookPtr log = Load(FFile, err, ThrowingThumbnail);
    ASSERT_TRUE(log);
    EXPECT_NO_THROW(log->AddEntry(Rec(QStringLiteral("Photo")), Rec(QStringLiteral("photo.jpg")), 2,
                                  nullptr, 1, 1));
    log->Save(nullptr, 6, err);
    ASSERT_EQ(err, 0);
    EXPECT_TRUE(QString::fromUtf8(ReadAll(FFile)).contains(QStringLiteral("\tphoto.jpg\tPhoto\n")));
}

TEST_F(LogbookTest, UTCOffsetBeyondADayIsIgnored) {
    int32_t err = -1;
    LogbookPtr log = Load(FFile, err);
    ASSERT_TRUE(log);
    log->SetUTCOffset(-300);
    log->SetUTCOffset(100000);
    log->Save(nullptr, 6, err);
    ASSERT_EQ(err, 0);
    EXPECT_TRUE(QString::fromUtf8(ReadAll(FFile)).contains(QStringLiteral("UTCOffset\t-300\n")));
}

TEST_F(LogbookTest, SaveIntoAVanishedFolderFailsWithAnError) {
    int32_t err = -1;
    LogbookPtr log = Load(FFile, err);
    ASSERT_TRUE(log);
    ASSERT_TRUE(QDir(FDir).removeRecursively());
    log->Save(nullptr, 6, err);
    EXPECT_NE(err, 0);
}

TEST_F(LogbookTest, DamagedFilesAreErrorsNeverCrashes) {
    const QByteArray entry("Entry\t1\t1\t1\t1\t45000\t9\t0.9\t0.08\t1\t2\t3\t4\t5\t\tHello\n");
    struct Case { const char *name; QByteArray data; int32_t err; };
    const Case cases[] = {
        {"empty file", QByteArray(), KvErr::BadFormat},
        {"other file", QByteArray("PK\x03\x04 binary"), KvErr::BadFormat},
        {"newer version", QByteArray("KvNavLogbook\t2\nEnd\t0\n"), KvErr::BadVersion},
        {"version zero", QByteArray("KvNavLogbook\t0\nEnd\t0\n"), KvErr::BadFormat},
        {"no end line", "KvNavLogbook\t1\n" + entry, KvErr::BadFormat},
        {"end count wrong", "KvNavLogbook\t1\n" + entry + "End\t2\n", KvErr::BadFormat},
        {"lines after end", "KvNavLogbook\t1\nEnd\t0\n" + entry, KvErr::BadFormat},
        {"unknown line", QByteArray("KvNavLogbook\t1\nMystery\t1\nEnd\t0\n"), KvErr::BadFormat},
        {"field missing", "KvNavLogbook\t1\n" + entry.left(entry.lastIndexOf('\t')) + "\nEnd\t1\n",
         KvErr::BadFormat},
        {"number garbled", "KvNavLogbook\t1\n" + QByteArray(entry).replace("45000", "4x000") + "End\t1\n",
         KvErr::BadFormat},
        {"nan time", "KvNavLogbook\t1\n" + QByteArray(entry).replace("45000", "nan") + "End\t1\n",
         KvErr::BadFormat},
        {"unknown flag", "KvNavLogbook\t1\n" + QByteArray(entry).replace("\t9\t", "\t99\t") + "End\t1\n",
         KvErr::BadFormat},
        {"duplicate ids", "KvNavLogbook\t1\n" + entry + entry + "End\t2\n", KvErr::BadFormat},
        {"bad escape", "KvNavLogbook\t1\n" + QByteArray(entry).replace("Hello", "He\\llo") + "End\t1\n",
         KvErr::BadFormat},
        {"invalid UTF-8", "KvNavLogbook\t1\n" + QByteArray(entry).replace("Hello", "He\xff\xfelo") + "End\t1\n",
         KvErr::BadFormat},
        {"offset out of range", QByteArray("KvNavLogbook\t1\nUTCOffset\t99999\nEnd\t0\n"), KvErr::BadFormat},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(WriteAll(FFile, c.data));
        int32_t err = 0;
        LogbookPtr log = Load(FFile, err);
        EXPECT_FALSE(log);
        EXPECT_EQ(err, c.err);
    }
    {
        SCOPED_TRACE("the valid form of these lines loads");
        ASSERT_TRUE(WriteAll(FFile, "KvNavLogbook\t1\n" + entry + "End\t1\n"));
        int32_t err = -1;
        EXPECT_TRUE(Load(FFile, err));
        EXPECT_EQ(err, 0);
    }
    int32_t err = 0;
    EXPECT_FALSE(Load(FDir + "/missing.kvlog", err));
    EXPECT_EQ(err, KvErr::NotFound);
    EXPECT_FALSE(Load(FDir, err)) << "a folder";
    EXPECT_NE(err, 0);
}

TEST_F(LogbookTest, EveryTruncationOfASavedFileIsRefused) {
    int32_t err = -1;
    {
        LogbookPtr log = Load(FFile, err);
        ASSERT_TRUE(log);
        TLogbookContext ctx;
        ctx.TimeUTC = 45000.25;
        for (int i = 0; i < 3; ++i)
            log->AddEntry(Rec(QStringLiteral("Entry %1").arg(i)), Rec(QString()), 1, &ctx, 1, 1);
        log->Save(nullptr, 6, err);
        ASSERT_EQ(err, 0);
    }
    const QByteArray full = ReadAll(FFile);
    for (qsizetype n = 0; n < full.size(); ++n) {
        ASSERT_TRUE(WriteAll(FFile, full.left(n)));
        LogbookPtr log = Load(FFile, err);
        EXPECT_FALSE(log) << "cut after " << n << " of " << full.size() << " bytes";
        EXPECT_EQ(err, KvErr::BadFormat) << "cut after " << n << " bytes";
    }
}
