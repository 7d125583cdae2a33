// Waypoints, groups, types, fields, routes, route points and alarm zones.
#include "planner/PlanObjects.h"
#include "waypoints/WptModel.h"

#include "KvLibNav6/KvGeodesy.h"
#include "KvLibNav6/KvGraphics.h"

#include <GeographicLib/Geodesic.hpp>
#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QUuid>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace kv::wpt {

TGUID NewGuid() {
    const QUuid u = QUuid::createUuid();
    TGUID g;
    g.D1 = u.data1;
    g.D2 = u.data2;
    g.D3 = u.data3;
    std::memcpy(g.D4, u.data4, 8);
    return g;
}

bool IsNullGuid(const TGUID &g) {
    return g == TGUID{};
}

QByteArray GuidToBytes(const TGUID &g) {
    // Fixed little-endian layout, independent of the record's padding.
    QByteArray b(16, '\0');
    for (int i = 0; i < 4; ++i) b[i] = char((g.D1 >> (8 * i)) & 0xFF);
    for (int i = 0; i < 2; ++i) b[4 + i] = char((g.D2 >> (8 * i)) & 0xFF);
    for (int i = 0; i < 2; ++i) b[6 + i] = char((g.D3 >> (8 * i)) & 0xFF);
    std::memcpy(b.data() + 8, g.D4, 8);
    return b;
}

bool GuidFromBytes(const QByteArray &b, TGUID &g) {
    if (b.size() != 16) return false;
    const auto *p = reinterpret_cast<const uint8_t *>(b.constData());
    g.D1 = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    g.D2 = uint16_t(p[4] | p[5] << 8);
    g.D3 = uint16_t(p[6] | p[7] << 8);
    std::memcpy(g.D4, p + 8, 8);
    return true;
}

QString GuidToText(const TGUID &g) {
    QUuid u(g.D1, g.D2, g.D3, g.D4[0], g.D4[1], g.D4[2], g.D4[3], g.D4[4], g.D4[5], g.D4[6],
            g.D4[7]);
    return u.toString(QUuid::WithBraces).toUpper();
}

namespace {

bool ValidLat(double lat) {
    return std::isfinite(lat) && std::fabs(lat) <= M_PI / 2;
}

bool ValidLon(double lon) {
    return std::isfinite(lon) && std::fabs(lon) <= M_PI;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Types

QByteArray BitmapToPng(IBmp32 *bmp) {
    if (!bmp) return {};
    const int w = bmp->GetWidth(), h = bmp->GetHeight();
    if (w <= 0 || h <= 0 || w > MaxIconSide || h > MaxIconSide) return {};
    QImage img;
    if (QImage *own = kv::Bmp32Image(bmp)) {
        img = *own;
    } else {
        // Another implementation: its public rows, premultiplied like ours.
        img = QImage(w, h, QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < h; ++y) {
            const uint8_t *row = bmp->GetRow(y);
            if (!row) return {};
            std::memcpy(img.scanLine(y), row, size_t(w) * 4);
        }
    }
    // PNG keeps straight alpha: Qt converts from the premultiplied pixels.
    QByteArray png;
    QBuffer buf(&png);
    buf.open(QIODevice::WriteOnly);
    if (!img.save(&buf, "PNG")) return {};
    return png;
}

namespace {

bool SameBytes(const QByteArray &a, const QByteArray &b) {
    return a.constData() == b.constData() && a.size() == b.size();
}

// nil for empty, damaged or oversized PNG bytes (a database file is outside input).
std::unique_ptr<kv::TBmp32Impl> DecodePng(const QByteArray &png) {
    if (png.isEmpty()) return nullptr;
    QBuffer buf;
    buf.setData(png);
    buf.open(QIODevice::ReadOnly);
    QImageReader reader(&buf, "PNG");
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > MaxIconSide || size.height() > MaxIconSide)
        return nullptr;
    QImage img;
    if (!reader.read(&img) || img.isNull()) return nullptr;
    auto bmp = std::make_unique<kv::TBmp32Impl>(img.width(), img.height());
    bmp->SetImage(img, PixelFormat::Bits32);
    return bmp;
}

}  // namespace

IBmp32 *TType::GetIcon() {
    TBitmapCache &c = FIconCache;
    if (!c.Made || !SameBytes(c.Icon, FIconPng)) {
        c.Icon = FIconPng;
        c.Bitmap = DecodePng(FIconPng);
        c.Made = true;
    }
    return c.Bitmap.get();
}

IBmp32 *TType::GetOverlay() {
    TBitmapCache &c = FOverlayCache;
    if (!c.Made || !SameBytes(c.Overlay, FOverlayPng)) {
        c.Overlay = FOverlayPng;
        c.Bitmap = DecodePng(FOverlayPng);
        c.Made = true;
    }
    return c.Bitmap.get();
}

IBmp32 *TType::GetSymbol() {
    IBmp32 *icon = GetIcon();
    IBmp32 *overlay = FDrawOverlay ? GetOverlay() : nullptr;
    if (!icon || !overlay) return icon ? icon : overlay;
    TBitmapCache &c = FSymbolCache;
    if (!c.Made || !SameBytes(c.Icon, FIconPng) || !SameBytes(c.Overlay, FOverlayPng) ||
        c.OriginX != FOriginX || c.OriginY != FOriginY) {
        c.Icon = FIconPng;
        c.Overlay = FOverlayPng;
        c.OriginX = FOriginX;
        c.OriginY = FOriginY;
        // The overlay is centred on the anchor, the point of the icon that marks the position.
        c.Bitmap = std::make_unique<kv::TBmp32Impl>(icon->GetWidth(), icon->GetHeight());
        c.Bitmap->Assign(icon);
        DrawIconOverlay(c.Bitmap.get(), overlay, TFloat2{FOriginX, FOriginY});
        c.Made = true;
    }
    return c.Bitmap.get();
}

void TType::SetIcons(IBmp32 *icon, IBmp32 *overlay, bool drawOverlay, float originX,
                     float originY) {
    if (IsProtected()) return;
    FIconPng = BitmapToPng(icon);
    FOverlayPng = BitmapToPng(overlay);
    FDrawOverlay = drawOverlay;
    FOriginX = originX;
    FOriginY = originY;
    Touch();
}

void TType::SetSize(TWptTextStyle &t, float size, int32_t &err) {
    if (!CheckWritable(err)) return;
    if (!std::isfinite(size) || size <= 0.0f || size > 200.0f) {
        err = KvErr::OutOfRange;
        return;
    }
    t.Size = size;
    Touch();
}

bool TType::HasField(IWptWaypointField *field) {
    return std::find(FFields.begin(), FFields.end(), field) != FFields.end();
}

void TType::AddField(IWptWaypointField *field, int32_t &err) {
    if (!CheckWritable(err)) return;
    auto *f = dynamic_cast<TField *>(field);
    if (!f || f->FDb != FDb) {
        err = KvErr::InvalidArgument;
        return;
    }
    if (!HasField(f)) FFields.push_back(f);
    Touch();
}

void TType::RemoveField(IWptWaypointField *field, int32_t &err) {
    if (!CheckWritable(err)) return;
    if (!HasField(field)) {
        err = KvErr::NotFound;
        return;
    }
    std::erase(FFields, static_cast<TField *>(field));
    Touch();
}

// ---------------------------------------------------------------------------------------------
// Groups

void TGroup::SetVisible(bool visible, uint32_t groupValue) {
    const uint32_t bits = groupValue ? groupValue : 0xFFFFFFFFu;
    if (visible)
        FVisibleMask |= bits;
    else
        FVisibleMask &= ~bits;
    Touch();
}

int32_t TGroup::GetWaypointCount() {
    if (!FUngrouped) return int32_t(FMembers.size());
    int32_t n = 0;
    if (FOwnerManager)
        for (int32_t i = 0; i < FOwnerManager->GetWaypointCount(); ++i)
            if (static_cast<TWaypoint *>(FOwnerManager->GetWaypoint(i))->FGroups.empty()) ++n;
    return n;
}

void TGroup::AddWaypoint(IWptWaypoint *waypoint, int32_t &err) {
    if (FUngrouped) {
        err = KvErr::ReadOnly;
        return;
    }
    if (!CheckWritable(err)) return;
    auto *wp = dynamic_cast<TWaypoint *>(waypoint);
    if (!wp || wp->FDb != FDb) {
        err = KvErr::InvalidArgument;
        return;
    }
    if (std::find(FMembers.begin(), FMembers.end(), wp) == FMembers.end()) {
        FMembers.push_back(wp);
        wp->FGroups.push_back(this);
    }
    Touch();
}

// ---------------------------------------------------------------------------------------------
// Waypoints

IWptWaypointType *TWaypoint::GetType() {
    if (FType) return FType;
    return FDb ? FDb->FManager->GetDefaultWaypointType() : nullptr;
}

IBmp32 *TWaypoint::GetIcon() {
    IWptWaypointType *t = GetType();
    return t ? t->GetSymbol() : nullptr;
}

NavObject *TWaypoint::GetCompareObject() {
    return GetType();
}

void TWaypoint::SetLink(const TStrWRec &link, int32_t &err) {
    if (!CheckWritable(err)) return;
    FLink.Set(kv::ToQString(link));
    Touch();
}

void TWaypoint::SetSubName(const TStrWRec &subName, int32_t &err) {
    if (!CheckWritable(err)) return;
    if (subName.Length > MaxNameLength) {
        err = KvErr::NameTooLong;
        return;
    }
    FSubName.Set(kv::ToQString(subName));
    Touch();
}

void TWaypoint::SetType(IWptWaypointType *type, int32_t &err) {
    if (!CheckWritable(err)) return;
    auto *t = dynamic_cast<TType *>(type);
    if (!t || (!t->FDefault && t->FDb != FDb)) {
        err = KvErr::InvalidArgument;
        return;
    }
    FType = t->FDefault ? nullptr : t;
    Touch();
}

void TWaypoint::SetLatitude(double lat, int32_t &err) {
    if (!CheckWritable(err)) return;
    if (!ValidLat(lat)) {
        err = KvErr::OutOfRange;
        return;
    }
    FPos.Lat = lat;
    for (TRoutePoint *p : FRoutePoints) p->FPos.Lat = lat;
    Touch();
}

void TWaypoint::SetLongitude(double lon, int32_t &err) {
    if (!CheckWritable(err)) return;
    if (!ValidLon(lon)) {
        err = KvErr::OutOfRange;
        return;
    }
    FPos.Lon = lon;
    for (TRoutePoint *p : FRoutePoints) p->FPos.Lon = lon;
    Touch();
}

void TWaypoint::SetNamePosition(int32_t position, int32_t &err) {
    if (!CheckWritable(err)) return;
    if (position < 0 || position > 8) {
        err = KvErr::OutOfRange;
        return;
    }
    FNamePosition = position;
    Touch();
}

void TWaypoint::SetScale(float scale, int32_t &err) {
    if (!CheckWritable(err)) return;
    if (!std::isfinite(scale) || scale <= 0.0f) {
        err = KvErr::OutOfRange;
        return;
    }
    FScale = scale;
    Touch();
}

void TWaypoint::SetProximity(float radiusM, int32_t &err) {
    if (!CheckWritable(err)) return;
    if (!std::isfinite(radiusM) || radiusM < 0.0f) {
        err = KvErr::OutOfRange;
        return;
    }
    FProximity = radiusM;
    Touch();
}

void TWaypoint::SetTime(TDateTime time, int32_t &err) {
    if (!CheckWritable(err)) return;
    FTime = time;
    Touch();
}

void TWaypoint::GetGroups(IWptWaypointGroupList *out) {
    if (!out) return;
    for (TGroup *g : FGroups) out->Add(g);
}

void TWaypoint::SetEntryLinkText(const QString &text) {
    if (text.isEmpty()) {
        FEntryLink.reset();
        return;
    }
    if (!FEntryLink) FEntryLink = std::make_unique<TEntryLink>();
    FEntryLink->FText.Set(text);
}

// ---------------------------------------------------------------------------------------------
// Route points

TRoutePoint::TRoutePoint(TRoute *route, const TGUID &guid)
    : TWptObject(route->FDb, guid), FRoute(route) {
    FRadius = RouteDefaults().PointRadius;
}

TRoutePoint::~TRoutePoint() {
    ReleaseWaypoint();
}

IWptRoutePoint *TRoutePoint::GetNext() {
    return FRoute->GetPoint(FIndex + 1);
}

IWptRoutePoint *TRoutePoint::GetPrevious() {
    return FRoute->GetPoint(FIndex - 1);
}

const TStrWRec *TRoutePoint::GetName() {
    // A point at a waypoint is named by it.
    if (FWaypoint) return FWaypoint->GetName();
    return TWptObject::GetName();
}

const TRoutePosition *TRoutePoint::GetPosition() {
    return &FPos;
}

IWptRoute *TRoutePoint::GetRoute() {
    return FRoute;
}

bool TRoutePoint::IsProtected() {
    return FProtected || FRoute->IsProtected();
}

void TRoutePoint::SetName(const TStrWRec &name, int32_t &err) {
    if (!CheckWritable(err)) return;
    if (name.Length > MaxNameLength) {
        err = KvErr::NameTooLong;
        return;
    }
    if (FWaypoint) {
        err = KvErr::PointAttached;
        return;
    }
    SetNameText(kv::ToQString(name));
    Touch();
}

void TRoutePoint::AttachWaypoint(TWaypoint *wp) {
    ReleaseWaypoint();
    FPendingWaypoint.clear();
    FWaypoint = wp;
    if (!wp) return;
    wp->FRoutePoints.push_back(this);
    FPos.Lat = wp->FPos.Lat;
    FPos.Lon = wp->FPos.Lon;
}

void TRoutePoint::ReleaseWaypoint() {
    if (!FWaypoint) return;
    // The point keeps the name and position it showed.
    SetNameText(FWaypoint->Name());
    std::erase(FWaypoint->FRoutePoints, this);
    FWaypoint = nullptr;
}

void TRoutePoint::SetPosition(const TGeoPoint &pos, int32_t &err) {
    if (!CheckWritable(err)) return;
    if (!ValidLat(pos.Lat) || !ValidLon(pos.Lon)) {
        err = KvErr::OutOfRange;
        return;
    }
    // Moving a point detaches it from its waypoint; the waypoint stays where it is.
    ReleaseWaypoint();
    FPendingWaypoint.clear();
    FPos.Lat = pos.Lat;
    FPos.Lon = pos.Lon;
    Touch();
}

void TRoutePoint::SetRadius(float radiusM, int32_t &err) {
    if (!CheckWritable(err)) return;
    if (!std::isfinite(radiusM) || radiusM < 0.0f) {
        err = KvErr::OutOfRange;
        return;
    }
    FRadius = radiusM;
    Touch();
}

void TRoutePoint::SetStay(const TRouteStayRec &stay, int32_t &err) {
    if (!CheckWritable(err)) return;
    switch (stay.Kind) {
    case RouteStayKind::None:
        break;
    case RouteStayKind::LeaveAtTime:
        if (!(stay.DepartTime >= 0.0 && stay.DepartTime < 1.0) || stay.Days < 0) {
            err = KvErr::OutOfRange;
            return;
        }
        break;
    case RouteStayKind::StayFor:
        if (stay.Duration < 0) {
            err = KvErr::OutOfRange;
            return;
        }
        break;
    default:
        err = KvErr::InvalidArgument;
        return;
    }
    FStay = stay;
    Touch();
}

void TRoutePoint::DeleteFromDatabase(int32_t &err) {
    FRoute->DeletePoint(this, err);
}

// ---------------------------------------------------------------------------------------------
// Routes

void TRoute::ApplyDefaults() {
    const TWptRouteDefaults &d = RouteDefaults();
    FPlanMode = d.PlannerMode;
    FSpeedMode = d.MotoringSpeed;
    FMastMode = d.MastMode;
    FWaterBodyMask = d.WaterBodies;
}

TRoutePoint *TRoute::AppendPoint(const TGUID &guid) {
    FPoints.push_back(std::make_unique<TRoutePoint>(this, guid));
    FPoints.back()->FIndex = int32_t(FPoints.size()) - 1;
    return FPoints.back().get();
}

void TRoute::Renumber() {
    for (size_t i = 0; i < FPoints.size(); ++i) FPoints[i]->FIndex = int32_t(i);
}

IWptRoutePoint *TRoute::AddPointAtPosition(const TRoutePosition &pos, int32_t &err) {
    if (!CheckWritable(err)) return nullptr;
    if (!ValidLat(pos.Lat) || !ValidLon(pos.Lon)) {
        err = KvErr::OutOfRange;
        return nullptr;
    }
    TRoutePoint *p = AppendPoint(NewGuid());
    p->FPos = pos;
    Touch();
    return p;
}

IWptRoutePoint *TRoute::AddNetworkPoint(IWWSection *section, double offset, int32_t,
                                        int32_t &err) {
    if (!CheckWritable(err)) return nullptr;
    if (!section || !std::isfinite(offset) || !section->GetGUID()) {
        err = KvErr::InvalidArgument;
        return nullptr;
    }
    offset = std::clamp(offset, 0.0, section->GetLength());
    TDouble3 g;
    section->GetGlobalPositionAt(g, offset);
    TGeoPoint geo;
    GlobalToGeo2(geo, g, nullptr);
    TRoutePoint *p = AppendPoint(NewGuid());
    p->FPos = TRoutePosition{geo.Lat, geo.Lon, 0.0};
    p->FDirect = false;
    p->FOnNetwork = true;
    p->FSectionGuid = *section->GetGUID();
    p->FSectionOffset = offset;
    Touch();
    return p;
}

IWptRoutePoint *TRoute::AddPointAt(NavObject *obj, double v1, double, int32_t reserved,
                                   int32_t &err) {
    // The location records of the point selection: a section with the position along it, a
    // structure (on its section), a leg of a plan (its section, position v1) or a waypoint.
    if (auto *s = dynamic_cast<IWWSection *>(obj)) return AddNetworkPoint(s, v1, reserved, err);
    if (auto *st = dynamic_cast<IWWStruct *>(obj)) {
        if (st->GetSection()) return AddNetworkPoint(st->GetSection(), st->GetSectionPosition(), reserved, err);
    } else if (auto *leg = dynamic_cast<IWptRouteLeg *>(obj)) {
        if (leg->GetSection()) return AddNetworkPoint(leg->GetSection(), v1, reserved, err);
    } else if (auto *wp = dynamic_cast<IWptWaypoint *>(obj)) {
        return AddPointFromWaypoint(wp, 0, 1, err);
    }
    err = KvErr::InvalidArgument;
    return nullptr;
}

kv::plan::TRoutePlan &TRoute::Plan() {
    if (!FPlan) FPlan = std::make_shared<kv::plan::TRoutePlan>();
    return *FPlan;
}

bool TRoute::PlanHoldsMarina(const TGUID &guid) const { return FPlan && FPlan->HoldsMarina(guid); }

IRouteChartCoverage *TRoute::GetChartCoverage() { return &Plan().Coverage; }

IWptRouteSchedule *TRoute::GetSchedule() { return &Plan().Schedule; }

IWptPlanPoint *TRoutePoint::GetPlanPoint() {
    return FRoute && FRoute->FPlan ? FRoute->FPlan->PlanPoint(FIndex) : nullptr;
}

IWptRoutePoint *TRoute::AddPoint(const TGeoPoint3 &pos, void *, void *, int32_t &err) {
    return AddPointAtPosition(TRoutePosition{pos.Lat, pos.Lon, 0.0}, err);
}

IWptRoutePoint *TRoute::AddPointFromWaypoint(IWptWaypoint *waypoint, int32_t, int32_t,
                                             int32_t &err) {
    if (!CheckWritable(err)) return nullptr;
    auto *wp = dynamic_cast<TWaypoint *>(waypoint);
    // A route point follows a waypoint of the manager's databases only.
    if (!wp || !wp->FDb || wp->FDb->FManager != FDb->FManager) {
        err = KvErr::InvalidArgument;
        return nullptr;
    }
    TRoutePoint *p = AppendPoint(NewGuid());
    p->AttachWaypoint(wp);
    Touch();
    return p;
}

void TRoute::DeletePoint(IWptRoutePoint *point, int32_t &err) {
    if (!CheckWritable(err)) return;
    auto it = std::find_if(FPoints.begin(), FPoints.end(),
                           [point](const auto &p) { return p.get() == point; });
    if (it == FPoints.end()) {
        err = KvErr::NotFound;
        return;
    }
    ForgetEverywhere({it->get()});
    FPoints.erase(it);
    Renumber();
    Touch();
}

void TRoute::SetGroupName(const TStrWRec &name, int32_t &err) {
    if (!CheckWritable(err)) return;
    if (name.Length > MaxNameLength) {
        err = KvErr::NameTooLong;
        return;
    }
    FGroupName.Set(kv::ToQString(name));
    Touch();
}

void TRoute::SetStartTime(TDateTime utc) {
    if (IsProtected() || !std::isfinite(utc)) return;
    FStartTime = utc;
    Touch();
}

void TRoute::SetPlanMode(int32_t mode, int32_t &err) {
    if (!CheckWritable(err)) return;
    switch (mode) {
    case WptPlanMode::Fastest:
    case WptPlanMode::Shortest:
    case WptPlanMode::Economic:
    case WptPlanMode::Cheapest:
    case WptPlanMode::ShortestIgnoringBlockades:
    case WptPlanMode::Tourist:
    case WptPlanMode::NewRoute:
        FPlanMode = mode;
        Touch();
        return;
    default:
        err = KvErr::OutOfRange;
    }
}

void TRoute::SetSpeedMode(int32_t mode, int32_t &err) {
    if (!CheckWritable(err)) return;
    if (mode < 0 || mode > 2) {
        err = KvErr::OutOfRange;
        return;
    }
    FSpeedMode = mode;
    Touch();
}

void TRoute::SetWaterBodyMask(uint32_t mask, int32_t &err) {
    if (!CheckWritable(err)) return;
    FWaterBodyMask = mask & ((1u << WptWaterBody::Count) - 1);
    Touch();
}

bool TRoute::GetLength(double &metres) {
    metres = 0.0;
    const auto &g = GeographicLib::Geodesic::WGS84();
    constexpr double deg = 180.0 / M_PI;
    for (size_t i = 1; i < FPoints.size(); ++i) {
        const TRoutePosition &a = FPoints[i - 1]->FPos, &b = FPoints[i]->FPos;
        double s12 = 0.0;
        g.Inverse(a.Lat * deg, a.Lon * deg, b.Lat * deg, b.Lon * deg, s12);
        metres += s12;
    }
    return true;
}

void TRoute::SetDefaultWaypointType(IWptWaypointType *type, int32_t &err) {
    if (!CheckWritable(err)) return;
    auto *t = dynamic_cast<TType *>(type);
    if (type && (!t || (!t->FDefault && t->FDb != FDb))) {
        err = KvErr::InvalidArgument;
        return;
    }
    FDefaultType = (t && !t->FDefault) ? t : nullptr;
    Touch();
}

// ---------------------------------------------------------------------------------------------
// Alarm zones

void TPolygon::AddPoint(const TGeoPoint &pos, int32_t &err) {
    if (!CheckWritable(err)) return;
    if (!ValidLat(pos.Lat) || !ValidLon(pos.Lon)) {
        err = KvErr::OutOfRange;
        return;
    }
    auto p = std::make_unique<TPolygonPoint>();
    p->Pos = pos;
    FPoints.push_back(std::move(p));
    Touch();
}

void TPolygon::DeletePoint(NavObject *point, int32_t &err) {
    if (!CheckWritable(err)) return;
    auto it = std::find_if(FPoints.begin(), FPoints.end(),
                           [point](const auto &p) { return p.get() == point; });
    if (it == FPoints.end()) {
        err = KvErr::NotFound;
        return;
    }
    FPoints.erase(it);
    Touch();
}

}  // namespace kv::wpt
