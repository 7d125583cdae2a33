#include "base/forms/KvForms.h"

#include <QScreen>
#include <cmath>

TFormScaled::TFormScaled(QWidget *owner, Qt::WindowFlags flags) : QDialog(owner, flags) {}

int TFormScaled::ScaleValue(int value, int dpi) {
    const int64_t product = int64_t(value) * dpi;
    return int(product >= 0 ? (product + 48) / 96 : -((-product + 48) / 96));
}

int TFormScaled::ScreenDpi() const {
    const QScreen *s = screen();
    return s ? int(std::lround(s->logicalDotsPerInch())) : 96;
}

void TFormScaled::ScaleConstraints(int dpi) {
    auto scale = [dpi](int v, bool isMax) {
        if (v == 0 || (isMax && v >= QWIDGETSIZE_MAX)) return v;
        return qMin(ScaleValue(v, dpi), int(QWIDGETSIZE_MAX));
    };
    const int maxH = scale(maximumHeight(), true), maxW = scale(maximumWidth(), true);
    const int minH = scale(minimumHeight(), false), minW = scale(minimumWidth(), false);
    setMaximumHeight(maxH);
    setMaximumWidth(maxW);
    setMinimumHeight(minH);
    setMinimumWidth(minW);
}
