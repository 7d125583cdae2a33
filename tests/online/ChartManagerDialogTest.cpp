// The chart manager dialog over a real chart manager: chart sets written by the test around
// the shared BSB test chart, and the NOAA and S-58 test cells as one S-57 folder.
#include "online/FrmChartManager.h"
#include "online/FrmS57ChartFolderManager.h"

#include "base/charts/KvCharts.h"
#include "base/kvlib/KvStrings.h"
#include "OnlineTestSupport.h"
#include "TestSupport.h"
#include "base/registry/KvRegistry.h"

#include <KvLibNav6/KvAppReg.h>

#include <KvLibNav6/KvLib.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <memory>

namespace {

using ManagerPtr = std::unique_ptr<IChartManager, void (*)(NavObject *)>;
using GUIDsPtr = std::unique_ptr<ISortedGUIDArray, void (*)(NavObject *)>;

void WriteChartSet(const QString &folder, const QJsonObject &product, const QJsonObject &set,
                   const QStringList &charts) {
    QDir().mkpath(folder);
    QJsonArray list;
    for (const QString &c : charts) {
        list << QJsonObject{{"file", c}};
        QFile::copy(testsupport::TestDataPath("charts/bsb/NZ61401.KAP"), folder + u'/' + c);
    }
    const QJsonObject o{{"product", product}, {"set", set}, {"moduleMask", 1.0}, {"charts", list}};
    QFile f(folder + QStringLiteral("/chartset.json"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QJsonDocument(o).toJson());
}

// Every row as depth-indented "Charts|Count|Scale|check" in tree order.
QStringList Rows(QTreeWidget *tree) {
    QStringList out;
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        int depth = 0;
        for (QTreeWidgetItem *p = (*it)->parent(); p; p = p->parent()) ++depth;
        const QVariant check = (*it)->data(0, Qt::CheckStateRole);
        const QString c = !check.isValid() ? QString() : check.toInt() == Qt::Checked ? "x" : check.toInt() == Qt::PartiallyChecked ? "~" : "o";
        out << QString(depth * 2, u' ') + (*it)->text(0).left(20) + u'|' + (*it)->text(ChartManagerColumn::Count) + u'|' +
                   (*it)->text(ChartManagerColumn::Scale) + u'|' + c;
    }
    return out;
}

QTreeWidgetItem *Row(QTreeWidget *tree, int kind, int n = 0) {
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        if (TFormChartManager::RowKind(*it) == kind && n-- == 0) return *it;
    return nullptr;
}

int CountVisible(IChartManager *m, int viewer) {
    int n = 0;
    for (int i = 0; i < m->GetChartCount(); ++i) n += m->GetChart(i)->IsVisibleIn(1u << viewer) ? 1 : 0;
    return n;
}

// Runs the dialog for viewer 0 without services; returns whether it reports a change.
bool RunDialog(IChartManager *m, bool &baseMap) {
    bool changed = false;
    TFormChartManager::Execute(m, {}, 0, changed, baseMap, 0, {});
    return changed;
}

}  // namespace

class ChartManagerDialog : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FStore.Opened());
        Root = testsupport::MakeTempDir(QStringLiteral("chartmanagerdialog"));
        const QString charts = Root + QStringLiteral("/Charts");
        const QJsonObject product{{"number", 196651}, {"code", "_MRC1"}, {"title", "Test charts"}};
        WriteChartSet(charts + "/be", product, {{"number", 3}, {"code", "BE"}, {"title", "Belgium"}}, {"NZ61401.KAP"});
        // A set whose only chart is missing, and a product with nothing but such a set.
        WriteChartSet(charts + "/nl", product, {{"number", 4}, {"code", "NL"}, {"title", ""}}, {});
        WriteChartSet(charts + "/other", {{"number", 7}, {"code", "XY"}, {"title", "Empty product"}},
                      {{"number", 1}, {"code", "XY1"}, {"title", "Nothing"}}, {});
        QDir().mkpath(Root + "/cache");
        Manager.reset(ChartManagerCreate(StrW(Root + "/cache/ChartInfo.cif"), StrW(Root + "/Marivo.SelectedCharts"),
                                         StrW(charts), nullptr, 1, nullptr, nullptr, nullptr, nullptr));
        ASSERT_TRUE(Manager);
        Manager->RegisterViewer(0);
        Manager->RegisterViewer(1);
        ChartManagerAddS57Folder(Manager.get(), testsupport::TestDataPath("charts/s57"), true, nullptr, nullptr);
        int32_t err = 0;
        Manager->LoadS57ChartInfo(nullptr, 0, 0, 1, err);
        ASSERT_EQ(err, 0);
        ASSERT_EQ(Manager->GetRasterChartCount(), 1);
        ASSERT_EQ(Manager->GetChartCount(), 5);
        // New charts come switched on everywhere; the tests start from nothing selected.
        GUIDsPtr none(SortedGUIDArrayCreate(), ObjectDelete);
        Manager->SetSelectedCharts(0, none.get());
        for (int i = 0; i < Manager->GetChartCount(); ++i) Manager->GetChart(i)->SetVisibleInViewer(0, false);
        FirstFolder = ChartGetFolder(Manager->GetChart(0));
    }
    void TearDown() override { TFormChartManager::SetPrompter({}); }

    TGUID RasterGUID() { return *Manager->GetCatalogueEntry(0)->GetCatalogueObject()->GetRasterChart()->GetInfo()->GetGUID(); }
    int Selected(int viewer) {
        GUIDsPtr set(SortedGUIDArrayCreate(), ObjectDelete);
        Manager->GetSelectedCharts(set.get(), viewer);
        return set->Contains(RasterGUID()) ? 1 : 0;
    }

    testsupport::TPrivateSettingsStore FStore;
    QString Root;
    QString FirstFolder;
    ManagerPtr Manager{nullptr, ObjectDelete};
};

TEST_F(ChartManagerDialog, TreeShowsProductsSetsChartsBaseMapAndS57FoldersWithCounts) {
    TFormChartManager form(Manager.get(), 0, QStringLiteral("Main"), true);
    EXPECT_EQ(form.windowTitle(), "Chart manager - Main");
    const QStringList rows = Rows(form.ListViewCharts);
    ASSERT_EQ(rows.size(), 12) << rows.join('\n').toStdString();
    EXPECT_EQ(rows[0], "ESRI World Topo Map|||x");
    EXPECT_TRUE(rows[1].startsWith("  Sources: Esri, HERE")) << rows[1].toStdString();
    // The empty set and the product holding only an empty set are left out.
    EXPECT_EQ(rows[2], "MRC1 charts|1||o");
    EXPECT_EQ(rows[3], "  Belgium|1||o");
    EXPECT_TRUE(rows[4].startsWith("    ")) << rows[4].toStdString();
    EXPECT_TRUE(rows[4].endsWith("|o")) << rows[4].toStdString();
    EXPECT_EQ(rows[5], "S57 charts|5||o");
    EXPECT_TRUE(rows[6].endsWith("|5||o")) << rows[6].toStdString() << " " << FirstFolder.toStdString();
    const QStringList cells = {"AA400001", "AA400002", "AA400004", "AA400006", "US4MD81M"};
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(rows[7 + i].startsWith("    " + cells[i] + "|")) << rows[7 + i].toStdString();
    EXPECT_TRUE(rows[11].contains("|1:80000|")) << rows[11].toStdString();
    EXPECT_EQ(form.LabelChartsTotalValue->text(), " 6 ");
    EXPECT_EQ(form.LabelChartsSelectedValue->text(), " 0 ");
    EXPECT_FALSE(form.ButtonDownload->isEnabled());
    EXPECT_TRUE(form.ButtonDownload->isVisible() || !form.isVisible());
    EXPECT_TRUE(form.ListViewCharts->isColumnHidden(ChartManagerColumn::TC));
}

TEST_F(ChartManagerDialog, NoChartsShowsBaseMapAndPlaceholder) {
    TFormChartManager form(nullptr, 0, {}, false);
    EXPECT_EQ(form.windowTitle(), "Chart manager");
    EXPECT_EQ(Rows(form.ListViewCharts),
              QStringList({"ESRI World Topo Map|||o", "  Sources: Esri, HERE,|||", "< No charts installe|||"}));
    EXPECT_FALSE(form.ListViewCharts->rootIsDecorated());
}

TEST_F(ChartManagerDialog, CheckingChartsChangesTheViewersSelectionOnClose) {
    ASSERT_EQ(Selected(0), 0);
    ASSERT_EQ(CountVisible(Manager.get(), 0), 0);
    const int otherSelected = Selected(1), otherVisible = CountVisible(Manager.get(), 1);
    bool baseMap = true;
    TFormChartManager::SetPrompter([](TFormChartManager &form) {
        Row(form.ListViewCharts, ChartManagerRow::RasterChart)->setCheckState(0, Qt::Checked);
        // The folder row switches all its cells on; then one cell goes off again.
        Row(form.ListViewCharts, ChartManagerRow::S57Folder)->setCheckState(0, Qt::Checked);
        Row(form.ListViewCharts, ChartManagerRow::S57Chart, 4)->setCheckState(0, Qt::Unchecked);
        Row(form.ListViewCharts, ChartManagerRow::BaseMap)->setCheckState(0, Qt::Unchecked);
        EXPECT_EQ(form.LabelChartsSelectedValue->text(), " 5 ");
        EXPECT_EQ(Row(form.ListViewCharts, ChartManagerRow::S57Group)->checkState(0), Qt::PartiallyChecked);
        EXPECT_EQ(Row(form.ListViewCharts, ChartManagerRow::Product)->checkState(0), Qt::Checked);
        form.ButtonClose->click();
        return form.result();
    });
    EXPECT_TRUE(RunDialog(Manager.get(), baseMap));
    EXPECT_FALSE(baseMap);
    EXPECT_EQ(Selected(0), 1);
    EXPECT_EQ(Selected(1), otherSelected);
    EXPECT_EQ(CountVisible(Manager.get(), 0), 4);
    EXPECT_EQ(CountVisible(Manager.get(), 1), otherVisible);

    // A second run shows the stored state; unchecking the raster chart and closing with
    // Escape still writes the selection back.
    TFormChartManager::SetPrompter([](TFormChartManager &form) {
        QTreeWidgetItem *raster = Row(form.ListViewCharts, ChartManagerRow::RasterChart);
        EXPECT_EQ(raster->checkState(0), Qt::Checked);
        raster->setCheckState(0, Qt::Unchecked);
        QTest::keyClick(&form, Qt::Key_Escape);
        return form.result();
    });
    EXPECT_TRUE(RunDialog(Manager.get(), baseMap));
    EXPECT_EQ(Selected(0), 0);
}

TEST_F(ChartManagerDialog, ClosingWithoutChecksChangesNothing) {
    for (int i = 0; i < 2; ++i) Manager->GetChart(i)->SetVisibleInViewer(0, true);
    bool baseMap = true;
    TFormChartManager::SetPrompter([](TFormChartManager &form) {
        // Checking a row to the state it already has is no change either.
        int checked = 0;
        for (QTreeWidgetItemIterator it(form.ListViewCharts); *it; ++it)
            if (TFormChartManager::RowKind(*it) == ChartManagerRow::S57Chart && (*it)->checkState(0) == Qt::Checked) {
                (*it)->setCheckState(0, Qt::Checked);
                ++checked;
            }
        EXPECT_EQ(checked, 2);
        EXPECT_EQ(Row(form.ListViewCharts, ChartManagerRow::S57Folder)->checkState(0), Qt::PartiallyChecked);
        form.reject();
        return form.result();
    });
    EXPECT_FALSE(RunDialog(Manager.get(), baseMap));
    EXPECT_TRUE(baseMap);
    EXPECT_EQ(Selected(0), 0);
    EXPECT_EQ(CountVisible(Manager.get(), 0), 2);
}

TEST_F(ChartManagerDialog, Screenshot) {
    Manager->GetChart(1)->SetVisibleInViewer(0, true);
    TFormChartManager form(Manager.get(), 0, QStringLiteral("Main"), true);
    form.show();
    form.ListViewCharts->expandAll();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const QString dir = QStringLiteral(MARIVO_BINARY_DIR "/test-output");
    QDir().mkpath(dir);
    EXPECT_TRUE(form.grab().save(dir + "/ChartManagerDialog.png"));
}

TEST_F(ChartManagerDialog, FindS57FolderComparesWholeFolderNames) {
    const QString r = Root + QStringLiteral("/s57");
    const auto identity = [](const QString &folder, const QJsonObject &o) {
        QDir().mkpath(folder);
        QFile f(folder + QStringLiteral("/ienc.json"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QJsonDocument(o).toJson());
    };
    for (const char *sub : {"Charts/A/deep", "Charts/AB", "Charts/A/other", "Fixed"}) QDir().mkpath(r + u'/' + QLatin1String(sub));
    identity(r + "/IENC/NL/_all", {{"country", "NL"}});
    identity(r + "/IENC/DE/Rhein/Km", {{"country", "DE"}, {"region", "Rhein"}, {"water", "Km 1"}});
    identity(r + "/Fixed", {{"fixed", true}});
    for (const QString &f : {r + "/Charts/A", r + "/Charts/", r + "/Charts/A/deep", r + "/IENC/NL/_all",
                             r + "/IENC/DE/Rhein/Km", r + "/Fixed"})
        ChartManagerAddS57Folder(Manager.get(), f, true, nullptr, nullptr);
    int32_t err = 0;
    Manager->LoadS57ChartInfo(nullptr, 0, 0, 1, err);
    struct TCase {
        QString ChartFolder, Folder;
        bool Excluded;
        QString Identity;
    };
    const std::vector<TCase> cases = {
        {r + "/Charts/A", r + "/Charts/A", false, {}},
        {r + "/Charts/A/", r + "/Charts/A", false, {}},
        {r + "/Charts/AB", r + "/Charts/", false, {}},
        {r + "/Charts/A/other", r + "/Charts/A", false, {}},
        {r + "/Charts/A/deep/x", r + "/Charts/A/deep", false, {}},
        {r + "/IENC/NL/_all", r + "/IENC/NL/_all", false, "NL"},
        {r + "/IENC/DE/Rhein/Km/cells", r + "/IENC/DE/Rhein/Km", false, "DE, Rhein, Km 1"},
        {r + "/Fixed", r + "/Fixed", true, {}},
        {r + "/IENC", {}, false, {}},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.ChartFolder.toStdString());
        const TS57FolderHit hit = TFormChartManager::FindS57Folder(Manager.get(), c.ChartFolder);
        EXPECT_EQ(hit.Folder, c.Folder);
        EXPECT_EQ(hit.Index >= 0, !c.Folder.isEmpty());
        EXPECT_EQ(hit.Excluded, c.Excluded);
        EXPECT_EQ(hit.Identity, c.Identity);
        EXPECT_EQ(hit.IsIENCSet, !c.Identity.isEmpty());
    }
}

TEST_F(ChartManagerDialog, SizeAndStateComeBackInTheNextRun) {
    {
        TFormChartManager form(Manager.get(), 0, {}, false);
        EXPECT_EQ(form.size(), QSize(692, 498)) << "the minimum the first time";
        form.resize(800, 600);
        form.accept();
    }
    {
        TFormChartManager form(Manager.get(), 0, {}, false);
        EXPECT_EQ(form.size(), QSize(800, 600));
        EXPECT_FALSE(form.isMaximized());
        form.setWindowState(Qt::WindowMaximized);
    }
    {
        TFormChartManager form(Manager.get(), 0, {}, false);
        EXPECT_TRUE(form.isMaximized());
    }
    int32_t err = 0;
    RegWriteInteger(GetAppReg(), AppRegRoot::Product, QStringLiteral("Desktop\\ChartManager"), RegName(u"State"),
                    int(Qt::WindowMinimized), err);
    TFormChartManager form(Manager.get(), 0, {}, false);
    EXPECT_FALSE(form.isMinimized());
}

TEST_F(ChartManagerDialog, S57FoldersAreEditedInTheFolderManagerAndApplied) {
    bool baseMap = false;
    TFormChartManager::SetPrompter([](TFormChartManager &form) {
        EXPECT_FALSE(form.ButtonS57Folders->isVisible());
        TFormS57ChartFolderManager::SetPrompter([](TFormS57ChartFolderManager &folders) {
            EXPECT_EQ(folders.ListView->topLevelItemCount(), 1);
            folders.ListView->selectAll();
            onlinetest::TMessages answers(mrYes);
            folders.ButtonDeleteClick();
            return 1;
        });
        form.ButtonS57FoldersClick();
        EXPECT_EQ(Row(form.ListViewCharts, ChartManagerRow::S57Group), nullptr);
        EXPECT_EQ(form.LabelChartsTotalValue->text(), " 1 ");
        // Nothing edited: nothing changes.
        TFormS57ChartFolderManager::SetPrompter([](TFormS57ChartFolderManager &) { return 1; });
        form.ButtonS57FoldersClick();
        TFormS57ChartFolderManager::SetPrompter({});
        form.accept();
        return form.result();
    });
    EXPECT_TRUE(RunDialog(Manager.get(), baseMap));
    EXPECT_EQ(Manager->GetS57FolderCount(), 0);
    EXPECT_EQ(Manager->GetChartCount(), 0);
}
