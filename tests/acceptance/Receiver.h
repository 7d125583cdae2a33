// A GPS receiver on a serial line the test plugs in and pulls out: a pseudo-terminal reached
// through a fixed device path, which the program's port watcher and device manager list only
// while it exists. The receiver talks only when the line is set to 4800 Bd, as the receiver
// of an NMEA 0183 log does, and sends one fix (the sentences from one RMC to the next) every
// quarter second, a log played back faster than it was recorded.
#pragma once

#include "TestPty.h"
#include "tests/shell/NavEnvPorts.h"

#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>


namespace acceptance {

// The fixes of a recorded NMEA log: each is its sentences from one RMC up to the next.
inline std::vector<std::string> LogFixes(const QString &file) {
    std::vector<std::string> fixes;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) return fixes;
    while (!f.atEnd()) {
        const QByteArray line = f.readLine().trimmed();
        if (!line.startsWith('$') || line.size() < 7) continue;
        if (line.mid(3, 3) == "RMC" || fixes.empty()) fixes.emplace_back();
        fixes.back() += line.toStdString() + "\r\n";
    }
    return fixes;
}

// A receiver's fixes along the longest waterway of the demo area, one second and 25 m apart,
// its clock starting at the computer's. The program's clock follows the receiver's; it records
// a track point every five seconds of that clock.
std::vector<std::string> FixesAlongAWaterway(int count = 400, double spacingM = 25.0);

class TReceiver {
public:
    // The machine's serial ports while the receiver lives: its device path when plugged in.
    explicit TReceiver(QString link);
    ~TReceiver();
    TReceiver(const TReceiver &) = delete;
    TReceiver &operator=(const TReceiver &) = delete;

    // Plugs the receiver in: it sends these fixes over and over.
    void Plug(std::vector<std::string> fixes);
    // Pulls the cable: the line closes under the program's feet and the device path goes.
    void Unplug();
    bool Plugged() const { return bool(FPty); }
    const QString &Link() const { return FLink; }
    // Fixes sent since the last Plug.
    int Sent() const { return FSent; }

private:
    void Run();

    QString FLink;
    std::unique_ptr<testsupport::TTestPty> FPty;
    std::vector<std::string> FFixes;
    std::atomic<bool> FStop{false};
    std::atomic<int> FSent{0};
    std::thread FThread;
    kv::TSerialPortSource FOldPorts;
    std::function<QStringList()> FOldWatched;
};

}  // namespace acceptance
