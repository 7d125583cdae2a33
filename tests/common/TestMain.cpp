// Every test program: an offscreen application whose exception reports fail the test, and
// private settings, data and temporary folders so no test touches the user's own.
#include "base/kvlib/KvExceptions.h"
#include "base/kvlib/KvLib.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>

int main(int argc, char **argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Test discovery runs the program at build time without the test environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");

    QTemporaryDir root(QDir::tempPath() + QStringLiteral("/marivo-test-XXXXXX"));
    if (!root.isValid()) return 2;
    for (const char *var : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME",
                            "XDG_RUNTIME_DIR", "HOME"}) {
        const QString dir = root.path() + '/' + QString::fromLatin1(var).toLower();
        QDir().mkpath(dir);
        QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                       QFileDevice::ExeOwner);
        qputenv(var, dir.toLocal8Bit());
    }
    qputenv("MARIVO_TEST_TMP", (root.path() + QStringLiteral("/tmp")).toLocal8Bit());
    QDir().mkpath(root.path() + QStringLiteral("/tmp"));

    TKvLibScope library;
    TReportingApplication app(argc, argv);
    SetExceptionListener([](const QString &className, const QString &message) {
        ADD_FAILURE() << "Exception reported: " << className.toStdString() << ": "
                      << message.toStdString();
    });
    const int result = RUN_ALL_TESTS();
    SetExceptionListener(nullptr);
    return result;
}
