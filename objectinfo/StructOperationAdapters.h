// The program's calls into the bridge and lock operation-request manager: text in as
// QString for the one call. The manager and the objects handed to it stay their owners'
// (the environment's). GUI thread.
#pragma once

#include <KvLibNav6/KvStructOperation.h>

#include <QString>

class IWptPlanner;
class IWWNetwork;

// Attaches the own ship once, when the environment is created; waterLevel in metres.
void NavStructOpAttach(INavStructOperationManager *manager, INavBoat *boat,
                       const QString &shipName, float waterLevel, IWWNetwork *network);
void NavStructOpSetShipName(INavStructOperationManager *manager, const QString &shipName);
// Telephone number sent with every request (the "Boat" "StructOperPhone" setting).
void NavStructOpSetPhone(INavStructOperationManager *manager, const QString &phone);
// Log entries of one kind: "request", "update", "cancel" or "passed".
int NavStructOpCountEvents(INavStructOperationManager *manager, const QString &kind);
// Statistics of one participating structure; identifier empty when the manager has none.
void NavStructOpGetStructStats(INavStructOperationManager *manager, int index, QString &identifier,
                               int &active, int &passed, int &cancellations, int &updates,
                               int &requests);
// The service's reply text of a log entry (shown when its status is not 200).
void NavStructOpEventGetStatusText(INavStructOperationEvent *entry, QString &text);
// Name of the bridge or lock of a log entry.
void NavStructOpEventGetObjectName(INavStructOperationEvent *entry, QString &text);
