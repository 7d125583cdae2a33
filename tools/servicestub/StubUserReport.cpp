#include "StubUserReport.h"

#include "ServiceStub.h"

#include <QRegularExpression>

namespace servicestub {

namespace {

QString HeaderParameter(const QByteArray &headers, const char *name) {
    const QRegularExpression re(QStringLiteral("%1=\"([^\"]*)\"").arg(QString::fromLatin1(name)),
                                QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = re.match(QString::fromUtf8(headers));
    return m.hasMatch() ? m.captured(1) : QString();
}

QString PartContentType(const QByteArray &headers) {
    for (const QByteArray &line : headers.split('\n')) {
        const qsizetype colon = line.indexOf(':');
        if (colon > 0 && line.left(colon).trimmed().toLower() == "content-type")
            return QString::fromLatin1(line.mid(colon + 1).trimmed());
    }
    return {};
}

void ReadPart(const QByteArray &part, QJsonObject &fields) {
    const qsizetype headEnd = part.indexOf("\r\n\r\n");
    if (headEnd < 0) return;
    const QByteArray headers = part.left(headEnd);
    const QByteArray value = part.mid(headEnd + 4);
    const QString name = HeaderParameter(headers, "name");
    if (name.isEmpty()) return;
    if (!headers.contains("filename=")) {
        fields.insert(name, QString::fromUtf8(value));
        return;
    }
    fields.insert(name, QJsonObject{{QStringLiteral("filename"), HeaderParameter(headers, "filename")},
                                    {QStringLiteral("type"), PartContentType(headers)},
                                    {QStringLiteral("size"), double(value.size())},
                                    {QStringLiteral("jpeg"), value.startsWith("\xFF\xD8\xFF")}});
}

}  // namespace

bool ParseFormData(const QString &contentType, const QByteArray &body, QJsonObject &fields) {
    if (!contentType.startsWith(QStringLiteral("multipart/form-data"), Qt::CaseInsensitive)) return false;
    QString boundary = contentType.section(QStringLiteral("boundary="), 1).trimmed();
    if (boundary.startsWith(QLatin1Char('"'))) boundary = boundary.mid(1).chopped(1);
    if (boundary.isEmpty()) return false;
    const QByteArray delimiter = "--" + boundary.toLatin1();
    qsizetype at = body.indexOf(delimiter);
    while (at >= 0) {
        const qsizetype start = at + delimiter.size();
        if (body.mid(start, 2) == "--") break;
        const qsizetype next = body.indexOf("\r\n" + delimiter, start);
        if (next < 0) break;
        // The part sits between the line break after the delimiter and the one before the next.
        ReadPart(body.mid(start + 2, next - start - 2), fields);
        at = next + 2;
    }
    return true;
}

void RegisterUserReport(TServiceStub &stub) {
    stub.SetHandler(QStringLiteral("userdata/report"), [](const TStubRequest &request) {
        const QJsonObject &f = request.Fields;
        if (f.value(QStringLiteral("text")).toString().trimmed().isEmpty())
            return TStubReply::Failure(400, QStringLiteral("The report has no text."));
        const QJsonValue picture = f.value(QStringLiteral("screenshotfile"));
        if (picture.isObject() && !picture.toObject().value(QStringLiteral("jpeg")).toBool())
            return TStubReply::Failure(400, QStringLiteral("The screenshot is not a JPEG picture."));
        return TStubReply::Json({{QStringLiteral("result"), 0}, {QStringLiteral("message"), QStringLiteral("OK")}});
    });
}

}  // namespace servicestub
