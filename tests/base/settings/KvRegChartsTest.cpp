// Chart settings in the settings store: calibrations, chart-set colours, S-57 settings,
// folder and visibility lists, viewer values. Runs against the library's store in a fresh
// folder; the chart objects are gmock fakes.
#include "TestSupport.h"

#include "base/charts/KvCharts.h"
#include "base/kvlib/KvStrings.h"
#include "base/registry/KvRegistry.h"
#include "base/settings/KvRegCharts.h"
#include "tests/base/charts/ChartFakes.h"

#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvLanguage.h>
#include <KvLibNav6/KvLib.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QByteArray>
#include <cmath>
#include <functional>
#include <memory>

using namespace chartfakes;
using ::testing::_;
using ::testing::NiceMock;
using ::testing::Return;

namespace {

constexpr double Rad = M_PI / 180.0;
constexpr int32_t Root = AppRegRoot::Product;

class ChartSettings : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(FStore.Opened()); }
    testsupport::TPrivateSettingsStore FStore{QStringLiteral("chartsettings")};
};

struct NavDeleter {
    void operator()(NavObject *o) const { ObjectDelete(o); }
};
using TCalPtr = std::unique_ptr<IGeodeticCalibration, NavDeleter>;

IGeodeticDatum *Datum(const char16_t *code) {
    IGeodeticProvider *p1;
    IGeodeticObject *p2;
    IGeodeticDatum *p3, *p4;
    void *p5;
    GeodeticsGetGlobals(p1, p2, p3, p4, p5);
    int32_t err = 0;
    return dynamic_cast<IGeodeticDatum *>(p1->GetRegistry()->FindByCode(code, GeodeticKind::Datum, err));
}

IGeodeticRegistry *Registry() {
    IGeodeticProvider *p1;
    IGeodeticObject *p2;
    IGeodeticDatum *p3, *p4;
    void *p5;
    GeodeticsGetGlobals(p1, p2, p3, p4, p5);
    return p1->GetRegistry();
}

TGeoPoint Deg(double lat, double lon) { return {lat * Rad, lon * Rad}; }

struct TProjectionCase {
    const char *name;
    int32_t coordSystem;
    std::function<void(TProjectionRef &)> init;
    TGeoPoint nw, ne, se;
};

const TProjectionCase Projections[] = {
    {"equidistant cylindrical", 0, [](TProjectionRef &r) { GeodeticRefInitEquidistantCylindrical(r, 52 * Rad, 5 * Rad, Datum(u"WGE")); },
     Deg(52.6, 4.6), Deg(52.65, 5.2), Deg(52.2, 5.15)},
    {"Mercator", 1, [](TProjectionRef &r) { GeodeticRefInitMercator(r, 0.0, Datum(u"EUR-M")); },
     Deg(52.6, 4.6), Deg(52.65, 5.2), Deg(52.2, 5.15)},
    {"transverse Mercator", 2, [](TProjectionRef &r) { GeodeticRefInitTransverseMercator(r, 0.9996, 0, 3 * Rad, Datum(u"WGE")); },
     Deg(52.6, 4.6), Deg(52.65, 5.2), Deg(52.2, 5.15)},
    {"RD grid", 3, [](TProjectionRef &r) { GeodeticRefInitRD(r); },
     Deg(52.6, 4.6), Deg(52.65, 5.2), Deg(52.2, 5.15)},
    {"Lambert conformal conic", 4, [](TProjectionRef &r) { GeodeticRefInitLambertConformalConic(r, 51 * Rad, 53 * Rad, 52 * Rad, 5 * Rad, Datum(u"DHDN")); },
     Deg(52.6, 4.6), Deg(52.65, 5.2), Deg(52.2, 5.15)},
    {"orthographic", 5, [](TProjectionRef &r) { GeodeticRefInitOrthographic(r, 52 * Rad, 5 * Rad, Datum(u"WGE")); },
     Deg(52.6, 4.6), Deg(52.65, 5.2), Deg(52.2, 5.15)},
    {"oblique stereographic", 6, [](TProjectionRef &r) { GeodeticRefInitObliqueStereographic(r, 0.9999, 52 * Rad, 5 * Rad, Datum(u"BD72")); },
     Deg(52.6, 4.6), Deg(52.65, 5.2), Deg(52.2, 5.15)},
    {"polar stereographic", 7, [](TProjectionRef &r) { GeodeticRefInitPolarStereographic(r, 1.0, 71 * Rad, 15 * Rad, Datum(u"WGE")); },
     Deg(78.5, 12.0), Deg(78.55, 17.0), Deg(77.8, 16.5)},
};

constexpr int W = 1200, H = 900;
const QString Key = QStringLiteral("Charts\\Test chart");

TCalPtr Calibrated(const TProjectionCase &c, int points) {
    TCalPtr cal(GeodeticCalibrationCreate());
    TProjectionRef ref;
    c.init(ref);
    int32_t err = -1;
    if (points == 2)
        cal->Init2({0, 0}, {W - 1.0, H - 1.0}, c.nw, c.se, W, H, ref, err);
    else
        cal->Init({10, 20}, {W - 30.0, 40}, {W - 50.0, H - 10.0}, c.nw, c.ne, c.se, W, H, ref, err);
    EXPECT_EQ(err, 0);
    return cal;
}

void ExpectSameMapping(IGeodeticCalibration *a, IGeodeticCalibration *b) {
    const TDouble2 pixels[] = {{-0.5, -0.5}, {W - 0.5, -0.5}, {W - 0.5, H - 0.5}, {-0.5, H - 0.5}, {W / 3.0, H / 4.0}};
    for (const auto &p : pixels) {
        TGeoPoint ga, gb;
        a->PixelToGeo(ga, p);
        b->PixelToGeo(gb, p);
        EXPECT_NE(ga.Lat, GeoPointNoPosition);
        EXPECT_NEAR(ga.Lat, gb.Lat, 1e-9) << p.X << "," << p.Y;
        EXPECT_NEAR(ga.Lon, gb.Lon, 1e-9) << p.X << "," << p.Y;
    }
}

}  // namespace

TEST_F(ChartSettings, CalibrationRoundTripsInEveryProjectionWithTwoAndThreePoints) {
    for (const auto &c : Projections) {
        for (int points : {2, 3}) {
            SCOPED_TRACE(testing::Message() << c.name << ", " << points << " points");
            TCalPtr cal = Calibrated(c, points);
            ASSERT_TRUE(RegWriteCalibration(Key, cal.get()));
            EXPECT_EQ(RegReadIntegerDef(GetAppReg(), Root, Key, RegName(u"CoordSystem"), -1), c.coordSystem);
            EXPECT_EQ(RegReadIntegerDef(GetAppReg(), Root, Key, RegName(u"CalPointCount"), 0), points);
            TCalPtr back(GeodeticCalibrationCreate());
            ASSERT_TRUE(RegReadCalibration(Key, back.get(), W, H));
            // Always re-expressed with three points on the image corners.
            TDouble2 p1, p2, p3;
            EXPECT_EQ(back->GetPixelPoints(p1, p2, p3), 3);
            EXPECT_EQ(p1.X, -0.5);
            EXPECT_EQ(p3.Y, H - 0.5);
            EXPECT_EQ(back->GetProjection()->Kind, cal->GetProjection()->Kind);
            ExpectSameMapping(cal.get(), back.get());
        }
    }
}

TEST_F(ChartSettings, RDCalibrationStoresNoDatumOrParameters) {
    TCalPtr cal = Calibrated(Projections[3], 3);
    ASSERT_TRUE(RegWriteCalibration(Key, cal.get()));
    QStringList names;
    int32_t err = 0;
    RegGetValueNames(GetAppReg(), Root, Key, names, err);
    for (const char *absent : {"DatumCode", "Lat0", "Lat1", "Long0", "k0", "DatumdX"})
        EXPECT_FALSE(names.contains(QString::fromLatin1(absent), Qt::CaseInsensitive)) << absent;
    TCalPtr back(GeodeticCalibrationCreate());
    EXPECT_TRUE(RegReadCalibration(Key, back.get(), W, H));
}

TEST_F(ChartSettings, ReadingForAnotherImageSizeReExpressesTheCalibration) {
    // The stored points keep their pixels; the calibration is made anew on the corners of
    // the image it is read for, so it describes that image's size.
    TCalPtr cal = Calibrated(Projections[2], 2);
    ASSERT_TRUE(RegWriteCalibration(Key, cal.get()));
    TCalPtr half(GeodeticCalibrationCreate());
    ASSERT_TRUE(RegReadCalibration(Key, half.get(), W / 2, H / 2));
    EXPECT_EQ(half->GetWidth(), W / 2);
    EXPECT_EQ(half->GetHeight(), H / 2);
    TDouble2 p1, p2, p3;
    ASSERT_EQ(half->GetPixelPoints(p1, p2, p3), 3);
    EXPECT_EQ(p2.X, W / 2 - 0.5);
    EXPECT_EQ(p3.Y, H / 2 - 0.5);
    ExpectSameMapping(cal.get(), half.get());
}

TEST_F(ChartSettings, UserDefinedDatumRoundTripsByItsParameters) {
    IGeodeticRegistry *reg = Registry();
    IGeodeticEllipsoid *e = reg->NewEllipsoid(6378388.0, 297.0);
    ASSERT_NE(e, nullptr);
    IGeodeticDatum *user = reg->NewDatum(e, -87.0, -98.0, -121.0, 0.1, 0.2, 0.3, 1.5);
    ASSERT_NE(user, nullptr);
    TProjectionRef ref;
    GeodeticRefInitTransverseMercator(ref, 0.9996, 0, 3 * Rad, user);
    TCalPtr cal(GeodeticCalibrationCreate());
    int32_t err = -1;
    cal->Init2({0, 0}, {W - 1.0, H - 1.0}, Deg(52.6, 4.6), Deg(52.2, 5.15), W, H, ref, err);
    ASSERT_EQ(err, 0);
    ASSERT_TRUE(RegWriteCalibration(Key, cal.get()));
    QString code = QStringLiteral("x");
    RegReadString(GetAppReg(), Root, Key, RegName(u"DatumCode"), err, code);
    EXPECT_EQ(err, 0);
    EXPECT_TRUE(code.isEmpty());
    EXPECT_EQ(RegReadDoubleDef(GetAppReg(), Root, Key, RegName(u"DatumScale"), 0), 1.5);
    EXPECT_EQ(RegReadDoubleDef(GetAppReg(), Root, Key, RegName(u"EllipsoidFInv"), 0), 297.0);

    IGeodeticDatum *read = nullptr;
    ASSERT_TRUE(RegReadCalibrationDatum(GetAppReg(), Key, read));
    // The registry hands back the same datum for the same values: reads do not pile up.
    EXPECT_EQ(read, user);
    TCalPtr back(GeodeticCalibrationCreate());
    ASSERT_TRUE(RegReadCalibration(Key, back.get(), W, H));
    EXPECT_EQ(back->GetProjection()->Datum, user);
    ExpectSameMapping(cal.get(), back.get());
}

// Damaged stored calibrations: each row spoils one thing of a good Mercator calibration.
TEST_F(ChartSettings, DamagedCalibrationsReadAsFalse) {
    struct Case {
        const char *name;
        std::function<void()> spoil;
    };
    auto del = [](const char16_t *n) {
        return [n]() {
            int32_t e = 0;
            RegDeleteValue(GetAppReg(), Root, Key, RegName(QString::fromUtf16(n)), e);
        };
    };
    auto setInt = [](const char16_t *n, int32_t v) {
        return [n, v]() {
            int32_t e = 0;
            RegWriteInteger(GetAppReg(), Root, Key, RegName(QString::fromUtf16(n)), v, e);
        };
    };
    const Case cases[] = {
        {"no calibration flag", setInt(u"CalPointCount", 2) /* flag removed below */},
        {"point count 4", setInt(u"CalPointCount", 4)},
        {"point count 1", setInt(u"CalPointCount", 1)},
        {"CoordSystem 9", setInt(u"CoordSystem", 9)},
        {"CoordSystem missing", del(u"CoordSystem")},
        {"pixel missing", del(u"Pix2Y")},
        {"coordinate missing", del(u"Coord1X")},
        {"width missing", del(u"Width")},
        {"projection value missing", del(u"Long0")},
        {"datum code missing", del(u"DatumCode")},
        {"unknown datum code",
         []() {
             int32_t e = 0;
             RegWriteString(GetAppReg(), Root, Key, RegName(u"DatumCode"), QStringLiteral("NOPE"), e);
         }},
        {"text where a number belongs",
         []() {
             int32_t e = 0;
             RegWriteString(GetAppReg(), Root, Key, RegName(u"Pix1X"), QStringLiteral("12"), e);
         }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TCalPtr cal = Calibrated(Projections[1], 2);
        ASSERT_TRUE(RegWriteCalibration(Key, cal.get()));
        c.spoil();
        if (std::string(c.name) == "no calibration flag") {
            int32_t e = 0;
            RegWriteBool(GetAppReg(), Root, Key, RegName(u"Calibration"), false, e);
        }
        TCalPtr back(GeodeticCalibrationCreate());
        EXPECT_FALSE(RegReadCalibration(Key, back.get(), W, H));
    }
}

TEST_F(ChartSettings, MissingDatumCodeRejectsEvenWithAllHelmertValues) {
    IGeodeticRegistry *reg = Registry();
    IGeodeticDatum *user = reg->NewDatum(reg->NewEllipsoid(6378137.0, 298.257223563), 1, 2, 3, 0, 0, 0, 0);
    TProjectionRef ref;
    GeodeticRefInitMercator(ref, 0, user);
    TCalPtr cal(GeodeticCalibrationCreate());
    int32_t err = -1;
    cal->Init2({0, 0}, {W - 1.0, H - 1.0}, Deg(52.6, 4.6), Deg(52.2, 5.15), W, H, ref, err);
    ASSERT_TRUE(RegWriteCalibration(Key, cal.get()));
    RegDeleteValue(GetAppReg(), Root, Key, RegName(u"DatumCode"), err);
    EXPECT_TRUE(RegReadDoubleDef(GetAppReg(), Root, Key, RegName(u"DatumdX"), 0) == 1);
    TCalPtr back(GeodeticCalibrationCreate());
    EXPECT_FALSE(RegReadCalibration(Key, back.get(), W, H));
}

TEST_F(ChartSettings, CollinearReferencePointsGiveFalseWithoutException) {
    // Stored by hand: three points on one line cannot be calibrated.
    int32_t e = 0;
    IAppReg *r = GetAppReg();
    RegWriteBool(r, Root, Key, RegName(u"Calibration"), true, e);
    RegWriteInteger(r, Root, Key, RegName(u"CalPointCount"), 3, e);
    const double pix[3][2] = {{0, 0}, {100, 100}, {200, 200}};
    const TGeoPoint geo[3] = {Deg(52.6, 4.6), Deg(52.5, 4.7), Deg(52.4, 4.8)};
    for (int i = 0; i < 3; ++i) {
        const QString n = QString::number(i + 1);
        RegWriteDouble(r, Root, Key, RegName("Pix" + n + "X"), pix[i][0], e);
        RegWriteDouble(r, Root, Key, RegName("Pix" + n + "Y"), pix[i][1], e);
        RegWriteDouble(r, Root, Key, RegName("Coord" + n + "X"), geo[i].Lon, e);
        RegWriteDouble(r, Root, Key, RegName("Coord" + n + "Y"), geo[i].Lat, e);
    }
    RegWriteInteger(r, Root, Key, RegName(u"Width"), W, e);
    RegWriteInteger(r, Root, Key, RegName(u"Height"), H, e);
    RegWriteInteger(r, Root, Key, RegName(u"CoordSystem"), 1, e);
    RegWriteDouble(r, Root, Key, RegName(u"Long0"), 0, e);
    RegWriteString(r, Root, Key, RegName(u"DatumCode"), QStringLiteral("WGE"), e);
    ASSERT_EQ(e, 0);
    TCalPtr back(GeodeticCalibrationCreate());
    bool result = true;
    EXPECT_NO_THROW(result = RegReadCalibration(Key, back.get(), W, H));
    EXPECT_FALSE(result);
    EXPECT_TRUE(back->HasError());
}

TEST_F(ChartSettings, UnusableCalibrationsLeaveNoKey) {
    struct Case {
        const char *name;
        std::function<TCalPtr()> make;
    };
    const Case cases[] = {
        {"nil", []() { return TCalPtr(); }},
        {"never calibrated (kind 0)", []() { return TCalPtr(GeodeticCalibrationCreate()); }},
        {"in error",
         []() {
             TCalPtr cal(GeodeticCalibrationCreate());
             TProjectionRef ref;
             GeodeticRefInitMercator(ref, 0, Datum(u"WGE"));
             int32_t err = 0;
             cal->Init2({0, 0}, {0, 0}, Deg(52, 5), Deg(52, 5), W, H, ref, err);
             EXPECT_TRUE(cal->HasError());
             return cal;
         }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        // An older calibration under the key goes too.
        TCalPtr old = Calibrated(Projections[0], 2);
        ASSERT_TRUE(RegWriteCalibration(Key, old.get()));
        TCalPtr cal = c.make();
        EXPECT_FALSE(RegWriteCalibration(Key, cal.get()));
        EXPECT_FALSE(RegKeyExists(GetAppReg(), Root, Key));
    }
}

namespace {

// The library's registry with one write made to fail: the n-th write from now on.
class TFailingReg final : public IAppReg {
public:
    explicit TFailingReg(int failAt) : FFailAt(failAt) {}
    int Writes() const { return FWrites; }
    void ClearKey(int32_t r, const TStrWRec &k, int32_t &e) override { R()->ClearKey(r, k, e); }
    void ClearKeyExcept(int32_t r, const TStrWRec &k, const TStrWRec &s, int32_t &e) override { R()->ClearKeyExcept(r, k, s, e); }
    void CreateKey(int32_t r, const TStrWRec &k, int32_t &e) override { R()->CreateKey(r, k, e); }
    void GetKeyPath(int32_t r, const TStrWRec &k, int32_t &e, IStrW *o) override { R()->GetKeyPath(r, k, e, o); }
    void DeleteKey(int32_t r, const TStrWRec &k, int32_t &e) override {
        if (FFailDeletes) { e = KvErr::AccessDenied; return; }
        R()->DeleteKey(r, k, e);
    }
    void DeleteValue(int32_t r, const TStrWRec &k, const ValueName &n, int32_t &e) override { R()->DeleteValue(r, k, n, e); }
    void GetKeyNames(int32_t r, const TStrWRec &k, IStrWList *o, int32_t &e) override { R()->GetKeyNames(r, k, o, e); }
    const TStrWRec *GetDisplayName() override { return R()->GetDisplayName(); }
    void GetValueNames(int32_t r, const TStrWRec &k, IStrWList *o, int32_t &e) override { R()->GetValueNames(r, k, o, e); }
    bool KeyExists(int32_t r, const TStrWRec &k) override { return R()->KeyExists(r, k); }
    void ReadBinary(int32_t r, const TStrWRec &k, const ValueName &n, void *b, int32_t s, int32_t &e) override { R()->ReadBinary(r, k, n, b, s, e); }
    bool ReadBool(int32_t r, const TStrWRec &k, const ValueName &n, int32_t &e) override { return R()->ReadBool(r, k, n, e); }
    bool ReadBoolDef(int32_t r, const TStrWRec &k, const ValueName &n, bool d) override { return R()->ReadBoolDef(r, k, n, d); }
    TDateTime ReadDateTimeDef(int32_t r, const TStrWRec &k, const ValueName &n, TDateTime d) override { return R()->ReadDateTimeDef(r, k, n, d); }
    double ReadDouble(int32_t r, const TStrWRec &k, const ValueName &n, int32_t &e) override { return R()->ReadDouble(r, k, n, e); }
    double ReadDoubleDef(int32_t r, const TStrWRec &k, const ValueName &n, double d) override { return R()->ReadDoubleDef(r, k, n, d); }
    float ReadSingleDef(int32_t r, const TStrWRec &k, const ValueName &n, float d) override { return R()->ReadSingleDef(r, k, n, d); }
    void ReadGUID(int32_t r, const TStrWRec &k, const ValueName &n, TGUID &o, int32_t &e) override { R()->ReadGUID(r, k, n, o, e); }
    void ReadGUIDDef(int32_t r, const TStrWRec &k, const ValueName &n, const TGUID &d, TGUID &o) override { R()->ReadGUIDDef(r, k, n, d, o); }
    int32_t ReadInteger(int32_t r, const TStrWRec &k, const ValueName &n, int32_t &e) override { return R()->ReadInteger(r, k, n, e); }
    int32_t ReadIntegerDef(int32_t r, const TStrWRec &k, const ValueName &n, int32_t d) override { return R()->ReadIntegerDef(r, k, n, d); }
    void ReadString(int32_t r, const TStrWRec &k, const ValueName &n, IStrW *o, int32_t &e) override { R()->ReadString(r, k, n, o, e); }
    void ReadStringDef(int32_t r, const TStrWRec &k, const ValueName &n, const TStrWRec &d, IStrW *o) override { R()->ReadStringDef(r, k, n, d, o); }
    void WriteBinary(int32_t r, const TStrWRec &k, const ValueName &n, const void *b, int32_t s, int32_t &e) override { if (Pass(e)) R()->WriteBinary(r, k, n, b, s, e); }
    void WriteBool(int32_t r, const TStrWRec &k, const ValueName &n, bool v, int32_t &e) override { if (Pass(e)) R()->WriteBool(r, k, n, v, e); }
    void WriteDateTime(int32_t r, const TStrWRec &k, const ValueName &n, TDateTime v, int32_t &e) override { if (Pass(e)) R()->WriteDateTime(r, k, n, v, e); }
    void WriteDouble(int32_t r, const TStrWRec &k, const ValueName &n, double v, int32_t &e) override { if (Pass(e)) R()->WriteDouble(r, k, n, v, e); }
    void WriteSingle(int32_t r, const TStrWRec &k, const ValueName &n, float v, int32_t &e) override { if (Pass(e)) R()->WriteSingle(r, k, n, v, e); }
    void WriteGUID(int32_t r, const TStrWRec &k, const ValueName &n, const TGUID &v, int32_t &e) override { if (Pass(e)) R()->WriteGUID(r, k, n, v, e); }
    void WriteInteger(int32_t r, const TStrWRec &k, const ValueName &n, int32_t v, int32_t &e) override { if (Pass(e)) R()->WriteInteger(r, k, n, v, e); }
    void WriteString(int32_t r, const TStrWRec &k, const ValueName &n, const TStrWRec &v, int32_t &e) override { if (Pass(e)) R()->WriteString(r, k, n, v, e); }
    bool FFailDeletes = false;

private:
    static IAppReg *R() { return GetAppReg(); }
    bool Pass(int32_t &e) {
        if (++FWrites == FFailAt) {
            e = KvErr::WriteFailed;
            return false;
        }
        return true;
    }
    int FFailAt;
    int FWrites = 0;
};

}  // namespace

TEST_F(ChartSettings, AWriteFailingAnywhereLeavesNoPartialCalibration) {
    // Count the writes of a full three-point calibration with a user datum, then fail each
    // one in turn.
    IGeodeticRegistry *reg = Registry();
    IGeodeticDatum *user = reg->NewDatum(reg->NewEllipsoid(6378388.0, 297.0), -87, -98, -121, 0, 0, 0, 0);
    TProjectionRef ref;
    GeodeticRefInitLambertConformalConic(ref, 51 * Rad, 53 * Rad, 52 * Rad, 5 * Rad, user);
    TCalPtr cal(GeodeticCalibrationCreate());
    int32_t err = -1;
    cal->Init({10, 20}, {W - 30.0, 40}, {W - 50.0, H - 10.0}, Deg(52.6, 4.6), Deg(52.65, 5.2), Deg(52.2, 5.15), W, H, ref, err);
    ASSERT_EQ(err, 0);
    TFailingReg counting(0);
    ASSERT_TRUE(RegWriteCalibration(&counting, Key, cal.get()));
    const int total = counting.Writes();
    EXPECT_GT(total, 25);
    for (int n = 1; n <= total; ++n) {
        SCOPED_TRACE(testing::Message() << "write " << n << " of " << total << " fails");
        TFailingReg failing(n);
        EXPECT_FALSE(RegWriteCalibration(&failing, Key, cal.get()));
        EXPECT_FALSE(RegKeyExists(GetAppReg(), Root, Key));
    }
    // A key that cannot be removed is not written over.
    ASSERT_TRUE(RegWriteCalibration(Key, cal.get()));
    TFailingReg stuck(0);
    stuck.FFailDeletes = true;
    EXPECT_FALSE(RegWriteCalibration(&stuck, Key, cal.get()));
    EXPECT_EQ(stuck.Writes(), 0);
}

TEST_F(ChartSettings, ModuleEnabledDefaults) {
    struct Case { uint32_t kind; const char *code; bool on; };
    const Case cases[] = {
        {196651, "BE", true}, {196651, "XX", true}, {196782, "", true},
        {196660, "NF", true}, {196660, "BE", true}, {196779, "ZWD", true}, {196673, "NWD", true},
        {196660, "XX", false}, {196660, "be", false},
        {196652, "BE", false}, {0, "NF", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.kind << c.code);
        EXPECT_EQ(ModuleEnabledDefault(c.kind, QString::fromLatin1(c.code)), c.on);
    }
}

namespace {

// One product with two chart sets.
struct TProductFakes {
    TTexts texts;
    NiceMock<MockChartManager> manager;
    NiceMock<MockChartProduct> product;
    NiceMock<MockChartProductInfo> info;
    NiceMock<MockChartSet> sets[2];
    NiceMock<MockChartSetInfo> setInfos[2];
    TProductFakes(uint32_t kind, const char *code1, const char *code2) {
        ON_CALL(manager, GetProductCount()).WillByDefault(Return(1));
        ON_CALL(manager, GetProduct(0)).WillByDefault(Return(&product));
        ON_CALL(product, GetInfo()).WillByDefault(Return(&info));
        ON_CALL(info, GetProductNumber()).WillByDefault(Return(kind));
        ON_CALL(product, GetChartSetCount()).WillByDefault(Return(2));
        const char *codes[2] = {code1, code2};
        for (int i = 0; i < 2; ++i) {
            ON_CALL(product, GetChartSet(i)).WillByDefault(Return(&sets[i]));
            ON_CALL(sets[i], GetInfo()).WillByDefault(Return(&setInfos[i]));
            ON_CALL(setInfos[i], GetCode()).WillByDefault(Return(texts.Rec(QString::fromLatin1(codes[i]))));
        }
    }
};

}  // namespace

TEST_F(ChartSettings, ModuleColoursRoundTripAndDefaultByKind) {
    TProductFakes f(196660, "NF", "XX");
    // Nothing stored: colour none, enabled by the kind's table.
    EXPECT_CALL(f.sets[0], SetColor(-1));
    EXPECT_CALL(f.sets[0], SetEnabled(true));
    EXPECT_CALL(f.sets[1], SetColor(-1));
    EXPECT_CALL(f.sets[1], SetEnabled(false));
    RegReadModuleColors(&f.manager);
    ::testing::Mock::VerifyAndClearExpectations(&f.sets[0]);
    ::testing::Mock::VerifyAndClearExpectations(&f.sets[1]);

    ON_CALL(f.sets[0], GetColor()).WillByDefault(Return(0x123456));
    ON_CALL(f.sets[0], GetEnabled()).WillByDefault(Return(false));
    ON_CALL(f.sets[1], GetColor()).WillByDefault(Return(0x00FF00));
    ON_CALL(f.sets[1], GetEnabled()).WillByDefault(Return(true));
    RegWriteModuleColors(&f.manager);
    const QString key = QStringLiteral("Colors\\Modules");
    EXPECT_EQ(RegReadIntegerDef(GetAppReg(), Root, key, RegName(u"196660NFTColor"), -1), 0x123456);
    EXPECT_FALSE(RegReadBoolDef(GetAppReg(), Root, key, RegName(u"196660NFEnabled"), true));
    EXPECT_TRUE(RegReadBoolDef(GetAppReg(), Root, key, RegName(u"196660XXEnabled"), false));

    EXPECT_CALL(f.sets[0], SetColor(0x123456));
    EXPECT_CALL(f.sets[0], SetEnabled(false));
    EXPECT_CALL(f.sets[1], SetColor(0x00FF00));
    EXPECT_CALL(f.sets[1], SetEnabled(true));
    RegReadModuleColors(&f.manager);
}

TEST_F(ChartSettings, S57SettingsComeFromThePresentationLibrary) {
    NiceMock<MockS52PresentationLib> lib;
    const uint32_t flags = S52DisplayFlag::UseORIENT | S52DisplayFlag::ShowMeta |
                           S52DisplayFlag::FourDepthShades | S52DisplayFlag::SoundingsShallowOnly;
    EXPECT_CALL(lib, GetDisplayFlags(0)).WillRepeatedly(Return(flags));
    ON_CALL(lib, GetTextScale()).WillByDefault(Return(1.5f));
    ON_CALL(lib, GetDepthSafe()).WillByDefault(Return(2.5f));
    ON_CALL(lib, GetBoundaryStyle()).WillByDefault(Return(S52BoundaryStyle::Plain));
    ON_CALL(lib, GetSymbolStyle()).WillByDefault(Return(S52SymbolStyle::Simplified));
    ON_CALL(lib, GetMaxBuoyScamin()).WillByDefault(Return(22000));
    ON_CALL(lib, GetCheckFeatureTime()).WillByDefault(Return(true));
    const QString key = QStringLiteral("S57");
    struct Scheme { int32_t lib; int32_t stored; };
    for (const Scheme s : {Scheme{0, 1}, Scheme{1, 2}, Scheme{2, 3}, Scheme{7, 1}}) {
        ON_CALL(lib, GetColorScheme()).WillByDefault(Return(s.lib));
        RegWriteS57Settings(&lib, true, 345);
        EXPECT_EQ(RegReadIntegerDef(GetAppReg(), Root, key, RegName(u"ColorScheme"), 0), s.stored) << s.lib;
    }
    IAppReg *r = GetAppReg();
    struct B { const char16_t *name; bool on; };
    for (const B &b : {B{u"UseORIENT", true}, B{u"ShowMeta", true}, B{u"Depth4Shades", true},
                       B{u"ShowSoundingShallowOnly", true}, B{u"ShowBuoys", false},
                       B{u"Enhancements", false}, B{u"CheckFeatureTime", true},
                       B{u"BoundaryStylePlain", true}, B{u"SymbolStylePaper", false},
                       B{u"WidthMonitorAuto", true}}) {
        int32_t e = 0;
        EXPECT_EQ(RegReadBool(r, Root, key, RegName(QString::fromUtf16(b.name)), e), b.on)
            << QString::fromUtf16(b.name).toStdString();
        EXPECT_EQ(e, 0);
    }
    EXPECT_FLOAT_EQ(RegReadSingleDef(r, Root, key, RegName(u"TextScale"), 0), 1.5f);
    EXPECT_FLOAT_EQ(RegReadSingleDef(r, Root, key, RegName(u"DepthSafe"), 0), 2.5f);
    EXPECT_EQ(RegReadIntegerDef(r, Root, key, RegName(u"MaxBuoyScamin"), 0), 22000);
    EXPECT_EQ(RegReadIntegerDef(r, Root, key, RegName(u"WidthMonitorMM"), 0), 345);
}

namespace {

struct TFolder {
    const char *folder;
    bool subdirs;
    const char *cc, *region, *water;
};

void FakeFolders(MockChartManager &m, std::vector<TFolder> folders) {
    using ::testing::Invoke;
    ON_CALL(m, GetS57FolderCount()).WillByDefault(Return(int32_t(folders.size())));
    ON_CALL(m, GetS57Folder(_, _, _, _, _))
        .WillByDefault(Invoke([folders](int32_t i, IStrW *folder, bool &fixed, IStrW *, bool &sub) {
            SetFakeText(folder, QString::fromUtf8(folders[size_t(i)].folder));
            fixed = false;
            sub = folders[size_t(i)].subdirs;
        }));
    ON_CALL(m, GetS57FolderInfo(_, _, _, _))
        .WillByDefault(Invoke([folders](int32_t i, IStrW *cc, IStrW *rg, IStrW *wt) {
            SetFakeText(cc, QString::fromUtf8(folders[size_t(i)].cc));
            SetFakeText(rg, QString::fromUtf8(folders[size_t(i)].region));
            SetFakeText(wt, QString::fromUtf8(folders[size_t(i)].water));
        }));
}

}  // namespace

TEST_F(ChartSettings, S57FoldersAreRewrittenWholeInOrder) {
    const QString key = QStringLiteral("S57\\Folders");
    IAppReg *r = GetAppReg();
    {
        NiceMock<MockChartManager> m;
        FakeFolders(m, {{"/charts/old", true, "", "", ""},
                        {"/charts/ienc/at", false, "AT", "Danube", "Donau"},
                        {"/charts/ienc/de", true, "DE", "Rhein", "Rhein"},
                        {"/charts/ienc/nl", true, "NL", "Noord", "IJssel"}});
        ASSERT_TRUE(RegWriteS57Folders(&m));
    }
    NiceMock<MockChartManager> m;
    FakeFolders(m, {{"/charts/plain", false, "", "", ""},
                    {"/charts/ienc/de", true, "DE", "Rhein", "Rhein"},
                    {"/charts/Übersee\\kaart", true, "", "", ""},
                    {"/charts/ienc/at", false, "AT", "Danube", "Donau"}});
    ASSERT_TRUE(RegWriteS57Folders(&m));

    QStringList values, keys;
    int32_t e = 0;
    RegGetValueNames(r, Root, key, values, e);
    EXPECT_EQ(values, (QStringList{"/charts/plain", QString::fromUtf8("/charts/Übersee\\kaart")}));
    EXPECT_FALSE(RegReadBoolDef(r, Root, key, RegName(u"/charts/plain"), true));
    RegGetKeyNames(r, Root, key, keys, e);
    EXPECT_EQ(keys, (QStringList{"0", "1"}));  // the old third and fourth are gone
    struct Want { const char *sub, *folder, *cc, *water; bool subdirs; };
    for (const Want &w : {Want{"0", "/charts/ienc/de", "DE", "Rhein", true},
                          Want{"1", "/charts/ienc/at", "AT", "Donau", false}}) {
        const QString sub = key + "\\" + w.sub;
        QString text;
        RegReadStringDef(r, Root, sub, RegName(u"Folder"), QString(), text);
        EXPECT_EQ(text, QString::fromLatin1(w.folder));
        RegReadStringDef(r, Root, sub, RegName(u"CountryCode"), QString(), text);
        EXPECT_EQ(text, QString::fromLatin1(w.cc));
        RegReadStringDef(r, Root, sub, RegName(u"Water"), QString(), text);
        EXPECT_EQ(text, QString::fromLatin1(w.water));
        EXPECT_EQ(RegReadBoolDef(r, Root, sub, RegName(u"Subdirs"), !w.subdirs), w.subdirs);
    }
    EXPECT_FALSE(RegKeyExists(r, Root, key + "\\2"));
}

TEST_F(ChartSettings, S57VisibilityIsRewrittenWhole) {
    const QString key = QStringLiteral("S57\\Visible");
    IAppReg *r = GetAppReg();
    int32_t e = 0;
    RegWriteInteger(r, Root, key, RegName(u"/charts/stale.000"), 7, e);
    TTexts texts;
    NiceMock<MockChartManager> m;
    NiceMock<MockChart> charts[2];
    const char *names[2] = {"/charts/b/1R7EMS01.000", "/charts/a/1R7EMS02.000"};
    for (int i = 0; i < 2; ++i) {
        ON_CALL(m, GetChart(i)).WillByDefault(Return(&charts[i]));
        ON_CALL(charts[i], GetFileName()).WillByDefault(Return(texts.Rec(QString::fromLatin1(names[i]))));
        ON_CALL(charts[i], GetVisibility()).WillByDefault(Return(i == 0 ? 0x5 : 0));
    }
    ON_CALL(m, GetChartCount()).WillByDefault(Return(2));
    ASSERT_TRUE(RegWriteS57Visible(&m));
    QStringList values;
    RegGetValueNames(r, Root, key, values, e);
    EXPECT_EQ(values, (QStringList{names[0], names[1]}));
    EXPECT_EQ(RegReadIntegerDef(r, Root, key, RegName(QString::fromLatin1(names[0])), -1), 5);
    EXPECT_EQ(RegReadIntegerDef(r, Root, key, RegName(QString::fromLatin1(names[1])), -1), 0);
}

TEST_F(ChartSettings, ListsAreNotWrittenOverWhenTheOldListCannotBeRemoved) {
    // The helpers always take the registry from the library, so the refusal is staged in
    // the forms that take one.
    TFailingReg stuck(0);
    stuck.FFailDeletes = true;
    NiceMock<MockChartManager> m;
    FakeFolders(m, {{"/charts/new", true, "", "", ""}});
    EXPECT_FALSE(RegWriteS57Folders(&stuck, &m));
    EXPECT_FALSE(RegWriteS57Visible(&stuck, &m));
    EXPECT_EQ(stuck.Writes(), 0);
}

TEST_F(ChartSettings, ViewerValues) {
    const QString key = QStringLiteral("ViewerMain");
    const TFloat2 def = RegReadGPSPlotPosition(key);
    EXPECT_EQ(def.X, 0.5f);
    EXPECT_EQ(def.Y, 0.5f);
    RegWriteGPSPlotPosition(key, {0.25f, 0.75f});
    const TFloat2 p = RegReadGPSPlotPosition(key);
    EXPECT_EQ(p.X, 0.25f);
    EXPECT_EQ(p.Y, 0.75f);

    EXPECT_FALSE(RegReadTrackingEnabled(key));
    RegWriteTrackingEnabled(key, true);
    EXPECT_TRUE(RegReadTrackingEnabled(key));
    EXPECT_FALSE(RegReadTrackingZoom100(key));
    RegWriteTrackingZoom100(key, true);
    EXPECT_TRUE(RegReadTrackingZoom100(key));
    RegWriteTrackingAutoPos(key, true);
    EXPECT_TRUE(RegReadBoolDef(GetAppReg(), Root, key, RegName(u"TrackingAutoPos"), false));

    struct TargetCase { int32_t write; int32_t stored; };
    for (const TargetCase c : {TargetCase{1, 1}, TargetCase{2, 1}, TargetCase{0, 0}, TargetCase{-1, 0}}) {
        RegWriteTrackingTarget(key, c.write);
        EXPECT_EQ(RegReadIntegerDef(GetAppReg(), Root, key, RegName(u"TrackingTarget"), 99), c.stored) << c.write;
    }
}

TEST_F(ChartSettings, TrackingModeMapping) {
    const QString key = QStringLiteral("ViewerMain");
    const QString name = QStringLiteral("ViewerStateNavTMode");
    IAppReg *r = GetAppReg();
    // Nothing stored: the default, or mode 5 for a default outside 1..6.
    EXPECT_EQ(RegReadTrackingMode(key, name, 3), 3);
    EXPECT_EQ(RegReadTrackingMode(key, name, 0), 5);
    EXPECT_EQ(RegReadTrackingMode(key, name, 9), 5);
    struct Stored { int32_t stored; int32_t mode; };
    for (const Stored s : {Stored{1, 5}, Stored{2, 1}, Stored{4, 3}, Stored{7, 6}, Stored{8, 5}, Stored{-3, 5}}) {
        int32_t e = 0;
        RegWriteInteger(r, Root, key, RegName(name), s.stored, e);
        EXPECT_EQ(RegReadTrackingMode(key, name, 1), s.mode) << "stored " << s.stored;
    }
    struct Write { int32_t mode; int32_t stored; };
    for (const Write w : {Write{1, 2}, Write{6, 7}, Write{7, 7}, Write{0, 7}, Write{4, 5}}) {
        RegWriteTrackingMode(key, name, w.mode);
        EXPECT_EQ(RegReadIntegerDef(r, Root, key, RegName(name), -1), w.stored) << "mode " << w.mode;
    }
}

namespace {

// A calibration that reports two good reference points under any projection record.
class TFixedCalibration final : public IGeodeticCalibration {
public:
    TProjectionRef Ref;
    int32_t GetPixelPoints(TDouble2 &p1, TDouble2 &p2, TDouble2 &) override {
        p1 = {0, 0};
        p2 = {W - 1.0, H - 1.0};
        return 2;
    }
    void GetGeoPoints(TGeoPoint &c1, TGeoPoint &c2, TGeoPoint &) override {
        c1 = Deg(52.6, 4.6);
        c2 = Deg(52.2, 5.15);
    }
    bool HasError() override { return false; }
    void GetErrorText(IStrW *) override {}
    int32_t GetHeight() override { return H; }
    const TProjectionRef *GetProjection() override { return &Ref; }
    int32_t GetWidth() override { return W; }
    void Init2(const TDouble2 &, const TDouble2 &, const TGeoPoint &, const TGeoPoint &, int32_t, int32_t,
               const TProjectionRef &, int32_t &err) override { err = KvErr::NotImplemented; }
    void Init(const TDouble2 &, const TDouble2 &, const TDouble2 &, const TGeoPoint &, const TGeoPoint &,
              const TGeoPoint &, int32_t, int32_t, const TProjectionRef &, int32_t &err) override {
        err = KvErr::NotImplemented;
    }
    void PixelToGeo(TGeoPoint &out, const TDouble2 &) override { out = {GeoPointNoPosition, GeoPointNoPosition}; }
    void GeoToPixel(TDouble2 &out, const TGeoPoint &) override { out = {}; }
    void ConvertGlobalPoint(TDouble2 &out, const TDouble3 &) override { out = {}; }
    float GetVectorAngle(const TDouble2 &) override { return 0; }
};

}  // namespace

TEST_F(ChartSettings, ProjectionKindsTheStoreCannotNameLeaveNoKey) {
    for (int32_t kind : {ProjectionKind::None, 9, -1}) {
        SCOPED_TRACE(kind);
        TCalPtr old = Calibrated(Projections[0], 2);
        ASSERT_TRUE(RegWriteCalibration(Key, old.get()));
        TFixedCalibration cal;
        cal.Ref.Kind = kind;
        cal.Ref.Datum = Datum(u"WGE");
        EXPECT_FALSE(RegWriteCalibration(Key, &cal));
        EXPECT_FALSE(RegKeyExists(GetAppReg(), Root, Key));
    }
    // The same calibration with a known kind is stored.
    TFixedCalibration cal;
    cal.Ref.Kind = ProjectionKind::Mercator;
    cal.Ref.Datum = Datum(u"WGE");
    EXPECT_TRUE(RegWriteCalibration(Key, &cal));
    EXPECT_EQ(RegReadIntegerDef(GetAppReg(), Root, Key, RegName(u"CoordSystem"), -1), 1);
}
