// The texts of the waterway lines: clearances under a dot and a comma locale and in feet,
// operation and passage texts with an injected clock, route-point titles and times.
#include "NavInfoWWFakes.h"

#include "base/units/KvUnitsTime.h"
#include "chartview/FraNavInfoWWLine.h"
#include "chartview/FraNavInfoWWStruct.h"
#include "chartview/FraNavInfoWWTexts.h"

#include <KvLibNav6/KvUnits.h>

#include <gtest/gtest.h>

#include <QLocale>

using namespace navinfotest;

namespace {

const TFormatSettings &Dot() {
    static const TFormatSettings fs = MakeFormatSettings(QLocale(QLocale::English, QLocale::UnitedKingdom));
    return fs;
}
const TFormatSettings &Comma() {
    static const TFormatSettings fs = MakeFormatSettings(QLocale(QLocale::German, QLocale::Germany));
    return fs;
}

// A fixed clock: 2024-06-01 at the given local hour, UTC offset 120 minutes.
class TClockScope {
public:
    explicit TClockScope(int localHour, int minute = 0) {
        const TDateTime localMidnight = 45444.0;  // 2024-06-01
        Local = localMidnight + (localHour * 60 + minute) / 1440.0;
        const TDateTime utc = Local - 120 / 1440.0;
        SetNavInfoClock({[utc] { return utc; }, [] { return 120; }});
    }
    ~TClockScope() { SetNavInfoClock({}); }
    TDateTime Local;
};

constexpr double Minute = 1.0 / 1440.0;

}  // namespace

TEST(NavInfoWWTexts, ClearanceTextByKindLocaleAndUnit) {
    struct TCase {
        const char *What;
        std::function<void(TFakeStruct &)> Set;
        int32_t Unit;
        bool CommaLocale;
        QString Expected;
    };
    const std::vector<TCase> cases = {
        {"opening bridge", [](TFakeStruct &) {}, KvUnit::Metre, false, "H7.50 HO30.00 W12.00"},
        {"comma locale", [](TFakeStruct &) {}, KvUnit::Metre, true, "H7,50 HO30,00 W12,00"},
        {"feet", [](TFakeStruct &) {}, KvUnit::Foot, false, "H24.61 HO98.43 W39.37"},
        {"feet, comma", [](TFakeStruct &) {}, KvUnit::Foot, true, "H24,61 HO98,43 W39,37"},
        {"fixed span has no open height",
         [](TFakeStruct &s) { s.Bridge.BridgeType = WWBridgeTypeFixedSpan; }, KvUnit::Metre, false,
         "H7.50 W12.00"},
        {"height 0 written, width 0 left out",
         [](TFakeStruct &s) {
             s.Bridge.Closed = Level(0.0f);
             s.Bridge.Width = 0.0f;
         },
         KvUnit::Metre, false, "H0.00 HO30.00"},
        {"missing values left out",
         [](TFakeStruct &s) {
             s.Bridge.Open = Level(WWMissing);
             s.Bridge.Width = WWMissing;
         },
         KvUnit::Metre, false, "H7.50"},
        {"weir opening", [](TFakeStruct &s) { s.Kind = WWStructKind::Barrier; }, KvUnit::Metre, false,
         "H4.25 W8.00"},
        {"other work", [](TFakeStruct &s) { s.Kind = WWStructKind::OtherWork; }, KvUnit::Metre, false,
         "H4.25 W8.00"},
        {"lock chamber without height", [](TFakeStruct &s) { s.Kind = WWStructKind::Lock; },
         KvUnit::Metre, false, "W6.00"},
        {"ship tunnel: no clearance read", [](TFakeStruct &s) { s.Kind = WWStructKind::ShipTunnel; },
         KvUnit::Metre, false, ""},
    };
    for (const TCase &c : cases) {
        TFakeStruct s;
        c.Set(s);
        EXPECT_EQ(WWClearanceText(&s, 0, c.Unit, c.CommaLocale ? Comma() : Dot()), c.Expected) << c.What;
    }
    TFakeStruct s;
    EXPECT_EQ(WWClearanceText(&s, 1, KvUnit::Metre, Dot()), QString()) << "a passage the structure lacks";
    EXPECT_EQ(WWClearanceText(&s, -1, KvUnit::Metre, Dot()), QString()) << "no passage index";
}

TEST(NavInfoWWTexts, OperationAndPassageTexts) {
    TClockScope clock(12);
    TFakePeriod period;
    struct TCase {
        const char *What;
        std::function<void(TFakeStruct &, TFakeStructPassage &)> Set;
        QString Expected;
    };
    const std::vector<TCase> cases = {
        {"operating period",
         [&](TFakeStruct &, TFakeStructPassage &p) { p.Operation.OperatingPeriod = &period; },
         "\r\n\r\nOperating 08:00 - 20:30. "},
        {"opening bridge not operated", [](TFakeStruct &, TFakeStructPassage &) {},
         "\r\n\r\nOperation not needed. "},
        {"not operated, unstepped mast", [](TFakeStruct &, TFakeStructPassage &p) { p.Mast = true; },
         "\r\n\r\nOperation not needed. With unstepped mast! "},
        {"fixed span with unstepped mast",
         [](TFakeStruct &s, TFakeStructPassage &p) {
             s.Bridge.BridgeType = WWBridgeTypeFixedSpan;
             p.Mast = true;
         },
         "\r\n\r\nPass with unstepped mast! "},
        {"fixed span, mast standing",
         [](TFakeStruct &s, TFakeStructPassage &) { s.Bridge.BridgeType = WWBridgeTypeFixedSpan; }, ""},
    };
    for (const TCase &c : cases) {
        TFakeStruct s;
        TFakeStructPassage p;
        p.Struct = &s;
        c.Set(s, p);
        EXPECT_EQ(WWPassageText(&s, &p, 0, 0.0, 0.0), c.Expected) << c.What;
    }
    TFakeStruct s;
    EXPECT_EQ(WWPassageText(&s, nullptr, 0, 0.0, 0.0), QString()) << "a structure met on the network";
}

TEST(NavInfoWWTexts, WaitAndPassageDurations) {
    TFakeStruct s;
    s.Bridge.BridgeType = WWBridgeTypeFixedSpan;
    TFakeStructPassage p;
    p.Struct = &s;
    const TDateTime route = 45444.5;
    struct TCase {
        const char *What;
        double AtObject, Start, End;  // minutes after the route date-time
        QString Expected;
    };
    const std::vector<TCase> cases = {
        {"wait and passage", 10, 65, 90, "\r\nIn 1h 05min.  Passage ~25min."},
        {"a day's wait", 10, 1500, 1510, "\r\nIn 1d 1h.  Passage ~10min."},
        {"start before the route date-time: no wait", 10, -65, -40, "\r\nPassage ~25min."},
        {"start within a minute of the object", 64.5, 65, 90, "\r\nPassage ~25min."},
        {"no passage time", 10, 65, 65, "\r\nIn 1h 05min. "},
    };
    for (const TCase &c : cases) {
        p.Start = route + c.Start * Minute;
        p.End = route + c.End * Minute;
        EXPECT_EQ(WWPassageText(&s, &p, 0, route + c.AtObject * Minute, route), c.Expected) << c.What;
    }
}

TEST(NavInfoWWTexts, PeriodTextGetsTheDateOnlyForAWindowWhollyPast) {
    const TWWTimeRange window{30, 20, 0, 8};
    {
        TClockScope clock(12);
        EXPECT_EQ(WWPeriodText(window), "08:00 - 20:30");
    }
    {
        TClockScope clock(21, 15);
        EXPECT_EQ(WWPeriodText(window),
                  FormatDateTime(QStringLiteral("ddddd"), 1, clock.Local) + " 08:00 - 20:30");
    }
    {
        TClockScope clock(20, 59);  // the end hour is not earlier than the local hour
        EXPECT_EQ(WWPeriodText(window), "08:00 - 20:30");
    }
    TClockScope clock(5);
    EXPECT_EQ(WWPeriodText(TWWTimeRange{5, 9, 7, 6}), "06:07 - 09:05");
}

TEST(NavInfoWWTexts, ArrivalAndDepartureTimes) {
    TFakeTimePoint a(45444.5), d(45444.5 + 30 * Minute), same(45444.5);
    const QString at = TimePointText(45444.5);
    EXPECT_EQ(ArrivalDepartureText(&a, &d), "A: " + at + ", D: " + TimePointText(45444.5 + 30 * Minute));
    EXPECT_EQ(ArrivalDepartureText(&a, &same), "A: " + at);
    EXPECT_EQ(ArrivalDepartureText(&a, nullptr), "A: " + at);
    EXPECT_EQ(ArrivalDepartureText(nullptr, &d), QString());
    EXPECT_EQ(at, FormatDateTime(QStringLiteral("d-m-yyyy hh:mm"), 1, GetLocalDateTime(45444.5)));
}

TEST(NavInfoWWTexts, DefaultSymbolsAndPictureNames) {
    TFakeStruct s;
    EXPECT_EQ(WWDefaultSymbol(&s, 0), 3);
    s.Bridge.BridgeType = WWBridgeTypeFixedSpan;
    EXPECT_EQ(WWDefaultSymbol(&s, 0), 2);
    s.Kind = WWStructKind::Lock;
    EXPECT_EQ(WWDefaultSymbol(&s, 0), 4);
    s.Kind = WWStructKind::Barrier;
    EXPECT_EQ(WWDefaultSymbol(&s, 0), 5);
    EXPECT_EQ(WWDefaultSymbol(nullptr, 0), -1);

    EXPECT_EQ(NavInfoResolvePicture("/data/net", "bridge.jpg"), "/data/net/bridge.jpg");
    EXPECT_EQ(NavInfoResolvePicture("/data/net", "pics/./bridge.jpg"), "/data/net/pics/bridge.jpg");
    EXPECT_EQ(NavInfoResolvePicture("/data/net", "/srv/pictures/bridge.jpg"), "/srv/pictures/bridge.jpg");
    EXPECT_EQ(NavInfoResolvePicture("/data/net", "../secret.jpg"), QString());
    EXPECT_EQ(NavInfoResolvePicture("/data/net", "pics/../../net2/x.jpg"), QString());
    EXPECT_EQ(NavInfoResolvePicture("/data/net", ""), QString());
}

TEST(NavInfoWWTexts, PicturesShrinkToFitAndCentre) {
    struct TCase {
        QSize Picture, Box;
        QRect Expected;
    };
    const std::vector<TCase> cases = {
        {{268, 100}, {134, 98}, {0, 24, 134, 50}},     // wide: by width
        {{300, 600}, {134, 98}, {42, 0, 49, 98}},      // wider and, scaled, still too tall
        {{100, 196}, {134, 98}, {42, 0, 50, 98}},      // only tall: by height
        {{20, 10}, {134, 98}, {57, 44, 20, 10}},       // small: never enlarged, centred
        {{134, 98}, {134, 98}, {0, 0, 134, 98}},
        {{0, 0}, {134, 98}, {}},
    };
    for (const TCase &c : cases)
        EXPECT_EQ(NavInfoFitPicture(c.Picture, c.Box), c.Expected) << c.Picture.width() << "x" << c.Picture.height();
}
