// Printing the chart view: the page geometry as arithmetic, and whole jobs of the demo view
// into PDF files read back with the poppler tools.
#include "ViewerFrameFixture.h"

#include "chartview/ViewerPrintGeometry.h"
#include "chartview/ViewerPrintTrack.h"
#include "tests/shell/ShellTestSupport.h"

#include <KvLibNav6/KvTracks.h>

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

QString RunTool(const QString &program, const QStringList &args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000)) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace

TEST(ViewerPrintGeometry, WideAndNarrowViewsGetEqualBands) {
    const QSize page(1000, 1400);
    TPrintGeometry wide = PrintPageGeometry(page, page, QSize(800, 400));
    EXPECT_FALSE(wide.FillHeight);
    EXPECT_DOUBLE_EQ(wide.Scale, 1.25);
    PrintCentring(wide, 1000.0, 500.0);
    EXPECT_DOUBLE_EQ(wide.OffX, 0.0);
    EXPECT_DOUBLE_EQ(wide.OffY, 450.0) << "bands above and below";
    TPrintGeometry narrow = PrintPageGeometry(page, page, QSize(400, 800));
    EXPECT_TRUE(narrow.FillHeight);
    EXPECT_DOUBLE_EQ(narrow.Scale, 1.75);
    PrintCentring(narrow, 700.0, 1400.0);
    EXPECT_DOUBLE_EQ(narrow.OffX, 150.0) << "bands left and right";
    EXPECT_DOUBLE_EQ(narrow.OffY, 0.0);
    EXPECT_EQ(wide.Rect(), QRect(0, 0, 1000, 1400)) << "the whole page";
}

TEST(ViewerPrintGeometry, ChosenSizeIsCentredAndTurnedWithThePage) {
    const QSize page(1000, 1000);
    EXPECT_EQ(PrintSizePixels(0, 50, false, 254, 254, page), page) << "0 mm: whole page";
    EXPECT_EQ(PrintSizePixels(100, 0, true, 254, 254, page), page);
    EXPECT_EQ(PrintSizePixels(100, 50, false, 254, 254, page), QSize(1000, 500));
    EXPECT_EQ(PrintSizePixels(100, 50, true, 254, 254, page), QSize(500, 1000)) << "landscape";
    const TPrintGeometry g = PrintPageGeometry(page, QSize(501, 301), QSize(100, 100));
    EXPECT_EQ(g.Left, 250);  // 249.5 rounds up
    EXPECT_EQ(g.Right, 751);
    EXPECT_EQ(g.Top, 350);
    EXPECT_EQ(g.Bottom, 651);
    EXPECT_EQ(RoundHalfUp(2.5), 3);
    EXPECT_EQ(RoundHalfUp(-2.5), -2);
}

TEST(ViewerPrintGeometry, WholeTilesCoverThePrintedArea) {
    const auto tiles = PrintTiles(QRect(10, 20, 1025, 512));
    ASSERT_EQ(tiles.size(), 3u);
    EXPECT_EQ(tiles[0], QRect(10, 20, 512, 512));
    EXPECT_EQ(tiles[2], QRect(10 + 1024, 20, 512, 512)) << "the last one reaches past";
    EXPECT_EQ(PrintTiles(QRect(0, 0, 1024, 1025)).size(), 6u);
}

TEST(ViewerPrintTrack, MarksFallOnIntervalBoundariesInsideTheTrack) {
    const double day = 45500.0;
    // Hourly from 10:20 to 13:10: 11:00, 12:00, 13:00.
    const auto hourly = PrintMarkTimes(day + 10 / 24.0 + 20 / 1440.0, day + 13 / 24.0 + 10 / 1440.0, 3600);
    ASSERT_EQ(hourly.size(), 3u);
    EXPECT_NEAR(hourly[0], day + 11 / 24.0, 1e-9);
    EXPECT_EQ(PrintMarkLabel(hourly[0], 3600), QStringLiteral("11:00"));
    // Shorter than one interval: none.
    EXPECT_TRUE(PrintMarkTimes(day + 10.1 / 24, day + 10.9 / 24, 3600).empty());
    // Daily: local noon, with the full date.
    const auto daily = PrintMarkTimes(day + 0.6, day + 3.2, 86400);
    ASSERT_EQ(daily.size(), 2u);
    EXPECT_DOUBLE_EQ(daily[0], day + 1.5);
    EXPECT_TRUE(PrintMarkLabel(daily[0], 86400).endsWith(QStringLiteral(" 12:00")));
    EXPECT_EQ(PrintMarkLabel(day, 3600).size(), 16) << "midnight carries the date";
    for (double m : PrintMarkTimes(day + 0.123456, day + 0.9, 600)) EXPECT_GE(m, day + 0.123456);
}

using ViewerPrint = ViewerFrameFixture;

namespace {

// A recorded track across the demo waters, one point a minute for two hours.
INavTrack *DemoTrack(TNavViewerControl &v) {
    INavTrack *track = NavTrackCreate1();
    const double start = 45500.0 + 9.5 / 24.0;
    for (int i = 0; i <= 120; ++i) {
        const TGeoPoint p = chartviewtest::GeoAt(v, 100 + i * 5, 150 + i * 2);
        int32_t err = 0;
        track->AddPoint(start + i / 1440.0, TGeoPoint3{p.Lat, p.Lon, 0.0}, err);
    }
    return track;
}

}  // namespace

TEST_F(ViewerPrint, TheDemoViewWithATrackPrintsOneA4LandscapePage) {
    MakeFrame(QSize(800, 600), true);
    TNavViewerControl &v = Viewer();
    v.ZoomToChart(v.GetChart(0));
    INavTrack *track = DemoTrack(v);
    Env->TrackList->Add(track);
    v.ShowTrack(track);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("view.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setResolution(150);
    int tiles = 0, decorations = 0;
    v.OnPrintProgress = [&](IBmp32 *, IGeodeticCalibration *, bool &) { ++tiles; };
    v.OnPrintDecorations = [&](const TRect &, IGeodeticCalibration *) { ++decorations; };
    const QColor colour = v.Color;
    int32_t result = -1;
    v.Print(printer, 0, 0, 0x7, 0, result);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(v.Color, colour);
    EXPECT_EQ(decorations, 1);
    EXPECT_GT(tiles, 1);
    const QString info = RunTool(QStringLiteral("pdfinfo"), {file});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n")))) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("842 x 595"))) << "A4 landscape: " << info.toStdString();
    RunTool(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("60"), QStringLiteral("-png"),
                                      QStringLiteral("-singlefile"), file, dir.filePath(QStringLiteral("page"))});
    QImage page(dir.filePath(QStringLiteral("page.png")));
    ASSERT_FALSE(page.isNull());
    shelltest::SaveScreenshot(page, QStringLiteral("chartview-print-a4-landscape"));
    Env->TrackList->Remove(track);  // the list owns and releases it
}

TEST_F(ViewerPrint, CancelAfterTheFirstTileAbortsTheJob) {
    MakeFrame(QSize(800, 600), true);
    TNavViewerControl &v = Viewer();
    v.ZoomToChart(v.GetChart(0));
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("cancel.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setResolution(150);
    int tiles = 0, decorations = 0;
    v.OnPrintProgress = [&](IBmp32 *, IGeodeticCalibration *, bool &abort) {
        ++tiles;
        abort = true;
    };
    v.OnPrintDecorations = [&](const TRect &, IGeodeticCalibration *) { ++decorations; };
    const QColor colour = v.Color;
    int32_t result = -1;
    v.Print(printer, 0, 0, 0x7, 2, result);
    EXPECT_EQ(result, 2);
    EXPECT_EQ(tiles, 1);
    EXPECT_EQ(decorations, 0) << "no frame, no information box";
    EXPECT_EQ(v.Color, colour);
    // An aborted job leaves no page behind.
    const QString info = QFile::exists(file) ? RunTool(QStringLiteral("pdfinfo"), {file}) : QString();
    EXPECT_FALSE(info.contains(QStringLiteral("Pages:"))) << info.toStdString();
}
