// The folder tree: the file system from "/" downwards, filled on demand, with renaming,
// new folders, a context menu of its own and selection by path. Messages go through
// MsgBox as errors with an OK button. GUI thread only.
#pragma once

#include <QSortFilterProxyModel>
#include <QString>
#include <QTreeView>
#include <functional>
#include <optional>

class QFileSystemModel;
class QMenu;

// What the tree knows about one item.
struct TShellData {
    // A directory ends with "/"; empty when the item is neither a directory nor a file.
    QString Path;
    QString DisplayName;
    bool IsFolder = false;
    bool IsFileSystem = false;
    // No write permission bit is set (the owner's, group's or others').
    bool ReadOnly = false;
};

// The data of an existing path (a directory gets its trailing "/").
TShellData ShellDataOf(const QString &path);
// The nearest existing directory at or above path ("/" at the latest); empty for an empty
// path.
QString NearestExistingDir(const QString &path);
// Control characters and \ / : * ? " < > | are not allowed in a folder name.
bool FolderNameValid(const QString &name);

enum TShellTreeSelectMode { smNormal, smSimple };
enum TShellObjectType { otFolders = 0x1, otNonFolders = 0x2, otHidden = 0x4 };
using TShellObjectTypes = int;

class TShellTreeViewEx;

// Filters and sorts the file-system model for the tree and answers "has children" from the
// disk, so a folder holding only files shows no expander in folders-only mode.
class TShellTreeModel : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit TShellTreeModel(TShellTreeViewEx *tree);
    bool hasChildren(const QModelIndex &parent = QModelIndex()) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;

private:
    TShellTreeViewEx *FTree;
};

class TShellTreeViewEx : public QTreeView {
    Q_OBJECT
public:
    explicit TShellTreeViewEx(QWidget *parent = nullptr);

    TShellTreeSelectMode Mode() const { return FMode; }
    void SetMode(TShellTreeSelectMode mode);
    TShellObjectTypes ObjectTypes() const { return FObjectTypes; }
    // Rebuilds the tree.
    void SetObjectTypes(TShellObjectTypes types);
    bool ReadOnly = true;
    bool SystemContextMenu = true;
    bool ShowRoot() const { return rootIsDecorated(); }
    void SetShowRoot(bool value) { setRootIsDecorated(value); }

    // The item may be refused (canAdd false): it is not shown.
    std::function<void(TShellTreeViewEx *sender, const TShellData &data, bool &canAdd)> OnFolderAdd;
    // folder is the new folder's name; it may be changed or refused.
    std::function<void(TShellTreeViewEx *sender, QString &folder, bool &canCreate)> OnFolderCreate;
    std::function<void(TShellTreeViewEx *sender, const TShellData &data, bool &allowed)> OnFolderEdit;
    std::function<void(TShellTreeViewEx *sender, const TShellData &data)> OnFolderSelect;

    // Builds the tree from "/" and selects the root.
    void Initialize();
    // Selects an existing path; a path that does not exist shows the folder-not-found
    // message and keeps the selection. An empty path does nothing.
    void SelectPath(const QString &path);
    std::optional<TShellData> GetSelectedItem() const;
    QString GetSelectedPath() const;
    // A new folder "New folder" ("New folder (n)" when taken) below the selected one, then
    // selected and put into rename mode. Does nothing while ReadOnly.
    void CreateNewFolder();
    // Rebuilds the tree and selects the selected folder again, or its nearest existing
    // parent when it is gone.
    void Refresh();
    // Renames the item at a tree index; false (with the message shown) when it failed.
    bool RenameItem(const QModelIndex &index, const QString &newName);
    // The context menu for the selected item (built fresh; the caller owns it).
    QMenu *CreateContextMenu();

    QFileSystemModel *FileSystemModel() const { return FFileModel; }
    TShellTreeModel *TreeModel() const { return FProxy; }
    // The tree index of a path (invalid when not shown).
    QModelIndex IndexOfPath(const QString &path) const;
    using QTreeView::edit;
    // A name is being edited in place.
    bool IsEditing() const { return state() == EditingState; }

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void contextMenuEvent(QContextMenuEvent *e) override;
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;

private:
    friend class TShellTreeModel;
    void BuildModel();
    void SelectionChanged();
    void DeleteSelected();
    bool AllowEdit(const QModelIndex &index);

    QFileSystemModel *FFileModel = nullptr;
    TShellTreeModel *FProxy = nullptr;
    TShellTreeSelectMode FMode = smSimple;
    TShellObjectTypes FObjectTypes = otFolders;
    bool FRightPressed = false;
};
