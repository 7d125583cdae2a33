// The desktop shell: documents and links open in the desktop's handler, programs start
// detached, special folders come from the platform's standard locations.
#include "kernel/KvInternal.h"
#include "platform/FilesCommon.h"
#include "KvLibNav6/KvFiles.h"
#include "platform/ShellOpener.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

kv::TShellOpener &Installed() {
    static kv::TShellOpener opener;
    return opener;
}

bool OpenUrl(const QUrl &url) {
    if (const auto &f = Installed().OpenUrl) return f(url);
    return QDesktopServices::openUrl(url);
}

bool StartDetached(const QString &program, const QStringList &arguments, const QString &folder) {
    if (const auto &f = Installed().StartDetached) return f(program, arguments, folder);
    return QProcess::startDetached(program, arguments, folder);
}

// "scheme:" at the start of a text; one letter is a Windows drive, not a scheme.
bool HasScheme(const QString &text) {
    static const QRegularExpression re(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    return re.match(text).hasMatch();
}

}  // namespace

namespace kv {

TShellOpener SetShellOpener(TShellOpener opener) {
    TShellOpener previous = std::move(Installed());
    Installed() = std::move(opener);
    return previous;
}

}  // namespace kv

void ShlExecuteDocument(WindowHandle window, const TStrWRec &document, int32_t showCommand,
                        int32_t &err) {
    const QString text = kv::ToQString(document).trimmed();
    if (text.isEmpty()) {
        err = KvErr::InvalidArgument;
        return;
    }
    QUrl url;
    if (HasScheme(text)) {
        url = QUrl(text, QUrl::StrictMode);
        const QString scheme = url.scheme().toLower();
        // Only what a desktop opens harmlessly: web pages, mail and local documents.
        if (!url.isValid() || (scheme != QLatin1String("http") &&
                               scheme != QLatin1String("https") &&
                               scheme != QLatin1String("mailto") &&
                               scheme != QLatin1String("file"))) {
            err = KvErr::InvalidArgument;
            return;
        }
        if (scheme == QLatin1String("file") && !QFileInfo::exists(url.toLocalFile())) {
            err = KvErr::NotFound;
            return;
        }
    } else {
        const QString path = kv::NormalPath(text);
        if (!QFileInfo::exists(path)) {
            err = KvErr::NotFound;
            return;
        }
        url = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    }
    err = OpenUrl(url) ? KvErr::Ok : KvErr::Failed;
}

void ShlExecuteFile(WindowHandle window, const TStrWRec &operation, const TStrWRec &file,
                    const TStrWRec &params, const TStrWRec &folder, int32_t showCommand,
                    int32_t &err) {
    const QString verb = kv::ToQString(operation).trimmed().toLower();
    const QString name = kv::NormalPath(kv::ToQString(file).trimmed());
    if (name.isEmpty()) {
        err = KvErr::InvalidArgument;
        return;
    }
    if (!verb.isEmpty() && verb != QLatin1String("open")) {
        err = KvErr::NotImplemented;  // "print", "runas" and the like have no counterpart
        return;
    }
    const QString dir = kv::NormalPath(kv::ToQString(folder));
    if (!dir.isEmpty() && !QFileInfo(dir).isDir()) {
        err = KvErr::NotFound;
        return;
    }
    QString program = name;
    if (!name.contains(QLatin1Char('/'))) {
        const QString inDir = dir.isEmpty() ? QString() : dir + QLatin1Char('/') + name;
        program = !inDir.isEmpty() && QFileInfo::exists(inDir)
                      ? inDir
                      : QStandardPaths::findExecutable(name);
    }
    const QFileInfo info(program);
    if (program.isEmpty() || !info.exists()) {
        err = KvErr::NotFound;
        return;
    }
    const QString arguments = kv::ToQString(params);
    if (info.isFile() && info.isExecutable()) {
        err = StartDetached(info.absoluteFilePath(), QProcess::splitCommand(arguments), dir)
                  ? KvErr::Ok
                  : KvErr::Failed;
        return;
    }
    // A document: its handler takes no parameters of ours.
    if (!arguments.trimmed().isEmpty()) {
        err = KvErr::InvalidArgument;
        return;
    }
    err = OpenUrl(QUrl::fromLocalFile(info.absoluteFilePath())) ? KvErr::Ok : KvErr::Failed;
}

bool ShlGetSpecialFolderPath(int32_t csidl, IStrW *pathOut) {
    kv::SetStrW(pathOut, QString());
    QStandardPaths::StandardLocation location;
    switch (csidl) {
    case 0:   // desktop
    case 16:  // desktop folder
        location = QStandardPaths::DesktopLocation;
        break;
    case 5:  // documents
        location = QStandardPaths::DocumentsLocation;
        break;
    case 13: location = QStandardPaths::MusicLocation; break;
    case 14: location = QStandardPaths::MoviesLocation; break;
    case 39: location = QStandardPaths::PicturesLocation; break;
    case 20: location = QStandardPaths::FontsLocation; break;
    case 26:  // application data of the user
    case 28:  // local application data
    case 35:  // application data shared by the users; callers add their own sub-folders
        location = QStandardPaths::GenericDataLocation;
        break;
    default: return false;
    }
    const QString path = QStandardPaths::writableLocation(location);
    if (path.isEmpty()) return false;
    kv::SetStrW(pathOut, QDir::cleanPath(path));
    return true;
}
