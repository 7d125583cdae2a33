// Positions per second from WGS 84 to the Dutch RD grid and back: through the core
// library's exports (datum shift into the RD datum, then the grid), next to PROJ called
// directly on the same points in the same run (EPSG:4326 → EPSG:28992).
//
// The "max_diff_m" counter of the PROJ runs is
// the largest distance between PROJ's and our grid metres for the same points: the two
// paths may choose different datum transformations, and the counter says by how much.
#include <KvLibNav6/KvGeodesy.h>

#include <benchmark/benchmark.h>
#include <proj.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

constexpr double Rad = M_PI / 180.0;
constexpr size_t PointCount = 10000;

// Points spread over the grid's area in a fixed pattern (the same every run).
const std::vector<TGeoPoint> &Points() {
    static const std::vector<TGeoPoint> points = [] {
        std::vector<TGeoPoint> p;
        p.reserve(PointCount);
        uint64_t state = 0x9E3779B97F4A7C15ULL;
        auto next = [&state] {
            state ^= state << 13;
            state ^= state >> 7;
            state ^= state << 17;
            return double(state >> 11) / double(1ULL << 53);
        };
        for (size_t i = 0; i < PointCount; ++i)
            p.push_back({(50.8 + 2.7 * next()) * Rad, (3.4 + 3.7 * next()) * Rad});
        return p;
    }();
    return points;
}

struct TGlobals {
    IGeodeticDatum *Wgs84 = nullptr;
    IGeodeticDatum *RD = nullptr;
    TProjectionRef Grid;
    TGlobals() {
        IGeodeticProvider *provider = nullptr;
        IGeodeticObject *standard = nullptr;
        void *unused = nullptr;
        GeodeticsGetGlobals(provider, standard, Wgs84, RD, unused);
        GeodeticRefInitRD(Grid);
    }
};
const TGlobals &Globals() {
    static const TGlobals g;
    return g;
}

TDouble2 OursToRD(const TGeoPoint &wgs84) {
    const TGlobals &g = Globals();
    TGeoPoint p = wgs84;
    GeodeticDatumTransform(p, g.Wgs84, g.RD);
    TDouble2 rd;
    GeoToRD(rd, p, g.Grid);
    return rd;
}

TGeoPoint OursFromRD(const TDouble2 &rd) {
    const TGlobals &g = Globals();
    TGeoPoint p;
    RDToGeo(p, rd.X, rd.Y, g.Grid);
    GeodeticDatumTransform(p, g.RD, g.Wgs84);
    return p;
}

void BM_Ours_WGS84ToRD(benchmark::State &state) {
    const auto &points = Points();
    for (auto _ : state)
        for (const TGeoPoint &p : points) benchmark::DoNotOptimize(OursToRD(p));
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(points.size()));
}
BENCHMARK(BM_Ours_WGS84ToRD)->Unit(benchmark::kMillisecond);

// The same through the height-carrying shift (one Helmert step, height 0 in, dropped out):
// the surface-to-surface form of GeodeticDatumTransform should cost no more than this.
void BM_Ours_WGS84ToRD_Shift3(benchmark::State &state) {
    const TGlobals &g = Globals();
    const auto &points = Points();
    for (auto _ : state)
        for (const TGeoPoint &p : points) {
            TGeoPoint3 p3{p.Lat, p.Lon, 0.0};
            GeodeticDatumTransform3(p3, g.Wgs84, g.RD);
            TDouble2 rd;
            GeoToRD(rd, {p3.Lat, p3.Lon}, g.Grid);
            benchmark::DoNotOptimize(rd);
        }
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(points.size()));
}
BENCHMARK(BM_Ours_WGS84ToRD_Shift3)->Unit(benchmark::kMillisecond);

void BM_Ours_RoundTrip(benchmark::State &state) {
    const auto &points = Points();
    double worst = 0;
    for (auto _ : state)
        for (const TGeoPoint &p : points) {
            const TGeoPoint back = OursFromRD(OursToRD(p));
            worst = std::max(worst, std::hypot(back.Lat - p.Lat, back.Lon - p.Lon));
            benchmark::DoNotOptimize(back);
        }
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(points.size()));
    state.counters["max_roundtrip_err_m"] = worst * 6371000.0;
}
BENCHMARK(BM_Ours_RoundTrip)->Unit(benchmark::kMillisecond);

// Longitude and latitude in degrees, the axis order of the normalised operation.
PJ_COORD Coord(const TGeoPoint &p) {
    PJ_COORD c;
    c.v[0] = p.Lon / Rad;
    c.v[1] = p.Lat / Rad;
    c.v[2] = 0;
    c.v[3] = 0;
    return c;
}

// PROJ's own entry points.
struct TProj {
    decltype(&proj_context_create) ContextCreate = nullptr;
    decltype(&proj_context_destroy) ContextDestroy = nullptr;
    decltype(&proj_create_crs_to_crs) CrsToCrs = nullptr;
    decltype(&proj_normalize_for_visualization) Normalize = nullptr;
    decltype(&proj_destroy) Destroy = nullptr;
    decltype(&proj_trans) Trans = nullptr;
    decltype(&proj_trans_generic) TransGeneric = nullptr;
    PJ_CONTEXT *Context = nullptr;
    PJ *Operation = nullptr;  // longitude, latitude in degrees → easting, northing

    TProj() {
        ContextCreate = &proj_context_create;
        ContextDestroy = &proj_context_destroy;
        CrsToCrs = &proj_create_crs_to_crs;
        Normalize = &proj_normalize_for_visualization;
        Destroy = &proj_destroy;
        Trans = &proj_trans;
        TransGeneric = &proj_trans_generic;
        Context = ContextCreate();
        PJ *raw = CrsToCrs(Context, "EPSG:4326", "EPSG:28992", nullptr);
        if (!raw) return;
        Operation = Normalize(Context, raw);
        Destroy(raw);
    }
    bool Ok() const { return Operation != nullptr; }
};
TProj &Proj() {
    static TProj proj;  // kept for the run
    return proj;
}

double MaxDifferenceM() {
    TProj &proj = Proj();
    double worst = 0;
    for (const TGeoPoint &p : Points()) {
        PJ_COORD c = Coord(p);
        c = proj.Trans(proj.Operation, PJ_FWD, c);
        const TDouble2 ours = OursToRD(p);
        worst = std::max(worst, std::hypot(c.xy.x - ours.X, c.xy.y - ours.Y));
    }
    return worst;
}

void BM_PROJ_WGS84ToRD(benchmark::State &state) {
    TProj &proj = Proj();
    if (!proj.Ok()) {
        state.SkipWithError("PROJ or EPSG:4326 → EPSG:28992 not available");
        return;
    }
    const auto &points = Points();
    for (auto _ : state)
        for (const TGeoPoint &p : points) {
            PJ_COORD c = Coord(p);
            benchmark::DoNotOptimize(proj.Trans(proj.Operation, PJ_FWD, c));
        }
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(points.size()));
    state.counters["max_diff_m"] = MaxDifferenceM();
}
BENCHMARK(BM_PROJ_WGS84ToRD)->Unit(benchmark::kMillisecond);

void BM_PROJ_RoundTrip(benchmark::State &state) {
    TProj &proj = Proj();
    if (!proj.Ok()) {
        state.SkipWithError("PROJ or EPSG:4326 → EPSG:28992 not available");
        return;
    }
    const auto &points = Points();
    for (auto _ : state)
        for (const TGeoPoint &p : points) {
            PJ_COORD c = Coord(p);
            c = proj.Trans(proj.Operation, PJ_FWD, c);
            benchmark::DoNotOptimize(proj.Trans(proj.Operation, PJ_INV, c));
        }
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(points.size()));
}
BENCHMARK(BM_PROJ_RoundTrip)->Unit(benchmark::kMillisecond);

// The whole array in one call: the fastest PROJ offers.
void BM_PROJ_WGS84ToRD_Batch(benchmark::State &state) {
    TProj &proj = Proj();
    if (!proj.Ok()) {
        state.SkipWithError("PROJ or EPSG:4326 → EPSG:28992 not available");
        return;
    }
    const auto &points = Points();
    std::vector<double> x(points.size()), y(points.size());
    for (auto _ : state) {
        for (size_t i = 0; i < points.size(); ++i) {
            x[i] = points[i].Lon / Rad;
            y[i] = points[i].Lat / Rad;
        }
        proj.TransGeneric(proj.Operation, PJ_FWD, x.data(), sizeof(double), x.size(), y.data(),
                          sizeof(double), y.size(), nullptr, 0, 0, nullptr, 0, 0);
        benchmark::DoNotOptimize(x.data());
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(points.size()));
}
BENCHMARK(BM_PROJ_WGS84ToRD_Batch)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
