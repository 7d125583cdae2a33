#include "PusHandlers.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

namespace servicestub {

namespace {

constexpr char EndByte = char(0xFF);

QByteArray Line(const QString &text) {
    return text.toUtf8() + '\n';
}

}  // namespace

bool TPusService::Decode(const QByteArray &body, QMap<QString, QString> &fields) {
    fields.clear();
    if (!body.startsWith("d=") || body.size() % 2 != 0) return false;
    QByteArray form;
    for (qsizetype i = 2; i < body.size(); i += 2) {
        bool ok = false;
        const uint value = body.mid(i, 2).toUInt(&ok, 16);
        if (!ok) return false;
        form += char(uint8_t(value) ^ 0xB5);
    }
    for (const QByteArray &pair : form.split('&')) {
        const qsizetype eq = pair.indexOf('=');
        if (eq < 1) return false;
        fields.insert(QString::fromLatin1(pair.left(eq)), QString::fromLatin1(pair.mid(eq + 1)));
    }
    return true;
}

void TPusService::Load(const QString &fixtureDir) {
    const QDir dir(QDir(fixtureDir).filePath(QStringLiteral("pus")));
    QFile file(dir.filePath(QStringLiteral("products.json")));
    if (!file.open(QIODevice::ReadOnly)) return;
    const QJsonArray list = QJsonDocument::fromJson(file.readAll()).object().value(QStringLiteral("products")).toArray();
    for (const QJsonValue &v : list) {
        const QJsonObject o = v.toObject();
        TPusProduct p;
        p.Version = o.value(QStringLiteral("version")).toString();
        p.Date = o.value(QStringLiteral("date")).toString();
        QFile history(dir.filePath(o.value(QStringLiteral("history")).toString()));
        if (history.open(QIODevice::ReadOnly)) p.History = history.readAll();
        p.FileName = o.value(QStringLiteral("file")).toString();
        QFile content(dir.filePath(QStringLiteral("files/") + p.FileName));
        if (content.open(QIODevice::ReadOnly)) p.Content = content.readAll();
        Products.insert(o.value(QStringLiteral("guid")).toString().toUpper(), p);
    }
}

TStubReply TPusService::Answer(const TStubRequest &request) {
    QMap<QString, QString> fields;
    if (!Decode(request.Body, fields)) return PusBody("-2\n");
    Received.append(fields);
    const QString command = fields.value(QStringLiteral("c"));
    if (command == QLatin1String("vi2")) return PusBody("0\n" + VersionRecords(fields) + EndByte);
    if (command == QLatin1String("vh")) {
        const TPusProduct product = Products.value(fields.value(QStringLiteral("g")).toUpper());
        return PusBody("0\n" + product.History + EndByte);
    }
    if (command == QLatin1String("uf")) return PusBody("0\n" + Files(fields));
    return PusBody("-3\n");
}

QByteArray TPusService::VersionRecords(const QMap<QString, QString> &fields) const {
    QByteArray out;
    const int count = fields.value(QStringLiteral("gc")).toInt();
    for (int i = 0; i < count; ++i) {
        const QString guid = fields.value(QStringLiteral("g") + QString::number(i)).toUpper();
        const auto found = Products.constFind(guid);
        const bool known = found != Products.constEnd();
        const TPusProduct p = known ? *found : TPusProduct();
        const qint64 size = p.RecordSize >= 0 ? p.RecordSize : p.Content.size();
        const QString hash = p.RecordHash != QLatin1String("*")
                                 ? p.RecordHash
                                 : QString::fromLatin1(QCryptographicHash::hash(p.Content, QCryptographicHash::Sha256).toHex());
        out += Line(guid) + Line(known ? p.Version : QStringLiteral("0")) + Line(p.Date) + Line(p.Date) +
               Line(p.FileName) + Line(QStringLiteral("0")) + Line(QString()) + Line(known ? hash : QString()) +
               Line(QString()) + Line(QString::number(known ? size : 0));
    }
    return out;
}

QByteArray TPusService::Files(const QMap<QString, QString> &fields) const {
    QByteArray out;
    const int count = fields.value(QStringLiteral("gc")).toInt();
    for (int i = 0; i < count; ++i) {
        const TPusProduct p = Products.value(fields.value(QStringLiteral("g") + QString::number(i)).toUpper());
        out += Line(p.FileName) + Line(QString::number(p.Content.size())) + p.Content;
    }
    return out;
}

std::shared_ptr<TPusService> InstallPusService(TServiceStub &stub, const QString &fixtureDir) {
    auto service = std::make_shared<TPusService>();
    service->Load(fixtureDir);
    stub.SetHandler(QStringLiteral("pus/pus.php"), [service](const TStubRequest &r) { return service->Answer(r); });
    return service;
}

void RegisterPusHandlers(TServiceStub &stub, const QString &fixtureDir) {
    InstallPusService(stub, fixtureDir);
}

TStubReply PusBody(const QByteArray &body, int status) {
    TStubReply reply;
    reply.Status = status;
    reply.ContentType = "application/octet-stream";
    reply.Body = body;
    return reply;
}

TStubReply PusRawReply(const QByteArray &http) {
    TStubReply reply;
    reply.Stream = [http](QTcpSocket *socket) {
        socket->write(http);
        socket->disconnectFromHost();
    };
    return reply;
}

TStubReply PusHangReply() {
    TStubReply reply;
    reply.Stream = [](QTcpSocket *) {};
    return reply;
}

TStubReply PusEndlessReply(const QByteArray &start) {
    TStubReply reply;
    reply.Stream = [start](QTcpSocket *socket) {
        socket->write("HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\nConnection: close\r\n\r\n" + start);
        auto *timer = new QTimer(socket);
        QObject::connect(timer, &QTimer::timeout, socket, [socket] {
            if (socket->bytesToWrite() < 256 * 1024) socket->write(QByteArray(64 * 1024, 'x'));
        });
        timer->start(1);
    };
    return reply;
}

}  // namespace servicestub
