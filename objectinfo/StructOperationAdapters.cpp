#include "objectinfo/StructOperationAdapters.h"

#include "base/kvlib/KvStrings.h"

void NavStructOpAttach(INavStructOperationManager *manager, INavBoat *boat,
                       const QString &shipName, float waterLevel, IWWNetwork *network) {
    manager->Attach(boat, StrW(shipName), waterLevel, network);
}

void NavStructOpSetShipName(INavStructOperationManager *manager, const QString &shipName) {
    manager->SetShipName(StrW(shipName));
}
