// Number and date formatting records: the user's locale for everything shown to the user,
// a fixed invariant record ("." decimal separator) for files and protocols.
#pragma once

#include <QChar>
#include <QLocale>
#include <QString>
#include <array>
#include <cstdint>

// Date and time formats use the picture letters of the program's date formatter: d, dd,
// ddd, dddd (day), m, mm, mmm, mmmm (month; after h they mean minutes), n, nn (minutes),
// yy, yyyy, h, hh, s, ss and "ampm".
struct TFormatSettings {
    uint8_t CurrencyFormat = 0;
    uint8_t NegCurrFormat = 0;
    QChar ThousandSeparator = u',';
    QChar DecimalSeparator = u'.';
    uint8_t CurrencyDecimals = 2;
    QChar DateSeparator = u'/';
    QChar TimeSeparator = u':';
    QChar ListSeparator = u',';
    QString CurrencyString;
    QString ShortDateFormat;
    QString LongDateFormat;
    QString TimeAMString;
    QString TimePMString;
    QString ShortTimeFormat;
    QString LongTimeFormat;
    std::array<QString, 12> ShortMonthNames;
    std::array<QString, 12> LongMonthNames;
    std::array<QString, 7> ShortDayNames;  // Sunday first
    std::array<QString, 7> LongDayNames;
    // Two-digit years within this many years before the current year belong to this
    // century, the others to the previous one.
    uint16_t TwoDigitYearCenturyWindow = 50;
};

// The user's locale (QLocale's default), built at the first use and kept for the run.
const TFormatSettings &UserFormatSettings();
// The same record under the name the navigation environment's routines use.
inline const TFormatSettings &LocaleFormatSettings() { return UserFormatSettings(); }
// The fixed record: "." decimals, "," thousands, "/" dates, ":" times, English names.
const TFormatSettings &InvariantFormatSettings();
// A record filled from any locale (what UserFormatSettings does with the user's one).
TFormatSettings MakeFormatSettings(const QLocale &locale);

// Fixed notation: the value rounded to `precision` significant digits, then to `decimals`
// decimals, an exact half away from zero; no thousands separators. Non-finite values give
// "NAN", "INF" and "-INF".
QString FloatToStrFixed(double value, int precision, int decimals, const TFormatSettings &fs);
// Parses a plain decimal number (optional sign, digits, the record's decimal separator,
// optional exponent) with blanks around it; false for anything else, NaN and infinity
// texts included.
bool TryTextToFloat(const QString &text, double &value, const TFormatSettings &fs);
