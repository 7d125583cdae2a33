#include "TestSupport.h"

#include "base/files/KvFiles.h"

#include <KvLibNav6/KvErrorCodes.h>

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTimer>

TEST(KvFiles, WrappersPassArgumentsAndResults) {
    const QString root = testsupport::MakeTempDir(QStringLiteral("wrap"));
    int32_t err = -1;
    DirCreateA(root + "/data/cache", err);
    EXPECT_EQ(err, KvErr::Ok);
    EXPECT_TRUE(DirExistsA(root + "/data/cache"));
    QString created;
    FileCreateUnique(root + "/data", QStringLiteral("Downloaded Track.trk"), err, created);
    EXPECT_EQ(created, root + "/data/Downloaded Track.trk");
    FileWriteTextW(root + "/data/a.txt", QStringLiteral("Zoë"), 2, 1252, err);
    EXPECT_EQ(err, KvErr::Ok);
    QString text = QStringLiteral("old");
    EXPECT_EQ(FileReadTextW(root + "/data/a.txt", text, 1252, err), 3);
    EXPECT_EQ(text, QStringLiteral("Zoë"));
    EXPECT_EQ(FileGetSizeA(root + "/data/a.txt", err), 3);
    FileCopyA(root + "/data/a.txt", root + "/data/b.txt", 0x20000, 0, 0, 0, err);
    EXPECT_EQ(err, KvErr::Ok);
    FileMoveA(root + "/data/b.txt", root + "/data/cache/c.txt", true, err);
    EXPECT_EQ(err, KvErr::Ok);
    QStringList list = {"stale"};
    FindFilesA(root, QStringLiteral("*.txt"), true, list);
    EXPECT_EQ(list, (QStringList{root + "/data/a.txt", root + "/data/cache/c.txt"}));
    FileReadTextW(root + "/none.txt", text, 1252, err);
    EXPECT_EQ(err, KvErr::NotFound);
    EXPECT_TRUE(text.isEmpty());
    EXPECT_TRUE(GetTempDir().endsWith('/'));
    DirDeleteTreeA(root + "/data", true, true, true, err);
    EXPECT_EQ(err, KvErr::Ok);
    EXPECT_FALSE(DirExistsA(root + "/data"));
}

TEST(KvFiles, RunAndWaitProcessesMessagesAndStopsOnTermination) {
    int32_t exitValue = -5, err = -1;
    bool timerRan = false;
    QTimer::singleShot(10, [&] { timerRan = true; });
    RunAndWaitA(QStringLiteral("/bin/sh"), QStringLiteral("-c \"sleep 0.3; exit 3\""), QString(),
                nullptr, 0, true, exitValue, err);
    EXPECT_EQ(err, KvErr::Ok);
    EXPECT_EQ(exitValue, 3);
    EXPECT_TRUE(timerRan) << "pending messages are processed while waiting";

    // The application is told to end while the program still runs: the wait ends.
    QTimer::singleShot(50, [] { SetApplicationTerminated(true); });
    RunAndWaitA(QStringLiteral("/bin/sleep"), QStringLiteral("2"), QString(), nullptr, 0, true,
                exitValue, err);
    SetApplicationTerminated(false);
    EXPECT_EQ(err, KvErr::Cancelled);

    RunAndWaitA(QStringLiteral("/no/such/program"), QString(), QString(), nullptr, 0, true,
                exitValue, err);
    EXPECT_EQ(err, KvErr::NotFound);
}
