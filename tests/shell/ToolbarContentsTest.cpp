// The main toolbar's contents: the item lists, loading and storing the buttons, building
// the toolbar, and the toolbar editor driven through its buttons, keys and drops.
#include "ShellTestSupport.h"
#include "TestSupport.h"
#include "base/dialogs/KvMsgBox.h"
#include "base/registry/KvRegistry.h"
#include "shell/FrmToolbarEdit.h"
#include "shell/KvToolBarUtils.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

namespace {

constexpr int32_t Root = AppRegRoot::Product;
const QString Key = QStringLiteral("Toolbars\\ToolbarMain");

const TLanguageStrings CatGeneral = {"General", "Algemeen", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};
const TLanguageStrings CatRoutes = {"Routes", "Routes", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};

TLanguageStrings Text(const char *english) {
    return {english, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};
}

// A toolbar with four available items (two categories) and a default set of
// Sound, separator, Search.
class ToolbarContents : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FStore.Opened());
        for (const char *name : {"ActionViewFind", "ActionSound", "ActionRouteEdit", "ActionRouteStart"}) {
            auto *a = new QAction(QString::fromLatin1(name), &Toolbar);
            a->setObjectName(QString::fromLatin1(name));
            Actions.push_back(a);
        }
        Contents.All.AddAction(Actions[0], Text("Search"), CatGeneral);
        Contents.All.AddAction(Actions[1], Text("Sound"), CatGeneral);
        Contents.All.AddAction(Actions[2], Text("Edit route"), CatRoutes);
        Contents.All.AddAction(Actions[3], Text("Start selected route"), CatRoutes);
        TToolbarItemList *defaults = Contents.AddSet();
        defaults->Add(Item("ActionSound"));
        defaults->Add(Contents.All.Separator());
        defaults->Add(Item("ActionViewFind"));
        FOldPrompter = SetMsgBoxPrompter([this](TMessageForm &form) {
            Messages << form.MessageLabel()->text();
            return Answer;
        });
    }
    void TearDown() override { SetMsgBoxPrompter(std::move(FOldPrompter)); }

    TToolbarItem *Item(const char *name) { return Contents.All.FindByName(QString::fromLatin1(name)); }
    void Write(const QString &name, const QString &value) {
        int32_t err = 0;
        RegWriteString(GetAppReg(), Root, Key, RegName(name), value, err);
        ASSERT_EQ(err, 0);
    }
    QStringList Stored() {
        QStringList names, out;
        int32_t err = 0;
        RegGetValueNames(GetAppReg(), Root, Key, names, err);
        for (const QString &n : names) {
            QString v;
            RegReadStringDef(GetAppReg(), Root, Key, RegName(n), QString(), v);
            out << n + QLatin1Char('=') + v;
        }
        return out;
    }
    static QStringList Names(const TToolbarItemList &list) {
        QStringList out;
        for (int i = 0; i < list.Count(); ++i) out << list.Items(i)->GetName();
        return out;
    }

    testsupport::TPrivateSettingsStore FStore{QStringLiteral("toolbar")};
    QToolBar Toolbar;
    std::vector<QAction *> Actions;
    TToolbarContents Contents{&Toolbar};
    QStringList Messages;
    int Answer = mrYes;

private:
    TMsgBoxPrompter FOldPrompter;
};

const QString Sep = QString::fromLatin1(ToolbarItemSeparatorName);

}  // namespace

TEST_F(ToolbarContents, ListsRefuseRepeatsButNotSeparatorsAndFindCaseInsensitively) {
    TToolbarItemList &all = Contents.All;
    EXPECT_EQ(all.AddAction(Actions[1], Text("other"), CatRoutes), Item("ActionSound"));
    EXPECT_EQ(all.Count(), 4);
    EXPECT_EQ(all.FindByName(QStringLiteral("actionsound")), Item("ActionSound"));
    EXPECT_EQ(all.FindByName(QStringLiteral("TOOLBARITEMSEPARATOR")), all.Separator());
    EXPECT_EQ(all.FindByName(QStringLiteral("ActionNone")), nullptr);
    EXPECT_EQ(all.Items(-1), nullptr);
    EXPECT_EQ(all.Items(4), nullptr);
    TToolbarItemList list(false);
    list.Add(Item("ActionSound"));
    list.Add(Item("ActionSound"));
    list.Add(nullptr);
    list.Add(all.Separator());
    list.Add(all.Separator());
    EXPECT_EQ(Names(list), QStringList({"ActionSound", Sep, Sep}));
    // An item with an action is named by it; a name of its own is for action-less items.
    Item("ActionSound")->SetName(QStringLiteral("Other"));
    EXPECT_EQ(Item("ActionSound")->GetName(), QStringLiteral("ActionSound"));
    EXPECT_EQ(Contents.GetSet(1), nullptr);
}

TEST_F(ToolbarContents, LoadTakesStoredNamesInNumericOrderAndFallsBackToTheDefault) {
    struct Case {
        const char *name;
        std::vector<std::pair<QString, QString>> stored;
        QStringList expected;
    };
    const Case cases[] = {
        {"repeat refused, separator kept",
         {{"Item_00", "ActionSound"}, {"Item_01", Sep}, {"Item_02", "ActionSound"}},
         {"ActionSound", Sep}},
        {"unknown names skipped",
         {{"Item_00", "ActionOfAnotherBuild"}, {"Item_01", "ActionRouteEdit"}},
         {"ActionRouteEdit"}},
        {"all unknown: the default set", {{"Item_00", "ActionOfAnotherBuild"}}, {"ActionSound", Sep, "ActionViewFind"}},
        {"empty key: the default set", {}, {"ActionSound", Sep, "ActionViewFind"}},
        // Written out of order, so that neither the store's order nor the names' text order
        // is the numeric one.
        {"numeric order beyond 99",
         {{"Item_100", "ActionRouteStart"}, {"Item_11", "ActionRouteEdit"}, {"Item_02", "ActionViewFind"},
          {"Item_99", "ActionSound"}},
         {"ActionViewFind", "ActionRouteEdit", "ActionSound", "ActionRouteStart"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        int32_t err = 0;
        RegDeleteKey(GetAppReg(), Root, Key, err);
        for (const auto &[n, v] : c.stored) Write(n, v);
        Contents.Load(Key);
        EXPECT_EQ(Names(Contents.Current), c.expected);
        EXPECT_EQ(Toolbar.actions().size(), c.expected.size());
    }
}

TEST_F(ToolbarContents, StoreReplacesTheKeyWithoutStaleValues) {
    for (int i = 0; i < 5; ++i) Write(ToolbarValueName(i), QStringLiteral("ActionSound"));
    Contents.Current.Add(Contents.All.Separator());
    Contents.Current.Add(Item("ActionViewFind"));
    Contents.Store(Key);
    EXPECT_EQ(Stored(), QStringList({"Item_00=" + Sep, "Item_01=ActionViewFind"}));
    EXPECT_EQ(ToolbarValueName(100), QStringLiteral("Item_100"));
}

TEST_F(ToolbarContents, ApplyNamesButtonsAfterTheirParentAndBuildsSubItems) {
    TToolbarItem *menu = new TToolbarItem(&Contents.All, ToolbarKind::SubMenu);
    menu->SetName(QStringLiteral("Extras"));
    // The sub-item list owns its items.
    menu->SubItems->AddAction(Actions[2], Text("Edit route"), CatRoutes);
    menu->SubItems->Add(menu->SubItems->Separator());
    menu->SubItems->AddAction(Actions[3], Text("Start selected route"), CatRoutes);
    Contents.All.Add(menu);
    Contents.Current.Add(Item("ActionSound"));
    Contents.Current.Add(Contents.All.Separator());
    Contents.Current.Add(menu);
    Contents.Current.Add(Item("ActionViewFind"));
    Contents.Apply();
    Contents.Apply();  // a rebuild leaves no button of the last build behind
    ASSERT_EQ(Toolbar.actions().size(), 4);
    QStringList names;
    for (QAction *a : Toolbar.actions())
        if (QWidget *w = Toolbar.widgetForAction(a)) names << w->objectName();
    EXPECT_EQ(names, QStringList({"Button1", "Button2", "Button3", "Button4"}));
    EXPECT_EQ(Toolbar.actions()[0], Actions[1]);
    EXPECT_TRUE(Toolbar.actions()[1]->isSeparator());
    auto *button = Toolbar.findChild<QToolButton *>(QStringLiteral("Button3"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->popupMode(), QToolButton::MenuButtonPopup);
    ASSERT_NE(button->menu(), nullptr);
    QStringList subNames;
    for (QAction *a : button->menu()->actions()) subNames << a->objectName();
    EXPECT_EQ(subNames, QStringList({"Button3Button1", "Button3Button2", "Button3Button3"}));
    // A sub-item runs its action.
    QSignalSpy triggered(Actions[2], &QAction::triggered);
    button->menu()->actions()[0]->trigger();
    EXPECT_EQ(triggered.size(), 1);
    Contents.Current.Clear();
}

// ---- editor -------------------------------------------------------------------------------

namespace {

class ToolbarEditor : public ToolbarContents {
protected:
    void SetUp() override {
        ToolbarContents::SetUp();
        Contents.Current.Add(Item("ActionSound"));
        Contents.Current.Add(Item("ActionRouteEdit"));
    }
    // Selects the available node with that text.
    void SelectAvailable(TFormToolbarEdit &form, const QString &text) {
        const QModelIndexList found = form.ItemsModel->match(form.ItemsModel->index(0, 0), Qt::DisplayRole, text, 1,
                                                             Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_EQ(found.size(), 1) << text.toStdString();
        form.ListViewItems->selectionModel()->setCurrentIndex(found.first(), QItemSelectionModel::ClearAndSelect);
    }
    void SelectContents(TFormToolbarEdit &form, int row) {
        form.ListViewContents->selectionModel()->setCurrentIndex(form.ContentsModel->index(row, 0),
                                                                 QItemSelectionModel::ClearAndSelect);
    }
    static QStringList Shown(const TFormToolbarEdit &form) {
        QStringList out;
        for (const TToolbarItem *item : form.ContentsModel->Items()) out << item->GetName();
        return out;
    }
};

}  // namespace

TEST_F(ToolbarEditor, ModelsPassTheModelTesterAndTheTreeFollowsTheSortRule) {
    TFormToolbarEdit form(Contents);
    QAbstractItemModelTester contents(form.ContentsModel, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QAbstractItemModelTester items(form.ItemsModel, QAbstractItemModelTester::FailureReportingMode::Fatal);
    // Leaves first (the separator), categories after in the order they were met (from the
    // last item), items by case-sensitive text.
    QStringList all;
    for (const auto &root : form.ItemsModel->Roots()) {
        all << root.Text;
        for (const auto &child : root.Children) all << QStringLiteral("  ") + child.Text;
    }
    EXPECT_EQ(all, QStringList({"Separator", "Routes", "  Edit route", "  Start selected route", "General",
                                "  Search", "  Sound"}));
    using TNode = TToolbarItemsModel::TNode;
    const TNode leafA{QStringLiteral("a"), Item("ActionSound"), {}}, leafB{QStringLiteral("B"), Item("ActionSound"), {}};
    const TNode parent{QStringLiteral("A"), nullptr, {leafA}};
    EXPECT_GT(TToolbarItemsModel::Compare(parent, leafA), 0);
    EXPECT_LT(TToolbarItemsModel::Compare(leafA, parent), 0);
    EXPECT_GT(TToolbarItemsModel::Compare(leafA, leafB), 0);  // 'B' < 'a'
    EXPECT_GT(TToolbarItemsModel::Compare(parent, parent), 0);
    form.ContentsModel->Insert(0, Contents.All.Separator());
    form.ContentsModel->Move(0, 3);
    form.ContentsModel->Remove(2);
    form.reject();
}

TEST_F(ToolbarEditor, ItemsOnTheToolbarAreHiddenAndEmptyCategoriesWithThem) {
    TFormToolbarEdit form(Contents);
    // Sound and Edit route are on the toolbar; the separator always stays available.
    EXPECT_EQ(form.VisibleAvailable(),
              QStringList({"Separator", "Routes", "  Start selected route", "General", "  Search"}));
    SelectAvailable(form, QStringLiteral("Search"));
    ASSERT_TRUE(form.ButtonItemAdd->isEnabled());
    SelectContents(form, 0);
    form.ButtonItemAdd->click();
    EXPECT_EQ(Shown(form), QStringList({"ActionSound", "ActionViewFind", "ActionRouteEdit"}));
    EXPECT_EQ(form.ListViewContents->currentIndex().row(), 1);
    // General has no item left to offer.
    EXPECT_EQ(form.VisibleAvailable(), QStringList({"Separator", "Routes", "  Start selected route"}));
    SelectAvailable(form, QStringLiteral("Routes"));
    EXPECT_TRUE(form.ButtonItemAdd->isEnabled());  // a category enables it but adds nothing
    form.ButtonItemAdd->click();
    EXPECT_EQ(Shown(form).size(), 3);
    form.reject();
}

TEST_F(ToolbarEditor, UpDownFollowTheSelectionAndDeleteAsksFirst) {
    TFormToolbarEdit form(Contents);
    EXPECT_FALSE(form.ButtonItemUp->isEnabled());
    EXPECT_FALSE(form.ButtonItemDown->isEnabled());
    EXPECT_FALSE(form.ButtonItemDelete->isEnabled());
    EXPECT_TRUE(form.ButtonItemReset->isEnabled());
    SelectContents(form, 0);
    EXPECT_FALSE(form.ButtonItemUp->isEnabled());
    EXPECT_TRUE(form.ButtonItemDown->isEnabled());
    form.ButtonItemDown->click();
    EXPECT_EQ(Shown(form), QStringList({"ActionRouteEdit", "ActionSound"}));
    EXPECT_TRUE(form.ButtonItemUp->isEnabled());
    EXPECT_FALSE(form.ButtonItemDown->isEnabled());
    form.ButtonItemUp->click();
    EXPECT_EQ(Shown(form), QStringList({"ActionSound", "ActionRouteEdit"}));
    Answer = mrNo;
    form.ButtonItemDelete->click();
    EXPECT_EQ(Shown(form).size(), 2);
    ASSERT_EQ(Messages.size(), 1);
    EXPECT_EQ(Messages[0], QStringLiteral("Are you sure you wish to delete the selected action from the toolbar?"));
    Answer = mrYes;
    SelectContents(form, 1);
    QTest::keyClick(form.ListViewContents, Qt::Key_Delete);
    EXPECT_EQ(Shown(form), QStringList({"ActionSound"}));
    // The neighbour takes the selection; Edit route is available again.
    EXPECT_EQ(form.ListViewContents->currentIndex().row(), 0);
    EXPECT_TRUE(form.VisibleAvailable().contains(QStringLiteral("  Edit route")));
    form.reject();
}

TEST_F(ToolbarEditor, ResetRefillsTheDefaultSetAndAnEmptyToolbarIsRefused) {
    TFormToolbarEdit form(Contents);
    Answer = mrNo;
    form.ButtonItemReset->click();
    EXPECT_EQ(Shown(form), QStringList({"ActionSound", "ActionRouteEdit"}));
    Answer = mrYes;
    form.ButtonItemReset->click();
    EXPECT_EQ(Shown(form), QStringList({"ActionSound", Sep, "ActionViewFind"}));
    EXPECT_EQ(Messages.last(), QStringLiteral("Are you sure you wish to reset the toolbar to its original state?"));
    for (int i = 0; i < 3; ++i) {
        SelectContents(form, 0);
        form.ButtonItemDelete->click();
    }
    ASSERT_EQ(form.ContentsModel->rowCount(), 0);
    form.show();
    form.ButtonOk->click();
    EXPECT_EQ(Messages.last(),
              QStringLiteral("The toolbar cannot be empty.\n\nPlease add at least one item to the toolbar."));
    EXPECT_FALSE(form.Closed());
    EXPECT_TRUE(form.isVisible());
    // The contents were not touched.
    EXPECT_EQ(Names(Contents.Current), QStringList({"ActionSound", "ActionRouteEdit"}));
    form.reject();
}

TEST_F(ToolbarEditor, OkTakesTheNodesInOrderWithOneSeparatorPerRun) {
    int shown = 0;
    auto old = TFormToolbarEdit::SetPrompter([&](TFormToolbarEdit &form) {
        ++shown;
        // Separator, separator, Search: built by drops from the available tree.
        const auto &roots = form.ItemsModel->Roots();
        int general = -1, search = -1;
        for (int r = 0; r < int(roots.size()); ++r)
            for (int c = 0; c < int(roots[size_t(r)].Children.size()); ++c)
                if (roots[size_t(r)].Children[size_t(c)].Item == Item("ActionViewFind")) general = r, search = c;
        form.ContentsModel->SetItems({});
        auto drop = [&](const QString &node, int row) { return form.ListViewContents->OnDrop(node, row, true); };
        EXPECT_TRUE(drop(QStringLiteral("items -1 0"), 0));
        EXPECT_TRUE(drop(QStringLiteral("items -1 0"), 1));
        EXPECT_TRUE(drop(QStringLiteral("items %1 %2").arg(general).arg(search), 2));
        // Search is on the toolbar now: a second drop of it is refused; a move onto itself too.
        EXPECT_FALSE(drop(QStringLiteral("items %1 %2").arg(general).arg(search), 0));
        EXPECT_FALSE(drop(QStringLiteral("contents 2"), 2));
        // Moving Search above the first separator and back.
        EXPECT_TRUE(drop(QStringLiteral("contents 2"), 0));
        EXPECT_EQ(Shown(form), QStringList({"ActionViewFind", Sep, Sep}));
        EXPECT_TRUE(drop(QStringLiteral("contents 0"), 3));
        form.ButtonOk->click();
        return int(QDialog::Accepted);
    });
    ASSERT_TRUE(TFormToolbarEdit::Execute(Contents));
    TFormToolbarEdit::SetPrompter(std::move(old));
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(Names(Contents.Current), QStringList({Sep, "ActionViewFind"}));
    ASSERT_EQ(Toolbar.actions().size(), 2);
    EXPECT_TRUE(Toolbar.actions()[0]->isSeparator());
    Contents.Store(Key);
    EXPECT_EQ(Stored(), QStringList({"Item_00=" + Sep, "Item_01=ActionViewFind"}));
}

TEST_F(ToolbarEditor, CancelLeavesTheContentsAsTheyWere) {
    auto old = TFormToolbarEdit::SetPrompter([&](TFormToolbarEdit &form) {
        form.ContentsModel->SetItems({});
        return int(QDialog::Rejected);
    });
    EXPECT_FALSE(TFormToolbarEdit::Execute(Contents));
    TFormToolbarEdit::SetPrompter(std::move(old));
    EXPECT_EQ(Names(Contents.Current), QStringList({"ActionSound", "ActionRouteEdit"}));
}

TEST_F(ToolbarEditor, Screenshot) {
    TFormToolbarEdit form(Contents);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    SelectContents(form, 1);
    shelltest::SaveScreenshot(&form, QStringLiteral("toolbar-editor"));
    form.ContentsModel->SetItems({});
    form.ListViewContents->viewport()->repaint();
    shelltest::SaveScreenshot(&form, QStringLiteral("toolbar-editor-empty"));
    form.reject();
}
