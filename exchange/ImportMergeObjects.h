// Copying the objects an import made in its scratch database into the user database: every
// name already used there is put to the user as a duplicate question, and a report line per
// kind of object added is written. The import wizard's finish step runs it for text, GPX and
// data-file imports. GUI thread only.
#pragma once

#include <KvLibNav6/KvWaypoints.h>

#include <QString>

class TMarivoNavEnv;

// The objects to copy; every list may be nil. Not owned.
struct TImportObjectLists {
    IWptWaypointTypeList *Types = nullptr;
    IWptWaypointList *Waypoints = nullptr;
    IWptWaypointGroupList *Groups = nullptr;
    IWptPolygonList *Polygons = nullptr;
    IWptRouteList *Routes = nullptr;
};

struct TImportMergeContext {
    TMarivoNavEnv *Env = nullptr;  // handed to the duplicate questions
    // The wizard's import type: 1 data file, 2 GPX, 4 text waypoints, 5 text routes. It
    // decides the report lines.
    int32_t ImportType = 0;
    // Text waypoints: the existing group chosen on the properties page. A duplicate question
    // about that very group is answered "use the existing group" without asking.
    IWptWaypointGroup *ChosenGroup = nullptr;
};

// Merges the lists into database; the report lines ("\n\r 2 route(s) imported.") are
// appended to report when the merge succeeded or the user cancelled a question. Returns the
// library's error value: 0, KvErr::Cancelled when a question was cancelled, anything else for
// another failure.
int32_t ImportMergeObjects(IWptDatabase *database, const TImportObjectLists &lists,
                           const TImportMergeContext &context, QString &report);
