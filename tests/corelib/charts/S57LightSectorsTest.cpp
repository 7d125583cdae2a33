// Sector lights as the navigation viewer draws them: the arc grows with the light's height by
// the viewer's millimetres per 10 m, a light without a height keeps one size, and the
// waypoint flag hides the sectors altogether.
#include "ChartTestRig.h"
#include "S57TestCells.h"

#include "KvLibNav6/KvViewer.h"

#include <QGuiApplication>
#include <QScreen>
#include <gtest/gtest.h>
#include <ogrsf_frmts.h>

#include <algorithm>
#include <cmath>

using chartrig::TManagerRig;
using chartrig::TViewRig;
using s57cells::Box;
using s57cells::TCellWriter;

namespace {

constexpr double Lat = 10.05, TallLon = 20.05, PlainLon = 20.15;
constexpr double TallHeightM = 10.0;

// Water with two red sector lights facing south: one 10 m high, one without a height.
void WriteSectorCell(const QString &file) {
    TCellWriter w(file);
    w.Area("M_COVR", Box(20.0, 10.0, 20.2, 10.1), [](OGRFeature &f) { f.SetField("CATCOV", 1); });
    w.Area("DEPARE", Box(20.0, 10.0, 20.2, 10.1), [](OGRFeature &f) {
        f.SetField("DRVAL1", 5.0);
        f.SetField("DRVAL2", 10.0);
    });
    for (const double lon : {TallLon, PlainLon})
        w.Point("LIGHTS", {lon, Lat}, [lon](OGRFeature &f) {
            f.SetField("COLOUR", "3");
            f.SetField("SECTR1", 270.0);
            f.SetField("SECTR2", 90.0);
            if (lon == TallLon) f.SetField("HEIGHT", TallHeightM);
        });
    QString problem;
    ASSERT_TRUE(w.Finish(problem)) << problem.toStdString();
}

bool Reddish(uint32_t c) {
    const int r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
    return r > 150 && g < 110 && b < 110;
}

// The farthest red pixel from the light, in pixels; 0 when none lies beyond the flare.
double ArcRadius(TViewRig &rig, double lon) {
    const TDouble2 at = rig.PixelOf(Lat, lon);
    double far = 0;
    const int w = rig.Bitmap->GetWidth(), h = rig.Bitmap->GetHeight();
    for (int y = std::max(0, int(at.Y) - 180); y < std::min(h, int(at.Y) + 180); ++y)
        for (int x = std::max(0, int(at.X) - 180); x < std::min(w, int(at.X) + 180); ++x) {
            const uint8_t *b = rig.Bitmap->GetRow(y) + 4 * x;
            const uint32_t c = (uint32_t(b[2]) << 16) | (uint32_t(b[1]) << 8) | b[0];
            if (!Reddish(c)) continue;
            const double d = std::hypot(x + 0.5 - at.X, y + 0.5 - at.Y);
            if (d > 20) far = std::max(far, d);
        }
    return far;
}

double MillimetresPerPixel() {
    const QScreen *s = QGuiApplication::primaryScreen();
    const double dpi = s && s->physicalDotsPerInchX() > 20 ? s->physicalDotsPerInchX() : 96.0;
    return 25.4 / dpi;
}

}  // namespace

TEST(S57LightSectors, ArcRadiusFollowsTheLightHeightAndTheFlagHidesIt) {
    TManagerRig charts("s57-light-sectors");
    WriteSectorCell(charts.Root + "/s57/SECTOR01.000");
    charts.Create();
    charts.AddS57(charts.Root + "/s57");
    ASSERT_EQ(charts.Manager->GetChartCount(), 1) << charts.Problems().join("\n").toStdString();

    TViewRig rig(900, 500);
    rig.Show(charts.All());
    rig.Viewer->ZoomToS57Chart(charts.Manager->GetChart(0));
    const uint32_t shown = NavViewerWaypointFlag::Waypoints | NavViewerWaypointFlag::Sectors;
    rig.Viewer->SetWaypointFlags(shown);
    rig.Viewer->SetMaxHeightRadiusMM(30);
    rig.RenderLoaded();
    rig.Save("s57-light-sectors-30");
    const double tall30 = ArcRadius(rig, TallLon), plain30 = ArcRadius(rig, PlainLon);
    // 30 mm per 10 m on a 10 m light: an arc of 30 mm on the screen.
    EXPECT_NEAR(tall30 * MillimetresPerPixel(), 30.0, 2.0);
    EXPECT_NEAR(plain30, 25.0, 3.0);

    rig.Viewer->SetMaxHeightRadiusMM(60);
    rig.Viewer->Render(rig.Bitmap.get());
    EXPECT_NEAR(ArcRadius(rig, TallLon), 2 * tall30, 3.0);
    EXPECT_NEAR(ArcRadius(rig, PlainLon), plain30, 1.0);

    rig.Viewer->SetWaypointFlags(NavViewerWaypointFlag::Waypoints);
    rig.Viewer->Render(rig.Bitmap.get());
    rig.Save("s57-light-sectors-hidden");
    EXPECT_EQ(ArcRadius(rig, TallLon), 0.0);
    EXPECT_EQ(ArcRadius(rig, PlainLon), 0.0);
}
