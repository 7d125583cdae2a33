// The HTTP transport of the online clients (protocol in WebServicesTransport.h). Requests
// run on the GUI thread's event loop through one QNetworkAccessManager; the answer callbacks
// are called from its signals, on that thread.
#include "kernel/KvInternal.h"
#include "online/WebServicesTransport.h"

#include "KvLibNav6/KvAppReg.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QHttpMultiPart>
#include <QMimeDatabase>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QFile>

#include <memory>

namespace kv {

namespace {

// A service that has not answered after this long is taken as unreachable.
constexpr int TransferTimeoutMs = 10000;

QByteArray RequestBody(const TWebRequest &request) {
    QJsonObject fields;
    for (const auto &field : request.Fields) fields.insert(field.first, field.second);
    return QJsonDocument(fields).toJson(QJsonDocument::Compact);
}

QHttpPart TextPart(const QString &name, const QByteArray &value) {
    QHttpPart part;
    part.setHeader(QNetworkRequest::ContentDispositionHeader,
                   QStringLiteral("form-data; name=\"%1\"").arg(name));
    part.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("text/plain; charset=utf-8"));
    part.setBody(value);
    return part;
}

// The fields and the file in one form; nullptr when the file cannot be read.
QHttpMultiPart *UploadBody(const TWebRequest &request) {
    auto file = std::make_unique<QFile>(request.UploadFile);
    if (!file->open(QIODevice::ReadOnly)) return nullptr;
    auto *form = new QHttpMultiPart(QHttpMultiPart::FormDataType);
    for (const auto &field : request.Fields) form->append(TextPart(field.first, field.second.toUtf8()));
    QHttpPart part;
    part.setHeader(QNetworkRequest::ContentDispositionHeader,
                   QStringLiteral("form-data; name=\"%1\"; filename=\"%2\"")
                       .arg(request.UploadField, QFileInfo(request.UploadFile).fileName()));
    part.setHeader(QNetworkRequest::ContentTypeHeader,
                   QMimeDatabase().mimeTypeForFile(request.UploadFile).name());
    part.setBodyDevice(file.get());
    file.release()->setParent(form);
    form->append(part);
    return form;
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

// A download's bytes go to its file as they arrive, so that a large file neither waits in
// memory nor stalls the event loop with one long write at the end.
class TDownloadSink {
public:
    // False when the bytes cannot be stored (no name, the file cannot be written).
    bool Write(const TWebRequest &request, QNetworkReply *reply) {
        if (FFailed) {
            reply->readAll();
            return false;
        }
        if (!FFile.isOpen()) {
            const QString path = DownloadPath(request, reply);
            FFile.setFileName(path);
            if (path.isEmpty() || !FFile.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
                FFailed = true;
                reply->readAll();
                return false;
            }
        }
        const QByteArray bytes = reply->readAll();
        if (FFile.write(bytes) != bytes.size()) FFailed = true;
        return !FFailed;
    }
    // Ends the file; a failed or cut transfer leaves none behind.
    bool Finish(bool complete) {
        const bool opened = FFile.isOpen();
        if (opened && !FFile.flush()) FFailed = true;
        FFile.close();
        const bool ok = complete && opened && !FFailed;
        if (!ok && opened) FFile.remove();
        return ok;
    }

private:
    QFile FFile;
    bool FFailed = false;
};

bool SuccessStatus(QNetworkReply *reply) {
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    return status >= 200 && status < 300;
}

// Reads a reply that came with an HTTP status.
void ReadHttpAnswer(const TWebRequest &request, QNetworkReply *reply, TDownloadSink &sink,
                    TWebAnswer &answer) {
    const bool ok = answer.HttpStatus >= 200 && answer.HttpStatus < 300;
    if (ok && !request.TargetFile.isEmpty()) {
        sink.Write(request, reply);
        // Qt reports a connection closed before the announced length as an error.
        if (!sink.Finish(reply->error() == QNetworkReply::NoError)) {
            answer.Error = KvErr::NetworkAnswer;
            answer.StatusText = reply->errorString();
        }
        return;
    }
    sink.Finish(false);
    const QByteArray body = reply->readAll();
    const QJsonDocument doc = QJsonDocument::fromJson(body);
    if (!ok) {
        answer.Error = KvErr::NetworkAnswer;
        answer.StatusText = doc.isObject() ? doc.object().value(QLatin1String("message")).toString()
                                           : QString::fromUtf8(body).trimmed();
        if (answer.StatusText.isEmpty()) answer.StatusText = reply->errorString();
        answer.Body = body;
        return;
    }
    if (!doc.isObject()) {
        answer.Error = KvErr::NetworkAnswer;
        return;
    }
    answer.Body = body;
    answer.Result = doc.object().value(QLatin1String("result")).toInt();
    answer.StatusText = doc.object().value(QLatin1String("message")).toString();
}

class THttpTransport final : public IWebTransport {
public:
    THttpTransport(const QString &baseUrl, int timeoutMs) : FBase(baseUrl), FTimeoutMs(timeoutMs) {
        while (FBase.endsWith(QLatin1Char('/'))) FBase.chop(1);
    }
    ~THttpTransport() override {
        // The application owns the manager when it ends first.
        delete FManager.data();
    }

    void Start(const TWebRequest &request, TProgress progress, TDone done) override {
        QNetworkRequest http(QUrl(FBase + QLatin1Char('/') + request.Service + QLatin1Char('/') +
                                  request.Operation));
        http.setRawHeader(WebProtocolHeader, WebProtocolVersion);
        http.setTransferTimeout(FTimeoutMs);
        QNetworkReply *reply = nullptr;
        if (!request.UploadFile.isEmpty()) {
            QHttpMultiPart *form = UploadBody(request);
            if (!form) {
                TWebAnswer answer;
                answer.Error = KvErr::NotFound;
                if (done) done(answer);
                return;
            }
            reply = Manager()->post(http, form);
            form->setParent(reply);
        } else {
            http.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));
            reply = Manager()->post(http, RequestBody(request));
        }
        auto sink = std::make_shared<TDownloadSink>();
        if (!request.TargetFile.isEmpty()) {
            QObject::connect(reply, &QNetworkReply::readyRead, reply, [reply, request, sink]() {
                if (SuccessStatus(reply)) sink->Write(request, reply);
            });
        }
        if (progress) {
            QObject::connect(reply, &QNetworkReply::downloadProgress, reply,
                             [progress](qint64 received, qint64) { progress(received); });
        }
        QObject::connect(reply, &QNetworkReply::finished, reply,
                         [reply, request, sink, done = std::move(done)]() {
                             reply->deleteLater();
                             TWebAnswer answer;
                             const QVariant status =
                                 reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
                             if (!status.isValid()) {
                                 sink->Finish(false);
                                 answer.Error = KvErr::NetworkFailed;
                                 answer.StatusText = reply->errorString();
                             } else {
                                 answer.HttpStatus = status.toInt();
                                 ReadHttpAnswer(request, reply, *sink, answer);
                             }
                             if (done) done(answer);
                         });
    }

private:
    QNetworkAccessManager *Manager() {
        if (!FManager) FManager = new QNetworkAccessManager(QCoreApplication::instance());
        return FManager.data();
    }

    QString FBase;
    int FTimeoutMs;
    QPointer<QNetworkAccessManager> FManager;
};

TStrWRec Rec(const char16_t *text) {
    return {int32_t(std::char_traits<char16_t>::length(text)), text};
}

}  // namespace

std::shared_ptr<IWebTransport> MakeHttpTransport(const QString &baseUrl, int idleTimeoutMs) {
    return std::make_shared<THttpTransport>(baseUrl, idleTimeoutMs > 0 ? idleTimeoutMs : TransferTimeoutMs);
}

void InstallWebTransportFromSettings() {
    TStrWImpl url;
    GetAppReg()->ReadStringDef(AppRegRoot::Product, Rec(u"Services"), ValueName(Rec(u"BaseURL")),
                               TStrWRec(), &url);
    const QString base = QString::fromStdU16String(url.Text()).trimmed();
    SetWebTransport(base.isEmpty() ? nullptr : MakeHttpTransport(base));
}

}  // namespace kv
