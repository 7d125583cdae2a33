#include "base/controls/KvCalendarEx.h"

#include "base/controls/KvControls.h"
#include "base/graphics/KvNightScreen.h"
#include "base/units/KvUnitsTime.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace KvCalendar {

namespace {
const QDate Epoch(1899, 12, 30);
constexpr double MsPerDay = 86400000.0;
}  // namespace

TDateTime FromQDateTime(const QDate &date, const QTime &time) {
    const double days = double(Epoch.daysTo(date));
    const double fraction = (time.isValid() ? time.msecsSinceStartOfDay() : 0) / MsPerDay;
    return days < 0 ? days - fraction : days + fraction;
}

QDateTime ToQDateTime(TDateTime value) {
    const double whole = std::trunc(value);
    int64_t ms = std::llround(std::fabs(value - whole) * MsPerDay);
    if (ms >= int64_t(MsPerDay)) ms = int64_t(MsPerDay) - 1;
    return QDateTime(Epoch.addDays(int64_t(whole)), QTime::fromMSecsSinceStartOfDay(int(ms)));
}

int MonthOffset(int year, int month) {
    return QDate(year, month, 1).dayOfWeek() - 1;
}

QDate CellDate(int year, int month, int index) {
    return QDate(year, month, 1).addDays(index - MonthOffset(year, month));
}

int RowWeek(int year, int month, int row) {
    return CellDate(year, month, row * 7).weekNumber();
}

int RoundHalfEven(float value) {
    return int(std::nearbyint(value));
}

}  // namespace KvCalendar

using namespace KvCalendar;

TCalendarEx::TCalendarEx(QWidget *parent) : QWidget(parent) {
    const QDateTime now = QDateTime::currentDateTime();
    FDate = FromQDateTime(now.date(), now.time());
    QFont tahoma(QStringLiteral("Tahoma"));
    QFont bold = tahoma;
    bold.setBold(true);
    FFontDay = {tahoma, 0x000000};
    FFontDayIndirect = {tahoma, 0xC0C0C0};
    FFontHeader = {bold, 0xFFFFFF};
    FFontHeaderDay = {tahoma, 0xFFFFFF};
    FFontHeaderWeek = {tahoma, 0xFFFFFF};
    resize(200, 175);
    UpdateLayout();
}

void TCalendarEx::UpdateLayout() {
    FGridLeft = FOptions.testFlag(coShowHeaderWeek) ? FHeaderWidthWeek : 0;
    FDayRowTop = FOptions.testFlag(coShowHeader) ? FHeaderHeight : 0;
    FGridTop = FDayRowTop + (FOptions.testFlag(coShowHeaderDay) ? FHeaderHeightDay : 0);
}

void TCalendarEx::SetHeaderHeight(int v) {
    FHeaderHeight = v;
    UpdateLayout();
    update();
}

void TCalendarEx::SetHeaderHeightDay(int v) {
    FHeaderHeightDay = v;
    UpdateLayout();
    update();
}

void TCalendarEx::SetHeaderWidthWeek(int v) {
    FHeaderWidthWeek = v;
    UpdateLayout();
    update();
}

void TCalendarEx::SetOptions(TCalendarOptions options) {
    if (options == FOptions) return;
    FOptions = options;
    UpdateLayout();
    update();
}

void TCalendarEx::SetDate(TDateTime value) {
    if (value == FDate) return;
    bool allowed = true;
    if (OnSelectAllowed) OnSelectAllowed(this, value, allowed);
    if (allowed) FDate = value;
    if (OnSelect) OnSelect(this);
    update();
}

int TCalendarEx::CurrentDay() const { return ToQDate(FDate).day(); }
int TCalendarEx::CurrentMonth() const { return ToQDate(FDate).month(); }
int TCalendarEx::CurrentYear() const { return ToQDate(FDate).year(); }

void TCalendarEx::SetCurrentDay(int day) {
    const QDate d = ToQDate(FDate);
    if (day == d.day() || day <= 0) return;
    SetDate(FromQDateTime(QDate(d.year(), d.month(), std::min(day, d.daysInMonth()))));
    update();
}

void TCalendarEx::SetCurrentMonth(int month) {
    const QDate d = ToQDate(FDate);
    if (month == d.month() || month <= 0 || month > 12) return;
    const QDate first(d.year(), month, 1);
    SetDate(FromQDateTime(QDate(d.year(), month, std::min(d.day(), first.daysInMonth()))));
    update();
}

void TCalendarEx::SetCurrentYear(int year) {
    const QDate d = ToQDate(FDate);
    if (year == d.year() || year == 0) return;
    const QDate first(year, d.month(), 1);
    SetDate(FromQDateTime(QDate(year, d.month(), std::min(d.day(), first.daysInMonth()))));
    update();
}

QRect TCalendarEx::CellRect(int row, int column) const {
    const float cw = float(width() - FGridLeft) / 7.0f;
    const float ch = float(height() - FGridTop) / 6.0f;
    const int left = FGridLeft + RoundHalfEven(float(column) * cw);
    const int right = FGridLeft + RoundHalfEven(float(column + 1) * cw);
    const int top = FGridTop + RoundHalfEven(float(row) * ch);
    const int bottom = FGridTop + RoundHalfEven(float(row + 1) * ch);
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

QString TCalendarEx::CellText(int index) const {
    const QDate sel = ToQDate(FDate);
    const int offset = MonthOffset(sel.year(), sel.month());
    const bool inMonth = index >= offset && index < offset + sel.daysInMonth();
    if (!inMonth && !FOptions.testFlag(coShowIndirect)) return {};
    return QStringLiteral("%1").arg(CellDate(sel.year(), sel.month(), index).day(), 2, 10, QChar(u'0'));
}

QColor TCalendarEx::Night(TColor c) const {
    INightScreen *ns = NightScreen();
    return TColorToColor(ns ? ns->ConvertColor(c) : c);
}

void TCalendarEx::paintEvent(QPaintEvent *) {
    QPainter p(this);
    const QDate sel = ToQDate(FDate);
    const QDate today = QDate::currentDate();
    auto cell = [&](const QRect &r, TColor back, const TCalendarFont &font, const QString &text) {
        p.fillRect(r, Night(back));
        p.setFont(font.Font);
        p.setPen(Night(font.Color));
        p.drawText(r, Qt::AlignCenter | Qt::TextSingleLine, text);
    };
    if (FOptions.testFlag(coShowHeader))
        cell(QRect(0, 0, width(), FHeaderHeight), ColorHeader, FFontHeader,
             MonthToStr(sel.month()) + u' ' + QStringLiteral("%1").arg(sel.year(), 4, 10, QChar(u'0')));
    if (FOptions.testFlag(coShowHeaderDay)) {
        p.fillRect(QRect(0, FDayRowTop, width(), FHeaderHeightDay), Night(ColorHeaderDay));
        for (int j = 0; j < 7; ++j) {
            const QRect c = CellRect(0, j);
            cell(QRect(c.left(), FDayRowTop, c.width(), FHeaderHeightDay), ColorHeaderDay,
                 FFontHeaderDay, DayToStrShort(j + 1));
        }
    }
    if (FOptions.testFlag(coShowHeaderWeek)) {
        p.fillRect(QRect(0, FGridTop, FHeaderWidthWeek, height() - FGridTop), Night(ColorHeaderWeek));
        for (int i = 0; i < 6; ++i) {
            const QRect c = CellRect(i, 0);
            cell(QRect(0, c.top(), FHeaderWidthWeek, c.height()), ColorHeaderWeek, FFontHeaderWeek,
                 QStringLiteral("%1").arg(RowWeek(sel.year(), sel.month(), i), 2, 10, QChar(u'0')));
        }
    }
    p.fillRect(QRect(FGridLeft, FGridTop, width() - FGridLeft, height() - FGridTop),
               TColorToColor(ColorDay));
    const int offset = MonthOffset(sel.year(), sel.month());
    for (int index = 0; index < 42; ++index) {
        const int row = index / 7, column = index % 7;
        const QRect r = CellRect(row, column);
        const QDate d = CellDate(sel.year(), sel.month(), index);
        if (index >= offset && index < offset + sel.daysInMonth()) {
            TColor back = ColorDay;
            if (d == sel) back = ColorDaySelected;
            else if (column >= 5 && FOptions.testFlag(coShowWeekend)) back = ColorDayWeekend;
            else if (d == today) back = ColorDayNow;
            cell(r, back, FFontDay, CellText(index));
        } else if (FOptions.testFlag(coShowIndirect)) {
            cell(r, ColorDay, FFontDayIndirect, CellText(index));
        }
    }
    if (FOptions.testFlag(coShowGrid)) {
        p.setPen(Night(ColorGrid));
        for (int j = 1; j < 7; ++j) {
            const int x = CellRect(0, j).left();
            p.drawLine(x, FGridTop, x, height() - 1);
        }
        for (int i = 1; i < 6; ++i) {
            const int y = CellRect(i, 0).top();
            p.drawLine(FGridLeft, y, width() - 1, y);
        }
    }
}

void TCalendarEx::mouseReleaseEvent(QMouseEvent *e) {
    QWidget::mouseReleaseEvent(e);
    ClickAt(e->position().x(), e->position().y());
}

void TCalendarEx::ClickAt(double x, double y) {
    const double cw = double(float(width() - FGridLeft) / 7.0f);
    const double ch = double(float(height() - FGridTop) / 6.0f);
    const QDate sel = ToQDate(FDate);
    if (FOptions.testFlag(coShowHeader) && y >= 0 && y < FHeaderHeight) {
        if (OnClickHeader) OnClickHeader(this);
        return;
    }
    if (FOptions.testFlag(coShowHeaderDay) && x > FGridLeft && y > FDayRowTop &&
        y < FDayRowTop + FHeaderHeightDay) {
        if (OnClickHeaderDay) OnClickHeaderDay(this, int((x - FGridLeft) / cw) + 1);
        return;
    }
    if (FOptions.testFlag(coShowHeaderWeek) && x >= 0 && x < FHeaderWidthWeek && y > FGridTop &&
        y < height()) {
        if (OnClickHeaderWeek)
            OnClickHeaderWeek(this, RowWeek(sel.year(), sel.month(), std::min(5, int((y - FGridTop) / ch))));
        return;
    }
    if (x < FGridLeft || x >= width() || y < FGridTop || y >= height()) return;
    const int index = std::min(6, int((x - FGridLeft) / cw)) + 7 * std::min(5, int((y - FGridTop) / ch));
    const int offset = MonthOffset(sel.year(), sel.month());
    const bool inMonth = index >= offset && index < offset + sel.daysInMonth();
    const bool indirect = FOptions.testFlag(coShowIndirect) && FOptions.testFlag(coClickIndirect);
    if (!inMonth && !indirect) return;
    SelectClicked(CellDate(sel.year(), sel.month(), index));
}

void TCalendarEx::SelectClicked(const QDate &date) {
    const TDateTime value = FromQDateTime(date);
    if (value == FDate) return;
    bool allowed = true;
    if (OnSelectAllowed) OnSelectAllowed(this, value, allowed);
    if (!allowed) return;
    FDate = value;
    if (OnSelect) OnSelect(this);
    update();
}
