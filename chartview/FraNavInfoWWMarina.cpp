#include "chartview/FraNavInfoWWMarina.h"

#include "base/graphics/KvImageList.h"
#include "base/graphics/KvNightScreen.h"
#include "base/waypoints/KvWaypoints.h"
#include "chartview/FraNavInfoWWTexts.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvWaypoints.h>

#include <QHBoxLayout>
#include <QMouseEvent>

namespace {

// The icon label raises the event through its owner; a plain label takes no clicks.
class TClickLabel : public QLabel {
public:
    using QLabel::QLabel;
    std::function<void()> OnClick;

protected:
    void mousePressEvent(QMouseEvent *event) override {
        if (event->button() == Qt::LeftButton && OnClick) OnClick();
    }
};

}  // namespace

TFrameNavInfoWWMarina::TFrameNavInfoWWMarina(QWidget *slotPanel, TMarivoNavEnv &env)
    : TFrameNavInfoWWLine(slotPanel, env, LineHeight) {
    auto *outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    ImagePanelMarina = new QWidget(this);
    outer->addWidget(ImagePanelMarina);
    auto *row = new QHBoxLayout(ImagePanelMarina);
    row->setContentsMargins(8, 8, 4, 8);
    auto *image = new TClickLabel(ImagePanelMarina);
    image->setFixedSize(32, 32);
    image->setScaledContents(true);
    TImageList symbols(32, 32);
    NavInfoWWFillSymbols(symbols, Env.ImagesFolder);
    image->setPixmap(symbols.Pixmap(NavInfoWWImage::Marina));
    image->setToolTip(LanguageText(NavInfoWWText::ClickForInfo));
    image->OnClick = [this] {
        if (FMarina && FDetails) FDetails(nullptr, nullptr, true, true, 0, FMarina, 0, 0, false);
    };
    ImageMarina = image;
    NightScreenAddImage(NightScreen(), ImageMarina);
    LabelMarina = MakeLabel(ImagePanelMarina, 16, true);
    LabelDistance = MakeLabel(ImagePanelMarina, 16, true);
    LabelDistance->setFixedWidth(75);
    LabelDistance->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    row->addWidget(ImageMarina);
    row->addSpacing(8);
    row->addWidget(LabelMarina, 1);
    row->addWidget(LabelDistance);
    setFixedHeight(LineHeight);
    slotPanel->setFixedHeight(LineHeight);
    ImagePanelMarina->hide();
    ScaleToScreen();
}

TFrameNavInfoWWMarina::~TFrameNavInfoWWMarina() { NightScreenRemoveImage(NightScreen(), ImageMarina); }

bool TFrameNavInfoWWMarina::PanelShown() const { return !ImagePanelMarina->isHidden(); }
QString TFrameNavInfoWWMarina::NameText() const { return LabelMarina->text(); }
QWidget *TFrameNavInfoWWMarina::MarinaImage() const { return ImageMarina; }

bool TFrameNavInfoWWMarina::SetMarina(IWptWaypoint *marina, double distance) {
    const bool changed = marina != FMarina;
    FMarina = marina;
    Display(distance);
    return changed;
}

void TFrameNavInfoWWMarina::Display(double distance) {
    const TGUID *guid = FMarina ? FMarina->GetGUID() : nullptr;
    if (!Env.WaypointManager || !guid || !Env.WaypointManager->HasObject(*guid)) {
        ImagePanelMarina->hide();
        return;
    }
    ImagePanelMarina->show();
    ShowDistance(distance);
    LabelMarina->setText(WptObjectGetName(FMarina));
}
