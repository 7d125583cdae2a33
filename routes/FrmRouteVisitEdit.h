// The stay dialog of the route table's "Visit" cell: no stay, stay a number of hours and
// minutes, or leave at a local time of day after a number of days. It edits a copy of the
// point's stay record; the caller writes the record back (IWptRoutePoint::SetStay). GUI
// thread.
#pragma once

#include "base/forms/KvForms.h"
#include "routes/RouteStayControls.h"

#include <KvLibNav6/KvWaypoints.h>

#include <functional>

class QPushButton;
class QRadioButton;

class TFormRouteVisitEdit : public TFormScaled {
    Q_OBJECT
public:
    // point is only read, for the UTC offset of the departure time.
    TFormRouteVisitEdit(IWptRoutePoint *point, const TRouteStayRec &stay, QWidget *owner = nullptr);

    // Writes the dialog's choice into stay; fields of other kinds keep their bytes.
    void WriteStay(TRouteStayRec &stay) const;
    void UpdateEnabled();

    // Runs the dialog instead of exec (tests); returns the dialog result. Returns the
    // previous prompter.
    using TPrompter = std::function<int(TFormRouteVisitEdit &form)>;
    static TPrompter SetPrompter(TPrompter prompter);
    static int Prompt(TFormRouteVisitEdit &form);

    QRadioButton *RadioButtonVisitNone, *RadioButtonVisitTime, *RadioButtonVisitDepart;
    TRouteStayControls Stay;
    QPushButton *ButtonOk, *ButtonCancel;

private:
    int32_t FOffset;
};

// True when the dialog closed with OK; stay then holds the choice. On Cancel stay is not
// touched. The caller stores the record in the point.
bool ExecuteRouteVisitEdit(IWptRoutePoint *point, TRouteStayRec &stay);
