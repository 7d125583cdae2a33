// The downloads of the HTTP transport, each on a thread of its own with its own network
// access manager: the reply is read and its bytes written, checked and put in place there;
// the GUI thread only hears of the progress and of the answer.
#include "online/WebServicesHttp.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSet>
#include <QThread>

#include <atomic>
#include <filesystem>
#include <system_error>
#include <utility>

namespace kv {

namespace {

bool HasSuccessStatus(QNetworkReply *reply) {
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    return status >= 200 && status < 300;
}

// The file a download's bytes go to: TargetFile, or below it when it names a folder, under
// the name the service gives.
QString DownloadPath(const TWebRequest &request, QNetworkReply *reply) {
    if (!request.TargetFile.endsWith(QLatin1Char('/')) && !QFileInfo(request.TargetFile).isDir())
        return request.TargetFile;
    const QString name = QFileInfo(reply->header(QNetworkRequest::ContentDispositionHeader)
                                       .toString()
                                       .section(QLatin1String("filename="), 1)
                                       .remove(QLatin1Char('"')))
                             .fileName();
    return name.isEmpty() ? QString() : QDir(request.TargetFile).filePath(name);
}

std::filesystem::path FsPath(const QString &path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

// A download's bytes go to its file as they arrive, so that a large file never waits in
// memory. With an expected size they go to "<file>.part" first, which replaces the file
// only when it is complete and of that size: an older file stays as it was until then.
class TDownloadSink {
public:
    explicit TDownloadSink(const TWebRequest &request) : FRequest(request) {
        // One left by an earlier run that ended midway.
        if (request.ExpectedSize >= 0 && !request.TargetFile.endsWith(QLatin1Char('/')))
            QFile::remove(request.TargetFile + QStringLiteral(".part"));
    }

    void Write(QNetworkReply *reply) {
        if (FError == KvErr::Ok && !FFile.isOpen()) Open(reply);
        const QByteArray bytes = reply->readAll();
        if (FError == KvErr::Ok && FFile.write(bytes) != bytes.size()) FError = KvErr::WriteFailed;
    }

    // Ends the file; a failed, cut or wrong-sized transfer leaves none behind. KvErr value.
    int32_t Finish(bool complete) {
        const bool opened = FFile.isOpen();
        if (opened && !FFile.flush() && FError == KvErr::Ok) FError = KvErr::WriteFailed;
        FFile.close();
        if (FError == KvErr::Ok && (!complete || !opened)) FError = KvErr::NetworkAnswer;
        if (FError == KvErr::Ok && FRequest.ExpectedSize >= 0) FError = Place();
        if (FError != KvErr::Ok && opened) FFile.remove();
        return FError;
    }

private:
    void Open(QNetworkReply *reply) {
        FPath = DownloadPath(FRequest, reply);
        if (FPath.isEmpty()) {
            FError = KvErr::NetworkAnswer;
            return;
        }
        FFile.setFileName(FRequest.ExpectedSize >= 0 ? FPath + QStringLiteral(".part") : FPath);
        if (!FFile.open(QIODevice::WriteOnly | QIODevice::Truncate)) FError = KvErr::WriteFailed;
    }

    // The part file takes the final name in one step, replacing an older file.
    int32_t Place() {
        if (FFile.size() != FRequest.ExpectedSize) return KvErr::NetworkAnswer;
        std::error_code ec;
        std::filesystem::rename(FsPath(FFile.fileName()), FsPath(FPath), ec);
        return ec ? KvErr::WriteFailed : KvErr::Ok;
    }

    const TWebRequest &FRequest;
    QString FPath;
    QFile FFile;
    int32_t FError = KvErr::Ok;
};

TWebAnswer ReadDownload(QNetworkReply *reply, TDownloadSink &sink) {
    TWebAnswer answer;
    if (!ReadReplyStatus(reply, answer)) {
        sink.Finish(false);
        return answer;
    }
    if (!SuccessStatus(answer)) {
        sink.Finish(false);
        ReadDocumentAnswer(reply, answer);
        return answer;
    }
    sink.Write(reply);
    // Qt reports a connection closed before the announced length as an error.
    const bool complete = reply->error() == QNetworkReply::NoError;
    answer.Error = sink.Finish(complete);
    if (answer.Error != KvErr::Ok && !complete) answer.StatusText = reply->errorString();
    return answer;
}

class TDownloadThread final : public QThread {
public:
    TDownloadThread(const void *owner, const QNetworkRequest &http, const QByteArray &body,
                    const TWebRequest &request, IWebTransport::TProgress progress)
        : FOwner(owner), FHttp(http), FBody(body), FRequest(request), FProgress(std::move(progress)) {}

    const void *Owner() const { return FOwner; }
    // Any thread: the transfer ends as a failed one.
    void Cut() { QThread::exit(); }
    // Set when the thread has finished.
    TWebAnswer Answer;

protected:
    void run() override {
        QNetworkAccessManager manager;
        QNetworkReply *reply = manager.post(FHttp, FBody);
        TDownloadSink sink(FRequest);
        QObject::connect(reply, &QNetworkReply::readyRead, reply, [reply, &sink] {
            if (HasSuccessStatus(reply)) sink.Write(reply);
        });
        if (FProgress) {
            QObject::connect(reply, &QNetworkReply::downloadProgress, reply,
                             [this](qint64 received, qint64) { Report(received); });
        }
        QObject::connect(reply, &QNetworkReply::finished, reply, [this] { QThread::exit(); });
        // A cut before this point makes exec return at once.
        exec();
        if (!reply->isFinished()) reply->abort();
        Answer = ReadDownload(reply, sink);
        delete reply;
    }

private:
    // Only the latest count matters: one report waits on the GUI thread at a time.
    void Report(qint64 received) {
        FReceived = received;
        if (FReportQueued.exchange(true)) return;
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [this] {
                FReportQueued = false;
                FProgress(FReceived);
            },
            Qt::QueuedConnection);
    }

    const void *FOwner;
    QNetworkRequest FHttp;
    QByteArray FBody;
    TWebRequest FRequest;
    IWebTransport::TProgress FProgress;
    std::atomic<qint64> FReceived{0};
    std::atomic<bool> FReportQueued{false};
};

// The downloads under way (GUI thread).
QSet<TDownloadThread *> &Running() {
    static QSet<TDownloadThread *> threads;
    return threads;
}

// When the application ends first, its downloads are cut and waited for: a thread must not
// outlive the objects it posts to.
void StopAllDownloads() {
    const QSet<TDownloadThread *> threads = std::exchange(Running(), {});
    for (TDownloadThread *thread : threads) {
        thread->Cut();
        thread->wait();
        delete thread;
    }
}

}  // namespace

void StartDownload(const void *owner, const QNetworkRequest &http, const QByteArray &body,
                   const TWebRequest &request, IWebTransport::TProgress progress,
                   IWebTransport::TDone done) {
    QCoreApplication *app = QCoreApplication::instance();
    if (!app) {
        TWebAnswer answer;
        answer.Error = KvErr::NetworkFailed;
        if (done) done(answer);
        return;
    }
    auto *thread = new TDownloadThread(owner, http, body, request, std::move(progress));
    if (Running().isEmpty()) {
        qRemovePostRoutine(StopAllDownloads);
        qAddPostRoutine(StopAllDownloads);
    }
    Running().insert(thread);
    // Queued behind every progress report the thread posted.
    QObject::connect(thread, &QThread::finished, app, [thread, done = std::move(done)] {
        if (!Running().remove(thread)) return;
        thread->wait();
        const TWebAnswer answer = thread->Answer;
        delete thread;
        if (done) done(answer);
    });
    thread->start();
}

void StopDownloads(const void *owner) {
    for (TDownloadThread *thread : std::as_const(Running()))
        if (thread->Owner() == owner) thread->Cut();
}

}  // namespace kv
