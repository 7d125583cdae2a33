#include "online/FraPageSelectCharts.h"

#include "base/charts/KvCharts.h"
#include "base/charts/KvOnlineServices.h"
#include "base/dialogs/KvMsgBox.h"
#include "base/kvlib/KvProgInfo.h"
#include "base/registry/KvRegistry.h"
#include "base/strings/KvStrUtils.h"
#include "base/texts/KvLanguage.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvErrorCodes.h>

#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QVBoxLayout>

namespace {

const QString MakerKey = QStringLiteral("Software\\Korvane\\Marivo");
const QString UpdatesKey = QStringLiteral("Updates");

const TLanguageStrings SDefaultFolder = {"Default installation folder", "Standaard installatiemap",
                                         "Standard-Installationsordner", "Dossier d'installation par d\u00E9faut",
                                         "Carpeta de instalaci\u00F3n predeterminada",
                                         "Cartella di installazione predefinita", "Standardinstallationsmappe",
                                         "Standardinstallationsmapp"};
const TLanguageStrings SAutoUpdate = {"Automatic update up to", "Automatisch bijwerken tot",
                                      "Automatische Aktualisierung bis", "Mise \u00E0 jour automatique jusqu'\u00E0",
                                      "Actualizaci\u00F3n autom\u00E1tica hasta", "Aggiornamento automatico fino a",
                                      "Automatisk opdatering op til", "Automatisk uppdatering upp till"};
const TLanguageStrings SBrowse = {"Browse...", "Bladeren...", "Durchsuchen...", "Parcourir...", "Examinar...",
                                  "Sfoglia...", "Gennemse...", "Bl\u00E4ddra..."};
const TLanguageStrings SMegabyte = {"Megabyte", "Megabyte", "Megabyte", "M\u00E9gaoctet", "Megabyte", "Megabyte",
                                    "Megabyte", "Megabyte"};
const TLanguageStrings SDiskSpaceRequired = {"Disk space required:", "Benodigde schijfruimte:",
                                             "Ben\u00F6tigter Speicherplatz:", "Espace disque requis :",
                                             "Espacio en disco necesario:", "Spazio su disco richiesto:",
                                             "N\u00F8dvendig diskplads:", "Diskutrymme som kr\u00E4vs:"};
const TLanguageStrings SBrowseTitle = {"Select the default chart installation folder",
                                       "Selecteer de standaard installatiemap voor kaarten",
                                       "W\u00E4hlen Sie den Standard-Installationsordner f\u00FCr Karten",
                                       "S\u00E9lectionnez le dossier d'installation des cartes par d\u00E9faut",
                                       "Seleccione la carpeta de instalaci\u00F3n de cartas predeterminada",
                                       "Selezionare la cartella di installazione delle carte predefinita",
                                       "V\u00E6lg standardinstallationsmappen for s\u00F8kort",
                                       "V\u00E4lj standardinstallationsmapp f\u00F6r sj\u00F6kort"};
const TLanguageStrings SCannotWrite = {"Cannot write to chosen folder. Choose another.",
                                       "Kan niet schrijven in de gekozen map. Kies een andere.",
                                       "In den gew\u00E4hlten Ordner kann nicht geschrieben werden. W\u00E4hlen Sie einen anderen.",
                                       "Impossible d'\u00E9crire dans le dossier choisi. Choisissez-en un autre.",
                                       "No se puede escribir en la carpeta elegida. Elija otra.",
                                       "Impossibile scrivere nella cartella scelta. Sceglierne un'altra.",
                                       "Kan ikke skrive til den valgte mappe. V\u00E6lg en anden.",
                                       "Kan inte skriva till den valda mappen. V\u00E4lj en annan."};
const TLanguageStrings SNoSpace = {
    "There is not enough disk space available in the selected folder.\r\n\r\nSelect a different installation location or select fewer charts.",
    "Er is niet genoeg schijfruimte beschikbaar in de geselecteerde map.\r\n\r\nKies een andere installatielocatie of selecteer minder kaarten.",
    "Im gew\u00E4hlten Ordner ist nicht gen\u00FCgend Speicherplatz verf\u00FCgbar.\r\n\r\nW\u00E4hlen Sie einen anderen Installationsort oder weniger Karten.",
    "L'espace disque disponible dans le dossier s\u00E9lectionn\u00E9 est insuffisant.\r\n\r\nChoisissez un autre emplacement ou moins de cartes.",
    "No hay suficiente espacio en disco en la carpeta seleccionada.\r\n\r\nElija otra ubicaci\u00F3n o menos cartas.",
    "Lo spazio su disco nella cartella selezionata non \u00E8 sufficiente.\r\n\r\nScegliere un'altra posizione o meno carte.",
    "Der er ikke nok diskplads i den valgte mappe.\r\n\r\nV\u00E6lg en anden placering eller f\u00E6rre s\u00F8kort.",
    "Det finns inte tillr\u00E4ckligt med diskutrymme i den valda mappen.\r\n\r\nV\u00E4lj en annan plats eller f\u00E4rre sj\u00F6kort."};
const TLanguageStrings SOverwrite = {
    "You have selected one or more products that have been installed already.\r\n\r\nDo you wish to overwrite these?",
    "U heeft een of meer producten geselecteerd die al ge\u00EFnstalleerd zijn.\r\n\r\nWilt u deze overschrijven?",
    "Sie haben ein oder mehrere bereits installierte Produkte ausgew\u00E4hlt.\r\n\r\nM\u00F6chten Sie diese \u00FCberschreiben?",
    "Vous avez s\u00E9lectionn\u00E9 un ou plusieurs produits d\u00E9j\u00E0 install\u00E9s.\r\n\r\nVoulez-vous les remplacer ?",
    "Ha seleccionado uno o m\u00E1s productos ya instalados.\r\n\r\n\u00BFDesea sobrescribirlos?",
    "Sono stati selezionati uno o pi\u00F9 prodotti gi\u00E0 installati.\r\n\r\nSovrascriverli?",
    "Du har valgt et eller flere produkter, der allerede er installeret.\r\n\r\nVil du overskrive dem?",
    "Du har valt en eller flera produkter som redan \u00E4r installerade.\r\n\r\nVill du skriva \u00F6ver dem?"};
const TLanguageStrings SNothingChecked = {
    "No charts checked for installation.\r\n\r\nPlease check at least one product to install before proceeding.",
    "Geen kaarten aangevinkt voor installatie.\r\n\r\nVink ten minste \u00E9\u00E9n product aan om verder te gaan.",
    "Keine Karten zur Installation ausgew\u00E4hlt.\r\n\r\nBitte w\u00E4hlen Sie mindestens ein Produkt aus, bevor Sie fortfahren.",
    "Aucune carte coch\u00E9e pour l'installation.\r\n\r\nCochez au moins un produit avant de continuer.",
    "No se ha marcado ninguna carta para instalar.\r\n\r\nMarque al menos un producto antes de continuar.",
    "Nessuna carta selezionata per l'installazione.\r\n\r\nSelezionare almeno un prodotto prima di procedere.",
    "Ingen s\u00F8kort markeret til installation.\r\n\r\nMarker mindst \u00E9t produkt, f\u00F8r du forts\u00E6tter.",
    "Inga sj\u00F6kort markerade f\u00F6r installation.\r\n\r\nMarkera minst en produkt innan du forts\u00E4tter."};
const TLanguageStrings SPleaseWait = {"Please wait...", "Even geduld...", "Bitte warten...", "Veuillez patienter...",
                                      "Espere, por favor...", "Attendere...", "Vent venligst...", "V\u00E4nta..."};
const TLanguageStrings SGettingCharts = {"Getting charts available for you.", "Uw beschikbare kaarten worden opgehaald.",
                                         "Ihre verf\u00FCgbaren Karten werden abgerufen.",
                                         "R\u00E9cup\u00E9ration des cartes disponibles.",
                                         "Obteniendo las cartas disponibles.", "Recupero delle carte disponibili.",
                                         "Henter dine tilg\u00E6ngelige s\u00F8kort.", "H\u00E4mtar tillg\u00E4ngliga sj\u00F6kort."};
const TLanguageStrings SNoCharts = {"The chosen account does not contain charts that can be downloaded.",
                                    "Het gekozen account bevat geen kaarten die gedownload kunnen worden.",
                                    "Das gew\u00E4hlte Konto enth\u00E4lt keine herunterladbaren Karten.",
                                    "Le compte choisi ne contient aucune carte t\u00E9l\u00E9chargeable.",
                                    "La cuenta elegida no contiene cartas descargables.",
                                    "L'account scelto non contiene carte scaricabili.",
                                    "Den valgte konto indeholder ingen s\u00F8kort, der kan hentes.",
                                    "Det valda kontot inneh\u00E5ller inga sj\u00F6kort som kan h\u00E4mtas."};
const TLanguageStrings SNoChartsHint = {"Choose another account or connect charts to your account.",
                                        "Kies een ander account of koppel kaarten aan uw account.",
                                        "W\u00E4hlen Sie ein anderes Konto oder verbinden Sie Karten mit Ihrem Konto.",
                                        "Choisissez un autre compte ou associez des cartes \u00E0 votre compte.",
                                        "Elija otra cuenta o vincule cartas a su cuenta.",
                                        "Scegliere un altro account o collegare carte al proprio account.",
                                        "V\u00E6lg en anden konto, eller knyt s\u00F8kort til din konto.",
                                        "V\u00E4lj ett annat konto eller koppla sj\u00F6kort till ditt konto."};

QString WithSlash(const QString &folder) {
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

TFramePageSelectCharts::TFolderPrompter &FolderPrompter() {
    static TFramePageSelectCharts::TFolderPrompter prompter = [](QWidget *owner, QString &folder) {
        const QString chosen = QFileDialog::getExistingDirectory(owner, LanguageText(SBrowseTitle), folder);
        if (chosen.isEmpty()) return false;
        folder = chosen;
        return true;
    };
    return prompter;
}

}  // namespace

QString NearestExisting(const QString &path) {
    QString clean = QDir::cleanPath(QDir(path).absolutePath());
    while (!QFileInfo::exists(clean) && QFileInfo(clean).absolutePath() != clean) clean = QFileInfo(clean).absolutePath();
    return clean;
}

int32_t ChartFolderWriteTest(const QString &folder) {
    if (folder.isEmpty()) return KvErr::InvalidArgument;
    if (!QFileInfo(folder).isDir()) {
        const QFileInfo ancestor(NearestExisting(folder));
        return ancestor.isDir() && ancestor.isWritable() ? KvErr::Ok : KvErr::WriteFailed;
    }
    QFile test(WithSlash(folder) + QLatin1String(ChartFolderTestFile));
    if (!test.open(QIODevice::WriteOnly) || test.write("test") != 4) return KvErr::WriteFailed;
    test.close();
    test.remove();
    return KvErr::Ok;
}

int32_t GetDefaultChartFolder(QString &folder) {
    folder = WithSlash(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)) +
             QStringLiteral("Korvane/Charts/");
    QString stored;
    RegReadStringDef(GetAppReg(), AppRegRoot::CurrentUser, MakerKey, RegName(u"MRC2ChartFolder"), QString(), stored);
    if (!stored.isEmpty()) folder = WithSlash(stored);
    return ChartFolderWriteTest(folder);
}

int32_t SetDefaultChartFolder(const QString &folder) {
    int32_t err = 0;
    // Created when missing: the choice is to be the default of the next run.
    RegWriteString(GetAppReg(), AppRegRoot::CurrentUser, MakerKey, RegName(u"MRC2ChartFolder"), folder, err);
    return ChartFolderWriteTest(folder);
}

int64_t ChartFolderFreeSpace(const QString &folder) {
    const QStorageInfo storage(NearestExisting(folder));
    return storage.isValid() && storage.isReady() ? storage.bytesAvailable() : 0;
}

bool ModuleInMask(int32_t chartSetNumber, uint64_t mask) {
    return chartSetNumber >= 0 && chartSetNumber < 64 && (mask & (uint64_t(1) << chartSetNumber)) != 0;
}

bool FindInstalledProduct(IChartManager *manager, uint32_t productNumber, int32_t &index) {
    index = -1;
    for (int32_t i = 0; manager && i < manager->GetProductCount(); ++i)
        if (manager->GetProduct(i)->GetInfo()->GetProductNumber() == productNumber) {
            index = i;
            return true;
        }
    return false;
}

bool FindInstalledChartSetIndex(IChartProduct *product, uint64_t mask, int32_t &index) {
    index = -1;
    for (int32_t i = 0; product && i < product->GetChartSetCount(); ++i)
        if (ModuleInMask(product->GetChartSet(i)->GetInfo()->GetChartSetNumber(), mask)) {
            index = i;
            return true;
        }
    return false;
}

bool FindInstalledChartSet(IChartManager *manager, IMRCAvailableChartSet *item, IChartSet *&set) {
    set = nullptr;
    int32_t p = -1, s = -1;
    if (!item || !FindInstalledProduct(manager, item->GetProductNumber(), p)) return false;
    IChartProduct *product = manager->GetProduct(p);
    if (!FindInstalledChartSetIndex(product, uint64_t(item->GetModuleMask()), s)) return false;
    set = product->GetChartSet(s);
    return true;
}

bool ProductHasModuleIn(IChartProduct *product, uint64_t mask) {
    int32_t index = -1;
    return FindInstalledChartSetIndex(product, mask, index);
}

TFramePageSelectCharts::TFramePageSelectCharts(IChartManager *manager, IMRCChartCheck *account,
                                               const QString &folder, bool waiting, QWidget *owner)
    : QWidget(owner), ListView(new TSelectChartsView(this)), LabelSpaceRequired(new QLabel(this)),
      LabelDefaultInstallationFolder(new QLabel(this)), EditDefaultInstallationFolder(new QLineEdit(this)),
      ButtonBrowse(new QPushButton(this)), LabelAutoUpdateThreshold(new QLabel(this)),
      EditAutoUpdateThreshold(new QSpinBox(this)), LabelMegabytes(new QLabel(this)), FFolder(folder),
      FAccount(account), FChartManager(manager), FWaiting(waiting), FModel(new TSelectChartsModel(this)) {
    setObjectName(QStringLiteral("FramePageSelectCharts"));
    ListView->setModel(FModel);
    ListView->setItemDelegate(new TSelectChartsDelegate(ListView, ListView->HotRow, ListView->PressedRow));
    ListView->setColumnWidth(0, 476);
    ListView->setColumnWidth(1, 140);
    ListView->setRootIsDecorated(false);
    ListView->EmptyTexts = [this] { return EmptyTexts(); };
    FModel->SelectCompanions = [this](uint32_t product, bool selected) {
        for (IMRCAvailableChartSet *item : FList)
            if (item->GetCategory() == MRCCategory::Companion && item->GetProductNumber() == product)
                item->SetSelected(selected);
    };
    connect(FModel, &TSelectChartsModel::Checked, this, [this] {
        if (OnChange) OnChange(this);
        UpdateSpaceLabel();
    });
    LabelSpaceRequired->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont bold = LabelSpaceRequired->font();
    bold.setBold(true);
    LabelSpaceRequired->setFont(bold);
    LabelSpaceRequired->setAutoFillBackground(true);
    LabelSpaceRequired->setStyleSheet(QStringLiteral("background-color: #FFFFE1; color: black; padding: 3px;"));
    EditDefaultInstallationFolder->setReadOnly(true);
    EditAutoUpdateThreshold->setRange(0, 99999);
    EditAutoUpdateThreshold->setValue(RegReadIntegerDef(GetAppReg(), AppRegRoot::Product, UpdatesKey,
                                                        RegName(u"ChartAutoUpdateThreshold"), 500));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ListView, 1);
    layout->addWidget(LabelSpaceRequired);
    auto *grid = new QGridLayout;
    grid->addWidget(LabelDefaultInstallationFolder, 0, 0);
    grid->addWidget(EditDefaultInstallationFolder, 0, 1, 1, 2);
    grid->addWidget(ButtonBrowse, 0, 3);
    grid->addWidget(LabelAutoUpdateThreshold, 1, 0);
    grid->addWidget(EditAutoUpdateThreshold, 1, 1);
    grid->addWidget(LabelMegabytes, 1, 2);
    grid->setColumnStretch(2, 1);
    layout->addLayout(grid);
    connect(ButtonBrowse, &QPushButton::clicked, this, &TFramePageSelectCharts::BrowseClicked);
    connect(EditAutoUpdateThreshold, &QSpinBox::editingFinished, this, &TFramePageSelectCharts::ThresholdEdited);
    EditDefaultInstallationFolder->setText(FFolder);
    UpdateTexts();
    UpdateFreeSpace();
    UpdateSpaceLabel();
}

TFramePageSelectCharts::TFolderPrompter TFramePageSelectCharts::SetFolderPrompter(TFolderPrompter prompter) {
    TFolderPrompter previous = FolderPrompter();
    if (prompter) FolderPrompter() = std::move(prompter);
    return previous;
}

void TFramePageSelectCharts::ClearChartSets() {
    // The account may rebuild its list after this: no row may keep an item.
    FModel->Clear();
    FList.clear();
}

void TFramePageSelectCharts::AddChartSet(IMRCAvailableChartSet *item) {
    if (!item) return;
    FList.push_back(item);
    item->SetSelected(false);
    item->SetInstalled(false);
    item->SetUpdateAvailable(false);
    int32_t p = -1;
    if (FindInstalledProduct(FChartManager, item->GetProductNumber(), p) &&
        ProductHasModuleIn(FChartManager->GetProduct(p), uint64_t(item->GetModuleMask())))
        item->SetInstalled(true);
    IMRCChartSetRecord *record = FAccount ? FAccount->FindChartSetRecord(item->GetProductNumber(), item->GetModuleMask())
                                          : nullptr;
    if (record && item->GetEdition() > record->GetEdition()) item->SetUpdateAvailable(true);
}

void TFramePageSelectCharts::Refresh() {
    FWaiting = false;
    EditDefaultInstallationFolder->setText(FFolder);
    UpdateFreeSpace();
    BuildTree();
    UpdateSpaceLabel();
}

void TFramePageSelectCharts::ResetChartSet(IMRCAvailableChartSet *item) {
    if (!item) return;
    item->SetInstalled(false);
    item->SetSelected(false);
    item->SetUpdateAvailable(false);
    int32_t p = -1;
    if (FindInstalledProduct(FChartManager, item->GetProductNumber(), p) &&
        ProductHasModuleIn(FChartManager->GetProduct(p), uint64_t(item->GetModuleMask())))
        item->SetInstalled(true);
}

bool TFramePageSelectCharts::IsChartSetFolderWritable(IMRCAvailableChartSet *item) const {
    const TSelectChartsNode *node = FModel->FindItem(item);
    return node && node->Writable;
}

bool TFramePageSelectCharts::TestChartSetFolder(IMRCAvailableChartSet *item) const {
    IChartSet *set = nullptr;
    if (!FindInstalledChartSet(FChartManager, item, set)) return false;
    const QString folder = ChartSetGetFolder(set);
    return QFileInfo(folder).isDir() && ChartFolderWriteTest(folder) == KvErr::Ok;
}

void TFramePageSelectCharts::BuildTree() {
    FModel->Build(FList, [this](IMRCAvailableChartSet *item) { return TestChartSetFolder(item); });
    ListView->expandAll();
    UpdateSpaceLabel();
}

void TFramePageSelectCharts::UpdateSpaceLabel() {
    FRequired = 0;
    for (IMRCAvailableChartSet *item : FList)
        if (item->IsSelected()) FRequired += item->GetSize();
    LabelSpaceRequired->setText(QLatin1Char(' ') + LanguageText(SDiskSpaceRequired) + QLatin1Char(' ') +
                                SizeToStr(FRequired, 14, 1, false));
    ListView->header()->setVisible(!FList.empty());
}

void TFramePageSelectCharts::UpdateFreeSpace() {
    FFree = ChartFolderFreeSpace(FFolder);
}

bool TFramePageSelectCharts::CanProceed() {
    const QString title = ProgInfoGetTitle();
    if (FFree < FRequired) {
        MsgBoxCaption(title, LanguageText(SNoSpace), mtError, MsgButtons({mbOK}));
        return false;
    }
    bool any = false, askedYes = false;
    for (IMRCAvailableChartSet *item : FList) {
        if (!item->IsSelected()) continue;
        any = true;
        if (item->IsInstalled() && !askedYes) {
            if (MsgBoxCaption(title, LanguageText(SOverwrite), mtInformation, MsgButtons({mbYes, mbNo})) != mrYes)
                return false;
            askedYes = true;
        }
    }
    if (!any) {
        MsgBoxCaption(title, LanguageText(SNothingChecked), mtInformation, MsgButtons({mbOK}));
        return false;
    }
    // A folder that takes no files would fail the installation file by file.
    if (ChartFolderWriteTest(FFolder) != KvErr::Ok) {
        MsgBox(LanguageText(SCannotWrite), mtError, MsgButtons({mbOK}));
        return false;
    }
    return true;
}

void TFramePageSelectCharts::UpdateTexts() {
    FModel->headerDataChanged(Qt::Horizontal, 0, 1);
    LabelDefaultInstallationFolder->setText(LanguageText(SDefaultFolder) + QLatin1Char(':'));
    LabelAutoUpdateThreshold->setText(LanguageText(SAutoUpdate) + QLatin1Char(':'));
    ButtonBrowse->setText(LanguageText(SBrowse));
    LabelMegabytes->setText(LanguageText(SMegabyte));
}

std::pair<QString, QString> TFramePageSelectCharts::EmptyTexts() const {
    if (FWaiting || (FAccount && FAccount->IsBusy()))
        return {LanguageText(SPleaseWait), LanguageText(SGettingCharts)};
    return {LanguageText(SNoCharts), LanguageText(SNoChartsHint)};
}

void TFramePageSelectCharts::BrowseClicked() {
    QString folder = EditDefaultInstallationFolder->text();
    if (!FolderPrompter()(this, folder)) return;
    folder = WithSlash(folder);
    if (SetDefaultChartFolder(folder) != KvErr::Ok) MsgBox(LanguageText(SCannotWrite), mtError, MsgButtons({mbOK}));
    EditDefaultInstallationFolder->setText(folder);
    FFolder = folder;
    UpdateFreeSpace();
}

void TFramePageSelectCharts::ThresholdEdited() {
    int32_t err = 0;
    RegWriteInteger(GetAppReg(), AppRegRoot::Product, UpdatesKey, RegName(u"ChartAutoUpdateThreshold"),
                    EditAutoUpdateThreshold->value(), err);
}

bool TFramePageSelectCharts::event(QEvent *event) {
    if (event->type() == QEvent::ParentChange && parentWidget()) {
        BuildTree();
        EditDefaultInstallationFolder->setText(FFolder);
        UpdateTexts();
        UpdateSpaceLabel();
    }
    return QWidget::event(event);
}
