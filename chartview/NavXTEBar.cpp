#include "chartview/NavXTEBar.h"

#include "base/controls/KvControls.h"
#include "chartview/NavXTEAlarm.h"
#include "shell/MarivoColors.h"

#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cmath>

namespace {

// A filled triangle at x0 pointing right (+1) or left (-1) over the bar's height.
void Triangle(QPainter &p, int x0, int direction, int h, const QColor &c) {
    p.setPen(c);
    p.setBrush(c);
    p.drawPolygon(QPolygon({QPoint(x0, 0), QPoint(x0 + direction * (h / 2), h / 2), QPoint(x0, h)}));
}

}  // namespace

TXTEBarState XTEBarState(const TNavXTEAlarm &alarm, bool show) {
    TXTEBarState s;
    s.Show = show && alarm.Valid();
    s.XTERel = alarm.XTERel();
    s.Trend = alarm.Trend();
    s.Blinking = alarm.Blinking();
    s.BlinkPhase = alarm.BlinkPhase();
    return s;
}

int XTEMarkerX(int w, int h, float xteRel) {
    const int m = int(std::lround((w - 1) * (xteRel / 2.0 + 1.0) / 2.0));
    const int margin = h / 2 + 20;
    return std::clamp(m, margin, std::max(margin, w - margin));
}

namespace {

// The network bar marks its quarters and ticks quietly and has no side arrows: the path is
// a channel, not an alarm limit.
void PaintBar(QPainter &p, QSize size, const TXTEBarState &s, bool network) {
    const int w = size.width(), h = size.height();
    p.fillRect(0, 0, w, h, TColorToColor(XTEBarBackColor));
    const QColor alarm = TColorToColor(network ? XTEBarCentreColor : XTEBarAlarmColor);
    p.fillRect(0, 0, w / 4, h, alarm);
    p.fillRect(3 * w / 4, 0, w - 3 * w / 4, h, alarm);
    p.fillRect(w / 2 - 3, 0, 7, h, TColorToColor(XTEBarCentreColor));
    for (int i : {1, 2, 3, 5, 6, 7}) {
        const int x = int(std::lround(i * w / 8.0));
        const bool warn = !network && i != 3 && i != 5;
        p.fillRect(x - 1, 0, 2, h, TColorToColor(warn ? XTEBarWarnTickColor : XTEBarTickColor));
    }
    if (!s.Show) return;
    const QColor back = TColorToColor(XTEBarBackColor);
    const bool hidden = s.Blinking && !s.BlinkPhase;
    if (!network && !(hidden && s.XTERel < -1.0f)) Triangle(p, 0, 1, h, back);
    if (!network && !(hidden && s.XTERel > 1.0f)) Triangle(p, w - 1, -1, h, back);
    const int m = XTEMarkerX(w, h, s.XTERel);
    const QColor marker = TColorToColor(XTEBarMarkerColor);
    p.fillRect(m - 2, 0, 4, h, marker);
    if (s.Trend != 0) Triangle(p, m - 5 * s.Trend, -s.Trend, h, marker);
}

}  // namespace

void PaintXTEBar(QPainter &p, QSize size, const TXTEBarState &s) { PaintBar(p, size, s, false); }

void PaintNetworkXTEBar(QPainter &p, QSize size, const TXTEBarState &s) { PaintBar(p, size, s, true); }
