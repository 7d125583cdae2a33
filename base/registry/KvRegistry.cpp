#include "base/registry/KvRegistry.h"

#include "base/kvlib/KvStrings.h"

void RegClearKey(IAppReg *reg, int32_t root, const QString &key, int32_t &error) {
    reg->ClearKey(root, StrW(key), error);
}

void RegClearKeyExcept(IAppReg *reg, int32_t root, const QString &key, const QString &keep,
                       int32_t &error) {
    reg->ClearKeyExcept(root, StrW(key), StrW(keep), error);
}

void RegCreateKey(IAppReg *reg, int32_t root, const QString &key, int32_t &error) {
    reg->CreateKey(root, StrW(key), error);
}

void RegDeleteKey(IAppReg *reg, int32_t root, const QString &key, int32_t &error) {
    reg->DeleteKey(root, StrW(key), error);
}

void RegDeleteValue(IAppReg *reg, int32_t root, const QString &key, const ValueName &name,
                    int32_t &error) {
    reg->DeleteValue(root, StrW(key), name, error);
}

bool RegKeyExists(IAppReg *reg, int32_t root, const QString &key) {
    return reg->KeyExists(root, StrW(key));
}

void RegGetKeyPath(IAppReg *reg, int32_t root, const QString &key, int32_t &error,
                   QString &path) {
    path.clear();
    TStrWOut out;
    reg->GetKeyPath(root, StrW(key), error, out.get());
    path = out.Text();
}

void RegGetKeyNames(IAppReg *reg, int32_t root, const QString &key, QStringList &list,
                    int32_t &error) {
    TStrWListOut out;
    reg->GetKeyNames(root, StrW(key), out.get(), error);
    StrWListToStrings(out.get(), list);
}

void RegGetValueNames(IAppReg *reg, int32_t root, const QString &key, QStringList &list,
                      int32_t &error) {
    TStrWListOut out;
    reg->GetValueNames(root, StrW(key), out.get(), error);
    StrWListToStrings(out.get(), list);
}

void RegGetDisplayName(IAppReg *reg, QString &text) {
    text = StrWToWide(reg->GetDisplayName());
}

bool RegReadBoolDef(IAppReg *reg, int32_t root, const QString &key, const ValueName &name,
                    bool def) {
    return reg->ReadBoolDef(root, StrW(key), name, def);
}

int32_t RegReadIntegerDef(IAppReg *reg, int32_t root, const QString &key,
                          const ValueName &name, int32_t def) {
    return reg->ReadIntegerDef(root, StrW(key), name, def);
}

float RegReadSingleDef(IAppReg *reg, int32_t root, const QString &key, const ValueName &name,
                       float def) {
    return reg->ReadSingleDef(root, StrW(key), name, def);
}

double RegReadDoubleDef(IAppReg *reg, int32_t root, const QString &key, const ValueName &name,
                        double def) {
    return reg->ReadDoubleDef(root, StrW(key), name, def);
}

TDateTime RegReadDateTimeDef(IAppReg *reg, int32_t root, const QString &key,
                             const ValueName &name, TDateTime def) {
    return reg->ReadDateTimeDef(root, StrW(key), name, def);
}

void RegReadGUIDDef(IAppReg *reg, int32_t root, const QString &key, const ValueName &name,
                    const TGUID &def, TGUID &out) {
    reg->ReadGUIDDef(root, StrW(key), name, def, out);
}

void RegReadStringDef(IAppReg *reg, int32_t root, const QString &key, const ValueName &name,
                      const QString &def, QString &out) {
    TStrWOut text;
    reg->ReadStringDef(root, StrW(key), name, StrW(def), text.get());
    out = text.Text();
}

bool RegReadBool(IAppReg *reg, int32_t root, const QString &key, const ValueName &name,
                 int32_t &error) {
    return reg->ReadBool(root, StrW(key), name, error);
}

int32_t RegReadInteger(IAppReg *reg, int32_t root, const QString &key, const ValueName &name,
                       int32_t &error) {
    return reg->ReadInteger(root, StrW(key), name, error);
}

double RegReadDouble(IAppReg *reg, int32_t root, const QString &key, const ValueName &name,
                     int32_t &error) {
    return reg->ReadDouble(root, StrW(key), name, error);
}

void RegReadGUID(IAppReg *reg, int32_t root, const QString &key, const ValueName &name,
                 int32_t &error, TGUID &out) {
    reg->ReadGUID(root, StrW(key), name, out, error);
}

void RegReadString(IAppReg *reg, int32_t root, const QString &key, const ValueName &name,
                   int32_t &error, QString &out) {
    TStrWOut text;
    reg->ReadString(root, StrW(key), name, text.get(), error);
    out = text.Text();
}

void RegReadBinary(IAppReg *reg, int32_t root, const QString &key, const ValueName &name,
                   void *buffer, int32_t size, int32_t &error) {
    reg->ReadBinary(root, StrW(key), name, buffer, size, error);
}

void RegWriteBool(IAppReg *reg, int32_t root, const QString &key, const ValueName &name,
                  bool value, int32_t &error) {
    reg->WriteBool(root, StrW(key), name, value, error);
}

void RegWriteInteger(IAppReg *reg, int32_t root, const QString &key, const ValueName &name,
                     int32_t value, int32_t &error) {
    reg->WriteInteger(root, StrW(key), name, value, error);
}

void RegWriteSingle(IAppReg *reg, int32_t root, const QString &key, const ValueName &name,
                    float value, int32_t &error) {
    reg->WriteSingle(root, StrW(key), name, value, error);
}

void RegWriteDouble(IAppReg *reg, int32_t root, const QString &key, const ValueName &name,
                    double value, int32_t &error) {
    reg->WriteDouble(root, StrW(key), name, value, error);
}

void RegWriteDateTime(IAppReg *reg, int32_t root, const QString &key, const ValueName &name,
                      TDateTime value, int32_t &error) {
    reg->WriteDateTime(root, StrW(key), name, value, error);
}

void RegWriteString(IAppReg *reg, int32_t root, const QString &key, const ValueName &name,
                    const QString &value, int32_t &error) {
    reg->WriteString(root, StrW(key), name, StrW(value), error);
}

void RegWriteGUID(IAppReg *reg, int32_t root, const QString &key, const ValueName &name,
                  const TGUID &value, int32_t &error) {
    reg->WriteGUID(root, StrW(key), name, value, error);
}

void RegWriteBinary(IAppReg *reg, int32_t root, const QString &key, const ValueName &name,
                    const void *buffer, int32_t size, int32_t &error) {
    reg->WriteBinary(root, StrW(key), name, buffer, size, error);
}
