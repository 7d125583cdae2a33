// S-57 cells as outside producers make them: a cell across the 180° meridian, a cell that an
// update cancels, update records that cannot be applied, and a cell that breaks after the
// scan. Each cell is written through GDAL's S-57 driver by the test itself.
#include "ChartTestRig.h"
#include "S57TestCells.h"

#include <QFile>
#include <gtest/gtest.h>
#include <ogrsf_frmts.h>

using chartrig::TManagerRig;
using chartrig::TViewRig;
using s57cells::Box;
using s57cells::TCellWriter;

namespace {

// Day colours: land, the 5 to 10 m depth area, and the viewer's background.
constexpr uint32_t Land = 0xFFC9B97A;
constexpr uint32_t Water = 0xFFD2EAFA;
constexpr uint32_t Background = 0xFFD4DADC;

void Name(OGRFeature &f, const char *name) { f.SetField("OBJNAM", name); }

// Water from 177° E to 177° W between 17° S and 16° S, an island across the meridian and a
// buoy on either side of it.
void WriteDatelineCell(const QString &file) {
    TCellWriter w(file);
    w.Area("M_COVR", Box(177, -17, -177, -16), [](OGRFeature &f) { f.SetField("CATCOV", 1); });
    // Depth areas and land share no water, as in a real cell: four strips round the island.
    for (const auto &strip : {Box(177, -16.2, -177, -16), Box(177, -17, -177, -16.8), Box(177, -16.8, 179.5, -16.2),
                              Box(-179.5, -16.8, -177, -16.2)})
        w.Area("DEPARE", strip, [](OGRFeature &f) {
            f.SetField("DRVAL1", 5.0);
            f.SetField("DRVAL2", 10.0);
        });
    w.Area("LNDARE", Box(179.5, -16.8, -179.5, -16.2), [](OGRFeature &f) { Name(f, "Meridian Island"); });
    for (const auto &[lon, name] : {std::pair{179.8, "East Buoy"}, std::pair{-179.8, "West Buoy"}})
        w.Point("BOYLAT", {lon, -16.9}, [name = name](OGRFeature &f) {
            Name(f, name);
            f.SetField("BOYSHP", 2);
            f.SetField("COLOUR", "3");
            f.SetField("CATLAM", 1);
        });
    QString problem;
    ASSERT_TRUE(w.Finish(problem)) << problem.toStdString();
}

// A square of land.
void WriteLandCell(const QString &file, double west, double south, double side) {
    TCellWriter w(file);
    w.Area("LNDARE", Box(west, south, west + side, south + side));
    QString problem;
    ASSERT_TRUE(w.Finish(problem)) << problem.toStdString();
}

// The name of the S-57 object the viewer picks at the position.
QString PickAt(TViewRig &rig, IChart *cell, double latDeg, double lonDeg) {
    const TDouble2 p = rig.PixelOf(latDeg, lonDeg);
    int32_t err = -1;
    rig.Viewer->SetS57PickEnabled(true);
    rig.Viewer->MouseDown(ViewerMouseButton::Left, 0, int(p.X), int(p.Y), err);
    rig.Viewer->MouseUp(ViewerMouseButton::Left, 0, int(p.X), int(p.Y), err);
    IS57Object *pick = cell->GetPickObject();
    return pick ? testsupport::Q(pick->GetDetailsHTML(nullptr, nullptr, false)) : QString();
}

double WrappedDeg(double rad) { return std::remainder(rad / chartrig::Deg, 360.0); }

}  // namespace

TEST(S57Dateline, CellAcrossTheMeridianIsOneNarrowCellShownAndHitOnBothSides) {
    TManagerRig charts("s57-dateline");
    WriteDatelineCell(charts.Root + "/s57/DLTEST01.000");
    charts.Create();
    charts.AddS57(charts.Root + "/s57");
    ASSERT_EQ(charts.Manager->GetChartCount(), 1) << charts.Problems().join("\n").toStdString();
    EXPECT_TRUE(charts.Problems().isEmpty()) << charts.Problems().join("\n").toStdString();
    IChart *cell = charts.Manager->GetChart(0);

    TViewRig rig(600, 300);
    rig.Show(charts.All());
    rig.Viewer->ZoomToS57Chart(cell);
    rig.RenderLoaded();
    rig.Save("s57-dateline-zoomed");
    // Zoom to cell: the view is centred on the meridian and a little wider than 6°.
    EXPECT_NEAR(std::fabs(WrappedDeg(rig.Viewer->GetCenterPosition()->Lon)), 180.0, 0.01);
    const double west = WrappedDeg(rig.GeoOf(0, 150).Lon), east = WrappedDeg(rig.GeoOf(600, 150).Lon);
    EXPECT_NEAR(west, 176.85, 0.1);
    EXPECT_NEAR(east, -176.85, 0.1);

    struct Spot { const char *name; double lat, lon; uint32_t colour; bool inCell; };
    const Spot spots[] = {{"island east of 180°", -16.5, 179.9, Land, true},
                          {"island west of 180°", -16.5, -179.9, Land, true},
                          {"water at the eastern end", -16.9, 177.3, Water, true},
                          {"water at the western end", -16.9, -177.3, Water, true},
                          {"south of the cell", -17.4, 179.0, Background, false}};
    for (const Spot &s : spots) {
        SCOPED_TRACE(s.name);
        EXPECT_EQ(rig.At(s.lat, s.lon), s.colour);
        const TDouble2 p = rig.PixelOf(s.lat, s.lon);
        int32_t err = -1;
        rig.Viewer->MouseMove(0, int(p.X), int(p.Y), err);
        EXPECT_EQ(rig.Viewer->GetS57ChartAtMouseCount(), s.inCell ? 1 : 0);
    }
    EXPECT_TRUE(PickAt(rig, cell, -16.9, -179.8).contains("West Buoy"));
    EXPECT_TRUE(PickAt(rig, cell, -16.9, 179.8).contains("East Buoy"));

    // A second viewer given the same view from a calibration sees it from the west side
    // (its centre at 179.x° W): the cell is drawn there too.
    rig.Viewer->Pan(-200, 0);
    TViewRig west2(600, 300);
    west2.Show(charts.All());
    west2.Viewer->SetCalibration(rig.Viewer->GetCalibration());
    west2.Viewer->Render(west2.Bitmap.get());  // the cell is loaded already
    west2.Save("s57-dateline-from-west");
    EXPECT_NEAR(WrappedDeg(west2.Viewer->GetCenterPosition()->Lon), -177.9, 0.05);
    for (const Spot &s : spots) {
        SCOPED_TRACE(std::string("from the west: ") + s.name);
        if (west2.PixelOf(s.lat, s.lon).X < 0) continue;  // panned out of the view
        EXPECT_EQ(west2.At(s.lat, s.lon), s.colour);
    }
    EXPECT_TRUE(PickAt(west2, cell, -16.9, 179.8).contains("East Buoy"));
}

TEST(S57Updates, CancellingUpdateWithdrawsTheCellFromCatalogueAndView) {
    TManagerRig charts("s57-cancel");
    const QString folder = charts.Root + "/s57";
    WriteLandCell(folder + "/KEEP0001.000", 20.0, 10.0, 0.1);
    WriteLandCell(folder + "/GONE0001.000", 20.1, 10.0, 0.1);
    charts.Create();
    charts.Manager->RegisterViewer(0);
    charts.AddS57(folder);
    ASSERT_EQ(charts.Manager->GetChartCount(), 2) << charts.Problems().join("\n").toStdString();
    TViewRig rig(400, 200);
    rig.Show(charts.All());
    rig.Viewer->ZoomToS57Chart(charts.Cell("KEEP0001"));
    rig.Viewer->ZoomAt(0.4, nullptr);
    rig.RenderLoaded();
    ASSERT_EQ(rig.At(10.05, 20.15), Land) << "the cell to be cancelled is drawn";

    QString problem;
    ASSERT_TRUE(s57cells::WriteEmptyUpdate(folder + "/GONE0001.001", 0, 1, problem)) << problem.toStdString();
    charts.Changes.clear();
    charts.Reload();
    EXPECT_EQ(charts.Manager->GetChartCount(), 1);
    EXPECT_EQ(charts.Cell("GONE0001"), nullptr);
    EXPECT_NE(charts.Cell("KEEP0001"), nullptr);
    const QString expected = "GONE0001.000: The cell was cancelled by its update GONE0001.001";
    EXPECT_TRUE(charts.Problems().join("\n").contains(expected)) << charts.Problems().join("\n").toStdString();
    ASSERT_EQ(charts.Changes.size(), 1u) << "the viewer is told to reload its charts";
    EXPECT_EQ(charts.Changes[0], std::make_pair(0, 1));
    // The viewer still holding the old cell objects stops drawing the cancelled one.
    rig.Viewer->RefreshCharts();
    rig.Viewer->Render(rig.Bitmap.get());
    EXPECT_EQ(rig.At(10.05, 20.15), Background);
    EXPECT_EQ(rig.At(10.05, 20.05), Land);

    // A restart reads the catalogue cache: still withdrawn, still said why.
    charts.Create();
    charts.Reload();
    EXPECT_EQ(charts.Manager->GetChartCount(), 1);
    EXPECT_TRUE(charts.Problems().join("\n").contains(expected)) << charts.Problems().join("\n").toStdString();
}

TEST(S57Updates, UpdatesThatCannotBeAppliedAreListedAndTheCellStaysWithoutThem) {
    struct Case {
        const char *name;
        std::function<bool(const QString &, QString &)> writeUpdate;
        const char *problem;
    };
    const Case cases[] = {
        {"a record changes a feature the cell does not hold",
         [](const QString &f, QString &p) { return s57cells::WriteUnappliableUpdate(f, 77, p); },
         "1 update record could not be applied; the cell is shown without them: "
         "Can't find RCNM=100,RCID=77 for update."},
        {"the first update file is numbered 2",
         [](const QString &f, QString &p) { return s57cells::WriteEmptyUpdate(f, 1, 2, p); },
         "The update files could not be applied (Skipping update as UPDN=2 in update does not "
         "match expected 1.); the cell is shown without them."}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TManagerRig charts("s57-update-problem");
        const QString folder = charts.Root + "/s57";
        WriteLandCell(folder + "/UPDF0001.000", 30.0, 40.0, 0.1);
        QString problem;
        ASSERT_TRUE(c.writeUpdate(folder + "/UPDF0001.001", problem)) << problem.toStdString();
        charts.Create();
        charts.AddS57(folder);
        ASSERT_EQ(charts.Manager->GetChartCount(), 1) << charts.Problems().join("\n").toStdString();
        EXPECT_EQ(charts.Problems(), QStringList{QStringLiteral("UPDF0001.000: ") + c.problem});
        TViewRig rig(300, 200);
        rig.Show(charts.All());
        rig.Viewer->ZoomToS57Chart(charts.Manager->GetChart(0));
        rig.RenderLoaded();
        EXPECT_EQ(rig.At(40.05, 30.05), Land) << "drawn as the scan read it";
    }
}

TEST(S57Updates, CellBrokenAfterTheScanIsListedOnceWhenAViewerFailsToLoadIt) {
    TManagerRig charts("s57-late");
    const QString folder = charts.Root + "/s57";
    WriteLandCell(folder + "/LATE0001.000", 30.1, 40.0, 0.1);
    charts.Create();
    charts.AddS57(folder);
    ASSERT_EQ(charts.Manager->GetChartCount(), 1);
    QFile late(folder + "/LATE0001.000");
    ASSERT_TRUE(late.open(QIODevice::WriteOnly));
    late.write("not a cell any more");
    late.close();
    TViewRig rig(300, 200);
    rig.Show(charts.All());
    rig.Viewer->ZoomToS57Chart(charts.Cell("LATE0001"));
    rig.RenderLoaded();
    const QStringList problems = charts.Problems();
    ASSERT_EQ(problems.size(), 1) << problems.join("\n").toStdString();
    EXPECT_TRUE(problems[0].startsWith("LATE0001.000: The cell could not be loaded: ")) << problems[0].toStdString();
    // Drawn again, the failure is not listed twice.
    rig.Viewer->RefreshCharts();
    rig.Viewer->Render(rig.Bitmap.get());
    EXPECT_EQ(charts.Problems().size(), 1);
}
