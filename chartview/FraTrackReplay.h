// The track replay panel: the tracks shown on the charts that carry times, each with its
// time span against a common axis and its speed and course at the replay time; a replay
// clock (begin, back, pause, forward, end, a speed factor, a time slider, clicks and drags
// in the time column) and a "Track in" menu that makes a chart viewer replay and follow the
// selected track. The panel draws no replay: every change of the replay time goes to the
// owner (OnReplayTimeChange), which hands it to its viewer. GUI thread.
#pragma once

#include "base/forms/KvFrameScaled.h"
#include "chartview/FraTrackReplayList.h"

#include <KvLibNav6/KvTypes.h>

#include <QPalette>
#include <QPointer>
#include <functional>

class INavTrack;
class INavTrackList;
class QCheckBox;
class QComboBox;
class QDockWidget;
class QLabel;
class QMenu;
class QPushButton;
class QSlider;
class QTimer;
class QToolButton;
class QTreeView;
class TMarivoNavEnv;
class TNavViewerControl;

class TFrameTrackReplay : public TFrameScaled {
    Q_OBJECT
public:
    static constexpr int TimerInterval = 1000;

    // Any viewer may be nullptr; the main window passes only its main viewer.
    TFrameTrackReplay(QDockWidget *panel, TMarivoNavEnv &env, TNavViewerControl *main,
                      TNavViewerControl *extra1 = nullptr, TNavViewerControl *extra2 = nullptr);

    void SetTrackList(INavTrackList *list);
    void SelectTrack(INavTrack *track);
    void SetReplayTime(TDateTime time);
    bool GetDrawComplete() const;
    void SetDrawComplete(bool complete);
    void UpdateTexts();
    void ApplySettings();
    void UpdateFollowFlags();
    void NightChanged();

    // The replay clock as the buttons and the timer drive it.
    void Begin();
    void End();
    void Forward();
    void Back();
    void Pause();
    void TimerTick();
    void ChooseSpeed(int index);

    std::function<void(TFrameTrackReplay *)> OnReplayTimeChange;
    std::function<void(TFrameTrackReplay *)> OnDrawCompleteChange;

    // What the tests read.
    INavTrack *SelectedTrack() const { return FTrack; }
    TDateTime ReplayTime() const { return FTime; }
    const TrackReplayRules::TAxis &Axis() const { return FAxis; }
    double SpeedFactor() const { return FFactor; }
    bool Running() const;
    TTrackReplayModel *Model() const { return FModel; }
    QTreeView *List() const { return ListView; }
    QSlider *Slider() const { return TrackBarTime; }
    QComboBox *SpeedList() const { return ComboBoxSpeed; }
    QToolButton *TrackingButton() const { return ButtonTracking; }
    QMenu *TrackingMenu() const { return PopupMenuTracking; }
    QPushButton *Button(int i) const;  // 0 begin, 1 back, 2 pause, 3 forward, 4 end
    QCheckBox *DrawCompleteBox() const { return CheckBoxDrawComplete; }
    QString DateText() const;
    QString TimeText() const;
    // The rectangle of the time column in the list's viewport.
    QRect TimeColumn() const;
    // Fills the menu's checks as the button does before dropping it down.
    void CheckTrackingItems();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void BuildLayout();
    void AddTrackingViewer(TNavViewerControl *viewer);
    void TrackingItemClick(TNavViewerControl *viewer);
    void UpdateEnabled();
    void UpdateRowValues();
    void UpdateTimeLabels();
    void TimeChangedByUser(TDateTime time);
    bool MouseInList(QEvent *event);
    TNavViewerControl *Viewer(int i) const;

    TMarivoNavEnv &Env;
    QPointer<TNavViewerControl> FViewers[3];
    INavTrack *FTrack = nullptr;
    TDateTime FTime = 0.0;
    TrackReplayRules::TAxis FAxis;
    double FFactor = 1.0;
    double FDirection = 0.0;
    int FUTCOffset = 0;
    int32_t FUnitSpeed = 0;
    bool FSavedTimer = false;
    bool FDragging = false;
    QPalette FDayPalette;

    TTrackReplayModel *FModel;
    TTrackReplayDelegate *FDelegate;
    QTreeView *ListView;
    QCheckBox *CheckBoxDrawComplete;
    QLabel *LabelDate, *LabelDateValue, *LabelTime, *LabelTimeValue;
    QSlider *TrackBarTime;
    QPushButton *ButtonBegin, *ButtonBack, *ButtonPause, *ButtonForward, *ButtonEnd;
    QComboBox *ComboBoxSpeed;
    QToolButton *ButtonTracking;
    QMenu *PopupMenuTracking;
    QTimer *Timer;
};
