#include "exchange/FraTransferGPSInfo.h"

#include "base/dialogs/KvMsgBox.h"
#include "base/dialogs/KvMsgIcons.h"
#include "base/graphics/KvNightScreen.h"
#include "base/kvlib/KvErrors.h"
#include "base/kvlib/KvProgInfo.h"
#include "base/strings/KvStrUtils.h"
#include "base/units/KvNavMsgDevices.h"
#include "exchange/FraTransferTexts.h"

#include <KvLibNav6/KvErrorCodes.h>

#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int PrefixX = 60, RowTop = 44, RowStep = 22;

constexpr int KindImageSize = 16;

// The picture of a kind of data, shipped in the program's Images folder; nothing is shown
// when it is missing.
QPixmap KindPicture(const char *file) {
    QImageReader reader(ProgInfoGetProgDir() + QStringLiteral("Images/") + QLatin1String(file));
    reader.setScaledSize(QSize(KindImageSize, KindImageSize));
    return QPixmap::fromImage(reader.read());
}

QWidget *KindPanel(QWidget *parent, QLabel *&image, const char *picture, QCheckBox *&box,
                   const TLanguageStrings &text) {
    auto *panel = new QWidget(parent);
    auto *layout = new QHBoxLayout(panel);
    layout->setContentsMargins(20, 0, 0, 0);
    layout->setSpacing(6);
    image = new QLabel(panel);
    image->setFixedSize(KindImageSize, KindImageSize);
    image->setPixmap(KindPicture(picture));
    layout->addWidget(image);
    box = new QCheckBox(LanguageText(text), panel);
    layout->addWidget(box, 1);
    return panel;
}

bool BrandWithModels(int32_t brand) {
    return brand == NavMsgBrand::Furuno || brand == NavMsgBrand::MLR ||
           brand == NavMsgBrand::Valsat;
}

}  // namespace

TFrameTransferGPSInfo::TFrameTransferGPSInfo(int32_t direction)
    : TFrameScaled(nullptr), FDirection(direction) {
    setObjectName(QStringLiteral("FrameTransferGPSInfo"));
    BuildLayout();
    for (QLabel *image : Images()) NightScreenAddImage(NightScreen(), image);
    PanelDataTypeSelect->setVisible(FDirection == 2);
    PanelDataTypeShow->setVisible(FDirection == 3);
    Reset();
    ScaleToScreen();
}

TFrameTransferGPSInfo::~TFrameTransferGPSInfo() {
    for (QLabel *image : Images()) NightScreenRemoveImage(NightScreen(), image);
}

std::array<QLabel *, 6> TFrameTransferGPSInfo::Images() const {
    return {ImageError, ImageInformation, ImagePrx, ImageRte, ImageTrk, ImageWpt};
}

void TFrameTransferGPSInfo::BuildLayout() {
    resize(480, 340);
    auto *layout = new QVBoxLayout(this);
    PageControl = new QTabWidget(this);
    TabSheetGPSInfo = new QWidget(PageControl);
    PageControl->addTab(TabSheetGPSInfo, LanguageText(TransferText::STabInfo));
    layout->addWidget(PageControl);
    PanelInformation = new QWidget(TabSheetGPSInfo);
    PanelInformation->setGeometry(0, 0, 460, 150);
    ImageInformation = new QLabel(PanelInformation);
    ImageInformation->setPixmap(MsgIconLoad(2, false, 32));
    ImageInformation->setGeometry(12, 10, 32, 32);
    ImageError = new QLabel(PanelInformation);
    ImageError->setPixmap(MsgIconLoad(1, false, 32));
    ImageError->setGeometry(12, 10, 32, 32);
    ImageError->hide();
    LabelGPSInfo = new QLabel(PanelInformation);
    LabelGPSInfo->setGeometry(PrefixX, 16, 390, 20);
    QFont bold = LabelGPSInfo->font();
    bold.setBold(true);
    LabelGPSInfo->setFont(bold);
    QLabel **rows[][2] = {{&LabelModelPrefix, &LabelModel},
                          {&LabelIDPrefix, &LabelID},
                          {&LabelSWVersionPrefix, &LabelSWVersion},
                          {&LabelStoragePrefix, &LabelStorage}};
    const TLanguageStrings *prefixes[] = {&TransferText::SModel, &TransferText::SID,
                                          &TransferText::SSWVersion, &TransferText::SStorage};
    for (int i = 0; i < 4; ++i) {
        *rows[i][0] = new QLabel(LanguageText(*prefixes[i]), PanelInformation);
        *rows[i][1] = new QLabel(PanelInformation);
        (*rows[i][0])->move(PrefixX, RowTop + i * RowStep);
        (*rows[i][0])->hide();
        (*rows[i][1])->hide();
    }
    LabelDataType = new QLabel(LanguageText(TransferText::SDataType), TabSheetGPSInfo);
    LabelDataType->setGeometry(PrefixX, 150, 390, 20);
    PanelDataTypeSelect = new QWidget(TabSheetGPSInfo);
    PanelDataTypeSelect->setGeometry(PrefixX, 172, 390, 110);
    auto *kinds = new QVBoxLayout(PanelDataTypeSelect);
    kinds->setContentsMargins(0, 0, 0, 0);
    kinds->setSpacing(2);
    PanelSelectWpt =
        KindPanel(PanelDataTypeSelect, ImageWpt, "transferwpt.svg", CheckBoxWpt, TransferText::SWaypoints);
    PanelSelectPrx =
        KindPanel(PanelDataTypeSelect, ImagePrx, "transferprx.svg", CheckBoxPrx, TransferText::SProximity);
    PanelSelectRte = KindPanel(PanelDataTypeSelect, ImageRte, "transferrte.svg", CheckBoxRte, TransferText::SRoutes);
    PanelSelectTrk = KindPanel(PanelDataTypeSelect, ImageTrk, "transfertrk.svg", CheckBoxTrk, TransferText::STracks);
    for (QWidget *p : {PanelSelectWpt, PanelSelectPrx, PanelSelectRte, PanelSelectTrk})
        kinds->addWidget(p);
    kinds->addStretch(1);
    // Upload only, which this program does not do.
    PanelDataTypeShow = new QWidget(TabSheetGPSInfo);
}

void TFrameTransferGPSInfo::changeEvent(QEvent *event) {
    TFrameScaled::changeEvent(event);
    if (event->type() == QEvent::ParentChange && parentWidget()) Reset();
}

void TFrameTransferGPSInfo::Reset() {
    LabelGPSInfo->setText(LanguageText(TransferText::SInitializing));
    LabelDataType->hide();
    for (QWidget *p : {PanelSelectWpt, PanelSelectPrx, PanelSelectRte, PanelSelectTrk}) p->hide();
    for (QCheckBox *b : {CheckBoxWpt, CheckBoxPrx, CheckBoxRte, CheckBoxTrk}) b->setChecked(false);
}

void TFrameTransferGPSInfo::PlaceRows() {
    const std::pair<QLabel *, QLabel *> rows[] = {{LabelModelPrefix, LabelModel},
                                                  {LabelIDPrefix, LabelID},
                                                  {LabelSWVersionPrefix, LabelSWVersion},
                                                  {LabelStoragePrefix, LabelStorage}};
    int widest = 0;
    for (const auto &[prefix, value] : rows) {
        prefix->adjustSize();
        if (!prefix->isHidden()) widest = std::max(widest, prefix->width());
    }
    for (const auto &[prefix, value] : rows) {
        value->adjustSize();
        value->move(prefix->x() + widest + 10, prefix->y());
    }
}

void TFrameTransferGPSInfo::ShowDeviceInfo(const TMagellanDeviceInfo *info,
                                           INavMsgGPSDevice *device, uint32_t flags) {
    ImageError->hide();
    ImageInformation->show();
    LabelGPSInfo->setText(LanguageText(TransferText::SDeviceInfo));
    LabelModelPrefix->setWordWrap(false);
    LabelModelPrefix->setText(LanguageText(TransferText::SModel));
    const int32_t brand = device ? device->GetBrand() : NavMsgBrand::Magellan;
    const int32_t protocol = device ? device->GetProtocol() : 0;
    const bool vendor = brand == NavMsgBrand::Garmin && protocol == NavMsgProtocol::VendorBinary;
    const bool idRows = info || brand == NavMsgBrand::Magellan || vendor;
    LabelModelPrefix->show();
    LabelModel->show();
    LabelIDPrefix->setVisible(idRows);
    LabelID->setVisible(idRows);
    LabelSWVersionPrefix->setVisible(idRows);
    LabelSWVersion->setVisible(idRows);
    LabelStoragePrefix->setVisible(info != nullptr);
    LabelStorage->setVisible(info != nullptr);
    if (info) {
        LabelModel->setText(NavMsgDeviceBrandToStr(NavMsgBrand::Magellan) + QLatin1Char(' ') + info->Name);
        LabelID->setText(QString::number(info->ID));
        LabelSWVersion->setText(QLatin1Char('v') + VersionToStr(info->Version, 2));
        LabelStorage->setText(LanguageText(TransferText::SStorageValue)
                                  .arg(SizeToStr2(0, 1, 0, 1, info->FreeSize),
                                       SizeToStr2(0, 1, 0, 1, info->TotalSize),
                                       MagellanMemoryTypeName(info->MemoryType), info->Drive));
    } else if (device) {
        if (protocol == NavMsgProtocol::VendorBinary)
            LabelModel->setText(NavMsgDeviceGetProductText(device, 0));
        else if (brand == NavMsgBrand::Magellan)
            LabelModel->setText(NavMsgDeviceBrandToStr(brand) + QLatin1Char(' ') +
                                NavMsgDeviceGetProductText(device, 0));
        else if (BrandWithModels(brand) && device->GetModel() != 0)
            LabelModel->setText(NavMsgDeviceBrandToStr(brand) + QLatin1Char(' ') +
                                NavMsgDeviceModelToStr(brand, device->GetModel()));
        else
            LabelModel->setText(NavMsgDeviceBrandToStr(brand));
        LabelID->setText(QString::number(device->GetUnitID()));
        LabelSWVersion->setText(QLatin1Char('v') + VersionToStr(device->GetSoftwareVersion(), 2));
    }
    PlaceRows();
    if (FDirection != 2) return;
    LabelDataType->show();
    const std::pair<uint32_t, QWidget *> kinds[] = {
        {NavMsgTransfer::CanDownloadTracks, PanelSelectTrk},
        {NavMsgTransfer::CanDownloadRoutes, PanelSelectRte},
        {NavMsgTransfer::CanDownloadProximityWaypoints, PanelSelectPrx},
        {NavMsgTransfer::CanDownloadWaypoints, PanelSelectWpt}};
    PanelDataTypeSelect->show();
    for (const auto &[bit, panel] : kinds) {
        panel->setVisible(flags & bit);
        panel->findChild<QCheckBox *>()->setChecked(flags & bit);
    }
}

void TFrameTransferGPSInfo::ShowErrorText(const QString &text) {
    for (QLabel *l : {LabelModel, LabelIDPrefix, LabelID, LabelSWVersionPrefix, LabelSWVersion,
                      LabelStoragePrefix, LabelStorage, LabelDataType})
        l->hide();
    PanelDataTypeSelect->hide();
    PanelDataTypeShow->hide();
    ImageError->show();
    ImageInformation->hide();
    LabelGPSInfo->setText(LanguageText(TransferText::SCommError));
    LabelModelPrefix->setWordWrap(true);
    LabelModelPrefix->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LabelModelPrefix->resize(425 - PrefixX, 100);
    LabelModelPrefix->setText(text);
    LabelModelPrefix->show();
}

void TFrameTransferGPSInfo::ShowCommError(int32_t code) {
    ShowErrorText(code == KvErr::GPSSilent ? LanguageText(TransferText::SNotResponding)
                                           : ErrorToStrA(code));
}

void TFrameTransferGPSInfo::ShowPortError(INavMsgPort *port, int32_t code, bool openFailed) {
    const TLanguageStrings &text = code == KvErr::PortNotFound ? TransferText::SPortNotFound
                                   : code == KvErr::PortBusy   ? TransferText::SPortBusy
                                   : openFailed                ? TransferText::SPortNotOpened
                                                               : TransferText::SPortLost;
    ShowErrorText(LanguageText(text).arg(port ? NavMsgPortGetName(port) : QString()));
}

bool TFrameTransferGPSInfo::Validate() {
    if (CheckBoxWpt->isChecked() || CheckBoxPrx->isChecked() || CheckBoxRte->isChecked() ||
        CheckBoxTrk->isChecked())
        return true;
    MsgBox(LanguageText(TransferText::SSelectOne), mtCustom, MsgButtons({mbOK}));
    return false;
}

uint32_t TFrameTransferGPSInfo::RequestFlags() const {
    uint32_t flags = 0;
    if (CheckBoxWpt->isChecked()) flags |= NavMsgTransfer::RequestWaypoints;
    if (CheckBoxPrx->isChecked()) flags |= NavMsgTransfer::RequestProximityWaypoints;
    if (CheckBoxRte->isChecked()) flags |= NavMsgTransfer::RequestRoutes;
    if (CheckBoxTrk->isChecked()) flags |= NavMsgTransfer::RequestTracks;
    return flags;
}
