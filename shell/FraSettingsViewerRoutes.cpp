#include "shell/FraSettingsViewerRoutes.h"

#include "shell/FraSettingsViewer.h"
#include "shell/FrmSettingsCommon.h"
#include "shell/SettingsPageLayout.h"

#include <QCheckBox>
#include <QLabel>

namespace {
namespace Txt {
const TLanguageStrings Routes = {"Show routes", "Routes tonen", "Routen anzeigen", "Afficher les routes",
                                 "Mostrar rutas", "Mostra rotte", "Vis ruter", "Visa rutter"};
const TLanguageStrings NameLabels = {"Show route name labels", "Routenamen tonen", "Routennamen anzeigen",
                                     "Afficher les noms des routes", "Mostrar nombres de rutas",
                                     "Mostra nomi delle rotte", "Vis rutenavne", "Visa ruttnamn"};
const TLanguageStrings PointNames = {"Show route point name labels", "Namen van routepunten tonen",
                                     "Namen der Routenpunkte anzeigen",
                                     "Afficher les noms des points de route",
                                     "Mostrar nombres de puntos de ruta",
                                     "Mostra nomi dei punti di rotta", "Vis rutepunktnavne",
                                     "Visa namn på ruttpunkter"};
const TLanguageStrings Distances = {"Show distances and course", "Afstanden en koers tonen",
                                    "Distanzen und Kurs anzeigen", "Afficher distances et cap",
                                    "Mostrar distancias y rumbo", "Mostra distanze e rotta",
                                    "Vis afstande og kurs", "Visa avstånd och kurs"};
const TLanguageStrings Network = {"Show route network", "Routenetwerk tonen", "Routennetz anzeigen",
                                  "Afficher le réseau de routes", "Mostrar red de rutas",
                                  "Mostra rete di rotte", "Vis rutenet", "Visa ruttnät"};
const TLanguageStrings Unpassable = {"Show unpassable network parts using a different color",
                                     "Onbevaarbare delen van het netwerk in een andere kleur tonen",
                                     "Unpassierbare Netzteile in anderer Farbe anzeigen",
                                     "Afficher les parties infranchissables dans une autre couleur",
                                     "Mostrar tramos intransitables en otro color",
                                     "Mostra le parti non navigabili in un altro colore",
                                     "Vis ufremkommelige dele i en anden farve",
                                     "Visa ofarbara delar i en annan färg"};
const TLanguageStrings DistanceMarks = {"Show distance marks along route network",
                                        "Afstandsmarkeringen langs het netwerk tonen",
                                        "Entfernungsmarken entlang des Netzes anzeigen",
                                        "Afficher les repères de distance le long du réseau",
                                        "Mostrar marcas de distancia en la red",
                                        "Mostra segni di distanza lungo la rete",
                                        "Vis afstandsmærker langs nettet",
                                        "Visa avståndsmarkeringar längs nätet"};
const TLanguageStrings WaterNames = {"Show water name labels", "Namen van vaarwater tonen",
                                     "Gewässernamen anzeigen", "Afficher les noms des voies d'eau",
                                     "Mostrar nombres de aguas", "Mostra nomi delle acque",
                                     "Vis farvandsnavne", "Visa farvattensnamn"};
const TLanguageStrings CurrentRoute = {"Current/Edit route", "Huidige/bewerkte route",
                                       "Aktuelle/bearbeitete Route", "Route actuelle/modifiée",
                                       "Ruta actual/editada", "Rotta attuale/modificata",
                                       "Aktuel/redigeret rute", "Aktuell/redigerad rutt"};
const TLanguageStrings PassageTimes = {"Show passage times", "Passagetijden tonen",
                                       "Passagezeiten anzeigen", "Afficher les heures de passage",
                                       "Mostrar horas de paso", "Mostra orari di passaggio",
                                       "Vis passagetider", "Visa passagetider"};
const TLanguageStrings Plumbline = {"Show plumb line on open legs", "Loodlijn op open benen tonen",
                                    "Lot auf offenen Schenkeln anzeigen",
                                    "Afficher la perpendiculaire sur les segments ouverts",
                                    "Mostrar perpendicular en tramos abiertos",
                                    "Mostra perpendicolare sui tratti aperti",
                                    "Vis lodlinje på åbne ben", "Visa lodlinje på öppna sträckor"};
}  // namespace Txt
}  // namespace

TFrameSettingsViewerRoutes::TFrameSettingsViewerRoutes(TChartViewerSettings &settings)
    : TViewerSettingsPage(settings) {
    namespace B = ViewerSettingsBit;
    using S = TChartViewerSettings;
    TSettingsPageLayout page(this);
    page.Heading(SettingsTextGeneral);
    CheckBoxRoutes = FlagBox(page, Txt::Routes, &S::RouteFlags, B::RoutesShown);
    CheckBoxNameLabels = FlagBox(page, Txt::NameLabels, &S::RouteFlags, B::RouteNameLabels, SettingsIndent);
    CheckBoxPointNameLabels =
        FlagBox(page, Txt::PointNames, &S::RouteFlags, B::RoutePointNameLabels, SettingsIndent);
    CheckBoxDistanceLabels =
        FlagBox(page, Txt::Distances, &S::RouteFlags, B::RouteDistanceLabels, SettingsIndent);
    CheckBoxWaterwayNetwork = FlagBox(page, Txt::Network, &S::NetworkFlags, B::NetworkSections);
    CheckBoxWWPassable = FlagBox(page, Txt::Unpassable, &S::NetworkFlags, B::NetworkUnpassable, SettingsIndent);
    CheckBoxWWDistanceMarks =
        FlagBox(page, Txt::DistanceMarks, &S::NetworkFlags, B::NetworkDistanceMarks, SettingsIndent);
    CheckBoxWWSectionNames =
        FlagBox(page, Txt::WaterNames, &S::NetworkFlags, B::NetworkSectionNames, SettingsIndent);
    LabelCurrentRoute = page.Heading(Txt::CurrentRoute);
    CheckBoxExtraPassageTimeLabels =
        FlagBox(page, Txt::PassageTimes, &S::RouteExtraFlags, B::RouteExtraPassageTimes);
    CheckBoxExtraPlumbline = FlagBox(page, Txt::Plumbline, &S::RouteExtraFlags, B::RouteExtraPlumbline);
    page.Finish();
    LoadSettings();
}

void TFrameSettingsViewerRoutes::BoxClicked(QCheckBox *) {
    // The leg information (not offered here) is one choice of two bits: it stays as loaded.
    uint32_t &extra = FSettings.RouteExtraFlags;
    if (extra & 0x8) extra |= ViewerSettingsBit::RouteExtraLegInfo;
    else extra &= ~ViewerSettingsBit::RouteExtraLegInfo;
}

void TFrameSettingsViewerRoutes::UpdateEnabled() {
    const bool routes = CheckBoxRoutes->isChecked();
    for (QWidget *w : std::initializer_list<QWidget *>{CheckBoxNameLabels, CheckBoxPointNameLabels,
                                                       CheckBoxDistanceLabels, LabelCurrentRoute,
                                                       CheckBoxExtraPassageTimeLabels})
        w->setEnabled(routes);
}
