// Day and month names, weekday sets, date-time formats, time zones and the GPS clock.
#include "units/UnitsInternal.h"

#include <KvLibNav6/KvLanguage.h>
#include <KvLibNav6/KvUnits.h>

#include <gtest/gtest.h>

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <cmath>
#include <ctime>
#include <memory>

namespace {

struct TStrWDeleter {
    void operator()(IStrW *s) const { StrWDelete(s); }
};

QString Call(void (*fn)(IStrW *, int32_t), int32_t arg) {
    std::unique_ptr<IStrW, TStrWDeleter> s(StrWCreate(u"", 0));
    fn(s.get(), arg);
    return QString::fromUtf16(s->GetRec()->Text, s->GetRec()->Length);
}

QString Flags(uint32_t flags, int32_t language, int32_t style) {
    std::unique_ptr<IStrW, TStrWDeleter> s(StrWCreate(u"", 0));
    _WeekDayFlagsToStr(s.get(), flags, language, style);
    return QString::fromUtf16(s->GetRec()->Text, s->GetRec()->Length);
}

QString Format(const QString &format, TDateTime value, int32_t flags = 1) {
    std::unique_ptr<IStrW, TStrWDeleter> s(StrWCreate(u"", 0));
    const TStrWRec rec{int32_t(format.size()), reinterpret_cast<const char16_t *>(format.utf16())};
    _FormatDateTime(s.get(), rec, value, flags);
    return QString::fromUtf16(s->GetRec()->Text, s->GetRec()->Length);
}

TDateTime DT(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
    return QDate(1899, 12, 30).daysTo(QDate(y, mo, d)) +
           (((h * 60 + mi) * 60 + s) * 1000 + ms) / 86400000.0;
}

class TLanguage {
public:
    explicit TLanguage(int32_t lang) : FBefore(GetCurrentLanguage()) { SetCurrentLanguage(lang); }
    ~TLanguage() { SetCurrentLanguage(FBefore); }

private:
    int32_t FBefore;
};

// The process runs in a fixed zone for the test and gets its own zone and clock state back.
class AmsterdamTime : public ::testing::Test {
protected:
    void SetUp() override {
        FHadTZ = qEnvironmentVariableIsSet("TZ");
        FTZ = qgetenv("TZ");
        qputenv("TZ", "Europe/Amsterdam");
        GetTimeZones()->Refresh();
        FWasSync = GetTimeZones()->GetUTCOffsetSync();
        NavMsgGetGPSClock()->SetUTCOffsetSync(true);
    }
    void TearDown() override {
        if (FHadTZ) qputenv("TZ", FTZ);
        else qunsetenv("TZ");
        GetTimeZones()->Refresh();
        NavMsgGetGPSClock()->SetUTCOffsetSync(FWasSync);
    }

private:
    bool FHadTZ = false;
    QByteArray FTZ;
    bool FWasSync = true;
};

}  // namespace

TEST(DayAndMonthNames, EveryLanguageFollowsTheInterfaceLanguage) {
    struct Case { int lang; int32_t day; const char16_t *name; const char16_t *shortName; int32_t month; const char16_t *monthName; };
    const Case cases[] = {
        {KvLang::English, 1, u"Monday", u"Mon", 3, u"March"},
        {KvLang::Dutch, 7, u"zondag", u"zo", 3, u"maart"},
        {KvLang::German, 3, u"Mittwoch", u"Mi", 3, u"März"},
        {KvLang::French, 3, u"mercredi", u"mer.", 8, u"août"},
        {KvLang::Spanish, 6, u"sábado", u"sáb", 1, u"enero"},
        {KvLang::Italian, 5, u"venerdì", u"ven", 5, u"maggio"},
        {KvLang::Danish, 6, u"lørdag", u"lør", 3, u"marts"},
        {KvLang::Swedish, 1, u"måndag", u"mån", 8, u"augusti"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.lang);
        TLanguage lang(c.lang);
        EXPECT_EQ(Call(_DayToStr, c.day), QString::fromUtf16(c.name));
        EXPECT_EQ(Call(_DayToStrShort, c.day), QString::fromUtf16(c.shortName));
        EXPECT_EQ(Call(_MonthToStr, c.month), QString::fromUtf16(c.monthName));
    }
}

TEST(DayAndMonthNames, OutOfRangeGivesEmptyText) {
    for (int32_t bad : {0, 8, -1}) {
        SCOPED_TRACE(bad);
        EXPECT_TRUE(Call(_DayToStr, bad).isEmpty());
        EXPECT_TRUE(Call(_DayToStrShort, bad).isEmpty());
    }
    for (int32_t bad : {0, 13}) EXPECT_TRUE(Call(_MonthToStr, bad).isEmpty());
}

TEST(WeekDayFlagsToStr, RunsAndSingleDays) {
    auto bits = [](std::initializer_list<int> days) {
        uint32_t f = 0;
        for (int d : days) f |= 1u << d;
        return f;
    };
    struct Case { const char *name; uint32_t flags; int32_t lang; int32_t style; const char16_t *text; };
    const Case cases[] = {
        {"working days", bits({1, 2, 3, 4, 5}), KvLang::English, 1, u"Mon-Fri"},
        {"weekend is two single days", bits({6, 7}), KvLang::English, 1, u"Sat, Sun"},
        {"two runs", bits({1, 2, 3, 5, 6, 7}), KvLang::English, 1, u"Mon-Wed, Fri-Sun"},
        {"separate days", bits({1, 3}), KvLang::English, 1, u"Mon, Wed"},
        {"every day", bits({1, 2, 3, 4, 5, 6, 7}), KvLang::English, 1, u"Mon-Sun"},
        {"no day", 0, KvLang::English, 1, u""},
        {"bit 0 is ignored", 1u, KvLang::English, 1, u""},
        {"Dutch", bits({1, 2, 3, 4, 5}), KvLang::Dutch, 1, u"ma-vr"},
        {"German weekend", bits({6, 7}), KvLang::German, 1, u"Sa, So"},
        {"full names in another style", bits({1, 2, 3}), KvLang::English, 0, u"Monday-Wednesday"},
    };
    TLanguage interfaceLanguage(KvLang::French);  // the language argument wins
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Flags(c.flags, c.lang, c.style), QString::fromUtf16(c.text));
    }
    EXPECT_EQ(Flags(bits({6, 7}), 0, 1), QStringLiteral("sam., dim."));  // no language: interface's
}

TEST(FormatDateTime, FormatsOfTheCallersInTwoLanguages) {
    const TDateTime value = DT(2024, 3, 5, 14, 7, 9);  // a Tuesday
    struct Case { const char *format; const char16_t *english; const char16_t *dutch; };
    const Case cases[] = {
        {"yyyy", u"2024", u"2024"},
        {"ddddd", u"05/03/2024", u"5-3-2024"},
        {"dddddd", u"5 March 2024", u"5 maart 2024"},
        {"dddddd tt", u"5 March 2024 14:07:09", u"5 maart 2024 14:07:09"},
        {"d-m-yyyy hh:mm", u"5-3-2024 14:07", u"5-3-2024 14:07"},
        {"tt (dd-mm)", u"14:07:09 (05-03)", u"14:07:09 (05-03)"},
        {"hh.mm", u"14.07", u"14.07"},
        {"dddddd (tt)", u"5 March 2024 (14:07:09)", u"5 maart 2024 (14:07:09)"},
        {"(dd-mm-yyy hh.mm.ss)", u"(05-03-2024 14.07.09)", u"(05-03-2024 14.07.09)"},
        {"ddd ddddd t", u"Tue 05/03/2024 14:07", u"di 5-3-2024 14:07"},
        {"ddd d mmm yyyy h:nn", u"Tue 5 Mar 2024 14:07", u"di 5 mrt 2024 14:07"},
        {"yyyy-mm-dd hh:nn:ss", u"2024-03-05 14:07:09", u"2024-03-05 14:07:09"},
        {"h:nn", u"14:07", u"14:07"},
        {"dddd, mmmm yy", u"Tuesday, March 24", u"dinsdag, maart 24"},
        {"\"at\" hh:nn 'h'", u"at 14:07 h", u"at 14:07 h"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.format);
        {
            TLanguage lang(KvLang::English);
            EXPECT_EQ(Format(QString::fromUtf8(c.format), value), QString::fromUtf16(c.english));
        }
        {
            TLanguage lang(KvLang::Dutch);
            EXPECT_EQ(Format(QString::fromUtf8(c.format), value), QString::fromUtf16(c.dutch));
        }
    }
}

TEST(FormatDateTime, EdgeValues) {
    struct Case { const char *name; int lang; const char *format; TDateTime value; int32_t flags; const char16_t *text; };
    const Case cases[] = {
        {"Spanish long date with quoted words", KvLang::Spanish, "dddddd", DT(2024, 3, 5), 1, u"5 de marzo de 2024"},
        {"German long date", KvLang::German, "dddddd", DT(2024, 3, 5), 1, u"5. März 2024"},
        {"flags 0 give English names", KvLang::Dutch, "dddd d mmmm", DT(2024, 3, 5), 0, u"Tuesday 5 March"},
        {"before 1899-12-30 the time counts forward", KvLang::English, "yyyy-mm-dd hh:nn", -1.25, 1, u"1899-12-29 06:00"},
        {"half a millisecond before midnight rounds into the next day", KvLang::English, "yyyy-mm-dd hh:nn:ss.zzz", DT(2024, 12, 31) + (86400000 - 0.4) / 86400000.0, 1, u"2025-01-01 00:00:00.000"},
        {"milliseconds", KvLang::English, "ss.zzz", DT(2024, 3, 5, 0, 0, 7, 42), 1, u"07.042"},
        {"not a number", KvLang::English, "yyyy", std::nan(""), 1, u""},
        {"beyond year 9999", KvLang::English, "yyyy", 1.0e7, 1, u""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TLanguage lang(c.lang);
        EXPECT_EQ(Format(QString::fromUtf8(c.format), c.value, c.flags), QString::fromUtf16(c.text));
    }
}

TEST(DateTimeMSecs, RoundTripAndDelphiNegativeDates) {
    struct Case { TDateTime value; int64_t msecs; };
    const Case cases[] = {
        {25569.0, 0},
        {25569.5, 43200000},
        {0.0, -25569LL * 86400000},
        {-1.25, -25570LL * 86400000 + 21600000},
        {DT(2024, 3, 31, 1, 0), QDateTime(QDate(2024, 3, 31), QTime(1, 0), Qt::UTC).toMSecsSinceEpoch()},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(kv::DateTimeToMSecs(c.value), c.msecs);
        EXPECT_NEAR(kv::MSecsToDateTime(c.msecs), c.value, 1e-9);
    }
}

TEST_F(AmsterdamTime, LocalToUTCAcrossDaylightSavingChanges) {
    struct Case { const char *name; TDateTime local; TDateTime utc; };
    const Case cases[] = {
        {"winter day before the spring change", DT(2024, 3, 30, 12, 0), DT(2024, 3, 30, 11, 0)},
        {"last winter minute", DT(2024, 3, 31, 1, 59), DT(2024, 3, 31, 0, 59)},
        {"skipped hour is read with winter time", DT(2024, 3, 31, 2, 30), DT(2024, 3, 31, 1, 30)},
        {"first summer hour", DT(2024, 3, 31, 3, 30), DT(2024, 3, 31, 1, 30)},
        {"summer afternoon", DT(2024, 3, 31, 12, 0), DT(2024, 3, 31, 10, 0)},
        {"repeated hour takes the first instant", DT(2024, 10, 27, 2, 30), DT(2024, 10, 27, 0, 30)},
        {"winter again", DT(2024, 10, 27, 12, 0), DT(2024, 10, 27, 11, 0)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NEAR(GetDateTimeUTC(c.local), c.utc, 1e-7);
    }
}

TEST_F(AmsterdamTime, UTCToLocalAcrossDaylightSavingChangesAndBack) {
    struct Case { TDateTime utc; TDateTime local; };
    const Case cases[] = {
        {DT(2024, 3, 31, 0, 59), DT(2024, 3, 31, 1, 59)},
        {DT(2024, 3, 31, 1, 0), DT(2024, 3, 31, 3, 0)},
        {DT(2024, 10, 27, 0, 30), DT(2024, 10, 27, 2, 30)},
        {DT(2024, 10, 27, 1, 30), DT(2024, 10, 27, 2, 30)},
        {DT(2024, 7, 1, 12, 0), DT(2024, 7, 1, 14, 0)},
        {DT(2024, 1, 1, 23, 30), DT(2024, 1, 2, 0, 30)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.utc);
        EXPECT_NEAR(GetLocalDateTime(c.utc), c.local, 1e-7);
    }
    // Every quarter of an hour of both change days survives the round trip, except the
    // second pass of the repeated autumn hour, which reads back as its first.
    for (TDateTime day : {DT(2024, 3, 30), DT(2024, 10, 26)}) {
        for (int q = 0; q < 2 * 96; ++q) {
            const TDateTime utc = day + q / 96.0;
            SCOPED_TRACE(utc);
            const bool secondPass = utc >= DT(2024, 10, 27, 1, 0) && utc < DT(2024, 10, 27, 2, 0);
            const TDateTime back = GetDateTimeUTC(GetLocalDateTime(utc));
            EXPECT_NEAR(back, secondPass ? utc - 1.0 / 24 : utc, 1e-7);
        }
    }
}

TEST_F(AmsterdamTime, UserOffsetReplacesTheZoneWhileSyncIsOff) {
    INavMsgGPSClock *clock = NavMsgGetGPSClock();
    ITimeZones *zones = GetTimeZones();
    const int32_t computer = clock->GetComputerUTCOffset();
    EXPECT_TRUE(computer == 60 || computer == 120);  // Amsterdam, winter or summer
    EXPECT_EQ(clock->GetUTCOffset(), computer);
    EXPECT_EQ(zones->GetUTCOffset(), computer);

    clock->SetUTCOffset(-300);
    clock->SetUTCOffsetSync(false);
    EXPECT_FALSE(zones->GetUTCOffsetSync());
    EXPECT_EQ(clock->GetUTCOffset(), -300);
    EXPECT_EQ(zones->GetUTCOffset(), -300);
    EXPECT_EQ(clock->GetComputerUTCOffset(), computer);
    // A fixed offset knows no daylight saving: summer and winter alike.
    EXPECT_NEAR(GetLocalDateTime(DT(2024, 7, 1, 12, 0)), DT(2024, 7, 1, 7, 0), 1e-7);
    EXPECT_NEAR(GetLocalDateTime(DT(2024, 1, 1, 12, 0)), DT(2024, 1, 1, 7, 0), 1e-7);
    EXPECT_NEAR(GetDateTimeUTC(DT(2024, 7, 1, 7, 0)), DT(2024, 7, 1, 12, 0), 1e-7);

    clock->UseComputerUTCOffset();
    EXPECT_EQ(clock->GetUTCOffset(), computer);

    clock->SetUTCOffsetSync(true);
    EXPECT_TRUE(zones->GetUTCOffsetSync());
    EXPECT_NEAR(GetLocalDateTime(DT(2024, 7, 1, 12, 0)), DT(2024, 7, 1, 14, 0), 1e-7);
}

TEST_F(AmsterdamTime, RefreshFollowsAChangedZone) {
    qputenv("TZ", "America/New_York");
    GetTimeZones()->Refresh();
    EXPECT_NEAR(GetLocalDateTime(DT(2024, 1, 15, 12, 0)), DT(2024, 1, 15, 7, 0), 1e-7);
    qputenv("TZ", "Europe/Amsterdam");
    GetTimeZones()->Refresh();
    EXPECT_NEAR(GetLocalDateTime(DT(2024, 1, 15, 12, 0)), DT(2024, 1, 15, 13, 0), 1e-7);
}

TEST(GPSClock, RunsOnTheSystemClockWithoutAReceiver) {
    const TDateTime before = kv::MSecsToDateTime(QDateTime::currentMSecsSinceEpoch());
    const TDateTime clock = NavMsgGetGPSClock()->GetDateTimeUTC();
    const TDateTime zones = GetTimeZones()->GetNowUTC();
    const TDateTime after = kv::MSecsToDateTime(QDateTime::currentMSecsSinceEpoch());
    EXPECT_GE(clock, before - 1e-9);
    EXPECT_LE(clock, after + 1e-9);
    EXPECT_GE(zones, before - 1e-9);
    EXPECT_LE(zones, after + 1e-9);
    EXPECT_EQ(NavMsgGetGPSClock(), NavMsgGetGPSClock());  // one clock for the run
    EXPECT_EQ(GetTimeZones(), GetTimeZones());
}

TEST(GPSTimeKeeper, KeepsTheOffsetToTheSystemClock) {
    kv::TGPSTimeKeeper keeper;
    const TDateTime system = DT(2020, 1, 1, 0, 0);  // a computer with a wrong date
    EXPECT_FALSE(keeper.HasTime());
    EXPECT_EQ(keeper.Now(system), system);

    keeper.SetDateTime(DT(2024, 3, 5, 23, 59, 58), system);
    EXPECT_TRUE(keeper.HasDate());
    // The clock runs on with the system clock between fixes.
    EXPECT_NEAR(keeper.Now(system + 60.0 / 86400), DT(2024, 3, 5, 23, 59, 58) + 60.0 / 86400, 1e-9);
}

TEST(GPSTimeKeeper, TimeOfDayKeepsTheLastKnownDay) {
    const TDateTime system = DT(2020, 1, 1, 12, 0);
    const double s = 1.0 / 86400;
    struct Case {
        const char *name; TDateTime rmc; double elapsed; double seconds; TDateTime expected;
    };
    const Case cases[] = {
        {"same day", DT(2024, 3, 5, 10, 0, 0), 5 * s, 10 * 3600 + 5, DT(2024, 3, 5, 10, 0, 5)},
        {"past midnight moves to the next day", DT(2024, 3, 5, 23, 59, 58), 3 * s, 1, DT(2024, 3, 6, 0, 0, 1)},
        {"a late fix from before midnight stays on the day before", DT(2024, 3, 5, 23, 59, 59), 2 * s, 86399, DT(2024, 3, 5, 23, 59, 59)},
        {"year end", DT(2024, 12, 31, 23, 59, 59), 2 * s, 0.5, DT(2025, 1, 1, 0, 0, 0, 500)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        kv::TGPSTimeKeeper keeper;
        keeper.SetDateTime(c.rmc, system);
        ASSERT_TRUE(keeper.SetTimeOfDay(c.seconds, system + c.elapsed));
        EXPECT_NEAR(keeper.Now(system + c.elapsed), c.expected, 1e-8);
        EXPECT_TRUE(keeper.HasDate());
    }
}

TEST(GPSTimeKeeper, TimeOfDayBeforeAnyDateTakesTheSystemDay) {
    kv::TGPSTimeKeeper keeper;
    const TDateTime system = DT(2024, 3, 5, 10, 0, 0);
    ASSERT_TRUE(keeper.SetTimeOfDay(10 * 3600 + 7, system));
    EXPECT_TRUE(keeper.HasTime());
    EXPECT_FALSE(keeper.HasDate());
    EXPECT_NEAR(keeper.Now(system), DT(2024, 3, 5, 10, 0, 7), 1e-8);
}

TEST(GPSTimeKeeper, ImpossibleTimesAreRefusedAndChangeNothing) {
    kv::TGPSTimeKeeper keeper;
    const TDateTime system = DT(2024, 3, 5, 10, 0, 0);
    keeper.SetDateTime(DT(2024, 3, 5, 10, 0, 30), system);
    for (double bad : {-1.0, 86401.0, std::nan(""), double(INFINITY)}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(keeper.SetTimeOfDay(bad, system));
        EXPECT_NEAR(keeper.Now(system), DT(2024, 3, 5, 10, 0, 30), 1e-9);
    }
    keeper.SetDateTime(std::nan(""), system);
    EXPECT_NEAR(keeper.Now(system), DT(2024, 3, 5, 10, 0, 30), 1e-9);
}
