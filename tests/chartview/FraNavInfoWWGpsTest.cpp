// The network walk with the real own ship: its GPS reads a pseudo-terminal the test writes
// RMC and GGA sentences to, sailing along a section of the demo network and back.
#include "NavInfoWWFixture.h"
#include "NavInfoWWWalk.h"

#include "TestPty.h"
#include "TestSupport.h"
#include "tests/shell/NavEnvPorts.h"

#include <KvLibNav6/KvGeodesy.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <cmath>
#include <functional>
#include <numbers>

using namespace navinfotest;

namespace {

// A fix at p with the course over ground in radians and the speed in knots.
std::string Fix(const TGeoPoint &p, double course, double knots) {
    testsupport::TNmeaFix f;
    f.Position = p;
    f.Course = course;
    f.Knots = knots;
    return testsupport::NmeaFix(f);
}

class NavInfoWWGps : public NavInfoWWFixture {
protected:
    void SetUp() override {
        // The port must be listed before the environment starts: its first start puts the
        // GPS on the first port it finds.
        Pty = std::make_unique<testsupport::TTestPty>(testsupport::MakeTempDir(QStringLiteral("wwgps")) +
                                                      QStringLiteral("/ttyWWGps"));
        ASSERT_TRUE(Pty->Opened());
        Ports = std::make_unique<shelltest::TPortList>(QStringList{Pty->Link()});
        NavInfoWWFixture::SetUp();
    }
    void TearDown() override {
        NavInfoWWFixture::TearDown();
        Ports.reset();
        Pty.reset();
    }
    // Sends the fix again and again, letting the program read and tick, until done() holds
    // or the guard runs out (a hung read fails the test instead of hanging it).
    bool SendUntil(const TGeoPoint &p, double course, const std::function<bool()> &done) {
        const std::string fix = Fix(p, course, 3.0);
        QDeadlineTimer guard(20000);
        while (!guard.hasExpired()) {
            Pty->Write(fix);
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
            Env->Loop->Advance(1.0f);
            if (done()) return true;
        }
        return false;
    }

    std::unique_ptr<testsupport::TTestPty> Pty;
    std::unique_ptr<shelltest::TPortList> Ports;
};

}  // namespace

TEST_F(NavInfoWWGps, ListsTheStructuresAheadOfTheRealOwnShip) {
    StartRun();
    ASSERT_NE(Env->Boat->GetGPS()->GetPort(), nullptr) << "the GPS sits on the test's port";
    double middle = 0.0;
    IWWSection *section = SectionWithStructuresBothWays(Env->WaterwayNetwork, middle);
    ASSERT_TRUE(section);
    ASSERT_TRUE(Env->StartNavigation(false));

    // Along the section to its middle, each fix taken before the next one is sent.
    const double course = CourseAlong(section, middle);
    for (double offset : {middle - 60.0, middle - 30.0, middle}) {
        const TGeoPoint p = routetest::OnSection(section, offset);
        ASSERT_TRUE(SendUntil(p, course, [&] {
            return Env->Boat->GetWaterwayObject() == section &&
                   std::abs(Env->Boat->GetWaterwayObjectPosition() - offset) < 5.0;
        })) << offset;
    }

    TFrameNavInfoWW &block = MakeBlock();
    testsupport::Owned<IGeodeticCalibration> calibration(GeodeticCalibrationCreate());
    auto listed = [&](bool forward) {
        const std::vector<TWalked> expected =
            WalkAhead(Env->Boat->GetWaterwayObject(), Env->Boat->GetWaterwayObjectPosition(), forward, 3);
        block.UpdateValues(calibration.get());
        const std::vector<TFrameNavInfoWWLine *> lines = ShownLines();
        if (expected.empty() || lines.size() != expected.size()) return false;
        for (size_t k = 0; k < lines.size(); ++k) {
            auto *s = dynamic_cast<TFrameNavInfoWWStruct *>(lines[k]);
            if (!s || s->NameText() != expected[k].Name || std::abs(s->Distance() - expected[k].Distance) > 1.0)
                return false;
        }
        return true;
    };
    const TGeoPoint here = routetest::OnSection(section, middle);
    ASSERT_TRUE(SendUntil(here, course, [&] { return listed(true); }));
    const QString firstAhead = dynamic_cast<TFrameNavInfoWWStruct *>(ShownLines().front())->NameText();

    // Turned about on the spot: the structures on the other side, in their order.
    ASSERT_TRUE(SendUntil(here, course + std::numbers::pi, [&] { return listed(false); }));
    EXPECT_NE(dynamic_cast<TFrameNavInfoWWStruct *>(ShownLines().front())->NameText(), firstAhead);
}
