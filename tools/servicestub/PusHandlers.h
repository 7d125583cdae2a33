// The program update service of the stub ("pus/pus.php"): the request's "d=" field is
// decoded in digit pairs (each pair XOR 0xB5 is one byte of the form text; the program only
// sends ASCII, whose pairs never lose a leading zero) and answered from a product table.
// Tests change the table and script replies that misbehave on the socket itself.
#pragma once

#include "ServiceStub.h"

#include <QByteArray>
#include <QHash>
#include <QMap>
#include <QString>
#include <memory>

namespace servicestub {

struct TPusProduct {
    QString Version;  // "6.1.0.0"
    QString Date;     // "YYYY-MM-DD"
    QByteArray History;
    QString FileName;
    QByteArray Content;
    // What the version record says of the file; unset: the content's own size and SHA-256.
    qint64 RecordSize = -1;
    QString RecordHash = QStringLiteral("*");
};

class TPusService {
public:
    // By braced upper-case GUID. A GUID not listed has no update (version "0", no date).
    QHash<QString, TPusProduct> Products;
    // The decoded form texts received, as fields.
    QList<QMap<QString, QString>> Received;

    TStubReply Answer(const TStubRequest &request);
    // False when the body is not "d=" with digit pairs.
    static bool Decode(const QByteArray &body, QMap<QString, QString> &fields);
    // The products of <fixtureDir>/pus/products.json.
    void Load(const QString &fixtureDir);

private:
    QByteArray VersionRecords(const QMap<QString, QString> &fields) const;
    QByteArray Files(const QMap<QString, QString> &fields) const;
};

// Sets the handler of "pus/pus.php" and returns its service.
std::shared_ptr<TPusService> InstallPusService(TServiceStub &stub, const QString &fixtureDir);

// Replies that misbehave: raw bytes written as they are (status line and headers
// included), a server that accepts and never answers, and a body that never ends.
TStubReply PusRawReply(const QByteArray &http);
TStubReply PusHangReply();
TStubReply PusEndlessReply(const QByteArray &start);
// A plain 200 (or status) answer with body as it is.
TStubReply PusBody(const QByteArray &body, int status = 200);

}  // namespace servicestub
