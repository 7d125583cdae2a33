#include "TestSupport.h"

#include "base/logbook/KvThumbnail.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPainter>

namespace {

void Write(const QString &file, const QByteArray &data) {
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}

QImage Picture(int w, int h, bool transparent) {
    QImage img(w, h, transparent ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    img.fill(transparent ? QColor(0, 0, 0, 0) : QColor(40, 120, 200));
    QPainter p(&img);
    p.fillRect(0, 0, w / 2, h, QColor(220, 60, 30));
    return img;
}

}  // namespace

TEST(Thumbnail, SizesAlphaAndSpellings) {
    const QString dir = testsupport::MakeTempDir(QStringLiteral("thumbs"));
    ASSERT_TRUE(Picture(4000, 3000, false).save(dir + "/big.jpg", "JPEG"));
    ASSERT_TRUE(Picture(100, 50, true).save(dir + "/small.png", "PNG"));
    ASSERT_TRUE(Picture(300, 600, false).save(dir + "/photo.JPEG", "JPEG"));
    ASSERT_TRUE(Picture(64, 64, false).save(dir + "/pic.bmp", "BMP"));

    struct Case { const char *name; const char *file; bool made; int w, h; bool opaque; };
    const Case cases[] = {
        {"large JPEG fits", "big.jpg", true, 200, 150, true},
        {"small PNG kept, with alpha", "small.png", true, 100, 50, false},
        {"upper-case .JPEG accepted", "photo.JPEG", true, 100, 200, true},
        {"BMP", "pic.bmp", true, 64, 64, true},
        {"missing file", "none.jpg", false, 0, 0, true},
        {"unknown kind", "notes.txt", false, 0, 0, true},
    };
    Write(dir + "/notes.txt", "text");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString target = dir + '/' + c.file + ".thumb.png";
        const bool made = MakeThumbnail(dir + '/' + c.file, target, 200, 200);
        EXPECT_EQ(made, c.made);
        EXPECT_EQ(QFile::exists(target), c.made);
        if (!c.made) continue;
        const QImage thumb(target);
        EXPECT_EQ(thumb.width(), c.w);
        EXPECT_EQ(thumb.height(), c.h);
        EXPECT_TRUE(thumb.hasAlphaChannel()) << "PNG with alpha";
        EXPECT_EQ(qAlpha(thumb.pixel(c.w - 1, c.h - 1)), c.opaque ? 255 : 0);
    }
}

TEST(Thumbnail, DamagedPicturesGiveNoThumbnailAndNothingEscapes) {
    const QString dir = testsupport::MakeTempDir(QStringLiteral("badthumbs"));
    Write(dir + "/a.png", QByteArray("\x89PNG\r\n\x1a\n garbage", 17));
    Write(dir + "/b.bmp", QByteArray("BM garbage"));
    Write(dir + "/c.jpg", QByteArray("\xFF\xD8\xFF garbage", 11));
    Write(dir + "/d.tga", QByteArray(7, '\x02'));
    for (const char *name : {"a.png", "b.bmp", "c.jpg", "d.tga"}) {
        SCOPED_TRACE(name);
        const QString source = dir + '/' + name, target = source + ".thumb.png";
        ThumbnailCallback(reinterpret_cast<const char16_t *>(source.utf16()),
                          reinterpret_cast<const char16_t *>(target.utf16()), 100, 100);
        EXPECT_FALSE(QFile::exists(target));
    }
}
