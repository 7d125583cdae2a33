#include "base/texts/KvLanguage.h"

#include <KvLibNav6/KvLanguage.h>

#include <gtest/gtest.h>

namespace {

// Restores the language a test switched away from.
class LanguageGuard {
public:
    LanguageGuard() : FSaved(GetCurrentLanguage()) {}
    ~LanguageGuard() { SetCurrentLanguage(FSaved); }

private:
    int32_t FSaved;
};

const TLanguageStrings Lock = {"Lock", "Sluis", "Schleuse", "Écluse", "", "Chiusa", "Sluse", ""};
const TLanguageStrings NoEnglish = {"", "Brug", "", "", "", "", "", ""};

}  // namespace

TEST(KvLanguage, LookupFollowsTheCurrentLanguageWithEnglishFallback) {
    LanguageGuard guard;
    struct Case { int32_t language; const TLanguageStrings *table; const char *expected; };
    const Case cases[] = {
        {KvLang::English, &Lock, "Lock"},    {KvLang::Dutch, &Lock, "Sluis"},
        {KvLang::French, &Lock, "Écluse"},   {KvLang::Spanish, &Lock, "Lock"},
        {KvLang::Swedish, &Lock, "Lock"},    {KvLang::Dutch, &NoEnglish, "Brug"},
        {KvLang::German, &NoEnglish, ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.language);
        SetCurrentLanguage(c.language);  // nothing is cached: the next lookup follows
        EXPECT_EQ(LanguageText(*c.table), QString::fromUtf8(c.expected));
    }
    EXPECT_EQ(LanguageTextIn(Lock, KvLang::German), QStringLiteral("Schleuse"));
    EXPECT_EQ(LanguageTextIn(Lock, 42), QStringLiteral("Lock"));
}

TEST(KvLanguage, LanguageNamesAndNumbers) {
    LanguageGuard guard;
    SetCurrentLanguage(0);  // refused: stays a valid language
    EXPECT_GE(GetCurrentLanguage(), KvLang::First);
    EXPECT_LE(GetCurrentLanguage(), KvLang::Last);
    const uint32_t all = GetAvailableLanguages();
    for (int32_t l = KvLang::First; l <= KvLang::Last; ++l) EXPECT_TRUE(InLanguages(l, all));
    EXPECT_FALSE(InLanguages(9, all));
    EXPECT_FALSE(InLanguages(KvLang::Dutch, 0));

    EXPECT_EQ(LanguageToStrLocalA(KvLang::German), QStringLiteral("Deutsch"));
    EXPECT_EQ(LanguageToLanguageIDA(KvLang::Swedish), QStringLiteral("sv"));
    EXPECT_EQ(LanguageToStrLocalA(0), QString());
    struct Case { const char *text; int32_t language; };
    const Case cases[] = {{"Dutch", KvLang::Dutch}, {" nederlands ", KvLang::Dutch},
                          {"FR", KvLang::French},   {"Français", KvLang::French},
                          {"Klingon", KvLang::Unknown}, {"", KvLang::Unknown}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(StrToLanguageA(QString::fromUtf8(c.text)), c.language);
    }
}
