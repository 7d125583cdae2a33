// The route table in a bare host over the running navigation environment on the demo data,
// with the demo route from the yacht haven to the marina at Dunmeer.
#pragma once

#include "DemoData.h"
#include "CoreTestSupport.h"
#include "TestSupport.h"
#include "routes/FraRoutes.h"
#include "tests/shell/NavEnvRouteSupport.h"

#include <KvLibNav6/KvPlanner.h>

#include <QVBoxLayout>
#include <QWidget>
#include <stdexcept>

namespace routestest {

inline const demo::TMarina &DemoMarina(const demo::TNetwork &net, const QString &name) {
    for (const demo::TMarina &m : net.Marinas)
        if (m.Name == name) return m;
    throw std::runtime_error("no such marina");
}

class RoutesFixture : public routetest::NavEnvRoutes {
protected:
    void SetUp() override {
        NavEnvRoutes::SetUp();
        Host = std::make_unique<QWidget>();
        Host->resize(1000, 400);
        new QVBoxLayout(Host.get());
        Host->layout()->setContentsMargins(0, 0, 0, 0);
    }
    void TearDown() override {
        Frame = nullptr;
        Host.reset();
        NavEnvRoutes::TearDown();
    }
    TFrameRoutes &MakeFrame() {
        Frame = new TFrameRoutes(Host.get(), *Env);
        Host->layout()->addWidget(Frame);
        Host->show();
        return *Frame;
    }
    // The user-database route from Saltmere Yacht Haven to Dunmeer Marina, planned
    // (fastest); start: its first point's position.
    IWptRoute *MarinaToMarina(TGeoPoint *start = nullptr, const QString &name = QStringLiteral("Haven to Dunmeer")) {
        const demo::TNetwork net = demo::BuildDemoNetwork();
        IWptRoute *route = Env->UserDatabase->NewRoute(45000.0);
        int32_t err = 0;
        route->SetName(testsupport::Rec(name), err);
        for (const char *marina : {"Saltmere Yacht Haven", "Dunmeer Marina"}) {
            const demo::TMarina &m = DemoMarina(net, QString::fromLatin1(marina));
            int32_t index = -1;
            if (!Env->WaterwayNetwork->FindSection(testsupport::Guid(m.Section), index)) return nullptr;
            IWWSection *section = Env->WaterwayNetwork->GetSection(index);
            if (start && route->GetPointCount() == 0) *start = routetest::OnSection(section, m.SectionPosition);
            route->AddNetworkPoint(section, m.SectionPosition, 0, err);
        }
        if (err != 0) return nullptr;
        route->SetPlanMode(WptPlanMode::Fastest, err);
        Env->RecalculateRoute(route, false);
        routetest::DeliverPosted();
        return route;
    }
    // A route of free points only: every leg direct.
    IWptRoute *DirectRoute(int points) {
        IWptRoute *route = Env->UserDatabase->NewRoute(45000.0);
        int32_t err = 0;
        route->SetName(testsupport::Rec(QStringLiteral("Direct")), err);
        for (int i = 0; i < points; ++i) {
            TRoutePosition p{0.9 + i * 0.0005, 0.08 + i * 0.0005, 0.0};
            route->AddPointAtPosition(p, err);
        }
        Env->RecalculateRoute(route, false);
        routetest::DeliverPosted();
        return route;
    }
    // The kinds of the visible rows, in order.
    std::vector<int32_t> VisibleKinds() const {
        std::vector<int32_t> kinds;
        for (const TRteNodeData &r : Frame->Rows())
            if (r.Visible) kinds.push_back(r.Kind);
        return kinds;
    }

    std::unique_ptr<QWidget> Host;
    TFrameRoutes *Frame = nullptr;
};

}  // namespace routestest
