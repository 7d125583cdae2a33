// Eight-language texts: every text the user sees is a table looked up at the moment it is
// shown, so a language switch reaches every text at its next use.
#pragma once

#include <QString>
#include <array>
#include <cstdint>

// Entries in the order English, Dutch, German, French, Spanish, Italian, Danish, Swedish
// (index = language number − 1), UTF-8. An entry may be empty: the English one is used.
using TLanguageStrings = std::array<const char *, 8>;

// The entry of the current language, or the English entry when that one is empty.
QString LanguageText(const TLanguageStrings &table);
// The same rule for a given language (the language dialog follows its own selection).
// Numbers outside 1..8 give the English entry.
QString LanguageTextIn(const TLanguageStrings &table, int32_t language);

QString LanguageToLanguageIDA(int32_t language);
QString LanguageToStrLocalA(int32_t language);
int32_t StrToLanguageA(const QString &text);
