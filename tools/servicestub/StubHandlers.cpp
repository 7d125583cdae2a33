// The handler table of the stub: one handler per service and operation the core library's
// clients call. A handler answers from its fixture (<service>/<operation>.json below the
// fixture folder) where there is one, else with an empty success. The bridge and lock
// service keeps its statistics while the stub runs, as the operators' server does.
#include "ServiceStub.h"
#include "StubUserReport.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMap>
#include <QSet>
#include <memory>

namespace servicestub {

namespace {

constexpr const char *PlainOperations[] = {
    "account/login",     "account/news",      "account/downloads", "account/removal",
    "userdata/list",     "userdata/report",   "userdata/ships",    "userdata/uploadship",
    "userdata/deleteship", "ienc/chartset",   "ienc/chartsets",
};
constexpr const char *DownloadOperations[] = {"account/download", "ienc/download", "ienc/commonfile"};

QJsonObject ReadFixture(const QString &fixtureDir, const QString &path) {
    QFile file(QDir(fixtureDir).filePath(path + QStringLiteral(".json")));
    if (!file.open(QIODevice::ReadOnly)) return QJsonObject{{QStringLiteral("result"), 0}};
    return QJsonDocument::fromJson(file.readAll()).object();
}

THandler FixtureHandler(const QString &fixtureDir, const QString &path) {
    const QJsonObject answer = ReadFixture(fixtureDir, path);
    return [answer](const TStubRequest &) { return TStubReply::Json(answer); };
}

// A file from <service>/files/ named by the request's "file" field (commonfile: "common.zip").
THandler DownloadHandler(const QString &fixtureDir, const QString &path) {
    const QString folder = QDir(fixtureDir).filePath(path.section(QLatin1Char('/'), 0, 0) + QStringLiteral("/files"));
    return [folder](const TStubRequest &request) {
        QString name = request.Fields.value(QStringLiteral("file")).toString();
        if (name.isEmpty()) name = QStringLiteral("common.zip");
        QFile file(QDir(folder).filePath(QFileInfo(name).fileName()));
        if (!file.open(QIODevice::ReadOnly))
            return TStubReply::Failure(404, QStringLiteral("No such file: ") + name);
        TStubReply reply;
        reply.ContentType = "application/octet-stream";
        reply.Body = file.readAll();
        reply.FileName = QFileInfo(name).fileName();
        return reply;
    };
}

// What the operators' server counts per structure.
struct TStructCounts {
    int Active = 0, Passed = 0, Cancellations = 0, Updates = 0, Requests = 0;
};

struct TStructOpsState {
    QJsonArray Participating;
    QMap<QString, TStructCounts> Counts;
    QSet<QString> ShipsThisMonth;
    int ShipsLastMonth = 0;

    QJsonObject Statistics() const {
        QJsonArray list;
        for (auto it = Counts.cbegin(); it != Counts.cend(); ++it) {
            list.append(QJsonObject{{QStringLiteral("id"), it.key()},
                                    {QStringLiteral("active"), it->Active},
                                    {QStringLiteral("passed"), it->Passed},
                                    {QStringLiteral("cancellations"), it->Cancellations},
                                    {QStringLiteral("updates"), it->Updates},
                                    {QStringLiteral("requests"), it->Requests}});
        }
        return {{QStringLiteral("structures"), list},
                {QStringLiteral("uniqueShipsThisMonth"), int(ShipsThisMonth.size())},
                {QStringLiteral("uniqueShipsLastMonth"), ShipsLastMonth}};
    }

    TStubReply Count(const QString &operation, const TStubRequest &request) {
        const QString id = request.Fields.value(QStringLiteral("structure")).toString();
        if (id.isEmpty()) return TStubReply::Failure(400, QStringLiteral("No structure given"));
        TStructCounts &c = Counts[id];
        if (operation == QLatin1String("request")) {
            ++c.Requests;
            ++c.Active;
            ShipsThisMonth.insert(request.Fields.value(QStringLiteral("ship")).toString());
        } else if (operation == QLatin1String("update")) {
            ++c.Updates;
        } else if (operation == QLatin1String("cancel")) {
            ++c.Cancellations;
            c.Active = qMax(0, c.Active - 1);
        } else if (operation == QLatin1String("passed")) {
            ++c.Passed;
            c.Active = qMax(0, c.Active - 1);
        }
        return Answer();
    }

    TStubReply Answer() const {
        return TStubReply::Json({{QStringLiteral("result"), 0},
                                 {QStringLiteral("message"), QStringLiteral("OK")},
                                 {QStringLiteral("statistics"), Statistics()}});
    }
};

void RegisterStructOps(TServiceStub &stub, const QString &fixtureDir) {
    auto state = std::make_shared<TStructOpsState>();
    const QJsonObject fixture = ReadFixture(fixtureDir, QStringLiteral("structops/structures"));
    state->Participating = fixture.value(QStringLiteral("structures")).toArray();
    state->ShipsLastMonth = fixture.value(QStringLiteral("uniqueShipsLastMonth")).toInt();
    stub.SetHandler(QStringLiteral("structops/structures"), [state](const TStubRequest &) {
        TStubReply reply = state->Answer();
        QJsonObject body = QJsonDocument::fromJson(reply.Body).object();
        body.insert(QStringLiteral("participating"), state->Participating);
        return TStubReply::Json(body);
    });
    for (const char *op : {"request", "update", "state", "cancel", "passed"}) {
        const QString operation = QString::fromLatin1(op);
        stub.SetHandler(QStringLiteral("structops/") + operation,
                        [state, operation](const TStubRequest &request) {
                            return state->Count(operation, request);
                        });
    }
}

}  // namespace

void RegisterStandardHandlers(TServiceStub &stub, const QString &fixtureDir) {
    for (const char *path : PlainOperations)
        stub.SetHandler(QString::fromLatin1(path), FixtureHandler(fixtureDir, QString::fromLatin1(path)));
    for (const char *path : DownloadOperations)
        stub.SetHandler(QString::fromLatin1(path), DownloadHandler(fixtureDir, QString::fromLatin1(path)));
    RegisterStructOps(stub, fixtureDir);
    RegisterObjectDataHandlers(stub, fixtureDir);
    RegisterUserReport(stub);
    RegisterPusHandlers(stub, fixtureDir);
    RegisterAccountHandlers(stub, fixtureDir);
    RegisterIENCHandlers(stub, QStringLiteral(MARIVO_SERVICESTUB_TESTDATA));
}

}  // namespace servicestub
