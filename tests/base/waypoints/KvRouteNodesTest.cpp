#include "base/kvlib/KvLib.h"
#include "base/kvlib/KvStrings.h"
#include "base/waypoints/KvRouteNodes.h"
#include "base/waypoints/KvWaypoints.h"

#include "TestSupport.h"

#include <KvLibNav6/KvUnits.h>

#include <gtest/gtest.h>

#include <QFile>
#include <cmath>

namespace {

// A planned-route element of a given kind; only what the icon lookup reads answers.
class TFakeElement final : public IWptRouteObject {
public:
    TFakeElement(int32_t kind, float angle = 0.0f, int32_t variant = 0)
        : FKind(kind), FAngle(angle), FVariant(variant) {}
    float GetTurnAngle() override { return FAngle; }
    int32_t IsObstacleVariant() override { return FVariant; }
    IWptRouteStructPassage *GetStructPassage() override { return nullptr; }
    int32_t GetKind() override { return FKind; }
    int32_t GetBlockReason() override { return 0; }
    int32_t GetPointIndex() override { return -1; }
    IWptRouteLeg *GetLeg() override { return nullptr; }
    int32_t GetIntervalId() override { return 0; }
    int32_t GetIntervalEdge() override { return 0; }
    IWptWaypoint *GetWaypoint() override { return nullptr; }
    IWptPlanPoint *GetPlanPoint() override { return nullptr; }
    double GetPosition() override { return 0.0; }
    const double *GetValues() override { return nullptr; }

private:
    int32_t FKind;
    float FAngle;
    int32_t FVariant;
};

class TFakeTimePoint final : public IWptRouteTimePoint {
public:
    const TTimePointData *GetData() override { return &Data; }
    const TLegInfo *GetLegInfo() override { return &Leg; }
    const TGeoPoint *GetPosition() override { return &Pos; }
    TTimePointData Data;
    TLegInfo Leg;
    TGeoPoint Pos;
};

TEST(RouteNodes, TurnIconsBySectorWithSharedBoundsToTheFirstListed) {
    struct Case {
        const char *name;
        double angle;
        int32_t icon;
    };
    const double e = M_PI / 8;
    const Case cases[] = {
        {"-7pi/8", -7 * e, 6}, {"-5pi/8", -5 * e, 6}, {"-3pi/8", -3 * e, 7},
        {"-pi/8", -e, 8},      {"0", 0.0, 1},          {"pi/8", e, 1},
        {"3pi/8", 3 * e, 2},   {"5pi/8", 5 * e, 3},    {"7pi/8", 7 * e, 4},
        {"pi", M_PI, 5},       {"-pi", -M_PI, 5},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        // The element hands the angle over as a Single: the bound must survive that.
        TFakeElement el(WptRouteObjectKind::Turn, float(c.angle));
        EXPECT_EQ(RouteNodeGetIconIndex(&el), c.icon);
    }
}

TEST(RouteNodes, IconsOfOtherElementKinds) {
    struct Case {
        const char *name;
        int32_t kind;
        int32_t variant;
        int32_t icon;
    };
    const Case cases[] = {
        {"route point", WptRouteObjectKind::RoutePoint, 0, 18},
        {"obstacle", WptRouteObjectKind::Obstacle, 0, 19},
        {"obstacle variant", WptRouteObjectKind::Obstacle, 1, 20},
        {"notice interval", WptRouteObjectKind::NoticeInterval, 0, 21},
        {"marina", WptRouteObjectKind::Marina, 0, 22},
        {"sailing-times stop", WptRouteObjectKind::SailingTimesStop, 0, -1},
        {"structure without its passage", WptRouteObjectKind::Structure, 0, -1},
        {"unknown", 99, 0, -1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TFakeElement el(c.kind, 0.0f, c.variant);
        EXPECT_EQ(RouteNodeGetIconIndex(&el), c.icon);
    }
    EXPECT_EQ(RouteNodeGetIconIndex(nullptr), -1);
}

TEST(RouteNodes, DurationTexts) {
    struct Case {
        float seconds;
        const char *text;
    };
    const Case cases[] = {
        {45.9f, "45s"},     {3725.0f, "1h 02m 05s"}, {90061.0f, "1d 1h 01m"},
        {60.0f, "1m"},      {86400.0f, "1d"},        {0.4f, "0s"},
        {7205.0f, "2h 05s"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        QString out;
        FormatDurationDHMS(out, c.seconds);
        EXPECT_EQ(out, QString::fromLatin1(c.text));
    }
}

TEST(RouteNodes, GettersWithoutObjectsLeaveTheValueUntouched) {
    auto empty = NewRteNodeData(nullptr, nullptr, nullptr, nullptr, 0, 0.0, 0, 0, nullptr, nullptr,
                                nullptr);
    using Getter = bool (*)(const TRouteNode *, double &);
    for (Getter g : {Getter(RteNodeGetDistance), Getter(RteNodeGetConsumption),
                     Getter(RteNodeGetArrivalTime), Getter(RteNodeGetDepartureTime)}) {
        double v = 123.5;
        EXPECT_FALSE(g(empty.get(), v));
        EXPECT_EQ(v, 123.5);
        EXPECT_FALSE(g(nullptr, v));
        EXPECT_EQ(v, 123.5);
    }
    TFakeTimePoint info, departure;
    info.Data = TTimePointData{1852.0, 0.25, 0.0, 45000.5};
    departure.Data.TimeUTC = 45000.75;
    auto node = NewRteNodeData(nullptr, nullptr, &info, &departure, 0, 0.0, 0, 0, nullptr, nullptr,
                               nullptr);
    double v = 0;
    ASSERT_TRUE(RteNodeGetDistance(node.get(), v));
    EXPECT_EQ(v, 1852.0);
    ASSERT_TRUE(RteNodeGetConsumption(node.get(), v));
    EXPECT_EQ(v, 0.25);
    ASSERT_TRUE(RteNodeGetArrivalTime(node.get(), v));
    EXPECT_EQ(v, 45000.5);
    ASSERT_TRUE(RteNodeGetDepartureTime(node.get(), v));
    EXPECT_EQ(v, 45000.75);
}

TEST(RouteNodes, UnplannedRoutesAreNotComplete) {
    EXPECT_FALSE(RouteCheckAllPoints(nullptr));
    int32_t err = -1;
    TNavPtr<IWptManager> m(CreateWptManager(nullptr, nullptr, QStringLiteral("DejaVu Sans"), {},
                                            {}, {}, nullptr, nullptr, nullptr, nullptr, nullptr,
                                            err));
    ASSERT_EQ(err, 0);
    IWptDatabase *db = WptManagerNewDatabase(m.get(), QStringLiteral("db"));
    IWptRoute *r = db->NewRoute(0.0);
    EXPECT_TRUE(RouteCheckAllPoints(r));  // no point lacks a plan
    r->AddPointAtPosition(TRoutePosition{0.1, 0.1, 0.0}, err);
    EXPECT_FALSE(RouteCheckAllPoints(r));  // a point without its plan point
}

TEST(WaypointWrappers, FontStylesCrossAsTheLowFourBits) {
    EXPECT_EQ(FontStylesToWpt(0xF5), 5);
    EXPECT_EQ(WptToFontStyles(0xF5), 5);
    EXPECT_EQ(FontStylesToWpt(fsBold | fsStrikeOut), 9);
}

TEST(WaypointWrappers, SecondManagerLooksLikeTheFirst) {
    int32_t err = -1;
    TWptLabelStyle main{10.0f, fsBold, 0xFF000000u}, light{8.0f, fsItalic, 0xFF112233u},
        sub{7.0f, 0, 0xFF445566u};
    TNavPtr<IWptManager> first(CreateWptManager(nullptr, nullptr, QStringLiteral("Tahoma"), main,
                                                light, sub, nullptr, nullptr, nullptr, nullptr,
                                                nullptr, err));
    ASSERT_EQ(err, 0);
    TNavPtr<IWptManager> second(CreateWptManagerLike(first.get(), nullptr, nullptr, nullptr, nullptr, err));
    ASSERT_EQ(err, 0);
    const TWptDisplaySettings *a = first->GetDisplaySettings(), *b = second->GetDisplaySettings();
    EXPECT_EQ(StrWToWide(&b->FontName), QStringLiteral("Tahoma"));
    EXPECT_EQ(b->Value16, 5);
    EXPECT_EQ(b->MainText.Style, fsBold);
    EXPECT_EQ(b->LightChar.Color, a->LightChar.Color);
    EXPECT_FLOAT_EQ(b->SubText.Size, 7.0f);
}

TEST(WaypointWrappers, RecoverHandsBackTheNameADamagedFileWasMovedTo) {
    const QString file = testsupport::MakeTempDir(QStringLiteral("wrap")) + QStringLiteral("/Waypoints.db");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("no database");
    f.close();
    int32_t err = -1, notice = -1;
    TNavPtr<IWptManager> m(CreateWptManager(nullptr, nullptr, QStringLiteral("Tahoma"), {}, {}, {},
                                            nullptr, nullptr, nullptr, nullptr, nullptr, err));
    QString name = file;
    IWptDatabase *db = WptManagerOpenDatabaseRecover(m.get(), file, 0, name, notice, err);
    ASSERT_NE(db, nullptr);
    EXPECT_EQ(err, 0);
    EXPECT_EQ(notice, 0);  // no backup to fall back to: an empty database
    EXPECT_NE(name, file);
    EXPECT_TRUE(QFile::exists(name));
    EXPECT_EQ(WptDatabaseGetFileName(db), file);
    WptDatabaseSaveToFile(db, file, err);
    EXPECT_EQ(err, 0);
    TWptDatabaseHeader h;
    WptDatabaseReadHeaderA(file, h, err);
    EXPECT_EQ(err, 0);
    EXPECT_EQ(h.WaypointCount, 0);
}

}  // namespace

TEST(KvRouteNodes, FormatMetresInUnitConvertsAndLabels) {
    const TFormatSettings point = InvariantFormatSettings();
    TFormatSettings comma = point;
    comma.DecimalSeparator = u',';
    comma.ThousandSeparator = u'.';
    struct Case {
        const char *name;
        int32_t unit;
        int32_t decimals;
        bool withUnit;
        double metres;
        const TFormatSettings *fs;
        const char *expected;
    };
    const Case cases[] = {
        {"metres, half rounds up", KvUnit::Metre, 2, true, 12.345, &point, "12.35 m"},
        {"kilometres", KvUnit::Kilometre, 1, true, 1500.0, &point, "1.5 km"},
        {"nautical mile", KvUnit::NauticalMile, 2, true, 1852.0, &point, "1.00 NM"},
        {"statute miles", KvUnit::StatuteMile, 3, true, 2414.016, &point, "1.500 mi"},
        {"feet without unit", KvUnit::Foot, 0, false, 3.048, &point, "10"},
        {"centimetres", KvUnit::Centimetre, 0, true, 1.234, &point, "123 cm"},
        {"negative", KvUnit::Metre, 1, true, -0.25, &point, "-0.3 m"},
        {"seven significant digits", KvUnit::Metre, 3, false, 123456.789, &point, "123456.800"},
        {"comma locale", KvUnit::Kilometre, 2, true, 1500.0, &comma, "1,50 km"},
        {"speed unit gives metres", KvUnit::Knot, 1, true, 12.0, &point, "12.0 m"},
        {"unknown length gives metres", 0x6FFFF, 1, true, 12.0, &point, "12.0 m"},
        {"no unit code gives metres", 0, 0, true, 7.0, &point, "7 m"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QString text = QStringLiteral("old");
        FormatMetresInUnit(c.unit, c.decimals, c.withUnit, text, c.metres, *c.fs);
        EXPECT_EQ(text, QString::fromUtf8(c.expected));
    }
}
