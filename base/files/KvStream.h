// The program's byte streams and the readers of stored binary formats.
// Sizes and positions are 64-bit byte counts; everything runs on the calling thread.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

// Seek origins.
inline constexpr int32_t soBeginning = 0;
inline constexpr int32_t soCurrent = 1;
inline constexpr int32_t soEnd = 2;

class TStream {
public:
    virtual ~TStream() = default;
    virtual int64_t GetSize();
    virtual void SetSize(int64_t newSize) = 0;
    // Reads at most count bytes; returns the number read (0 at the end).
    virtual int32_t Read(void *buffer, int32_t count) = 0;
    virtual int32_t Write(const void *buffer, int32_t count) = 0;
    virtual int64_t Seek(int64_t offset, int32_t origin) = 0;

    int64_t GetPosition() { return Seek(0, soCurrent); }
    void SetPosition(int64_t position) { Seek(position, soBeginning); }
};

// A stream in memory; positions beyond the end are allowed and a write there fills the gap
// with zeros.
class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(QByteArray data) : FData(std::move(data)) {}
    int64_t GetSize() override { return FData.size(); }
    void SetSize(int64_t newSize) override;
    int32_t Read(void *buffer, int32_t count) override;
    int32_t Write(const void *buffer, int32_t count) override;
    int64_t Seek(int64_t offset, int32_t origin) override;
    const QByteArray &Data() const { return FData; }

private:
    QByteArray FData;
    int64_t FPosition = 0;
};

// Readers of little-endian values; too few bytes left raise EStreamError naming the reader.
int64_t StreamReadInt64(TStream &stream);
int32_t StreamReadLongint(TStream &stream);
// A packed version (major in the top byte, then minor, release, build).
uint32_t StreamReadVersion(TStream &stream);
// A 4-byte byte count followed by that many bytes in codePage (callers pass 1252). The count
// is checked against what is left before anything is allocated or read.
void StreamReadStr(TStream &stream, int32_t codePage, QString &s);
