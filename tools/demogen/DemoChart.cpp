#include "DemoChart.h"

namespace demo {

TChartScene::TChartScene(const TNetwork &n) : Net(n), Plane(DemoArea()) {}

TChartFeature &TChartScene::Add(const char *cls, const OGRGeometry &planeGeometry) {
    Features.push_back(TChartFeature{cls, Plane.ToDegrees(planeGeometry), {}});
    return Features.back();
}

TChartFeature &TChartScene::AddPoint(const char *cls, OGRRawPoint p) {
    const OGRPoint point(p.x, p.y);
    return Add(cls, point);
}

const TSection *TChartScene::FirstSectionOf(const QString &fairway) const {
    for (const TSection &s : Net.Sections)
        if (s.Name == fairway) return &s;
    return nullptr;
}

std::pair<OGRRawPoint, OGRRawPoint> TChartScene::EndsOf(const QString &fairway) const {
    const TSection *first = nullptr, *last = nullptr;
    for (const TSection &s : Net.Sections)
        if (s.Name == fairway) {
            if (!first) first = &s;
            last = &s;
        }
    if (!first) return {};
    return {Plane.ToXY(first->Line.front()), Plane.ToXY(last->Line.back())};
}

std::vector<TChartFeature> BuildChartFeatures(const TNetwork &net) {
    TChartScene scene(net);
    BuildSea(scene);
    BuildWaters(scene);
    BuildSeabed(scene);
    BuildLand(scene);
    BuildStructures(scene);
    BuildAidsToNavigation(scene);
    return std::move(scene.Features);
}

}  // namespace demo
