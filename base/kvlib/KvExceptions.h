// Every unexpected exception of the program goes to the core library's exception handler,
// which writes the exception log. Exceptions are reported where they are caught: in the
// application's event dispatch, in std::terminate, in callbacks of the library and, for a
// fatal signal, in the signal handler.
#pragma once

#include <QApplication>
#include <QString>
#include <functional>

// Installs the terminate and fatal-signal hooks; UninstallExceptionReporting undoes it.
void InstallExceptionReporting();
void UninstallExceptionReporting();

// Reports the exception being handled; call it only inside a catch block. Never throws.
void ReportCurrentException() noexcept;
// Reports an exception by its class name and message (empty for objects that carry none).
void ReportException(const QString &className, const QString &message) noexcept;

// Something that wants to know of every report besides the log (the test harness fails a
// test on it). Returns the previous listener.
using TExceptionListener = std::function<void(const QString &className, const QString &message)>;
TExceptionListener SetExceptionListener(TExceptionListener listener);

// The application object of the program: no exception leaves an event handler, and numbers
// the C library formats or reads (NMEA sentences, projection strings, journals) keep their
// decimal point whatever the user's locale; Qt's own formatting still follows the locale.
class TReportingApplication : public QApplication {
public:
    TReportingApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};
