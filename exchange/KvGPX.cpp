#include "exchange/KvGPX.h"

#include "base/files/KvFiles.h"
#include "base/kvlib/KvErrors.h"
#include "base/kvlib/KvLib.h"
#include "base/strings/KvStrUtils.h"
#include "base/waypoints/KvWaypoints.h"
#include "exchange/KvGPXParallel.h"
#include "exchange/KvGPXParser.h"

#include <KvLibNav6/KvLib.h>
#include <KvLibNav6/KvTracks.h>
#include <KvLibNav6/KvWaypoints.h>

#include <QFile>
#include <QFileInfo>
#include <memory>

namespace {

constexpr uint32_t RouteColour = 0xFF9C2DB0u;

// One read: the base name and running number of unnamed items, and what was written.
class TGPXReader {
public:
    TGPXReader(const QString &file, IWptManager *manager, IWptDatabase *database, TDateTime creationTime,
               const QString &targetFolder, QStringList &trackFiles, int32_t &invalidCount)
        : FBaseName(QFileInfo(file).completeBaseName()), FManager(manager), FDatabase(database),
          FCreationTime(creationTime), FFolder(targetFolder), FTrackFiles(trackFiles), FInvalid(invalidCount) {}

    void Waypoint(TGPXWaypoint &&w);
    void Route(TGPXRoute &&r);
    void Track(TGPXTrack &&t);
    // Removes the track files written so far.
    void RemoveWritten();

private:
    QString NextUnnamed();

    QString FBaseName;
    int FRunning = 0;
    IWptManager *FManager;
    IWptDatabase *FDatabase;
    TDateTime FCreationTime;
    QString FFolder;
    QStringList &FTrackFiles;
    int32_t &FInvalid;
};

QString TGPXReader::NextUnnamed() {
    const QString name = FRunning == 0 ? FBaseName : QStringLiteral("%1 (%2)").arg(FBaseName).arg(FRunning);
    ++FRunning;
    return name;
}

void TGPXReader::Waypoint(TGPXWaypoint &&w) {
    IWptWaypoint *waypoint =
        FDatabase->NewWaypoint(nullptr, TGeoPoint3{w.Lat, w.Lon, w.Ele}, FManager->GetDefaultWaypointType());
    if (!waypoint) throw Exception(QStringLiteral("The waypoint cannot be made"));
    int32_t err = 0;
    WptObjectSetName(waypoint, w.Name, err);
    RaiseIfError(err);
    WptWaypointSetSubName(waypoint, w.SubName, err);
    RaiseIfError(err);
    waypoint->SetTime(w.Time, err);
    RaiseIfError(err);
}

void TGPXReader::Route(TGPXRoute &&r) {
    IWptRoute *route = FDatabase->NewRoute(FCreationTime);
    if (!route) throw Exception(QStringLiteral("The route cannot be made"));
    int32_t err = 0;
    if (!r.Name.isEmpty()) {
        WptObjectSetName(route, r.Name, err);
        RaiseIfError(err);
    }
    for (const TGPXRoutePoint &p : r.Points) {
        IWptRoutePoint *point = route->AddPoint(TGeoPoint3{p.Lat, p.Lon, p.Ele}, nullptr, nullptr, err);
        RaiseIfError(err);
        point->SetRadius(50.0f, err);
        RaiseIfError(err);
        WptRoutePointSetName(point, p.Name, err);
        RaiseIfError(err);
    }
    if (WptObjectGetName(route).isEmpty()) {
        int32_t ignored = 0;
        WptObjectSetName(route, NextUnnamed(), ignored);
    }
}

void TGPXReader::Track(TGPXTrack &&t) {
    if (t.Points.size() < 2) {
        ++FInvalid;
        return;
    }
    if (t.Name.isEmpty()) t.Name = NextUnnamed();
    TNavPtr<INavTrack> track(NavTrackCreate1());
    track->SetHasTimes(t.HasTimes);
    if (t.FromRoute) track->SetColor(RouteColour);
    NavTrackSetName(track.get(), t.Name);
    for (const TGPXTrackPoint &p : t.Points) {
        int32_t ignored = 0;
        track->AddPoint(p.Time, TGeoPoint3{p.Lat, p.Lon, 0.0}, ignored);
    }
    // The file is made only now, for a track that is kept.
    int32_t err = 0;
    QString created;
    FileCreateUnique(FFolder, FileNameReplaceInvalidChars(t.Name) + QStringLiteral(".trk"), err, created);
    if (err != 0) {
        ++FInvalid;
        return;
    }
    NavTrackSaveToFile(track.get(), created, err);
    if (err != 0) {
        ++FInvalid;
        int32_t ignored = 0;
        FileDeleteA(created, ignored);
        return;
    }
    FTrackFiles << created;
}

void TGPXReader::RemoveWritten() {
    for (const QString &file : FTrackFiles) {
        int32_t ignored = 0;
        FileDeleteA(file, ignored);
    }
    FTrackFiles.clear();
}

}  // namespace

void ReadGPXFile(const QString &file, IWptManager *manager, IWptDatabase *database, TDateTime creationTime,
                 const QString &targetFolder, QStringList &trackFiles, int32_t &invalidCount, uint8_t options,
                 const std::function<void(int64_t done, int64_t total)> &progress,
                 const TGPXParallelOptions &parallel) {
    int32_t err = 0;
    database->Clear(err);
    RaiseIfError(err);
    int64_t total = 0;
    {
        QFile source(file);
        if (!source.open(QIODevice::ReadOnly)) throw Exception(source.errorString());
        total = source.size();
    }
    trackFiles.clear();
    invalidCount = 0;
    TGPXReader reader(file, manager, database, creationTime, targetFolder, trackFiles, invalidCount);
    TGPXHandlers handlers;
    handlers.Waypoint = [&reader](TGPXWaypoint &&w) { reader.Waypoint(std::move(w)); };
    handlers.Route = [&reader](TGPXRoute &&r) { reader.Route(std::move(r)); };
    handlers.Track = [&reader](TGPXTrack &&t) { reader.Track(std::move(t)); };
    TGPXParseResult result;
    try {
        result = GPXParseFile(
            file, options, handlers,
            [&progress, total](int64_t done) {
                if (progress) progress(done, total);
            },
            parallel);
    } catch (...) {
        reader.RemoveWritten();
        database->Clear(err);
        throw;
    }
    if (result.Ok) return;
    reader.RemoveWritten();
    database->Clear(err);
    invalidCount = 0;
    throw Exception(QStringLiteral("%1 (line %2)").arg(result.Error).arg(result.Line));
}
