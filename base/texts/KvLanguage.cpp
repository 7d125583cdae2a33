#include "base/texts/KvLanguage.h"

#include "base/kvlib/KvStrings.h"

#include <KvLibNav6/KvLanguage.h>

namespace {

QString Entry(const TLanguageStrings &table, size_t index) {
    const char *text = table[index];
    return text ? QString::fromUtf8(text) : QString();
}

}  // namespace

QString LanguageTextIn(const TLanguageStrings &table, int32_t language) {
    if (language < KvLang::First || language > KvLang::Last) return Entry(table, 0);
    QString text = Entry(table, size_t(language - 1));
    return text.isEmpty() ? Entry(table, 0) : text;
}

QString LanguageText(const TLanguageStrings &table) {
    return LanguageTextIn(table, GetCurrentLanguage());
}

QString LanguageToLanguageIDA(int32_t language) {
    return StrWToWide(LanguageToLanguageID(language));
}

QString LanguageToStrLocalA(int32_t language) {
    return StrWToWide(LanguageToStrLocal(language));
}

int32_t StrToLanguageA(const QString &text) {
    return StrToLanguage(StrW(text));
}
