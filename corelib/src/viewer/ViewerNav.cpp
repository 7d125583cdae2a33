// The navigation viewer (NavViewerCreate): the chart viewer plus the program's objects on
// top (waterway network, alarm zones, tracks, routes, waypoints, distance measurement, own
// ship, scale bar, compass needle, user notifications), their hit tests and mouse editing
// with the viewer and object events, and tracking of the own ship. The layers themselves
// are drawn by RenderOverlay*.cpp; the display options the settings dialogs set are kept by
// TNavViewerOptions.
#include "viewer/ViewerNavOptions.h"

#include "environment/NotificationCenter.h"
#include "geodesy/GeodesyEngine.h"
#include "graphics/Bmp32Impl.h"
#include "network/WWNetwork.h"
#include "tracks/TrackFile.h"
#include "viewer/RenderOverlay.h"
#include "viewer/ViewerReplay.h"
#include "waypoints/WptModel.h"

#include "KvLibNav6/KvLib.h"
#include "KvLibNav6/KvNavBoat.h"
#include "KvLibNav6/KvNavEnv.h"
#include "KvLibNav6/KvTracks.h"
#include "KvLibNav6/KvUnits.h"
#include "KvLibNav6/KvWaypoints.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <optional>
#include <utility>

using namespace kv::render;

namespace {

// A point of the distance measurement; the viewer owns it.
class TDistancePoint final : public NavObject {
public:
    explicit TDistancePoint(const TGeoPoint &p) : Pos(p) {}
    TGeoPoint Pos;
};

// The track the own ship records, asked afresh each time: the ship attaches a new track
// whenever the recording starts over.
class TActiveTrackSource final : public INavActiveTrackSource {
public:
    bool HasTrack() override { return GetTrack() != nullptr; }
    INavTrack *GetTrack() override { return Boat ? Boat->GetTrack() : nullptr; }
    INavBoat *Boat = nullptr;
};

QColor Argb(uint32_t v) { return QColor::fromRgba(v); }

double SegmentDistance(const QPointF &p, const QPointF &a, const QPointF &b) {
    const QPointF d = b - a;
    const double len2 = QPointF::dotProduct(d, d);
    const double t = len2 > 0 ? std::clamp(QPointF::dotProduct(p - a, d) / len2, 0.0, 1.0) : 0.0;
    return QLineF(a + t * d, p).length();
}

constexpr double HitRadius = 8.0;
// How far beside a waterway, in pixels, a click still means that waterway.
constexpr double RouteSnapPixels = 12.0;

// One press, drag and release on an object the edit mode lets the mouse move; at most one
// of the three is set.
struct TDragGesture {
    kv::wpt::TPolygonPoint *ZoneCorner = nullptr;
    IWptRoutePoint *RoutePoint = nullptr;
    IWptWaypoint *Waypoint = nullptr;
    bool Moved = false;
    bool Active() const { return ZoneCorner || RoutePoint || Waypoint; }
};

class TNavViewer final : public TNavViewerOptions {
public:
    using TNavViewerOptions::TNavViewerOptions;
    ~TNavViewer() override = default;

    // ---- objects and events ----
    void SetNavObjects(INavEnv *env, IWptManager *wptManager, INavStructOperationManager *, NavObject *,
                       NavObject *, NavObject *, NavObject *, NavObject *, NavObject *, void *, NavObject *,
                       INavPredictedTime *predictedTime, INavBoat *boat, IWptDatabase *userDatabase) override {
        FEnv = env;
        FPredictedTime = predictedTime;
        FWptManager = wptManager;
        FBoat = boat;
        FActiveSource.Boat = boat;
        FUserDatabase = userDatabase;
    }
    void SetViewerEventHandler(ViewerEventProc cb, void *data) override {
        FViewerEventCb = cb;
        FViewerEventData = data;
    }
    void SetObjectEventHandler(ViewerEventProc cb, void *data) override {
        FObjectEventCb = cb;
        FObjectEventData = data;
    }
    void SetPolygonList(IWptPolygonList *list) override { FPolygons = list; }
    void SetRouteList(IWptRouteList *list) override {
        FRoutes = list;
        FCore.Invalidate();
    }
    void SetTrackList(INavTrackList *list) override {
        FTracks = list;
        FCore.Invalidate();
    }
    void SetWaypointList(IWptWaypointList *list) override {
        FWaypoints = list;
        FCore.Invalidate();
    }
    void SetWaterwayNetwork(IWWNetwork *network) override {
        // Sections and structures of the old network die with it.
        FNetwork = network;
        FSelectedStructs.clear();
        FCore.Invalidate();
    }
    void SetNotificationCenter(INavNotificationCenter *centre) override {
        FNotifications = centre;
        FNotificationBoxes.clear();
        FCore.Invalidate();
    }
    void SetOptionalObject(NavObject *obj) override { FOptional = obj; }
    void AddChartArea(int32_t bits, double lat1, double lon1, double lat2, double lon2) override {
        const QRectF rect = QRectF(GeoToMercator({lat1, lon1}), GeoToMercator({lat2, lon2})).normalized();
        // The areas are handed over again on every full interface set-up: one copy each.
        for (const auto &area : FChartAreas)
            if (area.first == bits && area.second == rect) return;
        FChartAreas.push_back({bits, rect});
    }
    void SetChartAreaMask(int32_t mask) override { FChartAreaMask = mask; }
    void SetUnitDepth(int32_t unit) override {
        FCore.FDepthUnit = unit;
        FCore.RefreshCharts();
    }
    void SetClearColor(uint32_t argb) override {
        FCore.FClearColour = argb | 0xFF000000u;
        FCore.RefreshCharts();
    }
    // The one-second tick: follow the own ship and pick up changed notifications.
    void UpdateSecond() override {
        if (FTrackingEnabled) UpdateTrackingPosition();
        const uint64_t revision = kv::NotificationCenterRevision(FNotifications);
        const bool shipMoved = FBoat && FBoat->HasPosition();
        if (revision != FNotificationRevision || shipMoved) {
            FNotificationRevision = revision;
            FCore.Invalidate();
        }
    }
    void UpdateObjects() override { FCore.Invalidate(); }
    void RefreshObjectLayer1() override {}
    void RefreshObjectLayer2() override {}
    void RefreshObjectLayer3() override {}
    void SetHighlightObject(NavObject *obj) override {
        FHighlight = obj;
        FCore.Invalidate();
    }

    // ---- selection ----
    IWptRoute *GetRouteAtMouse() override { return FCore.FMouseInside ? RouteAt(FCore.MousePixel()) : nullptr; }
    IWptRoutePoint *GetRoutePointAtMouse() override {
        return FCore.FMouseInside ? RoutePointAt(FCore.MousePixel()) : nullptr;
    }
    IWptWaypoint *GetWaypointAtMouse() override { return FCore.FMouseInside ? WaypointAt(FCore.MousePixel()) : nullptr; }
    IWptRoutePoint *GetSelectedRoutePoint() override { return FSelectedPoint; }
    void SetSelectedRoutePoint(IWptRoutePoint *point) override {
        FSelectedPoint = point;
        FCore.Invalidate();
    }
    void SetSelectedRoute(IWptRoute *route) override {
        FSelectedRoute = route;
        FCore.Invalidate();
    }
    IWptWaypoint *GetSelectedWaypoint() override { return FSelectedWaypoint; }
    void SetSelectedWaypoint(IWptWaypoint *w) override {
        FSelectedWaypoint = w;
        FCore.Invalidate();
    }
    void RemoveWaypoint(IWptWaypoint *w) override {
        if (FSelectedWaypoint == w) FSelectedWaypoint = nullptr;
        if (FDrag.Waypoint == w) FDrag = {};
        if (FHighlight == w) FHighlight = nullptr;
        FCore.Invalidate();
    }
    void ClearSelectedObject() override {
        FSelectedWaypoint = nullptr;
        FSelectedPoint = nullptr;
        FSelectedRoute = nullptr;
        FCore.Invalidate();
    }
    bool GetS57PickAvailable() override { return FCore.FPick != nullptr; }
    void ClearS57Pick() override {
        FCore.ClearS57Pick();
        FCore.Invalidate();
    }
    IWptRoute *GetEditRoute() override { return FEditRoute; }
    void SetEditRoute(IWptRoute *route) override {
        FEditRoute = route;
        FCore.Invalidate();
    }
    int32_t GetEditMode() override { return FEditMode; }
    void SetEditMode(int32_t mode) override {
        if (mode != NavViewerEditMode::None && mode != NavViewerEditMode::Waypoints && mode != NavViewerEditMode::Routes &&
            mode != NavViewerEditMode::Distance && mode != NavViewerEditMode::AlarmZones)
            return;
        if (mode == NavViewerEditMode::AlarmZones && FEditMode != mode) {
            // "Edit alarm zone" acts on the zone under the mouse.
            FEditZone = FCore.FMouseInside ? AlarmZoneAt(FCore.MousePixel()) : nullptr;
            FSelectedZonePoint = nullptr;
        } else if (mode != NavViewerEditMode::AlarmZones) {
            FEditZone = nullptr;
            FSelectedZonePoint = nullptr;
            FDrag = {};
        }
        FEditMode = mode;
        FCore.Invalidate();
    }
    int32_t GetMouseState() override { return FCore.FDragging ? NavViewerMouseState::DragView : 0; }
    // Hover kinds: 1 waypoint, 2 route point, 3 route, 4 distance point, 5 S-57 cell, 6 raster
    // chart, 7 alarm zone, 8 network section, 9 network structure, 10 notification, 11 own
    // ship; 12 names nothing this viewer draws.
    bool GetHoverState01() override { return GetWaypointAtMouse() != nullptr; }
    bool GetHoverState02() override { return GetRoutePointAtMouse() != nullptr; }
    bool GetHoverState03() override { return GetRouteAtMouse() != nullptr; }
    bool GetHoverState04() override { return GetDistancePointAtMouse() != nullptr; }
    bool GetHoverState05() override { return GetS57ChartAtMouseCount() > 0; }
    bool GetHoverState06() override { return GetChartAtMouseCount() > 0; }
    bool GetHoverState07() override { return GetAlarmZoneAtMouse() != nullptr; }
    bool GetHoverState08() override { return GetNetworkSectionAtMouse() != nullptr; }
    bool GetHoverState09() override {
        auto *net = NetworkImpl(FNetwork);
        return net && FCore.FMouseInside && !NetworkStructsAt(FCore.View(), *net, NetworkStyle(), FCore.MousePixel()).empty();
    }
    bool GetHoverState10() override {
        int32_t kind = 0;
        return FCore.FMouseInside && NotificationAt(FNotificationBoxes, FCore.MousePixel(), kind);
    }
    bool GetHoverState11() override {
        return FCore.FMouseInside && OwnShipHit(FCore.View(), OwnShipOf(FBoat), ShipStyle(), FCore.MousePixel());
    }
    bool GetHoverState12() override { return false; }
    int32_t GetRouteEditHit() override {
        if (FEditMode != NavViewerEditMode::Routes || !FEditRoute || !FCore.FMouseInside) return 0;
        IWptRoutePoint *p = RoutePointAt(FCore.MousePixel());
        if (p && p->GetRoute() == FEditRoute) return 1;
        if (RouteAt(FCore.MousePixel()) == FEditRoute) return 3;
        return 2;
    }
    bool GetCanMove() override { return !(FTrackingEnabled && GetTrackingActive()); }
    bool GetCanZoom() override { return !FTrackingZoom100; }

    // ---- distance measurement and alarm zones ----
    NavObject *GetDistancePointAtMouse() override {
        if (!FCore.FMouseInside) return nullptr;
        for (auto &p : FDistance)
            if (QLineF(FCore.View().PixelOf(p->Pos), FCore.MousePixel()).length() <= HitRadius) return p.get();
        return nullptr;
    }
    void DeleteDistancePoint(NavObject *point) override {
        std::erase_if(FDistance, [point](const auto &p) { return p.get() == point; });
        FCore.Invalidate();
    }
    void ClearDistanceCalculation() override {
        FDistance.clear();
        FCore.Invalidate();
    }
    IWptPolygon *GetAlarmZoneAtMouse() override { return FCore.FMouseInside ? AlarmZoneAt(FCore.MousePixel()) : nullptr; }
    IWptPolygon *GetEditAlarmZone() override {
        CheckEditZone();
        return FEditZone;
    }
    NavObject *GetSelectedAlarmZonePoint() override {
        CheckEditZone();
        return FSelectedZonePoint;
    }

    // ---- tracks ----
    void ShowTrack(INavTrack *track) override {
        if (track && std::find(FShownTracks.begin(), FShownTracks.end(), track) == FShownTracks.end())
            FShownTracks.push_back(track);
        FCore.Invalidate();
    }
    void SetReplayTrack(INavTrack *track) override {
        FReplayTrack = track;
        FTrackReplayMode = track != nullptr;
        RaiseViewer(ViewerEventKind::ReplayTimeChanged, nullptr);
        if (FTrackingEnabled && track) UpdateTrackingPosition();
        FCore.Invalidate();
    }
    INavTrack *GetReplayTrack() override { return FReplayTrack; }
    void SetReplayTime(TDateTime time) override {
        TNavViewerOptions::SetReplayTime(time);
        if (FTrackingEnabled && Replaying()) UpdateTrackingPosition();
    }
    void GetTrackList(INavTrackList *out) override {
        if (!out) return;
        for (INavTrack *t : VisibleTracks()) out->Add(t);
    }
    INavActiveTrackSource *GetActiveTrackSource() override { return &FActiveSource; }
    void SetTrackLineWidth(int32_t width) override {
        FTrackLineWidth = std::clamp(width, 1, 20);
        FCore.Invalidate();
    }
    void SetLegWidth(int32_t width) override {
        FLegWidth = std::clamp(width, 1, 20);
        FCore.Invalidate();
    }
    void SetCursorScale(float scale) override {
        if (std::isfinite(scale)) FCursorScale = std::clamp(scale, 0.8f, 2.0f);
    }
    void SetDistanceCirclesCount(int32_t count) override { FDistanceCirclesCount = std::clamp(count, 0, 20); }

    // ---- network ----
    IWWSection *GetNetworkSectionAtMouse() override { return SectionAtMouse().Section; }
    double GetNetworkDistanceAtMouse() override { return SectionAtMouse().Position; }
    IWWStruct *GetSelectedStructure(int32_t index) override {
        return index >= 0 && size_t(index) < FSelectedStructs.size() ? FSelectedStructs[size_t(index)] : nullptr;
    }
    int32_t GetSelectedStructureCount() override { return int32_t(FSelectedStructs.size()); }

    // ---- tracking ----
    bool GetTrackingActive() override {
        TGeoPoint p;
        return FTrackingEnabled && GetTrackingTargetPosition(p);
    }
    bool GetTrackingEnabled() override { return FTrackingEnabled; }
    void SetTrackingEnabled(bool on) override {
        FTrackingEnabled = on;
        if (on) UpdateTrackingPosition();
    }
    int32_t GetTrackingMode() override { return FTrackingMode; }
    void SetTrackingMode(int32_t mode) override {
        if (mode >= NavViewerTrackingMode::ChartUp && mode <= NavViewerTrackingMode::WindDown) FTrackingMode = mode;
        if (mode == NavViewerTrackingMode::NorthUp) FCore.SetViewRotation(0.0);
        if (FTrackingEnabled) UpdateTrackingPosition();
    }
    // Target 0 is the own ship's position; target 1 the position it reaches at the explored
    // time on its present course and speed (now when no time is explored).
    bool GetTrackingTargetPosition(TGeoPoint &pos) override {
        pos = {GeoPointNoPosition, GeoPointNoPosition};
        // A replay is followed instead of the own ship.
        if (Replaying()) {
            TOwnShip replayed;
            if (!ReplayPoseAt(*FReplayTrack, FReplayTime, replayed)) return false;
            pos = replayed.Position;
            return true;
        }
        const TOwnShip ship = OwnShipOf(FBoat);
        if (!ship.HasPosition) return false;
        pos = ship.Position;
        if (FTrackingTarget == NavViewerTrackingTarget::PredictedPosition && FPredictedTime) {
            const double ahead = FPredictedTime->GetTimeOffset();
            if (ahead > 0 && std::isfinite(ahead) && ship.SpeedMS > 0)
                pos = kv::geodesy::GeodesicDirect(ship.Position, ship.CourseRad, ship.SpeedMS * ahead);
        }
        return true;
    }
    const TFloat2 *GetTrackingCursorPos() override { return &FTrackingCursor; }
    void SetTrackingCursorPos(const TFloat2 *pos) override {
        if (pos) FTrackingCursor = {std::clamp(pos->X, 0.0f, 1.0f), std::clamp(pos->Y, 0.0f, 1.0f)};
    }
    void SetTrackingView(int32_t mode, double scale) override {
        SetTrackingMode(mode);
        if (scale > 0 && FCore.GetScale() > 0) FCore.ZoomAt(FCore.GetScale() / scale, FCore.View().CenterPixel());
    }
    void UpdateTrackingPosition() override {
        TGeoPoint p;
        if (!GetTrackingTargetPosition(p)) return;
        const TViewState &v = FCore.View();
        TViewState next = v;
        double up = 0.0;  // the true direction that points straight up
        if (TrackingUp(up)) next.Rotation = std::remainder(-up, 2 * M_PI);
        else if (FTrackingMode == NavViewerTrackingMode::NorthUp) next.Rotation = 0.0;
        next.Place(GeoToMercator(p), QPointF(v.Width * FTrackingCursor.X, v.Height * FTrackingCursor.Y));
        if (next.Center == v.Center && next.Rotation == v.Rotation) return;
        FCore.SetView(next);
    }
    void SetHomePosition(TGeoPoint pos) override {
        FHome = pos;
        RaiseViewer(ViewerEventKind::HomePositionSet, nullptr);
        FCore.Invalidate();
    }
    void SetReportPosition(TGeoPoint pos) override {
        FReport = pos;
        FCore.Invalidate();
    }
    void SetSelectingReportPoint(bool on) override { FSelectingReport = on; }
    void ZoomToRoute(IWptRoute *route) override {
        if (!route) return;
        QRectF box;
        for (int i = 0; i < route->GetPointCount(); ++i) {
            const TRoutePosition *p = route->GetPoint(i)->GetPosition();
            const QPointF m = GeoToMercator({p->Lat, p->Lon});
            box = box.isNull() ? QRectF(m, QSizeF(1, 1)) : box.united(QRectF(m, QSizeF(1, 1)));
        }
        FCore.ZoomToMercator(box.adjusted(-box.width() * 0.1, -box.height() * 0.1, box.width() * 0.1, box.height() * 0.1));
    }

    // ---- scale bar ----
    void GetScaleInfo(INavScaleInfo *t) override {
        if (!t) return;
        t->SetDepth(FScale.Depth);
        t->SetWaves(FScale.Waves);
        t->SetScaleMode(FScale.Mode);
        t->SetPixelScale(FScale.PixelScale);
        t->SetCurrent10x(FScale.Current10x);
        t->SetTimeCount(FScale.TimeCount);
        t->SetTimeLength(FScale.TimeLength);
    }
    void SetScaleSettings(INavScaleInfo *i) override {
        if (!i) return;
        FScale = {i->GetDepth(), i->GetWaves(), i->GetScaleMode(), i->GetPixelScale(), i->GetCurrent10x(),
                  i->GetTimeCount(), i->GetTimeLength()};
        FCore.Invalidate();
    }

    void PrintOverlays(DeviceContext printerDC, IGeodeticCalibration *pageCal, bool routes, bool tracks,
                       bool waypoints) override {
        auto *painter = static_cast<QPainter *>(printerDC);
        TViewState v;
        if (!painter || !ViewFromCalibrationOf(pageCal, pageCal ? pageCal->GetWidth() : 0,
                                                pageCal ? pageCal->GetHeight() : 0, v))
            return;
        if (routes) DrawRoutes(*painter, v);
        if (tracks) DrawTracks(*painter, v);
        if (waypoints) DrawWaypoints(*painter, v);
    }


protected:
    // ---- drawing ----
    void DrawOverlays(QPainter &p, const TViewState &v) override {
        p.save();
        p.setRenderHint(QPainter::Antialiasing, true);
        if (auto *net = NetworkImpl(FNetwork)) DrawNetwork(p, v, *net, NetworkStyle(), FSelectedStructs);
        DrawAlarmZones(p, v);
        // A track sailed along a route lies on top of it: the route would hide it.
        DrawRoutes(p, v);
        DrawTracks(p, v);
        DrawWaypoints(p, v);
        DrawDistance(p, v);
        DrawMarker(p, v, FHome, QColor(0, 120, 0), GeoPointNoHome);
        DrawMarker(p, v, FReport, QColor(200, 0, 160), GeoPointNoPosition);
        const TOwnShip ship = OwnShipOf(FBoat);
        DrawOwnShip(p, v, ship, ShipStyle());
        if (FShowBearingLine && FCore.FMouseInside) {
            double bearing = 0, metres = 0;
            BearingAndDistance(v, ship, FCore.MousePixel(), bearing, metres);
            DrawBearingLine(p, v, ship, FCore.MousePixel(), DistanceText(metres));
        }
        if (FShowNavInfo) DrawNavInfo(p, v, ship, SpeedText(ship.SpeedMS));
        if (FShowScaleBar) DrawScaleBar(p, v);
        if (FShowScaleBar && FShowScaleValue) DrawScaleValue(p, v, FCore.GetScale());
        if (FShowCompassNeedle) DrawCompass(p, v);
        FNotificationBoxes = DrawNotifications(p, v, FNotifications);
        FNotificationRevision = kv::NotificationCenterRevision(FNotifications);
        p.restore();
    }

    // ---- overlay layers ----
    TNetworkStyle NetworkStyle() const {
        TNetworkStyle s;
        s.Flags = FNetworkFlags;
        s.Colour = FWWSectionColor;
        s.Back = FWWSectionColorBack;
        s.Unpassable = FWWSectionColorUnpassable;
        s.MaxWidth = FWWSectionMaxWidth;
        s.ScaleDenominator = FCore.GetScale();
        return s;
    }
    TOwnShipStyle ShipStyle() const {
        TOwnShipStyle s;
        s.Flags = FGPSFlags | NavViewerGPSFlag::Cursor;
        s.ColourFix = FColorGPSFix;
        s.ColourNoFix = FColorGPSNoFix;
        s.CursorScale = FCursorScale;
        s.CirclesAuto = FDistanceCirclesAuto;
        s.CircleSpacingM = FDistanceCircles;
        s.CircleCount = FDistanceCirclesCount;
        s.CourseLineColour = FColorRhumbline;
        s.CourseLineWidth = FRhumblineWidth;
        return s;
    }
    TSectionHit SectionAtMouse() const {
        auto *net = NetworkImpl(FNetwork);
        if (!net || !FCore.FMouseInside) return {};
        return NetworkSectionAt(FCore.View(), *net, NetworkStyle(), FCore.MousePixel());
    }
    // The zones to draw: the environment's visible polygons plus the one being edited.
    std::vector<IWptPolygon *> Zones() const {
        std::vector<IWptPolygon *> out;
        if (FPolygons)
            for (int i = 0; i < FPolygons->GetCount(); ++i)
                if (auto *z = dynamic_cast<IWptPolygon *>(FPolygons->GetItem(i))) out.push_back(z);
        if (FEditZone && std::find(out.begin(), out.end(), FEditZone) == out.end()) out.push_back(FEditZone);
        return out;
    }
    // The edited zone is dropped once its database no longer holds it (deleted meanwhile).
    void CheckEditZone() {
        if (!FEditZone) return;
        bool alive = FPolygons && FPolygons->IndexOf(FEditZone) >= 0;
        if (!alive)
            if (auto *db = dynamic_cast<kv::wpt::TDatabase *>(FUserDatabase))
                for (auto &z : db->FPolygons) alive = alive || z.get() == FEditZone;
        if (!alive) {
            FEditZone = nullptr;
            FSelectedZonePoint = nullptr;
            return;
        }
        if (FSelectedZonePoint) {
            auto *z = dynamic_cast<kv::wpt::TPolygon *>(FEditZone);
            const bool kept = z && std::any_of(z->FPoints.begin(), z->FPoints.end(),
                                               [this](const auto &pt) { return pt.get() == FSelectedZonePoint; });
            if (!kept) FSelectedZonePoint = nullptr;
        }
    }
    void DrawAlarmZones(QPainter &p, const TViewState &v) {
        CheckEditZone();
        const TZoneStyle style{FColorAlarmzoneInside, FColorAlarmzoneOutside};
        for (IWptPolygon *z : Zones()) DrawAlarmZone(p, v, z, style, z == FEditZone, FSelectedZonePoint);
    }
    IWptPolygon *AlarmZoneAt(const QPointF &px) {
        CheckEditZone();
        const auto zones = Zones();
        for (auto it = zones.rbegin(); it != zones.rend(); ++it)
            if (AlarmZoneHit(FCore.View(), *it, px)) return *it;
        return nullptr;
    }
    // The true direction the tracking mode puts up; false for modes that keep the rotation.
    bool TrackingUp(double &up) const {
        const TOwnShip ship = OwnShipOf(FBoat);
        switch (FTrackingMode) {
        case NavViewerTrackingMode::CourseUp:
            up = ship.CourseRad;
            return ship.HasPosition;
        case NavViewerTrackingMode::HeadUp:
            up = ship.HeadingRad;
            return ship.HasPosition;
        case NavViewerTrackingMode::WindDown:
            up = ship.WindFromRad;
            return ship.HasPosition;
        case NavViewerTrackingMode::LegUp:
            if (INavRouteNavigation *rn = FBoat ? FBoat->GetRouteNavigation() : nullptr)
                if (IWptRoutePoint *target = rn->GetTargetPoint())
                    if (IWptRoutePoint *from = target->GetPrevious()) {
                        const TRoutePosition *a = from->GetPosition(), *b = target->GetPosition();
                        double distance = 0, course = 0;
                        kv::geodesy::GeodesicInverse({a->Lat, a->Lon}, {b->Lat, b->Lon}, distance, course);
                        up = course;
                        return distance > 0;
                    }
            return false;
        default:
            return false;
        }
    }

    bool Replaying() const { return FReplayTrack && FTrackReplayMode; }
    std::vector<INavTrack *> VisibleTracks() const {
        std::vector<INavTrack *> out;
        if (FTracks && FShowVisibleTracks)
            for (int i = 0; i < FTracks->GetCount(); ++i)
                if (auto *t = dynamic_cast<INavTrack *>(FTracks->GetItem(i))) out.push_back(t);
        for (INavTrack *t : FShownTracks)
            if (std::find(out.begin(), out.end(), t) == out.end()) out.push_back(t);
        return out;
    }

    // The shown tracks in the viewer's line width, then the one being recorded in the width
    // the track settings gave it.
    void DrawTracks(QPainter &p, const TViewState &v) {
        const QTransform toPixel = v.ToPixel();
        const std::vector<INavTrack *> shown = VisibleTracks();
        for (INavTrack *t : shown)
            if (!Replaying() || t != FReplayTrack) DrawTrack(p, toPixel, *t, FTrackLineWidth);
        if (Replaying())
            DrawReplay(p, v, *FReplayTrack, FReplayTime, FTrackDrawComplete, FTrackLineWidth, ShipStyle(), FReplayLine);
        INavTrack *active = FShowTrackActive ? FActiveSource.GetTrack() : nullptr;
        if (active && std::find(shown.begin(), shown.end(), active) == shown.end()) {
            const float width = kv::trk::TrackWidth(*active);
            DrawTrack(p, toPixel, *active, width > 0.0f ? qreal(width) : qreal(FTrackLineWidth));
        }
    }
    void DrawTrack(QPainter &p, const QTransform &toPixel, INavTrack &t, qreal width) {
        const uint32_t rgb = t.GetColor();  // red in the low byte
        QPen pen(QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF), width);
        pen.setJoinStyle(Qt::RoundJoin);
        p.setPen(pen);
        QPolygonF line;
        for (int i = 0; i < t.GetPointCount(); ++i) {
            const TTrackPoint *tp = t.GetPoint(i);
            if (!tp) break;
            line << toPixel.map(GeoToMercator({tp->Lat / TrackPointUnitsPerRadian, tp->Lon / TrackPointUnitsPerRadian}));
        }
        p.drawPolyline(line);
        DrawTrackMarks(p, t, line, pen.color(), FTrackPointInterval, FTrackTimeInterval);
        if (FShowTrackNames && !line.isEmpty()) p.drawText(line.last() + QPointF(6, -6), kv::ToQString(*t.GetName()));
    }

    std::vector<IWptRoute *> Routes() const {
        std::vector<IWptRoute *> out;
        if (FRoutes && (FRouteFlags & NavViewerRouteFlag::Routes))
            for (int i = 0; i < FRoutes->GetCount(); ++i)
                if (auto *r = dynamic_cast<IWptRoute *>(FRoutes->GetItem(i))) out.push_back(r);
        if (FEditRoute && std::find(out.begin(), out.end(), FEditRoute) == out.end()) out.push_back(FEditRoute);
        return out;
    }

    static QPointF PointPixel(IWptRoutePoint *pt, const QTransform &toPixel) {
        const TRoutePosition *pos = pt->GetPosition();
        return toPixel.map(GeoToMercator({pos->Lat, pos->Lon}));
    }

    // The route the own ship follows, nullptr when none.
    IWptRoute *FollowedRoute() const {
        INavRouteNavigation *rn = FBoat ? FBoat->GetRouteNavigation() : nullptr;
        return rn ? rn->GetRoute() : nullptr;
    }
    uint32_t RouteColour(IWptRoute *r, IWptRoute *followed) const {
        if (r == FEditRoute) return FColorLegEditMotoring;
        if (r == followed) return FColorLegActiveMotoring;
        if (r == FSelectedRoute || r == FHighlight) return FColorLegSelectedMotoring;
        return FColorLegMotoring;
    }
    // The whole route as one line: its legs joined at the route points.
    static QPolygonF RouteLine(const std::vector<QPolygonF> &legs) {
        QPolygonF line;
        for (const QPolygonF &leg : legs)
            for (qsizetype i = line.isEmpty() ? 0 : 1; i < leg.size(); ++i) line << leg[i];
        return line;
    }

    void DrawRoutes(QPainter &p, const TViewState &v) {
        const QTransform toPixel = v.ToPixel();
        IWptRoute *followed = FollowedRoute();
        for (IWptRoute *r : Routes()) {
            const uint32_t colour = RouteColour(r, followed);
            const QPolygonF line = RouteLine(RouteLegLines(toPixel, *r, FNetwork));
            p.setPen(QPen(Argb(FColorLegBack), FLegWidth + 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawPolyline(line);
            p.setPen(QPen(Argb(colour), FLegWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawPolyline(line);
            for (int i = 0; i < r->GetPointCount(); ++i) {
                IWptRoutePoint *pt = r->GetPoint(i);
                const QPointF at = PointPixel(pt, toPixel);
                const bool selected = pt == FSelectedPoint;
                p.setPen(QPen(Argb(colour), 1.5));
                p.setBrush(selected ? Argb(colour) : QColor(Qt::white));
                p.drawEllipse(at, selected ? 6 : 4, selected ? 6 : 4);
                if (FRouteFlags & NavViewerRouteFlag::PointNameLabels) {
                    QString name = kv::ToQString(*pt->GetDisplayName());
                    if (name.isEmpty()) name = QString::number(i + 1);
                    DrawLabel(p, at + QPointF(7, -7), name, LabelOpacity());
                }
            }
            if ((FRouteFlags & NavViewerRouteFlag::NameLabels) && !line.isEmpty()) {
                p.setPen(Argb(colour));
                p.drawText(line.first() + QPointF(7, 14), kv::ToQString(*r->GetName()));
            }
        }
    }

    std::vector<IWptWaypoint *> Waypoints() const {
        std::vector<IWptWaypoint *> out;
        if (FWaypoints && (FWaypointFlags & NavViewerWaypointFlag::Waypoints))
            for (int i = 0; i < FWaypoints->GetCount(); ++i)
                if (auto *w = dynamic_cast<IWptWaypoint *>(FWaypoints->GetItem(i))) out.push_back(w);
        return out;
    }

    void DrawWaypoints(QPainter &p, const TViewState &v) {
        const QTransform toPixel = v.ToPixel();
        const QRectF area = QRectF(-20, -20, v.Width + 40, v.Height + 40);
        QFont font = p.font();
        font.setPixelSize((FWaypointFlags & NavViewerWaypointFlag::NameLabelsBig) ? 15 : 12);
        p.setFont(font);
        for (IWptWaypoint *w : Waypoints()) {
            const TGeoPoint *pos = w->GetPosition();
            const QPointF at = toPixel.map(GeoToMercator(*pos));
            if (!area.contains(at)) continue;
            IWptWaypointType *type = w->GetType();
            QImage *symbol = type ? kv::Bmp32Image(type->GetSymbol()) : nullptr;
            if (symbol && !symbol->isNull()) {
                p.drawImage(at - QPointF(type->GetOriginX(), type->GetOriginY()), *symbol);
            } else {
                p.setPen(QPen(Qt::black, 1.5));
                p.setBrush(QColor(255, 200, 0));
                p.drawRect(QRectF(at - QPointF(4, 4), QSizeF(8, 8)));
            }
            if (w == FSelectedWaypoint || w == FHighlight) {
                p.setPen(QPen(QColor(255, 140, 0), 2));
                p.setBrush(Qt::NoBrush);
                p.drawEllipse(at, 10, 10);
            }
            if (FWaypointFlags & (NavViewerWaypointFlag::NameLabels | NavViewerWaypointFlag::NameLabelsBig)) {
                const uint32_t bgra = type ? type->GetMainTextColor() : 0xFF000000u;
                DrawLabel(p, at + QPointF(8, -8), kv::ToQString(*w->GetName()), LabelOpacity(),
                          QColor::fromRgba(bgra | 0xFF000000u));
            }
        }
    }

    void DrawDistance(QPainter &p, const TViewState &v) {
        if (FDistance.empty()) return;
        QPolygonF line;
        for (auto &d : FDistance) line << v.PixelOf(d->Pos);
        p.setPen(QPen(QColor(200, 0, 0), 2, Qt::DashLine));
        p.drawPolyline(line);
        double total = 0;
        for (size_t i = 0; i < FDistance.size(); ++i) {
            if (i > 0) total += kv::geodesy::GeodesicDistance(FDistance[i - 1]->Pos, FDistance[i]->Pos);
            p.setBrush(Qt::white);
            p.drawEllipse(line[int(i)], 4, 4);
            if (i > 0) p.drawText(line[int(i)] + QPointF(7, -7), DistanceText(total));
        }
    }

    // Labels get a background box only while smart labels are on.
    int LabelOpacity() const { return FSmartLabels ? FSmartLabelTransparency : 0; }
    static QString UnitName(int32_t unit) {
        IStrW *name = StrWCreate(u"", 0);
        _UnitToStr(name, unit);
        const QString text = kv::ToQString(*name->GetRec());
        ObjectDelete(name);
        return text;
    }
    QString SpeedText(double metresPerSecond) const {
        const int32_t unit = FUnitSpeed != 0 ? FUnitSpeed : KvUnit::Knot;
        return QStringLiteral("%1 %2").arg(UnitConvert(metresPerSecond, KvUnit::MetrePerSecond, unit), 0, 'f', 1)
            .arg(UnitName(unit));
    }
    QString DistanceText(double metres) const {
        if (FUnitDistanceLarge != 0 && UnitConvert(metres, KvUnit::Metre, FUnitDistanceLarge) >= 1.0)
            return QStringLiteral("%1 %2").arg(UnitConvert(metres, KvUnit::Metre, FUnitDistanceLarge), 0, 'f', 2)
                .arg(UnitName(FUnitDistanceLarge));
        return metres >= 1000 ? QStringLiteral("%1 km").arg(metres / 1000, 0, 'f', 2)
                              : QStringLiteral("%1 m").arg(std::lround(metres));
    }

    static void DrawMarker(QPainter &p, const TViewState &v, const TGeoPoint &pos, const QColor &c, double none) {
        if (pos.Lat == none && pos.Lon == none) return;
        const QPointF at = v.PixelOf(pos);
        p.setPen(QPen(c, 2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(at, 7, 7);
        p.drawLine(at - QPointF(10, 0), at + QPointF(10, 0));
        p.drawLine(at - QPointF(0, 10), at + QPointF(0, 10));
    }

    void DrawScaleBar(QPainter &p, const TViewState &v) {
        // A round ground length no longer than 150 pixels at the view centre.
        const double lat = MercatorLat(v.Center.y());
        const double groundPerPixel = v.MetresPerPixel / MercatorScaleFactor(lat);
        const double maxMetres = 150 * groundPerPixel;
        double len = std::pow(10.0, std::floor(std::log10(maxMetres)));
        for (double f : {5.0, 2.0})
            if (len * f <= maxMetres) {
                len *= f;
                break;
            }
        const double px = len / groundPerPixel;
        const QPointF origin(12, v.Height - 14);
        p.setPen(QPen(Qt::black, 2));
        p.drawLine(origin, origin + QPointF(px, 0));
        p.drawLine(origin, origin + QPointF(0, -6));
        p.drawLine(origin + QPointF(px, 0), origin + QPointF(px, -6));
        p.drawText(origin + QPointF(4, -6), DistanceText(len));
    }

    void DrawCompass(QPainter &p, const TViewState &v) {
        const QPointF c(v.Width - 30, 30);
        p.save();
        p.translate(c);
        p.rotate(v.Rotation * 180 / M_PI);
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(QColor(220, 30, 30));
        p.drawPolygon(QPolygonF{{0, -18}, {5, 0}, {-5, 0}});
        p.setBrush(Qt::white);
        p.drawPolygon(QPolygonF{{0, 18}, {5, 0}, {-5, 0}});
        p.drawText(QPointF(-4, -21), QStringLiteral("N"));
        p.restore();
    }

    // ---- hit tests (topmost first) ----
    IWptWaypoint *WaypointAt(const QPointF &px) const {
        const auto list = Waypoints();
        const TViewState &v = FCore.View();
        for (auto it = list.rbegin(); it != list.rend(); ++it)
            if (QLineF(v.PixelOf(*(*it)->GetPosition()), px).length() <= HitRadius) return *it;
        return nullptr;
    }
    IWptRoutePoint *RoutePointAt(const QPointF &px) const {
        const QTransform toPixel = FCore.View().ToPixel();
        const auto routes = Routes();
        for (auto it = routes.rbegin(); it != routes.rend(); ++it)
            for (int i = (*it)->GetPointCount() - 1; i >= 0; --i)
                if (QLineF(PointPixel((*it)->GetPoint(i), toPixel), px).length() <= HitRadius) return (*it)->GetPoint(i);
        return nullptr;
    }
    IWptRoute *RouteAt(const QPointF &px) const {
        const QTransform toPixel = FCore.View().ToPixel();
        const auto routes = Routes();
        for (auto it = routes.rbegin(); it != routes.rend(); ++it) {
            const QPolygonF line = RouteLine(RouteLegLines(toPixel, **it, FNetwork));
            for (qsizetype i = 1; i < line.size(); ++i)
                if (SegmentDistance(px, line[i - 1], line[i]) <= FLegWidth / 2.0 + 3) return *it;
        }
        return nullptr;
    }

    // ---- mouse editing ----
    bool HookMouseDown(int32_t button, uint32_t, const QPointF &px) override {
        if (button != ViewerMouseButton::Left) return false;
        // Notifications lie on top of everything: a press on one never pans.
        if (int32_t kind = 0; NotificationAt(FNotificationBoxes, px, kind)) {
            FPressedNotification = kind;
            return true;
        }
        FDrag = DragTargetAt(px);
        return FDrag.Active();
    }

    // What a press takes up to drag in the present edit mode (selected at once): a corner of
    // the edited alarm zone, a point of the edited route, a waypoint; nothing elsewhere.
    TDragGesture DragTargetAt(const QPointF &px) {
        TDragGesture drag;
        switch (FEditMode) {
        case NavViewerEditMode::AlarmZones:
            CheckEditZone();
            if (NavObject *pt = FEditZone ? AlarmZonePointAt(FCore.View(), FEditZone, px) : nullptr;
                pt && !FEditZone->IsProtected()) {
                drag.ZoneCorner = static_cast<kv::wpt::TPolygonPoint *>(pt);
                FSelectedZonePoint = pt;
            }
            break;
        case NavViewerEditMode::Routes:
            if (FEditRoute && (FRouteEditFlags & NavViewerRouteEditFlag::Move))
                if (IWptRoutePoint *pt = RoutePointAt(px); pt && pt->GetRoute() == FEditRoute) {
                    drag.RoutePoint = pt;
                    FSelectedPoint = pt;
                }
            break;
        case NavViewerEditMode::Waypoints:
            if (IWptWaypoint *w = WaypointAt(px); w && !w->IsProtected()) {
                drag.Waypoint = w;
                FSelectedWaypoint = w;
            }
            break;
        default:
            break;
        }
        return drag;
    }

    bool HookMouseMove(uint32_t, const QPointF &px) override {
        if (!FDrag.Active()) return false;
        const TGeoPoint g = FCore.View().GeoOf(px);
        int32_t err = KvErr::Ok;
        if (FDrag.ZoneCorner) {
            FDrag.ZoneCorner->Pos = g;
            if (auto *z = dynamic_cast<kv::wpt::TPolygon *>(FEditZone)) z->Touch();
        } else if (FDrag.RoutePoint) {
            FDrag.RoutePoint->SetPosition(g, err);
        } else {
            FDrag.Waypoint->SetLatitude(g.Lat, err);
            if (err == KvErr::Ok) FDrag.Waypoint->SetLongitude(g.Lon, err);
        }
        FDrag.Moved = true;
        FCore.Invalidate();
        if (err != KvErr::Ok) throw std::runtime_error("move refused");
        return true;
    }

    // The release of a drag: a moved zone corner tells that the zones changed; a route point
    // or a waypoint is reported, moved or not.
    void EndDrag() {
        const TDragGesture drag = std::exchange(FDrag, TDragGesture{});
        if (drag.ZoneCorner) {
            FCore.Invalidate();
            if (drag.Moved) PostPolygonsChanged();
        } else if (drag.RoutePoint) {
            RaiseObject(ObjectEventKind::RoutePoint, drag.RoutePoint);
            if (drag.Moved) PostRouteObjectChanged(drag.RoutePoint);
        } else {
            RaiseObject(ObjectEventKind::Waypoint, drag.Waypoint);
        }
    }

    bool HookMouseUp(int32_t button, uint32_t, const QPointF &px, bool moved) override {
        if (FPressedNotification) {
            const int32_t pressed = *FPressedNotification;
            FPressedNotification.reset();
            // Only a release over the same notification counts as a click on it.
            if (int32_t kind = 0; NotificationAt(FNotificationBoxes, px, kind) && kind == pressed) {
                kv::NotificationCenterClick(FNotifications, kind);
                FCore.Invalidate();
            }
            return true;
        }
        if (FDrag.Active()) {
            EndDrag();
            return true;
        }
        if (button != ViewerMouseButton::Left || moved) return false;
        const TGeoPoint g = FCore.View().GeoOf(px);
        int32_t err = KvErr::Ok;
        if (FSelectingReport) {
            FReport = g;
            FSelectingReport = false;
            RaiseViewer(ViewerEventKind::ReportPointChosen, nullptr);
            RaiseObject(ObjectEventKind::ReportPosition, nullptr);
            return true;
        }
        switch (FEditMode) {
        case NavViewerEditMode::Routes:
            if (FEditRoute && (FRouteEditFlags & NavViewerRouteEditFlag::Add)) {
                IWptRoutePoint *pt = AddClickedRoutePoint(px, g, err);
                if (err != KvErr::Ok) throw std::runtime_error("route point refused");
                FSelectedPoint = pt;
                RaiseObject(ObjectEventKind::RoutePoint, pt);
                PostRouteObjectChanged(pt);
                FCore.Invalidate();
                return true;
            }
            break;
        case NavViewerEditMode::Waypoints:
            if (FUserDatabase && !WaypointAt(px)) {
                IWptWaypoint *w = FUserDatabase->NewWaypoint(nullptr, TGeoPoint3{g.Lat, g.Lon, 0.0}, nullptr);
                if (!w) throw std::runtime_error("waypoint refused");
                FSelectedWaypoint = w;
                if (FWaypoints) FWaypoints->Add(w);
                RaiseObject(ObjectEventKind::Waypoint, w);
                FCore.Invalidate();
                return true;
            }
            break;
        case NavViewerEditMode::Distance:
            FDistance.push_back(std::make_unique<TDistancePoint>(g));
            FCore.Invalidate();
            return true;
        case NavViewerEditMode::AlarmZones:
            EditZoneClick(px, g);
            FCore.Invalidate();
            return true;
        default:
            break;
        }
        // A plain click reports the object under the mouse, topmost kind first.
        if (IWptRoutePoint *pt = RoutePointAt(px)) {
            FSelectedPoint = pt;
            RaiseObject(ObjectEventKind::RoutePoint, pt);
        } else if (IWptWaypoint *w = WaypointAt(px)) {
            FSelectedWaypoint = w;
            RaiseObject(ObjectEventKind::Waypoint, w);
        } else if (IWptRoute *r = RouteAt(px)) {
            FSelectedRoute = r;
            RaiseObject(ObjectEventKind::Route, r);
        } else if (!NetworkClick(px) && FS57PickEnabled) {
            if (TS57Object *pick = FCore.PickS57(px)) RaiseObject(ObjectEventKind::S57Object, pick);
        }
        FCore.Invalidate();
        return true;
    }

    // A click on structures selects all of them under the mouse and asks for their details;
    // a click on a section asks for the section's. False when the network is not hit.
    bool NetworkClick(const QPointF &px) {
        auto *net = NetworkImpl(FNetwork);
        FSelectedStructs.clear();
        if (!net) return false;
        const TNetworkStyle style = NetworkStyle();
        for (auto *st : NetworkStructsAt(FCore.View(), *net, style, px)) FSelectedStructs.push_back(st);
        INavMessageDispatcher *d = FEnv ? FEnv->GetDispatcher() : nullptr;
        if (!FSelectedStructs.empty()) {
            if (d) d->Post(NavNotify::ShowStructDetails, intptr_t(FSelectedStructs.front()), 0, 0, 0, 0, 0, 0);
            return true;
        }
        const TSectionHit hit = NetworkSectionAt(FCore.View(), *net, style, px);
        if (!hit.Section) return false;
        if (d) d->Post(NavNotify::ShowSectionDetails, intptr_t(static_cast<IWWSection *>(hit.Section)), 0, 0, 0, 0, 0, 0,
                       hit.Position);
        return true;
    }

    // Alarm-zone editing: a corner of the edited zone is selected, elsewhere the click adds a
    // corner to it. Without an edited zone a click on a zone takes it up, and a click beside
    // every zone starts a new one in the user database.
    void EditZoneClick(const QPointF &px, const TGeoPoint &g) {
        CheckEditZone();
        int32_t err = KvErr::Ok;
        if (FEditZone) {
            if (NavObject *pt = AlarmZonePointAt(FCore.View(), FEditZone, px)) {
                FSelectedZonePoint = pt;
                return;
            }
            FEditZone->AddPoint(g, err);
            if (err != KvErr::Ok) throw std::runtime_error("zone point refused");
            if (auto *z = dynamic_cast<kv::wpt::TPolygon *>(FEditZone); z && !z->FPoints.empty())
                FSelectedZonePoint = z->FPoints.back().get();
            PostPolygonsChanged();
            return;
        }
        if (IWptPolygon *z = AlarmZoneAt(px)) {
            FEditZone = z;
            FSelectedZonePoint = nullptr;
            return;
        }
        auto *db = dynamic_cast<kv::wpt::TDatabase *>(FUserDatabase);
        if (!db || !db->IsWritable()) return;
        kv::wpt::TPolygon *zone = db->AddPolygon(kv::wpt::NewGuid());
        zone->AddPoint(g, err);
        if (err != KvErr::Ok) {
            db->DeleteObject(zone);
            throw std::runtime_error("zone point refused");
        }
        if (FPolygons) FPolygons->Add(zone);
        FEditZone = zone;
        FSelectedZonePoint = zone->FPoints.back().get();
        PostPolygonsChanged();
    }
    // A click on or beside a waterway puts the point on the network, so that the planner takes
    // the leg over the waterways; a click elsewhere makes a free point, reached directly.
    IWptRoutePoint *AddClickedRoutePoint(const QPointF &px, const TGeoPoint &g, int32_t &err) {
        if (FNetwork) {
            IWWSection *section = nullptr;
            double offset = 0.0, distance = 0.0;
            FNetwork->NearestLocation(section, offset, distance, g, false, 0.0f, 0.0f, 0.0f, 0.0f);
            if (section) {
                TDouble3 global{};
                section->GetGlobalPositionAt(global, offset);
                TGeoPoint on{};
                GlobalToGeo2(on, global, nullptr);
                if (QLineF(FCore.View().PixelOf(on), px).length() <= RouteSnapPixels)
                    return FEditRoute->AddNetworkPoint(section, offset, 0, err);
            }
        }
        return FEditRoute->AddPointAtPosition(TRoutePosition{g.Lat, g.Lon, 0.0}, err);
    }
    // A point added or moved by the mouse changes the route's legs: the environment plans
    // the route again on this notification.
    void PostRouteObjectChanged(IWptRoutePoint *point) {
        if (INavMessageDispatcher *d = FEnv ? FEnv->GetDispatcher() : nullptr)
            d->Post(NavNotify::RouteObjectChanged, intptr_t(point), 0, 0, 0, 0, 0, 0);
    }
    void PostPolygonsChanged() {
        if (INavMessageDispatcher *d = FEnv ? FEnv->GetDispatcher() : nullptr)
            d->Post(NavNotify::VisiblePolygonsChanged, intptr_t(FEditZone), 0, 0, 0, 0, 0, 0);
    }

    void HookViewChanged() override {}

    void RaiseViewer(int32_t kind, NavObject *obj) {
        if (!FViewerEventCb) return;
        const TViewerEvent ev{kind, obj};
        FViewerEventCb(FViewerEventData, &ev);
    }
    void RaiseObject(int32_t kind, NavObject *obj) {
        if (!FObjectEventCb) return;
        const TViewerEvent ev{kind, obj};
        FObjectEventCb(FObjectEventData, &ev);
    }

    struct TScaleSettings {
        float Depth = 0;
        float Waves = 0;
        int32_t Mode = 0;
        float PixelScale = 0;
        bool Current10x = false;
        int32_t TimeCount = 0;
        int32_t TimeLength = 0;
    };

    INavEnv *FEnv = nullptr;
    IWptManager *FWptManager = nullptr;
    INavBoat *FBoat = nullptr;
    IWptDatabase *FUserDatabase = nullptr;
    IWptPolygonList *FPolygons = nullptr;
    IWptRouteList *FRoutes = nullptr;
    INavTrackList *FTracks = nullptr;
    IWptWaypointList *FWaypoints = nullptr;
    IWWNetwork *FNetwork = nullptr;
    INavNotificationCenter *FNotifications = nullptr;
    NavObject *FOptional = nullptr, *FHighlight = nullptr;
    ViewerEventProc FViewerEventCb = nullptr, FObjectEventCb = nullptr;
    void *FViewerEventData = nullptr, *FObjectEventData = nullptr;
    std::vector<std::pair<int32_t, QRectF>> FChartAreas;
    int32_t FChartAreaMask = 0;
    IWptRoute *FEditRoute = nullptr, *FSelectedRoute = nullptr;
    IWptRoutePoint *FSelectedPoint = nullptr;
    IWptWaypoint *FSelectedWaypoint = nullptr;
    IWptPolygon *FEditZone = nullptr;
    NavObject *FSelectedZonePoint = nullptr;
    TDragGesture FDrag;
    INavPredictedTime *FPredictedTime = nullptr;
    std::vector<kv::ww::TWWStructImpl *> FSelectedStructs;
    std::vector<TNotificationBox> FNotificationBoxes;
    uint64_t FNotificationRevision = 0;
    std::optional<int32_t> FPressedNotification;
    int32_t FEditMode = NavViewerEditMode::None;
    std::vector<std::unique_ptr<TDistancePoint>> FDistance;
    std::vector<INavTrack *> FShownTracks;
    INavTrack *FReplayTrack = nullptr;
    TReplayLineCache FReplayLine;
    TActiveTrackSource FActiveSource;
    bool FTrackingEnabled = false, FSelectingReport = false;
    int32_t FTrackingMode = NavViewerTrackingMode::NorthUp;
    TFloat2 FTrackingCursor{0.5f, 0.5f};
    TGeoPoint FHome{GeoPointNoHome, GeoPointNoHome}, FReport{GeoPointNoPosition, GeoPointNoPosition};
    TScaleSettings FScale;
};

}  // namespace

INavViewer *NavViewerCreate(IS3D *, WindowHandle wnd, void *, int32_t viewerIndex, IS3DTileManager *,
                            IS3DOSMTileManager *, IS57ChartLoader *loader, IS3DChartDataCache *cache) {
    return new TNavViewer(wnd, viewerIndex, loader, cache);
}
