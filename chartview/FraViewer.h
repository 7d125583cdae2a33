// The chart-viewer frame: the main chart area. It owns one navigation viewer control, its
// main and S-57 toolbars, turns wheel, double-click and mouse input into view operations,
// keeps a navigation and an overview view state, brings the last view back at start,
// orders and hides charts, runs the chart manager dialog and reports what happens in the
// view through the events below.
//
// The main window creates it ("ViewerMain") right after the navigation environment, docks
// ToolbarMain into its own top dock, registers the viewer control with the environment,
// calls LoadSettings, RestoreView and SetHomeAndWaterLevels at the deferred start and
// UpdateTracking and UpdateSecond on its one-second ticks. The frame keeps a reference to
// the environment, which must outlive it. Settings live under the frame's objectName().
// GUI thread only.
#pragma once

#include "chartview/NavViewerControl.h"
#include "chartview/ViewerContextMenu.h"

#include <KvLibNav6/KvCallbacks.h>
#include <KvLibNav6/KvCharts.h>

#include <QCursor>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>

class QAction;
class QDoubleSpinBox;
class QMenu;
class QToolBar;
class QToolButton;
class TImageList;
class IWptWaypointList;
class IWptRoutePoint;
class IWptPolygon;
class INavScaleInfo;
class TMarivoNavEnv;
class IWptRoute;
class IWWSection;
class IMRCChartCheck;
class INavMessageDispatcher;

// What the chart manager dialog is run with. Changed and OSMLayerEnabled come back.
struct TChartManagerCall {
    IChartManager *ChartManager = nullptr;
    QString Caption;
    int32_t ViewerIndex = 0;
    bool Changed = false;
    bool OSMLayerEnabled = false;
    int32_t Mode = 0;
    IS57RegistrarManager *S57Registrar = nullptr;
    IS52PresentationLib *S52Library = nullptr;
    uint16_t SailingAreas = 0;
    IMRCChartCheck *OnlineService = nullptr;
    INavMessageDispatcher *Dispatcher = nullptr;
};

// One remembered view: scales as denominators, tracking mode 1..6.
struct TViewerState {
    int32_t BaseScale = 0;
    int32_t CurrentScale = 0;
    int32_t TrackingMode = 0;
    bool Tracking = true;
};

namespace ViewerStateIndex {
inline constexpr int Navigation = 0;
inline constexpr int Overview = 1;
}  // namespace ViewerStateIndex

// The frame's mouse cursors besides the arrow and the cross.
namespace ViewerCursor {
inline constexpr int HandPan = 200;    // "CR_HAND_PAN"
inline constexpr int HandPoint = 201;  // "CR_HAND_POINT"
}  // namespace ViewerCursor

// Codes of OnStatusUpdate a mouse move over a calibrated view sends, in this order.
namespace ViewerStatusCode {
inline constexpr uint8_t MousePosition = 3;
inline constexpr uint8_t Scale = 0;
inline constexpr uint8_t ChartAtMouse = 4;
}  // namespace ViewerStatusCode

// The zoom of a wheel turn: a notch of 120 zooms by 2^(1/4); negative deltas zoom out.
double WheelZoomFactor(int32_t delta);

class TFrameViewer : public QWidget {
public:
    // owner becomes the parent, which places the frame; groupValue: the waypoint-database
    // group of new waypoints; viewerKind: the viewer index 0..31; name: the frame's
    // objectName and its settings key. Raises when the viewer cannot be made; nothing is
    // registered with the environment then (the main window registers the viewer later).
    TFrameViewer(QWidget *owner, bool nowOnlyEnabled, TMarivoNavEnv &env, uint16_t groupValue,
                 uint16_t viewerKind, const QString &caption, const QString &name);
    ~TFrameViewer() override;

    // ---- entry points of the main window ------------------------------------------------
    // Every display setting of the frame's key into the viewer through the setters below;
    // values the store lacks or holds otherwise are written, nothing else.
    void LoadSettings();
    // The stored view for the viewer's size, else the first raster chart, the first S-57
    // chart or the background map, centred on the own ship at 100 % when it has a position.
    void RestoreView();
    // home in degrees ((10, 10) = none); the three planner water levels in metres.
    void SetHomeAndWaterLevels(double homeLatDeg, double homeLonDeg, float napLevel,
                               float levelA, float levelB);
    void UpdateTracking();
    void UpdateSecond();
    void ReloadChartSet(IChartCatalogueEntry *const *rasterEntries, int32_t rasterCount,
                        IChartCatalogueEntry *const *s57Entries, int32_t s57Count);
    void RefreshObjects();
    void ApplyRouteExploreMode();
    void ApplyUnitSettings();
    void FindGPSPosition();
    void ShowChartManager(int32_t mode);

    // ---- view states ----------------------------------------------------------------------
    void ApplyViewerState(bool useBase);
    void CaptureViewerState();
    void SaveViewerState();
    int CurrentViewerState() const { return FViewerState; }
    const TViewerState &ViewerStateRecord(int index) const { return FStates.at(size_t(index)); }

    // ---- tracking settings (each written at once, then OnStateChanged) ------------------
    bool GetTrackingEnabled();
    // The user's choice (key, chart selection, toolbar): in the overview state it also
    // becomes that state's tracking.
    void SetTrackingEnabled(bool value);
    // Only course up and north up are taken; other modes keep the viewer's.
    void SetTrackingMode(int32_t mode);
    void SetTrackingTarget(int32_t target);
    void SetTrackingZoom100(bool value);
    void SetTrackingAutoPos(bool value);

    // ---- display settings (each handed to the viewer and written at once) ----------------
    // Writes the S-52 library's notice-mark flag and display category of this viewer.
    void StoreS57DisplaySettings();
    uint32_t GetAISFlags();
    void SetAISFlags(uint32_t flags);
    // Bit 0x1 (the own-ship cursor) is always set.
    uint32_t GetGPSFlags();
    void SetGPSFlags(uint32_t flags);
    uint32_t GetGRIBFlags();
    void SetGRIBFlags(uint32_t flags);
    uint32_t GetRouteFlags();
    void SetRouteFlags(uint32_t flags);
    uint32_t GetRouteExtraFlags();
    void SetRouteExtraFlags(uint32_t flags);
    uint32_t GetTideFlags();
    void SetTideFlags(uint32_t flags);
    uint32_t GetWaypointFlags();
    void SetWaypointFlags(uint32_t flags);
    uint32_t GetNetworkFlags();
    void SetNetworkFlags(uint32_t flags);
    uint32_t GetWWSectionColor();
    void SetWWSectionColor(uint32_t argb);
    uint32_t GetWWSectionColorBack();
    void SetWWSectionColorBack(uint32_t argb);
    uint32_t GetWWSectionColorUnpassable();
    void SetWWSectionColorUnpassable(uint32_t argb);
    int32_t GetWWSectionMaxWidth();
    void SetWWSectionMaxWidth(int32_t width);
    float GetCursorScale();
    void SetCursorScale(double scale);
    // The twenty colours of alarm zones, legs and the rhumb line (ARGB).
    void SetColorAlarmzoneInside(uint32_t argb);
    void SetColorAlarmzoneOutside(uint32_t argb);
    void SetColorLegActiveMotoring(uint32_t argb);
    void SetColorLegActiveSailing(uint32_t argb);
    void SetColorLegActiveSailingSpi(uint32_t argb);
    void SetColorLegActiveTacking(uint32_t argb);
    void SetColorLegBack(uint32_t argb);
    void SetColorLegEditMotoring(uint32_t argb);
    void SetColorLegEditSailing(uint32_t argb);
    void SetColorLegEditSailingSpi(uint32_t argb);
    void SetColorLegEditTacking(uint32_t argb);
    void SetColorLegMotoring(uint32_t argb);
    void SetColorLegSailing(uint32_t argb);
    void SetColorLegSailingSpi(uint32_t argb);
    void SetColorLegTacking(uint32_t argb);
    void SetColorLegSelectedMotoring(uint32_t argb);
    void SetColorLegSelectedSailing(uint32_t argb);
    void SetColorLegSelectedSailingSpi(uint32_t argb);
    void SetColorLegSelectedTacking(uint32_t argb);
    void SetColorRhumbline(uint32_t argb);
    uint32_t GetColorLegActiveMotoring();
    uint32_t GetColorLegBack();
    uint32_t GetColorLegEditMotoring();
    uint32_t GetColorLegMotoring();
    uint32_t GetColorRhumbline();
    bool GetDistanceCirclesAuto();
    void SetDistanceCirclesAuto(bool value);
    int32_t GetDistanceCirclesCount();
    void SetDistanceCirclesCount(int32_t count);
    // Metres; written as a double, the viewer keeps a single.
    float GetDistanceCircles();
    void SetDistanceCircles(double metres);
    float GetFontAISBoatScale();
    void SetFontAISBoatScale(float scale);
    int32_t GetGRIBIsobarInterval();
    void SetGRIBIsobarInterval(int32_t interval);
    double GetGRIBViewScaleDrawLimit();
    void SetGRIBViewScaleDrawLimit(double scale);
    int32_t GetGRIBWaterlevelInterval();
    void SetGRIBWaterlevelInterval(int32_t interval);
    bool GetHighlightChartAtMouse();
    void SetHighlightChartAtMouse(bool value);
    int32_t GetLegWidth();
    void SetLegWidth(int32_t width);
    int32_t GetMaxHeightRadiusMM();
    void SetMaxHeightRadiusMM(int32_t mm);
    bool GetTrackDrawComplete();
    void SetTrackDrawComplete(bool value);
    float GetRhumblineWidth();
    void SetRhumblineWidth(float width);
    bool GetShowChartBounds();
    void SetShowChartBounds(bool value);
    bool GetShowBearingLine();
    void SetShowBearingLine(bool value);
    bool GetShowCompassNeedle();
    void SetShowCompassNeedle(bool value);
    bool GetShowNavInfo();
    void SetShowNavInfo(bool value);
    bool GetShowPolygons();
    void SetShowPolygons(bool value);
    bool GetShowScaleBar();
    void SetShowScaleBar(bool value);
    bool GetShowScaleValue();
    void SetShowScaleValue(bool value);
    bool GetShowTrackActive();
    void SetShowTrackActive(bool value);
    bool GetShowTrackNames();
    void SetShowTrackNames(bool value);
    bool GetShowVisibleTracks();
    void SetShowVisibleTracks(bool value);
    bool GetSmartLabels();
    void SetSmartLabels(bool value);
    int32_t GetSmartLabelTransparency();
    void SetSmartLabelTransparency(int32_t value);
    int32_t GetTrackLineWidth();
    void SetTrackLineWidth(int32_t width);
    int32_t GetTrackPointInterval();
    void SetTrackPointInterval(int32_t seconds);
    int32_t GetTrackTimeInterval();
    void SetTrackTimeInterval(int32_t seconds);
    int32_t GetEditMode();
    // Not stored; raises OnStateChanged.
    void SetEditMode(int32_t mode);
    uint32_t GetRouteEditFlags();
    void SetRouteEditFlags(uint32_t flags);  // not stored
    float GetSailingBoatScaleFactor() const { return 20.0f; }
    void SetSailingBoatScaleFactor(float) {}
    // 0 the charts as they are … 10 fully faded.
    int32_t GetChartVisibility() const { return FChartVisibility; }
    void SetChartVisibility(int32_t value);
    // Hands the object to the viewer, then writes its values.
    void SetScaleInfo(INavScaleInfo *info);
    // Acts only while the collapse strip is visible (it is hidden in this program).
    void SetToolbarVisible(bool value);

    // ---- chart order and visibility ------------------------------------------------------
    void SetBackChart(IRasterChart *chart);
    void SetFrontChart(IRasterChart *chart);
    void HideChart(IRasterChart *chart);
    void HideS57Chart(IChart *chart);

    // The information panel's width for a frame client width: a quarter, at least 210.
    static int32_t InfoPanelWidthFor(int32_t clientWidth);
    // Replaces the frame's cursor of that id (ViewerCursor); the main window registers its
    // own hands, the default ones are Qt's.
    static void RegisterCursor(int id, const QCursor &cursor);
    // Runs the chart manager dialog; the dialog registers itself here. Returns the previous.
    using TChartManagerExecute = std::function<void(TChartManagerCall &call)>;
    static TChartManagerExecute SetChartManagerExecute(TChartManagerExecute execute);

    // ---- actions, toolbars, context menu and keys ------------------------------------------
    void SetLanguage();
    // Checks and enables the actions from the viewer's and the S-52 library's state.
    void UpdateActions();
    // Builds the context menu for what lies under the mouse now; empty when nothing fits.
    void ShowContextMenu();
    // What lies under the mouse now, as the context menu sees it.
    TViewerHitSnapshot TakeHitSnapshot();
    // Runs a command of the context menu (the hit of the last ShowContextMenu).
    void RunMenuCommand(const TViewerMenuItem &item);
    void ActionChartSelectExecute();
    void SetS57WaterLevelOffset(float value);
    // One step of the display-category cycle, or a jump to target (0..2, 3 outlines only).
    void StepDisplayCategory();
    void SetDisplayCategoryTarget(int target);
    // Toggles one S-52 display flag and stores its Boolean under name.
    void ToggleS52Flag(uint32_t bit, const QString &name);
    // Asks, then removes the waypoint from the viewer and its database; the waypoint stays
    // shown when the database refuses.
    void DeleteWaypointAsked(IWptWaypoint *waypoint);
    void NewWaypointAtMouse();

    // The waypoint properties dialog and the route-point settings dialog; each registers
    // itself here. Until one is registered its items stay disabled. True on OK.
    using TWaypointEditExecute = std::function<bool(TMarivoNavEnv &env, IWptWaypointList *list)>;
    using TRoutePointSettingsExecute =
        std::function<bool(TMarivoNavEnv &env, IWptRoutePoint *point)>;
    static TWaypointEditExecute SetWaypointEditExecute(TWaypointEditExecute execute);
    static TRoutePointSettingsExecute SetRoutePointSettingsExecute(
        TRoutePointSettingsExecute execute);

    QAction *ActionViewTracking = nullptr;
    QAction *ActionViewTrackingZoom100 = nullptr;
    QAction *ActionViewTrackingNorthUp = nullptr;
    QAction *ActionViewTrackingAutoCursor = nullptr;
    QAction *ActionViewZoomIn = nullptr;
    QAction *ActionViewZoomOut = nullptr;
    QAction *ActionViewDistanceCircles = nullptr;
    QAction *ActionChartSelect = nullptr;
    QAction *ActionChartManager = nullptr;
    QAction *ActionClearDistance = nullptr;  // the main window's menu
    QAction *ActionFindGPSPosition = nullptr;
    QAction *ActionS57PickReport = nullptr;
    QAction *ActionS57DisplayCategory = nullptr;
    QAction *ActionS57DisplayCatBoundsOnly = nullptr;
    QAction *ActionS57DisplayCatBASE = nullptr;
    QAction *ActionS57DisplayCatSTANDARD = nullptr;
    QAction *ActionS57DisplayCatOTHER = nullptr;
    QAction *ActionS57SCAMIN = nullptr;
    QAction *ActionS57ShowLabels = nullptr;
    QAction *ActionS57ShowDepths = nullptr;
    QAction *ActionS57ShowNoticeMarks = nullptr;
    QAction *ActionS57ShowbENCs = nullptr;
    QToolButton *ToolButtonViewTracking = nullptr;
    QToolButton *ToolButtonS57DisplayCategory = nullptr;
    QDoubleSpinBox *SpinEditS57WaterLevelOffset = nullptr;
    QMenu *PopupMenu = nullptr;
    TImageList *ImageListToolbar = nullptr;
    TImageList *ImageListToolbarS57 = nullptr;

    TNavViewerControl *Viewer() const { return FViewer; }
    QToolBar *ToolbarMain = nullptr;
    QToolBar *ToolbarS57 = nullptr;
    QWidget *DockTop = nullptr;
    QWidget *PanelViewer = nullptr;
    QString Caption;
    uint16_t GroupValue = 0;
    bool ContextMenuEnabled = true;
    bool KeysEnabled = true;

    // The environment's route-explore mode, asked when a view state is applied.
    std::function<bool()> RouteExploreMode;

    // ---- events (unassigned ones are skipped) -------------------------------------------
    std::function<void(TFrameViewer &frame, const TViewerEvent &ev)> OnViewerEvent;
    std::function<void(TFrameViewer &frame, const TViewerEvent &ev)> OnObjectEvent;
    std::function<void(TFrameViewer &frame)> OnProperties;
    std::function<void(TFrameViewer &frame, IWptRoute *route, double distance,
                       IWWSection *section, const TGeoPoint &position)>
        OnRouteEdit;
    std::function<void(TFrameViewer &frame)> OnChartSelectionChanged;
    std::function<void(TFrameViewer &frame)> OnStateChanged;
    std::function<void(TNavViewerControl &viewer, uint8_t code)> OnStatusUpdate;

    // Handlers of the viewer control's input (public for the owner's key routing).
    void ViewerDblClick();
    void ViewerKeyDown(int key, Qt::KeyboardModifiers modifiers);
    void ViewerKeyUp(int key, Qt::KeyboardModifiers modifiers);
    void ViewerMouseDown(int32_t button, uint32_t shift, int32_t x, int32_t y);
    void ViewerMouseMove(uint32_t shift, int32_t x, int32_t y);
    void ViewerMouseUp(int32_t button, uint32_t shift, int32_t x, int32_t y);
    void ViewerMouseWheel(uint32_t keys, int32_t x, int32_t y, int32_t delta);
    // The viewer's calibration changed: stored about a second after the last change.
    void ViewerUpdateCalibration();
    // Writes a pending calibration now.
    void FlushCalibration();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void BuildLayout();
    void BuildActions();
    void LoadViewStates(const QString &key);
    // As ApplyViewerState, the overview state applying the tracking given.
    void ApplyViewerState(bool useBase, bool overviewTracking);
    void LoadScaleInfo(const QString &key);
    void LoadColours(const QString &key);
    void LoadDisplayValues(const QString &key);
    void RefreshGlyphs();
    void BuildMainToolbar();
    void BuildS57Toolbar();
    QAction *AddViewerAction(QToolBar *bar, TImageList *glyphs, int glyph,
                             std::function<void()> handler);
    void ToggleTracking();
    void ZoomAtCentre(double factor);
    void Zoom100AtMouse();
    void ResetChartOrder(IRasterChart *alsoHide);
    void ShowChartBorder(IRasterChart *chart);
    void SetGPSPositionAtMouse();
    void SetGPSTrackingPositionAtMouse();
    void DeleteKey();
    void ResetBoatMotion();
    void ZoomTo100AtCentre();
    void UpdateS57Actions();
    bool RunViewerKey(int key, Qt::KeyboardModifiers modifiers);
    void PostDisplayCategory(const char *name);

    void StartViewer(uint16_t viewerKind);
    void HookViewer();
    void FrameResize();
    void UpdateCursor(uint32_t shift);
    int CursorFor(uint32_t shift);
    // Tracking on or off as a view state or the stored settings say.
    void ApplyTrackingEnabled(bool value);
    void ApplyPlotPosition();
    void ApplyCourseLineFlag();
    bool OwnShipPosition(TGeoPoint &position) const;
    void CentreOnOwnShip();
    bool ReadStoredCalibration(IGeodeticCalibration *cal);
    void ResetChartIfGone(const TGUID &guid, bool front);
    bool IsRouteExploreMode() const { return RouteExploreMode && RouteExploreMode(); }
    void RaiseStateChanged() {
        if (OnStateChanged) OnStateChanged(*this);
    }
    QString CalibrationKey() const;

    static void ViewerEventCallback(void *data, const TViewerEvent *ev);
    static void ObjectEventCallback(void *data, const TViewerEvent *ev);
    static void CalibrationChangeCallback(void *data);

    TMarivoNavEnv &FEnv;
    TNavViewerControl *FViewer = nullptr;  // child of PanelViewer
    bool FNowOnlyEnabled = false;
    int FViewerState = ViewerStateIndex::Overview;
    std::array<TViewerState, 2> FStates{{{4000, 4000, 2, true}, {120000, 120000, 5, true}}};
    int FCursor = 0;  // 0 arrow, ViewerCursor ids, or Qt::CrossCursor + 1000
    QTimer FCalibrationTimer;
    bool FCalibrationPending = false;
    // Until the stored view is restored, the viewer shows only its built-in default; storing
    // that would make it the "last view" the next restore finds.
    bool FViewRestored = false;
    int32_t FChartVisibility = 0;
    // What lay under the mouse when the context menu was opened.
    struct TMenuHit {
        TGeoPoint Position{GeoPointNoPosition, GeoPointNoPosition};
        TPoint Point{0, 0};
        IWptRoute *Route = nullptr;
        IWptRoutePoint *RoutePoint = nullptr;
        IWptWaypoint *Waypoint = nullptr;
        IWptPolygon *AlarmZone = nullptr;
        NavObject *DistancePoint = nullptr;
        IWWSection *Section = nullptr;
        double SectionDistance = 0.0;
    } FMenuHit;
};
