#include "base/charts/KvCharts.h"

#include "base/kvlib/KvStrings.h"

#include <array>

namespace {

// The library's text record is only valid until the next call on its object: copy at once.
inline QString Copy(const TStrWRec *rec) { return StrWToWide(rec); }

}  // namespace

QString RasterChartInfoGetName(IRasterChartInfo *info) { return Copy(info->GetName()); }
QString RasterChartInfoGetNumber(IRasterChartInfo *info) { return Copy(info->GetNumber()); }
QString RasterChartInfoGetDigitizedBy(IRasterChartInfo *info) {
    return Copy(info->GetDigitizedBy());
}
QString RasterChartInfoGetLegendFileName(IRasterChartInfo *info) {
    return Copy(info->GetLegendFileName());
}
QString RasterChartInfoGetTermsText(IRasterChartInfo *info) { return Copy(info->GetTermsText()); }
QString RasterChartInfoGetDisclaimer(IRasterChartInfo *info) {
    return Copy(info->GetDisclaimer());
}
QString RasterChartInfoGetChartSetName(IRasterChartInfo *info) {
    return Copy(info->GetChartSetName());
}
QString RasterChartInfoGetProductCode(IRasterChartInfo *info) {
    return Copy(info->GetProductCode());
}
QString RasterChartInfoGetRevisionDate(IRasterChartInfo *info) {
    return Copy(info->GetRevisionDate());
}
QString RasterChartInfoGetOriginalScale(IRasterChartInfo *info) {
    return Copy(info->GetOriginalScale());
}
QString RasterChartInfoGetSourceChartName(IRasterChartInfo *info) {
    return Copy(info->GetSourceChartName());
}
QString RasterChartInfoGetSourceNotice(IRasterChartInfo *info) {
    return Copy(info->GetSourceNotice());
}
QString RasterChartInfoGetSourcePublisher(IRasterChartInfo *info) {
    return Copy(info->GetSourcePublisher());
}
QString RasterChartInfoGetDepthUnits(IRasterChartInfo *info) {
    return Copy(info->GetDepthUnits());
}
QString RasterChartInfoGetHeightUnits(IRasterChartInfo *info) {
    return Copy(info->GetHeightUnits());
}

bool RasterChartInfoGetInfoFile(IRasterChartInfo *info, int32_t index, QString &title,
                                QString &fileName) {
    title.clear();
    fileName.clear();
    TStrWOut titleOut, fileOut;
    // The pass-through value is the library's own; the program has nothing to hand it.
    const bool found = info->GetInfoFile(index, 0, titleOut.get(), fileOut.get());
    title = titleOut.Text();
    fileName = fileOut.Text();
    return found;
}

QString RasterChartUpdateGetInfo(IRasterChartUpdateInfo *update) {
    return Copy(update->GetText());
}
QString RasterChartGetFileName(IRasterChart *chart) { return Copy(chart->GetFileName()); }
int32_t RasterChartGetVersion(IRasterChart *chart) { return chart->GetVersion(); }

QString ChartProductGetTitle(IChartProductInfo *info) { return Copy(info->GetTitle()); }
QString ChartProductGetCode(IChartProductInfo *info) { return Copy(info->GetCode()); }

namespace {
IChartSetInfo *SetInfo(IChartSet *set) { return set ? set->GetInfo() : nullptr; }
}  // namespace

QString ChartSetGetTitle(IChartSet *set) {
    IChartSetInfo *info = SetInfo(set);
    return info ? Copy(info->GetTitle()) : QString();
}
QString ChartSetGetCode(IChartSet *set) {
    IChartSetInfo *info = SetInfo(set);
    return info ? Copy(info->GetCode()) : QString();
}
QString ChartSetGetFolder(IChartSet *set) {
    IChartSetInfo *info = SetInfo(set);
    return info ? Copy(info->GetFolder()) : QString();
}
QString ChartDataFileGetFileName(IChartDataFile *file) { return Copy(file->GetFileName()); }
QString ChartCatalogueGetText(IChartCatalogueObject *object) { return Copy(object->GetText()); }

void ChartManagerAddS57Folder(IChartManager *manager, const QString &folder, bool withSubfolders,
                              IS57RegistrarManager *registrar, IS52PresentationLib *lib) {
    manager->AddS57Folder(StrW(folder), withSubfolders, registrar, lib);
}

bool ChartManagerFindChart(IChartManager *manager, const QString &name, int32_t &index) {
    index = -1;
    return manager->FindChart(StrW(name), index);
}

bool ChartManagerHasS57Folder(IChartManager *manager, const QString &folder, int32_t &index) {
    index = -1;
    return manager->HasS57Folder(StrW(folder), index);
}

void ChartManagerGetS57Folder(IChartManager *manager, int32_t index, QString &folder, bool &fixed,
                              bool &withSubfolders) {
    folder.clear();
    fixed = false;
    withSubfolders = false;
    TStrWOut folderOut, identity;
    manager->GetS57Folder(index, folderOut.get(), fixed, identity.get(), withSubfolders);
    folder = folderOut.Text();
}

void ChartManagerGetS57FolderInfo(IChartManager *manager, int32_t index, QString &countryCode,
                                  QString &region, QString &water) {
    countryCode.clear();
    region.clear();
    water.clear();
    TStrWOut cc, rg, wt;
    manager->GetS57FolderInfo(index, cc.get(), rg.get(), wt.get());
    countryCode = cc.Text();
    region = rg.Text();
    water = wt.Text();
}

void ChartManagerRemoveS57Folder(IChartManager *manager, const QString &folder) {
    manager->RemoveS57Folder(StrW(folder));
}

void ChartManagerSaveS57BaseData(IChartManager *manager, const QString &file, int32_t &err) {
    manager->SaveS57BaseData(StrW(file), err);
}

QString ChartGetEdition(IChart *chart) { return Copy(chart->GetEdition()); }
QString ChartGetFileName(IChart *chart) { return Copy(chart->GetFileName()); }
QString ChartGetFolder(IChart *chart) { return Copy(chart->GetFolder()); }
QString ChartGetProductEdition(IChart *chart) { return Copy(chart->GetProductEdition()); }

QString S57ObjectGetChartName(IS57Object *object) { return Copy(object->GetChartName()); }
QString S57ObjectGetDetailsHTML(IS57Object *object, NavObject *viewerContext,
                                IS52PresentationLib *settings, bool withHeader) {
    return Copy(object->GetDetailsHTML(viewerContext, settings, withHeader));
}

QString VerticalDatumToStr(int32_t code) {
    static const std::array<const char *, 41> names = {
        "Mean low water springs",
        "Mean lower low water springs",
        "Mean sea level",
        "Lowest low water",
        "Mean low water",
        "Lowest low water springs",
        "Approximate mean low water springs",
        "Indian spring low water",
        "Low water springs",
        "Approximate lowest astronomical tide",
        "Nearly lowest low water",
        "Mean lower low water",
        "Low water",
        "Approximate mean low water",
        "Approximate mean lower low water",
        "Mean high water",
        "Mean high water springs",
        "High water",
        "Approximate mean sea level",
        "High water springs",
        "Mean higher high water",
        "Equinoctial spring low water",
        "Lowest astronomical tide",
        "Local datum",
        "International Great Lakes Datum 1985",
        "Mean water level",
        "Lower low water large tide",
        "Higher high water large tide",
        "Nearly highest high water",
        "Highest astronomical tide (HAT)",
        "Local low water reference level",
        "Local high water reference level",
        "Local mean water reference level",
        "Equivalent height of water (German GlW)",
        "Highest Shipping Height of Water (German HSW)",
        "Reference low water level according to Danube Commission",
        "Highest shipping height of water according to Danube Commission",
        "Dutch river low water reference level (OLR)",
        "Russian project water level",
        "Russian normal backwater level",
        "Ohio River Datum",
    };
    if (code < 1 || code > int32_t(names.size())) return QStringLiteral("Unknown");
    return QString::fromLatin1(names[size_t(code - 1)]);
}
