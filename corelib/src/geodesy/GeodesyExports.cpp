// Projection initialisers, earth-centred coordinates, RD, UTM, datum shifts and local frames.
#include "geodesy/GeodesyEngine.h"

#include "KvLibNav6/KvErrorCodes.h"

#include <GeographicLib/Geocentric.hpp>

#include <cmath>
#include <limits>
#include <map>

using namespace kv::geodesy;

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

int32_t Fill(TProjectionRef &ref, int32_t kind, IGeodeticDatum *datum, double k0, double lat0,
             double long0, double lat1, double lat2) {
    ref = TProjectionRef{};
    ref.Kind = kind;
    ref.Datum = datum;
    ref.K0 = k0;
    ref.Lat0 = lat0;
    ref.Long0 = long0;
    ref.Lat1 = lat1;
    ref.Lat2 = lat2;
    return kind;
}

GeographicLib::Geocentric EarthFor(IGeodeticObject *ref) {
    const TEllipsoidParams e = EllipsoidOf(ref ? ref : StandardEllipsoid());
    return GeographicLib::Geocentric(e.A, e.InvF == 0.0 ? 0.0 : 1.0 / e.InvF);
}

// Projections of the exports that take a reference record per call: made once per set of
// parameters (a status bar converts every mouse move with the same record).
const TProjector *CachedProjector(const TProjectionRef &ref) {
    const std::string def = ProjectionDefinition(ref);
    if (def.empty()) return nullptr;
    auto lock = ProjLock();
    static std::map<std::string, std::unique_ptr<TProjector>> cache;
    if (auto it = cache.find(def); it != cache.end()) return it->second.get();
    int32_t err = 0;
    auto made = TProjector::Create(ref, err);
    if (!made) return nullptr;
    if (cache.size() >= 64) cache.clear();
    return cache.emplace(def, std::move(made)).first->second.get();
}

const TProjector &RDProjector() {
    static const std::unique_ptr<TProjector> rd = [] {
        TProjectionRef ref;
        GeodeticRefInitRD(ref);
        int32_t err = 0;
        return TProjector::Create(ref, err);
    }();
    return *rd;
}

constexpr char16_t BandLetters[] = u"CDEFGHJKLMNPQRSTUVWX";

}  // namespace

int32_t GeodeticRefInitMercator(TProjectionRef &ref, double long0, IGeodeticDatum *datum) {
    return Fill(ref, ProjectionKind::Mercator, datum, 1.0, 0.0, long0, 0.0, 0.0);
}

int32_t GeodeticRefInitTransverseMercator(TProjectionRef &ref, double k0, double lat0,
                                          double long0, IGeodeticDatum *datum) {
    return Fill(ref, ProjectionKind::TransverseMercator, datum, k0, lat0, long0, 0.0, 0.0);
}

int32_t GeodeticRefInitEquidistantCylindrical(TProjectionRef &ref, double lat1, double long0,
                                              IGeodeticDatum *datum) {
    return Fill(ref, ProjectionKind::EquidistantCylindrical, datum, 1.0, 0.0, long0, lat1, 0.0);
}

int32_t GeodeticRefInitLambertConformalConic(TProjectionRef &ref, double lat1, double lat2,
                                             double lat0, double long0, IGeodeticDatum *datum) {
    return Fill(ref, ProjectionKind::LambertConformalConic, datum, 1.0, lat0, long0, lat1, lat2);
}

int32_t GeodeticRefInitOrthographic(TProjectionRef &ref, double lat1, double long0,
                                    IGeodeticDatum *datum) {
    return Fill(ref, ProjectionKind::Orthographic, datum, 1.0, 0.0, long0, lat1, 0.0);
}

int32_t GeodeticRefInitObliqueStereographic(TProjectionRef &ref, double k0, double lat1,
                                            double long0, IGeodeticDatum *datum) {
    return Fill(ref, ProjectionKind::ObliqueStereographic, datum, k0, 0.0, long0, lat1, 0.0);
}

int32_t GeodeticRefInitRD(TProjectionRef &ref) {
    constexpr double lat0 = 52.1561605555556 / DegPerRad, long0 = 5.38763888888889 / DegPerRad;
    return Fill(ref, ProjectionKind::RD, RDDatum(), 0.9999079, lat0, long0, lat0, 0.0);
}

int32_t GeodeticRefInitPolarStereographic(TProjectionRef &ref, double k0, double lat1,
                                          double long0, IGeodeticDatum *datum) {
    return Fill(ref, ProjectionKind::PolarStereographic, datum, k0, 0.0, long0, lat1, 0.0);
}

void GeodeticRefInitHorizontal(THorizontalRef &ref, const TGeoPoint3 &origin,
                               IGeodeticObject *obj) {
    double o[3];
    EarthFor(obj).Forward(origin.Lat * DegPerRad, origin.Lon * DegPerRad, origin.Height, o[0],
                          o[1], o[2]);
    const double sp = std::sin(origin.Lat), cp = std::cos(origin.Lat);
    const double sl = std::sin(origin.Lon), cl = std::cos(origin.Lon);
    // Local axes (north, east, down) as earth-centred unit vectors on the ellipsoid normal.
    const double axes[3][3] = {{-sp * cl, -sp * sl, cp}, {-sl, cl, 0.0}, {-cp * cl, -cp * sl, -sp}};
    for (int j = 0; j < 3; ++j) {
        for (int i = 0; i < 3; ++i) {
            ref.LocalToGlobal[j][i] = axes[j][i];
            ref.GlobalToLocal[i][j] = axes[j][i];
        }
        ref.LocalToGlobal[3][j] = o[j];
        ref.GlobalToLocal[3][j] = -(o[0] * axes[j][0] + o[1] * axes[j][1] + o[2] * axes[j][2]);
    }
}

void GeoToGlobal2(TDouble3 &out, const TGeoPoint &geo, IGeodeticObject *ref) {
    GeoToGlobal3(out, TGeoPoint3{geo.Lat, geo.Lon, 0.0}, ref);
}

void GeoToGlobal3(TDouble3 &out, const TGeoPoint3 &geo, IGeodeticObject *ref) {
    EarthFor(ref).Forward(geo.Lat * DegPerRad, geo.Lon * DegPerRad, geo.Height, out.X, out.Y,
                          out.Z);
}

void GlobalToGeo2(TGeoPoint &out, const TDouble3 &g, IGeodeticObject *ref) {
    TGeoPoint3 p;
    GlobalToGeo3(p, g, ref);
    out = {p.Lat, p.Lon};
}

void GlobalToGeo3(TGeoPoint3 &out, const TDouble3 &g, IGeodeticObject *ref) {
    double lat = 0, lon = 0, h = 0;
    EarthFor(ref).Reverse(g.X, g.Y, g.Z, lat, lon, h);
    out = {lat / DegPerRad, lon / DegPerRad, h};
}

void GeoToRD(TDouble2 &rdOut, const TGeoPoint &geo, const TProjectionRef &) {
    // The grid fixes its parameters, so the record adds nothing to the conversion.
    if (!RDProjector().Forward(geo.Lat, geo.Lon, rdOut.X, rdOut.Y)) rdOut = {NaN, NaN};
}

void RDToGeo(TGeoPoint &out, double x, double y, const TProjectionRef &) {
    if (!RDProjector().Inverse(x, y, out.Lat, out.Lon))
        out = {GeoPointNoPosition, GeoPointNoPosition};
}

bool RDInGrid(const TGeoPoint &geo, IGeodeticDatum *rdDatum) {
    double lat = geo.Lat, lon = geo.Lon;
    if (rdDatum && rdDatum != RDDatum() && !DatumShift2(lat, lon, rdDatum, RDDatum()))
        return false;
    // Area of use of EPSG:28992: the Netherlands with the Wadden Islands and 12-mile zone.
    const double latDeg = lat * DegPerRad, lonDeg = lon * DegPerRad;
    return latDeg >= 50.75 && latDeg <= 53.7 && lonDeg >= 3.2 && lonDeg <= 7.22;
}

void GeoToTransverseMercator(TDouble2 &out, const TGeoPoint &geo, const TProjectionRef &tm) {
    const TProjector *p = CachedProjector(tm);
    if (!p || !p->Forward(geo.Lat, geo.Lon, out.X, out.Y)) out = {NaN, NaN};
}

void TransverseMercatorToUTM(const TDouble2 &tm, char16_t band, TUTMPos &out) {
    const char16_t upper = (band >= u'a' && band <= u'z') ? char16_t(band - 32) : band;
    out.Easting = tm.X + 500000.0;
    out.Northing = tm.Y + ((upper >= u'C' && upper < u'N') ? 10000000.0 : 0.0);
}

void UTMGeoToZone(const TGeoPoint &geo, int32_t &zone, char16_t &band, int32_t &err) {
    const double lat = geo.Lat * DegPerRad;
    double lon = std::remainder(geo.Lon * DegPerRad, 360.0);  // -180 .. 180
    if (!std::isfinite(lat) || !std::isfinite(lon) || lat < -80.0 || lat > 84.0) {
        zone = 0;
        band = 0;
        err = KvErr::OutOfRange;
        return;
    }
    if (lon >= 180.0) lon -= 360.0;
    err = KvErr::Ok;
    zone = std::min(60, int32_t(std::floor((lon + 180.0) / 6.0)) + 1);
    const int bandIndex = std::min(19, int(std::floor((lat + 80.0) / 8.0)));
    band = BandLetters[bandIndex];
    if (lat >= 56.0 && lat < 64.0 && lon >= 3.0 && lon < 12.0) zone = 32;  // south-west Norway
    if (lat >= 72.0) {                                                      // Svalbard
        if (lon >= 0.0 && lon < 9.0) zone = 31;
        else if (lon >= 9.0 && lon < 21.0) zone = 33;
        else if (lon >= 21.0 && lon < 33.0) zone = 35;
        else if (lon >= 33.0 && lon < 42.0) zone = 37;
    }
}

double UTMZoneToLong0(int32_t zone, char16_t) {
    if (zone < 1 || zone > 60) return NaN;
    return (zone * 6.0 - 183.0) / DegPerRad;
}

void GeodeticDatumTransform(TGeoPoint &p, IGeodeticDatum *from, IGeodeticDatum *to) {
    GeodeticDatumTransform2(p, from, to);
}

void GeodeticDatumTransform2(TGeoPoint &p, IGeodeticDatum *from, IGeodeticDatum *to) {
    DatumShift2(p.Lat, p.Lon, from, to);
}

void GeodeticDatumTransform3(TGeoPoint3 &p, IGeodeticDatum *from, IGeodeticDatum *to) {
    DatumShift(p.Lat, p.Lon, p.Height, from, to);
}
