// The main window's news-centre handlers and the jobs that run under the waiting form: the
// update program, the chart manager, the chart manager's own set-up and printing the main
// view. The navigation loop is off while a companion program runs (the environment sees
// to that) and while the view prints.
#include "shell/FrmMarivo6Main.h"

#include "base/controls/KvCalendarEx.h"
#include "base/dialogs/KvMsgBox.h"
#include "base/files/KvFiles.h"
#include "base/kvlib/KvErrors.h"
#include "base/kvlib/KvProgInfo.h"
#include "base/math/KvMath.h"
#include "base/registry/KvRegistry.h"
#include "chartview/NavViewerControl.h"
#include "shell/FrmMsgWaiting.h"
#include "shell/MarivoNavEnv.h"
#include "shell/MarivoSailingAreas.h"

#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvLanguage.h>

#include <QAction>
#include <QCoreApplication>
#include <QDate>
#include <QTimer>
#include <cfenv>

namespace {

constexpr int32_t Root = AppRegRoot::Product;

const TLanguageStrings SUpdateOffer = {
    "Before using Marivo 6 updates of the route network should be downloaded and installed. "
    "Would you like to do this now?",
    "Voordat u Marivo 6 gebruikt, moeten updates van het routenetwerk worden gedownload en "
    "ge\u00EFnstalleerd. Wilt u dit nu doen?",
    "Vor der Verwendung von Marivo 6 sollten Aktualisierungen des Routennetzes heruntergeladen "
    "und installiert werden. M\u00F6chten Sie dies jetzt tun?",
    "", "", "", "", ""};
const TLanguageStrings SUpdateStop = {
    "Updating charts requires the communication to (temporary) be closed.\n\nDo you want to continue?",
    "Voor het bijwerken van de kaarten moet de communicatie (tijdelijk) worden gesloten.\n\nWilt u doorgaan?",
    "Zum Aktualisieren der Karten muss die Kommunikation (vor\u00FCbergehend) beendet werden.\n\nM\u00F6chten Sie fortfahren?",
    "La mise \u00E0 jour des cartes n\u00E9cessite la fermeture (temporaire) de la communication.\n\nVoulez-vous continuer ?",
    "",
    "L'aggiornamento delle carte richiede la chiusura (temporanea) della comunicazione.\n\nContinuare?",
    "Opdatering af s\u00F8kort kr\u00E6ver, at kommunikationen (midlertidigt) lukkes.\n\nVil du forts\u00E6tte?",
    "Uppdatering av sj\u00F6kort kr\u00E4ver att kommunikationen (tillf\u00E4lligt) st\u00E4ngs.\n\nVill du forts\u00E4tta?"};
const TLanguageStrings SPrintCanceled = {
    "The print job was canceled.", "De afdruktaak is geannuleerd.",
    "Der Druckauftrag wurde abgebrochen.", "L'impression a \u00E9t\u00E9 annul\u00E9e.", "",
    "Il lavoro di stampa \u00E8 stato annullato.", "Udskriftsjobbet blev annulleret.",
    "Utskriftsjobbet avbr\u00F6ts."};
const TLanguageStrings SPrintError = {
    "An error occurred while printing.", "Er is een fout opgetreden tijdens het afdrukken.",
    "Beim Drucken ist ein Fehler aufgetreten.", "", "", "", "", ""};
const TLanguageStrings SSetupFailed = {
    "The MRC Manager setup did not finish successfully (exit code %1).",
    "De installatie van MRC Manager is niet goed afgerond (afsluitcode %1).",
    "Die Installation von MRC Manager wurde nicht erfolgreich beendet (Exitcode %1).",
    "", "", "", "", ""};
const TLanguageStrings SSetupNotRun = {
    "The MRC Manager setup could not be started.",
    "De installatie van MRC Manager kon niet worden gestart.",
    "Die Installation von MRC Manager konnte nicht gestartet werden.", "", "", "", "", ""};

// The second byte of the program version: the edition the route network must match.
int32_t ProgramEdition() {
    return (ProgInfoGetVersion() >> 16) & 0xFF;
}

// Floating-point traps are off while the news centre's page runs; the caller's state
// comes back afterwards, whatever it was.
class TFPUMaskScope {
public:
    TFPUMaskScope() {
        std::fegetenv(&FSaved);
        MaskFPUExceptions();
        MaskSSEExceptions();
    }
    ~TFPUMaskScope() { std::fesetenv(&FSaved); }
    TFPUMaskScope(const TFPUMaskScope &) = delete;
    TFPUMaskScope &operator=(const TFPUMaskScope &) = delete;

private:
    std::fenv_t FSaved{};
};

// Frees a frame once control has left it: the news centre calls its handlers from its own
// code.
void ReleaseLater(QObject *context, std::unique_ptr<IMarivoFrame> frame) {
    if (!frame) return;
    frame->Widget()->hide();
    std::shared_ptr<IMarivoFrame> doomed(std::move(frame));
    QTimer::singleShot(0, context, [doomed] {});
}

}  // namespace

IFormNewsCenter *TFormMarivo6Main::NewsCenterForm() const {
    return dynamic_cast<IFormNewsCenter *>(FNewsCenter.get());
}

// ---- news centre ----------------------------------------------------------------------------

void TFormMarivo6Main::WireNewsCenter() {
    IFormNewsCenter *news = NewsCenterForm();
    if (!news) return;
    news->OnChartUpdate = [this] { OnNewsChartUpdate(); };
    news->OnRunUpdateProgram = [this] { RunUpdateService(); };
    news->OnCheckUpdates = [this](bool chartManager) { OnNewsCheckUpdates(chartManager); };
    news->OnPageReady = [this](bool flag, bool attention) { OnNewsCenterReady(flag, attention); };
    news->OnAutoUpdateSize = [this] { OnNewsChartManager(); };
}

void TFormMarivo6Main::OnNewsCenterReady(bool offerUpdate, bool showNews) {
    if (FWizardRunning || !FNavEnv) return;
    const int32_t edition = RegReadIntegerDef(GetAppReg(), Root, QString(), RegName(u"Edition"), 0);
    if (!FNewsCenterRequested) FNavEnv->CheckOutdatedCharts(10);
    IFormNewsCenter *news = NewsCenterForm();
    if (!FNewsCenterRequested && edition != ProgramEdition() && offerUpdate) {
        if (MsgBox(LanguageText(SUpdateOffer), mtConfirmation, MsgButtons({mbOK, mbCancel})) == mrOk) {
            FNewsUpdateRequest = true;
            RunUpdateService();
        }
    } else if ((offerUpdate || FNewsCenterRequested || (showNews && news && !news->AutoShowSuppressed())) &&
               news && !news->Widget()->isVisible()) {
        const TFPUMaskScope masks;
        int32_t err = 0;
        RegWriteDateTime(GetAppReg(), Root, QStringLiteral("Desktop\\NewsCenter"), RegName(u"LastShown"),
                         KvCalendar::FromQDateTime(QDate::currentDate()), err);
        RaiseIfError(err);
        news->ShowModal();
        ReleaseLater(this, std::move(FNewsCenter));
    }
    FNewsCenterRequested = false;
    if (FNavEnv->WaterwayNetwork) {
        int32_t err = 0;
        RegWriteInteger(GetAppReg(), Root, QString(), RegName(u"Edition"), ProgramEdition(), err);
        RaiseIfError(err);
    }
    if (FNewsCenter && !FNewsCenter->Widget()->isVisible()) ReleaseLater(this, std::move(FNewsCenter));
}

void TFormMarivo6Main::OnNewsChartUpdate() {
    if (QAction *update = Action("ActionChartUpdate"); update && update->isEnabled()) update->trigger();
}

void TFormMarivo6Main::OnNewsChartManager() {
    ShowChartManager();
    FNavEnv->RebuildWptDatabaseInfo();
}

void TFormMarivo6Main::OnNewsCheckUpdates(bool chartManagerSetup) {
    QString file;
    if (!FDialogs.CheckUpdates || !FDialogs.CheckUpdates(this, file, 1, chartManagerSetup)) return;
    if (!chartManagerSetup) {
        // The downloaded program update installs once the program has closed.
        FCloseWithoutQuestion = true;
        close();
        return;
    }
    FChartManagerSetup = file;
    int32_t exitValue = 0, err = 0;
    TFormMsgWaiting::Execute(TFormMsgWaiting::WaitingText(QStringLiteral("MRC Manager Setup")), false,
                             [&](TFormMsgWaiting &) {
                                 RunAndWaitA(file, QString(), QString(), nullptr, 0, true, exitValue, err);
                             });
    // A set-up that failed may still have left a working chart manager behind.
    if (err != KvErr::Ok)
        MsgBox(LanguageText(SSetupNotRun), mtError, MsgButtons({mbOK}));
    else if (exitValue != 0)
        MsgBox(LanguageText(SSetupFailed).arg(exitValue), mtError, MsgButtons({mbOK}));
    FNavEnv->FindChartManager();
}

// ---- update program and chart manager -------------------------------------------------------

void TFormMarivo6Main::RunWithNavigationStopped(const QString &program,
                                                const std::function<void(TFormMsgWaiting &)> &job) {
    INavBoat *boat = FNavEnv->Boat;
    const bool simulating = boat->IsSimulating();
    bool restart = false;
    if (boat->GetNavigationState() != 0) {
        if (!FNavEnv->StopNavigation(LanguageText(SUpdateStop), true)) return;
        restart = true;
    }
    TFormMsgWaiting::Execute(TFormMsgWaiting::WaitingText(program), false, job);
    if (!restart) return;
    FNavEnv->StartNavigation(simulating);
    UpdateActionStates();
    if (FNavCurrent) FNavCurrent->UpdateAll();
}

void TFormMarivo6Main::RunUpdateService() {
    RunWithNavigationStopped(QStringLiteral("Korvane Update Service"),
                             [this](TFormMsgWaiting &waiting) { RunUpdateJob(waiting); });
}

void TFormMarivo6Main::ReleaseNetworkForJob(uint32_t &networkFlags) {
    TNavViewerControl *viewer = MainViewerControl();
    networkFlags = viewer ? viewer->GetNetworkFlags() : 0;
    if (viewer) {
        viewer->SetNetworkFlags(0);
        viewer->SetWaterwayNetwork(nullptr);
    }
    InvalidateViewers();
    if (FRoutes) FRoutes->SetRoute(nullptr);
}

void TFormMarivo6Main::TakeNetworkAfterJob(uint32_t networkFlags) {
    if (FRoutes) FRoutes->FillRouteList();
    if (FNavInfo) FNavInfo->FillRouteList();
    if (FViewer) FViewer->SetWaterwayNetwork(FNavEnv->WaterwayNetwork);
    if (TNavViewerControl *viewer = MainViewerControl()) viewer->SetNetworkFlags(networkFlags);
    InvalidateViewers();
    UpdateActionStates();
}

void TFormMarivo6Main::RunUpdateJob(TFormMsgWaiting &waiting) {
    Q_UNUSED(waiting);
    QCoreApplication::processEvents();
    bool help = false, install = false, update = false;
    if (FNewsUpdateRequest) {
        FNewsUpdateRequest = false;
        help = install = update = true;
    } else if (IFormNewsCenter *news = NewsCenterForm()) {
        help = news->UpdateHelp();
        install = news->UpdateNetwork();
        update = news->UpdateNetworkImages();
    }
    uint32_t networkFlags = 0;
    ReleaseNetworkForJob(networkFlags);
    FNavEnv->RunUpdate(help, install, update);
    // Only the help update can have brought a help file of the language.
    if (help) {
        FHelpFileFound = !ChooseHelpFile(GetCurrentLanguage(), FDataFolder).isEmpty();
        RefreshAvailability();
    }
    TakeNetworkAfterJob(networkFlags);
}

void TFormMarivo6Main::RunChartManagerJob(TFormMsgWaiting &waiting) {
    Q_UNUSED(waiting);
    QCoreApplication::processEvents();
    IFormNewsCenter *news = NewsCenterForm();
    const bool update = FChartUpdateByNews || (news && news->ChartUpdateRequested());
    uint32_t networkFlags = 0;
    ReleaseNetworkForJob(networkFlags);
    FNavEnv->RunChartManager(0, update);
    TakeNetworkAfterJob(networkFlags);
    // The installed chart sets may have changed.
    BuildSailingAreas(*FNavEnv, MainViewerControl());
}

// ---- printing -------------------------------------------------------------------------------

bool TFormMarivo6Main::IsPrintCanceled() const {
    return FPrintWaiting && FPrintWaiting->Cancelled();
}

void TFormMarivo6Main::PrintJob(TFormMsgWaiting &waiting) {
    TNavViewerControl *viewer = MainViewerControl();
    FPrintWaiting = &waiting;
    if (viewer)
        viewer->OnPrintProgress = [this](IBmp32 *, IGeodeticCalibration *, bool &abort) {
            if (IsPrintCanceled()) abort = true;
        };
    // Whatever happens, the loop gets its state back and the viewer stops asking the form.
    struct TRestore {
        TFormMarivo6Main *Main;
        TNavViewerControl *Viewer;
        bool LoopWasOn;
        ~TRestore() {
            if (LoopWasOn) Main->FNavEnv->ResumeLoop();
            if (Viewer) Viewer->OnPrintProgress = nullptr;
            Main->FPrintWaiting = nullptr;
        }
    } restore{this, viewer, FNavEnv->PauseLoop()};
    const int32_t result = FDialogs.PrintJob ? FDialogs.PrintJob(this, viewer, FPrintSettings) : 90;
    if (result == 2)
        MsgBox(LanguageText(SPrintCanceled), mtInformation, MsgButtons({mbOK}));
    else if (result != 0)
        MsgBox(LanguageText(SPrintError), mtError, MsgButtons({mbOK}));
}
