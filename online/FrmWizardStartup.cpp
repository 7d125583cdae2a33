#include "online/FrmWizardStartup.h"

#include "base/charts/KvOnlineServices.h"
#include "base/dialogs/KvMsgBox.h"
#include "base/kvlib/KvErrors.h"
#include "base/kvlib/KvProgInfo.h"
#include "online/ChartInstallRun.h"
#include "online/FraPageProgress.h"
#include "online/FraPageSelectCharts.h"
#include "online/FraStartupShipProperties.h"
#include "online/FraStartupUser.h"
#include "online/FraStartupZoS.h"
#include "online/FrmWizardStartupTexts.h"
#include "shell/MarivoNavEnv.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

using namespace wizardtexts;

namespace {

TFormWizardStartup::TPrompter &Prompter() {
    static TFormWizardStartup::TPrompter prompter;
    return prompter;
}

QFrame *Bevel(QWidget *parent) {
    auto *line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

}  // namespace

TFormWizardStartup::TFormWizardStartup(TMarivoNavEnv &env, QWidget *owner)
    : TFormScaled(owner, Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                             Qt::WindowMaximizeButtonHint),
      PanelHeader(new QWidget(this)), LabelHeaderTitle(new QLabel(PanelHeader)),
      LabelHeaderDescription(new QLabel(PanelHeader)), PanelContents(new QWidget(this)), ButtonPrev(new QPushButton(this)),
      ButtonNext(new QPushButton(this)), ButtonClose(new QPushButton(this)), FEnv(env), FAccount(env.OnlineService),
      FDispatcher(env.CoreEnv->GetDispatcher()) {
    setObjectName(QStringLiteral("FormWizardStartup"));
    setMinimumSize(650, 485);
    GetDefaultChartFolder(FInstallFolder);
    FUserData = CreateUserDataAPI(FDispatcher, FAccount);
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
    LabelHeaderDescription->setFont(QFont(QStringLiteral("Tahoma")));
    auto *header = new QVBoxLayout(PanelHeader);
    header->setContentsMargins(6, 6, 6, 6);
    header->addWidget(LabelHeaderTitle, 0, Qt::AlignBottom);
    header->addWidget(LabelHeaderDescription);
    auto *contents = new QVBoxLayout(PanelContents);
    contents->setContentsMargins(5, 5, 5, 5);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton *b : {ButtonPrev, ButtonNext}) {
        b->setFixedSize(125, 25);
        buttons->addWidget(b);
    }
    ButtonClose->setFixedSize(100, 25);
    buttons->addWidget(ButtonClose);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 8);
    layout->setSpacing(0);
    layout->addWidget(PanelHeader);
    layout->addWidget(Bevel(this));
    layout->addWidget(PanelContents, 1);
    layout->addWidget(Bevel(this));
    layout->addSpacing(8);
    buttons->setContentsMargins(8, 0, 8, 0);
    layout->addLayout(buttons);

    ProgressFrame = new TFramePageProgress;
    ProgressFrame->ProcessMessagesOnUpdate = false;
    SelectFrame = new TFramePageSelectCharts(env.ChartManager, FAccount, FInstallFolder, true);
    LoginFrame = new TFrameStartupUser;
    ShipFrame = new TFrameStartupShipProperties(env.ActiveBoatDef, FUserData);
    SignUpFrame = new TFrameStartupZoS(env);
    FRun = new TChartInstallRun(FAccount, env.ChartManager, ProgressFrame, this);
    FRun->OnChartSetInstalled = [this](IMRCAvailableChartSet *item) { SelectFrame->ResetChartSet(item); };
    connect(FRun, &TChartInstallRun::Finished, this, &TFormWizardStartup::RunFinished);
    connect(ButtonNext, &QPushButton::clicked, this, &TFormWizardStartup::ButtonNextClick);
    connect(ButtonPrev, &QPushButton::clicked, this, &TFormWizardStartup::ButtonPrevClick);
    connect(ButtonClose, &QPushButton::clicked, this, &TFormWizardStartup::ButtonCloseClick);
    UpdateTexts();
    FillSelection();
    FDispatcher->Subscribe(&TFormWizardStartup::HandleNotification, this);
    ShowPage(TPage::Login);
    ScaleConstraints();
}

TFormWizardStartup::~TFormWizardStartup() {
    FDispatcher->Unsubscribe(&TFormWizardStartup::HandleNotification, this);
    for (QWidget *frame : std::initializer_list<QWidget *>{ProgressFrame, SelectFrame, LoginFrame, ShipFrame, SignUpFrame}) {
        frame->setParent(nullptr);
        delete frame;
    }
    ObjectDelete(FUserData);
    if (FRequestList) {
        ClearRequestList();
        ObjectDelete(FRequestList);
    }
}

void TFormWizardStartup::Execute(TMarivoNavEnv &env, bool &signUp, QWidget *owner) {
    TFormWizardStartup form(env, owner);
    if (Prompter())
        Prompter()(form);
    else
        form.exec();
    signUp = form.FSignUp;
}

TFormWizardStartup::TPrompter TFormWizardStartup::SetPrompter(TPrompter prompter) {
    TPrompter previous = std::move(Prompter());
    Prompter() = std::move(prompter);
    return previous;
}

void TFormWizardStartup::UpdateTexts() {
    setWindowTitle(LanguageText(Caption));
}

void TFormWizardStartup::FillSelection() {
    SelectFrame->ClearChartSets();
    for (int32_t i = 0; i < FAccount->GetAvailableChartSetCount(); ++i)
        SelectFrame->AddChartSet(FAccount->GetAvailableChartSet(i));
}

void TFormWizardStartup::ShowPage(TPage page) {
    for (QWidget *frame : std::initializer_list<QWidget *>{ProgressFrame, SelectFrame, LoginFrame, ShipFrame, SignUpFrame}) {
        frame->hide();
        frame->setParent(nullptr);
    }
    FPage = page;
    ButtonNext->setText(LanguageText(Next));
    ButtonPrev->setText(LanguageText(Previous));
    ButtonNext->setEnabled(true);
    ButtonPrev->setEnabled(true);
    ButtonNext->show();
    ButtonPrev->show();
    FBusy = false;
    ButtonClose->setText(LanguageText(Close));
    QWidget *frame = nullptr;
    switch (page) {
    case TPage::Login: {
        LabelHeaderTitle->setText(LanguageText(LoginTitle));
        LabelHeaderDescription->setText(LanguageText(LoginDescription));
        frame = LoginFrame;
        QString email;
        if (MRCChartCheckGetStoredLogin(FAccount, email)) LoginFrame->ShowStoredLogin(email);
        break;
    }
    case TPage::Ship:
        LabelHeaderTitle->setText(LanguageText(ShipTitle));
        LabelHeaderDescription->setText(LanguageText(ShipDescription));
        frame = ShipFrame;
        break;
    case TPage::SignUp:
        LabelHeaderTitle->setText(LanguageText(SignUpTitle));
        LabelHeaderDescription->setText(QStringLiteral("---"));
        frame = SignUpFrame;
        break;
    case TPage::Selection:
        LabelHeaderTitle->setText(LanguageText(SelectTitle));
        LabelHeaderDescription->setText(LanguageText(SelectDescription));
        frame = SelectFrame;
        break;
    case TPage::Progress:
        LabelHeaderTitle->setText(LanguageText(ProgressTitle));
        LabelHeaderDescription->setText(LanguageText(ProgressDescription));
        frame = ProgressFrame;
        ButtonClose->setText(LanguageText(Abort));
        FBusy = true;
        ButtonNext->hide();
        ButtonPrev->hide();
        break;
    }
    frame->setParent(PanelContents);
    PanelContents->layout()->addWidget(frame);
    frame->show();
    if (page == TPage::Selection) {
        ButtonNext->setEnabled(SelectFrame->HasRows());
        ButtonPrev->setEnabled(SelectFrame->HasRows());
    }
}

void TFormWizardStartup::SetBusy(bool busy) {
    FBusy = busy;
    ButtonNext->setEnabled(!busy);
    ButtonPrev->setEnabled(!busy);
    ButtonClose->setText(LanguageText(busy ? Abort : Close));
}

void TFormWizardStartup::ButtonPrevClick() {
    if (FPage == TPage::Ship) ShowPage(TPage::Login);
    else if (FPage == TPage::SignUp || FPage == TPage::Selection) ShowPage(TPage::Ship);
}

void TFormWizardStartup::ButtonNextClick() {
    switch (FPage) {
    case TPage::Login: NextOnLogin(); break;
    case TPage::Ship:
        if (ShipFrame->CanLeavePage()) ShowPage(TPage::Selection);
        break;
    case TPage::SignUp: {
        bool signUp = false;
        if (!SignUpFrame->CheckSignUp(signUp)) return;
        FSignUp = signUp;
        FillSelection();
        ShowPage(TPage::Selection);
        break;
    }
    case TPage::Selection: NextOnSelection(); break;
    case TPage::Progress: break;
    }
}

void TFormWizardStartup::NextOnLogin() {
    int code = 0;
    if (!LoginFrame->ValidateAndGetChanges(code)) return;
    int32_t err = 0;
    HandLoginToAccount(FAccount, code, LoginFrame->GetEmail(), LoginFrame->GetPassword(), LoginFrame->GetRememberMe(),
                       true, err);
    if (err != 0) {
        MsgBox(LanguageText(SaveLoginError) + ErrorToStrA(err), mtError, MsgButtons({mbOK}));
        return;
    }
    SetBusy(true);
    FState = WaitingLogin;
    FOfferAwaited = true;
    FUserData->RequestUserData(err);
    if (err != 0) {
        // The answer that follows carries the same error: shown once, here.
        ++FIgnoreUserData;
        SetBusy(false);
        MsgBox(ErrorToStrA(err), mtError, MsgButtons({mbOK}));
    }
}

void TFormWizardStartup::ClearRequestList() {
    while (FRequestList && FRequestList->GetCount() > 0) {
        ObjectDelete(FRequestList->GetItem(0));
        FRequestList->Delete(0);
    }
}

void TFormWizardStartup::NextOnSelection() {
    if (!SelectFrame->CanProceed()) return;
    if (FRequestList)
        ClearRequestList();
    else
        FRequestList = FAccount->NewRequestList();
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
        MsgBoxCaption(ProgInfoGetTitle(), LanguageText(NothingChecked), mtWarning, MsgButtons({mbOK}));
        return;
    }
    ShowPage(TPage::Progress);
    ProgressFrame->SetTotalText(LanguageText(FetchingLists));
    FState = WaitingFileLists;
    FAbortRequested = false;
    int32_t err = 0;
    FAccount->RequestDownload(FRequestList, err);
    if (err != 0) {
        ++FIgnoreRecords;
        MsgBox(ErrorToStrA(err), mtError, MsgButtons({mbOK}));
        ShowPage(TPage::Selection);
    }
}

void TFormWizardStartup::HandleNotification(void *data, TNavNotification *n) {
    auto *self = static_cast<TFormWizardStartup *>(data);
    if (n->Code == NavNotify::UserDataRequestDone && n->P1 == reinterpret_cast<intptr_t>(self->FUserData)) {
        self->UserDataAnswered();
    } else if (n->P1 == reinterpret_cast<intptr_t>(self->FAccount)) {
        if (n->Code == NavNotify::AccountRequestDone) self->AccountAnswered(int32_t(n->P2));
        if (n->Code == NavNotify::DownloadProgress && n->P2 == MRCRequestKind::File) self->FRun->FileProgress(n->Value);
    }
}

void TFormWizardStartup::UserDataAnswered() {
    ShipFrame->ReloadShips();
    if (FIgnoreUserData > 0) {
        --FIgnoreUserData;
        return;
    }
    if (FPage == TPage::Progress) return;
    SetBusy(false);
    const int32_t result = FUserData->GetLastResult();
    if (result == MRCResult::LoginFailed) {
        MsgBox(LanguageText(LoginUnknown), mtError, MsgButtons({mbOK}));
        if (FPage == TPage::Login) LoginFrame->Boxes().EditLoginEmail->setFocus();
    } else if (result != MRCResult::Ok) {
        MsgBox(LanguageText(SomeError), mtError, MsgButtons({mbOK}));
    } else if (FPage == TPage::Login) {
        ShowPage(TPage::Ship);
    }
}

void TFormWizardStartup::AccountAnswered(int32_t kind) {
    switch (kind) {
    case MRCRequestKind::Login:
    case MRCRequestKind::Charts:
        ReportOfferError();
        // The offer after a login; the tree is built when the selection page is shown.
        SelectFrame->SetChartManager(FEnv.ChartManager);
        FillSelection();
        if (FPage == TPage::Selection) {
            SetBusy(false);
            SelectFrame->Refresh();
            ButtonNext->setEnabled(SelectFrame->HasRows());
            ButtonPrev->setEnabled(SelectFrame->HasRows());
        }
        break;
    case MRCRequestKind::Records:
        if (FIgnoreRecords > 0) {
            --FIgnoreRecords;
            break;
        }
        if (FState != WaitingFileLists || FPage != TPage::Progress) break;
        if (FAbortRequested || FAccount->GetLastResult() != MRCResult::Ok) {
            if (!FAbortRequested) MsgBox(ErrorToStrA(FAccount->GetLastResult()), mtError, MsgButtons({mbOK}));
            RunFinished();
            break;
        }
        FState = Downloading;
        FRun->Start(FInstallFolder);
        break;
    case MRCRequestKind::File: FRun->FileFinished(); break;
    default: break;
    }
}

void TFormWizardStartup::ReportOfferError() {
    if (!std::exchange(FOfferAwaited, false)) return;
    // A refused login is told by the user-data answer to the same login.
    const int32_t result = FAccount->GetLastResult();
    if (result != MRCResult::Ok && result != MRCResult::LoginFailed) MsgBox(ErrorToStrA(result), mtError, MsgButtons({mbOK}));
}

void TFormWizardStartup::RunFinished() {
    FState = WaitingLogin;
    FAbortRequested = false;
    SelectFrame->Refresh();
    ShowPage(TPage::Selection);
}

void TFormWizardStartup::AskAbort() {
    if (MsgBox(LanguageText(AbortQuestion), mtConfirmation, MsgButtons({mbYes, mbNo})) != mrYes) return;
    FAbortRequested = true;
    if (FRun->Running()) FRun->Abort();
    else if (FPage != TPage::Progress) SetBusy(false);
}

void TFormWizardStartup::ButtonCloseClick() {
    if (FBusy) {
        AskAbort();
        return;
    }
    done(ResultClose);
}

void TFormWizardStartup::reject() {
    if (FBusy) {
        AskAbort();
        return;
    }
    TFormScaled::reject();
}

void TFormWizardStartup::closeEvent(QCloseEvent *event) {
    // The account object may still be writing a file for this wizard: stop the run first.
    if (FBusy) {
        event->ignore();
        AskAbort();
        return;
    }
    TFormScaled::closeEvent(event);
}
