#include "routes/FrmRouteVisitEdit.h"

#include "base/controls/KvEdits.h"
#include "base/texts/KvStr.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const TLanguageStrings TextCaption = {"Visit properties", "Eigenschappen bezoek", "Eigenschaften des Aufenthalts",
                                      "Propriétés de l'escale", "Propiedades de la escala",
                                      "Proprietà della sosta", "Egenskaber for ophold", "Egenskaper för uppehåll"};
const TLanguageStrings TextNone = {"No stay at this route point", "Geen verblijf op dit routepunt",
                                   "Kein Aufenthalt an diesem Routenpunkt", "Pas d'escale à ce point de route",
                                   "Sin escala en este punto de ruta", "Nessuna sosta in questo punto di rotta",
                                   "Intet ophold ved dette rutepunkt", "Inget uppehåll vid den här ruttpunkten"};
const TLanguageStrings TextTime = {
    "Stay at this route point a certain time", "Een bepaalde tijd op dit routepunt blijven",
    "Eine bestimmte Zeit an diesem Routenpunkt bleiben", "Rester un certain temps à ce point de route",
    "Quedarse un tiempo determinado en este punto de ruta", "Sostare per un certo tempo in questo punto di rotta",
    "Blive ved dette rutepunkt et bestemt tidsrum", "Stanna vid den här ruttpunkten en viss tid"};
const TLanguageStrings TextDepart = {
    "Leave this route point at a certain time", "Dit routepunt op een bepaald tijdstip verlaten",
    "Diesen Routenpunkt zu einer bestimmten Zeit verlassen", "Quitter ce point de route à une heure donnée",
    "Salir de este punto de ruta a una hora determinada", "Lasciare questo punto di rotta a un'ora stabilita",
    "Forlad dette rutepunkt på et bestemt tidspunkt", "Lämna den här ruttpunkten vid en viss tid"};

TFormRouteVisitEdit::TPrompter &Prompter() {
    static TFormRouteVisitEdit::TPrompter prompter;
    return prompter;
}

}  // namespace

TFormRouteVisitEdit::TFormRouteVisitEdit(IWptRoutePoint *point, const TRouteStayRec &stay, QWidget *owner)
    : TFormScaled(owner, Qt::Tool), Stay(this), FOffset(StayUTCOffset(point)) {
    setObjectName(QStringLiteral("FormRouteVisitEdit"));
    auto *layout = new QVBoxLayout(this);
    RadioButtonVisitNone = new QRadioButton(this);
    RadioButtonVisitTime = new QRadioButton(this);
    RadioButtonVisitDepart = new QRadioButton(this);
    layout->addWidget(RadioButtonVisitNone);
    layout->addWidget(RadioButtonVisitTime);
    Stay.PanelVisitTime->setContentsMargins(20, 0, 0, 0);
    layout->addWidget(Stay.PanelVisitTime);
    layout->addWidget(RadioButtonVisitDepart);
    Stay.PanelVisitDepart->setContentsMargins(20, 0, 0, 0);
    layout->addWidget(Stay.PanelVisitDepart);
    layout->addStretch(1);
    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    layout->addWidget(line);
    auto *buttons = new QHBoxLayout;
    ButtonOk = new QPushButton(LanguageText(KvStr::BtnOK), this);
    ButtonCancel = new QPushButton(LanguageText(KvStr::BtnCancel), this);
    ButtonOk->setDefault(true);
    buttons->addStretch(1);
    buttons->addWidget(ButtonOk);
    buttons->addWidget(ButtonCancel);
    layout->addLayout(buttons);

    setWindowTitle(LanguageText(TextCaption));
    RadioButtonVisitNone->setText(LanguageText(TextNone));
    RadioButtonVisitTime->setText(LanguageText(TextTime));
    RadioButtonVisitDepart->setText(LanguageText(TextDepart));
    RadioButtonVisitNone->setChecked(true);
    RadioButtonVisitTime->setChecked(stay.Kind == RouteStayKind::StayFor);
    RadioButtonVisitDepart->setChecked(stay.Kind == RouteStayKind::LeaveAtTime);
    TStayValues values = Stay.Values();
    StayToValues(stay, FOffset, values);
    Stay.Show(values);
    UpdateEnabled();

    for (QRadioButton *r : {RadioButtonVisitNone, RadioButtonVisitTime, RadioButtonVisitDepart})
        connect(r, &QRadioButton::toggled, this, &TFormRouteVisitEdit::UpdateEnabled);
    // Leaving an edit puts its value into its up-down, so both stay in step.
    for (TNumberEdit *e : {Stay.EditTimeHours, Stay.EditTimeMinutes, Stay.EditDepartTimeHours,
                           Stay.EditDepartTimeMinutes, Stay.EditDepartDays})
        e->OnExit = [this](QObject *) { Stay.SyncUpDowns(); };
    connect(ButtonOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    setFixedWidth(334);
    ScaleConstraints();
}

void TFormRouteVisitEdit::UpdateEnabled() {
    Stay.SetDepartEnabled(RadioButtonVisitDepart->isChecked());
    Stay.SetStayEnabled(RadioButtonVisitTime->isChecked());
}

void TFormRouteVisitEdit::WriteStay(TRouteStayRec &stay) const {
    const int32_t kind = RadioButtonVisitDepart->isChecked() ? RouteStayKind::LeaveAtTime
                         : RadioButtonVisitTime->isChecked() ? RouteStayKind::StayFor
                                                             : RouteStayKind::None;
    ValuesToStay(kind, Stay.Values(), FOffset, stay);
}

TFormRouteVisitEdit::TPrompter TFormRouteVisitEdit::SetPrompter(TPrompter prompter) {
    TPrompter previous = std::move(Prompter());
    Prompter() = std::move(prompter);
    return previous;
}

int TFormRouteVisitEdit::Prompt(TFormRouteVisitEdit &form) { return Prompter() ? Prompter()(form) : form.exec(); }

bool ExecuteRouteVisitEdit(IWptRoutePoint *point, TRouteStayRec &stay) {
    TFormRouteVisitEdit form(point, stay);
    if (TFormRouteVisitEdit::Prompt(form) != QDialog::Accepted) return false;
    for (TNumberEdit *e : {form.Stay.EditTimeHours, form.Stay.EditTimeMinutes, form.Stay.EditDepartTimeHours,
                           form.Stay.EditDepartTimeMinutes, form.Stay.EditDepartDays})
        e->DoExit();  // a value typed just before Enter counts
    form.WriteStay(stay);
    return true;
}
