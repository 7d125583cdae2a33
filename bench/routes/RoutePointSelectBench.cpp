// Speed of the route point selection lists: the candidate list of 50,000 chart waypoints (one
// in a hundred a place) and every fairway, part and structure of the demo network, with
// distances from a start point; and one search keystroke over that list, the place rule
// included. Targets: the list under 200 ms, a keystroke under 30 ms.
#include "DemoData.h"
#include "bench/common/BenchEnv.h"

#include "base/kvlib/KvLib.h"
#include "base/waypoints/KvWaypoints.h"
#include "objectinfo/KvWWNetwork.h"
#include "routes/RoutePointSelectLogic.h"

#include <KvLibNav6/KvUnits.h>

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <cmath>
#include <memory>

namespace {

struct NavObjectDeleter {
    void operator()(NavObject *o) const { ObjectDelete(o); }
};
template <class T>
using Owned = std::unique_ptr<T, NavObjectDeleter>;

struct TFixture {
    QTemporaryDir Dir;
    Owned<IWWNetwork> Network;
    Owned<IWptManager> Manager;
    IWptDatabase *Charts = nullptr;
    bool Ok = false;

    TFixture() {
        const QString file = Dir.filePath(QStringLiteral("WaterwayNetwork.kvwwn"));
        QString error;
        if (!demo::WriteNetwork(demo::BuildDemoNetwork(), file, error)) return;
        int32_t err = 0;
        Network.reset(WWNetworkLoadFromFile(file, nullptr, err));
        TWptLabelStyle main{10.0f, 0, 0xFF000000u}, small{8.0f, 0, 0xFF000000u};
        Manager.reset(CreateWptManager(nullptr, nullptr, QStringLiteral("DejaVu Sans"), main, small, small,
                                       nullptr, nullptr, nullptr, nullptr, nullptr, err));
        if (!Network || !Manager) return;
        Charts = WptManagerNewDatabase(Manager.get(), QStringLiteral("Bench_Places"));
        IWptWaypointType *city = Charts->NewType(TWptTypeDef{}, err);
        IWptWaypointType *mark = Charts->NewType(TWptTypeDef{}, err);
        WptObjectSetName(city, QStringLiteral("City"), err);
        WptObjectSetName(mark, QStringLiteral("Beacon"), err);
        for (int i = 0; i < 50000; ++i) {
            const double lat = (52.80 + (i % 250) * 0.001) * M_PI / 180;
            const double lon = (4.45 + (i / 250) * 0.002) * M_PI / 180;
            const bool place = i % 100 == 0;
            IWptWaypoint *w = Charts->NewWaypoint(nullptr, TGeoPoint3{lat, lon, 0.0}, place ? city : mark);
            WptObjectSetName(w, place ? QStringLiteral("Town %1").arg(i) : QStringLiteral("Mark %1").arg(i), err);
        }
        Ok = true;
    }

    TCandidateSource Source() const {
        TCandidateSource src;
        src.Manager = Manager.get();
        src.ChartDatabaseSelected = [](IWptDatabase *) { return true; };
        src.Network = Network.get();
        src.Filters = RoutePointFilter::Other | RoutePointFilter::Waterways | RoutePointFilter::Structures;
        src.WaterBodies = 0x1FFFF;
        TDouble3 ref{};
        RowObjectPosition(RouteRowKind::Fairway, Network->GetFairway(0), ref);
        src.Reference = ref;
        src.LargeUnit = KvUnit::Metre;
        return src;
    }
};

TFixture &Fixture() {
    static TFixture fixture;
    return fixture;
}

void BM_RoutePointCandidateList(benchmark::State &state) {
    TFixture &f = Fixture();
    if (!f.Ok) {
        state.SkipWithError("fixture could not be built");
        return;
    }
    const TCandidateSource src = f.Source();
    TCandidateList list;
    for (auto _ : state) {
        BuildCandidates(src, list);
        benchmark::DoNotOptimize(list.Rows.data());
    }
    state.counters["rows"] = double(list.Rows.size());
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(list.Rows.size()));
}
BENCHMARK(BM_RoutePointCandidateList)->Unit(benchmark::kMillisecond);

// One keystroke: the text grows from "town 12" to "town 120", a whole place name, so the
// place rule measures every row against the place as well.
void BM_RoutePointSearchKeystroke(benchmark::State &state) {
    TFixture &f = Fixture();
    if (!f.Ok) {
        state.SkipWithError("fixture could not be built");
        return;
    }
    TCandidateList list;
    BuildCandidates(f.Source(), list);
    const QString text = state.range(0) ? QStringLiteral("town 1200") : QStringLiteral("Mark 4");
    for (auto _ : state) {
        TSearchOutcome out = SearchRows(list.Rows, list.Places, text);
        benchmark::DoNotOptimize(out.Focus);
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(list.Rows.size()));
}
BENCHMARK(BM_RoutePointSearchKeystroke)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

// The program's set-up, as the route and track manager benchmarks of this program need it.
int main(int argc, char **argv) { return benchenv::RunBenchmarks(argc, argv); }
