// The route table's overview on the demo route: exported into a folder, printed into a PDF
// file through the print dialog, and refused where there is nothing to print or nowhere to
// write.
#include "RoutesFixture.h"

#include "base/registry/KvRegistry.h"
#include "routes/FrmRoutePrint.h"
#include "tests/shell/ShellTestSupport.h"

#include <KvLibNav6/KvAppReg.h>

#include <QDir>
#include <QDirIterator>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUrl>

using routestest::RoutesFixture;

namespace {

const QString Key = QStringLiteral("Desktop\\ToolWindowRoutes");

class RoutesOverview : public RoutesFixture {
protected:
    void SetUp() override {
        RoutesFixture::SetUp();
        ASSERT_TRUE(Temp.isValid());
    }
    void TearDown() override {
        TFormRouteExport::SetPrompter({});
        TFormRoutePrint::SetPrompter({});
        TFormRoutePrint::SetPrinterNames({});
        RoutesFixture::TearDown();
    }
    TFrameRoutes &Shown(IWptRoute *route) {
        StartRun();
        TFrameRoutes &f = MakeFrame();
        f.FillRouteList();
        f.SetRoute(route);
        return f;
    }
    void SetExportFolder(const QString &folder) {
        int32_t err = 0;
        RegWriteString(GetAppReg(), AppRegRoot::Product, Key, RegName(u"ExportFolder"), folder, err);
    }
    // The export dialog answered with OK; its folder edit as the test left it.
    void AcceptExport(std::function<void(TFormRouteExport &)> edit = {}) {
        TFormRouteExport::SetPrompter([this, edit](TFormRouteExport &form) {
            ++Dialogs;
            if (edit) edit(form);
            form.accept();
            return form.result();
        });
    }
    QString PdfText(const QString &pdf) {
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        EXPECT_TRUE(p.waitForFinished(60000));
        return QString::fromUtf8(p.readAllStandardOutput());
    }
    // Prints into pdf with the dialog answered: portrait, the first `columns` offered
    // columns checked.
    void PrintTo(TFrameRoutes &f, const QString &pdf, int columns) {
        TFormRoutePrint::SetPrinterNames([] { return QStringList{QStringLiteral("Test printer")}; });
        TFormRoutePrint::SetPrompter([this, columns](TFormRoutePrint &form) {
            ++Dialogs;
            form.PortraitButton()->setChecked(true);
            form.show();
            shelltest::SaveScreenshot(&form, QStringLiteral("routes-overview-print-dialog"));
            for (int i = 0; i < form.ColumnList()->count(); ++i)
                form.ColumnList()->item(i)->setCheckState(i < columns ? Qt::Checked : Qt::Unchecked);
            form.accept();
            return form.result();
        });
        f.ConfigurePrinter = [pdf](QPrinter &printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            printer.setPageSize(QPageSize(QPageSize::A4));
        };
        f.PrintOverview();
    }

    QTemporaryDir Temp;
    int Dialogs = 0;
};

TEST_F(RoutesOverview, ExportWritesOnePageAndItsImagesInsideTheFolder) {
    IWptRoute *route = MarinaToMarina(nullptr, QStringLiteral("<b>A/../B</b>"));
    ASSERT_TRUE(route);
    TFrameRoutes &f = Shown(route);
    SetExportFolder(Temp.path());
    AcceptExport([](TFormRouteExport &form) {
        form.show();
        shelltest::SaveScreenshot(&form, QStringLiteral("routes-overview-export-dialog"));
    });
    f.ExportAction()->trigger();
    EXPECT_EQ(Dialogs, 1);
    EXPECT_TRUE(Messages.isEmpty()) << Messages.join(u'|').toStdString();

    const QDir dir(Temp.path());
    const QStringList pages = dir.entryList({QStringLiteral("*.html")}, QDir::Files);
    const QStringList folders = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    ASSERT_EQ(pages.size(), 1);
    ASSERT_EQ(folders.size(), 1);
    EXPECT_TRUE(pages.front().startsWith(QStringLiteral("_b_A_.._B__b_ (")));
    EXPECT_EQ(pages.front(), folders.front() + QStringLiteral(".html"));
    EXPECT_EQ(QDir(dir.filePath(folders.front())).entryList(QDir::Files).size(), 23);

    QFile file(dir.filePath(pages.front()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString html = QString::fromLatin1(file.readAll());
    EXPECT_TRUE(html.contains(QStringLiteral("Route name: &lt;b&gt;A/../B&lt;/b&gt;")));
    EXPECT_TRUE(html.contains(QStringLiteral("Dunmeer Marina")));
    EXPECT_FALSE(html.contains(QStringLiteral("</html>")));
    // Every image reference reads back as a file of the export's folder.
    const QRegularExpression src(QStringLiteral("src=\"([^\"]+)\""));
    int images = 0;
    for (auto it = src.globalMatch(html); it.hasNext(); ++images) {
        const QString local = QUrl::fromEncoded(it.next().captured(1).toLatin1()).toLocalFile();
        EXPECT_TRUE(QFileInfo(local).isFile()) << local.toStdString();
        EXPECT_EQ(QFileInfo(local).dir().dirName(), folders.front());
    }
    EXPECT_GE(images, 2);
    // One row per visible table row.
    const int rows = int(std::count_if(f.Rows().begin(), f.Rows().end(), [](const TRteNodeData &r) { return r.Visible; }));
    EXPECT_EQ(html.count(QStringLiteral("<tr class=\"even\">")) + html.count(QStringLiteral("<tr class=\"odd\">")), rows);
}

TEST_F(RoutesOverview, UnnamedRouteExportsUnderTheProgramsName) {
    IWptRoute *route = MarinaToMarina(nullptr, QString());
    ASSERT_TRUE(route);
    TFrameRoutes &f = Shown(route);
    SetExportFolder(Temp.path());
    AcceptExport();
    f.ExportOverview();
    const QStringList pages = QDir(Temp.path()).entryList({QStringLiteral("*.html")}, QDir::Files);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(QRegularExpression(QStringLiteral(R"(^Marivo Route \(\d\d-\d\d-\d{4} \d\d\.\d\d\.\d\d\)\.html$)"))
                    .match(pages.front())
                    .hasMatch())
        << pages.front().toStdString();
}

TEST_F(RoutesOverview, ExportDialogRefusesMissingFoldersAndKeepsTheChoices) {
    TFrameRoutes &f = Shown(MarinaToMarina());
    SetExportFolder(Temp.path());
    std::vector<int> seen;
    TFormRouteExport::SetPrompter([&](TFormRouteExport &form) {
        for (const QString &folder : {QString(), Temp.filePath(QStringLiteral("missing"))}) {
            form.FolderEdit()->setText(folder);
            form.accept();
            EXPECT_FALSE(form.isVisible() && form.result() == QDialog::Accepted);
            EXPECT_EQ(form.result(), QDialog::Rejected);
        }
        // Column "Name" unchecked: it stays unchecked the next time.
        for (int i = 0; i < form.ColumnList()->count(); ++i) {
            QListWidgetItem *item = form.ColumnList()->item(i);
            seen.push_back(item->data(Qt::UserRole).toInt());
            if (item->data(Qt::UserRole).toInt() == 2) item->setCheckState(Qt::Unchecked);
        }
        form.FolderEdit()->setText(Temp.path());
        form.accept();
        return form.result();
    });
    f.ExportOverview();
    ASSERT_EQ(Messages.size(), 2);
    EXPECT_TRUE(Messages[0].startsWith(QStringLiteral("No export folder specified.")));
    EXPECT_TRUE(Messages[1].startsWith(QStringLiteral("The specified exportfolder doesn't exist.")));
    EXPECT_EQ(seen.size(), 15u);
    EXPECT_FALSE(RegReadBoolDef(GetAppReg(), AppRegRoot::Product, Key + QStringLiteral("\\Columns\\02"),
                                RegName(u"Export"), true));
    EXPECT_TRUE(RegReadBoolDef(GetAppReg(), AppRegRoot::Product, Key + QStringLiteral("\\Columns\\01"),
                               RegName(u"Export"), false));
    const QString page = QDir(Temp.path()).entryList({QStringLiteral("*.html")}, QDir::Files).value(0);
    QFile file(Temp.filePath(page));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_FALSE(file.readAll().contains("Latitude"));
}

TEST_F(RoutesOverview, UnwritableFolderSaysSoAndLeavesNothing) {
    TFrameRoutes &f = Shown(MarinaToMarina());
    // The folder vanishes between the dialog's check and the export (a drive taken out).
    const QString folder = Temp.filePath(QStringLiteral("target"));
    ASSERT_TRUE(QDir().mkpath(folder));
    SetExportFolder(folder);
    TFormRouteExport::SetPrompter([&](TFormRouteExport &form) {
        form.accept();
        EXPECT_TRUE(QDir(folder).removeRecursively());
        return form.result();
    });
    f.ExportOverview();
    ASSERT_EQ(Messages.size(), 1);
    EXPECT_TRUE(Messages[0].startsWith(QStringLiteral("Cannot wrtie to file \"Haven to Dunmeer (")))
        << Messages[0].toStdString();
    EXPECT_TRUE(QDir(Temp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
}

TEST_F(RoutesOverview, TwelveColumnsPrintInTwoPartsOnA4Portrait) {
    TFrameRoutes &f = Shown(MarinaToMarina());
    const QString pdf = Temp.filePath(QStringLiteral("route.pdf"));
    PrintTo(f, pdf, 11);
    EXPECT_EQ(Dialogs, 1);
    EXPECT_TRUE(Messages.isEmpty()) << Messages.join(u'|').toStdString();
    ASSERT_TRUE(QFileInfo(pdf).isFile());
    const QString text = PdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("Page 1a"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Page 1b"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("Page 1c")));
    EXPECT_TRUE(text.contains(QStringLiteral("Marivo 5 route overview")));
    EXPECT_TRUE(text.contains(QStringLiteral("Dunmeer")));
    QString orientation;
    RegReadStringDef(GetAppReg(), AppRegRoot::Product, Key, RegName(u"PrintOrientation"), QString(), orientation);
    EXPECT_EQ(orientation, QStringLiteral("portrait"));
    // For review: the first page of each part as a picture.
    const QString prefix = Temp.filePath(QStringLiteral("page"));
    ASSERT_EQ(QProcess::execute(QStringLiteral("pdftoppm"),
                                {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("70"), pdf, prefix}),
              0);
    const QStringList shots = QDir(Temp.path()).entryList({QStringLiteral("page*.png")}, QDir::Files, QDir::Name);
    ASSERT_GE(shots.size(), 2);
    shelltest::SaveScreenshot(QImage(Temp.filePath(shots.front())), QStringLiteral("routes-overview-print-part-a"));
    shelltest::SaveScreenshot(QImage(Temp.filePath(shots.back())), QStringLiteral("routes-overview-print-part-b"));
    // The temporary image folder is gone.
    QDirIterator it(QDir::tempPath(), {QStringLiteral("Marivo Route (*")}, QDir::Dirs);
    EXPECT_FALSE(it.hasNext());
}

TEST_F(RoutesOverview, ThreeColumnsPrintAsOnePartWithoutLetters) {
    TFrameRoutes &f = Shown(MarinaToMarina());
    const QString pdf = Temp.filePath(QStringLiteral("short.pdf"));
    PrintTo(f, pdf, 2);
    const QString text = PdfText(pdf);
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("Page 1(\\s|$)")))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("Page 1a")));
}

TEST_F(RoutesOverview, PrintingIsRefusedWithoutPrinterRouteOrRoom) {
    TFrameRoutes &f = Shown(MarinaToMarina());
    const QString pdf = Temp.filePath(QStringLiteral("refused.pdf"));
    // No printer: the message, no dialog.
    TFormRoutePrint::SetPrinterNames([] { return QStringList(); });
    TFormRoutePrint::SetPrompter([this](TFormRoutePrint &) { ++Dialogs; return int(QDialog::Accepted); });
    f.PrintOverview();
    EXPECT_EQ(Dialogs, 0);
    ASSERT_EQ(Messages.size(), 1);
    EXPECT_EQ(Messages[0], QStringLiteral("The route cannot be printed, because there is no printer installed."));

    // A column wider than the paper: named in the message, nothing printed.
    Messages.clear();
    f.Header()->resizeSection(1, 5000);
    PrintTo(f, pdf, 3);
    ASSERT_EQ(Messages.size(), 1);
    EXPECT_EQ(Messages[0], QStringLiteral("This route cannot be printed because the 'Name' column is to wide."));
    EXPECT_FALSE(QFileInfo::exists(pdf));

    // A route without points: the table's own message, no dialog.
    Messages.clear();
    Dialogs = 0;
    IWptRoute *empty = Env->UserDatabase->NewRoute(45000.0);
    f.FillRouteList();
    f.SetRoute(empty);
    PrintTo(f, pdf, 3);
    f.ExportOverview();
    EXPECT_EQ(Dialogs, 0);
    ASSERT_EQ(Messages.size(), 2);
    EXPECT_EQ(Messages[0], QStringLiteral("The route contains no route points"));
    EXPECT_FALSE(QFileInfo::exists(pdf));
}

}  // namespace
