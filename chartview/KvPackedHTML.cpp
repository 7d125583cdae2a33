#include "chartview/KvPackedHTML.h"

#include "base/files/KvBufferedFileStream.h"
#include "base/kvlib/KvErrors.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>
#include <filesystem>
#include <vector>

namespace {

constexpr uint32_t PackedVersion = 0x01000000;
// Unused Int64, size Int64 and the name's byte count.
constexpr int64_t MinEntryBytes = 20;

struct TPackedEntry {
    int64_t Size = 0;
    QString Name;  // "/" separators, checked
};

[[noreturn]] void Refuse(const QString &fileName, const QString &what) {
    throw Exception(QStringLiteral("UnpackFiles: %1 %2").arg(fileName, what));
}

// The name with "/" separators, or empty when it may not be written.
QString SafeName(QString name) {
    name.replace(u'\\', u'/');
    if (name.isEmpty() || name.startsWith(u'/') || (name.size() >= 2 && name.at(1) == u':')) return {};
    for (const QChar c : name)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F) return {};
    for (const QString &part : name.split(u'/'))
        if (part.isEmpty() || part == u"." || part == u"..") return {};
    return name;
}

std::vector<TPackedEntry> ReadDirectory(TStream &stream, const QString &fileName) {
    const int32_t count = StreamReadLongint(stream);
    if (count < 0 || int64_t(count) * MinEntryBytes > stream.GetSize() - stream.GetPosition())
        Refuse(fileName, QStringLiteral("has an invalid file count."));
    std::vector<TPackedEntry> entries;
    for (int32_t i = 0; i < count; ++i) {
        StreamReadInt64(stream);
        TPackedEntry e;
        e.Size = StreamReadInt64(stream);
        QString name;
        StreamReadStr(stream, 1252, name);
        e.Name = SafeName(name);
        if (e.Name.isEmpty()) Refuse(fileName, QStringLiteral("holds the invalid file name \"%1\".").arg(name));
        if (e.Size < 0) Refuse(fileName, QStringLiteral("holds the invalid size of \"%1\".").arg(name));
        entries.push_back(e);
    }
    int64_t total = 0;
    for (const auto &e : entries) {
        total += e.Size;
        if (total > stream.GetSize() - stream.GetPosition())
            Refuse(fileName, QStringLiteral("is truncated at \"%1\".").arg(e.Name));
    }
    return entries;
}

// The folders on the way to the file: made when missing, refused when one is a link.
void PrepareFolders(const QString &folder, const TPackedEntry &e, const QString &fileName) {
    QString path = folder;
    const QStringList parts = e.Name.split(u'/');
    for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
        path += u'/' + parts[i];
        const QFileInfo info(path);
        if (info.isSymLink() || (info.exists() && !info.isDir()))
            Refuse(fileName, QStringLiteral("cannot write \"%1\".").arg(e.Name));
        if (!info.exists() && !QDir().mkpath(path)) Refuse(fileName, QStringLiteral("cannot write \"%1\".").arg(e.Name));
    }
}

void WriteEntry(TStream &stream, const QString &folder, const TPackedEntry &e, const QString &fileName) {
    PrepareFolders(folder, e, fileName);
    const QString target = folder + u'/' + e.Name;
    QTemporaryFile temp(QFileInfo(target).absolutePath() + QStringLiteral("/.unpack-XXXXXX"));
    if (!temp.open()) Refuse(fileName, QStringLiteral("cannot write \"%1\".").arg(e.Name));
    std::vector<char> buffer(8192);
    for (int64_t left = e.Size; left > 0;) {
        const auto n = int32_t(std::min<int64_t>(left, int64_t(buffer.size())));
        if (stream.Read(buffer.data(), n) != n) throw EStreamError(QStringLiteral("UnpackFiles: Read beyond end of stream."));
        if (temp.write(buffer.data(), n) != n) Refuse(fileName, QStringLiteral("cannot write \"%1\".").arg(e.Name));
        left -= n;
    }
    if (!temp.flush()) Refuse(fileName, QStringLiteral("cannot write \"%1\".").arg(e.Name));
    // rename() replaces a link at the target itself instead of writing through it.
    std::error_code ec;
    std::filesystem::rename(QFile::encodeName(temp.fileName()).toStdString(),
                            QFile::encodeName(target).toStdString(), ec);
    if (ec) Refuse(fileName, QStringLiteral("cannot write \"%1\".").arg(e.Name));
    temp.setAutoRemove(false);
}

}  // namespace

void UnpackFiles(const QString &fileName, const QString &folder) {
    TBufferedFileStream stream(fileName, fmOpenRead | fmShareDenyWrite, 8192);
    char magic[8];
    if (stream.Read(magic, 8) != 8 || QByteArray(magic, 8) != QByteArrayLiteral("PckdHTML"))
        Refuse(fileName, QStringLiteral("is not a valid Packed HTML file."));
    if (StreamReadVersion(stream) != PackedVersion) Refuse(fileName, QStringLiteral("invalid version."));
    const std::vector<TPackedEntry> entries = ReadDirectory(stream, fileName);
    const QString root = QDir(folder).absolutePath();
    if (!QDir().mkpath(root)) Refuse(fileName, QStringLiteral("cannot write into %1.").arg(folder));
    for (const auto &e : entries) WriteEntry(stream, root, e, fileName);
}
