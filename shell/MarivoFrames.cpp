#include "shell/MarivoFrames.h"

#include "chartview/FraViewer.h"
#include "objectinfo/FraLinkDetails.h"

#include <QPointer>

namespace {

// The chart-viewer frame as the main window calls it.
class TViewerFrameAdapter : public IFrameViewer {
public:
    TViewerFrameAdapter(QWidget *owner, TMarivoNavEnv &env)
        : FFrame(new TFrameViewer(owner, false, env, 0, 0, QStringLiteral("Main chart viewer"),
                                  QStringLiteral("ViewerMain"))) {}
    ~TViewerFrameAdapter() override { delete FFrame.data(); }

    QWidget *Widget() override { return FFrame; }
    TNavViewerControl *ViewerControl() override { return FFrame->Viewer(); }
    QToolBar *ToolbarMain() override { return FFrame->ToolbarMain; }
    QToolBar *ToolbarS57() override { return FFrame->ToolbarS57; }
    void Invalidate() override {
        FFrame->update();
        if (V()) V()->update();
    }
    void LoadSettings(bool, bool, bool, bool) override { FFrame->LoadSettings(); }
    void RestoreView() override { FFrame->RestoreView(); }
    void UpdateTracking() override { FFrame->UpdateTracking(); }
    void SetEditMode(int mode) override {
        if (V()) V()->SetEditMode(mode);
    }
    bool GetShowTrackActive() override { return V() && V()->GetShowTrackActive(); }
    bool GetTrackDrawComplete() override { return V() && V()->GetTrackDrawComplete(); }
    void SetRouteEditFlags(int32_t flags) override {
        if (V()) V()->SetRouteEditFlags(uint32_t(flags));
    }
    void SetShowScaleBar(bool on) override {
        if (V()) V()->SetShowScaleBar(on);
    }
    void SetShowCompassNeedle(bool on) override {
        if (V()) V()->SetShowCompassNeedle(on);
    }
    void SetWidthMonitorAuto(bool on) override {
        if (V()) V()->SetWidthMonitorAuto(on);
    }
    void SetWidthMonitorMM(int32_t mm) override {
        if (V()) V()->SetWidthMonitorMM(mm);
    }
    void SetWaterwayNetwork(IWWNetwork *network) override {
        if (V()) V()->SetWaterwayNetwork(network);
    }
    void SetSelectedRoutePoint(IWptRoutePoint *point) override {
        if (V()) V()->SetSelectedRoutePoint(point);
    }
    void SetEditRoute(IWptRoute *route) override {
        if (V()) V()->SetEditRoute(route);
    }
    void SetHighlightObject(NavObject *object) override {
        if (V()) V()->SetHighlightObject(object);
    }
    void SetTrackList(INavTrackList *list) override {
        if (V()) V()->SetTrackList(list);
    }
    void UpdateObjects() override { FFrame->RefreshObjects(); }
    bool GetCenterPosition(TGeoPoint &centre) override {
        const TGeoPoint *p = V() ? V()->GetCenterPosition() : nullptr;
        if (!p) return false;
        centre = *p;
        return true;
    }
    IGeodeticCalibration *GetCalibration() override { return V() ? V()->GetCalibration() : nullptr; }
    void ClearS57Pick() override {
        if (V()) V()->ClearS57Pick();
    }
    void ClearSelectedObject() override {
        if (V()) V()->ClearSelectedObject();
    }
    void SetReportPosition(const TGeoPoint &position) override {
        if (V()) V()->SetReportPosition(position);
    }
    void UpdateEverySecond() override { FFrame->UpdateSecond(); }
    void SetPlannerValues(float waterLevel, float value400, float value401) override {
        if (!V()) return;
        V()->SetNAPWaterLevel(waterLevel);
        V()->SetPlannerParam2(value400);
        V()->SetPlannerParam3(value401);
    }

private:
    TNavViewerControl *V() const { return FFrame ? FFrame->Viewer() : nullptr; }
    QPointer<TFrameViewer> FFrame;  // a child of the main window; deleted with the adapter
};

}  // namespace

TMainFrameFactories ProgramFrameFactories() {
    // Only the frames that are part of the program have a factory; the other panels stay
    // empty.
    TMainFrameFactories f;
    f.Viewer = [](QWidget *host, TMarivoNavEnv &env) -> std::unique_ptr<IFrameViewer> {
        return std::make_unique<TViewerFrameAdapter>(host, env);
    };
    f.LinkDetails = &CreateFrameLinkDetails;
    return f;
}
