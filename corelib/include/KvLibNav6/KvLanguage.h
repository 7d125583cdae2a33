// Interface languages.
#pragma once

#include "KvTypes.h"

// Language numbers; a program's eight-entry text tables are indexed by number − 1.
namespace KvLang {
inline constexpr int32_t Unknown = 0;  // StrToLanguage only
inline constexpr int32_t English = 1;
inline constexpr int32_t Dutch = 2;
inline constexpr int32_t German = 3;
inline constexpr int32_t French = 4;
inline constexpr int32_t Spanish = 5;
inline constexpr int32_t Italian = 6;
inline constexpr int32_t Danish = 7;
inline constexpr int32_t Swedish = 8;
inline constexpr int32_t First = English;
inline constexpr int32_t Last = Swedish;
}  // namespace KvLang

// Current interface language, 1..8. Fetched at every text lookup, so it must stay cheap.
KVLIB_API int32_t GetCurrentLanguage();
// Takes effect at once (the library caches no text); not stored until RegWriteLanguage.
// Numbers outside 1..8 are ignored.
KVLIB_API void SetCurrentLanguage(int32_t lang);
// The languages this build offers, as a set: bit (1 << lang) for each language number.
// Test it with InLanguages rather than by bit.
KVLIB_API uint32_t GetAvailableLanguages();
KVLIB_API bool InLanguages(int32_t lang, uint32_t set);
// Language number of a name as legend files write it: the English name ("Dutch"), the
// name in the language itself ("Nederlands") or the identifier of LanguageToLanguageID;
// case-insensitive, surrounding blanks ignored. 0 for anything else.
KVLIB_API int32_t StrToLanguage(const TStrWRec &name);
// The language's name in itself ("Deutsch"), for language lists. Owned by the library,
// valid for the run; empty for numbers outside 1..8.
KVLIB_API const TStrWRec *LanguageToStrLocal(int32_t lang);
// Two-letter identifier ("en", "nl", "de", …) passed after "-lang" to the companion
// programs and in news requests. Owned by the library, valid for the run; empty for
// numbers outside 1..8.
KVLIB_API const TStrWRec *LanguageToLanguageID(int32_t lang);
// Stores the current language in the settings registry (root 1), where InitApplication
// reads it at the next start. Called again after the program has erased its settings.
KVLIB_API void RegWriteLanguage();
