// The chart catalogue on disk: chart-set manifests, the scan of the charts folder and of the
// S-57 folders, and the catalogue cache that lets a restart skip unchanged files. Plain
// values only, so the scan can run in a worker thread.
#pragma once

#include "charts/ChartFiles.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace kv::charts {

// A chart set's folder holds this file; a folder under the charts folder without it but
// with KAP or GeoTIFF files is read as a set of the plain BSB product.
inline constexpr char ManifestFileName[] = "chartset.json";
// Inland ENC identity of an S-57 folder, written by the download client beside the cells.
inline constexpr char IENCIdentityFileName[] = "ienc.json";

struct TManifestInfoFile {
    QString Title;
    QString File;  // relative to the set's folder
};

struct TManifestChart {
    TManifestChart() = default;
    TManifestChart(QString file, QString guid) : File(std::move(file)), Guid(std::move(guid)) {}
    QString File;  // relative to the set's folder, "/" separators
    QString Guid;  // "{…}"; empty = derived from product, set and file
    // What the chart's header cannot say. File names are relative to the set's folder and
    // never leave it (ReadManifest drops those that would).
    QString Legend;
    std::vector<TManifestInfoFile> InfoFiles;
    QString Disclaimer, License, DigitizedBy, HeightUnits, SourceChartName, SourceNotice;
    bool HasVariation = false;
    double VariationDeg = 0.0;        // east positive
    double VariationAnnualDeg = 0.0;  // change per year
    QString VariationDate;            // "yyyy-MM-dd", empty = not measured
    int32_t FormatVersion = 0;        // packed; 0 = the header's
};

struct TManifest {
    QString Folder;  // absolute
    uint32_t ProductNumber = 0;
    QString ProductCode;
    QString ProductTitle;
    int32_t SetNumber = 0;
    QString SetCode;
    QString SetTitle;
    uint32_t ModuleMask = 1;
    int32_t Edition = 0;
    bool OwnInstallation = false;
    std::vector<TManifestChart> Charts;
    QStringList DataFiles;  // relative waypoint databases
};

// False with a message for a missing, unreadable or malformed manifest.
bool ReadManifest(const QString &folder, TManifest &out, QString &error);
bool WriteManifest(const TManifest &m, QString &error);

struct TIENCIdentity {
    bool Present = false;
    bool Fixed = false;
    QString CountryCode, Region, Water;
};
TIENCIdentity ReadIENCIdentity(const QString &folder);

struct TS57FolderSpec {
    QString Folder;
    bool WithSubfolders = true;
};

struct TScanProblem {
    QString File;
    QString Message;
};

struct TScannedSet {
    TManifest Manifest;
    std::vector<TRasterHeader> Charts;  // readable charts only, in manifest order
};

struct TScanResult {
    std::vector<TScannedSet> Sets;
    std::vector<TS57Header> Cells;  // readable cells only
    std::vector<TScanProblem> Problems;
    // Everything read or reused, broken files included, for the next cache.
    QHash<QString, TRasterHeader> RasterCache;
    QHash<QString, TS57Header> S57Cache;
};

struct TScanInput {
    QString ChartsFolder;
    QStringList ExtraSetFolders;    // installed outside the charts folder
    QStringList RemovedSetFolders;  // unregistered by the user
    bool ScanRaster = true;
    std::vector<TS57FolderSpec> S57Folders;
    QHash<QString, TRasterHeader> RasterCache;  // by absolute file name
    QHash<QString, TS57Header> S57Cache;
};

// progress(done, total) is called from the scanning thread.
TScanResult ScanCharts(const TScanInput &in, const std::function<void(int, int)> &progress);

bool ReadCatalogueCache(const QString &file, QHash<QString, TRasterHeader> &raster,
                        QHash<QString, TS57Header> &s57);
// False with the reason in error when the file cannot be written.
bool WriteCatalogueCache(const QString &file, const QHash<QString, TRasterHeader> &raster,
                         const QHash<QString, TS57Header> &s57, QString &error);
// Writes the whole file or leaves the old one; makes the folder. False with the reason.
bool WriteFileAtomically(const QString &file, const QByteArray &data, QString &error);

// Identity of a chart when its manifest gives none: stable across restarts and moves of
// the charts folder.
QString DerivedChartGuid(uint32_t productNumber, const QString &setCode, const QString &relFile);
QString DerivedCellGuid(const QString &file);

}  // namespace kv::charts
