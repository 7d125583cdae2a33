#include "shell/MarivoActionStates.h"

#include "shell/MarivoActionTable.h"

#include <string_view>

// The same texts as the rows of ActionRouteStart and ActionRouteStop, whose caption the
// route command switches between.
const TLanguageStrings SStartSelectedRoute = {
    "Start selected route", "Geselecteerde route starten", "Gew\u00E4hlte Route starten",
    "D\u00E9marrer l'itin\u00E9raire s\u00E9lectionn\u00E9", "Iniciar la ruta seleccionada",
    "Avvia la rotta selezionata", "Start valgt rute", "Starta vald rutt"};
const TLanguageStrings SStopCurrentRoute = {
    "Stop current route", "Huidige route stoppen", "Aktuelle Route beenden",
    "Arr\u00EAter l'itin\u00E9raire en cours", "Detener la ruta actual", "Interrompi la rotta corrente",
    "Stop aktuel rute", "Stoppa aktuell rutt"};

namespace {

const char *const PanelNames[StatePanelCount] = {
    "DockablePanelAlarmZone",     "DockablePanelProximityAlarm", "DockablePanelAnchorGuard",
    "DockablePanelChartInfo",     "DockablePanelChartLegend",    "DockablePanelChartStatus",
    "DockablePanelCoVadem",       "DockablePanelDepthViewer",    "DockablePanelGRIB",
    "DockablePanelLinkDetails",   "DockablePanelLinkDetailsStruct", "DockablePanelNavInfo",
    "DockablePanelNavInfoCurrent", "DockablePanelNavInfoRoute",  "DockablePanelRoute",
    "DockablePanelRouteSettings", "DockablePanelNMEA",           "DockablePanelPolarDiagram",
    "DockablePanelSimulation",    "DockablePanelTextMessages",   "DockablePanelTides",
    "DockablePanelTrackReplay",   "DockablePanelUserReport",     "DockablePanelViewerExtra1",
    "DockablePanelViewerExtra2",  "DockablePanelZoS",            "DockablePanelAISTargetInfo",
    "DockablePanelAISTargetList"};

// Writes the states of named rows; a rule's Enabled never lifts the availability rule.
class TStateWriter {
public:
    TStateWriter(TUiStates &out, const TActionSnapshot &s) : FOut(out), FSnap(s) {}
    TActionState &A(std::string_view name) {
        const int i = ActionIndex(name);
        return FOut.Actions[size_t(i)];
    }
    void Enabled(std::string_view name, bool value) {
        const int i = ActionIndex(name);
        FOut.Actions[size_t(i)].Enabled = value && Available(i);
    }
    void Checked(std::string_view name, bool value) {
        TActionState &a = A(name);
        a.Checkable = true;
        a.Checked = value;
    }
    void Visible(std::string_view name, bool value) { A(name).Visible = value; }

private:
    bool Available(int i) const {
        return size_t(i) < FSnap.Available.size() && FSnap.Available[size_t(i)];
    }
    TUiStates &FOut;
    const TActionSnapshot &FSnap;
};

bool Shown(const TActionSnapshot &s, TStatePanel p) {
    return s.PanelShown[size_t(p)];
}

void FileChartHelpStates(TStateWriter &w, const TActionSnapshot &s) {
    w.Checked("ActionChartInformation", Shown(s, TStatePanel::ChartInfo));
    w.Checked("ActionChartLegend", Shown(s, TStatePanel::ChartLegend));
    w.Checked("ActionChartStatus", Shown(s, TStatePanel::ChartStatus));
    w.Enabled("ActionFileExtensionManager", s.FullInterface);
    w.Enabled("ActionFilePrint", s.Calibrated);
    w.Visible("ActionFilePropertiesShipManager", false);
    w.Checked("ActionHelpUserReport", Shown(s, TStatePanel::UserReport));
    // The online help is Dutch only.
    w.Visible("ActionHelpLinkHelp", s.Language == 2);
}

void InstrumentStates(TStateWriter &w, const TActionSnapshot &s) {
    w.Checked("ActionInstrumentsAISTargetInformation", Shown(s, TStatePanel::AISTargetInfo));
    w.Checked("ActionInstrumentsAISTargetList", Shown(s, TStatePanel::AISTargetList));
    w.Checked("ActionInstrumentsCommunication", s.Navigating && !s.Simulating);
    w.Enabled("ActionInstrumentsCommunication", !s.Navigating || !s.Simulating);
    w.Checked("ActionInstrumentsCoVadem", false);
    w.Enabled("ActionInstrumentsInformation", false);
    w.Checked("ActionInstrumentsInformation", false);
    w.Checked("ActionInstrumentsNMEAMonitor", Shown(s, TStatePanel::NMEA));
    w.Checked("ActionInstrumentsSimulation", s.Navigating && s.Simulating);
    w.Enabled("ActionInstrumentsSimulation", s.Calibrated && (!s.Navigating || s.Simulating));
    for (const char *n : {"ActionLogbookActive", "ActionLogbookActiveClose",
                          "ActionLogbookActiveEntry", "ActionLogbookActiveProperties",
                          "ActionLogbookActiveView"})
        w.Enabled(n, s.HasLogbook);
    w.Checked("ActionLogbookActiveShow", s.ShowLogbook);
    w.Enabled("ActionLogbookActiveStop", s.HasLogbook && s.LogbookRecording);
    w.Enabled("ActionLogbookActiveStart", s.HasLogbook && !s.LogbookRecording);
    w.Checked("ActionSound", s.SoundEnabled);
}

void NavigationStates(TStateWriter &w, const TActionSnapshot &s) {
    w.Enabled("ActionNavigationDistance", s.Calibrated);
    w.Checked("ActionNavigationDistance", s.EditMode == 3);
    w.Visible("ActionNavigationHomeRemove", false);
    w.Enabled("ActionNavigationHomeRemove", s.HomeSet);
    w.Checked("ActionNavigationInformation", Shown(s, TStatePanel::NavInfo));
    w.Checked("ActionNavigationZoS", s.SignedUp);
    w.Checked("ActionNavigationToolbarZoS", s.SignedUp);
    w.Checked("ActionNavigationZoSShow", Shown(s, TStatePanel::ZoS));
    w.Visible("ActionNavigationBICS", false);
    for (const char *n : {"ActionNavigationPolygonEdit", "ActionNavigationPolygonManager",
                          "ActionNavigationPolygonNew"})
        w.Visible(n, false);
}

void RouteEditStates(TStateWriter &w, const TActionSnapshot &s) {
    const uint32_t f = s.RouteEditFlags;
    const bool t = s.TableRoute, noDelete = !(f & 0x2);
    w.Checked("ActionRouteDefaultEnabled", s.DefaultRouteEnabled);
    w.Checked("ActionRouteEdit", s.EditMode == 2);
    w.Checked("ActionRouteEditAdd", f & 0x1);
    w.Enabled("ActionRouteEditAdd", t && noDelete);
    w.Checked("ActionRouteEditDelete", f & 0x2);
    w.Enabled("ActionRouteEditDelete", t);
    w.Checked("ActionRouteEditMove", f & 0x4);
    w.Enabled("ActionRouteEditMove", t && noDelete);
    w.Enabled("ActionRouteEditSettingsPoint", t && s.ViewerSelectedRoutePoint);
    w.Checked("ActionRouteEditOverview", Shown(s, TStatePanel::Route));
    w.Enabled("ActionRouteEditOverview", s.EditMode == 2);
    w.Checked("ActionRouteEditPlanModeTime", t && s.TablePlanMode == 0);
    w.Checked("ActionRouteEditPlanModeFuel", t && s.TablePlanMode == 2);
    w.Checked("ActionRouteEditPlanModeTourist", t && s.TablePlanMode == 6);
    w.Checked("ActionRouteEditSettings", Shown(s, TStatePanel::RouteSettings));
    w.Checked("ActionRouteEditVectors", f & 0x8);
    w.Enabled("ActionRouteEditVectors", t && noDelete && s.TableVectorsAllowed);
    w.Checked("ActionRouteInformation", Shown(s, TStatePanel::NavInfoRoute));
    w.Enabled("ActionRouteNew", s.Calibrated);
    w.Checked("ActionRouteExplore", s.RouteExploreMode);
    for (const char *n : {"ActionRouteEditShowGreatCircles", "ActionRouteEditConstHDG",
                          "ActionRouteEditSimulate", "ActionRouteEditOptimization"})
        w.Visible(n, false);
}

void RouteStartStates(TStateWriter &w, const TActionSnapshot &s) {
    const bool followed = s.ActiveRoute && !s.ActiveRouteIsDefault;
    TActionState &start = w.A("ActionRouteStart");
    start.ImageIndex = followed ? 61 : 60;
    start.Caption = followed ? &SStopCurrentRoute : &SStartSelectedRoute;
    w.Enabled("ActionRouteStart", s.HasSelectedRoute || followed);
    w.Enabled("ActionRouteStop", followed);
    w.Checked("ActionRouteOverview", Shown(s, TStatePanel::Route));
}

void ViewStates(TStateWriter &w, const TActionSnapshot &s) {
    w.Enabled("ActionWaypointStructures", s.HasNetwork);
    w.Checked("ActionWaypointStructures", s.NetworkFlags & 0x8);
    w.Enabled("ActionViewFind", s.TrackingEnabled ? (!s.Navigating || !s.Simulating) : true);
    w.Checked("ActionTrackReplay", s.ReplayingTrack);
    w.Enabled("ActionTrackReplay", !s.Navigating);
    w.Checked("ActionViewFullscreen", s.FullScreen);
    const uint32_t wf = s.WaypointFlags;
    w.Checked("ActionViewBlauweGolf", wf & 0x40);
    w.Checked("ActionViewFTM", wf & 0x4);
    w.Checked("ActionViewFTMAll", wf & 0x80);
    w.Checked("ActionViewFTMSelectedOnly", !(wf & 0x80));
    w.Checked("ActionViewFTMSections", wf & 0x100);
    w.Checked("ActionViewWRM", wf & 0x8);
    w.Visible("ActionViewKNMIStations", false);
    w.Checked("ActionViewAISTargets", s.AISFlags & 0x1);
    w.Checked("ActionViewAllChartBounds", s.ShowChartBounds);
    w.Checked("ActionViewMainGRIB", s.GRIBFlags & 0x1);
    w.Checked("ActionViewMainTide", (s.TideFlags & 0x1) && (s.TideFlags & 0xA));
    w.Checked("ActionViewNightScreen", s.NightScreen);
    w.Enabled("ActionViewNightScreenDarker", s.NightScreen);
    w.Enabled("ActionViewNightScreenLighter", s.NightScreen);
    w.Checked("ActionViewRoutes", s.RouteFlags & 0x1);
    w.Checked("ActionViewSmartLabeling", s.SmartLabels);
    w.Checked("ActionViewTracks", s.ShowVisibleTracks);
    w.Checked("ActionViewToolbarChart", s.ChartToolbarShown);
    w.Checked("ActionViewToolbarMain", s.MainToolbarShown);
    w.Checked("ActionViewToolbarLock", s.ToolbarsLocked);
    w.Checked("ActionViewToolbarS57", s.S57ToolbarShown);
    for (const char *n : {"ActionViewIPHub", "ActionViewVideoViewer1", "ActionViewVideoViewer2",
                          "ActionViewVideoViewerSOAD"})
        w.Visible(n, false);
    w.Checked("ActionViewRouteNetwork", s.NetworkFlags & 0x1);
    w.Checked("ActionViewStructureNames", s.NetworkFlags & 0x800);
    w.Checked("ActionViewWaypointLabels", wf & 0x2);
    w.Checked("ActionViewWaypoints", wf & 0x1);
    w.Enabled("ActionViewWaypoints", s.ViewerEditMode != 1 && s.ViewerEditMode != 5);
    w.Checked("ActionViewWindflag", s.GPSFlags & 0x800);
    w.Checked("ActionViewPolygons", false);
}

void S57States(TStateWriter &w, const TActionSnapshot &s) {
    w.Checked("ActionS57NoticeMarks", s.S57DisplayFlags & 0x400);
    w.Checked("ActionS57LandFeatures", s.S57DisplayFlags & 0x800);
    w.Checked("ActionS57ColorSchemeDay", s.ColorScheme == 0);
    w.Checked("ActionS57ColorSchemeDusk", s.ColorScheme == 1);
    w.Checked("ActionS57ColorSchemeNight", s.ColorScheme == 2);
    for (const char *n : {"ActionS57DisplayCatBoundsOnly", "ActionS57DisplayCatBASE",
                          "ActionS57DisplayCatSTANDARD", "ActionS57DisplayCatOTHER"})
        w.Enabled(n, false);
    w.A("ActionS57NoticeMarks").NoShortCut = true;
}

void WaypointStates(TStateWriter &w, const TActionSnapshot &s) {
    w.Enabled("ActionWaypointEdit", s.Calibrated);
    w.Checked("ActionWaypointEdit", s.EditMode == 1);
    w.Enabled("ActionWaypointMark", s.HasPosition);
    for (const char *n : {"ActionWaypointWSV", "ActionWaypointWSVFilter", "ActionWaypointADAC",
                          "ActionWaypointADAC2016", "ActionWaypointADACFilter",
                          "ActionWaypointMarrekrite2009", "ActionWaypointMarrekrite2010"})
        w.Visible(n, false);
}

void PanelStates(TUiStates &out, const TActionSnapshot &s) {
    auto set = [&](TStatePanel p, bool v) { out.PanelVisible[size_t(p)] = v; };
    using P = TStatePanel;
    for (P p : {P::ChartInfo, P::ChartLegend, P::ChartStatus, P::LinkDetails, P::LinkDetailsStruct,
                P::NavInfo, P::NavInfoRoute, P::Route, P::NMEA, P::UserReport, P::ZoS,
                P::AISTargetInfo, P::AISTargetList})
        set(p, Shown(s, p));
    set(P::AnchorGuard, s.AnchorGuard);
    set(P::RouteSettings, s.EditMode == 2 && Shown(s, P::RouteSettings));
    set(P::Simulation, s.Simulating);
    set(P::TrackReplay, s.ReplayingTrack);
    // The others stay hidden: AlarmZone, ProximityAlarm, CoVadem, DepthViewer, GRIB,
    // NavInfoCurrent, PolarDiagram, TextMessages, Tides, ViewerExtra1, ViewerExtra2.
    out.ToolbarMain = s.MainToolbarShown;
    out.ToolbarChart = s.ChartToolbarShown;
    out.ToolbarS57 = s.S57ToolbarShown;
    out.ToolbarRoute = s.EditMode == 2;
    out.ChartStatusResizable = s.ChartStatusFloating;
    out.HideLinkDetails =
        !s.S57PickAvailable && Shown(s, P::LinkDetails) && s.LinkDetailsContent == 8;
}

}  // namespace

const char *StatePanelName(TStatePanel panel) {
    return PanelNames[size_t(panel)];
}

TUiStates ComputeActionStates(const TActionSnapshot &s) {
    TUiStates out;
    if (!s.LayoutReady) {
        out.UpdateOnlyCaption = true;
        return out;
    }
    const auto &table = ActionTable();
    out.Actions.resize(table.size());
    for (size_t i = 0; i < table.size(); ++i) {
        TActionState &a = out.Actions[i];
        a.Enabled = i < s.Available.size() && s.Available[i];
        a.ImageIndex = table[i].ImageIndex;
        a.Checkable = table[i].AutoCheck;
    }
    TStateWriter w(out, s);
    FileChartHelpStates(w, s);
    InstrumentStates(w, s);
    NavigationStates(w, s);
    RouteEditStates(w, s);
    RouteStartStates(w, s);
    ViewStates(w, s);
    S57States(w, s);
    WaypointStates(w, s);
    PanelStates(out, s);
    out.BlueWaveLayer = out.Actions[size_t(ActionIndex("ActionViewBlauweGolf"))].Checked;
    out.WaterMessagesLayer = out.Actions[size_t(ActionIndex("ActionViewWRM"))].Checked;
    return out;
}
