// The planner settings: average waiting times at bridges and locks, the speed-limit switch
// and the water level relative to NAP, out of the planner's fourteen values. The dialog
// talks to no planner: the caller reads the values, hands them in and, after OK, stores
// and applies what comes back. Values the dialog does not show, and shown values the user
// left untouched, come back exactly as they went in. GUI thread.
#pragma once

#include "routes/UnitValueEdit.h"
#include "shell/FrmSettingsCommon.h"

#include <KvLibNav6/KvPlanner.h>

#include <QString>
#include <cstdint>

class QCheckBox;
class QLabel;
class QSlider;
class QTabWidget;
class TNumberEdit;

class TFormSettingsPlanner : public TFormSettingsDialog {
    Q_OBJECT
public:
    TFormSettingsPlanner(const TPlannerSettings &settings, int32_t volumeUnit, int32_t depthUnit,
                         const QString &currency, QWidget *parent = nullptr);

    // True on OK, with settings overwritten; Cancel and the close box leave them as they
    // were. planner is only passed through (the caller applies); fromRouteSettings has no
    // effect.
    static bool Execute(IWptPlanner *planner, TPlannerSettings &settings, int32_t volumeUnit,
                        int32_t depthUnit, const QString &currency, bool fromRouteSettings,
                        QWidget *parent = nullptr);

    using TPrompter = std::function<int(TFormSettingsPlanner &form)>;
    static TPrompter SetPrompter(TPrompter prompter) {
        return TSettingsPrompter<TFormSettingsPlanner>::Set(std::move(prompter));
    }

    void SetLanguage(int32_t volumeUnit, int32_t depthUnit, const QString &currency);
    // The values the dialog returns on OK.
    TPlannerSettings Collect() const;

    QTabWidget *PageControl;
    QLabel *LabelWaitingTime, *LabelBridges, *LabelLock;
    QSlider *TrackBarTimeBridge, *TrackBarTimeLock;
    QLabel *LabelTimeBridgeValue, *LabelTimeLockValue;
    QLabel *LabelSpeedLimits;
    QCheckBox *CheckBoxImposeSpeedLimit;
    QLabel *LabelNAP, *LabelNAPWaterLevel, *LabelNAPUnit;
    TNumberEdit *EditNAPWaterLevel;

protected:
    void CloseQuery(bool ok) override;

private:
    void ShowMinutes();

    TPlannerSettings FIn;
    TUnitValueEdit FNAP;
    int FBridgeShown = 0, FLockShown = 0;  // minutes
};
