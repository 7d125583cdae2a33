// NMEA waypoint and route download into a waypoint database.
#include "devices/GPSDevice.h"

#include "devices/DeviceSettings.h"
#include "units/UnitsInternal.h"

#include "KvLibNav6/KvErrorCodes.h"
#include "KvLibNav6/KvProgress.h"
#include "KvLibNav6/KvWaypoints.h"

#include <QElapsedTimer>
#include <QTimer>

#include <map>

namespace kv {

TGPSDevice::TGPSDevice(std::function<TSerialPort *(const QString &)> findPort)
    : FFindPort(std::move(findPort)), FContext(std::make_unique<QObject>()) {
    FParser.SetSentenceHook([this](const TNmeaSentence &s) { FCollected.Add(s); });
    FParser.SetRejectHook([this](TNmeaResult why, std::string_view line) {
        // Only what looks like a waypoint or a route was data; other noise is the line's.
        const std::string_view type = line.size() >= 6 ? line.substr(3, 3) : std::string_view();
        if (type != "WPL" && type != "RTE") return;
        ++(type == "WPL" ? FDamagedWaypoints : FDamagedRoutes);
        if (why == TNmeaResult::ChecksumError) FChecksumDamage = true;
    });
}

TGPSDevice::~TGPSDevice() {
    Disconnect();
}

const TStrWRec *TGPSDevice::GetProductText(int32_t index) {
    // NMEA receivers do not identify themselves: the protocol is all there is to show.
    return FProductText.Set(index == 0 && FProtocol == NavMsgProtocol::NMEA
                                ? QStringLiteral("NMEA 0183")
                                : QString());
}

void TGPSDevice::ApplyDeviceSettings(INavMsgGPSSettings *settings) {
    auto *s = dynamic_cast<TGPSSettings *>(settings);
    if (!s) return;
    FBrand = s->Brand;
    FModel = s->Model;
    FProtocol = s->Protocol;
    FPortID = s->PortID;
}

INavMsgPort *TGPSDevice::GetPort() {
    return FPortID.isEmpty() ? nullptr : FFindPort(FPortID);
}

void TGPSDevice::SetBrandModel(int32_t brand, int32_t model) {
    FBrand = brand;
    FModel = model;
}

void TGPSDevice::SetProtocol(int32_t protocol, int32_t &err) {
    if (protocol != NavMsgProtocol::NMEA && protocol != NavMsgProtocol::VendorBinary) {
        err = KvErr::InvalidArgument;
        return;
    }
    FProtocol = protocol;
    err = KvErr::Ok;
}

void TGPSDevice::ConnectAsync(DataProc connected, void *connectedData, ConnectErrorProc error,
                              void *errorData, ConnectPortProc portProblem, void *portData) {
    // Answered from the event loop, never from inside this call.
    QTimer::singleShot(0, FContext.get(), [=, this] {
        auto fail = [&](int32_t code) {
            if (error) error(errorData, code);
        };
        if (FLine) {
            if (connected) connected(connectedData);
            return;
        }
        TSerialPort *port = FPortID.isEmpty() ? nullptr : FFindPort(FPortID);
        if (!port) return fail(KvErr::NoGPSPort);
        if (FProtocol != NavMsgProtocol::NMEA) {
            if (portProblem) portProblem(portData, port, KvErr::PortUnsupported, false);
            return fail(KvErr::PortUnsupported);
        }
        TLineSettings line;
        line.BaudRate = port->GetBaudRate();
        line.Parity = port->GetParity();
        line.StopBits = port->GetStopBits();
        line.FlowControl = port->GetFlowControl();
        port->Suspend();
        int32_t err = KvErr::Ok;
        FLine = OpenSerialLine(port->Path(), line, err);
        if (!FLine) {
            port->Resume();
            if (portProblem) portProblem(portData, port, err, true);
            return fail(err);
        }
        FSuspended = port;
        if (connected) connected(connectedData);
    });
}

void TGPSDevice::Disconnect() {
    FStop = true;
    if (FLine) FLine->close();
    FLine.reset();
    if (FSuspended) FSuspended->Resume();
    FSuspended = nullptr;
}

uint32_t TGPSDevice::GetCapabilities(int32_t &err) {
    err = KvErr::Ok;
    if (FProtocol != NavMsgProtocol::NMEA) {
        err = KvErr::PortUnsupported;
        return 0;
    }
    return NavMsgTransfer::NMEACapabilities;
}

int32_t TGPSDevice::StopTransfer() {
    FStop = true;
    return KvErr::Ok;
}

int32_t TGPSDevice::Download(IWptDatabase *db, INavTrackList *, uint32_t requestFlags,
                             TProgressEx *progress) {
    using namespace NavMsgTransfer;
    const bool wantWaypoints = requestFlags & (RequestWaypoints | RequestProximityWaypoints);
    const bool wantRoutes = requestFlags & RequestRoutes;
    if (FDownloading) return KvErr::Failed;
    if (!db && (wantWaypoints || wantRoutes)) return KvErr::InvalidArgument;
    if (!FLine) return KvErr::GPSNotConnected;
    if (FProtocol != NavMsgProtocol::NMEA) return KvErr::PortUnsupported;

    FDownloading = true;
    FStop = false;
    FCollected.Clear();
    FParser.Reset();
    FDamagedWaypoints = FDamagedRoutes = 0;
    FChecksumDamage = false;
    TNavMsgTransferStatus status;
    status.WaypointCount = wantWaypoints ? 0 : -1;
    status.RouteCount = wantRoutes ? 0 : -1;
    status.RoutePointCount = wantRoutes ? 0 : -1;
    auto report = [&] {
        if (!progress || !progress->Callback) return;
        progress->Status = &status;
        progress->Callback(progress->Data, progress);
        progress->Status = nullptr;
    };
    report();

    // NMEA transfers have no length: the bar stays off and the counts tell the progress.
    status.Stage = wantWaypoints ? StageWaypoints : StageRoutes;
    QElapsedTimer quiet;
    quiet.start();
    size_t received = 0;
    while (!FStop && FLine) {
        FLine->waitForReadyRead(50);
        const QByteArray data = FLine->readAll();
        if (FLine->error() == QSerialPort::ResourceError) {
            status.Error = KvErr::PortRemoved;
            break;
        }
        FParser.Feed(data.constData(), size_t(data.size()));
        const size_t now = FCollected.Waypoints().size() + FCollected.Routes().size();
        if (now != received) {
            received = now;
            quiet.restart();
        }
        // The stage is the kind that just came in; a page shows a stage's counts only, so
        // waypoints and routes arriving in one read are reported one after the other.
        const int32_t waypoints = int32_t(FCollected.Waypoints().size());
        const int32_t routes = int32_t(FCollected.Routes().size());
        const int32_t routePoints = FCollected.RoutePointCount();
        const bool newRoutes = wantRoutes && (routes != status.RouteCount || routePoints != status.RoutePointCount);
        if (wantWaypoints && waypoints != status.WaypointCount) {
            status.WaypointCount = waypoints;
            status.Stage = StageWaypoints;
            if (newRoutes) report();
        }
        if (newRoutes) {
            status.RouteCount = routes;
            status.RoutePointCount = routePoints;
            status.Stage = StageRoutes;
        }
        report();
        if (quiet.elapsed() > (received == 0 ? FFirstQuietMs : FQuietMs)) break;
    }
    // A sentence the receiver broke off is judged now rather than forgotten, and so is a
    // route still waiting for its other messages.
    FParser.Feed("\r\n", 2);
    FCollected.Finish();
    if (status.Error == KvErr::Ok) status.Error = Store(db, requestFlags);
    status.Stage = StageFinished;
    report();
    FDownloading = false;
    return status.Error != KvErr::Ok ? status.Error : DamageResult(requestFlags);
}

int32_t TGPSDevice::DamageResult(uint32_t requestFlags) const {
    using namespace NavMsgTransfer;
    int lost = 0;
    if (requestFlags & (RequestWaypoints | RequestProximityWaypoints))
        lost += FDamagedWaypoints + FCollected.WaypointErrors();
    if (requestFlags & RequestRoutes) lost += FDamagedRoutes + FCollected.RouteErrors();
    if (lost == 0) return KvErr::Ok;
    return FChecksumDamage ? KvErr::PortChecksum : KvErr::PortProtocol;
}

int32_t TGPSDevice::Store(IWptDatabase *db, uint32_t requestFlags) {
    using namespace NavMsgTransfer;
    if (!db) return KvErr::Ok;
    int32_t err = KvErr::Ok;
    std::map<std::string, IWptWaypoint *> made;
    if (requestFlags & (RequestWaypoints | RequestProximityWaypoints)) {
        for (const TNmeaWaypoint &w : FCollected.Waypoints()) {
            IWptWaypoint *wp = db->NewWaypoint(nullptr, TGeoPoint3{w.LatRad, w.LonRad, 0.0}, nullptr);
            if (!wp) return KvErr::Failed;
            const QString name = QString::fromLatin1(w.Name.data(), qsizetype(w.Name.size()));
            wp->SetName(ToRec(name), err);
            if (err != KvErr::Ok) return err;
            made[w.Name] = wp;
        }
    }
    if (requestFlags & RequestRoutes) {
        for (const TNmeaRoute &r : FCollected.Routes()) {
            IWptRoute *route = db->NewRoute(TimeEngine().NowUTC());
            if (!route) return KvErr::Failed;
            const QString id = QString::fromLatin1(r.ID.data(), qsizetype(r.ID.size()));
            route->SetName(ToRec(id), err);
            if (err != KvErr::Ok) return err;
            for (const std::string &name : r.Points) {
                const auto wp = made.find(name);
                if (wp != made.end()) {
                    route->AddPointFromWaypoint(wp->second, 0, 1, err);
                } else if (const TNmeaWaypoint *w = FCollected.FindWaypoint(name)) {
                    // No waypoint stands behind the point: it keeps the receiver's name itself.
                    IWptRoutePoint *point = route->AddPoint(
                        TGeoPoint3{w->LatRad, w->LonRad, 0.0}, nullptr, nullptr, err);
                    if (point && err == KvErr::Ok)
                        point->SetName(
                            ToRec(QString::fromLatin1(name.data(), qsizetype(name.size()))), err);
                } else {
                    // The receiver named a point it never sent: the route keeps the others.
                    continue;
                }
                if (err != KvErr::Ok) return err;
            }
        }
    }
    return KvErr::Ok;
}

}  // namespace kv
