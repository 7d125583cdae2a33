// The demo S-57 cell, written through GDAL's S57 driver. The driver writes no OGR
// geometry on feature layers: geometry goes into vector primitives (isolated nodes,
// connected nodes, edges) and features point at them through NAME_RCNM/NAME_RCID lists.
#include "DemoData.h"
#include "DemoGdal.h"

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <array>
#include <cmath>
#include <functional>
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

    // Features of an area bounded by one closed ring.
    void Area(const char *objClass, const std::vector<TLonLat> &ring,
              const std::function<void(OGRFeature &)> &attrs, int grup = 2) {
        const int edge = Edge(ring, true);
        Feature(objClass, 3, grup, {RcnmEdge}, {edge}, {1}, {1}, {2}, attrs);
    }
    void Line(const char *objClass, const std::vector<TLonLat> &line,
              const std::function<void(OGRFeature &)> &attrs) {
        const int edge = Edge(line, false);
        Feature(objClass, 2, 2, {RcnmEdge}, {edge}, {1}, {255}, {255}, attrs);
    }
    void Point(const char *objClass, const TLonLat &p,
               const std::function<void(OGRFeature &)> &attrs) {
        OGRPoint pt(p.Lon, p.Lat);
        const int node = Node("IsolatedNode", RcnmIsolated, &pt);
        Feature(objClass, 1, 2, {RcnmIsolated}, {node}, {255}, {255}, {255}, attrs);
    }
    void Soundings(const std::vector<std::array<double, 3>> &points) {
        OGRMultiPoint mp;
        for (const auto &p : points) mp.addGeometry(std::make_unique<OGRPoint>(p[0], p[1], p[2]).get());
        const int node = Node("IsolatedNode", RcnmIsolated, &mp);
        Feature("SOUNDG", 1, 2, {RcnmIsolated}, {node}, {255}, {255}, {255}, {});
    }

private:
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
    int Edge(const std::vector<TLonLat> &line, bool closed) {
        OGRPoint a(line.front().Lon, line.front().Lat), b(line.back().Lon, line.back().Lat);
        const int n0 = Node("ConnectedNode", RcnmConnected, &a);
        const int n1 = closed ? n0 : Node("ConnectedNode", RcnmConnected, &b);
        OGRLayer *l = Layer("Edge");
        if (!l) return 0;
        OGRFeature e(l->GetLayerDefn());
        const int id = FNextPrimitive++;
        e.SetField("RCNM", RcnmEdge);
        e.SetField("RCID", id);
        OGRLineString interior;
        for (size_t i = 1; i + 1 < line.size(); ++i) interior.addPoint(line[i].Lon, line[i].Lat);
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
    void Feature(const char *objClass, int prim, int grup, std::vector<int> rcnm,
                 std::vector<int> rcid, std::vector<int> ornt, std::vector<int> usag,
                 std::vector<int> mask, const std::function<void(OGRFeature &)> &attrs) {
        OGRLayer *l = Layer(objClass);
        if (!l) return;
        OGRFeature f(l->GetLayerDefn());
        f.SetField("RCID", FNextFeature);
        f.SetField("PRIM", prim);
        f.SetField("GRUP", grup);
        f.SetField("AGEN", Agency);
        f.SetField("FIDN", FNextFeature);
        f.SetField("FIDS", 1);
        const int n = int(rcnm.size());
        f.SetField("NAME_RCNM", n, rcnm.data());
        f.SetField("NAME_RCID", n, rcid.data());
        f.SetField("ORNT", n, ornt.data());
        f.SetField("USAG", n, usag.data());
        f.SetField("MASK", n, mask.data());
        if (attrs) attrs(f);
        if (l->CreateFeature(&f) != OGRERR_NONE)
            Fail(QStringLiteral("%1 feature: %2")
                     .arg(QString::fromLatin1(objClass), QString::fromUtf8(CPLGetLastErrorMsg())));
        ++FNextFeature;
    }

    GDALDataset *FDs;
    int FNextPrimitive = 1;
    int FNextFeature = 1;
    bool FOk = true;
    QString FProblem;
};

std::vector<TLonLat> Clipped(std::vector<TLonLat> line, const TArea &a) {
    line.front().Lat = a.North;
    line.back().Lat = a.South;
    return line;
}

void WriteCell(TCellWriter &w, const TNetwork &net) {
    const TArea a = DemoArea();
    const std::vector<TLonLat> coast = Clipped(DemoCoastline(), a);
    const std::vector<TLonLat> contour = Clipped(DemoContour5m(), a);

    // Land east of the coastline, two depth areas west of it.
    std::vector<TLonLat> land = coast;
    land.push_back({a.East, a.South});
    land.push_back({a.East, a.North});
    land.push_back(land.front());
    w.Area("LNDARE", land, [](OGRFeature &f) { f.SetField("OBJNAM", "Velmerland"); }, 1);

    std::vector<TLonLat> shallow = contour;
    for (auto it = coast.rbegin(); it != coast.rend(); ++it) shallow.push_back(*it);
    shallow.push_back(shallow.front());
    w.Area("DEPARE", shallow, [](OGRFeature &f) {
        f.SetField("DRVAL1", 0.0);
        f.SetField("DRVAL2", 5.0);
    }, 1);
    std::vector<TLonLat> deep = {{a.West, a.North}};
    for (const auto &p : contour) deep.push_back(p);
    deep.push_back({a.West, a.South});
    deep.push_back(deep.front());
    w.Area("DEPARE", deep, [](OGRFeature &f) {
        f.SetField("DRVAL1", 5.0);
        f.SetField("DRVAL2", 20.0);
    }, 1);
    w.Area("LAKARE", DemoLake(), [](OGRFeature &f) { f.SetField("OBJNAM", "Dunmeer"); });

    w.Line("COALNE", coast, {});
    w.Line("DEPCNT", contour, [](OGRFeature &f) { f.SetField("VALDCO", 5.0); });

    // Soundings deepen away from the coast: about 2 m at the shore, 18 m at the west edge.
    std::vector<std::array<double, 3>> soundings;
    for (double lat = a.South + 0.02; lat < a.North; lat += 0.03)
        for (double lon = a.West + 0.01; lon < 4.44; lon += 0.025) {
            const double d = 2.0 + (4.45 - lon) / (4.45 - a.West) * 16.0;
            soundings.push_back({lon, lat, std::round(d * 10.0) / 10.0});
        }
    w.Soundings(soundings);

    // Inland waters as lines along the network's sections.
    for (const auto &s : net.Sections) {
        if (s.WaterBody == 0 || s.Kind == 3) continue;
        const char *cls = s.Kind == 2 ? "RIVERS" : "CANALS";
        const QByteArray name = s.Name.toUtf8();
        w.Line(cls, s.Line, [&](OGRFeature &f) { f.SetField("OBJNAM", name.constData()); });
    }

    // Buoyed approach to Saltmere: red cans to port, green cones to starboard when
    // entering from the sea (heading east).
    const double approachLat = 52.90;
    for (int i = 0; i < 3; ++i) {
        const double lon = 4.36 + 0.025 * i;
        const QByteArray red = QStringLiteral("SR %1").arg(2 * i + 2).toUtf8();
        const QByteArray green = QStringLiteral("SR %1").arg(2 * i + 1).toUtf8();
        w.Point("BOYLAT", {lon, approachLat + 0.004}, [&](OGRFeature &f) {
            f.SetField("OBJNAM", red.constData());
            f.SetField("CATLAM", 1);
            f.SetField("BOYSHP", 2);
            f.SetField("COLOUR", "3");
        });
        w.Point("BOYLAT", {lon, approachLat - 0.004}, [&](OGRFeature &f) {
            f.SetField("OBJNAM", green.constData());
            f.SetField("CATLAM", 2);
            f.SetField("BOYSHP", 1);
            f.SetField("COLOUR", "4");
        });
    }
    w.Point("BCNLAT", {4.447, 52.9025}, [](OGRFeature &f) {
        f.SetField("OBJNAM", "Saltmere North Pier");
        f.SetField("CATLAM", 1);
        f.SetField("COLOUR", "3");
    });
    w.Point("BCNLAT", {4.447, 52.8975}, [](OGRFeature &f) {
        f.SetField("OBJNAM", "Saltmere South Pier");
        f.SetField("CATLAM", 2);
        f.SetField("COLOUR", "4");
    });

    for (const auto &st : net.Structures) {
        const QByteArray name = st.Name.toUtf8();
        if (st.Kind == 1 && !st.Items.empty()) {
            const TItem &it = st.Items.front();
            auto closed = it.Levels.find(QStringLiteral("height_closed"));
            const double clearance = closed == it.Levels.end() ? NoValue : closed->second.Value;
            const int category = it.BridgeType == 14 ? 1 : it.BridgeType == 3 ? 3 : it.BridgeType == 4 ? 4 : 5;
            w.Point("BRIDGE", st.Pos, [&](OGRFeature &f) {
                f.SetField("OBJNAM", name.constData());
                f.SetField("CATBRG", QByteArray::number(category).constData());
                if (!std::isnan(clearance)) f.SetField("VERCLR", clearance);
            });
        } else if (st.Kind == 3) {
            w.Point("GATCON", st.Pos, [&](OGRFeature &f) {
                f.SetField("OBJNAM", name.constData());
                f.SetField("CATGAT", 4);
            });
        }
    }
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
    const char *options[] = {"S57_CSCL=50000", "S57_EDTN=1", "S57_UPDN=0", "S57_INTU=5",
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
