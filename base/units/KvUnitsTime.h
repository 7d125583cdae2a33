// Measurement units, dates and times of the core library in the program's string type, and
// the process-wide clock, time-zone and angle-decimals objects. GUI thread.
#pragma once

#include <KvLibNav6/KvUnits.h>

#include <QString>
#include <cstdint>

// Fetched from the core library at first use and kept for the run; never released.
const int32_t *DefAngleDecimals();  // KvAngleFormat::Count entries, indexed by format
// The default decimals of one position format (those of degrees and minutes for a format
// outside the table).
int32_t DefAngleDecimalsFor(int32_t format);
INavMsgGPSClock *GlobalGPSClock();
ITimeZones *GlobalTimeZones();

// The distance (metres) in whichever of the two length units suits its size: the number
// and the unit text (both emptied first); returns the unit code the library chose (0 when
// neither code is a length).
int32_t FormatDistanceA(int32_t largeUnit, int32_t smallUnit, QString &valueText,
                        QString &unitText, double distanceM);
// Display text of a unit code; empty for an unknown code.
QString UnitToStr(int32_t unit);

// Weekday names in the interface language, 1 = Monday .. 7 = Sunday; empty outside.
QString DayToStr(int32_t day);
QString DayToStrShort(int32_t day);
// Month names in the interface language, 1..12; empty outside.
QString MonthToStr(int32_t month);
// Text of a set of weekdays (bit d for weekday d, 1 = Monday) in language 1..8; callers
// pass style 1 (short names: "Mon-Fri, Sun").
QString WeekDayFlagsToStr(uint32_t flags, int32_t language, int32_t style);
// The library's date-time formatting ("ddddd" short date, "dddddd" long date, "t"/"tt"
// short/long time, "hh:nn", …); callers pass flags 1 (interface language).
QString FormatDateTime(const QString &format, int32_t flags, TDateTime value);
