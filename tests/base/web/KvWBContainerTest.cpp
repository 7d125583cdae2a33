#include "TestSupport.h"

#include "base/web/KvWBContainer.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPrinter>
#include <QTest>

namespace {

QString WritePage(const QString &folder, const QString &name, const QString &html) {
    QDir().mkpath(folder);
    const QString path = folder + '/' + name;
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(html.toUtf8());
    return path;
}

// A view whose prompters and opener record instead of asking and launching.
struct TRecordedView {
    TRecordedView() : View(nullptr) {
        View.ConfirmOpenFile = [this](const QString &f) { Confirms << f; return ConfirmAnswer; };
        View.ShowMessage = [this](const QString &m) { Messages << m; };
        View.OpenDocument = [this](const QString &d) { Opened << d; return 0; };
    }
    TWBContainer View;
    QStringList Confirms, Messages, Opened;
    bool ConfirmAnswer = true;
};

}  // namespace

TEST(TWBContainer, ClassifiesLinksByThePolicy) {
    const QUrl base = QUrl::fromLocalFile("/opt/help/en/index.html");
    struct Case { const char *name; QString url; QUrl base; TLinkAction action; };
    const Case cases[] = {
        {"http", "http://example.org", base, TLinkAction::OpenExternal},
        {"https", "https://example.org/x", {}, TLinkAction::OpenExternal},
        {"mail", "mailto:a@example.org", {}, TLinkAction::OpenExternal},
        {"page of the same folder", "2.html", base, TLinkAction::Navigate},
        {"anchor", "#top", base, TLinkAction::Navigate},
        {"page outside the folder", "../../other/page.html", base, TLinkAction::ConfirmLocalFile},
        {"local file", "file:///home/u/chart.pdf", base, TLinkAction::ConfirmLocalFile},
        {"relative file", "manual.pdf", base, TLinkAction::ConfirmLocalFile},
        {"relative to a text page", "page.html", {}, TLinkAction::Refuse},
        {"script", "javascript:alert(1)", base, TLinkAction::Refuse},
        {"ftp", "ftp://example.org/f", base, TLinkAction::Refuse},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ClassifyLink(QUrl(c.url), c.base), c.action);
    }
}

TEST(TWBContainer, ShowsAFileWhosePathHasBlanksAndAText) {
    const QString dir = testsupport::MakeTempDir(QStringLiteral("web")) + "/my help pages";
    const QString page = WritePage(dir, "first page.html", "<p>Harbour entrance</p>");
    TRecordedView r;
    EXPECT_TRUE(r.View.NavigateFile(page));
    EXPECT_EQ(r.View.source(), QUrl::fromLocalFile(page));
    EXPECT_TRUE(r.View.toPlainText().contains("Harbour entrance"));

    r.View.LoadFromString(QStringLiteral("<p>News &amp; notices</p>"));
    EXPECT_EQ(r.View.toPlainText().trimmed(), QStringLiteral("News & notices"));
    r.View.LoadFromString(QString());
    EXPECT_TRUE(r.View.toPlainText().isEmpty());

    // The help manager's form: page, topic anchor and options.
    EXPECT_TRUE(r.View.NavigateFile(page + "#12,withnavpane=true"));
    EXPECT_EQ(r.View.source().fragment(), QStringLiteral("12"));

    const QString missing = dir + "/gone <b>.html";
    EXPECT_FALSE(r.View.NavigateFile(missing));
    EXPECT_EQ(r.View.toPlainText().trimmed(), QStringLiteral("Cannot open file ") + missing);
    EXPECT_EQ(r.View.LoadCount(), 5);
}

TEST(TWBContainer, ClicksReachTheOwnerBeforeAnythingOpens) {
    TRecordedView r;
    QList<QUrl> seen;
    r.View.OnLinkClick = [&](const QUrl &u) { seen << u; return true; };
    emit r.View.anchorClicked(QUrl("https://example.org/"));
    EXPECT_EQ(seen, QList<QUrl>{QUrl("https://example.org/")});
    EXPECT_TRUE(r.Opened.isEmpty());

    r.View.OnLinkClick = [&](const QUrl &u) { seen << u; return false; };
    emit r.View.anchorClicked(QUrl("https://example.org/"));
    EXPECT_EQ(r.Opened, QStringList{"https://example.org/"});
    EXPECT_EQ(seen.size(), 2);
}

TEST(TWBContainer, LinkPolicyConfirmsFilesAndRefusesOtherSchemes) {
    const QString dir = testsupport::MakeTempDir(QStringLiteral("web-policy"));
    const QString page = WritePage(dir, "index.html", "<a href='2.html'>next</a>");
    WritePage(dir, "2.html", "<p>Second page</p>");
    TRecordedView r;
    r.View.NavigateFile(page);

    emit r.View.anchorClicked(QUrl("2.html"));
    EXPECT_TRUE(r.View.toPlainText().contains("Second page")) << "help pages open in the view";
    EXPECT_TRUE(r.Opened.isEmpty());

    r.ConfirmAnswer = false;
    emit r.View.anchorClicked(QUrl::fromLocalFile(dir + "/report.pdf"));
    EXPECT_EQ(r.Confirms.size(), 1);
    EXPECT_TRUE(r.Opened.isEmpty()) << "declined: nothing opens";
    r.ConfirmAnswer = true;
    emit r.View.anchorClicked(QUrl::fromLocalFile(dir + "/report.pdf"));
    EXPECT_EQ(r.Opened, QStringList{dir + "/report.pdf"});

    emit r.View.anchorClicked(QUrl("javascript:alert(1)"));
    ASSERT_EQ(r.Messages.size(), 1);
    EXPECT_EQ(r.Messages[0], QStringLiteral("Links of this kind are not opened: javascript:alert(1)"));
    EXPECT_EQ(r.Opened.size(), 1);
}

TEST(TWBContainer, RefreshKeyIsBlockedOnlyWhenAsked) {
    const QString page = WritePage(testsupport::MakeTempDir(QStringLiteral("web-f5")),
                                   "p.html", "<p>x</p>");
    TRecordedView r;
    r.View.NavigateFile(page);
    const int loads = r.View.LoadCount();
    r.View.BlockRefreshKey = true;
    QTest::keyClick(&r.View, Qt::Key_F5);
    EXPECT_EQ(r.View.LoadCount(), loads);
    QTest::keyClick(&r.View, Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(r.View.textCursor().hasSelection()) << "other keys still work";
    r.View.BlockRefreshKey = false;
    QTest::keyClick(&r.View, Qt::Key_F5);
    EXPECT_EQ(r.View.LoadCount(), loads + 1);
}

TEST(TWBContainer, CustomContextMenu) {
    TRecordedView r;
    r.View.LoadFromString("<p>text</p>");
    r.View.resize(200, 100);
    r.View.show();
    r.View.UseCustomCtxMenu = true;
    QContextMenuEvent noMenu(QContextMenuEvent::Mouse, QPoint(10, 10), r.View.mapToGlobal(QPoint(10, 10)));
    QApplication::sendEvent(r.View.viewport(), &noMenu);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "no menu at all";

    QMenu menu;
    menu.addAction("Copy");
    r.View.PopupMenu = &menu;
    QContextMenuEvent withMenu(QContextMenuEvent::Mouse, QPoint(10, 10), r.View.mapToGlobal(QPoint(10, 10)));
    QApplication::sendEvent(r.View.viewport(), &withMenu);
    EXPECT_TRUE(menu.isVisible());
    menu.hide();
}

TEST(TWBContainer, HostSettings) {
    TRecordedView r;
    EXPECT_TRUE(r.View.AllowTextSelection());
    EXPECT_TRUE(r.View.ShowScrollBars());
    EXPECT_TRUE(r.View.Show3DBorder());
    EXPECT_FALSE(r.View.BlockRefreshKey);
    EXPECT_FALSE(r.View.UseCustomCtxMenu);
    r.View.SetShow3DBorder(false);
    EXPECT_EQ(r.View.frameShape(), QFrame::NoFrame);
    r.View.SetShowScrollBars(false);
    EXPECT_EQ(r.View.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    r.View.SetAllowTextSelection(false);
    EXPECT_FALSE(r.View.textInteractionFlags() & Qt::TextSelectableByMouse);
    r.View.SetHostCSS("p { color: #ff0000; }");
    r.View.LoadFromString("<p>red</p>");
    EXPECT_EQ(r.View.document()->defaultStyleSheet(), QStringLiteral("p { color: #ff0000; }"));
}

TEST(TWBClick, RaisesOnClickOncePerClick) {
    TRecordedView r;
    r.View.LoadFromString("<p>news item</p>");
    r.View.resize(200, 100);
    r.View.show();
    TWBClick click(&r.View);
    int clicks = 0;
    click.OnClick = [&](TWBClick *sender) { EXPECT_EQ(sender, &click); ++clicks; };
    click.Attach(&r.View);
    QTest::mouseClick(r.View.viewport(), Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_EQ(clicks, 1);
    QTest::mouseClick(r.View.viewport(), Qt::RightButton, {}, QPoint(20, 10));
    EXPECT_EQ(clicks, 1);
}

TEST(TWBContainer, PrintsToPdf) {
    TRecordedView r;
    r.View.LoadFromString("<p>Route overview</p>");
    const QString pdf = testsupport::MakeTempDir(QStringLiteral("web-print")) + "/out.pdf";
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    r.View.Print(&printer);
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.read(5) == "%PDF-");
}
