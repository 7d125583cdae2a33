#include "StubSettings.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvLib.h>
#include <KvLibNav6/KvStrW.h>

#include <memory>
#include <string>

namespace servicestub {

namespace {

// The program's product sub-path: its settings store is found by it.
const std::u16string ProductSubPath = u"Marivo\\Ostrel";
const std::u16string ServicesKey = u"Services";
const std::u16string BaseUrlName = u"BaseURL";

TStrWRec Rec(const std::u16string &text) {
    return TStrWRec{int32_t(text.size()), text.c_str()};
}

// The library opens the store before it asks a first run's language; declining the
// question leaves it unanswered, so the program's own first start still asks it.
void LeaveLanguageToTheProgram(int32_t *, bool *cancelled) {
    *cancelled = true;
}

// The program's store, opened as the program opens it. InitApplication answers False on a
// first run (the language declined above); the store is open either way, and each write
// reports when it is not.
IAppReg *ProgramSettings() {
    static IAppReg *const reg = [] {
        static const TGUID none;
        KvLibInitialize(&none, Rec(u"KvLibNav6.dll"));
        InitApplication(239, 0, &none, Rec(ProductSubPath), 1, 1, 2024, 2024, 1, 1, LeaveLanguageToTheProgram,
                        nullptr, nullptr, nullptr, Rec(u"marivo-servicestub"), 9);
        return GetAppReg();
    }();
    return reg;
}

// What the settings named before the stand-in: given back when it goes.
QString &EarlierBaseUrl() {
    static QString earlier;
    return earlier;
}

QString StoredBaseUrl(IAppReg *reg) {
    const std::unique_ptr<IStrW, void (*)(IStrW *)> stored(StrWCreate(u"", 0), StrWDelete);
    reg->ReadStringDef(AppRegRoot::Product, Rec(ServicesKey), ValueName(Rec(BaseUrlName)), TStrWRec(), stored.get());
    const TStrWRec *text = stored->GetRec();
    return QString::fromUtf16(text->Text, text->Length);
}

int32_t StoreBaseUrl(IAppReg *reg, const QString &baseUrl) {
    const std::u16string url = baseUrl.toStdU16String();
    int32_t err = 0;
    if (baseUrl.isEmpty())
        reg->DeleteValue(AppRegRoot::Product, Rec(ServicesKey), ValueName(Rec(BaseUrlName)), err);
    else
        reg->WriteString(AppRegRoot::Product, Rec(ServicesKey), ValueName(Rec(BaseUrlName)), Rec(url), err);
    return err;
}

}  // namespace

bool NameInProgramSettings(const QString &baseUrl, QString &problem) {
    IAppReg *reg = ProgramSettings();
    EarlierBaseUrl() = StoredBaseUrl(reg);
    const int32_t err = StoreBaseUrl(reg, baseUrl);
    if (err == 0) return true;
    const TStrWRec *text = ErrorToStr(err);
    problem = QString::fromUtf16(text->Text, text->Length);
    return false;
}

void ForgetInProgramSettings(const QString &baseUrl) {
    IAppReg *reg = ProgramSettings();
    // A stand-in started since keeps its own address.
    if (StoredBaseUrl(reg) == baseUrl) StoreBaseUrl(reg, EarlierBaseUrl());
}

}  // namespace servicestub
