// The structure details page: golden pages of the demo network's structures (a lock with
// two chambers and tide lengths, a bridge with special days, a bridge with a NAP
// clearance, a power line and a weir), then tables of the text functions over unknown
// codes, impossible months and operations, and the page's switches (sections, anchor,
// waiting time, hidden rows) on edited copies of the demo network.
#include "DemoData.h"
#include "CoreTestSupport.h"
#include "TestSupport.h"
#include "base/strings/KvStrUtils.h"
#include "base/units/KvUnitsTime.h"
#include "objectinfo/KvWWNetwork.h"
#include "objectinfo/StructDetailsPage.h"

#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvLanguage.h>
#include <KvLibNav6/KvUnits.h>
#include <KvLibNav6/KvWWNetwork.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLocale>
#include <functional>
#include <stdexcept>

namespace {

const QString Images = QStringLiteral("Images/");

// Loads an edited copy of the demo network; the structures are looked up by name.
class TDemoStructs {
public:
    explicit TDemoStructs(const std::function<void(demo::TNetwork &)> &edit = {}) {
        demo::TNetwork net = demo::BuildDemoNetwork();
        if (edit) edit(net);
        Demo = net;
        const QString dir = testsupport::MakeTempDir(QStringLiteral("structpage"));
        const QString file = QDir(dir).filePath(QStringLiteral("net.kvwwn"));
        QString error;
        if (!demo::WriteNetwork(net, file, error)) return;
        int32_t err = -1;
        Net.reset(WWNetworkLoadFromFile(file, nullptr, err));
    }
    IWWStruct *Find(const QString &name) {
        if (!Net) return nullptr;
        for (const demo::TStructure &s : Demo.Structures) {
            if (s.Name != name) continue;
            int32_t i = -1;
            const TGUID g = testsupport::Guid(s.Guid);
            return Net->FindStruct(&g, i) ? Net->GetStruct(i) : nullptr;
        }
        return nullptr;
    }
    static demo::TStructure &Edit(demo::TNetwork &net, const QString &name) {
        for (demo::TStructure &s : net.Structures)
            if (s.Name == name) return s;
        throw std::runtime_error("no such demo structure");
    }
    demo::TNetwork Demo;
    testsupport::Owned<IWWNetwork> Net;
};

TStructPageOptions AllOpen() {
    TStructPageOptions o;
    o.BridgeWaitTime = 300;
    o.LockWaitTime = 1200;
    o.WaterLevel = 0.4f;
    o.ManagerOpen = true;
    return o;
}

class StructDetailsPage : public ::testing::Test {
protected:
    void SetUp() override {
        SetCurrentLanguage(KvLang::English);
        QLocale::setDefault(QLocale::c());
    }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }
};

QString ReadText(const QString &file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) return QString();
    return QString::fromUtf8(f.readAll());
}

TEST_F(StructDetailsPage, DemoStructuresMatchTheGoldenPages) {
    TDemoStructs demo;
    ASSERT_TRUE(demo.Net);
    const struct {
        const char *name, *file;
    } cases[] = {{"Saltmere Sea Lock", "saltmere-sea-lock"}, {"Tollmere Bridge", "tollmere-bridge"},
                 {"Low Orle Bridge", "low-orle-bridge"},     {"Vorn Power Line", "vorn-power-line"},
                 {"Orle Weir", "orle-weir"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        IWWStruct *s = demo.Find(QString::fromUtf8(c.name));
        ASSERT_TRUE(s);
        // One page wrapped shows the template; the others are bodies only.
        const bool wrap = &c == &cases[0];
        const QString built = BuildStructDetailsPage(s, Images, QString(), wrap, nullptr, AllOpen());
        const QString golden =
            QStringLiteral(MARIVO_SOURCE_DIR_STR "/tests/objectinfo/data/struct-%1.html").arg(QString::fromUtf8(c.file));
        if (qEnvironmentVariableIsSet("MARIVO_WRITE_GOLDEN")) {
            QFile out(golden);
            ASSERT_TRUE(out.open(QIODevice::WriteOnly));
            out.write(built.toUtf8());
        }
        EXPECT_EQ(built, ReadText(golden));
    }
}

TEST_F(StructDetailsPage, CodeTablesAtTheirBoundsAndBeyond) {
    const struct {
        const char *table;
        std::function<QString(int32_t)> f;
        int32_t code;
        const char *text;
    } cases[] = {
        {"kind", [](int32_t k) { return StructTypeToStr(k, 0, 0); }, -1, "Unknown"},
        {"kind", [](int32_t k) { return StructTypeToStr(k, 0, 0); }, 6, "Unknown"},
        {"kind", [](int32_t k) { return StructTypeToStr(k, 0, 0); }, 5, "Ship tunnel"},
        {"weir", [](int32_t t) { return StructTypeToStr(0, t, 0); }, 0, "Weir"},
        {"weir", [](int32_t t) { return StructTypeToStr(0, t, 0); }, 2, "Storm Floodgate"},
        {"weir", [](int32_t t) { return StructTypeToStr(0, t, 0); }, 3, "Unknown"},
        {"other", [](int32_t t) { return StructTypeToStr(2, 0, t); }, 0, "Unknown"},
        {"other", [](int32_t t) { return StructTypeToStr(2, 0, t); }, 1, "Aqueduct"},
        {"other", [](int32_t t) { return StructTypeToStr(2, 0, t); }, 9, "Gantry"},
        {"other", [](int32_t t) { return StructTypeToStr(2, 0, t); }, 10, "Unknown"},
        {"bridge", BridgeTypeToStr, 0, "Unknown"},
        {"bridge", BridgeTypeToStr, 1, "Bascule bridge"},
        {"bridge", BridgeTypeToStr, 16, "Transporter bridge"},
        {"bridge", BridgeTypeToStr, 17, "Unknown"},
        {"manager", ManagerTypeToStr, 0, "Unknown"},
        {"manager", ManagerTypeToStr, 1, "Ministry of Defence"},
        {"manager", ManagerTypeToStr, 20, "Water control board"},
        {"manager", ManagerTypeToStr, 21, "Voies navigables de France - Direction Territoriale"},
        {"manager", ManagerTypeToStr, 22, "Unknown"},
        {"reference", ReferenceLevelToStr, 0, "Unknown"},
        {"reference", ReferenceLevelToStr, 8, "HSW level"},
        {"reference", ReferenceLevelToStr, 9, "Unknown"},
        {"control", ControlKindToStr, 0, ""},
        {"control", ControlKindToStr, 1, "Self-service"},
        {"control", ControlKindToStr, 8, "Controlled using a key or pass"},
        {"control", ControlKindToStr, 9, ""},
        {"holiday", HolidayToStr, 0, "Invalid day value: 0"},
        {"holiday", HolidayToStr, 1, "Good Friday"},
        {"holiday", HolidayToStr, 10, "German Buß- und Bettag"},
        {"holiday", HolidayToStr, 11, "Invalid day value: 11"},
        {"operation", [](int32_t op) { return SpecialDayOperationToStr(op, 7); }, 0, "No operation"},
        {"operation", [](int32_t op) { return SpecialDayOperationToStr(op, 7); }, 2, "Operation as a Sunday"},
        {"operation", [](int32_t op) { return SpecialDayOperationToStr(op, 7); }, 3, "Operation as specified"},
        {"operation", [](int32_t op) { return SpecialDayOperationToStr(op, 7); }, 4, "<Invalid value> (4)"},
        {"operation", [](int32_t op) { return SpecialDayOperationToStr(op, 7); }, -1, "<Invalid value> (-1)"},
        {"weekday", [](int32_t d) { return SpecialDayOperationToStr(2, d); }, 0, "Operation as a ?"},
        {"weekday", [](int32_t d) { return SpecialDayOperationToStr(2, d); }, 8, "Operation as a ?"},
        {"month", StructMonthName, 0, "?"},
        {"month", StructMonthName, 13, "?"},
        {"month", StructMonthName, 12, "December"},
        {"classes", [](int32_t c) { return VesselClassesToStr(uint32_t(c)); }, 1, "Pleasure"},
        {"classes", [](int32_t c) { return VesselClassesToStr(uint32_t(c)); }, 2, "Commercial"},
        {"classes", [](int32_t c) { return VesselClassesToStr(uint32_t(c)); }, 3, ""},
        {"two digits", IntToTwoDigits, 7, "07"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.table) + " " + std::to_string(c.code));
        EXPECT_EQ(c.f(c.code), QString::fromUtf8(c.text));
    }
}

TEST_F(StructDetailsPage, BadCodesInTheNetworkGiveVisibleTextsAndNoCrash) {
    TDemoStructs demo([](demo::TNetwork &net) {
        demo::TStructure &b = TDemoStructs::Edit(net, QStringLiteral("Tollmere Bridge"));
        b.Rules[0].Operation = 9;
        b.Rules[0].Dates = {demo::TSpecialDate{0, 5, 0, 0}, demo::TSpecialDate{0, 6, 13, 0},
                            demo::TSpecialDate{12, 0, 0, 0}};
        b.Periods[0].StartMonth = 0;
        b.Periods[0].EndMonth = 13;
        b.Items[0].BridgeType = 40;
        for (demo::TManager &m : net.Managers) m.Type = 99;
    });
    IWWStruct *s = demo.Find(QStringLiteral("Tollmere Bridge"));
    ASSERT_TRUE(s);
    const QString page = BuildStructDetailsPage(s, Images, QString(), false, nullptr, AllOpen());
    // Shown as text: a raw "<Invalid value>" would be read as an unknown tag and vanish.
    EXPECT_TRUE(page.contains(QStringLiteral("&lt;Invalid value&gt; (9)"))) << page.toStdString();
    // The library keeps month 13 of a special date within the year and leaves a period
    // with impossible months out; a month 0 reaches the page and reads "?".
    EXPECT_TRUE(page.contains(QStringLiteral("<tr><td>5 ?, 6 December, Invalid day value: 12</td></tr>")))
        << page.toStdString();
    EXPECT_FALSE(page.contains(QStringLiteral("April")));
    EXPECT_TRUE(page.contains(QStringLiteral(">1 November until 31 March<")));
    EXPECT_TRUE(page.contains(QStringLiteral("<td width=\"120\" valign=\"top\">Type:</td><td valign=\"top\">Unknown</td>")));
    EXPECT_EQ(page.count(QStringLiteral(">Unknown<")), 2);
}

TEST_F(StructDetailsPage, SectionsAnchorsAndWaitingTimes) {
    TDemoStructs demo([](demo::TNetwork &net) {
        TDemoStructs::Edit(net, QStringLiteral("Saltmere Sea Lock")).WaitingTime = 90;
        TDemoStructs::Edit(net, QStringLiteral("Tollmere Bridge")).Images.clear();
    });
    IWWStruct *lock = demo.Find(QStringLiteral("Saltmere Sea Lock"));
    IWWStruct *bridge = demo.Find(QStringLiteral("Tollmere Bridge"));
    ASSERT_TRUE(lock && bridge);
    const TStructPageOptions all = AllOpen();

    // Own 90 s reads as whole minutes; no own time gives the planner's bridge default.
    EXPECT_TRUE(BuildStructOperatingPeriods(lock, nullptr, all, true).contains(QStringLiteral("\">1 min</a>")));
    const QString bridgePeriods = BuildStructOperatingPeriods(bridge, nullptr, all, true);
    EXPECT_TRUE(bridgePeriods.contains(QStringLiteral("\">5 min (default)</a>")));
    EXPECT_TRUE(bridgePeriods.contains(QStringLiteral("<a href=\"delay://") + GUIDToStr(*bridge->GetGUID())));
    EXPECT_FALSE(BuildStructOperatingPeriods(bridge, nullptr, all, false).contains(QStringLiteral("delay://")));

    // Without a picture the anchor sits on the header paragraph.
    const QString anchored = BuildStructDetailsPage(bridge, Images, QStringLiteral("S1"), false, nullptr, all);
    EXPECT_TRUE(anchored.startsWith(QStringLiteral("<p id=\"S1\"><a href=\"genshow\">")));
    EXPECT_FALSE(BuildStructDetailsPage(bridge, Images, QString(), false, nullptr, all).contains(QStringLiteral(" id=")));

    struct {
        const char *name;
        bool TStructPageOptions::*flag;
        const char *gone;
        const char *picture;
    } sections[] = {
        {"general", &TStructPageOptions::GeneralOpen, "VHF radio channel:", "<a href=\"genshow\"><img src=\"Images/expand.png\""},
        {"passages", &TStructPageOptions::PassagesOpen, "Lock chamber name:", "<a href=\"passhow\"><img src=\"Images/expand.png\""},
        {"periods", &TStructPageOptions::OperatingPeriodsOpen, "delay://", "<a href=\"operiodsshow\"><img src=\"Images/expand.png\""},
        {"manager", &TStructPageOptions::ManagerOpen, "Mail address:", "<a href=\"manshow\"><img src=\"Images/expand.png\""},
    };
    const QString open = BuildStructDetailsPage(lock, Images, QString(), false, nullptr, all);
    for (const auto &c : sections) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(open.contains(QString::fromUtf8(c.gone)));
        TStructPageOptions o = all;
        o.*c.flag = false;
        const QString closed = BuildStructDetailsPage(lock, Images, QString(), false, nullptr, o);
        EXPECT_FALSE(closed.contains(QString::fromUtf8(c.gone)));
        EXPECT_TRUE(closed.contains(QString::fromUtf8(c.picture)));
        EXPECT_EQ(closed.count(QStringLiteral("expand.png")), 1);
    }
}

TEST_F(StructDetailsPage, HiddenRowsAndNoOperationDays) {
    TDemoStructs demo([](demo::TNetwork &net) {
        demo::TStructure &w = TDemoStructs::Edit(net, QStringLiteral("Orle Weir"));
        w.Items[0].Width = 0.0;                                       // measure row hidden
        w.Items[0].Levels[QStringLiteral("height")] = demo::TLevel{0.0, 0, demo::NoValue, 0};  // level row kept
        w.Items[0].Levels.erase(QStringLiteral("threshold_depth"));    // missing: hidden
        demo::TStructure &b = TDemoStructs::Edit(net, QStringLiteral("Tollmere Bridge"));
        b.Periods.resize(1);
        b.Periods[0].Windows = {demo::TWindow{0x3E, 9 * 60, 17 * 60, 1, 1}};  // Monday..Friday
    });
    IWWStruct *weir = demo.Find(QStringLiteral("Orle Weir"));
    IWWStruct *bridge = demo.Find(QStringLiteral("Tollmere Bridge"));
    ASSERT_TRUE(weir && bridge);
    const QString page = BuildStructDetailsPage(weir, Images, QString(), false, nullptr, AllOpen());
    EXPECT_FALSE(page.contains(QStringLiteral("Width:")));
    EXPECT_TRUE(page.contains(QStringLiteral("Height (open):</td><td valign=\"top\">0.00 m (")));
    EXPECT_FALSE(page.contains(QStringLiteral("Threshold depth")));

    const QString periods = BuildStructOperatingPeriods(bridge, nullptr, AllOpen(), true);
    EXPECT_TRUE(periods.contains(QStringLiteral("09:00 - 17:00 Pleasure To the ")));
    const QString weekend = WeekDayFlagsToStr(0xC0, KvLang::English, 1);
    ASSERT_FALSE(weekend.isEmpty());
    EXPECT_TRUE(periods.contains(QStringLiteral("<td>") + weekend + QStringLiteral("</td><td>No operation</td>")))
        << periods.toStdString();
}

}  // namespace
