#include "TestSupport.h"

#include "base/files/KvBufferedFileStream.h"
#include "base/kvlib/KvErrors.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

namespace {

QString NewFile(const QString &name, const QByteArray &content) {
    const QString path = testsupport::MakeTempDir(QStringLiteral("bfs")) + '/' + name;
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return {};
    f.write(content);
    return path;
}

QByteArray FileBytes(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

template <class F>
QString MessageOf(F &&f) {
    try {
        f();
    } catch (const EStreamError &e) {
        return e.Message();
    }
    return QStringLiteral("<no EStreamError>");
}

}  // namespace

TEST(TBufferedFileStream, BufferSizeIsRoundedAndCapped) {
    struct Case { const char *name; int32_t requested; int32_t expected; };
    const Case cases[] = {{"small rounds up", 100, 1024},   {"exact stays", 8192, 8192},
                          {"one over rounds up", 1025, 2048}, {"large is capped", 40000, 32768},
                          {"zero gives the minimum", 0, 1024}, {"cap itself", 32768, 32768}};
    const QString path = NewFile(QStringLiteral("size.bin"), "x");
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TBufferedFileStream s(path, fmOpenRead | fmShareDenyWrite, c.requested);
        EXPECT_EQ(s.BufferSize(), c.expected);
    }
}

// Reads, writes, seeks and resizes at random against a byte array doing the same; windows
// are crossed often because the buffer is small, and sizes land on multiples of it.
TEST(TBufferedFileStream, AgreesWithAnInMemoryModel) {
    for (const int32_t bufferSize : {1024, 3072}) {
        for (quint32 seed : {1u, 2u, 3u, 4u}) {
            SCOPED_TRACE(QStringLiteral("buffer %1 seed %2").arg(bufferSize).arg(seed).toStdString());
            QRandomGenerator rng(seed);
            QByteArray model;
            for (int i = 0; i < int(rng.bounded(3 * bufferSize)); ++i)
                model.append(char(rng.bounded(256)));
            const QString path = NewFile(QStringLiteral("model.bin"), model);
            int64_t pos = 0;
            {
                TBufferedFileStream s(path, fmOpenReadWrite, bufferSize);
                for (int step = 0; step < 1500; ++step) {
                    SCOPED_TRACE(step);
                    const int op = int(rng.bounded(100));
                    const int span = 2 * bufferSize + 10;
                    if (op < 35) {
                        const int n = int(rng.bounded(span));
                        QByteArray got(n, '\0');
                        const int32_t r = s.Read(got.data(), n);
                        const int expected = int(std::min<int64_t>(n, model.size() - pos));
                        ASSERT_EQ(r, expected);
                        ASSERT_EQ(got.left(r), model.mid(pos, r));
                        pos += r;
                    } else if (op < 65) {
                        const int n = 1 + int(rng.bounded(span));
                        QByteArray data;
                        for (int i = 0; i < n; ++i) data.append(char(rng.bounded(256)));
                        ASSERT_EQ(s.Write(data.constData(), n), n);
                        if (pos + n > model.size()) model.resize(pos + n);
                        model.replace(pos, n, data);
                        pos += n;
                    } else if (op < 88) {
                        const int origin = int(rng.bounded(3));
                        const int64_t base = origin == 0 ? 0 : origin == 1 ? pos : model.size();
                        // Mostly valid targets, sometimes just outside, often a window edge.
                        int64_t target = rng.bounded(model.size() + 1);
                        if (rng.bounded(4) == 0) target = (target / bufferSize) * bufferSize;
                        if (rng.bounded(10) == 0) target = model.size() + 1;
                        if (rng.bounded(20) == 0) target = -1;
                        if (target < 0 || target > model.size()) {
                            ASSERT_EQ(MessageOf([&] { s.Seek(target - base, origin); }),
                                      QStringLiteral("Invalid new position in ") +
                                          QFileInfo(path).absoluteFilePath());
                        } else {
                            ASSERT_EQ(s.Seek(target - base, origin), target);
                            pos = target;
                        }
                    } else {
                        int64_t size = rng.bounded(3 * bufferSize + 1);
                        if (rng.bounded(3) == 0) size = (size / bufferSize) * bufferSize;
                        s.SetSize(size);
                        model.resize(size, '\0');
                        if (pos > size) pos = size;
                    }
                    ASSERT_EQ(s.GetSize(), model.size());
                    ASSERT_EQ(s.GetPosition(), pos);
                }
                s.Close();
            }
            EXPECT_EQ(FileBytes(path), model);
        }
    }
}

TEST(TBufferedFileStream, SeekLimitsAndOrigins) {
    const QString path = NewFile(QStringLiteral("seek.bin"), QByteArray(5000, 'a'));
    const QString expanded = QFileInfo(path).absoluteFilePath();
    TBufferedFileStream s(path, fmOpenRead, 1024);
    struct Case { const char *name; int64_t offset; int32_t origin; QString message; };
    const Case cases[] = {
        {"to the size", 5000, soBeginning, {}},
        {"end origin", 0, soEnd, {}},
        {"one past the size", 5001, soBeginning, "Invalid new position in " + expanded},
        {"before the start", -1, soBeginning, "Invalid new position in " + expanded},
        {"past the end from the end", 1, soEnd, "Invalid new position in " + expanded},
        {"origin 3", 0, 3, QStringLiteral("TBufferedFileStream.Seek: Invalid origin.")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        if (c.message.isEmpty())
            EXPECT_EQ(s.Seek(c.offset, c.origin), 5000);
        else
            EXPECT_EQ(MessageOf([&] { s.Seek(c.offset, c.origin); }), c.message);
    }
}

TEST(TBufferedFileStream, ReadingAtTheEndReturnsNothing) {
    char buf[16];
    struct Case { const char *name; int size; };
    for (const Case c : {Case{"empty file", 0}, Case{"size a multiple of the buffer", 2048},
                         Case{"inside the last window", 1500}}) {
        SCOPED_TRACE(c.name);
        const QString path = NewFile(QStringLiteral("end.bin"), QByteArray(c.size, 'z'));
        TBufferedFileStream s(path, fmOpenRead, 1024);
        QByteArray all(c.size + 100, '\0');
        EXPECT_EQ(s.Read(all.data(), int32_t(all.size())), c.size);
        EXPECT_EQ(s.Read(buf, 16), 0);
        EXPECT_EQ(s.Read(buf, 16), 0);
    }
}

TEST(TBufferedFileStream, OpenAndCreateFailuresNameTheFileAsPassed) {
    const QString dir = testsupport::MakeTempDir(QStringLiteral("bfs-open"));
    const QString missing = dir + QStringLiteral("/no such file.bin");
    EXPECT_EQ(MessageOf([&] { TBufferedFileStream s(missing, fmOpenRead, 8192); }),
              QStringLiteral("Cannot open file ") + missing);
    const QString badFolder = dir + QStringLiteral("/missing folder/new.bin");
    EXPECT_EQ(MessageOf([&] { TBufferedFileStream s(badFolder, fmCreate, 8192); }),
              QStringLiteral("Cannot create file ") + badFolder);
    EXPECT_EQ(MessageOf([&] { TBufferedFileStream s(dir, fmOpenRead, 8192); }),
              QStringLiteral("Cannot open file ") + dir);
}

TEST(TBufferedFileStream, WritesGrowTheSizeAtOnceAndReachTheFileAtTheEnd) {
    const QString path = testsupport::MakeTempDir(QStringLiteral("bfs-grow")) + "/grow.bin";
    {
        TBufferedFileStream s(path, fmCreate, 8192);
        EXPECT_EQ(s.Write("hello", 5), 5);
        EXPECT_EQ(s.GetSize(), 5);
        EXPECT_EQ(QFileInfo(path).size(), 0);  // still in the buffer
    }
    EXPECT_EQ(FileBytes(path), QByteArray("hello"));
}

TEST(TBufferedFileStream, ShrinkingMovesAPositionBeyondToTheNewEnd) {
    const QString path = NewFile(QStringLiteral("shrink.bin"), QByteArray(3000, 'q'));
    TBufferedFileStream s(path, fmOpenReadWrite, 1024);
    s.Seek(2500, soBeginning);
    s.SetSize(1200);
    EXPECT_EQ(s.GetPosition(), 1200);
    EXPECT_EQ(s.GetSize(), 1200);
    s.Close();
    EXPECT_EQ(QFileInfo(path).size(), 1200);
}

TEST(TBufferedFileStream, WritingToAReadOnlyStreamFailsWithItsMessage) {
    const QString path = NewFile(QStringLiteral("ro.bin"), QByteArray(10, 'r'));
    auto s = std::make_unique<TBufferedFileStream>(path, fmOpenRead, 1024);
    s->Write("xx", 2);
    EXPECT_EQ(MessageOf([&] { s->Close(); }),
              QStringLiteral("Write failed in ") + QFileInfo(path).absoluteFilePath());
    EXPECT_EQ(FileBytes(path), QByteArray(10, 'r'));
}

TEST(TBufferedFileStream, SizesBeyondTwoGigabytes) {
    const QString path = testsupport::MakeTempDir(QStringLiteral("bfs-big")) + "/big.bin";
    const int64_t big = (int64_t(1) << 32) + 10;  // sparse: no disk space is used
    {
        TBufferedFileStream s(path, fmCreate, 8192);
        s.SetSize(big);
        EXPECT_EQ(s.GetSize(), big);
        EXPECT_EQ(s.Seek(-4, soEnd), big - 4);
        EXPECT_EQ(s.Write("tail", 4), 4);
    }
    TBufferedFileStream s(path, fmOpenRead, 8192);
    EXPECT_EQ(s.GetSize(), big);
    s.Seek(big - 6, soBeginning);
    char buf[8] = {};
    EXPECT_EQ(s.Read(buf, 8), 6);
    EXPECT_EQ(QByteArray(buf, 6), QByteArray("\0\0tail", 6));
}
