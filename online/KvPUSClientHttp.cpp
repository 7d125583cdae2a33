#include "online/KvPUSClientHttp.h"

#include "online/KvPUSClientParser.h"

#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

namespace {

constexpr int DefaultIdleMs = 15000;

bool IsLoopback(const QString &host) {
    if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0) return true;
    const QHostAddress address(host);
    return !address.isNull() && address.isLoopback();
}

bool SameOrigin(const QUrl &a, const QUrl &b) {
    return a.scheme() == b.scheme() && a.host().compare(b.host(), Qt::CaseInsensitive) == 0 &&
           a.port(a.scheme() == QLatin1String("https") ? 443 : 80) == b.port(b.scheme() == QLatin1String("https") ? 443 : 80);
}

}  // namespace

bool PUSUrlAllowed(const QUrl &url) {
    if (!url.isValid() || url.host().isEmpty()) return false;
    if (url.scheme() == QLatin1String("https")) return true;
    return url.scheme() == QLatin1String("http") && IsLoopback(url.host());
}

TPUSHttpQt::TPUSHttpQt(QObject *parent)
    : QObject(parent), FManager(new QNetworkAccessManager(this)), FIdle(new QTimer(this)) {
    FIdle->setSingleShot(true);
    FIdle->setInterval(DefaultIdleMs);
    connect(FIdle, &QTimer::timeout, this, &TPUSHttpQt::IdleTimedOut);
}

TPUSHttpQt::~TPUSHttpQt() {
    // Nothing may reach the owner while it is going away.
    OnDocData = nullptr;
    OnRequestDone = nullptr;
    OnSendData = nullptr;
    Abort();
}

void TPUSHttpQt::SetIdleTimeoutMs(int ms) {
    FIdle->setInterval(ms);
}

int32_t TPUSHttpQt::Post(const QString &url, const QByteArray &agent, const QByteArray &body) {
    if (FReply) return -101;
    FUrl = QUrl(url);
    if (!PUSUrlAllowed(FUrl)) return PUSResult::NoConnection;
    QNetworkRequest request(FUrl);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArray("application/x-www-form-urlencoded"));
    request.setHeader(QNetworkRequest::UserAgentHeader, agent);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::UserVerifiedRedirectPolicy);
    FStatus = 0;
    FForcedError = 0;
    QNetworkReply *reply = FManager->post(request, body);
    FReply = reply;
    connect(reply, &QNetworkReply::readyRead, this, &TPUSHttpQt::ReadChunk);
    connect(reply, &QNetworkReply::finished, this, &TPUSHttpQt::Finished);
    connect(reply, &QNetworkReply::redirected, this, &TPUSHttpQt::Redirected);
    connect(reply, &QNetworkReply::uploadProgress, this, [this](qint64 sent, qint64 total) {
        FIdle->start();
        if (OnSendData) OnSendData(sent, total);
    });
    FIdle->start();
    return 0;
}

void TPUSHttpQt::Abort() {
    FIdle->stop();
    if (QNetworkReply *reply = FReply) {
        FReply = nullptr;
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
}

void TPUSHttpQt::ReadChunk() {
    QNetworkReply *reply = FReply;
    if (!reply) return;
    FIdle->start();
    FStatus = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QByteArray chunk = reply->readAll();
    if (!chunk.isEmpty() && OnDocData) OnDocData(chunk);
}

void TPUSHttpQt::Redirected(const QUrl &url) {
    if (!FReply) return;
    if (SameOrigin(FUrl, FUrl.resolved(url))) {
        emit FReply->redirectAllowed();
        return;
    }
    FForcedError = PUSHttpError::NoData;
    FReply->abort();
}

void TPUSHttpQt::IdleTimedOut() {
    if (!FReply) return;
    FForcedError = PUSHttpError::IdleTimeout;
    FReply->abort();
}

void TPUSHttpQt::Finished() {
    QNetworkReply *reply = FReply;
    if (!reply) return;
    FIdle->stop();
    if (FForcedError == 0) ReadChunk();
    // The last chunk may have ended the command, which aborts the transfer.
    if (!FReply) return;
    FStatus = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const uint16_t error = ErrorCode();
    FReply = nullptr;
    reply->disconnect(this);
    reply->deleteLater();
    if (OnRequestDone) OnRequestDone(error);
}

// HTTP statuses are left to the status code; only transport failures become codes.
uint16_t TPUSHttpQt::ErrorCode() const {
    if (FForcedError) return FForcedError;
    switch (FReply->error()) {
    case QNetworkReply::NoError: return 0;
    case QNetworkReply::HostNotFoundError: return PUSHttpError::HostNotFound;
    case QNetworkReply::ConnectionRefusedError: return PUSHttpError::Refused;
    case QNetworkReply::RemoteHostClosedError: return FStatus > 0 ? 0 : PUSHttpError::Reset;
    case QNetworkReply::TimeoutError: return PUSHttpError::TimedOut;
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::TemporaryNetworkFailureError: return PUSHttpError::Unreachable;
    default: break;
    }
    if (FStatus >= 300) return 0;
    return PUSHttpError::Other;
}
