#include "base/controls/KvCalendarEx.h"
#include "base/controls/KvEdits.h"
#include "base/dialogs/FrmSelectDateTime.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using namespace KvCalendar;

namespace {

// Installs a prompter for the test's lifetime.
class TPrompterScope {
public:
    explicit TPrompterScope(TFormSelectDateTime::TPrompter p)
        : FPrevious(TFormSelectDateTime::SetPrompter(std::move(p))) {}
    ~TPrompterScope() { TFormSelectDateTime::SetPrompter(std::move(FPrevious)); }

private:
    TFormSelectDateTime::TPrompter FPrevious;
};

}  // namespace

TEST(FormSelectDateTime, MonthChoiceKeepsTheDayWithinTheMonth) {
    TFormSelectDateTime form(QStringLiteral("Departure"), true, FromQDateTime(QDate(2024, 1, 31)));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Departure"));
    EXPECT_EQ(form.ComboBoxDateMonth->count(), 12);
    EXPECT_EQ(form.ComboBoxDateMonth->currentIndex(), 0);
    emit form.ComboBoxDateMonth->activated(1);
    EXPECT_EQ(ToQDate(form.Calendar->Date()), QDate(2024, 2, 29));
    EXPECT_EQ(form.ComboBoxDateMonth->currentIndex(), 1);
}

TEST(FormSelectDateTime, YearUpDownStopsAtTheRange) {
    struct Case { const char *name; int start; bool up; int expected; };
    const Case cases[] = {{"up to 2100", 2099, true, 2100}, {"down to 1899", 1900, false, 1899}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TFormSelectDateTime form(QString(), false, FromQDateTime(QDate(c.start, 3, 1)));
        form.show();
        QToolButton *b = c.up ? form.UpDownDateYear->UpButton() : form.UpDownDateYear->DownButton();
        for (int i = 0; i < 3; ++i) QTest::mouseClick(b, Qt::LeftButton);
        EXPECT_EQ(form.EditDateYear->GetIntValue(), c.expected);
        EXPECT_EQ(form.Calendar->CurrentYear(), c.expected);
    }
}

TEST(FormSelectDateTime, CalendarSelectionUpdatesMonthAndYear) {
    TFormSelectDateTime form(QString(), true, FromQDateTime(QDate(2024, 12, 10)));
    form.Calendar->SetDate(FromQDateTime(QDate(2025, 1, 5)));
    EXPECT_EQ(form.ComboBoxDateMonth->currentIndex(), 0);
    EXPECT_EQ(form.EditDateYear->GetIntValue(), 2025);
    EXPECT_EQ(form.UpDownDateYear->Position(), 2025);
}

TEST(FormSelectDateTime, HourUpDownWrapsAround) {
    TFormSelectDateTime form(QString(), true, FromQDateTime(QDate(2024, 5, 1), QTime(23, 59)));
    form.show();
    QTest::mouseClick(form.UpDownTimeHour->UpButton(), Qt::LeftButton);
    EXPECT_EQ(form.EditTimeHour->GetIntValue(), 0);
    QTest::mouseClick(form.UpDownTimeMinute->UpButton(), Qt::LeftButton);
    EXPECT_EQ(form.EditTimeMinute->GetIntValue(), 0);
    QTest::mouseClick(form.UpDownTimeMinute->DownButton(), Qt::LeftButton);
    EXPECT_EQ(form.EditTimeMinute->GetIntValue(), 59);
}

TEST(FormSelectDateTime, ExecuteWritesOnlyOnOkWithSecondsZero) {
    const TDateTime start = FromQDateTime(QDate(2024, 6, 15), QTime(10, 20, 30));
    struct Case { const char *name; bool ok; bool showTime; };
    const Case cases[] = {{"OK with time", true, true}, {"Cancel", false, true},
                          {"OK without time", true, false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TPrompterScope scope([&](TFormSelectDateTime &form) {
            EXPECT_EQ(form.PanelTime->isHidden(), !c.showTime);
            form.Calendar->SetDate(FromQDateTime(QDate(2024, 7, 4)));
            form.show();
            QTest::mouseClick(c.ok ? form.ButtonOK : form.ButtonCancel, Qt::LeftButton);
            return form.result();
        });
        TDateTime value = start;
        EXPECT_EQ(TFormSelectDateTime::Execute(QStringLiteral("Start"), c.showTime, value), c.ok);
        if (!c.ok) {
            EXPECT_EQ(value, start);
        } else {
            // Without the time panel the hour and minute keep their layout values 23 and 0.
            const QTime t = c.showTime ? QTime(10, 20) : QTime(23, 0);
            EXPECT_EQ(ToQDateTime(value), QDateTime(QDate(2024, 7, 4), t));
        }
    }
}
