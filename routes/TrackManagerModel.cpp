#include "routes/TrackManagerModel.h"

#include "base/files/KvFiles.h"
#include "base/kvlib/KvErrors.h"
#include "base/strings/KvFormatSettings.h"
#include "base/strings/KvStrUtils.h"
#include "base/units/KvUnitsTime.h"
#include "base/waypoints/KvWaypoints.h"
#include "routes/RouteManagerTexts.h"
#include "routes/TrackManagerTexts.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvTracks.h>
#include <KvLibNav6/KvUnits.h>

#include <QFileInfo>
#include <algorithm>
#include <cmath>

namespace {

namespace C = TrackColumn;
namespace T = TrackManagerText;

template <typename V>
int Compare(V a, V b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

}  // namespace

int TrackListIndexOf(TMarivoNavEnv &env, const QString &file) {
    INavTrackList *list = env.TrackList;
    for (int32_t i = list ? list->GetCount() - 1 : -1; i >= 0; --i)
        if (NavTrackGetFileName(static_cast<INavTrack *>(list->GetItem(i))).compare(file, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

TTrackManagerModel::TTrackManagerModel(TMarivoNavEnv &env, QObject *parent) : QAbstractTableModel(parent), FEnv(env) {}

std::unique_ptr<TTrackNodeData> TTrackManagerModel::ReadRow(const QString &file) const {
    auto node = std::make_unique<TTrackNodeData>();
    TTrackFileInfo info;
    int32_t err = 0;
    NavTrackGetFileInfo(file, info, err);
    node->FileName = file;
    node->Error = err;
    node->Name = info.Name;
    node->HasTimes = info.HasTimes;
    node->StartTime = info.Start;
    node->EndTime = info.End;
    node->PointCount = info.PointCount;
    node->Distance = info.DistanceM;
    // The header's colour has red in the low byte, as the viewer draws it: a palette colour.
    node->Color = TColor(info.Colour & 0xFFFFFFu);
    node->Width = info.Width;
    node->Duration = std::llround(std::fabs(info.End - info.Start) * 86400.0);
    node->AverageSpeed = node->Duration > 0 && node->Distance > 0 ? node->Distance / double(node->Duration) : 0.0;
    node->Checked = err == 0 && TrackListIndexOf(FEnv, file) >= 0;
    return node;
}

void TTrackManagerModel::Fill(const QString &recording) {
    beginResetModel();
    FRows.clear();
    QStringList files;
    FindFilesA(FEnv.TracksFolder, QStringLiteral("*.trk"), false, files);
    for (int i = int(files.size()) - 1; i >= 0; --i)
        if (files[i].compare(recording, Qt::CaseInsensitive) != 0) FRows.push_back(ReadRow(files[i]));
    std::stable_sort(FRows.begin(), FRows.end(), [this](const auto &a, const auto &b) { return Less(*a, *b); });
    endResetModel();
}

TTrackNodeData *TTrackManagerModel::Row(int row) const {
    return row >= 0 && row < int(FRows.size()) ? FRows[size_t(row)].get() : nullptr;
}

int TTrackManagerModel::RowOf(const TTrackNodeData *node) const {
    for (size_t i = 0; i < FRows.size(); ++i)
        if (FRows[i].get() == node) return int(i);
    return -1;
}

void TTrackManagerModel::RemoveRows(const std::vector<TTrackNodeData *> &nodes) {
    for (TTrackNodeData *n : nodes) {
        const int row = RowOf(n);
        if (row < 0) continue;
        beginRemoveRows({}, row, row);
        FRows.erase(FRows.begin() + row);
        endRemoveRows();
    }
}

void TTrackManagerModel::RowChanged(const TTrackNodeData *node) {
    const int row = RowOf(node);
    if (row >= 0) emit dataChanged(index(row, 0), index(row, C::Count - 1));
}

QString TTrackManagerModel::Text(const TTrackNodeData &n, int column) const {
    const QString unknown = QStringLiteral("---");
    switch (column) {
    case C::Name:
        return n.Name.isEmpty() ? QFileInfo(n.FileName).fileName() : n.Name;
    case C::StartTime:
        if (n.Error != 0) return ErrorToStrA(n.Error);
        if (!n.HasTimes) return unknown;
        if (n.PointCount <= 0) return LanguageText(T::EmptyTrack);
        return FormatDateTime(QStringLiteral("yyyy-mm-dd hh:nn:ss"), 1, GetLocalDateTime(n.StartTime));
    case C::Duration:
        if (n.Error != 0) return {};
        if (!n.HasTimes) return unknown;
        return DurationToStr(n.Duration, KvDuration::Days | KvDuration::Hours | KvDuration::Minutes | 1, false,
                             LanguageText(T::SuffixDay), LanguageText(T::SuffixHour), LanguageText(T::SuffixMinute),
                             LanguageText(T::SuffixSecond));
    case C::Distance: {
        if (n.Error != 0) return {};
        if (n.Distance < 0) return unknown;
        QString value, unit;
        FormatDistanceA(FEnv.UnitDistanceLarge, FEnv.UnitDistanceSmall, value, unit, n.Distance);
        return value + u' ' + unit;
    }
    case C::Speed: {
        if (n.Error != 0) return {};
        if (n.Distance < 0) return unknown;
        QString number = QString::number(UnitConvert(n.AverageSpeed, KvUnit::MetrePerSecond, FEnv.UnitSpeed), 'f', 1);
        number.replace(u'.', LocaleFormatSettings().DecimalSeparator);
        return number + u' ' + UnitToStr(FEnv.UnitSpeed);
    }
    default:
        return {};
    }
}

int TTrackManagerModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(FRows.size()); }
int TTrackManagerModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : C::Count; }

QVariant TTrackManagerModel::data(const QModelIndex &index, int role) const {
    const TTrackNodeData *n = Row(index.row());
    if (!n) return {};
    switch (role) {
    case Qt::DisplayRole:
        return Text(*n, index.column());
    case Qt::EditRole:
        return n->Name;
    case Qt::CheckStateRole:
        if (index.column() != C::Visible || n->Error != 0) return {};
        return n->Checked ? Qt::Checked : Qt::Unchecked;
    case Qt::TextAlignmentRole:
        if (index.column() == C::Visible) return int(Qt::AlignCenter);
        return int((index.column() >= C::Duration ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    default:
        return {};
    }
}

bool TTrackManagerModel::setData(const QModelIndex &index, const QVariant &value, int role) {
    TTrackNodeData *n = Row(index.row());
    if (!n) return false;
    if (role == Qt::CheckStateRole && index.column() == C::Visible && n->Error == 0) {
        n->Checked = value.value<Qt::CheckState>() == Qt::Checked;
        emit dataChanged(index, index, {Qt::CheckStateRole});
        return true;
    }
    if (role == Qt::EditRole && index.column() == C::Name) {
        const QString name = value.toString().left(255);
        if (name == n->Name) return false;
        if (OnRename) OnRename(*n, name);
        return true;
    }
    return false;
}

Qt::ItemFlags TTrackManagerModel::flags(const QModelIndex &index) const {
    const TTrackNodeData *n = Row(index.row());
    if (!n) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == C::Visible && n->Error == 0) f |= Qt::ItemIsUserCheckable;
    if (index.column() == C::Name && n->Error == 0) f |= Qt::ItemIsEditable;
    return f;
}

QVariant TTrackManagerModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) return {};
    if (role == Qt::DisplayRole) {
        // Visible and Name as the route manager has them.
        if (section == C::Visible || section == C::Name) return RouteManagerColumnTitle(section);
        static const TLanguageStrings *titles[] = {&T::ColStart, &T::ColDuration, &T::ColDistance, &T::ColSpeed};
        return section > C::Name && section < C::Count ? LanguageText(*titles[section - C::StartTime]) : QString();
    }
    if (role == Qt::TextAlignmentRole)
        return int(section == C::Visible ? Qt::AlignCenter
                                         : (section >= C::Duration ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    return {};
}

bool TTrackManagerModel::Less(const TTrackNodeData &a, const TTrackNodeData &b) const {
    // Unreadable files last, whatever the direction.
    if ((a.Error != 0) != (b.Error != 0)) return b.Error != 0;
    int c = 0;
    switch (FSortColumn) {
    case C::Name: c = StrCompareByTrailingNumberI(a.Name, b.Name); break;
    case C::StartTime: c = Compare(a.StartTime, b.StartTime); break;
    case C::Duration: c = Compare(a.Duration, b.Duration); break;
    case C::Distance: c = Compare(a.Distance, b.Distance); break;
    case C::Speed: c = Compare(a.AverageSpeed, b.AverageSpeed); break;
    default: break;
    }
    return FSortOrder == Qt::AscendingOrder ? c < 0 : c > 0;
}

void TTrackManagerModel::sort(int column, Qt::SortOrder order) {
    if (column <= C::Visible || column >= C::Count) return;
    emit layoutAboutToBeChanged();
    const QModelIndexList before = persistentIndexList();
    std::vector<std::pair<TTrackNodeData *, int>> where;
    for (const QModelIndex &i : before) where.emplace_back(Row(i.row()), i.column());
    FSortColumn = column;
    FSortOrder = order;
    std::stable_sort(FRows.begin(), FRows.end(), [this](const auto &a, const auto &b) { return Less(*a, *b); });
    QModelIndexList after;
    for (const auto &[node, col] : where) after << index(RowOf(node), col);
    changePersistentIndexList(before, after);
    emit layoutChanged();
}
