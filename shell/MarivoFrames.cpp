#include "shell/MarivoFrames.h"

#include "chartview/ChartViewAdapters.h"
#include "chartview/FraChartInfo.h"
#include "chartview/FraChartLegend.h"
#include "chartview/FraChartStatus.h"
#include "chartview/FraHTMLViewer.h"
#include "chartview/FraNavInfo.h"
#include "chartview/FraNavRoute.h"
#include "chartview/FraViewer.h"
#include "chartview/FraZichtOpScheepvaart.h"
#include "exchange/FrmMsgGPSSingleError.h"
#include "exchange/FrmSettingsGPS.h"
#include "objectinfo/FraLinkDetails.h"
#include "objectinfo/FraLinkDetailsStruct.h"
#include "objectinfo/NoticePage.h"
#include "online/FrmChartManager.h"
#include "routes/FraRouteSettings.h"
#include "routes/FraRoutes.h"
#include "routes/FrmRoutePointSettings.h"
#include "routes/FrmRouteVisitEdit.h"
#include "routes/FrmWaypointEdit.h"
#include "shell/MarivoFramesInstruments.h"
#include "shell/MarivoNavEnv.h"
#include "online/FrmNewsCenter.h"

#include <KvLibNav6/KvNavBoat.h>

#include <QAction>
#include <QDockWidget>
#include <QPointer>

namespace {

// The chart-viewer frame as the main window calls it.
class TViewerFrameAdapter : public IFrameViewer {
public:
    TViewerFrameAdapter(QWidget *owner, TMarivoNavEnv &env)
        : FFrame(new TFrameViewer(owner, false, env, 0, 0, QStringLiteral("Main chart viewer"),
                                  QStringLiteral("ViewerMain"))) {}
    ~TViewerFrameAdapter() override { delete FFrame.data(); }

    QWidget *Widget() override { return FFrame; }
    TNavViewerControl *ViewerControl() override { return FFrame->Viewer(); }
    TFrameViewer *Frame() override { return FFrame; }
    QToolBar *ToolbarMain() override { return FFrame->ToolbarMain; }
    QToolBar *ToolbarS57() override { return FFrame->ToolbarS57; }
    void Invalidate() override {
        FFrame->update();
        if (V()) V()->update();
    }
    void LoadSettings(bool, bool, bool, bool) override { FFrame->LoadSettings(); }
    void RestoreView() override { FFrame->RestoreView(); }
    void UpdateTracking() override { FFrame->UpdateTracking(); }
    void SetEditMode(int mode) override {
        if (V()) V()->SetEditMode(mode);
    }
    bool GetShowTrackActive() override { return V() && V()->GetShowTrackActive(); }
    bool GetTrackDrawComplete() override { return V() && V()->GetTrackDrawComplete(); }
    void SetRouteEditFlags(int32_t flags) override {
        if (V()) V()->SetRouteEditFlags(uint32_t(flags));
    }
    void SetShowScaleBar(bool on) override {
        if (V()) V()->SetShowScaleBar(on);
    }
    void SetShowCompassNeedle(bool on) override {
        if (V()) V()->SetShowCompassNeedle(on);
    }
    void SetWidthMonitorAuto(bool on) override {
        if (V()) V()->SetWidthMonitorAuto(on);
    }
    void SetWidthMonitorMM(int32_t mm) override {
        if (V()) V()->SetWidthMonitorMM(mm);
    }
    void SetWaterwayNetwork(IWWNetwork *network) override {
        if (V()) V()->SetWaterwayNetwork(network);
    }
    void SetSelectedRoutePoint(IWptRoutePoint *point) override {
        if (V()) V()->SetSelectedRoutePoint(point);
    }
    void SetEditRoute(IWptRoute *route) override {
        if (V()) V()->SetEditRoute(route);
    }
    void SetHighlightObject(NavObject *object) override {
        if (V()) V()->SetHighlightObject(object);
    }
    void SetTrackList(INavTrackList *list) override {
        if (V()) V()->SetTrackList(list);
    }
    void UpdateObjects() override { FFrame->RefreshObjects(); }
    bool GetCenterPosition(TGeoPoint &centre) override {
        const TGeoPoint *p = V() ? V()->GetCenterPosition() : nullptr;
        if (!p) return false;
        centre = *p;
        return true;
    }
    IGeodeticCalibration *GetCalibration() override { return V() ? V()->GetCalibration() : nullptr; }
    void ClearS57Pick() override {
        if (V()) V()->ClearS57Pick();
    }
    void ClearSelectedObject() override {
        if (V()) V()->ClearSelectedObject();
    }
    void SetReportPosition(const TGeoPoint &position) override {
        if (V()) V()->SetReportPosition(position);
    }
    void UpdateEverySecond() override { FFrame->UpdateSecond(); }
    void UpdateTexts() override {
        if (FFrame) FFrame->SetLanguage();
    }
    void ApplyUnitSettings() override {
        if (FFrame) FFrame->ApplyUnitSettings();
    }
    void SetPlannerValues(float waterLevel, float value400, float value401) override {
        if (!V()) return;
        V()->SetNAPWaterLevel(waterLevel);
        V()->SetPlannerParam2(value400);
        V()->SetPlannerParam3(value401);
    }

private:
    TNavViewerControl *V() const { return FFrame ? FFrame->Viewer() : nullptr; }
    QPointer<TFrameViewer> FFrame;  // a child of the main window; deleted with the adapter
};

// The route table as the main window calls it.
class TRoutesFrameAdapter : public IFrameRoutes {
public:
    TRoutesFrameAdapter(QWidget *host, TMarivoNavEnv &env) : FFrame(new TFrameRoutes(host, env)) {
        FFrame->ExecuteRouteVisitEdit = ::ExecuteRouteVisitEdit;
        // The table's events reach the main window through the slots it fills.
        FFrame->OnSelectObject = [this](IWptRoutePoint *point, IWptRouteObject *object) {
            if (OnCenter) OnCenter(point, dynamic_cast<IWptRouteLeg *>(object));
        };
        FFrame->OnShowDetails = [this](IWWSection *section, IWWStruct *structure, double distance, int32_t notice,
                                       IWptWaypoint *waypoint, int32_t, bool show, int32_t) {
            if (notice != 0 && !section && !structure && !waypoint) {
                if (OnShowNotice) OnShowNotice(notice);
                return;
            }
            if (OnShowDetails) OnShowDetails(section, structure, distance, waypoint, show);
        };
        FFrame->NoticeTitle = [&env](int32_t number) {
            INavObjectUpdateManager *m = env.ObjectUpdateManager;
            return FTMNoticeGetTitle(m ? m->FindNotice(number) : nullptr);
        };
        FFrame->SelectedRoutePoint = [this]() -> IWptRoutePoint * {
            return SelectedRoutePoint ? SelectedRoutePoint() : nullptr;
        };
    }
    ~TRoutesFrameAdapter() override { delete FFrame.data(); }
    QWidget *Widget() override { return FFrame; }
    void SetRoute(IWptRoute *route) override {
        if (FFrame) FFrame->SetRoute(route);
    }
    void FillRouteList() override {
        if (FFrame) FFrame->FillRouteList();
    }
    void RestoreRoute() override {
        if (FFrame) FFrame->RestoreRoute();
    }
    void UpdateValues(const TLoopRecord &) override {
        if (FFrame) FFrame->UpdateValues();
    }
    // The rows keep the texts they were built with: they are built again.
    void ApplyUnitSettings() override {
        if (!FFrame) return;
        FFrame->RebuildRows();
        FFrame->InvalidateTable();
    }

private:
    QPointer<TFrameRoutes> FFrame;  // a child of its panel; deleted with the adapter
};

// The route planning settings panel as the main window calls it.
class TRouteSettingsFrameAdapter : public IFrameRouteSettings {
public:
    TRouteSettingsFrameAdapter(QWidget *host, TMarivoNavEnv &env) : FFrame(new TFrameRouteSettings(host, env)) {}
    ~TRouteSettingsFrameAdapter() override { delete FFrame.data(); }
    QWidget *Widget() override { return FFrame; }
    void UpdateTexts() override {
        if (FFrame) FFrame->UpdateTexts();
    }
    void SetRoute(IWptRoute *route) override {
        if (FFrame) FFrame->SetRoute(route);
    }
    void ShowGeneralPage() override {
        if (FFrame) FFrame->ShowGeneralPage();
    }
    void Reload() override {
        if (FFrame) FFrame->Reload();
    }

private:
    QPointer<TFrameRouteSettings> FFrame;  // a child of its panel; deleted with the adapter
};

// The GPS error box as the main window calls it; the user's choice is acted on here once
// the box has closed.
class TGPSErrorBoxAdapter : public IFormMsgGPSSingleError {
public:
    TGPSErrorBoxAdapter(QWidget *owner, TMarivoNavEnv &env)
        : FBox(new TFormMsgGPSSingleError(owner)), FOwner(owner), FEnv(env) {
        FBox->OnClose = [this](TFormMsgGPSSingleError &box) {
            const uint8_t choice = box.Choice;
            // Out of the box's own signal, as the settings dialog runs a modal loop; dropped
            // when the box (and with it this adapter) is gone first.
            QMetaObject::invokeMethod(&box, [this, choice] { Chosen(choice); }, Qt::QueuedConnection);
        };
    }
    ~TGPSErrorBoxAdapter() override { delete FBox.data(); }

    QWidget *Widget() override { return FBox; }
    void ShowError(int kind, const QString &portName, int32_t code) override {
        if (FBox) FBox->ShowError(uint8_t(kind), portName, code);
    }
    void ShowNoPosition(int kind, const QString &portName, int seconds) override {
        if (FBox) FBox->ShowNoPosition(uint8_t(kind), portName, seconds);
    }
    void HideBox() override {
        if (FBox) FBox->hide();
    }
    void UpdateTexts() override {
        if (FBox) FBox->UpdateTexts();
    }

private:
    void Chosen(uint8_t choice) {
        if (choice == TFormMsgGPSSingleError::ChoiceClose || !FBox) return;
        FEnv.StopNavigation(QString(), true);
        if (choice != TFormMsgGPSSingleError::ChoiceDetectGPS) return;
        if (OnSettings) {
            OnSettings();
            return;
        }
        if (!FEnv.DeviceManager || !FEnv.Boat) return;
        // "Stop GPS" of the dialog runs the main window's communication action.
        auto *action = FOwner ? FOwner->findChild<QAction *>(QStringLiteral("ActionInstrumentsCommunication")) : nullptr;
        TFormSettingsGPS::Execute(action, FEnv.DeviceManager, FEnv.Boat->GetGPS(), true);
    }

    QPointer<TFormMsgGPSSingleError> FBox;  // a child of the main window; deleted with the adapter
    QPointer<QWidget> FOwner;
    TMarivoNavEnv &FEnv;
};

// The navigation-information panel inside its dock panel.
class TNavInfoFrameAdapter : public IFrameNavInfo {
public:
    TNavInfoFrameAdapter(QWidget *host, TMarivoNavEnv &env)
        : FFrame(new TFrameNavInfo(qobject_cast<QDockWidget *>(host), env)) {
        // The skipper's pick in the route list selects the route; the blocks then follow it.
        TFrameNavInfo *frame = FFrame;
        frame->OnRouteSelect = [this, &env, frame](IWptRoute *route) {
            if (OnSelectRoute) {
                OnSelectRoute(route);
                return;
            }
            env.SetSelectedRoute(route);
            frame->RouteSelected();
        };
        frame->OnShowObjectDetails = [this](IWWSection *section, IWWStruct *structure, bool flag, bool, int32_t,
                                            IWptWaypoint *waypoint, int32_t distance, int32_t, bool) {
            if (OnShowDetails) OnShowDetails(section, structure, flag, waypoint, distance);
        };
    }
    ~TNavInfoFrameAdapter() override { delete FFrame.data(); }

    QWidget *Widget() override { return FFrame; }
    void UpdateValues(IGeodeticCalibration *calibration, bool all) override {
        if (FFrame) FFrame->UpdateValues(calibration, all);
    }
    void FillRouteList() override {
        if (FFrame) FFrame->FillRouteList();
    }
    void SetRoute(IWptRoute *) override {
        if (FFrame) FFrame->RouteSelected();
    }
    void ApplyUnitSettings() override {
        if (FFrame) FFrame->ApplyUnitSettings();
    }

private:
    QPointer<TFrameNavInfo> FFrame;  // the dock panel's client; deleted with the adapter
};

// The route-navigation window inside its dock panel.
class TNavRouteFrameAdapter : public IFrameNavRoute {
public:
    TNavRouteFrameAdapter(QWidget *host, TMarivoNavEnv &env)
        : FFrame(new TFrameNavRoute(qobject_cast<QDockWidget *>(host), env)) {
        FFrame->OnShowObjectDetails = [this](IWWSection *section, IWWStruct *structure, bool flag, bool, int32_t,
                                             IWptWaypoint *waypoint, int32_t distance, int32_t, bool) {
            if (OnShowDetails) OnShowDetails(section, structure, flag, waypoint, distance);
        };
        FFrame->OnRepaintViewer = [this] {
            if (OnRepaintViewer) OnRepaintViewer();
        };
    }
    ~TNavRouteFrameAdapter() override { delete FFrame.data(); }

    QWidget *Widget() override { return FFrame; }
    void UpdateTexts() override {
        if (FFrame) FFrame->UpdateTexts();
    }
    void UpdateValues() override {
        if (FFrame) FFrame->UpdateValues();
    }
    void ApplyUnitSettings() override {
        if (FFrame) FFrame->ApplyUnitSettings();
    }

private:
    QPointer<TFrameNavRoute> FFrame;  // the dock panel's client; deleted with the adapter
};

// A frame of the chart-view folder that its panel (or parent) owns; the adapter frees it
// with itself.
template <class Intf, class Frame>
class TOwnedFrame : public Intf {
public:
    explicit TOwnedFrame(Frame *frame) : FFrame(frame) {}
    ~TOwnedFrame() override { delete FFrame.data(); }
    QWidget *Widget() override { return FFrame; }

protected:
    QPointer<Frame> FFrame;
};

class TChartLegendAdapter : public TOwnedFrame<IFrameChartLegend, TFrameChartLegend> {
public:
    TChartLegendAdapter(QWidget *host, TMarivoNavEnv &env)
        : TOwnedFrame(new TFrameChartLegend(host, env)) {}
    void UpdateLegend() override {
        if (FFrame) FFrame->UpdateLegend();
    }
    void SelectChart(const TGUID &guid) override {
        if (FFrame) FFrame->SelectChart(guid);
    }
    void SelectS57Chart(const QString &file) override {
        if (FFrame) FFrame->SelectS57Chart(file);
    }
    void UpdateTexts() override {
        if (!FFrame) return;
        FFrame->UpdateTexts();
        FFrame->update();
    }
};

class TZichtOpScheepvaartAdapter : public TOwnedFrame<IFrameZichtOpScheepvaart, TFrameZichtOpScheepvaart> {
public:
    TZichtOpScheepvaartAdapter(QWidget *host, TMarivoNavEnv &env)
        : TOwnedFrame(new TFrameZichtOpScheepvaart(host, env)) {
        FFrame->OnSignUpChanged = [&env] { env.FireUpdateActions(); };
    }
    void UpdateControls() override {
        if (FFrame) FFrame->UpdateControls();
    }
    void ActivateFromSettings() override {
        if (FFrame) FFrame->ActivateFromSettings();
    }
    void ToggleSignUp() override {
        if (FFrame) FFrame->ToggleSignUp();
    }
    void UpdateTexts() override {
        if (FFrame) FFrame->UpdateTexts();
    }
};

class TChartInfoAdapter : public TOwnedFrame<IFrameChartInfo, TFrameChartInfo> {
public:
    TChartInfoAdapter(QWidget *host, TMarivoNavEnv &env)
        : TOwnedFrame(new TFrameChartInfo(host, env)) {}
    void SetHTMLViewer(IMarivoFrame *viewer) override {
        if (FFrame)
            FFrame->SetHTMLViewer(viewer ? qobject_cast<TFrameHTMLViewer *>(viewer->Widget()) : nullptr);
    }
    void UpdateChart() override {
        if (FFrame) FFrame->UpdateChart();
    }
    void SelectChart(const TGUID &guid) override {
        if (FFrame) FFrame->SelectChart(guid);
    }
    void SelectS57Chart(const QString &file) override {
        if (FFrame) FFrame->SelectS57Chart(file);
    }
    void UpdateTexts() override {
        if (!FFrame) return;
        FFrame->UpdateTexts();
        FFrame->update();
    }
};

class THTMLViewerAdapter : public TOwnedFrame<IMarivoFrame, TFrameHTMLViewer> {
public:
    THTMLViewerAdapter(QDockWidget *panel, const QString &folder)
        : TOwnedFrame(new TFrameHTMLViewer(panel, folder)) {}
};

// The status strip is its panel's title bar; the panel's body is an empty widget of its own,
// so the panel counts as having its frame.
class TChartStatusAdapter : public IFrameChartStatus {
public:
    TChartStatusAdapter(QDockWidget *panel, TMarivoNavEnv &env)
        : FEnv(env), FFrame(new TFrameChartStatus(panel, env.ChartManager)), FBody(new QWidget(panel)) {
        FBody->setObjectName(QStringLiteral("ChartStatusBody"));
        FBody->setFixedHeight(0);
        FFrame->OnClose = [this](TFrameChartStatus *) {
            if (OnClose) OnClose();
        };
    }
    ~TChartStatusAdapter() override {
        delete FFrame.data();
        delete FBody.data();
    }
    QWidget *Widget() override { return FBody; }
    void SetToolbarsLocked(bool locked) override {
        if (FFrame) FFrame->SetLocked(locked);
    }
    void UpdateTexts() override {
        if (FFrame) FFrame->UpdateTexts();
    }
    void ClearChart() override {
        if (FFrame) FFrame->SetChart(nullptr, nullptr, nullptr);
    }
    void SetChart(IChartCatalogueEntry *entry, IChart *s57Chart) override {
        if (FFrame) FFrame->SetChart(entry ? FEnv.OnlineService : nullptr, entry, s57Chart);
    }

private:
    TMarivoNavEnv &FEnv;
    QPointer<TFrameChartStatus> FFrame;
    QPointer<QWidget> FBody;
};

// The details panel with the pages it can show so far.
class TLinkDetailsPages : public TLinkDetailsFrameAdapter {
public:
    TLinkDetailsPages(QWidget *host, TMarivoNavEnv &env) : TLinkDetailsFrameAdapter(host, env) {
        if (Frame())
            Frame()->OnStructLink = [this](TFrameLinkDetails *, bool handled, const QString &id) {
                if (OnLinkClicked) OnLinkClicked(handled, id);
            };
    }
    bool ShowWaypoint(IWptWaypoint *waypoint, bool toggle) override {
        return Frame() && Frame()->ShowWaypoint(waypoint, toggle);
    }
    bool ShowGeoAddLink(const QString &link, const TGUID *database) override {
        return Frame() && Frame()->ShowGeoAddLink(link, database);
    }
    bool ShowStruct(IWWStruct *structure, IGeodeticCalibration *calibration) override {
        return Frame() && Frame()->ShowStruct(structure, calibration);
    }
    bool ShowSection(IWWSection *section, IGeodeticCalibration *calibration, double distance) override {
        return Frame() && Frame()->ShowSection(section, calibration, distance);
    }
    bool ShowNotice(NavObject *notice, IWWSection *section, IGeodeticCalibration *calibration,
                    double distance) override {
        return Frame() && Frame()->ShowNotice(notice, section, calibration, distance);
    }
    bool ShowWaterReport(NavObject *report) override { return Frame() && Frame()->ShowWaterReport(report); }
    bool ShowHTMLText(const QString &caption, const QString &html, const QStringList &attachmentFolders) override {
        if (!Frame()) return false;
        // The report's caption is its panel's title.
        for (QWidget *w = Frame()->parentWidget(); w; w = w->parentWidget())
            if (auto *dock = qobject_cast<QDockWidget *>(w)) {
                dock->setWindowTitle(caption);
                break;
            }
        return Frame()->ShowHTMLText(html, attachmentFolders);
    }
};

}  // namespace

TMainFrameFactories ProgramFrameFactories() {
    // Only the frames that are part of the program have a factory; the other panels stay
    // empty.
    TMainFrameFactories f;
    // The viewer's context menu opens the dialogs that exist so far.
    TFrameViewer::SetRoutePointSettingsExecute(
        [](TMarivoNavEnv &env, IWptRoutePoint *point) { return TFormRoutePointSettings::Execute(&env, point); });
    TFrameViewer::SetWaypointEditExecute(
        [](TMarivoNavEnv &env, IWptWaypointList *list) { return TFormWaypointEdit::Execute(list, env); });
    TFrameViewer::SetChartManagerExecute([](TChartManagerCall &call) {
        const TChartManagerServices services{call.OnlineService, call.Dispatcher, call.SailingAreas, call.S52Library,
                                             call.S57Registrar};
        TFormChartManager::Execute(call.ChartManager, call.Caption, call.ViewerIndex, call.Changed, call.OSMLayerEnabled,
                                   call.Mode, services);
    });
    f.Viewer = [](QWidget *host, TMarivoNavEnv &env) -> std::unique_ptr<IFrameViewer> {
        return std::make_unique<TViewerFrameAdapter>(host, env);
    };
    f.Routes = [](QWidget *host, TMarivoNavEnv &env) -> std::unique_ptr<IFrameRoutes> {
        return std::make_unique<TRoutesFrameAdapter>(host, env);
    };
    f.RouteSettings = [](QWidget *host, TMarivoNavEnv &env) -> std::unique_ptr<IFrameRouteSettings> {
        return std::make_unique<TRouteSettingsFrameAdapter>(host, env);
    };
    f.GPSSingleError = [](QWidget *host, TMarivoNavEnv &env) -> std::unique_ptr<IFormMsgGPSSingleError> {
        return std::make_unique<TGPSErrorBoxAdapter>(host, env);
    };
    f.NavInfo = [](QWidget *host, TMarivoNavEnv &env) -> std::unique_ptr<IFrameNavInfo> {
        return std::make_unique<TNavInfoFrameAdapter>(host, env);
    };
    f.NavRoute = [](QWidget *host, TMarivoNavEnv &env) -> std::unique_ptr<IFrameNavRoute> {
        return std::make_unique<TNavRouteFrameAdapter>(host, env);
    };
    f.ChartLegend = [](QWidget *host, TMarivoNavEnv &env) -> std::unique_ptr<IFrameChartLegend> {
        return std::make_unique<TChartLegendAdapter>(host, env);
    };
    f.HTMLViewer = [](QWidget *host, TMarivoNavEnv &env) -> std::unique_ptr<IMarivoFrame> {
        QString folder;
        NavEnvGetWorkFolder(env.CoreEnv, folder);
        return std::make_unique<THTMLViewerAdapter>(qobject_cast<QDockWidget *>(host), folder);
    };
    f.ChartInfo = [](QWidget *host, TMarivoNavEnv &env) -> std::unique_ptr<IFrameChartInfo> {
        return std::make_unique<TChartInfoAdapter>(host, env);
    };
    f.ChartStatus = [](QWidget *host, TMarivoNavEnv &env) -> std::unique_ptr<IFrameChartStatus> {
        return std::make_unique<TChartStatusAdapter>(qobject_cast<QDockWidget *>(host), env);
    };
    f.ZichtOpScheepvaart = [](QWidget *host, TMarivoNavEnv &env) -> std::unique_ptr<IFrameZichtOpScheepvaart> {
        return std::make_unique<TZichtOpScheepvaartAdapter>(host, env);
    };
    f.LinkDetails = [](QWidget *host, TMarivoNavEnv &env) -> std::unique_ptr<IFrameLinkDetails> {
        return std::make_unique<TLinkDetailsPages>(host, env);
    };
    f.LinkDetailsStruct = [](QWidget *host, TMarivoNavEnv &env) -> std::unique_ptr<IMarivoFrame> {
        return std::make_unique<TLinkDetailsStructAdapter>(host, env);
    };
    f.NMEAMonitor = MakeNMEAMonitorFrame;
    f.TrackReplay = MakeTrackReplayFrame;
    f.UserReport = MakeUserReportFrame;
    f.NavCurrent = MakeNavCurrentFrame;
    // Made at start-up without a check; its page waits for the chart step. Owned by the
    // main window's pointer alone: it may be released after the window's widgets are gone.
    f.NewsCenter = [](QWidget *, TMarivoNavEnv &env) -> std::unique_ptr<IMarivoFrame> {
        return std::make_unique<TFormNewsCenter>(env, false, true, nullptr);
    };
    return f;
}
