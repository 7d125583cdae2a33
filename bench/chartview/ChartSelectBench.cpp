// The chart selection dialog over a catalogue of 20,000 raster charts (ten products of ten
// sets of 200 charts, named as chart publishers name them): building the selection tree,
// and one keystroke in the search field, filtered and shown. Goals: under 200 ms to build,
// under 30 ms per keystroke. The catalogue is a stand-in for the chart manager: only the
// calls the dialog makes answer.
#include "chartview/FrmChartSelect.h"

#include <KvLibNav6/KvCharts.h>

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <deque>
#include <memory>
#include <vector>

namespace {

constexpr int Products = 10, SetsPerProduct = 10, ChartsPerSet = 200;

// A text the catalogue hands out; it lives as long as the object that holds it.
struct TText {
    QString Value;
    TStrWRec Rec;
    explicit TText(QString v = {}) : Value(std::move(v)), Rec{int32_t(Value.size()), reinterpret_cast<const char16_t *>(Value.utf16())} {}
    TText(const TText &) = delete;
};

class TRasterInfo final : public IRasterChartInfo {
public:
    TRasterInfo(const QString &name, const QString &number) : FName(name), FNumber(number) {}
    const TStrWRec *GetName() override { return &FName.Rec; }
    const TStrWRec *GetNumber() override { return &FNumber.Rec; }
    const TStrWRec *GetDigitizedBy() override { return &FEmpty.Rec; }
    uint16_t GetEditionNumber() override { return 1; }
    const TGUID *GetGUID() override { return &FGuid; }
    const TStrWRec *GetLegendFileName() override { return &FEmpty.Rec; }
    const TStrWRec *GetTermsText() override { return &FEmpty.Rec; }
    const TStrWRec *GetDisclaimer() override { return &FEmpty.Rec; }
    bool GetInfoFile(int32_t, int32_t, IStrW *, IStrW *) override { return false; }
    int32_t GetChartSetKind() override { return 0; }
    const TStrWRec *GetChartSetName() override { return &FEmpty.Rec; }
    const TStrWRec *GetProductCode() override { return &FEmpty.Rec; }
    const TStrWRec *GetRevisionDate() override { return &FEmpty.Rec; }
    const TStrWRec *GetOriginalScale() override { return &FEmpty.Rec; }
    const TStrWRec *GetSourceChartName() override { return &FEmpty.Rec; }
    const TStrWRec *GetSourceNotice() override { return &FEmpty.Rec; }
    const TStrWRec *GetSourcePublisher() override { return &FEmpty.Rec; }
    const TStrWRec *GetDepthUnits() override { return &FEmpty.Rec; }
    const TStrWRec *GetHeightUnits() override { return &FEmpty.Rec; }
    int32_t GetInfoFileCount() override { return 0; }
    void GetDatum(TRasterChartDatum &) override {}
    void GetMagneticVariation(TMagneticVariation &) override {}

private:
    TText FName, FNumber, FEmpty;
    TGUID FGuid;
};

class TRaster final : public IRasterChart {
public:
    TRaster(const QString &name, const QString &number) : FInfo(name, number), FFile(number + QStringLiteral(".kap")) {}
    const TStrWRec *GetFileName() override { return &FFile.Rec; }
    IGeodeticCalibration *GetGeodeticReference() override { return nullptr; }
    IRasterChart *GetChartObject() override { return this; }
    IRasterChartInfo *GetInfo() override { return &FInfo; }
    int32_t GetVersion() override { return 1; }
    IRasterChartUpdateInfo *GetUpdateInfo() override { return nullptr; }
    void SetBorderHidden(bool) override {}
    bool GetBorderHidden() override { return false; }
    double GetRotationAngle() override { return 0; }

private:
    TRasterInfo FInfo;
    TText FFile;
};

class TCatalogueObject final : public IChartCatalogueObject {
public:
    explicit TCatalogueObject(IRasterChart *raster) : FRaster(raster) {}
    IRasterChart *GetRasterChart() override { return FRaster; }
    const TStrWRec *GetText() override { return &FEmpty.Rec; }

private:
    IRasterChart *FRaster;
    TText FEmpty;
};

class TEntry final : public IChartCatalogueEntry {
public:
    TEntry(IChartSet *set, IRasterChart *raster) : FSet(set), FObject(raster) {}
    IChartCatalogueObject *GetCatalogueObject() override { return &FObject; }
    uint32_t GetViewerBits() override { return 1; }
    bool IsAvailable() override { return true; }
    TDateTime GetDate() override { return 0; }
    IChartSet *GetChartSet() override { return FSet; }
    int32_t GetChartHandle() override { return -1; }
    IS57ChartSettings *GetS57Settings() override { return nullptr; }

private:
    IChartSet *FSet;
    TCatalogueObject FObject;
};

class TSetInfo final : public IChartSetInfo {
public:
    TSetInfo(const QString &title, const QString &code) : FTitle(title), FCode(code) {}
    int32_t GetDataFileCount() override { return 0; }
    IChartDataFile *GetDataFile(int32_t) override { return nullptr; }
    int32_t GetKind() override { return 0; }
    const TStrWRec *GetTitle() override { return &FTitle.Rec; }
    const TStrWRec *GetCode() override { return &FCode.Rec; }
    const TStrWRec *GetFolder() override { return &FEmpty.Rec; }
    int32_t GetChartSetNumber() override { return 1; }
    int32_t GetChartCount() override { return ChartsPerSet; }
    bool IsOwnInstallation() override { return false; }

private:
    TText FTitle, FCode, FEmpty;
};

class TSet final : public IChartSet {
public:
    TSet(int product, int set)
        : FInfo(QStringLiteral("Region %1-%2").arg(product).arg(set), QStringLiteral("R%1%2").arg(product).arg(set)) {
        static const char *const Waters[] = {"Waddenzee", "IJsselmeer", "Oosterschelde", "Maas", "Rijn",
                                             "Lek", "Amer", "Hollands Diep", "Markermeer", "Noordzeekanaal"};
        for (int c = 0; c < ChartsPerSet; ++c) {
            const QString number = QStringLiteral("%1%2%3").arg(product).arg(set).arg(c, 3, 10, QLatin1Char('0'));
            const QString name = QStringLiteral("%1 blad %2").arg(QLatin1String(Waters[(set + c) % 10])).arg(c + 1);
            FRasters.push_back(std::make_unique<TRaster>(name, number));
            FEntries.push_back(std::make_unique<TEntry>(this, FRasters.back().get()));
        }
    }
    void ApplySelection() override {}
    bool IsUsable() override { return true; }
    int32_t GetEntryCount() override { return int32_t(FEntries.size()); }
    IChartCatalogueEntry *GetEntry(int32_t i) override { return FEntries[size_t(i)].get(); }
    IChartSetInfo *GetInfo() override { return &FInfo; }
    int32_t GetColor() override { return -1; }
    bool GetEnabled() override { return true; }
    void SetColor(int32_t) override {}
    void SetEnabled(bool) override {}
    bool IsActive() override { return true; }

private:
    TSetInfo FInfo;
    std::vector<std::unique_ptr<TRaster>> FRasters;
    std::vector<std::unique_ptr<TEntry>> FEntries;
};

class TProductInfo final : public IChartProductInfo {
public:
    explicit TProductInfo(int product)
        : FNumber(uint32_t(196000 + product)), FTitle(QStringLiteral("Chart product %1").arg(product)),
          FCode(QStringLiteral("P%1").arg(product)) {}
    uint32_t GetProductNumber() override { return FNumber; }
    const TStrWRec *GetTitle() override { return &FTitle.Rec; }
    const TStrWRec *GetCode() override { return &FCode.Rec; }

private:
    uint32_t FNumber;
    TText FTitle, FCode;
};

class TProduct final : public IChartProduct {
public:
    explicit TProduct(int product) : FInfo(product) {
        for (int s = 0; s < SetsPerProduct; ++s) FSets.push_back(std::make_unique<TSet>(product, s));
    }
    IChartProductInfo *GetInfo() override { return &FInfo; }
    int32_t GetChartSetCount() override { return int32_t(FSets.size()); }
    IChartSet *GetChartSet(int32_t i) override { return FSets[size_t(i)].get(); }

private:
    TProductInfo FInfo;
    std::vector<std::unique_ptr<TSet>> FSets;
};

class TCatalogue final : public IChartManager {
public:
    TCatalogue() {
        for (int p = 0; p < Products; ++p) FProducts.push_back(std::make_unique<TProduct>(p));
    }
    int32_t GetProductCount() override { return int32_t(FProducts.size()); }
    IChartProduct *GetProduct(int32_t i) override { return FProducts[size_t(i)].get(); }
    int32_t GetChartCount() override { return 0; }
    IChart *GetChart(int32_t) override { return nullptr; }
    int32_t GetCatalogueCount() override { return Products * SetsPerProduct * ChartsPerSet; }
    IChartCatalogueEntry *GetCatalogueEntry(int32_t) override { return nullptr; }
    int32_t GetRasterChartCount() override { return GetCatalogueCount(); }

    void AddS57Folder(const TStrWRec &, bool, IS57RegistrarManager *, IS52PresentationLib *) override {}
    void SetViewerChartSet(int32_t, ISortedGUIDArray *) override {}
    bool FindChart(const TStrWRec &, int32_t &) override { return false; }
    bool HasS57Folder(const TStrWRec &, int32_t &) override { return false; }
    void GetS57Folder(int32_t, IStrW *, bool &, IStrW *, bool &) override {}
    void GetS57FolderInfo(int32_t, IStrW *, IStrW *, IStrW *) override {}
    void GetSelectedCharts(ISortedGUIDArray *, int32_t) override {}
    bool LoadS57ChartInfo(TProgressEx *, int32_t, int32_t, int32_t, int32_t &) override { return true; }
    void CommitSelection() override {}
    void RemoveS57Folder(const TStrWRec &) override {}
    void SaveS57BaseData(const TStrWRec &, int32_t &) override {}
    void RegisterViewer(int32_t) override {}
    void UnregisterViewer(int32_t) override {}
    bool FindChartByGUID(const TGUID &, int32_t &) override { return false; }
    int32_t GetS57FolderCount() override { return 0; }
    void DeselectCharts(ISortedGUIDArray *, int32_t) override {}
    void SetSelectedCharts(int32_t, ISortedGUIDArray *) override {}
    void SetNewlySelectedCharts(int32_t, ISortedGUIDArray *) override {}
    void InstallChartSet(IMRCChartSetRecord *, const TStrWRec &, int32_t &) override {}
    void RemoveChartSet(IMRCChartSetRecord *) override {}
    int32_t GetProblemCount() override { return 0; }
    bool GetProblem(int32_t, IStrW *, IStrW *) override { return false; }

private:
    std::vector<std::unique_ptr<TProduct>> FProducts;
};

TCatalogue &Catalogue() {
    static TCatalogue catalogue;
    return catalogue;
}

void BM_ChartSelectBuild(benchmark::State &state) {
    for (auto _ : state) {
        TChartSelectModel model(&Catalogue(), 1);
        benchmark::DoNotOptimize(model.rowCount());
    }
    state.counters["charts"] = Catalogue().GetCatalogueCount();
}
BENCHMARK(BM_ChartSelectBuild)->Unit(benchmark::kMillisecond);

// The user types "maas bl" one key at a time, then clears the field: each step is one
// filter of the whole tree with its rows hidden, expanded and the first match focused.
void BM_ChartSelectKeystroke(benchmark::State &state) {
    TFormChartSelect form(nullptr, &Catalogue(), 1);
    form.resize(600, 700);
    form.show();
    const QString typed = QStringLiteral("maas bl");
    int step = 0;
    for (auto _ : state) {
        const int n = step++ % int(typed.size() + 1);
        form.EditSearch->setText(typed.left(n));
        QApplication::processEvents();
    }
}
BENCHMARK(BM_ChartSelectKeystroke)->Unit(benchmark::kMillisecond);

}  // namespace
