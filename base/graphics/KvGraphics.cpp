#include "base/graphics/KvGraphics.h"

#include "base/kvlib/KvStrings.h"

#include <KvLibNav6/KvErrorCodes.h>

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <cstring>

namespace {

FontHandle Handle(const QFont *font) { return const_cast<QFont *>(font); }

}  // namespace

void Bmp32DrawText(IBmp32 *bmp, const QString &text, int32_t x, int32_t y, const QFont *font,
                   uint32_t colour, int32_t value) {
    if (bmp) bmp->DrawText(StrW(text), x, y, Handle(font), colour, value);
}

void Bmp32DrawTextRect(IBmp32 *bmp, const QString &text, const TRect &rect, int32_t flag,
                       int32_t format1, int32_t format2, int32_t format3, const QFont *font) {
    if (bmp) bmp->DrawTextRect(StrW(text), rect, Handle(font), flag, format1, format2, format3);
}

TSize Bmp32TextExtent(IBmp32 *bmp, const QString &text, const QFont *font) {
    TSize size;
    if (bmp) bmp->TextExtent(StrW(text), Handle(font), size);
    return size;
}

void Bmp32LoadFromFile(IBmp32 *bmp, const QString &fileName, int32_t value, int32_t &err,
                       TImageInfo *info, bool tgaFlag) {
    const QString ext = QFileInfo(fileName).suffix().toLower();
    if (ext == QLatin1String("jpg") || ext == QLatin1String("jpeg")) {
        Bmp32LoadJPEG(bmp, fileName, info, err);
        return;
    }
    err = KvErr::Ok;
    if (!bmp) { err = KvErr::InvalidArgument; return; }
    bmp->LoadFromFile(StrW(fileName), value, tgaFlag, info, err);
}

void Bmp32LoadFromFile2(IBmp32 *bmp, const QString &fileName, int32_t value, int32_t &err,
                        int32_t v1, int32_t flag) {
    err = KvErr::Ok;
    if (!bmp) { err = KvErr::InvalidArgument; return; }
    bmp->LoadFromFile2(StrW(fileName), value, flag, v1, err);
}

void Bmp32LoadFromFile3(IBmp32 *bmp, const QString &fileName, int32_t value, int32_t &err,
                        int32_t v1) {
    err = KvErr::Ok;
    if (!bmp) { err = KvErr::InvalidArgument; return; }
    bmp->LoadFromFile3(StrW(fileName), value, v1, err);
}

void Bmp32LoadJPEG(IBmp32 *bmp, const QString &fileName, TImageInfo *info, int32_t &err) {
    err = KvErr::Ok;
    QImage decoded;
    try {
        QImageReader reader(fileName, "jpeg");
        reader.setAutoTransform(false);
        if (!reader.read(&decoded)) decoded = QImage();
    } catch (...) {
        decoded = QImage();  // a decoder failure of any kind is the same answer to the caller
    }
    if (decoded.isNull() || !bmp) {
        err = KvErr::ImageDecode;
        return;
    }
    decoded = decoded.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    // The bitmap copies the decoded picture out of a device context, as any other painter.
    bmp->SetSize(decoded.width(), decoded.height());
    TPoint dst;
    bmp->GetDestinationPosition(dst);
    {
        QPainter dc(&decoded);
        bmp->CopyFromDC(&dc, dst, TRect{0, 0, decoded.width(), decoded.height()});
    }
    if (info) *info = TImageInfo{PixelFormat::NotABuffer, 0, decoded.width(), decoded.height(), 0};
}

QImage Bmp32ToImage(IBmp32 *bmp) {
    if (!bmp || bmp->GetWidth() <= 0 || bmp->GetHeight() <= 0) return QImage();
    QImage img(bmp->GetWidth(), bmp->GetHeight(), QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < img.height(); ++y)
        if (const uint8_t *row = bmp->GetRow(y)) std::memcpy(img.scanLine(y), row, size_t(img.width()) * 4);
    return img;
}

void Bmp32FromImage(IBmp32 *bmp, const QImage &image) {
    if (!bmp) return;
    const QImage src = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    bmp->SetSize(src.width(), src.height());
    for (int y = 0; y < src.height(); ++y)
        if (uint8_t *row = bmp->GetRow(y)) std::memcpy(row, src.constScanLine(y), size_t(src.width()) * 4);
}

int32_t PixelFormatToCore(QImage::Format format) {
    switch (format) {
    case QImage::Format_Indexed8:
    case QImage::Format_Grayscale8:
        return PixelFormat::Bits8;
    case QImage::Format_RGB555:
        return PixelFormat::Bits15;
    case QImage::Format_RGB16:
        return PixelFormat::Bits16;
    case QImage::Format_RGB888:
    case QImage::Format_BGR888:
        return PixelFormat::Bits24;
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
        return PixelFormat::Bits32;
    default:
        return PixelFormat::Device;
    }
}

TImageInfo PixelFormatInfo(const QImage &image) {
    TImageInfo info;
    info.Format = PixelFormatToCore(image.format());
    info.Width = image.width();
    info.Height = image.height();
    // QImage pads rows to 32 bits, as CalcPitch does; the image's own stride is the truth.
    info.Pitch = image.isNull() ? 0 : int32_t(image.bytesPerLine());
    info.Orientation = 0;
    return info;
}
