#include "online/WebServicesClient.h"

namespace kv {

TWebClient::TWebClient(INavMessageDispatcher *disp, NavObject *owner, int32_t answerCode)
    : FDispatcher(disp), FOwner(owner), FAnswerCode(answerCode) {}

TWebClient::~TWebClient() = default;

void TWebClient::Run(const TWebRequest &request, int32_t &err,
                     std::function<int32_t(const TWebAnswer &)> apply) {
    err = KvErr::Ok;
    ++FPending;
    const std::weak_ptr<bool> alive = FAlive;
    bool ended = false;
    int32_t outcome = KvErr::Ok;
    const int32_t kind = request.Kind;
    IWebTransport::TProgress progress = [this, alive, kind](int64_t received) {
        if (alive.expired() || !FDispatcher) return;
        FDispatcher->Post(NavNotify::DownloadProgress, reinterpret_cast<intptr_t>(FOwner), kind,
                          0, 0, 0, 0, 0, double(received));
    };
    // Only the synchronous part of an answer may touch the locals; a later one finds
    // `ended` gone and uses the members alone.
    auto sync = std::make_shared<std::pair<bool *, int32_t *>>(&ended, &outcome);
    WebTransport()->Start(
        request, std::move(progress),
        [this, alive, apply = std::move(apply), sync, kind](const TWebAnswer &answer) {
            if (alive.expired()) return;
            int32_t result = answer.Error != KvErr::Ok ? answer.Error : answer.Result;
            if (answer.Error == KvErr::Ok && apply) result = apply(answer);
            if (sync->first) {
                *sync->first = true;
                *sync->second = answer.Error;
            }
            Finish(result, kind);
        });
    // From here on an answer is asynchronous.
    sync->first = nullptr;
    if (ended) err = outcome;
}

void TWebClient::Refuse(int32_t error, int32_t &err, int32_t kind) {
    err = error;
    ++FPending;
    Finish(error, kind);
}

void TWebClient::Finish(int32_t result, int32_t kind) {
    FLastResult = result;
    if (FPending > 0) --FPending;
    if (FDispatcher) {
        FDispatcher->Post(FAnswerCode, reinterpret_cast<intptr_t>(FOwner), kind, 0, 0, 0, 0, 0);
    }
}

}  // namespace kv
