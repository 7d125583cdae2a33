#include "base/platform/KvClockWatcher.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstdint>
#include <limits>
#include <ctime>
#include <sys/timerfd.h>
#include <unistd.h>

TClockWatcher::TClockWatcher(QObject *parent, std::function<void()> onClockSet)
    : QObject(parent), FOnClockSet(std::move(onClockSet)) {
    FFd = timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
    if (FFd < 0) return;
    Arm();
    FNotifier = new QSocketNotifier(FFd, QSocketNotifier::Read, this);
    connect(FNotifier, &QSocketNotifier::activated, this, [this] { Fired(); });
}

TClockWatcher::~TClockWatcher() {
    if (FFd >= 0) ::close(FFd);
}

void TClockWatcher::Arm() {
    // An expiry that never comes: only the cancellation on a clock set wakes the watch.
    itimerspec spec{};
    spec.it_value.tv_sec = std::numeric_limits<time_t>::max() / 2;
    if (timerfd_settime(FFd, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &spec, nullptr) != 0) {
        ::close(FFd);
        FFd = -1;
    }
}

void TClockWatcher::Fired() {
    uint64_t expirations = 0;
    const ssize_t n = ::read(FFd, &expirations, sizeof expirations);
    const bool clockSet = n < 0 && errno == ECANCELED;
    Arm();  // a cancelled timer stays cancelled until set again
    if (clockSet && FOnClockSet) FOnClockSet();
}
