#include "chartview/FraNavInfoWWLine.h"

#include "base/controls/KvControls.h"
#include "base/graphics/KvImageList.h"
#include "base/units/KvUnitsTime.h"
#include "shell/MarivoColors.h"
#include "shell/MarivoNavEnv.h"

#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>
#include <cmath>

void TNavInfoPaintBox::paintEvent(QPaintEvent *) {
    if (!OnPaint) return;
    QPainter painter(this);
    OnPaint(painter);
}

void TNavInfoPaintBox::mousePressEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton && OnClick) OnClick();
}

namespace {

QImage ReadImage(const QString &file, int size) {
    QImageReader reader(file);
    reader.setScaledSize(QSize(size, size));
    QImage image = reader.read();
    return image.isNull() ? image : image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

}  // namespace

void NavInfoWWFillSymbols(TImageList &list, const QString &imagesFolder) {
    list.SetSize(32, 32);
    for (int i = 0; i < NavInfoWWImage::Count; ++i) {
        QString name;
        if (i >= 2 && i <= 5) name = QStringLiteral("wwstruct%1.svg").arg(i);
        if (i == NavInfoWWImage::Marina) name = QStringLiteral("wwmarina.svg");
        QImage image = name.isEmpty() ? QImage() : ReadImage(imagesFolder + name, 32);
        if (image.isNull()) {
            image = QImage(32, 32, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
        }
        list.Add(image);
    }
}

void NavInfoWWFillTurns(TImageList &list, const QString &imagesFolder) {
    list.SetSize(32, 32);
    for (int i = 0; i <= 8; ++i) {
        QImage image = i == 0 ? QImage() : ReadImage(imagesFolder + QStringLiteral("wwturn%1.svg").arg(i), 32);
        if (image.isNull()) {
            image = QImage(32, 32, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
        }
        list.Add(image);
    }
}

QImage NavInfoWWVHFPicture(const QString &imagesFolder) {
    return ReadImage(imagesFolder + QStringLiteral("wwvhf.svg"), 48);
}

QRect NavInfoFitPicture(QSize picture, QSize box) {
    if (picture.isEmpty() || box.isEmpty()) return {};
    double w = picture.width(), h = picture.height();
    if (w > box.width()) {
        const double f = box.width() / w;
        w *= f;
        h *= f;
        if (h > box.height()) {
            const double g = box.height() / h;
            w *= g;
            h *= g;
        }
    } else if (h > box.height()) {
        const double f = box.height() / h;
        w *= f;
        h *= f;
    }
    const int iw = std::max(1, int(std::lround(w))), ih = std::max(1, int(std::lround(h)));
    return QRect((box.width() - iw) / 2, (box.height() - ih) / 2, iw, ih);
}

TFrameNavInfoWWLine::TFrameNavInfoWWLine(QWidget *slotPanel, TMarivoNavEnv &env,
                                         int designHeight)
    : TFrameScaled(slotPanel), Env(env), SlotPanel(slotPanel), FDesignHeight(designHeight) {
    // The line fills its slot, as wide as the block.
    if (!slotPanel->layout()) {
        auto *fill = new QVBoxLayout(slotPanel);
        fill->setContentsMargins(0, 0, 0, 0);
    }
    slotPanel->layout()->addWidget(this);
}

void TFrameNavInfoWWLine::paintEvent(QPaintEvent *) {
    // The shared colours are recoloured in place while night mode is on: read at every paint.
    const QColor text = TColorToColor(NavTextColor);
    if (palette().color(QPalette::WindowText) != text) {
        QPalette pal = palette();
        pal.setColor(QPalette::WindowText, text);
        setPalette(pal);
    }
    QPainter(this).fillRect(rect(), TColorToColor(NavPanelColor));
}

QString TFrameNavInfoWWLine::DistanceText() const { return LabelDistance ? LabelDistance->text() : QString(); }

void TFrameNavInfoWWLine::ShowDistance(double metres) {
    FDistance = metres;
    QString value, unit;
    FormatDistanceA(Env.UnitDistanceLarge, Env.UnitDistanceSmall, value, unit, metres);
    if (LabelDistance) LabelDistance->setText(value + u' ' + unit);
}

QLabel *TFrameNavInfoWWLine::MakeLabel(QWidget *parent, int pixelSize, bool elide) {
    auto *label = new QLabel(parent);
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(pixelSize);
    label->setFont(font);
    if (elide) label->setTextFormat(Qt::PlainText);
    label->setMinimumWidth(1);
    return label;
}
