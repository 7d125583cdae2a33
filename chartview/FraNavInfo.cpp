#include "chartview/FraNavInfo.h"

#include "base/controls/KvControls.h"
#include "base/kvlib/KvExceptions.h"
#include "base/registry/KvRegistry.h"
#include "chartview/FraNavInfoGPSStatus.h"
#include "chartview/FraNavInfoRoute.h"
#include "chartview/FraNavInfoRouteOpen.h"
#include "chartview/FraNavInfoWW.h"
#include "chartview/NavValuePanel.h"
#include "shell/MarivoColors.h"
#include "shell/MarivoNavEnv.h"

#include <QDockWidget>
#include <QVBoxLayout>

namespace {

const QString RegKey = QStringLiteral("Desktop\\NavInfo");

void Fill(QWidget *w, const TColor &c) {
    if (auto *panel = qobject_cast<TNavColourPanel *>(w)) panel->SetColour(&c);
}

QWidget *MakeDetailPanel(QWidget *parent, const char *name) {
    auto *p = new TNavColourPanel(parent);
    p->setObjectName(QLatin1String(name));
    auto *l = new QVBoxLayout(p);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(0);
    return p;
}

}  // namespace

TFrameNavInfo::TFrameNavInfo(QDockWidget *panel, TMarivoNavEnv &env)
    : TFrameScaled(panel), Env(env), FPanel(panel), FDock(panel, this) {
    FDock.OnDockChanged = [this] { UpdateHeight(); };
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    PanelBackground = new TNavColourPanel(this);
    outer->addWidget(PanelBackground);
    auto *stack = new QVBoxLayout(PanelBackground);
    stack->setContentsMargins(BorderWidth, BorderWidth, BorderWidth, BorderWidth);
    stack->setSpacing(0);
    PanelDetail[0] = MakeDetailPanel(PanelBackground, "PanelDetail1");
    PanelDetail[0]->hide();
    PanelRoute = MakeDetailPanel(PanelBackground, "PanelRoute");
    PanelWW = MakeDetailPanel(PanelBackground, "PanelWW");
    PanelRouteOpen = MakeDetailPanel(PanelBackground, "PanelRouteOpen");
    PanelGPS = MakeDetailPanel(PanelBackground, "PanelGPS");
    stack->addWidget(PanelDetail[0]);
    stack->addStretch(1);

    const int stored = RegReadIntegerDef(GetAppReg(), AppRegRoot::Product, RegKey, RegName(u"PanelGPS"), GPSAtBottom);
    // Creation order: route, waterway, route-open, GPS.
    FRouteBlock = new TFrameNavInfoRoute(PanelRoute, env);
    FRouteBlock->OnHeightChanged = [this](TFrameNavInfoRouteBase *) { BlockHeightChanged(); };
    FRouteBlock->OnRouteChosen = [this](IWptRoute *route) {
        if (OnRouteSelect) OnRouteSelect(route);
    };
    FWaterwayAhead = new TFrameNavInfoWW(PanelWW, env);
    FWaterwayAhead->OnHeightChanged = [this](TFrameNavInfoWW *) { BlockHeightChanged(); };
    FWaterwayAhead->SetDetailsEvent([this](auto... args) {
        if (OnShowObjectDetails) OnShowObjectDetails(args...);
    });
    FRouteOpenBlock = new TFrameNavInfoRouteOpen(PanelRouteOpen, env);
    FRouteOpenBlock->OnHeightChanged = [this](TFrameNavInfoRouteBase *) { BlockHeightChanged(); };
    FGPSStatus = new TFrameNavInfoGPSStatus(PanelGPS, env);
    FGPSStatus->OnHeightChanged = [this](TFrameNavInfoGPSStatus *) { BlockHeightChanged(); };
    FGPSStatus->OnDistanceChanged = [this](TFrameNavInfoGPSStatus *) {
        if (OnGPSChange) OnGPSChange(this);
    };
    FGPSStatus->OnSwitchPosition = [this](TFrameNavInfoGPSStatus *) { SwitchGPSPosition(); };
    PlaceBlocks(stored == GPSAtBottom);

    ScaleToScreen();
    UpdateHeight();
    ApplyUnitSettings();
    ApplyColors();
    RefreshAll();
    if (INavMessageDispatcher *d = Env.CoreEnv ? Env.CoreEnv->GetDispatcher() : nullptr) {
        d->Subscribe(&TFrameNavInfo::NotificationProc, this);
        FSubscribed = true;
    }
}

TFrameNavInfo::~TFrameNavInfo() {
    // Blocks go in the order GPS, waterway, route, route-open, before the dispatcher lets go.
    delete FGPSStatus;
    delete FWaterwayAhead;
    delete FRouteBlock;
    delete FRouteOpenBlock;
    if (FSubscribed && Env.CoreEnv) Env.CoreEnv->GetDispatcher()->Unsubscribe(&TFrameNavInfo::NotificationProc, this);
}

void TFrameNavInfo::NotificationProc(void *data, TNavNotification *n) {
    auto *frame = static_cast<TFrameNavInfo *>(data);
    try {
        frame->HandleNotification(*n);
    } catch (...) {
        ReportCurrentException();
    }
}

void TFrameNavInfo::HandleNotification(const TNavNotification &n) {
    if (n.Code != NavNotify::RouteFollowStarted && n.Code != NavNotify::RouteFollowStopped) return;
    if (FWaterwayAhead) FWaterwayAhead->RouteFollowingChanged(reinterpret_cast<IWptRoute *>(n.P1));
}

void TFrameNavInfo::PlaceBlocks(bool gpsAtBottom) {
    // With the GPS block at the bottom: route, waterway, route-open, GPS; else GPS first.
    std::array<QWidget *, 4> order = {PanelRoute, PanelWW, PanelRouteOpen, PanelGPS};
    if (!gpsAtBottom) order = {PanelGPS, PanelRoute, PanelWW, PanelRouteOpen};
    auto *stack = static_cast<QVBoxLayout *>(PanelBackground->layout());
    for (QWidget *p : order)
        if (p) stack->removeWidget(p);
    int at = 1;
    for (size_t i = 0; i < order.size(); ++i) {
        PanelDetail[i + 1] = order[i];
        if (order[i]) stack->insertWidget(at++, order[i]);
    }
    stack->activate();
}

int TFrameNavInfo::DetailOf(const QWidget *block) const {
    for (size_t i = 1; i < PanelDetail.size(); ++i)
        if (PanelDetail[i] && block && block->parentWidget() == PanelDetail[i]) return int(i) + 1;
    return 0;
}

void TFrameNavInfo::BlockHeightChanged() {
    if (!Updating) UpdateHeight();
}

void TFrameNavInfo::UpdateHeight() {
    int total = 2 * BorderWidth;
    for (QWidget *p : PanelDetail)
        if (p && !p->isHidden()) total += p->maximumHeight() < QWIDGETSIZE_MAX ? p->maximumHeight() : p->height();
    FDock.Apply(total);
}

void TFrameNavInfo::KeepHeight() {
    // The host may have put its own limits on its client (a layout read from the settings):
    // the content decides.
    if (minimumHeight() != FDock.AppliedHeight() || maximumHeight() != FDock.AppliedHeight()) UpdateHeight();
}

void TFrameNavInfo::showEvent(QShowEvent *event) {
    TFrameScaled::showEvent(event);
    KeepHeight();
}

void TFrameNavInfo::SetBounds(int left, int top, int width, int height) {
    const QSize s = FDock.Bounded(width, height);
    setGeometry(left, top, s.width(), s.height());
}

void TFrameNavInfo::SwitchGPSPosition() {
    const bool toBottom = DetailOf(FGPSStatus) != 5;
    int32_t error = 0;
    RegWriteInteger(GetAppReg(), AppRegRoot::Product, RegKey, RegName(u"PanelGPS"),
                    toBottom ? GPSAtBottom : GPSAtTop, error);
    Updating = true;
    PlaceBlocks(toBottom);
    FRouteBlock->UpdateLayout();
    FWaterwayAhead->UpdateLayout();
    FRouteOpenBlock->UpdateLayout();
    FGPSStatus->ApplyExpanded();
    Updating = false;
    UpdateHeight();
}

void TFrameNavInfo::UpdateValues(IGeodeticCalibration *calibration, bool force) {
    if (FPanel && FPanel->isHidden()) return;
    KeepHeight();
    FGPSStatus->UpdateValues(force, calibration);
    FWaterwayAhead->UpdateValues(calibration);
    FRouteBlock->UpdateValues();
    FRouteOpenBlock->UpdateValues();
}

void TFrameNavInfo::RefreshAll() {
    FGPSStatus->UpdateValues(false, nullptr);
    FGPSStatus->UpdateButtons();
    FWaterwayAhead->UpdateValues(nullptr);
    FRouteBlock->UpdateValues();
    FRouteOpenBlock->UpdateValues();
}

void TFrameNavInfo::UpdateTexts() {
    UpdateValues(nullptr, false);
    FGPSStatus->UpdateTexts();
    FWaterwayAhead->UpdateTexts();
    FRouteBlock->UpdateTexts();
    FRouteOpenBlock->UpdateTexts();
}

void TFrameNavInfo::RouteSelected() {
    FRouteBlock->RouteSelected();
    FRouteOpenBlock->RouteSelected();
}

void TFrameNavInfo::FillRouteList() { FRouteBlock->FillRouteList(); }

void TFrameNavInfo::ApplyUnitSettings() {
    FGPSStatus->ApplyUnitSettings();
    FRouteBlock->ApplyUnitSettings();
    FRouteOpenBlock->ApplyUnitSettings();
}

void TFrameNavInfo::ApplyColors() {
    Fill(PanelBackground, NavPanelHeaderColor);
    for (QWidget *p : {PanelGPS, PanelRoute, PanelRouteOpen})
        if (p) Fill(p, NavPanelHeaderColor);
    Fill(PanelWW, NavPanelColor);
    FGPSStatus->ApplyColors();
}
