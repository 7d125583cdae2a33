// The process-wide exception handler and its plain-text log.
#include "kernel/KvInternal.h"
#include "KvLibNav6/KvLib.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QMutex>
#include <QThread>
#include <map>

#include <csignal>

namespace {

struct TRaised {
    QString ClassName;
    QString Message;
};

class TExceptionHandler final : public IExceptionHandler {
public:
    void HandleException(uint32_t threadId) override {
        TRaised last;
        {
            QMutexLocker lock(&FMutex);
            // Taken, not copied: a later report without a new raise must not repeat it.
            auto it = FLastRaised.find(threadId);
            if (it != FLastRaised.end()) {
                last = it->second;
                FLastRaised.erase(it);
            }
        }
        if (last.ClassName.isEmpty()) last.ClassName = QStringLiteral("(unknown)");
        WriteLine(threadId, QStringLiteral("Unhandled ") + last.ClassName, last.Message);
    }

    void ExceptionObjectCreated(void *osExceptionRecord) override {
        // On this platform the record is the siginfo_t of a fatal signal.
        QString what = QStringLiteral("Fatal signal");
        if (osExceptionRecord) {
            const auto *info = static_cast<const siginfo_t *>(osExceptionRecord);
            what += QStringLiteral(" %1").arg(info->si_signo);
        }
        WriteLine(CurrentThreadId(), what, QString());
    }

    void ExceptionRaised(const TStrWRec &className, const TStrWRec &message) override {
        // Remembered, not logged: most raises are caught by the program itself; the log
        // gets the one that reaches HandleException.
        QMutexLocker lock(&FMutex);
        FLastRaised[CurrentThreadId()] = {kv::ToQString(className), kv::ToQString(message)};
    }

    const TStrWRec *LogFileName() {
        QMutexLocker lock(&FMutex);
        return FLogFileText.Get();
    }

    void SetLogFileName(const QString &file) {
        QMutexLocker lock(&FMutex);
        FLogFile = file;
        FLogFileText.Set(file);
    }

    TExceptionHandler() {
        SetLogFileName(QDir::tempPath() + QStringLiteral("/KvLibNav6.exceptions.log"));
    }

private:
    static uint32_t CurrentThreadId() {
        return uint32_t(reinterpret_cast<quintptr>(QThread::currentThreadId()));
    }

    void WriteLine(uint32_t threadId, const QString &what, const QString &message) {
        QMutexLocker lock(&FMutex);
        QFile file(FLogFile);
        if (!file.open(QIODevice::Append | QIODevice::Text)) return;  // nowhere to report to
        QString line = QDateTime::currentDateTime().toString(Qt::ISODateWithMs) +
                       QStringLiteral("\tthread %1\t").arg(threadId) + what;
        if (!message.isEmpty()) line += QStringLiteral("\t") + QString(message).replace('\n', ' ');
        file.write(line.toUtf8() + '\n');
    }

    QMutex FMutex;
    std::map<uint32_t, TRaised> FLastRaised;
    QString FLogFile;
    kv::TOwnedText FLogFileText;
};

TExceptionHandler &Handler() {
    static TExceptionHandler handler;
    return handler;
}

}  // namespace

IExceptionHandler *ExceptionHandlerGet() {
    return &Handler();
}

const TStrWRec *GetExceptionLogFileName() {
    return Handler().LogFileName();
}

void SetExceptionLogFileName(const TStrWRec &file) {
    Handler().SetLogFileName(kv::ToQString(file));
}
