// The online clients without a network: every request ends at once with its error and is
// answered exactly once by its notification, naming the requesting client; getters stay
// empty; the remembered login survives in the settings store.
#include "TestSupport.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvLanguage.h>
#include <KvLibNav6/KvLib.h>
#include <KvLibNav6/KvNavEnv.h>
#include <KvLibNav6/KvWebServices.h>

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

struct NavDeleter {
    void operator()(NavObject *o) const { ObjectDelete(o); }
};
template <class T>
using Owned = std::unique_ptr<T, NavDeleter>;

TStrWRec R(const std::u16string &s) {
    return {int32_t(s.size()), s.c_str()};
}

QString Text(IStrW *s) {
    const TStrWRec *r = s->GetRec();
    return QString::fromUtf16(r->Text, r->Length);
}

void FlushPosted() {
    for (int i = 0; i < 5; ++i) QCoreApplication::sendPostedEvents();
}

struct TRecorder {
    std::vector<TNavNotification> Got;
    static void Proc(void *data, TNavNotification *n) {
        static_cast<TRecorder *>(data)->Got.push_back(*n);
    }
};

void PickEnglish(int32_t *language, bool *cancelled) {
    *language = KvLang::English;
    *cancelled = false;
}

class WebServices : public ::testing::Test {
protected:
    void SetUp() override {
        FOldConfig = qgetenv("XDG_CONFIG_HOME");
        FConfigDir = testsupport::MakeTempDir(QStringLiteral("webservices")) + "/config";
        OpenStore(FConfigDir);
        FEnv.reset(NavEnvCreate());
        Disp()->Subscribe(TRecorder::Proc, &FAnswers);
        FAccount.reset(MRCChartCheckCreate(Disp(), R(u"Ostrel"), 0x06000000));
        FUserData.reset(UserDataAPICreate(Disp(), FAccount.get()));
        FIENC.reset(S57ChartCheckCreate(Disp(), R(u""), 0x01000000));
    }
    void TearDown() override {
        FlushPosted();
        qputenv("XDG_CONFIG_HOME", FOldConfig);
        qunsetenv("MARIVO_INSTALLATION_SETTINGS");
    }

    // Opens the settings store of a configuration folder, as a program start does.
    static void OpenStore(const QString &configDir) {
        qputenv("XDG_CONFIG_HOME", configDir.toLocal8Bit());
        qputenv("MARIVO_INSTALLATION_SETTINGS", QByteArray());
        const TGUID product;
        ASSERT_TRUE(InitApplication(239, 0, &product, R(u"Marivo\\Ostrel"), 21, 3, 2024, 2024,
                                    3, 21, PickEnglish, nullptr, nullptr, nullptr, R(u"Test"), 9));
    }

    INavMessageDispatcher *Disp() { return FEnv->GetDispatcher(); }

    QString StoredLogin(IMRCChartCheck *check, bool &remembered) {
        Owned<IStrW> email(StrWCreate(u"previous", 8));
        remembered = check->GetStoredLogin(email.get());
        return Text(email.get());
    }

    QByteArray FOldConfig;
    QString FConfigDir;
    Owned<INavEnv> FEnv;
    TRecorder FAnswers;
    Owned<IMRCChartCheck> FAccount;
    Owned<IUserDataAPI> FUserData;
    Owned<IS57ChartCheck> FIENC;
};

}  // namespace

TEST_F(WebServices, EveryRequestEndsAtOnceAndIsAnsweredOnceNamingItsClient) {
    Owned<IMRCRequestList> list(FAccount->NewRequestList());
    Owned<IMRCRequestItem> item(FAccount->NewRequestItem());
    item->SetProductNumber(17);
    item->SetModuleMask(2);
    list->Add(item.get());
    FIENC->GetSelectionList()->Clear();

    struct Case {
        const char *name;
        std::function<void(int32_t &err)> request;
        NavObject *client;
        int32_t code;
        int32_t err;  // what the call reports at once; also the client's last result
    };
    const std::u16string empty;
    const Case cases[] = {
        {"news", [&](int32_t &e) { FAccount->FetchNews(R(u"nl"), 0, e); }, FAccount.get(),
         NavNotify::AccountRequestDone, KvErr::NetworkFailed},
        {"login with text", [&](int32_t &e) { FAccount->SetLogin(R(u"skipper@example.org;x"), false, e); },
         FAccount.get(), NavNotify::AccountRequestDone, KvErr::NetworkFailed},
        {"chart-set downloads", [&](int32_t &e) { FAccount->RequestDownload(list.get(), e); },
         FAccount.get(), NavNotify::AccountRequestDone, KvErr::NetworkFailed},
        {"removal report", [&](int32_t &e) { FAccount->ReportRemoval(list.get(), e); },
         FAccount.get(), NavNotify::AccountRequestDone, KvErr::NetworkFailed},
        {"empty download request", [&](int32_t &e) { FAccount->RequestDownload(nullptr, e); },
         FAccount.get(), NavNotify::AccountRequestDone, KvErr::InvalidArgument},
        {"file download without a record", [&](int32_t &e) {
             FAccount->StartFileDownload(nullptr, 0, R(u"/tmp/"), R(u"a.kap"), e);
         }, FAccount.get(), NavNotify::AccountRequestDone, KvErr::InvalidArgument},
        {"user data", [&](int32_t &e) { FUserData->RequestUserData(e); }, FUserData.get(),
         NavNotify::UserDataRequestDone, KvErr::NetworkFailed},
        {"ship upload", [&](int32_t &e) { FUserData->UploadShip(R(u"Zeemeeuw"), 9.5f, 3.2f, 2.5f, 1.1f, e); },
         FUserData.get(), NavNotify::UserDataRequestDone, KvErr::NetworkFailed},
        {"ship upload without a name", [&](int32_t &e) { FUserData->UploadShip(R(u"  "), 9.5f, 3.2f, 2.5f, 1.1f, e); },
         FUserData.get(), NavNotify::UserDataRequestDone, KvErr::InvalidArgument},
        {"ship removal", [&](int32_t &e) { FUserData->DeleteShip(R(u"Zeemeeuw"), e); },
         FUserData.get(), NavNotify::UserDataRequestDone, KvErr::NetworkFailed},
        {"report", [&](int32_t &e) {
             FUserData->SendReport(R(u"Marivo v6"), R(u""), R(u"Bridge"), R(u"Closed"), R(u""),
                                   R(u""), R(u"52N 5E"), R(u""), R(u""), false, e);
         }, FUserData.get(), NavNotify::UserDataRequestDone, KvErr::NetworkFailed},
        {"report with a missing screenshot", [&](int32_t &e) {
             FUserData->SendReport(R(u"Marivo v6"), R(u""), R(u"Bridge"), R(u"Closed"), R(u""),
                                   R(u"/nonexistent/shot.png"), R(u""), R(u""), R(u""), false, e);
         }, FUserData.get(), NavNotify::UserDataRequestDone, KvErr::NotFound},
        {"chart-set list", [&](int32_t &e) { FIENC->RequestChartSetList(e); }, FIENC.get(),
         NavNotify::IENCStepDone, KvErr::NetworkFailed},
        {"one chart set", [&](int32_t &e) { FIENC->RequestChartSet(R(u"NL"), R(u"1"), R(u"Maas"), e); },
         FIENC.get(), NavNotify::IENCStepDone, KvErr::NetworkFailed},
        {"common file", [&](int32_t &e) { FIENC->DownloadCommonFile(R(u"/tmp/ienc/"), e); },
         FIENC.get(), NavNotify::IENCStepDone, KvErr::NetworkFailed},
        {"set file without a set", [&](int32_t &e) { FIENC->DownloadChartSetFile(nullptr, 0, R(u"/tmp/"), e); },
         FIENC.get(), NavNotify::IENCStepDone, KvErr::InvalidArgument},
        {"empty selection", [&](int32_t &e) { FIENC->RequestChartSets(FIENC->GetSelectionList(), e); },
         FIENC.get(), NavNotify::IENCStepDone, KvErr::InvalidArgument},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        FlushPosted();
        FAnswers.Got.clear();
        int32_t err = -1;
        c.request(err);
        EXPECT_EQ(err, c.err);
        EXPECT_TRUE(FAnswers.Got.empty()) << "the answer is posted, not delivered inside the call";
        FlushPosted();
        ASSERT_EQ(FAnswers.Got.size(), 1u) << "exactly one answer";
        EXPECT_EQ(FAnswers.Got[0].Code, c.code);
        EXPECT_EQ(FAnswers.Got[0].P1, reinterpret_cast<intptr_t>(c.client));
        const int32_t last = c.client == FAccount.get() ? FAccount->GetLastResult()
                             : c.client == FUserData.get() ? FUserData->GetLastResult()
                                                          : FIENC->GetLastResult();
        EXPECT_EQ(last, c.err);
    }
    EXPECT_FALSE(FAccount->IsBusy());
}

TEST_F(WebServices, AnswersNameTheirOwnClientAmongSeveral) {
    Owned<IMRCChartCheck> other(MRCChartCheckCreate(Disp(), R(u"Ostrel"), 0x06000000));
    int32_t err = 0;
    other->FetchNews(R(u"en"), 0, err);
    FAccount->FetchNews(R(u"en"), 0, err);
    FlushPosted();
    ASSERT_EQ(FAnswers.Got.size(), 2u);
    EXPECT_EQ(FAnswers.Got[0].P1, reinterpret_cast<intptr_t>(other.get()));
    EXPECT_EQ(FAnswers.Got[1].P1, reinterpret_cast<intptr_t>(FAccount.get()));
}

TEST_F(WebServices, GettersGiveNothingWithoutAnAnswer) {
    EXPECT_EQ(FAccount->GetNewsCount(), 0);
    EXPECT_EQ(FAccount->GetNews(0), nullptr);
    EXPECT_EQ(FAccount->GetRemoteFileCount(), 0);
    EXPECT_EQ(FAccount->GetVersionCount(), 0);
    EXPECT_EQ(FAccount->GetAvailableChartSetCount(), 0);
    EXPECT_EQ(FAccount->GetDownloadCount(), 0);
    EXPECT_EQ(FAccount->FindChartSetRecord(1, 1), nullptr);
    EXPECT_FALSE(FAccount->HasNewerEditions());
    int32_t err = -1, state = -1;
    EXPECT_FALSE(FAccount->HasRemoteFile(R(u"Manual/en/index.html"), err));
    EXPECT_EQ(err, KvErr::Ok);
    EXPECT_FALSE(FAccount->GetNewEditionState(1, 2, state));

    Owned<IStrW> name(StrWCreate(u"previous", 8));
    float length = 1, beam = 1, height = 1, draught = 1;
    FUserData->GetShip(0, name.get(), length, beam, height, draught);
    EXPECT_EQ(Text(name.get()), QString());
    EXPECT_EQ(length + beam + height + draught, 0.0f);
    EXPECT_EQ(FUserData->GetShipCount(), 0);

    int32_t time = 5;
    int64_t size = 5;
    EXPECT_FALSE(FIENC->GetCommonFileInfo(name.get(), time, size));
    EXPECT_EQ(Text(name.get()), QString());
    EXPECT_EQ(time, 0);
    EXPECT_EQ(size, 0);
    EXPECT_EQ(FIENC->FindChartSet(R(u"NL"), R(u"1"), R(u"Maas")), nullptr);
    EXPECT_EQ(FIENC->GetChartSetCount(), 0);
    FlushPosted();
    EXPECT_TRUE(FAnswers.Got.empty()) << "getters ask the service nothing";
}

TEST_F(WebServices, RequestListsHoldReferencesOnly) {
    Owned<IMRCRequestList> list(FAccount->NewRequestList());
    Owned<IMRCRequestItem> a(FAccount->NewRequestItem()), b(FAccount->NewRequestItem());
    list->Add(a.get());
    list->Add(nullptr);
    list->Add(b.get());
    ASSERT_EQ(list->GetCount(), 2);
    EXPECT_EQ(list->GetItem(1), b.get());
    EXPECT_EQ(list->GetItem(2), nullptr);
    list->Delete(0);
    EXPECT_EQ(list->GetItem(0), b.get());
    list->Delete(5);
    list->Clear();
    EXPECT_EQ(list->GetCount(), 0);
}

TEST_F(WebServices, RememberedLoginSurvivesInTheSettingsStore) {
    bool remembered = true;
    EXPECT_EQ(StoredLogin(FAccount.get(), remembered), QString());
    EXPECT_FALSE(remembered);

    // As the program's login wrapper does it: address, password, then log in with the
    // login just set.
    int32_t err = -1;
    FAccount->SetLoginEmail(R(u"skipper@example.org"), true, err);
    EXPECT_EQ(err, KvErr::Ok);
    FAccount->SetLoginPassword(R(u"se;cret"), true, err);
    EXPECT_EQ(err, KvErr::Ok);
    FlushPosted();
    EXPECT_TRUE(FAnswers.Got.empty()) << "setting the parts asks the service nothing";
    FAccount->SetLogin(R(u""), true, err);
    EXPECT_EQ(err, KvErr::NetworkFailed);
    FlushPosted();
    EXPECT_EQ(FAnswers.Got.size(), 1u);

    // A later run: a new client, and the store opened again from its file.
    FAccount.reset();
    OpenStore(FConfigDir);
    Owned<IMRCChartCheck> later(MRCChartCheckCreate(Disp(), R(u"Ostrel"), 0x06000000));
    EXPECT_EQ(StoredLogin(later.get(), remembered), QStringLiteral("skipper@example.org"));
    EXPECT_TRUE(remembered);
    Owned<IStrW> password(StrWCreate(nullptr, 0));
    GetAppReg()->ReadStringDef(AppRegRoot::Product, R(u"Online\\Account"),
                               ValueName(R(u"Password")), R(u""), password.get());
    EXPECT_EQ(Text(password.get()), QStringLiteral("se;cret")) << "a ';' stays in the password";

    // The remembered login serves an empty login text.
    FAnswers.Got.clear();
    later->SetLogin(R(u""), true, err);
    EXPECT_EQ(err, KvErr::NetworkFailed) << "not refused for a missing address";

    // Unticking "remember me" forgets it, for this client and the next.
    later->SetLoginEmail(R(u"skipper@example.org"), false, err);
    EXPECT_EQ(err, KvErr::Ok);
    EXPECT_EQ(StoredLogin(later.get(), remembered), QString());
    EXPECT_FALSE(remembered);
    Owned<IMRCChartCheck> third(MRCChartCheckCreate(Disp(), R(u"Ostrel"), 0x06000000));
    EXPECT_FALSE(third->GetStoredLogin(nullptr));
}

TEST_F(WebServices, JoinedLoginTextSplitsAtTheFirstSemicolon) {
    struct Case {
        const char *name;
        std::u16string text;
        const char *email;
        const char *password;
    };
    const Case cases[] = {
        {"plain", u"a@b.nl;pw", "a@b.nl", "pw"},
        {"semicolons in the password", u"a@b.nl;p;w;", "a@b.nl", "p;w;"},
        {"no password", u"a@b.nl", "a@b.nl", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        int32_t err = 0;
        FAccount->SetLogin(R(c.text), true, err);
        bool remembered = false;
        EXPECT_EQ(StoredLogin(FAccount.get(), remembered), QString::fromUtf8(c.email));
        Owned<IStrW> password(StrWCreate(nullptr, 0));
        GetAppReg()->ReadStringDef(AppRegRoot::Product, R(u"Online\\Account"),
                                   ValueName(R(u"Password")), R(u""), password.get());
        EXPECT_EQ(Text(password.get()), QString::fromUtf8(c.password));
    }
}

TEST_F(WebServices, LoginWithoutAnyAddressIsRefusedButStillAnswered) {
    int32_t err = 0;
    FAccount->SetLogin(R(u""), false, err);
    EXPECT_EQ(err, KvErr::InvalidArgument);
    FlushPosted();
    ASSERT_EQ(FAnswers.Got.size(), 1u);
    EXPECT_EQ(FAnswers.Got[0].Code, NavNotify::AccountRequestDone);
}

TEST_F(WebServices, AnAnswerOutlivingItsClientIsHarmless) {
    int32_t err = 0;
    const intptr_t id = reinterpret_cast<intptr_t>(FIENC.get());
    FIENC->RequestChartSetList(err);
    FIENC.reset();
    FlushPosted();
    ASSERT_EQ(FAnswers.Got.size(), 1u);
    EXPECT_EQ(FAnswers.Got[0].P1, id) << "subscribers only compare P1 with their own client";
}
