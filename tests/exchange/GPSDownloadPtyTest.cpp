// The download wizard over a receiver on a pseudo-terminal: the real transfer device reads the
// $GPWPL and $GPRTE sentences the receiver sends, the user ends the transfer with Next,
// chooses, sets the properties and finishes; the reopened user database holds what came
// down. Damaged sentences, a receiver that stops half-way, Prev and Close while the
// transfer runs.
#include "DataSelectFixture.h"
#include "DownloadScreens.h"
#include "GPSDownloadFixture.h"
#include "TestPty.h"

#include "base/controls/KvEdits.h"
#include "exchange/FraDataSelect.h"
#include "exchange/FraDataSelectItems.h"
#include "exchange/FraDownloadProperties.h"
#include "exchange/FraTransferGPSInfo.h"
#include "exchange/FraTransferProgress.h"
#include "exchange/FrmMsgDuplicate.h"
#include "exchange/FrmMsgDuplicateMultiple.h"
#include "routes/FrmWaypointEditType.h"

#include "kernel/TestApi.h"

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QTreeView>

// The transfer device's waiting times, a test hook of the core library (its header clashes
// with the port list the fixture declares).
namespace kv {
KVLIB_TEST_API void NavMsgGPSDeviceSetQuietTimes(INavMsgGPSDevice *device, int firstMs, int afterMs);
}  // namespace kv

using namespace exchangetest;

namespace {

using W = TFormGPSDownload;
using testsupport::NmeaSentence;

const QString DamagedText = QStringLiteral(
    "Some of the data sent by the GPS arrived damaged or incomplete and has been left out. The data received "
    "completely are listed.\n\nTo get the rest, send it from the GPS again.");

// The database's waypoints, then its routes.
std::vector<IWptWaypoint *> Waypoints(IWptDatabase *db) {
    std::vector<IWptWaypoint *> list;
    IWptManager *m = db->GetManager();
    for (int32_t i = 0; i < m->GetWaypointCount(); ++i)
        if (m->GetWaypoint(i)->GetDatabase() == db) list.push_back(m->GetWaypoint(i));
    return list;
}

QStringList Names(IWptDatabase *db) {
    QStringList names;
    for (IWptWaypoint *w : Waypoints(db)) names << WptObjectGetName(w);
    for (int32_t i = 0; i < db->GetRouteCount(); ++i) names << QStringLiteral("route ") + WptObjectGetName(db->GetRoute(i));
    return names;
}

class GPSDownloadPty : public GPSDownloadFixture {
protected:
    void SetUp() override {
        GPSDownloadFixture::SetUp();
        if (HasFatalFailure()) return;
        // The own ship's receiver is on the pseudo-terminal; the wizard borrows it.
        ASSERT_EQ(Env->DeviceManager->GetPortCount(), 1);
        int32_t err = 0;
        Env->Boat->GetGPS()->SetPort(Env->DeviceManager->GetPort(0), err);
        ASSERT_EQ(err, 0);
        // Only the user ends a transfer here: the device's own silence limits are far away.
        kv::NavMsgGPSDeviceSetQuietTimes(Env->DeviceManager->GetGPSDevice(), 600000, 600000);
    }

    // Runs the wizard through its class entry; drive acts as the user on the open wizard.
    void Run(const std::function<void(TFormGPSDownload &)> &drive) {
        TFormGPSDownload::SetPrompter([&drive](TFormGPSDownload &form) {
            form.show();
            drive(form);
            return form.result();
        });
        TFormGPSDownload::Execute(*Env);
        TFormGPSDownload::SetPrompter({});
    }

    // On the information page once the receiver is connected: Next starts the transfer, the
    // receiver sends, and once arrived(form) holds the user clicks act (Next ends the
    // transfer). Returns when the transfer is over.
    bool Download(TFormGPSDownload &form, const std::string &sent,
                  const std::function<bool(TFormGPSDownload &)> &arrived,
                  QPushButton *W::*act = &W::ButtonNext,
                  const std::function<void(TFormGPSDownload &)> &during = {}) {
        TFormGPSDownload *f = &form;
        if (!WaitFor([f] { return f->CurrentPage() == W::PageInfo && f->ButtonNext->isEnabled(); })) return false;
        bool written = false, clicked = false;
        QDeadlineTimer deadline(20000);
        QTimer user;
        QObject::connect(&user, &QTimer::timeout, [&] {
            if (clicked || !f->Downloading()) return;
            if (!written) {
                Pty->Write(sent.data(), sent.size());
                written = true;
            } else if (arrived(*f) || deadline.hasExpired()) {
                EXPECT_FALSE(deadline.hasExpired()) << "what the receiver sent never showed: "
                                                    << f->FrameProgress->LabelWaypointCount->text().toStdString() << "/"
                                                    << f->FrameProgress->LabelRouteCount->text().toStdString();
                if (during) during(*f);
                clicked = true;
                (f->*act)->click();
            }
        });
        user.start(5);
        f->ButtonNext->click();  // returns once the transfer is over
        user.stop();
        return clicked;
    }

    static bool Counts(TFormGPSDownload &f, const char *waypoints, const char *routes = nullptr) {
        return f.FrameProgress->LabelWaypointCount->text() == QLatin1String(waypoints) &&
               (!routes || f.FrameProgress->LabelRouteCount->text() == QLatin1String(routes));
    }

    IWptWaypointType *NewType(const QString &name) {
        int32_t err = 0;
        IWptWaypointType *t = WptDatabaseNewType(Env->UserDatabase, Env->WaypointManager->GetDefaultWaypointType()->GetIcon(),
                                                 nullptr, false, 15.5f, 15.5f, {}, {}, {}, err);
        WptObjectSetName(t, name, err);
        EXPECT_EQ(err, 0);
        return t;
    }
};

// Picks type in the type chooser the properties page opens.
void ChooseType(IWptWaypointType *type) {
    TFormWaypointEditType::SetPrompter([type](TFormWaypointEditType &form) {
        QAbstractItemModel *m = form.ListView->model();
        const QModelIndexList found =
            m->match(m->index(0, 0), TFormWaypointEditType::ObjectRole, QVariant::fromValue(static_cast<void *>(type)),
                     1, Qt::MatchRecursive | Qt::MatchExactly);
        EXPECT_EQ(found.size(), 1);
        if (!found.isEmpty())
            form.ListView->selectionModel()->select(found[0],
                                                    QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        return int(QDialog::Accepted);
    });
}

}  // namespace

TEST_F(GPSDownloadPty, WaypointsAndARouteFromTheReceiverEndInTheUserDatabase) {
    const QString existing = QStringLiteral("HARBOUR MOUTH");
    AddWaypoint(Env->UserDatabase, existing, 52.0, 5.0);
    IWptWaypointType *downloadedType = NewType(QStringLiteral("Downloaded"));
    const std::string sent = NmeaSentence("GPWPL,5206.000,N,00506.000,E,HARBOUR MOUTH") +
                             NmeaSentence("GPWPL,5212.000,N,00512.000,E,FRESH") +
                             NmeaSentence("GPWPL,5218.000,N,00518.000,E,LOCK") +
                             NmeaSentence("GPRTE,1,1,c,DOWN ROUTE,HARBOUR MOUTH,FRESH,LOCK");
    int asked = 0;
    KeepBothOnDuplicate(asked);
    ChooseType(downloadedType);

    Run([&](TFormGPSDownload &f) {
        ASSERT_TRUE(Download(f, sent, [](TFormGPSDownload &w) { return Counts(w, "3", "1"); }, &W::ButtonNext,
                             [](TFormGPSDownload &w) { shelltest::SaveScreenshot(&w, "gps-download-pty-progress"); }));
        ASSERT_EQ(f.CurrentPage(), W::PageWaypoints);
        EXPECT_TRUE(Messages.isEmpty()) << Messages.join("|").toStdString();
        EXPECT_EQ(Names(f.DownloadDatabase()),
                  QStringList({"HARBOUR MOUTH", "FRESH", "LOCK", "route DOWN ROUTE"}));
        dataselecttest::Choose(f.FrameDataSelect->WaypointSelect, {existing, "FRESH", "LOCK"});
        dataselecttest::Choose(f.FrameDataSelect->RouteSelect, {"DOWN ROUTE"});
        shelltest::SaveScreenshot(&f, "gps-download-pty-waypoints");
        f.ButtonNext->click();
        ASSERT_EQ(f.CurrentPage(), W::PageProperties);
        TFrameDownloadProperties *p = f.FrameProperties;
        p->ButtonType->click();
        p->RadioButtonGroupNew->click();
        p->EditWaypointGroup->setText(QStringLiteral("From the GPS"));
        p->EditRadius->SetValue(123.0);
        shelltest::SaveScreenshot(&f, "gps-download-pty-properties");
        f.ButtonNext->click();
    });
    TFormWaypointEditType::SetPrompter({});
    EXPECT_EQ(asked, 1);
    ASSERT_EQ(Messages.size(), 1);
    EXPECT_TRUE(Messages[0].startsWith("Download completed.")) << Messages[0].toStdString();
    EXPECT_TRUE(Messages[0].contains("3 waypoint(s) Downloaded.")) << Messages[0].toStdString();
    EXPECT_TRUE(Messages[0].contains("1 route(s) Downloaded."));
    EXPECT_EQ(Env->Boat->GetGPS()->GetPort(), Env->DeviceManager->GetPort(0)) << "the receiver is given back";

    // Saved and read back from disk.
    Env->OpenUserDatabase();
    IWptDatabase *db = Env->UserDatabase;
    ASSERT_NE(db, nullptr);
    IWptWaypointGroup *group = nullptr;
    for (int32_t i = 0; i < db->GetWaypointGroupCount(); ++i)
        if (WptObjectGetName(db->GetWaypointGroup(i)) == "From the GPS") group = db->GetWaypointGroup(i);
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->GetWaypointCount(), 3);
    QMap<QString, int> copies;
    for (IWptWaypoint *w : Waypoints(db)) {
        const QString name = WptObjectGetName(w);
        ++copies[name];
        if (name == "FRESH") {
            EXPECT_NEAR(w->GetLatitude(), 52.2 * M_PI / 180, 1e-9);
            EXPECT_NEAR(w->GetLongitude(), 5.2 * M_PI / 180, 1e-9);
        }
        if (name == "FRESH" || name == "LOCK") EXPECT_EQ(WptObjectGetName(w->GetType()), "Downloaded");
    }
    EXPECT_EQ(copies.value(existing), 2) << "the answer was to keep both";
    EXPECT_EQ(copies.value("FRESH"), 1);
    EXPECT_EQ(copies.value("LOCK"), 1);
    IWptRoute *route = nullptr;
    for (int32_t i = 0; i < db->GetRouteCount(); ++i)
        if (WptObjectGetName(db->GetRoute(i)) == "DOWN ROUTE") route = db->GetRoute(i);
    ASSERT_NE(route, nullptr);
    ASSERT_EQ(route->GetPointCount(), 3);
    for (int32_t i = 0; i < 3; ++i) EXPECT_FLOAT_EQ(route->GetPoint(i)->GetRadius(), 123.0f);
    EXPECT_NEAR(route->GetPoint(2)->GetPosition()->Lat, 52.3 * M_PI / 180, 1e-9);
}

// Whatever was damaged on the way is named once; what arrived complete is offered.
TEST_F(GPSDownloadPty, DamagedOrMissingSentencesAreReportedOnceAndTheRestKept) {
    const std::string a = NmeaSentence("GPWPL,5206.000,N,00506.000,E,ALPHA");
    const std::string b = NmeaSentence("GPWPL,5212.000,N,00512.000,E,BRAVO");
    std::string badSum = NmeaSentence("GPWPL,5218.000,N,00518.000,E,CHARLIE");
    badSum[badSum.size() - 3] = badSum[badSum.size() - 3] == '0' ? '1' : '0';
    struct Case {
        const char *name;
        std::string sent;
        const char *waypoints, *routes;
        QStringList listed;
        bool damaged;
    };
    const Case cases[] = {
        {"a wrong checksum", a + badSum + b, "2", nullptr, {"ALPHA", "BRAVO"}, true},
        {"garbage in a waypoint", a + NmeaSentence("GPWPL,52X6.0,Q,,E,JUNK") + b, "2", nullptr, {"ALPHA", "BRAVO"}, true},
        {"a route without its second message, then a sentence cut off",
         a + b + NmeaSentence("GPRTE,2,1,c,HALF,ALPHA,BRAVO") + "$GPWPL,5230.000,N,005", "2", nullptr, {"ALPHA", "BRAVO"},
         true},
        {"noise between the sentences is the line's, not the data's",
         a + "\x01\x7f noise \r\n" + NmeaSentence("GPXYZ,1,2") + b + NmeaSentence("GPRTE,1,1,c,FULL,BRAVO,ALPHA"), "2",
         "1", {"ALPHA", "BRAVO", "route FULL"}, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Messages.clear();
        Run([&](TFormGPSDownload &f) {
            ASSERT_TRUE(Download(f, c.sent, [&c](TFormGPSDownload &w) { return Counts(w, c.waypoints, c.routes); }));
            EXPECT_EQ(f.CurrentPage(), W::PageWaypoints);
            EXPECT_EQ(Names(f.DownloadDatabase()), c.listed);
            EXPECT_EQ(Messages, c.damaged ? QStringList{DamagedText} : QStringList());
            f.ButtonClose->click();
        });
    }
}

TEST_F(GPSDownloadPty, NothingSentPrevAndCloseDuringTheTransfer) {
    const std::string sent = NmeaSentence("GPWPL,5206.000,N,00506.000,E,ALPHA");
    const auto arrived = [](TFormGPSDownload &w) { return Counts(w, "1"); };
    const auto started = [](TFormGPSDownload &) { return true; };

    // The receiver sends nothing; the user ends the wait.
    Run([&](TFormGPSDownload &f) {
        ASSERT_TRUE(Download(f, std::string(), started));
        TFormGPSDownload *w = &f;
        EXPECT_TRUE(WaitFor([w] { return !w->isVisible(); }));
        EXPECT_EQ(f.result(), QDialog::Rejected);
    });
    EXPECT_EQ(Messages, QStringList{"No data has been received from the GPS."});

    // Prev: back on the information page, still connected, ready for another go.
    Messages.clear();
    Run([&](TFormGPSDownload &f) {
        ASSERT_TRUE(Download(f, sent, arrived, &W::ButtonPrev));
        EXPECT_EQ(f.CurrentPage(), W::PageInfo);
        EXPECT_TRUE(f.ButtonNext->isEnabled());
        EXPECT_TRUE(f.FrameGPSInfo->CheckBoxWpt->isChecked());
        shelltest::SaveScreenshot(&f, "gps-download-pty-info");
        f.ButtonClose->click();
    });
    EXPECT_TRUE(Messages.isEmpty()) << Messages.join("|").toStdString();

    // Close: the transfer stops and the wizard closes without a question or a hang.
    Run([&](TFormGPSDownload &f) {
        ASSERT_TRUE(Download(f, sent, arrived, &W::ButtonClose));
        TFormGPSDownload *w = &f;
        EXPECT_TRUE(WaitFor([w] { return !w->isVisible(); }));
        EXPECT_EQ(f.result(), QDialog::Rejected);
        EXPECT_FALSE(f.Downloading());
    });
    EXPECT_TRUE(Messages.isEmpty()) << Messages.join("|").toStdString();
    EXPECT_EQ(Env->Boat->GetGPS()->GetPort(), Env->DeviceManager->GetPort(0));
}
