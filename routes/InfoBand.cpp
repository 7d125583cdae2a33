#include "routes/InfoBand.h"

#include "base/dialogs/KvMsgIcons.h"

#include <QHBoxLayout>
#include <QLabel>
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
