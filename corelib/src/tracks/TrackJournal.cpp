#include "tracks/TrackJournal.h"

#include "tracks/TrackFile.h"

#include <QFile>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace kv::trk {

namespace {

// One complete line; false for a line that does not read.
bool ParseLine(const QByteArray &line, int32_t &index, TTrackPoint &p) {
    const QList<QByteArray> fields = line.split(' ');
    if (fields.size() != 4) return false;
    bool ok[4] = {};
    index = fields[0].toInt(&ok[0]);
    p.Time = fields[1].toDouble(&ok[1]);
    p.Lat = fields[2].toInt(&ok[2]);
    p.Lon = fields[3].toInt(&ok[3]);
    return ok[0] && ok[1] && ok[2] && ok[3] && index >= 0 && ValidPoint(p);
}

QByteArray Path(const QString &trackFile) {
    return QFile::encodeName(JournalName(trackFile));
}

}  // namespace

QString JournalName(const QString &trackFile) {
    return trackFile + QStringLiteral(".journal");
}

bool TJournalWriter::Append(const QString &trackFile, int32_t index, const TTrackPoint &p) {
    if (FFd >= 0 && FPath != trackFile) Close();
    if (FFd < 0) {
        FFd = ::open(Path(trackFile).constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
        if (FFd < 0) return false;
        // Held while the program lives: readers leave a live journal in place.
        ::flock(FFd, LOCK_EX | LOCK_NB);
        FPath = trackFile;
    }
    char line[96];
    const int n = std::snprintf(line, sizeof line, "%d %.17g %d %d\n", int(index), p.Time, int(p.Lat), int(p.Lon));
    if (n <= 0 || size_t(n) >= sizeof line) return false;
    // One write a line: what the kernel has taken survives the program being killed.
    ssize_t done;
    do done = ::write(FFd, line, size_t(n));
    while (done < 0 && errno == EINTR);
    return done == n;
}

void TJournalWriter::Discard(const QString &trackFile) {
    // Removed before the lock goes: no reader finds an unlocked journal of a recording.
    RemoveJournal(trackFile);
    if (FPath != trackFile) RemoveJournal(FPath);
    Close();
}

void TJournalWriter::Close() {
    if (FFd >= 0) ::close(FFd);
    FFd = -1;
    FPath.clear();
}

TJournal ReadJournal(const QString &trackFile, int32_t have) {
    TJournal j;
    const int fd = ::open(Path(trackFile).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return j;
    j.Exists = true;
    j.Live = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
    QFile f;
    QByteArray data;
    if (f.open(fd, QIODevice::ReadOnly, QFileDevice::DontCloseHandle)) data = f.readAll();
    ::close(fd);
    QList<QByteArray> lines = data.split('\n');
    lines.removeLast();  // empty, or a line the kill cut short
    int32_t next = have;
    for (const QByteArray &line : lines) {
        int32_t index = 0;
        TTrackPoint p;
        if (!ParseLine(line, index, p)) break;
        if (index < next) continue;  // in the track file already
        if (index > next) break;     // a gap: what follows does not belong here
        j.Points.push_back(p);
        ++next;
    }
    return j;
}

void RemoveJournal(const QString &trackFile) {
    if (!trackFile.isEmpty()) ::unlink(Path(trackFile).constData());
}

}  // namespace kv::trk
