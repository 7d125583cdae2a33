#include "charts/ChartManager.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QDate>

#include <bit>

namespace kv::charts {

namespace {

IGeodeticDatum *DefaultDatum() {
    IGeodeticProvider *p1 = nullptr;
    IGeodeticObject *p2 = nullptr;
    IGeodeticDatum *p3 = nullptr, *p4 = nullptr;
    void *p5 = nullptr;
    GeodeticsGetGlobals(p1, p2, p3, p4, p5);
    return p3;
}

}  // namespace

// ---- raster charts ----

TRasterChartUpdateInfo::TRasterChartUpdateInfo(const TRasterHeader &h)
    : FTime(h.UpdateTime), FPresent(!h.UpdateText.isEmpty()) {
    FText.Set(h.UpdateText);
}

namespace {

// Manifest names are relative to the set's folder; the chart's interface gives them
// relative to the chart file's folder.
QString RelativeToChart(const TManifest &set, const TRasterHeader &h, const QString &rel) {
    if (rel.isEmpty()) return {};
    return QFileInfo(h.FileName).absoluteDir().relativeFilePath(QDir(set.Folder).filePath(rel));
}

TMagneticVariation VariationOf(const TManifestChart &c) {
    TMagneticVariation v;
    if (!c.HasVariation) return v;
    v.Present = true;
    v.Degrees = c.VariationDeg;
    v.MeasuredUTC = DateFromYmd(QDate::fromString(c.VariationDate, Qt::ISODate).toString(QStringLiteral("yyyyMMdd")));
    v.RateDegPerSecond = c.VariationAnnualDeg / 31536000.0;
    return v;
}

}  // namespace

TRasterChartInfo::TRasterChartInfo(const TRasterHeader &h, const TManifest &set,
                                   const TManifestChart &chart, const TGUID &guid)
    : FDatumName(h.DatumName), FEdition(h.Edition), FGuid(guid) {
    FName.Set(h.Name);
    FNumber.Set(h.Number);
    FTerms.Set(chart.License.isEmpty() ? h.Copyright : chart.License);
    FSetName.Set(set.SetTitle.isEmpty() ? set.SetCode : set.SetTitle);
    FProductCode.Set(set.ProductCode);
    FRevision.Set(h.RevisionDate);
    FScale.Set(h.Scale > 0 ? QStringLiteral("1:%1").arg(h.Scale) : QString());
    FPublisher.Set(h.Publisher);
    FDepthUnits.Set(h.DepthUnits);
    FDigitizedBy.Set(chart.DigitizedBy);
    FLegend.Set(RelativeToChart(set, h, chart.Legend));
    FDisclaimer.Set(chart.Disclaimer);
    FSourceChartName.Set(chart.SourceChartName);
    FSourceNotice.Set(chart.SourceNotice);
    FHeightUnits.Set(chart.HeightUnits);
    for (const auto &f : chart.InfoFiles) FInfoFiles.push_back({f.Title, RelativeToChart(set, h, f.File)});
    FVariation = VariationOf(chart);
    FKind = std::countr_zero(set.ModuleMask | 0x80000000u);
}

bool TRasterChartInfo::GetInfoFile(int32_t index, int32_t, IStrW *title, IStrW *fileName) {
    const bool inRange = index >= 0 && size_t(index) < FInfoFiles.size();
    SetStrW(title, inRange ? FInfoFiles[size_t(index)].Title : QString());
    SetStrW(fileName, inRange ? FInfoFiles[size_t(index)].File : QString());
    return inRange;
}

void TRasterChartInfo::GetDatum(TRasterChartDatum &out) {
    out = TRasterChartDatum{};
    out.Kind = RasterChartDatumKind::Named;
    out.Name1 = FDatumName.toStdU16String();
}

TRasterChart::TRasterChart(TChartManager *owner, const TRasterHeader &h, const TManifest &set,
                           const TManifestChart &chart, const TGUID &guid)
    : FOwner(owner), FHeader(h), FVersion(chart.FormatVersion ? chart.FormatVersion : h.Version),
      FInfo(h, set, chart, guid), FUpdate(h) {
    FFileName.Set(h.FileName);
}

void TRasterChart::ReportProblem(const QString &message) {
    if (FOwner) FOwner->ReportProblem(FHeader.FileName, message);
}

IGeodeticCalibration *TRasterChart::GetGeodeticReference() {
    if (FCalibration) return FCalibration.get();
    FCalibration.reset(GeodeticCalibrationCreate());
    TProjectionRef ref;
    IGeodeticDatum *datum = DefaultDatum();
    switch (FHeader.ProjectionKind) {
    case ProjectionKind::TransverseMercator:
        GeodeticRefInitTransverseMercator(ref, FHeader.K0, FHeader.Lat0, FHeader.Long0, datum);
        break;
    case ProjectionKind::EquidistantCylindrical:
        GeodeticRefInitEquidistantCylindrical(ref, FHeader.Lat1, FHeader.Long0, datum);
        break;
    case ProjectionKind::RD:
        GeodeticRefInitRD(ref);
        break;
    default:
        GeodeticRefInitMercator(ref, FHeader.Long0, datum);
        break;
    }
    int32_t err = 0;
    // A calibration that fails keeps its error state (HasError) for the caller to show.
    FCalibration->Init(FHeader.Pixel[0], FHeader.Pixel[1], FHeader.Pixel[2], FHeader.Geo[0],
                       FHeader.Geo[1], FHeader.Geo[2], FHeader.Width, FHeader.Height, ref, err);
    return FCalibration.get();
}

double TRasterChart::GetRotationAngle() {
    return double(GetGeodeticReference()->GetVectorAngle(TDouble2{0.0, -1.0}));
}

QString TRasterChart::Description() const {
    QStringList lines;
    lines << FHeader.Name;
    if (!FHeader.Number.isEmpty()) lines << QStringLiteral("Number: %1").arg(FHeader.Number);
    if (FHeader.Scale > 0) lines << QStringLiteral("Scale: 1:%1").arg(FHeader.Scale);
    if (FHeader.Edition > 0) lines << QStringLiteral("Edition: %1").arg(FHeader.Edition);
    if (!FHeader.UpdateText.isEmpty()) lines << FHeader.UpdateText;
    lines << QStringLiteral("Size: %1 x %2").arg(FHeader.Width).arg(FHeader.Height);
    lines << QDir::toNativeSeparators(FHeader.FileName);
    return lines.join(u'\n');
}

// ---- S-57 cells ----

TChart::TChart(TChartManager *owner, const TS57Header &h, const QString &folder, uint32_t visibility)
    : FOwner(owner), FHeader(h), FGuid(GuidFromText(DerivedCellGuid(h.FileName))),
      FVisibility(visibility) {
    FEdition.Set(h.Edition);
    FFileName.Set(h.FileName);
    FFolder.Set(folder);
    FProductEdition.Set(h.ProductEdition);
}

void TChart::ReportProblem(const QString &message) {
    if (FOwner) FOwner->ReportProblem(FHeader.FileName, message);
}

void TChart::SetVisibleInViewer(int32_t viewerIndex, bool on) {
    if (viewerIndex < 0 || viewerIndex > 31) return;
    const uint32_t bit = 1u << viewerIndex;
    const uint32_t before = FVisibility;
    FVisibility = on ? (FVisibility | bit) : (FVisibility & ~bit);
    if (FVisibility != before && FOwner) FOwner->CellVisibilityChanged(this);
}

int32_t TChart::GetNavigationalPurpose() {
    // bENCs carry their depth range in the purpose: 128 + 10 × lowest + highest.
    if (FHeader.BENC) return 128 + 11 * std::clamp(FHeader.Purpose, 0, 9);
    return FHeader.Purpose;
}

QString TChart::Description() const {
    QStringList lines;
    lines << FHeader.CellName;
    lines << QStringLiteral("Edition: %1, update %2").arg(FHeader.Edition, FHeader.UpdateNumber);
    if (FHeader.Scale > 0) lines << QStringLiteral("Scale: 1:%1").arg(FHeader.Scale);
    lines << QDir::toNativeSeparators(FHeader.FileName);
    return lines.join(u'\n');
}

// ---- catalogue ----

TChartCatalogueObject::TChartCatalogueObject(TRasterChart *raster, TChart *cell) : FRaster(raster) {
    FText.Set(raster ? raster->Description() : (cell ? cell->Description() : QString()));
}

TChartCatalogueEntry::TChartCatalogueEntry(TChartManager *owner, TChartSet *set, int32_t handle,
                                           std::unique_ptr<TRasterChart> raster)
    : FOwner(owner), FSet(set), FHandle(handle), FRaster(std::move(raster)),
      FObject(FRaster.get(), nullptr) {
    if (FRaster) FRaster->SetCatalogueHandle(handle);
}

TChartCatalogueEntry::TChartCatalogueEntry(TChartManager *owner, int32_t handle, TChart *cell)
    : FOwner(owner), FHandle(handle), FCell(cell), FObject(nullptr, cell) {
    if (FCell) FCell->SetCatalogueHandle(handle);
}

const TGUID &TChartCatalogueEntry::Guid() const {
    static const TGUID null{};
    if (FRaster) return *FRaster->GetInfo()->GetGUID();
    return FCell ? *FCell->GetGUID() : null;
}

uint32_t TChartCatalogueEntry::GetViewerBits() {
    if (FCell) return FCell->IsHiddenInManager() ? 0u : uint32_t(FCell->GetVisibility());
    return FOwner->ViewerBitsOf(Guid());
}

bool TChartCatalogueEntry::IsAvailable() {
    const QString file = FRaster ? FRaster->Header().FileName : (FCell ? FCell->Header().FileName : QString());
    return QFileInfo(file).isReadable();
}

TDateTime TChartCatalogueEntry::GetDate() {
    if (FRaster) {
        const TRasterHeader &h = FRaster->Header();
        return h.UpdateTime > 0 ? h.UpdateTime : h.EditionDate;
    }
    if (!FCell) return 0.0;
    const TDateTime updated = DateFromYmd(FCell->Header().UpdateDate);
    return updated > 0 ? updated : FCell->Header().IssueDate;
}

IChartSet *TChartCatalogueEntry::GetChartSet() { return FSet; }

IS57ChartSettings *TChartCatalogueEntry::GetS57Settings() {
    return FCell ? FCell->GetSettings() : nullptr;
}

// ---- sets ----

TChartSetInfo::TChartSetInfo(const TManifest &m, int32_t chartCount)
    : FKind(std::countr_zero(m.ModuleMask | 0x80000000u)), FNumber(m.SetNumber),
      FChartCount(chartCount), FOwn(m.OwnInstallation) {
    FTitle.Set(m.SetTitle);
    FCode.Set(m.SetCode);
    FFolder.Set(m.Folder);
    for (const QString &rel : m.DataFiles) {
        const QString file = QDir(m.Folder).absoluteFilePath(rel);
        if (QFileInfo::exists(file)) FDataFiles.push_back(std::make_unique<TChartDataFile>(file));
    }
}

IChartDataFile *TChartSetInfo::GetDataFile(int32_t i) {
    return i >= 0 && size_t(i) < FDataFiles.size() ? FDataFiles[size_t(i)].get() : nullptr;
}

TChartSet::TChartSet(TChartManager *owner, const TManifest &m, int32_t chartCount, bool active)
    : FOwner(owner), FManifest(m), FInfo(m, chartCount), FActive(active) {}

void TChartSet::ApplySelection() { FOwner->CommitSelection(); }

IChartCatalogueEntry *TChartSet::GetEntry(int32_t i) {
    return i >= 0 && size_t(i) < FEntries.size() ? FEntries[size_t(i)] : nullptr;
}

}  // namespace kv::charts
