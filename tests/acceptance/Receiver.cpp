#include "Receiver.h"

#include "base/platform/KvPortWatcher.h"
#include "shell/FrmMarivo6Main.h"

namespace acceptance {

namespace {
constexpr auto FixInterval = std::chrono::milliseconds(250);
constexpr auto IdleInterval = std::chrono::milliseconds(20);
}  // namespace

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
