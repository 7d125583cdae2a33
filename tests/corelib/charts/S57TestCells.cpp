#include "S57TestCells.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cpl_error.h>
#include <gdal_priv.h>
#include <ogrsf_frmts.h>

namespace s57cells {

namespace {

constexpr int RcnmIsolated = 110;
constexpr int RcnmConnected = 120;
constexpr int RcnmEdge = 130;
constexpr int RcnmFeature = 100;
constexpr int Agency = 550;

GDALDataset *CreateCell(const QString &file, const QStringList &options) {
    GDALAllRegister();
    QDir().mkpath(QFileInfo(file).absolutePath());
    QFile::remove(file);
    GDALDriver *driver = GetGDALDriverManager()->GetDriverByName("S57");
    if (!driver) return nullptr;
    std::vector<QByteArray> texts;
    for (const QString &o : options) texts.push_back(o.toUtf8());
    std::vector<char *> list;
    for (QByteArray &t : texts) list.push_back(t.data());
    list.push_back(nullptr);
    return driver->Create(QFile::encodeName(file).constData(), 0, 0, 0, GDT_Unknown, list.data());
}

QString LastGdalError() { return QString::fromUtf8(CPLGetLastErrorMsg()); }

}  // namespace

std::vector<TLonLat> Box(double west, double south, double east, double north) {
    return {{west, south}, {east, south}, {east, north}, {west, north}, {west, south}};
}

void TCellWriter::TCloser::operator()(GDALDataset *ds) const { GDALClose(GDALDataset::ToHandle(ds)); }

TCellWriter::TCellWriter(const QString &file, const QStringList &options)
    // GDAL takes the first of two equal keys: the caller's come first.
    : FFile(file), FDs(CreateCell(file, options + QStringList{"S57_CSCL=50000", "S57_EDTN=1", "S57_UPDN=0",
                                                              "S57_AGEN=550"})) {
    if (!FDs) Fail(QStringLiteral("cannot create %1: %2").arg(file, LastGdalError()));
}

TCellWriter::~TCellWriter() = default;

void TCellWriter::Fail(const QString &what) {
    if (FProblem.isEmpty()) FProblem = what;
}

int TCellWriter::Node(const char *layerName, int rcnm, const OGRGeometry &geometry) {
    OGRLayer *layer = FDs ? FDs->GetLayerByName(layerName) : nullptr;
    if (!layer) {
        Fail(QStringLiteral("no layer %1").arg(layerName));
        return 0;
    }
    OGRFeature f(layer->GetLayerDefn());
    const int id = FNextPrimitive++;
    f.SetField("RCNM", rcnm);
    f.SetField("RCID", id);
    f.SetGeometry(&geometry);
    if (layer->CreateFeature(&f) != OGRERR_NONE) Fail(QStringLiteral("node %1: %2").arg(id).arg(LastGdalError()));
    return id;
}

void TCellWriter::Feature(const char *objClass, int prim, int rcnm, int rcid, int ornt, int usag,
                          int mask, const TAttributes &attrs) {
    OGRLayer *layer = FDs ? FDs->GetLayerByName(objClass) : nullptr;
    if (!layer) {
        Fail(QStringLiteral("no layer %1").arg(objClass));
        return;
    }
    OGRFeature f(layer->GetLayerDefn());
    const int id = FNextFeature++;
    f.SetField("RCID", id);
    f.SetField("PRIM", prim);
    f.SetField("GRUP", prim == 3 ? 1 : 2);  // areas in the skin of the earth
    f.SetField("AGEN", Agency);
    f.SetField("FIDN", id);
    f.SetField("FIDS", 1);
    if (rcnm != 0) {
        f.SetField("NAME_RCNM", 1, &rcnm);
        f.SetField("NAME_RCID", 1, &rcid);
        f.SetField("ORNT", 1, &ornt);
        f.SetField("USAG", 1, &usag);
        f.SetField("MASK", 1, &mask);
    }
    if (attrs) attrs(f);
    if (layer->CreateFeature(&f) != OGRERR_NONE)
        Fail(QStringLiteral("%1 feature: %2").arg(objClass, LastGdalError()));
}

void TCellWriter::Area(const char *objClass, const std::vector<TLonLat> &ring, const TAttributes &attrs) {
    if (ring.size() < 4) {
        Fail(QStringLiteral("%1: a ring needs at least four points").arg(objClass));
        return;
    }
    // One edge from a node back to itself; the edge holds the vertices in between.
    const OGRPoint start(ring.front().Lon, ring.front().Lat);
    const int node = Node("ConnectedNode", RcnmConnected, start);
    OGRLayer *edges = FDs ? FDs->GetLayerByName("Edge") : nullptr;
    if (!edges) {
        Fail(QStringLiteral("no edge layer"));
        return;
    }
    OGRFeature e(edges->GetLayerDefn());
    const int edge = FNextPrimitive++;
    e.SetField("RCNM", RcnmEdge);
    e.SetField("RCID", edge);
    OGRLineString interior;
    for (size_t i = 1; i + 1 < ring.size(); ++i) interior.addPoint(ring[i].Lon, ring[i].Lat);
    e.SetGeometry(&interior);
    for (int end : {0, 1}) {
        const QByteArray n = QByteArray::number(end);
        e.SetField(("NAME_RCNM_" + n).constData(), RcnmConnected);
        e.SetField(("NAME_RCID_" + n).constData(), node);
        e.SetField(("ORNT_" + n).constData(), 255);
        e.SetField(("USAG_" + n).constData(), 255);
        e.SetField(("TOPI_" + n).constData(), end + 1);
        e.SetField(("MASK_" + n).constData(), 255);
    }
    if (edges->CreateFeature(&e) != OGRERR_NONE) Fail(QStringLiteral("edge %1: %2").arg(edge).arg(LastGdalError()));
    // Forward, exterior, shown.
    Feature(objClass, 3, RcnmEdge, edge, 1, 1, 2, attrs);
}

void TCellWriter::Point(const char *objClass, TLonLat at, const TAttributes &attrs) {
    const int node = Node("IsolatedNode", RcnmIsolated, OGRPoint(at.Lon, at.Lat));
    Feature(objClass, 1, RcnmIsolated, node, 255, 255, 255, attrs);
}

void TCellWriter::Unlinked(const char *objClass) { Feature(objClass, 255, 0, 0, 0, 0, 0, {}); }

bool TCellWriter::Finish(QString &problem) {
    FDs.reset();
    if (FProblem.isEmpty() && !QFileInfo::exists(FFile)) Fail(QStringLiteral("%1 was not written").arg(FFile));
    problem = FProblem;
    return FProblem.isEmpty();
}

bool WriteEmptyUpdate(const QString &updateFile, int edition, int updateNumber, QString &problem) {
    TCellWriter w(updateFile, {"S57_EXPP=2", QStringLiteral("S57_EDTN=%1").arg(edition),
                               QStringLiteral("S57_UPDN=%1").arg(updateNumber)});
    return w.Finish(problem);
}

bool WriteUnappliableUpdate(const QString &updateFile, int missingId, QString &problem) {
    {
        // The driver writes every feature record as an insertion; the record is turned into
        // a modification below.
        TCellWriter w(updateFile, {"S57_EXPP=2", "S57_EDTN=1", "S57_UPDN=1"});
        w.Unlinked("BOYLAT");
        if (!w.Finish(problem)) return false;
    }
    QFile f(updateFile);
    if (!f.open(QIODevice::ReadWrite)) {
        problem = f.errorString();
        return false;
    }
    QByteArray data = f.readAll();
    // The feature record's key: RCNM, RCID (little-endian), PRIM, GRUP, OBJL (2), RVER (2),
    // RUIN, field end. The writer numbered the one feature 1.
    const QByteArray key = QByteArray(1, char(RcnmFeature)) + QByteArray("\x01\x00\x00\x00", 4);
    qsizetype at = data.indexOf(key);
    while (at >= 0 && (at + 12 >= data.size() || data[at + 11] != 1 || data[at + 12] != '\x1e'))
        at = data.indexOf(key, at + 1);
    if (at < 0) {
        problem = QStringLiteral("no feature record key in %1").arg(updateFile);
        return false;
    }
    const int32_t id = missingId;
    data.replace(at + 1, 4, QByteArray(reinterpret_cast<const char *>(&id), 4));
    data[at + 11] = 3;  // modify
    f.seek(0);
    if (f.write(data) != data.size()) {
        problem = f.errorString();
        return false;
    }
    return true;
}

}  // namespace s57cells
