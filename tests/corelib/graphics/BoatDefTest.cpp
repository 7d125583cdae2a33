#include <KvLibNav6/KvBoatDef.h>
#include <KvLibNav6/KvLib.h>

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <limits>
#include <memory>

namespace {

struct Deleter {
    void operator()(NavObject *o) const { ObjectDelete(o); }
};
using BoatDefPtr = std::unique_ptr<ILPBoatDef, Deleter>;

TStrWRec Rec(const QString &s) {
    return TStrWRec{int32_t(s.size()), reinterpret_cast<const char16_t *>(s.utf16())};
}

QString Text(const TStrWRec *r) {
    return QString::fromUtf16(r->Text, r->Length);
}

QImage Drawn(int w, int h, float length, float beam, const TFloat2 *antenna) {
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    LPBoatDefDraw(&p, w, h, length, beam, antenna);
    p.end();
    return img;
}

bool IsRed(QRgb c) { return qRed(c) > 180 && qGreen(c) < 60 && qBlue(c) < 60 && qAlpha(c) == 255; }

}  // namespace

TEST(BoatDef, NewDefinitionHasTheSettingsDefaults) {
    BoatDefPtr bd(LPBoatDefCreate(1));
    EXPECT_EQ(bd->GetKind(), LPBoatDef::KindRacing);
    EXPECT_FLOAT_EQ(bd->GetLength(), 10.0f);
    EXPECT_FLOAT_EQ(bd->GetWidth(), 3.0f);
    EXPECT_FLOAT_EQ(bd->GetDraught(), 0.8f);
    EXPECT_FLOAT_EQ(bd->GetGPSPosition()->X, 5.0f);
    EXPECT_FLOAT_EQ(bd->GetGPSPosition()->Y, 0.0f);
    EXPECT_FLOAT_EQ(bd->GetVLow(), 1.6666666f);
    EXPECT_FLOAT_EQ(bd->GetVHigh(), 3.4722223f);
    EXPECT_EQ(bd->GetTimeUnstepStep(), 600);
    EXPECT_EQ(bd->GetName()->Length, 0);
    EXPECT_EQ(bd->GetFuelCurve()->GetCount(), 4);
    EXPECT_EQ(bd->GetElectricCurve()->GetCount(), 4);
    EXPECT_FLOAT_EQ(bd->GetFuelCurve()->GetValueAt(2.5f), 8.3333333e-7f);
}

TEST(BoatDef, SettersAndKindMapping) {
    BoatDefPtr bd(LPBoatDefCreate(0));
    bd->SetDimensions(12.5f, 3.8f, TFloat2{9.0f, -0.5f});
    bd->SetHeights(14.0f, 3.2f, 0.3f);
    bd->SetSpeeds(2.0f, 3.0f, 4.0f);
    bd->SetName(Rec(QStringLiteral("Zeemeeuw ÄÖ")));
    bd->SetMMSI(244123456);
    EXPECT_FLOAT_EQ(bd->GetLength(), 12.5f);
    EXPECT_FLOAT_EQ(bd->GetWidth(), 3.8f);
    EXPECT_FLOAT_EQ(bd->GetGPSPosition()->Y, -0.5f);
    EXPECT_FLOAT_EQ(bd->GetHeightUnstepped(), 3.2f);
    EXPECT_FLOAT_EQ(bd->GetVCruise(), 3.0f);
    EXPECT_EQ(Text(bd->GetName()), QStringLiteral("Zeemeeuw ÄÖ"));
    EXPECT_EQ(bd->GetMMSI(), 244123456);

    struct Case { int32_t set, kind; };
    for (const Case c : {Case{0, 0}, Case{1, 1}, Case{2, 2}, Case{3, 0}, Case{-1, 0}}) {
        SCOPED_TRACE(c.set);
        bd->SetBoatType(c.set);
        EXPECT_EQ(bd->GetKind(), c.kind);
    }
}

TEST(BoatDef, CurveInterpolatesAndHoldsItsEnds) {
    BoatDefPtr bd(LPBoatDefCreate(1));
    ILPBoatDefCurve *curve = bd->GetFuelCurve();
    // Given out of order: the curve keeps them by speed.
    const TFloat2 pts[] = {{4.0f, 10.0f}, {1.0f, 1.0f}, {2.0f, 4.0f}};
    curve->SetPoints(3, pts);
    ASSERT_EQ(curve->GetCount(), 3);
    EXPECT_FLOAT_EQ(curve->GetPoint(0).X, 1.0f);
    EXPECT_FLOAT_EQ(curve->GetPoint(2).Y, 10.0f);

    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case { const char *name; float speed, value; };
    const Case cases[] = {
        {"below the first point", 0.0f, 1.0f},
        {"at the first point", 1.0f, 1.0f},
        {"between 1 and 2", 1.5f, 2.5f},
        {"at a middle point", 2.0f, 4.0f},
        {"between 2 and 4", 3.0f, 7.0f},
        {"at the last point", 4.0f, 10.0f},
        {"above the last point", 9.0f, 10.0f},
        {"not a number", nan, 0.0f},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FLOAT_EQ(curve->GetValueAt(c.speed), c.value);
    }

    for (int32_t i : {-1, 3, 100}) {
        SCOPED_TRACE(i);
        EXPECT_FLOAT_EQ(curve->GetPoint(i).X, 0.0f);
        EXPECT_FLOAT_EQ(curve->GetPoint(i).Y, 0.0f);
    }

    const TFloat2 one[] = {{2.0f, 5.0f}};
    curve->SetPoints(1, one);
    EXPECT_FLOAT_EQ(curve->GetValueAt(0.5f), 5.0f);
    EXPECT_FLOAT_EQ(curve->GetValueAt(7.0f), 5.0f);

    // A vertical step (two points at one speed) is no division by zero.
    const TFloat2 step[] = {{0.0f, 0.0f}, {2.0f, 1.0f}, {2.0f, 3.0f}, {4.0f, 3.0f}};
    curve->SetPoints(4, step);
    EXPECT_FLOAT_EQ(curve->GetValueAt(1.0f), 0.5f);
    EXPECT_TRUE(std::isfinite(curve->GetValueAt(2.0f)));
    EXPECT_FLOAT_EQ(curve->GetValueAt(3.0f), 3.0f);

    const TFloat2 bad[] = {{1.0f, nan}, {2.0f, 2.0f}, {std::numeric_limits<float>::infinity(), 1.0f}};
    curve->SetPoints(3, bad);
    EXPECT_EQ(curve->GetCount(), 1) << "points with non-finite values are dropped";

    curve->SetPoints(0, pts);
    EXPECT_EQ(curve->GetCount(), 0);
    EXPECT_FLOAT_EQ(curve->GetValueAt(2.0f), 0.0f);
}

TEST(BoatDef, CopyFromTakesEveryValueIntoTheSameObjects) {
    BoatDefPtr active(LPBoatDefCreate(1));
    BoatDefPtr profile(LPBoatDefCreate(2));
    ILPBoatDefCurve *activeFuel = active->GetFuelCurve();
    const TFloat2 *activeGps = active->GetGPSPosition();

    profile->SetName(Rec(QStringLiteral("Second boat")));
    profile->SetDimensions(8.0f, 2.5f, TFloat2{6.0f, 0.4f});
    profile->SetElectric(true);
    const TFloat2 pts[] = {{0.0f, 0.0f}, {3.0f, 6.0f}};
    profile->GetFuelCurve()->SetPoints(2, pts);

    active->CopyFrom(profile.get());
    EXPECT_EQ(active->GetKind(), 2);
    EXPECT_EQ(Text(active->GetName()), QStringLiteral("Second boat"));
    EXPECT_TRUE(active->GetElectric());
    // The own ship keeps pointers to these: they must stay the same objects.
    EXPECT_EQ(active->GetFuelCurve(), activeFuel);
    EXPECT_EQ(active->GetGPSPosition(), activeGps);
    EXPECT_FLOAT_EQ(activeGps->X, 6.0f);
    EXPECT_FLOAT_EQ(activeFuel->GetValueAt(1.5f), 3.0f);

    // A copy, not a share: changing the profile afterwards leaves the active boat alone.
    profile->GetFuelCurve()->SetPoints(0, nullptr);
    profile->SetName(Rec(QStringLiteral("Changed")));
    EXPECT_EQ(activeFuel->GetCount(), 2);
    EXPECT_EQ(Text(active->GetName()), QStringLiteral("Second boat"));

    active->CopyFrom(active.get());
    EXPECT_EQ(activeFuel->GetCount(), 2) << "copying from itself changes nothing";
}

TEST(BoatDef, DrawShowsHullAndAntennaWhereTheyBelong) {
    // 200 x 100 canvas, 10 x 4 boat: the length limits the scale, (100 - 8) / 10 = 9.2 px/unit;
    // the stern lies at y = 50 + 46 = 96, the centre line at x = 100.
    const TFloat2 antenna{7.5f, 1.0f};
    const QImage img = Drawn(200, 100, 10.0f, 4.0f, &antenna);
    const double s = 9.2, cx = 100.0, stern = 96.0;
    auto at = [&](double x, double y) { return QPoint(int(std::lround(cx + y * s)), int(std::lround(stern - x * s))); };

    EXPECT_TRUE(IsRed(img.pixel(at(7.5, 1.0)))) << "antenna mark";
    const QRgb hull = img.pixel(at(2.5, -1.0));
    EXPECT_EQ(qAlpha(hull), 255) << "hull is filled";
    EXPECT_FALSE(IsRed(hull));
    EXPECT_GT(qRed(hull), 200);
    for (const QPoint p : {QPoint(2, 2), QPoint(197, 97), at(2.5, -2.6), at(2.5, 2.6), at(10.3, 0)}) {
        SCOPED_TRACE(QStringLiteral("%1,%2").arg(p.x()).arg(p.y()).toStdString());
        EXPECT_EQ(qAlpha(img.pixel(p)), 0) << "outside the contour";
    }
    EXPECT_NE(qAlpha(img.pixel(at(9.9, 0))), 0) << "bow reaches the top";
    EXPECT_NE(qAlpha(img.pixel(at(0.05, 1.5))), 0) << "stern reaches the bottom";

    // Without an antenna nothing is red.
    const QImage plain = Drawn(200, 100, 10.0f, 4.0f, nullptr);
    for (int y = 0; y < plain.height(); ++y)
        for (int x = 0; x < plain.width(); ++x)
            ASSERT_FALSE(IsRed(plain.pixel(x, y))) << x << "," << y;

    // A narrow canvas: the beam limits the scale, (60 - 8) / 4 = 13 px/unit, still centred.
    const QImage narrow = Drawn(60, 400, 10.0f, 4.0f, &antenna);
    EXPECT_TRUE(IsRed(narrow.pixel(30 + 13, 200 + 65 - int(7.5 * 13))));
}

TEST(BoatDef, DrawWithoutAShapeLeavesTheCanvasAlone) {
    struct Case { const char *name; float length, beam; };
    const Case cases[] = {{"zero length", 0.0f, 3.0f}, {"negative beam", 10.0f, -1.0f},
                          {"not a number", std::nanf(""), 3.0f}};
    const TFloat2 antenna{5.0f, 0.0f};
    QImage blank(80, 80, QImage::Format_ARGB32_Premultiplied);
    blank.fill(Qt::transparent);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Drawn(80, 80, c.length, c.beam, &antenna), blank);
    }
    LPBoatDefDraw(nullptr, 80, 80, 10.0f, 3.0f, &antenna);  // no painter: nothing to do, no crash
}
