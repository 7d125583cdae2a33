// A list of equally sized images for toolbars, buttons and tree icons: the program's image
// list. Images are kept with their alpha (no separate mask). GUI thread only.
#pragma once

#include <QIcon>
#include <QImage>
#include <QList>
#include <QObject>
#include <QPixmap>

class TImageList : public QObject {
    Q_OBJECT
public:
    explicit TImageList(int width = 16, int height = 16, QObject *parent = nullptr);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // Clears the list (a list holds images of one size only).
    void SetSize(int width, int height);
    int Count() const { return int(FImages.size()); }
    // Scaled to the list's size when it differs; returns the new index.
    int Add(const QImage &image);
    void Replace(int index, const QImage &image);
    void Clear();
    // ARGB32 premultiplied; a null image for an index outside the list.
    QImage Image(int index) const;
    QPixmap Pixmap(int index) const;
    QIcon Icon(int index) const;
    // Takes size and images of other.
    void Assign(const TImageList &other);

signals:
    // Any change of the images: views using them repaint or refetch their icons.
    void Changed();

private:
    int FWidth;
    int FHeight;
    QList<QImage> FImages;
};
