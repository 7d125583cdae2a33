// The demo data generator: what it builds, and that GDAL reads every file it writes.
#include "DemoData.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QColor>

#include <cmath>

namespace {

int CountStructs(const demo::TNetwork &net, int kind) {
    return int(std::count_if(net.Structures.begin(), net.Structures.end(),
                             [&](const demo::TStructure &s) { return s.Kind == kind; }));
}

TEST(DemoNetworkRecords, AreaHasTheAdvertisedContents) {
    const demo::TNetwork net = demo::BuildDemoNetwork();
    EXPECT_GE(net.Sections.size(), 60u);
    EXPECT_GE(CountStructs(net, 1), 10);
    EXPECT_EQ(CountStructs(net, 3), 3);
    EXPECT_EQ(net.Marinas.size(), 2u);
    EXPECT_GE(net.DistanceMarks.size(), 10u);

    int fixed = 0, opening = 0, openingWithPeriods = 0;
    for (const auto &s : net.Structures) {
        if (s.Kind != 1) continue;
        ASSERT_FALSE(s.Items.empty()) << s.Name.toStdString();
        if (s.Items.front().BridgeType == 14) {
            ++fixed;
        } else {
            ++opening;
            if (!s.Periods.empty() && !s.Periods.front().Windows.empty()) ++openingWithPeriods;
        }
    }
    EXPECT_GE(fixed, 3);
    EXPECT_GE(opening, 3);
    EXPECT_EQ(openingWithPeriods, opening);
    for (const auto &s : net.Structures) {
        if (s.Kind != 3) continue;
        EXPECT_FALSE(s.Items.empty()) << s.Name.toStdString();
        EXPECT_FALSE(s.Periods.empty()) << s.Name.toStdString();
    }
}

TEST(DemoNetworkRecords, ReferencesAreConsistent) {
    const demo::TNetwork net = demo::BuildDemoNetwork();
    QSet<int> junctions;
    for (const auto &j : net.Junctions) {
        EXPECT_FALSE(junctions.contains(j.Id));
        junctions.insert(j.Id);
    }
    QSet<QString> guids;
    for (const auto &s : net.Sections) {
        EXPECT_TRUE(junctions.contains(s.StartJunction));
        EXPECT_TRUE(junctions.contains(s.EndJunction));
        EXPECT_GE(s.Line.size(), 2u);
        EXPECT_GT(s.LengthM, 100.0);
        EXPECT_FALSE(guids.contains(s.Guid)) << "section GUID repeated";
        guids.insert(s.Guid);
    }
    for (const auto &st : net.Structures) {
        const demo::TSection *s = net.FindSection(st.Section);
        ASSERT_NE(s, nullptr) << st.Name.toStdString();
        EXPECT_GE(st.SectionPosition, 0.0);
        EXPECT_LE(st.SectionPosition, s->LengthM);
        EXPECT_FALSE(guids.contains(st.Guid)) << "structure GUID repeated";
        guids.insert(st.Guid);
    }
    // The same name always gives the same GUID (fixtures and settings rely on it).
    EXPECT_EQ(demo::NameGuid(QStringLiteral("x")), demo::NameGuid(QStringLiteral("x")));
    EXPECT_NE(demo::NameGuid(QStringLiteral("x")), demo::NameGuid(QStringLiteral("y")));
}

class DemoDataFiles : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        GDALAllRegister();
        Folder = new QString(testsupport::MakeTempDir(QStringLiteral("demodata")));
        QString error;
        Written = demo::WriteDemoData(*Folder, error);
        *Error = error;
    }
    static void TearDownTestSuite() {
        delete Folder;
        Folder = nullptr;
    }
    QString Path(const char *rel) const { return QDir(*Folder).filePath(QString::fromLatin1(rel)); }

    static QString *Folder;
    static bool Written;
    static QString *Error;
};
QString *DemoDataFiles::Folder = nullptr;
bool DemoDataFiles::Written = false;
QString *DemoDataFiles::Error = new QString;

TEST_F(DemoDataFiles, WritesEveryFileAndTheMarkerLast) {
    ASSERT_TRUE(Written) << Error->toStdString();
    const QFileInfo marker(Path(".complete"));
    ASSERT_TRUE(marker.exists());
    for (const char *rel : {demo::NetworkRelPath, demo::S57RelPath, demo::KapRelPath}) {
        const QFileInfo f(Path(rel));
        ASSERT_TRUE(f.exists()) << rel;
        EXPECT_GT(f.size(), 1000) << rel;
        EXPECT_LE(f.lastModified(), marker.lastModified()) << rel;
    }
}

TEST_F(DemoDataFiles, NetworkIsAGeoPackageWithEveryLayer) {
    ASSERT_TRUE(Written) << Error->toStdString();
    const char *drivers[] = {"GPKG", nullptr};
    GDALDatasetUniquePtr ds(GDALDataset::Open(QFile::encodeName(Path(demo::NetworkRelPath)).constData(),
                                              GDAL_OF_VECTOR | GDAL_OF_READONLY, drivers));
    ASSERT_TRUE(ds);
    const demo::TNetwork net = demo::BuildDemoNetwork();
    struct Case {
        const char *layer;
        GIntBig count;
    };
    const Case cases[] = {{"sections", GIntBig(net.Sections.size())},
                          {"junctions", GIntBig(net.Junctions.size())},
                          {"structures", GIntBig(net.Structures.size())},
                          {"marinas", 2},
                          {"distance_marks", GIntBig(net.DistanceMarks.size())},
                          {"network_info", 1}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.layer);
        OGRLayer *l = ds->GetLayerByName(c.layer);
        ASSERT_NE(l, nullptr);
        EXPECT_EQ(l->GetFeatureCount(), c.count);
    }
    OGRLayer *sections = ds->GetLayerByName("sections");
    OGRFeatureUniquePtr first(sections->GetNextFeature());
    ASSERT_TRUE(first);
    ASSERT_NE(first->GetGeometryRef(), nullptr);
    EXPECT_EQ(wkbFlatten(first->GetGeometryRef()->getGeometryType()), wkbLineString);
}

TEST_F(DemoDataFiles, S57CellReadsBackWithGeometry) {
    ASSERT_TRUE(Written) << Error->toStdString();
    GDALDatasetUniquePtr ds(GDALDataset::Open(QFile::encodeName(Path(demo::S57RelPath)).constData(),
                                              GDAL_OF_VECTOR | GDAL_OF_READONLY));
    ASSERT_TRUE(ds);
    ASSERT_STREQ(ds->GetDriverName(), "S57");
    struct Case {
        const char *layer;
        int minCount;
        OGRwkbGeometryType geometry;
    };
    const Case cases[] = {
        {"DEPARE", 20, wkbPolygon},   {"DRGARE", 2, wkbPolygon},   {"LNDARE", 1, wkbPolygon},
        {"LAKARE", 1, wkbPolygon},    {"CANALS", 5, wkbPolygon},   {"RIVERS", 2, wkbPolygon},
        {"BUAARE", 9, wkbPolygon},    {"LOKBSN", 4, wkbPolygon},   {"SLCONS", 2, wkbPolygon},
        {"COALNE", 1, wkbLineString}, {"DEPCNT", 5, wkbLineString}, {"BRIDGE", 12, wkbLineString},
        {"GATCON", 8, wkbLineString}, {"SOUNDG", 2, wkbMultiPoint}, {"BOYLAT", 8, wkbPoint},
        {"BCNLAT", 2, wkbPoint},      {"LIGHTS", 4, wkbPoint},     {"HRBFAC", 2, wkbPoint},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.layer);
        OGRLayer *l = ds->GetLayerByName(c.layer);
        ASSERT_NE(l, nullptr);
        int n = 0;
        l->ResetReading();
        while (OGRFeatureUniquePtr f{l->GetNextFeature()}) {
            ++n;
            ASSERT_NE(f->GetGeometryRef(), nullptr);
            EXPECT_EQ(wkbFlatten(f->GetGeometryRef()->getGeometryType()), c.geometry);
        }
        EXPECT_GE(n, c.minCount);
    }
    // Attributes survive the round trip: depth ranges, clearances of a fixed and an
    // opening bridge, names on the waterways.
    OGRLayer *depare = ds->GetLayerByName("DEPARE");
    depare->ResetReading();
    while (OGRFeatureUniquePtr d{depare->GetNextFeature()})
        EXPECT_LT(d->GetFieldAsDouble("DRVAL1"), d->GetFieldAsDouble("DRVAL2"));
    OGRLayer *bridges = ds->GetLayerByName("BRIDGE");
    bridges->SetAttributeFilter("OBJNAM = 'Orle Road Bridge'");
    OGRFeatureUniquePtr b(bridges->GetNextFeature());
    ASSERT_TRUE(b);
    EXPECT_DOUBLE_EQ(b->GetFieldAsDouble("VERCLR"), 9.0);
    bridges->SetAttributeFilter("OBJNAM = 'Orle Railway Bridge'");
    OGRFeatureUniquePtr rail(bridges->GetNextFeature());
    ASSERT_TRUE(rail);
    EXPECT_DOUBLE_EQ(rail->GetFieldAsDouble("VERCCL"), 4.0);
    EXPECT_DOUBLE_EQ(rail->GetFieldAsDouble("VERCOP"), 12.0);
    OGRLayer *canals = ds->GetLayerByName("CANALS");
    canals->SetAttributeFilter("OBJNAM = 'Kessel Canal'");
    EXPECT_GE(canals->GetFeatureCount(), 1);
}

TEST_F(DemoDataFiles, KapChartReadsBackCalibrated) {
    ASSERT_TRUE(Written) << Error->toStdString();
    GDALDatasetUniquePtr ds(GDALDataset::Open(QFile::encodeName(Path(demo::KapRelPath)).constData(),
                                              GDAL_OF_RASTER | GDAL_OF_READONLY));
    ASSERT_TRUE(ds);
    ASSERT_STREQ(ds->GetDriverName(), "BSB");
    double gt[6] = {};
    ASSERT_EQ(ds->GetGeoTransform(gt), CE_None);
    // Consistent Mercator reference points give square pixels.
    EXPECT_NEAR(gt[1], -gt[5], 1e-3 * gt[1]);
    // One pixel is what a 96 dpi screen pixel shows at the chart's scale: about 13 m, in
    // Mercator metres a little more at this latitude.
    const demo::TArea area = demo::DemoArea();
    const double groundPerPixel = demo::ChartScale * 0.0254 / demo::KapPixelsPerInch;
    const double mercatorPerGround = 1.0 / std::cos((area.North + area.South) / 2 * M_PI / 180.0);
    EXPECT_NEAR(gt[1], groundPerPixel * mercatorPerGround, 0.01 * gt[1]);
    EXPECT_NEAR(ds->GetRasterXSize() * gt[1], (area.East - area.West) * M_PI / 180.0 * 6378137.0, 2 * gt[1]);

    // Colours: at most the 127 a KAP holds, land in the S-52 land colour along the east
    // edge, deep water in white along the west edge (a sounding's figures aside).
    GDALRasterBand *band = ds->GetRasterBand(1);
    GDALColorTable *ct = band->GetColorTable();
    ASSERT_NE(ct, nullptr);
    EXPECT_LE(ct->GetColorEntryCount(), 127);
    auto colour = [&](int x, int y) {
        uint8_t v = 255;
        EXPECT_EQ(band->RasterIO(GF_Read, x, y, 1, 1, &v, 1, 1, GDT_Byte, 0, 0), CE_None);
        const GDALColorEntry *e = ct->GetColorEntry(v);
        return e ? qRgb(e->c1, e->c2, e->c3) : 0u;
    };
    const int h = ds->GetRasterYSize(), w = ds->GetRasterXSize();
    int land = 0, deep = 0;
    for (int i = 1; i <= 20; ++i) {
        if (colour(w - 3, h * i / 21) == qRgb(201, 185, 122)) ++land;
        if (colour(2, h * i / 21) == qRgb(255, 255, 255)) ++deep;
    }
    EXPECT_GE(land, 18);
    EXPECT_GE(deep, 15);
}

TEST_F(DemoDataFiles, RewriteReplacesTheSet) {
    ASSERT_TRUE(Written) << Error->toStdString();
    QString error;
    ASSERT_TRUE(demo::WriteDemoData(*Folder, error)) << error.toStdString();
    EXPECT_TRUE(QFileInfo::exists(Path(".complete")));
    EXPECT_FALSE(QFileInfo::exists(Path(demo::NetworkRelPath) + QStringLiteral(".part")));
}

TEST(DemoDataWriters, UnwritableTargetGivesMessageNamingTheFile) {
    const QString dir = testsupport::MakeTempDir(QStringLiteral("demodata-blocked"));
    // A plain file where the folder should be.
    const QString blocker = QDir(dir).filePath(QStringLiteral("blocked"));
    QFile f(blocker);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    const QString target = blocker + QStringLiteral("/net.kvwwn");
    QString error;
    EXPECT_FALSE(demo::WriteNetwork(demo::BuildDemoNetwork(), target, error));
    EXPECT_TRUE(error.contains(target)) << error.toStdString();
    // The raster chart is drawn from a readable cell, then cannot be written.
    const QString cell = QDir(dir).filePath(QStringLiteral("cell/XX5VELM1.000"));
    error.clear();
    ASSERT_TRUE(demo::WriteS57Cell(demo::BuildDemoNetwork(), cell, error)) << error.toStdString();
    EXPECT_FALSE(demo::WriteKapChart(cell, blocker + QStringLiteral("/x.kap"), error));
    EXPECT_TRUE(error.contains(QStringLiteral("x.kap"))) << error.toStdString();
    EXPECT_FALSE(QFileInfo::exists(blocker + QStringLiteral("/x.kap")));
}

}  // namespace
