#include "base/units/KvAngles.h"
#include "base/units/KvUnitsTime.h"

#include <KvLibNav6/KvLanguage.h>

#include <gtest/gtest.h>

#include <QDate>
#include <QString>
#include <cmath>

namespace {

constexpr double Deg = M_PI / 180.0;

class TLanguage {
public:
    explicit TLanguage(int32_t lang) : FBefore(GetCurrentLanguage()) { SetCurrentLanguage(lang); }
    ~TLanguage() { SetCurrentLanguage(FBefore); }

private:
    int32_t FBefore;
};

}  // namespace

TEST(FormatDistanceA, ClearsBothTextsAndReturnsTheChosenUnit) {
    TLanguage lang(KvLang::English);
    struct Case { const char *name; int32_t large, small; double metres; int32_t unit; const char *value; const char *unitText; };
    const Case cases[] = {
        {"metres", KvUnit::NauticalMile, KvUnit::Metre, 120.0, KvUnit::Metre, "120", "m"},
        {"nautical miles", KvUnit::NauticalMile, KvUnit::Metre, 9260.0, KvUnit::NauticalMile, "5.00", "NM"},
        {"neither unit a length leaves both empty", KvUnit::Knot, KvUnit::Celsius, 9260.0, 0, "", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QString value = QStringLiteral("stale value");
        QString unit = QStringLiteral("stale unit");
        EXPECT_EQ(FormatDistanceA(c.large, c.small, value, unit, c.metres), c.unit);
        EXPECT_EQ(value, QString::fromUtf8(c.value));
        EXPECT_EQ(unit, QString::fromUtf8(c.unitText));
    }
}

TEST(UnitAndDateWrappers, TextsInTheProgramsStringType) {
    EXPECT_EQ(UnitToStr(0x11800E), QStringLiteral("kJ"));
    EXPECT_EQ(UnitToStr(KvUnit::Celsius), QStringLiteral("°C"));
    EXPECT_TRUE(UnitToStr(0x12345).isEmpty());

    TLanguage lang(KvLang::Dutch);
    EXPECT_EQ(DayToStr(1), QStringLiteral("maandag"));
    EXPECT_EQ(DayToStrShort(7), QStringLiteral("zo"));
    EXPECT_EQ(MonthToStr(10), QStringLiteral("oktober"));
    EXPECT_EQ(WeekDayFlagsToStr(0x3E, KvLang::English, 1), QStringLiteral("Mon-Fri"));
    const TDateTime value = QDate(1899, 12, 30).daysTo(QDate(2024, 3, 5)) + 0.5;
    EXPECT_EQ(FormatDateTime(QStringLiteral("dddddd tt"), 1, value),
              QStringLiteral("5 maart 2024 12:00:00"));
    EXPECT_EQ(FormatDateTime(QStringLiteral("ddd d mmm "), 1, value) +
                  FormatDateTime(QStringLiteral("yyyy "), 1, value) +
                  FormatDateTime(QStringLiteral("h:nn"), 1, value),
              QStringLiteral("di 5 mrt 2024 12:00"));
}

TEST(ProcessWideObjects, FetchedOnceAndKept) {
    ASSERT_NE(GlobalGPSClock(), nullptr);
    ASSERT_NE(GlobalTimeZones(), nullptr);
    EXPECT_EQ(GlobalGPSClock(), NavMsgGetGPSClock());
    EXPECT_EQ(GlobalTimeZones(), GetTimeZones());
    EXPECT_EQ(DefAngleDecimals(), GetDefAngleDecimals());
    EXPECT_EQ(DefAngleDecimalsFor(KvAngleFormat::Degrees), 5);
    EXPECT_EQ(DefAngleDecimalsFor(KvAngleFormat::DegreesMinutesSeconds), 1);
    EXPECT_EQ(DefAngleDecimalsFor(42), DefAngleDecimalsFor(KvAngleFormat::DegreesMinutes));
}

TEST(AngleWrappers, RoundTripWithLocalisedLetters) {
    struct Case { const char *name; int lang; double degrees; int32_t kind; QChar pos, neg; int32_t format; const char16_t *text; };
    const Case cases[] = {
        {"Dutch east", KvLang::Dutch, 4.9, KvAngleKind::Longitude, u'O', u'W', KvAngleFormat::DegreesMinutes, u"004°54,000' O"},
        {"Dutch south", KvLang::Dutch, -33.5, KvAngleKind::Latitude, u'N', u'Z', KvAngleFormat::Degrees, u"33,50000° Z"},
        {"English seconds", KvLang::English, 52.375, KvAngleKind::Latitude, u'N', u'S', KvAngleFormat::DegreesMinutesSeconds, u"52°22'30.0\" N"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TLanguage lang(c.lang);
        QString text;
        AngleToStr1(DefAngleDecimalsFor(c.format), c.pos, c.neg, c.degrees * Deg, c.format, c.kind, 1, text);
        EXPECT_EQ(text, QString::fromUtf16(c.text));
        double back = 0.0;
        ASSERT_TRUE(StrToAngleTryA(back, text, c.pos, c.neg, c.kind, 1));
        EXPECT_NEAR(back / Deg, c.degrees, 1e-6);
        EXPECT_NEAR(StrToAngleDefA(text, c.pos, c.neg, 0.0, c.kind, 1) / Deg, c.degrees, 1e-6);
    }
}

TEST(AngleWrappers, RefusedLatitudeLeavesTheAngleAndGivesTheDefault) {
    double angle = 0.5;
    EXPECT_FALSE(StrToAngleTryA(angle, QStringLiteral("91N"), u'N', u'S', KvAngleKind::Latitude, 1));
    EXPECT_EQ(angle, 0.5);
    EXPECT_EQ(StrToAngleDefA(QStringLiteral("91N"), u'N', u'S', 0.0, KvAngleKind::Latitude, 1), 0.0);
}

TEST(AngleWrappers, CoursesForPanelsAndTables) {
    QString text;
    AngleToStr2(0, 3, 1, 5.0 * Deg, text);
    EXPECT_EQ(text, QStringLiteral("005"));
    AngleToStr2(1, 3, 1, 270.4 * Deg, text);
    EXPECT_EQ(text, QStringLiteral("270°"));
}
