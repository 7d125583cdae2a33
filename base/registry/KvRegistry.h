// Typed access to the settings registry of the core library.
//
// Every helper takes the registry object (GetAppReg(), fetched anew by the caller for each
// call, never kept), the root (AppRegRoot::Product for every setting), the key path
// ("\"-separated, relative to the root; empty = the root key), the value name where a value
// is concerned, then the values; an error out-parameter comes last (0 = success, texts from
// ErrorToStrA). Readers with a default never report: a missing or unreadable value gives
// the default. Writes create the missing keys of their path. The helpers keep no state and
// raise nothing of their own. GUI thread only, like the registry.
#pragma once

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvTypes.h>

#include <QString>
#include <QStringList>
#include <cstdint>
#include <string>

// A value name for one helper call. The record points into `name`, which must outlive the
// call: use it inside the call expression, `RegReadBoolDef(reg, 1, key, RegName(n), false)`,
// and never keep the result in a variable.
inline ValueName RegName(const QString &name) {
    return ValueName(TStrWRec{int32_t(name.size()),
                              reinterpret_cast<const char16_t *>(name.utf16())});
}
// A value name from a literal (u"ExecState"): static characters, safe to keep.
template <size_t N>
constexpr ValueName RegName(const char16_t (&name)[N]) {
    return ValueName(TStrWRec{int32_t(N - 1), name});
}

// Keys.
void RegClearKey(IAppReg *reg, int32_t root, const QString &key, int32_t &error);
// Empties the key but keeps its direct sub-key `keep` with everything below it.
void RegClearKeyExcept(IAppReg *reg, int32_t root, const QString &key, const QString &keep,
                       int32_t &error);
void RegCreateKey(IAppReg *reg, int32_t root, const QString &key, int32_t &error);
// A missing key is success.
void RegDeleteKey(IAppReg *reg, int32_t root, const QString &key, int32_t &error);
void RegDeleteValue(IAppReg *reg, int32_t root, const QString &key, const ValueName &name,
                    int32_t &error);
bool RegKeyExists(IAppReg *reg, int32_t root, const QString &key);
// The key's full path in the store, for library objects that keep their own settings below
// it. `path` is emptied first and stays empty when the registry gives no text.
void RegGetKeyPath(IAppReg *reg, int32_t root, const QString &key, int32_t &error,
                   QString &path);
// The names of the direct sub-keys, or of the values, in the order first written. The
// caller's list is cleared first, also when the key is missing or has no entries.
void RegGetKeyNames(IAppReg *reg, int32_t root, const QString &key, QStringList &list,
                    int32_t &error);
void RegGetValueNames(IAppReg *reg, int32_t root, const QString &key, QStringList &list,
                      int32_t &error);
// Identification text of the registry; the main window appends it to its caption when it
// is not empty.
void RegGetDisplayName(IAppReg *reg, QString &text);

// Readers with a default.
bool RegReadBoolDef(IAppReg *reg, int32_t root, const QString &key, const ValueName &name,
                    bool def);
int32_t RegReadIntegerDef(IAppReg *reg, int32_t root, const QString &key,
                          const ValueName &name, int32_t def);
float RegReadSingleDef(IAppReg *reg, int32_t root, const QString &key, const ValueName &name,
                       float def);
double RegReadDoubleDef(IAppReg *reg, int32_t root, const QString &key, const ValueName &name,
                        double def);
TDateTime RegReadDateTimeDef(IAppReg *reg, int32_t root, const QString &key,
                             const ValueName &name, TDateTime def);
// `def` and `out` may be the same record.
void RegReadGUIDDef(IAppReg *reg, int32_t root, const QString &key, const ValueName &name,
                    const TGUID &def, TGUID &out);
void RegReadStringDef(IAppReg *reg, int32_t root, const QString &key, const ValueName &name,
                      const QString &def, QString &out);

// Readers that report a missing value (or one stored with another type) through `error`;
// the result is then 0, False, the null GUID or empty text.
bool RegReadBool(IAppReg *reg, int32_t root, const QString &key, const ValueName &name,
                 int32_t &error);
int32_t RegReadInteger(IAppReg *reg, int32_t root, const QString &key, const ValueName &name,
                       int32_t &error);
double RegReadDouble(IAppReg *reg, int32_t root, const QString &key, const ValueName &name,
                     int32_t &error);
void RegReadGUID(IAppReg *reg, int32_t root, const QString &key, const ValueName &name,
                 int32_t &error, TGUID &out);
void RegReadString(IAppReg *reg, int32_t root, const QString &key, const ValueName &name,
                   int32_t &error, QString &out);
// Fills exactly `size` bytes; a stored value of another size is an error and leaves the
// buffer untouched.
void RegReadBinary(IAppReg *reg, int32_t root, const QString &key, const ValueName &name,
                   void *buffer, int32_t size, int32_t &error);

// Writers.
void RegWriteBool(IAppReg *reg, int32_t root, const QString &key, const ValueName &name,
                  bool value, int32_t &error);
void RegWriteInteger(IAppReg *reg, int32_t root, const QString &key, const ValueName &name,
                     int32_t value, int32_t &error);
void RegWriteSingle(IAppReg *reg, int32_t root, const QString &key, const ValueName &name,
                    float value, int32_t &error);
void RegWriteDouble(IAppReg *reg, int32_t root, const QString &key, const ValueName &name,
                    double value, int32_t &error);
void RegWriteDateTime(IAppReg *reg, int32_t root, const QString &key, const ValueName &name,
                      TDateTime value, int32_t &error);
void RegWriteString(IAppReg *reg, int32_t root, const QString &key, const ValueName &name,
                    const QString &value, int32_t &error);
void RegWriteGUID(IAppReg *reg, int32_t root, const QString &key, const ValueName &name,
                  const TGUID &value, int32_t &error);
void RegWriteBinary(IAppReg *reg, int32_t root, const QString &key, const ValueName &name,
                    const void *buffer, int32_t size, int32_t &error);
