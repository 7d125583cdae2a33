#include "online/FraPageSelectChartsModel.h"

#include "base/charts/KvOnlineServices.h"
#include "base/texts/KvLanguage.h"
#include "shell/MarivoUtils.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

const TLanguageStrings SGeneral = {"General", "Algemeen", "Allgemein", "G\u00E9n\u00E9ral", "General", "Generale",
                                   "Generelt", "Allm\u00E4nt"};
const TLanguageStrings SPrograms = {"Programs", "Programma's", "Programme", "Programmes", "Programas", "Programmi",
                                    "Programmer", "Program"};
const TLanguageStrings SCharts = {"Charts", "Kaarten", "Karten", "Cartes", "Cartas", "Carte", "S\u00F8kort",
                                  "Sj\u00F6kort"};
const TLanguageStrings SAddons = {"Addons", "Add-ons", "Add-ons", "Modules compl\u00E9mentaires", "Complementos",
                                  "Componenti aggiuntivi", "Tilf\u00F8jelser", "Till\u00E4gg"};
const TLanguageStrings SUpdateAvailable = {"update available", "update beschikbaar", "Update verf\u00FCgbar",
                                           "mise \u00E0 jour disponible", "actualizaci\u00F3n disponible",
                                           "aggiornamento disponibile", "opdatering tilg\u00E6ngelig",
                                           "uppdatering tillg\u00E4nglig"};
const TLanguageStrings SAlreadyInstalled = {"already installed", "al ge\u00EFnstalleerd", "bereits installiert",
                                            "d\u00E9j\u00E0 install\u00E9", "ya instalado", "gi\u00E0 installato",
                                            "allerede installeret", "redan installerad"};
const TLanguageStrings SNewSoftware = {"new software", "nieuwe software", "neue Software", "nouveau logiciel",
                                       "software nuevo", "nuovo software", "ny software", "ny programvara"};
const TLanguageStrings SNewChartSet = {"new chartset", "nieuwe kaartset", "neuer Kartensatz",
                                       "nouveau jeu de cartes", "nuevo conjunto de cartas", "nuovo set di carte",
                                       "nyt korts\u00E6t", "ny kortupps\u00E4ttning"};
const TLanguageStrings SProducts = {"Products", "Producten", "Produkte", "Produits", "Productos", "Prodotti",
                                    "Produkter", "Produkter"};
const TLanguageStrings SStatus = {"Status", "Status", "Status", "\u00C9tat", "Estado", "Stato", "Status", "Status"};

constexpr int RowHeight = 24;

QColor Blend(const QColor &a, const QColor &b, double factor) {
    return QColor::fromRgbF(float(a.redF() * factor + b.redF() * (1 - factor)),
                            float(a.greenF() * factor + b.greenF() * (1 - factor)),
                            float(a.blueF() * factor + b.blueF() * (1 - factor)));
}

}  // namespace

TSelectChartsModel::TSelectChartsModel(QObject *parent) : QAbstractItemModel(parent) {}

void TSelectChartsModel::Clear() {
    beginResetModel();
    FRoots.clear();
    endResetModel();
}

void TSelectChartsModel::Build(const std::vector<IMRCAvailableChartSet *> &items,
                               const std::function<bool(IMRCAvailableChartSet *)> &writable) {
    beginResetModel();
    FRoots.clear();
    int32_t lastCategory = -1, lastGroup = 0;
    QString lastProduct;
    TSelectChartsNode *product = nullptr;
    const auto addRoot = [this](int kind, int32_t category, int32_t group) {
        auto node = std::make_unique<TSelectChartsNode>();
        node->Kind = kind;
        node->Category = category;
        node->Group = group;
        FRoots.push_back(std::move(node));
        return FRoots.back().get();
    };
    for (IMRCAvailableChartSet *item : items) {
        const int32_t category = item->GetCategory();
        if (category == MRCCategory::Companion) continue;
        if (category != lastCategory) {
            addRoot(SelectChartsRow::Category, category, 0);
            lastCategory = category;
            lastGroup = 0;
        }
        if (item->GetGroup() != lastGroup) {
            addRoot(SelectChartsRow::Group, category, item->GetGroup());
            lastGroup = item->GetGroup();
        }
        const QString name = OnlineChartProductGetName(item);
        if (name != lastProduct || !product || product->Category != category) {
            CloseProduct(product);
            product = addRoot(SelectChartsRow::Product, category, lastGroup);
            product->Text = name;
            lastProduct = name;
            if (category != MRCCategory::Charts) {
                product->Item = item;
                product->Check = item->IsSelected() ? Qt::Checked : Qt::Unchecked;
            }
        }
        if (category == MRCCategory::Charts) {
            auto child = std::make_unique<TSelectChartsNode>();
            child->Kind = SelectChartsRow::ChartSet;
            child->Item = item;
            child->Category = category;
            child->Group = lastGroup;
            child->Writable = writable && writable(item);
            child->Check = item->IsSelected() ? Qt::Checked : Qt::Unchecked;
            child->Parent = product;
            product->Children.push_back(std::move(child));
        }
    }
    CloseProduct(product);
    endResetModel();
}

void TSelectChartsModel::CloseProduct(TSelectChartsNode *product) {
    if (!product || product->Children.empty()) return;
    size_t checked = 0;
    for (const auto &c : product->Children) checked += c->Check == Qt::Checked;
    product->Check = checked == 0                           ? Qt::Unchecked
                     : checked == product->Children.size() ? Qt::Checked
                                                           : Qt::PartiallyChecked;
}

const TSelectChartsNode *TSelectChartsModel::Node(const QModelIndex &index) const {
    return index.isValid() ? static_cast<const TSelectChartsNode *>(index.internalPointer()) : nullptr;
}

const TSelectChartsNode *TSelectChartsModel::FindItem(IMRCAvailableChartSet *item) const {
    for (const auto &r : FRoots) {
        if (r->Kind != SelectChartsRow::Product) continue;
        if (r->Item == item) return r.get();
        for (const auto &c : r->Children)
            if (c->Item == item) return c.get();
    }
    return nullptr;
}

QModelIndex TSelectChartsModel::IndexOf(const TSelectChartsNode *node, int column) const {
    const auto &siblings = node->Parent ? node->Parent->Children : FRoots;
    for (size_t i = 0; i < siblings.size(); ++i)
        if (siblings[i].get() == node) return createIndex(int(i), column, const_cast<TSelectChartsNode *>(node));
    return {};
}

QModelIndex TSelectChartsModel::index(int row, int column, const QModelIndex &parent) const {
    if (column < 0 || column > 1 || row < 0) return {};
    const TSelectChartsNode *p = Node(parent);
    const auto &list = p ? p->Children : FRoots;
    return size_t(row) < list.size() ? createIndex(row, column, list[size_t(row)].get()) : QModelIndex();
}

QModelIndex TSelectChartsModel::parent(const QModelIndex &child) const {
    const TSelectChartsNode *n = Node(child);
    return n && n->Parent ? IndexOf(n->Parent, 0) : QModelIndex();
}

int TSelectChartsModel::rowCount(const QModelIndex &parent) const {
    if (parent.isValid() && parent.column() != 0) return 0;
    const TSelectChartsNode *p = Node(parent);
    return int(p ? p->Children.size() : FRoots.size());
}

int TSelectChartsModel::columnCount(const QModelIndex &) const {
    return 2;
}

QString TSelectChartsModel::StatusText(IMRCAvailableChartSet *item, bool chartSet) {
    if (item->IsInstalled() && item->IsUpdateAvailable()) return LanguageText(SUpdateAvailable);
    if (item->IsInstalled()) return LanguageText(SAlreadyInstalled);
    return LanguageText(chartSet ? SNewChartSet : SNewSoftware);
}

QString TSelectChartsModel::Text(const TSelectChartsNode &n, int column) const {
    switch (n.Kind) {
    case SelectChartsRow::Group:
        return column ? QString() : n.Group == MRCGroupGeneral ? LanguageText(SGeneral) : QString::number(n.Group);
    case SelectChartsRow::Category:
        if (column) return QString();
        return LanguageText(n.Category == MRCCategory::Programs ? SPrograms
                            : n.Category == MRCCategory::Charts ? SCharts
                                                                : SAddons);
    case SelectChartsRow::Product:
        return column == 0 ? n.Text : n.Item ? StatusText(n.Item, false) : QString();
    default:
        return column == 0 ? OnlineChartItemGetName(n.Item) : StatusText(n.Item, true);
    }
}

QVariant TSelectChartsModel::data(const QModelIndex &index, int role) const {
    const TSelectChartsNode *n = Node(index);
    if (!n) return {};
    switch (role) {
    case Qt::DisplayRole: return Text(*n, index.column());
    case Qt::CheckStateRole:
        if (index.column() == 0 && n->Kind >= SelectChartsRow::Product) return int(n->Check);
        return {};
    case Qt::ToolTipRole:
        if (index.column() == 0 && n->Item) return OnlineChartItemGetName(n->Item);
        if (index.column() == 1 && n->Item && n->Item->IsInstalled()) return LanguageText(SAlreadyInstalled);
        return {};
    case SelectChartsRole::Kind: return n->Kind;
    case SelectChartsRole::Writable: return n->Writable;
    case SelectChartsRole::HasChildren: return !n->Children.empty();
    default: return {};
    }
}

void TSelectChartsModel::SetCheck(TSelectChartsNode *n, Qt::CheckState state) {
    n->Check = state;
    if (n->Item) n->Item->SetSelected(state == Qt::Checked);
    if (n->Item && n->Item->GetCategory() == MRCCategory::Programs && SelectCompanions)
        SelectCompanions(n->Item->GetProductNumber(), state == Qt::Checked);
    const QModelIndex first = IndexOf(n, 0);
    emit dataChanged(first, first.siblingAtColumn(1));
}

bool TSelectChartsModel::setData(const QModelIndex &index, const QVariant &value, int role) {
    auto *n = const_cast<TSelectChartsNode *>(Node(index));
    if (!n || role != Qt::CheckStateRole || !(flags(index) & Qt::ItemIsUserCheckable)) return false;
    const Qt::CheckState state = value.toInt() == Qt::Checked ? Qt::Checked : Qt::Unchecked;
    SetCheck(n, state);
    for (const auto &c : n->Children) SetCheck(c.get(), state);
    if (n->Parent) {
        CloseProduct(n->Parent);
        const QModelIndex p = IndexOf(n->Parent, 0);
        emit dataChanged(p, p);
    }
    emit Checked();
    return true;
}

Qt::ItemFlags TSelectChartsModel::flags(const QModelIndex &index) const {
    const TSelectChartsNode *n = Node(index);
    if (!n) return Qt::NoItemFlags;
    if (n->Kind == SelectChartsRow::ChartSet) return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable;
    // Root rows are never selected: a click on them only checks.
    if (n->Kind == SelectChartsRow::Product) return Qt::ItemIsEnabled | Qt::ItemIsUserCheckable;
    return Qt::ItemIsEnabled;
}

QVariant TSelectChartsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return LanguageText(section == 0 ? SProducts : SStatus);
}

TSelectChartsDelegate::TSelectChartsDelegate(QTreeView *view, const int &hotRow, const int &pressedRow)
    : QStyledItemDelegate(view), FView(view), FHot(hotRow), FPressed(pressedRow) {}

QSize TSelectChartsDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const {
    QSize s = QStyledItemDelegate::sizeHint(option, index);
    s.setHeight(RowHeight);
    return s;
}

void TSelectChartsDelegate::paint(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index) const {
    const int kind = index.data(SelectChartsRole::Kind).toInt();
    const bool hasChildren = index.data(SelectChartsRole::HasChildren).toBool();
    const bool lastColumn = index.column() == index.model()->columnCount() - 1;
    const QPalette &pal = option.palette;
    QStyleOptionViewItem opt = option;
    opt.font.setBold(kind == SelectChartsRow::Group || kind == SelectChartsRow::Category ||
                     (kind == SelectChartsRow::Product && hasChildren));
    opt.font.setPointSize(kind == SelectChartsRow::Group ? 10 : kind == SelectChartsRow::Category ? 11 : 8);
    opt.state &= ~QStyle::State_HasFocus;
    p->save();
    if (kind == SelectChartsRow::Category) {
        DrawGroupRowCell(*p, option.rect, index.column(), lastColumn, pal.color(QPalette::Dark),
                         pal.color(QPalette::Button), index.model()->columnCount());
    } else if (kind == SelectChartsRow::Group) {
        QRect r = option.rect.adjusted(index.column() == 0 ? 1 : 0, 1, lastColumn ? -1 : 0, -1);
        p->fillRect(r, Blend(QColor(Qt::darkGreen), pal.color(QPalette::Base), 0.1));
    } else if (kind == SelectChartsRow::ChartSet) {
        if (index.row() % 2) p->fillRect(option.rect, QColor(0xFA, 0xFA, 0xFA));
        DrawRowSeparator(*p, option.rect);
    }
    if (index.column() == 1 && index.data(Qt::DisplayRole).toString() != QString() &&
        index.data(Qt::ToolTipRole).isValid())
        opt.palette.setColor(QPalette::Text, QColor(Qt::darkGreen));
    if (kind == SelectChartsRow::Group || kind == SelectChartsRow::Category) {
        p->setFont(opt.font);
        p->setPen(pal.color(QPalette::Text));
        p->drawText(option.rect.adjusted(6, 0, -6, 0), Qt::AlignVCenter | Qt::AlignLeft,
                    index.data(Qt::DisplayRole).toString());
    } else {
        opt.backgroundBrush = Qt::NoBrush;
        QStyledItemDelegate::paint(p, opt, index);
    }
    if (hasChildren && lastColumn)
        DrawGroupExpandButton(*p, option.rect, index.siblingAtColumn(0), FHot, FPressed,
                              FView->isExpanded(index.siblingAtColumn(0)));
    p->restore();
}

TSelectChartsView::TSelectChartsView(QWidget *parent) : QTreeView(parent) {
    setMouseTracking(true);
    setAllColumnsShowFocus(true);
}

void TSelectChartsView::paintEvent(QPaintEvent *event) {
    QTreeView::paintEvent(event);
    if (!model() || model()->rowCount() > 0 || !EmptyTexts) return;
    const auto [caption, hint] = EmptyTexts();
    QPainter p(viewport());
    const QRect area = viewport()->rect();
    const int width = qMin(area.width() - 20, 300);
    const int y = area.height() / 2;
    p.setPen(palette().color(QPalette::Dark));
    p.drawLine(area.width() / 2 - width / 2, y, area.width() / 2 + width / 2, y);
    QFont f = font();
    f.setPointSize(11);
    p.setFont(f);
    p.setPen(palette().color(QPalette::Highlight));
    const QRect captionRect(10, 0, area.width() - 20, y - 5);
    p.drawText(captionRect, Qt::AlignHCenter | Qt::AlignBottom,
               QFontMetrics(f).elidedText(caption, Qt::ElideRight, captionRect.width()));
    f.setPointSize(8);
    p.setFont(f);
    p.setPen(palette().color(QPalette::Dark));
    p.drawText(QRect(10, y + 5, area.width() - 20, area.height() - y - 5), Qt::AlignHCenter | Qt::AlignTop, hint);
}

int TSelectChartsView::ButtonRowAt(const QPoint &pos, QModelIndex &node) const {
    int column = 0;
    if (!GroupExpandButtonHitTest(this, pos.x(), pos.y(), node, column)) return -1;
    return node.row();
}

void TSelectChartsView::mousePressEvent(QMouseEvent *event) {
    QModelIndex node;
    PressedRow = ButtonRowAt(event->position().toPoint(), node);
    if (PressedRow >= 0) {
        viewport()->update();
        return;
    }
    QTreeView::mousePressEvent(event);
}

void TSelectChartsView::mouseMoveEvent(QMouseEvent *event) {
    QModelIndex node;
    const int hot = ButtonRowAt(event->position().toPoint(), node);
    if (hot != HotRow) {
        HotRow = hot;
        viewport()->update();
    }
    QTreeView::mouseMoveEvent(event);
}

void TSelectChartsView::mouseReleaseEvent(QMouseEvent *event) {
    const QPoint pos = event->position().toPoint();
    QModelIndex node;
    if (PressedRow >= 0) {
        PressedRow = -1;
        if (ButtonRowAt(pos, node) >= 0) setExpanded(node.siblingAtColumn(0), !isExpanded(node.siblingAtColumn(0)));
        viewport()->update();
        return;
    }
    const QModelIndex at = indexAt(pos).siblingAtColumn(0);
    if (event->button() == Qt::LeftButton && event->modifiers() == Qt::NoModifier && at.isValid() &&
        (model()->flags(at) & Qt::ItemIsUserCheckable)) {
        const bool checked = at.data(Qt::CheckStateRole).toInt() == Qt::Checked;
        model()->setData(at, checked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
        return;
    }
    QTreeView::mouseReleaseEvent(event);
}
