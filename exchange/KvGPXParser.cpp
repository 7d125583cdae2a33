#include "exchange/KvGPXParser.h"

#include <QIODevice>
#include <QXmlStreamReader>
#include <cmath>

namespace {

constexpr double DegToRad = 0.017453292519943295;
constexpr qint64 ChunkSize = 256 * 1024;
// No token of a sane GPX file comes near this.
constexpr qint64 MaxBytesWithoutToken = 8 * 1024 * 1024;

bool Is(QStringView name, QLatin1StringView what) { return name.compare(what, Qt::CaseInsensitive) == 0; }

// ---- Time texts ---------------------------------------------------------------------------

// A decimal integer with an optional sign at pos; False when there is no digit.
bool ReadInt(QStringView s, qsizetype &pos, int &value) {
    bool negative = false;
    if (pos < s.size() && (s[pos] == u'+' || s[pos] == u'-')) negative = s[pos++] == u'-';
    const qsizetype start = pos;
    long long v = 0;
    while (pos < s.size() && s[pos].isDigit() && s[pos].unicode() < 128) {
        v = v * 10 + (s[pos++].unicode() - u'0');
        if (v > 100000000) return false;
    }
    if (pos == start) return false;
    value = int(negative ? -v : v);
    return true;
}

bool Skip(QStringView s, qsizetype &pos, char16_t c) {
    if (pos < s.size() && s[pos] == c) {
        ++pos;
        return true;
    }
    return false;
}

bool LeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && LeapYear(y) ? 29 : days[m - 1];
}

// Days from 1899-12-30 (the date-time origin) to y-m-d of the proleptic Gregorian calendar.
long long DaysFromOrigin(int y, int m, int d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153LL * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468 + 25569;  // 1970-01-01 is day 25569
}

// ---- The reader ----------------------------------------------------------------------

class TParser {
public:
    TParser(QIODevice &device, uint8_t options, const TGPXHandlers &handlers,
            const std::function<void(int64_t)> &progress)
        : FDevice(device), FOptions(options), FHandlers(handlers), FProgress(progress) {
        // Entities are never looked up outside the document.
        FXml.setNamespaceProcessing(true);
    }

    TGPXParseResult Run();

private:
    bool Next();  // the next token; False at the end or on an error
    bool Fail(const QString &reason);
    void SkipElement();
    QString ElementText();
    bool ReadPosition(double &lat, double &lon);
    void ReadWaypoint();
    void ReadRoute();
    void ReadTrack(bool fromRoute);
    void ReadTrackSegment(TGPXTrack &track);
    void AddTrackPoint(TGPXTrack &track, double lat, double lon, const QString &time);
    // Children of the current element by exact name: name, desc, cmt, ele, time.
    struct TChildren {
        QString Name, Desc, Cmt, Ele, Time;
        bool HaveName = false, HaveDesc = false, HaveCmt = false, HaveEle = false, HaveTime = false;
    };
    void ReadChildren(TChildren &children);

    QIODevice &FDevice;
    uint8_t FOptions;
    const TGPXHandlers &FHandlers;
    const std::function<void(int64_t)> &FProgress;
    QXmlStreamReader FXml;
    qint64 FBytesRead = 0;
    qint64 FBytesSinceToken = 0;
    QString FError;
    int64_t FErrorLine = 0;
};

bool TParser::Fail(const QString &reason) {
    if (FError.isEmpty()) {
        FError = reason;
        FErrorLine = FXml.lineNumber();
    }
    return false;
}

bool TParser::Next() {
    if (!FError.isEmpty()) return false;
    for (;;) {
        const QXmlStreamReader::TokenType token = FXml.readNext();
        if (token == QXmlStreamReader::Invalid) {
            if (FXml.error() != QXmlStreamReader::PrematureEndOfDocumentError) return Fail(FXml.errorString());
            if (FDevice.atEnd()) return Fail(FXml.errorString());
            const QByteArray chunk = FDevice.read(ChunkSize);
            if (chunk.isEmpty()) return Fail(FXml.errorString());
            FBytesRead += chunk.size();
            FBytesSinceToken += chunk.size();
            if (FBytesSinceToken > MaxBytesWithoutToken)
                return Fail(QStringLiteral("An XML token exceeds %1 MB").arg(MaxBytesWithoutToken >> 20));
            if (FProgress) FProgress(FBytesRead);
            FXml.addData(chunk);
            continue;
        }
        FBytesSinceToken = 0;
        if (token == QXmlStreamReader::DTD && !FXml.entityDeclarations().isEmpty())
            return Fail(QStringLiteral("The document declares entities"));
        return token != QXmlStreamReader::EndDocument;
    }
}

void TParser::SkipElement() {
    int depth = 1;
    while (depth > 0 && Next()) {
        if (FXml.isStartElement()) ++depth;
        else if (FXml.isEndElement()) --depth;
    }
}

QString TParser::ElementText() {
    // The text directly inside the element; nested elements are skipped.
    QString text;
    int depth = 1;
    while (depth > 0 && Next()) {
        if (FXml.isStartElement()) ++depth;
        else if (FXml.isEndElement()) --depth;
        else if (depth == 1 && FXml.isCharacters()) text += FXml.text();
    }
    return text;
}

bool TParser::ReadPosition(double &lat, double &lon) {
    const QXmlStreamAttributes attributes = FXml.attributes();
    bool okLat = false, okLon = false;
    const double la = attributes.value(QLatin1StringView("lat")).trimmed().toDouble(&okLat);
    const double lo = attributes.value(QLatin1StringView("lon")).trimmed().toDouble(&okLon);
    if (!okLat || !okLon || !(std::fabs(la) <= 90.0) || !(std::fabs(lo) <= 180.0))
        return Fail(QStringLiteral("Bad coordinate in <%1>").arg(FXml.name()));
    lat = la * DegToRad;
    lon = lo * DegToRad;
    return true;
}

void TParser::ReadChildren(TChildren &c) {
    while (Next()) {
        if (FXml.isEndElement()) return;
        if (!FXml.isStartElement()) continue;
        const QStringView name = FXml.name();
        auto take = [this](QString &text, bool &have) {
            const QString t = ElementText();
            if (!have) text = t;  // the first child of that name counts
            have = true;
        };
        if (name == u"name") take(c.Name, c.HaveName);
        else if (name == u"desc") take(c.Desc, c.HaveDesc);
        else if (name == u"cmt") take(c.Cmt, c.HaveCmt);
        else if (name == u"ele") take(c.Ele, c.HaveEle);
        else if (name == u"time") take(c.Time, c.HaveTime);
        else SkipElement();
    }
}

double Height(const QString &text) {
    bool ok = false;
    const double v = QStringView(text).trimmed().toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0.0;
}

void TParser::ReadWaypoint() {
    TGPXWaypoint w;
    if (!ReadPosition(w.Lat, w.Lon)) return;
    TChildren c;
    ReadChildren(c);
    if (!FError.isEmpty()) return;
    w.Ele = Height(c.Ele);
    w.Name = GPXCutName(c.Name);
    w.SubName = GPXCutName(c.Desc.isEmpty() ? c.Cmt : c.Desc);
    if (!ParseISODateTime(c.Time, w.Time)) w.Time = 0.0;
    if (FHandlers.Waypoint) FHandlers.Waypoint(std::move(w));
}

void TParser::ReadRoute() {
    TGPXRoute route;
    while (Next()) {
        if (FXml.isEndElement()) break;
        if (!FXml.isStartElement()) continue;
        const QStringView name = FXml.name();
        if (Is(name, QLatin1StringView("name"))) {
            route.Name = ElementText();
        } else if (Is(name, QLatin1StringView("rtept"))) {
            TGPXRoutePoint p;
            if (!ReadPosition(p.Lat, p.Lon)) return;
            TChildren c;
            ReadChildren(c);
            p.Ele = Height(c.Ele);
            p.Name = c.Name;
            route.Points.push_back(std::move(p));
        } else {
            SkipElement();
        }
    }
    if (FError.isEmpty() && FHandlers.Route) FHandlers.Route(std::move(route));
}

void TParser::AddTrackPoint(TGPXTrack &track, double lat, double lon, const QString &time) {
    // The first point decides whether the track carries times.
    if (track.Points.empty()) track.HasTimes = !track.FromRoute && !time.isEmpty();
    double t = 0.0;
    if (track.HasTimes && !ParseISODateTime(time, t)) {
        ++track.DroppedPoints;
        return;
    }
    track.Points.push_back({t, lat, lon});
}

void TParser::ReadTrackSegment(TGPXTrack &track) {
    while (Next()) {
        if (FXml.isEndElement()) return;
        if (!FXml.isStartElement()) continue;
        if (!Is(FXml.name(), QLatin1StringView("trkpt"))) {
            SkipElement();
            continue;
        }
        double lat = 0.0, lon = 0.0;
        if (!ReadPosition(lat, lon)) return;
        TChildren c;
        ReadChildren(c);
        if (!FError.isEmpty()) return;
        AddTrackPoint(track, lat, lon, c.Time);
    }
}

void TParser::ReadTrack(bool fromRoute) {
    TGPXTrack track;
    track.FromRoute = fromRoute;
    while (Next()) {
        if (FXml.isEndElement()) break;
        if (!FXml.isStartElement()) continue;
        const QStringView name = FXml.name();
        if (Is(name, QLatin1StringView("name"))) {
            const QString text = ElementText();
            if (!text.isEmpty()) track.Name = GPXCutName(text);
        } else if (Is(name, QLatin1StringView("trkseg"))) {
            ReadTrackSegment(track);
        } else if (Is(name, QLatin1StringView("rtept"))) {
            double lat = 0.0, lon = 0.0;
            if (!ReadPosition(lat, lon)) return;
            SkipElement();
            if (track.Points.empty()) track.HasTimes = false;
            track.Points.push_back({0.0, lat, lon});
        } else {
            SkipElement();
        }
    }
    if (FError.isEmpty() && FHandlers.Track) FHandlers.Track(std::move(track));
}

TGPXParseResult TParser::Run() {
    TGPXParseResult result;
    // The root element.
    while (Next() && !FXml.isStartElement()) {
    }
    if (FError.isEmpty() && !FXml.isStartElement()) Fail(QStringLiteral("The file holds no XML element"));
    if (FError.isEmpty() && Is(FXml.name(), QLatin1StringView("gpx"))) {
        result.IsGPX = true;
        const bool routesAsTracks =
            (FOptions & GPXOption::RoutesAsTracks) && (FOptions & GPXOption::Tracks);
        while (Next()) {
            if (FXml.isEndElement()) break;
            if (!FXml.isStartElement()) continue;
            const QStringView name = FXml.name();
            if (Is(name, QLatin1StringView("wpt")) && (FOptions & GPXOption::Waypoints)) ReadWaypoint();
            else if (Is(name, QLatin1StringView("rte")) && routesAsTracks) ReadTrack(true);
            else if (Is(name, QLatin1StringView("rte")) && (FOptions & GPXOption::RoutesAsRoutes)) ReadRoute();
            else if (Is(name, QLatin1StringView("trk")) && (FOptions & GPXOption::Tracks)) ReadTrack(false);
            else SkipElement();
        }
    }
    // The rest of the document must be well formed too: a cut file is not half read.
    while (FError.isEmpty() && Next()) {
    }
    result.Ok = FError.isEmpty();
    result.Error = FError;
    result.Line = FErrorLine;
    return result;
}

}  // namespace

TGPXParseResult GPXParse(QIODevice &device, uint8_t options, const TGPXHandlers &handlers,
                         const std::function<void(int64_t)> &progress) {
    TParser parser(device, options, handlers, progress);
    return parser.Run();
}

bool ParseISODateTime(QStringView s, double &dateTime) {
    qsizetype pos = 0;
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, sec = 0;
    if (!ReadInt(s, pos, y) || !Skip(s, pos, u'-') || !ReadInt(s, pos, mo) || !Skip(s, pos, u'-') ||
        !ReadInt(s, pos, d) || !Skip(s, pos, u'T') || !ReadInt(s, pos, h) || !Skip(s, pos, u':') ||
        !ReadInt(s, pos, mi) || !Skip(s, pos, u':') || !ReadInt(s, pos, sec))
        return false;
    if (y < 1 || y > 9999 || mo < 1 || mo > 12 || d < 1 || d > DaysInMonth(y, mo) || h < 0 || h > 23 || mi < 0 ||
        mi > 59 || sec < 0 || sec > 59)
        return false;
    int ms = 0;
    if (Skip(s, pos, u'.')) {
        int digits = 0;
        while (pos < s.size() && s[pos].isDigit() && s[pos].unicode() < 128) {
            if (digits < 3) ms = ms * 10 + (s[pos].unicode() - u'0');
            ++digits;
            ++pos;
        }
        for (int i = digits; i < 3; ++i) ms *= 10;
    }
    int offsetMinutes = 0;
    if (pos < s.size() && (s[pos] == u'+' || s[pos] == u'-')) {
        const int sign = s[pos++] == u'-' ? -1 : 1;
        int oh = 0, om = 0;
        const qsizetype start = pos;
        if (!ReadInt(s, pos, oh) || pos - start != 2 || oh > 23) return false;
        if (Skip(s, pos, u':') && (!ReadInt(s, pos, om) || om < 0 || om > 59)) return false;
        offsetMinutes = sign * (oh * 60 + om);
    }
    // "Z", or nothing: UTC. Whatever follows is not looked at.
    const double seconds = h * 3600.0 + mi * 60.0 + sec + ms / 1000.0 - offsetMinutes * 60.0;
    dateTime = double(DaysFromOrigin(y, mo, d)) + seconds / 86400.0;
    return true;
}

QString GPXCutName(const QString &text) {
    if (text.size() <= 255) return text;
    qsizetype n = 255;
    if (text[n - 1].isHighSurrogate()) --n;
    return text.left(n);
}
