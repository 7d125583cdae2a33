// The land of Velmerland: what is neither sea nor inland water, its coastline and banks,
// the towns and villages the structures are named after, and the regions between them.
#include "DemoChart.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace demo {

namespace {

struct TTown {
    const char *Name;
    double RadiusM;
    const char *Heart;  // the structure the town grew around; none: amid its structures
};
const TTown Towns[] = {{"Saltmere", 1500.0, "Harbour Bridge"}, {"Orlebury", 950.0, nullptr},
                       {"Kesselham", 650.0, nullptr},          {"Dunmeer", 600.0, nullptr},
                       {"Millbrook", 420.0, nullptr},          {"Ashgate", 380.0, nullptr},
                       {"Brisk", 420.0, nullptr},              {"Tollmere", 360.0, nullptr},
                       {"Vornholt", 380.0, nullptr}};

struct TRegion {
    const char *Class;
    const char *Name;
    TLonLat Centre;
    double Rx, Ry, Rotation;
};
const TRegion Regions[] = {
    {"LNDRGN", "Velmer Dunes", {4.466, 53.030}, 5200.0, 650.0, 1.30},
    {"LNDRGN", "Orle Polder", {4.600, 52.962}, 3200.0, 1500.0, 0.10},
    {"LNDRGN", "Kessel Heath", {4.640, 53.040}, 2600.0, 1300.0, 0.0},
    {"LNDRGN", "Brisk Fen", {4.700, 52.900}, 2400.0, 1200.0, -0.2},
    {"LNDRGN", "Saltmere Marshes", {4.520, 52.830}, 3000.0, 1500.0, 0.3},
};

}  // namespace

void BuildLand(TChartScene &scene) {
    const TPlane &plane = scene.Plane;
    TGeometryPtr water = Union(*scene.Sea, *scene.InlandWater);
    TGeometryPtr land = Difference(*plane.Box(), *water);
    for (auto &piece : Polygons(*land, 500.0)) scene.Add("LNDARE", *piece);

    // Coastline and banks: the land's outline, less the area's edges.
    TGeometryPtr outline(land->Boundary());
    TGeometryPtr inside = Intersection(*outline, *plane.Box(-2.0));
    for (auto &l : Lines(*inside, 20.0)) scene.Add("COALNE", *l);

    // Built-up areas around the places the structures name, never over water.
    std::map<QString, std::pair<OGRRawPoint, int>> places;
    auto note = [&](const QString &place, const TLonLat &pos) {
        if (place.isEmpty()) return;
        auto &[sum, n] = places[place];
        const OGRRawPoint p = plane.ToXY(pos);
        sum.x += p.x;
        sum.y += p.y;
        ++n;
    };
    for (const TStructure &st : scene.Net.Structures) note(st.Place, st.Pos);
    for (const TMarina &m : scene.Net.Marinas) note(m.Place, m.Pos);
    uint32_t seed = 50;
    for (const TTown &t : Towns) {
        auto it = places.find(QString::fromLatin1(t.Name));
        if (it == places.end()) continue;
        OGRRawPoint c(it->second.first.x / it->second.second, it->second.first.y / it->second.second);
        if (t.Heart) c = plane.ToXY(scene.Net.FindStructureByName(QString::fromLatin1(t.Heart))->Pos);
        auto blob = Blob(c, t.RadiusM * 1.15, t.RadiusM * 0.9, 0.4 * Noise1(seed, 51), 0.22, seed);
        ++seed;
        TGeometryPtr town = Difference(*blob, *water);
        auto pieces = Polygons(*town, 5000.0);
        std::sort(pieces.begin(), pieces.end(),
                  [](const auto &a, const auto &b) { return a->get_Area() > b->get_Area(); });
        for (size_t i = 0; i < pieces.size(); ++i) {
            TChartFeature &f = scene.Add("BUAARE", *pieces[i]);
            if (i == 0) f.Set("OBJNAM", t.Name);  // one name per town
        }
    }

    for (const TRegion &r : Regions) {
        auto blob = Blob(plane.ToXY(r.Centre), r.Rx, r.Ry, r.Rotation, 0.08, seed++);
        TGeometryPtr region = Intersection(*blob, *land);
        auto pieces = Polygons(*region, 10000.0);
        if (pieces.empty()) continue;
        std::sort(pieces.begin(), pieces.end(),
                  [](const auto &a, const auto &b) { return a->get_Area() > b->get_Area(); });
        scene.Add(r.Class, *pieces.front()).Set("OBJNAM", r.Name);
    }

    // Meres among the fields, apart from the navigable water.
    TGeometryPtr keepClear(scene.InlandWater->Buffer(60.0, 4));
    keepClear = Union(*keepClear, *TGeometryPtr(scene.Sea->Buffer(1500.0, 4)));
    const TRegion meres[] = {{"LAKARE", "Ashmere", {4.585, 53.020}, 520.0, 300.0, 0.6},
                             {"LAKARE", "", {4.675, 52.870}, 260.0, 170.0, -0.3},
                             {"LAKARE", "", {4.540, 52.860}, 220.0, 150.0, 0.9}};
    for (const TRegion &m : meres) {
        TGeometryPtr mere = Difference(*Blob(plane.ToXY(m.Centre), m.Rx, m.Ry, m.Rotation, 0.2, seed++), *keepClear);
        for (auto &piece : Polygons(*mere, 20000.0)) {
            scene.Add("DEPARE", *piece).Set("DRVAL1", 0.0).Set("DRVAL2", 1.0);
            TChartFeature &f = scene.Add(m.Class, *piece);
            if (*m.Name) f.Set("OBJNAM", m.Name);
            keepClear = Union(*keepClear, *TGeometryPtr(piece->Buffer(60.0, 4)));
        }
    }

    // The Vorn Canal's nature reserve: navigation by permit only.
    auto reserve = Blob(plane.ToXY({4.805, 53.006}), 4700.0, 1500.0, 0.05, 0.3, 60);
    scene.Add("RESARE", *Intersection(*reserve, *plane.Box()))
        .Set("OBJNAM", "Vorn Reserve")
        .Set("CATREA", 4)
        .Set("RESTRN", "14");
}

}  // namespace demo
