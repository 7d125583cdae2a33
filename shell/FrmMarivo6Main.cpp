#include "shell/FrmMarivo6Main.h"

#include "base/dialogs/KvMsgBox.h"
#include "base/kvlib/KvExceptionLog.h"
#include "base/kvlib/KvProgInfo.h"
#include "base/platform/KvShell.h"
#include "base/strings/KvStrUtils.h"
#include "base/texts/KvLanguage.h"
#include "shell/FrmMsgDisclaimer.h"
#include "shell/FrmSplash.h"
#include "shell/KvAppInit.h"
#include "shell/MarivoNavEnv.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QThread>
#include <QTimer>

namespace {

constexpr int32_t CommonAppData = 35;
constexpr int SplashMinimumMs = 2000;
TFormMarivo6Main *GCurrent = nullptr;

const TLanguageStrings SStarting = {
    "Starting...", /*nl*/ "Opstarten...", /*de*/ "Wird gestartet...", /*fr*/ "D\u00E9marrage...",
    /*es*/ "", /*it*/ "Avvio in corso...", /*da*/ "Starter...", /*sv*/ "Startar..."};
const TLanguageStrings SNoDataFolder = {
    "Could not find the program settings folder. Please reinstall the program.",
    /*nl*/ "De map met programma-instellingen is niet gevonden. Installeer het programma opnieuw.",
    /*de*/
    "Der Ordner der Programmeinstellungen wurde nicht gefunden. Bitte installieren Sie das "
    "Programm neu.",
    /*fr*/
    "Le dossier des param\u00E8tres du programme est introuvable. Veuillez r\u00E9installer le "
    "programme.",
    /*es*/ "",
    /*it*/
    "Impossibile trovare la cartella delle impostazioni del programma. Reinstallare il "
    "programma.",
    /*da*/ "Mappen med programindstillinger blev ikke fundet. Geninstaller programmet.",
    /*sv*/ "Mappen med programinst\u00E4llningar hittades inte. Installera om programmet."};
// The close texts exist in English, Dutch and German only.
const TLanguageStrings SCloseCaption = {"Close Marivo", "Marivo afsluiten", "Marivo beenden",
                                        "", "", "", "", ""};
const TLanguageStrings SCloseQuestion = {"Are you sure you want to close Marivo?",
                                         "Weet u zeker dat u Marivo wilt afsluiten?",
                                         "M\u00F6chten Sie Marivo wirklich beenden?",
                                         "", "", "", "", ""};
const TLanguageStrings SCloseNote = {
    "NOTE: The communication with the GPS and the current track will be stopped.",
    "LET OP: De communicatie met de GPS en de huidige track worden gestopt.",
    "HINWEIS: Die Kommunikation mit dem GPS und der aktuelle Track werden beendet.",
    "", "", "", "", ""};

}  // namespace

TFormMarivo6Main::TFormMarivo6Main(const TStartOptions &options, QWidget *owner)
    : TMainFormScaled(owner) {
    const bool found = FindDataFolder(options);
    if (!found) {
        FStartFailed = true;
        ApplicationTerminate();
        return;
    }
    setObjectName(QStringLiteral("TFormMarivo6MainOstrel"));
    setWindowTitle(ProgInfoGetTitle());
    LabelTitle = new QLabel(QStringLiteral("%1 %2").arg(ProgInfoGetTitle(),
                                                         VersionToStr(ProgInfoGetVersion(), 4)),
                            this);
    LabelTitle->setAlignment(Qt::AlignCenter);
    setCentralWidget(LabelTitle);
    resize(800, 600);

    ShowSplash(SplashMinimumMs);
    SplashText(LanguageText(SStarting));
    bool failed = false;
    FNavEnv = std::make_unique<TMarivoNavEnv>(failed, this, FDataFolder, FSharedFolder, 1,
                                              TNavEnvEvents{});
    if (failed) {
        // The environment has said why; the start ends without a window.
        FNavEnv.reset();
        FStartFailed = true;
        return;
    }
    qCInfo(lcStartup) << "main window created";
    QMetaObject::invokeMethod(this, &TFormMarivo6Main::WMDeferredStart, Qt::QueuedConnection);
    FConstructed = true;
}

TFormMarivo6Main::~TFormMarivo6Main() {
    if (FNavEnv) {
        if (FNavEnv->Boat->GetNavigationState() != 0) FNavEnv->StopNavigation(QString(), false);
        FNavEnv->Shutdown();
    }
    FNavEnv.reset();
}

TFormMarivo6Main::TCurrent::TCurrent(TFormMarivo6Main *main) {
    GCurrent = main;
}

TFormMarivo6Main::TCurrent::~TCurrent() {
    GCurrent = nullptr;
}

TFormMarivo6Main *TFormMarivo6Main::Current() {
    return GCurrent;
}

bool TFormMarivo6Main::FindDataFolder(const TStartOptions &options) {
    const QString message = LanguageText(SNoDataFolder);
    bool ok = true;
    if (options.DataFolder.isEmpty()) {
        QString common;
        if (!GetSpecialFolderPath(CommonAppData, common)) {
            MsgBox(message, mtError, MsgButtons({mbOK}));
            ok = false;
        }
    }
    FDataFolder = StartDataFolder(options);
    FSharedFolder = StartSharedFolder(options);
    if (!QFileInfo(FDataFolder).isDir()) {
        MsgBox(message, mtError, MsgButtons({mbOK}));
        return false;
    }
    if (!ok) return false;
    // The exception log lives with the user's data.
    SetExceptionLogFile(FDataFolder + QFileInfo(GetExceptionLogFile()).fileName());
    return true;
}

void TFormMarivo6Main::showEvent(QShowEvent *event) {
    TMainFormScaled::showEvent(event);
    CloseSplash();
}

void TFormMarivo6Main::WMDeferredStart() {
    if (FClosed || FDeferredStartDone) return;
    // Shown once the splash has gone, also when the start got here first.
    CloseSplash();
    qCInfo(lcStartup) << "disclaimer shown";
    ShowDisclaimer();
    FCloseWithoutQuestion = false;
    if (FNavEnv) {
        uint8_t communicationMode = 0;
        FNavEnv->Start(communicationMode);
    }
    FDeferredStartDone = true;
    qCInfo(lcStartup) << "ready";
}

void TFormMarivo6Main::CloseOnRequest() {
    FCloseRequested = true;
    QTimer::singleShot(0, this, &TFormMarivo6Main::CloseWhenIdle);
}

void TFormMarivo6Main::CloseWhenIdle() {
    // The window must be complete, dialogs being ended must unwind first, and a posted start
    // must have run: closing earlier would shut the environment down beneath code that still
    // uses it.
    if (!FConstructed || QThread::currentThread()->loopLevel() > 1 ||
        (FNavEnv && !FDeferredStartDone)) {
        QTimer::singleShot(20, this, &TFormMarivo6Main::CloseWhenIdle);
        return;
    }
    close();
}

bool TFormMarivo6Main::FormCloseQuery() {
    const bool noQuestion = FCloseWithoutQuestion || FCloseRequested;
    if (FNavEnv && FNavEnv->Boat->GetNavigationState() != 0) {
        // Store False: the open connection is resumed at the next start.
        const QString question = noQuestion ? QString()
                                            : LanguageText(SCloseQuestion) + QStringLiteral("\n\n") +
                                                  LanguageText(SCloseNote);
        FNavEnv->StopNavigation(question, false);
        return FNavEnv->Boat->GetNavigationState() == 0;
    }
    if (noQuestion) return true;
    return MsgBoxCaption(LanguageText(SCloseCaption), LanguageText(SCloseQuestion), mtConfirmation,
                         MsgButtons({mbYes, mbNo})) == mrYes;
}

void TFormMarivo6Main::FormClose() {
    if (FNavEnv) FNavEnv->Shutdown();
    WriteExecState(TExecState::Closed);
    qCInfo(lcStartup) << "closed";
}

void TFormMarivo6Main::closeEvent(QCloseEvent *event) {
    if (FClosed) {
        event->accept();
        return;
    }
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FClosed = true;
    FormClose();
    event->accept();
    // Closing the main window ends the program.
    ApplicationTerminate();
}
