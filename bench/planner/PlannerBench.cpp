// Route planner speed: shortest and fastest routes on generated grids of canals (100 × 100
// and 224 × 224 junctions, about 20,000 and 100,000 sections), next to Boost Graph Library's
// Dijkstra and A* on the same graph (same lengths; A* with the planner's bound, the straight
// line to the goal), and one query on the demo network. The network is written as a real
// network file and loaded through the library, so the planner runs with every rule it
// applies to real data (speed limits, structures with clearances, operating times).
// BM_PlannerShortestMatchesBoost checks that the planner's shortest routes for the same
// queries have Boost's lengths.
#include "bench/common/GridNetwork.h"
#include "chartview/FraNavRouteObjects.h"

#include <KvLibNav6/KvBoatDef.h>
#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvGeodesy.h>
#include <KvLibNav6/KvLib.h>
#include <KvLibNav6/KvPlanner.h>
#include <KvLibNav6/KvWWNetwork.h>
#include <KvLibNav6/KvWaypoints.h>

#include <benchmark/benchmark.h>
#include <boost/graph/adjacency_list.hpp>
#include <boost/graph/astar_search.hpp>
#include <boost/graph/dijkstra_shortest_paths.hpp>

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimeZone>
#include <QUuid>

#include <cmath>
#include <map>
#include <memory>
#include <vector>

namespace {

using benchgrid::SectionGuid;
using benchgrid::TGrid;
using benchgrid::WriteGrid;

struct TDeleter {
    void operator()(NavObject *o) const { ObjectDelete(o); }
};
template <class T>
using Owned = std::unique_ptr<T, TDeleter>;

struct Rec {
    explicit Rec(QString s) : Text(std::move(s)) {}
    operator const TStrWRec &() {
        R.Length = int32_t(Text.size());
        R.Text = reinterpret_cast<const char16_t *>(Text.utf16());
        return R;
    }
    QString Text;
    TStrWRec R;
};

TGUID ToGuid(const QUuid &u) {
    TGUID g;
    g.D1 = u.data1;
    g.D2 = u.data2;
    g.D3 = u.data3;
    for (int i = 0; i < 8; ++i) g.D4[i] = u.data4[i];
    return g;
}

using TBoostGraph = boost::adjacency_list<boost::vecS, boost::vecS, boost::undirectedS, boost::no_property,
                                          boost::property<boost::edge_weight_t, double>>;

struct TQueryPair {
    int FromSection, ToSection;
    double FromPos, ToPos;
};

// Everything the benchmarks of one grid size share, made once.
class TWorld {
public:
    static TWorld &Get(int side) {
        static std::map<int, std::unique_ptr<TWorld>> worlds;
        std::unique_ptr<TWorld> &w = worlds[side];
        if (!w) w.reset(new TWorld(side));
        return *w;
    }
    bool Ok = false;
    QString Error;
    TGrid Grid;
    Owned<IWWNetwork> Net;
    std::vector<IWWSection *> Sections;  // by grid edge
    TBoostGraph Graph;
    std::vector<TDouble3> JunctionPos;  // earth-centred, as the planner's bound measures
    std::vector<TQueryPair> Queries;
    Owned<IWptManager> Manager;
    IWptDatabase *Db = nullptr;
    Owned<IWptPlanner> Planner;
    Owned<ILPBoatDef> Boat;

private:
    explicit TWorld(int side) : Grid(side) {
        const QString file = QDir(FDir.path()).filePath(QStringLiteral("grid.kvwwn"));
        if (!WriteGrid(Grid, file, Error)) return;
        int32_t err = -1;
        Net.reset(WWNetworkCreateFromFile(Rec(file), nullptr, err));
        if (!Net) {
            Error = QStringLiteral("loading the grid failed: %1").arg(err);
            return;
        }
        Graph = TBoostGraph(size_t(Grid.Side * Grid.Side));
        for (int n = 0; n < Grid.Side * Grid.Side; ++n) {
            TDouble3 g;
            GeoToGlobal2(g, TGeoPoint{Grid.Lat(n) * M_PI / 180.0, Grid.Lon(n) * M_PI / 180.0}, nullptr);
            JunctionPos.push_back(g);
        }
        for (size_t i = 0; i < Grid.Edges.size(); ++i) {
            int32_t idx = -1;
            if (!Net->FindSection(ToGuid(QUuid(SectionGuid(int(i)))), idx)) {
                Error = QStringLiteral("section %1 missing").arg(i);
                return;
            }
            Sections.push_back(Net->GetSection(idx));
            boost::add_edge(size_t(Grid.Edges[i].A), size_t(Grid.Edges[i].B), Sections.back()->GetLength(), Graph);
        }
        QRandomGenerator rng(77);
        for (int q = 0; q < 64; ++q) {
            const int a = int(rng.bounded(int(Sections.size()))), b = int(rng.bounded(int(Sections.size())));
            Queries.push_back({a, b, Sections[size_t(a)]->GetLength() / 2, Sections[size_t(b)]->GetLength() / 2});
        }
        Manager.reset(WptManagerCreate(nullptr, nullptr, 0, 15.5f, 15.5f, Rec(QStringLiteral("Sans")), 10.0f, 0,
                                       0xFF000000u, 8.0f, 1, 0xFF0000FFu, 8.0f, 2, 0xFF00FF00u, 5, nullptr, false,
                                       nullptr, nullptr, nullptr, nullptr, err));
        if (!Manager) return;
        Db = Manager->NewDatabase(Rec(QStringLiteral("bench")));
        Planner.reset(WptPlannerCreate(Rec(FDir.path()), nullptr, Db, Net.get(), 0, 0, nullptr, 0, 0));
        Boat.reset(LPBoatDefCreate(1));
        Boat->SetHeights(3.0f, 1.5f, 0.0f);
        Boat->SetDimensions(10.0f, 3.5f, TFloat2{5.0f, 0.0f});
        Boat->SetSpeeds(2.0f, 3.0f, 4.0f);
        Ok = true;
    }
    QTemporaryDir FDir;
};

TDateTime SummerNoonUtc() {
    static const QDateTime epoch(QDate(1899, 12, 30), QTime(0, 0), QTimeZone::utc());
    return double(epoch.msecsTo(QDateTime(QDate(2024, 6, 12), QTime(10, 0), QTimeZone::utc()))) / 86400000.0;
}

// One iteration plans the routes of all queries again, as a user's re-planning does.
void PlannerQueries(benchmark::State &state, int32_t mode) {
    TWorld &w = TWorld::Get(int(state.range(0)));
    if (!w.Ok) {
        state.SkipWithError(w.Error.toStdString().c_str());
        return;
    }
    std::vector<IWptRoute *> routes;
    for (const TQueryPair &p : w.Queries) {
        int32_t err = -1;
        IWptRoute *r = w.Db->NewRoute(SummerNoonUtc());
        r->SetPlanMode(mode, err);
        r->AddNetworkPoint(w.Sections[size_t(p.FromSection)], p.FromPos, 0, err);
        r->AddNetworkPoint(w.Sections[size_t(p.ToSection)], p.ToPos, 0, err);
        routes.push_back(r);
    }
    for (auto _ : state)
        for (IWptRoute *r : routes) w.Planner->Calculate(w.Boat.get(), r, 0, false, false, false);
    double metres = 0;
    for (IWptRoute *r : routes) {
        IWptPlanPoint *end = r->GetLastPoint()->GetPlanPoint();
        if (end && end->GetArrival()) metres += end->GetArrival()->GetData()->DistanceM;
        int32_t err = -1;
        r->DeleteFromDatabase(err);
    }
    state.SetItemsProcessed(int64_t(state.iterations() * routes.size()));
    state.counters["avg_route_km"] = metres / 1000.0 / double(routes.size());
}

void BM_PlannerShortest(benchmark::State &state) { PlannerQueries(state, WptPlanMode::Shortest); }
void BM_PlannerFastest(benchmark::State &state) { PlannerQueries(state, WptPlanMode::Fastest); }

// Stops once the goal junction is settled, as the planner does.
struct TDone {};
struct TStopAtGoal : boost::default_dijkstra_visitor {
    size_t Goal;
    explicit TStopAtGoal(size_t goal) : Goal(goal) {}
    void finish_vertex(size_t u, const TBoostGraph &) const {
        if (u == Goal) throw TDone{};
    }
};
struct TAStarStopAtGoal : boost::default_astar_visitor {
    size_t Goal;
    explicit TAStarStopAtGoal(size_t goal) : Goal(goal) {}
    void examine_vertex(size_t u, const TBoostGraph &) const {
        if (u == Goal) throw TDone{};
    }
};

// The planner's bound in its shortest mode: the straight line through the earth to the goal,
// shrunk as the planner shrinks it against rounding.
class TLineBound : public boost::astar_heuristic<TBoostGraph, double> {
public:
    TLineBound(const std::vector<TDouble3> &pos, size_t goal) : FPos(pos), FGoal(pos[goal]) {}
    double operator()(size_t u) const {
        const TDouble3 &p = FPos[u];
        const double dx = p.X - FGoal.X, dy = p.Y - FGoal.Y, dz = p.Z - FGoal.Z;
        return std::sqrt(dx * dx + dy * dy + dz * dz) * (1.0 - 1e-9);
    }

private:
    const std::vector<TDouble3> &FPos;
    TDouble3 FGoal;
};

enum class TBoostSearch { DijkstraToGoal, DijkstraAll, AStar };

void BoostQueries(benchmark::State &state, TBoostSearch search) {
    TWorld &w = TWorld::Get(int(state.range(0)));
    if (!w.Ok) {
        state.SkipWithError(w.Error.toStdString().c_str());
        return;
    }
    const size_t n = boost::num_vertices(w.Graph);
    std::vector<double> dist(n), cost(n);
    std::vector<size_t> pred(n);
    double metres = 0;
    for (auto _ : state) {
        metres = 0;
        for (const TQueryPair &p : w.Queries) {
            const size_t from = size_t(w.Grid.Edges[size_t(p.FromSection)].A);
            const size_t to = size_t(w.Grid.Edges[size_t(p.ToSection)].A);
            auto params = boost::predecessor_map(pred.data()).distance_map(dist.data());
            try {
                switch (search) {
                case TBoostSearch::DijkstraToGoal:
                    boost::dijkstra_shortest_paths(w.Graph, from, params.visitor(TStopAtGoal(to)));
                    break;
                case TBoostSearch::DijkstraAll:
                    boost::dijkstra_shortest_paths(w.Graph, from, params);
                    break;
                case TBoostSearch::AStar:
                    boost::astar_search(w.Graph, from, TLineBound(w.JunctionPos, to),
                                        params.rank_map(cost.data()).visitor(TAStarStopAtGoal(to)));
                    break;
                }
            } catch (const TDone &) {
            }
            metres += dist[to];
            benchmark::DoNotOptimize(dist[to]);
        }
    }
    state.SetItemsProcessed(int64_t(state.iterations() * w.Queries.size()));
    state.counters["avg_route_km"] = metres / 1000.0 / double(w.Queries.size());
}

// Not a timing: the planner's shortest routes for the benchmark's queries against Boost's
// Dijkstra from both ends of the start section (point to point, as the planner plans). A
// faster planner must still find routes of the same length.
void BM_PlannerShortestMatchesBoost(benchmark::State &state) {
    TWorld &w = TWorld::Get(int(state.range(0)));
    if (!w.Ok) {
        state.SkipWithError(w.Error.toStdString().c_str());
        return;
    }
    const size_t n = boost::num_vertices(w.Graph);
    std::vector<double> fromA(n), fromB(n);
    int mismatches = 0;
    double worst = 0.0;
    for (auto _ : state) {
        for (const TQueryPair &p : w.Queries) {
            const auto &s = w.Grid.Edges[size_t(p.FromSection)], &t = w.Grid.Edges[size_t(p.ToSection)];
            const double sLen = w.Sections[size_t(p.FromSection)]->GetLength();
            const double tLen = w.Sections[size_t(p.ToSection)]->GetLength();
            boost::dijkstra_shortest_paths(w.Graph, size_t(s.A), boost::distance_map(fromA.data()));
            boost::dijkstra_shortest_paths(w.Graph, size_t(s.B), boost::distance_map(fromB.data()));
            auto via = [&](int node) {
                return std::min(fromA[size_t(node)] + p.FromPos, fromB[size_t(node)] + sLen - p.FromPos);
            };
            double expected = std::min(via(t.A) + p.ToPos, via(t.B) + tLen - p.ToPos);
            if (p.FromSection == p.ToSection) expected = std::min(expected, std::abs(p.FromPos - p.ToPos));

            int32_t err = -1;
            IWptRoute *r = w.Db->NewRoute(SummerNoonUtc());
            r->SetPlanMode(WptPlanMode::Shortest, err);
            r->AddNetworkPoint(w.Sections[size_t(p.FromSection)], p.FromPos, 0, err);
            r->AddNetworkPoint(w.Sections[size_t(p.ToSection)], p.ToPos, 0, err);
            w.Planner->Calculate(w.Boat.get(), r, 0, false, false, false);
            IWptPlanPoint *end = r->GetLastPoint()->GetPlanPoint();
            const double got = end && end->GetArrival() ? end->GetArrival()->GetData()->DistanceM : -1.0;
            r->DeleteFromDatabase(err);
            const double off = std::abs(got - expected);
            worst = std::max(worst, off);
            if (off > 1e-6 * expected + 1e-3) ++mismatches;
        }
    }
    state.counters["queries"] = double(w.Queries.size());
    state.counters["mismatches"] = mismatches;
    state.counters["worst_diff_m"] = worst;
    if (mismatches > 0) state.SkipWithError("the planner's shortest routes differ from Boost's");
}

void BM_BoostDijkstraToGoal(benchmark::State &state) { BoostQueries(state, TBoostSearch::DijkstraToGoal); }
void BM_BoostDijkstraAll(benchmark::State &state) { BoostQueries(state, TBoostSearch::DijkstraAll); }
void BM_BoostAStar(benchmark::State &state) { BoostQueries(state, TBoostSearch::AStar); }

// The demo network: written by the generator next to this program's build, or named by
// MARIVO_DEMO_NETWORK.
QString DemoNetworkFile(QTemporaryDir &tmp) {
    const QString given = qEnvironmentVariable("MARIVO_DEMO_NETWORK");
    if (!given.isEmpty()) return given;
    const QString exeDir = QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget()).absolutePath();
    const QString built = QDir(exeDir).filePath(QStringLiteral("../demo-data/Waterway Network/WaterwayNetwork.kvwwn"));
    if (QFileInfo::exists(built)) return built;
    const QString gen = QDir(exeDir).filePath(QStringLiteral("../tools/demogen/marivo-demogen"));
    if (!QFileInfo(gen).isExecutable()) return {};
    if (QProcess::execute(gen, {tmp.path()}) != 0) return {};
    return QDir(tmp.path()).filePath(QStringLiteral("Waterway Network/WaterwayNetwork.kvwwn"));
}

void BM_PlannerDemoNetwork(benchmark::State &state) {
    QTemporaryDir tmp;
    const QString file = DemoNetworkFile(tmp);
    int32_t err = -1;
    Owned<IWWNetwork> net(file.isEmpty() ? nullptr : WWNetworkCreateFromFile(Rec(file), nullptr, err));
    if (!net) {
        state.SkipWithError("demo network not found (set MARIVO_DEMO_NETWORK)");
        return;
    }
    TWorld &w = TWorld::Get(100);
    if (!w.Ok) {
        state.SkipWithError(w.Error.toStdString().c_str());
        return;
    }
    Owned<IWptPlanner> planner(WptPlannerCreate(Rec(tmp.path()), nullptr, w.Db, net.get(), 0, 0, nullptr, 0, 0));
    // From the first section of the yacht haven entrance to the far end of the Dunmeer.
    IWWSection *from = nullptr, *to = nullptr;
    for (int32_t i = 0; i < 1000 && net->GetSection(i); ++i) {
        IWWSection *s = net->GetSection(i);
        const QString name = QString::fromUtf16(s->GetName()->Text, s->GetName()->Length);
        if (!from && name == QLatin1String("Yacht Haven Entrance")) from = s;
        if (name == QLatin1String("Dunmeer Marina Channel")) to = s;
    }
    if (!from || !to) {
        state.SkipWithError("demo network lacks the marina channels");
        return;
    }
    IWptRoute *r = w.Db->NewRoute(SummerNoonUtc());
    r->AddNetworkPoint(from, from->GetLength(), 0, err);
    r->AddNetworkPoint(to, to->GetLength(), 0, err);
    Owned<ILPBoatDef> boat(LPBoatDefCreate(1));
    boat->SetHeights(2.0f, 1.5f, 0.0f);
    boat->SetSpeeds(2.0f, 4.0f, 5.0f);
    for (auto _ : state) planner->Calculate(boat.get(), r, 0, false, false, false);
    state.SetItemsProcessed(int64_t(state.iterations()));
    r->DeleteFromDatabase(err);
}

// The route-navigation window's planning overview refilled for a planned route of at least
// 2,000 route objects (points across the grid until the plan holds that many).
void BM_FillObjectList(benchmark::State &state) {
    TWorld &w = TWorld::Get(100);
    if (!w.Ok) {
        state.SkipWithError(w.Error.toStdString().c_str());
        return;
    }
    int32_t err = -1;
    IWptRoute *r = w.Db->NewRoute(SummerNoonUtc());
    QRandomGenerator rng(31);
    size_t objects = 0;
    while (objects < 2000 && r->GetPointCount() < 400) {
        IWWSection *s = w.Sections[size_t(rng.bounded(int(w.Sections.size())))];
        r->AddNetworkPoint(s, s->GetLength() / 2, 0, err);
        if (r->GetPointCount() % 10 != 0) continue;
        w.Planner->Calculate(w.Boat.get(), r, 0, false, false, false);
        objects = NavRouteOverviewRows(r).size();
    }
    w.Planner->Calculate(w.Boat.get(), r, 0, false, false, false);
    objects = NavRouteOverviewRows(r).size();
    if (objects < 2000) {
        state.SkipWithError("the plan holds fewer than 2,000 route objects");
        r->DeleteFromDatabase(err);
        return;
    }
    TNavRouteObjectModel model;
    for (auto _ : state) {
        model.Fill(r);
        benchmark::DoNotOptimize(model.rowCount());
    }
    state.counters["route_objects"] = double(objects);
    state.SetItemsProcessed(int64_t(state.iterations()));
    r->DeleteFromDatabase(err);
}

// The argument is the grid's side in junctions.
BENCHMARK(BM_FillObjectList)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlannerShortest)->Arg(100)->Arg(224)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlannerFastest)->Arg(100)->Arg(224)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BoostAStar)->Arg(100)->Arg(224)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BoostDijkstraToGoal)->Arg(100)->Arg(224)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BoostDijkstraAll)->Arg(100)->Arg(224)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlannerDemoNetwork)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlannerShortestMatchesBoost)->Arg(100)->Arg(224)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
