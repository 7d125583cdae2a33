// The waterway-network adapters over real network files written by the demo generator, and
// over fakes where the library's behaviour must be forced (False answers, exceptions).
#include "CoreTestSupport.h"
#include "objectinfo/KvWWNetwork.h"

#include "DemoData.h"
#include "TestSupport.h"
#include "base/kvlib/KvLib.h"
#include "base/kvlib/KvStrings.h"

#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvLib.h>
#include <KvLibNav6/KvStrUtils.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QHash>
#include <QUuid>

#include <cmath>
#include <functional>
#include <stdexcept>

namespace {

using testsupport::Guid;

using ::testing::_;
using ::testing::Invoke;

// Characters outside Latin-1, and one outside the basic plane (a surrogate pair).
const QString Unicode = QStringLiteral("Śluza Ø – ß");
QString U(const QString &text) { return Unicode + QLatin1Char(' ') + text + QStringLiteral(" \U0001D518"); }

// Every free text of the demo network made non-Latin-1, plus a non-physical barrier and a
// ship tunnel (the demo area has neither), so that every adapter has a text to return.
demo::TNetwork UnicodeNetwork() {
    demo::TNetwork net = demo::BuildDemoNetwork();
    for (auto &f : net.Fairways) f.Name = U(f.Name);
    for (auto &p : net.FairwayParts) p.Name = U(p.Name), p.ListName = U(p.ListName);
    for (auto &s : net.Sections) s.Name = U(s.Name);
    for (auto &a : net.Attributes) {
        if (!a.Text1.isEmpty()) a.Text1 = U(a.Text1);
        if (!a.Text2.isEmpty()) a.Text2 = U(a.Text2);
    }
    for (auto &m : net.Managers) {
        int field = 0;
        for (QString *t : {&m.Name, &m.Department, &m.MailAddress, &m.MailPostalCode, &m.MailPlace,
                           &m.VisitAddress, &m.VisitPlace, &m.Phone, &m.Fax, &m.Website})
            *t = U(QStringLiteral("%1 field %2").arg(m.Key).arg(field++));
    }
    for (auto &st : net.Structures) {
        for (QString *t : {&st.Name, &st.Place, &st.VHFChannel, &st.Address, &st.PostalCode,
                           &st.Phone, &st.Subtext})
            *t = U(*t);
        if (!st.Complex.isEmpty()) st.Complex = U(st.Complex);
        st.Label.clear();  // the library's label is then the name
        for (QString &i : st.Images) i = U(i);
        for (auto &it : st.Items) it.Remark = U(it.Remark), it.Name = U(it.Name);
        for (auto &p : st.Periods) p.Remark = U(p.Remark);
    }
    const demo::TStructure weir = *net.FindStructureByName(U(QStringLiteral("Orle Weir")));
    int n = 0;
    for (int kind : {WWStructKind::NonPhysicalBarrier, WWStructKind::ShipTunnel}) {
        demo::TStructure st = weir;
        st.Kind = kind;
        st.Name = U(QStringLiteral("made-up kind %1").arg(kind));
        st.Guid = demo::NameGuid(st.Name);
        st.Isrs = QStringLiteral("XXSLM9999%1O000000000").arg(n++);
        st.Items[0].Remark = U(QStringLiteral("item of kind %1").arg(kind));
        net.Structures.push_back(st);
    }
    return net;
}

// A copy with GUIDs and identifiers of its own: the second network beside the first.
demo::TNetwork SecondNetwork(demo::TNetwork net) {
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
    for (auto &st : net.Structures) re(st.Guid), re(st.Section), st.Isrs = QStringLiteral("YY") + st.Isrs.mid(2);
    for (auto &m : net.Marinas) re(m.Guid), re(m.Section);
    for (auto &d : net.DistanceMarks) re(d.Section);
    return net;
}

// The shell's start-up rule: these load errors are passed over without a message.
bool ShownAtStartUp(int32_t err) {
    return err != KvErr::Ok && err != KvErr::NotFound && err != KvErr::BadFormat;
}

class KvWWNetworkFiles : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        Demo = new demo::TNetwork(UnicodeNetwork());
        Demo->Version = QStringLiteral("2.5.17.201");
        Folder = new QString(testsupport::MakeTempDir(QStringLiteral("wwadapters")));
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
        ASSERT_FALSE(File->isEmpty()) << "the network file could not be written";
        int32_t err = -1;
        Net.reset(WWNetworkLoadFromFile(*File, nullptr, err));
        ASSERT_EQ(err, KvErr::Ok);
        ASSERT_TRUE(Net);
    }
    void TearDown() override { EXPECT_EQ(TWWTextOut::LiveCount(), 0); }

    IWWStruct *StructOf(const demo::TStructure &d) {
        int32_t i = -1;
        const TGUID g = Guid(d.Guid);
        return Net->FindStruct(&g, i) ? Net->GetStruct(i) : nullptr;
    }
    IWWSection *SectionOf(const QString &guid) {
        int32_t i = -1;
        return Net->FindSection(Guid(guid), i) ? Net->GetSection(i) : nullptr;
    }
    const demo::TManager *ManagerOf(const demo::TStructure &d) {
        for (const auto &m : Demo->Managers)
            if (m.Key == d.Manager) return &m;
        return nullptr;
    }

    static demo::TNetwork *Demo;
    static QString *Folder;
    static QString *File;
    TNavPtr<IWWNetwork> Net;
};

demo::TNetwork *KvWWNetworkFiles::Demo = nullptr;
QString *KvWWNetworkFiles::Folder = nullptr;
QString *KvWWNetworkFiles::File = nullptr;

// ---- loading ----

void WriteBytes(const QString &file, const QByteArray &bytes) {
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

TEST_F(KvWWNetworkFiles, LoadGivesANetworkOrNilWithAnErrorTheStartUpShows) {
    const QString dir = testsupport::MakeTempDir(QStringLiteral("wwadapters-load"));
    auto copyOfGood = [](const QString &f) { ASSERT_TRUE(QFile::copy(*File, f)); };
    auto written = [](std::function<void(demo::TNetwork &)> change) {
        return [change](const QString &f) {
            demo::TNetwork net = *Demo;
            change(net);
            QString error;
            ASSERT_TRUE(demo::WriteNetwork(net, f, error)) << error.toStdString();
        };
    };
    struct Case {
        const char *name;
        std::function<void(const QString &)> make;
        int32_t err;
        bool shown;  // at start-up; only a missing file goes unmentioned
    };
    const Case cases[] = {
        {"good file", copyOfGood, KvErr::Ok, false},
        {"missing file", [](const QString &) {}, KvErr::NotFound, false},
        {"empty file", [](const QString &f) { WriteBytes(f, {}); }, KvErr::WWNetworkDamaged, true},
        {"truncated file",
         [&](const QString &f) {
             copyOfGood(f);
             QFile file(f);
             ASSERT_TRUE(file.open(QIODevice::ReadWrite));
             ASSERT_TRUE(file.resize(file.size() / 3));
         },
         KvErr::WWNetworkDamaged, true},
        {"text file", [](const QString &f) { WriteBytes(f, QByteArray("not a network\n").repeated(50)); },
         KvErr::WWNetworkDamaged, true},
        {"folder in place of the file", [](const QString &f) { ASSERT_TRUE(QDir().mkpath(f)); },
         KvErr::WWNetworkDamaged, true},
        {"newer format", written([](demo::TNetwork &n) { n.Format = 99; }), KvErr::BadVersion, true},
    };
    int n = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = QDir(dir).filePath(QStringLiteral("case%1.kvwwn").arg(n++));
        c.make(file);
        int32_t err = -1;
        TNavPtr<IWWNetwork> net;
        EXPECT_NO_THROW(net.reset(WWNetworkLoadFromFile(file, nullptr, err)));
        EXPECT_EQ(err, c.err);
        EXPECT_EQ(net != nullptr, c.err == KvErr::Ok);
        EXPECT_EQ(ShownAtStartUp(err), c.shown);
        if (err != KvErr::Ok) {
            const QString text = StrWToWide(ErrorToStr(err));
            EXPECT_FALSE(text.startsWith(QStringLiteral("Unknown error"))) << text.toStdString();
        }
    }
}

TEST_F(KvWWNetworkFiles, FileNamesOutsideLatin1AreFound) {
    const QString dir = testsupport::MakeTempDir(Unicode);
    const QString file = QDir(dir).filePath(U(QStringLiteral("net.kvwwn")));
    ASSERT_TRUE(QFile::copy(*File, file));
    int32_t err = -1;
    TNavPtr<IWWNetwork> net(WWNetworkLoadFromFile(file, nullptr, err));
    EXPECT_EQ(err, KvErr::Ok);
    EXPECT_NE(net, nullptr);
}

TEST_F(KvWWNetworkFiles, SecondNetworkMergesAndBothStructureSetsAreFound) {
    const QString second = QDir(*Folder).filePath(QStringLiteral("WaterwayNetworkUSA.kvwwn"));
    demo::TNetwork other = SecondNetwork(*Demo);
    other.Version = QStringLiteral("9.9.9.9");
    QString error;
    ASSERT_TRUE(demo::WriteNetwork(other, second, error)) << error.toStdString();
    int32_t err = -1;
    TNavPtr<IWWNetwork> usa(WWNetworkLoadFromFile(second, nullptr, err));
    ASSERT_EQ(err, KvErr::Ok);
    Net->Merge(usa.get(), err);
    ASSERT_EQ(err, KvErr::Ok);

    const demo::TStructure &d = Demo->Structures.front();
    for (const QString &id : {d.Isrs, QStringLiteral("YY") + d.Isrs.mid(2)}) {
        SCOPED_TRACE(id.toStdString());
        int32_t index = -1;
        ASSERT_TRUE(WWNetworkFindStruct(Net.get(), id, index));
        EXPECT_EQ(WWStructGetName(Net->GetStruct(index)), d.Name);
    }
    // The merged network keeps the first file's version.
    EXPECT_EQ(WWNetworkGetVersion(Net.get()), (2 << 24) | (5 << 16) | (17 << 8) | 201);
    EXPECT_EQ(WWNetworkGetVersion(usa.get()), (9 << 24) | (9 << 16) | (9 << 8) | 9);
}

// ---- lookups ----

TEST_F(KvWWNetworkFiles, StructuresAreFoundByIdentifierAndByGuid) {
    for (const auto &d : Demo->Structures) {
        SCOPED_TRACE(d.Isrs.toStdString());
        int32_t byId = -1;
        ASSERT_TRUE(WWNetworkFindStruct(Net.get(), d.Isrs, byId));
        int32_t lower = -1;
        EXPECT_TRUE(WWNetworkFindStruct(Net.get(), d.Isrs.toLower(), lower));
        EXPECT_EQ(lower, byId);
        int32_t byGuid = -1;
        const TGUID g = Guid(d.Guid);
        ASSERT_TRUE(Net->FindStruct(&g, byGuid));
        EXPECT_EQ(byGuid, byId);
        EXPECT_EQ(WWStructGetISRS(Net->GetStruct(byId)), d.Isrs);
    }
    struct Unknown { const char *name; QString id; };
    const Unknown unknown[] = {{"no such code", QStringLiteral("XXSLM77777B000000000")},
                               {"empty", QString()},
                               {"prefix of a code", Demo->Structures.front().Isrs.left(8)}};
    for (const auto &u : unknown) {
        SCOPED_TRACE(u.name);
        int32_t index = -1;
        EXPECT_FALSE(WWNetworkFindStruct(Net.get(), u.id, index));
    }
    int32_t index = -1;
    const TGUID none = Guid(demo::NameGuid(QStringLiteral("nowhere")));
    EXPECT_FALSE(Net->FindStruct(&none, index));
}

// ---- texts ----

TEST_F(KvWWNetworkFiles, StructureTextsComeBackCharacterForCharacter) {
    int itemsSeen = 0, managersSeen = 0, periodsSeen = 0, emptyComplexes = 0, imagesSeen = 0;
    for (const auto &d : Demo->Structures) {
        SCOPED_TRACE(d.Name.toStdString());
        IWWStruct *s = StructOf(d);
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(WWStructGetName(s), d.Name);
        EXPECT_EQ(WWStructGetISRS(s), d.Isrs);
        EXPECT_EQ(WWStructGetAddress(s), d.Address);
        EXPECT_EQ(WWStructGetPostalCode(s), d.PostalCode);
        EXPECT_EQ(WWStructGetPlace(s), d.Place);
        EXPECT_EQ(WWStructGetPhone(s), d.Phone);
        EXPECT_EQ(WWStructGetVHFChannel(s), d.VHFChannel);
        EXPECT_EQ(WWStructGetComplex(s), d.Complex);
        emptyComplexes += d.Complex.isEmpty();
        QString label = QStringLiteral("stale"), subtext = QStringLiteral("stale");
        WWStructGetTexts(s, label, subtext);
        EXPECT_EQ(label, d.Name);
        EXPECT_EQ(subtext, d.Subtext);
        QStringList images{QStringLiteral("stale.jpg")};
        WWStructGetImages(s, images);
        QStringList expected;  // the library makes them loadable: beside the network file
        for (const QString &i : d.Images) expected << QDir(*Folder).filePath(i);
        EXPECT_EQ(images, expected);
        imagesSeen += int(images.size());

        if (const demo::TManager *m = ManagerOf(d)) {
            ++managersSeen;
            IWWManager *lm = s->GetManager();
            ASSERT_NE(lm, nullptr);
            EXPECT_EQ(WWManagerGetName(lm), m->Name);
            EXPECT_EQ(WWManagerGetDepartment(lm), m->Department);
            EXPECT_EQ(WWManagerGetMailAddress(lm), m->MailAddress);
            EXPECT_EQ(WWManagerGetMailPostalCode(lm), m->MailPostalCode);
            EXPECT_EQ(WWManagerGetMailPlace(lm), m->MailPlace);
            EXPECT_EQ(WWManagerGetVisitAddress(lm), m->VisitAddress);
            EXPECT_EQ(WWManagerGetVisitPlace(lm), m->VisitPlace);
            EXPECT_EQ(WWManagerGetPhone(lm), m->Phone);
            EXPECT_EQ(WWManagerGetFax(lm), m->Fax);
            EXPECT_EQ(WWManagerGetWebsite(lm), m->Website);
        }
        for (size_t i = 0; i < d.Periods.size(); ++i, ++periodsSeen)
            EXPECT_EQ(WWOperatingPeriodGetRemark(s->GetOperatingPeriod(int32_t(i))), d.Periods[i].Remark);

        for (size_t i = 0; i < d.Items.size(); ++i, ++itemsSeen) {
            const demo::TItem &it = d.Items[i];
            SCOPED_TRACE(it.Number);
            switch (d.Kind) {
            case WWStructKind::Bridge: {
                auto *p = dynamic_cast<IWWBridgePassage *>(s->GetItem(int32_t(i)));
                ASSERT_NE(p, nullptr);
                EXPECT_EQ(WWBridgePassageGetISRS(p), it.Isrs);
                EXPECT_EQ(WWBridgePassageGetRemark(p), it.Remark);
                break;
            }
            case WWStructKind::Lock: {
                auto *c = dynamic_cast<IWWLockChamber *>(s->GetItem(int32_t(i)));
                ASSERT_NE(c, nullptr);
                EXPECT_EQ(WWLockChamberGetName(c), it.Name);
                EXPECT_EQ(WWLockChamberGetISRS(c), it.Isrs);
                EXPECT_EQ(WWLockChamberGetRemark(c), it.Remark);
                break;
            }
            case WWStructKind::Barrier:
                ASSERT_NE(s->GetPassage(int32_t(i)), nullptr);
                EXPECT_EQ(WWWeirPassageGetRemark(s->GetPassage(int32_t(i))), it.Remark);
                break;
            case WWStructKind::OtherWork:
                ASSERT_NE(s->GetPassage(int32_t(i)), nullptr);
                EXPECT_EQ(WWOtherPassageGetRemark(s->GetPassage(int32_t(i))), it.Remark);
                break;
            case WWStructKind::NonPhysicalBarrier: {
                auto *b = dynamic_cast<IWWBarrierPassage *>(s->GetItem(int32_t(i)));
                ASSERT_NE(b, nullptr);
                EXPECT_EQ(WWBarrierPassageGetRemark(b), it.Remark);
                break;
            }
            case WWStructKind::ShipTunnel: {
                auto *t = dynamic_cast<IWWShipTunnelPassage *>(s->GetItem(int32_t(i)));
                ASSERT_NE(t, nullptr);
                EXPECT_EQ(WWShipTunnelPassageGetRemark(t), it.Remark);
                break;
            }
            default:
                ADD_FAILURE() << "kind " << d.Kind;
            }
        }
    }
    // The network really exercised every family, with empty texts among them.
    EXPECT_GT(itemsSeen, 6);
    EXPECT_GT(managersSeen, 0);
    EXPECT_GT(periodsSeen, 0);
    EXPECT_GT(emptyComplexes, 0);
    EXPECT_GT(imagesSeen, 0);
}

TEST_F(KvWWNetworkFiles, SectionAndFairwayTextsComeBackCharacterForCharacter) {
    int remarks = 0, permits = 0, sectors = 0, reports = 0;
    for (const auto &d : Demo->Sections) {
        IWWSection *s = SectionOf(d.Guid);
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(WWSectionGetName(s), d.Name);
        if (IWWFairway *f = s->GetFairway()) {
            for (const auto &df : Demo->Fairways)
                if (df.Guid == d.Fairway) {
                    EXPECT_EQ(WWFairwayGetName(f), df.Name);
                }
        }
        if (IWWFairwayPart *p = s->GetFairwayPart()) {
            for (const auto &dp : Demo->FairwayParts)
                if (dp.Key == d.FairwayPart) {
                    EXPECT_EQ(WWFairwayPartGetName(p), dp.Name);
                    EXPECT_EQ(WWFairwayPartGetListName(p), dp.ListName);
                }
        }
    }
    for (const auto &a : Demo->Attributes) {
        SCOPED_TRACE(a.Attribute.toStdString());
        IWWSection *s = SectionOf(a.Section);
        ASSERT_NE(s, nullptr);
        const double at = a.From + 1.0;
        QString t1 = QStringLiteral("stale"), t2 = QStringLiteral("stale");
        int32_t channel = -1;
        if (a.Attribute == QLatin1String("remark")) {
            ++remarks;
            EXPECT_TRUE(WWSectionGetRemark(s, at, t1));
            EXPECT_EQ(t1, a.Text1);
        } else if (a.Attribute == QLatin1String("permit")) {
            ++permits;
            EXPECT_TRUE(WWSectionGetPermit(s, t1, t2, at));
            EXPECT_EQ(t1, a.Text1);
            EXPECT_EQ(t2, a.Text2);
        } else if (a.Attribute == QLatin1String("vhf_sector")) {
            ++sectors;
            EXPECT_TRUE(WWSectionGetVHFSectorChannel(s, channel, t1, at));
            EXPECT_EQ(channel, int32_t(a.Num[0]));
            EXPECT_EQ(t1, a.Text1);
        } else if (a.Attribute == QLatin1String("vhf_report")) {
            ++reports;
            EXPECT_TRUE(WWSectionGetVHFReportChannel(s, int32_t(a.Num[0]), channel, t1, at));
            EXPECT_EQ(channel, int32_t(a.Num[1]));
            EXPECT_EQ(t1, a.Text1);
        }
    }
    EXPECT_GT(remarks, 0);
    EXPECT_EQ(permits, 1);
    EXPECT_GT(sectors, 0);
    EXPECT_GT(reports, 1);
}

TEST_F(KvWWNetworkFiles, SectionWithoutTheAttributeAnswersFalseWithEmptyOuts) {
    const demo::TSection *plain = nullptr;
    for (const auto &d : Demo->Sections) {
        bool any = false;
        for (const auto &a : Demo->Attributes) any |= a.Section == d.Guid;
        if (!any) plain = &d;
    }
    ASSERT_NE(plain, nullptr) << "the demo network has no section without attributes";
    IWWSection *s = SectionOf(plain->Guid);
    ASSERT_NE(s, nullptr);
    QString t1 = QStringLiteral("stale"), t2 = QStringLiteral("stale");
    int32_t channel = 77;
    EXPECT_FALSE(WWSectionGetRemark(s, 1.0, t1));
    EXPECT_TRUE(t1.isEmpty());
    t1 = QStringLiteral("stale");
    EXPECT_FALSE(WWSectionGetPermit(s, t1, t2, 1.0));
    EXPECT_TRUE(t1.isEmpty());
    EXPECT_TRUE(t2.isEmpty());
    t1 = QStringLiteral("stale");
    EXPECT_FALSE(WWSectionGetVHFSectorChannel(s, channel, t1, 1.0));
    EXPECT_EQ(channel, 0);
    EXPECT_TRUE(t1.isEmpty());
    t1 = QStringLiteral("stale");
    channel = 77;
    EXPECT_FALSE(WWSectionGetVHFReportChannel(s, 1, channel, t1, 1.0));
    EXPECT_EQ(channel, 0);
    EXPECT_TRUE(t1.isEmpty());
}

// ---- water bodies ----

TEST(KvWWNetworkMask, WaterBodyMaskSetsOnlyBitNForBodiesZeroToThirtyOne) {
    struct Case { int n; uint32_t mask; };
    const Case cases[] = {{0, 0x1u},          {3, 0x8u},   {16, 0x10000u}, {18, 0x40000u},
                          {31, 0x80000000u},  {32, 0u},    {33, 0u},       {-1, 0u},
                          {64, 0u},           {-32, 0u}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.n);
        EXPECT_EQ(WaterBodyMask(c.n), c.mask);
    }
    // Sets built from it keep bodies apart: body 32 never aliases body 0.
    EXPECT_EQ(WaterBodyMask(32) & WaterBodyMask(0), 0u);
}

// ---- fakes: forced answers and exceptions ----

// A section whose text operations the test drives; every other operation is inert.
class TFakeSection : public IWWSection {
public:
    MOCK_METHOD(bool, GetVHFSectorChannel, (double, int32_t &, IStrW *), (override));
    MOCK_METHOD(bool, GetVHFReportChannel, (double, int32_t, int32_t &, IStrW *), (override));
    MOCK_METHOD(bool, GetRemark, (double, IStrW *), (override));
    MOCK_METHOD(bool, GetPermit, (double, IStrW *, IStrW *), (override));

    void GetGlobalPositionAt(TDouble3 &, double) override {}
    IWWSectionGeometry *GetGeometry() override { return nullptr; }
    double GetDistanceMark(double) override { return -1.0; }
    const TStrWRec *GetName() override { return nullptr; }
    void GetDirection(double, IGeodeticCalibration *, TFloat2 &) override {}
    IWWFairwayPart *GetFairwayPart() override { return nullptr; }
    float GetDebugValue() override { return 0.0f; }
    int32_t GetKind() override { return 0; }
    IWWJunction *GetStartJunction() override { return nullptr; }
    IWWJunction *GetEndJunction() override { return nullptr; }
    double GetLength() override { return 0.0; }
    TDouble3 GetPointAt(double) override { return {}; }
    IWWFairway *GetFairway() override { return nullptr; }
    int32_t GetWaterBody() override { return 0; }
    double GetStartChainage() override { return 0.0; }
    const TGUID *GetGUID() override { return nullptr; }
    float GetSpeedLimit(double) override { return WWMissing; }
    IWWStruct *FindNextStruct(double, bool, double &) override { return nullptr; }
    bool GetCurrent(double, float &) override { return false; }
    bool GetOneWay(double, bool &) override { return false; }
    bool GetNavigability(double, uint32_t &) override { return false; }
    bool GetKeepLeft(double, bool &) override { return false; }
    bool GetMaxDimensions(double, float &, float &, float &, float &) override { return false; }
    bool GetCommercialDimensions(double, float &, float &, float &, float &) override { return false; }
};

// A structure whose multi-result operations the test drives.
class TFakeStruct : public IWWStruct {
public:
    MOCK_METHOD(void, GetTexts, (IStrW *, IStrW *), (override));
    MOCK_METHOD(void, GetImages, (IStrWList *), (override));

    int32_t GetKind() override { return WWStructKind::Bridge; }
    int32_t GetOtherType() override { return 0; }
    void SetWaitingTime(int32_t) override {}
    IWWStructItem *GetItem(int32_t) override { return nullptr; }
    int32_t GetBarrierKind() override { return 0; }
    const TGUID *GetGUID() override { return nullptr; }
    const TStrWRec *GetName() override { return nullptr; }
    const TStrWRec *GetPlace() override { return nullptr; }
    const TStrWRec *GetVHFChannel() override { return nullptr; }
    const TStrWRec *GetISRS() override { return nullptr; }
    const TStrWRec *GetAddress() override { return nullptr; }
    const TStrWRec *GetPostalCode() override { return nullptr; }
    const TStrWRec *GetPhone() override { return nullptr; }
    const TStrWRec *GetComplex() override { return nullptr; }
    IWWSection *GetSection() override { return nullptr; }
    double GetSectionPosition() override { return 0.0; }
    TDouble3 GetGlobalPosition() override { return {}; }
    IWWManager *GetManager() override { return nullptr; }
    bool IsNormallyOpen() override { return false; }
    float GetFall() override { return WWMissing; }
    int32_t GetPassageCount() override { return 0; }
    IWWPassage *GetPassage(int32_t) override { return nullptr; }
    int32_t GetItemCount() override { return 0; }
    int32_t GetWaitingTime() override { return -1; }
    int32_t GetOperatingPeriodCount() override { return 0; }
    IWWOperatingPeriod *GetOperatingPeriod(int32_t) override { return nullptr; }
    int32_t GetSpecialDayRuleCount() override { return 0; }
    IWWSpecialDayRule *GetSpecialDayRule(int32_t) override { return nullptr; }
    int32_t GetControlKind() override { return 0; }
};

// A station whose name record the test sets; the values are not read by the adapter.
class TFakeStation : public IWeatherStation {
public:
    const TStrWRec *Name = nullptr;
    const TStrWRec *GetName() override { return Name; }
    const TGeoPoint *GetPosition() override { return nullptr; }
    TDateTime GetMeasurementTime() override { return 0.0; }
    double GetHeight(int32_t) override { return 0.0; }
    double GetHumidity(int32_t) override { return 0.0; }
    double GetAirPressure(int32_t) override { return 0.0; }
    double GetTemperature(int32_t) override { return 0.0; }
    double GetVisibility(int32_t) override { return 0.0; }
    double GetWindDirection(int32_t) override { return 0.0; }
    double GetWindSpeed(int32_t) override { return 0.0; }
    double GetWindGust(int32_t) override { return 0.0; }
};

TEST(KvWWNetworkFakes, WeatherStationNameIsCopiedForExactlyItsLength) {
    // The record's characters run on past its length: only Length units are the name.
    const QString longer = U(QStringLiteral("station")) + QStringLiteral(" and what follows");
    const QString name = U(QStringLiteral("station"));
    const TStrWRec named{int32_t(name.size()), reinterpret_cast<const char16_t *>(longer.utf16())};
    const TStrWRec empty{0, u""};
    struct Case { const char *name; const TStrWRec *rec; QString expected; };
    const Case cases[] = {{"name outside Latin-1 with a surrogate pair", &named, name},
                          {"empty record", &empty, QString()},
                          {"no record", nullptr, QString()}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TFakeStation station;
        station.Name = c.rec;
        EXPECT_EQ(WeatherStationGetName(&station), c.expected);
    }
}

// Fills a library string the way a library operation does: through a library routine that
// writes its result into the string (a valid file name comes back as it is).
void LibraryFill(IStrW *out, const QString &text) {
    _FileNameReplaceInvalidChars(out, StrW(text));
}

TEST(KvWWNetworkFakes, MultiResultAdaptersReturnTheTextsAlsoWhenTheLibrarySaysFalse) {
    TFakeSection section;
    EXPECT_CALL(section, GetPermit(12.5, _, _)).WillOnce(Invoke([](double, IStrW *url, IStrW *description) {
        LibraryFill(url, U(QStringLiteral("url")));
        LibraryFill(description, U(QStringLiteral("description")));
        return false;
    }));
    EXPECT_CALL(section, GetRemark(3.0, _)).WillOnce(Invoke([](double, IStrW *text) {
        LibraryFill(text, Unicode);
        return false;
    }));
    EXPECT_CALL(section, GetVHFReportChannel(7.0, 0, _, _))
        .WillOnce(Invoke([](double, int32_t, int32_t &channel, IStrW *callSign) {
            channel = 16;
            LibraryFill(callSign, U(QStringLiteral("call")));
            return false;
        }));
    EXPECT_CALL(section, GetVHFSectorChannel(8.0, _, _)).WillOnce(Invoke([](double, int32_t &, IStrW *callSign) {
        LibraryFill(callSign, U(QStringLiteral("sector")));
        return true;
    }));

    QString url, description, remark, report, sector;
    int32_t reportChannel = -1, sectorChannel = -1;
    EXPECT_FALSE(WWSectionGetPermit(&section, url, description, 12.5));
    EXPECT_EQ(url, U(QStringLiteral("url")));
    EXPECT_EQ(description, U(QStringLiteral("description")));
    EXPECT_FALSE(WWSectionGetRemark(&section, 3.0, remark));
    EXPECT_EQ(remark, Unicode);
    EXPECT_FALSE(WWSectionGetVHFReportChannel(&section, 0, reportChannel, report, 7.0));
    EXPECT_EQ(reportChannel, 16);
    EXPECT_EQ(report, U(QStringLiteral("call")));
    // True with a channel the library leaves alone: the caller sees 0, not its old value.
    EXPECT_TRUE(WWSectionGetVHFSectorChannel(&section, sectorChannel, sector, 8.0));
    EXPECT_EQ(sectorChannel, 0);
    EXPECT_EQ(sector, U(QStringLiteral("sector")));
    EXPECT_EQ(TWWTextOut::LiveCount(), 0);
}

TEST(KvWWNetworkFakes, AnOperationThatThrowsLeavesNoLibraryStringBehind) {
    struct Case {
        const char *name;
        int temporaries;  // library strings or lists the adapter holds during the call
        std::function<void(TFakeSection &, TFakeStruct &, int &seen)> arm;
        std::function<void(TFakeSection &, TFakeStruct &)> call;
    };
    auto thrower = [](int &seen) {
        return [&seen](auto &&...) -> bool {
            seen = TWWTextOut::LiveCount();
            throw std::runtime_error("library failure");
        };
    };
    QString a = QStringLiteral("kept"), b = QStringLiteral("kept");
    QStringList list{QStringLiteral("kept")};
    int32_t channel = 0;
    const Case cases[] = {
        {"remark", 1, [&](TFakeSection &s, TFakeStruct &, int &seen) { EXPECT_CALL(s, GetRemark).WillOnce(Invoke(thrower(seen))); },
         [&](TFakeSection &s, TFakeStruct &) { WWSectionGetRemark(&s, 1.0, a); }},
        {"permit", 2, [&](TFakeSection &s, TFakeStruct &, int &seen) { EXPECT_CALL(s, GetPermit).WillOnce(Invoke(thrower(seen))); },
         [&](TFakeSection &s, TFakeStruct &) { WWSectionGetPermit(&s, a, b, 1.0); }},
        {"report channel", 1,
         [&](TFakeSection &s, TFakeStruct &, int &seen) { EXPECT_CALL(s, GetVHFReportChannel).WillOnce(Invoke(thrower(seen))); },
         [&](TFakeSection &s, TFakeStruct &) { WWSectionGetVHFReportChannel(&s, 1, channel, a, 1.0); }},
        {"sector channel", 1,
         [&](TFakeSection &s, TFakeStruct &, int &seen) { EXPECT_CALL(s, GetVHFSectorChannel).WillOnce(Invoke(thrower(seen))); },
         [&](TFakeSection &s, TFakeStruct &) { WWSectionGetVHFSectorChannel(&s, channel, a, 1.0); }},
        {"structure texts", 2,
         [&](TFakeSection &, TFakeStruct &st, int &seen) {
             EXPECT_CALL(st, GetTexts).WillOnce(Invoke([&seen](IStrW *, IStrW *) {
                 seen = TWWTextOut::LiveCount();
                 throw std::runtime_error("library failure");
             }));
         },
         [&](TFakeSection &, TFakeStruct &st) { WWStructGetTexts(&st, a, b); }},
        {"images", 1,
         [&](TFakeSection &, TFakeStruct &st, int &seen) {
             EXPECT_CALL(st, GetImages).WillOnce(Invoke([&seen](IStrWList *) {
                 seen = TWWTextOut::LiveCount();
                 throw std::runtime_error("library failure");
             }));
         },
         [&](TFakeSection &, TFakeStruct &st) { WWStructGetImages(&st, list); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TFakeSection section;
        TFakeStruct structure;
        int seen = -1;
        c.arm(section, structure, seen);
        EXPECT_THROW(c.call(section, structure), std::runtime_error);
        EXPECT_EQ(seen, c.temporaries);  // the count does see the adapter's temporaries
        EXPECT_EQ(TWWTextOut::LiveCount(), 0);
    }
    // The out values were cleared before the call, not left half-written.
    EXPECT_TRUE(a.isEmpty());
    EXPECT_TRUE(b.isEmpty());
    EXPECT_TRUE(list.isEmpty());
}

}  // namespace
