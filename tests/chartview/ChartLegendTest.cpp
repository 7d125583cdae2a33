// The chart legend window on the demo BSB chart and its legend file.
#include "ChartInfoFixture.h"

#include "base/graphics/KvNightScreen.h"
#include "base/registry/KvRegistry.h"
#include "chartview/FraChartLegend.h"
#include "chartview/FrmChartSelect.h"
#include "tests/shell/ShellTestSupport.h"

#include <KvLibNav6/KvAppReg.h>

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QSet>

namespace {

void Kinds(const QAbstractItemModel *m, const QModelIndex &parent, QSet<int> &out, QTreeView *tree, bool &allExpanded) {
    for (int r = 0; r < m->rowCount(parent); ++r) {
        const QModelIndex i = m->index(r, 0, parent);
        out << i.data(Qt::UserRole + 1).toInt();
        if (m->rowCount(i) > 0 && !tree->isExpanded(i)) allExpanded = false;
        Kinds(m, i, out, tree, allExpanded);
    }
}

}  // namespace

class ChartLegend : public ChartInfoFixture {
protected:
    void TearDown() override {
        Legend.reset();
        TFormChartSelect::SetPrompter({});
        ChartInfoFixture::TearDown();
    }
    TFrameChartLegend &Make() {
        Legend = std::make_unique<TFrameChartLegend>(nullptr, *Env, [this](TLegend &legend, const QString &file) {
            ++Loads;
            legend.LoadFromFile(file);
        });
        Legend->resize(360, 560);
        Legend->show();
        return *Legend;
    }

    std::unique_ptr<TFrameChartLegend> Legend;
    int Loads = 0;
};

TEST_F(ChartLegend, DemoChartShowsEveryRowKindExpandedAndReadsItsFileOnce) {
    TFrameChartLegend &frame = Make();
    EXPECT_EQ(frame.ListView->EmptyCaption, "No chart selected");
    EXPECT_EQ(frame.ListView->EmptyHint, "Click 'Select chart' to select a chart");
    EXPECT_EQ(frame.ButtonChartSelect->text(), "Select chart");
    frame.SelectChart(DemoChart());
    ASSERT_NE(frame.Legend(), nullptr);
    EXPECT_EQ(Loads, 1);
    EXPECT_TRUE(frame.LegendPath().endsWith("VELM0001.leg"));
    EXPECT_TRUE(frame.ListView->EmptyCaption.isEmpty());
    QAbstractItemModelTester tester(frame.ListView->model(), QAbstractItemModelTester::FailureReportingMode::Warning);
    QSet<int> kinds;
    bool allExpanded = true;
    Kinds(frame.ListView->model(), {}, kinds, frame.ListView, allExpanded);
    EXPECT_EQ(kinds, QSet<int>({0, 1, 2, 3, 4}));
    EXPECT_TRUE(allExpanded);
    // Collapsing is refused.
    const QModelIndex first = frame.ListView->model()->index(0, 0);
    frame.ListView->collapse(first);
    EXPECT_TRUE(frame.ListView->isExpanded(first));
    // The same chart again, and a text reload, do not read the file again.
    frame.SelectChart(DemoChart());
    frame.UpdateTexts();
    EXPECT_EQ(Loads, 1);
    // Painting widens the column to the rows.
    (void)frame.grab();
    EXPECT_GT(frame.ListView->columnWidth(0), 100);
}

TEST_F(ChartLegend, S57ChoiceStoresTheNullChartAndANewWindowShowsNoChart) {
    TFrameChartLegend &frame = Make();
    frame.SelectChart(DemoChart());
    TFormChartSelect::SetPrompter([](TFormChartSelect &f) {
        f.SetSearchText(QStringLiteral("xx5velm1"));
        const QAbstractItemModel *m = f.TreeCharts->model();
        f.TreeCharts->doubleClicked(
            m->match(m->index(0, 0), Qt::DisplayRole, "XX5VELM1", 1, Qt::MatchRecursive | Qt::MatchExactly).value(0));
        return f.result();
    });
    frame.ButtonChartSelect->click();
    EXPECT_EQ(frame.Legend(), nullptr);
    EXPECT_EQ(frame.ListView->EmptyCaption, "No legend available");
    EXPECT_EQ(frame.ListView->EmptyHint, "Please select a chart containing a legend");
    TGUID stored{1};
    RegReadGUIDDef(GetAppReg(), AppRegRoot::Product, QStringLiteral("Desktop\\ToolWindowChartLegend"),
                   RegName(u"Chart"), TGUID{1}, stored);
    EXPECT_TRUE(stored == TGUID{});
    TFrameChartLegend &again = Make();
    EXPECT_EQ(again.ListView->EmptyCaption, "No chart selected");
}

TEST_F(ChartLegend, RasterChoiceComesBackAfterARestartAndADamagedFileShowsNoLegend) {
    TFrameChartLegend &frame = Make();
    TFormChartSelect::SetPrompter([](TFormChartSelect &f) {
        f.SetSearchText(QStringLiteral("velm"));
        f.TreeCharts->doubleClicked(f.TreeCharts->currentIndex());
        return f.result();
    });
    frame.ButtonChartSelect->click();
    ASSERT_NE(frame.Legend(), nullptr);
    const QString path = frame.LegendPath();
    TFrameChartLegend &again = Make();
    ASSERT_NE(again.Legend(), nullptr);
    EXPECT_EQ(again.LegendPath(), path);
    // A file that cannot be opened at all (a folder in its place) is caught.
    Legend.reset();
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QDir().mkpath(path));
    TFrameChartLegend &broken = Make();
    EXPECT_EQ(broken.Legend(), nullptr);
    EXPECT_EQ(broken.ListView->EmptyCaption, "No legend available");
}

TEST_F(ChartLegend, LegendFileNameInAnotherCaseIsFound) {
    TFrameChartLegend &frame = Make();
    frame.SelectChart(DemoChart());
    const QString path = frame.LegendPath();
    Legend.reset();
    ASSERT_TRUE(QFile::rename(path, QFileInfo(path).absolutePath() + "/velm0001.LEG"));
    TFrameChartLegend &again = Make();
    ASSERT_NE(again.Legend(), nullptr);
    EXPECT_TRUE(again.LegendPath().endsWith("velm0001.LEG"));
}

TEST_F(ChartLegend, PicturesByDayAndNight) {
    for (bool night : {false, true}) {
        SCOPED_TRACE(night);
        NightScreen()->SetActive(night);
        TFrameChartLegend &frame = Make();
        frame.SelectChart(DemoChart());
        const QImage legend = frame.grab().toImage();
        shelltest::SaveScreenshot(legend, night ? "chartlegend-night" : "chartlegend-day");
        EXPECT_EQ(legend.size(), QSize(360, 560));
        TFormChartSelect select(nullptr, Env->ChartManager, 0xFFFFFF);
        select.SetSearchText(QStringLiteral("velm"));
        select.show();
        shelltest::SaveScreenshot(select.grab().toImage(), night ? "chartselect-night" : "chartselect-day");
    }
    NightScreen()->SetActive(false);
}
