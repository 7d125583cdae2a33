// The cross-track bar of the navigation views: a white bar with red outer quarters, a
// centre mark and ticks at the eighths; with a valid cross-track error the ship's marker,
// its trend arrow and the two side arrows, of which the one on the offending side blinks
// during an alarm. Integer geometry, so every view draws the same pixels. GUI thread.
#pragma once

#include <QSize>

class QPainter;
class TNavXTEAlarm;

struct TXTEBarState {
    bool Show = false;      // a route is followed, a point is steered to, the error is valid
    float XTERel = 0.0f;
    int Trend = 0;          // -1, 0, +1
    bool Blinking = false;  // the alarm's blink timer runs
    bool BlinkPhase = false;
};
// The state of the alarm's last evaluation; show adds what the alarm does not know.
TXTEBarState XTEBarState(const TNavXTEAlarm &alarm, bool show);

// The marker's x for a bar w × h: kept h / 2 + 20 pixels from either end.
int XTEMarkerX(int w, int h, float xteRel);
void PaintXTEBar(QPainter &p, QSize size, const TXTEBarState &s);
// The bar of the waterway network's path: grey quarters and ticks, no side arrows.
void PaintNetworkXTEBar(QPainter &p, QSize size, const TXTEBarState &s);
