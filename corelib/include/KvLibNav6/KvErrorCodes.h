// Error values the library returns (0 = success). ErrorToStr has a text for each.
#pragma once

#include <cstdint>

namespace KvErr {
inline constexpr int32_t Ok = 0;
inline constexpr int32_t Failed = 1;              // unspecified failure
inline constexpr int32_t Cancelled = 2;
inline constexpr int32_t GPSSilent = 3;           // the GPS receiver does not answer
inline constexpr int32_t InvalidArgument = 4;
inline constexpr int32_t NotImplemented = 5;      // the operation is not available here
inline constexpr int32_t BadFormat = 21;          // a file is damaged or of another format
inline constexpr int32_t BadVersion = 33;         // a file of a version this library cannot read
inline constexpr int32_t NotFound = 0x10000;      // file or object not found
inline constexpr int32_t AccessDenied = 0x10001;
inline constexpr int32_t AlreadyExists = 0x10002;
inline constexpr int32_t ReadFailed = 0x10003;
inline constexpr int32_t WriteFailed = 0x10004;
inline constexpr int32_t ImageDecode = 0x10005;   // an image (JPEG) could not be decoded
inline constexpr int32_t DiskFull = 0x10006;
inline constexpr int32_t OutOfRange = 0x10022;    // index or value out of range
inline constexpr int32_t PortFirst = 0x30000;     // serial-port errors $30000..$3000D
inline constexpr int32_t PortNotFound = 0x30000;
inline constexpr int32_t PortBusy = 0x30001;
inline constexpr int32_t PortOpen = 0x30002;
inline constexpr int32_t PortSettings = 0x30003;
inline constexpr int32_t PortRead = 0x30004;
inline constexpr int32_t PortWrite = 0x30005;
inline constexpr int32_t PortTimeout = 0x30006;
inline constexpr int32_t PortClosed = 0x30007;
inline constexpr int32_t PortRemoved = 0x30008;
inline constexpr int32_t PortChecksum = 0x30009;
inline constexpr int32_t PortProtocol = 0x3000A;
inline constexpr int32_t PortNoData = 0x3000B;
inline constexpr int32_t PortUnsupported = 0x3000C;
inline constexpr int32_t PortLast = 0x3000D;
inline constexpr int32_t ReadOnly = 0xC0000;      // the object or database is read-only
inline constexpr int32_t SettingsUnavailable = 0xE0000; // settings store not open (see log)
inline constexpr int32_t NameTooLong = 0xC0029;
inline constexpr int32_t PointAttached = 0xC0032; // the waypoint is used by a route
inline constexpr int32_t NoGPSPort = 0xD000F;     // no GPS port configured
inline constexpr int32_t GPSNotConnected = 0xD0010;
inline constexpr int32_t ImageFormat = 0x280000;  // unknown image format
inline constexpr int32_t ImageSize = 0x280001;    // image too large or empty
inline constexpr int32_t NetworkFailed = 0x400000; // no connection to the service
inline constexpr int32_t NetworkAnswer = 0x400001; // the service answered with an error
inline constexpr int32_t GeoProjection = 0x1A0000;   // the projection parameters are unusable
inline constexpr int32_t GeoOutsideProjection = 0x1A0001; // a position the projection cannot show
inline constexpr int32_t GeoCalibrationPoints = 0x1A0002; // reference points coincide or lie on a line
inline constexpr int32_t GeoCalibrationMirrored = 0x1A0003; // reference points give a mirrored image
// The waterway network file exists but is damaged or cannot be read. A value of its own,
// unlike BadFormat (21), which start-up passes over in silence.
inline constexpr int32_t WWNetworkDamaged = 0x1E0000;
}  // namespace KvErr
