// The tree of the chart selection page: what the account offers, grouped by category,
// group and product, with the check boxes that select the items. Rows keep the order in
// which the account lists its items; companion items of programs (category 99) are never
// shown, their selection follows their program. The items belong to the account object.
#pragma once

#include <KvLibNav6/KvWebServices.h>

#include <QAbstractItemModel>
#include <QStyledItemDelegate>
#include <QTreeView>
#include <functional>
#include <memory>
#include <vector>

class IChartManager;

namespace SelectChartsRow {
inline constexpr int Group = 0;
inline constexpr int Category = 1;
inline constexpr int Product = 2;
inline constexpr int ChartSet = 3;
}  // namespace SelectChartsRow

// Roles of the model besides Qt's.
namespace SelectChartsRole {
inline constexpr int Kind = Qt::UserRole + 1;
inline constexpr int Writable = Qt::UserRole + 2;
inline constexpr int HasChildren = Qt::UserRole + 3;
}  // namespace SelectChartsRole

struct TSelectChartsNode {
    IMRCAvailableChartSet *Item = nullptr;
    int32_t Group = 0;
    int Kind = SelectChartsRow::Group;
    QString Text;  // product name of a product row
    int32_t Category = 0;
    bool Writable = false;  // chart-set rows: its installed folder passed the write test
    Qt::CheckState Check = Qt::Unchecked;
    TSelectChartsNode *Parent = nullptr;
    std::vector<std::unique_ptr<TSelectChartsNode>> Children;
};

class TSelectChartsModel : public QAbstractItemModel {
    Q_OBJECT
public:
    explicit TSelectChartsModel(QObject *parent = nullptr);

    // Rebuilds the rows from the items in list order; writable tells the folder-writable
    // mark of an installed chart set's row.
    void Build(const std::vector<IMRCAvailableChartSet *> &items,
               const std::function<bool(IMRCAvailableChartSet *)> &writable);
    void Clear();
    const TSelectChartsNode *Node(const QModelIndex &index) const;
    // The row that shows the item (product and chart-set rows); nullptr when none.
    const TSelectChartsNode *FindItem(IMRCAvailableChartSet *item) const;
    // Every item of the list with that product number and category gets the selection
    // (companions follow their program).
    std::function<void(uint32_t productNumber, bool selected)> SelectCompanions;

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

signals:
    // After a check box changed (by the user or through setData).
    void Checked();

private:
    QString Text(const TSelectChartsNode &node, int column) const;
    static QString StatusText(IMRCAvailableChartSet *item, bool chartSet);
    void CloseProduct(TSelectChartsNode *product);
    void SetCheck(TSelectChartsNode *node, Qt::CheckState state);
    QModelIndex IndexOf(const TSelectChartsNode *node, int column) const;

    std::vector<std::unique_ptr<TSelectChartsNode>> FRoots;
};

// Paints the rows as the page shows them: group and category bands, bold products, status
// texts of installed items in green, alternating chart-set rows, row separators and the
// expand buttons of rows with children.
class TSelectChartsDelegate : public QStyledItemDelegate {
public:
    TSelectChartsDelegate(QTreeView *view, const int &hotRow, const int &pressedRow);
    void paint(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    QTreeView *FView;
    const int &FHot;
    const int &FPressed;
};

// The tree view of the page: paints the empty-list texts itself and toggles a row's check
// box with a plain left click on it.
class TSelectChartsView : public QTreeView {
    Q_OBJECT
public:
    explicit TSelectChartsView(QWidget *parent = nullptr);
    // Caption and hint shown while the list is empty.
    std::function<std::pair<QString, QString>()> EmptyTexts;
    int HotRow = -1;
    int PressedRow = -1;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    int ButtonRowAt(const QPoint &pos, QModelIndex &node) const;
};
