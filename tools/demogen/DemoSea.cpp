// The coast of the Velmer Roads: a dune coast with the headland of Velmer Head, and the
// entrance of Saltmere harbour between two piers, where the harbour channel meets the sea.
#include "DemoChart.h"

#include <algorithm>
#include <cmath>

namespace demo {

namespace {

// The coast's course (degrees, north to south, beyond the area at both ends); noise gives
// it the small bends of a real shore, except along the harbour front.
const TLonLat CoastCourse[] = {
    {4.484, 53.100}, {4.471, 53.060}, {4.462, 53.020}, {4.455, 52.988}, {4.447, 52.962},
    {4.4455, 52.952}, {4.451, 52.937}, {4.4485, 52.912}, {4.4485, 52.893}, {4.4455, 52.875},
    {4.4375, 52.845}, {4.4265, 52.810}, {4.4135, 52.762}};

constexpr double CoastStepM = 40.0;
constexpr double PierLengthM = 420.0;  // from the coast out to the pier heads
constexpr double EntranceWidthM = 70.0;
constexpr double PierWidthM = 26.0;
constexpr double OuterHarbourWidthM = 220.0;

// Catmull-Rom through the course's points, as x for a y of the plane.
double CourseX(const std::vector<OGRRawPoint> &pts, double y) {
    for (size_t i = 0; i + 1 < pts.size(); ++i) {
        if (y > pts[i].y || y < pts[i + 1].y) continue;
        const OGRRawPoint p1 = pts[i], p2 = pts[i + 1];
        const OGRRawPoint p0 = i > 0 ? pts[i - 1] : p1, p3 = i + 2 < pts.size() ? pts[i + 2] : p2;
        const double t = (p1.y - y) / (p1.y - p2.y);
        const double t2 = t * t, t3 = t2 * t;
        return 0.5 * (2 * p1.x + (-p0.x + p2.x) * t + (2 * p0.x - 5 * p1.x + 4 * p2.x - p3.x) * t2 +
                      (-p0.x + 3 * p1.x - 3 * p2.x + p3.x) * t3);
    }
    return y > pts.front().y ? pts.front().x : pts.back().x;
}

}  // namespace

double TChartScene::CoastX(double y) const {
    if (Coast.empty()) return 0.0;
    const double f = (Coast.front().y - y) / CoastStepM;
    const size_t i = size_t(std::clamp(f, 0.0, double(Coast.size() - 2)));
    const double t = std::clamp(f - double(i), 0.0, 1.0);
    return Coast[i].x + (Coast[i + 1].x - Coast[i].x) * t;
}

void BuildSea(TChartScene &scene) {
    const TPlane &plane = scene.Plane;
    std::vector<OGRRawPoint> course;
    for (const TLonLat &p : CoastCourse) course.push_back(plane.ToXY(p));

    // The harbour channel from the sea to the river, and where it meets the coast.
    scene.HarbourLine = std::make_unique<OGRLineString>();
    for (const TSection &s : scene.Net.Sections)
        if (s.Name == QLatin1String("Saltmere Harbour Channel"))
            for (const TLonLat &p : s.Line) {
                const OGRRawPoint xy = plane.ToXY(p);
                scene.HarbourLine->addPoint(xy.x, xy.y);
            }
    const double harbourY = scene.HarbourLine->getY(0);

    const double top = course.front().y, bottom = course.back().y;
    for (double y = top; y >= bottom; y -= CoastStepM) {
        // The harbour front is built straight; the dunes wander by tens of metres.
        const double calm = std::clamp((std::fabs(y - harbourY) - 500.0) / 1500.0, 0.0, 1.0);
        const double wander = 55.0 * Noise1(y / 1400.0, 11) + 14.0 * Noise1(y / 260.0, 12);
        scene.Coast.emplace_back(CourseX(course, y) + calm * wander, y);
    }

    // Walk the harbour line to the coast, then back out to where the pier heads stand.
    const OGRLineString &line = *scene.HarbourLine;
    double along = 0;
    for (; along < line.get_Length(); along += 1.0) {
        const OGRRawPoint p = PointAlong(line, along);
        if (p.x >= scene.CoastX(p.y)) break;
    }
    scene.CoastAlongM = along;
    scene.EntranceAlongM = along - PierLengthM;
    scene.Entrance = PointAlong(line, scene.EntranceAlongM, &scene.EntranceDir);

    // Two piers funnel from the entrance to the outer harbour's width at the coast.
    const OGRRawPoint d = scene.EntranceDir, n(-d.y, d.x);
    auto at = [&](double u, double v) {
        return OGRRawPoint(scene.Entrance.x + d.x * u + n.x * v, scene.Entrance.y + d.y * u + n.y * v);
    };
    const double rootU = PierLengthM + 60.0;
    auto piers = std::make_unique<OGRMultiPolygon>();
    for (double side : {1.0, -1.0}) {
        const double head = EntranceWidthM / 2, root = OuterHarbourWidthM / 2;
        auto pier = Ring({at(0, side * head), at(0, side * (head + PierWidthM)),
                          at(rootU, side * (root + PierWidthM)), at(rootU, side * root)});
        const char *name = side > 0 ? "Saltmere North Pier" : "Saltmere South Pier";
        scene.Add("SLCONS", *pier).Set("OBJNAM", name).Set("CATSLC", 3);
        piers->addGeometry(pier.get());
    }
    scene.Structures.reset(piers.release());

    std::vector<OGRRawPoint> sea(scene.Coast.begin(), scene.Coast.end());
    const double far = scene.Coast.front().x - 40000.0;
    sea.emplace_back(far, scene.Coast.back().y);
    sea.emplace_back(far, scene.Coast.front().y);
    auto seaPolygon = Ring(sea);
    TGeometryPtr clipped = Intersection(*seaPolygon, *plane.Box());
    scene.Sea = Difference(*clipped, *scene.Structures);
}

}  // namespace demo
