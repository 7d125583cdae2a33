// The identifier in a waypoint database's header. Databases that come with a chart product
// carry "<product code>_<name>" there; the program only reads it (WptDatabaseReadHeader),
// the tools that make such databases write it before the database is saved.
#pragma once

#include "kernel/TestApi.h"

#include "KvLibNav6/KvWaypoints.h"

// Nothing for a database of another make than this library's.
KVLIB_TEST_API void WptDatabaseSetIdentifier(IWptDatabase *database, const TStrWRec &identifier);
