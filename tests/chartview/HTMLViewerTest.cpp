// The HTML viewer frame on the demo chart's information container.
#include "chartview/FraHTMLViewer.h"

#include "ChartInfoWriters.h"
#include "TestSupport.h"
#include "base/kvlib/KvErrors.h"
#include "base/web/KvWBContainer.h"

#include <gtest/gtest.h>

#include <QDockWidget>
#include <QMainWindow>
#include <QTextBlock>

namespace {

struct TViewerRig {
    QString Root = testsupport::MakeTempDir(QStringLiteral("htmlviewer"));
    QMainWindow Window;
    QDockWidget *Panel = new QDockWidget(&Window);
    TFrameHTMLViewer *Frame = new TFrameHTMLViewer(Panel, Root + "/work");
    QStringList Opened;
    TViewerRig() {
        Window.addDockWidget(Qt::RightDockWidgetArea, Panel);
        Panel->hide();
        Frame->View->OpenDocument = [this](const QString &document) {
            Opened << document;
            return 0;
        };
    }
    QString Write(const QString &name, const demo::TPackedHtmlSpec &spec) {
        QString error;
        EXPECT_TRUE(demo::WriteBytes(Root + "/" + name, demo::PackedHtmlBytes(spec), error));
        return Root + "/" + name;
    }
    QString Text() const { return Frame->View->toPlainText(); }
};

}  // namespace

TEST(HTMLViewer, PackedPageIsShownInAFloatingWindowAndMissingOnesShowNothing) {
    TViewerRig rig;
    const QString file = rig.Write("notes.pkh", {"PckdHTML", 0x01000000, {},
                                                 {{"notes.html", "<p>Harbour notes</p><a href=\"https://example.org/x\">web</a>", {}}}});
    rig.Frame->ShowPackedFile(file);
    EXPECT_TRUE(rig.Panel->isVisible());
    EXPECT_TRUE(rig.Panel->isFloating());
    EXPECT_TRUE(rig.Text().contains("Harbour notes"));
    // A web link goes to the opener and the page stays.
    rig.Frame->View->anchorClicked(QUrl("https://example.org/x"));
    EXPECT_EQ(rig.Opened, QStringList({"https://example.org/x"}));
    EXPECT_TRUE(rig.Text().contains("Harbour notes"));
    // Local files: documents of the unpacked page open, others never.
    rig.Frame->View->anchorClicked(QUrl::fromLocalFile(rig.Root + "/work/notes.pdf"));
    rig.Frame->View->anchorClicked(QUrl::fromLocalFile("/bin/sh"));
    rig.Frame->View->anchorClicked(QUrl::fromLocalFile(rig.Root + "/work/run.sh"));
    EXPECT_EQ(rig.Opened.size(), 2);
    EXPECT_TRUE(rig.Opened.last().endsWith("notes.pdf"));

    rig.Frame->ShowPackedFile(rig.Root + "/missing.pkh");
    EXPECT_TRUE(rig.Text().trimmed().isEmpty());
    const QString other = rig.Write("other.pkh", {"PckdHTML", 0x01000000, {}, {{"page.html", "<p>x</p>", {}}}});
    rig.Frame->ShowPackedFile(other);
    EXPECT_TRUE(rig.Text().trimmed().isEmpty());
}

TEST(HTMLViewer, ContainerErrorRaisesAndTheWindowStaysHidden) {
    TViewerRig rig;
    const QString bad = rig.Write("bad.pkh", {"PckdHTML", 0x02000000, {}, {}});
    EXPECT_THROW(rig.Frame->ShowPackedFile(bad), Exception);
    EXPECT_FALSE(rig.Panel->isVisible());
}

TEST(HTMLViewer, TextLinesAreEscapedLines) {
    TViewerRig rig;
    rig.Frame->ShowText("first <b>\nsecond & third\r\nthird");
    EXPECT_EQ(rig.Text(), QString("first <b>\nsecond & third\nthird\n"));
    rig.Frame->SetCaption("Additional information (x)");
    EXPECT_EQ(rig.Panel->windowTitle(), "Additional information (x)");
}
