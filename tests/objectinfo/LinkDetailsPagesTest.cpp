// The page builders of the object details panel over real waypoints, real point-of-interest
// files and the demo network's structures; the chart calibration is a fake that records
// how the structure's point is turned into a position.
#include "LinkDetailsFixtures.h"
#include "objectinfo/KvWWNetwork.h"
#include "objectinfo/LinkDetailsPages.h"

#include "DemoData.h"
#include "base/strings/KvStrUtils.h"
#include "base/texts/KvLanguage.h"
#include "base/waypoints/KvWaypoints.h"

#include <KvLibNav6/KvGeodesy.h>
#include <KvLibNav6/KvWWNetwork.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QUrl>

namespace {

using namespace linkdetailstest;

const QString CRLF = QStringLiteral("\r\n");
QString L16(const QString &s) { return QString(16, QLatin1Char(' ')) + s + CRLF; }

// Turns the global point into a map point by dropping Z, and the map point into a
// position of (X, Y) radians: what the page shows then names both steps.
class TFakeCalibration final : public IGeodeticCalibration {
public:
    int32_t GetPixelPoints(TDouble2 &, TDouble2 &, TDouble2 &) override { return 2; }
    void GetGeoPoints(TGeoPoint &, TGeoPoint &, TGeoPoint &) override {}
    bool HasError() override { return false; }
    void GetErrorText(IStrW *) override {}
    int32_t GetHeight() override { return 0; }
    const TProjectionRef *GetProjection() override { return nullptr; }
    int32_t GetWidth() override { return 0; }
    void Init2(const TDouble2 &, const TDouble2 &, const TGeoPoint &, const TGeoPoint &, int32_t,
               int32_t, const TProjectionRef &, int32_t &) override {}
    void Init(const TDouble2 &, const TDouble2 &, const TDouble2 &, const TGeoPoint &,
              const TGeoPoint &, const TGeoPoint &, int32_t, int32_t, const TProjectionRef &,
              int32_t &) override {}
    void PixelToGeo(TGeoPoint &out, const TDouble2 &pixel) override { out = {pixel.X, pixel.Y}; }
    void GeoToPixel(TDouble2 &, const TGeoPoint &) override {}
    void ConvertGlobalPoint(TDouble2 &mapOut, const TDouble3 &global) override {
        Seen = global;
        mapOut = {MapLat, MapLon};
    }
    float GetVectorAngle(const TDouble2 &) override { return 0.0f; }
    TDouble3 Seen{};
    double MapLat = 52.5 * M_PI / 180.0, MapLon = -4.25 * M_PI / 180.0;
};

TEST(LinkDetailsTemplate, ReplacesTheFirstMarkerOnceInNinetyColumnLines) {
    const QString page = WrapDetailsPage(QStringLiteral("X<!-- contents -->Y"));
    EXPECT_EQ(page.count(QStringLiteral("X<!-- contents -->Y")), 1);
    EXPECT_EQ(page.count(QStringLiteral("<!-- contents -->")), 1);
    EXPECT_TRUE(page.startsWith(QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\"")));
    EXPECT_TRUE(page.contains(QStringLiteral("<title>Waypoint properties</title>")));
    EXPECT_TRUE(page.contains(QStringLiteral("charset=utf-8")));
    // Template lines are 90 wide and end in CR LF (a fragment of the marker's own length
    // keeps its line as it was).
    const QString templ = WrapDetailsPage(QStringLiteral("<!-- contents -->"));
    const QStringList lines = templ.split(CRLF);
    ASSERT_GT(lines.size(), 10);
    EXPECT_TRUE(lines.last().isEmpty());
    for (int i = 0; i + 1 < lines.size(); ++i) {
        SCOPED_TRACE(lines[i].toStdString());
        EXPECT_GE(lines[i].size(), 90);
        EXPECT_FALSE(lines[i].contains(QLatin1Char('\n')));
    }
    EXPECT_TRUE(templ.contains(QStringLiteral("<div class=\"shadow2\">")));
}

TEST(LinkDetailsPages, TelephoneNumbersAreAPlusAndDigitsOnly) {
    const struct {
        const char *word;
        bool phone;
    } cases[] = {{"+31201234567", true}, {"+3", true}, {"+", false}, {"+31-20", false},
                 {"0201234567", false}, {"+31 20", false}, {"", false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.word);
        EXPECT_EQ(IsTelephoneNumber(QString::fromLatin1(c.word)), c.phone);
    }
}

TEST(LinkDetailsPages, SubNamesLinkMailPhoneAndFiles) {
    const QString dir = testsupport::MakeTempDir(QStringLiteral("subname"));
    const QString file = dir + QStringLiteral("/Plan & \"route\".txt");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("x");
    f.close();
    const QString fileHref = HTMLEncode(QUrl::fromLocalFile(file).toString());
    const struct {
        const char *name;
        QString subName, html;
    } cases[] = {
        {"name and number", QStringLiteral("Harbour +31201234567"),
         QStringLiteral("Harbour tel. <a href=\"callto:+31201234567\">+31201234567</a> ")},
        {"plus alone and hyphen", QStringLiteral("+ +31-20"), QStringLiteral("+ +31-20 ")},
        {"mail", QStringLiteral("info@x.nl"), QStringLiteral("<a href=\"mailto:info@x.nl\">info@x.nl</a> ")},
        {"blanks between words", QStringLiteral("a   b"), QStringLiteral("a b ")},
        {"markup shows as text", QStringLiteral("<script>x</script> & \"q\""),
         QStringLiteral("&lt;script&gt;x&lt;/script&gt; &amp; &quot;q&quot; ")},
        {"a file with & in its name", file,
         QStringLiteral("<a href=\"%1\">Plan &amp; &quot;route&quot;.txt</a>").arg(fileHref)},
        {"empty", QString(), QString()},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SubNameHtml(c.subName), c.html);
    }
}

TEST(LinkDetailsPages, LinkLineTakesTheFirstRuleThatApplies) {
    const QString dir = testsupport::MakeTempDir(QStringLiteral("linkline"));
    const QString file = dir + QStringLiteral("/photo.jpg");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    const QString fileHref = HTMLEncode(QUrl::fromLocalFile(file).toString());
    const struct {
        const char *name;
        QString link, lines;
    } cases[] = {
        {"mail with a blank", QStringLiteral("a b@c.d"),
         L16(QStringLiteral("Link: <a href=\"mailto:a b@c.d\">a b@c.d</a><br />"))},
        {"telephone", QStringLiteral("+3120"),
         L16(QStringLiteral("Link: tel. <a href=\"callto:+3120\">+3120</a><br />"))},
        {"file", file, L16(QStringLiteral("Link: <a href=\"%1\">photo.jpg</a><br />").arg(fileHref))},
        {"sector light, four angles", QStringLiteral("sl:12;0;1;90;3;180;4;270"),
         L16(QStringLiteral("Hoogte: 12 m<br />")) +
             L16(QStringLiteral("Van 0 - 90 graden, kleur: wit<br />")) +
             L16(QStringLiteral("Van 90 - 180 graden, kleur: rood<br />")) +
             L16(QStringLiteral("Van 180 - 270 graden, kleur: groen<br />"))},
        {"sector light, height only", QStringLiteral("sl:8"), L16(QStringLiteral("Hoogte: 8 m<br />"))},
        {"unknown colour shows its code", QStringLiteral("sl:8;0;3;90;5;180"),
         L16(QStringLiteral("Hoogte: 8 m<br />")) +
             L16(QStringLiteral("Van 0 - 90 graden, kleur: rood<br />")) +
             L16(QStringLiteral("Van 90 - 180 graden, kleur: ?5<br />"))},
        {"prefix is case-sensitive", QStringLiteral("SL:8"),
         L16(QStringLiteral("Link: <a href=\"SL:8\">SL:8</a><br />"))},
        {"script link is text", QStringLiteral("javascript:alert(\"1\")"),
         L16(QStringLiteral("Link: <a href=\"javascript:alert(&quot;1&quot;)\">javascript:alert(&quot;1&quot;)</a><br />"))},
        {"empty", QString(), QString()},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(WaypointLinkLines(c.link), c.lines);
    }
}

TEST(LinkDetailsPages, WaypointPageGolden) {
    TWaypoints w;
    IWptWaypoint *wp = w.Add(QStringLiteral("Light <A> & \"B\""), 52.5, -4.25,
                             QStringLiteral("Harbour +31201234567"),
                             QStringLiteral("sl:12;0;1;90;3;180;4;270"));
    ASSERT_TRUE(wp);
    const QString page = BuildWaypointPage(wp, 1);
    const QString fragment =
        QStringLiteral("          <div class=\"contents\">") + CRLF +
        QStringLiteral("            <!-- contents -->") + CRLF +
        L16(QStringLiteral("Name: Light &lt;A&gt; &amp; &quot;B&quot;<br />")) +
        L16(QStringLiteral("Latitude: %1<br />").arg(AngleText(52.5 * M_PI / 180.0, 1, 1))) +
        L16(QStringLiteral("Longitude: %1<br />").arg(AngleText(-4.25 * M_PI / 180.0, 1, 2))) +
        L16(QStringLiteral("Subtext: Harbour tel. <a href=\"callto:+31201234567\">+31201234567</a> <br />")) +
        L16(QStringLiteral("Type: %1<br />").arg(HTMLEncode(WptObjectGetName(wp->GetType())))) +
        L16(QStringLiteral("Hoogte: 12 m<br />")) +
        L16(QStringLiteral("Van 0 - 90 graden, kleur: wit<br />")) +
        L16(QStringLiteral("Van 90 - 180 graden, kleur: rood<br />")) +
        L16(QStringLiteral("Van 180 - 270 graden, kleur: groen<br />")) +
        QStringLiteral("          </div>") + CRLF;
    EXPECT_EQ(page, WrapDetailsPage(fragment));
    // The hemisphere letters of the language, degrees and minutes in format 1.
    EXPECT_TRUE(AngleText(52.5 * M_PI / 180.0, 1, 1).contains(QLatin1Char('N')));
    EXPECT_TRUE(AngleText(-4.25 * M_PI / 180.0, 1, 2).contains(QLatin1Char('W')));
}

class LinkDetailsPointPages : public ::testing::Test {
protected:
    void SetUp() override { Dir = testsupport::MakeTempDir(QStringLiteral("poipages")); }
    IGeoAddsEntry *Open(const QJsonArray &entries, const QByteArray &picture = {}) {
        const QString file = Dir + QStringLiteral("/points.content");
        EXPECT_TRUE(WritePointFile(file, entries, picture));
        Db = OpenPointFile(file);
        return Db ? Db->GetObject(0) : nullptr;
    }
    QString Dir;
    testsupport::Owned<IGeoAddsDatabase> Db;
};

TEST_F(LinkDetailsPointPages, OwnPageIsShownUnchanged) {
    QJsonObject e = PointEntry(QStringLiteral("{11111111-2222-3333-4444-555555555555}"), QStringLiteral("Cafe"));
    e.insert(QStringLiteral("html"), QStringLiteral("<html><body><p>Own & page</p></body></html>"));
    IGeoAddsEntry *entry = Open(QJsonArray{e});
    ASSERT_TRUE(entry);
    EXPECT_EQ(BuildGeoAddPage(entry), QStringLiteral("<html><body><p>Own & page</p></body></html>"));
}

TEST_F(LinkDetailsPointPages, GeneratedPageGolden) {
    QJsonObject e = PointEntry(QStringLiteral("{11111111-2222-3333-4444-555555555555}"),
                               QStringLiteral("<script>alert(1)</script>"));
    e.insert(QStringLiteral("address"), QStringLiteral("Kade 1"));
    e.insert(QStringLiteral("phone"), QStringLiteral("+31 20 1234"));
    e.insert(QStringLiteral("email"), QStringLiteral("a&b@x.nl"));
    e.insert(QStringLiteral("website"), QStringLiteral("www.x.nl"));
    e.insert(QStringLiteral("openingHours"), QStringLiteral("9-17"));
    e.insert(QStringLiteral("terrace"), true);
    e.insert(QStringLiteral("comments"), QStringLiteral("Fish & chips"));
    e.insert(QStringLiteral("picture"), true);
    IGeoAddsEntry *entry = Open(QJsonArray{e}, JpegBytes(Qt::red));
    ASSERT_TRUE(entry);
    const QString fragment =
        QStringLiteral("          <div class=\"contents\">") + CRLF +
        QStringLiteral("            <!-- contents -->") + CRLF +
        QStringLiteral("<img src=\"65536\" width=\"100%\"><br />") + CRLF +
        QStringLiteral("<p>") + CRLF +
        QStringLiteral("<b>&lt;script&gt;alert(1)&lt;/script&gt;</b><br />") + CRLF +
        QStringLiteral("Kade 1, </p>") + CRLF +
        QStringLiteral("<p><b>Contact details</b><br />") + CRLF +
        L16(QStringLiteral("Telephone number: +31 20 1234<br />")) +
        L16(QStringLiteral("E-mail address: <a href=\"mailto:a&amp;b@x.nl\">a&amp;b@x.nl</a><br />")) +
        L16(QStringLiteral("Website: <a href=\"http://www.x.nl\">www.x.nl</a><br />")) +
        QStringLiteral("</p>") + CRLF +
        QStringLiteral("<p><b>Opening hours</b><br />") + CRLF +
        QStringLiteral("9-17</p>") + CRLF +
        QStringLiteral("<p><b>Extra information</b><br />") + CRLF +
        L16(QStringLiteral("Mooring: No<br />")) +
        L16(QStringLiteral("Terrace: Yes<br />")) +
        QStringLiteral("</p>") + CRLF +
        QStringLiteral("<p><b>Comments</b><br />") + CRLF +
        QStringLiteral("Fish &amp; chips</p>") + CRLF +
        QStringLiteral("          </div>") + CRLF;
    EXPECT_EQ(BuildGeoAddPage(entry), WrapDetailsPage(fragment));
}

TEST_F(LinkDetailsPointPages, BareEntryKeepsItsHeadingsAndYesNoLines) {
    IGeoAddsEntry *entry =
        Open(QJsonArray{PointEntry(QStringLiteral("{11111111-2222-3333-4444-555555555555}"), QStringLiteral("Bare"))});
    ASSERT_TRUE(entry);
    const QString page = BuildGeoAddPage(entry);
    EXPECT_FALSE(page.contains(QStringLiteral("<img")));
    EXPECT_TRUE(page.contains(QStringLiteral("<p><b>Contact details</b><br />") + CRLF + QStringLiteral("</p>")));
    EXPECT_TRUE(page.contains(L16(QStringLiteral("Mooring: No<br />")) + L16(QStringLiteral("Terrace: No<br />"))));
    EXPECT_FALSE(page.contains(QStringLiteral("Opening hours")));
    EXPECT_FALSE(page.contains(QStringLiteral("Comments")));
    EXPECT_TRUE(page.contains(QStringLiteral("Bare</b><br />") + CRLF + QStringLiteral(", </p>")));
}

TEST(LinkDetailsStructPage, PositionComesThroughTheCalibration) {
    const QString dir = testsupport::MakeTempDir(QStringLiteral("structpage"));
    const QString file = QDir(dir).filePath(QStringLiteral("net.kvwwn"));
    demo::TNetwork net = demo::BuildDemoNetwork();
    ASSERT_FALSE(net.Structures.empty());
    net.Structures.front().Name = QStringLiteral("Brug <1> & \"2\"");
    QString error;
    ASSERT_TRUE(demo::WriteNetwork(net, file, error)) << error.toStdString();
    int32_t err = -1;
    testsupport::Owned<IWWNetwork> network(WWNetworkLoadFromFile(file, nullptr, err));
    ASSERT_EQ(err, 0);
    int32_t index = -1;
    const TGUID g = testsupport::Guid(net.Structures.front().Guid);
    ASSERT_TRUE(network->FindStruct(&g, index));
    IWWStruct *s = network->GetStruct(index);
    QString label, subtext;
    WWStructGetTexts(s, label, subtext);

    TFakeCalibration cal;
    const QString page = BuildStructPage(s, &cal, 1);
    const TDouble3 global = s->GetGlobalPosition();
    EXPECT_EQ(cal.Seen.X, global.X);
    EXPECT_EQ(cal.Seen.Z, global.Z);
    const QString fragment =
        QStringLiteral("          <div class=\"contents\">") + CRLF +
        QStringLiteral("            <!-- contents -->") + CRLF +
        L16(QStringLiteral("Name: Brug &lt;1&gt; &amp; &quot;2&quot;<br />")) +
        L16(QStringLiteral("Latitude: %1<br />").arg(AngleText(cal.MapLat, 1, 1))) +
        L16(QStringLiteral("Longitude: %1<br />").arg(AngleText(cal.MapLon, 1, 2))) +
        TextLine(QStringLiteral("Subtext"), HTMLEncode(subtext)) +
        QStringLiteral("          </div>") + CRLF;
    EXPECT_EQ(page, WrapDetailsPage(fragment));
    // Without a chart view there is no calibration: the page leaves the position out.
    const QString bare = BuildStructPage(s, nullptr, 1);
    EXPECT_FALSE(bare.contains(QStringLiteral("Latitude")));
    EXPECT_TRUE(bare.contains(QStringLiteral("Name: Brug &lt;1&gt;")));
}

TEST(LinkDetailsPages, AttachmentPagesEncodeText) {
    EXPECT_EQ(TextFilePage(QStringLiteral("/x/a.txt"), QStringLiteral("<b>x</b>")),
              QStringLiteral("<html><head><title>a.txt</title></head><body><pre>&lt;b&gt;x&lt;/b&gt;</pre></body></html>"));
    EXPECT_EQ(PicturePage(QStringLiteral("/x/p.JPG")),
              QStringLiteral("<html><head><title>p.JPG</title></head><body><img src=\"/x/p.JPG\"></body></html>"));
}

}  // namespace
