// Text helpers for names, sizes and numbers.
#include "kernel/KvInternal.h"
#include "KvLibNav6/KvTracks.h"
#include "KvLibNav6/KvStrUtils.h"
#include "KvLibNav6/KvWaypoints.h"

#include <QLocale>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

namespace {

QChar UserDecimalSeparator() {
    const QString dec = QLocale().decimalPoint();
    return dec.isEmpty() ? QChar(u'.') : dec.at(0);
}

// Fixed notation with exactly `decimals` decimals; printf rounds the binary value
// correctly, which is what a size or a measured value needs.
QString Fixed(double value, int decimals, QChar decimalSeparator) {
    QString s = QString::number(value, 'f', std::clamp(decimals, 0, 15));
    const bool nonZero = std::any_of(s.begin(), s.end(), [](QChar c) { return c >= u'1' && c <= u'9'; });
    if (s.startsWith(u'-') && !nonZero) s.remove(0, 1);  // "-0.0" reads as an error to users
    if (decimalSeparator != u'.') s.replace(u'.', decimalSeparator);
    return s;
}

bool IsInvalidFileNameChar(char16_t c) {
    return c < 32 || c == u'\\' || c == u'/' || c == u':' || c == u'*' || c == u'?' ||
           c == u'"' || c == u'<' || c == u'>' || c == u'|';
}

// Splits off the run of ASCII digits at the end.
struct TTrailing {
    QStringView Prefix;
    QStringView Digits;
};

TTrailing SplitTrailingNumber(QStringView s) {
    qsizetype i = s.size();
    while (i > 0 && s.at(i - 1) >= u'0' && s.at(i - 1) <= u'9') --i;
    return {s.left(i), s.mid(i)};
}

// Compares two digit runs by value without converting (any length fits).
int CompareDigitRuns(QStringView a, QStringView b) {
    const auto strip = [](QStringView d) {
        qsizetype i = 0;
        while (i < d.size() - 1 && d.at(i) == u'0') ++i;
        return d.mid(i);
    };
    const QStringView x = strip(a), y = strip(b);
    if (x.size() != y.size()) return x.size() < y.size() ? -1 : 1;
    return x.compare(y);
}

int Sign(int v) { return (v > 0) - (v < 0); }

}  // namespace

void _FileNameReplaceInvalidChars(IStrW *out, const TStrWRec &name) {
    QString s = kv::ToQString(name);
    for (QChar &c : s)
        if (IsInvalidFileNameChar(c.unicode())) c = u'_';
    kv::SetStrW(out, s);
}

void _InsertTildeBeforeFileExt(const TStrWRec &name, IStrW *out) {
    QString s = kv::ToQString(name);
    const qsizetype nameStart = s.lastIndexOf(u'/') + 1;
    const qsizetype dot = s.lastIndexOf(u'.');
    if (dot >= nameStart && dot >= 0)
        s.insert(dot, u'~');
    else
        s.append(u'~');
    kv::SetStrW(out, s);
}

// Units as KvSizeUnit (0 = all); flag1 non-zero: a non-empty size never shows as zero;
// flag2 non-zero: the user's decimal separator, else ".".
void _SizeToStr2(IStrW *out, int64_t size, int32_t units, int32_t decimals, int32_t flag1,
                 int32_t flag2) {
    if ((units & 0x1F) == 0) units = 0x1F;
    int unit = 0;
    // The largest allowed unit the size reaches; bytes only when allowed, else the
    // smallest allowed unit.
    for (int u = 4; u >= 0; --u) {
        if (!(units & (1 << u))) continue;
        unit = u;
        if (size >= (int64_t(1) << (10 * u))) break;
    }
    QString text;
    if (unit == 0) {
        text = QString::number(size) + QStringLiteral(" bytes");
    } else {
        double value = double(size) / std::ldexp(1.0, 10 * unit);
        decimals = std::clamp(decimals, 0, 15);
        const double smallest = std::pow(10.0, -decimals);
        if (flag1 && size > 0 && value < smallest) value = smallest;
        static const char *const names[] = {"", "KB", "MB", "GB", "TB"};
        text = Fixed(value, decimals, flag2 ? UserDecimalSeparator() : QChar(u'.')) + u' ' +
               QLatin1String(names[unit]);
    }
    kv::SetStrW(out, text);
}

int32_t StrCompareByTrailingNumber(const TStrWRec &a, const TStrWRec &b) {
    const QStringView sa(a.Text, a.Length > 0 ? a.Length : 0);
    const QStringView sb(b.Text, b.Length > 0 ? b.Length : 0);
    const TTrailing ta = SplitTrailingNumber(sa), tb = SplitTrailingNumber(sb);
    if (const int c = ta.Prefix.compare(tb.Prefix)) return Sign(c);
    // Same text before the number: no number first, then by value, then "x2" before "x02"
    // by plain text so that only equal texts compare equal.
    if (ta.Digits.isEmpty() != tb.Digits.isEmpty()) return ta.Digits.isEmpty() ? -1 : 1;
    if (const int c = CompareDigitRuns(ta.Digits, tb.Digits)) return Sign(c);
    return Sign(sa.compare(sb));
}

// i1 minimum decimals, i2 maximum decimals (decimals beyond the minimum are written only
// when not zero), i3 non-zero: the user's decimal separator, else ".".
void _FloatToStr1(IStrW *out, double value, int32_t i1, int32_t i2, int32_t i3) {
    if (!std::isfinite(value)) {
        kv::SetStrW(out, std::isnan(value) ? QStringLiteral("NAN")
                                           : value > 0 ? QStringLiteral("INF")
                                                       : QStringLiteral("-INF"));
        return;
    }
    const int minDecimals = std::clamp(i1, 0, 15);
    const int maxDecimals = std::clamp(i2, minDecimals, 15);
    QString s = Fixed(value, maxDecimals, u'.');
    if (maxDecimals > minDecimals) {
        const qsizetype point = s.indexOf(u'.');
        qsizetype end = s.size();
        while (end > point + 1 + minDecimals && s.at(end - 1) == u'0') --end;
        if (end == point + 1) end = point;  // no decimals left: no separator either
        s.truncate(end);
    }
    if (i3) s.replace(u'.', UserDecimalSeparator());
    kv::SetStrW(out, s);
}

// flag non-zero: the user's decimal separator is accepted as well as "."; 0: only ".".
// Blanks around the number are allowed; thousands separators, NaN and infinity are not.
bool StrToFloatTry(double &value, const TStrWRec &text, int32_t flag) {
    const QString s = kv::ToQString(text).trimmed();
    const QChar userSep = flag ? UserDecimalSeparator() : QChar(u'.');
    std::string plain;
    plain.reserve(size_t(s.size()));
    bool digit = false, point = false, exponent = false;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s.at(i);
        const bool first = i == 0 || (exponent && plain.back() == 'e');
        if (c >= u'0' && c <= u'9') {
            plain += char(c.unicode());
            digit = true;
        } else if ((c == u'+' || c == u'-') && first) {
            if (c == u'-') plain += '-';
        } else if ((c == u'.' || c == userSep) && !point && !exponent) {
            plain += '.';
            point = true;
        } else if ((c == u'e' || c == u'E') && digit && !exponent) {
            plain += 'e';
            exponent = true;
        } else {
            return false;
        }
    }
    if (!digit || plain.empty() || plain.back() == 'e' || plain.back() == '-') return false;
    double result = 0;
    const auto [ptr, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), result);
    if (ec != std::errc() || ptr != plain.data() + plain.size()) return false;
    value = result;
    return true;
}

namespace {

// Name of a waypoint-database object or a track (the track manager sorts with the same
// comparer); empty for anything else.
QString WptName(NavObject *o) {
    const TStrWRec *name = nullptr;
    if (auto *w = dynamic_cast<IWptObject *>(o))
        name = w->GetName();
    else if (auto *t = dynamic_cast<INavTrack *>(o))
        name = t->GetName();
    return name ? kv::ToQString(*name) : QString();
}

}  // namespace

int32_t WPTCompareNameByTrailingNumber(NavObject *a, NavObject *b) {
    const QString na = WptName(a), nb = WptName(b);
    return StrCompareByTrailingNumber(kv::ToRec(na), kv::ToRec(nb));
}

int32_t WPTCompareNameByTrailingNumberI(NavObject *a, NavObject *b) {
    const QString na = WptName(a).toUpper(), nb = WptName(b).toUpper();
    return StrCompareByTrailingNumber(kv::ToRec(na), kv::ToRec(nb));
}
