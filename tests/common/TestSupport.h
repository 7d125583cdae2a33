// Shared test helpers.
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QProcess;
class QWidget;

namespace testsupport {

// A fresh folder below the test run's temporary root, removed when the process ends.
QString MakeTempDir(const QString &name);
// Root of the project's sources.
QString SourcePath(const QString &relative);
// A file or folder of the shared outside test data. That data is always there, in CI and on
// developers' machines: a missing one fails the calling test (a skip would hide a broken
// path); the caller asserts what it needs before it goes on.
QString TestDataPath(const QString &relative);

// A fresh, empty settings store in a folder of its own while the object lives (opened with
// InitApplication as the program does); the previous location comes back afterwards.
class TPrivateSettingsStore {
public:
    explicit TPrivateSettingsStore(const QString &name = QStringLiteral("settings"));
    ~TPrivateSettingsStore();
    bool Opened() const { return FOpened; }

private:
    QByteArray FOldConfig;
    bool FOpened = false;
};

// While alive, the clock the boat sails by reads 09:00 UTC of the next working day (Monday to
// Friday) and runs on from there, as if a receiver had delivered that time: plans then meet
// the demo's bridges and locks in their opening hours, whatever the hour the test runs at.
// Afterwards the clock runs on the computer's time again.
class TWorkingMorningClock {
public:
    TWorkingMorningClock();
    ~TWorkingMorningClock();
    TWorkingMorningClock(const TWorkingMorningClock &) = delete;
    TWorkingMorningClock &operator=(const TWorkingMorningClock &) = delete;
    double StartUtc() const { return FStart; }  // the date and time set, in days (TDateTime)

private:
    double FStart = 0.0;
};

// While alive, reports to the exception handler are collected instead of failing the test.
class TExpectReports {
public:
    TExpectReports();
    ~TExpectReports();
    int Count() const { return int(FReports.size()); }
    const QString &ClassName(int i) const { return FReports.at(size_t(i)).first; }
    const QString &Message(int i) const { return FReports.at(size_t(i)).second; }

private:
    std::vector<std::pair<QString, QString>> FReports;
    std::function<void(const QString &, const QString &)> FPrevious;
};

// This test program started again as the other process of a test: it runs only the hidden
// test named (a DISABLED_ one, which ctest never runs), with the variables given, and the
// test follows the lines it prints. A child still running when the object goes is killed.
class TChildProcess {
public:
    TChildProcess(const QString &test, const std::vector<std::pair<QString, QString>> &env);
    ~TChildProcess();
    // Waits until the child has printed `line`, on a line of its own, `count` times; false
    // when it ends or stays silent for a minute first.
    bool WaitForLine(const QByteArray &line, int count = 1);
    // Kills the child at once; true when the kill is what ended it.
    bool Kill();
    const QByteArray &Output() const { return FSeen; }

private:
    std::unique_ptr<QProcess> FProcess;
    QByteArray FSeen;
};

// The child's side: one line to the parent, sent at once.
void TellParent(const char *line);

// Runs `act` on the first modal widget that appears (10 ms poll, gives up after 5 s).
void WhenModalAppears(std::function<void(QWidget *)> act);

}  // namespace testsupport
