// Reading a GPS exchange file into the program: its routes and tracks become track files in
// a folder, its waypoints and routes objects of a waypoint database, as the options say
// (GPXOption, KvGPXParser.h). GUI thread.
#pragma once

#include "exchange/KvGPXParallel.h"

#include <KvLibNav6/KvTypes.h>

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

class IWptDatabase;
class IWptManager;

// Empties database, then reads file: trackFiles gets the full names of the track files
// written into targetFolder, invalidCount the routes and tracks dropped (fewer than two
// points, file not written). creationTime is the departure of routes read as routes.
// A file that cannot be read (not XML, cut off, a bad coordinate, wrong bytes) raises
// Exception with the reason and its line; the track files written are removed and the
// database emptied first, so nothing half-read is left. A root other than "gpx" reads
// nothing. progress (may be empty) gets the bytes read and the file's size. Large files are
// read on several cores as parallel says, with the same result.
void ReadGPXFile(const QString &file, IWptManager *manager, IWptDatabase *database, TDateTime creationTime,
                 const QString &targetFolder, QStringList &trackFiles, int32_t &invalidCount, uint8_t options,
                 const std::function<void(int64_t done, int64_t total)> &progress = {},
                 const TGPXParallelOptions &parallel = {});
