#include "exchange/TxtImportLines.h"

#include "base/geodesy/KvGeodetic.h"
#include "base/strings/KvStrUtils.h"
#include "base/units/KvAngles.h"

#include <QStringDecoder>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double Pi = std::numbers::pi;
constexpr double DegToRad = Pi / 180.0;

using Kind = TTxtImportKind;

const TTxtImportColumn &UndefinedColumn() {
    static const TTxtImportColumn column{QString::fromUtf16(TxtFormatKindKey::Undefined), 0, 0};
    return column;
}

bool HasKind(const TTxtImportLine &line, const TTxtImportRules &rules, Kind kind);
bool ReadDistance(const TTxtImportLine &line, const TTxtImportRules &rules, Kind kind,
                  double &valueM);
bool ReadAngle(const TTxtImportLine &line, const TTxtImportRules &rules, Kind kind,
               std::initializer_list<int32_t> formats, double &angleRad);

bool IsWhole(double v) { return std::trunc(v) == v; }

// Angle texts are read alike on every host: a decimal comma is taken as a point.
QString AngleText(const QString &text) {
    QString t = text;
    t.replace(u',', u'.');
    return t;
}

bool ReadAngleText(const QString &text, bool latitude, double &angleRad) {
    const QString t = AngleText(text);
    return latitude ? StrToAngleTryA(angleRad, t, u'N', u'S', 1, 1)
                    : StrToAngleTryA(angleRad, t, u'E', u'W', 2, 1);
}

bool CheckGeoCell(const TTxtImportColumn &column, const QString &text,
                  const TFormatSettings &numbers, bool latitude) {
    double v = 0.0;
    if (column.GeoFormat == TxtFormatGeoFormat::TextAngle) {
        if (!ReadAngleText(text, latitude, v)) return false;
    } else if (!TryTextToFloat(text, v, numbers)) {
        return false;
    }
    return TxtImportCheckGeoRange(v, column.GeoFormat, latitude);
}

bool InRange(const QString &text, const TFormatSettings &numbers, double low, double high) {
    double v = 0.0;
    return TryTextToFloat(text, v, numbers) && v >= low && v <= high;
}

bool DistanceInRange(const TTxtImportColumn &column, const QString &text,
                     const TFormatSettings &numbers, double low) {
    double v = 0.0;
    return TxtFormatTryStrToValue(text, v, column.DistanceUnit, numbers) && v >= low &&
           v <= 10000.0;
}

int CellCount(const TTxtImportLine &line) { return int(line.Cells.size()); }

bool CellValid(const TTxtImportLine &line, int c) {
    return c < int(line.Valid.size()) && line.Valid[size_t(c)];
}

// Whole degrees cannot carry the sign of a position between 0 and -1 degree ("-0"): the
// sign is taken from the degree text itself and put on the composed value.
double SignedDegrees(const QString &degreeText, double composedOfMagnitude) {
    return degreeText.trimmed().startsWith(u'-') ? -composedOfMagnitude : composedOfMagnitude;
}

struct TAngleParts {
    double Value[8] = {};
    QString Text[8];
    bool Used[8] = {};
};

double ComposeAngle(const TAngleParts &p, std::initializer_list<int32_t> formats,
                    bool latitude) {
    using namespace TxtFormatGeoFormat;
    const int32_t first = *formats.begin();
    if (first == Radians) return p.Value[Radians];
    if (first == DegreesFloat) return p.Value[DegreesFloat] * DegToRad;
    if (first == TextAngle) {
        const QString t = AngleText(p.Text[TextAngle]);
        return latitude ? StrToAngleDefA(t, u'N', u'S', 0.0, 1, 1)
                        : StrToAngleDefA(t, u'E', u'W', 0.0, 2, 1);
    }
    const int32_t deg = int32_t(std::abs(std::trunc(p.Value[DegreesInt])));
    double degrees = 0.0;
    if (formats.size() == 2) {
        degrees = DegMinToDeg(deg, p.Value[MinutesFloat]);
    } else {
        degrees = DegMinSecToDeg(deg, int32_t(std::trunc(p.Value[MinutesInt])),
                                 p.Value[SecondsFloat]);
    }
    return SignedDegrees(p.Text[DegreesInt], degrees) * DegToRad;
}

// Both RD coordinates to a position in the program's datum.
void RDToProgramDatum(double x, double y, double &latRad, double &lonRad) {
    static const TProjectionRef rd = [] {
        TProjectionRef ref;
        GeodeticRefInitRD(ref);
        return ref;
    }();
    const TGeodeticGlobals &globals = GeodeticGlobals();
    TGeoPoint geo;
    RDToGeo(geo, x, y, rd);
    TGeoPoint3 p{geo.Lat, geo.Lon, 0.0};
    GeodeticDatumTransform3(p, globals.RDDatum, globals.DefaultDatum);
    latRad = p.Lat;
    lonRad = p.Lon;
}

bool ReadFirstRD(const TTxtImportLine &line, const TTxtImportRules &rules, Kind kind,
                 double &value) {
    for (int c = 0; c < CellCount(line); ++c) {
        if (rules.Column(c).Kind != kind) continue;
        return CellValid(line, c) && TryTextToFloat(line.Cells[c], value, rules.Numbers);
    }
    return false;
}

// The combination is the set of formats the kind's columns have; only that one can read.
bool ReadPosition(const TTxtImportLine &line, const TTxtImportRules &rules, Kind kind,
                  double &angleRad) {
    using namespace TxtFormatGeoFormat;
    unsigned formats = 0;
    for (int c = 0; c < CellCount(line); ++c) {
        const TTxtImportColumn &column = rules.Column(c);
        if (column.Kind == kind && column.GeoFormat >= 1 && column.GeoFormat <= 7)
            formats |= 1u << column.GeoFormat;
    }
    auto bits = [](std::initializer_list<int32_t> f) {
        unsigned m = 0;
        for (int32_t x : f) m |= 1u << x;
        return m;
    };
    for (const auto combination : {std::initializer_list<int32_t>{Radians},
                                   std::initializer_list<int32_t>{DegreesFloat},
                                   std::initializer_list<int32_t>{DegreesInt, MinutesFloat},
                                   std::initializer_list<int32_t>{DegreesInt, MinutesInt, SecondsFloat},
                                   std::initializer_list<int32_t>{TextAngle}}) {
        if (bits(combination) == formats) return ReadAngle(line, rules, kind, combination, angleRad);
    }
    return false;
}

// A kind's distance, or -1 and read when no column has the kind.
bool ReadOptionalDistance(const TTxtImportLine &line, const TTxtImportRules &rules, Kind kind,
                          double &valueM) {
    if (HasKind(line, rules, kind)) return ReadDistance(line, rules, kind, valueM);
    valueM = -1.0;
    return true;
}

QString Decode(const QByteArray &bytes) {
    if (const auto bom = QStringConverter::encodingForData(bytes)) {
        QStringDecoder decoder(*bom);
        return decoder.decode(bytes);
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError()) return text;
    QStringDecoder cp1252("windows-1252");
    if (cp1252.isValid()) return cp1252.decode(bytes);
    return QString::fromLatin1(bytes);
}

}  // namespace

const TTxtImportColumn &TTxtImportRules::Column(int index) const {
    if (index < 0 || index >= int(Columns.size())) return UndefinedColumn();
    return Columns[size_t(index)];
}

int TxtImportColumnsOfLine(const QString &line, QChar separator) {
    if (separator.isNull()) return 1;
    int n = 1;
    for (const QChar c : line) {
        if (c == separator && ++n >= TxtImportMaxColumns) return TxtImportMaxColumns;
    }
    return n;
}

int TxtImportCountColumns(const std::vector<QStringList> &files, QChar separator) {
    int n = 0;
    for (const QStringList &lines : files) {
        for (const QString &line : lines) {
            n = std::max(n, TxtImportColumnsOfLine(line, separator));
            if (n >= TxtImportMaxColumns) return n;
        }
    }
    return n;
}

QStringList TxtImportSplitLine(const QString &line, QChar separator, int n) {
    QStringList cells;
    if (n <= 0) return cells;
    cells.reserve(n);
    qsizetype start = 0;
    if (!separator.isNull()) {
        for (qsizetype i = 0; i < line.size() && cells.size() < n; ++i) {
            if (line[i] != separator) continue;
            cells.append(line.mid(start, i - start));
            start = i + 1;
        }
    }
    if (cells.size() < n) cells.append(line.mid(start));
    while (cells.size() < n) cells.append(QString());
    return cells;
}

bool TxtImportCheckGeoRange(double v, int32_t geoFormat, bool latitude) {
    using namespace TxtFormatGeoFormat;
    const double rad = latitude ? Pi / 2.0 : Pi;
    const double deg = latitude ? 90.0 : 180.0;
    switch (geoFormat) {
    case Radians:
    case TextAngle: return v >= -rad && v <= rad;
    case DegreesInt: return IsWhole(v) && v >= -deg && v <= deg;
    case DegreesFloat: return v >= -deg && v <= deg;
    case MinutesInt: return IsWhole(v) && v >= 0.0 && v < 60.0;
    case MinutesFloat:
    case SecondsFloat: return v >= 0.0 && v < 60.0;
    default: return false;
    }
}

bool TxtImportCheckCell(const TTxtImportColumn &column, const QString &text,
                        const TFormatSettings &numbers) {
    double v = 0.0;
    switch (column.Kind) {
    case Kind::Undefined:
    case Kind::Name:
    case Kind::SubName:
    case Kind::Group:
    case Kind::Type: return true;
    case Kind::Height: return TryTextToFloat(text, v, numbers);
    case Kind::Latitude: return CheckGeoCell(column, text, numbers, true);
    case Kind::Longitude: return CheckGeoCell(column, text, numbers, false);
    case Kind::Proximity: return DistanceInRange(column, text, numbers, 0.0);
    case Kind::Radius: return DistanceInRange(column, text, numbers, 1.0);
    case Kind::RDX: return InRange(text, numbers, -7000.0, 300000.0);
    case Kind::RDY: return InRange(text, numbers, 289000.0, 629000.0);
    default: return false;
    }
}

void TxtImportCheckColumn(TTxtImportLine &line, const TTxtImportRules &rules, int column) {
    if (column < 0 || column >= CellCount(line)) return;
    line.Valid.resize(line.Cells.size(), 0);
    line.Valid[size_t(column)] =
        TxtImportCheckCell(rules.Column(column), line.Cells[column], rules.Numbers);
}

void TxtImportCheckLine(TTxtImportLine &line, const TTxtImportRules &rules) {
    for (int c = 0; c < CellCount(line); ++c) TxtImportCheckColumn(line, rules, c);
}

namespace {

bool HasKind(const TTxtImportLine &line, const TTxtImportRules &rules, Kind kind) {
    for (int c = 0; c < CellCount(line); ++c) {
        if (rules.Column(c).Kind == kind) return true;
    }
    return false;
}

bool ReadDistance(const TTxtImportLine &line, const TTxtImportRules &rules, Kind kind,
                  double &valueM) {
    valueM = -1.0;
    int found = -1;
    for (int c = 0; c < CellCount(line); ++c) {
        if (rules.Column(c).Kind != kind) continue;
        if (found >= 0 || !CellValid(line, c)) return false;
        found = c;
    }
    if (found < 0) return false;
    double v = 0.0;
    if (!TxtFormatTryStrToValue(line.Cells[found], v, rules.Column(found).DistanceUnit,
                                rules.Numbers)) {
        return false;
    }
    valueM = v;
    return true;
}

QString JoinTexts(const TTxtImportLine &line, const TTxtImportRules &rules, Kind kind) {
    QString text;
    for (int c = 0; c < CellCount(line); ++c) {
        if (rules.Column(c).Kind != kind || !CellValid(line, c)) continue;
        text += u' ';
        text += line.Cells[c];
    }
    // Blanks and control characters go at both ends.
    qsizetype b = 0, e = text.size();
    auto blank = [](QChar ch) { return ch.unicode() <= 32 || ch.isSpace(); };
    while (b < e && blank(text[b])) ++b;
    while (e > b && blank(text[e - 1])) --e;
    return b == 0 && e == text.size() ? text : text.mid(b, e - b);
}

bool ReadAngle(const TTxtImportLine &line, const TTxtImportRules &rules, Kind kind,
               std::initializer_list<int32_t> formats, double &angleRad) {
    const bool latitude = kind == Kind::Latitude;
    TAngleParts parts;
    for (int c = 0; c < CellCount(line); ++c) {
        const TTxtImportColumn &column = rules.Column(c);
        if (column.Kind != kind) continue;
        const int32_t f = column.GeoFormat;
        if (std::find(formats.begin(), formats.end(), f) == formats.end()) return false;
        if (f < 1 || f > 7 || parts.Used[f] || !CellValid(line, c)) return false;
        parts.Used[f] = true;
        parts.Text[f] = line.Cells[c];
        if (f != TxtFormatGeoFormat::TextAngle &&
            !TryTextToFloat(line.Cells[c], parts.Value[f], rules.Numbers)) {
            return false;
        }
    }
    for (const int32_t f : formats) {
        if (!parts.Used[f]) return false;
    }
    // Whole degrees with minutes reach past the pole (90 and 59'): no position.
    const double value = ComposeAngle(parts, formats, latitude);
    if (!TxtImportCheckGeoRange(value, TxtFormatGeoFormat::Radians, latitude)) return false;
    angleRad = value;
    return true;
}

}  // namespace

TTxtImportKind TxtImportKindOf(const QString &kindKey) {
    using namespace TxtFormatKindKey;
    static const char16_t *const keys[] = {Undefined, Name,  Latitude, Longitude, SubName, Proximity,
                                           Group,     Type,  RDX,      RDY,       Radius,  Height};
    for (size_t i = 0; i < std::size(keys); ++i) {
        if (kindKey == QStringView(keys[i])) return Kind(i);
    }
    return Kind::Unknown;
}

bool TxtImportReadKindDistance(const TTxtImportLine &line, const TTxtImportRules &rules,
                               const QString &kindKey, double &valueM) {
    return ReadDistance(line, rules, TxtImportKindOf(kindKey), valueM);
}

QString TxtImportJoinKindTexts(const TTxtImportLine &line, const TTxtImportRules &rules,
                               const QString &kindKey) {
    return JoinTexts(line, rules, TxtImportKindOf(kindKey));
}

bool TxtImportReadKindAngle(const TTxtImportLine &line, const TTxtImportRules &rules,
                            const QString &kindKey, std::initializer_list<int32_t> formats,
                            double &angleRad) {
    return ReadAngle(line, rules, TxtImportKindOf(kindKey), formats, angleRad);
}

void TxtImportBuildItem(TTxtImportLine &line, const TTxtImportRules &rules) {
    line.Importable = false;
    TPointData &item = line.Item;
    item.GroupName = JoinTexts(line, rules, Kind::Group);
    if (!ReadDistance(line, rules, Kind::Height, item.HeightM)) item.HeightM = 0.0;
    double lat = 0.0, lon = 0.0;
    bool latRead = ReadPosition(line, rules, Kind::Latitude, lat);
    bool lonRead = ReadPosition(line, rules, Kind::Longitude, lon);
    double rdY = 0.0, rdX = 0.0;
    const bool rdYRead = !latRead && ReadFirstRD(line, rules, Kind::RDY, rdY);
    const bool rdXRead = !lonRead && ReadFirstRD(line, rules, Kind::RDX, rdX);
    if (rdYRead && rdXRead) {
        RDToProgramDatum(rdX, rdY, lat, lon);
        item.HeightM = 0.0;
        // A grid pair the projection cannot convert gives no position.
        latRead = lonRead = TxtImportCheckGeoRange(lat, TxtFormatGeoFormat::Radians, true) &&
                            TxtImportCheckGeoRange(lon, TxtFormatGeoFormat::Radians, false);
    }
    item.LatitudeRad = lat;
    item.LongitudeRad = lon;
    item.Name = JoinTexts(line, rules, Kind::Name);
    const bool proximityRead = ReadOptionalDistance(line, rules, Kind::Proximity, item.ProximityM);
    const bool radiusRead = ReadOptionalDistance(line, rules, Kind::Radius, item.RadiusM);
    item.SubName = JoinTexts(line, rules, Kind::SubName);
    item.TypeName = JoinTexts(line, rules, Kind::Type);
    const bool third = rules.ProfileKind == TxtFormatProfileKind::Route ? radiusRead
                                                                        : proximityRead;
    line.Importable = latRead && lonRead && third;
}

void TxtImportParseLine(TTxtImportLine &line, const QString &text, const TTxtImportRules &rules,
                        int n) {
    line.Cells = TxtImportSplitLine(text, rules.FieldSeparator, n);
    line.Valid.assign(line.Cells.size(), 0);
    TxtImportCheckLine(line, rules);
    TxtImportBuildItem(line, rules);
}

bool TxtImportDecodeLines(const QByteArray &bytes, QStringList &lines, int &nulLine) {
    lines.clear();
    nulLine = 0;
    const QString text = Decode(bytes);
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i <= n; ++i) {
        const QChar c = i < n ? text[i] : QChar(u'\n');
        if (c.isNull()) {
            nulLine = int(lines.size()) + 1;
            lines.clear();
            return false;
        }
        if (c != u'\n' && c != u'\r') continue;
        if (i < n || start < n) lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n') ++i;
        start = i + 1;
    }
    return true;
}
