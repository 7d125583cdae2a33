#include "base/strings/KvColors.h"
#include "base/strings/KvRecords.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPalette>

TEST(KvColors, RGBFloatToColorRoundsAndClamps) {
    struct Case { const char *name; float r, g, b; TColor color; };
    const Case cases[] = {
        {"half rounds to even 128", 1.0f, 0.5f, 0.0f, 0x0080FF},
        {"black", 0, 0, 0, 0},
        {"white", 1, 1, 1, 0xFFFFFF},
        {"above one does not carry into green", 1.5f, 0, 0, 0x0000FF},
        {"below zero", -0.5f, 1.0f, -3.0f, 0x00FF00},
        {"NaN is zero", std::nanf(""), 0, 1.0f, 0xFF0000},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(RGBFloatToColor(c.r, c.g, c.b), c.color);
    }
}

TEST(KvColors, BlendConvertAndSwap) {
    struct Case { const char *name; TColor c1, c2; float factor; TColor blended; };
    const Case cases[] = {
        {"all of the first", 0x102030, 0xFFFFFF, 1.0f, 0x102030},
        {"all of the second", 0x102030, 0xFFFFFF, 0.0f, 0xFFFFFF},
        {"half way", 0x000000, 0x0000FF, 0.5f, 0x000080},
        {"factor beyond one stays in range", 0x0000FF, 0x000000, 2.0f, 0x0000FF},
        {"negative factor stays in range", 0x0000FF, 0x00FF00, -1.0f, 0x00FF00},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ColorBlend(c.c1, c.c2, c.factor), c.blended);
    }
    float r, g, b;
    ColorToRGBFloat(0x0080FF, r, g, b);
    EXPECT_FLOAT_EQ(r, 1.0f);
    EXPECT_NEAR(g, 128 / 255.0, 1e-6);
    EXPECT_FLOAT_EQ(b, 0.0f);

    EXPECT_EQ(ColorToBGRA(0x332211, 0x80), 0x80112233u);
    EXPECT_EQ(ColorSwapRB(0x7F332211), 0x112233);
    EXPECT_EQ(ColorSwapRB(ColorSwapRB(0x00ABCDEF)), 0x00ABCDEF);
}

TEST(KvColors, SystemColoursComeFromThePalette) {
    const QPalette pal = QGuiApplication::palette();
    const auto tcolor = [](const QColor &c) { return TColor(c.red() | c.green() << 8 | c.blue() << 16); };
    const TColor btnFace = TColor(0xFF00000F), windowBg = TColor(0xFF000005),
                 highlight = TColor(0xFF00000D);
    EXPECT_EQ(ColorToRGB(btnFace), tcolor(pal.color(QPalette::Button)));
    EXPECT_EQ(ColorToRGB(windowBg), tcolor(pal.color(QPalette::Base)));
    EXPECT_EQ(ColorToRGB(highlight), tcolor(pal.color(QPalette::Highlight)));
    EXPECT_EQ(ColorToRGB(0x123456), 0x123456);
    EXPECT_EQ(ColorToBGRA(btnFace, 0xFF) & 0xFFFFFFu,
              uint32_t(pal.color(QPalette::Button).rgb()) & 0xFFFFFFu);
}

TEST(KvRecords, BuildersAndRounding) {
    const TDoubleRect r = DoubleRect(1, 2, 3, 4);
    EXPECT_EQ(r.Left, 1);
    EXPECT_EQ(r.Top, 2);
    EXPECT_EQ(r.Right, 3);
    EXPECT_EQ(r.Bottom, 4);
    const TGeoPoint g = GeoPoint(0.9, 0.08);
    EXPECT_EQ(g.Lat, 0.9);
    EXPECT_EQ(g.Lon, 0.08);
    const TDouble3 d3 = Double3(1, 2, 3);
    EXPECT_EQ(d3.Z, 3);
    EXPECT_EQ(Float2ToDouble2(Float2(1.5f, -2.5f)).Y, -2.5);
    EXPECT_EQ(PointToDouble2(TPoint{3, -4}).Y, -4.0);
    struct Case { double x, y; int32_t px, py; };
    const Case cases[] = {{2.5, -2.5, 3, -2}, {-3.5, 3.5, -3, 4}, {0.49, -0.51, 0, -1}};
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
        const TPoint p = Double2ToPoint(Double2(c.x, c.y));
        EXPECT_EQ(p.X, c.px);
        EXPECT_EQ(p.Y, c.py);
    }
}
