// The geodesy engine behind KvGeodesy.h, shared by the library's own sources: PROJ for
// projections, GeographicLib for earth-centred coordinates, datum shifts (seven-parameter
// Helmert between earth-centred frames) and geodesics.
//
// Angles are radians, lengths metres, as at the interface. PROJ contexts and operations are
// not reentrant, so every PROJ call runs under ProjLock().
#pragma once

#include "KvLibNav6/KvGeodesy.h"

#include <proj.h>

#include <QString>
#include <memory>
#include <mutex>
#include <string>

namespace kv::geodesy {

inline constexpr double DegPerRad = 57.29577951308232;

struct TEllipsoidParams {
    double A = 6378137.0;
    double InvF = 298.257223563;  // 0 = sphere
};

// The built-in objects the globals hand out; created on first use, never released.
IGeodeticRegistry *Registry();
IGeodeticEllipsoid *StandardEllipsoid();
IGeodeticDatum *DefaultDatum();
IGeodeticDatum *RDDatum();

// A datum stands for its ellipsoid; nullptr for the standard ellipsoid.
TEllipsoidParams EllipsoidOf(IGeodeticObject *obj);
// "+a=… +rf=…" (or a sphere) for PROJ definitions.
std::string EllipsoidDefinition(const TEllipsoidParams &e);

// Held around every PROJ call (recursive: an operation may be made while one is used).
std::unique_lock<std::recursive_mutex> ProjLock();
PJ_CONTEXT *ProjContext();  // call under ProjLock()

struct TPJDeleter {
    void operator()(PJ *p) const;
};
using TPJPtr = std::unique_ptr<PJ, TPJDeleter>;
// nullptr when PROJ rejects the definition.
TPJPtr CreateOperation(const std::string &definition);

// A projection reference turned into a PROJ operation: geographic radians on the
// reference's datum ↔ projected metres (X east, Y north).
class TProjector {
public:
    // nullptr with err set (KvErr::InvalidArgument for kind 0 or an unknown kind,
    // KvErr::GeoProjection when PROJ rejects the parameters).
    static std::unique_ptr<TProjector> Create(const TProjectionRef &ref, int32_t &err);
    // False for a position or point the projection cannot convert.
    bool Forward(double lat, double lon, double &x, double &y) const;
    bool Inverse(double x, double y, double &lat, double &lon) const;

private:
    explicit TProjector(TPJPtr pj) : FPJ(std::move(pj)) {}
    TPJPtr FPJ;
};

// PROJ definition of a reference record, empty when the kind is not known.
std::string ProjectionDefinition(const TProjectionRef &ref);

// Shifts one position from one datum to another (nullptr = the default datum). Returns
// false, leaving the values alone, when the shift fails (a position off the globe).
bool DatumShift(double &lat, double &lon, double &height, IGeodeticDatum *from,
                IGeodeticDatum *to);

// The same for positions without height: a position on the surface of one datum's
// ellipsoid to the surface of the other's. Inverses of each other both ways to within
// micrometres, which the 3-D shift with heights dropped is not (it misses by millimetres).
bool DatumShift2(double &lat, double &lon, IGeodeticDatum *from, IGeodeticDatum *to);

// Geodesic (shortest path on the WGS 84 ellipsoid) between two positions: length in
// metres, initial bearing in radians clockwise from true north, in [0, 2π).
void GeodesicInverse(const TGeoPoint &a, const TGeoPoint &b, double &distanceM,
                     double &bearingRad);
double GeodesicDistance(const TGeoPoint &a, const TGeoPoint &b);
// Position reached from `from` along the geodesic with the given initial bearing.
TGeoPoint GeodesicDirect(const TGeoPoint &from, double bearingRad, double distanceM);

}  // namespace kv::geodesy
