#include "online/FrmCheckUpdates.h"

#include "online/FrmCheckUpdatesHistory.h"

#include "base/dialogs/KvDialogs.h"
#include "base/dialogs/KvMsgBox.h"
#include "base/kvlib/KvErrors.h"
#include "base/kvlib/KvProgInfo.h"
#include "base/platform/KvShell.h"
#include "base/registry/KvRegistry.h"
#include "base/strings/KvStrUtils.h"
#include "base/texts/KvLanguage.h"
#include "base/web/KvWBContainer.h"
#include "base/graphics/KvNightScreen.h"
#include "shell/FrmLanguage.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvFiles.h>
#include <KvLibNav6/KvGraphics.h>
#include <KvLibNav6/KvLanguage.h>

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const TLanguageStrings TextCaption = {"Check for updates", "Controleren op updates", "Nach Updates suchen",
                                      "Rechercher des mises à jour", "", "Controlla aggiornamenti",
                                      "Søg efter opdateringer", "Sök efter uppdateringar"};
const TLanguageStrings TextCheck = {"Check", "Controleren", "Prüfen", "Vérifier", "", "Controlla", "Søg", "Sök"};
const TLanguageStrings TextDownload = {"Download", "Downloaden", "Herunterladen", "Télécharger", "", "Scarica",
                                       "Hent", "Hämta"};
const TLanguageStrings TextBrowse = {"Browse...", "Bladeren...", "Durchsuchen...", "Parcourir...", "", "Sfoglia...",
                                     "Gennemse...", "Bläddra..."};
const TLanguageStrings TextCancel = {"Cancel", "Annuleren", "Abbrechen", "Annuler", "", "Annulla", "Annuller",
                                     "Avbryt"};
const TLanguageStrings TextShowIn = {"Show Release History in:", "Toon versiegeschiedenis in:",
                                     "Versionshistorie anzeigen in:", "", "", "Mostra la cronologia in:", "", ""};
const TLanguageStrings TextDstFolder = {"The update file will be saved in the following folder:",
                                        "Het updatebestand wordt in de volgende map opgeslagen:",
                                        "Die Update-Datei wird im folgenden Ordner gespeichert:", "", "", "", "", ""};
const TLanguageStrings TextIntro = {
    "%s can check for updates on the internet. To use this function you need to have an active internet "
    "connection.",
    "%s kan op internet controleren of er updates zijn. Hiervoor heeft u een actieve internetverbinding nodig.",
    "%s kann im Internet nach Updates suchen. Dazu benötigen Sie eine aktive Internetverbindung.", "", "", "", "",
    ""};
const TLanguageStrings TextAvailable = {
    "of %s is now available. Click 'Download' to download and install this new version.",
    "van %s is nu beschikbaar. Klik op 'Downloaden' om deze nieuwe versie te downloaden en te installeren.",
    "von %s ist jetzt verfügbar. Klicken Sie auf 'Herunterladen', um diese neue Version herunterzuladen und zu "
    "installieren.",
    "", "", "", "", ""};
const TLanguageStrings TextVersion = {"Version", "Versie", "Version", "Version", "", "Versione", "Version",
                                      "Version"};
const TLanguageStrings TextLatest = {"You already have the latest version", "U heeft al de nieuwste versie",
                                     "Sie haben bereits die neueste Version", "", "", "", "", ""};
const TLanguageStrings TextAborted = {"The download of the update was aborted", "Het downloaden van de update is afgebroken",
                                      "Das Herunterladen des Updates wurde abgebrochen", "", "", "", "", ""};
const TLanguageStrings TextNoFolder = {
    "The specified destination folder does not exist. Please specify an existing destination folder.",
    "De opgegeven doelmap bestaat niet. Geef een bestaande doelmap op.",
    "Der angegebene Zielordner existiert nicht. Bitte geben Sie einen vorhandenen Zielordner an.", "", "", "", "",
    ""};
const TLanguageStrings TextNotFound = {
    "The update could not be found on the server. Please try again later.",
    "De update kon niet op de server worden gevonden. Probeer het later opnieuw.",
    "Das Update wurde auf dem Server nicht gefunden. Bitte versuchen Sie es später erneut.", "", "", "", "", ""};
const TLanguageStrings TextComplete = {"Complete", "Voltooid", "Abgeschlossen", "Terminé", "", "Completato",
                                       "Fuldført", "Klart"};
const TLanguageStrings TextQuestionHead = {"The download of the update has completed and stored as:",
                                           "Het downloaden van de update is voltooid en opgeslagen als:",
                                           "Das Herunterladen des Updates ist abgeschlossen, gespeichert als:", "", "",
                                           "", "", ""};
const TLanguageStrings TextQuestion = {"Do you want to start the update now?", "Wilt u de update nu starten?",
                                       "Möchten Sie das Update jetzt starten?", "", "", "", "", ""};

const QString Key = QStringLiteral("Desktop\\Update");
constexpr int32_t Root = AppRegRoot::Product;
constexpr int DefaultTimeoutSeconds = 15;
const QSize FlagSize(24, 16);

TFormCheckUpdates::TPrompter &Prompter() {
    static TFormCheckUpdates::TPrompter prompter;
    return prompter;
}

void OpenThroughDesktop(const QString &file) {
    int32_t err = 0;
    ExecuteFile(nullptr, QString(), file, QString(), QString(), 5, err);
    RaiseIfError(err);
}

TFormCheckUpdates::TOpener &Opener() {
    static TFormCheckUpdates::TOpener opener = OpenThroughDesktop;
    return opener;
}

int32_t InstalledVersion(bool forChartManager) {
    if (!forChartManager) return ProgInfoGetVersion();
    int32_t version = 0;
    GetChartManagerProgramVersion(version);
    return version;
}

TFormCheckUpdates::TVersionSource &VersionSource() {
    static TFormCheckUpdates::TVersionSource source = InstalledVersion;
    return source;
}

QString Filled(const TLanguageStrings &table, const QString &value) {
    return LanguageText(table).replace(QLatin1String("%s"), value);
}

void Warn(const QString &text) {
    MsgBoxCaption(ProgInfoGetTitle(), text, mtWarning, MsgButtons({mbOK}));
}

QString DocumentsFolder() {
    QString folder;
    GetSpecialFolderPath(KvSpecialFolder::Documents, folder);
    return folder;
}

}  // namespace

TFormCheckUpdates::TFormCheckUpdates(const QString &productName, bool autoCheck, bool forChartManager, QWidget *owner)
    : TFormScaled(owner),
      FProductLabel(forChartManager ? QStringLiteral("MRC Manager") : productName),
      FForChartManager(forChartManager),
      FClient(new TPUSClient(this)) {
    setObjectName(QStringLiteral("FormCheckUpdates"));
    BuildPages();
    FClient->OnCommandDone = [this](TPUSCommand c, int32_t r) { CommandDone(c, r); };
    FClient->OnRequestVersion = [this](int32_t, int32_t, const TPUSVersionInfo &info) { FVersionInfo = info; };
    FClient->OnRequestHistory = [this](const QByteArray &history) { FHistory = QString::fromUtf8(history); };
    FClient->OnRequestUpdateFile = [this](int64_t written, int64_t size, int32_t, int32_t, const TGUID &,
                                          const QString &file) { FileProgress(written, size, file); };
    if (auto *http = dynamic_cast<TPUSHttpQt *>(&FClient->Http()))
        http->SetIdleTimeoutMs(1000 * std::max(1, RegReadIntegerDef(GetAppReg(), Root, Key, RegName(u"Timeout"),
                                                                  DefaultTimeoutSeconds)));
    QString folder;
    RegReadStringDef(GetAppReg(), Root, Key, RegName(u"DstFolder"), DocumentsFolder(), folder);
    EditDstFolder->setText(folder);
    UpdateTexts();
    if (autoCheck) {
        ButtonDownload->setEnabled(false);
        // From the running dialog: a request that fails at once must find a loop to close.
        QTimer::singleShot(0, this, [this] { FClient->RequestVersion(ProductGUID()); });
    }
    ScaleConstraints();
}

TFormCheckUpdates::~TFormCheckUpdates() {
    FClient->Abort();
}

void TFormCheckUpdates::BuildPages() {
    setFixedSize(467, 441);
    auto *layout = new QVBoxLayout(this);
    PageControl = new QStackedWidget(this);
    LabelUpdateText = new QLabel(PageControl);
    LabelUpdateText->setAlignment(Qt::AlignCenter);
    LabelUpdateText->setWordWrap(true);
    PageControl->addWidget(LabelUpdateText);
    PageControl->addWidget(BuildPage2());
    layout->addWidget(PageControl, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    ButtonDownload = new QPushButton(this);
    ButtonCancel = new QPushButton(this);
    for (QPushButton *b : {ButtonDownload, ButtonCancel}) {
        b->setFixedWidth(100);
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);
    ButtonDownload->setDefault(true);
    connect(ButtonDownload, &QPushButton::clicked, this, &TFormCheckUpdates::ButtonDownloadClick);
    connect(ButtonCancel, &QPushButton::clicked, this, &TFormCheckUpdates::ButtonCancelClick);
}

QWidget *TFormCheckUpdates::BuildPage2() {
    auto *page = new QWidget(PageControl);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    LabelHeader = new QLabel(page);
    LabelHeader->setWordWrap(true);
    LabelHeader->setMinimumHeight(35);
    layout->addWidget(LabelHeader);
    PanelLanguage = new QWidget(page);
    auto *language = new QHBoxLayout(PanelLanguage);
    language->setContentsMargins(0, 0, 0, 0);
    language->addStretch(1);
    LabelLanguage = new QLabel(PanelLanguage);
    ComboBoxLanguage = new QComboBox(PanelLanguage);
    ComboBoxLanguage->setFixedWidth(150);
    ComboBoxLanguage->setMaxVisibleItems(8);
    ComboBoxLanguage->setIconSize(FlagSize);
    language->addWidget(LabelLanguage);
    language->addWidget(ComboBoxLanguage);
    layout->addWidget(PanelLanguage);
    connect(ComboBoxLanguage, &QComboBox::activated, this, &TFormCheckUpdates::ComboBoxLanguageSelect);
    PanelHistory = new QWidget(page);
    auto *history = new QVBoxLayout(PanelHistory);
    history->setContentsMargins(0, 0, 0, 0);
    HTMLViewer = new TWBContainer(PanelHistory);
    HTMLViewer->setOpenLinks(false);
    history->addWidget(HTMLViewer);
    layout->addWidget(PanelHistory, 1);
    PanelProgress = new QWidget(page);
    auto *progress = new QVBoxLayout(PanelProgress);
    LabelProgress = new QLabel(PanelProgress);
    ProgressBar = new QProgressBar(PanelProgress);
    ProgressBar->setTextVisible(false);
    progress->addStretch(1);
    progress->addWidget(LabelProgress);
    progress->addWidget(ProgressBar);
    progress->addStretch(1);
    PanelProgress->hide();
    layout->addWidget(PanelProgress, 1);
    PanelDestination = new QWidget(page);
    auto *destination = new QGridLayout(PanelDestination);
    destination->setContentsMargins(0, 0, 0, 0);
    LabelDstFolder = new QLabel(PanelDestination);
    EditDstFolder = new QLineEdit(PanelDestination);
    ButtonBrowse = new QPushButton(PanelDestination);
    ButtonBrowse->setFixedWidth(110);
    destination->addWidget(LabelDstFolder, 0, 0, 1, 2);
    destination->addWidget(EditDstFolder, 1, 0);
    destination->addWidget(ButtonBrowse, 1, 1);
    layout->addWidget(PanelDestination);
    connect(ButtonBrowse, &QPushButton::clicked, this, &TFormCheckUpdates::ButtonBrowseClick);
    return page;
}

void TFormCheckUpdates::UpdateTexts() {
    setWindowTitle(LanguageText(TextCaption));
    LabelUpdateText->setText(Filled(TextIntro, FProductLabel));
    if (!FDownloadMode) LabelHeader->setText(Filled(TextAvailable, FProductLabel));
    ButtonDownload->setText(LanguageText(FDownloadMode ? TextDownload : TextCheck));
    ButtonCancel->setText(LanguageText(TextCancel));
    ButtonBrowse->setText(LanguageText(TextBrowse));
    LabelLanguage->setText(LanguageText(TextShowIn));
    LabelDstFolder->setText(LanguageText(TextDstFolder));
}

int TFormCheckUpdates::Page() const {
    return PageControl->currentIndex() + 1;
}

TGUID TFormCheckUpdates::ProductGUID() const {
    return FForChartManager ? ChartManagerProductGUID : ProgInfoGetProductGUID();
}

// ---- buttons --------------------------------------------------------------------------------

void TFormCheckUpdates::ButtonDownloadClick() {
    if (!FDownloadMode) {
        ButtonDownload->setEnabled(false);
        FClient->RequestVersion(ProductGUID());
        return;
    }
    const QString folder = EditDstFolder->text().trimmed();
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        Warn(LanguageText(TextNoFolder));
        return;
    }
    // Without a size and a checksum the update cannot be verified, so it is not offered.
    if (FVersionInfo.Value2 < 1 || FVersionInfo.Text3.trimmed().isEmpty()) return CloseWith(LanguageText(TextNotFound));
    StartDownload(folder);
}

void TFormCheckUpdates::StartDownload(const QString &folder) {
    ButtonDownload->setEnabled(false);
    LabelHeader->hide();
    PanelLanguage->hide();
    PanelDestination->hide();
    PanelHistory->hide();
    PanelProgress->show();
    LabelProgress->clear();
    ProgressBar->setRange(0, 1000);
    ProgressBar->setValue(0);
    FClient->SetDownloadFolder(folder);
    FClient->ExpectedSize = FVersionInfo.Value2;
    FClient->ExpectedSHA256 = FVersionInfo.Text3.trimmed();
    FClient->RequestUpdateFile(ProductGUID());
    repaint();
}

void TFormCheckUpdates::ButtonCancelClick() {
    const bool busy = FClient->IsBusy();
    if (busy) FClient->Abort();
    hide();
    if (busy && FDownloadMode) Warn(LanguageText(TextAborted));
    TFormScaled::reject();
}

void TFormCheckUpdates::reject() {
    ButtonCancelClick();
}

void TFormCheckUpdates::ButtonBrowseClick() {
    TBrowseFolderDialog dialog;
    dialog.Folder = EditDstFolder->text();
    if (!dialog.Execute()) return;
    EditDstFolder->setText(dialog.Folder);
    int32_t err = 0;
    RegWriteString(GetAppReg(), Root, Key, RegName(u"DstFolder"), dialog.Folder, err);
    RaiseIfError(err);
}

void TFormCheckUpdates::ComboBoxLanguageSelect() {
    HTMLViewer->scrollToAnchor(LanguageToCode(ComboBoxLanguage->currentData().toInt()));
}

// ---- answers --------------------------------------------------------------------------------

void TFormCheckUpdates::CommandDone(TPUSCommand command, int32_t result) {
    switch (command) {
    case TPUSCommand::pcReqVersion: return VersionDone(result);
    case TPUSCommand::pcReqHistory: return HistoryDone(result);
    case TPUSCommand::pcReqUpdateFile: return FileDone(result);
    default: break;
    }
}

void TFormCheckUpdates::CloseWith(const QString &warning) {
    hide();
    Warn(warning);
    done(QDialog::Rejected);
}

void TFormCheckUpdates::CloseWithLatest() {
    hide();
    MsgBox(LanguageText(TextLatest), mtInformation, MsgButtons({mbOK}));
    done(QDialog::Rejected);
}

void TFormCheckUpdates::VersionDone(int32_t result) {
    if (result != 0) return CloseWith(FClient->ErrorText(result));
    if (FVersionInfo.Version == 0 && FVersionInfo.Date1 == 0) return CloseWithLatest();
    const QString label = FForChartManager ? QStringLiteral("MRC Manager") : QStringLiteral("Marivo 6");
    if (uint32_t(FVersionInfo.Version) <= uint32_t(VersionSource()(FForChartManager))) return CloseWithLatest();
    LabelHeader->setText(LanguageText(TextVersion) + u' ' + VersionToStr(FVersionInfo.Version, 4) + u' ' +
                         Filled(TextAvailable, label));
    FClient->RequestHistory(ProductGUID());
}

void TFormCheckUpdates::HistoryDone(int32_t result) {
    if (result != 0) return CloseWith(FClient->ErrorText(result));
    FDownloadMode = true;
    PageControl->setCurrentIndex(1);
    const bool hasHistory = FHistory.size() > 1;
    PanelLanguage->setVisible(hasHistory);
    PanelHistory->setVisible(hasHistory);
    ComboBoxLanguage->clear();
    QList<int32_t> languages{GetCurrentLanguage()};
    if (hasHistory) {
        ShowHistory();
        languages = HistoryLanguages(HistoryAnchors(FHistory));
    } else {
        LabelHeader->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    }
    INightScreen *ns = NightScreen();
    const bool night = ns && ns->IsActive();
    for (int32_t language : languages) {
        QImage flag = LanguageFlag(language, FlagSize).toImage();
        if (night) NightScreenConvertPNG(ns, flag);
        ComboBoxLanguage->addItem(QIcon(QPixmap::fromImage(flag)), LanguageToStrLocalA(language), language);
    }
    const int current = ComboBoxLanguage->findData(GetCurrentLanguage());
    ComboBoxLanguage->setCurrentIndex(current >= 0 ? current : 0);
    if (hasHistory) ComboBoxLanguageSelect();
    ButtonDownload->setText(LanguageText(TextDownload));
    ButtonDownload->setEnabled(true);
}

void TFormCheckUpdates::ShowHistory() {
    INightScreen *ns = NightScreen();
    if (!ns || !ns->IsActive()) {
        HTMLViewer->LoadFromString(FHistory);
        return;
    }
    const TColor white = ns->ConvertColor(TColor(0xFFFFFF));
    // The history's text is black on white by default; both take their night colours.
    HTMLViewer->setStyleSheet(QStringLiteral("background-color: %1; color: %2;")
                                  .arg(HtmlColor(white), HtmlColor(ns->ConvertColor(TColor(0)))));
    HTMLViewer->LoadFromString(NightHistory(FHistory, [ns](TColor c) { return ns->ConvertColor(c); }));
}

void TFormCheckUpdates::FileProgress(int64_t written, int64_t size, const QString &fileName) {
    FFileName = fileName;
    FFileSize = size;
    // A missing file is announced with size 0: no division by it.
    const int64_t percent = size < 1 ? 0 : (written * 100 + size / 2) / size;
    const QString text = SizeToStr2(7, 1, 0, 1, written) + QStringLiteral(" / ") + SizeToStr2(7, 2, 0, 1, size) +
                         QStringLiteral(" (") + QString::number(percent) + QStringLiteral("%)");
    if (LabelProgress->text() != text) LabelProgress->setText(text);
    ProgressBar->setValue(size < 1 ? 0 : int(written * 1000 / size));
}

void TFormCheckUpdates::FileDone(int32_t result) {
    if (result != 0) return CloseWith(FClient->ErrorText(result));
    if (FFileSize < 1) return CloseWith(LanguageText(TextNotFound));
    FComplete = true;
    done(QDialog::Accepted);
}

// ---- class entry ----------------------------------------------------------------------------

TFormCheckUpdates::TPrompter TFormCheckUpdates::SetPrompter(TPrompter prompter) {
    TPrompter previous = std::move(Prompter());
    Prompter() = std::move(prompter);
    return previous;
}

TFormCheckUpdates::TOpener TFormCheckUpdates::SetOpener(TOpener opener) {
    TOpener previous = std::move(Opener());
    Opener() = opener ? std::move(opener) : TOpener(OpenThroughDesktop);
    return previous;
}

TFormCheckUpdates::TVersionSource TFormCheckUpdates::SetVersionSource(TVersionSource source) {
    TVersionSource previous = std::move(VersionSource());
    VersionSource() = source ? std::move(source) : TVersionSource(InstalledVersion);
    return previous;
}

bool TFormCheckUpdates::Execute(QString &fileName, bool autoCheck, bool forChartManager, QWidget *owner) {
    fileName.clear();
    bool complete = false;
    {
        TFormCheckUpdates form(ProgInfoGetTitle(), autoCheck, forChartManager, owner);
        if (Prompter())
            Prompter()(form);
        else
            form.exec();
        complete = form.DownloadComplete();
        if (complete) fileName = form.DownloadedFile();
    }
    if (!complete) return false;
    const QString question = LanguageText(TextQuestionHead) + QStringLiteral("\n\n\"") + fileName +
                             QStringLiteral("\"\n\n") + LanguageText(TextQuestion);
    if (MsgBoxCaption(LanguageText(TextComplete), question, mtInformation, MsgButtons({mbYes, mbNo}), 0, true) != mrYes)
        return false;
    if (!forChartManager) Opener()(fileName);
    return true;
}
