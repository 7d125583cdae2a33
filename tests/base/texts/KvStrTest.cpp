#include "base/texts/KvStr.h"

#include <KvLibNav6/KvLanguage.h>

#include <gtest/gtest.h>

#include <QSet>
#include <QStringList>

namespace {

class LanguageGuard {
public:
    LanguageGuard() : FSaved(GetCurrentLanguage()) {}
    ~LanguageGuard() { SetCurrentLanguage(FSaved); }

private:
    int32_t FSaved;
};

const char *const LanguageNames[] = {"English", "Dutch",   "German", "French",
                                     "Spanish", "Italian", "Danish", "Swedish"};

QString Entry(const TLanguageStrings &table, int32_t language) {
    return QString::fromUtf8(table[size_t(language - 1)]);
}

// The accelerator letters of a caption ("&&" is a literal ampersand, not an accelerator).
QStringList Accelerators(const QString &caption) {
    QStringList letters;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] != u'&') continue;
        if (i + 1 < caption.size() && caption[i + 1] == u'&') {
            ++i;
            continue;
        }
        letters << (i + 1 < caption.size() ? caption.mid(i + 1, 1).toLower() : QString());
    }
    return letters;
}

bool StartsWith(const char *name, const char *prefix) {
    return QLatin1String(name).startsWith(QLatin1String(prefix));
}

bool IsKeyName(const TLanguageStrings *table) {
    const TLanguageStrings *first = KvStr::KeyNames.data();
    return table >= first && table < first + KvStr::KeyNames.size();
}

}  // namespace

TEST(KvStr, EveryTableHasAnEnglishEntryAndAUniqueName) {
    const auto all = KvStr::AllTables();
    EXPECT_EQ(all.size(), 204u);
    QSet<QString> names;
    for (const auto &t : all) {
        SCOPED_TRACE(t.Name);
        EXPECT_FALSE(QString::fromUtf8((*t.Table)[0]).isEmpty());
        for (const char *entry : *t.Table) EXPECT_NE(entry, nullptr);
        EXPECT_FALSE(names.contains(QLatin1String(t.Name)));
        names.insert(QLatin1String(t.Name));
    }
    EXPECT_EQ(KvStr::KeyNames.size(), 112u);
}

TEST(KvStr, LanguagesFilledPerGroup) {
    // Which languages each group of tables writes out; an empty entry reads English.
    struct Case { const char *prefix; bool otherLanguages; bool spanish; };
    const Case cases[] = {
        {"Btn", true, true},          {"Title", true, true},
        {"Color", true, true},        {"CompassPoint", true, true},
        {"Col", true, true},          {"Value", true, true},
        {"ErrorLog", true, true},     {"Folder", true, false},
        {"Display", true, false},
    };
    for (const auto &c : cases) {
        int tables = 0;
        for (const auto &t : KvStr::AllTables()) {
            if (IsKeyName(t.Table) || !StartsWith(t.Name, c.prefix)) continue;
            if (QLatin1String(c.prefix) == QLatin1String("Col") && StartsWith(t.Name, "Color"))
                continue;
            ++tables;
            SCOPED_TRACE(t.Name);
            for (int32_t l = KvLang::First; l <= KvLang::Last; ++l) {
                SCOPED_TRACE(LanguageNames[l - 1]);
                const bool expected = l == KvLang::Spanish ? c.spanish : c.otherLanguages;
                EXPECT_EQ(!Entry(*t.Table, l).isEmpty(), expected);
            }
        }
        EXPECT_GT(tables, 0) << c.prefix;
    }
}

TEST(KvStr, CompassWordsExistInEnglishDutchAndGermanOnly) {
    LanguageGuard guard;
    for (const TLanguageStrings *word : KvStr::CompassWords) {
        const QString english = Entry(*word, KvLang::English);
        SCOPED_TRACE(english.toStdString());
        for (int32_t l = KvLang::First; l <= KvLang::Last; ++l) {
            SCOPED_TRACE(LanguageNames[l - 1]);
            const bool own = l == KvLang::English || l == KvLang::Dutch || l == KvLang::German;
            EXPECT_EQ(!Entry(*word, l).isEmpty(), own);
            SetCurrentLanguage(l);
            const QString shown = LanguageText(*word);
            EXPECT_EQ(shown, own ? Entry(*word, l) : english);
            EXPECT_EQ(shown, shown.toLower());
        }
    }
    SetCurrentLanguage(KvLang::French);
    EXPECT_EQ(LanguageText(KvStr::CompassWordNortheast), QStringLiteral("northeast"));
    SetCurrentLanguage(KvLang::German);
    EXPECT_EQ(LanguageText(KvStr::CompassWordSouthwest), QStringLiteral("südwest"));
    EXPECT_EQ(LanguageText(*KvStr::CompassWords[2]), QStringLiteral("ost"));
}

TEST(KvStr, CompassPointsAreSixteenDistinctPointsInEveryLanguage) {
    const char *const english[] = {"N", "NNE", "NE", "ENE", "E", "ESE", "SE", "SSE",
                                   "S", "SSW", "SW", "WSW", "W", "WNW", "NW", "NNW"};
    for (int32_t l = KvLang::First; l <= KvLang::Last; ++l) {
        SCOPED_TRACE(LanguageNames[l - 1]);
        QSet<QString> points;
        for (size_t i = 0; i < KvStr::CompassPoints.size(); ++i) {
            EXPECT_STREQ((*KvStr::CompassPoints[i])[0], english[i]);
            points.insert(LanguageTextIn(*KvStr::CompassPoints[i], l));
        }
        EXPECT_EQ(points.size(), 16);
    }
    EXPECT_EQ(LanguageTextIn(KvStr::CompassPointESE, KvLang::Dutch), QStringLiteral("OZO"));
    EXPECT_EQ(LanguageTextIn(KvStr::CompassPointNNE, KvLang::Danish), QStringLiteral("NNØ"));
}

TEST(KvStr, TranslationsKeepAcceleratorsPlaceholdersAndLineBreaks) {
    for (const auto &t : KvStr::AllTables()) {
        SCOPED_TRACE(t.Name);
        const QString english = Entry(*t.Table, KvLang::English);
        const auto accelerators = Accelerators(english).size();
        for (int32_t l = KvLang::Dutch; l <= KvLang::Last; ++l) {
            const QString text = Entry(*t.Table, l);
            if (text.isEmpty()) continue;
            SCOPED_TRACE(LanguageNames[l - 1]);
            const QStringList letters = Accelerators(text);
            EXPECT_EQ(letters.size(), accelerators) << text.toStdString();
            for (const QString &letter : letters)
                EXPECT_TRUE(!letter.isEmpty() && letter[0].isLetter());
            EXPECT_EQ(text.count(QStringLiteral("%s")), english.count(QStringLiteral("%s")));
            EXPECT_EQ(text.count(u'%'), english.count(u'%'));
            EXPECT_EQ(text.count(u'\r'), english.count(u'\r'));
            EXPECT_EQ(text.count(u'\n'), english.count(u'\n'));
            EXPECT_EQ(text.trimmed(), text);
        }
    }
}

TEST(KvStr, MessageBoxButtonsOfOneBoxHaveDistinctAccelerators) {
    // Captions that one message box shows together must not share an accelerator letter.
    using Set = std::vector<const TLanguageStrings *>;
    struct Case { const char *name; Set buttons; };
    const Case cases[] = {
        {"yes/no to all", {&KvStr::BtnYes, &KvStr::BtnNo, &KvStr::BtnNoToAll, &KvStr::BtnYesToAll,
                           &KvStr::BtnCancel, &KvStr::BtnHelp}},
        {"abort/retry/ignore", {&KvStr::BtnAbort, &KvStr::BtnRetry, &KvStr::BtnIgnore,
                                &KvStr::BtnHelp}},
        {"yes/no/all", {&KvStr::BtnYes, &KvStr::BtnNo, &KvStr::BtnAll, &KvStr::BtnCancel,
                        &KvStr::BtnHelp}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        for (int32_t l = KvLang::First; l <= KvLang::Last; ++l) {
            SCOPED_TRACE(LanguageNames[l - 1]);
            QStringList used;
            for (const TLanguageStrings *button : c.buttons) {
                for (const QString &letter : Accelerators(LanguageTextIn(*button, l))) {
                    EXPECT_FALSE(used.contains(letter)) << letter.toStdString();
                    used << letter;
                }
            }
        }
    }
}

TEST(KvStr, LookupFollowsTheLanguageSwitch) {
    LanguageGuard guard;
    struct Case { int32_t language; const char *yes; const char *cancel; const char *folder; };
    const Case cases[] = {
        {KvLang::English, "&Yes", "Cancel", "New folder"},
        {KvLang::Dutch, "&Ja", "Annuleren", "Nieuwe map"},
        {KvLang::French, "&Oui", "Annuler", "Nouveau dossier"},
        {KvLang::Spanish, "&Sí", "Cancelar", "New folder"},  // folder texts have no Spanish
        {KvLang::Swedish, "&Ja", "Avbryt", "Ny mapp"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(LanguageNames[c.language - 1]);
        SetCurrentLanguage(c.language);
        EXPECT_EQ(LanguageText(KvStr::BtnYes), QString::fromUtf8(c.yes));
        EXPECT_EQ(LanguageText(KvStr::BtnCancel), QString::fromUtf8(c.cancel));
        EXPECT_EQ(LanguageText(KvStr::FolderNew), QString::fromUtf8(c.folder));
    }
}

TEST(KvStr, FolderNameCharactersAndKeyNames) {
    const QString invalid = QStringLiteral("\\   /   :   *   ?   \"   <   >   |");
    for (int32_t l = KvLang::First; l <= KvLang::Last; ++l) {
        SCOPED_TRACE(LanguageNames[l - 1]);
        const QString text = LanguageTextIn(KvStr::FolderInvalidChars, l);
        EXPECT_TRUE(text.endsWith(QStringLiteral("\r\n\r\n") + invalid)) << text.toStdString();
    }

    struct Case { const char *key; int32_t language; const char *expected; };
    const Case cases[] = {
        {"PgDn", KvLang::German, "Bild ab"},    {"Ctrl", KvLang::German, "Strg"},
        {"Ctrl", KvLang::French, "Ctrl"},       {"Space", KvLang::Swedish, "Blanksteg"},
        {"F12", KvLang::Italian, "F12"},        {"Numpad7", KvLang::Dutch, "Numeriek 7"},
        {"Del", KvLang::Spanish, "Del"},        {"Yen", KvLang::Danish, "Yen"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.key);
        const TLanguageStrings *table = KvStr::FindKeyName(QString::fromLatin1(c.key));
        ASSERT_NE(table, nullptr);
        EXPECT_EQ(LanguageTextIn(*table, c.language), QString::fromUtf8(c.expected));
    }
    EXPECT_EQ(KvStr::FindKeyName(u"F16"), nullptr);
    EXPECT_EQ(KvStr::FindKeyName(u"ctrl"), nullptr);
}
