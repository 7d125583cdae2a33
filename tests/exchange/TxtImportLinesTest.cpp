// The rules that turn delimited lines into cells, valid cells and import items, and the
// decoding of the files' bytes. Pure data: no widget and no profile object.
#include "exchange/TxtImportLines.h"

#include "base/geodesy/KvGeodetic.h"

#include <gtest/gtest.h>

#include <QStringDecoder>
#include <cmath>
#include <numbers>

namespace {

namespace K = TxtFormatKindKey;
namespace G = TxtFormatGeoFormat;
namespace U = TxtFormatDistanceUnit;

constexpr double Deg = std::numbers::pi / 180.0;

TTxtImportColumn Col(const char16_t *kind, int32_t geo = 0, int32_t unit = U::Metre) {
    return TTxtImportColumn{QString::fromUtf16(kind), geo, unit};
}

TTxtImportRules Rules(std::vector<TTxtImportColumn> columns, QChar sep = u';',
                      QChar dec = u'.', int32_t kind = TxtFormatProfileKind::Waypoint) {
    TTxtImportRules r;
    r.Columns = std::move(columns);
    r.FieldSeparator = sep;
    r.Numbers = InvariantFormatSettings();
    r.Numbers.DecimalSeparator = dec;
    r.ProfileKind = kind;
    return r;
}

TTxtImportLine Parse(const QString &text, const TTxtImportRules &r) {
    TTxtImportLine line;
    TxtImportParseLine(line, text, r, TxtImportColumnsOfLine(text, r.FieldSeparator));
    return line;
}

}  // namespace

TEST(TxtImportLines, CellValidityByKindFormatAndUnit) {
    struct Case {
        TTxtImportColumn column;
        const char *text;
        QChar dec;
        bool valid;
    } cases[] = {
        // Whole degrees and whole minutes must be whole; minute and second columns stay
        // below 60.
        {Col(K::Latitude, G::DegreesInt), "52.5", u'.', false},
        {Col(K::Latitude, G::DegreesInt), "52", u'.', true},
        {Col(K::Latitude, G::DegreesInt), "-0", u'.', true},
        {Col(K::Latitude, G::MinutesInt), "60", u'.', false},
        {Col(K::Latitude, G::MinutesFloat), "60", u'.', false},
        {Col(K::Latitude, G::SecondsFloat), "60", u'.', false},
        {Col(K::Longitude, G::MinutesFloat), "59.99", u'.', true},
        {Col(K::Longitude, G::SecondsFloat), "59.99", u'.', true},
        {Col(K::Longitude, G::MinutesInt), "59.99", u'.', false},
        {Col(K::Latitude, G::MinutesFloat), "-1", u'.', false},
        // Degree bounds are inclusive.
        {Col(K::Latitude, G::DegreesFloat), "90", u'.', true},
        {Col(K::Latitude, G::DegreesFloat), "-90", u'.', true},
        {Col(K::Latitude, G::DegreesFloat), "90.0001", u'.', false},
        {Col(K::Longitude, G::DegreesFloat), "-180", u'.', true},
        {Col(K::Longitude, G::DegreesFloat), "180.01", u'.', false},
        {Col(K::Longitude, G::DegreesInt), "181", u'.', false},
        {Col(K::Latitude, G::Radians), "1.5707", u'.', true},
        {Col(K::Latitude, G::Radians), "1.58", u'.', false},
        {Col(K::Longitude, G::Radians), "3.1415", u'.', true},
        {Col(K::Latitude, 0), "52", u'.', false},  // no geographic format
        // Angle texts: hemisphere letters of the kind; a decimal comma reads like a point
        // whatever the profile's separator.
        {Col(K::Latitude, G::TextAngle), "52 30.5 N", u'.', true},
        {Col(K::Latitude, G::TextAngle), "52 30,5 N", u'.', true},
        {Col(K::Latitude, G::TextAngle), "52 30.5 N", u',', true},
        {Col(K::Latitude, G::TextAngle), "91 N", u'.', false},
        {Col(K::Latitude, G::TextAngle), "52.5 E", u'.', false},
        {Col(K::Longitude, G::TextAngle), "5 15 W", u'.', true},
        {Col(K::Longitude, G::TextAngle), "", u'.', false},
        // The profile's decimal separator, and no thousands separators.
        {Col(K::Latitude, G::DegreesFloat), "52,5", u',', true},
        {Col(K::Latitude, G::DegreesFloat), "52.5", u',', false},
        {Col(K::Latitude, G::DegreesFloat), "52,5", u'.', false},
        {Col(K::Height), "1,000.5", u'.', false},
        {Col(K::Height), " 12.5 ", u'.', true},
        {Col(K::Height), "-3e2", u'.', true},
        {Col(K::Height), "", u'.', false},
        {Col(K::Height), "abc", u'.', false},
        // Proximity from 0, radius from 1, both up to 10000 m after conversion.
        {Col(K::Proximity), "0", u'.', true},
        {Col(K::Proximity), "-1", u'.', false},
        {Col(K::Proximity), "10000", u'.', true},
        {Col(K::Proximity), "10000.1", u'.', false},
        {Col(K::Proximity, 0, U::Kilometre), "10", u'.', true},
        {Col(K::Proximity, 0, U::Kilometre), "10.001", u'.', false},
        {Col(K::Proximity, 0, U::NauticalMile), "6", u'.', false},  // 11112 m
        {Col(K::Radius), "0", u'.', false},
        {Col(K::Radius), "1", u'.', true},
        {Col(K::Radius, 0, U::Centimetre), "99", u'.', false},
        // RD grid bounds.
        {Col(K::RDX), "-7000", u'.', true},
        {Col(K::RDX), "-7001", u'.', false},
        {Col(K::RDX), "300000", u'.', true},
        {Col(K::RDY), "288999", u'.', false},
        {Col(K::RDY), "289000", u'.', true},
        {Col(K::RDY), "629000", u'.', true},
        {Col(K::RDY), "629001", u'.', false},
        // Text kinds take anything; an unknown kind nothing.
        {Col(K::Name), "", u'.', true},
        {Col(K::Group), "x;y", u'.', true},
        {Col(K::Undefined), "\t", u'.', true},
        {TTxtImportColumn{}, "?", u'.', true},
        {TTxtImportColumn{QStringLiteral("KIND_FOO")}, "1", u'.', false},
    };
    for (const Case &c : cases) {
        TFormatSettings fs = InvariantFormatSettings();
        fs.DecimalSeparator = c.dec;
        EXPECT_EQ(TxtImportCheckCell(c.column, QString::fromUtf8(c.text), fs), c.valid)
            << c.column.KindKey.toStdString() << " format " << c.column.GeoFormat << " unit "
            << c.column.DistanceUnit << " text '" << c.text << "' decimal "
            << char(c.dec.unicode());
    }
}

TEST(TxtImportLines, AngleCombinationsInAnyColumnOrder) {
    const std::vector<TTxtImportColumn> dms = {Col(K::Latitude, G::DegreesInt),
                                               Col(K::Latitude, G::MinutesInt),
                                               Col(K::Latitude, G::SecondsFloat)};
    const QStringList texts = {QStringLiteral("52"), QStringLiteral("30"), QStringLiteral("36")};
    // Every order of the three columns gives 52° 30' 36".
    int order[] = {0, 1, 2};
    do {
        std::vector<TTxtImportColumn> columns;
        QStringList cells;
        for (int i : order) {
            columns.push_back(dms[size_t(i)]);
            cells << texts[i];
        }
        const TTxtImportRules r = Rules(columns);
        const TTxtImportLine line = Parse(cells.join(u';'), r);
        double lat = 0.0;
        ASSERT_TRUE(TxtImportReadKindAngle(line, r, QString::fromUtf16(K::Latitude),
                                           {G::DegreesInt, G::MinutesInt, G::SecondsFloat}, lat))
            << cells.join(u';').toStdString();
        EXPECT_NEAR(lat / Deg, 52.51, 1e-9);
    } while (std::next_permutation(std::begin(order), std::end(order)));

    struct Case {
        std::vector<TTxtImportColumn> columns;
        const char *line;
        bool read;
        double degrees;
    } cases[] = {
        {{Col(K::Latitude, G::DegreesInt), Col(K::Latitude, G::MinutesFloat)}, "52;30.6", true, 52.51},
        {{Col(K::Latitude, G::MinutesFloat), Col(K::Latitude, G::DegreesInt)}, "30.6;-52", true, -52.51},
        // "-0" keeps its sign: half a degree south, not north.
        {{Col(K::Latitude, G::DegreesInt), Col(K::Latitude, G::MinutesFloat)}, "-0;30", true, -0.5},
        {{Col(K::Latitude, G::DegreesInt), Col(K::Latitude, G::MinutesInt), Col(K::Latitude, G::SecondsFloat)},
         "-0;30;36", true, -0.51},
        {{Col(K::Latitude, G::DegreesInt), Col(K::Latitude, G::MinutesFloat)}, "0;30", true, 0.5},
        {{Col(K::Latitude, G::DegreesFloat)}, "-52.25", true, -52.25},
        {{Col(K::Latitude, G::Radians)}, "0.5", true, 0.5 / Deg},
        {{Col(K::Latitude, G::TextAngle)}, "52 30,6 S", true, -52.51},
        // Two columns of one format, a missing part, a stray format, an invalid cell.
        {{Col(K::Latitude, G::DegreesFloat), Col(K::Latitude, G::DegreesFloat)}, "52;52", false, 0},
        {{Col(K::Latitude, G::DegreesInt)}, "52", false, 0},
        {{Col(K::Latitude, G::DegreesInt), Col(K::Latitude, G::MinutesFloat), Col(K::Latitude, G::DegreesFloat)},
         "52;30;52.5", false, 0},
        {{Col(K::Latitude, G::DegreesInt), Col(K::Latitude, G::MinutesFloat)}, "52;61", false, 0},
        // Valid cells that compose to a place beyond the pole give no position.
        {{Col(K::Latitude, G::DegreesInt), Col(K::Latitude, G::MinutesFloat)}, "90;30", false, 0},
        {{Col(K::Latitude, G::DegreesInt), Col(K::Latitude, G::MinutesFloat)}, "90;0", true, 90},
    };
    // With a readable longitude, the line is importable exactly when the latitude reads.
    for (const Case &c : cases) {
        std::vector<TTxtImportColumn> columns = c.columns;
        columns.push_back(Col(K::Longitude, G::DegreesFloat));
        const TTxtImportLine line = Parse(QString::fromUtf8(c.line) + QStringLiteral(";5"), Rules(columns));
        SCOPED_TRACE(c.line);
        EXPECT_EQ(line.Importable, c.read);
        if (c.read) {
            EXPECT_NEAR(line.Item.LatitudeRad / Deg, c.degrees, 1e-9);
        }
    }
}

TEST(TxtImportLines, ItemsOfWaypointAndRouteLines) {
    const std::vector<TTxtImportColumn> sample = {Col(K::Latitude, G::DegreesFloat),
                                                  Col(K::Longitude, G::DegreesFloat),
                                                  Col(K::Name)};
    {
        const TTxtImportLine line = Parse(QStringLiteral("52.5;5.25;Harbour"), Rules(sample));
        EXPECT_TRUE(line.Importable);
        EXPECT_NEAR(line.Item.LatitudeRad / Deg, 52.5, 1e-12);
        EXPECT_NEAR(line.Item.LongitudeRad / Deg, 5.25, 1e-12);
        EXPECT_EQ(line.Item.Name, QStringLiteral("Harbour"));
        EXPECT_EQ(line.Item.ProximityM, -1.0);
        EXPECT_EQ(line.Item.RadiusM, -1.0);
        EXPECT_EQ(line.Item.HeightM, 0.0);
        EXPECT_EQ(line.Valid, (std::vector<char>{1, 1, 1}));
    }
    {
        const TTxtImportLine line =
            Parse(QStringLiteral("52.5;5.25;Harbour"), Rules(sample, u';', u','));
        EXPECT_FALSE(line.Importable);
        EXPECT_EQ(line.Valid, (std::vector<char>{0, 0, 1}));
    }
    struct Case {
        std::vector<TTxtImportColumn> extra;
        const char *tail;
        int32_t kind;
        bool importable;
        double heightM, proximityM, radiusM;
    } cases[] = {
        {{Col(K::Proximity), Col(K::Proximity)}, "10;20", TxtFormatProfileKind::Waypoint, false, 0, -1, -1},
        {{Col(K::Proximity)}, "0", TxtFormatProfileKind::Waypoint, true, 0, 0, -1},
        {{Col(K::Proximity)}, "x", TxtFormatProfileKind::Waypoint, false, 0, -1, -1},
        {{Col(K::Height), Col(K::Height)}, "10;20", TxtFormatProfileKind::Waypoint, true, 0, -1, -1},
        {{Col(K::Height, 0, U::Foot)}, "10", TxtFormatProfileKind::Waypoint, true, 3.048, -1, -1},
        {{Col(K::Proximity, 0, U::Kilometre)}, "0.25", TxtFormatProfileKind::Waypoint, true, 0, 250, -1},
        // Routes need a readable radius instead; none at all counts as read.
        {{}, "", TxtFormatProfileKind::Route, true, 0, -1, -1},
        {{Col(K::Radius)}, "50", TxtFormatProfileKind::Route, true, 0, -1, 50},
        {{Col(K::Radius)}, "0", TxtFormatProfileKind::Route, false, 0, -1, -1},
        {{Col(K::Proximity)}, "x", TxtFormatProfileKind::Route, true, 0, -1, -1},
    };
    for (const Case &c : cases) {
        std::vector<TTxtImportColumn> columns = sample;
        columns.insert(columns.end(), c.extra.begin(), c.extra.end());
        const QString text = QStringLiteral("52.5;5.25;Harbour") +
                             (c.extra.empty() ? QString() : u';' + QString::fromUtf8(c.tail));
        const TTxtImportLine line = Parse(text, Rules(columns, u';', u'.', c.kind));
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(line.Importable, c.importable);
        EXPECT_NEAR(line.Item.HeightM, c.heightM, 1e-9);
        EXPECT_NEAR(line.Item.ProximityM, c.proximityM, 1e-9);
        EXPECT_NEAR(line.Item.RadiusM, c.radiusM, 1e-9);
    }
}

TEST(TxtImportLines, TextKindsJoinValidCellsTrimmed) {
    const TTxtImportRules r = Rules({Col(K::Name), Col(K::Group), Col(K::Name), Col(K::SubName),
                                     Col(K::Type), Col(K::Name)});
    struct Case {
        const char *line, *name, *group, *sub, *type;
    } cases[] = {
        {"Harbour;G;North;s;t;", "Harbour North", "G", "s", "t"},
        {"Harbour;;;;;", "Harbour", "", "", ""},
        {" A ;\tG\t;B ;;;C", "A  B  C", "G", "", ""},
        {";;;;;", "", "", "", ""},
    };
    for (const Case &c : cases) {
        const TTxtImportLine line = Parse(QString::fromUtf8(c.line), r);
        SCOPED_TRACE(c.line);
        EXPECT_EQ(line.Item.Name, QString::fromUtf8(c.name));
        EXPECT_EQ(line.Item.GroupName, QString::fromUtf8(c.group));
        EXPECT_EQ(line.Item.SubName, QString::fromUtf8(c.sub));
        EXPECT_EQ(line.Item.TypeName, QString::fromUtf8(c.type));
        EXPECT_FALSE(line.Importable);  // no position
    }
}

TEST(TxtImportLines, RDOriginMatchesTheGeodesyEngine) {
    const TTxtImportRules r = Rules({Col(K::RDX), Col(K::RDY), Col(K::Height), Col(K::Name)});
    const TTxtImportLine line = Parse(QStringLiteral("155000;463000;12;Amersfoort"), r);
    ASSERT_TRUE(line.Importable);
    EXPECT_EQ(line.Item.HeightM, 0.0);
    EXPECT_NEAR(line.Item.LatitudeRad / Deg, 52.156, 0.002);
    EXPECT_NEAR(line.Item.LongitudeRad / Deg, 5.388, 0.002);
    // Back through the engine's own conversion: within a metre of the grid origin.
    const TGeodeticGlobals &g = GeodeticGlobals();
    TGeoPoint3 p{line.Item.LatitudeRad, line.Item.LongitudeRad, 0.0};
    GeodeticDatumTransform3(p, g.DefaultDatum, g.RDDatum);
    TProjectionRef rd;
    GeodeticRefInitRD(rd);
    TDouble2 xy;
    GeoToRD(xy, TGeoPoint{p.Lat, p.Lon}, rd);
    EXPECT_NEAR(xy.X, 155000.0, 1.0);
    EXPECT_NEAR(xy.Y, 463000.0, 1.0);

    // A grid value off the grid, or a position column already read, leaves RD unused.
    EXPECT_FALSE(Parse(QStringLiteral("155000;288999;0;x"), r).Importable);
    const TTxtImportRules mixed = Rules({Col(K::Latitude, G::DegreesFloat), Col(K::RDX), Col(K::RDY)});
    EXPECT_FALSE(Parse(QStringLiteral("52;155000;463000"), mixed).Importable);
}

TEST(TxtImportLines, SplittingAndCounting) {
    struct Case {
        const char *line;
        QChar sep;
        int n;
        QStringList cells;
    } cases[] = {
        {"a;b", u';', 4, {"a", "b", "", ""}},
        {"a;;b;", u';', 4, {"a", "", "b", ""}},
        {" a ;b", u';', 2, {" a ", "b"}},
        {"a;b;c;d", u';', 2, {"a", "b"}},
        {"a\tb;c", u'\t', 2, {"a", "b;c"}},
        {"a;b,c", QChar(0), 1, {"a;b,c"}},
        {"", u';', 3, {"", "", ""}},
        {"a|b", u'|', 2, {"a", "b"}},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(TxtImportSplitLine(QString::fromUtf8(c.line), c.sep, c.n), c.cells) << c.line;
    }
    // 40 separators: 32 cells, the 32nd holding only its own field.
    QStringList fields;
    for (int i = 0; i <= 40; ++i) fields << QString::number(i);
    const QString wide = fields.join(u',');
    EXPECT_EQ(TxtImportColumnsOfLine(wide, u','), 32);
    const QStringList cells = TxtImportSplitLine(wide, u',', 32);
    ASSERT_EQ(cells.size(), 32);
    EXPECT_EQ(cells.last(), QStringLiteral("31"));
    EXPECT_EQ(TxtImportColumnsOfLine(wide, QChar(0)), 1);
    EXPECT_EQ(TxtImportCountColumns({{QStringLiteral("a;b"), QString()}, {QStringLiteral("a;b;c")}}, u';'), 3);
    EXPECT_EQ(TxtImportCountColumns({{QString()}}, u';'), 1);
    EXPECT_EQ(TxtImportCountColumns({}, u';'), 0);
    EXPECT_EQ(TxtImportCountColumns({{wide}, {QStringLiteral("a")}}, u','), 32);
}

TEST(TxtImportLines, DecodingByMarkUtf8AndCodePage1252) {
    QStringDecoder probe("windows-1252");
    const QString euro = probe.isValid() ? QStringLiteral("€") : QStringLiteral("\u0080");
    struct Case {
        QByteArray bytes;
        QStringList lines;
    } cases[] = {
        {QByteArray("\xEF\xBB\xBFZo\xC3\xAB;1\r\nb"), {QStringLiteral("Zoë;1"), QStringLiteral("b")}},
        {QByteArray("Zo\xC3\xAB"), {QStringLiteral("Zoë")}},
        {QByteArray("Zo\xEB \x80"), {QStringLiteral("Zoë ") + euro}},
        {QByteArray("a\r\nb\rc\nd\n"), {"a", "b", "c", "d"}},
        {QByteArray("a\n\n\nb"), {"a", "", "", "b"}},
        {QByteArray("\r\n\r\n"), {"", ""}},
        {QByteArray(), {}},
    };
    for (const Case &c : cases) {
        QStringList lines;
        int nul = -1;
        EXPECT_TRUE(TxtImportDecodeLines(c.bytes, lines, nul));
        EXPECT_EQ(lines, c.lines) << c.bytes.toStdString();
        EXPECT_EQ(nul, 0);
    }
    // UTF-16 with its mark, both byte orders.
    for (auto enc : {QStringConverter::Utf16LE, QStringConverter::Utf16BE}) {
        QStringEncoder encoder(enc, QStringEncoder::Flag::WriteBom);
        const QByteArray bytes = encoder.encode(QStringLiteral("52,5;Zoë\r\n53;Ä"));
        QStringList lines;
        int nul = 0;
        EXPECT_TRUE(TxtImportDecodeLines(bytes, lines, nul));
        EXPECT_EQ(lines, (QStringList{QStringLiteral("52,5;Zoë"), QStringLiteral("53;Ä")}));
    }
    // A NUL byte is reported with its line instead of cutting the file short.
    QStringList lines;
    int nul = 0;
    EXPECT_FALSE(TxtImportDecodeLines(QByteArray("a\nb\nc\0d\ne", 9), lines, nul));
    EXPECT_EQ(nul, 3);
    EXPECT_TRUE(lines.isEmpty());
}
