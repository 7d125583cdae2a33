#include "exchange/FrmSettingsGPS.h"

#include "base/settings/KvRegBoat.h"

#include "base/dialogs/KvMsgBox.h"
#include "base/dialogs/KvMsgIcons.h"
#include "base/geodesy/KvGeodetic.h"
#include "base/graphics/KvNightScreen.h"
#include "base/registry/KvRegistry.h"
#include "base/strings/KvStrUtils.h"
#include "base/texts/KvLanguage.h"
#include "base/texts/KvStr.h"
#include "base/units/KvNavMsgDevices.h"
#include "exchange/FrmSettingsGPSTexts.h"

#include <KvLibNav6/KvNavBoat.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

using namespace SettingsGPSText;

namespace {

TFormSettingsGPS::TPrompter &Prompter() {
    static TFormSettingsGPS::TPrompter prompter;
    return prompter;
}

TFormSettingsGPS::THelpHook &HelpHook() {
    static TFormSettingsGPS::THelpHook hook;
    return hook;
}

// A round lamp: lit for a port that can be opened now, grey for one that cannot.
QIcon PortIcon(bool available) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(60, 60, 60));
    painter.setBrush(available ? QColor(40, 170, 60) : QColor(170, 170, 170));
    painter.drawEllipse(QRectF(2.5, 2.5, 11, 11));
    return QIcon(pixmap);
}

// The entry whose data is code; -1 when absent (nothing selected).
int IndexOfCode(QComboBox *combo, qlonglong code) {
    for (int i = 0; i < combo->count(); ++i)
        if (combo->itemData(i).toLongLong() == code) return i;
    return -1;
}

qlonglong PointerCode(const void *p) {
    return qlonglong(reinterpret_cast<quintptr>(p));
}

template <class T>
T *PointerOf(const QVariant &data) {
    return reinterpret_cast<T *>(quintptr(data.toLongLong()));
}

void SelectCode(QComboBox *combo, qlonglong code) {
    combo->setCurrentIndex(IndexOfCode(combo, code));
}

}  // namespace

TFormSettingsGPS::TFormSettingsGPS(QAction *action, INavMsgDeviceManager *deviceManager,
                                   INavBoatGPS *gps, QWidget *parent)
    : TFormScaled(parent), FAction(action), FDeviceManager(deviceManager), FGPS(gps) {
    BuildLayout();
    FStopped = FGPS->IsConnected() == 0;
    FillLists();
    NightScreenAddImage(NightScreen(), ImageInformation);
    ReadReceiver();
    ConnectSignals();
    UpdateTexts();
    UpdateStates();
}

TFormSettingsGPS::~TFormSettingsGPS() {
    NightScreenRemoveImage(NightScreen(), ImageInformation);
}

void TFormSettingsGPS::BuildLayout() {
    PageControl = new QTabWidget(this);
    TabSheetGeneral = new QWidget(PageControl);
    PageControl->addTab(TabSheetGeneral, QString());
    auto label = [this] { return new QLabel(TabSheetGeneral); };
    auto combo = [this] { return new QComboBox(TabSheetGeneral); };
    auto button = [this] { return new QPushButton(TabSheetGeneral); };
    LabelGeneral = label(), LabelBrand = label(), LabelModel = label(), LabelProtocol = label();
    LabelDatum = label(), LabelComm = label(), LabelPort = label(), LabelDescription = label();
    LabelDescriptionValue = label(), LabelBaudRate = label(), LabelStopBits = label();
    LabelFlowcontrol = label(), LabelFiltering = label();
    ComboBoxBrand = combo(), ComboBoxModel = combo(), ComboBoxProtocol = combo();
    ComboBoxDatum = combo(), ComboBoxPort = combo(), ComboBoxBaudRate = combo();
    ComboBoxStopBits = combo(), ComboBoxFlowcontrol = combo();
    ButtonDefault = button(), ButtonAutoDetect = button(), ButtonTest = button();
    ButtonStopGPS = button();
    CheckBoxFilter = new QCheckBox(TabSheetGeneral);
    PanelInformation = new QWidget(TabSheetGeneral);
    ImageInformation = new QLabel(PanelInformation);
    ImageInformation->setPixmap(MsgIconLoad(mtInformation, false, 32));
    LabelInformation = new QLabel(PanelInformation);
    LabelInformation->setWordWrap(true);
    auto *info = new QHBoxLayout(PanelInformation);
    info->addWidget(ImageInformation, 0, Qt::AlignTop);
    info->addWidget(LabelInformation, 1);
    ComboBoxDatum->setMinimumContentsLength(28);
    ComboBoxDatum->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    LabelDescriptionValue->setWordWrap(true);
    QFont bold = LabelGeneral->font();
    bold.setBold(true);
    LabelGeneral->setFont(bold);
    LabelComm->setFont(bold);
    LabelFiltering->setFont(bold);

    auto *grid = new QGridLayout(TabSheetGeneral);
    int row = 0;
    grid->addWidget(LabelGeneral, row++, 0, 1, 3);
    const std::pair<QLabel *, QWidget *> general[] = {{LabelBrand, ComboBoxBrand},
                                                      {LabelModel, ComboBoxModel},
                                                      {LabelProtocol, ComboBoxProtocol},
                                                      {LabelDatum, ComboBoxDatum}};
    for (const auto &[l, w] : general) grid->addWidget(l, row, 0), grid->addWidget(w, row++, 1);
    grid->addWidget(LabelComm, row++, 0, 1, 3);
    const std::pair<QLabel *, QWidget *> comm[] = {{LabelPort, ComboBoxPort},
                                                   {LabelDescription, LabelDescriptionValue},
                                                   {LabelBaudRate, ComboBoxBaudRate},
                                                   {LabelStopBits, ComboBoxStopBits},
                                                   {LabelFlowcontrol, ComboBoxFlowcontrol}};
    const int commRow = row;
    for (const auto &[l, w] : comm) grid->addWidget(l, row, 0), grid->addWidget(w, row++, 1);
    auto *buttons = new QVBoxLayout;
    for (QPushButton *b : {ButtonDefault, ButtonAutoDetect, ButtonTest, ButtonStopGPS}) buttons->addWidget(b);
    buttons->addStretch();
    grid->addLayout(buttons, commRow, 2, 5, 1);
    grid->addWidget(PanelInformation, row++, 0, 1, 3);
    grid->addWidget(LabelFiltering, row++, 0, 1, 3);
    grid->addWidget(CheckBoxFilter, row++, 0, 1, 3);
    grid->setRowStretch(row, 1);
    grid->setColumnStretch(1, 1);

    ButtonOk = new QPushButton(this);
    ButtonCancel = new QPushButton(this);
    ButtonHelp = new QPushButton(this);
    ButtonOk->setDefault(true);
    auto *panelButtons = new QHBoxLayout;
    panelButtons->addWidget(ButtonHelp);
    panelButtons->addStretch();
    panelButtons->addWidget(ButtonOk);
    panelButtons->addWidget(ButtonCancel);
    auto *top = new QVBoxLayout(this);
    top->addWidget(PageControl, 1);
    top->addLayout(panelButtons);
    resize(520, 480);
}

void TFormSettingsGPS::FillLists() {
    for (int32_t brand = 1; brand <= 6; ++brand) ComboBoxBrand->addItem(NavMsgDeviceBrandToStr(brand), brand);
    // Only the two protocols the receiver has: a nameless entry would pick no port.
    ComboBoxProtocol->addItem(LanguageText(SProtocolVendor), NavMsgProtocol::VendorBinary);
    ComboBoxProtocol->addItem(LanguageText(SProtocolNMEA), NavMsgProtocol::NMEA);
    TGeodeticList datums;
    GeodeticListToStrings(GeodeticRegistry(), datums, GeodeticKind::Datum);
    std::vector<std::pair<QString, IGeodeticDefinition *>> entries;
    for (const TGeodeticListItem &item : datums) {
        const TStrWRec *codeRec = item.Definition ? item.Definition->GetCode() : nullptr;
        const QString code = codeRec ? QString::fromUtf16(codeRec->Text, codeRec->Length) : QString();
        entries.emplace_back(item.Name + QStringLiteral(" (") + code + QStringLiteral(")"), item.Definition);
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const auto &a, const auto &b) { return a.first.compare(b.first, Qt::CaseInsensitive) < 0; });
    for (const auto &[text, definition] : entries) ComboBoxDatum->addItem(text, PointerCode(definition));
    for (int32_t rate : {4800, 9600, 14400, 19200, 38400, 57600, 115200})
        ComboBoxBaudRate->addItem(QString::number(rate), rate);
    ComboBoxStopBits->addItem(QStringLiteral("1"), NavMsgLine::StopBitsOne);
    ComboBoxStopBits->addItem(QStringLiteral("2"), NavMsgLine::StopBitsTwo);
    ComboBoxFlowcontrol->addItem(LanguageText(SFlowNone), NavMsgLine::FlowNone);
    ComboBoxFlowcontrol->addItem(LanguageText(SFlowHardware), NavMsgLine::FlowHardware);
    ComboBoxFlowcontrol->addItem(LanguageText(SFlowSoftware), NavMsgLine::FlowXonXoff);
}

void TFormSettingsGPS::ReadReceiver() {
    SetBrand(FGPS->GetBrand());
    FillModels();
    SetModel(FGPS->GetModel());
    SetProtocol(FGPS->GetProtocol());
    FStoredDatum = RegReadGPSDatum();
    SetDatum(FStoredDatum);
    if (INavMsgPort *port = FGPS->GetPort()) {
        SetPort(port);
        if (port->GetKind() == NavMsgPortKind::Serial) {
            SetBaudRate(port->GetBaudRate());
            SetStopBits(port->GetStopBits());
            SetFlowControl(port->GetFlowControl());
        }
    }
    CheckBoxFilter->setChecked(FGPS->IsFiltering());
}

void TFormSettingsGPS::ConnectSignals() {
    auto onSelect = [this](QComboBox *combo, void (TFormSettingsGPS::*setter)(int32_t)) {
        connect(combo, &QComboBox::activated, this, [this, combo, setter](int index) {
            (this->*setter)(int32_t(combo->itemData(index).toLongLong()));
        });
    };
    onSelect(ComboBoxBrand, &TFormSettingsGPS::SetBrand);
    onSelect(ComboBoxModel, &TFormSettingsGPS::SetModel);
    onSelect(ComboBoxProtocol, &TFormSettingsGPS::SetProtocol);
    onSelect(ComboBoxBaudRate, &TFormSettingsGPS::SetBaudRate);
    onSelect(ComboBoxStopBits, &TFormSettingsGPS::SetStopBits);
    onSelect(ComboBoxFlowcontrol, &TFormSettingsGPS::SetFlowControl);
    connect(ComboBoxDatum, &QComboBox::activated, this, [this](int index) {
        SetDatum(PointerOf<IGeodeticDefinition>(ComboBoxDatum->itemData(index)));
    });
    connect(ComboBoxPort, &QComboBox::activated, this,
            [this](int index) { SetPort(PointerOf<INavMsgPort>(ComboBoxPort->itemData(index))); });
    connect(ButtonDefault, &QPushButton::clicked, this, &TFormSettingsGPS::ButtonDefaultClick);
    connect(ButtonAutoDetect, &QPushButton::clicked, this, [this] {
        FillPortList();
        AutoDetect();
    });
    connect(ButtonTest, &QPushButton::clicked, this, &TFormSettingsGPS::ButtonTestClick);
    connect(ButtonStopGPS, &QPushButton::clicked, this, &TFormSettingsGPS::ButtonStopGPSClick);
    connect(ButtonHelp, &QPushButton::clicked, this, &TFormSettingsGPS::ButtonHelpClick);
    connect(ButtonOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
}

// ---- setters ---------------------------------------------------------------------------------

void TFormSettingsGPS::SetBaudRate(int32_t baudRate) {
    FBaudRate = baudRate;
    SelectCode(ComboBoxBaudRate, baudRate);
}

void TFormSettingsGPS::SetStopBits(int32_t stopBits) {
    FStopBits = stopBits;
    SelectCode(ComboBoxStopBits, stopBits);
}

void TFormSettingsGPS::SetFlowControl(int32_t flowControl) {
    FFlowControl = flowControl;
    SelectCode(ComboBoxFlowcontrol, flowControl);
}

void TFormSettingsGPS::SetModel(int32_t model) {
    FModel = model;
    SelectCode(ComboBoxModel, model);
    ComboBoxModel->setToolTip(ComboBoxModel->currentText());
}

void TFormSettingsGPS::SetDatum(IGeodeticDefinition *datum) {
    FDatum = datum;
    SelectCode(ComboBoxDatum, PointerCode(datum));
    // Long datum names stay readable in the hint.
    ComboBoxDatum->setToolTip(ComboBoxDatum->currentText());
}

void TFormSettingsGPS::SetBrand(int32_t brand) {
    SelectCode(ComboBoxBrand, brand);
    if (brand == FBrand) return;
    FBrand = brand;
    FillModels();
    SetModel(0);
    SetProtocol(brand == NavMsgBrand::Garmin ? NavMsgProtocol::VendorBinary : NavMsgProtocol::NMEA);
    if (FPort && FPort->GetKind() == NavMsgPortKind::Serial)
        SetStopBits(brand == NavMsgBrand::MLR || brand == NavMsgBrand::Valsat ? NavMsgLine::StopBitsTwo
                                                                              : NavMsgLine::StopBitsOne);
    UpdateStates();
}

void TFormSettingsGPS::SetProtocol(int32_t protocol) {
    SelectCode(ComboBoxProtocol, protocol);
    if (protocol == FProtocol) return;
    FProtocol = protocol;
    FillPortList();
    AutoPickPort();
    if (protocol == NavMsgProtocol::VendorBinary) {
        SetDatum(GeodeticGlobals().DefaultDatum);
        SetBaudRate(9600);
        SetStopBits(NavMsgLine::StopBitsOne);
        SetFlowControl(NavMsgLine::FlowNone);
    } else if (protocol == NavMsgProtocol::NMEA) {
        SetFlowControl(NavMsgLine::FlowXonXoff);
    }
    UpdateStates();
}

void TFormSettingsGPS::SetPort(INavMsgPort *port) {
    FPort = port;
    const int index = port ? IndexOfCode(ComboBoxPort, PointerCode(port)) : -1;
    ComboBoxPort->setCurrentIndex(index);
    const QString description = index >= 0 ? NavMsgPortGetDescription(port) : QString();
    ComboBoxPort->setToolTip(description);
    LabelDescriptionValue->setText(description);
    UpdateStates();
}

void TFormSettingsGPS::FillModels() {
    ComboBoxModel->clear();
    const int32_t count = NavMsgGetDeviceModelCount(FBrand);
    for (int32_t model = 0; model < count; ++model)
        ComboBoxModel->addItem(NavMsgDeviceModelToStr(FBrand, model), model);
}

// ---- ports -----------------------------------------------------------------------------------

void TFormSettingsGPS::FillPortList() {
    FDeviceManager->RescanPorts(1);
    std::vector<INavMsgPort *> ports;
    for (int32_t i = FDeviceManager->GetPortCount() - 1; i >= 0; --i) ports.push_back(FDeviceManager->GetPort(i));
    for (int32_t i = 0; i < FDeviceManager->GetOtherPortCount(); ++i) ports.push_back(FDeviceManager->GetOtherPort(i));
    if (FProtocol == NavMsgProtocol::VendorBinary)
        for (int32_t i = FDeviceManager->GetUSBPortCount() - 1; i >= 0; --i)
            ports.push_back(FDeviceManager->GetUSBPort(i));
    std::erase(ports, nullptr);
    // Trailing-number order: a port ending in 2 before one ending in 10.
    std::stable_sort(ports.begin(), ports.end(), [](INavMsgPort *a, INavMsgPort *b) {
        return StrCompareByTrailingNumberI(NavMsgPortGetName(a), NavMsgPortGetName(b)) < 0;
    });
    ComboBoxPort->clear();
    for (INavMsgPort *port : ports)
        ComboBoxPort->addItem(PortIcon(port->IsAvailable()), NavMsgPortGetName(port), PointerCode(port));
    // The previous port stays chosen while it is listed; a port gone is no longer ours to use.
    SetPort(FPort && IndexOfCode(ComboBoxPort, PointerCode(FPort)) >= 0 ? FPort : nullptr);
}

QList<INavMsgPort *> TFormSettingsGPS::ListedPorts() const {
    QList<INavMsgPort *> ports;
    for (int i = 0; i < ComboBoxPort->count(); ++i) ports.append(PointerOf<INavMsgPort>(ComboBoxPort->itemData(i)));
    return ports;
}

INavMsgPort *TFormSettingsGPS::PickVendorPort(const QList<INavMsgPort *> &ports) {
    auto rank = [](INavMsgPort *port) {
        switch (port->GetKind()) {
        case NavMsgPortKind::VendorUSB: return 2;
        case NavMsgPortKind::Serial: return 1;
        default: return 0;
        }
    };
    INavMsgPort *best = nullptr;
    for (INavMsgPort *port : ports) {
        if (!port->SupportsProtocol(NavMsgProtocol::VendorBinary)) continue;
        if (!best) {
            best = port;
            continue;
        }
        const bool available = port->IsAvailable(), bestAvailable = best->IsAvailable();
        if ((available && !bestAvailable) || (available == bestAvailable && rank(port) > rank(best))) best = port;
    }
    return best;
}

INavMsgPort *TFormSettingsGPS::PickNMEAPort(const QList<INavMsgPort *> &ports) {
    INavMsgPort *first = nullptr;
    for (INavMsgPort *port : ports) {
        if (!port->SupportsProtocol(NavMsgProtocol::NMEA)) continue;
        if (port->IsAvailable()) return port;
        if (!first) first = port;
    }
    return first;
}

void TFormSettingsGPS::AutoPickPort() {
    if (FPort && FPort->SupportsProtocol(FProtocol)) return;
    const QList<INavMsgPort *> ports = ListedPorts();
    if (FProtocol == NavMsgProtocol::VendorBinary)
        SetPort(PickVendorPort(ports));
    else if (FProtocol == NavMsgProtocol::NMEA)
        SetPort(PickNMEAPort(ports));
}

void TFormSettingsGPS::RefreshPortList() {
    QString id;
    // The port object may be gone with the rescan; its identifier is read while it is sure
    // to exist.
    if (FPort && FDeviceManager->HasPort(FPort)) id = NavMsgPortGetID(FPort);
    const bool hadPort = FPort != nullptr;
    SetPort(nullptr);
    FillPortList();
    if (!hadPort) return;
    int32_t index = -1;
    if (!id.isEmpty()) NavMsgPortListFind(FDeviceManager, id, index);
    if (index >= 0)
        SetPort(FDeviceManager->GetPortListItem(index));
    else if (FDeviceManager->GetPortListCount() > 0)
        AutoPickPort();
}

// ---- states and texts ------------------------------------------------------------------------

void TFormSettingsGPS::UpdateStates() {
    const bool hasPorts = FDeviceManager->GetPortListCount() > 0;
    const bool serial = FPort && FPort->GetKind() == NavMsgPortKind::Serial;
    const bool editable = hasPorts && FStopped;
    auto pair = [](QLabel *label, QWidget *control, bool visible, bool enabled) {
        control->setVisible(visible);
        control->setEnabled(enabled);
        label->setVisible(visible);
        label->setEnabled(enabled);
    };
    pair(LabelBrand, ComboBoxBrand, true, editable);
    pair(LabelModel, ComboBoxModel, true, editable);
    pair(LabelProtocol, ComboBoxProtocol, true, editable && FBrand == NavMsgBrand::Garmin);
    // The datum only converts incoming positions, so it may change while the GPS runs.
    pair(LabelDatum, ComboBoxDatum, true, hasPorts && FProtocol == NavMsgProtocol::NMEA);
    const bool listed = ComboBoxPort->count() > 0;
    pair(LabelPort, ComboBoxPort, listed, listed && FStopped);
    LabelDescription->setVisible(hasPorts);
    LabelDescriptionValue->setVisible(hasPorts);
    const bool lineEditable = FStopped && FProtocol == NavMsgProtocol::NMEA;
    pair(LabelBaudRate, ComboBoxBaudRate, serial, lineEditable);
    pair(LabelStopBits, ComboBoxStopBits, serial, lineEditable);
    pair(LabelFlowcontrol, ComboBoxFlowcontrol, serial, lineEditable);
    PanelInformation->setVisible(!hasPorts);
    ButtonDefault->setEnabled(editable);
    ButtonAutoDetect->setEnabled(editable);
    // A test needs a port to test.
    ButtonTest->setEnabled(editable && FPort);
    ButtonStopGPS->setEnabled(!FStopped);
    ButtonHelp->setEnabled(bool(HelpHook()));
}

void TFormSettingsGPS::UpdateTexts() {
    setWindowTitle(QStringLiteral("GPS"));
    PageControl->setTabText(0, LanguageText(SGeneral));
    ButtonOk->setText(LanguageText(KvStr::BtnOK));
    ButtonCancel->setText(LanguageText(KvStr::BtnCancel));
    ButtonHelp->setText(LanguageText(KvStr::BtnHelp) + QStringLiteral(" (F1)"));
    LabelGeneral->setText(LanguageText(SGeneral));
    const QString colon = QStringLiteral(":");
    LabelBrand->setText(LanguageText(SBrand) + colon);
    LabelModel->setText(LanguageText(SModel) + colon);
    LabelProtocol->setText(LanguageText(SProtocol) + colon);
    LabelDatum->setText(LanguageText(SDatum) + colon);
    LabelComm->setText(LanguageText(SCommunication) + QStringLiteral(" "));
    LabelPort->setText(LanguageText(SPort) + colon);
    LabelDescription->setText(LanguageText(SDescription) + colon);
    LabelBaudRate->setText(LanguageText(SBaudrate) + colon);
    LabelStopBits->setText(LanguageText(SStopBits) + colon);
    LabelFlowcontrol->setText(LanguageText(SFlowControl) + colon);
    LabelInformation->setText(LanguageText(SNoPorts));
    ButtonDefault->setText(LanguageText(SDefault));
    ButtonStopGPS->setText(LanguageText(SStopGPS));
    ButtonAutoDetect->setText(LanguageText(SAutodetect));
    ButtonTest->setText(LanguageText(STest));
    LabelFiltering->setText(LanguageText(SFiltering));
    CheckBoxFilter->setText(LanguageText(SFilter));
}

// ---- buttons ---------------------------------------------------------------------------------

void TFormSettingsGPS::ButtonDefaultClick() {
    FillPortList();
    if (FProtocol != NavMsgProtocol::VendorBinary && FProtocol != NavMsgProtocol::NMEA) return;
    const bool vendor = FProtocol == NavMsgProtocol::VendorBinary;
    SetDatum(GeodeticGlobals().DefaultDatum);
    SetBaudRate(vendor ? 9600 : 4800);
    const bool twoStopBits = !vendor && (FBrand == NavMsgBrand::MLR || FBrand == NavMsgBrand::Valsat);
    SetStopBits(twoStopBits ? NavMsgLine::StopBitsTwo : NavMsgLine::StopBitsOne);
    SetFlowControl(vendor ? NavMsgLine::FlowNone : NavMsgLine::FlowXonXoff);
}

void TFormSettingsGPS::ButtonStopGPSClick() {
    if (FStopped) return;
    if (FAction) FAction->trigger();
    FStopped = FGPS->IsConnected() == 0;
    UpdateStates();
}

void TFormSettingsGPS::ButtonHelpClick() {
    if (HelpHook()) HelpHook()(HelpContext);
}

void TFormSettingsGPS::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_F1) {
        if (ButtonHelp->isEnabled()) ButtonHelp->click();
        return;
    }
    TFormScaled::keyPressEvent(event);
}

void TFormSettingsGPS::showEvent(QShowEvent *event) {
    TFormScaled::showEvent(event);
    if (!FAutoDetectOnShow) return;
    FAutoDetectOnShow = false;
    // Once the dialog is on screen, so that detection shows over it.
    QTimer::singleShot(0, this, [this] { AutoDetect(); });
}

// ---- running ---------------------------------------------------------------------------------

bool TFormSettingsGPS::Execute(bool autoDetectOnShow) {
    FAutoDetectOnShow = autoDetectOnShow;
    FApplied = false;
    const int result = Prompter() ? Prompter()(*this) : exec();
    return result == QDialog::Accepted && FApplied;
}

bool TFormSettingsGPS::Execute(QAction *action, INavMsgDeviceManager *deviceManager,
                               INavBoatGPS *gps, bool autoDetectOnShow,
                               const std::function<void(std::function<void()>)> &setRefresh) {
    TFormSettingsGPS form(action, deviceManager, gps);
    if (setRefresh) setRefresh([&form] { form.RefreshPortList(); });
    struct TClearRefresh {
        const std::function<void(std::function<void()>)> &Set;
        ~TClearRefresh() {
            if (Set) Set({});
        }
    } clear{setRefresh};
    return form.Execute(autoDetectOnShow);
}

TFormSettingsGPS::TPrompter TFormSettingsGPS::SetPrompter(TPrompter prompter) {
    TPrompter previous = std::move(Prompter());
    Prompter() = std::move(prompter);
    return previous;
}

TFormSettingsGPS::THelpHook TFormSettingsGPS::SetHelpHook(THelpHook hook) {
    THelpHook previous = std::move(HelpHook());
    HelpHook() = std::move(hook);
    return previous;
}
