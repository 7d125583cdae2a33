// Measurement units: conversion between unit codes, unit texts and distance formatting.
#include "kernel/KvInternal.h"
#include "KvLibNav6/KvUnits.h"
#include "units/UnitsInternal.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// A unit as an affine map onto its quantity's base unit: base = value * Scale + Offset.
// Only temperatures have an offset.
struct TUnitMap {
    double Scale = 1.0;
    double Offset = 0.0;
};

bool KnownQuantity(int32_t quantity) {
    switch (quantity) {
    case KvUnit::QuantityAngle:
    case KvUnit::QuantityLength:
    case KvUnit::QuantitySpeed:
    case KvUnit::QuantityVolume:
    case KvUnit::QuantityFuelFlow:
    case KvUnit::QuantityMass:
    case KvUnit::QuantityAirPressure:
    case KvUnit::QuantityPower:
    case KvUnit::QuantityEnergy:
    case KvUnit::QuantityTemperature:
        return true;
    default:
        return false;
    }
}

// Decimal multiples of the base unit: bit 15 set, the low nibble is the power of ten + $B.
bool IsDecimal(int32_t unit) {
    return (unit & 0xFFF0) == 0x8000;
}
int DecimalPower(int32_t unit) {
    return (unit & 0xF) - 0xB;
}

constexpr double UsGallonM3 = 0.003785411784;
constexpr double KnotMs = 1852.0 / 3600.0;

// Beaufort is not proportional to speed; it converts through the empirical law
// v = 0.836 · B^1.5 m/s, whose values lie inside the official force bands.
constexpr double BeaufortFactor = 0.836;
constexpr int BeaufortMax = 12;
// Upper limits (m/s) of forces 0..11; anything above the last is force 12.
constexpr double BeaufortLimits[BeaufortMax] = {0.5,  1.55, 3.35, 5.45, 7.95, 10.75,
                                                13.85, 17.15, 20.75, 24.45, 28.45, 32.65};

std::optional<TUnitMap> MapOf(int32_t unit) {
    const int32_t quantity = KvUnit::Quantity(unit);
    if (!KnownQuantity(quantity)) return std::nullopt;
    if (IsDecimal(unit)) return TUnitMap{std::pow(10.0, DecimalPower(unit)), 0.0};
    switch (unit) {
    case KvUnit::Inch: return TUnitMap{0.0254};
    case KvUnit::Foot: return TUnitMap{0.3048};
    case KvUnit::Yard: return TUnitMap{0.9144};
    case KvUnit::Fathom: return TUnitMap{1.8288};
    case KvUnit::StatuteMile: return TUnitMap{1609.344};
    case KvUnit::NauticalMile: return TUnitMap{1852.0};
    case KvUnit::KilometrePerHour: return TUnitMap{1.0 / 3.6};
    case KvUnit::MilePerHour: return TUnitMap{0.44704};
    case KvUnit::Knot: return TUnitMap{KnotMs};
    case KvUnit::Litre: return TUnitMap{0.001};
    case KvUnit::USGallon: return TUnitMap{UsGallonM3};
    case KvUnit::LitrePerHour: return TUnitMap{0.001 / 3600.0};
    case KvUnit::USGallonPerHour: return TUnitMap{UsGallonM3 / 3600.0};
    case KvUnit::Tonne: return TUnitMap{1.0e6};  // base of mass is the gram
    case KvUnit::Degree: return TUnitMap{M_PI / 180.0};
    case KvUnit::KilojoulePerHour: return TUnitMap{1000.0 / 3600.0};
    case KvUnit::Celsius: return TUnitMap{1.0, 273.15};
    case KvUnit::Fahrenheit: return TUnitMap{5.0 / 9.0, 273.15 - 32.0 * 5.0 / 9.0};
    default: return std::nullopt;
    }
}

bool Convertible(int32_t unit) {
    return unit == KvUnit::Beaufort || MapOf(unit).has_value();
}

double ToBase(double value, int32_t unit) {
    if (unit == KvUnit::Beaufort) {
        const double force = std::clamp(std::round(value), 0.0, double(BeaufortMax));
        return BeaufortFactor * std::pow(force, 1.5);
    }
    const TUnitMap m = *MapOf(unit);
    return value * m.Scale + m.Offset;
}

double FromBase(double base, int32_t unit) {
    if (unit == KvUnit::Beaufort) {
        const double speed = std::fabs(base);
        int force = 0;
        while (force < BeaufortMax && speed >= BeaufortLimits[force]) ++force;
        return force;
    }
    const TUnitMap m = *MapOf(unit);
    return (base - m.Offset) / m.Scale;
}

// Texts of the units that are not decimal multiples, and of the base units.
const char16_t *FixedText(int32_t unit) {
    switch (unit) {
    case KvUnit::Inch: return u"in";
    case KvUnit::Foot: return u"ft";
    case KvUnit::Yard: return u"yd";
    case KvUnit::Fathom: return u"ftm";
    case KvUnit::StatuteMile: return u"mi";
    case KvUnit::NauticalMile: return u"NM";
    case KvUnit::MetrePerSecond: return u"m/s";
    case KvUnit::KilometrePerHour: return u"km/h";
    case KvUnit::MilePerHour: return u"mph";
    case KvUnit::Knot: return u"kn";
    case KvUnit::Beaufort: return u"Bft";
    case KvUnit::CubicMetre: return u"m³";
    case KvUnit::Litre: return u"l";
    case KvUnit::USGallon: return u"gal";
    case KvUnit::CubicMetrePerSecond: return u"m³/s";
    case KvUnit::LitrePerHour: return u"l/h";
    case KvUnit::USGallonPerHour: return u"gal/h";
    case KvUnit::Tonne: return u" t";
    case KvUnit::Radian: return u"rad";
    case KvUnit::Degree: return u"°";
    case KvUnit::KilojoulePerHour: return u"kJ/h";
    case KvUnit::Celsius: return u"°C";
    case KvUnit::Fahrenheit: return u"°F";
    default: return nullptr;
    }
}

// Symbol of the base unit of the quantities whose decimal multiples take SI prefixes.
const char16_t *PrefixableSymbol(int32_t quantity) {
    switch (quantity) {
    case KvUnit::QuantityLength: return u"m";
    case KvUnit::QuantityMass: return u"g";
    case KvUnit::QuantityAirPressure: return u"Pa";
    case KvUnit::QuantityPower: return u"W";
    case KvUnit::QuantityEnergy: return u"J";
    case KvUnit::QuantityTemperature: return u"K";
    default: return nullptr;
    }
}

const char16_t *Prefix(int power) {
    switch (power) {
    case -3: return u"m";
    case -2: return u"c";
    case -1: return u"d";
    case 0: return u"";
    case 1: return u"da";
    case 2: return u"h";
    case 3: return u"k";
    case 6: return u"M";
    default: return nullptr;
    }
}

QString UnitText(int32_t unit) {
    if (const char16_t *fixed = FixedText(unit)) return QString::fromUtf16(fixed);
    if (!IsDecimal(unit)) return {};
    const char16_t *symbol = PrefixableSymbol(KvUnit::Quantity(unit));
    const char16_t *prefix = Prefix(DecimalPower(unit));
    if (!symbol || !prefix) return {};
    return QString::fromUtf16(prefix) + QString::fromUtf16(symbol);
}

// Units whose one is large (kilometre, miles): shown with decimals that shrink as the
// number grows; the others (metre, foot, yard) in whole numbers.
int DistanceDecimals(int32_t unit, double valueInUnit) {
    if (UnitConvert(1.0, unit, KvUnit::Metre) < 500.0) return 0;
    const double a = std::fabs(valueInUnit);
    return a < 10.0 ? 2 : a < 100.0 ? 1 : 0;
}

bool IsLength(int32_t unit) {
    return KvUnit::Quantity(unit) == KvUnit::QuantityLength && MapOf(unit).has_value();
}

}  // namespace

double UnitConvert(double value, int32_t fromUnit, int32_t toUnit) {
    if (fromUnit == toUnit) return value;
    if (KvUnit::Quantity(fromUnit) != KvUnit::Quantity(toUnit)) return value;
    if (!Convertible(fromUnit) || !Convertible(toUnit)) return value;
    return FromBase(ToBase(value, fromUnit), toUnit);
}

int32_t FormatDistance(double metres, int32_t largeUnit, int32_t smallUnit, IStrW *valueOut,
                       IStrW *unitOut) {
    kv::SetStrW(valueOut, QString());
    kv::SetStrW(unitOut, QString());
    const bool largeOk = IsLength(largeUnit);
    const bool smallOk = IsLength(smallUnit);
    if (!largeOk && !smallOk) return 0;
    int32_t unit = smallOk ? smallUnit : largeUnit;
    if (!std::isfinite(metres)) {
        kv::SetStrW(valueOut, QStringLiteral("---"));
        kv::SetStrW(unitOut, UnitText(unit));
        return unit;
    }
    if (largeOk && largeUnit != unit) {
        // The large unit from one unit on, judged on the rounded text so that 0.9996 km
        // reads "1.00 km" and never "1000 m".
        const double inLarge = UnitConvert(metres, KvUnit::Metre, largeUnit);
        const int decimals = DistanceDecimals(largeUnit, inLarge);
        const double scale = std::pow(10.0, decimals);
        if (std::round(std::fabs(inLarge) * scale) / scale >= 1.0) unit = largeUnit;
    }
    const double value = UnitConvert(metres, KvUnit::Metre, unit);
    const int decimals = DistanceDecimals(unit, value);
    QString text = QString::number(value, 'f', decimals);
    // "-0" after rounding a tiny negative distance reads as 0.
    if (text.startsWith(u'-') && QString::number(0.0, 'f', decimals) == text.mid(1))
        text.remove(0, 1);
    text.replace(u'.', kv::DecimalSeparator());
    kv::SetStrW(valueOut, text);
    kv::SetStrW(unitOut, UnitText(unit));
    return unit;
}

void _UnitToStr(IStrW *out, int32_t unit) {
    kv::SetStrW(out, UnitText(unit));
}
