#include "online/FrmWizardInstallCharts.h"

#include "base/charts/KvCharts.h"
#include "base/charts/KvOnlineServices.h"
#include "base/dialogs/KvMsgBox.h"
#include "base/kvlib/KvErrors.h"
#include "base/kvlib/KvProgInfo.h"
#include "online/ChartInstallRun.h"
#include "online/FraPageProgress.h"
#include "online/FraPageSelectCharts.h"
#include "online/FraPageUserLogin.h"
#include "online/FrmWizardInstallChartsTexts.h"
#include "online/FrmWizardStartupTexts.h"

#include <KvLibNav6/KvLib.h>
#include <KvLibNav6/KvWebServices.h>

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

TFormWizardInstallCharts::TPrompter &Prompter() {
    static TFormWizardInstallCharts::TPrompter prompter;
    return prompter;
}

QFrame *Bevel(QWidget *parent) {
    auto *line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

// A folder strictly below the installation folder, links resolved: only such a folder is
// the wizard's to delete.
bool InsideFolder(const QString &installFolder, const QString &folder) {
    const QString root = QFileInfo(installFolder).canonicalFilePath();
    const QString path = QFileInfo(folder).canonicalFilePath();
    return !root.isEmpty() && !path.isEmpty() && path.startsWith(root + QLatin1Char('/'));
}

// What the selection offers for removal, by the reasons a set cannot be removed.
struct TRemovalCount {
    int Counted = 0;
    int Foreign = 0;
    int ReadOnly = 0;
    QStringList Folders;
};

// The message for the sets that cannot be removed; False when the user stops (or nothing
// can be removed).
bool AcceptUnremovable(const TRemovalCount &c) {
    using namespace installtexts;
    if (c.Foreign == 0 && c.ReadOnly == 0) return true;
    if (c.Foreign + c.ReadOnly >= c.Counted) {
        MsgBox(LanguageText(RemoveNone), mtError, MsgButtons({mbOK}));
        return false;
    }
    const TLanguageStrings &question =
        c.Foreign > 0 && c.ReadOnly > 0 ? RemoveSomeBoth : c.Foreign > 0 ? RemoveSomeForeign : RemoveSomeReadOnly;
    return MsgBox(LanguageText(question), mtWarning, MsgButtons({mbYes, mbNo})) == mrYes;
}

}  // namespace

TFormWizardInstallCharts::TFormWizardInstallCharts(IChartManager *manager, IMRCChartCheck *account,
                                                   INavMessageDispatcher *dispatcher, QWidget *owner)
    : TFormScaled(owner, Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                             Qt::WindowMaximizeButtonHint),
      PanelHeader(new QWidget(this)), LabelHeaderTitle(new QLabel(PanelHeader)),
      LabelHeaderDescription(new QLabel(PanelHeader)), PanelContents(new QWidget(this)), ButtonPrev(new QPushButton(this)),
      ButtonRemove(new QPushButton(this)), ButtonNext(new QPushButton(this)), ButtonClose(new QPushButton(this)),
      FManager(manager), FAccount(account), FDispatcher(dispatcher) {
    setObjectName(QStringLiteral("FormWizardInstallCharts"));
    setMinimumSize(650, 485);
    GetDefaultChartFolder(FInstallFolder);
    PanelHeader->setFixedHeight(50);
    PanelHeader->setAutoFillBackground(true);
    QPalette white = PanelHeader->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    PanelHeader->setPalette(white);
    QFont titleFont(QStringLiteral("Tahoma"));
    titleFont.setPixelSize(16);
    LabelHeaderTitle->setFont(titleFont);
    LabelHeaderTitle->setStyleSheet(QStringLiteral("color: palette(highlight);"));
    auto *header = new QVBoxLayout(PanelHeader);
    header->setContentsMargins(6, 6, 6, 6);
    header->addWidget(LabelHeaderTitle, 0, Qt::AlignBottom);
    header->addWidget(LabelHeaderDescription);
    auto *contents = new QVBoxLayout(PanelContents);
    contents->setContentsMargins(5, 5, 5, 5);
    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(8, 0, 8, 0);
    buttons->addStretch(1);
    for (QPushButton *b : {ButtonPrev, ButtonRemove, ButtonNext}) {
        b->setFixedSize(125, 25);
        buttons->addWidget(b);
    }
    ButtonClose->setFixedSize(100, 25);
    buttons->addWidget(ButtonClose);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 8);
    layout->setSpacing(0);
    for (QWidget *w : {PanelHeader, static_cast<QWidget *>(Bevel(this))}) layout->addWidget(w);
    layout->addWidget(PanelContents, 1);
    layout->addWidget(Bevel(this));
    layout->addSpacing(8);
    layout->addLayout(buttons);

    ProgressFrame = new TFramePageProgress;
    ProgressFrame->ProcessMessagesOnUpdate = false;
    SelectFrame = new TFramePageSelectCharts(FManager, FAccount, FInstallFolder, true);
    SelectFrame->OnChange = [this](TFramePageSelectCharts *) { UpdateRemoveButton(); };
    LoginFrame = new TFramePageUserLogin;
    FRun = new TChartInstallRun(FAccount, FManager, ProgressFrame, this);
    FRun->OnChartSetInstalled = [this](IMRCAvailableChartSet *item) { SelectFrame->ResetChartSet(item); };
    connect(FRun, &TChartInstallRun::Finished, this, &TFormWizardInstallCharts::RunFinished);
    connect(ButtonNext, &QPushButton::clicked, this, &TFormWizardInstallCharts::ButtonNextClick);
    connect(ButtonPrev, &QPushButton::clicked, this, &TFormWizardInstallCharts::ButtonPrevClick);
    connect(ButtonRemove, &QPushButton::clicked, this, &TFormWizardInstallCharts::ButtonRemoveClick);
    connect(ButtonClose, &QPushButton::clicked, this, &TFormWizardInstallCharts::ButtonCloseClick);
    UpdateTexts();
    FillSelection();
    FDispatcher->Subscribe(&TFormWizardInstallCharts::HandleNotification, this);
    ShowPage(TPage::Selection);
    ScaleConstraints();
}

TFormWizardInstallCharts::~TFormWizardInstallCharts() {
    FDispatcher->Unsubscribe(&TFormWizardInstallCharts::HandleNotification, this);
    for (QWidget *frame : std::initializer_list<QWidget *>{ProgressFrame, SelectFrame, LoginFrame}) {
        frame->setParent(nullptr);
        delete frame;
    }
    if (FRequestList) {
        ClearRequestList(FState != WaitingRemoval);
        ObjectDelete(FRequestList);
    }
}

void TFormWizardInstallCharts::Execute(IChartManager *manager, IMRCChartCheck *account,
                                       INavMessageDispatcher *dispatcher) {
    if (!manager || !account || !dispatcher) return;
    TFormWizardInstallCharts form(manager, account, dispatcher);
    if (Prompter())
        Prompter()(form);
    else
        form.exec();
}

TFormWizardInstallCharts::TPrompter TFormWizardInstallCharts::SetPrompter(TPrompter prompter) {
    TPrompter previous = std::move(Prompter());
    Prompter() = std::move(prompter);
    return previous;
}

void TFormWizardInstallCharts::UpdateTexts() {
    setWindowTitle(LanguageText(installtexts::Caption));
    ButtonRemove->setText(LanguageText(installtexts::Remove));
}

void TFormWizardInstallCharts::UpdateRemoveButton() {
    bool installed = false;
    for (int32_t i = 0; i < FAccount->GetAvailableChartSetCount() && !installed; ++i) {
        IMRCAvailableChartSet *item = FAccount->GetAvailableChartSet(i);
        installed = item->IsSelected() && item->IsInstalled();
    }
    ButtonRemove->setEnabled(installed && !FBusy);
}

void TFormWizardInstallCharts::FillSelection() {
    SelectFrame->ClearChartSets();
    for (int32_t i = 0; i < FAccount->GetAvailableChartSetCount(); ++i)
        SelectFrame->AddChartSet(FAccount->GetAvailableChartSet(i));
}

void TFormWizardInstallCharts::ShowPage(TPage page) {
    using namespace wizardtexts;
    for (QWidget *frame : std::initializer_list<QWidget *>{ProgressFrame, SelectFrame, LoginFrame}) {
        frame->hide();
        frame->setParent(nullptr);
    }
    FPage = page;
    ButtonNext->setText(LanguageText(installtexts::Install));
    ButtonPrev->setText(LanguageText(Previous));
    for (QPushButton *b : {ButtonNext, ButtonPrev, ButtonRemove}) {
        b->setEnabled(false);
        b->show();
    }
    ButtonClose->setText(LanguageText(Close));
    FBusy = false;
    QWidget *frame = nullptr;
    switch (page) {
    case TPage::Login: {
        LabelHeaderTitle->setText(LanguageText(LoginTitle));
        LabelHeaderDescription->setText(LanguageText(LoginDescription));
        frame = LoginFrame;
        QString email;
        if (MRCChartCheckGetStoredLogin(FAccount, email)) LoginFrame->ShowStoredLogin(email);
        ButtonNext->setText(LanguageText(Next));
        ButtonNext->setEnabled(true);
        ButtonRemove->hide();
        break;
    }
    case TPage::Selection:
        LabelHeaderTitle->setText(LanguageText(SelectTitle));
        LabelHeaderDescription->setText(LanguageText(SelectDescription));
        frame = SelectFrame;
        ButtonNext->setEnabled(SelectFrame->HasRows());
        // The login page is the way to an account with charts.
        ButtonPrev->setEnabled(true);
        break;
    case TPage::Progress:
        LabelHeaderTitle->setText(LanguageText(ProgressTitle));
        LabelHeaderDescription->setText(LanguageText(ProgressDescription));
        frame = ProgressFrame;
        for (QPushButton *b : {ButtonNext, ButtonPrev, ButtonRemove}) b->hide();
        FBusy = true;
        ButtonClose->setText(LanguageText(Abort));
        break;
    }
    frame->setParent(PanelContents);
    PanelContents->layout()->addWidget(frame);
    frame->show();
    if (page == TPage::Selection) UpdateRemoveButton();
}

void TFormWizardInstallCharts::SetBusy(bool busy) {
    FBusy = busy;
    ButtonNext->setEnabled(!busy && (FPage != TPage::Selection || SelectFrame->HasRows()));
    ButtonPrev->setEnabled(!busy && FPage == TPage::Selection);
    ButtonClose->setText(LanguageText(busy ? wizardtexts::Abort : wizardtexts::Close));
    if (FPage == TPage::Selection) UpdateRemoveButton();
}

void TFormWizardInstallCharts::ButtonPrevClick() {
    if (FPage == TPage::Selection && !FBusy) ShowPage(TPage::Login);
}

void TFormWizardInstallCharts::ButtonNextClick() {
    if (FBusy) return;
    if (FPage == TPage::Login) NextOnLogin();
    else if (FPage == TPage::Selection) NextOnSelection();
}

void TFormWizardInstallCharts::NextOnLogin() {
    int code = 0;
    if (!LoginFrame->ValidateAndGetChanges(code)) return;
    int32_t err = 0;
    FState = WaitingList;
    FPendingKind = MRCRequestKind::Login;
    SetBusy(true);
    // A refused login is answered like any other, with the error as its result.
    HandLoginToAccount(FAccount, code, LoginFrame->GetEmail(), LoginFrame->GetPassword(), LoginFrame->GetRememberMe(),
                       true, err);
}

void TFormWizardInstallCharts::ClearRequestList(bool deleteItems) {
    while (FRequestList && FRequestList->GetCount() > 0) {
        if (deleteItems) ObjectDelete(FRequestList->GetItem(0));
        FRequestList->Delete(0);
    }
}

void TFormWizardInstallCharts::NextOnSelection() {
    if (!SelectFrame->CanProceed()) return;
    if (FRequestList)
        ClearRequestList(true);
    else
        FRequestList = FAccount->NewRequestList();
    FInstallFolder = SelectFrame->Folder();
    for (int32_t i = 0; i < FAccount->GetAvailableChartSetCount(); ++i) {
        IMRCAvailableChartSet *item = FAccount->GetAvailableChartSet(i);
        if (!item->IsSelected() || item->GetCategory() == MRCCategory::Companion) continue;
        IMRCRequestItem *request = FAccount->NewRequestItem();
        request->SetProductNumber(item->GetProductNumber());
        request->SetModuleMask(item->GetModuleMask());
        request->SetCategory(item->GetCategory());
        FRequestList->Add(request);
    }
    if (FRequestList->GetCount() == 0) {
        MsgBoxCaption(ProgInfoGetTitle(), LanguageText(wizardtexts::NothingChecked), mtWarning, MsgButtons({mbOK}));
        return;
    }
    ShowPage(TPage::Progress);
    ProgressFrame->SetTotalText(LanguageText(wizardtexts::FetchingLists));
    FState = WaitingFileLists;
    FPendingKind = MRCRequestKind::Records;
    FAbortRequested = false;
    int32_t err = 0;
    FAccount->RequestDownload(FRequestList, err);
}

void TFormWizardInstallCharts::ButtonRemoveClick() {
    if (FBusy) return;
    if (FRequestList)
        ClearRequestList(true);
    else
        FRequestList = FAccount->NewRequestList();
    TRemovalCount count;
    for (int32_t i = 0; i < FAccount->GetAvailableChartSetCount(); ++i) {
        IMRCAvailableChartSet *item = FAccount->GetAvailableChartSet(i);
        if (!item->IsSelected()) continue;
        ++count.Counted;
        IChartSet *set = nullptr;
        if (!item->IsInstalled() || !FindInstalledChartSet(FManager, item, set)) continue;
        IChartSetInfo *info = set->GetInfo();
        if (!info || !info->IsOwnInstallation()) {
            ++count.Foreign;
        } else if (!SelectFrame->IsChartSetFolderWritable(item)) {
            ++count.ReadOnly;
        } else if (IMRCChartSetRecord *record = FAccount->FindChartSetRecord(item->GetProductNumber(), item->GetModuleMask())) {
            FRequestList->Add(record);
            count.Folders << ChartSetGetFolder(set);
        }
    }
    // The list holds the account's records now: it never deletes them.
    if (!AcceptUnremovable(count)) {
        ClearRequestList(false);
        return;
    }
    if (FRequestList->GetCount() == 0) {
        MsgBoxCaption(ProgInfoGetTitle(), LanguageText(installtexts::RemoveNothingChecked), mtWarning,
                      MsgButtons({mbOK}));
        return;
    }
    if (MsgBox(LanguageText(installtexts::RemoveConfirm), mtConfirmation, MsgButtons({mbYes, mbNo})) != mrYes) {
        ClearRequestList(false);
        return;
    }
    RemoveListed(count.Folders);
}

void TFormWizardInstallCharts::RemoveListed(const QStringList &folders) {
    ShowPage(TPage::Progress);
    ProgressFrame->SetTotalText(LanguageText(installtexts::Uninstalling));
    const QString installFolder = SelectFrame->Folder();
    for (int32_t i = 0; i < FRequestList->GetCount(); ++i) {
        auto *record = static_cast<IMRCChartSetRecord *>(FRequestList->GetItem(i));
        FManager->RemoveChartSet(record);
        if (IMRCAvailableChartSet *item = FAccount->FindAvailableChartSet(record->GetProductNumber(), record->GetModuleMask())) {
            item->SetInstalled(false);
            item->SetSelected(false);
            item->SetUpdateAvailable(false);
        }
        // A folder somewhere else may hold more than this set: it stays.
        if (i < folders.size() && InsideFolder(installFolder, folders[i])) QDir(folders[i]).removeRecursively();
    }
    FState = WaitingRemoval;
    FPendingKind = MRCRequestKind::Removal;
    int32_t err = 0;
    FAccount->ReportRemoval(FRequestList, err);
}

void TFormWizardInstallCharts::HandleNotification(void *data, TNavNotification *n) {
    auto *self = static_cast<TFormWizardInstallCharts *>(data);
    if (n->P1 != reinterpret_cast<intptr_t>(self->FAccount)) return;
    if (n->Code == NavNotify::AccountRequestDone) self->AccountAnswered(int32_t(n->P2));
    if (n->Code == NavNotify::DownloadProgress && n->P2 == MRCRequestKind::File) self->FRun->FileProgress(n->Value);
}

void TFormWizardInstallCharts::AccountAnswered(int32_t kind) {
    if (kind == MRCRequestKind::File) {
        FRun->FileFinished();
        return;
    }
    // Answers to other users of the account (the news centre's check) are not ours.
    const bool loginAnswer = FPendingKind == MRCRequestKind::Login &&
                             (kind == MRCRequestKind::Login || kind == MRCRequestKind::Charts);
    if (!loginAnswer && kind != FPendingKind) return;
    FPendingKind = 0;
    if (loginAnswer)
        LoginAnswered();
    else if (kind == MRCRequestKind::Records)
        RecordsAnswered();
    else if (kind == MRCRequestKind::Removal)
        RemovalAnswered();
}

void TFormWizardInstallCharts::LoginAnswered() {
    SetBusy(false);
    const int32_t result = FAccount->GetLastResult();
    if (result == MRCResult::LoginFailed) {
        MsgBox(LanguageText(wizardtexts::LoginUnknown), mtError, MsgButtons({mbOK}));
        return;
    }
    if (result != MRCResult::Ok) {
        MsgBox(ErrorToStrA(result), mtError, MsgButtons({mbOK}));
        return;
    }
    FillSelection();
    SelectFrame->Refresh();
    ShowPage(TPage::Selection);
}

void TFormWizardInstallCharts::RecordsAnswered() {
    if (FState != WaitingFileLists) return;
    const int32_t result = FAccount->GetLastResult();
    if (FAbortRequested || result != MRCResult::Ok) {
        if (!FAbortRequested) MsgBox(ErrorToStrA(result), mtError, MsgButtons({mbOK}));
        RunFinished();
        return;
    }
    FState = Downloading;
    FRun->Start(FInstallFolder);
}

void TFormWizardInstallCharts::RemovalAnswered() {
    const int32_t result = FAccount->GetLastResult();
    // The sets are gone here whatever the service heard.
    if (result != MRCResult::Ok) MsgBox(ErrorToStrA(result), mtError, MsgButtons({mbOK}));
    MsgBox(LanguageText(installtexts::Removed), mtInformation, MsgButtons({mbOK}));
    ClearRequestList(false);
    FState = WaitingList;
    SelectFrame->Refresh();
    ShowPage(TPage::Selection);
}

void TFormWizardInstallCharts::RunFinished() {
    FState = WaitingList;
    FAbortRequested = false;
    ClearRequestList(true);
    SelectFrame->Refresh();
    ShowPage(TPage::Selection);
}

void TFormWizardInstallCharts::AskAbort() {
    if (MsgBox(LanguageText(wizardtexts::AbortQuestion), mtConfirmation, MsgButtons({mbYes, mbNo})) != mrYes) return;
    FAbortRequested = true;
    if (FRun->Running()) FRun->Abort();
}

void TFormWizardInstallCharts::ButtonCloseClick() {
    if (FBusy) {
        AskAbort();
        return;
    }
    done(ResultClose);
}

void TFormWizardInstallCharts::reject() {
    if (FBusy) {
        AskAbort();
        return;
    }
    TFormScaled::reject();
}

void TFormWizardInstallCharts::closeEvent(QCloseEvent *event) {
    // The account object may still be writing a file for this wizard: stop the run first.
    if (FBusy) {
        event->ignore();
        AskAbort();
        return;
    }
    TFormScaled::closeEvent(event);
}
