// The wizard's class entry (the own ship's receiver taken and given back) and its finish.
#include "exchange/FrmGPSDownload.h"

#include "base/dialogs/KvMsgBox.h"
#include "base/files/KvFiles.h"
#include "base/kvlib/KvErrors.h"
#include "base/registry/KvRegistry.h"
#include "base/units/KvNavMsgDevices.h"
#include "base/units/KvUnitsTime.h"
#include "base/waypoints/KvWaypoints.h"
#include "exchange/FraDataSelect.h"
#include "exchange/FraDownloadProperties.h"
#include "exchange/FraDownloadTimex.h"
#include "exchange/FrmGPSDownloadTexts.h"
#include "exchange/FrmMsgDuplicate.h"
#include "exchange/FrmMsgDuplicateMultiple.h"
#include "exchange/TimexUtils.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvNavBoat.h>

#include <QDir>

using namespace GPSDownloadText;

namespace {

const QString GPSKey = QStringLiteral("NavMsgDeviceManager\\Devices\\GPS");

TFormGPSDownload::TPrompter &Prompter() {
    static TFormGPSDownload::TPrompter prompter;
    return prompter;
}

// Takes the own ship's receiver off its port for the wizard and gives it back, with the
// model the user chose, however the wizard ends; failures are shown, never dropped.
class TGPSLoan {
public:
    explicit TGPSLoan(TMarivoNavEnv &env) : FGPS(env.Boat->GetGPS()), FSettings(NavMsgGPSSettingsCreate()) {
        int32_t err = 0;
        RegGetKeyPath(GetAppReg(), AppRegRoot::Product, GPSKey, err, FKeyPath);
        NavMsgGPSSettingsLoadFromReg(FSettings.get(), FKeyPath);
        FGPS->GetSettings(FSettings.get());
        FPort = FGPS->GetPort();
        FGPS->SetPort(nullptr, err);
        if (err != 0) Report(SDetachFailed, err);
        if (FPort) FPort->Close();
        Device = env.DeviceManager->GetGPSDevice();
        Device->ApplyDeviceSettings(FSettings.get());
    }
    ~TGPSLoan() {
        Device->EndTransfer();
        if (FPort) FPort->Open();
        int32_t err = 0;
        if (Model != 0) {
            FSettings->SetModel(Model);
            NavMsgGPSSettingsSaveToReg(FSettings.get(), FKeyPath, err);
            if (err != 0) Report(SReleaseFailed, err);
        }
        err = 0;
        FGPS->SetSettings(FSettings.get(), err);
        if (err != 0) Report(SReleaseFailed, err);
    }
    TGPSLoan(const TGPSLoan &) = delete;
    TGPSLoan &operator=(const TGPSLoan &) = delete;

    INavMsgGPSDevice *Device = nullptr;
    int32_t Model = 0;

private:
    static void Report(const TLanguageStrings &text, int32_t err) {
        MsgBox(LanguageText(text).arg(ErrorToStrA(err)), mtError, MsgButtons({mbOK}));
    }

    INavBoatGPS *FGPS;
    TNavPtr<INavMsgGPSSettings> FSettings;
    QString FKeyPath;
    INavMsgPort *FPort = nullptr;
};

// The duplicate questions of the merge: one existing object asks the single dialog, several
// the one with candidates; a False answer cancels the merge.
template <TDuplicateKind Kind>
void DuplicateProcOf(void *data, IWptObjectList *existing, NavObject *incoming, int32_t &selectedIndex,
                     int32_t &action, bool &applyToAll, bool &cancel) {
    auto *env = static_cast<TMarivoNavEnv *>(data);
    TDuplicateAction answer = TDuplicateAction(action);
    bool ok = false;
    try {
        if (existing->GetCount() == 1) {
            ok = TFormMsgDuplicate::Execute(Kind, existing->GetItem(0), incoming, env, answer, applyToAll);
            selectedIndex = 0;
        } else {
            int index = selectedIndex;
            ok = TFormMsgDuplicateMultiple::Execute(Kind, existing, incoming, env, index, answer, applyToAll);
            selectedIndex = index;
        }
    } catch (const Exception &e) {
        MsgBox(e.Message(), mtError, MsgButtons({mbOK}));
    }
    action = answer;
    cancel = !ok;
}

QString CountLine(int32_t count, const TLanguageStrings &unit) {
    return QStringLiteral("\n\r %1 %2 %3").arg(count).arg(LanguageText(unit), LanguageText(SDownloaded));
}

}  // namespace

TFormGPSDownload::TPrompter TFormGPSDownload::SetPrompter(TPrompter prompter) {
    return std::exchange(Prompter(), std::move(prompter));
}

void TFormGPSDownload::Execute(TMarivoNavEnv &env, QWidget *owner) {
    if (env.Boat->GetNavigationState() != 0) {
        const QString question = LanguageText(env.Boat->IsSimulating() ? SStopSimulation : SStopCommunication);
        if (!env.StopNavigation(question, false)) return;
    }
    TGPSLoan loan(env);
    TFormGPSDownload form(env, loan.Device, owner);
    if (Prompter())
        Prompter()(form);
    else
        form.exec();
    loan.Model = form.ChosenModel();
}

bool TFormGPSDownload::MergeSelection(QStringList &report) {
    FillSelection();
    TNavPtr<IWptWaypointList> added(WptWaypointListCreate(0));
    TNavPtr<IWptRouteList> addedRoutes(WptRouteListCreate(0));
    int32_t err = 0;
    FUserDatabase->MergeObjects(nullptr, nullptr, nullptr, FSelectedWaypoints.get(),
                                DuplicateProcOf<dkWaypoint>, &FEnv, nullptr, nullptr, nullptr, nullptr,
                                nullptr, nullptr, FSelectedRoutes.get(), DuplicateProcOf<dkRoute>, &FEnv,
                                nullptr, added.get(), nullptr, nullptr, addedRoutes.get(), nullptr, err);
    if (err == KvErr::Cancelled) {
        MsgBox(LanguageText(SAborted), mtInformation, MsgButtons({mbOK}));
        return false;
    }
    if (err != 0) {
        MsgBox(ErrorToStrA(err), mtError, MsgButtons({mbOK}));
        return false;
    }
    report << CountLine(added->GetCount(), SWaypointsUnit) << CountLine(addedRoutes->GetCount(), SRoutesUnit);
    return ApplyProperties(added.get(), addedRoutes.get());
}

bool TFormGPSDownload::ApplyProperties(IWptObjectList *waypoints, IWptObjectList *routes) {
    int32_t err = 0;
    auto failed = [&err] {
        if (err == 0) return false;
        MsgBox(ErrorToStrA(err), mtError, MsgButtons({mbOK}));
        return true;
    };
    IWptWaypointGroup *group = FrameProperties->TargetGroup();
    if (waypoints->GetCount() > 0 && FrameProperties->WantsNewGroup()) {
        group = FrameProperties->CreateNewGroup(err);
        if (failed()) return false;
    }
    for (int32_t i = waypoints->GetCount() - 1; i >= 0; --i) {
        auto *w = static_cast<IWptWaypoint *>(waypoints->GetItem(i));
        w->SetType(FrameProperties->WaypointType(), err);
        if (failed()) return false;
        if (group) group->AddWaypoint(w, err);
        if (failed()) return false;
    }
    const float radius = float(FrameProperties->GetRadius());
    for (int32_t r = routes->GetCount() - 1; r >= 0; --r) {
        auto *route = static_cast<IWptRoute *>(routes->GetItem(r));
        for (int32_t p = route->GetPointCount() - 1; p >= 0; --p) {
            route->GetPoint(p)->SetRadius(radius, err);
            if (failed()) return false;
        }
    }
    return true;
}

bool TFormGPSDownload::SaveTracks(QStringList &report) {
    TBackupEntryList none;
    TDataItemFiles chosen;
    FrameDataSelectOther->GetSelection(none, none, none, none, nullptr, nullptr, nullptr, &chosen);
    int32_t saved = 0;
    for (const auto &[kind, item] : chosen) {
        int32_t err = 0;
        QString file;
        FileCreateUnique(FTrackFolder, QStringLiteral("Downloaded Track.trk"), err, file);
        if (err != 0) {
            MsgBox(LanguageText(SCreateFailed).arg(QDir(FTrackFolder).filePath("Downloaded Track.trk"), ErrorToStrA(err)),
                   mtError, MsgButtons({mbOK}));
            return false;
        }
        NavTrackSaveToFile(static_cast<INavTrack *>(item->Data), file, err);
        if (err != 0) {
            MsgBox(LanguageText(SSaveFailed).arg(file, ErrorToStrA(err)), mtError, MsgButtons({mbOK}));
            return false;
        }
        ++saved;
    }
    report << CountLine(saved, STracksUnit);
    return true;
}

void TFormGPSDownload::Finish() {
    QStringList report;
    if (HasObjects() && !MergeSelection(report)) return;
    if (HasTracks() && !SaveTracks(report)) return;
    ReportCompleted(report);
    done(QDialog::Accepted);
}

void TFormGPSDownload::TimexFinish() {
    std::vector<TTimexSession> sessions;
    FrameTimex->GetSelectedSessions(sessions);
    const int32_t offset = GlobalGPSClock()->GetUTCOffset();
    for (const TTimexSession &session : sessions) {
        int32_t err = 0;
        TNavPtr<INavTrack> track(ConvertTimexSessionToTrack(session, offset, err));
        QString file;
        if (err == 0) {
            // Named after the track, that is its start time: each session gets a file of its own.
            FileCreateUnique(FTrackFolder, NavTrackGetName(track.get()) + QStringLiteral(".trk"), err, file);
            if (err != 0) {
                MsgBox(LanguageText(SCreateFailed).arg(NavTrackGetName(track.get()), ErrorToStrA(err)), mtError,
                       MsgButtons({mbOK}));
                return;
            }
        }
        if (err == 0) NavTrackSaveToFile(track.get(), file, err);
        if (err != 0) {
            MsgBox(LanguageText(SSaveFailed).arg(file, ErrorToStrA(err)), mtError, MsgButtons({mbOK}));
            return;
        }
    }
    ReportCompleted({CountLine(int32_t(sessions.size()), STracksUnit)});
    done(QDialog::Accepted);
}

void TFormGPSDownload::ReportCompleted(const QStringList &report) {
    MsgBox(LanguageText(SCompleted) + QLatin1Char('\n') + report.join(QString()), mtInformation,
           MsgButtons({mbOK}));
}
