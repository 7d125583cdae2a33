// The main window's texts in the current interface language, reloaded at run time after
// every language switch (menus, actions, help file, panels, frames and owned windows),
// and the window caption.
#include "shell/FrmMarivo6Main.h"

#include "base/help/KvHTMLHelp.h"
#include "base/kvlib/KvProgInfo.h"
#include "base/registry/KvRegistry.h"
#include "base/texts/KvStr.h"
#include "chartview/FraViewer.h"
#include "shell/FrmHelp.h"
#include "shell/MarivoActionTable.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvLanguage.h>
#include <KvLibNav6/KvLib.h>

#include <QAction>
#include <QDockWidget>
#include <QMenu>
#include <QToolBar>

namespace {

const QString HelpDeskAddress = QStringLiteral("helpdesk@korvane.example");

struct TPanelCaption {
    const char *Panel;
    TLanguageStrings Caption;
};

const TLanguageStrings TextExtraViewer = {
    "Additional chart viewer", "Extra kaartviewer", "Zusätzliche Kartenansicht", "Visionneuse de cartes supplémentaire",
    "Visor de cartas adicional", "Visualizzatore di carte aggiuntivo", "Ekstra søkortsviser", "Extra sjökortsvisare"};

const TPanelCaption PanelCaptions[] = {
    {"DockablePanelAISTargetInfo",
     {"AIS target information", "AIS-doelinformatie", "AIS-Zielinformationen", "Informations sur la cible AIS",
      "Información del blanco AIS", "Informazioni sul bersaglio AIS", "AIS-måloplysninger", "AIS-målinformation"}},
    {"DockablePanelAISTargetList",
     {"AIS targets", "AIS-doelen", "AIS-Ziele", "Cibles AIS", "Blancos AIS", "Bersagli AIS", "AIS-mål", "AIS-mål"}},
    {"DockablePanelAlarmZone",
     {"Alarm zones", "Alarmzones", "Alarmzonen", "Zones d'alarme", "Zonas de alarma", "Zone di allarme",
      "Alarmzoner", "Larmzoner"}},
    {"DockablePanelAnchorGuard",
     {"Anchor watch", "Ankerwacht", "Ankerwache", "Veille au mouillage", "Guardia de fondeo", "Guardia all'ancora",
      "Ankervagt", "Ankarvakt"}},
    {"DockablePanelLinkDetails",
     {"Waypoint details", "Waypointdetails", "Wegpunktdetails", "Détails du point de route",
      "Detalles del waypoint", "Dettagli del waypoint", "Waypointdetaljer", "Waypointdetaljer"}},
    {"DockablePanelLinkDetailsStruct",
     {"Bridges, locks and other structures", "Bruggen, sluizen en andere kunstwerken",
      "Brücken, Schleusen und andere Bauwerke", "Ponts, écluses et autres ouvrages",
      "Puentes, esclusas y otras estructuras", "Ponti, chiuse e altre strutture", "Broer, sluser og andre anlæg",
      "Broar, slussar och andra anläggningar"}},
    {"DockablePanelChartInfo",
     {"Chart information", "Kaartinformatie", "Karteninformationen", "Informations sur la carte",
      "Información de la carta", "Informazioni sulla carta", "Søkortsoplysninger", "Sjökortsinformation"}},
    {"DockablePanelChartLegend",
     {"Legend", "Legenda", "Legende", "Légende", "Leyenda", "Legenda", "Signaturforklaring", "Teckenförklaring"}},
    {"DockablePanelCoVadem",
     {"CoVadem box Load & Engines", "CoVadem box Belading & Motoren", "CoVadem-Box Beladung & Motoren",
      "Boîtier CoVadem Chargement & Moteurs", "Caja CoVadem Carga y Motores", "Box CoVadem Carico e Motori",
      "CoVadem-boks Last & Motorer", "CoVadem-box Last & Motorer"}},
    {"DockablePanelDepthViewer",
     {"Depth viewer", "Dieptekijker", "Tiefenanzeige", "Visionneuse de profondeur", "Visor de profundidad",
      "Visualizzatore di profondità", "Dybdeviser", "Djupvisare"}},
    {"DockablePanelGRIB",
     {"GRIB meteogram", "GRIB-meteogram", "GRIB-Meteogramm", "Météogramme GRIB", "Meteograma GRIB",
      "Meteogramma GRIB", "GRIB-meteogram", "GRIB-meteogram"}},
    {"DockablePanelHTML",
     {"Additional information", "Aanvullende informatie", "Zusätzliche Informationen",
      "Informations complémentaires", "Información adicional", "Informazioni aggiuntive", "Yderligere oplysninger",
      "Ytterligare information"}},
    {"DockablePanelMeteostation",
     {"Meteo station", "Weerstation", "Wetterstation", "Station météo", "Estación meteorológica",
      "Stazione meteo", "Vejrstation", "Väderstation"}},
    {"DockablePanelNavInfo",
     {"Route explorer", "Routeverkenner", "Routen-Explorer", "Explorateur d'itinéraires", "Explorador de rutas",
      "Esplora rotte", "Rutestifinder", "Ruttutforskare"}},
    {"DockablePanelNavInfoCurrent",
     {"Instruments information", "Instrumentinformatie", "Instrumenteninformationen",
      "Informations des instruments", "Información de instrumentos", "Informazioni strumenti",
      "Instrumentoplysninger", "Instrumentinformation"}},
    {"DockablePanelNavInfoRoute",
     {"Route info", "Route-info", "Routeninfo", "Infos sur la route", "Información de la ruta", "Info rotta",
      "Ruteinfo", "Ruttinfo"}},
    {"DockablePanelNMEA",
     {"NMEA monitor", "NMEA-monitor", "NMEA-Monitor", "Moniteur NMEA", "Monitor NMEA", "Monitor NMEA",
      "NMEA-monitor", "NMEA-monitor"}},
    {"DockablePanelPolarDiagram",
     {"Polar diagram", "Polair diagram", "Polardiagramm", "Diagramme polaire", "Diagrama polar",
      "Diagramma polare", "Polardiagram", "Polardiagram"}},
    {"DockablePanelProximityAlarm",
     {"Proximity Alarm", "Naderingsalarm", "Annäherungsalarm", "Alarme de proximité", "Alarma de proximidad",
      "Allarme di prossimità", "Nærhedsalarm", "Närhetslarm"}},
    {"DockablePanelRoute",
     {"Route overview", "Routeoverzicht", "Routenübersicht", "Aperçu de la route", "Resumen de la ruta",
      "Panoramica rotta", "Ruteoversigt", "Ruttöversikt"}},
    {"DockablePanelRouteSettings",
     {"Route settings", "Route-instellingen", "Routeneinstellungen", "Paramètres de la route",
      "Ajustes de la ruta", "Impostazioni rotta", "Ruteindstillinger", "Ruttinställningar"}},
    {"DockablePanelSimulation",
     {"Simulation", "Simulatie", "Simulation", "Simulation", "Simulación", "Simulazione", "Simulering",
      "Simulering"}},
    {"DockablePanelTides",
     {"Tide plotter", "Getijdenplotter", "Gezeitenplotter", "Traceur de marées", "Trazador de mareas",
      "Plotter delle maree", "Tidevandsplotter", "Tidvattenplotter"}},
    {"DockablePanelTrackReplay",
     {"Track replay", "Track afspelen", "Track-Wiedergabe", "Relecture de trace", "Reproducción de traza",
      "Riproduzione traccia", "Afspilning af spor", "Uppspelning av spår"}},
    {"DockablePanelTextMessages",
     {"Text messages", "Tekstberichten", "Textnachrichten", "Messages texte", "Mensajes de texto",
      "Messaggi di testo", "Tekstbeskeder", "Textmeddelanden"}},
    {"DockablePanelViewerExtra1", TextExtraViewer},
    {"DockablePanelViewerExtra2", TextExtraViewer},
    {"DockablePanelWaypoints",
     {"Edit waypoints", "Waypoints bewerken", "Wegpunkte bearbeiten", "Modifier les points de route",
      "Editar waypoints", "Modifica waypoint", "Rediger waypoints", "Redigera waypoints"}},
    {"DockablePanelZoS",
     {"Sign up for bridges and locks", "Aanmelden bij bruggen en sluizen", "Anmeldung an Brücken und Schleusen",
      "Annonce aux ponts et écluses", "Aviso a puentes y esclusas", "Preavviso a ponti e chiuse",
      "Tilmelding til broer og sluser", "Anmälan till broar och slussar"}},
};

const TLanguageStrings TextUserReportTo = {
    "User report to ", "Gebruikersmelding aan ", "Benutzermeldung an ", "Rapport utilisateur à ",
    "Informe de usuario a ", "Segnalazione utente a ", "Brugerrapport til ", "Användarrapport till "};
const TLanguageStrings TextInstallUpdateCharts = {
    "Install/update charts...", "Kaarten installeren/bijwerken...", "Karten installieren/aktualisieren...",
    "Installer/mettre à jour les cartes...", "Instalar/actualizar cartas...", "Installa/aggiorna carte...",
    "Installer/opdater søkort...", "Installera/uppdatera sjökort..."};
const TLanguageStrings TextMainChartViewer = {
    "Main chart viewer", "Hoofdkaartviewer", "Hauptkartenansicht", "Visionneuse de cartes principale",
    "Visor de cartas principal", "Visualizzatore di carte principale", "Hovedsøkortsviser", "Huvudsjökortsvisare"};
const TLanguageStrings TextChartToolbar = {
    "Chart toolbar", "Kaartwerkbalk", "Kartensymbolleiste", "Barre d'outils de la carte",
    "Barra de herramientas de la carta", "Barra degli strumenti della carta", "Søkortsværktøjslinje",
    "Sjökortsverktygsfält"};
const TLanguageStrings TextS57Toolbar = {
    "S57 toolbar", "S57-werkbalk", "S57-Symbolleiste", "Barre d'outils S57", "Barra de herramientas S57",
    "Barra degli strumenti S57", "S57-værktøjslinje", "S57-verktygsfält"};

}  // namespace

void TFormMarivo6Main::LoadLanguage() {
    const int32_t language = GetCurrentLanguage();
    LoadMenuTexts(language);
    LoadActionTexts(language);
    // The help follows the language; without help the contents command has nothing to show.
    FHelpFileFound = !ChooseHelpFile(language, FDataFolder).isEmpty();
    RefreshAvailability();
    LoadPanelTexts(language);
    if (FNavEnv) FNavEnv->SetTileTexts();
    LoadFrameTexts();
    if (FGPSError) FGPSError->UpdateTexts();
    if (FNewsCenter) FNewsCenter->UpdateTexts();
    UpdateActionStates();
    emit LanguageChanged();
}

void TFormMarivo6Main::LoadMenuTexts(int32_t language) {
    for (const TMenuRow &m : MenuTable())
        if (QMenu *menu = FMenus.value(QString::fromLatin1(m.Name))) menu->setTitle(LanguageTextIn(m.Caption, language));
}

void TFormMarivo6Main::LoadActionTexts(int32_t language) {
    const auto &table = ActionTable();
    for (size_t i = 0; i < FActions.size(); ++i) {
        // A row without a caption is a tool button that has a hint only: without images the
        // hint is its text; one without either keeps its placeholder.
        if (!table[i].Caption[0]) {
            if (!table[i].Hint[0]) continue;
            const QString hint = ActionHint(table[i], language);
            FActions[i]->setText(hint);
            FActions[i]->setToolTip(hint);
            FActions[i]->setStatusTip(hint);
            continue;
        }
        FActions[i]->setText(ActionCaption(table[i], language));
        FActions[i]->setToolTip(ActionHint(table[i], language));
        FActions[i]->setStatusTip(ActionHint(table[i], language));
    }
    // A chart-manager program that installs charts too says so.
    if (QAction *update = Action("ActionChartUpdate"); update && FNavEnv && (FNavEnv->ChartManagerProgramFlags & 0x2))
        update->setText(LanguageTextIn(TextInstallUpdateCharts, language));
    if (QAction *contents = Action("ActionHelpContents"))
        contents->setToolTip(LanguageTextIn(KvStr::BtnHelp, language).remove(QLatin1Char('&')));
}

void TFormMarivo6Main::LoadPanelTexts(int32_t language) {
    for (const TPanelCaption &p : PanelCaptions)
        if (QDockWidget *panel = Panel(QString::fromLatin1(p.Panel)))
            panel->setWindowTitle(LanguageTextIn(p.Caption, language));
    if (QDockWidget *report = Panel(QStringLiteral("DockablePanelUserReport")))
        report->setWindowTitle(LanguageTextIn(TextUserReportTo, language) + HelpDeskAddress);
}

void TFormMarivo6Main::LoadFrameTexts() {
    // In this order; the chart information and the legend repaint at once.
    for (IMarivoFrame *frame : {static_cast<IMarivoFrame *>(FChartInfo.get()),
                                static_cast<IMarivoFrame *>(FChartLegend.get())})
        if (frame) {
            frame->UpdateTexts();
            frame->Widget()->update();
        }
    for (IMarivoFrame *frame :
         {static_cast<IMarivoFrame *>(FChartStatus.get()), static_cast<IMarivoFrame *>(FLinkDetails.get()),
          static_cast<IMarivoFrame *>(FNavInfo.get()), static_cast<IMarivoFrame *>(FNavCurrent.get()),
          static_cast<IMarivoFrame *>(FNavRoute.get()), FLinkDetailsStruct.get(),
          static_cast<IMarivoFrame *>(FNMEAMonitor.get()), static_cast<IMarivoFrame *>(FRoutes.get()),
          static_cast<IMarivoFrame *>(FRouteSettings.get()), static_cast<IMarivoFrame *>(FTrackReplay.get()),
          static_cast<IMarivoFrame *>(FUserReport.get()), static_cast<IMarivoFrame *>(FViewer.get())})
        if (frame) frame->UpdateTexts();
    if (ToolbarMain) ToolbarMain->setWindowTitle(ActionCaption(ActionTable()[size_t(ActionIndex("ActionViewToolbarMain"))], GetCurrentLanguage()));
    if (!FViewer) return;
    FViewer->Invalidate();
    if (TFrameViewer *frame = FViewer->Frame()) frame->Caption = LanguageText(TextMainChartViewer);
    if (QToolBar *bar = FViewer->ToolbarMain()) bar->setWindowTitle(LanguageText(TextChartToolbar));
    if (QToolBar *bar = FViewer->ToolbarS57()) bar->setWindowTitle(LanguageText(TextS57Toolbar));
}

// ---- caption ------------------------------------------------------------------------------

QString TFormMarivo6Main::ComposeCaption(const TCaptionParts &parts) {
    QString caption = parts.Title;
    if (!parts.DisplayName.isEmpty()) caption += QLatin1Char(' ') + parts.DisplayName;
    if (parts.DebugBuild) caption += QStringLiteral(" - Using DEBUG ") + QStringLiteral("KvLibNav6.dll");
    if (parts.SystemMajorVersion >= 6 && parts.Administrator) caption += QStringLiteral(" (Administrator)");
    if (!parts.Login.isEmpty()) caption += QStringLiteral(" - User: ") + parts.Login;
    if (!parts.ShipName.isEmpty()) caption += QStringLiteral(" - ") + parts.ShipName;
    return caption;
}

TFormMarivo6Main::TCaptionParts TFormMarivo6Main::CaptionParts() const {
    TCaptionParts parts;
    parts.Title = ProgInfoGetTitle();
    RegGetDisplayName(GetAppReg(), parts.DisplayName);
    parts.DebugBuild = IsDebugBuild();
    // The desktop's version needs no test here: every supported one counts as new enough.
    parts.SystemMajorVersion = 6;
    parts.Administrator = IsUserAdmin();
    if (FNavEnv) FNavEnv->GetStoredLogin(parts.Login);
    RegReadStringDef(GetAppReg(), AppRegRoot::Product, QStringLiteral("Boat"), RegName(u"ShipName"), QString(),
                     parts.ShipName);
    return parts;
}

void TFormMarivo6Main::UpdateCaption() {
    const QString caption = ComposeCaption(CaptionParts());
    if (windowTitle() != caption) setWindowTitle(caption);
}
