#include "exchange/FraAutoDetectProgress.h"

#include "base/kvlib/KvErrors.h"
#include "base/units/KvNavMsgDevices.h"
#include "exchange/FrmAutoDetectTexts.h"
#include "exchange/FrmSettingsGPSTexts.h"

#include <KvLibNav6/KvErrorCodes.h>

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QStackedLayout>
#include <QVBoxLayout>
#include <cmath>

using namespace AutoDetectText;

namespace {

// Port failures of the job's own (0x3000D: the line values were refused).
constexpr int32_t DetectInvalidSettings = 0x3000D;

}  // namespace

QString DetectErrorToStr(int32_t error) {
    switch (error) {
    case KvErr::PortNotFound: return LanguageText(SPortMissing);
    case KvErr::PortBusy: return LanguageText(SPortInUse);
    case KvErr::PortOpen: return LanguageText(SPortCannotOpen);
    case DetectInvalidSettings: return LanguageText(SPortSettings);
    default: return ErrorToStrA(error);
    }
}

QString DetectBrandToStr(int32_t brand) {
    switch (brand) {
    case 1: return LanguageText(SGenericNMEA);
    case 2: return QStringLiteral("Furuno");
    case 3: return QStringLiteral("Garmin");
    case 4: return QStringLiteral("Magellan");
    default: return LanguageText(SUnknown);
    }
}

TFrameAutoDetectProgress::TFrameAutoDetectProgress(QWidget *owner, INavMsgDetectJob *job)
    : TFrameScaled(owner), LabelName(new QLabel(this)), LabelState(new QLabel(this)),
      LabelError(new QLabel(this)), ProgressBar(new QProgressBar(this)),
      LabelComProtocol(new QLabel(this)), LabelComBaudrate(new QLabel(this)),
      LabelComStopBits(new QLabel(this)), FJob(job) {
    QFont name = LabelName->font();
    name.setBold(true);
    name.setPixelSize(13);
    LabelName->setFont(name);
    QFont bold = LabelError->font();
    bold.setBold(true);
    LabelError->setFont(bold);
    ProgressBar->setRange(0, 100);
    ProgressBar->setTextVisible(false);
    ProgressBar->setMaximumHeight(14);
    LabelComBaudrate->setAlignment(Qt::AlignCenter);
    LabelComStopBits->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setFixedHeight(RowHeight);

    auto *status = new QWidget(this);
    auto *stack = new QStackedLayout(status);
    stack->setStackingMode(QStackedLayout::StackAll);
    stack->addWidget(ProgressBar);
    stack->addWidget(LabelError);
    auto *line = new QHBoxLayout;
    line->addWidget(LabelComProtocol, 1);
    line->addWidget(LabelComBaudrate, 1);
    line->addWidget(LabelComStopBits, 1);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(8, 4, 8, 4);
    column->setSpacing(2);
    column->addWidget(LabelName);
    column->addWidget(LabelState);
    column->addWidget(status);
    column->addLayout(line);

    LabelName->setText(GetPortName());
    ApplyRowState();
    UpdateFromJob();
}

QString TFrameAutoDetectProgress::GetPortName() const {
    return NavMsgPortGetName(FJob->GetPort());
}

void TFrameAutoDetectProgress::UpdateFromJob() {
    const int32_t state = FJob->GetState();
    if (state == 0) {
        if (FJob->GetFoundSettings())
            SetRowState((FJob->GetFlags() & NavMsgDetectFlag::PositionSeen) ? 5 : 4);
        else
            SetRowState(FJob->GetError() != 0 ? 2 : 3);
    } else if (state >= 1 && state <= 3) {
        ProgressBar->setValue(int(std::lround(double(FJob->GetProgress()) * 100.0)));
        ShowSettings(FJob->GetCurrentSettings(), FJob->GetPort()->GetKind());
        SetRowState(state == 3 ? 1 : 0);
    }
}

void TFrameAutoDetectProgress::SetRowState(TAutoDetectRowState state) {
    if (state == FRowState) return;
    FRowState = state;
    ApplyRowState();
}

void TFrameAutoDetectProgress::ApplyRowState() {
    const bool test = FJob->IsTest();
    const int32_t kind = FJob->GetPort()->GetKind();
    auto deviceName = [this] {
        QString name = NavMsgDetectGetDeviceName(FJob);
        if (name.isEmpty()) name = DetectBrandToStr(FJob->GetBrand());
        return QStringLiteral("\"") + name + QStringLiteral("\"");
    };
    switch (FRowState) {
    case 0: LabelState->setText(LanguageText(test ? STestingPort : SDetectingPort)); break;
    case 1: LabelState->setText(LanguageText(test ? STestingType : SDetectingType)); break;
    case 2:
    case 3:
        ShowSettings(nullptr, kind);
        LabelState->setText(LanguageText(SNoGPSFound));
        LabelError->setText(FRowState == 2 ? DetectErrorToStr(FJob->GetError()) : QString());
        break;
    case 4: {
        INavMsgDetectSettings *found = FJob->GetFoundSettings();
        ShowSettings(found, kind);
        LabelState->setText(LanguageText(SDeviceFound) + deviceName());
        const bool vendor = found && found->GetProtocol() == NavMsgProtocol::VendorBinary;
        LabelError->setText(LanguageText(vendor ? SVendorNoPositions : SNoNMEAPositions));
        break;
    }
    case 5:
        ShowSettings(FJob->GetFoundSettings(), kind);
        LabelState->setText(LanguageText(SGPSFound) + deviceName());
        ProgressBar->setValue(100);
        break;
    default: break;
    }
    const bool errorShown = FRowState == 2 || FRowState == 4;
    LabelError->setVisible(errorShown);
    ProgressBar->setVisible(FRowState == 0 || FRowState == 1 || FRowState == 5);
}

void TFrameAutoDetectProgress::ShowSettings(INavMsgDetectSettings *set, int32_t portKind) {
    using namespace SettingsGPSText;
    const bool serial = set && portKind == NavMsgPortKind::Serial;
    if (set) {
        if (set->GetProtocol() == NavMsgProtocol::VendorBinary)
            LabelComProtocol->setText(LanguageText(SProtocol) + QStringLiteral(": Garmin"));
        else if (set->GetProtocol() == NavMsgProtocol::NMEA)
            LabelComProtocol->setText(LanguageText(SProtocol) + QStringLiteral(": NMEA"));
    }
    if (serial) {
        INavMsgCommPortSettings *line = set->GetPortSettings();
        LabelComBaudrate->setText(LanguageText(SBaudrate) + QStringLiteral(": ") +
                                  QString::number(line->GetBaudRate()));
        LabelComStopBits->setText(LanguageText(SStopBits) +
                                  (line->GetStopBits() == NavMsgLine::StopBitsTwo ? QStringLiteral(": 2")
                                                                                  : QStringLiteral(": 1")));
    }
    LabelComProtocol->setVisible(set != nullptr);
    LabelComBaudrate->setVisible(serial);
    LabelComStopBits->setVisible(serial);
}

void TFrameAutoDetectProgress::SetActive(bool active) {
    if (active == FActive) return;
    FActive = active;
    // A disabled label draws in the current palette's disabled text colour, day or night.
    for (QLabel *label : {LabelName, LabelState, LabelError, LabelComProtocol, LabelComBaudrate, LabelComStopBits})
        label->setEnabled(active);
}

void TFrameAutoDetectProgress::paintEvent(QPaintEvent *event) {
    TFrameScaled::paintEvent(event);
    // A dotted separator across the bottom of the row.
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Button));
    const int y = height() - 1;
    for (int x = 0; x < width(); x += 2) painter.drawPoint(x, y);
}
