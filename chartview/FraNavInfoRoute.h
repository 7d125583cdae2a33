// The "Selected route" block of the navigation-information panel: destination, distance to
// go with the bridge and lock stops on the way, fuel (or energy) and cost still needed,
// arrival, time to go, time on route and distance over ground of the followed route, or in
// route-explore mode of the edited or selected route (at the planning time when one
// applies). Its header button lists the visible routes to choose the selected route from.
#pragma once

#include "chartview/FraNavInfoRouteBase.h"

class IWptPlanPoint;
class QComboBox;

// "Stops: 0", "Stops: 2L", "Stops: 1B, 2L", "Stops: 3B".
QString NavStopsText(int32_t bridges, int32_t locks);
// Time to an arrival secondsAhead away: days-hours-minutes above a day, else hours-minutes
// (with seconds while the ship makes 0.25 or more); "---" once the arrival lies behind.
QString NavTimeToGoText(int64_t secondsAhead, float speedMS);
// Days-hours-minutes from a day on, with seconds below it.
QString NavTimeOnRouteText(int64_t seconds);

class TFrameNavInfoRoute : public TFrameNavInfoRouteBase {
    Q_OBJECT
public:
    TFrameNavInfoRoute(QWidget *panel, TMarivoNavEnv &env);

    void UpdateValues() override;
    void UpdateLayout() override;
    void UpdateTexts() override;
    void UpdateHeader();
    void FillRouteList();
    void HandleNotification(TNavNotification &n) override;
    void SetDetailVisible(bool visible);

    // nullptr for "<no route>".
    std::function<void(IWptRoute *)> OnRouteChosen;

    // What the block shows.
    QString Destination() const { return LabelDestinationValue->text(); }
    QString DTG() const { return DTGTotal.Value->text(); }
    QString Stops() const { return DTGTotal.Footer->text(); }
    QString FuelCaption() const { return FuelTotal.Caption->text(); }
    QString Fuel() const { return FuelTotal.Value->text(); }
    QString FuelUnit() const { return FuelTotal.Unit->text(); }
    QString Money() const { return FuelTotal.Footer->text(); }
    QString ETA() const { return ETATotal.Value->text(); }
    QString TTG() const { return LabelTTGtValue->text(); }
    QString TimeOnRoute() const { return LabelToRValue->text(); }
    QString DOG() const { return LabelDOGValue->text(); }
    bool DTGEnabled() const { return DTGTotal.Panel->isEnabled(); }
    QComboBox *RouteCombo() const { return ComboBoxRoute; }
    QToolButton *RouteButton() const { return ButtonComboRoute; }

private:
    IWptRoute *ShownRoute() const;
    const TNavRouteData *NavigationData(IWptRoute *route);
    void ShowTotals(IWptRoute *route, const TNavRouteData *n, IWptPlanPoint *plan, bool planned);
    void ShowTimes(const TNavRouteData *n, IWptPlanPoint *plan, bool planned);
    void RouteComboSelected(int index);

    bool Detail1Visible = true;
    bool FFilling = false;
    QWidget *PanelDetail1Header, *PanelDetail1;
    QLabel *LabelDetail1, *LabelDestination, *LabelDestinationValue, *LabelTTGt, *LabelTTGtValue;
    QLabel *LabelToR, *LabelToRValue, *LabelDOG, *LabelDOGValue;
    QToolButton *ButtonDetail1Collapse, *ButtonComboRoute;
    QComboBox *ComboBoxRoute;
    TNavValuePanel DTGTotal, FuelTotal, ETATotal;
};
