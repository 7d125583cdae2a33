// The frame's construction, input handling, cursors, chart order and the chart manager
// dialog. View states, settings and the stored view are in FraViewerStates.cpp.
#include "chartview/FraViewer.h"

#include "base/charts/KvCharts.h"
#include "base/graphics/KvNightScreen.h"
#include "base/kvlib/KvExceptions.h"
#include "base/registry/KvRegistry.h"
#include "base/settings/KvRegCharts.h"
#include "base/settings/KvRegDisplay.h"
#include "shell/MarivoNavEnv.h"

#include <QResizeEvent>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <map>

namespace {

constexpr int CursorCross = 1000;

std::map<int, QCursor> &Cursors() {
    static std::map<int, QCursor> cursors{{ViewerCursor::HandPan, QCursor(Qt::ClosedHandCursor)},
                                          {ViewerCursor::HandPoint,
                                           QCursor(Qt::PointingHandCursor)}};
    return cursors;
}

TFrameViewer::TChartManagerExecute &ChartManagerExecute() {
    static TFrameViewer::TChartManagerExecute execute;
    return execute;
}

TGUID RasterGUID(IRasterChart *chart) {
    if (!chart) return {};
    IRasterChart *object = chart->GetChartObject();
    IRasterChartInfo *info = object ? object->GetInfo() : nullptr;
    const TGUID *guid = info ? info->GetGUID() : nullptr;
    return guid ? *guid : TGUID{};
}

bool IsNullGUID(const TGUID &guid) {
    return guid == TGUID{};
}

}  // namespace

TFrameViewer::TFrameViewer(QWidget *owner, bool nowOnlyEnabled, TMarivoNavEnv &env,
                           uint16_t groupValue, uint16_t viewerKind, const QString &caption,
                           const QString &name)
    : QWidget(owner), Caption(caption), GroupValue(groupValue), FEnv(env),
      FNowOnlyEnabled(nowOnlyEnabled) {
    setObjectName(name);
    BuildLayout();
    StartViewer(viewerKind);
    HookViewer();
    BuildActions();
    ToolbarS57->hide();
    FCalibrationTimer.setSingleShot(true);
    FCalibrationTimer.setInterval(1000);
    QObject::connect(&FCalibrationTimer, &QTimer::timeout, this, [this] { FlushCalibration(); });
    ApplyUnitSettings();
}

TFrameViewer::~TFrameViewer() {
    NightScreenRemoveImageList(NightScreen(), ImageListToolbar);
    NightScreenRemoveImageList(NightScreen(), ImageListToolbarS57);
    FlushCalibration();
    if (FViewer) {
        FViewer->SetViewerEventHandler(nullptr, nullptr);
        FViewer->SetObjectEventHandler(nullptr, nullptr);
        FViewer->SetCalibrationChangeHandler(nullptr, nullptr);
        FEnv.UnregisterViewer(FViewer);
    }
}

void TFrameViewer::BuildLayout() {
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    DockTop = new QWidget(this);
    DockTop->setObjectName(QStringLiteral("DockTop"));
    DockTop->setAutoFillBackground(true);
    DockTop->setBackgroundRole(QPalette::Window);
    auto *dockLayout = new QVBoxLayout(DockTop);
    dockLayout->setContentsMargins(0, 0, 0, 0);
    dockLayout->setSpacing(0);
    ToolbarMain = new QToolBar(tr("Toolbar"), DockTop);
    ToolbarMain->setObjectName(QStringLiteral("ToolbarMain"));
    ToolbarMain->setFloatable(false);
    ToolbarS57 = new QToolBar(DockTop);
    ToolbarS57->setObjectName(QStringLiteral("ToolbarS57"));
    ToolbarS57->setFloatable(false);
    dockLayout->addWidget(ToolbarMain);
    dockLayout->addWidget(ToolbarS57);
    PanelViewer = new QWidget(this);
    PanelViewer->setObjectName(QStringLiteral("PanelViewer"));
    auto *panelLayout = new QVBoxLayout(PanelViewer);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    FViewer = new TNavViewerControl(PanelViewer);
    FViewer->setObjectName(QStringLiteral("Viewer"));
    FViewer->setCursor(Qt::ArrowCursor);
    FViewer->Color = palette().color(QPalette::Dark);
    panelLayout->addWidget(FViewer);
    layout->addWidget(DockTop);
    layout->addWidget(PanelViewer, 1);
    // An empty toolbar dock takes no room until the main window takes ToolbarMain.
    DockTop->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
}

void TFrameViewer::StartViewer(uint16_t viewerKind) {
    FViewer->StartViewer(FEnv.Engine3D, viewerKind, FEnv.TileManager, FEnv.OSMTileManager,
                         FEnv.S57ChartLoader, FEnv.ChartDataCache);
    FViewer->SetNavObjects(FEnv.CoreEnv, FEnv.WaypointManager, FEnv.StructOperationManager,
                           nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                           FEnv.PredictedTime, FEnv.Boat, FEnv.UserDatabase);
}

void TFrameViewer::HookViewer() {
    FViewer->SetViewerEventHandler(ViewerEventCallback, this);
    FViewer->SetObjectEventHandler(ObjectEventCallback, this);
    FViewer->SetCalibrationChangeHandler(CalibrationChangeCallback, this);
    FViewer->SetPolygonList(FEnv.PolygonList);
    FViewer->SetRouteList(FEnv.RouteList);
    FViewer->SetS52PresentationLib(FEnv.S52Library);
    FViewer->SetTrackList(FEnv.TrackList);
    FViewer->SetTrackOption(0);
    FViewer->SetWaypointList(FEnv.WaypointList);
    FViewer->OnMouseWheel = [this](uint32_t keys, int32_t x, int32_t y, int32_t delta) {
        ViewerMouseWheel(keys, x, y, delta);
    };
    FViewer->OnDblClick = [this] { ViewerDblClick(); };
    FViewer->OnKeyDown = [this](int key, Qt::KeyboardModifiers m) { ViewerKeyDown(key, m); };
    FViewer->OnKeyUp = [this](int key, Qt::KeyboardModifiers m) { ViewerKeyUp(key, m); };
    FViewer->OnMouseDown = [this](int32_t b, uint32_t s, int32_t x, int32_t y) {
        ViewerMouseDown(b, s, x, y);
    };
    FViewer->OnMouseMove = [this](uint32_t s, int32_t x, int32_t y) { ViewerMouseMove(s, x, y); };
    FViewer->OnMouseUp = [this](int32_t b, uint32_t s, int32_t x, int32_t y) {
        ViewerMouseUp(b, s, x, y);
    };
}

// ---- callbacks of the core viewer (they must not let an exception into the library) ----

namespace {

using TFrameEvent = std::function<void(TFrameViewer &, const TViewerEvent &)>;

void RaiseFrameEvent(TFrameViewer &frame, const TFrameEvent &event, const TViewerEvent *ev) {
    try {
        if (event && ev) event(frame, *ev);
    } catch (...) {
        ReportCurrentException();
    }
}

}  // namespace

void TFrameViewer::ViewerEventCallback(void *data, const TViewerEvent *ev) {
    auto *frame = static_cast<TFrameViewer *>(data);
    RaiseFrameEvent(*frame, frame->OnViewerEvent, ev);
}

void TFrameViewer::ObjectEventCallback(void *data, const TViewerEvent *ev) {
    auto *frame = static_cast<TFrameViewer *>(data);
    RaiseFrameEvent(*frame, frame->OnObjectEvent, ev);
}

void TFrameViewer::CalibrationChangeCallback(void *data) {
    try {
        static_cast<TFrameViewer *>(data)->ViewerUpdateCalibration();
    } catch (...) {
        ReportCurrentException();
    }
}

// ---- input --------------------------------------------------------------------------------

double WheelZoomFactor(int32_t delta) {
    return delta >= 0 ? std::pow(2.0, delta / 480.0) : 1.0 / std::pow(2.0, -delta / 480.0);
}

void TFrameViewer::ViewerMouseWheel(uint32_t, int32_t x, int32_t y, int32_t delta) {
    if (delta == 0 || !FViewer->GetCanZoom() || !FViewer->rect().contains(x, y)) return;
    TDouble2 centre{double(x), double(y)};
    TGeoPoint target;
    IGeodeticCalibration *cal = FViewer->GetCalibration();
    if (FViewer->GetTrackingEnabled() && FViewer->GetTrackingTargetPosition(target) && cal)
        cal->GeoToPixel(centre, target);
    FViewer->ZoomAt(WheelZoomFactor(delta), &centre);
    CaptureViewerState();
}

void TFrameViewer::ViewerDblClick() {
    const int32_t mode = FViewer->GetEditMode();
    if (mode != NavViewerEditMode::None && mode != NavViewerEditMode::Routes) return;
    if (!FViewer->GetCanZoom() || FCursor != 0) return;
    if (FViewer->GetTrackingActive()) {
        ApplyViewerState(true);
        return;
    }
    const TGeoPoint *position = FViewer->GetMousePosition();
    const TPoint *point = FViewer->GetMousePoint();
    if (!position || !point) return;
    const TGeoPoint at = *position;
    const TDouble2 pixel{double(point->X), double(point->Y)};
    FViewer->Zoom100At(&at, &pixel);
}

void TFrameViewer::ViewerKeyUp(int, Qt::KeyboardModifiers modifiers) {
    UpdateCursor(ViewerShiftOf(Qt::NoButton, modifiers));
}

void TFrameViewer::ViewerMouseDown(int32_t, uint32_t shift, int32_t, int32_t) {
    UpdateCursor(shift);
}

void TFrameViewer::ViewerMouseMove(uint32_t shift, int32_t, int32_t) {
    if (FViewer->GetCalibration() && OnStatusUpdate) {
        OnStatusUpdate(*FViewer, ViewerStatusCode::MousePosition);
        OnStatusUpdate(*FViewer, ViewerStatusCode::Scale);
        OnStatusUpdate(*FViewer, ViewerStatusCode::ChartAtMouse);
    }
    UpdateCursor(shift);
}

void TFrameViewer::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    FrameResize();
}

void TFrameViewer::FrameResize() {
    FViewer->SetInfoPanelWidth(InfoPanelWidthFor(width()));
}

int32_t TFrameViewer::InfoPanelWidthFor(int32_t clientWidth) {
    return std::max<int32_t>(210, int32_t(std::nearbyint(clientWidth * 0.25)));
}

// ---- cursors ------------------------------------------------------------------------------

void TFrameViewer::RegisterCursor(int id, const QCursor &cursor) {
    Cursors()[id] = cursor;
}

int TFrameViewer::CursorFor(uint32_t shift) {
    const int32_t state = FViewer->GetMouseState();
    if (state == NavViewerMouseState::Pan || state == NavViewerMouseState::DragView)
        return ViewerCursor::HandPan;
    const int32_t mode = FViewer->GetEditMode();
    if (mode == NavViewerEditMode::Routes) {
        switch (FViewer->GetRouteEditHit()) {
        case 1: case 3: case 4: case 5: return ViewerCursor::HandPoint;
        case 2: return ViewerCursor::HandPan;
        default:
            if (shift & ViewerShiftState::Shift) return CursorCross;
            if (FViewer->GetNetworkSectionAtMouse()) return ViewerCursor::HandPoint;
        }
    }
    const bool hover =
        FViewer->GetWaypointAtMouse() ||
        (mode == NavViewerEditMode::Distance && FViewer->GetDistancePointAtMouse()) ||
        (mode == NavViewerEditMode::AlarmZones && FViewer->GetAlarmZoneAtMouse()) ||
        FViewer->GetHoverState01() || FViewer->GetHoverState02() || FViewer->GetHoverState03() ||
        FViewer->GetHoverState04() || FViewer->GetHoverState05() || FViewer->GetHoverState06() ||
        FViewer->GetHoverState07() || FViewer->GetHoverState08() || FViewer->GetHoverState09() ||
        FViewer->GetHoverState10() || FViewer->GetHoverState11() || FViewer->GetHoverState12();
    return hover ? ViewerCursor::HandPoint : 0;
}

void TFrameViewer::UpdateCursor(uint32_t shift) {
    const int cursor = CursorFor(shift);
    if (cursor == FCursor) return;
    FCursor = cursor;
    if (cursor == 0) FViewer->setCursor(Qt::ArrowCursor);
    else if (cursor == CursorCross) FViewer->setCursor(Qt::CrossCursor);
    else FViewer->setCursor(Cursors()[cursor]);
}

// ---- charts -------------------------------------------------------------------------------

void TFrameViewer::SetBackChart(IRasterChart *chart) {
    FViewer->SetBackChart(chart);
    if (chart && FViewer->GetFrontChart() == chart) FViewer->SetFrontChart(nullptr);
    FViewer->RefreshCharts();
}

void TFrameViewer::SetFrontChart(IRasterChart *chart) {
    FViewer->SetFrontChart(chart);
    if (chart && FViewer->GetBackChart() == chart) FViewer->SetBackChart(nullptr);
    FViewer->RefreshCharts();
}

void TFrameViewer::HideChart(IRasterChart *chart) {
    if (!chart || !FEnv.ChartManager) return;
    bool inView = false;
    for (int32_t i = 0, n = FViewer->GetViewChartCount(); i < n && !inView; ++i)
        inView = FViewer->GetViewChart(i) == chart;
    for (int32_t i = 0, n = FViewer->GetChartCount(); i < n && !inView; ++i)
        inView = FViewer->GetChart(i) == chart;
    if (!inView) return;
    if (FViewer->GetFrontChart() == chart) FViewer->SetFrontChart(nullptr);
    if (FViewer->GetBackChart() == chart) FViewer->SetBackChart(nullptr);
    TNavPtr<ISortedGUIDArray> guids(SortedGUIDArrayCreate());
    guids->Add(RasterGUID(chart));
    FEnv.ChartManager->DeselectCharts(guids.get(), FViewer->GetViewerIndex());
}

void TFrameViewer::HideS57Chart(IChart *chart) {
    IChartManager *manager = FEnv.ChartManager;
    if (!chart || !manager) return;
    bool listed = false;
    for (int32_t i = 0, n = manager->GetChartCount(); i < n && !listed; ++i)
        listed = manager->GetChart(i) == chart;
    if (!listed) return;
    FViewer->BeginUpdate();
    chart->SetVisibleInViewer(FViewer->GetViewerIndex(), false);
    FViewer->EndUpdate();
    RegWriteS57Visible(manager);
}

void TFrameViewer::ReloadChartSet(IChartCatalogueEntry *const *rasterEntries,
                                  int32_t rasterCount, IChartCatalogueEntry *const *s57Entries,
                                  int32_t s57Count) {
    FViewer->BeginUpdate();
    std::vector<int32_t> raster;
    for (int32_t i = 0; i < rasterCount; ++i)
        if (rasterEntries[i]) raster.push_back(rasterEntries[i]->GetChartHandle());
    FViewer->SetChartSelection(raster.data(), int32_t(raster.size()));
    std::vector<TS57Sel> cells;
    for (int32_t i = 0; i < s57Count; ++i) {
        IChartCatalogueEntry *entry = s57Entries[i];
        IS57ChartSettings *settings = entry ? entry->GetS57Settings() : nullptr;
        if (!settings) continue;
        cells.push_back({entry->GetChartHandle(), uint8_t(settings->GetShown()),
                         settings->GetValue(), uint8_t(settings->GetFlag())});
    }
    // A selection the viewer cannot take leaves its previous one; nothing to tell the user.
    int32_t ignored = 0;
    FViewer->SetS57ChartSelection(cells.data(), int32_t(cells.size()), ignored);
    FViewer->EndUpdate();
}

void TFrameViewer::RefreshObjects() {
    FViewer->RefreshObjectLayer1();
    FViewer->RefreshObjectLayer2();
    FViewer->RefreshObjectLayer3();
    FViewer->UpdateObjects();
    FViewer->update();
}

TFrameViewer::TChartManagerExecute TFrameViewer::SetChartManagerExecute(
    TChartManagerExecute execute) {
    TChartManagerExecute old = std::move(ChartManagerExecute());
    ChartManagerExecute() = std::move(execute);
    return old;
}

void TFrameViewer::ResetChartIfGone(const TGUID &guid, bool front) {
    if (IsNullGUID(guid)) return;
    for (int32_t i = 0, n = FViewer->GetChartCount(); i < n; ++i)
        if (RasterGUID(FViewer->GetChart(i)) == guid) return;
    if (front) FViewer->SetFrontChart(nullptr);
    else FViewer->SetBackChart(nullptr);
}

void TFrameViewer::ShowChartManager(int32_t mode) {
    const TGUID back = RasterGUID(FViewer->GetBackChart());
    const TGUID front = RasterGUID(FViewer->GetFrontChart());
    for (TS3DChartViewerControl *viewer : FEnv.Viewers) viewer->CancelChartLoading();
    if (std::find(FEnv.Viewers.begin(), FEnv.Viewers.end(), FViewer) == FEnv.Viewers.end())
        FViewer->CancelChartLoading();
    TChartManagerCall call;
    call.ChartManager = FEnv.ChartManager;
    call.Caption = Caption;
    call.ViewerIndex = FViewer->GetViewerIndex();
    call.OSMLayerEnabled = FViewer->GetOSMLayerEnabled();
    call.Mode = mode;
    call.S57Registrar = FEnv.S57Registrar;
    call.S52Library = FEnv.S52Library;
    call.SailingAreas = FEnv.SailingAreas;
    call.OnlineService = FEnv.OnlineService;
    call.Dispatcher = FEnv.CoreEnv ? FEnv.CoreEnv->GetDispatcher() : nullptr;
    if (ChartManagerExecute()) ChartManagerExecute()(call);
    FEnv.ChartAutoUpdateThreshold =
        RegReadIntegerDef(GetAppReg(), AppRegRoot::Product, QStringLiteral("Updates"),
                          RegName(u"ChartAutoUpdateThreshold"), 500);
    ResetChartIfGone(back, false);
    ResetChartIfGone(front, true);
    FViewer->SetOSMLayerEnabled(call.OSMLayerEnabled);
    FViewer->SetBackgroundMapOption(0);
    int32_t err = 0;
    RegWriteBool(GetAppReg(), AppRegRoot::Product, objectName(), RegName(u"OSMLayerEnabled"),
                 call.OSMLayerEnabled, err);
    if (IChartManager *manager = FEnv.ChartManager) {
        RegWriteModuleColors(manager);
        ChartManagerSaveS57BaseData(manager, FEnv.S57BaseDataFile, err);
        RegWriteS57Folders(manager);
        RegWriteS57Visible(manager);
    }
    if (FEnv.S57ChartLoader) FEnv.S57ChartLoader->Refresh(0);
    if (FEnv.Planner) FEnv.Planner->Refresh();
    if (OnChartSelectionChanged) OnChartSelectionChanged(*this);
    RaiseStateChanged();
}

void TFrameViewer::ApplyUnitSettings() {
    FViewer->SetUnitDepth(RegReadUnitDepth());
    FViewer->SetUnitDistanceLarge(RegReadUnitDistanceLarge());
    FViewer->SetUnitDistanceSmall(RegReadUnitDistanceSmall());
    FViewer->SetUnitSpeed(RegReadUnitSpeed());
    FViewer->SetUnitVolume(RegReadUnitVolume());
}

void TFrameViewer::ApplyRouteExploreMode() {
    FViewer->SetOverviewMode(IsRouteExploreMode() ||
                             FViewerState == ViewerStateIndex::Overview);
}

void TFrameViewer::SetHomeAndWaterLevels(double homeLatDeg, double homeLonDeg, float napLevel,
                                         float levelA, float levelB) {
    // (10, 10) is "no home" in degrees and in the viewer's radians alike.
    const bool none = homeLatDeg == 10.0 && homeLonDeg == 10.0;
    const TGeoPoint home = none ? TGeoPoint{10.0, 10.0}
                                : TGeoPoint{homeLatDeg * M_PI / 180.0, homeLonDeg * M_PI / 180.0};
    FViewer->SetHomePosition(home);
    FViewer->SetNAPWaterLevel(napLevel);
    FViewer->SetPlannerParam2(levelA);
    FViewer->SetPlannerParam3(levelB);
}
