// The rows of the track manager: one per track file, read from the file's header only, with
// a check box for chart visibility when the header could be read. Rows whose header could
// not be read keep their error and sort last in either direction. GUI thread only.
#pragma once

#include <KvLibNav6/KvGraphics.h>
#include <KvLibNav6/KvTypes.h>

#include <QAbstractTableModel>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class TMarivoNavEnv;

struct TTrackNodeData {
    TColor Color = 0;
    int32_t PointCount = 0;
    double Distance = -1.0;  // metres; negative: unknown
    int64_t Duration = 0;    // seconds
    int32_t Error = 0;
    QString FileName, Name;
    double AverageSpeed = 0.0;  // m/s
    bool HasTimes = false;
    TDateTime StartTime = 0.0, EndTime = 0.0;
    float Width = 0.0f;
    bool Checked = false;
};

namespace TrackColumn {
inline constexpr int Visible = 0, Name = 1, StartTime = 2, Duration = 3, Distance = 4, Speed = 5, Count = 6;
}

class TTrackManagerModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TTrackManagerModel(TMarivoNavEnv &env, QObject *parent = nullptr);

    // Lists the "*.trk" files of the tracks folder, except the one being recorded.
    void Fill(const QString &recording);
    // A row from a file's header; checked when the track list holds that file.
    std::unique_ptr<TTrackNodeData> ReadRow(const QString &file) const;
    TTrackNodeData *Row(int row) const;
    int RowOf(const TTrackNodeData *node) const;
    const std::vector<std::unique_ptr<TTrackNodeData>> &Rows() const { return FRows; }
    void RemoveRows(const std::vector<TTrackNodeData *> &nodes);
    // Repaints a row after its record changed.
    void RowChanged(const TTrackNodeData *node);
    QString Text(const TTrackNodeData &node, int column) const;

    int SortColumn() const { return FSortColumn; }
    Qt::SortOrder SortOrder() const { return FSortOrder; }
    // Rows with errors stay last in either direction; column 0 is ignored.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    void Resort() { sort(FSortColumn, FSortOrder); }

    // The name of a row was edited to this text (at most 255 characters).
    std::function<void(TTrackNodeData &node, const QString &name)> OnRename;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    bool Less(const TTrackNodeData &a, const TTrackNodeData &b) const;

    TMarivoNavEnv &FEnv;
    std::vector<std::unique_ptr<TTrackNodeData>> FRows;
    int FSortColumn = TrackColumn::StartTime;
    Qt::SortOrder FSortOrder = Qt::DescendingOrder;
};

// Whether the track list holds a track of that file (names compared without case); its
// index, searched from the last to the first, or -1.
int TrackListIndexOf(TMarivoNavEnv &env, const QString &file);
