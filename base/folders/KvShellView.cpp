#include "base/folders/KvShellView.h"

#include "base/dialogs/KvMsgBox.h"
#include "base/files/KvFiles.h"
#include "base/texts/KvStr.h"

#include <QCollator>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>

namespace {

const TLanguageStrings TextRename = {"Rename", "Naam wijzigen", "Umbenennen", "Renommer",
                                     "Cambiar nombre", "Rinomina", "Omdøb", "Byt namn"};
const TLanguageStrings TextDelete = {"Delete", "Verwijderen", "Löschen", "Supprimer", "Eliminar",
                                     "Elimina", "Slet", "Ta bort"};
const TLanguageStrings TextRefresh = {"Refresh", "Vernieuwen", "Aktualisieren", "Actualiser",
                                      "Actualizar", "Aggiorna", "Opdater", "Uppdatera"};
const TLanguageStrings TextDeleteQuery = {
    "Move this folder to the trash?\r\n\r\n%1", "Deze map naar de prullenbak verplaatsen?\r\n\r\n%1",
    "Diesen Ordner in den Papierkorb verschieben?\r\n\r\n%1",
    "Placer ce dossier dans la corbeille ?\r\n\r\n%1", "¿Mover esta carpeta a la papelera?\r\n\r\n%1",
    "Spostare questa cartella nel cestino?\r\n\r\n%1", "Flyt denne mappe til papirkurven?\r\n\r\n%1",
    "Flytta den här mappen till papperskorgen?\r\n\r\n%1"};
const TLanguageStrings TextCannotDelete = {
    "Cannot delete folder.", "Kan de map niet verwijderen.", "Der Ordner kann nicht gelöscht werden.",
    "Impossible de supprimer le dossier.", "No se puede eliminar la carpeta.",
    "Impossibile eliminare la cartella.", "Mappen kan ikke slettes.", "Det går inte att ta bort mappen."};

void ShowError(const TLanguageStrings &text) {
    MsgBox(LanguageText(text), mtError, MsgButtons({mbOK}));
}

QString CleanAbsolute(const QString &path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

QDir::Filters FiltersOf(TShellObjectTypes types) {
    QDir::Filters f = QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives;
    if (types & otNonFolders) f |= QDir::Files;
    if (types & otHidden) f |= QDir::Hidden | QDir::System;
    return f;
}

}  // namespace

TShellData ShellDataOf(const QString &path) {
    TShellData d;
    const QFileInfo info(path);
    const QString clean = CleanAbsolute(path);
    d.DisplayName = clean == QLatin1String("/") ? clean : info.fileName();
    if (info.isDir()) {
        d.Path = clean.endsWith(u'/') ? clean : clean + u'/';
        d.IsFolder = d.IsFileSystem = true;
    } else if (info.exists()) {
        d.Path = clean;
        d.IsFileSystem = true;
    }
    if (info.exists())
        d.ReadOnly = !(info.permissions() &
                       (QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther));
    return d;
}

QString NearestExistingDir(const QString &path) {
    if (path.isEmpty()) return {};
    QString p = CleanAbsolute(path);
    while (!QFileInfo(p).isDir() && p != QLatin1String("/")) {
        const int slash = int(p.lastIndexOf(u'/'));
        p = slash <= 0 ? QStringLiteral("/") : p.left(slash);
    }
    return p;
}

bool FolderNameValid(const QString &name) {
    static const QString forbidden = QStringLiteral("\\/:*?\"<>|");
    for (QChar c : name)
        if (c.unicode() < 32 || forbidden.contains(c)) return false;
    return true;
}

// --- TShellTreeModel --------------------------------------------------------------------

TShellTreeModel::TShellTreeModel(TShellTreeViewEx *tree) : QSortFilterProxyModel(tree), FTree(tree) {
    setDynamicSortFilter(true);
}

bool TShellTreeModel::hasChildren(const QModelIndex &parent) const {
    if (!parent.isValid()) return true;
    const QString path = FTree->FFileModel->filePath(mapToSource(parent));
    if (!QFileInfo(path).isDir()) return false;
    // From the disk: the model reports every folder as expandable before it has read it.
    return !QDir(path).entryList(FiltersOf(FTree->FObjectTypes)).isEmpty();
}

Qt::ItemFlags TShellTreeModel::flags(const QModelIndex &index) const {
    Qt::ItemFlags f = QSortFilterProxyModel::flags(index);
    if (!FTree->ReadOnly && index.column() == 0) f |= Qt::ItemIsEditable;
    return f;
}

bool TShellTreeModel::setData(const QModelIndex &index, const QVariant &value, int role) {
    if (role != Qt::EditRole) return QSortFilterProxyModel::setData(index, value, role);
    return FTree->RenameItem(index, value.toString());
}

bool TShellTreeModel::filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const {
    const QModelIndex src = FTree->FFileModel->index(sourceRow, 0, sourceParent);
    const QFileInfo info = FTree->FFileModel->fileInfo(src);
    if (!info.isDir() && !(FTree->FObjectTypes & otNonFolders)) return false;
    if (info.isHidden() && !(FTree->FObjectTypes & otHidden)) return false;
    bool canAdd = true;
    if (FTree->OnFolderAdd) FTree->OnFolderAdd(FTree, ShellDataOf(info.filePath()), canAdd);
    return canAdd;
}

bool TShellTreeModel::lessThan(const QModelIndex &left, const QModelIndex &right) const {
    const QFileInfo a = FTree->FFileModel->fileInfo(left), b = FTree->FFileModel->fileInfo(right);
    if (a.isDir() != b.isDir()) return a.isDir();
    static const QCollator collator = [] {
        QCollator c;
        c.setNumericMode(true);
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return collator.compare(a.fileName(), b.fileName()) < 0;
}

// --- TShellTreeViewEx -------------------------------------------------------------------

TShellTreeViewEx::TShellTreeViewEx(QWidget *parent) : QTreeView(parent) {
    setHeaderHidden(true);
    setUniformRowHeights(true);
    setEditTriggers(EditKeyPressed | SelectedClicked);
    setSelectionMode(SingleSelection);
    SetMode(smSimple);
    connect(this, &QTreeView::clicked, this, [this](const QModelIndex &index) {
        if (FMode == smSimple) expand(index);
    });
    Initialize();
}

void TShellTreeViewEx::SetMode(TShellTreeSelectMode mode) {
    FMode = mode;
    setMouseTracking(mode == smSimple);
    setAttribute(Qt::WA_Hover, mode == smSimple);
}

void TShellTreeViewEx::SetObjectTypes(TShellObjectTypes types) {
    if (types == FObjectTypes) return;
    FObjectTypes = types;
    Refresh();
}

void TShellTreeViewEx::BuildModel() {
    QFileSystemModel *oldFiles = FFileModel;
    TShellTreeModel *oldProxy = FProxy;
    FFileModel = new QFileSystemModel(this);
    FFileModel->setReadOnly(true);
    FFileModel->setFilter(FiltersOf(FObjectTypes));
    FFileModel->setRootPath(QStringLiteral("/"));
    FProxy = new TShellTreeModel(this);
    FProxy->setSourceModel(FFileModel);
    FProxy->sort(0, Qt::AscendingOrder);
    setModel(FProxy);
    for (int c = 1; c < FProxy->columnCount(); ++c) hideColumn(c);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { SelectionChanged(); });
    if (oldProxy) oldProxy->deleteLater();
    if (oldFiles) oldFiles->deleteLater();
}

void TShellTreeViewEx::Initialize() {
    BuildModel();
    const QModelIndex root = IndexOfPath(QStringLiteral("/"));
    if (root.isValid()) {
        expand(root);
        setCurrentIndex(root);
    }
}

QModelIndex TShellTreeViewEx::IndexOfPath(const QString &path) const {
    return FProxy->mapFromSource(FFileModel->index(CleanAbsolute(path)));
}

void TShellTreeViewEx::SelectPath(const QString &path) {
    if (path.isEmpty()) return;
    const QModelIndex index = QFileInfo::exists(path) ? IndexOfPath(path) : QModelIndex();
    if (!index.isValid()) {
        ShowError(KvStr::FolderNotFound);
        return;
    }
    for (QModelIndex p = index.parent(); p.isValid(); p = p.parent()) expand(p);
    setCurrentIndex(index);
    scrollTo(index);
}

std::optional<TShellData> TShellTreeViewEx::GetSelectedItem() const {
    const QModelIndexList rows = selectionModel()->selectedRows();
    if (rows.size() != 1) return std::nullopt;
    TShellData d = ShellDataOf(FFileModel->filePath(FProxy->mapToSource(rows.first())));
    return d;
}

QString TShellTreeViewEx::GetSelectedPath() const {
    const auto item = GetSelectedItem();
    return item ? item->Path : QString();
}

void TShellTreeViewEx::SelectionChanged() {
    const QModelIndex index = currentIndex();
    if (!index.isValid() || !OnFolderSelect) return;
    OnFolderSelect(this, ShellDataOf(FFileModel->filePath(FProxy->mapToSource(index))));
}

void TShellTreeViewEx::CreateNewFolder() {
    if (ReadOnly) return;
    const auto item = GetSelectedItem();
    if (!item) return;
    if (!item->IsFolder) {
        ShowError(KvStr::FolderCannotCreateHere);
        return;
    }
    const QString base = item->Path + LanguageText(KvStr::FolderNew);
    QString candidate = base;
    for (int n = 1; QFileInfo(candidate).isDir(); ++n) candidate = base + QStringLiteral(" (%1)").arg(n);
    QString name = QFileInfo(candidate).fileName();
    bool canCreate = true;
    if (OnFolderCreate) {
        OnFolderCreate(this, name, canCreate);
        if (!FolderNameValid(name)) {
            ShowError(KvStr::FolderInvalidChars);
            return;
        }
    }
    if (!canCreate) return;
    const QString folder = item->Path + name;
    if (name.isEmpty() || QFileInfo::exists(folder)) {
        ShowError(KvStr::FolderAlreadyExists);
        return;
    }
    int32_t err = 0;
    DirCreateA(folder, err);
    if (err != 0 || !QFileInfo(folder).isDir()) {
        // Not "cannot create here": the place was fine, the creation failed.
        ShowError(KvStr::FolderCannotCreate);
        return;
    }
    SelectPath(folder);
    if (GetSelectedPath() == folder + u'/') edit(currentIndex());
}

void TShellTreeViewEx::Refresh() {
    // The model's path: the selected folder may be gone from the disk already.
    const QModelIndex current = currentIndex();
    const QString target =
        current.isValid() ? NearestExistingDir(FFileModel->filePath(FProxy->mapToSource(current))) : QString();
    Initialize();
    if (!target.isEmpty()) SelectPath(target);
}

bool TShellTreeViewEx::RenameItem(const QModelIndex &index, const QString &newName) {
    const QString oldPath = FFileModel->filePath(FProxy->mapToSource(index));
    const QFileInfo info(oldPath);
    if (newName == info.fileName()) return true;
    const QString newPath = info.dir().filePath(newName);
    if (newName.isEmpty() || !FolderNameValid(newName) || QFileInfo::exists(newPath) ||
        !QDir().rename(oldPath, newPath)) {
        ShowError(KvStr::FolderCannotRename);
        return false;
    }
    return true;
}

bool TShellTreeViewEx::AllowEdit(const QModelIndex &index) {
    if (ReadOnly || !index.isValid()) return false;
    const TShellData d = ShellDataOf(FFileModel->filePath(FProxy->mapToSource(index)));
    if (!d.IsFileSystem || d.Path == QLatin1String("/")) return false;
    bool allowed = true;
    if (OnFolderEdit) OnFolderEdit(this, d, allowed);
    return allowed;
}

bool TShellTreeViewEx::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) {
    if (trigger != AllEditTriggers && !(editTriggers() & trigger)) return QTreeView::edit(index, trigger, event);
    // The click that follows a right-button press (which selected the item) is no rename.
    if (FRightPressed && trigger != AllEditTriggers) {
        FRightPressed = false;
        return false;
    }
    if (!AllowEdit(index)) return false;
    return QTreeView::edit(index, trigger, event);
}

void TShellTreeViewEx::mousePressEvent(QMouseEvent *e) {
    if (e->button() == Qt::RightButton) {
        FRightPressed = true;
        const QModelIndex index = indexAt(e->pos());
        if (index.isValid()) setCurrentIndex(index);
    }
    QTreeView::mousePressEvent(e);
}

void TShellTreeViewEx::keyPressEvent(QKeyEvent *e) {
    if (e->key() == Qt::Key_F5 && e->modifiers() == Qt::NoModifier) {
        Refresh();
        return;
    }
    QTreeView::keyPressEvent(e);
}

QMenu *TShellTreeViewEx::CreateContextMenu() {
    auto *menu = new QMenu(this);
    const auto item = GetSelectedItem();
    const bool folder = item && item->IsFolder;
    QAction *rename = menu->addAction(LanguageText(TextRename), this, [this] { edit(currentIndex()); });
    rename->setEnabled(!ReadOnly && folder && item->Path != QLatin1String("/"));
    QAction *create = menu->addAction(LanguageText(KvStr::FolderNew), this, [this] { CreateNewFolder(); });
    create->setEnabled(!ReadOnly && folder);
    QAction *remove = menu->addAction(LanguageText(TextDelete), this, [this] { DeleteSelected(); });
    remove->setEnabled(!ReadOnly && folder && item->Path != QLatin1String("/"));
    menu->addSeparator();
    menu->addAction(LanguageText(TextRefresh), this, [this] { Refresh(); });
    return menu;
}

void TShellTreeViewEx::contextMenuEvent(QContextMenuEvent *e) {
    if (!SystemContextMenu) {
        QTreeView::contextMenuEvent(e);
        return;
    }
    e->accept();
    QMenu *menu = CreateContextMenu();
    menu->exec(e->globalPos());
    menu->deleteLater();
}

void TShellTreeViewEx::DeleteSelected() {
    const auto item = GetSelectedItem();
    if (ReadOnly || !item || !item->IsFolder) return;
    if (MsgBox(LanguageText(TextDeleteQuery).arg(item->Path), mtConfirmation,
               MsgButtons({mbYes, mbNo})) != mrYes)
        return;
    const QString path = item->Path;
    // Only what the user agreed to: a folder that cannot go to the trash stays.
    if (!QFile::moveToTrash(path)) {
        ShowError(TextCannotDelete);
        return;
    }
    Refresh();
}
