// Layers the navigation viewer draws over the charts: the waterway network, alarm zones, the
// own ship and the user notifications, each with its hit test.
//
// Everything works in the pixels of the view it is given (TViewState), so the same code draws
// the screen and a print page. GUI thread only: the objects read here (network, polygons, own
// ship, notification centre) live on it.
#pragma once

#include "viewer/RenderView.h"

#include "KvLibNav6/KvTypes.h"

#include <QColor>
#include <QImage>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <vector>

class QPainter;
class INavBoat;
class INavNotificationCenter;
class INavTrack;
class IWptPolygon;
class IWptRoute;
class IWWNetwork;

namespace kv::ww {
class TWWNetworkImpl;
class TWWSectionImpl;
class TWWStructImpl;
}  // namespace kv::ww

namespace kv {
// The points SetCursorBoat last gave, pixels with the bow up (Bmp32.cpp).
std::vector<TFloat2> CursorBoatPoints();
}  // namespace kv

namespace kv::render {

// Pixels around a point, line or symbol that still count as a hit.
inline constexpr double OverlayHitRadius = 8.0;

// ---- waterway network ----

struct TNetworkStyle {
    uint32_t Flags = 0;           // NavViewerNetworkFlag bits
    uint32_t Colour = 0;          // $AARRGGBB
    uint32_t Back = 0;            // drawn under the section, two pixels wider
    uint32_t Unpassable = 0;      // sections closed to pleasure craft (with the Unpassable flag)
    int MaxWidth = 2;             // pixels at large scales; thinner at small ones
    double ScaleDenominator = 0;  // of the view, for the width
};

// Line width of a section at the scale: MaxWidth down to 1:25 000, then thinner, at least 1.
int SectionWidth(const TNetworkStyle &style);
// True when the section carries a navigability that excludes pleasure craft at that position.
bool SectionUnpassable(kv::ww::TWWSectionImpl &s, double position);

// nullptr for a network not made by this library.
kv::ww::TWWNetworkImpl *NetworkImpl(IWWNetwork *network);

void DrawNetwork(QPainter &p, const TViewState &v, kv::ww::TWWNetworkImpl &net, const TNetworkStyle &style,
                 const std::vector<kv::ww::TWWStructImpl *> &selected);

struct TSectionHit {
    kv::ww::TWWSectionImpl *Section = nullptr;
    double Position = 0.0;   // metres along the section
    double PixelDistance = 0.0;
};
// The section nearest to the pixel within the hit radius (and half its line width).
TSectionHit NetworkSectionAt(const TViewState &v, kv::ww::TWWNetworkImpl &net, const TNetworkStyle &style,
                             const QPointF &pixel);
// Structures whose symbol lies within the hit radius of the pixel, nearest first.
std::vector<kv::ww::TWWStructImpl *> NetworkStructsAt(const TViewState &v, kv::ww::TWWNetworkImpl &net,
                                                      const TNetworkStyle &style, const QPointF &pixel);
// Where a structure stands (radians).
TGeoPoint StructPosition(kv::ww::TWWStructImpl &s);

// ---- routes ----

// The line of each leg of a route in pixels, leg i running from route point i to i + 1: along
// the waterway stretches its plan sails, or straight where the leg has no plan over the
// network (a direct leg, a route not planned yet, a point moved since). network: the one the
// viewer shows; a plan made over another is not used.
std::vector<QPolygonF> RouteLegLines(const QTransform &toPixel, IWptRoute &route, IWWNetwork *network);

// ---- alarm zones ----

// The zone's corners (radians); empty for a polygon not made by this library.
std::vector<TGeoPoint> ZonePoints(IWptPolygon *zone);
QPolygonF ZonePixels(const TViewState &v, IWptPolygon *zone);

struct TZoneStyle {
    uint32_t Inside = 0;   // fill, $AARRGGBB (its alpha makes it a tint)
    uint32_t Outside = 0;  // outline
};
// editing: the zone being edited gets its corner handles; selectedPoint is one of its points.
void DrawAlarmZone(QPainter &p, const TViewState &v, IWptPolygon *zone, const TZoneStyle &style, bool editing,
                   const NavObject *selectedPoint);
// Inside a complete zone, or on its outline or a corner.
bool AlarmZoneHit(const TViewState &v, IWptPolygon *zone, const QPointF &pixel);
// The corner object of the zone within the hit radius, nullptr when none.
NavObject *AlarmZonePointAt(const TViewState &v, IWptPolygon *zone, const QPointF &pixel);

// ---- own ship ----

struct TOwnShip {
    bool HasPosition = false;
    TGeoPoint Position{GeoPointNoPosition, GeoPointNoPosition};
    double CourseRad = 0.0;   // over ground, clockwise from true north
    double SpeedMS = 0.0;     // over ground
    double HeadingRad = 0.0;
    bool Fix = false;         // a receiver or the simulator drives it (not a position set by hand)
    double WindFromRad = 0.0;
    double WindSpeedMS = 0.0;
    double WindRelRad = 0.0;  // relative to the heading, clockwise
    double WindRelSpeedMS = 0.0;
    double LengthM = 0.0;     // of the boat definition; 0 unknown
};
TOwnShip OwnShipOf(INavBoat *boat);

struct TOwnShipStyle {
    uint32_t Flags = 0;  // NavViewerGPSFlag bits
    uint32_t ColourFix = 0, ColourNoFix = 0;
    float CursorScale = 1.0f;
    bool CirclesAuto = true;
    float CircleSpacingM = 100.0f;
    int CircleCount = 3;
    double VectorMinutes = 6.0;  // the course vector shows where the ship is after this time
    uint32_t CourseLineColour = 0xFF808080u;  // the course line across the view, $AARRGGBB
    float CourseLineWidth = 1.0f;
};

// The outline SetCursorBoat gave (pixels, bow up), or a default boat shape.
QPolygonF BoatCursorShape();
// Spacing of automatic distance circles: a round ground distance near a sixth of the view's
// smaller side.
double AutoCircleSpacing(const TViewState &v);
void DrawOwnShip(QPainter &p, const TViewState &v, const TOwnShip &ship, const TOwnShipStyle &style);
// The radii of the IMO range rings around the own ship (metres).
inline constexpr double IMOCircleRadiiM[] = {463.0, 926.0, 1852.0};
bool OwnShipHit(const TViewState &v, const TOwnShip &ship, const TOwnShipStyle &style, const QPointF &pixel);

// ---- view information ----

// Bearing (radians, clockwise from true north, 0 .. 2π) and ground distance (metres) of a
// pixel from the own ship, along the rhumb line of the view.
void BearingAndDistance(const TViewState &v, const TOwnShip &ship, const QPointF &pixel, double &bearing,
                        double &metres);
// A line from the own ship to the mouse with its bearing in degrees and the distance text.
void DrawBearingLine(QPainter &p, const TViewState &v, const TOwnShip &ship, const QPointF &mouse,
                     const QString &distanceText);
// The own ship's course and speed over ground and its heading in a box at the top left;
// speedText: the speed in the user's unit.
void DrawNavInfo(QPainter &p, const TViewState &v, const TOwnShip &ship, const QString &speedText);
// "1:25 000" above the scale bar at the bottom left.
void DrawScaleValue(QPainter &p, const TViewState &v, double scaleDenominator);
// Along a track (its points as pixels, in point order): a dot at the first point of every
// pointInterval seconds and the time (UTC, hh:mm) at the first of every timeInterval;
// 0 draws none. Points without times get nothing.
void DrawTrackMarks(QPainter &p, INavTrack &track, const QPolygonF &pixels, const QColor &colour,
                    int32_t pointInterval, int32_t timeInterval);
// A name label on a box whose opacity is 0 (clear) .. 255 (opaque).
void DrawLabel(QPainter &p, const QPointF &at, const QString &text, int opacity, const QColor &colour = Qt::black);

// ---- notifications ----

struct TNotificationBox {
    int32_t Kind = 0;
    QRectF Box;    // the whole box, sound button included
    QRectF Sound;  // empty without a sound button
};
// Draws the centre's current notifications stacked at the top of the view, alarms first,
// and returns where they went (for the click test).
std::vector<TNotificationBox> DrawNotifications(QPainter &p, const TViewState &v, INavNotificationCenter *centre);
// The kind of the box under the pixel; false when none.
bool NotificationAt(const std::vector<TNotificationBox> &boxes, const QPointF &pixel, int32_t &kind);

}  // namespace kv::render
