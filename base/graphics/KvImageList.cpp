#include "base/graphics/KvImageList.h"

namespace {

QImage Normalised(const QImage &image, int w, int h) {
    QImage img = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (!img.isNull() && (img.width() != w || img.height() != h))
        img = img.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return img;
}

}  // namespace

TImageList::TImageList(int width, int height, QObject *parent)
    : QObject(parent), FWidth(qMax(1, width)), FHeight(qMax(1, height)) {}

void TImageList::SetSize(int width, int height) {
    FWidth = qMax(1, width);
    FHeight = qMax(1, height);
    FImages.clear();
    emit Changed();
}

int TImageList::Add(const QImage &image) {
    FImages.append(Normalised(image, FWidth, FHeight));
    emit Changed();
    return int(FImages.size()) - 1;
}

void TImageList::Replace(int index, const QImage &image) {
    if (index < 0 || index >= FImages.size()) return;
    FImages[index] = Normalised(image, FWidth, FHeight);
    emit Changed();
}

void TImageList::Clear() {
    if (FImages.isEmpty()) return;
    FImages.clear();
    emit Changed();
}

QImage TImageList::Image(int index) const {
    return index >= 0 && index < FImages.size() ? FImages.at(index) : QImage();
}

QPixmap TImageList::Pixmap(int index) const { return QPixmap::fromImage(Image(index)); }

QIcon TImageList::Icon(int index) const { return QIcon(Pixmap(index)); }

void TImageList::Assign(const TImageList &other) {
    if (&other == this) return;
    FWidth = other.FWidth;
    FHeight = other.FHeight;
    FImages = other.FImages;
    emit Changed();
}
