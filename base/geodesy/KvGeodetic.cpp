#include "base/geodesy/KvGeodetic.h"

#include "base/kvlib/KvErrors.h"
#include "base/kvlib/KvStrings.h"

#include <vector>

const TGeodeticGlobals &GeodeticGlobals() {
    static const TGeodeticGlobals globals = [] {
        TGeodeticGlobals g;
        void *unused = nullptr;
        GeodeticsGetGlobals(g.Provider, g.StandardEllipsoid, g.DefaultDatum, g.RDDatum, unused);
        return g;
    }();
    return globals;
}

IGeodeticRegistry *GeodeticRegistry() {
    const auto &g = GeodeticGlobals();
    return g.Provider ? g.Provider->GetRegistry() : nullptr;
}

IGeodeticDefinition *GeodeticFindByCode(IGeodeticRegistry *registry, const QString &code,
                                        int32_t kind, int32_t &err) {
    // The registry reads a zero-terminated text; utf16() of a QString always is one.
    return registry->FindByCode(reinterpret_cast<const char16_t *>(code.utf16()), kind, err);
}

void GeodeticListToStrings(IGeodeticRegistry *registry, TGeodeticList &list, int32_t kind) {
    list.clear();
    const int32_t count = registry->GetCount(kind);
    if (count <= 0) return;
    std::vector<IGeodeticDefinition *> items(size_t(count), nullptr);
    registry->GetItems(kind, items.data());
    for (IGeodeticDefinition *d : items)
        if (d) list.append({StrWToWide(d->GetName()), d});
}

QString GeodeticGetErrorText(IGeodeticCalibration *obj) {
    if (!obj) return {};
    TStrWOut text;
    obj->GetErrorText(text.get());
    return text.Text();
}

void RaiseIfGeodeticError(const QString &message, IGeodeticCalibration *obj) {
    if (!obj || !obj->HasError()) return;
    // Geodetic objects put the caller's message first, unlike RaiseIfError.
    throw Exception(message + QStringLiteral(": ") + GeodeticGetErrorText(obj));
}

void TMPositionToUTM(const TDouble2 &tm, QChar band, TUTMPos &out) {
    TransverseMercatorToUTM(tm, char16_t(band.unicode()), out);
}

QChar GeoToUTMZone(const TGeoPoint &geo, int32_t &zone, int32_t &err) {
    char16_t band = 0;
    UTMGeoToZone(geo, zone, band, err);
    return QChar(band);
}

double UTMZoneCentralMeridian(int zone, QChar band) {
    return UTMZoneToLong0(zone, char16_t(band.unicode()));
}
