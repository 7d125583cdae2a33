// Text-format profiles of the delimited-text import and their profile files.
//
// Column model: a profile lists the kinds its columns may take (each with a value class);
// every column (0..31) has a kind index into that list and a type index into the value types
// its kind's class allows. Option (column, n) selects choice n of the column, as its kind
// (slot 12) or as its value type (slot 11).
//
// Profile file: UTF-8 JSON {"format": "KvTxtFormatProfiles", "version": 1, "profiles": [...]},
// written atomically.
#include "kernel/KvInternal.h"
#include "KvLibNav6/KvErrorCodes.h"
#include "KvLibNav6/KvTxtFormat.h"
#include "waypoints/TxtFormatImport.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <array>
#include <map>
#include <memory>
#include <vector>

namespace kv::txt {

namespace {

constexpr int32_t ColumnCount = 32;
constexpr char FormatName[] = "KvTxtFormatProfiles";
constexpr int FormatVersion = 1;
// Profiles, kinds and names beyond these sizes are not ours.
constexpr int MaxProfiles = 10000;
constexpr int MaxKinds = 64;

const TStrWRec &KeyRec(const char16_t *key) {
    // One record per key constant, made once: getters hand out pointers to them.
    static std::map<const char16_t *, TStrWRec> recs;
    auto it = recs.find(key);
    if (it == recs.end()) {
        int32_t n = 0;
        while (key[n]) ++n;
        it = recs.emplace(key, TStrWRec{n, key}).first;
    }
    return it->second;
}

// Value types a kind of each class allows, in choice order. For distances the index is
// the distance unit less one; for coordinates the geo format less one.
const std::vector<const char16_t *> &TypesOf(int32_t valueClass) {
    using namespace TxtFormatTypeKey;
    static const std::vector<const char16_t *> distance = {
        DistMM, DistCM, DistDM, DistM, DistKM, DistInch, DistFoot, DistYard, DistFathom,
        DistStatuteMile, DistNauticalMile};
    static const std::vector<const char16_t *> geo = {GeoRad,      GeoDegInt,   GeoDegFloat,
                                                      GeoMinInt,   GeoMinFloat, GeoSecFloat,
                                                      TxtFormatTypeKey::Text};
    static const std::vector<const char16_t *> rd = {RD};
    static const std::vector<const char16_t *> text = {TxtFormatTypeKey::Text};
    switch (valueClass) {
    case TxtFormatValueClass::Distance:
        return distance;
    case TxtFormatValueClass::Geo:
        return geo;
    case TxtFormatValueClass::RD:
        return rd;
    default:
        return text;
    }
}

QString KeyText(const char16_t *key) {
    return QString::fromUtf16(key);
}

}  // namespace

class TProfile;

class TField final : public ITxtFormatField {
public:
    TField(TProfile *p, int32_t column) : FProfile(p), FColumn(column) {}
    const TStrWRec *GetTypeKey(int32_t i) override;
    int32_t GetTypeCount() override;
    int32_t GetTypeIndex() override;
    int32_t IndexOfType(const TStrWRec &key) override;
    const TStrWRec *GetKindKey(int32_t i) override;
    int32_t GetKindCount() override;
    int32_t GetKindIndex() override;
    void SetKindIndex(int32_t index) override;
    void SetTypeIndex(int32_t index) override;
    int32_t GetGeoFormat() override;
    int32_t GetDistanceUnit() override;

private:
    int32_t ValueClass();
    TProfile *FProfile;
    int32_t FColumn;
};

class TOption final : public ITxtFormatOption {
public:
    TOption(TField *field, int32_t option) : FField(field), FOption(option) {}
    void SelectAsType() override { FField->SetTypeIndex(FOption); }
    void SelectAsKind() override { FField->SetKindIndex(FOption); }

private:
    TField *FField;
    int32_t FOption;
};

class TProfile final : public ITxtFormatProfile {
public:
    struct TKind {
        std::unique_ptr<TOwnedText> Key;
        int32_t Class = TxtFormatValueClass::Text;
    };
    struct TColumn {
        int32_t Kind = -1;  // -1 = "KIND_UNDEFINED" (or the first kind when there is none)
        int32_t Type = 0;
    };

    TProfile() {
        FName.Set(QString());
        for (int32_t i = 0; i < ColumnCount; ++i) FFields[size_t(i)] = std::make_unique<TField>(this, i);
    }

    void AddKind(const TStrWRec &kindKey, int32_t valueClass) override {
        if (int32_t(FKinds.size()) >= MaxKinds) return;
        TKind k;
        k.Key = std::make_unique<TOwnedText>();
        k.Key->Set(kv::ToQString(kindKey));
        k.Class = valueClass >= 1 && valueClass <= 4 ? valueClass : TxtFormatValueClass::Text;
        FKinds.push_back(std::move(k));
        FModified = true;
    }
    void Clear() override {
        FKinds.clear();
        FColumns = {};
        FModified = true;
    }
    ITxtFormatOption *GetOption(int32_t column, int32_t option) override {
        if (column < 0 || column >= ColumnCount || option < 0) return nullptr;
        auto &slot = FOptions[{column, option}];
        if (!slot) slot = std::make_unique<TOption>(FFields[size_t(column)].get(), option);
        return slot.get();
    }
    const TStrWRec *GetKindKey(int32_t i) override {
        return i >= 0 && i < int32_t(FKinds.size()) ? FKinds[size_t(i)].Key->Get() : nullptr;
    }
    const TStrWRec *GetName() override { return FName.Get(); }
    char16_t GetDecimalSeparator() override { return FDecimal; }
    char16_t GetFieldSeparator() override { return FFieldSep; }
    void CommitKinds(int32_t) override {
        // Columns whose kind is gone fall back to the undefined kind.
        for (TColumn &c : FColumns)
            if (c.Kind >= int32_t(FKinds.size())) c = TColumn{};
    }
    void SetName(const TStrWRec &name) override {
        FName.Set(kv::ToQString(name));
        FModified = true;
    }
    void SetDecimalSeparator(char16_t separator) override {
        FDecimal = separator == u',' ? u',' : u'.';
        FModified = true;
    }
    void SetFieldSeparator(char16_t separator) override {
        FFieldSep = separator;
        FModified = true;
    }
    bool IsDefault() override { return FDefault; }
    bool IsModified() override { return FModified; }
    void Assign(ITxtFormatProfile *source) override {
        auto *src = dynamic_cast<TProfile *>(source);
        if (!src || src == this) return;
        FName.Set(kv::ToQString(*src->FName.Get()));
        FDecimal = src->FDecimal;
        FFieldSep = src->FFieldSep;
        FKinds.clear();
        for (const TKind &k : src->FKinds) {
            TKind c;
            c.Key = std::make_unique<TOwnedText>();
            c.Key->Set(kv::ToQString(*k.Key->Get()));
            c.Class = k.Class;
            FKinds.push_back(std::move(c));
        }
        FColumns = src->FColumns;
        FModified = true;
    }
    ITxtFormatField *GetField(int32_t column) override {
        return column >= 0 && column < ColumnCount ? FFields[size_t(column)].get() : nullptr;
    }
    int32_t GetFieldCount() override {
        int32_t n = 0;
        for (int32_t i = 0; i < ColumnCount; ++i)
            if (KindIndexOf(i) != UndefinedKind()) n = i + 1;
        return n;
    }

    int32_t UndefinedKind() const {
        for (size_t i = 0; i < FKinds.size(); ++i)
            if (kv::ToQString(*FKinds[i].Key->Get()) == KeyText(TxtFormatKindKey::Undefined))
                return int32_t(i);
        return FKinds.empty() ? -1 : 0;
    }
    int32_t KindIndexOf(int32_t column) const {
        const int32_t k = FColumns[size_t(column)].Kind;
        return k >= 0 && k < int32_t(FKinds.size()) ? k : UndefinedKind();
    }

    QJsonObject ToJson() const {
        QJsonObject o;
        o[QStringLiteral("name")] = kv::ToQString(*FName.Get());
        o[QStringLiteral("default")] = FDefault;
        o[QStringLiteral("decimalSeparator")] = int(FDecimal);
        o[QStringLiteral("fieldSeparator")] = int(FFieldSep);
        QJsonArray kinds;
        for (const TKind &k : FKinds)
            kinds.append(QJsonObject{{QStringLiteral("key"), kv::ToQString(*k.Key->Get())},
                                     {QStringLiteral("class"), k.Class}});
        o[QStringLiteral("kinds")] = kinds;
        QJsonArray columns;
        for (const TColumn &c : FColumns) columns.append(QJsonArray{c.Kind, c.Type});
        o[QStringLiteral("columns")] = columns;
        return o;
    }
    bool FromJson(const QJsonObject &o) {
        if (!o.value(QStringLiteral("name")).isString() || !o.value(QStringLiteral("kinds")).isArray())
            return false;
        FName.Set(o.value(QStringLiteral("name")).toString());
        FDefault = o.value(QStringLiteral("default")).toBool();
        const int dec = o.value(QStringLiteral("decimalSeparator")).toInt('.');
        FDecimal = dec == ',' ? u',' : u'.';
        const int sep = o.value(QStringLiteral("fieldSeparator")).toInt(0);
        if (sep < 0 || sep > 0xFFFF) return false;
        FFieldSep = char16_t(sep);
        const QJsonArray kinds = o.value(QStringLiteral("kinds")).toArray();
        if (kinds.size() > MaxKinds) return false;
        for (const QJsonValue &v : kinds) {
            const QJsonObject k = v.toObject();
            const QString key = k.value(QStringLiteral("key")).toString();
            if (key.isEmpty()) return false;
            AddKind(kv::ToRec(key), k.value(QStringLiteral("class")).toInt(TxtFormatValueClass::Text));
        }
        const QJsonArray columns = o.value(QStringLiteral("columns")).toArray();
        for (qsizetype i = 0; i < std::min<qsizetype>(columns.size(), ColumnCount); ++i) {
            const QJsonArray c = columns[i].toArray();
            TColumn &col = FColumns[size_t(i)];
            col.Kind = c.at(0).toInt(-1);
            if (col.Kind < -1 || col.Kind >= int32_t(FKinds.size())) col.Kind = -1;
            col.Type = std::max(0, c.at(1).toInt(0));
        }
        FModified = false;
        return true;
    }

    TOwnedText FName;
    char16_t FDecimal = u'.';
    char16_t FFieldSep = u';';
    std::vector<TKind> FKinds;
    std::array<TColumn, ColumnCount> FColumns{};
    std::array<std::unique_ptr<TField>, ColumnCount> FFields;
    std::map<std::pair<int32_t, int32_t>, std::unique_ptr<TOption>> FOptions;
    bool FDefault = false;
    bool FModified = false;
};

int32_t TField::ValueClass() {
    const int32_t k = FProfile->KindIndexOf(FColumn);
    return k < 0 ? TxtFormatValueClass::Text : FProfile->FKinds[size_t(k)].Class;
}

const TStrWRec *TField::GetTypeKey(int32_t i) {
    const auto &types = TypesOf(ValueClass());
    return i >= 0 && i < int32_t(types.size()) ? &KeyRec(types[size_t(i)]) : nullptr;
}

int32_t TField::GetTypeCount() {
    return int32_t(TypesOf(ValueClass()).size());
}

int32_t TField::GetTypeIndex() {
    return std::min(FProfile->FColumns[size_t(FColumn)].Type, GetTypeCount() - 1);
}

int32_t TField::IndexOfType(const TStrWRec &key) {
    const QString k = kv::ToQString(key);
    const auto &types = TypesOf(ValueClass());
    for (size_t i = 0; i < types.size(); ++i)
        if (KeyText(types[i]) == k) return int32_t(i);
    return -1;
}

const TStrWRec *TField::GetKindKey(int32_t i) {
    return FProfile->GetKindKey(i);
}

int32_t TField::GetKindCount() {
    return int32_t(FProfile->FKinds.size());
}

int32_t TField::GetKindIndex() {
    return FProfile->KindIndexOf(FColumn);
}

void TField::SetKindIndex(int32_t index) {
    if (index < 0 || index >= GetKindCount()) return;
    auto &c = FProfile->FColumns[size_t(FColumn)];
    if (c.Kind != index) c.Type = 0;  // the allowed types changed with the kind
    c.Kind = index;
    FProfile->FModified = true;
}

void TField::SetTypeIndex(int32_t index) {
    if (index < 0 || index >= GetTypeCount()) return;
    FProfile->FColumns[size_t(FColumn)].Type = index;
    FProfile->FModified = true;
}

int32_t TField::GetGeoFormat() {
    return ValueClass() == TxtFormatValueClass::Geo ? GetTypeIndex() + 1 : 0;
}

int32_t TField::GetDistanceUnit() {
    return ValueClass() == TxtFormatValueClass::Distance ? GetTypeIndex() + 1 : 0;
}

class TManager final : public ITxtFormatProfileManager {
public:
    TManager() {
        FFile.Set(QString());
        auto builtIn = std::make_unique<TProfile>();
        builtIn->FDefault = true;
        FProfiles.push_back(std::move(builtIn));
    }

    ITxtFormatProfile *Add(const TStrWRec &name) override {
        auto p = std::make_unique<TProfile>();
        p->FName.Set(kv::ToQString(name));
        p->FModified = true;
        FProfiles.push_back(std::move(p));
        return FProfiles.back().get();
    }
    bool Find(const TStrWRec &name, int32_t &index) override {
        const QString n = kv::ToQString(name);
        for (size_t i = 0; i < FProfiles.size(); ++i)
            if (kv::ToQString(*FProfiles[i]->GetName()) == n) {
                index = int32_t(i);
                return true;
            }
        index = -1;
        return false;
    }
    bool GetDefaultIndex(int32_t &index) override {
        for (size_t i = 0; i < FProfiles.size(); ++i)
            if (FProfiles[i]->FDefault) {
                index = int32_t(i);
                return true;
            }
        index = -1;
        return false;
    }
    ITxtFormatProfile *GetProfile(int32_t i) override {
        return i >= 0 && i < GetCount() ? FProfiles[size_t(i)].get() : nullptr;
    }
    const TStrWRec *GetFileName() override { return FFile.Get(); }
    void SetFileName(const TStrWRec &file) override { FFile.Set(kv::ToQString(file)); }
    int32_t GetCount() override { return int32_t(FProfiles.size()); }
    int32_t IndexOf(ITxtFormatProfile *profile) override {
        for (size_t i = 0; i < FProfiles.size(); ++i)
            if (FProfiles[i].get() == profile) return int32_t(i);
        return -1;
    }
    void Delete(ITxtFormatProfile *profile) override {
        const int32_t i = IndexOf(profile);
        // The built-in profile stays: the environment initialises it at every start.
        if (i < 0 || FProfiles[size_t(i)]->FDefault) return;
        FProfiles.erase(FProfiles.begin() + i);
    }
    ITxtFormatProfile *CopyProfile(ITxtFormatProfile *profile) override {
        auto *src = dynamic_cast<TProfile *>(profile);
        if (!src) return nullptr;
        auto *copy = new TProfile();
        copy->Assign(src);
        copy->FModified = false;
        return copy;
    }
    void SaveToFile(int32_t &err) override {
        const QString file = kv::ToQString(*FFile.Get());
        if (file.isEmpty()) {
            err = KvErr::InvalidArgument;
            return;
        }
        QJsonArray profiles;
        for (auto &p : FProfiles) profiles.append(p->ToJson());
        const QJsonObject root{{QStringLiteral("format"), QString::fromLatin1(FormatName)},
                               {QStringLiteral("version"), FormatVersion},
                               {QStringLiteral("profiles"), profiles}};
        QSaveFile out(file);
        if (!out.open(QIODevice::WriteOnly)) {
            err = KvErr::WriteFailed;
            return;
        }
        out.write(QJsonDocument(root).toJson());
        if (!out.commit()) {
            err = KvErr::WriteFailed;
            return;
        }
        for (auto &p : FProfiles) p->FModified = false;
        err = KvErr::Ok;
    }

    int32_t Load(const QString &file) {
        QFile in(file);
        if (!in.exists()) return KvErr::NotFound;
        if (!in.open(QIODevice::ReadOnly)) return KvErr::ReadFailed;
        QJsonParseError perr;
        const QJsonDocument doc = QJsonDocument::fromJson(in.readAll(), &perr);
        if (perr.error != QJsonParseError::NoError || !doc.isObject()) return KvErr::BadFormat;
        const QJsonObject root = doc.object();
        if (root.value(QStringLiteral("format")).toString() != QLatin1String(FormatName))
            return KvErr::BadFormat;
        const int version = root.value(QStringLiteral("version")).toInt(0);
        if (version < 1) return KvErr::BadFormat;
        if (version > FormatVersion) return KvErr::BadVersion;
        const QJsonArray profiles = root.value(QStringLiteral("profiles")).toArray();
        if (profiles.size() > MaxProfiles) return KvErr::BadFormat;
        std::vector<std::unique_ptr<TProfile>> loaded;
        bool haveDefault = false;
        for (const QJsonValue &v : profiles) {
            auto p = std::make_unique<TProfile>();
            if (!v.isObject() || !p->FromJson(v.toObject())) return KvErr::BadFormat;
            if (p->FDefault) {
                if (haveDefault) p->FDefault = false;  // one built-in profile only
                haveDefault = true;
            }
            loaded.push_back(std::move(p));
        }
        if (!haveDefault) {
            auto builtIn = std::make_unique<TProfile>();
            builtIn->FDefault = true;
            loaded.insert(loaded.begin(), std::move(builtIn));
        }
        FProfiles = std::move(loaded);
        FFile.Set(file);
        return KvErr::Ok;
    }

    int32_t Import(const QByteArray &json, bool overwrite) {
        QJsonParseError perr;
        const QJsonDocument doc = QJsonDocument::fromJson(json, &perr);
        if (perr.error != QJsonParseError::NoError || !doc.isObject()) return KvErr::BadFormat;
        auto p = std::make_unique<TProfile>();
        if (!p->FromJson(doc.object())) return KvErr::BadFormat;
        p->FDefault = false;
        p->FModified = true;
        if (overwrite) {
            const QString name = kv::ToQString(*p->GetName());
            for (auto &existing : FProfiles)
                if (!existing->FDefault && kv::ToQString(*existing->GetName()) == name) {
                    existing = std::move(p);
                    return KvErr::Ok;
                }
        }
        if (int(FProfiles.size()) >= MaxProfiles) return KvErr::OutOfRange;
        FProfiles.push_back(std::move(p));
        return KvErr::Ok;
    }

private:
    std::vector<std::unique_ptr<TProfile>> FProfiles;
    TOwnedText FFile;
};

int32_t ImportProfileJson(ITxtFormatProfileManager *target, const QByteArray &json, bool overwrite) {
    auto *m = dynamic_cast<TManager *>(target);
    return m ? m->Import(json, overwrite) : KvErr::InvalidArgument;
}

}  // namespace kv::txt

ITxtFormatProfileManager *TxtFormatProfileManagerCreate(const TStrWRec &file, int32_t &err) {
    auto m = std::make_unique<kv::txt::TManager>();
    err = m->Load(kv::ToQString(file));
    return err == KvErr::Ok ? m.release() : nullptr;
}

ITxtFormatProfileManager *TxtFormatProfileManagerCreateEmpty() {
    return new kv::txt::TManager();
}
