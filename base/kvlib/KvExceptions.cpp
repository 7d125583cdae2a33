#include "base/kvlib/KvExceptions.h"

#include "base/kvlib/KvErrors.h"
#include "base/kvlib/KvStrings.h"

#include <KvLibNav6/KvLib.h>

#include <QThread>
#include <clocale>
#include <csignal>
#include <cstdlib>
#include <cxxabi.h>
#include <exception>
#include <typeinfo>

namespace {

TExceptionListener &Listener() {
    static TExceptionListener listener;
    return listener;
}

std::terminate_handler PreviousTerminate = nullptr;
bool Installed = false;
constexpr int FatalSignals[] = {SIGSEGV, SIGBUS, SIGILL, SIGFPE};
struct sigaction PreviousActions[std::size(FatalSignals)];

QString Demangle(const char *name) {
    if (!name) return QStringLiteral("(unknown)");
    int status = 0;
    char *plain = abi::__cxa_demangle(name, nullptr, nullptr, &status);
    QString result = QString::fromUtf8(status == 0 && plain ? plain : name);
    std::free(plain);
    return result;
}

// The thread identifier the library's handler files raised exceptions under.
uint32_t CurrentThreadId() {
    return uint32_t(reinterpret_cast<quintptr>(QThread::currentThreadId()));
}

void OnTerminate() {
    if (std::current_exception()) {
        try {
            throw;
        } catch (...) {
            ReportCurrentException();
        }
    }
    if (PreviousTerminate) PreviousTerminate();
    std::abort();
}

void OnFatalSignal(int signo, siginfo_t *info, void *) {
    // Best effort: the process is lost anyway, the log line is what is left for the user.
    ExceptionHandlerGet()->ExceptionObjectCreated(info);
    std::signal(signo, SIG_DFL);
    std::raise(signo);
}

}  // namespace

void ReportException(const QString &className, const QString &message) noexcept {
    try {
        IExceptionHandler *handler = ExceptionHandlerGet();
        handler->ExceptionRaised(StrW(className), StrW(message));
        handler->HandleException(CurrentThreadId());
        if (Listener()) Listener()(className, message);
    } catch (...) {
        // Reporting must never raise on its own; nothing is left to tell.
    }
}

void ReportCurrentException() noexcept {
    QString className;
    QString message;
    try {
        throw;
    } catch (const Exception &e) {
        className = Demangle(typeid(e).name());
        message = e.Message();
    } catch (const std::exception &e) {
        className = Demangle(typeid(e).name());
        message = QString::fromLocal8Bit(e.what());
    } catch (...) {
        // Any other thrown value: its type is all there is to tell.
        className = Demangle(abi::__cxa_current_exception_type()
                                 ? abi::__cxa_current_exception_type()->name()
                                 : nullptr);
    }
    ReportException(className, message);
}

TExceptionListener SetExceptionListener(TExceptionListener listener) {
    TExceptionListener previous = std::move(Listener());
    Listener() = std::move(listener);
    return previous;
}

void InstallExceptionReporting() {
    if (Installed) return;
    Installed = true;
    PreviousTerminate = std::set_terminate(OnTerminate);
    for (size_t i = 0; i < std::size(FatalSignals); ++i) {
        struct sigaction action {};
        action.sa_sigaction = OnFatalSignal;
        action.sa_flags = SA_SIGINFO | SA_RESETHAND;
        sigemptyset(&action.sa_mask);
        sigaction(FatalSignals[i], &action, &PreviousActions[i]);
    }
}

void UninstallExceptionReporting() {
    if (!Installed) return;
    Installed = false;
    for (size_t i = 0; i < std::size(FatalSignals); ++i)
        sigaction(FatalSignals[i], &PreviousActions[i], nullptr);
    std::set_terminate(PreviousTerminate);
    PreviousTerminate = nullptr;
}

TReportingApplication::TReportingApplication(int &argc, char **argv) : QApplication(argc, argv) {
    // QApplication took the whole locale from the environment; a decimal comma there would
    // turn "52.5" into "52,5" in every printf and make strtod stop at the point.
    std::setlocale(LC_NUMERIC, "C");
}

bool TReportingApplication::notify(QObject *receiver, QEvent *event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ReportCurrentException();
        return false;
    }
}
