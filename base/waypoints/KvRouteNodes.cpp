#include "base/waypoints/KvRouteNodes.h"

#include "base/units/KvUnitsTime.h"

#include <KvLibNav6/KvUnits.h>
#include <KvLibNav6/KvWWNetwork.h>

#include <QStringList>
#include <cmath>

std::unique_ptr<TRouteNode> NewRteNodeData(IWptRoute *route, IWptRoutePoint *point,
                                           IWptRouteTimePoint *pointInfo,
                                           IWptRouteTimePoint *departure, int32_t value5,
                                           double value6, int32_t value7, int32_t value8,
                                           NavObject *ref9, NavObject *ref10, NavObject *ref11) {
    auto n = std::make_unique<TRouteNode>();
    n->Route = route;
    n->Point = point;
    n->PointInfo = pointInfo;
    n->Departure = departure;
    n->Value5 = value5;
    n->Value6 = value6;
    n->Value7 = value7;
    n->Value8 = value8;
    n->Ref9 = ref9;
    n->Ref10 = ref10;
    n->Ref11 = ref11;
    return n;
}

namespace {

const TTimePointData *PointData(IWptRouteTimePoint *tp) {
    return tp ? tp->GetData() : nullptr;
}

}  // namespace

bool RteNodeGetDistance(const TRouteNode *node, double &value) {
    const TTimePointData *d = node ? PointData(node->PointInfo) : nullptr;
    if (!d) return false;
    value = d->DistanceM;
    return true;
}

bool RteNodeGetConsumption(const TRouteNode *node, double &value) {
    const TTimePointData *d = node ? PointData(node->PointInfo) : nullptr;
    if (!d) return false;
    value = d->ConsumptionM3;
    return true;
}

bool RteNodeGetArrivalTime(const TRouteNode *node, double &value) {
    const TTimePointData *d = node ? PointData(node->PointInfo) : nullptr;
    if (!d) return false;
    value = d->TimeUTC;
    return true;
}

bool RteNodeGetDepartureTime(const TRouteNode *node, double &value) {
    const TTimePointData *d = node ? PointData(node->Departure) : nullptr;
    if (!d) return false;
    value = d->TimeUTC;
    return true;
}

void FormatMetresInUnit(int32_t unit, int32_t decimals, bool withUnit, QString &text,
                        double metres, const TFormatSettings &fs) {
    // A code that is no known length would label metres with a foreign unit ("12 kn").
    QString unitText = UnitToStr(unit);
    if (KvUnit::Quantity(unit) != KvUnit::QuantityLength || unitText.isEmpty()) {
        unit = KvUnit::Metre;
        unitText = UnitToStr(unit);
    }
    text = FloatToStrFixed(UnitConvert(metres, KvUnit::Metre, unit), 7, decimals, fs);
    if (!withUnit) return;
    // Some unit texts carry their own leading blank (" t"): never two blanks.
    text += unitText.startsWith(QLatin1Char(' ')) ? unitText : QLatin1Char(' ') + unitText;
}

void FormatDurationDHMS(QString &out, float seconds) {
    if (!std::isfinite(seconds) || seconds < 0.0f) seconds = 0.0f;
    const int64_t total = int64_t(seconds);
    const int64_t days = total / 86400, hours = total % 86400 / 3600, minutes = total % 3600 / 60,
                  secs = total % 60;
    QStringList parts;
    // Parts after the first shown are two digits wide, as a clock shows them.
    auto add = [&parts](int64_t v, char suffix) {
        if (v == 0) return;
        const bool lead = parts.isEmpty();
        parts << QStringLiteral("%1%2").arg(v, lead ? 1 : 2, 10, QLatin1Char('0')).arg(QLatin1Char(suffix));
    };
    add(days, 'd');
    if (days > 0) {
        // Days and hours: hours stay one digit after the day part.
        if (hours) parts << QStringLiteral("%1h").arg(hours);
    } else {
        add(hours, 'h');
    }
    add(minutes, 'm');
    if (total < 86400) add(secs, 's');
    out = parts.isEmpty() ? QStringLiteral("0s") : parts.join(QLatin1Char(' '));
}

int32_t RouteNodeGetIconIndex(IWptRouteObject *element) {
    if (!element) return -1;
    switch (element->GetKind()) {
    case WptRouteObjectKind::Turn: {
        // The angle arrives as a Single: compare with the bounds rounded the same way, so
        // that an angle of exactly 5π/8 lands on its bound and not just beyond it.
        const float a = element->GetTurnAngle();
        auto b = [](int k) { return float(k * M_PI / 8); };
        // A bound shared by two sectors belongs to the one listed first.
        if (a >= b(-7) && a <= b(-5)) return 6;
        if (a >= b(-5) && a <= b(-3)) return 7;
        if (a >= b(-3) && a <= b(-1)) return 8;
        if (a >= b(-1) && a <= b(1)) return 1;
        if (a >= b(1) && a <= b(3)) return 2;
        if (a >= b(3) && a <= b(5)) return 3;
        if (a >= b(5) && a <= b(7)) return 4;
        return 5;
    }
    case WptRouteObjectKind::RoutePoint:
        return 18;
    case WptRouteObjectKind::Structure: {
        IWptRouteStructPassage *passage = element->GetStructPassage();
        IWWStruct *s = passage ? passage->GetStruct() : nullptr;
        if (!s) return -1;
        switch (s->GetKind()) {
        case 0:
            return 9;
        case 1: {
            auto *bridge = dynamic_cast<IWWBridgePassage *>(s->GetItem(passage->GetPassageIndex()));
            return bridge && bridge->GetBridgeType() == 14 ? 10 : 11;
        }
        case 2:
            switch (s->GetOtherType()) {
            case 1:
                return 16;
            case 2:
                return 17;
            case 5:
                return 14;
            case 8:
                return 12;
            default:
                return 13;
            }
        case 3:
            return 15;
        default:
            return -1;
        }
    }
    case WptRouteObjectKind::Obstacle:
        return element->IsObstacleVariant() != 0 ? 20 : 19;
    case WptRouteObjectKind::NoticeInterval:
        return 21;
    case WptRouteObjectKind::Marina:
        return 22;
    default:
        return -1;
    }
}

bool RouteCheckAllPoints(IWptRoute *route) {
    if (!route) return false;
    for (int32_t i = 0; i < route->GetPointCount(); ++i) {
        IWptRoutePoint *p = route->GetPoint(i);
        IWptPlanPoint *plan = p ? p->GetPlanPoint() : nullptr;
        if (!plan || plan->GetStatus() != WptPlanStatus::Planned) return false;
    }
    return true;
}
