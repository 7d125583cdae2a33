#include "routes/FrmSettingsShip.h"

#include "base/controls/KvEdits.h"
#include "base/dialogs/KvMsgBox.h"
#include "base/graphics/KvNightScreen.h"
#include "base/registry/KvRegistry.h"
#include "base/units/KvUnitsTime.h"
#include "routes/RouteSettingsTexts.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvBoatDef.h>
#include <KvLibNav6/KvUnits.h>

#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

namespace Txt {
const TLanguageStrings Caption = {"Ship", "Schip", "Schiff", "Bateau", "Barco", "Imbarcazione", "Skib", "Båt"};
const TLanguageStrings Type = {"Type", "Type", "Typ", "Type", "Tipo", "Tipo", "Type", "Typ"};
const TLanguageStrings Pleasure = {"Pleasure boating", "Recreatievaart", "Sportschifffahrt", "Plaisance",
                                   "Navegación de recreo", "Diporto", "Lystsejlads", "Fritidsbåt"};
const TLanguageStrings Commercial = {"Commercial shipping", "Beroepsvaart", "Berufsschifffahrt",
                                     "Navigation commerciale", "Navegación comercial", "Navigazione commerciale",
                                     "Erhvervssejlads", "Yrkessjöfart"};
const TLanguageStrings ShipName = {"Ship name", "Scheepsnaam", "Schiffsname", "Nom du bateau", "Nombre del barco",
                                   "Nome dell'imbarcazione", "Skibets navn", "Båtens namn"};
const TLanguageStrings PolarDiagram = {"Polar diagram", "Polair diagram", "Polardiagramm", "Diagramme polaire",
                                       "Diagrama polar", "Diagramma polare", "Polardiagram", "Polardiagram"};
const TLanguageStrings DefaultPolar = {"Default polar diagram", "Standaard polair diagram",
                                       "Standard-Polardiagramm", "Diagramme polaire par défaut",
                                       "Diagrama polar predeterminado", "Diagramma polare predefinito",
                                       "Standardpolardiagram", "Standardpolardiagram"};
const TLanguageStrings SelectPolarHint = {"Click to select another polar diagram...",
                                          "Klik om een ander polair diagram te kiezen...",
                                          "Klicken, um ein anderes Polardiagramm zu wählen...",
                                          "Cliquez pour choisir un autre diagramme polaire...",
                                          "Haga clic para elegir otro diagrama polar...",
                                          "Fare clic per scegliere un altro diagramma polare...",
                                          "Klik for at vælge et andet polardiagram...",
                                          "Klicka för att välja ett annat polardiagram..."};
const TLanguageStrings SpinnakerRange = {"Wind speed range spinnaker active", "Windbereik spinnaker actief",
                                         "Windbereich Spinnaker aktiv", "Plage de vent spinnaker actif",
                                         "Rango de viento con spinnaker", "Intervallo di vento con spinnaker",
                                         "Vindområde med spiler", "Vindområde med spinnaker"};
const TLanguageStrings HoistAngle = {"Hoist angle", "Hijshoek", "Setzwinkel", "Angle d'envoi",
                                     "Ángulo de izado", "Angolo di issata", "Hejsevinkel", "Hissvinkel"};
const TLanguageStrings SpeedIncrease = {"Speed increase", "Snelheidstoename", "Geschwindigkeitszunahme",
                                        "Gain de vitesse", "Aumento de velocidad", "Aumento di velocità",
                                        "Fartforøgelse", "Fartökning"};
const TLanguageStrings MotorMin = {"Use motor at speeds lower than", "Motor gebruiken bij snelheden onder",
                                   "Motor nutzen bei Geschwindigkeiten unter", "Utiliser le moteur en dessous de",
                                   "Usar el motor a velocidades menores de", "Usare il motore sotto i",
                                   "Brug motor ved fart under", "Använd motor vid fart under"};
const TLanguageStrings Dimensions = {"Dimensions", "Afmetingen", "Abmessungen", "Dimensions", "Dimensiones",
                                     "Dimensioni", "Dimensioner", "Mått"};
const TLanguageStrings Length = {"Length", "Lengte", "Länge", "Longueur", "Eslora", "Lunghezza", "Længde", "Längd"};
const TLanguageStrings Beam = {"Beam", "Breedte", "Breite", "Largeur", "Manga", "Larghezza", "Bredde", "Bredd"};
const TLanguageStrings Draught = {"Draught", "Diepgang", "Tiefgang", "Tirant d'eau", "Calado", "Pescaggio",
                                  "Dybgang", "Djupgående"};
const TLanguageStrings Height = {"Height", "Hoogte", "Höhe", "Hauteur", "Altura", "Altezza", "Højde", "Höjd"};
const TLanguageStrings GPSPosition = {"GPS receiver position", "Positie GPS-ontvanger", "Position des GPS-Empfängers",
                                      "Position du récepteur GPS", "Posición del receptor GPS",
                                      "Posizione del ricevitore GPS", "GPS-modtagerens position",
                                      "GPS-mottagarens position"};
const TLanguageStrings SpeedPage = {"Speed and propulsion", "Snelheid en voortstuwing", "Geschwindigkeit und Antrieb",
                                    "Vitesse et propulsion", "Velocidad y propulsión", "Velocità e propulsione",
                                    "Fart og fremdrift", "Fart och framdrivning"};
const TLanguageStrings SpeedsHeading = {"Speeds and fuel flow while motoring", "Snelheden en brandstofverbruik op de motor",
                                        "Geschwindigkeiten und Verbrauch unter Motor",
                                        "Vitesses et consommation au moteur", "Velocidades y consumo a motor",
                                        "Velocità e consumi a motore", "Fart og brændstofforbrug for motor",
                                        "Fart och bränsleförbrukning för motor"};
const TLanguageStrings Speed = {"Speed", "Snelheid", "Geschwindigkeit", "Vitesse", "Velocidad", "Velocità", "Fart",
                                "Fart"};
const TLanguageStrings Fuel = {"Fuel consumption", "Brandstofverbruik", "Kraftstoffverbrauch",
                               "Consommation de carburant", "Consumo de combustible", "Consumo di carburante",
                               "Brændstofforbrug", "Bränsleförbrukning"};
const TLanguageStrings SpeedsNotIncreasing = {
    "Please enter increasing values for the low, cruising and high speed of your ship.",
    "Voer oplopende waarden in voor de lage, kruis- en hoge snelheid van uw schip.",
    "Bitte geben Sie für die niedrige, die Reise- und die hohe Geschwindigkeit Ihres Schiffes steigende Werte ein.",
    "Veuillez saisir des valeurs croissantes pour la vitesse réduite, de croisière et élevée de votre bateau.",
    "Introduzca valores crecientes para la velocidad baja, de crucero y alta de su barco.",
    "Inserire valori crescenti per la velocità ridotta, di crociera ed elevata dell'imbarcazione.",
    "Indtast stigende værdier for skibets lave fart, marchfart og høje fart.",
    "Ange stigande värden för båtens låga fart, marschfart och höga fart."};
}  // namespace Txt

constexpr int32_t HelpContext = 4008;
const QString KeyBoat = QStringLiteral("Boat");

TNumberEdit *NumberEdit(QWidget *parent, int digits, double min, double max) {
    auto *edit = new TNumberEdit(parent);
    edit->SetEditType(etFloatFixed);
    edit->SetDigits(digits);
    edit->SetMin(min);
    edit->SetMax(max);
    edit->setMaximumWidth(90);
    return edit;
}

QHBoxLayout *Row(std::initializer_list<QWidget *> widgets) {
    auto *row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    for (QWidget *w : widgets) row->addWidget(w);
    row->addStretch(1);
    return row;
}

}  // namespace

TFormSettingsShip::TFormSettingsShip(ILPBoatDef *boatDef, int32_t index, bool multiBoat, int32_t speedUnit,
                                     int32_t depthUnit, int32_t fuelUnit, int32_t smallDistanceUnit,
                                     bool openOnDimensions, QWidget *parent)
    : TFormSettingsDialog(HelpContext, parent), FBoat(boatDef), FSpeedUnit(speedUnit), FDepthUnit(depthUnit),
      FFuelUnit(fuelUnit), FSmallUnit(smallDistanceUnit) {
    Q_UNUSED(index);
    Q_UNUSED(multiBoat);  // the ship-property rows of several profiles are not part of the program
    setObjectName(QStringLiteral("FormSettingsShip"));
    PageControl = new QTabWidget(this);
    PageControl->addTab(BuildGeneralPage(), QString());
    PageControl->addTab(BuildDimensionsPage(), QString());
    PageControl->addTab(BuildSpeedPage(), QString());
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(PageControl);
    layout->addLayout(ButtonRow());
    Load();
    SetTexts();
    DrawBoat();
    ApplyKindRules();
    PageControl->setCurrentIndex(openOnDimensions ? PageDimensions : PageGeneral);
    for (TNumberEdit *e : {EditDimensionLength, EditDimensionBeam, EditDimensionX, EditDimensionY})
        connect(e, &QLineEdit::textChanged, this, [this] { DrawBoat(); });
    setFixedSize(440, 520);
}

TFormSettingsShip::~TFormSettingsShip() { NightScreenRemoveImage(NightScreen(), ImageBoat); }

QWidget *TFormSettingsShip::BuildGeneralPage() {
    auto *page = new QWidget(PageControl);
    auto *form = new QFormLayout(page);
    LabelGeneral = SettingsHeading(page);
    form->addRow(LabelGeneral);
    LabelType = new QLabel(page);
    RadioButtonTypePleasure = new QRadioButton(page);
    RadioButtonTypeCommercial = new QRadioButton(page);
    auto *types = new QVBoxLayout;
    types->addWidget(RadioButtonTypePleasure);
    types->addWidget(RadioButtonTypeCommercial);
    form->addRow(LabelType, types);
    LabelShipName = new QLabel(page);
    EditShipName = new QLineEdit(page);
    form->addRow(LabelShipName, EditShipName);
    // The sailing rows show fixed values and write nothing back.
    PanelPolar = new QWidget(page);
    LabelPolar = new QLabel(PanelPolar);
    ButtonSelectPolar = new QPushButton(PanelPolar);
    PanelPolar->setLayout(Row({LabelPolar, ButtonSelectPolar}));
    form->addRow(PanelPolar);
    PanelSpinnaker = new QWidget(page);
    auto *spinnaker = new QGridLayout(PanelSpinnaker);
    spinnaker->setContentsMargins(0, 0, 0, 0);
    LabelSpinnakerRange = new QLabel(PanelSpinnaker);
    EditSpinnakerFrom = NumberEdit(PanelSpinnaker, 0, 1, 100);
    EditSpinnakerTo = NumberEdit(PanelSpinnaker, 0, 1, 100);
    LabelSpinnakerUnit = new QLabel(PanelSpinnaker);
    LabelHoistAngle = new QLabel(PanelSpinnaker);
    EditHoistAngle = NumberEdit(PanelSpinnaker, 0, 1, 179);
    LabelSpeedIncrease = new QLabel(PanelSpinnaker);
    EditSpeedIncrease = NumberEdit(PanelSpinnaker, 1, 0.1, 50);
    EditSpinnakerFrom->SetValue(6);
    EditSpinnakerTo->SetValue(16);
    EditHoistAngle->SetValue(120);
    EditSpeedIncrease->SetValue(10);
    spinnaker->addWidget(LabelSpinnakerRange, 0, 0);
    spinnaker->addLayout(Row({EditSpinnakerFrom, EditSpinnakerTo, LabelSpinnakerUnit}), 0, 1);
    spinnaker->addWidget(LabelHoistAngle, 1, 0);
    spinnaker->addWidget(EditHoistAngle, 1, 1);
    spinnaker->addWidget(LabelSpeedIncrease, 2, 0);
    spinnaker->addWidget(EditSpeedIncrease, 2, 1);
    form->addRow(PanelSpinnaker);
    PanelMotorMin = new QWidget(page);
    LabelMotorMin = new QLabel(PanelMotorMin);
    EditGeneralSpeedMin = NumberEdit(PanelMotorMin, 1, 0, 10000);
    EditGeneralSpeedMin->SetValue(3);
    LabelMotorMinUnit = new QLabel(PanelMotorMin);
    PanelMotorMin->setLayout(Row({LabelMotorMin, EditGeneralSpeedMin, LabelMotorMinUnit}));
    form->addRow(PanelMotorMin);
    return page;
}

QWidget *TFormSettingsShip::BuildDimensionsPage() {
    auto *page = new QWidget(PageControl);
    auto *grid = new QGridLayout(page);
    LabelDimensions = SettingsHeading(page);
    LabelLength = new QLabel(page);
    LabelBeam = new QLabel(page);
    LabelDraught = new QLabel(page);
    LabelHeight = new QLabel(page);
    LabelGPS = SettingsHeading(page);
    LabelX = new QLabel(page);
    LabelY = new QLabel(page);
    EditDimensionLength = NumberEdit(page, 2, 0, 999999999);
    EditDimensionBeam = NumberEdit(page, 2, 0, 999999999);
    EditDraught = NumberEdit(page, 2, 0, 2000);
    EditHeight = NumberEdit(page, 2, 0, 999999999);
    EditDimensionX = NumberEdit(page, 2, 0, 999999999);
    EditDimensionY = NumberEdit(page, 2, -999999999, 999999999);
    for (QLabel *&unit : DimensionUnits) unit = new QLabel(page);
    QLabel *captions[] = {LabelLength, LabelBeam, LabelDraught, LabelHeight, LabelX, LabelY};
    TNumberEdit *edits[] = {EditDimensionLength, EditDimensionBeam, EditDraught, EditHeight, EditDimensionX,
                            EditDimensionY};
    int row = 0;
    grid->addWidget(LabelDimensions, row++, 0, 1, 3);
    for (int i = 0; i < 6; ++i) {
        if (i == 4) grid->addWidget(LabelGPS, row++, 0, 1, 3);
        grid->addWidget(captions[i], row, 0);
        grid->addWidget(edits[i], row, 1);
        grid->addWidget(DimensionUnits[size_t(i)], row++, 2);
    }
    ImageBoat = new QLabel(page);
    ImageBoat->setFixedSize(380, 110);
    ImageBoat->setFrameShape(QFrame::Box);
    grid->addWidget(ImageBoat, row++, 0, 1, 4);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(row, 1);
    return page;
}

QWidget *TFormSettingsShip::BuildSpeedPage() {
    auto *page = new QWidget(PageControl);
    auto *grid = new QGridLayout(page);
    LabelSpeeds = SettingsHeading(page);
    grid->addWidget(LabelSpeeds, 0, 0, 1, 3);
    EditSpeedLow = NumberEdit(page, 1, 0, 2000);
    EditSpeedCruising = NumberEdit(page, 1, 0, 2000);
    EditSpeedHigh = NumberEdit(page, 1, 0, 2000);
    EditFuelLow = NumberEdit(page, 1, 0.1, 2000);
    EditFuelCruising = NumberEdit(page, 1, 0.1, 2000);
    EditFuelHigh = NumberEdit(page, 1, 0.1, 2000);
    TNumberEdit *speeds[] = {EditSpeedLow, EditSpeedCruising, EditSpeedHigh};
    TNumberEdit *fuels[] = {EditFuelLow, EditFuelCruising, EditFuelHigh};
    int row = 1;
    for (size_t i = 0; i < 3; ++i) {
        LabelLevels[i] = SettingsHeading(page);
        LabelSpeedCaption[i] = new QLabel(page);
        LabelSpeedUnit[i] = new QLabel(page);
        LabelFuelCaption[i] = new QLabel(page);
        LabelFuelUnit[i] = new QLabel(page);
        grid->addWidget(LabelLevels[i], row++, 0, 1, 3);
        grid->addWidget(LabelSpeedCaption[i], row, 0);
        grid->addWidget(speeds[i], row, 1);
        grid->addWidget(LabelSpeedUnit[i], row++, 2);
        grid->addWidget(LabelFuelCaption[i], row, 0);
        grid->addWidget(fuels[i], row, 1);
        grid->addWidget(LabelFuelUnit[i], row++, 2);
        FSpeeds[i].Edit = speeds[i];
        FFuels[i].Edit = fuels[i];
    }
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(row, 1);
    return page;
}

void TFormSettingsShip::Load() {
    QString name;
    RegReadStringDef(GetAppReg(), AppRegRoot::Product, KeyBoat, RegName(u"ShipName"), QString(), name);
    EditShipName->setText(name);
    const float speeds[] = {FBoat->GetVLow(), FBoat->GetVCruise(), FBoat->GetVHigh()};
    ILPBoatDefCurve *curve = FBoat->GetFuelCurve();
    for (size_t i = 0; i < 3; ++i) {
        FSpeeds[i].SetUnits(KvUnit::MetrePerSecond, FSpeedUnit);
        FSpeeds[i].Show(speeds[i]);
        FFuels[i].SetUnits(KvUnit::CubicMetrePerSecond, FFuelUnit);
        FFuels[i].Show(curve ? curve->GetValueAt(speeds[i]) : 0.0);
    }
    FDraught = TUnitValueEdit(EditDraught);
    FDraught.SetUnits(KvUnit::Metre, FDepthUnit);
    FDraught.Show(FBoat->GetDraught());
    const std::pair<TUnitValueEdit *, TNumberEdit *> small[] = {
        {&FLength, EditDimensionLength}, {&FBeam, EditDimensionBeam}, {&FHeight, EditHeight},
        {&FX, EditDimensionX},           {&FY, EditDimensionY}};
    for (const auto &[value, edit] : small) {
        *value = TUnitValueEdit(edit);
        value->SetUnits(KvUnit::Metre, FSmallUnit);
    }
    FLength.Show(FBoat->GetLength());
    FBeam.Show(FBoat->GetWidth());
    FHeight.Show(FBoat->GetHeightStepped());
    const TFloat2 gps = FBoat->GetGPSPosition() ? *FBoat->GetGPSPosition() : TFloat2{};
    FX.Show(gps.X);
    FY.Show(gps.Y);
    RadioButtonTypeCommercial->setChecked(FBoat->GetCommercial());
    RadioButtonTypePleasure->setChecked(!FBoat->GetCommercial());
}

void TFormSettingsShip::SetTexts() {
    setWindowTitle(LanguageText(Txt::Caption));
    PageControl->setTabText(PageGeneral, LanguageText(SettingsTextGeneral));
    PageControl->setTabText(PageDimensions, LanguageText(Txt::Dimensions));
    PageControl->setTabText(PageSpeed, LanguageText(Txt::SpeedPage));
    LabelGeneral->setText(LanguageText(SettingsTextGeneral));
    LabelType->setText(ColonCaption(Txt::Type));
    RadioButtonTypePleasure->setText(LanguageText(Txt::Pleasure));
    RadioButtonTypeCommercial->setText(LanguageText(Txt::Commercial));
    LabelShipName->setText(ColonCaption(Txt::ShipName));
    LabelPolar->setText(ColonCaption(Txt::PolarDiagram));
    ButtonSelectPolar->setText(LanguageText(Txt::DefaultPolar));
    ButtonSelectPolar->setToolTip(LanguageText(Txt::SelectPolarHint));
    LabelSpinnakerRange->setText(ColonCaption(Txt::SpinnakerRange));
    LabelSpinnakerUnit->setText(UnitToStr(KvUnit::Knot));
    LabelHoistAngle->setText(ColonCaption(Txt::HoistAngle));
    LabelSpeedIncrease->setText(ColonCaption(Txt::SpeedIncrease));
    LabelMotorMin->setText(ColonCaption(Txt::MotorMin));
    LabelMotorMinUnit->setText(UnitToStr(FSpeedUnit));
    LabelDimensions->setText(LanguageText(Txt::Dimensions));
    LabelLength->setText(ColonCaption(Txt::Length));
    LabelBeam->setText(ColonCaption(Txt::Beam));
    LabelDraught->setText(ColonCaption(Txt::Draught));
    LabelHeight->setText(ColonCaption(Txt::Height));
    LabelGPS->setText(LanguageText(Txt::GPSPosition));
    LabelX->setText(QStringLiteral("X:"));
    LabelY->setText(QStringLiteral("Y:"));
    const int32_t units[] = {FSmallUnit, FSmallUnit, FDepthUnit, FSmallUnit, FSmallUnit, FSmallUnit};
    for (size_t i = 0; i < DimensionUnits.size(); ++i) DimensionUnits[i]->setText(UnitToStr(units[i]));
    LabelSpeeds->setText(LanguageText(Txt::SpeedsHeading));
    const TLanguageStrings *levels[] = {&RouteSettingsText::SpeedLow, &RouteSettingsText::SpeedCruising,
                                        &RouteSettingsText::SpeedHigh};
    for (size_t i = 0; i < 3; ++i) {
        LabelLevels[i]->setText(LanguageText(*levels[i]));
        LabelSpeedCaption[i]->setText(ColonCaption(Txt::Speed));
        LabelSpeedUnit[i]->setText(UnitToStr(FSpeedUnit));
        LabelFuelCaption[i]->setText(ColonCaption(Txt::Fuel));
        LabelFuelUnit[i]->setText(UnitToStr(FFuelUnit));
    }
    SetButtonCaptions();
}

void TFormSettingsShip::ApplyKindRules() {
    const int32_t kind = FBoat->GetKind();
    const bool sailing = kind == LPBoatDef::KindRacing || kind == LPBoatDef::KindCruising;
    PanelPolar->setVisible(sailing);
    PanelSpinnaker->setVisible(sailing);
    PanelMotorMin->setVisible(kind == LPBoatDef::KindCruising);
}

void TFormSettingsShip::DrawBoat() {
    const QSize size = ImageBoat->contentsRect().size();
    QImage bitmap(size, QImage::Format_ARGB32_Premultiplied);
    bitmap.fill(Qt::white);
    {
        QPainter painter(&bitmap);
        // The edits' values as shown: one unit for all, whatever it is.
        const TFloat2 antenna{float(EditDimensionX->Value()), float(EditDimensionY->Value())};
        LPBoatDefDraw(&painter, bitmap.width(), bitmap.height(), float(EditDimensionLength->Value()),
                      float(EditDimensionBeam->Value()), &antenna);
    }
    // Registered again so that night mode converts the new picture too.
    INightScreen *ns = NightScreen();
    NightScreenRemoveImage(ns, ImageBoat);
    ImageBoat->setPixmap(QPixmap::fromImage(bitmap));
    NightScreenAddImage(ns, ImageBoat);
}

bool TFormSettingsShip::SpeedsIncrease() const {
    const long double low = EditSpeedLow->Value(), cruise = EditSpeedCruising->Value(),
                      high = EditSpeedHigh->Value();
    return low < cruise && low < high && cruise < high;
}

void TFormSettingsShip::done(int result) {
    if (result == QDialog::Accepted) {
        for (TNumberEdit *e : {EditSpeedLow, EditSpeedCruising, EditSpeedHigh}) e->DoExit();
        if (!SpeedsIncrease()) {
            MsgBox(LanguageText(Txt::SpeedsNotIncreasing), mtError, MsgButtons({mbOK}));
            PageControl->setCurrentIndex(PageSpeed);
            return;
        }
    }
    TFormSettingsDialog::done(result);
}

void TFormSettingsShip::CloseQuery(bool ok) {
    if (ok) WriteBack();
}

void TFormSettingsShip::WriteBack() {
    int32_t err = 0;
    RegWriteString(GetAppReg(), AppRegRoot::Product, KeyBoat, RegName(u"ShipName"), EditShipName->text(), err);
    bool curveChanged = false;
    for (size_t i = 0; i < 3; ++i) curveChanged = curveChanged || FSpeeds[i].Changed() || FFuels[i].Changed();
    FBoat->SetValue47(0);  // as the settings store sets it on reading
    FBoat->SetCommercial(RadioButtonTypeCommercial->isChecked());
    const float low = float(FSpeeds[0].Value()), cruise = float(FSpeeds[1].Value()), high = float(FSpeeds[2].Value());
    FBoat->SetSpeeds(low, cruise, high);
    // A stored curve of other points stays unless the user changed what it is made of.
    if (ILPBoatDefCurve *curve = FBoat->GetFuelCurve(); curve && curveChanged) {
        const TFloat2 points[4] = {{0.0f, 0.0f},
                                   {low, float(FFuels[0].Value())},
                                   {cruise, float(FFuels[1].Value())},
                                   {high, float(FFuels[2].Value())}};
        curve->SetPoints(4, points);
    }
    FBoat->SetDimensions(float(FLength.Value()), float(FBeam.Value()), TFloat2{float(FX.Value()), float(FY.Value())});
    FBoat->SetDraught(float(FDraught.Value()));
    FBoat->SetValue45(1);
    FBoat->SetHeights(float(FHeight.Value()), FBoat->GetHeightUnstepped(), FBoat->GetHeightSafeMargin());
}

bool TFormSettingsShip::Execute(ILPBoatDef *boatDef, int32_t index, bool multiBoat, int32_t speedUnit,
                                int32_t depthUnit, int32_t fuelUnit, int32_t smallDistanceUnit, bool openOnDimensions,
                                QWidget *parent) {
    if (!boatDef) return false;
    TFormSettingsShip form(boatDef, index, multiBoat, speedUnit, depthUnit, fuelUnit, smallDistanceUnit,
                           openOnDimensions, parent);
    return Run(form, TSettingsPrompter<TFormSettingsShip>::Get()) == QDialog::Accepted;
}
