// Writes the seed corpus of the ".trk" fuzzer into the folder given: valid files with and
// without times, packed and plain, empty and with points, each behind the mode byte that
// keeps its checksums as they are.
#include "tracks/TrackFile.h"

#include "KvLibNav6/KvErrorCodes.h"

#include <QFile>
#include <QString>
#include <cmath>
#include <cstdio>
#include <vector>

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <seed folder>\n", argv[0]);
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    struct Seed { const char *name; bool times; bool compressed; int points; };
    const Seed seeds[] = {{"empty", true, false, 0},      {"plain", true, false, 5},
                          {"packed", true, true, 40},     {"no-times", false, false, 3},
                          {"packed-no-times", false, true, 12}};
    for (const Seed &s : seeds) {
        kv::trk::THeader h;
        h.Name = QStringLiteral("Seed %1 – Ærø").arg(QString::fromLatin1(s.name));
        h.HasTimes = s.times;
        h.Compressed = s.compressed;
        h.Start = s.times ? 45000.5 : 0.0;
        h.End = s.times ? 45000.5 + s.points / 86400.0 : 0.0;
        h.DistanceM = 12.5 * s.points;
        std::vector<TTrackPoint> pts;
        for (int i = 0; i < s.points; ++i) {
            TTrackPoint p;
            p.Time = s.times ? h.Start + i / 86400.0 : 0.0;
            p.Lat = int32_t(std::lround((0.9 + i * 1e-6) * TrackPointUnitsPerRadian));
            p.Lon = int32_t(std::lround((0.08 - i * 1e-6) * TrackPointUnitsPerRadian));
            pts.push_back(p);
        }
        QFile f(dir + QLatin1Char('/') + QLatin1String(s.name) + QStringLiteral(".trk"));
        if (!f.open(QIODevice::WriteOnly)) return 1;
        f.putChar('\0');  // even: checksums used as stored
        QByteArray image;
        if (kv::trk::Serialise(h, pts, image) != KvErr::Ok) return 1;
        f.write(image);
    }
    return 0;
}
