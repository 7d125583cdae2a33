// A pseudo-terminal standing in for a serial instrument: the program opens the slave side
// through a symlink, the test writes on the master side what the instrument would send.
#pragma once

#include <KvLibNav6/KvTypes.h>

#include <QDateTime>
#include <QFile>
#include <QString>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <fcntl.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace testsupport {

class TTestPty {
public:
    explicit TTestPty(QString link, speed_t speed = B4800) : FLink(std::move(link)) {
        termios tio{};
        cfmakeraw(&tio);
        cfsetspeed(&tio, speed);
        char name[128];
        if (openpty(&FMaster, &FSlave, name, &tio, nullptr) != 0) return;
        fcntl(FMaster, F_SETFL, fcntl(FMaster, F_GETFL) | O_NONBLOCK);
        QFile::remove(FLink);
        QFile::link(QString::fromLocal8Bit(name), FLink);
    }
    ~TTestPty() {
        QFile::remove(FLink);
        if (FMaster >= 0) ::close(FMaster);
        if (FSlave >= 0) ::close(FSlave);
    }
    TTestPty(const TTestPty &) = delete;
    TTestPty &operator=(const TTestPty &) = delete;

    bool Opened() const { return FMaster >= 0; }
    const QString &Link() const { return FLink; }
    // The line speed the port side set.
    speed_t LineSpeed() const {
        termios tio{};
        return tcgetattr(FSlave, &tio) == 0 ? cfgetispeed(&tio) : B0;
    }
    // Bytes written that the port side has not read yet.
    int Pending() const {
        int n = 0;
        return ioctl(FSlave, FIONREAD, &n) == 0 ? n : 0;
    }
    // Writes what the line takes now; a full line drops the rest as a real line would.
    size_t Write(const std::string &data) {
        const ssize_t n = ::write(FMaster, data.data(), data.size());
        return n > 0 ? size_t(n) : 0;
    }

private:
    QString FLink;
    int FMaster = -1;
    int FSlave = -1;
};

// An NMEA 0183 sentence with its checksum and line end, from the text between '$' and '*'.
inline std::string NmeaSentence(const std::string &body) {
    unsigned sum = 0;
    for (char c : body) sum ^= unsigned(uint8_t(c));
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X\r\n", sum);
    return "$" + body + tail;
}

// "ddmm.mmmmm,N" or "dddmm.mmmmm,E" from radians.
inline std::string NmeaAngle(double radians, int degreeDigits, char positive, char negative) {
    const double a = std::abs(radians) * 180.0 / std::numbers::pi;
    const int whole = int(a);
    char text[32];
    std::snprintf(text, sizeof text, "%0*d%08.5f,%c", degreeDigits, whole, (a - whole) * 60.0,
                  radians < 0 ? negative : positive);
    return text;
}

// What a receiver sends for one fix: an RMC and a GGA sentence at p (radians) with the course
// over ground in radians and the speed in knots, stamped with utc.
struct TNmeaFix {
    TGeoPoint Position{};
    double Course = 0.0;
    double Knots = 0.0;
    QDateTime UTC = QDateTime::currentDateTimeUtc();
    int Quality = 1;  // GGA fix quality; 0 sends a void RMC
    int Sats = 8;
    double HDOP = 0.9;
};
inline std::string NmeaFix(const TNmeaFix &f) {
    const std::string time = f.UTC.toString(QStringLiteral("HHmmss.zzz")).left(9).toStdString();
    const std::string date = f.UTC.toString(QStringLiteral("ddMMyy")).toStdString();
    const std::string lat = NmeaAngle(f.Position.Lat, 2, 'N', 'S'), lon = NmeaAngle(f.Position.Lon, 3, 'E', 'W');
    double cog = std::fmod(f.Course * 180.0 / std::numbers::pi, 360.0);
    if (cog < 0) cog += 360.0;
    char motion[32], gga[64];
    std::snprintf(motion, sizeof motion, "%.1f,%.1f", f.Knots, cog);
    std::snprintf(gga, sizeof gga, ",%d,%02d,%.1f,1.0,M,,M,,", f.Quality, f.Sats, f.HDOP);
    return NmeaSentence("GPRMC," + time + (f.Quality > 0 ? ",A," : ",V,") + lat + "," + lon + "," + motion + "," +
                        date + ",,") +
           NmeaSentence("GPGGA," + time + "," + lat + "," + lon + gga);
}

}  // namespace testsupport
