// The chart objects the chart manager hands out: raster charts with their descriptions,
// S-57 cells, catalogue entries, chart sets and products. All live on the GUI thread and
// belong to the chart manager (objects dropped from its lists stay alive until it goes,
// because viewers may still hold them).
#pragma once

#include "charts/ChartCatalogue.h"
#include "charts/SortedGUIDArray.h"
#include "kernel/KvInternal.h"

#include "KvLibNav6/KvCharts.h"
#include "KvLibNav6/KvGeodesy.h"
#include "KvLibNav6/KvLib.h"

#include <memory>
#include <vector>

namespace kv::charts {

class TChartManager;
class TChartSet;

struct TNavObjectDeleter {
    void operator()(NavObject *o) const { ObjectDelete(o); }
};

class TRasterChartUpdateInfo final : public IRasterChartUpdateInfo {
public:
    explicit TRasterChartUpdateInfo(const TRasterHeader &h);
    const TStrWRec *GetText() override { return FText.Get(); }
    TDateTime GetUpdateTime() override { return FTime; }
    bool IsPresent() override { return FPresent; }

private:
    TOwnedText FText;
    TDateTime FTime = 0.0;
    bool FPresent = false;
};

class TRasterChart;

class TRasterChartInfo final : public IRasterChartInfo {
public:
    TRasterChartInfo(const TRasterHeader &h, const TManifest &set, const TManifestChart &chart,
                     const TGUID &guid);
    const TStrWRec *GetName() override { return FName.Get(); }
    const TStrWRec *GetNumber() override { return FNumber.Get(); }
    const TStrWRec *GetDigitizedBy() override { return FDigitizedBy.Get(); }
    uint16_t GetEditionNumber() override { return FEdition; }
    const TGUID *GetGUID() override { return &FGuid; }
    const TStrWRec *GetLegendFileName() override { return FLegend.Get(); }
    const TStrWRec *GetTermsText() override { return FTerms.Get(); }
    const TStrWRec *GetDisclaimer() override { return FDisclaimer.Get(); }
    bool GetInfoFile(int32_t index, int32_t, IStrW *title, IStrW *fileName) override;
    int32_t GetChartSetKind() override { return FKind; }
    const TStrWRec *GetChartSetName() override { return FSetName.Get(); }
    const TStrWRec *GetProductCode() override { return FProductCode.Get(); }
    const TStrWRec *GetRevisionDate() override { return FRevision.Get(); }
    const TStrWRec *GetOriginalScale() override { return FScale.Get(); }
    const TStrWRec *GetSourceChartName() override { return FSourceChartName.Get(); }
    const TStrWRec *GetSourceNotice() override { return FSourceNotice.Get(); }
    const TStrWRec *GetSourcePublisher() override { return FPublisher.Get(); }
    const TStrWRec *GetDepthUnits() override { return FDepthUnits.Get(); }
    const TStrWRec *GetHeightUnits() override { return FHeightUnits.Get(); }
    int32_t GetInfoFileCount() override { return int32_t(FInfoFiles.size()); }
    void GetDatum(TRasterChartDatum &out) override;
    void GetMagneticVariation(TMagneticVariation &out) override { out = FVariation; }

private:
    TOwnedText FName, FNumber, FTerms, FSetName, FProductCode, FRevision, FScale, FPublisher,
        FDepthUnits, FDigitizedBy, FLegend, FDisclaimer, FSourceChartName, FSourceNotice,
        FHeightUnits;
    std::vector<TManifestInfoFile> FInfoFiles;  // names relative to the chart file's folder
    TMagneticVariation FVariation;
    QString FDatumName;
    uint16_t FEdition = 0;
    TGUID FGuid;
    int32_t FKind = 0;
};

class TRasterChart final : public IRasterChart {
public:
    TRasterChart(TChartManager *owner, const TRasterHeader &h, const TManifest &set,
                 const TManifestChart &chart, const TGUID &guid);
    const TStrWRec *GetFileName() override { return FFileName.Get(); }
    // Built on first use: the geodesy engine lives on the GUI thread, the scan does not.
    IGeodeticCalibration *GetGeodeticReference() override;
    IRasterChart *GetChartObject() override { return this; }
    IRasterChartInfo *GetInfo() override { return &FInfo; }
    int32_t GetVersion() override { return FVersion; }
    IRasterChartUpdateInfo *GetUpdateInfo() override { return &FUpdate; }
    void SetBorderHidden(bool hidden) override { FBorderHidden = hidden; }
    bool GetBorderHidden() override { return FBorderHidden; }
    double GetRotationAngle() override;

    const TRasterHeader &Header() const { return FHeader; }
    QString Description() const;
    // The catalogue handle viewers receive in their chart selection (0 = none yet).
    int32_t CatalogueHandle() const { return FHandle; }
    void SetCatalogueHandle(int32_t handle) { FHandle = handle; }
    // Into the chart manager's problem list (a viewer could not draw the chart).
    void ReportProblem(const QString &message);

private:
    TChartManager *FOwner;
    int32_t FHandle = 0;
    TRasterHeader FHeader;
    int32_t FVersion;
    TOwnedText FFileName;
    TRasterChartInfo FInfo;
    TRasterChartUpdateInfo FUpdate;
    std::unique_ptr<IGeodeticCalibration, TNavObjectDeleter> FCalibration;
    bool FBorderHidden = false;
};

class TS57ChartSettings final : public IS57ChartSettings {
public:
    bool GetShown() override { return FShown; }
    int32_t GetValue() override { return FValue; }
    bool GetFlag() override { return FFlag; }
    bool FShown = true;
    int32_t FValue = 0;
    bool FFlag = false;
};

class TChart final : public IChart {
public:
    TChart(TChartManager *owner, const TS57Header &h, const QString &folder, uint32_t visibility);
    IS57Object *GetPickObject() override { return FPick; }
    bool IsHiddenInManager() override { return FHidden; }
    const TStrWRec *GetEdition() override { return FEdition.Get(); }
    bool IsVisibleIn(uint32_t modules) override { return (FVisibility & modules) != 0; }
    int32_t GetVisibility() override { return int32_t(FVisibility); }
    const TStrWRec *GetFileName() override { return FFileName.Get(); }
    const TStrWRec *GetFolder() override { return FFolder.Get(); }
    const TStrWRec *GetProductEdition() override { return FProductEdition.Get(); }
    int32_t GetScale() override { return FHeader.Scale; }
    TDateTime GetIssueDate() override { return FHeader.IssueDate; }
    const TGUID *GetGUID() override { return &FGuid; }
    void SetVisibleInViewer(int32_t viewerIndex, bool on) override;
    bool IsIENC() override { return FHeader.IENC; }
    bool IsBENC() override { return FHeader.BENC; }
    int32_t GetSoundingDatum() override { return FHeader.SoundingDatum; }
    int32_t GetVerticalDatum() override { return FHeader.VerticalDatum; }
    int32_t GetNavigationalPurpose() override;
    IS57ChartSettings *GetSettings() override { return &FSettings; }

    const TS57Header &Header() const { return FHeader; }
    void SetHidden(bool hidden) { FHidden = hidden; }
    void SetVisibility(uint32_t mask) { FVisibility = mask; }
    // The viewer sets the feature of its last pick (owned by the viewer).
    void SetPickObject(IS57Object *pick) { FPick = pick; }
    QString Description() const;
    // The catalogue handle viewers receive in their S-57 selection (0 = none yet).
    int32_t CatalogueHandle() const { return FHandle; }
    void SetCatalogueHandle(int32_t handle) { FHandle = handle; }
    // Into the chart manager's problem list (a viewer could not load or draw the cell).
    void ReportProblem(const QString &message);

private:
    TChartManager *FOwner;
    TS57Header FHeader;
    TOwnedText FEdition, FFileName, FFolder, FProductEdition;
    TGUID FGuid;
    uint32_t FVisibility;
    bool FHidden = false;
    IS57Object *FPick = nullptr;
    TS57ChartSettings FSettings;
    int32_t FHandle = 0;
};

class TChartCatalogueObject final : public IChartCatalogueObject {
public:
    TChartCatalogueObject(TRasterChart *raster, TChart *cell);
    IRasterChart *GetRasterChart() override { return FRaster; }
    const TStrWRec *GetText() override { return FText.Get(); }

private:
    TRasterChart *FRaster;
    TOwnedText FText;
};

class TChartCatalogueEntry final : public IChartCatalogueEntry {
public:
    TChartCatalogueEntry(TChartManager *owner, TChartSet *set, int32_t handle,
                         std::unique_ptr<TRasterChart> raster);
    TChartCatalogueEntry(TChartManager *owner, int32_t handle, TChart *cell);
    IChartCatalogueObject *GetCatalogueObject() override { return &FObject; }
    uint32_t GetViewerBits() override;
    bool IsAvailable() override;
    TDateTime GetDate() override;
    IChartSet *GetChartSet() override;
    int32_t GetChartHandle() override { return FHandle; }
    IS57ChartSettings *GetS57Settings() override;

    TRasterChart *Raster() const { return FRaster.get(); }
    TChart *Cell() const { return FCell; }
    const TGUID &Guid() const;

private:
    TChartManager *FOwner;
    TChartSet *FSet = nullptr;
    int32_t FHandle;
    std::unique_ptr<TRasterChart> FRaster;
    TChart *FCell = nullptr;
    TChartCatalogueObject FObject;
};

class TChartDataFile final : public IChartDataFile {
public:
    explicit TChartDataFile(const QString &file) { FFile.Set(file); }
    const TStrWRec *GetFileName() override { return FFile.Get(); }

private:
    TOwnedText FFile;
};

class TChartSetInfo final : public IChartSetInfo {
public:
    TChartSetInfo(const TManifest &m, int32_t chartCount);
    int32_t GetDataFileCount() override { return int32_t(FDataFiles.size()); }
    IChartDataFile *GetDataFile(int32_t i) override;
    int32_t GetKind() override { return FKind; }
    const TStrWRec *GetTitle() override { return FTitle.Get(); }
    const TStrWRec *GetCode() override { return FCode.Get(); }
    const TStrWRec *GetFolder() override { return FFolder.Get(); }
    int32_t GetChartSetNumber() override { return FNumber; }
    int32_t GetChartCount() override { return FChartCount; }
    bool IsOwnInstallation() override { return FOwn; }

private:
    std::vector<std::unique_ptr<TChartDataFile>> FDataFiles;
    TOwnedText FTitle, FCode, FFolder;
    int32_t FKind = 0, FNumber = 0, FChartCount = 0;
    bool FOwn = false;
};

class TChartSet final : public IChartSet {
public:
    TChartSet(TChartManager *owner, const TManifest &m, int32_t chartCount, bool active);
    void ApplySelection() override;
    bool IsUsable() override { return FActive && FEnabled; }
    int32_t GetEntryCount() override { return int32_t(FEntries.size()); }
    IChartCatalogueEntry *GetEntry(int32_t i) override;
    IChartSetInfo *GetInfo() override { return &FInfo; }
    int32_t GetColor() override { return FColor; }
    bool GetEnabled() override { return FEnabled; }
    void SetColor(int32_t color) override { FColor = color; }
    void SetEnabled(bool enabled) override { FEnabled = enabled; }
    bool IsActive() override { return FActive; }

    const TManifest &Manifest() const { return FManifest; }
    void AddEntry(TChartCatalogueEntry *e) { FEntries.push_back(e); }

private:
    TChartManager *FOwner;
    TManifest FManifest;
    TChartSetInfo FInfo;
    std::vector<TChartCatalogueEntry *> FEntries;  // owned by the manager's catalogue
    int32_t FColor = -1;
    bool FEnabled = true;
    bool FActive;
};

class TChartProductInfo final : public IChartProductInfo {
public:
    TChartProductInfo(uint32_t number, const QString &code, const QString &title)
        : FNumber(number) {
        FCode.Set(code);
        FTitle.Set(title);
    }
    uint32_t GetProductNumber() override { return FNumber; }
    const TStrWRec *GetTitle() override { return FTitle.Get(); }
    const TStrWRec *GetCode() override { return FCode.Get(); }

private:
    uint32_t FNumber;
    TOwnedText FTitle, FCode;
};

class TChartProduct final : public IChartProduct {
public:
    TChartProduct(uint32_t number, const QString &code, const QString &title)
        : FInfo(number, code, title) {}
    IChartProductInfo *GetInfo() override { return &FInfo; }
    int32_t GetChartSetCount() override { return int32_t(FSets.size()); }
    IChartSet *GetChartSet(int32_t i) override {
        return i >= 0 && size_t(i) < FSets.size() ? FSets[size_t(i)] : nullptr;
    }
    void AddSet(TChartSet *s) { FSets.push_back(s); }
    void RemoveSet(TChartSet *s) { std::erase(FSets, s); }

private:
    TChartProductInfo FInfo;
    std::vector<TChartSet *> FSets;  // owned by the manager
};

}  // namespace kv::charts
