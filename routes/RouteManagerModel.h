// The rows of the route manager: group rows over the routes of every waypoint database, a
// database row with a note for a writable database without routes, and the routes' check
// boxes for chart visibility. Route rows remember the route's GUID, never the object: the
// environment may replace routes while the manager is open, so every action looks the
// route up again and skips one that is gone. GUI thread only.
#pragma once

#include <KvLibNav6/KvWaypoints.h>

#include <QAbstractItemModel>
#include <QByteArray>
#include <QHash>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class TMarivoNavEnv;

// One row. RowKind: 0 note, 1 database, 2 group, 3 route.
struct TRouteNodeData {
    uint8_t RowKind = 0;
    IWptDatabase *Database = nullptr;
    QString GroupName;
    TGUID RouteGuid{};
    // What the route showed when the list was built (texts and sort keys).
    QString Name;
    TDateTime StartTime = 0.0;
    bool HasLength = false;
    double LengthM = 0.0;
    int64_t DurationS = -1;  // -1 unknown
    int32_t Points = 0;
    bool Protected = false;
    bool Checked = false;
    TRouteNodeData *Parent = nullptr;
    std::vector<std::unique_ptr<TRouteNodeData>> Children;
};

namespace RouteManagerColumn {
inline constexpr int Visible = 0, Name = 1, StartTime = 2, Length = 3, Duration = 4, Points = 5, Count = 6;
}

class TRouteManagerModel : public QAbstractItemModel {
    Q_OBJECT
public:
    enum { NodeRole = Qt::UserRole + 1 };
    TRouteManagerModel(TMarivoNavEnv &env, QObject *parent = nullptr);
    ~TRouteManagerModel() override;

    // Rebuilds every row from the databases, in the current sort order.
    void Build();
    TRouteNodeData *Node(const QModelIndex &index) const;
    QModelIndex IndexOf(const TRouteNodeData *node, int column = 0) const;
    // The route of a route row as it is now; nullptr for other rows and vanished routes.
    IWptRoute *Route(const TRouteNodeData *node) const;
    // The route row of a route GUID.
    QModelIndex FindRoute(const TGUID &guid) const;
    const std::vector<std::unique_ptr<TRouteNodeData>> &TopRows() const { return FRows; }
    // The routes of all checked route rows that still exist, in row order.
    std::vector<IWptRoute *> CheckedRoutes() const;

    int SortColumn() const { return FSortColumn; }
    Qt::SortOrder SortOrder() const { return FSortOrder; }

    // Asked before a route row is unchecked (directly or through its group); False keeps it
    // checked. A refusal is reported once per toggle, with the first route refused.
    std::function<bool(const TRouteNodeData &route)> CanHide;
    std::function<void(const TRouteNodeData &route)> OnHideRefused;
    // A route row's name was edited to this non-empty text.
    std::function<void(const TRouteNodeData &route, const QString &name)> OnRename;

    QModelIndex index(int row, int column, const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // Columns 1 to 5; column 0 is ignored.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // Texts of the cells (tests and the list).
    QString Text(const TRouteNodeData &node, int column) const;
    static Qt::CheckState GroupCheckState(const TRouteNodeData &group);

private:
    static QByteArray GuidKey(const TGUID &guid);
    void AddRoute(IWptRoute *route);
    TRouteNodeData &GroupRow(const QString &name);
    void AddEmptyDatabase(IWptDatabase *db);
    bool Less(const TRouteNodeData &a, const TRouteNodeData &b) const;
    void SortRows(std::vector<std::unique_ptr<TRouteNodeData>> &rows);
    bool SetRouteChecked(TRouteNodeData &node, bool checked);
    void RouteChanged(TRouteNodeData &node);

    TMarivoNavEnv &FEnv;
    std::vector<std::unique_ptr<TRouteNodeData>> FRows;
    int FSortColumn = RouteManagerColumn::Name;
    Qt::SortOrder FSortOrder = Qt::AscendingOrder;
    bool FGroupToggle = false;
    QHash<QByteArray, bool> FShownChecks;
};
