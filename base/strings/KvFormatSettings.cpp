#include "KvFormatSettings.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

namespace {

// Qt's date-time pattern letters to the picture letters of the record. Quoted literals
// stay literal; time-zone letters are dropped (the formatter has none).
QString QtPatternToPicture(const QString &pattern) {
    QString out;
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern.at(i);
        if (c == u'\'') {
            const qsizetype end = pattern.indexOf(u'\'', i + 1);
            const qsizetype stop = end < 0 ? pattern.size() : end;
            out += u'"' + pattern.mid(i + 1, stop - i - 1) + u'"';
            i = stop + 1;
            continue;
        }
        qsizetype n = 1;
        while (i + n < pattern.size() && pattern.at(i + n) == c) ++n;
        switch (c.unicode()) {
        case u'M': out += QString(n, u'm'); break;
        case u'm': out += QString(std::min<qsizetype>(n, 2), u'n'); break;
        case u'H':
        case u'h': out += QString(std::min<qsizetype>(n, 2), u'h'); break;
        case u'A':
        case u'a':
            out += QStringLiteral("ampm");
            if (i + n < pattern.size() && (pattern.at(i + n) == u'P' || pattern.at(i + n) == u'p'))
                ++n;
            break;
        case u't': break;
        default: out += QString(n, c); break;
        }
        i += n;
    }
    return out.trimmed();
}

// The first character of a pattern that is neither a letter nor a quote.
QChar FirstSeparator(const QString &pattern, QChar fallback) {
    for (QChar c : pattern)
        if (!c.isLetter() && c != u'\'' && c != u' ') return c;
    return fallback;
}

TFormatSettings MakeInvariant() {
    TFormatSettings fs;
    fs.CurrencyFormat = 0;
    fs.NegCurrFormat = 12;
    fs.ThousandSeparator = u',';
    fs.DecimalSeparator = u'.';
    fs.CurrencyDecimals = 2;
    fs.DateSeparator = u'/';
    fs.TimeSeparator = u':';
    fs.ListSeparator = u',';
    fs.CurrencyString = QStringLiteral("$");
    fs.ShortDateFormat = QStringLiteral("m/d/yyyy");
    fs.LongDateFormat = QStringLiteral("mmmm d yyyy");
    fs.TimeAMString = QStringLiteral("am");
    fs.TimePMString = QStringLiteral("pm");
    fs.ShortTimeFormat = QStringLiteral("hh:nn:ss");
    fs.LongTimeFormat = QStringLiteral("hh:nn:ss");
    const QLocale c = QLocale::c();
    for (int m = 0; m < 12; ++m) {
        fs.ShortMonthNames[size_t(m)] = c.monthName(m + 1, QLocale::ShortFormat);
        fs.LongMonthNames[size_t(m)] = c.monthName(m + 1, QLocale::LongFormat);
    }
    for (int d = 0; d < 7; ++d) {
        const int qtDay = d == 0 ? 7 : d;  // Qt counts from Monday = 1
        fs.ShortDayNames[size_t(d)] = c.dayName(qtDay, QLocale::ShortFormat);
        fs.LongDayNames[size_t(d)] = c.dayName(qtDay, QLocale::LongFormat);
    }
    fs.TwoDigitYearCenturyWindow = 50;
    return fs;
}

}  // namespace

TFormatSettings MakeFormatSettings(const QLocale &locale) {
    TFormatSettings fs = MakeInvariant();
    const QString dec = locale.decimalPoint();
    const QString group = locale.groupSeparator();
    fs.DecimalSeparator = dec.isEmpty() ? QChar(u'.') : dec.at(0);
    fs.ThousandSeparator = group.isEmpty() ? QChar(u',') : group.at(0);
    fs.ListSeparator = fs.DecimalSeparator == u',' ? QChar(u';') : QChar(u',');
    fs.CurrencyString = locale.currencySymbol();
    const QString shortDate = locale.dateFormat(QLocale::ShortFormat);
    const QString shortTime = locale.timeFormat(QLocale::ShortFormat);
    fs.DateSeparator = FirstSeparator(shortDate, u'/');
    fs.TimeSeparator = FirstSeparator(shortTime, u':');
    fs.ShortDateFormat = QtPatternToPicture(shortDate);
    fs.LongDateFormat = QtPatternToPicture(locale.dateFormat(QLocale::LongFormat));
    fs.ShortTimeFormat = QtPatternToPicture(shortTime);
    fs.LongTimeFormat = QtPatternToPicture(locale.timeFormat(QLocale::LongFormat));
    fs.TimeAMString = locale.amText();
    fs.TimePMString = locale.pmText();
    for (int m = 0; m < 12; ++m) {
        fs.ShortMonthNames[size_t(m)] = locale.monthName(m + 1, QLocale::ShortFormat);
        fs.LongMonthNames[size_t(m)] = locale.monthName(m + 1, QLocale::LongFormat);
    }
    for (int d = 0; d < 7; ++d) {
        const int qtDay = d == 0 ? 7 : d;
        fs.ShortDayNames[size_t(d)] = locale.dayName(qtDay, QLocale::ShortFormat);
        fs.LongDayNames[size_t(d)] = locale.dayName(qtDay, QLocale::LongFormat);
    }
    // Position of the currency symbol: 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $".
    const QString money = locale.toCurrencyString(1.0, fs.CurrencyString, 0);
    const bool before = money.startsWith(fs.CurrencyString);
    const bool spaced = before ? !money.mid(fs.CurrencyString.size(), 1).at(0).isDigit()
                               : !money.at(money.size() - fs.CurrencyString.size() - 1).isDigit();
    fs.CurrencyFormat = uint8_t((before ? 0 : 1) + (spaced ? 2 : 0));
    static constexpr uint8_t negative[4] = {1, 5, 9, 8};  // "-$1", "-1$", "-$ 1", "-1 $"
    fs.NegCurrFormat = negative[fs.CurrencyFormat];
    fs.CurrencyDecimals = 2;
    fs.TwoDigitYearCenturyWindow = 50;
    return fs;
}

const TFormatSettings &UserFormatSettings() {
    static const TFormatSettings settings = MakeFormatSettings(QLocale());
    return settings;
}

const TFormatSettings &InvariantFormatSettings() {
    static const TFormatSettings settings = MakeInvariant();
    return settings;
}

QString FloatToStrFixed(double value, int precision, int decimals, const TFormatSettings &fs) {
    if (std::isnan(value)) return QStringLiteral("NAN");
    if (std::isinf(value)) return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    precision = std::clamp(precision, 1, 18);
    decimals = std::clamp(decimals, 0, 18);
    // First the value's significant digits, correctly rounded from binary.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", precision - 1, std::fabs(value));
    std::string digits;
    const char *p = buf;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9') digits += *p;
    int exponent = std::atoi(p + 1);
    // digits = d0 d1 d2 ..., value = d0.d1d2... x 10^exponent. Then decimal rounding, an
    // exact half away from zero (the second rounding works on decimal digits, not binary).
    const int keep = exponent + 1 + decimals;  // digits left of the cut
    if (keep < 0) {
        digits = "0";
        exponent = 0;
    } else if (keep < int(digits.size())) {
        const bool up = digits[size_t(keep)] >= '5';
        digits.resize(size_t(keep));
        if (up) {
            int i = keep - 1;
            for (; i >= 0; --i) {
                if (digits[size_t(i)] == '9') {
                    digits[size_t(i)] = '0';
                } else {
                    ++digits[size_t(i)];
                    break;
                }
            }
            if (i < 0) {
                digits.insert(digits.begin(), '1');
                ++exponent;
            }
        }
        if (digits.empty()) {
            digits = "0";
            exponent = 0;
        }
    }
    // Lay the digits out around the decimal point.
    std::string intPart, fracPart;
    for (int pos = exponent; pos >= 0; --pos) {
        const int idx = exponent - pos;
        intPart += idx < int(digits.size()) ? digits[size_t(idx)] : '0';
    }
    if (intPart.empty()) intPart = "0";
    for (int k = 1; k <= decimals; ++k) {
        const int idx = exponent + k;
        fracPart += (idx >= 0 && idx < int(digits.size())) ? digits[size_t(idx)] : '0';
    }
    const bool allZero = (intPart + fracPart).find_first_not_of('0') == std::string::npos;
    QString out = QString::fromLatin1(intPart.data(), qsizetype(intPart.size()));
    if (decimals > 0)
        out += fs.DecimalSeparator + QString::fromLatin1(fracPart.data(), qsizetype(fracPart.size()));
    if (value < 0 && !allZero) out.prepend(u'-');
    return out;
}

bool TryTextToFloat(const QString &text, double &value, const TFormatSettings &fs) {
    qsizetype b = 0, e = text.size();
    while (b < e && text.at(b).unicode() <= 32) ++b;
    while (e > b && text.at(e - 1).unicode() <= 32) --e;
    std::string plain;
    qsizetype i = b;
    auto digitsAt = [&]() {
        int n = 0;
        while (i < e && text.at(i).isDigit() && text.at(i).unicode() < 128) {
            plain += char(text.at(i).unicode());
            ++i;
            ++n;
        }
        return n;
    };
    if (i < e && (text.at(i) == u'+' || text.at(i) == u'-')) {
        if (text.at(i) == u'-') plain += '-';
        ++i;
    }
    int mantissaDigits = digitsAt();
    if (i < e && text.at(i) == fs.DecimalSeparator) {
        plain += '.';
        ++i;
        mantissaDigits += digitsAt();
    }
    if (mantissaDigits == 0) return false;
    if (i < e && (text.at(i) == u'e' || text.at(i) == u'E')) {
        plain += 'e';
        ++i;
        if (i < e && (text.at(i) == u'+' || text.at(i) == u'-')) {
            plain += char(text.at(i).unicode());
            ++i;
        }
        if (digitsAt() == 0) return false;
    }
    if (i != e) return false;
    double result = 0;
    const auto [ptr, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), result);
    if (ec != std::errc() || ptr != plain.data() + plain.size()) return false;
    value = result;
    return true;
}
