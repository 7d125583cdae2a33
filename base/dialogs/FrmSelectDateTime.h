// The dialog in which the user picks a date and, optionally, a time of day (the custom
// departure time of a route). GUI thread only.
#pragma once

#include <KvLibNav6/KvTypes.h>

#include <QDialog>
#include <functional>

class QComboBox;
class QLabel;
class QPushButton;
class QToolButton;
class TCalendarEx;
class TNumberEdit;

// Up and down buttons beside an edit, with a position of their own.
class TUpDownEx : public QWidget {
    Q_OBJECT
public:
    TUpDownEx(int minimum, int maximum, bool wrap, QWidget *parent = nullptr);
    int Position() const { return FPosition; }
    void SetPosition(int position);
    int Min() const { return FMin; }
    int Max() const { return FMax; }
    QToolButton *UpButton() const { return FUp; }
    QToolButton *DownButton() const { return FDown; }
    // After the position moved (or stayed at a limit): up is true for the upper button.
    std::function<void(bool up)> OnClick;

private:
    void Step(bool up);
    int FMin, FMax, FPosition;
    bool FWrap;
    QToolButton *FUp, *FDown;
};

class TFormSelectDateTime : public QDialog {
    Q_OBJECT
public:
    TFormSelectDateTime(const QString &caption, bool showTime, TDateTime value,
                        QWidget *parent = nullptr);

    // True on OK, with value the chosen date and time (seconds 0); else value stays.
    static bool Execute(const QString &caption, bool showTime, TDateTime &value);
    // The calendar's date with the hour and minute edits' values.
    TDateTime GetDateTime() const;

    TCalendarEx *Calendar;
    QComboBox *ComboBoxDateMonth;
    TNumberEdit *EditDateYear;
    TUpDownEx *UpDownDateYear;
    QWidget *PanelTime;
    TNumberEdit *EditTimeHour;
    TUpDownEx *UpDownTimeHour;
    TNumberEdit *EditTimeMinute;
    TUpDownEx *UpDownTimeMinute;
    QPushButton *ButtonNow, *ButtonOK, *ButtonCancel;
    QLabel *LabelDateMonth, *LabelDateYear, *LabelTime;

    // Runs the dialog instead of exec (tests); returns the dialog result. Returns the
    // previous prompter.
    using TPrompter = std::function<int(TFormSelectDateTime &form)>;
    static TPrompter SetPrompter(TPrompter prompter);

private:
    void CalendarSelected();
    void YearEntered();
    void Now();
};
