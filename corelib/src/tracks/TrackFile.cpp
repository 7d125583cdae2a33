#include "tracks/TrackFile.h"

#include "kernel/KvInternal.h"

#include "KvLibNav6/KvErrorCodes.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <fcntl.h>
#include <unistd.h>
#include <zlib.h>

namespace kv::trk {

namespace {

constexpr char Magic[8] = {'K', 'V', 'T', 'R', 'K', '\r', '\n', '\x1A'};
constexpr int PointSize = 16;
// Fixed part of a version-1 header before the name.
constexpr int FixedHeader = 8 + 4 + 4 + 4 + 8 + 8 + 4 + 8 + 4 + 4 + 4 + 4;
// Names are user text; anything longer is a damaged file.
constexpr uint32_t MaxNameUnits = 4096;
// A header never claims more than this: a larger size is a damaged file.
constexpr uint32_t MaxHeaderSize = 1 << 20;

class TWriter {
public:
    void Bytes(const void *p, size_t n) { FData.append(static_cast<const char *>(p), qsizetype(n)); }
    template <class T>
    void Put(T v) {
        static_assert(std::is_arithmetic_v<T>);
        Bytes(&v, sizeof v);  // little-endian hosts only, as the library's records
    }
    QByteArray FData;
};

class TReader {
public:
    TReader(const QByteArray &d) : FData(d) {}
    template <class T>
    bool Get(T &v) {
        if (FPos + qsizetype(sizeof v) > FData.size()) return false;
        std::memcpy(&v, FData.constData() + FPos, sizeof v);
        FPos += qsizetype(sizeof v);
        return true;
    }
    bool Skip(qsizetype n) {
        if (n < 0 || FPos + n > FData.size()) return false;
        FPos += n;
        return true;
    }
    qsizetype Pos() const { return FPos; }
    qsizetype Left() const { return FData.size() - FPos; }
    const char *Here() const { return FData.constData() + FPos; }

private:
    const QByteArray &FData;
    qsizetype FPos = 0;
};

uint32_t Crc(const char *p, qsizetype n) {
    uLong c = crc32(0L, Z_NULL, 0);
    while (n > 0) {
        const uInt chunk = uInt(std::min<qsizetype>(n, 1 << 30));
        c = crc32(c, reinterpret_cast<const Bytef *>(p), chunk);
        p += chunk;
        n -= chunk;
    }
    return uint32_t(c);
}

int32_t ParseHeader(TReader &r, const QByteArray &data, THeader &h, uint32_t &headerSize) {
    char magic[8];
    for (char &c : magic)
        if (!r.Get(c)) return KvErr::BadFormat;
    if (std::memcmp(magic, Magic, 8) != 0) return KvErr::BadFormat;
    uint32_t version = 0, flags = 0, nameLen = 0;
    if (!r.Get(version) || !r.Get(headerSize)) return KvErr::BadFormat;
    if (version == 0) return KvErr::BadFormat;
    if (version > FormatVersion) return KvErr::BadVersion;
    if (headerSize < uint32_t(FixedHeader + 4) || headerSize > MaxHeaderSize ||
        qsizetype(headerSize) > data.size())
        return KvErr::BadFormat;
    if (!r.Get(flags) || !r.Get(h.Start) || !r.Get(h.End) || !r.Get(h.PointCount) ||
        !r.Get(h.DistanceM) || !r.Get(h.ColorArgb) || !r.Get(h.Width) || !r.Get(h.Extra) ||
        !r.Get(nameLen))
        return KvErr::BadFormat;
    if (nameLen > MaxNameUnits || FixedHeader + 2 * qsizetype(nameLen) + 4 > qsizetype(headerSize))
        return KvErr::BadFormat;
    std::u16string name(nameLen, u'\0');
    std::memcpy(name.data(), r.Here(), 2 * size_t(nameLen));  // the name may sit unaligned
    h.Name = kv::FromUtf16(name.data(), qsizetype(name.size()));
    r.Skip(2 * qsizetype(nameLen));
    // Values of a later minor layout sit between the name and the CRC.
    if (!r.Skip(qsizetype(headerSize) - 4 - r.Pos())) return KvErr::BadFormat;
    uint32_t crc = 0;
    if (!r.Get(crc) || crc != Crc(data.constData(), qsizetype(headerSize) - 4))
        return KvErr::BadFormat;
    h.HasTimes = (flags & FlagTimes) != 0;
    h.Compressed = (flags & FlagCompressed) != 0;
    if (h.PointCount < 0 || !std::isfinite(h.Start) || !std::isfinite(h.End) ||
        !std::isfinite(h.DistanceM) || !std::isfinite(h.Width))
        return KvErr::BadFormat;
    return KvErr::Ok;
}

}  // namespace

bool ValidPoint(const TTrackPoint &p) {
    constexpr double maxLat = M_PI / 2 * TrackPointUnitsPerRadian + 1;
    constexpr double maxLon = M_PI * TrackPointUnitsPerRadian + 1;
    return std::isfinite(p.Time) && std::fabs(double(p.Lat)) <= maxLat &&
           std::fabs(double(p.Lon)) <= maxLon;
}

int32_t Parse(const QByteArray &data, THeader &h, std::vector<TTrackPoint> *points) {
    TReader r(data);
    uint32_t headerSize = 0;
    if (int32_t err = ParseHeader(r, data, h, headerSize); err != KvErr::Ok) return err;
    if (!points) return KvErr::Ok;
    const qsizetype raw = qsizetype(h.PointCount) * PointSize;
    QByteArray unpacked;
    const char *pointBytes = nullptr;
    const char *stored = r.Here();
    qsizetype storedSize = 0;
    if (!h.Compressed) {
        if (r.Left() < raw + 4) return KvErr::BadFormat;
        pointBytes = r.Here();
        storedSize = raw;
        r.Skip(raw);
    } else {
        uint32_t packed = 0;
        if (!r.Get(packed) || qsizetype(packed) + 4 > r.Left()) return KvErr::BadFormat;
        // zlib cannot expand by more than about 1032:1; a larger claim is not our file, and
        // checking first keeps a forged count from allocating gigabytes.
        if (raw > qsizetype(packed) * 1040 + 64) return KvErr::BadFormat;
        stored = r.Here();
        storedSize = packed;
        unpacked.resize(raw);
        uLongf outLen = uLongf(raw);
        const int rc = uncompress(reinterpret_cast<Bytef *>(unpacked.data()), &outLen,
                                  reinterpret_cast<const Bytef *>(r.Here()), uLong(packed));
        if (rc != Z_OK || qsizetype(outLen) != raw) return KvErr::BadFormat;
        pointBytes = unpacked.constData();
        r.Skip(packed);
    }
    uint32_t crc = 0;
    if (!r.Get(crc) || crc != Crc(h.Compressed ? stored : pointBytes, storedSize))
        return KvErr::BadFormat;
    points->resize(size_t(h.PointCount));
    for (int32_t i = 0; i < h.PointCount; ++i) {
        TTrackPoint &p = (*points)[size_t(i)];
        const char *src = pointBytes + qsizetype(i) * PointSize;
        std::memcpy(&p.Time, src, 8);
        std::memcpy(&p.Lat, src + 8, 4);
        std::memcpy(&p.Lon, src + 12, 4);
        if (!ValidPoint(p)) {
            points->clear();
            return KvErr::BadFormat;
        }
    }
    return KvErr::Ok;
}

int32_t Serialise(const THeader &h, const std::vector<TTrackPoint> &points, QByteArray &out) {
    out.clear();
    TWriter w;
    w.Bytes(Magic, 8);
    const uint32_t nameLen = uint32_t(std::min<qsizetype>(h.Name.size(), MaxNameUnits));
    const uint32_t headerSize = uint32_t(FixedHeader + 2 * nameLen + 4);
    w.Put(FormatVersion);
    w.Put(headerSize);
    w.Put(uint32_t((h.HasTimes ? FlagTimes : 0) | (h.Compressed ? FlagCompressed : 0)));
    w.Put(h.Start);
    w.Put(h.End);
    w.Put(int32_t(points.size()));
    w.Put(h.DistanceM);
    w.Put(h.ColorArgb);
    w.Put(h.Width);
    w.Put(h.Extra);
    w.Put(nameLen);
    w.Bytes(h.Name.utf16(), 2 * nameLen);
    w.Put(Crc(w.FData.constData(), w.FData.size()));
    QByteArray raw(qsizetype(points.size()) * PointSize, Qt::Uninitialized);
    for (size_t i = 0; i < points.size(); ++i) {
        char *dst = raw.data() + qsizetype(i) * PointSize;
        std::memcpy(dst, &points[i].Time, 8);
        std::memcpy(dst + 8, &points[i].Lat, 4);
        std::memcpy(dst + 12, &points[i].Lon, 4);
    }
    if (!h.Compressed) {
        w.FData.append(raw);
        w.Put(Crc(raw.constData(), raw.size()));
        out = std::move(w.FData);
        return KvErr::Ok;
    }
    uLongf packedLen = compressBound(uLong(raw.size()));
    QByteArray packed(qsizetype(packedLen), Qt::Uninitialized);
    // zlib fails only short of memory; a file written anyway would hold no points.
    if (compress2(reinterpret_cast<Bytef *>(packed.data()), &packedLen,
                  reinterpret_cast<const Bytef *>(raw.constData()), uLong(raw.size()), 6) != Z_OK)
        return KvErr::WriteFailed;
    packed.resize(qsizetype(packedLen));
    w.Put(uint32_t(packed.size()));
    w.FData.append(packed);
    w.Put(Crc(packed.constData(), packed.size()));
    out = std::move(w.FData);
    return KvErr::Ok;
}

int32_t ReadHeader(const QString &file, THeader &h) {
    QFile f(file);
    if (!f.exists()) return KvErr::NotFound;
    if (!f.open(QIODevice::ReadOnly)) return KvErr::ReadFailed;
    // Only the header is read: its size is in the first 16 bytes.
    const QByteArray start = f.read(16);
    if (start.size() < 16) return KvErr::BadFormat;
    uint32_t headerSize = 0;
    std::memcpy(&headerSize, start.constData() + 12, 4);
    if (headerSize > MaxHeaderSize) return KvErr::BadFormat;
    f.seek(0);
    const QByteArray head = f.read(qsizetype(headerSize));
    return Parse(head, h, nullptr);
}

int32_t ReadFile(const QString &file, THeader &h, std::vector<TTrackPoint> &points) {
    QFile f(file);
    if (!f.exists()) return KvErr::NotFound;
    if (!f.open(QIODevice::ReadOnly)) return KvErr::ReadFailed;
    const QByteArray data = f.readAll();
    if (f.error() != QFileDevice::NoError) return KvErr::ReadFailed;
    return Parse(data, h, &points);
}

int32_t WriteFileAtomic(const QString &file, const QByteArray &image) {
    const QString temp = file + QStringLiteral(".saving");
    const QByteArray tempName = QFile::encodeName(temp), fileName = QFile::encodeName(file);
    if (QFileInfo::exists(temp) && !QFile::remove(temp)) return KvErr::WriteFailed;
    const int fd = ::open(tempName.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return errno == EACCES ? KvErr::AccessDenied : KvErr::WriteFailed;
    const char *p = image.constData();
    qsizetype left = image.size();
    int32_t err = KvErr::Ok;
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0) {
            if (errno == EINTR) continue;
            err = errno == ENOSPC ? KvErr::DiskFull : KvErr::WriteFailed;
            break;
        }
        p += n;
        left -= n;
    }
    if (err == KvErr::Ok && ::fsync(fd) != 0) err = KvErr::WriteFailed;
    if (::close(fd) != 0 && err == KvErr::Ok) err = KvErr::WriteFailed;
    if (err == KvErr::Ok && ::rename(tempName.constData(), fileName.constData()) != 0)
        err = errno == EACCES || errno == EPERM ? KvErr::AccessDenied : KvErr::WriteFailed;
    if (err != KvErr::Ok) {
        ::unlink(tempName.constData());
        return err;
    }
    const QByteArray dir = QFile::encodeName(QFileInfo(file).absolutePath());
    const int dfd = ::open(dir.constData(), O_RDONLY | O_DIRECTORY);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return KvErr::Ok;
}

}  // namespace kv::trk
