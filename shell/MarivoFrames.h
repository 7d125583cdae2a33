// The frames the main window hosts, as the main window sees them: one small interface per
// frame with the operations the main window calls, and the factories that make them. A
// factory left empty means the frame is not part of the program yet: its panel stays
// empty (and keeps its layout) and every call to the frame is skipped.
//
// The frames belong to the main window (made in a fixed order, freed before the
// environment); each keeps a reference to the environment and never frees it. GUI thread.
#pragma once

#include <KvLibNav6/KvNavEnv.h>
#include <KvLibNav6/KvTypes.h>

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>

class IChart;
class IChartCatalogueEntry;
class IGeodeticCalibration;
class IWptRouteLeg;
class INavTrack;
class INavTrackList;
class IWptWaypoint;
class IWWSection;
class IWWStruct;
class IWWNetwork;
class IWptRoute;
class IWptRoutePoint;
class QToolBar;
class QWidget;
class TMarivoNavEnv;
class TFrameViewer;
class TNavViewerControl;

// What every hosted frame offers.
class IMarivoFrame {
public:
    virtual ~IMarivoFrame() = default;
    // The frame's widget, shown inside its panel (or as its own window).
    virtual QWidget *Widget() = 0;
    // Its texts in the current language (frames without texts of their own ignore it).
    virtual void UpdateTexts() {}
    // Its values again in the environment's units and formats, after the regional settings
    // changed them (frames that show no units ignore it).
    virtual void ApplyUnitSettings() {}
};

// The chart viewer frame with the viewer-control operations the main window uses.
class IFrameViewer : public IMarivoFrame {
public:
    virtual TNavViewerControl *ViewerControl() = 0;
    // The real frame, for the dialogs that edit it (nullptr for a stand-in).
    virtual TFrameViewer *Frame() { return nullptr; }
    virtual QToolBar *ToolbarMain() = 0;
    virtual QToolBar *ToolbarS57() = 0;
    virtual void Invalidate() = 0;
    virtual void LoadSettings(bool a, bool b, bool c, bool d) = 0;
    virtual void RestoreView() = 0;
    virtual void UpdateTracking() = 0;
    virtual void SetEditMode(int mode) = 0;
    virtual bool GetShowTrackActive() = 0;
    virtual bool GetTrackDrawComplete() = 0;
    virtual void SetRouteEditFlags(int32_t flags) = 0;
    virtual void SetShowScaleBar(bool on) = 0;
    virtual void SetShowCompassNeedle(bool on) = 0;
    virtual void SetWidthMonitorAuto(bool on) = 0;
    virtual void SetWidthMonitorMM(int32_t mm) = 0;
    virtual void SetWaterwayNetwork(IWWNetwork *network) = 0;
    virtual void SetSelectedRoutePoint(IWptRoutePoint *point) = 0;
    virtual void SetEditRoute(IWptRoute *route) = 0;
    virtual void SetHighlightObject(NavObject *object) = 0;
    virtual void SetTrackList(INavTrackList *list) = 0;
    virtual void UpdateObjects() = 0;
    // The view's centre; False while the viewer has no view.
    virtual bool GetCenterPosition(TGeoPoint &centre) = 0;
    virtual IGeodeticCalibration *GetCalibration() = 0;
    virtual void ClearS57Pick() = 0;
    virtual void ClearSelectedObject() = 0;
    // (99, 99) = none.
    virtual void SetReportPosition(const TGeoPoint &position) = 0;
    // The core viewer's per-second update.
    virtual void UpdateEverySecond() = 0;
    // Planner values for the viewer's water level and two further planner values.
    virtual void SetPlannerValues(float waterLevel, float value400, float value401) = 0;
};

class IFrameRoutes : public IMarivoFrame {
public:
    virtual void SetRoute(IWptRoute *route) = 0;
    virtual void FillRouteList() = 0;
    virtual void RestoreRoute() = 0;
    virtual void UpdateValues(const TLoopRecord &rec) = 0;
    // The skipper moved to a point or leg of the table: the view centres on it.
    std::function<void(IWptRoutePoint *point, IWptRouteLeg *leg)> OnCenter;
    // A double-click asks for the details of a section, structure or waypoint.
    std::function<void(IWWSection *section, IWWStruct *structure, double distance,
                       IWptWaypoint *waypoint, bool flag)>
        OnShowDetails;
    // The main viewer's selected route point.
    std::function<IWptRoutePoint *()> SelectedRoutePoint;
    // A double-click on a notice row: the notice by its number.
    std::function<void(int32_t number)> OnShowNotice;
};

class IFrameRouteSettings : public IMarivoFrame {
public:
    virtual void SetRoute(IWptRoute *route) = 0;
    virtual void ShowGeneralPage() = 0;
    virtual void Reload() = 0;
};

class IFrameTrackReplay : public IMarivoFrame {
public:
    virtual void SetTrackList(INavTrackList *list) = 0;
    virtual void SetDrawComplete(bool complete) = 0;
    // The track the replay panel has chosen; nullptr for none.
    virtual INavTrack *CurrentTrack() { return nullptr; }
    // The viewer's replay track and time, as the viewer reports them.
    virtual void SetReplay(INavTrack *, TDateTime) {}
};

class IFrameUserReport : public IMarivoFrame {
public:
    virtual void SetPosition(const TGeoPoint &position) = 0;
};

class IFrameNavCurrent : public IMarivoFrame {
public:
    virtual void UpdateValues(bool all) = 0;
    virtual void UpdateAll() = 0;
};

// A navigation frame asks for the details of a structure, section or marina it lists:
// (section, structure, flag, waypoint, distance along the section in metres).
using TFrameDetailsEvent =
    std::function<void(IWWSection *section, IWWStruct *structure, bool flag, IWptWaypoint *waypoint, double distance)>;

class IFrameNavInfo : public IMarivoFrame {
public:
    TFrameDetailsEvent OnShowDetails;
    virtual void UpdateValues(IGeodeticCalibration *calibration, bool all) = 0;
    virtual void FillRouteList() = 0;
    // The route blocks follow the selected route (nullptr: none).
    virtual void SetRoute(IWptRoute *) {}
    // The skipper chose a route in the panel's list.
    std::function<void(IWptRoute *route)> OnSelectRoute;
};

class IFrameNavRoute : public IMarivoFrame {
public:
    virtual void UpdateValues() = 0;
    TFrameDetailsEvent OnShowDetails;
    // The chart must be drawn again (the network path width changed).
    std::function<void()> OnRepaintViewer;
};

class IFrameNMEAMonitor : public IMarivoFrame {
public:
    virtual void OnTick(const TLoopRecord &rec) = 0;
    virtual void UpdatePortLists() = 0;
};

class IFrameLinkDetails : public IMarivoFrame {
public:
    // 7: a page that follows object updates; 8: an S-57 pick report.
    virtual int ContentType() = 0;
    virtual void RefreshPage() = 0;
    // The pages the main window shows; each answers whether the panel now has content
    // (False for a page this panel cannot show).
    virtual bool ShowWaypoint(IWptWaypoint *, bool /*toggle*/) { return false; }
    virtual bool ShowGeoAddLink(const QString &, const TGUID * /*database*/) { return false; }
    virtual bool ShowStruct(IWWStruct *, IGeodeticCalibration *) { return false; }
    virtual bool ShowSection(IWWSection *, IGeodeticCalibration *, double /*distance*/) { return false; }
    virtual bool ShowNotice(NavObject *, IWWSection *, IGeodeticCalibration *, double) { return false; }
    virtual bool ShowWaterReport(NavObject *) { return false; }
    virtual bool ShowContent(NavObject *) { return false; }
    // A composed HTML report under a caption of its own (the S-57 pick report); its
    // attachment links open only files inside attachmentFolders (the picked cells' folders).
    virtual bool ShowHTMLText(const QString & /*caption*/, const QString & /*html*/,
                              const QStringList & /*attachmentFolders*/) {
        return false;
    }
    // A structure named by a link of the page was clicked: (handled, identifier).
    std::function<void(bool &handled, const QString &identifier)> OnLinkClicked;
};

// The details panel of bridges and locks.
class IFrameLinkDetailsStruct : public IMarivoFrame {
public:
    virtual bool ShowStructLink(const QString &) { return false; }
    virtual bool ShowStruct(IWWStruct *, IGeodeticCalibration *) { return false; }
};

class IFrameChartStatus : public IMarivoFrame {
public:
    virtual void SetToolbarsLocked(bool locked) = 0;
    // Shows no chart (while the charts are being replaced).
    virtual void ClearChart() {}
    // A catalogue entry (with the online service) or an S-57 cell; both nullptr: none.
    virtual void SetChart(IChartCatalogueEntry *, IChart *) {}
    // The strip's close box hid the panel.
    std::function<void()> OnClose;
};

class IFrameChartInfo : public IMarivoFrame {
public:
    // The window that shows a chart's additional information (may be nullptr).
    virtual void SetHTMLViewer(IMarivoFrame *viewer) = 0;
    virtual void UpdateChart() = 0;
    // The chart of that identifier (null: none), or an S-57 cell by its file.
    virtual void SelectChart(const TGUID &) {}
    virtual void SelectS57Chart(const QString &) {}
};

class IFrameChartLegend : public IMarivoFrame {
public:
    virtual void UpdateLegend() = 0;
    virtual void SelectChart(const TGUID &) {}
    virtual void SelectS57Chart(const QString &) {}
};

class IFrameZichtOpScheepvaart : public IMarivoFrame {
public:
    virtual void UpdateControls() = 0;
    virtual void ActivateFromSettings() = 0;
    // The sign-up command: asks before stopping an active sign-up, else shows the sign-up
    // dialog and starts it on OK; the environment's action update follows.
    virtual void ToggleSignUp() {}
};

// The non-modal GPS error box.
class IFormMsgGPSSingleError : public IMarivoFrame {
public:
    // kind 5..11.
    virtual void ShowError(int kind, const QString &portName, int32_t code) = 0;
    // kind 0..4.
    virtual void ShowNoPosition(int kind, const QString &portName, int seconds) = 0;
    virtual void HideBox() = 0;
    // The box's settings button, after navigation was stopped: the owner's GPS settings
    // (unset: the box opens the dialog itself).
    std::function<void()> OnSettings;
};

// The news and update window as the main window's news-centre handlers use it; the news
// centre frame offers it once it exists (until then its handlers see no news centre).
class IFormNewsCenter : public IMarivoFrame {
public:
    // The user's choices of what the update program is to update.
    virtual bool UpdateHelp() = 0;
    virtual bool UpdateNetwork() = 0;
    virtual bool UpdateNetworkImages() = 0;
    // The user asked to install the chart editions that are waiting.
    virtual bool ChartUpdateRequested() = 0;
    // "Do not check at startup" is ticked, or the window was shown today already.
    virtual bool AutoShowSuppressed() = 0;
    // Loads the last built page and shows the window modally.
    virtual void ShowModal() = 0;
    // Starts a check of the account; the page is announced through OnPageReady.
    virtual void StartCheck(bool background, bool waitForCharts) { (void)background, (void)waitForCharts; }
    virtual bool IsChecking() { return false; }

    // What the window's links and "Update all" ask the main window to do, and the page
    // built (flag is always false; attention: something new or unread is listed).
    std::function<void()> OnChartUpdate;
    std::function<void()> OnRunUpdateProgram;
    std::function<void(bool forChartManager)> OnCheckUpdates;
    std::function<void(bool flag, bool attention)> OnPageReady;
    std::function<void()> OnAutoUpdateSize;
};

// Every factory gets the widget that hosts the frame (the panel, or the main window for
// the frames with a window of their own) and the environment.
template <class T>
using TFrameFactory = std::function<std::unique_ptr<T>(QWidget *host, TMarivoNavEnv &env)>;

// In the order the main window creates the frames.
struct TMainFrameFactories {
    TFrameFactory<IFrameViewer> Viewer;  // "ViewerMain", "Main chart viewer"
    TFrameFactory<IFrameChartLegend> ChartLegend;
    TFrameFactory<IMarivoFrame> HTMLViewer;
    TFrameFactory<IFrameChartInfo> ChartInfo;
    TFrameFactory<IFrameRoutes> Routes;
    TFrameFactory<IFrameRouteSettings> RouteSettings;
    TFrameFactory<IFrameTrackReplay> TrackReplay;
    TFrameFactory<IFrameUserReport> UserReport;
    TFrameFactory<IFrameNavCurrent> NavCurrent;
    TFrameFactory<IFrameNavInfo> NavInfo;
    TFrameFactory<IFrameNavRoute> NavRoute;
    TFrameFactory<IFrameNMEAMonitor> NMEAMonitor;
    TFrameFactory<IFrameLinkDetails> LinkDetails;
    TFrameFactory<IMarivoFrame> LinkDetailsStruct;
    TFrameFactory<IFrameChartStatus> ChartStatus;
    TFrameFactory<IFrameZichtOpScheepvaart> ZichtOpScheepvaart;
    TFrameFactory<IMarivoFrame> NewsCenter;
    TFrameFactory<IFormMsgGPSSingleError> GPSSingleError;
};

// The program's factories: the frames that exist so far.
TMainFrameFactories ProgramFrameFactories();
