#include "shell/FraSettingsViewerTracks.h"

#include "shell/FraSettingsViewer.h"
#include "shell/FrmSettingsCommon.h"
#include "shell/SettingsPageLayout.h"

#include <QCheckBox>

namespace {
namespace Txt {
const TLanguageStrings Tracks = {"Show tracks", "Tracks tonen", "Tracks anzeigen", "Afficher les traces",
                                 "Mostrar trazas", "Mostra tracce", "Vis spor", "Visa spår"};
const TLanguageStrings Current = {"Show current track", "Huidige track tonen", "Aktuellen Track anzeigen",
                                  "Afficher la trace actuelle", "Mostrar traza actual",
                                  "Mostra traccia attuale", "Vis aktuelt spor", "Visa aktuellt spår"};
const TLanguageStrings Names = {"Show track name labels", "Tracknamen tonen", "Tracknamen anzeigen",
                                "Afficher les noms des traces", "Mostrar nombres de trazas",
                                "Mostra nomi delle tracce", "Vis spornavne", "Visa spårnamn"};
}  // namespace Txt
}  // namespace

TFrameSettingsViewerTracks::TFrameSettingsViewerTracks(TChartViewerSettings &settings)
    : TViewerSettingsPage(settings) {
    using S = TChartViewerSettings;
    TSettingsPageLayout page(this);
    page.Heading(SettingsTextGeneral);
    CheckBoxTracks = BoolBox(page, Txt::Tracks, &S::ShowVisibleTracks);
    CheckBoxCurrentTrack = BoolBox(page, Txt::Current, &S::ShowTrackActive, SettingsIndent);
    CheckBoxTrackNameLabels = BoolBox(page, Txt::Names, &S::ShowTrackNames, SettingsIndent);
    page.Finish();
    LoadSettings();
}

void TFrameSettingsViewerTracks::UpdateEnabled() {
    CheckBoxCurrentTrack->setEnabled(CheckBoxTracks->isChecked());
    CheckBoxTrackNameLabels->setEnabled(CheckBoxTracks->isChecked());
}
