#include "charts/ChartCatalogue.h"

#include "KvLibNav6/KvCharts.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QUuid>

namespace kv::charts {

namespace {

// 2: S-57 bounds across the 180° meridian, updates that could not be applied.
constexpr int CacheFormat = 2;
const QUuid ChartNamespace(0x6d1c7a52, 0x3b0e, 0x4f5a, 0x9a, 0x41, 0x2c, 0x86, 0x0b, 0x55, 0xe3, 0x17);

bool IsRasterFile(const QString &name) {
    const QString ext = QFileInfo(name).suffix().toLower();
    return ext == u"kap" || ext == u"tif" || ext == u"tiff";
}

QStringList RasterFilesIn(const QString &folder) {
    QStringList files;
    QDir dir(folder);
    for (const QFileInfo &fi : dir.entryInfoList(QDir::Files, QDir::Name))
        if (IsRasterFile(fi.fileName())) files << fi.absoluteFilePath();
    return files;
}

QString Canonical(const QString &folder) { return QDir(folder).absolutePath(); }

// A name from a manifest, with "/" separators, or empty when it would leave the set's
// folder (absolute, a drive letter, "..").
QString InsideSet(QString rel) {
    rel.replace(u'\\', u'/');
    if (rel.isEmpty() || QDir::isAbsolutePath(rel) || rel.startsWith(u'/') ||
        (rel.size() >= 2 && rel.at(1) == u':'))
        return {};
    const QString clean = QDir::cleanPath(rel);
    if (clean == u".." || clean.startsWith(u"../") || clean == u".") return {};
    return clean;
}

int32_t PackedVersion(const QString &text) {
    const QStringList parts = text.split(u'.');
    if (parts.size() != 4) return 0;
    uint32_t v = 0;
    for (const QString &p : parts) {
        bool ok = false;
        const uint32_t n = p.toUInt(&ok);
        if (!ok || n > 255) return 0;
        v = (v << 8) | n;
    }
    return int32_t(v);
}

QString VersionText(int32_t packed) {
    const auto v = uint32_t(packed);
    return QStringLiteral("%1.%2.%3.%4").arg(v >> 24).arg((v >> 16) & 0xFF).arg((v >> 8) & 0xFF).arg(v & 0xFF);
}

void ReadChartExtras(const QJsonObject &c, TManifestChart &mc) {
    auto text = [&c](const char *key) { return c.value(QLatin1String(key)).toString(); };
    mc.Legend = InsideSet(text("legend"));
    for (const QJsonValue &v : c.value(QStringLiteral("infoFiles")).toArray()) {
        const QJsonObject f = v.toObject();
        const QString file = InsideSet(f.value(QStringLiteral("file")).toString());
        if (!file.isEmpty()) mc.InfoFiles.push_back({f.value(QStringLiteral("title")).toString(), file});
    }
    mc.Disclaimer = text("disclaimer");
    mc.License = text("license");
    mc.DigitizedBy = text("digitizedBy");
    mc.HeightUnits = text("heightUnits");
    mc.SourceChartName = text("sourceChartName");
    mc.SourceNotice = text("sourceNotice");
    const QJsonValue var = c.value(QStringLiteral("magneticVariation"));
    if (var.isObject()) {
        const QJsonObject o = var.toObject();
        mc.HasVariation = true;
        mc.VariationDeg = o.value(QStringLiteral("degrees")).toDouble();
        mc.VariationAnnualDeg = o.value(QStringLiteral("annualChange")).toDouble();
        mc.VariationDate = o.value(QStringLiteral("date")).toString();
    }
    mc.FormatVersion = PackedVersion(text("formatVersion"));
}

QJsonObject ChartToJson(const TManifestChart &c) {
    QJsonObject o{{QStringLiteral("file"), c.File}};
    if (!c.Guid.isEmpty()) o.insert(QStringLiteral("guid"), c.Guid);
    auto put = [&o](const char *key, const QString &value) {
        if (!value.isEmpty()) o.insert(QLatin1String(key), value);
    };
    put("legend", c.Legend);
    if (!c.InfoFiles.empty()) {
        QJsonArray files;
        for (const auto &f : c.InfoFiles)
            files << QJsonObject{{QStringLiteral("title"), f.Title}, {QStringLiteral("file"), f.File}};
        o.insert(QStringLiteral("infoFiles"), files);
    }
    put("disclaimer", c.Disclaimer);
    put("license", c.License);
    put("digitizedBy", c.DigitizedBy);
    put("heightUnits", c.HeightUnits);
    put("sourceChartName", c.SourceChartName);
    put("sourceNotice", c.SourceNotice);
    if (c.HasVariation) {
        QJsonObject v{{QStringLiteral("degrees"), c.VariationDeg},
                      {QStringLiteral("annualChange"), c.VariationAnnualDeg}};
        if (!c.VariationDate.isEmpty()) v.insert(QStringLiteral("date"), c.VariationDate);
        o.insert(QStringLiteral("magneticVariation"), v);
    }
    if (c.FormatVersion != 0) o.insert(QStringLiteral("formatVersion"), VersionText(c.FormatVersion));
    return o;
}

}  // namespace

bool ReadManifest(const QString &folder, TManifest &out, QString &error) {
    QFile f(QDir(folder).filePath(QLatin1String(ManifestFileName)));
    if (!f.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("The chart set has no readable manifest.");
        return false;
    }
    QJsonParseError pe;
    const QJsonDocument doc = QJsonDocument::fromJson(f.read(1 << 20), &pe);
    if (pe.error != QJsonParseError::NoError || !doc.isObject()) {
        error = QStringLiteral("The chart set's manifest is damaged: %1.").arg(pe.errorString());
        return false;
    }
    const QJsonObject o = doc.object();
    const QJsonObject product = o.value(QStringLiteral("product")).toObject();
    const QJsonObject set = o.value(QStringLiteral("set")).toObject();
    TManifest m;
    m.Folder = Canonical(folder);
    m.ProductNumber = uint32_t(product.value(QStringLiteral("number")).toDouble());
    m.ProductCode = product.value(QStringLiteral("code")).toString();
    m.ProductTitle = product.value(QStringLiteral("title")).toString();
    m.SetNumber = set.value(QStringLiteral("number")).toInt();
    m.SetCode = set.value(QStringLiteral("code")).toString();
    m.SetTitle = set.value(QStringLiteral("title")).toString();
    m.ModuleMask = uint32_t(o.value(QStringLiteral("moduleMask")).toDouble(1));
    m.Edition = o.value(QStringLiteral("edition")).toInt();
    m.OwnInstallation = o.value(QStringLiteral("ownInstallation")).toBool();
    if (m.ProductCode.isEmpty() || m.SetCode.isEmpty() || m.ModuleMask == 0) {
        error = QStringLiteral("The chart set's manifest lacks the product code, the set code or the module mask.");
        return false;
    }
    for (const QJsonValue &v : o.value(QStringLiteral("charts")).toArray()) {
        const QJsonObject c = v.toObject();
        const QString file = c.value(QStringLiteral("file")).toString();
        // Chart files stay inside the set's folder: a manifest cannot point elsewhere.
        if (file.isEmpty() || QDir::isAbsolutePath(file) || QDir::cleanPath(file).startsWith(u".."))
            continue;
        TManifestChart mc{file, c.value(QStringLiteral("guid")).toString()};
        ReadChartExtras(c, mc);
        m.Charts.push_back(std::move(mc));
    }
    for (const QJsonValue &v : o.value(QStringLiteral("dataFiles")).toArray())
        if (!v.toString().isEmpty()) m.DataFiles << v.toString();
    out = std::move(m);
    return true;
}

bool WriteManifest(const TManifest &m, QString &error) {
    QJsonArray charts, data;
    for (const auto &c : m.Charts) charts << ChartToJson(c);
    for (const QString &d : m.DataFiles) data << d;
    const QJsonObject o{
        {QStringLiteral("format"), 1},
        {QStringLiteral("product"),
         QJsonObject{{QStringLiteral("number"), double(m.ProductNumber)},
                     {QStringLiteral("code"), m.ProductCode},
                     {QStringLiteral("title"), m.ProductTitle}}},
        {QStringLiteral("set"), QJsonObject{{QStringLiteral("number"), m.SetNumber},
                                            {QStringLiteral("code"), m.SetCode},
                                            {QStringLiteral("title"), m.SetTitle}}},
        {QStringLiteral("moduleMask"), double(m.ModuleMask)},
        {QStringLiteral("edition"), m.Edition},
        {QStringLiteral("ownInstallation"), m.OwnInstallation},
        {QStringLiteral("charts"), charts},
        {QStringLiteral("dataFiles"), data}};
    return WriteFileAtomically(QDir(m.Folder).filePath(QLatin1String(ManifestFileName)),
                               QJsonDocument(o).toJson(), error);
}

TIENCIdentity ReadIENCIdentity(const QString &folder) {
    TIENCIdentity id;
    QFile f(QDir(folder).filePath(QLatin1String(IENCIdentityFileName)));
    if (!f.open(QIODevice::ReadOnly)) return id;
    const QJsonObject o = QJsonDocument::fromJson(f.read(64 * 1024)).object();
    if (o.isEmpty()) return id;
    id.Present = true;
    id.Fixed = o.value(QStringLiteral("fixed")).toBool();
    id.CountryCode = o.value(QStringLiteral("country")).toString();
    id.Region = o.value(QStringLiteral("region")).toString();
    id.Water = o.value(QStringLiteral("water")).toString();
    return id;
}

QString DerivedChartGuid(uint32_t productNumber, const QString &setCode, const QString &relFile) {
    const QString key = QStringLiteral("%1/%2/%3").arg(productNumber).arg(setCode, relFile.toLower());
    return QUuid::createUuidV5(ChartNamespace, key).toString(QUuid::WithBraces).toUpper();
}

QString DerivedCellGuid(const QString &file) {
    return QUuid::createUuidV5(ChartNamespace, QStringLiteral("S57/") + QFileInfo(file).absoluteFilePath())
        .toString(QUuid::WithBraces)
        .toUpper();
}

TScanResult ScanCharts(const TScanInput &in, const std::function<void(int, int)> &progress) {
    TScanResult r;
    // 1. Find the sets (manifest folders, plain KAP folders) and the S-57 cells.
    std::vector<TManifest> sets;
    QStringList removed;
    for (const QString &f : in.RemovedSetFolders) removed << Canonical(f);
    auto considerSetFolder = [&](const QString &folder, bool plainAllowed) {
        const QString canon = Canonical(folder);
        if (removed.contains(canon)) return;
        TManifest m;
        QString error;
        if (QFileInfo::exists(QDir(folder).filePath(QLatin1String(ManifestFileName)))) {
            if (ReadManifest(folder, m, error))
                sets.push_back(std::move(m));
            else
                r.Problems.push_back({QDir(folder).filePath(QLatin1String(ManifestFileName)), error});
            return;
        }
        if (!plainAllowed) return;
        // Subfolders of a manifest set belong to that set (legends, extras).
        for (const auto &s : sets)
            if (canon.startsWith(s.Folder + u'/')) return;
        const QStringList files = RasterFilesIn(folder);
        if (files.isEmpty()) return;
        m.Folder = canon;
        m.ProductCode = QString::fromUtf16(ChartProductCode::BSB);
        m.ProductTitle = QStringLiteral("BSB charts");
        m.SetCode = QDir(in.ChartsFolder).relativeFilePath(canon);
        if (m.SetCode == u".") m.SetCode = QStringLiteral("BSB");
        m.SetTitle = QFileInfo(canon).fileName();
        for (const QString &file : files) m.Charts.push_back({QDir(canon).relativeFilePath(file), {}});
        sets.push_back(std::move(m));
    };
    if (in.ScanRaster && !in.ChartsFolder.isEmpty() && QFileInfo(in.ChartsFolder).isDir()) {
        considerSetFolder(in.ChartsFolder, true);
        QDirIterator it(in.ChartsFolder, QDir::Dirs | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        QStringList folders;
        while (it.hasNext()) folders << it.next();
        folders.sort();
        for (const QString &folder : folders) considerSetFolder(folder, true);
    }
    if (in.ScanRaster)
        for (const QString &folder : in.ExtraSetFolders)
            if (QFileInfo(folder).isDir()) considerSetFolder(folder, false);

    QStringList cells;
    for (const TS57FolderSpec &spec : in.S57Folders) {
        if (!QFileInfo(spec.Folder).isDir()) {
            r.Problems.push_back({spec.Folder, QStringLiteral("The S-57 folder does not exist.")});
            continue;
        }
        QDirIterator it(spec.Folder, {QStringLiteral("*.000")}, QDir::Files,
                        spec.WithSubfolders ? QDirIterator::Subdirectories : QDirIterator::NoIteratorFlags);
        QStringList found;
        while (it.hasNext()) found << QFileInfo(it.next()).absoluteFilePath();
        found.sort();
        if (found.isEmpty())
            r.Problems.push_back({spec.Folder, QStringLiteral("The S-57 folder holds no cells.")});
        for (const QString &c : found)
            if (!cells.contains(c)) cells << c;
    }

    int total = 0;
    for (const auto &m : sets) total += int(m.Charts.size());
    total += int(cells.size());
    int done = 0;
    if (progress) progress(0, total);

    // 2. Read what changed; reuse the rest from the cache.
    for (auto &m : sets) {
        TScannedSet scanned;
        for (auto &c : m.Charts) {
            const QString file = QDir(m.Folder).absoluteFilePath(c.File);
            TRasterHeader h;
            const auto cached = in.RasterCache.constFind(file);
            if (cached != in.RasterCache.constEnd() && QFileInfo::exists(file) &&
                cached->Signature == FileSignature(file))
                h = *cached;
            else if (!QFileInfo::exists(file))
                h.FileName = file, h.Message = QStringLiteral("The chart file is missing.");
            else
                h = ReadRasterHeader(file);
            if (QFileInfo::exists(file)) r.RasterCache.insert(file, h);
            if (h.Ok)
                scanned.Charts.push_back(h);
            else
                r.Problems.push_back({file, h.Message});
            if (progress) progress(++done, total);
        }
        // Charts that did not load drop out of the set's list; keep the manifest in step.
        std::vector<TManifestChart> kept;
        for (const auto &h : scanned.Charts)
            for (const auto &c : m.Charts)
                if (QDir(m.Folder).absoluteFilePath(c.File) == h.FileName) kept.push_back(c);
        m.Charts = std::move(kept);
        scanned.Manifest = m;
        r.Sets.push_back(std::move(scanned));
    }
    for (const QString &cell : cells) {
        TS57Header h;
        const auto cached = in.S57Cache.constFind(cell);
        if (cached != in.S57Cache.constEnd() &&
            cached->Signature == FileSignature(cell, S57UpdateFiles(cell)))
            h = *cached;
        else
            h = ReadS57Header(cell);
        r.S57Cache.insert(cell, h);
        if (h.Ok)
            r.Cells.push_back(h);
        else
            r.Problems.push_back({cell, h.Message});
        if (h.Ok && !h.UpdateProblem.isEmpty()) r.Problems.push_back({cell, h.UpdateProblem});
        if (progress) progress(++done, total);
    }
    return r;
}

bool ReadCatalogueCache(const QString &file, QHash<QString, TRasterHeader> &raster,
                        QHash<QString, TS57Header> &s57) {
    QFile f(file);
    if (file.isEmpty() || !f.open(QIODevice::ReadOnly)) return false;
    const QJsonObject o = QJsonDocument::fromJson(f.readAll()).object();
    // A cache of another format or a damaged one is simply not used: the charts are read.
    if (o.value(QStringLiteral("format")).toInt() != CacheFormat) return false;
    for (const QJsonValue &v : o.value(QStringLiteral("raster")).toArray()) {
        TRasterHeader h = TRasterHeader::FromJson(v.toObject());
        if (!h.FileName.isEmpty()) raster.insert(h.FileName, h);
    }
    for (const QJsonValue &v : o.value(QStringLiteral("s57")).toArray()) {
        TS57Header h = TS57Header::FromJson(v.toObject());
        if (!h.FileName.isEmpty()) s57.insert(h.FileName, h);
    }
    return true;
}

bool WriteCatalogueCache(const QString &file, const QHash<QString, TRasterHeader> &raster,
                         const QHash<QString, TS57Header> &s57, QString &error) {
    QJsonArray r, s;
    for (const auto &h : raster) r << h.ToJson();
    for (const auto &h : s57) s << h.ToJson();
    return WriteFileAtomically(file,
                               QJsonDocument(QJsonObject{{QStringLiteral("format"), CacheFormat},
                                                         {QStringLiteral("raster"), r},
                                                         {QStringLiteral("s57"), s}})
                                   .toJson(QJsonDocument::Compact),
                               error);
}

bool WriteFileAtomically(const QString &file, const QByteArray &data, QString &error) {
    if (!QDir().mkpath(QFileInfo(file).absolutePath())) {
        error = QStringLiteral("The folder %1 cannot be made.").arg(QFileInfo(file).absolutePath());
        return false;
    }
    QSaveFile f(file);
    if (!f.open(QIODevice::WriteOnly) || f.write(data) != data.size() || !f.commit()) {
        error = f.errorString();
        return false;
    }
    return true;
}

}  // namespace kv::charts
