// Writes program data files (backups) in the core library's container format, for tests
// of the reader and of the import paths. A profile entry's data is one profile in the
// profile file's JSON form (ProfileEntryJson).
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QtEndian>
#include <cstdint>
#include <vector>

namespace testsupport {

enum TBackupKind : uint16_t {
    BackupDatabase = 1,
    BackupRouteProfile = 2,
    BackupWaypointProfile = 3,
    BackupTrack = 4,
};

struct TBackupFixtureEntry {
    uint16_t Kind = BackupTrack;
    QString Name;
    QByteArray Data;
};

inline void AppendLE16(QByteArray &out, uint16_t v) {
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}
inline void AppendLE32(QByteArray &out, uint32_t v) {
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}
inline void AppendLE64(QByteArray &out, uint64_t v) {
    char b[8];
    qToLittleEndian(v, b);
    out.append(b, 8);
}

// "KVNAVBAK", version, count, then per entry kind, 0, name length, data length, name, data.
inline QByteArray NavBackupFixture(const std::vector<TBackupFixtureEntry> &entries,
                                   uint32_t version = 1) {
    QByteArray out("KVNAVBAK");
    AppendLE32(out, version);
    AppendLE32(out, uint32_t(entries.size()));
    for (const TBackupFixtureEntry &e : entries) {
        const QByteArray name = e.Name.toUtf8();
        AppendLE16(out, e.Kind);
        AppendLE16(out, 0);
        AppendLE32(out, uint32_t(name.size()));
        AppendLE64(out, uint64_t(e.Data.size()));
        out += name;
        out += e.Data;
    }
    return out;
}

// One text-format profile as the profile file stores it: name, separators, a kind list and
// the first columns' (kind, type) pairs.
inline QByteArray ProfileEntryJson(const QString &name, char16_t fieldSeparator = u';',
                                   const QStringList &kinds = {QStringLiteral("KIND_NAME")}) {
    QByteArray json = "{\"name\": \"" + name.toUtf8() + "\", \"default\": false, \"decimalSeparator\": 46, ";
    json += "\"fieldSeparator\": " + QByteArray::number(int(fieldSeparator)) + ", \"kinds\": [";
    for (qsizetype i = 0; i < kinds.size(); ++i)
        json += (i ? ", " : "") + QByteArray("{\"key\": \"") + kinds[i].toUtf8() + "\", \"class\": 0}";
    json += "], \"columns\": [";
    for (qsizetype i = 0; i < kinds.size(); ++i) json += (i ? ", [" : "[") + QByteArray::number(i) + ", 0]";
    return json + "]}";
}

inline bool WriteFileBytes(const QString &file, const QByteArray &data) {
    QFile f(file);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

}  // namespace testsupport
