#include "base/files/KvStream.h"
#include "base/kvlib/KvErrors.h"

#include <gtest/gtest.h>

namespace {

QByteArray Le32(int32_t v) {
    QByteArray b(4, '\0');
    for (int i = 0; i < 4; ++i) b[i] = char((uint32_t(v) >> (8 * i)) & 0xFF);
    return b;
}

}  // namespace

TEST(StreamReaders, ReadValuesAndReportShortStreams) {
    struct Case { const char *name; QByteArray bytes; int which; QString message; int64_t value; };
    // which: 0 Int64, 1 Longint, 2 Version
    const Case cases[] = {
        {"int64 little-endian", QByteArray("\x01\x02\x03\x04\x05\x06\x07\x08", 8), 0, {},
         0x0807060504030201LL},
        {"int64 short", QByteArray(7, '\0'), 0,
         QStringLiteral("StreamReadInt64: Read beyond end of stream."), 0},
        {"longint negative", Le32(-5), 1, {}, -5},
        {"longint with 3 bytes left", QByteArray(3, '\1'), 1,
         QStringLiteral("StreamReadLongint: Read beyond end of stream."), 0},
        {"version packed", Le32(0x01020304), 2, {}, 0x01020304},
        {"version empty", QByteArray(), 2,
         QStringLiteral("StreamReadVersion: Read beyond end of stream."), 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TMemoryStream s(c.bytes);
        try {
            const int64_t v = c.which == 0   ? StreamReadInt64(s)
                              : c.which == 1 ? int64_t(StreamReadLongint(s))
                                             : int64_t(StreamReadVersion(s));
            EXPECT_TRUE(c.message.isEmpty());
            EXPECT_EQ(v, c.value);
        } catch (const EStreamError &e) {
            EXPECT_EQ(e.Message(), c.message);
        }
    }
}

TEST(StreamReaders, ReadStr) {
    const QString tooLong = QStringLiteral(
        "StreamReadStr: Length of string exceeds amount of bytes that are left in the stream.");
    struct Case {
        const char *name; QByteArray bytes; QString text; QString message; int64_t position;
    };
    const Case cases[] = {
        {"count 0 consumes four bytes", Le32(0) + "rest", {}, {}, 4},
        {"negative count leaves it empty", Le32(-3) + "abc", {}, {}, 4},
        {"code page 1252", Le32(4) + QByteArray("\x80 \xe9x"), QStringLiteral("€ éx"), {}, 8},
        {"count beyond the rest", Le32(10) + "abc", {}, tooLong, 4},
        {"huge count is refused before allocating", Le32(0x7FFFFFFF), {}, tooLong, 4},
        {"no count", QByteArray("ab"), {},
         QStringLiteral("StreamReadStr: Read beyond end of stream."), 2},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TMemoryStream s(c.bytes);
        QString text = QStringLiteral("old");
        try {
            StreamReadStr(s, 1252, text);
            EXPECT_TRUE(c.message.isEmpty());
        } catch (const EStreamError &e) {
            EXPECT_EQ(e.Message(), c.message);
        }
        EXPECT_EQ(text, c.text);
        // Nothing of the text is read when the count is refused.
        EXPECT_EQ(s.GetPosition(), c.position);
    }
}
