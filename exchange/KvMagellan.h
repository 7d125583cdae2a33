// Storage-card GPS receivers mounted as drives: the record that describes one, its memory
// names, and reading one into a waypoint database. The device list comes from a factory that
// tests replace; by default the core library's list. GUI thread only.
#pragma once

#include <KvLibNav6/KvDevices.h>

#include <QString>
#include <cstdint>
#include <functional>

class IWptDatabase;

struct TMagellanDeviceInfo {
    QString Drive;  // root folder of the device's storage
    QString Name;
    uint32_t ID = 0;
    int32_t Version = 0;     // packed: major in bits 24-31, minor in 16-23
    int32_t MemoryType = 0;  // MglMemoryType
    int64_t Reserved = 0;
    int64_t TotalSize = 0;   // bytes
    int64_t FreeSize = 0;    // bytes
};

// Where device lists come from; the caller owns each list. Returns the previous factory; an
// empty function restores the core library's.
using TMglDeviceListFactory = std::function<IMglDeviceList *()>;
TMglDeviceListFactory SetMglDeviceListFactory(TMglDeviceListFactory factory);
IMglDeviceList *MagellanDeviceListCreate();

// "internal flash memory", "SD card", "CF card", "disk" for 1..4; empty otherwise.
QString MagellanMemoryTypeName(int32_t memoryType);
TMagellanDeviceInfo MagellanGetDeviceInfo(IMglDeviceList *list, int32_t index);
// Reads the requested kinds (NavMsgTransfer::Request…) into db; returns the library's error.
int32_t MagellanReadData(const QString &drive, IWptDatabase *db, uint32_t requestFlags);
