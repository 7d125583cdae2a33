#include "shell/FraSettingsCommonRoutes.h"

#include "base/controls/KvControls.h"
#include "shell/FraSettingsCommon.h"
#include "shell/FraSettingsCommonColors.h"
#include "shell/FrmSettingsCommon.h"
#include "shell/SettingsColorSwatch.h"
#include "shell/SettingsPageLayout.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace {
namespace Txt {
const TLanguageStrings Interface = {"Interface", "Interface", "Oberfläche", "Interface", "Interfaz",
                                    "Interfaccia", "Brugerflade", "Gränssnitt"};
const TLanguageStrings ShowXTE = {"Show XTE bar for network routes", "XTE-balk tonen voor netwerkroutes",
                                  "XTE-Balken für Netzrouten anzeigen",
                                  "Afficher la barre XTE pour les routes du réseau",
                                  "Mostrar barra XTE en rutas de la red",
                                  "Mostra barra XTE per le rotte della rete",
                                  "Vis XTE-bjælke for netruter", "Visa XTE-stapel för nätrutter"};
const TLanguageStrings RouteColors = {"Route colors", "Routekleuren", "Routenfarben",
                                      "Couleurs des routes", "Colores de ruta", "Colori delle rotte",
                                      "Rutefarver", "Ruttfärger"};
const TLanguageStrings Color = {"Color", "Kleur", "Farbe", "Couleur", "Color", "Colore", "Farve", "Färg"};
const TLanguageStrings Visible = {"Visible", "Zichtbaar", "Sichtbar", "Visible", "Visible", "Visibile",
                                  "Synlig", "Synlig"};
const TLanguageStrings Started = {"Started", "Gestart", "Gestartet", "Démarrée", "Iniciada", "Avviata",
                                  "Startet", "Startad"};
const TLanguageStrings Selected = {"Selected", "Geselecteerd", "Ausgewählt", "Sélectionnée",
                                   "Seleccionada", "Selezionata", "Valgt", "Vald"};
const TLanguageStrings Background = {"Background color", "Achtergrondkleur", "Hintergrundfarbe",
                                     "Couleur de fond", "Color de fondo", "Colore di sfondo",
                                     "Baggrundsfarve", "Bakgrundsfärg"};
const TLanguageStrings LegWidth = {"Width of leg lines", "Breedte van beenlijnen", "Breite der Schenkel",
                                   "Largeur des segments", "Ancho de los tramos", "Larghezza dei tratti",
                                   "Bredde af benlinjer", "Bredd på sträcklinjer"};
const TLanguageStrings DoubleClick = {"Double click to change color.",
                                      "Dubbelklik om de kleur te wijzigen.",
                                      "Doppelklicken, um die Farbe zu ändern.",
                                      "Double-cliquez pour changer la couleur.",
                                      "Doble clic para cambiar el color.",
                                      "Doppio clic per cambiare colore.",
                                      "Dobbeltklik for at ændre farve.",
                                      "Dubbelklicka för att ändra färg."};
}  // namespace Txt
}  // namespace

TFrameSettingsCommonRoutes::TFrameSettingsCommonRoutes(TCommonViewSettings &settings)
    : FSettings(settings) {
    TSettingsPageLayout page(this);
    page.Heading(Txt::Interface);
    CheckBoxShowNetworkXTE = new QCheckBox(LanguageText(Txt::ShowXTE), this);
    page.Wide(CheckBoxShowNetworkXTE);
    page.Heading(Txt::RouteColors);

    // One row of three swatches under their column captions.
    auto *table = new QWidget(this);
    auto *grid = new QGridLayout(table);
    grid->setContentsMargins(0, 0, 0, 0);
    const TLanguageStrings *columns[] = {&Txt::Visible, &Txt::Started, &Txt::Selected};
    int *fields[] = {&settings.ColorLegMotoring, &settings.ColorLegActiveMotoring, &settings.ColorLegEditMotoring};
    TSettingsColorSwatch **swatches[] = {&PaintBoxMotoring, &PaintBoxActiveMotoring, &PaintBoxEditMotoring};
    for (int c = 0; c < 3; ++c) {
        grid->addWidget(new QLabel(LanguageText(*columns[c]), table), 0, c + 1, Qt::AlignHCenter);
        auto *swatch = new TSettingsColorSwatch(*fields[c], table);
        swatch->setToolTip(LanguageText(Txt::DoubleClick));
        connect(swatch, &TSettingsColorSwatch::DoubleClicked, swatch, &TSettingsColorSwatch::ChooseColor);
        grid->addWidget(swatch, 1, c + 1, Qt::AlignHCenter);
        *swatches[c] = swatch;
    }
    grid->addWidget(new QLabel(ColonCaption(Txt::Color), table), 1, 0);
    grid->setColumnStretch(4, 1);
    page.Wide(table);

    PaintBoxLegBackground = new TSettingsColorSwatch(settings.ColorLegBack, this);
    ButtonLegBackgroundColor = new QPushButton(LanguageText(SettingsTextSelectColor), this);
    connect(ButtonLegBackgroundColor, &QPushButton::clicked, PaintBoxLegBackground, &TSettingsColorSwatch::ChooseColor);
    page.Row(Txt::Background, PaintBoxLegBackground, ButtonLegBackgroundColor);
    TrackBarLegLineWidth = SettingsTrackBar(this, 1, 10);
    LabelLegLineWidthValue = SettingsValueLabel(this);
    page.Row(Txt::LegWidth, TrackBarLegLineWidth, LabelLegLineWidthValue);
    page.Finish();
    LoadSettings();

    connect(CheckBoxShowNetworkXTE, &QCheckBox::clicked, this,
            [this](bool on) { FSettings.ShowNetworkXTE = on; });
    connect(TrackBarLegLineWidth, &QSlider::valueChanged, this, [this](int width) {
        LabelLegLineWidthValue->setText(QString::number(width));
        if (!FLoading) FSettings.LegWidth = width;
    });
}

void TFrameSettingsCommonRoutes::LoadSettings() {
    FLoading = true;
    CheckBoxShowNetworkXTE->setChecked(FSettings.ShowNetworkXTE);
    TrackBarLegLineWidth->setValue(FSettings.LegWidth);
    LabelLegLineWidthValue->setText(QString::number(FSettings.LegWidth));
    FLoading = false;
}
