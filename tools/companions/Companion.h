// What the companion programs share: their lock, their folders and their command line.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>

class QLockFile;

namespace companion {

// The lock "{GUID}1" in the runtime folder, held while the program runs; nullptr when
// another instance holds it.
std::unique_ptr<QLockFile> TakeLock(const QString &productGuid);

// A folder from the environment variable, else the default.
QString FolderFrom(const char *variable, const QString &fallback);

// The value after a switch ("-lang nl-NL" gives "nl-NL"); empty when absent.
QString SwitchValue(const QStringList &args, const QString &name);

// Copies a folder's files (recursively) into target; False with a message on failure.
bool CopyFolder(const QString &source, const QString &target, QString &error);

}  // namespace companion
