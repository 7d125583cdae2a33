// A file stream with one read/write buffer: a window of BufferSize bytes onto the file.
// 64-bit sizes and positions; every failure raises EStreamError naming the file.
// Owner: whoever creates it; used on one thread at a time.
#pragma once

#include "base/files/KvStream.h"

#include <QString>
#include <vector>

// Open modes: fmCreate creates or truncates; otherwise the low two bits choose the access
// (share bits such as fmShareDenyWrite are accepted and have no effect here).
inline constexpr uint16_t fmCreate = 0xFFFF;
inline constexpr uint16_t fmOpenRead = 0x0000;
inline constexpr uint16_t fmOpenWrite = 0x0001;
inline constexpr uint16_t fmOpenReadWrite = 0x0002;
inline constexpr uint16_t fmShareDenyWrite = 0x0020;

class TBufferedFileStream : public TStream {
public:
    // fileName as the caller knows it; bufferSize is rounded up to a multiple of 1024 and
    // capped at 32768.
    TBufferedFileStream(const QString &fileName, uint16_t mode, int32_t bufferSize);
    // Writes what is left best effort; a failure here is logged, because a destructor must
    // not raise. Call Close() to have it reported.
    ~TBufferedFileStream() override;
    TBufferedFileStream(const TBufferedFileStream &) = delete;
    TBufferedFileStream &operator=(const TBufferedFileStream &) = delete;

    int64_t GetSize() override { return FFileSize; }
    void SetSize(int64_t newSize) override;
    int32_t Read(void *buffer, int32_t count) override;
    int32_t Write(const void *buffer, int32_t count) override;
    int64_t Seek(int64_t offset, int32_t origin) override;

    // Writes the buffer and commits the file to the disk.
    void Flush();
    // Flushes and closes; raises on failure. Afterwards the stream is unusable.
    void Close();

    int32_t BufferSize() const { return FBufferSize; }
    const QString &FileName() const { return FFileName; }

    static int32_t RoundBufferSize(int32_t requested);

protected:
    virtual void FillBuffer();
    virtual void FlushBuffer();

private:
    [[noreturn]] void Fail(const QString &text) const;
    void FlushIfDirty();

    std::vector<char> FBuffer;
    int32_t FBufferSize = 0;
    int64_t FWindowStart = 0;
    int32_t FWindowPos = 0;
    int32_t FWindowCount = 0;
    int64_t FFileSize = 0;
    int FHandle = -1;
    bool FDirty = false;
    QString FFileName;
};
