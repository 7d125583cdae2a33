// Inland waters: the harbour of Saltmere with its basins, the River Orle, the canals, the
// lake Dunmeer with its dredged channel, the lock chambers and the marina basins. Every
// section of the network runs inside this water, at its width and depth.
#include "DemoChart.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace demo {

namespace {

constexpr double BridgeDeckM = 14.0;  // along the waterway

// Distance along a line of the plane to the point of it nearest to p.
double Locate(const OGRLineString &line, OGRRawPoint p) {
    double best = std::numeric_limits<double>::infinity(), bestAlong = 0, along = 0;
    for (int i = 1; i < line.getNumPoints(); ++i) {
        const double ax = line.getX(i - 1), ay = line.getY(i - 1);
        const double dx = line.getX(i) - ax, dy = line.getY(i) - ay;
        const double len2 = dx * dx + dy * dy, len = std::sqrt(len2);
        const double t = len2 > 0 ? std::clamp(((p.x - ax) * dx + (p.y - ay) * dy) / len2, 0.0, 1.0) : 0.0;
        const double d = std::hypot(ax + dx * t - p.x, ay + dy * t - p.y);
        if (d < best) {
            best = d;
            bestAlong = along + t * len;
        }
        along += len;
    }
    return bestAlong;
}

OGRRawPoint Unit(OGRRawPoint v) {
    const double len = std::hypot(v.x, v.y);
    return len > 0 ? OGRRawPoint(v.x / len, v.y / len) : OGRRawPoint(1, 0);
}

}  // namespace

// The chord of the section across `span` metres around the structure: the axis of a lock
// chamber or bridge, from which the section strays by less than a metre.
OGRRawPoint StructureAxis(const TChartScene &scene, const TStructure &st, double span, OGRRawPoint &centre) {
    const TSection *s = scene.Net.FindSection(st.Section);
    auto line = scene.SectionLine(*s);
    centre = scene.Plane.ToXY(st.Pos);
    const double at = Locate(*line, centre);
    const OGRRawPoint a = PointAlong(*line, std::max(0.0, at - span / 2));
    const OGRRawPoint b = PointAlong(*line, std::min(line->get_Length(), at + span / 2));
    return Unit(OGRRawPoint(b.x - a.x, b.y - a.y));
}

namespace {

struct TPart {
    QString Name;      // the waterway's name
    int Kind = 1;
    double DepthM = 0;
    TGeometryPtr Area;
};

// A lock: the stretch of the waterway it takes becomes walls, with its chambers side by side
// in it; shorter chambers get an approach of their width so both ends meet open water.
void AddLock(TChartScene &scene, const TStructure &st, const TSection &s, OGRGeometry &cut, OGRGeometry &water,
             std::vector<TChartFeature> &later) {
    double zone = 0;
    for (const TItem &it : st.Items) zone = std::max(zone, it.Length);
    OGRRawPoint c;
    const OGRRawPoint d = StructureAxis(scene, st, zone, c), n(-d.y, d.x);
    auto walls = Rectangle(c, d, zone, s.WidthM + 60.0);
    TGeometryPtr added(cut.Union(walls.get()));
    cut = *added;
    // The first chamber on the section's line, the next ones beside it on the left.
    double offset = 0;
    for (size_t i = 0; i < st.Items.size(); ++i) {
        const TItem &it = st.Items[i];
        if (i > 0) offset += st.Items[i - 1].Width / 2 + 8.0 + it.Width / 2;
        const OGRRawPoint cc(c.x + n.x * offset, c.y + n.y * offset);
        auto chamber = Rectangle(cc, d, it.Length, it.Width);
        auto approach = Rectangle(cc, d, zone + 2.0, it.Width);
        TGeometryPtr w(water.Union(approach.get()));
        water = *w;
        // The lock's name on the chamber its position is in; one label is enough.
        TChartFeature f{"LOKBSN", scene.Plane.ToDegrees(*chamber), {}};
        if (i == 0) f.Set("OBJNAM", st.Name);

        later.push_back(std::move(f));
        for (double end : {-1.0, 1.0}) {
            const OGRRawPoint g(cc.x + d.x * end * it.Length / 2, cc.y + d.y * end * it.Length / 2);
            OGRLineString gate;
            gate.addPoint(g.x - n.x * it.Width / 2, g.y - n.y * it.Width / 2);
            gate.addPoint(g.x + n.x * it.Width / 2, g.y + n.y * it.Width / 2);
            TChartFeature gf{"GATCON", scene.Plane.ToDegrees(gate), {}};
            gf.Set("OBJNAM", st.Name).Set("CATGAT", 4);
            later.push_back(std::move(gf));
        }
    }
    // The demo lock's control house on the wall beside the chamber carries the lock's
    // documents (a lock basin may not carry a picture).
    if (st.Name == QLatin1String(DemoAttachedLock)) {
        const double side = s.WidthM / 2 + 15.0;
        scene.AddPoint("BUISGL", OGRRawPoint(c.x - n.x * side, c.y - n.y * side))
            .Set("OBJNAM", st.Name)
            .Set("TXTDSC", QString::fromLatin1(DemoAttachedText))
            .Set("NTXTDS", QString::fromLatin1(DemoAttachedRecord))
            .Set("PICREP", QString::fromLatin1(DemoAttachedPicture));
    }
}

// An opening bridge over a canal or harbour narrows the water to its passage.
void AddBridgeNarrows(TChartScene &scene, const TStructure &st, const TSection &s, OGRGeometry &cut,
                      OGRGeometry &water) {
    const TItem &it = st.Items.front();
    OGRRawPoint c;
    const OGRRawPoint d = StructureAxis(scene, st, 40.0, c);
    auto abutments = Rectangle(c, d, BridgeDeckM, s.WidthM + 60.0);
    TGeometryPtr added(cut.Union(abutments.get()));
    cut = *added;
    auto passage = Rectangle(c, d, BridgeDeckM + 2.0, it.PassageWidth > 0 ? it.PassageWidth : it.Width);
    TGeometryPtr w(water.Union(passage.get()));
    water = *w;
}

// The basins of Saltmere harbour along its channel: the outer harbour between the pier
// roots and the harbour bridge; beyond it the town harbour, narrowing towards the sea lock,
// with a dock to the north and a fishing harbour to the south.
TGeometryPtr HarbourBasins(const TChartScene &scene) {
    const OGRLineString &line = *scene.HarbourLine;
    const TStructure *bridge = scene.Net.FindStructureByName(QStringLiteral("Harbour Bridge"));
    const TStructure *lock = scene.Net.FindStructureByName(QStringLiteral("Saltmere Sea Lock"));
    const double bridgeAt = Locate(line, scene.Plane.ToXY(bridge->Pos));
    const double lockAt = Locate(line, scene.Plane.ToXY(lock->Pos));
    // A basin along the channel from one distance to another, its width changing linearly.
    auto basin = [&](double from, double to, double widthFrom, double widthTo) {
        std::vector<OGRRawPoint> left, right;
        for (double s = from;; s = std::min(to, s + 20.0)) {
            OGRRawPoint d;
            const OGRRawPoint p = PointAlong(line, s, &d);
            const double half = (widthFrom + (widthTo - widthFrom) * (s - from) / (to - from)) / 2;
            left.emplace_back(p.x - d.y * half, p.y + d.x * half);
            right.emplace_back(p.x + d.y * half, p.y - d.x * half);
            if (s >= to) break;
        }
        left.insert(left.end(), right.rbegin(), right.rend());
        return TGeometryPtr(Ring(left)->Buffer(0.0));
    };
    const double town = bridgeAt + 40.0, narrows = lockAt - 120.0;
    TGeometryPtr all = basin(scene.CoastAlongM - 80.0, bridgeAt - 40.0, 230.0, 200.0);
    all = Union(*all, *basin(town, town + 650.0, 260.0, 260.0));
    all = Union(*all, *basin(town + 650.0, narrows, 260.0, 90.0));
    // Docks off the town harbour, angled away from the sea.
    for (double side : {1.0, -1.0}) {
        OGRRawPoint d;
        const double s = town + (side > 0 ? 220.0 : 460.0);
        const OGRRawPoint p = PointAlong(line, s, &d);
        const double a = std::atan2(d.y, d.x) + side * 1.05;
        const OGRRawPoint dir(std::cos(a), std::sin(a));
        const double length = side > 0 ? 520.0 : 380.0;
        all = Union(*all, *Rectangle(OGRRawPoint(p.x + dir.x * length / 2, p.y + dir.y * length / 2), dir, length,
                                     side > 0 ? 130.0 : 110.0));
    }
    return all;
}

// A marina basin around the end of its channel, with finger pontoons.
TGeometryPtr MarinaBasin(TChartScene &scene, const TMarina &m, double length, double width,
                         std::vector<TChartFeature> &later) {
    const TSection *s = scene.Net.FindSection(m.Section);
    auto line = scene.SectionLine(*s);
    OGRRawPoint d;
    const OGRRawPoint end = PointAlong(*line, line->get_Length(), &d), n(-d.y, d.x);
    const double entry = 60.0;  // from the basin's mouth to the end of the channel
    const OGRRawPoint c(end.x + d.x * (length / 2 - entry), end.y + d.y * (length / 2 - entry));
    auto basin = Rectangle(c, d, length, width);
    for (double u = 30.0; u < length - entry - 20.0; u += 36.0) {
        const OGRRawPoint root(end.x + d.x * u + n.x * width / 2, end.y + d.y * u + n.y * width / 2);
        OGRLineString pontoon;
        pontoon.addPoint(root.x, root.y);
        pontoon.addPoint(root.x - n.x * width * 0.62, root.y - n.y * width * 0.62);
        TChartFeature f{"PONTON", scene.Plane.ToDegrees(pontoon), {}};
        later.push_back(std::move(f));
    }
    return TGeometryPtr(basin.release());
}

// The lake: a rounded shore around its crossing, shallow at the shore and some 3.5 m deep
// in the middle; its dredged channel follows the crossing.
struct TLakeModel {
    OGRRawPoint Centre;
    double Rx = 0, Ry = 0, Rotation = 0;
    double Shore(double angle) const {
        return 1 + 0.09 * (0.7 * Noise2(2.2 * std::cos(angle), 2.2 * std::sin(angle), 31) +
                           0.3 * Noise2(6 * std::cos(angle), 6 * std::sin(angle), 32));
    }
    // Fraction of the way from the middle to the shore (1 on the shore).
    double Reach(double x, double y) const {
        const double dx = x - Centre.x, dy = y - Centre.y;
        const double u = (dx * std::cos(Rotation) + dy * std::sin(Rotation)) / Rx;
        const double v = (-dx * std::sin(Rotation) + dy * std::cos(Rotation)) / Ry;
        return std::hypot(u, v) / Shore(std::atan2(v, u));
    }
    double Depth(double x, double y) const {
        const double r = Reach(x, y);
        return 3.6 * (1 - std::pow(std::min(r, 1.6), 2.2)) + 0.25 * Noise2(x / 700.0, y / 700.0, 33);
    }
    std::unique_ptr<OGRPolygon> Outline() const {
        std::vector<OGRRawPoint> points;
        for (int i = 0; i < 160; ++i) {
            const double a = 2 * M_PI * i / 160, r = Shore(a);
            const double u = Rx * r * std::cos(a), v = Ry * r * std::sin(a);
            points.emplace_back(Centre.x + u * std::cos(Rotation) - v * std::sin(Rotation),
                                Centre.y + u * std::sin(Rotation) + v * std::cos(Rotation));
        }
        return Ring(points);
    }
};

TLakeModel LakeModel(const TChartScene &scene) {
    const auto [a, b] = scene.EndsOf(QStringLiteral("Dunmeer"));
    TLakeModel m;
    m.Centre = OGRRawPoint((a.x + b.x) / 2, (a.y + b.y) / 2);
    m.Rx = std::hypot(b.x - a.x, b.y - a.y) / 2 + 650.0;
    m.Ry = 1350.0;
    m.Rotation = std::atan2(b.y - a.y, b.x - a.x);
    return m;
}

void AddDepthArea(TChartScene &scene, const OGRGeometry &area, double from, double to) {
    for (auto &piece : Polygons(area, 20.0)) scene.Add("DEPARE", *piece).Set("DRVAL1", from).Set("DRVAL2", to);
}

}  // namespace

namespace {

// Every section's water at its width, by waterway part in the network's order, and the
// river on above the last junction (narrower, for small boats only) to the area's edge.
struct TParts {
    std::map<QString, TPart> ByKey;
    std::vector<QString> Order;
    void Add(const QString &key, TPart part) {
        auto it = ByKey.find(key);
        if (it != ByKey.end()) {
            it->second.Area = Union(*it->second.Area, *part.Area);
            return;
        }
        Order.push_back(key);
        ByKey[key] = std::move(part);
    }
};

TParts SectionWaters(const TChartScene &scene) {
    TParts parts;
    const TSection *river = nullptr;
    for (const TSection &s : scene.Net.Sections) {
        if (s.Name == QLatin1String("River Orle")) river = &s;
        if (!(s.WidthM > 0)) continue;
        TGeometryPtr buffer(scene.SectionLine(s)->Buffer(s.WidthM / 2, 8));
        parts.Add(s.FairwayPart.isEmpty() ? s.Name : s.FairwayPart, TPart{s.Name, s.Kind, s.DepthM, std::move(buffer)});
    }
    const TLonLat r4 = river->Line.back();
    std::vector<TLonLat> upstream{r4};
    for (int i = 1; i <= 24; ++i) {
        const double t = i / 24.0;
        upstream.push_back({r4.Lon + t * (DemoArea().East + 0.01 - r4.Lon),
                            r4.Lat + 0.006 * std::sin(t * 5.0) + 0.004 * Noise1(t * 9, 41)});
    }
    TGeometryPtr buffer(scene.Plane.Line(upstream)->Buffer(17.0, 8));
    parts.Add(QStringLiteral("River Orle upstream"), TPart{river->Name, 2, 1.2, std::move(buffer)});
    return parts;
}

// The lake's depth areas, contours and soundings; it is dredged wherever a section crosses
// it (its crossing and the ends of the canals). Returns the lake and its channel.
TGeometryPtr ChartLake(TChartScene &scene, const TLakeModel &lake) {
    TGeometryPtr channel(new OGRPolygon);
    for (const TSection &s : scene.Net.Sections) {
        auto line = scene.SectionLine(s);
        if (line->Intersects(scene.Lake.get())) channel = Union(*channel, *TGeometryPtr(line->Buffer(25.0, 8)));
    }
    channel = Intersection(*channel, *scene.Lake);
    for (auto &piece : Polygons(*channel, 20.0))
        scene.Add("DRGARE", *piece).Set("DRVAL1", 2.5).Set("DRVAL2", 3.0).Set("OBJNAM", "Dunmeer Channel");
    std::vector<TDepthBand> bands;
    std::vector<TContour> contours;
    TGeometryPtr open = Difference(*scene.Lake, *channel);
    ContourSeabed([&](double x, double y) { return lake.Depth(x, y); }, *open, 30.0, {1.0, 2.0, 3.0}, 0.0, 4.0,
                  bands, contours);
    for (const TDepthBand &b : bands) AddDepthArea(scene, *b.Area, b.Min, b.Max);
    for (const TContour &c : contours)
        for (auto &l : Lines(*c.Line, 30.0)) scene.Add("DEPCNT", *l).Set("VALDCO", c.Depth);
    scene.Add("LAKARE", *scene.Lake).Set("OBJNAM", "Dunmeer");
    auto soundings = std::make_unique<OGRMultiPoint>();
    for (const OGRRawPoint &p : Scatter(*Difference(*open, *TGeometryPtr(channel->Buffer(60.0))), 420.0, 34)) {
        const double d = std::round(lake.Depth(p.x, p.y) * 10.0) / 10.0;
        if (d > 0.2 && lake.Reach(p.x, p.y) < 0.93) soundings->addGeometryDirectly(new OGRPoint(p.x, p.y, d));
    }
    scene.Features.push_back(TChartFeature{"SOUNDG", scene.Plane.ToDegrees(*soundings), {}});
    return Union(*scene.Lake, *channel);
}

}  // namespace

void BuildWaters(TChartScene &scene) {
    const TNetwork &net = scene.Net;
    std::vector<TChartFeature> later;
    TParts parts = SectionWaters(scene);
    const QString harbourKey = QStringLiteral("Saltmere Harbour Channel/Saltmere Harbour");
    parts.Add(harbourKey, TPart{QString(), 5, 0.0, HarbourBasins(scene)});
    for (const TMarina &m : net.Marinas) {
        const bool big = m.Name.contains(QLatin1String("Yacht Haven"));
        TGeometryPtr basin = MarinaBasin(scene, m, big ? 300.0 : 220.0, big ? 180.0 : 140.0, later);
        parts.Add(QStringLiteral("marina:%1").arg(m.Name), TPart{m.Name, 5, big ? 3.0 : 2.6, std::move(basin)});
    }
    const TLakeModel lake = LakeModel(scene);
    scene.Lake.reset(lake.Outline().release());
    TGeometryPtr water(scene.Lake->clone());
    for (const QString &key : parts.Order) water = Union(*water, *parts.ByKey[key].Area);

    // Locks and opening bridges over canals take their stretch of the water and give back
    // their chambers and passages.
    TGeometryPtr cut(new OGRPolygon), openings(new OGRPolygon);
    for (const TStructure &st : net.Structures) {
        const TSection *s = net.FindSection(st.Section);
        if (st.Kind == 3) AddLock(scene, st, *s, *cut, *openings, later);
        else if (st.Kind == 1 && !st.Items.empty() && st.Items.front().BridgeType != 14 && s->Kind != 2)
            AddBridgeNarrows(scene, st, *s, *cut, *openings);
    }
    water = Union(*Difference(*water, *cut), *openings);
    scene.InlandWater =
        Intersection(*Difference(*Difference(*water, *scene.Sea), *scene.Structures), *scene.Plane.Box());
    TGeometryPtr covered = ChartLake(scene, lake);

    // Depth areas and named water bodies of each waterway part, outside what is charted.
    for (const QString &key : parts.Order) {
        const TPart &p = parts.ByKey[key];
        TGeometryPtr area = Intersection(*p.Area, *scene.InlandWater);
        TGeometryPtr fresh = Difference(*area, *covered);
        AddDepthArea(scene, *fresh, p.DepthM, p.DepthM + (p.Kind == 2 ? 1.0 : 0.5));
        covered = Union(*covered, *fresh);
        if (key.startsWith(QLatin1String("marina:"))) continue;  // named by its harbour facility
        const bool harbour = key == harbourKey;
        const char *cls = p.Kind == 2 ? "RIVERS" : harbour ? "DOCARE" : "CANALS";
        const QString name = harbour ? QStringLiteral("Saltmere Harbour") : p.Name;
        for (auto &piece : Polygons(*area, 100.0)) scene.Add(cls, *piece).Set("OBJNAM", name);
    }
    for (auto &f : later) scene.Features.push_back(std::move(f));
}

}  // namespace demo
