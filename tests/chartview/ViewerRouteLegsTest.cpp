// A route on the chart lies where it is sailed: the planned legs along the waterways of the
// plan, a route of free points straight from point to point.
#include "NavInfoRoutes.h"
#include "ViewerFrameFixture.h"

#include "tests/common/TestSupport.h"
#include "tests/shell/ShellTestSupport.h"

#include <KvLibNav6/KvTracks.h>
#include <KvLibNav6/KvViewer.h>
#include <KvLibNav6/KvWaypoints.h>
#include <KvLibNav6/KvWWNetwork.h>

#include <gtest/gtest.h>

#include <QImage>
#include <QLineF>
#include <QPolygonF>

namespace {

// A colour no chart of the demo uses.
constexpr uint32_t RouteColour = 0xFF13E7A1u;

double SegmentDistance(const QPointF &p, const QPointF &a, const QPointF &b) {
    const QPointF d = b - a;
    const double len2 = QPointF::dotProduct(d, d);
    const double t = len2 > 0 ? std::clamp(QPointF::dotProduct(p - a, d) / len2, 0.0, 1.0) : 0.0;
    return QLineF(a + t * d, p).length();
}

double PolylineDistance(const QPointF &p, const QPolygonF &line) {
    double best = std::numeric_limits<double>::infinity();
    for (qsizetype i = 1; i < line.size(); ++i) best = std::min(best, SegmentDistance(p, line[i - 1], line[i]));
    return best;
}

std::vector<QPoint> PixelsOfColour(const QImage &image, uint32_t argb) {
    std::vector<QPoint> out;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == (argb & 0xFFFFFF)) out.emplace_back(x, y);
    return out;
}

int PixelsNear(const std::vector<QPoint> &pixels, const QPointF &at, double radius) {
    return int(std::count_if(pixels.begin(), pixels.end(),
                             [&](const QPoint &p) { return QLineF(p, at).length() <= radius; }));
}

}  // namespace

class ViewerRouteLegs : public ViewerFrameFixture {
protected:
    void SetUp() override {
        ViewerFrameFixture::SetUp();
        uint8_t mode = 0;
        Env->Start(mode);
        MakeFrame(QSize(900, 700));
        // As the main window hands the network to its chart viewer.
        Viewer().SetWaterwayNetwork(Env->WaterwayNetwork);
        // The line alone: no labels in the route's colour beside it.
        Viewer().SetRouteFlags(NavViewerRouteFlag::Routes);
        Viewer().SetColorLegMotoring(RouteColour);
    }
    // The waterway sections in pixels of the current view, sampled every 20 m.
    std::vector<QPolygonF> Waterways() {
        std::vector<QPolygonF> lines;
        IWWNetwork *net = Env->WaterwayNetwork;
        for (int32_t i = 0; IWWSection *s = net->GetSection(i); ++i) {
            QPolygonF line;
            for (double at = 0.0;; at = std::min(at + 20.0, s->GetLength())) {
                const TDouble2 px = chartviewtest::PixelOf(Viewer(), routetest::OnSection(s, at));
                line << QPointF(px.X, px.Y);
                if (at >= s->GetLength()) break;
            }
            lines.push_back(line);
        }
        return lines;
    }
    double WaterwayDistance(const QPointF &p, const std::vector<QPolygonF> &waterways) {
        double best = std::numeric_limits<double>::infinity();
        for (const QPolygonF &w : waterways) best = std::min(best, PolylineDistance(p, w));
        return best;
    }
    QPointF PointPixel(IWptRoute *route, int i) {
        const TRoutePosition *p = route->GetPoint(i)->GetPosition();
        const TDouble2 px = chartviewtest::PixelOf(Viewer(), TGeoPoint{p->Lat, p->Lon});
        return {px.X, px.Y};
    }
    QImage Picture() {
        Viewer().repaint();
        return Viewer().grab().toImage();
    }
    struct TObjectDelete {
        void operator()(NavObject *o) const { ObjectDelete(o); }
    };
    // Outlives the viewer, which keeps the tracks it shows.
    std::unique_ptr<INavTrack, TObjectDelete> Track;

    bool RouteAtPixel(const QPointF &at) {
        chartviewtest::SendMouse(&Viewer(), QEvent::MouseMove, at.toPoint(), Qt::NoButton, Qt::NoButton);
        return Viewer().GetRouteAtMouse() != nullptr;
    }
};

TEST_F(ViewerRouteLegs, APlannedRouteFollowsTheWaterwaysAndAFreeRouteRunsStraight) {
    testsupport::TWorkingMorningClock morning;
    TGeoPoint start{};
    IWptRoute *planned = navinfotest::MarinaToMarina(*Env, 0.0, start);
    ASSERT_TRUE(planned);
    Env->RecalculateRoute(planned, false);
    routetest::DeliverPosted();
    ASSERT_EQ(planned->GetLastPoint()->GetPlanPoint()->GetStatus(), WptPlanStatus::Planned);

    struct Case {
        const char *name;
        bool planned;
    };
    for (const Case c : {Case{"planned over the network", true}, Case{"free points, direct legs", false}}) {
        SCOPED_TRACE(c.name);
        IWptRoute *route = planned;
        if (!c.planned) {
            // The same two ends as free points: nothing to follow but the straight line.
            route = Env->UserDatabase->NewRoute(0.0);
            int32_t err = 0;
            for (int i = 0; i < 2; ++i) route->AddPointAtPosition(*planned->GetPoint(i)->GetPosition(), err);
            ASSERT_EQ(err, 0);
            Env->RecalculateRoute(route, false);
            routetest::DeliverPosted();
        }
        Env->RouteList->Clear();
        Env->RouteList->Add(route);
        Viewer().ZoomToRoute(route);
        const QImage picture = Picture();
        shelltest::SaveScreenshot(picture, QStringLiteral("viewer-route-legs-%1").arg(c.planned ? "planned" : "direct"));

        const std::vector<QPoint> drawn = PixelsOfColour(picture, RouteColour);
        ASSERT_GT(drawn.size(), 200u) << "the route's line";
        const std::vector<QPolygonF> waterways = Waterways();
        const QPointF a = PointPixel(route, 0), b = PointPixel(route, 1);
        // Places on the straight line between the ends that lie well away from any water.
        std::vector<QPointF> dry;
        for (int k = 1; k < 20; ++k) {
            const QPointF p = a + (b - a) * (k / 20.0);
            if (WaterwayDistance(p, waterways) > 25.0) dry.push_back(p);
        }
        ASSERT_GE(dry.size(), 5u) << "the straight line crosses land";
        const int onWater = int(std::count_if(drawn.begin(), drawn.end(), [&](const QPoint &p) {
            return WaterwayDistance(p, waterways) <= 6.0;
        }));
        int onChord = 0;
        for (const QPointF &p : dry) onChord += PixelsNear(drawn, p, 3.0) > 0;
        if (c.planned) {
            EXPECT_EQ(onWater, int(drawn.size())) << "every pixel of the route lies on a waterway";
            EXPECT_EQ(onChord, 0) << "nothing of the route on the straight line";
            // The mouse finds the route where it is drawn, not on the straight line.
            EXPECT_FALSE(RouteAtPixel(dry[dry.size() / 2]));
            const QPoint somewhere = drawn[drawn.size() / 2];
            EXPECT_TRUE(RouteAtPixel(somewhere));
        } else {
            EXPECT_EQ(onChord, int(dry.size())) << "the straight line is drawn";
            EXPECT_LT(onWater, int(drawn.size()) / 2);
            EXPECT_TRUE(RouteAtPixel(dry[dry.size() / 2]));
        }
    }
}

TEST_F(ViewerRouteLegs, ATrackSailedAlongTheRouteIsDrawnOverIt) {
    testsupport::TWorkingMorningClock morning;
    TGeoPoint start{};
    IWptRoute *route = navinfotest::MarinaToMarina(*Env, 0.0, start);
    ASSERT_TRUE(route);
    Env->RecalculateRoute(route, false);
    routetest::DeliverPosted();
    Env->RouteList->Clear();
    Env->RouteList->Add(route);
    Viewer().ZoomToRoute(route);
    const std::vector<QPoint> drawn = PixelsOfColour(Picture(), RouteColour);
    ASSERT_GT(drawn.size(), 200u);

    // A short track down the middle of the route's line, as wide as it: from one of its
    // pixels to another some twenty pixels on.
    const QPoint from = drawn[drawn.size() / 2];
    const auto to = std::find_if(drawn.begin(), drawn.end(), [&](const QPoint &p) {
        const double d = QLineF(p, from).length();
        return d > 20.0 && d < 23.0;
    });
    ASSERT_NE(to, drawn.end());
    Track.reset(NavTrackCreate1());
    INavTrack *track = Track.get();
    for (const QPoint &p : {from, *to}) {
        const TGeoPoint g = chartviewtest::GeoAt(Viewer(), p.x(), p.y());
        int32_t err = -1;
        track->AddPoint(0.0, TGeoPoint3{g.Lat, g.Lon, 0.0}, err);
        ASSERT_EQ(err, KvErr::Ok);
    }
    track->SetColor(0x00F020D0u);
    const uint32_t rgb = track->GetColor();  // red in the low byte
    const uint32_t colour = qRgb(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
    Viewer().SetTrackLineWidth(4);
    Viewer().ShowTrack(track);
    const QImage picture = Picture();
    shelltest::SaveScreenshot(picture, QStringLiteral("viewer-route-legs-track"));
    EXPECT_GE(PixelsOfColour(picture, colour).size(), 10u) << "the track's line over the route";
}
