#include "environment/Dispatcher.h"

#include "environment/NavEnvInternal.h"

#include <QCoreApplication>
#include <QDebug>
#include <QMetaObject>
#include <algorithm>

namespace kv {

namespace {

TNavNotification MakeNotification(int32_t code, intptr_t p1, intptr_t p2, intptr_t p3,
                                  intptr_t p4, intptr_t p5, intptr_t p6, intptr_t p7,
                                  double value) {
    TNavNotification n;
    n.Code = code;
    n.P1 = p1;
    n.P2 = p2;
    n.P3 = p3;
    n.P4 = p4;
    n.P5 = p5;
    n.P6 = p6;
    n.P7 = p7;
    n.Value = value;
    return n;
}

}  // namespace

TNavMessageDispatcher::TNavMessageDispatcher() = default;
TNavMessageDispatcher::~TNavMessageDispatcher() = default;

TNavNotification TNavMessageDispatcher::Send(int32_t code, intptr_t p1, intptr_t p2, intptr_t p3,
                                             intptr_t p4, intptr_t p5, intptr_t p6, intptr_t p7,
                                             double value) {
    TNavNotification n = MakeNotification(code, p1, p2, p3, p4, p5, p6, p7, value);
    Deliver(n);
    return n;
}

void TNavMessageDispatcher::Subscribe(NotificationProc proc, void *data) {
    if (!proc) return;
    const bool known = std::any_of(FSubscribers.begin(), FSubscribers.end(),
                                   [&](const TSubscriber &s) {
                                       return s.Active && s.Proc == proc && s.Data == data;
                                   });
    // Always appended, also when an inactive entry of the same pair is still waiting for
    // removal: reviving it would let it receive the notification being delivered.
    if (!known) FSubscribers.push_back({proc, data, true});
}

void TNavMessageDispatcher::Post(int32_t code, intptr_t p1, intptr_t p2, intptr_t p3,
                                 intptr_t p4, intptr_t p5, intptr_t p6, intptr_t p7,
                                 double value) {
    QCoreApplication *app = QCoreApplication::instance();
    if (!app) {
        qWarning("INavMessageDispatcher::Post: no application event loop; notification %d dropped",
                 code);
        return;
    }
    const TNavNotification n = MakeNotification(code, p1, p2, p3, p4, p5, p6, p7, value);
    std::weak_ptr<bool> alive = FAlive;
    // Queued on the application object, which lives in the GUI thread: calls posted there are
    // delivered in the order they were posted. A post that outlives the dispatcher finds its
    // token expired and is dropped.
    QMetaObject::invokeMethod(
        app,
        [this, alive, n]() {
            if (alive.expired()) return;
            TNavNotification delivered = n;  // each delivery gets a fresh Result/Handled
            Deliver(delivered);
        },
        Qt::QueuedConnection);
}

void TNavMessageDispatcher::Unsubscribe(NotificationProc proc, void *data) {
    for (TSubscriber &s : FSubscribers) {
        if (s.Active && s.Proc == proc && s.Data == data) s.Active = false;
    }
    if (FDeliveryDepth == 0) {
        std::erase_if(FSubscribers, [](const TSubscriber &s) { return !s.Active; });
    }
}

void TNavMessageDispatcher::Deliver(TNavNotification &n) {
    const std::weak_ptr<bool> alive = FAlive;
    // Subscribers added from now on are beyond this count and wait for the next notification.
    const size_t count = FSubscribers.size();
    ++FDeliveryDepth;
    for (size_t i = 0; i < count; ++i) {
        // Copied: a subscribe during the call may move the vector.
        const TSubscriber s = FSubscribers[i];
        if (!s.Active) continue;
        CallProgram([&] { s.Proc(s.Data, &n); });
        if (alive.expired()) return;  // a subscriber released the environment
    }
    if (--FDeliveryDepth == 0) {
        std::erase_if(FSubscribers, [](const TSubscriber &s) { return !s.Active; });
    }
}

}  // namespace kv
