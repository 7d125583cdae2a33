// GPS device brands and models as texts, and the instrument-layer objects' texts and
// settings operations in the program's string type. Every routine runs on the GUI thread.
#pragma once

#include <KvLibNav6/KvDevices.h>

#include <QString>
#include <cstdint>

// Brand numbers as receivers report them (GPS settings, detection, the transfer device).
namespace NavMsgBrand {
inline constexpr int32_t GenericNMEA = 1;
inline constexpr int32_t Furuno = 2;
inline constexpr int32_t Garmin = 3;
inline constexpr int32_t Magellan = 4;
inline constexpr int32_t MLR = 5;
inline constexpr int32_t Valsat = 6;
}  // namespace NavMsgBrand

// Name of brand 1..6 in the interface language. Any other number is what some receiver
// reported: it gives the neutral "Unknown" text (and a log line) instead of failing the
// dialog that shows it.
QString NavMsgDeviceBrandToStr(int32_t brand);
// Name of a brand's model in the interface language; "Unspecified" for model 0 and for
// every pair without a name.
QString NavMsgDeviceModelToStr(int32_t brand, int32_t model);

// Texts of a port (owned by the device manager): the hint, the identifier the settings
// keep, and the display name.
QString NavMsgPortGetDescription(INavMsgPort *port);
QString NavMsgPortGetID(INavMsgPort *port);
QString NavMsgPortGetName(INavMsgPort *port);
// Product text number index of the transfer device; 0 is shown as the model.
QString NavMsgDeviceGetProductText(INavMsgGPSDevice *device, int32_t index);
// Name of a detected device; empty when the brand and model texts are to be shown instead.
QString NavMsgDetectGetDeviceName(INavMsgDetectJob *result);
// Index of the port with that identifier in the manager's list of all ports; index and
// result are -1 when absent.
int32_t NavMsgPortListFind(INavMsgDeviceManager *ports, const QString &portID, int32_t &index);

// Settings-store key paths (full paths, see RegGetKeyPath) handed to the instrument layer,
// which reads and writes its own values below them.
void NavMsgDeviceManagerSetRegKey(INavMsgDeviceManager *manager, const QString &keyPath);
void NavMsgGPSSettingsLoadFromReg(INavMsgGPSSettings *settings, const QString &keyPath);
void NavMsgGPSSettingsSaveToReg(INavMsgGPSSettings *settings, const QString &keyPath,
                                int32_t &err);
void NavMsgGPSSettingsSetName(INavMsgGPSSettings *settings, const QString &name);
void NavMsgPortSettingsSaveToReg(INavMsgPortSettings *settings, const QString &keyPath,
                                 int32_t &err);
void NavMsgPortSettingsSetPortID(INavMsgPortSettings *settings, const QString &portID);
void NavMsgPortSettingsSetPortName(INavMsgPortSettings *settings, const QString &name);
