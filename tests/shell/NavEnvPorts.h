// Serial ports for the environment's tests: the device manager lists the pseudo-terminals a
// test hands it, and a simulated receiver answers on one of them at 38400 Bd only.
#pragma once

#include <KvLibNav6/KvLib.h>

#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <functional>
#include <pty.h>
#include <random>
#include <string>
#include <termios.h>
#include <thread>
#include <unistd.h>

// The device manager's test interface for candidate ports (the core library exports it for
// tests; its header is internal to the library, so it is declared here as exported).
namespace kv {
struct TSerialPortCandidate {
    QString Path;
    QString Description;
};
using TSerialPortSource = std::function<QList<TSerialPortCandidate>()>;
KVLIB_API TSerialPortSource SetSerialPortSource(TSerialPortSource source);
}  // namespace kv

namespace shelltest {

// While alive, every device manager created lists exactly these device paths.
class TPortList {
public:
    explicit TPortList(QStringList paths) : FPaths(std::move(paths)) {
        FPrevious = kv::SetSerialPortSource([this] {
            QList<kv::TSerialPortCandidate> list;
            for (const QString &p : FPaths) list.append({p, QStringLiteral("test line")});
            return list;
        });
    }
    ~TPortList() { kv::SetSerialPortSource(std::move(FPrevious)); }
    TPortList(const TPortList &) = delete;
    TPortList &operator=(const TPortList &) = delete;

private:
    QStringList FPaths;
    kv::TSerialPortSource FPrevious;
};

// A pseudo-terminal whose slave side is reached through a symlink.
class TPty {
public:
    explicit TPty(QString link) : FLink(std::move(link)) {
        termios tio{};
        cfmakeraw(&tio);
        cfsetspeed(&tio, B1200);
        char name[128];
        if (openpty(&FMaster, &FSlave, name, &tio, nullptr) != 0) return;
        fcntl(FMaster, F_SETFL, fcntl(FMaster, F_GETFL) | O_NONBLOCK);
        QFile::remove(FLink);
        QFile::link(QString::fromLocal8Bit(name), FLink);
    }
    ~TPty() {
        QFile::remove(FLink);
        if (FMaster >= 0) ::close(FMaster);
        if (FSlave >= 0) ::close(FSlave);
    }
    TPty(const TPty &) = delete;
    TPty &operator=(const TPty &) = delete;

    bool Opened() const { return FMaster >= 0; }
    const QString &Link() const { return FLink; }
    void Write(const char *data, size_t size) {
        if (::write(FMaster, data, size) < 0 && errno != EAGAIN) return;
    }
    // The line speed the port side set.
    speed_t LineSpeed() const {
        termios tio{};
        return tcgetattr(FSlave, &tio) == 0 ? cfgetispeed(&tio) : B0;
    }

private:
    QString FLink;
    int FMaster = -1;
    int FSlave = -1;
};

// Writes to a line from a thread of its own until destroyed: a receiver that sends a fix at
// 38400 Bd and garbage at any other rate, or random bytes that look a bit like NMEA.
class TLineWriter {
public:
    enum class TKind { Receiver, Noise };
    TLineWriter(TPty &pty, TKind kind) : FPty(pty), FKind(kind) {
        FThread = std::thread([this] { Run(); });
    }
    ~TLineWriter() {
        FStop = true;
        FThread.join();
    }

private:
    static std::string Sentence(const std::string &body) {
        unsigned sum = 0;
        for (char c : body) sum ^= unsigned(uint8_t(c));
        char tail[8];
        std::snprintf(tail, sizeof tail, "*%02X\r\n", sum);
        return "$" + body + tail;
    }
    void Run() {
        std::mt19937 random(FKind == TKind::Receiver ? 7 : 11);
        const std::string fix =
            Sentence("GPRMC,120000,A,5200.000,N,00500.000,E,5.0,90.0,010124,,") +
            Sentence("GPGGA,120000,5200.000,N,00500.000,E,1,08,0.9,1.0,M,,M,,");
        while (!FStop) {
            if (FKind == TKind::Receiver && FPty.LineSpeed() == B38400) {
                FPty.Write(fix.data(), fix.size());
            } else {
                char junk[60];
                for (char &c : junk) {
                    const unsigned r = random() % 64;
                    c = FKind == TKind::Noise && r < 3 ? "$,\n"[r] : char(random());
                }
                FPty.Write(junk, sizeof junk);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }

    TPty &FPty;
    TKind FKind;
    std::atomic<bool> FStop{false};
    std::thread FThread;
};

}  // namespace shelltest
