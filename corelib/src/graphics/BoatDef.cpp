// Boat definitions and their consumption curves: plain value objects.
#include "kernel/KvInternal.h"
#include "KvLibNav6/KvBoatDef.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

class TBoatDefCurve final : public ILPBoatDefCurve {
public:
    TFloat2 GetPoint(int32_t i) override {
        if (i < 0 || i >= GetCount()) return TFloat2{};
        return FPoints[size_t(i)];
    }
    int32_t GetCount() override { return int32_t(FPoints.size()); }

    void SetPoints(int32_t count, const TFloat2 *points) override {
        FPoints.clear();
        if (count <= 0 || !points) return;
        // A point with a non-finite value has no place on a curve; the rest are kept in
        // ascending speed, which interpolation relies on.
        for (int32_t i = 0; i < count; ++i)
            if (std::isfinite(points[i].X) && std::isfinite(points[i].Y)) FPoints.push_back(points[i]);
        std::stable_sort(FPoints.begin(), FPoints.end(),
                         [](const TFloat2 &a, const TFloat2 &b) { return a.X < b.X; });
    }

    // Outside the curve the nearest end point's value holds: the curve says nothing about
    // speeds beyond it, and a straight extension could go negative.
    float GetValueAt(float speed) override {
        if (FPoints.empty() || std::isnan(speed)) return 0.0f;
        if (speed <= FPoints.front().X) return FPoints.front().Y;
        if (speed >= FPoints.back().X) return FPoints.back().Y;
        const auto hi = std::lower_bound(FPoints.begin(), FPoints.end(), speed,
                                         [](const TFloat2 &p, float s) { return p.X < s; });
        if (hi->X == speed) return hi->Y;
        const auto lo = hi - 1;  // lo->X < speed < hi->X, so the span is not zero
        const float t = (speed - lo->X) / (hi->X - lo->X);
        return lo->Y + t * (hi->Y - lo->Y);
    }

    void CopyFrom(const TBoatDefCurve &other) { FPoints = other.FPoints; }

private:
    std::vector<TFloat2> FPoints;
};

// The same defaults a fresh settings store reads (10 m boat, 6/9/12.5 km/h, 1.5/3/6.2 l/h).
constexpr TFloat2 DefaultElectricCurve[] = {
    {0.0f, 0.0f}, {1.6666666f, 0.6944444f}, {2.5f, 1.3888888f}, {3.4722223f, 2.7777777f}};
constexpr TFloat2 DefaultFuelCurve[] = {
    {0.0f, 0.0f}, {1.6666666f, 4.1666667e-7f}, {2.5f, 8.3333333e-7f}, {3.4722223f, 1.7222222e-6f}};

int32_t ValidKind(int32_t kind) {
    return kind == LPBoatDef::KindRacing || kind == LPBoatDef::KindCruising ? kind
                                                                             : LPBoatDef::KindPower;
}

class TBoatDef final : public ILPBoatDef {
public:
    explicit TBoatDef(int32_t kind) : FKind(ValidKind(kind)) {
        FElectricCurve.SetPoints(4, DefaultElectricCurve);
        FFuelCurve.SetPoints(4, DefaultFuelCurve);
    }

    void CopyFrom(ILPBoatDef *other) override {
        auto *o = dynamic_cast<TBoatDef *>(other);
        if (!o || o == this) return;
        // Every member but the curves is a plain value; the curve objects stay ours, so
        // pointers handed out by GetElectricCurve/GetFuelCurve remain valid.
        TBoatDefCurve electric, fuel;
        electric.CopyFrom(o->FElectricCurve);
        fuel.CopyFrom(o->FFuelCurve);
        FKind = o->FKind; FCommercial = o->FCommercial; FLoaded = o->FLoaded;
        FElectric = o->FElectric; FDisplacement = o->FDisplacement; FDraught = o->FDraught;
        FMinDepthTolerance = o->FMinDepthTolerance; FHeightStepped = o->FHeightStepped;
        FHeightUnstepped = o->FHeightUnstepped; FHeightSafeMargin = o->FHeightSafeMargin;
        FLength = o->FLength; FWidth = o->FWidth; FGPSPosition = o->FGPSPosition;
        FPosDrag = o->FPosDrag; FMMSI = o->FMMSI; FMotorLowSOG = o->FMotorLowSOG;
        FTimeUnstepStep = o->FTimeUnstepStep; FVLow = o->FVLow; FVCruise = o->FVCruise;
        FVHigh = o->FVHigh; FValue45 = o->FValue45; FValue47 = o->FValue47;
        FValue51 = o->FValue51; FPolar = o->FPolar; FReductionSpeed = o->FReductionSpeed;
        FReductionEnergy = o->FReductionEnergy; FReductionFuel = o->FReductionFuel;
        FName.Set(kv::ToQString(*o->FName.Get()));
        FElectricCurve.CopyFrom(electric);
        FFuelCurve.CopyFrom(fuel);
    }
    bool GetCommercial() override { return FCommercial; }
    float GetDraught() override { return FDraught; }
    bool GetElectric() override { return FElectric; }
    ILPBoatDefCurve *GetElectricCurve() override { return &FElectricCurve; }
    ILPBoatDefCurve *GetFuelCurve() override { return &FFuelCurve; }
    const TFloat2 *GetGPSPosition() override { return &FGPSPosition; }
    float GetPosDrag() override { return FPosDrag; }
    float GetHeightStepped() override { return FHeightStepped; }
    float GetHeightUnstepped() override { return FHeightUnstepped; }
    float GetHeightSafeMargin() override { return FHeightSafeMargin; }
    float GetLength() override { return FLength; }
    float GetMinDepthTolerance() override { return FMinDepthTolerance; }
    int32_t GetMMSI() override { return FMMSI; }
    float GetMotorLowSOG() override { return FMotorLowSOG; }
    const TStrWRec *GetName() override { return FName.Get(); }
    int32_t GetTimeUnstepStep() override { return FTimeUnstepStep; }
    float GetVCruise() override { return FVCruise; }
    float GetVHigh() override { return FVHigh; }
    float GetVLow() override { return FVLow; }
    float GetWidth() override { return FWidth; }
    void SetBoatType(int32_t kind) override { FKind = ValidKind(kind); }
    void SetCommercial(bool commercial) override { FCommercial = commercial; }
    void SetDisplacement(int32_t displacement) override { FDisplacement = displacement; }
    void SetDraught(float draught) override { FDraught = draught; }
    void SetValue45(int32_t value) override { FValue45 = value; }
    void SetElectric(bool electric) override { FElectric = electric; }
    void SetValue47(int32_t value) override { FValue47 = value; }
    void SetHeights(float stepped, float unstepped, float safeMargin) override {
        FHeightStepped = stepped;
        FHeightUnstepped = unstepped;
        FHeightSafeMargin = safeMargin;
    }
    void SetLoaded(bool loaded) override { FLoaded = loaded; }
    bool GetLoaded() override { return FLoaded; }
    int32_t GetDisplacement() override { return FDisplacement; }
    void SetMinDepthTolerance(float tolerance) override { FMinDepthTolerance = tolerance; }
    void SetValue51(int32_t value) override { FValue51 = value; }
    void SetMotorLowSOG(float speed) override { FMotorLowSOG = speed; }
    void SetName(const TStrWRec &name) override { FName.Set(kv::ToQString(name)); }
    void SetPolarGUID(const TGUID &polar) override { FPolar = polar; }
    void SetReductionSpeed(float reduction) override { FReductionSpeed = reduction; }
    void SetReductionEnergy(float reduction) override { FReductionEnergy = reduction; }
    void SetReductionFuel(float reduction) override { FReductionFuel = reduction; }
    void SetDimensions(float length, float width, const TFloat2 &gpsPosition) override {
        FLength = length;
        FWidth = width;
        FGPSPosition = gpsPosition;
    }
    void SetTimeUnstepStep(int32_t seconds) override { FTimeUnstepStep = seconds; }
    void SetSpeeds(float low, float cruise, float high) override {
        FVLow = low;
        FVCruise = cruise;
        FVHigh = high;
    }
    int32_t GetKind() override { return FKind; }
    void SetMMSI(int32_t mmsi) override { FMMSI = mmsi; }

private:
    int32_t FKind;
    bool FCommercial = false;
    bool FLoaded = false;
    bool FElectric = false;
    int32_t FDisplacement = 0;
    float FDraught = 0.8f;
    float FMinDepthTolerance = 0.2f;
    float FHeightStepped = 2.5f;
    float FHeightUnstepped = 1.5f;
    float FHeightSafeMargin = 0.0f;
    float FLength = 10.0f;
    float FWidth = 3.0f;
    TFloat2 FGPSPosition{5.0f, 0.0f};
    float FPosDrag = 0.0f;
    int32_t FMMSI = 0;
    float FMotorLowSOG = 1.0f;
    int32_t FTimeUnstepStep = 600;
    float FVLow = 1.6666666f;
    float FVCruise = 2.5f;
    float FVHigh = 3.4722223f;
    int32_t FValue45 = 0;
    int32_t FValue47 = 0;
    int32_t FValue51 = 0;
    TGUID FPolar;
    float FReductionSpeed = 0.0f;
    float FReductionEnergy = 0.0f;
    float FReductionFuel = 0.0f;
    kv::TOwnedText FName;
    TBoatDefCurve FElectricCurve;
    TBoatDefCurve FFuelCurve;
};

}  // namespace

ILPBoatDef *LPBoatDefCreate(int32_t kind) { return new TBoatDef(kind); }
