// The demo chart product: the demo raster chart in a chart set of its own product, with the
// waypoint database of the product's marinas and its point-of-interest file, so that the
// program shows a product's add-on database on the demo data. The manifest and the
// point-of-interest writers also serve the tests that make products of their own.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

class IWptManager;

namespace demo {

struct TNetwork;

// A waypoint manager for writing the demo set's waypoint databases; the caller releases it
// with ObjectDelete. err as the library reports it.
IWptManager *CreateDemoWptManager(int32_t &err);

// A chart set's manifest ("chartset.json") of a product with one set.
struct TChartSetManifest {
    uint32_t ProductNumber = 0;
    QString ProductCode, ProductTitle;
    int SetNumber = 1;
    QString SetCode, SetTitle;
    uint32_t ModuleMask = 1;
    QStringList Charts;     // chart files, relative to the set's folder
    QHash<QString, QJsonObject> ChartEntries;  // a chart's whole entry, where it has more
    QStringList DataFiles;  // waypoint databases of the product, relative likewise
};
QByteArray ChartSetManifestJson(const TChartSetManifest &manifest);

// One entry of a point-of-interest file; degrees.
struct TPointOfInterest {
    QString Guid, Name;
    double Lat = 0.0, Lon = 0.0;
    QString Place, Phone, Website;
};
// A point-of-interest (".content") file of the given identity: the "KVGEOADD" header,
// version 1, type 1 (points of interest), and the JSON catalogue.
QByteArray PointOfInterestFile(const QString &guid, const std::vector<TPointOfInterest> &points);
// The same with further entries (JSON, a "picture": true entry gets picture, stored after
// the catalogue) and the marina-guide entries.
QByteArray PointOfInterestFile(const QString &guid, const std::vector<TPointOfInterest> &points,
                               const QJsonArray &extra, const QJsonArray &marinas,
                               const QByteArray &picture);

// The product's identity on the demo data: a product the chart manager switches on unless
// the user switched it off, code "VELM".
inline constexpr uint32_t DemoProductNumber = 196651;
inline const char *DemoProductCode = "VELM";
inline const char *DemoMarinasIdentifier = "VELM_Marinas";
inline const char *DemoMarinasGroup = "Marinas";

// Writes the manifest beside the raster chart (folder = the chart's folder), the marinas'
// waypoint database "VELM_Marinas.wdb" and its "VELM_Marinas.content"; chartEntry is the
// chart's whole manifest entry (its file and what goes with it).
bool WriteDemoProduct(const TNetwork &net, const QString &folder, const QString &chartFile,
                      const QJsonObject &chartEntry, QString &error);

}  // namespace demo
