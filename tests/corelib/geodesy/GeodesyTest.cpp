// Geodesy exports against published reference values.
#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvGeodesy.h>
#include <KvLibNav6/KvLib.h>

#include <gtest/gtest.h>

#include <QString>
#include <cmath>
#include <set>
#include <vector>

namespace {

constexpr double Rad = M_PI / 180.0;

double Dms(double d, double m, double s) {
    return (d + m / 60.0 + s / 3600.0) * Rad;
}

struct TGlobals {
    IGeodeticProvider *Provider = nullptr;
    IGeodeticObject *Standard = nullptr;
    IGeodeticDatum *Default = nullptr;
    IGeodeticDatum *RD = nullptr;
    void *Unused = reinterpret_cast<void *>(1);
    TGlobals() { GeodeticsGetGlobals(Provider, Standard, Default, RD, Unused); }
    IGeodeticRegistry *Registry() const { return Provider->GetRegistry(); }
};

QString Code(IGeodeticDefinition *d) {
    const TStrWRec *r = d->GetCode();
    return QString::fromUtf16(r->Text, r->Length);
}

// Metres between two positions close to each other (local flat approximation is fine at
// the metre level over a few metres).
double MetresApart(const TGeoPoint &a, const TGeoPoint &b) {
    const double north = (a.Lat - b.Lat) * 6371000.0;
    const double east = (a.Lon - b.Lon) * 6371000.0 * std::cos(a.Lat);
    return std::hypot(north, east);
}

}  // namespace

TEST(GeodesyGlobals, HandOutTheRegistryStandardEllipsoidAndDatums) {
    TGlobals g;
    ASSERT_NE(g.Provider, nullptr);
    ASSERT_NE(g.Registry(), nullptr);
    ASSERT_NE(g.Standard, nullptr);
    EXPECT_EQ(g.Standard->GetKind(), GeodeticKind::Ellipsoid);
    auto *e = static_cast<IGeodeticEllipsoid *>(g.Standard);
    EXPECT_DOUBLE_EQ(e->GetSemiMajorAxis(), 6378137.0);
    EXPECT_DOUBLE_EQ(e->GetInverseFlattening(), 298.257223563);
    ASSERT_NE(g.Default, nullptr);
    EXPECT_EQ(Code(g.Default), "WGE");
    EXPECT_EQ(g.Default->GetEllipsoid(), g.Standard);
    ASSERT_NE(g.RD, nullptr);
    EXPECT_DOUBLE_EQ(g.RD->GetEllipsoid()->GetSemiMajorAxis(), 6377397.155);  // Bessel 1841
    EXPECT_EQ(g.Unused, nullptr);
    TGlobals again;  // fixed for the run
    EXPECT_EQ(again.Default, g.Default);
    EXPECT_EQ(again.Registry(), g.Registry());
}

TEST(GeodesyRegistry, FindsDatumsByCode) {
    TGlobals g;
    struct Case {
        const char *name;
        const char16_t *code;
        int32_t kind;
        int32_t err;
    };
    const Case cases[] = {
        {"default datum", u"WGE", GeodeticKind::Datum, KvErr::Ok},
        {"case does not matter", u"wge", GeodeticKind::Datum, KvErr::Ok},
        {"ED50", u"EUR-M", GeodeticKind::Datum, KvErr::Ok},
        {"RD datum", u"RD", GeodeticKind::Datum, KvErr::Ok},
        {"ellipsoid", u"BR", GeodeticKind::Ellipsoid, KvErr::Ok},
        {"ellipsoid code is no datum", u"BR", GeodeticKind::Datum, KvErr::NotFound},
        {"unknown code", u"XYZ", GeodeticKind::Datum, KvErr::NotFound},
        {"empty code", u"", GeodeticKind::Datum, KvErr::NotFound},
        {"unknown kind", u"WGE", 7, KvErr::InvalidArgument},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        int32_t err = -1;
        IGeodeticDefinition *d = g.Registry()->FindByCode(c.code, c.kind, err);
        EXPECT_EQ(err, c.err);
        if (c.err == KvErr::Ok) {
            ASSERT_NE(d, nullptr);
            EXPECT_EQ(d->GetKind(), c.kind);
            EXPECT_EQ(Code(d).toUpper(), QString::fromUtf16(c.code).toUpper());
        } else {
            EXPECT_EQ(d, nullptr);
        }
    }
    int32_t err = 0;
    EXPECT_EQ(g.Registry()->FindByCode(u"WGE", GeodeticKind::Datum, err), g.Default);
    EXPECT_EQ(g.Registry()->FindByCode(u"RD", GeodeticKind::Datum, err), g.RD);
}

TEST(GeodesyRegistry, ListsBuiltInDatumsWithDefaultFirst) {
    TGlobals g;
    IGeodeticRegistry *reg = g.Registry();
    const int32_t n = reg->GetCount(GeodeticKind::Datum);
    ASSERT_GE(n, 8);  // WGS 84, ETRS89, ED50, RD and the neighbours' datums
    std::vector<IGeodeticDefinition *> items(size_t(n), nullptr);
    reg->GetItems(GeodeticKind::Datum, items.data());
    EXPECT_EQ(items.front(), g.Default);
    std::set<QString> codes;
    for (auto *d : items) {
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->GetKind(), GeodeticKind::Datum);
        EXPECT_FALSE(d->IsUserDefined());
        EXPECT_FALSE(Code(d).isEmpty());
        EXPECT_GT(d->GetName()->Length, 0);
        EXPECT_NE(static_cast<IGeodeticDatum *>(d)->GetEllipsoid(), nullptr);
        codes.insert(Code(d).toUpper());
    }
    EXPECT_EQ(codes.size(), size_t(n)) << "codes must be unique";
    EXPECT_EQ(reg->GetCount(42), 0);
}

TEST(GeodesyRegistry, UserDefinitionsAreKeptOnceAndNotListed) {
    TGlobals g;
    IGeodeticRegistry *reg = g.Registry();
    const int32_t before = reg->GetCount(GeodeticKind::Datum);
    IGeodeticEllipsoid *e = reg->NewEllipsoid(6378388.0, 297.0);
    ASSERT_NE(e, nullptr);
    EXPECT_TRUE(e->IsUserDefined());
    EXPECT_EQ(e->GetCode()->Length, 0);
    IGeodeticDatum *d = reg->NewDatum(e, -87, -98, -121, 0.1, 0.2, 0.3, 1.5);
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->IsUserDefined());
    EXPECT_EQ(d->GetCode()->Length, 0);  // stored by its values, never by a code
    EXPECT_EQ(d->GetEllipsoid(), e);
    TGeodeticHelmert h;
    d->GetHelmert(h);
    EXPECT_DOUBLE_EQ(h.DX, -87);
    EXPECT_DOUBLE_EQ(h.RZ, 0.3);
    EXPECT_DOUBLE_EQ(h.Scale, 1.5);
    // Reading the same stored datum again must not make another object each time.
    EXPECT_EQ(reg->NewEllipsoid(6378388.0, 297.0), e);
    EXPECT_EQ(reg->NewDatum(e, -87, -98, -121, 0.1, 0.2, 0.3, 1.5), d);
    EXPECT_NE(reg->NewDatum(e, -87, -98, -121, 0.1, 0.2, 0.3, 1.6), d);
    EXPECT_EQ(reg->GetCount(GeodeticKind::Datum), before);

    struct Bad {
        const char *name;
        double a, invF;
    };
    const Bad bad[] = {{"zero axis", 0, 297}, {"negative flattening", 6378137, -3},
                       {"not a number", NAN, 297}, {"flattening below one", 6378137, 0.5}};
    for (const auto &b : bad) {
        SCOPED_TRACE(b.name);
        EXPECT_EQ(reg->NewEllipsoid(b.a, b.invF), nullptr);
    }
    EXPECT_EQ(reg->NewDatum(nullptr, 0, 0, 0, 0, 0, 0, 0), nullptr);
    EXPECT_EQ(reg->NewDatum(e, INFINITY, 0, 0, 0, 0, 0, 0), nullptr);
}

TEST(GeodesyProjections, InitialisersFillTheRecordInArgumentOrder) {
    TGlobals g;
    IGeodeticDatum *d = g.Default;
    struct Case {
        const char *name;
        int32_t (*init)(TProjectionRef &, IGeodeticDatum *);
        int32_t kind;
        TProjectionRef want;
    };
    const Case cases[] = {
        {"Mercator", [](TProjectionRef &r, IGeodeticDatum *dt) { return GeodeticRefInitMercator(r, 0.5, dt); },
         ProjectionKind::Mercator, {ProjectionKind::Mercator, d, 1.0, 0.0, 0.5, 0.0, 0.0}},
        {"transverse Mercator",
         [](TProjectionRef &r, IGeodeticDatum *dt) { return GeodeticRefInitTransverseMercator(r, 0.9996, 0.1, 0.2, dt); },
         ProjectionKind::TransverseMercator, {ProjectionKind::TransverseMercator, d, 0.9996, 0.1, 0.2, 0.0, 0.0}},
        {"equidistant cylindrical",
         [](TProjectionRef &r, IGeodeticDatum *dt) { return GeodeticRefInitEquidistantCylindrical(r, 0.9, 0.1, dt); },
         ProjectionKind::EquidistantCylindrical, {ProjectionKind::EquidistantCylindrical, d, 1.0, 0.0, 0.1, 0.9, 0.0}},
        {"Lambert",
         [](TProjectionRef &r, IGeodeticDatum *dt) { return GeodeticRefInitLambertConformalConic(r, 0.8, 0.9, 0.7, 0.1, dt); },
         ProjectionKind::LambertConformalConic, {ProjectionKind::LambertConformalConic, d, 1.0, 0.7, 0.1, 0.8, 0.9}},
        {"orthographic",
         [](TProjectionRef &r, IGeodeticDatum *dt) { return GeodeticRefInitOrthographic(r, 0.9, 0.1, dt); },
         ProjectionKind::Orthographic, {ProjectionKind::Orthographic, d, 1.0, 0.0, 0.1, 0.9, 0.0}},
        {"oblique stereographic",
         [](TProjectionRef &r, IGeodeticDatum *dt) { return GeodeticRefInitObliqueStereographic(r, 0.99, 0.9, 0.1, dt); },
         ProjectionKind::ObliqueStereographic, {ProjectionKind::ObliqueStereographic, d, 0.99, 0.0, 0.1, 0.9, 0.0}},
        {"polar stereographic",
         [](TProjectionRef &r, IGeodeticDatum *dt) { return GeodeticRefInitPolarStereographic(r, 0.994, 1.2, 0.1, dt); },
         ProjectionKind::PolarStereographic, {ProjectionKind::PolarStereographic, d, 0.994, 0.0, 0.1, 1.2, 0.0}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TProjectionRef r{99, nullptr, 9, 9, 9, 9, 9};  // stale values must not survive
        EXPECT_EQ(c.init(r, d), c.kind);
        EXPECT_EQ(r.Kind, c.want.Kind);
        EXPECT_EQ(r.Datum, c.want.Datum);
        EXPECT_DOUBLE_EQ(r.K0, c.want.K0);
        EXPECT_DOUBLE_EQ(r.Lat0, c.want.Lat0);
        EXPECT_DOUBLE_EQ(r.Long0, c.want.Long0);
        EXPECT_DOUBLE_EQ(r.Lat1, c.want.Lat1);
        EXPECT_DOUBLE_EQ(r.Lat2, c.want.Lat2);
    }
    TProjectionRef rd;
    EXPECT_EQ(GeodeticRefInitRD(rd), ProjectionKind::RD);
    EXPECT_EQ(rd.Datum, g.RD);
    EXPECT_DOUBLE_EQ(rd.K0, 0.9999079);
}

// The RD grid's definition: its origin, the Amersfoort tower, has RD 155 000, 463 000 and
// Bessel coordinates 52°09'22.178" N 5°23'15.500" E; in ETRS89/WGS 84 the same point is
// 52.15517440 N 5.38720621 E. The datum shift is a 7-parameter Helmert transformation
// (nominally 1 m), so the WGS 84 path is checked to 1 m and the grid itself to 1 mm.
TEST(GeodesyRD, MatchesTheGridOriginAndTheAmersfoortReference) {
    TGlobals g;
    TProjectionRef rd;
    GeodeticRefInitRD(rd);
    TDouble2 xy;
    GeoToRD(xy, {Dms(52, 9, 22.178), Dms(5, 23, 15.5)}, rd);
    EXPECT_NEAR(xy.X, 155000.0, 0.01);
    EXPECT_NEAR(xy.Y, 463000.0, 0.01);

    TGeoPoint p{52.15517440 * Rad, 5.38720621 * Rad};
    GeodeticDatumTransform2(p, g.Default, g.RD);
    ASSERT_TRUE(RDInGrid(p, g.RD));
    GeoToRD(xy, p, rd);
    EXPECT_NEAR(xy.X, 155000.0, 1.0);
    EXPECT_NEAR(xy.Y, 463000.0, 1.0);

    TGeoPoint back;
    RDToGeo(back, 155000.0, 463000.0, rd);
    GeodeticDatumTransform2(back, g.RD, g.Default);
    EXPECT_LT(MetresApart(back, {52.15517440 * Rad, 5.38720621 * Rad}), 1.0);
}

TEST(GeodesyRD, GridRoundTripsAndCoverage) {
    TGlobals g;
    TProjectionRef rd;
    GeodeticRefInitRD(rd);
    // Across the grid (south-west Zeeland to the north-east of Groningen) to 1 mm.
    const double pts[][2] = {{13000, 370000}, {155000, 463000}, {260000, 600000}, {100000, 500000}};
    for (const auto &xy : pts) {
        SCOPED_TRACE(xy[0]);
        TGeoPoint geo;
        RDToGeo(geo, xy[0], xy[1], rd);
        TDouble2 again;
        GeoToRD(again, geo, rd);
        EXPECT_NEAR(again.X, xy[0], 0.001);
        EXPECT_NEAR(again.Y, xy[1], 0.001);
    }
    struct Case {
        const char *name;
        double lat, lon;
        bool inside;
    };
    const Case cases[] = {{"Amsterdam", 52.37, 4.90, true}, {"Texel", 53.05, 4.80, true},
                          {"Groningen", 53.22, 6.57, true}, {"Paris", 48.86, 2.35, false},
                          {"Hamburg", 53.55, 9.99, false}, {"London", 51.51, -0.13, false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TGeoPoint p{c.lat * Rad, c.lon * Rad};
        GeodeticDatumTransform2(p, g.Default, g.RD);
        EXPECT_EQ(RDInGrid(p, g.RD), c.inside);
    }
}

// EPSG Guidance Note 7-2 worked examples: geographic to geocentric on WGS 84, and a
// geocentric-translation shift WGS 84 → ED50 at the same North Sea point.
TEST(GeodesyGlobal, MatchesTheGeocentricReferenceExample) {
    TGlobals g;
    const TGeoPoint3 p{Dms(53, 48, 33.82), Dms(2, 7, 46.38), 73.0};
    TDouble3 xyz;
    GeoToGlobal3(xyz, p, g.Standard);
    EXPECT_NEAR(xyz.X, 3771793.968, 0.001);
    EXPECT_NEAR(xyz.Y, 140253.342, 0.001);
    EXPECT_NEAR(xyz.Z, 5124304.349, 0.001);
    TGeoPoint3 back;
    GlobalToGeo3(back, xyz, g.Standard);
    EXPECT_NEAR(back.Lat, p.Lat, 1e-12);
    EXPECT_NEAR(back.Lon, p.Lon, 1e-12);
    EXPECT_NEAR(back.Height, 73.0, 1e-6);

    // The height-less forms: height 0 on the way in, dropped on the way out.
    TDouble3 flat;
    GeoToGlobal2(flat, {p.Lat, p.Lon}, g.Standard);
    TGeoPoint3 flatBack;
    GlobalToGeo3(flatBack, flat, g.Standard);
    EXPECT_NEAR(flatBack.Height, 0.0, 1e-6);
    TGeoPoint ll;
    GlobalToGeo2(ll, xyz, g.Standard);
    EXPECT_NEAR(ll.Lat, p.Lat, 1e-12);
    // A datum stands for its ellipsoid, nullptr for the standard one.
    TDouble3 viaDatum, viaNull;
    GeoToGlobal3(viaDatum, p, g.Default);
    GeoToGlobal3(viaNull, p, nullptr);
    EXPECT_DOUBLE_EQ(viaDatum.Z, xyz.Z);
    EXPECT_DOUBLE_EQ(viaNull.Z, xyz.Z);

    struct Case {
        const char *name;
        double lat, lon;
        TDouble3 want;
    };
    const Case axes[] = {{"equator, Greenwich", 0, 0, {6378137.0, 0, 0}},
                         {"equator, 90 E", 0, 90, {0, 6378137.0, 0}},
                         {"north pole", 90, 0, {0, 0, 6356752.314245}}};
    for (const auto &c : axes) {
        SCOPED_TRACE(c.name);
        TDouble3 v;
        GeoToGlobal2(v, {c.lat * Rad, c.lon * Rad}, g.Standard);
        EXPECT_NEAR(v.X, c.want.X, 1e-6);
        EXPECT_NEAR(v.Y, c.want.Y, 1e-6);
        EXPECT_NEAR(v.Z, c.want.Z, 1e-6);
    }
}

TEST(GeodesyDatums, Wgs84ToEd50MatchesTheReferenceExample) {
    TGlobals g;
    IGeodeticRegistry *reg = g.Registry();
    int32_t err = 0;
    auto *intl = static_cast<IGeodeticEllipsoid *>(
        reg->FindByCode(u"IN", GeodeticKind::Ellipsoid, err));
    ASSERT_NE(intl, nullptr);
    // The example gives WGS 84 → ED50 translations; a datum holds its shift to WGS 84.
    IGeodeticDatum *ed50 = reg->NewDatum(intl, -84.87, -96.49, -116.95, 0, 0, 0, 0);
    TGeoPoint3 p{Dms(53, 48, 33.82), Dms(2, 7, 46.38), 73.0};
    GeodeticDatumTransform3(p, g.Default, ed50);
    EXPECT_NEAR(p.Lat, Dms(53, 48, 36.565), 0.002 / 3600 * Rad);
    EXPECT_NEAR(p.Lon, Dms(2, 7, 51.477), 0.002 / 3600 * Rad);
    EXPECT_NEAR(p.Height, 28.02, 0.01);
    GeodeticDatumTransform3(p, ed50, g.Default);
    EXPECT_NEAR(p.Lat, Dms(53, 48, 33.82), 1e-10);
    EXPECT_NEAR(p.Lon, Dms(2, 7, 46.38), 1e-10);
    EXPECT_NEAR(p.Height, 73.0, 1e-4);

    // The 2-D forms keep the height at 0 and move the position the same way.
    TGeoPoint q{Dms(53, 48, 33.82), Dms(2, 7, 46.38)};
    GeodeticDatumTransform(q, g.Default, ed50);
    EXPECT_NEAR(q.Lat, Dms(53, 48, 36.565), 0.01 / 3600 * Rad);
}

// EPSG Guidance Note 7-2, position-vector 7-parameter example (WGS 72 → WGS 84) on
// earth-centred coordinates: checks the rotation sign convention of the stored values.
TEST(GeodesyDatums, SevenParameterShiftUsesThePositionVectorConvention) {
    TGlobals g;
    IGeodeticRegistry *reg = g.Registry();
    int32_t err = 0;
    auto *wgs72 = static_cast<IGeodeticEllipsoid *>(
        reg->FindByCode(u"WD", GeodeticKind::Ellipsoid, err));
    ASSERT_NE(wgs72, nullptr);
    IGeodeticDatum *d = reg->NewDatum(wgs72, 0, 0, 4.5, 0, 0, 0.554, 0.219);
    TGeoPoint3 p;
    GlobalToGeo3(p, {3657660.66, 255768.55, 5201382.11}, d);
    GeodeticDatumTransform3(p, d, g.Default);
    TDouble3 out;
    GeoToGlobal3(out, p, g.Default);
    EXPECT_NEAR(out.X, 3657660.78, 0.02);
    EXPECT_NEAR(out.Y, 255778.43, 0.02);
    EXPECT_NEAR(out.Z, 5201387.75, 0.02);
}

TEST(GeodesyDatums, EveryBuiltInDatumShiftsAndComesBack) {
    TGlobals g;
    IGeodeticRegistry *reg = g.Registry();
    std::vector<IGeodeticDefinition *> items(size_t(reg->GetCount(GeodeticKind::Datum)));
    reg->GetItems(GeodeticKind::Datum, items.data());
    const TGeoPoint3 start{52.0 * Rad, 4.5 * Rad, 10.0};
    for (auto *item : items) {
        auto *d = static_cast<IGeodeticDatum *>(item);
        SCOPED_TRACE(Code(d).toStdString());
        TGeoPoint3 p = start;
        GeodeticDatumTransform3(p, g.Default, d);
        const double moved = MetresApart({p.Lat, p.Lon}, {start.Lat, start.Lon});
        TGeodeticHelmert h;
        d->GetHelmert(h);
        if (h.DX == 0 && h.DY == 0 && h.DZ == 0 && h.Scale == 0 && h.RZ == 0)
            EXPECT_LT(moved, 0.001);
        else
            EXPECT_GT(moved, 1.0);
        EXPECT_LT(moved, 1000.0);  // datums of the same region differ by metres, not km
        GeodeticDatumTransform3(p, d, g.Default);
        EXPECT_LT(MetresApart({p.Lat, p.Lon}, {start.Lat, start.Lon}), 0.001);
        EXPECT_NEAR(p.Height, 10.0, 0.001);
    }
    // No position (the (99, 99) marker) is left alone rather than turned into garbage.
    TGeoPoint none{GeoPointNoPosition, GeoPointNoPosition};
    GeodeticDatumTransform2(none, g.Default, g.RD);
    EXPECT_EQ(none.Lat, GeoPointNoPosition);
}

// Without heights a shift must be undone to well within a millimetre both ways, also far
// from a datum's home area where its ellipsoid lies hundreds of metres from WGS 84's and
// simply dropping the height misses by centimetres: calibrations convert pixels to
// positions and back through it.
TEST(GeodesyDatums, HeightlessShiftComesBackWithinAMillimetre) {
    TGlobals g;
    IGeodeticRegistry *reg = g.Registry();
    std::vector<IGeodeticDefinition *> items(size_t(reg->GetCount(GeodeticKind::Datum)));
    reg->GetItems(GeodeticKind::Datum, items.data());
    // A made-up datum with large rotations and scale on another ellipsoid.
    IGeodeticDatum *odd =
        reg->NewDatum(reg->NewEllipsoid(6378388.0, 297.0), 700, -300, 500, 5, -4, 8, 20);
    ASSERT_NE(odd, nullptr);
    items.push_back(odd);
    struct Place {
        const char *name;
        double lat, lon;
    };
    const Place places[] = {{"Amsterdam", 52.37, 4.90},     {"Vlissingen", 51.44, 3.57},
                            {"Dollard", 53.30, 7.20},       {"Brest", 48.40, -4.50},
                            {"Gulf of Guinea", 0.0, 0.0},   {"Tromsø", 69.65, 18.96},
                            {"Chatham Islands", -44.0, -176.5}};
    for (auto *item : items) {
        auto *d = static_cast<IGeodeticDatum *>(item);
        for (const Place &pl : places) {
            SCOPED_TRACE(Code(d).toStdString() + " at " + pl.name);
            const TGeoPoint start{pl.lat * Rad, pl.lon * Rad};
            TGeoPoint there = start;
            GeodeticDatumTransform2(there, g.Default, d);
            TGeoPoint back = there;
            GeodeticDatumTransform2(back, d, g.Default);
            EXPECT_LT(MetresApart(back, start), 0.001);
            // The other way round: from the datum to WGS 84 and back.
            TGeoPoint again = start;
            GeodeticDatumTransform2(again, d, g.Default);
            GeodeticDatumTransform2(again, g.Default, d);
            EXPECT_LT(MetresApart(again, start), 0.001);
        }
    }
}

TEST(GeodesyUTM, ZonesBandsAndCentralMeridians) {
    struct Case {
        const char *name;
        double lat, lon;
        int32_t zone;
        char16_t band;
    };
    const Case cases[] = {
        {"Netherlands west of 6 E", 52.0, 4.9, 31, u'U'},
        {"Netherlands east of 6 E", 52.0, 6.5, 32, u'U'},
        {"Bergen (Norway exception)", 60.39, 5.32, 32, u'V'},
        {"Longyearbyen (Svalbard)", 78.22, 15.65, 33, u'X'},
        {"Svalbard west", 78.0, 8.0, 31, u'X'},
        {"Sydney", -33.85678, 151.2153, 56, u'H'},
        {"date line", 0.5, 180.0, 1, u'N'},
        {"just south of the equator", -0.5, 3.0, 31, u'M'},
        {"84 N", 84.0, 10.0, 33, u'X'},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        int32_t zone = 0, err = -1;
        char16_t band = 0;
        UTMGeoToZone({c.lat * Rad, c.lon * Rad}, zone, band, err);
        EXPECT_EQ(err, KvErr::Ok);
        EXPECT_EQ(zone, c.zone);
        EXPECT_EQ(band, c.band);
    }
    for (double lat : {84.5, -80.5, double(GeoPointNoPosition) / Rad}) {
        int32_t zone = 0, err = 0;
        char16_t band = 0;
        UTMGeoToZone({lat * Rad, 0.0}, zone, band, err);
        EXPECT_EQ(err, KvErr::OutOfRange) << lat;
    }
    struct Meridian {
        int32_t zone;
        double deg;
    };
    for (const auto &m : {Meridian{1, -177}, Meridian{31, 3}, Meridian{32, 9}, Meridian{60, 177}})
        EXPECT_NEAR(UTMZoneToLong0(m.zone, u'U'), m.deg * Rad, 1e-12) << m.zone;
    EXPECT_TRUE(std::isnan(UTMZoneToLong0(0, u'U')));
    EXPECT_TRUE(std::isnan(UTMZoneToLong0(61, u'U')));
}

// The CN Tower example of the UTM system (43°38'33.24" N 79°23'13.7" W: zone 17, 630 084 E,
// 4 833 438 N, whole metres) and Sydney in the southern hemisphere (reference from
// GeographicLib's UTM, an implementation independent of the one used here).
TEST(GeodesyUTM, KnownPointsThroughTransverseMercator) {
    TGlobals g;
    struct Case {
        const char *name;
        double lat, lon, easting, northing, tol;
    };
    const Case cases[] = {
        {"CN Tower", Dms(43, 38, 33.24), -Dms(79, 23, 13.7), 630084, 4833438, 1.0},
        {"Sydney", -33.85678 * Rad, 151.2153 * Rad, 334900.531, 6252290.971, 0.002},
        {"Bergen", 60.39 * Rad, 5.32 * Rad, 297230.220, 6700510.175, 0.002},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const TGeoPoint p{c.lat, c.lon};
        int32_t zone = 0, err = 0;
        char16_t band = 0;
        UTMGeoToZone(p, zone, band, err);
        ASSERT_EQ(err, KvErr::Ok);
        TProjectionRef tm;
        GeodeticRefInitTransverseMercator(tm, 0.9996, 0.0, UTMZoneToLong0(zone, band), g.Default);
        TDouble2 xy;
        GeoToTransverseMercator(xy, p, tm);
        TUTMPos utm;
        TransverseMercatorToUTM(xy, band, utm);
        EXPECT_NEAR(utm.Easting, c.easting, c.tol);
        EXPECT_NEAR(utm.Northing, c.northing, c.tol);
    }
    TUTMPos pos;
    TransverseMercatorToUTM({-1000.0, -2000.0}, u'm', pos);  // southern band, any case
    EXPECT_DOUBLE_EQ(pos.Easting, 499000.0);
    EXPECT_DOUBLE_EQ(pos.Northing, 9998000.0);
    TransverseMercatorToUTM({0.0, 2000.0}, u'N', pos);
    EXPECT_DOUBLE_EQ(pos.Northing, 2000.0);
}

TEST(GeodesyHorizontal, LocalFrameIsNorthEastDown) {
    TGlobals g;
    const TGeoPoint3 origin{52.0 * Rad, 5.0 * Rad, 0.0};
    THorizontalRef ref;
    GeodeticRefInitHorizontal(ref, origin, g.Default);
    auto apply = [](const double (&m)[4][3], const TDouble3 &p) {
        double r[3];
        for (int j = 0; j < 3; ++j)
            r[j] = p.X * m[0][j] + p.Y * m[1][j] + p.Z * m[2][j] + m[3][j];
        return TDouble3{r[0], r[1], r[2]};
    };
    TDouble3 o;
    GeoToGlobal3(o, origin, g.Standard);
    const TDouble3 atOrigin = apply(ref.LocalToGlobal, {0, 0, 0});
    EXPECT_NEAR(atOrigin.X, o.X, 1e-6);
    EXPECT_NEAR(atOrigin.Z, o.Z, 1e-6);

    struct Case {
        const char *name;
        TDouble3 local;
        double dLat, dLon, height;  // signs expected
    };
    const Case cases[] = {{"north", {100, 0, 0}, 1, 0, 0},
                          {"east", {0, 100, 0}, 0, 1, 0},
                          {"down", {0, 0, 10}, 0, 0, -1}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TGeoPoint3 p;
        GlobalToGeo3(p, apply(ref.LocalToGlobal, c.local), g.Standard);
        if (c.dLat) {
            EXPECT_GT((p.Lat - origin.Lat) * c.dLat, 0);
        } else {
            EXPECT_NEAR(p.Lat, origin.Lat, 1e-9);
        }
        if (c.dLon) {
            EXPECT_GT((p.Lon - origin.Lon) * c.dLon, 0);
        } else {
            EXPECT_NEAR(p.Lon, origin.Lon, 1e-9);
        }
        if (c.height) {
            EXPECT_NEAR(p.Height, -10.0, 1e-6);
        }
        const TDouble3 back = apply(ref.GlobalToLocal, apply(ref.LocalToGlobal, c.local));
        EXPECT_NEAR(back.X, c.local.X, 1e-6);
        EXPECT_NEAR(back.Y, c.local.Y, 1e-6);
        EXPECT_NEAR(back.Z, c.local.Z, 1e-6);
    }
    // A point 1 km along the parallel: east, below the tangent plane by d²/2N and pulled
    // toward the pole by d²·tan(lat)/2N (N: radius of curvature in the prime vertical).
    const double f = 1 / 298.257223563, e2 = f * (2 - f);
    const double n = 6378137.0 / std::sqrt(1 - e2 * std::pow(std::sin(origin.Lat), 2));
    const double d = 1000.0;
    TDouble3 east;
    GeoToGlobal2(east, {origin.Lat, origin.Lon + d / (n * std::cos(origin.Lat))}, g.Standard);
    const TDouble3 local = apply(ref.GlobalToLocal, east);
    EXPECT_NEAR(local.Y, d, 0.01);
    EXPECT_NEAR(local.X, d * d * std::tan(origin.Lat) / (2 * n), 0.001);
    EXPECT_NEAR(local.Z, d * d / (2 * n), 0.001);
}
