// The once-a-second figures of the route-navigation window and its drawing.
#include "chartview/FraNavRoute.h"

#include "base/controls/KvControls.h"
#include "base/graphics/KvImageList.h"
#include "base/graphics/KvNightScreen.h"
#include "base/strings/KvFormatSettings.h"
#include "base/strings/KvStrUtils.h"
#include "base/units/KvAngles.h"
#include "base/units/KvUnitsTime.h"
#include "base/waypoints/KvRouteNodes.h"
#include "base/waypoints/KvWaypoints.h"
#include "chartview/FraNavInfoRoute.h"
#include "chartview/FraNavInfoWWTexts.h"
#include "chartview/FraNavRouteObjects.h"
#include "chartview/FraNavRouteTexts.h"
#include "chartview/NavPlanningTime.h"
#include "chartview/NavXTEAlarm.h"
#include "chartview/NavXTEBar.h"
#include "objectinfo/KvWWNetwork.h"
#include "shell/MarivoColors.h"
#include "shell/MarivoDraw.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvNavBoat.h>
#include <KvLibNav6/KvPlanner.h>
#include <KvLibNav6/KvUnits.h>
#include <KvLibNav6/KvWaypoints.h>

#include <QDockWidget>
#include <QEvent>
#include <QListView>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <cmath>

namespace {

const QString Dashes = QStringLiteral("---");

int64_t SecondsAhead(TDateTime at, TDateTime now) { return int64_t(std::trunc((at - now) * 86400.0)); }

QColor Night(TColor c) { return TColorToColor(NightScreen()->ConvertColor(c)); }

IWWStruct *StructOf(IWptRouteObject *o) {
    IWptRouteStructPassage *p = o && o->GetKind() == WptRouteObjectKind::Structure ? o->GetStructPassage() : nullptr;
    return p ? p->GetStruct() : nullptr;
}

}  // namespace

QSize NavRouteFitPicture(QSize picture, QSize box) {
    if (picture.isEmpty()) return picture;
    double f = 1.0;
    if (picture.width() > box.width()) f = double(box.width()) / picture.width();
    if (picture.height() * f > box.height()) f = double(box.height()) / picture.height();
    return {int(std::lround(picture.width() * f)), int(std::lround(picture.height() * f))};
}

void TFrameNavRoute::UpdateValues() {
    if (FPanel && FPanel->isHidden()) return;
    INavRouteNavigation *n = Navigation();
    IWptRoutePoint *last = Route ? Route->GetLastPoint() : nullptr;
    IWptPlanPoint *plan = last ? last->GetPlanPoint() : nullptr;
    const bool planned = plan && plan->GetStatus() == WptPlanStatus::Planned && plan->GetArrival() &&
                         plan->GetArrival()->GetData();
    IWptRoutePoint *target = n ? n->GetTargetPoint() : nullptr;
    IWptPlanPoint *targetPlan = target ? target->GetPlanPoint() : nullptr;
    const TNavRouteData *nav = n ? n->GetNavData() : nullptr;
    QString destination = Dashes;
    if (last) {
        destination = WptRoutePointGetDisplayName(last);
        if (destination.isEmpty()) destination = QString::number(last->GetIndex() + 1);
    }
    LabelDestinationValue->setText(destination);
    ShowTotals(plan, planned, nav);
    ShowTimes(plan, planned);
    ShowLeg();
    ShowCrossTrack(targetPlan);
    ShowSection(nav);
    ShowNextObject(nav);
    QString previous = LanguageText(NavRouteWindowText::NoWaypoint);
    if (IWptRoutePoint *p = target ? target->GetPrevious() : nullptr) {
        previous = WptRoutePointGetDisplayName(p);
        if (previous.isEmpty()) previous = QString::number(p->GetIndex() + 1);
    }
    LabelPrevWaypoint->setText(previous + u' ');
    const QColor text = Route ? palette().color(QPalette::WindowText) : TColorToColor(NavPanelHeaderColor);
    for (QLabel *l : {LabelDestinationValue, LabelDestination, LabelTTGt, LabelTTGtValue, LabelDOG, LabelDOGValue})
        SetNavTextColour(l, text);
    for (const TNavValuePanel *v : {&PanelCTS, &PanelDTG, &PanelDTGTotal, &PanelETA, &PanelFuelTotal, &PanelVMG})
        LayoutNavValuePanel(*v);
    FDelegate->Current = nav ? nav->NextObject : nullptr;
    FDelegate->ShipDistance = nav ? nav->RouteDistance : 0.0;
    UpdateButtons();
    FList->viewport()->update();
    PaintBoxNextIcon->update();
    PaintBoxNextVHF->update();
    PaintBoxOperationNeeded->update();
}

void TFrameNavRoute::ShowTotals(IWptPlanPoint *plan, bool planned, const TNavRouteData *nav) {
    INavRouteNavigation *n = Navigation();
    float routeDistance = 0.0f;
    const bool dtg = n && n->GetRouteDistance(routeDistance) && planned;
    const TTimePointData *arrival = planned ? plan->GetArrival()->GetData() : nullptr;
    PanelDTGTotal.Panel->setEnabled(dtg);
    if (dtg) {
        QString value, unit;
        FormatDistanceA(UnitDistanceLarge, UnitDistanceSmall, value, unit, arrival->DistanceM - routeDistance);
        PanelDTGTotal.Value->setText(value);
        PanelDTGTotal.Unit->setText(unit);
        PanelDTGTotal.Footer->setText(nav ? NavStopsText(nav->BridgeStops, nav->LockStops) : Dashes);
    } else {
        PanelDTGTotal.Value->setText(Dashes);
        PanelDTGTotal.Footer->setText(Dashes);
        PanelDTGTotal.Unit->setText(UnitToStr(UnitDistanceSmall));
    }
    const bool fuel = n && planned;
    PanelFuelTotal.Panel->setEnabled(fuel);
    PanelFuelTotal.Unit->setText(UnitToStr(UnitVolume));
    const auto &fs = LocaleFormatSettings();
    PanelFuelTotal.Value->setText(
        fuel ? FloatToStrFixed(UnitConvert(arrival->ConsumptionM3, KvUnit::CubicMetre, UnitVolume), 6, 1, fs) : Dashes);
    // Without navigation data nothing says what was spent: no remaining cost either.
    PanelFuelTotal.Footer->setText(fuel && nav ? Env.Currency + u' ' +
                                                     FloatToStrFixed(arrival->Cost - nav->CostSpent, 6, 2, fs)
                                               : Dashes);
    QString dog = Dashes + UnitToStr(UnitDistanceSmall);
    if (n) {
        QString value, unit;
        FormatDistanceA(UnitDistanceLarge, UnitDistanceSmall, value, unit, n->GetRouteDistanceOverGround());
        dog = value + u' ' + unit + u' ';
    }
    LabelDOGValue->setText(dog);
}

void TFrameNavRoute::ShowTimes(IWptPlanPoint *plan, bool planned) {
    const TTimePointData *arrival = Route && planned ? plan->GetArrival()->GetData() : nullptr;
    PanelETA.Panel->setEnabled(arrival != nullptr);
    const TDateTime now = NavInfoNowUTC();
    if (arrival) {
        PanelETA.Value->setText(NavRouteClockText(arrival->TimeUTC));
        PanelETA.Footer->setText(
            FormatDateTime(QStringLiteral("ddddd"), 1, arrival->TimeUTC + NavInfoLocalNow() - now));
    } else {
        PanelETA.Value->setText(QStringLiteral("--:--"));
        PanelETA.Footer->setText(Dashes);
    }
    INavRouteNavigation *n = Navigation();
    LabelToRValue->setText(n ? NavTimeOnRouteText(std::abs(SecondsAhead(now, n->GetRouteStartTime()))) : Dashes);
    INavBoatState *state = Env.Boat ? Env.Boat->GetState() : nullptr;
    const float speed = state ? state->GetVAbsLength() : 0.0f;
    LabelTTGtValue->setText(arrival ? NavTimeToGoText(SecondsAhead(arrival->TimeUTC, now), speed) : Dashes);
}

void TFrameNavRoute::ShowLeg() {
    INavRouteNavigation *n = Navigation();
    float vmg = 0.0f, cts = 0.0f, dtg = 0.0f, ttg = 0.0f;
    const bool vmgValid = n && n->GetVMG(vmg);
    PanelVMG.Panel->setEnabled(vmgValid);
    PanelVMG.Value->setText(vmgValid ? FloatToStrFixed(UnitConvert(vmg, KvUnit::MetrePerSecond, UnitSpeed), 6, 1,
                                                       LocaleFormatSettings())
                                     : Dashes);
    PanelVMG.Unit->setText(UnitToStr(UnitSpeed));
    const bool ctsValid = n && n->GetCTS(cts);
    PanelCTS.Panel->setEnabled(ctsValid);
    QString text = Dashes;
    if (ctsValid) AngleToStr2(0, 3, 1, cts, text);
    PanelCTS.Value->setText(text);
    const bool dtgValid = n && n->GetDTG(dtg);
    PanelDTG.Panel->setEnabled(dtgValid);
    QString value = Dashes, unit = UnitToStr(UnitDistanceSmall);
    if (dtgValid) FormatDistanceA(UnitDistanceLarge, UnitDistanceSmall, value, unit, dtg);
    PanelDTG.Value->setText(value);
    PanelDTG.Unit->setText(unit);
    text = Dashes;
    if (n && n->GetTTG(ttg)) FormatDurationDHMS(text, ttg);
    LabelTTGValue->setText(text);
    text = QStringLiteral("CTS: ---\u00B0");
    if (n) {
        n->GetNetworkCTS(cts);
        AngleToStr2(0, 3, 1, cts, text);
        text = QStringLiteral("CTS: ") + text + QStringLiteral("\u00B0");
    }
    LabelNetworkCTS->setText(text);
}

void TFrameNavRoute::ShowCrossTrack(IWptPlanPoint *targetPlan) {
    // The navigation panel evaluates the same alarm: both must judge it from the same
    // figures, or one view would withdraw what the other raised.
    INavRouteNavigation *n = Env.GetActiveRoute() ? Env.GetRouteNavigation() : nullptr;
    const bool wasValid = FAlarm->Valid();
    float xte = 0.0f, rel = 0.0f, width = 0.0f;
    const bool valid = n && n->GetXTE(xte, rel, width) && !PlanningTimeApplies(Env);
    IWptRoutePoint *target = n ? n->GetTargetPoint() : nullptr;
    FAlarm->Evaluate(valid, rel, target ? target->GetXTELimit() : 0.0, targetPlan != nullptr);
    const QString small = UnitToStr(UnitDistanceSmall);
    if (valid) {
        QString value, unit;
        FormatDistanceA(UnitDistanceLarge, UnitDistanceSmall, value, unit, std::fabs(xte));
        LabelXTEValue->setText(value + u' ' + unit);
        LabelNetworkXTEValue->setText(value + u' ' + unit);
        FormatDistanceA(UnitDistanceSmall, UnitDistanceSmall, value, unit, width);
        LabelXTEWidthValue->setText(value + u' ' + unit);
        ButtonComboPathWidth->setText(QStringLiteral("width: ") + value + u' ' + unit);
    } else if (wasValid || LabelXTEValue->text().isEmpty()) {
        LabelXTEValue->setText(QStringLiteral("--- ") + small);
        LabelNetworkXTEValue->setText(QStringLiteral("--- ") + small);
        LabelXTEWidthValue->setText(QStringLiteral("--- ") + small + u' ');
        ButtonComboPathWidth->setText(QStringLiteral("width: --- ") + small + u' ');
    }
    PaintBoxXTE->update();
    PaintBoxNetworkXTE->update();
}

void TFrameNavRoute::ShowSection(const TNavRouteData *nav) {
    IWWSection *section = nav && nav->NetworkPosition ? nav->NetworkPosition->GetSection() : nullptr;
    LabelSectionCurrent->setText(section ? WWSectionGetName(section) : QString());
    const bool limit = nav && nav->SpeedLimit < 1e36f;
    LabelMaxSpeed->setVisible(limit);
    if (limit)
        LabelMaxSpeed->setText(QStringLiteral("Vmax: ") +
                               FloatToStrFixed(UnitConvert(nav->SpeedLimit, KvUnit::MetrePerSecond, UnitSpeed), 6, 0,
                                               LocaleFormatSettings()) +
                               u' ' + UnitToStr(UnitSpeed));
}

void TFrameNavRoute::ShowNextObject(const TNavRouteData *nav) {
    FNext = nullptr;
    if (Navigation() && nav) FNext = nav->NextIndication ? nav->NextIndication : nav->NextObject;
    LabelNextName->setText(NavRouteObjectCaption(FNext));
    const double *v = FNext ? FNext->GetValues() : nullptr;
    QString value = Dashes, unit = UnitToStr(UnitDistanceSmall);
    if (v) FormatDistanceA(UnitDistanceLarge, UnitDistanceSmall, value, unit, v[0] - (nav ? nav->RouteDistance : 0.0));
    LabelNextDTG->setText(value);
    LabelNextDTGUnit->setText(unit);
    if (v) {
        INavBoatState *state = Env.Boat ? Env.Boat->GetState() : nullptr;
        LabelTTGValueNetwork->setText(
            NavRouteNextTimeText(SecondsAhead(v[3], NavInfoNowUTC()), state ? state->GetVAbsLength() : 0.0f));
        LabelNextETA->setText(NavRouteClockText(v[3]));
        LabelNextETADate->setText(
            FormatDateTime(QStringLiteral("ddddd"), 1, v[3] + NavInfoLocalNow() - NavInfoNowUTC()));
    } else {
        LabelTTGValueNetwork->clear();
        LabelNextETA->setText(Dashes);
        LabelNextETADate->clear();
    }
    LabelIndicationProperties->setText(NavRouteIndicationText(FNext, UnitDistanceSmall));
    QString picture;
    if (IWWStruct *s = StructOf(FNext)) {
        QStringList images;
        WWStructGetImages(s, images);
        if (!images.isEmpty()) picture = images.first();
    }
    SetStructImage(picture);
}

bool TFrameNavRoute::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() != QEvent::Paint) return TFrameScaled::eventFilter(watched, event);
    auto *w = qobject_cast<QWidget *>(watched);
    if (!w) return false;
    QPainter p(w);
    INavRouteNavigation *n = Navigation();
    if (w == PaintBoxXTE) {
        PaintXTEBar(p, w->size(), XTEBarState(*FAlarm, n && n->GetTargetPoint()));
    } else if (w == PaintBoxNetworkXTE) {
        TXTEBarState s = XTEBarState(*FAlarm, n && n->GetTargetPoint());
        PaintNetworkXTEBar(p, w->size(), s);
    } else if (w == PaintBoxNextIcon) {
        PaintNextIcon(p);
    } else if (w == PaintBoxNextVHF) {
        PaintNextVHF(p);
    } else if (w == PaintBoxOperationNeeded) {
        PaintOperation(p);
    } else if (w == PaintBoxNextStructure) {
        PaintStructure(p);
    } else {
        return false;
    }
    return true;
}

void TFrameNavRoute::PaintNextIcon(QPainter &p) {
    if (!Navigation() || !FNext) return;
    const QImage symbol = ImageList->Image(RouteNodeGetIconIndex(FNext));
    if (!symbol.isNull())
        p.drawImage(QPoint((PaintBoxNextIcon->width() - symbol.width()) / 2,
                           (PaintBoxNextIcon->height() - symbol.height()) / 2),
                    symbol);
}

void TFrameNavRoute::PaintNextVHF(QPainter &p) {
    IWWStruct *s = Navigation() ? StructOf(FNext) : nullptr;
    const QString channel = s ? WWStructGetVHFChannel(s) : QString();
    if (channel.isEmpty()) return;
    const QImage badge = ImageListVHF->Image(0);
    const QRect r((PaintBoxNextVHF->width() - badge.width()) / 2, (PaintBoxNextVHF->height() - badge.height()) / 2,
                  badge.width(), badge.height());
    p.drawImage(r.topLeft(), badge);
    p.setFont(QFont(QStringLiteral("Arial")));
    const int size = std::min(FontSizeToFit(p, QStringLiteral("VHF"), 30), FontSizeToFit(p, channel, 30));
    QFont f = p.font();
    f.setPointSize(size);
    p.setFont(f);
    p.setPen(palette().color(QPalette::Window));
    const int th = p.fontMetrics().height();
    const QRect text(r.left(), r.top() + (r.height() - 2 * th) / 2, r.width(), 2 * th);
    p.drawText(text, Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("VHF\n") + channel);
}

void TFrameNavRoute::PaintOperation(QPainter &p) {
    IWptRouteStructPassage *passage =
        Navigation() && FNext && FNext->GetKind() == WptRouteObjectKind::Structure ? FNext->GetStructPassage() : nullptr;
    if (!passage) return;
    const TPassageOperation *op = passage->GetOperation();
    TColor fill = 0x008000;  // green: nothing to ask
    if (op && op->OperatingPeriod)
        fill = 0x0000FF;  // red: the structure must be operated
    else if (passage->NeedsUnsteppedMast())
        fill = 0x00FFFF;  // yellow: only with the mast down
    p.setPen(Night(0x000000));
    p.setBrush(Night(fill));
    p.drawRect(0, 0, PaintBoxOperationNeeded->width() - 5, PaintBoxOperationNeeded->height() - 5);
}

void TFrameNavRoute::PaintStructure(QPainter &p) {
    const QSize box = PaintBoxNextStructure->size();
    QImage canvas(box, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Night(0xF3EBEB));
    if (!FStructImage.isNull()) {
        const QSize fit = NavRouteFitPicture(FStructImage.size(), box);
        QImage picture = FStructImage.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        NightScreenConvertBitmap(NightScreen(), picture);
        QPainter c(&canvas);
        c.setRenderHint(QPainter::SmoothPixmapTransform);
        c.drawImage(QRect(QPoint(std::max(0, int(std::lround((box.width() - fit.width()) / 2.0))),
                                 std::max(0, int(std::lround((box.height() - fit.height()) / 2.0)))),
                          fit),
                    picture);
    }
    p.drawImage(0, 0, canvas);
}
