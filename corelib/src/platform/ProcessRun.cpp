// RunAndWait: a companion program runs while the GUI thread keeps calling the caller's wait
// callback, so the caller decides whether window messages are processed meanwhile.
#include "kernel/KvInternal.h"
#include "platform/FilesCommon.h"
#include "KvLibNav6/KvFiles.h"

#include <QFileInfo>
#include <QObject>
#include <QProcess>
#include <QStandardPaths>

namespace {

constexpr int WaitSliceMs = 50;

// The program to start, or empty when there is none: a path must name an executable file,
// a bare name is looked up along PATH.
QString ResolveProgram(const QString &program) {
    if (program.contains(QLatin1Char('/'))) {
        const QFileInfo info(program);
        return info.isFile() && info.isExecutable() ? info.absoluteFilePath() : QString();
    }
    return QStandardPaths::findExecutable(program);
}

// A program the caller stopped waiting for keeps running: its QProcess is left alone (a
// destroyed QProcess kills its program) and releases itself once the program ends.
void Abandon(QProcess *process) {
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    if (process->state() == QProcess::NotRunning) process->deleteLater();
}

}  // namespace

void RunAndWait(const TStrWRec &program, const TStrWRec &params, const TStrWRec &folder,
                WindowHandle window, int32_t value, WaitProc cb, void *data,
                int32_t &exitValue, int32_t &err) {
    exitValue = -1;
    const QString name = kv::NormalPath(kv::ToQString(program));
    if (name.isEmpty()) {
        err = KvErr::InvalidArgument;
        return;
    }
    const QString resolved = ResolveProgram(name);
    if (resolved.isEmpty()) {
        err = KvErr::NotFound;  // at once: QProcess would otherwise only fail on start
        return;
    }
    const QString dir = kv::NormalPath(kv::ToQString(folder));
    if (!dir.isEmpty() && !QFileInfo(dir).isDir()) {
        err = KvErr::NotFound;
        return;
    }

    auto *process = new QProcess;
    process->setProgram(resolved);
    process->setArguments(QProcess::splitCommand(kv::ToQString(params)));
    if (!dir.isEmpty()) process->setWorkingDirectory(dir);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setInputChannelMode(QProcess::ForwardedInputChannel);
    process->start();
    if (!process->waitForStarted(10000)) {
        err = process->error() == QProcess::FailedToStart ? KvErr::AccessDenied : KvErr::Failed;
        delete process;
        return;
    }

    bool stop = false;
    while (process->state() != QProcess::NotRunning) {
        if (process->waitForFinished(WaitSliceMs)) break;
        if (cb) {
            cb(data, stop);
            if (stop) break;
        }
    }
    if (process->state() != QProcess::NotRunning) {
        Abandon(process);
        err = KvErr::Cancelled;
        return;
    }
    if (process->exitStatus() == QProcess::CrashExit) {
        err = KvErr::Failed;
    } else {
        exitValue = process->exitCode();
        err = KvErr::Ok;
    }
    delete process;
}
