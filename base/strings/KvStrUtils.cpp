#include "KvStrUtils.h"

#include "base/kvlib/KvErrors.h"
#include "base/kvlib/KvStrings.h"

#include <KvLibNav6/KvStrUtils.h>

#include <QFileInfo>
#include <QFontMetrics>
#include <cmath>
#include <limits>

// --- Cursor parser ------------------------------------------------------------------------

bool CharInStr(QChar ch, const QString &chars) { return chars.contains(ch); }

bool IsDigitChar(QChar ch) { return ch >= u'0' && ch <= u'9'; }

bool IsAlphaNumChar(QChar ch) {
    return IsDigitChar(ch) || (ch >= u'A' && ch <= u'Z') || (ch >= u'a' && ch <= u'z');
}

bool SkipBlanks(const QChar *&cursor) {
    const QChar *start = cursor;
    while (cursor->unicode() >= 1 && cursor->unicode() <= 32) ++cursor;
    return cursor != start;
}

namespace {

// Digits of one base into value; false on a bad digit or a value beyond `limit`.
bool DigitsToNumber(const QChar *p, const QChar *end, int base, uint64_t limit, uint64_t &value) {
    if (p == end) return false;
    value = 0;
    for (; p != end; ++p) {
        int d;
        const char16_t c = p->unicode();
        if (c >= u'0' && c <= u'9') d = c - u'0';
        else if (base == 16 && c >= u'a' && c <= u'f') d = c - u'a' + 10;
        else if (base == 16 && c >= u'A' && c <= u'F') d = c - u'A' + 10;
        else return false;
        value = value * uint64_t(base) + uint64_t(d);
        if (value > limit) return false;
    }
    return true;
}

}  // namespace

bool ParseInteger(const QChar *&cursor, bool allowHex, int32_t &value) {
    const QChar *p = cursor;
    if (allowHex && *p == u'$') {
        const QChar *start = ++p;
        while (IsAlphaNumChar(*p)) ++p;
        uint64_t v;
        if (!DigitsToNumber(start, p, 16, 0xFFFFFFFFu, v)) return false;
        value = int32_t(uint32_t(v));  // "$FFFFFFFF" is -1, as 32-bit hexadecimal reads
        cursor = p;
        return true;
    }
    const bool negative = *p == u'-';
    if (*p == u'+' || *p == u'-') ++p;
    const QChar *start = p;
    while (IsDigitChar(*p)) ++p;
    uint64_t v;
    if (!DigitsToNumber(start, p, 10, negative ? 2147483648u : 2147483647u, v)) return false;
    value = negative ? int32_t(-int64_t(v)) : int32_t(v);
    cursor = p;
    return true;
}

bool ParseToken(const QChar *&cursor, QString &token, const QString &delimiters) {
    const QChar *start = cursor;
    while (!cursor->isNull() && !delimiters.contains(*cursor)) ++cursor;
    token = QString(start, cursor - start);
    return cursor != start;
}

// --- Degrees ------------------------------------------------------------------------------

double DegMinSecToDeg(int32_t deg, int32_t min, double sec) {
    return deg < 0 ? deg - min / 60.0 - sec / 3600.0 : deg + min / 60.0 + sec / 3600.0;
}

double DegMinToDeg(int32_t deg, double min) { return deg < 0 ? deg - min / 60.0 : deg + min / 60.0; }

// --- GUIDs --------------------------------------------------------------------------------

namespace {

// The GUID's 16 bytes as four little-endian 32-bit words, as they lie in memory.
void GUIDWords(const TGUID &g, uint32_t w[4]) {
    w[0] = g.D1;
    w[1] = uint32_t(g.D2) | uint32_t(g.D3) << 16;
    for (int i = 0; i < 2; ++i)
        w[2 + i] = uint32_t(g.D4[4 * i]) | uint32_t(g.D4[4 * i + 1]) << 8 |
                   uint32_t(g.D4[4 * i + 2]) << 16 | uint32_t(g.D4[4 * i + 3]) << 24;
}

}  // namespace

int CompareGUID(const TGUID &a, const TGUID &b) {
    uint32_t wa[4], wb[4];
    GUIDWords(a, wa);
    GUIDWords(b, wb);
    for (int i = 3; i >= 0; --i) {
        if (wa[i] < wb[i]) return -1;
        if (wa[i] > wb[i]) return 1;
    }
    return 0;
}

QString GUIDToStr(const TGUID &g) {
    QString s = QStringLiteral("{%1-%2-%3-").arg(g.D1, 8, 16, QChar(u'0'))
                    .arg(g.D2, 4, 16, QChar(u'0')).arg(g.D3, 4, 16, QChar(u'0'));
    for (int i = 0; i < 8; ++i) {
        if (i == 2) s += u'-';
        s += QStringLiteral("%1").arg(g.D4[i], 2, 16, QChar(u'0'));
    }
    s += u'}';
    return s.toUpper();
}

bool TryStrToGUID(const QString &text, TGUID &guid) {
    if (text.isEmpty()) {
        guid = GUID_NULL;
        return true;
    }
    // {8-4-4-4-12}: 38 characters, hyphens at 9, 14, 19, 24.
    if (text.size() != 38 || text.front() != u'{' || text.back() != u'}') return false;
    for (int pos : {9, 14, 19, 24})
        if (text.at(pos) != u'-') return false;
    const QChar *d = text.constData();
    uint64_t d1, d2, d3, b;
    if (!DigitsToNumber(d + 1, d + 9, 16, 0xFFFFFFFFu, d1) ||
        !DigitsToNumber(d + 10, d + 14, 16, 0xFFFF, d2) ||
        !DigitsToNumber(d + 15, d + 19, 16, 0xFFFF, d3))
        return false;
    TGUID g;
    g.D1 = uint32_t(d1);
    g.D2 = uint16_t(d2);
    g.D3 = uint16_t(d3);
    static constexpr int bytePos[8] = {20, 22, 25, 27, 29, 31, 33, 35};
    for (int i = 0; i < 8; ++i) {
        if (!DigitsToNumber(d + bytePos[i], d + bytePos[i] + 2, 16, 0xFF, b)) return false;
        g.D4[i] = uint8_t(b);
    }
    guid = g;
    return true;
}

void StrToGUID(const QString &text, TGUID &guid) {
    if (!TryStrToGUID(text, guid))
        throw EConvertError(QStringLiteral("StrToGUID: Cannot convert string to GUID"));
}

TGUID StrToGUID(const QString &text) {
    TGUID g;
    StrToGUID(text, g);
    return g;
}

// --- Versions -----------------------------------------------------------------------------

int32_t MakeVersion(uint8_t major, uint8_t minor, uint8_t release, uint8_t build) {
    return int32_t(uint32_t(major) << 24 | uint32_t(minor) << 16 | uint32_t(release) << 8 | build);
}

QString VersionToStr(int32_t version, int parts) {
    QString s;
    const uint32_t v = uint32_t(version);
    for (int i = 0; i < std::min(parts, 4); ++i) {
        if (i > 0) s += u'.';
        s += QString::number((v >> (24 - 8 * i)) & 0xFF);
    }
    return s;
}

int32_t StrToVersion(const QString &text) {
    const auto fail = [] {
        return EConvertError(QStringLiteral("StrToVersion: Invalid version number."));
    };
    const QChar *p = text.constData();
    auto parsePart = [&]() {
        SkipBlanks(p);
        int32_t n;
        if (!ParseInteger(p, false, n) || n < 0 || n > 255) throw fail();
        return uint8_t(n);
    };
    uint8_t part[4] = {};
    part[0] = parsePart();
    int count = 1;
    while (!p->isNull() && count < 4) {
        SkipBlanks(p);
        if (*p != u'.') throw fail();
        ++p;
        part[count++] = parsePart();
    }
    return MakeVersion(part[0], part[1], part[2], part[3]);
}

// --- Numbers ------------------------------------------------------------------------------

bool TryStrToInt(const QString &text, int32_t &value) {
    const QChar *p = text.constData();
    SkipBlanks(p);
    if (p[0] == u'0' && (p[1] == u'x' || p[1] == u'X')) {
        const QChar *start = p + 2;
        const QChar *end = text.constData() + text.size();
        uint64_t v;
        if (!DigitsToNumber(start, end, 16, 0xFFFFFFFFu, v)) return false;
        value = int32_t(uint32_t(v));
        return true;
    }
    int32_t v;
    if (!ParseInteger(p, true, v) || !p->isNull()) return false;
    value = v;
    return true;
}

bool TryStrToIntRange(const QString &text, int32_t min, int32_t max, int32_t &value) {
    if (text.isEmpty() || !TryStrToInt(text, value)) return false;
    return min <= value && value <= max;
}

bool TryStrToFloatRange(const QString &text, double &value, const TFormatSettings &fs,
                        double min, double max) {
    if (!TryTextToFloat(text, value, fs)) return false;
    return min <= value && value <= max;
}

QString SizeToStr(int64_t size, int32_t units, int decimals, bool minimum) {
    if ((units & 0x1F) == 0) units = 0x1F;
    const auto allowed = [units](int bit) { return (units & (1 << bit)) != 0; };
    const auto above = [units](int bit) { return (units & ~((2 << bit) - 1) & 0x1F) != 0; };
    int unit;
    if (allowed(0) && (size < 1024 || !above(0))) unit = 0;
    else if (allowed(1) && (size < (int64_t(1) << 20) || !above(1))) unit = 1;
    else if (allowed(2) && (size < (int64_t(1) << 30) || !above(2))) unit = 2;
    else if (allowed(3) && (size < (int64_t(1) << 40) || !allowed(4))) unit = 3;
    else unit = 4;
    if (unit == 0) return QString::number(size) + QStringLiteral(" bytes");
    double value = double(size) / std::ldexp(1.0, 10 * unit);
    decimals = std::max(decimals, 0);
    const double smallest = std::pow(10.0, -decimals);
    if (minimum && size > 0 && value < smallest) value = smallest;
    static const char *const names[] = {"", "KB", "MB", "GB", "TB"};
    return FloatToStrFixed(value, 15, decimals, UserFormatSettings()) + u' ' +
           QLatin1String(names[unit]);
}

QString SizeToStr2(int32_t units, int32_t decimals, int32_t flag1, int32_t flag2, int64_t size) {
    TStrWOut out;
    _SizeToStr2(out.get(), size, units, decimals, flag1, flag2);
    return out.Text();
}

QString DurationToStr(int64_t seconds, int32_t parts, bool showZero, const QString &daySuffix,
                      const QString &hourSuffix, const QString &minuteSuffix,
                      const QString &secondSuffix) {
    if (seconds < 0) {
        // The size of the most negative Int64 does not fit: clamp it one second smaller.
        const int64_t size = seconds == std::numeric_limits<int64_t>::min()
                                 ? std::numeric_limits<int64_t>::max() : -seconds;
        const QString text = DurationToStr(size, parts, showZero, daySuffix, hourSuffix,
                                           minuteSuffix, secondSuffix);
        return text.isEmpty() ? text : u'-' + text;
    }
    QString result;
    int64_t rest = seconds;
    const auto part = [&](int32_t flag, int64_t unitSeconds, const QString &suffix, bool pad) {
        if (!(parts & flag)) return;
        const int64_t n = rest / unitSeconds;
        rest -= n * unitSeconds;
        if (n == 0 && !showZero) return;
        if (!result.isEmpty()) {
            result += u' ';
            if (pad && n < 10) result += u'0';
        }
        result += QString::number(n) + suffix;
    };
    part(KvDuration::Days, 86400, daySuffix, false);
    part(KvDuration::Hours, 3600, hourSuffix, false);
    part(KvDuration::Minutes, 60, minuteSuffix, true);
    if (parts & KvDuration::Seconds) {
        if (!result.isEmpty()) {
            result += u' ';
            if (rest < 10) result += u'0';
        }
        result += QString::number(rest) + secondSuffix;
    }
    return result;
}

QString FormatFloatValue(double value, int32_t i1, int32_t i2, int32_t i3) {
    TStrWOut out;
    _FloatToStr1(out.get(), value, i1, i2, i3);
    return out.Text();
}

bool TryParseFloat(double &value, const QString &text, int32_t flag) {
    return StrToFloatTry(value, StrW(text), flag);
}

// --- Strings ------------------------------------------------------------------------------

namespace {

// The standard trim: characters up to and including the blank at both ends.
QString TrimBlanks(const QString &s) {
    qsizetype b = 0, e = s.size();
    while (b < e && s.at(b).unicode() <= 32) ++b;
    while (e > b && s.at(e - 1).unicode() <= 32) --e;
    return s.mid(b, e - b);
}

// HTML 4 names of the Latin-1 characters $A1..$FF.
const char *const Latin1Entities[0xFF - 0xA1 + 1] = {
    "iexcl",  "cent",   "pound",  "curren", "yen",    "brvbar", "sect",   "uml",
    "copy",   "ordf",   "laquo",  "not",    "shy",    "reg",    "macr",   "deg",
    "plusmn", "sup2",   "sup3",   "acute",  "micro",  "para",   "middot", "cedil",
    "sup1",   "ordm",   "raquo",  "frac14", "frac12", "frac34", "iquest", "Agrave",
    "Aacute", "Acirc",  "Atilde", "Auml",   "Aring",  "AElig",  "Ccedil", "Egrave",
    "Eacute", "Ecirc",  "Euml",   "Igrave", "Iacute", "Icirc",  "Iuml",   "ETH",
    "Ntilde", "Ograve", "Oacute", "Ocirc",  "Otilde", "Ouml",   "times",  "Oslash",
    "Ugrave", "Uacute", "Ucirc",  "Uuml",   "Yacute", "THORN",  "szlig",  "agrave",
    "aacute", "acirc",  "atilde", "auml",   "aring",  "aelig",  "ccedil", "egrave",
    "eacute", "ecirc",  "euml",   "igrave", "iacute", "icirc",  "iuml",   "eth",
    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   "divide", "oslash",
    "ugrave", "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml"};

}  // namespace

TDynStringArray SplitString(const QString &text, QChar delimiter) {
    TDynStringArray items;
    QString rest = text;
    qsizetype at;
    while ((at = rest.indexOf(delimiter)) >= 0) {
        items.push_back(rest.left(at));
        rest = TrimBlanks(rest.mid(at + 1));
    }
    items.push_back(rest);
    return items;
}

QString HTMLEncode(const QString &text) {
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        const char16_t u = c.unicode();
        switch (u) {
        case u'&': out += QLatin1String("&amp;"); break;
        case u'"': out += QLatin1String("&quot;"); break;
        case u'<': out += QLatin1String("&lt;"); break;
        case u'>': out += QLatin1String("&gt;"); break;
        case u'\'': out += QLatin1String("&#39;"); break;
        default:
            if (u >= 0xA1 && u <= 0xFF)
                out += u'&' + QLatin1String(Latin1Entities[u - 0xA1]) + u';';
            else
                out += c;
        }
    }
    return out;
}

bool IsValidEmailAddress(const QString &text) {
    const qsizetype at = text.indexOf(u'@');
    if (at <= 0 || text.contains(QLatin1String(".."))) return false;
    const QString local = text.left(at);
    const QString domain = text.mid(at + 1);
    if (local.startsWith(u'.') || local.endsWith(u'.')) return false;
    // A second "@" would hand the text to a different host than the one checked here.
    if (domain.contains(u'@')) return false;
    if (domain.indexOf(u'.', 1) < 0 || domain.startsWith(u'.')) return false;
    const QChar *p = domain.constData();
    QString label;
    for (;;) {
        ParseToken(p, label, QStringLiteral("."));
        if (p->isNull()) break;
        ++p;  // over the "."
    }
    return label.size() >= 2;
}

QString FileNameReplaceInvalidChars(const QString &name) {
    TStrWOut out;
    _FileNameReplaceInvalidChars(out.get(), StrW(name));
    return out.Text();
}

QString InsertTildeBeforeFileExt(const QString &name) {
    TStrWOut out;
    _InsertTildeBeforeFileExt(StrW(name), out.get());
    return out.Text();
}

int StrCompareByTrailingNumberA(const QString &a, const QString &b) {
    return StrCompareByTrailingNumber(StrW(a), StrW(b));
}

int StrCompareByTrailingNumberI(const QString &a, const QString &b) {
    return StrCompareByTrailingNumberA(a.toUpper(), b.toUpper());
}

namespace {

// One folder less: "/a/b/" → "/.../b/", "/.../b/" → "/.../", ".../" → "".
QString RemoveOneFolder(QString path, QChar sep) {
    const QString ellipsis = QStringLiteral("...") + sep;
    if (path == QString(sep)) return QString();
    const bool rooted = path.startsWith(sep);
    if (rooted) path.remove(0, 1);
    if (path.startsWith(ellipsis)) path.remove(0, ellipsis.size());
    const qsizetype at = path.indexOf(sep);
    path = at < 0 ? QString() : ellipsis + path.mid(at + 1);
    if (rooted) path.prepend(sep);
    return path;
}

}  // namespace

QString ShortenFileName(const QString &fileName, const std::function<int(const QString &)> &width,
                        int maxWidth) {
    QString drive;
    QString rest = fileName;
    if (rest.size() >= 2 && rest.at(1) == u':' && rest.at(0).isLetter()) {
        drive = rest.left(2);
        rest.remove(0, 2);
    }
    const QChar sep = (!drive.isEmpty() || !rest.contains(u'/')) ? QChar(u'\\') : QChar(u'/');
    const qsizetype cut = rest.lastIndexOf(sep) + 1;
    QString path = rest.left(cut);
    const QString name = rest.mid(cut);
    const QString rootedEllipsis = sep + QStringLiteral("...") + sep;
    QString result = fileName;
    while ((!path.isEmpty() || !drive.isEmpty()) && width(result) > maxWidth) {
        if (path == rootedEllipsis) {
            drive.clear();
            path = QStringLiteral("...") + sep;
        } else if (!path.isEmpty()) {
            path = RemoveOneFolder(path, sep);
        } else {
            drive.clear();
        }
        result = drive + path + name;
    }
    return result;
}

QString ShortenFileName(const QString &fileName, const QFontMetrics &metrics, int maxWidth) {
    return ShortenFileName(
        fileName, [&metrics](const QString &s) { return metrics.horizontalAdvance(s); }, maxWidth);
}

bool FolderExists(const QString &path) { return !path.isEmpty() && QFileInfo(path).isDir(); }
