// Colour arithmetic on TColor ($00BBGGRR, red in the low byte). A negative TColor names a
// system colour by the index in its low byte (15 = button face, 5 = window background …);
// it is resolved through the application palette, so call those on the GUI thread.
#pragma once

#include <KvLibNav6/KvGraphics.h>

#include <cstdint>

// The system colour as a plain colour; plain colours come back unchanged.
TColor ColorToRGB(TColor color);
// Each channel as 0..1.
void ColorToRGBFloat(TColor color, float &r, float &g, float &b);
// Each channel times 255, rounded to nearest (ties to even: 0.5 gives 128) and clamped to
// 0..255, so a value outside 0..1 cannot carry into the next channel.
TColor RGBFloatToColor(float r, float g, float b);
// factor * c1 + (1 - factor) * c2 per channel.
TColor ColorBlend(TColor c1, TColor c2, float factor);
// The 32-bit pixel $AARRGGBB (blue in the lowest byte).
uint32_t ColorToBGRA(TColor color, uint8_t alpha);
// Red and blue bytes swapped, top byte cleared: the core library's RGB to a TColor and back.
int32_t ColorSwapRB(int32_t color);
