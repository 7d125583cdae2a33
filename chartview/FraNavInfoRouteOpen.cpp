#include "chartview/FraNavInfoRouteOpen.h"

#include "base/controls/KvControls.h"
#include "base/registry/KvRegistry.h"
#include "base/strings/KvFormatSettings.h"
#include "base/strings/KvStrUtils.h"
#include "base/units/KvAngles.h"
#include "base/units/KvUnitsTime.h"
#include "base/waypoints/KvRouteNodes.h"
#include "base/waypoints/KvWaypoints.h"
#include "chartview/FraNavInfoTexts.h"
#include "chartview/NavPlanningTime.h"
#include "chartview/NavXTEAlarm.h"
#include "chartview/NavXTEBar.h"
#include "shell/MarivoColors.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvPlanner.h>
#include <KvLibNav6/KvUnits.h>
#include <KvLibNav6/KvWaypoints.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

namespace {

const QString RegKey = QStringLiteral("Desktop\\FloatWindowNavRoute");
constexpr int ValuesHeight = 70, TTGHeight = 25, XTEHeight = 50;

QToolButton *StepButton(QWidget *parent, Qt::ArrowType arrow) {
    auto *b = new QToolButton(parent);
    b->setArrowType(arrow);
    b->setFixedSize(23, 19);
    return b;
}

}  // namespace

TFrameNavInfoRouteOpen::TFrameNavInfoRouteOpen(QWidget *panel, TMarivoNavEnv &env)
    : TFrameNavInfoRouteBase(panel, env), FAlarm(SharedXTEAlarm(env)) {
    QHBoxLayout *h = nullptr;
    PanelDetail2Header = MakeHeader(LabelDetail2, ButtonDetail2Collapse, h);
    ComboBoxRoutePoint = new QComboBox(PanelDetail2Header);
    ComboBoxRoutePoint->setFixedSize(1, 1);
    ButtonComboRoutePoint = new QToolButton(PanelDetail2Header);
    ButtonComboRoutePoint->setArrowType(Qt::DownArrow);
    ButtonComboRoutePoint->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    ButtonComboRoutePoint->setFixedHeight(19);
    ButtonComboRoutePoint->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    QFont f = ButtonComboRoutePoint->font();
    f.setPixelSize(9);
    f.setBold(true);
    ButtonComboRoutePoint->setFont(f);
    ButtonWPPrev = StepButton(PanelDetail2Header, Qt::LeftArrow);
    ButtonWPNext = StepButton(PanelDetail2Header, Qt::RightArrow);
    ButtonWPPrev->setEnabled(false);
    h->addWidget(ButtonComboRoutePoint, 1);
    h->addWidget(ComboBoxRoutePoint);
    h->addWidget(ButtonWPPrev);
    h->addWidget(ButtonWPNext);
    Contents->addWidget(PanelDetail2Header);

    PanelDetail2Open = new QWidget(PanelContents);
    PanelDetail2Open->setFixedHeight(ValuesHeight + TTGHeight + XTEHeight);
    auto *rows = new QVBoxLayout(PanelDetail2Open);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(0);
    TNavValuePanelShape shape;
    shape.WithFooter = false;
    TNavValuePanelShape top = shape;
    top.UnitAtTop = true;
    rows->addWidget(MakeNavValueRow(PanelDetail2Open, ValuesHeight,
                                    {{&PanelVMG, shape, QStringLiteral("VMG")},
                                     {&PanelDTG, shape, QStringLiteral("DTG")},
                                     {&PanelCTS, top, QStringLiteral("CTS")}}));
    PanelCTS.Unit->setText(QStringLiteral("\u00BA"));
    QWidget *ttg = MakeNavRow(PanelDetail2Open, TTGHeight, h);
    LabelTTG = MakeNavLabel(ttg, 12, false, QStringLiteral(" Time to go: "));
    LabelTTGValue = MakeNavLabel(ttg, 12, true, NavRouteText::Dashes);
    h->addWidget(LabelTTG);
    h->addWidget(LabelTTGValue);
    h->addStretch(1);
    rows->addWidget(ttg);
    auto *xte = new QWidget(PanelDetail2Open);
    xte->setFixedHeight(XTEHeight);
    auto *xteRows = new QVBoxLayout(xte);
    xteRows->setContentsMargins(5, 5, 5, 0);
    xteRows->setSpacing(0);
    PaintBoxXTE = new QWidget(xte);
    PaintBoxXTE->setFixedHeight(20);
    PaintBoxXTE->installEventFilter(this);
    xteRows->addWidget(PaintBoxXTE);
    QWidget *xteLabels = MakeNavRow(xte, 20, h);
    LabelXTEWidth = MakeNavLabel(xteLabels, 12, false, QStringLiteral("width: "));
    LabelXTEWidthValue = MakeNavLabel(xteLabels, 12, true);
    LabelXTE = MakeNavLabel(xteLabels, 12, false, QStringLiteral(" XTE: "));
    LabelXTEValue = MakeNavLabel(xteLabels, 12, true);
    h->addWidget(LabelXTEWidth);
    h->addWidget(LabelXTEWidthValue);
    h->addStretch(1);
    h->addWidget(LabelXTE);
    h->addWidget(LabelXTEValue);
    xteRows->addWidget(xteLabels);
    rows->addWidget(xte);
    Contents->addWidget(PanelDetail2Open);

    connect(FAlarm.get(), &TNavXTEAlarm::Changed, PaintBoxXTE, qOverload<>(&QWidget::update));
    connect(ButtonComboRoutePoint, &QToolButton::pressed, this, [this] {
        IWptRoute *active = Env.GetActiveRoute();
        if (active && !active->IsReadOnly()) ComboBoxRoutePoint->showPopup();
    });
    connect(ComboBoxRoutePoint, &QComboBox::activated, this, [this](int index) {
        auto *point = static_cast<IWptRoutePoint *>(ComboBoxRoutePoint->itemData(index).value<void *>());
        if (Following() && point) Env.SetActiveRoutePoint(point);
    });
    connect(ButtonWPPrev, &QToolButton::clicked, this, [this] { StepPoint(false); });
    connect(ButtonWPNext, &QToolButton::clicked, this, [this] { StepPoint(true); });
    connect(ButtonDetail2Collapse, &QToolButton::clicked, this, [this] { SetDetailVisible(!Detail2Visible); });

    Detail2Visible = RegReadBoolDef(GetAppReg(), AppRegRoot::Product, RegKey, RegName(u"Detail2Visible"), true);
    ScaleToScreen();
    LabelDetail2->setText(LanguageText(NavInfoText::NextRoutePoint));
    UpdateLayout();
    ApplyUnitSettings();
    ApplyColors();
    FillRoutePointList();
    UpdateHeader();
    Subscribe();
}

void TFrameNavInfoRouteOpen::UpdateTexts() { LabelDetail2->setText(LanguageText(NavInfoText::NextRoutePoint)); }

void TFrameNavInfoRouteOpen::SetDetailVisible(bool visible) {
    Detail2Visible = visible;
    UpdateLayout();
}

void TFrameNavInfoRouteOpen::StepPoint(bool next) {
    INavRouteNavigation *navigation = Following() ? Env.GetRouteNavigation() : nullptr;
    IWptRoutePoint *target = navigation ? navigation->GetTargetPoint() : nullptr;
    IWptRoutePoint *to = target ? (next ? target->GetNext() : target->GetPrevious()) : nullptr;
    if (to) Env.SetActiveRoutePoint(to);
}

IWptRoute *TFrameNavInfoRouteOpen::ExploredRoute() const {
    if (!Env.RouteExploreMode) return nullptr;
    if (Env.EditedRoute) return Env.EditedRoute;
    if (Env.SelectedRoute) return Env.SelectedRoute;
    return Env.GetActiveRoute();
}

TFrameNavInfoRouteOpen::TTarget TFrameNavInfoRouteOpen::FromSchedule(IWptRoute *route) {
    TTarget t;
    t.Schedule = route;
    t.Q = FillAtPlanningTime(route);
    if (!t.Q) return t;
    t.P = t.Q->Objects ? t.Q->Objects->GetEndPoint() : nullptr;
    IWptRoutePoint *point = t.P ? route->GetPoint(t.P->GetIndex()) : nullptr;
    if (point) NextPointText = NavRouteText::PointText(point);
    return t;
}

TFrameNavInfoRouteOpen::TTarget TFrameNavInfoRouteOpen::Target(IWptRoute *route) {
    if (route && route->GetPointCount() > 0 && Env.PredictedTime && Env.PredictedTime->GetTimeOffset() > 0)
        return FromSchedule(route);
    INavRouteNavigation *navigation = Following() ? Env.GetRouteNavigation() : nullptr;
    if (!navigation) return {};
    if (PlanningTimeApplies(Env)) return FromSchedule(Env.GetActiveRoute());
    TTarget t;
    t.Q = navigation->GetNavData();
    IWptRoutePoint *target = navigation->GetTargetPoint();
    t.P = target ? target->GetPlanPoint() : nullptr;
    return t;
}

void TFrameNavInfoRouteOpen::UpdateValues() {
    if (Env.NetworkReloadPending) return;
    NextPointText.clear();
    const TTarget t = Target(ExploredRoute());
    ShowLegValues(t);
    ShowCrossTrack(t);
    LayoutNavValuePanel(PanelCTS);
    LayoutNavValuePanel(PanelDTG);
    LayoutNavValuePanel(PanelVMG);
    UpdateLayout();
    UpdateHeader();
}

void TFrameNavInfoRouteOpen::ShowLegValues(const TTarget &t) {
    const bool planning = PlanningTimeApplies(Env);
    INavRouteNavigation *navigation = Following() ? Env.GetRouteNavigation() : nullptr;
    float vmg = 0.0f, cts = 0.0f;
    bool vmgValid = false, ctsValid = false;
    if (t.Q && planning) {
        TMotion motion;
        IWptRouteSchedule *schedule = t.Schedule ? t.Schedule->GetSchedule() : nullptr;
        vmgValid = schedule && schedule->FillMotionData(motion, 0, 0, nullptr, 0, Env.PredictedTime->GetTime(), 1);
        vmg = motion.SpeedMS;
        ctsValid = true;
        cts = t.Q->CourseToSteer;
    } else if (navigation) {
        vmgValid = navigation->GetVMG(vmg);
        ctsValid = navigation->GetCTS(cts);
    }
    PanelVMG.Panel->setEnabled(vmgValid);
    PanelVMG.Value->setText(vmgValid ? FloatToStrFixed(UnitConvert(vmg, KvUnit::MetrePerSecond, UnitSpeed), 6, 1,
                                                       LocaleFormatSettings())
                                     : NavRouteText::Dashes);
    PanelVMG.Unit->setText(UnitToStr(UnitSpeed));
    PanelCTS.Panel->setEnabled(ctsValid);
    QString text = NavRouteText::Dashes;
    if (ctsValid) AngleToStr2(0, 3, 1, cts, text);
    PanelCTS.Value->setText(text);

    const TTimePointData *arrival = t.P && t.P->GetArrival() ? t.P->GetArrival()->GetData() : nullptr;
    const bool dtgEnabled = arrival && t.Q;
    PanelDTG.Panel->setEnabled(dtgEnabled);
    if (dtgEnabled) {
        float d = 0.0f;
        bool have = false;
        if (planning) {
            d = float(arrival->DistanceM - t.Q->RouteDistance);
            have = true;
        } else if (navigation) {
            have = navigation->GetDTG(d);
        }
        QString value, unit;
        if (have) FormatDistanceA(UnitDistanceLarge, UnitDistanceSmall, value, unit, d);
        PanelDTG.Value->setText(value);
        PanelDTG.Unit->setText(unit);
    } else {
        PanelDTG.Value->setText(NavRouteText::Dashes);
        PanelDTG.Unit->setText(UnitToStr(UnitDistanceSmall));
    }
    QString ttg = NavRouteText::Dashes;
    float seconds = 0.0f;
    if (t.Q && planning && arrival)
        ttg = NavRouteText::Duration(int64_t(std::trunc(std::fabs(arrival->TimeUTC - t.Q->DateTimeUTC) * 86400.0)),
                                     KvDuration::Hours | KvDuration::Minutes | KvDuration::Seconds);
    else if (navigation && navigation->GetTTG(seconds))
        FormatDurationDHMS(ttg, seconds);
    LabelTTGValue->setText(ttg);
}

void TFrameNavInfoRouteOpen::ShowCrossTrack(const TTarget &t) {
    const bool wasValid = FAlarm->Valid();
    INavRouteNavigation *navigation = Following() ? Env.GetRouteNavigation() : nullptr;
    float xte = 0.0f, rel = 0.0f, width = 0.0f;
    const bool valid = navigation && navigation->GetXTE(xte, rel, width) && !PlanningTimeApplies(Env);
    IWptRoutePoint *target = navigation ? navigation->GetTargetPoint() : nullptr;
    FAlarm->Evaluate(valid, rel, target ? target->GetXTELimit() : 0.0, t.P != nullptr);
    if (valid) {
        QString value, unit;
        FormatDistanceA(UnitDistanceLarge, UnitDistanceSmall, value, unit, std::fabs(xte));
        LabelXTEValue->setText(value + u' ' + unit);
        FormatDistanceA(UnitDistanceSmall, UnitDistanceSmall, value, unit, width);
        LabelXTEWidthValue->setText(value + u' ' + unit);
    } else if (wasValid || LabelXTEValue->text().isEmpty()) {
        const QString unit = UnitToStr(UnitDistanceSmall);
        LabelXTEValue->setText(QStringLiteral("--- ") + unit);
        LabelXTEWidthValue->setText(QStringLiteral("--- ") + unit + u' ');
    }
    PaintBoxXTE->update();
}

void TFrameNavInfoRouteOpen::UpdateHeader() {
    IWptRoute *active = Env.GetActiveRoute();
    const bool open = active && !PlanningTimeApplies(Env) &&
                      (!Env.SelectedRoute || active == Env.SelectedRoute || active == Env.EditedRoute) &&
                      !active->IsReadOnly();
    ButtonComboRoutePoint->setEnabled(open);
    const QColor text = QApplication::palette().color(QPalette::WindowText);
    SetNavTextColour(LabelDetail2, active ? text : TColorToColor(NavPanelLineColor));
    for (QLabel *l : {LabelTTG, LabelTTGValue, LabelXTE, LabelXTEValue, LabelXTEWidth, LabelXTEWidthValue})
        SetNavTextColour(l, active ? text : TColorToColor(NavPanelHeaderColor));
    INavRouteNavigation *navigation = Env.GetRouteNavigation();
    IWptRoutePoint *target = open && navigation ? navigation->GetTargetPoint() : nullptr;
    if (open && target) {
        const int i = target->GetIndex();
        if (ComboBoxRoutePoint->view() && !ComboBoxRoutePoint->view()->isVisible()) ComboBoxRoutePoint->setCurrentIndex(i);
        ButtonComboRoutePoint->setText(ComboBoxRoutePoint->itemText(i));
        ButtonWPNext->setEnabled(i < active->GetPointCount() - 1);
        ButtonWPPrev->setEnabled(i > 0);
    } else {
        ButtonWPNext->setEnabled(false);
        ButtonWPPrev->setEnabled(false);
        ButtonComboRoutePoint->setText(NextPointText);
    }
}

void TFrameNavInfoRouteOpen::FillRoutePointList() {
    ComboBoxRoutePoint->blockSignals(true);
    ComboBoxRoutePoint->clear();
    INavRouteNavigation *navigation = Following() ? Env.GetRouteNavigation() : nullptr;
    IWptRoute *active = Env.GetActiveRoute();
    if (navigation && active) {
        for (int32_t i = 0; i < active->GetPointCount(); ++i) {
            IWptRoutePoint *p = active->GetPoint(i);
            ComboBoxRoutePoint->addItem(NavRouteText::PointText(p), QVariant::fromValue<void *>(p));
        }
        IWptRoutePoint *target = navigation->GetTargetPoint();
        ComboBoxRoutePoint->setCurrentIndex(target ? target->GetIndex() : -1);
    } else {
        ComboBoxRoutePoint->setCurrentIndex(-1);
    }
    ComboBoxRoutePoint->blockSignals(false);
}

void TFrameNavInfoRouteOpen::UpdateLayout() {
    if (Env.NetworkReloadPending) return;
    IWptRoute *route = ExploredRoute();
    bool open = false;
    // A route with points in every branch: the schedule of no route is never asked.
    if (route && route->GetPointCount() > 0 && Env.PredictedTime &&
        (Env.PredictedTime->GetMode() == NavPredictedTimeMode::RouteExplore || Env.PredictedTime->GetTimeOffset() > 0)) {
        const TNavRouteData *q = FillAtPlanningTime(route);
        open = q && q->Objects && q->Objects->IsOpenLeg();
    } else if (INavRouteNavigation *navigation = Following() ? Env.GetRouteNavigation() : nullptr) {
        if (PlanningTimeApplies(Env)) {
            const TNavRouteData *q = FillAtPlanningTime(Env.GetActiveRoute());
            open = q && q->Objects && q->Objects->IsOpenLeg();
        } else {
            open = navigation->IsOpenLeg();
        }
    }
    ButtonDetail2Collapse->setEnabled(open);
    int height = HeaderHeight;
    if (open)
        height += ApplySection(PanelDetail2Open, ButtonDetail2Collapse, Detail2Visible);
    else {
        ButtonDetail2Collapse->setArrowType(Detail2Visible ? Qt::UpArrow : Qt::DownArrow);
        PanelDetail2Open->hide();
    }
    int32_t error = 0;
    RegWriteBool(GetAppReg(), AppRegRoot::Product, RegKey, RegName(u"Detail2Visible"), Detail2Visible, error);
    SetBlockHeight(height);
}

void TFrameNavInfoRouteOpen::HandleNotification(TNavNotification &n) {
    switch (n.Code) {
    case NavNotify::RoutePointRefresh: {
        auto *point = reinterpret_cast<IWptRoutePoint *>(n.P1);
        IWptRoute *route = point ? point->GetRoute() : nullptr;
        if (route && route == Env.SelectedRoute)
            FillRoutePointList();
        else if (route && route->GetPointCount() == 1)
            UpdateValues();
        break;
    }
    case NavNotify::RouteObjectChanged:
        FillRoutePointList();
        break;
    case NavNotify::RouteCalcEnd:
        UpdateValues();
        UpdateLayout();
        break;
    case NavNotify::RouteTargetChanged:
        UpdateLayout();
        UpdateHeader();
        UpdateValues();
        break;
    case NavNotify::RouteFollowStarted:
        FillRoutePointList();
        UpdateHeader();
        UpdateLayout();
        UpdateValues();
        break;
    case NavNotify::RouteFollowStopped:
        UpdateHeader();
        UpdateLayout();
        FillRoutePointList();
        UpdateValues();
        break;
    case NavNotify::UserNotificationReport:
        FAlarm->HandleReport(n);
        break;
    case NavNotify::RouteDeleted:
        UpdateValues();
        break;
    case NavNotify::RoutePointsDeleted: {
        auto *route = reinterpret_cast<IWptRoute *>(n.P2);
        if (route && route == Env.SelectedRoute)
            FillRoutePointList();
        else if (route && route->GetPointCount() == 0)
            UpdateValues();
        break;
    }
    default:
        break;
    }
}

bool TFrameNavInfoRouteOpen::eventFilter(QObject *watched, QEvent *event) {
    if (watched == PaintBoxXTE && event->type() == QEvent::Paint) {
        QPainter p(PaintBoxXTE);
        INavRouteNavigation *navigation = Following() ? Env.GetRouteNavigation() : nullptr;
        PaintXTEBar(p, PaintBoxXTE->size(), XTEBarState(*FAlarm, navigation && navigation->GetTargetPoint()));
        return true;
    }
    return TFrameNavInfoRouteBase::eventFilter(watched, event);
}
