#include "base/settings/KvRegRoutes.h"

#include "base/registry/KvRegistry.h"
#include "base/strings/KvStrUtils.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvWWNetwork.h>

#include <QStringList>
#include <initializer_list>
#include <string>

namespace {

constexpr int32_t Root = AppRegRoot::Product;
const QString KeyRoutes = QStringLiteral("Routes");
const QString KeyCustomWaitTimes = QStringLiteral("RouteNetwork\\CustomWaitTimes");
const QString KeySailingArea = QStringLiteral("Desktop\\SailingArea");

// Value names of the water bodies, bit n = body n.
constexpr const char16_t *WaterBodyNames[WptWaterBody::Count] = {
    u"DefaultWaterBody_NorthSea",
    u"DefaultWaterBody_WaddenSea",
    u"DefaultWaterBody_IJsselmeerAndMarkermeer",
    u"DefaultWaterBody_InlandNetherlands",
    u"DefaultWaterBody_InlandBelgiumAndLuxemburg",
    u"DefaultWaterBody_InlandGermany",
    u"DefaultWaterBody_InlandFrance",
    u"DefaultWaterBody_InlandGreatBritain",
    u"DefaultWaterBody_BalticSea",
    u"DefaultWaterBody_InlandDanmark",
    u"DefaultWaterBody_InlandSweden",
    u"DefaultWaterBody_Donau",
    u"DefaultWaterBody_USEastCoast",
    u"DefaultWaterBody_USWestCoast",
    u"DefaultWaterBody_USGreatLakes",
    u"DefaultWaterBody_USFlorida",
    u"DefaultWaterBody_USMississippi",
};

constexpr const char16_t *SailingAreaNames[SailingArea::Count] = {
    u"Austria", u"Belgium", u"Bulgaria", u"Croatia", u"CzechRepublic", u"France", u"Germany",
    u"Hungary", u"Netherlands", u"Poland", u"Romania", u"Serbia", u"Slovakia", u"Switzerland",
};

ValueName Name(const char16_t *text) {
    return ValueName(TStrWRec{int32_t(std::char_traits<char16_t>::length(text)), text});
}

bool ReadBool(const QString &key, const ValueName &name, bool def) {
    return RegReadBoolDef(GetAppReg(), Root, key, name, def);
}
int32_t ReadInteger(const QString &key, const ValueName &name, int32_t def) {
    return RegReadIntegerDef(GetAppReg(), Root, key, name, def);
}
float ReadSingle(const QString &key, const ValueName &name, float def) {
    return RegReadSingleDef(GetAppReg(), Root, key, name, def);
}
// Writers ignore registry errors: each passes an error it never looks at.
void WriteBool(const QString &key, const ValueName &name, bool value) {
    int32_t e = 0;
    RegWriteBool(GetAppReg(), Root, key, name, value, e);
}
void WriteInteger(const QString &key, const ValueName &name, int32_t value) {
    int32_t e = 0;
    RegWriteInteger(GetAppReg(), Root, key, name, value, e);
}
void WriteSingle(const QString &key, const ValueName &name, float value) {
    int32_t e = 0;
    RegWriteSingle(GetAppReg(), Root, key, name, value, e);
}

// The stored form of an enumeration: a listed value as it is, anything else the fallback.
// Reader and writer use the same list, so whatever is written comes back.
int32_t Listed(int32_t value, std::initializer_list<int32_t> allowed, int32_t fallback) {
    for (int32_t a : allowed)
        if (value == a) return value;
    return fallback;
}

int32_t MastModeForm(int32_t v) { return Listed(v, {1, 2}, 0); }
int32_t MotoringSpeedForm(int32_t v) { return Listed(v, {1, 2, 3}, 0); }
int32_t PlannerModeForm(int32_t v) { return Listed(v, {1, 2, 3, 4, 6}, 0); }
int32_t SourceForm(int32_t v) { return Listed(v, {1, 2, 3}, 0); }
int32_t SrcWindForm(int32_t v) { return Listed(v, {0, 1}, 2); }
int32_t TravelModeForm(int32_t v) { return Listed(v, {1, 2}, 0); }

}  // namespace

void RegReadRouteDefaults(TWptRouteDefaults &d) {
    d = TWptRouteDefaults{};
    d.CalcDryingOut = ReadBool(KeyRoutes, RegName(u"DefaultCalcDryingOut"), false);
    d.DepthDependentSpeed = false;
    d.DepthTolerance = ReadSingle(KeyRoutes, RegName(u"DefaultDepthTolerance"), 0.2f);
    d.MastMode = MastModeForm(ReadInteger(KeyRoutes, RegName(u"DefaultMastMode"), 0));
    d.MotoringSpeed = MotoringSpeedForm(ReadInteger(KeyRoutes, RegName(u"DefaultMotoringSpeed"), 0));
    d.PlannerMode = PlannerModeForm(ReadInteger(KeyRoutes, RegName(u"DefaultPlannerMode"), 0));
    const float factor = ReadSingle(KeyRoutes, RegName(u"DefaultRiverCurrentFactor"), 1.0f);
    // A negative factor would reverse the currents; NaN fails the test and becomes 0 too.
    d.RiverCurrentFactor = factor >= 0.0f ? factor : 0.0f;
    d.SectionInfoDistance = ReadInteger(KeyRoutes, RegName(u"DefaultSectionInfoDistance"), 300);
    d.SrcCurrent = SourceForm(ReadInteger(KeyRoutes, RegName(u"DefaultSrcCurrent"), 0));
    d.SrcTideHeight = SourceForm(ReadInteger(KeyRoutes, RegName(u"DefaultSrcTideHeight"), 0));
    d.SrcWind = SrcWindForm(ReadInteger(KeyRoutes, RegName(u"DefaultSrcWind"), 0));
    d.WaterBodies = 0;
    for (int32_t n = 0; n < WptWaterBody::Count; ++n) {
        const bool def = (WptWaterBody::DefaultSet & (1u << n)) != 0;
        if (ReadBool(KeyRoutes, Name(WaterBodyNames[n]), def)) d.WaterBodies |= 1u << n;
    }
    d.WindSurge = ReadSingle(KeyRoutes, RegName(u"DefaultWindSurge"), 0.0f);
    d.XTEAlarm = ReadBool(KeyRoutes, RegName(u"DefaultXTEAlarm"), false);
    d.PointManualCurrentL = ReadSingle(KeyRoutes, RegName(u"DefaultPointManualCurrentL"), 0.0f);
    d.PointManualCurrentA = ReadSingle(KeyRoutes, RegName(u"DefaultPointManualCurrentA"), 0.0f);
    d.PointManualDepthLAT = ReadSingle(KeyRoutes, RegName(u"DefaultPointManualDepthLAT"), 0.0f);
    d.PointManualDepthNAP = ReadSingle(KeyRoutes, RegName(u"DefaultPointManualDepthNAP"), 0.0f);
    d.PointManualWindL = ReadSingle(KeyRoutes, RegName(u"DefaultPointManualWindL"), 0.0f);
    d.PointManualWindA = ReadSingle(KeyRoutes, RegName(u"DefaultPointManualWindA"), 0.0f);
    d.PointOpenLegOptimization =
        ReadBool(KeyRoutes, RegName(u"DefaultPointOpenLegOptimization"), false);
    d.PointRadius = ReadSingle(KeyRoutes, RegName(u"DefaultPointRadius"), 100.0f);
    d.PointTravelMode = TravelModeForm(ReadInteger(KeyRoutes, RegName(u"DefaultPointTravelMode"), 0));
    d.PointBiSector = ReadBool(KeyRoutes, RegName(u"DefaultPointBiSector"), false);
}

void RegWriteRouteDefaults(const TWptRouteDefaults &d) {
    WriteBool(KeyRoutes, RegName(u"DefaultCalcDryingOut"), d.CalcDryingOut);
    WriteSingle(KeyRoutes, RegName(u"DefaultDepthTolerance"), d.DepthTolerance);
    WriteInteger(KeyRoutes, RegName(u"DefaultMastMode"), MastModeForm(d.MastMode));
    WriteInteger(KeyRoutes, RegName(u"DefaultMotoringSpeed"), MotoringSpeedForm(d.MotoringSpeed));
    WriteInteger(KeyRoutes, RegName(u"DefaultPlannerMode"), PlannerModeForm(d.PlannerMode));
    WriteSingle(KeyRoutes, RegName(u"DefaultRiverCurrentFactor"), d.RiverCurrentFactor);
    WriteInteger(KeyRoutes, RegName(u"DefaultSrcCurrent"), SourceForm(d.SrcCurrent));
    WriteInteger(KeyRoutes, RegName(u"DefaultSrcTideHeight"), SourceForm(d.SrcTideHeight));
    WriteInteger(KeyRoutes, RegName(u"DefaultSrcWind"), SrcWindForm(d.SrcWind));
    for (int32_t n = 0; n < WptWaterBody::Count; ++n)
        WriteBool(KeyRoutes, Name(WaterBodyNames[n]), (d.WaterBodies & (1u << n)) != 0);
    WriteSingle(KeyRoutes, RegName(u"DefaultWindSurge"), d.WindSurge);
    WriteBool(KeyRoutes, RegName(u"DefaultXTEAlarm"), d.XTEAlarm);
    WriteSingle(KeyRoutes, RegName(u"DefaultPointManualCurrentL"), d.PointManualCurrentL);
    WriteSingle(KeyRoutes, RegName(u"DefaultPointManualCurrentA"), d.PointManualCurrentA);
    WriteSingle(KeyRoutes, RegName(u"DefaultPointManualDepthLAT"), d.PointManualDepthLAT);
    WriteSingle(KeyRoutes, RegName(u"DefaultPointManualDepthNAP"), d.PointManualDepthNAP);
    WriteSingle(KeyRoutes, RegName(u"DefaultPointManualWindL"), d.PointManualWindL);
    WriteSingle(KeyRoutes, RegName(u"DefaultPointManualWindA"), d.PointManualWindA);
    WriteBool(KeyRoutes, RegName(u"DefaultPointOpenLegOptimization"), d.PointOpenLegOptimization);
    WriteSingle(KeyRoutes, RegName(u"DefaultPointRadius"), d.PointRadius);
    WriteBool(KeyRoutes, RegName(u"DefaultPointBiSector"), d.PointBiSector);
    WriteInteger(KeyRoutes, RegName(u"DefaultPointTravelMode"), TravelModeForm(d.PointTravelMode));
    WriteInteger(KeyRoutes, RegName(u"DefaultSectionInfoDistance"), d.SectionInfoDistance);
}

void RegReadPlannerSettings(IWptPlanner *planner, TPlannerSettings &s) {
    s = TPlannerSettings{};
    s.DelayBridges = ReadInteger(KeyRoutes, RegName(u"PlannerDelayBridges"), 300);
    s.DelayLocks = ReadInteger(KeyRoutes, RegName(u"PlannerDelayLocks"), 1200);
    s.NAPWaterLevel = ReadSingle(KeyRoutes, RegName(u"PlannerNAPWaterLevel"), 1.0f);
    s.ImposeSpeedLimit = ReadBool(KeyRoutes, RegName(u"PlannerImposeSpeedLimit"), true);
    if (planner) {
        planner->ResetValue44(0);
        planner->ResetValue45(0);
    }
}

void RegWritePlannerSettings(const TPlannerSettings &s) {
    WriteInteger(KeyRoutes, RegName(u"PlannerDelayBridges"), s.DelayBridges);
    WriteInteger(KeyRoutes, RegName(u"PlannerDelayLocks"), s.DelayLocks);
    WriteSingle(KeyRoutes, RegName(u"PlannerNAPWaterLevel"), s.NAPWaterLevel);
    WriteBool(KeyRoutes, RegName(u"PlannerImposeSpeedLimit"), s.ImposeSpeedLimit);
}

int32_t RegReadEditPointModes() {
    int32_t flags = 0;
    if (ReadBool(KeyRoutes, RegName(u"EditPointAdd"), true)) flags |= RouteEditFlag::AddPoints;
    if (ReadBool(KeyRoutes, RegName(u"EditPointDelete"), false))
        flags |= RouteEditFlag::DeletePoints;
    if (ReadBool(KeyRoutes, RegName(u"EditPointMove"), true)) flags |= RouteEditFlag::MovePoints;
    if (ReadBool(KeyRoutes, RegName(u"EditPointVectors"), true))
        flags |= RouteEditFlag::EditVectors;
    return flags;
}

void RegWriteEditPointModes(int32_t flags) {
    WriteBool(KeyRoutes, RegName(u"EditPointAdd"), (flags & RouteEditFlag::AddPoints) != 0);
    WriteBool(KeyRoutes, RegName(u"EditPointDelete"), (flags & RouteEditFlag::DeletePoints) != 0);
    WriteBool(KeyRoutes, RegName(u"EditPointMove"), (flags & RouteEditFlag::MovePoints) != 0);
    WriteBool(KeyRoutes, RegName(u"EditPointVectors"), (flags & RouteEditFlag::EditVectors) != 0);
}

void RegReadCustomWaitTimes(IWWNetwork *network) {
    if (!network) return;
    QStringList names;
    int32_t error = 0;
    RegGetValueNames(GetAppReg(), Root, KeyCustomWaitTimes, names, error);
    for (const QString &name : names) {
        TGUID guid;
        if (!TryStrToGUID(name, guid)) continue;
        int32_t index = -1;
        if (!network->FindStruct(&guid, index)) continue;
        IWWStruct *structure = network->GetStruct(index);
        if (!structure) continue;
        switch (structure->GetKind()) {
        case WWStructKind::Bridge:
        case WWStructKind::Lock:
        case WWStructKind::NonPhysicalBarrier:
        case WWStructKind::ShipTunnel:
            structure->SetWaitingTime(
                RegReadIntegerDef(GetAppReg(), Root, KeyCustomWaitTimes, RegName(name), -1));
            break;
        default:
            break;
        }
    }
}

void RegWriteCustomWaitTime(const TGUID &structure, int32_t seconds) {
    const QString name = GUIDToStr(structure);
    int32_t e = 0;
    if (seconds < 0)
        RegDeleteValue(GetAppReg(), Root, KeyCustomWaitTimes, RegName(name), e);
    else
        RegWriteInteger(GetAppReg(), Root, KeyCustomWaitTimes, RegName(name), seconds, e);
}

void RegReadSailingAreas(uint16_t &areas) {
    areas = 0;
    for (int32_t n = 0; n < SailingArea::Count; ++n) {
        const bool def = (SailingArea::DefaultSet & (1u << n)) != 0;
        if (ReadBool(KeySailingArea, Name(SailingAreaNames[n]), def)) areas |= uint16_t(1u << n);
    }
}

void RegWriteSailingAreas(uint16_t areas) {
    for (int32_t n = 0; n < SailingArea::Count; ++n)
        WriteBool(KeySailingArea, Name(SailingAreaNames[n]), (areas & (1u << n)) != 0);
}
