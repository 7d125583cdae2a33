#include "base/files/KvBufferedFileStream.h"

#include "base/kvlib/KvErrors.h"

#include <QFileInfo>
#include <QtDebug>
#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

static_assert(sizeof(off_t) == 8, "64-bit file offsets are required");

int32_t TBufferedFileStream::RoundBufferSize(int32_t requested) {
    const int64_t rounded = ((int64_t(std::max(requested, 0)) + 1023) / 1024) * 1024;
    return int32_t(std::clamp<int64_t>(rounded, 1024, 32768));
}

TBufferedFileStream::TBufferedFileStream(const QString &fileName, uint16_t mode,
                                         int32_t bufferSize) {
    const QByteArray native = QFile::encodeName(fileName);
    if (mode == fmCreate) {
        FHandle = ::open(native.constData(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (FHandle < 0) throw EStreamError(QStringLiteral("Cannot create file ") + fileName);
    } else {
        // Write modes also read: a window around written bytes is loaded from the file.
        const int access = (mode & 3) == fmOpenRead ? O_RDONLY : O_RDWR;
        if (!fileName.isEmpty()) FHandle = ::open(native.constData(), access | O_CLOEXEC);
        struct stat st {};
        if (FHandle >= 0 && (::fstat(FHandle, &st) != 0 || S_ISDIR(st.st_mode))) {
            ::close(FHandle);
            FHandle = -1;
        }
        if (FHandle < 0) throw EStreamError(QStringLiteral("Cannot open file ") + fileName);
    }
    FFileName = QFileInfo(fileName).absoluteFilePath();
    FBufferSize = RoundBufferSize(bufferSize);
    FBuffer.assign(size_t(FBufferSize), '\0');
    const off_t end = ::lseek(FHandle, 0, SEEK_END);
    if (end < 0) {
        ::close(FHandle);
        FHandle = -1;
        throw EStreamError(QStringLiteral("Seek EOF failed in ") + FFileName);
    }
    FFileSize = int64_t(end);
}

TBufferedFileStream::~TBufferedFileStream() {
    if (FHandle < 0) return;
    try {
        Flush();
    } catch (const Exception &e) {
        qWarning().noquote() << "TBufferedFileStream:" << e.Message();
    }
    ::close(FHandle);
}

void TBufferedFileStream::Fail(const QString &text) const {
    throw EStreamError(text + FFileName);
}

void TBufferedFileStream::FlushIfDirty() {
    if (!FDirty) return;
    FlushBuffer();
    FDirty = false;
}

void TBufferedFileStream::FillBuffer() {
    if (::lseek(FHandle, off_t(FWindowStart), SEEK_SET) < 0)
        Fail(QStringLiteral("Seek on reading failed in "));
    ssize_t got;
    do {
        got = ::read(FHandle, FBuffer.data(), size_t(FBufferSize));
    } while (got < 0 && errno == EINTR);
    // Only called where the file holds bytes at the window start: none is a real failure
    // (a read error, or the file was cut short behind our back).
    if (got < 1) {
        FWindowCount = 0;
        Fail(QStringLiteral("Read failed in "));
    }
    FWindowCount = int32_t(got);
}

void TBufferedFileStream::FlushBuffer() {
    if (::lseek(FHandle, off_t(FWindowStart), SEEK_SET) < 0)
        Fail(QStringLiteral("Seek on writing failed in "));
    const char *p = FBuffer.data();
    size_t left = size_t(FWindowCount);
    while (left > 0) {
        const ssize_t put = ::write(FHandle, p, left);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) Fail(QStringLiteral("Write failed in "));
        p += put;
        left -= size_t(put);
    }
}

int32_t TBufferedFileStream::Read(void *buffer, int32_t count) {
    if (FHandle < 0 || count <= 0) return 0;
    const int64_t position = FWindowStart + FWindowPos;
    if (position + count > FFileSize) count = int32_t(std::max<int64_t>(FFileSize - position, 0));
    // Nothing left: the end of the file is an answer, not an error.
    if (count == 0) return 0;
    if (FWindowCount == 0) FillBuffer();
    char *out = static_cast<char *>(buffer);
    int32_t piece = std::min(count, FWindowCount - FWindowPos);
    // The file on the disk is shorter than this stream knows it: it was cut behind our back.
    if (piece <= 0) Fail(QStringLiteral("Read failed in "));
    std::memcpy(out, FBuffer.data() + FWindowPos, size_t(piece));
    int32_t done = piece;
    while (done < count) {
        FlushIfDirty();
        FWindowStart += FBufferSize;
        FWindowPos = 0;
        FillBuffer();
        piece = std::min(count - done, FWindowCount);
        if (piece < std::min(count - done, FBufferSize)) Fail(QStringLiteral("Read failed in "));
        std::memcpy(out + done, FBuffer.data(), size_t(piece));
        done += piece;
    }
    FWindowPos += piece;
    if (FWindowPos == FBufferSize) {
        // Leaving a window that holds written bytes: they go to the file first.
        FlushIfDirty();
        FWindowStart += FBufferSize;
        FWindowPos = 0;
        FWindowCount = 0;
    }
    return count;
}

int32_t TBufferedFileStream::Write(const void *buffer, int32_t count) {
    if (FHandle < 0 || count <= 0) return 0;
    if (FWindowCount == 0 && FFileSize > FWindowStart) FillBuffer();
    const char *in = static_cast<const char *>(buffer);
    int32_t piece = std::min(count, FBufferSize - FWindowPos);
    std::memcpy(FBuffer.data() + FWindowPos, in, size_t(piece));
    FDirty = true;
    int32_t done = piece;
    while (done < count) {
        FWindowCount = FBufferSize;
        FlushBuffer();
        FWindowStart += FBufferSize;
        FWindowPos = 0;
        FWindowCount = 0;
        if (FFileSize > FWindowStart) FillBuffer();
        piece = std::min(count - done, FBufferSize);
        std::memcpy(FBuffer.data(), in + done, size_t(piece));
        done += piece;
    }
    FWindowPos += piece;
    if (FWindowPos > FWindowCount) FWindowCount = FWindowPos;
    if (FWindowStart + FWindowCount > FFileSize) FFileSize = FWindowStart + FWindowCount;
    if (FWindowPos == FBufferSize) {
        FlushBuffer();
        FDirty = false;
        FWindowStart += FBufferSize;
        FWindowPos = 0;
        FWindowCount = 0;
    }
    return count;
}

int64_t TBufferedFileStream::Seek(int64_t offset, int32_t origin) {
    int64_t target;
    switch (origin) {
    case soBeginning: target = offset; break;
    case soCurrent: target = FWindowStart + FWindowPos + offset; break;
    case soEnd: target = FFileSize + offset; break;
    default: throw EStreamError(QStringLiteral("TBufferedFileStream.Seek: Invalid origin."));
    }
    if (target < 0 || target > FFileSize) Fail(QStringLiteral("Invalid new position in "));
    // Buffer sizes are multiples of 1024 but not always powers of two: divide, not mask.
    const int64_t start = (target / FBufferSize) * FBufferSize;
    if (start != FWindowStart) {
        FlushIfDirty();
        FWindowStart = start;
        FWindowCount = 0;
    }
    FWindowPos = int32_t(target - FWindowStart);
    return target;
}

void TBufferedFileStream::SetSize(int64_t newSize) {
    if (newSize == FFileSize) return;
    if (newSize < 0) Fail(QStringLiteral("TBufferedFileStream.SetSize: Seek failed in "));
    if (newSize < FFileSize) {
        FFileSize = newSize;
        if (FWindowStart + FWindowPos > newSize) Seek(0, soEnd);
        if (FWindowStart + FWindowCount > newSize)
            FWindowCount = int32_t(std::max<int64_t>(newSize - FWindowStart, 0));
    } else {
        if (FWindowCount > 0 && FWindowStart + FBufferSize > FFileSize) {
            const int32_t grown =
                int32_t(std::min<int64_t>(newSize - FWindowStart, FBufferSize));
            // The new bytes are zeros in the file; the buffer must not show stale ones.
            if (grown > FWindowCount)
                std::fill(FBuffer.begin() + FWindowCount, FBuffer.begin() + grown, '\0');
            FWindowCount = grown;
        }
        FFileSize = newSize;
    }
    if (::lseek(FHandle, off_t(newSize), SEEK_SET) < 0)
        Fail(QStringLiteral("TBufferedFileStream.SetSize: Seek failed in "));
    if (::ftruncate(FHandle, off_t(newSize)) != 0)
        Fail(QStringLiteral("TBufferedFileStream.SetSize: Set end of file failed in "));
}

void TBufferedFileStream::Flush() {
    if (FHandle < 0) return;
    FlushIfDirty();
    ::fsync(FHandle);
}

void TBufferedFileStream::Close() {
    if (FHandle < 0) return;
    const int handle = FHandle;
    try {
        Flush();
    } catch (...) {
        FHandle = -1;
        ::close(handle);
        throw;
    }
    FHandle = -1;
    if (::close(handle) != 0) Fail(QStringLiteral("Write failed in "));
}
