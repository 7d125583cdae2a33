#include "shell/MarivoDialogs.h"

#include "exchange/FrmSettingsGPS.h"
#include "shell/FrmSettingsLocale.h"
#include "shell/FrmSettingsSailingArea.h"
#include "shell/FrmSettingsViewS57.h"
#include "shell/FrmTrackSettings.h"
#include "routes/FrmRoutePointSelect.h"

TMainDialogs ProgramDialogs() {
    // Each dialog fills its slot here once it exists; the commands that need an empty slot
    // stay disabled.
    TMainDialogs d;
    d.SettingsLocale = [](QWidget *owner, TMarivoNavEnv &env) { return TFormSettingsLocale::Execute(env, owner); };
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
    d.SettingsGPS = [](const TGPSSettingsCall &call) {
        return TFormSettingsGPS::Execute(call.Communication, call.DeviceManager, call.GPS, call.FromErrorBox,
                                         call.SetPortListRefresh);
    };
    d.TrackSettings = [](QWidget *owner, TMarivoNavEnv &env) { return TFormTrackSettings::Execute(env, owner); };
    d.RoutePointSelect = [](QWidget *, TMarivoNavEnv &env, IWWNetwork *network, TRoutePointSelection &selection,
                            int32_t &waterBodies) {
        return TFormRoutePointSelect::SelectLocation(&env, network, selection, waterBodies);
    };
    return d;
}
