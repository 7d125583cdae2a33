// Application identity and the settings registry.
#pragma once

#include "KvTypes.h"
#include "KvStrW.h"
#include "KvCallbacks.h"

// The name of a value inside a registry key. A type of its own because value names are
// opaque data (GUID texts, file and folder names that may hold "\") and sit right next to
// text values in every read and write: with plain records a swapped name and value would
// compile and silently store under the wrong name.
struct ValueName {
    constexpr explicit ValueName(const TStrWRec &name) : Rec(name) {}
    TStrWRec Rec;  // the caller keeps the characters alive for the call
};

// The two roots of the settings registry.
namespace AppRegRoot {
// Installation key; read-only (writes fail with KvErr::ReadOnly). Holds
// "WaterwayNetworkPath" directly at the root (empty key path).
inline constexpr int32_t Installation = 0;
// Product key fixed by InitApplication; every setting of the program lives here.
inline constexpr int32_t Product = 1;
// Top of the current user's store. Key paths are full paths as GetKeyPath returns them:
// "Software\Korvane\Marivo" is the maker-level key above the product key (values the
// maker's programs share; the program writes there only when the key exists), and library
// objects handed a key path keep their settings below it through this root.
inline constexpr int32_t CurrentUser = 2;
}  // namespace AppRegRoot

// The settings registry: a persistent tree of keys holding typed values.
// From GetAppReg; process-wide, owned by the library, never stored or released by the
// program. GUI thread only.
// - Key paths are relative to the root, levels separated by "\"; an empty path is the
//   root key itself. Writes create missing keys of their path.
// - Key and value names compare without regard to case; enumerations return names in the
//   order they were first written (toolbar contents depend on it).
// - Every write is on disk when the call returns, so a value written just before a crash
//   ("ExecState") is read back at the next start.
// - A missing key or value reports KvErr::NotFound; a stored value of another type or
//   size reports KvErr::BadFormat. The "…Def" readers never report: they return the
//   default instead.
class KVLIB_API IAppReg : public NavObject {
public:
    // Removes the values and sub-keys of the key; the key itself stays.
    virtual void ClearKey(int32_t root, const TStrWRec &key, int32_t &err) = 0;     // slot 1
    // As ClearKey, but the named direct sub-key keeps its contents ("Desktop" keeping
    // "SailingArea").
    virtual void ClearKeyExcept(int32_t root, const TStrWRec &key,
                                const TStrWRec &keepSubKey, int32_t &err) = 0;      // slot 2
    virtual void CreateKey(int32_t root, const TStrWRec &key, int32_t &err) = 0;    // slot 4
    // Full path of the key inside the store. Handed to library objects (device manager,
    // GPS and port settings) that keep their own settings below it in the same store.
    // The path is the key's full path in the user's store (root CurrentUser); root 0 has
    // none (KvErr::InvalidArgument). Note the order: err comes before the out text.
    virtual void GetKeyPath(int32_t root, const TStrWRec &key, int32_t &err,
                            IStrW *out) = 0;                                        // slot 5
    // Deletes the key with its values and sub-keys; a missing key is success (err = 0),
    // because lists are rewritten by delete and write.
    virtual void DeleteKey(int32_t root, const TStrWRec &key, int32_t &err) = 0;    // slot 6
    virtual void DeleteValue(int32_t root, const TStrWRec &key, const ValueName &name,
                             int32_t &err) = 0;                                     // slot 7
    // Names of the direct sub-keys; out is emptied first.
    virtual void GetKeyNames(int32_t root, const TStrWRec &key, IStrWList *out,
                             int32_t &err) = 0;                                     // slot 8
    // Identification text of the store; empty for the normal per-user store. The main
    // window appends a non-empty text to its caption.
    virtual const TStrWRec *GetDisplayName() = 0;                                   // slot 9
    // Names of the key's values in insertion order; out is emptied first.
    virtual void GetValueNames(int32_t root, const TStrWRec &key, IStrWList *out,
                               int32_t &err) = 0;                                   // slot 10
    virtual bool KeyExists(int32_t root, const TStrWRec &key) = 0;                  // slot 12
    // Copies the stored bytes into buffer; an error when missing or when the stored size
    // is not exactly size (buffer then untouched; boat curves fall back to built-ins).
    virtual void ReadBinary(int32_t root, const TStrWRec &key, const ValueName &name,
                            void *buffer, int32_t size, int32_t &err) = 0;          // slot 15
    virtual bool ReadBool(int32_t root, const TStrWRec &key, const ValueName &name,
                          int32_t &err) = 0;                                        // slot 16
    virtual bool ReadBoolDef(int32_t root, const TStrWRec &key, const ValueName &name,
                             bool def) = 0;                                         // slot 17
    virtual TDateTime ReadDateTimeDef(int32_t root, const TStrWRec &key,
                                      const ValueName &name, TDateTime def) = 0;    // slot 19
    virtual double ReadDouble(int32_t root, const TStrWRec &key, const ValueName &name,
                              int32_t &err) = 0;                                    // slot 20
    virtual double ReadDoubleDef(int32_t root, const TStrWRec &key, const ValueName &name,
                                 double def) = 0;                                   // slot 21
    virtual float ReadSingleDef(int32_t root, const TStrWRec &key, const ValueName &name,
                                float def) = 0;                                     // slot 23
    virtual void ReadGUID(int32_t root, const TStrWRec &key, const ValueName &name,
                          TGUID &out, int32_t &err) = 0;                            // slot 24
    // def and out may be the same record.
    virtual void ReadGUIDDef(int32_t root, const TStrWRec &key, const ValueName &name,
                             const TGUID &def, TGUID &out) = 0;                     // slot 25
    virtual int32_t ReadInteger(int32_t root, const TStrWRec &key, const ValueName &name,
                                int32_t &err) = 0;                                  // slot 26
    virtual int32_t ReadIntegerDef(int32_t root, const TStrWRec &key,
                                   const ValueName &name, int32_t def) = 0;         // slot 27
    // out is left empty when the value is missing.
    virtual void ReadString(int32_t root, const TStrWRec &key, const ValueName &name,
                            IStrW *out, int32_t &err) = 0;                          // slot 28
    virtual void ReadStringDef(int32_t root, const TStrWRec &key, const ValueName &name,
                               const TStrWRec &def, IStrW *out) = 0;                // slot 29
    virtual void WriteBinary(int32_t root, const TStrWRec &key, const ValueName &name,
                             const void *buffer, int32_t size, int32_t &err) = 0;   // slot 30
    virtual void WriteBool(int32_t root, const TStrWRec &key, const ValueName &name,
                           bool value, int32_t &err) = 0;                           // slot 31
    virtual void WriteDateTime(int32_t root, const TStrWRec &key, const ValueName &name,
                               TDateTime value, int32_t &err) = 0;                  // slot 32
    virtual void WriteDouble(int32_t root, const TStrWRec &key, const ValueName &name,
                             double value, int32_t &err) = 0;                       // slot 33
    virtual void WriteSingle(int32_t root, const TStrWRec &key, const ValueName &name,
                             float value, int32_t &err) = 0;                        // slot 34
    virtual void WriteGUID(int32_t root, const TStrWRec &key, const ValueName &name,
                           const TGUID &value, int32_t &err) = 0;                   // slot 35
    virtual void WriteInteger(int32_t root, const TStrWRec &key, const ValueName &name,
                              int32_t value, int32_t &err) = 0;                     // slot 36
    virtual void WriteString(int32_t root, const TStrWRec &key, const ValueName &name,
                             const TStrWRec &value, int32_t &err) = 0;              // slot 37
};

// Identifies the product to the library and fixes where root 1 of the settings registry
// lives: below the user's configuration folder at the product sub-path ("Marivo\Ostrel",
// levels separated by "\"). The program passes 239, 0, its product GUID, the sub-path,
// the version date as day, month, year and again as year, month, day, the four
// callbacks, its identity name and 9.
// On a first run (no language stored) it calls languageChoice with the preselected
// language; a cancelled choice makes the result False. False = the program ends at once,
// silently. terminate may be called later in the run (GUI thread) to ask the program to end.
KVLIB_API bool InitApplication(int32_t a, int32_t b, const TGUID *productGuid,
                               const TStrWRec &subPath, uint16_t day, uint16_t month,
                               uint16_t year, uint16_t year2, uint16_t month2, uint16_t day2,
                               LanguageChoiceProc languageChoice, TwoAnswerProc twoAnswer,
                               IdleResetProc idleReset, TerminateProc terminate,
                               const TStrWRec &identity, int32_t c);
// The settings registry; valid after InitApplication for the rest of the run.
KVLIB_API IAppReg *GetAppReg();
