#include "routes/FrmRouteSettingsDefault.h"

#include "base/controls/KvEdits.h"
#include "base/units/KvUnitsTime.h"
#include "routes/RouteSettingsTexts.h"
#include "routes/WaterBodyList.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvUnits.h>

#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <cmath>

namespace {

namespace Txt {
const TLanguageStrings Caption = {"Default route settings", "Standaard route-instellingen",
                                  "Standard-Routeneinstellungen", "Paramètres d'itinéraire par défaut",
                                  "Ajustes de ruta predeterminados", "Impostazioni di rotta predefinite",
                                  "Standardindstillinger for ruter", "Standardinställningar för rutter"};
const TLanguageStrings DefaultRadius = {"Default radius", "Standaard straal", "Standardradius",
                                        "Rayon par défaut", "Radio predeterminado", "Raggio predefinito",
                                        "Standardradius", "Standardradie"};
const TLanguageStrings InfoDistance = {"Waterway info distance", "Afstand vaarweginformatie",
                                       "Entfernung Wasserweginformation", "Distance d'info voie navigable",
                                       "Distancia de info de vía navegable", "Distanza info via navigabile",
                                       "Afstand for vandvejsinfo", "Avstånd för farledsinfo"};
const TLanguageStrings Depth = {"Depth", "Diepte", "Tiefe", "Profondeur", "Profundidad", "Profondità",
                                "Dybde", "Djup"};
const TLanguageStrings DepthTolerance = {"Depth tolerance", "Dieptetolerantie", "Tiefentoleranz",
                                         "Tolérance de profondeur", "Tolerancia de profundidad",
                                         "Tolleranza di profondità", "Dybdetolerance", "Djuptolerans"};
const TLanguageStrings UseNetworkOn = {"Use waterway network on", "Vaarwegennet gebruiken op",
                                       "Wasserstraßennetz nutzen auf", "Utiliser le réseau navigable sur",
                                       "Usar la red de vías navegables en", "Usare la rete navigabile su",
                                       "Brug vandvejsnettet på", "Använd farledsnätet på"};
const TLanguageStrings SpeedMotoring = {"Speed while motoring", "Snelheid op de motor",
                                        "Geschwindigkeit unter Motor", "Vitesse au moteur",
                                        "Velocidad a motor", "Velocità a motore", "Fart for motor",
                                        "Fart för motor"};
}  // namespace Txt

constexpr int32_t HelpContext = 6006;

// 1 low, 2 high, anything else cruising (0).
int32_t ShownSpeed(int32_t mode) { return mode == 1 || mode == 2 ? mode : 0; }

TNumberEdit *UnitEdit(QWidget *parent, TNumberEditType type, int digits) {
    auto *edit = new TNumberEdit(parent);
    edit->SetEditType(type);
    edit->SetDigits(digits);
    edit->setMaximumWidth(90);
    return edit;
}

QHBoxLayout *WithUnit(QWidget *edit, QLabel *unit) {
    auto *row = new QHBoxLayout;
    row->addWidget(edit);
    row->addWidget(unit);
    row->addStretch(1);
    return row;
}

}  // namespace

TFormRouteSettingsDefault::TFormRouteSettingsDefault(TMarivoNavEnv &env, bool startOnPlannerPage, QWidget *parent)
    : TFormSettingsDialog(HelpContext, parent), FEnv(env) {
    setObjectName(QStringLiteral("FormRouteSettingsDefault"));
    PageControl = new QTabWidget(this);
    auto *general = new QWidget(PageControl);
    auto *form = new QFormLayout(general);
    LabelGeneral = SettingsHeading(general);
    form->addRow(LabelGeneral);
    LabelGeneralRadius = new QLabel(general);
    EditGeneralRadius = UnitEdit(general, etFloatFixed, 0);
    LabelRadiusUnit = new QLabel(general);
    form->addRow(LabelGeneralRadius, WithUnit(EditGeneralRadius, LabelRadiusUnit));
    LabelSectionInfoDistance = new QLabel(general);
    EditSectionInfoDistance = UnitEdit(general, etFloatFixed, 0);
    LabelSectionInfoUnit = new QLabel(general);
    form->addRow(LabelSectionInfoDistance, WithUnit(EditSectionInfoDistance, LabelSectionInfoUnit));
    LabelDepth = SettingsHeading(general);
    form->addRow(LabelDepth);
    LabelDepthTolerance = new QLabel(general);
    EditDepthTolerance = UnitEdit(general, etFloatFixed, 2);
    LabelDepthUnit = new QLabel(general);
    form->addRow(LabelDepthTolerance, WithUnit(EditDepthTolerance, LabelDepthUnit));
    PageControl->addTab(general, QString());

    auto *planner = new QWidget(PageControl);
    auto *column = new QVBoxLayout(planner);
    LabelWaterbodies = new QLabel(planner);
    CheckListBoxWaterbodies = new QListWidget(planner);
    LabelSpeed = new QLabel(planner);
    RadioButtonSpeedHigh = new QRadioButton(planner);
    RadioButtonSpeedCruising = new QRadioButton(planner);
    RadioButtonSpeedLow = new QRadioButton(planner);
    for (QWidget *w : std::initializer_list<QWidget *>{LabelWaterbodies, CheckListBoxWaterbodies, LabelSpeed,
                                                       RadioButtonSpeedHigh, RadioButtonSpeedCruising,
                                                       RadioButtonSpeedLow})
        column->addWidget(w);
    PageControl->addTab(planner, QString());

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(PageControl);
    layout->addLayout(ButtonRow());
    Load();
    SetTexts();
    PageControl->setCurrentIndex(startOnPlannerPage ? 1 : 0);
    setFixedSize(QSize(380, 420));
}

void TFormRouteSettingsDefault::Load() {
    _GetWptRouteDefaults(FLoaded);
    const int32_t small = FEnv.UnitDistanceSmall;
    FRadius.Edit = EditGeneralRadius;
    FRadius.SetUnits(KvUnit::Metre, small);
    FRadius.SetLimits(1.0, 10000.0);
    FRadius.Show(FLoaded.PointRadius);
    FInfoDistance.Edit = EditSectionInfoDistance;
    FInfoDistance.SetUnits(KvUnit::Metre, small);
    FInfoDistance.SetLimits(0.0, 300.0);
    FInfoDistance.Show(FLoaded.SectionInfoDistance);
    FDepthTolerance.Edit = EditDepthTolerance;
    FDepthTolerance.SetUnits(KvUnit::Metre, FEnv.UnitDepth);
    EditDepthTolerance->SetMin(-100);
    EditDepthTolerance->SetMax(100);
    FDepthTolerance.Show(FLoaded.DepthTolerance);
    FillWaterBodyList(CheckListBoxWaterbodies, FEnv.WaterwayNetwork);
    ShowWaterBodyMask(CheckListBoxWaterbodies, FLoaded.WaterBodies);
    const int32_t speed = ShownSpeed(FLoaded.MotoringSpeed);
    RadioButtonSpeedLow->setChecked(speed == 1);
    RadioButtonSpeedHigh->setChecked(speed == 2);
    RadioButtonSpeedCruising->setChecked(speed == 0);
}

void TFormRouteSettingsDefault::SetTexts() {
    setWindowTitle(LanguageText(Txt::Caption));
    PageControl->setTabText(0, LanguageText(SettingsTextGeneral));
    PageControl->setTabText(1, LanguageText(RouteSettingsText::Planner));
    LabelGeneral->setText(LanguageText(SettingsTextGeneral));
    LabelGeneralRadius->setText(ColonCaption(Txt::DefaultRadius));
    LabelRadiusUnit->setText(UnitToStr(FEnv.UnitDistanceSmall));
    LabelSectionInfoDistance->setText(ColonCaption(Txt::InfoDistance));
    LabelSectionInfoUnit->setText(UnitToStr(FEnv.UnitDistanceSmall));
    LabelDepth->setText(LanguageText(Txt::Depth));
    LabelDepthTolerance->setText(ColonCaption(Txt::DepthTolerance));
    LabelDepthUnit->setText(UnitToStr(FEnv.UnitDepth));
    LabelWaterbodies->setText(ColonCaption(Txt::UseNetworkOn));
    LabelSpeed->setText(ColonCaption(Txt::SpeedMotoring));
    RadioButtonSpeedHigh->setText(LanguageText(RouteSettingsText::SpeedHigh));
    RadioButtonSpeedCruising->setText(LanguageText(RouteSettingsText::SpeedCruising));
    RadioButtonSpeedLow->setText(LanguageText(RouteSettingsText::SpeedLow));
    SetButtonCaptions();
}

TWptRouteDefaults TFormRouteSettingsDefault::Collect() const {
    TWptRouteDefaults d = FLoaded;
    d.PointRadius = float(FRadius.Value());
    if (FInfoDistance.Changed()) d.SectionInfoDistance = int32_t(std::lround(FInfoDistance.Value()));
    d.DepthTolerance = float(FDepthTolerance.Value());
    // Water bodies the network does not cover keep their bits.
    d.WaterBodies = WaterBodyListMask(CheckListBoxWaterbodies, FLoaded.WaterBodies);
    const int32_t speed = RadioButtonSpeedHigh->isChecked() ? 2 : RadioButtonSpeedLow->isChecked() ? 1 : 0;
    // A stored mode the radios cannot show stays while the user picks none.
    if (speed != ShownSpeed(FLoaded.MotoringSpeed)) d.MotoringSpeed = speed;
    return d;
}

void TFormRouteSettingsDefault::CloseQuery(bool ok) {
    if (ok) SetWptRouteDefaults(Collect());
}

void TFormRouteSettingsDefault::Execute(TMarivoNavEnv &env, bool startOnPlannerPage, QWidget *parent) {
    TFormRouteSettingsDefault form(env, startOnPlannerPage, parent);
    Run(form, TSettingsPrompter<TFormRouteSettingsDefault>::Get());
}
