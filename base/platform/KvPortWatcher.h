// Notices serial devices (GPS receivers, USB adapters) being plugged in or out by comparing
// the list of ports every PollIntervalMs. The list comes from a replaceable source: the
// system's serial ports by default; tests hand in pseudo-terminals, which the system's list
// never shows. Receivers are called on the GUI thread, once per arrival or removal.
#pragma once

#include <QObject>
#include <QSet>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <map>

enum class TDeviceChange { Arrival, Removal };

class TPortWatcher : public QObject {
    Q_OBJECT
public:
    using TPortSource = std::function<QStringList()>;
    using TReceiver = std::function<void(TDeviceChange change, const QString &port)>;
    static constexpr int PollIntervalMs = 2000;

    // source empty = the system's serial ports (QSerialPortInfo, by device path).
    explicit TPortWatcher(QObject *parent, TPortSource source = {});

    // Returns a handle for UnregisterDeviceNotification; an empty receiver gives the null
    // handle 0 and registers nothing. Polling runs while at least one receiver is registered.
    int RegisterDeviceInterfaceNotification(TReceiver receiver);
    void UnregisterDeviceNotification(int handle);

    // Compares the source's list with the last one and reports the differences now.
    void Poll();
    QStringList Ports() const;

    // The system's serial ports (device paths such as /dev/ttyUSB0).
    static QStringList SystemPorts();
    // A source that lists those of paths that exist at the moment.
    static TPortSource ExistingPaths(QStringList paths);

signals:
    void DeviceChanged(TDeviceChange change, const QString &port);

private:
    void Report(TDeviceChange change, const QString &port);

    TPortSource FSource;
    QSet<QString> FPorts;
    std::map<int, TReceiver> FReceivers;
    int FNextHandle = 1;
    QTimer FTimer;
};
