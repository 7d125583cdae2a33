#include "base/strings/KvFormatSettings.h"

#include <gtest/gtest.h>

namespace {
std::string S(const QString &s) { return s.toStdString(); }
}  // namespace

TEST(KvFormatSettings, InvariantRecord) {
    const TFormatSettings &fs = InvariantFormatSettings();
    EXPECT_EQ(fs.DecimalSeparator, u'.');
    EXPECT_EQ(fs.ThousandSeparator, u',');
    EXPECT_EQ(fs.DateSeparator, u'/');
    EXPECT_EQ(fs.TimeSeparator, u':');
    EXPECT_EQ(fs.ListSeparator, u',');
    EXPECT_EQ(fs.CurrencyFormat, 0);
    EXPECT_EQ(fs.NegCurrFormat, 12);
    EXPECT_EQ(fs.CurrencyDecimals, 2);
    EXPECT_EQ(S(fs.CurrencyString), "$");
    EXPECT_EQ(S(fs.ShortDateFormat), "m/d/yyyy");
    EXPECT_EQ(S(fs.LongDateFormat), "mmmm d yyyy");
    EXPECT_EQ(S(fs.ShortTimeFormat), "hh:nn:ss");
    EXPECT_EQ(S(fs.LongTimeFormat), "hh:nn:ss");
    EXPECT_EQ(S(fs.TimeAMString), "am");
    EXPECT_EQ(S(fs.TimePMString), "pm");
    EXPECT_EQ(S(fs.ShortMonthNames[0]), "Jan");
    EXPECT_EQ(S(fs.LongMonthNames[11]), "December");
    EXPECT_EQ(S(fs.ShortDayNames[0]), "Sun");
    EXPECT_EQ(S(fs.LongDayNames[6]), "Saturday");
    EXPECT_EQ(fs.TwoDigitYearCenturyWindow, 50);
    // One record for the whole run.
    EXPECT_EQ(&InvariantFormatSettings(), &fs);
    EXPECT_EQ(&UserFormatSettings(), &LocaleFormatSettings());
}

TEST(KvFormatSettings, FromALocale) {
    struct Case { const char *name; QLocale locale; char16_t decimal, thousand, date; const char *shortDate;
                  const char *january; const char *sunday; };
    const Case cases[] = {
        {"German", QLocale(QLocale::German, QLocale::Germany), u',', u'.', u'.', "dd.mm.yy",
         "Januar", "Sonntag"},
        {"Dutch", QLocale(QLocale::Dutch, QLocale::Netherlands), u',', u'.', u'-', "dd-mm-yyyy",
         "januari", "zondag"},
        {"US English", QLocale(QLocale::English, QLocale::UnitedStates), u'.', u',', u'/',
         "m/d/yy", "January", "Sunday"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const TFormatSettings fs = MakeFormatSettings(c.locale);
        EXPECT_EQ(fs.DecimalSeparator, QChar(c.decimal));
        EXPECT_EQ(fs.ThousandSeparator, QChar(c.thousand));
        EXPECT_EQ(fs.DateSeparator, QChar(c.date));
        EXPECT_EQ(S(fs.ShortDateFormat), c.shortDate);
        EXPECT_EQ(S(fs.LongMonthNames[0]), c.january);
        EXPECT_EQ(S(fs.LongDayNames[0]), c.sunday);
        EXPECT_EQ(fs.TimeSeparator, u':');
        EXPECT_EQ(fs.ShortTimeFormat.count(u'n'), 2);  // minutes are "nn", not "mm"
        EXPECT_EQ(fs.TwoDigitYearCenturyWindow, 50);
    }
}

TEST(KvFormatSettings, FloatToStrFixed) {
    TFormatSettings comma = InvariantFormatSettings();
    comma.DecimalSeparator = u',';
    const TFormatSettings &dot = InvariantFormatSettings();
    struct Case { const char *name; double value; int decimals; const TFormatSettings *fs; const char *text; };
    const Case cases[] = {
        {"plain", 1.5, 1, &dot, "1.5"},
        {"locale separator", 1.5, 2, &comma, "1,50"},
        {"half away from zero", 2.5, 0, &dot, "3"},
        {"negative half away", -2.5, 0, &dot, "-3"},
        {"decimal half of a binary value below it", 1.005, 2, &dot, "1.01"},
        {"carry into a new digit", 9.996, 2, &dot, "10.00"},
        {"small", 0.06, 1, &dot, "0.1"},
        {"smaller than the last decimal", 0.004, 2, &dot, "0.00"},
        {"no negative zero", -0.001, 1, &dot, "0.0"},
        {"zero", 0.0, 2, &dot, "0.00"},
        {"large", 5242880.0, 0, &dot, "5242880"},
        {"NaN", std::nan(""), 2, &dot, "NAN"},
        {"infinity", -HUGE_VAL, 2, &dot, "-INF"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(S(FloatToStrFixed(c.value, 15, c.decimals, *c.fs)), c.text);
    }
}

TEST(KvFormatSettings, TryTextToFloat) {
    TFormatSettings comma = InvariantFormatSettings();
    comma.DecimalSeparator = u',';
    const TFormatSettings &dot = InvariantFormatSettings();
    struct Case { const char *text; const TFormatSettings *fs; bool ok; double value; };
    const Case cases[] = {
        {"1.25", &dot, true, 1.25},   {"1,25", &comma, true, 1.25}, {"1,25", &dot, false, 0},
        {" -2 ", &dot, true, -2},     {"+.5", &dot, true, 0.5},     {"5.", &dot, true, 5},
        {"1e3", &dot, true, 1000},    {"1E-2", &dot, true, 0.01},   {"1e", &dot, false, 0},
        {".", &dot, false, 0},        {"", &dot, false, 0},         {"inf", &dot, false, 0},
        {"1 000", &dot, false, 0},    {"1e999", &dot, false, 0},    {"--1", &dot, false, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        double v = 42;
        EXPECT_EQ(TryTextToFloat(QString::fromLatin1(c.text), v, *c.fs), c.ok);
        EXPECT_DOUBLE_EQ(v, c.ok ? c.value : 42);
    }
}
