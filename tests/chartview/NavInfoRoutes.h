// Routes over the demo network for the navigation-panel tests.
#pragma once

#include "DemoData.h"
#include "tests/common/CoreTestSupport.h"
#include "tests/shell/NavEnvRouteSupport.h"

#include <KvLibNav6/KvWaypoints.h>

namespace navinfotest {

inline const demo::TMarina &DemoMarina(const demo::TNetwork &net, const QString &name) {
    for (const demo::TMarina &m : net.Marinas)
        if (m.Name == name) return m;
    throw std::runtime_error("no such marina");
}

// A route of the user database from the demo haven to the marina at Dunmeer; start: the
// position of its first point.
inline IWptRoute *MarinaToMarina(TMarivoNavEnv &env, TDateTime departure, TGeoPoint &start) {
    const demo::TNetwork net = demo::BuildDemoNetwork();
    IWptRoute *route = env.UserDatabase->NewRoute(departure);
    int32_t err = 0;
    for (const char *name : {"Saltmere Yacht Haven", "Dunmeer Marina"}) {
        const demo::TMarina &m = DemoMarina(net, QString::fromLatin1(name));
        int32_t index = -1;
        if (!env.WaterwayNetwork->FindSection(testsupport::Guid(m.Section), index)) return nullptr;
        IWWSection *section = env.WaterwayNetwork->GetSection(index);
        if (route->GetPointCount() == 0) start = routetest::OnSection(section, m.SectionPosition);
        route->AddNetworkPoint(section, m.SectionPosition, 0, err);
    }
    return err == 0 ? route : nullptr;
}

}  // namespace navinfotest
