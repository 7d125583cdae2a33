// The "Waterway information" block of the navigation-information panel: a collapsible
// stack of up to nine lines for the objects ahead of the own ship, the nearest lowest.
// While a route is explored at the planning time, the objects ahead of the point reached
// then; while a route is followed, that route's structures, marinas, turns, route points
// and stops; otherwise the structures found by walking the waterway network from the
// ship's section in its direction of travel.
//
// The host creates it inside one of its panels, refreshes it every second with the main
// view's calibration (nil after creation, language changes and route events), hands on
// the route-following notifications and the object-details event, and re-lays itself out
// on OnHeightChanged. The environment must outlive the block. GUI thread only.
#pragma once

#include "base/forms/KvFrameScaled.h"
#include "chartview/FraNavInfoWWLine.h"
#include "chartview/NavPlanningTime.h"

#include <KvLibNav6/KvNavBoat.h>

#include <QLabel>
#include <array>
#include <functional>

class QComboBox;
class QToolButton;
class IGeodeticCalibration;
class IWptRoute;
class IWptRouteObjectList;
class IWWSection;
class TFrameNavInfoWWStruct;

class TFrameNavInfoWW : public TFrameScaled {
    Q_OBJECT
public:
    static constexpr int SlotCount = 14;
    static constexpr int NoNetworkRoom = 48;
    TFrameNavInfoWW(QWidget *panel, TMarivoNavEnv &env);
    ~TFrameNavInfoWW() override;

    void SetDetailsEvent(TNavInfoDetailsEvent event);
    // For notifications 81 and 82 with their first parameter.
    void RouteFollowingChanged(IWptRoute *route);
    void UpdateValues(IGeodeticCalibration *calibration);
    void UpdateTexts();
    void UpdateLayout();
    // Shows the objects of a route's chain ahead of the ship distance from the first index
    // on: what every route case ends in.
    void ShowRouteObjects(IWptRoute *route, IWptRouteObjectList *list, TDateTime dateTime,
                          double shipDistance, int32_t firstIndex);

    std::function<void(TFrameNavInfoWW *sender)> OnHeightChanged;

    int IndicationCount() const { return FCount; }
    void SetIndicationCount(int count);
    bool Expanded() const { return FExpanded; }
    void ToggleExpanded();
    // Slot 1 (top) .. 14 (bottom, the nearest object); nullptr when the slot is empty.
    TFrameNavInfoWWLine *Line(int slot) const { return FSlots[size_t(slot - 1)].Line; }
    QWidget *SlotPanel(int slot) const { return FSlots[size_t(slot - 1)].Panel; }
    bool ListShown() const { return FListShown; }
    QString CountButtonText() const;
    QLabel *NoNetworkLabel() const { return LabelRouteInformation; }
    QComboBox *CountCombo() const { return ComboIndications; }
    QToolButton *CollapseButton() const { return ButtonWWInfoCollapse; }

private:
    struct TSlot {
        QWidget *Panel = nullptr;
        TFrameNavInfoWWLine *Line = nullptr;
        int Height = 0;
    };
    struct TRouteFill {
        IWptRoute *Route = nullptr;
        IWptRouteObjectList *List = nullptr;
        TDateTime DateTime = 0.0;
        double ShipDistance = 0.0;
        int32_t FirstIndex = -1;
    };

    bool ExploreCase();
    void FollowCase();
    void NetworkCase(IGeodeticCalibration *calibration);
    bool ShipTravelsForward(IWWSection *section, double position);
    bool NextStructure(IWWSection *&section, double &position, bool forward, double &distance,
                       TFrameNavInfoWWStruct *line);
    void FillFromRoute(const TRouteFill &fill);
    void ClearFrom(int slot);
    bool FillObject(int slot, IWptRouteObject *object, const TRouteFill &fill, double ahead);
    // The line of the class in the slot, freeing a line of another class first.
    template <class TLine> TLine *LineFor(int slot);
    void FreeLine(int slot);
    void SetListShown(bool shown);
    // Applies a Set operation and notes a change of its result or of what the line shows.
    template <class TLine, class TSet> void Apply(TLine *line, TSet &&set);

    TMarivoNavEnv &Env;
    QWidget *FPanel;
    int FCount = 3;
    bool FExpanded = true;
    bool FChanged = false;
    bool FListShown = false;
    IGeodeticCalibration *FCalibration = nullptr;
    INavRouteNavigation *FRouteNavigation = nullptr;
    TNavRouteData FRouteData;
    TNavInfoDetailsEvent FDetails;
    std::array<TSlot, SlotCount> FSlots;

    QWidget *PanelWWHeader;
    QToolButton *ButtonWWInfoCollapse;
    QLabel *LabelWWHeader;
    QLabel *LabelNumberofIndications;
    QToolButton *ButtonComboIndications;
    QComboBox *ComboIndications;
    QWidget *PanelBackground;
    QLabel *LabelRouteInformation;
};
