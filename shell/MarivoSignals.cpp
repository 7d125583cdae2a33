#include "shell/MarivoSignals.h"

#include "base/kvlib/KvExceptions.h"

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

int GPipe[2] = {-1, -1};
constexpr int Signals[] = {SIGTERM, SIGINT};
struct sigaction GPrevious[std::size(Signals)];

void OnSignal(int) {
    const int saved = errno;
    const char byte = 1;
    // A full pipe already holds a request; nothing more to say.
    [[maybe_unused]] const ssize_t written = ::write(GPipe[1], &byte, 1);
    errno = saved;
}

}  // namespace

TTerminationSignals::TTerminationSignals(std::function<void()> onSignal)
    : FOnSignal(std::move(onSignal)) {
    if (::pipe2(GPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        GPipe[0] = GPipe[1] = -1;
        return;  // the signals keep their default effect
    }
    FNotifier = new QSocketNotifier(GPipe[0], QSocketNotifier::Read, this);
    connect(FNotifier, &QSocketNotifier::activated, this, &TTerminationSignals::Read);
    for (size_t i = 0; i < std::size(Signals); ++i) {
        struct sigaction action {};
        action.sa_handler = OnSignal;
        action.sa_flags = SA_RESTART;
        sigemptyset(&action.sa_mask);
        sigaction(Signals[i], &action, &GPrevious[i]);
    }
}

TTerminationSignals::~TTerminationSignals() {
    if (GPipe[0] < 0) return;
    for (size_t i = 0; i < std::size(Signals); ++i) sigaction(Signals[i], &GPrevious[i], nullptr);
    delete FNotifier;
    ::close(GPipe[0]);
    ::close(GPipe[1]);
    GPipe[0] = GPipe[1] = -1;
}

void TTerminationSignals::Read() {
    char buffer[16];
    bool received = false;
    while (::read(GPipe[0], buffer, sizeof buffer) > 0) received = true;
    if (!received) return;
    try {
        FOnSignal();
    } catch (...) {
        ReportCurrentException();
    }
}
