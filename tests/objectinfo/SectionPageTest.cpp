// The waterway section page: tables over the fake section's answers (distance marks,
// compass words at their bounds, navigability, report channels, dimensions and units), and
// the page of the demo network's River Orle as a click shows it in the panel.
#include "PageFakes.h"
#include "objectinfo/SectionPage.h"

#include <gtest/gtest.h>

#include <KvLibNav6/KvUnits.h>

#include <QRegularExpression>
#include <cmath>
#include <numbers>

namespace {

using namespace pagefakes;

constexpr double Pi8 = std::numbers::pi / 8;

QString Page(TFakeSection &s, const TSectionPageUnits &units = {}) {
    return BuildSectionPage(&s, nullptr, 100.0, false, units);
}

QString RowLine(const QString &label, const QString &value) {
    return QStringLiteral("                <tr valign=\"top\"><td>%1:</td><td>%2</td></tr>\r\n").arg(label, value);
}
QString Wide(const QString &text) { return QStringLiteral("<tr><td colspan=\"2\">%1</td></tr>\r\n").arg(text); }

TEST(SectionPage, DistanceMarksAreTruncatedOnWholeHectometres) {
    const struct {
        double metres;
        const char *row;  // nullptr: no row
    } cases[] = {{12970.0, "12.9 km"}, {1200.0, "1.2 km"}, {2400.0, "2.4 km"}, {3400.0, "3.4 km"},
                 {4100.0, "4.1 km"},   {0.0, "0.0 km"},   {99.9, "0.0 km"},  {-1.0, nullptr}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.metres);
        TFakeSection s;
        s.Mark = c.metres;
        const QString page = Page(s);
        if (c.row)
            EXPECT_TRUE(page.contains(RowLine(QStringLiteral("Distance mark"), QString::fromLatin1(c.row))))
                << page.toStdString();
        else
            EXPECT_FALSE(page.contains(QStringLiteral("Distance mark")));
    }
}

TEST(SectionPage, CompassWordsAtAndBesideEverySinglePrecisionBound) {
    const char *words[] = {"northwest", "north", "northeast", "east", "southeast", "south", "southwest"};
    for (int k = 0; k < 7; ++k) {
        const float low = float((2 * k - 7) * Pi8), high = float((2 * k - 5) * Pi8);
        SCOPED_TRACE(words[k]);
        // Both bounds belong to the first range that names them.
        EXPECT_EQ(SectionCompassWord(high), QString::fromLatin1(k < 6 ? words[k] : "southwest"));
        EXPECT_EQ(SectionCompassWord(std::nextafter(low, 10.0f)), QString::fromLatin1(words[k]));
        EXPECT_EQ(SectionCompassWord(std::nextafter(high, -10.0f)), QString::fromLatin1(words[k]));
        EXPECT_EQ(SectionCompassWord(low), QString::fromLatin1(k == 0 ? "northwest" : words[k - 1]));
    }
    EXPECT_EQ(SectionCompassWord(std::nextafter(float(-7 * Pi8), -10.0f)), QStringLiteral("west"));
    EXPECT_EQ(SectionCompassWord(std::nextafter(float(7 * Pi8), 10.0f)), QStringLiteral("west"));
    EXPECT_EQ(SectionCompassWord(float(std::numbers::pi)), QStringLiteral("west"));
    EXPECT_EQ(SectionCompassWord(float(-std::numbers::pi)), QStringLiteral("west"));
}

TEST(SectionPage, OneWayNamesTheSectionsOrTheOppositeDirection) {
    const struct {
        const char *name;
        TFloat2 direction;
        bool along;
        const char *line;
    } cases[] = {
        {"north-up, along to the north", {0.0f, -1.0f}, true, "One-way traffic to the north"},
        {"against a northbound section", {0.0f, -1.0f}, false, "One-way traffic to the south"},
        {"against an eastbound section", {1.0f, 0.0f}, false, "One-way traffic to the west"},
        {"against a south-eastbound section", {1.0f, 1.0f}, false, "One-way traffic to the northwest"},
        {"unknown direction: no word", {0.0f, 0.0f}, true, "One-way traffic"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TFakeSection s;
        s.Direction = c.direction;
        s.OneWayAlong = c.along;
        EXPECT_TRUE(Page(s).contains(Wide(QString::fromLatin1(c.line)))) << Page(s).toStdString();
    }
}

TEST(SectionPage, NavigabilityFlags) {
    const struct {
        std::optional<uint32_t> flags;
        const char *line;
    } cases[] = {{0u, "Not navigable!"},
                 {1u, "For pleasure boating only"},
                 {2u, "For commercial shipping only"},
                 {3u, nullptr},
                 {4u, nullptr},
                 {std::nullopt, nullptr}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.flags ? int(*c.flags) : -1);
        TFakeSection s;
        s.Navigability = c.flags;
        const QString page = Page(s);
        for (const char *line : {"Not navigable!", "For pleasure boating only", "For commercial shipping only"})
            EXPECT_EQ(page.contains(Wide(QString::fromLatin1(line))), c.line && QLatin1String(c.line) == QLatin1String(line));
    }
}

TEST(SectionPage, ReportChannelsEachWay) {
    const TChannel port{14, QStringLiteral("Port Control")}, lock{12, QStringLiteral("Lock Control")},
        port12{12, QStringLiteral("Port Control")}, anonymous{16, QString()};
    const struct {
        const char *name;
        std::optional<TChannel> along, against;
        QString expected;
    } cases[] = {
        {"both equal: one block, no direction", port, port,
         RowLine("VHF channel", "14") + RowLine("Callsign", "Port Control")},
        {"both with other call signs: a block each way", port, lock,
         Wide("To the east only") + RowLine("VHF channel", "14") + RowLine("Callsign", "Port Control") +
             Wide("To the west only") + RowLine("VHF channel", "12") + RowLine("Callsign", "Lock Control")},
        {"both with other channels: a block each way", port, port12,
         Wide("To the east only") + RowLine("VHF channel", "14") + RowLine("Callsign", "Port Control") +
             Wide("To the west only") + RowLine("VHF channel", "12") + RowLine("Callsign", "Port Control")},
        {"along only", port, std::nullopt,
         Wide("To the east only") + RowLine("VHF channel", "14") + RowLine("Callsign", "Port Control")},
        {"against only", std::nullopt, lock,
         Wide("To the west only") + RowLine("VHF channel", "12") + RowLine("Callsign", "Lock Control")},
        {"no call sign: no row", anonymous, std::nullopt, Wide("To the east only") + RowLine("VHF channel", "16")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TFakeSection s;
        s.ReportAlong = c.along;
        s.ReportAgainst = c.against;
        const QString page = Page(s);
        const QString heading = QStringLiteral("<tr><td colspan=\"2\"><b>VHF Report channel</b></td></tr>\r\n");
        const qsizetype at = page.indexOf(heading);
        ASSERT_GE(at, 0);
        EXPECT_EQ(page.mid(at + heading.size(), c.expected.size()), c.expected) << page.toStdString();
        EXPECT_FALSE(page.mid(at + heading.size() + c.expected.size()).contains(QStringLiteral("VHF channel")));
    }
    TFakeSection none;
    EXPECT_FALSE(Page(none).contains(QStringLiteral("VHF Report channel")));
    // An unknown direction leaves the direction lines out, never says "north".
    TFakeSection unknown;
    unknown.Direction = {0.0f, 0.0f};
    unknown.ReportAgainst = lock;
    EXPECT_FALSE(Page(unknown).contains(QStringLiteral("To the")));
}

TEST(SectionPage, DimensionsWithToleranceAndUnits) {
    TSectionPageUnits metres;
    metres.DepthTolerance = 0.2f;
    TSectionPageUnits feet;
    feet.UnitDepth = KvUnit::Foot;
    feet.UnitDistanceSmall = KvUnit::Foot;
    const struct {
        const char *name;
        TDims max;
        TSectionPageUnits units;
        QStringList rows;
    } cases[] = {
        {"depth with tolerance", {2.5f, WWMissing, 70.0f, 8.5f}, metres,
         {RowLine("Depth", "2.5 m"), RowLine("Calc. Depth", "2.7 m"), RowLine("Length", "70.0 m"),
          RowLine("Width", "8.5 m")}},
        {"no tolerance: no calculated depth", {2.5f, 4.0f, WWMissing, WWMissing}, {},
         {RowLine("Depth", "2.5 m"), RowLine("Height", "4.0 m")}},
        {"in feet", {3.048f, 6.096f, WWMissing, WWMissing}, feet, {RowLine("Depth", "10.0 ft"), RowLine("Height", "20.0 ft")}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TFakeSection s;
        s.Max = c.max;
        const QString page = Page(s, c.units);
        const QString heading = QStringLiteral("<tr><td colspan=\"2\"><b>Max allowed dimensions</b></td></tr>\r\n");
        ASSERT_TRUE(page.contains(heading + c.rows.join(QString()))) << page.toStdString();
        EXPECT_EQ(page.contains(QStringLiteral("Calc. Depth")), c.units.DepthTolerance != 0.0f);
    }
    // Zero and missing values give no rows; all zero gives no maximum heading at all, while
    // the commercial heading stands for "commercial shipping only" by itself.
    TFakeSection zeros;
    zeros.Max = TDims{0.0f, 0.0f, 0.0f, 0.0f};
    zeros.Commercial = TDims{0.0f, 0.0f, 0.0f, 0.0f};
    const QString page = Page(zeros, metres);
    EXPECT_FALSE(page.contains(QStringLiteral("Max allowed dimensions")));
    EXPECT_TRUE(page.contains(QStringLiteral("For commercial shipping only, except if bigger than")));
    EXPECT_FALSE(page.contains(QStringLiteral("Depth")));
    TFakeSection missing;
    missing.Commercial = TDims{};
    EXPECT_FALSE(Page(missing).contains(QStringLiteral("commercial")));
}

TEST(SectionPage, TextsAreEncodedAndLimitsConverted) {
    TFakeFairway fairway;
    fairway.Name.Set(QStringLiteral("Orle & Vorn <route>"));
    TFakeSection s;
    s.Name.Set(QStringLiteral("<b>Kessel</b>"));
    s.Fairway = &fairway;
    s.Speed = 2.5f;  // m/s = 9 km/h
    s.Current = 0.5f;
    s.KeepLeft = true;
    s.Remark = QStringLiteral("Locks & bridges");
    // The fake's library strings take no characters invalid in file names ("://", "?").
    s.Permit = {QStringLiteral("permit.example&c=2"), QStringLiteral("Reserve permit")};
    s.Sector = TChannel{20, QStringLiteral("Orle Traffic")};
    TSectionPageUnits kmh;
    kmh.UnitSpeed = KvUnit::KilometrePerHour;
    const QString page = BuildSectionPage(&s, nullptr, 0.0, false, kmh);
    EXPECT_TRUE(page.contains(RowLine("Name", "&lt;b&gt;Kessel&lt;/b&gt;")));
    EXPECT_TRUE(page.contains(RowLine("Waterway route", "Orle &amp; Vorn &lt;route&gt;")));
    EXPECT_TRUE(page.contains(RowLine("Max allowed speed", "9.0 km/h"))) << page.toStdString();
    EXPECT_TRUE(page.contains(RowLine("Current", "1.8 km/h")));
    EXPECT_TRUE(page.contains(Wide("Stay at left bank")));
    EXPECT_TRUE(page.contains(Wide("Locks &amp; bridges")));
    EXPECT_TRUE(page.contains(Wide("Reserve permit<br /><a href=\"permit.example&amp;c=2\">More "
                                   "information</a>")))
        << page.toStdString();
    EXPECT_TRUE(page.contains(QStringLiteral("<b>VHF Sector channel</b>")));
    EXPECT_TRUE(page.startsWith(QStringLiteral("          <div class=\"contents\">\r\n            <!-- contents -->\r\n"
                                               "            <table width=\"100%\">\r\n")));
    EXPECT_TRUE(page.endsWith(QStringLiteral("            </table>\r\n          </div>\r\n")));
    // The whole page is the details template around the same fragment.
    const QString whole = BuildSectionPage(&s, nullptr, 0.0, true, kmh);
    EXPECT_TRUE(whole.startsWith(QStringLiteral("<!DOCTYPE HTML")));
    EXPECT_TRUE(whole.contains(page));
}

}  // namespace
