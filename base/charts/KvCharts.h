// Program-side access to the core library's chart objects: the chart manager with its
// products, chart sets and S-57 cells and folders, raster charts and their descriptions,
// the S-52 presentation settings and the picked S-57 feature.
//
// Text in is a QString, handed over as a record for the one call; text out is copied at
// once, so nothing returned here points into a library object. Out texts are emptied before
// the call and stay empty when the library throws. The wrappers raise nothing of their own:
// errors come back through `err` (0 = success) or a False result. Objects passed in belong
// to their owners (the environment or the chart manager) unless a line says otherwise.
// GUI thread only, like the objects.
#pragma once

#include <KvLibNav6/KvCharts.h>
#include <KvLibNav6/KvGeodesy.h>

#include <QString>
#include <cstdint>

// Factories. What they return is the caller's, released with ObjectDelete. The three
// texts of the chart manager come first; reserved is always nullptr.
IChartManager *CreateChartManager(const QString &infoCacheFile, const QString &selectedChartsFile,
                                  const QString &chartsFolder, uint32_t chartModules,
                                  ChartSetsChangedProc onChanged, void *changedData,
                                  LoadProgressProc progress, void *progressData);
// cacheFolder: the data folder with "S52Cache/" appended (trailing separator kept).
IS52PresentationLib *CreateS52PresentationLib(const QString &cacheFolder);
IS57ChartLoader *CreateS57ChartLoader(LoaderProc callback, void *data, int32_t &err);
IS57ChartInfoLoader *CreateS57ChartInfoLoader(int32_t &err);
IS57RegistrarManager *CreateS57RegistrarManager();
ISortedGUIDArray *CreateSortedGUIDArray();

// Raster chart description (IRasterChartInfo).
QString RasterChartInfoGetName(IRasterChartInfo *info);
QString RasterChartInfoGetNumber(IRasterChartInfo *info);
QString RasterChartInfoGetDigitizedBy(IRasterChartInfo *info);
// Relative to the chart file's folder.
QString RasterChartInfoGetLegendFileName(IRasterChartInfo *info);
QString RasterChartInfoGetTermsText(IRasterChartInfo *info);
QString RasterChartInfoGetDisclaimer(IRasterChartInfo *info);
QString RasterChartInfoGetChartSetName(IRasterChartInfo *info);
QString RasterChartInfoGetProductCode(IRasterChartInfo *info);
QString RasterChartInfoGetRevisionDate(IRasterChartInfo *info);
QString RasterChartInfoGetOriginalScale(IRasterChartInfo *info);
QString RasterChartInfoGetSourceChartName(IRasterChartInfo *info);
QString RasterChartInfoGetSourceNotice(IRasterChartInfo *info);
QString RasterChartInfoGetSourcePublisher(IRasterChartInfo *info);
QString RasterChartInfoGetDepthUnits(IRasterChartInfo *info);
QString RasterChartInfoGetHeightUnits(IRasterChartInfo *info);
// Additional information file `index`: title and file name relative to the chart file's
// folder. False (both texts empty) for an index the chart does not have.
bool RasterChartInfoGetInfoFile(IRasterChartInfo *info, int32_t index, QString &title,
                                QString &fileName);

QString RasterChartUpdateGetInfo(IRasterChartUpdateInfo *update);
// Full path.
QString RasterChartGetFileName(IRasterChart *chart);
// Packed format version (major in bits 24-31).
int32_t RasterChartGetVersion(IRasterChart *chart);

// Installed products and sets. An empty title makes callers show the code instead.
QString ChartProductGetTitle(IChartProductInfo *info);
// A manifest code, or one of ChartProductCode ("_MRC1", "_BSB", "_USER").
QString ChartProductGetCode(IChartProductInfo *info);
QString ChartSetGetTitle(IChartSet *set);
// E.g. "BE": part of the registry value names of the set's colour and on/off state.
QString ChartSetGetCode(IChartSet *set);
QString ChartSetGetFolder(IChartSet *set);
QString ChartDataFileGetFileName(IChartDataFile *file);
QString ChartCatalogueGetText(IChartCatalogueObject *object);

// Chart manager and its S-57 folders and cells.
void ChartManagerAddS57Folder(IChartManager *manager, const QString &folder, bool withSubfolders,
                              IS57RegistrarManager *registrar, IS52PresentationLib *lib);
// name: an S-57 cell name or a chart file name; index for IChartManager::GetChart.
bool ChartManagerFindChart(IChartManager *manager, const QString &name, int32_t &index);
bool ChartManagerHasS57Folder(IChartManager *manager, const QString &folder, int32_t &index);
// fixed: the folder's cells are left out of the chart manager dialog.
void ChartManagerGetS57Folder(IChartManager *manager, int32_t index, QString &folder, bool &fixed,
                              bool &withSubfolders);
// Inland ENC identity of a folder; three empty texts for a plain folder.
void ChartManagerGetS57FolderInfo(IChartManager *manager, int32_t index, QString &countryCode,
                                  QString &region, QString &water);
void ChartManagerRemoveS57Folder(IChartManager *manager, const QString &folder);
// file: "S57ChartBaseData.ini" in the cache folder.
void ChartManagerSaveS57BaseData(IChartManager *manager, const QString &file, int32_t &err);

QString ChartGetEdition(IChart *chart);
QString ChartGetFileName(IChart *chart);
QString ChartGetFolder(IChart *chart);
// Without the "IENC "/"bENC "/"ENC " prefix the chart information panel puts before it.
QString ChartGetProductEdition(IChart *chart);

// The picked S-57 feature.
QString S57ObjectGetChartName(IS57Object *object);
QString S57ObjectGetDetailsHTML(IS57Object *object, NavObject *viewerContext,
                                IS52PresentationLib *settings, bool withHeader);

// English name of an S-57 vertical or sounding datum code (VERDAT 1..41); "Unknown" for
// any other code. Not translated: these are the standard's names.
QString VerticalDatumToStr(int32_t code);
