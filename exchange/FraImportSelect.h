// The last page of the text import: the collected items with a check box each, grouped by
// source file (waypoints) or by route; the check box is the item's import flag. The items
// belong to the wizard; the page only points to them. GUI thread only.
#pragma once

#include "base/forms/KvFrameScaled.h"
#include "base/txtformat/KvTxtFormat.h"

#include <QStandardItemModel>
#include <vector>

class QLabel;
class QTreeView;
class TListViewPopup;
class TMarivoNavEnv;

// The wizard's import types of the text runs.
namespace ImportTextKind {
inline constexpr int32_t Waypoints = 4;
inline constexpr int32_t Routes = 5;
}  // namespace ImportTextKind

class TFrameImportSelect : public TFrameScaled {
    Q_OBJECT
public:
    // env gives the position format; nil shows degrees and minutes.
    explicit TFrameImportSelect(TMarivoNavEnv *env, QWidget *owner = nullptr);
    ~TFrameImportSelect() override;

    // ImportTextKind.
    void SetKind(int32_t kind);
    void Fill(std::vector<TPointData> &items);
    // Import: whether the checked items can be imported (asking when some routes cannot).
    bool Validate();

    enum Column { ColImport, ColNr, ColName, ColLatitude, ColLongitude, ColSubName, ColProximity,
                  ColGroup, ColType, ColRadius, ColumnCount };
    // Item rows carry their TPointData here; group rows nothing.
    static constexpr int ItemRole = Qt::UserRole + 1;
    static constexpr int SortRole = Qt::UserRole + 2;

    QTreeView *Tree() const { return FTree; }
    QStandardItemModel *Model() const { return FModel; }
    TListViewPopup *Popup() const { return FPopup; }
    QString Information() const;

private:
    void UpdateTexts();
    void UpdateColumns();
    QList<QStandardItem *> ItemRow(TPointData *item) const;
    QString CellText(const TPointData &item, int column, bool &none) const;
    void OnItemChanged(QStandardItem *cell);
    void OnHeaderClicked(int column);

    TMarivoNavEnv *FEnv;
    int32_t FKind = ImportTextKind::Waypoints;
    QLabel *FLabelInformation = nullptr;
    QTreeView *FTree = nullptr;
    QStandardItemModel *FModel = nullptr;
    TListViewPopup *FPopup = nullptr;
    int FSortColumn = ColName;
    Qt::SortOrder FSortOrder = Qt::AscendingOrder;
};
