#include "chartview/FraNavInfoRoute.h"

#include "base/controls/KvControls.h"
#include "base/registry/KvRegistry.h"
#include "base/strings/KvFormatSettings.h"
#include "base/strings/KvStrUtils.h"
#include "base/units/KvUnitsTime.h"
#include "base/waypoints/KvWaypoints.h"
#include "chartview/FraNavInfoTexts.h"
#include "chartview/NavPlanningTime.h"
#include "chartview/NavValuePanel.h"
#include "shell/MarivoColors.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvBoatDef.h>
#include <KvLibNav6/KvPlanner.h>
#include <KvLibNav6/KvUnits.h>
#include <KvLibNav6/KvWaypoints.h>

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {

const QString RegKey = QStringLiteral("Desktop\\FloatWindowNavRoute");
constexpr int DestinationHeight = 20, ValuesHeight = 70, TORHeight = 25;
constexpr double SecondsPerDay = 86400.0;

// Whole seconds of the difference, truncated.
int64_t SecondsBetween(TDateTime later, TDateTime earlier) {
    return int64_t(std::trunc((later - earlier) * SecondsPerDay));
}

}  // namespace

QString NavStopsText(int32_t bridges, int32_t locks) {
    QString s;
    if (bridges <= 0 && locks <= 0) s = QStringLiteral("0");
    if (bridges > 0) s = QString::number(bridges) + u'B';
    if (locks > 0) s += (s.isEmpty() ? QString() : QStringLiteral(", ")) + QString::number(locks) + u'L';
    return QStringLiteral("Stops: ") + s;
}

QString NavTimeToGoText(int64_t secondsAhead, float speedMS) {
    // An arrival that lies behind is no time to go: an absolute difference would count up.
    if (secondsAhead < 0) return NavRouteText::Dashes;
    using namespace KvDuration;
    if (secondsAhead > 86400) return NavRouteText::Duration(secondsAhead, Days | Hours | Minutes);
    if (speedMS >= 0.25f) return NavRouteText::Duration(secondsAhead, Hours | Minutes | Seconds);
    return NavRouteText::Duration(secondsAhead, Hours | Minutes);
}

QString NavTimeOnRouteText(int64_t seconds) {
    using namespace KvDuration;
    if (seconds >= 86400) return NavRouteText::Duration(seconds, Days | Hours | Minutes);
    return NavRouteText::Duration(seconds, Days | Hours | Minutes | Seconds);
}

TFrameNavInfoRoute::TFrameNavInfoRoute(QWidget *panel, TMarivoNavEnv &env) : TFrameNavInfoRouteBase(panel, env) {
    QHBoxLayout *h = nullptr;
    PanelDetail1Header = MakeHeader(LabelDetail1, ButtonDetail1Collapse, h);
    ComboBoxRoute = new QComboBox(PanelDetail1Header);
    // The list only drops down from the button; it takes no room of its own.
    ComboBoxRoute->setFixedSize(1, 1);
    ButtonComboRoute = new QToolButton(PanelDetail1Header);
    ButtonComboRoute->setArrowType(Qt::DownArrow);
    ButtonComboRoute->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    ButtonComboRoute->setFixedHeight(19);
    ButtonComboRoute->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    QFont f = ButtonComboRoute->font();
    f.setPixelSize(9);
    f.setBold(true);
    ButtonComboRoute->setFont(f);
    h->addWidget(ButtonComboRoute, 1);
    h->addWidget(ComboBoxRoute);
    Contents->addWidget(PanelDetail1Header);

    PanelDetail1 = new QWidget(PanelContents);
    PanelDetail1->setFixedHeight(DestinationHeight + ValuesHeight + TORHeight);
    auto *rows = new QVBoxLayout(PanelDetail1);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(0);
    QWidget *destination = MakeNavRow(PanelDetail1, DestinationHeight, h);
    LabelDestination = MakeNavLabel(destination, 12, false);
    LabelDestinationValue = MakeNavLabel(destination, 12, true);
    LabelDestinationValue->setMinimumWidth(10);
    LabelTTGt = MakeNavLabel(destination, 12, false, QStringLiteral(" TTGt : "));
    LabelTTGtValue = MakeNavLabel(destination, 12, true, NavRouteText::Dashes);
    h->addWidget(LabelDestination);
    h->addWidget(LabelDestinationValue, 1);
    h->addWidget(LabelTTGt);
    h->addWidget(LabelTTGtValue);
    rows->addWidget(destination);
    TNavValuePanelShape shape, alone;
    alone.WithUnit = false;
    rows->addWidget(MakeNavValueRow(PanelDetail1, ValuesHeight,
                                    {{&DTGTotal, shape, QStringLiteral("DTGt")},
                                     {&FuelTotal, shape, QString()},
                                     {&ETATotal, alone, QStringLiteral("ETA")}}));
    QWidget *tor = MakeNavRow(PanelDetail1, TORHeight, h);
    LabelToR = MakeNavLabel(tor, 12, false, QStringLiteral(" TonR: "));
    LabelToRValue = MakeNavLabel(tor, 12, true, NavRouteText::Dashes);
    LabelDOG = MakeNavLabel(tor, 12, false, QStringLiteral(" DOG: "));
    LabelDOGValue = MakeNavLabel(tor, 12, true, NavRouteText::Dashes);
    h->addWidget(LabelToR);
    h->addWidget(LabelToRValue);
    h->addStretch(1);
    h->addWidget(LabelDOG);
    h->addWidget(LabelDOGValue);
    rows->addWidget(tor);
    Contents->addWidget(PanelDetail1);

    connect(ButtonComboRoute, &QToolButton::pressed, ComboBoxRoute, &QComboBox::showPopup);
    connect(ComboBoxRoute, &QComboBox::activated, this, [this](int index) { RouteComboSelected(index); });
    connect(ButtonDetail1Collapse, &QToolButton::clicked, this, [this] { SetDetailVisible(!Detail1Visible); });

    Detail1Visible = RegReadBoolDef(GetAppReg(), AppRegRoot::Product, RegKey, RegName(u"Detail1Visible"), true);
    ScaleToScreen();
    LabelDetail1->setText(LanguageText(NavInfoText::SelectedRoute));
    LabelDestination->setText(LanguageText(NavInfoText::To) + QStringLiteral(": "));
    UpdateLayout();
    ApplyUnitSettings();
    ApplyColors();
    FillRouteList();
    UpdateHeader();
    Subscribe();
}

void TFrameNavInfoRoute::UpdateTexts() {
    LabelDetail1->setText(LanguageText(NavInfoText::SelectedRoute));
    LabelDestination->setText(LanguageText(NavInfoText::To) + QStringLiteral(": "));
    FillRouteList();
}

void TFrameNavInfoRoute::SetDetailVisible(bool visible) {
    Detail1Visible = visible;
    UpdateLayout();
}

void TFrameNavInfoRoute::UpdateLayout() {
    if (Env.NetworkReloadPending) return;
    const int height = HeaderHeight + ApplySection(PanelDetail1, ButtonDetail1Collapse, Detail1Visible);
    int32_t error = 0;
    RegWriteBool(GetAppReg(), AppRegRoot::Product, RegKey, RegName(u"Detail1Visible"), Detail1Visible, error);
    SetBlockHeight(height);
}

IWptRoute *TFrameNavInfoRoute::ShownRoute() const {
    if (IWptRoute *active = Env.GetActiveRoute()) return active;
    if (!Env.RouteExploreMode) return nullptr;
    return Env.EditedRoute ? Env.EditedRoute : Env.SelectedRoute;
}

const TNavRouteData *TFrameNavInfoRoute::NavigationData(IWptRoute *route) {
    const bool explore = Env.RouteExploreMode && Env.PredictedTime;
    if (route && route->GetPointCount() > 0 && explore &&
        (Env.PredictedTime->GetMode() == NavPredictedTimeMode::RouteExplore || Env.PredictedTime->GetTimeOffset() > 0))
        return FillAtPlanningTime(route);
    if (INavRouteNavigation *navigation = Following() ? Env.GetRouteNavigation() : nullptr) {
        if (PlanningTimeApplies(Env)) return FillAtPlanningTime(Env.GetActiveRoute());
        return navigation->GetNavData();
    }
    return nullptr;
}

void TFrameNavInfoRoute::UpdateValues() {
    if (Env.NetworkReloadPending) return;
    IWptRoute *route = ShownRoute();
    IWptRoutePoint *last = route ? route->GetLastPoint() : nullptr;
    IWptPlanPoint *plan = last ? last->GetPlanPoint() : nullptr;
    const bool planned = plan && plan->GetStatus() == 0 && plan->GetArrival();
    const TNavRouteData *n = NavigationData(route);
    QString destination = NavRouteText::Dashes;
    if (route && last && n) {
        destination = WptRoutePointGetDisplayName(last);
        if (destination.isEmpty()) destination = QString::number(last->GetIndex() + 1);
    }
    LabelDestinationValue->setText(destination);
    ShowTotals(route, n, plan, planned);
    ShowTimes(n, plan, planned);
    const QColor text = route ? QApplication::palette().color(QPalette::WindowText) : TColorToColor(NavPanelHeaderColor);
    for (QLabel *l : {LabelDestinationValue, LabelDestination, LabelTTGt, LabelTTGtValue, LabelDOG, LabelDOGValue})
        SetNavTextColour(l, text);
    LayoutNavValuePanel(DTGTotal);
    LayoutNavValuePanel(ETATotal);
    LayoutNavValuePanel(FuelTotal);
    UpdateHeader();
}

void TFrameNavInfoRoute::ShowTotals(IWptRoute *route, const TNavRouteData *n, IWptPlanPoint *plan, bool planned) {
    const bool enabled = route && n && planned;
    const TTimePointData *arrival = enabled ? plan->GetArrival()->GetData() : nullptr;
    DTGTotal.Panel->setEnabled(enabled && arrival);
    FuelTotal.Panel->setEnabled(enabled && arrival);
    if (enabled && arrival) {
        QString value, unit;
        FormatDistanceA(UnitDistanceLarge, UnitDistanceSmall, value, unit, arrival->DistanceM - n->RouteDistance);
        DTGTotal.Value->setText(value);
        DTGTotal.Unit->setText(unit);
        DTGTotal.Footer->setText(NavStopsText(n->BridgeStops, n->LockStops));
    } else {
        DTGTotal.Value->setText(NavRouteText::Dashes);
        DTGTotal.Footer->setText(NavRouteText::Dashes);
        DTGTotal.Unit->setText(UnitToStr(UnitDistanceSmall));
    }
    const bool electric = Env.ActiveBoatDef && Env.ActiveBoatDef->GetElectric();
    FuelTotal.Caption->setText(electric ? QStringLiteral("ENERGY") : QStringLiteral("FUEL"));
    // Label and number in the same unit: kilojoules for energy.
    const int32_t shownUnit = electric ? KvUnit::Kilojoule : UnitVolume;
    FuelTotal.Unit->setText(UnitToStr(electric ? KvUnit::KilojoulePerHour : UnitVolume));
    if (enabled && arrival) {
        const double fuel = arrival->ConsumptionM3 - n->FuelUsed;
        const double value = UnitConvert(fuel, electric ? KvUnit::Joule : KvUnit::CubicMetre, shownUnit);
        FuelTotal.Value->setText(FloatToStrFixed(value, 6, 1, LocaleFormatSettings()));
        FuelTotal.Footer->setText(Env.Currency + u' ' +
                                  FloatToStrFixed(arrival->Cost - n->CostSpent, 6, 2, LocaleFormatSettings()));
    } else {
        FuelTotal.Value->setText(NavRouteText::Dashes);
        FuelTotal.Footer->setText(NavRouteText::Dashes);
    }
    // Distance over ground: the plan's distance whenever a planning time applies.
    QString dog = NavRouteText::Dashes + UnitToStr(UnitDistanceSmall);
    if (route && n) {
        double g = 0.0;
        if (PlanningTimeApplies(Env))
            g = n->RouteDistance;
        else if (INavRouteNavigation *navigation = Following() ? Env.GetRouteNavigation() : nullptr)
            g = navigation->GetRouteDistanceOverGround();
        QString value, unit;
        FormatDistanceA(UnitDistanceLarge, UnitDistanceSmall, value, unit, g);
        dog = value + u' ' + unit + u' ';
    }
    LabelDOGValue->setText(dog);
}

void TFrameNavInfoRoute::ShowTimes(const TNavRouteData *n, IWptPlanPoint *plan, bool planned) {
    const TTimePointData *arrival = planned && n ? plan->GetArrival()->GetData() : nullptr;
    ETATotal.Panel->setEnabled(arrival != nullptr);
    ITimeZones *zones = GlobalTimeZones();
    if (arrival) {
        const TDateTime local = arrival->TimeUTC + (zones ? zones->GetUTCOffset() : 0) / 1440.0;
        const int minutes = int(std::floor((local - std::floor(local)) * 1440.0 + 1e-6)) % 1440;
        ETATotal.Value->setText(QString::asprintf("%.2u:%.2u", unsigned(minutes / 60), unsigned(minutes % 60)));
        ETATotal.Footer->setText(FormatDateTime(QStringLiteral("ddddd"), 1, local));
    } else {
        ETATotal.Value->setText(QStringLiteral("--:--"));
        ETATotal.Footer->setText(NavRouteText::Dashes);
    }
    const TDateTime now = PlanningTimeApplies(Env) ? Env.PredictedTime->GetTime() : (zones ? zones->GetNowUTC() : 0.0);
    INavRouteNavigation *navigation = Following() ? Env.GetRouteNavigation() : nullptr;
    LabelToRValue->setText(navigation ? NavTimeOnRouteText(std::abs(SecondsBetween(now, navigation->GetRouteStartTime())))
                                      : NavRouteText::Dashes);
    if (arrival) {
        INavBoatState *state = Env.Boat ? Env.Boat->GetState() : nullptr;
        LabelTTGtValue->setText(NavTimeToGoText(SecondsBetween(arrival->TimeUTC, now), state ? state->GetVAbsLength() : 0.0f));
    } else {
        LabelTTGtValue->setText(NavRouteText::Dashes);
    }
}

void TFrameNavInfoRoute::UpdateHeader() {
    IWptRoute *active = Env.GetActiveRoute();
    const bool hasSelection = Env.SelectedRoute || active;
    const QColor c = hasSelection ? QApplication::palette().color(QPalette::WindowText) : TColorToColor(NavPanelHeaderColor);
    SetNavTextColour(LabelToR, c);
    SetNavTextColour(LabelToRValue, c);
    if (active && (!Env.SelectedRoute || active == Env.SelectedRoute || active == Env.EditedRoute)) {
        ButtonComboRoute->setEnabled(!Env.EditedRoute);
        ButtonComboRoute->setText(active->IsDefaultRoute() ? LanguageText(NavInfoText::TemporaryRoute)
                                                           : WptObjectGetName(active));
    } else if (Env.EditedRoute) {
        ButtonComboRoute->setText(WptObjectGetName(Env.EditedRoute));
        ButtonComboRoute->setEnabled(false);
    } else {
        ButtonComboRoute->setEnabled(true);
        ButtonComboRoute->setText(Env.SelectedRoute ? WptObjectGetName(Env.SelectedRoute) : LanguageText(NavInfoText::NoRoute));
    }
}

void TFrameNavInfoRoute::FillRouteList() {
    // Picking the entry below raises OnRouteChosen; a handler that refills the list would
    // come back here: the refill that is running is the one that counts.
    if (FFilling) return;
    FFilling = true;
    struct TEntry {
        QString Name;
        IWptRoute *Route;
    };
    std::vector<TEntry> entries;
    IWptManager *manager = Env.WaypointManager;
    for (int32_t i = manager ? manager->GetRouteCount() - 1 : -1; i >= 0; --i) {
        IWptRoute *r = manager->GetRoute(i);
        int32_t index = 0;
        if (r && r->GetPointCount() > 0 && Env.RouteList && Env.RouteList->Find(r, index))
            entries.push_back({WptObjectGetName(r), r});
    }
    IWptRoute *active = Env.GetActiveRoute();
    if (active && active->IsDefaultRoute()) entries.push_back({LanguageText(NavInfoText::TemporaryRoute), active});
    std::stable_sort(entries.begin(), entries.end(),
                     [](const TEntry &a, const TEntry &b) { return QString::localeAwareCompare(a.Name, b.Name) < 0; });
    ComboBoxRoute->blockSignals(true);
    ComboBoxRoute->clear();
    ComboBoxRoute->addItem(LanguageText(NavInfoText::NoRoute), QVariant::fromValue<void *>(nullptr));
    for (const TEntry &e : entries) ComboBoxRoute->addItem(e.Name, QVariant::fromValue<void *>(e.Route));
    ComboBoxRoute->blockSignals(false);
    if (Env.SelectedRoute && !entries.empty()) {
        const int found = ComboBoxRoute->findData(QVariant::fromValue<void *>(Env.SelectedRoute));
        ComboBoxRoute->setCurrentIndex(std::max(found, 0));
        RouteComboSelected(ComboBoxRoute->currentIndex());
    }
    FFilling = false;
    UpdateValues();
}

void TFrameNavInfoRoute::RouteComboSelected(int index) {
    if (index < 0) return;
    if (OnRouteChosen) OnRouteChosen(static_cast<IWptRoute *>(ComboBoxRoute->itemData(index).value<void *>()));
}

void TFrameNavInfoRoute::HandleNotification(TNavNotification &n) {
    switch (n.Code) {
    case NavNotify::RouteChanged: {
        auto *route = reinterpret_cast<IWptRoute *>(n.P1);
        const int index = ComboBoxRoute->findData(QVariant::fromValue<void *>(route));
        if (index > 0) ComboBoxRoute->setItemText(index, WptObjectGetName(route));
        UpdateHeader();
        break;
    }
    case NavNotify::RoutePointRefresh: {
        auto *point = reinterpret_cast<IWptRoutePoint *>(n.P1);
        IWptRoute *route = point ? point->GetRoute() : nullptr;
        if (route && route != Env.SelectedRoute && route->GetPointCount() == 1) FillRouteList();
        break;
    }
    case NavNotify::RouteCalcEnd:
        UpdateValues();
        UpdateLayout();
        break;
    case NavNotify::RouteTargetChanged:
        UpdateLayout();
        UpdateHeader();
        UpdateValues();
        break;
    case NavNotify::RouteFollowStarted: {
        IWptRoute *active = Env.GetActiveRoute();
        if (active && active->IsDefaultRoute()) FillRouteList();
        UpdateHeader();
        UpdateLayout();
        UpdateValues();
        break;
    }
    case NavNotify::RouteFollowStopped:
        FillRouteList();
        UpdateHeader();
        UpdateLayout();
        UpdateValues();
        break;
    case NavNotify::RouteDeleted:
        FillRouteList();
        break;
    case NavNotify::RoutePointsDeleted: {
        auto *route = reinterpret_cast<IWptRoute *>(n.P2);
        if (route && route != Env.SelectedRoute && route->GetPointCount() == 0) FillRouteList();
        break;
    }
    default:
        break;
    }
}
