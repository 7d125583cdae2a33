// Shared image, colour and position-text routines with the real core library; positions
// checked against PROJ and GeographicLib.
#include "ShellTestSupport.h"
#include "TestSupport.h"
#include "base/geodesy/KvGeodetic.h"
#include "base/graphics/KvGraphics.h"
#include "base/kvlib/KvLib.h"
#include "shell/MarivoImages.h"

#include <KvLibNav6/KvErrorCodes.h>

#include <GeographicLib/Geocentric.hpp>
#include <GeographicLib/UTMUPS.hpp>
#include <gtest/gtest.h>
#include <proj.h>

#include <QApplication>
#include <QPalette>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QRegularExpression>

#include <cmath>
#include <numbers>

namespace {

constexpr double Deg = std::numbers::pi / 180.0;

TNavPtr<IBmp32> NewBmp(int w = 0, int h = 0) {
    return TNavPtr<IBmp32>(Bmp32Create(w, h, 1));
}

QString Fixture(const QString &dir, const QString &name, const QImage &image, const char *format) {
    const QString path = dir + u'/' + name;
    EXPECT_TRUE(image.save(path, format)) << name.toStdString();
    return path;
}

// The numbers of a grid text ("RD: 155000.000, 463000.000 (WGS 84)").
QList<double> Numbers(const QString &text) {
    QList<double> out;
    const QRegularExpression number(QStringLiteral("-?\\d+\\.\\d+"));
    for (auto it = number.globalMatch(text); it.hasNext();) out << it.next().captured().toDouble();
    return out;
}

// PROJ: from geographic WGS 84 to the target CRS (easting/x first).
bool ProjForward(const char *target, double latDeg, double lonDeg, double &x, double &y) {
    PJ_CONTEXT *ctx = proj_context_create();
    PJ *p = proj_create_crs_to_crs(ctx, "EPSG:4326", target, nullptr);
    if (!p) {
        proj_context_destroy(ctx);
        return false;
    }
    PJ *norm = proj_normalize_for_visualization(ctx, p);
    proj_destroy(p);
    const PJ_COORD out = proj_trans(norm, PJ_FWD, proj_coord(lonDeg, latDeg, 0, 0));
    proj_destroy(norm);
    proj_context_destroy(ctx);
    x = out.xy.x;
    y = out.xy.y;
    return std::isfinite(x) && std::isfinite(y);
}

}  // namespace

TEST(Colours, SwapAndARGB) {
    EXPECT_EQ(SwapRedBlue(0xAA123456u), 0x00563412u) << "top byte cleared";
    EXPECT_EQ(ColorToARGB(0x00563412, 0x80), 0x80123456u);
    const QColor window = QApplication::palette().color(QPalette::Base);
    const TColor clWindow = TColor(0xFF000005u);
    EXPECT_EQ(ColorToARGB(clWindow, 0xFF), 0xFF000000u | (uint32_t(window.red()) << 16) |
                                               (uint32_t(window.green()) << 8) |
                                               uint32_t(window.blue()));
    EXPECT_EQ(AddShieldIconToImageList(nullptr), -1);
}

TEST(Bitmaps, FormatCodesToBitsPerPixel) {
    const int expected[] = {1, 0, 4, 8, 16, 16, 16, 24, 32, 32, 0, 0};
    for (int code = 0; code < 12; ++code) {
        SCOPED_TRACE(code);
        EXPECT_EQ(Bmp32FormatBitsPerPixel(code), expected[code]);
    }
    EXPECT_EQ(Bmp32FormatBitsPerPixel(-1), 0);
    EXPECT_EQ(JPEGErrorToCode(QStringLiteral("JPEG error #53"), 7), KvErr::ImageFormat);
    EXPECT_EQ(JPEGErrorToCode(QStringLiteral("Cannot open file"), 7), 7);
}

TEST(Bitmaps, LoadByExtension) {
    const QString dir = testsupport::MakeTempDir(QStringLiteral("images"));
    QImage opaque(7, 5, QImage::Format_RGB32);
    opaque.fill(QColor(10, 200, 30));
    QImage alpha(6, 4, QImage::Format_ARGB32);
    alpha.fill(QColor(200, 10, 30, 100));
    const QString png = Fixture(dir, QStringLiteral("a.png"), alpha, "png");
    const QString jpgUpper = Fixture(dir, QStringLiteral("b.JPG"), opaque, "jpeg");
    const QString bmp = Fixture(dir, QStringLiteral("c.bmp"), opaque, "bmp");
    const QString gif = dir + QStringLiteral("/d.gif");
    QFile::copy(png, gif);
    // A PNG whose first chunk checksum is damaged.
    QFile in(png);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    QByteArray bytes = in.readAll();
    bytes[29] = char(bytes[29] ^ 0x5A);  // last byte of the header chunk's CRC (8 + 8 + 13 + 4)
    const QString badPng = dir + QStringLiteral("/bad.png");
    QFile out(badPng);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(bytes);
    out.close();

    struct Case { const char *name; QString file; int32_t err; QSize size; int bits; };
    const Case cases[] = {
        {"png with alpha", png, 0, QSize(6, 4), 32},
        {"JPG in capitals takes the JPEG path", jpgUpper, 0, QSize(7, 5), 24},
        {"bmp through the library", bmp, 0, QSize(7, 5), -1},
        {"missing jpeg", dir + QStringLiteral("/none.jpg"), KvErr::ImageDecode, QSize(0, 0), 0},
        {"missing png", dir + QStringLiteral("/none.png"), KvErr::ImageDecode, QSize(0, 0), 0},
        {"png with a bad checksum", badPng, KvErr::ImageSize, QSize(0, 0), 0},
        {"unknown extension is an error", gif, KvErr::ImageFormat, QSize(0, 0), 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        auto bmp32 = NewBmp();
        int32_t bits = -2, err = -2;
        LoadBmp32FromFile(c.file, bmp32.get(), bits, err);
        EXPECT_EQ(err, c.err);
        EXPECT_EQ(QSize(bmp32->GetWidth(), bmp32->GetHeight()), c.size);
        if (c.bits >= 0) EXPECT_EQ(bits, c.bits);
        else EXPECT_GT(bits, 0);
    }
    auto bmp32 = NewBmp();
    int32_t bits = 0, err = 0;
    LoadBmp32FromFile(png, bmp32.get(), bits, err);
    const QImage loaded = Bmp32ToImage(bmp32.get());
    EXPECT_NEAR(qAlpha(loaded.pixel(2, 2)), 100, 1) << "the PNG's alpha is kept";
}

TEST(Bitmaps, ScaleRoundsHalvesToEvenAndNeverVanishes) {
    struct Case { const char *name; int size; float factor; bool ok; int expected; };
    const Case cases[] = {
        {"7.5 goes to 8", 15, 0.5f, true, 8},   {"6.5 goes to 6", 13, 0.5f, true, 6},
        {"factor 1 untouched", 13, 1.0f, true, 13}, {"enlarged", 10, 2.5f, true, 25},
        {"tiny factor keeps one pixel", 10, 0.01f, true, 1},
        {"zero refused", 10, 0.0f, false, 10},  {"negative refused", 10, -2.0f, false, 10},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        auto bmp = NewBmp(c.size, c.size);
        bmp->Fill(0xFF336699u);
        EXPECT_EQ(ScaleBmp32(bmp.get(), c.factor), c.ok);
        EXPECT_EQ(bmp->GetWidth(), c.expected);
        EXPECT_EQ(bmp->GetHeight(), c.expected);
    }
}

TEST(Bitmaps, CheckerboardCentredIconAndNamePicker) {
    auto board = NewBmp(40, 40);
    DrawCheckerboard(4, 4, 0xFFFF0000u, board.get(), 0xFF0000FFu);
    const QImage b = Bmp32ToImage(board.get());
    EXPECT_EQ(b.pixel(5, 5), 0xFFFF0000u);
    EXPECT_EQ(b.pixel(15, 5), 0xFF0000FFu);
    EXPECT_EQ(b.pixel(15, 15), 0xFFFF0000u);
    EXPECT_EQ(b.pixel(39, 0), 0xFF0000FFu) << "no seam at the edge";

    auto icon = NewBmp(10, 10);
    icon->Fill(0xFF00FF00u);
    QImage canvas(60, 40, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::white);
    {
        QPainter p(&canvas);
        DrawBmp32Centered(icon.get(), p, QRect(10, 0, 40, 40), false, 0xFFFFFFFFu, 0xFF000000u, 0,
                          2.0f);
    }
    EXPECT_EQ(canvas.pixel(30, 20), 0xFF00FF00u) << "the icon, doubled, in the middle";
    EXPECT_EQ(canvas.pixel(12, 2), 0xFF000000u) << "fill with colour 1";
    EXPECT_EQ(canvas.pixel(5, 5), 0xFFFFFFFFu) << "outside the rectangle untouched";

    QImage picker(90, 60, QImage::Format_ARGB32_Premultiplied);
    picker.fill(Qt::black);
    {
        QPainter p(&picker);
        DrawNamePositionPicker(p, 90, 60, true, QApplication::font(), 5, nullptr);
    }
    shelltest::SaveScreenshot(picker, QStringLiteral("name-position-picker"));
    // Position 5: middle column, bottom row → x 30..60, y 40..60, tinted blue-ish.
    const QColor chosen = picker.pixelColor(33, 43);
    EXPECT_GT(chosen.blue(), chosen.red()) << "the chosen cell is tinted";
    const QColor other = picker.pixelColor(5, 5);
    EXPECT_EQ(other.red(), other.blue()) << "other cells show the grey checkerboard";
    const TRectD cell = NamePositionCell(90, 60, 5);
    EXPECT_DOUBLE_EQ(cell.Left, 30.0);
    EXPECT_DOUBLE_EQ(cell.Top, 40.0);
}

TEST(PositionText, GridsAgreeWithProjAndGeographicLib) {
    // Utrecht, inside the RD grid, UTM zone 31U.
    const double lat = 52.0907, lon = 5.1214;
    const TGeoPoint p{lat * Deg, lon * Deg};
    const TPositionDatum wgs{0, nullptr, QStringLiteral("WGS 84")};

    const QString rd = FormatPositionInGrids(p, PositionGrid::RD, wgs, 1, nullptr);
    ASSERT_TRUE(rd.startsWith(QStringLiteral("RD: "))) << rd.toStdString();
    EXPECT_TRUE(rd.endsWith(QStringLiteral(" (WGS 84)")));
    double x = 0, y = 0;
    ASSERT_TRUE(ProjForward("EPSG:28992", lat, lon, x, y));
    QList<double> n = Numbers(rd);
    ASSERT_EQ(n.size(), 2);
    EXPECT_NEAR(n[0], x, 2.0);  // the grid's own datum shift differs by about a metre
    EXPECT_NEAR(n[1], y, 2.0);

    const QString utm = FormatPositionInGrids(p, PositionGrid::UTM, {1, nullptr, {}}, 1, nullptr);
    ASSERT_TRUE(utm.startsWith(QStringLiteral("UTM (31U): "))) << utm.toStdString();
    EXPECT_TRUE(utm.endsWith(QStringLiteral(" (shift)")));
    int zone = 0;
    bool north = true;
    double e = 0, nn = 0;
    GeographicLib::UTMUPS::Forward(lat, lon, zone, north, e, nn);
    n = Numbers(utm);
    ASSERT_EQ(n.size(), 2);
    EXPECT_NEAR(n[0], e, 0.01);
    EXPECT_NEAR(n[1], nn, 0.01);

    const QString xyz = FormatPositionInGrids(p, PositionGrid::Geocentric, {2, nullptr, {}}, 1,
                                              nullptr);
    EXPECT_TRUE(xyz.endsWith(QStringLiteral(" (params)"))) << xyz.toStdString();
    double gx = 0, gy = 0, gz = 0;
    GeographicLib::Geocentric::WGS84().Forward(lat, lon, 0, gx, gy, gz);
    n = Numbers(xyz);
    ASSERT_EQ(n.size(), 3) << xyz.toStdString();
    EXPECT_NEAR(n[0], gx, 0.1);
    EXPECT_NEAR(n[1], gy, 0.1);
    EXPECT_NEAR(n[2], gz, 0.1);
    EXPECT_EQ(Numbers(xyz.section(u' ', 0, 0)).value(0), n[0]) << "one decimal, then separator";
}

TEST(PositionText, FallsBackToLatitudeLongitude) {
    const TPositionDatum none{7, nullptr, {}};
    // Paris lies outside the RD grid.
    const TGeoPoint paris{48.8566 * Deg, 2.3522 * Deg};
    const QString text = FormatPositionInGrids(paris, PositionGrid::RD, none, 1, nullptr);
    EXPECT_EQ(text, FormatPositionInGrids(paris, PositionGrid::LatLon, none, 1, nullptr));
    EXPECT_TRUE(text.contains(QStringLiteral(" / "))) << text.toStdString();
    EXPECT_TRUE(text.contains(u'N') && text.contains(u'E'));
    EXPECT_FALSE(text.contains(u'(')) << "kind 7 has no suffix";
    // Automatic without a chart is latitude / longitude too.
    EXPECT_EQ(FormatPositionInGrids(paris, PositionGrid::Automatic, none, 1, nullptr), text);
    // Beyond 84 N there is no UTM zone.
    const TGeoPoint pole{86.0 * Deg, 10.0 * Deg};
    const QString polar = FormatPositionInGrids(pole, PositionGrid::UTM, none, 1, nullptr);
    EXPECT_TRUE(polar.contains(QStringLiteral(" / "))) << polar.toStdString();
    const QString south =
        FormatPositionInGrids({-33.9 * Deg, -70.6 * Deg}, PositionGrid::LatLon, none, 1, nullptr);
    EXPECT_TRUE(south.contains(u'S') && south.contains(u'W')) << south.toStdString();
}
