// The core environment and the reporting of exceptions that program callbacks let out.
#include "environment/Dispatcher.h"
#include "environment/NavEnvInternal.h"
#include "kernel/KvInternal.h"
#include "online/WebServicesTransport.h"

#include "KvLibNav6/KvLib.h"
#include "KvLibNav6/KvNavEnv.h"

#include <QDir>
#include <QTemporaryDir>
#include <QThread>
#include <cxxabi.h>
#include <cstdlib>
#include <exception>
#include <typeinfo>

namespace kv {

namespace {

QString CurrentExceptionClassName() {
    const std::type_info *type = abi::__cxa_current_exception_type();
    if (!type) return QStringLiteral("(unknown)");
    int status = 0;
    char *plain = abi::__cxa_demangle(type->name(), nullptr, nullptr, &status);
    const QString name = QString::fromUtf8(status == 0 && plain ? plain : type->name());
    std::free(plain);
    return name;
}

}  // namespace

void ReportCallbackException() noexcept {
    try {
        const QString className = CurrentExceptionClassName();
        QString message;
        try {
            throw;
        } catch (const std::exception &e) {
            message = QString::fromUtf8(e.what());
        } catch (...) {
            // Not a standard exception: the class name is all there is to tell.
        }
        IExceptionHandler *handler = ExceptionHandlerGet();
        handler->ExceptionRaised(ToRec(className), ToRec(message));
        // The thread identifier the handler files raised exceptions under.
        handler->HandleException(uint32_t(reinterpret_cast<quintptr>(QThread::currentThreadId())));
    } catch (...) {
        // Reporting itself failed (out of memory): nothing is left to report it to.
    }
}

namespace {

class TNavEnv final : public INavEnv {
public:
    TNavEnv()
        : FWorkDir(QDir::tempPath() + QStringLiteral("/KvLibNav6-work-XXXXXX")) {
        // Removed with the environment: unpacked pages are only valid for this run.
        QString folder = FWorkDir.isValid() ? FWorkDir.path() : QDir::tempPath();
        if (!folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
        FWorkFolder.Set(folder);
    }

    INavMessageDispatcher *GetDispatcher() override { return &FDispatcher; }
    const TStrWRec *GetWorkFolder() override { return FWorkFolder.Get(); }

private:
    QTemporaryDir FWorkDir;
    TOwnedText FWorkFolder;
    TNavMessageDispatcher FDispatcher;
};

}  // namespace

}  // namespace kv

INavEnv *NavEnvCreate() {
    // The program's start: from here on the online clients reach the services the settings
    // name.
    kv::InstallWebTransportFromSettings();
    return new kv::TNavEnv();
}
