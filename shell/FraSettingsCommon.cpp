#include "shell/FraSettingsCommon.h"

#include "base/registry/KvRegistry.h"
#include "base/strings/KvColors.h"
#include "chartview/FraViewer.h"
#include "shell/FraSettingsCommonColors.h"
#include "shell/FraSettingsCommonRoutes.h"
#include "shell/FraSettingsCommonScale.h"
#include "shell/FraSettingsCommonScreen.h"
#include "shell/FraSettingsCommonTracks.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvNavEnv.h>

namespace {

const QString KeyView = QStringLiteral("View");

namespace Txt {
const TLanguageStrings Screen = {"Screen", "Scherm", "Bildschirm", "Écran", "Pantalla", "Schermo",
                                 "Skærm", "Skärm"};
const TLanguageStrings ScreenTitle = {"Screen settings", "Scherminstellingen", "Bildschirmeinstellungen",
                                      "Paramètres de l'écran", "Ajustes de pantalla",
                                      "Impostazioni schermo", "Skærmindstillinger", "Skärminställningar"};
const TLanguageStrings Scale = {"Scale", "Schaal", "Maßstab", "Échelle", "Escala", "Scala", "Skala", "Skala"};
const TLanguageStrings ScaleTitle = {"Scale settings", "Schaalinstellingen", "Maßstabseinstellungen",
                                     "Paramètres d'échelle", "Ajustes de escala", "Impostazioni scala",
                                     "Skalaindstillinger", "Skalinställningar"};
const TLanguageStrings Colors = {"Colors", "Kleuren", "Farben", "Couleurs", "Colores", "Colori",
                                 "Farver", "Färger"};
const TLanguageStrings ColorsTitle = {"Color settings", "Kleurinstellingen", "Farbeinstellungen",
                                      "Paramètres des couleurs", "Ajustes de color", "Impostazioni colori",
                                      "Farveindstillinger", "Färginställningar"};
}  // namespace Txt

const std::pair<TCommonSettingsCategory, const char16_t *> Names[] = {
    {TCommonSettingsCategory::Colors, u"comColors"}, {TCommonSettingsCategory::Routes, u"comRoutes"},
    {TCommonSettingsCategory::Scale, u"comScale"},   {TCommonSettingsCategory::Screen, u"comScreen"},
    {TCommonSettingsCategory::Tracks, u"comTracks"}, {TCommonSettingsCategory::WWNetwork, u"comWWNetwork"},
};

TColor FromCore(uint32_t argb) {
    return ColorSwapRB(int32_t(argb));
}

uint32_t ToCore(TColor colour, uint8_t alpha = 255) {
    return ColorToBGRA(colour, alpha);
}

}  // namespace

const std::array<float, 7> TFrameSettingsCommon::CursorScales = {0.8f, 0.85f, 0.92f, 1.0f, 1.25f, 1.65f, 2.0f};

int32_t TFrameSettingsCommon::CursorScaleToIndex(float scale) {
    for (size_t i = 0; i < CursorScales.size(); ++i)
        if (CursorScales[i] >= scale) return int32_t(i);
    return int32_t(CursorScales.size() - 1);
}

TCommonSettingsCategory TFrameSettingsCommon::NameToCategory(const QString &name) {
    for (const auto &[category, text] : Names)
        if (name.compare(QString::fromUtf16(text), Qt::CaseInsensitive) == 0 &&
            category != TCommonSettingsCategory::WWNetwork)
            return category;
    return TCommonSettingsCategory::Screen;
}

QString TFrameSettingsCommon::CategoryToName(TCommonSettingsCategory category) {
    for (const auto &[c, text] : Names)
        if (c == category) return QString::fromUtf16(text);
    return QStringLiteral("genNone");
}

float TFrameSettingsCommon::ClampRefreshInterval(float seconds) {
    return std::clamp(seconds, 0.1f, 10.0f);
}

TFrameSettingsCommon::TFrameSettingsCommon(QWidget *parent, TMarivoNavEnv &env, TFrameViewer *viewer)
    : TSettingsTileFrame(parent, true), FEnv(env) {
    LoadFromEnvironment(viewer);
    OnCategoryChosen = [](int category) {
        int32_t err = 0;
        RegWriteString(GetAppReg(), AppRegRoot::Product, KeyView, RegName(u"Category"),
                       CategoryToName(TCommonSettingsCategory(category)), err);
    };
    BuildCategoryTree();
}

void TFrameSettingsCommon::LoadFromEnvironment(TFrameViewer *viewer) {
    TCommonViewSettings &s = FSettings;
    s.ColorGPSFix = ColorSwapRB(FEnv.ColorGPSFix);
    s.ColorGPSNoFix = ColorSwapRB(FEnv.ColorGPSNoFix);
    s.ColorClear = ColorSwapRB(FEnv.ColorClear);
    s.ScaleInfo.reset(NavScaleInfoCreate());
    if (viewer) {
        s.WWSectionColor = FromCore(viewer->GetWWSectionColor());
        s.WWSectionColorBack = FromCore(viewer->GetWWSectionColorBack());
        s.WWSectionColorUnpassable = FromCore(viewer->GetWWSectionColorUnpassable());
        s.ColorLegActiveMotoring = FromCore(viewer->GetColorLegActiveMotoring());
        s.ColorLegBack = FromCore(viewer->GetColorLegBack());
        s.ColorLegEditMotoring = FromCore(viewer->GetColorLegEditMotoring());
        s.ColorLegMotoring = FromCore(viewer->GetColorLegMotoring());
        s.ColorRhumbline = FromCore(viewer->GetColorRhumbline());
        s.CursorScaleRead = viewer->GetCursorScale();
        s.CursorScaleIndex = s.CursorScaleIndexRead = CursorScaleToIndex(s.CursorScaleRead);
        s.LegWidth = viewer->GetLegWidth();
        viewer->Viewer()->GetScaleInfo(s.ScaleInfo.get());
        s.SmartLabelTransparency = viewer->GetSmartLabelTransparency();
        s.RhumblineWidth = viewer->GetRhumblineWidth();
        s.TrackLineWidth = viewer->GetTrackLineWidth();
        s.TrackPointInterval = viewer->GetTrackPointInterval();
        s.TrackTimeInterval = viewer->GetTrackTimeInterval();
        s.WWSectionMaxWidth = viewer->GetWWSectionMaxWidth();
    }
    s.DepthScaleUnit = s.WavesScaleUnit = FEnv.UnitDistanceSmall;
    s.NightscreenIntensity = FEnv.NightscreenIntensity;
    s.RefreshIntervalRead = FEnv.GetSlowInterval();
    s.RefreshInterval = ClampRefreshInterval(s.RefreshIntervalRead);
    s.SpeedUnit = FEnv.UnitSpeed;
    s.TransparentEnabled = FEnv.TransparentEnabled;
    s.ShowNetworkXTE = FEnv.ShowNetworkXTE;
    if (INavNotificationCenter *centre = FEnv.NotificationCenter) {
        s.ShowNotificationsAlarm = centre->GetShowAlarms();
        s.ShowNotificationsOther = centre->GetShowOthers();
    }
}

void TFrameSettingsCommon::BuildCategoryTree() {
    setUpdatesEnabled(false);
    ClearTiles();
    QString stored;
    RegReadStringDef(GetAppReg(), AppRegRoot::Product, KeyView, RegName(u"Category"), QString(), stored);
    const TCommonSettingsCategory chosen = NameToCategory(stored);
    auto add = [&](TCommonSettingsCategory c, const TLanguageStrings &caption,
                   const TLanguageStrings &title, TSettingsIcon icon, QWidget *page) {
        AddTile(int(c), LanguageText(caption), LanguageText(title), icon, page, c == chosen);
    };
    add(TCommonSettingsCategory::Screen, Txt::Screen, Txt::ScreenTitle, TSettingsIcon::Screen,
        new TFrameSettingsCommonScreen(FSettings, FEnv));
    add(TCommonSettingsCategory::Scale, Txt::Scale, Txt::ScaleTitle, TSettingsIcon::Scale,
        new TFrameSettingsCommonScale(FSettings));
    add(TCommonSettingsCategory::Tracks, SettingsTextTracks, SettingsTextTrackSettings, TSettingsIcon::Tracks,
        new TFrameSettingsCommonTracks(FSettings));
    add(TCommonSettingsCategory::Colors, Txt::Colors, Txt::ColorsTitle, TSettingsIcon::Colors,
        new TFrameSettingsCommonColors(FSettings));
    add(TCommonSettingsCategory::Routes, SettingsTextRoutes, SettingsTextRouteSettings, TSettingsIcon::Routes,
        new TFrameSettingsCommonRoutes(FSettings));
    setUpdatesEnabled(true);
}

void TFrameSettingsCommon::ApplyToEnvironment() {
    const TCommonViewSettings &s = FSettings;
    FEnv.SetColorClear(int32_t(ToCore(s.ColorClear)));
    FEnv.SetColorGPSFix(int32_t(ToCore(s.ColorGPSFix)));
    FEnv.SetColorGPSNoFix(int32_t(ToCore(s.ColorGPSNoFix)));
    FEnv.SetTransparentEnabled(s.TransparentEnabled);
    // No page offers the interval: the stored one goes back as it was, also outside 0.1 .. 10.
    const bool intervalKept = s.RefreshInterval == ClampRefreshInterval(s.RefreshIntervalRead);
    FEnv.SetSlowInterval(intervalKept ? s.RefreshIntervalRead : s.RefreshInterval);
    FEnv.SetNightscreenIntensity(s.NightscreenIntensity);
    FEnv.SetShowNetworkXTE(s.ShowNetworkXTE);
    FEnv.SetNotificationFilters(s.ShowNotificationsAlarm, s.ShowNotificationsOther);
}

void TFrameSettingsCommon::ApplyToViewer(TFrameViewer *viewer) {
    if (!viewer) return;
    const TCommonViewSettings &s = FSettings;
    viewer->SetColorLegActiveMotoring(ToCore(s.ColorLegActiveMotoring));
    viewer->SetColorLegBack(ToCore(s.ColorLegBack));
    viewer->SetColorLegEditMotoring(ToCore(s.ColorLegEditMotoring));
    viewer->SetColorLegMotoring(ToCore(s.ColorLegMotoring));
    viewer->SetColorRhumbline(ToCore(s.ColorRhumbline));
    // A size the list does not hold (1.1) stays unless the user picked another one.
    viewer->SetCursorScale(s.CursorScaleIndex == s.CursorScaleIndexRead
                               ? double(s.CursorScaleRead)
                               : double(CursorScales[size_t(s.CursorScaleIndex)]));
    viewer->SetLegWidth(s.LegWidth);
    viewer->SetRhumblineWidth(s.RhumblineWidth);
    viewer->SetScaleInfo(s.ScaleInfo.get());
    viewer->SetSmartLabelTransparency(s.SmartLabelTransparency);
    viewer->SetTrackLineWidth(s.TrackLineWidth);
    viewer->SetTrackPointInterval(s.TrackPointInterval);
    viewer->SetTrackTimeInterval(s.TrackTimeInterval);
    viewer->SetWWSectionColor(ToCore(s.WWSectionColor));
    viewer->SetWWSectionColorBack(ToCore(s.WWSectionColorBack, 192));
    viewer->SetWWSectionColorUnpassable(ToCore(s.WWSectionColorUnpassable));
    viewer->SetWWSectionMaxWidth(s.WWSectionMaxWidth);
    TNavViewerControl *control = viewer->Viewer();
    control->SetClearColor(uint32_t(FEnv.ColorClear));
    control->SetColorGPSFix(uint32_t(FEnv.ColorGPSFix));
    control->SetColorGPSNoFix(uint32_t(FEnv.ColorGPSNoFix));
    // Rebuilt now, drawn once with the next paint: every setter above only marked the view.
    control->RefreshCharts();
    control->update();
}
