#include "Receiver.h"

#include "DemoData.h"
#include "base/platform/KvPortWatcher.h"
#include "shell/FrmMarivo6Main.h"

#include <QDateTime>
#include <QtMath>

#include <cmath>

namespace acceptance {

namespace {
constexpr auto FixInterval = std::chrono::milliseconds(250);
constexpr auto IdleInterval = std::chrono::milliseconds(20);
}  // namespace

std::vector<std::string> FixesAlongAWaterway(int count, double spacingM) {
    const demo::TNetwork network = demo::BuildDemoNetwork();
    const demo::TSection *longest = &network.Sections.front();
    for (const demo::TSection &s : network.Sections)
        if (s.LengthM > longest->LengthM) longest = &s;
    std::vector<std::string> fixes;
    const QDateTime start = QDateTime::currentDateTimeUtc();
    for (int i = 0; i < count; ++i) {
        const demo::TLonLat here = demo::PolylinePoint(longest->Line, i * spacingM);
        const demo::TLonLat ahead = demo::PolylinePoint(longest->Line, (i + 1) * spacingM);
        testsupport::TNmeaFix fix;
        fix.Position = TGeoPoint{qDegreesToRadians(here.Lat), qDegreesToRadians(here.Lon)};
        fix.Course = std::atan2((ahead.Lon - here.Lon) * std::cos(qDegreesToRadians(here.Lat)), ahead.Lat - here.Lat);
        fix.Knots = 6.0;
        fix.UTC = start.addSecs(i);
        fixes.push_back(testsupport::NmeaFix(fix));
    }
    return fixes;
}

TReceiver::TReceiver(QString link) : FLink(std::move(link)) {
    const QString path = FLink;
    FOldPorts = kv::SetSerialPortSource([path] {
        QList<kv::TSerialPortCandidate> list;
        if (QFileInfo::exists(path)) list.append({path, QStringLiteral("GPS receiver")});
        return list;
    });
    FOldWatched = TFormMarivo6Main::SetPortSource(TPortWatcher::ExistingPaths({FLink}));
}

TReceiver::~TReceiver() {
    Unplug();
    TFormMarivo6Main::SetPortSource(std::move(FOldWatched));
    kv::SetSerialPortSource(std::move(FOldPorts));
}

void TReceiver::Plug(std::vector<std::string> fixes) {
    Unplug();
    FFixes = std::move(fixes);
    FSent = 0;
    FPty = std::make_unique<testsupport::TTestPty>(FLink, B9600);
    FStop = false;
    FThread = std::thread([this] { Run(); });
}

void TReceiver::Unplug() {
    if (!FPty) return;
    FStop = true;
    FThread.join();
    FPty.reset();
}

void TReceiver::Run() {
    size_t next = 0;
    while (!FStop && !FFixes.empty()) {
        if (FPty->LineSpeed() != B4800) {
            std::this_thread::sleep_for(IdleInterval);
            continue;
        }
        FPty->Write(FFixes[next]);
        next = (next + 1) % FFixes.size();
        ++FSent;
        std::this_thread::sleep_for(FixInterval);
    }
}

}  // namespace acceptance
