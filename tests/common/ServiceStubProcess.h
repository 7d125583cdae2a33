// The online-services stand-in (tools/servicestub) as a separate program on 127.0.0.1, for
// tests of the HTTP clients: started on a free port, scripted and read through its control
// paths, stopped (a test of lost connections stops it while the client runs).
#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <memory>

class QProcess;

namespace testsupport {

class TServiceStubProcess {
public:
    TServiceStubProcess();
    ~TServiceStubProcess();

    // Starts the program and waits for the port it prints; false when it did not start.
    bool Start();
    void Stop();
    bool Running() const;
    quint16 Port() const { return FPort; }
    // "http://127.0.0.1:<port>", the services' base URL.
    QString BaseUrl() const;

    // The next answer of path ("structops/request"): a JSON body, or a plain-text one.
    bool Script(const QString &path, int status, const QJsonObject &body);
    bool ScriptText(const QString &path, int status, const QString &text);
    // The next answer as the control path takes it: {"path", "status", "body" | "text",
    // "declaredLength" (a longer announced length: the connection closes mid-body),
    // "hang" (no answer at all)}.
    bool ScriptReply(const QJsonObject &spec);
    // Every request received so far: {"path", "protocol", "fields"} each.
    QJsonArray Record();
    // The fields of the requests received on one path.
    QList<QJsonObject> FieldsOf(const QString &path);

private:
    QJsonObject Control(const QString &what, const QJsonObject &body);

    std::unique_ptr<QProcess> FProcess;
    quint16 FPort = 0;
};

}  // namespace testsupport
