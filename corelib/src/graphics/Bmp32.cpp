// 32-bit bitmaps on QImage and the pixel-format helpers.
#include "graphics/Bmp32Impl.h"

#include "kernel/KvInternal.h"
#include "KvLibNav6/KvErrorCodes.h"

#include <QColor>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>
#include <cstring>
#include <mutex>
#include <vector>

namespace kv {

namespace {

constexpr QImage::Format BmpFormat = QImage::Format_ARGB32_Premultiplied;

QImage BlankImage(int32_t w, int32_t h) {
    if (w <= 0 || h <= 0) return QImage();
    QImage img(w, h, BmpFormat);
    if (img.isNull()) return QImage();  // too large to allocate: stays empty
    img.fill(Qt::transparent);
    return img;
}

QFont FontOf(FontHandle font) { return font ? *static_cast<QFont *>(font) : QFont(); }

QRect ToQRect(const TRect &r) { return QRect(QPoint(r.Left, r.Top), QPoint(r.Right - 1, r.Bottom - 1)); }
QRectF ToQRectF(const TRectD &r) { return QRectF(QPointF(r.Left, r.Top), QPointF(r.Right, r.Bottom)); }

// The image a device context (a QPainter) paints on, when it is a raster image or pixmap.
QImage DeviceImage(QPainter *p) {
    if (!p || !p->device()) return QImage();
    QPaintDevice *dev = p->device();
    switch (dev->devType()) {
    case QInternal::Image:
        return *static_cast<QImage *>(dev);
    case QInternal::Pixmap:
        return static_cast<QPixmap *>(dev)->toImage();
    default:
        return QImage();
    }
}

}  // namespace

int32_t PixelFormatOfImage(QImage::Format format) {
    switch (format) {
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
        return PixelFormat::Device;
    case QImage::Format_Indexed8:
    case QImage::Format_Grayscale8:
    case QImage::Format_Alpha8:
        return PixelFormat::Bits8;
    case QImage::Format_RGB555:
        return PixelFormat::Bits15;
    case QImage::Format_RGB16:
    case QImage::Format_RGB444:
    case QImage::Format_ARGB4444_Premultiplied:
    case QImage::Format_Grayscale16:
        return PixelFormat::Bits16;
    case QImage::Format_RGB888:
    case QImage::Format_BGR888:
    case QImage::Format_RGB666:
        return PixelFormat::Bits24;
    default:
        return PixelFormat::Bits32;
    }
}

TBmp32Impl::TBmp32Impl(int32_t width, int32_t height) : FImage(BlankImage(width, height)) {}

TBmp32Impl::~TBmp32Impl() { EndDC(); }

void TBmp32Impl::EndDC() {
    if (FDC) {
        FDC->end();
        FDC.reset();
    }
}

QImage &TBmp32Impl::Image() {
    EndDC();
    return FImage;
}

void TBmp32Impl::SetImage(const QImage &image, int32_t pixelFormat) {
    EndDC();
    FImage = image.isNull() ? QImage() : image.convertToFormat(BmpFormat);
    FPixelFormat = pixelFormat;
}

// Painting calls share the GetDC painter while it is open: a QImage takes one painter at a
// time, and the caller's painter must stay usable.
template <class Fn>
static void PaintOn(QImage &image, QPainter *dc, Fn &&fn) {
    if (image.isNull()) return;
    if (dc && dc->isActive()) {
        dc->save();
        fn(*dc);
        dc->restore();
        return;
    }
    QPainter p(&image);
    fn(p);
}

void TBmp32Impl::Assign(IBmp32 *other) {
    if (other == this) return;
    if (QImage *src = Bmp32Image(other)) {
        auto *o = static_cast<TBmp32Impl *>(other);
        SetImage(src->copy(), o->FPixelFormat);
        return;
    }
    if (!other) {
        SetImage(QImage(), PixelFormat::Bits32);
        return;
    }
    // A bitmap of another make: copy through its rows.
    QImage copy = BlankImage(other->GetWidth(), other->GetHeight());
    for (int y = 0; y < copy.height(); ++y)
        if (const uint8_t *row = other->GetRow(y)) std::memcpy(copy.scanLine(y), row, size_t(copy.width()) * 4);
    SetImage(copy, other->GetPixelFormat());
}

void TBmp32Impl::Blend(IBmp32 *target, const TRectD &dst, const TRectD &src, int32_t mode,
                       int32_t reserved) {
    auto *t = dynamic_cast<TBmp32Impl *>(target);
    if (!t || FImage.isNull()) return;
    const QImage source = (t == this) ? FImage.copy() : FImage;
    PaintOn(t->FImage, t->FDC.get(), [&](QPainter &p) {
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(ToQRectF(dst), source, ToQRectF(src));
    });
}

void TBmp32Impl::CopyFromDC(DeviceContext dc, const TPoint &dst, const TRect &src) {
    const QImage device = DeviceImage(static_cast<QPainter *>(dc));
    if (device.isNull()) return;
    const QImage part = device.copy(ToQRect(src));
    PaintOn(FImage, FDC.get(), [&](QPainter &p) {
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(QPoint(dst.X, dst.Y), part);
    });
}

void TBmp32Impl::FillRect(const TRectD &r, uint32_t fill, uint32_t border, int32_t flags,
                          float borderWidth) {
    PaintOn(FImage, FDC.get(), [&](QPainter &p) {
        const QRectF rect = ToQRectF(r);
        p.fillRect(rect, QColor::fromRgba(fill));
        if ((border >> 24) != 0 && borderWidth > 0.0f) {
            QPen pen(QColor::fromRgba(border));
            pen.setWidthF(borderWidth);
            pen.setJoinStyle(Qt::MiterJoin);
            p.setPen(pen);
            p.setBrush(Qt::NoBrush);
            const qreal half = borderWidth / 2.0;
            p.drawRect(rect.adjusted(half, half, -half, -half));
        }
    });
}

void TBmp32Impl::DrawScaled(IBmp32 *target) {
    auto *t = dynamic_cast<TBmp32Impl *>(target);
    if (!t || t == this || FImage.isNull() || t->FImage.isNull()) return;
    // Smooth downscaling; the target's previous pixels are replaced, alpha included.
    const QImage scaled = FImage.scaled(t->FImage.size(), Qt::IgnoreAspectRatio,
                                        Qt::SmoothTransformation);
    PaintOn(t->FImage, t->FDC.get(), [&](QPainter &p) {
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(QPoint(0, 0), scaled);
    });
}

void TBmp32Impl::DrawText(const TStrWRec &text, int32_t x, int32_t y, FontHandle font,
                          uint32_t colour, int32_t value) {
    const QString s = ToQString(text);
    PaintOn(FImage, FDC.get(), [&](QPainter &p) {
        const QFont f = FontOf(font);
        p.setFont(f);
        p.setPen(QColor::fromRgba(colour));
        p.drawText(QPoint(x, y + QFontMetrics(f).ascent()), s);
    });
}

void TBmp32Impl::DrawTextRect(const TStrWRec &text, const TRect &r, FontHandle font,
                              int32_t flag, int32_t format1, int32_t format2, int32_t format3) {
    const QString s = ToQString(text);
    int align = 0;
    switch (flag & 3) {
    case 1: align |= Qt::AlignHCenter; break;
    case 2: align |= Qt::AlignRight; break;
    default: align |= Qt::AlignLeft; break;
    }
    switch (flag & 12) {
    case 4: align |= Qt::AlignVCenter; break;
    case 8: align |= Qt::AlignBottom; break;
    default: align |= Qt::AlignTop; break;
    }
    if (format2 & 1) align |= Qt::TextWordWrap;
    const uint32_t colour = format1 == 0 ? 0xFF000000u : uint32_t(format1);
    PaintOn(FImage, FDC.get(), [&](QPainter &p) {
        p.setFont(FontOf(font));
        p.setPen(QColor::fromRgba(colour));
        p.drawText(ToQRect(r), align, s);
    });
}

void TBmp32Impl::Fill(uint32_t colour) {
    PaintOn(FImage, FDC.get(), [&](QPainter &p) {
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.fillRect(FImage.rect(), QColor::fromRgba(colour));
    });
}

DeviceContext TBmp32Impl::GetDC() {
    if (FImage.isNull()) return nullptr;
    if (!FDC) FDC = std::make_unique<QPainter>(&FImage);
    return FDC.get();
}

uint8_t *TBmp32Impl::GetRow(int32_t y) {
    if (y < 0 || y >= FImage.height()) return nullptr;
    return FImage.scanLine(y);
}

void TBmp32Impl::TextExtent(const TStrWRec &text, FontHandle font, TSize &out) {
    const QFontMetrics fm(FontOf(font));
    const QString s = ToQString(text);
    out.Width = fm.horizontalAdvance(s);
    out.Height = fm.height();
}

namespace {

int32_t FormatOfBits(int bits) {
    switch (bits) {
    case 1: return PixelFormat::Device;
    case 4: return PixelFormat::Bits4;
    case 8: return PixelFormat::Bits8;
    case 15: return PixelFormat::Bits15;
    case 16: return PixelFormat::Bits16;
    case 24: return PixelFormat::Bits24;
    case 32: return PixelFormat::Bits32;
    default: return PixelFormat::Device;
    }
}

// Bits per pixel a BMP file stores (Qt decodes 24-bit files into 32-bit images).
int BmpFileBits(const QString &file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) return 0;
    const QByteArray head = f.read(30);
    if (head.size() < 30 || !head.startsWith("BM")) return 0;
    return uint8_t(head[28]) | (uint8_t(head[29]) << 8);
}

}  // namespace

void TBmp32Impl::LoadWithReader(const QString &file, const char *format, TImageInfo *info,
                                int32_t &err) {
    err = KvErr::Ok;
    if (!QFileInfo(file).isFile()) {
        err = KvErr::NotFound;
        return;
    }
    QImage decoded;
    int32_t code = PixelFormat::Bits32;
    const bool tga = format && qstrcmp(format, "tga") == 0;
    if (tga) {
        int bits = 0;
        if (!ReadTga(file, decoded, bits)) {
            err = KvErr::BadFormat;  // the bitmap keeps what it had
            return;
        }
        code = FormatOfBits(bits);
    } else {
        QImageReader reader(file);
        reader.setAutoTransform(false);
        reader.setDecideFormatFromContent(true);
        if (!reader.read(&decoded) || decoded.isNull()) {
            err = reader.error() == QImageReader::UnsupportedFormatError ? KvErr::ImageFormat
                                                                         : KvErr::BadFormat;
            return;
        }
        const int bits = BmpFileBits(file);
        code = bits > 0 ? FormatOfBits(bits) : PixelFormatOfImage(decoded.format());
    }
    if (info) {
        info->Format = code;
        info->Width = decoded.width();
        info->Height = decoded.height();
        info->Pitch = CalcPitch(decoded.width(), PixelGetBitCount(code), 32);
        info->Orientation = 0;
    }
    SetImage(decoded, code);
}

void TBmp32Impl::LoadFromFile(const TStrWRec &file, int32_t value, bool tga, TImageInfo *info,
                              int32_t &err) {
    LoadWithReader(ToQString(file), tga ? "tga" : nullptr, info, err);
}

void TBmp32Impl::LoadFromFile2(const TStrWRec &file, int32_t value, int32_t flag, int32_t v1,
                               int32_t &err) {
    LoadWithReader(ToQString(file), nullptr, nullptr, err);
}

void TBmp32Impl::LoadFromFile3(const TStrWRec &file, int32_t value, int32_t v1, int32_t &err) {
    const QString name = ToQString(file);
    // TGA has no signature, so content sniffing cannot find it.
    const bool tga = QFileInfo(name).suffix().compare(QLatin1String("tga"), Qt::CaseInsensitive) == 0;
    LoadWithReader(name, tga ? "tga" : nullptr, nullptr, err);
}

void TBmp32Impl::SetAlpha(uint8_t alpha) {
    EndDC();
    if (FImage.isNull()) return;
    // Through straight alpha, so colours survive; pixels that were fully transparent
    // carry no colour in premultiplied form and come out black.
    QImage straight = FImage.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < straight.height(); ++y) {
        auto *px = reinterpret_cast<QRgb *>(straight.scanLine(y));
        for (int x = 0; x < straight.width(); ++x) px[x] = (px[x] & 0x00FFFFFFu) | (uint32_t(alpha) << 24);
    }
    FImage = straight.convertToFormat(BmpFormat);
}

void TBmp32Impl::SetSize(int32_t w, int32_t h) {
    EndDC();
    if (w == FImage.width() && h == FImage.height()) return;
    FImage = BlankImage(w, h);
}

void TBmp32Impl::DrawTo(DeviceContext dc, const TRect &dst, const TRect &src) {
    auto *p = static_cast<QPainter *>(dc);
    if (!p || !p->isActive() || FImage.isNull()) return;
    p->drawImage(ToQRect(dst), FImage, ToQRect(src));
}

void TBmp32Impl::FlipHorizontal() {
    EndDC();
    FImage = FImage.mirrored(true, false);
}

void TBmp32Impl::FlipVertical() {
    EndDC();
    FImage = FImage.mirrored(false, true);
}

void TBmp32Impl::SetColorAlpha(uint8_t matchAlpha, uint8_t otherAlpha, uint32_t colour) {
    EndDC();
    if (FImage.isNull()) return;
    QImage straight = FImage.convertToFormat(QImage::Format_ARGB32);
    const uint32_t rgb = colour & 0x00FFFFFFu;
    for (int y = 0; y < straight.height(); ++y) {
        auto *px = reinterpret_cast<QRgb *>(straight.scanLine(y));
        for (int x = 0; x < straight.width(); ++x) {
            const uint8_t a = (px[x] & 0x00FFFFFFu) == rgb ? matchAlpha : otherAlpha;
            px[x] = (px[x] & 0x00FFFFFFu) | (uint32_t(a) << 24);
        }
    }
    FImage = straight.convertToFormat(BmpFormat);
}

QImage *Bmp32Image(IBmp32 *bmp) {
    auto *impl = dynamic_cast<TBmp32Impl *>(bmp);
    return impl ? &impl->Image() : nullptr;
}

}  // namespace kv

IBmp32 *Bmp32Create(int32_t width, int32_t height, int32_t flag) {
    return new kv::TBmp32Impl(width, height);
}

int32_t PixelGetBitCount(int32_t formatCode) {
    switch (formatCode) {
    case PixelFormat::Device: return 1;
    case PixelFormat::Bits4: return 4;
    case PixelFormat::Bits8: return 8;
    case PixelFormat::Bits15:
    case PixelFormat::Bits16: return 16;
    case PixelFormat::Bits24: return 24;
    case PixelFormat::Bits32: return 32;
    default: return 0;
    }
}

int32_t CalcPitch(int32_t width, int32_t bitsPerPixel, int32_t align) {
    if (width <= 0 || bitsPerPixel <= 0) return 0;
    if (align <= 0) align = 8;
    const int64_t bits = int64_t(width) * bitsPerPixel;
    const int64_t padded = (bits + align - 1) / align * align;
    return int32_t(padded / 8);
}

void DrawIconOverlay(IBmp32 *icon, IBmp32 *overlay, const TFloat2 &origin) {
    auto *target = dynamic_cast<kv::TBmp32Impl *>(icon);
    QImage *src = kv::Bmp32Image(overlay);
    if (!target || !src || src->isNull() || target->Image().isNull()) return;
    // Pixel centres lie on whole coordinates: an overlay w wide has its centre at (w - 1) / 2.
    const QPointF topLeft(origin.X - (src->width() - 1) / 2.0, origin.Y - (src->height() - 1) / 2.0);
    QPainter p(&target->Image());
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(topLeft, *src);
}

namespace {
std::mutex gCursorMutex;
std::vector<TFloat2> gCursorBoat;
}  // namespace

void SetCursorBoat(const TFloat2 *points, int32_t count) {
    std::lock_guard<std::mutex> lock(gCursorMutex);
    gCursorBoat.assign(points, points + (points && count > 0 ? count : 0));
}

namespace kv {
// The viewers draw the own ship with this outline (see RenderOverlay.h).
std::vector<TFloat2> CursorBoatPoints() {
    std::lock_guard<std::mutex> lock(gCursorMutex);
    return gCursorBoat;
}
}  // namespace kv

uint32_t GetColorVectorCurrent() {
    // The route object ahead is drawn in the route colour of the running leg: magenta.
    return 0x00C000C0u;
}
