#include "base/forms/KvForms.h"

#include <QScreen>
#include <cmath>

int ScaleFormValue(int value, int dpi) {
    const int64_t product = int64_t(value) * dpi;
    return int(product >= 0 ? (product + 48) / 96 : -((-product + 48) / 96));
}

int FormScreenDpi(const QWidget *form) {
    const QScreen *s = form->screen();
    return s ? int(std::lround(s->logicalDotsPerInch())) : 96;
}

void ScaleFormConstraints(QWidget *form, int dpi) {
    auto scale = [dpi](int v, bool isMax) {
        if (v == 0 || (isMax && v >= QWIDGETSIZE_MAX)) return v;
        return qMin(ScaleFormValue(v, dpi), int(QWIDGETSIZE_MAX));
    };
    const int maxH = scale(form->maximumHeight(), true), maxW = scale(form->maximumWidth(), true);
    const int minH = scale(form->minimumHeight(), false), minW = scale(form->minimumWidth(), false);
    form->setMaximumHeight(maxH);
    form->setMaximumWidth(maxW);
    form->setMinimumHeight(minH);
    form->setMinimumWidth(minW);
}

TFormScaled::TFormScaled(QWidget *owner, Qt::WindowFlags flags) : QDialog(owner, flags) {}

TMainFormScaled::TMainFormScaled(QWidget *owner, Qt::WindowFlags flags)
    : QMainWindow(owner, flags) {}
