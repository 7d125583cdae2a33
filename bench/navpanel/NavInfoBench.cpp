// One 1-s refresh of the navigation-information panel (GPS, waterway, route and next-point
// blocks) on the demo data: while a 50-point route is followed with the simulator, and in
// route-explore mode with a planning time ahead, where every block fills the plan at that
// moment from the route's schedule. The GUI thread pays this every second. Goal: < 5 ms.
#include "../common/BenchEnv.h"
#include "chartview/FraNavInfo.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvGeodesy.h>
#include <KvLibNav6/KvWWNetwork.h>
#include <KvLibNav6/KvWaypoints.h>

#include <QVBoxLayout>

#include <memory>

namespace {

// A planning time an hour ahead, inside the route's plan.
class TExploredTime : public INavPredictedTime {
public:
    TDateTime Time = 0.0;
    float GetTimeOffset() override { return 3600.0f; }
    int32_t GetMode() override { return NavPredictedTimeMode::RouteExplore; }
    void SetMode(int32_t) override {}
    TDateTime GetTime() override { return Time; }
};

struct TSetup {
    QTemporaryDir Tmp;
    std::unique_ptr<TMarivoNavEnv> Env;
    std::unique_ptr<QWidget> Host;
    TFrameNavInfo *Panel = nullptr;
    IWptRoute *Route = nullptr;
    QString Error;

    TSetup() {
        const QString data = benchenv::DemoData(Tmp);
        if (data.isEmpty()) {
            Error = QStringLiteral("demo data not found (set MARIVO_DATA_DIR)");
            return;
        }
        bool failed = true;
        Env = std::make_unique<TMarivoNavEnv>(failed, nullptr, data, data, 1, TNavEnvEvents{});
        if (failed || !Env->WaterwayNetwork) {
            Error = QStringLiteral("the environment could not be created on the demo data");
            return;
        }
        uint8_t mode = 0;
        Env->Start(mode);
        Env->Loop->SetManualClock(true);
        // 50 free points zigzagging north from the first section: open-water legs.
        IWWSection *s = Env->WaterwayNetwork->GetSection(0);
        TDouble3 g{};
        s->GetGlobalPositionAt(g, 10.0);
        TGeoPoint start{};
        GlobalToGeo2(start, g, nullptr);
        // Leaving now, so that following and exploring see the same plan.
        Route = Env->UserDatabase->NewRoute(Env->PredictedTime->GetTime());
        for (int p = 0; p < 50; ++p) {
            int32_t err = 0;
            Route->AddPoint(TGeoPoint3{start.Lat + p * 0.0003, start.Lon + (p % 2) * 0.0003, 0.0}, nullptr,
                            nullptr, err);
        }
        Env->RouteList->Add(Route);
        Env->Planner->Calculate(Env->ActiveBoatDef, Route, 0, false, false, false);
        Env->Boat->SetPosition(start);
        Env->ActivateRoute(Route->GetPoint(1), true, 0.0, 0.0);
        Env->StartNavigation(true);
        Host = std::make_unique<QWidget>();
        Host->resize(420, 1200);
        auto *layout = new QVBoxLayout(Host.get());
        Panel = new TFrameNavInfo(nullptr, *Env);
        layout->addWidget(Panel);
        Host->show();
    }
};

void RunTicks(benchmark::State &state, TSetup &s) {
    for (auto _ : state) {
        state.PauseTiming();
        s.Env->Loop->Advance(1.0f);
        QCoreApplication::processEvents();
        state.ResumeTiming();
        s.Panel->UpdateValues(nullptr, false);
    }
}

void BM_NavInfoRefreshFollowing(benchmark::State &state) {
    TSetup s;
    if (!s.Error.isEmpty()) {
        state.SkipWithError(s.Error.toStdString().c_str());
        return;
    }
    s.Env->ApplyRouteExploreMode(false);
    RunTicks(state, s);
    float xte = 0, rel = 0, width = 0;
    INavRouteNavigation *navigation = s.Env->GetRouteNavigation();
    state.counters["following"] = navigation && navigation->GetXTE(xte, rel, width) ? 1 : 0;
}
BENCHMARK(BM_NavInfoRefreshFollowing)->Unit(benchmark::kMillisecond)->Iterations(50);

void BM_NavInfoRefreshExploring(benchmark::State &state) {
    TSetup s;
    if (!s.Error.isEmpty()) {
        state.SkipWithError(s.Error.toStdString().c_str());
        return;
    }
    s.Env->ApplyRouteExploreMode(true);
    s.Env->SetSelectedRoute(s.Route);
    INavPredictedTime *real = s.Env->PredictedTime;
    TExploredTime explored;
    TNavRouteData probe;
    explored.Time = real->GetTime() - 1.0 / 24;
    for (int m = 0; m < 1440 && !s.Route->GetSchedule()->FillNavData(probe, explored.Time); ++m)
        explored.Time += 1.0 / 1440;
    explored.Time += 5.0 / 1440;
    if (!s.Route->GetSchedule()->FillNavData(probe, explored.Time)) {
        state.SkipWithError("the route has no plan to explore");
        return;
    }
    s.Env->PredictedTime = &explored;
    RunTicks(state, s);
    s.Env->PredictedTime = real;
}
BENCHMARK(BM_NavInfoRefreshExploring)->Unit(benchmark::kMillisecond)->Iterations(50);

}  // namespace
