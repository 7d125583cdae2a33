#include "shell/MarivoPrinter.h"

#include "chartview/NavViewerControl.h"
#include "shell/MarivoDialogs.h"

#include <QCoreApplication>
#include <QPrinter>
#include <memory>

namespace {

std::unique_ptr<QPrinter> &Printer() {
    static std::unique_ptr<QPrinter> printer;
    return printer;
}

}  // namespace

QPrinter &ProgramPrinter() {
    if (!Printer()) {
        Printer() = std::make_unique<QPrinter>(QPrinter::HighResolution);
        // A printer outliving the application object would take the print system down with it.
        if (QCoreApplication *app = QCoreApplication::instance())
            QObject::connect(app, &QObject::destroyed, [] { Printer().reset(); });
    }
    return *Printer();
}

int32_t PrintViewOnProgramPrinter(TNavViewerControl *viewer, const TPrintSettings &settings) {
    if (!viewer) return 90;
    int32_t result = 0;
    viewer->Print(ProgramPrinter(), 0, 0, uint8_t(settings.What), uint8_t(settings.Orientation), result);
    return result;
}
