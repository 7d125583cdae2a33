// Unit conversion, unit texts and distance formatting of the core library.
#include <KvLibNav6/KvLanguage.h>
#include <KvLibNav6/KvUnits.h>

#include <gtest/gtest.h>

#include <QString>
#include <cmath>
#include <memory>

namespace {

struct TStrWDeleter {
    void operator()(IStrW *s) const { StrWDelete(s); }
};
using TStrWPtr = std::unique_ptr<IStrW, TStrWDeleter>;

TStrWPtr NewStr() {
    return TStrWPtr(StrWCreate(u"", 0));
}

QString Text(const TStrWPtr &s) {
    const TStrWRec *r = s->GetRec();
    return QString::fromUtf16(r->Text, r->Length);
}

// Restores the interface language after a test that switches it.
class TLanguage {
public:
    explicit TLanguage(int32_t lang) : FBefore(GetCurrentLanguage()) { SetCurrentLanguage(lang); }
    ~TLanguage() { SetCurrentLanguage(FBefore); }

private:
    int32_t FBefore;
};

}  // namespace

TEST(UnitConvert, KnownFactorsBothWays) {
    using namespace KvUnit;
    struct Case { const char *name; double value; int32_t from; int32_t to; double expected; double tol; };
    const Case cases[] = {
        {"nautical mile in metres", 1.0, NauticalMile, Metre, 1852.0, 1e-9},
        {"foot in metres", 1.0, Foot, Metre, 0.3048, 1e-12},
        {"kilometre in metres", 1.0, Kilometre, Metre, 1000.0, 1e-9},
        {"millimetre in centimetres", 25.0, Millimetre, Centimetre, 2.5, 1e-12},
        {"statute mile in feet", 1.0, StatuteMile, Foot, 5280.0, 1e-9},
        {"fathom in feet", 1.0, Fathom, Foot, 6.0, 1e-12},
        {"knot in metres per second", 1.0, Knot, MetrePerSecond, 0.514444, 1e-6},
        {"knot in km/h", 1.0, Knot, KilometrePerHour, 1.852, 1e-12},
        {"mph in m/s", 1.0, MilePerHour, MetrePerSecond, 0.44704, 1e-12},
        {"36 km/h in m/s", 36.0, KilometrePerHour, MetrePerSecond, 10.0, 1e-12},
        {"0 °C in °F", 0.0, Celsius, Fahrenheit, 32.0, 1e-9},
        {"100 °C in °F", 100.0, Celsius, Fahrenheit, 212.0, 1e-9},
        {"-40 °F in °C", -40.0, Fahrenheit, Celsius, -40.0, 1e-9},
        {"US gallon in litres", 1.0, USGallon, Litre, 3.785411784, 1e-12},
        {"litre in cubic metres", 1000.0, Litre, CubicMetre, 1.0, 1e-12},
        {"US gallon per hour in litres per hour", 1.0, USGallonPerHour, LitrePerHour, 3.785411784, 1e-9},
        {"tonne in kilograms", 1.0, Tonne, Kilogram, 1000.0, 1e-9},
        {"hectopascal in pascal", 1013.25, Hectopascal, Pascal, 101325.0, 1e-6},
        {"degree in radians", 180.0, Degree, Radian, M_PI, 1e-12},
        {"kilojoule in joules", 2.5, Kilojoule, Joule, 2500.0, 1e-9},
        {"wind force 4 in knots", 4.0, Beaufort, Knot, 0.836 * 8.0 / 0.514444, 1e-3},
        {"10 m/s in Beaufort", 10.0, MetrePerSecond, Beaufort, 5.0, 0.0},
        {"40 m/s is hurricane force", 40.0, MetrePerSecond, Beaufort, 12.0, 0.0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const double there = UnitConvert(c.value, c.from, c.to);
        EXPECT_NEAR(there, c.expected, c.tol);
        if (c.to != Beaufort && c.from != Beaufort) {
            EXPECT_NEAR(UnitConvert(there, c.to, c.from), c.value,
                        1e-9 * std::max(1.0, std::fabs(c.value)));
        }
    }
}

TEST(UnitConvert, BeaufortForcesSurviveARoundTrip) {
    for (int force = 0; force <= 12; ++force) {
        SCOPED_TRACE(force);
        const double knots = UnitConvert(force, KvUnit::Beaufort, KvUnit::Knot);
        EXPECT_EQ(UnitConvert(knots, KvUnit::Knot, KvUnit::Beaufort), force);
    }
}

TEST(UnitConvert, UnknownOrMismatchedCodesLeaveTheValueUnchanged) {
    struct Case { const char *name; int32_t from; int32_t to; };
    const Case cases[] = {
        {"length to speed", KvUnit::Metre, KvUnit::Knot},
        {"temperature to volume", KvUnit::Celsius, KvUnit::Litre},
        {"unknown length unit", 0x60009, KvUnit::Metre},
        {"unknown quantity", 0x5800B, 0x5800E},
        {"zero code", 0, KvUnit::Metre},
        {"to unknown speed unit", KvUnit::Knot, 0x70009},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(UnitConvert(12.5, c.from, c.to), 12.5);
    }
}

TEST(UnitToStr, TextsOfTheCodesInUse) {
    struct Case { int32_t unit; const char16_t *text; };
    const Case cases[] = {
        {KvUnit::Metre, u"m"},        {KvUnit::Kilometre, u"km"},    {KvUnit::Millimetre, u"mm"},
        {KvUnit::Centimetre, u"cm"},  {KvUnit::Decimetre, u"dm"},    {KvUnit::Foot, u"ft"},
        {KvUnit::Yard, u"yd"},        {KvUnit::StatuteMile, u"mi"},  {KvUnit::NauticalMile, u"NM"},
        {KvUnit::Knot, u"kn"},        {KvUnit::KilometrePerHour, u"km/h"},
        {KvUnit::MilePerHour, u"mph"}, {KvUnit::MetrePerSecond, u"m/s"},
        {KvUnit::Celsius, u"°C"},     {KvUnit::Fahrenheit, u"°F"},   {KvUnit::Litre, u"l"},
        {KvUnit::USGallon, u"gal"},   {KvUnit::Tonne, u" t"},        {KvUnit::Kilogram, u"kg"},
        {KvUnit::Hectopascal, u"hPa"}, {KvUnit::Kilojoule, u"kJ"},   {KvUnit::KilojoulePerHour, u"kJ/h"},
        {KvUnit::LitrePerHour, u"l/h"}, {KvUnit::Degree, u"°"},
        {0x60009, u""},               {0, u""},                      {0x5800B, u""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.unit);
        auto s = NewStr();
        _UnitToStr(s.get(), c.unit);
        EXPECT_EQ(Text(s), QString::fromUtf16(c.text));
    }
}

TEST(FormatDistance, ChoosesTheUnitBySizeAndRoundsOnce) {
    using namespace KvUnit;
    struct Case {
        const char *name; int lang; double metres; int32_t large; int32_t small;
        int32_t unit; const char *value; const char16_t *unitText;
    };
    const Case cases[] = {
        {"short distance in metres", KvLang::English, 250.4, Kilometre, Metre, Metre, "250", u"m"},
        {"one kilometre switches to km", KvLang::English, 1000.0, Kilometre, Metre, Kilometre, "1.00", u"km"},
        {"just under a kilometre rounds up to km", KvLang::English, 999.96, Kilometre, Metre, Kilometre, "1.00", u"km"},
        {"below the rounding edge stays in metres", KvLang::English, 994.0, Kilometre, Metre, Metre, "994", u"m"},
        {"tens of km with one decimal", KvLang::English, 12345.0, Kilometre, Metre, Kilometre, "12.3", u"km"},
        {"hundreds of km whole", KvLang::English, 123456.0, Kilometre, Metre, Kilometre, "123", u"km"},
        {"nautical miles", KvLang::English, 2778.0, NauticalMile, Metre, NauticalMile, "1.50", u"NM"},
        {"half a mile in feet", KvLang::English, 804.672, StatuteMile, Foot, Foot, "2640", u"ft"},
        {"small unit forced", KvLang::English, 5000.0, Metre, Metre, Metre, "5000", u"m"},
        {"Dutch decimal comma", KvLang::Dutch, 2778.0, NauticalMile, Metre, NauticalMile, "1,50", u"NM"},
        {"negative distance keeps its sign", KvLang::English, -1.0, Kilometre, Metre, Metre, "-1", u"m"},
        {"tiny negative reads zero", KvLang::English, -0.2, Kilometre, Metre, Metre, "0", u"m"},
        {"large unit not a length: small only", KvLang::English, 5000.0, Knot, Metre, Metre, "5000", u"m"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TLanguage lang(c.lang);
        auto value = NewStr();
        auto unit = NewStr();
        EXPECT_EQ(FormatDistance(c.metres, c.large, c.small, value.get(), unit.get()), c.unit);
        EXPECT_EQ(Text(value), QString::fromUtf8(c.value));
        EXPECT_EQ(Text(unit), QString::fromUtf16(c.unitText));
    }
}

TEST(FormatDistance, NoLengthUnitsGiveEmptyTextsAndZero) {
    auto value = StrWCreate(u"old", 3);
    auto unit = StrWCreate(u"old", 3);
    EXPECT_EQ(FormatDistance(100.0, KvUnit::Knot, KvUnit::Celsius, value, unit), 0);
    EXPECT_EQ(value->GetRec()->Length, 0);
    EXPECT_EQ(unit->GetRec()->Length, 0);
    StrWDelete(value);
    StrWDelete(unit);
}

TEST(FormatDistance, NotANumberShowsDashes) {
    auto value = NewStr();
    auto unit = NewStr();
    EXPECT_EQ(FormatDistance(std::nan(""), KvUnit::Kilometre, KvUnit::Metre, value.get(), unit.get()),
              KvUnit::Metre);
    EXPECT_EQ(Text(value), QStringLiteral("---"));
    EXPECT_EQ(Text(unit), QStringLiteral("m"));
}
