#include "base/controls/KvCalendarEx.h"

#include <gtest/gtest.h>

#include <QTest>

using namespace KvCalendar;

TEST(CalendarLayout, MonthOffsetAndIndirectDays) {
    EXPECT_EQ(MonthOffset(2024, 6), 5) << "1 June 2024 is a Saturday";
    TCalendarEx cal;
    cal.SetDate(FromQDateTime(QDate(2024, 6, 15)));
    EXPECT_EQ(cal.CellText(5), QStringLiteral("01"));
    const char *may[] = {"27", "28", "29", "30", "31"};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(cal.CellText(i), QString::fromLatin1(may[i])) << i;
    EXPECT_EQ(cal.CellText(34), QStringLiteral("30"));
    EXPECT_EQ(cal.CellText(35), QStringLiteral("01")) << "July follows";
    cal.SetOptions(cal.Options() & ~TCalendarOptions(coShowIndirect));
    EXPECT_EQ(cal.CellText(0), QString()) << "without coShowIndirect other months stay empty";
    EXPECT_EQ(cal.CellText(5), QStringLiteral("01"));
}

TEST(CalendarLayout, IsoWeekNumbersAcrossYearBoundaries) {
    struct Case { const char *name; int year, month; int weeks[6]; };
    const Case cases[] = {
        {"December 2024", 2024, 12, {48, 49, 50, 51, 52, 1}},
        {"January 2021", 2021, 1, {53, 1, 2, 3, 4, 5}},
        {"January 2027 (starts on a Friday)", 2027, 1, {53, 1, 2, 3, 4, 5}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        for (int row = 0; row < 6; ++row) EXPECT_EQ(RowWeek(c.year, c.month, row), c.weeks[row]) << row;
    }
}

TEST(CalendarLayout, CellEdgesRoundHalvesToEven) {
    TCalendarEx cal;
    cal.SetOptions(TCalendarOptions());  // no headers: grid at 0, 0
    cal.resize(70, 9);                   // rows 1.5 pixels high
    EXPECT_EQ(cal.CellRect(1, 0).top(), 2) << "1.5 rounds to 2";
    EXPECT_EQ(cal.CellRect(3, 0).top(), 4) << "4.5 rounds to 4, not 5";
    EXPECT_EQ(cal.CellRect(5, 0).top(), 8) << "7.5 rounds to 8";
    EXPECT_EQ(cal.CellRect(0, 3).left(), 30);
}

TEST(CalendarLayout, TDateTimeRoundTrip) {
    const QDate d(2024, 2, 29);
    EXPECT_EQ(FromQDateTime(QDate(1899, 12, 30)), 0.0);
    EXPECT_EQ(FromQDateTime(QDate(1899, 12, 29), QTime(6, 0)), -1.25);
    EXPECT_EQ(ToQDateTime(-1.25), QDateTime(QDate(1899, 12, 29), QTime(6, 0)));
    EXPECT_EQ(ToQDateTime(FromQDateTime(d, QTime(13, 45))), QDateTime(d, QTime(13, 45)));
}

namespace {

struct TClickFixture {
    TCalendarEx Cal;
    int Selects = 0;
    TClickFixture() {
        Cal.resize(230, 200);
        Cal.SetDate(FromQDateTime(QDate(2024, 6, 15)));
        Cal.OnSelect = [this](QObject *) { ++Selects; };
        Cal.show();
    }
    void Click(int row, int column) {
        QTest::mouseClick(&Cal, Qt::LeftButton, {}, Cal.CellRect(row, column).center());
    }
};

}  // namespace

TEST(CalendarEx, ClickOnPreviousMonthDayNeedsClickIndirect) {
    struct Case { const char *name; TCalendarOptions extra; bool selects; };
    const Case cases[] = {{"with coClickIndirect", coClickIndirect, true},
                          {"only coShowIndirect", {}, false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TClickFixture f;
        f.Cal.SetOptions(coShowIndirect | coShowHeader | coShowHeaderDay | coShowHeaderWeek | c.extra);
        f.Click(0, 1);  // 28 May
        EXPECT_EQ(ToQDate(f.Cal.Date()), c.selects ? QDate(2024, 5, 28) : QDate(2024, 6, 15));
        EXPECT_EQ(f.Selects, c.selects ? 1 : 0);
    }
}

TEST(CalendarEx, ClickOnNextMonthDayOfDecemberGoesToJanuary) {
    TClickFixture f;
    f.Cal.SetDate(FromQDateTime(QDate(2024, 12, 10)));
    f.Selects = 0;
    f.Click(5, 6);  // offset 6, 31 days: index 41 is 5 January
    EXPECT_EQ(ToQDate(f.Cal.Date()), QDate(2025, 1, 5));
    EXPECT_EQ(f.Selects, 1);
}

TEST(CalendarEx, VetoKeepsDateOnClickButSetDateStillAnnounces) {
    TClickFixture f;
    f.Cal.OnSelectAllowed = [](QObject *, TDateTime, bool &allowed) { allowed = false; };
    f.Click(2, 2);
    EXPECT_EQ(ToQDate(f.Cal.Date()), QDate(2024, 6, 15));
    EXPECT_EQ(f.Selects, 0) << "a refused click announces nothing";
    f.Cal.SetDate(FromQDateTime(QDate(2024, 6, 20)));
    EXPECT_EQ(ToQDate(f.Cal.Date()), QDate(2024, 6, 15));
    EXPECT_EQ(f.Selects, 1) << "SetDate fires OnSelect also when refused";
}

TEST(CalendarEx, ClickOnSelectedDayDropsTheTimeOfDay) {
    TClickFixture f;
    f.Cal.SetDate(FromQDateTime(QDate(2024, 6, 15), QTime(14, 30)));
    f.Selects = 0;
    f.Click(2, 5);  // index 19: 15 June
    EXPECT_EQ(f.Cal.Date(), FromQDateTime(QDate(2024, 6, 15)));
    EXPECT_EQ(f.Selects, 1);
    f.Click(2, 5);
    EXPECT_EQ(f.Selects, 1) << "the same date again changes nothing";
}

TEST(CalendarEx, HeaderClicksReportDayAndWeek) {
    TClickFixture f;
    int day = 0, week = 0, header = 0;
    f.Cal.OnClickHeader = [&](QObject *) { ++header; };
    f.Cal.OnClickHeaderDay = [&](QObject *, int d) { day = d; };
    f.Cal.OnClickHeaderWeek = [&](QObject *, int w) { week = w; };
    QTest::mouseClick(&f.Cal, Qt::LeftButton, {}, QPoint(100, 5));
    EXPECT_EQ(header, 1);
    const QRect wed = f.Cal.CellRect(0, 2);
    QTest::mouseClick(&f.Cal, Qt::LeftButton, {}, QPoint(wed.center().x(), f.Cal.DayRowTop() + 10));
    EXPECT_EQ(day, 3);
    QTest::mouseClick(&f.Cal, Qt::LeftButton, {}, QPoint(5, f.Cal.CellRect(3, 0).center().y()));
    EXPECT_EQ(week, 25) << "row 3 of June 2024 starts on Monday 17 June";
    EXPECT_EQ(f.Selects, 0);
}

TEST(CalendarEx, DaySettersLimitToTheMonthLength) {
    struct Case { const char *name; QDate start; int day, month, year; QDate expected; };
    const Case cases[] = {
        {"29 February to 2023", QDate(2024, 2, 29), 0, 0, 2023, QDate(2023, 2, 28)},
        {"31 January to February", QDate(2024, 1, 31), 0, 2, 0, QDate(2024, 2, 29)},
        {"day beyond the month", QDate(2023, 4, 10), 31, 0, 0, QDate(2023, 4, 30)},
        {"month 13 ignored", QDate(2023, 4, 10), 0, 13, 0, QDate(2023, 4, 10)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TCalendarEx cal;
        cal.SetDate(FromQDateTime(c.start));
        if (c.day) cal.SetCurrentDay(c.day);
        if (c.month) cal.SetCurrentMonth(c.month);
        if (c.year) cal.SetCurrentYear(c.year);
        EXPECT_EQ(ToQDate(cal.Date()), c.expected);
    }
}

TEST(CalendarEx, PaintsWithoutHeadersAndWithAll) {
    for (TCalendarOptions o : {TCalendarOptions(), TCalendarOptions(0x7F)}) {
        TCalendarEx cal;
        cal.SetOptions(o);
        cal.resize(210, 180);
        const QImage img = cal.grab().toImage();
        EXPECT_EQ(img.size(), QSize(210, 180));
        // The selected day's background is drawn somewhere in the grid.
        bool found = false;
        for (int y = cal.GridTop(); y < img.height() && !found; ++y)
            for (int x = cal.GridLeft(); x < img.width() && !found; ++x)
                found = img.pixelColor(x, y) == QColor(0xC0, 0xC0, 0xFF);
        EXPECT_TRUE(found);
    }
}
