// The news centre: the link table, the check cycle and its items over an account the test
// answers, the page, and the window on the demo environment (read messages kept across
// windows, "Update all", answers that are not the window's own).
#include "online/FrmNewsCenter.h"
#include "online/FrmS57DownloadManager.h"
#include "online/FrmUser.h"

#include "base/charts/KvOnlineServices.h"
#include "base/kvlib/KvProgInfo.h"
#include "base/registry/KvRegistry.h"
#include "base/strings/KvStrUtils.h"
#include "base/web/KvWBContainer.h"
#include "base/controls/KvCalendarEx.h"
#include "TestSupport.h"
#include "ServiceStub.h"
#include "base/graphics/KvNightScreen.h"
#include "tests/shell/NavEnvFixture.h"
#include "tests/shell/ShellTestSupport.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvNavEnv.h>

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTest>

namespace {

constexpr int32_t Root = AppRegRoot::Product;
const TGUID ProgramGUID = StrToGUID(QStringLiteral("{5C3A9E41-7B2D-4F6A-9C18-2E4D6B8A0F73}"));
const TGUID ManagerGUID = StrToGUID(QStringLiteral("{5E1A7C42-93B0-4D6E-8A1F-2C74B9036D15}"));

class TFakeAccount : public INewsAccount {
public:
    int Fetches = 0, AutoUpdates = 0;
    QList<int32_t> Results{0};  // LastResult per answer, the last one repeats
    int32_t FetchError = 0;
    QList<TNewsRemoteFile> Files;
    QStringList Known;
    QList<TNewsVersion> VersionList;
    QList<TNewsMessage> Messages;
    QList<TNewsPurchase> PurchaseList;
    bool Editions = false;
    QList<TNewsChartUpdate> Updates;
    QMap<int32_t, QString> Products;
    int Answers = 0;

    void SetNewsPending(bool) override {}
    int32_t FetchNews(const QString &) override {
        ++Fetches;
        Answers = 0;
        return FetchError;
    }
    int32_t LastResult() override { return Results.value(std::min<int>(Answers++, Results.size() - 1)); }
    QList<TNewsRemoteFile> RemoteFiles() override { return Files; }
    bool HasRemoteFile(const QString &p) override { return Known.contains(p); }
    QList<TNewsVersion> Versions() override { return VersionList; }
    QList<TNewsMessage> News() override { return Messages; }
    QList<TNewsPurchase> Purchases() override { return PurchaseList; }
    bool HasNewerEditions() override { return Editions; }
    QList<TNewsChartUpdate> ChartUpdates() override { return Updates; }
    void StartAutoUpdate() override { ++AutoUpdates; }
    QString InstalledProductTitle(int32_t n) override { return Products.value(n); }
};

struct TCheckRun {
    TFakeAccount Account;
    TNewsCheck Check{Account};
    TNewsReadSet Read;
    TCheckRun() {
        Check.Settings.ProgramGUID = ProgramGUID;
        Check.Settings.ProgramVersion = MakeVersion(6, 0, 0, 1);
        Check.Settings.ProgramTitle = "Marivo Ostrel";
        Check.Settings.ChartManagerGUID = ManagerGUID;
        Check.Settings.Now = 46000.5;
    }
    // Runs both steps; the number of pages the cycle asked for.
    int Run(bool waitForCharts) {
        Check.Start(waitForCharts);
        int pages = 0;
        while (Check.Checking())
            pages += Check.Step(Check.Stage() == 1 ? MRCRequestKind::News : MRCRequestKind::Charts) ? 1 : 0;
        return pages;
    }
    QStringList Titles() {
        bool attention = false;
        QStringList out;
        for (const TNewsItem &i : Check.Items(Read, attention)) out << i.Id() + ':' + i.Title;
        return out;
    }
    QString Text(int n) {
        bool attention = false;
        const QList<TNewsItem> items = Check.Items(Read, attention);
        return n < items.size() ? items[n].Content : QString();
    }
};

}  // namespace

TEST(NewsCenterLinks, RouteTable) {
    const struct {
        const char *url;
        TNewsLink link;
    } cases[] = {
        {"autoupdatesize", TNewsLink::AutoUpdateSize},
        {"chartbazupdate", TNewsLink::ChartBaZUpdate},
        {"chartupdate", TNewsLink::ChartUpdate},
        {"covbiencupdate", TNewsLink::CovbiencUpdate},
        {"mrcmanagerupdate", TNewsLink::MRCManagerUpdate},
        {"helpupdate", TNewsLink::HelpUpdate},
        {"programupdate", TNewsLink::ProgramUpdate},
        {"s57update", TNewsLink::S57Update},
        {"userupdate", TNewsLink::UserUpdate},
        {"wwnetworkupdate", TNewsLink::WWNetworkUpdate},
        {"wwnetworkimageupdate", TNewsLink::WWNetworkImageUpdate},
        {"HTTPS://example.org/chartupdate", TNewsLink::External},
        {"http://example.org", TNewsLink::External},
        {"x-programupdate-chartupdate", TNewsLink::ChartUpdate},
        {"databaseupdate", TNewsLink::Cancel},
        {"file:///etc/passwd", TNewsLink::Cancel},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.url);
        EXPECT_EQ(NewsLinkRoute(QString::fromLatin1(c.url)), c.link);
    }
}

TEST(NewsCenterCheck, StagesProblemsAndPages) {
    TCheckRun twice;
    EXPECT_EQ(twice.Run(false), 2);
    EXPECT_EQ(twice.Account.Fetches, 1);
    TCheckRun once;
    EXPECT_EQ(once.Run(true), 1);

    TCheckRun help;
    help.Account.Results = {7, 0};
    help.Run(true);
    EXPECT_EQ(help.Titles(), QStringList{"news00:Problem checking news"});
    EXPECT_TRUE(help.Text(0).contains("<li>Error checking for updates for help files. Error code: 7</li>"));

    TCheckRun login;
    login.Account.Results = {0, 4};
    login.Account.Updates = {{1, 700 << 20, 0, 5}};
    login.Account.Products = {{5, "Delta Charts"}};
    login.Run(true);
    EXPECT_EQ(login.Titles(), QStringList{"news90:Problem checking news"});
    EXPECT_TRUE(login.Check.LoginFailed());
    EXPECT_TRUE(login.Text(0).contains("password you entered are incorrect"));

    TCheckRun failed;
    failed.Account.FetchError = 11;
    failed.Check.Start(true);
    EXPECT_FALSE(failed.Check.Checking());
    EXPECT_TRUE(failed.Text(0).contains("Error code: 11"));
}

TEST(NewsCenterCheck, ChartUpdatesBelowTheThresholdInstallThemselves) {
    const struct {
        const char *name;
        int64_t mb;
        int32_t threshold;
        bool listed;
    } cases[] = {
        {"100 of 500", 100, 500, false},
        {"600 of 500", 600, 500, true},
        {"3000 of 4096, beyond 32 bits", 3000, 4096, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TCheckRun run;
        run.Check.Settings.ThresholdMB = c.threshold;
        run.Account.Updates = {{1, c.mb * 1048576 / 2, 1700000000, 5},
                               {2, c.mb * 1048576 / 2, 1710000000, 5},
                               {7, 1 << 30, 0, 5}};
        run.Account.Products = {{5, "Delta & Coast"}};
        run.Run(true);
        EXPECT_EQ(run.Account.AutoUpdates, c.listed ? 0 : 1);
        EXPECT_EQ(run.Check.ChartUpdates(), c.listed);
        EXPECT_EQ(run.Check.UpdateAllEnabled(), c.listed);
        if (!c.listed) continue;
        bool attention = false;
        const QList<TNewsItem> items = run.Check.Items(run.Read, attention);
        ASSERT_EQ(items.size(), 1);
        EXPECT_TRUE(attention);
        EXPECT_EQ(items[0].Id(), "news24");
        EXPECT_TRUE(items[0].Content.startsWith("Updates for 2 charts are ready to download.<br />"));
        EXPECT_TRUE(items[0].Content.contains("smaller than 500 MB, this value can be changed <a href=\"autoupdatesize\">here</a>."));
        EXPECT_EQ(items[0].Extra, "<ul><li>Delta &amp; Coast (2 updates)<br />Newest update: 2024-03-09</li></ul>");
    }
}

TEST(NewsCenterCheck, PurchasesVersionsAndEditions) {
    const struct {
        const char *name;
        QList<TNewsPurchase> purchases;
        const char *text;
    } cases[] = {
        {"one of six days", {{46000.5 - 6, false}}, "There is a chart set available for installation that you have purchased recently."},
        {"two", {{46000.5 - 1, false}, {46000.5 - 2, false}}, "There are 2 chart sets available to install that you have purchased recently."},
        {"seven days old", {{46000.5 - 7, false}}, ""},
        {"installed", {{46000.5 - 1, true}}, ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TCheckRun run;
        run.Account.PurchaseList = c.purchases;
        run.Run(true);
        EXPECT_EQ(run.Text(0), QString::fromLatin1(c.text));
    }
    TCheckRun versions;
    versions.Account.VersionList = {{ProgramGUID, MakeVersion(6, 0, 0, 1)}, {ManagerGUID, MakeVersion(1, 6, 0, 0)}};
    versions.Account.Editions = true;
    versions.Run(true);
    EXPECT_EQ(versions.Titles(), (QStringList{"news82:Update available for MRC Manager",
                                               "news05:Newer edition(s) available for some of your chartsets."}));
    EXPECT_EQ(versions.Text(0), "An new version (1.6.0.0) of MRC Manager is available to download.");
    EXPECT_TRUE(versions.Check.UpdateAllEnabled());
    // Unsigned: 200.0.0.0 is newer than 6.0.0.1.
    TCheckRun newer;
    newer.Account.VersionList = {{ProgramGUID, MakeVersion(200, 0, 0, 0)}};
    newer.Run(true);
    EXPECT_EQ(newer.Text(0), "An new version (200.0.0.0) of Marivo Ostrel is available to download.");
}

TEST(NewsCenterCheck, HelpFilesComparedWithTheServiceList) {
    const QString root = testsupport::MakeTempDir(QStringLiteral("news-help"));
    EXPECT_EQ(NewsHelpFolder(root, 3), root + "/Korvane/Marivo/Ostrel/Help/Ostrel_DE/");
    // Languages without help of their own compare the English folder.
    EXPECT_EQ(NewsHelpFolder(root, 5), root + "/Korvane/Marivo/Ostrel/Help/Ostrel_EN/");
    EXPECT_EQ(NewsHelpFolder(QString(), 1), QString());
    const QString folder = NewsHelpFolder(root, 1);
    QDir().mkpath(folder + "sub");
    const auto write = [&](const QString &name, const QByteArray &bytes) {
        QFile f(folder + name);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        return int32_t(QFileInfo(f).lastModified().toUTC().toSecsSinceEpoch());
    };
    const int32_t t1 = write("index.htm", "12345");
    const int32_t t2 = write("sub/page.htm", "abc");
    write("local.htm", "x");
    TCheckRun run;
    run.Check.Settings.HelpFolder = folder;
    run.Account.Files = {{"index.htm", t1, 5}, {"sub/page.htm", t2, 4}, {"gone.htm", t1, 100}};
    run.Account.Known = {"index.htm", "sub/page.htm", "gone.htm"};
    run.Run(true);
    // page.htm by size, gone.htm missing, local.htm unknown to the service (no size).
    EXPECT_EQ(run.Check.HelpCount(), 3);
    EXPECT_EQ(run.Check.HelpSize(), 104);

    TCheckRun none;
    none.Check.Settings.HelpFolder = root + "/missing/";
    none.Account.Files = {{"index.htm", t1, 5}};
    none.Run(true);
    EXPECT_EQ(none.Check.HelpCount(), 0);
}

TEST(NewsCenterPage, GoldenPage) {
    // A problem of the chart step, a program update and two messages, one of them read.
    TCheckRun page;
    page.Account.Results = {0, 9};
    page.Account.VersionList = {{ProgramGUID, MakeVersion(6, 1, 0, 0)}};
    page.Account.Messages = {{12, "Harbour <news>", "<p>Text 12</p>"}, {31, "Locks", "<p>Text 31</p>"}};
    page.Account.Files = {};
    page.Run(true);
    page.Read.Add(31);
    bool attention = false;
    const QList<TNewsItem> items = page.Check.Items(page.Read, attention);
    EXPECT_TRUE(attention);
    QStringList ids;
    for (const TNewsItem &i : items) ids << i.Id();
    EXPECT_EQ(ids, (QStringList{"news00", "news31", "newsmsg12", "newsmsg31"}));
    const QString html = BuildNewsPage(items, 0, NewsDayColours());
    QFile golden(testsupport::SourcePath("tests/online/NewsPage.golden.html"));
    ASSERT_TRUE(golden.open(QIODevice::ReadOnly));
    EXPECT_EQ(html, QString::fromUtf8(golden.readAll()).trimmed());
    // Every message read and nothing else: no attention.
    TCheckRun quiet;
    quiet.Account.Messages = {{12, "A", "a"}};
    quiet.Run(true);
    quiet.Read.Add(12);
    quiet.Check.Items(quiet.Read, attention);
    EXPECT_FALSE(attention);
}

// ---- the window ---------------------------------------------------------------------------------

namespace {

class NewsCenterWindow : public NavEnvFixture {
protected:
    void SetUp() override {
        NavEnvFixture::SetUp();
        Env = Make();
        ASSERT_TRUE(Env);
        FOldPrompter = TFormNewsCenter::SetPrompter([](TFormNewsCenter &) { return 0; });
        FOldUserPrompter = TFormUser::SetPrompter([](TFormUser &) { return int(TFormUser::ResultCancel); });
    }
    void TearDown() override {
        TFormNewsCenter::SetPrompter(std::move(FOldPrompter));
        TFormUser::SetPrompter(std::move(FOldUserPrompter));
        Env.reset();
        NavEnvFixture::TearDown();
    }
    // account: nullptr for the environment's own account object.
    std::unique_ptr<TFormNewsCenter> Window(TFakeAccount *&account, bool fake = true) {
        auto answers = fake ? std::make_unique<TFakeAccount>() : nullptr;
        account = answers.get();
        auto w = std::make_unique<TFormNewsCenter>(*Env, false, true, nullptr, std::move(answers));
        w->OnPageReady = [this](bool, bool attention) { Pages << attention; };
        w->OnCheckUpdates = [this](bool manager) { Calls << (manager ? "check manager" : "check program"); };
        w->OnChartUpdate = [this] { Calls << "chart update"; };
        w->OnRunUpdateProgram = [this] { Calls << "update program"; };
        w->Inform = [this](const QString &t) { Calls << "inform: " + t; };
        w->OpenExternal = [this](const QString &u) { Calls << "open " + u; };
        return w;
    }
    void Answer(int32_t kind) {
        Env->CoreEnv->GetDispatcher()->Send(NavNotify::AccountRequestDone,
                                            reinterpret_cast<intptr_t>(Env->OnlineService), kind, 0, 0, 0, 0, 0);
    }

    std::unique_ptr<TMarivoNavEnv> Env;
    QList<bool> Pages;
    QStringList Calls;

private:
    TFormNewsCenter::TPrompter FOldPrompter;
    TFormUser::TPrompter FOldUserPrompter;
};

}  // namespace

TEST_F(NewsCenterWindow, OpenedMessagesStayReadInTheNextWindow) {
    TFakeAccount *account = nullptr;
    {
        auto w = Window(account);
        account->Messages = {{12, "Twelve", "<p>12</p>"}, {13, "Thirteen", "<p>13</p>"}};
        w->StartCheck(true, false);
        Answer(MRCRequestKind::News);
        ASSERT_EQ(Pages, QList<bool>{true});
        // Building a page marks nothing read; opening a message does.
        EXPECT_FALSE(w->ReadSet().Contains(12));
        w->Browser->HandleLinkClick(QUrl("newsitem:0"));
        EXPECT_TRUE(w->ReadSet().Contains(12));
        EXPECT_TRUE(w->Page().contains("id=\"newsmsg12-content\""));
        shelltest::SaveScreenshot(w.get(), QStringLiteral("NewsCenterDay"));
    }
    QStringList names;
    int32_t err = 0;
    RegGetValueNames(GetAppReg(), Root, QStringLiteral("Desktop\\NewsCenter\\MsgRead"), names, err);
    EXPECT_EQ(names, QStringList{"12"});
    auto w = Window(account);
    EXPECT_TRUE(w->ReadSet().Contains(12));
    EXPECT_FALSE(w->ReadSet().Contains(13));
}

TEST_F(NewsCenterWindow, AutoShowSuppressed) {
    const struct {
        const char *name;
        bool noCheck;
        QDate lastShown;
        bool suppressed;
    } cases[] = {
        {"ticked, shown long ago", true, QDate(2001, 1, 1), true},
        {"not ticked, shown today", false, QDate::currentDate(), true},
        {"not ticked, shown yesterday", false, QDate::currentDate().addDays(-1), false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        int32_t err = 0;
        RegWriteBool(GetAppReg(), Root, "Desktop\\NewsCenter", RegName(u"NoCheckAtStartup"), c.noCheck, err);
        RegWriteDateTime(GetAppReg(), Root, "Desktop\\NewsCenter", RegName(u"LastShown"),
                         KvCalendar::FromQDateTime(c.lastShown), err);
        TFakeAccount *account = nullptr;
        EXPECT_EQ(Window(account)->AutoShowSuppressed(), c.suppressed);
    }
}

TEST_F(NewsCenterWindow, LinksAndUpdateAll) {
    TFakeAccount *account = nullptr;
    auto w = Window(account);
    account->VersionList = {{ProgInfoGetProductGUID(), MakeVersion(99, 0, 0, 0)}};
    w->StartCheck(true, true);
    Answer(MRCRequestKind::News);
    Answer(MRCRequestKind::Charts);
    ASSERT_EQ(Pages.size(), 1);
    EXPECT_TRUE(w->ButtonUpdateAll->isEnabled());
    QTest::mouseClick(w->ButtonUpdateAll, Qt::LeftButton);
    EXPECT_EQ(Calls, QStringList{"check program"});
    EXPECT_EQ(account->Fetches, 2);
    EXPECT_TRUE(w->IsChecking());

    const struct {
        const char *url;
        int flags;
        const char *call;
    } links[] = {
        {"chartbazupdate", 0, "inform: Updating charts is not possible at the moment. For this to work you need to "
                              "install MRC Manager version 1.1.0.0 or higher."},
        {"chartupdate", 1, "inform: Updating charts is not possible at the moment. For this to work you need to "
                           "install MRC Manager version 1.5.0.0 or higher."},
        {"chartupdate", 2, "chart update"},
        {"https://example.org/x", 0, "open https://example.org/x"},
        {"helpupdate", 0, "update program"},
        {"mrcmanagerupdate", 0, "check manager"},
        {"userupdate", 0, ""},
        {"databaseupdate", 0, ""},
    };
    for (const auto &l : links) {
        SCOPED_TRACE(l.url);
        Calls.clear();
        Env->ChartManagerProgramFlags = l.flags;
        w->Browser->HandleLinkClick(QUrl(QString::fromLatin1(l.url)));
        EXPECT_EQ(Calls.join('|'), QString::fromUtf8(l.call));
    }
    EXPECT_FALSE(w->ChartUpdateBaZ());
    EXPECT_TRUE(w->ChartUpdateRequested());
    EXPECT_TRUE(w->UpdateHelp());
    EXPECT_FALSE(w->UpdateNetwork() || w->UpdateNetworkImages());
}

TEST_F(NewsCenterWindow, TheInlandENCLinkUpdatesTheSailingAreasSetsAndChecksAgain) {
    TFakeAccount *account = nullptr;
    auto w = Window(account);
    Env->SetSailingAreas(1 << 8);
    int runs = 0;
    auto previous = TFormS57DownloadManager::SetPrompter([&](TFormS57DownloadManager &form) {
        ++runs;
        EXPECT_TRUE(form.UpdateMode());
        return int(QDialog::Accepted);
    });
    const int before = account->Fetches;
    w->Browser->HandleLinkClick(QUrl("s57update"));
    TFormS57DownloadManager::SetPrompter(previous);
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return account->Fetches > before; }, 5000)) << "a new check follows";
}

TEST_F(NewsCenterWindow, AnswersWhileNoCheckWaitsChangeNothing) {
    TFakeAccount *account = nullptr;
    auto w = Window(account);
    account->Updates = {{1, 1, 0, 5}};
    const int32_t others[] = {MRCRequestKind::File, MRCRequestKind::Records, MRCRequestKind::Login,
                              MRCRequestKind::Charts, MRCRequestKind::News};
    for (int32_t kind : others) Answer(kind);
    EXPECT_TRUE(Pages.isEmpty());
    EXPECT_EQ(account->AutoUpdates, 0);
    w->StartCheck(true, false);
    // An install run's file answers and a login of another window while the check waits.
    for (int32_t kind : {MRCRequestKind::File, MRCRequestKind::Charts}) Answer(kind);
    EXPECT_TRUE(Pages.isEmpty());
    Answer(MRCRequestKind::News);
    for (int32_t kind : {MRCRequestKind::File, MRCRequestKind::Login, MRCRequestKind::News}) Answer(kind);
    EXPECT_EQ(Pages.size(), 1);
    EXPECT_EQ(account->AutoUpdates, 0);
    Answer(MRCRequestKind::Charts);
    EXPECT_EQ(Pages.size(), 2);
    EXPECT_EQ(account->AutoUpdates, 1);
    // The cycle is over: later answers of the account are other windows' business.
    for (int32_t kind : others) Answer(kind);
    EXPECT_EQ(Pages.size(), 2);
    EXPECT_EQ(account->AutoUpdates, 1);
}

TEST_F(NewsCenterWindow, NewsOfTheServiceStandInDayAndNight) {
    servicestub::TServiceStub stub;
    servicestub::RegisterStandardHandlers(stub, testsupport::SourcePath("tools/servicestub/fixtures"));
    ASSERT_TRUE(stub.Listen());
    int32_t err = 0;
    RegWriteString(GetAppReg(), Root, "Services", RegName(u"BaseURL"), QStringLiteral("http://127.0.0.1:%1").arg(stub.Port()),
                   err);
    ASSERT_EQ(err, 0);
    Env.reset();
    Env = Make();
    ASSERT_TRUE(Env && Env->OnlineService);
    TFakeAccount *none = nullptr;
    auto w = Window(none, false);
    w->resize(634, 464);
    w->show();
    for (bool night : {false, true}) {
        SCOPED_TRACE(night);
        NightScreen()->SetActive(night);
        Pages.clear();
        w->StartCheck(false, true);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !Pages.isEmpty(); }, 20000));
        // Both steps answered: the page waited for the chart step.
        EXPECT_FALSE(w->IsChecking());
        EXPECT_EQ(Pages, QList<bool>{true});
        // Without a login the chart step is refused: the problem comes first, with "Change".
        EXPECT_TRUE(w->Page().contains("The e-mail address and/or password you entered are incorrect."));
        EXPECT_TRUE(w->Page().contains("href=\"userupdate\""));
        EXPECT_TRUE(w->Page().contains("id=\"newsmsg41-header\""));
        EXPECT_TRUE(w->Page().contains("Winter lock hours published"));
        EXPECT_TRUE(w->ButtonUpdateAll->isEnabled());
        w->Browser->HandleLinkClick(QUrl("newsitem:1"));
        EXPECT_TRUE(w->Page().contains("An new version (6.1.0.0) of ")) << w->Page().toStdString();
        shelltest::SaveScreenshot(w.get(), night ? QStringLiteral("NewsCenterNight") : QStringLiteral("NewsCenterStub"));
    }
    NightScreen()->SetActive(false);
    EXPECT_EQ(stub.RequestsOf("account/news").size(), 2);
    RegWriteString(GetAppReg(), Root, "Services", RegName(u"BaseURL"), QString(), err);
}

TEST_F(NewsCenterWindow, TheChangeLinkHandsTheCorrectedLoginToTheAccountAndChecksAgain) {
    TFakeAccount *account = nullptr;
    auto w = Window(account);
    QString stored;
    const auto fetchesAfterLink = [&] {
        const int before = account->Fetches;
        w->Browser->HandleLinkClick(QUrl("userupdate"));
        // The new check is posted, not started inside the link's handling.
        EXPECT_EQ(account->Fetches, before);
        QTest::qWait(0);
        QCoreApplication::processEvents();
        return account->Fetches - before;
    };
    EXPECT_EQ(fetchesAfterLink(), 0) << "Cancel changes nothing and checks nothing";
    EXPECT_FALSE(MRCChartCheckGetStoredLogin(Env->OnlineService, stored));

    const struct {
        const char *name;
        const char *email;
        const char *password;
        const char *stored;
    } rows[] = {
        {"both typed", "schipper@example.nl", "geheim;1", "schipper@example.nl"},
        {"only the address changed", "kapitein@example.nl", nullptr, "kapitein@example.nl"},
        {"only the password changed", nullptr, "anders", "kapitein@example.nl"},
        {"nothing changed", nullptr, nullptr, "kapitein@example.nl"},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.name);
        TFormUser::SetPrompter([&r](TFormUser &f) {
            if (r.email) f.Boxes.EditLoginEmail->setText(QString::fromUtf8(r.email));
            if (r.password) f.Boxes.EditLoginPassword->setText(QString::fromUtf8(r.password));
            f.Boxes.CheckBoxRememberMe->setChecked(true);
            QTest::mouseClick(f.ButtonOk, Qt::LeftButton);
            return f.result();
        });
        EXPECT_EQ(fetchesAfterLink(), 1);
        ASSERT_TRUE(MRCChartCheckGetStoredLogin(Env->OnlineService, stored));
        EXPECT_EQ(stored, QString::fromUtf8(r.stored));
    }
}
