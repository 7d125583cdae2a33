#include "base/files/KvFiles.h"

#include "base/kvlib/KvExceptions.h"
#include "base/kvlib/KvStrings.h"

#include <KvLibNav6/KvFiles.h>

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <atomic>

void DirCreateA(const QString &folder, int32_t &err) {
    DirCreate(StrW(folder), err);
}

void DirDeleteTreeA(const QString &folder, bool f1, bool f2, bool f3, int32_t &err) {
    DirDeleteTree(StrW(folder), f1, f2, f3, err);
}

bool DirExistsA(const QString &folder) {
    return DirExists(StrW(folder));
}

void DiskGetFreeSpaceA(const QString &path, int64_t &freeBytes, int64_t *totalBytes,
                       int32_t value, int32_t &err) {
    DiskGetFreeSpace(StrW(path), freeBytes, totalBytes, value, err);
}

void FileCopyA(const QString &source, const QString &dest, int32_t options, int32_t v1,
               int32_t v2, int32_t v3, int32_t &err) {
    FileCopy(StrW(source), StrW(dest), options, v2, v1, v3, err);
}

void FileCopyExA(const QString &source, const QString &dest, int32_t options, bool flag,
                 int32_t v1, int32_t v2, int32_t v3, int32_t v4, int32_t &err) {
    FileCopyEx(StrW(source), StrW(dest), options, flag, v1, v3, v2, v4, err);
}

void FileCreateUnique(const QString &folder, const QString &fileName, int32_t &err,
                      QString &created) {
    TStrWOut out;
    _FileCreateUnique(StrW(folder), StrW(fileName), out.get(), err);
    created = out.Text();
}

void FileDeleteA(const QString &fileName, int32_t &err) {
    FileDelete(StrW(fileName), err);
}

int64_t FileGetSizeA(const QString &fileName, int32_t &err) {
    return FileGetSize_F(StrW(fileName), err);
}

TDateTime FileGetTimeModifiedA(const QString &fileName, int32_t &err) {
    return FileGetTimeModified(StrW(fileName), err);
}

void FileMoveA(const QString &source, const QString &dest, bool flag, int32_t &err) {
    FileMove(StrW(source), StrW(dest), flag, err);
}

int32_t FileReadTextW(const QString &fileName, QString &text, int32_t codePage, int32_t &err) {
    text.clear();
    TStrWOut out;
    const int32_t result = FileReadText(StrW(fileName), out.get(), codePage, err);
    text = out.Text();
    return result;
}

void FileWriteTextW(const QString &fileName, const QString &text, int32_t format,
                    int32_t codePage, int32_t &err) {
    FileWriteText(StrW(fileName), StrW(text), format, codePage, err);
}

void FindFilesA(const QString &folder, const QString &mask, bool flag, QStringList &list) {
    list.clear();
    TStrWListOut out;
    FindFiles(StrW(folder), StrW(mask), flag, out.get());
    list = out.Strings();
}

QString GetTempDir() {
    TStrWOut out;
    _GetTempDir(out.get());
    return out.Text();
}

namespace {

std::atomic<bool> Terminated{false};

// Notices a quit request that arrives while a wait runs inside a nested loop.
class TQuitWatcher : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Quit && watched == QCoreApplication::instance())
            Terminated = true;
        return false;
    }
};

void WatchQuit() {
    static QCoreApplication *watched = nullptr;
    QCoreApplication *app = QCoreApplication::instance();
    if (!app || app == watched) return;
    watched = app;
    app->installEventFilter(new TQuitWatcher(app));
}

// Wait callbacks the library calls on the GUI thread: they must not raise.
void WaitOnly(void *, bool &stop) {
    stop = ApplicationTerminated();
}

void WaitProcessing(void *, bool &stop) {
    try {
        QCoreApplication::processEvents();
    } catch (...) {
        ReportCurrentException();  // a library callback must not let it through
    }
    stop = ApplicationTerminated();
}

}  // namespace

bool ApplicationTerminated() {
    return Terminated || !QCoreApplication::instance() || QCoreApplication::closingDown();
}

void SetApplicationTerminated(bool terminated) {
    Terminated = terminated;
}

void RunAndWaitA(const QString &program, const QString &parameters, const QString &folder,
                 WindowHandle window, int32_t value, bool processMessages, int32_t &exitValue,
                 int32_t &err) {
    WatchQuit();
    RunAndWait(StrW(program), StrW(parameters), StrW(folder), window, value,
               processMessages ? WaitProcessing : WaitOnly, nullptr, exitValue, err);
}
