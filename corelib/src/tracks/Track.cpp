// Tracks in memory, their ".trk" files and track lists.
#include "kernel/KvInternal.h"
#include "KvLibNav6/KvErrorCodes.h"
#include "KvLibNav6/KvTracks.h"
#include "tracks/TrackFile.h"
#include "tracks/TrackJournal.h"
#include "waypoints/WptLists.h"

#include <GeographicLib/Geodesic.hpp>
#include <QFileInfo>
#include <QLoggingCategory>
#include <algorithm>
#include <memory>
#include <cmath>

Q_LOGGING_CATEGORY(LogTrack, "marivo.tracks")

namespace kv::trk {

namespace {

constexpr double SecondsPerDay = 86400.0;
constexpr double Deg = 180.0 / M_PI;
// A recording track is written whole every this many new points (ten minutes at one point a
// second); its journal holds the points in between.
constexpr int32_t FlushEvery = 600;

double ToRad(int32_t units) {
    return double(units) / TrackPointUnitsPerRadian;
}

// ARGB to the library's RGB (red in the low byte).
uint32_t ArgbToLibraryRgb(uint32_t argb) {
    const uint32_t r = (argb >> 16) & 0xFF, g = (argb >> 8) & 0xFF, b = argb & 0xFF;
    return r | g << 8 | b << 16;
}

double LegMetres(const TTrackPoint &a, const TTrackPoint &b) {
    double s12 = 0.0;
    GeographicLib::Geodesic::WGS84().Inverse(ToRad(a.Lat) * Deg, ToRad(a.Lon) * Deg,
                                             ToRad(b.Lat) * Deg, ToRad(b.Lon) * Deg, s12);
    return s12;
}

}  // namespace

class TNavTrack final : public INavTrack {
public:
    TNavTrack() {
        FFileName.Set(QString());
        FName.Set(QString());
    }
    ~TNavTrack() override {
        // A recording track keeps what it recorded since the last flush.
        if (FRecording && FDirty) Flush();
    }
    TNavTrack(const TNavTrack &) = delete;
    TNavTrack &operator=(const TNavTrack &) = delete;

    const TStrWRec *GetFileName() override { return FFileName.Get(); }
    const TStrWRec *GetName() override { return FName.Get(); }
    int32_t GetPointCount() override { return int32_t(FPoints.size()); }
    void SaveToFile(const TStrWRec &file, int32_t &err) override {
        const QString target = file.Length > 0 ? kv::ToQString(file) : kv::ToQString(*FFileName.Get());
        if (target.isEmpty()) {
            err = KvErr::InvalidArgument;
            return;
        }
        QByteArray image;
        err = Serialise(Header(), FPoints, image);
        // A track that cannot be packed leaves its file as it was.
        if (err == KvErr::Ok) err = WriteFileAtomic(target, image);
        if (err == KvErr::Ok) {
            if (FRecording) FJournal.Discard(kv::ToQString(*FFileName.Get()));
            FFileName.Set(target);
            FDirty = false;
        }
    }
    void SetColor(uint32_t argb) override {
        FHeader.ColorArgb = argb;
        FDirty = true;
    }
    void SetName(const TStrWRec &name) override {
        FName.Set(kv::ToQString(name));
        FDirty = true;
    }
    void SetWidth(float width) override {
        if (!std::isfinite(width)) return;
        FHeader.Width = width;
        FDirty = true;
    }
    void AddPoint(TDateTime timeOr0, const TGeoPoint3 &pos, int32_t &err) override {
        err = KvErr::Ok;
        if (!std::isfinite(timeOr0) || !std::isfinite(pos.Lat) || !std::isfinite(pos.Lon) ||
            std::fabs(pos.Lat) > M_PI / 2 || std::fabs(pos.Lon) > M_PI) {
            err = KvErr::OutOfRange;
            return;
        }
        TTrackPoint p;
        p.Time = timeOr0;
        p.Lat = int32_t(std::lround(pos.Lat * TrackPointUnitsPerRadian));
        p.Lon = int32_t(std::lround(pos.Lon * TrackPointUnitsPerRadian));
        if (!FPoints.empty() && FDistanceKnown) FDistance += LegMetres(FPoints.back(), p);
        FPoints.push_back(p);
        FDirty = true;
        if (!FRecording) return;
        const QString file = kv::ToQString(*FFileName.Get());
        if (!FJournal.Append(file, GetPointCount() - 1, p) && !FJournalFailed) {
            // Recording goes on; the points reach the file with the next flush.
            FJournalFailed = true;
            qCWarning(LogTrack, "%s: points not journaled", qUtf8Printable(file));
        }
        if (FPoints.size() % FlushEvery == 0) Flush();
    }
    const TTrackPoint *GetPoint(int32_t i) override {
        return i >= 0 && i < GetPointCount() ? &FPoints[size_t(i)] : nullptr;
    }
    int32_t IndexAtTime(TDateTime utc) override {
        // Times only grow along a track; points without a time sort first.
        auto it = std::upper_bound(FPoints.begin(), FPoints.end(), utc,
                                   [](TDateTime t, const TTrackPoint &p) { return t < p.Time; });
        return int32_t(it - FPoints.begin()) - 1;
    }
    TDateTime GetStartTime() override { return FPoints.empty() ? 0.0 : FPoints.front().Time; }
    TDateTime GetEndTime() override { return FPoints.empty() ? 0.0 : FPoints.back().Time; }
    double GetDuration() override {
        if (!FHeader.HasTimes || FPoints.size() < 2) return 0.0;
        return (GetEndTime() - GetStartTime()) * SecondsPerDay;
    }
    bool HasTimes() override { return FHeader.HasTimes; }
    void SetHasTimes(bool hasTimes) override {
        FHeader.HasTimes = hasTimes;
        FDirty = true;
    }
    uint32_t GetColor() override { return ArgbToLibraryRgb(FHeader.ColorArgb); }
    void GetMotionAt(TDateTime t, float &speed, float &course) override {
        speed = 0.0f;
        course = 0.0f;
        if (!FHeader.HasTimes || FPoints.size() < 2) return;
        int32_t i = IndexAtTime(t);
        i = std::clamp(i, 0, GetPointCount() - 2);
        const TTrackPoint &a = FPoints[size_t(i)], &b = FPoints[size_t(i) + 1];
        const double seconds = (b.Time - a.Time) * SecondsPerDay;
        double s12 = 0.0, azi1 = 0.0, azi2 = 0.0;
        GeographicLib::Geodesic::WGS84().Inverse(ToRad(a.Lat) * Deg, ToRad(a.Lon) * Deg,
                                                 ToRad(b.Lat) * Deg, ToRad(b.Lon) * Deg, s12,
                                                 azi1, azi2);
        if (seconds > 0.0) speed = float(s12 / seconds);
        double c = azi1 / Deg;
        if (c < 0.0) c += 2 * M_PI;
        course = float(c);
    }

    THeader Header() const {
        THeader h = FHeader;
        h.Name = kv::ToQString(*FName.Get());
        h.PointCount = int32_t(FPoints.size());
        h.DistanceM = Distance();
        h.Start = FPoints.empty() ? 0.0 : FPoints.front().Time;
        h.End = FPoints.empty() ? 0.0 : FPoints.back().Time;
        return h;
    }
    void Flush() {
        int32_t err = KvErr::Ok;
        SaveToFile(TStrWRec{}, err);
    }

    // The distance of a loaded track is not taken from its file but computed from its
    // points, when first needed: a season's track loads without a geodesic per point.
    double Distance() const {
        if (!FDistanceKnown) {
            FDistance = 0.0;
            for (size_t i = 1; i < FPoints.size(); ++i)
                FDistance += LegMetres(FPoints[i - 1], FPoints[i]);
            FDistanceKnown = true;
        }
        return FDistance;
    }

    THeader FHeader;
    std::vector<TTrackPoint> FPoints;
    mutable double FDistance = 0.0;
    mutable bool FDistanceKnown = true;
    kv::TOwnedText FFileName, FName;
    bool FRecording = false;
    bool FDirty = false;
    TJournalWriter FJournal;
    bool FJournalFailed = false;
};

// The track of a ".trk" file with the points of its journal, if a recording was cut short.
// They go into the file and the journal goes; a file that cannot be written keeps its
// journal for the next reader, and the points come back all the same.
std::unique_ptr<TNavTrack> Load(const QString &path, int32_t &err) {
    auto t = std::make_unique<TNavTrack>();
    err = ReadFile(path, t->FHeader, t->FPoints);
    if (err != KvErr::Ok) return nullptr;
    t->FName.Set(t->FHeader.Name);
    t->FFileName.Set(path);
    t->FDistanceKnown = false;  // the stored distance is not trusted; computed when needed
    const TJournal journal = ReadJournal(path, t->GetPointCount());
    if (!journal.Exists) return t;
    t->FPoints.insert(t->FPoints.end(), journal.Points.begin(), journal.Points.end());
    if (journal.Live) return t;
    int32_t saved = KvErr::Ok;
    if (!journal.Points.empty()) t->SaveToFile(TStrWRec{}, saved);
    if (saved == KvErr::Ok)
        RemoveJournal(path);
    else
        qCWarning(LogTrack, "%s: journal not taken in (%#x)", qUtf8Printable(path), unsigned(saved));
    return t;
}

float TrackWidth(INavTrack &track) {
    auto *own = dynamic_cast<TNavTrack *>(&track);
    return own ? own->FHeader.Width : 0.0f;
}

}  // namespace kv::trk

using kv::trk::TNavTrack;

INavTrack *NavTrackCreate1() {
    return new TNavTrack();
}

INavTrack *NavTrackCreate2(const TStrWRec &file, bool compress) {
    auto *t = new TNavTrack();
    const QString path = kv::ToQString(file);
    t->FFileName.Set(path);
    t->FName.Set(QFileInfo(path).completeBaseName());
    t->FHeader.Compressed = compress;
    t->FRecording = !path.isEmpty();
    // The caller made the file empty: give it a valid empty track at once.
    if (t->FRecording) t->Flush();
    return t;
}

INavTrack *NavTrackCreate3(const TStrWRec &file, int32_t &err) {
    return kv::trk::Load(kv::ToQString(file), err).release();
}

INavTrackList *NavTrackListCreate(int32_t) {
    return new kv::wpt::TObjectList<INavTrackList>();
}

void NavTrackGetInfoFromFile(const TStrWRec &file, IStrW *nameOut, bool &hasTimes,
                             TDateTime &start, TDateTime &end, int32_t &pointCount,
                             double &distanceM, uint32_t &colour, float &width, int32_t &extra,
                             int32_t &err) {
    const QString path = kv::ToQString(file);
    kv::trk::THeader h;
    // A journal beside the file: a recording cut short, read whole so its points count.
    if (QFileInfo::exists(kv::trk::JournalName(path))) {
        const auto track = kv::trk::Load(path, err);
        if (track) h = track->Header();
    } else {
        err = kv::trk::ReadHeader(path, h);
    }
    if (err != KvErr::Ok) return;
    kv::SetStrW(nameOut, h.Name);
    hasTimes = h.HasTimes;
    start = h.Start;
    end = h.End;
    pointCount = h.PointCount;
    distanceM = h.DistanceM;
    colour = kv::trk::ArgbToLibraryRgb(h.ColorArgb);
    width = h.Width;
    extra = h.Extra;
}
