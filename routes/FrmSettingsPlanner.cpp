#include "routes/FrmSettingsPlanner.h"

#include "base/controls/KvEdits.h"
#include "base/units/KvUnitsTime.h"
#include "routes/RouteSettingsTexts.h"

#include <KvLibNav6/KvUnits.h>

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

namespace Txt {
const TLanguageStrings WaitingTime = {"Average waiting time", "Gemiddelde wachttijd",
                                      "Durchschnittliche Wartezeit", "Temps d'attente moyen",
                                      "Tiempo medio de espera", "Tempo medio di attesa",
                                      "Gennemsnitlig ventetid", "Genomsnittlig väntetid"};
const TLanguageStrings Bridges = {"Bridges", "Bruggen", "Brücken", "Ponts", "Puentes", "Ponti", "Broer", "Broar"};
const TLanguageStrings Lock = {"Lock", "Sluis", "Schleuse", "Écluse", "Esclusa", "Chiusa", "Sluse", "Sluss"};
const TLanguageStrings Minutes = {" min.", " min.", " Min.", " min.", " min.", " min.", " min.", " min."};
const TLanguageStrings SpeedLimits = {"Speed limits (while motoring)", "Snelheidslimieten (op de motor)",
                                      "Geschwindigkeitsbegrenzungen (unter Motor)",
                                      "Limites de vitesse (au moteur)", "Límites de velocidad (a motor)",
                                      "Limiti di velocità (a motore)", "Fartgrænser (for motor)",
                                      "Fartgränser (för motor)"};
const TLanguageStrings ImposeSpeedLimit = {"Impose speed limit", "Snelheidslimiet toepassen",
                                           "Geschwindigkeitsbegrenzung einhalten",
                                           "Respecter la limite de vitesse", "Respetar el límite de velocidad",
                                           "Rispettare il limite di velocità", "Overhold fartgrænsen",
                                           "Följ fartgränsen"};
const TLanguageStrings NAPSettings = {"NAP settings", "NAP-instellingen", "NAP-Einstellungen",
                                      "Paramètres NAP", "Ajustes NAP", "Impostazioni NAP",
                                      "NAP-indstillinger", "NAP-inställningar"};
const TLanguageStrings NAPWaterLevel = {"NAP water level", "Waterstand t.o.v. NAP", "Wasserstand über NAP",
                                        "Niveau d'eau NAP", "Nivel del agua NAP", "Livello dell'acqua NAP",
                                        "Vandstand over NAP", "Vattenstånd över NAP"};
}  // namespace Txt

constexpr int32_t HelpContext = 4014;
constexpr int MaxMinutes = 60;

QSlider *MinuteTrackBar(QWidget *parent) {
    auto *bar = new QSlider(Qt::Horizontal, parent);
    bar->setRange(0, MaxMinutes);
    bar->setSingleStep(1);
    bar->setPageStep(5);
    bar->setTickPosition(QSlider::TicksBelow);
    bar->setTickInterval(5);
    return bar;
}

}  // namespace

TFormSettingsPlanner::TFormSettingsPlanner(const TPlannerSettings &settings, int32_t volumeUnit,
                                           int32_t depthUnit, const QString &currency, QWidget *parent)
    : TFormSettingsDialog(HelpContext, parent), FIn(settings) {
    setObjectName(QStringLiteral("FormSettingsPlanner"));
    PageControl = new QTabWidget(this);
    auto *page = new QWidget(PageControl);
    PageControl->addTab(page, QString());
    auto *grid = new QGridLayout(page);
    LabelWaitingTime = SettingsHeading(page);
    LabelBridges = new QLabel(page);
    LabelLock = new QLabel(page);
    TrackBarTimeBridge = MinuteTrackBar(page);
    TrackBarTimeLock = MinuteTrackBar(page);
    LabelTimeBridgeValue = new QLabel(page);
    LabelTimeLockValue = new QLabel(page);
    LabelSpeedLimits = SettingsHeading(page);
    CheckBoxImposeSpeedLimit = new QCheckBox(page);
    LabelNAP = SettingsHeading(page);
    LabelNAPWaterLevel = new QLabel(page);
    EditNAPWaterLevel = new TNumberEdit(page);
    EditNAPWaterLevel->SetEditType(etFloatFixed);
    EditNAPWaterLevel->SetDigits(1);
    EditNAPWaterLevel->setMaximumWidth(80);
    LabelNAPUnit = new QLabel(page);
    int row = 0;
    grid->addWidget(LabelWaitingTime, row++, 0, 1, 3);
    grid->addWidget(LabelBridges, row, 0);
    grid->addWidget(TrackBarTimeBridge, row, 1);
    grid->addWidget(LabelTimeBridgeValue, row++, 2);
    grid->addWidget(LabelLock, row, 0);
    grid->addWidget(TrackBarTimeLock, row, 1);
    grid->addWidget(LabelTimeLockValue, row++, 2);
    grid->addWidget(LabelSpeedLimits, row++, 0, 1, 3);
    grid->addWidget(CheckBoxImposeSpeedLimit, row++, 0, 1, 3);
    grid->addWidget(LabelNAP, row++, 0, 1, 3);
    grid->addWidget(LabelNAPWaterLevel, row, 0);
    auto *nap = new QHBoxLayout;
    nap->addWidget(EditNAPWaterLevel);
    nap->addWidget(LabelNAPUnit);
    nap->addStretch(1);
    grid->addLayout(nap, row++, 1, 1, 2);
    grid->setRowStretch(row, 1);
    grid->setColumnStretch(1, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(PageControl);
    layout->addLayout(ButtonRow());

    // A stored time beyond the bar's hour shows at its end.
    FBridgeShown = std::clamp(settings.DelayBridges / 60, 0, MaxMinutes);
    FLockShown = std::clamp(settings.DelayLocks / 60, 0, MaxMinutes);
    TrackBarTimeBridge->setValue(FBridgeShown);
    TrackBarTimeLock->setValue(FLockShown);
    FNAP.Edit = EditNAPWaterLevel;
    FNAP.SetUnits(KvUnit::Metre, depthUnit);
    EditNAPWaterLevel->SetMin(-10);
    EditNAPWaterLevel->SetMax(100);
    FNAP.Show(settings.NAPWaterLevel);
    CheckBoxImposeSpeedLimit->setChecked(settings.ImposeSpeedLimit);
    SetLanguage(volumeUnit, depthUnit, currency);
    connect(TrackBarTimeBridge, &QSlider::valueChanged, this, [this] { ShowMinutes(); });
    connect(TrackBarTimeLock, &QSlider::valueChanged, this, [this] { ShowMinutes(); });
    PageControl->setCurrentIndex(0);
    setFixedSize(sizeHint().expandedTo(QSize(400, 0)));
}

void TFormSettingsPlanner::SetLanguage(int32_t volumeUnit, int32_t depthUnit, const QString &currency) {
    Q_UNUSED(volumeUnit);
    Q_UNUSED(currency);  // only the hidden money rows use them
    setWindowTitle(LanguageText(RouteSettingsText::Planner));
    PageControl->setTabText(0, LanguageText(SettingsTextGeneral));
    LabelWaitingTime->setText(LanguageText(Txt::WaitingTime));
    LabelBridges->setText(ColonCaption(Txt::Bridges));
    LabelLock->setText(ColonCaption(Txt::Lock));
    LabelSpeedLimits->setText(LanguageText(Txt::SpeedLimits));
    CheckBoxImposeSpeedLimit->setText(ColonCaption(Txt::ImposeSpeedLimit));
    LabelNAP->setText(LanguageText(Txt::NAPSettings));
    LabelNAPWaterLevel->setText(ColonCaption(Txt::NAPWaterLevel));
    LabelNAPUnit->setText(UnitToStr(depthUnit));
    ShowMinutes();
    SetButtonCaptions();
}

void TFormSettingsPlanner::ShowMinutes() {
    LabelTimeBridgeValue->setText(QString::number(TrackBarTimeBridge->value()) + LanguageText(Txt::Minutes));
    LabelTimeLockValue->setText(QString::number(TrackBarTimeLock->value()) + LanguageText(Txt::Minutes));
}

TPlannerSettings TFormSettingsPlanner::Collect() const {
    TPlannerSettings s = FIn;
    // An untouched bar keeps the seconds it was given, not its whole minutes.
    if (TrackBarTimeBridge->value() != FBridgeShown) s.DelayBridges = TrackBarTimeBridge->value() * 60;
    if (TrackBarTimeLock->value() != FLockShown) s.DelayLocks = TrackBarTimeLock->value() * 60;
    s.NAPWaterLevel = float(FNAP.Value());
    s.ImposeSpeedLimit = CheckBoxImposeSpeedLimit->isChecked();
    return s;
}

void TFormSettingsPlanner::CloseQuery(bool ok) {
    if (ok) FIn = Collect();
}

bool TFormSettingsPlanner::Execute(IWptPlanner *planner, TPlannerSettings &settings, int32_t volumeUnit,
                                   int32_t depthUnit, const QString &currency, bool fromRouteSettings,
                                   QWidget *parent) {
    Q_UNUSED(planner);
    Q_UNUSED(fromRouteSettings);
    TFormSettingsPlanner form(settings, volumeUnit, depthUnit, currency, parent);
    if (Run(form, TSettingsPrompter<TFormSettingsPlanner>::Get()) != QDialog::Accepted) return false;
    settings = form.FIn;
    return true;
}
