#include "routes/RouteStay.h"

#include "base/math/KvMath.h"
#include "base/units/KvUnitsTime.h"

#include <KvLibNav6/KvPlanner.h>
#include <KvLibNav6/KvUnits.h>

int32_t StayUTCOffsetAt(const TDateTime *arrivalUTC, const std::function<TDateTime(TDateTime)> &toLocal,
                        int32_t zoneOffset) {
    if (!arrivalUTC) return zoneOffset;
    const double minutes = (toLocal(*arrivalUTC) - *arrivalUTC) * 1440.0;
    return RoundAwayF(float(minutes));
}

int32_t StayUTCOffset(IWptRoutePoint *point) {
    IWptPlanPoint *plan = point ? point->GetPlanPoint() : nullptr;
    IWptRouteTimePoint *arrival = plan ? plan->GetArrival() : nullptr;
    const TTimePointData *data = arrival ? arrival->GetData() : nullptr;
    const TDateTime at = data ? data->TimeUTC : 0.0;
    return StayUTCOffsetAt(data ? &at : nullptr, [](TDateTime utc) { return GetLocalDateTime(utc); },
                           GlobalTimeZones()->GetUTCOffset());
}

int32_t StayDepartLocalMinutes(double departTimeUTC, int32_t offsetMinutes) {
    int32_t m = offsetMinutes + RoundF(float(departTimeUTC * 1440.0));
    m %= 1440;
    if (m < 0) m += 1440;
    return m;
}

double StayDepartTimeUTC(int32_t hours, int32_t minutes, int32_t offsetMinutes) {
    double t = (hours * 60 + minutes - offsetMinutes) / 1440.0;
    while (t < 0.0) t += 1.0;
    while (t >= 1.0) t -= 1.0;
    return t;
}

void StayToValues(const TRouteStayRec &stay, int32_t offsetMinutes, TStayValues &values) {
    if (stay.Kind == RouteStayKind::StayFor) {
        values.StayHours = stay.Duration / 3600;
        values.StayMinutes = (stay.Duration % 3600) / 60;
    } else if (stay.Kind == RouteStayKind::LeaveAtTime) {
        const int32_t m = StayDepartLocalMinutes(stay.DepartTime, offsetMinutes);
        values.DepartHours = m / 60;
        values.DepartMinutes = m % 60;
        values.Days = stay.Days;
    }
}

void ValuesToStay(int32_t kind, const TStayValues &values, int32_t offsetMinutes, TRouteStayRec &stay) {
    if (kind == RouteStayKind::LeaveAtTime) {
        stay.Kind = RouteStayKind::LeaveAtTime;
        stay.DepartTime = StayDepartTimeUTC(values.DepartHours, values.DepartMinutes, offsetMinutes);
        stay.Days = values.Days;
    } else if (kind == RouteStayKind::StayFor) {
        stay.Kind = RouteStayKind::StayFor;
        stay.Duration = values.StayHours * 3600 + values.StayMinutes * 60;
    } else {
        stay.Kind = RouteStayKind::None;
    }
}
