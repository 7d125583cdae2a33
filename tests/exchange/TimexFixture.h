// Raw data-recorder blocks built byte by byte for the recorder tests, and the fake driver
// library that serves them.
#pragma once

#include "exchange/TimexApi.h"

#include <QByteArray>
#include <QLibrary>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <numbers>
#include <string>

namespace timextest {

using TBytes = std::basic_string<uint8_t>;

// 14 digit bytes of "yyyymmddhhnnss".
inline TBytes Digits(const char *stamp) {
    TBytes out;
    for (const char *c = stamp; *c; ++c) out.push_back(uint8_t(*c - '0'));
    return out;
}

inline TBytes Angle(double rad) {
    int32_t v = int32_t(std::lround(rad / 3.7450702829239286e-07)) & 0xFFFFFF;
    return {uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)};
}

inline TBytes Fix(double lat, double lon) { return TBytes{0x30} + Angle(lat) + Angle(lon); }

// Speed in units of 0.1 mph (0.044704 m/s), heading in steps of 2 degrees.
inline TBytes Motion(int32_t speedUnits, int32_t headingUnits) {
    return TBytes{0x50, 0x00, uint8_t((speedUnits >> 8) << 4), uint8_t(speedUnits), 0, 0, 0,
                  uint8_t(headingUnits), 0};
}

inline TBytes MotionFix(int32_t speedUnits, int32_t headingUnits, double lat, double lon) {
    return TBytes{0xF0, 0x00, 0x00, uint8_t((speedUnits >> 8) << 4), uint8_t(speedUnits), 0, 0, 0,
                  uint8_t(headingUnits), 0} +
           Angle(lat) + Angle(lon) + TBytes{0};
}

inline TBytes State() { return TBytes{0x40, 0, 0, 0, 0}; }

// One session: length, profile, start, records, end.
inline TBytes Session(const TBytes &records, const char *start = "20080615134507",
                      const char *end = "20080615140000", uint8_t profile = 2) {
    const uint32_t length = uint32_t(records.size() + 29);
    TBytes out{uint8_t(length >> 24), uint8_t(length >> 16), uint8_t(length >> 8),
               uint8_t(length)};
    out.push_back(profile);
    return out + Digits(start) + records + Digits(end);
}

inline QByteArray ToByteArray(const TBytes &b) {
    return QByteArray(reinterpret_cast<const char *>(b.data()), qsizetype(b.size()));
}

// The fake driver, bound for the test's lifetime.
class TFakeLogger {
public:
    TFakeLogger() : FLibrary(QStringLiteral(MARIVO_FAKE_LOGGER_PATH)) {
        Bound = TimexApiBind(QStringLiteral(MARIVO_FAKE_LOGGER_PATH)) && FLibrary.load();
        Script = reinterpret_cast<TScript>(FLibrary.resolve("FakeLoggerScript"));
        Calls = reinterpret_cast<TCalls>(FLibrary.resolve("FakeLoggerCalls"));
    }
    ~TFakeLogger() { TimexApiUnbind(); }
    void Serve(const TBytes &data, bool connected = true, bool readOk = true, bool clearOk = true,
               int32_t headerSize = 16) {
        Script(data.data(), int32_t(data.size()), headerSize, connected, readOk, clearOk);
    }
    struct TCounts {
        int32_t Connects = 0, Releases = 0, Clears = 0, Reads = 0;
    };
    TCounts Counts() const {
        TCounts c;
        Calls(&c.Connects, &c.Releases, &c.Clears, &c.Reads);
        return c;
    }

    bool Bound = false;

private:
    using TScript = void (*)(const uint8_t *, int32_t, int32_t, bool, bool, bool);
    using TCalls = void (*)(int32_t *, int32_t *, int32_t *, int32_t *);
    QLibrary FLibrary;
    TScript Script = nullptr;
    TCalls Calls = nullptr;
};

}  // namespace timextest
