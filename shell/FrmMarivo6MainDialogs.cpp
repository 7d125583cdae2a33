// The dialog routines the main window's commands share with other callers (the GPS error
// box, the start-up, the news centre), the S-57 settings and the chart-set change event.
#include "shell/FrmMarivo6Main.h"

#include "base/dialogs/KvMsgBox.h"
#include "base/kvlib/KvErrors.h"
#include "base/registry/KvRegistry.h"
#include "base/settings/KvRegBoat.h"
#include "base/settings/KvRegCharts.h"
#include "base/settings/KvRegRoutes.h"
#include "chartview/FraViewer.h"
#include "chartview/NavViewerControl.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvLogbook.h>
#include <KvLibNav6/KvUnits.h>

namespace {

const TLanguageStrings SSailingAreaUnavailable = {
    "The Inland ENC service is not available.", "De Inland ENC-dienst is niet beschikbaar.",
    "Der Inland-ENC-Dienst ist nicht verf\u00FCgbar.", "Le service Inland ENC n'est pas disponible.",
    "", "Il servizio Inland ENC non \u00E8 disponibile.", "Inland ENC-tjenesten er ikke tilg\u00E6ngelig.",
    "Inland ENC-tj\u00E4nsten \u00E4r inte tillg\u00E4nglig."};

// Sets a flag for the lifetime of a scope, also when it is left by an exception.
class TFlagScope {
public:
    explicit TFlagScope(bool &flag) : FFlag(flag) { FFlag = true; }
    ~TFlagScope() { FFlag = false; }
    TFlagScope(const TFlagScope &) = delete;
    TFlagScope &operator=(const TFlagScope &) = delete;

private:
    bool &FFlag;
};

TPlannerSettings ReadPlannerSettings(IWptPlanner *p) {
    TPlannerSettings s;
    s.DelayBridges = p->GetBridgeWaitTime();
    s.DelayLocks = p->GetLockWaitTime();
    s.NAPWaterLevel = p->GetNAPWaterLevel();
    s.ImposeSpeedLimit = p->GetImposeSpeedLimit();
    s.ValueA3 = p->GetPlannerValueA3();
    s.ValueA4 = p->GetPlannerValueA4();
    s.ValueA5 = p->GetPlannerValueA5();
    s.ValueA7 = p->GetPlannerValueA7();
    s.ValueA8 = p->GetPlannerValueA8();
    s.ValueA9 = p->GetPlannerValueA9();
    s.ValueA10 = p->GetPlannerValueA10();
    s.ValueA11 = p->GetPlannerValueA11();
    s.FlagA13 = p->GetPlannerFlagA13();
    s.FlagA14 = p->GetPlannerFlagA14();
    return s;
}

}  // namespace

void TFormMarivo6Main::ShowGPSSettings(bool fromErrorBox) {
    INavBoat *boat = FNavEnv->Boat;
    const bool dialogFlag = boat->GetDialogFlag();
    boat->SetDialogFlag(false);
    TGPSSettingsCall call;
    call.Owner = this;
    call.Env = FNavEnv.get();
    call.Communication = Action("ActionInstrumentsCommunication");
    call.GPS = boat->GetGPS();
    call.DeviceManager = FNavEnv->DeviceManager;
    call.FromErrorBox = fromErrorBox;
    call.SetPortListRefresh = [this](std::function<void()> refresh) {
        SetGPSSettingsDialog(std::move(refresh));
    };
    {
        // The dialog's reference goes with it, also when it fails.
        struct TClear {
            TFormMarivo6Main *Main;
            ~TClear() {
                Main->FGPSSettingsOpen = false;
                Main->SetGPSSettingsDialog({});
            }
        } clear{this};
        FGPSSettingsOpen = true;
        try {
            FDialogs.SettingsGPS(call);
        } catch (...) {
            boat->SetDialogFlag(dialogFlag);
            throw;
        }
    }
    boat->SetDialogFlag(dialogFlag);
    if (FNavCurrent) FNavCurrent->UpdateAll();
    if (FNMEAMonitor) FNMEAMonitor->UpdatePortLists();
    UpdateActionStates();
}

void TFormMarivo6Main::ShowLocaleSettings() {
    if (!FDialogs.SettingsLocale(this, *FNavEnv)) return;
    if (FNavCurrent) FNavCurrent->UpdateAll();
    // Every frame that shows a distance, speed, depth or position shows it again now, not
    // at its next change.
    for (IMarivoFrame *frame :
         {static_cast<IMarivoFrame *>(FNavInfo.get()), static_cast<IMarivoFrame *>(FNavRoute.get()),
          static_cast<IMarivoFrame *>(FRoutes.get()), static_cast<IMarivoFrame *>(FTrackReplay.get()),
          static_cast<IMarivoFrame *>(FViewer.get())})
        if (frame) frame->ApplyUnitSettings();
    if (FRouteSettings) FRouteSettings->Reload();
    InvalidateViewers();
    LoadLanguage();
    UpdateActionStates();
    if (INavLogbook *logbook = FNavEnv->Boat->GetLogbook())
        if (INavMsgGPSClock *clock = NavMsgGetGPSClock()) logbook->SetUTCOffset(clock->GetUTCOffset());
}

void TFormMarivo6Main::ShowShipSettings() {
    ILPBoatDef *boat = FNavEnv->GetBoatDef(0);
    if (!FDialogs.SettingsShip(this, *FNavEnv, boat, 0, 1)) return;
    RegWriteBoat(boat, 0);
    UpdateCaption();
    FNavEnv->Post(NavNotify::ShipSettingsChanged);
    if (FZichtOpScheepvaart) FZichtOpScheepvaart->UpdateControls();
    if (FNavCurrent) FNavCurrent->UpdateAll();
    InvalidateViewers();
}

void TFormMarivo6Main::ShowPlannerSettings() {
    TPlannerSettings settings = ReadPlannerSettings(FNavEnv->Planner);
    if (!FDialogs.SettingsPlanner(this, *FNavEnv, settings)) return;
    RegWritePlannerSettings(settings);
    FNavEnv->SetPlannerSettings(settings);
    FNavEnv->Post(NavNotify::PlannerValuesChanged);
}

void TFormMarivo6Main::ShowSailingAreaSettings() {
    if (FNavEnv->IsExtensionEnabled(QStringLiteral("KVIENC_SERVICE_GEN"))) {
        uint16_t areas = FNavEnv->SailingAreas;
        if (FDialogs.SettingsSailingArea(this, *FNavEnv, areas)) {
            FNavEnv->SetSailingAreas(areas);
            FNavEnv->UpdateViewerChartSets();
        }
    } else {
        // The stored areas stay for the day the service is back.
        MsgBox(LanguageText(SSailingAreaUnavailable), mtInformation, MsgButtons({mbOK}));
    }
    UpdateActionStates();
}

void TFormMarivo6Main::ShowViewSettings() {
    FDialogs.SettingsView(this, *FNavEnv, FViewer ? FViewer->Frame() : nullptr);
    UpdateActionStates();
    InvalidateViewers();
}

void TFormMarivo6Main::ShowStartupWizard() {
    bool signUp = false;
    {
        const TFlagScope running(FWizardRunning);
        FDialogs.StartupWizard(this, *FNavEnv, signUp);
    }
    FNavEnv->ChartAutoUpdateThreshold = RegReadIntegerDef(
        GetAppReg(), AppRegRoot::Product, QStringLiteral("Updates"),
        RegName(u"ChartAutoUpdateThreshold"), 500);
    if (signUp && FZichtOpScheepvaart) FZichtOpScheepvaart->ActivateFromSettings();
}

void TFormMarivo6Main::ApplyS57Settings() {
    IS52PresentationLib *lib = FNavEnv->S52Library;
    lib->Commit();
    TNavViewerControl *viewer = MainViewerControl();
    RegWriteS57Settings(lib, viewer ? viewer->GetWidthMonitorAuto() : true,
                        viewer ? viewer->GetWidthMonitorMM() : 0);
    if (viewer) viewer->UpdateView();
    UpdateActionStates();
}

void TFormMarivo6Main::ShowS57Settings() {
    TNavViewerControl *viewer = MainViewerControl();
    if (!viewer) return;
    bool boundsOnly = viewer->GetS57BoundsOnly();
    bool widthAuto = viewer->GetWidthMonitorAuto();
    int32_t widthMM = viewer->GetWidthMonitorMM();
    if (!FDialogs.SettingsS57(this, *FNavEnv, boundsOnly, widthAuto, widthMM)) return;
    RegWriteS57Settings(FNavEnv->S52Library, widthAuto, widthMM);
    viewer->SetS57BoundsOnly(boundsOnly);
    viewer->SetWidthMonitorAuto(widthAuto);
    viewer->SetWidthMonitorMM(widthMM);
    UpdateActionStates();
    viewer->UpdateView();
    InvalidateViewers();
}

void TFormMarivo6Main::ShowChartManager() {
    if (FViewer && FViewer->Frame()) FViewer->Frame()->ShowChartManager(0);
}

void TFormMarivo6Main::OnChartSetsChanged(int32_t viewerIndex, intptr_t reloadData) {
    Q_UNUSED(reloadData);
    Q_UNUSED(viewerIndex);
    if (!FNavEnv) return;
    // Every viewer gets the sets that are not hidden, the main viewer among them.
    FNavEnv->UpdateViewerChartSets();
    if (FChartInfo) FChartInfo->UpdateChart();
    if (FChartLegend) FChartLegend->UpdateLegend();
}
