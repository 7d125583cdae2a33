#include "base/dialogs/FrmSelectDateTime.h"

#include "base/controls/KvCalendarEx.h"
#include "base/controls/KvEdits.h"
#include "base/strings/KvFormatSettings.h"
#include "base/texts/KvStr.h"

#include <QComboBox>
#include <QDateTime>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const TLanguageStrings TextMonth = {"Month", "Maand", "Monat", "Mois", "Mes", "Mese", "Måned", "Månad"};
const TLanguageStrings TextYear = {"Year", "Jaar", "Jahr", "Année", "Año", "Anno", "År", "År"};
const TLanguageStrings TextTime = {"Time", "Tijd", "Zeit", "Heure", "Hora", "Ora", "Tid", "Tid"};
const TLanguageStrings TextNow = {"Now", "Nu", "Jetzt", "Maintenant", "Ahora", "Adesso", "Nu", "Nu"};

TFormSelectDateTime::TPrompter &Prompter() {
    static TFormSelectDateTime::TPrompter prompter;
    return prompter;
}

TNumberEdit *MakeNumberEdit(int min, int max, int value, QWidget *parent) {
    auto *e = new TNumberEdit(parent);
    e->SetMax(max);
    e->SetMin(min);
    e->SetIntValue(value);
    e->setMaximumWidth(60);
    return e;
}

}  // namespace

TUpDownEx::TUpDownEx(int minimum, int maximum, bool wrap, QWidget *parent)
    : QWidget(parent), FMin(minimum), FMax(maximum), FPosition(minimum), FWrap(wrap),
      FUp(new QToolButton(this)), FDown(new QToolButton(this)) {
    FUp->setArrowType(Qt::UpArrow);
    FDown->setArrowType(Qt::DownArrow);
    FUp->setAutoRepeat(true);
    FDown->setAutoRepeat(true);
    auto *l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(0);
    l->addWidget(FUp);
    l->addWidget(FDown);
    connect(FUp, &QToolButton::clicked, this, [this] { Step(true); });
    connect(FDown, &QToolButton::clicked, this, [this] { Step(false); });
}

void TUpDownEx::SetPosition(int position) {
    FPosition = std::clamp(position, FMin, FMax);
}

void TUpDownEx::Step(bool up) {
    int p = FPosition + (up ? 1 : -1);
    if (p > FMax) p = FWrap ? FMin : FMax;
    if (p < FMin) p = FWrap ? FMax : FMin;
    FPosition = p;
    if (OnClick) OnClick(up);
}

TFormSelectDateTime::TFormSelectDateTime(const QString &caption, bool showTime, TDateTime value,
                                         QWidget *parent)
    : QDialog(parent) {
    setWindowTitle(caption);
    Calendar = new TCalendarEx(this);
    Calendar->SetOptions(coClickIndirect | coShowIndirect | coShowHeaderDay | coShowHeaderWeek |
                         coShowWeekend | coShowGrid);
    Calendar->setMinimumSize(200, 150);
    Calendar->SetDate(value);

    LabelDateMonth = new QLabel(this);
    ComboBoxDateMonth = new QComboBox(this);
    LabelDateYear = new QLabel(this);
    EditDateYear = MakeNumberEdit(1899, 2100, 2000, this);
    UpDownDateYear = new TUpDownEx(1899, 2100, false, this);
    PanelTime = new QWidget(this);
    LabelTime = new QLabel(PanelTime);
    EditTimeHour = MakeNumberEdit(0, 23, 23, PanelTime);
    UpDownTimeHour = new TUpDownEx(0, 23, true, PanelTime);
    UpDownTimeHour->SetPosition(23);
    EditTimeMinute = MakeNumberEdit(0, 59, 0, PanelTime);
    UpDownTimeMinute = new TUpDownEx(0, 59, true, PanelTime);
    ButtonNow = new QPushButton(this);
    ButtonOK = new QPushButton(this);
    ButtonCancel = new QPushButton(this);
    ButtonOK->setDefault(true);

    auto *date = new QGridLayout;
    date->addWidget(LabelDateMonth, 0, 0);
    date->addWidget(ComboBoxDateMonth, 0, 1, 1, 2);
    date->addWidget(LabelDateYear, 1, 0);
    date->addWidget(EditDateYear, 1, 1);
    date->addWidget(UpDownDateYear, 1, 2);
    auto *time = new QHBoxLayout(PanelTime);
    time->setContentsMargins(0, 0, 0, 0);
    time->addWidget(LabelTime);
    time->addWidget(EditTimeHour);
    time->addWidget(UpDownTimeHour);
    time->addWidget(new QLabel(QStringLiteral(":"), PanelTime));
    time->addWidget(EditTimeMinute);
    time->addWidget(UpDownTimeMinute);
    time->addStretch();
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(ButtonNow);
    buttons->addStretch();
    buttons->addWidget(ButtonOK);
    buttons->addWidget(ButtonCancel);
    auto *main = new QVBoxLayout(this);
    main->addWidget(Calendar, 1);
    main->addLayout(date);
    main->addWidget(PanelTime);
    main->addLayout(buttons);

    const TFormatSettings &fs = UserFormatSettings();
    for (const QString &name : fs.LongMonthNames) ComboBoxDateMonth->addItem(name);
    const QDateTime dt = KvCalendar::ToQDateTime(value);
    ComboBoxDateMonth->setCurrentIndex(dt.date().month() - 1);
    EditDateYear->SetIntValue(dt.date().year());
    UpDownDateYear->SetPosition(dt.date().year());
    if (showTime) {
        EditTimeHour->SetIntValue(dt.time().hour());
        UpDownTimeHour->SetPosition(dt.time().hour());
        EditTimeMinute->SetIntValue(dt.time().minute());
        UpDownTimeMinute->SetPosition(dt.time().minute());
    } else {
        PanelTime->hide();
    }

    LabelDateMonth->setText(LanguageText(TextMonth) + u':');
    LabelDateYear->setText(LanguageText(TextYear) + u':');
    LabelTime->setText(LanguageText(TextTime) + u':');
    ButtonNow->setText(LanguageText(TextNow));
    ButtonOK->setText(LanguageText(KvStr::BtnOK));
    ButtonCancel->setText(LanguageText(KvStr::BtnCancel));

    Calendar->OnSelect = [this](QObject *) { CalendarSelected(); };
    connect(ComboBoxDateMonth, &QComboBox::activated, this,
            [this](int index) { Calendar->SetCurrentMonth(index + 1); });
    EditDateYear->OnExit = [this](QObject *) { YearEntered(); };
    UpDownDateYear->OnClick = [this](bool up) {
        if (up) EditDateYear->StepUp();
        else EditDateYear->StepDown();
        UpDownDateYear->SetPosition(int(EditDateYear->GetIntValue()));
        YearEntered();
    };
    // The up-down starts from what the edit shows, so a typed hour is stepped from.
    auto bindTime = [](TNumberEdit *edit, TUpDownEx *upDown) {
        upDown->OnClick = [edit, upDown](bool) { edit->SetIntValue(upDown->Position()); };
        edit->OnChange = [edit, upDown](QObject *) { upDown->SetPosition(int(edit->GetIntValue())); };
    };
    bindTime(EditTimeHour, UpDownTimeHour);
    bindTime(EditTimeMinute, UpDownTimeMinute);
    connect(ButtonNow, &QPushButton::clicked, this, [this] { Now(); });
    connect(ButtonOK, &QPushButton::clicked, this, [this] {
        EditDateYear->DoExit();  // a year typed just before Enter still counts
        accept();
    });
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    adjustSize();
}

void TFormSelectDateTime::CalendarSelected() {
    ComboBoxDateMonth->setCurrentIndex(Calendar->CurrentMonth() - 1);
    EditDateYear->SetIntValue(Calendar->CurrentYear());
    UpDownDateYear->SetPosition(Calendar->CurrentYear());
}

void TFormSelectDateTime::YearEntered() {
    Calendar->SetCurrentYear(int(EditDateYear->GetIntValue()));
}

void TFormSelectDateTime::Now() {
    const QDateTime now = QDateTime::currentDateTime();
    Calendar->SetDate(KvCalendar::FromQDateTime(now.date(), now.time()));
    CalendarSelected();
    EditTimeHour->SetIntValue(now.time().hour());
    UpDownTimeHour->SetPosition(now.time().hour());
    EditTimeMinute->SetIntValue(now.time().minute());
    UpDownTimeMinute->SetPosition(now.time().minute());
}

TDateTime TFormSelectDateTime::GetDateTime() const {
    const QDate d(Calendar->CurrentYear(), Calendar->CurrentMonth(), Calendar->CurrentDay());
    return KvCalendar::FromQDateTime(
        d, QTime(int(EditTimeHour->GetIntValue()), int(EditTimeMinute->GetIntValue())));
}

TFormSelectDateTime::TPrompter TFormSelectDateTime::SetPrompter(TPrompter prompter) {
    TPrompter previous = std::move(Prompter());
    Prompter() = std::move(prompter);
    return previous;
}

bool TFormSelectDateTime::Execute(const QString &caption, bool showTime, TDateTime &value) {
    TFormSelectDateTime form(caption, showTime, value);
    const int result = Prompter() ? Prompter()(form) : form.exec();
    if (result != QDialog::Accepted) return false;
    value = form.GetDateTime();
    return true;
}
