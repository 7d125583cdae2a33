// The demo chart product with its marinas' waypoint database.
#include "DemoProduct.h"
#include "ChartInfoWriters.h"

#include "DemoData.h"
#include "DemoMarinaGuide.h"

#include "waypoints/WptIdentifier.h"

#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvLib.h>
#include <KvLibNav6/KvWaypoints.h>

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QtEndian>
#include <cmath>
#include <memory>

namespace demo {

namespace {

// The characters stay the caller's for the call.
TStrWRec Rec(const QString &text) {
    return TStrWRec{int32_t(text.size()), reinterpret_cast<const char16_t *>(text.utf16())};
}

struct TObjectDeleter {
    void operator()(NavObject *o) const { ObjectDelete(o); }
};

// The marinas as a group of waypoints, saved with the product's identifier.
bool WriteMarinasDatabase(const std::vector<TPointOfInterest> &marinas, const QString &file,
                          QString &error) {
    int32_t err = KvErr::Ok;
    std::unique_ptr<IWptManager, TObjectDeleter> manager(CreateDemoWptManager(err));
    if (!manager || err != KvErr::Ok) {
        error = QStringLiteral("%1: no waypoint manager (error %2)").arg(file).arg(err);
        return false;
    }
    const QString identifier = QString::fromLatin1(DemoMarinasIdentifier);
    IWptDatabase *db = manager->NewDatabase(Rec(identifier));
    IWptWaypointGroup *group = db ? db->NewWaypointGroup(nullptr) : nullptr;
    if (group) group->SetName(Rec(QString::fromLatin1(DemoMarinasGroup)), err);
    for (const TPointOfInterest &m : marinas) {
        if (!group || err != KvErr::Ok) break;
        const TGeoPoint3 pos{m.Lat * M_PI / 180.0, m.Lon * M_PI / 180.0, 0.0};
        IWptWaypoint *waypoint = db->NewWaypoint(nullptr, pos, manager->GetDefaultWaypointType());
        if (!waypoint) err = KvErr::Failed;
        if (waypoint) waypoint->SetName(Rec(m.Name), err);
        if (err == KvErr::Ok) group->AddWaypoint(waypoint, err);
    }
    if (group && err == KvErr::Ok) {
        WptDatabaseSetIdentifier(db, Rec(identifier));
        db->SaveToFile(Rec(file), err);
    }
    if (db) db->Close();
    if (group && err == KvErr::Ok) return true;
    error = QStringLiteral("%1: cannot be written (error %2)").arg(file).arg(err);
    return false;
}

}  // namespace

IWptManager *CreateDemoWptManager(int32_t &err) {
    const QString font = QStringLiteral("DejaVu Sans");
    return WptManagerCreate(nullptr, nullptr, 0, 0.0f, 0.0f, Rec(font), 8.0f, 0, 0xFF000000u, 8.0f, 0,
                            0xFF000000u, 8.0f, 0, 0xFF000000u, 5, nullptr, false, nullptr, nullptr,
                            nullptr, nullptr, err);
}

QByteArray ChartSetManifestJson(const TChartSetManifest &m) {
    QJsonArray charts;
    for (const QString &c : m.Charts)
        charts << m.ChartEntries.value(c, QJsonObject{{QStringLiteral("file"), c}});
    const QJsonObject o{
        {QStringLiteral("format"), 1},
        {QStringLiteral("product"), QJsonObject{{QStringLiteral("number"), double(m.ProductNumber)},
                                               {QStringLiteral("code"), m.ProductCode},
                                               {QStringLiteral("title"), m.ProductTitle}}},
        {QStringLiteral("set"), QJsonObject{{QStringLiteral("number"), m.SetNumber},
                                           {QStringLiteral("code"), m.SetCode},
                                           {QStringLiteral("title"), m.SetTitle}}},
        {QStringLiteral("moduleMask"), double(m.ModuleMask)},
        {QStringLiteral("charts"), charts},
        {QStringLiteral("dataFiles"), QJsonArray::fromStringList(m.DataFiles)}};
    return QJsonDocument(o).toJson();
}

QByteArray PointOfInterestFile(const QString &guid, const std::vector<TPointOfInterest> &points) {
    return PointOfInterestFile(guid, points, QJsonArray(), QJsonArray(), QByteArray());
}

QByteArray PointOfInterestFile(const QString &guid, const std::vector<TPointOfInterest> &points,
                               const QJsonArray &extra, const QJsonArray &marinas,
                               const QByteArray &picture) {
    QJsonArray entries;
    for (const TPointOfInterest &p : points) {
        QJsonObject e{{QStringLiteral("guid"), p.Guid}, {QStringLiteral("lat"), p.Lat},
                      {QStringLiteral("lon"), p.Lon}, {QStringLiteral("name"), p.Name}};
        if (!p.Place.isEmpty()) e.insert(QStringLiteral("place"), p.Place);
        if (!p.Phone.isEmpty()) e.insert(QStringLiteral("phone"), p.Phone);
        if (!p.Website.isEmpty()) e.insert(QStringLiteral("website"), p.Website);
        entries << e;
    }
    // The picture follows the catalogue, whose length depends on the offset it names:
    // grow the offset until the catalogue fits in front of it.
    qint64 offset = 4096;
    QByteArray json;
    for (;;) {
        QJsonArray all = entries;
        for (const QJsonValue &v : extra) {
            QJsonObject e = v.toObject();
            if (e.value(QStringLiteral("picture")).toBool() && !picture.isEmpty())
                e.insert(QStringLiteral("picture"), QJsonObject{{QStringLiteral("offset"), double(offset)},
                                                                {QStringLiteral("size"), double(picture.size())}});
            else
                e.remove(QStringLiteral("picture"));
            all << e;
        }
        QJsonObject catalogue{{QStringLiteral("guid"), guid}, {QStringLiteral("entries"), all}};
        if (!marinas.isEmpty()) catalogue.insert(QStringLiteral("marinas"), marinas);
        json = QJsonDocument(catalogue).toJson(QJsonDocument::Compact);
        if (picture.isEmpty() || 24 + json.size() <= offset) break;
        offset += 4096;
    }
    QByteArray file("KVGEOADD", 8);
    char raw[16];
    qToLittleEndian<quint32>(1, raw);
    qToLittleEndian<quint32>(1, raw + 4);
    qToLittleEndian<quint64>(quint64(json.size()), raw + 8);
    file.append(raw, 16);
    file += json;
    if (!picture.isEmpty()) {
        file.append(QByteArray(offset - file.size(), '\0'));
        file += picture;
    }
    return file;
}

bool WriteDemoProduct(const TNetwork &net, const QString &folder, const QString &chartFile,
                      const QJsonObject &chartEntry, QString &error) {
    std::vector<TPointOfInterest> marinas;
    for (const TMarina &m : net.Marinas)
        marinas.push_back({m.Guid, m.Name, m.Pos.Lat, m.Pos.Lon, m.Place, m.Phone, m.Website});
    const QDir dir(folder);
    const QString base = QString::fromLatin1(DemoMarinasIdentifier);
    if (!WriteMarinasDatabase(marinas, dir.filePath(base + QStringLiteral(".wdb")), error))
        return false;
    if (!WriteBytes(dir.filePath(base + QStringLiteral(".content")),
                    PointOfInterestFile(NameGuid(QStringLiteral("content:") + base), marinas,
                                        DemoExtraPoints(net), DemoMarinaGuideEntries(net),
                                        DemoPointPhoto()),
                    error))
        return false;
    if (!WriteMarinaGuidePictures(net, folder, error)) return false;
    TChartSetManifest manifest;
    manifest.ProductNumber = DemoProductNumber;
    manifest.ProductCode = QString::fromLatin1(DemoProductCode);
    manifest.ProductTitle = QStringLiteral("Velmer Roads");
    manifest.SetCode = QStringLiteral("NL");
    manifest.SetTitle = QStringLiteral("Velmer Roads and River Orle");
    manifest.Charts = {QFileInfo(chartFile).fileName()};
    manifest.ChartEntries.insert(manifest.Charts.front(), chartEntry);
    manifest.DataFiles = {base + QStringLiteral(".wdb")};
    return WriteBytes(dir.filePath(QStringLiteral("chartset.json")), ChartSetManifestJson(manifest),
                      error);
}

}  // namespace demo
