// Sections and weather stations in the details panel over the real navigation environment
// on the demo data: a click on the River Orle, navigate-to and refresh of the section page,
// the weather page with the environment's units and an injected clock, and screenshots.
#include "DemoData.h"
#include "PageFakes.h"
#include "objectinfo/FraLinkDetails.h"
#include "tests/shell/NavEnvFixture.h"
#include "tests/shell/ShellTestSupport.h"

#include "base/controls/KvCalendarEx.h"

#include <gtest/gtest.h>

#include <KvLibNav6/KvUnits.h>

#include <QDockWidget>
#include <QPushButton>
#include <cmath>

namespace {

using namespace pagefakes;

class LinkDetailsObjects : public NavEnvFixture {
protected:
    void SetUp() override {
        NavEnvFixture::SetUp();
        // Without demo data an environment would write into the working folder.
        if (HasFatalFailure()) return;
        Env = Make();
        ASSERT_TRUE(Env && Env->WaterwayNetwork);
        Dock = std::make_unique<QDockWidget>();
        Panel = new TFrameLinkDetails(Dock.get(), *Env);
        Dock->setWidget(Panel);
        Dock->resize(400, 700);
        Dock->show();
        Panel->NavigateToObject = [this](const TGeoPoint &, IWptWaypoint *, IWWSection *s, double at) {
            Navigated.push_back({s, at});
        };
    }
    void TearDown() override {
        Dock.reset();
        Env.reset();
        NavEnvFixture::TearDown();
    }
    // The section under a point of the demo network's River Orle, as a chart click finds it.
    void ClickRiverOrle(double alongM) {
        const demo::TNetwork net = demo::BuildDemoNetwork();
        for (const auto &s : net.Sections)
            if (s.Name == QLatin1String("River Orle") && !Found) {
                const demo::TLonLat p = demo::PolylinePoint(s.Line, alongM);
                const TGeoPoint geo{p.Lat * M_PI / 180.0, p.Lon * M_PI / 180.0};
                double unused = 0.0;
                Env->WaterwayNetwork->FindNearestSection(Found, Position, unused, geo);
            }
    }

    std::unique_ptr<TMarivoNavEnv> Env;
    std::unique_ptr<QDockWidget> Dock;
    TFrameLinkDetails *Panel = nullptr;
    IWWSection *Found = nullptr;
    double Position = 0.0;
    std::vector<std::pair<IWWSection *, double>> Navigated;
};

TEST_F(LinkDetailsObjects, AClickOnTheRiverOrleShowsItsSectionPage) {
    ClickRiverOrle(1500.0);
    ASSERT_NE(Found, nullptr);
    ASSERT_TRUE(Panel->ShowSection(Found, nullptr, Position));
    EXPECT_EQ(Panel->ContentType(), LinkContent::Section);
    EXPECT_EQ(Dock->windowTitle(), QStringLiteral("Waterway properties"));
    EXPECT_FALSE(Panel->ButtonNavigateTo->isHidden());
    const QString text = Panel->HTMLViewer->toPlainText();
    EXPECT_TRUE(text.contains(QStringLiteral("River Orle"))) << text.toStdString();
    const QString page = Panel->CurrentPage();
    EXPECT_TRUE(page.contains(QStringLiteral("<td>Name:</td><td>River Orle</td>"))) << page.toStdString();
    EXPECT_TRUE(page.contains(QStringLiteral("<td>Waterway route:</td><td>River Orle</td>")));
    // The mark is the section's chainage at the click, cut to the hectometre.
    const double mark = Found->GetDistanceMark(Position);
    ASSERT_GE(mark, 0.0);
    const auto hm = int64_t(std::floor((mark + 1e-6) / 100.0));
    EXPECT_TRUE(page.contains(QStringLiteral("<td>Distance mark:</td><td>%1.%2 km</td>").arg(hm / 10).arg(hm % 10)));
    EXPECT_TRUE(page.contains(QStringLiteral("VHF Sector channel")));
    EXPECT_TRUE(page.contains(QStringLiteral("Orle Traffic")));
    shelltest::SaveScreenshot(Dock.get(), QStringLiteral("LinkDetails_section_river_orle"));

    Panel->ButtonNavigateToClick();
    ASSERT_EQ(Navigated.size(), 1u);
    EXPECT_EQ(Navigated[0].first, Found);
    EXPECT_DOUBLE_EQ(Navigated[0].second, Position);
    // A language switch rebuilds it from the kept section.
    EXPECT_TRUE(Panel->RefreshPage());
    EXPECT_EQ(Panel->CurrentPage(), page);
    Panel->ForgetObjects();
    EXPECT_FALSE(Panel->RefreshPage());
}

TEST_F(LinkDetailsObjects, TheVornReservePageNamesPermitOneWayAndKeepLeft) {
    const demo::TNetwork net = demo::BuildDemoNetwork();
    const demo::TSection *vorn = nullptr;
    for (const auto &s : net.Sections)
        if (s.Name == QLatin1String("Vorn Canal") && !vorn) vorn = &s;
    ASSERT_NE(vorn, nullptr);
    int32_t index = -1;
    ASSERT_TRUE(Env->WaterwayNetwork->FindSection(testsupport::Guid(vorn->Guid), index));
    IWWSection *section = Env->WaterwayNetwork->GetSection(index);
    ASSERT_TRUE(Panel->ShowSection(section, nullptr, vorn->LengthM * 0.25));
    const QString page = Panel->CurrentPage();
    EXPECT_TRUE(page.contains(QStringLiteral("Navigable with permit only")));
    EXPECT_TRUE(page.contains(QStringLiteral("href=\"https://orleland.example/vorn-permit\"")));
    EXPECT_TRUE(page.contains(QStringLiteral("One-way traffic to the ")));
    EXPECT_TRUE(page.contains(QStringLiteral("Stay at left bank")));
    shelltest::SaveScreenshot(Dock.get(), QStringLiteral("LinkDetails_section_vorn"));
}

TEST_F(LinkDetailsObjects, WeatherStationPageFollowsTheEnvironmentsUnits) {
    TFakeStation station;
    station.Name.Set(QStringLiteral("Saltmere <pier>"));
    station.Time = KvCalendar::FromQDateTime(QDate(2026, 3, 14), QTime(9, 30));
    station.Humidity = 0.0;
    station.Temperature = 10.0;
    station.Speed = 10.0;
    station.Gust = 15.0;
    Panel->NowUTC = [] { return KvCalendar::FromQDateTime(QDate(2026, 7, 1), QTime(12, 0)); };
    Env->UnitSpeed = KvUnit::Knot;
    Env->UnitTemperature = KvUnit::Fahrenheit;
    ASSERT_TRUE(Panel->ShowWeatherStation(&station));
    EXPECT_EQ(Panel->ContentType(), LinkContent::WeatherStation);
    EXPECT_EQ(Dock->windowTitle(), QStringLiteral("Waypoint properties"));
    EXPECT_TRUE(Panel->ButtonNavigateTo->isHidden());
    const QString page = Panel->CurrentPage();
    EXPECT_TRUE(page.contains(QStringLiteral("Name: Saltmere &lt;pier&gt;<br />")));
    EXPECT_TRUE(page.contains(QStringLiteral("Humidity: 0 %<br />")));
    EXPECT_TRUE(page.contains(QStringLiteral("Temperature: 50.0 ")));
    EXPECT_TRUE(page.contains(QStringLiteral("Wind speed: 19.4 kn (")));
    EXPECT_TRUE(page.contains(QStringLiteral("Wind gust: 29.2 kn<br />")));
    shelltest::SaveScreenshot(Dock.get(), QStringLiteral("LinkDetails_weather_station"));
    Navigated.clear();
    Panel->ButtonNavigateToClick();
    EXPECT_TRUE(Navigated.empty());
    EXPECT_TRUE(Panel->RefreshPage());
}

}  // namespace
