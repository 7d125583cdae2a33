// The "Next route point" block of the navigation-information panel: the point the own ship
// steers to, chosen from a list or with the previous/next buttons (locked while a planning
// time applies or another route is selected), and on open-water legs the velocity made
// good, distance and course to steer, time to go and the cross-track error with its bar.
// It evaluates the program's cross-track alarm once per refresh.
#pragma once

#include "chartview/FraNavInfoRouteBase.h"

#include <memory>

class IWptPlanPoint;
class QComboBox;
class TNavXTEAlarm;

class TFrameNavInfoRouteOpen : public TFrameNavInfoRouteBase {
    Q_OBJECT
public:
    TFrameNavInfoRouteOpen(QWidget *panel, TMarivoNavEnv &env);

    void UpdateValues() override;
    void UpdateLayout() override;
    void UpdateTexts() override;
    void UpdateHeader();
    void FillRoutePointList();
    void HandleNotification(TNavNotification &n) override;
    void SetDetailVisible(bool visible);
    void StepPoint(bool next);

    TNavXTEAlarm &Alarm() const { return *FAlarm; }
    QString VMG() const { return PanelVMG.Value->text(); }
    QString DTG() const { return PanelDTG.Value->text(); }
    QString CTS() const { return PanelCTS.Value->text(); }
    QString TTG() const { return LabelTTGValue->text(); }
    QString XTE() const { return LabelXTEValue->text(); }
    QString XTEWidth() const { return LabelXTEWidthValue->text(); }
    QToolButton *PointButton() const { return ButtonComboRoutePoint; }
    QToolButton *PrevButton() const { return ButtonWPPrev; }
    QToolButton *NextButton() const { return ButtonWPNext; }
    QToolButton *CollapseButton() const { return ButtonDetail2Collapse; }
    QComboBox *PointCombo() const { return ComboBoxRoutePoint; }
    QWidget *Bar() const { return PaintBoxXTE; }
    bool ValuesShown() const { return !PanelDetail2Open->isHidden(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct TTarget {
        const TNavRouteData *Q = nullptr;
        IWptPlanPoint *P = nullptr;
        IWptRoute *Schedule = nullptr;  // the route whose schedule filled Q
    };
    IWptRoute *ExploredRoute() const;
    TTarget Target(IWptRoute *route);
    TTarget FromSchedule(IWptRoute *route);
    void ShowLegValues(const TTarget &t);
    void ShowCrossTrack(const TTarget &t);

    bool Detail2Visible = true;
    QString NextPointText;
    std::shared_ptr<TNavXTEAlarm> FAlarm;  // shared with the other views of the error
    QWidget *PanelDetail2Header, *PanelDetail2Open;
    QLabel *LabelDetail2, *LabelTTG, *LabelTTGValue, *LabelXTE, *LabelXTEValue, *LabelXTEWidth, *LabelXTEWidthValue;
    QToolButton *ButtonDetail2Collapse, *ButtonComboRoutePoint, *ButtonWPPrev, *ButtonWPNext;
    QComboBox *ComboBoxRoutePoint;
    TNavValuePanel PanelVMG, PanelDTG, PanelCTS;
    QWidget *PaintBoxXTE;
};
