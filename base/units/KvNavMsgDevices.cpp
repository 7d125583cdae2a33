#include "base/units/KvNavMsgDevices.h"

#include "base/kvlib/KvStrings.h"
#include "base/texts/KvLanguage.h"

#include <QLoggingCategory>

#include <memory>

namespace {

Q_LOGGING_CATEGORY(LogDevices, "marivo.devices")

const TLanguageStrings BrandTexts[6] = {
    {"Generic NMEA", "Standaard NMEA", "Standard NMEA", "Standard NMEA", "NMEA genérico",
     "NMEA generico", "Standard NMEA", "Standard NMEA"},
    {"Furuno", "Furuno", "Furuno", "Furuno", "Furuno", "Furuno", "Furuno", "Furuno"},
    {"Garmin", "Garmin", "Garmin", "Garmin", "Garmin", "Garmin", "Garmin", "Garmin"},
    {"Magellan", "Magellan", "Magellan", "Magellan", "Magellan", "Magellan", "Magellan",
     "Magellan"},
    {"MLR", "MLR", "MLR", "MLR", "MLR", "MLR", "MLR", "MLR"},
    {"Valsat", "Valsat", "Valsat", "Valsat", "Valsat", "Valsat", "Valsat", "Valsat"},
};

const TLanguageStrings UnknownBrandText = {"Unknown", "Onbekend", "Unbekannt", "Inconnu",
                                           "Desconocido", "Sconosciuto", "Ukendt", "Okänd"};

// Model names carry English, Dutch, German and Italian entries only; the other languages
// show the English one.
struct TModelText {
    int32_t Brand;
    int32_t Model;
    TLanguageStrings Text;
};

const TModelText ModelTexts[] = {
    {2, 1, {"GP-30 series", "GP-30 serie", "GP-30 Serie", "", "", "Serie GP-30", "", ""}},
    {2, 2,
     {"GD-1700/1900, Marine Radar 1700/1800/1900 series",
      "GD-1700/1900, Marine Radar 1700/1800/1900 serie",
      "GD-1700/1900, Marine Radar 1700/1800/1900 Serie", "", "",
      "Serie GD-1700/1900, Marine Radar 1700/1800/1900", "", ""}},
    {4, 1, {"NMEA", "NMEA", "NMEA", "", "", "NMEA", "", ""}},
    {4, 2,
     {"eXplorist USB series", "eXplorist USB serie", "eXplorist USB Serie", "", "",
      "Serie eXplorist USB", "", ""}},
    {5, 1,
     {"FX112, FX312(XC), FX412(XC)", "FX112, FX312(XC), FX412(XC)",
      "FX112, FX312(XC), FX412(XC)", "", "", "FX112, FX312(XC), FX412(XC)", "", ""}},
    {5, 2,
     {"SP24(XC), FX312 4x4", "SP24(XC), FX312 4x4", "SP24(XC), FX312 4x4", "", "",
      "SP24(XC), FX312 4x4", "", ""}},
    {6, 1, {"SP, SP12X", "SP, SP12X", "SP, SP12X", "", "", "SP, SP12X", "", ""}},
    {6, 2, {"02L", "02L", "02L", "", "", "02L", "", ""}},
    {6, 3, {"2008 Mark II", "2008 Mark II", "2008 Mark II", "", "", "2008 Mark II", "", ""}},
    {6, 4, {"03, P", "03, P", "03, P", "", "", "03, P", "", ""}},
};

const TLanguageStrings UnspecifiedModelText = {
    "Unspecified", "Niet gespecificeerd", "nicht spezifiziert", "", "", "Non specificato", "",
    ""};

}  // namespace

QString NavMsgDeviceBrandToStr(int32_t brand) {
    if (brand >= NavMsgBrand::GenericNMEA && brand <= NavMsgBrand::Valsat)
        return LanguageText(BrandTexts[brand - 1]);
    qCWarning(LogDevices, "NavMsgDeviceBrandToStr: Unhandled case (aDeviceBrand = %d)", brand);
    return LanguageText(UnknownBrandText);
}

QString NavMsgDeviceModelToStr(int32_t brand, int32_t model) {
    for (const TModelText &m : ModelTexts)
        if (m.Brand == brand && m.Model == model) return LanguageText(m.Text);
    return LanguageText(UnspecifiedModelText);
}

QString NavMsgPortGetDescription(INavMsgPort *port) {
    return StrWToWide(port->GetDescription());
}

QString NavMsgPortGetID(INavMsgPort *port) {
    return StrWToWide(port->GetID());
}

QString NavMsgPortGetName(INavMsgPort *port) {
    return StrWToWide(port->GetName());
}

QString NavMsgDeviceGetProductText(INavMsgGPSDevice *device, int32_t index) {
    return StrWToWide(device->GetProductText(index));
}

QString NavMsgDetectGetDeviceName(INavMsgDetectJob *result) {
    return StrWToWide(result->GetDeviceName());
}

int32_t NavMsgPortListFind(INavMsgDeviceManager *ports, const QString &portID,
                           int32_t &index) {
    index = -1;
    return ports->FindPortByID(StrW(portID), index);
}

void NavMsgDeviceManagerSetRegKey(INavMsgDeviceManager *manager, const QString &keyPath) {
    // Handed over in a library string, released after the call also when it raises.
    struct TDelete {
        void operator()(IStrW *s) const { StrWDeleteIfAssigned(s); }
    };
    const std::unique_ptr<IStrW, TDelete> text(StrWCreateFromStr(keyPath));
    manager->SetRegKey(*text->GetRec());
}

void NavMsgGPSSettingsLoadFromReg(INavMsgGPSSettings *settings, const QString &keyPath) {
    settings->LoadFromReg(StrW(keyPath));
}

void NavMsgGPSSettingsSaveToReg(INavMsgGPSSettings *settings, const QString &keyPath,
                                int32_t &err) {
    err = 0;
    settings->SaveToReg(StrW(keyPath), err);
}

void NavMsgGPSSettingsSetName(INavMsgGPSSettings *settings, const QString &name) {
    settings->SetName(StrW(name));
}

void NavMsgPortSettingsSaveToReg(INavMsgPortSettings *settings, const QString &keyPath,
                                 int32_t &err) {
    err = 0;
    settings->SaveToReg(StrW(keyPath), err);
}

void NavMsgPortSettingsSetPortID(INavMsgPortSettings *settings, const QString &portID) {
    settings->SetPortID(StrW(portID));
}

void NavMsgPortSettingsSetPortName(INavMsgPortSettings *settings, const QString &name) {
    settings->SetPortName(StrW(name));
}
