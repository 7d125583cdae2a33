// Settings store: display units, defaults of new tracks and the visibility lists (waypoint
// databases, waypoint groups, and the polygons, routes and tracks shown on the charts).
//
// Free routines without state under the product root, keys "Locale", "Tracks",
// "WptDBs\Visible", "Groups\Visible", "Polygons\Visible", "Routes\Visible" and
// "Tracks\Visible". Readers never fail: unknown stored values give the fallbacks, list
// entries that cannot be resolved are skipped. GUI thread only.
#pragma once

#include <KvLibNav6/KvTypes.h>

#include <QString>
#include <cstdint>
#include <functional>

class INavTrack;
class INavTrackList;
class IWptManager;
class IWptPolygonList;
class IWptRouteList;
class IWptWaypointGroupList;

// Display units as the library's unit codes (KvUnit). Stored as small integers; a stored
// value outside the list reads as the fallback: kilometre / statute mile / nautical mile
// (fallback nautical mile); metre / foot / yard (metre); depth metre / foot (metre);
// km/h / knot / mph / m/s (knot); °C / °F (°C); litre / US gallon (litre).
int32_t RegReadUnitDistanceLarge();
int32_t RegReadUnitDistanceSmall();
int32_t RegReadUnitDepth();
int32_t RegReadUnitSpeed();
int32_t RegReadUnitTemperature();
int32_t RegReadUnitVolume();
// A code outside the value's list raises Exception("RegWrite<Value>: invalid unit") and
// writes nothing.
void RegWriteUnitDistanceLarge(int32_t unit);
void RegWriteUnitDistanceSmall(int32_t unit);
void RegWriteUnitDepth(int32_t unit);
void RegWriteUnitSpeed(int32_t unit);
void RegWriteUnitTemperature(int32_t unit);
void RegWriteUnitVolume(int32_t unit);

// Colour of new tracks, $AARRGGBB, always opaque (top byte $FF); $FFFF0000 when not stored.
uint32_t RegReadTrackDefaultColor();
void RegWriteTrackDefaultColor(uint32_t argb);
// True when not stored.
bool RegReadTrackUseCompress();
void RegWriteTrackUseCompress(bool compress);
// Pixels; -1.0 (the library's own width) when not stored.
float RegReadTrackWidth();
void RegWriteTrackWidth(float width);

// Visibility lists. The manager and the lists are not owned. Each writer rewrites its key as
// a whole and reports the first registry error through error (0 = all stored); deleting a
// key that does not exist yet is success.
//
// Database visibility: every database of the manager is switched on or off as stored
// (on when nothing is stored).
void RegReadWptDBsVisible(IWptManager *wm);
void RegWriteWptDBsVisible(IWptManager *wm, int32_t &error);
// Adds every group of the manager that is stored as visible (or not stored at all).
void RegReadGroupsVisible(IWptManager *wm, IWptWaypointGroupList *visible);
void RegWriteGroupsVisible(IWptManager *wm, IWptWaypointGroupList *visible, int32_t &error);
// The list is cleared and refilled with the stored objects the manager still holds, in the
// order they had when written.
void RegReadPolygonsVisible(IWptManager *wm, IWptPolygonList *visible);
void RegWritePolygonsVisible(IWptPolygonList *visible, int32_t &error);
void RegReadRoutesVisible(IWptManager *wm, IWptRouteList *visible);
void RegWriteRoutesVisible(IWptRouteList *visible, int32_t &error);

// Loads one ".trk" file; a track it returns with err 0 is handed to the list.
using TTrackLoader = std::function<INavTrack *(const QString &file, int32_t &err)>;
// The list is cleared and refilled, in the order written, with the stored tracks found in
// tracksFolder. Stored names are reduced to their file name and looked for in tracksFolder
// only: a name that would lead outside it ("..\x.trk" resolves to "x.trk" there; a link
// pointing elsewhere is refused), a missing file and a file the loader rejects are skipped.
// Tracks that load are added to visible, whose ownership rules apply.
void RegReadTracksVisible(const QString &tracksFolder, INavTrackList *visible,
                          const TTrackLoader &load);
// The same, loading with the library's track reader.
void RegReadTracksVisible(const QString &tracksFolder, INavTrackList *visible);
// Stores the file name (without folder) of every track of the list that has a file.
void RegWriteTracksVisible(INavTrackList *visible, int32_t &error);
