// OK of the GPS settings dialog on the real own ship: the receiver takes the choices and
// follows the chosen port, the store keeps them for the next start beside the other
// instruments' entries, and every failure leaves receiver and store as they were.
#include "GPSPortsFixture.h"

#include "base/kvlib/KvErrors.h"

#include <KvLibNav6/KvErrorCodes.h>

#include <GeographicLib/Geodesic.hpp>
#include <proj.h>

#include <QComboBox>
#include <QPushButton>
#include <QRegularExpression>
#include <cmath>
#include <numbers>

using namespace exchangetest;

namespace {

constexpr double Rad = std::numbers::pi / 180.0;

struct TLatLon {
    double Lat, Lon;  // degrees
};

// The fixes of a log's GGA sentences.
std::vector<TLatLon> LogFixes(const QString &log) {
    std::vector<TLatLon> fixes;
    QFile file(log);
    if (!file.open(QIODevice::ReadOnly)) return fixes;
    static const QRegularExpression gga(
        QStringLiteral("^\\$GPGGA,[^,]*,(\\d\\d)(\\d\\d\\.\\d+),([NS]),(\\d{3})(\\d\\d\\.\\d+),([EW])"));
    while (!file.atEnd()) {
        const QRegularExpressionMatch m = gga.match(QString::fromLatin1(file.readLine()));
        if (!m.hasMatch()) continue;
        double lat = m.captured(1).toDouble() + m.captured(2).toDouble() / 60.0;
        double lon = m.captured(4).toDouble() + m.captured(5).toDouble() / 60.0;
        if (m.captured(3) == QLatin1String("S")) lat = -lat;
        if (m.captured(6) == QLatin1String("W")) lon = -lon;
        fixes.push_back({lat, lon});
    }
    return fixes;
}

// PROJ's ED50 (International 1924, three-parameter shift) to WGS 84.
std::vector<TLatLon> ED50ToWGS84(const std::vector<TLatLon> &fixes) {
    PJ_CONTEXT *ctx = proj_context_create();
    PJ *raw = proj_create_crs_to_crs(ctx, "+proj=longlat +ellps=intl +towgs84=-87,-98,-121,0,0,0,0 +no_defs +type=crs",
                                     "EPSG:4326", nullptr);
    PJ *p = raw ? proj_normalize_for_visualization(ctx, raw) : nullptr;
    std::vector<TLatLon> out;
    for (const TLatLon &f : fixes) {
        if (!p) break;
        const PJ_COORD c = proj_trans(p, PJ_FWD, proj_coord(f.Lon, f.Lat, 0, 0));
        out.push_back({c.lp.phi, c.lp.lam});
    }
    if (p) proj_destroy(p);
    if (raw) proj_destroy(raw);
    proj_context_destroy(ctx);
    return out;
}

// Metres from the boat's position to the nearest of the points.
double NearestMetres(const TGeoPoint &boat, const std::vector<TLatLon> &points) {
    double best = 1e12;
    for (const TLatLon &p : points) {
        double s = 0;
        GeographicLib::Geodesic::WGS84().Inverse(boat.Lat / Rad, boat.Lon / Rad, p.Lat, p.Lon, s);
        best = std::min(best, s);
    }
    return best;
}

class SettingsGPSApply : public GPSPortsFixture {
protected:
    void TearDown() override {
        TFormSettingsGPS::SetSaveGPSSettings({});
        TFormSettingsGPS::SetPrompter({});
        GPSPortsFixture::TearDown();
    }
    void ChooseLine(TFormSettingsGPS &form, const QString &port, int32_t baudRate) {
        form.SetBrand(NavMsgBrand::GenericNMEA);
        form.SetProtocol(NavMsgProtocol::NMEA);
        form.SetPort(PortNamed(port));
        form.SetBaudRate(baudRate);
        form.SetStopBits(NavMsgLine::StopBitsOne);
    }
    void ChooseDatum(TFormSettingsGPS &form, const QString &code) {
        int32_t err = 0;
        form.SetDatum(GeodeticFindByCode(GeodeticRegistry(), code, GeodeticKind::Datum, err));
        ASSERT_EQ(err, 0);
    }
    bool FollowsLog(const std::vector<TLatLon> &expected, double metres) {
        return RunUntil([&] {
            TGeoPoint p{};
            return Env->Boat->GetPosition(p) && NearestMetres(p, expected) < metres;
        });
    }
    const QString Bu353 = testsupport::TestDataPath(QStringLiteral("nmea/bu353s4.log"));
};

}  // namespace

TEST_F(SettingsGPSApply, OkAppliesStoresAndTheNextStartFindsIt) {
    std::function<void()> refresh;
    int refreshSets = 0;
    TFormSettingsGPS::SetPrompter([&](TFormSettingsGPS &form) {
        EXPECT_TRUE(refresh);  // the main window can refresh the open dialog's port list
        ChooseLine(form, QStringLiteral("ttyUSB0"), 4800);
        form.ButtonOk->click();
        return form.result();
    });
    ASSERT_TRUE(TFormSettingsGPS::Execute(nullptr, Env->DeviceManager, GPS(), false,
                                          [&](std::function<void()> f) { refresh = std::move(f), ++refreshSets; }));
    EXPECT_EQ(refreshSets, 2);
    EXPECT_FALSE(refresh);
    EXPECT_TRUE(Messages.isEmpty()) << Messages.join(QLatin1Char('\n')).toStdString();

    INavMsgPort *port = PortNamed(QStringLiteral("ttyUSB0"));
    EXPECT_EQ(GPS()->GetPort(), port);
    EXPECT_EQ(GPS()->GetProtocol(), NavMsgProtocol::NMEA);
    EXPECT_EQ(port->GetBaudRate(), 4800);
    EXPECT_EQ(StoredText(QStringLiteral("GPS"), QStringLiteral("Datum")), QStringLiteral("WGE"));
    EXPECT_TRUE(RegKeyExists(GetAppReg(), AppRegRoot::Product, GPSKey));
    EXPECT_EQ(StoredText(PortKey, QStringLiteral("PortName")), QStringLiteral("ttyUSB0"));
    EXPECT_EQ(StoredInt(PortKey, QStringLiteral("BaudRate")), 4800);
    EXPECT_EQ(StoredText(DepthKey, QStringLiteral("Name")), QStringLiteral("Sounder"));
    EXPECT_FALSE(RegKeyExists(GetAppReg(), AppRegRoot::Product, QStringLiteral("NavMsgDeviceManager.pending")));

    // The own ship follows the log's fixes.
    ASSERT_TRUE(Env->StartNavigation(false));
    EXPECT_TRUE(FollowsLog(LogFixes(Bu353), 1.0));
    Env->StopNavigation(QString(), false);

    // A device manager and own ship made anew from the store use the same port and line.
    Env.reset();
    Env = Started();
    ASSERT_NE(GPS()->GetPort(), nullptr);
    EXPECT_EQ(NavMsgPortGetName(GPS()->GetPort()), QStringLiteral("ttyUSB0"));
    EXPECT_EQ(GPS()->GetPort()->GetBaudRate(), 4800);
    EXPECT_EQ(GPS()->GetProtocol(), NavMsgProtocol::NMEA);
}

TEST_F(SettingsGPSApply, TheChosenDatumShiftsTheOwnShipAsPROJDoes) {
    auto form = Dialog();
    ChooseLine(*form, QStringLiteral("ttyUSB0"), 4800);
    ChooseDatum(*form, QStringLiteral("EUR-M"));
    form->ButtonOk->click();
    ASSERT_EQ(form->result(), QDialog::Accepted) << Messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(StoredText(QStringLiteral("GPS"), QStringLiteral("Datum")), QStringLiteral("EUR-M"));

    const std::vector<TLatLon> raw = LogFixes(Bu353);
    const std::vector<TLatLon> shifted = ED50ToWGS84(raw);
    ASSERT_EQ(shifted.size(), raw.size());
    ASSERT_TRUE(Env->StartNavigation(false));
    EXPECT_TRUE(FollowsLog(shifted, 1.0));
    TGeoPoint p{};
    ASSERT_TRUE(Env->Boat->GetPosition(p));
    EXPECT_GT(NearestMetres(p, raw), 50.0);  // the shift itself is far larger than the tolerance
    Env->StopNavigation(QString(), false);

    // The next start takes the stored datum from the beginning, without the dialog.
    Env.reset();
    Env = Started();
    ASSERT_TRUE(Env->StartNavigation(false));
    EXPECT_TRUE(FollowsLog(shifted, 1.0));
}

TEST_F(SettingsGPSApply, AFailingStoreKeepsReceiverAndStoreAndTheDialogOpen) {
    auto form = Dialog();
    ChooseLine(*form, QStringLiteral("ttyUSB0"), 4800);
    form->ButtonOk->click();
    ASSERT_EQ(form->result(), QDialog::Accepted);
    INavMsgPort *before = GPS()->GetPort();

    TFormSettingsGPS::SetSaveGPSSettings([](INavMsgGPSSettings *, const QString &, int32_t &err) {
        err = KvErr::WriteFailed;
    });
    auto second = Dialog();
    second->show();
    ChooseLine(*second, QStringLiteral("ttyUSB1"), 38400);
    second->SetBrand(NavMsgBrand::MLR);
    ChooseDatum(*second, QStringLiteral("EUR-M"));
    const int32_t usb1Baud = PortNamed(QStringLiteral("ttyUSB1"))->GetBaudRate();
    second->ButtonOk->click();
    EXPECT_EQ(Messages, QStringList{ErrorToStrA(KvErr::WriteFailed)});
    EXPECT_TRUE(second->isVisible());
    EXPECT_NE(second->result(), QDialog::Accepted);
    EXPECT_EQ(GPS()->GetPort(), before);
    EXPECT_EQ(GPS()->GetBrand(), NavMsgBrand::GenericNMEA);
    EXPECT_EQ(before->GetBaudRate(), 4800);
    EXPECT_EQ(PortNamed(QStringLiteral("ttyUSB1"))->GetBaudRate(), usb1Baud);
    EXPECT_EQ(StoredText(PortKey, QStringLiteral("PortName")), QStringLiteral("ttyUSB0"));
    EXPECT_EQ(StoredText(QStringLiteral("GPS"), QStringLiteral("Datum")), QStringLiteral("WGE"));
    EXPECT_EQ(StoredText(DepthKey, QStringLiteral("Name")), QStringLiteral("Sounder"));
    // The receiver still reads its WGS 84 positions.
    ASSERT_TRUE(Env->StartNavigation(false));
    EXPECT_TRUE(FollowsLog(LogFixes(Bu353), 1.0));
}

TEST_F(SettingsGPSApply, APortRemovedBeforeOkIsReportedAndNotUsed) {
    INavMsgPort *before = GPS()->GetPort();
    const QString storedBefore = StoredText(PortKey, QStringLiteral("PortName"));
    auto form = Dialog();
    ChooseLine(*form, QStringLiteral("ttyUSB1"), 38400);
    {
        shelltest::TPortList fewer(Paths({0, 1, 2}));
        Env->DeviceManager->RescanPorts(1);  // another window's rescan; the dialog is not told
        form->ButtonOk->click();
    }
    EXPECT_EQ(Messages, QStringList{ErrorToStrA(KvErr::PortRemoved)});
    EXPECT_NE(form->result(), QDialog::Accepted);
    EXPECT_EQ(GPS()->GetPort(), before);
    EXPECT_EQ(StoredText(PortKey, QStringLiteral("PortName")), storedBefore);
}
