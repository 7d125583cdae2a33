// The S-57 loader objects the environment creates and hands around. Cells are read by the
// chart manager (catalogue) and by the viewers (drawing); the loader keeps the viewers'
// limits and the busy state they share.
#include "kernel/KvInternal.h"

#include "KvLibNav6/KvCharts.h"
#include "KvLibNav6/KvErrorCodes.h"

#include <algorithm>

namespace {

class TS57ChartLoader final : public IS57ChartLoader {
public:
    TS57ChartLoader(LoaderProc cb, void *data) : FCallback(cb), FData(data) {}
    bool IsBusy() override { return FBusy > 0; }
    int32_t GetMaxChartLoad() override { return FMaxChartLoad; }
    // At least one cell, or nothing would ever be drawn.
    void SetMaxChartLoad(int32_t count) override { FMaxChartLoad = std::max(1, count); }
    void Refresh(int32_t) override { ++FGeneration; }

private:
    LoaderProc FCallback;  // kept for the viewers' load jobs
    void *FData;
    int32_t FMaxChartLoad = 20;
    int32_t FBusy = 0;
    int32_t FGeneration = 0;
};

class TS57ChartInfoLoader final : public IS57ChartInfoLoader {};
class TS57RegistrarManager final : public IS57RegistrarManager {};

}  // namespace

IS57ChartLoader *S57ChartLoaderCreate(LoaderProc cb, void *data, int32_t &err) {
    err = KvErr::Ok;
    return new TS57ChartLoader(cb, data);
}

IS57ChartInfoLoader *S57ChartInfoLoaderCreate(int32_t, int32_t, int32_t &err) {
    err = KvErr::Ok;
    return new TS57ChartInfoLoader;
}

IS57RegistrarManager *S57RegistrarManagerCreate() { return new TS57RegistrarManager; }
