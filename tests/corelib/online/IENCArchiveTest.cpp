// The check of an Inland ENC chart-set archive before any member is written, and the
// writing of one member.
#include "online/IENCArchive.h"

#include <KvLibNav6/KvErrorCodes.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <zip.h>

using namespace kv;

namespace {

struct TEntry {
    QString Name;
    QByteArray Data;
    mode_t Type = S_IFREG;
};

// Stored (not compressed), so that a test can find a member's bytes in the file.
QString MakeZip(const QString &path, const std::vector<TEntry> &entries) {
    int error = 0;
    zip_t *z = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    EXPECT_NE(z, nullptr);
    for (const TEntry &e : entries) {
        zip_source_t *src = zip_source_buffer(z, e.Data.constData(), zip_uint64_t(e.Data.size()), 0);
        const zip_int64_t i = zip_file_add(z, e.Name.toUtf8().constData(), src, ZIP_FL_ENC_UTF_8);
        EXPECT_GE(i, 0) << e.Name.toStdString();
        zip_set_file_compression(z, zip_uint64_t(i), ZIP_CM_STORE, 0);
        zip_file_set_external_attributes(z, zip_uint64_t(i), 0, ZIP_OPSYS_UNIX, zip_uint32_t(e.Type | 0644) << 16);
    }
    EXPECT_EQ(zip_close(z), 0);
    return path;
}

const QByteArray Cell = QByteArray("cell data ").repeated(50);
const QByteArray Update = QByteArray("update ").repeated(20);
const std::vector<TIENCListedFile> Listed = {{"ENC_ROOT/NL1/NL1.000", Cell.size()},
                                             {"ENC_ROOT/NL1/NL1.001", Update.size()}};

std::vector<TEntry> GoodEntries() {
    return {{"ENC_ROOT/", {}, S_IFDIR}, {"ENC_ROOT/NL1/NL1.000", Cell}, {"ENC_ROOT/NL1/NL1.001", Update}};
}

}  // namespace

TEST(IENCArchive, SafeNamesStayInsideTheirFolder) {
    for (const char *good : {"ENC_ROOT/NL1/NL1.000", "a", "a/b.c", "x..y/z"}) EXPECT_TRUE(IsSafeIENCName(good)) << good;
    for (const char *bad : {"", "../x", "../../x", "a/../../x", "/etc/passwd", "a\\b", "C:/x", "c:x", "a//b", "./a", "a/"})
        EXPECT_FALSE(IsSafeIENCName(bad)) << bad;
}

TEST(IENCArchive, WholeArchiveIsCheckedAgainstTheList) {
    QTemporaryDir dir;
    struct TCase {
        const char *What;
        std::vector<TEntry> Entries;
        int64_t Announced;  // -2: the archive's own size
        bool Ok;
        const char *Problem;
    };
    auto with = [](std::vector<TEntry> entries, TEntry extra) {
        entries.push_back(std::move(extra));
        return entries;
    };
    std::vector<TEntry> longer = GoodEntries();
    longer[1].Data += "x";
    std::vector<TEntry> missing = GoodEntries();
    missing.pop_back();
    const std::vector<TCase> cases = {
        {"good", GoodEntries(), -2, true, ""},
        {"parent", with(GoodEntries(), {"../../x", "x"}), -2, false, "unsafe name"},
        {"absolute", with(GoodEntries(), {"/etc/passwd", "x"}), -2, false, "unsafe name"},
        {"backslash", with(GoodEntries(), {"ENC_ROOT\\x", "x"}), -2, false, "unsafe name"},
        {"drive", with(GoodEntries(), {"C:/x", "x"}), -2, false, "unsafe name"},
        {"symlink", with(GoodEntries(), {"ENC_ROOT/link", "../../../etc", S_IFLNK}), -2, false, "not a plain file"},
        {"device", with(GoodEntries(), {"ENC_ROOT/dev", "", S_IFCHR}), -2, false, "not a plain file"},
        {"not listed", with(GoodEntries(), {"ENC_ROOT/NL1/NL1.002", "x"}), -2, false, "does not name"},
        {"member size", longer, -2, false, "differs in size"},
        {"member missing", missing, -2, false, "lacks"},
        {"announced smaller", GoodEntries(), 100, false, "announced"},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.What);
        const QString path = MakeZip(dir.filePath(QString::fromLatin1(c.What) + ".zip"), c.Entries);
        const int64_t announced = c.Announced == -2 ? QFileInfo(path).size() : c.Announced;
        QString problem;
        EXPECT_EQ(CheckIENCArchive(path, announced, Listed, problem), c.Ok ? KvErr::Ok : KvErr::BadFormat);
        EXPECT_TRUE(problem.contains(QLatin1String(c.Problem))) << problem.toStdString();
    }
}

TEST(IENCArchive, RepeatedNamesDamagedBytesAndCutFilesAreRefused) {
    QTemporaryDir dir;
    const QString good = MakeZip(dir.filePath("good.zip"), GoodEntries());
    QFile f(good);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    f.close();
    auto write = [&](const QString &name, const QByteArray &data) {
        QFile out(dir.filePath(name));
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(data);
        return out.fileName();
    };
    QString problem;
    QByteArray damaged = bytes;
    const qsizetype at = damaged.indexOf(Cell.left(40));
    ASSERT_GT(at, 0);
    damaged[at + 20] = 'Z';
    EXPECT_EQ(CheckIENCArchive(write("crc.zip", damaged), bytes.size(), Listed, problem), KvErr::BadFormat);
    EXPECT_TRUE(problem.contains("damaged")) << problem.toStdString();
    EXPECT_EQ(CheckIENCArchive(write("cut.zip", bytes.left(bytes.size() / 2)), -1, Listed, problem), KvErr::BadFormat);
    EXPECT_EQ(CheckIENCArchive(dir.filePath("absent.zip"), -1, Listed, problem), KvErr::BadFormat);
    // libzip refuses to write a name twice; a site's archive may still hold one.
    QByteArray twice = bytes;
    twice.replace("ENC_ROOT/NL1/NL1.001", "ENC_ROOT/NL1/NL1.000");
    EXPECT_EQ(CheckIENCArchive(write("twice.zip", twice), twice.size(), Listed, problem), KvErr::BadFormat);
}

TEST(IENCArchive, MemberIsWrittenWithTheListedSizeAndDate) {
    QTemporaryDir dir;
    const QString zip = MakeZip(dir.filePath("set.zip"), GoodEntries());
    const QString target = dir.filePath("out/ENC_ROOT/NL1/NL1.000");
    ASSERT_EQ(ExtractIENCMember(zip, "ENC_ROOT/NL1/NL1.000", Cell.size(), target, 1700000000), KvErr::Ok);
    QFile f(target);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), Cell);
    EXPECT_EQ(QFileInfo(target).lastModified().toSecsSinceEpoch(), 1700000000);
    // Extraction stops at the listed size.
    const QString shortTarget = dir.filePath("out/short");
    EXPECT_EQ(ExtractIENCMember(zip, "ENC_ROOT/NL1/NL1.000", Cell.size() - 1, shortTarget), KvErr::Ok);
    EXPECT_EQ(QFileInfo(shortTarget).size(), Cell.size() - 1);
    EXPECT_EQ(ExtractIENCMember(zip, "../x", 1, dir.filePath("x")), KvErr::InvalidArgument);
    EXPECT_EQ(ExtractIENCMember(zip, "ENC_ROOT/none", 1, dir.filePath("y")), KvErr::NotFound);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("y")));
}
