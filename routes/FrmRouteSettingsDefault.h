// The default route settings: the part of the core library's route defaults (the record
// handed to every new route and route point) that the program offers. OK hands the record
// to the library, starting from the library's current record so that every field the dialog
// does not show passes through unchanged; the environment stores the record at shut-down.
// GUI thread.
#pragma once

#include "routes/UnitValueEdit.h"
#include "shell/FrmSettingsCommon.h"

#include <KvLibNav6/KvWaypoints.h>

class QLabel;
class QListWidget;
class QRadioButton;
class QTabWidget;
class TMarivoNavEnv;
class TNumberEdit;

class TFormRouteSettingsDefault : public TFormSettingsDialog {
    Q_OBJECT
public:
    TFormRouteSettingsDefault(TMarivoNavEnv &env, bool startOnPlannerPage, QWidget *parent = nullptr);

    // The program's one way to the dialog (route menu and the route settings panel); the
    // library's record changes only on OK.
    static void Execute(TMarivoNavEnv &env, bool startOnPlannerPage, QWidget *parent = nullptr);

    using TPrompter = std::function<int(TFormRouteSettingsDefault &form)>;
    static TPrompter SetPrompter(TPrompter prompter) {
        return TSettingsPrompter<TFormRouteSettingsDefault>::Set(std::move(prompter));
    }

    // The loaded record with the offered fields taken from the controls.
    TWptRouteDefaults Collect() const;

    QTabWidget *PageControl;
    QLabel *LabelGeneral, *LabelGeneralRadius, *LabelRadiusUnit;
    TNumberEdit *EditGeneralRadius;
    QLabel *LabelSectionInfoDistance, *LabelSectionInfoUnit;
    TNumberEdit *EditSectionInfoDistance;
    QLabel *LabelDepth, *LabelDepthTolerance, *LabelDepthUnit;
    TNumberEdit *EditDepthTolerance;
    QLabel *LabelWaterbodies;
    QListWidget *CheckListBoxWaterbodies;
    QLabel *LabelSpeed;
    QRadioButton *RadioButtonSpeedHigh, *RadioButtonSpeedCruising, *RadioButtonSpeedLow;

protected:
    void CloseQuery(bool ok) override;

private:
    void SetTexts();
    void Load();

    TMarivoNavEnv &FEnv;
    TWptRouteDefaults FLoaded;
    TUnitValueEdit FRadius, FInfoDistance, FDepthTolerance;
};
