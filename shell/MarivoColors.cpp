#include "shell/MarivoColors.h"

#include <iterator>

TColor ErrorTextColor = 0x0000FF;
TColor HighlightBackColor = 0xDFFFFF;
TColor ErrorBackColor = 0xE0E0FF;
TColor WarningTextColor = 0x0000FF;
TColor AlternateRowColor = 0xFAFAFA;
TColor SelectedBackColor = 0xF8FFF8;
TColor ValidBackColor = 0xEAFFEA;
TColor InvalidTextColor = 0x0000FF;
TColor ValidTextColor = 0x007F00;
TColor DarkRedTextColor = 0x00007F;
TColor NavPanelLineColor = 0x7D6464;
TColor InactiveTextColor = 0xCFAFAF;
TColor NavPanelColor = 0xFEE6E6;
TColor NavPanelHeaderColor = 0xCFAFAF;
TColor NavPanelInfoColor = 0xF1D9D9;
TColor NavPanelBackColor = 0xFFFFFF;
TColor NavTextFixColor = 0x007F00;
TColor NavTextNoFixColor = 0x0000FF;
TColor NavTextColor = 0x000000;
TColor NavTextRouteColor = 0x7F0000;
TColor NavTextWarningColor = 0x00007F;
uint32_t IconBackColor1 = 0xFFDDDDDDu;
uint32_t IconBackColor2 = 0xFFFFFFFFu;
TColor XTEBarMarkerColor = 0x000000;
TColor XTEBarCentreColor = 0xCFCFCF;
TColor XTEBarTickColor = 0xAFAFAF;
TColor XTEBarWarnTickColor = 0xAAAAFF;
TColor XTEBarAlarmColor = 0x0000FF;
TColor XTEBarBackColor = 0xFFFFFF;

namespace {

TColor *const PaletteColors[] = {
    &ErrorTextColor,    &HighlightBackColor, &ErrorBackColor,      &WarningTextColor,
    &ValidTextColor,    &DarkRedTextColor,   &NavPanelLineColor,   &InactiveTextColor,
    &NavPanelColor,     &NavPanelInfoColor,  &NavPanelBackColor,   &NavTextFixColor,
    &NavTextNoFixColor, &NavTextColor,       &NavTextRouteColor,   &NavTextWarningColor,
    &XTEBarMarkerColor, &XTEBarCentreColor,  &XTEBarTickColor,     &XTEBarWarnTickColor,
    &XTEBarAlarmColor,  &XTEBarBackColor,    &NavPanelHeaderColor};
static_assert(std::size(PaletteColors) == 23);

}  // namespace

void RegisterPaletteColors(INightScreen *nightScreen) {
    if (!nightScreen) return;
    for (TColor *c : PaletteColors) nightScreen->AddColor(c);
}

void UnregisterPaletteColors(INightScreen *nightScreen) {
    if (!nightScreen) return;
    for (TColor *c : PaletteColors) nightScreen->RemoveColor(c);
}
