#include "shell/FraSettingsViewer.h"

#include "base/registry/KvRegistry.h"
#include "chartview/FraViewer.h"
#include "shell/FraSettingsViewerCharts.h"
#include "shell/FraSettingsViewerGPS.h"
#include "shell/FraSettingsViewerRoutes.h"
#include "shell/FraSettingsViewerTracks.h"
#include "shell/FraSettingsViewerWaypoints.h"

namespace {

namespace Txt {
const TLanguageStrings GPSTitle = {"GPS cursor settings", "Instellingen GPS-cursor",
                                   "GPS-Cursor-Einstellungen", "Paramètres du curseur GPS",
                                   "Ajustes del cursor GPS", "Impostazioni cursore GPS",
                                   "Indstillinger for GPS-markør", "Inställningar för GPS-markör"};
const TLanguageStrings Waypoints = {"Waypoints", "Waypoints", "Wegpunkte", "Waypoints", "Waypoints",
                                    "Waypoint", "Waypoints", "Waypoints"};
const TLanguageStrings WaypointsTitle = {"Waypoint settings", "Waypointinstellingen",
                                         "Wegpunkteinstellungen", "Paramètres des waypoints",
                                         "Ajustes de waypoints", "Impostazioni waypoint",
                                         "Waypointindstillinger", "Waypointinställningar"};
const TLanguageStrings Charts = {"Charts", "Kaarten", "Karten", "Cartes", "Cartas", "Carte", "Kort", "Sjökort"};
const TLanguageStrings ChartsTitle = {"Chart settings", "Kaartinstellingen", "Karteneinstellungen",
                                      "Paramètres des cartes", "Ajustes de cartas", "Impostazioni carte",
                                      "Kortindstillinger", "Sjökortsinställningar"};
}  // namespace Txt

using C = TViewerSettingsCategory;
const std::pair<C, const char16_t *> Names[] = {
    {C::AIS, u"viewAIS"},       {C::Charts, u"viewCharts"}, {C::GPSCursor, u"viewGPS"},
    {C::GRIB, u"viewGRIB"},     {C::Routes, u"viewRoutes"}, {C::Tides, u"viewTides"},
    {C::Tracks, u"viewTracks"}, {C::Waypoints, u"viewWaypoints"},
};

}  // namespace

TViewerSettingsCategory TFrameSettingsViewer::NameToCategory(const QString &name) {
    for (const auto &[category, text] : Names)
        if (name.compare(QString::fromUtf16(text), Qt::CaseInsensitive) == 0)
            switch (category) {
            case C::AIS:
            case C::GRIB:
            case C::Tides: return C::GPSCursor;  // no tile of theirs is offered
            default: return category;
            }
    return C::GPSCursor;
}

QString TFrameSettingsViewer::CategoryToName(TViewerSettingsCategory category) {
    for (const auto &[c, text] : Names)
        if (c == category) return QString::fromUtf16(text);
    return QStringLiteral("viewNone");
}

TFrameSettingsViewer::TFrameSettingsViewer(QWidget *parent, TFrameViewer &viewer, TMarivoNavEnv &env)
    : TSettingsTileFrame(parent, false), FViewer(viewer), FEnv(env) {
    LoadFromViewer();
    const QString key = viewer.objectName();
    OnCategoryChosen = [key](int category) {
        int32_t err = 0;
        RegWriteString(GetAppReg(), AppRegRoot::Product, key, RegName(u"Category"),
                       CategoryToName(TViewerSettingsCategory(category)), err);
    };
    BuildCategoryTree();
}

void TFrameSettingsViewer::LoadFromViewer() {
    TFrameViewer &v = FViewer;
    TChartViewerSettings &s = FSettings;
    s.FontAISBoatScale = v.GetFontAISBoatScale();
    s.ConnectS57Depths = false;
    s.AISFlags = v.GetAISFlags();
    s.GPSFlags = v.GetGPSFlags();
    s.WaypointFlags = v.GetWaypointFlags();
    s.NetworkFlags = v.GetNetworkFlags();
    s.DistanceCirclesAuto = v.GetDistanceCirclesAuto();
    s.DistanceCirclesCount = v.GetDistanceCirclesCount();
    s.DistanceCircles = v.GetDistanceCircles();
    s.GRIBFlags = v.GetGRIBFlags();
    s.GRIBIsobarInterval = v.GetGRIBIsobarInterval();
    s.GRIBViewScaleDrawLimit = v.GetGRIBViewScaleDrawLimit();
    s.GRIBWaterlevelInterval = v.GetGRIBWaterlevelInterval();
    s.HighlightChartAtMouse = v.GetHighlightChartAtMouse();
    s.MaxHeightRadiusMM = v.GetMaxHeightRadiusMM();
    s.RouteFlags = v.GetRouteFlags();
    s.RouteExtraFlags = v.GetRouteExtraFlags();
    s.SailingBoatScaleFactor = v.GetSailingBoatScaleFactor();
    s.ShowBearingLine = v.GetShowBearingLine();
    s.ShowChartBounds = v.GetShowChartBounds();
    s.ShowCompassNeedle = v.GetShowCompassNeedle();
    s.ShowNavInfo = v.GetShowNavInfo();
    s.ShowScaleBar = v.GetShowScaleBar();
    s.ShowScaleValue = v.GetShowScaleValue();
    s.ShowTrackActive = v.GetShowTrackActive();
    s.ShowTrackNames = v.GetShowTrackNames();
    s.ShowVisibleTracks = v.GetShowVisibleTracks();
    s.TideFlags = v.GetTideFlags();
}

void TFrameSettingsViewer::BuildCategoryTree() {
    setUpdatesEnabled(false);
    ClearTiles();
    QString stored;
    RegReadStringDef(GetAppReg(), AppRegRoot::Product, FViewer.objectName(), RegName(u"Category"),
                     QString(), stored);
    const TViewerSettingsCategory chosen = NameToCategory(stored);
    auto add = [&](C c, const TLanguageStrings &caption, const TLanguageStrings &title,
                   TSettingsIcon icon, QWidget *page) {
        AddTile(int(c), LanguageText(caption), LanguageText(title), icon, page, c == chosen);
    };
    add(C::GPSCursor, SettingsTextGPSCursor, Txt::GPSTitle, TSettingsIcon::GPSCursor,
        new TFrameSettingsViewerGPS(FSettings, FEnv));
    add(C::Waypoints, Txt::Waypoints, Txt::WaypointsTitle, TSettingsIcon::Waypoints,
        new TFrameSettingsViewerWaypoints(FSettings));
    add(C::Routes, SettingsTextRoutes, SettingsTextRouteSettings, TSettingsIcon::Routes,
        new TFrameSettingsViewerRoutes(FSettings));
    add(C::Tracks, SettingsTextTracks, SettingsTextTrackSettings, TSettingsIcon::Tracks,
        new TFrameSettingsViewerTracks(FSettings));
    add(C::Charts, Txt::Charts, Txt::ChartsTitle, TSettingsIcon::Charts,
        new TFrameSettingsViewerCharts(FSettings));
    setUpdatesEnabled(true);
}

void TFrameSettingsViewer::ApplyToViewer() {
    TFrameViewer &v = FViewer;
    const TChartViewerSettings &s = FSettings;
    v.SetAISFlags(s.AISFlags);
    v.SetFontAISBoatScale(s.FontAISBoatScale);
    v.SetHighlightChartAtMouse(s.HighlightChartAtMouse);
    v.SetShowChartBounds(s.ShowChartBounds);
    v.SetShowCompassNeedle(s.ShowCompassNeedle);
    v.SetShowNavInfo(s.ShowNavInfo);
    v.SetShowScaleBar(s.ShowScaleBar);
    v.SetShowScaleValue(s.ShowScaleValue);
    v.SetDistanceCirclesAuto(s.DistanceCirclesAuto);
    v.SetDistanceCircles(double(s.DistanceCircles));
    v.SetDistanceCirclesCount(s.DistanceCirclesCount);
    v.SetGPSFlags(s.GPSFlags);
    v.SetSailingBoatScaleFactor(s.SailingBoatScaleFactor);
    v.SetShowBearingLine(s.ShowBearingLine);
    v.SetGRIBFlags(s.GRIBFlags);
    v.SetGRIBIsobarInterval(s.GRIBIsobarInterval);
    v.SetGRIBViewScaleDrawLimit(s.GRIBViewScaleDrawLimit);
    v.SetGRIBWaterlevelInterval(s.GRIBWaterlevelInterval);
    v.SetRouteFlags(s.RouteFlags);
    v.SetRouteExtraFlags(s.RouteExtraFlags);
    v.SetNetworkFlags(s.NetworkFlags);
    v.SetTideFlags(s.TideFlags);
    v.SetShowTrackActive(s.ShowTrackActive);
    v.SetShowTrackNames(s.ShowTrackNames);
    v.SetShowVisibleTracks(s.ShowVisibleTracks);
    v.SetWaypointFlags(s.WaypointFlags);
    // The water name labels of the network follow the waypoint name labels.
    uint32_t network = v.GetNetworkFlags() & ~ViewerSettingsBit::NetworkSectionNamesLabels;
    if (v.GetWaypointFlags() & ViewerSettingsBit::WaypointNameLabels)
        network |= ViewerSettingsBit::NetworkSectionNamesLabels;
    v.SetNetworkFlags(network);
    v.SetMaxHeightRadiusMM(s.MaxHeightRadiusMM);
}
