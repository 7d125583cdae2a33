#include "exchange/FraTransferSelectDevice.h"

#include "base/dialogs/KvMsgIcons.h"
#include "base/graphics/KvNightScreen.h"
#include "base/kvlib/KvLib.h"
#include "base/units/KvNavMsgDevices.h"
#include "exchange/FraTransferSelectDeviceTexts.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

constexpr int PanelWidth = 440;
constexpr int GPSHeight = 20, GPSHeightWithNote = 80;

bool BrandWithModels(int32_t brand) {
    return brand == NavMsgBrand::Furuno || brand == NavMsgBrand::MLR ||
           brand == NavMsgBrand::Valsat;
}

QWidget *Panel(QWidget *parent, const char *name, int height) {
    auto *panel = new QWidget(parent);
    panel->setObjectName(QLatin1String(name));
    panel->resize(PanelWidth, height);
    return panel;
}

}  // namespace

TFrameTransferSelectDevice::TFrameTransferSelectDevice(int32_t direction,
                                                       INavMsgGPSDevice *device)
    : TFrameScaled(nullptr), FDirection(direction), FDevice(device) {
    setObjectName(QStringLiteral("FrameTransferSelectDevice"));
    BuildLayout();
    NightScreenAddImage(NightScreen(), ImageInformation);
    NightScreenAddImage(NightScreen(), ImageGarminNote);
    UpdateChoices();
    UpdateEnabled();
    ScaleToScreen();
}

TFrameTransferSelectDevice::~TFrameTransferSelectDevice() {
    NightScreenRemoveImage(NightScreen(), ImageInformation);
    NightScreenRemoveImage(NightScreen(), ImageGarminNote);
}

void TFrameTransferSelectDevice::BuildLayout() {
    resize(480, 340);
    auto *layout = new QVBoxLayout(this);
    PageControl = new QTabWidget(this);
    TabSheetDevice = new QWidget(PageControl);
    TabSheetDevice->setObjectName(QStringLiteral("TabSheetDevice"));
    TabSheetDevice->installEventFilter(this);
    PageControl->addTab(TabSheetDevice, LanguageText(SelectDeviceText::STab));
    layout->addWidget(PageControl);

    PanelInformation = Panel(TabSheetDevice, "PanelInformation", 50);
    ImageInformation = new QLabel(PanelInformation);
    ImageInformation->setPixmap(MsgIconLoad(2, false, 32));
    ImageInformation->setGeometry(8, 8, 32, 32);
    LabelInformation = new QLabel(LanguageText(SelectDeviceText::SInformation), PanelInformation);
    LabelInformation->setWordWrap(true);
    LabelInformation->setGeometry(50, 8, PanelWidth - 58, 34);

    FRadioGroup = new QButtonGroup(this);
    PanelGPS = Panel(TabSheetDevice, "PanelGPS", GPSHeight);
    RadioButtonGPS = new QRadioButton(PanelGPS);
    RadioButtonGPS->setGeometry(8, 0, PanelWidth - 16, 20);
    PanelGarmin = Panel(PanelGPS, "PanelGarmin", 58);
    PanelGarmin->move(0, 22);
    ImageGarminNote = new QLabel(PanelGarmin);
    ImageGarminNote->setPixmap(MsgIconLoad(0, false, 16));
    ImageGarminNote->setGeometry(26, 2, 16, 16);
    LabelGarminNote = new QLabel(LanguageText(SelectDeviceText::SGarminNote), PanelGarmin);
    LabelGarminNote->setWordWrap(true);
    LabelGarminNote->setGeometry(48, 0, PanelWidth - 56, 58);

    PanelSelectModel = Panel(TabSheetDevice, "PanelSelectModel", 76);
    RadioButtonSelectModel = new QRadioButton(PanelSelectModel);
    RadioButtonSelectModel->setGeometry(8, 0, PanelWidth - 16, 20);
    LabelSelectModel = new QLabel(PanelSelectModel);
    LabelSelectModel->setGeometry(26, 22, PanelWidth - 34, 30);
    ComboBoxModels = new QComboBox(PanelSelectModel);
    ComboBoxModels->setGeometry(26, 52, 200, 22);

    PanelMagellan = Panel(TabSheetDevice, "PanelMagellan", 50);
    RadioButtonMagellan =
        new QRadioButton(LanguageText(SelectDeviceText::SMagellanUSB), PanelMagellan);
    RadioButtonMagellan->setGeometry(8, 0, PanelWidth - 16, 20);
    LabelMagellanDevice = new QLabel(LanguageText(SelectDeviceText::SDevice), PanelMagellan);
    LabelMagellanDevice->setGeometry(26, 26, 60, 20);
    ComboBoxMagellanDevices = new QComboBox(PanelMagellan);
    ComboBoxMagellanDevices->setGeometry(90, 24, 250, 22);
    ButtonMagellanUpdate = new QPushButton(LanguageText(SelectDeviceText::SUpdate), PanelMagellan);
    ButtonMagellanUpdate->setGeometry(348, 23, 80, 24);

    PanelTimex = Panel(TabSheetDevice, "PanelTimex", 20);
    RadioButtonTimex = new QRadioButton(LanguageText(SelectDeviceText::STimex), PanelTimex);
    RadioButtonTimex->setGeometry(8, 0, PanelWidth - 16, 20);

    for (QRadioButton *b : {RadioButtonGPS, RadioButtonSelectModel, RadioButtonMagellan, RadioButtonTimex})
        FRadioGroup->addButton(b);
    RadioButtonGPS->setChecked(true);
    connect(FRadioGroup, &QButtonGroup::buttonClicked, this, [this] { UpdateEnabled(); });
    connect(ButtonMagellanUpdate, &QPushButton::clicked, this, [this] {
        UpdateMagellanDevices();
        UpdateEnabled();
    });
}

bool TFrameTransferSelectDevice::eventFilter(QObject *watched, QEvent *event) {
    if (watched == TabSheetDevice && event->type() == QEvent::Resize) ArrangePanels();
    return TFrameScaled::eventFilter(watched, event);
}

void TFrameTransferSelectDevice::UpdateChoices(bool withTimex) {
    PanelGarmin->hide();
    PanelGPS->resize(PanelGPS->width(), GPSHeight);
    uint8_t choices = 0;
    const int32_t b = FDevice ? FDevice->GetBrand() : 0;
    const int32_t m = FDevice ? FDevice->GetModel() : 0;
    const QString brand = NavMsgDeviceBrandToStr(b);
    const bool known = b >= NavMsgBrand::GenericNMEA && b <= NavMsgBrand::Valsat;
    if (b == NavMsgBrand::GenericNMEA || b == NavMsgBrand::Garmin ||
        (b == NavMsgBrand::Magellan && m != 2) || (BrandWithModels(b) && m != 0)) {
        choices |= TransferChoice::GPS;
        if (b == NavMsgBrand::Magellan && m == 0) {
            RadioButtonGPS->setText(LanguageText(SelectDeviceText::SBrandModelGPS)
                                        .arg(brand, NavMsgDeviceModelToStr(b, 1)));
        } else if (b == NavMsgBrand::Furuno || b == NavMsgBrand::Magellan) {
            RadioButtonGPS->setText(LanguageText(SelectDeviceText::SBrandModelGPS)
                                        .arg(brand, NavMsgDeviceModelToStr(b, m)));
        } else {
            RadioButtonGPS->setText(LanguageText(SelectDeviceText::SBrandGPS).arg(brand));
            if (b == NavMsgBrand::Garmin && FDevice->GetProtocol() == NavMsgProtocol::NMEA) {
                PanelGarmin->show();
                PanelGPS->resize(PanelGPS->width(), GPSHeightWithNote);
            }
        }
    }
    if (BrandWithModels(b) && m == 0) choices |= TransferChoice::SelectModel;
    if (b == NavMsgBrand::Magellan && (m == 0 || m == 2)) choices |= TransferChoice::Magellan;
    if (withTimex) choices |= TransferChoice::Timex;
    RadioButtonSelectModel->setText(LanguageText(SelectDeviceText::SBrandGPS).arg(brand));
    LabelSelectModel->setText(LanguageText(SelectDeviceText::SSelectModel).arg(brand));
    LabelInformation->setText(LanguageText(known || choices ? SelectDeviceText::SInformation
                                                            : SelectDeviceText::SNoDevice));
    ShowChoices(choices);
}

void TFrameTransferSelectDevice::ShowChoices(uint8_t choices) {
    FChoices = choices;
    PanelGPS->setVisible(choices & TransferChoice::GPS);
    PanelSelectModel->setVisible(choices & TransferChoice::SelectModel);
    PanelMagellan->setVisible(choices & TransferChoice::Magellan);
    PanelTimex->setVisible(FDirection == 2 && (choices & TransferChoice::Timex));
    if (choices & TransferChoice::SelectModel) {
        ComboBoxModels->clear();
        const int32_t brand = FDevice->GetBrand();
        for (int32_t model = 1; model < NavMsgGetDeviceModelCount(brand); ++model)
            ComboBoxModels->addItem(NavMsgDeviceModelToStr(brand, model), model);
        ComboBoxModels->setCurrentIndex(0);
    }
    if (choices & TransferChoice::Magellan) UpdateMagellanDevices();
    const std::pair<uint8_t, QRadioButton *> order[] = {
        {TransferChoice::GPS, RadioButtonGPS},
        {TransferChoice::SelectModel, RadioButtonSelectModel},
        {TransferChoice::Magellan, RadioButtonMagellan},
        {TransferChoice::Timex, RadioButtonTimex}};
    for (const auto &[flag, button] : order) {
        if (choices & flag) {
            button->setChecked(true);
            break;
        }
    }
    ArrangePanels();
    UpdateEnabled();
}

void TFrameTransferSelectDevice::ArrangePanels() {
    std::vector<QWidget *> shown;
    for (QWidget *p : {PanelGPS, PanelSelectModel, PanelMagellan, PanelTimex})
        if (!p->isHidden()) shown.push_back(p);
    // A device without choices shows only the information panel.
    if (shown.empty()) return;
    const int slot = (TabSheetDevice->height() - PanelInformation->height()) / int(shown.size());
    int y = PanelInformation->height();
    for (QWidget *p : shown) {
        p->move(p->x(), y + (slot - p->height()) / 2);
        y += slot;
    }
}

void TFrameTransferSelectDevice::UpdateMagellanDevices() {
    FMagellanDevices.clear();
    ComboBoxMagellanDevices->clear();
    int defaultEntry = -1;
    {
        TNavPtr<IMglDeviceList> list(MagellanDeviceListCreate());
        const int32_t count = list ? list->GetCount() : 0;
        for (int32_t i = count - 1; i >= 0; --i) {
            FMagellanDevices.push_back(MagellanGetDeviceInfo(list.get(), i));
            const TMagellanDeviceInfo &info = FMagellanDevices.back();
            const QString text =
                info.MemoryType != 0
                    ? LanguageText(SelectDeviceText::SMagellanEntryMemory)
                          .arg(info.Name, MagellanMemoryTypeName(info.MemoryType), info.Drive)
                    : LanguageText(SelectDeviceText::SMagellanEntry).arg(info.Name, info.Drive);
            ComboBoxMagellanDevices->addItem(text, int(FMagellanDevices.size() - 1));
            if (defaultEntry < 0 && info.MemoryType == MglMemoryType::InternalFlash)
                defaultEntry = ComboBoxMagellanDevices->count() - 1;
        }
    }
    if (FMagellanDevices.empty())
        ComboBoxMagellanDevices->addItem(
            QLatin1Char('<') + LanguageText(SelectDeviceText::SNoMagellan) + QLatin1Char('>'), -1);
    ComboBoxMagellanDevices->setCurrentIndex(defaultEntry >= 0 ? defaultEntry : 0);
}

void TFrameTransferSelectDevice::UpdateEnabled() {
    const bool model = RadioButtonSelectModel->isChecked();
    LabelSelectModel->setEnabled(model);
    ComboBoxModels->setEnabled(model);
    const bool magellan = RadioButtonMagellan->isChecked();
    LabelMagellanDevice->setEnabled(magellan);
    ButtonMagellanUpdate->setEnabled(magellan);
    ComboBoxMagellanDevices->setEnabled(magellan && !FMagellanDevices.empty());
}

bool TFrameTransferSelectDevice::IsSingleChoice() const {
    return (FChoices == TransferChoice::GPS && PanelGarmin->isHidden()) ||
           (FChoices == TransferChoice::Magellan && FMagellanDevices.size() == 1) ||
           FChoices == TransferChoice::Timex;
}

int32_t TFrameTransferSelectDevice::GetChoice() const {
    if (RadioButtonGPS->isChecked()) return 0;
    if (RadioButtonSelectModel->isChecked()) return 1;
    if (RadioButtonMagellan->isChecked()) return 2;
    return 3;
}

bool TFrameTransferSelectDevice::NeedsGarminProtocol() const {
    return RadioButtonGPS->isChecked() && !PanelGarmin->isHidden();
}

int32_t TFrameTransferSelectDevice::GetSelectedModel() const {
    return ComboBoxModels->currentData().toInt();
}

const TMagellanDeviceInfo *TFrameTransferSelectDevice::GetSelectedMagellanDevice() const {
    if (!RadioButtonMagellan->isChecked() || FMagellanDevices.empty()) return nullptr;
    const int index = ComboBoxMagellanDevices->currentData().toInt();
    return index >= 0 && index < int(FMagellanDevices.size()) ? &FMagellanDevices[index] : nullptr;
}
