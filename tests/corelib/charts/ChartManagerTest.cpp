// Chart manager, raster charts, S-57 cells, S-52 settings and GUID sets against real chart
// files and small hand-written KAP and GeoTIFF fixtures.
#include "TestSupport.h"

#include "KvLibNav6/KvCharts.h"
#include "KvLibNav6/KvGeodesy.h"
#include "KvLibNav6/KvLib.h"
#include "KvLibNav6/KvStrW.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gdal_priv.h>
#include <gtest/gtest.h>
#include <ogr_spatialref.h>

#include <cmath>
#include <memory>
#include <vector>

namespace {

struct Deleter {
    void operator()(NavObject *o) const { ObjectDelete(o); }
};
template <class T> using Ptr = std::unique_ptr<T, Deleter>;

constexpr double Deg = M_PI / 180.0;

TStrWRec Rec(const QString &s) { return TStrWRec{int32_t(s.size()), reinterpret_cast<const char16_t *>(s.utf16())}; }
QString Text(const TStrWRec *r) { return r ? QString::fromUtf16(r->Text, r->Length) : QString(); }

// A BSB/KAP file in the layout GDAL reads: text header, 0x1A 0x00, bit depth, RLE rows,
// row index. refs: pixel x, y and latitude, longitude in degrees.
struct TRef { int X, Y; double Lat, Lon; };
QByteArray MakeKap(int w, int h, const std::vector<TRef> &refs, const QString &name = "Test Chart") {
    QByteArray s;
    auto line = [&](const QString &l) { s += l.toLatin1() + "\r\n"; };
    line("! hand-written test chart");
    line("VER/3.0");
    line(QStringLiteral("BSB/NA=%1,NU=T001,RA=%2,%3,DU=254").arg(name).arg(w).arg(h));
    line("KNP/SC=50000,GD=WGS84,PR=MERCATOR,PP=52.0,PI=UNKNOWN,SP=UNKNOWN,SK=0.0,TA=90.0,UN=METERS,SD=MLLW,DX=10.0,DY=10.0");
    line("CED/SE=1,RE=7,ED=03/15/2020");
    line("RGB/1,255,255,255");
    line("RGB/2,0,0,255");
    line("RGB/3,0,255,0");
    for (size_t i = 0; i < refs.size(); ++i)
        line(QStringLiteral("REF/%1,%2,%3,%4,%5").arg(i + 1).arg(refs[i].X).arg(refs[i].Y)
                 .arg(refs[i].Lat, 0, 'f', 8).arg(refs[i].Lon, 0, 'f', 8));
    line("DTM/0.0,0.0");
    while (s.size() < 1100) line("! padding");
    s += '\x1A';
    s += '\0';
    const int bits = 2;
    s += char(bits);
    const int shift = 7 - bits, countMask = (1 << shift) - 1;
    std::vector<uint32_t> rowOffsets;
    auto putVarint = [&](uint32_t v) {
        int k = 0;
        while ((v >> (7 * (k + 1))) != 0) ++k;
        for (int j = k; j >= 0; --j) s += char(((v >> (7 * j)) & 0x7f) | (j ? 0x80 : 0));
    };
    auto putBE32 = [&](uint32_t v) {
        for (int j = 3; j >= 0; --j) s += char((v >> (8 * j)) & 0xff);
    };
    for (int y = 0; y < h; ++y) {
        rowOffsets.push_back(uint32_t(s.size()));
        putVarint(uint32_t(y + 1));
        for (int x = 0; x < w;) {
            const uint8_t v = uint8_t(1 + ((x / 8 + y / 8) % 3));
            int run = 1;
            while (x + run < w && uint8_t(1 + (((x + run) / 8 + y / 8) % 3)) == v) ++run;
            const uint32_t n = uint32_t(run - 1);
            int k7 = 0;
            while ((n >> (7 * k7)) > uint32_t(countMask)) ++k7;
            s += char((v << shift) | (n >> (7 * k7)) | (k7 ? 0x80 : 0));
            for (int j = k7 - 1; j >= 0; --j) s += char(((n >> (7 * j)) & 0x7f) | (j ? 0x80 : 0));
            x += run;
        }
        s += '\0';
    }
    const uint32_t idx = uint32_t(s.size());
    for (auto o : rowOffsets) putBE32(o);
    putBE32(idx);
    return s;
}

// Mercator-consistent reference points of a 64 × 48 chart around 52 N 4 E.
std::vector<TRef> MercatorRefs() {
    const double lon0 = 4.0, lon1 = 4.064;  // 0.001° per pixel
    auto mercY = [](double lat) { return std::log(std::tan(M_PI / 4 + lat * Deg / 2)); };
    auto invY = [](double y) { return (2 * std::atan(std::exp(y)) - M_PI / 2) / Deg; };
    const double yTop = mercY(52.0), yPerPx = (lon1 - lon0) * Deg / 64;
    const double latBottom = invY(yTop - 48 * yPerPx);
    return {{0, 0, 52.0, lon0}, {64, 0, 52.0, lon1}, {64, 48, latBottom, lon1}, {0, 48, latBottom, lon0}};
}

void WriteFile(const QString &path, const QByteArray &data) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}

void WriteManifest(const QString &folder, const QStringList &charts, uint32_t mask = 1) {
    QJsonArray list;
    for (const QString &c : charts) list << QJsonObject{{"file", c}};
    const QJsonObject o{{"product", QJsonObject{{"number", 196651}, {"code", "_MRC1"}, {"title", "Test charts"}}},
                        {"set", QJsonObject{{"number", 3}, {"code", "BE"}, {"title", "Belgium"}}},
                        {"moduleMask", double(mask)},
                        {"charts", list}};
    WriteFile(QDir(folder).filePath("chartset.json"), QJsonDocument(o).toJson());
}

struct TManagerFiles {
    QString Root, Cache, Selection, Charts;
    explicit TManagerFiles(const QString &name) {
        Root = testsupport::MakeTempDir(name);
        Cache = Root + "/cache/ChartInfo.cif";
        Selection = Root + "/Marivo.SelectedCharts";
        Charts = Root + "/Charts";
        QDir().mkpath(Charts);
        QDir().mkpath(Root + "/cache");
    }
    Ptr<IChartManager> Create() const {
        return Ptr<IChartManager>(ChartManagerCreate(Rec(Cache), Rec(Selection), Rec(Charts), nullptr, 1,
                                                     nullptr, nullptr, nullptr, nullptr));
    }
};

QStringList Problems(IChartManager *cm) {
    QStringList out;
    Ptr<IStrW> file(StrWCreate(u"", 0)), msg(StrWCreate(u"", 0));
    for (int i = 0; i < cm->GetProblemCount(); ++i) {
        cm->GetProblem(i, file.get(), msg.get());
        out << QFileInfo(Text(file->GetRec())).fileName() + ": " + Text(msg->GetRec());
    }
    return out;
}

IRasterChart *RasterAt(IChartManager *cm, int i) {
    IChartCatalogueEntry *e = cm->GetCatalogueEntry(i);
    return e ? e->GetCatalogueObject()->GetRasterChart() : nullptr;
}

}  // namespace

TEST(SortedGUIDArray, KeepsAscendingOrderWithoutDuplicates) {
    Ptr<ISortedGUIDArray> a(SortedGUIDArrayCreate());
    const TGUID g3{3, 0, 0, {}}, g1{1, 0, 0, {}}, g2{1, 0, 0, {0, 0, 0, 0, 0, 0, 0, 9}};
    for (const TGUID &g : {g3, g1, g2, g1}) a->Add(g);
    ASSERT_EQ(a->GetCount(), 3);
    TGUID out;
    a->GetItem(0, out);
    EXPECT_EQ(out.D1, 1u);
    EXPECT_EQ(out.D4[7], 0);
    a->GetItem(1, out);
    EXPECT_EQ(out.D4[7], 9);
    a->GetItem(2, out);
    EXPECT_EQ(out.D1, 3u);
    a->GetItem(3, out);
    EXPECT_EQ(out.D1, 0u) << "out of range gives the null GUID";
    EXPECT_TRUE(a->Contains(g2));
    a->Remove(g2);
    a->Remove(TGUID{77, 0, 0, {}});
    EXPECT_FALSE(a->Contains(g2));
    EXPECT_EQ(a->GetCount(), 2);
    a->Clear();
    EXPECT_EQ(a->GetCount(), 0);
}

TEST(S52PresentationLib, StoresPerViewerValuesAndKeepsCommittedOnesAcrossRuns) {
    const QString folder = testsupport::MakeTempDir("s52") + "/S52Cache/";
    {
        Ptr<IS52PresentationLib> lib(S52PresentationLibCreate(Rec(folder)));
        lib->SetDisplayCategory(S52DisplayCategory::Other, 1);
        lib->SetDisplayFlags(S52DisplayFlag::ShowMeta | S52DisplayFlag::UseORIENT, 2);
        lib->SetDepthSafe(7.5f);
        lib->SetDepthShallow(std::nanf(""));  // refused
        lib->SetTextScale(5.0f);               // clamped
        lib->SetColorScheme(S52ColorScheme::Night);
        lib->SetColorScheme(9);                // refused
        lib->SetSymbolStyle(S52SymbolStyle::Simplified);
        lib->SetDisplayCategory(S52DisplayCategory::Base, 40);  // no such viewer
        lib->SetWaterLevelOffset(1, 0.4f);
        lib->Commit();
    }
    Ptr<IS52PresentationLib> lib(S52PresentationLibCreate(Rec(folder)));
    EXPECT_EQ(lib->GetDisplayCategory(1), S52DisplayCategory::Other);
    EXPECT_EQ(lib->GetDisplayCategory(0), S52DisplayCategory::Standard);
    EXPECT_EQ(lib->GetDisplayFlags(2), S52DisplayFlag::ShowMeta | S52DisplayFlag::UseORIENT);
    EXPECT_FLOAT_EQ(lib->GetDepthSafe(), 7.5f);
    EXPECT_FLOAT_EQ(lib->GetDepthShallow(), 2.0f);
    EXPECT_FLOAT_EQ(lib->GetTextScale(), 2.0f);
    EXPECT_EQ(lib->GetColorScheme(), S52ColorScheme::Night);
    EXPECT_EQ(lib->GetSymbolStyle(), S52SymbolStyle::Simplified);
}

TEST(RasterChart, RealBsbChartHeaderAndCalibrationMatchGdal) {
    const QString kap = testsupport::TestDataPath("charts/bsb/NZ61401.KAP");
    ASSERT_TRUE(QFileInfo::exists(kap));
    TManagerFiles files("bsb-real");
    QDir().mkpath(files.Charts + "/NZ");
    ASSERT_TRUE(QFile::copy(kap, files.Charts + "/NZ/NZ61401.KAP"));
    Ptr<IChartManager> cm(files.Create());
    ASSERT_EQ(cm->GetCatalogueCount(), 1) << Problems(cm.get()).join("\n").toStdString();
    IRasterChart *chart = RasterAt(cm.get(), 0);
    IRasterChartInfo *info = chart->GetInfo();
    EXPECT_EQ(Text(info->GetName()), "Tasman Bay");
    EXPECT_EQ(Text(info->GetNumber()), "NZ61401");
    EXPECT_EQ(Text(info->GetOriginalScale()), "1:100000");
    EXPECT_EQ(info->GetEditionNumber(), 1);
    EXPECT_EQ(Text(info->GetProductCode()), "_BSB");
    EXPECT_EQ(chart->GetVersion(), (3 << 24) | (7 << 16));
    EXPECT_TRUE(chart->GetUpdateInfo()->IsPresent());
    IGeodeticCalibration *cal = chart->GetGeodeticReference();
    ASSERT_FALSE(cal->HasError());
    EXPECT_EQ(cal->GetWidth(), 10517);
    EXPECT_EQ(cal->GetHeight(), 6966);
    // gdalinfo corner coordinates: upper left 172°42'29.81"E 40°40'37.42"S, lower right
    // 173°57'29.86"E 41°18'15.85"S.
    struct Corner { const char *name; double x, y, lat, lon; };
    const Corner corners[] = {{"upper left", 0, 0, -(40 + 40 / 60.0 + 37.42 / 3600), 172 + 42 / 60.0 + 29.81 / 3600},
                              {"lower right", 10517, 6966, -(41 + 18 / 60.0 + 15.85 / 3600), 173 + 57 / 60.0 + 29.86 / 3600}};
    for (const Corner &c : corners) {
        SCOPED_TRACE(c.name);
        TGeoPoint g;
        cal->PixelToGeo(g, TDouble2{c.x, c.y});
        EXPECT_NEAR(g.Lat / Deg, c.lat, 0.01 / 3600);
        EXPECT_NEAR(g.Lon / Deg, c.lon, 0.01 / 3600);
    }
    EXPECT_NEAR(chart->GetRotationAngle(), 0.0, 1e-6);
}

TEST(RasterChart, HandWrittenKapCalibrationMapsReferencePointsBothWays) {
    TManagerFiles files("bsb-fixture");
    const auto refs = MercatorRefs();
    WriteFile(files.Charts + "/set/T001.kap", MakeKap(64, 48, refs));
    WriteManifest(files.Charts + "/set", {"T001.kap"});
    Ptr<IChartManager> cm(files.Create());
    ASSERT_EQ(cm->GetCatalogueCount(), 1) << Problems(cm.get()).join("\n").toStdString();
    IRasterChart *chart = RasterAt(cm.get(), 0);
    EXPECT_EQ(Text(chart->GetInfo()->GetName()), "Test Chart");
    EXPECT_EQ(chart->GetInfo()->GetEditionNumber(), 7);
    EXPECT_EQ(chart->GetInfo()->GetChartSetKind(), 0);
    EXPECT_EQ(Text(chart->GetInfo()->GetChartSetName()), "Belgium");
    IGeodeticCalibration *cal = chart->GetGeodeticReference();
    ASSERT_FALSE(cal->HasError());
    for (const TRef &r : refs) {
        SCOPED_TRACE(r.X * 100 + r.Y);
        TGeoPoint g;
        cal->PixelToGeo(g, TDouble2{double(r.X), double(r.Y)});
        EXPECT_NEAR(g.Lat / Deg, r.Lat, 1e-7);
        EXPECT_NEAR(g.Lon / Deg, r.Lon, 1e-7);
        TDouble2 p;
        cal->GeoToPixel(p, TGeoPoint{r.Lat * Deg, r.Lon * Deg});
        EXPECT_NEAR(p.X, r.X, 1e-4);
        EXPECT_NEAR(p.Y, r.Y, 1e-4);
    }
    ASSERT_EQ(cm->GetProductCount(), 1);
    IChartProduct *product = cm->GetProduct(0);
    EXPECT_EQ(product->GetInfo()->GetProductNumber(), 196651u);
    EXPECT_EQ(Text(product->GetInfo()->GetCode()), "_MRC1");
    ASSERT_EQ(product->GetChartSetCount(), 1);
    IChartSet *set = product->GetChartSet(0);
    EXPECT_TRUE(set->IsActive());
    EXPECT_EQ(set->GetEntryCount(), 1);
    EXPECT_EQ(Text(set->GetInfo()->GetCode()), "BE");
    EXPECT_EQ(set->GetInfo()->GetChartSetNumber(), 3);
}

TEST(ChartManager, BadInputIsSkippedWithAMessageAndTheOtherChartsStay) {
    TManagerFiles files("bad-input");
    const QByteArray good = MakeKap(64, 48, MercatorRefs());
    WriteFile(files.Charts + "/set/GOOD.kap", good);
    WriteFile(files.Charts + "/set/CUT.kap", good.left(good.size() * 2 / 3));
    WriteFile(files.Charts + "/set/NOCAL.kap", MakeKap(64, 48, {}));
    WriteManifest(files.Charts + "/set", {"GOOD.kap", "CUT.kap", "NOCAL.kap", "MISSING.kap"});
    WriteFile(files.Charts + "/broken/chartset.json", "{ not json");
    const QString empty = files.Root + "/emptyS57";
    QDir().mkpath(empty);
    const QString cellSrc = testsupport::TestDataPath("charts/s57/s58/AA400004/AA400004.000");
    const QString s57 = files.Root + "/s57";
    QDir().mkpath(s57 + "/cut");
    QFile src(cellSrc);
    ASSERT_TRUE(src.open(QIODevice::ReadOnly)) << cellSrc.toStdString();
    const QByteArray cell = src.readAll();
    WriteFile(s57 + "/ok/AA400004.000", cell);
    WriteFile(s57 + "/cut/AA400099.000", cell.left(cell.size() / 2));
    Ptr<IChartManager> cm(files.Create());
    cm->AddS57Folder(Rec(empty), true, nullptr, nullptr);
    cm->AddS57Folder(Rec(s57), true, nullptr, nullptr);
    int32_t err = -1;
    EXPECT_TRUE(cm->LoadS57ChartInfo(nullptr, 0, 0, 1, err));
    ASSERT_EQ(cm->GetCatalogueCount(), 1);
    EXPECT_EQ(QFileInfo(Text(RasterAt(cm.get(), 0)->GetFileName())).fileName(), "GOOD.kap");
    const QString problems = Problems(cm.get()).join("\n");
    for (const char *expected : {"CUT.kap: The chart's image data", "NOCAL.kap: The chart has no calibration",
                                 "MISSING.kap: The chart file is missing", "chartset.json: The chart set's manifest is damaged",
                                 "emptyS57: The S-57 folder holds no cells"})
        EXPECT_TRUE(problems.contains(expected)) << expected << "\n in:\n" << problems.toStdString();
    EXPECT_EQ(cm->GetChartCount(), 1) << problems.toStdString();
    EXPECT_TRUE(problems.contains("AA400099.000: ")) << problems.toStdString();
}

TEST(S57Chart, NoaaCellWithUpdatesAndS58CellsMatchOgrinfo) {
    const QString folder = testsupport::TestDataPath("charts/s57");
    ASSERT_TRUE(QFileInfo::exists(folder));
    TManagerFiles files("s57");
    Ptr<IChartManager> cm(files.Create());
    cm->AddS57Folder(Rec(folder), true, nullptr, nullptr);
    int32_t err = -1;
    ASSERT_TRUE(cm->LoadS57ChartInfo(nullptr, 0, 0, 1, err));
    EXPECT_EQ(err, 0);
    ASSERT_EQ(cm->GetChartCount(), 5) << Problems(cm.get()).join("\n").toStdString();
    // ogrinfo DSID/DSPM of each cell (the NOAA cell after its three updates).
    struct Case { const char *cell; const char *edition; int scale; int vdat; int sdat; int purpose; int isdt; };
    const Case cases[] = {{"US4MD81M", "31", 80000, 16, 12, 4, 20250923},
                          {"AA400001", "1", 45000, 17, 10, 4, 20171221},
                          {"AA400002", "2", 45000, 17, 10, 4, 20180328},
                          {"AA400006", "1", 45000, 17, 10, 4, 20180209}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.cell);
        int32_t index = -1;
        ASSERT_TRUE(cm->FindChart(Rec(c.cell), index));
        IChart *chart = cm->GetChart(index);
        EXPECT_EQ(Text(chart->GetEdition()), c.edition);
        EXPECT_EQ(chart->GetScale(), c.scale);
        EXPECT_EQ(chart->GetVerticalDatum(), c.vdat);
        EXPECT_EQ(chart->GetSoundingDatum(), c.sdat);
        EXPECT_EQ(chart->GetNavigationalPurpose(), c.purpose);
        EXPECT_EQ(Text(chart->GetProductEdition()), "2.0");
        EXPECT_FALSE(chart->IsIENC());
        const QDate issue = QDate(1899, 12, 30).addDays(qint64(chart->GetIssueDate()));
        EXPECT_EQ(issue.toString("yyyyMMdd").toInt(), c.isdt);
        EXPECT_TRUE(chart->IsVisibleIn(1));
    }
    int32_t index = -1;
    EXPECT_FALSE(cm->FindChart(Rec("NOPE0001"), index));
    EXPECT_EQ(index, -1);
}

TEST(ChartManager, CatalogueCacheSparesARestartTheRereading) {
    TManagerFiles files("cache");
    const QString kap = files.Charts + "/set/T001.kap";
    WriteFile(kap, MakeKap(64, 48, MercatorRefs(), "Cached Name"));
    WriteManifest(files.Charts + "/set", {"T001.kap"});
    { Ptr<IChartManager> cm(files.Create()); ASSERT_EQ(cm->GetCatalogueCount(), 1); }
    // Same size and time, other content: only a reread would notice.
    const QFileInfo before(kap);
    QByteArray other = MakeKap(64, 48, MercatorRefs(), "Other Name!");
    other.resize(before.size());
    {
        QFile f(kap);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.write(other);
        f.flush();
        ASSERT_TRUE(f.setFileTime(before.lastModified(), QFileDevice::FileModificationTime));
    }
    {
        Ptr<IChartManager> cm(files.Create());
        ASSERT_EQ(cm->GetCatalogueCount(), 1);
        EXPECT_EQ(Text(RasterAt(cm.get(), 0)->GetInfo()->GetName()), "Cached Name");
    }
    // A changed file is read again.
    {
        QFile f(kap);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(before.lastModified().addSecs(60), QFileDevice::FileModificationTime));
    }
    Ptr<IChartManager> cm(files.Create());
    EXPECT_EQ(Text(RasterAt(cm.get(), 0)->GetInfo()->GetName()), "Other Name!");
}

TEST(ChartManager, SelectionPerViewerPersistsThroughCommit) {
    TManagerFiles files("selection");
    WriteFile(files.Charts + "/set/A.kap", MakeKap(64, 48, MercatorRefs(), "A"));
    WriteFile(files.Charts + "/set/B.kap", MakeKap(64, 48, MercatorRefs(), "B"));
    WriteManifest(files.Charts + "/set", {"A.kap", "B.kap"});
    TGUID a, b;
    {
        Ptr<IChartManager> cm(files.Create());
        cm->RegisterViewer(0);
        cm->RegisterViewer(1);
        ASSERT_EQ(cm->GetCatalogueCount(), 2);
        a = *RasterAt(cm.get(), 0)->GetInfo()->GetGUID();
        b = *RasterAt(cm.get(), 1)->GetInfo()->GetGUID();
        Ptr<ISortedGUIDArray> sel(SortedGUIDArrayCreate());
        cm->GetSelectedCharts(sel.get(), 1);
        EXPECT_EQ(sel->GetCount(), 2) << "first run shows every chart";
        Ptr<ISortedGUIDArray> onlyA(SortedGUIDArrayCreate());
        onlyA->Add(a);
        cm->SetSelectedCharts(1, onlyA.get());
        EXPECT_EQ(cm->GetCatalogueEntry(0)->GetViewerBits(), 0x3u);
        EXPECT_EQ(cm->GetCatalogueEntry(1)->GetViewerBits(), 0x1u);
        cm->DeselectCharts(onlyA.get(), 0);
        cm->CommitSelection();
    }
    Ptr<IChartManager> cm(files.Create());
    cm->RegisterViewer(0);
    cm->RegisterViewer(1);
    Ptr<ISortedGUIDArray> sel(SortedGUIDArrayCreate());
    cm->GetSelectedCharts(sel.get(), 0);
    EXPECT_FALSE(sel->Contains(a));
    EXPECT_TRUE(sel->Contains(b));
    cm->GetSelectedCharts(sel.get(), 1);
    EXPECT_TRUE(sel->Contains(a));
    EXPECT_FALSE(sel->Contains(b));
}

namespace {

// A small georeferenced GeoTIFF written with GDAL: origin and pixel size in the units of the
// EPSG system, north up. The pixels carry a pattern so the image is not empty.
void WriteGeoTiff(const QString &file, int epsg, int w, int h, double originX, double originY,
                  double pixelSize, const char *name) {
    GDALAllRegister();
    QDir().mkpath(QFileInfo(file).absolutePath());
    GDALDriver *driver = GetGDALDriverManager()->GetDriverByName("GTiff");
    ASSERT_TRUE(driver);
    GDALDatasetUniquePtr ds(driver->Create(QFile::encodeName(file).constData(), w, h, 1, GDT_Byte, nullptr));
    ASSERT_TRUE(ds);
    double gt[6] = {originX, pixelSize, 0.0, originY, 0.0, -pixelSize};
    ASSERT_EQ(ds->SetGeoTransform(gt), CE_None);
    OGRSpatialReference srs;
    ASSERT_EQ(srs.importFromEPSG(epsg), OGRERR_NONE);
    ASSERT_EQ(ds->SetSpatialRef(&srs), CE_None);
    ds->SetMetadataItem("TIFFTAG_DOCUMENTNAME", name);
    std::vector<uint8_t> pixels(size_t(w) * size_t(h));
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = uint8_t(i * 37);
    ASSERT_EQ(ds->GetRasterBand(1)->RasterIO(GF_Write, 0, 0, w, h, pixels.data(), w, h, GDT_Byte, 0, 0,
                                             nullptr),
              CE_None);
}

// GDAL/PROJ's own answer: a position in an EPSG system to WGS 84 degrees (lat, lon).
bool ToWgs84(int epsg, double x, double y, double &latDeg, double &lonDeg) {
    OGRSpatialReference from, to;
    if (from.importFromEPSG(epsg) != OGRERR_NONE) return false;
    to.SetWellKnownGeogCS("WGS84");
    from.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    to.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    std::unique_ptr<OGRCoordinateTransformation> t(OGRCreateCoordinateTransformation(&from, &to));
    if (!t || !t->Transform(1, &x, &y)) return false;
    lonDeg = x;
    latDeg = y;
    return true;
}

}  // namespace

TEST(RasterChart, GeoTiffInAChartSetIsListedAndItsCornersMapToTheirPositions) {
    struct Case {
        const char *name;
        int epsg;
        double originX, originY, pixelSize;  // EPSG units
    };
    // World Mercator: 5 km pixels, so that the middle of the chart is off a straight line
    // between its corners by far more than the tolerance.
    const Case cases[] = {{"geographic", 4326, 4.0, 52.5, 0.01},
                          {"world mercator", 3395, 445277.96317309426, 6781891.619437493, 5000.0}};
    constexpr int W = 16, H = 12;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TManagerFiles files(QStringLiteral("geotiff-%1").arg(c.epsg));
        WriteGeoTiff(files.Charts + "/set/G001.tif", c.epsg, W, H, c.originX, c.originY, c.pixelSize,
                     c.name);
        WriteManifest(files.Charts + "/set", {"G001.tif"});
        struct Pixel { const char *where; double x, y; };
        const Pixel pixels[] = {{"upper left", 0, 0},  {"upper right", W, 0},     {"lower right", W, H},
                                {"lower left", 0, H},  {"middle", W / 2.0, H / 2.0}};
        // First from the file, then from the catalogue cache.
        for (const char *run : {"read", "cached"}) {
            SCOPED_TRACE(run);
            Ptr<IChartManager> cm(files.Create());
            ASSERT_EQ(cm->GetCatalogueCount(), 1) << Problems(cm.get()).join("\n").toStdString();
            EXPECT_TRUE(Problems(cm.get()).isEmpty()) << Problems(cm.get()).join("\n").toStdString();
            IRasterChart *chart = RasterAt(cm.get(), 0);
            ASSERT_TRUE(chart);
            EXPECT_EQ(QFileInfo(Text(chart->GetFileName())).fileName(), "G001.tif");
            EXPECT_EQ(Text(chart->GetInfo()->GetName()), c.name);
            EXPECT_EQ(Text(chart->GetInfo()->GetChartSetName()), "Belgium");
            EXPECT_TRUE(cm->GetCatalogueEntry(0)->IsAvailable());
            EXPECT_NEAR(chart->GetRotationAngle(), 0.0, 1e-9);
            IGeodeticCalibration *cal = chart->GetGeodeticReference();
            ASSERT_FALSE(cal->HasError());
            EXPECT_EQ(cal->GetWidth(), W);
            EXPECT_EQ(cal->GetHeight(), H);
            for (const Pixel &p : pixels) {
                SCOPED_TRACE(p.where);
                double lat = 0, lon = 0;
                ASSERT_TRUE(ToWgs84(c.epsg, c.originX + p.x * c.pixelSize, c.originY - p.y * c.pixelSize, lat, lon));
                TGeoPoint g;
                cal->PixelToGeo(g, TDouble2{p.x, p.y});
                EXPECT_NEAR(g.Lat / Deg, lat, 1e-7);
                EXPECT_NEAR(g.Lon / Deg, lon, 1e-7);
                TDouble2 back;
                cal->GeoToPixel(back, TGeoPoint{lat * Deg, lon * Deg});
                EXPECT_NEAR(back.X, p.x, 1e-4);
                EXPECT_NEAR(back.Y, p.y, 1e-4);
            }
        }
    }
}

TEST(RasterChart, ManifestCarriesTheChartsCompanionsAndKeepsTheirNamesInsideTheSet) {
    TManagerFiles files("manifest-extras");
    WriteFile(files.Charts + "/set/sub/T001.kap", MakeKap(64, 48, MercatorRefs()));
    QJsonObject chart{
        {"file", "sub/T001.kap"},
        {"legend", "legends/T001.leg"},
        {"infoFiles", QJsonArray{QJsonObject{{"title", "Notes"}, {"file", "sub/info.pkh"}},
                                 QJsonObject{{"title", "Escape"}, {"file", "../../outside.pkh"}},
                                 QJsonObject{{"title", "Absolute"}, {"file", "/etc/passwd"}},
                                 QJsonObject{{"title", "Backslash"}, {"file", "..\\x.pkh"}},
                                 QJsonObject{{"title", "Drive"}, {"file", "C:\\x.pkh"}},
                                 QJsonObject{{"title", "Windows"}, {"file", "docs\\more.pkh"}}}},
        {"disclaimer", "Not for navigation."},
        {"license", "One seat."},
        {"digitizedBy", "Chart Works"},
        {"heightUnits", "Meters"},
        {"sourceChartName", "Coast"},
        {"sourceNotice", "By permission"},
        {"magneticVariation", QJsonObject{{"degrees", -2.34}, {"annualChange", 0.12}, {"date", "2024-01-01"}}},
        {"formatVersion", "2.0.0.0"}};
    const QJsonObject o{{"product", QJsonObject{{"number", 7}, {"code", "_MRC1"}, {"title", "Test"}}},
                        {"set", QJsonObject{{"number", 1}, {"code", "S"}, {"title", "Set"}}},
                        {"moduleMask", 1},
                        {"charts", QJsonArray{chart}}};
    WriteFile(files.Charts + "/set/chartset.json", QJsonDocument(o).toJson());
    Ptr<IChartManager> cm(files.Create());
    ASSERT_EQ(cm->GetCatalogueCount(), 1) << Problems(cm.get()).join("\n").toStdString();
    IRasterChart *raster = RasterAt(cm.get(), 0);
    IRasterChartInfo *info = raster->GetInfo();
    // Names come back relative to the chart file's folder, which here is a subfolder.
    EXPECT_EQ(Text(info->GetLegendFileName()), "../legends/T001.leg");
    ASSERT_EQ(info->GetInfoFileCount(), 2);
    Ptr<IStrW> title(StrWCreate(u"", 0)), file(StrWCreate(u"", 0));
    ASSERT_TRUE(info->GetInfoFile(0, 0, title.get(), file.get()));
    EXPECT_EQ(Text(title->GetRec()), "Notes");
    EXPECT_EQ(Text(file->GetRec()), "info.pkh");
    ASSERT_TRUE(info->GetInfoFile(1, 0, title.get(), file.get()));
    EXPECT_EQ(Text(file->GetRec()), "../docs/more.pkh");
    EXPECT_FALSE(info->GetInfoFile(2, 0, title.get(), file.get()));
    EXPECT_EQ(Text(file->GetRec()), "");
    EXPECT_EQ(Text(info->GetDisclaimer()), "Not for navigation.");
    EXPECT_EQ(Text(info->GetTermsText()), "One seat.");
    EXPECT_EQ(Text(info->GetDigitizedBy()), "Chart Works");
    EXPECT_EQ(Text(info->GetHeightUnits()), "Meters");
    EXPECT_EQ(Text(info->GetSourceChartName()), "Coast");
    EXPECT_EQ(Text(info->GetSourceNotice()), "By permission");
    TMagneticVariation v;
    info->GetMagneticVariation(v);
    EXPECT_TRUE(v.Present);
    EXPECT_DOUBLE_EQ(v.Degrees, -2.34);
    EXPECT_NEAR(v.RateDegPerSecond * 31536000.0, 0.12, 1e-12);
    EXPECT_GT(v.MeasuredUTC, 0.0);
    EXPECT_EQ(raster->GetVersion(), 0x02000000);
}

TEST(RasterChart, LegendNameLeavingTheSetIsDropped) {
    TManagerFiles files("manifest-escape");
    WriteFile(files.Charts + "/set/T001.kap", MakeKap(64, 48, MercatorRefs()));
    const QJsonObject o{{"product", QJsonObject{{"number", 7}, {"code", "_MRC1"}, {"title", "Test"}}},
                        {"set", QJsonObject{{"number", 1}, {"code", "S"}, {"title", "Set"}}},
                        {"moduleMask", 1},
                        {"charts", QJsonArray{QJsonObject{{"file", "T001.kap"}, {"legend", "a/../../x.leg"}}}}};
    WriteFile(files.Charts + "/set/chartset.json", QJsonDocument(o).toJson());
    Ptr<IChartManager> cm(files.Create());
    ASSERT_EQ(cm->GetCatalogueCount(), 1);
    IRasterChart *raster = RasterAt(cm.get(), 0);
    EXPECT_EQ(Text(raster->GetInfo()->GetLegendFileName()), "");
    TMagneticVariation v;
    raster->GetInfo()->GetMagneticVariation(v);
    EXPECT_FALSE(v.Present);
    EXPECT_EQ(raster->GetInfo()->GetInfoFileCount(), 0);
}
