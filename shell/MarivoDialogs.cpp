#include "shell/MarivoDialogs.h"

#include "exchange/FrmImport.h"
#include "exchange/FrmSettingsGPS.h"
#include "exchange/FrmGPSDownload.h"
#include "routes/FrmSettingsPlanner.h"
#include "routes/FrmSettingsShip.h"
#include "shell/FrmSettingsLocale.h"
#include "shell/FrmSettingsSailingArea.h"
#include "shell/FrmSettingsView.h"
#include "shell/FrmSettingsViewChartViewer.h"
#include "shell/FrmSettingsViewS57.h"
#include "shell/MarivoNavEnv.h"
#include "shell/MarivoPrinter.h"
#include "shell/FrmAbout.h"
#include "shell/FrmHelp.h"
#include "shell/FrmHelpKeyboard.h"
#include "shell/FrmPrint.h"
#include "shell/FrmToolbarEdit.h"

#include <QFile>
#include "shell/FrmTrackSettings.h"
#include "routes/FrmRouteManager.h"
#include "routes/FrmRoutePointSelect.h"
#include "routes/FrmRouteSettingsDefault.h"
#include "routes/FrmTrackManager.h"
#include "routes/FrmWaypointEdit.h"
#include "routes/FrmWaypointTypeEdit.h"
#include "online/FrmCheckUpdates.h"
#include "online/FrmExtensionManager.h"
#include "online/FrmNewsCenter.h"
#include "online/FrmWizardStartup.h"

TMainDialogs ProgramDialogs() {
    // Each dialog fills its slot here once it exists; the commands that need an empty slot
    // stay disabled.
    TMainDialogs d;
    d.SettingsLocale = [](QWidget *owner, TMarivoNavEnv &env) { return TFormSettingsLocale::Execute(env, owner); };
    d.CheckUpdates = [](QWidget *owner, QString &fileName, int32_t mode, bool chartManager) {
        return TFormCheckUpdates::Execute(fileName, mode != 0, chartManager, owner);
    };
    // The main window keeps the news centre; the command starts its check, which does not
    // wait for the chart step.
    d.NewsCenter = [](QWidget *, TMarivoNavEnv &) {
        TFormNewsCenter *news = TFormNewsCenter::Current();
        if (news && !news->IsChecking()) news->StartCheck(true, false);
    };
    d.SettingsSailingArea = [](QWidget *owner, TMarivoNavEnv &env, uint16_t &areas) {
        return TFormSettingsSailingArea::Execute(env, areas, owner);
    };
    d.SettingsS57 = [](QWidget *owner, TMarivoNavEnv &env, bool &boundsOnly, bool &widthAuto, int32_t &widthMM) {
        TS57ViewerValues values{boundsOnly, widthAuto, widthMM};
        if (!TFormSettingsViewS57::Execute(env, values, owner)) return false;
        boundsOnly = values.BoundsOnly;
        widthAuto = values.MonitorWidthAuto;
        widthMM = values.MonitorWidthMM;
        return true;
    };
    d.GPSDownload = [](QWidget *owner, TMarivoNavEnv &env) { TFormGPSDownload::Execute(env, owner); };
    d.SettingsGPS = [](const TGPSSettingsCall &call) {
        return TFormSettingsGPS::Execute(call.Communication, call.DeviceManager, call.GPS, call.FromErrorBox,
                                         call.SetPortListRefresh);
    };
    d.PrintJob = [](QWidget *, TNavViewerControl *viewer, const TPrintSettings &settings) {
        return PrintViewOnProgramPrinter(viewer, settings);
    };
    d.SettingsPlanner = [](QWidget *owner, TMarivoNavEnv &env, TPlannerSettings &settings) {
        return TFormSettingsPlanner::Execute(env.Planner, settings, env.UnitVolume, env.UnitDepth, env.Currency,
                                             false, owner);
    };
    d.SettingsShip = [](QWidget *owner, TMarivoNavEnv &env, ILPBoatDef *boat, int32_t index, int32_t) {
        return TFormSettingsShip::Execute(boat, index, env.MultiBoatEnabled(), env.UnitSpeed, env.UnitDepth,
                                          env.UnitFuelFlow, env.UnitDistanceSmall, false, owner);
    };
    d.ToolbarEdit = [](QWidget *owner, TToolbarContents &contents) {
        return TFormToolbarEdit::Execute(contents, owner);
    };
    d.HelpContext = [](QWidget *, int32_t context) { return GetHelpManager().ShowHelpContext(context); };
    d.HelpKeyboard = [](QWidget *owner, const QString &file) {
        QFile page(file);
        if (page.open(QIODevice::ReadOnly)) TFormHelpKeyboard::Execute(QString::fromUtf8(page.readAll()), owner);
    };
    d.Print = [](QWidget *owner, TPrintSettings &settings) {
        uint8_t orientation = uint8_t(settings.Orientation), what = uint8_t(settings.What);
        const bool ok = TFormPrint::Execute(orientation, what, owner);
        settings.Orientation = orientation;
        settings.What = what;
        return ok;
    };
    // The box has no owner: it stands on its own over whatever window is active.
    d.About = [](QWidget *, const QString &title) { TFormAbout::Execute(title); };
    d.SettingsView = [](QWidget *owner, TMarivoNavEnv &env, TFrameViewer *viewer) {
        TFormSettingsView::Execute(env, viewer, nullptr, nullptr, owner);
    };
    d.SettingsViewChartViewer = [](QWidget *owner, TMarivoNavEnv &env, TFrameViewer *viewer) {
        return viewer && TFormSettingsViewChartViewer::Execute(env, *viewer, nullptr, nullptr, owner);
    };
    d.RouteManager = [](QWidget *owner, TMarivoNavEnv &env, IWptRoute *&route) {
        TRouteManagerResult result;
        const int action = TFormRouteManager::Execute(env, result, owner);
        route = action ? result.Route : nullptr;
        return action;
    };
    d.WaypointEdit = [](QWidget *owner, TMarivoNavEnv &env, IWptWaypointList *list) {
        return TFormWaypointEdit::Execute(list, env, owner);
    };
    d.WaypointTypeEdit = [](QWidget *owner, IWptDatabase *database, IWptObjectList *types, int32_t mode) {
        auto *typeList = dynamic_cast<IWptWaypointTypeList *>(types);
        return typeList && TFormWaypointTypeEdit::Execute(database, typeList, uint8_t(mode), owner);
    };
    d.TrackManager = [](QWidget *owner, TMarivoNavEnv &env) { return TFormTrackManager::Execute(env, owner); };
    d.RouteSettingsDefault = [](QWidget *owner, TMarivoNavEnv &env) {
        // The dialog stores what it changed itself; the caller compares the defaults.
        TFormRouteSettingsDefault::Execute(env, false, owner);
        return true;
    };
    d.TrackSettings = [](QWidget *owner, TMarivoNavEnv &env) { return TFormTrackSettings::Execute(env, owner); };
    d.RoutePointSelect = [](QWidget *, TMarivoNavEnv &env, IWWNetwork *network, TRoutePointSelection &selection,
                            int32_t &waterBodies) {
        return TFormRoutePointSelect::SelectLocation(&env, network, selection, waterBodies);
    };
    d.Import = [](QWidget *owner, TMarivoNavEnv &env) { TFormImport::Execute(env, owner); };
    d.StartupWizard = [](QWidget *owner, TMarivoNavEnv &env, bool &signUpChosen) {
        TFormWizardStartup::Execute(env, signUpChosen, owner);
    };
    d.ExtensionManager = [](QWidget *owner, TMarivoNavEnv &env) { TFormExtensionManager::Execute(env, owner); };
    return d;
}
