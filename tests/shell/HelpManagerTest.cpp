// The help manager: the topic map beside the help file, the routing between compiled help
// and the program's help window, the reused help window, the pages every shell dialog's
// help context leads to, and the printable keyboard page.
#include "ShellTestSupport.h"
#include "TestSupport.h"
#include "base/dialogs/KvMsgBox.h"
#include "base/help/KvHTMLHelp.h"
#include "base/settings/KvRegDesktop.h"
#include "base/web/KvWBContainer.h"
#include "shell/FrmHelp.h"
#include "shell/FrmHelpKeyboard.h"
#include "shell/FrmToolbarEdit.h"
#include "shell/KvToolBarUtils.h"
#include "shell/MarivoPrinter.h"

#include <KvLibNav6/KvLanguage.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextStream>
#include <QToolBar>

namespace {

const QString HelpRoot = QStringLiteral(MARIVO_SOURCE_DIR_STR "/data/help");

void WriteText(const QString &file, const QString &text) {
    QDir().mkpath(QFileInfo(file).absolutePath());
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text.toUtf8());
}

class HelpManager : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FStore.Opened());
        FreeHelpManager();
        FreeHTMLHelper();
        FOldPrompter = SetMsgBoxPrompter([this](TMessageForm &form) {
            Messages << form.MessageLabel()->text();
            return mrOk;
        });
        Folder = testsupport::MakeTempDir(QStringLiteral("help"));
    }
    void TearDown() override {
        FreeHelpManager();
        FreeHTMLHelper();
        SetMsgBoxPrompter(std::move(FOldPrompter));
        SetCurrentLanguage(KvLang::English);
    }
    // The page the help window shows, as a path.
    static QString Shown(TFormHelp *window) { return window->Browser->source().toLocalFile(); }

    testsupport::TPrivateSettingsStore FStore{QStringLiteral("help")};
    QString Folder;
    QStringList Messages;

private:
    TMsgBoxPrompter FOldPrompter;
};

}  // namespace

TEST_F(HelpManager, TheTopicMapTakesThreePartLinesWithNumbers) {
    WriteText(Folder + QStringLiteral("/MarivoContext.inc"),
              QStringLiteral("7006;12;Main window\n"
                             "7006;13;a later line of the same context\n"
                             "4003;;x\n"
                             "4004;14\n"
                             "4015;abc;x\n"
                             "abc;15;x\n"
                             " 8017 ; 16 ;Customize toolbar\n"
                             "21001;17;a;b\n"));
    WriteText(Folder + QStringLiteral("/index.html"), QStringLiteral("<p>index</p>"));
    THelpManager &manager = GetHelpManager();
    manager.SetHelpFile(Folder + QStringLiteral("/index.html"));
    struct Case {
        const char *name;
        int32_t context, topic;
    };
    const Case cases[] = {{"three parts", 7006, 12},     {"empty topic", 4003, -1},
                          {"two parts ignored", 4004, -1}, {"topic no number", 4015, -1},
                          {"blanks trimmed", 8017, 16},    {"four parts ignored", 21001, -1},
                          {"unknown context", 1, -1}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(manager.ContextToTopic(c.context), c.topic);
    }
}

TEST_F(HelpManager, AMissingMapIsReadOnceAndMapsEveryContextToMinusOne) {
    WriteText(Folder + QStringLiteral("/index.html"), QStringLiteral("<p>index</p>"));
    THelpManager &manager = GetHelpManager();
    manager.SetHelpFile(Folder + QStringLiteral("/index.html"));
    EXPECT_EQ(manager.ContextToTopic(7006), -1);
    WriteText(Folder + QStringLiteral("/MarivoContext.inc"), QStringLiteral("7006;2;x\n"));
    EXPECT_EQ(manager.ContextToTopic(7006), -1) << "the map is read once per run";
}

TEST_F(HelpManager, WithoutAHelpFileItSaysSo) {
    EXPECT_FALSE(GetHelpManager().ShowHelpContext(7006));
    EXPECT_EQ(Messages, QStringList({"No help file has been found."}));
    EXPECT_EQ(GetHelpManager().HelpWindow(), nullptr);
}

TEST_F(HelpManager, CompiledHelpInAnyCaseGoesToTheCompiledHelpInterface) {
    QStringList pages;
    GetHTMLHelper().SetHelpRoot(HelpRoot);
    GetHTMLHelper().SetShowPage([&](const QString &page) { pages << page; });
    GetHelpManager().SetHelpFile(Folder + QStringLiteral("/Manual.CHM"));
    EXPECT_TRUE(GetHelpManager().ShowHelpContext(7006));
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages[0].endsWith(QStringLiteral("/en/2.html"))) << pages[0].toStdString();
    EXPECT_EQ(GetHelpManager().HelpWindow(), nullptr);
}

TEST_F(HelpManager, TheHelpWindowIsReusedAndClosingForgetsIt) {
    GetHelpManager().SetHelpFile(HelpRoot + QStringLiteral("/en/index.html"));
    ASSERT_TRUE(GetHelpManager().ShowHelpContext(7006));
    QPointer<TFormHelp> window = GetHelpManager().HelpWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Marivo Help"));
    EXPECT_EQ(Shown(window), HelpRoot + QStringLiteral("/en/2.html"));
    const int loads = window->Browser->LoadCount();
    // A context without a topic shows the start page, in the same window.
    ASSERT_TRUE(GetHelpManager().ShowHelpContext(99999));
    EXPECT_EQ(GetHelpManager().HelpWindow(), window.data());
    EXPECT_EQ(Shown(window), HelpRoot + QStringLiteral("/en/index.html"));
    EXPECT_GT(window->Browser->LoadCount(), loads);
    shelltest::SaveScreenshot(window, QStringLiteral("help-window"));
    // A language switch turns the open window to the same topic in the new language.
    GetHelpManager().SetHelpFile(HelpRoot + QStringLiteral("/de/index.html"));
    ASSERT_TRUE(GetHelpManager().ShowHelpContext(8017));
    GetHelpManager().SetHelpFile(HelpRoot + QStringLiteral("/nl/index.html"));
    EXPECT_EQ(Shown(window), HelpRoot + QStringLiteral("/nl/8.html"));
    EXPECT_EQ(window->Browser->documentTitle(), QStringLiteral("De werkbalk aanpassen"));
    window->close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.isNull(); }));
    EXPECT_EQ(GetHelpManager().HelpWindow(), nullptr);
    ASSERT_TRUE(GetHelpManager().ShowHelpContext(2003));
    EXPECT_NE(GetHelpManager().HelpWindow(), nullptr);
}

TEST_F(HelpManager, TheHelpWindowStartsAtTwoThirdsOfTheWorkAreaCentred) {
    GetHelpManager().SetHelpFile(HelpRoot + QStringLiteral("/en/index.html"));
    ASSERT_TRUE(GetHelpManager().ShowHelpContext(7006));
    TFormHelp *window = GetHelpManager().HelpWindow();
    const TDesktopGeometry desktop = CurrentDesktopGeometry();
    const int width = desktop.WorkArea.width() / 3 * 2, height = desktop.WorkArea.height() / 3 * 2;
    EXPECT_EQ(window->geometry().size(), QSize(width, height));
    EXPECT_EQ(window->geometry().topLeft(),
              QPoint((desktop.Desktop.width() - width) / 2, (desktop.Desktop.height() - height) / 2));
}

TEST_F(HelpManager, EveryContextOfTheShellDialogsHasItsPageInEnglishDutchAndGerman) {
    const int32_t contexts[] = {2003, 4003, 4004, 4015, 7006, 8003, 8004, 8017, 15002, 17000, 21001};
    for (const char *language : {"en", "nl", "de"}) {
        SCOPED_TRACE(language);
        FreeHelpManager();
        GetHelpManager().SetHelpFile(HelpRoot + QLatin1Char('/') + QLatin1String(language) +
                                     QStringLiteral("/index.html"));
        QStringList titles;
        for (int32_t context : contexts) {
            SCOPED_TRACE(context);
            ASSERT_TRUE(GetHelpManager().ShowHelpContext(context));
            const QString page = Shown(GetHelpManager().HelpWindow());
            EXPECT_FALSE(page.endsWith(QStringLiteral("/index.html"))) << page.toStdString();
            EXPECT_TRUE(QFileInfo(page).isFile());
            titles << GetHelpManager().HelpWindow()->Browser->documentTitle();
        }
        titles.removeDuplicates();
        EXPECT_EQ(titles.size(), int(std::size(contexts))) << "one page per context";
    }
}

TEST_F(HelpManager, ADialogsHelpButtonReachesTheManager) {
    GetHelpManager().SetHelpFile(HelpRoot + QStringLiteral("/en/index.html"));
    QToolBar toolbar;
    TToolbarContents contents(&toolbar);
    TFormToolbarEdit form(contents);
    form.show();
    QTest::mouseClick(form.ButtonHelp, Qt::LeftButton);
    ASSERT_NE(GetHelpManager().HelpWindow(), nullptr);
    EXPECT_EQ(Shown(GetHelpManager().HelpWindow()), HelpRoot + QStringLiteral("/en/8.html"));
    form.reject();
}

TEST_F(HelpManager, TheKeyboardPageIsShownAndPrintedWhole) {
    const QString pdf = Folder + QStringLiteral("/keys.pdf");
    QPrinter &printer = ProgramPrinter();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setPrintRange(QPrinter::PageRange);
    QString rows;
    for (int i = 0; i < 120; ++i) rows += QStringLiteral("<tr><td>Ctrl+%1</td><td>Command %1</td></tr>").arg(i);
    int shown = 0;
    auto old = TFormHelpKeyboard::SetPrompter([&](TFormHelpKeyboard &form) {
        ++shown;
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Keyboard shortcuts"));
        EXPECT_TRUE(form.LabelInformation->text().startsWith(QStringLiteral("To facilitate the use of Marivo 4")));
        EXPECT_TRUE(form.HTMLViewer->toPlainText().contains(QStringLiteral("Command 119")));
        form.show();
        shelltest::SaveScreenshot(&form, QStringLiteral("help-keyboard"));
        form.ButtonPrint->click();
    });
    TFormHelpKeyboard::Execute(QStringLiteral("<table>") + rows + QStringLiteral("</table>"));
    TFormHelpKeyboard::SetPrompter(std::move(old));
    printer.setOutputFileName(QString());
    EXPECT_EQ(shown, 1);
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    // 120 rows need more than one page: every page was printed.
    const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
    EXPECT_GE(QString::fromLatin1(bytes).count(page), 2);
}
