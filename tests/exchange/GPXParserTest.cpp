// The streaming GPX parser on its own: time texts, the fixtures shaped like real tools'
// output, the time and option rules, and bad input that must be refused with a reason.
#include "exchange/KvGPXParser.h"

#include "TestSupport.h"

#include <QBuffer>
#include <QFile>
#include <cmath>
#include <gtest/gtest.h>

namespace {

constexpr double Rad = 0.017453292519943295;

struct TParsed {
    TGPXParseResult Result;
    std::vector<TGPXWaypoint> Waypoints;
    std::vector<TGPXRoute> Routes;
    std::vector<TGPXTrack> Tracks;
};

TParsed ParseDevice(QIODevice &device, uint8_t options) {
    TParsed p;
    TGPXHandlers h;
    h.Waypoint = [&p](TGPXWaypoint &&w) { p.Waypoints.push_back(std::move(w)); };
    h.Route = [&p](TGPXRoute &&r) { p.Routes.push_back(std::move(r)); };
    h.Track = [&p](TGPXTrack &&t) { p.Tracks.push_back(std::move(t)); };
    p.Result = GPXParse(device, options, h);
    return p;
}

TParsed Parse(const QByteArray &bytes, uint8_t options = 0x0F) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return ParseDevice(buffer, options);
}

TParsed ParseFixture(const char *name, uint8_t options = 0x0F) {
    QFile file(testsupport::SourcePath(QStringLiteral("tests/data/gpx/") + QLatin1String(name)));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return ParseDevice(file, options);
}

QByteArray Gpx(const QByteArray &inner) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<gpx version=\"1.1\" "
           "xmlns=\"http://www.topografix.com/GPX/1/1\">\n" +
           inner + "\n</gpx>\n";
}

double DateTime(const char *text) {
    double t = -1.0;
    EXPECT_TRUE(ParseISODateTime(QString::fromLatin1(text), t)) << text;
    return t;
}

TEST(GPXTime, AcceptsAndRefusesAsTheFormSays) {
    struct Case {
        const char *Text;
        bool Ok;
        double Expected;  // date-time when Ok
    };
    const double day = 45352.0;  // 2024-03-01
    const Case cases[] = {
        {"2024-02-29T12:00:00Z", true, day - 1 + 0.5},
        {"2023-02-29T12:00:00Z", false, 0},
        {"2024-05-01T24:00:00Z", false, 0},
        {"2024-13-01T00:00:00Z", false, 0},
        {"2024-03-01T00:60:00Z", false, 0},
        {"2024-03-01T00:00:60Z", false, 0},
        {"2024-03-01T00:00:00.25Z", true, day + 0.25 / 86400},
        {"2024-03-01T00:00:00.123456Z", true, day + 0.123 / 86400},
        {"2024-03-01T00:00:00.Z", true, day},
        {"+2024-03-01T00:00:00Z", true, day},
        {"2024-03-01T00:00:00Zjunk", true, day},
        // Zones: an offset is converted to UTC, no zone reads as UTC.
        {"2024-03-01T02:00:00+02:00", true, day},
        {"2024-02-29T22:30:00-01:30", true, day},
        {"2024-03-01T00:00:00", true, day},
        {"2024-03-01T00:00:00+2:00", false, 0},
        {"2024-03-01 00:00:00Z", false, 0},
        {"2024-03-01", false, 0},
        {"", false, 0},
        {"0000-01-01T00:00:00Z", false, 0},
        {"1899-12-30T00:00:00Z", true, 0.0},
    };
    for (const Case &c : cases) {
        double t = -1.0;
        EXPECT_EQ(ParseISODateTime(QString::fromLatin1(c.Text), t), c.Ok) << c.Text;
        if (c.Ok) EXPECT_NEAR(t, c.Expected, 1e-9) << c.Text;
    }
}

TEST(GPXFixtures, Version10WithSpeedAndCourse) {
    const TParsed p = ParseFixture("v10-speed-course.gpx");
    ASSERT_TRUE(p.Result.Ok) << p.Result.Error.toStdString();
    ASSERT_EQ(p.Waypoints.size(), 1u);
    EXPECT_EQ(p.Waypoints[0].Name, QStringLiteral("Marina"));
    EXPECT_EQ(p.Waypoints[0].SubName, QStringLiteral("Jetty B"));  // cmt when there is no desc
    EXPECT_DOUBLE_EQ(p.Waypoints[0].Ele, 1.5);
    EXPECT_NEAR(p.Waypoints[0].Lat, 52.37 * Rad, 1e-12);
    ASSERT_EQ(p.Tracks.size(), 1u);
    EXPECT_EQ(p.Tracks[0].Name, QStringLiteral("Morning run"));
    EXPECT_TRUE(p.Tracks[0].HasTimes);
    ASSERT_EQ(p.Tracks[0].Points.size(), 3u);
    EXPECT_NEAR(p.Tracks[0].Points[1].Time - p.Tracks[0].Points[0].Time, 60.0 / 86400, 1e-9);
}

TEST(GPXFixtures, Version11MetadataExtensionsSegmentsAndZones) {
    const TParsed p = ParseFixture("v11-metadata-extensions.gpx", 0x06);
    ASSERT_TRUE(p.Result.Ok) << p.Result.Error.toStdString();
    ASSERT_EQ(p.Tracks.size(), 2u);
    const TGPXTrack &route = p.Tracks[0];
    EXPECT_TRUE(route.FromRoute);
    EXPECT_FALSE(route.HasTimes);
    EXPECT_EQ(route.Name, QStringLiteral("Harbour approach"));
    ASSERT_EQ(route.Points.size(), 3u);
    for (const auto &pt : route.Points) EXPECT_EQ(pt.Time, 0.0);
    const TGPXTrack &track = p.Tracks[1];
    EXPECT_EQ(track.Name, QStringLiteral("Sunday"));  // not the metadata's name
    ASSERT_EQ(track.Points.size(), 3u);               // two segments joined
    EXPECT_EQ(track.DroppedPoints, 0);
    const double start = DateTime("2024-06-02T07:00:00Z");
    EXPECT_NEAR(track.Points[0].Time, start + 0.25 / 86400, 1e-9);
    EXPECT_NEAR(track.Points[1].Time, start + 10.0 / 86400, 1e-9);  // +02:00 made UTC
    EXPECT_NEAR(track.Points[2].Time, start + 20.0 / 86400, 1e-9);
}

TEST(GPXFixtures, PrefixedNamespaceBomCrlfAndUtf16) {
    const TParsed prefixed = ParseFixture("prefixed-namespace.gpx");
    ASSERT_TRUE(prefixed.Result.Ok);
    ASSERT_EQ(prefixed.Tracks.size(), 1u);
    EXPECT_NEAR(prefixed.Tracks[0].Points[1].Lon, -20.35 * Rad, 1e-12);
    const TParsed bom = ParseFixture("bom-crlf.gpx");
    ASSERT_TRUE(bom.Result.Ok) << bom.Result.Error.toStdString();
    ASSERT_EQ(bom.Tracks.size(), 1u);
    EXPECT_EQ(bom.Tracks[0].Name, QStringLiteral("Crlf Bom"));
    const TParsed wide = ParseFixture("utf16.gpx");
    ASSERT_TRUE(wide.Result.Ok) << wide.Result.Error.toStdString();
    ASSERT_EQ(wide.Tracks.size(), 1u);
    EXPECT_EQ(wide.Tracks[0].Name, QString::fromUtf8("Wide Øresund"));
    EXPECT_EQ(wide.Tracks[0].Points.size(), 2u);
}

TEST(GPXRules, TheFirstPointDecidesWhetherATrackHasTimes) {
    const TParsed p = Parse(Gpx("<trk><trkseg>"
                                "<trkpt lat='1' lon='1'/><trkpt lat='2' lon='2'><time>2024-01-01T00:00:00Z</time></trkpt>"
                                "<trkpt lat='3' lon='3'><time>bad</time></trkpt></trkseg></trk>"
                                "<trk><trkseg>"
                                "<trkpt lat='1' lon='1'><time>2024-01-01T00:00:00Z</time></trkpt>"
                                "<trkpt lat='2' lon='2'/><trkpt lat='3' lon='3'><time>2024-01-01T25:00:00Z</time></trkpt>"
                                "<trkpt lat='4' lon='4'><time>2024-01-01T00:00:02Z</time></trkpt></trkseg></trk>"));
    ASSERT_TRUE(p.Result.Ok);
    ASSERT_EQ(p.Tracks.size(), 2u);
    EXPECT_FALSE(p.Tracks[0].HasTimes);
    EXPECT_EQ(p.Tracks[0].Points.size(), 3u);
    for (const auto &pt : p.Tracks[0].Points) EXPECT_EQ(pt.Time, 0.0);
    EXPECT_TRUE(p.Tracks[1].HasTimes);
    EXPECT_EQ(p.Tracks[1].Points.size(), 2u);
    EXPECT_EQ(p.Tracks[1].DroppedPoints, 2);
}

TEST(GPXRules, OptionsChooseWhatIsRead) {
    const QByteArray doc = Gpx("<wpt lat='1' lon='1'><name>W</name></wpt>"
                               "<rte><rtept lat='1' lon='1'/></rte>"
                               "<trk><trkseg><trkpt lat='1' lon='1'/></trkseg></trk>");
    struct Case {
        uint8_t Options;
        size_t Waypoints, Routes, Tracks;
    };
    const Case cases[] = {{0x06, 0, 0, 2}, {0x08, 1, 0, 0}, {0x05, 0, 1, 1}, {0x03, 0, 1, 0},
                          {0x07, 0, 0, 2}, {0x02, 0, 0, 0}, {0x0F, 1, 0, 2}};
    for (const Case &c : cases) {
        const TParsed p = Parse(doc, c.Options);
        ASSERT_TRUE(p.Result.Ok);
        EXPECT_EQ(p.Waypoints.size(), c.Waypoints) << int(c.Options);
        EXPECT_EQ(p.Routes.size(), c.Routes) << int(c.Options);
        EXPECT_EQ(p.Tracks.size(), c.Tracks) << int(c.Options);
    }
}

TEST(GPXRules, NamesCaseAndCuts) {
    const QString longName(300, u'x');
    const QByteArray doc =
        Gpx("<WPT lat='1' lon='1'><Name>ignored</Name><name>" + longName.toLatin1() + "</name><desc></desc>"
            "<cmt>comment</cmt><ele>oops</ele><time>never</time></WPT>"
            "<rte><NAME>" + longName.toLatin1() + "</NAME><rtept lat='1' lon='1'><ele>12.5</ele><name>P</name></rtept></rte>"
            "<Trk><name>" + longName.toLatin1() + "</name><TrkSeg><TRKPT lat='1' lon='1'/></TrkSeg></Trk>");
    const TParsed p = Parse(doc, 0x0D);
    ASSERT_TRUE(p.Result.Ok) << p.Result.Error.toStdString();
    ASSERT_EQ(p.Waypoints.size(), 1u);
    EXPECT_EQ(p.Waypoints[0].Name.size(), 255);
    EXPECT_EQ(p.Waypoints[0].SubName, QStringLiteral("comment"));
    EXPECT_EQ(p.Waypoints[0].Ele, 0.0);
    EXPECT_EQ(p.Waypoints[0].Time, 0.0);
    ASSERT_EQ(p.Routes.size(), 1u);
    EXPECT_EQ(p.Routes[0].Name.size(), 300);
    ASSERT_EQ(p.Routes[0].Points.size(), 1u);
    EXPECT_DOUBLE_EQ(p.Routes[0].Points[0].Ele, 12.5);
    ASSERT_EQ(p.Tracks.size(), 1u);
    EXPECT_EQ(p.Tracks[0].Name.size(), 255);
    EXPECT_EQ(p.Tracks[0].Points.size(), 1u);
    // A surrogate pair at the cut is not split.
    const QString emoji = QString(254, u'a') + QString::fromUtf8("\xF0\x9F\x8C\x8A") + u'b';
    EXPECT_EQ(GPXCutName(emoji).size(), 254);
}

TEST(GPXRules, RootOtherThanGpxReadsNothingAndUpperCaseIsAccepted) {
    const TParsed other = Parse("<kml><trk><trkseg><trkpt lat='1' lon='1'/></trkseg></trk></kml>");
    EXPECT_TRUE(other.Result.Ok);
    EXPECT_FALSE(other.Result.IsGPX);
    EXPECT_TRUE(other.Tracks.empty());
    const TParsed upper = Parse("<GPX><trk><trkseg><trkpt lat='1' lon='1'/></trkseg></trk></GPX>");
    EXPECT_TRUE(upper.Result.IsGPX);
    EXPECT_EQ(upper.Tracks.size(), 1u);
}

// Bytes of a document with one attribute of the given size, made as they are read.
class TGiantAttribute : public QIODevice {
public:
    explicit TGiantAttribute(qint64 size) : FSize(size) {}
    bool isSequential() const override { return true; }
    bool atEnd() const override { return FPos >= Total(); }
    qint64 bytesAvailable() const override { return Total() - FPos + QIODevice::bytesAvailable(); }

protected:
    qint64 readData(char *data, qint64 max) override {
        qint64 n = 0;
        while (n < max && FPos < Total()) {
            const qint64 head = Head.size();
            data[n++] = FPos < head ? Head[FPos] : FPos < head + FSize ? 'a' : Tail[FPos - head - FSize];
            ++FPos;
        }
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    qint64 Total() const { return Head.size() + FSize + Tail.size(); }
    const QByteArray Head = "<gpx><wpt lat='1' lon='1' x='";
    const QByteArray Tail = "'/></gpx>";
    qint64 FSize;
    qint64 FPos = 0;
};

TEST(GPXBadInput, IsRefusedWithAReasonAndNothingAfterTheFault) {
    const QByteArray point = "<trk><trkseg><trkpt lat='52.1' lon='5.1'><time>2024-01-01T00:00:00Z</time></trkpt>";
    QByteArray nested = "<gpx>";
    for (int i = 0; i < 100000; ++i) nested += "<a>";
    struct Case {
        const char *What;
        QByteArray Bytes;
    };
    const Case cases[] = {
        {"cut inside a point", Gpx(point + "</trkseg></trk>").left(120)},
        {"Latin-1 bytes in UTF-8", Gpx("<trk><name>K\xf8ge</name>" + point.mid(5) + "</trkseg></trk>")},
        {"billion laughs",
         "<?xml version='1.0'?><!DOCTYPE gpx [<!ENTITY a 'aaaaaaaaaa'><!ENTITY b '&a;&a;&a;&a;&a;&a;&a;&a;'>"
         "<!ENTITY c '&b;&b;&b;&b;&b;&b;&b;&b;'>]><gpx><trk><name>&c;</name></trk></gpx>"},
        {"external entity",
         "<?xml version='1.0'?><!DOCTYPE gpx [<!ENTITY x SYSTEM 'file:///etc/passwd'>]><gpx><wpt lat='1' "
         "lon='1'><name>&x;</name></wpt></gpx>"},
        {"nested elements, cut", nested},
        {"PNG renamed", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)},
        {"empty file", QByteArray()},
        {"lat not a number", Gpx("<trk><trkseg><trkpt lat='north' lon='5'/></trkseg></trk>")},
        {"lon missing", Gpx("<trk><trkseg><trkpt lat='5'/></trkseg></trk>")},
        {"lat out of range", Gpx("<trk><trkseg><trkpt lat='200' lon='5'/></trkseg></trk>")},
        {"lon out of range", Gpx("<wpt lat='5' lon='-180.5'/>")},
        {"waypoint lat NaN", Gpx("<wpt lat='nan' lon='5'/>")},
    };
    for (const Case &c : cases) {
        const TParsed p = Parse(c.Bytes);
        EXPECT_FALSE(p.Result.Ok) << c.What;
        EXPECT_FALSE(p.Result.Error.isEmpty()) << c.What;
        EXPECT_TRUE(p.Tracks.empty() && p.Waypoints.empty()) << c.What;
    }
    TGiantAttribute giant(50LL * 1024 * 1024);
    giant.open(QIODevice::ReadOnly);
    const TParsed g = ParseDevice(giant, 0x0F);
    EXPECT_FALSE(g.Result.Ok);
    EXPECT_TRUE(g.Result.Error.contains(QStringLiteral("MB"))) << g.Result.Error.toStdString();
    EXPECT_FALSE(giant.atEnd());  // refused before the end was read
    // Deep nesting that is closed is skipped without recursion: read, nothing found.
    for (int i = 0; i < 100000; ++i) nested += "</a>";
    const TParsed deep = Parse(nested + "</gpx>");
    EXPECT_TRUE(deep.Result.Ok) << deep.Result.Error.toStdString();
    EXPECT_TRUE(deep.Tracks.empty());
    // The reason names the line.
    const TParsed line = Parse(Gpx("\n\n<trk><trkseg><trkpt lat='x' lon='5'/></trkseg></trk>"));
    EXPECT_EQ(line.Result.Line, 5);
}

}  // namespace
