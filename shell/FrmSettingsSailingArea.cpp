#include "shell/FrmSettingsSailingArea.h"

#include "base/charts/KvOnlineServices.h"
#include "base/dialogs/KvDialogs.h"
#include "base/platform/KvShell.h"
#include "base/registry/KvRegistry.h"
#include "base/settings/KvRegCharts.h"
#include "base/settings/KvRegRoutes.h"
#include "base/strings/KvStrUtils.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvFiles.h>
#include <KvLibNav6/KvNavEnv.h>
#include <KvLibNav6/KvWebServices.h>

#include <QCheckBox>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

namespace {

namespace Txt {
const TLanguageStrings SailingArea = {
    "IENC Sailing area",        "IENC-vaargebied",          "IENC-Fahrgebiet",
    "Zone de navigation IENC",  "Zona de navegación IENC",  "Area di navigazione IENC",
    "IENC-sejlområde",          "IENC-fartområde"};
const TLanguageStrings Browse = {"Browse...",   "Bladeren...", "Durchsuchen...", "Parcourir...",
                                 "Examinar...", "Sfoglia...",  "Gennemse...",    "Bläddra..."};
const TLanguageStrings AutoUpdates = {"Update charts automatically",
                                      "Kaarten automatisch bijwerken",
                                      "Karten automatisch aktualisieren",
                                      "Mettre à jour les cartes automatiquement",
                                      "Actualizar cartas automáticamente",
                                      "Aggiorna le carte automaticamente",
                                      "Opdater kort automatisk",
                                      "Uppdatera sjökort automatiskt"};
const TLanguageStrings BaseFolder = {"Base folder",  "Basismap",         "Basisordner",
                                     "Dossier de base", "Carpeta base", "Cartella di base",
                                     "Basismappe",   "Basmapp"};
const TLanguageStrings BrowseTitle = {"Select the S57 chart set folder",
                                      "Kies de map van de S57-kaartset",
                                      "Ordner des S57-Kartensatzes auswählen",
                                      "Sélectionnez le dossier du jeu de cartes S57",
                                      "Seleccione la carpeta del conjunto de cartas S57",
                                      "Selezionare la cartella del set di carte S57",
                                      "Vælg mappen med S57-kortsættet",
                                      "Välj mappen för S57-sjökortsuppsättningen"};
}  // namespace Txt

struct TCountry {
    TLanguageStrings Name;
    int Bit;
};

// In the order the tree adds them (the kind); the bit is the country's in the set.
const TCountry Countries[] = {
    {{"Austria", "Oostenrijk", "Österreich", "Autriche", "Austria", "Austria", "Østrig",
      "Österrike"},
     SailingArea::Austria},
    {{"Belgium", "België", "Belgien", "Belgique", "Bélgica", "Belgio", "Belgien", "Belgien"},
     SailingArea::Belgium},
    {{"Bulgaria", "Bulgarije", "Bulgarien", "Bulgarie", "Bulgaria", "Bulgaria", "Bulgarien",
      "Bulgarien"},
     SailingArea::Bulgaria},
    {{"Switzerland", "Zwitserland", "Schweiz", "Suisse", "Suiza", "Svizzera", "Schweiz",
      "Schweiz"},
     SailingArea::Switzerland},
    {{"Czech Republic", "Tsjechië", "Tschechien", "République tchèque", "República Checa",
      "Repubblica Ceca", "Tjekkiet", "Tjeckien"},
     SailingArea::CzechRepublic},
    {{"Germany", "Duitsland", "Deutschland", "Allemagne", "Alemania", "Germania", "Tyskland",
      "Tyskland"},
     SailingArea::Germany},
    {{"France", "Frankrijk", "Frankreich", "France", "Francia", "Francia", "Frankrig",
      "Frankrike"},
     SailingArea::France},
    {{"Hungary", "Hongarije", "Ungarn", "Hongrie", "Hungría", "Ungheria", "Ungarn", "Ungern"},
     SailingArea::Hungary},
    {{"Croatia", "Kroatië", "Kroatien", "Croatie", "Croacia", "Croazia", "Kroatien",
      "Kroatien"},
     SailingArea::Croatia},
    {{"Netherlands", "Nederland", "Niederlande", "Pays-Bas", "Países Bajos", "Paesi Bassi",
      "Holland", "Nederländerna"},
     SailingArea::Netherlands},
    {{"Poland", "Polen", "Polen", "Pologne", "Polonia", "Polonia", "Polen", "Polen"},
     SailingArea::Poland},
    {{"Romania", "Roemenië", "Rumänien", "Roumanie", "Rumanía", "Romania", "Rumænien",
      "Rumänien"},
     SailingArea::Romania},
    {{"Serbia", "Servië", "Serbien", "Serbie", "Serbia", "Serbia", "Serbien", "Serbien"},
     SailingArea::Serbia},
    {{"Slovakia", "Slowakije", "Slowakei", "Slovaquie", "Eslovaquia", "Slovacchia",
      "Slovakiet", "Slovakien"},
     SailingArea::Slovakia},
};
constexpr int CountryCount = int(std::size(Countries));
static_assert(CountryCount == TSailingAreaModel::RootKind);

const TLanguageStrings RootName = {"All available inland Europe",
                                   "Alle beschikbare binnenwateren van Europa",
                                   "Alle verfügbaren Binnengewässer Europas",
                                   "Toutes les voies navigables d'Europe disponibles",
                                   "Todas las vías navegables de Europa disponibles",
                                   "Tutte le acque interne europee disponibili",
                                   "Alle tilgængelige indre vandveje i Europa",
                                   "Alla tillgängliga inre vattenvägar i Europa"};

constexpr uint16_t AllCountries = 0x3FFF;
const QString KeySailingArea = QStringLiteral("Desktop\\SailingArea");

}  // namespace

// ---- model -------------------------------------------------------------------------------

int TSailingAreaModel::Bit(int kind) {
    return Countries[kind].Bit;
}

QString TSailingAreaModel::Name(int kind) {
    return LanguageText(kind == RootKind ? RootName : Countries[kind].Name);
}

TSailingAreaModel::TSailingAreaModel(uint16_t areas, QObject *parent)
    : QAbstractItemModel(parent), FAreas(areas & AllCountries) {
    for (int kind = 0; kind < CountryCount; ++kind) FOrder.push_back(kind);
    SetLanguage();
}

void TSailingAreaModel::SetLanguage() {
    emit layoutAboutToBeChanged();
    const QModelIndexList before = persistentIndexList();
    std::vector<int> kinds;
    for (const QModelIndex &i : before) kinds.push_back(int(i.internalId()));
    std::stable_sort(FOrder.begin(), FOrder.end(), [](int a, int b) {
        return QString::compare(Name(a), Name(b), Qt::CaseInsensitive) < 0;
    });
    QModelIndexList after;
    for (int kind : kinds) after << (kind == RootKind ? RootIndex() : CountryIndex(kind));
    changePersistentIndexList(before, after);
    emit layoutChanged();
}

QModelIndex TSailingAreaModel::CountryIndex(int kind) const {
    const auto it = std::find(FOrder.begin(), FOrder.end(), kind);
    if (it == FOrder.end()) return {};
    return createIndex(int(it - FOrder.begin()), 0, quintptr(kind));
}

QModelIndex TSailingAreaModel::index(int row, int column, const QModelIndex &parent) const {
    if (column != 0 || row < 0) return {};
    if (!parent.isValid()) return row == 0 ? RootIndex() : QModelIndex();
    if (parent.internalId() != RootKind || row >= CountryCount) return {};
    return createIndex(row, 0, quintptr(FOrder[size_t(row)]));
}

QModelIndex TSailingAreaModel::parent(const QModelIndex &child) const {
    if (!child.isValid() || child.internalId() == RootKind) return {};
    return RootIndex();
}

int TSailingAreaModel::rowCount(const QModelIndex &parent) const {
    if (!parent.isValid()) return 1;
    if (parent.column() == 0 && parent.internalId() == RootKind) return CountryCount;
    return 0;
}

int TSailingAreaModel::columnCount(const QModelIndex &) const {
    return 1;
}

Qt::CheckState TSailingAreaModel::RootState() const {
    if (FAreas == 0) return Qt::Unchecked;
    return FAreas == AllCountries ? Qt::Checked : Qt::PartiallyChecked;
}

QVariant TSailingAreaModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid()) return {};
    const int kind = int(index.internalId());
    if (role == Qt::DisplayRole) return Name(kind);
    if (role == Qt::CheckStateRole) {
        if (kind == RootKind) return RootState();
        return (FAreas & (1u << Bit(kind))) ? Qt::Checked : Qt::Unchecked;
    }
    return {};
}

bool TSailingAreaModel::setData(const QModelIndex &index, const QVariant &value, int role) {
    if (!index.isValid() || role != Qt::CheckStateRole) return false;
    const int kind = int(index.internalId());
    const bool on = value.toInt() != Qt::Unchecked;
    if (kind == RootKind) {
        // A click on a partly checked root checks everything, as the tree's tri-state does.
        FAreas = on ? AllCountries : 0;
        emit dataChanged(this->index(0, 0, RootIndex()),
                         this->index(CountryCount - 1, 0, RootIndex()), {Qt::CheckStateRole});
    } else {
        const uint16_t bit = uint16_t(1u << Bit(kind));
        FAreas = on ? (FAreas | bit) : (FAreas & ~bit);
        emit dataChanged(index, index, {Qt::CheckStateRole});
    }
    const QModelIndex root = RootIndex();
    emit dataChanged(root, root, {Qt::CheckStateRole});
    return true;
}

Qt::ItemFlags TSailingAreaModel::flags(const QModelIndex &index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable;
}

// ---- dialog ------------------------------------------------------------------------------

TFormSettingsSailingArea::TFormSettingsSailingArea(TMarivoNavEnv &env, uint16_t areas,
                                                   QWidget *parent)
    : TFormSettingsDialog(4015, parent), LabelSailingArea(SettingsHeading(this)),
      ListView(new QTreeView(this)), LabelS57ChartFolder(new QLabel(this)),
      EditS57ChartFolder(new QLineEdit(this)), ButtonBrowse(new QPushButton(this)),
      CheckAutoUpdates(new QCheckBox(this)), FEnv(env),
      FModel(new TSailingAreaModel(areas, this)) {
    setWindowFlags(windowFlags() & ~Qt::MSWindowsFixedSizeDialogHint);
    setMinimumSize(459, 500);
    // The download client answers through the dispatcher; the dialog asks it nothing, so
    // its handler has nothing to do, but the client lives as long as the dialog.
    FDispatcher = FEnv.CoreEnv->GetDispatcher();
    FChartCheck = CreateS57ChartCheck(FDispatcher, QString(), MakeVersion(1, 0, 0, 0));
    FDispatcher->Subscribe(&TFormSettingsSailingArea::DispatcherHandler, this);
    FLoadedFolder = GetIENCFolder(DefaultIENCFolder());
    EditS57ChartFolder->setText(FLoadedFolder);
    EditS57ChartFolder->setReadOnly(true);
    // Its state was never kept, so it is not offered.
    CheckAutoUpdates->hide();

    ListView->setModel(FModel);
    ListView->setHeaderHidden(true);
    ListView->setUniformRowHeights(true);
    ListView->setStyleSheet(QStringLiteral("QTreeView::item { height: 22px; }"));
    ListView->expand(FModel->RootIndex());
    ButtonBrowse->setAutoDefault(false);
    connect(ButtonBrowse, &QPushButton::clicked, this,
            &TFormSettingsSailingArea::ButtonBrowseClick);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(LabelSailingArea);
    layout->addWidget(ListView, 1);
    auto *folder = new QHBoxLayout;
    folder->addWidget(LabelS57ChartFolder);
    folder->addWidget(EditS57ChartFolder, 1);
    folder->addWidget(ButtonBrowse);
    layout->addLayout(folder);
    layout->addWidget(CheckAutoUpdates);
    layout->addLayout(ButtonRow());
    SetLanguage();
    ScaleConstraints();
}

TFormSettingsSailingArea::~TFormSettingsSailingArea() {
    FDispatcher->Unsubscribe(&TFormSettingsSailingArea::DispatcherHandler, this);
    ObjectDelete(FChartCheck);
}

QString TFormSettingsSailingArea::DefaultIENCFolder() {
    QString documents;
    GetSpecialFolderPath(KvSpecialFolder::Documents, documents);
    // The library gives the folder without a closing separator: without one added here the
    // default would be a sibling named "…DocumentsIENC".
    if (!documents.isEmpty() && !documents.endsWith(QLatin1Char('/')))
        documents += QLatin1Char('/');
    return documents + QStringLiteral("IENC/");
}

void TFormSettingsSailingArea::SetLanguage() {
    setWindowTitle(LanguageText(Txt::SailingArea));
    LabelSailingArea->setText(LanguageText(Txt::SailingArea));
    ButtonBrowse->setText(LanguageText(Txt::Browse));
    CheckAutoUpdates->setText(LanguageText(Txt::AutoUpdates));
    LabelS57ChartFolder->setText(ColonCaption(Txt::BaseFolder));
    SetButtonCaptions();
    FModel->SetLanguage();
}

void TFormSettingsSailingArea::ButtonBrowseClick() {
    TBrowseFolderDialog dialog;
    dialog.Folder = EditS57ChartFolder->text();
    dialog.Kind = bkSave;
    dialog.Title = LanguageText(Txt::BrowseTitle);
    if (dialog.Execute()) EditS57ChartFolder->setText(dialog.Folder);
}

void TFormSettingsSailingArea::CloseQuery(bool ok) {
    // A folder chosen and then cancelled is not kept.
    if (ok && EditS57ChartFolder->text() != FLoadedFolder)
        SetIENCFolder(EditS57ChartFolder->text());
}

void TFormSettingsSailingArea::DispatcherHandler(void *, TNavNotification *) {
    // The client's completion (134) among others: nothing of it is shown here.
}

bool TFormSettingsSailingArea::Execute(TMarivoNavEnv &env, uint16_t &areas, QWidget *parent) {
    TFormSettingsSailingArea form(env, areas, parent);
    if (Run(form, TSettingsPrompter<TFormSettingsSailingArea>::Get()) != QDialog::Accepted) return false;
    const uint16_t chosen = form.CollectCountries();
    if (chosen != areas || !RegKeyExists(GetAppReg(), AppRegRoot::Product, KeySailingArea)) {
        areas = chosen;
        env.SetSailingAreas(chosen);
    }
    return true;
}
