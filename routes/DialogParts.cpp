#include "routes/DialogParts.h"

#include "base/dialogs/KvMsgIcons.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QTreeView>
#include <QLabel>
#include <QPainter>
#include <QWidget>

QWidget *NewInfoPanel(QWidget *parent) {
    auto *panel = new QWidget(parent);
    panel->setAutoFillBackground(true);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::ToolTipBase));
    panel->setPalette(pal);
    return panel;
}

QWidget *NewInfoBand(QWidget *parent, int iconType, bool boldText, QLabel *&image, QLabel *&label) {
    QWidget *panel = NewInfoPanel(parent);
    image = new QLabel(panel);
    image->setPixmap(MsgIconLoad(iconType, false, 16));
    label = new QLabel(panel);
    if (boldText) {
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
    }
    auto *row = new QHBoxLayout(panel);
    row->addWidget(image);
    row->addWidget(label, 1);
    return panel;
}

QLabel *NewColorSwatch(QWidget *parent) {
    auto *swatch = new QLabel(parent);
    swatch->setFixedSize(40, 18);
    swatch->setAutoFillBackground(true);
    swatch->setFrameShape(QFrame::Box);
    return swatch;
}

void SetSwatchColor(QLabel *swatch, const QColor &colour) {
    QPalette pal = swatch->palette();
    pal.setColor(QPalette::Window, colour);
    swatch->setPalette(pal);
}

void PaintCheckerboard(QPainter &p, const QRect &rect) {
    constexpr int cell = 5;
    for (int y = rect.top(); y <= rect.bottom(); y += cell)
        for (int x = rect.left(); x <= rect.right(); x += cell) {
            const bool odd = ((x - rect.left()) / cell + (y - rect.top()) / cell) % 2;
            p.fillRect(QRect(x, y, cell, cell) & rect, odd ? QColor(0xDD, 0xDD, 0xDD) : QColor(Qt::white));
        }
}

QTreeView *NewCheckList(QWidget *parent, QAbstractItemModel *model, QAbstractItemDelegate *delegate,
                        QObject *mouseFilter, std::initializer_list<int> widths) {
    auto *list = new QTreeView(parent);
    list->setModel(model);
    list->setItemDelegate(delegate);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setMouseTracking(true);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    list->viewport()->installEventFilter(mouseFilter);
    QHeaderView *h = list->header();
    h->setSectionsClickable(true);
    h->setSortIndicatorShown(true);
    h->setStretchLastSection(false);
    int column = 0;
    for (int w : widths) h->resizeSection(column++, w);
    return list;
}
