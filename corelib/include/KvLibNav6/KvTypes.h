// Basic records and the object base shared by every family of the core library.
//
// Conventions that hold for every header in this folder:
// - Exports are free functions. Those that can fail take `int32_t &err` last (0 = success,
//   texts from ErrorToStr).
// - Every object type derives from NavObject. Whatever a factory, an "open", "create" or
//   "copy" operation returns belongs to the caller and is released with ObjectDelete;
//   what a getter returns belongs to its parent object.
// - Operations are pure virtual methods declared in slot order; the trailing comment
//   "slot N" gives the operation's place in the object's method table ("slot —" where it
//   has none). Aliases under which callers know an operation stay in that comment.
// - Text in: `const TStrWRec &` (UTF-16 units; the caller keeps the characters alive for
//   the call). Text out of a getter: `const TStrWRec *` owned by the object and valid until
//   the next call on it. Text out of a free function: a caller-made IStrW / IStrWList.
// - Positions are radians (TGeoPoint); "global" coordinates are earth-centred metres.
// - Every call and callback happens on the GUI thread unless a header says otherwise.
#pragma once

#include <cstdint>

#if defined(KVLIBNAV6_BUILD)
#define KVLIB_API __attribute__((visibility("default")))
#else
#define KVLIB_API
#endif

// Root of every core-library object: ObjectDelete releases through the virtual destructor.
class KVLIB_API NavObject {
public:
    virtual ~NavObject();
};

// Text handed to the library: Length in UTF-16 code units. The record never owns its
// characters; Text need not be zero-terminated.
struct TStrWRec {
    int32_t Length = 0;
    const char16_t *Text = u"";
};

struct TGUID {
    uint32_t D1 = 0;
    uint16_t D2 = 0;
    uint16_t D3 = 0;
    uint8_t D4[8] = {};
};

inline bool operator==(const TGUID &a, const TGUID &b) {
    if (a.D1 != b.D1 || a.D2 != b.D2 || a.D3 != b.D3) return false;
    for (int i = 0; i < 8; ++i)
        if (a.D4[i] != b.D4[i]) return false;
    return true;
}

// Days since 1899-12-30; UTC unless a declaration says local.
using TDateTime = double;

// Latitude and longitude in radians. (99, 99) = no position, (10, 10) = no home position.
struct TGeoPoint {
    double Lat = 0.0;
    double Lon = 0.0;
};
inline constexpr double GeoPointNoPosition = 99.0;
inline constexpr double GeoPointNoHome = 10.0;

// Latitude, longitude in radians and height in metres above the ellipsoid.
struct TGeoPoint3 {
    double Lat = 0.0;
    double Lon = 0.0;
    double Height = 0.0;
};

struct TDouble2 { double X = 0.0, Y = 0.0; };      // view pixels, or a 2-D vector
struct TFloat2 { float X = 0.0f, Y = 0.0f; };
struct TDouble3 { double X = 0.0, Y = 0.0, Z = 0.0; };  // earth-centred metres
struct TPoint { int32_t X = 0, Y = 0; };
struct TRect { int32_t Left = 0, Top = 0, Right = 0, Bottom = 0; };

// Opaque handles of the platform layer: a window is the QWidget* of the hosting control,
// a device context a QPainter*. The library never takes ownership of either.
using WindowHandle = void *;
using DeviceContext = void *;
