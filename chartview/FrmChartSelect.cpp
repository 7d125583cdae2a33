#include "chartview/FrmChartSelect.h"

#include "base/charts/KvCharts.h"
#include "base/registry/KvRegistry.h"
#include "base/texts/KvLanguage.h"
#include "base/texts/KvStr.h"
#include "chartview/ChartNames.h"

#include <KvLibNav6/KvAppReg.h>

#include <QFont>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const TLanguageStrings TextCaption = {"Select chart", "Selecteer kaart", "Karte auswählen",
                                      "Sélectionner une carte", "Seleccionar carta",
                                      "Seleziona carta", "Vælg kort", "Välj sjökort"};
const TLanguageStrings TextSearch = {"Search", "Zoeken", "Suchen", "Rechercher", "Buscar",
                                     "Cerca", "Søg", "Sök"};
const TLanguageStrings TextName = {"Name", "Naam", "Name", "Nom", "Nombre", "Nome", "Navn", "Namn"};
const TLanguageStrings TextS57Charts = {"S57 charts", "S57 kaarten", "S57 Karten", "Cartes S57",
                                        "Cartas S57", "Carte S57", "S57-kort", "S57-sjökort"};

const QString Key = QStringLiteral("Desktop\\ChartSelect");

TFormChartSelect::TPrompter &Prompter() {
    static TFormChartSelect::TPrompter prompter;
    return prompter;
}

TChartSelectNode *AddNode(TChartSelectNode &parent, const QString &text) {
    parent.Nodes.push_back(std::make_unique<TChartSelectNode>());
    TChartSelectNode *node = parent.Nodes.back().get();
    node->Text = text;
    node->LowerText = text.toLower();
    node->Parent = &parent;
    return node;
}

void SortTree(TChartSelectNode &node) {
    std::stable_sort(node.Nodes.begin(), node.Nodes.end(), [](const auto &a, const auto &b) {
        return a->Text.compare(b->Text, Qt::CaseInsensitive) < 0;
    });
    for (auto &child : node.Nodes) SortTree(*child);
}

QString TitleOr(const QString &title, const QString &code) { return title.isEmpty() ? code : title; }

}  // namespace

TChartSelectModel::TChartSelectModel(IChartManager *manager, uint32_t mask, QObject *parent)
    : QAbstractItemModel(parent), FRoot(std::make_unique<TChartSelectNode>()) {
    Build(manager, mask);
}

TChartSelectModel::~TChartSelectModel() = default;

void TChartSelectModel::Build(IChartManager *manager, uint32_t mask) {
    if (!manager) return;
    for (int32_t p = manager->GetProductCount() - 1; p >= 0; --p) {
        IChartProduct *product = manager->GetProduct(p);
        IChartProductInfo *info = product->GetInfo();
        TChartSelectNode *productNode =
            AddNode(*FRoot, TitleOr(ChartProductGetTitle(info), ChartProductGetCode(info)));
        productNode->Product = product;
        for (int32_t s = product->GetChartSetCount() - 1; s >= 0; --s) {
            IChartSet *set = product->GetChartSet(s);
            TChartSelectNode *setNode = AddNode(*productNode, TitleOr(ChartSetGetTitle(set), ChartSetGetCode(set)));
            setNode->ChartSet = set;
            for (int32_t e = set->GetEntryCount() - 1; e >= 0; --e) {
                IChartCatalogueEntry *entry = set->GetEntry(e);
                if (!entry || (entry->GetViewerBits() & mask) == 0) continue;
                IRasterChart *raster = entry->GetCatalogueObject()->GetRasterChart();
                AddNode(*setNode, ChartDisplayName(raster))->Entry = entry;
            }
            if (setNode->Nodes.empty()) productNode->Nodes.pop_back();
        }
        if (productNode->Nodes.empty()) FRoot->Nodes.pop_back();
    }
    TChartSelectNode *group = nullptr;
    for (int32_t i = manager->GetChartCount() - 1; i >= 0; --i) {
        IChart *chart = manager->GetChart(i);
        if (!chart || chart->IsHiddenInManager() || !chart->IsVisibleIn(mask)) continue;
        if (!group) group = AddNode(*FRoot, LanguageText(TextS57Charts));
        AddNode(*group, S57ChartDisplayName(chart))->S57Chart = chart;
    }
    SortTree(*FRoot);
}

TChartSelectNode *TChartSelectModel::Node(const QModelIndex &index) const {
    return index.isValid() ? static_cast<TChartSelectNode *>(index.internalPointer()) : nullptr;
}

QModelIndex TChartSelectModel::IndexOfNode(const TChartSelectNode *node) const {
    if (!node || !node->Parent) return {};
    const auto &siblings = node->Parent->Nodes;
    const auto it = std::find_if(siblings.begin(), siblings.end(), [node](const auto &n) { return n.get() == node; });
    return createIndex(int(it - siblings.begin()), 0, const_cast<TChartSelectNode *>(node));
}

QModelIndex TChartSelectModel::index(int row, int column, const QModelIndex &parent) const {
    const TChartSelectNode *p = parent.isValid() ? Node(parent) : FRoot.get();
    if (column != 0 || row < 0 || size_t(row) >= p->Nodes.size()) return {};
    return createIndex(row, 0, p->Nodes[size_t(row)].get());
}

QModelIndex TChartSelectModel::parent(const QModelIndex &child) const {
    const TChartSelectNode *node = Node(child);
    return node && node->Parent != FRoot.get() ? IndexOfNode(node->Parent) : QModelIndex();
}

int TChartSelectModel::rowCount(const QModelIndex &parent) const {
    if (parent.column() > 0) return 0;
    const TChartSelectNode *p = parent.isValid() ? Node(parent) : FRoot.get();
    return int(p->Nodes.size());
}

int TChartSelectModel::columnCount(const QModelIndex &) const { return 1; }

QVariant TChartSelectModel::data(const QModelIndex &index, int role) const {
    const TChartSelectNode *node = Node(index);
    if (!node) return {};
    if (role == Qt::DisplayRole) return node->Text;
    if (role == Qt::FontRole && node->IsBold()) {
        QFont font;
        font.setBold(true);
        return font;
    }
    return {};
}

QVariant TChartSelectModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (section == 0 && orientation == Qt::Horizontal && role == Qt::DisplayRole) return LanguageText(TextName);
    return {};
}

void TChartSelectModel::Filter(const QStringList &words,
                               const std::function<void(const TChartSelectNode &, bool)> &visible) const {
    // Returns whether the node stays visible.
    std::function<bool(const TChartSelectNode &)> pass = [&](const TChartSelectNode &node) {
        bool shown = false;
        if (node.IsChart()) {
            shown = std::all_of(words.begin(), words.end(),
                                [&node](const QString &w) { return node.LowerText.contains(w); });
        } else {
            for (const auto &child : node.Nodes) shown = pass(*child) || shown;
        }
        visible(node, shown);
        return shown;
    };
    for (const auto &node : FRoot->Nodes) pass(*node);
}

// ---- the dialog ----

TFormChartSelect::TFormChartSelect(QWidget *owner, IChartManager *manager, uint32_t mask)
    : TFormScaled(owner), FModel(new TChartSelectModel(manager, mask, this)) {
    setObjectName(QStringLiteral("FormChartSelect"));
    setMinimumSize(360, 400);
    auto *layout = new QVBoxLayout(this);
    TreeCharts = new QTreeView(this);
    TreeCharts->setObjectName(QStringLiteral("TreeCharts"));
    TreeCharts->setModel(FModel);
    TreeCharts->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TreeCharts->header()->setStretchLastSection(true);
    layout->addWidget(TreeCharts, 1);
    auto *search = new QHBoxLayout;
    LabelSearch = new QLabel(this);
    EditSearch = new QLineEdit(this);
    EditSearch->setObjectName(QStringLiteral("EditSearch"));
    LabelSearch->setBuddy(EditSearch);
    search->addWidget(LabelSearch);
    search->addWidget(EditSearch, 1);
    layout->addLayout(search);
    auto *buttons = new QHBoxLayout;
    ButtonHelp = new QPushButton(this);
    ButtonOk = new QPushButton(this);
    ButtonCancel = new QPushButton(this);
    ButtonOk->setDefault(true);
    buttons->addWidget(ButtonHelp);
    buttons->addStretch(1);
    buttons->addWidget(ButtonOk);
    buttons->addWidget(ButtonCancel);
    layout->addLayout(buttons);
    // The dialog has no help topic: the button (and F1) does nothing.
    auto *f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, ButtonHelp, &QPushButton::click);
    connect(ButtonOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(EditSearch, &QLineEdit::textChanged, this, &TFormChartSelect::SearchChanged);
    connect(TreeCharts->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TFormChartSelect::UpdateOkButton);
    connect(TreeCharts, &QTreeView::clicked, this, &TFormChartSelect::UpdateOkButton);
    connect(TreeCharts, &QTreeView::doubleClicked, this, &TFormChartSelect::TreeDoubleClicked);
    const int width = RegReadIntegerDef(GetAppReg(), AppRegRoot::Product, Key, RegName(u"Width"), minimumWidth());
    const int height = RegReadIntegerDef(GetAppReg(), AppRegRoot::Product, Key, RegName(u"Height"), minimumHeight());
    resize(width, height);
    UpdateTexts();
    UpdateOkButton();
    ScaleConstraints();
}

TFormChartSelect::~TFormChartSelect() = default;

void TFormChartSelect::UpdateTexts() {
    setWindowTitle(LanguageText(TextCaption));
    LabelSearch->setText(LanguageText(TextSearch));
    ButtonHelp->setText(LanguageText(KvStr::BtnHelp) + QStringLiteral(" (F1)"));
    ButtonOk->setText(LanguageText(KvStr::BtnOK));
    ButtonCancel->setText(LanguageText(KvStr::BtnCancel));
}

void TFormChartSelect::SetSearchText(const QString &text) { EditSearch->setText(text); }

TChartSelectNode *TFormChartSelect::FocusedNode() const { return FModel->Node(TreeCharts->currentIndex()); }

void TFormChartSelect::UpdateOkButton() {
    const TChartSelectNode *node = FocusedNode();
    ButtonOk->setEnabled(node && node->IsChart());
}

void TFormChartSelect::TreeDoubleClicked(const QModelIndex &index) {
    const TChartSelectNode *node = FModel->Node(index);
    if (node && node->IsChart()) {
        TreeCharts->setCurrentIndex(index);
        accept();
    }
}

void TFormChartSelect::SearchChanged() {
    TreeCharts->selectionModel()->clear();
    TreeCharts->setCurrentIndex({});
    const QStringList words = EditSearch->text().trimmed().toLower().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const TChartSelectNode *first = nullptr;
    FModel->Filter(words, [&](const TChartSelectNode &node, bool shown) {
        const QModelIndex index = FModel->IndexOfNode(&node);
        TreeCharts->setRowHidden(index.row(), index.parent(), !(shown || words.isEmpty()));
        // Only raster charts are focused for the user; chart nodes come in tree order.
        if (!first && shown && node.Entry) first = &node;
    });
    if (words.isEmpty()) {
        TreeCharts->collapseAll();
    } else {
        TreeCharts->expandAll();
        if (first) TreeCharts->setCurrentIndex(FModel->IndexOfNode(first));
    }
    UpdateOkButton();
}

void TFormChartSelect::done(int result) {
    int32_t err = 0;
    RegWriteInteger(GetAppReg(), AppRegRoot::Product, Key, RegName(u"Width"), width(), err);
    RegWriteInteger(GetAppReg(), AppRegRoot::Product, Key, RegName(u"Height"), height(), err);
    TFormScaled::done(result);
}

TFormChartSelect::TPrompter TFormChartSelect::SetPrompter(TPrompter prompter) {
    TPrompter previous = std::move(Prompter());
    Prompter() = std::move(prompter);
    return previous;
}

int TFormChartSelect::Prompt(TFormChartSelect &form) { return Prompter() ? Prompter()(form) : form.exec(); }

bool SelectChartDialog(IChartManager *manager, uint32_t mask, IChart *&s57Chart,
                       IChartCatalogueEntry *&entry, QWidget *owner) {
    TFormChartSelect form(owner, manager, mask);
    if (TFormChartSelect::Prompt(form) != QDialog::Accepted) return false;
    const TChartSelectNode *node = form.FocusedNode();
    if (!node || !node->IsChart()) return false;
    if (node->Entry)
        entry = node->Entry;
    else
        s57Chart = node->S57Chart;
    return true;
}
