// Tracks: recorded or imported sequences of timed positions, their ".trk" files, track
// lists and the viewer's view of the track being recorded.
//
// A ".trk" file carries a header (name, time flag, start, end, point count, distance,
// colour, width) that NavTrackGetInfoFromFile reads without the points. Files are written
// atomically; a damaged or foreign file is an error, never a crash.
//
// Every call happens on the GUI thread.
#pragma once

#include <cstdint>

#include "KvStrW.h"
#include "KvTypes.h"
// A track list is one of the waypoint family's reference lists: the base class must be
// complete here.
#include "KvWaypoints.h"

// One stored track point. Positions are kept as integers to halve the memory of long
// tracks: one unit is 1/63,781,370 rad, a tenth of a metre on the 6,378,137 m radius.
struct TTrackPoint {
    TDateTime Time = 0.0;  // UTC; 0 in a track without times
    int32_t Lat = 0;
    int32_t Lon = 0;
};
inline constexpr double TrackPointUnitsPerRadian = 63781370.0;

// A track. From NavTrackCreate1/2/3 (caller-owned until handed to a track list that owns
// its objects, or attached to the own ship), from INavBoat::GetTrack (the own ship's track
// being recorded, owned by the own ship) and from track lists (owned by whoever owns the
// list's objects).
class KVLIB_API INavTrack : public NavObject {
public:
    // The ".trk" file the track was loaded from or records into; empty for a track that
    // lives only in memory.
    virtual const TStrWRec *GetFileName() = 0;                                       // slot 5
    virtual const TStrWRec *GetName() = 0;                                           // slot 9
    virtual int32_t GetPointCount() = 0;                                             // slot 12
    virtual void SaveToFile(const TStrWRec &file, int32_t &err) = 0;                 // slot 17
    // $AARRGGBB.
    virtual void SetColor(uint32_t argb) = 0;                                        // slot 18
    virtual void SetName(const TStrWRec &name) = 0;                                  // slot 21
    // Line width in pixels at 100 % zoom.
    virtual void SetWidth(float width) = 0;                                          // slot 22
    // Appends a point; time 0 for a point without time. pos: radians, height in metres.
    virtual void AddPoint(TDateTime timeOr0, const TGeoPoint3 &pos, int32_t &err) = 0;  // slot —
    // Owned by the track; valid until the track changes. nullptr for an index out of range.
    virtual const TTrackPoint *GetPoint(int32_t i) = 0;                              // slot —
    // Index of the last point at or before utc; -1 before the first point.
    virtual int32_t IndexAtTime(TDateTime utc) = 0;                                  // slot —
    virtual TDateTime GetStartTime() = 0;                                            // slot — (UTC)
    virtual TDateTime GetEndTime() = 0;                                              // slot — (UTC)
    virtual double GetDuration() = 0;                                                // slot — (seconds)
    // Whether the points carry times; replay and durations need them.
    virtual bool HasTimes() = 0;                                                     // slot —
    virtual void SetHasTimes(bool hasTimes) = 0;                                     // slot —
    // Library RGB, not the ARGB given to SetColor.
    virtual uint32_t GetColor() = 0;                                                 // slot —
    // Speed (m/s) and course (rad) of the leg that contains time t (UTC).
    virtual void GetMotionAt(TDateTime t, float &speed, float &course) = 0;          // slot —
};

// A list of tracks; from NavTrackListCreate (caller-owned). It holds references unless
// SetOwnsObjects(true) was called (the environment's visible-track list and a download's
// track list own their tracks): then removing, clearing or releasing the list releases the
// tracks. The environment's list holds the tracks shown on the charts.
class KVLIB_API INavTrackList : public IWptObjectList {
};

// The track the own ship is recording, as a viewer sees it. From
// INavViewer::GetActiveTrackSource; owned by the viewer.
class KVLIB_API INavActiveTrackSource : public NavObject {
public:
    virtual bool HasTrack() = 0;                                                     // slot —
    // The track being recorded (owned by the own ship); nullptr when none.
    virtual INavTrack *GetTrack() = 0;                                               // slot —
};

// An empty track in memory (no file).
KVLIB_API INavTrack *NavTrackCreate1();
// A new track that records into file, a unique ".trk" name in the tracks folder that the
// caller made; compress = the environment's track-compression setting (how the file is
// compressed is the library's own).
KVLIB_API INavTrack *NavTrackCreate2(const TStrWRec &file, bool compress);
// The track of a ".trk" file.
KVLIB_API INavTrack *NavTrackCreate3(const TStrWRec &file, int32_t &err);
// flag: 1 from the environment, 0 from dialogs; a hint, not ownership (SetOwnsObjects).
KVLIB_API INavTrackList *NavTrackListCreate(int32_t flag);
// Reads the header of a ".trk" file without its points. Times are UTC and undefined when
// hasTimes is false; distanceM < 0 = unknown; colour in library RGB; width in pixels;
// extra is one further header value that callers pass through.
KVLIB_API void NavTrackGetInfoFromFile(const TStrWRec &file, IStrW *nameOut, bool &hasTimes,
                                       TDateTime &start, TDateTime &end, int32_t &pointCount,
                                       double &distanceM, uint32_t &colour, float &width,
                                       int32_t &extra, int32_t &err);
