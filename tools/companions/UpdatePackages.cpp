#include "UpdatePackages.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace {

QByteArray FileHash(const QString &file, bool &ok) {
    QFile f(file);
    ok = f.open(QIODevice::ReadOnly);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (ok) ok = hash.addData(&f);
    return hash.result().toHex();
}

}  // namespace

bool ReadUpdatePackage(const QString &folder, TUpdatePackage &out, QString &error) {
    QFile file(QDir(folder).filePath(QStringLiteral("package.json")));
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("%1: no package manifest").arg(folder);
        return false;
    }
    QJsonParseError parse;
    const QJsonObject o = QJsonDocument::fromJson(file.readAll(), &parse).object();
    out.Folder = folder;
    out.Kind = o.value(QStringLiteral("kind")).toString();
    out.Version = o.value(QStringLiteral("version")).toString();
    for (const QJsonValue &v : o.value(QStringLiteral("files")).toArray()) {
        const QString name = v.toObject().value(QStringLiteral("name")).toString();
        // Files stay inside their target folder.
        if (name.isEmpty() || QDir::isAbsolutePath(name) || QDir::cleanPath(name).startsWith(u"..")) {
            error = QStringLiteral("%1: bad file name").arg(folder);
            return false;
        }
        out.Files << name;
        out.Sha256 << v.toObject().value(QStringLiteral("sha256")).toString().toLower();
    }
    if (parse.error != QJsonParseError::NoError || out.Kind.isEmpty() || out.Files.isEmpty()) {
        error = QStringLiteral("%1: damaged package manifest").arg(folder);
        return false;
    }
    for (qsizetype i = 0; i < out.Files.size(); ++i) {
        bool ok = false;
        const QByteArray hash = FileHash(QDir(folder).filePath(out.Files[i]), ok);
        if (!ok || QString::fromLatin1(hash) != out.Sha256[i]) {
            error = QStringLiteral("%1: %2 is damaged").arg(folder, out.Files[i]);
            return false;
        }
    }
    return true;
}

int CompareVersions(const QString &a, const QString &b) {
    const QStringList pa = a.split(QLatin1Char('.')), pb = b.split(QLatin1Char('.'));
    for (int i = 0; i < 4; ++i) {
        const int x = i < pa.size() ? pa[i].toInt() : 0, y = i < pb.size() ? pb[i].toInt() : 0;
        if (x != y) return x < y ? -1 : 1;
    }
    return 0;
}

bool ApplyUpdatePackage(const TUpdatePackage &package, const QString &target, QString &error) {
    for (const QString &name : package.Files) {
        QFile source(QDir(package.Folder).filePath(name));
        const QString destination = QDir(target).filePath(name);
        QSaveFile out(destination);
        if (!QDir().mkpath(QFileInfo(destination).absolutePath()) || !source.open(QIODevice::ReadOnly) ||
            !out.open(QIODevice::WriteOnly) || out.write(source.readAll()) < 0 || !out.commit()) {
            error = QStringLiteral("cannot write %1").arg(destination);
            return false;
        }
    }
    return true;
}
