// The optional GPS data-recorder driver: a separate library, loaded at run time by name
// (QLibrary "Logger", i.e. libLogger.so), that reads a recorder's whole memory as one raw
// block. None of this is exported by the core library; the program resolves the six entry
// points by the names below, each of which may be missing, and runs without the recorder
// when the library does not load. Tests load a fake driver library with the same entry
// points.
//
// The raw block is a sequence of sessions laid end to end; its layout and the decoded
// record shapes are below. Every multi-byte value in the raw block is most significant
// byte first.
#pragma once

#include <cstdint>

// Entry points, C linkage, plain C calling convention. The sizes are 32-bit.
extern "C" {
// True when a recorder is connected and ready.
using LoggerConnectToDeviceProc = bool (*)();
// Lets go of the recorder; the result is not used.
using LoggerReleaseDeviceProc = bool (*)();
// Size in bytes of the recorder's data block (the program asks GetDeviceData instead).
using LoggerGetDeviceDataSizeProc = int32_t (*)();
// Called twice: with null buffers it only writes the two sizes; then with buffers of those
// sizes it fills them. The header block's meaning is the driver's own.
using LoggerGetDeviceDataProc = bool (*)(uint8_t *header, int32_t *headerSize, uint8_t *data,
                                         int32_t *dataSize);
// The driver's code for the last failure.
using LoggerGetLastDeviceErrorProc = int32_t (*)();
// True when the recorder's memory was erased.
using LoggerClearDeviceMemoryProc = bool (*)();
}

inline constexpr const char *LoggerDriverLibraryName = "Logger";
inline constexpr const char *LoggerConnectToDeviceName = "ConnectToDevice";
inline constexpr const char *LoggerReleaseDeviceName = "ReleaseDevice";
inline constexpr const char *LoggerGetDeviceDataSizeName = "GetDeviceDataSize";
inline constexpr const char *LoggerGetDeviceDataName = "GetDeviceData";
inline constexpr const char *LoggerGetLastDeviceErrorName = "GetLastDeviceError";
inline constexpr const char *LoggerClearDeviceMemoryName = "ClearDeviceMemory";

// The bound driver: every entry may be nullptr (driver absent, or an entry it lacks).
struct TLoggerDriver {
    LoggerConnectToDeviceProc ConnectToDevice = nullptr;
    LoggerReleaseDeviceProc ReleaseDevice = nullptr;
    LoggerGetDeviceDataSizeProc GetDeviceDataSize = nullptr;
    LoggerGetDeviceDataProc GetDeviceData = nullptr;
    LoggerGetLastDeviceErrorProc GetLastDeviceError = nullptr;
    LoggerClearDeviceMemoryProc ClearDeviceMemory = nullptr;
};

// Raw session layout:
//   4 bytes   length L: the bytes after this field up to the end of the session
//   1 byte    profile (0..255)
//   14 bytes  start date and time, one decimal digit (0..9) per byte:
//             year 4, month 2, day 2, hour 2, minute 2, second 2
//   L - 29    records back to back; bits 7-4 of a record's first byte give its kind
//   14 bytes  end date and time, same form
// The records therefore end at (position after the length field) + L - 14.
namespace LoggerSession {
inline constexpr int32_t LengthBytes = 4;
inline constexpr int32_t ProfileBytes = 1;
inline constexpr int32_t DateTimeBytes = 14;
// Bytes of L that are not records: profile, start and end.
inline constexpr int32_t FixedBytes = ProfileBytes + 2 * DateTimeBytes;  // 29
}  // namespace LoggerSession

// Record kinds and their lengths in the raw block.
namespace LoggerRecord {
inline constexpr int32_t KindFix = 3;
inline constexpr int32_t KindState = 4;
inline constexpr int32_t KindMotion = 5;
inline constexpr int32_t KindMotionFix = 15;
inline constexpr int32_t FixBytes = 7;
inline constexpr int32_t StateBytes = 5;
inline constexpr int32_t MotionBytes = 9;
inline constexpr int32_t MotionFixBytes = 17;
// Angles are 24-bit two's-complement integers times this scale: pi / 2^23 rad per unit.
inline constexpr double AngleScale = 3.7450702829239286e-07;
// Speed fields count 0.1 mile per hour.
inline constexpr float SpeedScale = 0.044704f;  // m/s per unit
// Heading fields count steps of 2 degrees.
inline constexpr float HeadingScale = 0.03490658503988659f;  // rad per unit (pi / 90)
}  // namespace LoggerRecord

// Decoded records, one separately allocated block each. Fields named A to H carry values
// whose meaning is not known; they are kept so that a session copies unchanged.

// Kind 3, position fix (raw: 7 bytes).
struct TLoggerFixRecord {
    int32_t Kind = LoggerRecord::KindFix;  // raw byte 0 bits 7-4
    int32_t A = 0;                         // raw byte 0 bits 3-0
    double Lat = 0.0;                      // rad, raw bytes 1-3
    double Lon = 0.0;                      // rad, raw bytes 4-6
};
static_assert(sizeof(TLoggerFixRecord) == 24);

// Kind 4 (raw: 5 bytes); stored, not used.
struct TLoggerStateRecord {
    int32_t Kind = LoggerRecord::KindState;  // byte 0 bits 7-4
    int32_t A = 0;                           // byte 0 bits 3-0
    int32_t B = 0;                           // byte 1 bits 7-4
    int32_t C = 0;                           // byte 1 bits 3-0
    int32_t D = 0;                           // byte 2 bits 7-2
    int32_t E = 0;                           // byte 2 bits 1-0 (high) and byte 3 bits 7-5
    int32_t F = 0;                           // byte 3 bits 4-0
    int32_t G = 0;                           // byte 4 bits 7-2
    float H = 0.0f;                          // byte 4 bits 1-0 times 0.25
};
static_assert(sizeof(TLoggerStateRecord) == 36);

// The motion fields shared by kinds 5 and 15: a raw group of 7 bytes (bytes 2-8 of kind 5,
// 3-9 of kind 15), numbered from 0 within the group below.
struct TLoggerMotion {
    float Speed = 0.0f;    // m/s; 12 bits: group byte 0 bits 7-4 (high) and byte 1, SpeedScale
    float E = 0.0f;        // 12 bits: group byte 0 bits 3-0 (high) and byte 2
    float F = 0.0f;        // group bytes 3-4, 16 bits unsigned
    float Heading = 0.0f;  // rad; group byte 5 times HeadingScale
    float Angle2 = 0.0f;   // rad; group byte 6 times HeadingScale, not used
};

// Kind 5, motion sample (raw: 9 bytes).
struct TLoggerMotionRecord {
    int32_t Kind = LoggerRecord::KindMotion;  // byte 0 bits 7-4
    int32_t A = 0;                            // byte 0 bits 3-0
    int32_t B = 0;                            // byte 1 bits 7-4
    int32_t C = 0;                            // byte 1 bits 3-2
    int32_t D = 0;                            // byte 1 bits 1-0
    TLoggerMotion Motion;                     // bytes 2-8
};
static_assert(sizeof(TLoggerMotionRecord) == 40);

// Kind 15, motion sample with position (raw: 17 bytes).
struct TLoggerMotionFixRecord {
    int32_t Kind = LoggerRecord::KindMotionFix;  // byte 0 bits 7-4
    int32_t A = 0;                               // 12 bits: byte 0 bits 3-0 (high) and byte 1
    int32_t B = 0;                               // byte 2 bits 7-4
    int32_t C = 0;                               // byte 2 bits 3-2
    int32_t D = 0;                               // byte 2 bits 1-0
    TLoggerMotion Motion;                        // bytes 3-9
    double Lat = 0.0;                            // rad, bytes 10-12
    double Lon = 0.0;                            // rad, bytes 13-15
    int32_t G = 0;                               // byte 16 bits 7-2
    float H = 0.0f;                              // byte 16 bits 1-0 times 0.25
};
static_assert(sizeof(TLoggerMotionFixRecord) == 64);
