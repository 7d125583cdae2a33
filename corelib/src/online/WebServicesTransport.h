// How the online clients reach the maker's services: each client builds requests and reads
// answers; a transport carries them. Without a base URL in the settings store the offline
// transport answers every request at once with KvErr::NetworkFailed; with one, the HTTP
// transport (WebServicesHttp.cpp) carries them, installed through SetWebTransport without a
// change to the clients.
//
// The protocol is our own, JSON over HTTP: a request is a POST of a JSON object (the fields,
// all texts) to <base URL>/<service>/<operation> with the header "X-Marivo-Protocol"
// naming the protocol version. A 2xx answer is a JSON object whose "result" is the
// service's own result (downloads: the file's bytes instead); any other status carries the
// service's text in "message" (or as plain text). A request that carries a file is a
// multipart/form-data POST of the same fields and the file.
#pragma once

#include "KvLibNav6/KvErrorCodes.h"
#include "kernel/TestApi.h"

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
    // Downloads only: the file the answer's content is written to, as it arrives.
    QString TargetFile;
    // Downloads only, when not negative: the content goes to "<TargetFile>.part", which takes
    // the name TargetFile only when the transfer is complete and of exactly this size. A
    // failed, cut or wrong-sized transfer leaves no file and an older TargetFile as it was.
    int64_t ExpectedSize = -1;
    // Uploads only: a file sent with the fields, under this field name. Such a request goes
    // as one multipart/form-data POST (a text part per field, then the file's part) instead
    // of a JSON object.
    QString UploadField;
    QString UploadFile;
    // What the client posts in P2 of its answer and progress notifications
    // (MRCRequestKind for the account client; 0 for the others).
    int32_t Kind = 0;
};

struct TWebAnswer {
    // KvErr value of the exchange itself: NetworkFailed when the service was not reached,
    // NetworkAnswer when its answer could not be read.
    int32_t Error = KvErr::Ok;
    // The service's own result (MRCResult) when Error is Ok.
    int32_t Result = 0;
    // The answer document (downloads: empty; the content is in TargetFile).
    QByteArray Body;
    // HTTP status of the reply; 0 when no reply came (no connection, timed out).
    int32_t HttpStatus = 0;
    // The service's text with a failing status, or the network's error text without one.
    QString StatusText;
};

class IWebTransport {
public:
    using TProgress = std::function<void(int64_t receivedBytes)>;
    using TDone = std::function<void(const TWebAnswer &answer)>;

    virtual ~IWebTransport() = default;
    // Starts the request and returns without waiting. done is called exactly once, on the
    // GUI thread, possibly before Start returns; progress (may be empty) any number of
    // times before it, also on the GUI thread. A download's file is written and put in
    // place before done is called. A client that goes away before done must find the callbacks
    // harmless: they hold no owning reference to it.
    virtual void Start(const TWebRequest &request, TProgress progress, TDone done) = 0;
};

// The transport every client uses for its next request. Offline until another is set.
KVLIB_TEST_API std::shared_ptr<IWebTransport> WebTransport();
// nullptr returns to the offline transport.
KVLIB_TEST_API void SetWebTransport(std::shared_ptr<IWebTransport> transport);

// Version of the protocol above, sent with every request.
inline constexpr char WebProtocolHeader[] = "X-Marivo-Protocol";
inline constexpr char WebProtocolVersion[] = "1";
// An HTTP transport to the services below baseUrl ("http://host:port/path"). A transfer
// during which nothing arrives for idleTimeoutMs (0: the standard ten seconds) fails.
KVLIB_TEST_API std::shared_ptr<IWebTransport> MakeHttpTransport(const QString &baseUrl,
                                                                int idleTimeoutMs = 0);
// At start-up: the HTTP transport when the settings store names a base URL ("Services",
// "BaseURL"), else the offline one.
KVLIB_TEST_API void InstallWebTransportFromSettings();

}  // namespace kv
