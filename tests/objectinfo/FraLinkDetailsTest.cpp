// The object details panel in a dock panel over the real navigation environment on the
// demo data: link routing through the view's policy, the state of every Show operation,
// navigate-to, pictures (including a JPEG beyond 4 GiB of a sparse database file).
// Openers and prompters of the view are recorded, never run.
#include "FakeMarinaEntry.h"
#include "LinkDetailsFixtures.h"
#include "objectinfo/FraLinkDetails.h"
#include "objectinfo/LinkDetailsPages.h"
#include "tests/shell/NavEnvRouteSupport.h"

#include "DemoData.h"
#include "DemoProduct.h"
#include "base/graphics/KvNightScreen.h"
#include "base/waypoints/KvWaypoints.h"


#include <KvLibNav6/KvLanguage.h>

#include <gtest/gtest.h>

#include <QDockWidget>
#include <map>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

namespace {

using namespace linkdetailstest;
using namespace routetest;

class LinkDetailsPanel : public NavEnvRoutes {
protected:
    void SetUp() override {
        NavEnvRoutes::SetUp();
        Dock = std::make_unique<QDockWidget>();
        Panel = new TFrameLinkDetails(Dock.get(), *Env);
        Dock->setWidget(Panel);
        Dock->resize(400, 700);
        Dock->show();
        TLinkDetailsView *v = Panel->HTMLViewer;
        v->OpenDocument = [this](const QString &d) {
            Opened << d;
            return 0;
        };
        v->ConfirmOpenFile = [this](const QString &f) {
            Confirmed << f;
            return true;
        };
        v->ShowMessage = [this](const QString &m) { Shown << m; };
        Panel->OnShowDocument = [this](const QString &caption, const QString &page) {
            Documents << caption + QStringLiteral("|") + page;
        };
        Panel->NavigateToObject = [this](const TGeoPoint &p, IWptWaypoint *w, IWWSection *s, double at) {
            Navigations.push_back({p, w, s, at});
        };
        Dir = testsupport::MakeTempDir(QStringLiteral("panel"));
    }
    void TearDown() override {
        Dock.reset();
        NavEnvRoutes::TearDown();
    }
    void Click(const QString &link) { Panel->HTMLViewer->HandleLinkClick(QUrl(link)); }
    QString WriteFile(const QString &name, const QByteArray &bytes) {
        const QString file = Dir + QLatin1Char('/') + name;
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return file;
    }
    void Clear() {
        Opened.clear();
        Confirmed.clear();
        Shown.clear();
        Documents.clear();
    }
    bool NavigateShown() const { return !Panel->ButtonNavigateTo->isHidden(); }

    struct TNavigation {
        TGeoPoint Position;
        IWptWaypoint *Waypoint;
        IWWSection *Section;
        double At;
    };
    std::unique_ptr<QDockWidget> Dock;
    TFrameLinkDetails *Panel = nullptr;
    QStringList Opened, Confirmed, Shown, Documents;
    std::vector<TNavigation> Navigations;
    QString Dir;
    TWaypoints Waypoints;
};

TEST_F(LinkDetailsPanel, FreshPanelShowsNothingAndRefreshingKeepsItEmpty) {
    EXPECT_EQ(Panel->ContentType(), LinkContent::Nothing);
    EXPECT_FALSE(Panel->ButtonHelp->isEnabled());
    EXPECT_FALSE(NavigateShown());
    EXPECT_EQ(Panel->ButtonHelp->text(), QStringLiteral("Help (F1)"));
    EXPECT_EQ(Panel->ButtonNavigateTo->text(), QStringLiteral("Navigate to"));
    EXPECT_FALSE(Panel->RefreshPage());
    Panel->UpdateTexts();
    EXPECT_TRUE(Panel->HTMLViewer->toPlainText().isEmpty());
}

// The main window relabels its panels through their adapters when the language changes.
TEST_F(LinkDetailsPanel, TheHostedPanelFollowsALanguageSwitch) {
    QWidget host;
    const std::unique_ptr<IFrameLinkDetails> hosted = CreateFrameLinkDetails(&host, *Env);
    auto *panel = qobject_cast<TFrameLinkDetails *>(hosted->Widget());
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->ButtonNavigateTo->text(), QStringLiteral("Navigate to"));
    SetCurrentLanguage(KvLang::Dutch);
    hosted->UpdateTexts();
    EXPECT_EQ(panel->ButtonNavigateTo->text(), QStringLiteral("Navigeer naar"));
    SetCurrentLanguage(KvLang::English);
    hosted->UpdateTexts();
    EXPECT_EQ(panel->ButtonNavigateTo->text(), QStringLiteral("Navigate to"));
}

TEST_F(LinkDetailsPanel, ShowOperationsSetTypeCaptionAndButtons) {
    IWptWaypoint *w = Waypoints.Add(QStringLiteral("Buoy 7"), 52.5, 5.1);
    TFakeMarinaEntry marina;
    marina.Texts["Name"] = QStringLiteral("Marina Velm");
    const struct {
        const char *name;
        std::function<bool()> show;
        int type;
        const char *caption;
        bool navigate;
    } cases[] = {
        {"waypoint", [&] { return Panel->ShowWaypoint(w, false); }, LinkContent::Waypoint, "Waypoint properties", true},
        {"marina guide", [&] { return Panel->ShowMarinaGuide(&marina, Dir + QLatin1Char('/'), QStringLiteral("2014")); },
         LinkContent::MarinaGuide, "Waypoint properties", true},
        {"composed report", [&] { return Panel->ShowHTMLText(QStringLiteral("<p>Report</p>")); },
         LinkContent::HTMLText, "Waypoint properties", false},
        {"structure", [&] { return Panel->ShowStruct(Env->WaterwayNetwork->GetStruct(0), nullptr); },
         LinkContent::Struct, "Bridges, locks and other structures", true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Dock->setWindowTitle(QStringLiteral("Waypoint properties"));
        EXPECT_TRUE(c.show());
        EXPECT_EQ(Panel->ContentType(), c.type);
        EXPECT_EQ(Dock->windowTitle(), QString::fromUtf8(c.caption));
        EXPECT_EQ(NavigateShown(), c.navigate);
        EXPECT_FALSE(Panel->AlignmentPanelHelp->isHidden());
        EXPECT_FALSE(Panel->ButtonHelp->isEnabled());
        EXPECT_FALSE(Panel->HTMLViewer->toPlainText().isEmpty());
    }
}

TEST_F(LinkDetailsPanel, WaypointToggleForgetsAndShowsAgain) {
    IWptWaypoint *w = Waypoints.Add(QStringLiteral("Buoy 7"), 52.5, 5.1);
    ASSERT_TRUE(Panel->ShowWaypoint(w, true));
    const QString page = Panel->CurrentPage();
    EXPECT_FALSE(Panel->ShowWaypoint(w, true));
    EXPECT_EQ(Panel->CurrentPage(), page) << "the page stays until the dock panel hides";
    // Forgotten: a language switch now builds nothing and never touches the waypoint.
    EXPECT_EQ(Panel->ContentType(), LinkContent::Nothing);
    Panel->UpdateTexts();
    EXPECT_TRUE(Panel->CurrentPage().isEmpty());
    EXPECT_TRUE(Panel->ShowWaypoint(w, true));
    EXPECT_EQ(Panel->ContentType(), LinkContent::Waypoint);
    EXPECT_TRUE(Panel->HTMLViewer->toPlainText().contains(QStringLiteral("Buoy 7")));
}

TEST_F(LinkDetailsPanel, ForgettingObjectsLeavesNothingToRefresh) {
    IWptWaypoint *w = Waypoints.Add(QStringLiteral("Buoy 7"), 52.5, 5.1);
    ASSERT_TRUE(Panel->ShowWaypoint(w, false));
    Panel->ForgetObjects();
    EXPECT_FALSE(Panel->RefreshPage());
    EXPECT_TRUE(Panel->HTMLViewer->toPlainText().isEmpty());
    Panel->ButtonNavigateToClick();
    EXPECT_TRUE(Navigations.empty());
}

TEST_F(LinkDetailsPanel, LinksGoThroughThePanelThenThePolicy) {
    IWptWaypoint *w = Waypoints.Add(QStringLiteral("Buoy 7"), 52.5, 5.1);
    const QString txt = WriteFile(QStringLiteral("note.txt"), "<b>x</b> & more");
    const QString html = WriteFile(QStringLiteral("page.html"), "<p>attached page</p>");
    const QString jpg = WriteFile(QStringLiteral("photo.JPG"), JpegBytes(Qt::blue));
    const QString pdf = WriteFile(QStringLiteral("manual.pdf"), "%PDF");
    const QString missing = Dir + QStringLiteral("/gone.txt");
    auto onWaypoint = [&] { Panel->ShowWaypoint(w, false); };
    // The report's chart lies in Dir: attachments are files of that folder.
    auto onReport = [&] { Panel->ShowHTMLText(QStringLiteral("<p>S-57 object</p>"), {Dir}); };
    const QString elsewhere = testsupport::MakeTempDir(QStringLiteral("elsewhere")) + QStringLiteral("/x.txt");
    QFile(elsewhere).open(QIODevice::WriteOnly);
    const struct {
        const char *name;
        std::function<void()> page;
        QString link;
        QStringList opened, confirmed, documents;
        bool refused;
    } cases[] = {
        {"mail on a waypoint page", onWaypoint, QStringLiteral("mailto:a@b.nl"), {QStringLiteral("mailto:a@b.nl")}, {}, {}, false},
        {"web address", onWaypoint, QStringLiteral("https://example.org/x"), {QStringLiteral("https://example.org/x")}, {}, {}, false},
        {"telephone link is refused", onWaypoint, QStringLiteral("callto:+3120"), {}, {}, {}, true},
        {"script is refused", onWaypoint, QStringLiteral("javascript:alert(1)"), {}, {}, {}, true},
        {"structure link on a waypoint page goes to the policy", onWaypoint, QStringLiteral("strdetail#ID1"), {}, {}, {}, true},
        {"local file after confirmation", onWaypoint, QUrl::fromLocalFile(pdf).toString(), {pdf}, {pdf}, {}, false},
        {"report: picture in capitals", onReport, jpg, {}, {}, {QStringLiteral("photo.JPG|") + PicturePage(jpg)}, false},
        {"report: text shown as text", onReport, txt, {}, {},
         {QStringLiteral("note.txt|") + TextFilePage(txt, QStringLiteral("<b>x</b> & more"))}, false},
        {"report: html file is the page", onReport, html, {}, {}, {QStringLiteral("page.html|<p>attached page</p>")}, false},
        {"report: unreadable text", onReport, missing, {}, {},
         {QStringLiteral("gone.txt|") + TextFilePage(missing, QStringLiteral("Error reading text file"))}, false},
        {"report: other files open after confirmation", onReport, pdf, {pdf}, {pdf}, {}, false},
        {"report: an anchor stays in the page", onReport, QStringLiteral("#top"), {}, {}, {}, false},
        {"report: a web page is never read as a file", onReport, QStringLiteral("https://host/page.html"),
         {QStringLiteral("https://host/page.html")}, {}, {}, false},
        {"report: a file outside the chart's folder is refused", onReport, elsewhere, {}, {}, {}, true},
        {"report: climbing out of the folder is refused", onReport, Dir + QStringLiteral("/../") +
         QFileInfo(elsewhere).dir().dirName() + QStringLiteral("/x.txt"), {}, {}, {}, true},
        {"report without a chart has no attachments", [&] { Panel->ShowHTMLText(QStringLiteral("<p>r</p>")); },
         txt, {}, {}, {}, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        c.page();
        Clear();
        Click(c.link);
        EXPECT_EQ(Opened, c.opened);
        EXPECT_EQ(Confirmed, c.confirmed);
        EXPECT_EQ(Documents, c.documents);
        EXPECT_EQ(!Shown.isEmpty(), c.refused) << Shown.join(QLatin1Char('|')).toStdString();
    }
    // The refusal names the number, so the skipper can still call it.
    onWaypoint();
    Clear();
    Click(QStringLiteral("callto:+3120"));
    ASSERT_EQ(Shown.size(), 1);
    EXPECT_TRUE(Shown.front().contains(QStringLiteral("+3120")));
}

TEST_F(LinkDetailsPanel, GeoAddLinkFindsTheEntryOfTheDemoProduct) {
    const QString db = demo::NameGuid(QStringLiteral("content:") + QLatin1String(demo::DemoMarinasIdentifier));
    const QString entry = demo::NameGuid(QStringLiteral("marina:Saltmere Yacht Haven"));
    IWptWaypoint *w = Waypoints.Add(QStringLiteral("Buoy 7"), 52.5, 5.1);
    Panel->ShowWaypoint(w, false);
    EXPECT_FALSE(Panel->ShowGeoAddLink(QStringLiteral("Saltmere"), nullptr));
    EXPECT_TRUE(Panel->HTMLViewer->toPlainText().isEmpty());
    EXPECT_FALSE(NavigateShown());
    EXPECT_FALSE(Panel->ShowGeoAddLink(
        QStringLiteral("geoadds:%1/{00000000-0000-0000-0000-000000000001}").arg(db), nullptr));
    Dock->setWindowTitle(QStringLiteral("before"));
    ASSERT_TRUE(Panel->ShowGeoAddLink(QStringLiteral("geoadds:%1/%2").arg(db, entry), nullptr));
    EXPECT_EQ(Panel->ContentType(), LinkContent::GeoAdd);
    EXPECT_EQ(Dock->windowTitle(), QStringLiteral("Waypoint properties"));
    EXPECT_TRUE(Panel->AlignmentPanelHelp->isHidden()) << "no help context: no button row";
    EXPECT_TRUE(Panel->HTMLViewer->toPlainText().contains(QStringLiteral("Saltmere Yacht Haven")));
    // A language switch builds the same entry's page again.
    EXPECT_TRUE(Panel->RefreshPage());
    EXPECT_TRUE(Panel->HTMLViewer->toPlainText().contains(QStringLiteral("Saltmere Yacht Haven")));
}

TEST_F(LinkDetailsPanel, DemoPointsShowTheirPhotoAndTheirOwnPage) {
    const QString db = demo::NameGuid(QStringLiteral("content:") + QLatin1String(demo::DemoMarinasIdentifier));
    ASSERT_TRUE(Panel->ShowGeoAddLink(
        QStringLiteral("geoadds:%1/%2").arg(db, demo::NameGuid(QStringLiteral("poi:Harbour Cafe"))), nullptr));
    EXPECT_TRUE(Panel->HTMLViewer->toPlainText().contains(QStringLiteral("Harbour Café De Steiger")));
    const int at = int(Panel->CurrentPage().indexOf(QStringLiteral("<img src=\"")));
    ASSERT_GE(at, 0);
    const QString source = Panel->CurrentPage().mid(at + 10).section(QLatin1Char('"'), 0, 0);
    EXPECT_EQ(Panel->PictureFor(source).size(), QSize(320, 200)) << "the photo stored in the demo file";

    ASSERT_TRUE(Panel->ShowGeoAddLink(
        QStringLiteral("geoadds:%1/%2").arg(db, demo::NameGuid(QStringLiteral("poi:Velm Ferry"))), nullptr));
    EXPECT_TRUE(Panel->CurrentPage().startsWith(QStringLiteral("<html><head><title>Velm Ferry</title>")));
    EXPECT_EQ(Dock->windowTitle(), QStringLiteral("Velm Ferry")) << "the caption is the page's title";
    // Its pictures are found beside the database file.
    EXPECT_EQ(Panel->PictureFor(QStringLiteral("ferry.png")).size(), QSize(240, 120));
}

TEST_F(LinkDetailsPanel, DemoUserWaypointsOpenTheirPages) {
    std::map<QString, IWptWaypoint *> byName;
    for (int32_t i = 0; i < Env->WaypointManager->GetWaypointCount(); ++i)
        if (IWptWaypoint *w = Env->WaypointManager->GetWaypoint(i); w->GetDatabase() == Env->UserDatabase)
            byName[WptObjectGetName(w)] = w;
    ASSERT_TRUE(byName.count(QStringLiteral("Saltmere light")));
    ASSERT_TRUE(byName.count(QStringLiteral("Harbour office")));
    ASSERT_TRUE(byName.count(QStringLiteral("Cafe landing")));
    ASSERT_TRUE(Panel->ShowWaypoint(byName[QStringLiteral("Saltmere light")], false));
    EXPECT_TRUE(Panel->HTMLViewer->toPlainText().contains(QStringLiteral("Van 120 - 240 graden, kleur: rood")));
    ASSERT_TRUE(Panel->ShowWaypoint(byName[QStringLiteral("Harbour office")], false));
    EXPECT_TRUE(Panel->CurrentPage().contains(QStringLiteral("<a href=\"callto:+99512900950\">")));
    EXPECT_TRUE(Panel->CurrentPage().contains(QStringLiteral("<a href=\"mailto:havenmeester@yachthaven.example\">")));
    // The landing's link names the cafe of the product's point-of-interest file.
    IWptWaypoint *landing = byName[QStringLiteral("Cafe landing")];
    ASSERT_TRUE(Panel->ShowGeoAddLink(WptWaypointGetLink(landing), nullptr));
    EXPECT_TRUE(Panel->HTMLViewer->toPlainText().contains(QStringLiteral("Harbour Café De Steiger")));
}

TEST_F(LinkDetailsPanel, MarinaToggleLinkWorksOnAnyPageInAnyCase) {
    IWptWaypoint *w = Waypoints.Add(QStringLiteral("Buoy 7"), 52.5, 5.1);
    ASSERT_TRUE(Panel->ShowWaypoint(w, false));
    EXPECT_FALSE(Panel->MarinaGuideExpanded());
    Click(QStringLiteral("ADACMORE"));
    EXPECT_TRUE(Panel->MarinaGuideExpanded());
    EXPECT_TRUE(Opened.isEmpty());
    EXPECT_TRUE(Shown.isEmpty());
    EXPECT_EQ(Panel->ContentType(), LinkContent::Waypoint) << "no marina entry: the page stays";
}

TEST_F(LinkDetailsPanel, NavigateToCallsPerContentType) {
    IWptWaypoint *w = Waypoints.Add(QStringLiteral("Buoy 7"), 52.5, 5.1);
    TFakeMarinaEntry marina;
    marina.Position = {0.9, 0.1};
    marina.Waypoint = w;
    IWWStruct *s = Env->WaterwayNetwork->GetStruct(0);
    ASSERT_TRUE(s);

    Panel->ButtonNavigateToClick();
    EXPECT_TRUE(Navigations.empty()) << "nothing shown";
    Panel->ShowHTMLText(QStringLiteral("<p>x</p>"));
    Panel->ButtonNavigateToClick();
    EXPECT_TRUE(Navigations.empty()) << "a composed report has no target";

    Panel->ShowWaypoint(w, false);
    Panel->ButtonNavigateToClick();
    ASSERT_EQ(Navigations.size(), 1u);
    EXPECT_EQ(Navigations[0].Waypoint, w);
    EXPECT_DOUBLE_EQ(Navigations[0].Position.Lat, w->GetPosition()->Lat);
    EXPECT_EQ(Navigations[0].Section, nullptr);

    Panel->ShowStruct(s, nullptr);
    Panel->ButtonNavigateToClick();
    ASSERT_EQ(Navigations.size(), 2u);
    EXPECT_EQ(Navigations[1].Section, s->GetSection());
    EXPECT_DOUBLE_EQ(Navigations[1].At, s->GetSectionPosition());
    EXPECT_EQ(Navigations[1].Waypoint, nullptr);
    EXPECT_EQ(Navigations[1].Position.Lat, 0.0);

    Panel->ShowMarinaGuide(&marina, Dir + QLatin1Char('/'), QStringLiteral("2014"));
    Panel->ButtonNavigateToClick();
    ASSERT_EQ(Navigations.size(), 3u);
    EXPECT_EQ(Navigations[2].Waypoint, w);
    EXPECT_DOUBLE_EQ(Navigations[2].Position.Lat, 0.9);
}

TEST_F(LinkDetailsPanel, NavigateToOnAWaypointPageActivatesTheRouteThere) {
    StartRun();
    PlaceShip();
    // The panel's own route to the environment.
    auto *own = new TFrameLinkDetails(nullptr, *Env);
    std::unique_ptr<TFrameLinkDetails> owner(own);
    const TGeoPoint there = OnSection(Section(3), 30.0);
    IWptWaypoint *w = Env->UserDatabase->NewWaypoint(nullptr, {there.Lat, there.Lon, 0.0}, nullptr);
    ASSERT_TRUE(own->ShowWaypoint(w, false));
    QTest::mouseClick(own->ButtonNavigateTo, Qt::LeftButton);
    ASSERT_TRUE(Env->Boat->GetRouteNavigation());
    IWptRoute *route = Env->Boat->GetRouteNavigation()->GetRoute();
    ASSERT_TRUE(route);
    EXPECT_GE(route->GetPointCount(), 2);
}

TEST_F(LinkDetailsPanel, PointPictureIsReadBeyondFourGigabytes) {
    const QString file = Dir + QStringLiteral("/far.content");
    QJsonObject e = PointEntry(QStringLiteral("{11111111-2222-3333-4444-555555555555}"), QStringLiteral("Far"));
    e.insert(QStringLiteral("picture"), true);
    const qint64 far = (qint64(5) << 30) + 123;  // past 4 GiB: the high bits count
    if (!WritePointFile(file, QJsonArray{e}, JpegBytes(QColor(0, 200, 0), QSize(64, 48)), far))
        GTEST_SKIP() << "the file system here keeps no sparse file of 5 GiB";
    auto db = OpenPointFile(file);
    ASSERT_TRUE(db);
    IGeoAddsEntry *entry = db->GetObject(0);
    ASSERT_EQ(entry->GetPictureOffset(), far);
    ASSERT_TRUE(Panel->ShowGeoAddObject(entry));
    EXPECT_FALSE(NavigateShown());
    const QImage picture = Panel->PictureFor(QString::number(far));
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), QSize(64, 48));
    EXPECT_GT(qGreen(picture.pixel(32, 24)), 150);
    // The view asked for it too while loading the page.
    EXPECT_EQ(Panel->HTMLViewer->document()->resource(QTextDocument::ImageResource, QUrl(QString::number(far))).value<QImage>().size(),
              QSize(64, 48));
    QFile::remove(file);
}

TEST_F(LinkDetailsPanel, UnreadableDatabaseGivesAPageWithoutPicture) {
    const QString file = Dir + QStringLiteral("/gone.content");
    QJsonObject e = PointEntry(QStringLiteral("{11111111-2222-3333-4444-555555555555}"), QStringLiteral("Gone"));
    e.insert(QStringLiteral("picture"), true);
    ASSERT_TRUE(WritePointFile(file, QJsonArray{e}, JpegBytes(Qt::red)));
    auto db = OpenPointFile(file);
    ASSERT_TRUE(db);
    ASSERT_TRUE(QFile::remove(file));
    ASSERT_TRUE(Panel->ShowGeoAddObject(db->GetObject(0)));  // an exception reported fails the test
    EXPECT_TRUE(Panel->PictureFor(QStringLiteral("65536")).isNull());
    EXPECT_TRUE(Panel->HTMLViewer->toPlainText().contains(QStringLiteral("Gone")));
}

TEST_F(LinkDetailsPanel, PicturesFollowNightMode) {
    QImage white(8, 8, QImage::Format_RGB32);
    white.fill(Qt::white);
    const QString png = Dir + QStringLiteral("/white.png");
    ASSERT_TRUE(white.save(png));
    Panel->ShowHTMLText(QStringLiteral("<img src=\"%1\">").arg(png));
    const QImage day = Panel->PictureFor(png);
    ASSERT_FALSE(day.isNull());
    NightScreen()->SetActive(true);
    const QImage night = Panel->PictureFor(png);
    NightScreen()->SetActive(false);
    ASSERT_FALSE(night.isNull());
    EXPECT_NE(night.pixel(4, 4), day.pixel(4, 4));
    EXPECT_TRUE(Panel->PictureFor(Dir + QStringLiteral("/missing.gif")).isNull());
}

}  // namespace
