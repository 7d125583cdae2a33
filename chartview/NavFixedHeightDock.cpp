#include "chartview/NavFixedHeightDock.h"

#include <QDockWidget>
#include <algorithm>

TFixedHeightDock::TFixedHeightDock(QDockWidget *dock, QWidget *client) : FDock(dock), FClient(client) {
    if (!dock) return;
    auto changed = [this] {
        if (OnDockChanged) OnDockChanged();
        Apply(FHeight);
    };
    QObject::connect(dock, &QDockWidget::topLevelChanged, client, changed);
    QObject::connect(dock, &QDockWidget::dockLocationChanged, client, changed);
}

void TFixedHeightDock::Apply(int contentHeight) {
    ++FApplyCount;
    FHeight = std::max(contentHeight, MinimumClientHeight);
    if (!FClient) return;
    FClient->setMinimumHeight(FHeight);
    FClient->setMaximumHeight(FHeight);
    FClient->resize(FClient->width(), FHeight);
}

QSize TFixedHeightDock::MinClientSize() const {
    const int w = FClient ? FClient->minimumWidth() : 0;
    return {w, FClient ? std::max(FClient->minimumHeight(), MinimumClientHeight) : MinimumClientHeight};
}

QSize TFixedHeightDock::Bounded(int w, int h) const {
    const QSize m = MinClientSize();
    return {std::max(w, m.width()), std::max(h, m.height())};
}
