// What the three online clients share: running a request through the transport and
// answering it exactly once with a posted notification that names the client in P1.
#pragma once

#include "online/WebServicesTransport.h"

#include "KvLibNav6/KvNavEnv.h"
#include "KvLibNav6/KvWebServices.h"

#include <QString>
#include <memory>

namespace kv {

class TWebClient {
public:
    // disp is kept, not owned (the environment's dispatcher outlives every client); owner
    // is the public client object that goes into P1; answerCode its notification (130, 134,
    // 137).
    TWebClient(INavMessageDispatcher *disp, NavObject *owner, int32_t answerCode);
    ~TWebClient();

    // Starts the request (its Kind goes into P2 of the answer and of every progress
    // notification); err is the outcome when it ended before Run returns (always so
    // offline), else 0. The answer code is posted once in either case. apply (may be
    // empty) reads a successful answer and returns the result to keep.
    void Run(const TWebRequest &request, int32_t &err,
             std::function<int32_t(const TWebAnswer &)> apply = {});
    // Ends a request that never reached the transport (bad arguments): err := error, the
    // answer is still posted, because callers wait for it rather than read err.
    void Refuse(int32_t error, int32_t &err, int32_t kind = 0);
    // Ends a request answered here without the transport (a file already at hand): err and
    // the posted answer carry result.
    void Answer(int32_t result, int32_t &err, int32_t kind = 0) { Refuse(result, err, kind); }

    int32_t LastResult() const { return FLastResult; }
    bool Busy() const { return FPending > 0; }

private:
    void Finish(int32_t result, int32_t kind);

    INavMessageDispatcher *FDispatcher;
    NavObject *FOwner;
    int32_t FAnswerCode;
    int32_t FLastResult = MRCResult::Ok;
    int FPending = 0;
    std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};

// The login an account client holds (set, or read back from the settings store); False
// when check is not one of this library's account clients or holds no e-mail address.
bool AccountLogin(IMRCChartCheck *check, QString &email, QString &password);

}  // namespace kv
