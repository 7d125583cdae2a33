#include "online/ChartInstallRun.h"

#include "base/charts/KvOnlineServices.h"
#include "base/dialogs/KvMsgBox.h"
#include "base/kvlib/KvStrings.h"
#include "base/strings/KvStrUtils.h"
#include "base/texts/KvLanguage.h"
#include "online/FraPageProgress.h"
#include "online/FraPageSelectCharts.h"

#include <KvLibNav6/KvErrorCodes.h>

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <cmath>

namespace {

const TLanguageStrings STotal = {"Total:", "Totaal:", "Gesamt:", "Total :", "Total:", "Totale:", "I alt:", "Totalt:"};
const TLanguageStrings SDone = {"Done...", "Klaar...", "Fertig...", "Termin\u00E9...", "Terminado...", "Fatto...",
                                "F\u00E6rdig...", "Klart..."};
const TLanguageStrings SDownloading = {"Downloading", "Downloaden", "Herunterladen", "T\u00E9l\u00E9chargement",
                                       "Descargando", "Download", "Henter", "H\u00E4mtar"};
const TLanguageStrings SFolderError = {
    "Error creating installation folder, please choose a different one...",
    "Fout bij het aanmaken van de installatiemap, kies een andere...",
    "Fehler beim Anlegen des Installationsordners, bitte w\u00E4hlen Sie einen anderen...",
    "Erreur lors de la cr\u00E9ation du dossier d'installation, choisissez-en un autre...",
    "Error al crear la carpeta de instalaci\u00F3n, elija otra...",
    "Errore durante la creazione della cartella di installazione, sceglierne un'altra...",
    "Fejl ved oprettelse af installationsmappen, v\u00E6lg en anden...",
    "Fel n\u00E4r installationsmappen skulle skapas, v\u00E4lj en annan..."};
const QString SFileFolderError = QStringLiteral("Error creating installation folder, please try again...");
const TLanguageStrings SSuccess = {"The selected charts have been installed successfully!",
                                   "De geselecteerde kaarten zijn met succes ge\u00EFnstalleerd!",
                                   "Die ausgew\u00E4hlten Karten wurden erfolgreich installiert!",
                                   "Les cartes s\u00E9lectionn\u00E9es ont \u00E9t\u00E9 install\u00E9es avec succ\u00E8s !",
                                   "\u00A1Las cartas seleccionadas se han instalado correctamente!",
                                   "Le carte selezionate sono state installate correttamente!",
                                   "De valgte s\u00F8kort er installeret!",
                                   "De valda sj\u00F6korten har installerats!"};
const TLanguageStrings SFailed = {"Chart installation failed. Please try again.",
                                  "Installatie van de kaarten mislukt. Probeer het opnieuw.",
                                  "Installation der Karten fehlgeschlagen. Bitte versuchen Sie es erneut.",
                                  "L'installation des cartes a \u00E9chou\u00E9. Veuillez r\u00E9essayer.",
                                  "La instalaci\u00F3n de las cartas ha fallado. Int\u00E9ntelo de nuevo.",
                                  "Installazione delle carte non riuscita. Riprovare.",
                                  "Installationen af s\u00F8kort mislykkedes. Pr\u00F8v igen.",
                                  "Installationen av sj\u00F6kort misslyckades. F\u00F6rs\u00F6k igen."};
const TLanguageStrings SPartial = {
    "The selected charts have been partially installed. Some items could not be installed. Please check...",
    "De geselecteerde kaarten zijn gedeeltelijk ge\u00EFnstalleerd. Sommige onderdelen konden niet worden ge\u00EFnstalleerd. Controleer dit...",
    "Die ausgew\u00E4hlten Karten wurden teilweise installiert. Einige Elemente konnten nicht installiert werden. Bitte pr\u00FCfen...",
    "Les cartes s\u00E9lectionn\u00E9es ont \u00E9t\u00E9 partiellement install\u00E9es. Certains \u00E9l\u00E9ments n'ont pas pu \u00EAtre install\u00E9s. Veuillez v\u00E9rifier...",
    "Las cartas seleccionadas se han instalado parcialmente. Algunos elementos no se han podido instalar. Compruebe...",
    "Le carte selezionate sono state installate parzialmente. Alcuni elementi non sono stati installati. Verificare...",
    "De valgte s\u00F8kort er delvist installeret. Nogle elementer kunne ikke installeres. Kontroller venligst...",
    "De valda sj\u00F6korten har delvis installerats. Vissa delar kunde inte installeras. Kontrollera..."};
const TLanguageStrings SNothing = {
    "Nothing has been installed: the service sent none of the selected items.",
    "Er is niets ge\u00EFnstalleerd: de dienst heeft geen van de geselecteerde onderdelen gestuurd.",
    "Es wurde nichts installiert: Der Dienst hat keines der ausgew\u00E4hlten Elemente gesendet.",
    "Rien n'a \u00E9t\u00E9 install\u00E9 : le service n'a envoy\u00E9 aucun des \u00E9l\u00E9ments s\u00E9lectionn\u00E9s.",
    "No se ha instalado nada: el servicio no ha enviado ninguno de los elementos seleccionados.",
    "Non \u00E8 stato installato nulla: il servizio non ha inviato nessuno degli elementi selezionati.",
    "Intet er installeret: tjenesten sendte ingen af de valgte elementer.",
    "Inget har installerats: tj\u00E4nsten skickade inget av de valda objekten."};
const TLanguageStrings SSuccessCaption = {"Success", "Gelukt", "Erfolg", "Succ\u00E8s", "\u00C9xito", "Completato",
                                          "Udf\u00F8rt", "Klart"};
const TLanguageStrings SFailedCaption = {"Failed", "Mislukt", "Fehlgeschlagen", "\u00C9chec", "Error", "Non riuscito",
                                         "Mislykkedes", "Misslyckades"};
const TLanguageStrings SPartialCaption = {"Partial success", "Gedeeltelijk gelukt", "Teilweise erfolgreich",
                                          "Succ\u00E8s partiel", "\u00C9xito parcial", "Completato in parte",
                                          "Delvist udf\u00F8rt", "Delvis klart"};

QString Size(int64_t bytes) {
    return SizeToStr2(15, 1, 0, 1, bytes);
}

// One folder level named by the service.
bool SafeComponent(const QString &name) {
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) && !name.contains(QChar(0));
}

bool SafeRelativeName(const QString &name) {
    if (name.isEmpty() || name.startsWith(QLatin1Char('/')) || name.contains(QLatin1Char('\\'))) return false;
    for (const QString &part : name.split(QLatin1Char('/')))
        if (!SafeComponent(part)) return false;
    return true;
}

// The path with the symbolic links of its existing part resolved.
QString Resolved(const QString &path) {
    const QString clean = QDir::cleanPath(QDir(path).absolutePath());
    const QString existing = NearestExisting(clean);
    return QFileInfo(existing).canonicalFilePath() + clean.mid(existing.size());
}

bool StaysInside(const QString &folder, const QString &path) {
    const QString inside = Resolved(folder), resolved = Resolved(path);
    return !inside.isEmpty() && resolved.startsWith(inside + QLatin1Char('/'));
}

}  // namespace

TChartInstallRun::TChartInstallRun(IMRCChartCheck *account, IChartManager *manager, TFramePageProgress *progress,
                                   QObject *parent)
    : QObject(parent), FAccount(account), FManager(manager), FProgress(progress) {}

QString TChartInstallRun::RecordFolder(const QString &installFolder, IMRCChartSetRecord *record) {
    const QString product = OnlineChartSetGetProductFolderName(record);
    const QString set = OnlineChartSetGetFolderName(record);
    if (installFolder.isEmpty() || !SafeComponent(product) || !SafeComponent(set)) return QString();
    QString folder = QDir::cleanPath(installFolder);
    if (QFileInfo(folder).fileName() != QLatin1String("MRC2")) folder += QStringLiteral("/MRC2");
    return folder + QLatin1Char('/') + product + QLatin1Char('/') + set + QLatin1Char('/');
}

TChartInstallRun::TOutcome TChartInstallRun::Count(IMRCChartCheck *account) {
    int requested = 0, done = 0;
    for (int32_t i = 0; i < account->GetDownloadCount(); ++i) {
        IMRCChartSetRecord *r = account->GetDownload(i);
        if (!r->IsRequested()) continue;
        ++requested;
        done += r->IsDone();
    }
    if (requested == 0) return TOutcome::Nothing;
    if (done == requested) return TOutcome::Success;
    return done == 0 ? TOutcome::Failed : TOutcome::Partial;
}

IMRCChartSetRecord *TChartInstallRun::Current() const {
    return FRecord >= 0 && FRecord < FAccount->GetDownloadCount() ? FAccount->GetDownload(FRecord) : nullptr;
}

void TChartInstallRun::ShowTotal() {
    FProgress->SetTotalText(LanguageText(STotal) + QLatin1Char(' ') + Size(FDoneBytes) + QStringLiteral(" / ") +
                            Size(FTotalBytes));
}

void TChartInstallRun::Start(const QString &installFolder) {
    FInstallFolder = installFolder;
    FRunning = true;
    FAbort = false;
    FDownloading = false;
    FFailed.clear();
    FChartFolder.clear();
    FProgress->SetSingleText(QString());
    FProgress->SetSingleMax(100);
    FProgress->SetSinglePosition(0);
    FProgress->SetTotalPosition(0);
    FTotalFiles = 0;
    FTotalBytes = FDoneBytes = 0;
    for (int32_t i = 0; i < FAccount->GetDownloadCount(); ++i) {
        IMRCChartSetRecord *r = FAccount->GetDownload(i);
        if (!r->IsRequested()) continue;
        r->SetDone(false);
        FTotalFiles += r->GetFileCount();
        for (int32_t f = 0; f < r->GetFileCount(); ++f) FTotalBytes += r->GetFileSize(f);
    }
    FProgress->SetTotalMax(qMax(FTotalFiles, 1));
    ShowTotal();
    FRecord = -1;
    FFile = 0;
    Advance();
}

void TChartInstallRun::Advance() {
    for (;;) {
        IMRCChartSetRecord *record = Current();
        if (record && !FFailed.contains(record)) {
            if (SkipPresentFiles()) {
                StartFileDownload();
                return;
            }
            if (!FFailed.contains(record)) FinishRecord();
        }
        if (FAbort) break;
        bool folderError = false;
        if (!NextRecord(folderError)) break;
        FFile = 0;
    }
    Finish();
}

bool TChartInstallRun::NextRecord(bool &folderError) {
    folderError = false;
    while (++FRecord < FAccount->GetDownloadCount()) {
        IMRCChartSetRecord *record = Current();
        IMRCAvailableChartSet *item = FAccount->FindAvailableChartSet(record->GetProductNumber(), record->GetModuleMask());
        if (!record->IsRequested() || record->GetResult() != 0 || !item) continue;
        FChartFolder = RecordFolder(FInstallFolder, record);
        if (FChartFolder.isEmpty()) {
            FFailed.insert(record);
            continue;
        }
        FProgress->SetSingleHeader(OnlineChartSetGetProductName(record) + QStringLiteral(" - ") +
                                   OnlineChartSetGetName(record));
        if (!QDir().mkpath(FChartFolder)) {
            MsgBox(LanguageText(SFolderError), mtError, MsgButtons({mbOK}));
            folderError = true;
            return false;
        }
        return true;
    }
    FProgress->SetSingleText(LanguageText(SDone));
    return false;
}

bool TChartInstallRun::FileTarget(int32_t i, QString &folder, QString &name) const {
    IMRCChartSetRecord *record = Current();
    name = DownloadListGetFileName(record, i);
    folder = FChartFolder;
    if (record->IsAddonFile(i)) folder += QStringLiteral("Addons") + QString::number(record->GetProductNumber()) + '/';
    return SafeRelativeName(name) && StaysInside(FChartFolder, folder + name);
}

bool TChartInstallRun::SkipPresentFiles() {
    IMRCChartSetRecord *record = Current();
    for (; FFile < record->GetFileCount(); ++FFile) {
        QString folder, name;
        if (!FileTarget(FFile, folder, name)) {
            FFailed.insert(record);
            return false;
        }
        const QFileInfo file(folder + name);
        const QDateTime service = QDateTime::fromSecsSinceEpoch(record->GetFileTime(FFile), Qt::UTC);
        if (!file.isFile() || file.lastModified() < service) return true;
        FDoneBytes += record->GetFileSize(FFile);
        ShowTotal();
        FProgress->SetTotalPosition(FProgress->GetTotalPosition() + 1);
    }
    return false;
}

void TChartInstallRun::StartFileDownload() {
    IMRCChartSetRecord *record = Current();
    QString folder, name;
    FileTarget(FFile, folder, name);
    FFileSize = record->GetFileSize(FFile);
    if (!QDir().mkpath(folder)) {
        MsgBox(SFileFolderError, mtError, MsgButtons({mbOK}));
        FFailed.insert(record);
        Advance();
        return;
    }
    FDownloading = true;
    FProgress->SetSinglePosition(0);
    FProgress->SetSingleText(LanguageText(SDownloading) + QStringLiteral("... ") + Size(0) + QStringLiteral(" / ") +
                             Size(FFileSize) + QStringLiteral(" (0%)"));
    int32_t err = 0;
    // A refused start is answered like a finished one, with the error as its result.
    MRCChartCheckStartFileDownload(FAccount, record, FFile, folder, name, err);
}

void TChartInstallRun::FileFinished() {
    if (!FDownloading) return;
    FDownloading = false;
    if (FAccount->GetLastResult() != MRCResult::Ok) {
        FFailed.insert(Current());
    } else {
        // Counted when it arrived: a started file may still fail.
        FDoneBytes += FFileSize;
        ShowTotal();
        FProgress->SetTotalPosition(FProgress->GetTotalPosition() + 1);
        ++FFile;
    }
    Advance();
}

void TChartInstallRun::FileProgress(double received) {
    if (!FDownloading) return;
    const int percent = FFileSize > 0 ? int(qBound(0.0, std::round(received / double(FFileSize) * 100.0), 100.0)) : 0;
    FProgress->SetSinglePosition(percent);
    FProgress->SetSingleText(LanguageText(SDownloading) + QStringLiteral("... ") + Size(int64_t(received)) +
                             QStringLiteral(" / ") + Size(FFileSize) + QStringLiteral(" (") + QString::number(percent) +
                             QStringLiteral("%)"));
}

void TChartInstallRun::Abort() {
    if (!FRunning) return;
    FAbort = true;
    // Between files nothing is waited for: end now.
    if (!FDownloading) Finish();
}

void TChartInstallRun::FinishRecord() {
    IMRCChartSetRecord *record = Current();
    IMRCAvailableChartSet *item = FAccount->FindAvailableChartSet(record->GetProductNumber(), record->GetModuleMask());
    if (!item) return;
    if (item->GetCategory() == MRCCategory::Charts) {
        int32_t err = 0;
        FManager->InstallChartSet(record, StrW(FChartFolder), err);
        // AlreadyExists: the set was there and has been read again.
        if (err != KvErr::Ok && err != KvErr::AlreadyExists) {
            FFailed.insert(record);
            return;
        }
    }
    record->SetDone(true);
    if (OnChartSetInstalled) OnChartSetInstalled(item);
}

void TChartInstallRun::Finish() {
    if (!FRunning) return;
    FRunning = false;
    FDownloading = false;
    const TOutcome outcome = Count(FAccount);
    switch (outcome) {
    case TOutcome::Success:
        MsgBoxCaption(LanguageText(SSuccessCaption), LanguageText(SSuccess), mtInformation, MsgButtons({mbOK}));
        break;
    case TOutcome::Failed:
        MsgBoxCaption(LanguageText(SFailedCaption), LanguageText(SFailed), mtError, MsgButtons({mbOK}));
        break;
    case TOutcome::Partial:
        MsgBoxCaption(LanguageText(SPartialCaption), LanguageText(SPartial), mtWarning, MsgButtons({mbOK}));
        break;
    case TOutcome::Nothing:
        MsgBoxCaption(LanguageText(SFailedCaption), LanguageText(SNothing), mtWarning, MsgButtons({mbOK}));
        break;
    }
    emit Finished(outcome);
}
