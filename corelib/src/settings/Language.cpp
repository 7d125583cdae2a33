// The current interface language and the language names.
#include "kernel/KvInternal.h"
#include "settings/AppReg.h"
#include "KvLibNav6/KvAppReg.h"
#include "KvLibNav6/KvErrorCodes.h"
#include "KvLibNav6/KvLanguage.h"
#include "KvLibNav6/KvLib.h"

#include <QDebug>

#include <atomic>
#include <string>

namespace {

std::atomic<int32_t> Current{KvLang::English};

struct TLanguageName {
    const char16_t *English;
    const char16_t *Local;
    const char16_t *Id;
};

constexpr TLanguageName Names[8] = {
    {u"English", u"English", u"en"},   {u"Dutch", u"Nederlands", u"nl"},
    {u"German", u"Deutsch", u"de"},    {u"French", u"Français", u"fr"},
    {u"Spanish", u"Español", u"es"},   {u"Italian", u"Italiano", u"it"},
    {u"Danish", u"Dansk", u"da"},      {u"Swedish", u"Svenska", u"sv"},
};

TStrWRec Rec(const char16_t *text) {
    return {int32_t(std::char_traits<char16_t>::length(text)), text};
}

// Records of constant texts: valid for the run. Index 8 is the empty record.
struct TNameRecords {
    TStrWRec Local[9];
    TStrWRec Id[9];
    TNameRecords() {
        for (int i = 0; i < 8; ++i) {
            Local[i] = Rec(Names[i].Local);
            Id[i] = Rec(Names[i].Id);
        }
    }
};

const TNameRecords &Records() {
    static const TNameRecords records;
    return records;
}

bool Valid(int32_t lang) {
    return lang >= KvLang::First && lang <= KvLang::Last;
}

}  // namespace

int32_t GetCurrentLanguage() {
    return Current.load(std::memory_order_relaxed);
}

void SetCurrentLanguage(int32_t lang) {
    if (Valid(lang)) Current.store(lang, std::memory_order_relaxed);
}

uint32_t GetAvailableLanguages() {
    uint32_t set = 0;
    for (int32_t l = KvLang::First; l <= KvLang::Last; ++l) set |= 1u << l;
    return set;
}

bool InLanguages(int32_t lang, uint32_t set) {
    return Valid(lang) && (set & (1u << lang)) != 0;
}

int32_t StrToLanguage(const TStrWRec &name) {
    const QString text = kv::ToQString(name).trimmed();
    for (int i = 0; i < 8; ++i) {
        for (const char16_t *candidate : {Names[i].English, Names[i].Local, Names[i].Id})
            if (text.compare(QString::fromUtf16(candidate), Qt::CaseInsensitive) == 0)
                return i + 1;
    }
    return KvLang::Unknown;
}

const TStrWRec *LanguageToStrLocal(int32_t lang) {
    return &Records().Local[Valid(lang) ? lang - 1 : 8];
}

const TStrWRec *LanguageToLanguageID(int32_t lang) {
    return &Records().Id[Valid(lang) ? lang - 1 : 8];
}

void RegWriteLanguage() {
    int32_t err = KvErr::Ok;
    GetAppReg()->WriteInteger(AppRegRoot::Product, TStrWRec(),
                              ValueName(Rec(kv::StoredLanguageName)), GetCurrentLanguage(), err);
    // No error result to hand back: the next start asks for the language again.
    if (err != KvErr::Ok)
        qWarning().noquote() << QStringLiteral("The interface language could not be stored: %1")
                                    .arg(kv::ToQString(*ErrorToStr(err)));
}

namespace kv {

int32_t ReadStoredLanguage() {
    const int32_t lang = GetAppReg()->ReadIntegerDef(
        AppRegRoot::Product, TStrWRec(), ValueName(Rec(StoredLanguageName)), KvLang::Unknown);
    return Valid(lang) ? lang : KvLang::Unknown;
}

}  // namespace kv
