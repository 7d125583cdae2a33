#include "TestSupport.h"

#include "base/help/KvHTMLHelp.h"
#include "base/web/KvWBContainer.h"

#include <KvLibNav6/KvLanguage.h>

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

void Write(const QString &path, const QByteArray &content) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(content);
}

class HTMLHelp : public ::testing::Test {
protected:
    void SetUp() override {
        FreeHTMLHelper();
        FLanguage = GetCurrentLanguage();
        Root = testsupport::MakeTempDir(QStringLiteral("help"));
        Write(Root + "/en/index.html", "<p>English index</p>");
        Write(Root + "/en/2.html", "<p>Main window</p>");
        Write(Root + "/en/MarivoContext.inc",
              "2003;1;Contents\n7006;2;Main window\n7006;9;second line loses\n"
              "8017;;no topic\n4004;7;page missing\n9000;3\nbad;4;x\n");
        Write(Root + "/de/index.html", "<p>Deutscher Index</p>");
        Write(Root + "/de/2.html", "<p>Hauptfenster</p>");
        Write(Root + "/de/MarivoContext.inc", "7006;2;Hauptfenster\n");
    }
    void TearDown() override {
        FreeHTMLHelper();
        SetCurrentLanguage(FLanguage);
    }
    QString Root;

private:
    int32_t FLanguage = 1;
};

}  // namespace

TEST_F(HTMLHelp, NothingIsInitialisedBeforeTheFirstRequest) {
    EXPECT_FALSE(HTMLHelperCreated());
    THTMLHelper &helper = GetHTMLHelper();
    EXPECT_TRUE(HTMLHelperCreated());
    EXPECT_FALSE(helper.Initialized());
    helper.SetHelpRoot(Root);
    QStringList shown;
    helper.SetShowPage([&](const QString &f) { shown << f; });
    helper.HelpContext(7006);
    EXPECT_TRUE(helper.Initialized());
    EXPECT_EQ(shown, QStringList{Root + "/en/2.html"});
}

TEST_F(HTMLHelp, ContextsMapToPagesAndUnknownOnesShowTheIndex) {
    SetCurrentLanguage(KvLang::English);
    THTMLHelper &helper = GetHTMLHelper();
    helper.SetHelpRoot(Root);
    struct Case { const char *name; int32_t context; QString page; };
    const Case cases[] = {
        {"mapped", 7006, "/en/2.html"},
        {"unknown context", 12345, "/en/index.html"},
        {"empty topic", 8017, "/en/index.html"},
        {"topic without a page", 4004, "/en/index.html"},
        {"line of two parts is ignored", 9000, "/en/index.html"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(helper.PageForContext(c.context), Root + c.page);
    }
}

TEST_F(HTMLHelp, PagesFollowTheLanguageWithEnglishAsFallback) {
    THTMLHelper &helper = GetHTMLHelper();
    helper.SetHelpRoot(Root);
    SetCurrentLanguage(KvLang::German);
    EXPECT_EQ(helper.PageForContext(7006), Root + "/de/2.html");
    EXPECT_EQ(helper.PageForContext(2003), Root + "/de/index.html");
    SetCurrentLanguage(KvLang::Swedish);
    EXPECT_EQ(helper.PageForContext(7006), Root + "/en/2.html");

    helper.SetHelpRoot(Root + "/nothing here");
    EXPECT_TRUE(helper.PageForContext(7006).isEmpty());
    helper.HelpContext(7006);  // no help installed: nothing shown, nothing raised
}

TEST_F(HTMLHelp, OwnWindowIsReusedAndClosedAtShutdown) {
    SetCurrentLanguage(KvLang::English);
    THTMLHelper &helper = GetHTMLHelper();
    helper.SetHelpRoot(Root);
    const auto helpViews = [] {
        QList<TWBContainer *> views;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->isVisible())
                if (auto *v = w->findChild<TWBContainer *>(QStringLiteral("HelpView"))) views << v;
        return views;
    };
    helper.HelpContext(7006);
    helper.HelpContext(12345);
    const auto views = helpViews();
    ASSERT_EQ(views.size(), 1);
    EXPECT_TRUE(views[0]->toPlainText().contains("English index"));
    EXPECT_TRUE(views[0]->BlockRefreshKey);
    FreeHTMLHelper();
    EXPECT_TRUE(helpViews().isEmpty());
}
