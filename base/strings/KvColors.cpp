#include "KvColors.h"

#include <QGuiApplication>
#include <QPalette>
#include <cmath>

namespace {

// The system colour indexes the program's palette uses, on the nearest palette role.
QColor SystemColor(int index) {
    const QPalette pal = qGuiApp ? QGuiApplication::palette() : QPalette();
    using R = QPalette::ColorRole;
    switch (index) {
    case 0: return pal.color(R::Mid);                            // scroll bar
    case 1: case 12: return pal.color(R::Dark);                  // desktop, workspace
    case 2: case 13: case 27: case 29: return pal.color(R::Highlight);  // active caption
    case 3: case 28: return pal.color(QPalette::Inactive, R::Highlight);
    case 4: case 15: case 30: return pal.color(R::Button);       // menu, button face
    case 5: return pal.color(R::Base);                           // window background
    case 6: case 16: return pal.color(R::Mid);                   // frame, button shadow
    case 7: case 8: return pal.color(R::WindowText);             // menu and window text
    case 9: case 14: return pal.color(R::HighlightedText);       // caption text
    case 10: case 11: return pal.color(R::Window);               // borders
    case 17: return pal.color(QPalette::Disabled, R::Text);             // grey text
    case 18: return pal.color(R::ButtonText);
    case 19: return pal.color(QPalette::Inactive, R::HighlightedText);
    case 20: return pal.color(R::Light);                         // button highlight
    case 21: return pal.color(R::Shadow);                        // 3-D dark shadow
    case 22: return pal.color(R::Midlight);                      // 3-D light
    case 23: return pal.color(R::ToolTipText);
    case 24: return pal.color(R::ToolTipBase);
    case 26: return pal.color(R::Link);                          // hot-tracked item
    default: return pal.color(R::Window);
    }
}

uint8_t ChannelToByte(float v) {
    if (!(v > 0.0f)) return 0;  // NaN too
    const double scaled = std::nearbyint(double(v) * 255.0);
    return scaled >= 255.0 ? 255 : uint8_t(scaled);
}

}  // namespace

TColor ColorToRGB(TColor color) {
    if (color >= 0) return color;
    const QColor c = SystemColor(color & 0xFF);
    return TColor(c.red() | c.green() << 8 | c.blue() << 16);
}

void ColorToRGBFloat(TColor color, float &r, float &g, float &b) {
    const TColor c = ColorToRGB(color);
    r = float(c & 0xFF) * (1.0f / 255.0f);
    g = float((c >> 8) & 0xFF) * (1.0f / 255.0f);
    b = float((c >> 16) & 0xFF) * (1.0f / 255.0f);
}

TColor RGBFloatToColor(float r, float g, float b) {
    return TColor(ChannelToByte(r) | ChannelToByte(g) << 8 | ChannelToByte(b) << 16);
}

TColor ColorBlend(TColor c1, TColor c2, float factor) {
    float r1, g1, b1, r2, g2, b2;
    ColorToRGBFloat(c1, r1, g1, b1);
    ColorToRGBFloat(c2, r2, g2, b2);
    const float f = factor, h = 1.0f - factor;
    return RGBFloatToColor(f * r1 + h * r2, f * g1 + h * g2, f * b1 + h * b2);
}

uint32_t ColorToBGRA(TColor color, uint8_t alpha) {
    const uint32_t c = uint32_t(ColorToRGB(color));
    return uint32_t(alpha) << 24 | (c & 0xFF) << 16 | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

int32_t ColorSwapRB(int32_t color) {
    const uint32_t c = uint32_t(color);
    return int32_t((c & 0xFF) << 16 | (c & 0xFF00) | ((c >> 16) & 0xFF));
}
