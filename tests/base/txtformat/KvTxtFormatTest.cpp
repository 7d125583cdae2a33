#include "base/txtformat/KvTxtFormat.h"

#include "base/strings/KvFormatSettings.h"
#include "base/texts/KvLanguage.h"
#include "TestSupport.h"

#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvLanguage.h>
#include <KvLibNav6/KvLib.h>

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QSet>
#include <QSignalSpy>
#include <QStringList>
#include <cmath>
#include <memory>

namespace {

struct NavObjectDeleter {
    void operator()(NavObject *o) const { ObjectDelete(o); }
};
using ManagerPtr = std::unique_ptr<ITxtFormatProfileManager, NavObjectDeleter>;

class LanguageGuard {
public:
    explicit LanguageGuard(int32_t language) : FSaved(GetCurrentLanguage()) {
        SetCurrentLanguage(language);
    }
    ~LanguageGuard() { SetCurrentLanguage(FSaved); }

private:
    int32_t FSaved;
};

QString Key(const char16_t *key) {
    return QString::fromUtf16(key);
}

// Every key in the fixed order of the display-name tables.
QStringList KindKeys() {
    using namespace TxtFormatKindKey;
    return {Key(Group), Key(Height), Key(Latitude), Key(Longitude), Key(Name),  Key(Proximity),
            Key(Radius), Key(RDX),   Key(RDY),      Key(SubName),   Key(Type),  Key(Undefined)};
}

QStringList TypeKeys() {
    using namespace TxtFormatTypeKey;
    return {Key(DistMM),          Key(DistCM),           Key(DistDM),     Key(DistFathom),
            Key(DistFoot),        Key(DistInch),         Key(DistKM),     Key(DistM),
            Key(DistNauticalMile), Key(DistStatuteMile), Key(DistYard),   Key(GeoDegFloat),
            Key(GeoDegInt),       Key(GeoMinFloat),      Key(GeoMinInt),  Key(GeoRad),
            Key(GeoSecFloat),     Key(RD),               Key(Text)};
}

QString KindName(const QString &key) {
    QString name = QStringLiteral("<none>");
    TxtFormatKindToStr(key, name);
    return name;
}

QString TypeName(const QString &key) {
    QString name = QStringLiteral("<none>");
    TxtFormatTypeToStr(key, name);
    return name;
}

TFormatSettings CommaSettings() {
    TFormatSettings fs = InvariantFormatSettings();
    fs.DecimalSeparator = u',';
    fs.ThousandSeparator = u'.';
    return fs;
}

}  // namespace

TEST(KvTxtFormat, TryStrToValueConvertsDistancesToMetres) {
    const TFormatSettings point = InvariantFormatSettings();
    const TFormatSettings comma = CommaSettings();
    struct Case {
        const char *name;
        const char *text;
        int32_t type;
        const TFormatSettings *fs;
        bool ok;
        double metres;
    };
    const Case cases[] = {
        {"statute miles", "1.5", TxtFormatDistanceUnit::StatuteMile, &point, true, 2414.016},
        {"metres kept", "1.5", TxtFormatDistanceUnit::Metre, &point, true, 1.5},
        {"type 0 kept", "1.5", 0, &point, true, 1.5},
        {"type 12 kept", "1.5", 12, &point, true, 1.5},
        {"negative type kept", "1.5", -3, &point, true, 1.5},
        {"nautical mile", "1", TxtFormatDistanceUnit::NauticalMile, &point, true, 1852.0},
        {"millimetres", "1000", TxtFormatDistanceUnit::Millimetre, &point, true, 1.0},
        {"centimetres", "25", TxtFormatDistanceUnit::Centimetre, &point, true, 0.25},
        {"decimetres", "3", TxtFormatDistanceUnit::Decimetre, &point, true, 0.3},
        {"kilometres", "2", TxtFormatDistanceUnit::Kilometre, &point, true, 2000.0},
        {"inches", "12", TxtFormatDistanceUnit::Inch, &point, true, 0.3048},
        {"foot", "1", TxtFormatDistanceUnit::Foot, &point, true, 0.3048},
        {"yard", "1", TxtFormatDistanceUnit::Yard, &point, true, 0.9144},
        {"fathom", "1", TxtFormatDistanceUnit::Fathom, &point, true, 1.8288},
        {"negative value", "-2", TxtFormatDistanceUnit::Kilometre, &point, true, -2000.0},
        {"blanks around", "  7 ", TxtFormatDistanceUnit::Metre, &point, true, 7.0},
        {"comma locale", "1,5", TxtFormatDistanceUnit::Metre, &comma, true, 1.5},
        {"comma locale miles", "1,5", TxtFormatDistanceUnit::StatuteMile, &comma, true, 2414.016},
        {"comma in point locale", "1,5", TxtFormatDistanceUnit::Metre, &point, false, 0.0},
        {"point in comma locale", "1.5", TxtFormatDistanceUnit::Metre, &comma, false, 0.0},
        {"letters", "abc", TxtFormatDistanceUnit::Metre, &point, false, 0.0},
        {"number then letters", "12m", TxtFormatDistanceUnit::Metre, &point, false, 0.0},
        {"empty", "", TxtFormatDistanceUnit::Metre, &point, false, 0.0},
        {"not a number text", "nan", 0, &point, false, 0.0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        double value = -12345.0;
        const bool ok = TxtFormatTryStrToValue(QString::fromUtf8(c.text), value, c.type, *c.fs);
        EXPECT_EQ(ok, c.ok);
        if (c.ok)
            EXPECT_NEAR(value, c.metres, 1e-9 * std::max(1.0, std::fabs(c.metres)));
        else
            EXPECT_EQ(value, -12345.0);  // untouched
    }
}

TEST(KvTxtFormat, EveryKeyHasANameInEveryLanguageAndNamesAreDistinct) {
    for (int32_t lang = KvLang::First; lang <= KvLang::Last; ++lang) {
        SCOPED_TRACE(lang);
        LanguageGuard guard(lang);
        for (const auto &[keys, kinds] : {std::pair{KindKeys(), true}, std::pair{TypeKeys(), false}}) {
            QSet<QString> seen;
            for (const QString &key : keys) {
                SCOPED_TRACE(key.toStdString());
                QString name;
                ASSERT_TRUE(kinds ? TxtFormatKindToStr(key, name) : TxtFormatTypeToStr(key, name));
                EXPECT_FALSE(name.isEmpty());
                EXPECT_FALSE(seen.contains(name)) << name.toStdString();
                seen.insert(name);
            }
        }
    }
}

TEST(KvTxtFormat, DisplayNamesPerLanguage) {
    struct Case {
        const char *name;
        int32_t language;
        bool kind;
        const char16_t *key;
        const char *expected;
    };
    using namespace TxtFormatKindKey;
    using namespace TxtFormatTypeKey;
    const Case cases[] = {
        {"English name", KvLang::English, true, TxtFormatKindKey::Name, "Name"},
        {"English sub name", KvLang::English, true, SubName, "Sub name"},
        {"English RD X", KvLang::English, true, RDX, "RD X-coördinate"},
        {"Dutch RD X", KvLang::Dutch, true, RDX, "RD X-coördinaat"},
        {"German RD X is English", KvLang::German, true, RDX, "RD X-coördinate"},
        {"Swedish RD Y is English", KvLang::Swedish, true, RDY, "RD Y-coördinate"},
        {"German latitude", KvLang::German, true, Latitude, "Breite"},
        {"French undefined", KvLang::French, true, Undefined, "Non défini"},
        {"English nautical mile", KvLang::English, false, DistNauticalMile, "Mile (Nautical)"},
        {"English degrees", KvLang::English, false, GeoDegFloat, "Degrees (D.dd)"},
        {"English RD", KvLang::English, false, TxtFormatTypeKey::RD, "RD (m)"},
        {"German RD", KvLang::German, false, TxtFormatTypeKey::RD, "RD (m)"},
        {"French RD is English", KvLang::French, false, TxtFormatTypeKey::RD, "RD (m)"},
        {"Spanish metre", KvLang::Spanish, false, DistM, "Metro"},
        {"Danish foot", KvLang::Danish, false, DistFoot, "Fod"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        LanguageGuard guard(c.language);
        const QString key = Key(c.key);
        EXPECT_EQ(c.kind ? KindName(key) : TypeName(key), QString::fromUtf8(c.expected));
    }
}

TEST(KvTxtFormat, UnknownKeysLeaveTheNameUnchanged) {
    struct Case { const char *name; const char *key; };
    const Case cases[] = {{"empty", ""},
                          {"lower case", "kind_name"},
                          {"future kind", "KIND_DEPTH"},
                          {"type as kind", "TYPE_DIST_M"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QString name = QStringLiteral("keep");
        EXPECT_FALSE(TxtFormatKindToStr(QString::fromUtf8(c.key), name));
        EXPECT_EQ(name, QStringLiteral("keep"));
    }
    QString name = QStringLiteral("keep");
    EXPECT_FALSE(TxtFormatTypeToStr(QStringLiteral("KIND_NAME"), name));
    EXPECT_EQ(name, QStringLiteral("keep"));
}

TEST(KvTxtFormat, LongestNamesKeepTheLaterOfEquallyLongOnes) {
    {
        LanguageGuard guard(KvLang::English);
        EXPECT_EQ(TxtFormatLongestKindName(), QStringLiteral("RD Y-coördinate"));
        EXPECT_EQ(TxtFormatLongestTypeName(), QStringLiteral("Mile (Nautical)"));
    }
    {
        LanguageGuard guard(KvLang::Dutch);
        EXPECT_EQ(TxtFormatLongestKindName(), QStringLiteral("RD Y-coördinaat"));
    }
    // In every language: as long as any name, and no later name is as long.
    for (int32_t lang = KvLang::First; lang <= KvLang::Last; ++lang) {
        SCOPED_TRACE(lang);
        LanguageGuard guard(lang);
        for (const auto &[keys, kinds] : {std::pair{KindKeys(), true}, std::pair{TypeKeys(), false}}) {
            const QString longest = kinds ? TxtFormatLongestKindName() : TxtFormatLongestTypeName();
            QStringList names;
            for (const QString &k : keys) names << (kinds ? KindName(k) : TypeName(k));
            const qsizetype at = names.lastIndexOf(longest);
            ASSERT_GE(at, 0);
            for (qsizetype i = 0; i < names.size(); ++i) {
                EXPECT_LE(names[i].size(), longest.size()) << names[i].toStdString();
                if (i > at) {
                    EXPECT_LT(names[i].size(), longest.size()) << names[i].toStdString();
                }
            }
        }
    }
}

TEST(KvTxtFormat, ProfileNamesByKind) {
    struct Case {
        const char *name;
        int32_t language;
        int32_t kind;
        bool ok;
        const char *defaultName;
        const char *newName;
    };
    const Case cases[] = {
        {"waypoints", KvLang::English, 1, true, "Default waypoint profile", "New waypoint profile"},
        {"routes", KvLang::English, 2, true, "Default route profile", "New route profile"},
        {"Dutch routes", KvLang::Dutch, 2, true, "Standaard routeprofiel", "Nieuw routeprofiel"},
        {"German waypoints", KvLang::German, 1, true, "Standard-Wegpunktprofil",
         "Neues Wegpunktprofil"},
        {"kind 0", KvLang::English, 0, false, "keep", "keep"},
        {"kind 3", KvLang::English, 3, false, "keep", "keep"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        LanguageGuard guard(c.language);
        QString def = QStringLiteral("keep"), fresh = QStringLiteral("keep");
        EXPECT_EQ(TxtFormatDefaultProfileName(c.kind, def), c.ok);
        EXPECT_EQ(TxtFormatNewProfileName(c.kind, fresh), c.ok);
        EXPECT_EQ(def, QString::fromUtf8(c.defaultName));
        EXPECT_EQ(fresh, QString::fromUtf8(c.newName));
    }
}

namespace {

// Records every call the init routines make on a profile and its options.
class TRecordingProfile final : public ITxtFormatProfile {
public:
    class TRecOption final : public ITxtFormatOption {
    public:
        TRecOption(QStringList &log, int32_t c, int32_t o) : FLog(log), FC(c), FO(o) {}
        void SelectAsType() override { FLog << QStringLiteral("(%1,%2) type").arg(FC).arg(FO); }
        void SelectAsKind() override { FLog << QStringLiteral("(%1,%2) kind").arg(FC).arg(FO); }

    private:
        QStringList &FLog;
        int32_t FC, FO;
    };

    QStringList Log;

    void AddKind(const TStrWRec &k, int32_t c) override {
        Log << QStringLiteral("add %1 %2").arg(QString::fromUtf16(k.Text, k.Length)).arg(c);
    }
    void Clear() override { Log << QStringLiteral("clear"); }
    ITxtFormatOption *GetOption(int32_t column, int32_t option) override {
        FOptions.push_back(std::make_unique<TRecOption>(Log, column, option));
        return FOptions.back().get();
    }
    const TStrWRec *GetKindKey(int32_t) override { return nullptr; }
    const TStrWRec *GetName() override { return nullptr; }
    char16_t GetDecimalSeparator() override { return u'.'; }
    char16_t GetFieldSeparator() override { return 0; }
    void CommitKinds(int32_t reserved) override { Log << QStringLiteral("commit %1").arg(reserved); }
    void SetName(const TStrWRec &) override {}
    void SetDecimalSeparator(char16_t) override {}
    void SetFieldSeparator(char16_t) override {}
    bool IsDefault() override { return true; }
    bool IsModified() override { return false; }
    void Assign(ITxtFormatProfile *) override {}
    ITxtFormatField *GetField(int32_t) override { return nullptr; }
    int32_t GetFieldCount() override { return 0; }

private:
    std::vector<std::unique_ptr<TRecOption>> FOptions;
};

}  // namespace

TEST(KvTxtFormat, InitRoutinesMakeTheBuiltInCallSequence) {
    const QStringList waypointKinds = {
        "clear",           "add KIND_UNDEFINED 3", "add KIND_NAME 3",  "add KIND_LATITUDE 2",
        "add KIND_LONGITUDE 2", "add KIND_SUBNAME 3", "add KIND_PROXIMITY 1", "add KIND_GROUP 3",
        "add KIND_TYPE 3", "add KIND_RDX 4",       "add KIND_RDY 4",   "commit 0"};
    const QStringList routeKinds = {"clear",           "add KIND_UNDEFINED 3",
                                    "add KIND_NAME 3", "add KIND_LATITUDE 2",
                                    "add KIND_LONGITUDE 2", "add KIND_RADIUS 1", "commit 0"};
    const QStringList columns = {"(0,1) kind", "(1,2) kind", "(1,2) type",
                                 "(2,3) kind", "(2,2) type", "(3,4) kind"};
    struct Case {
        const char *name;
        void (*init)(ITxtFormatProfile *, bool);
        bool defaults;
        QStringList expected;
    };
    const Case cases[] = {
        {"waypoint kinds only", TxtFormatProfileInitWaypoint, false, waypointKinds},
        {"waypoint with columns", TxtFormatProfileInitWaypoint, true, waypointKinds + columns},
        {"route kinds only", TxtFormatProfileInitRoute, false, routeKinds},
        {"route with columns", TxtFormatProfileInitRoute, true,
         routeKinds + columns + QStringList{"(3,3) type"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TRecordingProfile p;
        c.init(&p, c.defaults);
        EXPECT_EQ(p.Log, c.expected);
    }
    TxtFormatProfileInitWaypoint(nullptr, true);  // no profile: nothing to do, no crash
}

TEST(KvTxtFormat, BuiltInProfilesGiveTheirColumnsInTheLibrary) {
    using namespace TxtFormatKindKey;
    using namespace TxtFormatTypeKey;
    struct Column { const char16_t *kind; const char16_t *type; };
    struct Case {
        const char *name;
        void (*init)(ITxtFormatProfile *, bool);
        int32_t kindCount;
        std::vector<Column> columns;
    };
    const Case cases[] = {
        {"waypoint", TxtFormatProfileInitWaypoint, 10,
         {{TxtFormatKindKey::Name, TxtFormatTypeKey::Text}, {Latitude, GeoDegFloat},
          {Longitude, GeoDegFloat}, {SubName, TxtFormatTypeKey::Text},
          {Undefined, TxtFormatTypeKey::Text}}},
        {"route", TxtFormatProfileInitRoute, 5,
         {{TxtFormatKindKey::Name, TxtFormatTypeKey::Text}, {Latitude, GeoDegFloat},
          {Longitude, GeoDegFloat}, {Radius, DistM}, {Undefined, TxtFormatTypeKey::Text}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ManagerPtr m(CreateTxtFormatProfileManagerEmpty());
        ITxtFormatProfile *p = TxtFormatProfileManagerAdd(m.get(), QStringLiteral("p"));
        // Whatever the profile held before is replaced.
        TxtFormatProfileAddKind(p, QStringLiteral("KIND_OLD"), TxtFormatValueClass::Text);
        c.init(p, true);
        EXPECT_EQ(TxtFormatProfileGetKindKey(p, 0), Key(Undefined));
        EXPECT_TRUE(TxtFormatProfileGetKindKey(p, c.kindCount - 1).size() > 0);
        EXPECT_TRUE(TxtFormatProfileGetKindKey(p, c.kindCount).isEmpty());
        for (size_t col = 0; col < c.columns.size(); ++col) {
            SCOPED_TRACE(col);
            ITxtFormatField *f = p->GetField(int32_t(col));
            ASSERT_NE(f, nullptr);
            EXPECT_EQ(TxtFormatFieldGetKindKey(f, f->GetKindIndex()), Key(c.columns[col].kind));
            EXPECT_EQ(TxtFormatFieldGetTypeKey(f, f->GetTypeIndex()), Key(c.columns[col].type));
        }
        EXPECT_EQ(p->GetFieldCount(), 4);
        // Without default columns every column is undefined.
        c.init(p, false);
        EXPECT_EQ(p->GetFieldCount(), 0);
    }
}

TEST(KvTxtFormat, ComboBoxesListTheColumnsChoicesSilently) {
    ManagerPtr m(CreateTxtFormatProfileManagerEmpty());
    ITxtFormatProfile *p = TxtFormatProfileManagerAdd(m.get(), QStringLiteral("r"));
    TxtFormatProfileInitRoute(p, true);
    TxtFormatProfileAddKind(p, QStringLiteral("KIND_FUTURE"), TxtFormatValueClass::Text);
    ITxtFormatField *radius = p->GetField(3);

    LanguageGuard guard(KvLang::German);
    QComboBox combo;
    combo.addItem(QStringLiteral("stale"));
    QSignalSpy changed(&combo, &QComboBox::currentIndexChanged);

    TxtFormatFillKindCombo(radius, &combo);
    QStringList items;
    for (int i = 0; i < combo.count(); ++i) items << combo.itemText(i);
    // An unknown kind shows its key.
    EXPECT_EQ(items, (QStringList{"Undefiniert", "Name", "Breite", "Länge", "Radius", "KIND_FUTURE"}));
    EXPECT_EQ(combo.currentIndex(), 4);

    TxtFormatFillTypeCombo(radius, &combo);
    ASSERT_EQ(combo.count(), radius->GetTypeCount());
    EXPECT_EQ(combo.itemText(0), QStringLiteral("Millimeter"));
    EXPECT_EQ(combo.itemText(10), QStringLiteral("Meile (See)"));
    EXPECT_EQ(combo.currentText(), QStringLiteral("Meter"));
    EXPECT_EQ(changed.count(), 0);
}

TEST(KvTxtFormat, WrappersPassThroughToTheProfiles) {
    ManagerPtr m(CreateTxtFormatProfileManagerEmpty());
    ITxtFormatProfile *p = TxtFormatProfileManagerAdd(m.get(), QStringLiteral("Één"));
    TxtFormatProfileInitWaypoint(p, true);
    int32_t index = -1;
    EXPECT_TRUE(TxtFormatProfileManagerFind(m.get(), QStringLiteral("Één"), index));
    EXPECT_EQ(m->GetProfile(index), p);
    EXPECT_FALSE(TxtFormatProfileManagerFind(m.get(), QStringLiteral("een"), index));
    TxtFormatProfileSetName(p, QStringLiteral("Zwei"));
    EXPECT_EQ(TxtFormatProfileGetName(p), QStringLiteral("Zwei"));

    ITxtFormatField *lat = p->GetField(1);
    EXPECT_EQ(TxtFormatFieldIndexOfType(lat, Key(TxtFormatTypeKey::GeoRad)), 0);
    EXPECT_EQ(TxtFormatFieldIndexOfType(lat, Key(TxtFormatTypeKey::DistM)), -1);
    EXPECT_EQ(TxtFormatFieldIndexOfType(lat, QString()), -1);
    EXPECT_TRUE(TxtFormatFieldGetTypeKey(lat, 99).isEmpty());
    EXPECT_TRUE(TxtFormatFieldGetKindKey(lat, -1).isEmpty());
}

TEST(KvTxtFormat, ProfileFileRoundTripKeepsSeparatorsAndColumns) {
    const QString dir = testsupport::MakeTempDir(QStringLiteral("txtformat"));
    const QString file = QDir(dir).filePath(QStringLiteral("Marivo.ProfilesWPT"));
    struct Sep { const char *name; QChar field; QChar decimal; };
    const Sep seps[] = {{"none", QChar(0), u','}, {"tab", u'\t', u'.'}, {"semicolon", u';', u','}};

    int32_t err = -1;
    EXPECT_EQ(CreateTxtFormatProfileManager(file, err), nullptr);
    EXPECT_EQ(err, KvErr::NotFound);

    ManagerPtr m(CreateTxtFormatProfileManagerEmpty());
    TxtFormatProfileManagerSetFileName(m.get(), file);
    EXPECT_EQ(TxtFormatProfileManagerGetFileName(m.get()), file);
    int32_t def = -1;
    ASSERT_TRUE(m->GetDefaultIndex(def));
    TxtFormatProfileInitWaypoint(m->GetProfile(def), true);
    QString name;
    ASSERT_TRUE(TxtFormatDefaultProfileName(TxtFormatProfileKind::Waypoint, name));
    TxtFormatProfileSetName(m->GetProfile(def), name);
    for (const Sep &s : seps) {
        ITxtFormatProfile *p = TxtFormatProfileManagerAdd(m.get(), QString::fromUtf8(s.name));
        TxtFormatProfileInitRoute(p, true);
        TxtFormatProfileSetFieldSeparator(p, s.field);
        TxtFormatProfileSetDecimalSeparator(p, s.decimal);
        EXPECT_EQ(TxtFormatProfileGetFieldSeparator(p), s.field);
    }
    m->SaveToFile(err);
    ASSERT_EQ(err, KvErr::Ok);

    ManagerPtr back(CreateTxtFormatProfileManager(file, err));
    ASSERT_EQ(err, KvErr::Ok);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(TxtFormatProfileManagerGetFileName(back.get()), file);
    int32_t index = -1;
    ASSERT_TRUE(TxtFormatProfileManagerFind(back.get(), name, index));
    EXPECT_TRUE(back->GetProfile(index)->IsDefault());
    EXPECT_EQ(TxtFormatProfileGetKindKey(back->GetProfile(index), 9), Key(TxtFormatKindKey::RDY));
    for (const Sep &s : seps) {
        SCOPED_TRACE(s.name);
        ASSERT_TRUE(TxtFormatProfileManagerFind(back.get(), QString::fromUtf8(s.name), index));
        ITxtFormatProfile *p = back->GetProfile(index);
        EXPECT_EQ(TxtFormatProfileGetFieldSeparator(p), s.field);
        EXPECT_EQ(TxtFormatProfileGetDecimalSeparator(p), s.decimal);
        ITxtFormatField *radius = p->GetField(3);
        EXPECT_EQ(TxtFormatFieldGetKindKey(radius, radius->GetKindIndex()), Key(TxtFormatKindKey::Radius));
        EXPECT_EQ(radius->GetDistanceUnit(), TxtFormatDistanceUnit::Metre);
    }
}
