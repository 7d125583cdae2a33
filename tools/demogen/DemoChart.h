// What the demo S-57 cell holds: every feature, worked out from the network in a local
// plane (metres east and north of the area's centre) and handed to the cell writer in
// degrees. The builders share one TChartScene; each adds its part of the chart.
#pragma once

#include "DemoData.h"

#include <ogr_geometry.h>

#include <QByteArray>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

namespace demo {

using TGeometryPtr = std::unique_ptr<OGRGeometry>;

struct TChartFeature {
    QByteArray Class;
    TGeometryPtr Geometry;  // degrees; soundings as a 3-D multipoint
    std::vector<std::pair<QByteArray, QVariant>> Attributes;
    TChartFeature &Set(const char *acronym, const QVariant &value) {
        Attributes.emplace_back(acronym, value);
        return *this;
    }
};

// Metres east and north of the area's centre; straight lines in the plane are close enough
// to geodesics over the demo area, and an affine map keeps every "inside" test exact.
class TPlane {
public:
    explicit TPlane(const TArea &area);
    OGRRawPoint ToXY(const TLonLat &p) const;
    TLonLat ToLonLat(double x, double y) const;
    std::unique_ptr<OGRLineString> Line(const std::vector<TLonLat> &points) const;
    // The same geometry in degrees.
    TGeometryPtr ToDegrees(const OGRGeometry &g) const;
    // The area's rectangle in the plane.
    std::unique_ptr<OGRPolygon> Box(double marginM = 0.0) const;

private:
    double FLon0, FLat0, FMetresPerDegLon, FMetresPerDegLat;
    TArea FArea;
};

// Smooth pseudo-random values in [-1, 1], the same on every run.
double Noise1(double x, uint32_t seed);
double Noise2(double x, double y, uint32_t seed);

// Geometry helpers in the plane.
std::unique_ptr<OGRPolygon> Ring(const std::vector<OGRRawPoint> &points);
// A rectangle centred at c, length along dir (unit vector), width across it.
std::unique_ptr<OGRPolygon> Rectangle(OGRRawPoint c, OGRRawPoint dir, double length, double width);
std::unique_ptr<OGRPolygon> Blob(OGRRawPoint c, double rx, double ry, double rotation, double roughness,
                                 uint32_t seed);
TGeometryPtr Union(const OGRGeometry &a, const OGRGeometry &b);
TGeometryPtr Difference(const OGRGeometry &a, const OGRGeometry &b);
TGeometryPtr Intersection(const OGRGeometry &a, const OGRGeometry &b);
// The polygons of a result (empty pieces and specks below minArea left out).
std::vector<std::unique_ptr<OGRPolygon>> Polygons(const OGRGeometry &g, double minAreaM2 = 1.0);
std::vector<std::unique_ptr<OGRLineString>> Lines(const OGRGeometry &g, double minLengthM = 1.0);
// Points scattered at random over a region, none closer to another than `spacing`; the
// same on every run for the same seed.
std::vector<OGRRawPoint> Scatter(const OGRGeometry &region, double spacing, uint32_t seed);
// Point and unit direction at a distance along a line of the plane.
OGRRawPoint PointAlong(const OGRLineString &line, double distance, OGRRawPoint *direction = nullptr);

struct TDepthBand {
    double Min = 0.0, Max = 0.0;  // metres below datum; Min < 0 dries
    TGeometryPtr Area;
};
struct TContour {
    double Depth = 0.0;
    TGeometryPtr Line;
};
// Depth areas and contours of a seabed over a region of the plane: the bands between
// successive levels (the first from shallowest, the last to deepest), clipped to the region.
void ContourSeabed(const std::function<double(double, double)> &depth, const OGRGeometry &region,
                   double cellM, const std::vector<double> &levels, double shallowest, double deepest,
                   std::vector<TDepthBand> &bands, std::vector<TContour> &contours);

struct TChartScene {
    explicit TChartScene(const TNetwork &n);
    const TNetwork &Net;
    TPlane Plane;
    TGeometryPtr Sea;          // open sea, piers cut out
    TGeometryPtr Lake;         // Dunmeer
    TGeometryPtr InlandWater;  // every canal, river, basin and lock chamber, the lake included
    TGeometryPtr Structures;   // piers and moles standing in the water
    std::vector<TChartFeature> Features;

    // The coast from north to south at even steps of y, sea to the west of it, and x of
    // the coast at any y of the area.
    std::vector<OGRRawPoint> Coast;
    double CoastX(double y) const;
    // The harbour entrance: its middle, the way in (unit vector) and the harbour line, the
    // channel's sections joined from the sea to the river; the dredged approach before it.
    OGRRawPoint Entrance, EntranceDir;
    TGeometryPtr Approach;
    std::unique_ptr<OGRLineString> HarbourLine;
    double EntranceAlongM = 0.0;  // distance of the entrance along the harbour line
    double CoastAlongM = 0.0;     // and of the coast

    TChartFeature &Add(const char *cls, const OGRGeometry &planeGeometry);
    TChartFeature &AddPoint(const char *cls, OGRRawPoint p);
    // Sections of the network as lines of the plane.
    std::unique_ptr<OGRLineString> SectionLine(const TSection &s) const { return Plane.Line(s.Line); }
    const TSection *FirstSectionOf(const QString &fairway) const;
    // Where a fairway begins and ends in the plane.
    std::pair<OGRRawPoint, OGRRawPoint> EndsOf(const QString &fairway) const;
};

// The chord of the structure's section across `span` metres around it (unit vector), and
// the structure's place in the plane: the axis of a lock chamber or a bridge's passage.
OGRRawPoint StructureAxis(const TChartScene &scene, const TStructure &st, double span, OGRRawPoint &centre);

// The builders, in the order BuildChartFeatures runs them.
void BuildSea(TChartScene &scene);        // coastline, piers, the sea
void BuildWaters(TChartScene &scene);     // canals, river, harbour, lake, locks, marinas
void BuildSeabed(TChartScene &scene);     // depth areas, contours and soundings of the sea
void BuildLand(TChartScene &scene);       // land, banks, towns and regions
void BuildStructures(TChartScene &scene); // bridges, gates, weir, power line, marinas
void BuildAidsToNavigation(TChartScene &scene);

std::vector<TChartFeature> BuildChartFeatures(const TNetwork &net);

}  // namespace demo
