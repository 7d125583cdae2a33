// The environment's waypoint manager, user database, visible lists and recorded tracks.
#include "shell/MarivoNavEnv.h"

#include "base/dialogs/KvMsgBox.h"
#include "base/files/KvFiles.h"
#include "base/graphics/KvGraphics.h"
#include "base/kvlib/KvErrors.h"
#include "base/kvlib/KvExceptions.h"
#include "base/settings/KvRegDisplay.h"
#include "base/strings/KvStrUtils.h"
#include "shell/FrmSplash.h"
#include "shell/MarivoNavEnvTexts.h"

#include <KvLibNav6/KvErrorCodes.h>

#include <QDebug>

namespace {

const QString UserDatabaseName = QStringLiteral("Marivo5 User Database");

QString Line(const TLanguageStrings &text, const QString &value) {
    return LanguageText(text).arg(value);
}

// A recording's file written whole; a failure is logged and the recording goes on (its
// journal still keeps the points).
void WriteTrackFile(INavTrack *track) {
    int32_t err = 0;
    const QString file = NavTrackGetFileName(track);
    NavTrackSaveToFile(track, file, err);
    if (err != KvErr::Ok) qWarning().noquote() << QStringLiteral("%1: %2").arg(file, ErrorToStrA(err));
}

// The messages after opening the user database; renamedTo is empty when the file was not
// put aside.
void ReportUserDatabaseLoad(int32_t loadError, const QString &renamedTo, int32_t backupNotice) {
    using namespace NavEnvText;
    const QString renamed =
        renamedTo.isEmpty() ? QString() : QStringLiteral("\n") + Line(DatabaseRenamed, renamedTo);
    if (loadError != KvErr::Ok) {
        // A missing file is the normal first start.
        if (renamedTo.isEmpty() && loadError == KvErr::NotFound) return;
        MsgBox(Line(DatabaseNotLoaded, ErrorToStrA(loadError)) + renamed + QStringLiteral("\n\n") +
                   LanguageText(EmptyDatabaseLoaded),
               mtError, MsgButtons({mbOK}));
    } else if (backupNotice != 0) {
        MsgBox(Line(DatabaseNotLoaded, ErrorToStrA(backupNotice)) + renamed +
                   QStringLiteral("\n\n") + LanguageText(BackupLoaded),
               mtWarning, MsgButtons({mbOK}));
    }
}

}  // namespace

void TMarivoNavEnv::CreateWaypointManager(const QString &) {
    SplashText(LanguageText(NavEnvText::ReadingWaypointDatabases));
    TNavPtr<IBmp32> icon(Bmp32Create(0, 0, 0)), overlay(Bmp32Create(0, 0, 0));
    for (auto [picture, name] : {std::pair{icon.get(), "default_icon.tga"},
                                 std::pair{overlay.get(), "default_overlay.tga"}}) {
        const QString file = ImagesFolder + QLatin1String(name);
        int32_t err = 0;
        Bmp32LoadFromFile3(picture, file, 1, err, 0);
        RaiseIfError(err, LanguageText(NavEnvText::FileMessage).arg(file) + QLatin1Char(' ') +
                              LanguageText(NavEnvText::ReinstallHint));
    }
    const TWptLabelStyle main{10.0f, 0, 0xFF000000u}, small{8.0f, 0, 0xFF000000u};
    int32_t err = 0;
    Own("WaypointManager", WaypointManager,
        F.CreateWptManager(icon.get(), overlay.get(), QStringLiteral("Tahoma"), main, small, small,
                           WaterwayNetwork, WaypointManagerOption1, this, WaypointManagerOption2,
                           this, err));
    if (!WaypointManager && err == KvErr::Ok) err = KvErr::Failed;
    RaiseIfError(err, LanguageText(NavEnvText::WaypointManagerFailed) + QStringLiteral("\n\n") +
                          LanguageText(NavEnvText::ReinstallHint));

    UserDatabase = nullptr;
    {
        WaypointManager->BeginUpdate(0, 0);
        struct TEndUpdate {
            IWptManager *Manager;
            ~TEndUpdate() { Manager->EndUpdate(); }
        } endUpdate{WaypointManager};
        QString renamedTo = UserDatabaseFile;
        int32_t loadError = 0, backupNotice = 0;
        UserDatabase = WptManagerOpenDatabaseRecover(WaypointManager, UserDatabaseFile, 0,
                                                     renamedTo, backupNotice, loadError);
        if (renamedTo == UserDatabaseFile) renamedTo.clear();
        // A damaged file is put aside and success reported; what failed is reading the file.
        if (!renamedTo.isEmpty() && loadError == KvErr::Ok) {
            if (backupNotice == 0)
                loadError = KvErr::BadFormat;
            else
                backupNotice = KvErr::BadFormat;
        }
        // Nothing loaded: a new database is made and saved below.
        if (loadError != KvErr::Ok && UserDatabase) {
            UserDatabase->Close();
            UserDatabase = nullptr;
        }
        ReportUserDatabaseLoad(loadError, renamedTo, backupNotice);
        LoadAddOnDatabases(false, false);
    }
    WaypointManager->AfterLoad();
    if (!UserDatabase) CreateUserDatabase();
}

void TMarivoNavEnv::CreateUserDatabase() {
    UserDatabase = WptManagerNewDatabase(WaypointManager, UserDatabaseName);
    int32_t err = 0;
    WptDatabaseSaveToFile(UserDatabase, UserDatabaseFile, err);
    if (err != KvErr::Ok)
        MsgBox(Line(NavEnvText::DatabaseSaveFailed, ErrorToStrA(err)), mtError, MsgButtons({mbOK}));
}

void TMarivoNavEnv::CheckWaypointDatabase() {
    if (!UserDatabase) return;
    int32_t err = 0;
    UserDatabase->GetSaveResult(err);
    if (err != KvErr::Ok)
        MsgBox(Line(NavEnvText::DatabaseSaveFailed, ErrorToStrA(err)), mtError, MsgButtons({mbOK}));
}

void TMarivoNavEnv::SaveVisibleLists() {
    // The lists are a convenience; a failed write loses no data.
    int32_t err = 0;
    RegWriteWptDBsVisible(WaypointManager, err);
    RegWriteGroupsVisible(WaypointManager, WaypointGroupList, err);
    RegWritePolygonsVisible(PolygonList, err);
    RegWriteRoutesVisible(RouteList, err);
    RegWriteTracksVisible(TrackList, err);
}

void TMarivoNavEnv::StartNewTrack() {
    if (Boat->GetTrack()) CloseCurrentTrack();
    QString file;
    int32_t err = 0;
    FileCreateUnique(TracksFolder, QStringLiteral(".trk"), err, file);
    RaiseIfError(err, LanguageText(NavEnvText::FolderMessage).arg(TracksFolder));
    INavTrack *track = NavTrackCreateNew(file, TrackCompression);
    track->SetColor(TrackDefaultColor);
    track->SetWidth(TrackWidth);
    // The file has its colour and width before the first point: a recording cut short by a
    // killed program comes back from its journal as it was drawn.
    WriteTrackFile(track);
    Boat->AttachTrack(track);
    Post(NavNotify::TrackStarted, intptr_t(track));
}

void TMarivoNavEnv::CloseCurrentTrack() {
    INavTrack *track = Boat ? Boat->GetTrack() : nullptr;
    if (!track) return;
    Boat->AttachTrack(nullptr);
    const TNavNotification answer = Send(NavNotify::TrackClosed, intptr_t(track));
    const bool recorded = track->GetPointCount() > 1;
    if (recorded) {
        // A recording writes its file whole only every few hundred points, its journal
        // keeps the rest: the ended one is written whole now, or a copy of the file would
        // be short of the points since.
        WriteTrackFile(track);
    }
    if (recorded && answer.Result != 0) {
        TrackList->Add(track);  // the list owns it from here
        Post(NavNotify::TrackListChanged, intptr_t(track));
        return;
    }
    // Whether the track is shown is a display choice: a recording stays on disk all the
    // same. Only a track without a leg of its own goes, with its file.
    const QString file = NavTrackGetFileName(track);
    ObjectDelete(track);
    if (!recorded) {
        int32_t err = 0;
        FileDeleteA(file, err);
    }
    Post(NavNotify::TrackListChanged);  // the track is gone: no pointer to hand on
}

void TMarivoNavEnv::WaypointManagerOption1(void *, int32_t &, int32_t &v2, int32_t &v3,
                                           int32_t &v4, int32_t &, int32_t &v6, int32_t &v7,
                                           int32_t &v8, int32_t &, int32_t &, int32_t &v11) {
    v2 = v6 = v7 = v8 = v11 = 0;
    if (v3 == 3) v3 = 0;
    if (v4 == 2 || v4 == 3) v4 = 0;
}

void TMarivoNavEnv::WaypointManagerOption2(void *, int32_t &value, TGeoPoint &position1,
                                           TGeoPoint &position2, TGUID &guid1, TGUID &guid2,
                                           bool &flag, float &factor) {
    value = 0;
    position1 = TGeoPoint{0.0, 0.0};
    position2 = TGeoPoint{0.0, 0.0};
    guid1 = TGUID{};
    guid2 = TGUID{};
    flag = false;
    factor = 1.0f;
}

int32_t CompareEnvWaypoints(NavObject *a, NavObject *b) {
    try {
        auto *wa = dynamic_cast<IWptWaypoint *>(a);
        auto *wb = dynamic_cast<IWptWaypoint *>(b);
        if (!wa || !wb) return 0;
        const bool pa = wa->IsPrioritised(), pb = wb->IsPrioritised();
        if (pa != pb) return pa ? -1 : 1;
        const float sa = wa->GetScale(), sb = wb->GetScale();
        if (sa != sb) return sa < sb ? -1 : 1;
        const int c = CompareGUID(*wa->GetGUID(), *wb->GetGUID());
        return c < 0 ? -1 : (c > 0 ? 1 : 0);
    } catch (...) {
        ReportCurrentException();
        return 0;
    }
}
