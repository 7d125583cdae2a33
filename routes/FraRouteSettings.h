// The route planning settings panel: name, group, start date and time, the water bodies the
// planner may use and the speed while motoring of the route being edited. Every change goes
// into the core library's route at once and is announced on the dispatcher (32 after a
// rename, 33 after any other change but the group) so that the environment re-plans the
// route; a change the library refuses shows an "Error" box and announces nothing. Two links
// open the ship profile and the default route settings. The panel keeps nothing of its own.
// GUI thread.
#pragma once

#include "base/forms/KvFrameScaled.h"
#include "base/texts/KvLanguage.h"

#include <KvLibNav6/KvTypes.h>

#include <QSpinBox>

class IWptRoute;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QToolButton;
class TMarivoNavEnv;
struct TNavNotification;

// A date or time field with wrapping arrows that tells arrow steps apart from typing.
class TStartTimeSpin : public QSpinBox {
    Q_OBJECT
public:
    TStartTimeSpin(int min, int max, QWidget *parent);
    void stepBy(int steps) override;

signals:
    // An arrow (button or key) moved the value.
    void Stepped();
    // Typed: a key was released, Enter was pressed or the field was left.
    void Typed();
    // A key put text into the field.
    void Edited();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
};

class TFrameRouteSettings : public TFrameScaled {
    Q_OBJECT
public:
    // panel: the dock panel the frame fills (may be nullptr).
    TFrameRouteSettings(QWidget *panel, TMarivoNavEnv &env);
    ~TFrameRouteSettings() override;

    // The route entering route editing, nullptr when editing ends. A group name typed for
    // the previous route and not yet written goes to it first while it still exists.
    void SetRoute(IWptRoute *route);
    IWptRoute *Route() const { return FRoute; }
    // After a change of locale, units or language.
    void Reload();
    void UpdateTexts();
    void ShowGeneralPage();
    // Fills every control from the route.
    void ShowRoute();

    enum { PageGeneral, PagePlanner };

    QTabWidget *PageControl;
    QLabel *LabelRouteName, *LabelRouteGroup, *LabelStartDate;
    QLineEdit *EditRouteName;
    QComboBox *ComboRouteGroup;
    TStartTimeSpin *EditStartDateDay, *EditStartDateMonth, *EditStartDateYear, *EditStartTimeHour,
        *EditStartTimeMinute;
    QToolButton *PngImageButtonPrevDay, *PngImageButtonNextDay, *PngImageButtonPrevHour, *PngImageButtonNextHour;
    QPushButton *ButtonNow;
    QLabel *LabelShowPropertiesShip, *LabelShowPropertiesShipP, *LabelShowDefaultRouteSettings,
        *LabelShowDefaultRouteSettingsP;
    QListWidget *CheckListBoxWaterBodies;
    QRadioButton *RadioButtonSpeedHigh, *RadioButtonSpeedCruising, *RadioButtonSpeedLow;

private:
    QWidget *BuildGeneralPage();
    QWidget *BuildPlannerPage();
    QLabel *Link(QWidget *parent, bool ship, bool plannerPage);
    static void Notify(void *data, TNavNotification *n);
    void HandleNotification(const TNavNotification &n);
    void UpdateEnabled();
    void UpdateLayout();
    void FillRouteGroups();
    void ShowStartTime();
    void SetDayMaximum(int year, int month);
    int ShownYear() const;
    // The fields as a local date and time; false when they form none.
    bool FieldsLocal(TDateTime &local) const;
    void ApplyStartTime();
    void MonthTyped();
    void ArrowStepped(TStartTimeSpin *spin);
    void ShiftStartTime(double days);
    void Now();
    void NameEdited(const QString &text);
    QString ChosenGroup() const;
    void GroupChosen(int index);
    void GroupLeft();
    void WaterBodyClicked();
    void SpeedClicked(int32_t mode);
    void ShipLinkClicked();
    void DefaultsLinkClicked(bool plannerPage);
    void Error(const TLanguageStrings &message);
    void Post(int32_t code);

    TMarivoNavEnv &FEnv;
    IWptRoute *FRoute = nullptr;
    TGUID FRouteGUID{};
    QWidget *FPanel;
    // The route's own year: the year field shows it held to its range, and only a year the
    // user changed is written.
    int FRouteYear = 0;
    bool FYearChanged = false;
};
