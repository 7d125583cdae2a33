#include "chartview/FraTrackReplayList.h"

#include "base/controls/KvControls.h"
#include "base/graphics/KvNightScreen.h"
#include "base/math/KvMath.h"
#include "base/waypoints/KvWaypoints.h"
#include "shell/MarivoColors.h"
#include "shell/MarivoUtils.h"

#include <KvLibNav6/KvGraphics.h>
#include <KvLibNav6/KvTracks.h>
#include <KvLibNav6/KvWaypoints.h>

#include <QDateTime>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace TrackReplayRules {

TDateTime NowUTC() { return QDateTime::currentMSecsSinceEpoch() / 86400000.0 + 25569.0; }

TAxis AxisOf(INavTrackList *list, TDateTime nowUTC) {
    TAxis axis{2147483647.0, 0.0};
    bool any = false;
    for (int32_t i = 0; list && i < list->GetCount(); ++i) {
        auto *track = dynamic_cast<INavTrack *>(list->GetItem(i));
        if (!track || !track->HasTimes()) continue;
        any = true;
        axis.Start = std::min(axis.Start, track->GetStartTime());
        axis.End = std::max(axis.End, track->GetEndTime());
    }
    // Without a track that has times the axis would be inverted: the present second instead.
    if (!any) axis = {nowUTC, nowUTC};
    if (axis.End <= axis.Start) axis.End = axis.Start + OneSecond;
    return axis;
}

TDateTime Clamp(const TAxis &axis, TDateTime t) { return t > axis.End ? axis.End : t < axis.Start ? axis.Start : t; }

int SliderPosition(const TAxis &axis, TDateTime t) {
    return std::clamp(RoundHalfUpD((t - axis.Start) * SliderMax / (axis.End - axis.Start)), 0, SliderMax);
}

TDateTime SliderTime(const TAxis &axis, int position) {
    return axis.Start + double(position) / SliderMax * (axis.End - axis.Start);
}

bool ColumnTime(const TAxis &axis, int x, int left, int width, TDateTime &t) {
    if (width <= 1 || x < left || x >= left + width) return false;
    t = axis.Start + (axis.End - axis.Start) * (x - left) / (width - 1);
    return true;
}

QString OffsetText(int minutes) {
    if (minutes == 0) return {};
    return (minutes > 0 ? QStringLiteral(" +") : QStringLiteral(" -")) + QString::number(std::abs(minutes)) +
           QStringLiteral(" min");
}

}  // namespace TrackReplayRules

// ---- model ----

int TTrackReplayModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(FRows.size());
}

int TTrackReplayModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : ColCount; }

QVariant TTrackReplayModel::data(const QModelIndex &index, int role) const {
    const TTrackReplayNodeData *row = Row(index.row());
    if (!row) return {};
    if (role == TrackRole) return QVariant::fromValue<void *>(row->Track);
    if (role == FollowRole) return int(row->Follow);
    if (role == Qt::TextAlignmentRole && (index.column() == ColSOG || index.column() == ColCOG))
        return int(Qt::AlignCenter);
    if (role != Qt::DisplayRole) return {};
    switch (index.column()) {
    case ColName: return NavTrackGetName(row->Track);
    case ColSOG: return row->Speed;
    case ColCOG: return row->Course;
    default: return {};
    }
}

QVariant TTrackReplayModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const char *const names[] = {"Name", "Time", "SOG", "COG", ""};
    return section >= 0 && section < ColCount ? QString::fromLatin1(names[section]) : QString();
}

void TTrackReplayModel::SetRows(std::vector<TTrackReplayNodeData> rows) {
    beginResetModel();
    FRows = std::move(rows);
    endResetModel();
}

int TTrackReplayModel::RowOf(INavTrack *track) const {
    for (size_t i = 0; i < FRows.size(); ++i)
        if (FRows[i].Track == track) return int(i);
    return -1;
}

void TTrackReplayModel::RowsChanged() {
    if (!FRows.empty()) emit dataChanged(index(0, 0), index(int(FRows.size()) - 1, ColCount - 1));
}

// ---- delegate ----

namespace {

constexpr int Margin = 4;
constexpr int Square = 11;

QImage MakeOverlay(bool night) {
    // A light rim and a soft top shine over the colour, so dark colours still read as a square.
    QImage img(Square, Square, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setPen(QColor(0, 0, 0, 140));
    p.drawRect(0, 0, Square - 1, Square - 1);
    p.fillRect(1, 1, Square - 2, (Square - 2) / 2, QColor(255, 255, 255, 70));
    p.end();
    if (night) NightScreenConvertPNG(NightScreen(), img);
    return img;
}

}  // namespace

TTrackReplayDelegate::TTrackReplayDelegate(QObject *parent, const TrackReplayRules::TAxis &axis, const TDateTime &time)
    : QStyledItemDelegate(parent), FAxis(axis), FTime(time) {
    NightChanged();
}

void TTrackReplayDelegate::NightChanged() {
    FOverlayNight = NightScreen() && NightScreen()->IsActive();
    FOverlay = MakeOverlay(FOverlayNight);
}

QSize TTrackReplayDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const {
    return QSize(QStyledItemDelegate::sizeHint(option, index).width(), 24);
}

void TTrackReplayDelegate::paint(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index) const {
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette &pal = option.palette;
    const bool night = NightScreen() && NightScreen()->IsActive();
    QColor background = index.row() % 2 && !night ? TColorToColor(AlternateRowColor) : pal.color(QPalette::Base);
    if (selected) background = pal.color(QPalette::Highlight);
    p->fillRect(option.rect, background);
    auto *track = static_cast<INavTrack *>(index.data(TTrackReplayModel::TrackRole).value<void *>());
    p->save();
    switch (index.column()) {
    case TTrackReplayModel::ColName: PaintName(*p, option, track); break;
    case TTrackReplayModel::ColTime: PaintTimeBar(*p, option, track, selected); break;
    case TTrackReplayModel::ColFollow:
        PaintFollow(*p, option, uint16_t(index.data(TTrackReplayModel::FollowRole).toInt()));
        break;
    default: {
        const QString text = index.data().toString();
        QColor colour = selected ? pal.color(QPalette::HighlightedText) : pal.color(QPalette::Text);
        if (!selected && text.contains(QStringLiteral("---"))) colour = pal.color(QPalette::Mid);
        p->setPen(colour);
        p->drawText(option.rect, Qt::AlignCenter, text);
    }
    }
    p->restore();
    DrawRowSeparator(*p, option.rect);
}

void TTrackReplayDelegate::PaintName(QPainter &p, const QStyleOptionViewItem &o, INavTrack *track) const {
    if (!track) return;
    uint32_t rgb = track->GetColor();
    if (NightScreen() && NightScreen()->IsActive()) rgb = NightScreen()->ConvertRGB(rgb);
    const QRect square(o.rect.left() + Margin, o.rect.top() + (o.rect.height() - Square) / 2, Square, Square);
    p.fillRect(square, QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF));
    p.drawImage(square.topLeft(), FOverlay);
    const bool selected = o.state & QStyle::State_Selected;
    p.setPen(o.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    const QRect text = o.rect.adjusted(Margin + Square + 5, 0, -2, 0);
    p.drawText(text, Qt::AlignVCenter | Qt::AlignLeft, o.fontMetrics.elidedText(NavTrackGetName(track), Qt::ElideRight, text.width()));
}

void TTrackReplayDelegate::PaintTimeBar(QPainter &p, const QStyleOptionViewItem &o, INavTrack *track,
                                        bool selected) const {
    if (!track) return;
    p.setPen(o.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    const QRect r = o.rect;
    const double span = FAxis.End - FAxis.Start;
    auto x = [&](TDateTime t) { return r.left() + int(std::lround(r.width() * (t - FAxis.Start) / span)); };
    const int y = r.top() + r.height() / 2;
    const int from = x(track->GetStartTime()), to = x(track->GetEndTime());
    p.drawLine(from, y, to, y);
    p.drawLine(from, y - 1, from, y + 2);
    p.drawLine(to - 1, y - 1, to - 1, y + 2);
    const int now = x(FTime);
    p.drawLine(now, r.top(), now, r.bottom());
}

void TTrackReplayDelegate::PaintFollow(QPainter &p, const QStyleOptionViewItem &o, uint16_t follow) const {
    int left = o.rect.left() + Margin;
    const int top = o.rect.top() + (o.rect.height() - 16) / 2;
    QFont small = o.font;
    small.setPointSize(7);
    p.setFont(small);
    for (int bit = 0; bit < 3; ++bit) {
        if (!(follow & (1u << bit))) continue;
        const QRect icon(left, top, 16, 16);
        p.setPen(o.palette.color(QPalette::Text));
        p.setBrush(o.palette.color(QPalette::Highlight));
        p.drawRoundedRect(icon.adjusted(0, 0, -1, -1), 3, 3);
        p.setPen(o.palette.color(QPalette::Text));
        p.drawText(icon.translated(1, 1), Qt::AlignCenter, FollowLabels[bit]);
        p.setPen(o.palette.color(QPalette::Base));
        p.drawText(icon, Qt::AlignCenter, FollowLabels[bit]);
        left += 18;
    }
}
