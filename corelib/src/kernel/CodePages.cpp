// Decoding of 8-bit text. Code page 1252 is decoded from our own table because Qt only
// knows it when built with ICU; the other pages go through Qt's codecs.
#include "kernel/KvInternal.h"

#include <QStringDecoder>

namespace {

// Windows-1252 bytes 0x80..0x9F; the five unassigned bytes map to themselves, as the
// platform's own converter does.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr int32_t CodePageUtf8 = 65001;
constexpr int32_t CodePageLatin1 = 28591;
constexpr int32_t CodePage1252 = 1252;

std::u16string Decode(const char *bytes, int32_t len, int32_t codePage) {
    std::u16string out;
    if (!bytes || len <= 0) return out;
    if (codePage == CodePage1252 || codePage == CodePageLatin1) {
        out.reserve(size_t(len));
        for (int32_t i = 0; i < len; ++i) {
            const auto b = static_cast<unsigned char>(bytes[i]);
            if (codePage == CodePage1252 && b >= 0x80 && b <= 0x9F)
                out.push_back(Cp1252High[b - 0x80]);
            else
                out.push_back(char16_t(b));
        }
        return out;
    }
    // 0 (the system's page) and UTF-8 both mean UTF-8 on this platform.
    QStringDecoder decoder(codePage == CodePageUtf8 || codePage == 0
                               ? QStringConverter::Utf8
                               : QStringConverter::System);
    const QString text = decoder.decode(QByteArrayView(bytes, len));
    out.assign(reinterpret_cast<const char16_t *>(text.utf16()), size_t(text.size()));
    return out;
}

}  // namespace

int32_t MultiByteToUnicode_GetBufSize(const char *bytes, int32_t len, int32_t codePage) {
    return int32_t(Decode(bytes, len, codePage).size());
}

void MultiByteToUnicode(char16_t *dest, int32_t n, const char *bytes, int32_t len,
                        int32_t codePage) {
    if (!dest || n <= 0) return;
    const std::u16string text = Decode(bytes, len, codePage);
    const size_t count = std::min(size_t(n), text.size());
    std::copy_n(text.begin(), count, dest);
}
