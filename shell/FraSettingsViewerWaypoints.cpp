#include "shell/FraSettingsViewerWaypoints.h"

#include "base/controls/KvControls.h"
#include "shell/FraSettingsViewer.h"
#include "shell/FrmSettingsCommon.h"
#include "shell/SettingsPageLayout.h"

#include <KvLibNav6/KvUnits.h>

#include <QCheckBox>
#include <QLabel>
#include <QLocale>

namespace {
namespace Txt {
const TLanguageStrings Waypoints = {"Show waypoints", "Waypoints tonen", "Wegpunkte anzeigen",
                                    "Afficher les waypoints", "Mostrar waypoints", "Mostra waypoint",
                                    "Vis waypoints", "Visa waypoints"};
const TLanguageStrings NameLabels = {"Show waypoint name labels", "Namen van waypoints tonen",
                                     "Wegpunktnamen anzeigen", "Afficher les noms des waypoints",
                                     "Mostrar nombres de waypoints", "Mostra nomi dei waypoint",
                                     "Vis waypointnavne", "Visa waypointnamn"};
const TLanguageStrings BigScaleNames = {"Always show name labels of overview waypoints",
                                        "Namen van overzichtswaypoints altijd tonen",
                                        "Namen der Übersichtswegpunkte immer anzeigen",
                                        "Toujours afficher les noms des waypoints d'aperçu",
                                        "Mostrar siempre nombres de waypoints generales",
                                        "Mostra sempre i nomi dei waypoint panoramici",
                                        "Vis altid navne på oversigtswaypoints",
                                        "Visa alltid namn på översiktswaypoints"};
const TLanguageStrings Structures = {"Bridges and locks", "Bruggen en sluizen", "Brücken und Schleusen",
                                     "Ponts et écluses", "Puentes y esclusas", "Ponti e chiuse",
                                     "Broer og sluser", "Broar och slussar"};
const TLanguageStrings ShowStructures = {"Show bridges and locks", "Bruggen en sluizen tonen",
                                         "Brücken und Schleusen anzeigen", "Afficher les ponts et écluses",
                                         "Mostrar puentes y esclusas", "Mostra ponti e chiuse",
                                         "Vis broer og sluser", "Visa broar och slussar"};
const TLanguageStrings StructureNames = {"Show names of bridges and locks in labels",
                                         "Namen van bruggen en sluizen in labels tonen",
                                         "Namen von Brücken und Schleusen in Beschriftungen",
                                         "Afficher les noms des ponts et écluses",
                                         "Mostrar nombres de puentes y esclusas",
                                         "Mostra nomi di ponti e chiuse nelle etichette",
                                         "Vis navne på broer og sluser i etiketter",
                                         "Visa namn på broar och slussar i etiketter"};
const TLanguageStrings Lights = {"(Sector) lights", "(Sector)lichten", "(Sektor-)Feuer",
                                 "Feux (à secteurs)", "Luces (de sector)", "Fanali (a settori)",
                                 "(Sektor)fyr", "(Sektor)fyrar"};
const TLanguageStrings Sectors = {"Show sectors", "Sectoren tonen", "Sektoren anzeigen",
                                  "Afficher les secteurs", "Mostrar sectores", "Mostra settori",
                                  "Vis sektorer", "Visa sektorer"};
const TLanguageStrings WidthPerHeight = {"Width per height", "Breedte per hoogte", "Breite pro Höhe",
                                         "Largeur par hauteur", "Ancho por altura",
                                         "Larghezza per altezza", "Bredde pr. højde", "Bredd per höjd"};
}  // namespace Txt
}  // namespace

QString TFrameSettingsViewerWaypoints::SectorWidthText(int millimetres) {
    const double cm = UnitConvert(double(millimetres), KvUnit::Millimetre, KvUnit::Centimetre);
    return QLocale().toString(cm, 'f', 1) + QStringLiteral(" cm/h10m");
}

TFrameSettingsViewerWaypoints::TFrameSettingsViewerWaypoints(TChartViewerSettings &settings)
    : TViewerSettingsPage(settings) {
    namespace B = ViewerSettingsBit;
    using S = TChartViewerSettings;
    TSettingsPageLayout page(this);
    page.Heading(SettingsTextGeneral);
    CheckBoxWaypoints = FlagBox(page, Txt::Waypoints, &S::WaypointFlags, B::WaypointsShown);
    CheckBoxWaypointNameLabels =
        FlagBox(page, Txt::NameLabels, &S::WaypointFlags, B::WaypointNameLabels, SettingsIndent);
    CheckBoxWaypointBigScaleNameLabels =
        FlagBox(page, Txt::BigScaleNames, &S::WaypointFlags, B::WaypointBigScaleNames, SettingsIndent);
    page.Heading(Txt::Structures);
    CheckBoxStructures = FlagBox(page, Txt::ShowStructures, &S::NetworkFlags, B::NetworkStructures);
    CheckBoxStructureNames = FlagBox(page, Txt::StructureNames, &S::NetworkFlags, B::NetworkStructureNames);
    page.Heading(Txt::Lights);
    CheckBoxSectors = FlagBox(page, Txt::Sectors, &S::WaypointFlags, B::WaypointSectors);
    TrackBarMaxWidth = SettingsTrackBar(this, 10, 120, 4);
    LabelMaxWidthValue = SettingsValueLabel(this);
    LabelMaxWidthValue->setMinimumWidth(90);
    LabelMaxWidth = page.Row(Txt::WidthPerHeight, TrackBarMaxWidth, LabelMaxWidthValue);
    page.Finish();
    LoadSettings();

    connect(TrackBarMaxWidth, &QSlider::valueChanged, this, [this](int position) {
        LabelMaxWidthValue->setText(SectorWidthText(position));
        if (!FLoading) FSettings.MaxHeightRadiusMM = position;
    });
}

void TFrameSettingsViewerWaypoints::LoadOther() {
    TrackBarMaxWidth->setValue(FSettings.MaxHeightRadiusMM);
    LabelMaxWidthValue->setText(SectorWidthText(TrackBarMaxWidth->value()));
}

void TFrameSettingsViewerWaypoints::UpdateEnabled() {
    const bool waypoints = CheckBoxWaypoints->isChecked();
    CheckBoxWaypointNameLabels->setEnabled(waypoints);
    CheckBoxWaypointBigScaleNameLabels->setEnabled(waypoints);
    const bool sectors = CheckBoxSectors->isChecked();
    LabelMaxWidth->setEnabled(sectors);
    TrackBarMaxWidth->setEnabled(sectors);
    LabelMaxWidthValue->setEnabled(sectors);
}
