// The navigate-to route: from the own ship (or a chosen start) over the waterway network to
// a destination, named so that the user recognises it ("Destination …", "Home - …", with
// kilometre marks), and the default route the own ship follows along the waterway while
// sailing.
#include "shell/MarivoNavEnv.h"

#include "base/kvlib/KvErrors.h"
#include "base/math/KvMath.h"
#include "base/registry/KvRegistry.h"
#include "base/settings/KvRegBoat.h"
#include "base/strings/KvFormatSettings.h"
#include "base/waypoints/KvWaypoints.h"
#include "chartview/NavViewerControl.h"
#include "objectinfo/KvWWNetwork.h"
#include "shell/MarivoNavEnvTexts.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvGeodesy.h>
#include <KvLibNav6/KvUnits.h>

#include <cmath>
#include <numbers>

namespace {

TDateTime GPSNow() {
    return NavMsgGetGPSClock()->GetDateTimeUTC();
}

// The boat's dimensions for the network search, metres.
struct TBoatSize {
    bool Commercial = false;
    float Length = 0, Width = 0, Height = 0, Draught = 0;
};

// Where a leg of the navigate-to route lies and what it is called.
struct TEnd {
    bool Present = false;
    TGeoPoint Position{};
    QString Name;
};

TEnd EndFrom(IWptWaypoint *object, IWWSection *section, double offset) {
    if (object) return {true, *object->GetPosition(), WptObjectGetName(object)};
    if (section)
        return {true, SectionGeoPosition(section, offset),
                WWSectionGetName(section).trimmed() + DistanceMarkText(section, offset)};
    return {};
}

}  // namespace

TGeoPoint SectionGeoPosition(IWWSection *section, double offset) {
    TDouble3 global{};
    section->GetGlobalPositionAt(global, offset);
    IGeodeticProvider *provider = nullptr;
    IGeodeticObject *frame = nullptr;
    IGeodeticDatum *datum = nullptr, *rdDatum = nullptr;
    void *unused = nullptr;
    GeodeticsGetGlobals(provider, frame, datum, rdDatum, unused);
    TGeoPoint position{};
    GlobalToGeo2(position, global, frame);
    return position;
}

QString DistanceMarkText(IWWSection *section, double offset) {
    const double metres = section->GetDistanceMark(offset);
    if (metres < 0) return QString();
    const double km = UnitConvert(metres, KvUnit::Metre, KvUnit::Kilometre);
    // Whole tenths, cut (not rounded); the small allowance keeps 12.3 from becoming 12.2999.
    const int64_t tenths = int64_t(std::floor(km * 10.0 + 1e-6));
    return QStringLiteral(" (km %1%2%3)")
        .arg(tenths / 10)
        .arg(LocaleFormatSettings().DecimalSeparator)
        .arg(tenths % 10);
}

TNavigateToTarget::TNavigateToTarget(uint8_t kind, IWWSection *startSection,
                                     IWWSection *destSection, IWWSection *viaSection,
                                     double startOffset, double destOffset, double viaOffset,
                                     IWptWaypoint *startObject, IWptWaypoint *destObject,
                                     IWptWaypoint *viaObject)
    : Kind(kind), StartSection(startSection), DestSection(destSection), ViaSection(viaSection),
      StartOffset(startOffset), DestOffset(destOffset), ViaOffset(viaOffset),
      StartObject(startObject), DestObject(destObject), ViaObject(viaObject) {}

IWptRoute *TMarivoNavEnv::BuildNavigateToRoute(const TGeoPoint &position,
                                               const TNavigateToTarget &target,
                                               TDateTime departure) {
    IWptRoute *route = UserDatabase->NewRoute(departure);
    if (!route) RaiseIfError(KvErr::Failed);
    try {
        TBoatSize size{ActiveBoatDef->GetCommercial(), ActiveBoatDef->GetLength(),
                       ActiveBoatDef->GetWidth(),
                       route->GetMastMode() == 0 ? ActiveBoatDef->GetHeightStepped()
                                                 : ActiveBoatDef->GetHeightUnstepped(),
                       ActiveBoatDef->GetDraught()};
        // Adds the network location nearest to the position; every addition is checked.
        auto addNearest = [&](const TGeoPoint &at, bool required) {
            IWWSection *section = nullptr;
            double offset = 0.0, distance = 0.0;
            WaterwayNetwork->NearestLocation(section, offset, distance, at, size.Commercial,
                                             size.Length, size.Width, size.Height, size.Draught);
            if (!section) {
                if (required) RaiseIfError(KvErr::NotFound);
                return;
            }
            int32_t err = 0;
            IWptRoutePoint *point = route->AddNetworkPoint(section, offset, 0, err);
            if (!point && err == KvErr::Ok) err = KvErr::Failed;
            RaiseIfError(err);
        };
        TEnd start = EndFrom(target.StartObject, target.StartSection, target.StartOffset);
        if (!start.Present) {
            start.Present = Boat->GetPosition(start.Position);
            start.Name = LanguageText(NavEnvText::Destination) + QLatin1Char(' ');
        }
        if (start.Present) addNearest(start.Position, false);
        if (target.Kind == 0) start.Name = LanguageText(NavEnvText::Destination) + QLatin1Char(' ');
        if (target.Kind == 1) start.Name = LanguageText(NavEnvText::Home);

        const TEnd via = EndFrom(target.ViaObject, target.ViaSection, target.ViaOffset);
        if (via.Present) addNearest(via.Position, true);

        TEnd dest = EndFrom(target.DestObject, target.DestSection, target.DestOffset);
        if (!dest.Present) dest.Position = position;
        addNearest(dest.Position, true);

        const QString name = target.Kind == 0 ? start.Name + dest.Name
                                              : start.Name + QStringLiteral(" - ") + dest.Name;
        int32_t err = 0;
        WptObjectSetName(route, name, err);
        RaiseIfError(err);
        return route;
    } catch (...) {
        // A route that cannot be completed leaves nothing behind in the user database.
        int32_t ignored = 0;
        route->DeleteFromDatabase(ignored);
        throw;
    }
}

IWptRoute *TMarivoNavEnv::NavigateTo(const TGeoPoint &position, const TNavigateToTarget &target,
                                     bool keepPrevious, bool select, double departureTime,
                                     bool activate) {
    if (!EnsureBoatPosition() || !WaterwayNetwork) return nullptr;
    if (EditedRoute) EndRouteEdit(true);
    IAppReg *reg = GetAppReg();
    const QString routes = QStringLiteral("Routes");
    TGUID previousGuid;
    RegReadGUIDDef(reg, AppRegRoot::Product, routes, RegName(u"NavigateTo"), TGUID{}, previousGuid);
    IWptRoute *previous = nullptr;
    int32_t index = -1;
    if (!(previousGuid == TGUID{}) && WaypointManager->FindRoute(previousGuid, index))
        previous = WaypointManager->GetRoute(index);

    const TDateTime departure = departureTime > -1 ? departureTime : GPSNow();
    // The previous route goes only once the new one is complete: a failure keeps it.
    IWptRoute *route = BuildNavigateToRoute(position, target, departure);
    if (previous) {
        if (!keepPrevious)
            DeleteRoute(previous, false);
        else if (previous != EditedRoute && previous != FollowedRoute())
            RouteList->Remove(previous);
    }
    RouteList->Add(route);
    SaveVisibleRoutes();

    int32_t err = 0;
    RegWriteGUID(reg, AppRegRoot::Product, routes, RegName(u"Edit"), *route->GetGUID(), err);
    RegWriteGUID(reg, AppRegRoot::Product, routes, RegName(u"NavigateTo"), *route->GetGUID(), err);
    if (activate) {
        if (Boat->GetRouteNavigation()) DeactivateRoute();
        IWptRoutePoint *first = route->GetPoint(0);
        const TDateTime startTime = GPSNow();
        StartFollowing(first, false, 0.0, startTime);
        StoreFollowed(route, first, 0.0, startTime);
        AddLogbookEntry(LanguageText(NavEnvText::RouteStarted).arg(WptObjectGetName(route)));
        Post(NavNotify::RouteFollowStarted, intptr_t(route), 1);
    } else {
        if (select) PendingNavigateToRoute = route;
        RequestRouteUpdate(route);
    }
    return route;
}

IWptRoute *TMarivoNavEnv::NavigateToObject(TGeoPoint position, IWptWaypoint *obj,
                                           IWWSection *section, double offset,
                                           double departureTime, bool activate) {
    const TNavigateToTarget target(0, nullptr, section, nullptr, 0.0, offset, 0.0, nullptr, obj,
                                   nullptr);
    if (position.Lat == 0.0 && position.Lon == 0.0) {
        if (obj)
            position = *obj->GetPosition();
        else if (section)
            position = SectionGeoPosition(section, offset);
    }
    return NavigateTo(position, target, false, false, departureTime, activate);
}

void TMarivoNavEnv::DefaultRouteStep() {
    if (!EnsureBoatPosition() || !WaterwayNetwork) return;
    float speed = 0.0f;
    if (Boat->GetGPS()->IsSpeedValid()) speed = Boat->GetState()->GetVAbsLength();
    if (IWptRoute *followed = FollowedRoute())
        if (followed->IsDefaultRoute() && speed < 0.33333333f) DeactivateRoute();
    if (Boat->GetRouteNavigation() || speed < 0.83333333333f || Viewers.empty()) return;
    IGeodeticCalibration *calibration = Viewers.front()->GetCalibration();
    IWWSection *section = Boat->GetWaterwayObject();
    if (!calibration || !section) return;
    TWptRouteDefaults defaults;
    _GetWptRouteDefaults(defaults);
    const int32_t kind = section->GetKind();
    if (kind < 0 || kind > 31 || !(defaults.WaterBodies & (1u << kind))) return;
    const double along = Boat->GetWaterwayObjectPosition();
    TFloat2 vector{};
    section->GetDirection(along, calibration, vector);
    const double direction =
        Float2Angle(vector) - calibration->GetVectorAngle(TDouble2{vector.X, vector.Y});
    const float course = Boat->GetState()->GetVAbsAngle();
    const bool forward = ReduceAngle0F(float(course - direction)) < float(std::numbers::pi);
    IWWJunction *node = forward ? section->GetEndJunction() : section->GetStartJunction();
    const double nodePosition = forward && node ? node->GetPosition() : 0.0;
    Boat->StartDefaultRoute(node, nodePosition, forward, Planner, NetworkPathWidth);
    INavRouteNavigation *rn = Boat->GetRouteNavigation();
    if (!rn) return;  // nothing ahead to follow
    RegWriteActiveRouteGUID(TGUID{});
    RegWriteRouteStartTime(rn->GetRouteStartTime());
    RegWriteDOGRoute(0.0);
    Post(NavNotify::RouteFollowStarted, intptr_t(rn->GetRoute()));
}
