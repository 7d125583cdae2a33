// Notices and water reports in the details panel over the real navigation environment on
// the demo data, with the object data of the service stand-in's fixture: the notice page
// with and without its section, the page found again after the object data changed or
// emptied when its notice is gone, and screenshots by day and night.
#include "objectinfo/FraLinkDetails.h"
#include "tests/shell/NavEnvFixture.h"
#include "tests/shell/NavEnvRouteSupport.h"
#include "tests/shell/ShellTestSupport.h"

#include "base/graphics/KvNightScreen.h"

#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvLanguage.h>

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QPushButton>

namespace {

const QString DemoObjects = QStringLiteral(MARIVO_SOURCE_DIR_STR "/tools/servicestub/fixtures/objects/data.json");

class LinkDetailsNotice : public NavEnvFixture {
protected:
    void SetUp() override {
        NavEnvFixture::SetUp();
        if (HasFatalFailure()) return;
        SetCurrentLanguage(KvLang::English);
        Env = Make();
        ASSERT_TRUE(Env && Env->WaterwayNetwork && Env->ObjectUpdateManager);
        Load(DemoObjects);
        Dock = std::make_unique<QDockWidget>();
        Panel = new TFrameLinkDetails(Dock.get(), *Env);
        Dock->setWidget(Panel);
        Dock->resize(400, 700);
        Dock->show();
    }
    void TearDown() override {
        Dock.reset();
        Env.reset();
        NavEnvFixture::TearDown();
    }
    void Load(const QString &file) {
        int32_t err = -1;
        Env->ObjectUpdateManager->LoadObjectData(testsupport::Rec(file), err);
        ASSERT_EQ(err, KvErr::Ok);
    }
    QString Text() const { return Panel->HTMLViewer->toPlainText(); }

    std::unique_ptr<TMarivoNavEnv> Env;
    std::unique_ptr<QDockWidget> Dock;
    TFrameLinkDetails *Panel = nullptr;
};

TEST_F(LinkDetailsNotice, NoticeWithAndWithoutItsSection) {
    IFTMNotice *notice = Env->ObjectUpdateManager->FindNotice(1001);
    ASSERT_TRUE(notice);
    EXPECT_FALSE(Panel->ShowNotice(Env->WaterwayNetwork->GetSection(0), nullptr, nullptr, 0.0))
        << "a section is no notice";
    ASSERT_TRUE(Panel->ShowNotice(notice, nullptr, nullptr, 0.0));
    EXPECT_EQ(Panel->ContentType(), LinkContent::Notice);
    EXPECT_TRUE(Text().contains(QStringLiteral("Works at Millbrook Bridge")));
    EXPECT_TRUE(Text().contains(QStringLiteral("Clearance height, all, all directions, maximum 3 m, Millbrook Bridge")));
    EXPECT_TRUE(Panel->ButtonNavigateTo->isHidden()) << "a notice alone has no place on the network";
    EXPECT_EQ(Panel->CurrentPage().count(QStringLiteral("<title>")), 1);

    IWWSection *section = routetest::SectionNamed(Env->WaterwayNetwork, QStringLiteral("River Orle"));
    ASSERT_TRUE(section);
    ASSERT_TRUE(Panel->ShowNotice(notice, section, nullptr, 10.0));
    const QString page = Panel->CurrentPage();
    EXPECT_EQ(page.count(QStringLiteral("<title>")), 1) << "the notice and the section wrapped once";
    EXPECT_LT(page.indexOf(QStringLiteral("Works at Millbrook Bridge")), page.indexOf(QStringLiteral("Waterway properties")));
    EXPECT_FALSE(Panel->ButtonNavigateTo->isHidden());

    ASSERT_TRUE(Panel->ShowWaterReport(Env->ObjectUpdateManager->GetWaterReport(0)));
    EXPECT_EQ(Panel->ContentType(), LinkContent::WaterReport);
    EXPECT_TRUE(Text().contains(QStringLiteral("Measured value for water level")));
    EXPECT_FALSE(Panel->ShowWaterReport(notice));
}

TEST_F(LinkDetailsNotice, NewObjectDataShowsTheNoticeAgainOrEmptiesThePage) {
    ASSERT_TRUE(Panel->ShowNotice(Env->ObjectUpdateManager->FindNotice(1001), nullptr, nullptr, 0.0));
    // The same notice in new data: found again by its number.
    Load(DemoObjects);
    EXPECT_TRUE(Panel->RefreshPage());
    EXPECT_TRUE(Text().contains(QStringLiteral("Works at Millbrook Bridge")));

    // Data without it: the page empties.
    const QString empty = QDir(testsupport::MakeTempDir(QStringLiteral("notices"))).filePath(QStringLiteral("e.json"));
    QFile f(empty);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(R"({"format":"marivo-objects","version":1})");
    f.close();
    Load(empty);
    EXPECT_FALSE(Panel->RefreshPage());
    EXPECT_TRUE(Text().trimmed().isEmpty());
    EXPECT_EQ(Panel->ContentType(), LinkContent::Nothing);
}

TEST_F(LinkDetailsNotice, ScreenshotsOfTheNoticeByDayAndNight) {
    IWWSection *section = routetest::SectionNamed(Env->WaterwayNetwork, QStringLiteral("River Orle"));
    ASSERT_TRUE(Panel->ShowNotice(Env->ObjectUpdateManager->FindNotice(1001), section, nullptr, 10.0));
    QCoreApplication::processEvents();
    shelltest::SaveScreenshot(Dock.get(), QStringLiteral("notice-panel-day"));
    NightScreen()->SetActive(true);
    QCoreApplication::processEvents();
    shelltest::SaveScreenshot(Dock.get(), QStringLiteral("notice-panel-night"));
    NightScreen()->SetActive(false);
    EXPECT_TRUE(Text().contains(QStringLiteral("Works at Millbrook Bridge")));
}

}  // namespace
