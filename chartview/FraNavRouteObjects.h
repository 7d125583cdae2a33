// The "Overview of planning" list of the route-navigation window: one 40-pixel row per
// route object of the followed route, the route's first object at the bottom so that the
// list reads upwards like the way ahead; rows drawn with the object's symbol, caption,
// distance, arrival time and VHF badge. GUI thread.
#pragma once

#include <KvLibNav6/KvTypes.h>

#include <QAbstractListModel>
#include <QStyledItemDelegate>
#include <functional>
#include <vector>

class IWptRoute;
class IWptRouteObject;
class TImageList;

// The rows of a route: points last to first, each point's objects last to first. A point
// that has no plan (the route is not planned up to it) adds no rows.
std::vector<IWptRouteObject *> NavRouteOverviewRows(IWptRoute *route);

class TNavRouteObjectModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;
    void Fill(IWptRoute *route);
    IWptRouteObject *Object(int row) const;
    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

private:
    std::vector<IWptRouteObject *> FRows;
};

// Draws a row; the window tells it the current next object (highlighted), the units and
// where the ship is along the route.
class TNavRouteObjectDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    static constexpr int RowHeight = 40;
    TNavRouteObjectDelegate(const TImageList &symbols, const TImageList &vhf, QObject *parent);
    void paint(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    IWptRouteObject *Current = nullptr;
    double ShipDistance = 0.0;  // metres along the route; the distances are what lies ahead
    int32_t UnitDistanceLarge = 0, UnitDistanceSmall = 0;

private:
    const TImageList &Symbols;
    const TImageList &VHF;
};
