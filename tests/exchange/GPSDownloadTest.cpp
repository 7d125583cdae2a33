// The download wizard over a scripted transfer device: page flow, the messages that end it,
// the finish (merge with duplicate answers, properties, track files) and the user's clicks
// while a download runs.
#include "GPSDownloadFixture.h"
#include "base/dialogs/KvMsgBox.h"
#include "base/files/KvFiles.h"
#include "base/controls/KvEdits.h"
#include "exchange/FraDataSelect.h"
#include "exchange/FraDataSelectItems.h"
#include "exchange/FraDownloadProperties.h"
#include "exchange/FraTransferGPSInfo.h"
#include "exchange/FrmMsgDuplicate.h"
#include "exchange/FrmMsgDuplicateMultiple.h"
#include "DataSelectFixture.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

using namespace exchangetest;

namespace {

using GPSDownloadWizard = GPSDownloadFixture;
using W = TFormGPSDownload;

IWptWaypoint *FindWaypoint(IWptDatabase *db, const QString &name, int *count = nullptr) {
    IWptWaypoint *found = nullptr;
    int n = 0;
    IWptManager *m = db->GetManager();
    for (int32_t i = 0; i < m->GetWaypointCount(); ++i)
        if (WptObjectGetName(m->GetWaypoint(i)) == name) found = m->GetWaypoint(i), ++n;
    if (count) *count = n;
    return found;
}

QStringList TrackFiles(const QString &folder) {
    return QDir(folder).entryList({QStringLiteral("Downloaded Track*.trk")}, QDir::Files, QDir::Name);
}

}  // namespace

TEST_F(GPSDownloadWizard, NothingReceivedOrNoDownloadCapabilityCloseWithTheirMessage) {
    struct Case {
        const char *name;
        uint32_t capabilities;
        QString message;
    };
    const Case cases[] = {
        {"empty download", NavMsgTransfer::CanDownloadWaypoints, "No data has been received from the GPS."},
        {"no download capability", 0x30, "The connected GPS does not support downloading of data."},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Messages.clear();
        Script(c.capabilities, [](IWptDatabase *, INavTrackList *) {});
        auto form = Open();
        // A receiver in its own protocol is the only choice: the device page is skipped.
        if (c.capabilities & NavMsgTransfer::CanDownloadAny) {
            ASSERT_EQ(form->CurrentPage(), W::PageInfo);
            EXPECT_FALSE(form->ButtonPrev->isEnabled());
            EXPECT_TRUE(form->ButtonNext->isEnabled());
            form->ButtonNext->click();
        }
        TFormGPSDownload *f = form.get();
        EXPECT_TRUE(WaitFor([f] { return !f->isVisible(); }));
        EXPECT_EQ(form->result(), QDialog::Rejected);
        EXPECT_EQ(Messages, QStringList{c.message});
    }
}

TEST_F(GPSDownloadWizard, TracksOnlySkipTheWaypointPageAndBecomeDistinctFiles) {
    Script(NavMsgTransfer::CanDownloadTracks, [](IWptDatabase *, INavTrackList *tracks) {
        AddTrack(tracks, QStringLiteral("ACTIVE LOG"));
        AddTrack(tracks, QStringLiteral("ACTIVE LOG 2"));
    });
    auto form = Open();
    ASSERT_EQ(form->CurrentPage(), W::PageInfo);
    form->ButtonNext->click();
    ASSERT_EQ(form->CurrentPage(), W::PageTracks);
    dataselecttest::Choose(form->FrameDataSelectOther->TrackSelect, {"ACTIVE LOG", "ACTIVE LOG 2"});
    shelltest::SaveScreenshot(form.get(), "gps-download-tracks");
    const QStringList before = TrackFiles(Env->TracksFolder);
    form->ButtonNext->click();
    EXPECT_EQ(form->result(), QDialog::Accepted);
    const QStringList after = TrackFiles(Env->TracksFolder);
    EXPECT_EQ(after.size(), before.size() + 2) << after.join(", ").toStdString();
    ASSERT_EQ(Messages.size(), 1);
    EXPECT_TRUE(Messages[0].startsWith("Download completed.")) << Messages[0].toStdString();
    EXPECT_TRUE(Messages[0].contains("2 track(s) Downloaded."));
}

TEST_F(GPSDownloadWizard, FinishMergesWithTheDuplicateAnswerAndAppliesTheProperties) {
    const QString existing = QStringLiteral("HARBOUR MOUTH");
    GPSDownloadFixture::AddWaypoint(Env->UserDatabase, existing, 52.0, 5.0);
    Script(NavMsgTransfer::NMEACapabilities, [existing](IWptDatabase *db, INavTrackList *) {
        IWptWaypoint *a = AddWaypoint(db, existing, 52.1, 5.1);
        IWptWaypoint *b = AddWaypoint(db, QStringLiteral("FRESH"), 52.2, 5.2);
        int32_t err = 0;
        IWptRoute *r = db->NewRoute(0.0);
        WptObjectSetName(r, QStringLiteral("DOWN ROUTE"), err);
        r->AddPointFromWaypoint(a, 0, 1, err);
        r->AddPointFromWaypoint(b, 0, 1, err);
    });
    int asked = 0;
    KeepBothOnDuplicate(asked);
    auto form = Open();
    form->ButtonNext->click();
    ASSERT_EQ(form->CurrentPage(), W::PageWaypoints);
    dataselecttest::Choose(form->FrameDataSelect->WaypointSelect, {existing, "FRESH"});
    dataselecttest::Choose(form->FrameDataSelect->RouteSelect, {"DOWN ROUTE"});
    form->ButtonNext->click();
    ASSERT_EQ(form->CurrentPage(), W::PageProperties);
    TFrameDownloadProperties *p = form->FrameProperties;
    p->RadioButtonGroupNew->click();
    p->EditWaypointGroup->setText(QStringLiteral("From the GPS"));
    p->EditRadius->SetValue(123.0);
    const int groupsBefore = Env->UserDatabase->GetWaypointGroupCount();
    form->ButtonNext->click();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(form->result(), QDialog::Accepted);
    ASSERT_EQ(Messages.size(), 1);
    EXPECT_TRUE(Messages[0].contains("2 waypoint(s) Downloaded.")) << Messages[0].toStdString();
    EXPECT_TRUE(Messages[0].contains("1 route(s) Downloaded."));
    EXPECT_EQ(Env->UserDatabase->GetWaypointGroupCount(), groupsBefore + 1);
    int copies = 0;
    FindWaypoint(Env->UserDatabase, existing, &copies);
    IWptWaypoint *fresh = FindWaypoint(Env->UserDatabase, "FRESH");
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(copies, 2) << "the answer was to add the downloaded one as well";
    EXPECT_EQ(fresh->GetType(), form->FrameProperties->WaypointType());
    IWptRoute *route = nullptr;
    for (int32_t i = 0; i < Env->UserDatabase->GetRouteCount(); ++i)
        if (WptObjectGetName(Env->UserDatabase->GetRoute(i)) == "DOWN ROUTE") route = Env->UserDatabase->GetRoute(i);
    ASSERT_NE(route, nullptr);
    EXPECT_FLOAT_EQ(route->GetPoint(1)->GetRadius(), 123.0f);
    EXPECT_EQ(form->FrameProperties->TargetGroup()->IsUngrouped(), false);
    EXPECT_EQ(WptObjectGetName(form->FrameProperties->TargetGroup()), "From the GPS");
}

TEST_F(GPSDownloadWizard, CancelledDuplicateQuestionAbortsAndLeavesNoGroup) {
    const QString existing = QStringLiteral("HARBOUR MOUTH");
    GPSDownloadFixture::AddWaypoint(Env->UserDatabase, existing, 52.0, 5.0);
    Script(NavMsgTransfer::CanDownloadWaypoints, [existing](IWptDatabase *db, INavTrackList *) {
        AddWaypoint(db, existing, 52.1, 5.1);
    });
    TFormMsgDuplicate::SetPrompter([](TFormMsgDuplicate &) { return int(QDialog::Rejected); });
    auto form = Open();
    form->ButtonNext->click();
    dataselecttest::Choose(form->FrameDataSelect->WaypointSelect, {existing});
    form->ButtonNext->click();
    form->FrameProperties->RadioButtonGroupNew->click();
    form->FrameProperties->EditWaypointGroup->setText(QStringLiteral("Never made"));
    const int groupsBefore = Env->UserDatabase->GetWaypointGroupCount();
    form->ButtonNext->click();
    EXPECT_EQ(Messages, QStringList{"Download aborted."});
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->CurrentPage(), W::PageProperties);
    EXPECT_EQ(Env->UserDatabase->GetWaypointGroupCount(), groupsBefore);
}

TEST_F(GPSDownloadWizard, PortLostDuringTheDownloadShowsOnTheInformationPage) {
    TFakePort port(0, "ttyUSB0", true);
    Device.Port = &port;
    Script(NavMsgTransfer::CanDownloadWaypoints, [](IWptDatabase *, INavTrackList *) {},
           [](TProgressEx *, TNavMsgTransferStatus &s) { s.Error = KvErr::PortRemoved; });
    auto form = Open();
    form->ButtonNext->click();
    EXPECT_EQ(form->CurrentPage(), W::PageInfo);
    EXPECT_EQ(form->FrameGPSInfo->LabelModelPrefix->text(), "The connection to port ttyUSB0 was lost.");
    EXPECT_FALSE(form->ButtonNext->isEnabled());
    EXPECT_FALSE(form->ButtonPrev->isEnabled());
    EXPECT_TRUE(form->ButtonClose->isEnabled());
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(Messages.isEmpty());
}

TEST_F(GPSDownloadWizard, ClicksDuringTheDownloadStopItAndActAfterwards) {
    struct Case {
        const char *name;
        QPushButton *W::*button;
        bool stillOpen;
        int page;
    };
    const Case cases[] = {
        {"Prev returns to the information page", &W::ButtonPrev, true, W::PageInfo},
        {"Close closes once the device returned", &W::ButtonClose, false, -1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Messages.clear();
        TFormGPSDownload *current = nullptr;
        QPushButton *W::*button = c.button;
        Script(NavMsgTransfer::CanDownloadWaypoints,
               [](IWptDatabase *db, INavTrackList *) { AddWaypoint(db, QStringLiteral("LATE"), 1, 1); },
               [this, &current, button](TProgressEx *progress, TNavMsgTransferStatus &status) {
                   // The user clicks while the device is still reading.
                   QTimer::singleShot(0, current, [&current, button] { (current->*button)->click(); });
                   const int stops = Device.Stops;
                   QDeadlineTimer deadline(20000);
                   while (Device.Stops == stops && !deadline.hasExpired()) {
                       status.WaypointCount = 0;
                       progress->Status = &status;
                       progress->Callback(progress->Data, progress);
                       progress->Status = nullptr;
                   }
               });
        Device.Stops = 0;
        auto form = Open();
        current = form.get();
        form->ButtonNext->click();
        EXPECT_EQ(Device.Stops, 1);
        EXPECT_FALSE(form->Downloading());
        TFormGPSDownload *f = form.get();
        if (c.stillOpen) {
            EXPECT_EQ(form->CurrentPage(), c.page);
            EXPECT_TRUE(form->isVisible());
        } else {
            EXPECT_TRUE(WaitFor([f] { return !f->isVisible(); }));
            EXPECT_EQ(form->result(), QDialog::Rejected);
        }
        EXPECT_TRUE(Messages.isEmpty()) << Messages.join("|").toStdString();
    }
}

TEST_F(GPSDownloadWizard, NavigatingAsksFirstAndNoLeavesEverythingAsItWas) {
    if (Env->Boat->GetNavigationState() == 0) {
        ASSERT_TRUE(Env->StartNavigation(false));
    }
    ASSERT_NE(Env->Boat->GetNavigationState(), 0);
    const bool simulating = Env->Boat->IsSimulating();
    int opened = 0;
    TFormGPSDownload::SetPrompter([&opened](TFormGPSDownload &) { ++opened; return int(QDialog::Rejected); });
    Answer = mrNo;
    TFormGPSDownload::Execute(*Env);
    EXPECT_EQ(opened, 0);
    ASSERT_EQ(Messages.size(), 1);
    EXPECT_TRUE(Messages[0].startsWith(simulating ? "To download data from your GPS, the simulation has to be stopped."
                                                  : "To download data from your GPS, the communication has to be stopped."));
    EXPECT_NE(Env->Boat->GetNavigationState(), 0);

    Answer = mrYes;
    Messages.clear();
    INavBoatGPS *gps = Env->Boat->GetGPS();
    INavMsgPort *port = gps->GetPort();
    TFormGPSDownload::SetPrompter([&opened, gps](TFormGPSDownload &) {
        ++opened;
        EXPECT_EQ(gps->GetPort(), nullptr) << "the receiver is the wizard's while it runs";
        return int(QDialog::Rejected);
    });
    TFormGPSDownload::Execute(*Env);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(Env->Boat->GetNavigationState(), 0);
    EXPECT_EQ(gps->GetPort(), port) << "and given back afterwards";
}
