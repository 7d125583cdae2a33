// How the online clients reach the maker's services: each client builds requests and reads
// answers; a transport carries them. The only transport so far is the offline one, which
// answers every request at once with KvErr::NetworkFailed; an HTTP transport replaces it
// through SetWebTransport without a change to the clients.
#pragma once

#include "KvLibNav6/KvErrorCodes.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QByteArray>
#include <cstdint>
#include <functional>
#include <memory>

namespace kv {

// One request to one of the services.
struct TWebRequest {
    // "account", "userdata" or "ienc".
    QString Service;
    // What is asked: "login", "news", "download", "ships", "report", ….
    QString Operation;
    // Named values in the order the service takes them.
    QList<QPair<QString, QString>> Fields;
    // Downloads only: the file the answer's content is written to.
    QString TargetFile;
};

struct TWebAnswer {
    // KvErr value of the exchange itself: NetworkFailed when the service was not reached,
    // NetworkAnswer when its answer could not be read.
    int32_t Error = KvErr::Ok;
    // The service's own result (MRCResult) when Error is Ok.
    int32_t Result = 0;
    // The answer document (downloads: empty; the content is in TargetFile).
    QByteArray Body;
};

class IWebTransport {
public:
    using TProgress = std::function<void(int64_t receivedBytes)>;
    using TDone = std::function<void(const TWebAnswer &answer)>;

    virtual ~IWebTransport() = default;
    // Starts the request and returns without waiting. done is called exactly once, on the
    // GUI thread, possibly before Start returns; progress (may be empty) any number of
    // times before it. A client that goes away before done must find the callbacks
    // harmless: they hold no owning reference to it.
    virtual void Start(const TWebRequest &request, TProgress progress, TDone done) = 0;
};

// The transport every client uses for its next request. Offline until another is set.
std::shared_ptr<IWebTransport> WebTransport();
// nullptr returns to the offline transport.
void SetWebTransport(std::shared_ptr<IWebTransport> transport);

}  // namespace kv
