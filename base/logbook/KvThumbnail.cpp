#include "base/logbook/KvThumbnail.h"

#include "base/graphics/KvGraphics.h"
#include "base/kvlib/KvExceptions.h"
#include "base/kvlib/KvLib.h"

#include <QFileInfo>
#include <QImageReader>
#include <QLoggingCategory>
#include <QSaveFile>
#include <algorithm>
#include <cmath>

Q_LOGGING_CATEGORY(lcThumbnail, "marivo.thumbnail")

namespace {

// Decodes with Qt's readers; opaque formats get alpha 255 on every pixel.
bool LoadDecoded(IBmp32 *bmp, const QString &file, const char *format, bool keepAlpha) {
    QImageReader reader(file, format);
    reader.setAutoTransform(true);
    QImage img;
    if (!reader.read(&img) || img.isNull()) {
        qCWarning(lcThumbnail) << "No thumbnail for" << file << ":" << reader.errorString();
        return false;
    }
    if (!keepAlpha || !img.hasAlphaChannel()) img = img.convertToFormat(QImage::Format_RGB32);
    Bmp32FromImage(bmp, img);
    if (!keepAlpha) bmp->SetAlpha(255);
    return true;
}

bool LoadPicture(IBmp32 *bmp, const QString &file) {
    const QFileInfo fi(file);
    if (!fi.isFile()) return false;
    const QString ext = fi.suffix().toLower();
    if (ext == QLatin1String("bmp") || ext == QLatin1String("tga")) {
        int32_t err = 0;
        Bmp32LoadFromFile(bmp, file, 1, err, nullptr, ext == QLatin1String("tga"));
        if (err != 0) {
            qCWarning(lcThumbnail) << "No thumbnail for" << file << ": error" << err;
            return false;
        }
        return true;
    }
    // Both spellings of JPEG: the bitmap loaders accept both, so the thumbnails do too.
    if (ext == QLatin1String("jpg") || ext == QLatin1String("jpeg")) return LoadDecoded(bmp, file, "jpeg", false);
    if (ext == QLatin1String("png")) return LoadDecoded(bmp, file, "png", true);
    if (ext == QLatin1String("gif")) return LoadDecoded(bmp, file, "gif", false);
    return false;
}

}  // namespace

bool MakeThumbnail(const QString &source, const QString &target, int32_t maxWidth,
                   int32_t maxHeight) {
    if (maxWidth <= 0 || maxHeight <= 0) return false;
    TNavPtr<IBmp32> bmp(Bmp32Create(0, 0, 0));
    if (!LoadPicture(bmp.get(), source)) return false;
    const int w = bmp->GetWidth(), h = bmp->GetHeight();
    if (w <= 0 || h <= 0) return false;
    if (w > maxWidth || h > maxHeight) {
        const float factor = std::max({float(w) / float(maxWidth), float(h) / float(maxHeight), 1.0f});
        const int nw = std::max(1, int(std::lround(float(w) / factor)));
        const int nh = std::max(1, int(std::lround(float(h) / factor)));
        TNavPtr<IBmp32> scaled(Bmp32Create(nw, nh, 1));
        bmp->DrawScaled(scaled.get());
        bmp->Assign(scaled.get());
    }
    const QImage out = Bmp32ToImage(bmp.get()).convertToFormat(QImage::Format_ARGB32);
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly) || !out.save(&file, "PNG") || !file.commit()) {
        qCWarning(lcThumbnail) << "Thumbnail not written:" << target;
        return false;
    }
    return true;
}

void ThumbnailCallback(const char16_t *sourceFile, const char16_t *targetFile, int32_t maxWidth,
                       int32_t maxHeight) noexcept {
    try {
        if (!sourceFile || !targetFile) return;
        MakeThumbnail(QString(reinterpret_cast<const QChar *>(sourceFile)),
                      QString(reinterpret_cast<const QChar *>(targetFile)), maxWidth, maxHeight);
    } catch (...) {
        ReportCurrentException();
    }
}
