// The handlers of the main window's commands of the file, chart, help, view, instrument,
// logbook, sound and S-57 menus. Each is registered under its action's name; a failure
// raises to the application's handler.
#include "shell/FrmMarivo6Main.h"

#include "base/dialogs/KvMsgBox.h"
#include "base/kvlib/KvErrors.h"
#include "base/kvlib/KvProgInfo.h"
#include "base/registry/KvRegistry.h"
#include "chartview/NavViewerControl.h"
#include "shell/FrmMsgWaiting.h"
#include "shell/MarivoActionTable.h"
#include "shell/MarivoNavEnv.h"
#include "shell/MarivoSailingAreas.h"

#include <KvLibNav6/KvLanguage.h>

#include <QAction>
#include <QDockWidget>
#include <QFileInfo>
#include <QToolBar>

namespace {

const TLanguageStrings SStopGPS = {
    "Do you want to stop the GPS communication?\n\nNOTE: When the communication is ended the current track will also be stopped.",
    "Wilt u de GPS-communicatie stoppen?\n\nLET OP: Als de communicatie wordt be\u00EBindigd, wordt ook de huidige track gestopt.",
    "M\u00F6chten Sie die GPS-Kommunikation beenden?\n\nHINWEIS: Mit dem Ende der Kommunikation wird auch der aktuelle Track beendet.",
    "Voulez-vous arr\u00EAter la communication GPS ?\n\nREMARQUE : la fin de la communication arr\u00EAte aussi la trace en cours.",
    "",
    "Interrompere la comunicazione GPS?\n\nNOTA: al termine della comunicazione viene interrotta anche la traccia corrente.",
    "Vil du stoppe GPS-kommunikationen?\n\nBEM\u00C6RK: N\u00E5r kommunikationen afsluttes, stoppes det aktuelle spor ogs\u00E5.",
    "Vill du stoppa GPS-kommunikationen?\n\nOBS! N\u00E4r kommunikationen avslutas stoppas \u00E4ven det aktuella sp\u00E5ret."};
const TLanguageStrings SCloseLogbook = {
    "Do you want to close the logbook?", "Wilt u het logboek sluiten?",
    "M\u00F6chten Sie das Logbuch schlie\u00DFen?", "Voulez-vous fermer le journal de bord ?", "",
    "Chiudere il giornale di bordo?", "Vil du lukke logbogen?", "Vill du st\u00E4nga loggboken?"};
const TLanguageStrings SStopLogging = {
    "Do you want to stop the automatic logging?", "Wilt u het automatisch loggen stoppen?",
    "M\u00F6chten Sie die automatische Aufzeichnung beenden?",
    "Voulez-vous arr\u00EAter l'enregistrement automatique ?", "",
    "Interrompere la registrazione automatica?", "Vil du stoppe den automatiske logning?",
    "Vill du stoppa den automatiska loggningen?"};
const TLanguageStrings SResetWindows = {
    "Do you really want to return the position and size of all toolbars and windows to their default values?",
    "Wilt u de positie en grootte van alle werkbalken en vensters echt terugzetten naar de standaardwaarden?",
    "M\u00F6chten Sie Position und Gr\u00F6\u00DFe aller Symbolleisten und Fenster wirklich auf die Standardwerte zur\u00FCcksetzen?",
    "Voulez-vous vraiment r\u00E9tablir la position et la taille par d\u00E9faut de toutes les barres d'outils et fen\u00EAtres ?",
    "",
    "Ripristinare davvero posizione e dimensioni predefinite di tutte le barre degli strumenti e le finestre?",
    "Vil du virkelig nulstille placering og st\u00F8rrelse af alle v\u00E6rkt\u00F8jslinjer og vinduer?",
    "Vill du verkligen \u00E5terst\u00E4lla position och storlek f\u00F6r alla verktygsf\u00E4lt och f\u00F6nster?"};
const TLanguageStrings SPrintProcessing = {
    "The print job is being processed.", "De afdruktaak wordt verwerkt.",
    "Der Druckauftrag wird verarbeitet.", "L'impression est en cours de traitement.", "",
    "Il lavoro di stampa \u00E8 in elaborazione.", "Udskriftsjobbet behandles.",
    "Utskriftsjobbet bearbetas."};
const TLanguageStrings SNotFound = {"Not found: ", "Niet gevonden: ", "Nicht gefunden: ",
                                    "Introuvable : ", "", "Non trovato: ", "Ikke fundet: ",
                                    "Hittades inte: "};

bool Ask(const TLanguageStrings &question) {
    return MsgBox(LanguageText(question), mtConfirmation, MsgButtons({mbYes, mbNo})) == mrYes;
}

}  // namespace

void TFormMarivo6Main::RegisterOwnHandlers() {
    RegisterFileHandlers();
    RegisterChartHandlers();
    RegisterHelpHandlers();
    RegisterViewHandlers();
    RegisterInstrumentHandlers();
    RegisterS57Handlers();
    RegisterRouteHandlers();
    RegisterWaypointTrackHandlers();
}

void TFormMarivo6Main::On(const char *name, std::function<void()> handler) {
    RegisterActionHandler(name, [handler = std::move(handler)](QAction *) { handler(); });
}

// ---- file -----------------------------------------------------------------------------------

void TFormMarivo6Main::RegisterFileHandlers() {
    On("ActionFileImport", [this] { ImportFiles(); });
    On("ActionFilePropertiesLocale", [this] { ShowLocaleSettings(); });
    On("ActionFilePropertiesShip", [this] {
        ShowShipSettings();
        FNavEnv->Post(NavNotify::ShipSettingsChanged);
    });
    On("ActionFilePropertiesPlanner", [this] { ShowPlannerSettings(); });
    On("ActionFilePropertiesSailingArea", [this] { ShowSailingAreaSettings(); });
    On("ActionFilePrint", [this] { PrintView(); });
    On("ActionFileExtensionManager", [this] { OpenExtensionManager(); });
    On("ActionFileExit", [this] { close(); });
}

void TFormMarivo6Main::ImportFiles() {
    SetEditMode(EditMode::None);
    FDialogs.Import(this, *FNavEnv);
    if (FRoutes) FRoutes->FillRouteList();
    if (FNavInfo) FNavInfo->FillRouteList();
    FNavEnv->CheckWaypointDatabase();
    FNavEnv->ApplyWaypointVisibility();
    UpdateActionStates();
    InvalidateViewers();
}

void TFormMarivo6Main::PrintView() {
    TPrintSettings settings = FPrintSettings;
    if (!FDialogs.Print(this, settings)) return;
    FPrintSettings = settings;
    TFormMsgWaiting::Execute(LanguageText(SPrintProcessing), true,
                             [this](TFormMsgWaiting &waiting) { PrintJob(waiting); });
}

void TFormMarivo6Main::OpenExtensionManager() {
    FDialogs.ExtensionManager(this, *FNavEnv);
    const auto &table = ActionTable();
    Action("ActionFilePropertiesShip")
        ->setText(ActionCaption(table[size_t(ActionIndex("ActionFilePropertiesShip"))],
                                GetCurrentLanguage()));
    UpdateActionStates();
    SaveLayout();
    LoadToolbarLayout(false);
}

// ---- chart ----------------------------------------------------------------------------------

void TFormMarivo6Main::RegisterChartHandlers() {
    On("ActionChartInformation", [this] { SetChartInfoVisible(!PanelShown(QStringLiteral("DockablePanelChartInfo"))); });
    On("ActionChartLegend", [this] { SetChartLegendVisible(!PanelShown(QStringLiteral("DockablePanelChartLegend"))); });
    On("ActionChartStatus", [this] { SetChartStatusVisible(!PanelShown(QStringLiteral("DockablePanelChartStatus"))); });
    On("ActionChartManager", [this] { ShowChartManager(); });
    On("ActionChartManagerMain", [this] {
        ShowChartManager();
        FNavEnv->RebuildWptDatabaseInfo();
        InvalidateViewers();
    });
    On("ActionChartUpdate", [this] { ChartUpdate(); });
    On("ActionChartBuyCharts", [this] { OpenWebLink(this, TWebLink::BuyCharts); });
}

void TFormMarivo6Main::ChartUpdate() {
    RunWithNavigationStopped(QStringLiteral("MRC Manager"), [this](TFormMsgWaiting &waiting) {
        if (TNavViewerControl *viewer = MainViewerControl()) {
            viewer->SetBackChart(nullptr);
            viewer->SetFrontChart(nullptr);
        }
        if (FChartStatus) FChartStatus->ClearChart();
        RunChartManagerJob(waiting);
    });
}

// ---- help -----------------------------------------------------------------------------------

void TFormMarivo6Main::RegisterHelpHandlers() {
    On("ActionHelpContents", [this] { FDialogs.HelpContext(this, 2003); });
    On("ActionHelpKeyboard", [this] { ShowKeyboardOverview(); });
    const struct { const char *name; TWebLink link; } links[] = {
        {"ActionHelpLinkHelp", TWebLink::Help},
        {"ActionHelpLinkForum", TWebLink::Forum},
        {"ActionHelpLinkHomepage", TWebLink::Homepage},
        {"ActionHelpLinkReleaseHistory", TWebLink::ReleaseHistory},
        {"ActionHelpLinkShop", TWebLink::Shop},
        {"ActionHelpTeamViewer", TWebLink::TeamViewer}};
    for (const auto &l : links) On(l.name, [this, link = l.link] { OpenWebLink(this, link); });
    On("ActionHelpUpdate", [this] { CheckForUpdates(); });
    On("ActionHelpNewsCenter", [this] { OpenNewsCenter(); });
    On("ActionHelpStartUp", [this] { ShowStartupWizard(); });
    On("ActionHelpUserReport", [this] { ToggleUserReport(); });
    On("ActionHelpAbout", [this] { FDialogs.About(this, QString()); });
}

void TFormMarivo6Main::ShowKeyboardOverview() {
    const QString file = KeyboardOverviewPath(GetCurrentLanguage());
    if (QFileInfo(file).isFile())
        FDialogs.HelpKeyboard(this, file);
    else
        MsgBox(LanguageText(SNotFound) + file, mtInformation, MsgButtons({mbOK}));
}

void TFormMarivo6Main::CheckForUpdates() {
    QString file;
    if (!FDialogs.CheckUpdates(this, file, 0, false)) return;
    // The downloaded update installs once the program has closed.
    FCloseWithoutQuestion = true;
    close();
}

void TFormMarivo6Main::OpenNewsCenter() {
    FNewsCenterRequested = true;
    // The window is released after it was shown; the command makes a new one.
    if (!FNewsCenter) {
        FNewsCenter = MakeFrame(FFactories.NewsCenter, nullptr);
        WireNewsCenter();
    }
    FDialogs.NewsCenter(this, *FNavEnv);
}

void TFormMarivo6Main::ToggleUserReport() {
    const TGeoPoint none{GeoPointNoPosition, GeoPointNoPosition};
    if (FUserReport) FUserReport->SetPosition(none);
    if (FViewer) FViewer->SetReportPosition(none);
    QDockWidget *panel = Panel(QStringLiteral("DockablePanelUserReport"));
    SetUserReportVisible(!(panel && panel->isVisible()));
}

// ---- view -----------------------------------------------------------------------------------

void TFormMarivo6Main::ToggleViewerFlags(uint32_t (TNavViewerControl::*get)(),
                                         void (TNavViewerControl::*set)(uint32_t), uint32_t bit) {
    TNavViewerControl *viewer = MainViewerControl();
    if (!viewer) return;
    (viewer->*set)((viewer->*get)() ^ bit);
}

void TFormMarivo6Main::RegisterViewHandlers() {
    using V = TNavViewerControl;
    // Each view toggle ends with the action states.
    auto on = [this](const char *name, std::function<void()> f) {
        On(name, [this, f = std::move(f)] {
            f();
            UpdateActionStates();
        });
    };
    on("ActionViewWaypoints", [this] {
        ToggleViewerFlags(&V::GetWaypointFlags, &V::SetWaypointFlags, 0x1);
        ToggleViewerFlags(&V::GetWaypointFlags, &V::SetWaypointFlags, 0x10);
    });
    on("ActionViewWaypointLabels", [this] {
        ToggleViewerFlags(&V::GetWaypointFlags, &V::SetWaypointFlags, 0x2);
        ToggleViewerFlags(&V::GetNetworkFlags, &V::SetNetworkFlags, 0x10);
    });
    on("ActionViewRouteNetwork", [this] { ToggleViewerFlags(&V::GetNetworkFlags, &V::SetNetworkFlags, 0x1); });
    on("ActionViewRoutes", [this] { ToggleViewerFlags(&V::GetRouteFlags, &V::SetRouteFlags, 0x1); });
    on("ActionViewBlauweGolf", [this] { ToggleViewerFlags(&V::GetWaypointFlags, &V::SetWaypointFlags, 0x40); });
    on("ActionViewMainGRIB", [this] { ToggleViewerFlags(&V::GetGRIBFlags, &V::SetGRIBFlags, 0x1); });
    on("ActionViewMainTide", [this] { ToggleTide(); });
    on("ActionViewTracks", [this] {
        if (V *v = MainViewerControl()) v->SetShowVisibleTracks(!v->GetShowVisibleTracks());
    });
    on("ActionViewPolygons", [this] {
        if (V *v = MainViewerControl()) v->SetShowPolygons(!v->GetShowPolygons());
    });
    on("ActionViewSmartLabeling", [this] {
        if (V *v = MainViewerControl()) v->SetSmartLabels(!v->GetSmartLabels());
    });
    on("ActionViewFullscreen", [this] { SetFullScreen(!FFullScreen); });
    on("ActionViewProperties", [this] { ShowViewSettings(); });
    on("ActionViewResetPanels", [this] { ResetWindows(); });
    on("ActionViewToolbarMain", [this] { SetMainToolbarVisible(!FMainToolbarShown); });
    on("ActionViewToolbarChart", [this] { SetChartToolbarVisible(!FChartToolbarShown); });
    on("ActionViewToolbarS57", [this] { SetS57ToolbarVisible(!FS57ToolbarShown); });
    on("ActionViewToolbarLock", [this] {
        SetToolbarsLocked(!FToolbarsLocked);
        int32_t err = 0;
        RegWriteBool(GetAppReg(), AppRegRoot::Product, QStringLiteral("Toolbars"), RegName(u"Locked"),
                     FToolbarsLocked, err);
        RaiseIfError(err);
    });
    on("ActionViewToolbarMainEdit", [this] { EditToolbar(); });
}

void TFormMarivo6Main::ToggleTide() {
    TNavViewerControl *viewer = MainViewerControl();
    if (!viewer) return;
    uint32_t flags = viewer->GetTideFlags();
    const bool shown = (flags & 0x1) && (flags & 0xA);
    // Tides on without a layer: the layers come on instead of the tides going off.
    if (shown || !(flags & 0x1))
        flags ^= 0x1;
    else
        flags |= 0x2 | 0x8;
    viewer->SetTideFlags(flags);
}

void TFormMarivo6Main::ResetWindows() {
    if (!Ask(SResetWindows)) return;
    ResetLayout();
    InitInterface(true);
}

// ---- instruments, logbook, sound ------------------------------------------------------------

void TFormMarivo6Main::RegisterInstrumentHandlers() {
    On("ActionInstrumentsCommunication", [this] { Communication(); });
    On("ActionInstrumentsGPSProperties", [this] { ShowGPSSettings(false); });
    On("ActionInstrumentsGPSDownload", [this] { FDialogs.GPSDownload(this, *FNavEnv); });
    On("ActionInstrumentsNMEAMonitor", [this] { SetNMEAMonitorVisible(!PanelShown(QStringLiteral("DockablePanelNMEA"))); });
    for (const char *n : {"ActionInstrumentsAISTargetList", "ActionInstrumentsAISTargetInformation"}) {
        const QString panel = QString::fromLatin1(ActionTable()[size_t(ActionIndex(n))].Panel);
        On(n, [this, panel] {
            QDockWidget *dock = Panel(panel);
            SetPanelVisible(panel, !(dock && dock->isVisible()));
        });
    }
    On("ActionLogbookActiveClose", [this] {
        if (Ask(SCloseLogbook)) FNavEnv->CloseLogbook();
        UpdateActionStates();
    });
    On("ActionLogbookActiveStart", [this] {
        FNavEnv->StartLogbook(true);
        UpdateActionStates();
    });
    On("ActionLogbookActiveStop", [this] {
        if (Ask(SStopLogging)) FNavEnv->StopLogbook(true);
        UpdateActionStates();
    });
    On("ActionSound", [this] {
        FNavEnv->SetSoundEnabled(!FNavEnv->SoundEnabled);
        UpdateActionStates();
    });
}

void TFormMarivo6Main::Communication() {
    if (FNavEnv->Boat->GetNavigationState() != 0) {
        FNavEnv->StopNavigation(LanguageText(SStopGPS), true);
    } else if (!FNavEnv->StartNavigation(false)) {
        UpdateActionStates();
        return;
    }
    UpdateActionStates();
    if (FNavCurrent) FNavCurrent->UpdateAll();
}

// ---- S-57 -----------------------------------------------------------------------------------

void TFormMarivo6Main::RegisterS57Handlers() {
    On("ActionS57ColorSchemeDay", [this] { SetColorScheme(S52ColorScheme::Day); });
    On("ActionS57ColorSchemeDusk", [this] { SetColorScheme(S52ColorScheme::Dusk); });
    On("ActionS57ColorSchemeNight", [this] { SetColorScheme(S52ColorScheme::Night); });
    On("ActionS57DisplayCatBoundsOnly", [this] { SetDisplayCategory(-1); });
    On("ActionS57DisplayCatBASE", [this] { SetDisplayCategory(0); });
    On("ActionS57DisplayCatSTANDARD", [this] { SetDisplayCategory(1); });
    On("ActionS57DisplayCatOTHER", [this] { SetDisplayCategory(2); });
    On("ActionS57LandFeatures", [this] { ToggleLandFeatures(); });
    On("ActionS57NoticeMarks", [this] { ToggleNoticeMarks(); });
    On("ActionS57Settings", [this] { ShowS57Settings(); });
}

void TFormMarivo6Main::SetColorScheme(int scheme) {
    FNavEnv->S52Library->SetColorScheme(scheme);
    ApplyS57Settings();
}

void TFormMarivo6Main::SetDisplayCategory(int category) {
    TNavViewerControl *viewer = MainViewerControl();
    if (!viewer) return;
    if (category < 0) {
        viewer->SetS57BoundsOnly(true);
        UpdateActionStates();
        return;
    }
    viewer->SetS57BoundsOnly(false);
    FNavEnv->S52Library->SetDisplayCategory(category, viewer->GetViewerIndex());
    ApplyS57Settings();
}

void TFormMarivo6Main::ToggleLandFeatures() {
    IS52PresentationLib *lib = FNavEnv->S52Library;
    // Each viewer keeps its own flags: viewers that differed still differ.
    for (int32_t index = 0; index <= 2; ++index)
        lib->SetDisplayFlags(lib->GetDisplayFlags(index) ^ 0x800, index);
    ApplyS57Settings();
}

void TFormMarivo6Main::ToggleNoticeMarks() {
    IS52PresentationLib *lib = FNavEnv->S52Library;
    lib->SetDisplayFlags(lib->GetDisplayFlags(0) ^ 0x400, 0);
    ApplyS57Settings();
}
