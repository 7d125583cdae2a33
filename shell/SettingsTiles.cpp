#include "shell/SettingsTiles.h"

#include "base/controls/KvControls.h"
#include "base/graphics/KvImageList.h"
#include "base/graphics/KvNightScreen.h"
#include "base/strings/KvColors.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QStandardItemModel>
#include <QVBoxLayout>

const TLanguageStrings SettingsTextRoutes = {"Routes", "Routes", "Routen", "Routes", "Rutas", "Rotte", "Ruter", "Rutter"};
const TLanguageStrings SettingsTextRouteSettings = {
    "Route settings",     "Route-instellingen", "Routeneinstellungen", "Paramètres des routes",
    "Ajustes de rutas",   "Impostazioni rotte", "Ruteindstillinger",   "Ruttinställningar"};
const TLanguageStrings SettingsTextTracks = {"Tracks", "Tracks", "Tracks", "Traces", "Trazas", "Tracce", "Spor", "Spår"};
const TLanguageStrings SettingsTextTrackSettings = {
    "Track settings",     "Trackinstellingen",   "Track-Einstellungen", "Paramètres des traces",
    "Ajustes de trazas",  "Impostazioni tracce", "Sporindstillinger",   "Spårinställningar"};
const TLanguageStrings SettingsTextGPSCursor = {"GPS cursor", "GPS-cursor", "GPS-Cursor", "Curseur GPS",
                                                "Cursor GPS", "Cursore GPS", "GPS-markør", "GPS-markör"};

namespace {

constexpr int TileHeight = 52;
constexpr int TileWidth = 84;
constexpr int IconSize = 32;
constexpr int RoleCategory = Qt::UserRole + 1;
constexpr int RoleTitle = Qt::UserRole + 2;
constexpr int RoleImage = Qt::UserRole + 3;
constexpr int RolePage = Qt::UserRole + 4;

int Scaled(int value, bool scaled) {
    if (!scaled) return value;
    const int dpi = qApp->primaryScreen() ? int(qApp->primaryScreen()->logicalDotsPerInch()) : 96;
    return (value * dpi + 48) / 96;
}

// ---- icons -----------------------------------------------------------------------------

const QColor Ink(40, 60, 90);
const QColor Sea(120, 170, 220);

void DrawScreen(QPainter &p) {
    p.setPen(QPen(Ink, 2));
    p.setBrush(Sea);
    p.drawRoundedRect(QRectF(4, 5, 24, 17), 2, 2);
    p.drawLine(QPointF(16, 22), QPointF(16, 27));
    p.drawLine(QPointF(10, 28), QPointF(22, 28));
}

void DrawTracks(QPainter &p) {
    p.setPen(QPen(QColor(200, 40, 40), 2.5, Qt::SolidLine, Qt::RoundCap));
    QPainterPath path(QPointF(4, 26));
    path.cubicTo(QPointF(12, 4), QPointF(18, 30), QPointF(28, 6));
    p.drawPath(path);
    p.setPen(QPen(Ink, 1));
    p.setBrush(Qt::white);
    for (const QPointF &pt : {QPointF(4, 26), QPointF(16, 18), QPointF(28, 6)}) p.drawEllipse(pt, 2.5, 2.5);
}

void DrawColors(QPainter &p) {
    p.setPen(QPen(Ink, 1));
    const QColor colours[] = {QColor(230, 50, 50), QColor(50, 170, 60), QColor(40, 90, 220),
                              QColor(250, 200, 30)};
    const QPointF centres[] = {{11, 11}, {21, 11}, {11, 21}, {21, 21}};
    for (int i = 0; i < 4; ++i) {
        p.setBrush(colours[i]);
        p.drawEllipse(centres[i], 6.5, 6.5);
    }
}

void DrawScale(QPainter &p) {
    p.setPen(QPen(Ink, 1.5));
    p.setBrush(QColor(250, 230, 160));
    p.drawRect(QRectF(3, 11, 26, 10));
    for (int x = 6; x <= 26; x += 4) p.drawLine(QPointF(x, 11), QPointF(x, x % 8 == 6 ? 17 : 15));
}

void DrawRoute(QPainter &p) {
    const QPointF pts[] = {{4, 26}, {12, 10}, {20, 20}, {28, 5}};
    p.setPen(QPen(QColor(230, 60, 60), 2.5));
    p.drawPolyline(pts, 4);
    p.setPen(QPen(Ink, 1));
    p.setBrush(Qt::white);
    for (const QPointF &pt : pts) p.drawEllipse(pt, 3, 3);
}

void DrawGPSCursor(QPainter &p) {
    p.setPen(QPen(Ink, 1, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(16, 16), 13, 13);
    p.setPen(QPen(Ink, 1.5));
    p.setBrush(QColor(120, 120, 120));
    const QPointF ship[] = {{16, 6}, {21, 24}, {16, 21}, {11, 24}};
    p.drawPolygon(ship, 4);
}

void DrawWaypoint(QPainter &p) {
    p.setPen(QPen(Ink, 2));
    p.drawLine(QPointF(9, 4), QPointF(9, 29));
    p.setPen(QPen(Ink, 1));
    p.setBrush(QColor(230, 50, 50));
    const QPointF flag[] = {{10, 5}, {26, 10}, {10, 16}};
    p.drawPolygon(flag, 3);
}

void DrawChart(QPainter &p) {
    p.setPen(QPen(Ink, 1.5));
    p.setBrush(QColor(245, 235, 200));
    const QPointF sheet[] = {{3, 7}, {12, 4}, {20, 7}, {29, 4}, {29, 25}, {20, 28}, {12, 25}, {3, 28}};
    p.drawPolygon(sheet, 8);
    p.setPen(QPen(Sea, 3));
    p.drawLine(QPointF(6, 20), QPointF(26, 12));
}

}  // namespace

QImage SettingsIconImage(TSettingsIcon icon) {
    QImage image(IconSize, IconSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    switch (icon) {
    case TSettingsIcon::Screen: DrawScreen(p); break;
    case TSettingsIcon::Tracks: DrawTracks(p); break;
    case TSettingsIcon::Colors: DrawColors(p); break;
    case TSettingsIcon::Scale: DrawScale(p); break;
    case TSettingsIcon::Routes: DrawRoute(p); break;
    case TSettingsIcon::GPSCursor: DrawGPSCursor(p); break;
    case TSettingsIcon::Waypoints: DrawWaypoint(p); break;
    case TSettingsIcon::Charts: DrawChart(p); break;
    case TSettingsIcon::Count: break;
    }
    return image;
}

// ---- delegate -------------------------------------------------------------------------------

TSettingsTileDelegate::TSettingsTileDelegate(TImageList *images, bool scaled, QObject *parent)
    : QStyledItemDelegate(parent), FImages(images), FScaled(scaled) {}

QSize TSettingsTileDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const {
    return QSize(option.rect.width() > 0 ? option.rect.width() : TileWidth, Scaled(TileHeight, true));
}

void TSettingsTileDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                  const QModelIndex &index) const {
    painter->save();
    const QPalette &pal = option.palette;
    const bool selected = (option.state & QStyle::State_Selected) != 0;
    const bool hot = (option.state & QStyle::State_MouseOver) != 0;
    if (selected || hot) {
        const QColor highlight = pal.color(QPalette::Highlight);
        const TColor blend = ColorBlend(ColorToTColor(highlight), ColorToTColor(pal.color(QPalette::Base)),
                                        selected ? 0.5f : 0.2f);
        painter->setPen(highlight);
        painter->setBrush(TColorToColor(blend));
        painter->drawRect(option.rect.adjusted(1, 1, -2, -2));
    }
    QFont font = option.font;
    font.setPointSize(8);
    painter->setFont(font);
    const QFontMetrics fm(font);
    const QRect &r = option.rect;
    const int bandTop = r.bottom() - (fm.height() + Scaled(5, FScaled));
    const QRect band(r.left(), bandTop, r.width(), r.bottom() - 2 - bandTop);
    painter->setPen(pal.color(QPalette::Text));
    painter->drawText(band, Qt::AlignCenter | Qt::TextSingleLine, index.data(Qt::DisplayRole).toString());
    const QPixmap icon = FImages->Pixmap(index.data(RoleImage).toInt());
    if (!icon.isNull()) {
        const QRect above(r.left(), r.top(), r.width(), bandTop - r.top());
        painter->drawPixmap(above.center().x() - icon.width() / 2 + 1,
                            above.center().y() - icon.height() / 2 + 1, icon);
    }
    if ((option.state & QStyle::State_HasFocus) && (option.state & QStyle::State_Active)) {
        painter->setPen(QPen(Qt::white, 1, Qt::DotLine));
        painter->setBrush(Qt::NoBrush);
        painter->setBackground(Qt::black);
        painter->setBackgroundMode(Qt::OpaqueMode);
        const int dx = Scaled(1, FScaled), dy = Scaled(3, FScaled);
        painter->drawRect(r.adjusted(dx, dy, -dx - 1, -dy - 1));
    }
    painter->restore();
}

// ---- frame ----------------------------------------------------------------------------------

TSettingsTileFrame::TSettingsTileFrame(QWidget *parent, bool scaledTitle)
    : TFrameScaled(parent), ListView(new QListView(this)), PanelTitle(new QLabel(this)),
      PanelContents(new QWidget(this)), ImageList(new TImageList(IconSize, IconSize, this)),
      FModel(new QStandardItemModel(this)), FScaledTitle(scaledTitle) {
    for (int i = 0; i < int(TSettingsIcon::Count); ++i)
        ImageList->Add(SettingsIconImage(TSettingsIcon(i)));
    NightScreenAddImageList(NightScreen(), ImageList);
    ListView->setModel(FModel);
    ListView->setItemDelegate(new TSettingsTileDelegate(ImageList, scaledTitle, ListView));
    ListView->setMouseTracking(true);
    ListView->setAttribute(Qt::WA_Hover);
    ListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView->setUniformItemSizes(true);
    ListView->setFixedWidth(TileWidth);
    connect(ImageList, &TImageList::Changed, ListView->viewport(), qOverload<>(&QWidget::update));
    connect(ListView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TSettingsTileFrame::ListViewChange);

    PanelTitle->setAutoFillBackground(true);
    QPalette pal = PanelTitle->palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Dark));
    pal.setColor(QPalette::WindowText, pal.color(QPalette::BrightText));
    PanelTitle->setPalette(pal);
    PanelTitle->setContentsMargins(4, 4, 4, 4);
    if (scaledTitle) {
        QFont f = PanelTitle->font();
        f.setPointSize(9);
        PanelTitle->setFont(f);
    }
    auto *contents = new QVBoxLayout(PanelContents);
    contents->setContentsMargins(0, 6, 0, 0);
    auto *right = new QVBoxLayout;
    right->addWidget(PanelTitle);
    right->addWidget(PanelContents, 1);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ListView);
    layout->addLayout(right, 1);
}

TSettingsTileFrame::~TSettingsTileFrame() {
    NightScreenRemoveImageList(NightScreen(), ImageList);
}

void TSettingsTileFrame::AddTile(int category, const QString &caption, const QString &title,
                                 TSettingsIcon icon, QWidget *page, bool select) {
    auto *item = new QStandardItem(caption);
    item->setData(category, RoleCategory);
    item->setData(title, RoleTitle);
    item->setData(int(icon), RoleImage);
    item->setData(QVariant::fromValue(static_cast<QObject *>(page)), RolePage);
    page->setParent(PanelContents);
    page->hide();
    PanelContents->layout()->addWidget(page);
    FModel->appendRow(item);
    if (select) {
        FAdding = true;
        ListView->setCurrentIndex(item->index());
        FAdding = false;
    }
}

void TSettingsTileFrame::ClearTiles() {
    ListView->clearSelection();
    for (int row = 0; row < FModel->rowCount(); ++row)
        delete FModel->item(row)->data(RolePage).value<QObject *>();
    FModel->clear();
    FShownPage = nullptr;
}

int TSettingsTileFrame::RowOf(int category) const {
    for (int row = 0; row < FModel->rowCount(); ++row)
        if (FModel->item(row)->data(RoleCategory).toInt() == category) return row;
    return -1;
}

int TSettingsTileFrame::SelectedCategory() const {
    const QModelIndexList rows = ListView->selectionModel()->selectedIndexes();
    return rows.isEmpty() ? -1 : rows.first().data(RoleCategory).toInt();
}

QWidget *TSettingsTileFrame::Page(int category) const {
    const int row = RowOf(category);
    return row < 0 ? nullptr : qobject_cast<QWidget *>(FModel->item(row)->data(RolePage).value<QObject *>());
}

void TSettingsTileFrame::SelectCategory(int category) {
    const int row = RowOf(category);
    if (row >= 0) ListView->setCurrentIndex(FModel->index(row, 0));
}

void TSettingsTileFrame::ListViewChange() {
    if (FShownPage) FShownPage->hide();
    FShownPage = nullptr;
    const QModelIndexList rows = ListView->selectionModel()->selectedIndexes();
    if (rows.isEmpty()) {
        PanelTitle->clear();
        return;
    }
    const QModelIndex index = rows.first();
    PanelTitle->setText(index.data(RoleTitle).toString());
    FShownPage = qobject_cast<QWidget *>(index.data(RolePage).value<QObject *>());
    if (FShownPage) FShownPage->show();
    if (!FAdding && OnCategoryChosen) OnCategoryChosen(index.data(RoleCategory).toInt());
}
