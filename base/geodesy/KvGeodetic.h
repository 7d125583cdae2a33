// The program's geodetic routines: the geodetic globals, datum lookup and lists, the error
// rule of geodetic objects and the UTM helpers. Positions are radians, as in the core
// library. GUI thread only.
#pragma once

#include <KvLibNav6/KvGeodesy.h>

#include <QChar>
#include <QList>
#include <QString>
#include <cstdint>

// The five objects the core library hands out once; fetched at the first use and kept for
// the run (the library owns them, the program never releases them).
struct TGeodeticGlobals {
    IGeodeticProvider *Provider = nullptr;
    // Reference of "global" (earth-centred) coordinates: the standard ellipsoid.
    IGeodeticObject *StandardEllipsoid = nullptr;
    // The datum every position of the program is kept in (WGS 84, code "WGE").
    IGeodeticDatum *DefaultDatum = nullptr;
    // The datum of the Dutch RD grid.
    IGeodeticDatum *RDDatum = nullptr;
};
const TGeodeticGlobals &GeodeticGlobals();
IGeodeticRegistry *GeodeticRegistry();

inline const QString GeodeticDefaultDatumCode = QStringLiteral("WGE");

// The registry's definition of `kind` (GeodeticKind) stored under `code`; nullptr with err
// set when there is none. Err is left to the caller: the GPS settings fall back to the
// default datum when it is not 0.
IGeodeticDefinition *GeodeticFindByCode(IGeodeticRegistry *registry, const QString &code,
                                        int32_t kind, int32_t &err);

// A datum list entry: the name to show and the definition it stands for.
struct TGeodeticListItem {
    QString Name;
    IGeodeticDefinition *Definition = nullptr;
};
using TGeodeticList = QList<TGeodeticListItem>;
// Clears list, then adds every definition of kind in the registry's order.
void GeodeticListToStrings(IGeodeticRegistry *registry, TGeodeticList &list, int32_t kind);

// Error text of a geodetic object that can fail (empty for nullptr).
QString GeodeticGetErrorText(IGeodeticCalibration *obj);
// Nothing for nullptr or an object without a pending error; otherwise raises Exception
// "<message>: <error text>".
void RaiseIfGeodeticError(const QString &message, IGeodeticCalibration *obj);

// Transverse-Mercator metres (no false origin) of a UTM zone to UTM easting and northing;
// band is the zone's band letter (C..M south of the equator).
void TMPositionToUTM(const TDouble2 &tm, QChar band, TUTMPos &out);
// UTM zone of a position (Norway and Svalbard exceptions included); returns the band
// letter, or a null QChar with err = KvErr::OutOfRange outside 80 S .. 84 N.
QChar GeoToUTMZone(const TGeoPoint &geo, int32_t &zone, int32_t &err);
// Central meridian of a zone in radians (NaN for a zone outside 1..60).
double UTMZoneCentralMeridian(int zone, QChar band);
