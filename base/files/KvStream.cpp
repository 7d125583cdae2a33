#include "base/files/KvStream.h"

#include "base/kvlib/KvErrors.h"

#include <KvLibNav6/KvStrW.h>

#include <QtEndian>
#include <algorithm>
#include <cstring>

int64_t TStream::GetSize() {
    const int64_t position = Seek(0, soCurrent);
    const int64_t size = Seek(0, soEnd);
    Seek(position, soBeginning);
    return size;
}

void TMemoryStream::SetSize(int64_t newSize) {
    if (newSize < 0 || newSize > int64_t(INT32_MAX))
        throw EStreamError(QStringLiteral("TMemoryStream.SetSize: Invalid size."));
    FData.resize(qsizetype(newSize), '\0');
    if (FPosition > newSize) FPosition = newSize;
}

int32_t TMemoryStream::Read(void *buffer, int32_t count) {
    if (count <= 0 || FPosition >= FData.size()) return 0;
    const int32_t n = int32_t(std::min<int64_t>(count, FData.size() - FPosition));
    std::memcpy(buffer, FData.constData() + FPosition, size_t(n));
    FPosition += n;
    return n;
}

int32_t TMemoryStream::Write(const void *buffer, int32_t count) {
    if (count <= 0) return 0;
    const int64_t end = FPosition + count;
    if (end > int64_t(INT32_MAX))
        throw EStreamError(QStringLiteral("TMemoryStream.Write: Stream too large."));
    if (end > FData.size()) FData.resize(qsizetype(end), '\0');
    std::memcpy(FData.data() + FPosition, buffer, size_t(count));
    FPosition = end;
    return count;
}

int64_t TMemoryStream::Seek(int64_t offset, int32_t origin) {
    int64_t target;
    switch (origin) {
    case soBeginning: target = offset; break;
    case soCurrent: target = FPosition + offset; break;
    case soEnd: target = FData.size() + offset; break;
    default: throw EStreamError(QStringLiteral("TMemoryStream.Seek: Invalid origin."));
    }
    if (target < 0) throw EStreamError(QStringLiteral("TMemoryStream.Seek: Invalid position."));
    FPosition = target;
    return FPosition;
}

namespace {

template <class T>
T ReadLittle(TStream &stream, const char *routine) {
    uchar bytes[sizeof(T)];
    if (stream.Read(bytes, int32_t(sizeof(T))) < int32_t(sizeof(T)))
        throw EStreamError(QStringLiteral("%1: Read beyond end of stream.")
                               .arg(QLatin1String(routine)));
    return qFromLittleEndian<T>(bytes);
}

}  // namespace

int64_t StreamReadInt64(TStream &stream) {
    return ReadLittle<qint64>(stream, "StreamReadInt64");
}

int32_t StreamReadLongint(TStream &stream) {
    return ReadLittle<qint32>(stream, "StreamReadLongint");
}

uint32_t StreamReadVersion(TStream &stream) {
    return ReadLittle<quint32>(stream, "StreamReadVersion");
}

void StreamReadStr(TStream &stream, int32_t codePage, QString &s) {
    s.clear();
    const int32_t length = ReadLittle<qint32>(stream, "StreamReadStr");
    if (int64_t(length) > stream.GetSize() - stream.GetPosition())
        throw EStreamError(QStringLiteral("StreamReadStr: Length of string exceeds amount of "
                                          "bytes that are left in the stream."));
    if (length <= 0) return;
    QByteArray bytes(length, Qt::Uninitialized);
    // A stream that delivers less than it claims to hold would leave garbage in the text.
    if (stream.Read(bytes.data(), length) != length)
        throw EStreamError(QStringLiteral("StreamReadStr: Read beyond end of stream."));
    const int32_t n = MultiByteToUnicode_GetBufSize(bytes.constData(), length, codePage);
    QString text(n, Qt::Uninitialized);
    MultiByteToUnicode(reinterpret_cast<char16_t *>(text.data()), n, bytes.constData(), length,
                       codePage);
    s = text;
}
