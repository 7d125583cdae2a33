// The program as a process on the demo data: a termination signal ends it in order (also
// while the disclaimer is up); a kill leaves "ExecState" at running for the next start.
#include "ShellTestSupport.h"
#include "TestSupport.h"
#include "base/registry/KvRegistry.h"

#include <KvLibNav6/KvAppReg.h>

#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <csignal>
#include <memory>

namespace {

const ValueName ExecStateName = RegName(u"ExecState");

std::unique_ptr<QProcess> StartProgram(const QString &dataFolder) {
    auto program = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("marivo.startup.info=true"));
    program->setProcessEnvironment(env);
    program->start(shelltest::BuiltProgramFolder() + QStringLiteral("marivo"),
                   {QStringLiteral("--data"), dataFolder});
    return program;
}

// Waits (at most 30 s) until the program reports the start-up step on its error output.
bool WaitForStep(QProcess &program, const QByteArray &step, QByteArray &seen) {
    const QByteArray line = "marivo.startup: " + step;
    for (int i = 0; i < 300 && !seen.contains(line); ++i) {
        if (program.state() == QProcess::NotRunning) break;
        program.waitForReadyRead(100);
        seen += program.readAllStandardError();
    }
    return seen.contains(line);
}

}  // namespace

enum class TEnd { ClosedInOrder, EndedBeforeTheWindow, Killed };

struct TSignalCase {
    const char *name;
    int execStateBefore;
    QByteArray step;  // signalled once the program reports it
    int signal;
    TEnd end;
};

// One process per case, so that the cases (each waits for the disclaimer) run side by side.
class ProgramProcess : public ::testing::TestWithParam<TSignalCase> {};

TEST_P(ProgramProcess, SignalEndsTheProgramInOrderOrAKillIsNoticedNextTime) {
    const TSignalCase &c = GetParam();
    testsupport::TPrivateSettingsStore store;
    shelltest::TShellScope shell;
    IAppReg *reg = GetAppReg();
    int32_t err = 0;
    RegWriteInteger(reg, AppRegRoot::Product, QString(), ExecStateName, c.execStateBefore, err);
    const QString data = shelltest::FreshDemoData(QStringLiteral("process"));
    ASSERT_FALSE(data.isEmpty());
    const QString ini = data + QStringLiteral("/Cache/S57ChartBaseData.ini");
    const QDateTime old = QDateTime::currentDateTime().addDays(-3);
    {
        QFile f(ini);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(old, QFileDevice::FileModificationTime));
    }

    auto program = StartProgram(data);
    ASSERT_TRUE(program->waitForStarted(10000));
    QByteArray seen;
    ASSERT_TRUE(WaitForStep(*program, c.step, seen)) << seen.toStdString();
    ASSERT_EQ(::kill(pid_t(program->processId()), c.signal), 0);
    ASSERT_TRUE(program->waitForFinished(30000)) << "still running 30 s after the signal";
    seen += program->readAllStandardError();

    const int stored = RegReadIntegerDef(reg, AppRegRoot::Product, QString(), ExecStateName, -1);
    // A value of the route defaults the end of the run stores (other "Routes" values, such as
    // the temporary-route switch, are written while the program runs).
    int32_t defaultsErr = 0;
    RegReadBool(reg, AppRegRoot::Product, QStringLiteral("Routes"), RegName(u"DefaultCalcDryingOut"), defaultsErr);
    const bool routeDefaults = defaultsErr == 0;
    switch (c.end) {
    case TEnd::ClosedInOrder:
        EXPECT_EQ(program->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program->exitCode(), 0) << seen.toStdString();
        EXPECT_TRUE(seen.contains("marivo.startup: closed")) << seen.toStdString();
        EXPECT_EQ(stored, 0);
        EXPECT_TRUE(routeDefaults) << "route defaults stored at the end of the run";
        EXPECT_GT(QFileInfo(ini).lastModified(), old) << "S-57 base data stored";
        break;
    case TEnd::EndedBeforeTheWindow:
        EXPECT_EQ(program->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program->exitCode(), 0) << seen.toStdString();
        EXPECT_FALSE(seen.contains("marivo.startup: main window created"));
        EXPECT_EQ(stored, c.execStateBefore) << "nothing written";
        EXPECT_FALSE(routeDefaults);
        break;
    case TEnd::Killed:
        EXPECT_EQ(program->exitStatus(), QProcess::CrashExit);
        EXPECT_EQ(stored, 1) << "the next start asks what to do";
        EXPECT_FALSE(routeDefaults);
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Signals, ProgramProcess,
    ::testing::Values(
        TSignalCase{"SigtermWhenReady", 0, "ready", SIGTERM, TEnd::ClosedInOrder},
        TSignalCase{"SigintWhenReady", 0, "ready", SIGINT, TEnd::ClosedInOrder},
        TSignalCase{"SigtermWhileTheDisclaimerIsOpen", 0, "disclaimer shown", SIGTERM,
                    TEnd::ClosedInOrder},
        TSignalCase{"SigtermAtTheCloseErrorDialog", 2, "asking about the previous run", SIGTERM,
                    TEnd::EndedBeforeTheWindow},
        TSignalCase{"SigkillWhenReady", 0, "ready", SIGKILL, TEnd::Killed}),
    [](const ::testing::TestParamInfo<TSignalCase> &info) { return std::string(info.param.name); });
