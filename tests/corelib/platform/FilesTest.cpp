#include "TestSupport.h"

#include "base/kvlib/KvStrings.h"
#include "platform/ShellOpener.h"

#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvFiles.h>

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

void Touch(const QString &path, const QByteArray &content = {}) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(content);
}

QByteArray Bytes(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList Find(const QString &folder, const QString &masks, bool recurse) {
    TStrWListOut out;
    FindFiles(StrW(folder), StrW(masks), recurse, out.get());
    return out.Strings();
}

// Records what the shell exports would open, and launches nothing.
class TRecordingOpener {
public:
    TRecordingOpener() {
        kv::TShellOpener o;
        o.OpenUrl = [this](const QUrl &u) { Urls << u; return Answer; };
        o.StartDetached = [this](const QString &p, const QStringList &a, const QString &f) {
            Programs << p;
            Arguments << a;
            Folders << f;
            return Answer;
        };
        FPrevious = kv::SetShellOpener(o);
    }
    ~TRecordingOpener() { kv::SetShellOpener(FPrevious); }
    QList<QUrl> Urls;
    QStringList Programs, Folders;
    QList<QStringList> Arguments;
    bool Answer = true;

private:
    kv::TShellOpener FPrevious;
};

}  // namespace

TEST(CoreFiles, DirCreateExistsAndDeleteTree) {
    const QString root = testsupport::MakeTempDir(QStringLiteral("dirs"));
    int32_t err = -1;
    DirCreate(StrW(root + "\\a\\b c\\d"), err);  // both separators are accepted
    EXPECT_EQ(err, KvErr::Ok);
    EXPECT_TRUE(DirExists(StrW(root + "/a/b c/d")));
    DirCreate(StrW(root + "/a"), err);
    EXPECT_EQ(err, KvErr::Ok) << "an existing folder is success";

    Touch(root + "/file");
    DirCreate(StrW(root + "/file/sub"), err);
    EXPECT_NE(err, KvErr::Ok) << "a file in the way";
    DirCreate(StrW(root + "/file"), err);
    EXPECT_EQ(err, KvErr::AlreadyExists);
    EXPECT_FALSE(DirExists(StrW(root + "/file")));

    Touch(root + "/a/b c/d/x.txt", "x");
    DirDeleteTree(StrW(root + "/a"), true, true, true, err);
    EXPECT_EQ(err, KvErr::Ok);
    EXPECT_FALSE(QFileInfo::exists(root + "/a"));
    DirDeleteTree(StrW(root + "/a"), true, true, true, err);
    EXPECT_EQ(err, KvErr::Ok) << "nothing to delete is not a failure";
    for (const QString &guarded : {QStringLiteral("/"), QDir::homePath(), QString()}) {
        DirDeleteTree(StrW(guarded), true, true, true, err);
        EXPECT_EQ(err, KvErr::InvalidArgument) << guarded.toStdString();
    }
}

TEST(CoreFiles, DirCreateInAReadOnlyFolderReportsAccessDenied) {
    const QString root = testsupport::MakeTempDir(QStringLiteral("ro"));
    QFile::setPermissions(root, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (QFileInfo(root).isWritable()) GTEST_SKIP() << "running with rights that ignore modes";
    int32_t err = 0;
    DirCreate(StrW(root + "/new"), err);
    EXPECT_EQ(err, KvErr::AccessDenied);
    QFile::setPermissions(root, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                    QFileDevice::ExeOwner);
}

TEST(CoreFiles, CopyMoveDelete) {
    const QString root = testsupport::MakeTempDir(QStringLiteral("copy"));
    Touch(root + "/src.txt", "source");
    Touch(root + "/dst.txt", "old");
    int32_t err = -1;
    FileCopyEx(StrW(root + "/src.txt"), StrW(root + "/dst.txt"), 0, false, 0x80, 0, 0, 0, err);
    EXPECT_EQ(err, KvErr::AlreadyExists);
    EXPECT_EQ(Bytes(root + "/dst.txt"), "old");
    FileCopyEx(StrW(root + "/src.txt"), StrW(root + "/dst.txt"), KvFileCopyEx::Replace, false,
               0x80, 0, 0, 0, err);
    EXPECT_EQ(err, KvErr::Ok);
    EXPECT_EQ(Bytes(root + "/dst.txt"), "source");
    FileCopy(StrW(root + "/missing"), StrW(root + "/dst.txt"), 0x20000, 0, 0, 0, err);
    EXPECT_EQ(err, KvErr::NotFound);
    EXPECT_EQ(Bytes(root + "/dst.txt"), "source");
    FileCopy(StrW(root + "/src.txt"), StrW(root + "/src.txt"), 0x20000, 0, 0, 0, err);
    EXPECT_EQ(err, KvErr::InvalidArgument) << "a file copied onto itself";
    EXPECT_EQ(Bytes(root + "/src.txt"), "source");

    Touch(root + "/moved.txt", "other");
    FileMove(StrW(root + "/src.txt"), StrW(root + "/moved.txt"), false, err);
    EXPECT_EQ(err, KvErr::AlreadyExists);
    FileMove(StrW(root + "/src.txt"), StrW(root + "/moved.txt"), true, err);
    EXPECT_EQ(err, KvErr::Ok);
    EXPECT_FALSE(QFileInfo::exists(root + "/src.txt"));
    EXPECT_EQ(Bytes(root + "/moved.txt"), "source");

    EXPECT_EQ(FileGetSize_F(StrW(root + "/moved.txt"), err), 6);
    EXPECT_EQ(err, KvErr::Ok);
    const TDateTime t = FileGetTimeModified(StrW(root + "/moved.txt"), err);
    const QDateTime now = QDateTime::currentDateTime();
    const double today = QDate(1899, 12, 30).daysTo(now.date()) +
                         now.time().msecsSinceStartOfDay() / 86400000.0;
    EXPECT_NEAR(t, today, 60.0 / 86400.0);

    FileDelete(StrW(root + "/moved.txt"), err);
    EXPECT_EQ(err, KvErr::Ok);
    FileDelete(StrW(root + "/moved.txt"), err);
    EXPECT_EQ(err, KvErr::NotFound);
    FileGetSize_F(StrW(root + "/moved.txt"), err);
    EXPECT_EQ(err, KvErr::NotFound);
}

TEST(CoreFiles, CreateUniqueNeverReusesAName) {
    const QString root = testsupport::MakeTempDir(QStringLiteral("unique"));
    struct Case { const char *name; QString fileName; QString expected; };
    const Case cases[] = {
        {"free name is used as given", "Downloaded Track.trk", "Downloaded Track.trk"},
        {"taken name gets a number", "Downloaded Track.trk", "Downloaded Track (1).trk"},
        {"and the next number", "Downloaded Track.trk", "Downloaded Track (2).trk"},
        {"a bare extension is numbered", ".trk", "1.trk"},
        {"numbered again", ".trk", "2.trk"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TStrWOut out;
        int32_t err = -1;
        _FileCreateUnique(StrW(root), StrW(c.fileName), out.get(), err);
        EXPECT_EQ(err, KvErr::Ok);
        EXPECT_EQ(out.Text(), root + '/' + c.expected);
        EXPECT_TRUE(QFileInfo::exists(out.Text()));
    }
    TStrWOut out;
    int32_t err = 0;
    _FileCreateUnique(StrW(root + "/missing"), StrW(QStringLiteral("a.trk")), out.get(), err);
    EXPECT_EQ(err, KvErr::NotFound);
    _FileCreateUnique(StrW(root), StrW(QStringLiteral("../a.trk")), out.get(), err);
    EXPECT_EQ(err, KvErr::InvalidArgument);
    EXPECT_TRUE(out.Text().isEmpty());
}

TEST(CoreFiles, TextFilesRoundTrip) {
    const QString root = testsupport::MakeTempDir(QStringLiteral("text"));
    struct Case { const char *name; QString text; int32_t codePage; QByteArray bytes; };
    const Case cases[] = {
        {"1252 with euro and accents", QStringLiteral("€ café"), 1252, "\x80 caf\xe9"},
        {"utf-8", QStringLiteral("€"), 65001, "\xE2\x82\xAC"},
        {"beyond 1252 keeps every character", QStringLiteral("Ω €"), 1252,
         "\xEF\xBB\xBF\xCE\xA9 \xE2\x82\xAC"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = root + "/t.txt";
        int32_t err = -1;
        FileWriteText(StrW(file), StrW(c.text), 2, c.codePage, err);
        EXPECT_EQ(err, KvErr::Ok);
        EXPECT_EQ(Bytes(file), c.bytes);
        TStrWOut out;
        EXPECT_EQ(FileReadText(StrW(file), out.get(), c.codePage, err), c.text.size());
        EXPECT_EQ(out.Text(), c.text);
    }
    TStrWOut out;
    int32_t err = 0;
    EXPECT_EQ(FileReadText(StrW(root + "/none.txt"), out.get(), 1252, err), 0);
    EXPECT_EQ(err, KvErr::NotFound);
    FileWriteText(StrW(root + "/no folder/t.txt"), StrW(QStringLiteral("x")), 2, 1252, err);
    EXPECT_EQ(err, KvErr::NotFound);
}

TEST(CoreFiles, FindFilesMasksAndRecursion) {
    const QString root = testsupport::MakeTempDir(QStringLiteral("find"));
    for (const char *name : {"b.trk", "A.TRK", "c.png", "d.jpg", "e.txt", "noext",
                             "sub/f.trk", "sub/deeper/g.PNG"})
        Touch(root + '/' + name);
    struct Case { const char *name; QString masks; bool recurse; QStringList expected; };
    const Case cases[] = {
        {"one mask ignores case", "*.trk", false, {"A.TRK", "b.trk"}},
        {"several masks", "*.bmp;*.tga;*.jpg;*.png", false, {"c.png", "d.jpg"}},
        {"recursion", "*.trk", true, {"A.TRK", "b.trk", "sub/f.trk"}},
        {"all files, also without a dot", "*.*", false,
         {"A.TRK", "b.trk", "c.png", "d.jpg", "e.txt", "noext"}},
        {"blanks around masks", " *.png ; *.txt ", true, {"c.png", "e.txt", "sub/deeper/g.PNG"}},
        {"no mask finds nothing", ";", true, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QStringList expected;
        for (const QString &e : c.expected) expected << root + '/' + e;
        EXPECT_EQ(Find(root, c.masks, c.recurse), expected);
    }
    EXPECT_TRUE(Find(root + "/missing", "*.*", true).isEmpty());
}

TEST(CoreFiles, TempDirAndFreeSpace) {
    TStrWOut temp;
    _GetTempDir(temp.get());
    EXPECT_TRUE(temp.Text().endsWith('/'));
    EXPECT_TRUE(QFileInfo(temp.Text()).isDir());
    int64_t freeBytes = -1, total = -1;
    int32_t err = -1;
    // A folder still to be created is measured on its nearest existing parent.
    DiskGetFreeSpace(StrW(temp.Text() + "not/yet/there"), freeBytes, &total, 0, err);
    EXPECT_EQ(err, KvErr::Ok);
    EXPECT_GT(total, 0);
    EXPECT_GE(freeBytes, 0);
    EXPECT_LE(freeBytes, total);
    DiskGetFreeSpace(StrW(temp.Text()), freeBytes, nullptr, 0, err);
    EXPECT_EQ(err, KvErr::Ok);
}

TEST(CoreFiles, RunAndWaitReturnsTheExitCode) {
    int32_t exitValue = -5, err = -1;
    int calls = 0;
    auto counting = [](void *data, bool &stop) { ++*static_cast<int *>(data); stop = false; };
    RunAndWait(StrW(QStringLiteral("/bin/sh")), StrW(QStringLiteral("-c \"sleep 0.2; exit 7\"")),
               StrW(QString()), nullptr, 0, counting, &calls, exitValue, err);
    EXPECT_EQ(err, KvErr::Ok);
    EXPECT_EQ(exitValue, 7);
    EXPECT_GT(calls, 0) << "the wait callback runs while the program does";

    const QString dir = testsupport::MakeTempDir(QStringLiteral("run"));
    RunAndWait(StrW(QStringLiteral("sh")), StrW(QStringLiteral("-c \"pwd > out.txt\"")),
               StrW(dir), nullptr, 0, nullptr, nullptr, exitValue, err);
    EXPECT_EQ(err, KvErr::Ok);
    EXPECT_EQ(Bytes(dir + "/out.txt").trimmed(), QFileInfo(dir).canonicalFilePath().toUtf8());
}

TEST(CoreFiles, RunAndWaitOfAMissingProgramFailsAtOnce) {
    int32_t exitValue = 0, err = 0;
    int calls = 0;
    auto counting = [](void *data, bool &) { ++*static_cast<int *>(data); };
    for (const QString &program : {QStringLiteral("/no/such/program"),
                                   QStringLiteral("no-such-program-anywhere"), QString()}) {
        SCOPED_TRACE(program.toStdString());
        RunAndWait(StrW(program), StrW(QString()), StrW(QString()), nullptr, 0, counting, &calls,
                   exitValue, err);
        EXPECT_NE(err, KvErr::Ok);
        EXPECT_EQ(exitValue, -1);
    }
    EXPECT_EQ(calls, 0);
}

TEST(CoreFiles, RunAndWaitStopsWaitingWhenAsked) {
    int32_t exitValue = 0, err = 0;
    auto stopAtOnce = [](void *, bool &stop) { stop = true; };
    RunAndWait(StrW(QStringLiteral("/bin/sleep")), StrW(QStringLiteral("1")), StrW(QString()),
               nullptr, 0, stopAtOnce, nullptr, exitValue, err);
    EXPECT_EQ(err, KvErr::Cancelled);
    EXPECT_EQ(exitValue, -1);
}

TEST(CoreShell, ExecuteDocumentGoesThroughTheOpener) {
    TRecordingOpener opener;
    const QString dir = testsupport::MakeTempDir(QStringLiteral("shell"));
    Touch(dir + "/my doc.pdf");
    struct Case { const char *name; QString text; int32_t err; QString url; };
    const Case cases[] = {
        {"web address", "https://example.org/a?b=1", KvErr::Ok, "https://example.org/a?b=1"},
        {"mail link", "mailto:someone@example.org", KvErr::Ok, "mailto:someone@example.org"},
        {"local document with blanks", dir + "/my doc.pdf", KvErr::Ok,
         QUrl::fromLocalFile(dir + "/my doc.pdf").toString()},
        {"empty text", "  ", KvErr::InvalidArgument, {}},
        {"missing document", dir + "/none.pdf", KvErr::NotFound, {}},
        {"other scheme", "javascript:alert(1)", KvErr::InvalidArgument, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        opener.Urls.clear();
        int32_t err = -1;
        ShlExecuteDocument(nullptr, StrW(c.text), 1, err);
        EXPECT_EQ(err, c.err);
        if (c.url.isEmpty())
            EXPECT_TRUE(opener.Urls.isEmpty());
        else
            EXPECT_EQ(opener.Urls, QList<QUrl>{QUrl(c.url)});
    }
    opener.Answer = false;
    int32_t err = 0;
    ShlExecuteDocument(nullptr, StrW(QStringLiteral("https://example.org")), 1, err);
    EXPECT_EQ(err, KvErr::Failed) << "a refusal by the desktop is not success";
}

TEST(CoreShell, ExecuteFileStartsProgramsAndOpensDocuments) {
    TRecordingOpener opener;
    const QString dir = testsupport::MakeTempDir(QStringLiteral("shellfile"));
    Touch(dir + "/notes.txt");
    int32_t err = -1;
    ShlExecuteFile(nullptr, StrW(QStringLiteral("open")), StrW(QStringLiteral("/bin/sh")),
                   StrW(QStringLiteral("-c \"exit 0\"")), StrW(dir), 1, err);
    EXPECT_EQ(err, KvErr::Ok);
    EXPECT_EQ(opener.Programs, QStringList{"/bin/sh"});
    EXPECT_EQ(opener.Arguments.value(0), (QStringList{"-c", "exit 0"}));
    EXPECT_EQ(opener.Folders, QStringList{dir});

    ShlExecuteFile(nullptr, StrW(QString()), StrW(dir + "/notes.txt"), StrW(QString()),
                   StrW(QString()), 1, err);
    EXPECT_EQ(err, KvErr::Ok);
    EXPECT_EQ(opener.Urls, QList<QUrl>{QUrl::fromLocalFile(dir + "/notes.txt")});

    ShlExecuteFile(nullptr, StrW(QString()), StrW(dir + "/missing"), StrW(QString()),
                   StrW(QString()), 1, err);
    EXPECT_EQ(err, KvErr::NotFound);
    ShlExecuteFile(nullptr, StrW(QStringLiteral("print")), StrW(dir + "/notes.txt"),
                   StrW(QString()), StrW(QString()), 1, err);
    EXPECT_EQ(err, KvErr::NotImplemented);
    EXPECT_EQ(opener.Programs.size(), 1);
    EXPECT_EQ(opener.Urls.size(), 1);
}

TEST(CoreShell, SpecialFolders) {
    struct Case { const char *name; int32_t csidl; bool ok; QString path; };
    const Case cases[] = {
        {"documents", KvSpecialFolder::Documents, true,
         QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)},
        {"common application data", KvSpecialFolder::CommonAppData, true,
         QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)},
        {"desktop", KvSpecialFolder::Desktop, true,
         QStandardPaths::writableLocation(QStandardPaths::DesktopLocation)},
        {"unknown number", 9999, false, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TStrWOut out;
        EXPECT_EQ(ShlGetSpecialFolderPath(c.csidl, out.get()), c.ok);
        EXPECT_EQ(out.Text(), c.path);
    }
}
