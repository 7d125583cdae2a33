// The bridge and lock operation-request manager with the real own ship (sailed by the
// simulator) on the demo network, against the services stand-in on 127.0.0.1: the
// participating structures fetched on activation, one request a quarter of an hour out, an
// update after a speed change, a cancellation after turning back, a passage report once
// passed; failing replies and a lost server logged with their status and text.
#include "CoreTestSupport.h"
#include "DemoData.h"
#include "ServiceStubProcess.h"
#include "TestSupport.h"
#include "online/WebServicesTransport.h"

#include <KvLibNav6/KvBoatDef.h>
#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvGeodesy.h>
#include <KvLibNav6/KvLib.h>
#include <KvLibNav6/KvNavBoat.h>
#include <KvLibNav6/KvNavEnv.h>
#include <KvLibNav6/KvStructOperation.h>
#include <KvLibNav6/KvWWNetwork.h>
#include <KvLibNav6/KvWaypoints.h>

#include <GeographicLib/Geodesic.hpp>
#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QTest>
#include <QTimeZone>
#include <cmath>
#include <numbers>

namespace {

using testsupport::Owned;
using testsupport::Q;
using testsupport::Rec;

constexpr double Deg = 180.0 / std::numbers::pi;
constexpr float Knot = 1852.0f / 3600.0f;

TDateTime SummerMorning() {
    static const QDateTime epoch(QDate(1899, 12, 30), QTime(0, 0), QTimeZone::utc());
    return double(epoch.msecsTo(QDateTime(QDate(2024, 6, 12), QTime(8, 0), QTimeZone::utc()))) / 86400000.0;
}

TGeoPoint Direct(const TGeoPoint &from, double bearingRad, double metres) {
    double lat = 0, lon = 0;
    GeographicLib::Geodesic::WGS84().Direct(from.Lat * Deg, from.Lon * Deg, bearingRad * Deg, metres, lat, lon);
    return {lat / Deg, lon / Deg};
}

void CountChange(void *data) {
    ++*static_cast<int *>(data);
}

class StructOperations : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        Demo = new demo::TNetwork(demo::BuildDemoNetwork());
        File = new QString(QDir(testsupport::MakeTempDir(QStringLiteral("structops"))).filePath(QStringLiteral("net.kvwwn")));
        QString error;
        if (!demo::WriteNetwork(*Demo, *File, error)) File->clear();
    }
    static void TearDownTestSuite() {
        delete Demo;
        delete File;
    }
    void SetUp() override {
        ASSERT_FALSE(File->isEmpty());
        ASSERT_TRUE(Stub.Start());
        kv::SetWebTransport(kv::MakeHttpTransport(Stub.BaseUrl()));
        int32_t err = -1;
        Net.reset(WWNetworkCreateFromFile(Rec(*File), nullptr, err));
        ASSERT_EQ(err, KvErr::Ok);
        Wm.reset(WptManagerCreate(nullptr, nullptr, 0, 15.5f, 15.5f, Rec(QStringLiteral("DejaVu Sans")), 10.0f, 0,
                                  0xFF000000u, 8.0f, 1, 0xFF0000FFu, 8.0f, 2, 0xFF00FF00u, 5, nullptr, false, nullptr,
                                  nullptr, nullptr, nullptr, err));
        BoatDef.reset(LPBoatDefCreate(1));
        BoatDef->SetHeights(2.0f, 1.5f, 0.0f);
        BoatDef->SetDimensions(9.0f, 3.2f, TFloat2{4.5f, 0.0f});
        BoatDef->SetMMSI(244123456);
        Boat.reset(NavBoatCreate(Wm.get(), BoatDef.get(), nullptr, 0, nullptr, 0, nullptr, 1, 0, 0, 0, nullptr,
                                 nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                 nullptr, nullptr));
        Boat->SetWaterwayNetwork(Net.get());
        M.reset(NavStructOperationManagerCreate());
        M->Attach(Boat.get(), Rec(QStringLiteral("Zeeëend IJ")), 0.0f, Net.get());
        M->SetSafetyMargin(0.5f);
        M->SetPhone(Rec(QStringLiteral("+31 6 1234 5678")));
        M->SetMode(1);
        M->SetCallback(CountChange, &Changes);

        const demo::TStructure *s = Demo->FindStructureByName(QStringLiteral("Millbrook Bridge"));
        ASSERT_NE(s, nullptr);
        BridgeId = s->Isrs;
        int32_t i = -1;
        ASSERT_TRUE(Net->FindStructByID(Rec(BridgeId), i));
        GlobalToGeo2(BridgeAt, Net->GetStruct(i)->GetGlobalPosition(), nullptr);
    }
    void TearDown() override {
        M.reset();
        Boat.reset();
        kv::SetWebTransport(nullptr);
    }

    // Signs up with the bridge as the one participating structure.
    void Activate() {
        ASSERT_TRUE(Stub.Script(QStringLiteral("structops/structures"), 200,
                                {{"result", 0}, {"participating", QJsonArray{BridgeId}}}));
        M->SetActive(true);
        WaitAnswered();
        ASSERT_EQ(M->GetEventCount(), 1);
        EXPECT_EQ(M->GetEvent(0)->GetKind(), 0);
        EXPECT_EQ(M->GetEvent(0)->GetReplyStatus(), 200);
    }

    // The ship `metres` from the bridge, heading straight at it.
    void Approach(double metres, float knots) {
        const double bearingFromBridge = 0.6;
        Boat->SetPosition(Direct(BridgeAt, bearingFromBridge, metres));
        Sail(knots, float(std::remainder(bearingFromBridge + std::numbers::pi, 2 * std::numbers::pi)));
        Boat->Start(true);
        ASSERT_TRUE(Boat->IsSimulating());
    }
    void Sail(float knots, float course) {
        const TVector v{knots * Knot, course < 0 ? course + float(2 * std::numbers::pi) : course};
        Boat->GetState()->SetState(&v, nullptr, nullptr, nullptr, 0, 0, 0, true, true, 8);
    }
    float Course() { return Boat->GetState()->GetVAbsAngle(); }

    // One second of the loop: the ship moves, the manager looks, its requests are answered.
    void Tick() {
        Time += 1.0 / 86400;
        uint32_t flags = 0;
        Boat->UpdateSecond(TLoopRecord{1.0f, Time}, 0, 0, nullptr, flags);
        M->Tick(TLoopRecord{1.0f, Time}, nullptr);
        WaitAnswered();
    }
    // Ticks until the log holds `count` entries of kind, at most `seconds` ticks.
    bool TickUntil(const char *kind, int count, int seconds) {
        for (int i = 0; i < seconds; ++i) {
            if (M->CountEvents(Rec(QString::fromLatin1(kind))) >= count) return true;
            Tick();
        }
        return M->CountEvents(Rec(QString::fromLatin1(kind))) >= count;
    }
    // Every entry of the log has had its reply: each reply calls back once, so does every
    // switch of the sign-up.
    void WaitAnswered() {
        ASSERT_TRUE(QTest::qWaitFor([this]() { return Changes >= M->GetEventCount() + Switches(); }, 30000));
    }
    int Switches() const { return 1; }
    QList<int> Kinds() {
        QList<int> k;
        for (int i = 0; i < M->GetEventCount(); ++i) k.append(M->GetEvent(i)->GetKind());
        return k;
    }

    static demo::TNetwork *Demo;
    static QString *File;
    testsupport::TServiceStubProcess Stub;
    Owned<IWWNetwork> Net;
    Owned<IWptManager> Wm;
    Owned<ILPBoatDef> BoatDef;
    Owned<INavBoat> Boat;
    Owned<INavStructOperationManager> M;
    int Changes = 0;
    QString BridgeId;
    TGeoPoint BridgeAt;
    TDateTime Time = SummerMorning();
};
demo::TNetwork *StructOperations::Demo = nullptr;
QString *StructOperations::File = nullptr;

TEST_F(StructOperations, ApproachSpeedChangeTurnBackAndPassage) {
    Activate();
    Approach(3300, 6.0f);
    ASSERT_TRUE(TickUntil("request", 1, 600));
    EXPECT_EQ(Kinds(), (QList<int>{0, 2, 3}));
    INavStructOperationEvent *request = M->GetEvent(1);
    EXPECT_EQ(Q(request->GetObjectName()), QStringLiteral("Millbrook Bridge"));
    EXPECT_EQ(request->GetReplyStatus(), 200);
    EXPECT_NEAR((request->GetETA() - request->GetTime()) * 86400, 15 * 60, 3);
    const QList<QJsonObject> sent = Stub.FieldsOf(QStringLiteral("structops/request"));
    ASSERT_EQ(sent.size(), 1);
    EXPECT_EQ(sent[0].value("ship").toString(), QStringLiteral("Zeeëend IJ"));
    EXPECT_EQ(sent[0].value("structure").toString(), BridgeId);
    EXPECT_DOUBLE_EQ(sent[0].value("height").toString().toDouble(), 2.5);
    EXPECT_EQ(sent[0].value("mmsi").toString(), QStringLiteral("244123456"));
    EXPECT_EQ(sent[0].value("phone").toString(), QStringLiteral("+31 6 1234 5678"));
    EXPECT_TRUE(QDateTime::fromString(sent[0].value("eta").toString(), Qt::ISODate).isValid());

    // Steady sailing changes nothing; slowing down moves the estimate by minutes.
    for (int i = 0; i < 30; ++i) Tick();
    EXPECT_EQ(M->GetEventCount(), 3);
    Sail(4.0f, Course());
    ASSERT_TRUE(TickUntil("update", 1, 5));
    EXPECT_EQ(M->CountEvents(Rec(QStringLiteral("update"))), 1);
    EXPECT_EQ(Stub.FieldsOf(QStringLiteral("structops/state")).size(), 2);

    Sail(4.0f, float(std::remainder(Course() + std::numbers::pi, 2 * std::numbers::pi)));
    ASSERT_TRUE(TickUntil("cancel", 1, 5));
    EXPECT_EQ(M->CountEvents(Rec(QStringLiteral("passed"))), 0);

    // Back on course: asked again, then through the bridge.
    Sail(6.0f, float(std::remainder(Course() + std::numbers::pi, 2 * std::numbers::pi)));
    ASSERT_TRUE(TickUntil("request", 2, 10));
    ASSERT_TRUE(TickUntil("passed", 1, 1200));
    EXPECT_EQ(M->CountEvents(Rec(QStringLiteral("cancel"))), 1);
    EXPECT_EQ(Kinds().last(), 5);
    for (int i = 0; i < 30; ++i) Tick();
    EXPECT_EQ(Kinds().last(), 5) << "nothing more once passed";

    // The statistics came with the replies.
    int32_t passed = 0, participating = 0;
    M->GetStructCounts(passed, participating);
    EXPECT_EQ(passed, 1);
    EXPECT_EQ(participating, 1);
    EXPECT_EQ(M->GetUniqueShipsThisMonth(), 1);
    ASSERT_EQ(M->GetStructStatsCount(), 1);
    Owned<IStrW> id(StrWCreate(u"", 0));
    int32_t active = -1, p = -1, cancels = -1, updates = -1, requests = -1;
    M->GetStructStats(0, id.get(), active, p, cancels, updates, requests);
    EXPECT_EQ(Q(id->GetRec()), BridgeId);
    EXPECT_EQ((QList<int>{active, p, cancels, updates, requests}), (QList<int>{0, 1, 1, 1, 2}));
    EXPECT_DOUBLE_EQ(M->GetLastActionTime(), M->GetEvent(M->GetEventCount() - 1)->GetTime());
}

TEST_F(StructOperations, FailingRepliesAndALostServerAreLoggedWithTheirText) {
    Activate();
    ASSERT_TRUE(Stub.Script(QStringLiteral("structops/request"), 500, {{"message", "Brug gestremd"}}));
    Approach(2600, 6.0f);
    ASSERT_TRUE(TickUntil("request", 1, 5));
    INavStructOperationEvent *failed = M->GetEvent(1);
    EXPECT_EQ(failed->GetReplyStatus(), 500);
    EXPECT_EQ(Q(failed->GetStatusText()), QStringLiteral("Brug gestremd"));

    Stub.Stop();
    Sail(3.0f, Course());
    ASSERT_TRUE(TickUntil("update", 1, 5));
    for (int i = 3; i < M->GetEventCount(); ++i) {
        EXPECT_EQ(M->GetEvent(i)->GetReplyStatus(), 0);
        EXPECT_FALSE(Q(M->GetEvent(i)->GetStatusText()).isEmpty());
    }
}

// Switching off tells the operators; a manager without a callback or network keeps still.
TEST_F(StructOperations, DeactivationCancelsWhatWasRequested) {
    Activate();
    Approach(2600, 6.0f);
    ASSERT_TRUE(TickUntil("request", 1, 5));
    M->SetActive(false);
    ASSERT_TRUE(QTest::qWaitFor([this]() { return M->CountEvents(Rec(QStringLiteral("cancel"))) == 1; }, 30000));
    M->SetCallback(nullptr, nullptr);
    M->SetWaterwayNetwork(nullptr);
    M->SetActive(true);
    const int before = M->GetEventCount();
    INavStructOperationEvent *fetch = M->GetEvent(before - 1);
    ASSERT_EQ(fetch->GetKind(), 0);
    ASSERT_TRUE(QTest::qWaitFor([fetch]() { return fetch->GetReplyStatus() == 200; }, 30000));
    for (int i = 0; i < 5; ++i) {
        Time += 1.0 / 86400;
        M->Tick(TLoopRecord{1.0f, Time}, nullptr);
    }
    EXPECT_EQ(M->GetEventCount(), before) << "no structure to watch without a network";
}

}  // namespace
