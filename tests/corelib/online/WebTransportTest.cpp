// The HTTP transport against the services stand-in on 127.0.0.1: the request's fields and
// protocol version arrive, the answers' results, failing statuses with their texts, a
// download written to its file, and a lost server as status 0 with the network's text.
#include "ServiceStubProcess.h"
#include "TestSupport.h"
#include "online/WebServicesTransport.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvLib.h>
#include <KvLibNav6/KvNavEnv.h>
#include <KvLibNav6/KvWebServices.h>

#include <gtest/gtest.h>

#include <QFile>
#include <QTest>
#include <optional>

namespace {

using kv::TWebAnswer;
using kv::TWebRequest;

TStrWRec R(const std::u16string &s) {
    return {int32_t(s.size()), s.c_str()};
}

class WebTransport : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FStore.Opened());
        ASSERT_TRUE(FStub.Start());
        kv::SetWebTransport(kv::MakeHttpTransport(FStub.BaseUrl() + QStringLiteral("/")));
    }
    void TearDown() override { kv::SetWebTransport(nullptr); }

    // Runs one request to its answer.
    TWebAnswer Run(const TWebRequest &request) {
        std::optional<TWebAnswer> got;
        kv::WebTransport()->Start(request, {}, [&got](const TWebAnswer &a) { got = a; });
        EXPECT_TRUE(QTest::qWaitFor([&got]() { return got.has_value(); }, 30000));
        return got.value_or(TWebAnswer{});
    }

    static TWebRequest Login(const QString &email) {
        TWebRequest r;
        r.Service = QStringLiteral("account");
        r.Operation = QStringLiteral("login");
        r.Fields = {{QStringLiteral("email"), email}, {QStringLiteral("password"), QStringLiteral("a&b = é")}};
        return r;
    }

    testsupport::TPrivateSettingsStore FStore{QStringLiteral("webtransport")};
    testsupport::TServiceStubProcess FStub;
};

TEST_F(WebTransport, FieldsAndVersionArriveAndTheResultIsRead) {
    const TWebAnswer a = Run(Login(QStringLiteral("zeiler@example.nl")));
    EXPECT_EQ(a.Error, KvErr::Ok);
    EXPECT_EQ(a.HttpStatus, 200);
    EXPECT_EQ(a.Result, 0);
    const QJsonArray record = FStub.Record();
    ASSERT_EQ(record.size(), 1);
    const QJsonObject entry = record[0].toObject();
    EXPECT_EQ(entry.value("path").toString(), QStringLiteral("account/login"));
    EXPECT_EQ(entry.value("protocol").toString(), QString::fromLatin1(kv::WebProtocolVersion));
    EXPECT_EQ(entry.value("fields").toObject().value("password").toString(), QStringLiteral("a&b = é"));

    ASSERT_TRUE(FStub.Script(QStringLiteral("account/login"), 200, {{"result", 7}}));
    EXPECT_EQ(Run(Login(QStringLiteral("x@example.nl"))).Result, 7);
}

TEST_F(WebTransport, FailingStatusesCarryTheServiceText) {
    struct Case {
        int Status;
        bool Json;
        QString Text;
    };
    for (const Case &c : {Case{500, true, QStringLiteral("Brug buiten bedrijf")},
                          Case{503, false, QStringLiteral("Onderhoud")},
                          Case{404, true, QString()}}) {
        SCOPED_TRACE(c.Status);
        ASSERT_TRUE(c.Json ? FStub.Script(QStringLiteral("account/login"), c.Status, {{"message", c.Text}})
                           : FStub.ScriptText(QStringLiteral("account/login"), c.Status, c.Text));
        const TWebAnswer a = Run(Login(QStringLiteral("x@example.nl")));
        EXPECT_EQ(a.Error, KvErr::NetworkAnswer);
        EXPECT_EQ(a.HttpStatus, c.Status);
        // Without a text of the service's own, the network's description stands in.
        if (c.Text.isEmpty()) {
            EXPECT_FALSE(a.StatusText.isEmpty());
        } else {
            EXPECT_EQ(a.StatusText, c.Text);
        }
    }
    // An answer that is not the protocol's JSON cannot be read.
    ASSERT_TRUE(FStub.ScriptText(QStringLiteral("account/login"), 200, QStringLiteral("<html>")));
    EXPECT_EQ(Run(Login(QStringLiteral("x@example.nl"))).Error, KvErr::NetworkAnswer);
}

TEST_F(WebTransport, ADownloadIsWrittenToItsFile) {
    const QString folder = testsupport::MakeTempDir(QStringLiteral("webdownload"));
    TWebRequest r;
    r.Service = QStringLiteral("account");
    r.Operation = QStringLiteral("download");
    r.Fields = {{QStringLiteral("file"), QStringLiteral("demo.txt")}};
    r.TargetFile = folder + QStringLiteral("/got.txt");
    const TWebAnswer first = Run(r);
    EXPECT_EQ(first.Error, KvErr::Ok) << first.StatusText.toStdString();
    QFile got(r.TargetFile);
    ASSERT_TRUE(got.open(QIODevice::ReadOnly));
    EXPECT_EQ(got.readAll(), QByteArray("Marivo demo download\n"));

    // Into a folder: under the name the service gives.
    r.TargetFile = folder + QStringLiteral("/");
    EXPECT_EQ(Run(r).Error, KvErr::Ok);
    EXPECT_TRUE(QFile::exists(folder + QStringLiteral("/demo.txt")));

    r.Fields = {{QStringLiteral("file"), QStringLiteral("missing.txt")}};
    r.TargetFile = folder + QStringLiteral("/missing.txt");
    const TWebAnswer a = Run(r);
    EXPECT_EQ(a.HttpStatus, 404);
    EXPECT_FALSE(QFile::exists(r.TargetFile));
}

TEST_F(WebTransport, NoServerIsStatusZeroWithTheNetworkText) {
    FStub.Stop();
    const TWebAnswer a = Run(Login(QStringLiteral("x@example.nl")));
    EXPECT_EQ(a.Error, KvErr::NetworkFailed);
    EXPECT_EQ(a.HttpStatus, 0);
    EXPECT_FALSE(a.StatusText.isEmpty());
}

// The program's clients reach the services named in the settings at start; without a base
// URL they stay offline.
TEST_F(WebTransport, TheSettingsBaseUrlIsInstalledAtStart) {
    int32_t err = 0;
    const std::u16string url = FStub.BaseUrl().toStdU16String();
    GetAppReg()->WriteString(AppRegRoot::Product, R(u"Services"), ValueName(R(u"BaseURL")),
                             R(url), err);
    ASSERT_EQ(err, 0);
    std::unique_ptr<INavEnv, void (*)(NavObject *)> env(NavEnvCreate(), ObjectDelete);
    std::unique_ptr<IMRCChartCheck, void (*)(NavObject *)> account(
        MRCChartCheckCreate(env->GetDispatcher(), R(u"Ostrel"), 0x06000000), ObjectDelete);
    account->SetLogin(R(u"schipper@example.nl;geheim"), false, err);
    EXPECT_EQ(err, KvErr::Ok);
    EXPECT_TRUE(QTest::qWaitFor([&]() { return !account->IsBusy(); }, 30000));
    const QList<QJsonObject> logins = FStub.FieldsOf(QStringLiteral("account/login"));
    ASSERT_EQ(logins.size(), 1);
    EXPECT_EQ(logins[0].value("email").toString(), QStringLiteral("schipper@example.nl"));

    GetAppReg()->WriteString(AppRegRoot::Product, R(u"Services"), ValueName(R(u"BaseURL")),
                             R(u""), err);
    kv::InstallWebTransportFromSettings();
    bool answered = false;
    kv::WebTransport()->Start(Login(QStringLiteral("x@example.nl")), {},
                              [&answered](const TWebAnswer &a) { answered = a.Error == KvErr::NetworkFailed; });
    EXPECT_TRUE(answered);
}

}  // namespace
