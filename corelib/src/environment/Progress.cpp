// Staged progress records.
#include "KvLibNav6/KvProgress.h"

#include <algorithm>
#include <cmath>

void ProgressExStageInit1(TProgressEx *progress, float weight, int32_t v1, ProgressProc cb,
                          void *data, int32_t v2) {
    if (!progress) return;
    // A finished job starts over; otherwise the new stage begins where the last one got to.
    if (progress->Fraction >= 1.0f || std::isnan(progress->Fraction)) progress->Fraction = 0.0f;
    progress->Stage = v1;
    progress->StageStart = progress->Fraction;
    progress->StageWeight = std::isnan(weight) ? 0.0f : std::clamp(weight, 0.0f, 1.0f);
    progress->StageValue2 = v2;
    progress->Callback = cb;
    progress->Data = data;
    progress->Status = nullptr;
}
