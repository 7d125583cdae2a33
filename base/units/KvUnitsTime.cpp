#include "base/units/KvUnitsTime.h"

#include "base/kvlib/KvStrings.h"

const int32_t *DefAngleDecimals() {
    static const int32_t *const decimals = GetDefAngleDecimals();
    return decimals;
}

int32_t DefAngleDecimalsFor(int32_t format) {
    if (format < 0 || format >= KvAngleFormat::Count) format = KvAngleFormat::DegreesMinutes;
    return DefAngleDecimals()[format];
}

INavMsgGPSClock *GlobalGPSClock() {
    static INavMsgGPSClock *const clock = NavMsgGetGPSClock();
    return clock;
}

ITimeZones *GlobalTimeZones() {
    static ITimeZones *const zones = GetTimeZones();
    return zones;
}

int32_t FormatDistanceA(int32_t largeUnit, int32_t smallUnit, QString &valueText,
                        QString &unitText, double distanceM) {
    valueText.clear();
    unitText.clear();
    TStrWOut value;
    TStrWOut unit;
    const int32_t chosen = FormatDistance(distanceM, largeUnit, smallUnit, value.get(), unit.get());
    valueText = value.Text();
    unitText = unit.Text();
    return chosen;
}

QString UnitToStr(int32_t unit) {
    TStrWOut text;
    _UnitToStr(text.get(), unit);
    return text.Text();
}

QString DayToStr(int32_t day) {
    TStrWOut text;
    _DayToStr(text.get(), day);
    return text.Text();
}

QString DayToStrShort(int32_t day) {
    TStrWOut text;
    _DayToStrShort(text.get(), day);
    return text.Text();
}

QString MonthToStr(int32_t month) {
    TStrWOut text;
    _MonthToStr(text.get(), month);
    return text.Text();
}

QString WeekDayFlagsToStr(uint32_t flags, int32_t language, int32_t style) {
    TStrWOut text;
    _WeekDayFlagsToStr(text.get(), flags, language, style);
    return text.Text();
}

QString FormatDateTime(const QString &format, int32_t flags, TDateTime value) {
    TStrWOut text;
    _FormatDateTime(text.get(), StrW(format), value, flags);
    return text.Text();
}
