// The location lists of the route point selection dialog without widgets: candidate rows
// per filter over waypoint databases made for the test and the demo network, their order,
// the search rules, the second page of a fairway, slot resolution and recent searches.
#include "routes/RoutePointSelectLogic.h"

#include "base/registry/KvRegistry.h"
#include "base/units/KvUnitsTime.h"
#include "tests/chartview/NavInfoWWNullObjects.h"
#include "tests/shell/NavEnvRouteSupport.h"

#include <KvLibNav6/KvAppReg.h>

#include <QRegularExpression>
#include <algorithm>
#include <set>

namespace {

using routetest::NavEnvRoutes;

IWWFairway *FairwayNamed(IWWNetwork *net, const QString &name) {
    for (int32_t i = 0; i < net->GetFairwayCount(); ++i)
        if (WWFairwayGetName(net->GetFairway(i)) == name) return net->GetFairway(i);
    return nullptr;
}

TGeoPoint Deg(double lat, double lon) { return TGeoPoint{lat * M_PI / 180.0, lon * M_PI / 180.0}; }

std::set<QString> Names(const TNodeList &rows, uint8_t kind) {
    std::set<QString> names;
    for (const auto &r : rows)
        if (r->Kind == kind) names.insert(r->Name);
    return names;
}

const TNodeData *RowNamed(const TNodeList &rows, const QString &name) {
    for (const auto &r : rows)
        if (r->Name == name) return r.get();
    return nullptr;
}

// Two chart databases (one selected, one not) and a user waypoint, with the type and group
// names the chart databases use to classify their waypoints.
class RoutePointCandidates : public NavEnvRoutes {
protected:
    void SetUp() override {
        NavEnvRoutes::SetUp();
        if (HasFatalFailure()) return;
        IWptManager *m = Env->WaypointManager;
        Selected = WptManagerNewDatabase(m, QStringLiteral("Fixture_Selected"));
        Unselected = WptManagerNewDatabase(m, QStringLiteral("Fixture_Unselected"));
        // Saltmere lies on the Yacht Haven Entrance so that the place rule has a fairway near it.
        IWWSection *s;
        double pos;
        ASSERT_TRUE(FairwayCentre(FairwayNamed(Env->WaterwayNetwork, QStringLiteral("Yacht Haven Entrance")), s, pos));
        const TGeoPoint saltmere = routetest::OnSection(s, pos);
        Add(Selected, "Saltmere", "City", nullptr, saltmere);
        Add(Selected, "Orlebury East", "City 2", nullptr, Deg(52.95, 4.60));
        Add(Selected, "Haven One", "Mark", "Jachthavens", Deg(52.95, 4.61));
        Add(Selected, "Berth Two", "Mark", "Aanlegsteigers", Deg(52.95, 4.62));
        Add(Selected, "Diesel Three", "Mark", "Dieseltankstations", Deg(52.95, 4.63));
        Add(Selected, "Plain Four", "Mark", "jachthavens", Deg(52.95, 4.64));  // case matters
        Add(Unselected, "Hidden Town", "Name of city", nullptr, Deg(52.90, 4.70));
        Add(Env->UserDatabase, "Own Buoy", nullptr, nullptr, Deg(52.91, 4.55));
    }

    void Add(IWptDatabase *db, const char *name, const char *type, const char *group, TGeoPoint at) {
        int32_t err = 0;
        IWptWaypointType *t = Env->WaypointManager->GetDefaultWaypointType();
        if (type) {
            const QString typeName = QString::fromUtf8(type);
            auto found = Types.find(typeName);
            if (found == Types.end()) {
                t = db->NewType(TWptTypeDef{}, err);
                WptObjectSetName(t, typeName, err);
                Types[typeName] = t;
            } else {
                t = found->second;
            }
        }
        IWptWaypoint *w = db->NewWaypoint(nullptr, TGeoPoint3{at.Lat, at.Lon, 0.0}, t);
        ASSERT_TRUE(w);
        WptObjectSetName(w, QString::fromUtf8(name), err);
        if (group) {
            IWptWaypointGroup *g = db->NewWaypointGroup(nullptr);
            WptObjectSetName(g, QString::fromUtf8(group), err);
            g->AddWaypoint(w, err);
        }
        Fixture.insert(QString::fromUtf8(name));
        ASSERT_EQ(err, 0);
    }

    TCandidateSource Source(uint32_t filters) {
        TCandidateSource src;
        src.Manager = Env->WaypointManager;
        src.UserDatabase = Env->UserDatabase;
        src.ChartDatabaseSelected = [this](IWptDatabase *db) { return db == Selected; };
        src.Network = Env->WaterwayNetwork;
        src.Filters = filters;
        src.WaterBodies = WaterBodyMask(0) | WaterBodyMask(3);
        src.LargeUnit = Env->UnitDistanceLarge;
        return src;
    }

    // The fixture's waypoints among the rows.
    std::set<QString> FixtureRows(const TCandidateList &list) {
        std::set<QString> names;
        for (const QString &n : Names(list.Rows, RouteRowKind::Waypoint))
            if (Fixture.count(n)) names.insert(n);
        return names;
    }

    IWptDatabase *Selected = nullptr, *Unselected = nullptr;
    std::map<QString, IWptWaypointType *> Types;
    std::set<QString> Fixture;
};

TEST_F(RoutePointCandidates, EachFilterTakesItsWaypoints) {
    using S = std::set<QString>;
    namespace F = RoutePointFilter;
    struct Case {
        const char *name;
        uint32_t filters;
        bool selectedOnly;
        S rows;
    };
    const Case cases[] = {
        {"user waypoints", F::User, true, S{"Own Buoy"}},
        {"places of selected charts", F::Places, true, S{"Saltmere"}},
        {"places of every chart", F::Places, false, S{"Saltmere", "Hidden Town"}},
        {"hamlets", F::Hamlets, true, S{"Orlebury East"}},
        {"marinas by exact group name", F::Marinas, true, S{"Haven One"}},
        {"temporary berths", F::TemporaryBerths, true, S{"Berth Two"}},
        {"diesel stations", F::Diesel, true, S{"Diesel Three"}},
        {"other takes every waypoint not skipped", F::Other, true,
         S{"Own Buoy", "Saltmere", "Orlebury East", "Haven One", "Berth Two", "Diesel Three", "Plain Four"}},
        {"default filters", F::Default, true, S{"Own Buoy", "Saltmere"}},
        {"no filter", 0, true, S{}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TCandidateSource src = Source(c.filters);
        src.ChartWptSelectedOnly = c.selectedOnly;
        TCandidateList list;
        BuildCandidates(src, list);
        EXPECT_EQ(FixtureRows(list), c.rows);
        // Places enter the place list whatever the filters say.
        std::set<QString> places;
        for (IWptWaypoint *w : list.Places)
            if (Fixture.count(WptObjectGetName(w))) places.insert(WptObjectGetName(w));
        S expected{"Saltmere", "Orlebury East"};
        if (!c.selectedOnly) expected.insert("Hidden Town");
        EXPECT_EQ(places, expected);
        ASSERT_TRUE(list.CurrentRow && list.HomeRow);
        EXPECT_EQ(list.Rows[0]->Kind == RouteRowKind::CurrentPosition || list.Rows[1]->Kind == RouteRowKind::CurrentPosition, true)
            << "special rows have no distance and sort first";
    }
}

TEST_F(RoutePointCandidates, FairwaysOfSeveralPartsGetAParentRow) {
    TCandidateList list;
    BuildCandidates(Source(RoutePointFilter::Waterways), list);
    const TNodeData *orle = RowNamed(list.Rows, QStringLiteral("River Orle"));
    ASSERT_TRUE(orle);
    EXPECT_EQ(orle->Kind, RouteRowKind::Fairway);
    EXPECT_EQ(Names(orle->Children, RouteRowKind::FairwayPart),
              (std::set<QString>{QStringLiteral("Lower Orle"), QStringLiteral("Upper Orle")}));
    EXPECT_TRUE(RowNamed(list.Rows, QStringLiteral("Lower Orle (River Orle)")));
    EXPECT_TRUE(RowNamed(list.Rows, QStringLiteral("Upper Orle (River Orle)")));
    const TNodeData *yacht = RowNamed(list.Rows, QStringLiteral("Yacht Haven Entrance"));
    ASSERT_TRUE(yacht);
    EXPECT_EQ(yacht->Kind, RouteRowKind::FairwayPart) << "one part: only its part row";
    EXPECT_EQ(RowTypeText(*yacht), QStringLiteral("Fairway"));
    EXPECT_EQ(Names(list.Rows, RouteRowKind::Struct).size(), 0u) << "bridges and locks not asked for";

    // Only the North Sea: the coastal route alone.
    TCandidateSource sea = Source(RoutePointFilter::Waterways);
    sea.WaterBodies = WaterBodyMask(0);
    BuildCandidates(sea, list);
    std::set<QString> fairways;
    for (const auto &r : list.Rows)
        if (r->Kind == RouteRowKind::FairwayPart || r->Kind == RouteRowKind::Fairway)
            fairways.insert(WWFairwayGetName(r->Part() ? r->Part()->GetFairway() : r->Fairway()));
    EXPECT_EQ(fairways, std::set<QString>{QStringLiteral("Velmer Roads")});
}

TEST_F(RoutePointCandidates, StructureRowsNameTheirPlaceAndChainage) {
    TCandidateList list;
    BuildCandidates(Source(RoutePointFilter::Structures), list);
    const QString unit = QRegularExpression::escape(UnitToStr(Env->UnitDistanceLarge));
    const QRegularExpression pattern(QStringLiteral("^Orle Road Bridge, Saltmere \\(\\d+[.,]\\d\\d ") + unit +
                                     QStringLiteral("\\)$"));
    const auto bridge = std::find_if(list.Rows.begin(), list.Rows.end(), [](const auto &r) {
        return r->Name.startsWith(QStringLiteral("Orle Road Bridge"));
    });
    ASSERT_NE(bridge, list.Rows.end());
    EXPECT_TRUE(pattern.match((*bridge)->Name).hasMatch()) << (*bridge)->Name.toStdString();
    EXPECT_EQ((*bridge)->Name2, QStringLiteral("Saltmere"));
    EXPECT_EQ(RowTypeText(**bridge), QStringLiteral("Bridge"));
    for (const auto &r : list.Rows)
        if (r->Kind == RouteRowKind::Struct) {
            EXPECT_FALSE(r->Name.startsWith(QStringLiteral(" ("))) << "unnamed structures are left out";
        }
}

TEST_F(RoutePointCandidates, DistancesFollowTheReferenceAndUnknownIsEmpty) {
    TCandidateSource src = Source(RoutePointFilter::User | RoutePointFilter::Places);
    TCandidateList list;
    BuildCandidates(src, list);
    for (const auto &r : list.Rows) EXPECT_EQ(r->Distance, -1.0) << "no reference, no distance";
    const TNodeData *buoy = RowNamed(list.Rows, QStringLiteral("Own Buoy"));
    ASSERT_TRUE(buoy);
    EXPECT_EQ(RowDistanceText(*buoy, Env->UnitDistanceLarge, Env->UnitDistanceSmall), QString());
    EXPECT_EQ(RowNameText(*buoy).left(9), QStringLiteral("Own Buoy "));

    TDouble3 ref{};
    ASSERT_TRUE(RowObjectPosition(RouteRowKind::Waypoint, buoy->Obj, ref));
    src.Reference = ref;
    BuildCandidates(src, list);
    buoy = RowNamed(list.Rows, QStringLiteral("Own Buoy"));
    const TNodeData *saltmere = RowNamed(list.Rows, QStringLiteral("Saltmere"));
    ASSERT_TRUE(buoy && saltmere);
    EXPECT_NEAR(buoy->Distance, 0.0, 1e-6);
    EXPECT_GT(saltmere->Distance, 1000.0);
    EXPECT_FALSE(RowDistanceText(*saltmere, Env->UnitDistanceLarge, Env->UnitDistanceSmall).isEmpty());
    EXPECT_EQ(RowDistanceText(*list.CurrentRow, Env->UnitDistanceLarge, Env->UnitDistanceSmall), QString());
}

TEST(RoutePointRows, SortByDistanceThenNameWithEmptyNamesLast) {
    TNodeList rows;
    const std::pair<double, const char *> input[] = {{5.0, ""}, {-1.0, "b"}, {5.0, "c"}, {2.0, "z"}, {-1.0, "A"}, {5.0, "C"}};
    for (const auto &[d, n] : input) {
        rows.push_back(std::make_unique<TNodeData>());
        rows.back()->Distance = d;
        rows.back()->Name = QString::fromUtf8(n);
    }
    SortRows(rows);
    QStringList order;
    for (const auto &r : rows) order << r->Name;
    EXPECT_EQ(order, (QStringList{"A", "b", "z", "c", "C", ""}));
}

TEST_F(RoutePointCandidates, SearchRules) {
    TCandidateList list;
    BuildCandidates(Source(RoutePointFilter::User | RoutePointFilter::Places | RoutePointFilter::Hamlets |
                           RoutePointFilter::Waterways | RoutePointFilter::Structures),
                    list);
    auto shown = [&](const TSearchOutcome &o) {
        std::set<QString> names;
        for (size_t i = 0; i < list.Rows.size(); ++i)
            if (o.Visible[i]) names.insert(list.Rows[i]->Name);
        return names;
    };
    // Empty: everything, the first row focused.
    TSearchOutcome all = SearchRows(list.Rows, list.Places, QStringLiteral("   "));
    EXPECT_TRUE(all.Empty);
    EXPECT_EQ(std::count(all.Visible.begin(), all.Visible.end(), true), std::ptrdiff_t(list.Rows.size()));
    EXPECT_EQ(all.Focus, 0);

    // Upper-case first word: Name or Name2 must start with it exactly, all words anywhere.
    TSearchOutcome lower = SearchRows(list.Rows, list.Places, QStringLiteral("Lower  orle"));
    EXPECT_EQ(shown(lower), std::set<QString>{QStringLiteral("Lower Orle (River Orle)")});
    EXPECT_EQ(list.Rows[size_t(lower.Focus)]->Name, QStringLiteral("Lower Orle (River Orle)"));
    EXPECT_TRUE(shown(SearchRows(list.Rows, list.Places, QStringLiteral("Orle lower"))).empty())
        << "no name starts with Orle and holds lower";
    // Name2 (a structure's place) counts for the first word.
    const std::set<QString> inSaltmere = shown(SearchRows(list.Rows, list.Places, QStringLiteral("Saltmere bridge")));
    EXPECT_TRUE(std::any_of(inSaltmere.begin(), inSaltmere.end(),
                            [](const QString &n) { return n.startsWith(QStringLiteral("Orle Road Bridge")); }));

    // Lower-case: only the containment rule.
    const std::set<QString> orle = shown(SearchRows(list.Rows, list.Places, QStringLiteral("orle")));
    EXPECT_TRUE(orle.count(QStringLiteral("River Orle")) && orle.count(QStringLiteral("Orlebury East")));

    // A whole place name in any case shows what lies within 5000 m of it and focuses the place.
    for (const QString &text : {QStringLiteral("saltmere"), QStringLiteral("SALTMERE")}) {
        SCOPED_TRACE(text.toStdString());
        const TSearchOutcome place = SearchRows(list.Rows, list.Places, text);
        ASSERT_TRUE(place.Place);
        EXPECT_EQ(WptObjectGetName(place.Place), QStringLiteral("Saltmere"));
        ASSERT_GE(place.Focus, 0);
        EXPECT_EQ(list.Rows[size_t(place.Focus)]->Obj, place.Place);
        const std::set<QString> near = shown(place);
        EXPECT_TRUE(near.count(QStringLiteral("Yacht Haven Entrance"))) << "the fairway the place lies on";
        EXPECT_FALSE(near.count(QStringLiteral("Dunmeer Marina Channel"))) << "far beyond 5000 m";
    }
}

// Sections of given lengths for the centre rule.
class TLengthSection : public navinfotest::TNullWWSection {
public:
    explicit TLengthSection(double length) : FLength(length) {}
    double GetLength() override { return FLength; }

private:
    double FLength;
};

TEST(RoutePointCentre, HalfTheLengthAlongTheSections) {
    struct Case {
        const char *name;
        std::vector<double> lengths;
        int section;
        double position;
    };
    const Case cases[] = {{"100 200 300: the third at its start", {100, 200, 300}, 2, 0.0},
                          {"exact half at a boundary stays in the earlier section", {100, 100}, 1, 0.0},
                          {"inside the first", {500, 100}, 0, 300.0},
                          {"one section", {80}, 0, 40.0}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::unique_ptr<TLengthSection>> sections;
        double total = 0;
        for (double l : c.lengths) {
            sections.push_back(std::make_unique<TLengthSection>(l));
            total += l;
        }
        IWWSection *centre = nullptr;
        double pos = -1;
        ASSERT_TRUE(CentreOfSections(int32_t(sections.size()), [&](int32_t i) { return sections[size_t(i)].get(); },
                                     total, centre, pos));
        EXPECT_EQ(centre, sections[size_t(c.section)].get());
        EXPECT_DOUBLE_EQ(pos, c.position);
    }
    // A total the sections do not reach: the last section takes it.
    std::vector<std::unique_ptr<TLengthSection>> two;
    two.push_back(std::make_unique<TLengthSection>(10));
    two.push_back(std::make_unique<TLengthSection>(10));
    IWWSection *centre = nullptr;
    double pos = 0;
    ASSERT_TRUE(CentreOfSections(2, [&](int32_t i) { return two[size_t(i)].get(); }, 100.0, centre, pos));
    EXPECT_EQ(centre, two[1].get());
    EXPECT_FALSE(CentreOfSections(0, [](int32_t) { return nullptr; }, 0.0, centre, pos)) << "no sections: no centre";
}

class RoutePointSecondPage : public NavEnvRoutes {};

TEST_F(RoutePointSecondPage, DeadEndsCentreAndCrossingsInOrder) {
    IWWNetwork *net = Env->WaterwayNetwork;
    struct Case {
        const char *fairway;
        QStringList rows;
    };
    const Case cases[] = {
        {"Velmer Roads", {"Start", "Center", "End", "Saltmere Harbour Channel"}},
        {"Yacht Haven Entrance", {"Center", "End", "River Orle", "Saltmere Harbour Channel"}},
        {"Kessel Canal", {"Center", "River Orle", "Vorn Canal"}},  // River Orle meets it twice
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.fairway);
        TRoutePointSlot slot;
        slot.Kind = RouteSlotKind::Object;
        slot.Fairway = FairwayNamed(net, QString::fromLatin1(c.fairway));
        ASSERT_TRUE(slot.Fairway);
        TNodeList rows;
        BuildSecondPage(slot, rows);
        QStringList names;
        for (const auto &r : rows) names << r->Name;
        EXPECT_EQ(names, c.rows);
        for (const auto &r : rows) {
            if (r->Kind != RouteRowKind::Section) continue;
            IWWSection *s = r->Section();
            EXPECT_TRUE(r->Position == 0.0 || r->Position == s->GetLength());
            if (r->Order == 0) {
                EXPECT_NE(s->GetFairway(), slot.Fairway);
            }
            if (r->Name == u"End") {
                EXPECT_EQ(r->Position, s->GetLength());
            }
        }
    }
}

TEST_F(RoutePointSecondPage, SlotsResolveToSectionsOrWaypoints) {
    IWWNetwork *net = Env->WaterwayNetwork;
    IWWFairway *yacht = FairwayNamed(net, QStringLiteral("Yacht Haven Entrance"));
    IWWSection *centre = nullptr;
    double centrePos = 0;
    ASSERT_TRUE(FairwayCentre(yacht, centre, centrePos));
    IWWStruct *bridge = nullptr;
    for (int32_t i = 0; i < net->GetStructCount() && !bridge; ++i)
        if (WWStructGetName(net->GetStruct(i)) == u"Orle Road Bridge") bridge = net->GetStruct(i);
    ASSERT_TRUE(bridge);
    IWptWaypoint *waypoint = Env->WaypointManager->GetWaypointCount() > 0 ? Env->WaypointManager->GetWaypoint(0) : nullptr;
    ASSERT_TRUE(waypoint);
    const TGeoPoint ship = routetest::OnSection(Section(3), 12.0);
    const TGeoPoint home = routetest::OnSection(Section(5), 7.0);

    auto slot = [](uint8_t kind) {
        TRoutePointSlot s;
        s.Kind = kind;
        return s;
    };
    TRoutePointSlot ofWaypoint = slot(2), ofStruct = slot(2), ofSection = slot(2), ofFairway = slot(2),
                    ofPart = slot(2), empty2 = slot(2), none = slot(3);
    ofWaypoint.Waypoint = waypoint;
    ofStruct.Struct = bridge;
    ofSection.Section = Section(4);
    ofSection.Position = 33.0;
    ofFairway.Fairway = yacht;
    ofPart.Part = yacht->GetPart(0);
    struct Case {
        const char *name;
        TRoutePointSlot slot;
        const TGeoPoint *ship;
        bool resolved;
        IWWSection *section;
        double position;  // NaN: near the given point, checked separately
        IWptWaypoint *waypoint;
    };
    const double near = std::nan("");
    const Case cases[] = {
        {"current position", slot(0), &ship, true, Section(3), near, nullptr},
        {"current position without a fix", slot(0), nullptr, false, nullptr, 0, nullptr},
        {"home", slot(1), nullptr, true, Section(5), near, nullptr},
        {"waypoint", ofWaypoint, nullptr, true, nullptr, 0, waypoint},
        {"structure", ofStruct, nullptr, true, bridge->GetSection(), bridge->GetSectionPosition(), nullptr},
        {"section", ofSection, nullptr, true, Section(4), 33.0, nullptr},
        {"fairway centre", ofFairway, nullptr, true, centre, centrePos, nullptr},
        {"part centre", ofPart, nullptr, true, centre, centrePos, nullptr},
        {"object gone", empty2, &ship, false, nullptr, 0, nullptr},
        {"not set", none, &ship, false, nullptr, 0, nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        IWWSection *section = nullptr;
        double position = 0;
        IWptWaypoint *w = nullptr;
        EXPECT_EQ(ResolveSlot(c.slot, net, c.ship, home, section, position, w), c.resolved);
        EXPECT_EQ(section, c.section);
        EXPECT_EQ(w, c.waypoint);
        if (std::isnan(c.position)) {
            EXPECT_NEAR(position, c.slot.Kind == 0 ? 12.0 : 7.0, 1.0);
        } else {
            EXPECT_DOUBLE_EQ(position, c.position);
        }
    }
    IWWSection *section = nullptr;
    double position = 0;
    IWptWaypoint *w = nullptr;
    EXPECT_FALSE(ResolveSlot(slot(1), nullptr, &ship, home, section, position, w)) << "no network";
}

class RecentSearches : public NavEnvRoutes {
protected:
    static TRecentSearch Entry(uint32_t id, bool waypoint = false) {
        TRecentSearch e;
        e.IsWaypoint = waypoint;
        e.ObjectGUID.D1 = id;
        e.SectionPos = waypoint ? -1.0 : id * 10.0;
        e.SearchName = QStringLiteral("Place %1").arg(id);
        return e;
    }
};

TEST_F(RecentSearches, NewestFirstWithoutRepeatsAndAtMostTen) {
    IAppReg *reg = GetAppReg();
    int32_t err = 0;
    RegDeleteKey(reg, AppRegRoot::Product, QStringLiteral("Routes\\RecentSearches"), err);
    EXPECT_TRUE(LoadRecentSearches(reg).empty());
    for (uint32_t id = 1; id <= 11; ++id) SaveRecentSearch(reg, LoadRecentSearches(reg), Entry(id, id % 2 == 0));
    std::vector<TRecentSearch> table = LoadRecentSearches(reg);
    ASSERT_EQ(table.size(), 10u);
    for (size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(table[i].ObjectGUID.D1, 11u - i);
        EXPECT_EQ(table[i].IsWaypoint, (11 - i) % 2 == 0);
        EXPECT_EQ(table[i].SectionPos, table[i].IsWaypoint ? -1.0 : (11.0 - double(i)) * 10.0);
    }
    // The same destination again: one entry, at 0; the nine newest others follow, so the
    // oldest one goes as well.
    SaveRecentSearch(reg, table, Entry(5));
    table = LoadRecentSearches(reg);
    ASSERT_EQ(table.size(), 9u);
    EXPECT_EQ(table[1].ObjectGUID.D1, 11u);
    EXPECT_EQ(table[8].ObjectGUID.D1, 3u);
    EXPECT_EQ(table[0].ObjectGUID.D1, 5u);
    EXPECT_EQ(std::count_if(table.begin(), table.end(), [](const auto &e) { return e.ObjectGUID.D1 == 5u; }), 1);
}

TEST_F(RecentSearches, DamagedAndSurplusKeysAreSkipped) {
    IAppReg *reg = GetAppReg();
    int32_t err = 0;
    const QString key = QStringLiteral("Routes\\RecentSearches");
    RegDeleteKey(reg, AppRegRoot::Product, key, err);
    for (int n = 0; n < 12; ++n) {
        const QString k = key + QStringLiteral("\\%1").arg(n);
        TGUID g{};
        g.D1 = uint32_t(100 + n);
        RegWriteBool(reg, AppRegRoot::Product, k, RegName(u"IsWaypoint"), n == 3, err);
        RegWriteGUID(reg, AppRegRoot::Product, k, RegName(u"ObjectGUID"), g, err);
        if (n != 1) RegWriteString(reg, AppRegRoot::Product, k, RegName(u"SearchName"), QStringLiteral("S%1").arg(n), err);
        if (n != 2) RegWriteDouble(reg, AppRegRoot::Product, k, RegName(u"SectionPos"), 1.5, err);
    }
    const std::vector<TRecentSearch> table = LoadRecentSearches(reg);
    ASSERT_EQ(table.size(), 10u) << "twelve keys, two damaged: the ten others";
    QStringList names;
    for (const auto &e : table) names << e.SearchName;
    EXPECT_EQ(names, (QStringList{"S0", "S3", "S4", "S5", "S6", "S7", "S8", "S9", "S10", "S11"}));
    EXPECT_EQ(table[1].SectionPos, -1.0) << "a waypoint needs no section position";
}

}  // namespace
