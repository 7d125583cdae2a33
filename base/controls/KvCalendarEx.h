// An owner-drawn month calendar: month header, weekday row, ISO week column and a 7 × 6
// grid starting on Monday. Used by the date-time dialog. GUI thread only.
#pragma once

#include <KvLibNav6/KvGraphics.h>
#include <KvLibNav6/KvTypes.h>

#include <QColor>
#include <QDate>
#include <QDateTime>
#include <QFont>
#include <QWidget>
#include <functional>

// TDateTime (days since 30 December 1899, the fraction the time of day) and Qt's types.
// Before 1899-12-30 the fraction still counts forwards from midnight of the whole day.
namespace KvCalendar {
TDateTime FromQDateTime(const QDate &date, const QTime &time = QTime(0, 0));
QDateTime ToQDateTime(TDateTime value);
inline QDate ToQDate(TDateTime value) { return ToQDateTime(value).date(); }

// Monday 0 … Sunday 6 of the first of the month: the grid index of day 1.
int MonthOffset(int year, int month);
// The date of grid cell index (0..41): days before index offset belong to the previous
// month, after the last day to the next.
QDate CellDate(int year, int month, int index);
// ISO 8601 week number of the Monday in column 0 of row (0..5).
int RowWeek(int year, int month, int row);
// Rounds to the nearest integer, halves to the even one.
int RoundHalfEven(float value);
}  // namespace KvCalendar

enum TCalendarOption {
    coClickIndirect = 0x01,
    coShowGrid = 0x02,
    coShowHeader = 0x04,
    coShowHeaderDay = 0x08,
    coShowHeaderWeek = 0x10,
    coShowIndirect = 0x20,
    coShowWeekend = 0x40,
};
Q_DECLARE_FLAGS(TCalendarOptions, TCalendarOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TCalendarOptions)

// A font with its colour (the colour is part of a font here).
struct TCalendarFont {
    QFont Font;
    TColor Color = 0;
};

class TCalendarEx : public QWidget {
    Q_OBJECT
public:
    explicit TCalendarEx(QWidget *parent = nullptr);

    TDateTime Date() const { return FDate; }
    // A different value asks OnSelectAllowed; a refused one is not stored, yet OnSelect
    // fires in both cases.
    void SetDate(TDateTime value);
    int CurrentDay() const;
    int CurrentMonth() const;
    int CurrentYear() const;
    // The day is limited to the month's length (29 February becomes 28 in another year).
    void SetCurrentDay(int day);
    void SetCurrentMonth(int month);
    void SetCurrentYear(int year);

    // $00BBGGRR.
    TColor ColorDay = 0xFFFFFF, ColorDayNow = 0x70D2FF, ColorDaySelected = 0xFFC0C0,
           ColorDayWeekend = 0xE0E0E0, ColorGrid = 0xC0C0C0, ColorHeader = 0x000000,
           ColorHeaderDay = 0x808080, ColorHeaderWeek = 0x808080;
    void SetColors() { update(); }  // repaints after the colour fields changed
    const TCalendarFont &FontDay() const { return FFontDay; }
    const TCalendarFont &FontDayIndirect() const { return FFontDayIndirect; }
    const TCalendarFont &FontHeader() const { return FFontHeader; }
    const TCalendarFont &FontHeaderDay() const { return FFontHeaderDay; }
    const TCalendarFont &FontHeaderWeek() const { return FFontHeaderWeek; }
    void SetFontDay(const TCalendarFont &f) { FFontDay = f; update(); }
    void SetFontDayIndirect(const TCalendarFont &f) { FFontDayIndirect = f; update(); }
    void SetFontHeader(const TCalendarFont &f) { FFontHeader = f; update(); }
    void SetFontHeaderDay(const TCalendarFont &f) { FFontHeaderDay = f; update(); }
    void SetFontHeaderWeek(const TCalendarFont &f) { FFontHeaderWeek = f; update(); }

    int HeaderHeight() const { return FHeaderHeight; }
    int HeaderHeightDay() const { return FHeaderHeightDay; }
    int HeaderWidthWeek() const { return FHeaderWidthWeek; }
    void SetHeaderHeight(int v);
    void SetHeaderHeightDay(int v);
    void SetHeaderWidthWeek(int v);
    TCalendarOptions Options() const { return FOptions; }
    void SetOptions(TCalendarOptions options);

    std::function<void(QObject *sender)> OnSelect;
    std::function<void(QObject *sender, TDateTime date, bool &allowed)> OnSelectAllowed;
    std::function<void(QObject *sender)> OnClickHeader;
    // 1 = Monday … 7 = Sunday.
    std::function<void(QObject *sender, int dayNumber)> OnClickHeaderDay;
    std::function<void(QObject *sender, int weekNumber)> OnClickHeaderWeek;

    // Layout, in client coordinates.
    int GridLeft() const { return FGridLeft; }
    int GridTop() const { return FGridTop; }
    int DayRowTop() const { return FDayRowTop; }
    QRect CellRect(int row, int column) const;
    // The text cell index (0..41) shows; empty outside the month without coShowIndirect.
    QString CellText(int index) const;

protected:
    void paintEvent(QPaintEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;

private:
    void UpdateLayout();
    void ClickAt(double x, double y);
    QColor Night(TColor c) const;
    void SelectClicked(const QDate &date);

    TDateTime FDate;
    TCalendarFont FFontDay, FFontDayIndirect, FFontHeader, FFontHeaderDay, FFontHeaderWeek;
    int FHeaderHeight = 20, FHeaderHeightDay = 20, FHeaderWidthWeek = 20;
    TCalendarOptions FOptions = coClickIndirect | coShowGrid | coShowHeader | coShowHeaderDay |
                                coShowHeaderWeek | coShowIndirect | coShowWeekend;
    int FGridLeft = 0, FGridTop = 0, FDayRowTop = 0;
};
