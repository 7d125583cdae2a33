#include "base/controls/KvComboEditLink.h"

#include <QHeaderView>
#include <QPointer>
#include <QTimer>
#include <QTreeView>

TComboEditBox::TComboEditBox(QWidget *parent) : QComboBox(parent) {
    setEditable(false);
}

void TComboEditBox::hidePopup() {
    QComboBox::hidePopup();
    // A choice is announced (activated) only after the list has closed, so whether there
    // was one is known once the current event is done.
    QTimer::singleShot(0, this, [this] {
        if (!FChosen) emit ClosedWithoutChoice();
    });
}

TComboEditLink::TComboEditLink(THandler fill, THandler select, THandler closeUp, QObject *parent)
    : QStyledItemDelegate(parent), FFill(std::move(fill)), FSelect(std::move(select)),
      FCloseUp(std::move(closeUp)) {}

QWidget *TComboEditLink::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                      const QModelIndex &index) const {
    auto *combo = new TComboEditBox(parent);
    const QPersistentModelIndex cell(index);
    auto *self = const_cast<TComboEditLink *>(this);
    // A choice runs the select and close-up handlers once, then ends the edit; a list closed
    // without a choice cancels it. Either way no handler runs for this editor afterwards,
    // and the view destroys the editor with the edit.
    connect(combo, &QComboBox::activated, self, [self, combo, cell](int) {
        if (combo->FChosen) return;
        combo->FChosen = true;
        if (cell.isValid()) {
            if (self->FSelect) self->FSelect(combo, cell, cell.column());
            if (self->FCloseUp) self->FCloseUp(combo, cell, cell.column());
        }
        emit self->closeEditor(combo, QAbstractItemDelegate::NoHint);
    });
    connect(combo, &TComboEditBox::ClosedWithoutChoice, self, [self, combo] {
        combo->FChosen = true;  // nothing more from this editor
        emit self->closeEditor(combo, QAbstractItemDelegate::RevertModelCache);
    });
    return combo;
}

void TComboEditLink::setEditorData(QWidget *editor, const QModelIndex &index) const {
    auto *combo = qobject_cast<TComboEditBox *>(editor);
    if (!combo || combo->count() > 0 || combo->FChosen) return;
    if (FFill) FFill(combo, index, index.column());
    QPointer<TComboEditBox> guard(combo);
    QTimer::singleShot(0, combo, [guard] {
        if (guard && !guard->FChosen) {
            guard->setFocus();
            guard->showPopup();
        }
    });
}

void TComboEditLink::setModelData(QWidget *, QAbstractItemModel *, const QModelIndex &) const {}

void TComboEditLink::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                          const QModelIndex &index) const {
    QRect r = option.rect;
    if (const auto *tree = qobject_cast<const QTreeView *>(option.widget)) {
        const QHeaderView *h = tree->header();
        r.setLeft(h->sectionViewportPosition(index.column()));
        r.setWidth(h->sectionSize(index.column()));
    }
    if (VerticalGridLines) r.setRight(r.right() - 1);
    editor->setGeometry(r);
}
