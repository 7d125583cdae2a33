// The GPS block on the real own ship: its values, channels and colours follow what a
// receiver sends through a pseudo-terminal.
#include "NavInfoGpsFixture.h"
#include "NavInfoWWWalk.h"

#include "base/controls/KvControls.h"
#include "base/graphics/KvNightScreen.h"
#include "base/strings/KvFormatSettings.h"
#include "base/texts/KvStr.h"
#include "base/units/KvAngles.h"
#include "base/units/KvUnitsTime.h"
#include "chartview/FraNavInfoWW.h"
#include "objectinfo/KvWWNetwork.h"
#include "shell/MarivoColors.h"
#include "tests/shell/ShellTestSupport.h"

#include <KvLibNav6/KvGeodesy.h>
#include <KvLibNav6/KvUnits.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QJsonDocument>
#include <QJsonObject>
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

TEST_F(NavInfoGpsFixture, TheFixSymbolFollowsQualitiesZeroToThreeOnly) {
    StartRun();
    ASSERT_TRUE(Env->StartNavigation(false));
    TFrameNavInfo &panel = MakePanel();
    TFrameNavInfoGPSStatus *gps = panel.GPSStatus();
    testsupport::TNmeaFix fix;
    fix.Position = routetest::OnSection(Section(0), 10.0);
    struct Case {
        int quality, image;
        TColor text;
    };
    // Quality 4 (RTK) is a fix, but the list has no symbol for it: the last one stays.
    for (const Case &c : {Case{2, 2, NavTextFixColor}, Case{3, 3, NavTextFixColor}, Case{1, 1, NavTextFixColor},
                          Case{4, 1, NavTextFixColor}}) {
        SCOPED_TRACE(c.quality);
        fix.Quality = c.quality;
        int32_t q = -1;
        ASSERT_TRUE(SendUntil(fix, [&] { return Env->Boat->GetGPS()->GetFixQuality(q) && q == c.quality; }));
        panel.UpdateValues(nullptr, false);
        EXPECT_EQ(gps->FixImage(), c.image);
        EXPECT_EQ(gps->PositionColour(), TColorToColor(c.text));
    }

    // A section without a speed limit hides the limit.
    IWWSection *lake = SectionOfKind(Env->WaterwayNetwork, 3);
    ASSERT_TRUE(lake);
    ASSERT_EQ(lake->GetSpeedLimit(lake->GetLength() / 2), 1E37f);
    fix.Quality = 1;
    fix.Position = routetest::OnSection(lake, lake->GetLength() / 2);
    ASSERT_TRUE(SendUntil(fix, [&] { return Env->Boat->GetWaterwayObject() == lake; }));
    panel.UpdateValues(nullptr, false);
    EXPECT_EQ(gps->NetworkText(), WWSectionGetName(lake));
    EXPECT_FALSE(gps->VMax()->isVisibleTo(gps));
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

// What the other daemon decoded last from a recorded log: the last fix with a position, the
// last with speed and track, and the last sky view.
struct TLastFix {
    QJsonObject Position, Motion, Sky;
};
TLastFix ReadCheck(const QString &path) {
    QFile f(path);
    TLastFix last;
    if (!f.open(QIODevice::ReadOnly)) return last;
    for (const QByteArray &line : f.readAll().split('\n')) {
        if (!line.startsWith('{')) continue;
        const QJsonObject o = QJsonDocument::fromJson(line).object();
        if (o.value(QStringLiteral("class")) == QStringLiteral("SKY") && o.contains(QStringLiteral("uSat")))
            last.Sky = o;
        if (o.value(QStringLiteral("class")) != QStringLiteral("TPV") || o.value(QStringLiteral("mode")).toInt() < 2)
            continue;
        if (o.contains(QStringLiteral("lat"))) last.Position = o;
        if (o.contains(QStringLiteral("speed")) && o.contains(QStringLiteral("track"))) last.Motion = o;
    }
    return last;
}

QString Latitude(double degrees, int format) {
    QString text;
    AngleToStr1(DefAngleDecimalsFor(format), LanguageText(KvStr::CompassPointN).at(0),
                LanguageText(KvStr::CompassPointS).at(0), degrees * std::numbers::pi / 180, format, 1, 1, text);
    return text;
}

QString Longitude(double degrees, int format) {
    QString text;
    AngleToStr1(DefAngleDecimalsFor(format), LanguageText(KvStr::CompassPointE).at(0),
                LanguageText(KvStr::CompassPointW).at(0), degrees * std::numbers::pi / 180, format, 2, 1, text);
    return text;
}

class NavInfoGpsLogs : public NavInfoGpsFixture, public ::testing::WithParamInterface<const char *> {};

TEST_P(NavInfoGpsLogs, ShowTheLastFixOfARecordedReceiver) {
    const bool demoMode = QLatin1String(GetParam()).startsWith(QLatin1String("garmin"));
    const QString log = testsupport::TestDataPath(QStringLiteral("nmea/") + QLatin1String(GetParam()));
    QFile file(log);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << log.toStdString();
    const QByteArray data = file.readAll();
    const TLastFix expected = ReadCheck(log + QStringLiteral(".chk"));
    ASSERT_FALSE(expected.Position.isEmpty());

    StartRun();
    ASSERT_TRUE(Env->StartNavigation(false));
    TFrameNavInfo &panel = MakePanel();
    TFrameNavInfoGPSStatus *gps = panel.GPSStatus();
    // The log in line-sized pieces, each read before the next is written.
    for (qsizetype at = 0; at < data.size(); at += 256) {
        const std::string piece = data.mid(at, 256).toStdString();
        size_t written = 0;
        QDeadlineTimer guard(5000);
        while (written < piece.size() && !guard.hasExpired()) {
            written += Pty->Write(piece.substr(written));
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        // The time the line takes at 4800 baud, so the own ship's fix timeout runs as it would.
        Env->Loop->Advance(float(piece.size()) / 480.0f);
    }
    if (demoMode) {
        // A receiver in demo mode marks every position void (quality 8, simulated): nothing
        // to sail by, and a quality outside 0..3 leaves the fix symbol as it was.
        int32_t quality = -1;
        ASSERT_TRUE(SendUntil(std::string(), [&] { return Env->Boat->GetGPS()->GetFixQuality(quality); }));
        panel.UpdateValues(nullptr, false);
        EXPECT_EQ(quality, 8);
        EXPECT_EQ(gps->LatText(), QStringLiteral("- --- \u00B0  --.---'"));
        EXPECT_EQ(gps->SOGText(), QStringLiteral("---"));
        EXPECT_EQ(gps->FixImage(), 0);
        return;
    }
    const QString lat = Latitude(expected.Position.value(QStringLiteral("lat")).toDouble(), Env->PositionFormat);
    const QString lon = Longitude(expected.Position.value(QStringLiteral("lon")).toDouble(), Env->PositionFormat);
    EXPECT_TRUE(SendUntil(std::string(), [&] {
        panel.UpdateValues(nullptr, false);
        return gps->LatText() == lat && gps->LonText() == lon;
    })) << gps->LatText().toStdString() << " " << gps->LonText().toStdString() << " expected " << lat.toStdString()
        << " " << lon.toStdString();
    EXPECT_EQ(gps->PositionColour(), TColorToColor(NavTextFixColor));
    if (!expected.Motion.isEmpty()) {
        const double speed = expected.Motion.value(QStringLiteral("speed")).toDouble();
        EXPECT_EQ(gps->SOGText(), FloatToStrFixed(UnitConvert(speed, KvUnit::MetrePerSecond, Env->UnitSpeed), 15, 1,
                                                  LocaleFormatSettings()));
        QString cog;
        AngleToStr2(0, 3, 1, expected.Motion.value(QStringLiteral("track")).toDouble() * std::numbers::pi / 180, cog);
        EXPECT_EQ(gps->COGText(), cog);
    }
    if (!expected.Sky.isEmpty()) {
        EXPECT_EQ(gps->UsedText(), QString::number(expected.Sky.value(QStringLiteral("uSat")).toInt()));
        EXPECT_EQ(gps->HDOPText(), QStringLiteral("hdop ") +
                                       FloatToStrFixed(expected.Sky.value(QStringLiteral("hdop")).toDouble(), 15, 1,
                                                       LocaleFormatSettings()));
    }
}

INSTANTIATE_TEST_SUITE_P(Receivers, NavInfoGpsLogs,
                         ::testing::Values("beidou-gb.log", "bu353s4.log", "furuno_gl_ga.log", "garmin-geko201.log",
                                           "gpslim236.log", "haicom-305N.log"),
                         [](const auto &info) {
                             QString name = QString::fromLatin1(info.param);
                             name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9]")), QStringLiteral("_"));
                             return name.toStdString();
                         });

}  // namespace
