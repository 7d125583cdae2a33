// The objects a text import makes from its checked items, in a scratch "Import database" of
// the import's waypoint manager: one route per source file (with at least two points), or
// waypoints with their groups and types. ImportMergeObjects then copies them into the user
// database. GUI thread only.
#pragma once

#include "base/txtformat/KvTxtFormat.h"
#include "exchange/ImportMergeObjects.h"

#include <KvLibNav6/KvTypes.h>
#include <KvLibNav6/KvWaypoints.h>

#include <vector>

// importType: 5 routes, anything else waypoints. The previous scratch database (may be nil)
// is closed through its manager and a new one made into importDatabase. The lists (all four
// set) are emptied and filled: routes, or waypoints with the new groups and new types. A
// library failure raises an Exception with its text.
void BuildTextImportObjects(const std::vector<TPointData> &items, int32_t importType, IWptManager *importManager,
                            IWptDatabase *&importDatabase, IWptDatabase *user, TDateTime departureUtc,
                            const TImportObjectLists &lists);
