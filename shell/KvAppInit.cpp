#include "shell/KvAppInit.h"

#include "base/files/KvFiles.h"
#include "base/kvlib/KvExceptions.h"
#include "base/kvlib/KvProgInfo.h"
#include "base/kvlib/KvStrings.h"
#include "shell/FrmLanguage.h"
#include "shell/MarivoUtils.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvLanguage.h>

#include <QCoreApplication>

namespace {

bool GTerminatedByLibrary = false;
bool GLoopRunning = false;

}  // namespace

void LanguageChoiceCallback(int32_t *language, bool *cancelled) {
    try {
        *cancelled = !ChooseLanguage(GetAvailableLanguages(), *language);
    } catch (...) {
        *cancelled = true;
        ReportCurrentException();
    }
}

// Qt has no application idle handler to remove.
void IdleResetCallback() {}

void TerminationRequestCallback() {
    GTerminatedByLibrary = true;
    ApplicationTerminate();
}

bool InitApplicationA(const QString &identity, uint16_t day, uint16_t month, uint16_t year) {
    const TGUID product = ProgInfoGetProductGUID();
    return InitApplication(239, 0, &product, StrW(QStringLiteral("Marivo\\Ostrel")), day, month,
                           year, year, month, day, LanguageChoiceCallback, AnswerBothTrueCallback,
                           IdleResetCallback, TerminationRequestCallback, StrW(identity), 9);
}

bool TerminatedByLibrary() {
    return GTerminatedByLibrary;
}

void SetTerminatedByLibrary(bool terminated) {
    GTerminatedByLibrary = terminated;
}

void ApplicationTerminate() {
    SetApplicationTerminated(true);
    // exit, not quit: quit would first try to close the windows, which may ask questions.
    if (GLoopRunning) QCoreApplication::exit(0);
}

int RunMessageLoop() {
    if (ApplicationTerminated()) return 0;
    GLoopRunning = true;
    const int result = QCoreApplication::exec();
    GLoopRunning = false;
    return result;
}
