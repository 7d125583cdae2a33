#include "settings/SettingsStore.h"

#include "kernel/KvInternal.h"

#include "KvLibNav6/KvErrorCodes.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <array>
#include <atomic>
#include <sqlite3.h>

namespace kv {

namespace {

// Marks a file as ours ("KvRg"), so another program's SQLite file is not taken for a
// store and filled with our tables.
constexpr int32_t ApplicationId = 0x4B765267;
constexpr int32_t SchemaVersion = 1;
// Another instance holding the write lock finishes within milliseconds; this is only the
// limit for a hung one.
constexpr int BusyTimeoutMs = 10000;

const char *const FindKeySql = "SELECT Id FROM RegKey WHERE Parent = ?1 AND Fold = ?2";

const char *const SchemaSql =
    "CREATE TABLE IF NOT EXISTS RegKey("
    "  Id INTEGER PRIMARY KEY, Parent INTEGER NOT NULL, Name TEXT NOT NULL,"
    "  Fold TEXT NOT NULL, UNIQUE(Parent, Fold));"
    "CREATE TABLE IF NOT EXISTS RegValue("
    "  Id INTEGER PRIMARY KEY, KeyId INTEGER NOT NULL, Name TEXT NOT NULL,"
    "  Fold TEXT NOT NULL, Type INTEGER NOT NULL, Data, UNIQUE(KeyId, Fold));";

// Names compare case-insensitively in every script, and composed and decomposed forms of
// one letter are the same name.
QString Fold(const QString &name) {
    return name.normalized(QString::NormalizationForm_C).toCaseFolded();
}

bool IsDamage(int rc) {
    const int primary = rc & 0xFF;
    return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB;
}

int32_t ErrorOf(int rc, bool writing) {
    switch (rc & 0xFF) {
    case SQLITE_OK:
    case SQLITE_DONE:
    case SQLITE_ROW:
        return KvErr::Ok;
    case SQLITE_FULL:
        return KvErr::DiskFull;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return KvErr::BadFormat;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return KvErr::AccessDenied;
    default:
        return writing ? KvErr::WriteFailed : KvErr::ReadFailed;
    }
}

QString Message(sqlite3 *db, int rc) {
    return db ? QString::fromUtf8(sqlite3_errmsg(db))
              : QString::fromUtf8(sqlite3_errstr(rc));
}

int Exec(sqlite3 *db, const char *sql) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
}

// First column of the first row as text; rc of the step that failed otherwise.
int QueryText(sqlite3 *db, const char *sql, QString &result) {
    sqlite3_stmt *stmt = nullptr;
    int rc = sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
    if (rc != SQLITE_OK) return rc;
    rc = sqlite3_step(stmt);
    if (rc == SQLITE_ROW) {
        result = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0)));
        rc = SQLITE_OK;
    }
    sqlite3_finalize(stmt);
    return rc == SQLITE_DONE ? SQLITE_OK : rc;
}

enum class TCheck { Good, Damaged, Failed };

// Is this a store of ours (or an empty file that may become one)? Damaged covers every
// file that no longer reads as one: not SQLite, a failed integrity check, another
// program's tables.
TCheck CheckFile(sqlite3 *db, bool readOnly, QString &problem, int &rc) {
    QString text;
    rc = QueryText(db, "PRAGMA quick_check", text);
    if (rc != SQLITE_OK) {
        problem = Message(db, rc);
        return IsDamage(rc) ? TCheck::Damaged : TCheck::Failed;
    }
    if (text != QLatin1String("ok")) {
        problem = text;
        return TCheck::Damaged;
    }
    QString appId, tables;
    rc = QueryText(db, "PRAGMA application_id", appId);
    if (rc == SQLITE_OK)
        rc = QueryText(db, "SELECT count(*) FROM sqlite_schema", tables);
    if (rc != SQLITE_OK) {
        problem = Message(db, rc);
        return IsDamage(rc) ? TCheck::Damaged : TCheck::Failed;
    }
    if (appId.toInt() == ApplicationId) return TCheck::Good;
    if (appId.toInt() == 0 && tables.toInt() == 0 && !readOnly) return TCheck::Good;
    problem = QStringLiteral("not a settings file of this program");
    return TCheck::Damaged;
}

TCheck SetUpWritable(sqlite3 *db, QString &problem, int &rc) {
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, BusyTimeoutMs);
    // WAL lets a reader in another instance go on while this one writes; FULL makes each
    // commit reach the disk before the call returns. A file system without WAL support
    // keeps the rollback journal, which is as durable.
    QString mode;
    rc = QueryText(db, "PRAGMA journal_mode=WAL", mode);
    if (rc == SQLITE_OK) rc = Exec(db, "PRAGMA synchronous=FULL");
    if (rc != SQLITE_OK) {
        problem = Message(db, rc);
        return IsDamage(rc) ? TCheck::Damaged : TCheck::Failed;
    }
    const TCheck check = CheckFile(db, false, problem, rc);
    if (check != TCheck::Good) return check;
    rc = Exec(db, "BEGIN IMMEDIATE");
    if (rc == SQLITE_OK) rc = Exec(db, SchemaSql);
    if (rc == SQLITE_OK) {
        const QByteArray pragmas = QStringLiteral("PRAGMA application_id=%1; PRAGMA user_version=%2")
                                       .arg(ApplicationId)
                                       .arg(SchemaVersion)
                                       .toUtf8();
        rc = Exec(db, pragmas.constData());
    }
    if (rc == SQLITE_OK) rc = Exec(db, "COMMIT");
    if (rc != SQLITE_OK) {
        problem = Message(db, rc);
        Exec(db, "ROLLBACK");
        return IsDamage(rc) ? TCheck::Damaged : TCheck::Failed;
    }
    return TCheck::Good;
}

// Renames the file (and its WAL companions) out of the way; the name tells when.
bool MoveAside(const QString &file, QString &target) {
    const QString base =
        file + QStringLiteral(".damaged-") +
        QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    target = base;
    for (int n = 2; QFileInfo::exists(target) || QFileInfo::exists(target + "-wal"); ++n)
        target = base + '-' + QString::number(n);
    if (!QFile::rename(file, target)) return false;
    for (const char *suffix : {"-wal", "-shm"}) {
        const QString companion = file + QLatin1String(suffix);
        if (QFileInfo::exists(companion)) QFile::rename(companion, target + QLatin1String(suffix));
    }
    return true;
}

}  // namespace

TKeyPath SplitKeyPath(const QString &path) {
    return path.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
}

// One use of a statement the store prepared once: reset and unbound when the scope ends,
// so that it holds no read lock and no copy of the texts bound to it.
class TSettingsStore::TStatement {
public:
    TStatement(TSettingsStore &store, const char *sql) { FRc = store.Prepared(sql, FStmt); }
    ~TStatement() {
        if (!FStmt) return;
        sqlite3_reset(FStmt);
        sqlite3_clear_bindings(FStmt);
    }
    bool Ok() const { return FRc == SQLITE_OK; }
    int Rc() const { return FRc; }
    sqlite3_stmt *get() const { return FStmt; }
    void Bind(int i, int64_t v) { sqlite3_bind_int64(FStmt, i, v); }
    void Bind(int i, const QString &s) {
        const QByteArray utf8 = kv::ToUtf8(s);
        sqlite3_bind_text(FStmt, i, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    }
    // SQLITE_ROW, SQLITE_DONE or an error
    int Step() { return FRc = sqlite3_step(FStmt); }

private:
    sqlite3_stmt *FStmt = nullptr;
    int FRc = SQLITE_OK;
};

// Rolls back unless committed, so an error on the way leaves the file as it was. Whatever
// the outcome, what was read before may be stale: the generation moves on.
class TSettingsStore::TTransaction {
public:
    explicit TTransaction(TSettingsStore &store) : FDb(store.FDb) {
        ++store.FGeneration;
        FRc = Exec(FDb, "BEGIN IMMEDIATE");
    }
    ~TTransaction() {
        if (FRc == SQLITE_OK && !FDone) Exec(FDb, "ROLLBACK");
    }
    int Rc() const { return FRc; }
    int Commit() {
        const int rc = Exec(FDb, "COMMIT");
        if (rc == SQLITE_OK) FDone = true;
        return rc;
    }

private:
    sqlite3 *FDb;
    int FRc;
    bool FDone = false;
};

// One read transaction around the statements of a read: the file is locked once instead of
// once per key level (every lock is a system call), and all levels come from one state of
// the file even while another process writes.
class TSettingsStore::TReadSnapshot {
public:
    explicit TReadSnapshot(TSettingsStore &store) : FStore(store) {
        if (!store.FDb || !sqlite3_get_autocommit(store.FDb)) return;
        TStatement begin(store, "BEGIN");
        FOpen = begin.Ok() && begin.Step() == SQLITE_DONE;
    }
    ~TReadSnapshot() {
        if (!FOpen) return;
        TStatement commit(FStore, "COMMIT");
        // A transaction left open would make the next write fail.
        if (!commit.Ok() || commit.Step() != SQLITE_DONE) Exec(FStore.FDb, "ROLLBACK");
    }

private:
    TSettingsStore &FStore;
    bool FOpen = false;
};

// Sees a commit of any connection without a system call: every commit rewrites the header
// of the WAL index, the "-shm" file shared by every process using the store (its layout is
// in SQLite's "WAL-mode file format" document). PRAGMA data_version tells the same but takes
// two file locks per call, more than a whole cached read may cost.
//
// The header is read through the mapping SQLite's own connection holds, never through a
// descriptor of our own: closing any descriptor of the file drops every POSIX lock this
// process holds on it, SQLite's "someone uses this index" lock among them. A process opening
// the store next then takes itself for the only user and truncates and rebuilds the index
// under the mappings of this one: a bus error in the middle of a commit or a read.
class TSettingsStore::TWalIndexWatch {
public:
    // nullptr when the index is not mapped or is not a WAL index of the known version.
    static std::unique_ptr<TWalIndexWatch> Open(sqlite3 *db) {
        sqlite3_file *file = nullptr;
        if (sqlite3_file_control(db, "main", SQLITE_FCNTL_FILE_POINTER, &file) != SQLITE_OK ||
            !file || !file->pMethods || file->pMethods->iVersion < 2 ||
            !file->pMethods->xShmMap)
            return nullptr;
        // The region stays mapped, at this address, until the connection closes.
        volatile void *region = nullptr;
        sqlite3_mutex_enter(sqlite3_db_mutex(db));
        const int rc = file->pMethods->xShmMap(file, 0, RegionBytes, 0, &region);
        sqlite3_mutex_leave(sqlite3_db_mutex(db));
        if (rc != SQLITE_OK || !region) return nullptr;
        std::unique_ptr<TWalIndexWatch> watch(
            new TWalIndexWatch(static_cast<const volatile uint32_t *>(region)));
        if (watch->FHeader[0] != Version) return nullptr;
        return watch;
    }

    // True on the first call and whenever the header differs from the one seen last, also
    // while a commit is halfway through rewriting it.
    bool Changed() {
        // A writer fills the second copy, then the first: read them the other way round.
        THeader first, second;
        for (size_t i = 0; i < Words; ++i) first[i] = FHeader[i];
        std::atomic_thread_fence(std::memory_order_acquire);
        for (size_t i = 0; i < Words; ++i) second[i] = FHeader[Words + i];
        if (first != second || first[0] != Version) {
            FKnown = false;
            return true;
        }
        if (FKnown && first == FLast) return false;
        FLast = first;
        FKnown = true;
        return true;
    }

private:
    static constexpr uint32_t Version = 3007000;  // the first word of every header so far
    static constexpr size_t Words = 12;           // one copy of the 48-byte header
    static constexpr int RegionBytes = 32768;     // SQLite maps the index in regions of this size
    using THeader = std::array<uint32_t, Words>;

    explicit TWalIndexWatch(const volatile uint32_t *header) : FHeader(header) {}

    const volatile uint32_t *FHeader;
    THeader FLast{};
    bool FKnown = false;
};

TSettingsStore::TSettingsStore(sqlite3 *db, const QString &file, bool readOnly)
    : FDb(db), FFile(file), FReadOnly(readOnly) {
    // The index exists only in WAL mode; a file system without WAL keeps data_version.
    QString mode;
    if (db && !readOnly && QueryText(db, "PRAGMA journal_mode", mode) == SQLITE_OK &&
        mode == QLatin1String("wal"))
        FWalIndex = TWalIndexWatch::Open(db);
}

TSettingsStore::~TSettingsStore() {
    FWalIndex.reset();
    for (const auto &[sql, stmt] : FStatements) sqlite3_finalize(stmt);
    if (FDb) sqlite3_close_v2(FDb);
}

int TSettingsStore::Prepared(const char *sql, sqlite3_stmt *&stmt) {
    const auto it = FStatements.find(sql);
    if (it != FStatements.end()) {
        stmt = it->second;
        return SQLITE_OK;
    }
    stmt = nullptr;
    const int rc = sqlite3_prepare_v3(FDb, sql, -1, SQLITE_PREPARE_PERSISTENT, &stmt, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(stmt);
        stmt = nullptr;
        return rc;
    }
    FStatements.emplace(sql, stmt);
    return SQLITE_OK;
}

uint64_t TSettingsStore::Generation() {
    // The installation's file is opened as immutable: nothing changes it while it is open.
    if (!FDb || FReadOnly) return FGeneration;
    if (FWalIndex) {
        if (FWalIndex->Changed()) ++FGeneration;
        return FGeneration;
    }
    // Counts the commits of other connections only; our own move the generation themselves.
    TStatement st(*this, "PRAGMA data_version");
    if (!st.Ok() || st.Step() != SQLITE_ROW) return ++FGeneration;  // unknown: trust nothing
    const int64_t version = sqlite3_column_int64(st.get(), 0);
    if (version != FDataVersion) {
        FDataVersion = version;
        ++FGeneration;
    }
    return FGeneration;
}

std::unique_ptr<TSettingsStore> TSettingsStore::OpenWritable(const QString &file,
                                                             QString &warning, int32_t &error) {
    warning.clear();
    error = KvErr::Ok;
    QDir().mkpath(QFileInfo(file).absolutePath());
    QString moved, damage;
    for (int attempt = 0; attempt < 2; ++attempt) {
        sqlite3 *db = nullptr;
        int rc = sqlite3_open_v2(QFile::encodeName(file).constData(), &db,
                                 SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE |
                                     SQLITE_OPEN_FULLMUTEX,
                                 nullptr);
        QString problem;
        TCheck check = TCheck::Failed;
        if (rc == SQLITE_OK) {
            check = SetUpWritable(db, problem, rc);
        } else {
            problem = Message(db, rc);
            check = IsDamage(rc) ? TCheck::Damaged : TCheck::Failed;
        }
        if (check == TCheck::Good) {
            // The store keeps a remembered service login: readable by its owner only
            // (SQLite gives its -wal and -shm files the same permissions).
            QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
            if (!moved.isEmpty())
                warning = QStringLiteral("The settings file \"%1\" could not be read (%2). It "
                                         "was kept as \"%3\"; the settings start empty.")
                              .arg(QDir::toNativeSeparators(file), damage,
                                   QDir::toNativeSeparators(moved));
            return std::unique_ptr<TSettingsStore>(new TSettingsStore(db, file, false));
        }
        sqlite3_close_v2(db);
        if (check == TCheck::Failed || attempt > 0 || !MoveAside(file, moved)) {
            warning = QStringLiteral("The settings file \"%1\" cannot be opened: %2")
                          .arg(QDir::toNativeSeparators(file), problem);
            error = check == TCheck::Damaged ? KvErr::BadFormat : ErrorOf(rc, true);
            if (error == KvErr::Ok) error = KvErr::Failed;
            return nullptr;
        }
        damage = problem;
    }
    return nullptr;
}

std::unique_ptr<TSettingsStore> TSettingsStore::OpenReadOnly(const QString &file,
                                                             QString &warning) {
    warning.clear();
    if (file.isEmpty() || !QFileInfo(file).isFile())
        return std::unique_ptr<TSettingsStore>(new TSettingsStore(nullptr, file, true));
    // immutable: an installed file lies in a folder this user cannot write, where SQLite
    // could not make its lock or WAL index files.
    const QByteArray uri =
        QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()).toEncoded() + "?immutable=1";
    sqlite3 *db = nullptr;
    int rc = sqlite3_open_v2(uri.constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI,
                             nullptr);
    QString problem;
    if (rc == SQLITE_OK) {
        sqlite3_extended_result_codes(db, 1);
        if (CheckFile(db, true, problem, rc) == TCheck::Good)
            return std::unique_ptr<TSettingsStore>(new TSettingsStore(db, file, true));
    } else {
        problem = Message(db, rc);
    }
    sqlite3_close_v2(db);
    warning = QStringLiteral("The installation settings file \"%1\" cannot be read (%2); it "
                             "is ignored.")
                  .arg(QDir::toNativeSeparators(file), problem);
    return std::unique_ptr<TSettingsStore>(new TSettingsStore(nullptr, file, true));
}

int32_t TSettingsStore::Fail(int rc) const {
    return ErrorOf(rc, !FReadOnly);
}

int32_t TSettingsStore::FindKey(const TKeyPath &key, int64_t &id) {
    id = 0;
    if (!FDb) {
        id = -1;
        return KvErr::Ok;
    }
    for (const QString &level : key) {
        TStatement st(*this, FindKeySql);
        if (!st.Ok()) return Fail(st.Rc());
        st.Bind(1, id);
        st.Bind(2, Fold(level));
        const int rc = st.Step();
        if (rc == SQLITE_DONE) {
            id = -1;
            return KvErr::Ok;
        }
        if (rc != SQLITE_ROW) return Fail(rc);
        id = sqlite3_column_int64(st.get(), 0);
    }
    return KvErr::Ok;
}

int32_t TSettingsStore::EnsureKey(const TKeyPath &key, int64_t &id) {
    id = 0;
    for (const QString &level : key) {
        const QString fold = Fold(level);
        TStatement find(*this, FindKeySql);
        if (!find.Ok()) return Fail(find.Rc());
        find.Bind(1, id);
        find.Bind(2, fold);
        const int rc = find.Step();
        if (rc == SQLITE_ROW) {
            id = sqlite3_column_int64(find.get(), 0);
            continue;
        }
        if (rc != SQLITE_DONE) return Fail(rc);
        TStatement add(*this, "INSERT INTO RegKey(Parent, Name, Fold) VALUES(?1, ?2, ?3)");
        if (!add.Ok()) return Fail(add.Rc());
        add.Bind(1, id);
        add.Bind(2, level);
        add.Bind(3, fold);
        if (add.Step() != SQLITE_DONE) return Fail(add.Rc());
        id = sqlite3_last_insert_rowid(FDb);
    }
    return KvErr::Ok;
}

int32_t TSettingsStore::DeleteBelow(int64_t id, int64_t keepId, bool includeSelf) {
    // Values go first: the key rows are what finds them.
    static const char *const steps[] = {
        "WITH RECURSIVE Sub(Id) AS (SELECT Id FROM RegKey WHERE Parent = ?1 AND Id <> ?2"
        "  UNION ALL SELECT k.Id FROM RegKey k JOIN Sub s ON k.Parent = s.Id)"
        " DELETE FROM RegValue WHERE KeyId IN (SELECT Id FROM Sub)",
        "WITH RECURSIVE Sub(Id) AS (SELECT Id FROM RegKey WHERE Parent = ?1 AND Id <> ?2"
        "  UNION ALL SELECT k.Id FROM RegKey k JOIN Sub s ON k.Parent = s.Id)"
        " DELETE FROM RegKey WHERE Id IN (SELECT Id FROM Sub)",
        "DELETE FROM RegValue WHERE KeyId = ?1",
        "DELETE FROM RegKey WHERE Id = ?1",
    };
    for (int i = 0; i < (includeSelf ? 4 : 3); ++i) {
        TStatement st(*this, steps[i]);
        if (!st.Ok()) return Fail(st.Rc());
        st.Bind(1, id);
        if (i < 2) st.Bind(2, keepId);
        if (st.Step() != SQLITE_DONE) return Fail(st.Rc());
    }
    return KvErr::Ok;
}

int32_t TSettingsStore::KeyExists(const TKeyPath &key, bool &exists) {
    TReadSnapshot snapshot(*this);
    int64_t id = -1;
    const int32_t err = FindKey(key, id);
    exists = err == KvErr::Ok && id >= 0;
    return err;
}

int32_t TSettingsStore::CreateKey(const TKeyPath &key) {
    if (FReadOnly) return KvErr::ReadOnly;
    TTransaction tx(*this);
    if (tx.Rc() != SQLITE_OK) return Fail(tx.Rc());
    int64_t id = 0;
    if (const int32_t err = EnsureKey(key, id)) return err;
    return Fail(tx.Commit());
}

int32_t TSettingsStore::DeleteKey(const TKeyPath &key) {
    if (FReadOnly) return KvErr::ReadOnly;
    TTransaction tx(*this);
    if (tx.Rc() != SQLITE_OK) return Fail(tx.Rc());
    int64_t id = -1;
    if (const int32_t err = FindKey(key, id)) return err;
    if (id < 0) return KvErr::Ok;
    if (const int32_t err = DeleteBelow(id, -1, id != 0)) return err;
    return Fail(tx.Commit());
}

int32_t TSettingsStore::ClearKey(const TKeyPath &key, const QString &keepSubKey) {
    if (FReadOnly) return KvErr::ReadOnly;
    TTransaction tx(*this);
    if (tx.Rc() != SQLITE_OK) return Fail(tx.Rc());
    int64_t id = -1;
    if (const int32_t err = FindKey(key, id)) return err;
    if (id < 0) return KvErr::NotFound;
    int64_t keepId = -1;
    if (!keepSubKey.isEmpty()) {
        TKeyPath keep = key;
        keep.append(keepSubKey);
        if (const int32_t err = FindKey(keep, keepId)) return err;
    }
    if (const int32_t err = DeleteBelow(id, keepId, false)) return err;
    return Fail(tx.Commit());
}

int32_t TSettingsStore::Names(const char *sql, const TKeyPath &key, QStringList &names) {
    names.clear();
    TReadSnapshot snapshot(*this);
    int64_t id = -1;
    if (const int32_t err = FindKey(key, id)) return err;
    if (id < 0) return KvErr::NotFound;
    TStatement st(*this, sql);
    if (!st.Ok()) return Fail(st.Rc());
    st.Bind(1, id);
    int rc;
    while ((rc = st.Step()) == SQLITE_ROW) {
        const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(st.get(), 0));
        names.append(kv::FromUtf8Verbatim(text, sqlite3_column_bytes(st.get(), 0)));
    }
    if (rc != SQLITE_DONE) {
        names.clear();
        return Fail(rc);
    }
    return KvErr::Ok;
}

int32_t TSettingsStore::KeyNames(const TKeyPath &key, QStringList &names) {
    return Names("SELECT Name FROM RegKey WHERE Parent = ?1 ORDER BY Id", key, names);
}

int32_t TSettingsStore::ValueNames(const TKeyPath &key, QStringList &names) {
    // Id order is the order of first writing: a rewrite updates the row in place.
    return Names("SELECT Name FROM RegValue WHERE KeyId = ?1 ORDER BY Id", key, names);
}

int32_t TSettingsStore::Read(const TKeyPath &key, const QString &name, TRegValue &value) {
    TReadSnapshot snapshot(*this);
    int64_t id = -1;
    if (const int32_t err = FindKey(key, id)) return err;
    if (id < 0) return KvErr::NotFound;
    TStatement st(*this, "SELECT Type, Data FROM RegValue WHERE KeyId = ?1 AND Fold = ?2");
    if (!st.Ok()) return Fail(st.Rc());
    st.Bind(1, id);
    st.Bind(2, Fold(name));
    const int rc = st.Step();
    if (rc == SQLITE_DONE) return KvErr::NotFound;
    if (rc != SQLITE_ROW) return Fail(rc);
    sqlite3_stmt *s = st.get();
    const int column = sqlite3_column_type(s, 1);
    TRegValue v;
    v.Type = TRegType(sqlite3_column_int(s, 0));
    // The file may have been edited by hand: a row whose data does not fit its type is
    // reported, never reinterpreted.
    switch (v.Type) {
    case TRegType::Bool:
    case TRegType::Integer:
        if (column != SQLITE_INTEGER) return KvErr::BadFormat;
        v.Int = sqlite3_column_int64(s, 1);
        if (v.Type == TRegType::Bool ? (v.Int != 0 && v.Int != 1)
                                     : (v.Int < INT32_MIN || v.Int > INT32_MAX))
            return KvErr::BadFormat;
        break;
    case TRegType::Single:
    case TRegType::Double:
    case TRegType::DateTime:
        if (column != SQLITE_FLOAT) return KvErr::BadFormat;
        v.Real = sqlite3_column_double(s, 1);
        break;
    case TRegType::GUID:
    case TRegType::Binary: {
        if (column != SQLITE_BLOB) return KvErr::BadFormat;
        const int n = sqlite3_column_bytes(s, 1);
        v.Bytes = QByteArray(static_cast<const char *>(sqlite3_column_blob(s, 1)), n);
        if (v.Type == TRegType::GUID && n != 16) return KvErr::BadFormat;
        break;
    }
    case TRegType::String: {
        if (column != SQLITE_TEXT) return KvErr::BadFormat;
        const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(s, 1));
        v.Text = kv::FromUtf8Verbatim(text, sqlite3_column_bytes(s, 1));
        break;
    }
    default:
        return KvErr::BadFormat;
    }
    value = std::move(v);
    return KvErr::Ok;
}

int32_t TSettingsStore::Write(const TKeyPath &key, const QString &name, const TRegValue &value) {
    if (FReadOnly) return KvErr::ReadOnly;
    TTransaction tx(*this);
    if (tx.Rc() != SQLITE_OK) return Fail(tx.Rc());
    int64_t id = 0;
    if (const int32_t err = EnsureKey(key, id)) return err;
    // A rewrite keeps the row, and so the value's place in the enumeration and the case of
    // its name as first written.
    TStatement st(*this,
                  "INSERT INTO RegValue(KeyId, Name, Fold, Type, Data) VALUES(?1, ?2, ?3, ?4, ?5)"
                  " ON CONFLICT(KeyId, Fold) DO UPDATE SET Type = excluded.Type,"
                  " Data = excluded.Data");
    if (!st.Ok()) return Fail(st.Rc());
    st.Bind(1, id);
    st.Bind(2, name);
    st.Bind(3, Fold(name));
    st.Bind(4, int64_t(value.Type));
    sqlite3_stmt *s = st.get();
    switch (value.Type) {
    case TRegType::Bool:
    case TRegType::Integer:
        sqlite3_bind_int64(s, 5, value.Int);
        break;
    case TRegType::Single:
    case TRegType::Double:
    case TRegType::DateTime:
        sqlite3_bind_double(s, 5, value.Real);
        break;
    case TRegType::GUID:
    case TRegType::Binary:
        if (value.Bytes.isEmpty())
            sqlite3_bind_zeroblob(s, 5, 0);  // a BLOB of no bytes, not NULL
        else
            sqlite3_bind_blob(s, 5, value.Bytes.constData(), int(value.Bytes.size()),
                              SQLITE_TRANSIENT);
        break;
    case TRegType::String:
        st.Bind(5, value.Text);
        break;
    default:
        return KvErr::InvalidArgument;
    }
    if (st.Step() != SQLITE_DONE) return Fail(st.Rc());
    return Fail(tx.Commit());
}

int32_t TSettingsStore::DeleteValue(const TKeyPath &key, const QString &name) {
    if (FReadOnly) return KvErr::ReadOnly;
    TTransaction tx(*this);
    if (tx.Rc() != SQLITE_OK) return Fail(tx.Rc());
    int64_t id = -1;
    if (const int32_t err = FindKey(key, id)) return err;
    if (id < 0) return KvErr::NotFound;
    TStatement st(*this, "DELETE FROM RegValue WHERE KeyId = ?1 AND Fold = ?2");
    if (!st.Ok()) return Fail(st.Rc());
    st.Bind(1, id);
    st.Bind(2, Fold(name));
    if (st.Step() != SQLITE_DONE) return Fail(st.Rc());
    if (sqlite3_changes(FDb) == 0) return KvErr::NotFound;
    return Fail(tx.Commit());
}

}  // namespace kv
