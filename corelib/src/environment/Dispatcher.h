// The message dispatcher behind INavEnv::GetDispatcher.
#pragma once

#include "KvLibNav6/KvNavEnv.h"

#include <memory>
#include <vector>

namespace kv {

// Subscribers are called in subscription order on the GUI thread. Entries are only marked
// during a delivery and removed once the outermost delivery has ended, so a subscriber may
// unsubscribe itself or others (or subscribe new ones) while it is being called.
class TNavMessageDispatcher final : public INavMessageDispatcher {
public:
    TNavMessageDispatcher();
    ~TNavMessageDispatcher() override;

    TNavNotification Send(int32_t code, intptr_t p1, intptr_t p2, intptr_t p3, intptr_t p4,
                          intptr_t p5, intptr_t p6, intptr_t p7, double value) override;
    void Subscribe(NotificationProc proc, void *data) override;
    void Post(int32_t code, intptr_t p1, intptr_t p2, intptr_t p3, intptr_t p4, intptr_t p5,
              intptr_t p6, intptr_t p7, double value) override;
    void Unsubscribe(NotificationProc proc, void *data) override;

private:
    struct TSubscriber {
        NotificationProc Proc;
        void *Data;
        bool Active;
    };

    void Deliver(TNavNotification &n);

    std::vector<TSubscriber> FSubscribers;
    int FDeliveryDepth = 0;
    // Expires with the dispatcher: queued posts and a delivery whose subscriber released the
    // environment test it before touching the dispatcher again.
    std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};

}  // namespace kv
