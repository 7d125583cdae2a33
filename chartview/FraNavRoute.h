// The route-navigation window: the route to follow and the next route point chosen in the
// window, the route's totals, the leg to the next point (open water: VMG, DTG, CTS, time
// to go and the cross-track bar; on the waterway network: the next object ahead with its
// symbol, picture, VHF channel and operation state, and the network cross-track bar with
// its path width), the planning overview and the previous route point.
//
// The dock panel is exactly as tall as the visible sections ("Detail1/2/4Visible" under
// "Desktop\FloatWindowNavRoute"). The cross-track alarm is the program's shared one: this
// window evaluates and draws it, never raises a second one. The main window creates the
// window in its dock panel, refreshes it every second while a route is active and frees it
// before the environment. GUI thread only.
#pragma once

#include "base/forms/KvFrameScaled.h"
#include "chartview/FraNavInfoWWLine.h"
#include "chartview/NavFixedHeightDock.h"
#include "chartview/NavValuePanel.h"

#include <KvLibNav6/KvNavEnv.h>

#include <QImage>
#include <QLabel>
#include <memory>

class INavRouteNavigation;
class IWptPlanPoint;
class IWptRoute;
class IWptRouteObject;
class QComboBox;
class QDockWidget;
class QListView;
class QPushButton;
class QToolButton;
class TImageList;
class TMarivoNavEnv;
class TNavRouteObjectDelegate;
class TNavRouteObjectModel;
class TNavXTEAlarm;
struct TNavRouteData;

// The size a structure picture is drawn at in a box: shrunk to fit, never enlarged.
QSize NavRouteFitPicture(QSize picture, QSize box);

class TFrameNavRoute : public TFrameScaled {
    Q_OBJECT
public:
    static constexpr int HeaderHeight = 27;
    static constexpr int Border = 1;
    static constexpr int ListHeight = 140;
    // The path widths offered, in the small-distance unit.
    static constexpr int PathWidths[] = {10, 20, 50, 100, 200, 500, 1000};

    // panel may be nullptr (a window outside a dock).
    TFrameNavRoute(QDockWidget *panel, TMarivoNavEnv &env);
    ~TFrameNavRoute() override;

    // Nothing while the dock is hidden.
    void UpdateValues();
    void UpdateTexts();
    void ApplyUnitSettings();
    void ApplyColors();
    void FillRouteList();
    void FillPointList();
    void FillObjectList();
    void UpdateLayout();
    void UpdateButtons();
    // A geometry below the dock's minimum client size is raised to it.
    void SetBounds(int left, int top, int width, int height);
    void HandleNotification(const TNavNotification &n);

    // The user's choices, as the drop-downs and buttons make them.
    void ChooseRoute(int index);
    void ChoosePoint(int index);
    void ChoosePathWidth(int index);
    void StepPoint(bool next);
    // -1 page up (further ahead), 0 the current object, +1 page down.
    void ScrollList(int direction);
    void SetDetailVisible(int detail, bool visible);
    void SetStructImage(const QString &fileName);

    TNavInfoDetailsEvent OnShowObjectDetails;
    // Asks the main viewer to draw again (the path width changed).
    std::function<void()> OnRepaintViewer;

    // What the tests read.
    const TFixedHeightDock &Dock() const { return FDock; }
    TNavXTEAlarm &Alarm() const { return *FAlarm; }
    QComboBox *RouteCombo() const { return ComboBoxRoute; }
    QComboBox *PointCombo() const { return ComboBoxRoutePoint; }
    QComboBox *PathWidthCombo() const { return ComboPathWidth; }
    QToolButton *RouteButton() const { return ButtonComboRoute; }
    QToolButton *PointButton() const { return ButtonComboRoutePoint; }
    QToolButton *PrevButton() const { return ButtonWPPrev; }
    QToolButton *NextButton() const { return ButtonWPNext; }
    QToolButton *CollapseButton(int detail) const;
    QPushButton *StructureInfoButton() const { return ButtonStructureAllInfo; }
    QToolButton *ScrollCurrentButton() const { return ButtonScrollCurrent; }
    QListView *ListView() const { return FList; }
    TNavRouteObjectModel *Objects() const { return FModel; }
    bool FollowsCurrent() const { return FollowCurrent; }
    bool NetworkMode() const { return !PanelDetail2Network->isHidden(); }
    bool OpenMode() const { return !PanelDetail2Open->isHidden(); }
    bool OverviewHeaderShown() const { return !PanelDetail4Header->isHidden(); }
    bool PrevWaypointHeaderShown() const { return !PanelDetail3Header->isHidden(); }
    bool SectionRowShown() const { return !PanelDetail1SectionGroup->isHidden(); }
    IWptRouteObject *NextObject() const { return FNext; }
    const QImage &StructImage() const { return FStructImage; }
    QString Text(const char *labelName) const;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    static void NotificationProc(void *data, TNavNotification *n);
    void BuildDetail1();
    void BuildDetail2();
    void BuildNetwork();
    void BuildOverview();
    QWidget *MakeHeader(const char *name, QLabel *&caption, QToolButton *&collapse, class QHBoxLayout *&layout);
    QLabel *Label(QWidget *parent, const char *name, int pixels, bool bold, const QString &text = {});
    int ApplySection(QWidget *section, QToolButton *collapse, bool visible);
    INavRouteNavigation *Navigation() const;
    bool OpenLeg() const;
    // The steps of the refresh, in its order.
    void ShowTotals(IWptPlanPoint *plan, bool planned, const TNavRouteData *nav);
    void ShowTimes(IWptPlanPoint *plan, bool planned);
    void ShowLeg();
    void ShowCrossTrack(IWptPlanPoint *targetPlan);
    void ShowSection(const TNavRouteData *nav);
    void ShowNextObject(const TNavRouteData *nav);
    void PaintNextIcon(QPainter &p);
    void PaintNextVHF(QPainter &p);
    void PaintOperation(QPainter &p);
    void PaintStructure(QPainter &p);

    TMarivoNavEnv &Env;
    QDockWidget *FPanel;
    TFixedHeightDock FDock;
    std::shared_ptr<TNavXTEAlarm> FAlarm;
    bool FSubscribed = false;
    IWptRoute *Route = nullptr;
    bool Detail1Visible = true, Detail2Visible = true, Detail4Visible = true;
    bool FollowCurrent = true;
    int32_t UnitDistanceLarge = 0, UnitDistanceSmall = 0, UnitSpeed = 0, UnitVolume = 0;
    IWptRouteObject *FNext = nullptr;
    QString StructImageName;
    QImage FStructImage;
    TImageList *ImageList, *ImageListVHF;

    TNavColourPanel *PanelBorder, *PanelContents;
    QWidget *PanelDetail1Header, *PanelDetail1, *PanelDetail1SectionGroup, *PanelDetail2Header, *PanelDetail2Open,
        *PanelDetail2Network, *PanelNetworkXTE, *PanelDetail4Header, *PanelDetail4, *PanelDetail3Header;
    QLabel *LabelDetail1, *LabelDetail2, *LabelDetail3, *LabelDetail4;
    QLabel *LabelDestination, *LabelDestinationValue, *LabelTTGt, *LabelTTGtValue, *LabelSectionCurrent,
        *LabelMaxSpeed, *LabelToR, *LabelToRValue, *LabelDOG, *LabelDOGValue;
    QLabel *LabelTTG, *LabelTTGValue, *LabelXTEWidth, *LabelXTEWidthValue, *LabelXTE, *LabelXTEValue;
    QLabel *LabelNextName, *LabelNextDTG, *LabelNextDTGUnit, *LabelTTGValueNetwork, *LabelNextETA, *LabelNextETADate,
        *LabelIndicationProperties, *LabelNetworkCTS, *LabelNetworkXTEValue, *LabelPrevWaypoint;
    QToolButton *ButtonDetail1Collapse, *ButtonDetail2Collapse, *ButtonDetail4Collapse;
    QToolButton *ButtonComboRoute, *ButtonComboRoutePoint, *ButtonWPPrev, *ButtonWPNext, *ButtonComboPathWidth;
    QToolButton *ButtonScrollPrev, *ButtonScrollCurrent, *ButtonScrollNext;
    QPushButton *ButtonStructureAllInfo;
    QComboBox *ComboBoxRoute, *ComboBoxRoutePoint, *ComboPathWidth;
    TNavValuePanel PanelDTGTotal, PanelFuelTotal, PanelETA, PanelVMG, PanelDTG, PanelCTS;
    QWidget *PaintBoxXTE, *PaintBoxNetworkXTE, *PaintBoxNextIcon, *PaintBoxNextVHF, *PaintBoxNextStructure,
        *PaintBoxOperationNeeded;
    QListView *FList;
    TNavRouteObjectModel *FModel;
    TNavRouteObjectDelegate *FDelegate;
};
