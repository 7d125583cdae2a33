// The GPS block on the real own ship: its values, channels and colours follow what a
// receiver sends through a pseudo-terminal.
#include "NavInfoGpsFixture.h"
#include "NavInfoWWWalk.h"

#include "base/controls/KvControls.h"
#include "base/graphics/KvNightScreen.h"
#include "base/strings/KvFormatSettings.h"
#include "base/units/KvAngles.h"
#include "chartview/FraNavInfoWW.h"
#include "objectinfo/KvWWNetwork.h"
#include "shell/MarivoColors.h"
#include "tests/shell/ShellTestSupport.h"

#include <KvLibNav6/KvGeodesy.h>
#include <KvLibNav6/KvUnits.h>

#include <QApplication>
#include <numbers>

using namespace navinfotest;

namespace {

IWWSection *SectionOfKind(IWWNetwork *network, int32_t kind) {
    for (int32_t i = 0;; ++i) {
        IWWSection *s = network->GetSection(i);
        if (!s || s->GetKind() == kind) return s;
    }
}

TEST_F(NavInfoGpsFixture, ShowsTheChannelsOfTheSectionInTheDirectionOfTravel) {
    StartRun();
    ASSERT_NE(Env->Boat->GetGPS()->GetPort(), nullptr) << "the GPS sits on the test's port";
    ASSERT_TRUE(Env->StartNavigation(false));
    RegisterPaletteColors(NightScreen());
    TFrameNavInfo &panel = MakePanel();
    TFrameNavInfoGPSStatus *gps = panel.GPSStatus();
    testsupport::Owned<IGeodeticCalibration> calibration(GeodeticCalibrationCreate());

    IWWSection *harbour = SectionOfKind(Env->WaterwayNetwork, 5);
    ASSERT_TRUE(harbour);
    const double middle = harbour->GetLength() / 2;
    testsupport::TNmeaFix fix;
    fix.Position = routetest::OnSection(harbour, middle);
    fix.Course = CourseAlong(harbour, middle);
    fix.Knots = 3.0;
    auto onHarbour = [&] { return Env->Boat->GetWaterwayObject() == harbour; };
    ASSERT_TRUE(SendUntil(fix, onHarbour));
    panel.UpdateValues(calibration.get(), false);
    EXPECT_EQ(gps->ReportChannel(), 14) << "sailing along the harbour section";
    EXPECT_TRUE(gps->ReportShown());
    EXPECT_EQ(gps->NetworkText(), WWSectionGetName(harbour));

    // Turned about: the channel against the section, also when a refresh comes without a
    // calibration (the last one still holds).
    fix.Course += std::numbers::pi;
    ASSERT_TRUE(SendUntil(fix, [&] {
        panel.UpdateValues(calibration.get(), false);
        return gps->ReportChannel() == 12;
    }));
    panel.UpdateValues(nullptr, false);
    EXPECT_EQ(gps->ReportChannel(), 12);

    // The values of the last fix.
    EXPECT_EQ(gps->SOGText(), FloatToStrFixed(UnitConvert(3.0, KvUnit::Knot, Env->UnitSpeed), 15, 1,
                                              LocaleFormatSettings()));
    QString cog;
    AngleToStr2(0, 3, 1, ReduceAngle0F(float(fix.Course)), cog);
    EXPECT_EQ(gps->COGText(), cog);
    EXPECT_EQ(gps->UsedText(), QStringLiteral("8"));
    EXPECT_EQ(gps->HDOPText(), QStringLiteral("hdop ") + FloatToStrFixed(0.9, 15, 1, LocaleFormatSettings()));
    EXPECT_EQ(gps->PositionColour(), TColorToColor(NavTextFixColor));
    EXPECT_EQ(gps->FixImage(), 1);

    // On the river: the sector channel with its call sign.
    IWWSection *river = SectionOfKind(Env->WaterwayNetwork, 2);
    ASSERT_TRUE(river);
    fix.Position = routetest::OnSection(river, river->GetLength() / 2);
    fix.Course = CourseAlong(river, river->GetLength() / 2);
    ASSERT_TRUE(SendUntil(fix, [&] { return Env->Boat->GetWaterwayObject() == river; }));
    panel.UpdateValues(calibration.get(), false);
    EXPECT_EQ(gps->SectorChannel(), 20);
    EXPECT_TRUE(gps->SectorShown());
    EXPECT_EQ(gps->SectorName(), QStringLiteral("VHF Orle Traffic"));
    EXPECT_FALSE(gps->ReportShown());
    EXPECT_TRUE(gps->VMax()->isVisibleTo(gps)) << "the river has a speed limit";

    Window->resize(420, 1000);
    QApplication::processEvents();
    const QImage day = Panel->grab().toImage();
    shelltest::SaveScreenshot(day, QStringLiteral("navinfo-gps-day"));
    NightScreen()->SetActive(true);
    panel.RefreshAll();  // what the next tick does
    QApplication::processEvents();
    const QImage night = Panel->grab().toImage();
    shelltest::SaveScreenshot(night, QStringLiteral("navinfo-gps-night"));
    NightScreen()->SetActive(false);
    UnregisterPaletteColors(NightScreen());
    EXPECT_NE(day, night);
}

TEST_F(NavInfoGpsFixture, ALostReceiverTurnsTheTextsToTheNoFixColour) {
    StartRun();
    ASSERT_TRUE(Env->StartNavigation(false));
    TFrameNavInfo &panel = MakePanel();
    TFrameNavInfoGPSStatus *gps = panel.GPSStatus();
    testsupport::TNmeaFix fix;
    fix.Position = routetest::OnSection(Section(0), 10.0);
    ASSERT_TRUE(SendUntil(fix, [&] {
        panel.UpdateValues(nullptr, false);
        return gps->PositionColour() == TColorToColor(NavTextFixColor);
    }));
    Pty.reset();
    ASSERT_TRUE(SendUntil(std::string(), [&] {
        panel.UpdateValues(nullptr, false);
        return gps->PositionColour() == TColorToColor(NavTextNoFixColor);
    }));
    EXPECT_EQ(gps->FixImage(), 0);
}

}  // namespace
