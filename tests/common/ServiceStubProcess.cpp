#include "ServiceStubProcess.h"

#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QProcess>
#include <QSignalSpy>

namespace testsupport {

namespace {

// Generous: a loaded machine runs the test programs side by side.
constexpr int WaitMs = 30000;

}  // namespace

TServiceStubProcess::TServiceStubProcess() = default;

TServiceStubProcess::~TServiceStubProcess() {
    Stop();
}

bool TServiceStubProcess::Start() {
    FProcess = std::make_unique<QProcess>();
    FProcess->setProcessChannelMode(QProcess::SeparateChannels);
    FProcess->start(QStringLiteral(MARIVO_SERVICESTUB_PATH),
                    {QStringLiteral("--port"), QStringLiteral("0")});
    if (!FProcess->waitForStarted(WaitMs)) return false;
    while (!FProcess->canReadLine()) {
        if (!FProcess->waitForReadyRead(WaitMs)) return false;
    }
    FPort = quint16(FProcess->readLine().trimmed().toUInt());
    return FPort != 0;
}

void TServiceStubProcess::Stop() {
    if (!FProcess) return;
    if (FProcess->state() != QProcess::NotRunning) {
        FProcess->kill();
        FProcess->waitForFinished(WaitMs);
    }
    FProcess.reset();
}

bool TServiceStubProcess::Running() const {
    return FProcess && FProcess->state() == QProcess::Running;
}

QString TServiceStubProcess::BaseUrl() const {
    return QStringLiteral("http://127.0.0.1:%1").arg(FPort);
}

bool TServiceStubProcess::Script(const QString &path, int status, const QJsonObject &body) {
    return !Control(QStringLiteral("script"), {{QStringLiteral("path"), path},
                                               {QStringLiteral("status"), status},
                                               {QStringLiteral("body"), body}})
                .contains(QStringLiteral("error"));
}

bool TServiceStubProcess::ScriptReply(const QJsonObject &spec) {
    return !Control(QStringLiteral("script"), spec).contains(QStringLiteral("error"));
}

bool TServiceStubProcess::ScriptText(const QString &path, int status, const QString &text) {
    return !Control(QStringLiteral("script"), {{QStringLiteral("path"), path},
                                               {QStringLiteral("status"), status},
                                               {QStringLiteral("text"), text}})
                .contains(QStringLiteral("error"));
}

QJsonArray TServiceStubProcess::Record() {
    return Control(QStringLiteral("record"), {}).value(QStringLiteral("requests")).toArray();
}

QList<QJsonObject> TServiceStubProcess::FieldsOf(const QString &path) {
    QList<QJsonObject> result;
    for (const QJsonValue &entry : Record()) {
        if (entry.toObject().value(QStringLiteral("path")).toString() == path)
            result.append(entry.toObject().value(QStringLiteral("fields")).toObject());
    }
    return result;
}

QJsonObject TServiceStubProcess::Control(const QString &what, const QJsonObject &body) {
    QNetworkAccessManager nam;
    QNetworkRequest request(QUrl(BaseUrl() + QStringLiteral("/_stub/") + what));
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));
    std::unique_ptr<QNetworkReply> reply(
        nam.post(request, QJsonDocument(body).toJson(QJsonDocument::Compact)));
    QSignalSpy done(reply.get(), &QNetworkReply::finished);
    if (!reply->isFinished() && !done.wait(WaitMs)) return {{QStringLiteral("error"), true}};
    if (reply->error() != QNetworkReply::NoError) return {{QStringLiteral("error"), true}};
    return QJsonDocument::fromJson(reply->readAll()).object();
}

}  // namespace testsupport
