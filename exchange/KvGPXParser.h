// Reading GPS exchange (GPX 1.0 and 1.1) files into plain records, streaming: the file is
// fed to the XML reader in chunks and never held whole; a track's points are handed on when
// the track ends. Qt Core only, no core-library calls, any thread.
//
// Untrusted input: no entity is resolved (a DOCTYPE that declares entities refuses the
// file), and a file in which megabytes pass without a complete token is refused, so one
// giant attribute cannot exhaust memory.
#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <functional>
#include <vector>

class QIODevice;

// Option bits of a read.
namespace GPXOption {
inline constexpr uint8_t RoutesAsRoutes = 0x01;  // only when not both of the next two
inline constexpr uint8_t RoutesAsTracks = 0x02;  // only together with Tracks
inline constexpr uint8_t Tracks = 0x04;
inline constexpr uint8_t Waypoints = 0x08;
}  // namespace GPXOption

// Coordinates in radians, heights in metres, times as date-times (days since 1899-12-30,
// UTC; 0 for none).
struct TGPXWaypoint {
    double Lat = 0.0, Lon = 0.0, Ele = 0.0;
    QString Name;     // cut to 255 characters
    QString SubName;  // "desc", or "cmt" when "desc" has no text; cut to 255 characters
    double Time = 0.0;
};
struct TGPXRoutePoint {
    double Lat = 0.0, Lon = 0.0, Ele = 0.0;
    QString Name;
};
// A "rte" read as a route of the waypoint database: its name is not cut.
struct TGPXRoute {
    QString Name;
    std::vector<TGPXRoutePoint> Points;
};
struct TGPXTrackPoint {
    double Time = 0.0;
    double Lat = 0.0, Lon = 0.0;
};
// A "trk", or a "rte" read as a track (FromRoute: no times, the route colour).
struct TGPXTrack {
    QString Name;  // empty when the file gives none; cut to 255 characters
    bool FromRoute = false;
    bool HasTimes = false;
    std::vector<TGPXTrackPoint> Points;
    int DroppedPoints = 0;  // points of a timed track without a readable time
};

// Receives the records in document order.
struct TGPXHandlers {
    std::function<void(TGPXWaypoint &&)> Waypoint;
    std::function<void(TGPXRoute &&)> Route;
    std::function<void(TGPXTrack &&)> Track;
};

struct TGPXParseResult {
    bool Ok = true;
    bool IsGPX = false;  // the root element is "gpx" (case ignored)
    QString Error;       // why the file cannot be read, with its line
    int64_t Line = 0;
};

// Reads the device from its current position. progress (may be empty) gets the bytes read.
TGPXParseResult GPXParse(QIODevice &device, uint8_t options, const TGPXHandlers &handlers,
                         const std::function<void(int64_t bytesRead)> &progress = {});

// "yyyy-mm-ddThh:mm:ss[.fff…][Z|±hh:mm]": True with the UTC date-time. Each number may carry
// a sign; a time without a zone is UTC; what follows the zone is not looked at.
bool ParseISODateTime(QStringView text, double &dateTime);
// The first 255 characters, never splitting a surrogate pair.
QString GPXCutName(const QString &text);
