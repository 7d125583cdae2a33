#include "routes/FrmRoutePointSettings.h"

#include "base/controls/KvEdits.h"
#include "base/help/KvHTMLHelp.h"
#include "base/texts/KvStr.h"
#include "base/units/KvUnitsTime.h"
#include "base/waypoints/KvWaypoints.h"
#include "routes/RoutePointEditError.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvUnits.h>

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>
#include <cmath>

namespace {

const TLanguageStrings TextCaption = {"Route point settings", "Instellingen routepunt",
                                      "Einstellungen Routenpunkt", "Paramètres du point de route",
                                      "Ajustes del punto de ruta", "Impostazioni punto di rotta",
                                      "Indstillinger for rutepunkt", "Inställningar för ruttpunkt"};
const TLanguageStrings TextName = {"Route point name", "Naam routepunt", "Name des Routenpunkts",
                                   "Nom du point de route", "Nombre del punto de ruta",
                                   "Nome del punto di rotta", "Rutepunktets navn", "Ruttpunktens namn"};
const TLanguageStrings TextRadius = {"Radius", "Straal", "Radius", "Rayon", "Radio", "Raggio", "Radius", "Radie"};
const TLanguageStrings TextVisit = {"Visit", "Bezoek", "Aufenthalt", "Escale", "Escala", "Sosta", "Ophold", "Uppehåll"};
const TLanguageStrings TextNoStay = {"No stay", "Geen verblijf", "Kein Aufenthalt", "Pas d'escale", "Sin escala",
                                     "Nessuna sosta", "Intet ophold", "Inget uppehåll"};
const TLanguageStrings TextStayTime = {"Stay a certain time", "Een bepaalde tijd blijven",
                                       "Eine bestimmte Zeit bleiben", "Rester un certain temps",
                                       "Quedarse un tiempo determinado", "Sostare per un certo tempo",
                                       "Blive et bestemt tidsrum", "Stanna en viss tid"};
const TLanguageStrings TextLeaveAt = {"Leave at a certain time", "Op een bepaald tijdstip vertrekken",
                                      "Zu einer bestimmten Zeit abfahren", "Partir à une heure donnée",
                                      "Salir a una hora determinada", "Partire a un'ora stabilita",
                                      "Sejle på et bestemt tidspunkt", "Avgå vid en viss tid"};

constexpr int32_t HelpContext = 6008;

TFormRoutePointSettings::TPrompter &Prompter() {
    static TFormRoutePointSettings::TPrompter prompter;
    return prompter;
}

}  // namespace

TFormRoutePointSettings::TFormRoutePointSettings(TMarivoNavEnv *env, IWptRoutePoint *point, QWidget *owner)
    : TFormScaled(owner), Stay(this), FEnv(env), FPoint(point),
      FSmallUnit(env ? env->UnitDistanceSmall : KvUnit::Metre) {
    setObjectName(QStringLiteral("FormRoutePointSettings"));
    auto *layout = new QVBoxLayout(this);
    auto *general = new QFormLayout;
    LabelName = new QLabel(this);
    EditRoutePointName = new QLineEdit(this);
    general->addRow(LabelName, EditRoutePointName);
    LabelRadius = new QLabel(this);
    EditRadius = new TNumberEdit(this);
    EditRadius->SetMax(10000);
    EditRadius->SetMin(1);
    EditRadius->setMaximumWidth(90);
    LabelRadiusUnit = new QLabel(this);
    auto *radius = new QHBoxLayout;
    radius->addWidget(EditRadius);
    radius->addWidget(LabelRadiusUnit);
    radius->addStretch(1);
    general->addRow(LabelRadius, radius);
    LabelVisit = new QLabel(this);
    ComboBoxVisit = new QComboBox(this);
    general->addRow(LabelVisit, ComboBoxVisit);
    layout->addLayout(general);
    layout->addWidget(Stay.PanelVisitTime);
    layout->addWidget(Stay.PanelVisitDepart);
    layout->addStretch(1);
    auto *buttons = new QHBoxLayout;
    ButtonHelp = new QPushButton(this);
    ButtonOk = new QPushButton(this);
    ButtonCancel = new QPushButton(this);
    ButtonOk->setDefault(true);
    buttons->addWidget(ButtonHelp);
    buttons->addStretch(1);
    buttons->addWidget(ButtonOk);
    buttons->addWidget(ButtonCancel);
    layout->addLayout(buttons);
    UpdateTexts();

    FShownName = WptRoutePointGetName(point);
    EditRoutePointName->setText(FShownName);
    EditRadius->SetIntValue(int64_t(std::llround(UnitConvert(point->GetRadius(), KvUnit::Metre, FSmallUnit))));
    FShownRadius = EditRadius->GetIntValue();
    ComboBoxVisit->setCurrentIndex(ComboBoxVisit->findData(point->GetStay()->Kind));
    ShowStay(point->GetStay()->Kind, true);

    connect(ComboBoxVisit, &QComboBox::activated, this,
            [this](int i) { ShowStay(ComboBoxVisit->itemData(i).toInt(), false); });
    connect(ButtonOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ButtonHelp, &QPushButton::clicked, this, [] { GetHTMLHelper().HelpContext(HelpContext); });
    auto *f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, ButtonHelp, &QPushButton::click);
    setFixedWidth(334);
    ScaleConstraints();
}

void TFormRoutePointSettings::UpdateTexts() {
    setWindowTitle(LanguageText(TextCaption));
    LabelName->setText(LanguageText(TextName) + QLatin1Char(':'));
    LabelRadius->setText(LanguageText(TextRadius) + QLatin1Char(':'));
    LabelRadiusUnit->setText(UnitToStr(FSmallUnit));
    LabelVisit->setText(LanguageText(TextVisit) + QLatin1Char(':'));
    const int kind = ComboBoxVisit->currentIndex() >= 0 ? ComboBoxVisit->currentData().toInt() : -1;
    ComboBoxVisit->clear();
    ComboBoxVisit->addItem(LanguageText(TextNoStay), RouteStayKind::None);
    ComboBoxVisit->addItem(LanguageText(TextStayTime), RouteStayKind::StayFor);
    ComboBoxVisit->addItem(LanguageText(TextLeaveAt), RouteStayKind::LeaveAtTime);
    if (kind >= 0) ComboBoxVisit->setCurrentIndex(ComboBoxVisit->findData(kind));
    Stay.UpdateTexts();
    ButtonOk->setText(LanguageText(KvStr::BtnOK));
    ButtonCancel->setText(LanguageText(KvStr::BtnCancel));
    ButtonHelp->setText(LanguageText(KvStr::BtnHelp) + QStringLiteral(" (F1)"));
}

void TFormRoutePointSettings::ShowStay(int32_t kind, bool fill) {
    if (fill) {
        TStayValues values = Stay.Values();
        StayToValues(*FPoint->GetStay(), StayUTCOffset(FPoint), values);
        Stay.Show(values);
    }
    Stay.PanelVisitTime->setVisible(kind == RouteStayKind::StayFor);
    Stay.PanelVisitDepart->setVisible(kind == RouteStayKind::LeaveAtTime);
}

// Writes what the user changed; false after a refused change, which is reported.
bool TFormRoutePointSettings::WriteChanges() {
    int32_t err = KvErr::Ok;
    // An unchanged name is not written again: a point named by its waypoint refuses any name.
    if (EditRoutePointName->text() != FShownName) {
        WptRoutePointSetName(FPoint, EditRoutePointName->text(), err);
        if (err != KvErr::Ok) {
            ShowRoutePointEditError(err);
            return false;
        }
        FShownName = EditRoutePointName->text();
    }
    EditRadius->DoExit();  // a radius typed just before Enter counts
    // Rewriting an unchanged radius would round a fractional stored radius.
    if (EditRadius->GetIntValue() != FShownRadius) {
        const double metres = UnitConvert(double(EditRadius->GetIntValue()), FSmallUnit, KvUnit::Metre);
        FPoint->SetRadius(float(metres), err);
        if (err != KvErr::Ok) {
            ShowRoutePointEditError(err);
            return false;
        }
        FShownRadius = EditRadius->GetIntValue();
    }
    TRouteStayRec stay = *FPoint->GetStay();
    ValuesToStay(ComboBoxVisit->currentData().toInt(), Stay.Values(), StayUTCOffset(FPoint), stay);
    FPoint->SetStay(stay, err);
    if (err != KvErr::Ok) {
        ShowRoutePointEditError(err);
        return false;
    }
    return true;
}

void TFormRoutePointSettings::done(int result) {
    if (result == QDialog::Accepted && !WriteChanges()) return;
    TFormScaled::done(result);
}

TFormRoutePointSettings::TPrompter TFormRoutePointSettings::SetPrompter(TPrompter prompter) {
    TPrompter previous = std::move(Prompter());
    Prompter() = std::move(prompter);
    return previous;
}

bool TFormRoutePointSettings::Execute(TMarivoNavEnv *env, IWptRoutePoint *point) {
    if (!point) return false;
    TFormRoutePointSettings form(env, point);
    const int result = Prompter() ? Prompter()(form) : form.exec();
    return result == QDialog::Accepted;
}
