#include "chartview/FraNavInfoWWRoutePoint.h"

#include "base/graphics/KvGraphics.h"
#include "base/graphics/KvNightScreen.h"
#include "chartview/FraNavInfoWWTexts.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvPlanner.h>
#include <KvLibNav6/KvWaypoints.h>

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

namespace {
constexpr uint32_t SymbolBackRGB = 0xE6E6FE;  // the library's 0xRRGGBB order
}

TFrameNavInfoWWRoutePoint::TFrameNavInfoWWRoutePoint(QWidget *slotPanel, TMarivoNavEnv &env)
    : TFrameNavInfoWWLine(slotPanel, env, LineHeight) {
    auto *outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    ImagePanelRoutePoint = new QWidget(this);
    outer->addWidget(ImagePanelRoutePoint);
    auto *row = new QHBoxLayout(ImagePanelRoutePoint);
    row->setContentsMargins(8, 0, 4, 0);
    PaintBox = new TNavInfoPaintBox(ImagePanelRoutePoint);
    PaintBox->setFixedSize(32, 32);
    PaintBox->OnPaint = [this](QPainter &p) {
        const QRect box = PaintBox->rect();
        p.fillRect(box, QColor(QRgb(NightScreen()->ConvertRGB(SymbolBackRGB))));
        QImage symbol = FSymbol ? Bmp32ToImage(FSymbol) : QImage();
        if (symbol.isNull()) return;
        const QRect area = NavInfoFitPicture(symbol.size(), box.size());
        symbol = symbol.scaled(area.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        if (NightScreen()->IsActive()) NightScreenConvertBitmap(NightScreen(), symbol);
        p.drawImage(area.topLeft(), symbol);
    };
    auto *texts = new QVBoxLayout;
    texts->setSpacing(0);
    LabelRoutePoint = MakeLabel(ImagePanelRoutePoint, 16, true);
    LabelRoutePoint->setFixedHeight(28);
    LabelRoutePointInfo = MakeLabel(ImagePanelRoutePoint, 13, true);
    LabelRoutePointInfo->setFixedHeight(20);
    texts->addWidget(LabelRoutePoint);
    texts->addWidget(LabelRoutePointInfo);
    LabelDistance = MakeLabel(ImagePanelRoutePoint, 16, true);
    LabelDistance->setFixedWidth(75);
    LabelDistance->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    row->addWidget(PaintBox);
    row->addSpacing(8);
    row->addLayout(texts, 1);
    row->addWidget(LabelDistance);
    setFixedHeight(LineHeight);
    slotPanel->setFixedHeight(LineHeight);
    ImagePanelRoutePoint->hide();
    ScaleToScreen();
}

QString TFrameNavInfoWWRoutePoint::TitleText() const { return LabelRoutePoint->text(); }
QString TFrameNavInfoWWRoutePoint::InfoText() const { return LabelRoutePointInfo->text(); }
bool TFrameNavInfoWWRoutePoint::PanelShown() const { return !ImagePanelRoutePoint->isHidden(); }

bool TFrameNavInfoWWRoutePoint::SetRoutePoint(IWptPlanPoint *point, IWptRoute *route,
                                              double distance) {
    FStopMode = false;
    FFirst = FSecond = nullptr;
    const bool changed = point != FPoint;
    FPoint = point;
    FRoute = route;
    if (Env.WaypointManager && point && route) {
        IWptRoutePoint *rp = route->GetPoint(point->GetIndex());
        IWptWaypoint *wp = rp ? rp->GetWaypoint() : nullptr;
        IBmp32 *symbol = wp ? wp->GetIcon() : nullptr;
        if (symbol != FSymbol) {
            FSymbol = symbol;
            PaintBox->update();
        }
    }
    Display(distance);
    return changed;
}

bool TFrameNavInfoWWRoutePoint::SetStop(IWptRouteTimePoint *first, IWptRouteTimePoint *second,
                                        double distance, IWptRoute *route) {
    const bool showedStop = FStopMode && FFirst;
    const bool changed = !showedStop || first != FFirst || second != FSecond;
    FStopMode = true;
    FPoint = nullptr;
    // Both moments are kept every time: a later departure at the same arrival must show.
    FFirst = first;
    FSecond = second;
    FRoute = route;
    if (Env.WaypointManager && first && route) FSymbol = nullptr;
    Display(distance);
    return changed && (first != nullptr || showedStop);
}

void TFrameNavInfoWWRoutePoint::Display(double distance) {
    if (!Env.WaypointManager || (!FPoint && !FFirst)) {
        ImagePanelRoutePoint->hide();
        return;
    }
    ShowDistance(distance);
    ImagePanelRoutePoint->show();
    if (!FStopMode) {
        LabelRoutePoint->setText(RoutePointTitle(FPoint, FRoute));
        LabelRoutePointInfo->setText(ArrivalDepartureText(FPoint->GetArrival(), FPoint->GetDeparture()));
    } else {
        LabelRoutePoint->setText(LanguageText(NavInfoWWText::SailingStop));
        // Never the moments of whatever the line showed before.
        LabelRoutePointInfo->setText(ArrivalDepartureText(FFirst, FSecond));
    }
    PaintBox->update();
}
