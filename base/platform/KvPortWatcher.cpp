#include "base/platform/KvPortWatcher.h"

#include "base/kvlib/KvExceptions.h"

#include <QFileInfo>
#include <QSerialPortInfo>
#include <algorithm>

TPortWatcher::TPortWatcher(QObject *parent, TPortSource source)
    : QObject(parent), FSource(source ? std::move(source) : TPortSource(&SystemPorts)) {
    FTimer.setInterval(PollIntervalMs);
    connect(&FTimer, &QTimer::timeout, this, &TPortWatcher::Poll);
}

QStringList TPortWatcher::SystemPorts() {
    QStringList ports;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        ports << info.systemLocation();
    return ports;
}

TPortWatcher::TPortSource TPortWatcher::ExistingPaths(QStringList paths) {
    return [paths = std::move(paths)] {
        QStringList present;
        for (const QString &p : paths)
            if (QFileInfo::exists(p)) present << p;
        return present;
    };
}

int TPortWatcher::RegisterDeviceInterfaceNotification(TReceiver receiver) {
    if (!receiver) return 0;
    if (FReceivers.empty()) {
        // The ports present now are the baseline: only later changes are news.
        const QStringList now = FSource();
        FPorts = QSet<QString>(now.begin(), now.end());
        FTimer.start();
    }
    const int handle = FNextHandle++;
    FReceivers.emplace(handle, std::move(receiver));
    return handle;
}

void TPortWatcher::UnregisterDeviceNotification(int handle) {
    FReceivers.erase(handle);
    if (FReceivers.empty()) FTimer.stop();
}

QStringList TPortWatcher::Ports() const {
    QStringList list(FPorts.begin(), FPorts.end());
    list.sort();
    return list;
}

void TPortWatcher::Poll() {
    QStringList now;
    try {
        now = FSource();
    } catch (...) {
        ReportCurrentException();
        return;
    }
    const QSet<QString> current(now.begin(), now.end());
    QStringList gone, added;
    for (const QString &p : FPorts)
        if (!current.contains(p)) gone << p;
    for (const QString &p : current)
        if (!FPorts.contains(p)) added << p;
    FPorts = current;
    std::sort(gone.begin(), gone.end());
    std::sort(added.begin(), added.end());
    for (const QString &p : gone) Report(TDeviceChange::Removal, p);
    for (const QString &p : added) Report(TDeviceChange::Arrival, p);
}

void TPortWatcher::Report(TDeviceChange change, const QString &port) {
    emit DeviceChanged(change, port);
    // A receiver may unregister itself or others while being called: walk a copy of handles.
    std::vector<int> handles;
    for (const auto &[h, r] : FReceivers) handles.push_back(h);
    for (int h : handles) {
        auto it = FReceivers.find(h);
        if (it == FReceivers.end()) continue;
        TReceiver receiver = it->second;
        try {
            receiver(change, port);
        } catch (...) {
            ReportCurrentException();
        }
    }
}
