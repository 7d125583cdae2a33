// A waterway section and a weather station whose answers the page tests set field by
// field. Texts of the section's library-string operations go through a library routine,
// since only the library fills its strings; characters invalid in file names are not
// available there.
#pragma once

#include "CoreTestSupport.h"

#include <KvLibNav6/KvObjectUpdate.h>
#include <KvLibNav6/KvStrUtils.h>
#include <KvLibNav6/KvWWNetwork.h>

#include <QString>
#include <optional>

namespace pagefakes {

inline void Fill(IStrW *out, const QString &text) {
    testsupport::Rec r(text);
    _FileNameReplaceInvalidChars(out, r);
}

// A record that stays valid while the owner lives.
struct TText {
    void Set(const QString &text) {
        Text = text;
        R.Length = int32_t(Text.size());
        R.Text = reinterpret_cast<const char16_t *>(Text.utf16());
    }
    const TStrWRec *Get() { return Text.isNull() ? nullptr : &R; }
    QString Text;
    TStrWRec R{};
};

class TFakeFairway : public IWWFairway {
public:
    TText Name;
    const TStrWRec *GetName() override { return Name.Get(); }
    int32_t GetSectionCount() override { return 0; }
    IWWSection *GetSection(int32_t) override { return nullptr; }
    const TGUID *GetGUID() override { return nullptr; }
    double GetLength() override { return 0.0; }
    int32_t GetPartCount() override { return 0; }
    IWWFairwayPart *GetPart(int32_t) override { return nullptr; }
};

struct TDims {
    float Depth = WWMissing, Height = WWMissing, Length = WWMissing, Width = WWMissing;
};
struct TChannel {
    int32_t Channel = 0;
    QString CallSign;
};

class TFakeSection : public IWWSection {
public:
    TText Name;
    IWWFairway *Fairway = nullptr;
    TFloat2 Direction{1.0f, 0.0f};
    double Mark = -1.0;
    float Speed = WWMissing;
    std::optional<float> Current;
    std::optional<bool> OneWayAlong;
    std::optional<uint32_t> Navigability;
    std::optional<bool> KeepLeft;
    std::optional<QString> Remark;
    std::optional<std::pair<QString, QString>> Permit;  // url, description
    std::optional<TDims> Max, Commercial;
    std::optional<TChannel> ReportAlong, ReportAgainst, Sector;

    void GetDirection(double, IGeodeticCalibration *, TFloat2 &v) override { v = Direction; }
    double GetDistanceMark(double) override { return Mark; }
    const TStrWRec *GetName() override { return Name.Get(); }
    IWWFairway *GetFairway() override { return Fairway; }
    float GetSpeedLimit(double) override { return Speed; }
    bool GetCurrent(double, float &c) override { return Current && (c = *Current, true); }
    bool GetOneWay(double, bool &along) override { return OneWayAlong && (along = *OneWayAlong, true); }
    bool GetNavigability(double, uint32_t &f) override { return Navigability && (f = *Navigability, true); }
    bool GetKeepLeft(double, bool &f) override { return KeepLeft && (f = *KeepLeft, true); }
    bool GetRemark(double, IStrW *text) override {
        if (Remark) Fill(text, *Remark);
        return bool(Remark);
    }
    bool GetPermit(double, IStrW *url, IStrW *description) override {
        if (!Permit) return false;
        Fill(url, Permit->first);
        Fill(description, Permit->second);
        return true;
    }
    bool GetMaxDimensions(double, float &d, float &h, float &l, float &w) override { return Dims(Max, d, h, l, w); }
    bool GetCommercialDimensions(double, float &d, float &h, float &l, float &w) override {
        return Dims(Commercial, d, h, l, w);
    }
    bool GetVHFReportChannel(double, int32_t direction, int32_t &channel, IStrW *callSign) override {
        return Channel(direction ? ReportAlong : ReportAgainst, channel, callSign);
    }
    bool GetVHFSectorChannel(double, int32_t &channel, IStrW *callSign) override {
        return Channel(Sector, channel, callSign);
    }

    void GetGlobalPositionAt(TDouble3 &, double) override {}
    IWWSectionGeometry *GetGeometry() override { return nullptr; }
    IWWFairwayPart *GetFairwayPart() override { return nullptr; }
    float GetDebugValue() override { return 0.0f; }
    int32_t GetKind() override { return 0; }
    IWWJunction *GetStartJunction() override { return nullptr; }
    IWWJunction *GetEndJunction() override { return nullptr; }
    double GetLength() override { return 1000.0; }
    TDouble3 GetPointAt(double) override { return {}; }
    int32_t GetWaterBody() override { return 0; }
    double GetStartChainage() override { return 0.0; }
    const TGUID *GetGUID() override { return nullptr; }
    IWWStruct *FindNextStruct(double, bool, double &) override { return nullptr; }

private:
    static bool Dims(const std::optional<TDims> &v, float &d, float &h, float &l, float &w) {
        if (!v) return false;
        d = v->Depth, h = v->Height, l = v->Length, w = v->Width;
        return true;
    }
    static bool Channel(const std::optional<TChannel> &v, int32_t &channel, IStrW *callSign) {
        if (!v) return false;
        channel = v->Channel;
        Fill(callSign, v->CallSign);
        return true;
    }
};

class TFakeStation : public IWeatherStation {
public:
    TText Name;
    TGeoPoint Position{0.9, 0.09};
    TDateTime Time = 0.0;
    double Height = 0, Humidity = 0, Pressure = 0, Temperature = 0, Visibility = 0, Direction = 0,
           Speed = 0, Gust = 0;
    const TStrWRec *GetName() override { return Name.Get(); }
    const TGeoPoint *GetPosition() override { return &Position; }
    TDateTime GetMeasurementTime() override { return Time; }
    double GetHeight(int32_t) override { return Height; }
    double GetHumidity(int32_t) override { return Humidity; }
    double GetAirPressure(int32_t) override { return Pressure; }
    double GetTemperature(int32_t) override { return Temperature; }
    double GetVisibility(int32_t) override { return Visibility; }
    double GetWindDirection(int32_t) override { return Direction; }
    double GetWindSpeed(int32_t) override { return Speed; }
    double GetWindGust(int32_t) override { return Gust; }
};

}  // namespace pagefakes
