// libFuzzer entry for the GPX file read in pieces: the input, written to a file, is read by
// one reader and in pieces of every root child on two workers; a file that one reader
// accepts must give the same records in pieces, and both must agree on the result.
#include "exchange/KvGPXParallel.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <cstddef>
#include <cstdint>

namespace {

QStringList Records(const QString &file, bool pieces, TGPXParseResult &result) {
    QStringList lines;
    TGPXHandlers h;
    h.Waypoint = [&lines](TGPXWaypoint &&w) {
        lines << QStringLiteral("w %1 %2 %3 %4 %5").arg(w.Lat).arg(w.Lon).arg(w.Time).arg(w.Name, w.SubName);
    };
    h.Route = [&lines](TGPXRoute &&r) { lines << QStringLiteral("r %1 %2").arg(r.Name).arg(r.Points.size()); };
    h.Track = [&lines](TGPXTrack &&t) {
        lines << QStringLiteral("t %1 %2 %3").arg(t.Name).arg(t.Points.size()).arg(t.DroppedPoints);
    };
    if (pieces) {
        TGPXParallelOptions p;
        p.Threads = 2;
        p.MinFileSize = 0;
        p.PieceSize = 1;
        result = GPXParseFile(file, 0x0F, h, {}, p);
    } else {
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly)) __builtin_trap();
        result = GPXParse(f, 0x0F, h);
    }
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static const QString file =
        QDir::tempPath() + QStringLiteral("/fuzz_gpx_pieces_%1.gpx").arg(QCoreApplication::applicationPid());
    {
        QFile f(file);
        if (!f.open(QIODevice::WriteOnly)) return 0;
        f.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    TGPXParseResult one, pieces;
    const QStringList a = Records(file, false, one);
    const QStringList b = Records(file, true, pieces);
    if (one.Ok != pieces.Ok || one.IsGPX != pieces.IsGPX || one.Error != pieces.Error || one.Line != pieces.Line)
        __builtin_trap();
    if (one.Ok && a != b) __builtin_trap();
    return 0;
}
