#include "chartview/FraChartInfo.h"

#include "base/charts/KvCharts.h"
#include "base/dialogs/KvMsgBox.h"
#include "base/kvlib/KvErrors.h"
#include "base/registry/KvRegistry.h"
#include "chartview/ChartNames.h"
#include "chartview/ChartWindowTexts.h"
#include "chartview/FraHTMLViewer.h"
#include "chartview/FrmChartSelect.h"
#include "shell/MarivoColors.h"
#include "shell/MarivoNavEnv.h"
#include "shell/MarivoUtils.h"

#include <KvLibNav6/KvAppReg.h>

#include <QFileInfo>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace {

const QString Key = QStringLiteral("Desktop\\ToolWindowChartInfo");

const TLanguageStrings TextClickToView = {"Click here to view", "Klik hier om te bekijken",
                                          "Hier klicken zum Anzeigen", "Cliquez ici pour afficher",
                                          "Haga clic aquí para ver", "Fare clic qui per visualizzare",
                                          "Klik her for at se", "Klicka här för att visa"};
const TLanguageStrings TextAdditional = {"Additional information", "Aanvullende informatie",
                                         "Zusätzliche Informationen", "Informations complémentaires",
                                         "Información adicional", "Informazioni aggiuntive",
                                         "Yderligere oplysninger", "Ytterligare information"};
const TLanguageStrings TextFileNotFound = {"File not found: %1", "Bestand niet gevonden: %1",
                                           "Datei nicht gefunden: %1", "Fichier introuvable : %1",
                                           "Archivo no encontrado: %1", "File non trovato: %1",
                                           "Filen blev ikke fundet: %1", "Filen hittades inte: %1"};

QColor FromTColor(TColor c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

class TChartInfoDelegate : public QStyledItemDelegate {
public:
    TChartInfoDelegate(TChartInfoModel *model, TChartInfoTreeView *tree)
        : QStyledItemDelegate(tree), FModel(model), FTree(tree) {}

    void paint(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index) const override {
        const TChartInfoRow *row = FModel->Row(index);
        if (!row) return;
        const QPalette &pal = option.palette;
        QRect r = option.rect;
        if (index.column() == 0) r.setLeft(0);  // the band and the row colour start at the edge
        p->save();
        if (row->Kind == TChartInfoRowKind::Group) {
            p->fillRect(r, pal.color(QPalette::Base));
            // Group rows span both columns.
            DrawGroupRowCell(*p, r, -1, true, pal.color(QPalette::Dark), pal.color(QPalette::Button),
                             TChartInfoModel::ColumnCount);
            if (index.column() == 0) {
                QFont bold = option.font;
                bold.setBold(true);
                p->setFont(bold);
                p->setPen(pal.color(QPalette::ButtonText));
                p->drawText(r.adjusted(6, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, row->Caption);
            }
            p->restore();
            return;
        }
        const bool odd = index.row() % 2 == 1;
        const bool night = pal.color(QPalette::Base).lightness() < 100;
        p->fillRect(r, odd && !night ? FromTColor(AlternateRowColor) : pal.color(QPalette::Base));
        QFont font = option.font;
        QColor colour = pal.color(QPalette::Text);
        const QString text = index.data().toString();
        if (index.column() == 1 && row->Kind == TChartInfoRowKind::Title) {
            font.setPointSize(9);
            font.setBold(true);
            colour = pal.color(QPalette::Highlight);
        } else if (index.column() == 1 && row->Kind == TChartInfoRowKind::Link) {
            colour = pal.color(QPalette::Link);
            font.setUnderline(FTree->HotNode == index);
        }
        p->setFont(font);
        p->setPen(colour);
        p->drawText(r.adjusted(index.column() == 0 ? option.rect.left() - r.left() + 4 : 4, 0, -2, 0),
                    Qt::AlignVCenter | Qt::AlignLeft, option.fontMetrics.elidedText(text, Qt::ElideRight, r.width()));
        if (!LastBeforeGroup(index)) DrawRowSeparator(*p, r);
        p->restore();
    }

private:
    // The last row of a group followed by another group has no separator.
    bool LastBeforeGroup(const QModelIndex &index) const {
        const QModelIndex group = index.parent();
        return index.row() == FModel->rowCount(group) - 1 && group.row() < FModel->rowCount() - 1;
    }

    TChartInfoModel *FModel;
    TChartInfoTreeView *FTree;
};

}  // namespace

// ---- model ----

void TChartInfoModel::SetGroups(std::vector<TChartInfoGroup> groups) {
    beginResetModel();
    FGroups = std::move(groups);
    endResetModel();
}

const TChartInfoRow *TChartInfoModel::Row(const QModelIndex &index) const {
    if (!index.isValid()) return nullptr;
    const quintptr group = index.internalId();
    if (group == 0) return &FGroups[size_t(index.row())].Row;
    return &FGroups[size_t(group - 1)].Rows[size_t(index.row())];
}

QModelIndex TChartInfoModel::index(int row, int column, const QModelIndex &parent) const {
    if (column < 0 || column >= ColumnCount || row < 0 || row >= rowCount(parent)) return {};
    return createIndex(row, column, parent.isValid() ? quintptr(parent.row() + 1) : quintptr(0));
}

QModelIndex TChartInfoModel::parent(const QModelIndex &child) const {
    if (!child.isValid() || child.internalId() == 0) return {};
    return createIndex(int(child.internalId() - 1), 0, quintptr(0));
}

int TChartInfoModel::rowCount(const QModelIndex &parent) const {
    if (!parent.isValid()) return int(FGroups.size());
    if (parent.internalId() != 0 || parent.column() != 0) return 0;
    return int(FGroups[size_t(parent.row())].Rows.size());
}

int TChartInfoModel::columnCount(const QModelIndex &) const { return ColumnCount; }

QVariant TChartInfoModel::data(const QModelIndex &index, int role) const {
    const TChartInfoRow *row = Row(index);
    if (!row || role != Qt::DisplayRole) return {};
    if (index.column() == ColCaption) return row->Caption;
    if (row->Kind == TChartInfoRowKind::Link) return LanguageText(TextClickToView);
    return row->Value;
}

// ---- tree ----

TChartInfoTreeView::TChartInfoTreeView(QWidget *parent) : QTreeView(parent) { setMouseTracking(true); }

void TChartInfoTreeView::paintEvent(QPaintEvent *event) {
    QTreeView::paintEvent(event);
    if (!EmptyCaption.isEmpty()) DrawEmptyListMessage(this, EmptyCaption, EmptyHint);
}

void TChartInfoTreeView::mouseMoveEvent(QMouseEvent *event) {
    QTreeView::mouseMoveEvent(event);
    const QModelIndex index = indexAt(event->position().toPoint());
    const auto *model = static_cast<const TChartInfoModel *>(this->model());
    const TChartInfoRow *row = model->Row(index);
    const bool link = row && row->Kind == TChartInfoRowKind::Link && index.column() == TChartInfoModel::ColValue;
    HotNode = link ? QPersistentModelIndex(index) : QPersistentModelIndex();
    viewport()->setCursor(link ? Qt::PointingHandCursor : Qt::ArrowCursor);
    viewport()->update();
}

void TChartInfoTreeView::mouseReleaseEvent(QMouseEvent *event) {
    QTreeView::mouseReleaseEvent(event);
    const QModelIndex index = indexAt(event->position().toPoint());
    if (HotNode.isValid() && index == HotNode && OnLinkClicked) OnLinkClicked(index);
}

void TChartInfoTreeView::leaveEvent(QEvent *event) {
    QTreeView::leaveEvent(event);
    HotNode = QPersistentModelIndex();
    viewport()->unsetCursor();
    viewport()->update();
}

// ---- frame ----

TFrameChartInfo::TFrameChartInfo(QWidget *panel, TMarivoNavEnv &env)
    : TFrameScaled(panel), FEnv(env), FModel(new TChartInfoModel(this)) {
    setObjectName(QStringLiteral("FrameChartInfo"));
    ListView = new TChartInfoTreeView(this);
    ListView->setObjectName(QStringLiteral("ListView"));
    ListView->setModel(FModel);
    ListView->setItemDelegate(new TChartInfoDelegate(FModel, ListView));
    ListView->setHeaderHidden(true);
    ListView->setRootIsDecorated(false);
    ListView->setItemsExpandable(false);
    ListView->setIndentation(0);
    ListView->setSelectionMode(QAbstractItemView::NoSelection);
    ListView->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    ListView->header()->setStretchLastSection(true);
    // The link opens from the mouse handler: errors become messages there.
    ListView->OnLinkClicked = [this](const QModelIndex &index) {
        try {
            OpenLink(index);
        } catch (const Exception &e) {
            MsgBox(e.Message(), mtError, MsgButtons({mbOK}));
        }
    };
    const TChartWindowParts parts = BuildChartWindow(this, ListView);
    PanelContents = parts.PanelContents;
    PabelButton = parts.PabelButton;
    ButtonChartSelect = parts.ButtonChartSelect;
    connect(ButtonChartSelect, &QPushButton::clicked, this, &TFrameChartInfo::ChartSelectClicked);
    RegReadGUIDDef(GetAppReg(), AppRegRoot::Product, Key, RegName(u"Chart"), TGUID{}, FChartGUID);
    if (FChartGUID == TGUID{})
        RegReadStringDef(GetAppReg(), AppRegRoot::Product, Key, RegName(u"S57Chart"), QString(), FS57ChartName);
    UpdateChart();
    UpdateTexts();
}

void TFrameChartInfo::WriteSettings() {
    int32_t err = 0;
    RegWriteGUID(GetAppReg(), AppRegRoot::Product, Key, RegName(u"Chart"), FChartGUID, err);
    RegWriteString(GetAppReg(), AppRegRoot::Product, Key, RegName(u"S57Chart"), FS57ChartName, err);
}

void TFrameChartInfo::LookUp() {
    IChartManager *manager = FEnv.ChartManager;
    FEntry = nullptr;
    FS57Chart = nullptr;
    int32_t index = -1;
    if (!manager) return;
    if (!(FChartGUID == TGUID{}) && manager->FindChartByGUID(FChartGUID, index))
        FEntry = manager->GetCatalogueEntry(index);
    else if (!FS57ChartName.isEmpty() && ChartManagerFindChart(manager, FS57ChartName, index))
        FS57Chart = manager->GetChart(index);
}

void TFrameChartInfo::SelectChart(const TGUID &guid) {
    FChartGUID = guid;
    FS57ChartName.clear();
    LookUp();
    WriteSettings();
    Rebuild();
}

void TFrameChartInfo::SelectS57Chart(const QString &fileName) {
    FChartGUID = TGUID{};
    FS57ChartName = fileName;
    LookUp();
    WriteSettings();
    Rebuild();
}

void TFrameChartInfo::UpdateChart() {
    LookUp();
    Rebuild();
}

void TFrameChartInfo::UpdateTexts() {
    ButtonChartSelect->setText(LanguageText(ChartWindowText::SelectChart));
    Rebuild();
}

void TFrameChartInfo::Rebuild() {
    ListView->HotNode = QPersistentModelIndex();
    FModel->SetGroups(FEntry ? RasterChartInfoRows(FEntry) : S57ChartInfoRows(FS57Chart));
    for (int g = 0; g < FModel->rowCount(); ++g) ListView->setFirstColumnSpanned(g, {}, true);
    ListView->expandAll();
    const bool empty = !FEntry && !FS57Chart;
    ListView->EmptyCaption = empty ? LanguageText(ChartWindowText::NoChart) : QString();
    ListView->EmptyHint = empty ? LanguageText(ChartWindowText::NoChartHint) : QString();
    ListView->viewport()->update();
}

void TFrameChartInfo::OpenLink(const QModelIndex &index) {
    const TChartInfoRow *row = FModel->Row(index);
    int32_t chart = -1;
    if (!row || row->Kind != TChartInfoRowKind::Link || !FHTMLViewer || !FEnv.ChartManager ||
        !FEnv.ChartManager->FindChartByGUID(FChartGUID, chart))
        return;
    if (row->LinkToFile) {
        if (!QFileInfo::exists(row->Value)) {
            MsgBox(LanguageText(TextFileNotFound).arg(row->Value), mtError, MsgButtons({mbOK}));
            return;
        }
        FHTMLViewer->ShowPackedFile(row->Value);
    } else {
        FHTMLViewer->ShowText(row->Value, true);
    }
    IRasterChart *raster = FEntry ? FEntry->GetCatalogueObject()->GetRasterChart() : nullptr;
    FHTMLViewer->SetCaption(LanguageText(TextAdditional) + QStringLiteral(" (") + ChartDisplayName(raster) + u')');
}

void TFrameChartInfo::ChartSelectClicked() {
    ChooseChart(FEnv.ChartManager, this, [this](const TGUID &guid) { SelectChart(guid); },
                [this](const QString &file) { SelectS57Chart(file); });
}
