#include "objectinfo/StructOperationAdapters.h"

#include "base/kvlib/KvStrings.h"

void NavStructOpAttach(INavStructOperationManager *manager, INavBoat *boat,
                       const QString &shipName, float waterLevel, IWWNetwork *network) {
    manager->Attach(boat, StrW(shipName), waterLevel, network);
}

void NavStructOpSetShipName(INavStructOperationManager *manager, const QString &shipName) {
    manager->SetShipName(StrW(shipName));
}

void NavStructOpSetPhone(INavStructOperationManager *manager, const QString &phone) {
    manager->SetPhone(StrW(phone));
}

int NavStructOpCountEvents(INavStructOperationManager *manager, const QString &kind) {
    return manager->CountEvents(StrW(kind));
}

void NavStructOpGetStructStats(INavStructOperationManager *manager, int index, QString &identifier,
                               int &active, int &passed, int &cancellations, int &updates,
                               int &requests) {
    identifier.clear();
    IStrW *id = StrWCreateEmpty();
    int32_t a = 0, p = 0, c = 0, u = 0, r = 0;
    manager->GetStructStats(index, id, a, p, c, u, r);
    identifier = StrWToWide(id);
    StrWDeleteIfAssigned(id);
    active = a;
    passed = p;
    cancellations = c;
    updates = u;
    requests = r;
}

void NavStructOpEventGetStatusText(INavStructOperationEvent *entry, QString &text) {
    text = StrWToWide(entry->GetStatusText());
}

void NavStructOpEventGetObjectName(INavStructOperationEvent *entry, QString &text) {
    text = StrWToWide(entry->GetObjectName());
}
