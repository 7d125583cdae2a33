// The item model over the rows of a location list of the route point selection dialog.
// The rows belong to the dialog; the model reads them and is reset whenever the dialog
// rebuilds them. GUI thread.
#pragma once

#include "routes/RoutePointSelectLogic.h"

#include <QAbstractItemModel>

class TRoutePointRowModel : public QAbstractItemModel {
    Q_OBJECT
public:
    enum Column { ColName, ColDistance, ColType, ColumnCount };

    // secondList: one column, rows with an Order above 0 in bold.
    TRoutePointRowModel(bool secondList, QObject *parent = nullptr);

    // rows stays the caller's; call Reset around every change of it.
    void SetRows(const TNodeList *rows) { FRows = rows; }
    void BeginReset() { beginResetModel(); }
    void EndReset() { endResetModel(); }
    void SetUnits(int32_t large, int32_t small) { FLarge = large; FSmall = small; }

    TNodeData *Row(const QModelIndex &index) const;
    QModelIndex IndexOf(const TNodeData *row) const;

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const TNodeList *Children(const QModelIndex &parent) const;
    bool FSecond;
    const TNodeList *FRows = nullptr;
    int32_t FLarge = 0, FSmall = 0;
};
