// libFuzzer harness of the ".trk" reader. Every input is parsed twice, header only and whole;
// an accepted file must give the same header both ways and survive a write and re-read
// unchanged. A disagreement aborts, so the fuzzer reports it like a crash.
//
// The first input byte picks the mode: odd inputs get their two CRC-32 fields recomputed
// before parsing, so that mutations reach the point decoding instead of stopping at the
// checksums; even inputs are parsed as given.
#include "tracks/TrackFile.h"

#include "KvLibNav6/KvErrorCodes.h"

#include <QByteArray>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>
#include <zlib.h>

namespace {

// Offsets of the version-1 layout (TrackFile.h).
constexpr uint64_t HeaderSizeAt = 12, FlagsAt = 16, CountAt = 36, FixedHeader = 64;

uint32_t Get32(const QByteArray &b, uint64_t at) {
    uint32_t v = 0;
    std::memcpy(&v, b.constData() + at, 4);
    return v;
}

void PutCrc(QByteArray &b, uint64_t from, uint64_t length) {
    const uint32_t crc = uint32_t(crc32(crc32(0L, Z_NULL, 0),
                                        reinterpret_cast<const Bytef *>(b.constData() + from),
                                        uInt(length)));
    std::memcpy(b.data() + from + length, &crc, 4);
}

void FixCrcs(QByteArray &b) {
    const uint64_t size = uint64_t(b.size());
    if (size < FixedHeader) return;
    const uint64_t headerSize = Get32(b, HeaderSizeAt);
    if (headerSize < 4 || headerSize > size) return;
    PutCrc(b, 0, headerSize - 4);
    const uint32_t flags = Get32(b, FlagsAt);
    const int32_t count = int32_t(Get32(b, CountAt));
    if (count < 0) return;
    uint64_t pos = headerSize;
    uint64_t length = 0;
    if (flags & kv::trk::FlagCompressed) {
        if (pos + 4 > size) return;
        length = Get32(b, pos);
        pos += 4;
    } else {
        length = uint64_t(count) * 16;
    }
    if (pos + length + 4 > size) return;
    PutCrc(b, pos, length);
}

bool SameBits(const void *a, const void *b, size_t n) {
    return std::memcmp(a, b, n) == 0;
}

bool SameHeader(const kv::trk::THeader &a, const kv::trk::THeader &b) {
    return a.Name == b.Name && a.HasTimes == b.HasTimes && a.Compressed == b.Compressed &&
           SameBits(&a.Start, &b.Start, 8) && SameBits(&a.End, &b.End, 8) &&
           a.PointCount == b.PointCount && SameBits(&a.DistanceM, &b.DistanceM, 8) &&
           a.ColorArgb == b.ColorArgb && SameBits(&a.Width, &b.Width, 4) && a.Extra == b.Extra;
}

bool SamePoints(const std::vector<TTrackPoint> &a, const std::vector<TTrackPoint> &b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (!SameBits(&a[i].Time, &b[i].Time, 8) || a[i].Lat != b[i].Lat || a[i].Lon != b[i].Lon)
            return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size == 0) return 0;
    QByteArray image(reinterpret_cast<const char *>(data) + 1, qsizetype(size - 1));
    if (data[0] & 1) FixCrcs(image);

    kv::trk::THeader head;
    const int32_t headErr = kv::trk::Parse(image, head, nullptr);
    kv::trk::THeader whole;
    std::vector<TTrackPoint> points;
    const int32_t err = kv::trk::Parse(image, whole, &points);
    if (err != KvErr::Ok) {
        if (!points.empty()) std::abort();  // a refused file hands out no points
        return 0;
    }
    if (headErr != KvErr::Ok || !SameHeader(head, whole)) std::abort();
    if (points.size() != size_t(whole.PointCount)) std::abort();

    QByteArray again;
    if (kv::trk::Serialise(whole, points, again) != KvErr::Ok) std::abort();
    kv::trk::THeader back;
    std::vector<TTrackPoint> backPoints;
    if (kv::trk::Parse(again, back, &backPoints) != KvErr::Ok) std::abort();
    if (!SameHeader(whole, back) || !SamePoints(points, backPoints)) std::abort();
    return 0;
}
