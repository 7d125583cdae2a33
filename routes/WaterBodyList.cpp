#include "routes/WaterBodyList.h"

#include "objectinfo/KvWWNetwork.h"
#include "routes/RoutePointSelectTexts.h"

#include <KvLibNav6/KvWWNetwork.h>

#include <QListWidget>
#include <QSignalBlocker>

const std::array<int32_t, 17> WaterBodyListOrder = {3, 0, 1, 2, 4, 5, 11, 6, 7, 9, 10, 8, 12, 13, 14, 15, 16};

void FillWaterBodyList(QListWidget *list, IWWNetwork *network) {
    const QSignalBlocker blocker(list);
    if (!network) {
        list->clear();
        return;
    }
    const uint32_t checked = WaterBodyListMask(list);
    const int row = list->currentRow();
    list->clear();
    for (int32_t n : WaterBodyListOrder) {
        if (!network->HasWaterBody(n)) continue;
        auto *item = new QListWidgetItem(LanguageText(RoutePointSelectText::WaterBodyTexts[n]), list);
        item->setData(Qt::UserRole, n);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState((checked & WaterBodyMask(n)) ? Qt::Checked : Qt::Unchecked);
    }
    if (row >= 0 && row < list->count()) list->setCurrentRow(row);
}

void ShowWaterBodyMask(QListWidget *list, uint32_t mask) {
    const QSignalBlocker blocker(list);
    for (int i = 0; i < list->count(); ++i) {
        QListWidgetItem *item = list->item(i);
        const bool on = (mask & WaterBodyMask(item->data(Qt::UserRole).toInt())) != 0;
        item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    }
}

uint32_t WaterBodyListMask(const QListWidget *list, uint32_t keep) {
    uint32_t mask = keep;
    for (int i = 0; i < list->count(); ++i) {
        const QListWidgetItem *item = list->item(i);
        const uint32_t bit = WaterBodyMask(item->data(Qt::UserRole).toInt());
        mask = item->checkState() == Qt::Checked ? (mask | bit) : (mask & ~bit);
    }
    return mask;
}
