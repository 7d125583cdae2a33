#include "shell/KvToolBarUtils.h"

#include "base/kvlib/KvErrors.h"
#include "base/registry/KvRegistry.h"
#include "shell/MarivoActionTable.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QRegularExpression>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

namespace {

const QString SeparatorName = QString::fromLatin1(ToolbarItemSeparatorName);
// Marks the actions a build made for itself: the next build frees them.
const char *const BuiltProperty = "marivoToolbarBuilt";

QAction *Built(QAction *action) {
    action->setProperty(BuiltProperty, true);
    return action;
}

// Builds the items of list into a toolbar or a menu; parentName names the new components.
class TToolbarBuilder {
public:
    static void Build(QToolBar *toolbar, const TToolbarItemList &list) {
        for (int i = 0; i < list.Count(); ++i) AddToToolbar(toolbar, *list.Items(i));
    }

private:
    static QString ChildName(const QString &parentName, int countBefore) {
        return parentName + QStringLiteral("Button") + QString::number(countBefore + 1);
    }

    // An item without an action still needs something to click: an action of its own.
    static QAction *ActionOf(const TToolbarItem &item, QObject *parent) {
        if (item.Action) return item.Action;
        auto *action = Built(new QAction(LanguageText(item.Caption), parent));
        action->setObjectName(item.Name);
        return action;
    }

    static void AddToToolbar(QToolBar *toolbar, const TToolbarItem &item) {
        const QString name = ChildName(QString(), int(toolbar->actions().size()));
        switch (item.Kind) {
        case ToolbarKind::Button: {
            QAction *action = ActionOf(item, toolbar);
            toolbar->addAction(action);
            if (QWidget *w = toolbar->widgetForAction(action)) w->setObjectName(name);
            break;
        }
        case ToolbarKind::SubMenu:
        case ToolbarKind::Combo: {
            auto *button = new QToolButton(toolbar);
            button->setObjectName(name);
            button->setDefaultAction(ActionOf(item, button));
            auto *menu = new QMenu(button);
            button->setMenu(menu);
            button->setPopupMode(item.Kind == ToolbarKind::SubMenu ? QToolButton::MenuButtonPopup
                                                                   : QToolButton::InstantPopup);
            toolbar->addWidget(button);
            if (item.SubItems) AddToMenu(menu, name, *item.SubItems);
            break;
        }
        case ToolbarKind::Separator: {
            QAction *separator = Built(toolbar->addSeparator());
            separator->setObjectName(name);
            if (QWidget *w = toolbar->widgetForAction(separator)) w->setObjectName(name);
            break;
        }
        default: break;
        }
    }

    static void AddToMenu(QMenu *menu, const QString &parentName, const TToolbarItemList &list) {
        for (int i = 0; i < list.Count(); ++i) {
            const TToolbarItem &item = *list.Items(i);
            const QString name = ChildName(parentName, int(menu->actions().size()));
            switch (item.Kind) {
            case ToolbarKind::Button: {
                // A menu entry of its own, so that it can carry its own name.
                auto *entry = new QAction(item.Action ? item.Action->text() : LanguageText(item.Caption), menu);
                entry->setObjectName(name);
                if (item.Action) {
                    entry->setIcon(item.Action->icon());
                    QObject::connect(entry, &QAction::triggered, item.Action, &QAction::trigger);
                }
                menu->addAction(entry);
                break;
            }
            case ToolbarKind::SubMenu:
            case ToolbarKind::Combo: {
                QMenu *sub = menu->addMenu(LanguageText(item.Caption));
                sub->menuAction()->setObjectName(name);
                if (item.SubItems) AddToMenu(sub, name, *item.SubItems);
                break;
            }
            case ToolbarKind::Separator: menu->addSeparator()->setObjectName(name); break;
            default: break;
            }
        }
    }
};

}  // namespace

// ---- item ---------------------------------------------------------------------------------

TToolbarItem::TToolbarItem(TToolbarItemList *owner, uint8_t kind) : Owner(owner), Kind(kind) {
    if (kind == ToolbarKind::SubMenu || kind == ToolbarKind::Combo)
        SubItems = std::make_unique<TToolbarItemList>(true);
}

TToolbarItem::~TToolbarItem() = default;

QString TToolbarItem::GetName() const {
    return Action ? Action->objectName() : Name;
}

void TToolbarItem::SetName(const QString &name) {
    if (!Action) Name = name;
}

int TToolbarItem::GetImageIndex() const {
    if (!Action) return ImageIndex;
    const int row = ActionIndex(Action->objectName().toStdString());
    return row < 0 ? ImageIndex : ActionTable()[size_t(row)].ImageIndex;
}

// ---- list ---------------------------------------------------------------------------------

TToolbarItemList::TToolbarItemList(bool ownsItems)
    : FOwnsItems(ownsItems), FSeparator(std::make_unique<TToolbarItem>(this, ToolbarKind::Separator)) {
    FSeparator->Name = SeparatorName;
}

TToolbarItemList::~TToolbarItemList() {
    Clear();
}

TToolbarItem *TToolbarItemList::AddAction(QAction *action, const TLanguageStrings &caption,
                                          const TLanguageStrings &category) {
    if (TToolbarItem *existing = FindByAction(action)) return existing;
    auto *item = new TToolbarItem(this, ToolbarKind::Button);
    item->Action = action;
    item->Caption = caption;
    item->Category = category;
    FItems.push_back(item);
    return item;
}

void TToolbarItemList::Add(TToolbarItem *item) {
    if (!item) return;
    if (item->Kind != ToolbarKind::Separator && Contains(item)) return;
    FItems.push_back(item);
}

void TToolbarItemList::Clear() {
    // A list's separator may stand in lists any number of times; it goes with its list.
    if (FOwnsItems)
        for (TToolbarItem *item : FItems)
            if (!item->Owner || item != item->Owner->Separator()) delete item;
    FItems.clear();
}

int TToolbarItemList::IndexOfAction(const QAction *action) const {
    for (int i = Count() - 1; i >= 0; --i)
        if (FItems[size_t(i)]->Action == action) return i;
    return -1;
}

int TToolbarItemList::IndexOfName(const QString &name) const {
    for (int i = Count() - 1; i >= 0; --i)
        if (FItems[size_t(i)]->GetName().compare(name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

TToolbarItem *TToolbarItemList::FindByAction(const QAction *action) const {
    return Items(IndexOfAction(action));
}

TToolbarItem *TToolbarItemList::FindByName(const QString &name) const {
    if (name.compare(SeparatorName, Qt::CaseInsensitive) == 0) return Separator();
    return Items(IndexOfName(name));
}

TToolbarItem *TToolbarItemList::Items(int index) const {
    return index >= 0 && index < Count() ? FItems[size_t(index)] : nullptr;
}

bool TToolbarItemList::Contains(const TToolbarItem *item) const {
    return std::find(FItems.begin(), FItems.end(), item) != FItems.end();
}

// ---- contents -----------------------------------------------------------------------------

TToolbarContents::TToolbarContents(QToolBar *toolbar) : Toolbar(toolbar) {}

TToolbarContents::~TToolbarContents() {
    // The referring lists go before the items they refer to.
    FSets.clear();
    Current.Clear();
}

TToolbarItemList *TToolbarContents::AddSet() {
    FSets.push_back(std::make_unique<TToolbarItemList>(false));
    return FSets.back().get();
}

TToolbarItemList *TToolbarContents::GetSet(int index) const {
    return index >= 0 && index < SetCount() ? FSets[size_t(index)].get() : nullptr;
}

void TToolbarContents::SetCurrent(const TToolbarItemList &list) {
    Current.Clear();
    for (int i = 0; i < list.Count(); ++i) Current.Add(list.Items(i));
    Apply();
}

void TToolbarContents::Apply() {
    if (!Toolbar) return;
    Toolbar->setUpdatesEnabled(false);
    // Separators and own actions were made for the old buttons: they go with them.
    QList<QPointer<QAction>> old;
    for (QAction *a : Toolbar->actions()) old << a;
    Toolbar->clear();
    for (const QPointer<QAction> &a : old)
        if (a && a->property(BuiltProperty).toBool()) delete a.data();
    TToolbarBuilder::Build(Toolbar, Current);
    Toolbar->setUpdatesEnabled(true);
}

void TToolbarContents::Load(const QString &key) {
    QStringList names;
    int32_t err = 0;
    RegGetValueNames(GetAppReg(), AppRegRoot::Product, key, names, err);
    Current.Clear();
    for (const QString &name : SortToolbarValueNames(names)) {
        QString value;
        RegReadStringDef(GetAppReg(), AppRegRoot::Product, key, RegName(name), QString(), value);
        Current.Add(All.FindByName(value));
    }
    if (Current.Count() == 0)
        if (TToolbarItemList *defaults = GetSet(0)) SetCurrent(*defaults);
    Apply();
}

void TToolbarContents::Store(const QString &key) const {
    int32_t err = 0;
    // The old key goes first: a shorter toolbar leaves no stale items behind.
    RegDeleteKey(GetAppReg(), AppRegRoot::Product, key, err);
    RaiseIfError(err);
    for (int i = 0; i < Current.Count(); ++i) {
        RegWriteString(GetAppReg(), AppRegRoot::Product, key, RegName(ToolbarValueName(i)),
                       Current.Items(i)->GetName(), err);
        RaiseIfError(err);
    }
}

QStringList SortToolbarValueNames(const QStringList &names) {
    static const QRegularExpression item(QStringLiteral("^Item_(\\d+)$"), QRegularExpression::CaseInsensitiveOption);
    std::vector<std::pair<qlonglong, QString>> numbered;
    QStringList others;
    for (const QString &name : names) {
        const QRegularExpressionMatch m = item.match(name);
        if (m.hasMatch())
            numbered.emplace_back(m.captured(1).toLongLong(), name);
        else
            others << name;
    }
    std::stable_sort(numbered.begin(), numbered.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    QStringList sorted;
    for (const auto &n : numbered) sorted << n.second;
    return sorted + others;
}

QString ToolbarValueName(int position) {
    return QStringLiteral("Item_%1").arg(position, 2, 10, QLatin1Char('0'));
}
