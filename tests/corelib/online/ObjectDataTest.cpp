// The object-update manager's notices, water reports and weather stations: the same
// document from the service stand-in on 127.0.0.1 and from a local file gives the same
// objects; damaged, cut-off, foreign and newer documents are refused and logged while the
// old data stays; an unreachable service is logged without a hang or a change.
#include "CoreTestSupport.h"
#include "ServiceStubProcess.h"
#include "TestSupport.h"
#include "online/WebServicesTransport.h"

#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvNavEnv.h>
#include <KvLibNav6/KvObjectUpdate.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>
#include <QTextStream>
#include <cmath>

namespace {

using testsupport::Owned;
using testsupport::Q;
using testsupport::Rec;

const QString FixtureFile = QStringLiteral(MARIVO_SOURCE_DIR_STR "/tools/servicestub/fixtures/objects/data.json");

QStringList LoggedLines;
void Capture(QtMsgType, const QMessageLogContext &context, const QString &text) {
    if (QLatin1String(context.category) == QLatin1String("korvane.objectdata")) LoggedLines << text;
}

QString Date(TDateTime t) {
    if (t == FTMNoDate) return QStringLiteral("-");
    return QString::number(std::llround(t * 1440.0));  // minutes
}

QString Describe(IFTMLimitation *l) {
    QString out = QStringLiteral("lim %1/%2/%3/%4/%5 groups").arg(l->GetCode()).arg(l->GetIndication())
                      .arg(double(l->GetValue())).arg(l->GetReference()).arg(l->GetPosition());
    for (int32_t i = 0; i < l->GetTargetGroupCount(); ++i)
        out += QStringLiteral(" %1:%2").arg(l->GetTargetGroup(i)).arg(l->GetTargetDirection(i));
    for (int32_t k = 0; k < l->GetPeriodCount(); ++k)
        out += QStringLiteral(" period %1 %2 %3 %4 %5").arg(l->GetPeriodInterval(k)).arg(Date(l->GetPeriodStartDate(k)),
               Date(l->GetPeriodStartTime(k)), Date(l->GetPeriodEndDate(k)), Date(l->GetPeriodEndTime(k)));
    return out;
}

// Everything the getters give, as one text.
QString Describe(INavObjectUpdateManager *m) {
    QString out;
    QTextStream s(&out);
    for (int32_t i = 0; i < m->GetNoticeCount(); ++i) {
        IFTMNotice *n = m->GetNotice(i);
        Owned<IStrW> fairway(StrWCreate(u"", 0));
        n->GetFairwayName(fairway.get());
        s << "notice " << n->GetNumber() << ' ' << Q(n->GetTitle()) << '|' << Q(n->GetOriginator()) << '|'
          << n->GetSubject() << '|' << n->GetReason() << '|' << Q(fairway->GetRec()) << '|'
          << Date(n->GetPublicationDate()) << '|' << Date(n->GetValidFrom()) << '|' << Date(n->GetValidUntil())
          << '|' << Q(n->GetContents()) << '\n';
        for (int32_t g = 0; g < n->GetTargetGroupCount(); ++g)
            s << " group " << n->GetTargetGroup(g) << ':' << n->GetTargetDirection(g) << '\n';
        for (int32_t j = 0; j < n->GetLocationCount(); ++j) {
            IFTMLocation *loc = n->GetLocation(j);
            s << " at " << Q(loc->GetObject()->GetName()) << ' ' << loc->GetObject()->GetType() << '\n';
            for (int32_t k = 0; k < loc->GetLimitationCount(); ++k) s << "  " << Describe(loc->GetLimitation(k)) << '\n';
        }
        for (int32_t c = 0; c < n->GetCommCount(); ++c)
            s << " comm " << n->GetCommMeans(c) << ' ' << n->GetCommReporting(c) << ' ' << Q(n->GetCommNumber(c)) << '\n';
    }
    for (int32_t i = 0; i < m->GetWaterReportCount(); ++i) {
        IWaterReport *r = m->GetWaterReport(i);
        s << "report " << Q(r->GetTitle()) << ' ' << Date(r->GetValidFrom()) << ' ' << Date(r->GetValidUntil()) << ' '
          << r->GetReference() << ' ' << Q(r->GetObject()->GetName()) << '\n';
        for (int32_t k = 0; k < r->GetMeasurementCount(); ++k) {
            IWaterMeasurement *w = r->GetMeasurement(k);
            s << " value " << w->GetMeasureCode() << ' ' << w->IsPrediction() << ' ' << Date(w->GetTime()) << ' '
              << w->GetValue() << ' ' << Q(w->GetUnit()) << ' ' << Q(w->GetDifferenceText()) << ' '
              << w->GetDifference() << '\n';
        }
    }
    for (int32_t i = 0; i < m->GetWeatherStationCount(); ++i) {
        IWeatherStation *w = m->GetWeatherStation(i);
        s << "station " << Q(w->GetName()) << ' ' << w->GetPosition()->Lat << ' ' << w->GetPosition()->Lon << ' '
          << Date(w->GetMeasurementTime()) << ' ' << w->GetTemperature(0) << ' ' << w->GetWindGust(0) << ' '
          << w->GetWindSpeed(1) << '\n';
    }
    return out;
}

class ObjectData : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FStore.Opened());
        LoggedLines.clear();
        FOldHandler = qInstallMessageHandler(Capture);
        FManager.reset(NavObjectUpdateManagerCreate(0, 0, 0, 0, 0, nullptr, nullptr, &Event, this));
    }
    void TearDown() override {
        FManager.reset();
        kv::SetWebTransport(nullptr);
        qInstallMessageHandler(FOldHandler);
    }
    static void Event(void *data, int32_t number) { static_cast<ObjectData *>(data)->Events.push_back(number); }
    bool StartStub() {
        if (!FStub.Start()) return false;
        kv::SetWebTransport(kv::MakeHttpTransport(FStub.BaseUrl()));
        return true;
    }
    // The ticks that make the manager ask the service: its first, then one a quarter of an
    // hour later.
    void AskService() {
        const int before = int(FStub.FieldsOf(QStringLiteral("objects/data")).size());
        for (int i = 0; i <= 15 * 60; ++i) {
            FManager->Tick(TLoopRecord{1.0f, 45000.0});
            if (FStub.Running() && int(FStub.FieldsOf(QStringLiteral("objects/data")).size()) > before) return;
        }
    }
    bool WaitForLog(const QString &part) {
        return QTest::qWaitFor([&] { return LoggedLines.join(u'\n').contains(part); }, 30000);
    }
    QString WriteFile(const QString &name, const QByteArray &bytes) {
        const QString file = QDir(testsupport::MakeTempDir(QStringLiteral("objectdata"))).filePath(name);
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return file;
    }
    void LoadFixture() {
        int32_t err = -1;
        FManager->LoadObjectData(Rec(FixtureFile), err);
        ASSERT_EQ(err, KvErr::Ok);
    }

    testsupport::TPrivateSettingsStore FStore{QStringLiteral("objectdata")};
    testsupport::TServiceStubProcess FStub;
    Owned<INavObjectUpdateManager> FManager;
    std::vector<int32_t> Events;
    QtMessageHandler FOldHandler = nullptr;
};

TEST_F(ObjectData, ServiceAnswerAndLocalFileGiveTheSameObjects) {
    ASSERT_TRUE(StartStub());
    AskService();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Events.empty(); }, 30000));
    EXPECT_EQ(Events, std::vector<int32_t>{ObjectUpdateEvent::ObjectsChanged});
    const QString fromService = Describe(FManager.get());

    Owned<INavObjectUpdateManager> local(NavObjectUpdateManagerCreate(0, 0, 0, 0, 0, nullptr, nullptr, &Event, this));
    int32_t err = -1;
    local->LoadObjectData(Rec(FixtureFile), err);
    ASSERT_EQ(err, KvErr::Ok);
    EXPECT_EQ(Events.size(), 2u);
    EXPECT_EQ(Describe(local.get()), fromService);

    // The demo notice: works at Millbrook Bridge, clearance at most 300 cm, daily 07:00-16:00.
    IFTMNotice *n = FManager->FindNotice(1001);
    ASSERT_TRUE(n);
    EXPECT_EQ(Q(n->GetTitle()), QStringLiteral("Works at Millbrook Bridge"));
    IFTMLimitation *l = n->GetLocation(0)->GetLimitation(0);
    EXPECT_EQ(l->GetCode(), 9);
    EXPECT_EQ(l->GetIndication(), 1);
    EXPECT_EQ(l->GetValue(), 300.0f);
    EXPECT_EQ(l->GetPeriodInterval(0), 2);
    EXPECT_DOUBLE_EQ(l->GetPeriodStartTime(0), 7.0 / 24.0);
    EXPECT_DOUBLE_EQ(l->GetPeriodEndTime(0), 16.0 / 24.0);
    EXPECT_EQ(FManager->FindNotice(1002), nullptr);
    EXPECT_EQ(FManager->GetWaterReport(0)->GetValidUntil(), FTMNoDate);
    EXPECT_EQ(FManager->GetWeatherStation(0)->GetWindGust(0), WeatherValueMissing);
    EXPECT_EQ(Q(FManager->GetWeatherStation(0)->GetName()), QStringLiteral("Saltmere"));
    // Out-of-range indexes answer nothing rather than reading past the lists.
    EXPECT_EQ(FManager->GetNotice(1), nullptr);
    EXPECT_EQ(n->GetLocation(-1), nullptr);
    EXPECT_EQ(l->GetPeriodStartDate(5), FTMNoDate);
}

TEST_F(ObjectData, RefusedServiceAnswersKeepTheOldDataAndAreLogged) {
    LoadFixture();
    const QString before = Describe(FManager.get());
    ASSERT_FALSE(before.isEmpty());
    ASSERT_TRUE(StartStub());
    QFile fixture(FixtureFile);
    ASSERT_TRUE(fixture.open(QIODevice::ReadOnly));
    const QByteArray whole = fixture.readAll();
    const struct {
        const char *name;
        int status;
        QByteArray text;  // sent as it is (a JSON object is parsed on the way)
        const char *logged;
    } cases[] = {
        {"cut off", 200, whole.left(whole.size() / 2), "answer refused"},
        {"no JSON", 200, "<html>maintenance</html>", "answer refused"},
        {"newer version", 200, R"({"result":0,"format":"marivo-objects","version":2,"notices":[]})", "version 2"},
        {"another format", 200, R"({"result":0,"format":"other","version":1})", "not an object-data"},
        {"wrong field", 200, R"({"result":0,"format":"marivo-objects","version":1,"notices":[{"number":"x"}]})",
         "number is no number"},
        {"failing status", 503, R"({"message":"down for maintenance"})", "down for maintenance"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        LoggedLines.clear();
        const QJsonDocument doc = QJsonDocument::fromJson(c.text);
        ASSERT_TRUE(doc.isObject() ? FStub.Script(QStringLiteral("objects/data"), c.status, doc.object())
                                   : FStub.ScriptText(QStringLiteral("objects/data"), c.status, QString::fromUtf8(c.text)));
        AskService();
        EXPECT_TRUE(WaitForLog(QString::fromLatin1(c.logged))) << LoggedLines.join(u'\n').toStdString();
        EXPECT_EQ(Describe(FManager.get()), before);
    }
    EXPECT_EQ(Events.size(), 1u) << "only the file's data was taken";
}

TEST_F(ObjectData, UnreachableServiceAndBadFilesChangeNothing) {
    LoadFixture();
    const QString before = Describe(FManager.get());
    // A service that was there and is gone: no answer, no hang, the data stays.
    ASSERT_TRUE(StartStub());
    FStub.Stop();
    for (int i = 0; i < 3; ++i) FManager->Tick(TLoopRecord{1.0f, 45000.0});
    EXPECT_TRUE(WaitForLog(QStringLiteral("not reached")));
    EXPECT_EQ(Describe(FManager.get()), before);

    const struct {
        const char *name;
        QByteArray text;
        int32_t err;
    } cases[] = {
        {"empty file", "", KvErr::BadFormat},
        {"list instead of object", "[1,2]", KvErr::BadFormat},
        {"date that is none", R"({"format":"marivo-objects","version":1,"notices":[{"validFrom":"soon"}]})",
         KvErr::BadFormat},
        {"station value no number", R"({"format":"marivo-objects","version":1,"weatherStations":[{"height":["x"]}]})",
         KvErr::BadFormat},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        int32_t err = -1;
        FManager->LoadObjectData(Rec(WriteFile(QStringLiteral("bad.json"), c.text)), err);
        EXPECT_EQ(err, c.err);
        EXPECT_EQ(Describe(FManager.get()), before);
    }
    int32_t err = -1;
    FManager->LoadObjectData(Rec(QStringLiteral("/nonexistent/objects.json")), err);
    EXPECT_EQ(err, KvErr::NotFound);
    // An empty but valid document empties the data, and says so.
    FManager->LoadObjectData(Rec(WriteFile(QStringLiteral("empty.json"), R"({"format":"marivo-objects","version":1})")),
                             err);
    EXPECT_EQ(err, KvErr::Ok);
    EXPECT_EQ(FManager->GetNoticeCount() + FManager->GetWaterReportCount() + FManager->GetWeatherStationCount(), 0);
    EXPECT_EQ(Events.size(), 2u);
}

TEST_F(ObjectData, SwitchedOffUpdatesAskNothing) {
    ASSERT_TRUE(StartStub());
    FManager->SetNoUpdates(true);
    for (int i = 0; i < 3; ++i) FManager->Tick(TLoopRecord{1.0f, 45000.0});
    FManager->SetNoUpdates(false);
    FManager->Tick(TLoopRecord{1.0f, 45000.0});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Events.empty(); }, 30000));
    EXPECT_EQ(FStub.FieldsOf(QStringLiteral("objects/data")).size(), 1);
}

}  // namespace
