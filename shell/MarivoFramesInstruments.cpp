#include "shell/MarivoFramesInstruments.h"

#include "chartview/FraNMEAMonitor.h"
#include "chartview/FraNavCurrent.h"
#include "chartview/FraTrackReplay.h"
#include "chartview/FraUserReport.h"
#include "chartview/FraViewer.h"
#include "chartview/NavViewerControl.h"
#include "shell/MarivoNavEnv.h"

#include <QDockWidget>
#include <QMainWindow>
#include <QPointer>

namespace {

class TNMEAMonitorAdapter : public IFrameNMEAMonitor {
public:
    TNMEAMonitorAdapter(QWidget *host, TMarivoNavEnv &env)
        : FFrame(new TFrameNMEAMonitor(qobject_cast<QDockWidget *>(host), env)) {}
    ~TNMEAMonitorAdapter() override { delete FFrame.data(); }
    QWidget *Widget() override { return FFrame; }
    void UpdateTexts() override {
        if (FFrame) FFrame->UpdateTexts();
    }
    void OnTick(const TLoopRecord &rec) override {
        if (FFrame) FFrame->Tick(rec);
    }
    void UpdatePortLists() override {
        if (FFrame) FFrame->UpdatePortLists();
    }

private:
    QPointer<TFrameNMEAMonitor> FFrame;  // the dock panel's client; deleted with the adapter
};

// The main chart viewer: the central frame of the window the panel belongs to.
TNavViewerControl *MainViewerOf(QWidget *host) {
    auto *window = host ? qobject_cast<QMainWindow *>(host->window()) : nullptr;
    auto *frame = window ? dynamic_cast<TFrameViewer *>(window->centralWidget()) : nullptr;
    return frame ? frame->Viewer() : nullptr;
}

// The replay panel drives the main viewer's replay: its time, and whether the replayed
// track is drawn complete.
class TTrackReplayAdapter : public IFrameTrackReplay {
public:
    TTrackReplayAdapter(QWidget *host, TMarivoNavEnv &env) {
        TNavViewerControl *viewer = MainViewerOf(host);
        FViewer = viewer;
        FFrame = new TFrameTrackReplay(qobject_cast<QDockWidget *>(host), env, viewer);
        FFrame->OnReplayTimeChange = [this](TFrameTrackReplay *frame) {
            if (FViewer && FViewer->GetTrackReplayMode()) FViewer->SetReplayTime(frame->ReplayTime());
        };
        FFrame->OnDrawCompleteChange = [this](TFrameTrackReplay *frame) {
            if (!FViewer) return;
            FViewer->SetTrackDrawComplete(frame->GetDrawComplete());
            FViewer->update();
        };
    }
    ~TTrackReplayAdapter() override { delete FFrame.data(); }
    QWidget *Widget() override { return FFrame; }
    void UpdateTexts() override {
        if (FFrame) FFrame->UpdateTexts();
    }
    void SetTrackList(INavTrackList *list) override {
        if (FFrame) FFrame->SetTrackList(list);
    }
    void SetDrawComplete(bool complete) override {
        if (FFrame) FFrame->SetDrawComplete(complete);
    }
    void ApplyUnitSettings() override {
        if (FFrame) FFrame->ApplySettings();
    }
    INavTrack *CurrentTrack() override { return FFrame ? FFrame->SelectedTrack() : nullptr; }
    void SetReplay(INavTrack *track, TDateTime time) override {
        if (!FFrame) return;
        // A replay that ended leaves the panel without a track, so the track manager's
        // close resumes none.
        FFrame->SelectTrack(track);
        if (track) FFrame->SetReplayTime(time);
    }

private:
    QPointer<TFrameTrackReplay> FFrame;  // the dock panel's client; deleted with the adapter
    QPointer<TNavViewerControl> FViewer;
};

// The report's point picking runs in the main viewer; its picture is the main window's.
class TUserReportAdapter : public IFrameUserReport {
public:
    TUserReportAdapter(QWidget *host, TMarivoNavEnv &env)
        : FViewer(MainViewerOf(host)),
          FFrame(new TFrameUserReport(qobject_cast<QDockWidget *>(host), env, host ? host->window() : nullptr)) {
        FFrame->OnSelectPoint = [this](TFrameUserReport *, bool active) {
            if (FViewer) FViewer->SetSelectingReportPoint(active);
        };
    }
    ~TUserReportAdapter() override { delete FFrame.data(); }
    QWidget *Widget() override { return FFrame; }
    void UpdateTexts() override {
        if (FFrame) FFrame->UpdateTexts();
    }
    void SetPosition(const TGeoPoint &position) override {
        if (FFrame) FFrame->SetPosition(position);
    }

private:
    QPointer<TNavViewerControl> FViewer;
    QPointer<TFrameUserReport> FFrame;  // the dock panel's client; deleted with the adapter
};

class TNavCurrentAdapter : public IFrameNavCurrent {
public:
    TNavCurrentAdapter(QWidget *host, TMarivoNavEnv &env)
        : FFrame(new TFrameNavCurrent(qobject_cast<QDockWidget *>(host), env)) {}
    ~TNavCurrentAdapter() override { delete FFrame.data(); }
    QWidget *Widget() override { return FFrame; }
    void UpdateTexts() override {
        if (FFrame) FFrame->UpdateTexts();
    }
    void UpdateValues(bool) override {
        if (FFrame) FFrame->UpdateValues(0);
    }
    void UpdateAll() override {
        if (FFrame) FFrame->UpdateAll();
    }

private:
    QPointer<TFrameNavCurrent> FFrame;  // the dock panel's client; deleted with the adapter
};

}  // namespace

std::unique_ptr<IFrameNavCurrent> MakeNavCurrentFrame(QWidget *host, TMarivoNavEnv &env) {
    return std::make_unique<TNavCurrentAdapter>(host, env);
}

std::unique_ptr<IFrameUserReport> MakeUserReportFrame(QWidget *host, TMarivoNavEnv &env) {
    return std::make_unique<TUserReportAdapter>(host, env);
}

std::unique_ptr<IFrameTrackReplay> MakeTrackReplayFrame(QWidget *host, TMarivoNavEnv &env) {
    return std::make_unique<TTrackReplayAdapter>(host, env);
}

std::unique_ptr<IFrameNMEAMonitor> MakeNMEAMonitorFrame(QWidget *host, TMarivoNavEnv &env) {
    return std::make_unique<TNMEAMonitorAdapter>(host, env);
}
