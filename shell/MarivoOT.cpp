// The program: library start, exception reporting, and the main window.
#include "base/kvlib/KvExceptions.h"
#include "base/kvlib/KvLib.h"
#include "base/kvlib/KvProgInfo.h"

#include <QLabel>
#include <QMainWindow>

int main(int argc, char **argv) {
    TKvLibScope library;
    InstallExceptionReporting();
    TReportingApplication app(argc, argv);
    app.setApplicationName(ProgInfoGetTitle());

    // Until the main window exists the program shows its identity only.
    QMainWindow window;
    window.setWindowTitle(ProgInfoGetTitle());
    const uint32_t v = uint32_t(ProgInfoGetVersion());
    auto *label = new QLabel(QStringLiteral("%1 %2.%3.%4.%5")
                                 .arg(ProgInfoGetTitle())
                                 .arg(v >> 24).arg((v >> 16) & 0xFF)
                                 .arg((v >> 8) & 0xFF).arg(v & 0xFF),
                             &window);
    label->setAlignment(Qt::AlignCenter);
    window.setCentralWidget(label);
    window.resize(800, 600);
    window.show();
    const int result = app.exec();
    UninstallExceptionReporting();
    return result;
}
