// The marina-guide page in the details panel on the demo product's guide (its entries, icons
// and chart pictures as the demo generator writes them): the toggle link, picture hints,
// and screenshots of every page kind by day and by night.
#include "DemoData.h"
#include "DemoMarinaGuide.h"
#include "FakeMarinaEntry.h"
#include "LinkDetailsFixtures.h"
#include "tests/shell/ShellTestSupport.h"
#include "objectinfo/FraLinkDetails.h"
#include "tests/shell/NavEnvFixture.h"

#include "base/graphics/KvNightScreen.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDockWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QToolTip>

namespace {

class LinkDetailsMarina : public NavEnvFixture {
protected:
    void SetUp() override {
        NavEnvFixture::SetUp();
        Env = Make();
        ASSERT_TRUE(Env);
        Dock = std::make_unique<QDockWidget>();
        Panel = new TFrameLinkDetails(Dock.get(), *Env);
        Dock->setWidget(Panel);
        Dock->resize(400, 700);
        Dock->show();
        const QJsonArray entries = demo::DemoMarinaGuideEntries(demo::BuildDemoNetwork());
        ASSERT_GE(entries.size(), 2);
        TFakeMarinaEntry::FromJson(Saltmere, entries.at(0).toObject());
        IconFolder = QDir(FData).filePath(QFileInfo(QString::fromLatin1(demo::KapRelPath)).path()) +
                     QLatin1Char('/') + QLatin1String(demo::MarinaGuideRelFolder);
        ASSERT_TRUE(QFileInfo::exists(IconFolder + QStringLiteral("icon_showers.gif"))) << IconFolder.toStdString();
    }
    void TearDown() override {
        NightScreen()->SetActive(false);
        Dock.reset();
        Env.reset();
        NavEnvFixture::TearDown();
    }
    bool Show() {
        return Panel->ShowMarinaGuide(&Saltmere, IconFolder, QString::fromLatin1(demo::MarinaGuideEdition));
    }
    // Lets the view lay the page out so that scrolling and hit tests work.
    void Settle() { QApplication::processEvents(); }

    std::unique_ptr<TMarivoNavEnv> Env;
    std::unique_ptr<QDockWidget> Dock;
    TFrameLinkDetails *Panel = nullptr;
    TFakeMarinaEntry Saltmere;
    QString IconFolder;
};

TEST_F(LinkDetailsMarina, ToggleTwiceReturnsToTheCollapsedPageWhereItWas) {
    Dock->resize(400, 300);
    ASSERT_TRUE(Show());
    Settle();
    const QString collapsed = Panel->CurrentPage();
    QScrollBar *bar = Panel->HTMLViewer->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 40) << "the page is longer than the panel";
    bar->setValue(40);
    Panel->HTMLViewer->HandleLinkClick(QUrl(QStringLiteral("adacmore")));
    EXPECT_TRUE(Panel->MarinaGuideExpanded());
    EXPECT_TRUE(Panel->CurrentPage().contains(QStringLiteral("Harbor master")));
    EXPECT_EQ(bar->value(), 40);
    Panel->HTMLViewer->HandleLinkClick(QUrl(QStringLiteral("adacmore")));
    EXPECT_FALSE(Panel->MarinaGuideExpanded());
    EXPECT_EQ(Panel->CurrentPage(), collapsed);
    EXPECT_EQ(bar->value(), 40);
    // The flag belongs to the panel: a refresh keeps the page where it is.
    bar->setValue(25);
    EXPECT_TRUE(Panel->RefreshPage());
    EXPECT_EQ(bar->value(), 25);
}

TEST_F(LinkDetailsMarina, IconsShowTheirTitleAsHint) {
    ASSERT_TRUE(Show());
    Settle();
    // Find the classification icon on screen by walking the viewport.
    TLinkDetailsView *v = Panel->HTMLViewer;
    const QString icon = IconFolder + QStringLiteral("icon_classts.gif");
    QPoint at(-1, -1);
    for (int y = 0; y < 300 && at.x() < 0; y += 4)
        for (int x = 0; x < 200; x += 4)
            if (v->PictureAt(QPoint(x, y)) == icon) {
                at = QPoint(x, y);
                break;
            }
    ASSERT_GE(at.x(), 0) << "the classification icon is at the top of the page";
    QHelpEvent help(QEvent::ToolTip, at, v->viewport()->mapToGlobal(at));
    QApplication::sendEvent(v->viewport(), &help);
    EXPECT_EQ(QToolTip::text(), QStringLiteral("Classification for tech and service"));
    // Text is no picture: no hint there.
    EXPECT_TRUE(v->PictureAt(QPoint(at.x() + 150, at.y() + 60)).isEmpty());
    // The icon itself came from the demo guide's GIF.
    EXPECT_EQ(Panel->PictureFor(icon).size(), QSize(22, 22));
}

TEST_F(LinkDetailsMarina, ScreenshotsOfEveryPageKindByDayAndNight) {
    linkdetailstest::TWaypoints waypoints;
    IWptWaypoint *w = waypoints.Add(QStringLiteral("Saltmere light"), 52.9, 4.6,
                                    QStringLiteral("Harbour office +99512900950 havenmeester@yachthaven.example"),
                                    QStringLiteral("sl:9;0;1;120;3;240;4;360"));
    for (bool night : {false, true}) {
        SCOPED_TRACE(night ? "night" : "day");
        NightScreen()->SetActive(night);
        const QString suffix = night ? QStringLiteral("_night") : QStringLiteral("_day");
        ASSERT_TRUE(Show());
        Settle();
        shelltest::SaveScreenshot(Dock.get(), QStringLiteral("LinkDetails_marina_collapsed") + suffix);
        Panel->HTMLViewer->HandleLinkClick(QUrl(QStringLiteral("adacmore")));
        Panel->HTMLViewer->verticalScrollBar()->setValue(Panel->HTMLViewer->verticalScrollBar()->maximum());
        Settle();
        shelltest::SaveScreenshot(Dock.get(), QStringLiteral("LinkDetails_marina_expanded") + suffix);
        Panel->HTMLViewer->HandleLinkClick(QUrl(QStringLiteral("adacmore")));
        ASSERT_TRUE(Panel->ShowWaypoint(w, false));
        Settle();
        shelltest::SaveScreenshot(Dock.get(), QStringLiteral("LinkDetails_waypoint") + suffix);
        EXPECT_FALSE(Panel->ButtonNavigateTo->isHidden());
    }
}

}  // namespace
