// marivo-demogen <data folder>: writes the demo data set into the folder; the file
// ".complete" appears last, so an interrupted run is redone on the next start.
#include "DemoData.h"

#include <QGuiApplication>
#include <QTextStream>

int main(int argc, char **argv) {
    // The raster chart is drawn with fonts, which need a GUI application; no window is shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream err(stderr);
    if (args.size() != 2 || args.at(1).startsWith(QLatin1Char('-'))) {
        err << "usage: marivo-demogen <data folder>\n";
        return 2;
    }
    QString error;
    if (!demo::WriteDemoData(args.at(1), error)) {
        err << "marivo-demogen: " << error << "\n";
        return 1;
    }
    return 0;
}
