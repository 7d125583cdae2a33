#include "exchange/FrmAutoDetect.h"

#include "base/dialogs/KvMsgBox.h"
#include "base/dialogs/KvMsgIcons.h"
#include "base/graphics/KvNightScreen.h"
#include "base/kvlib/KvErrors.h"
#include "base/kvlib/KvExceptions.h"
#include "base/texts/KvStr.h"
#include "base/units/KvNavMsgDevices.h"
#include "exchange/FraAutoDetectProgress.h"
#include "exchange/FrmAutoDetectTexts.h"
#include "exchange/FrmSettingsGPSTexts.h"

#include <KvLibNav6/KvErrorCodes.h>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

using namespace AutoDetectText;

namespace {

TFormAutoDetect::TPrompter &Prompter() {
    static TFormAutoDetect::TPrompter prompter;
    return prompter;
}

}  // namespace

TFormAutoDetect::TFormAutoDetect(QWidget *owner, bool testMode, INavMsgDeviceManager *deviceManager)
    : TFormScaled(owner), PageControlMain(new QTabWidget(this)), FTestMode(testMode),
      FDetector(deviceManager->GetDetector()), FDeviceManager(deviceManager) {
    auto *tab = new QWidget(PageControlMain);
    PageControlMain->addTab(tab, testMode ? LanguageText(SettingsGPSText::STest) : LanguageText(STabDetect));
    PanelInformation = new QWidget(tab);
    PanelInformation->setAutoFillBackground(true);
    PanelInformation->setBackgroundRole(QPalette::ToolTipBase);
    ImageError = new QLabel(PanelInformation);
    ImageError->setPixmap(MsgIconLoad(mtError, false, 32));
    ImageInformation = new QLabel(PanelInformation);
    ImageInformation->setPixmap(MsgIconLoad(mtInformation, false, 32));
    LabelInformation = new QLabel(PanelInformation);
    LabelInformation->setForegroundRole(QPalette::ToolTipText);
    LabelInformation->setWordWrap(true);
    auto *info = new QHBoxLayout(PanelInformation);
    info->addWidget(ImageError);
    info->addWidget(ImageInformation);
    info->addWidget(LabelInformation, 1);
    ScrollBox = new QScrollArea(tab);
    ScrollBox->setWidgetResizable(true);
    ScrollBox->setBackgroundRole(QPalette::Base);
    FRowHost = new QWidget;
    FRowHost->setBackgroundRole(QPalette::Base);
    FRowLayout = new QVBoxLayout(FRowHost);
    FRowLayout->setContentsMargins(0, 0, 0, 0);
    FRowLayout->setSpacing(0);
    FRowLayout->addStretch();
    ScrollBox->setWidget(FRowHost);
    auto *tabLayout = new QVBoxLayout(tab);
    tabLayout->addWidget(PanelInformation);
    tabLayout->addWidget(ScrollBox, 1);

    ButtonApply = new QPushButton(this);
    ButtonCancel = new QPushButton(this);
    ButtonApply->setEnabled(false);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ButtonApply);
    buttons->addWidget(ButtonCancel);
    auto *top = new QVBoxLayout(this);
    top->addWidget(PageControlMain, 1);
    top->addLayout(buttons);
    resize(440, 420);

    NightScreenAddImage(NightScreen(), ImageInformation);
    NightScreenAddImage(NightScreen(), ImageError);
    setWindowTitle(LanguageText(testMode ? SCaptionTest : SCaptionDetect));
    ButtonApply->setText(LanguageText(SApply));
    ButtonApply->setVisible(!testMode);
    SetInformation(2, LanguageText(testMode ? SBusyTesting : SBusyDetecting));
    ButtonCancel->setText(LanguageText(KvStr::BtnCancel));
    connect(ButtonApply, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonCancel, &QPushButton::clicked, this, &TFormAutoDetect::reject);
    // Runs once the modal loop is running: the caller adds the jobs before showing.
    QMetaObject::invokeMethod(this, &TFormAutoDetect::StartDetection, Qt::QueuedConnection);
}

TFormAutoDetect::~TFormAutoDetect() {
    NightScreenRemoveImage(NightScreen(), ImageInformation);
    NightScreenRemoveImage(NightScreen(), ImageError);
    FDetector->Clear();
}

int TFormAutoDetect::ShowModal() {
    return Prompter() ? Prompter()(*this) : exec();
}

TFormAutoDetect::TPrompter TFormAutoDetect::SetPrompter(TPrompter prompter) {
    TPrompter previous = std::move(Prompter());
    Prompter() = std::move(prompter);
    return previous;
}

void TFormAutoDetect::SetInformation(int icon, const QString &text) {
    ImageError->setVisible(icon == 1);
    ImageInformation->setVisible(icon == 2);
    LabelInformation->setText(text);
}

void TFormAutoDetect::BuildRows() {
    for (TFrameAutoDetectProgress *row : FRows) delete row;
    FRows.clear();
    std::vector<std::pair<QString, INavMsgDetectJob *>> jobs;
    for (int32_t i = 0; i < FDetector->GetJobCount(); ++i) {
        INavMsgDetectJob *job = FDetector->GetJob(i);
        jobs.emplace_back(NavMsgPortGetName(job->GetPort()), job);
    }
    // Plain text order, case ignored.
    std::stable_sort(jobs.begin(), jobs.end(),
                     [](const auto &a, const auto &b) { return a.first.compare(b.first, Qt::CaseInsensitive) < 0; });
    for (const auto &entry : jobs) {
        auto *row = new TFrameAutoDetectProgress(FRowHost, entry.second);
        FRowLayout->insertWidget(FRowLayout->count() - 1, row);
        FRows.append(row);
    }
}

void TFormAutoDetect::DetectionProgress() {
    for (auto it = FRows.rbegin(); it != FRows.rend(); ++it) {
        TFrameAutoDetectProgress *row = *it;
        row->UpdateFromJob();
        // In detection, ports without a GPS are greyed.
        const TAutoDetectRowState state = row->RowState();
        row->SetActive(FTestMode || state == 0 || state == 1 || state == 5);
    }
    QCoreApplication::processEvents();
}

void TFormAutoDetect::ProgressCallback(void *data, int32_t) {
    try {
        static_cast<TFormAutoDetect *>(data)->DetectionProgress();
    } catch (...) {
        ReportCurrentException();
    }
}

void TFormAutoDetect::StartDetection() {
    if (FStarted) return;
    FStarted = true;
    BuildRows();
    FRunning = true;
    FDetector->SetRunOption(1);
    int32_t err = 0;
    FDetector->Run(FTestMode, &TFormAutoDetect::ProgressCallback, this, err);
    // The rows show the jobs' final states whatever the outcome.
    for (TFrameAutoDetectProgress *row : FRows) row->UpdateFromJob();
    DetectionProgress();
    FRunning = false;
    ShowOutcome(err);
}

void TFormAutoDetect::ShowOutcome(int32_t err) {
    if (err == KvErr::Cancelled) {
        done(QDialog::Rejected);
        return;
    }
    if (err != KvErr::Ok) {
        MsgBox(LanguageText(SDetectionError).replace(QStringLiteral("%s"), ErrorToStrA(err)), mtError,
               MsgButtons({mbOK}));
        return;
    }
    if (FTestMode) {
        const TAutoDetectRowState state = FRows.isEmpty() ? 3 : FRows.first()->RowState();
        if (state == 5)
            SetInformation(2, LanguageText(SWorking));
        else
            SetInformation(1, LanguageText(SNotWorking));
        ButtonCancel->setText(LanguageText(KvStr::BtnClose));
        return;
    }
    TFrameAutoDetectProgress *found = nullptr;
    for (TFrameAutoDetectProgress *row : FRows)
        if (row->RowState() == 5) found = row;
    if (found) {
        FNamed = found->Job();
        SetInformation(2, LanguageText(SFoundOn).replace(QStringLiteral("%s"), found->GetPortName()));
        ScrollBox->ensureWidgetVisible(found);
        ButtonApply->setEnabled(true);
    } else {
        SetInformation(1, LanguageText(SNoGPSFound));
    }
    ButtonCancel->setText(LanguageText(KvStr::BtnCancel));
}

void TFormAutoDetect::reject() {
    if (FRunning) {
        FDetector->Cancel();
        return;
    }
    TFormScaled::reject();
}

void TFormAutoDetect::closeEvent(QCloseEvent *event) {
    if (FRunning) {
        FDetector->Cancel();
        event->ignore();
        return;
    }
    TFormScaled::closeEvent(event);
}
