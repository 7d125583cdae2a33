// The navigation-information panel over the real own ship whose GPS reads a pseudo-terminal
// the test writes sentences to.
#pragma once

#include "NavInfoFixture.h"

#include "TestPty.h"
#include "TestSupport.h"
#include "tests/shell/NavEnvPorts.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <functional>

class NavInfoGpsFixture : public NavInfoFixture {
protected:
    void SetUp() override {
        // The port must be listed before the environment starts: its first start puts the
        // GPS on the first port it finds.
        Pty = std::make_unique<testsupport::TTestPty>(testsupport::MakeTempDir(QStringLiteral("navgps")) +
                                                      QStringLiteral("/ttyNavGps"));
        ASSERT_TRUE(Pty->Opened());
        Ports = std::make_unique<shelltest::TPortList>(QStringList{Pty->Link()});
        NavInfoFixture::SetUp();
    }
    void TearDown() override {
        NavInfoFixture::TearDown();
        Ports.reset();
        Pty.reset();
    }
    // Sends the data again and again, letting the program read and tick, until done()
    // holds or the guard runs out (a hung read fails the test instead of hanging it).
    bool SendUntil(const std::string &data, const std::function<bool()> &done) {
        QDeadlineTimer guard(20000);
        while (!guard.hasExpired()) {
            if (Pty) Pty->Write(data);
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
            Env->Loop->Advance(1.0f);
            if (done()) return true;
        }
        return false;
    }
    bool SendUntil(const testsupport::TNmeaFix &fix, const std::function<bool()> &done) {
        return SendUntil(testsupport::NmeaFix(fix), done);
    }

    std::unique_ptr<testsupport::TTestPty> Pty;
    std::unique_ptr<shelltest::TPortList> Ports;
};
