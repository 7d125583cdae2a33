// libFuzzer entry for the GPX parser: the input is read as a GPX file with every option; the
// records that come out hold only coordinates in range and names the program can keep.
#include "exchange/KvGPXParser.h"

#include <QBuffer>
#include <cmath>
#include <cstddef>
#include <cstdint>

namespace {

constexpr double HalfPi = 1.5707963267948966, Pi = 3.141592653589793;

void CheckPosition(double lat, double lon) {
    if (!(std::fabs(lat) <= HalfPi && std::fabs(lon) <= Pi)) __builtin_trap();
}

void CheckName(const QString &name) {
    if (name.size() > 255) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    QBuffer buffer;
    buffer.setData(reinterpret_cast<const char *>(data), qsizetype(size));
    buffer.open(QIODevice::ReadOnly);
    TGPXHandlers handlers;
    handlers.Waypoint = [](TGPXWaypoint &&w) {
        CheckPosition(w.Lat, w.Lon);
        CheckName(w.Name);
        CheckName(w.SubName);
        if (!std::isfinite(w.Ele) || !std::isfinite(w.Time)) __builtin_trap();
    };
    handlers.Route = [](TGPXRoute &&r) {
        for (const TGPXRoutePoint &p : r.Points) CheckPosition(p.Lat, p.Lon);
    };
    handlers.Track = [](TGPXTrack &&t) {
        CheckName(t.Name);
        for (const TGPXTrackPoint &p : t.Points) {
            CheckPosition(p.Lat, p.Lon);
            if (!t.HasTimes && p.Time != 0.0) __builtin_trap();
        }
    };
    const uint8_t options = size > 0 ? uint8_t(data[size - 1] & 0x0F) | 0x0C : 0x0F;
    const TGPXParseResult result = GPXParse(buffer, options, handlers);
    if (!result.Ok && result.Error.isEmpty()) __builtin_trap();
    // Time texts alone, from the same bytes.
    double t = 0.0;
    if (ParseISODateTime(QString::fromLatin1(reinterpret_cast<const char *>(data), qsizetype(std::min<size_t>(size, 64))), t) &&
        !std::isfinite(t))
        __builtin_trap();
    return 0;
}
