#include "chartview/FraNavInfoWWDirection.h"

#include "base/graphics/KvImageList.h"
#include "base/graphics/KvNightScreen.h"
#include "base/waypoints/KvRouteNodes.h"
#include "objectinfo/KvWWNetwork.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvPlanner.h>

#include <QHBoxLayout>
#include <QPainter>

TFrameNavInfoWWDirection::TFrameNavInfoWWDirection(QWidget *slotPanel, TMarivoNavEnv &env)
    : TFrameNavInfoWWLine(slotPanel, env, LineHeight), FTurns(new TImageList(32, 32, this)) {
    NavInfoWWFillTurns(*FTurns, Env.ImagesFolder);
    NightScreenAddImageList(NightScreen(), FTurns);
    auto *outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    ImagePanelDirection = new QWidget(this);
    outer->addWidget(ImagePanelDirection);
    auto *row = new QHBoxLayout(ImagePanelDirection);
    row->setContentsMargins(8, 8, 4, 8);
    PaintBoxDirection = new TNavInfoPaintBox(ImagePanelDirection);
    PaintBoxDirection->setFixedSize(32, 32);
    PaintBoxDirection->OnPaint = [this](QPainter &p) {
        const QImage symbol = FTurns->Image(FSymbol);
        if (!symbol.isNull())
            p.drawImage(QPoint((PaintBoxDirection->width() - symbol.width()) / 2,
                               (PaintBoxDirection->height() - symbol.height()) / 2),
                        symbol);
    };
    LabelDirection = MakeLabel(ImagePanelDirection, 16, true);
    LabelDistance = MakeLabel(ImagePanelDirection, 16, true);
    LabelDistance->setFixedWidth(75);
    LabelDistance->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    row->addWidget(PaintBoxDirection);
    row->addSpacing(8);
    row->addWidget(LabelDirection, 1);
    row->addWidget(LabelDistance);
    setFixedHeight(LineHeight);
    slotPanel->setFixedHeight(LineHeight);
    ImagePanelDirection->hide();
    ScaleToScreen();
}

TFrameNavInfoWWDirection::~TFrameNavInfoWWDirection() {
    NightScreenRemoveImageList(NightScreen(), FTurns);
}

QString TFrameNavInfoWWDirection::NameText() const { return LabelDirection->text(); }

bool TFrameNavInfoWWDirection::SetDirection(IWptRouteObject *object, double distance) {
    const int old = FSymbol;
    FSymbol = object ? RouteNodeGetIconIndex(object) : -1;
    FName.clear();
    IWptRouteLeg *leg = object ? object->GetLeg() : nullptr;
    IWWSection *section = leg ? leg->GetSection() : nullptr;
    if (IWWFairwayPart *part = section ? section->GetFairwayPart() : nullptr)
        FName = WWFairwayPartGetName(part);
    if (FSymbol < 0) {
        ImagePanelDirection->hide();
    } else {
        ImagePanelDirection->show();
        ShowDistance(distance);
        LabelDirection->setText(FName);
        PaintBoxDirection->update();
    }
    return FSymbol != old;
}
