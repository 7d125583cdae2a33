// The route point selection dialog. Planner variant: start, optional via point and
// destination, route mode and departure time for the route planner. Single-location
// variant: one location (adding a route point, finding a place). A fairway or fairway part
// chosen on the first page becomes a point on the second page (its centre, a dead end or a
// crossing fairway). The entry points create, show and free the dialog. GUI thread.
#pragma once

#include "base/forms/KvForms.h"
#include "base/texts/KvLanguage.h"
#include "routes/RoutePointSelectLogic.h"

#include <KvLibNav6/KvTypes.h>

#include <QLabel>
#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStackedWidget;
class QToolButton;
class QTreeView;
class TMarivoNavEnv;
class TRoutePointRowModel;

// The chosen points. The caller owns the record; the objects belong to the environment's
// waypoint manager and waterway network. A point is a waypoint or a section with a position
// (metres along it).
struct TRoutePointSelection {
    uint8_t FromKind = RouteSlotKind::None;  // 0 current position, 1 home, 2 object, 3 not set
    IWWSection *FromSection = nullptr;
    IWWSection *ToSection = nullptr;
    IWWSection *ViaSection = nullptr;
    double FromPos = 0.0;
    double ToPos = 0.0;
    double ViaPos = 0.0;
    IWptWaypoint *FromWaypoint = nullptr;
    IWptWaypoint *ToWaypoint = nullptr;
    IWptWaypoint *ViaWaypoint = nullptr;
};

// A value label that reports clicks and shows its text cut with an ellipsis at the end when
// it does not fit; the hint holds the whole text.
class TClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
    void SetFullText(const QString &text);
    QString FullText() const { return FFullText; }
signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void Elide();
    QString FFullText;
};

class TFormRoutePointSelect : public TFormScaled {
    Q_OBJECT
public:
    enum TSlotIndex { SlotFrom, SlotTo, SlotVia };

    // waterBodies and routeMode are read here; the entry points read the final values back.
    TFormRoutePointSelect(bool singleLocation, int32_t waterBodies, int32_t routeMode,
                          IWWNetwork *network, TMarivoNavEnv *env, QWidget *owner = nullptr);
    ~TFormRoutePointSelect() override;

    // Planner variant. True when a destination was chosen; selection is cleared first.
    // departure is UTC (-1 = now; departureSet False then). fromCurrentPosition: the start
    // is the own ship, which the caller must make sure has a position. sailingTimes is
    // always False. routeMode and waterBodies change only on True.
    static bool SelectRoutePoints(TMarivoNavEnv *env, IWWNetwork *network,
                                  TRoutePointSelection &selection, bool &departureSet,
                                  bool &fromCurrentPosition, bool &startChanged,
                                  bool &sailingTimes, double &departure, int32_t &routeMode,
                                  int32_t &waterBodies);
    // Single-location variant: True with ToWaypoint, or ToSection and ToPos. FromKind is
    // not written.
    static bool SelectLocation(TMarivoNavEnv *env, IWWNetwork *network,
                               TRoutePointSelection &selection, int32_t &waterBodies);

    // Runs the dialog instead of exec (tests); returns the dialog result. Returns the
    // previous prompter.
    using TPrompter = std::function<int(TFormRoutePointSelect &form)>;
    static TPrompter SetPrompter(TPrompter prompter);

    // ---- state the entry points and tests read ----
    const TRoutePointSlot &Slot(TSlotIndex i) const { return *SlotPtr(i); }
    // The slot whose button is down; -1 none.
    int ActiveSlot() const;
    int32_t RouteMode() const { return FRouteMode; }
    int32_t WaterBodies() const { return FWaterBodies; }
    TDateTime DepartureTime() const { return FDepartureTime; }  // local, -1 = now
    bool StartChanged() const;
    const TNodeList &FirstRows() const { return FCandidates.Rows; }
    const TNodeList &SecondRows() const { return FSecondRows; }
    const std::vector<TRecentSearch> &RecentSearches() const { return FRecent; }
    bool SecondPageActive() const;
    TRoutePointRowModel *Model1() const { return FModel1; }
    TRoutePointRowModel *Model2() const { return FModel2; }
    // Focuses the first-page row showing obj (a top-level row, or a child when not found
    // there); false when no visible row shows it.
    bool FocusRowOf(const NavObject *obj, uint8_t kind);
    bool FocusSecondRow(const QString &name);
    // The label click of a slot, as the user makes it.
    void LabelLocationValueClick(TSlotIndex slot);
    void ButtonLocationClick(TSlotIndex slot);

    // ---- controls ----
    QStackedWidget *Pages = nullptr;
    QWidget *PanelRouteMode = nullptr, *PanelLocations = nullptr, *PanelStartTime = nullptr,
            *PanelSearchOptions = nullptr;
    QComboBox *ComboBoxRouteMode = nullptr;
    QLabel *LabelRouteMode = nullptr;
    QLabel *LabelLocationFrom = nullptr, *LabelLocationTo = nullptr, *LabelLocationVia = nullptr;
    QToolButton *ButtonLocationFrom = nullptr, *ButtonLocationTo = nullptr, *ButtonLocationVia = nullptr;
    TClickLabel *LabelLocationFromValue = nullptr, *LabelLocationToValue = nullptr,
                *LabelLocationViaValue = nullptr;
    QCheckBox *CheckUseVia = nullptr;
    QLabel *LabelStartTime = nullptr;
    QPushButton *ButtonStartTimeNow = nullptr, *ButtonStartTimeCustom = nullptr;
    QLabel *LabelSearchOptions = nullptr, *LabelSearchTypes = nullptr, *LabelWaterbodies = nullptr;
    QCheckBox *CheckChartWptSelectedOnly = nullptr;
    QListWidget *CheckListBoxSearchTypes = nullptr, *CheckListBoxWaterbodies = nullptr;
    QLabel *LabelSelectRoutePoint = nullptr, *LabelSearch1 = nullptr, *LabelSearch2 = nullptr;
    QComboBox *ComboSearch1 = nullptr;
    QTreeView *Tree1 = nullptr;
    QLineEdit *EditSearch2 = nullptr;
    QTreeView *Tree2 = nullptr;
    QPushButton *ButtonPrev = nullptr, *ButtonOk = nullptr, *ButtonCancel = nullptr;

protected:
    void done(int result) override;

private:
    void CreateControls();
    QWidget *CreateFirstPage();
    QWidget *CreateLocationsPanel();
    QWidget *CreateSearchOptionsPanel();
    QWidget *CreateSecondPage();
    void Connect();
    void FillRouteModes();
    void FillSearchTypes();
    void FillWaterBodies();
    void LoadLanguage();
    void ArrangePanels();
    void LoadSettings();
    void SaveSettings(bool ok);
    void LoadRecentSearches();

    TRoutePointSlot *SlotPtr(int i) const;
    TRoutePointSlot *ActivePtr() const;
    QToolButton *SlotButton(int i) const;
    std::optional<TDouble3> ReferencePoint() const;
    void BuildCandidateList();
    void UpdateControls();
    void UpdateLabels();
    QString SlotValueText(int i) const;
    void SetActive(int slot, const TLanguageStrings *prompt);
    void AfterActiveChange();
    void UseViaClicked();
    void SearchChanged();
    void Tree1FocusChanged();
    void TakeFirstRow(TNodeData *row, bool setNames);
    void Tree2FocusChanged();
    void Search2Changed();
    void OkClicked();
    void Tree1DoubleClicked();
    void Tree2DoubleClicked();
    void PrevClicked();
    void OpenSecondPage();
    void ShowFirstPage();
    void StartTimeNow();
    void StartTimeCustom();
    void WaterBodiesChanged();
    uint32_t FilterState() const;
    bool ToResolvable() const;
    void EnableOk(bool forFromOrVia);

    bool FSingle;
    int32_t FWaterBodies, FRouteMode;
    IWWNetwork *FNetwork;
    TMarivoNavEnv *FEnv;
    TGeoPoint FHome{10.0, 10.0};
    int32_t FLargeUnit = 0, FSmallUnit = 0;
    TDateTime FDepartureTime = -1.0;
    mutable TRoutePointSlot FFrom, FTo, FVia;
    uint8_t FLoadedStartKind = RouteSlotKind::CurrentPosition;
    QString FLoadedStartName, FLoadedStartName2;
    bool FStartChangedFlag = false;
    TCandidateList FCandidates;
    TNodeList FSecondRows;
    std::vector<TRecentSearch> FRecent;
    TRoutePointRowModel *FModel1 = nullptr, *FModel2 = nullptr;
    bool FUpdating = false;
};
