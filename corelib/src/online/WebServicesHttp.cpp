// The HTTP transport of the online clients (protocol in WebServicesTransport.h). Requests
// run on the GUI thread's event loop through one QNetworkAccessManager; the answer callbacks
// are called from its signals, on that thread. Downloads run on threads of their own
// (WebServicesDownload.cpp) and answer on the GUI thread all the same.
#include "kernel/KvInternal.h"
#include "online/WebServicesHttp.h"

#include "KvLibNav6/KvAppReg.h"

#include <QCoreApplication>
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

}  // namespace

bool ReadReplyStatus(QNetworkReply *reply, TWebAnswer &answer) {
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (!status.isValid()) {
        answer.Error = KvErr::NetworkFailed;
        answer.StatusText = reply->errorString();
        return false;
    }
    answer.HttpStatus = status.toInt();
    return true;
}

void ReadDocumentAnswer(QNetworkReply *reply, TWebAnswer &answer) {
    const QByteArray body = reply->readAll();
    const QJsonDocument doc = QJsonDocument::fromJson(body);
    if (!SuccessStatus(answer)) {
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

namespace {

class THttpTransport final : public IWebTransport {
public:
    THttpTransport(const QString &baseUrl, int timeoutMs) : FBase(baseUrl), FTimeoutMs(timeoutMs) {
        while (FBase.endsWith(QLatin1Char('/'))) FBase.chop(1);
    }
    ~THttpTransport() override {
        StopDownloads(this);
        // The application owns the manager when it ends first.
        delete FManager.data();
    }

    void Start(const TWebRequest &request, TProgress progress, TDone done) override {
        QNetworkRequest http(QUrl(FBase + QLatin1Char('/') + request.Service + QLatin1Char('/') +
                                  request.Operation));
        http.setRawHeader(WebProtocolHeader, WebProtocolVersion);
        http.setTransferTimeout(FTimeoutMs);
        if (request.UploadFile.isEmpty()) {
            http.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));
            if (!request.TargetFile.isEmpty()) {
                StartDownload(this, http, RequestBody(request), request, std::move(progress), std::move(done));
                return;
            }
        }
        QNetworkReply *reply = Post(http, request);
        if (!reply) {
            TWebAnswer answer;
            answer.Error = KvErr::NotFound;
            if (done) done(answer);
            return;
        }
        if (progress) {
            QObject::connect(reply, &QNetworkReply::downloadProgress, reply,
                             [progress](qint64 received, qint64) { progress(received); });
        }
        QObject::connect(reply, &QNetworkReply::finished, reply, [reply, done = std::move(done)]() {
            reply->deleteLater();
            TWebAnswer answer;
            if (ReadReplyStatus(reply, answer)) ReadDocumentAnswer(reply, answer);
            if (done) done(answer);
        });
    }

private:
    // The request's JSON document, or its form with the file; nullptr when the file cannot
    // be read.
    QNetworkReply *Post(const QNetworkRequest &http, const TWebRequest &request) {
        if (request.UploadFile.isEmpty()) return Manager()->post(http, RequestBody(request));
        QHttpMultiPart *form = UploadBody(request);
        if (!form) return nullptr;
        QNetworkReply *reply = Manager()->post(http, form);
        form->setParent(reply);
        return reply;
    }

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
