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

// Mean brightness (0..255) of the picture, every fourth pixel.
double MeanBrightness(const QImage &image) {
    double sum = 0.0;
    int n = 0;
    for (int y = 0; y < image.height(); y += 4)
        for (int x = 0; x < image.width(); x += 4, ++n) sum += qGray(image.pixel(x, y));
    return n ? sum / n : 0.0;
}

}  // namespace

using FrameViewerPictures = ViewerFrameFixture;

TEST_F(FrameViewerPictures, TheRasterChartAndTheBackgroundGoDarkByNight) {
    NightScreen()->SetActive(false);
    MakeFrame(QSize(800, 600));
    TNavViewerControl &v = Viewer();
    std::vector<NavObject *> raster;
    for (NavObject *o : AllCharts())
        if (dynamic_cast<IRasterChart *>(o)) raster.push_back(o);
    ASSERT_FALSE(raster.empty());
    int32_t err = 0;
    v.SetCharts(raster.data(), int32_t(raster.size()), err);
    v.ZoomToChart(v.GetChart(0));
    // Zoomed out until background shows around the chart.
    const TDouble2 centre{v.width() / 2.0, v.height() / 2.0};
    v.ZoomAt(0.25, &centre);
    const auto picture = [&] {
        v.RefreshCharts();
        v.repaint();
        return v.grab().toImage();
    };
    const QImage day = picture();
    const QPoint corner(2, 2), middle(v.width() / 2, v.height() / 2);
    ASSERT_NE(day.pixel(corner), day.pixel(middle)) << "background at the corner, chart in the middle";
    NightScreen()->SetActive(true);
    const QImage night = picture();
    NightScreen()->SetActive(false);
    shelltest::SaveScreenshot(night, QStringLiteral("chartview-raster-night-zoomed-out"));
    EXPECT_LT(qGray(night.pixel(corner)), qGray(day.pixel(corner)) / 2) << "the background";
    EXPECT_LT(MeanBrightness(night), MeanBrightness(day) / 2) << "the raster chart";
    const QImage dayAgain = picture();
    EXPECT_EQ(dayAgain.pixel(corner), day.pixel(corner)) << "day colours come back";
}

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
