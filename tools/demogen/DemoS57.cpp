// The demo S-57 cell, written through GDAL's S57 driver. The driver writes no OGR
// geometry on feature layers: geometry goes into vector primitives (isolated nodes,
// connected nodes, edges) and features point at them through NAME_RCNM/NAME_RCID lists.
#include "DemoChart.h"
#include "DemoGdal.h"

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <vector>

namespace demo {

namespace {

constexpr int RcnmIsolated = 110;
constexpr int RcnmConnected = 120;
constexpr int RcnmEdge = 130;
constexpr int Agency = 550;

class TCellWriter {
public:
    explicit TCellWriter(GDALDataset *ds) : FDs(ds) {}
    bool Ok() const { return FOk; }
    const QString &Problem() const { return FProblem; }

    // One feature per point, line or polygon of the geometry: S-57 features carry one
    // outer boundary each.
    void Write(const TChartFeature &f) { Write(f, *f.Geometry); }

private:
    void Write(const TChartFeature &f, const OGRGeometry &g) {
        switch (wkbFlatten(g.getGeometryType())) {
        case wkbPoint:
        case wkbMultiPoint: {  // a multipoint: soundings, one node for all
            const int node = Node("IsolatedNode", RcnmIsolated, &g);
            Feature(f, 1, {RcnmIsolated}, {node}, {255}, {255}, {255});
            break;
        }
        case wkbLineString: {
            const int edge = Edge(*g.toLineString(), false);
            Feature(f, 2, {RcnmEdge}, {edge}, {1}, {255}, {255});
            break;
        }
        case wkbPolygon: {
            // Each ring one closed edge: the outer boundary, then the holes.
            std::vector<int> rcnm, rcid, ornt, usag, mask;
            const OGRPolygon *poly = g.toPolygon();
            for (int i = 0; i <= poly->getNumInteriorRings(); ++i) {
                const OGRLinearRing *ring = i == 0 ? poly->getExteriorRing() : poly->getInteriorRing(i - 1);
                if (!ring || ring->getNumPoints() < 4) continue;
                rcnm.push_back(RcnmEdge);
                rcid.push_back(Edge(*ring, true));
                ornt.push_back(1);
                usag.push_back(i == 0 ? 1 : 2);
                mask.push_back(2);
            }
            if (!rcid.empty()) Feature(f, 3, rcnm, rcid, ornt, usag, mask);
            break;
        }
        case wkbMultiLineString:
        case wkbMultiPolygon:
        case wkbGeometryCollection: {
            const OGRGeometryCollection *c = g.toGeometryCollection();
            for (int i = 0; i < c->getNumGeometries(); ++i) Write(f, *c->getGeometryRef(i));
            break;
        }
        default:
            break;
        }
    }
    OGRLayer *Layer(const char *name) {
        OGRLayer *l = FDs->GetLayerByName(name);
        if (!l) Fail(QStringLiteral("the S-57 driver has no layer \"%1\"").arg(QString::fromLatin1(name)));
        return l;
    }
    void Fail(const QString &what) {
        if (FOk) {
            FOk = false;
            FProblem = what;
        }
    }
    int Node(const char *layer, int rcnm, const OGRGeometry *geom) {
        OGRLayer *l = Layer(layer);
        if (!l) return 0;
        OGRFeature f(l->GetLayerDefn());
        const int id = FNextPrimitive++;
        f.SetField("RCNM", rcnm);
        f.SetField("RCID", id);
        f.SetGeometry(geom);
        if (l->CreateFeature(&f) != OGRERR_NONE)
            Fail(QStringLiteral("node %1: %2").arg(id).arg(QString::fromUtf8(CPLGetLastErrorMsg())));
        return id;
    }
    // An edge between two connected nodes (one node when the ring is closed); the edge
    // itself holds only the interior vertices.
    int Edge(const OGRSimpleCurve &line, bool closed) {
        const int last = line.getNumPoints() - 1;
        OGRPoint a(line.getX(0), line.getY(0)), b(line.getX(last), line.getY(last));
        const int n0 = Node("ConnectedNode", RcnmConnected, &a);
        const int n1 = closed ? n0 : Node("ConnectedNode", RcnmConnected, &b);
        OGRLayer *l = Layer("Edge");
        if (!l) return 0;
        OGRFeature e(l->GetLayerDefn());
        const int id = FNextPrimitive++;
        e.SetField("RCNM", RcnmEdge);
        e.SetField("RCID", id);
        OGRLineString interior;
        for (int i = 1; i < last; ++i) interior.addPoint(line.getX(i), line.getY(i));
        if (interior.getNumPoints() > 0) e.SetGeometry(&interior);
        e.SetField("NAME_RCNM_0", RcnmConnected);
        e.SetField("NAME_RCID_0", n0);
        e.SetField("ORNT_0", 255);
        e.SetField("USAG_0", 255);
        e.SetField("TOPI_0", 1);
        e.SetField("MASK_0", 255);
        e.SetField("NAME_RCNM_1", RcnmConnected);
        e.SetField("NAME_RCID_1", n1);
        e.SetField("ORNT_1", 255);
        e.SetField("USAG_1", 255);
        e.SetField("TOPI_1", 2);
        e.SetField("MASK_1", 255);
        if (l->CreateFeature(&e) != OGRERR_NONE)
            Fail(QStringLiteral("edge %1: %2").arg(id).arg(QString::fromUtf8(CPLGetLastErrorMsg())));
        return id;
    }
    void Feature(const TChartFeature &src, int prim, std::vector<int> rcnm, std::vector<int> rcid,
                 std::vector<int> ornt, std::vector<int> usag, std::vector<int> mask) {
        OGRLayer *l = Layer(src.Class.constData());
        if (!l) return;
        OGRFeature f(l->GetLayerDefn());
        // Skin of the earth: the areas that tile the chart without overlap.
        static const QByteArrayList skin = {"DEPARE", "DRGARE", "LNDARE", "UNSARE", "PONTON", "HULKES"};
        f.SetField("RCID", FNextFeature);
        f.SetField("PRIM", prim);
        f.SetField("GRUP", skin.contains(src.Class) ? 1 : 2);
        f.SetField("AGEN", Agency);
        f.SetField("FIDN", FNextFeature);
        f.SetField("FIDS", 1);
        const int n = int(rcnm.size());
        f.SetField("NAME_RCNM", n, rcnm.data());
        f.SetField("NAME_RCID", n, rcid.data());
        f.SetField("ORNT", n, ornt.data());
        f.SetField("USAG", n, usag.data());
        f.SetField("MASK", n, mask.data());
        for (const auto &[acronym, value] : src.Attributes) {
            if (f.GetFieldIndex(acronym.constData()) < 0) {
                Fail(QStringLiteral("%1 has no attribute %2").arg(QString::fromLatin1(src.Class), QString::fromLatin1(acronym)));
                continue;
            }
            switch (value.typeId()) {
            case QMetaType::Int: f.SetField(acronym.constData(), value.toInt()); break;
            case QMetaType::Double: f.SetField(acronym.constData(), value.toDouble()); break;
            default: f.SetField(acronym.constData(), value.toString().toUtf8().constData()); break;
            }
        }
        if (l->CreateFeature(&f) != OGRERR_NONE)
            Fail(QStringLiteral("%1 feature: %2")
                     .arg(QString::fromLatin1(src.Class), QString::fromUtf8(CPLGetLastErrorMsg())));
        ++FNextFeature;
    }

    GDALDataset *FDs;
    int FNextPrimitive = 1;
    int FNextFeature = 1;
    bool FOk = true;
    QString FProblem;
};

void WriteCell(TCellWriter &w, const TNetwork &net) {
    // The cell covers the whole area.
    const TArea a = DemoArea();
    TChartFeature coverage{"M_COVR", nullptr, {}};
    auto box = std::make_unique<OGRPolygon>();
    auto ring = std::make_unique<OGRLinearRing>();
    ring->addPoint(a.West, a.South);
    ring->addPoint(a.East, a.South);
    ring->addPoint(a.East, a.North);
    ring->addPoint(a.West, a.North);
    ring->closeRings();
    box->addRingDirectly(ring.release());
    coverage.Geometry = std::move(box);
    coverage.Set("CATCOV", 1);
    w.Write(coverage);
    for (const TChartFeature &f : BuildChartFeatures(net))
        if (f.Geometry && !f.Geometry->IsEmpty()) w.Write(f);
}

}  // namespace

bool WriteS57Cell(const TNetwork &net, const QString &file, QString &error) {
    EnsureGdal();
    TQuietGdal quiet;
    QDir().mkpath(QFileInfo(file).absolutePath());
    QFile::remove(file);
    GDALDriver *drv = GetGDALDriverManager()->GetDriverByName("S57");
    if (!drv) {
        error = QStringLiteral("%1: GDAL has no S-57 driver").arg(file);
        return false;
    }
    const QByteArray scale = "S57_CSCL=" + QByteArray::number(ChartScale);
    const char *options[] = {scale.constData(), "S57_EDTN=1", "S57_UPDN=0", "S57_INTU=5",
                             "S57_AGEN=550", "S57_COMF=10000000", "S57_SOMF=10", nullptr};
    QString problem;
    {
        GDALDatasetUniquePtr ds(drv->Create(QFile::encodeName(file).constData(), 0, 0, 0,
                                            GDT_Unknown, const_cast<char **>(options)));
        if (!ds) {
            error = QStringLiteral("%1: cannot create the S-57 cell: %2")
                        .arg(file, QString::fromUtf8(CPLGetLastErrorMsg()));
            return false;
        }
        TCellWriter w(ds.get());
        WriteCell(w, net);
        if (!w.Ok()) problem = w.Problem();
    }
    if (!problem.isEmpty()) {
        QFile::remove(file);
        error = QStringLiteral("%1: %2").arg(file, problem);
        return false;
    }
    return true;
}

}  // namespace demo
