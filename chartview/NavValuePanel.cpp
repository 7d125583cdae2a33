#include "chartview/NavValuePanel.h"

#include "base/controls/KvControls.h"
#include "shell/MarivoColors.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPainter>

namespace {

QLabel *MakeLabel(QWidget *parent, int pixels, bool bold, Qt::Alignment align) {
    auto *l = new QLabel(parent);
    QFont f = l->font();
    f.setPixelSize(pixels);
    f.setBold(bold);
    l->setFont(f);
    l->setAlignment(align);
    return l;
}

void FitWidth(QLabel *l) {
    if (l) l->resize(l->sizeHint().width(), l->height());
}

}  // namespace

QLabel *MakeNavLabel(QWidget *parent, int pixels, bool bold, const QString &text) {
    QLabel *l = MakeLabel(parent, pixels, bold, Qt::AlignLeft | Qt::AlignVCenter);
    l->setText(text);
    return l;
}

QWidget *MakeNavValueRow(QWidget *parent, int height, std::initializer_list<TNavValueSpec> panels) {
    auto *row = new TNavColourPanel(parent);
    row->setFixedHeight(height);
    row->SetColour(&NavPanelColor);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(4, 7, 4, 7);
    for (const TNavValueSpec &spec : panels) {
        *spec.Panel = MakeNavValuePanel(row, spec.Shape);
        spec.Panel->Caption->setText(spec.Caption);
        spec.Panel->Panel->setFixedSize(91, 56);
        layout->addWidget(spec.Panel->Panel);
    }
    return row;
}

QWidget *MakeNavRow(QWidget *parent, int height, QHBoxLayout *&layout) {
    auto *row = new TNavColourPanel(parent);
    row->setFixedHeight(height);
    layout = new QHBoxLayout(row);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->setSpacing(0);
    return row;
}

void SetNavTextColour(QLabel *l, const QColor &c) {
    if (!l) return;
    QPalette pal = l->palette();
    if (pal.color(QPalette::WindowText) == c) return;
    pal.setColor(QPalette::WindowText, c);
    l->setPalette(pal);
}

void TNavColourPanel::SetColour(const TColor *variable) {
    FColour = variable;
    update();
}

void TNavColourPanel::paintEvent(QPaintEvent *) {
    if (FColour) QPainter(this).fillRect(rect(), TColorToColor(*FColour));
}

TNavValuePanel MakeNavValuePanel(QWidget *parent, const TNavValuePanelShape &shape) {
    TNavValuePanel v;
    v.Panel = new TNavColourPanel(parent);
    v.Panel->resize(shape.Width, shape.Height);
    const int captionHeight = 21, footerHeight = shape.WithFooter ? 11 : 0;
    const int valueHeight = shape.ValuePixels + 5;
    v.Caption = MakeLabel(v.Panel, 17, false, Qt::AlignCenter);
    v.Value = MakeLabel(v.Panel, shape.ValuePixels, true, Qt::AlignRight | Qt::AlignVCenter);
    int valueTop = captionHeight;
    if (shape.CaptionBelow) {
        valueTop = 2;
        v.Caption->setGeometry(0, valueTop + valueHeight, shape.Width, captionHeight);
    } else {
        v.Caption->setGeometry(0, 0, shape.Width, captionHeight);
    }
    v.Value->setGeometry(0, valueTop, shape.Width / 2, valueHeight);
    if (shape.WithUnit) {
        v.Unit = MakeLabel(v.Panel, 9, false, shape.UnitAtTop ? Qt::AlignTop : Qt::AlignBottom);
        v.Unit->setGeometry(shape.Width / 2, valueTop, 10, 12);
    }
    if (shape.WithFooter) {
        v.Footer = MakeLabel(v.Panel, 9, true, Qt::AlignCenter);
        v.Footer->setGeometry(0, shape.Height - footerHeight, shape.Width, footerHeight);
    }
    return v;
}

void LayoutNavValuePanel(const TNavValuePanel &v) {
    const int width = v.Panel->width();
    FitWidth(v.Value);
    if (v.Unit) {
        FitWidth(v.Unit);
        const int left = (width - v.Unit->width() - v.Value->width() - 2) / 2;
        v.Value->move(left, v.Value->y());
        const int top = (v.Unit->alignment() & Qt::AlignTop)
                            ? v.Value->y() + 2
                            : v.Value->y() + v.Value->height() - v.Unit->height() - 2;
        v.Unit->move(v.Value->geometry().right() + 1 + 2, top);
    } else {
        v.Value->move((width - v.Value->width()) / 2, v.Value->y());
    }
    const QColor c = v.Panel->isEnabled() ? QApplication::palette().color(QPalette::WindowText)
                                          : TColorToColor(NavPanelHeaderColor);
    for (QLabel *l : {v.Value, v.Unit, v.Footer, v.Caption}) SetNavTextColour(l, c);
}
