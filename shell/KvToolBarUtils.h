// The contents of a user-arranged toolbar: the items a toolbar may show, lists of them
// (what is on the toolbar now, preset sets such as the default) and the building of the
// toolbar's buttons from the current list. The "All" list owns every item; the current
// list and the sets only refer to them, so items live as long as the contents object.
// Actions are owned by the window that made them and must outlive the contents. GUI thread.
#pragma once

#include "base/texts/KvLanguage.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <vector>

class QAction;
class QMenu;
class QObject;
class QToolBar;
class QWidget;
class TToolbarItemList;

namespace ToolbarKind {
inline constexpr uint8_t Button = 0;
inline constexpr uint8_t SubMenu = 2;  // a button with a drop-down arrow
inline constexpr uint8_t Combo = 3;    // a drop-down button
inline constexpr uint8_t Separator = 4;
}  // namespace ToolbarKind

// The name a separator item has in every list and in the store.
inline constexpr char ToolbarItemSeparatorName[] = "ToolbarItemSeparator";

// One available button.
class TToolbarItem {
public:
    TToolbarItem(TToolbarItemList *owner, uint8_t kind);
    ~TToolbarItem();

    // The action's object name, else Name.
    QString GetName() const;
    // Only for an item without an action (an action names its item).
    void SetName(const QString &name);
    // The action's toolbar image (its row of the action table), else ImageIndex.
    int GetImageIndex() const;

    QAction *Action = nullptr;
    TLanguageStrings Caption{};
    TLanguageStrings Category{};
    int ImageIndex = -1;
    std::unique_ptr<TToolbarItemList> SubItems;  // kinds 2 and 3 only (owning)
    QString Name;
    TToolbarItemList *Owner;
    uint8_t Kind;
    bool Visible = true;  // False: left out of the editor's lists
};

class TToolbarItemList {
public:
    explicit TToolbarItemList(bool ownsItems);
    ~TToolbarItemList();
    TToolbarItemList(const TToolbarItemList &) = delete;
    TToolbarItemList &operator=(const TToolbarItemList &) = delete;

    // The item of that action, or a new button item with these texts appended.
    TToolbarItem *AddAction(QAction *action, const TLanguageStrings &caption,
                            const TLanguageStrings &category);
    // Appends; nullptr and an item already in the list are refused (separators repeat).
    void Add(TToolbarItem *item);
    void Clear();
    // Searches from the last item to the first; -1 when absent.
    int IndexOfAction(const QAction *action) const;
    // Case-insensitive, from the last item to the first; -1 when absent.
    int IndexOfName(const QString &name) const;
    TToolbarItem *FindByAction(const QAction *action) const;
    // "ToolbarItemSeparator" (any case) gives this list's separator item.
    TToolbarItem *FindByName(const QString &name) const;
    int Count() const { return int(FItems.size()); }
    // nullptr outside 0..Count-1.
    TToolbarItem *Items(int index) const;
    bool Contains(const TToolbarItem *item) const;

    bool OwnsItems() const { return FOwnsItems; }
    TLanguageStrings Name{};
    // This list's separator: every list has one of its own.
    TToolbarItem *Separator() const { return FSeparator.get(); }

private:
    std::vector<TToolbarItem *> FItems;
    bool FOwnsItems;
    std::unique_ptr<TToolbarItem> FSeparator;
};

class TToolbarContents {
public:
    explicit TToolbarContents(QToolBar *toolbar);
    ~TToolbarContents();

    // A new empty set (referring, not owning), appended and returned.
    TToolbarItemList *AddSet();
    // nullptr outside the range; set 0 is the default.
    TToolbarItemList *GetSet(int index) const;
    int SetCount() const { return int(FSets.size()); }
    // Current := the list's items (through Add), then Apply.
    void SetCurrent(const TToolbarItemList &list);
    // Rebuilds the toolbar's buttons from Current: the top-level ones are named Button1,
    // Button2…, the sub-items of Button3 Button3Button1….
    void Apply();

    // Current from the stored names (numeric order of their "Item_" suffix); names that are
    // no item are skipped; nothing left gives set 0. Then Apply.
    void Load(const QString &key);
    // Replaces the stored key with Current, "Item_00" onwards.
    void Store(const QString &key) const;

    TToolbarItemList Current{false};
    TToolbarItemList All{true};
    QToolBar *Toolbar;

private:
    std::vector<std::unique_ptr<TToolbarItemList>> FSets;
};

// Stored value names in load order: "Item_N" by the number N (Item_100 after Item_99,
// whatever order the store lists them in), other names after them as listed.
QStringList SortToolbarValueNames(const QStringList &names);
// "Item_00", "Item_12", "Item_100".
QString ToolbarValueName(int position);
