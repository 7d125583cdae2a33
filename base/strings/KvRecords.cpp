#include "KvRecords.h"

#include "base/math/KvMath.h"

TFloat2 Float2(float x, float y) { return TFloat2{x, y}; }
TDouble2 Double2(double x, double y) { return TDouble2{x, y}; }
TDouble3 Double3(double x, double y, double z) { return TDouble3{x, y, z}; }

TDoubleRect DoubleRect(double left, double top, double right, double bottom) {
    return TDoubleRect{left, top, right, bottom};
}

TGeoPoint GeoPoint(double latRad, double lonRad) { return TGeoPoint{latRad, lonRad}; }
TDouble2 PointToDouble2(const TPoint &p) { return TDouble2{double(p.X), double(p.Y)}; }
TDouble2 Float2ToDouble2(const TFloat2 &v) { return TDouble2{double(v.X), double(v.Y)}; }
TPoint Double2ToPoint(const TDouble2 &v) { return TPoint{RoundHalfUpD(v.X), RoundHalfUpD(v.Y)}; }
