// Automatic GPS configuration after a device was plugged in: every serial port is probed
// at three baud rates, and a receiver found with another set-up than the current one is
// configured and stored.
#include "shell/MarivoNavEnv.h"

#include "base/kvlib/KvErrors.h"
#include "base/kvlib/KvExceptions.h"
#include "base/registry/KvRegistry.h"
#include "base/units/KvNavMsgDevices.h"
#include "shell/MarivoNavEnvServiceTexts.h"

#include <KvLibNav6/KvErrorCodes.h>

#include <QCoreApplication>

namespace {

const QString DevicesKey = QStringLiteral("NavMsgDeviceManager");
// The new set-up is saved here first, so that a failing save leaves the old one whole.
const QString PendingKey = QStringLiteral("NavMsgDeviceManager.pending");
const QString GPSSubKey = QStringLiteral("\\Devices\\GPS");
const QString PortSubKey = QStringLiteral("\\Ports\\Port1");

void AddDetectSettings(INavMsgDetectJob *job, int32_t baudRate) {
    INavMsgDetectSettings *settings = NavMsgDetectSettingsCreate();
    settings->SetProtocol(NavMsgProtocol::NMEA);
    INavMsgCommPortSettings *line = settings->GetPortSettings();
    line->SetBaudRate(baudRate);
    line->SetParity(0);
    line->SetFlowControl(0);
    line->SetStopBits(0);
    line->SetDataBits(8);
    line->SetLineOption2(0);
    line->SetLineOption3(0);
    job->AddSettings(settings);  // the job owns it from here
}

// Keeps the window responsive while detection runs on this thread.
void DetectProgress(void *, int32_t) {
    QCoreApplication::processEvents();
}

QString KeyPath(const QString &key) {
    QString path;
    int32_t err = 0;
    RegGetKeyPath(GetAppReg(), AppRegRoot::Product, key, err, path);
    return path;
}

bool SameSetUp(INavBoatGPS *gps, INavMsgDetectJob *result, INavMsgPort *port) {
    INavMsgDetectSettings *found = result->GetFoundSettings();
    INavMsgCommPortSettings *line = found ? found->GetPortSettings() : nullptr;
    return line && gps->GetBrand() == result->GetBrand() && gps->GetModel() == result->GetModel() &&
           gps->GetProtocol() == found->GetProtocol() && gps->GetPort() == port &&
           port->GetKind() == NavMsgPortKind::Serial && port->GetBaudRate() == line->GetBaudRate() &&
           port->GetParity() == line->GetParity() && port->GetStopBits() == line->GetStopBits();
}

void Reconfigure(INavBoatGPS *gps, INavMsgDetectJob *result, INavMsgPort *port) {
    INavMsgDetectSettings *found = result->GetFoundSettings();
    INavMsgCommPortSettings *line = found->GetPortSettings();
    int32_t err = 0;
    gps->SetPort(nullptr, err);
    RaiseIfError(err, QString());
    gps->SetBrandModel(result->GetBrand(), result->GetModel());
    gps->SetProtocol(found->GetProtocol(), err);
    RaiseIfError(err, QString());
    port->SetBaudRate(line->GetBaudRate(), err);
    RaiseIfError(err, QString());
    port->SetParity(line->GetParity(), err);
    RaiseIfError(err, QString());
    port->SetStopBits(line->GetStopBits(), err);
    RaiseIfError(err, QString());
    gps->SetPort(port, err);
    RaiseIfError(err, QString());
}

// The serial line of the GPS port as stored settings.
INavMsgCommPortSettings *PortSettingsOf(INavMsgPort *port) {
    INavMsgCommPortSettings *settings = NavMsgCommPortSettingsCreate();
    settings->SetPortPair(TPoint{0, 0});
    settings->SetBaudRate(port->GetBaudRate());
    settings->SetDataBits(8);
    settings->SetParity(port->GetParity());
    settings->SetFlowControl(0);
    settings->SetStopBits(port->GetStopBits());
    settings->SetLineOption2(0);
    settings->SetLineOption3(0);
    NavMsgPortSettingsSetPortName(settings, NavMsgPortGetName(port));
    NavMsgPortSettingsSetPortID(settings, NavMsgPortGetID(port));
    return settings;
}

}  // namespace

bool TMarivoNavEnv::ConfigureGPSDevice() {
    if (GPSDetecting || Boat->IsSimulating()) return false;
    INavBoatGPS *gps = Boat->GetGPS();
    if (gps->IsConnected() != 0) return false;
    GPSDetecting = true;
    INavMsgDeviceDetector *detector = DeviceManager->GetDetector();
    struct TEndDetection {
        INavMsgDeviceDetector *Detector;
        bool &Detecting;
        ~TEndDetection() {
            Detector->Clear();
            Detecting = false;
        }
    } end{detector, GPSDetecting};

    for (int32_t i = DeviceManager->GetPortCount() - 1; i >= 0; --i) {
        INavMsgDetectJob *job = detector->AddPort(DeviceManager->GetPort(i));
        for (int32_t baudRate : {4800, 9600, 38400}) AddDetectSettings(job, baudRate);
    }
    detector->SetRunOption(1);
    int32_t err = 0;
    detector->Run(false, DetectProgress, this, err);
    if (err != KvErr::Ok || detector->GetResultCount() < 1) return false;
    INavMsgDetectJob *result = detector->GetResult(0);
    INavMsgPort *port = result->GetPort();
    if (!port || !result->GetFoundSettings()) return false;
    gps->ApplySettings(1, err);
    if (!SameSetUp(gps, result, port)) {
        Reconfigure(gps, result, port);
        StoreFoundGPS(gps);
    }
    PostUserNotification(NavUserNotify::Message,
                         LanguageText(NavEnvText::GPSFound).arg(NavMsgPortGetName(gps->GetPort())),
                         4, false, 0);
    return true;
}

void TMarivoNavEnv::StoreFoundGPS(INavBoatGPS *gps) {
    TNavPtr<INavMsgGPSSettings> settings(NavMsgGPSSettingsCreate());
    gps->GetSettings(settings.get());
    TNavPtr<INavMsgCommPortSettings> line(PortSettingsOf(gps->GetPort()));
    auto save = [this, &settings, &line](const QString &path, int32_t &err) {
        if (FSeams.SaveGPSSettings)
            FSeams.SaveGPSSettings(settings.get(), path + GPSSubKey, err);
        else
            NavMsgGPSSettingsSaveToReg(settings.get(), path + GPSSubKey, err);
        if (err == KvErr::Ok) NavMsgPortSettingsSaveToReg(line.get(), path + PortSubKey, err);
    };
    // Only the GPS entries are replaced: the other instruments and ports keep theirs.
    IAppReg *reg = GetAppReg();
    int32_t err = 0, ignored = 0;
    RegDeleteKey(reg, AppRegRoot::Product, PendingKey, ignored);
    save(KeyPath(PendingKey), err);
    RegDeleteKey(reg, AppRegRoot::Product, PendingKey, ignored);
    RaiseIfError(err, QString());
    RegDeleteKey(reg, AppRegRoot::Product, DevicesKey + GPSSubKey, ignored);
    RegDeleteKey(reg, AppRegRoot::Product, DevicesKey + PortSubKey, ignored);
    save(KeyPath(DevicesKey), err);
    RaiseIfError(err, QString());
}
