// The object-update service of the stub: "objects/data" answers with the object-data
// document of the fixtures (objects/data.json), the transport's "result" beside it.
#include "ServiceStub.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>

namespace servicestub {

void RegisterObjectDataHandlers(TServiceStub &stub, const QString &fixtureDir) {
    const QString file = QDir(fixtureDir).filePath(QStringLiteral("objects/data.json"));
    stub.SetHandler(QStringLiteral("objects/data"), [file](const TStubRequest &) {
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly)) return TStubReply::Failure(404, QStringLiteral("No object data"));
        QJsonObject answer = QJsonDocument::fromJson(f.readAll()).object();
        answer.insert(QStringLiteral("result"), 0);
        return TStubReply::Json(answer);
    });
}

}  // namespace servicestub
