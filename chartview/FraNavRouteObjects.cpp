#include "chartview/FraNavRouteObjects.h"

#include "base/controls/KvControls.h"
#include "base/graphics/KvImageList.h"
#include "base/graphics/KvNightScreen.h"
#include "base/units/KvUnitsTime.h"
#include "base/waypoints/KvRouteNodes.h"
#include "chartview/FraNavRouteTexts.h"
#include "objectinfo/KvWWNetwork.h"
#include "shell/MarivoDraw.h"

#include <KvLibNav6/KvGraphics.h>
#include <KvLibNav6/KvPlanner.h>
#include <KvLibNav6/KvUnits.h>
#include <KvLibNav6/KvWaypoints.h>

#include <QApplication>
#include <QPainter>

std::vector<IWptRouteObject *> NavRouteOverviewRows(IWptRoute *route) {
    std::vector<IWptRouteObject *> rows;
    for (int32_t i = route ? route->GetPointCount() - 1 : -1; i >= 0; --i) {
        IWptRoutePoint *point = route->GetPoint(i);
        IWptPlanPoint *plan = point ? point->GetPlanPoint() : nullptr;
        IWptRouteObjectList *objects = plan ? plan->GetObjects() : nullptr;
        for (int32_t k = objects ? objects->GetCount() - 1 : -1; k >= 0; --k)
            if (IWptRouteObject *o = objects->GetItem(k)) rows.push_back(o);
    }
    return rows;
}

void TNavRouteObjectModel::Fill(IWptRoute *route) {
    beginResetModel();
    FRows = NavRouteOverviewRows(route);
    endResetModel();
}

IWptRouteObject *TNavRouteObjectModel::Object(int row) const {
    return row >= 0 && row < int(FRows.size()) ? FRows[size_t(row)] : nullptr;
}

int TNavRouteObjectModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(FRows.size());
}

QVariant TNavRouteObjectModel::data(const QModelIndex &index, int role) const {
    if (role == Qt::DisplayRole) return NavRouteObjectCaption(Object(index.row()));
    return {};
}

TNavRouteObjectDelegate::TNavRouteObjectDelegate(const TImageList &symbols, const TImageList &vhf, QObject *parent)
    : QStyledItemDelegate(parent), Symbols(symbols), VHF(vhf) {}

QSize TNavRouteObjectDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const {
    return {option.rect.width(), RowHeight};
}

namespace {

QColor Night(TColor c) { return TColorToColor(NightScreen()->ConvertColor(c)); }

void DrawVHFBadge(QPainter &p, const QImage &badge, const QRect &r, const QString &channel) {
    const QPoint at(r.right() - badge.width() - 2, r.top() + (r.height() - badge.height()) / 2);
    p.drawImage(at, badge);
    QFont f(QStringLiteral("Arial"));
    p.setFont(f);
    FontSizeToFit(p, channel, 20);
    p.setPen(QApplication::palette().color(QPalette::Window));
    p.drawText(QRect(at, badge.size()), Qt::AlignCenter, channel);
}

}  // namespace

void TNavRouteObjectDelegate::paint(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index) const {
    const auto *model = qobject_cast<const TNavRouteObjectModel *>(index.model());
    IWptRouteObject *o = model ? model->Object(index.row()) : nullptr;
    if (!o) return;
    const QRect r = option.rect;
    p->save();
    p->fillRect(r, o == Current ? Night(0xF3EBEB) : option.palette.color(QPalette::Base));
    p->setPen(option.palette.color(QPalette::Mid));
    p->drawLine(r.bottomLeft(), r.bottomRight());
    const QImage symbol = Symbols.Image(RouteNodeGetIconIndex(o));
    if (!symbol.isNull()) p->drawImage(QPoint(r.left() + 2, r.top() + (r.height() - symbol.height()) / 2), symbol);
    QString channel;
    if (o->GetKind() == WptRouteObjectKind::Structure && o->GetStructPassage() && o->GetStructPassage()->GetStruct())
        channel = WWStructGetVHFChannel(o->GetStructPassage()->GetStruct());
    const int left = r.left() + 38, right = r.right() - (channel.isEmpty() ? 4 : 40);
    const QColor text = option.palette.color(QPalette::WindowText);
    p->setPen(text);
    QFont caption(QStringLiteral("Tahoma"));
    caption.setPointSize(9);
    p->setFont(caption);
    const QRect top(left, r.top() + 2, right - left, r.height() / 2 - 2);
    p->drawText(top, Qt::AlignLeft | Qt::AlignVCenter,
                p->fontMetrics().elidedText(NavRouteObjectCaption(o), Qt::ElideRight, top.width()));
    QFont small = option.font;
    small.setPointSize(7);
    small.setBold(true);
    p->setFont(small);
    const double *v = o->GetValues();
    QString distance = QStringLiteral("---"), unit = UnitToStr(UnitDistanceSmall), clock = QStringLiteral("--:--");
    if (v && v[0] < 1e30) FormatDistanceA(UnitDistanceLarge, UnitDistanceSmall, distance, unit, v[0] - ShipDistance);
    if (v && v[3] > 0.0) clock = NavRouteClockText(v[3]);
    const QRect bottom(left, r.top() + r.height() / 2, right - left, r.height() / 2 - 2);
    p->drawText(bottom, Qt::AlignLeft | Qt::AlignVCenter, distance + u' ' + unit);
    p->drawText(bottom, Qt::AlignRight | Qt::AlignVCenter, clock);
    if (!channel.isEmpty())
        DrawVHFBadge(*p, VHF.Image(0).scaled(32, 32, Qt::KeepAspectRatio, Qt::SmoothTransformation), r, channel);
    p->restore();
}
