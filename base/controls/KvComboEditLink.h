// Editing a tree cell by choosing from a drop-down list: a delegate that forms install on
// the columns of a QTreeView that hold a choice. Which items the list holds and what a
// choice means stay with the form: its fill handler fills the list and selects the current
// value, its close-up handler stores the choice. The delegate itself writes nothing into the
// model. GUI thread only.
#pragma once

#include <QComboBox>
#include <QStyledItemDelegate>
#include <functional>

// The editor: a drop-down list that tells whether its list closed with a choice.
class TComboEditBox : public QComboBox {
    Q_OBJECT
public:
    explicit TComboEditBox(QWidget *parent);
    void hidePopup() override;

signals:
    // The list closed without a choice (Escape, a click elsewhere).
    void ClosedWithoutChoice();

private:
    friend class TComboEditLink;
    bool FChosen = false;
};

class TComboEditLink : public QStyledItemDelegate {
    Q_OBJECT
public:
    // combo, the edited cell, its column.
    using THandler = std::function<void(QComboBox *combo, const QModelIndex &index, int column)>;
    // Any handler may be empty.
    TComboEditLink(THandler fill, THandler select, THandler closeUp, QObject *parent = nullptr);

    // The tree draws vertical grid lines: the editor ends one pixel earlier so they stay
    // visible.
    bool VerticalGridLines = false;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    // Fills the list (fill handler) and drops it down.
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    // Nothing: the close-up handler stores the choice.
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    // The column's horizontal bounds as the header reports them, the row's vertical ones.
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;

private:
    THandler FFill, FSelect, FCloseUp;
};
