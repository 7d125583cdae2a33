// The stay of a route point as the dialogs show it: the UTC offset the departure time of
// day is shown in, and the conversion between the stay record and the values of the edits.
// The record keeps the departure time as a UTC fraction of a day; the user types local
// hours and minutes. Offsets are minutes, local − UTC (negative west of UTC). GUI thread.
#pragma once

#include <KvLibNav6/KvTypes.h>
#include <KvLibNav6/KvWaypoints.h>

#include <cstdint>
#include <functional>

// The offset at the planned arrival when there is one (arrivalUTC not null): local(T) − T,
// rounded away from zero to whole minutes; else the time zone's current offset.
int32_t StayUTCOffsetAt(const TDateTime *arrivalUTC, const std::function<TDateTime(TDateTime)> &toLocal,
                        int32_t zoneOffset);
// The same for a route point: its plan point's arrival, the core library's local time and
// time-zone object.
int32_t StayUTCOffset(IWptRoutePoint *point);

// Local minutes of the day (0..1439) of a departure time (UTC fraction of a day).
int32_t StayDepartLocalMinutes(double departTimeUTC, int32_t offsetMinutes);
// The UTC fraction of a day, in [0, 1), of a local hour and minute.
double StayDepartTimeUTC(int32_t hours, int32_t minutes, int32_t offsetMinutes);

// What the stay edits hold; the presets are those of a new dialog.
struct TStayValues {
    int32_t StayHours = 0;
    int32_t StayMinutes = 0;
    int32_t DepartHours = 12;
    int32_t DepartMinutes = 0;
    int32_t Days = 0;
};
// Fills the values of the record's kind only; the others keep what they hold.
void StayToValues(const TRouteStayRec &stay, int32_t offsetMinutes, TStayValues &values);
// Writes kind (RouteStayKind) and that kind's fields; the fields of other kinds keep their
// bytes, so a switch back finds them again.
void ValuesToStay(int32_t kind, const TStayValues &values, int32_t offsetMinutes, TRouteStayRec &stay);
