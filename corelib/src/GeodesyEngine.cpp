// PROJ operations (projections, datum shifts) and GeographicLib geodesics.
#include "GeodesyEngine.h"

#include "KvLibNav6/KvErrorCodes.h"

#include <GeographicLib/Geodesic.hpp>

#include <cmath>
#include <cstdio>
#include <map>
#include <utility>

namespace kv::geodesy {
namespace {

std::recursive_mutex &ProjMutex() {
    static std::recursive_mutex mutex;
    return mutex;
}

std::string Num(double v) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    return buf;
}

std::string Deg(double rad) {
    return Num(rad * DegPerRad);
}

bool Usable(const PJ_COORD &c) {
    return std::isfinite(c.v[0]) && std::isfinite(c.v[1]) && c.v[0] != HUGE_VAL &&
           c.v[1] != HUGE_VAL;
}

bool IsZero(const TGeodeticHelmert &h) {
    return h.DX == 0 && h.DY == 0 && h.DZ == 0 && h.RX == 0 && h.RY == 0 && h.RZ == 0 &&
           h.Scale == 0;
}

std::string HelmertStep(const TGeodeticHelmert &h, bool inverse) {
    return std::string(" +step") + (inverse ? " +inv" : "") + " +proj=helmert +x=" + Num(h.DX) +
           " +y=" + Num(h.DY) + " +z=" + Num(h.DZ) + " +rx=" + Num(h.RX) + " +ry=" + Num(h.RY) +
           " +rz=" + Num(h.RZ) + " +s=" + Num(h.Scale) + " +convention=position_vector";
}

// Shift between two datums through earth-centred coordinates and WGS 84; an empty text
// when both are the same frame.
std::string ShiftDefinition(IGeodeticDatum *from, IGeodeticDatum *to) {
    TGeodeticHelmert hf, ht;
    from->GetHelmert(hf);
    to->GetHelmert(ht);
    const TEllipsoidParams ef = EllipsoidOf(from), et = EllipsoidOf(to);
    const bool sameEllipsoid = ef.A == et.A && ef.InvF == et.InvF;
    const bool sameShift = hf.DX == ht.DX && hf.DY == ht.DY && hf.DZ == ht.DZ &&
                           hf.RX == ht.RX && hf.RY == ht.RY && hf.RZ == ht.RZ &&
                           hf.Scale == ht.Scale;
    if (sameEllipsoid && sameShift) return {};
    std::string def = "+proj=pipeline +step +proj=cart " + EllipsoidDefinition(ef);
    if (!sameShift) {
        if (!IsZero(hf)) def += HelmertStep(hf, false);
        if (!IsZero(ht)) def += HelmertStep(ht, true);
    }
    def += " +step +inv +proj=cart " + EllipsoidDefinition(et);
    return def;
}

struct TShift {
    bool Identity = false;
    TPJPtr PJ;
};

}  // namespace

std::unique_lock<std::recursive_mutex> ProjLock() {
    return std::unique_lock<std::recursive_mutex>(ProjMutex());
}

PJ_CONTEXT *ProjContext() {
    static PJ_CONTEXT *ctx = [] {
        PJ_CONTEXT *c = proj_context_create();
        // Everything here is computed, never fetched: no grids from the network.
        proj_context_set_enable_network(c, 0);
        proj_log_level(c, PJ_LOG_NONE);
        return c;
    }();
    return ctx;
}

void TPJDeleter::operator()(PJ *p) const {
    if (!p) return;
    auto lock = ProjLock();
    proj_destroy(p);
}

TPJPtr CreateOperation(const std::string &definition) {
    auto lock = ProjLock();
    return TPJPtr(proj_create(ProjContext(), definition.c_str()));
}

std::string EllipsoidDefinition(const TEllipsoidParams &e) {
    if (e.InvF == 0.0) return "+a=" + Num(e.A) + " +b=" + Num(e.A);
    return "+a=" + Num(e.A) + " +rf=" + Num(e.InvF);
}

std::string ProjectionDefinition(const TProjectionRef &ref) {
    using namespace ProjectionKind;
    const std::string ell = " " + EllipsoidDefinition(EllipsoidOf(ref.Datum));
    switch (ref.Kind) {
    case Mercator:
        return "+proj=merc +lon_0=" + Deg(ref.Long0) + ell;
    case TransverseMercator:
        return "+proj=tmerc +k_0=" + Num(ref.K0) + " +lat_0=" + Deg(ref.Lat0) +
               " +lon_0=" + Deg(ref.Long0) + ell;
    case EquidistantCylindrical:
        return "+proj=eqc +lat_ts=" + Deg(ref.Lat1) + " +lon_0=" + Deg(ref.Long0) + ell;
    case LambertConformalConic:
        return "+proj=lcc +lat_1=" + Deg(ref.Lat1) + " +lat_2=" + Deg(ref.Lat2) +
               " +lat_0=" + Deg(ref.Lat0) + " +lon_0=" + Deg(ref.Long0) + ell;
    case Orthographic:
        return "+proj=ortho +lat_0=" + Deg(ref.Lat1) + " +lon_0=" + Deg(ref.Long0) + ell;
    case ObliqueStereographic:
        return "+proj=sterea +k_0=" + Num(ref.K0) + " +lat_0=" + Deg(ref.Lat1) +
               " +lon_0=" + Deg(ref.Long0) + ell;
    case RD:
        // EPSG:28992 on the Bessel ellipsoid of the RD datum, false origin included.
        return "+proj=sterea +lat_0=52.1561605555556 +lon_0=5.38763888888889 +k_0=0.9999079"
               " +x_0=155000 +y_0=463000" +
               (ref.Datum ? ell : " " + EllipsoidDefinition(EllipsoidOf(RDDatum())));
    case PolarStereographic: {
        // The sign of Lat1 picks the pole; a latitude off the pole is the standard parallel.
        const bool south = ref.Lat1 < 0;
        std::string def = std::string("+proj=stere +lat_0=") + (south ? "-90" : "90") +
                          " +lon_0=" + Deg(ref.Long0) + " +k_0=" + Num(ref.K0);
        if (std::fabs(std::fabs(ref.Lat1 * DegPerRad) - 90.0) > 1e-9)
            def += " +lat_ts=" + Deg(ref.Lat1);
        return def + ell;
    }
    default:
        return {};
    }
}

std::unique_ptr<TProjector> TProjector::Create(const TProjectionRef &ref, int32_t &err) {
    err = KvErr::Ok;
    for (double v : {ref.K0, ref.Lat0, ref.Long0, ref.Lat1, ref.Lat2})
        if (!std::isfinite(v)) {
            err = KvErr::GeoProjection;
            return nullptr;
        }
    const std::string def = ProjectionDefinition(ref);
    if (def.empty()) {
        err = KvErr::InvalidArgument;
        return nullptr;
    }
    TPJPtr pj = CreateOperation(def);
    if (!pj) {
        err = KvErr::GeoProjection;
        return nullptr;
    }
    return std::unique_ptr<TProjector>(new TProjector(std::move(pj)));
}

bool TProjector::Forward(double lat, double lon, double &x, double &y) const {
    if (!std::isfinite(lat) || !std::isfinite(lon) || std::fabs(lat) > M_PI / 2) return false;
    auto lock = ProjLock();
    const PJ_COORD r = proj_trans(FPJ.get(), PJ_FWD, proj_coord(lon, lat, 0, 0));
    proj_errno_reset(FPJ.get());
    if (!Usable(r)) return false;
    x = r.xy.x;
    y = r.xy.y;
    return true;
}

bool TProjector::Inverse(double x, double y, double &lat, double &lon) const {
    if (!std::isfinite(x) || !std::isfinite(y)) return false;
    auto lock = ProjLock();
    const PJ_COORD r = proj_trans(FPJ.get(), PJ_INV, proj_coord(x, y, 0, 0));
    proj_errno_reset(FPJ.get());
    if (!Usable(r)) return false;
    lat = r.lp.phi;
    lon = r.lp.lam;
    return true;
}

bool DatumShift(double &lat, double &lon, double &height, IGeodeticDatum *from,
                IGeodeticDatum *to) {
    if (!from) from = DefaultDatum();
    if (!to) to = DefaultDatum();
    if (from == to) return true;
    if (!std::isfinite(lat) || !std::isfinite(lon) || !std::isfinite(height) ||
        std::fabs(lat) > M_PI / 2)
        return false;
    auto lock = ProjLock();
    // Datums live for the run (the registry owns them), so their addresses are stable keys.
    static std::map<std::pair<IGeodeticDatum *, IGeodeticDatum *>, TShift> cache;
    auto it = cache.find({from, to});
    if (it == cache.end()) {
        TShift shift;
        const std::string def = ShiftDefinition(from, to);
        shift.Identity = def.empty();
        if (!shift.Identity) {
            shift.PJ = CreateOperation(def);
            if (!shift.PJ) return false;
        }
        it = cache.emplace(std::make_pair(from, to), std::move(shift)).first;
    }
    if (it->second.Identity) return true;
    PJ *pj = it->second.PJ.get();
    const PJ_COORD r = proj_trans(pj, PJ_FWD, proj_coord(lon, lat, height, 0));
    proj_errno_reset(pj);
    if (!Usable(r) || !std::isfinite(r.v[2])) return false;
    lon = r.lpz.lam;
    lat = r.lpz.phi;
    height = r.lpz.z;
    return true;
}

void GeodesicInverse(const TGeoPoint &a, const TGeoPoint &b, double &distanceM,
                     double &bearingRad) {
    double azi1 = 0, azi2 = 0;
    GeographicLib::Geodesic::WGS84().Inverse(a.Lat * DegPerRad, a.Lon * DegPerRad,
                                             b.Lat * DegPerRad, b.Lon * DegPerRad, distanceM,
                                             azi1, azi2);
    bearingRad = std::fmod(azi1 + 360.0, 360.0) / DegPerRad;
}

double GeodesicDistance(const TGeoPoint &a, const TGeoPoint &b) {
    double s = 0;
    GeographicLib::Geodesic::WGS84().Inverse(a.Lat * DegPerRad, a.Lon * DegPerRad,
                                             b.Lat * DegPerRad, b.Lon * DegPerRad, s);
    return s;
}

TGeoPoint GeodesicDirect(const TGeoPoint &from, double bearingRad, double distanceM) {
    double lat = 0, lon = 0;
    GeographicLib::Geodesic::WGS84().Direct(from.Lat * DegPerRad, from.Lon * DegPerRad,
                                            bearingRad * DegPerRad, distanceM, lat, lon);
    return {lat / DegPerRad, lon / DegPerRad};
}

}  // namespace kv::geodesy
