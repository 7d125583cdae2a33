#include "chartview/FraChartLegend.h"

#include "base/charts/KvCharts.h"
#include "base/graphics/KvNightScreen.h"
#include "base/registry/KvRegistry.h"
#include "base/texts/KvLanguage.h"
#include "chartview/ChartNames.h"
#include "chartview/ChartWindowTexts.h"
#include "chartview/FrmChartSelect.h"
#include "shell/MarivoNavEnv.h"
#include "shell/MarivoUtils.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvLanguage.h>

#include <QFileInfo>
#include <QHeaderView>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace {

const QString Key = QStringLiteral("Desktop\\ToolWindowChartLegend");

const TLanguageStrings TextNoLegend = {"No legend available", "Geen legenda beschikbaar",
                                       "Keine Legende verfügbar", "Aucune légende disponible",
                                       "No hay leyenda disponible", "Nessuna legenda disponibile",
                                       "Ingen signaturforklaring", "Ingen teckenförklaring"};
const TLanguageStrings TextNoLegendHint = {
    "Please select a chart containing a legend", "Selecteer een kaart met een legenda",
    "Bitte wählen Sie eine Karte mit Legende", "Veuillez sélectionner une carte avec légende",
    "Seleccione una carta con leyenda", "Selezionare una carta con legenda",
    "Vælg et kort med signaturforklaring", "Välj ett sjökort med teckenförklaring"};

constexpr int KindRole = Qt::UserRole + 1;

QFont LegendFont(int pointSize, bool bold, bool italic = false) {
    QFont font;
    font.setPointSize(pointSize);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

QString StringText(const TLegendNode *node, int index) {
    const TLegendString *s = node ? node->GetString(index) : nullptr;
    return s ? LegendText(s->Texts, GetCurrentLanguage()) : QString();
}

int TextWidth(const QFont &font, const QString &text) { return QFontMetrics(font).horizontalAdvance(text); }

// Column widths of the table a header or row of parent P belongs to. Strings a row lacks
// count as empty, so a row shorter than its header paints.
int ColumnWidth(const TLegendNode &p, int column) {
    if (column == 0) {
        const TLegendString *first = p.GetString(0);
        const int lang = GetCurrentLanguage();
        const QString own = first && lang >= 1 && lang <= 8 ? first->Texts[size_t(lang - 1)] : QString();
        return std::max(p.GetChildImageWidth(), TextWidth(LegendFont(8, false), own));
    }
    const QFont bold = LegendFont(7, true);
    int width = TextWidth(bold, StringText(&p, column));
    for (const auto &child : p.Nodes) width = std::max(width, TextWidth(bold, StringText(child.get(), column - 1)));
    return width;
}

class TLegendDelegate : public QStyledItemDelegate {
public:
    TLegendDelegate(TLegendModel *model, QTreeView *tree) : QStyledItemDelegate(tree), FModel(model), FTree(tree) {}

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        const TLegendNode *node = FModel->Node(index);
        if (const QImage *image = node ? FModel->Legend()->GetBitmap(node->ImageIndex) : nullptr)
            size.setHeight(std::max(size.height(), image->height() + 4));
        return size;
    }

    void paint(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index) const override {
        const TLegendNode *node = FModel->Node(index);
        if (!node) return;
        const QPalette &pal = option.palette;
        const QRect r = option.rect;
        p->save();
        p->fillRect(r, pal.color(QPalette::Base));
        p->setPen(pal.color(QPalette::Text));
        const int lang = GetCurrentLanguage();
        int width = 0;
        switch (TLegendRowKind(index.data(KindRole).toInt())) {
        case TLegendRowKind::Heading:
            DrawGroupRowCell(*p, r.adjusted(1, 0, -1, 0), -1, true, pal.color(QPalette::Dark),
                             pal.color(QPalette::Button), 1);
            p->setPen(pal.color(QPalette::ButtonText));
            width = DrawText(p, r, 4, LegendFont(8, true), LegendText(node->Texts, lang));
            break;
        case TLegendRowKind::SubHeading:
            width = DrawText(p, r, 0, LegendFont(7, true, true), LegendText(node->Texts, lang));
            break;
        case TLegendRowKind::TableHeader: width = PaintHeader(p, r, *node); break;
        case TLegendRowKind::TableRow: width = PaintTableRow(p, r, *node); break;
        case TLegendRowKind::SymbolRow: width = PaintSymbolRow(p, r, *node); break;
        }
        p->restore();
        // The only column grows to the widest row painted so far.
        if (width + r.left() > FTree->columnWidth(0)) FTree->setColumnWidth(0, width + r.left());
    }

private:
    static int DrawText(QPainter *p, const QRect &r, int x, const QFont &font, const QString &text) {
        p->setFont(font);
        const QFontMetrics fm(font);
        p->drawText(r.left() + x, r.top() + r.height() / 2 - fm.height() / 2 + fm.ascent(), text);
        return x + fm.horizontalAdvance(text);
    }

    int PaintHeader(QPainter *p, const QRect &r, const TLegendNode &node) const {
        const QFont font = LegendFont(7, true);
        p->setFont(font);
        const QFontMetrics fm(font);
        int acc = 0;
        for (int i = 0; i < node.GetStringCount(); ++i) {
            p->drawText(r.left() + acc + 5, r.bottom() - fm.descent(), StringText(&node, i));
            acc += ColumnWidth(node, i) + 10;
        }
        return acc;
    }

    int PaintTableRow(QPainter *p, const QRect &r, const TLegendNode &node) const {
        const TLegendNode *parent = IsTopLevel(node) ? nullptr : node.Parent;
        if (!parent) return 250;
        int acc = 5;
        const int columns = std::max(parent->GetStringCount(), 1);
        for (int i = 0; i < columns; ++i) {
            const int w = ColumnWidth(*parent, i);
            if (i == 0)
                DrawPicture(p, r, acc - 5, w, node);
            else
                DrawText(p, r, acc, LegendFont(7, false), StringText(&node, i - 1));
            acc += w + 10;
        }
        return acc;
    }

    int PaintSymbolRow(QPainter *p, const QRect &r, const TLegendNode &node) const {
        const int pictureWidth = IsTopLevel(node) ? 50 : node.Parent->GetChildImageWidth();
        DrawPicture(p, r, 0, pictureWidth, node);
        return DrawText(p, r, pictureWidth + 15, LegendFont(7, false), StringText(&node, 0));
    }

    void DrawPicture(QPainter *p, const QRect &r, int x, int columnWidth, const TLegendNode &node) const {
        const QImage *source = FModel->Legend()->GetBitmap(node.ImageIndex);
        if (!source) return;
        QImage image = *source;
        INightScreen *ns = NightScreen();
        if (ns && ns->IsActive()) NightScreenConvertBitmap(ns, image);
        int offset = 0;
        if (node.Kind == 1) offset = columnWidth - image.width();
        if (node.Kind == 2) offset = columnWidth / 2 - image.width() / 2;
        p->drawImage(r.left() + x + offset + 5, r.top() + (r.height() - image.height()) / 2, image);
    }

    bool IsTopLevel(const TLegendNode &node) const { return node.Parent == FModel->Legend()->Root.get(); }

    TLegendModel *FModel;
    QTreeView *FTree;
};

}  // namespace

TLegendRowKind LegendRowKind(const TLegendNode &node, const TLegend &legend) {
    const bool picture = legend.GetBitmap(node.ImageIndex) != nullptr;
    if (picture) return node.GetStringCount() >= 2 ? TLegendRowKind::TableRow : TLegendRowKind::SymbolRow;
    if (node.GetStringCount() > 0) return TLegendRowKind::TableHeader;
    return node.Parent == legend.Root.get() ? TLegendRowKind::Heading : TLegendRowKind::SubHeading;
}

// ---- model ----

void TLegendModel::SetLegend(const TLegend *legend) {
    beginResetModel();
    FLegend = legend;
    endResetModel();
}

TLegendNode *TLegendModel::Node(const QModelIndex &index) const {
    return index.isValid() ? static_cast<TLegendNode *>(index.internalPointer()) : nullptr;
}

QModelIndex TLegendModel::index(int row, int column, const QModelIndex &parent) const {
    if (!FLegend || column != 0) return {};
    const TLegendNode *p = parent.isValid() ? Node(parent) : FLegend->Root.get();
    TLegendNode *child = p->GetNode(row);
    return child ? createIndex(row, 0, child) : QModelIndex();
}

QModelIndex TLegendModel::parent(const QModelIndex &child) const {
    const TLegendNode *node = Node(child);
    if (!node || !node->Parent || node->Parent == FLegend->Root.get()) return {};
    const TLegendNode *p = node->Parent;
    const auto &siblings = p->Parent->Nodes;
    const auto it = std::find_if(siblings.begin(), siblings.end(), [p](const auto &n) { return n.get() == p; });
    return createIndex(int(it - siblings.begin()), 0, const_cast<TLegendNode *>(p));
}

int TLegendModel::rowCount(const QModelIndex &parent) const {
    if (!FLegend || parent.column() > 0) return 0;
    const TLegendNode *p = parent.isValid() ? Node(parent) : FLegend->Root.get();
    return p->GetNodeCount();
}

int TLegendModel::columnCount(const QModelIndex &) const { return 1; }

QVariant TLegendModel::data(const QModelIndex &index, int role) const {
    const TLegendNode *node = Node(index);
    if (!node) return {};
    if (role == KindRole) return int(LegendRowKind(*node, *FLegend));
    if (role == Qt::DisplayRole) return LegendText(node->Texts, GetCurrentLanguage());
    return {};
}

// ---- tree ----

void TLegendTreeView::paintEvent(QPaintEvent *event) {
    QTreeView::paintEvent(event);
    if (!EmptyCaption.isEmpty()) DrawEmptyListMessage(this, EmptyCaption, EmptyHint);
}

// ---- frame ----

TFrameChartLegend::TFrameChartLegend(QWidget *panel, TMarivoNavEnv &env, TLoader loader)
    : TFrameScaled(panel), FEnv(env), FLoader(std::move(loader)), FModel(new TLegendModel(this)) {
    setObjectName(QStringLiteral("FrameChartLegend"));
    if (!FLoader) FLoader = [](TLegend &legend, const QString &file) { legend.LoadFromFile(file); };
    ListView = new TLegendTreeView(this);
    ListView->setObjectName(QStringLiteral("ListView"));
    ListView->setHeaderHidden(true);
    ListView->setModel(FModel);
    ListView->setItemDelegate(new TLegendDelegate(FModel, ListView));
    ListView->setRootIsDecorated(false);
    ListView->setItemsExpandable(false);  // collapsing is refused
    ListView->setUniformRowHeights(false);
    ListView->setSelectionMode(QAbstractItemView::NoSelection);
    ListView->header()->setStretchLastSection(false);
    connect(ListView, &QTreeView::collapsed, ListView, &QTreeView::expand);
    const TChartWindowParts parts = BuildChartWindow(this, ListView);
    PanelContents = parts.PanelContents;
    PabelButton = parts.PabelButton;
    ButtonChartSelect = parts.ButtonChartSelect;
    connect(ButtonChartSelect, &QPushButton::clicked, this, &TFrameChartLegend::ChartSelectClicked);
    RegReadGUIDDef(GetAppReg(), AppRegRoot::Product, Key, RegName(u"Chart"), TGUID{}, FChartGUID);
    UpdateTexts();
}

TFrameChartLegend::~TFrameChartLegend() { FModel->SetLegend(nullptr); }

void TFrameChartLegend::WriteChart() {
    int32_t err = 0;
    RegWriteGUID(GetAppReg(), AppRegRoot::Product, Key, RegName(u"Chart"), FChartGUID, err);
}

void TFrameChartLegend::SelectChart(const TGUID &guid) {
    FChartGUID = guid;
    FS57ChartName.clear();
    WriteChart();
    Rebuild();
    ListView->viewport()->repaint();
}

void TFrameChartLegend::SelectS57Chart(const QString &fileName) {
    FChartGUID = TGUID{};
    FS57ChartName = fileName;
    WriteChart();
    Rebuild();
    ListView->viewport()->repaint();
}

void TFrameChartLegend::UpdateTexts() {
    ButtonChartSelect->setText(LanguageText(ChartWindowText::SelectChart));
    Rebuild();
}

void TFrameChartLegend::UpdateLegend() { Rebuild(); }

void TFrameChartLegend::LoadLegend(const QString &path) {
    if (path.compare(FLegendPath, Qt::CaseInsensitive) == 0) return;
    FModel->SetLegend(nullptr);
    FLegend.reset();
    FLegendPath = path;
    if (path.isEmpty() || !QFileInfo(path).isFile()) return;
    auto legend = std::make_unique<TLegend>();
    try {
        FLoader(*legend, path);
    } catch (const std::exception &) {
        // A locked or unreadable file: the window says "No legend available".
        return;
    }
    FLegend = std::move(legend);
}

void TFrameChartLegend::Rebuild() {
    IChartManager *manager = FEnv.ChartManager;
    int32_t index = -1;
    FEntry = manager && !(FChartGUID == TGUID{}) && manager->FindChartByGUID(FChartGUID, index)
                 ? manager->GetCatalogueEntry(index)
                 : nullptr;
    QString path;
    IRasterChart *raster = FEntry ? FEntry->GetCatalogueObject()->GetRasterChart() : nullptr;
    if (raster && FEntry->IsAvailable())
        path = ChartCompanionFile(QFileInfo(RasterChartGetFileName(raster)).absolutePath(),
                                  RasterChartInfoGetLegendFileName(raster->GetInfo()));
    LoadLegend(path);
    ListView->setColumnWidth(0, 0);
    FModel->SetLegend(FLegend.get());
    ListView->expandAll();
    const bool empty = !FEntry || !FLegend || FLegend->Root->GetNodeCount() == 0;
    const bool chosen = FEntry || !FS57ChartName.isEmpty();
    ListView->EmptyCaption = !empty ? QString() : LanguageText(chosen ? TextNoLegend : ChartWindowText::NoChart);
    ListView->EmptyHint = !empty ? QString() : LanguageText(chosen ? TextNoLegendHint : ChartWindowText::NoChartHint);
    ListView->viewport()->update();
}

void TFrameChartLegend::ChartSelectClicked() {
    ChooseChart(FEnv.ChartManager, this, [this](const TGUID &guid) { SelectChart(guid); },
                [this](const QString &file) { SelectS57Chart(file); });
}
