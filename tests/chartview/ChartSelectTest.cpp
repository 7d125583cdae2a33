// The chart selection dialog over the demo catalogue and the NOAA and S-58 test cells.
#include "ChartInfoFixture.h"

#include "base/charts/KvCharts.h"
#include "base/registry/KvRegistry.h"
#include "chartview/FrmChartSelect.h"
#include "TestSupport.h"

#include <KvLibNav6/KvAppReg.h>

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>

namespace {

// Every node's text with its depth, skipping hidden rows, in tree order.
void Visible(QTreeView *tree, const QModelIndex &parent, int depth, QStringList &out) {
    const QAbstractItemModel *m = tree->model();
    for (int r = 0; r < m->rowCount(parent); ++r) {
        if (tree->isRowHidden(r, parent)) continue;
        const QModelIndex i = m->index(r, 0, parent);
        out << QString(depth * 2, u' ') + i.data().toString();
        Visible(tree, i, depth + 1, out);
    }
}

QStringList Visible(TFormChartSelect &form) {
    QStringList out;
    Visible(form.TreeCharts, {}, 0, out);
    return out;
}

QModelIndex Find(QTreeView *tree, const QString &text) {
    const QModelIndexList hits = tree->model()->match(tree->model()->index(0, 0), Qt::DisplayRole, text, 1,
                                                      Qt::MatchRecursive | Qt::MatchExactly);
    return hits.isEmpty() ? QModelIndex() : hits.first();
}

}  // namespace

class ChartSelect : public ChartInfoFixture {
protected:
    void TearDown() override {
        TFormChartSelect::SetPrompter({});
        ChartInfoFixture::TearDown();
    }
};

TEST_F(ChartSelect, TreeHoldsProductsSetsChartsAndTheS57GroupSortedAndFiltered) {
    TFormChartSelect form(nullptr, Env->ChartManager, 0xFFFFFF);
    QAbstractItemModelTester tester(form.TreeCharts->model(), QAbstractItemModelTester::FailureReportingMode::Warning);
    const QStringList all = Visible(form);
    // The groups sort by text: "S57 charts" before the demo product "Velmer Roads".
    ASSERT_GE(all.size(), 10) << all.join("\n").toStdString();
    EXPECT_EQ(all.at(0), "S57 charts");
    const qsizetype product = all.indexOf("Velmer Roads");
    ASSERT_GT(product, 0) << all.join("\n").toStdString();
    ASSERT_LT(product + 2, all.size());
    EXPECT_EQ(all.at(product + 1), "  Velmer Roads and River Orle");
    EXPECT_TRUE(all.at(product + 2).startsWith("    ")) << all.at(product + 2).toStdString();
    EXPECT_TRUE(all.contains("  XX5VELM1"));
    EXPECT_TRUE(all.contains("  US4MD81M"));
    EXPECT_TRUE(all.contains("  AA400001"));
    // A mask no chart is selected for leaves no product and no group.
    for (int32_t i = 0; i < Env->ChartManager->GetChartCount(); ++i)
        Env->ChartManager->GetChart(i)->SetVisibleInViewer(30, false);
    TFormChartSelect none(nullptr, Env->ChartManager, 1u << 30);
    EXPECT_TRUE(Visible(none).isEmpty()) << Visible(none).join("\n").toStdString();
    // Bold: products and the group.
    EXPECT_TRUE(Find(form.TreeCharts, "Velmer Roads").data(Qt::FontRole).value<QFont>().bold());
    EXPECT_TRUE(Find(form.TreeCharts, "S57 charts").data(Qt::FontRole).value<QFont>().bold());
    EXPECT_FALSE(Find(form.TreeCharts, "Velmer Roads and River Orle").data(Qt::FontRole).isValid());
}

TEST_F(ChartSelect, SearchWordsInAnyOrderAndCaseAndClearingShowsAllCollapsed) {
    TFormChartSelect form(nullptr, Env->ChartManager, 0xFFFFFF);
    const QStringList all = Visible(form);
    const QString chartName = all.at(all.indexOf("Velmer Roads") + 2).trimmed();
    const QStringList words = chartName.split(u' ', Qt::SkipEmptyParts);
    ASSERT_GE(words.size(), 2) << chartName.toStdString();
    form.SetSearchText(QStringLiteral("  %1   %2 ").arg(words.last().toUpper(), words.first().toLower()));
    EXPECT_EQ(Visible(form), QStringList({"Velmer Roads", "  Velmer Roads and River Orle", "    " + chartName}));
    EXPECT_TRUE(form.TreeCharts->isExpanded(Find(form.TreeCharts, "Velmer Roads and River Orle")));
    ASSERT_NE(form.FocusedNode(), nullptr);
    EXPECT_NE(form.FocusedNode()->Entry, nullptr);
    EXPECT_TRUE(form.ButtonOk->isEnabled());

    form.SetSearchText(QStringLiteral(" "));
    EXPECT_EQ(Visible(form), all);
    EXPECT_FALSE(form.TreeCharts->isExpanded(Find(form.TreeCharts, "Velmer Roads and River Orle")));
    EXPECT_EQ(form.FocusedNode(), nullptr);
    EXPECT_FALSE(form.ButtonOk->isEnabled());

    // Only an S-57 cell matches: nothing is focused, Ok stays off.
    form.SetSearchText(QStringLiteral("us4md"));
    EXPECT_EQ(Visible(form), QStringList({"S57 charts", "  US4MD81M"}));
    EXPECT_EQ(form.FocusedNode(), nullptr);
    EXPECT_FALSE(form.ButtonOk->isEnabled());
}

TEST_F(ChartSelect, OkOnlyOnChartNodesAndTheAnswerFillsOnlyItsOwnValue) {
    TFormChartSelect form(nullptr, Env->ChartManager, 0xFFFFFF);
    for (const char *text : {"Velmer Roads", "Velmer Roads and River Orle", "S57 charts"}) {
        ASSERT_TRUE(Find(form.TreeCharts, text).isValid()) << text;
        SCOPED_TRACE(text);
        form.TreeCharts->setCurrentIndex(Find(form.TreeCharts, text));
        EXPECT_FALSE(form.ButtonOk->isEnabled());
    }
    form.TreeCharts->setCurrentIndex(Find(form.TreeCharts, "XX5VELM1"));
    EXPECT_TRUE(form.ButtonOk->isEnabled());

    IChart *const sentinelChart = reinterpret_cast<IChart *>(0x1);
    IChartCatalogueEntry *const sentinelEntry = reinterpret_cast<IChartCatalogueEntry *>(0x1);
    struct Case {
        const char *name;
        QString pick;
        bool raster;
    };
    const Case cases[] = {{"S-57 cell", "XX5VELM1", false}, {"raster chart", {}, true}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TFormChartSelect::SetPrompter([&c](TFormChartSelect &f) {
            QModelIndex i = c.pick.isEmpty() ? QModelIndex() : Find(f.TreeCharts, c.pick);
            if (c.raster) {
                f.SetSearchText(QStringLiteral("velm"));
                i = f.TreeCharts->currentIndex();
            }
            // A double click on a chart confirms.
            f.TreeCharts->doubleClicked(i);
            return f.result();
        });
        IChart *chart = sentinelChart;
        IChartCatalogueEntry *entry = sentinelEntry;
        ASSERT_TRUE(SelectChartDialog(Env->ChartManager, 0xFFFFFF, chart, entry));
        if (c.raster) {
            EXPECT_EQ(chart, sentinelChart);
            ASSERT_NE(entry, sentinelEntry);
            EXPECT_NE(entry->GetCatalogueObject()->GetRasterChart(), nullptr);
        } else {
            EXPECT_EQ(entry, sentinelEntry);
            ASSERT_NE(chart, sentinelChart);
            EXPECT_EQ(ChartGetFileName(chart).section(u'/', -1), "XX5VELM1.000");
        }
    }
    TFormChartSelect::SetPrompter([](TFormChartSelect &) { return int(QDialog::Rejected); });
    IChart *chart = nullptr;
    IChartCatalogueEntry *entry = nullptr;
    EXPECT_FALSE(SelectChartDialog(Env->ChartManager, 0xFFFFFF, chart, entry));
}

TEST_F(ChartSelect, SizeIsKeptForTheNextTime) {
    {
        TFormChartSelect form(nullptr, Env->ChartManager, 0xFFFFFF);
        form.resize(520, 610);
        form.reject();
    }
    TFormChartSelect again(nullptr, Env->ChartManager, 0xFFFFFF);
    EXPECT_EQ(again.size(), QSize(520, 610));
}
