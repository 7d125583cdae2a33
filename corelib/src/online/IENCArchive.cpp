#include "online/IENCArchive.h"

#include "KvLibNav6/KvErrorCodes.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>

#include <sys/stat.h>
#include <zip.h>

#include <memory>

namespace kv {

namespace {

constexpr zip_int64_t ChunkSize = 1 << 20;

struct TZipCloser {
    void operator()(zip_t *z) const { zip_discard(z); }
};
struct TZipFileCloser {
    void operator()(zip_file_t *f) const { zip_fclose(f); }
};
using TZip = std::unique_ptr<zip_t, TZipCloser>;
using TZipFile = std::unique_ptr<zip_file_t, TZipFileCloser>;

TZip OpenZip(const QString &path, int flags) {
    int error = 0;
    return TZip(zip_open(QFile::encodeName(path).constData(), flags, &error));
}

int32_t Refuse(QString &problem, const QString &text) {
    problem = text;
    return KvErr::BadFormat;
}

// Only plain files and folders: a link or a device could lead a later write elsewhere.
bool IsPlainEntry(zip_t *z, zip_uint64_t index, bool folder) {
    zip_uint8_t opsys = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(z, index, 0, &opsys, &attributes) != 0) return false;
    if (opsys != ZIP_OPSYS_UNIX) return true;
    const mode_t type = (attributes >> 16) & S_IFMT;
    return type == 0 || type == (folder ? S_IFDIR : S_IFREG);
}

// Reads the whole member: libzip checks its CRC when the end is reached. False when the
// data is damaged or longer than expected.
bool ReadWhole(zip_t *z, zip_uint64_t index, int64_t expected, std::vector<char> &buffer) {
    TZipFile file(zip_fopen_index(z, index, 0));
    if (!file) return false;
    int64_t total = 0;
    for (;;) {
        const zip_int64_t n = zip_fread(file.get(), buffer.data(), zip_uint64_t(buffer.size()));
        if (n < 0) return false;
        if (n == 0) break;
        total += n;
        if (total > expected) return false;
    }
    return total == expected;
}

}  // namespace

bool IsSafeIENCName(const QString &name) {
    static const QRegularExpression drive(QStringLiteral("^[A-Za-z]:"));
    if (name.isEmpty() || name.startsWith(u'/') || name.contains(u'\\') || name.contains(QChar(0)) ||
        drive.match(name).hasMatch())
        return false;
    for (const QString &part : name.split(u'/'))
        if (part.isEmpty() || part == u"." || part == u"..") return false;
    return true;
}

int32_t CheckIENCArchive(const QString &zipPath, int64_t announcedSize,
                         const std::vector<TIENCListedFile> &listed, QString &problem) {
    problem.clear();
    const QFileInfo info(zipPath);
    if (!info.isFile()) return Refuse(problem, QStringLiteral("The archive did not arrive."));
    if (announcedSize >= 0 && info.size() != announcedSize)
        return Refuse(problem, QStringLiteral("The archive has %1 bytes, the list announced %2.")
                                   .arg(info.size())
                                   .arg(announcedSize));
    TZip z = OpenZip(zipPath, ZIP_RDONLY | ZIP_CHECKCONS);
    if (!z) return Refuse(problem, QStringLiteral("The archive is not a readable zip file."));
    QHash<QString, int64_t> wanted;
    for (const auto &f : listed) wanted.insert(f.Name, f.Size);
    QSet<QString> seen;
    std::vector<char> buffer(static_cast<size_t>(ChunkSize));
    const zip_int64_t count = zip_get_num_entries(z.get(), 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(z.get(), zip_uint64_t(i), 0, &st) != 0 || !st.name)
            return Refuse(problem, QStringLiteral("A member of the archive cannot be read."));
        const QString name = QString::fromUtf8(st.name);
        const bool folder = name.endsWith(u'/');
        if (!IsSafeIENCName(folder ? name.chopped(1) : name))
            return Refuse(problem, QStringLiteral("The archive holds the unsafe name \"%1\".").arg(name));
        if (!IsPlainEntry(z.get(), zip_uint64_t(i), folder))
            return Refuse(problem, QStringLiteral("\"%1\" in the archive is not a plain file.").arg(name));
        if (folder) continue;
        if (seen.contains(name))
            return Refuse(problem, QStringLiteral("The archive holds \"%1\" twice.").arg(name));
        seen.insert(name);
        const auto it = wanted.constFind(name);
        if (it == wanted.constEnd())
            return Refuse(problem, QStringLiteral("The archive holds \"%1\", which the list does not name.").arg(name));
        if (!(st.valid & ZIP_STAT_SIZE) || int64_t(st.size) != *it)
            return Refuse(problem, QStringLiteral("\"%1\" in the archive differs in size from the list.").arg(name));
        if (!ReadWhole(z.get(), zip_uint64_t(i), *it, buffer))
            return Refuse(problem, QStringLiteral("\"%1\" in the archive is damaged.").arg(name));
    }
    for (const auto &f : listed)
        if (!seen.contains(f.Name))
            return Refuse(problem, QStringLiteral("The archive lacks \"%1\".").arg(f.Name));
    return KvErr::Ok;
}

int32_t ExtractIENCMember(const QString &zipPath, const QString &name, int64_t size,
                          const QString &target, int64_t unixTime) {
    if (!IsSafeIENCName(name) || size < 0) return KvErr::InvalidArgument;
    TZip z = OpenZip(zipPath, ZIP_RDONLY);
    if (!z) return KvErr::BadFormat;
    const zip_int64_t index = zip_name_locate(z.get(), name.toUtf8().constData(), 0);
    if (index < 0) return KvErr::NotFound;
    TZipFile file(zip_fopen_index(z.get(), zip_uint64_t(index), 0));
    if (!file) return KvErr::BadFormat;
    if (!QDir().mkpath(QFileInfo(target).absolutePath())) return KvErr::WriteFailed;
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly)) return KvErr::WriteFailed;
    std::vector<char> buffer(static_cast<size_t>(ChunkSize));
    int64_t left = size;
    while (left > 0) {
        const zip_int64_t n =
            zip_fread(file.get(), buffer.data(), zip_uint64_t(std::min<int64_t>(left, ChunkSize)));
        if (n < 0) return KvErr::BadFormat;
        if (n == 0) break;
        if (out.write(buffer.data(), n) != n) return KvErr::WriteFailed;
        left -= n;
    }
    if (left != 0) return KvErr::BadFormat;
    if (!out.commit()) return KvErr::WriteFailed;
    if (unixTime >= 0) {
        QFile written(target);
        if (written.open(QIODevice::ReadWrite))
            written.setFileTime(QDateTime::fromSecsSinceEpoch(unixTime, Qt::UTC),
                                QFileDevice::FileModificationTime);
    }
    return KvErr::Ok;
}

}  // namespace kv
