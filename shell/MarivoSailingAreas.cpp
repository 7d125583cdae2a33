#include "shell/MarivoSailingAreas.h"

#include "base/charts/KvCharts.h"
#include "chartview/NavViewerControl.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvCharts.h>

#include <QSet>
#include <QString>
#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

// The inland chart products of the maker's chart line; other products say nothing about
// the water bodies, whatever their set codes.
constexpr uint32_t InlandProducts[] = {
    0x3002B, 0x30031, 0x30033, 0x30034, 0x30038, 0x30041, 0x30043, 0x30046, 0x30049, 0x3004C,
    0x30052, 0x30054, 0x30055, 0x30058, 0x3005A, 0x3005B, 0x3005E, 0x30061, 0x30064, 0x30067,
    0x3006A, 0x3006D, 0x30091, 0x30094, 0x300A1, 0x300A4, 0x300AB, 0x300AE};

// Once these are all found no later product can change the outcome of the first table.
const char *const StopCodes[] = {"FR", "NL", "BE", "FM", "BI", "AM", "Noord", "Zuid", "REM"};

constexpr int32_t Body(int n) { return int32_t(1u << n); }
constexpr int32_t Netherlands = Body(3), Belgium = Body(4), Germany = Body(5), France = Body(6),
                  Danube = Body(11);

// Open sides: stored as they are, beyond every real radian value.
constexpr double OpenLat = 90.0, OpenLon = 180.0, Open = 0.0;

constexpr double Rad(double degrees) { return degrees * M_PI / 180.0; }

struct TRow {
    const char *Code;
    TSailingArea Area;
};

// Partly covered Dutch waters; only when the Netherlands are not covered as a whole.
const TRow DutchRows[] = {
    {"FR", {0, Rad(52.8308661), Rad(6.2881876), Rad(53.4147548), Rad(5.3541858)}},
    {"FM", {0, Rad(52.824), Rad(5.9245), Rad(53.111), Rad(5.332)}},
    {"BI", {0, Rad(51.679), Rad(4.921), Rad(51.835), Rad(4.601)}},
    {"AM", {0, Rad(52.3179), Rad(5.1573), Rad(52.4437), Rad(4.7235)}},
    // Its open north side is π/2 rather than the 90.0 marker: both lie at or past the
    // viewer's latitude limit, so either leaves the side open.
    {"Noord", {Netherlands, Rad(52.301), Rad(10.0), M_PI / 2, Open}},
    {"Zuid", {Netherlands, Open, Rad(10.0), Rad(52.302), Open}},
};

// German, Danube and French waters, added whatever the Dutch coverage is.
const TRow OtherRows[] = {
    {"NWD", {Germany, Rad(50.916), Rad(11.128), OpenLat, Open}},
    {"ZWD", {Germany, Open, Rad(11.518), Rad(51.159), Open}},
    {"NOD", {Germany, Rad(50.916), OpenLon, OpenLat, Rad(10.5)}},
    {"REM", {Germany, Rad(47.443), Rad(8.606), Rad(51.988), Rad(5.868)}},
    {"REM", {France, Rad(47.443), Rad(8.606), Rad(51.988), Rad(5.868)}},
    {"DONAU1", {Danube, Rad(48.06), Rad(17.08), Rad(49.94), Rad(10.703)}},
    {"DONAU2", {Danube, Rad(44.518), Rad(21.5), Rad(48.266), Rad(16.045)}},
    {"DONAU3", {Danube, Rad(29.792), Rad(42.776), Rad(46.047), Rad(21.235)}},
    {"NF", {France, Rad(48.274), OpenLon, OpenLat, Open}},
    {"ZF", {France, Open, OpenLon, Rad(48.576), Open}},
};

bool IsInlandProduct(IChartProduct *product) {
    IChartProductInfo *info = product ? product->GetInfo() : nullptr;
    if (!info) return false;
    return std::ranges::find(InlandProducts, info->GetProductNumber()) != std::end(InlandProducts);
}

// The set codes of the inland products, in chart-manager order, up to the product after
// which every code of StopCodes has been seen.
QSet<QString> InstalledCodes(IChartManager *charts) {
    QSet<QString> found;
    if (!charts) return found;
    const auto allStopCodesFound = [&found] {
        return std::ranges::all_of(StopCodes, [&found](const char *c) { return found.contains(QLatin1String(c)); });
    };
    for (int32_t p = 0; p < charts->GetProductCount(); ++p) {
        IChartProduct *product = charts->GetProduct(p);
        if (IsInlandProduct(product))
            for (int32_t s = 0; s < product->GetChartSetCount(); ++s)
                found.insert(ChartSetGetCode(product->GetChartSet(s)));
        if (allStopCodesFound()) break;
    }
    return found;
}

class TViewerTarget : public ISailingAreaTarget {
public:
    explicit TViewerTarget(TNavViewerControl &viewer) : FViewer(viewer) {}
    void AddChartArea(const TSailingArea &a) override {
        FViewer.AddChartArea(a.Bits, a.Lat1, a.Lon1, a.Lat2, a.Lon2);
    }
    void SetChartAreaMask(int32_t mask) override { FViewer.SetChartAreaMask(mask); }

private:
    TNavViewerControl &FViewer;
};

}  // namespace

TSailingAreas SailingAreasFromCharts(IChartManager *charts) {
    const QSet<QString> found = InstalledCodes(charts);
    const auto has = [&found](const char *code) { return found.contains(QLatin1String(code)); };
    TSailingAreas out;
    if (has("NL") || (has("Noord") && has("Zuid"))) {
        out.Mask = Netherlands;
    } else {
        for (const TRow &row : DutchRows) {
            // FM counts only without FR.
            if (QLatin1String(row.Code) == QLatin1String("FM") && has("FR")) continue;
            if (has(row.Code)) out.Areas.push_back(row.Area);
        }
    }
    if (has("BE")) out.Mask |= Belgium;
    for (const TRow &row : OtherRows)
        if (has(row.Code)) out.Areas.push_back(row.Area);
    return out;
}

void BuildSailingAreas(IChartManager *charts, IWWNetwork *network, ISailingAreaTarget &target) {
    if (!network) return;
    const TSailingAreas areas = SailingAreasFromCharts(charts);
    for (const TSailingArea &a : areas.Areas) target.AddChartArea(a);
    target.SetChartAreaMask(areas.Mask);
}

void BuildSailingAreas(TMarivoNavEnv &env, TNavViewerControl *viewer) {
    if (!viewer) return;
    TViewerTarget target(*viewer);
    BuildSailingAreas(env.ChartManager, env.WaterwayNetwork, target);
}
