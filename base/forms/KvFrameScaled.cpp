#include "base/forms/KvFrameScaled.h"

#include "base/forms/KvForms.h"

TFrameScaled::TFrameScaled(QWidget *owner) : QWidget(owner) {}

int TFrameScaled::ScreenDpi() const {
    return FormScreenDpi(this);
}

namespace {

int MulDiv(int v, int m, int d) {
    if (d == 0) return v;
    const int64_t p = int64_t(v) * m;
    return int(p >= 0 ? (p + d / 2) / d : -((-p + d / 2) / d));
}

void ScaleFont(QWidget *w, int m, int d) {
    if (!w->testAttribute(Qt::WA_SetFont)) return;  // follows its parent's font
    QFont f = w->font();
    if (f.pixelSize() > 0) f.setPixelSize(qMax(1, MulDiv(f.pixelSize(), m, d)));
    else f.setPointSizeF(f.pointSizeF() * m / d);
    w->setFont(f);
}

void ScaleChildren(QWidget *parent, int m, int d) {
    for (QObject *o : parent->children()) {
        auto *w = qobject_cast<QWidget *>(o);
        if (!w || w->isWindow()) continue;
        const QRect g = w->geometry();
        w->setGeometry(MulDiv(g.x(), m, d), MulDiv(g.y(), m, d), MulDiv(g.width(), m, d),
                       MulDiv(g.height(), m, d));
        ScaleFont(w, m, d);
        ScaleChildren(w, m, d);
    }
}

}  // namespace

void TFrameScaled::ScaleBy(int m, int d) {
    if (m == d || d == 0) return;
    resize(MulDiv(width(), m, d), MulDiv(height(), m, d));
    ScaleFont(this, m, d);
    ScaleChildren(this, m, d);
}

void TFrameScaled::ScaleToScreen() {
    const int dpi = ScreenDpi();
    if (dpi != 96) ScaleBy(dpi, 96);
}
