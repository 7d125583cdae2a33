// The settings registry: typed values, names, keys, roots and the stored language, each
// test on a store of its own in a fresh configuration folder.
#include "TestSupport.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvLanguage.h>
#include <KvLibNav6/KvLib.h>

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <sqlite3.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace {

TStrWRec R(const std::u16string &s) {
    return {int32_t(s.size()), s.c_str()};
}

ValueName N(const std::u16string &s) {
    return ValueName(R(s));
}

struct NavDeleter {
    void operator()(NavObject *o) const { ObjectDelete(o); }
};

QString Text(IStrW *s) {
    const TStrWRec *r = s->GetRec();
    return QString::fromUtf16(r->Text, r->Length);
}

QStringList Names(IStrWList *list) {
    QStringList names;
    for (int i = 0; i < StrWListGetCount(list); ++i) {
        const TStrWRec *r = StrWListGetStr(list, i);
        names << QString::fromUtf16(r->Text, r->Length);
    }
    return names;
}

QStringList ValueNames(int32_t root, const std::u16string &key, int32_t &err) {
    std::unique_ptr<IStrWList, NavDeleter> list(StrWListCreate());
    GetAppReg()->GetValueNames(root, R(key), list.get(), err);
    return Names(list.get());
}

QStringList KeyNames(int32_t root, const std::u16string &key, int32_t &err) {
    std::unique_ptr<IStrWList, NavDeleter> list(StrWListCreate());
    GetAppReg()->GetKeyNames(root, R(key), list.get(), err);
    return Names(list.get());
}

QString ReadString(int32_t root, const std::u16string &key, const std::u16string &name,
                   int32_t &err) {
    std::unique_ptr<IStrW, NavDeleter> out(StrWCreate(u"previous", 8));
    GetAppReg()->ReadString(root, R(key), N(name), out.get(), err);
    return Text(out.get());
}

TGUID MakeGuid(uint32_t d1) {
    TGUID g;
    g.D1 = d1;
    g.D2 = 0xBEEF;
    g.D3 = 0x0102;
    for (int i = 0; i < 8; ++i) g.D4[i] = uint8_t(0xF0 + i);
    return g;
}

int32_t ChoiceAnswer = KvLang::Dutch;
int ChoiceCalls = 0;
int32_t ChoicePreselection = 0;

void AnswerLanguage(int32_t *language, bool *cancelled) {
    ++ChoiceCalls;
    ChoicePreselection = *language;
    if (ChoiceAnswer == 0) {
        *cancelled = true;
        return;
    }
    *language = ChoiceAnswer;
    *cancelled = false;
}

class AppReg : public ::testing::Test {
protected:
    void SetUp() override {
        FOldConfig = qgetenv("XDG_CONFIG_HOME");
        FDir = testsupport::MakeTempDir(QStringLiteral("appreg"));
        UseConfig(FDir + QStringLiteral("/config"));
        qputenv("MARIVO_INSTALLATION_SETTINGS", (FDir + "/no-installation.db").toLocal8Bit());
        ChoiceAnswer = KvLang::Dutch;
        ChoiceCalls = 0;
        ASSERT_TRUE(Start());
    }

    void TearDown() override {
        qputenv("XDG_CONFIG_HOME", FOldConfig);
        qunsetenv("MARIVO_INSTALLATION_SETTINGS");
        SetCurrentLanguage(KvLang::English);
    }

    static void UseConfig(const QString &dir) { qputenv("XDG_CONFIG_HOME", dir.toLocal8Bit()); }

    // Opens (again) the store of the current configuration folder, as a program start does.
    static bool Start(const std::u16string &subPath = u"Marivo\\Ostrel") {
        const TGUID product = MakeGuid(0x5C3A9E41);
        return InitApplication(239, 0, &product, R(subPath), 21, 3, 2024, 2024, 3, 21,
                               AnswerLanguage, nullptr, nullptr, nullptr, R(u"Test"), 9);
    }

    QString UserFile() const {
        return FDir + QStringLiteral("/config/Korvane/Marivo/Ostrel/Settings.db");
    }

    QString FDir;
    QByteArray FOldConfig;
};

struct TypeCase {
    const char *name;
    std::function<void(IAppReg *, const ValueName &, int32_t &)> write;
    // Checks what the reader of the written type returns.
    std::function<void(IAppReg *, const ValueName &)> check;
};

std::vector<TypeCase> TypeCases() {
    static const std::u16string key = u"Types\\Sub";
    static const QByteArray bytes128 = [] {
        QByteArray b(128, '\0');
        for (int i = 0; i < 128; ++i) b[i] = char(i * 7 + 3);
        return b;
    }();
    static const std::u16string text = u"Λίμνη 湖 \U0001F6A2 Ærø \\ \"quoted\"";
    return {
        {"Boolean true", [](IAppReg *r, const ValueName &n, int32_t &e) { r->WriteBool(1, R(key), n, true, e); },
         [](IAppReg *r, const ValueName &n) {
             int32_t e = -1;
             EXPECT_TRUE(r->ReadBool(1, R(key), n, e));
             EXPECT_EQ(e, 0);
             EXPECT_TRUE(r->ReadBoolDef(1, R(key), n, false));
         }},
        {"Boolean false", [](IAppReg *r, const ValueName &n, int32_t &e) { r->WriteBool(1, R(key), n, false, e); },
         [](IAppReg *r, const ValueName &n) {
             int32_t e = -1;
             EXPECT_FALSE(r->ReadBool(1, R(key), n, e));
             EXPECT_EQ(e, 0);
             EXPECT_FALSE(r->ReadBoolDef(1, R(key), n, true));
         }},
        {"Integer minimum", [](IAppReg *r, const ValueName &n, int32_t &e) { r->WriteInteger(1, R(key), n, INT32_MIN, e); },
         [](IAppReg *r, const ValueName &n) {
             int32_t e = -1;
             EXPECT_EQ(r->ReadInteger(1, R(key), n, e), INT32_MIN);
             EXPECT_EQ(e, 0);
             EXPECT_EQ(r->ReadIntegerDef(1, R(key), n, 5), INT32_MIN);
         }},
        {"Integer maximum", [](IAppReg *r, const ValueName &n, int32_t &e) { r->WriteInteger(1, R(key), n, INT32_MAX, e); },
         [](IAppReg *r, const ValueName &n) { EXPECT_EQ(r->ReadIntegerDef(1, R(key), n, 5), INT32_MAX); }},
        {"Single keeps single precision", [](IAppReg *r, const ValueName &n, int32_t &e) { r->WriteSingle(1, R(key), n, 0.1f, e); },
         [](IAppReg *r, const ValueName &n) { EXPECT_EQ(r->ReadSingleDef(1, R(key), n, 7.0f), 0.1f); }},
        {"Double", [](IAppReg *r, const ValueName &n, int32_t &e) { r->WriteDouble(1, R(key), n, 1.0 / 3.0, e); },
         [](IAppReg *r, const ValueName &n) {
             int32_t e = -1;
             EXPECT_EQ(r->ReadDouble(1, R(key), n, e), 1.0 / 3.0);
             EXPECT_EQ(e, 0);
             EXPECT_EQ(r->ReadDoubleDef(1, R(key), n, 2.0), 1.0 / 3.0);
         }},
        {"Double extremes", [](IAppReg *r, const ValueName &n, int32_t &e) { r->WriteDouble(1, R(key), n, -1e308, e); },
         [](IAppReg *r, const ValueName &n) { EXPECT_EQ(r->ReadDoubleDef(1, R(key), n, 2.0), -1e308); }},
        {"date-time", [](IAppReg *r, const ValueName &n, int32_t &e) { r->WriteDateTime(1, R(key), n, 45372.5625, e); },
         [](IAppReg *r, const ValueName &n) { EXPECT_EQ(r->ReadDateTimeDef(1, R(key), n, 1.0), 45372.5625); }},
        {"GUID", [](IAppReg *r, const ValueName &n, int32_t &e) { r->WriteGUID(1, R(key), n, MakeGuid(0x89ABCDEF), e); },
         [](IAppReg *r, const ValueName &n) {
             TGUID out;
             int32_t e = -1;
             r->ReadGUID(1, R(key), n, out, e);
             EXPECT_EQ(e, 0);
             EXPECT_TRUE(out == MakeGuid(0x89ABCDEF));
             TGUID def = MakeGuid(1);
             r->ReadGUIDDef(1, R(key), n, def, def);  // def and out one record
             EXPECT_TRUE(def == MakeGuid(0x89ABCDEF));
         }},
        {"binary of 0 bytes", [](IAppReg *r, const ValueName &n, int32_t &e) { r->WriteBinary(1, R(key), n, nullptr, 0, e); },
         [](IAppReg *r, const ValueName &n) {
             int32_t e = -1;
             char buffer[1] = {'x'};
             r->ReadBinary(1, R(key), n, buffer, 0, e);
             EXPECT_EQ(e, 0);
             r->ReadBinary(1, R(key), n, buffer, 1, e);
             EXPECT_EQ(e, KvErr::BadFormat);
             EXPECT_EQ(buffer[0], 'x');
         }},
        {"binary of 128 bytes", [](IAppReg *r, const ValueName &n, int32_t &e) { r->WriteBinary(1, R(key), n, bytes128.constData(), 128, e); },
         [](IAppReg *r, const ValueName &n) {
             int32_t e = -1;
             QByteArray buffer(128, '\0');
             r->ReadBinary(1, R(key), n, buffer.data(), 128, e);
             EXPECT_EQ(e, 0);
             EXPECT_EQ(buffer, bytes128);
             QByteArray small(127, 'z');
             r->ReadBinary(1, R(key), n, small.data(), 127, e);
             EXPECT_EQ(e, KvErr::BadFormat) << "a size mismatch is an error";
             EXPECT_EQ(small, QByteArray(127, 'z')) << "and leaves the buffer untouched";
         }},
        {"text with non-Latin characters", [](IAppReg *r, const ValueName &n, int32_t &e) { r->WriteString(1, R(key), n, R(text), e); },
         [](IAppReg *r, const ValueName &n) {
             std::unique_ptr<IStrW, NavDeleter> out(StrWCreate(nullptr, 0));
             int32_t e = -1;
             r->ReadString(1, R(key), n, out.get(), e);
             EXPECT_EQ(e, 0);
             EXPECT_EQ(Text(out.get()), QString::fromStdU16String(text));
             r->ReadStringDef(1, R(key), n, R(u"default"), out.get());
             EXPECT_EQ(Text(out.get()), QString::fromStdU16String(text));
         }},
        {"empty text is a value, not a missing one", [](IAppReg *r, const ValueName &n, int32_t &e) { r->WriteString(1, R(key), n, R(u""), e); },
         [](IAppReg *r, const ValueName &n) {
             std::unique_ptr<IStrW, NavDeleter> out(StrWCreate(nullptr, 0));
             r->ReadStringDef(1, R(key), n, R(u"default"), out.get());
             EXPECT_EQ(Text(out.get()), QString());
         }},
    };
}

TEST_F(AppReg, EveryTypeRoundTripsAndSurvivesReopening) {
    const auto cases = TypeCases();
    std::vector<std::u16string> names;
    for (size_t i = 0; i < cases.size(); ++i) names.push_back(u"Value" + std::u16string(1, char16_t(u'A' + i)));
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].name);
        int32_t err = -1;
        cases[i].write(GetAppReg(), N(names[i]), err);
        ASSERT_EQ(err, 0);
        cases[i].check(GetAppReg(), N(names[i]));
    }
    ASSERT_TRUE(Start());  // closes the file and opens it again
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(std::string(cases[i].name) + " after reopening");
        cases[i].check(GetAppReg(), N(names[i]));
    }
}

TEST_F(AppReg, StoreFileIsReadableByItsOwnerOnly) {
    // It keeps a remembered service login.
    const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                            QFileDevice::ReadOther | QFileDevice::WriteOther;
    EXPECT_EQ(QFile::permissions(UserFile()) & others, QFileDevice::Permissions());
    EXPECT_TRUE(QFile::permissions(UserFile()) & QFileDevice::ReadOwner);
}

TEST_F(AppReg, MissingValueGivesExactlyTheDefaultAndPlainReadersReportIt) {
    IAppReg *r = GetAppReg();
    int32_t err = 0;
    r->WriteInteger(1, R(u"Present"), N(u"Other"), 1, err);
    ASSERT_EQ(err, 0);
    struct Place { const char *name; std::u16string key; };
    const Place places[] = {{"value missing in an existing key", u"Present"},
                            {"key missing", u"Absent\\Deeper"}};
    const TGUID nullGuid;
    for (const auto &p : places) {
        SCOPED_TRACE(p.name);
        const TStrWRec k = R(p.key);
        EXPECT_TRUE(r->ReadBoolDef(1, k, N(u"V"), true));
        EXPECT_FALSE(r->ReadBoolDef(1, k, N(u"V"), false));
        EXPECT_EQ(r->ReadIntegerDef(1, k, N(u"V"), -17), -17);
        EXPECT_EQ(r->ReadSingleDef(1, k, N(u"V"), 2.5f), 2.5f);
        EXPECT_EQ(r->ReadDoubleDef(1, k, N(u"V"), -0.125), -0.125);
        EXPECT_EQ(r->ReadDateTimeDef(1, k, N(u"V"), 45000.25), 45000.25);
        TGUID out = MakeGuid(9);
        r->ReadGUIDDef(1, k, N(u"V"), nullGuid, out);
        EXPECT_TRUE(out == nullGuid);
        std::unique_ptr<IStrW, NavDeleter> s(StrWCreate(u"old", 3));
        r->ReadStringDef(1, k, N(u"V"), R(u"déf"), s.get());
        EXPECT_EQ(Text(s.get()), QStringLiteral("déf"));

        int32_t e = 0;
        r->ReadBool(1, k, N(u"V"), e);
        EXPECT_EQ(e, KvErr::NotFound);
        e = 0;
        r->ReadInteger(1, k, N(u"V"), e);
        EXPECT_EQ(e, KvErr::NotFound);
        e = 0;
        r->ReadDouble(1, k, N(u"V"), e);
        EXPECT_EQ(e, KvErr::NotFound);
        e = 0;
        r->ReadGUID(1, k, N(u"V"), out, e);
        EXPECT_EQ(e, KvErr::NotFound);
        e = 0;
        EXPECT_EQ(ReadString(1, p.key, u"V", e), QString()) << "out is emptied";
        EXPECT_EQ(e, KvErr::NotFound);
        char buffer[4] = {'a', 'b', 'c', 'd'};
        e = 0;
        r->ReadBinary(1, k, N(u"V"), buffer, 4, e);
        EXPECT_EQ(e, KvErr::NotFound);
        EXPECT_EQ(std::memcmp(buffer, "abcd", 4), 0);
    }
}

TEST_F(AppReg, ValueOfAnotherTypeIsNeverReinterpreted) {
    IAppReg *r = GetAppReg();
    int32_t err = 0;
    r->WriteInteger(1, R(u"T"), N(u"Int"), 1, err);
    r->WriteString(1, R(u"T"), N(u"Text"), R(u"1"), err);
    r->WriteDouble(1, R(u"T"), N(u"Real"), 45000.5, err);
    r->WriteSingle(1, R(u"T"), N(u"Single"), 1.5f, err);
    ASSERT_EQ(err, 0);
    struct Case { const char *name; std::function<bool()> holds; };
    const Case cases[] = {
        {"Integer read as Boolean gives the default", [&] { return r->ReadBoolDef(1, R(u"T"), N(u"Int"), false) == false; }},
        {"Integer read as Boolean reports", [&] { int32_t e = 0; r->ReadBool(1, R(u"T"), N(u"Int"), e); return e == KvErr::BadFormat; }},
        {"text read as Integer gives the default", [&] { return r->ReadIntegerDef(1, R(u"T"), N(u"Text"), 9) == 9; }},
        {"text read as Integer reports", [&] { int32_t e = 0; r->ReadInteger(1, R(u"T"), N(u"Text"), e); return e == KvErr::BadFormat; }},
        {"Integer read as text reports", [&] { int32_t e = 0; return ReadString(1, u"T", u"Int", e).isEmpty() && e == KvErr::BadFormat; }},
        {"Double read as Single gives the default", [&] { return r->ReadSingleDef(1, R(u"T"), N(u"Real"), 3.0f) == 3.0f; }},
        {"Single read as Double reports", [&] { int32_t e = 0; r->ReadDouble(1, R(u"T"), N(u"Single"), e); return e == KvErr::BadFormat; }},
        {"Double read as GUID gives the default", [&] { TGUID g; r->ReadGUIDDef(1, R(u"T"), N(u"Real"), MakeGuid(4), g); return g == MakeGuid(4); }},
        {"Double read as binary reports", [&] { int32_t e = 0; double d = 0; r->ReadBinary(1, R(u"T"), N(u"Real"), &d, 8, e); return e == KvErr::BadFormat && d == 0; }},
        {"a date-time is a Double", [&] { return r->ReadDateTimeDef(1, R(u"T"), N(u"Real"), 0.0) == 45000.5; }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(c.holds());
    }
    // Writing another type replaces the value.
    r->WriteBool(1, R(u"T"), N(u"Int"), true, err);
    EXPECT_TRUE(r->ReadBoolDef(1, R(u"T"), N(u"Int"), false));
}

TEST_F(AppReg, NamesIgnoreCaseInEveryScript) {
    struct Case { const char *name; std::u16string key, writeName, readKey, readName; };
    const Case cases[] = {
        {"ASCII", u"Desktop", u"ExecState", u"DESKTOP", u"execstate"},
        {"Latin with diacritics", u"Ölkarte\\Übersicht", u"Ärger", u"öLKARTE\\üBERSICHT", u"äRGER"},
        {"Greek with final sigma", u"Λίμνες", u"Σίγμας", u"ΛΊΜΝΕΣ", u"σίγμασ"},
        {"Cyrillic", u"Карты", u"Масштаб", u"КАРТЫ", u"масштаб"},
        {"composed and decomposed forms", u"Caf\u00E9", u"N\u00E9", u"CAFE\u0301", u"NE\u0301"},
    };
    IAppReg *r = GetAppReg();
    int v = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        int32_t err = -1;
        r->WriteInteger(1, R(c.key), N(c.writeName), ++v, err);
        ASSERT_EQ(err, 0);
        EXPECT_EQ(r->ReadIntegerDef(1, R(c.readKey), N(c.readName), -1), v);
        EXPECT_TRUE(r->KeyExists(1, R(c.readKey)));
        // A write under the other spelling replaces the value and keeps the first spelling.
        r->WriteInteger(1, R(c.readKey), N(c.readName), v + 100, err);
        ASSERT_EQ(err, 0);
        EXPECT_EQ(r->ReadIntegerDef(1, R(c.key), N(c.writeName), -1), v + 100);
        EXPECT_EQ(ValueNames(1, c.key, err), QStringList{QString::fromStdU16String(c.writeName)});
    }
    int32_t err = -1;
    EXPECT_FALSE(r->KeyExists(1, R(u"Desktopx")));
    EXPECT_EQ(r->ReadIntegerDef(1, R(u"Desktop"), N(u"ExecStat"), -1), -1);
    EXPECT_EQ(KeyNames(1, u"", err).size(), 5);
}

TEST_F(AppReg, EnumerationKeepsTheOrderOfFirstWriting) {
    IAppReg *r = GetAppReg();
    int32_t err = -1;
    // Value names are data: folder and file names keep their "\".
    const std::u16string folders = u"S57\\Folders";
    const std::vector<std::u16string> written = {u"/charts/nl", u"C:\\Charts\\Zeeland", u"b",
                                                 u"a", u"{0F1E2D3C-0000-4000-8000-000000000001}"};
    for (const auto &name : written) {
        r->WriteBool(1, R(folders), N(name), true, err);
        ASSERT_EQ(err, 0);
    }
    QStringList expected;
    for (const auto &name : written) expected << QString::fromStdU16String(name);
    EXPECT_EQ(ValueNames(1, folders, err), expected);
    EXPECT_EQ(err, 0);
    EXPECT_EQ(KeyNames(1, folders, err), QStringList()) << "a \\ in a value name makes no key";

    r->WriteBool(1, R(folders), N(u"B"), false, err);  // rewrite keeps the place
    EXPECT_EQ(ValueNames(1, folders, err), expected);
    r->DeleteValue(1, R(folders), N(u"a"), err);
    EXPECT_EQ(err, 0);
    r->WriteBool(1, R(folders), N(u"a"), true, err);  // a new value goes last
    expected.removeAt(3);
    expected << QStringLiteral("a");
    EXPECT_EQ(ValueNames(1, folders, err), expected);

    for (const char16_t *key : {u"Toolbar\\Zulu", u"Toolbar\\Alpha", u"Toolbar\\Mike"}) {
        r->CreateKey(1, R(key), err);
        ASSERT_EQ(err, 0);
    }
    EXPECT_EQ(KeyNames(1, u"Toolbar", err),
              (QStringList{QStringLiteral("Zulu"), QStringLiteral("Alpha"), QStringLiteral("Mike")}));

    // The caller's list is emptied even when the key has nothing, or is missing.
    std::unique_ptr<IStrWList, NavDeleter> list(StrWListCreate());
    r->GetValueNames(1, R(folders), list.get(), err);
    ASSERT_GT(StrWListGetCount(list.get()), 0);
    r->GetValueNames(1, R(u"Toolbar\\Zulu"), list.get(), err);
    EXPECT_EQ(err, 0);
    EXPECT_EQ(StrWListGetCount(list.get()), 0);
    r->GetValueNames(1, R(folders), list.get(), err);
    r->GetKeyNames(1, R(u"Nowhere"), list.get(), err);
    EXPECT_EQ(err, KvErr::NotFound);
    EXPECT_EQ(StrWListGetCount(list.get()), 0);
}

TEST_F(AppReg, KeyOperations) {
    IAppReg *r = GetAppReg();
    int32_t err = -1;
    r->WriteInteger(1, R(u"Desktop\\SailingArea\\Inner"), N(u"Kept"), 1, err);
    r->WriteInteger(1, R(u"Desktop\\SailingArea"), N(u"Area"), 2, err);
    r->WriteInteger(1, R(u"Desktop\\Panels\\Left"), N(u"Width"), 3, err);
    r->WriteInteger(1, R(u"Desktop"), N(u"State"), 4, err);
    r->WriteInteger(1, R(u"Desktop\\Panels"), N(u"Count"), 5, err);
    ASSERT_EQ(err, 0);

    r->ClearKeyExcept(1, R(u"Desktop"), R(u"sailingarea"), err);
    EXPECT_EQ(err, 0);
    EXPECT_EQ(KeyNames(1, u"Desktop", err), QStringList{QStringLiteral("SailingArea")});
    EXPECT_EQ(ValueNames(1, u"Desktop", err), QStringList());
    EXPECT_EQ(r->ReadIntegerDef(1, R(u"Desktop\\SailingArea\\Inner"), N(u"Kept"), 0), 1);
    EXPECT_EQ(r->ReadIntegerDef(1, R(u"Desktop\\SailingArea"), N(u"Area"), 0), 2);
    EXPECT_FALSE(r->KeyExists(1, R(u"Desktop\\Panels\\Left")));
    EXPECT_FALSE(r->KeyExists(1, R(u"Desktop\\Panels")));

    r->ClearKey(1, R(u"Desktop"), err);
    EXPECT_EQ(err, 0);
    EXPECT_TRUE(r->KeyExists(1, R(u"Desktop"))) << "a cleared key stays";
    EXPECT_EQ(KeyNames(1, u"Desktop", err), QStringList());
    r->ClearKey(1, R(u"NoSuchKey"), err);
    EXPECT_EQ(err, KvErr::NotFound);

    r->CreateKey(1, R(u"GRIB\\Files\\"), err);  // a trailing "\" names the same key
    EXPECT_EQ(err, 0);
    EXPECT_TRUE(r->KeyExists(1, R(u"GRIB\\Files")));
    r->WriteString(1, R(u"GRIB\\Files"), N(u"Last"), R(u"x.grb"), err);
    r->DeleteKey(1, R(u"GRIB"), err);
    EXPECT_EQ(err, 0);
    EXPECT_FALSE(r->KeyExists(1, R(u"GRIB")));
    EXPECT_FALSE(r->KeyExists(1, R(u"GRIB\\Files")));
    r->CreateKey(1, R(u"GRIB\\Files"), err);
    EXPECT_EQ(ValueNames(1, u"GRIB\\Files", err), QStringList()) << "nothing comes back";

    r->DeleteKey(1, R(u"NeverWritten\\Key"), err);
    EXPECT_EQ(err, 0) << "a missing key is deleted already";
    r->DeleteValue(1, R(u"GRIB\\Files"), N(u"Missing"), err);
    EXPECT_EQ(err, KvErr::NotFound);

    // The product key itself: an empty path.
    r->WriteInteger(1, R(u""), N(u"ExecState"), 1, err);
    EXPECT_EQ(r->ReadIntegerDef(1, R(u"\\"), N(u"execstate"), 0), 1);
    EXPECT_TRUE(ValueNames(1, u"", err).contains(QStringLiteral("ExecState")));
}

TEST_F(AppReg, RootsAndKeyPaths) {
    IAppReg *r = GetAppReg();
    int32_t err = -1;
    std::unique_ptr<IStrW, NavDeleter> path(StrWCreate(u"stale", 5));
    r->GetKeyPath(1, R(u"NavMsgDeviceManager\\"), err, path.get());
    EXPECT_EQ(err, 0);
    EXPECT_EQ(Text(path.get()), QStringLiteral("Software\\Korvane\\Marivo\\Ostrel\\NavMsgDeviceManager"));

    // A library object handed that path finds the program's values through the user root.
    const std::u16string full = Text(path.get()).toStdU16String();
    r->WriteInteger(1, R(u"NavMsgDeviceManager\\Devices\\GPS"), N(u"Baud"), 4800, err);
    EXPECT_EQ(r->ReadIntegerDef(AppRegRoot::CurrentUser, R(full + u"\\Devices\\GPS"), N(u"Baud"), 0), 4800);
    r->WriteInteger(AppRegRoot::CurrentUser, R(full), N(u"Rescan"), 1, err);
    EXPECT_EQ(r->ReadIntegerDef(1, R(u"NavMsgDeviceManager"), N(u"Rescan"), 0), 1);

    // The maker-level key is the product key's parent.
    EXPECT_TRUE(r->KeyExists(AppRegRoot::CurrentUser, R(u"Software\\Korvane\\Marivo\\")));
    r->WriteString(AppRegRoot::CurrentUser, R(u"Software\\Korvane\\Marivo\\"), N(u"S57IENCFolder"),
                   R(u"/home/skipper/IENC/"), err);
    EXPECT_EQ(ReadString(AppRegRoot::CurrentUser, u"software\\korvane\\marivo", u"S57IENCFolder", err),
              QStringLiteral("/home/skipper/IENC/"));
    EXPECT_EQ(KeyNames(AppRegRoot::CurrentUser, u"Software\\Korvane\\Marivo", err),
              QStringList{QStringLiteral("Ostrel")});

    struct Case { const char *name; int32_t root; int32_t expected; };
    const Case cases[] = {{"the installation root has no path in the user's store", 0, KvErr::InvalidArgument},
                          {"unknown root", 7, KvErr::InvalidArgument}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        r->GetKeyPath(c.root, R(u"X"), err, path.get());
        EXPECT_EQ(err, c.expected);
        EXPECT_EQ(Text(path.get()), QString()) << "the out text is emptied";
    }
    r->WriteInteger(7, R(u"X"), N(u"Y"), 1, err);
    EXPECT_EQ(err, KvErr::InvalidArgument);
    EXPECT_EQ(r->GetDisplayName()->Length, 0);
}

// Values are read again and again, so whatever sits in front of the file must forget a
// value the moment it changes: under either root, in any spelling of its name.
TEST_F(AppReg, EveryChangeIsReadBackAtOnce) {
    IAppReg *r = GetAppReg();
    const std::u16string full = u"Software\\Korvane\\Marivo\\Ostrel\\Boat";
    struct Case {
        const char *name;
        std::function<void(int32_t &)> change;
        int32_t expected;
    };
    const Case cases[] = {
        {"rewritten", [&](int32_t &e) { r->WriteInteger(1, R(u"Boat"), N(u"Length"), 9, e); }, 9},
        {"rewritten in another spelling",
         [&](int32_t &e) { r->WriteInteger(1, R(u"BOAT"), N(u"length"), 9, e); }, 9},
        {"rewritten through the user root",
         [&](int32_t &e) { r->WriteInteger(AppRegRoot::CurrentUser, R(full), N(u"Length"), 9, e); },
         9},
        {"rewritten as text", [&](int32_t &e) { r->WriteString(1, R(u"Boat"), N(u"Length"), R(u"9"), e); },
         -1},
        {"value deleted", [&](int32_t &e) { r->DeleteValue(1, R(u"Boat"), N(u"Length"), e); }, -1},
        {"key deleted", [&](int32_t &e) { r->DeleteKey(1, R(u"Boat"), e); }, -1},
        {"key cleared", [&](int32_t &e) { r->ClearKey(1, R(u"Boat"), e); }, -1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        int32_t err = -1;
        r->WriteInteger(1, R(u"Boat"), N(u"Length"), 12, err);
        ASSERT_EQ(err, 0);
        for (int i = 0; i < 2; ++i) {
            EXPECT_EQ(r->ReadIntegerDef(1, R(u"Boat"), N(u"Length"), -1), 12);
            EXPECT_EQ(r->ReadIntegerDef(AppRegRoot::CurrentUser, R(full), N(u"LENGTH"), -1), 12);
        }
        c.change(err);
        ASSERT_EQ(err, 0);
        EXPECT_EQ(r->ReadIntegerDef(1, R(u"Boat"), N(u"Length"), -1), c.expected);
        EXPECT_EQ(r->ReadIntegerDef(AppRegRoot::CurrentUser, R(full), N(u"LENGTH"), -1), c.expected);
        r->DeleteKey(1, R(u"Boat"), err);
    }
}

TEST_F(AppReg, FailedChangeLeavesTheOldValuesReadable) {
    IAppReg *r = GetAppReg();
    int32_t err = -1;
    r->WriteInteger(1, R(u"Boat"), N(u"Length"), 12, err);
    ASSERT_EQ(err, 0);
    // Another program makes every change of a value fail inside the transaction, after the
    // keys of the path were made, as a full disk would at the commit.
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(UserFile().toUtf8().constData(), &db), SQLITE_OK);
    const char *refuse =
        "CREATE TRIGGER RefuseInsert BEFORE INSERT ON RegValue BEGIN SELECT RAISE(ABORT, 'no'); END;"
        "CREATE TRIGGER RefuseUpdate BEFORE UPDATE ON RegValue BEGIN SELECT RAISE(ABORT, 'no'); END;"
        "CREATE TRIGGER RefuseDelete BEFORE DELETE ON RegValue BEGIN SELECT RAISE(ABORT, 'no'); END;";
    ASSERT_EQ(sqlite3_exec(db, refuse, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);

    struct Case {
        const char *name;
        std::function<void(int32_t &)> change;
    };
    const Case cases[] = {
        {"rewrite", [&](int32_t &e) { r->WriteInteger(1, R(u"Boat"), N(u"Length"), 9, e); }},
        {"rewrite as text", [&](int32_t &e) { r->WriteString(1, R(u"Boat"), N(u"Length"), R(u"9"), e); }},
        {"new value in a new key",
         [&](int32_t &e) { r->WriteInteger(1, R(u"Boat\\Engine"), N(u"Power"), 30, e); }},
        {"deletion", [&](int32_t &e) { r->DeleteValue(1, R(u"Boat"), N(u"Length"), e); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(r->ReadIntegerDef(1, R(u"Boat"), N(u"Length"), -1), 12);
        EXPECT_EQ(r->ReadIntegerDef(1, R(u"Boat\\Engine"), N(u"Power"), -1), -1);
        c.change(err);
        EXPECT_NE(err, 0);
        EXPECT_EQ(r->ReadIntegerDef(1, R(u"Boat"), N(u"Length"), -1), 12);
        EXPECT_EQ(r->ReadIntegerDef(1, R(u"Boat\\Engine"), N(u"Power"), -1), -1);
        EXPECT_FALSE(r->KeyExists(1, R(u"Boat\\Engine"))) << "the keys made on the way are gone";
    }
}

TEST_F(AppReg, InstallationRootIsReadOnlyAndReadFromItsOwnFile) {
    IAppReg *r = GetAppReg();
    int32_t err = -1;
    // Nothing shipped: an empty root.
    EXPECT_EQ(ReadString(0, u"", u"WaterwayNetworkPath", err), QString());
    EXPECT_EQ(err, KvErr::NotFound);

    // Make an installation file: a store whose top holds the value.
    r->WriteString(AppRegRoot::CurrentUser, R(u""), N(u"WaterwayNetworkPath"),
                   R(u"/usr/share/marivo/network.gpkg"), err);
    ASSERT_EQ(err, 0);
    const QString shipped = UserFile();
    qputenv("MARIVO_INSTALLATION_SETTINGS", shipped.toLocal8Bit());
    UseConfig(FDir + QStringLiteral("/other-user"));
    ASSERT_TRUE(Start());

    EXPECT_EQ(ReadString(0, u"", u"waterwaynetworkpath", err), QStringLiteral("/usr/share/marivo/network.gpkg"));
    EXPECT_EQ(err, 0);
    EXPECT_EQ(ReadString(1, u"", u"WaterwayNetworkPath", err), QString()) << "root 1 is another key";
    EXPECT_EQ(err, KvErr::NotFound);
    struct Case { const char *name; std::function<int32_t()> write; };
    const Case writes[] = {
        {"write", [&] { int32_t e = 0; r->WriteString(0, R(u""), N(u"WaterwayNetworkPath"), R(u"x"), e); return e; }},
        {"create key", [&] { int32_t e = 0; r->CreateKey(0, R(u"New"), e); return e; }},
        {"delete key", [&] { int32_t e = 0; r->DeleteKey(0, R(u""), e); return e; }},
        {"delete value", [&] { int32_t e = 0; r->DeleteValue(0, R(u""), N(u"WaterwayNetworkPath"), e); return e; }},
        {"clear key", [&] { int32_t e = 0; r->ClearKey(0, R(u""), e); return e; }},
    };
    for (const auto &c : writes) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.write(), KvErr::ReadOnly);
    }
    EXPECT_EQ(ReadString(0, u"", u"WaterwayNetworkPath", err), QStringLiteral("/usr/share/marivo/network.gpkg"));
}

TEST_F(AppReg, LanguageIsAskedOnceAndStored) {
    // SetUp was the first run: asked once with the system's language preselected.
    EXPECT_EQ(ChoiceCalls, 1);
    EXPECT_GE(ChoicePreselection, KvLang::First);
    EXPECT_LE(ChoicePreselection, KvLang::Last);
    EXPECT_EQ(GetCurrentLanguage(), KvLang::Dutch);

    SetCurrentLanguage(KvLang::English);
    ASSERT_TRUE(Start());
    EXPECT_EQ(ChoiceCalls, 1) << "no question once a language is stored";
    EXPECT_EQ(GetCurrentLanguage(), KvLang::Dutch);

    SetCurrentLanguage(KvLang::German);
    RegWriteLanguage();
    SetCurrentLanguage(KvLang::English);
    ASSERT_TRUE(Start());
    EXPECT_EQ(GetCurrentLanguage(), KvLang::German);

    // Settings erased (the program then writes the language back itself).
    int32_t err = -1;
    GetAppReg()->DeleteValue(1, R(u""), N(u"Language"), err);
    ASSERT_EQ(err, 0);
    ChoiceAnswer = 0;  // the user cancels the choice
    EXPECT_FALSE(Start());
    EXPECT_EQ(ChoiceCalls, 2);
    ChoiceAnswer = KvLang::Swedish;
    EXPECT_TRUE(Start());
    EXPECT_EQ(GetCurrentLanguage(), KvLang::Swedish);
}

TEST_F(AppReg, UnusableProductSubPathIsRefused) {
    for (const char16_t *sub : {u"", u"\\", u"Marivo\\..", u"Marivo/../../etc"}) {
        SCOPED_TRACE(QString::fromUtf16(sub).toStdString());
        EXPECT_FALSE(Start(sub));
    }
}

}  // namespace
