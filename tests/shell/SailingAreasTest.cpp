// The water bodies the installed chart sets cover, derived from chart-set folders the test
// writes and the real chart manager installs, handed to a recording viewer target.
#include "NavEnvFixture.h"
#include "base/kvlib/KvLib.h"
#include "base/kvlib/KvStrings.h"
#include "shell/MarivoSailingAreas.h"

#include <KvLibNav6/KvCharts.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>

namespace {

struct TSet {
    const char *Folder;  // the folders are read in name order
    uint32_t Product;
    const char *Code;
};

void WriteSet(const QString &charts, const TSet &s) {
    const QString folder = QDir(charts).filePath(QLatin1String(s.Folder));
    QDir().mkpath(folder);
    const QString product = QStringLiteral("P%1").arg(s.Product, 0, 16);
    const QJsonObject manifest{
        {QStringLiteral("product"), QJsonObject{{QStringLiteral("number"), double(s.Product)},
                                               {QStringLiteral("code"), product},
                                               {QStringLiteral("title"), product}}},
        {QStringLiteral("set"), QJsonObject{{QStringLiteral("number"), 1},
                                           {QStringLiteral("code"), QLatin1String(s.Code)},
                                           {QStringLiteral("title"), QLatin1String(s.Code)}}},
        {QStringLiteral("moduleMask"), 1},
        {QStringLiteral("charts"), QJsonArray()}};
    QFile f(QDir(folder).filePath(QStringLiteral("chartset.json")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QJsonDocument(manifest).toJson());
}

struct TRecorder : ISailingAreaTarget {
    std::vector<TSailingArea> Areas;
    std::vector<int32_t> Masks;
    void AddChartArea(const TSailingArea &a) override { Areas.push_back(a); }
    void SetChartAreaMask(int32_t mask) override { Masks.push_back(mask); }
};

constexpr double Deg = 180.0 / M_PI;

// A rectangle as "bits@lower latitude in degrees" (every row of the tables differs in it).
QStringList Describe(const std::vector<TSailingArea> &areas) {
    QStringList out;
    for (const TSailingArea &a : areas)
        out << QStringLiteral("%1@%2").arg(a.Bits).arg(a.Lat1 * Deg, 0, 'f', 3);
    return out;
}

constexpr uint32_t Listed = 0x3002B, OtherListed = 0x300AE, Unlisted = 0x30030;
const QString FR = QStringLiteral("0@52.831"), FM = QStringLiteral("0@52.824"),
              Noord = QStringLiteral("8@52.301"), REM5 = QStringLiteral("32@47.443"),
              REM6 = QStringLiteral("64@47.443"), NWD = QStringLiteral("32@50.916"),
              DONAU1 = QStringLiteral("2048@48.060"), NF = QStringLiteral("64@48.274");

using SailingAreas = NavEnvFixture;

}  // namespace

TEST_F(SailingAreas, InstalledSetCodesGiveTheMaskAndTheRectangles) {
    auto env = Make();
    ASSERT_TRUE(env->WaterwayNetwork);
    const std::vector<TSet> allNine = {
        {"a1", Listed, "FR"}, {"a2", Listed, "NL"},    {"a3", Listed, "BE"},
        {"a4", Listed, "FM"}, {"a5", Listed, "BI"},    {"a6", Listed, "AM"},
        {"a7", Listed, "Noord"}, {"a8", Listed, "Zuid"}, {"a9", Listed, "REM"}};
    std::vector<TSet> eightThenRest(allNine.begin(), allNine.end() - 1);
    eightThenRest.push_back({"b1", OtherListed, "REM"});
    eightThenRest.push_back({"b2", OtherListed, "NWD"});
    std::vector<TSet> nineThenRest = allNine;
    for (const TSet &s : {TSet{"b1", OtherListed, "NWD"}, TSet{"b2", OtherListed, "DONAU1"},
                          TSet{"b3", OtherListed, "NF"}})
        nineThenRest.push_back(s);
    const struct {
        const char *name;
        std::vector<TSet> sets;
        int32_t mask;
        QStringList areas;
    } cases[] = {
        {"NL and FR: the whole of the Netherlands", {{"a", Listed, "NL"}, {"b", Listed, "FR"}}, 8, {}},
        {"FR and FM: the FR rectangle only", {{"a", Listed, "FM"}, {"b", Listed, "FR"}}, 0, {FR}},
        {"FM alone has its own rectangle", {{"a", Listed, "FM"}}, 0, {FM}},
        {"Noord and Zuid without NL: the whole", {{"a", Listed, "Noord"}, {"b", OtherListed, "Zuid"}}, 8, {}},
        {"Noord alone: a rectangle with the body's bit", {{"a", Listed, "Noord"}}, 0, {Noord}},
        {"REM: the same rectangle for two bodies", {{"a", Listed, "REM"}}, 0, {REM5, REM6}},
        {"BE: a mask bit, no rectangle", {{"a", Listed, "BE"}}, 16, {}},
        {"a product off the list counts for nothing",
         {{"a", Unlisted, "NL"}, {"b", Unlisted, "REM"}, {"c", Unlisted, "BE"}}, 0, {}},
        {"codes are compared exactly", {{"a", Listed, "nl"}, {"b", Listed, "fr"}, {"c", Listed, "Rem"}}, 0, {}},
        {"all nine in one product: later products are not read", nineThenRest, 8 | 16, {REM5, REM6}},
        {"eight in the first product: the next one is read", eightThenRest, 8 | 16, {NWD, REM5, REM6}},
    };
    int n = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString charts = testsupport::MakeTempDir(QStringLiteral("areas%1").arg(++n)) + QStringLiteral("/Charts");
        for (const TSet &s : c.sets) WriteSet(charts, s);
        const QString root = QFileInfo(charts).absolutePath();
        TNavPtr<IChartManager> cm(ChartManagerCreate(
            StrW(root + QStringLiteral("/ChartInfo.cif")), StrW(root + QStringLiteral("/Selected")),
            StrW(charts), nullptr, 1, nullptr, nullptr, nullptr, nullptr));
        ASSERT_TRUE(cm);
        ASSERT_GT(cm->GetProductCount(), 0) << "the sets are installed";
        TRecorder viewer;
        BuildSailingAreas(cm.get(), env->WaterwayNetwork, viewer);
        EXPECT_EQ(Describe(viewer.Areas), c.areas);
        EXPECT_EQ(viewer.Masks, std::vector<int32_t>{c.mask}) << "the mask comes once, after the rectangles";
    }
}

TEST_F(SailingAreas, TheProgramsChartManagerIsReadAndOpenSidesKeepTheirMarkers) {
    // The demo data installs the Dutch inland set (NL) of a listed product.
    const QString charts = FData + QStringLiteral("/Charts");
    WriteSet(charts, {"zz1", Listed, "NOD"});
    WriteSet(charts, {"zz2", Listed, "Noord"});
    WriteSet(charts, {"zz3", Listed, "ZF"});
    auto env = Make();
    ASSERT_TRUE(env->WaterwayNetwork);
    TRecorder viewer;
    BuildSailingAreas(env->ChartManager, env->WaterwayNetwork, viewer);
    EXPECT_EQ(viewer.Masks, std::vector<int32_t>{8}) << "the demo's NL set";
    ASSERT_EQ(viewer.Areas.size(), 2u) << "Noord goes in the whole of the Netherlands";
    const TSailingArea &nod = viewer.Areas[0], &zf = viewer.Areas[1];
    EXPECT_EQ(nod.Bits, 32);
    EXPECT_EQ(nod.Lon1, 180.0) << "markers are stored numbers, not degrees";
    EXPECT_EQ(nod.Lat2, 90.0);
    EXPECT_NEAR(nod.Lon2 * Deg, 10.5, 1e-12);
    EXPECT_EQ(zf.Bits, 64);
    EXPECT_EQ(zf.Lat1, 0.0);
    EXPECT_EQ(zf.Lon1, 180.0);
    EXPECT_NEAR(zf.Lat2 * Deg, 48.576, 1e-12);
    EXPECT_EQ(zf.Lon2, 0.0);

    // Without a network nothing reaches the viewer, not even a mask.
    TRecorder none;
    BuildSailingAreas(env->ChartManager, nullptr, none);
    EXPECT_TRUE(none.Areas.empty());
    EXPECT_TRUE(none.Masks.empty());

    // Noord on its own keeps its own open north side, pi/2.
    const QString own = testsupport::MakeTempDir(QStringLiteral("areas-noord")) + QStringLiteral("/Charts");
    WriteSet(own, {"a", Listed, "Noord"});
    const QString root = QFileInfo(own).absolutePath();
    TNavPtr<IChartManager> cm(ChartManagerCreate(StrW(root + QStringLiteral("/ChartInfo.cif")),
                                                 StrW(root + QStringLiteral("/Selected")), StrW(own), nullptr, 1,
                                                 nullptr, nullptr, nullptr, nullptr));
    const TSailingAreas noord = SailingAreasFromCharts(cm.get());
    ASSERT_EQ(noord.Areas.size(), 1u);
    EXPECT_NEAR(noord.Areas[0].Lon1 * Deg, 10.0, 1e-12);
    EXPECT_DOUBLE_EQ(noord.Areas[0].Lat2, M_PI / 2);
    EXPECT_EQ(noord.Areas[0].Lon2, 0.0);
}
