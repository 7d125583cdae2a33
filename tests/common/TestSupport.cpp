#include "TestSupport.h"

#include "base/kvlib/KvExceptions.h"

#include <QApplication>
#include <QDir>
#include <QTimer>
#include <QWidget>

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
    return QStringLiteral(MARIVO_SOURCE_DIR_STR "/../shared/testdata/") + relative;
}

TExpectReports::TExpectReports() {
    FPrevious = SetExceptionListener([this](const QString &c, const QString &m) {
        FReports.emplace_back(c, m);
    });
}

TExpectReports::~TExpectReports() {
    SetExceptionListener(std::move(FPrevious));
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
