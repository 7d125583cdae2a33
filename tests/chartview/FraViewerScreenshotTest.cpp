// Pictures of the chart-viewer frame at the main window's size with the demo charts, by
// day and by night, written to <build>/test-output for a look by eye.
#include "ViewerFrameFixture.h"

#include "base/graphics/KvNightScreen.h"
#include "tests/shell/ShellTestSupport.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QTest>
#include <QSet>

namespace {

// A chart shows many colours; an empty view a handful.
int ColourCount(const QImage &image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 4)
        for (int x = 0; x < image.width(); x += 4) colours.insert(image.pixel(x, y));
    return int(colours.size());
}

}  // namespace

using FrameViewerPictures = ViewerFrameFixture;

TEST_F(FrameViewerPictures, DemoCellAndBSBChartByDayAndNight) {
    struct Case {
        const char *name;
        bool raster;
        bool night;
    };
    const Case cases[] = {{"chartview-s57-day", false, false},
                          {"chartview-s57-night", false, true},
                          {"chartview-bsb-day", true, false},
                          {"chartview-bsb-night", true, true}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        NightScreen()->SetActive(c.night);
        Env->S52Library->SetColorScheme(c.night ? S52ColorScheme::Night : S52ColorScheme::Day);
        Env->S52Library->Commit();
        TFrameViewer &frame = MakeFrame(QSize(1280, 800));
        TNavViewerControl &v = Viewer();
        std::vector<NavObject *> charts;
        for (NavObject *o : AllCharts())
            if ((dynamic_cast<IRasterChart *>(o) != nullptr) == c.raster) charts.push_back(o);
        ASSERT_FALSE(charts.empty());
        int32_t err = 0;
        v.SetCharts(charts.data(), int32_t(charts.size()), err);
        if (c.raster) v.ZoomToChart(v.GetChart(0));
        else v.ZoomToS57Chart(v.GetS57Chart(0));
        v.RefreshCharts();
        v.repaint();
        // The cell comes from the loader thread: wait until the chart covers the centre.
        const QRgb empty = v.grab().toImage().pixel(1, v.height() / 2);
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return v.grab().toImage().pixel(v.width() / 2, v.height() / 2) != empty; },
            20000));
        EXPECT_GT(ColourCount(v.grab().toImage()), 8);
        const QImage picture = frame.grab().toImage();
        shelltest::SaveScreenshot(picture, QString::fromLatin1(c.name));
        EXPECT_EQ(picture.size(), QSize(1280, 800));
        DestroyFrame();
    }
    NightScreen()->SetActive(false);
}
