// The waypoint type chooser: the types of every open waypoint database, grouped by
// database (the caller's own first, as "User database"), with the manager's default type
// above them all; "Add..." makes a new type in the caller's database with the type editor.
// The import pages use it to pick the type of imported waypoints. GUI thread.
#pragma once

#include <KvLibNav6/KvWaypoints.h>

#include <QDialog>
#include <QModelIndex>
#include <QVariant>
#include <functional>

class QCheckBox;
class QPushButton;
class QSortFilterProxyModel;
class QStandardItem;
class QStandardItemModel;
class QTreeView;

class TFormWaypointEditType : public QDialog {
    Q_OBJECT
public:
    // Row kinds (KindRole).
    enum { NoteRow = 0, DatabaseRow = 1, TypeRow = 2 };
    enum { KindRole = Qt::UserRole + 1, ObjectRole };

    TFormWaypointEditType(IWptWaypointType *chosen, uint8_t mode, IWptDatabase *database, QWidget *owner = nullptr);

    // Shows the chooser with waypointType selected where listed. OK: the chosen type (the
    // caller's when none was picked) in waypointType and True; Cancel: False, unchanged.
    // mode is handed on to the type editor (the import pages pass 2).
    static bool Execute(IWptWaypointType *&waypointType, IWptDatabase *database, uint8_t mode,
                        QWidget *owner = nullptr);

    // The type editor "Add..." opens (the waypoint type editor unless replaced): (database,
    // list that receives the new type as item 0, mode) → True on OK. Without one "Add..."
    // stays disabled. Returns the previous.
    using TTypeEditor = std::function<bool(IWptDatabase *database, IWptWaypointTypeList *types, uint8_t mode)>;
    static TTypeEditor SetTypeEditor(TTypeEditor editor);

    // Runs the dialog instead of exec (tests); returns the dialog result and the previous.
    using TPrompter = std::function<int(TFormWaypointEditType &form)>;
    static TPrompter SetPrompter(TPrompter prompter);

    void BuildList();
    void AddType();
    IWptWaypointType *Chosen() const { return FChosen; }
    // The kind and object of a row of the list's (sorted) model.
    static int Kind(const QModelIndex &index);
    template <typename T>
    static T *Object(const QModelIndex &index) {
        return static_cast<T *>(index.data(ObjectRole).value<void *>());
    }
    bool IsOwnDatabase(IWptDatabase *db) const { return db == FDatabase; }
    int HotRow() const { return FHotRow; }
    int PressedRow() const { return FPressedRow; }

    QTreeView *ListView;
    QCheckBox *CheckFilterReadOnly;
    QPushButton *ButtonAdd, *ButtonOk, *ButtonCancel;

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    class TDelegate;
    class TSorter;
    void AddRow(IWptDatabase *db, IWptWaypointType *type);
    QStandardItem *DatabaseItem(IWptDatabase *db);
    void SelectionChanged();
    int ButtonRowAt(const QPoint &pos) const;

    IWptDatabase *FDatabase;
    IWptManager *FManager;
    uint8_t FMode;
    IWptWaypointType *FChosen;
    QStandardItemModel *FModel;
    QSortFilterProxyModel *FSorted;
    int FHotRow = -1, FPressedRow = -1;
    bool FBuilding = false;
};
