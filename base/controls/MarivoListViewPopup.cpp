#include "base/controls/MarivoListViewPopup.h"

#include "base/texts/KvLanguage.h"

#include <QItemSelectionModel>
#include <QTreeView>

namespace {

const TLanguageStrings TextSelectAll = {"Select all", "Alles selecteren", "Alles auswählen", "Tout sélectionner",
                                        "Seleccionar todo", "Seleziona tutto", "Vælg alle", "Markera alla"};
const TLanguageStrings TextSelectNone = {"Select none", "Niets selecteren", "Nichts auswählen",
                                         "Ne rien sélectionner", "No seleccionar nada", "Deseleziona tutto",
                                         "Vælg ingen", "Avmarkera alla"};
const TLanguageStrings TextImportAll = {"Import everything", "Alles importeren", "Alles importieren",
                                        "Tout importer", "Importar todo", "Importa tutto", "Importér alt",
                                        "Importera allt"};
const TLanguageStrings TextImportNone = {"Import nothing", "Niets importeren", "Nichts importieren",
                                         "Ne rien importer", "No importar nada", "Non importare nulla",
                                         "Importér intet", "Importera inget"};
const TLanguageStrings TextShowSelected = {"Make selection visible", "Selectie zichtbaar maken",
                                           "Auswahl sichtbar machen", "Rendre la sélection visible",
                                           "Hacer visible la selección", "Rendi visibile la selezione",
                                           "Gør markering synlig", "Gör markeringen synlig"};
const TLanguageStrings TextHideAll = {"Make all invisible", "Alles onzichtbaar maken", "Alles unsichtbar machen",
                                      "Tout rendre invisible", "Hacer todo invisible", "Rendi tutto invisibile",
                                      "Gør alle usynlige", "Gör alla osynliga"};

bool Checkable(const QModelIndex &i) {
    return i.flags().testFlag(Qt::ItemIsUserCheckable);
}

}  // namespace

TListViewPopup::TListViewPopup(bool importMode, QTreeView *tree, QWidget *parent)
    : QMenu(parent ? parent : tree), SelectItemsShown(!importMode), ImportMode(importMode), FTree(tree) {
    ItemSelectAll = addAction(LanguageText(TextSelectAll), this, [this] { SelectAll(); });
    ItemSelectNone = addAction(LanguageText(TextSelectNone), this, [this] { SelectNone(); });
    addSeparator();
    ItemCheck = addAction(LanguageText(importMode ? TextImportAll : TextShowSelected), this,
                          [this] { SetChecks(true); });
    ItemUncheck = addAction(LanguageText(importMode ? TextImportNone : TextHideAll), this,
                            [this] { SetChecks(false); });
    connect(this, &QMenu::aboutToShow, this, [this] { UpdateItems(); });
}

void TListViewPopup::UpdateItems() {
    const QAbstractItemModel *m = FTree->model();
    bool hasCheckBox = false;
    for (int r = 0; m && r < m->rowCount() && !hasCheckBox; ++r) {
        const QModelIndex root = m->index(r, 0);
        const int children = m->rowCount(root);
        if (children == 0) hasCheckBox = Checkable(root);
        for (int c = 0; c < children && !hasCheckBox; ++c) hasCheckBox = Checkable(m->index(c, 0, root));
    }
    const bool anySelected = FTree->selectionModel() && FTree->selectionModel()->hasSelection();
    for (QAction *a : {ItemCheck, ItemUncheck}) {
        a->setEnabled(ImportMode || anySelected);
        a->setVisible(hasCheckBox);
    }
    for (QAction *a : {ItemSelectAll, ItemSelectNone}) {
        a->setVisible(SelectItemsShown);
        a->setEnabled(SelectItemsShown && m && m->rowCount() > 0);
    }
}

void TListViewPopup::SelectAll() {
    QAbstractItemModel *m = FTree->model();
    QItemSelection all;
    // Visible entries only: children of collapsed entries stay unselected.
    std::function<void(const QModelIndex &)> walk = [&](const QModelIndex &parent) {
        for (int r = 0; r < m->rowCount(parent); ++r) {
            const QModelIndex i = m->index(r, 0, parent);
            all.select(i, i.siblingAtColumn(m->columnCount(parent) - 1));
            if (FTree->isExpanded(i)) walk(i);
        }
    };
    if (m) walk(QModelIndex());
    FTree->selectionModel()->select(all, QItemSelectionModel::ClearAndSelect);
    FTree->setFocus();
}

void TListViewPopup::SelectNone() {
    FTree->selectionModel()->clearSelection();
    FTree->setFocus();
}

void TListViewPopup::SetChecks(bool checked) {
    QAbstractItemModel *m = FTree->model();
    if (!m) return;
    const QItemSelectionModel *sel = FTree->selectionModel();
    const QVariant state = checked ? Qt::Checked : Qt::Unchecked;
    FTree->setUpdatesEnabled(false);
    FUpdating = OnCheckedChanged != nullptr;
    for (int r = 0; r < m->rowCount(); ++r) {
        const QModelIndex root = m->index(r, 0);
        const int children = m->rowCount(root);
        if (children == 0) {
            if (sel->isSelected(root) && Checkable(root)) m->setData(root, state, Qt::CheckStateRole);
            continue;
        }
        for (int c = 0; c < children; ++c) {
            const QModelIndex child = m->index(c, 0, root);
            if ((ImportMode || sel->isSelected(child)) && Checkable(child))
                m->setData(child, state, Qt::CheckStateRole);
        }
    }
    FUpdating = false;
    FTree->setUpdatesEnabled(true);
    if (OnCheckedChanged) OnCheckedChanged(FTree);
    FTree->setFocus();
}
