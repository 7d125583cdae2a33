#include "shell/MarivoPrinter.h"

#include "chartview/NavViewerControl.h"
#include "shell/MarivoDialogs.h"

#include <QCoreApplication>
#include <QPrinter>
#include <QPrinterInfo>

#include <memory>

namespace {

std::unique_ptr<QPrinter> &Instance() {
    static std::unique_ptr<QPrinter> printer;
    return printer;
}

void FreePrinter() {
    Instance().reset();
}

}  // namespace

QPrinter &ProgramPrinter() {
    auto &printer = Instance();
    if (!printer) {
        // The default printer of the system, if there is one.
        printer = std::make_unique<QPrinter>(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
        // The printer holds system resources: it goes before the application object does.
        if (QCoreApplication::instance()) qAddPostRoutine(&FreePrinter);
    }
    return *printer;
}

int32_t PrintViewOnProgramPrinter(TNavViewerControl *viewer, const TPrintSettings &settings) {
    if (!viewer) return 90;
    int32_t result = 0;
    viewer->Print(ProgramPrinter(), 0, 0, uint8_t(settings.What), uint8_t(settings.Orientation), result);
    return result;
}
