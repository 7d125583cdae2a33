#include "routes/RouteStayControls.h"

#include "base/controls/KvEdits.h"
#include "base/dialogs/FrmSelectDateTime.h"
#include "base/texts/KvLanguage.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

namespace {

const TLanguageStrings TextHours = {"hours", "uur", "Stunden", "heures", "horas", "ore", "timer", "timmar"};
const TLanguageStrings TextMinutes = {"minutes", "minuten", "Minuten", "minutes", "minutos", "minuti",
                                      "minutter", "minuter"};
const TLanguageStrings TextDepartTime = {"Departure time", "Vertrektijd", "Abfahrtszeit", "Heure de départ",
                                         "Hora de salida", "Ora di partenza", "Afgangstid", "Avgångstid"};
const TLanguageStrings TextDays = {"Number of days", "Aantal dagen", "Anzahl Tage", "Nombre de jours",
                                   "Número de días", "Numero di giorni", "Antal dage", "Antal dagar"};

TNumberEdit *NumberEdit(int max, int value, QWidget *parent) {
    auto *e = new TNumberEdit(parent);
    e->SetMax(max);
    e->SetMin(0);
    e->SetIntValue(value);
    e->setMaximumWidth(60);
    return e;
}

// An edit with its wrapping up-down beside it; the up-down's click sets the edit.
void Pair(QHBoxLayout *row, TNumberEdit *&edit, TUpDownEx *&upDown, int max, int value, QWidget *parent) {
    edit = NumberEdit(max, value, parent);
    upDown = new TUpDownEx(0, max, true, parent);
    upDown->SetPosition(value);
    TNumberEdit *e = edit;
    TUpDownEx *u = upDown;
    upDown->OnClick = [e, u](bool) { e->SetIntValue(u->Position()); };
    row->addWidget(edit);
    row->addWidget(upDown);
}

void Set(TNumberEdit *edit, TUpDownEx *upDown, int value) {
    edit->SetIntValue(value);
    upDown->SetPosition(value);
}

}  // namespace

TRouteStayControls::TRouteStayControls(QWidget *parent) {
    PanelVisitTime = new QWidget(parent);
    PanelVisitTime->setObjectName(QStringLiteral("PanelVisitTime"));
    auto *time = new QHBoxLayout(PanelVisitTime);
    time->setContentsMargins(0, 0, 0, 0);
    Pair(time, EditTimeHours, UpDownTimeHours, 23, 0, PanelVisitTime);
    LabelHours = new QLabel(PanelVisitTime);
    time->addWidget(LabelHours);
    Pair(time, EditTimeMinutes, UpDownTimeMinutes, 59, 0, PanelVisitTime);
    LabelMinutes = new QLabel(PanelVisitTime);
    time->addWidget(LabelMinutes);
    time->addStretch(1);

    PanelVisitDepart = new QWidget(parent);
    PanelVisitDepart->setObjectName(QStringLiteral("PanelVisitDepart"));
    auto *grid = new QGridLayout(PanelVisitDepart);
    grid->setContentsMargins(0, 0, 0, 0);
    LabelDepartTime = new QLabel(PanelVisitDepart);
    auto *at = new QHBoxLayout;
    Pair(at, EditDepartTimeHours, UpDownDepartTimeHours, 23, 12, PanelVisitDepart);
    LabelDepartColon = new QLabel(QStringLiteral(":"), PanelVisitDepart);
    at->addWidget(LabelDepartColon);
    Pair(at, EditDepartTimeMinutes, UpDownDepartTimeMinutes, 59, 0, PanelVisitDepart);
    at->addStretch(1);
    LabelDays = new QLabel(PanelVisitDepart);
    auto *days = new QHBoxLayout;
    Pair(days, EditDepartDays, UpDownDepartDays, 21, 0, PanelVisitDepart);
    days->addStretch(1);
    grid->addWidget(LabelDepartTime, 0, 0);
    grid->addLayout(at, 0, 1);
    grid->addWidget(LabelDays, 1, 0);
    grid->addLayout(days, 1, 1);
    UpdateTexts();
}

void TRouteStayControls::UpdateTexts() {
    LabelHours->setText(LanguageText(TextHours));
    LabelMinutes->setText(LanguageText(TextMinutes));
    LabelDepartTime->setText(LanguageText(TextDepartTime) + QLatin1Char(':'));
    LabelDays->setText(LanguageText(TextDays) + QLatin1Char(':'));
}

void TRouteStayControls::Show(const TStayValues &v) {
    Set(EditTimeHours, UpDownTimeHours, v.StayHours);
    Set(EditTimeMinutes, UpDownTimeMinutes, v.StayMinutes);
    Set(EditDepartTimeHours, UpDownDepartTimeHours, v.DepartHours);
    Set(EditDepartTimeMinutes, UpDownDepartTimeMinutes, v.DepartMinutes);
    Set(EditDepartDays, UpDownDepartDays, v.Days);
}

TStayValues TRouteStayControls::Values() const {
    TStayValues v;
    v.StayHours = int32_t(EditTimeHours->GetIntValue());
    v.StayMinutes = int32_t(EditTimeMinutes->GetIntValue());
    v.DepartHours = int32_t(EditDepartTimeHours->GetIntValue());
    v.DepartMinutes = int32_t(EditDepartTimeMinutes->GetIntValue());
    v.Days = int32_t(EditDepartDays->GetIntValue());
    return v;
}

void TRouteStayControls::SyncUpDowns() {
    UpDownTimeHours->SetPosition(int(EditTimeHours->GetIntValue()));
    UpDownTimeMinutes->SetPosition(int(EditTimeMinutes->GetIntValue()));
    UpDownDepartTimeHours->SetPosition(int(EditDepartTimeHours->GetIntValue()));
    UpDownDepartTimeMinutes->SetPosition(int(EditDepartTimeMinutes->GetIntValue()));
    UpDownDepartDays->SetPosition(int(EditDepartDays->GetIntValue()));
}

void TRouteStayControls::SetStayEnabled(bool enabled) {
    for (QWidget *w : std::initializer_list<QWidget *>{EditTimeHours, UpDownTimeHours, LabelHours, EditTimeMinutes,
                                                       UpDownTimeMinutes, LabelMinutes})
        w->setEnabled(enabled);
}

void TRouteStayControls::SetDepartEnabled(bool enabled) {
    for (QWidget *w : std::initializer_list<QWidget *>{LabelDepartTime, EditDepartTimeHours, UpDownDepartTimeHours,
                                                       LabelDepartColon, EditDepartTimeMinutes,
                                                       UpDownDepartTimeMinutes, LabelDays, EditDepartDays,
                                                       UpDownDepartDays})
        w->setEnabled(enabled);
}
