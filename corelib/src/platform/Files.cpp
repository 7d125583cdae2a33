// Files and folders: creation, deletion, copies, moves, text files and searches.
// Every export reports through err and never throws: the program's wrappers decide.
#include "kernel/KvInternal.h"
#include "platform/FilesCommon.h"
#include "KvLibNav6/KvFiles.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <cerrno>
#include <filesystem>

namespace fs = std::filesystem;

namespace kv {

int32_t ErrorFromErrno(int errnum) {
    switch (errnum) {
    case 0: return KvErr::Ok;
    case ENOENT:
    case ENOTDIR: return KvErr::NotFound;
    case EACCES:
    case EPERM:
    case EROFS: return KvErr::AccessDenied;
    case EEXIST:
    case ENOTEMPTY: return KvErr::AlreadyExists;
    case ENOSPC:
    case EDQUOT: return KvErr::DiskFull;
    case ENAMETOOLONG: return KvErr::NameTooLong;
    case EINVAL:
    case EISDIR: return KvErr::InvalidArgument;
    default: return KvErr::Failed;
    }
}

int32_t ErrorFromCode(const std::error_code &ec) {
    if (!ec) return KvErr::Ok;
    if (ec.category() == std::generic_category() || ec.category() == std::system_category())
        return ErrorFromErrno(ec.value());
    return KvErr::Failed;
}

QString NormalPath(const QString &path) {
    if (path.isEmpty()) return path;
    QString p = path;
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return QDir::cleanPath(p);
}

}  // namespace kv

namespace {

fs::path ToPath(const QString &p) {
    return fs::path(p.toStdString());
}

// Folders whose removal would wipe out far more than a caller's own temporary folder.
bool IsProtectedFolder(const QString &folder) {
    const QString clean = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    return clean == QLatin1String("/") || clean == QDir::cleanPath(QDir::homePath()) ||
           clean == QDir::cleanPath(QDir::tempPath());
}

// Copies src over dst through a temporary file beside dst, so that a failed copy leaves an
// existing destination as it was.
int32_t CopyReplacing(const QString &src, const QString &dst) {
    QFileInfo srcInfo(src);
    if (!srcInfo.exists()) return KvErr::NotFound;
    if (srcInfo.isDir()) return KvErr::InvalidArgument;
    QFile in(src);
    if (!in.open(QIODevice::ReadOnly)) return KvErr::AccessDenied;
    QSaveFile out(dst);
    if (!out.open(QIODevice::WriteOnly)) {
        return QFileInfo(QFileInfo(dst).absolutePath()).isDir() ? KvErr::AccessDenied
                                                                : KvErr::NotFound;
    }
    constexpr qint64 Chunk = 1 << 20;
    while (!in.atEnd()) {
        const QByteArray block = in.read(Chunk);
        if (block.isEmpty() && in.error() != QFileDevice::NoError) {
            out.cancelWriting();
            return KvErr::ReadFailed;
        }
        if (out.write(block) != block.size()) {
            out.cancelWriting();
            return out.error() == QFileDevice::ResourceError ? KvErr::DiskFull
                                                             : KvErr::WriteFailed;
        }
    }
    if (!out.commit()) return KvErr::WriteFailed;
    QFile::setPermissions(dst, srcInfo.permissions());
    return KvErr::Ok;
}

bool SameFile(const QString &a, const QString &b) {
    std::error_code ec;
    return fs::equivalent(ToPath(a), ToPath(b), ec) && !ec;
}

int32_t CopyFile(const QString &src, const QString &dst, bool replace) {
    if (src.isEmpty() || dst.isEmpty()) return KvErr::InvalidArgument;
    if (!QFileInfo::exists(src)) return KvErr::NotFound;
    if (QFileInfo::exists(dst)) {
        if (SameFile(src, dst)) return KvErr::InvalidArgument;
        if (!replace) return KvErr::AlreadyExists;
        if (QFileInfo(dst).isDir()) return KvErr::AlreadyExists;
    }
    return CopyReplacing(src, dst);
}

// Bytes of text encoded in Windows-1252; false when a character has no byte there.
bool EncodeCp1252(const QString &text, QByteArray &out) {
    static const char16_t high[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    out.clear();
    out.reserve(text.size());
    for (QChar qc : text) {
        const char16_t c = qc.unicode();
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            out.append(char(c));
            continue;
        }
        int found = -1;
        for (int i = 0; i < 32; ++i)
            if (high[i] == c) found = i;
        if (found < 0) return false;
        out.append(char(0x80 + found));
    }
    return true;
}

bool EncodeLatin1(const QString &text, QByteArray &out) {
    out.clear();
    for (QChar c : text) {
        if (c.unicode() > 0xFF) return false;
        out.append(char(c.unicode()));
    }
    return true;
}

QString DecodeText(const QByteArray &bytes, int32_t codePage) {
    if (bytes.startsWith("\xEF\xBB\xBF")) return kv::FromUtf8Verbatim(bytes.constData() + 3, bytes.size() - 3);
    if (bytes.startsWith("\xFF\xFE")) {
        QStringDecoder d(QStringConverter::Utf16LE);
        return d.decode(bytes.mid(2));
    }
    if (bytes.startsWith("\xFE\xFF")) {
        QStringDecoder d(QStringConverter::Utf16BE);
        return d.decode(bytes.mid(2));
    }
    const int32_t len = int32_t(bytes.size());
    const int32_t n = MultiByteToUnicode_GetBufSize(bytes.constData(), len, codePage);
    QString text(n, Qt::Uninitialized);
    MultiByteToUnicode(reinterpret_cast<char16_t *>(text.data()), n, bytes.constData(), len,
                       codePage);
    return text;
}

// Compiled ";"-separated masks; "*" and "*.*" take every file, as on the desktop.
struct TMasks {
    explicit TMasks(const QString &masks) {
        for (QString m : masks.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            m = m.trimmed();
            if (m.isEmpty()) continue;
            if (m == QLatin1String("*") || m == QLatin1String("*.*")) {
                All = true;
                continue;
            }
            Patterns.push_back(QRegularExpression(
                QRegularExpression::wildcardToRegularExpression(
                    m, QRegularExpression::UnanchoredWildcardConversion) ,
                QRegularExpression::CaseInsensitiveOption));
        }
    }
    bool Matches(const QString &name) const {
        if (All) return true;
        for (const auto &re : Patterns) {
            const auto match = re.match(name);
            if (match.hasMatch() && match.capturedStart() == 0 &&
                match.capturedLength() == name.size())
                return true;
        }
        return false;
    }
    bool Empty() const { return !All && Patterns.empty(); }
    bool All = false;
    std::vector<QRegularExpression> Patterns;
};

void Find(const QString &folder, const TMasks &masks, bool recurse, IStrWList *out, int depth) {
    QDir dir(folder);
    const auto sort = QDir::Name | QDir::IgnoreCase;
    const QFileInfoList files =
        dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System, sort);
    for (const QFileInfo &f : files)
        if (masks.Matches(f.fileName())) kv::AddStrW(out, f.absoluteFilePath());
    // Linked folders are not followed: a link back up would never end.
    if (!recurse || depth > 64) return;
    const QFileInfoList dirs =
        dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::NoSymLinks,
                          sort);
    for (const QFileInfo &d : dirs) Find(d.absoluteFilePath(), masks, recurse, out, depth + 1);
}

// Days since 1899-12-30 in local time, the program's date-time unit.
TDateTime ToDateTime(const QDateTime &dt) {
    static const QDate epoch(1899, 12, 30);
    const QDateTime local = dt.toLocalTime();
    const qint64 days = epoch.daysTo(local.date());
    const double fraction = local.time().msecsSinceStartOfDay() / 86400000.0;
    return double(days) + fraction;
}

}  // namespace

void DirCreate(const TStrWRec &folder, int32_t &err) {
    const QString path = kv::NormalPath(kv::ToQString(folder));
    if (path.isEmpty()) {
        err = KvErr::InvalidArgument;
        return;
    }
    std::error_code ec;
    fs::create_directories(ToPath(path), ec);
    if (ec) {
        err = kv::ErrorFromCode(ec);
        if (err == KvErr::NotFound && QFileInfo(path).exists()) err = KvErr::AlreadyExists;
        return;
    }
    err = QFileInfo(path).isDir() ? KvErr::Ok : KvErr::AlreadyExists;
}

void DirDeleteTree(const TStrWRec &folder, bool f1, bool f2, bool f3, int32_t &err) {
    const QString path = kv::NormalPath(kv::ToQString(folder));
    if (path.isEmpty() || IsProtectedFolder(path)) {
        err = KvErr::InvalidArgument;
        return;
    }
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) {
        err = KvErr::Ok;  // nothing left to delete
        return;
    }
    if (!info.isDir() || info.isSymLink()) {
        err = KvErr::InvalidArgument;
        return;
    }
    std::error_code ec;
    fs::remove_all(ToPath(path), ec);
    err = kv::ErrorFromCode(ec);
}

bool DirExists(const TStrWRec &folder) {
    const QString path = kv::NormalPath(kv::ToQString(folder));
    return !path.isEmpty() && QFileInfo(path).isDir();
}

void DiskGetFreeSpace(const TStrWRec &path, int64_t &freeBytes, int64_t *totalBytes,
                      int32_t value, int32_t &err) {
    freeBytes = 0;
    if (totalBytes) *totalBytes = 0;
    QString p = kv::NormalPath(kv::ToQString(path));
    if (p.isEmpty()) {
        err = KvErr::InvalidArgument;
        return;
    }
    // A folder that is still to be created lies on the file system of its nearest parent.
    p = QFileInfo(p).absoluteFilePath();
    while (!QFileInfo::exists(p) && p != QLatin1String("/")) p = QFileInfo(p).absolutePath();
    std::error_code ec;
    const fs::space_info info = fs::space(ToPath(p), ec);
    err = kv::ErrorFromCode(ec);
    if (err) return;
    freeBytes = int64_t(info.available);
    if (totalBytes) *totalBytes = int64_t(info.capacity);
}

void FileCopy(const TStrWRec &src, const TStrWRec &dst, int32_t options, int32_t v2, int32_t v1,
              int32_t v3, int32_t &err) {
    // The program copies files it made itself to places it chose: a destination there is
    // replaced, through a temporary file so a failure keeps the old one.
    err = CopyFile(kv::NormalPath(kv::ToQString(src)), kv::NormalPath(kv::ToQString(dst)), true);
}

void FileCopyEx(const TStrWRec &src, const TStrWRec &dst, int32_t options, bool flag, int32_t v1,
                int32_t v3, int32_t v2, int32_t v4, int32_t &err) {
    err = CopyFile(kv::NormalPath(kv::ToQString(src)), kv::NormalPath(kv::ToQString(dst)),
                   (options & KvFileCopyEx::Replace) != 0);
}

void _FileCreateUnique(const TStrWRec &folder, const TStrWRec &name, IStrW *createdOut,
                       int32_t &err) {
    kv::SetStrW(createdOut, QString());
    const QString dir = kv::NormalPath(kv::ToQString(folder));
    const QString fileName = kv::ToQString(name);
    if (dir.isEmpty() || fileName.isEmpty() || fileName.contains(QLatin1Char('/')) ||
        fileName.contains(QLatin1Char('\\')) || fileName == QLatin1String(".") ||
        fileName == QLatin1String("..")) {
        err = KvErr::InvalidArgument;
        return;
    }
    if (!QFileInfo(dir).isDir()) {
        err = KvErr::NotFound;
        return;
    }
    const int dot = fileName.lastIndexOf(QLatin1Char('.'));
    const QString base = dot >= 0 ? fileName.left(dot) : fileName;
    const QString ext = dot >= 0 ? fileName.mid(dot) : QString();
    // A bare extension (".trk") gets numbered names; a name of its own is tried first.
    for (int n = base.isEmpty() ? 1 : 0; n < 100000; ++n) {
        const QString candidate =
            n == 0 ? fileName
                   : (base.isEmpty() ? QString::number(n) + ext
                                     : QStringLiteral("%1 (%2)%3").arg(base).arg(n).arg(ext));
        const QString full = QDir(dir).absoluteFilePath(candidate);
        QFile f(full);
        // NewOnly creates atomically: two callers never get the same name.
        if (f.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            f.close();
            kv::SetStrW(createdOut, full);
            err = KvErr::Ok;
            return;
        }
        if (!QFileInfo::exists(full) && !QFileInfo(full).isSymLink()) {
            err = f.error() == QFileDevice::PermissionsError ? KvErr::AccessDenied
                                                             : KvErr::WriteFailed;
            return;
        }
    }
    err = KvErr::AlreadyExists;
}

void FileDelete(const TStrWRec &file, int32_t &err) {
    const QString path = kv::NormalPath(kv::ToQString(file));
    const QFileInfo info(path);
    if (path.isEmpty() || (info.isDir() && !info.isSymLink())) {
        err = KvErr::InvalidArgument;
        return;
    }
    std::error_code ec;
    if (!fs::remove(ToPath(path), ec) && !ec) {
        err = KvErr::NotFound;
        return;
    }
    err = kv::ErrorFromCode(ec);
}

void FileMove(const TStrWRec &src, const TStrWRec &dst, bool replace, int32_t &err) {
    const QString from = kv::NormalPath(kv::ToQString(src));
    const QString to = kv::NormalPath(kv::ToQString(dst));
    if (from.isEmpty() || to.isEmpty()) {
        err = KvErr::InvalidArgument;
        return;
    }
    if (!QFileInfo::exists(from)) {
        err = KvErr::NotFound;
        return;
    }
    if (QFileInfo::exists(to)) {
        if (SameFile(from, to)) {
            err = from == to ? KvErr::Ok : KvErr::InvalidArgument;
            if (from != to) {
                // A change of case or a second name of the same file: a plain rename.
                std::error_code ec;
                fs::rename(ToPath(from), ToPath(to), ec);
                err = kv::ErrorFromCode(ec);
            }
            return;
        }
        if (!replace || QFileInfo(to).isDir()) {
            err = KvErr::AlreadyExists;
            return;
        }
    }
    std::error_code ec;
    fs::rename(ToPath(from), ToPath(to), ec);
    if (ec && ec.value() == EXDEV && !QFileInfo(from).isDir()) {
        // Another file system: copy, and delete the source only once the copy is complete.
        err = CopyReplacing(from, to);
        if (err) return;
        fs::remove(ToPath(from), ec);
    }
    err = kv::ErrorFromCode(ec);
}

int64_t FileGetSize_F(const TStrWRec &file, int32_t &err) {
    const QFileInfo info(kv::NormalPath(kv::ToQString(file)));
    if (!info.exists()) {
        err = KvErr::NotFound;
        return 0;
    }
    if (info.isDir()) {
        err = KvErr::InvalidArgument;
        return 0;
    }
    err = KvErr::Ok;
    return info.size();
}

TDateTime FileGetTimeModified(const TStrWRec &file, int32_t &err) {
    const QFileInfo info(kv::NormalPath(kv::ToQString(file)));
    if (!info.exists()) {
        err = KvErr::NotFound;
        return 0.0;
    }
    err = KvErr::Ok;
    return ToDateTime(info.lastModified());
}

int32_t FileReadText(const TStrWRec &file, IStrW *textOut, int32_t codePage, int32_t &err) {
    kv::SetStrW(textOut, QString());
    const QString path = kv::NormalPath(kv::ToQString(file));
    QFile f(path);
    if (!QFileInfo(path).isFile()) {
        err = QFileInfo::exists(path) ? KvErr::InvalidArgument : KvErr::NotFound;
        return 0;
    }
    if (!f.open(QIODevice::ReadOnly)) {
        err = KvErr::AccessDenied;
        return 0;
    }
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        err = KvErr::ReadFailed;
        return 0;
    }
    const QString text = DecodeText(bytes, codePage);
    kv::SetStrW(textOut, text);
    err = KvErr::Ok;
    return int32_t(text.size());
}

void FileWriteText(const TStrWRec &file, const TStrWRec &text, int32_t format, int32_t codePage,
                   int32_t &err) {
    const QString path = kv::NormalPath(kv::ToQString(file));
    const QString content = kv::ToQString(text);
    if (path.isEmpty()) {
        err = KvErr::InvalidArgument;
        return;
    }
    QByteArray bytes;
    bool fits = true;
    if (codePage == 1252)
        fits = EncodeCp1252(content, bytes);
    else if (codePage == 28591)
        fits = EncodeLatin1(content, bytes);
    else
        bytes = content.toUtf8();
    // Characters the code page lacks would be lost: such a text is written as UTF-8 with a
    // byte-order mark, which FileReadText recognises whatever code page it is asked for.
    if (!fits) bytes = QByteArray("\xEF\xBB\xBF") + content.toUtf8();
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) {
        err = QFileInfo(QFileInfo(path).absolutePath()).isDir() ? KvErr::AccessDenied
                                                                : KvErr::NotFound;
        return;
    }
    if (f.write(bytes) != bytes.size()) {
        f.cancelWriting();
        err = KvErr::WriteFailed;
        return;
    }
    err = f.commit() ? KvErr::Ok : KvErr::WriteFailed;
}

void FindFiles(const TStrWRec &folder, const TStrWRec &masks, bool flag, IStrWList *out) {
    kv::ClearStrWList(out);
    const QString dir = kv::NormalPath(kv::ToQString(folder));
    const TMasks compiled(kv::ToQString(masks));
    if (dir.isEmpty() || compiled.Empty() || !QFileInfo(dir).isDir()) return;
    Find(dir, compiled, flag, out, 0);
}

void _GetTempDir(IStrW *out) {
    QString dir = QDir::tempPath();
    if (!dir.endsWith(QLatin1Char('/'))) dir += QLatin1Char('/');
    kv::SetStrW(out, dir);
}
