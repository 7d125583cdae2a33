#include "viewer/RenderS57.h"

#include "charts/ChartFiles.h"
#include "viewer/RenderS57Filter.h"
#include "viewer/RenderS57Labels.h"
#include "viewer/RenderS57Symbols.h"

#include "KvLibNav6/KvUnits.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <cstring>
#include <limits>
#include <QHash>
#include <QPainter>
#include <QStaticText>
#include <algorithm>
#include <cmath>
#include <mutex>

#include <cpl_error.h>
#include <gdal_priv.h>
#include <ogrsf_frmts.h>

namespace kv::render {

namespace {

constexpr double RadPerDeg = M_PI / 180.0;

// Day, dusk and night values of the tokens, in TS52Colour order.
struct TRgb { int R, G, B; };
constexpr TRgb DayColours[] = {
    {163, 180, 183}, {131, 178, 149}, {130, 185, 240}, {172, 212, 243}, {210, 234, 250},
    {255, 255, 255}, {201, 185, 122}, {171, 144, 82},  {82, 90, 92},    {125, 137, 140},
    {40, 40, 40},    {125, 137, 140}, {7, 7, 7},       {7, 7, 7},       {125, 137, 140},
    {197, 69, 195},  {241, 84, 105},  {104, 228, 86},  {244, 218, 72},  {255, 255, 255},
    {238, 135, 30},  {216, 150, 26},  {197, 69, 195}, {160, 100, 40}, {90, 120, 150}};
constexpr TRgb DuskColours[] = {
    {65, 72, 73},    {52, 71, 60},    {52, 74, 96},    {69, 85, 97},    {84, 94, 100},
    {102, 102, 102}, {80, 74, 49},    {68, 58, 33},    {138, 150, 152}, {90, 100, 102},
    {180, 180, 180}, {125, 137, 140}, {200, 200, 200}, {200, 200, 200}, {125, 137, 140},
    {155, 50, 155},  {180, 60, 75},   {60, 160, 50},   {170, 150, 50},  {180, 180, 180},
    {170, 95, 20},   {160, 110, 20},  {155, 50, 155}, {120, 80, 35},  {45, 60, 75}};
constexpr TRgb NightColours[] = {
    {20, 22, 23},    {13, 18, 15},    {10, 16, 27},    {11, 15, 22},    {7, 10, 14},
    {0, 0, 0},       {30, 26, 14},    {24, 20, 12},    {70, 70, 60},    {50, 55, 56},
    {90, 90, 80},    {70, 75, 76},    {110, 110, 100}, {90, 90, 80},    {60, 65, 66},
    {80, 30, 80},    {90, 30, 35},    {30, 80, 25},    {80, 70, 20},    {80, 80, 75},
    {80, 45, 10},    {75, 55, 10},    {80, 30, 80},    {55, 38, 18},    {20, 28, 36}};
static_assert(std::size(DayColours) == size_t(TS52Colour::Count));
static_assert(std::size(DuskColours) == size_t(TS52Colour::Count));
static_assert(std::size(NightColours) == size_t(TS52Colour::Count));

// Fields the driver adds for its own linkage; everything else is an S-57 attribute.
bool IsTechnicalField(const char *name) {
    static const char *const names[] = {"RCID", "PRIM", "GRUP", "OBJL", "RVER", "AGEN", "FIDN",
                                        "FIDS", "LNAM", "LNAM_REFS", "FFPT_RIND", "DEPTH"};
    for (const char *n : names)
        if (std::strcmp(n, name) == 0) return true;
    return false;
}

bool Is(const QByteArray &cls, std::initializer_list<const char *> names) {
    for (const char *n : names)
        if (cls == n) return true;
    return false;
}

bool IsBuoy(const QByteArray &c) { return c.startsWith("BOY"); }
bool IsBeacon(const QByteArray &c) { return c.startsWith("BCN"); }
bool IsDepthArea(const QByteArray &c) { return Is(c, {"DEPARE", "DRGARE"}); }
bool IsWaterBody(const QByteArray &c) { return Is(c, {"LAKARE", "RIVERS", "CANALS", "DOCARE"}); }
// Areas drawn as an outline only, over the filled ones.
// Meta features: the quality, navigational system and publication areas a cell is split
// into, outlined only when asked for. M_COVR is the cell's coverage and never drawn.
bool IsMeta(const QByteArray &c) { return c.startsWith("M_") && c != "M_COVR"; }
bool IsOutlineArea(const QByteArray &c) {
    return IsMeta(c) || Is(c, {"RESARE", "FAIRWY", "CTNARE", "CBLARE", "PIPARE", "MIPARE", "ACHARE", "DMPGRD",
                  "TSSLPT", "PRCARE", "MARCUL", "SPLARE", "OBSTRN", "WRECKS", "SBDARE"});
}

int SortKey(const TS57Feature &f) {
    int key = int(f.Group) * 10;
    if (f.Group == TS57Group::Area) {
        // Lakes, rivers and canals lie over the land; where a depth area charts the same
        // water its shade is what shows.
        if (Is(f.Class, {"UNSARE"})) key += 0;
        else if (f.Class == "LNDARE") key += 1;
        else if (IsWaterBody(f.Class)) key += 2;
        else if (IsDepthArea(f.Class)) key += 3;
        else key += 4;
    } else if (f.Group == TS57Group::Point) {
        key += f.Class == "SOUNDG" ? 0 : (Is(f.Class, {"LIGHTS"}) ? 2 : 1);
    }
    return key;
}

QString FieldText(OGRFeature &f, int i) {
    OGRFieldDefn *def = f.GetFieldDefnRef(i);
    switch (def->GetType()) {
    case OFTStringList: {
        QStringList parts;
        for (char **p = f.GetFieldAsStringList(i); p && *p; ++p) parts << QString::fromUtf8(*p);
        return parts.join(u',');
    }
    case OFTIntegerList: {
        int n = 0;
        const int *v = f.GetFieldAsIntegerList(i, &n);
        QStringList parts;
        for (int k = 0; k < n; ++k) parts << QString::number(v[k]);
        return parts.join(u',');
    }
    case OFTReal:
        return QString::number(f.GetFieldAsDouble(i), 'g', 10);
    default:
        return QString::fromUtf8(f.GetFieldAsString(i));
    }
}

QPointF Merc(double lonDeg, double latDeg) {
    return QPointF(MercatorX(lonDeg * RadPerDeg), MercatorY(latDeg * RadPerDeg));
}

// Longitudes go through the cell's span, which keeps a cell across 180° in one piece.
void AddLine(QPainterPath &path, const OGRLineString *ls, bool close, const kv::charts::TLonSpan &lon) {
    const int n = ls->getNumPoints();
    if (n < 2) return;
    path.moveTo(Merc(lon.Unwrap(ls->getX(0)), ls->getY(0)));
    for (int i = 1; i < n; ++i) path.lineTo(Merc(lon.Unwrap(ls->getX(i)), ls->getY(i)));
    if (close) path.closeSubpath();
}

void AddGeometry(QPainterPath &path, const OGRGeometry *g, const kv::charts::TLonSpan &lon) {
    switch (wkbFlatten(g->getGeometryType())) {
    case wkbLineString:
        AddLine(path, g->toLineString(), false, lon);
        break;
    case wkbPolygon: {
        const OGRPolygon *poly = g->toPolygon();
        if (poly->getExteriorRing()) AddLine(path, poly->getExteriorRing(), true, lon);
        for (int i = 0; i < poly->getNumInteriorRings(); ++i)
            AddLine(path, poly->getInteriorRing(i), true, lon);
        break;
    }
    case wkbMultiLineString:
    case wkbMultiPolygon:
    case wkbGeometryCollection: {
        const OGRGeometryCollection *c = g->toGeometryCollection();
        for (int i = 0; i < c->getNumGeometries(); ++i) AddGeometry(path, c->getGeometryRef(i), lon);
        break;
    }
    default:
        break;
    }
}

QList<int> IntList(const QString &text) {
    QList<int> out;
    for (const QString &p : text.split(u',', Qt::SkipEmptyParts)) {
        bool ok = false;
        const int v = p.trimmed().toInt(&ok);
        if (ok) out << v;
    }
    return out;
}

// Bits of TS57Feature::Traits; the low two hold the TCategory. A name is important text
// (shown also with "important labels only") when a skipper finds his way by it: waterways,
// harbours, locks and towns; the names of sea areas, land regions, landmarks and bridges are
// other text.
enum : uint32_t {
    TraitCategoryMask = 3, TraitSounding = 4, TraitDepthContour = 8, TraitAid = 16, TraitLandFeature = 32,
    TraitKnownPoint = 64, TraitsSet = 128, TraitNameImportant = 256, TraitNameOther = 512,
    TraitNamed = TraitNameImportant | TraitNameOther, TraitWaterName = 1024, TraitLabelOnly = 2048,
    TraitMeta = 4096
};

uint32_t TraitsOf(const TS57Feature &f);

struct TGdalQuiet {
    TGdalQuiet() { CPLPushErrorHandler(CPLQuietErrorHandler); }
    ~TGdalQuiet() { CPLPopErrorHandler(); }
};

std::mutex GCacheMutex;
QHash<QString, std::weak_ptr<const TS57CellData>> GCache;

}  // namespace

QColor S52Colour(TS52Colour c, int32_t scheme) {
    const TRgb *table = scheme == S52ColorScheme::Night ? NightColours
                        : scheme == S52ColorScheme::Dusk ? DuskColours
                                                         : DayColours;
    const TRgb &v = table[size_t(c)];
    return QColor(v.R, v.G, v.B);
}

TS57CellPtr CachedS57Cell(const QString &file) {
    std::lock_guard lock(GCacheMutex);
    return GCache.value(file).lock();
}

TS57CellPtr LoadS57Cell(const QString &file, QString &error) {
    if (TS57CellPtr cached = CachedS57Cell(file)) return cached;
    kv::charts::EnsureGdal();
    TGdalQuiet quiet;
    // As the scan read it: with the updates, or without them where GDAL refuses them (the
    // chart manager lists that).
    bool updatesLeftOut = false;
    GDALDatasetUniquePtr ds(kv::charts::OpenS57Cell(
        file,
        {QStringLiteral("SPLIT_MULTIPOINT=ON"), QStringLiteral("ADD_SOUNDG_DEPTH=ON"),
         QStringLiteral("RECODE_BY_DSSI=ON"), QStringLiteral("RETURN_PRIMITIVES=ON")},
        updatesLeftOut));
    if (!ds) {
        const char *msg = CPLGetLastErrorMsg();
        error = msg && *msg ? QString::fromUtf8(msg) : QStringLiteral("Not an S-57 cell that can be read.");
        return nullptr;
    }
    auto cell = std::make_shared<TS57CellData>();
    cell->File = file;
    cell->CellName = QFileInfo(file).completeBaseName();
    if (OGRLayer *dspm = ds->GetLayerByName("DSID")) {
        dspm->ResetReading();
        std::unique_ptr<OGRFeature> f(dspm->GetNextFeature());
        if (f) {
            const int i = f->GetFieldIndex("DSPM_CSCL");
            if (i >= 0) cell->Scale = f->GetFieldAsInteger(i);
            const int spec = f->GetFieldIndex("DSID_PSDN");
            if (spec >= 0) cell->Bathymetric = S57IsBathymetricSpec(QString::fromUtf8(f->GetFieldAsString(spec)));
        }
    }
    // Whether the cell lies across 180° is known before any feature is built.
    const kv::charts::TLonSpan lon = kv::charts::S57CellExtent(*ds).Lon;
    for (OGRLayer *layer : ds->GetLayers()) {
        const QByteArray cls(layer->GetName());
        if (cls == "DSID" || cls.startsWith("C_") ||
            kv::charts::IsS57PrimitiveLayer(cls.constData()))
            continue;
        layer->ResetReading();
        for (std::unique_ptr<OGRFeature> f(layer->GetNextFeature()); f; f.reset(layer->GetNextFeature())) {
            const OGRGeometry *g = f->GetGeometryRef();
            if (!g || g->IsEmpty()) continue;
            TS57Feature out;
            out.Class = cls;
            const OGRwkbGeometryType type = wkbFlatten(g->getGeometryType());
            if (type == wkbPoint) {
                const OGRPoint *p = g->toPoint();
                out.Prim = 1;
                out.Group = TS57Group::Point;
                out.Point = Merc(lon.Unwrap(p->getX()), p->getY());
                out.Box = QRectF(out.Point, QSizeF(0, 0));
                if (cls == "SOUNDG") {
                    out.Value1 = p->Is3D() ? p->getZ() : 0.0;
                    const int di = f->GetFieldIndex("DEPTH");
                    if (di >= 0 && f->IsFieldSetAndNotNull(di)) out.Value1 = f->GetFieldAsDouble(di);
                    out.HasValue1 = true;
                }
            } else if (type == wkbLineString || type == wkbMultiLineString || type == wkbPolygon ||
                       type == wkbMultiPolygon) {
                const bool area = type == wkbPolygon || type == wkbMultiPolygon;
                out.Prim = area ? 3 : 2;
                AddGeometry(out.Path, g, lon);
                if (out.Path.isEmpty()) continue;
                out.Path.setFillRule(Qt::OddEvenFill);
                out.Box = out.Path.boundingRect();
                out.Vertices.reserve(size_t(out.Path.elementCount()));
                for (int i = 0; i < out.Path.elementCount(); ++i) {
                    const QPainterPath::Element &e = out.Path.elementAt(i);
                    if (e.type == QPainterPath::MoveToElement) out.Parts.push_back(int(out.Vertices.size()));
                    out.Vertices.emplace_back(e.x, e.y);
                }
                out.Parts.push_back(int(out.Vertices.size()));
                out.Group = !area ? TS57Group::Line
                                  : (IsOutlineArea(cls) ? TS57Group::AreaPattern : TS57Group::Area);
            } else {
                continue;  // multipoints other than soundings and empty links carry nothing to draw
            }
            for (int i = 0; i < f->GetFieldCount(); ++i) {
                if (!f->IsFieldSetAndNotNull(i)) continue;
                const char *name = f->GetFieldDefnRef(i)->GetNameRef();
                if (IsTechnicalField(name) || std::strncmp(name, "NAME_", 5) == 0 ||
                    std::strcmp(name, "ORNT") == 0 || std::strcmp(name, "USAG") == 0 ||
                    std::strcmp(name, "MASK") == 0)
                    continue;
                const QString value = FieldText(*f, i);
                if (value.isEmpty()) continue;
                const QByteArray n(name);
                bool ok = false;
                if (n == "DRVAL1" || n == "VALDCO") {
                    out.Value1 = value.toDouble(&ok);
                    out.HasValue1 = ok;
                } else if (n == "DRVAL2" || n == "VERCLR") {
                    out.Value2 = value.toDouble(&ok);
                    out.HasValue2 = ok;
                } else if (n == "SCAMIN") {
                    out.Scamin = value.toInt();
                } else if (n == "BOYSHP" || n == "BCNSHP" || n == "CATLIT" || n == "CATBRG" || n == "CATHAF") {
                    out.Shape = IntList(value).value(0);
                } else if (n == "COLOUR") {
                    out.Colours = IntList(value);
                } else if (n == "SECTR1") {
                    out.Sector1 = value.toDouble();
                } else if (n == "SECTR2") {
                    out.Sector2 = value.toDouble();
                } else if (n == "HEIGHT") {
                    out.Height = value.toDouble(&ok);
                    if (!ok || out.Height < 0) out.Height = -1;
                } else if (n == "VALNMR") {
                    out.Range = value.toDouble();
                } else if (n == "OBJNAM") {
                    out.Name = value;
                } else if (n == "DATSTA" || n == "DATEND" || n == "PERSTA" || n == "PEREND") {
                    int &date = n == "DATSTA" ? out.DateStart : n == "DATEND" ? out.DateEnd
                                : n == "PERSTA" ? out.PeriodStart : out.PeriodEnd;
                    date = S57DateValue(value);
                }
                out.Attributes.emplace_back(QString::fromLatin1(n), value);
            }
            out.Traits = TraitsOf(out);
            out.Text = S57FeatureText(out);
            // A bridge's name stands beside its clearance, not along its deck.
            if (!out.Name.isEmpty() && (out.Traits & TraitNamed) && out.Prim != 1 && cls != "BRIDGE")
                out.HasLabelPlace = PlaceS57Name(out, out.LabelAt, out.LabelAngle);
            cell->Box = cell->Box.isNull() ? out.Box : cell->Box.united(out.Box);
            cell->Features.push_back(std::move(out));
        }
    }
    std::stable_sort(cell->Features.begin(), cell->Features.end(),
                     [](const TS57Feature &a, const TS57Feature &b) { return SortKey(a) < SortKey(b); });
    std::lock_guard lock(GCacheMutex);
    GCache.insert(file, cell);
    return cell;
}

namespace {

enum class TCategory { Base, Standard, Other, Never };

TCategory CategoryOf(const TS57Feature &f) {
    const QByteArray &c = f.Class;
    if (Is(c, {"DEPARE", "DRGARE", "LNDARE", "COALNE", "UNSARE", "SLCONS"})) return TCategory::Base;
    if (c == "DEPCNT") return TCategory::Standard;  // the safety contour is Base, see below
    if (c == "M_COVR") return TCategory::Never;
    if (IsBuoy(c) || IsBeacon(c) ||
        Is(c, {"LIGHTS", "BRIDGE", "LOKBSN", "FAIRWY", "RESARE", "BUAARE", "WRECKS", "OBSTRN",
               "UWTROC", "NAVLNE", "RECTRC", "CTNARE", "LAKARE", "RIVERS", "CANALS", "PONTON",
               "HULKES", "DOCARE", "ACHARE", "TSSLPT", "GATCON", "CAUSWY", "HRBFAC", "SMCFAC",
               "DAMCON"}))
        return TCategory::Standard;
    return TCategory::Other;
}

bool KnownPointClass(const QByteArray &c) {
    return c == "SOUNDG" || IsBuoy(c) || IsBeacon(c) ||
           Is(c, {"LIGHTS", "WRECKS", "OBSTRN", "UWTROC", "LNDMRK", "BRIDGE", "LNDARE", "BUISGL",
                  "PILPNT", "GATCON", "HRBFAC", "SMCFAC"});
}

// Swing, lifting, bascule and draw bridges and those only said to open.
bool IsOpeningBridge(const TS57Feature &f) {
    return f.Class == "BRIDGE" && ((f.Shape >= 2 && f.Shape <= 5) || f.Shape == 7);
}

uint32_t TraitsOf(const TS57Feature &f) {
    const QByteArray &c = f.Class;
    uint32_t t = uint32_t(CategoryOf(f)) | TraitsSet;
    if (c == "SOUNDG") t |= TraitSounding;
    if (c == "DEPCNT") t |= TraitDepthContour;
    if (IsBuoy(c) || IsBeacon(c)) t |= TraitAid;
    if (Is(c, {"BUAARE", "LNDMRK", "BUISGL"})) t |= TraitLandFeature;
    if (KnownPointClass(c)) t |= TraitKnownPoint;
    if (Is(c, {"LAKARE", "RIVERS", "CANALS", "DOCARE", "HRBFAC", "SMCFAC", "LOKBSN", "BUAARE"}))
        t |= TraitNameImportant;
    else if (Is(c, {"SEAARE", "LNDRGN", "LNDMRK", "BRIDGE"}))
        t |= TraitNameOther;
    if (Is(c, {"LAKARE", "RIVERS", "CANALS", "DOCARE", "SEAARE"})) t |= TraitWaterName;
    if (Is(c, {"SEAARE", "LNDRGN"})) t |= TraitLabelOnly;
    if (IsMeta(c)) t |= TraitMeta;
    return t;
}

double SafetyContour(const TS57CellData &cell, double safe) {
    double best = std::numeric_limits<double>::infinity();
    for (const TS57Feature &f : cell.Features)
        if (f.Class == "DEPCNT" && f.HasValue1 && f.Value1 >= safe && f.Value1 < best) best = f.Value1;
    return best;
}

TS52Colour DepthShade(double depth, const TS57DrawParams &p) {
    if (depth < 0) return TS52Colour::DepthIntertidal;
    if (p.Viewer.Flags & S52DisplayFlag::FourDepthShades) {
        if (depth < p.S52.DepthShallowM) return TS52Colour::DepthVeryShallow;
        if (depth < p.S52.DepthSafeM) return TS52Colour::DepthMediumShallow;
        if (depth < p.S52.DepthDeepM) return TS52Colour::DepthMediumDeep;
        return TS52Colour::DepthDeep;
    }
    return depth < p.S52.DepthSafeM ? TS52Colour::DepthVeryShallow : TS52Colour::DepthDeep;
}

QString SoundingText(double metres, int32_t unit) {
    const double v = unit != 0 && unit != KvUnit::Metre ? UnitConvert(metres, KvUnit::Metre, unit) : metres;
    if (std::fabs(v) < 31.0) {
        const double r = std::round(v * 10) / 10;
        return r == std::floor(r) ? QString::number(int(r)) : QString::number(r, 'f', 1);
    }
    return QString::number(int(std::floor(v)));
}

class TPainterMode {
public:
    TPainterMode(QPainter &p, const QTransform &world) : FP(p), FWorld(world) {}
    void World() {
        if (FMode == 1) return;
        FP.setTransform(FWorld);
        FP.setRenderHint(QPainter::Antialiasing, false);
        FMode = 1;
    }
    void Pixels() {
        if (FMode == 2) return;
        FP.resetTransform();
        FP.setRenderHint(QPainter::Antialiasing, true);
        FMode = 2;
    }
    // Pixel coordinates drawn like the world ones, without antialiasing.
    void AliasedPixels() {
        if (FMode == 3) return;
        FP.resetTransform();
        FP.setRenderHint(QPainter::Antialiasing, false);
        FMode = 3;
    }

private:
    QPainter &FP;
    QTransform FWorld;
    int FMode = 0;
};

// Strokes polylines with a solid cosmetic pen wider than a pixel into the outline Qt's own
// stroker makes for it (square caps, bevel joins, the inner side of a turn through the
// vertex, filled with the winding rule), without the two atan2 per vertex that made Qt's
// stroker most of a redraw. Stretches off the device are left out, which keeps the strips of
// a pan cheap. The buffers are kept from one call to the next so that their storage is reused.
class TWideStroker {
public:
    void Stroke(QPainter &pt, const TS57Feature &f, const QTransform &toPixel, double width,
                const QColor &colour, const QRectF &device) {
        FHalf = width / 2;
        const double r = 2 * FHalf + 1;
        const QRectF reach = device.adjusted(-r, -r, r, r);
        bool brushSet = false;
        // The view's transform is a rotation and scale; mapped inline rather than through
        // QTransform::map's dispatch on its type.
        const double m11 = toPixel.m11(), m12 = toPixel.m12(), m21 = toPixel.m21(), m22 = toPixel.m22(),
                     dx = toPixel.dx(), dy = toPixel.dy();
        const QPointF *v = f.Vertices.data();
        for (size_t part = 0; part + 1 < f.Parts.size(); ++part) {
            const int k = f.Parts[part], m = f.Parts[part + 1];
            FPts.clear();
            for (int i = k; i < m; ++i) {
                const QPointF at(m11 * v[i].x() + m21 * v[i].y() + dx, m12 * v[i].x() + m22 * v[i].y() + dy);
                if (FPts.empty() || at != FPts.back()) FPts.push_back(at);
            }
            bool closed = m - k > 2 && v[m - 1] == v[k] && FPts.size() > 2;
            if (closed && FPts.back() == FPts.front()) FPts.pop_back();
            if (FPts.size() < 3) closed = false;
            if (FPts.size() < 2) continue;
            FPoly.clear();
            AddSubpath(closed, reach);
            if (FPoly.isEmpty()) continue;
            if (!brushSet) {
                pt.setPen(Qt::NoPen);
                pt.setBrush(colour);
                brushSet = true;
            }
            pt.drawPolygon(FPoly, Qt::WindingFill);
            ClearUpperVectorState();
        }
    }

private:
    struct TSeg {
        QPointF Dir, Normal;  // unit direction; left normal of half the width
        bool Shown;
    };

    void AddSubpath(bool closed, const QRectF &reach) {
        const size_t count = FPts.size();
        const size_t segments = closed ? count : count - 1;
        FSegs.resize(segments);
        size_t hidden = segments;
        for (size_t i = 0; i < segments; ++i) {
            const QPointF p0 = FPts[i], p1 = FPts[(i + 1) % count];
            const QPointF d = p1 - p0;
            TSeg &s = FSegs[i];
            s.Dir = d / std::sqrt(d.x() * d.x() + d.y() * d.y());
            s.Normal = QPointF(-s.Dir.y(), s.Dir.x()) * FHalf;
            s.Shown = std::max(p0.x(), p1.x()) >= reach.left() && std::min(p0.x(), p1.x()) <= reach.right() &&
                      std::max(p0.y(), p1.y()) >= reach.top() && std::min(p0.y(), p1.y()) <= reach.bottom();
            if (!s.Shown && hidden == segments) hidden = i;
        }
        if (closed && hidden == segments) {
            AddRing(true);
            FPoly << FPoly.front();
            const qsizetype bridge = FPoly.size();
            AddRing(false);
            FPoly << FPoly[bridge];
            return;
        }
        // Runs of shown segments, each an open line; a closed ring starts after a hidden one.
        const size_t first = closed ? hidden + 1 : 0;
        size_t i = 0;
        while (i < segments) {
            if (!FSegs[(first + i) % segments].Shown) {
                ++i;
                continue;
            }
            size_t j = i;
            while (j < segments && FSegs[(first + j) % segments].Shown) ++j;
            AddOpen(first + i, j - i, count, segments);
            i = j;
        }
    }

    // Turning left: the left offsets cross, and the outline passes through the vertex.
    static double Turn(const TSeg &a, const TSeg &b) {
        return a.Dir.x() * b.Dir.y() - a.Dir.y() * b.Dir.x();
    }

    void AddOpen(size_t firstSeg, size_t segs, size_t count, size_t segments) {
        auto seg = [&](size_t i) -> const TSeg & { return FSegs[(firstSeg + i) % segments]; };
        auto pt = [&](size_t i) { return FPts[(firstSeg + i) % count]; };
        const QPointF begin = pt(0) - seg(0).Dir * FHalf;
        const QPointF end = pt(segs) + seg(segs - 1).Dir * FHalf;
        const qsizetype start = FPoly.size();
        FPoly << begin + seg(0).Normal;
        for (size_t i = 1; i < segs; ++i) {
            const TSeg &a = seg(i - 1), &b = seg(i);
            FPoly << pt(i) + a.Normal;
            if (Turn(a, b) > 0) FPoly << pt(i);
            FPoly << pt(i) + b.Normal;
        }
        FPoly << end + seg(segs - 1).Normal << end - seg(segs - 1).Normal;
        for (size_t i = segs - 1; i >= 1; --i) {
            const TSeg &a = seg(i - 1), &b = seg(i);
            FPoly << pt(i) - b.Normal;
            if (Turn(a, b) < 0) FPoly << pt(i);
            FPoly << pt(i) - a.Normal;
        }
        FPoly << begin - seg(0).Normal << FPoly[start];
        // Every run after the first is reached from where the first began and goes back
        // there, so that the edges joining them are walked both ways and add no winding.
        if (start > 0) FPoly << FPoly.front();
    }

    // The left offset walked forward, or the right one walked backward, of a closed line.
    void AddRing(bool left) {
        const size_t count = FPts.size();
        for (size_t k = 0; k < count; ++k) {
            const size_t i = left ? k : count - k;
            const TSeg &a = FSegs[(i + count - 1) % count], &b = FSegs[i % count];
            const QPointF at = FPts[i % count];
            if (left) {
                FPoly << at + a.Normal;
                if (Turn(a, b) > 0) FPoly << at;
                FPoly << at + b.Normal;
            } else {
                FPoly << at - b.Normal;
                if (Turn(a, b) < 0) FPoly << at;
                FPoly << at - a.Normal;
            }
        }
    }

    double FHalf = 0;
    std::vector<QPointF> FPts;
    std::vector<TSeg> FSegs;
    QPolygonF FPoly;
};

// One per painting thread; reached once per redraw, as each access to a thread_local in a
// shared library is a call.
TWideStroker &ThreadStroker() {
    static thread_local TWideStroker stroker;
    return stroker;
}

// Soundings and labels are laid out once per text and font size and kept across redraws
// (painting is on one thread per painter; each thread keeps its own layouts).
struct TTextCache {
    QString Font;
    QHash<QString, QStaticText> Texts;
    QHash<QString, QStaticText> &For(const QFont &font) {
        const QString key = font.key();
        if (key != Font || Texts.size() > 4096) {
            Texts.clear();
            Font = key;
        }
        return Texts;
    }
};

const QStaticText &Layout(QHash<QString, QStaticText> &cache, const QFont &font, const QString &text) {
    auto it = cache.find(text);
    if (it == cache.end()) {
        QStaticText st(text);
        st.setTextFormat(Qt::PlainText);
        st.prepare(QTransform(), font);
        it = cache.insert(text, st);
    }
    return *it;
}

// Names and important texts over every symbol of the cell, in pixels. A name may reach well
// past its feature, so features just outside the view are visited too: a strip of a pan
// then draws the same letters as a full redraw.
void DrawNames(QPainter &pt, const TS57CellData &cell, const TS57DrawParams &p, const QRectF &viewBox,
               const QTransform &toPixel, const QFont &labelFont) {
    static thread_local TTextCache labelCache, waterLabelCache;
    QFont waterFont = labelFont;
    waterFont.setItalic(true);
    QHash<QString, QStaticText> &labels = labelCache.For(labelFont);
    QHash<QString, QStaticText> &waterLabels = waterLabelCache.For(waterFont);
    const double labelAscent = QFontMetricsF(labelFont).ascent();
    auto drawLabel = [&](const QPointF &baseline, const QString &text) {
        pt.setFont(labelFont);
        pt.drawStaticText(baseline - QPointF(0, labelAscent), Layout(labels, labelFont, text));
    };
    const bool importantOnly = p.Viewer.Flags & S52DisplayFlag::ShowTextImportant;
    const bool lightTexts = p.Viewer.Flags & S52DisplayFlag::ShowLightDesc;
    const double reach = 200 * p.View->MetresPerPixel;
    const QRectF labelBox = viewBox.adjusted(-reach, -reach, reach, reach);
    pt.setPen(S52Colour(TS52Colour::Black, p.S52.ColorScheme));
    for (const TS57Feature &f : cell.Features) {
        const bool named = !f.Name.isEmpty() && ((f.Traits & TraitNameImportant) ||
                                                 ((f.Traits & TraitNameOther) && !importantOnly));
        const bool texted = !f.Text.isEmpty() && (f.Class != "LIGHTS" || lightTexts);
        if (!named && !texted) continue;
        if (f.Prim == 1 ? !labelBox.contains(f.Point) : !labelBox.intersects(f.Box)) continue;
        if (!S57FeatureShown(f, p)) continue;
        ClearUpperVectorState();
        if (named && f.HasLabelPlace) {
            // Along the feature's course, never upside down.
            const bool water = f.Traits & TraitWaterName;
            const QFont &font = water ? waterFont : labelFont;
            const QStaticText &st = Layout(water ? waterLabels : labels, font, f.Name);
            const QPointF at = toPixel.map(f.LabelAt);
            const QPointF ahead = toPixel.map(f.LabelAt + QPointF(std::cos(f.LabelAngle), std::sin(f.LabelAngle)));
            double degrees = std::atan2(ahead.y() - at.y(), ahead.x() - at.x()) * 180.0 / M_PI;
            if (degrees > 90) degrees -= 180;
            if (degrees <= -90) degrees += 180;
            pt.setFont(font);
            pt.save();
            pt.translate(at);
            pt.rotate(degrees);
            pt.drawStaticText(-QPointF(st.size().width() / 2, st.size().height() / 2), st);
            pt.restore();
        }
        const QPointF at = toPixel.map(f.Prim == 1 ? f.Point : f.Box.center());
        const bool light = f.Class == "LIGHTS";
        if (texted) drawLabel(at + (light ? QPointF(14, 12) : QPointF(6, 12)), f.Text);
        if (named && !f.HasLabelPlace) drawLabel(at + (texted ? QPointF(6, 25) : QPointF(10, 4)), f.Name);
    }
}

}  // namespace

bool S57FeatureShown(const TS57Feature &f, const TS57DrawParams &p) {
    const uint32_t traits = f.Traits & TraitsSet ? f.Traits : TraitsOf(f);
    const TCategory cat = TCategory(traits & TraitCategoryMask);
    if (cat == TCategory::Never) return false;
    const int32_t viewerCat = p.Viewer.Category;
    const uint32_t flags = p.Viewer.Flags;
    // Meta features follow their flag alone: they describe the cell, not the waters.
    if (traits & TraitMeta) return flags & S52DisplayFlag::ShowMeta;
    if (traits & TraitSounding) {
        if (viewerCat == S52DisplayCategory::Base) return false;
        if (viewerCat != S52DisplayCategory::Other && !(flags & S52DisplayFlag::ShowSoundings)) return false;
    } else if (traits & TraitDepthContour) {
        if (viewerCat == S52DisplayCategory::Base) {
            const double offset = p.Viewer.WaterLevelOffsetM;
            if (!f.HasValue1 || f.Value1 + offset < p.S52.DepthSafeM) return false;
        }
    } else if (cat == TCategory::Standard && viewerCat == S52DisplayCategory::Base) {
        return false;
    } else if (cat == TCategory::Other && viewerCat != S52DisplayCategory::Other) {
        return false;
    }
    if (f.Prim == 1 && !(traits & TraitKnownPoint) && viewerCat != S52DisplayCategory::Other) return false;
    const bool aid = traits & TraitAid;
    if (aid && !(flags & S52DisplayFlag::ShowBuoys)) return false;
    if ((traits & TraitLandFeature) && !(flags & S52DisplayFlag::ShowLandFeatures)) return false;
    if (p.S52.CheckFeatureTime && (f.DateStart || f.DateEnd || f.PeriodStart || f.PeriodEnd) &&
        !S57ValidOn(f, S52FeatureDay(p.S52)))
        return false;
    if ((flags & S52DisplayFlag::UseSCAMIN) && p.ScaleDenominator > 0) {
        int scamin = f.Scamin;
        if (aid && p.S52.MaxBuoyScamin > 0 && scamin > 0) scamin = std::max(scamin, p.S52.MaxBuoyScamin);
        if (scamin > 0 && p.ScaleDenominator > scamin) return false;
    }
    return true;
}

bool S57CellShown(const TS57CellData &cell, const TS57DrawParams &p) {
    return !cell.Bathymetric || (p.Viewer.Flags & S52DisplayFlag::ShowBENCs);
}

void DrawS57Cell(QPainter &pt, const TS57CellData &cell, const TS57DrawParams &p) {
    const TViewState &view = *p.View;
    ClearUpperVectorState();
    const QRectF viewBox = view.MercatorBounds();
    if (!viewBox.intersects(cell.Box.adjusted(-1, -1, 1, 1)) || !S57CellShown(cell, p)) return;
    const int32_t scheme = p.S52.ColorScheme;
    const QTransform toPixel = view.ToPixel();
    pt.save();
    if (p.BoundsOnly) {
        pt.setTransform(toPixel);
        pt.setPen(Cosmetic(S52Colour(TS52Colour::Magenta, scheme), 1.5, Qt::DashLine));
        pt.setBrush(Qt::NoBrush);
        pt.drawRect(cell.Box);
        pt.restore();
        return;
    }
    const double offset = p.Viewer.WaterLevelOffsetM;
    const double safety = SafetyContour(cell, p.S52.DepthSafeM - offset);
    // Symbols stick out of their point by up to this many pixels.
    const double margin = 30 * view.MetresPerPixel;
    const QRectF pointBox = viewBox.adjusted(-margin, -margin, margin, margin);
    TPainterMode mode(pt, toPixel);
    QFont soundingFont;
    soundingFont.setPixelSize(11);
    QFont labelFont;
    labelFont.setPixelSize(int(std::lround(11 * p.S52.TextScale)));
    static thread_local TTextCache soundingCache, labelCache;
    QHash<QString, QStaticText> &soundings = soundingCache.For(soundingFont);
    QHash<QString, QStaticText> &labels = labelCache.For(labelFont);
    const double labelAscent = QFontMetricsF(labelFont).ascent();
    auto drawLabel = [&](const QPointF &baseline, const QString &text) {
        pt.setFont(labelFont);
        pt.drawStaticText(baseline - QPointF(0, labelAscent), Layout(labels, labelFont, text));
    };
    const bool symbolized = p.S52.BoundaryStyle == S52BoundaryStyle::Symbolized;
    const bool simplified = p.S52.SymbolStyle == S52SymbolStyle::Simplified;
    const bool shallowPattern = p.Viewer.Flags & S52DisplayFlag::UseShallowPattern;
    const bool contourLabels = p.Viewer.Flags & S52DisplayFlag::ShowContourLabels;
    TWideStroker &stroker = ThreadStroker();
    const QRectF device(0, 0, view.Width, view.Height);
    auto strokePath = [&](const TS57Feature &f, const QPen &pen) {
        if (pen.style() == Qt::SolidLine && pen.widthF() > 1) {
            mode.AliasedPixels();
            stroker.Stroke(pt, f, toPixel, pen.widthF(), pen.color(), device);
            return;
        }
        mode.World();
        pt.setPen(pen);
        pt.setBrush(Qt::NoBrush);
        pt.drawPath(f.Path);
    };
    for (const TS57Feature &f : cell.Features) {
        if (f.Prim == 1 ? !pointBox.contains(f.Point) : !viewBox.intersects(f.Box)) continue;
        if (!S57FeatureShown(f, p)) continue;
        // Qt's span fillers leave the vector state dirty after each draw (see RenderView.h).
        ClearUpperVectorState();
        const QByteArray &c = f.Class;
        if (f.Prim == 3) {
            mode.World();
            if (f.Group == TS57Group::Area) {
                TS52Colour fill = TS52Colour::Count;
                QPen outline(Qt::NoPen);
                if (IsDepthArea(c)) fill = DepthShade((f.HasValue1 ? f.Value1 : -1.0) + offset, p);
                if (c == "DRGARE") outline = Cosmetic(S52Colour(TS52Colour::Grey, scheme), 1, Qt::DashLine);
                else if (c == "LNDARE") fill = TS52Colour::Land;
                else if (c == "BUAARE") fill = TS52Colour::BuiltUp;
                else if (c == "UNSARE") fill = TS52Colour::NoData;
                else if (Is(c, {"LAKARE", "RIVERS", "CANALS", "DOCARE"})) fill = TS52Colour::DepthMediumDeep;
                else if (c == "LOKBSN") {
                    fill = TS52Colour::DepthMediumShallow;
                    outline = Cosmetic(S52Colour(TS52Colour::Black, scheme), 1.5);
                } else if (c == "BRIDGE") {
                    fill = TS52Colour::Grey;
                } else if (c == "SLCONS") {
                    fill = TS52Colour::Land;
                    outline = Cosmetic(S52Colour(TS52Colour::Coastline, scheme), 1.5);
                } else if (c == "PONTON" || c == "HULKES") {
                    fill = TS52Colour::BuiltUp;
                    outline = Cosmetic(S52Colour(TS52Colour::Coastline, scheme), 1);
                }
                if (fill == TS52Colour::Count) continue;
                pt.setPen(Qt::NoPen);
                pt.setBrush(S52Colour(fill, scheme));
                pt.drawPath(f.Path);
                if (shallowPattern && IsDepthArea(c) && (f.HasValue1 ? f.Value1 : -1.0) + offset < p.S52.DepthSafeM) {
                    // A cross-hatch over water shallower than the safety contour, which
                    // tells it apart also where the shades are hard to see.
                    pt.setBrush(QBrush(S52Colour(TS52Colour::ShallowPattern, scheme), Qt::DiagCrossPattern));
                    pt.drawPath(f.Path);
                }
                if (outline.style() != Qt::NoPen) strokePath(f, outline);
            } else {
                const bool restricted = Is(c, {"RESARE", "CTNARE", "ACHARE", "MIPARE", "DMPGRD", "PRCARE"});
                const QColor colour = restricted ? S52Colour(TS52Colour::Magenta, scheme)
                                      : IsMeta(c) ? S52Colour(TS52Colour::MetaBoundary, scheme)
                                      : c == "FAIRWY" ? S52Colour(TS52Colour::Grey, scheme)
                                                      : S52Colour(TS52Colour::Black, scheme);
                const Qt::PenStyle style = IsMeta(c) ? Qt::DashDotLine : symbolized ? Qt::DashLine : Qt::SolidLine;
                strokePath(f, Cosmetic(colour, restricted ? 1.5 : 1, style));
            }
        } else if (f.Prim == 2) {
            QPen pen;
            if (c == "DEPCNT") {
                const bool isSafety = f.HasValue1 && f.Value1 == safety;
                pen = isSafety ? Cosmetic(S52Colour(TS52Colour::SafetyContour, scheme), 2)
                               : Cosmetic(S52Colour(TS52Colour::DepthContour, scheme), 0.8);
            } else if (c == "COALNE" || c == "SLCONS" || c == "LNDARE") {
                pen = Cosmetic(S52Colour(TS52Colour::Coastline, scheme), c == "SLCONS" ? 2 : 1);
            } else if (c == "BRIDGE") {
                pen = Cosmetic(S52Colour(TS52Colour::Grey, scheme), 4);
            } else if (c == "GATCON" || c == "DAMCON") {
                pen = Cosmetic(S52Colour(TS52Colour::Black, scheme), c == "GATCON" ? 3 : 2);
            } else if (c == "PONTON") {
                pen = Cosmetic(S52Colour(TS52Colour::Coastline, scheme), 1);
            } else if (c == "NAVLNE" || c == "RECTRC") {
                pen = Cosmetic(S52Colour(TS52Colour::Black, scheme), 1, Qt::DashLine);
            } else if (c == "CBLOHD" || c == "CBLSUB" || c == "PIPSOL") {
                pen = Cosmetic(S52Colour(TS52Colour::Magenta, scheme), 1, Qt::DashDotLine);
            } else if (Is(c, {"RIVERS", "CANALS"})) {
                pen = Cosmetic(S52Colour(TS52Colour::DepthContour, scheme), 1);
            } else {
                continue;
            }
            strokePath(f, pen);
            if (contourLabels && c == "DEPCNT" && f.HasValue1) {
                mode.Pixels();
                DrawContourLabel(pt, f, toPixel, device, SoundingText(f.Value1 + offset, p.DepthUnit), soundingFont,
                                 S52Colour(TS52Colour::DepthContour, scheme));
            }
            if (c == "BRIDGE" && IsOpeningBridge(f) && f.Vertices.size() >= 2) {
                mode.Pixels();
                const QPointF a = toPixel.map(f.Vertices.front()), b = toPixel.map(f.Vertices.back());
                DrawOpeningSpan(pt, (a + b) / 2, b - a, scheme);
            }
        } else {
            mode.Pixels();
            const QPointF at = toPixel.map(f.Point);
            if (c == "SOUNDG") {
                const double depth = f.Value1 + offset;
                if ((p.Viewer.Flags & S52DisplayFlag::SoundingsShallowOnly) && depth >= p.S52.DepthSafeM)
                    continue;
                const QString text = SoundingText(depth, p.DepthUnit);
                auto it = soundings.find(text);
                if (it == soundings.end()) {
                    QStaticText st(text);
                    st.prepare(QTransform(), soundingFont);
                    it = soundings.insert(text, st);
                }
                pt.setFont(soundingFont);
                pt.setPen(S52Colour(depth < p.S52.DepthSafeM ? TS52Colour::SoundingShallow
                                                              : TS52Colour::SoundingDeep, scheme));
                const QSizeF size = it->size();
                pt.drawStaticText(at - QPointF(size.width() / 2, size.height() / 2), *it);
            } else if (IsBuoy(c)) {
                if (simplified) DrawSimplifiedBuoy(pt, at, f, scheme);
                else DrawBuoy(pt, at, f, scheme);
            } else if (IsBeacon(c)) {
                if (simplified) DrawSimplifiedBeacon(pt, at, f, scheme);
                else DrawBeacon(pt, at, f, scheme);
            } else if (c == "LIGHTS") {
                DrawLight(pt, at, f, scheme, LightSectorRadius(f, p));
            } else if (Is(c, {"WRECKS", "OBSTRN", "UWTROC"})) {
                DrawDanger(pt, at, scheme);
            } else if (c == "SMCFAC" || (c == "HRBFAC" && f.Shape == 5)) {
                DrawMarina(pt, at, scheme);
            } else if (c == "GATCON") {
                DrawGatePoint(pt, at, scheme);
            } else {
                pt.setPen(Cosmetic(S52Colour(TS52Colour::Grey, scheme), 1));
                pt.setBrush(Qt::NoBrush);
                pt.drawEllipse(at, 2.5, 2.5);
            }
            if ((IsBuoy(c) || IsBeacon(c)) && !f.Name.isEmpty() &&
                (p.Viewer.Flags & S52DisplayFlag::ShowAtoNLabels)) {
                pt.setPen(S52Colour(TS52Colour::Black, scheme));
                drawLabel(at + QPointF(8, -6), f.Name);
            }
        }
    }
    if (p.Viewer.Flags & S52DisplayFlag::ShowText) {
        mode.Pixels();
        DrawNames(pt, cell, p, viewBox, toPixel, labelFont);
    }
    pt.restore();
}

int HitTestS57(const TS57CellData &cell, const TS57DrawParams &p, const QPointF &pixel) {
    if (!S57CellShown(cell, p)) return -1;
    const TViewState &view = *p.View;
    const QTransform toPixel = view.ToPixel();
    const QPointF m = view.ToMercator().map(pixel);
    const double tol = 8 * view.MetresPerPixel;
    const int n = int(cell.Features.size());
    for (int i = n - 1; i >= 0; --i) {
        const TS57Feature &f = cell.Features[size_t(i)];
        if (f.Prim != 1 || !S57FeatureShown(f, p)) continue;
        const QPointF at = toPixel.map(f.Point);
        // Symbols stand above their point.
        if (QLineF(at, pixel).length() <= 8 || QRectF(at - QPointF(6, 14), QSizeF(12, 14)).contains(pixel))
            return i;
    }
    for (int i = n - 1; i >= 0; --i) {
        const TS57Feature &f = cell.Features[size_t(i)];
        if (f.Prim != 2 || !f.Box.adjusted(-tol, -tol, tol, tol).contains(m) || !S57FeatureShown(f, p))
            continue;
        QPointF last;
        for (int k = 0; k < f.Path.elementCount(); ++k) {
            const QPainterPath::Element e = f.Path.elementAt(k);
            const QPointF here = toPixel.map(QPointF(e.x, e.y));
            if (e.type == QPainterPath::LineToElement) {
                const QPointF d = here - last;
                const double len2 = QPointF::dotProduct(d, d);
                const double t = len2 > 0 ? std::clamp(QPointF::dotProduct(pixel - last, d) / len2, 0.0, 1.0) : 0.0;
                if (QLineF(last + t * d, pixel).length() <= 4) return i;
            }
            last = here;
        }
    }
    for (int i = n - 1; i >= 0; --i) {
        const TS57Feature &f = cell.Features[size_t(i)];
        if (f.Prim == 3 && !(f.Traits & TraitLabelOnly) && f.Box.contains(m) && S57FeatureShown(f, p) &&
            f.Path.contains(m))
            return i;
    }
    return -1;
}

QString S57ClassName(const QByteArray &a) {
    static const QHash<QByteArray, QString> names{
        {"DEPARE", "Depth area"}, {"DRGARE", "Dredged area"}, {"DEPCNT", "Depth contour"},
        {"SOUNDG", "Sounding"}, {"LNDARE", "Land area"}, {"COALNE", "Coastline"},
        {"SLCONS", "Shoreline construction"}, {"BUAARE", "Built-up area"},
        {"BOYLAT", "Buoy, lateral"}, {"BOYCAR", "Buoy, cardinal"}, {"BOYSAW", "Buoy, safe water"},
        {"BOYSPP", "Buoy, special purpose"}, {"BOYISD", "Buoy, isolated danger"},
        {"BCNLAT", "Beacon, lateral"}, {"BCNCAR", "Beacon, cardinal"},
        {"BCNSPP", "Beacon, special purpose"}, {"BCNISD", "Beacon, isolated danger"},
        {"BCNSAW", "Beacon, safe water"}, {"LIGHTS", "Light"}, {"BRIDGE", "Bridge"},
        {"LOKBSN", "Lock basin"}, {"FAIRWY", "Fairway"}, {"RESARE", "Restricted area"},
        {"WRECKS", "Wreck"}, {"OBSTRN", "Obstruction"}, {"UWTROC", "Underwater rock"},
        {"LNDMRK", "Landmark"}, {"NAVLNE", "Navigation line"}, {"RECTRC", "Recommended track"},
        {"CBLARE", "Cable area"}, {"PIPARE", "Pipeline area"}, {"CTNARE", "Caution area"},
        {"ACHARE", "Anchorage area"}, {"UNSARE", "Unsurveyed area"}, {"PONTON", "Pontoon"},
        {"HRBFAC", "Harbour facility"}, {"SMCFAC", "Small craft facility"}, {"GATCON", "Gate"},
        {"CANALS", "Canal"}, {"RIVERS", "River"}, {"LAKARE", "Lake"},
        {"DOCARE", "Dock area"}, {"DAMCON", "Dam"}, {"SEAARE", "Sea area"}, {"LNDRGN", "Land region"},
        {"M_COVR", "Coverage"}};
    return names.value(a, QString::fromLatin1(a));
}

}  // namespace kv::render
