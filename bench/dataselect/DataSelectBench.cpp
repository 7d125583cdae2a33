// Speed of the waypoint picker of the transfer pages: 100,000 waypoints in 100 groups filled
// into it through the filter, and 10,000 of them moved to the chosen list and back.
// Targets: the fill under 0.5 s, each move under 0.3 s.
#include "base/kvlib/KvLib.h"
#include "base/waypoints/KvWaypoints.h"
#include "exchange/FraDataSelect.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <memory>

namespace {

constexpr int Groups = 100;
constexpr int PerGroup = 1000;
constexpr int Moved = 10000;

struct TFixture {
    TNavPtr<IWptManager> Manager;
    std::unique_ptr<TFrameDataSelect> Page;

    TFixture() {
        int32_t err = 0;
        Manager.reset(CreateWptManager(nullptr, nullptr, QStringLiteral("DejaVu Sans"), {}, {}, {}, nullptr,
                                       nullptr, nullptr, nullptr, nullptr, err));
        IWptDatabase *db = WptManagerNewDatabase(Manager.get(), QStringLiteral("Bench"));
        IWptWaypointType *type = db->NewType(TWptTypeDef{}, err);
        for (int g = 0; g < Groups; ++g) {
            IWptWaypointGroup *group = db->NewWaypointGroup(nullptr);
            WptObjectSetName(group, QStringLiteral("Group %1").arg(g), err);
            for (int i = 0; i < PerGroup; ++i) {
                IWptWaypoint *w = db->NewWaypoint(nullptr, TGeoPoint3{0.9 + i * 1e-5, 0.08 + g * 1e-4, 0.0}, type);
                WptObjectSetName(w, QStringLiteral("WP %1-%2").arg(g).arg(i), err);
                w->SetProximity(float(i % 7) * 100.0f, err);
                group->AddWaypoint(w, err);
            }
        }
        Page.reset(TFrameDataSelect::CreateOnManager(Manager.get(), nullptr, QString(), 0, 0x6800B));
        Page->SetKinds(DataSelectKind::Waypoints);
        Page->ShowProximityColumn(true);
        Page->resize(900, 600);
        Page->show();
    }
};

TFixture &Fixture() {
    static TFixture f;
    return f;
}

// The first count item rows in tree order, as ranges (the picker groups by database, so
// all rows sit under one group row here).
void SelectRows(QTreeView *tree, int count) {
    QAbstractItemModel *m = tree->model();
    QItemSelection selection;
    for (int g = 0; g < m->rowCount() && count > 0; ++g) {
        const QModelIndex group = m->index(g, 0);
        const int take = std::min(count, m->rowCount(group));
        if (take > 0) selection.select(m->index(0, 0, group), m->index(take - 1, m->columnCount() - 1, group));
        count -= take;
    }
    tree->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void BM_DataSelectFill(benchmark::State &state) {
    TFixture &f = Fixture();
    for (auto _ : state) f.Page->RefreshAll();
    QAbstractItemModel *m = f.Page->WaypointSelect->ListViewFiltered->model();
    state.counters["rows"] = double(m->rowCount(m->index(0, 0)));
}
BENCHMARK(BM_DataSelectFill)->Unit(benchmark::kMillisecond);

void BM_DataSelectAdd(benchmark::State &state) {
    TFrameDataSelectItems *picker = Fixture().Page->WaypointSelect;
    for (auto _ : state) {
        state.PauseTiming();
        SelectRows(picker->ListViewFiltered, Moved);
        state.ResumeTiming();
        picker->AddSelected();
        state.PauseTiming();
        state.counters["moved"] = double(picker->GetSelectedCount());
        picker->ClearSelected();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DataSelectAdd)->Unit(benchmark::kMillisecond);

void BM_DataSelectRemove(benchmark::State &state) {
    TFrameDataSelectItems *picker = Fixture().Page->WaypointSelect;
    for (auto _ : state) {
        state.PauseTiming();
        SelectRows(picker->ListViewFiltered, Moved);
        picker->AddSelected();
        SelectRows(picker->ListViewSelected, Moved);
        state.ResumeTiming();
        picker->RemoveSelected();
        state.PauseTiming();
        state.counters["left"] = double(picker->GetSelectedCount());
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DataSelectRemove)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // The page stores whether its filter is shown: never in the user's own settings.
    QTemporaryDir home;
    for (const char *var : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "HOME"}) {
        const QString dir = home.path() + QLatin1Char('/') + QString::fromLatin1(var).toLower();
        QDir().mkpath(dir);
        qputenv(var, dir.toLocal8Bit());
    }
    TKvLibScope library;
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    Fixture().Page.reset();
    Fixture().Manager.reset();
    benchmark::Shutdown();
    return 0;
}
