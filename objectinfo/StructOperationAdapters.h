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
