#include "base/logbook/KvProgressStage.h"

void ProgressStageInit(TProgressEx *progress, int32_t value1, int32_t value2, ProgressProc callback,
                       void *data, float weight) {
    ProgressExStageInit1(progress, weight, value1, callback, data, value2);
}
