#include "ServiceStub.h"
#include "StubUserReport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTcpServer>
#include <QTcpSocket>

namespace servicestub {

namespace {

constexpr char ControlPrefix[] = "_stub/";

QByteArray ReasonPhrase(int status) {
    switch (status) {
    case 200: return "OK";
    case 400: return "Bad Request";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    case 503: return "Service Unavailable";
    default: return "Status";
    }
}

QByteArray Serialise(const TStubReply &reply) {
    QByteArray head = "HTTP/1.1 " + QByteArray::number(reply.Status) + ' ' +
                      ReasonPhrase(reply.Status) + "\r\nContent-Type: " + reply.ContentType +
                      "\r\nContent-Length: " +
                      QByteArray::number(reply.DeclaredLength >= 0 ? reply.DeclaredLength : reply.Body.size()) +
                      "\r\nConnection: close\r\n";
    if (!reply.FileName.isEmpty())
        head += "Content-Disposition: attachment; filename=\"" + reply.FileName.toUtf8() + "\"\r\n";
    return head + "\r\n" + reply.Body;
}

// Parses a complete request out of buffer; false while more bytes are needed.
bool ParseRequest(const QByteArray &buffer, TStubRequest &request) {
    const qsizetype headEnd = buffer.indexOf("\r\n\r\n");
    if (headEnd < 0) return false;
    const QList<QByteArray> lines = buffer.left(headEnd).split('\n');
    const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
    request.Method = QString::fromLatin1(first.value(0));
    request.Path = QString::fromUtf8(first.value(1)).section(QLatin1Char('?'), 0, 0).mid(1);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines[i].indexOf(':');
        if (colon > 0)
            request.Headers.insert(QString::fromLatin1(lines[i].left(colon)).trimmed().toLower(),
                                   QString::fromUtf8(lines[i].mid(colon + 1)).trimmed());
    }
    const qsizetype length = request.Headers.value(QStringLiteral("content-length")).toLongLong();
    if (buffer.size() < headEnd + 4 + length) return false;
    request.Body = buffer.mid(headEnd + 4, length);
    request.Fields = QJsonDocument::fromJson(request.Body).object();
    ParseFormData(request.Headers.value(QStringLiteral("content-type")), request.Body, request.Fields);
    return true;
}

QJsonObject RecordEntry(const TStubRequest &request) {
    QJsonObject entry;
    entry.insert(QStringLiteral("path"), request.Path);
    entry.insert(QStringLiteral("protocol"), request.Headers.value(QStringLiteral("x-marivo-protocol")));
    entry.insert(QStringLiteral("fields"), request.Fields);
    return entry;
}

}  // namespace

TStubReply TStubReply::Json(const QJsonObject &object, int status) {
    TStubReply reply;
    reply.Status = status;
    reply.Body = QJsonDocument(object).toJson(QJsonDocument::Compact);
    return reply;
}

TStubReply TStubReply::Failure(int status, const QString &message) {
    return Json(QJsonObject{{QStringLiteral("message"), message}}, status);
}

TServiceStub::TServiceStub(QObject *parent) : QObject(parent), FServer(new QTcpServer(this)) {
    connect(FServer, &QTcpServer::newConnection, this, &TServiceStub::Accept);
}

TServiceStub::~TServiceStub() = default;

bool TServiceStub::Listen(const QHostAddress &address, quint16 port) {
    return FServer->listen(address, port);
}

quint16 TServiceStub::Port() const {
    return FServer->serverPort();
}

void TServiceStub::Close() {
    FServer->close();
    for (QTcpSocket *socket : FBuffers.keys()) socket->abort();
}

void TServiceStub::SetHandler(const QString &path, THandler handler) {
    FHandlers.insert(path, std::move(handler));
}

void TServiceStub::Script(const QString &path, const TStubReply &reply) {
    FScripted[path].append(reply);
}

QList<TStubRequest> TServiceStub::RequestsOf(const QString &path) const {
    QList<TStubRequest> result;
    for (const TStubRequest &r : FRequests)
        if (r.Path == path) result.append(r);
    return result;
}

void TServiceStub::Clear() {
    FRequests.clear();
    FScripted.clear();
}

void TServiceStub::Accept() {
    while (QTcpSocket *socket = FServer->nextPendingConnection()) {
        FBuffers.insert(socket, QByteArray());
        connect(socket, &QTcpSocket::readyRead, this, [this, socket]() { Read(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket]() {
            FBuffers.remove(socket);
            socket->deleteLater();
        });
    }
}

void TServiceStub::Read(QTcpSocket *socket) {
    QByteArray &buffer = FBuffers[socket];
    buffer += socket->readAll();
    TStubRequest request;
    if (!ParseRequest(buffer, request)) return;
    buffer.clear();
    const bool control = request.Path.startsWith(QLatin1String(ControlPrefix));
    if (!control) FRequests.append(request);
    const TStubReply reply = control ? Control(request) : Answer(request);
    if (reply.Stream) {
        reply.Stream(socket);
        if (!control) emit RequestAnswered(request.Path);
        return;
    }
    if (reply.Hang) return;
    socket->write(Serialise(reply));
    socket->disconnectFromHost();
    if (!control) emit RequestAnswered(request.Path);
}

TStubReply TServiceStub::Answer(const TStubRequest &request) {
    auto scripted = FScripted.find(request.Path);
    if (scripted != FScripted.end() && !scripted->isEmpty()) return scripted->takeFirst();
    const auto handler = FHandlers.constFind(request.Path);
    if (handler == FHandlers.constEnd())
        return TStubReply::Failure(404, QStringLiteral("No such service: ") + request.Path);
    return (*handler)(request);
}

TStubReply TServiceStub::Control(const TStubRequest &request) {
    const QString what = request.Path.mid(int(qstrlen(ControlPrefix)));
    if (what == QLatin1String("record")) {
        QJsonArray list;
        for (const TStubRequest &r : FRequests) list.append(RecordEntry(r));
        return TStubReply::Json(QJsonObject{{QStringLiteral("requests"), list}});
    }
    if (what == QLatin1String("clear")) {
        Clear();
        return TStubReply::Json({});
    }
    if (what == QLatin1String("script")) {
        const QJsonObject &f = request.Fields;
        TStubReply reply;
        reply.Status = f.value(QStringLiteral("status")).toInt(200);
        reply.DeclaredLength = qint64(f.value(QStringLiteral("declaredLength")).toDouble(-1));
        reply.Hang = f.value(QStringLiteral("hang")).toBool();
        if (f.contains(QStringLiteral("text"))) {
            reply.ContentType = "text/plain; charset=utf-8";
            reply.Body = f.value(QStringLiteral("text")).toString().toUtf8();
        } else {
            reply.Body = QJsonDocument(f.value(QStringLiteral("body")).toObject()).toJson(QJsonDocument::Compact);
        }
        Script(f.value(QStringLiteral("path")).toString(), reply);
        return TStubReply::Json({});
    }
    return TStubReply::Failure(404, QStringLiteral("No such control: ") + what);
}

}  // namespace servicestub
