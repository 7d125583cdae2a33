#include "shell/FraSettingsViewerCharts.h"

#include "shell/FraSettingsViewer.h"
#include "shell/FrmSettingsCommon.h"
#include "shell/SettingsPageLayout.h"

#include <QCheckBox>

namespace {
namespace Txt {
const TLanguageStrings Bounds = {"Show all chart bounds", "Alle kaartgrenzen tonen",
                                 "Alle Kartengrenzen anzeigen", "Afficher toutes les limites de cartes",
                                 "Mostrar todos los límites de cartas", "Mostra tutti i limiti delle carte",
                                 "Vis alle kortgrænser", "Visa alla sjökortsgränser"};
const TLanguageStrings Highlight = {"Highlight chart under mouse cursor",
                                    "Kaart onder muiscursor markeren",
                                    "Karte unter dem Mauszeiger hervorheben",
                                    "Mettre en évidence la carte sous le curseur",
                                    "Resaltar la carta bajo el cursor",
                                    "Evidenzia la carta sotto il cursore",
                                    "Fremhæv kort under musemarkøren",
                                    "Markera sjökortet under muspekaren"};
const TLanguageStrings Compass = {"Show compass needle", "Kompasnaald tonen", "Kompassnadel anzeigen",
                                  "Afficher l'aiguille du compas", "Mostrar aguja de la brújula",
                                  "Mostra ago della bussola", "Vis kompasnål", "Visa kompassnål"};
const TLanguageStrings ScaleBar = {"Show scale bar", "Schaalbalk tonen", "Maßstabsleiste anzeigen",
                                   "Afficher la barre d'échelle", "Mostrar barra de escala",
                                   "Mostra barra di scala", "Vis skalalinje", "Visa skalstock"};
const TLanguageStrings ScaleValue = {"Show scale value", "Schaalwaarde tonen", "Maßstabswert anzeigen",
                                     "Afficher la valeur d'échelle", "Mostrar valor de escala",
                                     "Mostra valore di scala", "Vis skalaværdi", "Visa skalvärde"};
const TLanguageStrings NavInfo = {"Show navigation information", "Navigatie-informatie tonen",
                                  "Navigationsinformationen anzeigen",
                                  "Afficher les informations de navigation",
                                  "Mostrar información de navegación",
                                  "Mostra informazioni di navigazione", "Vis navigationsinformation",
                                  "Visa navigationsinformation"};
}  // namespace Txt
}  // namespace

TFrameSettingsViewerCharts::TFrameSettingsViewerCharts(TChartViewerSettings &settings)
    : TViewerSettingsPage(settings) {
    using S = TChartViewerSettings;
    TSettingsPageLayout page(this);
    page.Heading(SettingsTextGeneral);
    CheckBoxAllChartBounds = BoolBox(page, Txt::Bounds, &S::ShowChartBounds);
    CheckBoxHighlightChart = BoolBox(page, Txt::Highlight, &S::HighlightChartAtMouse);
    CheckBoxCompassNeedle = BoolBox(page, Txt::Compass, &S::ShowCompassNeedle);
    CheckBoxScaleBar = BoolBox(page, Txt::ScaleBar, &S::ShowScaleBar);
    CheckBoxScaleValue = BoolBox(page, Txt::ScaleValue, &S::ShowScaleValue, SettingsIndent);
    CheckBoxNavInfo = BoolBox(page, Txt::NavInfo, &S::ShowNavInfo);
    page.Finish();
    LoadSettings();
}

void TFrameSettingsViewerCharts::UpdateEnabled() {
    CheckBoxScaleValue->setEnabled(CheckBoxScaleBar->isChecked());
}
