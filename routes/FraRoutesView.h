// The widgets of the route table: the model over the built rows, the two-line header
// (title, unit) and the delegate that paints icons and the row colours.
#pragma once

#include "routes/FraRoutesColumns.h"
#include "routes/RteNodeRows.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QStyledItemDelegate>

#include <functional>
#include <map>
#include <vector>

class TImageList;

class TRouteTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TRouteTableModel(QObject *parent = nullptr);

    void SetRows(std::vector<TRteNodeData> rows);
    const std::vector<TRteNodeData> &Rows() const { return FRows; }
    std::vector<TRteNodeData> &MutableRows() { return FRows; }
    const TRteNodeData *Row(int row) const;
    // Asked anew for every cell: the environment's units and the navigation change while
    // the rows stay.
    std::function<TRouteCellContext()> Context;
    std::function<QString(int column)> Title;
    // The cell being edited shows no text.
    int EditRow = -1, EditColumn = -1;
    // In-place editing: which cells take an editor, its first text, and writing the value.
    std::function<bool(int row, int column)> Editable;
    std::function<QString(int row, int column)> EditText;
    std::function<bool(int row, int column, const QString &text)> Commit;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // Every cell repaints; the rows stay.
    void Refresh();

private:
    std::vector<TRteNodeData> FRows;
};

class TRouteHeaderView : public QHeaderView {
    Q_OBJECT
public:
    explicit TRouteHeaderView(QWidget *parent = nullptr);
    std::function<QString(int column)> UnitText;
    // The hint of a column: its title when the title does not fit, else empty.
    QString Hint(int column) const;
    QSize sizeHint() const override;

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;
    bool viewportEvent(QEvent *event) override;

private:
    mutable std::map<int, QString> FHints;
};

// How the delegate asks the frame about the state of a row.
struct TRouteRowPaintState {
    bool Followed = false;       // the shown route is being followed
    bool MarkedCurrent = false;  // the row the ship is heading for
    bool CurrentObject = false;  // its own object is the current one
    bool Target = false;         // point row of the target point
    bool Night = false;
};

class TRouteRowDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    TRouteRowDelegate(TRouteTableModel *model, TImageList *images, QObject *parent = nullptr);
    std::function<TRouteRowPaintState(int row)> State;
    std::function<bool()> Editing;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void destroyEditor(QWidget *editor, const QModelIndex &index) const override;

    // The colours of a cell, for painting and for the tests.
    struct TColors {
        QColor Background;  // invalid: the view's own
        QColor Text;
    };
    TColors ColorsOf(const QStyleOptionViewItem &option, const QModelIndex &index) const;

private:
    TRouteTableModel *FModel;
    TImageList *FImages;
};
