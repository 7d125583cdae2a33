// The seabed of the Velmer Roads: a shoreface that deepens to some 15 m offshore, the
// Haller Bank between the roads and the coast, the Outer Bank beyond them, ripples, and the
// dredged approach to Saltmere. Depth areas and contours come from it through GDAL's
// contour generator; soundings are the shoalest of a few samples around scattered spots.
#include "DemoChart.h"

#include <algorithm>
#include <cmath>

namespace demo {

namespace {

constexpr double ApproachLengthM = 2300.0;
constexpr double ApproachWidthM = 160.0;
constexpr double ApproachDepthM = 6.0;
constexpr double ApproachInsideM = 600.0;  // dredged on between the piers, to the coast

struct TBank {
    TLonLat Centre;
    double AlongM, AcrossM, Heading;  // heading of its length, radians from east
    double TopM;                      // depth over its crest
};
const TBank Banks[] = {{{4.392, 53.008}, 2600.0, 420.0, 1.38, 1.3},
                       {{4.281, 52.905}, 3800.0, 700.0, 1.45, 5.4}};

struct TSeabed {
    const TChartScene &Scene;
    std::vector<OGRRawPoint> BankCentres;

    explicit TSeabed(const TChartScene &s) : Scene(s) {
        for (const TBank &b : Banks) BankCentres.push_back(s.Plane.ToXY(b.Centre));
    }
    double Natural(double x, double y) const {
        const double s = std::max(0.0, Scene.CoastX(y) - x);
        double d = -1.4 + 5.0 * (1 - std::exp(-s / 600.0)) + 12.0 * (1 - std::exp(-s / 6000.0));
        const double rough = std::min(1.0, s / 1500.0);
        d += rough * (0.7 * Noise2(x / 1900.0, y / 1900.0, 21) + 0.3 * Noise2(x / 520.0, y / 520.0, 22));
        for (size_t i = 0; i < std::size(Banks); ++i) {
            const TBank &b = Banks[i];
            const double dx = x - BankCentres[i].x, dy = y - BankCentres[i].y;
            const double u = (dx * std::cos(b.Heading) + dy * std::sin(b.Heading)) / b.AlongM;
            const double v = (-dx * std::sin(b.Heading) + dy * std::cos(b.Heading)) / b.AcrossM;
            const double g = std::exp(-(u * u * u * u + v * v));
            if (d > b.TopM) d = b.TopM + (d - b.TopM) * (1 - g);
        }
        return d;
    }
    // Distance along and across the dredged approach, from the entrance out to sea.
    bool InApproach(double x, double y, double margin = 0.0) const {
        const double dx = x - Scene.Entrance.x, dy = y - Scene.Entrance.y;
        const double u = -(dx * Scene.EntranceDir.x + dy * Scene.EntranceDir.y);
        const double v = -dx * Scene.EntranceDir.y + dy * Scene.EntranceDir.x;
        return u > -ApproachInsideM && u < ApproachLengthM + margin && std::fabs(v) < ApproachWidthM / 2 + margin;
    }
    double Depth(double x, double y) const {
        const double d = Natural(x, y);
        return InApproach(x, y) ? std::max(d, ApproachDepthM + 0.4 + 0.2 * Noise2(x / 150.0, y / 150.0, 23)) : d;
    }
};

double Tenths(double v) { return std::round(v * 10.0) / 10.0; }

}  // namespace

void BuildSeabed(TChartScene &scene) {
    const TSeabed seabed(scene);
    // The dredged approach, outside the entrance.
    const OGRRawPoint d = scene.EntranceDir;
    const double middle = (ApproachLengthM - ApproachInsideM) / 2;
    const OGRRawPoint mid(scene.Entrance.x - d.x * middle, scene.Entrance.y - d.y * middle);
    scene.Approach = Intersection(*Rectangle(mid, d, ApproachLengthM + ApproachInsideM, ApproachWidthM), *scene.Sea);
    for (auto &piece : Polygons(*scene.Approach, 100.0))
        scene.Add("DRGARE", *piece)
            .Set("DRVAL1", ApproachDepthM)
            .Set("DRVAL2", ApproachDepthM + 1.0)
            .Set("OBJNAM", "Saltmere Approach");

    TGeometryPtr open = Difference(*scene.Sea, *scene.Approach);
    std::vector<TDepthBand> bands;
    std::vector<TContour> contours;
    ContourSeabed([&](double x, double y) { return seabed.Natural(x, y); }, *open, 60.0,
                  {0.0, 2.0, 5.0, 10.0, 20.0}, -2.0, 30.0, bands, contours);
    for (const TDepthBand &b : bands)
        for (auto &piece : Polygons(*b.Area, 200.0))
            scene.Add("DEPARE", *piece).Set("DRVAL1", b.Min).Set("DRVAL2", b.Max);
    for (const TContour &c : contours)
        for (auto &l : Lines(*c.Line, 60.0)) scene.Add("DEPCNT", *l).Set("VALDCO", c.Depth);

    // Soundings: sparse offshore, closer near the coast and along the approach; each the
    // shoalest of five samples around its spot, as a survey's selection would be.
    auto multipoint = std::make_unique<OGRMultiPoint>();
    auto sound = [&](double x, double y, const std::function<double(double, double)> &depth) {
        double v = depth(x, y);
        for (int k = 0; k < 4; ++k) {
            const double a = k * M_PI / 2 + 0.4;
            v = std::min(v, depth(x + 45.0 * std::cos(a), y + 45.0 * std::sin(a)));
        }
        if (v > 0.05) multipoint->addGeometryDirectly(new OGRPoint(x, y, Tenths(v)));
    };
    auto seaDepth = [&](double x, double y) { return seabed.Depth(x, y); };
    TGeometryPtr offshore(new OGRPolygon), inshore(new OGRPolygon);
    {
        std::vector<OGRRawPoint> band;
        for (const OGRRawPoint &p : scene.Coast) band.emplace_back(p.x - 3500.0, p.y);
        const double far = band.front().x - 40000.0;
        band.emplace_back(far, band.back().y);
        band.emplace_back(far, band.front().y);
        offshore = Intersection(*open, *Ring(band));
        inshore = Difference(*open, *offshore);
    }
    for (const OGRRawPoint &p : Scatter(*offshore, 1000.0, 24)) sound(p.x, p.y, seaDepth);
    for (const OGRRawPoint &p : Scatter(*inshore, 520.0, 25))
        if (scene.CoastX(p.y) - p.x > 250.0) sound(p.x, p.y, seaDepth);
    for (double u = 150.0; u < ApproachLengthM; u += 320.0)
        sound(scene.Entrance.x - d.x * u, scene.Entrance.y - d.y * u, seaDepth);
    scene.Features.push_back(TChartFeature{"SOUNDG", scene.Plane.ToDegrees(*multipoint), {}});

    // A wreck in the roads, well under a yacht's keel.
    scene.AddPoint("WRECKS", scene.Plane.ToXY({4.312, 52.938}))
        .Set("CATWRK", 1)
        .Set("VALSOU", 9.8)
        .Set("WATLEV", 3)
        .Set("OBJNAM", "Wreck of the Margit");
    scene.Add("SEAARE", *Blob(scene.Plane.ToXY({4.33, 52.965}), 2600.0, 9000.0, 0.25, 0.05, 26))
        .Set("OBJNAM", "Velmer Roads");
    scene.Add("SEAARE", *Blob(seabed.BankCentres[0], 2000.0, 420.0, Banks[0].Heading, 0.05, 27))
        .Set("OBJNAM", "Haller Bank");
}

}  // namespace demo
