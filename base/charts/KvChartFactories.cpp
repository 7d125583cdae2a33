// Factories of the chart engine, kept apart from the other chart wrappers: a program that
// only reads chart objects handed to it does not link the engine's factories.
#include "base/charts/KvCharts.h"

#include "base/kvlib/KvStrings.h"

IChartManager *CreateChartManager(const QString &infoCacheFile, const QString &selectedChartsFile,
                                  const QString &chartsFolder, uint32_t chartModules,
                                  ChartSetsChangedProc onChanged, void *changedData,
                                  LoadProgressProc progress, void *progressData) {
    return ChartManagerCreate(StrW(infoCacheFile), StrW(selectedChartsFile), StrW(chartsFolder),
                              nullptr, chartModules, onChanged, changedData, progress,
                              progressData);
}

IS52PresentationLib *CreateS52PresentationLib(const QString &cacheFolder) {
    return S52PresentationLibCreate(StrW(cacheFolder));
}

IS57ChartLoader *CreateS57ChartLoader(LoaderProc callback, void *data, int32_t &err) {
    return S57ChartLoaderCreate(callback, data, err);
}

IS57ChartInfoLoader *CreateS57ChartInfoLoader(int32_t &err) {
    return S57ChartInfoLoaderCreate(0, 0, err);
}

IS57RegistrarManager *CreateS57RegistrarManager() { return S57RegistrarManagerCreate(); }

ISortedGUIDArray *CreateSortedGUIDArray() { return SortedGUIDArrayCreate(); }
