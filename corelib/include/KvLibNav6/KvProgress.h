// Staged progress of long library operations (S-57 chart information loading, device
// downloads).
#pragma once

#include "KvTypes.h"
#include "KvCallbacks.h"

struct TNavMsgTransferStatus;

// Progress of one job, possibly in several weighted stages. The caller owns the record
// (value-initialised, kept alive for the whole operation), starts a stage with
// ProgressExStageInit1 and hands the record's address to the operation; the operation
// updates it and calls Callback(Data, record) after each step, on the calling (GUI)
// thread, before it returns.
struct TProgressEx {
    int32_t Stage = 0;          // the stage value given to ProgressExStageInit1
    // Share of the whole job done, 0.0 .. 1.0:
    // StageStart + StageWeight * (share of the current stage done), at most 1.0.
    float Fraction = 0.0f;
    float StageStart = 0.0f;    // Fraction when the current stage began
    float StageWeight = 0.0f;   // share of the whole job the current stage stands for
    int32_t StageValue2 = 0;    // the second stage value given to ProgressExStageInit1
    ProgressProc Callback = nullptr;
    void *Data = nullptr;
    // Status of the last step of a device download (owned by the device, valid during
    // the callback); nullptr for every other operation.
    const TNavMsgTransferStatus *Status = nullptr;
};

// Starts a stage covering weight (0.0 .. 1.0) of the job from the fraction reached so
// far; a record whose job is finished (Fraction 1.0) starts a new job at 0. Stores the
// two stage values, the callback and its data; calls nothing.
KVLIB_API void ProgressExStageInit1(TProgressEx *progress, float weight, int32_t v1,
                                    ProgressProc cb, void *data, int32_t v2);
