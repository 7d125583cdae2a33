// Notices the computer's clock being set (by the user, NTP stepping it, a resume): a timer
// on the real-time clock that the kernel cancels whenever the clock is set. The receiver
// runs on the GUI thread, once per change. Without that kernel facility nothing is
// reported.
#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

class TClockWatcher : public QObject {
public:
    explicit TClockWatcher(QObject *parent, std::function<void()> onClockSet);
    ~TClockWatcher() override;

    // Whether the watch is armed.
    bool Active() const { return FFd >= 0; }

private:
    void Arm();
    void Fired();

    std::function<void()> FOnClockSet;
    int FFd = -1;
    QSocketNotifier *FNotifier = nullptr;
};
