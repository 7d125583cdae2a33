// The documents attached to a chart object, as a new user reaches them: a click on the demo
// lock in the demo S-57 cell gives the pick report with its three attachments as file
// links; the report in the details panel opens the text, the photo and the facility record
// in the document viewer. A damaged record shows the reader's message instead.
#include "DemoChart.h"
#include "DemoData.h"
#include "objectinfo/FraLinkDetails.h"
#include "objectinfo/FrmHTMLViewer.h"
#include "tests/shell/NavEnvFixture.h"
#include "tests/shell/ShellTestSupport.h"

#include "base/charts/KvCharts.h"

#include <gtest/gtest.h>

#include <KvLibNav6/KvCharts.h>
#include <KvLibNav6/KvGeodesy.h>
#include <KvLibNav6/KvGraphics.h>
#include <KvLibNav6/KvViewer.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextDocument>

namespace {

struct TDeleter {
    void operator()(NavObject *o) const { ObjectDelete(o); }
};

struct TPickEvents {
    int Invalidated = 0;
    IS57Object *Pick = nullptr;
    static void OnInvalidate(void *d) { ++static_cast<TPickEvents *>(d)->Invalidated; }
    static void OnObject(void *d, const TViewerEvent *ev) {
        if (ev->Kind == ObjectEventKind::S57Object)
            static_cast<TPickEvents *>(d)->Pick = dynamic_cast<IS57Object *>(ev->Object);
    }
};

class S57Attachments : public NavEnvFixture {
protected:
    void SetUp() override {
        NavEnvFixture::SetUp();
        // Without demo data an environment would write into the working folder.
        if (HasFatalFailure()) return;
        Env = Make();
        ASSERT_TRUE(Env && Env->ChartManager);
        Dock = std::make_unique<QDockWidget>();
        Panel = new TFrameLinkDetails(Dock.get(), *Env);
        Dock->setWidget(Panel);
        Dock->resize(420, 600);
        Dock->show();
        Panel->HTMLViewer->ShowMessage = [this](const QString &m) { Messages << m; };
        Panel->HTMLViewer->ConfirmOpenFile = [](const QString &) { return false; };
        // The panel's own default opens the viewer; the prompter answers it.
        Previous = TFormHTMLViewer::SetPrompter([this](TFormHTMLViewer &form) {
            QApplication::processEvents();
            Viewed.push_back({form.windowTitle(), form.HTMLViewer->toPlainText()});
            Images += form.HTMLViewer->document()->toHtml().count(QStringLiteral("<img"));
            if (!ScreenshotName.isEmpty()) {
                form.show();
                QApplication::processEvents();
                shelltest::SaveScreenshot(&form, ScreenshotName);
            }
            return int(QDialog::Rejected);
        });
    }
    void TearDown() override {
        TFormHTMLViewer::SetPrompter(std::move(Previous));
        Dock.reset();
        Env.reset();
        NavEnvFixture::TearDown();
    }
    IChart *DemoCell() {
        for (int i = 0; i < Env->ChartManager->GetChartCount(); ++i) {
            IChart *c = Env->ChartManager->GetChart(i);
            if (ChartGetFileName(c).endsWith(QStringLiteral("XX5VELM1.000"))) return c;
        }
        return nullptr;
    }
    // Renders until the viewer's background loads have arrived.
    void RenderLoaded(INavViewer *viewer, IBmp32 *bitmap, TPickEvents &events) {
        viewer->Render(bitmap);
        const QDeadlineTimer deadline(30000);
        const int before = events.Invalidated;
        while (events.Invalidated == before && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        viewer->Render(bitmap);
    }
    // Clicks the demo lock in a viewer of the demo cell; the pick report is the panel's page.
    void PickTheLock(IChart *cell, TPickEvents &events, std::unique_ptr<INavViewer, TDeleter> &viewer,
                     QString &report) {
        viewer.reset(NavViewerCreate(nullptr, nullptr, nullptr, 0, nullptr, nullptr, nullptr, nullptr));
        std::unique_ptr<IBmp32, TDeleter> bitmap(Bmp32Create(600, 400, 1));
        viewer->SetViewRect(0, 0, 600, 400);
        viewer->SetInvalidateCallback(&TPickEvents::OnInvalidate, &events);
        viewer->SetObjectEventHandler(&TPickEvents::OnObject, &events);
        // The program's presentation settings with every object shown: the lock's control
        // house, which carries its documents, is a building of the "Other" category.
        ASSERT_NE(Env->S52Library, nullptr);
        Env->S52Library->SetDisplayCategory(S52DisplayCategory::Other, 0);
        Env->S52Library->Commit();
        viewer->SetS52PresentationLib(Env->S52Library);
        NavObject *charts[] = {cell};
        int32_t err = 0;
        viewer->SetCharts(charts, 1, err);
        viewer->ZoomToS57Chart(cell);
        const TGeoPoint at = ControlHouse();
        TDouble2 px;
        for (int i = 0; i < 3; ++i) {
            viewer->GetCalibration()->GeoToPixel(px, at);
            viewer->ZoomAt(4.0, &px);
        }
        RenderLoaded(viewer.get(), bitmap.get(), events);
        viewer->GetCalibration()->GeoToPixel(px, at);
        viewer->SetS57PickEnabled(true);
        viewer->MouseDown(ViewerMouseButton::Left, 0, int(px.X), int(px.Y), err);
        viewer->MouseUp(ViewerMouseButton::Left, 0, int(px.X), int(px.Y), err);
        report = events.Pick ? S57ObjectGetDetailsHTML(events.Pick, nullptr, nullptr, true) : QString();
    }
    // The middle of the demo lock's control house, which carries the lock's documents.
    static TGeoPoint ControlHouse() {
        OGRPoint centre;
        for (const demo::TChartFeature &f : demo::BuildChartFeatures(demo::BuildDemoNetwork()))
            if (f.Class == "BUISGL" && f.Geometry) {
                for (const auto &[acronym, value] : f.Attributes)
                    if (acronym == "OBJNAM" && value.toString() == QLatin1String(demo::DemoAttachedLock))
                        f.Geometry->Centroid(&centre);
            }
        return TGeoPoint{centre.getY() * M_PI / 180.0, centre.getX() * M_PI / 180.0};
    }
    QStringList Links(const QString &html) {
        QStringList out;
        static const QRegularExpression href(QStringLiteral("href=\"([^\"]+)\""));
        for (auto it = href.globalMatch(html); it.hasNext();) out << it.next().captured(1);
        return out;
    }

    std::unique_ptr<TMarivoNavEnv> Env;
    std::unique_ptr<QDockWidget> Dock;
    TFrameLinkDetails *Panel = nullptr;
    TFormHTMLViewer::TPrompter Previous;
    std::vector<std::pair<QString, QString>> Viewed;
    int Images = 0;
    QString ScreenshotName;
    QStringList Messages;
};

TEST_F(S57Attachments, TheDemoLocksThreeAttachmentsOpenFromItsPickReport) {
    IChart *cell = DemoCell();
    ASSERT_NE(cell, nullptr);
    TPickEvents events;
    std::unique_ptr<INavViewer, TDeleter> viewer;
    QString report;
    PickTheLock(cell, events, viewer, report);
    ASSERT_FALSE(report.isEmpty()) << "the click hit no feature";
    ASSERT_TRUE(report.contains(QString::fromLatin1(demo::DemoAttachedLock))) << report.toStdString();
    const QStringList links = Links(report);
    ASSERT_EQ(links.size(), 3) << report.toStdString();
    const QString folder = ChartGetFolder(cell);
    for (const QString &link : links) {
        SCOPED_TRACE(link.toStdString());
        EXPECT_TRUE(QUrl(link).isLocalFile());
        EXPECT_EQ(QFileInfo(QUrl(link).toLocalFile()).absolutePath(), QFileInfo(folder).absoluteFilePath());
    }

    ASSERT_TRUE(Panel->ShowHTMLText(report, {folder}));
    shelltest::SaveScreenshot(Dock.get(), QStringLiteral("LinkDetails_s57_pick_report"));
    const struct {
        const char *file;
        const char *shows;
        int images;
    } cases[] = {{demo::DemoAttachedText, "VHF channel 18", 0},
                 {demo::DemoAttachedPicture, "", 1},
                 {demo::DemoAttachedRecord, "Radio communication", 0}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file);
        Viewed.clear();
        Images = 0;
        ScreenshotName = QStringLiteral("HTMLViewer_") + QString::fromLatin1(c.file).replace(QLatin1Char('.'), QLatin1Char('_'));
        const QString link = *std::find_if(links.begin(), links.end(), [&](const QString &l) {
            return l.endsWith(QLatin1String(c.file));
        });
        Panel->HTMLViewer->HandleLinkClick(QUrl(link));
        ASSERT_EQ(Viewed.size(), 1u);
        EXPECT_EQ(Viewed[0].first, QString::fromLatin1(c.file));
        EXPECT_TRUE(Viewed[0].second.contains(QLatin1String(c.shows))) << Viewed[0].second.toStdString();
        EXPECT_EQ(Images, c.images);
    }
    // The text file is code page 1252: its euro sign arrives as one.
    Viewed.clear();
    ScreenshotName.clear();
    Panel->HTMLViewer->HandleLinkClick(QUrl(links.filter(QString::fromLatin1(demo::DemoAttachedText)).value(0)));
    ASSERT_EQ(Viewed.size(), 1u);
    EXPECT_TRUE(Viewed[0].second.contains(QString::fromUtf8("4.50 €")));
    EXPECT_TRUE(Messages.isEmpty()) << Messages.join(QLatin1Char('|')).toStdString();
}

TEST_F(S57Attachments, ADamagedRecordOpensTheViewerWithTheReadersMessage) {
    const QString dir = testsupport::MakeTempDir(QStringLiteral("record"));
    const QString file = dir + QStringLiteral("/LOCK.XML");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("<facility><name>Velm</name><communication_information>");
    f.close();
    Panel->ShowHTMLText(QStringLiteral("<a href=\"%1\">LOCK.XML</a>").arg(QUrl::fromLocalFile(file).toString()), {dir});
    Panel->HTMLViewer->HandleLinkClick(QUrl::fromLocalFile(file));
    ASSERT_EQ(Viewed.size(), 1u);
    EXPECT_TRUE(Viewed[0].second.startsWith(QStringLiteral("The facility record could not be read: ") + file))
        << Viewed[0].second.toStdString();
    EXPECT_TRUE(Viewed[0].second.contains(QStringLiteral("line 1")));
}

}  // namespace
