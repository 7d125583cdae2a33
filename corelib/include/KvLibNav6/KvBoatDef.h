// Boat definitions: dimensions, speeds and consumption of a ship profile.
#pragma once

#include "KvTypes.h"

// Values of ILPBoatDef::GetKind and ILPBoatDef::SetBoatType.
namespace LPBoatDef {
inline constexpr int32_t KindPower = 0;
inline constexpr int32_t KindRacing = 1;
inline constexpr int32_t KindCruising = 2;
}  // namespace LPBoatDef

// A consumption curve: points {X speed in m/s, Y consumption} in ascending speed. Y is in
// base units per second: m³/s of fuel for the fuel curve, the energy base unit per second for
// the electric curve. From ILPBoatDef::GetElectricCurve / GetFuelCurve; owned by its boat
// definition and valid as long as it.
class KVLIB_API ILPBoatDefCurve : public NavObject {
public:
    // Index 0 .. GetCount() - 1; an index out of range gives {0, 0}.
    virtual TFloat2 GetPoint(int32_t i) = 0;                                        // slot 2
    virtual int32_t GetCount() = 0;                                                 // slot 3
    // Replaces every point; the curve copies them (count 0 empties it).
    virtual void SetPoints(int32_t count, const TFloat2 *points) = 0;               // slot 4 (assumed) ≡ SetValues
    // Consumption at a speed in m/s, interpolated linearly between neighbouring points;
    // 0 for an empty curve.
    virtual float GetValueAt(float speed) = 0;                                      // slot —
};

// One boat profile: a value object the settings store reads and writes field by field.
// From LPBoatDefCreate; caller-owned. The environment keeps a list of them (entry 0 is the
// active one). The own ship keeps a reference to the active one from NavBoatCreate on, so a
// profile is activated by copying it into that object (CopyFrom), never by swapping it.
// Lengths in metres, speeds in m/s, times in seconds.
class KVLIB_API ILPBoatDef : public NavObject {
public:
    // Copies every value, curves included, from other (activating a profile).
    virtual void CopyFrom(ILPBoatDef *other) = 0;                                   // slot 1
    // Commercial shipping; also the boat flag of the network's nearest-location search.
    virtual bool GetCommercial() = 0;                                               // slot 3
    virtual float GetDraught() = 0;                                                 // slot 10
    // Electric propulsion: consumption comes from the electric curve.
    virtual bool GetElectric() = 0;                                                 // slot 14
    virtual ILPBoatDefCurve *GetElectricCurve() = 0;                                // slot 15
    virtual ILPBoatDefCurve *GetFuelCurve() = 0;                                    // slot 16
    // GPS antenna position: X along the hull from the stern (0) to the bow (length), Y across
    // it (0 = centre line, positive to starboard). Owned by the definition, valid until it
    // changes.
    virtual const TFloat2 *GetGPSPosition() = 0;                                    // slot 17
    virtual float GetPosDrag() = 0;                                                 // slot 18
    // Air draught with the mast stepped.
    virtual float GetHeightStepped() = 0;                                           // slot 19
    // Air draught with the mast lowered.
    virtual float GetHeightUnstepped() = 0;                                         // slot 20
    virtual float GetHeightSafeMargin() = 0;                                        // slot 21
    virtual float GetLength() = 0;                                                  // slot 22
    virtual float GetMinDepthTolerance() = 0;                                       // slot 24
    virtual int32_t GetMMSI() = 0;                                                  // slot 25
    // Below this speed over ground a sailing boat is taken to be motoring.
    virtual float GetMotorLowSOG() = 0;                                             // slot 26
    // Profile name; empty when never set (the dialogs then show "<no name>").
    virtual const TStrWRec *GetName() = 0;                                          // slot 27
    // Time needed to lower or raise the mast, seconds.
    virtual int32_t GetTimeUnstepStep() = 0;                                        // slot 33
    virtual float GetVCruise() = 0;                                                 // slot 34
    // Top speed; also the simulator's top speed.
    virtual float GetVHigh() = 0;                                                   // slot 35
    virtual float GetVLow() = 0;                                                    // slot 36
    // Beam.
    virtual float GetWidth() = 0;                                                   // slot 37
    // LPBoatDef::Kind… value; GetKind reads it back.
    virtual void SetBoatType(int32_t kind) = 0;                                     // slot 38
    virtual void SetCommercial(bool commercial) = 0;                                // slot 39
    virtual void SetDisplacement(int32_t displacement) = 0;                         // slot 41
    virtual void SetDraught(float draught) = 0;                                     // slot 42
    // Stored as given; the program always passes 1.
    virtual void SetValue45(int32_t value) = 0;                                     // slot 45
    virtual void SetElectric(bool electric) = 0;                                    // slot 46
    // Stored as given; the program always passes 0.
    virtual void SetValue47(int32_t value) = 0;                                     // slot 47
    virtual void SetHeights(float stepped, float unstepped, float safeMargin) = 0;  // slot 48
    virtual void SetLoaded(bool loaded) = 0;                                        // slot 49
    virtual void SetMinDepthTolerance(float tolerance) = 0;                         // slot 50
    // Stored as given; the program always passes 0.
    virtual void SetValue51(int32_t value) = 0;                                     // slot 51
    virtual void SetMotorLowSOG(float speed) = 0;                                   // slot 52
    virtual void SetName(const TStrWRec &name) = 0;                                 // slot 53
    // Polar diagram of a sailing boat; the null GUID = none.
    virtual void SetPolarGUID(const TGUID &polar) = 0;                              // slot 54
    // Speed, energy and fuel reductions in strong head or tail wind (0 = none).
    virtual void SetReductionSpeed(float reduction) = 0;                            // slot 55 (assumed)
    virtual void SetReductionEnergy(float reduction) = 0;                           // slot 56 (assumed)
    virtual void SetReductionFuel(float reduction) = 0;                             // slot 57 (assumed)
    // Length, beam and GPS antenna position (see GetGPSPosition) in one call.
    virtual void SetDimensions(float length, float width, const TFloat2 &gpsPosition) = 0;  // slot 58
    virtual void SetTimeUnstepStep(int32_t seconds) = 0;                            // slot 59
    virtual void SetSpeeds(float low, float cruise, float high) = 0;                // slot 60
    // LPBoatDef::Kind… value.
    virtual int32_t GetKind() = 0;                                                  // slot —
    virtual void SetMMSI(int32_t mmsi) = 0;                                         // slot —
    // Read back what SetLoaded and SetDisplacement stored, so the settings keep them.
    virtual bool GetLoaded() = 0;                                                   // slot —
    virtual int32_t GetDisplacement() = 0;                                          // slot —
};

// A new boat definition with the library's defaults; the program passes kind 1.
KVLIB_API ILPBoatDef *LPBoatDefCreate(int32_t kind);
// Paints a boat contour seen from above, scaled to fit width × height pixels, with a mark at
// the GPS antenna (nullptr: no mark). dc is the painter of the target bitmap; length, beam
// and antenna share one unit, whatever the caller shows. Draws nothing when length or beam
// is not positive.
KVLIB_API void LPBoatDefDraw(DeviceContext dc, int32_t width, int32_t height, float length,
                             float beam, const TFloat2 *antenna);
