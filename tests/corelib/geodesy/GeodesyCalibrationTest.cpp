// Raster calibrations: pixel ↔ position for every projection, error state.
#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvGeodesy.h>
#include <KvLibNav6/KvLib.h>

#include <gtest/gtest.h>

#include <QString>
#include <cmath>
#include <functional>
#include <memory>

namespace {

constexpr double Rad = M_PI / 180.0;

struct NavObjectDeleter {
    void operator()(NavObject *o) const { ObjectDelete(o); }
};
using TCalibrationPtr = std::unique_ptr<IGeodeticCalibration, NavObjectDeleter>;

struct TGlobals {
    IGeodeticProvider *Provider = nullptr;
    IGeodeticObject *Standard = nullptr;
    IGeodeticDatum *Default = nullptr;
    IGeodeticDatum *RD = nullptr;
    void *Unused = nullptr;
    TGlobals() { GeodeticsGetGlobals(Provider, Standard, Default, RD, Unused); }
    IGeodeticDatum *Datum(const char16_t *code) const {
        int32_t err = 0;
        return static_cast<IGeodeticDatum *>(
            Provider->GetRegistry()->FindByCode(code, GeodeticKind::Datum, err));
    }
};

QString ErrorText(IGeodeticCalibration *cal) {
    IStrW *s = StrWCreate(u"", 0);
    cal->GetErrorText(s);
    const TStrWRec *r = s->GetRec();
    QString text = QString::fromUtf16(r->Text, r->Length);
    StrWDelete(s);
    return text;
}

TGeoPoint Deg(double lat, double lon) {
    return {lat * Rad, lon * Rad};
}

struct TProjectionCase {
    const char *name;
    std::function<void(TProjectionRef &, const TGlobals &)> init;
    TGeoPoint nw, ne, se;  // corners of the charted area
};

// One chart area per projection; the polar one lies near Svalbard, the rest around the
// IJsselmeer. Datums vary so that the shift into the chart's datum is exercised.
constexpr int ProjectionCount = 8;

const TProjectionCase ProjectionTable[ProjectionCount] = {
    {"equidistant cylindrical",
     [](TProjectionRef &r, const TGlobals &g) { GeodeticRefInitEquidistantCylindrical(r, 52 * Rad, 5 * Rad, g.Default); },
     Deg(52.6, 4.6), Deg(52.65, 5.2), Deg(52.2, 5.15)},
    {"Mercator",
     [](TProjectionRef &r, const TGlobals &g) { GeodeticRefInitMercator(r, 0.0, g.Datum(u"EUR-M")); },
     Deg(52.6, 4.6), Deg(52.65, 5.2), Deg(52.2, 5.15)},
    {"transverse Mercator",
     [](TProjectionRef &r, const TGlobals &g) { GeodeticRefInitTransverseMercator(r, 0.9996, 0, 3 * Rad, g.Default); },
     Deg(52.6, 4.6), Deg(52.65, 5.2), Deg(52.2, 5.15)},
    {"RD grid", [](TProjectionRef &r, const TGlobals &) { GeodeticRefInitRD(r); },
     Deg(52.6, 4.6), Deg(52.65, 5.2), Deg(52.2, 5.15)},
    {"Lambert conformal conic",
     [](TProjectionRef &r, const TGlobals &g) { GeodeticRefInitLambertConformalConic(r, 51 * Rad, 53 * Rad, 52 * Rad, 5 * Rad, g.Datum(u"DHDN")); },
     Deg(52.6, 4.6), Deg(52.65, 5.2), Deg(52.2, 5.15)},
    {"orthographic",
     [](TProjectionRef &r, const TGlobals &g) { GeodeticRefInitOrthographic(r, 52 * Rad, 5 * Rad, g.Default); },
     Deg(52.6, 4.6), Deg(52.65, 5.2), Deg(52.2, 5.15)},
    {"oblique stereographic",
     [](TProjectionRef &r, const TGlobals &g) { GeodeticRefInitObliqueStereographic(r, 0.9999, 52 * Rad, 5 * Rad, g.Datum(u"BD72")); },
     Deg(52.6, 4.6), Deg(52.65, 5.2), Deg(52.2, 5.15)},
    {"polar stereographic",
     [](TProjectionRef &r, const TGlobals &g) { GeodeticRefInitPolarStereographic(r, 1.0, 71 * Rad, 15 * Rad, g.Default); },
     Deg(78.5, 12.0), Deg(78.55, 17.0), Deg(77.8, 16.5)},
};

constexpr int W = 1200, H = 900;

void ExpectSamePosition(const TGeoPoint &a, const TGeoPoint &b, double tol = 1e-9) {
    EXPECT_NEAR(a.Lat, b.Lat, tol);
    EXPECT_NEAR(a.Lon, b.Lon, tol);
}

void ExpectRoundTrips(IGeodeticCalibration *cal) {
    const TDouble2 pixels[] = {{-0.5, -0.5}, {W - 0.5, -0.5}, {W - 0.5, H - 0.5},
                               {-0.5, H - 0.5}, {W / 2.0, H / 2.0}, {17.25, 801.75}};
    for (const auto &px : pixels) {
        SCOPED_TRACE(testing::Message() << "pixel " << px.X << ", " << px.Y);
        TGeoPoint geo;
        cal->PixelToGeo(geo, px);
        ASSERT_NE(geo.Lat, GeoPointNoPosition);
        TDouble2 back;
        cal->GeoToPixel(back, geo);
        EXPECT_NEAR(back.X, px.X, 1e-6);
        EXPECT_NEAR(back.Y, px.Y, 1e-6);
    }
}

// Inverse of the isometric latitude on the WGS 84 ellipsoid, by bisection.
double LatitudeOfIsometric(double psi) {
    const double f = 1 / 298.257223563, e = std::sqrt(f * (2 - f));
    auto iso = [e](double phi) { return std::atanh(std::sin(phi)) - e * std::atanh(e * std::sin(phi)); };
    double lo = -M_PI / 2 + 1e-9, hi = M_PI / 2 - 1e-9;
    for (int i = 0; i < 200; ++i) {
        const double mid = (lo + hi) / 2;
        (iso(mid) < psi ? lo : hi) = mid;
    }
    return (lo + hi) / 2;
}

}  // namespace

TEST(GeodesyCalibration, UncalibratedGivesNoPositionAndNoError) {
    TCalibrationPtr cal(GeodeticCalibrationCreate());
    ASSERT_TRUE(cal);
    EXPECT_FALSE(cal->HasError());
    TDouble2 p1{1, 1}, p2{2, 2}, p3{3, 3};
    EXPECT_EQ(cal->GetPixelPoints(p1, p2, p3), 0);
    EXPECT_EQ(cal->GetProjection()->Kind, ProjectionKind::None);
    TGeoPoint geo;
    cal->PixelToGeo(geo, {10, 10});
    EXPECT_EQ(geo.Lat, GeoPointNoPosition);
    EXPECT_EQ(geo.Lon, GeoPointNoPosition);
    TDouble2 px;
    cal->GeoToPixel(px, Deg(52, 5));
    EXPECT_EQ(px.X, GeoPointNoPosition);
    EXPECT_EQ(cal->GetVectorAngle({1, 0}), 0.0f);
}

TEST(GeodesyCalibration, TwoPointRoundTripsInEveryProjection) {
    TGlobals g;
    for (const auto &c : ProjectionTable) {
        SCOPED_TRACE(c.name);
        TProjectionRef ref;
        c.init(ref, g);
        TCalibrationPtr cal(GeodeticCalibrationCreate());
        int32_t err = -1;
        cal->Init2({0, 0}, {W - 1.0, H - 1.0}, c.nw, c.se, W, H, ref, err);
        ASSERT_EQ(err, KvErr::Ok) << ErrorText(cal.get()).toStdString();
        EXPECT_FALSE(cal->HasError());
        EXPECT_EQ(cal->GetWidth(), W);
        EXPECT_EQ(cal->GetHeight(), H);
        EXPECT_EQ(cal->GetProjection()->Kind, ref.Kind);
        TDouble2 p1, p2, p3{-7, -7};
        EXPECT_EQ(cal->GetPixelPoints(p1, p2, p3), 2);
        EXPECT_EQ(p2.X, W - 1.0);
        EXPECT_EQ(p3.X, -7);  // untouched for two points
        TGeoPoint c1, c2, c3;
        cal->GetGeoPoints(c1, c2, c3);
        ExpectSamePosition(c2, c.se, 0);
        // The reference points themselves come back.
        TGeoPoint geo;
        cal->PixelToGeo(geo, {0, 0});
        ExpectSamePosition(geo, c.nw);
        cal->PixelToGeo(geo, {W - 1.0, H - 1.0});
        ExpectSamePosition(geo, c.se);
        ExpectRoundTrips(cal.get());
    }
}

TEST(GeodesyCalibration, ThreePointRoundTripsInEveryProjection) {
    TGlobals g;
    const TDouble2 pix[3] = {{10, 20}, {W - 30.0, 40}, {W - 50.0, H - 10.0}};
    for (const auto &c : ProjectionTable) {
        SCOPED_TRACE(c.name);
        TProjectionRef ref;
        c.init(ref, g);
        TCalibrationPtr cal(GeodeticCalibrationCreate());
        int32_t err = -1;
        cal->Init(pix[0], pix[1], pix[2], c.nw, c.ne, c.se, W, H, ref, err);
        ASSERT_EQ(err, KvErr::Ok) << ErrorText(cal.get()).toStdString();
        TDouble2 p1, p2, p3;
        EXPECT_EQ(cal->GetPixelPoints(p1, p2, p3), 3);
        EXPECT_EQ(p3.Y, pix[2].Y);
        const TGeoPoint want[3] = {c.nw, c.ne, c.se};
        for (int i = 0; i < 3; ++i) {
            TGeoPoint geo;
            cal->PixelToGeo(geo, pix[i]);
            ExpectSamePosition(geo, want[i]);
        }
        ExpectRoundTrips(cal.get());

        // Re-expressed on the image corners, as a stored calibration is when it is read
        // for an image: the new calibration maps every pixel to the same position.
        const TDouble2 corners[3] = {{-0.5, -0.5}, {W - 0.5, -0.5}, {W - 0.5, H - 0.5}};
        TGeoPoint at[3];
        for (int i = 0; i < 3; ++i) cal->PixelToGeo(at[i], corners[i]);
        TCalibrationPtr again(GeodeticCalibrationCreate());
        again->Init(corners[0], corners[1], corners[2], at[0], at[1], at[2], W, H,
                    *cal->GetProjection(), err);
        ASSERT_EQ(err, KvErr::Ok);
        for (const TDouble2 &px : {TDouble2{-0.5, H - 0.5}, TDouble2{300, 200}, pix[1]}) {
            TGeoPoint a, b;
            cal->PixelToGeo(a, px);
            again->PixelToGeo(b, px);
            ExpectSamePosition(a, b);
        }
    }
}

// The calibration must use the projection, not interpolate positions linearly: on a
// Mercator chart the middle row lies at the mean of the isometric latitudes, on an
// equidistant cylindrical chart at the mean latitude.
TEST(GeodesyCalibration, MiddleRowFollowsTheProjection) {
    TGlobals g;
    const double f = 1 / 298.257223563, e = std::sqrt(f * (2 - f));
    auto iso = [e](double phi) { return std::atanh(std::sin(phi)) - e * std::atanh(e * std::sin(phi)); };
    struct Case {
        const char *name;
        bool mercator;
        double wantLatDeg;
    };
    const Case cases[] = {
        {"Mercator", true, LatitudeOfIsometric((iso(60 * Rad) + iso(50 * Rad)) / 2) / Rad},
        {"equidistant cylindrical", false, 55.0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TProjectionRef ref;
        if (c.mercator)
            GeodeticRefInitMercator(ref, 0.0, g.Default);
        else
            GeodeticRefInitEquidistantCylindrical(ref, 0.0, 0.0, g.Default);
        TCalibrationPtr cal(GeodeticCalibrationCreate());
        int32_t err = -1;
        cal->Init2({0, 0}, {1000, 1000}, Deg(60, 0), Deg(50, 10), 1001, 1001, ref, err);
        ASSERT_EQ(err, KvErr::Ok);
        TGeoPoint mid;
        cal->PixelToGeo(mid, {500, 500});
        EXPECT_NEAR(mid.Lat / Rad, c.wantLatDeg, 1e-7);
        EXPECT_NEAR(mid.Lon / Rad, 5.0, 1e-9);
    }
}

TEST(GeodesyCalibration, BadReferencePointsGiveTheErrorStateNotACrash) {
    TGlobals g;
    TProjectionRef merc, ortho, lambertBad, none;
    GeodeticRefInitMercator(merc, 0.0, g.Default);
    GeodeticRefInitOrthographic(ortho, 52 * Rad, 5 * Rad, g.Default);
    GeodeticRefInitLambertConformalConic(lambertBad, 30 * Rad, -30 * Rad, 0, 0, g.Default);
    const TGeoPoint a = Deg(52.6, 4.6), b = Deg(52.2, 5.2), c = Deg(52.0, 5.6);
    struct Case {
        const char *name;
        int points;
        TDouble2 p1, p2, p3;
        TGeoPoint c1, c2, c3;
        int32_t w, h;
        const TProjectionRef *ref;
        int32_t err;
    };
    const Case cases[] = {
        {"two identical points", 2, {5, 5}, {5, 5}, {}, a, a, {}, W, H, &merc, KvErr::GeoCalibrationPoints},
        {"two points, same pixel", 2, {5, 5}, {5, 5}, {}, a, b, {}, W, H, &merc, KvErr::GeoCalibrationPoints},
        {"two points on one row", 2, {5, 5}, {900, 5}, {}, a, b, {}, W, H, &merc, KvErr::GeoCalibrationPoints},
        {"two points swapped", 2, {0, 0}, {900, 700}, {}, b, a, {}, W, H, &merc, KvErr::GeoCalibrationMirrored},
        {"three identical points", 3, {5, 5}, {5, 5}, {5, 5}, a, a, a, W, H, &merc, KvErr::GeoCalibrationPoints},
        {"three pixels on a line", 3, {0, 0}, {100, 100}, {200, 200}, a, b, c, W, H, &merc, KvErr::GeoCalibrationPoints},
        {"three positions on a meridian", 3, {0, 0}, {900, 0}, {900, 700}, Deg(52.6, 5), Deg(52.4, 5), Deg(52.2, 5), W, H, &merc, KvErr::GeoCalibrationPoints},
        {"mirrored image", 3, {0, 0}, {900, 0}, {900, 700}, Deg(52.6, 5.6), Deg(52.6, 4.6), Deg(52.2, 4.6), W, H, &merc, KvErr::GeoCalibrationMirrored},
        {"empty image", 2, {0, 0}, {900, 700}, {}, a, b, {}, 0, H, &merc, KvErr::InvalidArgument},
        {"pixel not a number", 2, {NAN, 0}, {900, 700}, {}, a, b, {}, W, H, &merc, KvErr::InvalidArgument},
        {"no projection", 2, {0, 0}, {900, 700}, {}, a, b, {}, W, H, &none, KvErr::InvalidArgument},
        {"impossible Lambert parallels", 2, {0, 0}, {900, 700}, {}, a, b, {}, W, H, &lambertBad, KvErr::GeoProjection},
        {"far side of the globe", 2, {0, 0}, {900, 700}, {}, a, Deg(-52, -175), {}, W, H, &ortho, KvErr::GeoOutsideProjection},
        {"no position", 2, {0, 0}, {900, 700}, {}, a, {GeoPointNoPosition, GeoPointNoPosition}, {}, W, H, &merc, KvErr::GeoOutsideProjection},
    };
    for (const auto &k : cases) {
        SCOPED_TRACE(k.name);
        TCalibrationPtr cal(GeodeticCalibrationCreate());
        int32_t err = 0;
        // A good calibration first: a failed one must not leave it half in place.
        cal->Init2({0, 0}, {900, 700}, a, b, W, H, merc, err);
        ASSERT_EQ(err, KvErr::Ok);
        if (k.points == 2)
            cal->Init2(k.p1, k.p2, k.c1, k.c2, k.w, k.h, *k.ref, err);
        else
            cal->Init(k.p1, k.p2, k.p3, k.c1, k.c2, k.c3, k.w, k.h, *k.ref, err);
        EXPECT_EQ(err, k.err);
        EXPECT_TRUE(cal->HasError());
        EXPECT_FALSE(ErrorText(cal.get()).isEmpty());
        TDouble2 p1, p2, p3;
        EXPECT_EQ(cal->GetPixelPoints(p1, p2, p3), 0);
        TGeoPoint geo;
        cal->PixelToGeo(geo, {10, 10});
        EXPECT_EQ(geo.Lat, GeoPointNoPosition);
        // The next good calibration clears the error.
        cal->Init2({0, 0}, {900, 700}, a, b, W, H, merc, err);
        EXPECT_EQ(err, KvErr::Ok);
        EXPECT_FALSE(cal->HasError());
        EXPECT_TRUE(ErrorText(cal.get()).isEmpty());
    }
}

TEST(GeodesyCalibration, VectorAngleIsTheViewRotation) {
    TGlobals g;
    TProjectionRef merc;
    GeodeticRefInitMercator(merc, 0.0, g.Default);
    const TGeoPoint nw = Deg(52.6, 4.6), ne = Deg(52.6, 5.2), se = Deg(52.2, 5.2);
    struct Case {
        const char *name;
        TDouble2 p1, p2, p3;  // pixels of nw, ne, se
        double wantRad;
    };
    const Case cases[] = {
        {"north up", {0, 0}, {800, 0}, {800, 900}, 0.0},
        {"north to the right", {900, 0}, {900, 800}, {0, 800}, M_PI / 2},
        {"north down", {800, 900}, {0, 900}, {0, 0}, M_PI},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TCalibrationPtr cal(GeodeticCalibrationCreate());
        int32_t err = -1;
        cal->Init(c.p1, c.p2, c.p3, nw, ne, se, 1000, 1000, merc, err);
        ASSERT_EQ(err, KvErr::Ok) << ErrorText(cal.get()).toStdString();
        const double got = cal->GetVectorAngle({1, 0});
        EXPECT_NEAR(std::remainder(got - c.wantRad, 2 * M_PI), 0.0, 1e-4);
    }
}

TEST(GeodesyCalibration, GlobalPointsLandOnTheSamePixelAsTheirPosition) {
    TGlobals g;
    TProjectionRef rd;
    GeodeticRefInitRD(rd);
    TCalibrationPtr cal(GeodeticCalibrationCreate());
    int32_t err = -1;
    cal->Init2({0, 0}, {W - 1.0, H - 1.0}, Deg(52.6, 4.6), Deg(52.2, 5.2), W, H, rd, err);
    ASSERT_EQ(err, KvErr::Ok);
    const TGeoPoint pos = Deg(52.37, 4.9);
    TDouble3 global;
    GeoToGlobal2(global, pos, g.Standard);
    TDouble2 viaGlobal, viaGeo;
    cal->ConvertGlobalPoint(viaGlobal, global);
    cal->GeoToPixel(viaGeo, pos);
    EXPECT_NEAR(viaGlobal.X, viaGeo.X, 1e-6);
    EXPECT_NEAR(viaGlobal.Y, viaGeo.Y, 1e-6);
    EXPECT_GT(viaGeo.X, 0);
    EXPECT_LT(viaGeo.X, W);

    // The RD grid brings its own datum: a record without one calibrates the same way.
    TProjectionRef bare = rd;
    bare.Datum = nullptr;
    TCalibrationPtr other(GeodeticCalibrationCreate());
    other->Init2({0, 0}, {W - 1.0, H - 1.0}, Deg(52.6, 4.6), Deg(52.2, 5.2), W, H, bare, err);
    ASSERT_EQ(err, KvErr::Ok);
    EXPECT_EQ(other->GetProjection()->Datum, g.RD);
    TDouble2 px;
    other->GeoToPixel(px, pos);
    EXPECT_NEAR(px.X, viaGeo.X, 1e-9);
    EXPECT_NEAR(px.Y, viaGeo.Y, 1e-9);
}
