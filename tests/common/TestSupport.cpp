#include "TestSupport.h"

#include "base/kvlib/KvExceptions.h"
#include "base/kvlib/KvStrings.h"
#include "units/UnitsInternal.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvLanguage.h>

#include <QApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdio>

namespace testsupport {

QString MakeTempDir(const QString &name) {
    static int counter = 0;
    const QString path = qEnvironmentVariable("MARIVO_TEST_TMP") +
                         QStringLiteral("/%1-%2").arg(name).arg(++counter);
    QDir().mkpath(path);
    return path;
}

QString SourcePath(const QString &relative) {
    return QStringLiteral(MARIVO_SOURCE_DIR_STR "/") + relative;
}

QString TestDataPath(const QString &relative) {
    const QString path = QStringLiteral(MARIVO_TESTDATA_DIR_STR "/") + relative;
    if (!QFileInfo::exists(path)) ADD_FAILURE() << "shared test data missing: " << path.toStdString();
    return path;
}

namespace {
void PickEnglish(int32_t *language, bool *cancelled) {
    *language = KvLang::English;
    *cancelled = false;
}
}  // namespace

TPrivateSettingsStore::TPrivateSettingsStore(const QString &name)
    : FOldConfig(qgetenv("XDG_CONFIG_HOME")) {
    qputenv("XDG_CONFIG_HOME", (MakeTempDir(name) + QStringLiteral("/config")).toLocal8Bit());
    qputenv("MARIVO_INSTALLATION_SETTINGS", QByteArray());
    const TGUID product;
    FOpened = InitApplication(239, 0, &product, StrW(QStringLiteral("Marivo\\Ostrel")), 21, 3,
                              2024, 2024, 3, 21, PickEnglish, nullptr, nullptr, nullptr,
                              StrW(QStringLiteral("Test")), 9);
}

TPrivateSettingsStore::~TPrivateSettingsStore() {
    qputenv("XDG_CONFIG_HOME", FOldConfig);
    qunsetenv("MARIVO_INSTALLATION_SETTINGS");
}

TExpectReports::TExpectReports() {
    FPrevious = SetExceptionListener([this](const QString &c, const QString &m) {
        FReports.emplace_back(c, m);
    });
}

TExpectReports::~TExpectReports() {
    SetExceptionListener(std::move(FPrevious));
}

TChildProcess::TChildProcess(const QString &test,
                             const std::vector<std::pair<QString, QString>> &env)
    : FProcess(std::make_unique<QProcess>()) {
    QProcessEnvironment all = QProcessEnvironment::systemEnvironment();
    for (const auto &[name, value] : env) all.insert(name, value);
    // A killed child cannot remove its temporary folder: keep it inside ours.
    all.insert(QStringLiteral("TMPDIR"), MakeTempDir(QStringLiteral("child")));
    FProcess->setProcessEnvironment(all);
    FProcess->start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_filter=") + test,
                     QStringLiteral("--gtest_also_run_disabled_tests")});
    EXPECT_TRUE(FProcess->waitForStarted(30000)) << FProcess->errorString().toStdString();
}

TChildProcess::~TChildProcess() {
    if (FProcess->state() != QProcess::NotRunning) Kill();
}

bool TChildProcess::WaitForLine(const QByteArray &line, int count) {
    auto seen = [&] {
        QList<QByteArray> lines = FSeen.split('\n');
        lines.removeLast();  // not ended yet
        return int(lines.count(line));
    };
    QDeadlineTimer quiet(60000);
    while (seen() < count) {
        if (FProcess->state() == QProcess::NotRunning || quiet.hasExpired()) break;
        if (FProcess->waitForReadyRead(1000)) quiet.setRemainingTime(60000);
        FSeen += FProcess->readAllStandardOutput();
    }
    FSeen += FProcess->readAllStandardOutput();
    return seen() >= count;
}

bool TChildProcess::Kill() {
    FProcess->kill();
    FProcess->waitForFinished(30000);
    FSeen += FProcess->readAllStandardOutput();
    return FProcess->state() == QProcess::NotRunning &&
           FProcess->exitStatus() == QProcess::CrashExit;
}

void TellParent(const char *line) {
    std::printf("%s\n", line);
    std::fflush(stdout);
}

void WhenModalAppears(std::function<void(QWidget *)> act) {
    auto *timer = new QTimer;
    auto *elapsed = new int(0);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [=] {
        *elapsed += 10;
        QWidget *modal = QApplication::activeModalWidget();
        if (modal || *elapsed > 5000) {
            timer->stop();
            timer->deleteLater();
            delete elapsed;
            if (modal) act(modal);
        }
    });
    timer->start();
}

}  // namespace testsupport

namespace testsupport {

TWorkingMorningClock::TWorkingMorningClock() {
    QDate day = QDateTime::currentDateTimeUtc().date().addDays(1);
    while (day.dayOfWeek() > 5) day = day.addDays(1);
    const QDateTime morning(day, QTime(9, 0), QTimeZone::utc());
    FStart = kv::MSecsToDateTime(morning.toMSecsSinceEpoch());
    kv::GPSClockSetReceiverTime(FStart);
}

TWorkingMorningClock::~TWorkingMorningClock() {
    kv::GPSClockForgetReceiverTime();
}

}  // namespace testsupport
