// The dockable navigation-information panel: it stacks the GPS block, the waterway-ahead
// block, the route block and the next-route-point block, keeps the dock exactly as tall as
// the visible blocks, fans the main window's refresh, language, unit and route calls out to
// them and listens to the route-following notifications for the waterway block.
//
// The GPS block sits at the top or at the bottom of the stack ("PanelGPS" under
// "Desktop\NavInfo": 5 bottom, anything else top). The main window creates the panel once
// inside its dock panel and frees it before the environment. GUI thread only.
#pragma once

#include "base/forms/KvFrameScaled.h"
#include "chartview/FraNavInfoWWLine.h"
#include "chartview/NavFixedHeightDock.h"

#include <KvLibNav6/KvNavEnv.h>

#include <array>
#include <functional>

class IGeodeticCalibration;
class IWptRoute;
class QDockWidget;
class TFrameNavInfoGPSStatus;
class TFrameNavInfoRoute;
class TFrameNavInfoRouteOpen;
class TFrameNavInfoWW;
class TMarivoNavEnv;

class TFrameNavInfo : public TFrameScaled {
    Q_OBJECT
public:
    static constexpr int BorderWidth = 1;
    static constexpr int GPSAtTop = 1;
    static constexpr int GPSAtBottom = 5;

    // panel may be nullptr (a frame outside a dock, in tests of the blocks).
    TFrameNavInfo(QDockWidget *panel, TMarivoNavEnv &env);
    ~TFrameNavInfo() override;

    // Nothing while the dock is hidden; calibration nullptr outside the tick.
    void UpdateValues(IGeodeticCalibration *calibration, bool force);
    // Every block, visible or not, with the GPS block's buttons.
    void RefreshAll();
    void UpdateTexts();
    void RouteSelected();
    void FillRouteList();
    void ApplyUnitSettings();
    void ApplyColors();
    void SwitchGPSPosition();
    void UpdateHeight();
    // A geometry below the dock's minimum client size is raised to it.
    void SetBounds(int left, int top, int width, int height);

    std::function<void(TFrameNavInfo *)> OnGPSChange;
    std::function<void(IWptRoute *)> OnRouteSelect;
    TNavInfoDetailsEvent OnShowObjectDetails;

    TFrameNavInfoGPSStatus *GPSStatus() const { return FGPSStatus; }
    TFrameNavInfoWW *WaterwayAhead() const { return FWaterwayAhead; }
    TFrameNavInfoRoute *RouteBlock() const { return FRouteBlock; }
    TFrameNavInfoRouteOpen *RouteOpenBlock() const { return FRouteOpenBlock; }
    // Detail panel 2 (top) .. 5 (bottom) that holds the block's widget; 0 when none.
    int DetailOf(const QWidget *block) const;
    const TFixedHeightDock &Dock() const { return FDock; }
    // The subscriber's work, for code the dispatcher hands in.
    void HandleNotification(const TNavNotification &n);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void KeepHeight();
    static void NotificationProc(void *data, TNavNotification *n);
    // Stacks the blocks' panels in the order of the stored position.
    void PlaceBlocks(bool gpsAtBottom);
    void BlockHeightChanged();

    TMarivoNavEnv &Env;
    QDockWidget *FPanel;
    TFixedHeightDock FDock;
    bool Updating = false;
    bool FSubscribed = false;
    QWidget *PanelBackground;
    // Index 0 is the always hidden first panel; 1..4 hold the blocks in display order.
    std::array<QWidget *, 5> PanelDetail{};
    QWidget *PanelGPS = nullptr, *PanelWW = nullptr, *PanelRoute = nullptr, *PanelRouteOpen = nullptr;
    TFrameNavInfoGPSStatus *FGPSStatus = nullptr;
    TFrameNavInfoWW *FWaterwayAhead = nullptr;
    TFrameNavInfoRoute *FRouteBlock = nullptr;
    TFrameNavInfoRouteOpen *FRouteOpenBlock = nullptr;
};
