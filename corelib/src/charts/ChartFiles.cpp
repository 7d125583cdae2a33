#include "charts/ChartFiles.h"

#include "KvLibNav6/KvGeodesy.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QRegularExpression>

#include <cpl_error.h>
#include <gdal_alg.h>
#include <gdal_priv.h>
#include <ogr_spatialref.h>
#include <ogrsf_frmts.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <mutex>

namespace kv::charts {

namespace {

std::atomic<int> GOpenCount{0};
constexpr double RadPerDeg = M_PI / 180.0;

// Collects GDAL's messages of one read on this thread instead of printing them; the first
// failure becomes the chart's message, the warnings are kept for whoever asks.
class TGdalErrorScope {
public:
    TGdalErrorScope() { CPLPushErrorHandlerEx(&TGdalErrorScope::Handler, this); }
    ~TGdalErrorScope() { CPLPopErrorHandler(); }
    TGdalErrorScope(const TGdalErrorScope &) = delete;
    TGdalErrorScope &operator=(const TGdalErrorScope &) = delete;
    bool Failed() const { return !FFirstFailure.isEmpty(); }
    const QString &FirstFailure() const { return FFirstFailure; }
    const QStringList &Warnings() const { return FWarnings; }
    // Only while CPL_DEBUG is set for the thread.
    const QStringList &DebugLines() const { return FDebug; }

private:
    static void CPL_STDCALL Handler(CPLErr cls, CPLErrorNum, const char *msg) {
        auto *self = static_cast<TGdalErrorScope *>(CPLGetErrorHandlerUserData());
        if (!self) return;
        const QString text = QString::fromUtf8(msg ? msg : "").simplified();
        if (cls >= CE_Failure && self->FFirstFailure.isEmpty()) self->FFirstFailure = text;
        // A damaged update can warn once per record: a bound keeps the list small.
        if (cls == CE_Warning && self->FWarnings.size() < 10000) self->FWarnings << text;
        if (cls == CE_Debug && self->FDebug.size() < 10000) self->FDebug << text;
    }
    QString FFirstFailure;
    QStringList FWarnings, FDebug;
};

struct TDatasetCloser {
    void operator()(GDALDataset *ds) const { GDALClose(GDALDataset::ToHandle(ds)); }
};
using TDatasetPtr = std::unique_ptr<GDALDataset, TDatasetCloser>;

TDateTime DateTimeFromQDate(const QDate &d) {
    if (!d.isValid()) return 0.0;
    return double(QDate(1899, 12, 30).daysTo(d));
}

// "mm/dd/yyyy" as BSB headers write dates.
TDateTime DateFromMdy(const QString &text) {
    return DateTimeFromQDate(QDate::fromString(text.trimmed(), QStringLiteral("MM/dd/yyyy")));
}

// One BSB header record: "KEY/A=1,B=2,3" with continuation lines already joined. Values
// may hold commas ("RA=10517,6966"): a part without "=" belongs to the value before it.
QHash<QString, QString> ParseBsbFields(const QString &body) {
    QHash<QString, QString> fields;
    QString key;
    for (const QString &part : body.split(u',')) {
        const int eq = part.indexOf(u'=');
        if (eq > 0 && eq <= 3) {
            key = part.left(eq).trimmed().toUpper();
            fields.insert(key, part.mid(eq + 1).trimmed());
        } else if (!key.isEmpty()) {
            fields[key] += u',' + part.trimmed();
        }
    }
    return fields;
}

// The text header of a KAP file: records by their key, continuation lines joined.
QMultiHash<QString, QString> ReadBsbTextHeader(const QString &file) {
    QMultiHash<QString, QString> records;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) return records;
    // The header ends at the first 0x1A; headers are a few kilobytes, so a bound keeps a
    // file that is no KAP from being read whole.
    QByteArray head = f.read(512 * 1024);
    const int end = head.indexOf('\x1A');
    if (end >= 0) head.truncate(end);
    QString key, body;
    auto flush = [&] {
        if (!key.isEmpty()) records.insert(key, body);
        key.clear();
        body.clear();
    };
    for (const QByteArray &raw : head.split('\n')) {
        const QString line = QString::fromLatin1(raw).remove(u'\r');
        if (line.startsWith(u'!')) continue;
        if (!line.isEmpty() && (line[0] == u' ' || line[0] == u'\t')) {
            if (!key.isEmpty()) body += (key == u"CRR" ? u'\n' : u',') + line.trimmed();
            continue;
        }
        flush();
        const int slash = line.indexOf(u'/');
        if (slash < 2 || slash > 4) continue;
        key = line.left(slash).toUpper();
        body = line.mid(slash + 1).trimmed();
    }
    flush();
    return records;
}

void FillFromBsbHeader(TRasterHeader &h) {
    const auto records = ReadBsbTextHeader(h.FileName);
    if (records.isEmpty()) return;
    const auto bsb = ParseBsbFields(records.value(QStringLiteral("BSB"),
                                                  records.value(QStringLiteral("NOS"))));
    h.Name = bsb.value(QStringLiteral("NA"));
    h.Number = bsb.value(QStringLiteral("NU"));
    const auto knp = ParseBsbFields(records.value(QStringLiteral("KNP")));
    h.Scale = knp.value(QStringLiteral("SC")).toInt();
    h.DatumName = knp.value(QStringLiteral("GD"));
    h.ProjectionName = knp.value(QStringLiteral("PR"));
    h.DepthUnits = knp.value(QStringLiteral("UN"));
    h.SoundingDatum = knp.value(QStringLiteral("SD"));
    const auto ced = ParseBsbFields(records.value(QStringLiteral("CED")));
    bool ok = false;
    const uint edition = ced.value(QStringLiteral("RE")).toUInt(&ok);
    h.Edition = ok && edition <= 0xFFFF ? uint16_t(edition) : 0;
    h.EditionDate = DateFromMdy(ced.value(QStringLiteral("ED")));
    h.RevisionDate = ced.value(QStringLiteral("ED"));
    const auto ntm = ParseBsbFields(records.value(QStringLiteral("NTM")));
    if (!ntm.value(QStringLiteral("NE")).isEmpty()) {
        h.UpdateText = QStringLiteral("Notice to Mariners %1").arg(ntm.value(QStringLiteral("NE")));
        h.UpdateTime = DateFromMdy(ntm.value(QStringLiteral("ND")));
    }
    h.Copyright = records.value(QStringLiteral("CRR")).trimmed();
    static const QRegularExpression version(QStringLiteral("^(\\d+)(?:\\.(\\d+))?"));
    const auto m = version.match(records.value(QStringLiteral("VER")).trimmed());
    if (m.hasMatch())
        h.Version = int32_t((m.captured(1).toUInt() & 0xFF) << 24 |
                            (m.captured(2).toUInt() & 0xFF) << 16);
}

// Projection of the chart in the calibration's terms; anything we cannot name is drawn
// as Mercator around the chart, which is what small-area charts are in practice.
void FillProjection(TRasterHeader &h, const OGRSpatialReference *srs, double centreLon) {
    h.ProjectionKind = ProjectionKind::Mercator;
    h.Long0 = centreLon;
    if (!srs) return;
    if (srs->IsGeographic()) {
        h.ProjectionKind = ProjectionKind::EquidistantCylindrical;
        h.Long0 = 0.0;
        return;
    }
    const char *method = srs->GetAttrValue("PROJECTION");
    const QString name = QString::fromLatin1(method ? method : "");
    if (name.startsWith(QStringLiteral("Mercator"))) {
        h.Long0 = srs->GetNormProjParm(SRS_PP_CENTRAL_MERIDIAN, 0.0) * RadPerDeg;
    } else if (name == QLatin1String(SRS_PT_TRANSVERSE_MERCATOR)) {
        h.ProjectionKind = ProjectionKind::TransverseMercator;
        h.K0 = srs->GetNormProjParm(SRS_PP_SCALE_FACTOR, 1.0);
        h.Lat0 = srs->GetNormProjParm(SRS_PP_LATITUDE_OF_ORIGIN, 0.0) * RadPerDeg;
        h.Long0 = srs->GetNormProjParm(SRS_PP_CENTRAL_MERIDIAN, 0.0) * RadPerDeg;
    } else if (name == QLatin1String(SRS_PT_OBLIQUE_STEREOGRAPHIC) &&
               std::abs(srs->GetNormProjParm(SRS_PP_LATITUDE_OF_ORIGIN, 0.0) - 52.156) < 0.01) {
        h.ProjectionKind = ProjectionKind::RD;
    }
}

bool CalibrateRaster(TRasterHeader &h, GDALDataset &ds) {
    double gt[6];
    const OGRSpatialReference *srs = nullptr;
    if (ds.GetGeoTransform(gt) == CE_None && !(gt[1] == 1.0 && gt[5] == 1.0 && gt[0] == 0.0)) {
        srs = ds.GetSpatialRef();
    } else if (ds.GetGCPCount() >= 3 &&
               GDALGCPsToGeoTransform(ds.GetGCPCount(), ds.GetGCPs(), gt, TRUE)) {
        srs = ds.GetGCPSpatialRef();
    } else {
        h.Message = QStringLiteral("The chart has no calibration.");
        return false;
    }
    OGRSpatialReference wgs84;
    wgs84.SetWellKnownGeogCS("WGS84");
    wgs84.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    std::unique_ptr<OGRCoordinateTransformation> toGeo;
    if (srs) {
        OGRSpatialReference source(*srs);
        source.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
        toGeo.reset(OGRCreateCoordinateTransformation(&source, &wgs84));
    }
    const TDouble2 corners[3] = {{0, 0}, {double(h.Width), 0}, {double(h.Width), double(h.Height)}};
    for (int i = 0; i < 3; ++i) {
        double x = gt[0] + corners[i].X * gt[1] + corners[i].Y * gt[2];
        double y = gt[3] + corners[i].X * gt[4] + corners[i].Y * gt[5];
        if (toGeo && !toGeo->Transform(1, &x, &y)) {
            h.Message = QStringLiteral("The chart's calibration cannot be converted to WGS 84.");
            return false;
        }
        h.Pixel[i] = corners[i];
        h.Geo[i] = {y * RadPerDeg, x * RadPerDeg};
    }
    FillProjection(h, srs, (h.Geo[0].Lon + h.Geo[2].Lon) / 2);
    // Bounds from the four corners (the fourth from the same transform).
    double x = gt[0] + h.Height * gt[2], y = gt[3] + h.Height * gt[5];
    if (toGeo) toGeo->Transform(1, &x, &y);
    const double lats[4] = {h.Geo[0].Lat, h.Geo[1].Lat, h.Geo[2].Lat, y * RadPerDeg};
    const double lons[4] = {h.Geo[0].Lon, h.Geo[1].Lon, h.Geo[2].Lon, x * RadPerDeg};
    h.Bounds = {true, *std::min_element(lats, lats + 4), *std::max_element(lats, lats + 4),
                *std::min_element(lons, lons + 4), *std::max_element(lons, lons + 4)};
    return true;
}

QJsonObject BoundsToJson(const TChartBounds &b) {
    if (!b.Valid) return {};
    return {{QStringLiteral("s"), b.South}, {QStringLiteral("n"), b.North},
            {QStringLiteral("w"), b.West}, {QStringLiteral("e"), b.East}};
}

TChartBounds BoundsFromJson(const QJsonObject &o) {
    if (o.isEmpty()) return {};
    return {true, o.value(QStringLiteral("s")).toDouble(), o.value(QStringLiteral("n")).toDouble(),
            o.value(QStringLiteral("w")).toDouble(), o.value(QStringLiteral("e")).toDouble()};
}

// Calls visit(lon) for every vertex of the geometry, in degrees.
template <class F> void ForEachLongitude(const OGRGeometry &g, const F &visit) {
    switch (wkbFlatten(g.getGeometryType())) {
    case wkbPoint:
        if (!g.IsEmpty()) visit(g.toPoint()->getX());
        break;
    case wkbLineString:
    case wkbLinearRing: {
        const OGRSimpleCurve *c = g.toSimpleCurve();
        for (int i = 0; i < c->getNumPoints(); ++i) visit(c->getX(i));
        break;
    }
    case wkbPolygon:
        for (const OGRLinearRing *ring : *g.toPolygon()) ForEachLongitude(*ring, visit);
        break;
    case wkbMultiPoint:
    case wkbMultiLineString:
    case wkbMultiPolygon:
    case wkbGeometryCollection:
        for (const OGRGeometry *part : *g.toGeometryCollection()) ForEachLongitude(*part, visit);
        break;
    default:
        break;
    }
}

GDALDataset *OpenS57(const QByteArray &path, QStringList options, bool applyUpdates) {
    options << (applyUpdates ? QStringLiteral("UPDATES=APPLY") : QStringLiteral("UPDATES=IGNORE"));
    std::vector<QByteArray> texts;
    for (const QString &o : options) texts.push_back(o.toLatin1());
    std::vector<const char *> list;
    for (const QByteArray &t : texts) list.push_back(t.constData());
    list.push_back(nullptr);
    const char *const drivers[] = {"S57", nullptr};
    return GDALDataset::FromHandle(GDALOpenEx(path.constData(), GDAL_OF_VECTOR | GDAL_OF_READONLY,
                                              drivers, list.data(), nullptr));
}

const QStringList HeaderOptions{QStringLiteral("RETURN_PRIMITIVES=ON")};

// Update-record warnings: those GDAL gives with the updates applied and not without them.
QStringList UpdateWarnings(const QByteArray &path, QStringList applied) {
    TGdalErrorScope errors;
    TDatasetPtr ds(OpenS57(path, HeaderOptions, false));
    for (const QString &w : errors.Warnings()) applied.removeOne(w);
    return applied;
}

// Why GDAL refused the update files: it says so only in its debug output.
QString RefusedUpdatesReason(const QByteArray &path) {
    const QByteArray before = CPLGetThreadLocalConfigOption("CPL_DEBUG", "");
    CPLSetThreadLocalConfigOption("CPL_DEBUG", "S57");
    QString reason;
    {
        TGdalErrorScope errors;
        TDatasetPtr ds(OpenS57(path, HeaderOptions, true));
        for (const QString &line : errors.DebugLines())
            if (line.contains(QStringLiteral("update"), Qt::CaseInsensitive) &&
                !line.contains(QStringLiteral("Applying")))
                reason = line.section(QStringLiteral(": "), 1);
        if (reason.isEmpty()) reason = errors.FirstFailure();
        if (reason.isEmpty()) reason = QStringLiteral("GDAL refused them");
    }
    CPLSetThreadLocalConfigOption("CPL_DEBUG", before.isEmpty() ? nullptr : before.constData());
    return reason;
}

QString SkippedRecordsMessage(const QStringList &skipped) {
    const QString count = skipped.size() == 1
                              ? QStringLiteral("1 update record could not be applied")
                              : QStringLiteral("%1 update records could not be applied").arg(skipped.size());
    return QStringLiteral("%1; the cell is shown without them: %2")
        .arg(count, skipped.mid(0, 3).join(QStringLiteral("; ")));
}

}  // namespace

void TLonSpan::Add(double lonDeg) {
    if (!std::isfinite(lonDeg)) return;
    if (lonDeg >= 0) {
        FEastMin = std::min(FEastMin, lonDeg);
        FEastMax = std::max(FEastMax, lonDeg);
    } else {
        FWestMin = std::min(FWestMin, lonDeg);
        FWestMax = std::max(FWestMax, lonDeg);
    }
}

void TLonSpan::Add(const OGRGeometry &g) {
    ForEachLongitude(g, [this](double lon) { Add(lon); });
}

bool TLonSpan::CrossesDateline() const {
    if (FEastMin > FEastMax || FWestMin > FWestMax) return false;  // one side only
    const double plain = FEastMax - FWestMin;
    const double across = FWestMax + 360.0 - FEastMin;
    return across < plain;
}

double TLonSpan::WestDeg() const {
    if (FCrosses || FWestMin > FWestMax) return FEastMin;
    return FWestMin;
}

double TLonSpan::EastDeg() const {
    if (FCrosses) return FWestMax + 360.0;
    return FEastMax >= FEastMin ? FEastMax : FWestMax;
}

TChartBounds TS57Extent::Bounds() const {
    if (!Valid) return {};
    return {true, SouthDeg * RadPerDeg, NorthDeg * RadPerDeg, Lon.WestDeg() * RadPerDeg,
            Lon.EastDeg() * RadPerDeg};
}

bool IsS57PrimitiveLayer(const char *name) {
    for (const char *p : {"IsolatedNode", "ConnectedNode", "Edge", "Face"})
        if (std::strcmp(name, p) == 0) return true;
    return false;
}

GDALDataset *OpenS57Cell(const QString &file, const QStringList &options, bool &updatesLeftOut) {
    const QByteArray path = QFile::encodeName(file);
    updatesLeftOut = false;
    GDALDataset *ds = nullptr;
    QString failure;
    QStringList warnings;
    {
        // GDAL's messages of this read reach the caller only if the read is the one kept.
        TGdalErrorScope applying;
        ds = OpenS57(path, options, true);
        failure = applying.FirstFailure();
        warnings = applying.Warnings();
    }
    if (!ds && !S57UpdateFiles(file).isEmpty()) {
        ds = OpenS57(path, options, false);
        updatesLeftOut = ds != nullptr;
        if (ds) return ds;
    }
    for (const QString &w : warnings) CPLError(CE_Warning, CPLE_AppDefined, "%s", w.toUtf8().constData());
    if (!failure.isEmpty()) CPLError(CE_Failure, CPLE_AppDefined, "%s", failure.toUtf8().constData());
    return ds;
}

TS57Extent S57CellExtent(GDALDataset &ds) {
    TS57Extent e;
    // The driver keeps the extent of the whole cell; only a cell more than half the world
    // wide can lie across 180°, and only then are its coordinates looked at one by one.
    OGREnvelope env;
    for (OGRLayer *layer : ds.GetLayers())
        if (layer->GetGeomType() != wkbNone && layer->GetExtent(&env, TRUE) == OGRERR_NONE) break;
    if (!env.IsInit()) return e;
    e.Valid = true;
    e.SouthDeg = env.MinY;
    e.NorthDeg = env.MaxY;
    e.Lon.Add(env.MinX);
    e.Lon.Add(env.MaxX);
    if (env.MaxX - env.MinX > 180.0) {
        e.Lon = TLonSpan();
        for (OGRLayer *layer : ds.GetLayers()) {
            if (!IsS57PrimitiveLayer(layer->GetName())) continue;
            layer->ResetReading();
            for (const auto &f : *layer)
                if (const OGRGeometry *g = f->GetGeometryRef()) e.Lon.Add(*g);
        }
    }
    e.Lon.Finish();
    return e;
}

void EnsureGdal() {
    static std::once_flag once;
    std::call_once(once, [] { GDALAllRegister(); });
}

int FileOpenCount() { return GOpenCount.load(); }

QString FileSignature(const QString &file, const QStringList &companions) {
    QString sig;
    for (const QString &f : QStringList{file} + companions) {
        const QFileInfo fi(f);
        sig += QStringLiteral("%1:%2:%3;")
                   .arg(fi.fileName())
                   .arg(fi.size())
                   .arg(fi.lastModified().toMSecsSinceEpoch());
    }
    return sig;
}

TDateTime DateFromYmd(const QString &ymd) {
    return DateTimeFromQDate(QDate::fromString(ymd.trimmed(), QStringLiteral("yyyyMMdd")));
}

TRasterHeader ReadRasterHeader(const QString &file) {
    EnsureGdal();
    TRasterHeader h;
    h.FileName = file;
    h.Signature = FileSignature(file);
    TGdalErrorScope errors;
    const QByteArray path = QFile::encodeName(file);
    const char *const rasterDrivers[] = {"BSB", "GTiff", nullptr};
    ++GOpenCount;
    TDatasetPtr ds(GDALDataset::FromHandle(
        GDALOpenEx(path.constData(), GDAL_OF_RASTER | GDAL_OF_READONLY, rasterDrivers, nullptr,
                   nullptr)));
    if (!ds) {
        h.Message = errors.Failed() ? errors.FirstFailure()
                                    : QStringLiteral("Not a raster chart GDAL can read.");
        return h;
    }
    h.Width = ds->GetRasterXSize();
    h.Height = ds->GetRasterYSize();
    if (h.Width <= 0 || h.Height <= 0 || ds->GetRasterCount() < 1) {
        h.Message = QStringLiteral("The chart has no image.");
        return h;
    }
    // A cut-off file still opens (its header is intact): reading the first and the last
    // row finds it before a viewer does.
    std::vector<uint8_t> row(size_t(h.Width));
    GDALRasterBand *band = ds->GetRasterBand(1);
    for (int y : {0, h.Height - 1}) {
        if (band->RasterIO(GF_Read, 0, y, h.Width, 1, row.data(), h.Width, 1, GDT_Byte, 0, 0,
                           nullptr) != CE_None) {
            h.Message = QStringLiteral("The chart's image data is damaged or incomplete (%1).")
                            .arg(errors.FirstFailure());
            return h;
        }
    }
    if (QString::fromLatin1(ds->GetDriver()->GetDescription()) == u"BSB") {
        FillFromBsbHeader(h);
    } else {
        const char *version = ds->GetMetadataItem("TIFFTAG_DOCUMENTNAME");
        h.Name = version ? QString::fromUtf8(version) : QString();
    }
    if (h.Name.isEmpty()) h.Name = QFileInfo(file).completeBaseName();
    if (!CalibrateRaster(h, *ds)) return h;
    h.Ok = true;
    return h;
}

QStringList S57UpdateFiles(const QString &baseCell) {
    QStringList updates;
    const QFileInfo fi(baseCell);
    const QString stem = fi.completeBaseName();
    for (int n = 1; n < 1000; ++n) {
        const QString name =
            fi.dir().filePath(QStringLiteral("%1.%2").arg(stem).arg(n, 3, 10, QLatin1Char('0')));
        if (!QFileInfo::exists(name)) break;
        updates << name;
    }
    return updates;
}

TS57Header ReadS57Header(const QString &file) {
    EnsureGdal();
    TS57Header h;
    h.FileName = file;
    const QStringList updates = S57UpdateFiles(file);
    h.Signature = FileSignature(file, updates);
    TGdalErrorScope errors;
    bool updatesLeftOut = false;
    ++GOpenCount;
    TDatasetPtr ds(OpenS57Cell(file, HeaderOptions, updatesLeftOut));
    if (!ds) {
        h.Message = errors.Failed() ? errors.FirstFailure()
                                    : QStringLiteral("Not an S-57 cell GDAL can read.");
        return h;
    }
    const QByteArray path = QFile::encodeName(file);
    if (updatesLeftOut) {
        h.UpdateProblem = QStringLiteral("The update files could not be applied (%1); the cell is "
                                         "shown without them.")
                              .arg(RefusedUpdatesReason(path));
    } else if (!updates.isEmpty() && !errors.Warnings().isEmpty()) {
        // GDAL applies the update files while it opens the cell and passes over a record it
        // cannot apply with a warning.
        const QStringList skipped = UpdateWarnings(path, errors.Warnings());
        if (!skipped.isEmpty()) h.UpdateProblem = SkippedRecordsMessage(skipped);
    }
    OGRLayer *dsid = ds->GetLayerByName("DSID");
    std::unique_ptr<OGRFeature> f(dsid ? dsid->GetNextFeature() : nullptr);
    if (!f) {
        h.Message = errors.Failed() ? errors.FirstFailure()
                                    : QStringLiteral("The cell has no data set identification.");
        return h;
    }
    auto text = [&](const char *name) {
        const int i = f->GetFieldIndex(name);
        return i >= 0 && f->IsFieldSetAndNotNull(i) ? QString::fromUtf8(f->GetFieldAsString(i))
                                                    : QString();
    };
    auto number = [&](const char *name) {
        const int i = f->GetFieldIndex(name);
        return i >= 0 && f->IsFieldSetAndNotNull(i) ? f->GetFieldAsInteger(i) : 0;
    };
    h.CellName = QFileInfo(text("DSID_DSNM")).completeBaseName();
    if (h.CellName.isEmpty()) h.CellName = QFileInfo(file).completeBaseName();
    h.Edition = text("DSID_EDTN");
    h.UpdateNumber = text("DSID_UPDN");
    h.UpdateDate = text("DSID_UADT");
    h.IssueDate = DateFromYmd(text("DSID_ISDT"));
    h.ProductSpec = number("DSID_PRSP");
    h.ProductSpecText = text("DSID_PSDN");
    h.ProductEdition = text("DSID_PRED");
    h.Agency = number("DSID_AGEN");
    h.Purpose = number("DSID_INTU");
    h.Scale = number("DSPM_CSCL");
    h.VerticalDatum = number("DSPM_VDAT");
    h.SoundingDatum = number("DSPM_SDAT");
    h.HorizontalDatum = number("DSPM_HDAT");
    // The producer withdraws a cell with an update whose edition is 0; GDAL leaves the
    // cancelled cell's features in place, so the edition is all that tells.
    if (h.Edition.trimmed() == u"0") {
        h.Message = updates.isEmpty()
                        ? QStringLiteral("The cell is cancelled (edition 0) and is not shown.")
                        : QStringLiteral("The cell was cancelled by its update %1 (edition 0) "
                                         "and is no longer shown.")
                              .arg(QFileInfo(updates.last()).fileName());
        return h;
    }
    const QString spec = h.ProductSpecText;
    h.BENC = spec.contains(QStringLiteral("bENC"), Qt::CaseSensitive) ||
             spec.contains(QStringLiteral("bathymetric"), Qt::CaseInsensitive);
    h.IENC = !h.BENC && (spec.contains(QStringLiteral("Inland"), Qt::CaseInsensitive) ||
                         spec.contains(QStringLiteral("IENC"), Qt::CaseInsensitive));
    // Inland ENC cells carry their purpose (7 river, 8 river harbour, 9 river berthing) in
    // the third character of the cell name, beyond what INTU can hold.
    if (h.IENC && h.CellName.size() > 2 && h.CellName[2].isDigit())
        h.Purpose = h.CellName[2].digitValue();
    // Coverage: every coordinate the cell holds, taken across 180° where the cell lies so.
    const TS57Extent extent = S57CellExtent(*ds);
    if (errors.Failed()) {
        h.Message = QStringLiteral("The cell is damaged: %1").arg(errors.FirstFailure());
        return h;
    }
    h.Bounds = extent.Bounds();
    h.Ok = true;
    return h;
}

QJsonObject TRasterHeader::ToJson() const {
    QJsonArray pix, geo;
    for (int i = 0; i < 3; ++i) {
        pix << Pixel[i].X << Pixel[i].Y;
        geo << Geo[i].Lat << Geo[i].Lon;
    }
    return {{QStringLiteral("file"), FileName}, {QStringLiteral("sig"), Signature},
            {QStringLiteral("ok"), Ok}, {QStringLiteral("msg"), Message},
            {QStringLiteral("w"), Width}, {QStringLiteral("h"), Height},
            {QStringLiteral("name"), Name}, {QStringLiteral("number"), Number},
            {QStringLiteral("publisher"), Publisher}, {QStringLiteral("copyright"), Copyright},
            {QStringLiteral("sd"), SoundingDatum}, {QStringLiteral("units"), DepthUnits},
            {QStringLiteral("datum"), DatumName}, {QStringLiteral("proj"), ProjectionName},
            {QStringLiteral("revision"), RevisionDate}, {QStringLiteral("update"), UpdateText},
            {QStringLiteral("scale"), Scale}, {QStringLiteral("edition"), int(Edition)},
            {QStringLiteral("version"), Version}, {QStringLiteral("edDate"), EditionDate},
            {QStringLiteral("updTime"), UpdateTime}, {QStringLiteral("kind"), ProjectionKind},
            {QStringLiteral("k0"), K0}, {QStringLiteral("lat0"), Lat0},
            {QStringLiteral("long0"), Long0}, {QStringLiteral("lat1"), Lat1},
            {QStringLiteral("pix"), pix}, {QStringLiteral("geo"), geo},
            {QStringLiteral("bounds"), BoundsToJson(Bounds)}};
}

TRasterHeader TRasterHeader::FromJson(const QJsonObject &o) {
    TRasterHeader h;
    auto s = [&](const char *k) { return o.value(QLatin1String(k)).toString(); };
    auto d = [&](const char *k) { return o.value(QLatin1String(k)).toDouble(); };
    auto n = [&](const char *k) { return o.value(QLatin1String(k)).toInt(); };
    h.FileName = s("file");
    h.Signature = s("sig");
    h.Ok = o.value(QStringLiteral("ok")).toBool();
    h.Message = s("msg");
    h.Width = n("w");
    h.Height = n("h");
    h.Name = s("name");
    h.Number = s("number");
    h.Publisher = s("publisher");
    h.Copyright = s("copyright");
    h.SoundingDatum = s("sd");
    h.DepthUnits = s("units");
    h.DatumName = s("datum");
    h.ProjectionName = s("proj");
    h.RevisionDate = s("revision");
    h.UpdateText = s("update");
    h.Scale = n("scale");
    h.Edition = uint16_t(n("edition"));
    h.Version = n("version");
    h.EditionDate = d("edDate");
    h.UpdateTime = d("updTime");
    h.ProjectionKind = n("kind");
    h.K0 = d("k0");
    h.Lat0 = d("lat0");
    h.Long0 = d("long0");
    h.Lat1 = d("lat1");
    const QJsonArray pix = o.value(QStringLiteral("pix")).toArray();
    const QJsonArray geo = o.value(QStringLiteral("geo")).toArray();
    for (int i = 0; i < 3 && pix.size() >= 6 && geo.size() >= 6; ++i) {
        h.Pixel[i] = {pix[2 * i].toDouble(), pix[2 * i + 1].toDouble()};
        h.Geo[i] = {geo[2 * i].toDouble(), geo[2 * i + 1].toDouble()};
    }
    h.Bounds = BoundsFromJson(o.value(QStringLiteral("bounds")).toObject());
    return h;
}

QJsonObject TS57Header::ToJson() const {
    return {{QStringLiteral("file"), FileName}, {QStringLiteral("sig"), Signature},
            {QStringLiteral("ok"), Ok}, {QStringLiteral("msg"), Message},
            {QStringLiteral("cell"), CellName}, {QStringLiteral("edtn"), Edition},
            {QStringLiteral("updn"), UpdateNumber}, {QStringLiteral("uadt"), UpdateDate},
            {QStringLiteral("isdt"), IssueDate}, {QStringLiteral("prsp"), ProductSpec},
            {QStringLiteral("psdn"), ProductSpecText}, {QStringLiteral("pred"), ProductEdition},
            {QStringLiteral("agen"), Agency}, {QStringLiteral("intu"), Purpose},
            {QStringLiteral("cscl"), Scale}, {QStringLiteral("vdat"), VerticalDatum},
            {QStringLiteral("sdat"), SoundingDatum}, {QStringLiteral("hdat"), HorizontalDatum},
            {QStringLiteral("ienc"), IENC}, {QStringLiteral("benc"), BENC},
            {QStringLiteral("bounds"), BoundsToJson(Bounds)},
            {QStringLiteral("updateProblem"), UpdateProblem}};
}

TS57Header TS57Header::FromJson(const QJsonObject &o) {
    TS57Header h;
    auto s = [&](const char *k) { return o.value(QLatin1String(k)).toString(); };
    auto n = [&](const char *k) { return o.value(QLatin1String(k)).toInt(); };
    h.FileName = s("file");
    h.Signature = s("sig");
    h.Ok = o.value(QStringLiteral("ok")).toBool();
    h.Message = s("msg");
    h.CellName = s("cell");
    h.Edition = s("edtn");
    h.UpdateNumber = s("updn");
    h.UpdateDate = s("uadt");
    h.IssueDate = o.value(QStringLiteral("isdt")).toDouble();
    h.ProductSpec = n("prsp");
    h.ProductSpecText = s("psdn");
    h.ProductEdition = s("pred");
    h.Agency = n("agen");
    h.Purpose = n("intu");
    h.Scale = n("cscl");
    h.VerticalDatum = n("vdat");
    h.SoundingDatum = n("sdat");
    h.HorizontalDatum = n("hdat");
    h.IENC = o.value(QStringLiteral("ienc")).toBool();
    h.BENC = o.value(QStringLiteral("benc")).toBool();
    h.Bounds = BoundsFromJson(o.value(QStringLiteral("bounds")).toObject());
    h.UpdateProblem = s("updateProblem");
    return h;
}

}  // namespace kv::charts
