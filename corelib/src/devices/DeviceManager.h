// The device manager's library-side seams: where candidate ports come from, and what the
// own ship (and the tests) read from a port beyond INavMsgPort. GUI thread only.
#pragma once

#include "devices/NmeaParser.h"
#include "devices/NmeaTransfer.h"
#include "devices/SerialPort.h"
#include "kernel/TestApi.h"

#include "KvLibNav6/KvDevices.h"

#include <QList>
#include <QString>

#include <functional>

namespace kv {

struct TSerialPortCandidate {
    QString Path;         // device path (or a symlink to one)
    QString Description;  // product text, may be empty
};
using TSerialPortSource = std::function<QList<TSerialPortCandidate>()>;

// The ports every device manager lists from its next rescan on; returns the source it
// replaces. An empty source means the machine's ports (QSerialPortInfo), which never
// include pseudo-terminals: tests install their own.
KVLIB_TEST_API TSerialPortSource SetSerialPortSource(TSerialPortSource source);

// The decoded input of a serial port of a device manager; nullptr for other ports.
KVLIB_TEST_API const TNmeaNavState *NavMsgPortNavState(INavMsgPort *port);
KVLIB_TEST_API const TNmeaStats *NavMsgPortNmeaStats(INavMsgPort *port);
// 0, or the failure the port is in (it retries on every pump while open).
KVLIB_TEST_API int32_t NavMsgPortLastError(INavMsgPort *port);
// Who hears of port failures and recoveries (the own ship); replaces the previous handlers.
KVLIB_TEST_API void NavMsgDeviceManagerSetEvents(INavMsgDeviceManager *manager, TPortEvents events);

// What the transfer device collected in its last download; nullptr for other devices.
KVLIB_TEST_API const TNmeaTransferCollector *NavMsgGPSDeviceCollected(INavMsgGPSDevice *device);
// How long a download waits for the first sentence and then for the next (milliseconds).
KVLIB_TEST_API void NavMsgGPSDeviceSetQuietTimes(INavMsgGPSDevice *device, int firstMs, int afterMs);

}  // namespace kv
