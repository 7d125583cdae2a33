// Display units, track defaults and the five visibility lists against the real settings
// store.
#include "SettingsDoubles.h"

#include "base/kvlib/KvErrors.h"
#include "base/registry/KvRegistry.h"
#include "base/settings/KvRegDisplay.h"
#include "base/strings/KvStrUtils.h"

#include <KvLibNav6/KvUnits.h>

#include <QDir>
#include <QFile>
#include <functional>
#include <memory>

using namespace settingstest;
using ::testing::_;
using ::testing::NiceMock;
using ::testing::Return;

namespace {

constexpr int32_t Root = AppRegRoot::Product;
const QString KeyLocale = QStringLiteral("Locale");

class DisplaySettings : public SettingsStoreTest {};

struct UnitValue {
    const char *name;
    const char16_t *valueName;
    std::function<int32_t()> read;
    std::function<void(int32_t)> write;
    std::vector<int32_t> codes;  // in stored order
    int32_t fallback;
};

std::vector<UnitValue> UnitValues() {
    using namespace KvUnit;
    return {
        {"RegWriteUnitDistanceLarge", u"DistanceLarge", RegReadUnitDistanceLarge,
         RegWriteUnitDistanceLarge, {Kilometre, StatuteMile, NauticalMile}, NauticalMile},
        {"RegWriteUnitDistanceSmall", u"DistanceSmall", RegReadUnitDistanceSmall,
         RegWriteUnitDistanceSmall, {Metre, Foot, Yard}, Metre},
        {"RegWriteUnitDepth", u"Depth", RegReadUnitDepth, RegWriteUnitDepth, {Metre, Foot}, Metre},
        {"RegWriteUnitSpeed", u"Speed", RegReadUnitSpeed, RegWriteUnitSpeed,
         {KilometrePerHour, Knot, MilePerHour, MetrePerSecond}, Knot},
        {"RegWriteUnitTemperature", u"Temperature", RegReadUnitTemperature,
         RegWriteUnitTemperature, {Celsius, Fahrenheit}, Celsius},
        {"RegWriteUnitVolume", u"Volume", RegReadUnitVolume, RegWriteUnitVolume,
         {Litre, USGallon}, Litre},
    };
}

// An object of a waypoint database with a GUID of its own.
template <class Mock>
std::unique_ptr<NiceMock<Mock>> WithGUID(const TGUID &guid) {
    auto m = std::make_unique<NiceMock<Mock>>();
    auto held = std::make_shared<TGUID>(guid);
    ON_CALL(*m, GetGUID()).WillByDefault([held] { return held.get(); });
    return m;
}

}  // namespace

TEST_F(DisplaySettings, StoredUnitsReadAsCodesWithFallbacks) {
    for (const UnitValue &u : UnitValues()) {
        SCOPED_TRACE(u.name);
        EXPECT_EQ(u.read(), u.codes[0]) << "nothing stored";
        for (int32_t stored = -2; stored < 8; ++stored) {
            SCOPED_TRACE(stored);
            int32_t error = 0;
            RegWriteInteger(GetAppReg(), Root, KeyLocale, Named(u.valueName), stored, error);
            const bool listed = stored >= 0 && size_t(stored) < u.codes.size();
            EXPECT_EQ(u.read(), listed ? u.codes[size_t(stored)] : u.fallback);
        }
    }
}

TEST_F(DisplaySettings, UnitWritersRoundTripAndRefuseForeignCodes) {
    using namespace KvUnit;
    const int32_t foreign[] = {Metre, Kilometre, Knot, Celsius, Litre, Fathom, Centimetre,
                               Beaufort, 0, -1};
    for (const UnitValue &u : UnitValues()) {
        SCOPED_TRACE(u.name);
        for (int32_t code : u.codes) {
            u.write(code);
            EXPECT_EQ(u.read(), code);
        }
        u.write(u.codes[1]);
        for (int32_t code : foreign) {
            if (std::find(u.codes.begin(), u.codes.end(), code) != u.codes.end()) continue;
            SCOPED_TRACE(code);
            try {
                u.write(code);
                ADD_FAILURE() << "no exception";
            } catch (const Exception &e) {
                EXPECT_EQ(e.Message(), QString::fromLatin1(u.name) + QStringLiteral(": invalid unit"));
            }
            EXPECT_EQ(u.read(), u.codes[1]) << "something was written";
        }
    }
}

TEST_F(DisplaySettings, TrackDefaults) {
    EXPECT_EQ(RegReadTrackDefaultColor(), 0xFFFF0000u);
    EXPECT_TRUE(RegReadTrackUseCompress());
    EXPECT_EQ(RegReadTrackWidth(), -1.0f);

    struct Case { uint32_t written; uint32_t read; };
    for (const Case c : {Case{0x000000FFu, 0xFF0000FFu}, Case{0x8012AB34u, 0xFF12AB34u},
                         Case{0xFF00FF00u, 0xFF00FF00u}}) {
        SCOPED_TRACE(c.written);
        RegWriteTrackDefaultColor(c.written);
        EXPECT_EQ(RegReadTrackDefaultColor(), c.read);
    }
    RegWriteTrackUseCompress(false);
    EXPECT_FALSE(RegReadTrackUseCompress());
    RegWriteTrackWidth(2.5f);
    EXPECT_EQ(RegReadTrackWidth(), 2.5f);
}

TEST_F(DisplaySettings, DatabaseVisibilityRoundTrip) {
    const bool selected[] = {true, false, true};
    std::vector<std::unique_ptr<NiceMock<MockWptDatabase>>> dbs;
    NiceMock<MockWptManager> wm;
    for (uint32_t i = 0; i < 3; ++i) {
        dbs.push_back(WithGUID<MockWptDatabase>(MakeGUID(100 + i)));
        ON_CALL(*dbs.back(), IsSelected()).WillByDefault(Return(selected[i]));
    }
    ON_CALL(wm, GetDatabaseCount()).WillByDefault([&] { return int32_t(dbs.size()); });
    ON_CALL(wm, GetDatabase(_)).WillByDefault([&](int32_t i) { return dbs.at(size_t(i)).get(); });
    int32_t error = -1;
    RegWriteWptDBsVisible(&wm, error);
    EXPECT_EQ(error, 0);

    // A database that was not open at the last save is shown.
    dbs.push_back(WithGUID<MockWptDatabase>(MakeGUID(200)));
    for (size_t i = 0; i < 3; ++i) EXPECT_CALL(*dbs[i], SetSelected(selected[i]));
    EXPECT_CALL(*dbs[3], SetSelected(true));
    RegReadWptDBsVisible(&wm);
}

TEST_F(DisplaySettings, GroupVisibilityRoundTrip) {
    std::vector<std::unique_ptr<NiceMock<MockWptWaypointGroup>>> groups;
    for (uint32_t i = 0; i < 4; ++i) groups.push_back(WithGUID<MockWptWaypointGroup>(MakeGUID(i)));
    NiceMock<MockWptManager> wm;
    ON_CALL(wm, GetWaypointGroupCount()).WillByDefault([&] { return int32_t(groups.size()); });
    ON_CALL(wm, GetWaypointGroup(_)).WillByDefault([&](int32_t i) { return groups.at(size_t(i)).get(); });
    FakeList<IWptWaypointGroupList> visible;
    visible.Add(groups[2].get());
    visible.Add(groups[0].get());
    int32_t error = -1;
    RegWriteGroupsVisible(&wm, &visible, error);
    EXPECT_EQ(error, 0);

    groups.push_back(WithGUID<MockWptWaypointGroup>(MakeGUID(50)));  // new since the save
    FakeList<IWptWaypointGroupList> read;
    RegReadGroupsVisible(&wm, &read);
    const std::vector<NavObject *> expected = {groups[0].get(), groups[2].get(), groups[4].get()};
    EXPECT_EQ(read.Items, expected);
}

// Polygons and routes: the list comes back in its order; names that are no GUID and objects
// the manager no longer holds are skipped; the first save on an empty store works.
TEST_F(DisplaySettings, PolygonAndRouteListsRoundTripInOrder) {
    struct Kind {
        const char *name;
        const char16_t *key;
        std::function<void(IWptObjectList *, int32_t &)> write;
        std::function<void(IWptManager *, IWptObjectList *)> read;
    };
    FakeList<IWptPolygonList> polygonsOut, polygonsIn;
    FakeList<IWptRouteList> routesOut, routesIn;
    const Kind kinds[] = {
        {"polygons", u"Polygons\\Visible",
         [](IWptObjectList *l, int32_t &e) { RegWritePolygonsVisible(static_cast<IWptPolygonList *>(l), e); },
         [](IWptManager *wm, IWptObjectList *l) { RegReadPolygonsVisible(wm, static_cast<IWptPolygonList *>(l)); }},
        {"routes", u"Routes\\Visible",
         [](IWptObjectList *l, int32_t &e) { RegWriteRoutesVisible(static_cast<IWptRouteList *>(l), e); },
         [](IWptManager *wm, IWptObjectList *l) { RegReadRoutesVisible(wm, static_cast<IWptRouteList *>(l)); }},
    };
    IWptObjectList *outs[] = {&polygonsOut, &routesOut};
    IWptObjectList *ins[] = {&polygonsIn, &routesIn};
    FakeList<IWptPolygonList> singlePolygon;
    FakeList<IWptRouteList> singleRoute;
    IWptObjectList *singles[] = {&singlePolygon, &singleRoute};

    std::vector<std::unique_ptr<NiceMock<MockWptPolygon>>> polygons;
    std::vector<std::unique_ptr<NiceMock<MockWptRoute>>> routes;
    for (uint32_t i = 0; i < 4; ++i) {
        polygons.push_back(WithGUID<MockWptPolygon>(MakeGUID(10 + i)));
        routes.push_back(WithGUID<MockWptRoute>(MakeGUID(20 + i)));
    }
    // The manager holds objects 0..2; object 3 was deleted after the save.
    NiceMock<MockWptManager> wm;
    ON_CALL(wm, FindPolygon(_, _)).WillByDefault([&](const TGUID &g, int32_t &index) {
        for (int32_t i = 0; i < 3; ++i)
            if (*polygons[size_t(i)]->GetGUID() == g) return index = i, true;
        return false;
    });
    ON_CALL(wm, GetPolygon(_)).WillByDefault([&](int32_t i) { return polygons.at(size_t(i)).get(); });
    ON_CALL(wm, FindRoute(_, _)).WillByDefault([&](const TGUID &g, int32_t &index) {
        for (int32_t i = 0; i < 3; ++i)
            if (*routes[size_t(i)]->GetGUID() == g) return index = i, true;
        return false;
    });
    ON_CALL(wm, GetRoute(_)).WillByDefault([&](int32_t i) { return routes.at(size_t(i)).get(); });

    const size_t order[] = {2, 0, 3, 1};
    for (size_t i : order) {
        polygonsOut.Add(polygons[i].get());
        routesOut.Add(routes[i].get());
    }
    for (size_t k = 0; k < 2; ++k) {
        SCOPED_TRACE(kinds[k].name);
        int32_t error = -1;
        kinds[k].write(outs[k], error);
        EXPECT_EQ(error, 0) << "the first save must not fail on the missing key";
        int32_t e = 0;
        RegWriteInteger(GetAppReg(), Root, QString::fromUtf16(kinds[k].key), RegName(u"abc"), 0, e);
        ins[k]->Add(polygons[3].get());  // cleared by the reader
        kinds[k].read(&wm, ins[k]);
        std::vector<NavObject *> expected;
        for (size_t i : {size_t(2), size_t(0), size_t(1)})
            expected.push_back(k == 0 ? static_cast<NavObject *>(polygons[i].get())
                                      : static_cast<NavObject *>(routes[i].get()));
        EXPECT_EQ(k == 0 ? polygonsIn.Items : routesIn.Items, expected);

        // Rewriting replaces the whole list.
        IWptObjectList *single = singles[k];
        single->Add(k == 0 ? static_cast<NavObject *>(polygons[1].get())
                           : static_cast<NavObject *>(routes[1].get()));
        kinds[k].write(single, error);
        EXPECT_EQ(error, 0);
        kinds[k].read(&wm, ins[k]);
        ASSERT_EQ(ins[k]->GetCount(), 1);
        EXPECT_EQ(ins[k]->GetItem(0), single->GetItem(0));
    }
}

namespace {

// A track known by its file name; reports its end so that ownership can be checked.
class TrackDouble : public NiceMock<MockNavTrack> {
public:
    explicit TrackDouble(const QString &file, bool *deleted = nullptr)
        : FFile(file), FDeleted(deleted) {
        ON_CALL(*this, GetFileName()).WillByDefault([this] {
            FRec = StrW(FFile);
            return &FRec;
        });
    }
    ~TrackDouble() override {
        if (FDeleted) *FDeleted = true;
    }
    QString FFile;

private:
    TStrWRec FRec;
    bool *FDeleted;
};

void Touch(const QString &path) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write("trk");
}

}  // namespace

TEST_F(DisplaySettings, TrackListStaysInsideTheTracksFolder) {
    const QString base = testsupport::MakeTempDir(QStringLiteral("tracks"));
    const QString folder = base + "/Tracks";
    ASSERT_TRUE(QDir().mkpath(folder));
    Touch(folder + "/a.trk");
    Touch(folder + "/b.trk");
    Touch(folder + "/bad.trk");
    Touch(base + "/outside.trk");  // next to the tracks folder, reachable with ".."
    ASSERT_TRUE(QFile::link(base + "/outside.trk", folder + "/link.trk"));

    // Stored in this order; the reader walks them last to first.
    const char16_t *stored[] = {u"a.trk", u"..\\outside.trk", u"../outside.trk",
                                u"C:\\Other\\b.trk", u"bad.trk", u"missing.trk", u"link.trk",
                                u"..", u"sub/../b.trk"};
    int32_t error = 0;
    for (const char16_t *name : stored)
        RegWriteInteger(GetAppReg(), Root, QStringLiteral("Tracks\\Visible"), Named(name), 0, error);

    std::vector<std::unique_ptr<TrackDouble>> made;
    QStringList loaded;
    bool badDeleted = false;
    auto loader = [&](const QString &file, int32_t &err) -> INavTrack * {
        loaded << file;
        if (file.endsWith(QStringLiteral("bad.trk"))) {
            err = KvErr::BadFormat;
            return new TrackDouble(file, &badDeleted);  // the reader must release it
        }
        made.push_back(std::make_unique<TrackDouble>(file));
        return made.back().get();
    };
    FakeList<INavTrackList> visible;
    RegReadTracksVisible(folder, &visible, loader);

    const QString canonical = QFileInfo(folder).canonicalFilePath();
    for (const QString &file : loaded)
        EXPECT_EQ(QFileInfo(file).canonicalPath(), canonical) << file.toStdString();
    EXPECT_TRUE(badDeleted);
    QStringList names;
    for (NavObject *o : visible.Items) names << QFileInfo(static_cast<TrackDouble *>(o)->FFile).fileName();
    EXPECT_EQ(names, (QStringList{"b.trk", "b.trk", "a.trk"}));
}

TEST_F(DisplaySettings, TrackListRoundTripKeepsTheOrder) {
    const QString folder = testsupport::MakeTempDir(QStringLiteral("tracks2"));
    std::vector<std::unique_ptr<TrackDouble>> tracks;
    FakeList<INavTrackList> out;
    for (const char *n : {"Zomer 2023.trk", "a.trk", "Week ✓.trk"}) {
        Touch(folder + "/" + n);
        tracks.push_back(std::make_unique<TrackDouble>(folder + "/" + n));
        out.Add(tracks.back().get());
    }
    tracks.push_back(std::make_unique<TrackDouble>(QString()));  // in memory only: not stored
    out.Add(tracks.back().get());
    int32_t error = -1;
    RegWriteTracksVisible(&out, error);
    EXPECT_EQ(error, 0);

    std::vector<std::unique_ptr<TrackDouble>> made;
    FakeList<INavTrackList> in;
    RegReadTracksVisible(folder, &in, [&](const QString &file, int32_t &) -> INavTrack * {
        made.push_back(std::make_unique<TrackDouble>(file));
        return made.back().get();
    });
    ASSERT_EQ(in.Items.size(), 3u);
    for (size_t i = 0; i < 3; ++i)
        EXPECT_EQ(QFileInfo(static_cast<TrackDouble *>(in.Items[i])->FFile).fileName(),
                  QFileInfo(tracks[i]->FFile).fileName());
}
