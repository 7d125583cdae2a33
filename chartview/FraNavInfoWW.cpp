#include "chartview/FraNavInfoWW.h"

#include "base/math/KvMath.h"
#include "base/registry/KvRegistry.h"
#include "chartview/FraNavInfoWWDirection.h"
#include "chartview/FraNavInfoWWMarina.h"
#include "chartview/FraNavInfoWWRoutePoint.h"
#include "chartview/FraNavInfoWWStruct.h"
#include "chartview/FraNavInfoWWTexts.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvGeodesy.h>
#include <KvLibNav6/KvNavEnv.h>
#include <KvLibNav6/KvPlanner.h>
#include <KvLibNav6/KvUnits.h>
#include <KvLibNav6/KvWaypoints.h>

#include <QComboBox>
#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {

const QString RegKey = QStringLiteral("Desktop\\NavInfo");
constexpr int HeaderHeight = 27;
// Turns within this angle either way are no change of direction worth a line.
constexpr float TurnThreshold = 0.3926991f;

bool SkippedStructure(IWWStruct *s) {
    if (!s || s->GetKind() != WWStructKind::OtherWork) return false;
    const int32_t t = s->GetOtherType();
    return t == WWOtherType::Aqueduct || t == WWOtherType::Tunnel || t == WWOtherType::PowerLine;
}

}  // namespace

TFrameNavInfoWW::TFrameNavInfoWW(QWidget *panel, TMarivoNavEnv &env)
    : TFrameScaled(panel), Env(env), FPanel(panel) {
    if (!panel->layout()) {
        auto *fill = new QVBoxLayout(panel);
        fill->setContentsMargins(0, 0, 0, 0);
    }
    panel->layout()->addWidget(this);
    FExpanded = RegReadBoolDef(GetAppReg(), AppRegRoot::Product, RegKey, RegName(u"WWInfoVisible"), true);
    FCount = std::clamp(RegReadIntegerDef(GetAppReg(), AppRegRoot::Product, RegKey,
                                          RegName(u"IndicationCount"), 3),
                        1, 9);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    PanelWWHeader = new QWidget(this);
    PanelWWHeader->setFixedHeight(HeaderHeight);
    auto *header = new QHBoxLayout(PanelWWHeader);
    header->setContentsMargins(2, 0, 2, 0);
    ButtonWWInfoCollapse = new QToolButton(PanelWWHeader);
    ButtonWWInfoCollapse->setAutoRaise(true);
    LabelWWHeader = new QLabel(PanelWWHeader);
    QFont bold = LabelWWHeader->font();
    bold.setBold(true);
    LabelWWHeader->setFont(bold);
    LabelNumberofIndications = new QLabel(PanelWWHeader);
    ButtonComboIndications = new QToolButton(PanelWWHeader);
    ButtonComboIndications->setArrowType(Qt::DownArrow);
    ButtonComboIndications->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    ComboIndications = new QComboBox(PanelWWHeader);
    for (int i = 1; i <= 9; ++i) ComboIndications->addItem(QString::number(i));
    ComboIndications->setCurrentIndex(FCount - 1);
    // The combo box only drops down from the button; it takes no room of its own.
    ComboIndications->setFixedSize(1, 1);
    header->addWidget(ButtonWWInfoCollapse);
    header->addWidget(LabelWWHeader, 1);
    header->addWidget(LabelNumberofIndications);
    header->addWidget(ButtonComboIndications);
    header->addWidget(ComboIndications);
    outer->addWidget(PanelWWHeader);

    PanelBackground = new QWidget(this);
    auto *stack = new QVBoxLayout(PanelBackground);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);
    for (int i = 0; i < SlotCount; ++i) {
        auto *slot = new QWidget(PanelBackground);
        slot->setObjectName(QStringLiteral("ImagePanelInfo%1").arg(i + 1));
        slot->setFixedHeight(0);
        slot->hide();
        stack->addWidget(slot);
        FSlots[size_t(i)].Panel = slot;
    }
    outer->addWidget(PanelBackground);
    LabelRouteInformation = new QLabel(this);
    LabelRouteInformation->setAlignment(Qt::AlignCenter);
    LabelRouteInformation->setFixedHeight(NoNetworkRoom);
    outer->addWidget(LabelRouteInformation);
    outer->addStretch(1);

    connect(ButtonWWInfoCollapse, &QToolButton::clicked, this, [this] { ToggleExpanded(); });
    connect(ButtonComboIndications, &QToolButton::pressed, ComboIndications, &QComboBox::showPopup);
    connect(ComboIndications, &QComboBox::activated, this,
            [this](int index) { SetIndicationCount(index + 1); });
    ScaleToScreen();
    UpdateTexts();
    UpdateLayout();
    UpdateValues(nullptr);
}

TFrameNavInfoWW::~TFrameNavInfoWW() = default;

void TFrameNavInfoWW::UpdateTexts() {
    LabelWWHeader->setText(LanguageText(NavInfoWWText::Header));
    LabelRouteInformation->setText(LanguageText(NavInfoWWText::NoNetwork));
    LabelNumberofIndications->setText(LanguageText(NavInfoWWText::ObjectCount) + u':');
}

QString TFrameNavInfoWW::CountButtonText() const { return ButtonComboIndications->text(); }

void TFrameNavInfoWW::SetDetailsEvent(TNavInfoDetailsEvent event) {
    FDetails = std::move(event);
    for (TSlot &s : FSlots)
        if (s.Line && (s.Line->Kind() == TFrameNavInfoWWLine::TKind::Structure ||
                       s.Line->Kind() == TFrameNavInfoWWLine::TKind::Marina))
            s.Line->SetDetailsEvent(FDetails);
}

void TFrameNavInfoWW::SetIndicationCount(int count) {
    FCount = std::clamp(count, 1, 9);
    ComboIndications->setCurrentIndex(FCount - 1);
    int32_t error = 0;
    RegWriteInteger(GetAppReg(), AppRegRoot::Product, RegKey, RegName(u"IndicationCount"), FCount,
                    error);
    UpdateValues(nullptr);
    UpdateLayout();
}

void TFrameNavInfoWW::ToggleExpanded() {
    FExpanded = !FExpanded;
    UpdateLayout();
}

void TFrameNavInfoWW::RouteFollowingChanged(IWptRoute *route) {
    FRouteNavigation =
        route && route == Env.GetActiveRoute() ? Env.GetRouteNavigation() : nullptr;
    UpdateValues(nullptr);
}

void TFrameNavInfoWW::SetListShown(bool shown) {
    // The room of "No network information" depends on it: a change always lays out again.
    if (shown != FListShown) FChanged = true;
    FListShown = shown;
}

void TFrameNavInfoWW::UpdateValues(IGeodeticCalibration *calibration) {
    ButtonComboIndications->setText(QString::number(FCount));
    // A panel inside a window not yet shown counts as visible: only a hidden panel stops.
    if (FPanel->isHidden() || !FExpanded) return;
    if (calibration) FCalibration = calibration;
    FChanged = false;
    if (!ExploreCase()) {
        if (FRouteNavigation)
            FollowCase();
        else
            NetworkCase(calibration);
    }
    if (FChanged) UpdateLayout();
}

bool TFrameNavInfoWW::ExploreCase() {
    IWptRoute *route = nullptr;
    if (Env.RouteExploreMode)
        route = Env.EditedRoute ? Env.EditedRoute
                                : Env.SelectedRoute ? Env.SelectedRoute : Env.GetActiveRoute();
    if (!route || !PlanningTimeApplies(Env)) return false;
    IWptRouteSchedule *schedule = route->GetSchedule();
    FRouteData = TNavRouteData{};
    if (schedule && schedule->FillNavData(FRouteData, Env.PredictedTime->GetTime())) {
        SetListShown(true);
        FillFromRoute({route, FRouteData.Objects, FRouteData.DateTimeUTC, FRouteData.RouteDistance,
                       FRouteData.FirstObjectAhead});
        Env.ReleaseObjectUpdateNetwork();
    } else {
        SetListShown(false);
    }
    return true;
}

void TFrameNavInfoWW::FollowCase() {
    SetListShown(true);
    TRouteFill fill;
    fill.Route = FRouteNavigation->GetRoute();
    const TNavRouteData *nav = FRouteNavigation->GetNavData();
    bool own = false;
    if (nav && !nav->Objects && fill.Route) {
        IWptRouteSchedule *schedule = fill.Route->GetSchedule();
        FRouteData = TNavRouteData{};
        float distance = 0.0f;
        if (schedule && schedule->FillNavData(FRouteData, NavInfoNowUTC()) &&
            FRouteNavigation->GetRouteDistance(distance)) {
            own = true;
            fill.List = FRouteData.Objects;
            fill.FirstIndex = FRouteData.FirstObjectAhead;
            fill.ShipDistance = distance;
            fill.DateTime = nav->DateTimeUTC;
        }
    }
    if (!own && nav && nav->NetworkPosition) {
        fill.List = nav->Objects;
        fill.FirstIndex = nav->FirstObjectAhead;
        fill.ShipDistance = nav->RouteDistance;
        fill.DateTime = nav->DateTimeUTC;
    }
    FillFromRoute(fill);
    Env.ReleaseObjectUpdateNetwork();
}

void TFrameNavInfoWW::NetworkCase(IGeodeticCalibration *calibration) {
    TGeoPoint position{};
    if (!Env.Boat || !Env.Boat->GetPosition(position)) {
        SetListShown(false);
        return;
    }
    if (!Env.WaterwayNetwork) {
        SetListShown(false);
        return;
    }
    IWWSection *section = Env.Boat->GetWaterwayObject();
    double offset = Env.Boat->GetWaterwayObjectPosition();
    if (!section) {
        SetListShown(false);
        for (int slot = 1; slot <= SlotCount; ++slot) FreeLine(slot);
        return;
    }
    SetListShown(true);
    // Without a view this call cannot tell the direction: the lines stay as they are.
    if (!calibration) return;
    const bool forward = ShipTravelsForward(section, offset);
    double distance = 0.0;
    int shown = 0;
    bool goOn = true;
    for (int slot = SlotCount; slot >= 1; --slot) {
        TSlot &s = FSlots[size_t(slot - 1)];
        if (goOn && shown < FCount) {
            auto *line = LineFor<TFrameNavInfoWWStruct>(slot);
            const bool before = line->ShowsSomething();
            goOn = NextStructure(section, offset, forward, distance, line);
            if (!goOn) {
                FreeLine(slot);
                FChanged = true;
            } else if (before != line->ShowsSomething()) {
                FChanged = true;
            }
            ++shown;
        } else if (s.Line) {
            FreeLine(slot);
            FChanged = true;
        }
    }
}

bool TFrameNavInfoWW::ShipTravelsForward(IWWSection *section, double position) {
    TFloat2 v{0.0f, 0.0f};
    section->GetDirection(position, FCalibration, v);
    const float along = ReduceAngle0F(float(Float2Angle(v)) - FCalibration->GetVectorAngle(TDouble2{v.X, v.Y}));
    INavBoatState *state = Env.Boat->GetState();
    const float course = state ? state->GetVAbsAngle() : along;
    return ReduceAngle0F(course - along) < float(M_PI);
}

bool TFrameNavInfoWW::NextStructure(IWWSection *&section, double &position, bool forward,
                                    double &distance, TFrameNavInfoWWStruct *line) {
    if (!section) return false;
    double d = 0.0;
    IWWStruct *s = section->FindNextStruct(position, forward, d);
    distance += d;
    line->SetStructure(s, distance);
    if (!s) return false;
    section = s->GetSection();
    position = s->GetSectionPosition() + (forward ? 1.0 : -1.0);
    return true;
}

template <class TLine> TLine *TFrameNavInfoWW::LineFor(int slot) {
    TSlot &s = FSlots[size_t(slot - 1)];
    if (auto *line = dynamic_cast<TLine *>(s.Line)) return line;
    FreeLine(slot);
    auto *line = new TLine(s.Panel, Env);
    if constexpr (std::is_same_v<TLine, TFrameNavInfoWWStruct> ||
                  std::is_same_v<TLine, TFrameNavInfoWWMarina>)
        line->SetDetailsEvent(FDetails);
    s.Line = line;
    s.Height = line->DesignHeight();
    FChanged = true;
    return line;
}

void TFrameNavInfoWW::FreeLine(int slot) {
    TSlot &s = FSlots[size_t(slot - 1)];
    if (!s.Line) return;
    delete s.Line;
    s.Line = nullptr;
    s.Height = 0;
    s.Panel->setFixedHeight(0);
    s.Panel->hide();
    FChanged = true;
}

template <class TLine, class TSet> void TFrameNavInfoWW::Apply(TLine *line, TSet &&set) {
    const bool before = line->ShowsSomething();
    if (set(line)) FChanged = true;
    if (before != line->ShowsSomething()) FChanged = true;
}

bool TFrameNavInfoWW::FillObject(int slot, IWptRouteObject *o, const TRouteFill &fill,
                                 double ahead) {
    switch (o->GetKind()) {
    case WptRouteObjectKind::Structure: {
        IWptRouteStructPassage *passage = o->GetStructPassage();
        IWWStruct *s = passage ? passage->GetStruct() : nullptr;
        if (!passage || SkippedStructure(s)) return false;
        const double at = o->GetValues() ? o->GetValues()[3] : 0.0;
        Apply(LineFor<TFrameNavInfoWWStruct>(slot), [&](TFrameNavInfoWWStruct *l) {
            return l->SetPassage(passage, passage->GetPassageIndex(), at, fill.DateTime, ahead);
        });
        return true;
    }
    case WptRouteObjectKind::Turn:
        if (std::fabs(o->GetTurnAngle()) <= TurnThreshold) return false;
        Apply(LineFor<TFrameNavInfoWWDirection>(slot),
              [&](TFrameNavInfoWWDirection *l) { return l->SetDirection(o, ahead); });
        return true;
    case WptRouteObjectKind::RoutePoint:
        Apply(LineFor<TFrameNavInfoWWRoutePoint>(slot), [&](TFrameNavInfoWWRoutePoint *l) {
            return l->SetRoutePoint(o->GetPlanPoint(), fill.Route, ahead);
        });
        return true;
    case WptRouteObjectKind::SailingTimesStop: {
        IWptRouteLeg *leg = o->GetLeg();
        const int32_t p = o->GetPointIndex();
        IWptRouteTimePoint *first = leg && p >= 0 ? leg->GetTimePoint(p) : nullptr;
        IWptRouteTimePoint *second = leg && p >= 0 ? leg->GetTimePoint(p + 1) : nullptr;
        // A stop without both of its moments is no stop the plan can show.
        if (!first || !second) return false;
        Apply(LineFor<TFrameNavInfoWWRoutePoint>(slot), [&](TFrameNavInfoWWRoutePoint *l) {
            return l->SetStop(first, second, ahead, fill.Route);
        });
        return true;
    }
    case WptRouteObjectKind::Marina:
        Apply(LineFor<TFrameNavInfoWWMarina>(slot),
              [&](TFrameNavInfoWWMarina *l) { return l->SetMarina(o->GetWaypoint(), ahead); });
        return true;
    default:
        return false;
    }
}

void TFrameNavInfoWW::ShowRouteObjects(IWptRoute *route, IWptRouteObjectList *list,
                                       TDateTime dateTime, double shipDistance,
                                       int32_t firstIndex) {
    FChanged = false;
    SetListShown(true);
    FillFromRoute({route, list, dateTime, shipDistance, firstIndex});
    if (FChanged) UpdateLayout();
}

void TFrameNavInfoWW::FillFromRoute(const TRouteFill &fill) {
    int slot = SlotCount, shown = 0;
    int32_t i = fill.FirstIndex;
    for (IWptRouteObjectList *list = fill.List; list && slot >= 1 && shown < FCount;) {
        for (; slot >= 1 && shown < FCount && i >= 0 && i < list->GetCount(); ++i) {
            IWptRouteObject *o = list->GetItem(i);
            const double *values = o ? o->GetValues() : nullptr;
            if (!o || !values) continue;
            if (FillObject(slot, o, fill, values[0] - fill.ShipDistance)) {
                ++shown;
                --slot;
            }
        }
        IWptPlanPoint *end = list->GetEndPoint();
        list = end ? end->GetNextObjects() : nullptr;
        i = 0;
    }
    ClearFrom(slot);
}

void TFrameNavInfoWW::ClearFrom(int slot) {
    for (; slot >= 1; --slot) {
        TFrameNavInfoWWLine *line = FSlots[size_t(slot - 1)].Line;
        if (!line) continue;
        const bool before = line->ShowsSomething();
        bool changed = false;
        if (auto *s = dynamic_cast<TFrameNavInfoWWStruct *>(line))
            changed = s->SetPassage(nullptr, 0, 0.0, 0.0, 0.0);
        else if (auto *m = dynamic_cast<TFrameNavInfoWWMarina *>(line))
            changed = m->SetMarina(nullptr, 0.0);
        else if (auto *d = dynamic_cast<TFrameNavInfoWWDirection *>(line))
            changed = d->SetDirection(nullptr, 0.0);
        else if (auto *r = dynamic_cast<TFrameNavInfoWWRoutePoint *>(line))
            changed = r->SetRoutePoint(nullptr, nullptr, 0.0);
        if (changed || before != line->ShowsSomething()) FChanged = true;
    }
}

void TFrameNavInfoWW::UpdateLayout() {
    int height = HeaderHeight;
    ButtonWWInfoCollapse->setArrowType(FExpanded ? Qt::UpArrow : Qt::DownArrow);
    const bool list = FExpanded && FListShown;
    PanelBackground->setVisible(list);
    int sum = 0;
    if (list) {
        for (TSlot &s : FSlots) {
            if (!s.Line) continue;
            const int h = s.Line->ShowsSomething() ? s.Height : 0;
            s.Panel->setFixedHeight(h);
            s.Panel->setVisible(h > 0);
            sum += h;
        }
        PanelBackground->setFixedHeight(sum);
        height += sum;
    }
    const bool nothing = FExpanded && height == HeaderHeight;
    LabelRouteInformation->setVisible(nothing);
    if (nothing) height += NoNetworkRoom;
    int32_t error = 0;
    RegWriteBool(GetAppReg(), AppRegRoot::Product, RegKey, RegName(u"WWInfoVisible"), FExpanded,
                 error);
    if (FPanel->height() != height) FPanel->setFixedHeight(height);
    if (OnHeightChanged) OnHeightChanged(this);
}
