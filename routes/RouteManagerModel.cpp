#include "routes/RouteManagerModel.h"

#include "base/strings/KvFormatSettings.h"
#include "base/strings/KvStrUtils.h"
#include "base/texts/KvLanguage.h"
#include "base/units/KvUnitsTime.h"
#include "base/waypoints/KvWaypoints.h"
#include "routes/RouteManagerTexts.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvPlanner.h>
#include <KvLibNav6/KvUnits.h>

#include <QFont>
#include <algorithm>
#include <cstring>

namespace {

namespace C = RouteManagerColumn;

// Whole seconds from the start to the arrival at the last point; -1 when not planned.
int64_t RouteDuration(IWptRoute *route) {
    IWptRoutePoint *last = route->GetPointCount() > 0 ? route->GetLastPoint() : nullptr;
    IWptPlanPoint *plan = last ? last->GetPlanPoint() : nullptr;
    IWptRouteTimePoint *arrival = plan ? plan->GetArrival() : nullptr;
    const TTimePointData *d = arrival ? arrival->GetData() : nullptr;
    if (!d) return -1;
    return int64_t((d->TimeUTC - route->GetStartTime()) * 86400.0);
}

QString DurationText(int64_t seconds) {
    if (seconds < 0) return QStringLiteral("---");
    const int32_t parts = seconds > 86400 ? KvDuration::Days | KvDuration::Hours | KvDuration::Minutes
                                          : KvDuration::Hours | KvDuration::Minutes;
    return DurationToStr(seconds, parts, false, LanguageText(RouteManagerText::SuffixDay),
                         LanguageText(RouteManagerText::SuffixHour), LanguageText(RouteManagerText::SuffixMinute),
                         LanguageText(RouteManagerText::SuffixSecond));
}

template <typename T>
int Compare(T a, T b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

}  // namespace

TRouteManagerModel::TRouteManagerModel(TMarivoNavEnv &env, QObject *parent)
    : QAbstractItemModel(parent), FEnv(env) {}

TRouteManagerModel::~TRouteManagerModel() = default;

// ---- Building ----------------------------------------------------------------------------

QByteArray TRouteManagerModel::GuidKey(const TGUID &guid) {
    return QByteArray(reinterpret_cast<const char *>(&guid), sizeof(TGUID));
}

void TRouteManagerModel::Build() {
    beginResetModel();
    // Boxes the user changed stay as they are when the list is built again (after a copy,
    // a regrouping or a deletion); only new rows take the environment's visibility.
    FShownChecks.clear();
    for (const auto &row : FRows)
        for (const auto &child : row->Children)
            if (child->RowKind == 3) FShownChecks.insert(GuidKey(child->RouteGuid), child->Checked);
    FRows.clear();
    IWptManager *m = FEnv.WaypointManager;
    for (int32_t i = m ? m->GetDatabaseCount() - 1 : -1; i >= 0; --i) {
        IWptDatabase *db = m->GetDatabase(i);
        if (db->GetRouteCount() == 0) {
            if (!db->IsProtected()) AddEmptyDatabase(db);
            continue;
        }
        for (int32_t j = db->GetRouteCount() - 1; j >= 0; --j) AddRoute(db->GetRoute(j));
    }
    SortRows(FRows);
    endResetModel();
}

TRouteNodeData &TRouteManagerModel::GroupRow(const QString &name) {
    for (auto &row : FRows)
        if (row->RowKind == 2 && row->GroupName == name) return *row;
    auto group = std::make_unique<TRouteNodeData>();
    group->RowKind = 2;
    group->GroupName = name;
    FRows.push_back(std::move(group));
    return *FRows.back();
}

void TRouteManagerModel::AddRoute(IWptRoute *route) {
    TRouteNodeData &group = GroupRow(WptRouteGetGroupName(route));
    auto node = std::make_unique<TRouteNodeData>();
    node->RowKind = 3;
    node->Parent = &group;
    node->Database = route->GetDatabase();
    node->RouteGuid = *route->GetGUID();
    node->Name = WptObjectGetName(route);
    node->StartTime = route->GetStartTime();
    node->HasLength = route->GetLength(node->LengthM);
    if (!node->HasLength) node->LengthM = 0.0;
    node->DurationS = RouteDuration(route);
    node->Points = route->GetPointCount();
    node->Protected = route->IsProtected();
    const auto shown = FShownChecks.constFind(GuidKey(node->RouteGuid));
    int32_t index = -1;
    node->Checked = shown != FShownChecks.cend() ? *shown : FEnv.RouteList && FEnv.RouteList->Find(route, index);
    group.Children.push_back(std::move(node));
}

void TRouteManagerModel::AddEmptyDatabase(IWptDatabase *db) {
    auto row = std::make_unique<TRouteNodeData>();
    row->RowKind = 1;
    row->Database = db;
    auto note = std::make_unique<TRouteNodeData>();
    note->RowKind = 0;
    note->Database = db;
    note->Parent = row.get();
    row->Children.push_back(std::move(note));
    FRows.push_back(std::move(row));
}

// ---- Lookup -----------------------------------------------------------------------------

TRouteNodeData *TRouteManagerModel::Node(const QModelIndex &index) const {
    return index.isValid() ? static_cast<TRouteNodeData *>(index.internalPointer()) : nullptr;
}

QModelIndex TRouteManagerModel::IndexOf(const TRouteNodeData *node, int column) const {
    if (!node) return {};
    const auto &siblings = node->Parent ? node->Parent->Children : FRows;
    for (size_t i = 0; i < siblings.size(); ++i)
        if (siblings[i].get() == node) return createIndex(int(i), column, const_cast<TRouteNodeData *>(node));
    return {};
}

IWptRoute *TRouteManagerModel::Route(const TRouteNodeData *node) const {
    if (!node || node->RowKind != 3 || !FEnv.WaypointManager) return nullptr;
    int32_t index = -1;
    if (!FEnv.WaypointManager->FindRoute(node->RouteGuid, index)) return nullptr;
    return FEnv.WaypointManager->GetRoute(index);
}

QModelIndex TRouteManagerModel::FindRoute(const TGUID &guid) const {
    for (const auto &row : FRows)
        for (const auto &child : row->Children)
            if (child->RowKind == 3 && child->RouteGuid == guid) return IndexOf(child.get());
    return {};
}

std::vector<IWptRoute *> TRouteManagerModel::CheckedRoutes() const {
    std::vector<IWptRoute *> routes;
    IWptManager *m = FEnv.WaypointManager;
    if (!m) return routes;
    // One pass over the manager instead of one search per row: the list may be long.
    QHash<QByteArray, IWptRoute *> byGuid;
    for (int32_t i = 0; i < m->GetRouteCount(); ++i) {
        IWptRoute *r = m->GetRoute(i);
        byGuid.insert(GuidKey(*r->GetGUID()), r);
    }
    for (const auto &row : FRows)
        for (const auto &child : row->Children) {
            if (child->RowKind != 3 || !child->Checked) continue;
            IWptRoute *r = byGuid.value(GuidKey(child->RouteGuid));
            if (r) routes.push_back(r);
        }
    return routes;
}

// ---- Texts ------------------------------------------------------------------------------

QString TRouteManagerModel::Text(const TRouteNodeData &node, int column) const {
    switch (node.RowKind) {
    case 0:
        return column == C::Name ? LanguageText(RouteManagerText::NoRoutes) : QString();
    case 1:
        if (column != C::Name) return {};
        return node.Database == FEnv.UserDatabase ? LanguageText(RouteManagerText::UserDatabase)
                                                  : WptDatabaseGetTitle(node.Database);
    case 2:
        if (column != C::Name) return {};
        return node.GroupName.isEmpty() ? LanguageText(RouteManagerText::Ungrouped) : node.GroupName;
    default:
        break;
    }
    switch (column) {
    case C::Name:
        return node.Name;
    case C::StartTime:
        return FormatDateTime(QStringLiteral("ddddd t"), 1, GetLocalDateTime(node.StartTime));
    case C::Length: {
        if (!node.HasLength) return QStringLiteral("---");
        const double v = UnitConvert(node.LengthM, KvUnit::Metre, FEnv.UnitDistanceLarge);
        QString number = QString::number(v, 'f', 2);
        number.replace(u'.', LocaleFormatSettings().DecimalSeparator);
        return number + u' ' + UnitToStr(FEnv.UnitDistanceLarge);
    }
    case C::Duration:
        return DurationText(node.DurationS);
    case C::Points:
        return QString::number(node.Points);
    default:
        return {};
    }
}

Qt::CheckState TRouteManagerModel::GroupCheckState(const TRouteNodeData &group) {
    int checked = 0;
    for (const auto &c : group.Children) checked += c->Checked ? 1 : 0;
    if (checked == 0) return Qt::Unchecked;
    return checked == int(group.Children.size()) ? Qt::Checked : Qt::PartiallyChecked;
}

// ---- Model ------------------------------------------------------------------------------

QModelIndex TRouteManagerModel::index(int row, int column, const QModelIndex &parent) const {
    if (column < 0 || column >= C::Count || row < 0) return {};
    const TRouteNodeData *p = Node(parent);
    const auto &rows = p ? p->Children : FRows;
    if (row >= int(rows.size())) return {};
    return createIndex(row, column, rows[size_t(row)].get());
}

QModelIndex TRouteManagerModel::parent(const QModelIndex &child) const {
    const TRouteNodeData *n = Node(child);
    return n && n->Parent ? IndexOf(n->Parent) : QModelIndex();
}

int TRouteManagerModel::rowCount(const QModelIndex &parent) const {
    if (parent.isValid() && parent.column() != 0) return 0;
    const TRouteNodeData *p = Node(parent);
    return int(p ? p->Children.size() : FRows.size());
}

int TRouteManagerModel::columnCount(const QModelIndex &) const { return C::Count; }

QVariant TRouteManagerModel::data(const QModelIndex &index, int role) const {
    const TRouteNodeData *n = Node(index);
    if (!n) return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return Text(*n, index.column());
    case Qt::CheckStateRole:
        if (index.column() != C::Visible) return {};
        if (n->RowKind == 2) return GroupCheckState(*n);
        if (n->RowKind == 3) return n->Checked ? Qt::Checked : Qt::Unchecked;
        return {};
    case Qt::TextAlignmentRole:
        if (index.column() == C::Visible) return int(Qt::AlignCenter);
        if (index.column() >= C::StartTime && n->RowKind == 3)
            return int(index.column() == C::StartTime ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    case NodeRole:
        return QVariant::fromValue(static_cast<void *>(const_cast<TRouteNodeData *>(n)));
    default:
        return {};
    }
}

bool TRouteManagerModel::SetRouteChecked(TRouteNodeData &node, bool checked) {
    if (node.Checked == checked) return true;
    if (!checked && CanHide && !CanHide(node)) return false;
    node.Checked = checked;
    RouteChanged(node);
    return true;
}

void TRouteManagerModel::RouteChanged(TRouteNodeData &node) {
    const QModelIndex i = IndexOf(&node, C::Visible);
    emit dataChanged(i, i, {Qt::CheckStateRole});
    if (node.Parent && !FGroupToggle) {
        const QModelIndex g = IndexOf(node.Parent, C::Visible);
        emit dataChanged(g, g, {Qt::CheckStateRole});
    }
}

bool TRouteManagerModel::setData(const QModelIndex &index, const QVariant &value, int role) {
    TRouteNodeData *n = Node(index);
    if (!n) return false;
    if (role == Qt::CheckStateRole && index.column() == C::Visible) {
        const bool checked = value.value<Qt::CheckState>() != Qt::Unchecked;
        if (n->RowKind == 3) {
            if (SetRouteChecked(*n, checked)) return true;
            if (OnHideRefused) OnHideRefused(*n);
            return false;
        }
        if (n->RowKind != 2) return false;
        // The group drives its routes; a route that may not be hidden stays checked, and
        // its refusal is shown once.
        FGroupToggle = true;
        const TRouteNodeData *refused = nullptr;
        for (auto &c : n->Children)
            if (!SetRouteChecked(*c, checked) && !refused) refused = c.get();
        FGroupToggle = false;
        emit dataChanged(index, index, {Qt::CheckStateRole});
        if (refused && OnHideRefused) OnHideRefused(*refused);
        return true;
    }
    if (role == Qt::EditRole && index.column() == C::Name && n->RowKind == 3) {
        const QString text = value.toString();
        if (text.isEmpty() || text == n->Name) return false;
        if (OnRename) OnRename(*n, text);
        IWptRoute *r = Route(n);
        if (r) n->Name = WptObjectGetName(r);
        emit dataChanged(index, index);
        return true;
    }
    return false;
}

Qt::ItemFlags TRouteManagerModel::flags(const QModelIndex &index) const {
    const TRouteNodeData *n = Node(index);
    if (!n) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled;
    if (n->RowKind == 3) f |= Qt::ItemIsSelectable;
    if (index.column() == C::Visible && (n->RowKind == 2 || n->RowKind == 3)) f |= Qt::ItemIsUserCheckable;
    if (index.column() == C::Name && n->RowKind == 3) f |= Qt::ItemIsEditable;
    return f;
}

QVariant TRouteManagerModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) return {};
    if (role == Qt::DisplayRole) return RouteManagerColumnTitle(section);
    if (role == Qt::TextAlignmentRole)
        return int(section >= C::Length ? Qt::AlignRight | Qt::AlignVCenter
                                        : (section == C::Visible ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter));
    return {};
}

// ---- Order ------------------------------------------------------------------------------

bool TRouteManagerModel::Less(const TRouteNodeData &a, const TRouteNodeData &b) const {
    const bool asc = FSortOrder == Qt::AscendingOrder;
    int c = 0;
    if (a.RowKind == 3 && b.RowKind == 3) {
        switch (FSortColumn) {
        case C::StartTime: c = Compare(a.StartTime, b.StartTime); break;
        case C::Length: c = Compare(a.LengthM, b.LengthM); break;
        case C::Duration: c = Compare(std::max<int64_t>(a.DurationS, 0), std::max<int64_t>(b.DurationS, 0)); break;
        case C::Points: c = Compare(a.Points, b.Points); break;
        default: c = StrCompareByTrailingNumberA(a.Name, b.Name); break;
        }
    } else if (a.RowKind == 2 && b.RowKind == 2) {
        c = Compare(a.GroupName, b.GroupName);
    } else if (a.RowKind == 1 && b.RowKind == 1) {
        // The user database leads in ascending order and trails in descending order.
        const bool ua = a.Database == FEnv.UserDatabase, ub = b.Database == FEnv.UserDatabase;
        if (ua != ub) c = ua ? -1 : 1;
        else c = StrCompareByTrailingNumberI(WptDatabaseGetTitle(a.Database), WptDatabaseGetTitle(b.Database));
    } else if (a.RowKind == 1 || b.RowKind == 1) {
        // Database rows after the groups, whatever the direction.
        return b.RowKind == 1;
    }
    return asc ? c < 0 : c > 0;
}

void TRouteManagerModel::SortRows(std::vector<std::unique_ptr<TRouteNodeData>> &rows) {
    std::stable_sort(rows.begin(), rows.end(), [this](const auto &a, const auto &b) { return Less(*a, *b); });
    for (auto &r : rows)
        if (!r->Children.empty()) SortRows(r->Children);
}

void TRouteManagerModel::sort(int column, Qt::SortOrder order) {
    if (column <= C::Visible || column >= C::Count) return;
    emit layoutAboutToBeChanged();
    const QModelIndexList before = persistentIndexList();
    std::vector<std::pair<TRouteNodeData *, int>> where;
    for (const QModelIndex &i : before) where.emplace_back(Node(i), i.column());
    FSortColumn = column;
    FSortOrder = order;
    SortRows(FRows);
    QModelIndexList after;
    for (const auto &[node, col] : where) after << IndexOf(node, col);
    changePersistentIndexList(before, after);
    emit layoutChanged();
}
