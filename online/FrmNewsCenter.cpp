#include "online/FrmNewsCenter.h"

#include "base/charts/KvCharts.h"
#include "base/charts/KvOnlineServices.h"
#include "base/controls/KvCalendarEx.h"
#include "base/dialogs/KvMsgBox.h"
#include "base/graphics/KvNightScreen.h"
#include "base/kvlib/KvErrors.h"
#include "base/kvlib/KvExceptions.h"
#include "base/kvlib/KvProgInfo.h"
#include "base/platform/KvShell.h"
#include "base/registry/KvRegistry.h"
#include "base/texts/KvLanguage.h"
#include "base/web/KvWBContainer.h"
#include "online/FraPageUserLogin.h"
#include "online/FrmNewsCenterChartFetch.h"
#include "online/FrmS57DownloadManager.h"
#include "online/KvPUSClientParser.h"
#include "online/KvPUSClientTexts.h"
#include "online/FrmUser.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvCharts.h>
#include <KvLibNav6/KvFiles.h>
#include <KvLibNav6/KvLanguage.h>
#include <KvLibNav6/KvNavEnv.h>
#include <KvLibNav6/KvObjectUpdate.h>

#include <QCheckBox>
#include <QDate>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const TLanguageStrings TextCaption = {"Marivo News Center", "Marivo Nieuwscentrum", "Marivo Nachrichtenzentrale",
                                      "", "", "", "", ""};
const TLanguageStrings TextUpdateAll = {"Update all", "Alles bijwerken", "Alle aktualisieren", "", "", "", "", ""};
const TLanguageStrings TextNoCheck = {"Do not check at startup", "Niet controleren bij opstarten",
                                      "Beim Start nicht prüfen", "", "", "", "", ""};
const TLanguageStrings TextNeed110 = {
    "Updating charts is not possible at the moment. For this to work you need to install MRC Manager version "
    "1.1.0.0 or higher.",
    "Kaarten bijwerken is op dit moment niet mogelijk. Hiervoor moet u MRC Manager versie 1.1.0.0 of hoger "
    "installeren.",
    "Das Aktualisieren von Karten ist zurzeit nicht möglich. Dazu müssen Sie MRC Manager Version 1.1.0.0 oder höher "
    "installieren.",
    "", "", "", "", ""};
const TLanguageStrings TextNeed150 = {
    "Updating charts is not possible at the moment. For this to work you need to install MRC Manager version "
    "1.5.0.0 or higher.",
    "Kaarten bijwerken is op dit moment niet mogelijk. Hiervoor moet u MRC Manager versie 1.5.0.0 of hoger "
    "installeren.",
    "Das Aktualisieren von Karten ist zurzeit nicht möglich. Dazu müssen Sie MRC Manager Version 1.5.0.0 oder höher "
    "installieren.",
    "", "", "", "", ""};

const QString Key = QStringLiteral("Desktop\\NewsCenter");
constexpr int32_t Root = AppRegRoot::Product;

TFormNewsCenter::TPrompter &Prompter() {
    static TFormNewsCenter::TPrompter prompter;
    return prompter;
}

TFormNewsCenter *&CurrentWindow() {
    static TFormNewsCenter *current = nullptr;
    return current;
}

// The environment's online objects as the check cycle reads them.
class TNewsAccountCore : public INewsAccount {
public:
    explicit TNewsAccountCore(TMarivoNavEnv &env) : FEnv(env) {}
    void SetNewsPending(bool pending) override {
        if (IMRCChartCheck *a = FEnv.OnlineService) a->SetNewsPending(pending);
    }
    int32_t FetchNews(const QString &languageId) override {
        int32_t err = KvErr::NotImplemented;
        if (IMRCChartCheck *a = FEnv.OnlineService) MRCChartCheckFetchNews(a, languageId, err);
        return err;
    }
    int32_t LastResult() override { return FEnv.OnlineService ? FEnv.OnlineService->GetLastResult() : 0; }
    QList<TNewsRemoteFile> RemoteFiles() override {
        QList<TNewsRemoteFile> out;
        IMRCChartCheck *a = FEnv.OnlineService;
        for (int32_t i = 0; a && i < a->GetRemoteFileCount(); ++i) {
            IMRCRemoteFile *f = a->GetRemoteFile(i);
            if (f) out << TNewsRemoteFile{RemoteFileGetPath(f), f->GetTime(), f->GetSize()};
        }
        return out;
    }
    bool HasRemoteFile(const QString &path) override {
        int32_t err = 0;
        return FEnv.OnlineService && MRCChartCheckHasRemoteFile(FEnv.OnlineService, path, err);
    }
    QList<TNewsVersion> Versions() override {
        QList<TNewsVersion> out;
        IMRCChartCheck *a = FEnv.OnlineService;
        for (int32_t i = 0; a && i < a->GetVersionCount(); ++i)
            if (IMRCVersionEntry *v = a->GetVersion(i)) out << TNewsVersion{*v->GetGUID(), v->GetVersion()};
        return out;
    }
    QList<TNewsMessage> News() override {
        QList<TNewsMessage> out;
        IMRCChartCheck *a = FEnv.OnlineService;
        for (int32_t i = 0; a && i < a->GetNewsCount(); ++i)
            if (IMRCNewsMessage *m = a->GetNews(i))
                out << TNewsMessage{m->GetNumber(), NewsMessageGetTitle(m), NewsMessageGetText(m)};
        return out;
    }
    QList<TNewsPurchase> Purchases() override {
        QList<TNewsPurchase> out;
        IMRCChartCheck *a = FEnv.OnlineService;
        for (int32_t i = 0; a && i < a->GetAvailableChartSetCount(); ++i)
            if (IMRCAvailableChartSet *s = a->GetAvailableChartSet(i))
                out << TNewsPurchase{s->GetPurchaseDate(),
                                     a->FindChartSetRecord(s->GetProductNumber(), s->GetModuleMask()) != nullptr};
        return out;
    }
    bool HasNewerEditions() override { return FEnv.OnlineService && FEnv.OnlineService->HasNewerEditions(); }
    QList<TNewsChartUpdate> ChartUpdates() override {
        QList<TNewsChartUpdate> out;
        INavObjectUpdateManager *m = FEnv.ObjectUpdateManager;
        for (int32_t i = 0; m && i < m->GetUpdateCount(); ++i) {
            IMRCChartSetRecord *rec = nullptr;
            int32_t kind = 0, file = 0;
            m->GetUpdate(i, rec, kind, file);
            if (rec)
                out << TNewsChartUpdate{kind, rec->GetFileSize(file), rec->GetFileTime(file),
                                        int32_t(rec->GetProductNumber())};
        }
        return out;
    }
    void StartAutoUpdate() override {
        if (FEnv.ObjectUpdateManager) FEnv.ObjectUpdateManager->StartAutoUpdate();
    }
    QString InstalledProductTitle(int32_t number) override {
        IChartManager *cm = FEnv.ChartManager;
        for (int32_t i = 0; cm && i < cm->GetProductCount(); ++i) {
            IChartProductInfo *info = cm->GetProduct(i) ? cm->GetProduct(i)->GetInfo() : nullptr;
            if (info && int32_t(info->GetProductNumber()) == number) return ChartProductGetTitle(info);
        }
        return QString();
    }

private:
    TMarivoNavEnv &FEnv;
};

}  // namespace

std::unique_ptr<INewsAccount> MakeNewsAccount(TMarivoNavEnv &env) {
    return std::make_unique<TNewsAccountCore>(env);
}

TFormNewsCenter::TFormNewsCenter(TMarivoNavEnv &env, bool startNow, bool waitForCharts, QWidget *owner,
                                 std::unique_ptr<INewsAccount> account)
    : TFormScaled(owner), FEnv(env), FAccount(account ? std::move(account) : MakeNewsAccount(env)),
      FCheck(*FAccount) {
    setObjectName(QStringLiteral("FormNewsCenter"));
    resize(634, 464);
    setMinimumSize(350, 325);
    auto *layout = new QVBoxLayout(this);
    Browser = new TWBContainer(this);
    Browser->BlockRefreshKey = true;
    Browser->SetShow3DBorder(false);
    Browser->UseCustomCtxMenu = true;
    Browser->OnLinkClick = [this](const QUrl &url) {
        LinkClicked(url);
        return true;
    };
    layout->addWidget(Browser, 1);
    auto *buttons = new QHBoxLayout;
    CheckBoxNoCheckAtStartup = new QCheckBox(this);
    ButtonUpdateAll = new QPushButton(this);
    ButtonUpdateAll->setFixedSize(100, 25);
    ButtonUpdateAll->setDefault(true);
    ButtonUpdateAll->setEnabled(false);
    buttons->addWidget(CheckBoxNoCheckAtStartup);
    buttons->addStretch(1);
    buttons->addWidget(ButtonUpdateAll);
    layout->addLayout(buttons);
    connect(ButtonUpdateAll, &QPushButton::clicked, this, &TFormNewsCenter::ButtonUpdateAllClick);
    OpenExternal = [this](const QString &url) {
        int32_t err = 0;
        ExecuteDocument(WindowHandle(winId()), url, 1, err);
        RaiseIfError(err);
    };
    Inform = [](const QString &text) { MsgBox(text, mtInformation, MsgButtons({mbOK})); };
    FReadSet.Load();
    FLastShown = RegReadDateTimeDef(GetAppReg(), Root, Key, RegName(u"LastShown"), KvCalendar::FromQDateTime(QDate(1980, 1, 1)));
    CheckBoxNoCheckAtStartup->setChecked(RegReadBoolDef(GetAppReg(), Root, Key, RegName(u"NoCheckAtStartup"), false));
    if (FEnv.CoreEnv) FEnv.CoreEnv->GetDispatcher()->Subscribe(&TFormNewsCenter::NotificationProc, this);
    UpdateTexts();
    FCheck.Settings.ChartManagerGUID = ChartManagerProductGUID;
    CurrentWindow() = this;
    if (startNow) StartCheck(true, waitForCharts);
}

TFormNewsCenter::~TFormNewsCenter() {
    if (CurrentWindow() == this) CurrentWindow() = nullptr;
    if (FEnv.CoreEnv) FEnv.CoreEnv->GetDispatcher()->Unsubscribe(&TFormNewsCenter::NotificationProc, this);
    FReadSet.Save();
    int32_t err = 0;
    RegWriteBool(GetAppReg(), Root, Key, RegName(u"NoCheckAtStartup"), CheckBoxNoCheckAtStartup->isChecked(), err);
}

void TFormNewsCenter::UpdateTexts() {
    setWindowTitle(LanguageText(TextCaption));
    ButtonUpdateAll->setText(LanguageText(TextUpdateAll));
    CheckBoxNoCheckAtStartup->setText(LanguageText(TextNoCheck));
}

TFormNewsCenter *TFormNewsCenter::Current() {
    return CurrentWindow();
}

bool TFormNewsCenter::AutoShowSuppressed() {
    return CheckBoxNoCheckAtStartup->isChecked() || KvCalendar::ToQDate(FLastShown) == QDate::currentDate();
}

TFormNewsCenter::TPrompter TFormNewsCenter::SetPrompter(TPrompter prompter) {
    TPrompter previous = std::move(Prompter());
    Prompter() = std::move(prompter);
    return previous;
}

void TFormNewsCenter::ShowModal() {
    FLastShown = KvCalendar::FromQDateTime(QDate::currentDate());
    ShowPage();
    if (Prompter())
        Prompter()(*this);
    else
        exec();
}

void TFormNewsCenter::ShowPage() {
    if (FPage.isEmpty()) return;
    Browser->LoadFromString(FPage);
    // The item shown open has been seen.
    if (FOpen >= 0 && FOpen < FItems.size() && FItems[FOpen].Message) FReadSet.Add(FItems[FOpen].Number);
}

// ---- check cycle ----------------------------------------------------------------------------

TNewsCheckSettings TFormNewsCenter::CheckSettings() const {
    TNewsCheckSettings s = FCheck.Settings;
    s.ProgramGUID = ProgInfoGetProductGUID();
    s.ProgramVersion = ProgInfoGetVersion();
    s.ProgramTitle = ProgInfoGetTitle();
    GetChartManagerProgramVersion(s.ChartManagerVersion);
    s.ThresholdMB = FEnv.ChartAutoUpdateThreshold;
    QString common;
    GetSpecialFolderPath(KvSpecialFolder::CommonAppData, common);
    s.HelpFolder = NewsHelpFolder(common, GetCurrentLanguage());
    s.LanguageId = LanguageToLanguageIDA(GetCurrentLanguage());
    s.Now = KvCalendar::FromQDateTime(QDate::currentDate(), QTime::currentTime());
    return s;
}

void TFormNewsCenter::StartCheck(bool background, bool waitForCharts) {
    FBackground = background;
    if (!background) {
        const QString image = ProgInfoGetProgDir() + QStringLiteral("Images/loading.gif");
        Browser->LoadFromString(BuildNewsWaitingPage(QFileInfo(image).isFile() ? image : QString()));
    }
    FCheck.Settings = CheckSettings();
    FCheck.Start(waitForCharts);
    // A request that could not start ends the check at once.
    if (!FCheck.Checking()) BuildPage();
}

void TFormNewsCenter::NotificationProc(void *data, TNavNotification *n) {
    try {
        static_cast<TFormNewsCenter *>(data)->Notify(*n);
    } catch (...) {
        ReportCurrentException();
    }
}

void TFormNewsCenter::Notify(const TNavNotification &n) {
    if (n.Code == NavNotify::NewsCenterEvent && n.P1 == reinterpret_cast<intptr_t>(this)) {
        StartCheck(false, true);
        return;
    }
    // Only the answers to this window's own check count: the account object answers other
    // windows' requests with the same code.
    if (n.Code != NavNotify::AccountRequestDone || !FCheck.Checking()) return;
    if (n.P1 != reinterpret_cast<intptr_t>(FEnv.OnlineService)) return;
    if (FCheck.Step(int32_t(n.P2))) BuildPage();
}

TNewsColours TFormNewsCenter::PageColours() {
    INightScreen *ns = NightScreen();
    if (!ns || !ns->IsActive()) return NewsDayColours();
    return NewsColours([ns](TColor c) { return ns->ConvertColor(c); });
}

void TFormNewsCenter::BuildPage() {
    bool attention = false;
    FItems = FCheck.Items(FReadSet, attention);
    FOpen = FItems.isEmpty() ? -1 : 0;
    FPage = BuildNewsPage(FItems, FOpen, PageColours());
    if (!FBackground) ShowPage();
    ButtonUpdateAll->setEnabled(FCheck.UpdateAllEnabled());
    if (OnPageReady) OnPageReady(false, attention);
}

void TFormNewsCenter::OpenItem(int index) {
    if (index < 0 || index >= FItems.size()) return;
    FOpen = index;
    FPage = BuildNewsPage(FItems, FOpen, PageColours());
    ShowPage();
}

// ---- links ----------------------------------------------------------------------------------

void TFormNewsCenter::LinkClicked(const QUrl &url) {
    const QString text = url.toString();
    if (url.scheme() == QLatin1String("newsitem")) return OpenItem(url.path().toInt());
    const TNewsLink link = NewsLinkRoute(text);
    if (link == TNewsLink::External) {
        if (OpenExternal) OpenExternal(text);
        return;
    }
    RunLink(link);
}

// An update started here ends with a new check, posted so that it does not start inside
// the link's own handling.
void TFormNewsCenter::CheckAgain() {
    if (FEnv.CoreEnv)
        FEnv.CoreEnv->GetDispatcher()->Post(NavNotify::NewsCenterEvent, reinterpret_cast<intptr_t>(this), 0, 0, 0, 0,
                                            0, 0);
}

void TFormNewsCenter::RunChartUpdate(bool baz) {
    const int bit = baz ? 1 : 2;
    if ((FEnv.ChartManagerProgramFlags & bit) == 0) {
        if (Inform) Inform(LanguageText(baz ? TextNeed110 : TextNeed150));
        return;
    }
    if (!OnChartUpdate) return;
    if (!baz && !FetchChartUpdates()) return;
    FChartUpdateBaZ = baz;
    FChartUpdateRegular = !baz;
    OnChartUpdate();
    CheckAgain();
}

// The pending newer editions go into the chart-manager program's update folder first; its
// update run then installs them. False when there is nothing to install after all (the user
// cancelled, or not one set arrived whole).
bool TFormNewsCenter::FetchChartUpdates() {
    const QList<TChartUpdateFetch::TSet> sets = TChartUpdateFetch::PendingSets(FEnv.ObjectUpdateManager, FEnv.ChartManager);
    if (sets.isEmpty()) return true;
    TChartUpdateFetch fetch(FEnv.OnlineService, FEnv.CoreEnv ? FEnv.CoreEnv->GetDispatcher() : nullptr);
    if (!TFormChartUpdateFetch::Execute(fetch, sets, ChartManagerUpdateFolder(FEnv.ChartManagerProgramFolder), this))
        return false;
    if (fetch.Failed() > 0 && Inform) Inform(PUSErrorText(PUSResult::Damaged, QString(), 0));
    return fetch.Placed() > 0;
}

void TFormNewsCenter::RunUpdateProgram(bool help, bool network, bool images) {
    if (!OnRunUpdateProgram) return;
    FUpdateHelp = help;
    FUpdateNetwork = network;
    FUpdateNetworkImages = images;
    OnRunUpdateProgram();
    CheckAgain();
}

// The account's login as the user corrects it; the next check tells whether it works now.
void TFormNewsCenter::ChangeLogin() {
    IMRCChartCheck *account = FEnv.OnlineService;
    if (!account) return;
    TFormUser form(account, false, this);
    if (form.Run() != TFormUser::ResultOk) return;
    int code = 0;
    form.GetChanges(code);
    int32_t err = 0;
    HandLoginToAccount(account, code, form.GetEmail(), form.GetPassword(), form.GetRememberMe(), false, err);
    CheckAgain();
}

void TFormNewsCenter::RunLink(TNewsLink link) {
    switch (link) {
    case TNewsLink::AutoUpdateSize:
        if (OnAutoUpdateSize) OnAutoUpdateSize();
        break;
    case TNewsLink::ChartBaZUpdate: RunChartUpdate(true); break;
    case TNewsLink::ChartUpdate: RunChartUpdate(false); break;
    case TNewsLink::MRCManagerUpdate:
        if (!OnCheckUpdates) break;
        OnCheckUpdates(true);
        CheckAgain();
        break;
    case TNewsLink::HelpUpdate: RunUpdateProgram(true, false, false); break;
    case TNewsLink::WWNetworkUpdate: RunUpdateProgram(false, true, false); break;
    case TNewsLink::WWNetworkImageUpdate: RunUpdateProgram(false, false, true); break;
    // After a program update the main window closes: no new check.
    case TNewsLink::ProgramUpdate:
        if (OnCheckUpdates) OnCheckUpdates(false);
        break;
    case TNewsLink::UserUpdate: ChangeLogin(); break;
    case TNewsLink::S57Update:
        TFormS57DownloadManager::UpdateChartManager(FEnv, this);
        CheckAgain();
        break;
    case TNewsLink::CovbiencUpdate:
    case TNewsLink::Cancel:
    case TNewsLink::External: break;
    }
}

void TFormNewsCenter::ButtonUpdateAllClick() {
    FUpdateHelp = FUpdateNetwork = FUpdateNetworkImages = false;
    if (FCheck.HelpCount() > 0 && OnRunUpdateProgram) {
        FUpdateHelp = true;
        OnRunUpdateProgram();
    }
    // A notices-to-skippers update left from an earlier link must not run here.
    if (FCheck.ChartUpdates() && (FEnv.ChartManagerProgramFlags & 2) && OnChartUpdate) {
        FChartUpdateBaZ = false;
        FChartUpdateRegular = true;
        OnChartUpdate();
    }
    if (FCheck.ChartManagerUpdate() && OnCheckUpdates) OnCheckUpdates(true);
    if (FCheck.ProgramUpdate() && OnCheckUpdates) OnCheckUpdates(false);
    StartCheck(false, true);
}
