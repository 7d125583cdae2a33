// The chart status strip: edition, last update, upgrades notice and name of the chart in
// focus, as the title bar of its dock panel (its grip moves the panel, its close box hides
// it). GUI thread; the panel, the service and the charts are not owned.
#pragma once

#include "base/forms/KvFrameScaled.h"

#include <KvLibNav6/KvCharts.h>
#include <KvLibNav6/KvWebServices.h>

#include <functional>

class QDockWidget;
class QLabel;

class TFrameChartStatus : public TFrameScaled {
    Q_OBJECT
public:
    // Becomes panel's title-bar widget. manager: finds the product that owns a chart set.
    TFrameChartStatus(QDockWidget *panel, IChartManager *manager);

    void SetChart(IMRCChartCheck *service, IChartCatalogueEntry *entry, IChart *s57Chart);
    void UpdateTexts();
    void UpdateValues();
    void SetLocked(bool locked);
    bool Locked() const { return FLocked; }
    int CloseState() const { return FCloseState; }

    QWidget *PaintBoxChartStatusGrip = nullptr;
    QLabel *LabelChartEdition = nullptr, *LabelChartEditionValue = nullptr;
    QLabel *LabelChartUpdated = nullptr, *LabelChartUpdatedValue = nullptr;
    QLabel *LabelChartUpgrades = nullptr, *LabelChartUpgradesValue = nullptr;
    QLabel *LabelChartName = nullptr, *LabelChartNameValue = nullptr;
    QWidget *PaintBoxChartStatusClose = nullptr;

    // The web shop's base address (installation store; empty: the upgrades link does nothing).
    QString ShopBaseAddress;
    // Opens an address in the desktop's handler (tests replace it).
    std::function<void(const QString &url)> OpenDocument;
    // The panel's close handler, called after the close box hid the panel.
    std::function<void(TFrameChartStatus *sender)> OnClose;

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool EditionState(uint32_t &product, uint32_t &moduleBit) const;
    void UpgradesClicked();
    void SetCloseState(int state);
    void PaintGrip();
    void PaintClose();

    QDockWidget *FPanel;
    IChartManager *FManager;
    IMRCChartCheck *FService = nullptr;
    IChartCatalogueEntry *FEntry = nullptr;
    IChart *FS57Chart = nullptr;
    int FCloseState = 1;  // bits: 1 shown, 2 hot, 4 pressed
    bool FLocked = false;
    bool FUpgradesLink = false;
};
