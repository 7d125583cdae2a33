// The group filter of the waypoint picker: a check tree of waypoint databases and their
// groups; the ticked groups decide which waypoints the picker offers. Built over a waypoint
// manager (all its databases) or over one database. GUI thread only.
#pragma once

#include "base/forms/KvFrameScaled.h"
#include "base/kvlib/KvLib.h"
#include "exchange/FraDataSelectItems.h"

#include <KvLibNav6/KvWaypoints.h>

#include <QAbstractItemModel>
#include <QTreeView>
#include <functional>
#include <memory>
#include <vector>

// One row: a database row (Group nil), a group row or the "no groups" row (both nil).
struct TDataFilterRow {
    IWptDatabase *Database = nullptr;
    IWptWaypointGroup *Group = nullptr;
    int Count = 0;
    TDataFilterRow *Parent = nullptr;
    int Row = 0;
    Qt::CheckState State = Qt::Unchecked;
    std::vector<std::unique_ptr<TDataFilterRow>> Children;
};

class TFrameDataFilter;

class TDataFilterModel : public QAbstractItemModel {
    Q_OBJECT
public:
    explicit TDataFilterModel(TFrameDataFilter *frame);

    void Reset(std::vector<std::unique_ptr<TDataFilterRow>> rows);
    TDataFilterRow *Row(const QModelIndex &index) const;
    QModelIndex IndexOf(const TDataFilterRow *row, int column = 0) const;
    // Puts the group rows under a database row into or out of the filter with it.
    void SetDatabaseState(TDataFilterRow *database, Qt::CheckState state);

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

private:
    void SortRows();
    const std::vector<std::unique_ptr<TDataFilterRow>> &Rows(const TDataFilterRow *parent) const;

    TFrameDataFilter *FFrame;
    Qt::SortOrder FOrder = Qt::AscendingOrder;
    std::vector<std::unique_ptr<TDataFilterRow>> FRoots;
};

class TDataFilterTree : public TGroupButtonTree {
    Q_OBJECT
public:
    using TGroupButtonTree::TGroupButtonTree;

protected:
    // A click on a row's label toggles its check box as well.
    void RowMouseRelease(QMouseEvent *event) override;
};

class TFrameDataFilter : public TFrameScaled {
    Q_OBJECT
public:
    // Exactly one of manager and database is set.
    TFrameDataFilter(IWptManager *manager, IWptDatabase *database, IWptDatabase *currentDatabase,
                     const QString &currentDatabaseCaption, QWidget *parent = nullptr);

    // Clears the list and fills it with the waypoints of the ticked groups.
    void GetWaypoints(IWptWaypointList *list);
    void SetCurrentDatabase(IWptDatabase *database);
    void SetCurrentDatabaseCaption(const QString &text);
    void Update();
    void Rebuild();
    void UpdateTexts();

    // Fired after every change of a check box by the user (sender: the filter).
    std::function<void(TFrameDataFilter *sender)> OnChange;

    TDataFilterTree *ListView;
    TDataFilterModel *Model() const { return FModel; }
    IWptWaypointGroupList *CheckedGroups() const { return FCheckedGroups.get(); }
    IWptDatabase *CurrentDatabase() const { return FCurrentDatabase; }
    QString DatabaseCaption(IWptDatabase *database) const;
    bool IsManagerVariant() const { return FManager != nullptr; }
    QString GroupColumnCaption() const { return FGroupCaption; }

    // Called by the model after the user ticked or unticked a row.
    void Changed();
    void SetGroupChecked(IWptWaypointGroup *group, bool checked);

private:
    void InitCheckedGroups();
    IWptManager *Manager() const;
    std::unique_ptr<TDataFilterRow> DatabaseRow(IWptDatabase *db);
    std::unique_ptr<TDataFilterRow> GroupRow(IWptWaypointGroup *group);

    IWptManager *FManager;
    IWptDatabase *FDatabase;
    IWptDatabase *FCurrentDatabase;
    QString FCurrentDatabaseCaption;
    QString FGroupCaption;
    TNavPtr<IWptWaypointGroupList> FCheckedGroups;
    TDataFilterModel *FModel;
};

// The check state of a database row from its group rows: none, all or some ticked.
Qt::CheckState DataFilterDatabaseState(const TDataFilterRow &database);
