// The attached-document viewer offscreen: Escape and Enter close it, a web link goes to the
// opener while the dialog stays, an anchor scrolls inside, JPEG and TIFF pictures show and
// an undecodable one shows nothing.
#include "LinkDetailsFixtures.h"
#include "objectinfo/FrmHTMLViewer.h"
#include "objectinfo/LinkDetailsPages.h"
#include "tests/shell/ShellTestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QImageWriter>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextDocument>

namespace {

class HTMLViewer : public ::testing::Test {
protected:
    void Open(const QString &page) {
        Form = std::make_unique<TFormHTMLViewer>(nullptr, page, QStringLiteral("note.txt"));
        Form->HTMLViewer->OpenDocument = [this](const QString &d) {
            Opened << d;
            return 0;
        };
        Form->HTMLViewer->ShowMessage = [this](const QString &m) { Shown << m; };
        Form->HTMLViewer->ConfirmOpenFile = [](const QString &) { return false; };
        Form->open();
        QApplication::processEvents();
    }
    QString Dir = testsupport::MakeTempDir(QStringLiteral("viewer"));
    std::unique_ptr<TFormHTMLViewer> Form;
    QStringList Opened, Shown;
};

TEST_F(HTMLViewer, EscapeAndEnterClose) {
    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
        SCOPED_TRACE(int(key));
        Open(QStringLiteral("<p>attached</p>"));
        EXPECT_EQ(Form->windowTitle(), QStringLiteral("note.txt"));
        EXPECT_EQ(Form->ButtonClose->text(), QStringLiteral("&Close"));
        ASSERT_TRUE(Form->isVisible());
        QWidget *focus = QApplication::focusWidget() ? QApplication::focusWidget() : Form.get();
        QTest::keyClick(focus, key);
        EXPECT_FALSE(Form->isVisible());
        EXPECT_EQ(Form->result(), QDialog::Rejected);
    }
}

TEST_F(HTMLViewer, WebLinksGoOutsideAndAnchorsScrollInside) {
    QString page = QStringLiteral("<p><a href=\"https://velm.example/lock\">site</a></p>");
    for (int i = 0; i < 200; ++i) page += QStringLiteral("<p>line %1</p>").arg(i);
    page += QStringLiteral("<p><a name=\"end\">end</a></p>");
    Open(page);
    Form->HTMLViewer->HandleLinkClick(QUrl(QStringLiteral("https://velm.example/lock")));
    EXPECT_EQ(Opened, QStringList{QStringLiteral("https://velm.example/lock")});
    EXPECT_TRUE(Form->isVisible());
    EXPECT_EQ(Form->HTMLViewer->verticalScrollBar()->value(), 0);
    Form->HTMLViewer->HandleLinkClick(QUrl(QStringLiteral("#end")));
    EXPECT_GT(Form->HTMLViewer->verticalScrollBar()->value(), 0);
    EXPECT_TRUE(Shown.isEmpty());
    EXPECT_TRUE(Form->isVisible());
    // A script link is refused with the policy's message, never run.
    Form->HTMLViewer->HandleLinkClick(QUrl(QStringLiteral("javascript:alert(1)")));
    EXPECT_EQ(Shown.size(), 1);
    EXPECT_EQ(Opened.size(), 1);
}

TEST_F(HTMLViewer, PicturesShowThroughTheImageReaders) {
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    const QString tif = Dir + QStringLiteral("/lock.tif");
    if (!QImageWriter::supportedImageFormats().contains("tif")) GTEST_SKIP() << "no TIFF image plugin";
    ASSERT_TRUE(picture.save(tif, "TIF"));
    const QString jpg = Dir + QStringLiteral("/lock.jpg");
    {
        QFile f(jpg);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(linkdetailstest::JpegBytes(Qt::darkRed));
    }
    const QString broken = Dir + QStringLiteral("/broken.tif");
    {
        QFile f(broken);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("II*\0not a picture", 17);
    }
    const struct {
        const char *name;
        QString file;
        QSize size;  // empty: nothing shown
    } cases[] = {{"tiff", tif, QSize(64, 48)}, {"jpeg", jpg, QSize(40, 30)}, {"undecodable", broken, QSize()}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Open(PicturePage(c.file));
        const QVariant shown = Form->HTMLViewer->loadResource(QTextDocument::ImageResource, QUrl(c.file));
        EXPECT_EQ(shown.isValid() ? shown.value<QImage>().size() : QSize(), c.size);
        if (QLatin1String(c.name) == QLatin1String("tiff")) shelltest::SaveScreenshot(Form.get(), QStringLiteral("HTMLViewer_tiff"));
    }
}

TEST_F(HTMLViewer, ExecuteRunsThroughThePrompter) {
    QString seen;
    auto previous = TFormHTMLViewer::SetPrompter([&](TFormHTMLViewer &form) {
        seen = form.windowTitle() + QLatin1Char('|') + form.HTMLViewer->toPlainText();
        return int(QDialog::Rejected);
    });
    TFormHTMLViewer::Execute(nullptr, QStringLiteral("record.xml"), QStringLiteral("<p>Velm Lock</p>"));
    TFormHTMLViewer::SetPrompter(std::move(previous));
    EXPECT_EQ(seen, QStringLiteral("record.xml|Velm Lock"));
}

}  // namespace
