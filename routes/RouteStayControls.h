// The edits of a route point's stay, shared by the route point settings and the stay
// dialog: the stay panel (hours, minutes) and the departure panel (time of day, number of
// days), each edit with an up-down that wraps. Clicking an up-down puts its position into
// the edit. The controls belong to the parent widget given. GUI thread.
#pragma once

#include "routes/RouteStay.h"

class QLabel;
class QWidget;
class TNumberEdit;
class TUpDownEx;

class TRouteStayControls {
public:
    explicit TRouteStayControls(QWidget *parent);

    void UpdateTexts();
    // Each value into its edit and its up-down.
    void Show(const TStayValues &values);
    TStayValues Values() const;
    // Every up-down takes its edit's value (an edit that is left).
    void SyncUpDowns();
    void SetStayEnabled(bool enabled);
    void SetDepartEnabled(bool enabled);

    QWidget *PanelVisitTime, *PanelVisitDepart;
    TNumberEdit *EditTimeHours, *EditTimeMinutes, *EditDepartTimeHours, *EditDepartTimeMinutes,
        *EditDepartDays;
    TUpDownEx *UpDownTimeHours, *UpDownTimeMinutes, *UpDownDepartTimeHours, *UpDownDepartTimeMinutes,
        *UpDownDepartDays;
    QLabel *LabelHours, *LabelMinutes, *LabelDepartTime, *LabelDepartColon, *LabelDays;
};
