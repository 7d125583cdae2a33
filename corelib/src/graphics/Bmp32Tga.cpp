// A TGA reader of our own: Qt's plugin refuses files without the version 2 footer, and most
// TGA pictures (the program's own button and icon pictures among them) have none.
#include "graphics/Bmp32Impl.h"

#include <QFile>
#include <cstring>

namespace kv {

namespace {

uint16_t U16(const uint8_t *p) { return uint16_t(p[0] | (p[1] << 8)); }

QRgb ReadPixel(const uint8_t *p, int bytes, bool grey, bool alphaBits) {
    switch (bytes) {
    case 1:
        return qRgb(p[0], p[0], p[0]);
    case 2: {
        if (grey) return qRgba(p[0], p[0], p[0], p[1]);
        const uint16_t v = U16(p);
        const auto expand = [](int c) { return (c << 3) | (c >> 2); };
        return qRgba(expand((v >> 10) & 31), expand((v >> 5) & 31), expand(v & 31),
                     alphaBits && !(v & 0x8000) ? 0 : 255);
    }
    case 3:
        return qRgb(p[2], p[1], p[0]);
    default:
        return qRgba(p[2], p[1], p[0], alphaBits ? p[3] : 255);
    }
}

}  // namespace

bool ReadTga(const QString &file, QImage &out, int &bitsPerPixel) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) return false;
    const QByteArray data = f.readAll();
    const auto *d = reinterpret_cast<const uint8_t *>(data.constData());
    const qsizetype size = data.size();
    if (size < 18) return false;
    const int idLength = d[0], mapType = d[1], type = d[2];
    const int mapFirst = U16(d + 3), mapLength = U16(d + 5), mapBits = d[7];
    const int width = U16(d + 12), height = U16(d + 14), depth = d[16], descriptor = d[17];
    const bool rle = type >= 9;
    const int base = rle ? type - 8 : type;
    if (base < 1 || base > 3 || width == 0 || height == 0 || width > 16384 || height > 16384)
        return false;
    if (base == 1 && (mapType != 1 || depth != 8)) return false;
    if (base == 2 && depth != 15 && depth != 16 && depth != 24 && depth != 32) return false;
    if (base == 3 && depth != 8 && depth != 16) return false;

    qsizetype pos = 18 + idLength;
    std::vector<QRgb> palette;
    if (mapType == 1) {
        const int mapBytes = (mapBits + 7) / 8;
        if (mapBytes < 2 || mapBytes > 4) return false;
        if (pos + qsizetype(mapLength) * mapBytes > size) return false;
        palette.resize(size_t(mapFirst + mapLength), qRgb(0, 0, 0));
        for (int i = 0; i < mapLength; ++i, pos += mapBytes)
            palette[size_t(mapFirst + i)] = ReadPixel(d + pos, mapBytes, false, (descriptor & 15) > 0 || mapBits == 32);
    }
    const int bytes = (depth + 7) / 8;
    const bool alphaBits = (descriptor & 15) > 0;
    const bool grey = base == 3;

    QImage img(width, height, QImage::Format_ARGB32);
    if (img.isNull()) return false;
    const qsizetype count = qsizetype(width) * height;
    std::vector<QRgb> pixels(static_cast<size_t>(count));
    auto decode = [&](const uint8_t *p) -> QRgb {
        if (base == 1) return p[0] < palette.size() ? palette[p[0]] : qRgb(0, 0, 0);
        return ReadPixel(p, bytes, grey, alphaBits || (depth == 32));
    };
    qsizetype n = 0;
    while (n < count) {
        if (!rle) {
            if (pos + bytes > size) return false;
            pixels[size_t(n++)] = decode(d + pos);
            pos += bytes;
            continue;
        }
        if (pos >= size) return false;
        const int header = d[pos++];
        const int run = (header & 0x7F) + 1;
        if (n + run > count) return false;
        if (header & 0x80) {
            if (pos + bytes > size) return false;
            const QRgb v = decode(d + pos);
            pos += bytes;
            for (int i = 0; i < run; ++i) pixels[size_t(n++)] = v;
        } else {
            if (pos + qsizetype(run) * bytes > size) return false;
            for (int i = 0; i < run; ++i, pos += bytes) pixels[size_t(n++)] = decode(d + pos);
        }
    }
    const bool topDown = descriptor & 0x20;
    const bool rightToLeft = descriptor & 0x10;
    for (int y = 0; y < height; ++y) {
        auto *row = reinterpret_cast<QRgb *>(img.scanLine(topDown ? y : height - 1 - y));
        const QRgb *src = &pixels[size_t(y) * size_t(width)];
        for (int x = 0; x < width; ++x) row[rightToLeft ? width - 1 - x : x] = src[x];
    }
    out = img;
    bitsPerPixel = depth == 15 ? 16 : depth;
    return true;
}

}  // namespace kv
