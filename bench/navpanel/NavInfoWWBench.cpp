// One refresh of the waterway block of the navigation panel, as the one-second tick makes it,
// with nine lines asked for:
// - network mode: the own ship sailing along a generated grid of canals (100 × 100
//   junctions, the planner benchmark's network with a bridge on every tenth section and
//   each row and column of canals one fairway), the structures found by walking the
//   network from the ship's section;
// - route mode: the objects of a followed 500-object route (turns, bridges, locks and
//   stops) ahead of a ship that moves on along it.
// Goal: under 2 ms per tick. The counter "linesChanged" counts lines that got a new object
// (and so a new picture) per tick: with the ship between objects it must stay near 0.
#include "bench/common/BenchEnv.h"
#include "bench/common/GridNetwork.h"
#include "chartview/FraNavInfoWW.h"
#include "chartview/FraNavInfoWWStruct.h"
#include "shell/MarivoNavEnv.h"
#include "tests/chartview/NavInfoWWFakes.h"

#include <KvLibNav6/KvGeodesy.h>
#include <KvLibNav6/KvNavEnv.h>
#include <KvLibNav6/KvWWNetwork.h>

#include <benchmark/benchmark.h>

#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <deque>

namespace {

using namespace navinfotest;

struct TCalibrationDeleter {
    void operator()(IGeodeticCalibration *c) const { ObjectDelete(c); }
};

// The block in a bare panel of the navigation panel's width.
struct THost {
    QWidget Window;
    QWidget *Panel;
    TFrameNavInfoWW *Block;
    explicit THost(TMarivoNavEnv &env) {
        Window.resize(420, 1400);
        auto *layout = new QVBoxLayout(&Window);
        layout->setContentsMargins(0, 0, 0, 0);
        Panel = new QWidget(&Window);
        layout->addWidget(Panel);
        layout->addStretch(1);
        Block = new TFrameNavInfoWW(Panel, env);
        Block->SetIndicationCount(9);
        Window.show();
    }
    // The objects the lines show, to count the lines that changed in a tick.
    std::vector<const void *> Shown() const {
        std::vector<const void *> objects;
        for (int slot = 1; slot <= TFrameNavInfoWW::SlotCount; ++slot) {
            TFrameNavInfoWWLine *line = Block->Line(slot);
            auto *s = dynamic_cast<TFrameNavInfoWWStruct *>(line);
            objects.push_back(s ? static_cast<const void *>(s->Structure()) : line);
        }
        return objects;
    }
};

int Changed(const std::vector<const void *> &a, const std::vector<const void *> &b) {
    int n = 0;
    for (size_t i = 0; i < a.size(); ++i) n += a[i] != b[i];
    return n;
}

// The environment on the demo data with the grid in place of the demo network.
struct TGridWorld {
    QTemporaryDir Tmp;
    std::unique_ptr<TMarivoNavEnv> Env;
    IWWSection *Start = nullptr;
    double Middle = 1.0;
    int Ahead = 0;
    QString Error;

    TGridWorld() {
        const QString data = benchenv::DemoData(Tmp);
        if (data.isEmpty()) {
            Error = QStringLiteral("demo data not found (set MARIVO_DATA_DIR to a copy)");
            return;
        }
        const QString network = QDir(data).filePath(QStringLiteral("Waterway Network/WaterwayNetwork.kvwwn"));
        benchgrid::TGrid grid(100);
        grid.BridgeEvery = 10;
        grid.CanalFairways = true;
        if (!benchgrid::WriteGrid(grid, network, Error)) return;
        bool failed = true;
        Env = std::make_unique<TMarivoNavEnv>(failed, nullptr, data, data, 1, TNavEnvEvents{});
        if (failed || !Env->WaterwayNetwork) {
            Error = QStringLiteral("the environment could not be made on the grid");
            return;
        }
        uint8_t mode = 0;
        Env->Start(mode);
        Env->Loop->SetManualClock(true);
        Start = SectionWithMostAhead();
        if (!Start) Error = QStringLiteral("no section with a structure ahead");
    }

    // The first section whose walk ahead finds nine structures, else the one with the most.
    IWWSection *SectionWithMostAhead() {
        IWWSection *best = nullptr;
        int most = 0;
        for (int32_t i = 0; IWWSection *s = Env->WaterwayNetwork->GetSection(i); ++i) {
            double d = 0.0, position = 1.0;
            IWWSection *at = s;
            int found = 0;
            while (at && found < 9) {
                IWWStruct *next = at->FindNextStruct(position, true, d);
                if (!next) break;
                ++found;
                at = next->GetSection();
                position = next->GetSectionPosition() + 1.0;
            }
            if (found > most) {
                most = found;
                best = s;
            }
            if (most == 9) break;
        }
        Ahead = most;
        return best;
    }

    void Sail(IWWSection *section, double offset) {
        const TGeoPoint a = SectionGeoPosition(section, offset), b = SectionGeoPosition(section, offset + 20.0);
        const float course = float(std::atan2((b.Lon - a.Lon) * std::cos(a.Lat), b.Lat - a.Lat));
        Env->Boat->SetPosition(a);
        const TVector v{0.5f, course};
        Env->Boat->GetState()->SetState(&v, nullptr, nullptr, nullptr, course, 0.0f, 0.0f, false, false, 0);
    }
};

void BM_NavInfoWWNetworkTick(benchmark::State &state) {
    TGridWorld world;
    if (!world.Error.isEmpty()) {
        state.SkipWithError(world.Error.toStdString().c_str());
        return;
    }
    world.Sail(world.Start, world.Middle);
    if (!world.Env->StartNavigation(true)) {
        state.SkipWithError("navigation did not start");
        return;
    }
    for (int i = 0; i < 10 && !world.Env->Boat->GetWaterwayObject(); ++i) world.Env->Loop->Advance(1.0f);
    if (world.Env->Boat->GetWaterwayObject() != world.Start) {
        state.SkipWithError("the ship is not on its section");
        return;
    }
    THost host(*world.Env);
    std::unique_ptr<IGeodeticCalibration, TCalibrationDeleter> calibration(GeodeticCalibrationCreate());
    host.Block->UpdateValues(calibration.get());
    const std::vector<const void *> first = host.Shown();
    const auto lines = std::count_if(first.begin(), first.end(), [](const void *o) { return o != nullptr; });
    int64_t changed = 0;
    for (auto _ : state) {
        state.PauseTiming();
        world.Env->Loop->Advance(1.0f);
        const auto before = host.Shown();
        state.ResumeTiming();
        host.Block->UpdateValues(calibration.get());
        state.PauseTiming();
        changed += Changed(before, host.Shown());
        state.ResumeTiming();
    }
    state.counters["lines"] = double(lines);
    state.counters["walkAhead"] = world.Ahead;
    state.counters["linesChanged"] = benchmark::Counter(double(changed), benchmark::Counter::kAvgIterations);
    world.Env->StopNavigation(QString(), false);
}
BENCHMARK(BM_NavInfoWWNetworkTick)->Unit(benchmark::kMicrosecond);

// A followed route's object list: every hundred metres a turn, bridge, lock or stop.
struct TLongRoute {
    std::deque<TFakeStruct> Structs;
    std::deque<TFakeStructPassage> Passages;
    std::deque<TFakeRouteObject> Objects;
    TFakeTimePoint Arrive{45444.5}, Leave{45444.52};
    TFakeLeg Leg;
    TFakeObjectList List;

    explicit TLongRoute(int count) {
        Leg.Points = {&Arrive, &Leave};
        for (int i = 0; i < count; ++i) {
            TFakeRouteObject &o = Objects.emplace_back();
            o.Values[0] = 100.0 * (i + 1);
            switch (i % 4) {
            case 0:
                o.Kind = WptRouteObjectKind::Turn;
                o.Angle = float(M_PI / 4);
                break;
            case 3:
                o.Kind = WptRouteObjectKind::SailingTimesStop;
                o.Leg = &Leg;
                o.PointIndex = 0;
                break;
            default: {
                TFakeStruct &s = Structs.emplace_back();
                if (i % 4 == 2) s.Kind = WWStructKind::Lock;
                TFakeStructPassage &p = Passages.emplace_back();
                p.Struct = &s;
                o.Kind = WptRouteObjectKind::Structure;
                o.Passage = &p;
            }
            }
            List.Items.push_back(&o);
        }
    }
};

void BM_NavInfoWWRouteTick(benchmark::State &state) {
    QTemporaryDir tmp;
    const QString data = benchenv::DemoData(tmp);
    bool failed = true;
    auto env = data.isEmpty() ? nullptr : std::make_unique<TMarivoNavEnv>(failed, nullptr, data, data, 1, TNavEnvEvents{});
    if (!env || failed) {
        state.SkipWithError("the environment could not be made on the demo data");
        return;
    }
    TLongRoute route(500);
    THost host(*env);
    // A ship at 3 m/s: 3 m per tick, through the whole route and round again.
    double ship = 0.0;
    int64_t changed = 0;
    for (auto _ : state) {
        ship = std::fmod(ship + 3.0, 100.0 * 500);
        state.PauseTiming();
        const auto before = host.Shown();
        state.ResumeTiming();
        host.Block->ShowRouteObjects(nullptr, &route.List, 45444.5, ship, 0);
        state.PauseTiming();
        changed += Changed(before, host.Shown());
        state.ResumeTiming();
    }
    state.counters["objects"] = double(route.List.Items.size());
    state.counters["linesChanged"] = benchmark::Counter(double(changed), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_NavInfoWWRouteTick)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char **argv) { return benchenv::RunBenchmarks(argc, argv); }
