#include "TestSupport.h"

#include "base/dialogs/KvDialogs.h"
#include "base/dialogs/KvMsgBox.h"
#include "base/folders/KvShellView.h"
#include "base/texts/KvStr.h"

#include <KvLibNav6/KvLanguage.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTest>

namespace {

class BrowseFolder : public ::testing::Test {
protected:
    void SetUp() override {
        FLanguage = GetCurrentLanguage();
        SetCurrentLanguage(KvLang::English);
        Root = testsupport::MakeTempDir(QStringLiteral("browse"));
        SetMsgBoxPrompter([this](TMessageForm &) {
            ++Messages;
            return mrOk;
        });
    }
    void TearDown() override {
        TFormBrowseFolder::SetPrompter(nullptr);
        SetMsgBoxPrompter(nullptr);
        SetCurrentLanguage(FLanguage);
    }
    QString Root;
    int Messages = 0;
    int32_t FLanguage = KvLang::English;
};

}  // namespace

TEST_F(BrowseFolder, OpensOnNearestExistingParentAndConfirms) {
    QDir(Root).mkpath(QStringLiteral("charts"));
    TBrowseFolderDialog dlg;
    dlg.Folder = Root + QStringLiteral("/charts/missing/too");
    QString shown;
    TFormBrowseFolder::SetPrompter([&](TFormBrowseFolder &form) {
        shown = form.ShellTreeView->GetSelectedPath();
        EXPECT_TRUE(form.ButtonOk->isEnabled());
        return int(QDialog::Accepted);
    });
    EXPECT_TRUE(dlg.Execute());
    EXPECT_EQ(shown, Root + QStringLiteral("/charts/"));
    EXPECT_EQ(dlg.Folder, Root + QStringLiteral("/charts/"));
    EXPECT_EQ(Messages, 0);
}

TEST_F(BrowseFolder, CancelLeavesTheFolder) {
    TBrowseFolderDialog dlg;
    dlg.Folder = Root;
    TFormBrowseFolder::SetPrompter([](TFormBrowseFolder &form) {
        form.show();
        QTest::mouseClick(form.ButtonCancel, Qt::LeftButton);
        return form.result();
    });
    EXPECT_FALSE(dlg.Execute());
    EXPECT_EQ(dlg.Folder, Root);
}

TEST_F(BrowseFolder, ReadOnlyDirectoryCannotBeConfirmedWithNoReadOnlyReturn) {
    const QString ro = Root + QStringLiteral("/ro");
    QDir().mkpath(ro);
    QFile::setPermissions(ro, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    struct Case { const char *name; TBrowseDirOptions options; bool ok; };
    const Case cases[] = {{"with bfNoReadOnlyReturn", bfNewFolder | bfNoReadOnlyReturn, false},
                          {"without", bfNewFolder, true}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TBrowseFolderDialog dlg;
        dlg.Folder = ro;
        dlg.Options = c.options;
        TFormBrowseFolder::SetPrompter([&](TFormBrowseFolder &form) {
            EXPECT_EQ(form.ButtonOk->isEnabled(), c.ok);
            EXPECT_TRUE(form.ButtonNew->isEnabled());
            return int(QDialog::Accepted);  // as Enter would
        });
        EXPECT_EQ(dlg.Execute(), c.ok);
        EXPECT_EQ(dlg.Folder, c.ok ? ro + u'/' : ro);
    }
    QFile::setPermissions(ro, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST_F(BrowseFolder, NewFolderButtonFollowsOptionsAndReadOnly) {
    struct Case { const char *name; bool readOnly; TBrowseDirOptions options; bool visible; bool creates; };
    const Case cases[] = {{"read-only tree", true, bfNewFolder, true, false},
                          {"writable tree", false, bfNewFolder, true, true},
                          {"no bfNewFolder", false, 0, false, false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString dir = testsupport::MakeTempDir(QStringLiteral("newbtn"));
        TFormBrowseFolder form(QString(), dir, c.readOnly, bkSave, c.options);
        form.show();
        EXPECT_EQ(form.ButtonNew->isVisible(), c.visible);
        if (c.visible) QTest::mouseClick(form.ButtonNew, Qt::LeftButton);
        EXPECT_EQ(QFileInfo(dir + QStringLiteral("/New folder")).isDir(), c.creates);
    }
    EXPECT_EQ(Messages, 0);
}

TEST_F(BrowseFolder, CaptionFollowsTitleAndKind) {
    struct Case { const char *name; const char *title; TBrowseFolderKind kind; QString caption; };
    const Case cases[] = {
        {"title wins", "Export to", bkSave, QStringLiteral("Export to")},
        {"open", "", bkOpen, LanguageText(KvStr::FolderSelectSource)},
        {"save", "", bkSave, LanguageText(KvStr::FolderSelectDestination)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TFormBrowseFolder form(QString::fromLatin1(c.title), Root, false, c.kind, bfNewFolder);
        EXPECT_EQ(form.windowTitle(), c.caption);
        EXPECT_GE(form.minimumWidth(), 300);
    }
}
