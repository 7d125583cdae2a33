#include "exchange/FrmMsgGPSSingleError.h"

#include "base/dialogs/KvMsgBox.h"
#include "base/dialogs/KvMsgIcons.h"
#include "base/graphics/KvNightScreen.h"
#include "base/kvlib/KvErrors.h"
#include "base/kvlib/KvProgInfo.h"
#include "base/texts/KvStr.h"
#include "exchange/FrmMsgGPSSingleErrorTexts.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace GPSErrorText;

namespace {

constexpr int ClientWidth = 517;
constexpr int RowHeight = 50;         // the bottom panel with only its "Detect GPS" row
constexpr int TwoRowsHeight = 109;    // ... and the "Close communication" row

// %1, %2 and %3 filled in one pass, so an argument that holds a "%" stays as it is.
QString Fill(const QString &text, const QString &a1, const QString &a2, const QString &a3) {
    QString out;
    out.reserve(text.size() + a1.size() + a2.size() + a3.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('%') && i + 1 < text.size()) {
            const QChar n = text[i + 1];
            if (n == QLatin1Char('1') || n == QLatin1Char('2') || n == QLatin1Char('3')) {
                out += n == QLatin1Char('1') ? a1 : n == QLatin1Char('2') ? a2 : a3;
                ++i;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

// "Please check if:" and its lines; the NMEA list asks for the position sentences too.
QString CheckList(bool nmea, const TLanguageStrings &protocolLine) {
    const QString item = QStringLiteral("\n  - ");
    QString list = QStringLiteral("\n\n") + LanguageText(SCheckIntro) + item + LanguageText(SCheckConnected) +
                   item + LanguageText(SCheckSwitchedOn) + item + LanguageText(protocolLine);
    if (nmea) list += item + LanguageText(SCheckSentences);
    return list + item + LanguageText(SCheckSettings);
}

}  // namespace

TFormMsgGPSSingleError::TFormMsgGPSSingleError(QWidget *owner)
    : TFormScaled(owner, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                             Qt::WindowCloseButtonHint) {
    PageControl = new QTabWidget(this);
    PageControl->tabBar()->hide();
    TabSheetError = new QWidget(PageControl);
    PageControl->addTab(TabSheetError, QString());
    PanelImage = new QWidget(TabSheetError);
    ImageError = new QLabel(PanelImage);
    ImageError->setPixmap(MsgIconLoad(mtError, true, 32));
    ImageWarning = new QLabel(PanelImage);
    ImageWarning->setPixmap(MsgIconLoad(mtWarning, true, 32));
    auto *images = new QVBoxLayout(PanelImage);
    images->setContentsMargins(0, 0, 0, 0);
    images->addWidget(ImageError);
    images->addWidget(ImageWarning);
    images->addStretch();
    PanelImage->setFixedWidth(40);
    LabelError = new QLabel(TabSheetError);
    LabelError->setWordWrap(true);
    LabelError->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LabelError->setTextInteractionFlags(Qt::TextSelectableByMouse);
    PanelBottom = new QWidget(TabSheetError);
    LabelDetect = new QLabel(PanelBottom);
    ButtonDetectGPS = new QPushButton(PanelBottom);
    LabelCloseCommunication = new QLabel(PanelBottom);
    ButtonCloseCommunication = new QPushButton(PanelBottom);
    LabelDetect->setWordWrap(true);
    LabelCloseCommunication->setWordWrap(true);
    auto *rows = new QGridLayout(PanelBottom);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->addWidget(LabelDetect, 0, 0);
    rows->addWidget(ButtonDetectGPS, 0, 1);
    rows->addWidget(LabelCloseCommunication, 1, 0);
    rows->addWidget(ButtonCloseCommunication, 1, 1);
    rows->setColumnStretch(0, 1);
    rows->setRowStretch(2, 1);
    auto *content = new QHBoxLayout;
    content->addWidget(PanelImage);
    content->addWidget(LabelError, 1);
    auto *tab = new QVBoxLayout(TabSheetError);
    tab->addLayout(content, 1);
    tab->addWidget(PanelBottom);

    ButtonClose = new QPushButton(this);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ButtonClose);
    auto *top = new QVBoxLayout(this);
    top->addWidget(PageControl, 1);
    top->addLayout(buttons);

    connect(ButtonClose, &QPushButton::clicked, this, [this] { Choose(ChoiceClose); });
    connect(ButtonCloseCommunication, &QPushButton::clicked, this, [this] { Choose(ChoiceCloseCommunication); });
    connect(ButtonDetectGPS, &QPushButton::clicked, this, [this] { Choose(ChoiceDetectGPS); });
    // Every way of closing (buttons, Esc, the close box) ends in done(): the owner hears of it.
    connect(this, &QDialog::finished, this, [this] {
        if (OnClose) OnClose(*this);
    });

    NightScreenAddImage(NightScreen(), ImageError);
    NightScreenAddImage(NightScreen(), ImageWarning);
    setWindowTitle(ProgInfoGetTitle());
    SetMessage(0, QString(), 0, 0);
    UpdateTexts();
}

TFormMsgGPSSingleError::~TFormMsgGPSSingleError() {
    NightScreenRemoveImage(NightScreen(), ImageError);
    NightScreenRemoveImage(NightScreen(), ImageWarning);
}

void TFormMsgGPSSingleError::UpdateTexts() {
    PageControl->setTabText(0, LanguageText(SGPSReceiver));
    ButtonClose->setText(LanguageText(KvStr::BtnClose));
    LabelDetect->setText(LanguageText(SDetectHint));
    ButtonDetectGPS->setText(LanguageText(SDetectGPS));
    LabelCloseCommunication->setText(LanguageText(SCloseHint));
    ButtonCloseCommunication->setText(LanguageText(SCloseCommunication));
    FormatMessage();
}

QString TFormMsgGPSSingleError::MessageText(uint8_t kind, const QString &title, const QString &portName,
                                            int32_t errorCode, int32_t seconds) {
    const QString number = QString::number(seconds);
    auto error = [errorCode] { return ErrorToStrA(errorCode); };
    switch (kind) {
    case 0: return QStringLiteral("");
    case 1: return Fill(LanguageText(SNoNMEASinceOpened) + CheckList(true, SCheckNMEA), title, portName, QString());
    case 2:
        return Fill(LanguageText(SNoVendorSinceOpened) + CheckList(false, SCheckVendorHyphen), title, portName,
                    QString());
    case 3: return Fill(LanguageText(SNoNMEAForSeconds) + CheckList(true, SCheckNMEA), title, portName, number);
    case 4: return Fill(LanguageText(SNoVendorForSeconds) + CheckList(false, SCheckVendor), title, portName, number);
    case 5: return Fill(LanguageText(SCannotOpen), title, portName, error());
    case 6: return Fill(LanguageText(SBroken), title, portName, QString());
    case 7: return Fill(LanguageText(SNoAnswerOpening), title, portName, QString());
    case 8: return Fill(LanguageText(SNoAnswerOpen), title, portName, QString());
    case 9: return Fill(LanguageText(SErrorOpening), title, portName, error());
    case 10: return LanguageText(SNoPort);
    case 11: return Fill(LanguageText(SErrorDuring), title, portName, error());
    default: return QString();
    }
}

void TFormMsgGPSSingleError::SetMessage(uint8_t kind, const QString &portName, int32_t errorCode,
                                        int32_t seconds) {
    FKind = kind;
    FPortName = portName;
    FErrorCode = errorCode;
    FSeconds = seconds;
    FormatMessage();
}

void TFormMsgGPSSingleError::FormatMessage() {
    if (FKind > 11) return;
    LabelError->setText(MessageText(FKind, ProgInfoGetTitle(), FPortName, FErrorCode, FSeconds));
    const bool noPosition = FKind >= 1 && FKind <= 4;
    ImageWarning->setVisible(noPosition);
    ImageError->setVisible(!noPosition);
    const int dpi = ScreenDpi();
    PanelBottom->setFixedHeight(ScaleValue(noPosition ? TwoRowsHeight : RowHeight, dpi));
    LabelCloseCommunication->setVisible(noPosition);
    ButtonCloseCommunication->setVisible(noPosition);
    const int height = noPosition ? 362 : (FKind == 9 || FKind == 11) ? 300 : 200;
    setFixedSize(ScaleValue(ClientWidth, dpi), ScaleValue(height, dpi));
}

void TFormMsgGPSSingleError::ShowError(uint8_t kind, const QString &portName, int32_t errorCode) {
    SetMessage(kind, portName, errorCode, 0);
    show();
    raise();
}

void TFormMsgGPSSingleError::ShowNoPosition(uint8_t kind, const QString &portName, int32_t seconds) {
    SetMessage(kind, portName, 0, seconds);
    show();
    raise();
}

void TFormMsgGPSSingleError::Choose(uint8_t choice) {
    Choice = choice;
    done(QDialog::Rejected);
}

void TFormMsgGPSSingleError::showEvent(QShowEvent *event) {
    TFormScaled::showEvent(event);
    setResult(0);
    Choice = ChoiceClose;
    ButtonClose->setFocus();
}

void TFormMsgGPSSingleError::changeEvent(QEvent *event) {
    if (event->type() == QEvent::LanguageChange) UpdateTexts();
    TFormScaled::changeEvent(event);
}
