#include "TestSupport.h"

#include "base/dialogs/KvMsgBox.h"
#include "base/folders/KvShellView.h"
#include "base/texts/KvStr.h"

#include <KvLibNav6/KvLanguage.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>

#include <unistd.h>

namespace {

// Collects the messages MsgBox shows and answers each with OK.
class FolderTree : public ::testing::Test {
protected:
    void SetUp() override {
        FLanguage = GetCurrentLanguage();
        SetCurrentLanguage(KvLang::English);
        Root = testsupport::MakeTempDir(QStringLiteral("tree"));
        SetMsgBoxPrompter([this](TMessageForm &form) {
            Messages << form.MessageLabel()->text();
            return mrOk;
        });
    }
    void TearDown() override {
        SetMsgBoxPrompter(nullptr);
        SetCurrentLanguage(FLanguage);
    }
    void MakeFile(const QString &path) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("x");
    }
    QStringList Entries() const { return QDir(Root).entryList(QDir::AllEntries | QDir::NoDotAndDotDot); }

    QString Root;
    QStringList Messages;
    int32_t FLanguage = KvLang::English;
};

QString Msg(const TLanguageStrings &t) { return LanguageText(t); }

}  // namespace

TEST_F(FolderTree, ExpanderOnlyForFoldersWithShownChildren) {
    QDir(Root).mkpath(QStringLiteral("onlyfiles"));
    MakeFile(Root + QStringLiteral("/onlyfiles/a.txt"));
    QDir(Root).mkpath(QStringLiteral("withsub/inner"));
    QDir(Root).mkpath(QStringLiteral("empty"));
    struct Case { const char *name; TShellObjectTypes types; bool onlyFiles, withSub, empty; };
    const Case cases[] = {{"folders only", otFolders, false, true, false},
                          {"with non-folders", otFolders | otNonFolders, true, true, false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TShellTreeViewEx tree;
        tree.SetObjectTypes(c.types);
        auto has = [&](const char *sub) {
            const QModelIndex i = tree.IndexOfPath(Root + u'/' + QLatin1String(sub));
            EXPECT_TRUE(i.isValid()) << sub;
            return tree.model()->hasChildren(i);
        };
        EXPECT_EQ(has("onlyfiles"), c.onlyFiles);
        EXPECT_EQ(has("withsub"), c.withSub);
        EXPECT_EQ(has("empty"), c.empty);
    }
    EXPECT_TRUE(Messages.isEmpty());
}

TEST_F(FolderTree, NewFolderTwiceNumbersTheSecondAndStartsRenaming) {
    TShellTreeViewEx tree;
    tree.ReadOnly = false;
    tree.show();
    tree.SelectPath(Root);
    EXPECT_EQ(tree.GetSelectedPath(), Root + u'/');
    tree.CreateNewFolder();
    EXPECT_TRUE(QFileInfo(Root + QStringLiteral("/New folder")).isDir());
    EXPECT_EQ(tree.GetSelectedPath(), Root + QStringLiteral("/New folder/"));
    EXPECT_TRUE(tree.IsEditing());
    tree.SelectPath(Root);
    tree.CreateNewFolder();
    EXPECT_TRUE(QFileInfo(Root + QStringLiteral("/New folder (1)")).isDir());
    EXPECT_EQ(Entries().size(), 2);
    EXPECT_TRUE(Messages.isEmpty());
}

TEST_F(FolderTree, NewFolderInTheInterfaceLanguage) {
    SetCurrentLanguage(KvLang::Dutch);
    TShellTreeViewEx tree;
    tree.ReadOnly = false;
    tree.SelectPath(Root);
    tree.CreateNewFolder();
    EXPECT_TRUE(QFileInfo(Root + QStringLiteral("/Nieuwe map")).isDir());
}

TEST_F(FolderTree, BadNamesShowTheirMessageAndCreateNothing) {
    MakeFile(Root + QStringLiteral("/taken-by-file"));
    QDir(Root).mkpath(QStringLiteral("taken"));
    struct Case { const char *name; QString folder; const TLanguageStrings *message; };
    const Case cases[] = {
        {"backslash", QStringLiteral("a\\b"), &KvStr::FolderInvalidChars},
        {"slash", QStringLiteral("a/b"), &KvStr::FolderInvalidChars},
        {"colon", QStringLiteral("a:b"), &KvStr::FolderInvalidChars},
        {"asterisk", QStringLiteral("a*"), &KvStr::FolderInvalidChars},
        {"question mark", QStringLiteral("a?"), &KvStr::FolderInvalidChars},
        {"double quote", QStringLiteral("\"a\""), &KvStr::FolderInvalidChars},
        {"less than", QStringLiteral("<a"), &KvStr::FolderInvalidChars},
        {"greater than", QStringLiteral("a>"), &KvStr::FolderInvalidChars},
        {"bar", QStringLiteral("a|b"), &KvStr::FolderInvalidChars},
        {"control character", QStringLiteral("a\tb"), &KvStr::FolderInvalidChars},
        {"existing folder", QStringLiteral("taken"), &KvStr::FolderAlreadyExists},
        {"existing file", QStringLiteral("taken-by-file"), &KvStr::FolderAlreadyExists},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Messages.clear();
        TShellTreeViewEx tree;
        tree.ReadOnly = false;
        tree.OnFolderCreate = [&](TShellTreeViewEx *, QString &folder, bool &) { folder = c.folder; };
        tree.SelectPath(Root);
        const QStringList before = Entries();
        tree.CreateNewFolder();
        EXPECT_EQ(Messages, QStringList{Msg(*c.message)});
        EXPECT_EQ(Entries(), before);
        EXPECT_EQ(tree.GetSelectedPath(), Root + u'/') << "the selection stays";
    }
    EXPECT_TRUE(Msg(KvStr::FolderInvalidChars)
                    .endsWith(QStringLiteral("\\    /   :   *   ?   \"   <   >   |")) ||
                Msg(KvStr::FolderInvalidChars).endsWith(QStringLiteral("\\   /   :   *   ?   \"   <   >   |")));
}

TEST_F(FolderTree, RefusedOrReadOnlyCreatesNothingSilently) {
    struct Case { const char *name; bool readOnly; bool refuse; };
    const Case cases[] = {{"read-only tree", true, false}, {"refused by the handler", false, true}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TShellTreeViewEx tree;
        tree.ReadOnly = c.readOnly;
        tree.OnFolderCreate = [&](TShellTreeViewEx *, QString &, bool &can) { can = !c.refuse; };
        tree.SelectPath(Root);
        tree.CreateNewFolder();
        EXPECT_TRUE(Entries().isEmpty());
        EXPECT_TRUE(Messages.isEmpty());
    }
}

TEST_F(FolderTree, FailedCreationSaysTheFolderCannotBeCreated) {
    // A folder nobody may write to; root may write anywhere, but not below /proc.
    QString place = QStringLiteral("/proc");
    if (geteuid() != 0) {
        place = Root + QStringLiteral("/locked");
        QDir().mkpath(place);
        QFile::setPermissions(place, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    }
    TShellTreeViewEx tree;
    tree.ReadOnly = false;
    tree.SelectPath(place);
    ASSERT_EQ(tree.GetSelectedPath(), place + u'/');
    tree.CreateNewFolder();
    EXPECT_EQ(Messages, QStringList{Msg(KvStr::FolderCannotCreate)});
    EXPECT_FALSE(QFileInfo::exists(place + QStringLiteral("/New folder")));
    QFile::setPermissions(place, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST_F(FolderTree, UnknownPathShowsNotFoundAndKeepsSelection) {
    TShellTreeViewEx tree;
    tree.SelectPath(Root);
    tree.SelectPath(Root + QStringLiteral("/no/such/folder"));
    EXPECT_EQ(Messages, QStringList{Msg(KvStr::FolderNotFound)});
    EXPECT_EQ(tree.GetSelectedPath(), Root + u'/');
    tree.SelectPath(QString());
    EXPECT_EQ(Messages.size(), 1) << "an empty path does nothing";
}

TEST_F(FolderTree, RefreshClimbsToTheNearestExistingFolder) {
    QDir(Root).mkpath(QStringLiteral("a/b"));
    TShellTreeViewEx tree;
    tree.SelectPath(Root + QStringLiteral("/a/b"));
    ASSERT_EQ(tree.GetSelectedPath(), Root + QStringLiteral("/a/b/"));
    QDir(Root + QStringLiteral("/a")).removeRecursively();
    tree.Refresh();
    EXPECT_EQ(tree.GetSelectedPath(), Root + u'/');
    EXPECT_TRUE(Messages.isEmpty());
}

TEST_F(FolderTree, RenameChecksNameAndTarget) {
    QDir(Root).mkpath(QStringLiteral("old"));
    QDir(Root).mkpath(QStringLiteral("other"));
    TShellTreeViewEx tree;
    tree.ReadOnly = false;
    struct Case { const char *name; QString newName; bool ok; };
    const Case cases[] = {{"forbidden character", QStringLiteral("x:y"), false},
                          {"existing name", QStringLiteral("other"), false},
                          {"empty", QString(), false},
                          {"fine", QStringLiteral("new"), true}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Messages.clear();
        const QModelIndex index = tree.IndexOfPath(Root + QStringLiteral("/old"));
        ASSERT_TRUE(index.isValid());
        EXPECT_EQ(tree.model()->setData(index, c.newName), c.ok);
        EXPECT_EQ(Messages, c.ok ? QStringList() : QStringList{Msg(KvStr::FolderCannotRename)});
        EXPECT_EQ(QFileInfo(Root + QStringLiteral("/old")).isDir(), !c.ok);
    }
    EXPECT_TRUE(QFileInfo(Root + QStringLiteral("/new")).isDir());
}

TEST_F(FolderTree, EditRespectsReadOnlyAndTheEditEvent) {
    QDir(Root).mkpath(QStringLiteral("sub"));
    struct Case { const char *name; bool readOnly; bool veto; bool editing; };
    const Case cases[] = {{"read-only", true, false, false},
                          {"vetoed", false, true, false},
                          {"allowed", false, false, true}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TShellTreeViewEx tree;
        tree.ReadOnly = c.readOnly;
        int asked = 0;
        tree.OnFolderEdit = [&](TShellTreeViewEx *, const TShellData &d, bool &allowed) {
            ++asked;
            EXPECT_EQ(d.Path, Root + QStringLiteral("/sub/"));
            allowed = !c.veto;
        };
        tree.show();
        tree.SelectPath(Root + QStringLiteral("/sub"));
        tree.edit(tree.currentIndex());
        EXPECT_EQ(tree.IsEditing(), c.editing);
        EXPECT_EQ(asked, c.readOnly ? 0 : 1);
    }
}

TEST_F(FolderTree, SelectionReportsTheFolderAndContextMenuFollowsReadOnly) {
    QDir(Root).mkpath(QStringLiteral("sub"));
    TShellTreeViewEx tree;
    QString selected;
    tree.OnFolderSelect = [&](TShellTreeViewEx *, const TShellData &d) { selected = d.Path; };
    tree.SelectPath(Root + QStringLiteral("/sub"));
    EXPECT_EQ(selected, Root + QStringLiteral("/sub/"));
    for (bool readOnly : {true, false}) {
        tree.ReadOnly = readOnly;
        std::unique_ptr<QMenu> menu(tree.CreateContextMenu());
        const QList<QAction *> actions = menu->actions();
        ASSERT_GE(actions.size(), 3);
        for (int i = 0; i < 3; ++i) EXPECT_EQ(actions[i]->isEnabled(), !readOnly) << i;
    }
}

TEST(FolderPaths, NearestExistingDirAndShellData) {
    const QString root = testsupport::MakeTempDir(QStringLiteral("paths"));
    EXPECT_EQ(NearestExistingDir(root + QStringLiteral("/x/y")), root);
    EXPECT_EQ(NearestExistingDir(QStringLiteral("/no-such-top-folder/x")), QStringLiteral("/"));
    EXPECT_EQ(NearestExistingDir(QString()), QString());
    EXPECT_EQ(ShellDataOf(QStringLiteral("/")).Path, QStringLiteral("/"));
    const TShellData missing = ShellDataOf(root + QStringLiteral("/gone"));
    EXPECT_TRUE(missing.Path.isEmpty());
    EXPECT_FALSE(missing.IsFileSystem);
    QDir(root).mkpath(QStringLiteral("ro"));
    QFile::setPermissions(root + QStringLiteral("/ro"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    EXPECT_TRUE(ShellDataOf(root + QStringLiteral("/ro")).ReadOnly);
    EXPECT_FALSE(ShellDataOf(root).ReadOnly);
}
