// Texts of S-57 features, worked out once when a cell loads: the important text beside a
// symbol (the clearance of a bridge, the description of a light) and where the name of an
// area or line stands.
#pragma once

#include "viewer/RenderS57.h"

#include <QFont>
#include <QPainter>

namespace kv::render {

// "clr 9.0", "clr cl 2.5 op 12.0", "Fl(2)R.10s12m5M"; empty for other classes and when the
// attributes give nothing to say.
QString S57FeatureText(const TS57Feature &f);

// Where the name of an area or a line stands (Mercator metres) and the direction of its
// baseline (radians from the plane's x axis, counter-clockwise). Long narrow areas (a canal,
// a river) carry their name along their course, others horizontally; the point is always
// inside the area. False when the feature has no geometry to carry a name.
bool PlaceS57Name(const TS57Feature &f, QPointF &at, double &angle);

// The value of a depth contour written along it, at the middle of each of its runs that
// crosses the device, never upside down. Runs shorter on screen than the text are left bare.
void DrawContourLabel(QPainter &pt, const TS57Feature &f, const QTransform &toPixel, const QRectF &device,
                      const QString &text, const QFont &font, const QColor &colour);

}  // namespace kv::render
