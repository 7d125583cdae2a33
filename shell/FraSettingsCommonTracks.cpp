#include "shell/FraSettingsCommonTracks.h"

#include "base/controls/KvControls.h"
#include "shell/FraSettingsCommon.h"
#include "shell/FrmSettingsCommon.h"
#include "shell/SettingsPageLayout.h"

#include <QComboBox>
#include <QLabel>

namespace {
namespace Txt {
const TLanguageStrings PointInterval = {"Point interval", "Puntinterval", "Punktintervall",
                                        "Intervalle des points", "Intervalo de puntos",
                                        "Intervallo dei punti", "Punktinterval", "Punktintervall"};
const TLanguageStrings TimeInterval = {"Time interval", "Tijdinterval", "Zeitintervall",
                                       "Intervalle de temps", "Intervalo de tiempo",
                                       "Intervallo di tempo", "Tidsinterval", "Tidsintervall"};
const TLanguageStrings LineWidth = {"Width of track lines", "Breedte van tracklijnen",
                                    "Breite der Tracklinien", "Largeur des traces",
                                    "Ancho de las líneas de traza", "Larghezza delle tracce",
                                    "Bredde af sporlinjer", "Bredd på spårlinjer"};
const TLanguageStrings NoInterval = {"No interval", "Geen interval", "Kein Intervall",
                                     "Aucun intervalle", "Sin intervalo", "Nessun intervallo",
                                     "Intet interval", "Inget intervall"};
const TLanguageStrings Noon = {"Noon", "Middag", "Mittag", "Midi", "Mediodía", "Mezzogiorno",
                               "Middag", "Middag"};
const TLanguageStrings Minute = {"Minute", "minuut", "Minute", "minute", "minuto", "minuto",
                                 "minut", "minut"};
const TLanguageStrings Minutes = {"Minutes", "minuten", "Minuten", "minutes", "minutos", "minuti",
                                  "minutter", "minuter"};
const TLanguageStrings Hour = {"Hour", "uur", "Stunde", "heure", "hora", "ora", "time", "timme"};
const TLanguageStrings Hours = {"Hours", "uur", "Stunden", "heures", "horas", "ore", "timer", "timmar"};
}  // namespace Txt

void FillIntervals(QComboBox *combo, const std::vector<int32_t> &seconds) {
    combo->clear();
    for (int32_t s : seconds) combo->addItem(TFrameSettingsCommonTracks::IntervalText(s), s);
}

void SelectSeconds(QComboBox *combo, int32_t seconds) {
    combo->setCurrentIndex(combo->findData(seconds));
}

}  // namespace

const std::vector<int32_t> &TFrameSettingsCommonTracks::PointIntervals() {
    static const std::vector<int32_t> v{0, 60, 120, 300, 600, 900, 1800, 3600, 10800, 21600, 43200, 86400};
    return v;
}

const std::vector<int32_t> &TFrameSettingsCommonTracks::TimeIntervals() {
    static const std::vector<int32_t> v{0, 900, 1800, 3600, 10800, 21600, 43200, 86400};
    return v;
}

QString TFrameSettingsCommonTracks::IntervalText(int32_t seconds) {
    if (seconds == 0) return LanguageText(Txt::NoInterval);
    if (seconds == 86400) return LanguageText(Txt::Noon);
    const bool hours = seconds % 3600 == 0;
    const int32_t n = hours ? seconds / 3600 : seconds / 60;
    const TLanguageStrings &unit = hours ? (n == 1 ? Txt::Hour : Txt::Hours)
                                         : (n == 1 ? Txt::Minute : Txt::Minutes);
    return QString::number(n) + QLatin1Char(' ') + LanguageText(unit);
}

TFrameSettingsCommonTracks::TFrameSettingsCommonTracks(TCommonViewSettings &settings)
    : FSettings(settings) {
    TSettingsPageLayout page(this);
    page.Heading(SettingsTextGeneral);
    ComboBoxTrackPointInterval = new QComboBox(this);
    ComboBoxTrackTimeInterval = new QComboBox(this);
    for (QComboBox *c : {ComboBoxTrackPointInterval, ComboBoxTrackTimeInterval}) {
        c->setMaxVisibleItems(9);
        c->setMinimumWidth(140);
    }
    page.Row(Txt::PointInterval, ComboBoxTrackPointInterval);
    page.Row(Txt::TimeInterval, ComboBoxTrackTimeInterval);
    TrackBarTrackLineWidth = SettingsTrackBar(this, 1, 10);
    LabelTrackLineWidthValue = SettingsValueLabel(this);
    page.Row(Txt::LineWidth, TrackBarTrackLineWidth, LabelTrackLineWidthValue);
    page.Finish();
    SetLanguage();
    LoadSettings();

    // Activation is the user's choice only; a value no entry matches stays until then.
    connect(ComboBoxTrackPointInterval, qOverload<int>(&QComboBox::activated), this, [this](int i) {
        if (!FLoading) FSettings.TrackPointInterval = ComboBoxTrackPointInterval->itemData(i).toInt();
    });
    connect(ComboBoxTrackTimeInterval, qOverload<int>(&QComboBox::activated), this, [this](int i) {
        if (!FLoading) FSettings.TrackTimeInterval = ComboBoxTrackTimeInterval->itemData(i).toInt();
    });
    connect(TrackBarTrackLineWidth, &QSlider::valueChanged, this, [this](int width) {
        LabelTrackLineWidthValue->setText(QString::number(width));
        if (!FLoading) FSettings.TrackLineWidth = width;
    });
}

void TFrameSettingsCommonTracks::SetLanguage() {
    FLoading = true;
    FillIntervals(ComboBoxTrackPointInterval, PointIntervals());
    FillIntervals(ComboBoxTrackTimeInterval, TimeIntervals());
    FLoading = false;
}

void TFrameSettingsCommonTracks::LoadSettings() {
    FLoading = true;
    SelectSeconds(ComboBoxTrackPointInterval, FSettings.TrackPointInterval);
    SelectSeconds(ComboBoxTrackTimeInterval, FSettings.TrackTimeInterval);
    TrackBarTrackLineWidth->setValue(FSettings.TrackLineWidth);
    LabelTrackLineWidthValue->setText(QString::number(FSettings.TrackLineWidth));
    FLoading = false;
}
