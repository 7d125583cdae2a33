#include "TestSupport.h"

#include "base/graphics/KvGraphics.h"
#include "base/kvlib/KvLib.h"

#include <KvLibNav6/KvErrorCodes.h>

#include <gtest/gtest.h>

#include <QFile>
#include <QFont>

namespace {

void Write(const QString &file, const QByteArray &data) {
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}

}  // namespace

TEST(Bmp32Routines, JpegExtensionInAnyCaseTakesTheJpegPath) {
    const QString dir = testsupport::MakeTempDir(QStringLiteral("jpegpath"));
    QImage img(40, 30, QImage::Format_RGB32);
    img.fill(QColor(200, 100, 50));
    ASSERT_TRUE(img.save(dir + "/photo.JPG", "JPEG"));
    ASSERT_TRUE(QFile::copy(dir + "/photo.JPG", dir + "/photo.jpeg"));

    for (const char *name : {"photo.JPG", "photo.jpeg"}) {
        SCOPED_TRACE(name);
        TNavPtr<IBmp32> bmp(Bmp32Create(0, 0, 0));
        TImageInfo info;
        int32_t err = -1;
        Bmp32LoadFromFile(bmp.get(), dir + '/' + name, 1, err, &info);
        ASSERT_EQ(err, 0);
        EXPECT_EQ(bmp->GetWidth(), 40);
        EXPECT_EQ(bmp->GetHeight(), 30);
        // The JPEG loader's record describes no pixel buffer of ours.
        EXPECT_EQ(info.Format, PixelFormat::NotABuffer);
        EXPECT_EQ(info.Width, 40);
        EXPECT_EQ(info.Pitch, 0);
        const QRgb px = Bmp32ToImage(bmp.get()).pixel(20, 15);
        EXPECT_NEAR(qRed(px), 200, 6);
        EXPECT_EQ(qAlpha(px), 255);
    }
}

TEST(Bmp32Routines, UnreadableJpegGivesImageDecodeAndKeepsTheBitmap) {
    const QString dir = testsupport::MakeTempDir(QStringLiteral("badjpeg"));
    Write(dir + "/broken.jpg", QByteArray("\xFF\xD8\xFF\xE0 truncated", 14));
    struct Case { const char *name; QString file; };
    const Case cases[] = {{"damaged", dir + "/broken.jpg"}, {"missing", dir + "/none.JPEG"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TNavPtr<IBmp32> bmp(Bmp32Create(3, 2, 1));
        bmp->Fill(0xFF112233u);
        int32_t err = 0;
        Bmp32LoadFromFile(bmp.get(), c.file, 1, err);
        EXPECT_EQ(err, KvErr::ImageDecode);
        EXPECT_EQ(bmp->GetWidth(), 3);
        EXPECT_EQ(Bmp32ToImage(bmp.get()).pixel(2, 1), 0xFF112233u);
    }
}

TEST(Bmp32Routines, PixelFormatBridge) {
    struct Case { QImage::Format format; int32_t code; };
    const Case cases[] = {{QImage::Format_Mono, PixelFormat::Device},
                          {QImage::Format_Indexed8, PixelFormat::Bits8},
                          {QImage::Format_RGB555, PixelFormat::Bits15},
                          {QImage::Format_RGB16, PixelFormat::Bits16},
                          {QImage::Format_RGB888, PixelFormat::Bits24},
                          {QImage::Format_ARGB32, PixelFormat::Bits32},
                          {QImage::Format_RGBA64, PixelFormat::Device}};
    for (const Case &c : cases) EXPECT_EQ(PixelFormatToCore(c.format), c.code) << int(c.format);
    const QImage img(5, 2, QImage::Format_RGB888);
    const TImageInfo info = PixelFormatInfo(img);
    EXPECT_EQ(info.Pitch, CalcPitch(5, 24, 32));
    EXPECT_EQ(info.Width, 5);
    EXPECT_EQ(info.Height, 2);
}

TEST(Bmp32Routines, TextRoutinesReachTheBitmap) {
    TNavPtr<IBmp32> bmp(Bmp32Create(100, 20, 1));
    const QFont font;
    const TSize size = Bmp32TextExtent(bmp.get(), QStringLiteral("Enabled"), &font);
    EXPECT_GT(size.Width, 10);
    Bmp32DrawTextRect(bmp.get(), QStringLiteral("Hole"), TRect{0, 0, 100, 20}, 1 | 4,
                      int32_t(0xFFFFFFFF), 0, 0, &font);
    const QImage img = Bmp32ToImage(bmp.get());
    int left = 100, right = -1;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 100; ++x)
            if (qAlpha(img.pixel(x, y))) { left = std::min(left, x); right = std::max(right, x); }
    ASSERT_GE(right, 0);
    EXPECT_NEAR((left + right) / 2.0, 50.0, 4.0) << "centred";
}
