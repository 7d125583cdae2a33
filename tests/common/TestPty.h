// A pseudo-terminal standing in for a serial instrument: the program opens the slave side
// through a symlink, the test writes on the master side what the instrument would send.
#pragma once

#include <QFile>
#include <QString>

#include <cerrno>
#include <cstdio>
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

}  // namespace testsupport
