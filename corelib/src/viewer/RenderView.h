// The view of a chart viewer: a Mercator plane on the WGS 84 ellipsoid seen through a
// window of pixels, with its centre, resolution and rotation.
//
// "Mercator metres" are x east and y north of the equator at longitude 0 on that plane.
// Everything the renderer keeps (S-57 geometry, bounds) is in Mercator metres so that a
// redraw is one affine transform away from the pixels. Pixel points: x right, y down, the
// centre of pixel (i, j) at (i + 0.5, j + 0.5).
#pragma once

#include "KvLibNav6/KvTypes.h"

#include <QPointF>
#include <QRectF>
#include <QTransform>

namespace kv::render {

inline constexpr double WgsA = 6378137.0;
inline constexpr double WgsE = 0.0818191908426215;  // first eccentricity
// Mercator stops short of the poles.
inline constexpr double MaxMercLat = 85.0 * 3.14159265358979323846 / 180.0;

double MercatorY(double latRad);
double MercatorLat(double y);
inline double MercatorX(double lonRad) { return WgsA * lonRad; }
inline double MercatorLon(double x) { return x / WgsA; }
QPointF GeoToMercator(const TGeoPoint &geo);
TGeoPoint MercatorToGeo(const QPointF &m);
// Ratio of Mercator metres to ground metres at a latitude.
double MercatorScaleFactor(double latRad);

// One turn of the plane: x and x ± WorldWidth are the same place. A chart across the 180°
// meridian is kept in one piece east of x = WorldWidth / 2, and a view may look past either
// end, so what lies in a view is found among the chart's whole-turn copies.
inline constexpr double WorldWidth = 2 * 3.14159265358979323846 * WgsA;
// The copies of box (shifted by k × WorldWidth, k from First to Last) that meet area; none
// when Last < First. An area of zero width or height stands for a point. At most a few
// copies are given, even for a view wider than the world.
struct TWorldShifts {
    int First = 0, Last = -1;
    bool Empty() const { return Last < First; }
    double Offset(int k) const { return k * WorldWidth; }
};
TWorldShifts WorldShiftsMeeting(const QRectF &box, const QRectF &area);

// Routines in other libraries (Qt's raster paint engine among them) may return with the
// upper halves of the AVX registers in use; until they are cleared, every SSE instruction of
// this library pays a merge penalty that made the renderer's arithmetic some ten times
// slower. The draw routines call this on entry and after painting through Qt.
void ClearUpperVectorState();

struct TViewState {
    int Width = 0;
    int Height = 0;
    QPointF Center;               // Mercator metres shown at the view centre
    double MetresPerPixel = 10.0;  // Mercator metres per pixel
    double Rotation = 0.0;         // radians: direction of north, clockwise from straight up

    bool Valid() const { return Width > 0 && Height > 0 && MetresPerPixel > 0; }
    QPointF CenterPixel() const { return QPointF(Width / 2.0, Height / 2.0); }
    // Mercator metres → pixels.
    QTransform ToPixel() const;
    QTransform ToMercator() const { return ToPixel().inverted(); }
    QPointF PixelOf(const TGeoPoint &geo) const { return ToPixel().map(GeoToMercator(geo)); }
    TGeoPoint GeoOf(const QPointF &pixel) const { return MercatorToGeo(ToMercator().map(pixel)); }
    // The Mercator rectangle that holds the whole view (rotated views hold more).
    QRectF MercatorBounds() const;
    // Moves the view so that the Mercator point m lies at pixel.
    void Place(const QPointF &m, const QPointF &pixel);
};

}  // namespace kv::render
