#include "shell/FrmSettingsLocale.h"

#include "base/controls/KvEdits.h"
#include "base/graphics/KvNightScreen.h"
#include "base/texts/KvLanguage.h"
#include "shell/FrmLanguage.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvLanguage.h>
#include <KvLibNav6/KvUnits.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <array>

namespace {

const QSize FlagSize(24, 16);

namespace Txt {
const TLanguageStrings Caption = {"Regional", "Regionaal", "Regional", "Paramètres régionaux",
                                  "Configuración regional", "Impostazioni internazionali",
                                  "Regionalt", "Regionalt"};
const TLanguageStrings Language = {"Language", "Taal", "Sprache", "Langue",
                                   "Idioma", "Lingua", "Sprog", "Språk"};
const TLanguageStrings UTCOffsetSync = {
    "Automatic UTC offset",        "Automatische UTC-afwijking", "Automatische UTC-Abweichung",
    "Décalage UTC automatique",    "Diferencia UTC automática",  "Scostamento UTC automatico",
    "Automatisk UTC-forskydning",  "Automatisk UTC-förskjutning"};
const TLanguageStrings UTCOffset = {"UTC Offset",      "UTC-afwijking",   "UTC-Abweichung",
                                    "Décalage UTC",    "Diferencia UTC",  "Scostamento UTC",
                                    "UTC-forskydning", "UTC-förskjutning"};
const TLanguageStrings Minutes = {"minutes", "minuten", "Minuten", "minutes",
                                  "minutos", "minuti",  "minutter", "minuter"};
const TLanguageStrings Units = {"Units",    "Eenheden", "Einheiten", "Unités",
                                "Unidades", "Unità",    "Enheder",   "Enheter"};
const TLanguageStrings Speed = {"Speed",     "Snelheid", "Geschwindigkeit", "Vitesse",
                                "Velocidad", "Velocità", "Fart",            "Fart"};
const TLanguageStrings DistanceLarge = {"Distance (large)",   "Afstand (groot)",
                                        "Entfernung (groß)",  "Distance (grande)",
                                        "Distancia (grande)", "Distanza (grande)",
                                        "Afstand (stor)",     "Avstånd (stort)"};
const TLanguageStrings DistanceSmall = {"Distance (small)",    "Afstand (klein)",
                                        "Entfernung (klein)",  "Distance (petite)",
                                        "Distancia (pequeña)", "Distanza (piccola)",
                                        "Afstand (lille)",     "Avstånd (litet)"};
const TLanguageStrings Depth = {"Depth",       "Diepte",     "Tiefe", "Profondeur",
                                "Profundidad", "Profondità", "Dybde", "Djup"};
const TLanguageStrings Temperature = {"Temperature", "Temperatuur", "Temperatur",
                                      "Température", "Temperatura", "Temperatura",
                                      "Temperatur",  "Temperatur"};
const TLanguageStrings Volume = {"Amount of fuel",          "Hoeveelheid brandstof",
                                 "Kraftstoffmenge",         "Quantité de carburant",
                                 "Cantidad de combustible", "Quantità di carburante",
                                 "Brændstofmængde",         "Bränslemängd"};
const TLanguageStrings Currency = {"Currency", "Valuta", "Währung", "Devise",
                                   "Moneda",   "Valuta", "Valuta",  "Valuta"};
const TLanguageStrings Nautical = {"Nautical", "Nautisch", "Nautisch", "Nautique",
                                   "Náutico",  "Nautico",  "Nautisk",  "Nautiskt"};
const TLanguageStrings Metric = {"Metric",  "Metrisch", "Metrisch", "Métrique",
                                 "Métrico", "Metrico",  "Metrisk",  "Metriskt"};
const TLanguageStrings US = {"US", "VS", "US", "US", "EE. UU.", "USA", "USA", "USA"};
const TLanguageStrings PositionFormat = {
    "Position format",      "Positieformaat",    "Positionsformat", "Format de position",
    "Formato de posición",  "Formato posizione", "Positionsformat", "Positionsformat"};
const TLanguageStrings Degrees = {"Degrees", "Graden", "Grad",   "Degrés",
                                  "Grados",  "Gradi",  "Grader", "Grader"};
const TLanguageStrings DegreesMinutes = {"Degrees, minutes", "Graden, minuten",
                                         "Grad, Minuten",    "Degrés, minutes",
                                         "Grados, minutos",  "Gradi, minuti",
                                         "Grader, minutter", "Grader, minuter"};
const TLanguageStrings DegreesMinutesSeconds = {
    "Degrees, minutes, seconds",   "Graden, minuten, seconden", "Grad, Minuten, Sekunden",
    "Degrés, minutes, secondes",   "Grados, minutos, segundos", "Gradi, minuti, secondi",
    "Grader, minutter, sekunder",  "Grader, minuter, sekunder"};
}  // namespace Txt

struct TUnitEntry {
    TLanguageStrings Text;
    int32_t Code;
};

const TUnitEntry SpeedUnits[] = {
    {{"km/h (kilometer per hour)", "km/h (kilometer per uur)", "km/h (Kilometer pro Stunde)",
      "km/h (kilomètres par heure)", "km/h (kilómetros por hora)", "km/h (chilometri orari)",
      "km/t (kilometer i timen)", "km/h (kilometer i timmen)"},
     0x70000},
    {{"kn (knots)", "kn (knopen)", "kn (Knoten)", "nd (nœuds)", "kn (nudos)", "kn (nodi)",
      "kn (knob)", "kn (knop)"},
     0x70004},
    {{"mph (miles per hour)", "mph (mijl per uur)", "mph (Meilen pro Stunde)",
      "mph (miles par heure)", "mph (millas por hora)", "mph (miglia orarie)",
      "mph (miles i timen)", "mph (miles i timmen)"},
     0x70003},
    {{"m/s (meters per second)", "m/s (meter per seconde)", "m/s (Meter pro Sekunde)",
      "m/s (mètres par seconde)", "m/s (metros por segundo)", "m/s (metri al secondo)",
      "m/s (meter i sekundet)", "m/s (meter per sekund)"},
     0x7800B},
};
const TUnitEntry DistanceLargeUnits[] = {
    {{"km (kilometer)", "km (kilometer)", "km (Kilometer)", "km (kilomètres)", "km (kilómetros)",
      "km (chilometri)", "km (kilometer)", "km (kilometer)"},
     0x6800E},
    {{"mile (statute miles)", "mijl (Engelse mijlen)", "Meile (Landmeilen)",
      "mile (miles terrestres)", "milla (millas terrestres)", "miglio (miglia terrestri)",
      "mile (engelske mil)", "mile (engelska mil)"},
     0x60005},
    {{"nmile (nautical miles)", "zeemijl (zeemijlen)", "sm (Seemeilen)",
      "NM (milles nautiques)", "mn (millas náuticas)", "mn (miglia nautiche)", "sm (sømil)",
      "M (nautiska mil)"},
     0x60006},
};
const TUnitEntry FeetUnit = {{"ft (feet)", "ft (voet)", "ft (Fuß)", "ft (pieds)", "ft (pies)",
                              "ft (piedi)", "ft (fod)", "ft (fot)"},
                             0x60002};
const TUnitEntry MetreUnit = {{"m (meter)", "m (meter)", "m (Meter)", "m (mètres)", "m (metros)",
                               "m (metri)", "m (meter)", "m (meter)"},
                              0x6800B};
const TUnitEntry DistanceSmallUnits[] = {
    MetreUnit,
    FeetUnit,
    {{"yd (yard)", "yd (yard)", "yd (Yard)", "yd (yards)", "yd (yardas)", "yd (iarde)",
      "yd (yard)", "yd (yard)"},
     0x60003},
};
const TUnitEntry DepthUnits[] = {FeetUnit, MetreUnit};
const TUnitEntry TemperatureUnits[] = {
    {{"°C (degrees Celsius)", "°C (graden Celsius)", "°C (Grad Celsius)", "°C (degrés Celsius)",
      "°C (grados Celsius)", "°C (gradi Celsius)", "°C (grader celsius)", "°C (grader Celsius)"},
     0x120000},
    {{"°F (degrees Fahrenheit)", "°F (graden Fahrenheit)", "°F (Grad Fahrenheit)",
      "°F (degrés Fahrenheit)", "°F (grados Fahrenheit)", "°F (gradi Fahrenheit)",
      "°F (grader fahrenheit)", "°F (grader Fahrenheit)"},
     0x120001},
};
const TUnitEntry VolumeUnits[] = {
    {{"l (liters)", "l (liter)", "l (Liter)", "l (litres)", "l (litros)", "l (litri)",
      "l (liter)", "l (liter)"},
     0xA0003},
    {{"gal (gallons)", "gal (gallon)", "gal (Gallonen)", "gal (gallons)", "gal (galones)",
      "gal (galloni)", "gal (gallon)", "gal (gallon)"},
     0xA000C},
};

// Depth, large distance, small distance, speed, temperature, fuel.
struct TPreset {
    int32_t Depth, DistanceLarge, DistanceSmall, Speed, Temperature, Volume;
};
enum { PresetMetric, PresetNautical, PresetUS };
constexpr TPreset Presets[] = {
    {0x6800B, 0x6800E, 0x6800B, 0x70000, 0x120000, 0xA0003},
    {0x6800B, 0x60006, 0x6800B, 0x70004, 0x120000, 0xA0003},
    {0x60002, 0x60005, 0x60003, 0x70003, 0x120001, 0xA000C},
};

template <size_t N>
void FillUnits(QComboBox *box, const TUnitEntry (&entries)[N]) {
    box->clear();
    for (const TUnitEntry &e : entries) box->addItem(LanguageText(e.Text), e.Code);
}

// No entry carries the code: no selection, the code stays as it is.
void SelectUnit(QComboBox *box, int32_t code) { box->setCurrentIndex(box->findData(code)); }

QWidget *LabelledRow(QWidget *parent, QLabel *&label, QWidget *control) {
    auto *panel = new QWidget(parent);
    auto *row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    label = new QLabel(panel);
    row->addWidget(label);
    control->setParent(panel);
    row->addWidget(control, 1);
    return panel;
}

QComboBox *DropDownList(QWidget *parent) {
    auto *box = new QComboBox(parent);
    box->setEditable(false);
    box->setMinimumWidth(220);
    return box;
}

}  // namespace

TFormSettingsLocale::TFormSettingsLocale(TMarivoNavEnv &env, QWidget *parent)
    : TFormSettingsDialog(4003, parent), ComboBoxLanguage(DropDownList(this)),
      CheckBoxUTCOffsetSync(new QCheckBox(this)), EditUTCOffset(new TNumberEdit(this)),
      ComboBoxSpeed(DropDownList(this)), ComboBoxDistanceLarge(DropDownList(this)),
      ComboBoxDistanceSmall(DropDownList(this)), ComboBoxDepth(DropDownList(this)),
      ComboBoxTemperature(DropDownList(this)), ComboBoxVolume(DropDownList(this)),
      ComboBoxCurrency(new QComboBox(this)), FEnv(env), FLanguageAtOpening(GetCurrentLanguage()),
      FCurrency(env.Currency), FUnitDepth(env.UnitDepth),
      FUnitDistanceLarge(env.UnitDistanceLarge), FUnitDistanceSmall(env.UnitDistanceSmall),
      FUnitSpeed(env.UnitSpeed), FUnitTemperature(env.UnitTemperature),
      FUnitVolume(env.UnitVolume), FPositionFormat(env.PositionFormat) {
    ComboBoxLanguage->setMaxVisibleItems(8);
    ComboBoxLanguage->setIconSize(FlagSize);
    ComboBoxCurrency->setEditable(true);
    EditUTCOffset->SetMin(-720);
    EditUTCOffset->SetMax(720);
    EditUTCOffset->Step = 1;
    BuildLayout();
    FillLanguages(GetAvailableLanguages());
    CheckBoxUTCOffsetSync->setChecked(FEnv.GetUTCOffsetSync());
    CheckBoxUTCOffsetSyncClick();
    EditUTCOffset->SetIntValue(FEnv.GetUTCOffset());
    // Currency, depth and temperature are carried and written back, but not offered.
    PanelCurrency->hide();
    PanelUnits2->hide();
    PanelUnits3->hide();
    ConnectControls();
    SetLanguage();
    ScaleConstraints();
}

void TFormSettingsLocale::BuildLayout() {
    auto *layout = new QVBoxLayout(this);
    FLabelGeneral = SettingsHeading(this);
    layout->addWidget(FLabelGeneral);
    layout->addWidget(LabelledRow(this, FLabelLanguage, ComboBoxLanguage));
    layout->addWidget(LabelledRow(this, FLabelUTCOffsetSync, CheckBoxUTCOffsetSync));
    auto *offset = new QWidget(this);
    auto *offsetRow = new QHBoxLayout(offset);
    offsetRow->setContentsMargins(0, 0, 0, 0);
    FLabelUTCOffset = new QLabel(offset);
    FLabelMinutes = new QLabel(offset);
    EditUTCOffset->setParent(offset);
    EditUTCOffset->setMaximumWidth(80);
    offsetRow->addWidget(FLabelUTCOffset);
    offsetRow->addWidget(EditUTCOffset);
    offsetRow->addWidget(FLabelMinutes, 1);
    layout->addWidget(offset);

    FLabelUnits = SettingsHeading(this);
    layout->addWidget(FLabelUnits);
    PanelUnits1 = new QWidget(this);
    auto *units1 = new QVBoxLayout(PanelUnits1);
    units1->setContentsMargins(0, 0, 0, 0);
    units1->addWidget(LabelledRow(PanelUnits1, FLabelSpeed, ComboBoxSpeed));
    units1->addWidget(LabelledRow(PanelUnits1, FLabelDistanceLarge, ComboBoxDistanceLarge));
    units1->addWidget(LabelledRow(PanelUnits1, FLabelDistanceSmall, ComboBoxDistanceSmall));
    layout->addWidget(PanelUnits1);
    layout->addWidget(PanelUnits2 = LabelledRow(this, FLabelDepth, ComboBoxDepth));
    layout->addWidget(PanelUnits3 = LabelledRow(this, FLabelTemperature, ComboBoxTemperature));
    layout->addWidget(PanelUnits4 = LabelledRow(this, FLabelVolume, ComboBoxVolume));
    auto *presets = new QHBoxLayout;
    ButtonPresetNautical = new QPushButton(this);
    ButtonPresetMetric = new QPushButton(this);
    ButtonPresetUS = new QPushButton(this);
    presets->addStretch(1);
    for (QPushButton *b : {ButtonPresetNautical, ButtonPresetMetric, ButtonPresetUS}) {
        b->setAutoDefault(false);
        presets->addWidget(b);
    }
    layout->addLayout(presets);

    FLabelPositionFormat = SettingsHeading(this);
    layout->addWidget(FLabelPositionFormat);
    RadioButtonFormatDegrees = new QRadioButton(this);
    RadioButtonFormatDegreesMinutes = new QRadioButton(this);
    RadioButtonFormatDegreesMinutesSeconds = new QRadioButton(this);
    for (QRadioButton *r : {RadioButtonFormatDegrees, RadioButtonFormatDegreesMinutes,
                            RadioButtonFormatDegreesMinutesSeconds})
        layout->addWidget(r);
    layout->addWidget(PanelCurrency = LabelledRow(this, FLabelCurrency, ComboBoxCurrency));
    layout->addStretch(1);
    layout->addLayout(ButtonRow());
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TFormSettingsLocale::ConnectControls() {
    struct TList {
        QComboBox *Box;
        int32_t *Unit;
    };
    for (const TList &l : {TList{ComboBoxSpeed, &FUnitSpeed},
                           TList{ComboBoxDistanceLarge, &FUnitDistanceLarge},
                           TList{ComboBoxDistanceSmall, &FUnitDistanceSmall},
                           TList{ComboBoxDepth, &FUnitDepth},
                           TList{ComboBoxTemperature, &FUnitTemperature},
                           TList{ComboBoxVolume, &FUnitVolume}}) {
        connect(l.Box, &QComboBox::currentIndexChanged, this, [this, l](int index) {
            if (!FShowing && index >= 0) *l.Unit = l.Box->itemData(index).toInt();
        });
    }
    connect(ComboBoxLanguage, &QComboBox::activated, this,
            &TFormSettingsLocale::ComboBoxLanguageSelect);
    connect(CheckBoxUTCOffsetSync, &QCheckBox::clicked, this,
            &TFormSettingsLocale::CheckBoxUTCOffsetSyncClick);
    connect(ButtonPresetNautical, &QPushButton::clicked, this, [this] { ApplyPreset(PresetNautical); });
    connect(ButtonPresetMetric, &QPushButton::clicked, this, [this] { ApplyPreset(PresetMetric); });
    connect(ButtonPresetUS, &QPushButton::clicked, this, [this] { ApplyPreset(PresetUS); });
    const std::array<QRadioButton *, 3> formats = FormatButtons();
    for (int f = 0; f < 3; ++f)
        connect(formats[size_t(f)], &QRadioButton::toggled, this,
                [this, f](bool checked) { SetPositionFormat(f, checked); });
    connect(ComboBoxCurrency, &QComboBox::currentTextChanged, this, [this](const QString &text) {
        if (!FShowing) FCurrency = text;
    });
}

std::array<QRadioButton *, 3> TFormSettingsLocale::FormatButtons() const {
    return {RadioButtonFormatDegrees, RadioButtonFormatDegreesMinutes,
            RadioButtonFormatDegreesMinutesSeconds};
}

void TFormSettingsLocale::FillLanguages(uint32_t available) {
    ComboBoxLanguage->clear();
    INightScreen *ns = NightScreen();
    const bool night = ns && ns->IsActive();
    for (int32_t n = KvLang::First; n <= KvLang::Last; ++n) {
        if (!InLanguages(n, available)) continue;
        QImage flag = LanguageFlag(n, FlagSize).toImage();
        if (night) NightScreenConvertPNG(ns, flag);
        ComboBoxLanguage->addItem(QIcon(QPixmap::fromImage(flag)), LanguageToStrLocalA(n), n);
    }
    const int current = ComboBoxLanguage->findData(GetCurrentLanguage());
    ComboBoxLanguage->setCurrentIndex(current >= 0 ? current : 0);
}

void TFormSettingsLocale::SetLanguage() {
    setWindowTitle(LanguageText(Txt::Caption));
    SetButtonCaptions();
    FLabelGeneral->setText(LanguageText(SettingsTextGeneral));
    FLabelLanguage->setText(ColonCaption(Txt::Language));
    FLabelUTCOffsetSync->setText(ColonCaption(Txt::UTCOffsetSync));
    FLabelUTCOffset->setText(ColonCaption(Txt::UTCOffset));
    FLabelMinutes->setText(LanguageText(Txt::Minutes));
    FLabelUnits->setText(LanguageText(Txt::Units) + QLatin1Char(' '));
    FLabelSpeed->setText(ColonCaption(Txt::Speed));
    FLabelDistanceLarge->setText(ColonCaption(Txt::DistanceLarge));
    FLabelDistanceSmall->setText(ColonCaption(Txt::DistanceSmall));
    FLabelDepth->setText(ColonCaption(Txt::Depth));
    FLabelTemperature->setText(ColonCaption(Txt::Temperature));
    FLabelVolume->setText(ColonCaption(Txt::Volume));
    FLabelCurrency->setText(ColonCaption(Txt::Currency));
    FShowing = true;
    FillUnits(ComboBoxSpeed, SpeedUnits);
    FillUnits(ComboBoxDistanceLarge, DistanceLargeUnits);
    FillUnits(ComboBoxDistanceSmall, DistanceSmallUnits);
    FillUnits(ComboBoxDepth, DepthUnits);
    FillUnits(ComboBoxTemperature, TemperatureUnits);
    FillUnits(ComboBoxVolume, VolumeUnits);
    FShowing = false;
    ButtonPresetNautical->setText(LanguageText(Txt::Nautical));
    ButtonPresetMetric->setText(LanguageText(Txt::Metric));
    ButtonPresetUS->setText(LanguageText(Txt::US));
    FLabelPositionFormat->setText(LanguageText(Txt::PositionFormat));
    RadioButtonFormatDegrees->setText(LanguageText(Txt::Degrees));
    RadioButtonFormatDegreesMinutes->setText(LanguageText(Txt::DegreesMinutes));
    RadioButtonFormatDegreesMinutesSeconds->setText(LanguageText(Txt::DegreesMinutesSeconds));
    // The labels beside the controls form one column as wide as its longest caption.
    const QList<QLabel *> column = {FLabelLanguage,     FLabelUTCOffsetSync, FLabelUTCOffset,
                                    FLabelSpeed,        FLabelDistanceLarge, FLabelDistanceSmall,
                                    FLabelDepth,        FLabelTemperature,   FLabelVolume,
                                    FLabelCurrency};
    int width = 0;
    for (QLabel *l : column) width = qMax(width, l->sizeHint().width());
    for (QLabel *l : column) l->setMinimumWidth(width);
    ShowValues();
    layout()->activate();
    update();
}

void TFormSettingsLocale::ShowValues() {
    FShowing = true;
    ComboBoxCurrency->setEditText(FCurrency);
    SelectUnit(ComboBoxSpeed, FUnitSpeed);
    SelectUnit(ComboBoxDistanceLarge, FUnitDistanceLarge);
    SelectUnit(ComboBoxDistanceSmall, FUnitDistanceSmall);
    SelectUnit(ComboBoxDepth, FUnitDepth);
    SelectUnit(ComboBoxTemperature, FUnitTemperature);
    SelectUnit(ComboBoxVolume, FUnitVolume);
    const std::array<QRadioButton *, 3> formats = FormatButtons();
    // Any other format checks none: the buttons are exclusive only while one is checked.
    for (QRadioButton *r : formats) r->setAutoExclusive(false);
    for (int f = 0; f < 3; ++f) formats[size_t(f)]->setChecked(f == FPositionFormat);
    for (QRadioButton *r : formats) r->setAutoExclusive(true);
    FShowing = false;
}

void TFormSettingsLocale::ApplyPreset(int preset) {
    const TPreset &p = Presets[preset];
    FUnitDepth = p.Depth;
    FUnitDistanceLarge = p.DistanceLarge;
    FUnitDistanceSmall = p.DistanceSmall;
    FUnitSpeed = p.Speed;
    FUnitTemperature = p.Temperature;
    FUnitVolume = p.Volume;
    ShowValues();
}

void TFormSettingsLocale::SetPositionFormat(int format, bool checked) {
    if (!FShowing && checked) FPositionFormat = format;
}

void TFormSettingsLocale::ComboBoxLanguageSelect(int index) {
    if (index < 0) return;
    SetCurrentLanguage(ComboBoxLanguage->itemData(index).toInt());
    SetLanguage();
}

void TFormSettingsLocale::CheckBoxUTCOffsetSyncClick() {
    const bool sync = CheckBoxUTCOffsetSync->isChecked();
    EditUTCOffset->setEnabled(!sync);
    if (sync) EditUTCOffset->SetIntValue(NavMsgGetGPSClock()->GetComputerUTCOffset());
}

void TFormSettingsLocale::CloseQuery(bool ok) {
    if (ok) {
        FEnv.SetCurrency(ComboBoxCurrency->currentText());
        FEnv.SetPositionFormat(FPositionFormat);
        FEnv.SetUnits(FUnitDepth, FUnitDistanceLarge, FUnitDistanceSmall, FUnitSpeed,
                      FUnitTemperature, FUnitVolume);
        FEnv.SetUTCOffsetSync(CheckBoxUTCOffsetSync->isChecked());
        if (!FEnv.GetUTCOffsetSync()) FEnv.SetUTCOffset(int32_t(EditUTCOffset->GetIntValue()));
    } else if (GetCurrentLanguage() != FLanguageAtOpening) {
        SetCurrentLanguage(FLanguageAtOpening);
    }
    RegWriteLanguage();
}

bool TFormSettingsLocale::Execute(TMarivoNavEnv &env, QWidget *parent) {
    TFormSettingsLocale form(env, parent);
    return Run(form, TSettingsPrompter<TFormSettingsLocale>::Get()) == QDialog::Accepted;
}
