// The route point settings dialog: a route point's name, arrival radius (in the small
// distance unit) and stay. Changes are written to the point when the dialog closes with
// OK; a change the core library refuses is reported and the dialog stays open. The caller
// refreshes the route and announces the change (notification 43) after a True result.
// GUI thread.
#pragma once

#include "base/forms/KvForms.h"
#include "routes/RouteStayControls.h"

#include <KvLibNav6/KvWaypoints.h>

#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TMarivoNavEnv;
class TNumberEdit;

class TFormRoutePointSettings : public TFormScaled {
    Q_OBJECT
public:
    // point belongs to its route; env gives the distance unit (nullptr: metres).
    TFormRoutePointSettings(TMarivoNavEnv *env, IWptRoutePoint *point, QWidget *owner = nullptr);

    // Builds, shows and frees the dialog; True exactly when it closed with OK.
    static bool Execute(TMarivoNavEnv *env, IWptRoutePoint *point);
    // Minutes, local − UTC, that the departure time of day is shown in.
    static int32_t StayUTCOffset(IWptRoutePoint *point) { return ::StayUTCOffset(point); }

    // Runs the dialog instead of exec (tests); returns the dialog result. Returns the
    // previous prompter.
    using TPrompter = std::function<int(TFormRoutePointSettings &form)>;
    static TPrompter SetPrompter(TPrompter prompter);

    // Shows the panels of kind (RouteStayKind); fill also puts the record's values in.
    void ShowStay(int32_t kind, bool fill);

    QLabel *LabelName, *LabelRadius, *LabelRadiusUnit, *LabelVisit;
    QLineEdit *EditRoutePointName;
    TNumberEdit *EditRadius;
    QComboBox *ComboBoxVisit;
    TRouteStayControls Stay;
    QPushButton *ButtonOk, *ButtonCancel, *ButtonHelp;

protected:
    void done(int result) override;

private:
    void UpdateTexts();
    bool WriteChanges();

    TMarivoNavEnv *FEnv;
    IWptRoutePoint *FPoint;
    int32_t FSmallUnit;
    QString FShownName;
    int64_t FShownRadius = 0;
};
