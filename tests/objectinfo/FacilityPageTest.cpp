// The facility record reader and its page on small records of tests/data/facility: names
// in any case with the prefix, blocks in document order, text-only records, time frames,
// other roots, damaged files, an external entity that is never resolved, and markup in
// values shown as text.
#include "TestSupport.h"
#include "objectinfo/FacilityPage.h"

#include <gtest/gtest.h>

namespace {

QString Fixture(const char *name) {
    return testsupport::SourcePath(QStringLiteral("tests/data/facility/") + QLatin1String(name));
}

QString Body(const char *name) {
    QString html, error;
    EXPECT_TRUE(BuildFacilityPage(Fixture(name), html, error)) << error.toStdString();
    return html;
}

TEST(FacilityPage, PrefixedRootInCapitalsReadsLikeFacility) {
    const QString html = Body("prefixed_capitals.xml");
    EXPECT_TRUE(html.startsWith(QStringLiteral("<table><tr><td>Version</td><td>2.1</td></tr>"
                                               "<tr><td>Name</td><td>Velm Lock</td></tr>"
                                               "<tr><td>Last edited</td><td>2025-04-01</td></tr></table>")))
        << html.toStdString();
    const QString communication =
        QStringLiteral("<table><tr><th align=\"left\" colspan=\"2\">Address</th></tr>"
                       "<tr><td>Street</td><td>Lock Road 1</td></tr><tr><td>City</td><td>Velm</td></tr></table>"
                       "<table><tr><th align=\"left\" colspan=\"2\">Contact</th></tr>"
                       "<tr><td>Phone</td><td>+99 512 100</td></tr>"
                       "<tr><td>E-Mail</td><td><a href=\"mailto:lock@velm.example\">lock@velm.example</a></td></tr>"
                       "<tr><td>Url</td><td><a href=\"https://velm.example/lock?a=1&amp;b=2\">"
                       "https://velm.example/lock?a=1&amp;b=2</a></td></tr>"
                       "<tr><td>Remark</td><td>Call before arrival</td></tr></table>"
                       "<table><tr><th align=\"left\" colspan=\"2\">Radio communication</th></tr>"
                       "<tr><td>Calling name</td><td>Velm Lock</td></tr><tr><td>Channel</td><td>18</td></tr></table>"
                       "<p>Office on the east side</p>");
    EXPECT_TRUE(html.contains(communication)) << html.toStdString();
    EXPECT_TRUE(html.endsWith(QStringLiteral("<table><tr><th align=\"left\" colspan=\"2\">Time schedule</th></tr>"
                                             "<tr><td colspan=\"2\">Operating hours</td></tr>"
                                             "<tr><td colspan=\"2\">Valid from 2025-04-01 to 2025-10-31</td></tr>"
                                             "</table>")));
}

TEST(FacilityPage, BlocksFollowDocumentOrderAndRepeatedTextsCountWithTheLast) {
    const QString html = Body("schedule_first.xml");
    const qsizetype facility = html.indexOf(QStringLiteral("<td>Dunmeer Marina</td>"));
    const qsizetype schedule = html.indexOf(QStringLiteral("Time schedule"));
    const qsizetype contact = html.indexOf(QStringLiteral("Contact"));
    EXPECT_TRUE(facility >= 0 && facility < schedule && schedule < contact) << html.toStdString();
    const QString expected = QStringLiteral(
        "<tr><td colspan=\"2\">Harbour office</td></tr>"
        "<tr><td colspan=\"2\">Date</td></tr><tr><td colspan=\"2\">2025-05-05</td></tr>"
        "<tr><td>10:00 - 12:00</td></tr>"
        "<tr><td>14:00 - 16:00</td><td>Fuel only</td></tr>"
        "<tr><td colspan=\"2\">Holiday</td></tr>"
        "<tr><td colspan=\"2\">Period</td></tr><tr><td colspan=\"2\">Valid from 2025-04-15 to 2025-09-30</td></tr>"
        "<tr><td colspan=\"2\">Mon-Fri</td></tr><tr><td>09:00 - 17:00</td></tr>"
        "<tr><td colspan=\"2\">Closed at noon</td></tr>"
        "<p>Times are local</p></table>");
    EXPECT_TRUE(html.contains(expected)) << html.toStdString();
    EXPECT_EQ(html.count(QStringLiteral("<table>")), html.count(QStringLiteral("</table>")));
}

TEST(FacilityPage, TextOnlyRecordIsOneClosedTable) {
    const QString html = Body("text_only.xml");
    EXPECT_EQ(html, QStringLiteral("<table><tr><td>Id</td><td>F-17</td></tr>"
                                   "<tr><td>Name</td><td>Saltmere Pump-out</td></tr>"
                                   "<tr><td>Type</td><td>Pump-out station</td></tr>"
                                   "<tr><td>Image</td><td>pumpout.jpg</td></tr>"
                                   "<tr><td>Description</td><td>Free of charge</td></tr>"
                                   "<tr><td>Operator</td><td>Port of Saltmere</td></tr>"
                                   "<tr><td>Owner</td><td>Province of Orleland</td></tr></table>"));
}

TEST(FacilityPage, AnotherRootGivesAClosedEmptyTable) {
    EXPECT_EQ(Body("other_root.xml"), QStringLiteral("<table></table>"));
}

TEST(FacilityPage, DamagedOrMissingFilesAreErrorsWithFileAndLine) {
    const struct {
        const char *name;
        const char *says;
    } cases[] = {{"cut_off.xml", "line 5"}, {"gone.xml", "gone.xml"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QString html = QStringLiteral("old"), error;
        EXPECT_FALSE(BuildFacilityPage(Fixture(c.name), html, error));
        EXPECT_TRUE(html.isEmpty());
        EXPECT_TRUE(error.startsWith(Fixture(c.name))) << error.toStdString();
        EXPECT_TRUE(error.contains(QLatin1String(c.says))) << error.toStdString();
    }
}

TEST(FacilityPage, ExternalEntitiesAreNeverResolvedAndMarkupStaysText) {
    QString html, error;
    const bool read = BuildFacilityPage(Fixture("external_entity.xml"), html, error);
    // The file beside the record holds this word: neither the page nor the message has it.
    EXPECT_FALSE(html.contains(QStringLiteral("TOPSECRET")));
    EXPECT_FALSE(error.contains(QStringLiteral("TOPSECRET")));
    ASSERT_TRUE(read) << error.toStdString();
    EXPECT_TRUE(html.contains(QStringLiteral("<td>Description</td><td>&lt;script&gt;x&lt;/script&gt;</td>")))
        << html.toStdString();
    EXPECT_FALSE(html.contains(QStringLiteral("<script>")));
}

}  // namespace
