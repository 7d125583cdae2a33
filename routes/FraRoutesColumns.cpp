#include "routes/FraRoutesColumns.h"

#include "base/registry/KvRegistry.h"
#include "base/strings/KvFormatSettings.h"
#include "base/strings/KvStrUtils.h"
#include "base/units/KvAngles.h"
#include "base/units/KvUnitsTime.h"
#include "base/waypoints/KvRouteNodes.h"
#include "base/waypoints/KvWaypoints.h"
#include "objectinfo/KvWWNetwork.h"
#include "routes/FraRoutesTexts.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvNavBoat.h>
#include <KvLibNav6/KvUnits.h>
#include <KvLibNav6/KvWaypoints.h>

#include <algorithm>
#include <cmath>
#include <numeric>

const QString RouteTableKey = QStringLiteral("Desktop\\ToolWindowRoutes");
const QString RouteColumnsKey = QStringLiteral("Desktop\\ToolWindowRoutes\\Columns");

namespace {

constexpr int MinWidth = 16, MaxWidth = 2000;
const QString Dashes = QStringLiteral("---");

bool Unavailable(int column) {
    return (column >= 8 && column <= 20) || column == 27 || (column >= 29 && column <= 42);
}

IAppReg *Reg() { return GetAppReg(); }

}  // namespace

TRouteColumnDef RouteColumnDef(int column) {
    using A = TRouteAlign;
    switch (column) {
    case 0: return {A::Right, 50, true};
    case 1: return {A::Left, 150, true};
    case 2:
    case 3: return {A::Left, 100, false};
    case 4:
    case 6:
    case 7:
    case 22:
    case 24: return {A::Right, 70, true};
    case 25: return {A::Right, 100, true};
    case 26: return {A::Left, 100, true};
    case 28: return {A::Right, 125, false};
    case 43: return {A::Left, 100, false};
    case 12:
    case 18: return {A::Left, 125, false};
    case 30: return {A::Right, 90, false};
    case 31:
    case 32:
    case 41: return {A::Left, 100, false};
    case 33: return {A::Right, 50, true};
    case 34: return {A::Centre, 100, true};
    case 35: return {A::Right, 70, true};
    default: return {A::Right, 70, false};
    }
}

bool RouteColumnAvailable(int column) {
    return column >= 0 && column < RouteColumnCount && !Unavailable(column);
}

QString RouteColumnKey(int column) {
    return RouteColumnsKey + u'\\' + QStringLiteral("%1").arg(column, 2, 10, QLatin1Char('0'));
}

TRouteColumnLayout RouteLoadColumns() {
    TRouteColumnLayout layout;
    for (int n = 0; n < RouteColumnCount; ++n) {
        const TRouteColumnDef def = RouteColumnDef(n);
        TRouteColumnState &s = layout[size_t(n)];
        const QString key = RouteColumnKey(n);
        s.Column = n;
        s.Position = RegReadIntegerDef(Reg(), AppRegRoot::Product, key, RegName(u"Position"), n);
        if (n == 0) {
            s.Visible = true;
            s.Width = def.Width;
            continue;
        }
        s.Width = RegReadIntegerDef(Reg(), AppRegRoot::Product, key, RegName(u"Width"), def.Width);
        if (s.Width < MinWidth || s.Width > MaxWidth) s.Width = def.Width;
        s.Visible = n == 1 || RegReadBoolDef(Reg(), AppRegRoot::Product, key, RegName(u"Visible"),
                                             def.Visible);
        if (!RouteColumnAvailable(n)) s.Visible = false;
    }
    // Stored positions may repeat or lie outside the header: order by the stored place, ties
    // by column number, and number the places afresh.
    std::array<int, RouteColumnCount> order;
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return layout[size_t(a)].Position < layout[size_t(b)].Position;
    });
    for (int place = 0; place < RouteColumnCount; ++place) layout[size_t(order[size_t(place)])].Position = place;
    return layout;
}

void RouteWriteColumn(const TRouteColumnState &state) {
    int32_t err = 0;
    const QString key = RouteColumnKey(state.Column);
    RegWriteBool(Reg(), AppRegRoot::Product, key, RegName(u"Visible"), state.Visible, err);
    RouteWriteColumnWidth(state.Column, state.Width);
    RouteWriteColumnPosition(state.Column, state.Position);
}

void RouteWriteColumnWidth(int column, int width) {
    int32_t err = 0;
    RegWriteInteger(Reg(), AppRegRoot::Product, RouteColumnKey(column), RegName(u"Width"), width, err);
}

void RouteWriteColumnPosition(int column, int position) {
    int32_t err = 0;
    RegWriteInteger(Reg(), AppRegRoot::Product, RouteColumnKey(column), RegName(u"Position"),
                    position, err);
}

TRouteColumnLayout RouteRestoreColumns() {
    TRouteColumnLayout layout;
    for (int n = 0; n < RouteColumnCount; ++n) {
        const TRouteColumnDef def = RouteColumnDef(n);
        layout[size_t(n)] = {n, RouteColumnAvailable(n) && def.Visible, def.Width, n};
        if (n > 0) RouteWriteColumn(layout[size_t(n)]);
    }
    return layout;
}

// ---- cell texts ----

namespace {

using TRows = std::vector<TRteNodeData>;

// The nearest earlier visible row; -1 when there is none.
int PreviousVisible(const TRows &rows, int row) {
    for (int i = row - 1; i >= 0; --i)
        if (rows[size_t(i)].Visible) return i;
    return -1;
}

// The nearest earlier visible row with an arrival: -1 when the row is the first visible
// one, -2 when earlier visible rows exist but none has an arrival.
int PreviousWithArrival(const TRows &rows, int row) {
    const int first = PreviousVisible(rows, row);
    if (first < 0) return -1;
    for (int i = first; i >= 0; --i)
        if (rows[size_t(i)].Visible && rows[size_t(i)].Arrival) return i;
    return -2;
}

bool IsTarget(const TRteNodeData &r, const TRouteCellContext &c) {
    return c.Navigation && r.Point && c.Navigation->GetTargetPoint() == r.Point;
}

QString Distance(double metres, const TRouteCellContext &c) {
    QString text;
    FormatMetresInUnit(c.UnitLarge, 1, false, text, metres);
    return text;
}

QString DtgText(const TRows &rows, int row, const TRouteCellContext &c) {
    const TRteNodeData &r = rows[size_t(row)];
    if (!r.Arrival) return Dashes;
    const int prev = PreviousWithArrival(rows, row);
    if (prev == -2) return Dashes;
    const double base = prev >= 0 ? rows[size_t(prev)].Arrival->DistanceM : 0.0;
    return Distance(std::fabs(r.Arrival->DistanceM - base), c);
}

QString DtgTotalText(const TRteNodeData &r, const TRouteCellContext &c) {
    float dtg = 0.0f;
    if (IsTarget(r, c) && c.Navigation->GetDTG(dtg)) return Distance(dtg, c);
    return r.Arrival ? Distance(std::fabs(r.Arrival->DistanceM), c) : Dashes;
}

QString CtsText(const TRteNodeData &r, const TRouteCellContext &c) {
    QString text;
    float cts = 0.0f;
    if (c.Navigation && r.Point && c.Navigation->GetSteerPoint() == r.Point &&
        c.Navigation->GetCTS(cts)) {
        AngleToStr2(1, 3, 1, cts, text);
        return text;
    }
    if (r.Kind != RteNodeKind::RoutePoint || !r.Direct || r.State == -1 || !r.Course) return Dashes;
    AngleToStr2(1, 3, 1, *r.Course, text);
    return text;
}

QString ConsumptionText(const TRows &rows, int row, int base, const TRouteCellContext &c) {
    const TRteNodeData &r = rows[size_t(row)];
    if (base < 0 || !r.Arrival || !rows[size_t(base)].Arrival) return Dashes;
    const double used = std::fabs(r.Arrival->Consumption - rows[size_t(base)].Arrival->Consumption);
    if (used == 0.0) return Dashes;
    const double value = c.Electric ? UnitConvert(used, 0x11800B, 0x11800E)
                                    : UnitConvert(used, 0xA800B, c.UnitVolume);
    return FloatToStrFixed(value, 7, 2, LocaleFormatSettings());
}

TDateTime BaseTime(const TRouteCellContext &c) {
    if (c.Navigation) return c.NowUTC;
    return c.Route ? c.Route->GetStartTime() : 0.0;
}

QString Duration(double days) {
    QString text;
    FormatDurationDHMS(text, float(std::max(0.0, days) * 86400.0));
    return text;
}

QString TtgText(const TRows &rows, int row, const TRouteCellContext &c) {
    const TRteNodeData &r = rows[size_t(row)];
    if (!r.Arrival) return Dashes;
    const int prev = PreviousWithArrival(rows, row);
    if (prev >= 0) {
        const TRteNodeData &p = rows[size_t(prev)];
        const TRteTime &from = p.Kind == RteNodeKind::Turn || !p.Departure ? *p.Arrival : *p.Departure;
        return Duration(r.Arrival->TimeUTC - from.TimeUTC);
    }
    if (prev == -2 || r.Kind != RteNodeKind::RoutePoint) return Dashes;
    return Duration(r.Arrival->TimeUTC - BaseTime(c));
}

QString TtgTotalText(const TRteNodeData &r, const TRouteCellContext &c) {
    if (!r.Arrival || r.Arrival->TimeUTC <= 0.0) return Dashes;
    return Duration(r.Arrival->TimeUTC - BaseTime(c));
}

QString EtaText(const TRteNodeData &r) {
    double t = 0.0;
    if (!r.Arrival || (t = r.Arrival->TimeUTC) <= 0.0) return Dashes;
    return FormatDateTime(QStringLiteral("tt (dd-mm)"), 1, GetLocalDateTime(t));
}

QString PlanningText(const TRteNodeData &r) {
    const int32_t reason = r.HasItem ? (r.Reason >= 8 ? r.Reason : r.BlockReason) : 0;
    return RoutePlanningText(r.State, r.LegKind, reason);
}

QString Minutes(int64_t minutes) {
    return DurationToStr(minutes * 60, minutes >= 1440 ? 14 : 6, false, QStringLiteral("d"),
                         QStringLiteral("h"), QStringLiteral("m"), QStringLiteral("s"));
}

QString VisitText(const TRteNodeData &r) {
    const TRouteStayRec *stay = r.Point ? r.Point->GetStay() : nullptr;
    if (!stay) return Dashes;
    if (stay->Kind == RouteStayKind::StayFor) return Minutes(stay->Duration / 60);
    if (stay->Kind != RouteStayKind::LeaveAtTime || !r.Arrival || !r.Departure) return Dashes;
    const int64_t minutes = int64_t(std::floor((r.Departure->TimeUTC - r.Arrival->TimeUTC) * 1440.0 + 1e-6));
    return Minutes(std::max<int64_t>(0, minutes)) + QStringLiteral(" (") +
           FormatDateTime(QStringLiteral("hh.nn"), 1, GetLocalDateTime(r.Departure->TimeUTC)) + u')';
}

QString PositionText(const TRteNodeData &r, bool latitude, const TRouteCellContext &c) {
    double angle = 0.0;
    if (r.Kind == RteNodeKind::RoutePoint && r.Point) {
        const TRoutePosition *p = r.Point->GetPosition();
        if (!p) return Dashes;
        angle = latitude ? p->Lat : p->Lon;
    } else if (r.Arrival && r.Arrival->HasPosition) {
        angle = latitude ? r.Arrival->Position.Lat : r.Arrival->Position.Lon;
    } else {
        return Dashes;
    }
    QString text;
    AngleToStr1(DefAngleDecimalsFor(c.PositionFormat), RouteCompassLetter(latitude ? 'N' : 'E'),
                RouteCompassLetter(latitude ? 'S' : 'W'), angle, c.PositionFormat,
                latitude ? 1 : 2, 1, text);
    return text;
}

QString RadiusText(const TRteNodeData &r, const TRouteCellContext &c) {
    if (r.Kind != RteNodeKind::RoutePoint || !r.Point) return Dashes;
    IWptRoutePoint *next = r.Point->GetNext();
    if (!r.Point->IsDirect() && !(next && next->IsDirect())) return Dashes;
    QString text;
    FormatMetresInUnit(c.UnitSmall, 1, false, text, r.Point->GetRadius());
    return text;
}

QString SectorText(const TRteNodeData &r) {
    if (r.Kind != RteNodeKind::Turn || !r.Section) return Dashes;
    int32_t channel = 0;
    QString callSign;
    WWSectionGetVHFSectorChannel(r.Section, channel, callSign, r.SectionPosition);
    return callSign.isEmpty() ? Dashes : callSign;
}

}  // namespace

QString RouteRowName(const TRteNodeData &r, const TRouteCellContext &c) {
    QString name;
    switch (r.Kind) {
    case RteNodeKind::RoutePoint:
        if (r.Point) name = WptRoutePointGetDisplayName(r.Point);
        break;
    case RteNodeKind::Structure:
        if (r.StructKind == 2 && r.StructOtherType == 8) return LanguageText(RouteText::Powerlines);
        if (r.Struct) name = WWStructGetName(r.Struct);
        break;
    case RteNodeKind::Turn:
    case RteNodeKind::Obstacle:
        if (r.FairwayPart) name = WWFairwayPartGetName(r.FairwayPart);
        break;
    case RteNodeKind::Notice:
        if (c.NoticeTitle) name = c.NoticeTitle(r.NoticeId);
        break;
    case RteNodeKind::SailingStop: return LanguageText(RouteText::SailingStop);
    case RteNodeKind::Marina:
        if (r.Waypoint) name = WptObjectGetName(r.Waypoint);
        break;
    default: break;
    }
    return name.isEmpty() ? Dashes : name;
}

QString RouteCellText(const TRows &rows, int row, int column, const TRouteCellContext &c) {
    if (row < 0 || row >= int(rows.size())) return {};
    const TRteNodeData &r = rows[size_t(row)];
    if (r.Point && !RteLivePoint(r, c.Route)) return column == 0 ? QString() : Dashes;
    switch (column) {
    case 0:
        return r.Kind == RteNodeKind::RoutePoint && r.Point ? QString::number(r.Point->GetIndex() + 1)
                                                            : QString();
    case 1: return RouteRowName(r, c);
    case 2: return PositionText(r, true, c);
    case 3: return PositionText(r, false, c);
    case 4: return RadiusText(r, c);
    case 5: return DtgText(rows, row, c);
    case 6: return DtgTotalText(r, c);
    case 7: return CtsText(r, c);
    case 21: return ConsumptionText(rows, row, PreviousWithArrival(rows, row), c);
    case 22: return row == 0 ? Dashes : ConsumptionText(rows, row, 0, c);
    case 23: return TtgText(rows, row, c);
    case 24: return TtgTotalText(r, c);
    case 25: return EtaText(r);
    case 26: return PlanningText(r);
    case 28: return r.Kind == RteNodeKind::RoutePoint ? VisitText(r) : Dashes;
    case 43: return SectorText(r);
    default: return {};
    }
}

QString RouteUnitText(int column, const TRouteCellContext &c, bool forHtml) {
    QString unit;
    switch (column) {
    case 4: unit = UnitToStr(c.UnitSmall); break;
    case 5:
    case 6: unit = UnitToStr(c.UnitLarge); break;
    case 7: unit = QStringLiteral("\u00B0"); break;
    case 21:
    case 22: unit = UnitToStr(c.Electric ? 0x100000 : c.UnitVolume); break;
    default: break;
    }
    return forHtml && unit.isEmpty() ? QStringLiteral("&nbsp;") : unit;
}
