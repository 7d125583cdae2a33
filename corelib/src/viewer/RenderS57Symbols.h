// The compact S-52 symbol set of the S-57 renderer: point symbols drawn in pixels around
// their point, in the colours of the scheme in force.
#pragma once

#include "viewer/RenderS57.h"

#include <QPen>

namespace kv::render {

// S-57 COLOUR codes 1..13 as tokens.
TS52Colour TokenOfColour(int code);
QPen Cosmetic(const QColor &c, double width, Qt::PenStyle style = Qt::SolidLine);

void DrawBuoy(QPainter &pt, QPointF at, const TS57Feature &f, int32_t scheme);
void DrawBeacon(QPainter &pt, QPointF at, const TS57Feature &f, int32_t scheme);
// The simplified forms: a small shape by the mark's shape in its colours, centred on its
// position and edged in a darker tone of the same colour rather than in black.
void DrawSimplifiedBuoy(QPainter &pt, QPointF at, const TS57Feature &f, int32_t scheme);
void DrawSimplifiedBeacon(QPainter &pt, QPointF at, const TS57Feature &f, int32_t scheme);
// sectorRadius: pixels of the sector arc; 0 draws the light as a flare even when it has sectors.
void DrawLight(QPainter &pt, QPointF at, const TS57Feature &f, int32_t scheme, double sectorRadius);
// The arc radius the settings give this light: the fixed size when no height-based radius is
// set or the light has no height, 0 when sectors are hidden.
double LightSectorRadius(const TS57Feature &f, const TS57DrawParams &p);
void DrawDanger(QPainter &pt, QPointF at, int32_t scheme);
// A harbour for small craft: a sailing boat in magenta.
void DrawMarina(QPainter &pt, QPointF at, int32_t scheme);
// A gate drawn as a point: a short bar between two stops.
void DrawGatePoint(QPainter &pt, QPointF at, int32_t scheme);
// The leaves of an opening bridge, raised over the middle of its span; along is the
// direction of the span in pixels (any length).
void DrawOpeningSpan(QPainter &pt, QPointF at, QPointF along, int32_t scheme);

}  // namespace kv::render
