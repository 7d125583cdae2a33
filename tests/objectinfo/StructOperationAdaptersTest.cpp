// The program's calls into the operation-request manager: texts reach it unchanged, the
// statistics come back in their documented order, counts per kind and the texts of a log
// entry. The identifiers are read from the real manager, fed by the services stand-in.
#include "objectinfo/StructOperationAdapters.h"

#include "CoreTestSupport.h"
#include "FakeStructOperations.h"
#include "ServiceStubProcess.h"
#include "TestSupport.h"
#include "base/kvlib/KvStrings.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvLib.h>
#include <KvLibNav6/KvNavEnv.h>

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QTest>

namespace {

using testsupport::Owned;
using testsupport::TFakeStructOperations;

const QString ShipName = QStringLiteral("Zeeën Łódź \U0001D518");
const QString Phone = QStringLiteral("+31 (0)6 – 12 34");

TEST(StructOperationAdapters, TextsReachTheManagerUnchanged) {
    TFakeStructOperations m;
    NavStructOpAttach(&m, nullptr, ShipName, 0.4f, nullptr);
    EXPECT_EQ(m.ShipName, ShipName);
    NavStructOpSetShipName(&m, QStringLiteral("Ĳsvogel"));
    EXPECT_EQ(m.ShipName, QStringLiteral("Ĳsvogel"));
    NavStructOpSetPhone(&m, Phone);
    EXPECT_EQ(m.Phone, Phone);
    NavStructOpSetPhone(&m, QString());
    EXPECT_TRUE(m.Phone.isEmpty());
}

TEST(StructOperationAdapters, CountsAndEntryTexts) {
    TFakeStructOperations m;
    for (int kind : {0, 2, 3, 4, 3, 4, 1, 2, 3, 5, 7}) m.Add(45000.0, kind, 200);
    m.Add(45000.1, 2, 500, QStringLiteral("Brug Ĳmuiden"), QStringLiteral("Storing – probeer later"));
    const std::pair<const char *, int> expected[] = {{"request", 3}, {"update", 2}, {"cancel", 1}, {"passed", 1}, {"state", 0}};
    for (const auto &[kind, count] : expected)
        EXPECT_EQ(NavStructOpCountEvents(&m, QString::fromLatin1(kind)), count) << kind;
    QString text = QStringLiteral("old"), name = QStringLiteral("old");
    NavStructOpEventGetStatusText(m.GetEvent(11), text);
    NavStructOpEventGetObjectName(m.GetEvent(11), name);
    EXPECT_EQ(text, QStringLiteral("Storing – probeer later"));
    EXPECT_EQ(name, QStringLiteral("Brug Ĳmuiden"));
    NavStructOpEventGetStatusText(m.GetEvent(0), text);
    EXPECT_TRUE(text.isEmpty());
}

TEST(StructOperationAdapters, StatisticsInTheirOrderAndAnUnsetIdentifierEmpty) {
    TFakeStructOperations m;
    m.Stats.push_back({1, 2, 3, 4, 5});
    QString id = QStringLiteral("from before");
    int active = 0, passed = 0, cancellations = 0, updates = 0, requests = 0;
    NavStructOpGetStructStats(&m, 0, id, active, passed, cancellations, updates, requests);
    EXPECT_TRUE(id.isEmpty());
    EXPECT_EQ((QList<int>{active, passed, cancellations, updates, requests}), (QList<int>{1, 2, 3, 4, 5}));
}

// The real manager, reaching the stand-in through the base URL in the settings.
TEST(StructOperationAdapters, IdentifiersOfTheRealManager) {
    testsupport::TPrivateSettingsStore store(QStringLiteral("structopadapters"));
    testsupport::TServiceStubProcess stub;
    ASSERT_TRUE(stub.Start());
    int32_t err = 0;
    GetAppReg()->WriteString(AppRegRoot::Product, StrW(QStringLiteral("Services")),
                             ValueName(StrW(QStringLiteral("BaseURL"))), StrW(stub.BaseUrl()), err);
    Owned<INavEnv> env(NavEnvCreate());
    const QJsonObject statistics{
        {"structures", QJsonArray{QJsonObject{{"id", "XXSLM00003B000000021"}, {"active", 1}, {"passed", 2},
                                              {"cancellations", 3}, {"updates", 4}, {"requests", 5}}}},
        {"uniqueShipsThisMonth", 12},
        {"uniqueShipsLastMonth", 30}};
    ASSERT_TRUE(stub.Script(QStringLiteral("structops/structures"), 200,
                            {{"result", 0}, {"participating", QJsonArray{"XXSLM00003B000000021"}}, {"statistics", statistics}}));
    Owned<INavStructOperationManager> m(NavStructOperationManagerCreate());
    NavStructOpSetShipName(m.get(), ShipName);
    m->SetActive(true);
    ASSERT_TRUE(QTest::qWaitFor([&]() { return m->GetStructStatsCount() == 1; }, 30000));
    QString id;
    int active = 0, passed = 0, cancellations = 0, updates = 0, requests = 0;
    NavStructOpGetStructStats(m.get(), 0, id, active, passed, cancellations, updates, requests);
    EXPECT_EQ(id, QStringLiteral("XXSLM00003B000000021"));
    EXPECT_EQ((QList<int>{active, passed, cancellations, updates, requests}), (QList<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(m->GetUniqueShipsThisMonth(), 12);
    EXPECT_EQ(stub.FieldsOf(QStringLiteral("structops/structures")).value(0).value("ship").toString(), ShipName);
    NavStructOpGetStructStats(m.get(), 5, id, active, passed, cancellations, updates, requests);
    EXPECT_TRUE(id.isEmpty()) << "out of range";

    // Back offline for whatever runs next in this process.
    GetAppReg()->WriteString(AppRegRoot::Product, StrW(QStringLiteral("Services")),
                             ValueName(StrW(QStringLiteral("BaseURL"))), StrW(QString()), err);
    Owned<INavEnv> offline(NavEnvCreate());
}

}  // namespace
