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

namespace kv::charts {

// Registers GDAL's drivers once per process; safe from any thread.
void EnsureGdal();

// How many chart files the readers opened in this process (tests use it to prove that the
// catalogue cache spares a restart the rereading).
int FileOpenCount();

// Size and modification time of a file (and, for an S-57 base cell, of its update files):
// a cached record stands for the file as long as the signature matches.
QString FileSignature(const QString &file, const QStringList &companions = {});

// Geographic bounds in radians; Valid False when the reader could not tell.
struct TChartBounds {
    bool Valid = false;
    double South = 0, North = 0, West = 0, East = 0;
};

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

    QJsonObject ToJson() const;
    static TS57Header FromJson(const QJsonObject &o);
};

// The update files (".001", ".002" …) lying beside a base cell, in order.
QStringList S57UpdateFiles(const QString &baseCell);
TS57Header ReadS57Header(const QString &file);

// TDateTime (days since 1899-12-30) of a "yyyymmdd" text; 0 when it is not a date.
TDateTime DateFromYmd(const QString &ymd);

}  // namespace kv::charts
