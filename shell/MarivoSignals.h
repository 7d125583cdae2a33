// SIGTERM and SIGINT end the program in order instead of killing it. The signal handler
// only writes a byte into a pipe; a notifier on the pipe's other end calls the program's
// handler on the GUI thread, from the event loop. One instance at a time; the previous
// signal handling comes back when it goes.
#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

class TTerminationSignals : public QObject {
public:
    explicit TTerminationSignals(std::function<void()> onSignal);
    ~TTerminationSignals() override;

private:
    void Read();

    std::function<void()> FOnSignal;
    QSocketNotifier *FNotifier = nullptr;
};
