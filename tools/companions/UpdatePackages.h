// Update packages as the update program applies them: a folder with "package.json" (kind
// "help" or "network", a version "a.b.c.d" and every file with its SHA-256) and the files.
#pragma once

#include <QString>
#include <QStringList>

struct TUpdatePackage {
    QString Folder;
    QString Kind;
    QString Version;
    QStringList Files;
    QStringList Sha256;
};

// False with a message for a missing or damaged manifest or a file that does not match.
bool ReadUpdatePackage(const QString &folder, TUpdatePackage &out, QString &error);
// "2.3.0.0" < "2.4.0.0"; unreadable parts count as 0.
int CompareVersions(const QString &a, const QString &b);
// Writes every file into target, each atomically; the package was checked first.
bool ApplyUpdatePackage(const TUpdatePackage &package, const QString &target, QString &error);
