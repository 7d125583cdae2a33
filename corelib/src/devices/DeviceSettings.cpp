// Port and GPS settings objects, their factories, and the device model table.
#include "devices/DeviceSettings.h"

#include "KvLibNav6/KvAppReg.h"
#include "KvLibNav6/KvErrorCodes.h"

#include <memory>

namespace kv {

namespace {

// Value names in the store; the key path comes from the program.
struct TStore {
    TStrWRec Key;
    int32_t Err = 0;

    static TStrWRec Name(std::u16string_view n) { return TStrWRec{int32_t(n.size()), n.data()}; }

    void Int(std::u16string_view name, int32_t v) {
        if (Err == 0) GetAppReg()->WriteInteger(AppRegRoot::CurrentUser, Key, ValueName(Name(name)), v, Err);
    }
    void Bool(std::u16string_view name, bool v) {
        if (Err == 0) GetAppReg()->WriteBool(AppRegRoot::CurrentUser, Key, ValueName(Name(name)), v, Err);
    }
    void Text(std::u16string_view name, const QString &v) {
        if (Err == 0)
            GetAppReg()->WriteString(AppRegRoot::CurrentUser, Key, ValueName(Name(name)), ToRec(v), Err);
    }
    int32_t ReadInt(std::u16string_view name, int32_t def) const {
        return GetAppReg()->ReadIntegerDef(AppRegRoot::CurrentUser, Key, ValueName(Name(name)), def);
    }
    bool ReadBool(std::u16string_view name, bool def) const {
        return GetAppReg()->ReadBoolDef(AppRegRoot::CurrentUser, Key, ValueName(Name(name)), def);
    }
    QString ReadText(std::u16string_view name, const QString &def) const {
        TStrWImpl out;
        GetAppReg()->ReadStringDef(AppRegRoot::CurrentUser, Key, ValueName(Name(name)), ToRec(def), &out);
        return QString::fromStdU16String(out.Text());
    }
};

}  // namespace

int32_t CheckLineSettings(const TLineSettings &line) {
    const bool ok = line.BaudRate >= 50 && line.BaudRate <= 4000000 && line.DataBits >= 5 &&
                    line.DataBits <= 8 && line.Parity >= 0 && line.Parity <= 4 &&
                    line.StopBits >= 0 && line.StopBits <= 2 && line.FlowControl >= 0 &&
                    line.FlowControl <= 2;
    return ok ? KvErr::Ok : KvErr::PortSettings;
}

TPortSettings::TPortSettings(int32_t kind) : FKind(kind) {}

void TPortSettings::SaveToReg(const TStrWRec &keyPath, int32_t &err) {
    TStore s{keyPath};
    s.Int(u"Kind", FKind);
    s.Text(u"PortID", PortID());
    s.Text(u"PortName", PortName());
    s.Int(u"PortPairX", FPair.X);
    s.Int(u"PortPairY", FPair.Y);
    if (FKind == NavMsgPortKind::Serial) {
        s.Int(u"BaudRate", FLine.BaudRate);
        s.Int(u"DataBits", FLine.DataBits);
        s.Int(u"Parity", FLine.Parity);
        s.Int(u"StopBits", FLine.StopBits);
        s.Int(u"FlowControl", FLine.FlowControl);
        s.Int(u"LineOption1", FLine.LineOption1);
        s.Int(u"LineOption2", FLine.LineOption2);
        s.Int(u"LineOption3", FLine.LineOption3);
    }
    err = s.Err;
}

bool TPortSettings::LoadFromReg(const QString &keyPath) {
    const TStore s{ToRec(keyPath)};
    if (!GetAppReg()->KeyExists(AppRegRoot::CurrentUser, s.Key)) return false;
    FKind = s.ReadInt(u"Kind", FKind);
    FPortID.Set(s.ReadText(u"PortID", PortID()));
    FPortName.Set(s.ReadText(u"PortName", PortName()));
    FPair = {s.ReadInt(u"PortPairX", FPair.X), s.ReadInt(u"PortPairY", FPair.Y)};
    TLineSettings line;
    line.BaudRate = s.ReadInt(u"BaudRate", FLine.BaudRate);
    line.DataBits = s.ReadInt(u"DataBits", FLine.DataBits);
    line.Parity = s.ReadInt(u"Parity", FLine.Parity);
    line.StopBits = s.ReadInt(u"StopBits", FLine.StopBits);
    line.FlowControl = s.ReadInt(u"FlowControl", FLine.FlowControl);
    line.LineOption1 = s.ReadInt(u"LineOption1", FLine.LineOption1);
    line.LineOption2 = s.ReadInt(u"LineOption2", FLine.LineOption2);
    line.LineOption3 = s.ReadInt(u"LineOption3", FLine.LineOption3);
    // A damaged value keeps the defaults rather than a line the port cannot open.
    if (CheckLineSettings(line) == KvErr::Ok) FLine = line;
    return true;
}

void TGPSSettings::LoadFromReg(const TStrWRec &keyPath) {
    const TStore s{keyPath};
    if (!GetAppReg()->KeyExists(AppRegRoot::CurrentUser, keyPath)) return;
    Brand = s.ReadInt(u"Brand", Brand);
    Model = s.ReadInt(u"Model", Model);
    Protocol = s.ReadInt(u"Protocol", Protocol);
    PortID = s.ReadText(u"PortID", PortID);
    PortName = s.ReadText(u"PortName", PortName);
    Name = s.ReadText(u"Name", Name);
    DatumCode = s.ReadText(u"Datum", DatumCode);
    PositionFilter = s.ReadBool(u"PositionFilter", PositionFilter);
    SOGFilter = s.ReadBool(u"SOGFilter", SOGFilter);
    COGFilter = s.ReadBool(u"COGFilter", COGFilter);
    Point = {s.ReadInt(u"PointX", Point.X), s.ReadInt(u"PointY", Point.Y)};
}

void TGPSSettings::SaveToReg(const TStrWRec &keyPath, int32_t &err) {
    TStore s{keyPath};
    s.Int(u"Brand", Brand);
    s.Int(u"Model", Model);
    s.Int(u"Protocol", Protocol);
    s.Text(u"PortID", PortID);
    s.Text(u"PortName", PortName);
    s.Text(u"Name", Name);
    s.Text(u"Datum", DatumCode);
    s.Bool(u"PositionFilter", PositionFilter);
    s.Bool(u"SOGFilter", SOGFilter);
    s.Bool(u"COGFilter", COGFilter);
    s.Int(u"PointX", Point.X);
    s.Int(u"PointY", Point.Y);
    err = s.Err;
}

}  // namespace kv

INavMsgGPSSettings *NavMsgGPSSettingsCreate() {
    return new kv::TGPSSettings();
}

INavMsgCommPortSettings *NavMsgCommPortSettingsCreate() {
    return new kv::TPortSettings(NavMsgPortKind::Serial);
}

INavMsgPortSettings *NavMsgGarminUSBPortSettingsCreate() {
    return new kv::TPortSettings(NavMsgPortKind::VendorUSB);
}

INavMsgPortSettings *NavMsgSensorGPSSettingsCreate() {
    return new kv::TPortSettings(NavMsgPortKind::LocationSensor);
}

int32_t NavMsgGetDeviceModelCount(int32_t brand) {
    // Model 0 ("no model chosen") plus the named models of each brand.
    switch (brand) {
    case 2: return 3;  // Furuno
    case 4: return 3;  // Magellan
    case 5: return 3;  // MLR
    case 6: return 5;  // Valsat
    case 1:            // generic NMEA
    case 3: return 1;  // Garmin
    default: return 0;
    }
}
