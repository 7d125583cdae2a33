// One settings file: a tree of keys holding typed values, kept in SQLite.
//
// Every write is one transaction committed with synchronous=FULL in WAL mode, so it is on
// disk when the call returns and a crash leaves either the old or the new value. Each call
// asks the file through statements prepared once, so two processes on one file see each
// other's writes at once (a busy file is waited for, not failed); a cache in front of the
// store asks Generation() before it trusts what it holds.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <unordered_map>

struct sqlite3;
struct sqlite3_stmt;

namespace kv {

// Stored kinds. The numbers are written to the file: never renumber.
enum class TRegType : int32_t {
    Bool = 1,
    Integer = 2,
    Single = 3,
    Double = 4,
    DateTime = 5,
    GUID = 6,
    Binary = 7,
    String = 8,
};

struct TRegValue {
    TRegType Type = TRegType::Integer;
    int64_t Int = 0;     // Bool, Integer
    double Real = 0.0;   // Single, Double, DateTime
    QByteArray Bytes;    // GUID (16 bytes), Binary
    QString Text;        // String
};

// A key path as its levels, top first; the empty list is the top of the file.
using TKeyPath = QStringList;

// Splits a "\"-separated path; empty levels (a trailing or doubled "\") are dropped.
TKeyPath SplitKeyPath(const QString &path);

class TSettingsStore {
public:
    ~TSettingsStore();
    TSettingsStore(const TSettingsStore &) = delete;
    TSettingsStore &operator=(const TSettingsStore &) = delete;

    // The user's store, created when missing. A file that is not a readable store is
    // renamed to "<file>.damaged-<time>" (kept for inspection, never deleted) and a fresh
    // store takes its place; `warning` then tells what happened. nullptr when the file
    // cannot be opened at all (`error` = library error value, `warning` the reason).
    static std::unique_ptr<TSettingsStore> OpenWritable(const QString &file, QString &warning,
                                                        int32_t &error);
    // A store that is only read (the installation's). A missing file is an empty store; a
    // damaged one is an empty store as well, with a warning (the file is left alone).
    static std::unique_ptr<TSettingsStore> OpenReadOnly(const QString &file,
                                                        QString &warning);

    bool IsReadOnly() const { return FReadOnly; }
    const QString &FileName() const { return FFile; }

    // All operations return a library error value (0 = success).
    int32_t KeyExists(const TKeyPath &key, bool &exists);
    int32_t CreateKey(const TKeyPath &key);
    // A missing key is success.
    int32_t DeleteKey(const TKeyPath &key);
    // Removes the key's values and sub-keys; with a non-empty keepSubKey the direct sub-key
    // of that name survives with everything below it.
    int32_t ClearKey(const TKeyPath &key, const QString &keepSubKey);
    int32_t KeyNames(const TKeyPath &key, QStringList &names);
    int32_t ValueNames(const TKeyPath &key, QStringList &names);
    int32_t Read(const TKeyPath &key, const QString &name, TRegValue &value);
    // Creates the missing keys of the path in the same transaction.
    int32_t Write(const TKeyPath &key, const QString &name, const TRegValue &value);
    int32_t DeleteValue(const TKeyPath &key, const QString &name);

    // Changes whenever what the file holds may have changed since the previous call: after
    // every write through this store (done or failed) and after every commit of another
    // connection. Cheap enough to ask before each cached read (in WAL mode a memory read).
    uint64_t Generation();

private:
    TSettingsStore(sqlite3 *db, const QString &file, bool readOnly);
    class TTransaction;
    class TStatement;
    class TReadSnapshot;
    class TWalIndexWatch;

    // Id of the key, 0 for the top; -1 when a level is missing.
    int32_t FindKey(const TKeyPath &key, int64_t &id);
    int32_t EnsureKey(const TKeyPath &key, int64_t &id);
    int32_t DeleteBelow(int64_t id, int64_t keepId, bool includeSelf);
    int32_t Names(const char *sql, const TKeyPath &key, QStringList &names);
    int32_t Fail(int rc) const;

    // The statement of `sql` (a literal: its address is the key), prepared on first use.
    int Prepared(const char *sql, sqlite3_stmt *&stmt);

    sqlite3 *FDb = nullptr;  // nullptr: a read-only store without a file (empty)
    QString FFile;
    bool FReadOnly = false;
    std::unordered_map<const char *, sqlite3_stmt *> FStatements;
    // Commits of other connections: the WAL index where it can be read, else data_version.
    std::unique_ptr<TWalIndexWatch> FWalIndex;
    int64_t FDataVersion = -1;
    uint64_t FGeneration = 0;
};

}  // namespace kv
