// Text helpers for names, sizes and numbers.
#pragma once

#include "KvTypes.h"
#include "KvStrW.h"

// Units _SizeToStr2 may choose from, as a set (0 = all of them).
namespace KvSizeUnit {
inline constexpr int32_t Bytes = 0x01;
inline constexpr int32_t KB = 0x02;
inline constexpr int32_t MB = 0x04;
inline constexpr int32_t GB = 0x08;
inline constexpr int32_t TB = 0x10;
}  // namespace KvSizeUnit

// name with every character that is not allowed in a file name (control characters and
// \ / : * ? " < > |) replaced, so the result can be used on any file system.
KVLIB_API void _FileNameReplaceInvalidChars(IStrW *out, const TStrWRec &name);
// "~" inserted before the extension ("chart.dat" → "chart~.dat", "notes" → "notes~"): the
// name of the local copy of a file downloaded from the network.
KVLIB_API void _InsertTildeBeforeFileExt(const TStrWRec &name, IStrW *out);
// Byte size as text with the largest allowed unit that keeps the number at least 1
// ("1.5 MB"; binary multiples). units is a KvSizeUnit set; the update and chart dialogs
// pass 7 or 15, 1 or 2 decimals, flag1 0 and flag2 1. Numbers in the user's locale.
KVLIB_API void _SizeToStr2(IStrW *out, int64_t size, int32_t units, int32_t decimals,
                           int32_t flag1, int32_t flag2);
// Three-way comparison (< 0, 0, > 0) in which a trailing number compares by value, so
// "x2" < "x10"; the parts before it compare as text.
KVLIB_API int32_t StrCompareByTrailingNumber(const TStrWRec &a, const TStrWRec &b);
// Number text in the user's locale; the waypoint editor passes 0, 1, 1 for i1..i3.
KVLIB_API void _FloatToStr1(IStrW *out, double value, int32_t i1, int32_t i2, int32_t i3);
// Parses text as a number; false, with value untouched, when it is none. flag is passed
// through from the program's parse routine.
KVLIB_API bool StrToFloatTry(double &value, const TStrWRec &text, int32_t flag);
// Name order of two waypoint-database objects (IWptObject), by StrCompareByTrailingNumber
// on their names; the I form ignores case. Both fit WptObjectCompareProc.
KVLIB_API int32_t WPTCompareNameByTrailingNumber(NavObject *a, NavObject *b);
KVLIB_API int32_t WPTCompareNameByTrailingNumberI(NavObject *a, NavObject *b);
