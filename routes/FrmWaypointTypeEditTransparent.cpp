#include "routes/FrmWaypointTypeEditTransparent.h"

#include "base/graphics/KvGraphics.h"
#include "base/texts/KvStr.h"
#include "routes/DialogParts.h"
#include "routes/WaypointTypeTexts.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

namespace {

namespace T = WaypointTypeText;

TFormWaypointTypeEditTransparent::TPrompter &Prompter() {
    static TFormWaypointTypeEditTransparent::TPrompter prompter;
    return prompter;
}

}  // namespace

TFormWaypointTypeEditTransparent::TFormWaypointTypeEditTransparent(IBmp32 *bitmap, int32_t colour, QWidget *owner)
    : QDialog(owner), FBitmap(bitmap), FColour(colour) {
    setObjectName(QStringLiteral("FormWaypointTypeEditTransparent"));
    setWindowTitle(LanguageText(T::TransparentCaption));
    LabelHint = new QLabel(LanguageText(T::TransparentHint), this);
    CheckUseTransparent = new QCheckBox(LanguageText(T::UseTransparent), this);
    CheckUseTransparent->setChecked(colour >= 0);
    const int w = bitmap ? bitmap->GetWidth() : 0, h = bitmap ? bitmap->GetHeight() : 0;
    PaintBoxLarge = new QWidget(this);
    PaintBoxLarge->setFixedSize(std::max(64, w * 4 + 8), std::max(64, h * 4 + 8));
    PaintBoxSmall = new QWidget(this);
    PaintBoxSmall->setFixedSize(std::max(24, w + 8), std::max(24, h + 8));
    for (QWidget *box : {PaintBoxLarge, PaintBoxSmall}) box->installEventFilter(this);
    ShapeColor = NewColorSwatch(this);
    ButtonHelp = new QPushButton(LanguageText(KvStr::BtnHelp), this);
    ButtonOk = new QPushButton(LanguageText(KvStr::BtnOK), this);
    ButtonCancel = new QPushButton(LanguageText(KvStr::BtnCancel), this);
    ButtonOk->setDefault(true);
    auto *pictures = new QHBoxLayout;
    pictures->addWidget(PaintBoxLarge);
    auto *side = new QVBoxLayout;
    side->addWidget(PaintBoxSmall);
    side->addWidget(ShapeColor);
    side->addStretch(1);
    pictures->addLayout(side);
    pictures->addStretch(1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(ButtonHelp);
    buttons->addStretch(1);
    buttons->addWidget(ButtonOk);
    buttons->addWidget(ButtonCancel);
    auto *main = new QVBoxLayout(this);
    main->addWidget(LabelHint);
    main->addWidget(CheckUseTransparent);
    main->addLayout(pictures);
    main->addLayout(buttons);
    connect(CheckUseTransparent, &QCheckBox::toggled, this, [this](bool on) {
        if (on && FColour < 0) Pick(0, 0);
        Apply();
    });
    connect(ButtonOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    Apply();
}

bool TFormWaypointTypeEditTransparent::PixelAt(int pictureWidth, int pictureHeight, int bitmapWidth, int bitmapHeight,
                                               int zoom, int x, int y, int &column, int &row) {
    column = int(std::lround((x - 0.5 - ((pictureWidth - bitmapWidth * zoom) / 2.0 - 0.5)) / zoom - 0.5));
    row = int(std::lround((y - 0.5 - ((pictureHeight - bitmapHeight * zoom) / 2.0 - 0.5)) / zoom - 0.5));
    return column >= 0 && row >= 0 && column < bitmapWidth && row < bitmapHeight;
}

void TFormWaypointTypeEditTransparent::Pick(int column, int row) {
    const uint8_t *line = FBitmap ? FBitmap->GetRow(row) : nullptr;
    if (!line || column < 0 || column >= FBitmap->GetWidth()) return;
    const uint8_t *px = line + 4 * column;
    FColour = int32_t((uint32_t(px[2]) << 16) | (uint32_t(px[1]) << 8) | px[0]);
    Apply();
}

// Pixels of the chosen colour transparent, all others opaque; everything opaque without.
void TFormWaypointTypeEditTransparent::Apply() {
    SetSwatchColor(ShapeColor, FColour >= 0 ? QColor::fromRgb(QRgb(FColour)) : palette().color(QPalette::Window));
    if (FBitmap) {
        if (CheckUseTransparent->isChecked() && FColour >= 0)
            FBitmap->SetColorAlpha(0, 255, uint32_t(FColour));
        else
            FBitmap->SetAlpha(255);
    }
    PaintBoxLarge->update();
    PaintBoxSmall->update();
}

bool TFormWaypointTypeEditTransparent::eventFilter(QObject *watched, QEvent *e) {
    auto *box = qobject_cast<QWidget *>(watched);
    if (!FBitmap || (box != PaintBoxLarge && box != PaintBoxSmall)) return QDialog::eventFilter(watched, e);
    const int zoom = box == PaintBoxLarge ? 4 : 1;
    const int w = FBitmap->GetWidth(), h = FBitmap->GetHeight();
    if (e->type() == QEvent::Paint) {
        QPainter p(box);
        PaintCheckerboard(p, box->rect());
        const QImage image = Bmp32ToImage(FBitmap).scaled(w * zoom, h * zoom);
        p.drawImage((box->width() - w * zoom) / 2, (box->height() - h * zoom) / 2, image);
        return true;
    }
    if (e->type() == QEvent::MouseButtonRelease) {
        const QPoint pos = static_cast<QMouseEvent *>(e)->position().toPoint();
        int column = 0, row = 0;
        if (PixelAt(box->width(), box->height(), w, h, zoom, pos.x(), pos.y(), column, row)) Pick(column, row);
        return true;
    }
    return QDialog::eventFilter(watched, e);
}

TFormWaypointTypeEditTransparent::TPrompter TFormWaypointTypeEditTransparent::SetPrompter(TPrompter prompter) {
    return std::exchange(Prompter(), std::move(prompter));
}

bool TFormWaypointTypeEditTransparent::Execute(IBmp32 *bitmap, int32_t &colour, QWidget *owner) {
    TFormWaypointTypeEditTransparent form(bitmap, colour, owner);
    const int result = Prompter() ? Prompter()(form) : form.exec();
    if (result != QDialog::Accepted) return false;
    colour = form.CheckUseTransparent->isChecked() ? form.Colour() : -1;
    return true;
}
