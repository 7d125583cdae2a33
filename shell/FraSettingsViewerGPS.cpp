#include "shell/FraSettingsViewerGPS.h"

#include "base/controls/KvEdits.h"
#include "base/units/KvUnitsTime.h"
#include "shell/FraSettingsViewer.h"
#include "shell/FrmSettingsCommon.h"
#include "shell/MarivoNavEnv.h"
#include "shell/SettingsPageLayout.h"

#include <KvLibNav6/KvUnits.h>

#include <QButtonGroup>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>

namespace {
namespace Txt {
const TLanguageStrings CourseLine = {"Show course line", "Koerslijn tonen", "Kurslinie anzeigen",
                                     "Afficher la ligne de cap", "Mostrar línea de rumbo",
                                     "Mostra linea di rotta", "Vis kurslinje", "Visa kurslinje"};
const TLanguageStrings IMOCircles = {"Show IMO circles", "IMO-cirkels tonen", "IMO-Kreise anzeigen",
                                     "Afficher les cercles IMO", "Mostrar círculos IMO",
                                     "Mostra cerchi IMO", "Vis IMO-cirkler", "Visa IMO-cirklar"};
const TLanguageStrings DistanceCircles = {"Show distance circles", "Afstandscirkels tonen",
                                          "Distanzkreise anzeigen", "Afficher les cercles de distance",
                                          "Mostrar círculos de distancia", "Mostra cerchi di distanza",
                                          "Vis afstandscirkler", "Visa avståndscirklar"};
const TLanguageStrings Automatic = {"Automatic", "Automatisch", "Automatisch", "Automatique",
                                    "Automático", "Automatico", "Automatisk", "Automatisk"};
const TLanguageStrings Custom = {"Custom", "Aangepast", "Benutzerdefiniert", "Personnalisé",
                                 "Personalizado", "Personalizzato", "Brugerdefineret", "Anpassad"};
const TLanguageStrings CircleCount = {"Number of circles", "Aantal cirkels", "Anzahl der Kreise",
                                      "Nombre de cercles", "Número de círculos", "Numero di cerchi",
                                      "Antal cirkler", "Antal cirklar"};
const TLanguageStrings Distance = {"Distance", "Afstand", "Abstand", "Distance", "Distancia",
                                   "Distanza", "Afstand", "Avstånd"};
const TLanguageStrings ScaledOutline = {"Show scaled outline", "Geschaalde omtrek tonen",
                                        "Maßstäblichen Umriss anzeigen", "Afficher le contour à l'échelle",
                                        "Mostrar contorno a escala", "Mostra sagoma in scala",
                                        "Vis skaleret omrids", "Visa skalenlig kontur"};
const TLanguageStrings BearingLine = {"Show bearing line to mouse cursor",
                                      "Peillijn naar muiscursor tonen",
                                      "Peillinie zum Mauszeiger anzeigen",
                                      "Afficher le relèvement vers le curseur",
                                      "Mostrar línea de marcación al cursor",
                                      "Mostra rilevamento verso il cursore",
                                      "Vis pejlelinje til musemarkør", "Visa bäringslinje till muspekaren"};
const TLanguageStrings Vectors = {"Vectors", "Vectoren", "Vektoren", "Vecteurs", "Vectores",
                                  "Vettori", "Vektorer", "Vektorer"};
const TLanguageStrings ShowVectors = {"Show vectors", "Vectoren tonen", "Vektoren anzeigen",
                                      "Afficher les vecteurs", "Mostrar vectores", "Mostra vettori",
                                      "Vis vektorer", "Visa vektorer"};
const TLanguageStrings WindVectors = {"Show wind vectors", "Windvectoren tonen", "Windvektoren anzeigen",
                                      "Afficher les vecteurs de vent", "Mostrar vectores de viento",
                                      "Mostra vettori del vento", "Vis vindvektorer", "Visa vindvektorer"};
const TLanguageStrings Laylines = {"Show laylines", "Laylines tonen", "Laylines anzeigen",
                                   "Afficher les laylines", "Mostrar laylines", "Mostra laylines",
                                   "Vis laylines", "Visa laylines"};
const TLanguageStrings RelWindVane = {"Show relative wind as vane", "Schijnbare wind als vaan tonen",
                                      "Scheinbaren Wind als Fahne anzeigen",
                                      "Afficher le vent apparent en girouette",
                                      "Mostrar viento aparente como veleta",
                                      "Mostra vento apparente come banderuola",
                                      "Vis tilsyneladende vind som vimpel",
                                      "Visa skenbar vind som vimpel"};
}  // namespace Txt
}  // namespace

TFrameSettingsViewerGPS::TFrameSettingsViewerGPS(TChartViewerSettings &settings, TMarivoNavEnv &env)
    : TViewerSettingsPage(settings), FLargeUnit(env.UnitDistanceLarge) {
    namespace B = ViewerSettingsBit;
    using S = TChartViewerSettings;
    TSettingsPageLayout page(this);
    page.Heading(SettingsTextGeneral);
    CheckBoxCourseLine = FlagBox(page, Txt::CourseLine, &S::GPSFlags, B::GPSCourseLine);
    CheckBoxIMOCircles = FlagBox(page, Txt::IMOCircles, &S::GPSFlags, B::GPSIMOCircles);
    CheckBoxDistanceCircles = FlagBox(page, Txt::DistanceCircles, &S::GPSFlags, B::GPSDistanceCircles);
    RadioDistanceCirclesAutomatic = new QRadioButton(LanguageText(Txt::Automatic), this);
    RadioDistanceCirclesCustom = new QRadioButton(LanguageText(Txt::Custom), this);
    auto *group = new QButtonGroup(this);
    group->addButton(RadioDistanceCirclesAutomatic);
    group->addButton(RadioDistanceCirclesCustom);
    auto *radios = new QWidget(this);
    auto *h = new QHBoxLayout(radios);
    h->setContentsMargins(0, 0, 0, 0);
    h->addWidget(RadioDistanceCirclesAutomatic);
    h->addWidget(RadioDistanceCirclesCustom);
    h->addStretch(1);
    page.Wide(radios, SettingsIndent);
    EditDistanceCircleCount = SettingsIntEdit(this, 0, 20, 5);
    LabelDistanceCircleCount = page.Row(QLatin1String("    ") + ColonCaption(Txt::CircleCount),
                                        EditDistanceCircleCount);
    EditDistanceCircleDistance = new TNumberEdit(this);
    EditDistanceCircleDistance->SetEditType(etFloatFixed);
    EditDistanceCircleDistance->SetDigits(2);
    EditDistanceCircleDistance->SetMin(0.01L);
    EditDistanceCircleDistance->SetMax(100);
    EditDistanceCircleDistance->SetValue(0.5L);
    EditDistanceCircleDistance->setMaximumWidth(60);
    LabelDistanceUnit = new QLabel(UnitToStr(FLargeUnit), this);
    LabelDistanceCircleDistance = page.Row(QLatin1String("    ") + ColonCaption(Txt::Distance),
                                           EditDistanceCircleDistance, LabelDistanceUnit);
    CheckBoxScaledOutline = FlagBox(page, Txt::ScaledOutline, &S::GPSFlags, B::GPSScaledOutline);
    CheckBoxBearingLine = BoolBox(page, Txt::BearingLine, &S::ShowBearingLine);
    page.Heading(Txt::Vectors);
    CheckBoxVectors = FlagBox(page, Txt::ShowVectors, &S::GPSFlags, B::GPSVectors);
    CheckBoxWindVectors = FlagBox(page, Txt::WindVectors, &S::GPSFlags, B::GPSWindVectors, SettingsIndent);
    CheckBoxLaylines = FlagBox(page, Txt::Laylines, &S::GPSFlags, B::GPSLaylines, SettingsIndent);
    CheckBoxRelWindAsVane = FlagBox(page, Txt::RelWindVane, &S::GPSFlags, B::GPSRelWindAsVane, SettingsIndent);
    page.Finish();
    LoadSettings();

    for (QRadioButton *r : {RadioDistanceCirclesAutomatic, RadioDistanceCirclesCustom})
        connect(r, &QRadioButton::clicked, this, [this] {
            if (FLoading) return;
            FSettings.DistanceCirclesAuto = RadioDistanceCirclesAutomatic->isChecked();
            UpdateEnabled();
        });
    EditDistanceCircleCount->OnExit = [this](QObject *) {
        if (!FLoading) FSettings.DistanceCirclesCount = int32_t(EditDistanceCircleCount->GetIntValue());
    };
    EditDistanceCircleDistance->OnExit = [this](QObject *) { DistanceExit(); };
}

void TFrameSettingsViewerGPS::DistanceExit() {
    if (FLoading) return;
    const long double shown = EditDistanceCircleDistance->Value();
    if (shown == FShownDistance) return;
    FShownDistance = shown;
    FSettings.DistanceCircles = float(UnitConvert(double(shown), FLargeUnit, KvUnit::Metre));
}

void TFrameSettingsViewerGPS::LoadOther() {
    (FSettings.DistanceCirclesAuto ? RadioDistanceCirclesAutomatic : RadioDistanceCirclesCustom)
        ->setChecked(true);
    EditDistanceCircleCount->SetIntValue(FSettings.DistanceCirclesCount);
    EditDistanceCircleDistance->SetValue(
        UnitConvert(double(FSettings.DistanceCircles), KvUnit::Metre, FLargeUnit));
    FShownDistance = EditDistanceCircleDistance->Value();
}

void TFrameSettingsViewerGPS::UpdateEnabled() {
    const bool vectors = CheckBoxVectors->isChecked();
    for (QWidget *w : {static_cast<QWidget *>(CheckBoxWindVectors), static_cast<QWidget *>(CheckBoxLaylines),
                       static_cast<QWidget *>(CheckBoxRelWindAsVane)})
        w->setEnabled(vectors);
    const bool circles = CheckBoxDistanceCircles->isChecked();
    RadioDistanceCirclesAutomatic->setEnabled(circles);
    RadioDistanceCirclesCustom->setEnabled(circles);
    const bool custom = circles && RadioDistanceCirclesCustom->isChecked();
    for (QWidget *w : std::initializer_list<QWidget *>{EditDistanceCircleCount, EditDistanceCircleDistance,
                                                       LabelDistanceCircleCount, LabelDistanceCircleDistance,
                                                       LabelDistanceUnit})
        w->setEnabled(custom);
}
