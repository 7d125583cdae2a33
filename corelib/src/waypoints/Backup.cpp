// Program data files (backups): a reader of the library's own container format.
//
// Layout (little-endian):
//   "KVNAVBAK"  uint32 version  uint32 entry count
//   per entry:  uint16 kind  uint16 reserved (0)  uint32 name bytes  uint64 data bytes
//               name (UTF-8)  data
// Kinds: 1 waypoint database (at most one; its data is a database file, read in place),
// 2 route profile, 3 waypoint profile (each one profile in the profile file's JSON form),
// 4 track (a ".trk" file). The entries fill the file
// exactly; anything else is a damaged file.
#include "kernel/KvInternal.h"
#include "KvLibNav6/KvBackup.h"
#include "KvLibNav6/KvErrorCodes.h"
#include "waypoints/TxtFormatImport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QtEndian>
#include <algorithm>
#include <memory>
#include <vector>

namespace {

constexpr char Magic[8] = {'K', 'V', 'N', 'A', 'V', 'B', 'A', 'K'};
constexpr quint32 BackupVersion = 1;
constexpr quint32 MaxEntries = 100000;
constexpr quint32 MaxNameBytes = 1024;
constexpr qint64 CopyChunk = 1 << 20;
// A profile is a few kilobytes of JSON; a larger entry is not one.
constexpr qint64 MaxProfileBytes = 4 << 20;

enum EntryKind : quint16 { KindDatabase = 1, KindRouteProfile = 2, KindWaypointProfile = 3, KindTrack = 4 };

class TBackupEntry final : public INavBackupEntry {
public:
    TBackupEntry(const QString &name, qint64 offset, qint64 size)
        : FOffset(offset), FSize(size) {
        FName.Set(name);
    }
    const TStrWRec *GetName() override { return FName.Get(); }
    void SetSelected(bool selected) override { FSelected = selected; }
    void SetOverwrite(bool overwrite) override { FOverwrite = overwrite; }

    QString Name() const { return kv::ToQString(*FName.Get()); }
    bool Selected() const { return FSelected; }
    bool Overwrite() const { return FOverwrite; }
    qint64 Offset() const { return FOffset; }
    qint64 Size() const { return FSize; }

private:
    kv::TOwnedText FName;
    qint64 FOffset;
    qint64 FSize;
    bool FSelected = false;
    bool FOverwrite = false;
};

using EntryList = std::vector<std::unique_ptr<TBackupEntry>>;

INavBackupEntry *EntryAt(const EntryList &list, int32_t i) {
    return i >= 0 && size_t(i) < list.size() ? list[size_t(i)].get() : nullptr;
}

// A track name made safe as a file name in the target folder: no folder parts, no
// characters other systems refuse; never empty.
QString TrackFileName(const QString &name) {
    QString s;
    for (QChar c : name)
        s += (c.unicode() < 32 || QStringLiteral("/\\:*?\"<>|").contains(c)) ? QLatin1Char('_') : c;
    s = s.trimmed();
    while (s.startsWith(QLatin1Char('.'))) s.remove(0, 1);
    if (s.isEmpty()) s = QStringLiteral("Track");
    if (!s.endsWith(QLatin1String(".trk"), Qt::CaseInsensitive)) s += QLatin1String(".trk");
    return s;
}

QString UniqueTarget(const QDir &dir, const QString &fileName) {
    const QFileInfo fi(fileName);
    const QString base = fi.completeBaseName(), ext = fi.suffix();
    QString candidate = dir.filePath(fileName);
    for (int n = 2; QFileInfo::exists(candidate); ++n)
        candidate = dir.filePath(QStringLiteral("%1 (%2).%3").arg(base).arg(n).arg(ext));
    return candidate;
}

class TNavBackup final : public INavBackup {
public:
    TNavBackup(QString file, ThumbnailProc cb) : FFile(std::move(file)), FThumbnail(cb) {}

    int32_t Open();

    int32_t ImportTracks(const TStrWRec &folder, int32_t flag, int32_t &err) override;
    uint32_t GetContents() override {
        uint32_t c = 0;
        if (FDatabaseOffset > 0) c |= NavBackupContents::WaypointDatabase;
        if (!FRouteProfiles.empty()) c |= NavBackupContents::RouteProfiles;
        if (!FWaypointProfiles.empty()) c |= NavBackupContents::WaypointProfiles;
        if (!FTracks.empty()) c |= NavBackupContents::Tracks;
        return c;
    }
    int64_t GetDatabasePosition() override { return FDatabaseOffset; }
    int32_t GetRouteProfileCount() override { return int32_t(FRouteProfiles.size()); }
    INavBackupEntry *GetRouteProfile(int32_t i) override { return EntryAt(FRouteProfiles, i); }
    int32_t GetWaypointProfileCount() override { return int32_t(FWaypointProfiles.size()); }
    INavBackupEntry *GetWaypointProfile(int32_t i) override { return EntryAt(FWaypointProfiles, i); }
    int32_t GetTrackCount() override { return int32_t(FTracks.size()); }
    INavBackupEntry *GetTrack(int32_t i) override { return EntryAt(FTracks, i); }
    void ImportRouteProfiles(ITxtFormatProfileManager *target, int32_t, int32_t &err) override {
        err = ImportProfiles(FRouteProfiles, target);
    }
    void ImportWaypointProfiles(ITxtFormatProfileManager *target, int32_t, int32_t &err) override {
        err = ImportProfiles(FWaypointProfiles, target);
    }
    // Chart collections are not part of this format: the caller gets an error instead of an
    // import that silently did nothing.
    void ImportChartCollections(IChartCollectionList *, int32_t, int32_t &err) override {
        err = KvErr::NotImplemented;
    }

private:
    int32_t CopyOut(const TBackupEntry &e, const QString &target);
    int32_t ReadEntry(const TBackupEntry &e, QByteArray &data);
    int32_t ImportProfiles(const EntryList &entries, ITxtFormatProfileManager *target);

    QString FFile;
    ThumbnailProc FThumbnail;  // for pictures; the entries of this format carry none yet
    int64_t FDatabaseOffset = 0;
    EntryList FRouteProfiles, FWaypointProfiles, FTracks;
};

int32_t TNavBackup::Open() {
    const QFileInfo fi(FFile);
    if (!fi.exists()) return KvErr::NotFound;
    QFile f(FFile);
    if (!fi.isFile() || !f.open(QIODevice::ReadOnly))
        return f.error() == QFileDevice::PermissionsError ? KvErr::AccessDenied : KvErr::ReadFailed;
    const qint64 fileSize = f.size();
    const QByteArray head = f.read(16);
    if (head.size() != 16 || !head.startsWith(QByteArray(Magic, 8))) return KvErr::BadFormat;
    const auto version = qFromLittleEndian<quint32>(head.constData() + 8);
    const auto count = qFromLittleEndian<quint32>(head.constData() + 12);
    if (version == 0) return KvErr::BadFormat;
    if (version > BackupVersion) return KvErr::BadVersion;
    if (count > MaxEntries) return KvErr::BadFormat;

    qint64 pos = 16;
    for (quint32 i = 0; i < count; ++i) {
        const QByteArray eh = f.read(16);
        if (eh.size() != 16) return KvErr::BadFormat;
        const auto kind = qFromLittleEndian<quint16>(eh.constData());
        const auto reserved = qFromLittleEndian<quint16>(eh.constData() + 2);
        const auto nameBytes = qFromLittleEndian<quint32>(eh.constData() + 4);
        const auto dataBytes = qFromLittleEndian<quint64>(eh.constData() + 8);
        pos += 16;
        if (reserved != 0 || nameBytes > MaxNameBytes || qint64(nameBytes) > fileSize - pos)
            return KvErr::BadFormat;
        const QByteArray rawName = f.read(nameBytes);
        pos += nameBytes;
        if (rawName.size() != qsizetype(nameBytes) || dataBytes > quint64(fileSize - pos))
            return KvErr::BadFormat;
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString name = decoder.decode(rawName);
        if (decoder.hasError()) return KvErr::BadFormat;

        const qint64 offset = pos;
        auto entry = std::make_unique<TBackupEntry>(name, offset, qint64(dataBytes));
        switch (kind) {
        case KindDatabase:
            if (FDatabaseOffset != 0 || dataBytes == 0) return KvErr::BadFormat;
            FDatabaseOffset = offset;
            break;
        case KindRouteProfile: FRouteProfiles.push_back(std::move(entry)); break;
        case KindWaypointProfile: FWaypointProfiles.push_back(std::move(entry)); break;
        case KindTrack: FTracks.push_back(std::move(entry)); break;
        default: return KvErr::BadFormat;
        }
        pos += qint64(dataBytes);
        if (!f.seek(pos)) return KvErr::BadFormat;
    }
    return pos == fileSize ? KvErr::Ok : KvErr::BadFormat;
}

int32_t TNavBackup::CopyOut(const TBackupEntry &e, const QString &target) {
    QFile in(FFile);
    if (!in.open(QIODevice::ReadOnly) || !in.seek(e.Offset())) return KvErr::ReadFailed;
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return out.error() == QFileDevice::PermissionsError ? KvErr::AccessDenied : KvErr::WriteFailed;
    for (qint64 left = e.Size(); left > 0;) {
        const QByteArray chunk = in.read(std::min(left, CopyChunk));
        if (chunk.isEmpty()) return KvErr::ReadFailed;  // the file shrank since it was opened
        if (out.write(chunk) != chunk.size()) return KvErr::WriteFailed;
        left -= chunk.size();
    }
    return out.commit() ? KvErr::Ok : KvErr::WriteFailed;
}

int32_t TNavBackup::ReadEntry(const TBackupEntry &e, QByteArray &data) {
    if (e.Size() > MaxProfileBytes) return KvErr::BadFormat;
    QFile in(FFile);
    if (!in.open(QIODevice::ReadOnly) || !in.seek(e.Offset())) return KvErr::ReadFailed;
    data = in.read(e.Size());
    return data.size() == e.Size() ? KvErr::Ok : KvErr::ReadFailed;  // shrank since it was opened
}

int32_t TNavBackup::ImportProfiles(const EntryList &entries, ITxtFormatProfileManager *target) {
    if (!target) return KvErr::InvalidArgument;
    // As with tracks: one bad entry does not stop the others; the first error is reported.
    int32_t err = KvErr::Ok;
    for (const auto &e : entries) {
        if (!e->Selected()) continue;
        QByteArray json;
        int32_t r = ReadEntry(*e, json);
        if (r == KvErr::Ok) r = kv::txt::ImportProfileJson(target, json, e->Overwrite());
        if (r != KvErr::Ok && err == KvErr::Ok) err = r;
    }
    return err;
}

int32_t TNavBackup::ImportTracks(const TStrWRec &folder, int32_t flag, int32_t &err) {
    err = KvErr::Ok;
    const QDir dir(kv::ToQString(folder));
    if (kv::ToQString(folder).isEmpty() || !dir.exists()) {
        err = KvErr::NotFound;
        return 0;
    }
    int32_t restored = 0;
    // One failing track does not stop the others; the first error is the one reported.
    for (const auto &e : FTracks) {
        if (!e->Selected()) continue;
        const QString name = TrackFileName(e->Name());
        const QString target = e->Overwrite() ? dir.filePath(name) : UniqueTarget(dir, name);
        const int32_t r = CopyOut(*e, target);
        if (r == KvErr::Ok) ++restored;
        else if (err == KvErr::Ok) err = r;
    }
    return restored;
}

}  // namespace

INavBackup *NavBackupCreate(const TStrWRec &file, ThumbnailProc cb, int32_t &err) {
    const QString name = kv::ToQString(file);
    if (name.isEmpty()) {
        err = KvErr::NotFound;
        return nullptr;
    }
    auto backup = std::make_unique<TNavBackup>(name, cb);
    err = backup->Open();
    if (err != KvErr::Ok) return nullptr;
    return backup.release();
}
