// S-57 cells as the renderer keeps them, their loading through GDAL's S-57 driver, and their
// drawing with the S-52 colours and a compact symbol set.
//
// A loaded cell is immutable plain data in Mercator metres (see RenderView.h), made on the
// loader thread and shared read-only by every viewer that shows it.
#pragma once

#include "charts/S52PresentationLib.h"
#include "viewer/RenderView.h"

#include <QColor>
#include <QPainterPath>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class QPainter;

namespace kv::render {

// S-52 colour tokens used by the compact symbol set.
enum class TS52Colour {
    NoData, DepthIntertidal, DepthVeryShallow, DepthMediumShallow, DepthMediumDeep, DepthDeep,
    Land, BuiltUp, Coastline, DepthContour, SafetyContour, SoundingDeep, SoundingShallow,
    Black, Grey, Magenta, Red, Green, Yellow, White, Orange, LightFlare, Traffic, MetaBoundary, ShallowPattern, Count
};
QColor S52Colour(TS52Colour c, int32_t scheme);

// Drawing order groups; lower first.
enum class TS57Group { Area = 0, AreaPattern = 1, Line = 2, Point = 3 };

struct TS57Feature {
    QByteArray Class;      // object class acronym, "DEPARE"
    int Prim = 0;          // 1 point, 2 line, 3 area
    TS57Group Group = TS57Group::Area;
    QRectF Box;            // Mercator metres
    QPainterPath Path;     // lines and areas, Mercator metres
    // The same lines as plain vertex runs (Parts holds each run's first index, then the end),
    // which the wide-line stroker walks without going through QPainterPath's elements.
    std::vector<QPointF> Vertices;
    std::vector<int> Parts;
    uint32_t Traits = 0;   // what the display filter asks of the class, worked out on loading
    QPointF Point;         // points
    double Value1 = 0.0, Value2 = 0.0;  // DRVAL1/DRVAL2, VALDCO, sounding depth, VERCLR
    bool HasValue1 = false, HasValue2 = false;
    int Scamin = 0;
    int Shape = 0;         // BOYSHP, BCNSHP, CATLIT, CATBRG
    QList<int> Colours;    // COLOUR
    double Sector1 = -1, Sector2 = -1, Range = 0;  // lights: degrees, NM
    double Height = -1;    // HEIGHT of a light, metres; -1 where absent
    QString Name;          // OBJNAM
    QString Text;          // important text beside the symbol: a bridge's clearance, a light's description
    QPointF LabelAt;       // where the name of an area or line stands, Mercator metres
    double LabelAngle = 0; // its baseline, radians from the plane's x axis counter-clockwise
    bool HasLabelPlace = false;
    // DATSTA/DATEND and PERSTA/PEREND as S57DateValue reads them; 0 where absent.
    int DateStart = 0, DateEnd = 0, PeriodStart = 0, PeriodEnd = 0;
    std::vector<std::pair<QString, QString>> Attributes;  // acronym, value as read
};

struct TS57CellData {
    QString File;
    QString CellName;
    int Scale = 0;
    bool Bathymetric = false;  // a bENC, shown only with its display flag
    QRectF Box;  // Mercator metres of every feature
    std::vector<TS57Feature> Features;  // in drawing order
};
using TS57CellPtr = std::shared_ptr<const TS57CellData>;

// Reads the cell with its update files. Thread-safe; error set and nullptr on failure.
TS57CellPtr LoadS57Cell(const QString &file, QString &error);
// A cell already loaded in this process (any viewer), or nullptr.
TS57CellPtr CachedS57Cell(const QString &file);

struct TS57DrawParams {
    const TViewState *View = nullptr;
    double ScaleDenominator = 0.0;
    TS52Settings S52;
    TS52ViewerSettings Viewer;
    int32_t DepthUnit = 0;  // KvUnits code; 0 = metres
    bool BoundsOnly = false;
    bool LightSectors = true;
    // Sector arc radius in pixels per metre of light height; 0 draws every arc at one size.
    double SectorPixelsPerHeightM = 0.0;
};

// Whether the feature is drawn with these settings (display category, SCAMIN, flags).
bool S57FeatureShown(const TS57Feature &f, const TS57DrawParams &p);
// Whether the cell is drawn at all (bENCs only with their flag).
bool S57CellShown(const TS57CellData &cell, const TS57DrawParams &p);
void DrawS57Cell(QPainter &painter, const TS57CellData &cell, const TS57DrawParams &p);

// The feature drawn at the pixel: points within a few pixels first, then lines, then the
// topmost area. -1 when none.
int HitTestS57(const TS57CellData &cell, const TS57DrawParams &p, const QPointF &pixel);

// English name of an object class for the pick ("Buoy, lateral"); the acronym when unknown.
QString S57ClassName(const QByteArray &acronym);

}  // namespace kv::render
