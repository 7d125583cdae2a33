// The settings file shared with other processes and surviving crashes and damage. The
// other process is this test program started again in a child role.
#include "TestSupport.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvLanguage.h>
#include <KvLibNav6/KvLib.h>

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QThread>
#include <cstdio>
#include <memory>
#include <string>

namespace {

TStrWRec R(const std::u16string &s) {
    return {int32_t(s.size()), s.c_str()};
}

ValueName N(const std::u16string &s) {
    return ValueName(R(s));
}

struct NavDeleter {
    void operator()(NavObject *o) const { ObjectDelete(o); }
};

void PickEnglish(int32_t *language, bool *cancelled) {
    *language = KvLang::English;
    *cancelled = false;
}

bool Start() {
    const TGUID product;
    return InitApplication(239, 0, &product, R(u"Marivo\\Ostrel"), 21, 3, 2024, 2024, 3, 21,
                           PickEnglish, nullptr, nullptr, nullptr, R(u"Test"), 9);
}

QString ReadText(int32_t root, const std::u16string &key, const std::u16string &name,
                 int32_t &err) {
    std::unique_ptr<IStrW, NavDeleter> out(StrWCreate(nullptr, 0));
    GetAppReg()->ReadString(root, R(key), N(name), out.get(), err);
    return QString::fromUtf16(out->GetRec()->Text, out->GetRec()->Length);
}

const std::u16string SharedText = u"Grüße aus Λίμνη \U0001F6A2";

// Collects warnings while alive.
class TWarnings {
public:
    TWarnings() { FPrevious = qInstallMessageHandler(&TWarnings::Handler); Current = this; }
    ~TWarnings() {
        qInstallMessageHandler(FPrevious);
        Current = nullptr;
    }
    QStringList Messages;

private:
    static void Handler(QtMsgType type, const QMessageLogContext &, const QString &message) {
        if (Current && type == QtWarningMsg) Current->Messages << message;
    }
    static inline TWarnings *Current = nullptr;
    QtMessageHandler FPrevious = nullptr;
};

class AppRegFile : public ::testing::Test {
protected:
    void SetUp() override {
        FOldConfig = qgetenv("XDG_CONFIG_HOME");
        FDir = testsupport::MakeTempDir(QStringLiteral("appregfile"));
        qputenv("XDG_CONFIG_HOME", (FDir + QStringLiteral("/config")).toLocal8Bit());
        qputenv("MARIVO_INSTALLATION_SETTINGS", QByteArray());
        ASSERT_TRUE(Start());
    }
    void TearDown() override {
        qputenv("XDG_CONFIG_HOME", FOldConfig);
        qunsetenv("MARIVO_INSTALLATION_SETTINGS");
        SetCurrentLanguage(KvLang::English);
    }

    QString Folder() const { return FDir + QStringLiteral("/config/Korvane/Marivo/Ostrel"); }
    QString UserFile() const { return Folder() + QStringLiteral("/Settings.db"); }

    // This program again, running only AppRegChild.DISABLED_Role (hidden from ctest) with the given role.
    std::unique_ptr<QProcess> StartChild(const QString &role) {
        auto child = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("MARIVO_APPREG_CHILD_ROLE"), role);
        env.insert(QStringLiteral("MARIVO_APPREG_CHILD_CONFIG"), FDir + QStringLiteral("/config"));
        // A killed child cannot remove its temporary folder: keep it inside ours.
        const QString tmp = testsupport::MakeTempDir(QStringLiteral("child"));
        env.insert(QStringLiteral("TMPDIR"), tmp);
        child->setProcessEnvironment(env);
        child->start(QCoreApplication::applicationFilePath(),
                     {QStringLiteral("--gtest_filter=AppRegChild.DISABLED_Role"),
                      QStringLiteral("--gtest_also_run_disabled_tests")});
        EXPECT_TRUE(child->waitForStarted(10000));
        return child;
    }

    // Waits until the child prints `mark` on a line of its own.
    static bool WaitForLine(QProcess &child, const QByteArray &mark, QByteArray &seen) {
        for (int i = 0; i < 300 && !seen.contains(mark + "\n"); ++i) {
            if (child.state() == QProcess::NotRunning) break;
            child.waitForReadyRead(100);
            seen += child.readAllStandardOutput();
        }
        seen += child.readAllStandardOutput();
        return seen.contains(mark + "\n");
    }

    QString FDir;
    QByteArray FOldConfig;
};

// The child side. Runs only when a test of this file started the program in a role.
TEST(AppRegChild, DISABLED_Role) {
    const QString role = qEnvironmentVariable("MARIVO_APPREG_CHILD_ROLE");
    if (role.isEmpty()) GTEST_SKIP() << "runs only as the child process of the AppRegFile tests";
    qputenv("XDG_CONFIG_HOME", qgetenv("MARIVO_APPREG_CHILD_CONFIG"));
    qputenv("MARIVO_INSTALLATION_SETTINGS", QByteArray());
    ASSERT_TRUE(Start());
    IAppReg *r = GetAppReg();
    int32_t err = -1;
    if (role == QLatin1String("exec-state")) {
        r->WriteInteger(1, R(u""), N(u"ExecState"), 1, err);
        ASSERT_EQ(err, 0);
        std::printf("written\n");
        std::fflush(stdout);
        QThread::sleep(60);  // killed long before
    } else if (role == QLatin1String("exchange")) {
        const QString fromParent = ReadText(1, u"Shared", u"FromParent", err);
        std::printf("%s\n", fromParent.toUtf8().constData());
        r->WriteInteger(1, R(u"Shared"), N(u"FromChild"), 42, err);
        ASSERT_EQ(err, 0);
        r->WriteDouble(1, R(u"Shared\\Deeper"), N(u"Real"), 2.75, err);
        ASSERT_EQ(err, 0);
        std::printf("done\n");
    } else if (role == QLatin1String("change")) {
        r->WriteInteger(1, R(u"Shared"), N(u"Counter"), 2, err);
        ASSERT_EQ(err, 0);
        r->WriteString(1, R(u"Shared"), N(u"Text"), R(SharedText), err);
        ASSERT_EQ(err, 0);
        r->DeleteValue(1, R(u"Shared"), N(u"Gone"), err);
        ASSERT_EQ(err, 0);
        r->WriteInteger(1, R(u"Shared"), N(u"Fresh"), 7, err);
        ASSERT_EQ(err, 0);
        std::printf("changed\n");
        std::fflush(stdout);
        // Keeps the file open until the parent has read: nothing is checkpointed or closed.
        while (std::getchar() != EOF) {
        }
    } else if (role == QLatin1String("race")) {
        for (int i = 0; i < 150; ++i) {
            const std::u16string name = u"Child" + QString::number(i).toStdU16String();
            r->WriteInteger(1, R(u"Race"), N(name), i, err);
            ASSERT_EQ(err, 0) << "write " << i;
        }
        std::printf("done\n");
    } else if (role.startsWith(QLatin1String("visit-"))) {
        const std::u16string name = role.toStdU16String();
        r->WriteInteger(1, R(u"Visits"), N(name), 1, err);
        ASSERT_EQ(err, 0);
    }
    std::fflush(stdout);
}

TEST_F(AppRegFile, ValueWrittenJustBeforeACrashSurvives) {
    IAppReg *r = GetAppReg();
    int32_t err = -1;
    EXPECT_EQ(r->ReadIntegerDef(1, R(u""), N(u"ExecState"), -1), -1);
    auto child = StartChild(QStringLiteral("exec-state"));
    QByteArray seen;
    ASSERT_TRUE(WaitForLine(*child, "written", seen)) << seen.constData();
    child->kill();
    ASSERT_TRUE(child->waitForFinished(10000));
    EXPECT_EQ(child->exitStatus(), QProcess::CrashExit);

    // The open store sees it at once, and so does a fresh start.
    EXPECT_EQ(r->ReadInteger(1, R(u""), N(u"ExecState"), err), 1);
    EXPECT_EQ(err, 0);
    TWarnings warnings;
    ASSERT_TRUE(Start());
    EXPECT_EQ(GetAppReg()->ReadInteger(1, R(u""), N(u"ExecState"), err), 1);
    EXPECT_EQ(err, 0);
    EXPECT_TRUE(warnings.Messages.isEmpty()) << warnings.Messages.join('\n').toStdString();
    EXPECT_TRUE(QDir(Folder()).entryList({QStringLiteral("*.damaged-*")}).isEmpty());
}

TEST_F(AppRegFile, TwoProcessesSeeEachOthersValues) {
    IAppReg *r = GetAppReg();
    int32_t err = -1;
    r->WriteString(1, R(u"Shared"), N(u"FromParent"), R(SharedText), err);
    ASSERT_EQ(err, 0);
    auto child = StartChild(QStringLiteral("exchange"));
    ASSERT_TRUE(child->waitForFinished(30000));
    const QByteArray out = child->readAllStandardOutput();
    EXPECT_EQ(child->exitCode(), 0) << out.constData();
    EXPECT_TRUE(out.contains(QString::fromStdU16String(SharedText).toUtf8() + "\n"))
        << out.constData();
    // Read through the store that stayed open the whole time: nothing stale.
    EXPECT_EQ(r->ReadInteger(1, R(u"shared"), N(u"fromchild"), err), 42);
    EXPECT_EQ(err, 0);
    EXPECT_EQ(r->ReadDoubleDef(1, R(u"Shared\\Deeper"), N(u"Real"), 0.0), 2.75);
}

// Values this process has read before are read anew the moment another process changed
// them, while that process still has the file open.
TEST_F(AppRegFile, ChangeByAnotherProcessIsReadAtOnce) {
    IAppReg *r = GetAppReg();
    int32_t err = -1;
    r->WriteInteger(1, R(u"Shared"), N(u"Counter"), 1, err);
    r->WriteString(1, R(u"Shared"), N(u"Text"), R(u"before"), err);
    r->WriteBool(1, R(u"Shared"), N(u"Gone"), true, err);
    ASSERT_EQ(err, 0);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(r->ReadIntegerDef(1, R(u"Shared"), N(u"Counter"), -1), 1);
        EXPECT_EQ(ReadText(1, u"Shared", u"Text", err), QStringLiteral("before"));
        EXPECT_TRUE(r->ReadBoolDef(1, R(u"Shared"), N(u"Gone"), false));
        EXPECT_EQ(r->ReadIntegerDef(1, R(u"Shared"), N(u"Fresh"), -1), -1);
    }
    auto child = StartChild(QStringLiteral("change"));
    QByteArray seen;
    ASSERT_TRUE(WaitForLine(*child, "changed", seen)) << seen.constData();

    EXPECT_EQ(r->ReadIntegerDef(1, R(u"Shared"), N(u"Counter"), -1), 2);
    EXPECT_EQ(ReadText(1, u"Shared", u"Text", err), QString::fromStdU16String(SharedText));
    EXPECT_EQ(err, 0);
    r->ReadBool(1, R(u"Shared"), N(u"Gone"), err);
    EXPECT_EQ(err, KvErr::NotFound);
    EXPECT_EQ(r->ReadIntegerDef(1, R(u"Shared"), N(u"Fresh"), -1), 7);

    child->closeWriteChannel();
    ASSERT_TRUE(child->waitForFinished(10000));
    EXPECT_EQ(child->exitCode(), 0) << child->readAllStandardOutput().constData();
}

TEST_F(AppRegFile, ConcurrentWritersLoseNothing) {
    IAppReg *r = GetAppReg();
    auto child = StartChild(QStringLiteral("race"));
    int32_t err = 0;
    for (int i = 0; i < 150; ++i) {
        const std::u16string name = u"Parent" + QString::number(i).toStdU16String();
        r->WriteInteger(1, R(u"Race"), N(name), i, err);
        ASSERT_EQ(err, 0) << "write " << i;
    }
    ASSERT_TRUE(child->waitForFinished(60000));
    EXPECT_EQ(child->exitCode(), 0) << child->readAllStandardOutput().constData();
    std::unique_ptr<IStrWList, NavDeleter> names(StrWListCreate());
    r->GetValueNames(1, R(u"Race"), names.get(), err);
    EXPECT_EQ(StrWListGetCount(names.get()), 300);
    for (int i = 0; i < 150; i += 7) {
        for (const char16_t *who : {u"Parent", u"Child"}) {
            const std::u16string name = who + QString::number(i).toStdU16String();
            EXPECT_EQ(r->ReadIntegerDef(1, R(u"Race"), N(name), -1), i);
        }
    }
}

// Every program that comes and goes (a companion, the services stand-in) opens the file while
// this one may be committing: the opening must leave the shared index alone, never reset it
// under this process.
TEST_F(AppRegFile, ProgramsComingAndGoingDisturbNoWriter) {
    IAppReg *r = GetAppReg();
    constexpr int Visitors = 24;
    int32_t err = 0;
    int written = 0;
    for (int v = 0; v < Visitors; ++v) {
        auto child = StartChild(QStringLiteral("visit-%1").arg(v));
        // Reads without pause (the index is looked at for each), a write every few
        // milliseconds: often enough to commit while the visitor opens, rare enough to
        // leave it the lock.
        QElapsedTimer sinceWrite;
        sinceWrite.start();
        while (child->state() != QProcess::NotRunning) {
            EXPECT_EQ(r->ReadIntegerDef(1, R(u"Visits"), N(u"Host0"), 0), 0);
            if (sinceWrite.elapsed() < 3) continue;
            const std::u16string name = u"Host" + QString::number(written).toStdU16String();
            r->WriteInteger(1, R(u"Visits"), N(name), written, err);
            ASSERT_EQ(err, 0) << "write " << written;
            ++written;
            child->waitForFinished(0);
            sinceWrite.restart();
        }
        ASSERT_EQ(child->exitStatus(), QProcess::NormalExit) << "visitor " << v;
        ASSERT_EQ(child->exitCode(), 0)
            << "visitor " << v << child->readAllStandardOutput().constData();
    }
    std::unique_ptr<IStrWList, NavDeleter> names(StrWListCreate());
    r->GetValueNames(1, R(u"Visits"), names.get(), err);
    EXPECT_EQ(StrWListGetCount(names.get()), written + Visitors);
    for (int v = 0; v < Visitors; ++v) {
        const std::u16string name = QStringLiteral("visit-%1").arg(v).toStdU16String();
        EXPECT_EQ(r->ReadIntegerDef(1, R(u"Visits"), N(name), -1), 1) << "visitor " << v;
    }
    EXPECT_EQ(r->ReadIntegerDef(1, R(u"Visits"), N(u"Host0"), -1), 0);
}

TEST_F(AppRegFile, UnreadableFileIsMovedAsideAndAFreshStoreUsed) {
    int32_t err = -1;
    GetAppReg()->WriteInteger(1, R(u"Boat"), N(u"Length"), 12, err);
    ASSERT_EQ(err, 0);
    // Enough rows for several pages, so damage inside a page can be made too.
    for (int i = 0; i < 200; ++i)
        GetAppReg()->WriteString(1, R(u"Filler"), N(QString::number(i).toStdU16String()),
                                 R(std::u16string(40, u'x')), err);
    // Let go of the file (it is checkpointed and closed) before spoiling it.
    qputenv("XDG_CONFIG_HOME", (FDir + QStringLiteral("/elsewhere")).toLocal8Bit());
    ASSERT_TRUE(Start());
    QFile file(UserFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray good = file.readAll();
    file.close();
    ASSERT_GT(good.size(), 3 * 4096);

    struct Case { const char *name; QByteArray content; };
    QByteArray badPage = good;
    for (int i = 4096; i < 2 * 4096; ++i) badPage[i] = char(0xA5 ^ (i & 0xFF));
    QByteArray foreign = good;  // another program's SQLite file: its own application id
    foreign[68] = 0x12;
    const Case cases[] = {
        {"another program's SQLite file", foreign},
        {"not a database at all", QByteArray("this is no settings file\n").repeated(50)},
        {"a damaged page", badPage},
        {"cut short", good.left(good.size() / 2 + 100)},
        {"empty header", QByteArray(4096, '\0') + good.mid(4096)},
    };
    qputenv("XDG_CONFIG_HOME", (FDir + QStringLiteral("/config")).toLocal8Bit());
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        for (const QString &old : QDir(Folder()).entryList(QDir::Files))
            QFile::remove(Folder() + '/' + old);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(c.content);
        file.close();

        TWarnings warnings;
        ASSERT_TRUE(Start()) << "the program still starts";
        ASSERT_EQ(warnings.Messages.size(), 1) << warnings.Messages.join('\n').toStdString();
        EXPECT_TRUE(warnings.Messages[0].contains(QStringLiteral("could not be read")))
            << warnings.Messages[0].toStdString();

        const QStringList aside = QDir(Folder()).entryList({QStringLiteral("Settings.db.damaged-*")},
                                                            QDir::Files);
        ASSERT_EQ(aside.size(), 1) << aside.join(' ').toStdString();
        QFile kept(Folder() + '/' + aside[0]);
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_EQ(kept.readAll(), c.content) << "the damaged file is kept as it was";

        IAppReg *r = GetAppReg();
        EXPECT_EQ(r->ReadIntegerDef(1, R(u"Boat"), N(u"Length"), -1), -1) << "a fresh store";
        r->WriteInteger(1, R(u"Boat"), N(u"Length"), 9, err);
        EXPECT_EQ(err, 0);
        EXPECT_EQ(r->ReadIntegerDef(1, R(u"Boat"), N(u"Length"), -1), 9);
        qputenv("XDG_CONFIG_HOME", (FDir + QStringLiteral("/elsewhere")).toLocal8Bit());
        ASSERT_TRUE(Start());
        qputenv("XDG_CONFIG_HOME", (FDir + QStringLiteral("/config")).toLocal8Bit());
    }
}

TEST_F(AppRegFile, UnreadableInstallationFileIsIgnoredAndLeftAlone) {
    const QString shipped = FDir + QStringLiteral("/Installation.db");
    const QByteArray garbage("WaterwayNetworkPath=/somewhere\n");
    QFile file(shipped);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(garbage);
    file.close();
    qputenv("MARIVO_INSTALLATION_SETTINGS", shipped.toLocal8Bit());
    TWarnings warnings;
    ASSERT_TRUE(Start());
    ASSERT_EQ(warnings.Messages.size(), 1) << warnings.Messages.join('\n').toStdString();
    EXPECT_TRUE(warnings.Messages[0].contains(shipped)) << warnings.Messages[0].toStdString();
    int32_t err = 0;
    EXPECT_EQ(ReadText(0, u"", u"WaterwayNetworkPath", err), QString());
    EXPECT_EQ(err, KvErr::NotFound);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), garbage);
    EXPECT_EQ(QDir(FDir).entryList({QStringLiteral("Installation.db*")}, QDir::Files),
              QStringList{QStringLiteral("Installation.db")});
    // The user's own store is unaffected.
    GetAppReg()->WriteInteger(1, R(u"Boat"), N(u"Length"), 9, err);
    EXPECT_EQ(err, 0);
}

TEST_F(AppRegFile, FolderThatCannotBeWrittenGivesErrorsNotSilence) {
    // The configuration "folder" is a file: nothing can be stored, and every write says so.
    QFile blocker(FDir + QStringLiteral("/blocked"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    qputenv("XDG_CONFIG_HOME", blocker.fileName().toLocal8Bit());
    TWarnings warnings;
    Start();
    EXPECT_FALSE(warnings.Messages.isEmpty());
    int32_t err = 0;
    GetAppReg()->WriteInteger(1, R(u"Boat"), N(u"Length"), 9, err);
    EXPECT_NE(err, 0);
    EXPECT_EQ(GetAppReg()->ReadIntegerDef(1, R(u"Boat"), N(u"Length"), -1), -1);
}

}  // namespace
