#include "routes/RoutePointRowModel.h"

#include "base/texts/KvLanguage.h"
#include "routes/RoutePointSelectTexts.h"

#include <QFont>

namespace T = RoutePointSelectText;

TRoutePointRowModel::TRoutePointRowModel(bool secondList, QObject *parent)
    : QAbstractItemModel(parent), FSecond(secondList) {}

const TNodeList *TRoutePointRowModel::Children(const QModelIndex &parent) const {
    if (!FRows) return nullptr;
    if (!parent.isValid()) return FRows;
    TNodeData *row = Row(parent);
    return row ? &row->Children : nullptr;
}

TNodeData *TRoutePointRowModel::Row(const QModelIndex &index) const {
    return index.isValid() ? static_cast<TNodeData *>(index.internalPointer()) : nullptr;
}

QModelIndex TRoutePointRowModel::IndexOf(const TNodeData *row) const {
    if (!row || !FRows) return {};
    const TNodeList &siblings = row->Parent ? row->Parent->Children : *FRows;
    for (size_t i = 0; i < siblings.size(); ++i)
        if (siblings[i].get() == row) return createIndex(int(i), 0, const_cast<TNodeData *>(row));
    return {};
}

QModelIndex TRoutePointRowModel::index(int row, int column, const QModelIndex &parent) const {
    const TNodeList *list = Children(parent);
    if (!list || row < 0 || row >= int(list->size()) || column < 0 || column >= columnCount(parent)) return {};
    return createIndex(row, column, (*list)[size_t(row)].get());
}

QModelIndex TRoutePointRowModel::parent(const QModelIndex &child) const {
    TNodeData *row = Row(child);
    return row && row->Parent ? IndexOf(row->Parent) : QModelIndex();
}

int TRoutePointRowModel::rowCount(const QModelIndex &parent) const {
    if (parent.isValid() && parent.column() != 0) return 0;
    const TNodeList *list = Children(parent);
    return list ? int(list->size()) : 0;
}

int TRoutePointRowModel::columnCount(const QModelIndex &) const { return FSecond ? 1 : ColumnCount; }

QVariant TRoutePointRowModel::data(const QModelIndex &index, int role) const {
    const TNodeData *row = Row(index);
    if (!row) return {};
    if (role == Qt::DisplayRole) {
        if (FSecond) return row->Name;
        switch (index.column()) {
        case ColName: return RowNameText(*row);
        case ColDistance: return RowDistanceText(*row, FLarge, FSmall);
        case ColType: return RowTypeText(*row);
        default: return {};
        }
    }
    if (role == Qt::FontRole && FSecond && row->Order > 0) {
        QFont bold;
        bold.setBold(true);
        return bold;
    }
    if (role == Qt::TextAlignmentRole && !FSecond && index.column() == ColDistance)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant TRoutePointRowModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    switch (section) {
    case ColName: return LanguageText(T::Name);
    case ColDistance: return LanguageText(T::Distance);
    case ColType: return LanguageText(T::Type);
    default: return {};
    }
}
