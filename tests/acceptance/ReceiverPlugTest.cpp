// A skipper plugs a GPS receiver in: the program finds it by itself at 4800 Bd and the own
// ship goes where the receiver says; the cable comes out, the program says so once; it goes
// back in, and the ship follows the receiver again.
#include "FirstStart.h"
#include "Receiver.h"
#include "ScenarioRun.h"

#include "base/units/KvNavMsgDevices.h"
#include "exchange/FrmMsgGPSSingleError.h"
#include "shell/FrmMarivo6Main.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvNavBoat.h>

#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QtMath>

namespace {

using acceptance::TFirstStart;
using acceptance::TReceiver;
using acceptance::TScenarioRun;

const QString LogDir = QStringLiteral(MARIVO_TESTDATA_DIR_STR "/nmea/");

// Counts every time a GPS error box comes up on the screen.
class TShownBoxes : public QObject {
public:
    TShownBoxes() { qApp->installEventFilter(this); }
    ~TShownBoxes() override { qApp->removeEventFilter(this); }
    int Count = 0;
    QStringList Texts;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Show)
            if (auto *box = qobject_cast<TFormMsgGPSSingleError *>(watched)) {
                ++Count;
                Texts << box->LabelError->text();
            }
        return false;
    }
};

TFormMsgGPSSingleError *ErrorBox(TFormMarivo6Main &main) {
    return main.findChild<TFormMsgGPSSingleError *>();
}

bool Navigating(TFormMarivo6Main &main) {
    INavBoat *boat = main.NavEnv() ? main.NavEnv()->Boat : nullptr;
    return boat && boat->GetNavigationState() != 0 && !boat->IsSimulating();
}

bool HasPort(TFormMarivo6Main &main, const QString &name) {
    INavMsgDeviceManager *devices = main.NavEnv()->DeviceManager;
    for (int32_t i = 0; devices && i < devices->GetPortCount(); ++i)
        if (NavMsgPortGetName(devices->GetPort(i)) == name) return true;
    return false;
}

// The own ship within about 20 m of lat, lon (degrees).
bool ShipAt(TFormMarivo6Main &main, double lat, double lon) {
    TGeoPoint p{};
    if (!Navigating(main) || !main.NavEnv()->Boat->GetPosition(p)) return false;
    return std::abs(qRadiansToDegrees(p.Lat) - lat) < 2e-4 && std::abs(qRadiansToDegrees(p.Lon) - lon) < 2e-4;
}

}  // namespace

TEST(Acceptance, AReceiverPluggedInIsFoundAndItsLossIsToldOnceAndHealsWhenItIsBack) {
    TFirstStart machine(QStringLiteral("receiver"));
    ASSERT_FALSE(machine.Options.DataFolder.isEmpty());
    const auto paris = acceptance::LogFixes(LogDir + QStringLiteral("gpslim236.log"));
    const auto waikato = acceptance::LogFixes(LogDir + QStringLiteral("bu353s4.log"));
    ASSERT_GT(paris.size(), 10u);
    ASSERT_GT(waikato.size(), 10u);
    TReceiver receiver(testsupport::MakeTempDir(QStringLiteral("receiver-line")) + QStringLiteral("/ttyUSB0"));
    int asked = 0;
    auto oldLanguage = TFormLanguage::SetPrompter(acceptance::PickLanguage(QStringLiteral("English"), &asked));
    TShownBoxes boxes;
    TScenarioRun run;
    run.WhenReady(QStringLiteral("plug the receiver in"), [&](TFormMarivo6Main &) {
        receiver.Plug(paris);
    });
    // The log's first fix: 48°54.2575'N 2°19.9816'E.
    run.When(QStringLiteral("the own ship is where the receiver is"),
             [](TFormMarivo6Main &main) { return ShipAt(main, 48.904292, 2.333027); },
             [&](TFormMarivo6Main &main) {
                 EXPECT_GT(receiver.Sent(), 0) << "it talks only at 4800 Bd";
                 EXPECT_EQ(boxes.Count, 0);
                 EXPECT_TRUE(main.Action("ActionInstrumentsCommunication")->isChecked());
                 acceptance::Screenshot(&main, QStringLiteral("5-receiver-found"));
                 receiver.Unplug();
             }, 60000);
    run.When(QStringLiteral("the communication error is shown"),
             [](TFormMarivo6Main &main) { return ErrorBox(main) && ErrorBox(main)->isVisible(); },
             [&](TFormMarivo6Main &main) {
                 EXPECT_TRUE(ErrorBox(main)->LabelError->text().contains(QStringLiteral("ttyUSB0")))
                     << ErrorBox(main)->LabelError->text().toStdString();
                 acceptance::Screenshot(&main, QStringLiteral("5-receiver-unplugged"));
                 acceptance::Screenshot(ErrorBox(main), QStringLiteral("5-communication-error"));
             });
    // The user sees nothing more until the receiver is back; the device list is where the
    // program shows that it noticed the port go.
    run.When(QStringLiteral("navigation has stopped and the port is gone"),
             [](TFormMarivo6Main &main) { return !Navigating(main) && !HasPort(main, QStringLiteral("ttyUSB0")); },
             [&](TFormMarivo6Main &) { receiver.Plug(waikato); });
    // The other log's first fix: 37°47.0873'S 175°18.8938'E.
    run.When(QStringLiteral("the own ship follows the receiver again"),
             [](TFormMarivo6Main &main) { return ShipAt(main, -37.784788, 175.314897); },
             [&](TFormMarivo6Main &main) {
                 EXPECT_FALSE(ErrorBox(main)->isVisible()) << "the box goes when the receiver is back";
                 acceptance::Screenshot(&main, QStringLiteral("5-receiver-back"));
             }, 60000);
    run.Close();
    EXPECT_EQ(run.Run(machine.Options), 0);
    TFormLanguage::SetPrompter(std::move(oldLanguage));
    EXPECT_EQ(boxes.Count, 1) << boxes.Texts.join(QStringLiteral("\n---\n")).toStdString();
}
