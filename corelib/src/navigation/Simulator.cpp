// The own ship's simulator (see Simulator.h).
#include "navigation/Simulator.h"

#include "devices/NmeaParser.h"
#include "geodesy/GeodesyEngine.h"

#include "KvLibNav6/KvErrorCodes.h"

#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace kv {

namespace {

constexpr double Deg = 180.0 / std::numbers::pi;
constexpr double KnotsPerMps = 3600.0 / 1852.0;
constexpr double TwoPi = 2 * std::numbers::pi;

double Normalise(double rad) {
    double r = std::fmod(rad, TwoPi);
    if (r < 0) r += TwoPi;
    return r;
}

// "ddmm.mmmm,N" / "dddmm.mmmm,E".
std::string Coordinate(double rad, bool latitude) {
    const double deg = std::fabs(rad * Deg);
    int whole = int(deg);
    double minutes = (deg - whole) * 60.0;
    if (minutes >= 59.99995) {  // would print as 60.0000
        ++whole;
        minutes = 0.0;
    }
    char buf[32];
    if (latitude)
        std::snprintf(buf, sizeof buf, "%02d%07.4f,%c", whole, minutes, rad < 0 ? 'S' : 'N');
    else
        std::snprintf(buf, sizeof buf, "%03d%07.4f,%c", whole, minutes, rad < 0 ? 'W' : 'E');
    return buf;
}

}  // namespace

std::string NmeaWrap(const std::string &body) {
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X\r\n", unsigned(TNmeaParser::Checksum(body)));
    return "$" + body + tail;
}

TSimulatorPort::TSimulatorPort(TSimulator &owner) : FOwner(owner), FLog(0x2000) {
    FID.Set(QStringLiteral("Simulator"));
    FName.Set(QStringLiteral("Simulator"));
    FDescription.Set(QString());
}

int32_t TSimulatorPort::ApplySettings(INavMsgPortSettings *) {
    return KvErr::PortUnsupported;
}
void TSimulatorPort::SetBaudRate(int32_t, int32_t &err) { err = KvErr::PortUnsupported; }
void TSimulatorPort::SetParity(int32_t, int32_t &err) { err = KvErr::PortUnsupported; }
void TSimulatorPort::SetStopBits(int32_t, int32_t &err) { err = KvErr::PortUnsupported; }
void TSimulatorPort::SetFlowControl(int32_t, int32_t &err) { err = KvErr::PortUnsupported; }
void TSimulatorPort::SetDataBits(int32_t, int32_t &err) { err = KvErr::PortUnsupported; }
void TSimulatorPort::SetLineOption1(int32_t, int32_t &err) { err = KvErr::PortUnsupported; }
void TSimulatorPort::Open() { FOpen = true; }
void TSimulatorPort::Close() { FOpen = false; }

void TSimulatorDevice::ApplySettings(int32_t, int32_t &err) {
    FOn = true;
    err = KvErr::Ok;
}

TSimulator::TSimulator() : FPort(*this) {}

void TSimulator::SetRadiusMin(float metres) {
    if (std::isfinite(metres) && metres >= 0) FRadiusMin = metres;
}

void TSimulator::SetSpeedMax(float speed) {
    if (std::isfinite(speed) && speed > 0) {
        FSpeedMax = speed;
        FSpeed = std::min(FSpeed, double(speed));
    }
}

void TSimulator::Start(const TGeoPoint &position, double course, double speed) {
    FPosition = position;
    FCourse = Normalise(course);
    SetCommand(course, speed);
    FSpeed = FCommandSpeed;
    FRunning = true;
    FPort.Open();
}

void TSimulator::Stop() {
    FRunning = false;
    FPort.Close();
}

void TSimulator::SetCommand(double course, double speed) {
    if (std::isfinite(course)) FCommandCourse = Normalise(course);
    if (std::isfinite(speed)) FCommandSpeed = std::clamp(speed, 0.0, double(FSpeedMax));
}

void TSimulator::SetMotion(double course, double speed) {
    SetCommand(course, speed);
    FCourse = FCommandCourse;
    FSpeed = FCommandSpeed;
}

void TSimulator::Step(double seconds, const double *steerTo, TDateTime nowUtc) {
    if (!FRunning || !(seconds > 0)) return;
    FSpeed = std::min(FCommandSpeed, double(FSpeedMax));
    const double wanted = steerTo && std::isfinite(*steerTo) ? Normalise(*steerTo) : FCommandCourse;
    // Turning on a circle of the smallest radius: the heading changes by distance / radius.
    const double turn = std::remainder(wanted - FCourse, TwoPi);
    const double distance = FSpeed * seconds;
    const double maxTurn = FRadiusMin > 0 ? distance / FRadiusMin : TwoPi;
    // Half the turn before the move and half after approximates the arc.
    const double applied = std::clamp(turn, -maxTurn, maxTurn);
    FCourse = Normalise(FCourse + applied / 2);
    if (distance > 0) FPosition = geodesy::GeodesicDirect(FPosition, FCourse, distance);
    FCourse = Normalise(FCourse + applied / 2);
    WriteSentences(nowUtc);
}

void TSimulator::WriteSentences(TDateTime nowUtc) {
    // Time of day and date from the UTC day count.
    const double days = std::floor(nowUtc);
    double secs = (nowUtc - days) * 86400.0;
    secs = std::floor(secs * 100 + 0.5) / 100;
    const int h = int(secs / 3600), m = int(std::fmod(secs, 3600) / 60);
    const double s = std::fmod(secs, 60.0);
    char time[16];
    std::snprintf(time, sizeof time, "%02d%02d%05.2f", h % 24, m, s);
    // 1899-12-30 is day 0; civil date through the days-from-civil inverse.
    long z = long(days) - 25569 + 719468;  // days since 0000-03-01
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const long doe = z - era * 146097;
    const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long mp = (5 * doy + 2) / 153;
    const long day = doy - (153 * mp + 2) / 5 + 1;
    const long month = mp < 10 ? mp + 3 : mp - 9;
    const long year = yoe + era * 400 + (month <= 2);
    char date[64];
    std::snprintf(date, sizeof date, "%02ld%02ld%02ld", day, month, year % 100);
    char motion[48];
    std::snprintf(motion, sizeof motion, "%.1f,%.1f", FSpeed * KnotsPerMps, FCourse * Deg);
    const std::string lat = Coordinate(FPosition.Lat, true), lon = Coordinate(FPosition.Lon, false);
    FPort.Log(NmeaWrap("GPRMC," + std::string(time) + ",A," + lat + "," + lon + "," + motion + "," +
                       date + ",,,S"));
    FPort.Log(NmeaWrap("GPGGA," + std::string(time) + "," + lat + "," + lon + ",8,08,1.0,0.0,M,,M,,"));
}

}  // namespace kv
