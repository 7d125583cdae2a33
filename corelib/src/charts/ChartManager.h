// The chart manager's internal face for its own objects.
#pragma once

#include "charts/ChartObjects.h"

#include <QHash>
#include <QSet>
#include <map>

namespace kv::charts {

struct TS57FolderEntry {
    QString Folder;
    bool WithSubfolders = true;
    TIENCIdentity Identity;
};

class TChartManager final : public IChartManager {
public:
    TChartManager(const QString &infoCacheFile, const QString &selectedChartsFile,
                  const QString &chartsFolder, uint32_t chartModules, ChartSetsChangedProc onChanged,
                  void *changedData, LoadProgressProc progress, void *progressData);
    ~TChartManager() override;

    void AddS57Folder(const TStrWRec &folder, bool withSubfolders, IS57RegistrarManager *,
                      IS52PresentationLib *) override;
    void SetViewerChartSet(int32_t viewerIndex, ISortedGUIDArray *guids) override;
    bool FindChart(const TStrWRec &name, int32_t &index) override;
    bool HasS57Folder(const TStrWRec &folder, int32_t &index) override;
    int32_t GetCatalogueCount() override { return int32_t(FCatalogue.size()); }
    IChartCatalogueEntry *GetCatalogueEntry(int32_t i) override;
    int32_t GetChartCount() override { return int32_t(FCells.size()); }
    IChart *GetChart(int32_t i) override;
    void GetS57Folder(int32_t i, IStrW *folder, bool &excluded, IStrW *identity,
                      bool &withSubfolders) override;
    void GetS57FolderInfo(int32_t i, IStrW *countryCode, IStrW *region, IStrW *water) override;
    void GetSelectedCharts(ISortedGUIDArray *out, int32_t viewerIndex) override;
    bool LoadS57ChartInfo(TProgressEx *progress, int32_t, int32_t, int32_t, int32_t &err) override;
    void CommitSelection() override;
    void RemoveS57Folder(const TStrWRec &folder) override;
    void SaveS57BaseData(const TStrWRec &file, int32_t &err) override;
    void RegisterViewer(int32_t viewerIndex) override;
    void UnregisterViewer(int32_t viewerIndex) override;
    int32_t GetProductCount() override { return int32_t(FProducts.size()); }
    IChartProduct *GetProduct(int32_t i) override;
    bool FindChartByGUID(const TGUID &guid, int32_t &index) override;
    int32_t GetRasterChartCount() override { return int32_t(FCatalogue.size()); }
    int32_t GetS57FolderCount() override { return int32_t(FS57Folders.size()); }
    void DeselectCharts(ISortedGUIDArray *guids, int32_t viewerIndex) override;
    void SetSelectedCharts(int32_t viewerIndex, ISortedGUIDArray *guids) override;
    void SetNewlySelectedCharts(int32_t viewerIndex, ISortedGUIDArray *guids) override;
    void InstallChartSet(IMRCChartSetRecord *rec, const TStrWRec &chartFolder,
                         int32_t &err) override;
    void RemoveChartSet(IMRCChartSetRecord *rec) override;
    int32_t GetProblemCount() override { return int32_t(FProblems.size()); }
    bool GetProblem(int32_t i, IStrW *file, IStrW *message) override;

    // For the chart objects.
    uint32_t ViewerBitsOf(const TGUID &guid) const;
    void CellVisibilityChanged(TChart *cell);
    // A chart that failed after the scan (loading or drawing in a viewer); listed once.
    void ReportProblem(const QString &file, const QString &message);

private:
    struct TViewerSelection {
        std::vector<TGUID> Guids;  // sorted
    };
    using TSelection = std::map<int32_t, std::vector<TGUID>>;

    TScanResult RunScan(TScanInput in, TProgressEx *progressEx);
    void BuildRaster(const TScanResult &r);
    // True when cells came or went; the objects of cells that went are hidden, so a viewer
    // still holding them stops drawing them.
    bool BuildCells(const TScanResult &r);
    void ReplaceProblems(const TScanResult &r, bool raster, bool s57);
    void LoadSelection();
    void SaveSelection();
    QString BaseDataFile() const;
    void LoadS57BaseData(const QString &file);
    bool WriteS57BaseData(const QString &file) const;
    void SaveS57BaseDataFile();
    void LoadSetRegistry();
    void SaveSetRegistry();
    // A failed write of one of the manager's own files is listed until the file is
    // written again.
    void NoteWrite(const QString &file, bool ok, const QString &what, const QString &reason);
    TScanInput MakeInput(bool raster, bool s57) const;
    void SaveCache();
    bool ChangeSelection(int32_t viewer, const std::vector<TGUID> &guids, bool add, bool remove);
    void FireChanged(int32_t viewer);
    TChartCatalogueEntry *EntryOf(const TGUID &guid) const;
    TChart *CellOf(const TGUID &guid) const;
    TChartProduct *ProductFor(const TManifest &m);
    void AddSet(const TScannedSet &s);

    QString FInfoCacheFile, FSelectedChartsFile, FChartsFolder, FBaseDataFile;
    uint32_t FChartModules;
    ChartSetsChangedProc FOnChanged;
    void *FChangedData;
    LoadProgressProc FProgress;
    void *FProgressData;

    std::vector<std::unique_ptr<TChartProduct>> FProductStore;
    std::vector<TChartProduct *> FProducts;
    std::vector<std::unique_ptr<TChartSet>> FSetStore;
    std::vector<std::unique_ptr<TChartCatalogueEntry>> FEntryStore;
    std::vector<TChartCatalogueEntry *> FCatalogue;  // raster entries in use
    std::vector<std::unique_ptr<TChart>> FCellStore;
    std::vector<TChart *> FCells;
    std::vector<TChartCatalogueEntry *> FCellEntries;  // parallel to FCells
    std::vector<TS57FolderEntry> FS57Folders;
    QHash<QString, uint32_t> FCellVisibility;  // by file name
    std::vector<TScanProblem> FProblems;
    QHash<QString, TRasterHeader> FRasterCache;
    QHash<QString, TS57Header> FS57Cache;
    QStringList FExtraSetFolders, FRemovedSetFolders;
    TSelection FSelection;
    QSet<int32_t> FViewers;
    bool FHadSelectionFile = false;
    int32_t FNextHandle = 1;
};

}  // namespace kv::charts
