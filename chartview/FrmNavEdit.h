// The small modal dialog that edits an angle, a speed and/or a distance in the user's
// units (the navigation panel's distance-over-ground correction). The values cross it in
// the core library's base units: radians, metres, metres per second. The distance stays a
// double end to end, so a total of thousands of kilometres comes back to the metre. GUI
// thread only; tests answer the dialog through SetPrompter.
#pragma once

#include "base/forms/KvForms.h"

#include <QLabel>
#include <cstdint>
#include <functional>

class TNumberEdit;

class TFormNavEdit : public TFormScaled {
    Q_OBJECT
public:
    // Flags: which rows the dialog shows.
    static constexpr uint8_t FlagAngle = 1;
    static constexpr uint8_t FlagSpeed = 2;
    static constexpr uint8_t FlagDistance = 4;

    TFormNavEdit(const QString &caption, uint8_t flags, int32_t distanceUnit, int32_t speedUnit,
                 float angleRad, double distanceM, float speedMS);

    // On OK the three values come back (hidden rows unchanged); True only on OK.
    static bool Execute(const QString &caption, float &angleRad, uint8_t flags, int32_t distanceUnit,
                        int32_t speedUnit, double &distanceM, float &speedMS);

    // Replaces how the dialog is shown (nullptr: exec); returns the previous one.
    using TPrompter = std::function<int(TFormNavEdit &form)>;
    static TPrompter SetPrompter(TPrompter prompter);

    // Reads the edits back into the values (what leaving an edit does).
    void EditExit();
    float Angle() const { return FAngle; }
    double Distance() const { return FDistance; }
    float Speed() const { return FSpeed; }

    QWidget *PanelSpeed, *PanelAngle, *PanelDistance, *PanelButtons;
    TNumberEdit *EditSpeed, *EditAngle, *EditDistance;
    QLabel *LabelSpeedUnit, *LabelDistanceUnit;

protected:
    void done(int result) override;

private:
    QWidget *MakeRow(const QString &caption, TNumberEdit *&edit, QLabel *&unit);

    uint8_t FFlags;
    int32_t FDistanceUnit, FSpeedUnit;
    float FAngle;
    double FDistance;
    float FSpeed;
};
