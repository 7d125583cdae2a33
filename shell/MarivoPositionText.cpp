// The position text of the status bar in the grid the user chose.
#include "shell/MarivoImages.h"

#include "base/geodesy/KvGeodetic.h"
#include "base/strings/KvFormatSettings.h"
#include "base/texts/KvLanguage.h"
#include "base/texts/KvStr.h"
#include "base/units/KvAngles.h"
#include "base/units/KvUnitsTime.h"

#include <cmath>

namespace {

QString Fixed(double value, int decimals) {
    const TFormatSettings &fs = UserFormatSettings();
    return FloatToStrFixed(value, 18, decimals, fs);
}

QString ListSeparator() {
    return QString(UserFormatSettings().ListSeparator);
}

bool OnRDGrid(IRasterChart *chart) {
    if (!chart) return false;
    IGeodeticCalibration *calibration = chart->GetGeodeticReference();
    const TProjectionRef *projection = calibration ? calibration->GetProjection() : nullptr;
    return projection && projection->Kind == ProjectionKind::RD;
}

QString Geocentric(TGeoPoint p, IGeodeticDatum *datum) {
    const TGeodeticGlobals &g = GeodeticGlobals();
    TDouble3 xyz;
    // The datum's own ellipsoid carries the shifted position.
    GeodeticDatumTransform(p, g.DefaultDatum, datum);
    GeoToGlobal2(xyz, p, datum ? static_cast<IGeodeticObject *>(datum) : g.DefaultDatum);
    const QString sep = ListSeparator() + QStringLiteral(" ");
    return Fixed(xyz.X, 1) + sep + Fixed(xyz.Y, 1) + sep + Fixed(xyz.Z, 1) + ListSeparator();
}

QString RD(TGeoPoint p) {
    const TGeodeticGlobals &g = GeodeticGlobals();
    GeodeticDatumTransform2(p, g.DefaultDatum, g.RDDatum);
    if (!RDInGrid(p, g.RDDatum)) return QString();
    TProjectionRef rd;
    GeodeticRefInitRD(rd);
    TDouble2 xy;
    GeoToRD(xy, p, rd);
    if (!std::isfinite(xy.X) || !std::isfinite(xy.Y)) return QString();
    return QStringLiteral("RD: ") + Fixed(xy.X, 3) + ListSeparator() + QStringLiteral(" ") +
           Fixed(xy.Y, 3);
}

QString UTM(TGeoPoint p, IGeodeticDatum *datum) {
    const TGeodeticGlobals &g = GeodeticGlobals();
    IGeodeticDatum *target = datum ? datum : g.DefaultDatum;
    GeodeticDatumTransform(p, g.DefaultDatum, target);
    int32_t zone = 0, err = 0;
    const QChar band = GeoToUTMZone(p, zone, err);
    if (err != 0 || band.isNull()) return QString();
    TProjectionRef tm;
    GeodeticRefInitTransverseMercator(tm, 0.9996, 0.0, UTMZoneCentralMeridian(zone, band), target);
    TDouble2 metres;
    GeoToTransverseMercator(metres, p, tm);
    if (!std::isfinite(metres.X) || !std::isfinite(metres.Y)) return QString();
    TUTMPos utm;
    TMPositionToUTM(metres, band, utm);
    const QString sep = ListSeparator();
    return QStringLiteral("UTM (%1%2): ").arg(zone).arg(band) + Fixed(utm.Easting, 3) + sep +
           QStringLiteral(" ") + Fixed(utm.Northing, 3) + sep;
}

QChar FirstLetter(const TLanguageStrings &table) {
    const QString text = LanguageText(table);
    return text.isEmpty() ? QChar() : text.at(0);
}

QString LatLon(TGeoPoint p, IGeodeticDatum *datum, int formatIndex) {
    const TGeodeticGlobals &g = GeodeticGlobals();
    GeodeticDatumTransform(p, g.DefaultDatum, datum ? datum : g.DefaultDatum);
    const int decimals = DefAngleDecimalsFor(formatIndex);
    QString lat, lon;
    AngleToStr1(decimals, FirstLetter(KvStr::CompassPointN), FirstLetter(KvStr::CompassPointS), p.Lat,
                formatIndex, 1, 1, lat);
    AngleToStr1(decimals, FirstLetter(KvStr::CompassPointE), FirstLetter(KvStr::CompassPointW), p.Lon,
                formatIndex, 2, 1, lon);
    return lat + QStringLiteral(" / ") + lon;
}

}  // namespace

QString FormatPositionInGrids(const TGeoPoint &position, int kind, const TPositionDatum &datum,
                              int formatIndex, IRasterChart *chart) {
    if (kind == PositionGrid::Automatic)
        kind = OnRDGrid(chart) ? PositionGrid::RD : PositionGrid::LatLon;
    QString text;
    if (kind == PositionGrid::Geocentric)
        text = Geocentric(position, datum.Datum);
    else if (kind == PositionGrid::RD)
        text = RD(position);
    else if (kind == PositionGrid::UTM)
        text = UTM(position, datum.Datum);
    if (text.isEmpty()) text = LatLon(position, datum.Datum, formatIndex);
    switch (datum.Kind) {
    case 0: text += QStringLiteral(" (") + datum.Name + QStringLiteral(")"); break;
    case 1: text += QStringLiteral(" (shift)"); break;
    case 2: text += QStringLiteral(" (params)"); break;
    default: break;
    }
    return text;
}
