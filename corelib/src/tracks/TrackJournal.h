// The journal of a recording track: "<file>.journal" beside its ".trk" file, one text line a
// point, appended as each point comes. The track file is written whole only every few hundred
// points; the journal keeps the points in between, so a program that is killed while it
// records loses none of them. The next reader of the track file takes the journal in.
//
// Line: "<index in the track> <time, days> <lat units> <lon units>\n". A line without its end
// of line was cut by the kill and is left out; so is everything after a line that does not
// read. The recorder holds an exclusive lock on its journal: a reader leaves the journal of a
// live recording where it is and only reads it.
#pragma once

#include "KvLibNav6/KvTracks.h"

#include <QString>
#include <vector>

namespace kv::trk {

QString JournalName(const QString &trackFile);

class TJournalWriter {
public:
    TJournalWriter() = default;
    TJournalWriter(const TJournalWriter &) = delete;
    TJournalWriter &operator=(const TJournalWriter &) = delete;
    ~TJournalWriter() { Close(); }

    // Appends the point at index of the track recorded into trackFile; the journal is opened
    // (and locked) with the first point. False when it cannot be written.
    bool Append(const QString &trackFile, int32_t index, const TTrackPoint &p);
    // The points are in trackFile now: its journal goes, open or not (a journal left by an
    // earlier file of the same name must not add its points to a new recording).
    void Discard(const QString &trackFile);
    // Stops writing; the journal stays for the next reader.
    void Close();

private:
    int FFd = -1;
    QString FPath;
};

// What a reader found beside a track file.
struct TJournal {
    bool Exists = false;
    bool Live = false;  // a recorder holds it: read, never removed
    std::vector<TTrackPoint> Points;  // those after the first `have` of the track file
};

// The journal of trackFile, for a track file that holds `have` points.
TJournal ReadJournal(const QString &trackFile, int32_t have);
void RemoveJournal(const QString &trackFile);

}  // namespace kv::trk
