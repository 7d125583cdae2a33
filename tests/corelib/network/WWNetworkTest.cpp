// The waterway network read from the demo GeoPackage: counts, graph, lookups, section
// attributes, structures, merge, and bad files.
#include "CoreTestSupport.h"
#include "DemoData.h"
#include "TestSupport.h"

#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvGeodesy.h>
#include <KvLibNav6/KvLib.h>
#include <KvLibNav6/KvStrW.h>
#include <KvLibNav6/KvWWNetwork.h>

#include <gtest/gtest.h>

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <QDir>
#include <QFile>
#include <QSet>
#include <QUuid>

#include <cmath>
#include <deque>
#include <functional>
#include <memory>

namespace {

using testsupport::Q;
using testsupport::Guid;

constexpr double Rad = M_PI / 180.0;

struct TDeleter {
    void operator()(NavObject *o) const { ObjectDelete(o); }
};
using TNetworkPtr = std::unique_ptr<IWWNetwork, TDeleter>;
using TStrPtr = std::unique_ptr<IStrW, TDeleter>;
using TStrListPtr = std::unique_ptr<IStrWList, TDeleter>;

TStrWRec Rec(const QString &s) { return TStrWRec{int32_t(s.size()), reinterpret_cast<const char16_t *>(s.utf16())}; }

TNetworkPtr Load(const QString &file, int32_t &err) {
    err = -1;
    return TNetworkPtr(WWNetworkCreateFromFile(Rec(file), nullptr, err));
}

// Metres between a global point and a position given in degrees.
double MetresFrom(const TDouble3 &global, const demo::TLonLat &p) {
    TDouble3 g;
    GeoToGlobal2(g, TGeoPoint{p.Lat * Rad, p.Lon * Rad}, nullptr);
    return std::sqrt((g.X - global.X) * (g.X - global.X) + (g.Y - global.Y) * (g.Y - global.Y) +
                     (g.Z - global.Z) * (g.Z - global.Z));
}

// Collects warnings while alive (the loader logs what it skips or refuses).
class TLogCapture {
public:
    TLogCapture() {
        Messages().clear();
        FPrevious = qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &m) {
            Messages().push_back(m);
        });
    }
    ~TLogCapture() { qInstallMessageHandler(FPrevious); }
    static QStringList &Messages() {
        static QStringList m;
        return m;
    }
    bool Contains(const QString &a, const QString &b) const {
        for (const QString &m : Messages())
            if (m.contains(a) && m.contains(b)) return true;
        return false;
    }

private:
    QtMessageHandler FPrevious;
};

class WWNetworkDemo : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        Demo = new demo::TNetwork(demo::BuildDemoNetwork());
        Folder = new QString(testsupport::MakeTempDir(QStringLiteral("wwnetwork")));
        File = new QString(QDir(*Folder).filePath(QStringLiteral("WaterwayNetwork.kvwwn")));
        QString error;
        if (!demo::WriteNetwork(*Demo, *File, error)) File->clear();
    }
    static void TearDownTestSuite() {
        delete Demo;
        delete Folder;
        delete File;
    }
    void SetUp() override {
        ASSERT_FALSE(File->isEmpty()) << "demo network could not be written";
        int32_t err = -1;
        Net = Load(*File, err);
        ASSERT_EQ(err, KvErr::Ok);
        ASSERT_TRUE(Net);
    }
    IWWSection *SectionOf(const demo::TSection &s) {
        int32_t i = -1;
        const TGUID g = Guid(s.Guid);
        return Net->FindSection(g, i) ? Net->GetSection(i) : nullptr;
    }
    const demo::TSection &DemoSection(const QString &fairway, int nth) {
        int n = 0;
        for (const auto &s : Demo->Sections)
            if (s.Name == fairway && n++ == nth) return s;
        throw std::runtime_error("no such demo section");
    }
    const demo::TSection &LastSection(const QString &fairway) {
        const demo::TSection *last = nullptr;
        for (const auto &s : Demo->Sections)
            if (s.Name == fairway) last = &s;
        if (!last) throw std::runtime_error("no such demo section");
        return *last;
    }
    IWWStruct *StructNamed(const QString &name) {
        const demo::TStructure *d = Demo->FindStructureByName(name);
        if (!d) return nullptr;
        int32_t i = -1;
        const TGUID g = Guid(d->Guid);
        return Net->FindStruct(&g, i) ? Net->GetStruct(i) : nullptr;
    }

    static demo::TNetwork *Demo;
    static QString *Folder;
    static QString *File;
    TNetworkPtr Net;
};
demo::TNetwork *WWNetworkDemo::Demo = nullptr;
QString *WWNetworkDemo::Folder = nullptr;
QString *WWNetworkDemo::File = nullptr;

TEST_F(WWNetworkDemo, LoadsEveryRecord) {
    int sections = 0;
    while (Net->GetSection(sections)) ++sections;
    EXPECT_EQ(sections, int(Demo->Sections.size()));
    EXPECT_EQ(Net->GetStructCount(), int(Demo->Structures.size()));
    EXPECT_EQ(Net->GetFairwayCount(), int(Demo->Fairways.size()));
    EXPECT_EQ(Net->GetVersion(), (1 << 24) | (3 << 16) | (0 << 8) | 7);
    EXPECT_EQ(Net->GetSection(-1), nullptr);
    EXPECT_EQ(Net->GetSection(sections), nullptr);
    EXPECT_EQ(Net->GetStruct(Net->GetStructCount()), nullptr);
}

TEST_F(WWNetworkDemo, WaterBodiesAreThoseOfTheSections) {
    struct Case { int32_t body; bool has; };
    const Case cases[] = {{0, true}, {3, true}, {1, false}, {16, false}, {-1, false}, {17, false}, {32, false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.body);
        EXPECT_EQ(Net->HasWaterBody(c.body), c.has);
    }
}

TEST_F(WWNetworkDemo, GraphIsConnectedAndJunctionsKnowTheirSections) {
    // Walk the network from its first section through the junctions.
    QSet<IWWSection *> seen;
    std::deque<IWWSection *> todo{Net->GetSection(0)};
    while (!todo.empty()) {
        IWWSection *s = todo.front();
        todo.pop_front();
        if (seen.contains(s)) continue;
        seen.insert(s);
        for (IWWJunction *j : {s->GetStartJunction(), s->GetEndJunction()}) {
            ASSERT_GE(j->GetSectionCount(), 1);
            bool listsSelf = false;
            for (int i = 0; i < j->GetSectionCount(); ++i) {
                listsSelf |= j->GetSection(i) == s;
                todo.push_back(j->GetSection(i));
            }
            EXPECT_TRUE(listsSelf);
            EXPECT_EQ(j->GetSection(j->GetSectionCount()), nullptr);
        }
    }
    EXPECT_EQ(seen.size(), qsizetype(Demo->Sections.size()));

    // Junction positions: 0 from the start, the section's length from the end.
    IWWSection *s = Net->GetSection(5);
    EXPECT_EQ(s->GetStartJunction()->GetPosition(), 0.0);
    EXPECT_DOUBLE_EQ(s->GetEndJunction()->GetPosition(), s->GetLength());

    // The river meets the Kessel Canal: three sections at that junction; the marina
    // branches end in dead ends.
    const demo::TSection &canalStart = DemoSection(QStringLiteral("Kessel Canal"), 0);
    EXPECT_EQ(SectionOf(canalStart)->GetStartJunction()->GetSectionCount(), 3);
    const demo::TSection &haven = LastSection(QStringLiteral("Yacht Haven Entrance"));
    EXPECT_EQ(SectionOf(haven)->GetEndJunction()->GetSectionCount(), 1);
}

TEST_F(WWNetworkDemo, SectionGeometryMatchesTheFile) {
    for (const auto &d : Demo->Sections) {
        IWWSection *s = SectionOf(d);
        ASSERT_NE(s, nullptr);
        EXPECT_NEAR(s->GetLength(), d.LengthM, 0.5);
        EXPECT_LT(MetresFrom(s->GetPointAt(0), d.Line.front()), 0.01);
        EXPECT_LT(MetresFrom(s->GetPointAt(s->GetLength() + 100), d.Line.back()), 0.01);
        TDouble3 mid;
        s->GetGlobalPositionAt(mid, d.LengthM / 2);
        EXPECT_LT(MetresFrom(mid, demo::PolylinePoint(d.Line, d.LengthM / 2)), 1.0);
        EXPECT_LT(MetresFrom(s->GetGeometry()->PointAt(d.LengthM / 3), demo::PolylinePoint(d.Line, d.LengthM / 3)), 1.0);
        EXPECT_EQ(Q(s->GetName()), d.Name);
        EXPECT_EQ(s->GetKind(), d.Kind);
        EXPECT_EQ(s->GetWaterBody(), d.WaterBody);
        EXPECT_DOUBLE_EQ(s->GetStartChainage(), d.StartChainage);
    }
}

TEST_F(WWNetworkDemo, FairwaysListSectionsAndPartsInTravelOrder) {
    int32_t index = -1;
    const demo::TFairway *orle = nullptr;
    for (const auto &f : Demo->Fairways)
        if (f.Name == QLatin1String("River Orle")) orle = &f;
    ASSERT_NE(orle, nullptr);
    ASSERT_TRUE(Net->FindFairway(Guid(orle->Guid), index));
    IWWFairway *fw = Net->GetFairway(index);
    EXPECT_EQ(Q(fw->GetName()), QStringLiteral("River Orle"));
    ASSERT_GT(fw->GetSectionCount(), 5);
    double length = 0;
    for (int i = 0; i < fw->GetSectionCount(); ++i) {
        IWWSection *s = fw->GetSection(i);
        EXPECT_EQ(s->GetFairway(), fw);
        if (i > 0) {
            EXPECT_GT(s->GetStartChainage(), fw->GetSection(i - 1)->GetStartChainage());
            EXPECT_EQ(s->GetStartJunction()->GetSection(0), s->GetStartJunction()->GetSection(0));
        }
        length += s->GetLength();
    }
    EXPECT_NEAR(fw->GetLength(), length, 1e-6);
    ASSERT_EQ(fw->GetPartCount(), 2);
    EXPECT_EQ(Q(fw->GetPart(0)->GetName()), QStringLiteral("Lower Orle"));
    EXPECT_EQ(Q(fw->GetPart(0)->GetListName()), QStringLiteral("Lower Orle (River Orle)"));
    EXPECT_EQ(Q(fw->GetPart(1)->GetName()), QStringLiteral("Upper Orle"));
    EXPECT_EQ(fw->GetPart(1)->GetFairway(), fw);
    EXPECT_NEAR(fw->GetPart(0)->GetLength() + fw->GetPart(1)->GetLength(), fw->GetLength(), 1e-6);
    EXPECT_EQ(fw->GetSection(0)->GetFairwayPart(), fw->GetPart(0));
    EXPECT_FALSE(Net->FindFairway(Guid(QStringLiteral("{00000000-0000-0000-0000-000000000001}")), index));
}

TEST_F(WWNetworkDemo, StructuresAreFoundByGuidAndIdentifier) {
    for (const auto &d : Demo->Structures) {
        SCOPED_TRACE(d.Name.toStdString());
        int32_t byGuid = -1, byId = -1;
        const TGUID g = Guid(d.Guid);
        ASSERT_TRUE(Net->FindStruct(&g, byGuid));
        IWWStruct *st = Net->GetStruct(byGuid);
        EXPECT_EQ(Q(st->GetName()), d.Name);
        EXPECT_EQ(*st->GetGUID(), g);
        // Identifiers compare without regard to case.
        const QString lower = d.Isrs.toLower();
        ASSERT_TRUE(Net->FindStructByID(Rec(lower), byId));
        EXPECT_EQ(byId, byGuid);
    }
    int32_t index = 77;
    const TGUID unknown = Guid(QStringLiteral("{12345678-1234-1234-1234-123456789ABC}"));
    EXPECT_FALSE(Net->FindStruct(&unknown, index));
    EXPECT_FALSE(Net->FindStruct(nullptr, index));
    EXPECT_FALSE(Net->FindStructByID(Rec(QStringLiteral("XXNOSUCH")), index));
    EXPECT_FALSE(Net->FindStructByID(Rec(QString()), index));
    EXPECT_EQ(index, 77);
}

TEST_F(WWNetworkDemo, StructuresSitOnTheirSections) {
    for (const auto &d : Demo->Structures) {
        SCOPED_TRACE(d.Name.toStdString());
        IWWStruct *st = StructNamed(d.Name);
        ASSERT_NE(st, nullptr);
        IWWSection *s = st->GetSection();
        EXPECT_EQ(Q(s->GetName()), Demo->FindSection(d.Section)->Name);
        EXPECT_NEAR(st->GetSectionPosition(), d.SectionPosition, 1e-6);
        EXPECT_LT(MetresFrom(st->GetGlobalPosition(), d.Pos), 1.0);
    }
}

TEST_F(WWNetworkDemo, BridgeAndLockDetails) {
    IWWStruct *low = StructNamed(QStringLiteral("Low Orle Bridge"));
    ASSERT_NE(low, nullptr);
    EXPECT_EQ(low->GetKind(), WWStructKind::Bridge);
    ASSERT_EQ(low->GetItemCount(), 1);
    EXPECT_EQ(low->GetPassage(0), nullptr);  // bridges have items, not passages
    auto *bp = dynamic_cast<IWWBridgePassage *>(low->GetItem(0));
    ASSERT_NE(bp, nullptr);
    EXPECT_EQ(bp->GetBridgeType(), WWBridgeTypeFixedSpan);
    EXPECT_FLOAT_EQ(bp->GetPassageHeight()->Value, 3.6f);
    EXPECT_EQ(bp->GetPassageHeight()->Reference, WWLevelRef::NAP);
    EXPECT_EQ(bp->GetPassageHeight()->NAPMode, 1);
    EXPECT_GE(bp->GetHeightOpen()->Value, WWMissing);
    EXPECT_FLOAT_EQ(bp->GetPassageWidth(), 12.0f);
    EXPECT_EQ(low->GetItem(1), nullptr);
    EXPECT_EQ(low->GetItem(-1), nullptr);

    IWWStruct *rail = StructNamed(QStringLiteral("Orle Railway Bridge"));
    auto *rp = dynamic_cast<IWWBridgePassage *>(rail->GetItem(0));
    ASSERT_NE(rp, nullptr);
    EXPECT_FLOAT_EQ(rp->GetHeightClosed()->Value, 4.0f);
    EXPECT_FLOAT_EQ(rp->GetHeightOpen()->Value, 12.0f);
    EXPECT_EQ(Q(rail->GetComplex()), QStringLiteral("Orlebury Railway Crossing"));
    ASSERT_EQ(rail->GetOperatingPeriodCount(), 2);
    IWWOperatingPeriod *summer = rail->GetOperatingPeriod(0);
    const TWWDateRange dates = summer->GetDates();
    EXPECT_EQ(dates.StartDay, 1);
    EXPECT_EQ(dates.StartMonth, 4);
    EXPECT_EQ(dates.EndDay, 31);
    EXPECT_EQ(dates.EndMonth, 10);
    ASSERT_EQ(summer->GetDayScheduleCount(), 1);
    IWWDaySchedule *days = summer->GetDaySchedule(0);
    EXPECT_EQ(days->GetWeekDays(), 0xFE);
    ASSERT_EQ(days->GetTimeWindowCount(), 3);
    const TWWTimeRange t = days->GetTimeWindow(0)->GetTimes();
    EXPECT_EQ(t.StartHour, 6);
    EXPECT_EQ(t.StartMinute, 30);
    EXPECT_EQ(t.EndHour, 9);
    EXPECT_EQ(t.EndMinute, 0);
    EXPECT_EQ(days->GetTimeWindow(0)->GetVesselClasses(), 3u);
    // Winter: working days and Sunday keep separate schedules.
    EXPECT_EQ(rail->GetOperatingPeriod(1)->GetDayScheduleCount(), 2);
    EXPECT_EQ(rail->GetOperatingPeriod(2), nullptr);

    IWWStruct *sea = StructNamed(QStringLiteral("Saltmere Sea Lock"));
    ASSERT_NE(sea, nullptr);
    EXPECT_EQ(sea->GetKind(), WWStructKind::Lock);
    EXPECT_FLOAT_EQ(sea->GetFall(), 1.2f);
    EXPECT_EQ(sea->GetWaitingTime(), 900);
    ASSERT_EQ(sea->GetItemCount(), 2);
    auto *big = dynamic_cast<IWWLockChamber *>(sea->GetItem(0));
    ASSERT_NE(big, nullptr);
    EXPECT_EQ(big->GetNumber(), 1);
    EXPECT_FLOAT_EQ(big->GetChamberLength(), 120.0f);
    EXPECT_FLOAT_EQ(big->GetWidth(), 12.0f);
    EXPECT_TRUE(big->HasTideLengths());
    EXPECT_FLOAT_EQ(big->GetLockLengthLowTide(), 110.0f);
    EXPECT_FLOAT_EQ(big->GetThresholdDepthUp()->Value, 4.2f);
    EXPECT_EQ(Q(big->GetName()), QStringLiteral("Saltmere Sea Lock chamber 1"));
    ASSERT_NE(sea->GetManager(), nullptr);
    EXPECT_EQ(Q(sea->GetManager()->GetName()), QStringLiteral("Port of Saltmere"));
    EXPECT_EQ(Q(sea->GetManager()->GetWebsite()), QStringLiteral("https://port-saltmere.example"));
    EXPECT_EQ(Q(sea->GetVHFChannel()), QStringLiteral("22"));
    EXPECT_EQ(Q(sea->GetPostalCode()), QStringLiteral("9911 SL"));

    IWWStruct *weir = StructNamed(QStringLiteral("Orle Weir"));
    ASSERT_NE(weir, nullptr);
    EXPECT_EQ(weir->GetItemCount(), 0);
    ASSERT_EQ(weir->GetPassageCount(), 1);
    EXPECT_EQ(weir->GetItem(0), nullptr);
    ASSERT_NE(weir->GetPassage(0), nullptr);
    EXPECT_FLOAT_EQ(weir->GetPassage(0)->GetWidth(), 14.0f);
    EXPECT_FLOAT_EQ(weir->GetPassage(0)->GetThresholdDepth()->Value, 2.8f);
    IWWStruct *line = StructNamed(QStringLiteral("Vorn Power Line"));
    EXPECT_EQ(line->GetOtherType(), WWOtherType::PowerLine);
    EXPECT_EQ(sea->GetOtherType(), 0);
}

TEST_F(WWNetworkDemo, SpecialDaysTextsAndImages) {
    IWWStruct *toll = StructNamed(QStringLiteral("Tollmere Bridge"));
    ASSERT_EQ(toll->GetSpecialDayRuleCount(), 2);
    IWWSpecialDayRule *closed = toll->GetSpecialDayRule(0);
    EXPECT_EQ(closed->GetOperation(), WWSpecialDayOperation::None);
    ASSERT_EQ(closed->GetDateCount(), 2);
    uint8_t day = 0, month = 0;
    closed->GetDate(0)->GetDayMonth(day, month);
    EXPECT_EQ(day, 25);
    EXPECT_EQ(month, 12);
    IWWSpecialDayRule *sunday = toll->GetSpecialDayRule(1);
    EXPECT_EQ(sunday->GetOperation(), WWSpecialDayOperation::AsWeekDay);
    EXPECT_EQ(sunday->GetWeekDay(), 7);
    EXPECT_FALSE(sunday->HasNoOperationBefore());
    ASSERT_TRUE(sunday->HasNoOperationAfter());
    EXPECT_EQ(sunday->GetNoOperationAfter().Hour, 18);
    EXPECT_EQ(sunday->GetDate(1)->GetHoliday(), WWHoliday::Pentecost);
    EXPECT_EQ(sunday->GetDate(1)->GetDayOffset(), 1);
    EXPECT_EQ(sunday->GetDate(3), nullptr);

    IWWStruct *harbour = StructNamed(QStringLiteral("Harbour Bridge"));
    TStrPtr label(StrWCreate(u"old", 3)), sub(StrWCreate(u"old", 3));
    harbour->GetTexts(label.get(), sub.get());
    EXPECT_EQ(Q(label->GetRec()), QStringLiteral("Harbour Bridge"));
    EXPECT_EQ(Q(sub->GetRec()), QStringLiteral("2.5 m closed"));
    TStrListPtr images(StrWListCreate());
    harbour->GetImages(images.get());
    harbour->GetImages(images.get());  // a second call replaces, never appends
    ASSERT_EQ(StrWListGetCount(images.get()), 1);
    EXPECT_EQ(Q(StrWListGetStr(images.get(), 0)), QDir(*Folder).filePath(QStringLiteral("harbour-bridge.jpg")));
}

TEST_F(WWNetworkDemo, WaitingTimeCanBeSetAndReset) {
    IWWStruct *b = StructNamed(QStringLiteral("Millbrook Bridge"));
    EXPECT_EQ(b->GetWaitingTime(), -1);
    b->SetWaitingTime(420);
    EXPECT_EQ(b->GetWaitingTime(), 420);
    b->SetWaitingTime(-5);
    EXPECT_EQ(b->GetWaitingTime(), -1);
}

TEST_F(WWNetworkDemo, SectionAttributesHoldOverTheirIntervals) {
    IWWSection *canal = SectionOf(DemoSection(QStringLiteral("Brisk Canal"), 1));
    IWWSection *sea = SectionOf(DemoSection(QStringLiteral("Velmer Roads"), 0));
    IWWSection *river = SectionOf(DemoSection(QStringLiteral("River Orle"), 0));
    IWWSection *harbour = SectionOf(DemoSection(QStringLiteral("Saltmere Harbour Channel"), 0));
    const demo::TSection &vornDemo = DemoSection(QStringLiteral("Vorn Canal"), 0);
    IWWSection *vorn = SectionOf(vornDemo);

    EXPECT_FLOAT_EQ(canal->GetSpeedLimit(10), 2.5f);
    EXPECT_GE(sea->GetSpeedLimit(10), WWMissing);
    float depth = 0, height = 0, length = 0, width = 0;
    ASSERT_TRUE(canal->GetMaxDimensions(100, depth, height, length, width));
    EXPECT_FLOAT_EQ(depth, 1.8f);
    EXPECT_GE(height, WWMissing);
    EXPECT_FLOAT_EQ(width, 7.0f);
    EXPECT_FALSE(sea->GetMaxDimensions(100, depth, height, length, width));
    ASSERT_TRUE(river->GetCommercialDimensions(100, depth, height, length, width));
    EXPECT_FLOAT_EQ(length, 20.0f);

    int32_t channel = 0;
    TStrPtr call(StrWCreate(u"", 0));
    ASSERT_TRUE(river->GetVHFSectorChannel(50, channel, call.get()));
    EXPECT_EQ(channel, 20);
    EXPECT_EQ(Q(call->GetRec()), QStringLiteral("Orle Traffic"));
    EXPECT_FALSE(sea->GetVHFSectorChannel(50, channel, call.get()));
    ASSERT_TRUE(harbour->GetVHFReportChannel(50, 1, channel, call.get()));
    EXPECT_EQ(channel, 14);
    ASSERT_TRUE(harbour->GetVHFReportChannel(50, 0, channel, call.get()));
    EXPECT_EQ(channel, 12);
    EXPECT_EQ(Q(call->GetRec()), QStringLiteral("Saltmere Port Control"));

    float current = 0;
    EXPECT_TRUE(river->GetCurrent(10, current));
    EXPECT_FLOAT_EQ(current, 0.4f);
    uint32_t flags = 0;
    EXPECT_TRUE(canal->GetNavigability(10, flags));
    EXPECT_EQ(flags, 3u);

    bool along = false;
    EXPECT_TRUE(vorn->GetOneWay(10, along));
    EXPECT_TRUE(along);
    TStrPtr url(StrWCreate(u"", 0)), desc(StrWCreate(u"", 0));
    ASSERT_TRUE(vorn->GetPermit(10, url.get(), desc.get()));
    EXPECT_EQ(Q(url->GetRec()), QStringLiteral("https://orleland.example/vorn-permit"));
    EXPECT_EQ(Q(desc->GetRec()), QStringLiteral("Navigation permit for the Vorn reserve"));

    // Keep-left holds over [200, half the length): the interval ends are tested exactly.
    struct Case { const char *name; double pos; bool covered; };
    const Case cases[] = {{"before", 199.9, false},
                          {"at start", 200.0, true},
                          {"inside", 300.0, true},
                          {"at end", vornDemo.LengthM * 0.5, false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        bool flag = false;
        EXPECT_EQ(vorn->GetKeepLeft(c.pos, flag), c.covered);
        if (c.covered) {
            EXPECT_TRUE(flag);
        }
    }
    TStrPtr remark(StrWCreate(u"", 0));
    EXPECT_FALSE(river->GetRemark(10, remark.get()));
    IWWSection *lake = SectionOf(DemoSection(QStringLiteral("Dunmeer"), 0));
    EXPECT_TRUE(lake->GetRemark(10, remark.get()));
    EXPECT_TRUE(Q(remark->GetRec()).startsWith(QStringLiteral("Shallow")));
}

TEST_F(WWNetworkDemo, DistanceMarksFollowTheChainage) {
    for (int k = 0; k < 4; ++k) {
        const demo::TSection &d = DemoSection(QStringLiteral("River Orle"), k + 1);
        IWWSection *s = SectionOf(d);
        for (double at : {0.0, d.LengthM * 0.37, d.LengthM}) {
            SCOPED_TRACE(at);
            EXPECT_NEAR(s->GetDistanceMark(at), d.StartChainage + at, 2.0);
        }
    }
    EXPECT_LT(SectionOf(DemoSection(QStringLiteral("Velmer Roads"), 0))->GetDistanceMark(10), 0.0);
}

TEST_F(WWNetworkDemo, DirectionIsAViewVectorNorthUp) {
    // The Kessel Canal leaves the river northward (view y points south), the river runs
    // roughly east.
    IWWSection *north = SectionOf(DemoSection(QStringLiteral("Kessel Canal"), 1));
    TFloat2 v;
    north->GetDirection(north->GetLength() / 2, nullptr, v);
    EXPECT_NEAR(std::hypot(v.X, v.Y), 1.0, 1e-5);
    EXPECT_LT(v.Y, -0.9f);
    IWWSection *east = SectionOf(DemoSection(QStringLiteral("Vorn Canal"), 0));
    east->GetDirection(east->GetLength() / 2, nullptr, v);
    EXPECT_GT(v.X, 0.8f);
}

TEST_F(WWNetworkDemo, NextStructureContinuesIntoFollowingSections) {
    const demo::TSection &first = DemoSection(QStringLiteral("River Orle"), 0);
    IWWSection *s = SectionOf(first);
    const demo::TStructure *road = Demo->FindStructureByName(QStringLiteral("Orle Road Bridge"));
    const demo::TSection *roadSection = Demo->FindSection(road->Section);
    ASSERT_NE(roadSection->Guid, first.Guid);  // the bridge lies a section further on
    double distance = 0;
    IWWStruct *next = s->FindNextStruct(10.0, true, distance);
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(Q(next->GetName()), QStringLiteral("Orle Road Bridge"));
    EXPECT_NEAR(distance, first.LengthM - 10.0 + road->SectionPosition, 2.0);

    // Against the river from its first section: into the harbour channel, with the sea
    // lock and then the harbour bridge.
    next = s->FindNextStruct(first.LengthM / 2, false, distance);
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(Q(next->GetName()), QStringLiteral("Saltmere Sea Lock"));

    // From a dead end, nothing lies ahead.
    IWWSection *haven = SectionOf(LastSection(QStringLiteral("Yacht Haven Entrance")));
    EXPECT_EQ(haven->FindNextStruct(haven->GetLength() - 1, true, distance), nullptr);
}

TEST_F(WWNetworkDemo, NearestLocationRespectsTheBoat) {
    // Halfway along a Brisk Canal section (max depth 1.8 m).
    const demo::TSection &d = DemoSection(QStringLiteral("Brisk Canal"), 1);
    const demo::TLonLat p = demo::PolylinePoint(d.Line, d.LengthM / 2);
    const TGeoPoint pos{p.Lat * Rad, p.Lon * Rad};
    IWWSection *section = nullptr;
    double offset = -1, distance = -1, unused = -1;
    Net->FindNearestSection(section, offset, unused, pos);
    ASSERT_EQ(section, SectionOf(d));
    EXPECT_NEAR(offset, d.LengthM / 2, 1.0);
    EXPECT_EQ(unused, 0.0);

    Net->NearestLocation(section, offset, distance, pos, false, 9.0f, 3.0f, 2.0f, 1.2f);
    EXPECT_EQ(section, SectionOf(d));
    EXPECT_LT(distance, 1.0);
    // Too deep for the canal: another section, farther away.
    Net->NearestLocation(section, offset, distance, pos, false, 9.0f, 3.0f, 2.0f, 2.5f);
    ASSERT_NE(section, nullptr);
    EXPECT_NE(Q(section->GetName()), QStringLiteral("Brisk Canal"));
    EXPECT_GT(distance, 100.0);
    // Longer than the river's pleasure-craft limit: no river section for a yacht.
    const demo::TSection &r = DemoSection(QStringLiteral("River Orle"), 3);
    const demo::TLonLat rp = demo::PolylinePoint(r.Line, r.LengthM / 2);
    Net->NearestLocation(section, offset, distance, TGeoPoint{rp.Lat * Rad, rp.Lon * Rad}, false,
                         25.0f, 4.0f, 2.0f, 1.2f);
    ASSERT_NE(section, nullptr);
    EXPECT_NE(Q(section->GetName()), QStringLiteral("River Orle"));
    Net->NearestLocation(section, offset, distance, TGeoPoint{rp.Lat * Rad, rp.Lon * Rad}, true,
                         25.0f, 4.0f, 2.0f, 1.2f);
    EXPECT_EQ(Q(section->GetName()), QStringLiteral("River Orle"));
    // No position: nothing found.
    Net->NearestLocation(section, offset, distance, TGeoPoint{GeoPointNoPosition, GeoPointNoPosition},
                         false, 9.0f, 3.0f, 2.0f, 1.2f);
    EXPECT_EQ(section, nullptr);
}

// A copy of the demo network with its own GUIDs and identifiers (a second network file).
demo::TNetwork Renamed(demo::TNetwork net) {
    QHash<QString, QString> map;
    auto re = [&](QString &g) {
        if (g.isEmpty()) return;
        if (!map.contains(g)) map.insert(g, demo::NameGuid(QStringLiteral("second:") + g));
        g = map.value(g);
    };
    for (auto &f : net.Fairways) re(f.Guid);
    for (auto &p : net.FairwayParts) re(p.Fairway);
    for (auto &s : net.Sections) re(s.Guid), re(s.Fairway);
    for (auto &a : net.Attributes) re(a.Section);
    for (auto &st : net.Structures) {
        re(st.Guid), re(st.Section);
        st.Isrs = QStringLiteral("YY") + st.Isrs.mid(2);
        st.Name = QStringLiteral("Śluza Ø – ß ") + st.Name;
    }
    for (auto &m : net.Marinas) re(m.Guid), re(m.Section);
    for (auto &d : net.DistanceMarks) re(d.Section);
    net.Version = QStringLiteral("2.0.0.0");
    return net;
}

TEST_F(WWNetworkDemo, MergeTakesOverTheSecondNetwork) {
    const QString second = QDir(*Folder).filePath(QStringLiteral("WaterwayNetworkUSA.kvwwn"));
    QString error;
    ASSERT_TRUE(demo::WriteNetwork(Renamed(*Demo), second, error)) << error.toStdString();
    int32_t err = -1;
    TNetworkPtr other = Load(second, err);
    ASSERT_EQ(err, KvErr::Ok);
    const int32_t before = Net->GetStructCount();
    IWWStruct *keep = Net->GetStruct(0);

    Net->Merge(other.get(), err);
    ASSERT_EQ(err, KvErr::Ok);
    EXPECT_EQ(Net->GetStructCount(), 2 * before);
    EXPECT_EQ(Net->GetFairwayCount(), 2 * int(Demo->Fairways.size()));
    EXPECT_EQ(Net->GetStruct(0), keep);  // objects of the first network stay where they were
    EXPECT_EQ(Net->GetVersion(), (1 << 24) | (3 << 16) | 7);
    int32_t index = -1;
    ASSERT_TRUE(Net->FindStructByID(Rec(QStringLiteral("YY") + Demo->Structures[0].Isrs.mid(2)), index));
    EXPECT_GE(index, before);
    EXPECT_EQ(Q(Net->GetStruct(index)->GetName()), QStringLiteral("Śluza Ø – ß ") + Demo->Structures[0].Name);
    ASSERT_TRUE(Net->FindStructByID(Rec(Demo->Structures[0].Isrs), index));
    EXPECT_LT(index, before);
    // The merged objects belong to the merged network; the second one is untouched.
    IWWStruct *merged = Net->GetStruct(before);
    EXPECT_NE(merged, other->GetStruct(0));
    EXPECT_EQ(*merged->GetGUID(), *other->GetStruct(0)->GetGUID());
    EXPECT_EQ(other->GetStructCount(), before);
    other.reset();  // released as the program does; the merged network keeps working
    EXPECT_EQ(Q(merged->GetSection()->GetName()), Demo->FindSection(Demo->Structures[0].Section)->Name);
}

TEST_F(WWNetworkDemo, MergeRefusesDuplicateGuidsAndLeavesTheNetworkAlone) {
    int32_t err = -1;
    TNetworkPtr same = Load(*File, err);
    ASSERT_EQ(err, KvErr::Ok);
    const int32_t before = Net->GetStructCount();
    TLogCapture log;
    Net->Merge(same.get(), err);
    EXPECT_EQ(err, KvErr::AlreadyExists);
    EXPECT_EQ(Net->GetStructCount(), before);
    EXPECT_EQ(Net->GetFairwayCount(), int(Demo->Fairways.size()));
    EXPECT_TRUE(log.Contains(*File, QStringLiteral("in both networks")));
    Net->Merge(nullptr, err);
    EXPECT_EQ(err, KvErr::InvalidArgument);
    Net->Merge(Net.get(), err);
    EXPECT_EQ(err, KvErr::InvalidArgument);
}

// ---- bad files ----

void DropLayer(const QString &file, const char *layer) {
    GDALDatasetUniquePtr ds(GDALDataset::Open(QFile::encodeName(file).constData(), GDAL_OF_VECTOR | GDAL_OF_UPDATE));
    ASSERT_TRUE(ds);
    for (int i = 0; i < ds->GetLayerCount(); ++i)
        if (QLatin1String(ds->GetLayer(i)->GetName()) == QLatin1String(layer)) {
            ASSERT_EQ(ds->DeleteLayer(i), OGRERR_NONE);
            return;
        }
    FAIL() << "no layer " << layer;
}

void WriteBytes(const QString &file, const QByteArray &bytes) {
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

TEST(WWNetworkBadInput, EachFaultGivesAClearErrorOrALoggedSkip) {
    GDALAllRegister();
    const QString dir = testsupport::MakeTempDir(QStringLiteral("wwnetwork-bad"));
    const demo::TNetwork good = demo::BuildDemoNetwork();
    // The section of a bridge: leaving it out must take the bridge with it.
    const demo::TSection &firstRiver =
        *good.FindSection(good.FindStructureByName(QStringLiteral("Orle Road Bridge"))->Section);
    const int structsOnFirstRiver = int(std::count_if(good.Structures.begin(), good.Structures.end(),
        [&](const demo::TStructure &s) { return s.Section == firstRiver.Guid; }));

    struct Case {
        const char *name;
        std::function<void(const QString &file)> make;
        int32_t err;
        const char *logged;   // text the log names together with the file
        int sectionsLess;     // for files that load: sections left out
        int structsLess;
    };
    auto network = [&](std::function<void(demo::TNetwork &)> change) {
        return [=](const QString &file) {
            demo::TNetwork net = good;
            change(net);
            QString error;
            ASSERT_TRUE(demo::WriteNetwork(net, file, error)) << error.toStdString();
        };
    };
    const Case cases[] = {
        {"missing file", [](const QString &) {}, KvErr::NotFound, "does not exist", 0, 0},
        {"not a GeoPackage", [](const QString &f) { WriteBytes(f, QByteArray("just some text\n").repeated(100)); },
         KvErr::WWNetworkDamaged, "not a waterway network", 0, 0},
        {"empty file", [](const QString &f) { WriteBytes(f, QByteArray()); }, KvErr::WWNetworkDamaged,
         "not a waterway network", 0, 0},
        {"truncated file",
         [&](const QString &f) {
             network([](demo::TNetwork &) {})(f);
             QFile file(f);
             ASSERT_TRUE(file.open(QIODevice::ReadWrite));
             file.resize(file.size() / 3);
         },
         KvErr::WWNetworkDamaged, "", 0, 0},
        {"missing layer",
         [&](const QString &f) {
             network([](demo::TNetwork &) {})(f);
             DropLayer(f, "structures");
         },
         KvErr::WWNetworkDamaged, "\"structures\" is missing", 0, 0},
        {"newer format", network([](demo::TNetwork &n) { n.Format = 2; }), KvErr::BadVersion, "newer", 0, 0},
        {"bad version text", network([](demo::TNetwork &n) { n.Version = QStringLiteral("1.300.0.0"); }),
         KvErr::WWNetworkDamaged, "version", 0, 0},
        {"section without geometry",
         network([&](demo::TNetwork &n) {
             for (auto &s : n.Sections)
                 if (s.Guid == firstRiver.Guid) s.Line.clear();
         }),
         KvErr::Ok, "has no line geometry", 1, structsOnFirstRiver},
        {"structure without section",
         network([](demo::TNetwork &n) { n.Structures[2].Section = demo::NameGuid(QStringLiteral("nowhere")); }),
         KvErr::WWNetworkDamaged, "lies on a section the file does not have", 0, 0},
        {"negative clearance",
         network([](demo::TNetwork &n) {
             for (auto &s : n.Structures)
                 if (s.Name == QLatin1String("Kessel Bridge"))
                     s.Items[0].Levels[QStringLiteral("passage_height")] = demo::TLevel{-2.0, 0, demo::NoValue, 0};
         }),
         KvErr::WWNetworkDamaged, "negative clearance", 0, 0},
    };
    int n = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = QDir(dir).filePath(QStringLiteral("case%1.kvwwn").arg(n++));
        c.make(file);
        TLogCapture log;
        int32_t err = -1;
        TNetworkPtr net = Load(file, err);
        EXPECT_EQ(err, c.err);
        if (c.err != KvErr::Ok) {
            EXPECT_EQ(net, nullptr);
            EXPECT_TRUE(log.Contains(file, QString::fromLatin1(c.logged)))
                << log.Messages().join(QLatin1Char('\n')).toStdString();
            continue;
        }
        ASSERT_NE(net, nullptr);
        EXPECT_TRUE(log.Contains(file, QString::fromLatin1(c.logged)))
            << log.Messages().join(QLatin1Char('\n')).toStdString();
        int sections = 0;
        while (net->GetSection(sections)) ++sections;
        EXPECT_EQ(sections, int(good.Sections.size()) - c.sectionsLess);
        EXPECT_EQ(net->GetStructCount(), int(good.Structures.size()) - c.structsLess);
        int32_t index = 0;
        EXPECT_FALSE(net->FindSection(Guid(firstRiver.Guid), index));
    }
}

}  // namespace
