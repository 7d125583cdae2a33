// Starting a stage of the core library's staged progress record.
#pragma once

#include <KvLibNav6/KvProgress.h>

// The program's argument order; the library takes (progress, weight, v1, cb, data, v2).
void ProgressStageInit(TProgressEx *progress, int32_t value1, int32_t value2, ProgressProc callback,
                       void *data, float weight);
