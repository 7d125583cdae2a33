// Text routines shared by the whole program: a small cursor parser, degrees, GUID texts,
// packed version numbers, size and duration texts, number parsing with ranges, splitting,
// HTML encoding, e-mail checks, file-name helpers and path shortening for display.
//
// Conversion failures raise EConvertError; the Try routines return false for malformed
// text and let any other exception through. Everything runs on any thread except
// ShortenFileName with a QFontMetrics (GUI thread, like every font use).
#pragma once

#include "base/kvlib/KvTypes.h"
#include "base/strings/KvFormatSettings.h"

#include <QString>
#include <cstdint>
#include <functional>

class QFontMetrics;

// --- Cursor parser ------------------------------------------------------------------------
// A cursor points into a QString's zero-terminated character array (QString::constData())
// and is advanced by the routines below; the terminating 0 ends every scan.

bool CharInStr(QChar ch, const QString &chars);
bool IsDigitChar(QChar ch);     // "0".."9"
bool IsAlphaNumChar(QChar ch);  // "0".."9", "A".."Z", "a".."z"
// Advances over characters 1..32; returns whether it moved.
bool SkipBlanks(const QChar *&cursor);
// With allowHex and the cursor at "$": "$" and one or more letters or digits (a
// hexadecimal number of up to 32 bits); otherwise an optional sign and one or more digits
// within the Integer range. The cursor moves past the number only on success.
bool ParseInteger(const QChar *&cursor, bool allowHex, int32_t &value);
// Copies the characters up to the first delimiter or the end; the cursor stops on the
// delimiter. Returns whether at least one character was taken.
bool ParseToken(const QChar *&cursor, QString &token, const QString &delimiters);

// --- Degrees ------------------------------------------------------------------------------
// The minutes and seconds take the sign of a negative deg. (A position of -0° 30' cannot be
// written this way; callers pass a sign separately there.)
double DegMinSecToDeg(int32_t deg, int32_t min, double sec);
double DegMinToDeg(int32_t deg, double min);

// --- GUIDs --------------------------------------------------------------------------------
inline constexpr TGUID GUID_NULL{};
// Orders by the four 32-bit words as unsigned numbers, the last word first; -1, 0 or 1.
int CompareGUID(const TGUID &a, const TGUID &b);
// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", upper-case hexadecimal.
QString GUIDToStr(const TGUID &guid);
// The braced form above, hexadecimal in either case. An empty text gives GUID_NULL and true.
bool TryStrToGUID(const QString &text, TGUID &guid);
// Raises EConvertError "StrToGUID: Cannot convert string to GUID".
void StrToGUID(const QString &text, TGUID &guid);
TGUID StrToGUID(const QString &text);

// --- Versions -----------------------------------------------------------------------------
// Packed version: major in bits 24..31, minor 16..23, release 8..15, build 0..7.
int32_t MakeVersion(uint8_t major, uint8_t minor, uint8_t release, uint8_t build);
// The first `parts` parts (1..4) joined with "."; 0 parts (or fewer) give "".
QString VersionToStr(int32_t version, int parts);
// "1" → 1.0.0.0, " 2 . 5 " → 2.5.0.0, "1.2.3.4 xyz" → 1.2.3.4; parts 0..255. Raises
// EConvertError "StrToVersion: Invalid version number.".
int32_t StrToVersion(const QString &text);

// --- Numbers ------------------------------------------------------------------------------
// Decimal with optional sign, or "$" / "0x" hexadecimal; leading blanks allowed, nothing
// after the number; false outside the Integer range.
bool TryStrToInt(const QString &text, int32_t &value);
// False for empty or non-integer text; otherwise value is set (also outside the range) and
// the result is min <= value <= max.
bool TryStrToIntRange(const QString &text, int32_t min, int32_t max, int32_t &value);
// The same with the given format settings' decimal separator.
bool TryStrToFloatRange(const QString &text, double &value, const TFormatSettings &fs,
                        double min, double max);

// Unit set of SizeToStr and SizeToStr2: bit 0 bytes, 1 KB, 2 MB, 3 GB, 4 TB; 0 = all.
// Bytes below 1024, or whatever the largest allowed unit is: "1000 bytes", "1.5 KB".
// minimum: a non-empty size never shows as zero (raised to 1/10^decimals of the unit).
// Numbers in the user's locale.
QString SizeToStr(int64_t size, int32_t units, int decimals, bool minimum);
// The core library's size text; options are passed through (the update and chart dialogs
// use units 7 or 15, 1 or 2 decimals, flag1 0 = no minimum, flag2 1 = user's locale).
QString SizeToStr2(int32_t units, int32_t decimals, int32_t flag1, int32_t flag2, int64_t size);

namespace KvDuration {
inline constexpr int32_t Seconds = 1;
inline constexpr int32_t Minutes = 2;
inline constexpr int32_t Hours = 4;
inline constexpr int32_t Days = 8;
}  // namespace KvDuration
// Parts is a KvDuration set. Days, hours and minutes are written when non-zero or with
// showZero, seconds always when selected; one blank before every written part that follows
// other text; minutes and seconds after other text have two digits. 3725 s with parts 7:
// "1h 02m 05s"; 86460 s with parts 14: "1d 01m". A negative duration gets "-" in front of
// the text of its size.
QString DurationToStr(int64_t seconds, int32_t parts, bool showZero, const QString &daySuffix,
                      const QString &hourSuffix, const QString &minuteSuffix,
                      const QString &secondSuffix);

// The core library's number text: i1 minimum decimals, i2 maximum decimals, i3 1 = the
// user's decimal separator, 0 = "." (the waypoint editor passes 0, 1, 1).
QString FormatFloatValue(double value, int32_t i1, int32_t i2, int32_t i3);
// The core library's parser: flag 1 accepts the user's decimal separator as well as ".",
// flag 0 only "."; value is left alone when the text is no number.
bool TryParseFloat(double &value, const QString &text, int32_t flag);

// --- Strings ------------------------------------------------------------------------------
// "a; b ;c" at ";" → "a", "b ", "c": each rest is trimmed before it is split further.
TDynStringArray SplitString(const QString &text, QChar delimiter);
// & " < > ' and the Latin-1 characters $A1..$FF as HTML entities (&#39; for the single
// quote, so texts are safe inside single- and double-quoted attributes); $A0 stays.
QString HTMLEncode(const QString &text);
// A form check only: one "@" with a local part that neither starts nor ends with "."; a
// domain with a "." after its first character, no empty label and a last label of two or
// more characters; no ".." anywhere.
bool IsValidEmailAddress(const QString &text);
// Control characters and \ / : * ? " < > | replaced (core library).
QString FileNameReplaceInvalidChars(const QString &name);
// "chart.dat" → "chart~.dat" (core library): the name of a downloaded network copy.
QString InsertTildeBeforeFileExt(const QString &name);
// Trailing numbers compare by value ("x2" < "x10"); < 0, 0 or > 0 (core library).
int StrCompareByTrailingNumberA(const QString &a, const QString &b);
// The same on the upper-case forms.
int StrCompareByTrailingNumberI(const QString &a, const QString &b);
// Drops folders one at a time (each replaced by one ".../"), then the drive, then the
// ".../", until the text fits maxWidth pixels or only the file name is left. Folders are
// separated by "/", or by "\" in a name that has a drive "X:" or no "/".
QString ShortenFileName(const QString &fileName, const QFontMetrics &metrics, int maxWidth);
// The same with any text measure (tests, printing).
QString ShortenFileName(const QString &fileName, const std::function<int(const QString &)> &width,
                        int maxWidth);
bool FolderExists(const QString &path);
