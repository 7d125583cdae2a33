#include "base/geodesy/KvGeodetic.h"

#include "base/kvlib/KvErrors.h"

#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvLib.h>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {

constexpr double Rad = M_PI / 180.0;

struct NavObjectDeleter {
    void operator()(NavObject *o) const { ObjectDelete(o); }
};

}  // namespace

TEST(KvGeodetic, GlobalsAreFetchedOnceAndComplete) {
    const TGeodeticGlobals &g = GeodeticGlobals();
    ASSERT_NE(g.Provider, nullptr);
    ASSERT_NE(g.StandardEllipsoid, nullptr);
    ASSERT_NE(g.DefaultDatum, nullptr);
    ASSERT_NE(g.RDDatum, nullptr);
    EXPECT_EQ(&GeodeticGlobals(), &g);
    EXPECT_EQ(GeodeticRegistry(), g.Provider->GetRegistry());
}

TEST(KvGeodetic, FindByCode) {
    const TGeodeticGlobals &g = GeodeticGlobals();
    struct Case {
        const char *name;
        QString code;
        int32_t err;
        IGeodeticDefinition *want;
    };
    const Case cases[] = {
        {"default code", GeodeticDefaultDatumCode, KvErr::Ok, g.DefaultDatum},
        // Only the code's own characters count, not what followed it in a longer text.
        {"code cut from a longer text", QStringLiteral("RD;ED50").left(2), KvErr::Ok, g.RDDatum},
        {"unknown code", QStringLiteral("ZZZ"), KvErr::NotFound, nullptr},
        {"empty code", QString(), KvErr::NotFound, nullptr},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        int32_t err = -1;
        EXPECT_EQ(GeodeticFindByCode(GeodeticRegistry(), c.code, GeodeticKind::Datum, err), c.want);
        EXPECT_EQ(err, c.err);
    }
}

TEST(KvGeodetic, ListToStringsReplacesTheListInRegistryOrder) {
    IGeodeticRegistry *reg = GeodeticRegistry();
    TGeodeticList list{{QStringLiteral("stale entry"), nullptr}};
    GeodeticListToStrings(reg, list, GeodeticKind::Datum);
    ASSERT_EQ(list.size(), reg->GetCount(GeodeticKind::Datum));
    EXPECT_EQ(list.front().Name, QStringLiteral("WGS 84"));
    EXPECT_EQ(list.front().Definition, GeodeticGlobals().DefaultDatum);
    for (const auto &item : list) {
        EXPECT_FALSE(item.Name.isEmpty());
        ASSERT_NE(item.Definition, nullptr);
        EXPECT_EQ(item.Definition->GetKind(), GeodeticKind::Datum);
    }
    GeodeticListToStrings(reg, list, 12345);  // a kind with no definitions
    EXPECT_TRUE(list.isEmpty());
}

TEST(KvGeodetic, RaiseIfGeodeticErrorPutsTheMessageFirst) {
    EXPECT_NO_THROW(RaiseIfGeodeticError(QStringLiteral("TChartViewer.Print(1)"), nullptr));
    std::unique_ptr<IGeodeticCalibration, NavObjectDeleter> cal(GeodeticCalibrationCreate());
    EXPECT_NO_THROW(RaiseIfGeodeticError(QStringLiteral("TChartViewer.Print(1)"), cal.get()));
    EXPECT_TRUE(GeodeticGetErrorText(cal.get()).isEmpty());

    // Identical reference points: the calibration goes into its error state.
    TProjectionRef merc;
    GeodeticRefInitMercator(merc, 0.0, GeodeticGlobals().DefaultDatum);
    const TGeoPoint p{52 * Rad, 5 * Rad};
    int32_t err = 0;
    cal->Init2({1, 1}, {1, 1}, p, p, 100, 100, merc, err);
    ASSERT_NE(err, 0);
    const QString text = GeodeticGetErrorText(cal.get());
    ASSERT_FALSE(text.isEmpty());
    try {
        RaiseIfGeodeticError(QStringLiteral("TChartViewer.Print(2)"), cal.get());
        FAIL() << "no exception";
    } catch (const Exception &e) {
        EXPECT_EQ(e.Message(), QStringLiteral("TChartViewer.Print(2): ") + text);
    }
    EXPECT_EQ(GeodeticGetErrorText(nullptr), QString());
}

TEST(KvGeodetic, UTMZonesOfTheNetherlands) {
    struct Case {
        const char *name;
        double lat, lon;
        int32_t zone;
        QChar band;
        double meridianDeg;
    };
    const Case cases[] = {
        {"Amsterdam", 52.37, 4.90, 31, u'U', 3.0},
        {"Enschede", 52.22, 6.89, 32, u'U', 9.0},
        {"Vlissingen", 51.44, 3.57, 31, u'U', 3.0},
        {"just east of 6 E", 53.0, 6.0001, 32, u'U', 9.0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        int32_t zone = 0, err = -1;
        const QChar band = GeoToUTMZone({c.lat * Rad, c.lon * Rad}, zone, err);
        EXPECT_EQ(err, KvErr::Ok);
        EXPECT_EQ(zone, c.zone);
        EXPECT_EQ(band, c.band);
        EXPECT_NEAR(UTMZoneCentralMeridian(zone, band), c.meridianDeg * Rad, 1e-12);
    }
    int32_t zone = 0, err = 0;
    EXPECT_TRUE(GeoToUTMZone({85 * Rad, 5 * Rad}, zone, err).isNull());
    EXPECT_EQ(err, KvErr::OutOfRange);

    TUTMPos pos;
    TMPositionToUTM({1500.0, -3000.0}, QChar(u'C'), pos);
    EXPECT_DOUBLE_EQ(pos.Easting, 501500.0);
    EXPECT_DOUBLE_EQ(pos.Northing, 9997000.0);
    TMPositionToUTM({1500.0, 3000.0}, QChar(u'U'), pos);
    EXPECT_DOUBLE_EQ(pos.Northing, 3000.0);
}
