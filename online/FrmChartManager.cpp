#include "online/FrmChartManager.h"

#include "base/charts/KvCharts.h"
#include "base/help/KvHTMLHelp.h"
#include "base/registry/KvRegistry.h"
#include "base/strings/KvStrUtils.h"
#include "base/texts/KvLanguage.h"
#include "base/texts/KvStr.h"
#include "base/units/KvUnitsTime.h"
#include "chartview/ChartNames.h"
#include "online/FrmS57ChartFolderManager.h"
#include "online/FrmWizardInstallCharts.h"
#include "online/S57FolderList.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvLib.h>
#include <KvLibNav6/KvUnits.h>

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QScreen>
#include <QShortcut>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

namespace {

const TLanguageStrings TextCaption = {"Chart manager", "Kaartbeheer", "Kartenverwaltung",
                                      "Gestionnaire de cartes", "Gestor de cartas", "Gestione carte",
                                      "Korthåndtering", "Sjökortshanterare"};
const TLanguageStrings TextClose = {"Close", "Sluiten", "Schließen", "Fermer", "Cerrar", "Chiudi",
                                    "Luk", "Stäng"};
const TLanguageStrings TextDownload = {"Download charts...", "Kaarten downloaden...",
                                       "Karten herunterladen...", "Télécharger des cartes...",
                                       "Descargar cartas...", "Scarica carte...", "Hent kort...",
                                       "Hämta sjökort..."};
const TLanguageStrings TextS57Folders = {"S57 folders...", "S57 mappen...", "S57 Ordner...",
                                         "Dossiers S57...", "Carpetas S57...", "Cartelle S57...",
                                         "S57-mapper...", "S57-mappar..."};
const TLanguageStrings TextTotal = {"Total number", "Totaal aantal", "Gesamtzahl", "Nombre total",
                                    "Número total", "Numero totale", "Samlet antal", "Totalt antal"};
const TLanguageStrings TextSelected = {"selected", "geselecteerd", "ausgewählt", "sélectionnées",
                                       "seleccionadas", "selezionate", "valgt", "valda"};
const TLanguageStrings TextCharts = {"Charts", "Kaarten", "Karten", "Cartes", "Cartas", "Carte",
                                     "Kort", "Sjökort"};
const TLanguageStrings TextCount = {"Count", "Aantal", "Anzahl", "Nombre", "Cantidad", "Numero",
                                    "Antal", "Antal"};
const TLanguageStrings TextScale = {"Scale", "Schaal", "Maßstab", "Échelle", "Escala", "Scala",
                                    "Målestok", "Skala"};
const TLanguageStrings TextUpdated = {"Updated", "Bijgewerkt", "Aktualisiert", "Mis à jour",
                                      "Actualizado", "Aggiornato", "Opdateret", "Uppdaterad"};
const TLanguageStrings TextNoCharts = {"< No charts installed >", "< Geen kaarten geïnstalleerd >",
                                       "< Keine Karten installiert >", "< Aucune carte installée >",
                                       "< No hay cartas instaladas >", "< Nessuna carta installata >",
                                       "< Ingen kort installeret >", "< Inga sjökort installerade >"};
const TLanguageStrings TextS57Charts = {"S57 charts", "S57 kaarten", "S57 Karten", "Cartes S57",
                                        "Cartas S57", "Carte S57", "S57-kort", "S57-sjökort"};
const TLanguageStrings TextMRC1 = {"MRC1 charts", "MRC1 kaarten", "MRC1 Karten", "Cartes MRC1",
                                   "Cartas MRC1", "Carte MRC1", "MRC1-kort", "MRC1-sjökort"};
const TLanguageStrings TextBSB = {"BSB charts", "BSB kaarten", "BSB Karten", "Cartes BSB",
                                  "Cartas BSB", "Carte BSB", "BSB-kort", "BSB-sjökort"};
const TLanguageStrings TextUser = {"MRC Builder charts", "MRC Builder kaarten", "MRC Builder Karten",
                                   "Cartes MRC Builder", "Cartas MRC Builder", "Carte MRC Builder",
                                   "MRC Builder-kort", "MRC Builder-sjökort"};

const TLanguageStrings TextENCDownload = {
    "Click for an overview of free to download ENC charts.", "Klik voor een overzicht van gratis te downloaden ENC-kaarten.",
    "Klicken Sie f\u00FCr eine \u00DCbersicht kostenlos herunterladbarer ENC-Karten.",
    "Cliquez pour un aper\u00E7u des cartes ENC t\u00E9l\u00E9chargeables gratuitement.",
    "Haga clic para ver las cartas ENC de descarga gratuita.", "Fare clic per le carte ENC scaricabili gratuitamente.",
    "Klik for en oversigt over gratis ENC-kort.", "Klicka f\u00F6r en \u00F6versikt \u00F6ver gratis ENC-sj\u00F6kort."};

const QString BaseMapName = QStringLiteral("ESRI World Topo Map");
const QString Attribution = QStringLiteral(
    "Sources: Esri, HERE, DeLorme, Intermap, increment P Corp., GEBCO, USGS, FAO, NPS, NRCAN, "
    "GeoBase, IGN, Kadaster NL, Ordnance Survey, Esri Japan, METI, Esri China (Hong Kong),"
    " swisstopo, MapmyIndia, © OpenStreetMap contributors, and the GIS User Community");
const QString Key = QStringLiteral("Desktop\\ChartManager");
constexpr int HelpContextChartManager = 3003;
constexpr int KindRole = Qt::UserRole;
constexpr int ObjectRole = Qt::UserRole + 1;

TFormChartManager::TPrompter &Prompter() {
    static TFormChartManager::TPrompter prompter;
    return prompter;
}

// Siblings by their Charts text without regard to case; the base map stays on top in
// either direction.
class TChartRow : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem &other) const override {
        const bool ascending = !treeWidget() || treeWidget()->header()->sortIndicatorOrder() == Qt::AscendingOrder;
        const bool mine = TFormChartManager::RowKind(this) == ChartManagerRow::BaseMap;
        const bool theirs = TFormChartManager::RowKind(&other) == ChartManagerRow::BaseMap;
        if (mine != theirs) return mine == ascending;
        return text(0).compare(other.text(0), Qt::CaseInsensitive) < 0;
    }
};

template <class T>
QTreeWidgetItem *AddRow(QTreeWidgetItem *parent, int kind, const QString &text, T *object) {
    auto *row = new TChartRow(parent);
    row->setText(ChartManagerColumn::Charts, text);
    row->setData(0, KindRole, kind);
    row->setData(0, ObjectRole, QVariant::fromValue(quintptr(object)));
    return row;
}

template <class T>
T *RowObject(const QTreeWidgetItem *row) {
    return reinterpret_cast<T *>(row->data(0, ObjectRole).value<quintptr>());
}

void MakeCheckable(QTreeWidgetItem *row, bool tristate) {
    Qt::ItemFlags flags = row->flags() | Qt::ItemIsUserCheckable;
    if (tristate) flags |= Qt::ItemIsAutoTristate;
    row->setFlags(flags);
    if (!tristate) row->setCheckState(0, Qt::Unchecked);
}

QString ProductText(IChartProductInfo *info) {
    const QString code = ChartProductGetCode(info);
    if (code == QString::fromUtf16(ChartProductCode::MRC1)) return LanguageText(TextMRC1);
    if (code == QString::fromUtf16(ChartProductCode::BSB)) return LanguageText(TextBSB);
    if (code == QString::fromUtf16(ChartProductCode::User)) return LanguageText(TextUser);
    const QString title = ChartProductGetTitle(info);
    return title.isEmpty() ? code : title;
}

QString DateText(TDateTime value, bool withTime) {
    return FormatDateTime(withTime ? QStringLiteral("ddddd tt") : QStringLiteral("ddddd"), 1, value);
}

// The attribution is one long sentence; its row shows it over several lines.
QString Wrapped(const QString &text, const QFontMetrics &metrics, int width) {
    QString out, line;
    for (const QString &word : text.split(u' ')) {
        if (!line.isEmpty() && metrics.horizontalAdvance(line + u' ' + word) > width) {
            out += line + u'\n';
            line.clear();
        }
        line += line.isEmpty() ? word : u' ' + word;
    }
    return out + line;
}

// The parts of a folder's real path: a folder listed as "a/../b" or through a link holds
// the same charts as its real path. Compared part by part, "/x/A" never holds "/x/AB".
QStringList FolderParts(const QString &folder) {
    static const QRegularExpression separators(QStringLiteral("[\\\\/]"));
    const QString real = QFileInfo(folder).canonicalFilePath();
    return (real.isEmpty() ? QDir::cleanPath(folder) : real).split(separators, Qt::SkipEmptyParts);
}

TS57FolderHit FolderHit(IChartManager *manager, int32_t index, const QString &folder, bool excluded) {
    TS57FolderHit hit{index, folder, excluded, false, {}};
    QString cc, region, water;
    ChartManagerGetS57FolderInfo(manager, index, cc, region, water);
    hit.IsIENCSet = !cc.isEmpty();
    if (!hit.IsIENCSet) return hit;
    QStringList parts;
    for (const QString &part : {cc, region, water})
        if (!part.isEmpty()) parts << part;
    hit.Identity = parts.join(QStringLiteral(", "));
    return hit;
}

int ChildCharts(const QTreeWidgetItem *row) {
    int n = 0;
    for (int i = 0; i < row->childCount(); ++i) {
        const QTreeWidgetItem *child = row->child(i);
        n += child->childCount() ? ChildCharts(child) : 1;
    }
    return n;
}

}  // namespace

TS57FolderHit TFormChartManager::FindS57Folder(IChartManager *manager, const QString &chartFolder) {
    TS57FolderHit hit;
    if (!manager) return hit;
    const QStringList chartParts = FolderParts(chartFolder);
    qsizetype best = 0;
    for (int32_t i = 0; i < manager->GetS57FolderCount(); ++i) {
        QString folder;
        bool excluded = false, withSubfolders = false;
        ChartManagerGetS57Folder(manager, i, folder, excluded, withSubfolders);
        const QStringList parts = FolderParts(folder);
        if (parts == chartParts) return FolderHit(manager, i, folder, excluded);
        if (parts.size() <= best || parts.size() > chartParts.size() || chartParts.mid(0, parts.size()) != parts) continue;
        best = parts.size();
        hit = FolderHit(manager, i, folder, excluded);
    }
    return hit;
}

TFormChartManager::TFormChartManager(IChartManager *manager, int32_t viewerIndex, const QString &title,
                                     bool baseMapOn, QWidget *owner, const TChartManagerServices &services)
    : TFormScaled(owner), FManager(manager), FServices(services), FViewerIndex(viewerIndex), FTitle(title),
      FSelectedCharts(SortedGUIDArrayCreate()), FNewlySelectedCharts(SortedGUIDArrayCreate()) {
    setObjectName(QStringLiteral("FormChartManager"));
    setMinimumSize(692, 498);
    auto *layout = new QVBoxLayout(this);
    ListViewCharts = new QTreeWidget(this);
    ListViewCharts->setObjectName(QStringLiteral("ListViewCharts"));
    ListViewCharts->setColumnCount(5);
    ListViewCharts->setColumnWidth(ChartManagerColumn::Charts, 282);
    ListViewCharts->setColumnWidth(ChartManagerColumn::Count, 60);
    ListViewCharts->setColumnWidth(ChartManagerColumn::Scale, 70);
    ListViewCharts->setColumnWidth(ChartManagerColumn::Updated, 125);
    ListViewCharts->setColumnHidden(ChartManagerColumn::TC, true);
    ListViewCharts->setWordWrap(true);
    ListViewCharts->header()->setSortIndicatorShown(true);
    layout->addWidget(ListViewCharts, 1);
    auto *counts = new QHBoxLayout;
    LabelChartsTotal = new QLabel(this);
    LabelChartsTotalValue = new QLabel(this);
    LabelChartsSelected = new QLabel(this);
    LabelChartsSelectedValue = new QLabel(this);
    LabelChartsTotalValue->setObjectName(QStringLiteral("LabelChartsTotalValue"));
    LabelChartsSelectedValue->setObjectName(QStringLiteral("LabelChartsSelectedValue"));
    counts->addStretch(1);
    for (QLabel *l : {LabelChartsTotal, LabelChartsTotalValue, LabelChartsSelected, LabelChartsSelectedValue})
        counts->addWidget(l);
    layout->addLayout(counts);
    auto *buttons = new QHBoxLayout;
    ButtonHelp = new QPushButton(this);
    ButtonDownload = new QPushButton(this);
    ButtonS57Folders = new QPushButton(this);
    ButtonClose = new QPushButton(this);
    ButtonDownload->setObjectName(QStringLiteral("ButtonDownload"));
    // The wizard needs the account; without one there is nothing to download from.
    ButtonDownload->setEnabled(FManager && FServices.Account && FServices.Dispatcher);
    ButtonS57Folders->setEnabled(FManager != nullptr);
    ButtonS57Folders->hide();
    LabelENCDownload = new QLabel(this);
    LabelENCDownload->hide();
    ButtonClose->setDefault(true);
    buttons->addWidget(ButtonHelp);
    buttons->addWidget(ButtonDownload);
    buttons->addWidget(ButtonS57Folders);
    buttons->addStretch(1);
    buttons->addWidget(ButtonClose);
    layout->addLayout(buttons);
    auto *f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, ButtonHelp, &QPushButton::click);
    connect(ButtonHelp, &QPushButton::clicked, this, [] { GetHTMLHelper().HelpContext(HelpContextChartManager); });
    connect(ButtonClose, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonDownload, &QPushButton::clicked, this, &TFormChartManager::ButtonDownloadClick);
    connect(ButtonS57Folders, &QPushButton::clicked, this, &TFormChartManager::ButtonS57FoldersClick);
    connect(ListViewCharts, &QTreeWidget::itemChanged, this, &TFormChartManager::ItemChanged);
    if (FServices.Dispatcher) FServices.Dispatcher->Subscribe(&TFormChartManager::RepaintOnNotification, this);
    if (FManager) FManager->GetSelectedCharts(FSelectedCharts, FViewerIndex);
    RestorePlacement();
    UpdateTexts();
    BuildTree();
    ApplyCheckStates(baseMapOn);
    UpdateCounts();
    ScaleConstraints();
}

TFormChartManager::~TFormChartManager() {
    if (FServices.Dispatcher) FServices.Dispatcher->Unsubscribe(&TFormChartManager::RepaintOnNotification, this);
    int32_t err = 0;
    RegWriteInteger(GetAppReg(), AppRegRoot::Product, Key, RegName(u"State"),
                    isMaximized() ? int(Qt::WindowMaximized) : 0, err);
    ObjectDelete(FSelectedCharts);
    ObjectDelete(FNewlySelectedCharts);
}

void TFormChartManager::UpdateTexts() {
    setWindowTitle(FTitle.isEmpty() ? LanguageText(TextCaption) : LanguageText(TextCaption) + QStringLiteral(" - ") + FTitle);
    ButtonClose->setText(LanguageText(TextClose));
    ButtonHelp->setText(LanguageText(KvStr::BtnHelp) + QStringLiteral(" (F1)"));
    ButtonDownload->setText(LanguageText(TextDownload));
    ButtonS57Folders->setText(LanguageText(TextS57Folders));
    LabelChartsTotal->setText(LanguageText(TextTotal) + u':');
    LabelChartsSelected->setText(LanguageText(TextSelected) + u':');
    LabelENCDownload->setText(LanguageText(TextENCDownload));
    ListViewCharts->setHeaderLabels({LanguageText(TextCharts), QStringLiteral("TC"), LanguageText(TextCount),
                                     LanguageText(TextScale), LanguageText(TextUpdated)});
}

int TFormChartManager::RowKind(const QTreeWidgetItem *item) { return item ? item->data(0, KindRole).toInt() : -1; }

void TFormChartManager::BuildTree() {
    FUpdating = true;
    ListViewCharts->setSortingEnabled(false);
    ListViewCharts->clear();
    QTreeWidgetItem *root = ListViewCharts->invisibleRootItem();
    QTreeWidgetItem *baseMap = AddRow<void>(root, ChartManagerRow::BaseMap, BaseMapName, nullptr);
    MakeCheckable(baseMap, false);
    AddRow<void>(baseMap, ChartManagerRow::Attribution,
                 Wrapped(Attribution, ListViewCharts->fontMetrics(), 560), nullptr)
        ->setToolTip(0, Attribution);
    if (FManager) {
        AddProducts();
        AddS57Charts();
    }
    const bool empty = root->childCount() == 1;
    if (empty) AddRow<void>(root, ChartManagerRow::NoCharts, LanguageText(TextNoCharts), nullptr);
    ListViewCharts->setRootIsDecorated(!empty);
    for (QTreeWidgetItemIterator it(ListViewCharts); *it; ++it) {
        const int kind = RowKind(*it);
        if (kind == ChartManagerRow::NoCharts || kind == ChartManagerRow::Product || kind == ChartManagerRow::S57Group) {
            QFont font = (*it)->font(0);
            font.setBold(true);
            (*it)->setFont(0, font);
        }
        if (kind == ChartManagerRow::Attribution) (*it)->setFirstColumnSpanned(true);
    }
    ListViewCharts->setSortingEnabled(true);
    ListViewCharts->sortByColumn(ChartManagerColumn::Charts, Qt::AscendingOrder);
    FUpdating = false;
    UpdateCounts();
}

void TFormChartManager::AddProducts() {
    QTreeWidgetItem *root = ListViewCharts->invisibleRootItem();
    for (int32_t p = FManager->GetProductCount() - 1; p >= 0; --p) {
        IChartProduct *product = FManager->GetProduct(p);
        QTreeWidgetItem *productRow = AddRow(root, ChartManagerRow::Product, ProductText(product->GetInfo()), product);
        int productCount = 0;
        for (int32_t s = product->GetChartSetCount() - 1; s >= 0; --s) {
            IChartSet *set = product->GetChartSet(s);
            if (!set->IsActive()) continue;
            const QString title = ChartSetGetTitle(set);
            QTreeWidgetItem *setRow =
                AddRow(productRow, ChartManagerRow::ChartSet, title.isEmpty() ? ChartSetGetCode(set) : title, set);
            for (int32_t e = set->GetEntryCount() - 1; e >= 0; --e) {
                IChartCatalogueEntry *entry = set->GetEntry(e);
                IRasterChart *raster = entry ? entry->GetCatalogueObject()->GetRasterChart() : nullptr;
                if (!raster) continue;
                QTreeWidgetItem *row = AddRow(setRow, ChartManagerRow::RasterChart, ChartDisplayName(raster), raster);
                MakeCheckable(row, false);
                row->setText(ChartManagerColumn::Scale, RasterChartInfoGetOriginalScale(raster->GetInfo()));
                IRasterChartUpdateInfo *update = raster->GetUpdateInfo();
                const TDateTime updated = update ? update->GetUpdateTime() : 0.0;
                const TDateTime shown = updated != 0.0 ? GetLocalDateTime(updated) : entry->GetDate();
                // A chart without any date shows none rather than the calendar's day zero.
                if (shown != 0.0) row->setText(ChartManagerColumn::Updated, DateText(shown, true));
            }
            if (setRow->childCount() == 0) {
                delete setRow;
                continue;
            }
            MakeCheckable(setRow, true);
            const int count = set->GetInfo() ? set->GetInfo()->GetChartCount() : setRow->childCount();
            setRow->setText(ChartManagerColumn::Count, QString::number(count));
            productCount += count;
        }
        if (productRow->childCount() == 0) {
            delete productRow;
            continue;
        }
        MakeCheckable(productRow, true);
        productRow->setText(ChartManagerColumn::Count, QString::number(productCount));
    }
}

void TFormChartManager::AddS57Charts() {
    QTreeWidgetItem *group = nullptr;
    QTreeWidgetItem *folderRow = nullptr;
    QString lastChartFolder;
    TS57FolderHit folder;
    bool first = true;
    for (int32_t i = 0; i < FManager->GetChartCount(); ++i) {
        IChart *chart = FManager->GetChart(i);
        if (!chart || chart->IsHiddenInManager()) continue;
        if (!group) group = AddRow<void>(ListViewCharts->invisibleRootItem(), ChartManagerRow::S57Group,
                                         LanguageText(TextS57Charts), nullptr);
        const QString chartFolder = ChartGetFolder(chart);
        if (first || chartFolder != lastChartFolder) {
            const TS57FolderHit hit = FindS57Folder(FManager, chartFolder);
            // Charts outside every listed folder are grouped by their own folder.
            const QString key = hit.Index >= 0 ? hit.Folder : chartFolder;
            const QString lastKey = folder.Index >= 0 ? folder.Folder : lastChartFolder;
            if (!hit.Excluded && (first || key != lastKey || !folderRow)) {
                const QString shown = ShortenFileName(chartFolder, ListViewCharts->fontMetrics(), 270);
                folderRow = AddRow<void>(group, ChartManagerRow::S57Folder, shown, nullptr);
                folderRow->setToolTip(0, hit.IsIENCSet ? chartFolder + u'\n' + hit.Identity : chartFolder);
                folderRow->setText(ChartManagerColumn::TC, hit.Identity);
                MakeCheckable(folderRow, true);
            }
            folder = hit;
            lastChartFolder = chartFolder;
            first = false;
        }
        if (folder.Excluded) continue;
        QTreeWidgetItem *row = AddRow(folderRow, ChartManagerRow::S57Chart, QFileInfo(ChartGetFileName(chart)).completeBaseName(), chart);
        MakeCheckable(row, false);
        row->setText(ChartManagerColumn::Scale, QStringLiteral("1:") + QString::number(chart->GetScale()));
        row->setText(ChartManagerColumn::Updated, DateText(chart->GetIssueDate(), false));
    }
    if (!group) return;
    for (int i = group->childCount() - 1; i >= 0; --i)
        if (group->child(i)->childCount() == 0) delete group->child(i);
    if (group->childCount() == 0) {
        delete group;
        return;
    }
    MakeCheckable(group, true);
    group->setText(ChartManagerColumn::Count, QString::number(ChildCharts(group)));
    for (int i = 0; i < group->childCount(); ++i)
        group->child(i)->setText(ChartManagerColumn::Count, QString::number(group->child(i)->childCount()));
}

void TFormChartManager::ApplyCheckStates(bool baseMapOn) {
    FUpdating = true;
    const uint32_t mask = 1u << FViewerIndex;
    for (QTreeWidgetItemIterator it(ListViewCharts); *it; ++it) {
        QTreeWidgetItem *row = *it;
        bool on = false;
        switch (RowKind(row)) {
        case ChartManagerRow::RasterChart:
            on = FSelectedCharts->Contains(*RowObject<IRasterChart>(row)->GetInfo()->GetGUID());
            break;
        case ChartManagerRow::S57Chart: on = RowObject<IChart>(row)->IsVisibleIn(mask); break;
        case ChartManagerRow::BaseMap: on = baseMapOn; break;
        default: continue;
        }
        row->setCheckState(0, on ? Qt::Checked : Qt::Unchecked);
    }
    FUpdating = false;
}

bool TFormChartManager::BaseMapOn() const {
    for (int i = 0; i < ListViewCharts->topLevelItemCount(); ++i)
        if (RowKind(ListViewCharts->topLevelItem(i)) == ChartManagerRow::BaseMap)
            return ListViewCharts->topLevelItem(i)->checkState(0) == Qt::Checked;
    return false;
}

void TFormChartManager::ItemChanged(QTreeWidgetItem *item, int column) {
    if (FUpdating || column != 0) return;
    const bool on = item->checkState(0) == Qt::Checked;
    const int kind = RowKind(item);
    if (kind == ChartManagerRow::RasterChart) {
        const TGUID guid = *RowObject<IRasterChart>(item)->GetInfo()->GetGUID();
        if (FSelectedCharts->Contains(guid) == on) return;
        if (on) {
            FSelectedCharts->Add(guid);
            FNewlySelectedCharts->Add(guid);
        } else {
            FSelectedCharts->Remove(guid);
            FNewlySelectedCharts->Remove(guid);
        }
    } else if (kind == ChartManagerRow::S57Chart) {
        IChart *chart = RowObject<IChart>(item);
        if (chart->IsVisibleIn(1u << FViewerIndex) == on) return;
        chart->SetVisibleInViewer(FViewerIndex, on);
        if (on)
            FSelectedCharts->Add(*chart->GetGUID());
        else
            FSelectedCharts->Remove(*chart->GetGUID());
    } else {
        return;
    }
    FChanged = true;
    // The count follows every check; a stale figure would misreport what the viewer shows.
    UpdateCounts();
}

void TFormChartManager::UpdateCounts() {
    const int total = FManager ? FManager->GetRasterChartCount() + FManager->GetChartCount() : 0;
    LabelChartsTotalValue->setText(u' ' + QString::number(total) + u' ');
    LabelChartsSelectedValue->setText(u' ' + QString::number(FSelectedCharts->GetCount()) + u' ');
}

void TFormChartManager::WritePlacement() {
    int32_t err = 0;
    if (isMaximized()) return;
    RegWriteInteger(GetAppReg(), AppRegRoot::Product, Key, RegName(u"Width"), width(), err);
    RegWriteInteger(GetAppReg(), AppRegRoot::Product, Key, RegName(u"Height"), height(), err);
}

void TFormChartManager::done(int result) {
    if (FManager) {
        FManager->SetSelectedCharts(FViewerIndex, FSelectedCharts);
        FManager->SetNewlySelectedCharts(FViewerIndex, FNewlySelectedCharts);
    }
    WritePlacement();
    TFormScaled::done(result);
}

TFormChartManager::TPrompter TFormChartManager::SetPrompter(TPrompter prompter) {
    TPrompter previous = std::move(Prompter());
    Prompter() = std::move(prompter);
    return previous;
}

int TFormChartManager::Prompt(TFormChartManager &form) { return Prompter() ? Prompter()(form) : form.exec(); }

void TFormChartManager::Execute(IChartManager *manager, const QString &title, int32_t viewerIndex, bool &changed,
                                bool &baseMapOn, int32_t /*mode*/, const TChartManagerServices &services,
                                bool openDownload) {
    TFormChartManager form(manager, viewerIndex, title, baseMapOn, nullptr, services);
    if (openDownload) form.ButtonDownloadClick();
    Prompt(form);
    baseMapOn = form.BaseMapOn();
    changed = changed || form.Changed();
}

bool TFormChartManager::Execute(IChartManager *manager, int32_t viewerIndex, const QString &title, bool &baseMapOn) {
    bool changed = false;
    Execute(manager, title, viewerIndex, changed, baseMapOn, 0, {});
    return changed;
}

void TFormChartManager::RestorePlacement() {
    const int width = RegReadIntegerDef(GetAppReg(), AppRegRoot::Product, Key, RegName(u"Width"), minimumWidth());
    const int height = RegReadIntegerDef(GetAppReg(), AppRegRoot::Product, Key, RegName(u"Height"), minimumHeight());
    resize(qMax(width, minimumWidth()), qMax(height, minimumHeight()));
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    // A dialog that opened minimised could not be seen: it comes back normal.
    if (RegReadIntegerDef(GetAppReg(), AppRegRoot::Product, Key, RegName(u"State"), 0) == Qt::WindowMaximized)
        setWindowState(Qt::WindowMaximized);
}

void TFormChartManager::RepaintOnNotification(void *data, TNavNotification *n) {
    if (n->Code != NavNotify::AccountRequestDone) return;
    static_cast<TFormChartManager *>(data)->ListViewCharts->viewport()->update();
}

void TFormChartManager::RebuildKeepingBaseMap() {
    const bool baseMap = BaseMapOn();
    if (FManager) FManager->GetSelectedCharts(FSelectedCharts, FViewerIndex);
    BuildTree();
    ApplyCheckStates(baseMap);
}

void TFormChartManager::ButtonDownloadClick() {
    if (!ButtonDownload->isEnabled()) return;
    TFormWizardInstallCharts::Execute(FManager, FServices.Account, FServices.Dispatcher);
    // Sets may have come or gone: the viewer has to look again.
    FChanged = true;
    RebuildKeepingBaseMap();
}

void TFormChartManager::ButtonS57FoldersClick() {
    if (!FManager) return;
    TS57ChartFolderList list = S57FolderListFromManager(FManager);
    TFormS57ChartFolderManager::Execute(list, FServices.Dispatcher, FServices.Account, FServices.SailingAreas);
    setEnabled(false);
    const bool changed = ApplyS57FolderList(FManager, list, FServices.S57Registrar, FServices.S52Library, this);
    setEnabled(true);
    if (!changed) return;
    FChanged = true;
    RebuildKeepingBaseMap();
}
