// The account and user-data clients against the services stand-in: the login with its
// chart-set offer, saved ships, download records and file downloads, every answer naming
// its request kind; and a broken service: a download that is cut, too short, too long, late
// or refused leaves no file under its final name and an older one as it was.
#include "ServiceStubProcess.h"
#include "TestSupport.h"
#include "online/WebServicesTransport.h"

#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvLib.h>
#include <KvLibNav6/KvNavEnv.h>
#include <KvLibNav6/KvWebServices.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <memory>
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

std::u16string U(const QString &s) {
    return s.toStdU16String();
}

QString Text(const TStrWRec *r) {
    return r ? QString::fromUtf16(r->Text, r->Length) : QString();
}

const QString Email = QStringLiteral("zeiler@example.nl");
const QString Password = QStringLiteral("a&b = é");

struct TRecorder {
    std::vector<TNavNotification> Got;
    static void Proc(void *data, TNavNotification *n) {
        static_cast<TRecorder *>(data)->Got.push_back(*n);
    }
    int Count(int32_t code) const {
        int n = 0;
        for (const auto &g : Got) n += g.Code == code;
        return n;
    }
};

class AccountService : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FStore.Opened());
        qputenv("MARIVO_STUB_FILES", MARIVO_TESTDATA_DIR_STR "/charts/bsb");
        ASSERT_TRUE(FStub.Start());
        FEnv.reset(NavEnvCreate());
        kv::SetWebTransport(kv::MakeHttpTransport(FStub.BaseUrl(), 1500));
        FEnv->GetDispatcher()->Subscribe(TRecorder::Proc, &FAnswers);
        FAccount.reset(MRCChartCheckCreate(FEnv->GetDispatcher(), R(u"Ostrel"), 0x06000000));
        FUserData.reset(UserDataAPICreate(FEnv->GetDispatcher(), FAccount.get()));
        FFolder = testsupport::MakeTempDir(QStringLiteral("accountservice"));
    }
    void TearDown() override {
        FEnv->GetDispatcher()->Unsubscribe(TRecorder::Proc, &FAnswers);
        kv::SetWebTransport(nullptr);
        qunsetenv("MARIVO_STUB_FILES");
    }

    // Waits for the next answer of code and returns it.
    TNavNotification Wait(int32_t code) {
        const int before = FAnswers.Count(code);
        EXPECT_TRUE(QTest::qWaitFor([&] { return FAnswers.Count(code) > before; }, 30000));
        for (auto it = FAnswers.Got.rbegin(); it != FAnswers.Got.rend(); ++it)
            if (it->Code == code) return *it;
        return {};
    }

    int32_t Login(const QString &email, const QString &password) {
        const std::u16string text = U(email + QLatin1Char(';') + password);
        int32_t err = -1;
        FAccount->SetLogin(R(text), false, err);
        EXPECT_EQ(err, KvErr::Ok);
        const TNavNotification n = Wait(NavNotify::AccountRequestDone);
        EXPECT_EQ(n.P2, MRCRequestKind::Login);
        return FAccount->GetLastResult();
    }

    IMRCChartSetRecord *RequestRecords() {
        Owned<IMRCRequestList> list(FAccount->NewRequestList());
        std::vector<Owned<IMRCRequestItem>> items;
        for (int32_t i = 0; i < FAccount->GetAvailableChartSetCount(); ++i) {
            IMRCAvailableChartSet *a = FAccount->GetAvailableChartSet(i);
            items.emplace_back(FAccount->NewRequestItem());
            items.back()->SetProductNumber(a->GetProductNumber());
            items.back()->SetModuleMask(a->GetModuleMask());
            items.back()->SetCategory(a->GetCategory());
            list->Add(items.back().get());
        }
        int32_t err = -1;
        FAccount->RequestDownload(list.get(), err);
        EXPECT_EQ(Wait(NavNotify::AccountRequestDone).P2, MRCRequestKind::Records);
        for (int32_t i = 0; i < FAccount->GetDownloadCount(); ++i)
            if (Text(FAccount->GetDownload(i)->GetFolderName()) == QLatin1String("HarbourGuide"))
                return FAccount->GetDownload(i);
        return nullptr;
    }

    // Downloads the record's first file under name into the folder; the answer's result.
    int32_t Download(IMRCChartSetRecord *record, const QString &name) {
        const std::u16string folder = U(FFolder + QLatin1Char('/')), file = U(name);
        int32_t err = -1;
        FAccount->StartFileDownload(record, 0, R(folder), R(file), err);
        const TNavNotification n = Wait(NavNotify::AccountRequestDone);
        EXPECT_EQ(n.P2, MRCRequestKind::File);
        return err != KvErr::Ok ? err : FAccount->GetLastResult();
    }

    testsupport::TPrivateSettingsStore FStore{QStringLiteral("accountservice")};
    testsupport::TServiceStubProcess FStub;
    Owned<INavEnv> FEnv;
    TRecorder FAnswers;
    Owned<IMRCChartCheck> FAccount;
    Owned<IUserDataAPI> FUserData;
    QString FFolder;
};

}  // namespace

TEST_F(AccountService, LoginGivesTheOfferAndTheSavedShipsOnlyWithTheRightPassword) {
    EXPECT_EQ(Login(Email, QStringLiteral("A&B = É")), MRCResult::LoginFailed)
        << "the password is compared with its letter case";
    EXPECT_EQ(FAccount->GetAvailableChartSetCount(), 0);
    int32_t err = -1;
    FUserData->RequestUserData(err);
    Wait(NavNotify::UserDataRequestDone);
    EXPECT_EQ(FUserData->GetLastResult(), MRCResult::LoginFailed);

    EXPECT_EQ(Login(Email.toUpper(), Password), MRCResult::Ok) << "the address ignores letter case";
    ASSERT_EQ(FAccount->GetAvailableChartSetCount(), 5);
    IMRCAvailableChartSet *nz = FAccount->GetAvailableChartSet(3);
    EXPECT_EQ(Text(nz->GetItemName()), QStringLiteral("New Zealand approaches"));
    EXPECT_EQ(Text(nz->GetName()), QStringLiteral("Demo charts"));
    EXPECT_EQ(nz->GetCategory(), MRCCategory::Charts);
    EXPECT_EQ(nz->GetModuleMask(), 2u);
    EXPECT_EQ(nz->GetSize(), QFileInfo(QStringLiteral(MARIVO_TESTDATA_DIR_STR "/charts/bsb/NZ61401.KAP")).size());
    EXPECT_EQ(FAccount->GetAvailableChartSet(1)->GetCategory(), MRCCategory::Companion);
    EXPECT_EQ(FAccount->FindAvailableChartSet(5001, 2), nz);

    FUserData->RequestUserData(err);
    Wait(NavNotify::UserDataRequestDone);
    ASSERT_EQ(FUserData->GetShipCount(), 2);
    Owned<IStrW> name(StrWCreate(nullptr, 0));
    float length = 0, beam = 0, height = 0, draught = 0;
    FUserData->GetShip(1, name.get(), length, beam, height, draught);
    EXPECT_EQ(Text(name->GetRec()), QStringLiteral("Albatros"));
    EXPECT_FLOAT_EQ(height, 14.0f);

    FUserData->UploadShip(R(u"Stern"), 8.0f, 2.9f, 2.0f, 0.9f, err);
    Wait(NavNotify::UserDataRequestDone);
    EXPECT_EQ(FUserData->GetShipCount(), 3);
    FUserData->DeleteShip(R(u"Zeemeeuw"), err);
    Wait(NavNotify::UserDataRequestDone);
    ASSERT_EQ(FUserData->GetShipCount(), 2);
    FUserData->GetShip(0, name.get(), length, beam, height, draught);
    EXPECT_EQ(Text(name->GetRec()), QStringLiteral("Albatros"));

    // The remembered login refreshes the offer as a request of its own kind.
    FAccount->SetLogin(R(u""), false, err);
    EXPECT_EQ(Wait(NavNotify::AccountRequestDone).P2, MRCRequestKind::Charts);
}

TEST_F(AccountService, RecordsAndADownloadThatReplacesItsFileOnlyWhenComplete) {
    ASSERT_EQ(Login(Email, Password), MRCResult::Ok);
    IMRCChartSetRecord *addon = RequestRecords();
    ASSERT_NE(addon, nullptr);
    EXPECT_EQ(FAccount->GetDownloadCount(), 5);
    EXPECT_TRUE(addon->IsRequested());
    EXPECT_TRUE(addon->IsAddonFile(0));
    EXPECT_EQ(addon->GetFileTime(0), 1700000000);
    EXPECT_EQ(FAccount->FindChartSetRecord(8001, 1), addon);

    const QString target = FFolder + QStringLiteral("/guide/harbours.txt");
    FAnswers.Got.clear();
    ASSERT_EQ(Download(addon, QStringLiteral("guide/harbours.txt")), MRCResult::Ok);
    EXPECT_EQ(QFileInfo(target).size(), addon->GetFileSize(0));
    EXPECT_FALSE(QFileInfo::exists(target + QStringLiteral(".part")));
    for (const auto &n : FAnswers.Got) {
        if (n.Code == NavNotify::DownloadProgress) {
            EXPECT_EQ(n.P2, MRCRequestKind::File);
        }
    }

    // A broken service: each answer below fails, and the file of the good download stays.
    struct Case {
        const char *name;
        QJsonObject reply;
    };
    const QString path = QStringLiteral("account/download");
    const Case cases[] = {
        {"shorter than its record", {{"path", path}, {"text", "short"}}},
        {"longer than its record", {{"path", path}, {"text", QString(200, QLatin1Char('x'))}}},
        {"connection closed mid-file", {{"path", path}, {"text", "Marivo"}, {"declaredLength", 4000}}},
        {"no answer at all", {{"path", path}, {"hang", true}}},
        {"server error", {{"path", path}, {"status", 500}, {"text", "broken"}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(FStub.ScriptReply(c.reply));
        EXPECT_NE(Download(addon, QStringLiteral("guide/harbours.txt")), MRCResult::Ok);
        EXPECT_EQ(QFileInfo(target).size(), addon->GetFileSize(0)) << "the older file stays";
        EXPECT_FALSE(QFileInfo::exists(target + QStringLiteral(".part")));
    }
}

TEST_F(AccountService, FileNamesThatLeaveTheFolderAreRefused) {
    ASSERT_EQ(Login(Email, Password), MRCResult::Ok);
    IMRCChartSetRecord *addon = RequestRecords();
    ASSERT_NE(addon, nullptr);
    for (const char *name : {"../x", "/etc/x", "a\\b", "a//b", "", "./x", "a/../../x"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(Download(addon, QString::fromUtf8(name)), KvErr::InvalidArgument);
    }
    EXPECT_EQ(QDir(FFolder).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(FFolder).path() + QStringLiteral("/x")));
}

TEST_F(AccountService, AGarbledLoginAnswerIsAnError) {
    ASSERT_TRUE(FStub.ScriptText(QStringLiteral("account/login"), 200, QStringLiteral("<html>oops")));
    EXPECT_NE(Login(Email, Password), MRCResult::Ok);
    EXPECT_EQ(FAccount->GetAvailableChartSetCount(), 0);
}
