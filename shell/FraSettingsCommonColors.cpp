#include "shell/FraSettingsCommonColors.h"

#include "base/controls/KvControls.h"
#include "shell/FraSettingsCommon.h"
#include "shell/FrmSettingsCommon.h"
#include "shell/SettingsColorSwatch.h"
#include "shell/SettingsPageLayout.h"
#include "shell/SettingsTiles.h"

#include <QCheckBox>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <cmath>

const TLanguageStrings SettingsTextSelectColor = {
    "Select color...",          "Kleur kiezen...",         "Farbe wählen...",
    "Choisir la couleur...",    "Elegir color...",         "Scegli colore...",
    "Vælg farve...",            "Välj färg..."};

namespace {
namespace Txt {
const TLanguageStrings ChartBackground = {"Chart background", "Kaartachtergrond", "Kartenhintergrund",
                                          "Fond de carte", "Fondo de la carta", "Sfondo della carta",
                                          "Kortbaggrund", "Sjökortsbakgrund"};
const TLanguageStrings UseTransparent = {"Use transparent color", "Transparante kleur gebruiken",
                                         "Transparente Farbe verwenden",
                                         "Utiliser la couleur transparente", "Usar color transparente",
                                         "Usa colore trasparente", "Brug gennemsigtig farve",
                                         "Använd genomskinlig färg"};
const TLanguageStrings WithFix = {"With fix", "Met fix", "Mit Fix", "Avec position",
                                  "Con posición", "Con posizione", "Med fix", "Med fix"};
const TLanguageStrings WithoutFix = {"Without fix", "Zonder fix", "Ohne Fix", "Sans position",
                                     "Sin posición", "Senza posizione", "Uden fix", "Utan fix"};
const TLanguageStrings CourseLine = {"Course line", "Koerslijn", "Kurslinie", "Ligne de cap",
                                     "Línea de rumbo", "Linea di rotta", "Kurslinje", "Kurslinje"};
const TLanguageStrings CourseLineWidth = {"Course line width", "Breedte koerslijn", "Breite der Kurslinie",
                                          "Largeur de la ligne de cap", "Ancho de la línea de rumbo",
                                          "Larghezza della linea di rotta", "Bredde af kurslinje",
                                          "Bredd på kurslinje"};
const TLanguageStrings Network = {"Waterway network settings", "Instellingen vaarwegennet",
                                  "Einstellungen Wasserstraßennetz", "Paramètres du réseau fluvial",
                                  "Ajustes de la red de vías navegables", "Impostazioni rete idroviaria",
                                  "Indstillinger for vandvejsnet", "Inställningar för farledsnät"};
const TLanguageStrings NetworkColor = {"Network color", "Kleur vaarwegennet", "Farbe des Netzes",
                                       "Couleur du réseau", "Color de la red", "Colore della rete",
                                       "Netfarve", "Nätfärg"};
const TLanguageStrings MaxWidth = {"Max width", "Max. breedte", "Max. Breite", "Largeur max.",
                                   "Ancho máx.", "Larghezza max", "Maks. bredde", "Max bredd"};
const TLanguageStrings NetworkBack = {"Network background color", "Achtergrondkleur vaarwegennet",
                                      "Hintergrundfarbe des Netzes", "Couleur de fond du réseau",
                                      "Color de fondo de la red", "Colore di sfondo della rete",
                                      "Baggrundsfarve for net", "Bakgrundsfärg för nät"};
const TLanguageStrings Unpassable = {"Unpassable color", "Kleur onbevaarbaar", "Farbe unpassierbar",
                                     "Couleur infranchissable", "Color intransitable",
                                     "Colore non navigabile", "Farve for ufremkommelig",
                                     "Färg för ofarbart"};
}  // namespace Txt
}  // namespace

int TFrameSettingsCommonColors::CourseLineWidthPosition(float width) {
    return int(std::lround(double(width) * 2.0));
}

QString TFrameSettingsCommonColors::CourseLineWidthText(float width) {
    return QLocale().toString(double(width), 'f', 1);
}

TSettingsColorSwatch *TFrameSettingsCommonColors::SwatchRow(TSettingsPageLayout &page,
                                                    const TLanguageStrings &caption, int &field,
                                                    QPushButton *&button) {
    auto *swatch = new TSettingsColorSwatch(field, this);
    button = new QPushButton(LanguageText(SettingsTextSelectColor), this);
    connect(button, &QPushButton::clicked, swatch, &TSettingsColorSwatch::ChooseColor);
    page.Row(caption, swatch, button);
    return swatch;
}

TFrameSettingsCommonColors::TFrameSettingsCommonColors(TCommonViewSettings &settings)
    : FSettings(settings) {
    TSettingsPageLayout page(this);
    page.Heading(SettingsTextGeneral);
    PaintBoxColorViewer = SwatchRow(page, Txt::ChartBackground, settings.ColorClear, ButtonColorViewer);
    CheckEnableTransparent = new QCheckBox(LanguageText(Txt::UseTransparent), this);
    page.Wide(CheckEnableTransparent);
    page.Heading(SettingsTextGPSCursor);
    PaintBoxColorGPSFix = SwatchRow(page, Txt::WithFix, settings.ColorGPSFix, ButtonColorGPSFix);
    PaintBoxColorGPSNoFix = SwatchRow(page, Txt::WithoutFix, settings.ColorGPSNoFix, ButtonColorGPSNoFix);
    PaintBoxColorCourseLines =
        SwatchRow(page, Txt::CourseLine, settings.ColorRhumbline, ButtonColorCourseLines);
    TrackBarCourseLineWidth = SettingsTrackBar(this, 1, 10);
    LabelCourseLineWidthValue = SettingsValueLabel(this);
    page.Row(Txt::CourseLineWidth, TrackBarCourseLineWidth, LabelCourseLineWidthValue);
    page.Heading(Txt::Network);
    PaintBoxWWNetworkColor = SwatchRow(page, Txt::NetworkColor, settings.WWSectionColor, ButtonWWNetworkColor);
    TrackBarWWMaxWidth = SettingsTrackBar(this, 1, 25);
    LabelWWMaxWidthValue = SettingsValueLabel(this);
    page.Row(Txt::MaxWidth, TrackBarWWMaxWidth, LabelWWMaxWidthValue);
    PaintBoxWWNetworkColorBack =
        SwatchRow(page, Txt::NetworkBack, settings.WWSectionColorBack, ButtonWWNetworkColorBack);
    PaintBoxWWColorUnpassable =
        SwatchRow(page, Txt::Unpassable, settings.WWSectionColorUnpassable, ButtonWWNetworkColorUnpassable);
    page.Finish();

    FLoading = true;
    TrackBarCourseLineWidth->setValue(CourseLineWidthPosition(settings.RhumblineWidth));
    LabelCourseLineWidthValue->setText(CourseLineWidthText(settings.RhumblineWidth));
    TrackBarWWMaxWidth->setValue(settings.WWSectionMaxWidth);
    LabelWWMaxWidthValue->setText(QString::number(settings.WWSectionMaxWidth));
    CheckEnableTransparent->setChecked(settings.TransparentEnabled);
    FLoading = false;

    connect(CheckEnableTransparent, &QCheckBox::clicked, this,
            [this](bool on) { FSettings.TransparentEnabled = on; });
    connect(TrackBarCourseLineWidth, &QSlider::valueChanged, this, [this](int position) {
        if (FLoading) return;
        FSettings.RhumblineWidth = float(position) / 2.0f;
        LabelCourseLineWidthValue->setText(CourseLineWidthText(FSettings.RhumblineWidth));
    });
    connect(TrackBarWWMaxWidth, &QSlider::valueChanged, this, [this](int width) {
        if (FLoading) return;
        FSettings.WWSectionMaxWidth = width;
        LabelWWMaxWidthValue->setText(QString::number(width));
    });
}
