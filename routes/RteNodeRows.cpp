#include "routes/RteNodeRows.h"

#include "base/waypoints/KvRouteNodes.h"

#include <KvLibNav6/KvNavBoat.h>
#include <KvLibNav6/KvPlanner.h>
#include <KvLibNav6/KvWWNetwork.h>
#include <KvLibNav6/KvWaypoints.h>

namespace {

std::optional<TRteTime> TimeOf(IWptRouteTimePoint *tp) {
    if (!tp) return std::nullopt;
    TRteTime t;
    if (const TTimePointData *d = tp->GetData()) {
        t.DistanceM = d->DistanceM;
        t.Consumption = d->ConsumptionM3;
        t.TimeUTC = d->TimeUTC;
    }
    if (const TGeoPoint *p = tp->GetPosition()) {
        t.HasPosition = true;
        t.Position = *p;
    }
    return t;
}

int32_t LegKindOf(IWptRouteTimePoint *tp) {
    const TLegInfo *info = tp ? tp->GetLegInfo() : nullptr;
    return info ? info->LegKind : RteLegKindUnknown;
}

IWptRouteTimePoint *TimePoint(IWptRouteObject *o, int32_t i) {
    IWptRouteLeg *leg = o->GetLeg();
    return leg && i >= 0 ? leg->GetTimePoint(i) : nullptr;
}

IWWFairwayPart *FairwayPartOf(IWptRouteObject *o) {
    IWptRouteLeg *leg = o->GetLeg();
    IWWSection *s = leg ? leg->GetSection() : nullptr;
    return s ? s->GetFairwayPart() : nullptr;
}

void SetTimes(TRteNodeData &row, IWptRouteTimePoint *arrival, IWptRouteTimePoint *departure) {
    row.Arrival = TimeOf(arrival);
    row.Departure = departure ? TimeOf(departure) : row.Arrival;
}

TRteNodeData PointRow(IWptRoutePoint *p, IWptPlanPoint *plan) {
    TRteNodeData row;
    row.Kind = RteNodeKind::RoutePoint;
    row.Point = p;
    row.PointIndex = p ? p->GetIndex() : -1;
    row.Direct = p && p->IsDirect();
    if (plan) {
        IWptRouteTimePoint *arrival = plan->GetArrival();
        SetTimes(row, arrival, plan->GetDeparture());
        row.State = plan->GetStatus();
        row.LegKind = LegKindOf(arrival);
        if (IWptRouteObjectList *list = plan->GetObjects()) row.Course = list->GetCourse();
    }
    return row;
}

class TRowBuilder {
public:
    TRowBuilder(const TRteBuildContext &c, std::vector<TRteNodeData> &rows) : C(c), Rows(rows) {}

    void AddPoint(int32_t i) {
        IWptRoutePoint *p = C.Route->GetPoint(i);
        if (!p) return;
        IWptPlanPoint *plan = p->GetPlanPoint();
        IWptRouteObjectList *list = plan && !p->IsDirect() ? plan->GetObjects() : nullptr;
        if (!list || list->GetCount() == 0) {
            Rows.push_back(PointRow(p, plan));
            return;
        }
        int32_t r = -1;
        for (int32_t k = 0; k < list->GetCount(); ++k) {
            IWptRouteObject *o = list->GetItem(k);
            if (!o) continue;
            const int32_t reason = o->GetBlockReason();
            if ((reason > 6 && reason != r) || (r > 6 && reason == 0)) r = reason;
            AddObject(p, o, r, i, k);
        }
    }

private:
    TRteNodeData ObjectRow(IWptRouteObject *o, int32_t kind, int32_t planIndex, int32_t k) {
        TRteNodeData row;
        row.Kind = kind;
        row.HasItem = true;
        row.ItemKind = o->GetKind();
        row.BlockReason = o->GetBlockReason();
        row.Icon = RouteNodeGetIconIndex(o);
        row.PlanIndex = planIndex;
        row.ObjectIndex = k;
        row.NoticeId = o->GetIntervalId();
        row.Waypoint = o->GetWaypoint();
        row.SectionPosition = o->GetPosition();
        if (IWptRouteLeg *leg = o->GetLeg()) row.Section = leg->GetSection();
        return row;
    }

    void Single(IWptRouteObject *o, TRteNodeData row, IWptRouteTimePoint *tp, bool legKind) {
        SetTimes(row, tp, nullptr);
        if (legKind) row.LegKind = LegKindOf(tp);
        Rows.push_back(row);
    }

    void AddObject(IWptRoutePoint *p, IWptRouteObject *o, int32_t r, int32_t planIndex, int32_t k) {
        const int32_t at = o->GetPointIndex();
        switch (o->GetKind()) {
        case WptRouteObjectKind::Structure: {
            TRteNodeData row = ObjectRow(o, RteNodeKind::Structure, planIndex, k);
            row.State = 0;
            StructFacts(o, row);
            Single(o, row, TimePoint(o, at), true);
            break;
        }
        case WptRouteObjectKind::RoutePoint: {
            IWptPlanPoint *plan = o->GetPlanPoint();
            IWptRoutePoint *point = plan ? C.Route->GetPoint(plan->GetIndex()) : nullptr;
            TRteNodeData row = PointRow(point, plan);
            row.Course.reset();
            Keep(o, row, planIndex, k);
            Rows.push_back(row);
            break;
        }
        case WptRouteObjectKind::SailingTimesStop: {
            TRteNodeData first = ObjectRow(o, RteNodeKind::SailingStop, planIndex, k);
            TRteNodeData second = first;
            SetTimes(first, TimePoint(o, at), TimePoint(o, at + 1));
            first.LegKind = LegKindOf(TimePoint(o, at));
            Rows.push_back(first);
            Single(o, second, TimePoint(o, at + 1), true);
            break;
        }
        case WptRouteObjectKind::Obstacle: {
            TRteNodeData row = ObjectRow(o, RteNodeKind::Obstacle, planIndex, k);
            row.FairwayPart = FairwayPartOf(o);
            Single(o, row, TimePoint(o, at), true);
            break;
        }
        case WptRouteObjectKind::NoticeInterval:
        case WptRouteObjectKind::Marina: {
            const bool notice = o->GetKind() == WptRouteObjectKind::NoticeInterval;
            TRteNodeData row =
                ObjectRow(o, notice ? RteNodeKind::Notice : RteNodeKind::Marina, planIndex, k);
            row.State = 0;
            Single(o, row, at >= 0 ? TimePoint(o, at) : nullptr, false);
            break;
        }
        case WptRouteObjectKind::Turn: {
            TRteNodeData row = ObjectRow(o, RteNodeKind::Turn, planIndex, k);
            row.FairwayPart = FairwayPartOf(o);
            row.Reason = o->GetBlockReason() == WptBlockReason::NoneOfItsOwn ? r : -1;
            IWptRouteTimePoint *tp = TimePoint(o, 0);
            SetTimes(row, tp, nullptr);
            if (tp) {
                row.State = 0;
                row.LegKind = LegKindOf(tp);
            } else {
                IWptRoutePoint *next = p->GetNext();
                IWptPlanPoint *plan = next ? next->GetPlanPoint() : nullptr;
                row.State = plan ? plan->GetStatus() : -1;
            }
            Rows.push_back(row);
            break;
        }
        default:
            break;
        }
    }

    // A route point met on the way keeps its place in the plan for the heading-for test.
    static void Keep(IWptRouteObject *o, TRteNodeData &row, int32_t planIndex, int32_t k) {
        row.HasItem = true;
        row.ItemKind = o->GetKind();
        row.BlockReason = o->GetBlockReason();
        row.PlanIndex = planIndex;
        row.ObjectIndex = k;
        row.Icon = RouteNodeGetIconIndex(o);
    }

    void StructFacts(IWptRouteObject *o, TRteNodeData &row) {
        IWptRouteStructPassage *passage = o->GetStructPassage();
        row.Struct = passage ? passage->GetStruct() : nullptr;
        if (row.Struct) {
            row.StructKind = row.Struct->GetKind();
            row.StructOtherType = row.Struct->GetOtherType();
        }
        if (!passage) return;
        if (C.Followed) {
            const TPassageOperation *op = passage->GetOperation();
            row.NeedsOperation = op && op->OperatingPeriod;
        } else {
            row.NeedsOperation =
                passage->NeedsOperation(C.BoatDef, C.Route->GetMastMode() != 1, C.NAPWaterLevel);
        }
    }

    const TRteBuildContext &C;
    std::vector<TRteNodeData> &Rows;
};

}  // namespace

uint16_t RteFilterMask(int32_t filter) {
    switch (filter) {
    case RteFilter::BridgesAndLocks: return 0x0059;
    case RteFilter::BridgesToOperate: return 0x0051;
    case RteFilter::RoutePointsOnly: return 0x0001;
    case RteFilter::ObstaclesOnly: return 0x0041;
    default: return 0x01FF;
    }
}

std::vector<TRteNodeData> RteBuildRows(const TRteBuildContext &context) {
    std::vector<TRteNodeData> rows;
    if (!context.Route) return rows;
    TRowBuilder builder(context, rows);
    for (int32_t i = 0; i < context.Route->GetPointCount(); ++i) builder.AddPoint(i);
    RteApplyMask(rows, context.Mask);
    return rows;
}

IWptRoutePoint *RteLivePoint(const TRteNodeData &row, IWptRoute *route) {
    if (!row.Point || !route || row.PointIndex < 0 || row.PointIndex >= route->GetPointCount()) return nullptr;
    return route->GetPoint(row.PointIndex) == row.Point ? row.Point : nullptr;
}

bool RteRowVisible(const TRteNodeData &row, uint16_t mask) {
    const bool blocks = row.Blocks();
    switch (row.Kind) {
    case RteNodeKind::RoutePoint: return mask & 0x001;
    case RteNodeKind::Turn: return (mask & 0x002) || ((mask & 0x040) && blocks);
    case RteNodeKind::SailingStop: return mask & 0x020;
    case RteNodeKind::Obstacle: return mask & 0x040;
    case RteNodeKind::Notice: return mask & 0x080;
    case RteNodeKind::Marina: return mask & 0x100;
    case RteNodeKind::Structure:
        return (mask & 0x004) || ((mask & 0x010) && row.NeedsOperation) ||
               ((mask & 0x008) && (row.StructKind == 1 || row.StructKind == 3)) ||
               ((mask & 0x040) && blocks);
    default: return false;
    }
}

void RteApplyMask(std::vector<TRteNodeData> &rows, uint16_t mask) {
    for (TRteNodeData &row : rows) row.Visible = RteRowVisible(row, mask);
}

TRteCurrent RteCurrentOf(const TNavRouteData *nav, IWptRoutePoint *target) {
    TRteCurrent c;
    c.Target = target;
    if (!nav || !nav->Objects || nav->FirstObjectAhead < 0) return c;
    IWptPlanPoint *end = nav->Objects->GetEndPoint();
    if (!end) return c;
    c.PlanIndex = end->GetIndex();
    c.ObjectIndex = nav->FirstObjectAhead;
    return c;
}

bool RteIsCurrentObject(const TRteNodeData &row, const TRteCurrent &current) {
    return row.HasItem && current.PlanIndex >= 0 && row.PlanIndex == current.PlanIndex &&
           row.ObjectIndex == current.ObjectIndex;
}

int RteHeadingForRow(const std::vector<TRteNodeData> &rows, const TRteCurrent &current) {
    for (size_t i = 0; i < rows.size(); ++i) {
        const TRteNodeData &row = rows[i];
        if (!row.HasItem) {
            if (row.Point && row.Point == current.Target) return int(i);
            continue;
        }
        if (!RteIsCurrentObject(row, current)) continue;
        for (size_t j = i; j < rows.size(); ++j)
            if (rows[j].Visible) return int(j);
        return -1;
    }
    return -1;
}

bool RteRowMarkedCurrent(const std::vector<TRteNodeData> &rows, int row,
                         const TRteCurrent &current) {
    if (row < 0 || row >= int(rows.size())) return false;
    const TRteNodeData &r = rows[size_t(row)];
    if (!r.HasItem) return r.Point && r.Point == current.Target;
    if (RteIsCurrentObject(r, current)) return true;
    for (int i = row - 1; i >= 0 && !rows[size_t(i)].Visible; --i)
        if (RteIsCurrentObject(rows[size_t(i)], current)) return true;
    return false;
}
