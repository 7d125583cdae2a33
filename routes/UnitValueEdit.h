// A number edit that shows a stored value in the user's unit. The shown value is rounded to
// the edit's decimals, so a value the user did not touch comes back exactly as stored rather
// than as its rounded conversion. GUI thread.
#pragma once

#include <cstdint>

class TNumberEdit;

class TUnitValueEdit {
public:
    explicit TUnitValueEdit(TNumberEdit *edit = nullptr) : Edit(edit) {}

    void SetUnits(int32_t storedUnit, int32_t shownUnit);
    // Limits given in the stored unit, converted to the shown one, so a change of unit
    // never clips a stored value differently.
    void SetLimits(double minStored, double maxStored);
    void Show(double stored);
    // The stored value again when the edit still shows what Show put in, else the edit's
    // value converted to the stored unit.
    double Value() const;
    bool Changed() const;

    TNumberEdit *Edit;

private:
    double FStored = 0.0;
    int32_t FStoredUnit = 0, FShownUnit = 0;
    long double FShown = 0.0L;
};
