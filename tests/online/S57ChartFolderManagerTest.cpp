// The S-57 chart folder dialog on a list the test owns: adding (twice gives two records),
// deleting a multi-selection with one question, the remembered folder, the hidden buttons.
#include "online/FrmS57ChartFolderManager.h"

#include "OnlineTestSupport.h"
#include "TestSupport.h"
#include "base/dialogs/KvBrowseFolderFrm.h"
#include "base/registry/KvRegistry.h"
#include "base/folders/KvShellView.h"

#include <KvLibNav6/KvAppReg.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace {

TS57ChartFolder Record(const QString &folder, bool withSubfolders = true) {
    TS57ChartFolder r;
    r.Folder = folder.toStdU16String();
    r.WithSubfolders = withSubfolders;
    return r;
}

QStringList Folders(const TS57ChartFolderList &list) {
    QStringList out;
    for (const TS57ChartFolder &r : list) out << QString::fromStdU16String(r.Folder) + (r.WithSubfolders ? "|sub" : "|flat");
    return out;
}

QString LastFolder() {
    QString value;
    RegReadStringDef(GetAppReg(), AppRegRoot::Product, QStringLiteral("Desktop\\ChartManager"), RegName(u"LastS57Folder"),
                     QStringLiteral("<none>"), value);
    return value;
}

class S57ChartFolderManager : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FStore.Opened());
        Root = testsupport::MakeTempDir(QStringLiteral("s57foldermanager"));
        for (const char *sub : {"b", "a", "C"}) QDir().mkpath(Root + u'/' + QLatin1String(sub));
    }
    void TearDown() override { TFormBrowseFolder::SetPrompter(nullptr); }
    // The browser chooses folder, or is cancelled when folder is empty.
    void Browse(const QString &folder) {
        TFormBrowseFolder::SetPrompter([folder](TFormBrowseFolder &form) {
            if (folder.isEmpty()) return int(QDialog::Rejected);
            form.ShellTreeView->SelectPath(folder);
            return int(QDialog::Accepted);
        });
    }
    QStringList Rows(const TFormS57ChartFolderManager &form) {
        QStringList out;
        for (int i = 0; i < form.ListView->topLevelItemCount(); ++i)
            out << form.ListView->topLevelItem(i)->text(0) + (form.ListView->topLevelItem(i)->isSelected() ? "*" : "");
        return out;
    }

    testsupport::TPrivateSettingsStore FStore;
    QString Root;
};

}  // namespace

TEST_F(S57ChartFolderManager, AddAppendsARecordEveryTimeAndRemembersTheFolder) {
    TS57ChartFolderList list{Record(Root + "/b", false)};
    TFormS57ChartFolderManager form(list, nullptr, nullptr, 0);
    EXPECT_EQ(form.windowTitle(), "S57 chart folder manager");
    EXPECT_FALSE(form.ButtonDelete->isEnabled());

    Browse({});
    form.ButtonAddClick();
    EXPECT_EQ(list.size(), 1u);
    EXPECT_EQ(LastFolder(), "<none>");

    Browse(Root + "/a");
    form.ButtonAddClick();
    form.ButtonAddClick();
    const QString added = Root + "/a/";
    EXPECT_EQ(Folders(list), QStringList({Root + "/b|flat", added + "|sub", added + "|sub"}));
    EXPECT_FALSE(list.back().IsIENCSet);
    EXPECT_EQ(LastFolder(), added);
    // Sorted by folder; the added folder's rows are selected.
    EXPECT_EQ(Rows(form), QStringList({added + "*", added + "*", Root + "/b"}));
    EXPECT_TRUE(form.ButtonDelete->isEnabled());
}

TEST_F(S57ChartFolderManager, DeletingAMultiSelectionAsksOnce) {
    TS57ChartFolderList list{Record(Root + "/b"), Record(Root + "/a"), Record(Root + "/C")};
    TFormS57ChartFolderManager form(list, nullptr, nullptr, 0);
    form.show();
    ASSERT_EQ(Rows(form), QStringList({Root + "/a", Root + "/b", Root + "/C"})) << "case-insensitive order";
    {
        // Nothing selected: the key does nothing.
        onlinetest::TMessages answers(mrYes);
        QTest::keyClick(form.ListView, Qt::Key_Delete);
        EXPECT_TRUE(answers.Texts.isEmpty());
    }
    form.ListView->topLevelItem(0)->setSelected(true);
    form.ListView->topLevelItem(2)->setSelected(true);
    {
        onlinetest::TMessages answers(mrNo);
        QTest::keyClick(form.ListView, Qt::Key_Delete);
        EXPECT_EQ(answers.Texts, QStringList({"Are you sure you want to remove the selected S57 chart folder?"}));
        EXPECT_EQ(list.size(), 3u);
    }
    {
        onlinetest::TMessages answers(mrYes);
        form.ButtonDelete->click();
        EXPECT_EQ(answers.Texts.size(), 1);
    }
    EXPECT_EQ(Folders(list), QStringList({Root + "/b|sub"}));
    EXPECT_EQ(Rows(form), QStringList({Root + "/b"}));
    EXPECT_FALSE(form.ButtonDelete->isEnabled());
}

TEST_F(S57ChartFolderManager, HiddenButtonsStayHiddenAndWorkThroughTheDialog) {
    TS57ChartFolderList list{Record(Root + "/a", true), Record(Root + "/b", false)};
    TFormS57ChartFolderManager form(list, nullptr, nullptr, 0x100);
    form.show();
    for (QPushButton *b : {form.ButtonSubfolders, form.ButtonDownload, form.ButtonIENCDLManager})
        EXPECT_FALSE(b->isVisible()) << b->text().toStdString();
    EXPECT_EQ(form.ButtonIENCDLManager->text(), "IENC advanced...");
    form.ListView->selectAll();
    form.ButtonSubfoldersClick();
    EXPECT_EQ(Folders(list), QStringList({Root + "/a|flat", Root + "/b|sub"}));

    // The download manager behind "IENC advanced..." may add to the list; the rows follow.
    const auto old = TFormS57ChartFolderManager::SetIENCExecute(
        [&](TS57ChartFolderList &l, IMRCChartCheck *, INavMessageDispatcher *) { l.push_back(Record(Root + "/C")); });
    form.ButtonIENCDLManagerClick();
    TFormS57ChartFolderManager::SetIENCExecute(old);
    EXPECT_EQ(Rows(form), QStringList({Root + "/a", Root + "/b", Root + "/C"}));
}
