// The ".trk" file format of tracks.
//
// Layout (little-endian):
//   header  magic "KVTRK\r\n\x1A", u32 version, u32 header size (bytes up to the points),
//           u32 flags (1 = times, 2 = compressed points), f64 start, f64 end,
//           i32 point count, f64 distance (m, < 0 unknown), u32 colour ($AARRGGBB),
//           f32 width, i32 extra, u32 name length (UTF-16 units), the name as UTF-16,
//           u32 CRC-32 of everything before it
//   points  uncompressed: count x {f64 time, i32 lat, i32 lon};
//           compressed: u32 packed size, then zlib data of the same records
//   trailer u32 CRC-32 of the point bytes as stored
// The header size lets a newer minor layout append header values that older readers skip.
#pragma once

#include "KvLibNav6/KvTracks.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace kv::trk {

inline constexpr uint32_t FormatVersion = 1;
inline constexpr uint32_t FlagTimes = 1;
inline constexpr uint32_t FlagCompressed = 2;

struct THeader {
    QString Name;
    bool HasTimes = true;
    bool Compressed = false;
    TDateTime Start = 0.0, End = 0.0;
    int32_t PointCount = 0;
    double DistanceM = -1.0;
    uint32_t ColorArgb = 0xFFFF0000u;
    float Width = 2.0f;
    int32_t Extra = 0;
};

// Whole-file operations; errors are library error values.
int32_t ReadHeader(const QString &file, THeader &h);
int32_t ReadFile(const QString &file, THeader &h, std::vector<TTrackPoint> &points);
// Parses a file image (the fuzzer's entry); headerOnly skips the points.
int32_t Parse(const QByteArray &data, THeader &h, std::vector<TTrackPoint> *points);
// The file image of the track; an error (out empty) when the points cannot be packed.
int32_t Serialise(const THeader &h, const std::vector<TTrackPoint> &points, QByteArray &out);
// A finite time and a position on the globe.
bool ValidPoint(const TTrackPoint &p);
// Written to "<file>.saving", synced and renamed over file.
int32_t WriteFileAtomic(const QString &file, const QByteArray &image);

// The line width a track of this library was given (SetWidth, pixels); 0 for a track made
// elsewhere. The interface has no getter: only the library's own drawing needs it.
float TrackWidth(INavTrack &track);

}  // namespace kv::trk
