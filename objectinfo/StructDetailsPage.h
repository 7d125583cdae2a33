// The full details page of a waterway structure (bridge, lock, weir, barrier, ship tunnel or
// other work): picture, general data, passages or lock chambers with their reference
// levels, operating periods with the waiting time, and the managing authority, in four
// sections that open and close through header links. Pure: reads the structure (owned by
// the network) and the texts of the current language, keeps nothing. GUI thread.
#pragma once

#include <QString>
#include <cstdint>

class IGeodeticCalibration;
class IWWStruct;

// Section header links of the page; the panel answers them by toggling the section.
inline constexpr char16_t StructLinkGeneral[] = u"genshow";
inline constexpr char16_t StructLinkPassages[] = u"passhow";
inline constexpr char16_t StructLinkOperatingPeriods[] = u"operiodsshow";
inline constexpr char16_t StructLinkManager[] = u"manshow";
// The waiting-time link: this prefix and the structure's braced GUID text.
inline constexpr char16_t StructLinkDelay[] = u"delay://";

// Everything a page build reads besides the structure: the user's units, the planner's
// defaults and the panel's open sections.
struct TStructPageOptions {
    int32_t UnitDistanceSmall = 0x6800B;
    int32_t UnitDistanceLarge = 0x6800E;
    int32_t UnitDepth = 0x6800B;
    // Planner defaults in seconds, shown while a structure has no waiting time of its own.
    int32_t BridgeWaitTime = 0;
    int32_t LockWaitTime = 0;
    // The planner's water level against NAP, metres (clearances of NAP mode 1).
    float WaterLevel = 0.0f;
    bool GeneralOpen = true;
    bool PassagesOpen = true;
    bool OperatingPeriodsOpen = true;
    bool ManagerOpen = false;
};

// The structure page skeleton with its edition ("2011" for one structure, "2020" for a
// page of several) and the first contents marker replaced by body.
QString WrapStructPage(const QString &body, const QString &edition);

// imagesFolder ends in a separator; anchor empty or "S" + n on a page of several
// structures. With a nil calibration directions are those of a north-up chart.
QString BuildStructDetailsPage(IWWStruct *structure, const QString &imagesFolder,
                               const QString &anchor, bool wrap,
                               IGeodeticCalibration *calibration,
                               const TStructPageOptions &options);
// The body of the operating-periods section.
QString BuildStructOperatingPeriods(IWWStruct *structure, IGeodeticCalibration *calibration,
                                    const TStructPageOptions &options, bool withWaitingTime);

// Text functions of the page (current language).
QString IntToTwoDigits(int32_t value);
QString HeadingToCompassName(float headingRad);
QString StructTypeToStr(int32_t kind, int32_t barrierKind, int32_t otherType);
QString BridgeTypeToStr(int32_t type);
QString ManagerTypeToStr(int32_t type);
QString ReferenceLevelToStr(int32_t reference);
// Empty for an unknown control kind.
QString ControlKindToStr(int32_t kind);
// Plain text (not HTML): an unknown operation reads "<Invalid value> (n)".
QString SpecialDayOperationToStr(int32_t operation, int32_t weekDay);
// "Pleasure" or "Commercial" when only that class is set; else empty.
QString VesselClassesToStr(uint32_t classes);
QString HolidayToStr(int32_t holiday);
// A month or weekday name; "?" for a number outside the calendar.
QString StructMonthName(int32_t month);
QString StructDayName(int32_t day);
