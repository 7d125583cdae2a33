// The program: library start, exception reporting, the start-up and the message loop.
//   marivo [--data <folder>]
// --data names the folder that holds the user's data and the shared charts at once (the
// demo data of the run script); without it the common application-data folder is used.
#include "base/kvlib/KvExceptions.h"
#include "base/kvlib/KvLib.h"
#include "shell/MarivoUtils.h"

#include <QCommandLineParser>
#include <QTextStream>

int main(int argc, char **argv) {
    TKvLibScope library;
    InstallExceptionReporting();
    TReportingApplication app(argc, argv);

    QCommandLineParser parser;
    const QCommandLineOption data(QStringLiteral("data"),
                                  QStringLiteral("Folder of the user's data and the charts."),
                                  QStringLiteral("folder"));
    parser.addOption(data);
    parser.addHelpOption();
    if (!parser.parse(app.arguments())) {
        QTextStream(stderr) << parser.errorText() << "\n";
        return 2;
    }
    if (parser.isSet(QStringLiteral("help"))) parser.showHelp(0);

    TStartOptions options;
    options.DataFolder = parser.value(data);
    const int result = StartUp(21, 3, 2024, options);
    UninstallExceptionReporting();
    return result;
}
