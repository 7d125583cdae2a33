// The frame's two view states, its tracking settings, the stored view (calibration) and
// bringing the last view back at start.
#include "chartview/FraViewer.h"

#include "base/registry/KvRegistry.h"
#include "base/settings/KvRegCharts.h"
#include "shell/MarivoNavEnv.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int32_t Root = AppRegRoot::Product;
constexpr double MinStoredScale = 10.0;
constexpr double MaxStoredScale = 500000000.0;
// A screen pixel at 96 dpi, in metres: enough to tell a sane stored scale from garbage.
constexpr double NominalScreenPixelM = 0.0254 / 96.0;
constexpr double EarthRadiusM = 6371000.0;

int32_t ReadScale(const QString &key, const ValueName &name, int32_t def) {
    const int32_t stored = RegReadIntegerDef(GetAppReg(), Root, key, name, def);
    return stored > 0 ? stored : def;
}

void WriteInteger(const QString &key, const ValueName &name, int32_t value) {
    int32_t err = 0;
    RegWriteInteger(GetAppReg(), Root, key, name, value, err);
}

bool IsCourseLikeMode(int32_t mode) {
    return mode == NavViewerTrackingMode::CourseUp || mode == NavViewerTrackingMode::HeadUp ||
           mode == NavViewerTrackingMode::LegUp;
}

int32_t RoundScale(double scale) {
    if (!std::isfinite(scale)) return 0;
    return int32_t(std::nearbyint(std::clamp(scale, 0.0, 2147483647.0)));
}

// Ground metres of one pixel at the view's centre, or NaN when the calibration gives
// nothing usable there.
double CalibrationMetresPerPixel(IGeodeticCalibration *cal, int32_t width, int32_t height) {
    TGeoPoint a, b;
    cal->PixelToGeo(a, TDouble2{width / 2.0, height / 2.0});
    cal->PixelToGeo(b, TDouble2{width / 2.0 + 1.0, height / 2.0});
    if (!std::isfinite(a.Lat) || !std::isfinite(a.Lon) || !std::isfinite(b.Lat) ||
        !std::isfinite(b.Lon))
        return std::nan("");
    const double dLat = b.Lat - a.Lat;
    const double dLon = std::remainder(b.Lon - a.Lon, 2 * M_PI) * std::cos((a.Lat + b.Lat) / 2);
    return std::hypot(dLat, dLon) * EarthRadiusM;
}

}  // namespace

QString TFrameViewer::CalibrationKey() const {
    return objectName() + QStringLiteral("\\Calibration");
}

// ---- settings ---------------------------------------------------------------------------

void TFrameViewer::LoadViewStates(const QString &key) {
    FViewerState = RegReadIntegerDef(GetAppReg(), Root, key, RegName(u"ViewerStateCurrent"), 0) == 0
                       ? ViewerStateIndex::Overview
                       : ViewerStateIndex::Navigation;
    TViewerState &nav = FStates[ViewerStateIndex::Navigation];
    nav.BaseScale = ReadScale(key, RegName(u"ViewerStateNavScale"), 4000);
    nav.CurrentScale = ReadScale(key, RegName(u"ViewerStateNavCurScale"), nav.BaseScale);
    nav.TrackingMode = RegReadTrackingMode(key, QStringLiteral("ViewerStateNavTMode"), 2);
    nav.Tracking = true;
    TViewerState &over = FStates[ViewerStateIndex::Overview];
    over.BaseScale = ReadScale(key, RegName(u"ViewerStateOverScale"), 120000);
    over.CurrentScale = ReadScale(key, RegName(u"ViewerStateOverCurScale"), over.BaseScale);
    over.TrackingMode = RegReadTrackingMode(key, QStringLiteral("ViewerStateOverTMode"), 5);
    over.Tracking =
        RegReadBoolDef(GetAppReg(), Root, key, RegName(u"ViewerStateOverTracking"), true);
}

void TFrameViewer::SaveViewerState() {
    const QString key = objectName();
    const TViewerState &nav = FStates[ViewerStateIndex::Navigation];
    const TViewerState &over = FStates[ViewerStateIndex::Overview];
    WriteInteger(key, RegName(u"ViewerStateCurrent"),
                 FViewerState == ViewerStateIndex::Navigation ? 1 : 0);
    WriteInteger(key, RegName(u"ViewerStateNavScale"), nav.BaseScale);
    WriteInteger(key, RegName(u"ViewerStateNavCurScale"), nav.CurrentScale);
    RegWriteTrackingMode(key, QStringLiteral("ViewerStateNavTMode"), nav.TrackingMode);
    WriteInteger(key, RegName(u"ViewerStateOverScale"), over.BaseScale);
    WriteInteger(key, RegName(u"ViewerStateOverCurScale"), over.CurrentScale);
    int32_t err = 0;
    RegWriteBool(GetAppReg(), Root, key, RegName(u"ViewerStateOverTracking"), over.Tracking, err);
    RegWriteTrackingMode(key, QStringLiteral("ViewerStateOverTMode"), over.TrackingMode);
}

bool TFrameViewer::GetTrackingEnabled() {
    return FViewer->GetTrackingEnabled();
}

void TFrameViewer::SetTrackingEnabled(bool value) {
    ApplyTrackingEnabled(value);
    // The user's last choice in the overview state is what the next start applies.
    if (FViewerState == ViewerStateIndex::Overview &&
        FStates[ViewerStateIndex::Overview].Tracking != value) {
        FStates[ViewerStateIndex::Overview].Tracking = value;
        SaveViewerState();
    }
}

void TFrameViewer::ApplyTrackingEnabled(bool value) {
    FViewer->SetTrackingEnabled(value);
    RegWriteTrackingEnabled(objectName(), value);
    RaiseStateChanged();
}

void TFrameViewer::SetTrackingMode(int32_t mode) {
    if (mode != NavViewerTrackingMode::CourseUp && mode != NavViewerTrackingMode::NorthUp)
        mode = FViewer->GetTrackingMode();
    FViewer->SetTrackingMode(mode);
    RegWriteTrackingMode(objectName(), QStringLiteral("TrackingMode"), mode);
    RaiseStateChanged();
}

void TFrameViewer::SetTrackingTarget(int32_t target) {
    FViewer->SetTrackingTarget(target);
    RegWriteTrackingTarget(objectName(), target);
    RaiseStateChanged();
}

void TFrameViewer::SetTrackingZoom100(bool value) {
    FViewer->SetTrackingZoom100(value);
    RegWriteTrackingZoom100(objectName(), value);
    RaiseStateChanged();
}

void TFrameViewer::SetTrackingAutoPos(bool value) {
    RegWriteTrackingAutoPos(objectName(), value);
    FViewer->SetTrackingAutoPos(value);
    RaiseStateChanged();
}

// ---- view states --------------------------------------------------------------------------

void TFrameViewer::ApplyCourseLineFlag() {
    bool courseLine = true;
    if (FViewerState == ViewerStateIndex::Overview)
        courseLine =
            RegReadBoolDef(GetAppReg(), Root, objectName(), RegName(u"GPSCourseLine"), false);
    uint32_t flags = FViewer->GetGPSFlags();
    if (courseLine) flags |= NavViewerGPSFlag::CourseLine;
    else flags &= ~NavViewerGPSFlag::CourseLine;
    FViewer->SetGPSFlags(flags);
}

void TFrameViewer::ApplyPlotPosition() {
    TFloat2 plot{0.5f, 0.7f};
    if (!IsCourseLikeMode(FViewer->GetTrackingMode())) {
        plot = RegReadGPSPlotPosition(objectName());
        const auto unit = [](float v) {
            return std::isfinite(v) ? std::clamp(v, 0.0f, 1.0f) : 0.5f;
        };
        plot = {unit(plot.X), unit(plot.Y)};
    }
    FViewer->SetTrackingCursorPos(&plot);
}

void TFrameViewer::ApplyViewerState(bool useBase) {
    ApplyViewerState(useBase, FStates.at(size_t(FViewerState)).Tracking);
}

void TFrameViewer::ApplyViewerState(bool useBase, bool overviewTracking) {
    const TViewerState &rec = FStates.at(size_t(FViewerState));
    const bool overview = FViewerState == ViewerStateIndex::Overview;
    ApplyCourseLineFlag();
    if (!IsRouteExploreMode()) FViewer->SetOverviewMode(overview);
    FViewer->SetTrackingView(rec.TrackingMode, useBase ? rec.BaseScale : rec.CurrentScale);
    ApplyPlotPosition();
    ApplyTrackingEnabled(overview ? overviewTracking : true);
    if (FViewer->GetTrackingEnabled()) FViewer->UpdateTrackingPosition();
    if (useBase) CaptureViewerState();
    RaiseStateChanged();
}

void TFrameViewer::CaptureViewerState() {
    TViewerState &rec = FStates.at(size_t(FViewerState));
    rec.TrackingMode = FViewer->GetTrackingMode();
    const int32_t scale = RoundScale(FViewer->GetScale());
    if (scale > 0) rec.CurrentScale = scale;
    ApplyPlotPosition();
    SaveViewerState();
}

// ---- own ship and tracking --------------------------------------------------------------

bool TFrameViewer::OwnShipPosition(TGeoPoint &position) const {
    return FEnv.Boat && FEnv.Boat->HasPosition() && FEnv.Boat->GetPosition(position);
}

void TFrameViewer::CentreOnOwnShip() {
    TGeoPoint ship;
    if (!OwnShipPosition(ship)) return;
    const TDouble2 centre = *FViewer->GetCenterPoint();
    FViewer->Zoom100At(&ship, &centre);
}

void TFrameViewer::UpdateTracking() {
    TGeoPoint ship;
    const QWidget *parent = parentWidget();
    if ((parent && !parent->isVisible()) || !OwnShipPosition(ship)) return;
    if (FViewer->GetTrackingActive()) FViewer->UpdateTrackingPosition();
    FViewer->update();
}

void TFrameViewer::UpdateSecond() {
    FViewer->UpdateSecond();
}

void TFrameViewer::FindGPSPosition() {
    TGeoPoint ship;
    if (!FViewer->GetCanMove() || !FViewer->GetCanZoom() || !OwnShipPosition(ship)) return;
    const TFloat2 plot = *FViewer->GetTrackingCursorPos();
    const TDouble2 point{FViewer->width() * double(plot.X) - 0.5,
                         FViewer->height() * double(plot.Y) - 0.5};
    FViewer->Zoom100At(&ship, &point);
    CaptureViewerState();
}

// ---- the stored view ----------------------------------------------------------------------

bool TFrameViewer::ReadStoredCalibration(IGeodeticCalibration *cal) {
    const int32_t w = FViewer->width(), h = FViewer->height();
    if (!RegReadCalibration(CalibrationKey(), cal, w, h) || cal->HasError()) return false;
    // A damaged or absurd view would leave the user in an empty picture at every start.
    const double scale = CalibrationMetresPerPixel(cal, w, h) / NominalScreenPixelM;
    return std::isfinite(scale) && scale >= MinStoredScale && scale <= MaxStoredScale;
}

void TFrameViewer::RestoreView() {
    FViewRestored = true;
    TNavPtr<IGeodeticCalibration> cal(GeodeticCalibrationCreate());
    if (cal && ReadStoredCalibration(cal.get())) {
        FViewer->SetCalibration(cal.get());
        // Tracking goes on as the viewer was left. The overview record's flag can disagree
        // (their defaults do, on a fresh store); applied here, it would move a view that was
        // left still to the own ship, kilometres away.
        ApplyViewerState(false, FViewer->GetTrackingEnabled());
        return;
    }
    if (FViewer->GetChartCount() > 0) {
        FViewer->ZoomToChart(FViewer->GetChart(0));
        CentreOnOwnShip();
    } else if (FViewer->GetS57ChartCount() > 0) {
        FViewer->ZoomToS57Chart(FViewer->GetS57Chart(0));
        CentreOnOwnShip();
    } else if (FViewer->GetOSMLayerEnabled()) {
        FViewer->ZoomToBackgroundMap();
        CentreOnOwnShip();
    }
    CaptureViewerState();
}

void TFrameViewer::ViewerUpdateCalibration() {
    if (!FViewRestored) return;
    // A pan redraws many times a second; the stored view needs only the last of them.
    FCalibrationPending = true;
    FCalibrationTimer.start();
}

void TFrameViewer::FlushCalibration() {
    if (!FCalibrationPending) return;
    FCalibrationPending = false;
    FCalibrationTimer.stop();
    IGeodeticCalibration *cal = FViewer ? FViewer->GetCalibration() : nullptr;
    if (!cal) return;
    RegWriteCalibration(CalibrationKey(), cal);
    // A pan changes the scale of a Mercator view with the latitude; the stored scale
    // must be the stored view's, or the next start zooms away from it.
    const int32_t scale = RoundScale(FViewer->GetScale());
    TViewerState &rec = FStates.at(size_t(FViewerState));
    if (scale > 0 && scale != rec.CurrentScale) {
        rec.CurrentScale = scale;
        SaveViewerState();
    }
}
