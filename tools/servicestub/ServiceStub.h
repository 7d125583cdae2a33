// A loopback stand-in for the maker's online services: an HTTP/1.1 subset on a QTcpServer
// that answers the protocol of the core library's HTTP transport (a JSON POST to
// /<service>/<operation>). Each path has a handler in a table; a test may script the next
// answers of a path, and every request received is recorded.
//
// The same server answers a few control paths below /_stub/ (used by a test that runs the
// stub as a program): POST /_stub/script {"path", "status", "body"|"text"} queues an answer,
// GET /_stub/record returns the requests received, POST /_stub/clear forgets both.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QString>
#include <functional>

class QTcpServer;
class QTcpSocket;

namespace servicestub {

// One request received: the path without its leading "/", e.g. "structops/request".
struct TStubRequest {
    QString Method;
    QString Path;
    QHash<QString, QString> Headers;  // names in lower case
    QByteArray Body;
    // The body as a JSON object; empty when it is none.
    QJsonObject Fields;
};

struct TStubReply {
    int Status = 200;
    QByteArray ContentType = "application/json";
    QByteArray Body;
    // Downloads: the name the client stores the bytes under.
    QString FileName;
    // When set, answers on the socket itself instead of the above (a server that hangs,
    // streams without end or writes raw bytes); the socket stays open until it closes it.
    std::function<void(QTcpSocket *socket)> Stream;
    // A broken server: the length announced instead of the body's (the connection then
    // closes after the body), or no answer at all while the connection stays open.
    qint64 DeclaredLength = -1;
    bool Hang = false;

    static TStubReply Json(const QJsonObject &object, int status = 200);
    // A failing answer with the service's text in "message".
    static TStubReply Failure(int status, const QString &message);
};

using THandler = std::function<TStubReply(const TStubRequest &)>;

class TServiceStub : public QObject {
    Q_OBJECT
public:
    explicit TServiceStub(QObject *parent = nullptr);
    ~TServiceStub() override;

    // port 0: any free port. False when it cannot listen.
    bool Listen(const QHostAddress &address = QHostAddress::LocalHost, quint16 port = 0);
    quint16 Port() const;
    // Stops listening; open connections are closed.
    void Close();

    // The handler of one path ("service/operation"); replaces an earlier one.
    void SetHandler(const QString &path, THandler handler);
    bool HasHandler(const QString &path) const { return FHandlers.contains(path); }
    // Answers the next request of path with reply instead of its handler (in order).
    void Script(const QString &path, const TStubReply &reply);
    const QList<TStubRequest> &Requests() const { return FRequests; }
    // Requests received on one path.
    QList<TStubRequest> RequestsOf(const QString &path) const;
    void Clear();

signals:
    // After each request has been answered.
    void RequestAnswered(const QString &path);

private:
    void Accept();
    void Read(QTcpSocket *socket);
    TStubReply Answer(const TStubRequest &request);
    TStubReply Control(const TStubRequest &request);

    QTcpServer *FServer;
    QHash<QString, THandler> FHandlers;
    QHash<QString, QList<TStubReply>> FScripted;
    QList<TStubRequest> FRequests;
    QHash<QTcpSocket *, QByteArray> FBuffers;
};

// The handlers of every service and operation the core library's clients use, answering
// from the JSON fixtures in fixtureDir (<service>/<operation>.json) where there is one.
void RegisterStandardHandlers(TServiceStub &stub, const QString &fixtureDir);
// The object-update service ("objects/data", ObjectDataHandlers.cpp).
void RegisterObjectDataHandlers(TServiceStub &stub, const QString &fixtureDir);
// The program update service ("pus/pus.php"), PusHandlers.cpp.
void RegisterPusHandlers(TServiceStub &stub, const QString &fixtureDir);
// The account with its chart-set offer, downloads and saved ships (StubAccountHandlers.cpp).
void RegisterAccountHandlers(TServiceStub &stub, const QString &fixtureDir);
// The Inland ENC chart sets, built from the test charts below testDataDir
// (StubIENCHandlers.cpp).
void RegisterIENCHandlers(TServiceStub &stub, const QString &testDataDir);

}  // namespace servicestub
