#include "shell/MarivoPrinter.h"

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
