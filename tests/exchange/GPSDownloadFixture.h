// The download wizard on a started navigation environment over the demo data, with the
// receiver on a pseudo-terminal; wizard runs either over the real transfer device or over a
// scripted one, and helpers that wait for what the wizard shows.
#pragma once

#include "FakeGPSDevice.h"
#include "tests/shell/NavEnvFixture.h"
#include "tests/shell/NavEnvPorts.h"

#include "base/waypoints/KvWaypoints.h"
#include "exchange/FrmGPSDownload.h"
#include "exchange/FrmMsgDuplicate.h"
#include "exchange/FrmMsgDuplicateMultiple.h"

#include <KvLibNav6/KvNavBoat.h>
#include <KvLibNav6/KvProgress.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QRadioButton>
#include <QTest>

namespace exchangetest {

class GPSDownloadFixture : public NavEnvFixture {
protected:
    void SetUp() override {
        NavEnvFixture::SetUp();
        Dir = testsupport::MakeTempDir(QStringLiteral("gpsdownload"));
        Pty = std::make_unique<shelltest::TPty>(Dir + QStringLiteral("/ttyUSB0"));
        ASSERT_TRUE(Pty->Opened());
        Ports = std::make_unique<shelltest::TPortList>(QStringList{Pty->Link()});
        Env = Make();
        uint8_t mode = 9;
        Env->Start(mode);
        ASSERT_TRUE(Env->UserDatabase && Env->Boat && Env->DeviceManager);
        Answer = mrYes;
    }
    void TearDown() override {
        TFormMsgDuplicate::SetPrompter({});
        TFormMsgDuplicateMultiple::SetPrompter({});
        TFormGPSDownload::SetPrompter({});
        if (Env) Env->StopNavigation(QString(), false);
        Env.reset();
        Ports.reset();
        Pty.reset();
        NavEnvFixture::TearDown();
    }

    // Waits, letting events through, until done() holds; false after 20 s.
    template <typename F> static bool WaitFor(F done) {
        QDeadlineTimer deadline(20000);
        while (!done()) {
            if (deadline.hasExpired()) return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            QTest::qWait(5);
        }
        return true;
    }

    // A wizard over the scripted device, shown without a modal loop; its start has run.
    std::unique_ptr<TFormGPSDownload> Open() {
        auto form = std::make_unique<TFormGPSDownload>(*Env, &Device);
        form->show();
        TFormGPSDownload *f = form.get();
        EXPECT_TRUE(WaitFor([f] { return f->CurrentPage() >= 0 || !f->isVisible(); }));
        return form;
    }

    // The scripted device: connects at once and answers a download with what fill put in.
    void Script(uint32_t capabilities,
                std::function<void(IWptDatabase *, INavTrackList *)> fill,
                std::function<void(TProgressEx *, TNavMsgTransferStatus &)> during = {}) {
        Device.Brand = 3, Device.Protocol = NavMsgProtocol::VendorBinary;
        Device.Capabilities = capabilities;
        Device.OnConnect = [this](DataProc connected, void *data, ConnectErrorProc, void *, ConnectPortProc, void *) {
            Device.Connected = true;
            connected(data);
        };
        Device.OnDownload = [fill, during](IWptDatabase *db, INavTrackList *tracks, uint32_t,
                                           TProgressEx *progress) {
            TNavMsgTransferStatus status;
            auto report = [&] {
                progress->Status = &status;
                progress->Callback(progress->Data, progress);
                progress->Status = nullptr;
            };
            report();
            status.Stage = NavMsgTransfer::StageWaypoints;
            if (during) during(progress, status);
            if (status.Error == 0) fill(db, tracks);
            status.Stage = NavMsgTransfer::StageFinished;
            report();
            return status.Error;
        };
    }

    // Each duplicate question (one existing waypoint) is answered: add the downloaded one as
    // well; asked counts them. A question with several candidates is cancelled.
    static void KeepBothOnDuplicate(int &asked) {
        TFormMsgDuplicate::SetPrompter([&asked](TFormMsgDuplicate &f) {
            ++asked;
            EXPECT_EQ(f.Kind(), dkWaypoint);
            f.RadioButtonActionDuplicate->setChecked(true);
            return int(QDialog::Accepted);
        });
        TFormMsgDuplicateMultiple::SetPrompter([](TFormMsgDuplicateMultiple &) { return int(QDialog::Rejected); });
    }

    static IWptWaypoint *AddWaypoint(IWptDatabase *db, const QString &name, double latDeg, double lonDeg) {
        IWptWaypoint *w = db->NewWaypoint(nullptr, TGeoPoint3{latDeg * M_PI / 180, lonDeg * M_PI / 180, 0.0}, nullptr);
        int32_t err = 0;
        WptObjectSetName(w, name, err);
        return w;
    }

    static INavTrack *AddTrack(INavTrackList *tracks, const QString &name) {
        INavTrack *t = NavTrackCreate1();
        int32_t err = 0;
        t->AddPoint(45000.0, TGeoPoint3{0.9, 0.08, 0.0}, err);
        t->AddPoint(45000.0 + 1 / 1440.0, TGeoPoint3{0.9001, 0.0801, 0.0}, err);
        t->SetHasTimes(true);
        NavTrackSetName(t, name);
        tracks->Add(t);
        return t;
    }

    QString Dir;
    std::unique_ptr<shelltest::TPty> Pty;
    std::unique_ptr<shelltest::TPortList> Ports;
    std::unique_ptr<TMarivoNavEnv> Env;
    TFakeGPSDevice Device;
};

}  // namespace exchangetest
