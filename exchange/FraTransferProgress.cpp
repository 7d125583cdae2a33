#include "exchange/FraTransferProgress.h"

#include "base/dialogs/KvMsgIcons.h"
#include "base/graphics/KvNightScreen.h"
#include "base/units/KvNavMsgDevices.h"
#include "exchange/FraTransferTexts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QWidget *CountPanel(QWidget *parent, QLabel *&count, const TLanguageStrings &caption) {
    auto *panel = new QWidget(parent);
    auto *layout = new QHBoxLayout(panel);
    layout->setContentsMargins(50, 0, 0, 0);
    auto *label = new QLabel(LanguageText(caption), panel);
    label->setMinimumWidth(110);
    count = new QLabel(panel);
    layout->addWidget(label);
    layout->addWidget(count, 1);
    panel->hide();
    return panel;
}

}  // namespace

TFrameTransferProgress::TFrameTransferProgress(int32_t direction)
    : TFrameScaled(nullptr), FDirection(direction) {
    setObjectName(QStringLiteral("FrameTransferProgress"));
    BuildLayout();
    NightScreenAddImage(NightScreen(), ImageInformation);
    ScaleToScreen();
}

TFrameTransferProgress::~TFrameTransferProgress() {
    NightScreenRemoveImage(NightScreen(), ImageInformation);
}

void TFrameTransferProgress::BuildLayout() {
    resize(480, 340);
    auto *layout = new QVBoxLayout(this);
    PageControl = new QTabWidget(this);
    TabSheetGPSInfo = new QWidget(PageControl);
    PageControl->addTab(TabSheetGPSInfo, LanguageText(TransferText::STabProgress));
    layout->addWidget(PageControl);
    auto *tab = new QVBoxLayout(TabSheetGPSInfo);
    PanelProgress = new QWidget(TabSheetGPSInfo);
    tab->addWidget(PanelProgress);
    auto *rows = new QVBoxLayout(PanelProgress);
    PanelTransferProgress = new QWidget(PanelProgress);
    auto *head = new QHBoxLayout(PanelTransferProgress);
    ImageInformation = new QLabel(PanelTransferProgress);
    ImageInformation->setPixmap(MsgIconLoad(2, false, 32));
    ImageInformation->setFixedSize(32, 32);
    LabelTransferProgress = new QLabel(PanelTransferProgress);
    LabelTransferProgress->setWordWrap(true);
    head->addWidget(ImageInformation);
    head->addWidget(LabelTransferProgress, 1);
    PanelTransferProgressBar = new QWidget(PanelProgress);
    auto *bar = new QHBoxLayout(PanelTransferProgressBar);
    bar->setContentsMargins(50, 0, 10, 0);
    ProgressBarTransfer = new QProgressBar(PanelTransferProgressBar);
    ProgressBarTransfer->setTextVisible(false);
    bar->addWidget(ProgressBarTransfer);
    PanelWaypoints = CountPanel(PanelProgress, LabelWaypointCount, TransferText::SCountWaypoints);
    PanelRoutes = CountPanel(PanelProgress, LabelRouteCount, TransferText::SCountRoutes);
    PanelRoutePoints = CountPanel(PanelProgress, LabelRoutePointCount, TransferText::SCountRoutePoints);
    PanelTracks = CountPanel(PanelProgress, LabelTrackCount, TransferText::SCountTracks);
    PanelTrackPoints = CountPanel(PanelProgress, LabelTrackPointCount, TransferText::SCountTrackPoints);
    for (QWidget *w : {PanelTransferProgress, PanelTransferProgressBar, PanelWaypoints, PanelRoutes,
                       PanelRoutePoints, PanelTracks, PanelTrackPoints})
        rows->addWidget(w);
    rows->addStretch(1);
    PanelTransferProgress->hide();
    PanelTransferProgressBar->hide();
}

void TFrameTransferProgress::ShowStart(const TNavMsgTransferStatus &status,
                                       INavMsgGPSDevice *device) {
    const int32_t brand = device->GetBrand();
    const bool userStarts = brand == NavMsgBrand::GenericNMEA || brand == NavMsgBrand::Furuno ||
                            brand == NavMsgBrand::MLR;
    LabelTransferProgress->setText(
        LanguageText(userStarts ? TransferText::SStartTransfer : TransferText::SWaiting)
            .arg(NavMsgDeviceBrandToStr(brand)));
    PanelTransferProgress->show();
    PanelTransferProgressBar->setVisible(status.TransferMax >= 0);
    const std::pair<QWidget *, int32_t> counts[] = {{PanelWaypoints, status.WaypointCount},
                                                    {PanelRoutes, status.RouteCount},
                                                    {PanelRoutePoints, status.RoutePointCount},
                                                    {PanelTracks, status.TrackCount},
                                                    {PanelTrackPoints, status.TrackPointCount}};
    for (const auto &[panel, count] : counts) panel->setVisible(count >= 0);
    for (QLabel *l : {LabelWaypointCount, LabelRouteCount, LabelRoutePointCount, LabelTrackCount,
                      LabelTrackPointCount})
        l->clear();
}

void TFrameTransferProgress::UpdateProgress(const TNavMsgTransferStatus &status,
                                            INavMsgGPSDevice *device) {
    if (FDirection != 2) return;
    INavMsgPort *port = device ? device->GetPort() : nullptr;
    if (port && port->GetKind() == NavMsgPortKind::VendorUSB) {
        if (status.Stage == NavMsgTransfer::StageStart) {
            LabelTransferProgress->setText(LanguageText(TransferText::SInProgress));
            PanelTransferProgress->show();
        }
    } else if (status.Stage == NavMsgTransfer::StageStart) {
        ShowStart(status, device);
    } else {
        if (status.Stage != FPreviousStage) {
            const TLanguageStrings *caption = nullptr;
            switch (status.Stage) {
            case NavMsgTransfer::StageProximityWaypoints: caption = &TransferText::SStageProximity; break;
            case NavMsgTransfer::StageWaypoints: caption = &TransferText::SStageWaypoints; break;
            case NavMsgTransfer::StageRoutes: caption = &TransferText::SStageRoutes; break;
            case NavMsgTransfer::StageTracks: caption = &TransferText::SStageTracks; break;
            default: break;
            }
            if (caption) LabelTransferProgress->setText(LanguageText(*caption));
        }
        switch (status.Stage) {
        case NavMsgTransfer::StageProximityWaypoints:
        case NavMsgTransfer::StageWaypoints:
            LabelWaypointCount->setNum(status.WaypointCount);
            break;
        case NavMsgTransfer::StageRoutes:
            LabelRouteCount->setNum(status.RouteCount);
            LabelRoutePointCount->setNum(status.RoutePointCount);
            break;
        case NavMsgTransfer::StageTracks:
            LabelTrackCount->setNum(status.TrackCount);
            LabelTrackPointCount->setNum(status.TrackPointCount);
            break;
        default: break;
        }
        if (status.TransferMax >= 0) {
            ProgressBarTransfer->setMaximum(status.TransferMax);
            ProgressBarTransfer->setValue(status.TransferPos);
        }
    }
    FPreviousStage = status.Stage;
}
