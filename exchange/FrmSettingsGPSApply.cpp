// OK of the GPS settings dialog: the receiver takes the choices first, and only then does the
// store get them; any failure puts the receiver back and leaves the store as it was.
#include "exchange/FrmSettingsGPS.h"

#include "base/dialogs/KvMsgBox.h"
#include "base/geodesy/KvGeodetic.h"
#include "base/kvlib/KvErrors.h"
#include "base/kvlib/KvLib.h"
#include "base/registry/KvRegistry.h"
#include "base/units/KvNavMsgDevices.h"

#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvNavBoat.h>

#include <QCheckBox>

namespace {

const QString DevicesKey = QStringLiteral("NavMsgDeviceManager");
// The new settings are saved here first: a store that fails does so before the old
// settings are touched. Other instruments' entries under DevicesKey are never removed.
const QString PendingKey = QStringLiteral("NavMsgDeviceManager.pending");
const QString GPSSubKey = QStringLiteral("\\Devices\\GPS");
const QString PortSubKey = QStringLiteral("\\Ports\\Port1");

TFormSettingsGPS::TSaveGPSSettings &SaveSeam() {
    static TFormSettingsGPS::TSaveGPSSettings save;
    return save;
}

QString KeyPath(const QString &key) {
    QString path;
    int32_t err = 0;
    RegGetKeyPath(GetAppReg(), AppRegRoot::Product, key, err, path);
    return path;
}

QString CodeOf(IGeodeticDefinition *definition) {
    const TStrWRec *code = definition ? definition->GetCode() : nullptr;
    return code ? QString::fromUtf16(code->Text, code->Length) : GeodeticDefaultDatumCode;
}

IGeodeticDatum *AsDatum(IGeodeticDefinition *definition) {
    auto *datum = dynamic_cast<IGeodeticDatum *>(definition);
    return datum ? datum : GeodeticGlobals().DefaultDatum;
}

// The stored settings of the receiver's port, by its kind; nullptr for kinds that store none.
INavMsgPortSettings *PortSettingsFor(INavMsgPort *port, int32_t baudRate, int32_t flowControl,
                                     int32_t stopBits) {
    if (!port) return nullptr;
    INavMsgPortSettings *settings = nullptr;
    switch (port->GetKind()) {
    case NavMsgPortKind::Serial: {
        INavMsgCommPortSettings *line = NavMsgCommPortSettingsCreate();
        line->SetPortPair(TPoint{0, 0});
        line->SetBaudRate(baudRate);
        line->SetDataBits(8);
        line->SetFlowControl(flowControl);
        line->SetLineOption1(0);
        line->SetStopBits(stopBits);
        line->SetLineOption2(0);
        line->SetLineOption3(0);
        settings = line;
        break;
    }
    case NavMsgPortKind::VendorUSB: settings = NavMsgGarminUSBPortSettingsCreate(); break;
    case NavMsgPortKind::LocationSensor: settings = NavMsgSensorGPSSettingsCreate(); break;
    default: return nullptr;
    }
    if (port->GetKind() != NavMsgPortKind::Serial) settings->SetPortPair(TPoint{0, 0});
    NavMsgPortSettingsSetPortName(settings, NavMsgPortGetName(port));
    NavMsgPortSettingsSetPortID(settings, NavMsgPortGetID(port));
    return settings;
}

// What the receiver had before OK, to give it back when a step fails.
struct TReceiverState {
    int32_t Brand, Model, Protocol;
    INavMsgPort *Port;
    bool Filtering;
    // The chosen serial port's line, which OK may change.
    INavMsgPort *LinePort = nullptr;
    int32_t BaudRate = 0, FlowControl = 0, StopBits = 0;

    TReceiverState(INavBoatGPS *gps, INavMsgPort *chosen)
        : Brand(gps->GetBrand()), Model(gps->GetModel()), Protocol(gps->GetProtocol()),
          Port(gps->GetPort()), Filtering(gps->IsFiltering()) {
        if (chosen && chosen->GetKind() == NavMsgPortKind::Serial) {
            LinePort = chosen;
            BaudRate = chosen->GetBaudRate();
            FlowControl = chosen->GetFlowControl();
            StopBits = chosen->GetStopBits();
        }
    }
    // Best effort: the failure that led here is what the user is told.
    void Restore(INavBoatGPS *gps, IGeodeticDatum *datum) const {
        int32_t ignored = 0;
        gps->SetPositionFilter(Filtering);
        gps->SetSOGFilter(Filtering);
        gps->SetCOGFilter(Filtering);
        gps->SetDatum(datum);
        if (gps->GetBrand() == Brand && gps->GetModel() == Model && gps->GetProtocol() == Protocol &&
            gps->GetPort() == Port && !LinePort)
            return;
        gps->SetPort(nullptr, ignored);
        gps->SetBrandModel(Brand, Model);
        gps->SetProtocol(Protocol, ignored);
        if (LinePort) {
            LinePort->SetBaudRate(BaudRate, ignored);
            LinePort->SetFlowControl(FlowControl, ignored);
            LinePort->SetStopBits(StopBits, ignored);
        }
        gps->SetPort(Port, ignored);
    }
};

}  // namespace

TFormSettingsGPS::TSaveGPSSettings TFormSettingsGPS::SetSaveGPSSettings(TSaveGPSSettings save) {
    TSaveGPSSettings previous = std::move(SaveSeam());
    SaveSeam() = std::move(save);
    return previous;
}

void TFormSettingsGPS::done(int result) {
    if (result == QDialog::Accepted) {
        try {
            ApplyAndStore();
            FApplied = true;
        } catch (const Exception &e) {
            MsgBox(e.Message(), mtError, MsgButtons({mbOK}));
            return;
        }
    }
    TFormScaled::done(result);
}

void TFormSettingsGPS::ApplyAndStore() {
    // A rescan may have taken the chosen port away; its object must not be used then.
    if (FStopped && FPort && !FDeviceManager->HasPort(FPort)) RaiseIfError(KvErr::PortRemoved);
    const TReceiverState previous(FGPS, FStopped ? FPort : nullptr);
    try {
        ApplyToGPS();
        FGPS->SetDatum(AsDatum(FDatum));
        StoreSettings();
    } catch (...) {
        previous.Restore(FGPS, AsDatum(FStoredDatum));
        throw;
    }
}

bool TFormSettingsGPS::ReceiverUnchanged() {
    if (FGPS->GetBrand() != FBrand || FGPS->GetModel() != FModel || FGPS->GetProtocol() != FProtocol ||
        FGPS->GetPort() != FPort)
        return false;
    if (!FPort) return true;
    switch (FPort->GetKind()) {
    case NavMsgPortKind::Serial:
        return FPort->GetBaudRate() == FBaudRate && FPort->GetFlowControl() == FFlowControl &&
               FPort->GetStopBits() == FStopBits;
    // The sensor port is always set again.
    case NavMsgPortKind::LocationSensor: return false;
    default: return true;
    }
}

void TFormSettingsGPS::ApplyToGPS() {
    const bool filter = CheckBoxFilter->isChecked();
    FGPS->SetPositionFilter(filter);
    FGPS->SetSOGFilter(filter);
    FGPS->SetCOGFilter(filter);
    if (!FStopped) return;
    int32_t err = 0;
    FGPS->ApplySettings(1, err);
    RaiseIfError(err);
    if (ReceiverUnchanged()) return;
    FGPS->SetPort(nullptr, err);
    RaiseIfError(err);
    FGPS->SetBrandModel(FBrand, FModel);
    FGPS->SetProtocol(FProtocol, err);
    RaiseIfError(err);
    FGPS->SetPort(FPort, err);
    RaiseIfError(err);
    if (!FPort || FPort->GetKind() != NavMsgPortKind::Serial) return;
    FPort->SetBaudRate(FBaudRate, err);
    RaiseIfError(err);
    FPort->SetDataBits(8, err);
    RaiseIfError(err);
    FPort->SetFlowControl(FFlowControl, err);
    RaiseIfError(err);
    FPort->SetLineOption1(0, err);
    RaiseIfError(err);
    FPort->SetStopBits(FStopBits, err);
    RaiseIfError(err);
}

void TFormSettingsGPS::StoreSettings() {
    TNavPtr<INavMsgGPSSettings> gpsSettings(NavMsgGPSSettingsCreate());
    FGPS->GetSettings(gpsSettings.get());
    INavMsgPort *port = FGPS->GetPort();
    // While the GPS runs the line is the port's own; the dialog's values were not applied.
    const bool serial = port && port->GetKind() == NavMsgPortKind::Serial;
    TNavPtr<INavMsgPortSettings> portSettings(PortSettingsFor(
        port, serial ? port->GetBaudRate() : FBaudRate, serial ? port->GetFlowControl() : FFlowControl,
        serial ? port->GetStopBits() : FStopBits));
    auto save = [&](const QString &path, int32_t &err) {
        if (SaveSeam())
            SaveSeam()(gpsSettings.get(), path + GPSSubKey, err);
        else
            NavMsgGPSSettingsSaveToReg(gpsSettings.get(), path + GPSSubKey, err);
        if (err == KvErr::Ok && portSettings)
            NavMsgPortSettingsSaveToReg(portSettings.get(), path + PortSubKey, err);
    };
    IAppReg *reg = GetAppReg();
    int32_t err = 0, ignored = 0;
    RegDeleteKey(reg, AppRegRoot::Product, PendingKey, ignored);
    save(KeyPath(PendingKey), err);
    RegDeleteKey(reg, AppRegRoot::Product, PendingKey, ignored);
    RaiseIfError(err);
    RegWriteString(reg, AppRegRoot::Product, QStringLiteral("GPS"), RegName(u"Datum"), CodeOf(FDatum), err);
    RaiseIfError(err);
    RegDeleteKey(reg, AppRegRoot::Product, DevicesKey + GPSSubKey, ignored);
    RegDeleteKey(reg, AppRegRoot::Product, DevicesKey + PortSubKey, ignored);
    save(KeyPath(DevicesKey), err);
    RaiseIfError(err);
    FStoredDatum = FDatum;
}
