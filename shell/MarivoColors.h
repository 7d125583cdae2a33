// The program's shared colour palette: colour variables that the drawing code of many
// frames and dialogs reads when it paints. Every variable is registered by address with
// the night-screen object once at start, which recolours it in place while night mode is
// on, and removed again at the end of the run. Values are in the palette form $00BBGGRR
// except the two ARGB icon backgrounds. GUI thread only.
#pragma once

#include <KvLibNav6/KvGraphics.h>

#include <cstdint>

extern TColor ErrorTextColor;         // $0000FF
extern TColor HighlightBackColor;     // $DFFFFF
extern TColor ErrorBackColor;         // $E0E0FF
extern TColor WarningTextColor;       // $0000FF
extern TColor AlternateRowColor;      // $FAFAFA: background of every second list row
extern TColor SelectedBackColor;      // $F8FFF8
extern TColor ValidBackColor;         // $EAFFEA
extern TColor InvalidTextColor;       // $0000FF
extern TColor ValidTextColor;         // $007F00
extern TColor DarkRedTextColor;       // $00007F
extern TColor NavPanelLineColor;      // $7D6464
extern TColor InactiveTextColor;      // $CFAFAF: text of values that are not valid
extern TColor NavPanelColor;          // $FEE6E6
extern TColor NavPanelHeaderColor;    // $CFAFAF: headers and texts of panels without a value
extern TColor NavPanelInfoColor;      // $F1D9D9
extern TColor NavPanelBackColor;      // $FFFFFF
extern TColor NavTextFixColor;        // $007F00
extern TColor NavTextNoFixColor;      // $0000FF
extern TColor NavTextColor;           // $000000
extern TColor NavTextRouteColor;      // $7F0000
extern TColor NavTextWarningColor;    // $00007F
extern uint32_t IconBackColor1;       // ARGB $FFDDDDDD: checkerboard behind icons
extern uint32_t IconBackColor2;       // ARGB $FFFFFFFF
extern TColor XTEBarMarkerColor;      // $000000
extern TColor XTEBarCentreColor;      // $CFCFCF
extern TColor XTEBarTickColor;        // $AFAFAF
extern TColor XTEBarWarnTickColor;    // $AAAAFF
extern TColor XTEBarAlarmColor;       // $0000FF
extern TColor XTEBarBackColor;        // $FFFFFF

// The palette's own 23 variables; the start-up routines register the other six
// (RegisterUtilsColors). Each call pair must stay balanced: a variable registered twice
// would be recoloured twice.
void RegisterPaletteColors(INightScreen *nightScreen);
void UnregisterPaletteColors(INightScreen *nightScreen);
