// The account's side of the stand-in: one account with a password, its chart-set offer,
// the download records and their files, and the ships saved in it. The account comes from
// the fixture account/offer.json; the files of its records are looked up by their "source"
// name in account/files below the fixtures and in the folders of the environment variable
// MARIVO_STUB_FILES (separated by ":"), so that a test can offer charts it made. Sizes are
// those of the files found. Saved ships change while the stub runs.
#include "ServiceStub.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <memory>

namespace servicestub {

namespace {

struct TAccountState {
    QString Email;
    QString Password;
    QJsonArray Offer;
    QJsonArray Records;  // each with "files": [{"name", "source", "time", "addon"}]
    QJsonArray Ships;
    QStringList FileFolders;
    // Sets the account knows as installed ("productNumber", "modules"): the fixture's
    // "installed" and every set a file was downloaded of.
    QJsonArray Installed;

    // The records of the installed sets, as a login answers them.
    QJsonArray InstalledRecords() const {
        QJsonArray result;
        for (const QJsonValue &r : Records)
            for (const QJsonValue &i : Installed)
                if (Matches(r.toObject(), i.toObject().value(QStringLiteral("productNumber")).toDouble(),
                            i.toObject().value(QStringLiteral("modules")).toDouble())) {
                    result.append(ClientRecord(r.toObject()));
                    break;
                }
        return result;
    }

    void MarkInstalled(double product, double modules) {
        for (const QJsonValue &i : Installed)
            if (Matches(i.toObject(), product, modules)) return;
        Installed.append(QJsonObject{{QStringLiteral("productNumber"), product}, {QStringLiteral("modules"), modules}});
    }

    bool LoggedIn(const TStubRequest &request) const {
        return !Email.isEmpty() &&
               request.Fields.value(QStringLiteral("email")).toString().compare(Email, Qt::CaseInsensitive) == 0 &&
               request.Fields.value(QStringLiteral("password")).toString() == Password;
    }

    QString SourcePath(const QString &source) const {
        for (const QString &folder : FileFolders) {
            const QString path = QDir(folder).filePath(source);
            if (QFileInfo(path).isFile()) return path;
        }
        return QString();
    }

    // The record as the client reads it: sizes of the files found, no source names.
    QJsonObject ClientRecord(QJsonObject record) const {
        QJsonArray files;
        for (const QJsonValue &v : record.value(QStringLiteral("files")).toArray()) {
            QJsonObject f = v.toObject();
            f.insert(QStringLiteral("size"), double(QFileInfo(SourcePath(f.value(QStringLiteral("source")).toString())).size()));
            f.remove(QStringLiteral("source"));
            files.append(f);
        }
        record.insert(QStringLiteral("files"), files);
        return record;
    }

    static bool Matches(const QJsonObject &o, double product, double modules) {
        return o.value(QStringLiteral("productNumber")).toDouble() == product &&
               o.value(QStringLiteral("modules")).toDouble() == modules;
    }

    // Offer rows with the size of their record's files.
    QJsonArray ClientOffer() const {
        QJsonArray result;
        for (const QJsonValue &v : Offer) {
            QJsonObject row = v.toObject();
            double size = 0;
            for (const QJsonValue &r : Records) {
                if (!Matches(r.toObject(), row.value(QStringLiteral("productNumber")).toDouble(),
                             row.value(QStringLiteral("modules")).toDouble()))
                    continue;
                for (const QJsonValue &f : ClientRecord(r.toObject()).value(QStringLiteral("files")).toArray())
                    size += f.toObject().value(QStringLiteral("size")).toDouble();
            }
            row.insert(QStringLiteral("size"), size);
            result.append(row);
        }
        return result;
    }

    TStubReply Refused() const { return TStubReply::Json({{QStringLiteral("result"), 4}}); }

    TStubReply ShipsAnswer() const {
        return TStubReply::Json({{QStringLiteral("result"), 0}, {QStringLiteral("ships"), Ships}});
    }

    TStubReply Login(const TStubRequest &request) const {
        if (!LoggedIn(request)) return Refused();
        return TStubReply::Json({{QStringLiteral("result"), 0},
                                 {QStringLiteral("chartsets"), ClientOffer()},
                                 {QStringLiteral("records"), InstalledRecords()}});
    }

    TStubReply Downloads(const TStubRequest &request) const {
        if (!LoggedIn(request)) return Refused();
        QJsonArray records;
        for (int i = 0; request.Fields.contains(QStringLiteral("product") + QString::number(i)); ++i) {
            const double product = request.Fields.value(QStringLiteral("product") + QString::number(i)).toString().toDouble();
            const double modules = request.Fields.value(QStringLiteral("modules") + QString::number(i)).toString().toDouble();
            for (const QJsonValue &r : Records)
                if (Matches(r.toObject(), product, modules)) records.append(ClientRecord(r.toObject()));
        }
        return TStubReply::Json({{QStringLiteral("result"), 0}, {QStringLiteral("records"), records}});
    }

    // A file of account/files by name alone, for a request that names no chart set.
    TStubReply PlainFile(const QString &name) const {
        QFile file(SourcePath(QFileInfo(name).fileName()));
        if (!file.open(QIODevice::ReadOnly)) return TStubReply::Failure(404, QStringLiteral("No such file: ") + name);
        TStubReply reply;
        reply.ContentType = "application/octet-stream";
        reply.Body = file.readAll();
        reply.FileName = QFileInfo(name).fileName();
        return reply;
    }

    TStubReply Download(const TStubRequest &request) {
        if (!request.Fields.contains(QStringLiteral("product")))
            return PlainFile(request.Fields.value(QStringLiteral("file")).toString());
        if (!LoggedIn(request)) return TStubReply::Failure(403, QStringLiteral("Not logged in"));
        const double product = request.Fields.value(QStringLiteral("product")).toString().toDouble();
        const double modules = request.Fields.value(QStringLiteral("modules")).toString().toDouble();
        const QString name = request.Fields.value(QStringLiteral("file")).toString();
        for (const QJsonValue &r : Records) {
            if (!Matches(r.toObject(), product, modules)) continue;
            for (const QJsonValue &f : r.toObject().value(QStringLiteral("files")).toArray()) {
                if (f.toObject().value(QStringLiteral("name")).toString() != name) continue;
                TStubReply reply = PlainFile(f.toObject().value(QStringLiteral("source")).toString());
                reply.FileName = QFileInfo(name).fileName();
                if (reply.Status == 200) MarkInstalled(product, modules);
                return reply;
            }
        }
        return TStubReply::Failure(404, QStringLiteral("No such file: ") + name);
    }

    TStubReply UploadShip(const TStubRequest &request) {
        if (!LoggedIn(request)) return Refused();
        const QString name = request.Fields.value(QStringLiteral("name")).toString();
        QJsonObject ship{{QStringLiteral("name"), name}};
        for (const char *key : {"length", "beam", "height", "draught"})
            ship.insert(QLatin1String(key), request.Fields.value(QLatin1String(key)).toString().toDouble());
        RemoveShip(name);
        Ships.append(ship);
        return ShipsAnswer();
    }

    TStubReply DeleteShip(const TStubRequest &request) {
        if (!LoggedIn(request)) return Refused();
        RemoveShip(request.Fields.value(QStringLiteral("name")).toString());
        return ShipsAnswer();
    }

    void RemoveShip(const QString &name) {
        for (qsizetype i = Ships.size() - 1; i >= 0; --i)
            if (Ships[i].toObject().value(QStringLiteral("name")).toString() == name) Ships.removeAt(i);
    }
};

}  // namespace

void RegisterAccountHandlers(TServiceStub &stub, const QString &fixtureDir) {
    auto state = std::make_shared<TAccountState>();
    QFile file(QDir(fixtureDir).filePath(QStringLiteral("account/offer.json")));
    const QJsonObject fixture = file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll()).object()
                                                               : QJsonObject();
    state->Email = fixture.value(QStringLiteral("email")).toString();
    state->Password = fixture.value(QStringLiteral("password")).toString();
    state->Offer = fixture.value(QStringLiteral("chartsets")).toArray();
    state->Records = fixture.value(QStringLiteral("records")).toArray();
    state->Ships = fixture.value(QStringLiteral("ships")).toArray();
    state->Installed = fixture.value(QStringLiteral("installed")).toArray();
    state->FileFolders << QDir(fixtureDir).filePath(QStringLiteral("account/files"));
    for (const QString &folder : qEnvironmentVariable("MARIVO_STUB_FILES").split(QLatin1Char(':'), Qt::SkipEmptyParts))
        state->FileFolders << folder;

    stub.SetHandler(QStringLiteral("account/login"), [state](const TStubRequest &r) { return state->Login(r); });
    stub.SetHandler(QStringLiteral("account/downloads"), [state](const TStubRequest &r) { return state->Downloads(r); });
    stub.SetHandler(QStringLiteral("account/download"), [state](const TStubRequest &r) { return state->Download(r); });
    stub.SetHandler(QStringLiteral("userdata/ships"), [state](const TStubRequest &r) {
        return state->LoggedIn(r) ? state->ShipsAnswer() : state->Refused();
    });
    stub.SetHandler(QStringLiteral("userdata/uploadship"), [state](const TStubRequest &r) { return state->UploadShip(r); });
    stub.SetHandler(QStringLiteral("userdata/deleteship"), [state](const TStubRequest &r) { return state->DeleteShip(r); });
}

}  // namespace servicestub
