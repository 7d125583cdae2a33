// The route settings panel and dialogs over the running environment on the demo data: the
// library's route defaults put back after each test, units chosen per test, and a restart
// of the environment on the same settings store and data.
#pragma once

#include "RoutesFixture.h"

#include <KvLibNav6/KvUnits.h>
#include <KvLibNav6/KvWaypoints.h>

namespace routestest {

class RouteSettingsFixture : public RoutesFixture {
protected:
    void SetUp() override {
        _GetWptRouteDefaults(FSavedDefaults);
        RoutesFixture::SetUp();
    }
    void TearDown() override {
        RoutesFixture::TearDown();
        SetWptRouteDefaults(FSavedDefaults);
    }
    // Small distances, depths and speeds in these units.
    void SetUnits(int32_t small, int32_t depth, int32_t speed = KvUnit::KilometrePerHour) {
        Env->SetUnits(depth, Env->UnitDistanceLarge, small, speed, Env->UnitTemperature, Env->UnitVolume);
    }
    // Shuts the environment down as the program does at its end and starts a new one on the
    // same store and data; the library's defaults are forgotten in between, so what comes
    // back was stored.
    void Restart() {
        Env->CoreEnv->GetDispatcher()->Unsubscribe(routetest::TDelivered::Receive, &Log);
        Env->Shutdown();
        Env.reset();
        SetWptRouteDefaults(TWptRouteDefaults{});
        Env = Make();
        ASSERT_TRUE(Env->WaterwayNetwork);
        Env->Loop->SetManualClock(true);
        Env->CoreEnv->GetDispatcher()->Subscribe(routetest::TDelivered::Receive, &Log);
        StartRun();
    }

    TWptRouteDefaults FSavedDefaults;
};

}  // namespace routestest
