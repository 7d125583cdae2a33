// Builders of the small coordinate records shared by the drawing and navigation code.
#pragma once

#include <KvLibNav6/KvTypes.h>

// A rectangle in view pixels or projected units.
struct TDoubleRect {
    double Left = 0.0, Top = 0.0, Right = 0.0, Bottom = 0.0;
};

TFloat2 Float2(float x, float y);
TDouble2 Double2(double x, double y);
TDouble3 Double3(double x, double y, double z);
TDoubleRect DoubleRect(double left, double top, double right, double bottom);
// Latitude and longitude in radians.
TGeoPoint GeoPoint(double latRad, double lonRad);
TDouble2 PointToDouble2(const TPoint &p);
TDouble2 Float2ToDouble2(const TFloat2 &v);
// Each coordinate to the nearest pixel, an exact half toward plus infinity (RoundHalfUpD),
// so a point on a pixel border always lands on the same side.
TPoint Double2ToPoint(const TDouble2 &v);
