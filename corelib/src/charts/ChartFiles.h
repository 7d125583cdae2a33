// Reading chart files through GDAL: the header of a raster chart (BSB/KAP or GeoTIFF) and
// the identity of an S-57 cell. Both readers are plain functions over value records so that
// the chart manager can run them in a worker thread and keep their results in its catalogue
// cache; nothing here touches library objects.
#pragma once

#include "KvLibNav6/KvTypes.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <atomic>
#include <limits>

class GDALDataset;
class OGRGeometry;

namespace kv::charts {

// Registers GDAL's drivers once per process; safe from any thread.
void EnsureGdal();

// How many chart files the readers opened in this process (tests use it to prove that the
// catalogue cache spares a restart the rereading).
int FileOpenCount();

// Size and modification time of a file (and, for an S-57 base cell, of its update files):
// a cached record stands for the file as long as the signature matches.
QString FileSignature(const QString &file, const QStringList &companions = {});

// Geographic bounds in radians; Valid False when the reader could not tell. West lies in
// -pi..pi; East is larger than West and exceeds pi for a chart that lies across the 180°
// meridian (177° E to 177° W is West 177°, East 183°), so the bounds stay one narrow box.
struct TChartBounds {
    bool Valid = false;
    double South = 0, North = 0, West = 0, East = 0;
};

// The longitudes of an S-57 cell, in degrees as the cell holds them (-180..180), gathered to
// tell whether the cell lies across the 180° meridian. A cell does when it is narrower with
// its western longitudes counted east of 180° (-179° as 181°); such a cell is kept and drawn
// with those longitudes moved, so that it stays in one piece.
class TLonSpan {
public:
    void Add(double lonDeg);
    // Every vertex of the geometry.
    void Add(const OGRGeometry &g);
    bool CrossesDateline() const;
    // The longitude as the cell is kept: western ones plus 360° for a cell across 180°.
    double Unwrap(double lonDeg) const { return FCrosses && lonDeg < 0 ? lonDeg + 360.0 : lonDeg; }
    // Fixes the answer of Unwrap once every longitude is in.
    void Finish() { FCrosses = CrossesDateline(); }
    // The cell's ends once finished; East beyond 180 for a cell across 180°.
    double WestDeg() const;
    double EastDeg() const;

private:
    static constexpr double Inf = std::numeric_limits<double>::infinity();
    double FEastMin = Inf, FEastMax = -Inf;  // longitudes >= 0
    double FWestMin = Inf, FWestMax = -Inf;  // longitudes < 0
    bool FCrosses = false;
};

// The extent of a cell opened through GDAL's S-57 driver with RETURN_PRIMITIVES=ON: every
// coordinate the cell holds. Lon is finished; Valid False when the cell has none.
struct TS57Extent {
    bool Valid = false;
    double SouthDeg = 0, NorthDeg = 0;
    TLonSpan Lon;
    TChartBounds Bounds() const;
};
TS57Extent S57CellExtent(GDALDataset &ds);
// The layers RETURN_PRIMITIVES adds, which hold no chart features.
bool IsS57PrimitiveLayer(const char *name);

struct TRasterHeader {
    QString FileName;
    QString Signature;
    bool Ok = false;
    QString Message;  // why Ok is False, for the chart manager's list
    int32_t Width = 0, Height = 0;
    // Header texts (BSB "BSB/", "KNP/", "CED/", "NTM/", "VER/", "CRR/" lines).
    QString Name, Number, Publisher, Copyright, SoundingDatum, DepthUnits, DatumName,
        ProjectionName, RevisionDate, UpdateText;
    int32_t Scale = 0;
    uint16_t Edition = 0;
    int32_t Version = 0;           // packed, major in bits 24-31
    TDateTime EditionDate = 0.0;   // CED/ED
    TDateTime UpdateTime = 0.0;    // NTM/ND (0 = no notice applied)
    // Calibration: three reference pixels (top-left, top-right, bottom-right corners) and
    // their positions in WGS 84 (radians), with the projection they were drawn in.
    int32_t ProjectionKind = 0;
    double K0 = 1.0, Lat0 = 0.0, Long0 = 0.0, Lat1 = 0.0;  // radians
    TDouble2 Pixel[3];
    TGeoPoint Geo[3];
    TChartBounds Bounds;

    QJsonObject ToJson() const;
    static TRasterHeader FromJson(const QJsonObject &o);
};

// Reads the header and calibration. Never throws; a failure is Ok False with Message.
TRasterHeader ReadRasterHeader(const QString &file);

struct TS57Header {
    QString FileName;
    QString Signature;
    bool Ok = false;
    QString Message;
    QString CellName;          // DSID DSNM without extension
    QString Edition;           // DSID EDTN
    QString UpdateNumber;      // DSID UPDN (after the updates GDAL applied)
    QString UpdateDate;        // DSID UADT, yyyymmdd
    TDateTime IssueDate = 0.0; // DSID ISDT
    int32_t ProductSpec = 0;   // DSID PRSP
    QString ProductSpecText;   // DSID PSDN
    QString ProductEdition;    // DSID PRED
    int32_t Agency = 0;        // DSID AGEN
    int32_t Purpose = 0;       // DSID INTU
    int32_t Scale = 0;         // DSPM CSCL
    int32_t VerticalDatum = 0; // DSPM VDAT
    int32_t SoundingDatum = 0; // DSPM SDAT
    int32_t HorizontalDatum = 0;
    bool IENC = false, BENC = false;
    TChartBounds Bounds;
    // Why update records or whole update files were left out (the cell is read without
    // them), for the problem list; empty when every update applied.
    QString UpdateProblem;

    QJsonObject ToJson() const;
    static TS57Header FromJson(const QJsonObject &o);
};

// The update files (".001", ".002" …) lying beside a base cell, in order.
QStringList S57UpdateFiles(const QString &baseCell);
// A cell that an update cancelled (edition 0) comes back Ok False with a message saying so.
TS57Header ReadS57Header(const QString &file);
// Opens a cell through GDAL's S-57 driver with its updates applied or, when GDAL refuses the
// update files as a whole (out of sequence, damaged), without them; updatesLeftOut tells
// which. options: the driver's open options other than UPDATES. nullptr when unreadable.
GDALDataset *OpenS57Cell(const QString &file, const QStringList &options, bool &updatesLeftOut);

// TDateTime (days since 1899-12-30) of a "yyyymmdd" text; 0 when it is not a date.
TDateTime DateFromYmd(const QString &ymd);

}  // namespace kv::charts
