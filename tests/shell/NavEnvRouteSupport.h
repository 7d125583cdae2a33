// The running environment on the demo data for the route tests: a record of what the
// dispatcher delivers, posted notifications handed out on demand, and positions on the
// demo waterway network.
#pragma once

#include "NavEnvFixture.h"

#include "base/waypoints/KvWaypoints.h"
#include "objectinfo/KvWWNetwork.h"

#include <KvLibNav6/KvGeodesy.h>
#include <KvLibNav6/KvNavEnv.h>
#include <KvLibNav6/KvWWNetwork.h>

#include <QCoreApplication>
#include <algorithm>

namespace routetest {

// Every notification the dispatcher delivers, in order.
struct TDelivered {
    std::vector<TNavNotification> Items;
    static void Receive(void *data, TNavNotification *n) {
        static_cast<TDelivered *>(data)->Items.push_back(*n);
    }
    // The codes delivered among those asked for, in order.
    std::vector<int32_t> Codes(std::initializer_list<int32_t> of) const {
        std::vector<int32_t> codes;
        for (const auto &n : Items)
            if (std::find(of.begin(), of.end(), n.Code) != of.end()) codes.push_back(n.Code);
        return codes;
    }
    int Count(int32_t code) const {
        return int(std::count_if(Items.begin(), Items.end(), [code](const auto &n) { return n.Code == code; }));
    }
};

inline void DeliverPosted() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

// Radians of a point along a network section.
inline TGeoPoint OnSection(IWWSection *section, double offset) {
    return SectionGeoPosition(section, offset);
}

// The first section of that name, or nullptr.
inline IWWSection *SectionNamed(IWWNetwork *network, const QString &name) {
    for (int32_t i = 0;; ++i) {
        IWWSection *s = network->GetSection(i);
        if (!s) return nullptr;
        if (WWSectionGetName(s) == name) return s;
    }
}

class NavEnvRoutes : public NavEnvFixture {
protected:
    void SetUp() override {
        NavEnvFixture::SetUp();
        TNavEnvEvents events;
        events.OnPositionRequest = [this](TGeoPoint &position) {
            if (PositionAnswer) position = Answered;
            return PositionAnswer;
        };
        Env = Make({}, std::move(events));
        ASSERT_TRUE(Env->WaterwayNetwork);
        Env->Loop->SetManualClock(true);
        Env->CoreEnv->GetDispatcher()->Subscribe(TDelivered::Receive, &Log);
        Env->OnQuestion = [this](TNavQuestion &q) {
            Questions.push_back(q);
            q.Answer = QuestionAnswer;
        };
        Env->OnSelectRoute = [this](IWptRoute *route) { Selected.push_back(route); };
    }
    void TearDown() override {
        if (Env) Env->CoreEnv->GetDispatcher()->Unsubscribe(TDelivered::Receive, &Log);
        Env.reset();
        NavEnvFixture::TearDown();
    }
    void StartRun() {
        uint8_t mode = 0;
        Env->Start(mode);
    }
    IWWSection *Section(int i) { return Env->WaterwayNetwork->GetSection(i); }
    // A route of the user database with points on network sections 0, 1, 2, …
    IWptRoute *NetworkRoute(int points) {
        IWptRoute *route = Env->UserDatabase->NewRoute(45000.0);
        for (int i = 0; i < points; ++i) {
            int32_t err = 0;
            route->AddNetworkPoint(Section(i), 10.0, 0, err);
            EXPECT_EQ(err, 0);
        }
        return route;
    }
    // The own ship somewhere on the network.
    void PlaceShip() { Env->Boat->SetPosition(OnSection(Section(0), 5.0)); }

    std::unique_ptr<TMarivoNavEnv> Env;
    TDelivered Log;
    bool PositionAnswer = false;
    TGeoPoint Answered{};
    std::vector<TNavQuestion> Questions;
    bool QuestionAnswer = true;
    std::vector<IWptRoute *> Selected;
};

}  // namespace routetest
