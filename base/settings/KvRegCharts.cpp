#include "base/settings/KvRegCharts.h"

#include "base/charts/KvCharts.h"
#include "base/geodesy/KvGeodetic.h"
#include "base/kvlib/KvStrings.h"
#include "base/registry/KvRegistry.h"

#include <KvLibNav6/KvErrorCodes.h>

#include <array>
#include <initializer_list>

namespace {

constexpr int32_t Root = AppRegRoot::Product;

// CoordSystem as stored ↔ the projection kind the geodesy reports.
struct TCoordSystem {
    int32_t Stored;
    int32_t Kind;
};
constexpr std::array<TCoordSystem, 8> CoordSystems = {{
    {0, ProjectionKind::EquidistantCylindrical},
    {1, ProjectionKind::Mercator},
    {2, ProjectionKind::TransverseMercator},
    {3, ProjectionKind::RD},
    {4, ProjectionKind::LambertConformalConic},
    {5, ProjectionKind::Orthographic},
    {6, ProjectionKind::ObliqueStereographic},
    {7, ProjectionKind::PolarStereographic},
}};

int32_t StoredFromKind(int32_t kind) {
    for (const auto &c : CoordSystems)
        if (c.Kind == kind) return c.Stored;
    return -1;
}

// Reads Doubles that must all be present; stops at the first missing one.
class TValueReader {
public:
    TValueReader(IAppReg *reg, const QString &key) : FReg(reg), FKey(key) {}
    bool Read(const QString &name, double &value) {
        if (FErr != 0) return false;
        value = RegReadDouble(FReg, Root, FKey, RegName(name), FErr);
        return FErr == 0;
    }
    bool Ok() const { return FErr == 0; }

private:
    IAppReg *FReg;
    const QString &FKey;
    int32_t FErr = 0;
};

// Writes values until the first failure; later writes are skipped.
class TValueWriter {
public:
    TValueWriter(IAppReg *reg, const QString &key) : FReg(reg), FKey(key) {}
    void Double(const QString &name, double v) {
        if (FErr == 0) RegWriteDouble(FReg, Root, FKey, RegName(name), v, FErr);
    }
    void Integer(const QString &name, int32_t v) {
        if (FErr == 0) RegWriteInteger(FReg, Root, FKey, RegName(name), v, FErr);
    }
    void Bool(const QString &name, bool v) {
        if (FErr == 0) RegWriteBool(FReg, Root, FKey, RegName(name), v, FErr);
    }
    void String(const QString &name, const QString &v) {
        if (FErr == 0) RegWriteString(FReg, Root, FKey, RegName(name), v, FErr);
    }
    void Fail() {
        if (FErr == 0) FErr = KvErr::Failed;
    }
    bool Ok() const { return FErr == 0; }

private:
    IAppReg *FReg;
    const QString &FKey;
    int32_t FErr = 0;
};

QString Indexed(const char *prefix, int i, const char *axis) {
    return QString::fromLatin1(prefix) + QString::number(i) + QString::fromLatin1(axis);
}

bool ReadCalibrationUnprotected(IAppReg *reg, const QString &key, IGeodeticCalibration *cal,
                                int32_t width, int32_t height) {
    if (!cal) return false;
    if (!RegReadBoolDef(reg, Root, key, RegName(u"Calibration"), false)) return false;
    const int32_t count = RegReadIntegerDef(reg, Root, key, RegName(u"CalPointCount"), 0);
    if (count < 2 || count > 3) return false;

    TValueReader r(reg, key);
    TDouble2 pix[3];
    TGeoPoint geo[3];
    for (int i = 0; i < count; ++i) {
        r.Read(Indexed("Pix", i + 1, "X"), pix[i].X);
        r.Read(Indexed("Pix", i + 1, "Y"), pix[i].Y);
    }
    for (int i = 0; i < count; ++i) {
        r.Read(Indexed("Coord", i + 1, "X"), geo[i].Lon);
        r.Read(Indexed("Coord", i + 1, "Y"), geo[i].Lat);
    }
    if (!r.Ok()) return false;
    int32_t err = 0;
    const int32_t storedWidth = RegReadInteger(reg, Root, key, RegName(u"Width"), err);
    if (err != 0) return false;
    const int32_t storedHeight = RegReadInteger(reg, Root, key, RegName(u"Height"), err);
    if (err != 0) return false;

    const int32_t system = RegReadIntegerDef(reg, Root, key, RegName(u"CoordSystem"), -1);
    double k0 = 1.0, lat0 = 0.0, lat1 = 0.0, lat2 = 0.0, long0 = 0.0;
    switch (system) {
    case 0: r.Read(QStringLiteral("Lat1"), lat1); r.Read(QStringLiteral("Long0"), long0); break;
    case 1: r.Read(QStringLiteral("Long0"), long0); break;
    case 2:
        r.Read(QStringLiteral("k0"), k0);
        r.Read(QStringLiteral("Lat0"), lat0);
        r.Read(QStringLiteral("Long0"), long0);
        break;
    case 3: break;
    case 4:
        r.Read(QStringLiteral("Lat1"), lat1);
        r.Read(QStringLiteral("Lat2"), lat2);
        r.Read(QStringLiteral("Lat0"), lat0);
        r.Read(QStringLiteral("Long0"), long0);
        break;
    case 5: r.Read(QStringLiteral("Lat1"), lat1); r.Read(QStringLiteral("Long0"), long0); break;
    case 6:
    case 7:
        r.Read(QStringLiteral("k0"), k0);
        r.Read(QStringLiteral("Lat1"), lat1);
        r.Read(QStringLiteral("Long0"), long0);
        break;
    default: return false;
    }
    if (!r.Ok()) return false;

    IGeodeticDatum *datum = nullptr;
    if (system != 3 && !RegReadCalibrationDatum(reg, key, datum)) return false;

    TProjectionRef ref;
    switch (system) {
    case 0: GeodeticRefInitEquidistantCylindrical(ref, lat1, long0, datum); break;
    case 1: GeodeticRefInitMercator(ref, long0, datum); break;
    case 2: GeodeticRefInitTransverseMercator(ref, k0, lat0, long0, datum); break;
    case 3: GeodeticRefInitRD(ref); break;
    case 4: GeodeticRefInitLambertConformalConic(ref, lat1, lat2, lat0, long0, datum); break;
    case 5: GeodeticRefInitOrthographic(ref, lat1, long0, datum); break;
    case 6: GeodeticRefInitObliqueStereographic(ref, k0, lat1, long0, datum); break;
    case 7: GeodeticRefInitPolarStereographic(ref, k0, lat1, long0, datum); break;
    }

    err = 0;
    if (count == 2)
        cal->Init2(pix[0], pix[1], geo[0], geo[1], storedWidth, storedHeight, ref, err);
    else
        cal->Init(pix[0], pix[1], pix[2], geo[0], geo[1], geo[2], storedWidth, storedHeight, ref,
                  err);
    if (err != 0 || cal->HasError()) return false;

    // The image may have been stored at another size (a re-rendered chart): express the
    // calibration on this image's corners, always with three points.
    const double w = width, h = height;
    const TDouble2 corners[3] = {{-0.5, -0.5}, {w - 0.5, -0.5}, {w - 0.5, h - 0.5}};
    TGeoPoint cornerGeo[3];
    for (int i = 0; i < 3; ++i) cal->PixelToGeo(cornerGeo[i], corners[i]);
    // The corners come from the calibration made with the stored size; the new one takes
    // the same projection record (the calibration's own copy changes with Init).
    const TProjectionRef used = *cal->GetProjection();
    err = 0;
    cal->Init(corners[0], corners[1], corners[2], cornerGeo[0], cornerGeo[1], cornerGeo[2],
              width, height, used, err);
    return err == 0 && !cal->HasError();
}

bool WriteCalibrationValues(IAppReg *reg, const QString &key, IGeodeticCalibration *cal) {
    TDouble2 pix[3];
    TGeoPoint geo[3];
    const int32_t count = cal->GetPixelPoints(pix[0], pix[1], pix[2]);
    if (count < 2 || count > 3) return false;
    cal->GetGeoPoints(geo[0], geo[1], geo[2]);
    const TProjectionRef *ref = cal->GetProjection();
    if (!ref) return false;
    const int32_t system = StoredFromKind(ref->Kind);
    // A projection the store cannot name again would be read back as something else.
    if (system < 0) return false;

    TValueWriter w(reg, key);
    w.Bool(QStringLiteral("Calibration"), true);
    w.Integer(QStringLiteral("CalPointCount"), count);
    for (int i = 0; i < count; ++i) {
        w.Double(Indexed("Pix", i + 1, "X"), pix[i].X);
        w.Double(Indexed("Pix", i + 1, "Y"), pix[i].Y);
    }
    w.Integer(QStringLiteral("Width"), cal->GetWidth());
    w.Integer(QStringLiteral("Height"), cal->GetHeight());
    for (int i = 0; i < count; ++i) {
        w.Double(Indexed("Coord", i + 1, "X"), geo[i].Lon);
        w.Double(Indexed("Coord", i + 1, "Y"), geo[i].Lat);
    }
    w.Integer(QStringLiteral("CoordSystem"), system);
    switch (system) {
    case 0:
    case 5: w.Double(QStringLiteral("Lat1"), ref->Lat1); w.Double(QStringLiteral("Long0"), ref->Long0); break;
    case 1: w.Double(QStringLiteral("Long0"), ref->Long0); break;
    case 2:
        w.Double(QStringLiteral("k0"), ref->K0);
        w.Double(QStringLiteral("Lat0"), ref->Lat0);
        w.Double(QStringLiteral("Long0"), ref->Long0);
        break;
    case 3: break;
    case 4:
        w.Double(QStringLiteral("Lat1"), ref->Lat1);
        w.Double(QStringLiteral("Lat2"), ref->Lat2);
        w.Double(QStringLiteral("Lat0"), ref->Lat0);
        w.Double(QStringLiteral("Long0"), ref->Long0);
        break;
    case 6:
    case 7:
        w.Double(QStringLiteral("k0"), ref->K0);
        w.Double(QStringLiteral("Lat1"), ref->Lat1);
        w.Double(QStringLiteral("Long0"), ref->Long0);
        break;
    }
    if (!w.Ok()) return false;
    if (system == 3) return true;
    return RegWriteCalibrationDatum(reg, key, ref->Datum);
}

}  // namespace

bool RegReadCalibrationDatum(IAppReg *reg, const QString &key, IGeodeticDatum *&datum) {
    datum = nullptr;
    int32_t err = 0;
    QString code;
    RegReadString(reg, Root, key, RegName(u"DatumCode"), err, code);
    if (err != 0) return false;
    if (!code.isEmpty()) {
        IGeodeticDefinition *def = GeodeticFindByCode(GeodeticRegistry(), code,
                                                      GeodeticKind::Datum, err);
        datum = err == 0 ? dynamic_cast<IGeodeticDatum *>(def) : nullptr;
        return datum != nullptr;
    }
    double v[9] = {};
    TValueReader r(reg, key);
    const char *names[9] = {"DatumdX",  "DatumdY",  "DatumdZ",    "DatumRx",     "DatumRy",
                            "DatumRz",  "DatumScale", "EllipsoidA", "EllipsoidFInv"};
    for (int i = 0; i < 9; ++i) r.Read(QString::fromLatin1(names[i]), v[i]);
    if (!r.Ok()) return false;
    IGeodeticRegistry *registry = GeodeticRegistry();
    IGeodeticEllipsoid *ellipsoid = registry->NewEllipsoid(v[7], v[8]);
    if (!ellipsoid) return false;
    datum = registry->NewDatum(ellipsoid, v[0], v[1], v[2], v[3], v[4], v[5], v[6]);
    return datum != nullptr;
}

bool RegWriteCalibrationDatum(IAppReg *reg, const QString &key, IGeodeticDatum *datum) {
    if (!datum) return false;
    TValueWriter w(reg, key);
    w.String(QStringLiteral("DatumCode"), StrWToWide(datum->GetCode()));
    if (datum->IsUserDefined()) {
        TGeodeticHelmert h;
        datum->GetHelmert(h);
        IGeodeticEllipsoid *e = datum->GetEllipsoid();
        if (!e) return false;
        w.Double(QStringLiteral("DatumdX"), h.DX);
        w.Double(QStringLiteral("DatumdY"), h.DY);
        w.Double(QStringLiteral("DatumdZ"), h.DZ);
        w.Double(QStringLiteral("DatumRx"), h.RX);
        w.Double(QStringLiteral("DatumRy"), h.RY);
        w.Double(QStringLiteral("DatumRz"), h.RZ);
        w.Double(QStringLiteral("DatumScale"), h.Scale);
        w.Double(QStringLiteral("EllipsoidA"), e->GetSemiMajorAxis());
        w.Double(QStringLiteral("EllipsoidFInv"), e->GetInverseFlattening());
    }
    return w.Ok();
}

bool RegReadCalibration(IAppReg *reg, const QString &key, IGeodeticCalibration *calibration,
                        int32_t width, int32_t height) {
    // A damaged calibration costs the user a re-calibration, never the chart view.
    try {
        return ReadCalibrationUnprotected(reg, key, calibration, width, height);
    } catch (...) {
        return false;
    }
}

bool RegReadCalibration(const QString &key, IGeodeticCalibration *calibration, int32_t width,
                        int32_t height) {
    return RegReadCalibration(GetAppReg(), key, calibration, width, height);
}

bool RegWriteCalibration(IAppReg *reg, const QString &key, IGeodeticCalibration *calibration) {
    int32_t err = 0;
    RegDeleteKey(reg, Root, key, err);
    // Writing over an old calibration that could not be removed would mix the two.
    if (err != 0) return false;
    if (!calibration || calibration->HasError()) return false;
    bool stored = false;
    try {
        stored = WriteCalibrationValues(reg, key, calibration);
    } catch (...) {
        stored = false;
    }
    if (!stored) {
        int32_t ignored = 0;
        RegDeleteKey(reg, Root, key, ignored);
    }
    return stored;
}

bool RegWriteCalibration(const QString &key, IGeodeticCalibration *calibration) {
    return RegWriteCalibration(GetAppReg(), key, calibration);
}

bool ModuleEnabledDefault(uint32_t productNumber, const QString &setCode) {
    static const uint32_t allOn[] = {196651, 196657, 196659, 196675, 196678, 196684, 196693,
                                     196699, 196705, 196711, 196717, 196756, 196772, 196782};
    static const uint32_t someOn[] = {196660, 196673, 196681, 196690, 196696, 196702,
                                      196708, 196714, 196753, 196769, 196779};
    for (uint32_t k : allOn)
        if (k == productNumber) return true;
    for (uint32_t k : someOn)
        if (k == productNumber)
            return setCode == QLatin1String("BE") || setCode == QLatin1String("NF") ||
                   setCode == QLatin1String("NWD") || setCode == QLatin1String("ZWD");
    return false;
}

namespace {

const QString ModulesKey = QStringLiteral("Colors\\Modules");

template <class Fn>
void ForEachChartSet(IChartManager *manager, Fn fn) {
    if (!manager) return;
    for (int32_t p = 0, pn = manager->GetProductCount(); p < pn; ++p) {
        IChartProduct *product = manager->GetProduct(p);
        if (!product) continue;
        IChartProductInfo *info = product->GetInfo();
        if (!info) continue;
        const uint32_t number = info->GetProductNumber();
        for (int32_t s = 0, sn = product->GetChartSetCount(); s < sn; ++s) {
            IChartSet *set = product->GetChartSet(s);
            if (set) fn(number, set);
        }
    }
}

}  // namespace

void RegReadModuleColors(IAppReg *reg, IChartManager *manager) {
    ForEachChartSet(manager, [reg](uint32_t number, IChartSet *set) {
        const QString code = ChartSetGetCode(set);
        const QString base = QString::number(number) + code;
        set->SetColor(
            RegReadIntegerDef(reg, Root, ModulesKey, RegName(base + QStringLiteral("TColor")), -1));
        set->SetEnabled(RegReadBoolDef(reg, Root, ModulesKey,
                                       RegName(base + QStringLiteral("Enabled")),
                                       ModuleEnabledDefault(number, code)));
    });
}
void RegReadModuleColors(IChartManager *manager) { RegReadModuleColors(GetAppReg(), manager); }

void RegWriteModuleColors(IAppReg *reg, IChartManager *manager) {
    ForEachChartSet(manager, [reg](uint32_t number, IChartSet *set) {
        const QString base = QString::number(number) + ChartSetGetCode(set);
        int32_t err = 0;
        RegWriteInteger(reg, Root, ModulesKey, RegName(base + QStringLiteral("TColor")),
                        set->GetColor(), err);
        RegWriteBool(reg, Root, ModulesKey, RegName(base + QStringLiteral("Enabled")),
                     set->GetEnabled(), err);
    });
}
void RegWriteModuleColors(IChartManager *manager) { RegWriteModuleColors(GetAppReg(), manager); }

void RegWriteS57Settings(IAppReg *reg, IS52PresentationLib *lib, bool widthMonitorAuto,
                         int32_t widthMonitorMM) {
    if (!lib) return;
    const QString key = QStringLiteral("S57");
    const uint32_t flags = lib->GetDisplayFlags(0);
    struct TBit {
        const char16_t *Name;
        uint32_t Bit;
    };
    static const TBit bits[] = {
        {u"UseORIENT", S52DisplayFlag::UseORIENT},
        {u"UseShallowPattern", S52DisplayFlag::UseShallowPattern},
        {u"Enhancements", S52DisplayFlag::Enhancements},
        {u"ShowMeta", S52DisplayFlag::ShowMeta},
        {u"ShowTextImportant", S52DisplayFlag::ShowTextImportant},
        {u"ShowAtoN", S52DisplayFlag::ShowAtoNLabels},
        {u"ShowLightDesc", S52DisplayFlag::ShowLightDesc},
        {u"ShowNational", S52DisplayFlag::ShowNational},
        {u"Depth4Shades", S52DisplayFlag::FourDepthShades},
        {u"ShowLandFeatures", S52DisplayFlag::ShowLandFeatures},
        {u"ShowBxPrefix", S52DisplayFlag::ShowBxPrefix},
        {u"ShowBuoys", S52DisplayFlag::ShowBuoys},
        {u"ShowSoundingShallowOnly", S52DisplayFlag::SoundingsShallowOnly},
        {u"ShowContourLabels", S52DisplayFlag::ShowContourLabels},
    };
    // The other writers of the store ignore registry errors too: a lost display setting
    // falls back to the presentation library's cache.
    int32_t err = 0;
    for (const TBit &b : bits)
        RegWriteBool(reg, Root, key, RegName(QString::fromUtf16(b.Name)), (flags & b.Bit) != 0, err);
    RegWriteBool(reg, Root, key, RegName(u"CheckFeatureTime"), lib->GetCheckFeatureTime(), err);
    RegWriteSingle(reg, Root, key, RegName(u"TextScale"), lib->GetTextScale(), err);
    RegWriteSingle(reg, Root, key, RegName(u"DepthDeep"), lib->GetDepthDeep(), err);
    RegWriteSingle(reg, Root, key, RegName(u"DepthSafe"), lib->GetDepthSafe(), err);
    RegWriteSingle(reg, Root, key, RegName(u"DepthShallow"), lib->GetDepthShallow(), err);
    RegWriteBool(reg, Root, key, RegName(u"BoundaryStylePlain"),
                 lib->GetBoundaryStyle() == S52BoundaryStyle::Plain, err);
    RegWriteBool(reg, Root, key, RegName(u"SymbolStylePaper"),
                 lib->GetSymbolStyle() == S52SymbolStyle::Paper, err);
    RegWriteInteger(reg, Root, key, RegName(u"MaxBuoyScamin"), lib->GetMaxBuoyScamin(), err);
    RegWriteBool(reg, Root, key, RegName(u"WidthMonitorAuto"), widthMonitorAuto, err);
    RegWriteInteger(reg, Root, key, RegName(u"WidthMonitorMM"), widthMonitorMM, err);
    const int32_t scheme = lib->GetColorScheme();
    const int32_t stored = scheme == S52ColorScheme::Dusk    ? 2
                           : scheme == S52ColorScheme::Night ? 3
                                                             : 1;
    RegWriteInteger(reg, Root, key, RegName(u"ColorScheme"), stored, err);
}
void RegWriteS57Settings(IS52PresentationLib *lib, bool widthMonitorAuto, int32_t widthMonitorMM) {
    RegWriteS57Settings(GetAppReg(), lib, widthMonitorAuto, widthMonitorMM);
}

bool RegWriteS57Folders(IAppReg *reg, IChartManager *manager) {
    const QString key = QStringLiteral("S57\\Folders");
    int32_t err = 0;
    RegDeleteKey(reg, Root, key, err);
    if (err != 0) return false;
    if (!manager) return true;
    bool ok = true;
    int32_t numbered = 0;
    for (int32_t i = 0, n = manager->GetS57FolderCount(); i < n; ++i) {
        QString folder, cc, region, water;
        bool fixed = false, withSubfolders = false;
        ChartManagerGetS57Folder(manager, i, folder, fixed, withSubfolders);
        ChartManagerGetS57FolderInfo(manager, i, cc, region, water);
        if (cc.isEmpty() && region.isEmpty() && water.isEmpty()) {
            err = 0;
            RegWriteBool(reg, Root, key, RegName(folder), withSubfolders, err);
            ok = ok && err == 0;
            continue;
        }
        const QString sub = key + QLatin1Char('\\') + QString::number(numbered++);
        TValueWriter w(reg, sub);
        w.String(QStringLiteral("Folder"), folder);
        w.Bool(QStringLiteral("Subdirs"), withSubfolders);
        w.String(QStringLiteral("CountryCode"), cc);
        w.String(QStringLiteral("Region"), region);
        w.String(QStringLiteral("Water"), water);
        ok = ok && w.Ok();
    }
    return ok;
}
bool RegWriteS57Folders(IChartManager *manager) { return RegWriteS57Folders(GetAppReg(), manager); }

bool RegWriteS57Visible(IAppReg *reg, IChartManager *manager) {
    const QString key = QStringLiteral("S57\\Visible");
    int32_t err = 0;
    RegDeleteKey(reg, Root, key, err);
    if (err != 0) return false;
    if (!manager) return true;
    bool ok = true;
    for (int32_t i = 0, n = manager->GetChartCount(); i < n; ++i) {
        IChart *chart = manager->GetChart(i);
        if (!chart) continue;
        err = 0;
        RegWriteInteger(reg, Root, key, RegName(ChartGetFileName(chart)), chart->GetVisibility(),
                        err);
        ok = ok && err == 0;
    }
    return ok;
}
bool RegWriteS57Visible(IChartManager *manager) { return RegWriteS57Visible(GetAppReg(), manager); }

TFloat2 RegReadGPSPlotPosition(const QString &key) {
    IAppReg *reg = GetAppReg();
    return TFloat2{float(RegReadDoubleDef(reg, Root, key, RegName(u"GPSPlotPositionX"), 0.5)),
                   float(RegReadDoubleDef(reg, Root, key, RegName(u"GPSPlotPositionY"), 0.5))};
}

void RegWriteGPSPlotPosition(const QString &key, const TFloat2 &position) {
    int32_t err = 0;
    RegWriteDouble(GetAppReg(), Root, key, RegName(u"GPSPlotPositionX"), position.X, err);
    RegWriteDouble(GetAppReg(), Root, key, RegName(u"GPSPlotPositionY"), position.Y, err);
}

bool RegReadTrackingEnabled(const QString &key) {
    return RegReadBoolDef(GetAppReg(), Root, key, RegName(u"TrackingEnabled"), false);
}
void RegWriteTrackingEnabled(const QString &key, bool value) {
    int32_t err = 0;
    RegWriteBool(GetAppReg(), Root, key, RegName(u"TrackingEnabled"), value, err);
}
bool RegReadTrackingZoom100(const QString &key) {
    return RegReadBoolDef(GetAppReg(), Root, key, RegName(u"TrackingZoom100"), false);
}
void RegWriteTrackingZoom100(const QString &key, bool value) {
    int32_t err = 0;
    RegWriteBool(GetAppReg(), Root, key, RegName(u"TrackingZoom100"), value, err);
}
void RegWriteTrackingAutoPos(const QString &key, bool value) {
    int32_t err = 0;
    RegWriteBool(GetAppReg(), Root, key, RegName(u"TrackingAutoPos"), value, err);
}
void RegWriteTrackingTarget(const QString &key, int32_t target) {
    if (target != 0 && target != 1) return;
    int32_t err = 0;
    RegWriteInteger(GetAppReg(), Root, key, RegName(u"TrackingTarget"), target, err);
}

namespace {
// Modes 1..6 are stored as 2..7; the mode a value outside that range stands for.
constexpr int32_t TrackingModeFallback = 5;
}  // namespace

int32_t RegReadTrackingMode(const QString &key, const QString &valueName, int32_t defaultMode) {
    const int32_t storedDefault =
        defaultMode >= 1 && defaultMode <= 6 ? defaultMode + 1 : TrackingModeFallback + 1;
    const int32_t stored =
        RegReadIntegerDef(GetAppReg(), Root, key, RegName(valueName), storedDefault);
    return stored >= 2 && stored <= 7 ? stored - 1 : TrackingModeFallback;
}

void RegWriteTrackingMode(const QString &key, const QString &valueName, int32_t mode) {
    if (mode < 1 || mode > 6) return;
    int32_t err = 0;
    RegWriteInteger(GetAppReg(), Root, key, RegName(valueName), mode + 1, err);
}

QString GetIENCFolder(const QString &def) {
    QString folder;
    RegReadStringDef(GetAppReg(), Root, QString(), RegName(u"S57IENCFolder"), def, folder);
    return folder;
}

void SetIENCFolder(const QString &folder) {
    int32_t err = 0;  // ignored like the store's other single-value writes
    RegWriteString(GetAppReg(), Root, QString(), RegName(u"S57IENCFolder"), folder, err);
}
