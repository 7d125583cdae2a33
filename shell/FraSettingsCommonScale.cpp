#include "shell/FraSettingsCommonScale.h"

#include "base/controls/KvEdits.h"
#include "shell/FraSettingsCommon.h"
#include "shell/FrmSettingsCommon.h"
#include "shell/SettingsPageLayout.h"

#include <KvLibNav6/KvUnits.h>

#include <QButtonGroup>
#include <QLabel>
#include <QRadioButton>
#include <cmath>

namespace {
namespace Txt {
const TLanguageStrings VectorScale = {"Vector scale", "Vectorschaal", "Vektormaßstab",
                                      "Échelle des vecteurs", "Escala de vectores", "Scala dei vettori",
                                      "Vektorskala", "Vektorskala"};
const TLanguageStrings ScaleMode = {"Scale mode", "Schaalmodus", "Maßstabsmodus", "Mode d'échelle",
                                    "Modo de escala", "Modalità scala", "Skalatilstand", "Skalläge"};
const TLanguageStrings TimeScale = {"Time scale", "Tijdschaal", "Zeitmaßstab", "Échelle de temps",
                                    "Escala de tiempo", "Scala temporale", "Tidsskala", "Tidsskala"};
const TLanguageStrings PixelScale = {"Pixel scale", "Pixelschaal", "Pixelmaßstab", "Échelle en pixels",
                                     "Escala en píxeles", "Scala in pixel", "Pixelskala", "Pixelskala"};
const TLanguageStrings Segments = {"Number of segments", "Aantal segmenten", "Anzahl der Segmente",
                                   "Nombre de segments", "Número de segmentos", "Numero di segmenti",
                                   "Antal segmenter", "Antal segment"};
const TLanguageStrings SegmentTime = {"Time per segment", "Tijd per segment", "Zeit pro Segment",
                                      "Durée par segment", "Tiempo por segmento", "Tempo per segmento",
                                      "Tid pr. segment", "Tid per segment"};
const TLanguageStrings MinutesUnit = {"minutes", "minuten", "Minuten", "minutes", "minutos", "minuti",
                                      "minutter", "minuter"};
const TLanguageStrings PixelsPer = {"Pixels per", "Pixels per", "Pixel pro", "Pixels par",
                                    "Píxeles por", "Pixel per", "Pixels pr.", "Pixlar per"};
const TLanguageStrings PixelsUnit = {"pixels", "pixels", "Pixel", "pixels", "píxeles", "pixel",
                                     "pixels", "pixlar"};
const TLanguageStrings Feet = {"feet", "voet", "Fuß", "pieds", "pies", "piedi", "fod", "fot"};
const TLanguageStrings Meter = {"meter", "meter", "Meter", "mètre", "metro", "metro", "meter", "meter"};
const TLanguageStrings Yard = {"yard", "yard", "Yard", "yard", "yarda", "iarda", "yard", "yard"};
const TLanguageStrings KmH = {"km/h", "km/u", "km/h", "km/h", "km/h", "km/h", "km/t", "km/h"};
const TLanguageStrings Knots = {"kn", "kn", "kn", "nd", "kn", "kn", "kn", "knop"};
const TLanguageStrings Mph = {"mph", "mph", "mph", "mph", "mph", "mph", "mph", "mph"};
const TLanguageStrings Ms = {"m/s", "m/s", "m/s", "m/s", "m/s", "m/s", "m/s", "m/s"};
}  // namespace Txt

}  // namespace

QString TFrameSettingsCommonScale::UnitName(int32_t unit) {
    switch (unit) {
    case KvUnit::Foot: return LanguageText(Txt::Feet);
    case KvUnit::Metre: return LanguageText(Txt::Meter);
    case KvUnit::Yard: return LanguageText(Txt::Yard);
    case KvUnit::KilometrePerHour: return LanguageText(Txt::KmH);
    case KvUnit::Knot: return LanguageText(Txt::Knots);
    case KvUnit::MilePerHour: return LanguageText(Txt::Mph);
    case KvUnit::MetrePerSecond: return LanguageText(Txt::Ms);
    default: return QString();
    }
}

float TFrameSettingsCommonScale::PixelScaleOf(int pixels, int32_t speedUnit) {
    return float(UnitConvert(1.0 / double(pixels), speedUnit, KvUnit::MetrePerSecond));
}

int TFrameSettingsCommonScale::PixelsOf(float pixelScale, int32_t speedUnit) {
    const double perPixel = UnitConvert(double(pixelScale), KvUnit::MetrePerSecond, speedUnit);
    if (!(perPixel > 0.0)) return 1;
    return int(RoundHalfEven64(1.0L / perPixel));
}

TFrameSettingsCommonScale::TFrameSettingsCommonScale(TCommonViewSettings &settings)
    : FSettings(settings) {
    TSettingsPageLayout page(this);
    page.Heading(Txt::VectorScale);
    RadioTimeScale = new QRadioButton(LanguageText(Txt::TimeScale), this);
    RadioPixelScale = new QRadioButton(LanguageText(Txt::PixelScale), this);
    auto *group = new QButtonGroup(this);
    group->addButton(RadioTimeScale);
    group->addButton(RadioPixelScale);
    page.Row(Txt::ScaleMode, RadioTimeScale, RadioPixelScale);
    page.Row(Txt::Segments, EditTimeScaleCount = SettingsIntEdit(this, 1, 20, 4));
    page.Row(Txt::SegmentTime, EditTimeScaleTime = SettingsIntEdit(this, 1, 60, 3),
             new QLabel(LanguageText(Txt::MinutesUnit), this));
    EditPixelScale = SettingsIntEdit(this, 1, 60, 1);
    LabelPixelScaleValue = page.Row(LanguageText(Txt::PixelsPer) + QLatin1Char(' ') +
                                        UnitName(settings.SpeedUnit) + QLatin1Char(':'),
                                    EditPixelScale, new QLabel(LanguageText(Txt::PixelsUnit), this));
    page.Finish();
    LoadSettings();

    connect(RadioTimeScale, &QRadioButton::clicked, this, [this] {
        FSettings.ScaleInfo->SetScaleMode(0);
        FSettings.ScaleInfoChanged = true;
    });
    connect(RadioPixelScale, &QRadioButton::clicked, this, [this] {
        FSettings.ScaleInfo->SetScaleMode(1);
        FSettings.ScaleInfoChanged = true;
    });
    for (TNumberEdit *edit : {EditTimeScaleCount, EditTimeScaleTime, EditPixelScale})
        edit->OnExit = [this, edit](QObject *) { EditExit(edit); };
}

void TFrameSettingsCommonScale::LoadSettings() {
    FLoading = true;
    INavScaleInfo *info = FSettings.ScaleInfo.get();
    EditTimeScaleCount->SetIntValue(info->GetTimeCount());
    EditTimeScaleTime->SetIntValue(info->GetTimeLength() / 60);
    EditPixelScale->SetIntValue(PixelsOf(info->GetPixelScale(), FSettings.SpeedUnit));
    (info->GetScaleMode() == 1 ? RadioPixelScale : RadioTimeScale)->setChecked(true);
    FCount = EditTimeScaleCount->GetIntValue();
    FMinutes = EditTimeScaleTime->GetIntValue();
    FPixels = EditPixelScale->GetIntValue();
    FLoading = false;
}

void TFrameSettingsCommonScale::EditExit(TNumberEdit *edit) {
    if (FLoading) return;
    INavScaleInfo *info = FSettings.ScaleInfo.get();
    const int64_t value = edit->GetIntValue();
    if (edit == EditTimeScaleCount && value != FCount) {
        FCount = value;
        info->SetTimeCount(int32_t(value));
    } else if (edit == EditTimeScaleTime && value != FMinutes) {
        FMinutes = value;
        info->SetTimeLength(int32_t(value * 60));
    } else if (edit == EditPixelScale && value != FPixels) {
        FPixels = value;
        info->SetPixelScale(PixelScaleOf(int(value), FSettings.SpeedUnit));
    } else {
        return;
    }
    FSettings.ScaleInfoChanged = true;
}
