// Geodesy: datums and ellipsoids, projections, earth-centred ("global") coordinates,
// the Dutch RD grid, UTM, local horizontal frames and chart calibrations.
//
// Units throughout: latitudes, longitudes and every other angle in radians; lengths,
// projected and earth-centred coordinates in metres. Projected coordinates are X east,
// Y north. "Global" coordinates are earth-centred, earth-fixed metres on the reference
// that GeodeticsGetGlobals hands out second; the waterway network uses the same frame.
#pragma once

#include "KvTypes.h"
#include "KvStrW.h"

class IGeodeticDatum;
class IGeodeticEllipsoid;
class IGeodeticDefinition;

// Kinds of projection reference (TProjectionRef::Kind), as the initialisers report them.
namespace ProjectionKind {
inline constexpr int32_t None = 0;
inline constexpr int32_t Mercator = 1;
inline constexpr int32_t TransverseMercator = 2;
inline constexpr int32_t EquidistantCylindrical = 3;
inline constexpr int32_t LambertConformalConic = 4;
inline constexpr int32_t Orthographic = 5;
inline constexpr int32_t ObliqueStereographic = 6;
inline constexpr int32_t RD = 7;  // Dutch national grid; its datum is implied
inline constexpr int32_t PolarStereographic = 8;
}  // namespace ProjectionKind

// A projection with its parameters, filled by one of the GeodeticRefInit… exports.
// Parameters a projection does not use keep their defaults. The datum belongs to the
// geodetic registry, never to the record, so records may be copied freely.
struct TProjectionRef {
    int32_t Kind = ProjectionKind::None;
    IGeodeticDatum *Datum = nullptr;
    double K0 = 1.0;     // scale factor on the central meridian or at the origin
    double Lat0 = 0.0;   // latitude of origin
    double Long0 = 0.0;  // central meridian
    double Lat1 = 0.0;   // standard parallel (first for the Lambert projection)
    double Lat2 = 0.0;   // second standard parallel (Lambert only)
};

// A local horizontal frame around an origin. Each matrix is 4 rows of 3: rows 0-2 the
// linear part, row 3 the translation, applied as
// R[j] = X*M[0][j] + Y*M[1][j] + Z*M[2][j] + M[3][j].
// Local axis 1 points north, axis 2 east, axis 3 down (a right-handed frame), so a
// heading h in radians from north maps to (cos h, sin h, 0).
struct THorizontalRef {
    double GlobalToLocal[4][3] = {};
    double LocalToGlobal[4][3] = {};
};

// A UTM position: false easting 500 000 m; false northing 10 000 000 m south of the
// equator (bands C to M), 0 north of it.
struct TUTMPos {
    double Easting = 0.0;
    double Northing = 0.0;
};

// Seven-parameter (Helmert) shift of a datum to WGS 84, position-vector convention:
// translations in metres, rotations in arc-seconds, scale in parts per million.
struct TGeodeticHelmert {
    double DX = 0.0, DY = 0.0, DZ = 0.0;
    double RX = 0.0, RY = 0.0, RZ = 0.0;
    double Scale = 0.0;
};

// Kinds of geodetic definitions in the registry.
namespace GeodeticKind {
inline constexpr int32_t Ellipsoid = 2;
inline constexpr int32_t Datum = 3;
}  // namespace GeodeticKind

// Base of ellipsoids and datums: what the coordinate conversions accept as their
// reference. Owned by the geodetic registry; never released by the program.
class KVLIB_API IGeodeticObject : public NavObject {
public:
    // One of the GeodeticKind values.
    virtual int32_t GetKind() = 0;                                                  // slot —
};

// An entry of the geodetic registry (a datum or an ellipsoid). Owned by the registry,
// valid for the run. Text results are zero-terminated.
class KVLIB_API IGeodeticDefinition : public IGeodeticObject {
public:
    // Short code under which the definition is stored in settings ("WGE" = WGS 84).
    virtual const TStrWRec *GetCode() = 0;                                          // slot —
    // Name shown in datum lists.
    virtual const TStrWRec *GetName() = 0;                                          // slot —
    // True for a definition made with NewEllipsoid / NewDatum (not in the built-in
    // table): its parameters, not its code, must be stored to find it again.
    virtual bool IsUserDefined() = 0;                                               // slot —
};

class KVLIB_API IGeodeticEllipsoid : public IGeodeticDefinition {
public:
    // Metres.
    virtual double GetSemiMajorAxis() = 0;                                          // slot —
    // 1/f (298.257223563 for WGS 84).
    virtual double GetInverseFlattening() = 0;                                      // slot —
};

class KVLIB_API IGeodeticDatum : public IGeodeticDefinition {
public:
    // Owned by the registry, like the datum.
    virtual IGeodeticEllipsoid *GetEllipsoid() = 0;                                 // slot —
    virtual void GetHelmert(TGeodeticHelmert &out) = 0;                             // slot —
};

// The table of known datums and ellipsoids. From IGeodeticProvider::GetRegistry;
// process-wide, never released.
class KVLIB_API IGeodeticRegistry : public NavObject {
public:
    // Definition of the given kind stored under code (zero-terminated); nullptr with
    // err = KvErr::NotFound when there is none.
    virtual IGeodeticDefinition *FindByCode(const char16_t *code, int32_t kind,
                                            int32_t &err) = 0;                      // slot 1
    virtual int32_t GetCount(int32_t kind) = 0;                                     // slot 4
    // Fills a caller-made array of at least GetCount(kind) entries, in the order the
    // datum lists show them. User-defined definitions are not listed.
    virtual void GetItems(int32_t kind, IGeodeticDefinition **array) = 0;           // slot 5
    // User-defined ellipsoid (semi-major axis in metres, inverse flattening; 0 = sphere)
    // and datum (see TGeodeticHelmert for the units). Both are kept by the registry for the
    // rest of the run, because projection references and calibrations point to them; asking
    // again with the same values returns the same object. nullptr for values that make no
    // ellipsoid (axis below 1 m, 1/f in (0, 1], not finite) or a datum without ellipsoid.
    virtual IGeodeticEllipsoid *NewEllipsoid(double a, double invF) = 0;            // slot —
    virtual IGeodeticDatum *NewDatum(IGeodeticEllipsoid *ellipsoid, double dX, double dY,
                                     double dZ, double rX, double rY, double rZ,
                                     double scale) = 0;                             // slot —
};

// First of the geodetic globals. Process-wide, never released.
class KVLIB_API IGeodeticProvider : public NavObject {
public:
    virtual IGeodeticRegistry *GetRegistry() = 0;                                   // slot 1
};

// Mapping between the pixels of a view or image and geographic positions.
// Pixel centres lie on whole coordinates, so an image of width W spans -0.5 .. W - 0.5.
// Positions in and out are in the default datum (global p3), like every position of the
// program; the projection's datum is the one the image is drawn on.
// From GeodeticCalibrationCreate (caller-owned) or from a chart viewer (viewer-owned,
// replaced when the view changes). A failed Init leaves an error pending (HasError)
// until the next successful Init and leaves the calibration uncalibrated; conversions
// without a successful Init, and of points the projection cannot show, give the
// no-position value (99, 99) (for pixels too).
class KVLIB_API IGeodeticCalibration : public NavObject {
public:
    // Reference pixels the calibration was made from; returns their number, 2 or 3
    // (p3 is left unchanged for 2).
    virtual int32_t GetPixelPoints(TDouble2 &p1, TDouble2 &p2, TDouble2 &p3) = 0;   // slot 7 (assumed)
    // Positions of the same reference points.
    virtual void GetGeoPoints(TGeoPoint &c1, TGeoPoint &c2, TGeoPoint &c3) = 0;     // slot 9 (assumed)
    virtual bool HasError() = 0;                                                    // slot 11
    virtual void GetErrorText(IStrW *out) = 0;                                      // slot 12
    // Size in pixels of the image the calibration describes.
    virtual int32_t GetHeight() = 0;                                                // slot 13
    // Owned by the calibration; changes with the next Init.
    virtual const TProjectionRef *GetProjection() = 0;                              // slot 21 (assumed)
    virtual int32_t GetWidth() = 0;                                                 // slot 26
    // Calibrates from two reference points (no rotation or shear beyond what the
    // projection gives).
    virtual void Init2(const TDouble2 &p1, const TDouble2 &p2, const TGeoPoint &c1,
                       const TGeoPoint &c2, int32_t w, int32_t h, const TProjectionRef &ref,
                       int32_t &err) = 0;                                           // slot 27
    // Calibrates from three reference points (top-left, top-right, bottom-right corner
    // for print pages and tiles).
    virtual void Init(const TDouble2 &p1, const TDouble2 &p2, const TDouble2 &p3,
                      const TGeoPoint &c1, const TGeoPoint &c2, const TGeoPoint &c3, int32_t w,
                      int32_t h, const TProjectionRef &ref, int32_t &err) = 0;      // slot 28 (assumed)
    virtual void PixelToGeo(TGeoPoint &out, const TDouble2 &pixel) = 0;             // slot 33 (assumed) ≡ PointToGeo
    virtual void GeoToPixel(TDouble2 &out, const TGeoPoint &geo) = 0;               // slot —
    // Pixel of an earth-centred ("global") point.
    virtual void ConvertGlobalPoint(TDouble2 &mapOut, const TDouble3 &globalPoint) = 0;  // slot —
    // Rotation in radians of the view against north-up where viewVector (x right,
    // y down) is measured: 0 for a north-up view, the view's rotation otherwise.
    // Callers take Float2Angle(v) - GetVectorAngle(v) as the vector's direction.
    virtual float GetVectorAngle(const TDouble2 &viewVector) = 0;                   // slot —
};

// The geodetic globals, fixed for the run and never released: p1 the provider of the
// registry; p2 the reference of "global" coordinates (the standard ellipsoid); p3 the
// default datum (WGS 84, code "WGE"), in which the program keeps every position; p4 the
// datum of the Dutch RD grid; p5 unused (nullptr).
KVLIB_API void GeodeticsGetGlobals(IGeodeticProvider *&p1, IGeodeticObject *&p2,
                                   IGeodeticDatum *&p3, IGeodeticDatum *&p4, void *&p5);

// Projection initialisers: fill ref completely and return ref.Kind.
KVLIB_API int32_t GeodeticRefInitMercator(TProjectionRef &ref, double long0,
                                          IGeodeticDatum *datum);
KVLIB_API int32_t GeodeticRefInitTransverseMercator(TProjectionRef &ref, double k0, double lat0,
                                                    double long0, IGeodeticDatum *datum);
KVLIB_API int32_t GeodeticRefInitEquidistantCylindrical(TProjectionRef &ref, double lat1,
                                                        double long0, IGeodeticDatum *datum);
KVLIB_API int32_t GeodeticRefInitLambertConformalConic(TProjectionRef &ref, double lat1,
                                                       double lat2, double lat0, double long0,
                                                       IGeodeticDatum *datum);
KVLIB_API int32_t GeodeticRefInitOrthographic(TProjectionRef &ref, double lat1, double long0,
                                              IGeodeticDatum *datum);
KVLIB_API int32_t GeodeticRefInitObliqueStereographic(TProjectionRef &ref, double k0,
                                                      double lat1, double long0,
                                                      IGeodeticDatum *datum);
// The RD grid (EPSG:28992) fixes its own parameters and datum (global p4).
KVLIB_API int32_t GeodeticRefInitRD(TProjectionRef &ref);
KVLIB_API int32_t GeodeticRefInitPolarStereographic(TProjectionRef &ref, double k0, double lat1,
                                                    double long0, IGeodeticDatum *datum);

// Local horizontal frame around origin (latitude, longitude, height 0) on obj's ellipsoid.
KVLIB_API void GeodeticRefInitHorizontal(THorizontalRef &ref, const TGeoPoint3 &origin,
                                         IGeodeticObject *obj);

// Geographic ↔ "global" (earth-centred) coordinates on ref's ellipsoid (a datum stands for
// its ellipsoid; nullptr for the standard one). The "2" forms are the height-less ones:
// the position is taken at height 0, and the height of a global point is dropped. A global
// point always has three coordinates, so both forms take a TDouble3 on the global side.
KVLIB_API void GeoToGlobal2(TDouble3 &out, const TGeoPoint &geo, IGeodeticObject *ref);
KVLIB_API void GeoToGlobal3(TDouble3 &out, const TGeoPoint3 &geo, IGeodeticObject *ref);
KVLIB_API void GlobalToGeo2(TGeoPoint &out, const TDouble3 &g, IGeodeticObject *ref);
KVLIB_API void GlobalToGeo3(TGeoPoint3 &out, const TDouble3 &g, IGeodeticObject *ref);

// Position in the RD datum ↔ RD grid metres (X 155 000, Y 463 000 is near Amersfoort,
// 52.16 N 5.39 E). rd comes from GeodeticRefInitRD. A conversion that fails gives NaN
// metres, or the no-position value (99, 99).
KVLIB_API void GeoToRD(TDouble2 &rdOut, const TGeoPoint &geo, const TProjectionRef &rd);
KVLIB_API void RDToGeo(TGeoPoint &out, double x, double y, const TProjectionRef &rd);
// Whether a position in rdDatum lies inside the area the RD grid covers.
KVLIB_API bool RDInGrid(const TGeoPoint &geo, IGeodeticDatum *rdDatum);

// Transverse Mercator metres without false easting or northing, of a position in tm's
// datum; tm from GeodeticRefInitTransverseMercator. NaN when the conversion fails.
KVLIB_API void GeoToTransverseMercator(TDouble2 &out, const TGeoPoint &geo,
                                       const TProjectionRef &tm);
// Adds the UTM false easting and, for a southern band letter, the false northing.
KVLIB_API void TransverseMercatorToUTM(const TDouble2 &tm, char16_t band, TUTMPos &out);
// UTM zone (1..60, with the Norway and Svalbard exceptions) and band letter (C..X) of a
// position; err KvErr::OutOfRange outside 80 S .. 84 N.
KVLIB_API void UTMGeoToZone(const TGeoPoint &geo, int32_t &zone, char16_t &band, int32_t &err);
// Central meridian of a zone, radians; NaN for a zone outside 1..60.
KVLIB_API double UTMZoneToLong0(int32_t zone, char16_t band);

// Datum shifts in place (nullptr = the default datum). The plain and "2" forms work on the
// ellipsoid surfaces (height 0) and undo each other exactly; "3" carries the height.
// A position that cannot be shifted (no position, off the globe) is left as it is.
KVLIB_API void GeodeticDatumTransform(TGeoPoint &p, IGeodeticDatum *from, IGeodeticDatum *to);
KVLIB_API void GeodeticDatumTransform2(TGeoPoint &p, IGeodeticDatum *from, IGeodeticDatum *to);
KVLIB_API void GeodeticDatumTransform3(TGeoPoint3 &p, IGeodeticDatum *from, IGeodeticDatum *to);

// A new, not yet calibrated calibration; make it usable with Init or Init2.
// Caller-owned.
KVLIB_API IGeodeticCalibration *GeodeticCalibrationCreate();
