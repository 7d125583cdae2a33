// The object-update and operation-request managers without their services: what the
// program hands them is kept, and nothing is pending or sent; the operation-request manager's
// one attempt to fetch its structures fails at once.
#include "CoreTestSupport.h"

#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvNavEnv.h>
#include <KvLibNav6/KvObjectUpdate.h>
#include <KvLibNav6/KvStructOperation.h>

#include <gtest/gtest.h>

using testsupport::Owned;
using testsupport::Rec;

TEST(OfflineManagers, OperationRequestsKeepTheSignUpAndSendNothing) {
    Owned<INavStructOperationManager> m(NavStructOperationManagerCreate());
    EXPECT_FALSE(m->IsActive()) << "created inactive";
    static int changes = 0;
    changes = 0;
    m->SetCallback([](void *) { ++changes; }, nullptr);
    m->SetActive(true);
    m->SetActive(true);
    EXPECT_TRUE(m->IsActive());
    EXPECT_EQ(changes, 2) << "the switch and the failed fetch, each reported once";
    m->Attach(nullptr, Rec(QStringLiteral("Zeemeeuw")), 1.0f, nullptr);
    for (int i = 0; i < 3; ++i) m->Tick(TLoopRecord{1.0f, 45000.0 + i / 86400.0}, nullptr);
    ASSERT_EQ(m->GetEventCount(), 1);
    EXPECT_EQ(m->GetEvent(0)->GetKind(), 0);
    EXPECT_EQ(m->GetEvent(0)->GetReplyStatus(), 0) << "no reply without a network";
    EXPECT_EQ(m->CountEvents(Rec(QStringLiteral("request"))), 0);
    EXPECT_GT(m->GetLastActionTime(), 0.0);
    int32_t passed = -1, participating = -1;
    m->GetStructCounts(passed, participating);
    EXPECT_EQ(passed + participating, 0);
}

TEST(OfflineManagers, ObjectUpdatesHaveNothingPending) {
    static int events = 0;
    events = 0;
    Owned<INavObjectUpdateManager> m(NavObjectUpdateManagerCreate(
        0, 0, 0, 0, 0, nullptr, nullptr, [](void *, int32_t) { ++events; }, nullptr));
    m->SetFolder(ObjectUpdateFolder::Network, Rec(QStringLiteral("/data/Waterway Network")));
    m->SetNoUpdates(false);
    for (int i = 0; i < 3; ++i) m->Tick(TLoopRecord{1.0f, 45000.0});
    EXPECT_EQ(events, 0);
    EXPECT_EQ(m->GetUpdateCount(), 0);
    EXPECT_EQ(m->GetNoticeCount() + m->GetWaterReportCount() + m->GetWeatherStationCount(), 0);
    int32_t err = 0;
    // A missing local file leaves the (empty) data as it was.
    m->LoadObjectData(Rec(QStringLiteral("/data/objects.json")), err);
    EXPECT_EQ(err, KvErr::NotFound);
    EXPECT_EQ(m->GetNoticeCount(), 0);
}
