#include "online/WebServicesTransport.h"

namespace kv {

namespace {

// No network here: every request fails at once, the same way an unreachable service does,
// so that every caller takes its ordinary error path and nothing waits.
class TOfflineTransport final : public IWebTransport {
public:
    void Start(const TWebRequest &, TProgress, TDone done) override {
        TWebAnswer answer;
        answer.Error = KvErr::NetworkFailed;
        if (done) done(answer);
    }
};

std::shared_ptr<IWebTransport> &Current() {
    static std::shared_ptr<IWebTransport> transport = std::make_shared<TOfflineTransport>();
    return transport;
}

}  // namespace

std::shared_ptr<IWebTransport> WebTransport() {
    return Current();
}

void SetWebTransport(std::shared_ptr<IWebTransport> transport) {
    Current() = transport ? std::move(transport) : std::make_shared<TOfflineTransport>();
}

}  // namespace kv
