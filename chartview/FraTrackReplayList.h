// The list of the track replay panel: one row per track with times (colour square and
// name, a time bar against the panel's common time axis, speed and course over ground at
// the replay time, the viewers that follow the track), and the rules that map times to the
// slider, the time column and the labels. GUI thread.
#pragma once

#include <KvLibNav6/KvTypes.h>

#include <QAbstractTableModel>
#include <QImage>
#include <QStyledItemDelegate>
#include <QString>
#include <vector>

class INavTrack;
class INavTrackList;

namespace TrackReplayRules {
inline constexpr double OneSecond = 1.0 / 86400.0;
inline constexpr int SliderMax = 500;

struct TAxis {
    TDateTime Start = 0.0, End = 0.0;
};
// [earliest start, latest end] over the tracks with times, one second long at least; with no
// such track (or no list) [now, now + 1 s].
TAxis AxisOf(INavTrackList *list, TDateTime nowUTC);
TDateTime Clamp(const TAxis &axis, TDateTime t);
int SliderPosition(const TAxis &axis, TDateTime t);
TDateTime SliderTime(const TAxis &axis, int position);
// The time under x in a column [left, left + width); false (no change) for a column of at
// most one pixel.
bool ColumnTime(const TAxis &axis, int x, int left, int width, TDateTime &t);
// "", " +n min" or " -n min".
QString OffsetText(int minutes);
TDateTime NowUTC();
}  // namespace TrackReplayRules

// Bit n: viewer n (0 main, 1 and 2 the additional viewers) replays the row's track and follows it.
struct TTrackReplayNodeData {
    INavTrack *Track = nullptr;
    QString Speed = QStringLiteral("---");
    QString Course = QStringLiteral("---");
    uint16_t Follow = 0;
};

class TTrackReplayModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum TColumn { ColName, ColTime, ColSOG, ColCOG, ColFollow, ColCount };
    static constexpr int TrackRole = Qt::UserRole + 1;
    static constexpr int FollowRole = Qt::UserRole + 2;

    using QAbstractTableModel::QAbstractTableModel;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void SetRows(std::vector<TTrackReplayNodeData> rows);
    std::vector<TTrackReplayNodeData> &Rows() { return FRows; }
    const TTrackReplayNodeData *Row(int i) const { return i >= 0 && size_t(i) < FRows.size() ? &FRows[size_t(i)] : nullptr; }
    int RowOf(INavTrack *track) const;
    void RowsChanged();

private:
    std::vector<TTrackReplayNodeData> FRows;
};

class TTrackReplayDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    TTrackReplayDelegate(QObject *parent, const TrackReplayRules::TAxis &axis, const TDateTime &time);
    void paint(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    // The follow labels by viewer ("M", "1", "2").
    QString FollowLabels[3] = {QStringLiteral("M"), QStringLiteral("1"), QStringLiteral("2")};
    // The colour square's overlay, made again when night mode changes.
    void NightChanged();

private:
    void PaintName(QPainter &p, const QStyleOptionViewItem &o, INavTrack *track) const;
    void PaintTimeBar(QPainter &p, const QStyleOptionViewItem &o, INavTrack *track, bool selected) const;
    void PaintFollow(QPainter &p, const QStyleOptionViewItem &o, uint16_t follow) const;
    const TrackReplayRules::TAxis &FAxis;
    const TDateTime &FTime;
    QImage FOverlay;
    bool FOverlayNight = false;
};
