#include "routes/UnitValueEdit.h"

#include "base/controls/KvEdits.h"

#include <KvLibNav6/KvUnits.h>

void TUnitValueEdit::SetLimits(double minStored, double maxStored) {
    Edit->SetMin(UnitConvert(minStored, FStoredUnit, FShownUnit));
    Edit->SetMax(UnitConvert(maxStored, FStoredUnit, FShownUnit));
}

void TUnitValueEdit::SetUnits(int32_t storedUnit, int32_t shownUnit) {
    FStoredUnit = storedUnit;
    FShownUnit = shownUnit;
}

void TUnitValueEdit::Show(double stored) {
    FStored = stored;
    Edit->SetValue(UnitConvert(stored, FStoredUnit, FShownUnit));
    Edit->DoExit();  // the value as the text shows it, so reading it back is no change
    FShown = Edit->Value();
}

bool TUnitValueEdit::Changed() const {
    Edit->DoExit();  // a number typed just before OK counts
    return Edit->Value() != FShown;
}

double TUnitValueEdit::Value() const {
    if (!Changed()) return FStored;
    return UnitConvert(double(Edit->Value()), FShownUnit, FStoredUnit);
}
