// The Inland ENC service of the stand-in, published the way the national download sites
// publish it: one zip per chart set holding "ENC_ROOT/<cell>/<cell>.000" with its updates,
// built at start from the shared S-57 test charts (charts/s57 below the test data folder).
//   NL "Zeeland", "Westerschelde": US4MD81M with .001 to .003;
//   DE without region and water (a complete country): the four S-58 cells;
//   XX (no country of the service area): one cell; AT "Donau": no files;
//   a common file "Common/ienc-catalogue.txt".
// Paths: "ienc/list", "ienc/chartset", "ienc/chartsets" (the list's entries of the sets
// asked), "ienc/archive" (a set's zip), "ienc/commonfile".
// Two more paths let a test change the service while it runs:
//   "ienc/stub-newer" {"file"}: the file gets a date one day later (its set a new archive);
//   "ienc/stub-misbehave" {"mode"}: how the next answers go wrong, until mode "" again:
//     "cut" (the archive ends mid-body), "crc" (a member's bytes changed), "dotdot",
//     "absolute", "symlink" (an extra member "../../x", "/etc/passwd", a link out),
//     "size" (a member longer than listed), "larger" (more bytes than the list announced),
//     "hang" (the archive never comes), "list500" (the list fails with status 500).
#include "ServiceStub.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <zip.h>

#include <memory>
#include <vector>

namespace servicestub {

namespace {

// 2023-11-14, the date every file has until a test dates one newer.
constexpr qint64 BaseDate = 1700000000;

struct TIENCFile {
    QString Name;  // relative, "/" separators
    QByteArray Data;
    qint64 Date = BaseDate;
};

struct TIENCSet {
    QString Country, Region, Water;
    std::vector<TIENCFile> Files;
    QByteArray Archive;
};

// A zip of the files (stored, so that a test can find and change a member's bytes), plus
// what a misbehaving site adds.
QByteArray BuildZip(const TIENCSet &set, const QString &mode, const QString &scratch) {
    const QString path = QDir(scratch).filePath(QStringLiteral("build.zip"));
    QFile::remove(path);
    int error = 0;
    zip_t *z = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!z) return {};
    std::vector<QByteArray> keep;  // libzip reads the buffers at zip_close
    auto add = [&](const QString &name, QByteArray data, mode_t type) {
        keep.push_back(std::move(data));
        zip_source_t *src = zip_source_buffer(z, keep.back().constData(), zip_uint64_t(keep.back().size()), 0);
        const zip_int64_t index = zip_file_add(z, name.toUtf8().constData(), src, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(src);
            return;
        }
        zip_set_file_compression(z, zip_uint64_t(index), ZIP_CM_STORE, 0);
        zip_file_set_external_attributes(z, zip_uint64_t(index), 0, ZIP_OPSYS_UNIX,
                                         zip_uint32_t(type | 0644) << 16);
    };
    keep.reserve(set.Files.size() + 2);
    for (const TIENCFile &f : set.Files) {
        QByteArray data = f.Data;
        if (mode == u"size" && &f == &set.Files.front()) data += QByteArray(100, 'x');
        add(f.Name, data, S_IFREG);
    }
    if (mode == u"dotdot") add(QStringLiteral("../../x"), "outside", S_IFREG);
    if (mode == u"absolute") add(QStringLiteral("/etc/passwd"), "root::0:0::/:/bin/sh\n", S_IFREG);
    if (mode == u"symlink") add(QStringLiteral("ENC_ROOT/link"), "../../../../../etc", S_IFLNK);
    if (zip_close(z) != 0) {
        zip_discard(z);
        return {};
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QByteArray bytes = file.readAll();
    if (mode == u"crc" && !set.Files.empty()) {
        // The first member's bytes follow its name in the local header.
        const qsizetype at = bytes.indexOf(set.Files.front().Data.left(64));
        if (at >= 0) bytes[at + 10] = char(bytes[at + 10] ^ 0x5A);
    }
    return bytes;
}

QJsonObject Describe(const TIENCSet &set) {
    QJsonArray files;
    qint64 size = 0, date = 0;
    for (const TIENCFile &f : set.Files) {
        files.append(QJsonObject{{QStringLiteral("name"), f.Name},
                                 {QStringLiteral("size"), double(f.Data.size())},
                                 {QStringLiteral("date"), double(f.Date)}});
        size += f.Data.size();
        date = qMax(date, f.Date);
    }
    return {{QStringLiteral("country"), set.Country}, {QStringLiteral("region"), set.Region},
            {QStringLiteral("water"), set.Water},     {QStringLiteral("date"), double(date)},
            {QStringLiteral("size"), double(size)},   {QStringLiteral("archive"), double(set.Archive.size())},
            {QStringLiteral("files"), files}};
}

// Files of one cell folder of the test charts: the cell and its updates.
void AddCell(TIENCSet &set, const QString &folder) {
    const QString cell = QFileInfo(folder).fileName();
    const QStringList names = QDir(folder).entryList({cell + QStringLiteral(".0*")}, QDir::Files, QDir::Name);
    for (const QString &name : names) {
        QFile f(QDir(folder).filePath(name));
        if (f.open(QIODevice::ReadOnly))
            set.Files.push_back({QStringLiteral("ENC_ROOT/") + cell + u'/' + name, f.readAll()});
    }
}

struct TIENCState {
    std::vector<TIENCSet> Sets;
    TIENCFile Common;
    QString Mode;
    QTemporaryDir Scratch;

    void Load(const QString &testData) {
        const QString s57 = QDir(testData).filePath(QStringLiteral("charts/s57"));
        TIENCSet nl{QStringLiteral("NL"), QStringLiteral("Zeeland"), QStringLiteral("Westerschelde"), {}, {}};
        AddCell(nl, QDir(s57).filePath(QStringLiteral("US4MD81M")));
        TIENCSet de{QStringLiteral("DE"), QString(), QString(), {}, {}};
        for (const char *cell : {"AA400001", "AA400002", "AA400004", "AA400006"})
            AddCell(de, QDir(s57).filePath(QStringLiteral("s58/") + QLatin1String(cell)));
        TIENCSet xx{QStringLiteral("XX"), QStringLiteral("Nowhere"), QString(), {}, {}};
        AddCell(xx, QDir(s57).filePath(QStringLiteral("s58/AA400001")));
        TIENCSet at{QStringLiteral("AT"), QStringLiteral("Donau"), QString(), {}, {}};
        Sets = {nl, de, xx, at};
        Common = {QStringLiteral("Common/ienc-catalogue.txt"),
                  "Inland ENC chart sets of the service stand-in.\n", BaseDate};
        Rebuild();
    }

    void Rebuild() {
        for (TIENCSet &set : Sets) set.Archive = set.Files.empty() ? QByteArray() : BuildZip(set, Mode, Scratch.path());
    }

    const TIENCSet *Find(const QJsonObject &fields, const QString &suffix) const {
        if (!fields.contains(QStringLiteral("country") + suffix)) return nullptr;
        for (const TIENCSet &set : Sets)
            if (set.Country == fields.value(QStringLiteral("country") + suffix).toString() &&
                set.Region == fields.value(QStringLiteral("region") + suffix).toString() &&
                set.Water == fields.value(QStringLiteral("water") + suffix).toString())
                return &set;
        return nullptr;
    }

    TStubReply List() const {
        if (Mode == u"list500") return TStubReply::Failure(500, QStringLiteral("Internal error"));
        QJsonArray sets;
        for (const TIENCSet &set : Sets) sets.append(Describe(set));
        return TStubReply::Json({{QStringLiteral("result"), 0},
                                 {QStringLiteral("chartsets"), sets},
                                 {QStringLiteral("common"),
                                  QJsonObject{{QStringLiteral("name"), Common.Name},
                                              {QStringLiteral("size"), double(Common.Data.size())},
                                              {QStringLiteral("date"), double(Common.Date)}}}});
    }

    TStubReply SetsAsked(const TStubRequest &request) const {
        QJsonArray sets;
        if (const TIENCSet *one = Find(request.Fields, QString())) sets.append(Describe(*one));
        for (int i = 0; const TIENCSet *set = Find(request.Fields, QString::number(i)); ++i)
            sets.append(Describe(*set));
        return TStubReply::Json({{QStringLiteral("result"), 0}, {QStringLiteral("chartsets"), sets}});
    }

    TStubReply Archive(const TStubRequest &request) const {
        const TIENCSet *set = Find(request.Fields, QString());
        if (!set || set->Archive.isEmpty()) return TStubReply::Failure(404, QStringLiteral("No such chart set"));
        TStubReply reply;
        reply.ContentType = "application/zip";
        reply.FileName = set->Country + QStringLiteral(".zip");
        reply.Body = set->Archive;
        if (Mode == u"cut") {
            reply.DeclaredLength = reply.Body.size();
            reply.Body.truncate(reply.Body.size() / 2);
        } else if (Mode == u"larger") {
            reply.Body += QByteArray(4096, '\0');
        } else if (Mode == u"hang") {
            reply.Hang = true;
        }
        return reply;
    }

    TStubReply CommonFile() const {
        TStubReply reply;
        reply.ContentType = "text/plain";
        reply.FileName = QFileInfo(Common.Name).fileName();
        reply.Body = Common.Data;
        return reply;
    }

    TStubReply Newer(const TStubRequest &request) {
        const QString name = request.Fields.value(QStringLiteral("file")).toString();
        for (TIENCSet &set : Sets)
            for (TIENCFile &f : set.Files)
                if (f.Name == name) {
                    f.Date += 86400;
                    set.Archive = BuildZip(set, Mode, Scratch.path());
                    return TStubReply::Json({{QStringLiteral("result"), 0}});
                }
        return TStubReply::Failure(404, QStringLiteral("No such file: ") + name);
    }

    TStubReply Misbehave(const TStubRequest &request) {
        Mode = request.Fields.value(QStringLiteral("mode")).toString();
        Rebuild();
        return TStubReply::Json({{QStringLiteral("result"), 0}});
    }
};

}  // namespace

void RegisterIENCHandlers(TServiceStub &stub, const QString &testDataDir) {
    auto state = std::make_shared<TIENCState>();
    state->Load(testDataDir);
    stub.SetHandler(QStringLiteral("ienc/list"), [state](const TStubRequest &) { return state->List(); });
    stub.SetHandler(QStringLiteral("ienc/chartset"), [state](const TStubRequest &r) { return state->SetsAsked(r); });
    stub.SetHandler(QStringLiteral("ienc/chartsets"), [state](const TStubRequest &r) { return state->SetsAsked(r); });
    stub.SetHandler(QStringLiteral("ienc/archive"), [state](const TStubRequest &r) { return state->Archive(r); });
    stub.SetHandler(QStringLiteral("ienc/commonfile"), [state](const TStubRequest &) { return state->CommonFile(); });
    stub.SetHandler(QStringLiteral("ienc/stub-newer"), [state](const TStubRequest &r) { return state->Newer(r); });
    stub.SetHandler(QStringLiteral("ienc/stub-misbehave"), [state](const TStubRequest &r) { return state->Misbehave(r); });
}

}  // namespace servicestub
