// The plane, noise and geometry helpers of the demo charts, and the contouring of a seabed
// through GDAL's contour generator.
#include "DemoChart.h"
#include "DemoGdal.h"

#include <gdal_alg.h>
#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <cmath>

namespace demo {

TPlane::TPlane(const TArea &area) : FArea(area) {
    FLon0 = (area.West + area.East) / 2;
    FLat0 = (area.South + area.North) / 2;
    // Lengths of a degree on WGS 84 at the centre latitude.
    const double a = 6378137.0, e2 = 0.00669437999014;
    const double phi = FLat0 * M_PI / 180.0, s = std::sin(phi);
    const double w = std::sqrt(1 - e2 * s * s);
    FMetresPerDegLon = M_PI / 180.0 * a * std::cos(phi) / w;
    FMetresPerDegLat = M_PI / 180.0 * a * (1 - e2) / (w * w * w);
}

OGRRawPoint TPlane::ToXY(const TLonLat &p) const {
    return OGRRawPoint((p.Lon - FLon0) * FMetresPerDegLon, (p.Lat - FLat0) * FMetresPerDegLat);
}

TLonLat TPlane::ToLonLat(double x, double y) const {
    return {FLon0 + x / FMetresPerDegLon, FLat0 + y / FMetresPerDegLat};
}

std::unique_ptr<OGRLineString> TPlane::Line(const std::vector<TLonLat> &points) const {
    auto line = std::make_unique<OGRLineString>();
    for (const TLonLat &p : points) {
        const OGRRawPoint xy = ToXY(p);
        line->addPoint(xy.x, xy.y);
    }
    return line;
}

namespace {

void ToDegreesInPlace(const TPlane &plane, OGRGeometry *g) {
    switch (wkbFlatten(g->getGeometryType())) {
    case wkbPoint: {
        auto *p = g->toPoint();
        const TLonLat ll = plane.ToLonLat(p->getX(), p->getY());
        p->setX(ll.Lon);
        p->setY(ll.Lat);
        break;
    }
    case wkbLineString:
    case wkbLinearRing: {
        auto *l = g->toSimpleCurve();
        for (int i = 0; i < l->getNumPoints(); ++i) {
            const TLonLat ll = plane.ToLonLat(l->getX(i), l->getY(i));
            if (l->getCoordinateDimension() == 3) l->setPoint(i, ll.Lon, ll.Lat, l->getZ(i));
            else l->setPoint(i, ll.Lon, ll.Lat);
        }
        break;
    }
    case wkbPolygon: {
        auto *poly = g->toPolygon();
        for (auto *ring : *poly) ToDegreesInPlace(plane, ring);
        break;
    }
    case wkbMultiPoint:
    case wkbMultiLineString:
    case wkbMultiPolygon:
    case wkbGeometryCollection: {
        auto *c = g->toGeometryCollection();
        for (int i = 0; i < c->getNumGeometries(); ++i) ToDegreesInPlace(plane, c->getGeometryRef(i));
        break;
    }
    default:
        break;
    }
}

uint32_t Hash(int64_t i, int64_t j, uint32_t seed) {
    uint64_t h = uint64_t(i) * 0x9E3779B97F4A7C15ull ^ uint64_t(j) * 0xC2B2AE3D27D4EB4Full ^ seed * 0x165667B19E3779F9ull;
    h ^= h >> 31;
    h *= 0xBF58476D1CE4E5B9ull;
    h ^= h >> 29;
    return uint32_t(h >> 32);
}

double Lattice(int64_t i, int64_t j, uint32_t seed) { return Hash(i, j, seed) / 2147483648.0 - 1.0; }

double Smooth(double t) { return t * t * (3 - 2 * t); }

}  // namespace

TGeometryPtr TPlane::ToDegrees(const OGRGeometry &g) const {
    TGeometryPtr copy(g.clone());
    ToDegreesInPlace(*this, copy.get());
    return copy;
}

std::unique_ptr<OGRPolygon> TPlane::Box(double marginM) const {
    const OGRRawPoint sw = ToXY({FArea.West, FArea.South}), ne = ToXY({FArea.East, FArea.North});
    return Ring({{sw.x - marginM, sw.y - marginM}, {ne.x + marginM, sw.y - marginM},
                 {ne.x + marginM, ne.y + marginM}, {sw.x - marginM, ne.y + marginM}});
}

double Noise1(double x, uint32_t seed) {
    const double f = std::floor(x);
    const int64_t i = int64_t(f);
    return Lattice(i, 0, seed) + (Lattice(i + 1, 0, seed) - Lattice(i, 0, seed)) * Smooth(x - f);
}

double Noise2(double x, double y, uint32_t seed) {
    const double fx = std::floor(x), fy = std::floor(y);
    const int64_t i = int64_t(fx), j = int64_t(fy);
    const double tx = Smooth(x - fx), ty = Smooth(y - fy);
    const double a = Lattice(i, j, seed) + (Lattice(i + 1, j, seed) - Lattice(i, j, seed)) * tx;
    const double b = Lattice(i, j + 1, seed) + (Lattice(i + 1, j + 1, seed) - Lattice(i, j + 1, seed)) * tx;
    return a + (b - a) * ty;
}

std::unique_ptr<OGRPolygon> Ring(const std::vector<OGRRawPoint> &points) {
    auto ring = std::make_unique<OGRLinearRing>();
    for (const auto &p : points) ring->addPoint(p.x, p.y);
    ring->closeRings();
    auto poly = std::make_unique<OGRPolygon>();
    poly->addRingDirectly(ring.release());
    return poly;
}

std::unique_ptr<OGRPolygon> Rectangle(OGRRawPoint c, OGRRawPoint dir, double length, double width) {
    const OGRRawPoint n(-dir.y, dir.x);
    const double l = length / 2, w = width / 2;
    auto at = [&](double a, double b) { return OGRRawPoint(c.x + dir.x * a + n.x * b, c.y + dir.y * a + n.y * b); };
    return Ring({at(-l, -w), at(l, -w), at(l, w), at(-l, w)});
}

std::unique_ptr<OGRPolygon> Blob(OGRRawPoint c, double rx, double ry, double rotation, double roughness,
                                 uint32_t seed) {
    std::vector<OGRRawPoint> points;
    constexpr int n = 96;
    for (int i = 0; i < n; ++i) {
        const double a = 2 * M_PI * i / n;
        // Noise around a circle of the noise plane, so the outline closes smoothly.
        const double r = 1 + roughness * (0.7 * Noise2(2.2 * std::cos(a), 2.2 * std::sin(a), seed) +
                                          0.3 * Noise2(6 * std::cos(a), 6 * std::sin(a), seed + 1));
        const double x = rx * r * std::cos(a), y = ry * r * std::sin(a);
        points.emplace_back(c.x + x * std::cos(rotation) - y * std::sin(rotation),
                            c.y + x * std::sin(rotation) + y * std::cos(rotation));
    }
    return Ring(points);
}

namespace {

// GEOS refuses operands that touch themselves (a basin offset round a bend can); such an
// operand is made valid and the operation tried again.
template <class Op>
TGeometryPtr Overlay(const OGRGeometry &a, const OGRGeometry &b, Op op) {
    if (TGeometryPtr r{op(a, b)}) return r;
    TGeometryPtr va(a.MakeValid()), vb(b.MakeValid());
    if (va && vb)
        if (TGeometryPtr r{op(*va, *vb)}) return r;
    return TGeometryPtr(new OGRGeometryCollection);
}

}  // namespace

TGeometryPtr Union(const OGRGeometry &a, const OGRGeometry &b) {
    return Overlay(a, b, [](const OGRGeometry &x, const OGRGeometry &y) { return x.Union(&y); });
}
TGeometryPtr Difference(const OGRGeometry &a, const OGRGeometry &b) {
    return Overlay(a, b, [](const OGRGeometry &x, const OGRGeometry &y) { return x.Difference(&y); });
}
TGeometryPtr Intersection(const OGRGeometry &a, const OGRGeometry &b) {
    return Overlay(a, b, [](const OGRGeometry &x, const OGRGeometry &y) { return x.Intersection(&y); });
}

std::vector<std::unique_ptr<OGRPolygon>> Polygons(const OGRGeometry &g, double minAreaM2) {
    std::vector<std::unique_ptr<OGRPolygon>> out;
    const auto type = wkbFlatten(g.getGeometryType());
    if (type == wkbPolygon) {
        if (g.toPolygon()->get_Area() >= minAreaM2) out.emplace_back(g.toPolygon()->clone());
    } else if (type == wkbMultiPolygon || type == wkbGeometryCollection) {
        const auto *c = g.toGeometryCollection();
        for (int i = 0; i < c->getNumGeometries(); ++i)
            for (auto &p : Polygons(*c->getGeometryRef(i), minAreaM2)) out.push_back(std::move(p));
    }
    return out;
}

std::vector<std::unique_ptr<OGRLineString>> Lines(const OGRGeometry &g, double minLengthM) {
    std::vector<std::unique_ptr<OGRLineString>> out;
    const auto type = wkbFlatten(g.getGeometryType());
    if (type == wkbLineString) {
        if (g.toLineString()->get_Length() >= minLengthM) out.emplace_back(g.toLineString()->clone());
    } else if (type == wkbMultiLineString || type == wkbGeometryCollection) {
        const auto *c = g.toGeometryCollection();
        for (int i = 0; i < c->getNumGeometries(); ++i)
            for (auto &l : Lines(*c->getGeometryRef(i), minLengthM)) out.push_back(std::move(l));
    }
    return out;
}

std::vector<OGRRawPoint> Scatter(const OGRGeometry &region, double spacing, uint32_t seed) {
    OGREnvelope env;
    region.getEnvelope(&env);
    const int nx = int((env.MaxX - env.MinX) / spacing) + 1, ny = int((env.MaxY - env.MinY) / spacing) + 1;
    // Accepted points by grid cell of `spacing`: a neighbour can only be in the 3 x 3 cells around.
    std::vector<std::vector<OGRRawPoint>> cells(size_t(nx) * size_t(ny));
    std::vector<OGRRawPoint> out;
    const int tries = 6 * nx * ny;
    for (int k = 0; k < tries; ++k) {
        const double x = env.MinX + (env.MaxX - env.MinX) * (Hash(k, 1, seed) / 4294967296.0);
        const double y = env.MinY + (env.MaxY - env.MinY) * (Hash(k, 2, seed) / 4294967296.0);
        const int cx = std::min(nx - 1, int((x - env.MinX) / spacing)), cy = std::min(ny - 1, int((y - env.MinY) / spacing));
        bool free = true;
        for (int j = std::max(0, cy - 1); free && j <= std::min(ny - 1, cy + 1); ++j)
            for (int i = std::max(0, cx - 1); free && i <= std::min(nx - 1, cx + 1); ++i)
                for (const OGRRawPoint &q : cells[size_t(j) * nx + i])
                    if (std::hypot(q.x - x, q.y - y) < spacing) free = false;
        if (!free) continue;
        OGRPoint p(x, y);
        if (!region.Contains(&p)) continue;
        cells[size_t(cy) * nx + cx].emplace_back(x, y);
        out.emplace_back(x, y);
    }
    return out;
}

OGRRawPoint PointAlong(const OGRLineString &line, double distance, OGRRawPoint *direction) {
    const int n = line.getNumPoints();
    double left = std::max(0.0, distance);
    for (int i = 1; i < n; ++i) {
        const double dx = line.getX(i) - line.getX(i - 1), dy = line.getY(i) - line.getY(i - 1);
        const double len = std::hypot(dx, dy);
        if ((left <= len || i == n - 1) && len > 0) {
            const double t = std::min(1.0, left / len);
            if (direction) *direction = OGRRawPoint(dx / len, dy / len);
            return OGRRawPoint(line.getX(i - 1) + dx * t, line.getY(i - 1) + dy * t);
        }
        left -= len;
    }
    if (direction) *direction = OGRRawPoint(1, 0);
    return n > 0 ? OGRRawPoint(line.getX(n - 1), line.getY(n - 1)) : OGRRawPoint();
}

void ContourSeabed(const std::function<double(double, double)> &depth, const OGRGeometry &region,
                   double cellM, const std::vector<double> &levels, double shallowest, double deepest,
                   std::vector<TDepthBand> &bands, std::vector<TContour> &contours) {
    EnsureGdal();
    OGREnvelope env;
    region.getEnvelope(&env);
    const double x0 = env.MinX - 2 * cellM, y1 = env.MaxY + 2 * cellM;
    const int nx = int(std::ceil((env.MaxX - env.MinX) / cellM)) + 4;
    const int ny = int(std::ceil((env.MaxY - env.MinY) / cellM)) + 4;
    GDALDriver *mem = GetGDALDriverManager()->GetDriverByName("MEM");
    GDALDatasetUniquePtr raster(mem->Create("", nx, ny, 1, GDT_Float64, nullptr));
    double gt[6] = {x0, cellM, 0, y1, 0, -cellM};
    raster->SetGeoTransform(gt);
    std::vector<double> values(size_t(nx) * size_t(ny));
    for (int j = 0; j < ny; ++j)
        for (int i = 0; i < nx; ++i)
            values[size_t(j) * nx + i] = depth(x0 + (i + 0.5) * cellM, y1 - (j + 0.5) * cellM);
    GDALRasterBand *band = raster->GetRasterBand(1);
    if (band->RasterIO(GF_Write, 0, 0, nx, ny, values.data(), nx, ny, GDT_Float64, 0, 0) != CE_None) return;

    // Levels far beyond the seabed close the shallowest and deepest bands.
    QByteArray fixed = "FIXED_LEVELS=-10000";
    for (double l : levels) fixed += "," + QByteArray::number(l, 'g', 10);
    fixed += ",10000";
    GDALDriver *memVector = GetGDALDriverManager()->GetDriverByName("Memory");
    GDALDatasetUniquePtr out(memVector->Create("", 0, 0, 0, GDT_Unknown, nullptr));
    auto run = [&](bool polygons) -> OGRLayer * {
        OGRLayer *layer = out->CreateLayer(polygons ? "bands" : "lines", nullptr,
                                           polygons ? wkbMultiPolygon : wkbLineString, nullptr);
        OGRFieldDefn id("ID", OFTInteger), lo("LO", OFTReal), hi("HI", OFTReal);
        layer->CreateField(&id);
        layer->CreateField(&lo);
        layer->CreateField(&hi);
        const char *const options[] = {fixed.constData(), "ID_FIELD=0",
                                       polygons ? "ELEV_FIELD_MIN=1" : "ELEV_FIELD=1",
                                       polygons ? "ELEV_FIELD_MAX=2" : nullptr,
                                       polygons ? "POLYGONIZE=YES" : nullptr, nullptr};
        if (GDALContourGenerateEx(band, layer, const_cast<char **>(options), nullptr, nullptr) != CE_None)
            return nullptr;
        return layer;
    };
    if (OGRLayer *layer = run(true)) {
        layer->ResetReading();
        while (OGRFeatureUniquePtr f{layer->GetNextFeature()}) {
            if (!f->GetGeometryRef()) continue;
            // The band below its upper level; the generator leaves the lower level of the
            // shallowest band unset.
            const double upper = f->GetFieldAsDouble(2);
            TDepthBand b;
            b.Min = shallowest;
            b.Max = std::min(upper, deepest);
            for (double l : levels)
                if (l < upper) b.Min = l;
            b.Area = Intersection(*f->GetGeometryRef(), region);
            if (b.Area && !b.Area->IsEmpty()) bands.push_back(std::move(b));
        }
    }
    if (OGRLayer *layer = run(false)) {
        layer->ResetReading();
        while (OGRFeatureUniquePtr f{layer->GetNextFeature()}) {
            if (!f->GetGeometryRef()) continue;
            TContour c;
            c.Depth = f->GetFieldAsDouble(1);
            c.Line = Intersection(*f->GetGeometryRef(), region);
            if (c.Line && !c.Line->IsEmpty()) contours.push_back(std::move(c));
        }
    }
}

}  // namespace demo
