#include "TestSupport.h"

#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvGraphics.h>
#include <KvLibNav6/KvLib.h>

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <memory>

namespace {

struct Deleter {
    void operator()(NavObject *o) const { ObjectDelete(o); }
};
using BmpPtr = std::unique_ptr<IBmp32, Deleter>;

TStrWRec Rec(const QString &s) {
    return TStrWRec{int32_t(s.size()), reinterpret_cast<const char16_t *>(s.utf16())};
}

uint32_t Pixel(IBmp32 *b, int x, int y) {
    const uint8_t *row = b->GetRow(y);
    return uint32_t(row[x * 4]) | uint32_t(row[x * 4 + 1]) << 8 | uint32_t(row[x * 4 + 2]) << 16 |
           uint32_t(row[x * 4 + 3]) << 24;
}

// An uncompressed 32-bit TGA, bottom-up as most writers store it.
QByteArray Tga(int w, int h, uint32_t argb) {
    QByteArray d(18, '\0');
    d[2] = 2;
    d[12] = char(w & 0xFF); d[13] = char(w >> 8);
    d[14] = char(h & 0xFF); d[15] = char(h >> 8);
    d[16] = 32;
    d[17] = 8;
    for (int i = 0; i < w * h; ++i)
        for (int b = 0; b < 4; ++b) d.append(char((argb >> (8 * b)) & 0xFF));
    return d;
}

void Write(const QString &file, const QByteArray &data) {
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}

}  // namespace

TEST(Bmp32, CreateGivesTransparentPixelsTopDownBgraRows) {
    BmpPtr b(Bmp32Create(3, 2, 1));
    ASSERT_EQ(b->GetWidth(), 3);
    ASSERT_EQ(b->GetHeight(), 2);
    EXPECT_EQ(Pixel(b.get(), 2, 1), 0u);
    EXPECT_EQ(b->GetRow(2), nullptr);
    EXPECT_EQ(b->GetRow(-1), nullptr);
    b->Fill(0xFF102030u);
    const uint8_t *row = b->GetRow(0);
    EXPECT_EQ(row[0], 0x30);  // blue first
    EXPECT_EQ(row[2], 0x10);
    EXPECT_EQ(row[3], 0xFF);
    TRect bounds;
    b->GetBounds(bounds);
    EXPECT_EQ(bounds.Right, 3);
    EXPECT_EQ(bounds.Bottom, 2);
}

TEST(Bmp32, EmptyBitmapIsSafeToUse) {
    BmpPtr b(Bmp32Create(0, 0, 0));
    EXPECT_EQ(b->GetWidth(), 0);
    EXPECT_EQ(b->GetRow(0), nullptr);
    b->Fill(0xFFFFFFFFu);
    b->SetAlpha(255);
    EXPECT_EQ(b->GetDC(), nullptr);
}

TEST(Bmp32, SetAlphaKeepsColourAndAssignCopies) {
    BmpPtr a(Bmp32Create(2, 2, 1));
    a->Fill(0xFF4080C0u);
    a->SetAlpha(128);
    EXPECT_EQ(Pixel(a.get(), 0, 0) >> 24, 128u);
    a->SetAlpha(255);
    EXPECT_NEAR(int(Pixel(a.get(), 1, 1) & 0xFF), 0xC0, 2);
    BmpPtr b(Bmp32Create(0, 0, 0));
    b->Assign(a.get());
    EXPECT_EQ(b->GetWidth(), 2);
    a->Fill(0);
    EXPECT_EQ(Pixel(b.get(), 0, 0) >> 24, 255u) << "Assign must copy, not share";
}

TEST(Bmp32, DrawScaledFitsTargetAndSetColorAlphaMakesTransparentColour) {
    BmpPtr src(Bmp32Create(8, 8, 1));
    src->Fill(0xFFFF0000u);
    BmpPtr dst(Bmp32Create(2, 2, 1));
    src->DrawScaled(dst.get());
    EXPECT_EQ(Pixel(dst.get(), 1, 1), 0xFFFF0000u);

    src->FillRect(TRectD{0, 0, 4, 8}, 0xFF00FF00u, 0, 0, 1.0f);
    src->SetColorAlpha(0, 255, 0x00FF00u);
    EXPECT_EQ(Pixel(src.get(), 0, 0) >> 24, 0u);
    EXPECT_EQ(Pixel(src.get(), 7, 0) >> 24, 255u);
}

TEST(Bmp32, TextDrawsPixelsAndMeasures) {
    BmpPtr b(Bmp32Create(80, 30, 1));
    TSize size;
    const QString text = QStringLiteral("Zoom");
    b->TextExtent(Rec(text), nullptr, size);
    EXPECT_GT(size.Width, 0);
    EXPECT_GT(size.Height, 0);
    b->DrawText(Rec(text), 2, 2, nullptr, 0xFFFFFFFFu, 0);
    int lit = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 80; ++x) lit += (Pixel(b.get(), x, y) >> 24) != 0;
    EXPECT_GT(lit, 0);
}

TEST(Bmp32, DeviceContextStaysUsableAlongsideOtherDrawing) {
    BmpPtr b(Bmp32Create(4, 4, 1));
    auto *p = static_cast<QPainter *>(b->GetDC());
    ASSERT_NE(p, nullptr);
    p->fillRect(0, 0, 2, 4, Qt::blue);
    b->FillRect(TRectD{2, 0, 4, 4}, 0xFFFF0000u, 0, 0, 1.0f);  // shares the open painter
    EXPECT_TRUE(p->isActive());
    p->fillRect(0, 0, 1, 1, Qt::green);
    EXPECT_EQ(Pixel(b.get(), 0, 0), 0xFF00FF00u);
    EXPECT_EQ(Pixel(b.get(), 1, 1), 0xFF0000FFu);
    EXPECT_EQ(Pixel(b.get(), 3, 3), 0xFFFF0000u);
}

TEST(Bmp32, LoadsBmpAndTgaAndReportsTheFileLayout) {
    const QString dir = testsupport::MakeTempDir(QStringLiteral("bmp32"));
    QImage rgb(5, 3, QImage::Format_RGB888);
    rgb.fill(QColor(10, 20, 30));
    ASSERT_TRUE(rgb.save(dir + "/a.bmp"));
    Write(dir + "/b.tga", Tga(4, 2, 0x80FF0000u));

    struct Case { const char *name; const char *file; bool tga; int w, h; int32_t format; uint32_t px; };
    const Case cases[] = {
        {"24-bit BMP", "a.bmp", false, 5, 3, PixelFormat::Bits24, 0xFF0A141Eu},
        {"32-bit TGA forced", "b.tga", true, 4, 2, PixelFormat::Bits32, 0x80800000u},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        BmpPtr b(Bmp32Create(0, 0, 0));
        TImageInfo info;
        int32_t err = -1;
        const QString file = dir + '/' + c.file;
        b->LoadFromFile(Rec(file), 1, c.tga, &info, err);
        ASSERT_EQ(err, 0);
        EXPECT_EQ(b->GetWidth(), c.w);
        EXPECT_EQ(b->GetHeight(), c.h);
        EXPECT_EQ(info.Format, c.format);
        EXPECT_EQ(info.Pitch, CalcPitch(c.w, PixelGetBitCount(c.format), 32));
        EXPECT_EQ(b->GetPixelFormat(), c.format);
        EXPECT_EQ(Pixel(b.get(), 0, 0), c.px);  // premultiplied
    }
}

TEST(Bmp32, FailedLoadsReportAndKeepThePixels) {
    const QString dir = testsupport::MakeTempDir(QStringLiteral("bmp32bad"));
    Write(dir + "/bad.bmp", QByteArray("BM this is not a bitmap"));
    Write(dir + "/bad.tga", QByteArray(5, '\x01'));
    struct Case { const char *name; QString file; bool tga; int32_t err; };
    const Case cases[] = {
        {"missing", dir + "/none.bmp", false, KvErr::NotFound},
        {"damaged BMP", dir + "/bad.bmp", false, KvErr::BadFormat},
        {"damaged TGA", dir + "/bad.tga", true, KvErr::BadFormat},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        BmpPtr b(Bmp32Create(2, 2, 1));
        b->Fill(0xFF123456u);
        int32_t err = 0;
        b->LoadFromFile(Rec(c.file), 1, c.tga, nullptr, err);
        EXPECT_NE(err, 0);
        EXPECT_EQ(err, c.err);
        EXPECT_EQ(b->GetWidth(), 2);
        EXPECT_EQ(Pixel(b.get(), 1, 1), 0xFF123456u);
    }
}

TEST(Bmp32, PixelFormatTablesAndPitch) {
    struct Case { int32_t code; int32_t bits; };
    const Case cases[] = {{PixelFormat::Device, 1}, {PixelFormat::Bits4, 4},  {PixelFormat::Bits8, 8},
                          {PixelFormat::Bits15, 16}, {PixelFormat::Bits16, 16}, {PixelFormat::Bits24, 24},
                          {PixelFormat::Bits32, 32}, {5, 0}, {PixelFormat::NotABuffer, 0}};
    for (const Case &c : cases) EXPECT_EQ(PixelGetBitCount(c.code), c.bits) << c.code;
    EXPECT_EQ(CalcPitch(5, 24, 32), 16);
    EXPECT_EQ(CalcPitch(3, 4, 32), 4);
    EXPECT_EQ(CalcPitch(1, 1, 32), 4);
    EXPECT_EQ(CalcPitch(8, 32, 32), 32);
    EXPECT_EQ(CalcPitch(0, 32, 32), 0);
}

TEST(Bmp32, IconOverlayIsCentredOnTheOrigin) {
    BmpPtr icon(Bmp32Create(9, 9, 1));
    BmpPtr overlay(Bmp32Create(3, 3, 1));
    overlay->Fill(0xFFFFFFFFu);
    DrawIconOverlay(icon.get(), overlay.get(), TFloat2{4.0f, 4.0f});
    EXPECT_EQ(Pixel(icon.get(), 3, 3), 0xFFFFFFFFu);
    EXPECT_EQ(Pixel(icon.get(), 5, 5), 0xFFFFFFFFu);
    EXPECT_EQ(Pixel(icon.get(), 2, 2), 0u);
    EXPECT_EQ(Pixel(icon.get(), 6, 6), 0u);
}
