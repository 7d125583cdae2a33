// The settings registry over the settings files, and InitApplication, which fixes where
// they live.
//
// Root 1 (the product key) and root 2 (the top of the user's file) are one per-user file
// below $XDG_CONFIG_HOME/Korvane/<product sub-path>/; the product key is the key
// "Software\Korvane\<sub-path>" inside it, so the maker-level key "Software\Korvane\Marivo"
// sits above it in the same file. Root 0 is a read-only file the installation ships.
#include "settings/AppReg.h"
#include "kernel/KvInternal.h"
#include "settings/SettingsStore.h"

#include "KvLibNav6/KvAppReg.h"
#include "KvLibNav6/KvErrorCodes.h"
#include "KvLibNav6/KvLanguage.h"

#include <QDebug>
#include <QDir>
#include <QLocale>
#include <QMutex>
#include <QStandardPaths>
#include <cstring>
#include <string>
#include <unordered_map>

namespace kv {

namespace {

const QString UserFileName = QStringLiteral("Settings.db");
const QString InstallationFileName = QStringLiteral("Installation.db");
const QStringList MakerKey = {QStringLiteral("Software"), QStringLiteral("Korvane")};

QByteArray GuidBytes(const TGUID &g) {
    QByteArray b(16, '\0');
    for (int i = 0; i < 4; ++i) b[i] = char(g.D1 >> (24 - 8 * i));
    b[4] = char(g.D2 >> 8);
    b[5] = char(g.D2);
    b[6] = char(g.D3 >> 8);
    b[7] = char(g.D3);
    for (int i = 0; i < 8; ++i) b[8 + i] = char(g.D4[i]);
    return b;
}

TGUID GuidFromBytes(const QByteArray &b) {
    const auto u = [&b](int i) { return uint32_t(uint8_t(b[i])); };
    TGUID g;
    g.D1 = (u(0) << 24) | (u(1) << 16) | (u(2) << 8) | u(3);
    g.D2 = uint16_t((u(4) << 8) | u(5));
    g.D3 = uint16_t((u(6) << 8) | u(7));
    for (int i = 0; i < 8; ++i) g.D4[i] = uint8_t(b[8 + i]);
    return g;
}

bool IsReal(TRegType t) {
    // A date-time is a Double by definition; either reader takes either.
    return t == TRegType::Double || t == TRegType::DateTime;
}

// Answers about the stored data itself; a failure to read the file is asked again.
bool IsCacheable(int32_t err) {
    return err == KvErr::Ok || err == KvErr::NotFound || err == KvErr::BadFormat;
}

// What the program reads most of the time is the same few hundred values: they are kept
// here, exactly as the store answered (also "not found"), until the store's generation
// moves on (any write, of this process or another one), and then all forgotten at once.
class TReadCache {
public:
    // Valid until the next call.
    const TRegValue *Find(int32_t root, const TStrWRec &key, const TStrWRec &name,
                          int32_t &err) {
        MakeKey(root, key, name);
        const auto it = FEntries.find(FKey);
        if (it == FEntries.end()) return nullptr;
        err = it->second.Error;
        return &it->second.Value;
    }
    // For the key of the Find just before.
    void Add(int32_t err, const TRegValue &value) {
        if (!IsCacheable(err)) return;
        if (FEntries.size() >= MaxEntries) FEntries.clear();
        FEntries.insert_or_assign(FKey, TEntry{err, value});
    }
    // Forgets everything when the store moved on since the last call.
    void Validate(uint64_t generation) {
        if (generation == FGeneration) return;
        FEntries.clear();
        FGeneration = generation;
    }
    void Clear() {
        FEntries.clear();
        FGeneration = UINT64_MAX;
    }

private:
    // Bounds memory when a program reads ever new names (an enumeration of a big key).
    static constexpr size_t MaxEntries = 4096;
    struct TEntry {
        int32_t Error;
        TRegValue Value;
    };

    // Names are taken as given: another spelling of one value is another entry, which is
    // harmless because every entry goes at once.
    void MakeKey(int32_t root, const TStrWRec &key, const TStrWRec &name) {
        FKey.clear();
        FKey.push_back(char16_t(root));
        FKey.push_back(char16_t(uint32_t(key.Length) & 0xFFFF));
        FKey.push_back(char16_t(uint32_t(key.Length) >> 16));
        if (key.Length > 0) FKey.append(key.Text, size_t(key.Length));
        if (name.Length > 0) FKey.append(name.Text, size_t(name.Length));
    }

    std::unordered_map<std::u16string, TEntry> FEntries;
    std::u16string FKey;  // reused: a cached read allocates nothing
    uint64_t FGeneration = UINT64_MAX;
};

class TAppReg final : public IAppReg {
public:
    // Closes what is open first, so a file in use becomes free (and checkpointed) before
    // anything else opens.
    void Open(const QStringList &productKey, const QString &userFile,
              const QString &installationFile) {
        QMutexLocker lock(&FLock);
        FCache.Clear();
        FUser.reset();
        FInstallation.reset();
        FProductKey = productKey;
        QString warning;
        FUserError = KvErr::Ok;
        FUser = TSettingsStore::OpenWritable(userFile, warning, FUserError);
        if (!warning.isEmpty()) qWarning().noquote() << warning;
        FInstallation = TSettingsStore::OpenReadOnly(installationFile, warning);
        if (!warning.isEmpty()) qWarning().noquote() << warning;
    }

    void ClearKey(int32_t root, const TStrWRec &key, int32_t &err) override {
        ClearKeyExcept(root, key, TStrWRec(), err);
    }

    void ClearKeyExcept(int32_t root, const TStrWRec &key, const TStrWRec &keepSubKey,
                        int32_t &err) override {
        QMutexLocker lock(&FLock);
        TTarget t;
        if ((err = Resolve(root, key, true, t))) return;
        err = t.Store->ClearKey(t.Path, ToQString(keepSubKey));
    }

    void CreateKey(int32_t root, const TStrWRec &key, int32_t &err) override {
        QMutexLocker lock(&FLock);
        TTarget t;
        if ((err = Resolve(root, key, true, t))) return;
        err = t.Store->CreateKey(t.Path);
    }

    void GetKeyPath(int32_t root, const TStrWRec &key, int32_t &err, IStrW *out) override {
        QMutexLocker lock(&FLock);
        SetStrW(out, QString());
        if (root != AppRegRoot::Product && root != AppRegRoot::CurrentUser) {
            err = KvErr::InvalidArgument;
            return;
        }
        if (FProductKey.isEmpty()) {
            err = KvErr::SettingsUnavailable;
            return;
        }
        const TKeyPath path =
            (root == AppRegRoot::Product ? FProductKey : TKeyPath()) + SplitKeyPath(ToQString(key));
        SetStrW(out, path.join(QLatin1Char('\\')));
        err = KvErr::Ok;
    }

    void DeleteKey(int32_t root, const TStrWRec &key, int32_t &err) override {
        QMutexLocker lock(&FLock);
        TTarget t;
        if ((err = Resolve(root, key, true, t))) return;
        err = t.Store->DeleteKey(t.Path);
    }

    void DeleteValue(int32_t root, const TStrWRec &key, const ValueName &name,
                     int32_t &err) override {
        QMutexLocker lock(&FLock);
        TTarget t;
        if ((err = Resolve(root, key, true, t))) return;
        err = t.Store->DeleteValue(t.Path, ToQString(name.Rec));
    }

    void GetKeyNames(int32_t root, const TStrWRec &key, IStrWList *out, int32_t &err) override {
        Enumerate(root, key, out, err, &TSettingsStore::KeyNames);
    }

    const TStrWRec *GetDisplayName() override {
        // The per-user store is the only one this library opens: nothing to tell apart.
        return FDisplayName.Get();
    }

    void GetValueNames(int32_t root, const TStrWRec &key, IStrWList *out,
                       int32_t &err) override {
        Enumerate(root, key, out, err, &TSettingsStore::ValueNames);
    }

    bool KeyExists(int32_t root, const TStrWRec &key) override {
        QMutexLocker lock(&FLock);
        TTarget t;
        bool exists = false;
        if (Resolve(root, key, false, t) == KvErr::Ok) t.Store->KeyExists(t.Path, exists);
        return exists;
    }

    void ReadBinary(int32_t root, const TStrWRec &key, const ValueName &name, void *buffer,
                    int32_t size, int32_t &err) override {
        if (size < 0 || (!buffer && size > 0)) {
            err = KvErr::InvalidArgument;
            return;
        }
        TRegValue v;
        if ((err = Read(root, key, name, TRegType::Binary, v))) return;
        if (v.Bytes.size() != size) {
            err = KvErr::BadFormat;
            return;
        }
        if (size > 0) std::memcpy(buffer, v.Bytes.constData(), size_t(size));
    }

    bool ReadBool(int32_t root, const TStrWRec &key, const ValueName &name,
                  int32_t &err) override {
        TRegValue v;
        err = Read(root, key, name, TRegType::Bool, v);
        return err == KvErr::Ok && v.Int != 0;
    }

    bool ReadBoolDef(int32_t root, const TStrWRec &key, const ValueName &name,
                     bool def) override {
        TRegValue v;
        return Read(root, key, name, TRegType::Bool, v) == KvErr::Ok ? v.Int != 0 : def;
    }

    TDateTime ReadDateTimeDef(int32_t root, const TStrWRec &key, const ValueName &name,
                              TDateTime def) override {
        TRegValue v;
        return Read(root, key, name, TRegType::DateTime, v) == KvErr::Ok ? v.Real : def;
    }

    double ReadDouble(int32_t root, const TStrWRec &key, const ValueName &name,
                      int32_t &err) override {
        TRegValue v;
        err = Read(root, key, name, TRegType::Double, v);
        return err == KvErr::Ok ? v.Real : 0.0;
    }

    double ReadDoubleDef(int32_t root, const TStrWRec &key, const ValueName &name,
                         double def) override {
        TRegValue v;
        return Read(root, key, name, TRegType::Double, v) == KvErr::Ok ? v.Real : def;
    }

    float ReadSingleDef(int32_t root, const TStrWRec &key, const ValueName &name,
                        float def) override {
        TRegValue v;
        return Read(root, key, name, TRegType::Single, v) == KvErr::Ok ? float(v.Real) : def;
    }

    void ReadGUID(int32_t root, const TStrWRec &key, const ValueName &name, TGUID &out,
                  int32_t &err) override {
        TRegValue v;
        err = Read(root, key, name, TRegType::GUID, v);
        out = err == KvErr::Ok ? GuidFromBytes(v.Bytes) : TGUID();
    }

    void ReadGUIDDef(int32_t root, const TStrWRec &key, const ValueName &name, const TGUID &def,
                     TGUID &out) override {
        TRegValue v;
        const TGUID fallback = def;  // def and out may be one record
        out = Read(root, key, name, TRegType::GUID, v) == KvErr::Ok ? GuidFromBytes(v.Bytes)
                                                                    : fallback;
    }

    int32_t ReadInteger(int32_t root, const TStrWRec &key, const ValueName &name,
                        int32_t &err) override {
        TRegValue v;
        err = Read(root, key, name, TRegType::Integer, v);
        return err == KvErr::Ok ? int32_t(v.Int) : 0;
    }

    int32_t ReadIntegerDef(int32_t root, const TStrWRec &key, const ValueName &name,
                           int32_t def) override {
        TRegValue v;
        return Read(root, key, name, TRegType::Integer, v) == KvErr::Ok ? int32_t(v.Int) : def;
    }

    void ReadString(int32_t root, const TStrWRec &key, const ValueName &name, IStrW *out,
                    int32_t &err) override {
        TRegValue v;
        err = Read(root, key, name, TRegType::String, v);
        SetStrW(out, err == KvErr::Ok ? v.Text : QString());
    }

    void ReadStringDef(int32_t root, const TStrWRec &key, const ValueName &name,
                       const TStrWRec &def, IStrW *out) override {
        TRegValue v;
        const QString fallback = ToQString(def);  // def may be out's own text
        SetStrW(out, Read(root, key, name, TRegType::String, v) == KvErr::Ok ? v.Text
                                                                             : fallback);
    }

    void WriteBinary(int32_t root, const TStrWRec &key, const ValueName &name,
                     const void *buffer, int32_t size, int32_t &err) override {
        if (size < 0 || (!buffer && size > 0)) {
            err = KvErr::InvalidArgument;
            return;
        }
        TRegValue v;
        v.Type = TRegType::Binary;
        if (size > 0) v.Bytes = QByteArray(static_cast<const char *>(buffer), size);
        err = Write(root, key, name, v);
    }

    void WriteBool(int32_t root, const TStrWRec &key, const ValueName &name, bool value,
                   int32_t &err) override {
        TRegValue v;
        v.Type = TRegType::Bool;
        v.Int = value ? 1 : 0;
        err = Write(root, key, name, v);
    }

    void WriteDateTime(int32_t root, const TStrWRec &key, const ValueName &name,
                       TDateTime value, int32_t &err) override {
        WriteReal(root, key, name, TRegType::DateTime, value, err);
    }

    void WriteDouble(int32_t root, const TStrWRec &key, const ValueName &name, double value,
                     int32_t &err) override {
        WriteReal(root, key, name, TRegType::Double, value, err);
    }

    void WriteSingle(int32_t root, const TStrWRec &key, const ValueName &name, float value,
                     int32_t &err) override {
        WriteReal(root, key, name, TRegType::Single, double(value), err);
    }

    void WriteGUID(int32_t root, const TStrWRec &key, const ValueName &name,
                   const TGUID &value, int32_t &err) override {
        TRegValue v;
        v.Type = TRegType::GUID;
        v.Bytes = GuidBytes(value);
        err = Write(root, key, name, v);
    }

    void WriteInteger(int32_t root, const TStrWRec &key, const ValueName &name, int32_t value,
                      int32_t &err) override {
        TRegValue v;
        v.Type = TRegType::Integer;
        v.Int = value;
        err = Write(root, key, name, v);
    }

    void WriteString(int32_t root, const TStrWRec &key, const ValueName &name,
                     const TStrWRec &value, int32_t &err) override {
        TRegValue v;
        v.Type = TRegType::String;
        v.Text = ToQString(value);
        err = Write(root, key, name, v);
    }

private:
    struct TTarget {
        TSettingsStore *Store = nullptr;
        TKeyPath Path;
    };

    // Caller holds FLock.
    int32_t Resolve(int32_t root, const TStrWRec &key, bool writing, TTarget &t) {
        switch (root) {
        case AppRegRoot::Installation:
            if (writing) return KvErr::ReadOnly;
            if (!FInstallation) return KvErr::SettingsUnavailable;
            t.Store = FInstallation.get();
            t.Path = SplitKeyPath(ToQString(key));
            return KvErr::Ok;
        case AppRegRoot::Product:
        case AppRegRoot::CurrentUser:
            if (!FUser) return FUserError;
            t.Store = FUser.get();
            t.Path = (root == AppRegRoot::Product ? FProductKey : TKeyPath()) +
                     SplitKeyPath(ToQString(key));
            return KvErr::Ok;
        default:
            return KvErr::InvalidArgument;
        }
    }

    int32_t Read(int32_t root, const TStrWRec &key, const ValueName &name, TRegType wanted,
                 TRegValue &v) {
        QMutexLocker lock(&FLock);
        // The installation's file never changes while open: the user's store alone decides.
        FCache.Validate(FUser ? FUser->Generation() : 0);
        int32_t err = KvErr::Ok;
        if (const TRegValue *cached = FCache.Find(root, key, name.Rec, err)) {
            if (err == KvErr::Ok) v = *cached;
        } else {
            TTarget t;
            err = Resolve(root, key, false, t);
            if (err == KvErr::Ok) {
                err = t.Store->Read(t.Path, ToQString(name.Rec), v);
                FCache.Add(err, v);
            }
        }
        if (err != KvErr::Ok) return err;
        // A value of another type is never reinterpreted.
        if (v.Type != wanted && !(IsReal(v.Type) && IsReal(wanted))) return KvErr::BadFormat;
        return KvErr::Ok;
    }

    int32_t Write(int32_t root, const TStrWRec &key, const ValueName &name, const TRegValue &v) {
        QMutexLocker lock(&FLock);
        TTarget t;
        if (const int32_t err = Resolve(root, key, true, t)) return err;
        return t.Store->Write(t.Path, ToQString(name.Rec), v);
    }

    void WriteReal(int32_t root, const TStrWRec &key, const ValueName &name, TRegType type,
                   double value, int32_t &err) {
        TRegValue v;
        v.Type = type;
        v.Real = value;
        err = Write(root, key, name, v);
    }

    void Enumerate(int32_t root, const TStrWRec &key, IStrWList *out, int32_t &err,
                   int32_t (TSettingsStore::*list)(const TKeyPath &, QStringList &)) {
        QMutexLocker lock(&FLock);
        ClearStrWList(out);
        TTarget t;
        if ((err = Resolve(root, key, false, t))) return;
        QStringList names;
        err = (t.Store->*list)(t.Path, names);
        for (const QString &n : names) AddStrW(out, n);
    }

    QMutex FLock;
    TReadCache FCache;
    std::unique_ptr<TSettingsStore> FUser;
    std::unique_ptr<TSettingsStore> FInstallation;
    int32_t FUserError = KvErr::SettingsUnavailable;
    TKeyPath FProductKey;  // empty until InitApplication
    TOwnedText FDisplayName;
};

TAppReg &Registry() {
    static TAppReg registry;
    return registry;
}

TAppCallbacks &Callbacks() {
    static TAppCallbacks callbacks;
    return callbacks;
}

// The shipped file for root 0. The environment may name another (tests, a moved install);
// otherwise the system data folders are searched, never the user's own.
QString InstallationFile(const QString &productFolder) {
    if (qEnvironmentVariableIsSet("MARIVO_INSTALLATION_SETTINGS"))
        return qEnvironmentVariable("MARIVO_INSTALLATION_SETTINGS");
    const QString own = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    for (const QString &dir : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        if (dir == own) continue;
        const QString file = dir + '/' + productFolder + '/' + InstallationFileName;
        if (QFileInfo(file).isFile()) return file;
    }
    return QString();
}

int32_t SystemLanguage() {
    switch (QLocale::system().language()) {
    case QLocale::Dutch: return KvLang::Dutch;
    case QLocale::German: return KvLang::German;
    case QLocale::French: return KvLang::French;
    case QLocale::Spanish: return KvLang::Spanish;
    case QLocale::Italian: return KvLang::Italian;
    case QLocale::Danish: return KvLang::Danish;
    case QLocale::Swedish: return KvLang::Swedish;
    default: return KvLang::English;
    }
}

}  // namespace

const TAppCallbacks &AppCallbacks() {
    return Callbacks();
}

}  // namespace kv

bool InitApplication(int32_t, int32_t, const TGUID *, const TStrWRec &subPath, uint16_t,
                     uint16_t, uint16_t, uint16_t, uint16_t, uint16_t,
                     LanguageChoiceProc languageChoice, TwoAnswerProc twoAnswer,
                     IdleResetProc idleReset, TerminateProc terminate, const TStrWRec &,
                     int32_t) {
    const kv::TKeyPath sub = kv::SplitKeyPath(kv::ToQString(subPath));
    // The levels become folder names as well: nothing that leaves the product folder.
    bool valid = !sub.isEmpty();
    for (const QString &level : sub)
        valid = valid && level != QLatin1String(".") && level != QLatin1String("..") &&
                !level.contains(QLatin1Char('/'));
    if (!valid) {
        qWarning().noquote() << QStringLiteral("InitApplication: unusable product sub-path \"%1\"")
                                    .arg(kv::ToQString(subPath));
        return false;
    }
    const QString productFolder = QStringLiteral("Korvane/") + sub.join(QLatin1Char('/'));
    const QString configRoot =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    kv::Registry().Open(kv::MakerKey + sub,
                        configRoot + '/' + productFolder + '/' + kv::UserFileName,
                        kv::InstallationFile(productFolder));
    kv::Callbacks() = {twoAnswer, idleReset, terminate};

    int32_t language = kv::ReadStoredLanguage();
    if (language == KvLang::Unknown) {
        // First run: the user confirms or changes the system's language.
        language = kv::SystemLanguage();
        if (languageChoice) {
            int32_t chosen = language;
            bool cancelled = true;
            languageChoice(&chosen, &cancelled);
            if (cancelled) return false;
            if (chosen >= KvLang::First && chosen <= KvLang::Last) language = chosen;
        }
        SetCurrentLanguage(language);
        RegWriteLanguage();
    } else {
        SetCurrentLanguage(language);
    }
    return true;
}

IAppReg *GetAppReg() {
    return &kv::Registry();
}
