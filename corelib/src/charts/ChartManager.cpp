#include "charts/ChartManager.h"

#include "KvLibNav6/KvErrorCodes.h"
#include "KvLibNav6/KvProgress.h"
#include "KvLibNav6/KvWebServices.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <bit>

namespace kv::charts {

namespace {

const char *const BaseDataFileName = "S57ChartBaseData.ini";
const char *const SetRegistryFileName = "ChartSets.json";
constexpr uint32_t AllViewers = 0xFFFFFFFFu;

bool ValidViewer(int32_t v) { return v >= 0 && v < 32; }

std::vector<TGUID> GuidsOf(ISortedGUIDArray *a) {
    std::vector<TGUID> out;
    if (!a) return out;
    for (int32_t i = 0; i < a->GetCount(); ++i) {
        TGUID g;
        a->GetItem(i, g);
        out.push_back(g);
    }
    return out;
}

QString RecText(const TStrWRec *r) { return r ? ToQString(*r) : QString(); }

}  // namespace

TChartManager::TChartManager(const QString &infoCacheFile, const QString &selectedChartsFile,
                             const QString &chartsFolder, uint32_t chartModules,
                             ChartSetsChangedProc onChanged, void *changedData,
                             LoadProgressProc progress, void *progressData)
    : FInfoCacheFile(infoCacheFile), FSelectedChartsFile(selectedChartsFile),
      FChartsFolder(chartsFolder.isEmpty() ? QString() : QDir(chartsFolder).absolutePath()),
      FChartModules(chartModules ? chartModules : 1u), FOnChanged(onChanged),
      FChangedData(changedData), FProgress(progress), FProgressData(progressData) {
    ReadCatalogueCache(FInfoCacheFile, FRasterCache, FS57Cache);
    FBaseDataFile = BaseDataFile();
    LoadS57BaseData(FBaseDataFile);
    LoadSetRegistry();
    LoadSelection();
    const TScanResult r = RunScan(MakeInput(true, true), nullptr);
    FRasterCache = r.RasterCache;
    FS57Cache = r.S57Cache;
    BuildRaster(r);
    BuildCells(r);
    FProblems = r.Problems;
    SaveCache();
}

TChartManager::~TChartManager() = default;

QString TChartManager::BaseDataFile() const {
    if (FInfoCacheFile.isEmpty()) return {};
    return QFileInfo(FInfoCacheFile).dir().filePath(QLatin1String(BaseDataFileName));
}

TScanInput TChartManager::MakeInput(bool raster, bool s57) const {
    TScanInput in;
    in.ChartsFolder = FChartsFolder;
    in.ExtraSetFolders = FExtraSetFolders;
    in.RemovedSetFolders = FRemovedSetFolders;
    in.ScanRaster = raster;
    if (s57)
        for (const auto &f : FS57Folders) in.S57Folders.push_back({f.Folder, f.WithSubfolders});
    in.RasterCache = FRasterCache;
    in.S57Cache = FS57Cache;
    return in;
}

// The scan runs in a worker thread; the GUI thread keeps painting (user input waits) and
// reports progress from here, so every callback arrives on the GUI thread.
TScanResult TChartManager::RunScan(TScanInput in, TProgressEx *progressEx) {
    std::atomic<int> done{0}, total{0};
    auto report = [&] {
        const int d = done.load(), t = total.load();
        if (FProgress) FProgress(FProgressData, d, t, 0);
        if (progressEx) {
            const float share = t > 0 ? float(d) / float(t) : 1.0f;
            progressEx->Fraction = std::min(1.0f, progressEx->StageStart + progressEx->StageWeight * share);
            if (progressEx->Callback) progressEx->Callback(progressEx->Data, progressEx);
        }
    };
    auto onProgress = [&](int d, int t) {
        done = d;
        total = t;
    };
    TScanResult result;
    QCoreApplication *app = QCoreApplication::instance();
    if (!app || QThread::currentThread() != app->thread()) {
        result = ScanCharts(in, [&](int d, int t) {
            onProgress(d, t);
            report();
        });
        return result;
    }
    std::unique_ptr<QThread> worker(QThread::create([&] { result = ScanCharts(in, onProgress); }));
    QEventLoop loop;
    QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &loop, report);
    tick.start(50);
    worker->start();
    if (!worker->isFinished()) loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker->wait();
    report();
    return result;
}

TChartProduct *TChartManager::ProductFor(const TManifest &m) {
    for (TChartProduct *p : FProducts)
        if (p->GetInfo()->GetProductNumber() == m.ProductNumber &&
            RecText(p->GetInfo()->GetCode()) == m.ProductCode)
            return p;
    FProductStore.push_back(std::make_unique<TChartProduct>(m.ProductNumber, m.ProductCode, m.ProductTitle));
    FProducts.push_back(FProductStore.back().get());
    return FProducts.back();
}

void TChartManager::AddSet(const TScannedSet &s) {
    const bool active = (s.Manifest.ModuleMask & FChartModules) != 0;
    FSetStore.push_back(std::make_unique<TChartSet>(this, s.Manifest, int32_t(s.Charts.size()), active));
    TChartSet *set = FSetStore.back().get();
    ProductFor(s.Manifest)->AddSet(set);
    for (size_t i = 0; i < s.Charts.size(); ++i) {
        const TManifestChart &mc = s.Manifest.Charts[i];
        const QString guidText = mc.Guid.isEmpty()
                                     ? DerivedChartGuid(s.Manifest.ProductNumber, s.Manifest.SetCode, mc.File)
                                     : mc.Guid;
        auto raster = std::make_unique<TRasterChart>(this, s.Charts[i], s.Manifest, mc, GuidFromText(guidText));
        FEntryStore.push_back(std::make_unique<TChartCatalogueEntry>(this, set, FNextHandle++, std::move(raster)));
        set->AddEntry(FEntryStore.back().get());
        if (active) FCatalogue.push_back(FEntryStore.back().get());
    }
}

void TChartManager::BuildRaster(const TScanResult &r) {
    for (const TScannedSet &s : r.Sets) AddSet(s);
    // First run without a stored selection: every chart is shown in every viewer.
    if (!FHadSelectionFile)
        for (int32_t v : FViewers) {
            std::vector<TGUID> all;
            for (auto *e : FCatalogue) all.push_back(e->Guid());
            ChangeSelection(v, all, true, false);
        }
}

bool TChartManager::BuildCells(const TScanResult &r) {
    // Old cell objects stay alive (viewers may hold them); only the lists change.
    const std::vector<TChart *> before = std::move(FCells);
    FCells.clear();
    FCellEntries.clear();
    QSet<QString> files;
    for (const TS57Header &h : r.Cells) {
        files.insert(h.FileName);
        QString folder = QFileInfo(h.FileName).absolutePath();
        bool hidden = false;
        for (const auto &f : FS57Folders)
            if (h.FileName.startsWith(QDir(f.Folder).absolutePath() + u'/') && f.Identity.Fixed) hidden = true;
        const uint32_t visibility = FCellVisibility.value(h.FileName, AllViewers);
        FCellStore.push_back(std::make_unique<TChart>(this, h, folder, visibility));
        TChart *cell = FCellStore.back().get();
        cell->SetHidden(hidden);
        FCells.push_back(cell);
        FEntryStore.push_back(std::make_unique<TChartCatalogueEntry>(this, FNextHandle++, cell));
        FCellEntries.push_back(FEntryStore.back().get());
    }
    bool changed = before.size() != FCells.size();
    for (TChart *old : before)
        if (!files.contains(old->Header().FileName)) {
            old->SetHidden(true);
            changed = true;
        }
    return changed;
}

void TChartManager::ReplaceProblems(const TScanResult &r, bool raster, bool s57) {
    const bool wasS57Run = s57 && !raster;
    std::vector<TScanProblem> kept;
    for (const auto &p : FProblems) {
        const bool isCell = p.File.endsWith(QStringLiteral(".000"), Qt::CaseInsensitive) ||
                            std::any_of(FS57Folders.begin(), FS57Folders.end(),
                                        [&](const TS57FolderEntry &f) { return f.Folder == p.File; });
        if (wasS57Run ? !isCell : isCell) kept.push_back(p);
    }
    kept.insert(kept.end(), r.Problems.begin(), r.Problems.end());
    FProblems = std::move(kept);
}

void TChartManager::SaveCache() {
    if (FInfoCacheFile.isEmpty()) return;
    QString error;
    const bool ok = WriteCatalogueCache(FInfoCacheFile, FRasterCache, FS57Cache, error);
    NoteWrite(FInfoCacheFile, ok, QStringLiteral("The chart catalogue cache"), error);
}

void TChartManager::NoteWrite(const QString &file, bool ok, const QString &what, const QString &reason) {
    std::erase_if(FProblems, [&](const TScanProblem &p) { return p.File == file; });
    if (!ok) FProblems.push_back({file, QStringLiteral("%1 could not be saved: %2").arg(what, reason)});
}

void TChartManager::ReportProblem(const QString &file, const QString &message) {
    const bool known = std::any_of(FProblems.begin(), FProblems.end(), [&](const TScanProblem &p) {
        return p.File == file && p.Message == message;
    });
    if (!known) FProblems.push_back({file, message});
}

// ---- S-57 folders ----

void TChartManager::AddS57Folder(const TStrWRec &folderRec, bool withSubfolders,
                                 IS57RegistrarManager *, IS52PresentationLib *) {
    const QString folder = ToQString(folderRec);
    if (folder.isEmpty()) return;
    int32_t index = -1;
    if (HasS57Folder(folderRec, index)) {
        FS57Folders[size_t(index)].WithSubfolders = withSubfolders;
    } else {
        FS57Folders.push_back({folder, withSubfolders, ReadIENCIdentity(folder)});
    }
    SaveS57BaseDataFile();
}

bool TChartManager::HasS57Folder(const TStrWRec &folderRec, int32_t &index) {
    const QString folder = ToQString(folderRec);
    for (size_t i = 0; i < FS57Folders.size(); ++i)
        if (FS57Folders[i].Folder == folder) {
            index = int32_t(i);
            return true;
        }
    index = -1;
    return false;
}

void TChartManager::RemoveS57Folder(const TStrWRec &folderRec) {
    const QString folder = ToQString(folderRec);
    std::erase_if(FS57Folders, [&](const TS57FolderEntry &f) { return f.Folder == folder; });
    SaveS57BaseDataFile();
}

void TChartManager::GetS57Folder(int32_t i, IStrW *folder, bool &excluded, IStrW *identity,
                                 bool &withSubfolders) {
    if (i < 0 || size_t(i) >= FS57Folders.size()) {
        SetStrW(folder, {});
        SetStrW(identity, {});
        excluded = false;
        withSubfolders = false;
        return;
    }
    const TS57FolderEntry &f = FS57Folders[size_t(i)];
    SetStrW(folder, f.Folder);
    excluded = f.Identity.Fixed;
    SetStrW(identity, f.Identity.Present ? f.Identity.CountryCode : QString());
    withSubfolders = f.WithSubfolders;
}

void TChartManager::GetS57FolderInfo(int32_t i, IStrW *countryCode, IStrW *region, IStrW *water) {
    const bool ok = i >= 0 && size_t(i) < FS57Folders.size() && FS57Folders[size_t(i)].Identity.Present;
    const TIENCIdentity id = ok ? FS57Folders[size_t(i)].Identity : TIENCIdentity{};
    SetStrW(countryCode, id.CountryCode);
    SetStrW(region, id.Region);
    SetStrW(water, id.Water);
}

bool TChartManager::LoadS57ChartInfo(TProgressEx *progress, int32_t, int32_t, int32_t, int32_t &err) {
    for (auto &f : FS57Folders) f.Identity = ReadIENCIdentity(f.Folder);
    const TScanResult r = RunScan(MakeInput(false, true), progress);
    FS57Cache = r.S57Cache;
    const bool changed = BuildCells(r);
    ReplaceProblems(r, false, true);
    SaveCache();
    // Viewers drop cells that went (a cancelled one) and show those that came.
    if (changed)
        for (int32_t v : FViewers) FireChanged(v);
    err = KvErr::Ok;
    return true;
}

void TChartManager::SaveS57BaseData(const TStrWRec &file, int32_t &err) {
    const QString path = ToQString(file);
    err = WriteS57BaseData(path) ? KvErr::Ok : KvErr::WriteFailed;
    if (err == KvErr::Ok) FBaseDataFile = path;
}

void TChartManager::LoadS57BaseData(const QString &file) {
    if (file.isEmpty() || !QFileInfo::exists(file)) return;
    QSettings s(file, QSettings::IniFormat);
    const int n = s.beginReadArray(QStringLiteral("Folders"));
    for (int i = 0; i < n; ++i) {
        s.setArrayIndex(i);
        const QString folder = s.value(QStringLiteral("Folder")).toString();
        if (!folder.isEmpty())
            FS57Folders.push_back({folder, s.value(QStringLiteral("WithSubfolders"), true).toBool(),
                                   ReadIENCIdentity(folder)});
    }
    s.endArray();
    const int m = s.beginReadArray(QStringLiteral("Visible"));
    for (int i = 0; i < m; ++i) {
        s.setArrayIndex(i);
        FCellVisibility.insert(s.value(QStringLiteral("File")).toString(),
                               s.value(QStringLiteral("Mask"), AllViewers).toUInt());
    }
    s.endArray();
}

bool TChartManager::WriteS57BaseData(const QString &file) const {
    if (file.isEmpty()) return false;
    QDir().mkpath(QFileInfo(file).absolutePath());
    QSettings s(file, QSettings::IniFormat);
    s.clear();
    s.beginWriteArray(QStringLiteral("Folders"), int(FS57Folders.size()));
    for (size_t i = 0; i < FS57Folders.size(); ++i) {
        s.setArrayIndex(int(i));
        s.setValue(QStringLiteral("Folder"), FS57Folders[i].Folder);
        s.setValue(QStringLiteral("WithSubfolders"), FS57Folders[i].WithSubfolders);
    }
    s.endArray();
    s.beginWriteArray(QStringLiteral("Visible"), int(FCellVisibility.size()));
    int i = 0;
    for (auto it = FCellVisibility.cbegin(); it != FCellVisibility.cend(); ++it, ++i) {
        s.setArrayIndex(i);
        s.setValue(QStringLiteral("File"), it.key());
        s.setValue(QStringLiteral("Mask"), it.value());
    }
    s.endArray();
    s.sync();
    return s.status() == QSettings::NoError;
}

void TChartManager::CellVisibilityChanged(TChart *cell) {
    FCellVisibility.insert(cell->Header().FileName, uint32_t(cell->GetVisibility()));
    SaveS57BaseDataFile();
}

void TChartManager::SaveS57BaseDataFile() {
    if (FBaseDataFile.isEmpty()) return;
    NoteWrite(FBaseDataFile, WriteS57BaseData(FBaseDataFile), QStringLiteral("The list of S-57 folders"),
              QStringLiteral("the file cannot be written."));
}

// ---- lookups ----

IChartCatalogueEntry *TChartManager::GetCatalogueEntry(int32_t i) {
    return i >= 0 && size_t(i) < FCatalogue.size() ? FCatalogue[size_t(i)] : nullptr;
}

IChart *TChartManager::GetChart(int32_t i) {
    return i >= 0 && size_t(i) < FCells.size() ? FCells[size_t(i)] : nullptr;
}

IChartProduct *TChartManager::GetProduct(int32_t i) {
    return i >= 0 && size_t(i) < FProducts.size() ? FProducts[size_t(i)] : nullptr;
}

bool TChartManager::FindChart(const TStrWRec &nameRec, int32_t &index) {
    const QString name = ToQString(nameRec);
    const QString base = QFileInfo(name).completeBaseName();
    for (size_t i = 0; i < FCells.size(); ++i) {
        const TS57Header &h = FCells[i]->Header();
        if (h.FileName == name || QFileInfo(h.FileName).fileName().compare(name, Qt::CaseInsensitive) == 0 ||
            h.CellName.compare(name, Qt::CaseInsensitive) == 0 ||
            (!base.isEmpty() && h.CellName.compare(base, Qt::CaseInsensitive) == 0 &&
             !name.contains(u'/'))) {
            index = int32_t(i);
            return true;
        }
    }
    index = -1;
    return false;
}

bool TChartManager::FindChartByGUID(const TGUID &guid, int32_t &index) {
    for (size_t i = 0; i < FCatalogue.size(); ++i)
        if (GuidEqual(FCatalogue[i]->Guid(), guid)) {
            index = int32_t(i);
            return true;
        }
    index = -1;
    return false;
}

TChartCatalogueEntry *TChartManager::EntryOf(const TGUID &guid) const {
    for (auto *e : FCatalogue)
        if (GuidEqual(e->Guid(), guid)) return e;
    return nullptr;
}

TChart *TChartManager::CellOf(const TGUID &guid) const {
    for (auto *c : FCells)
        if (GuidEqual(*c->GetGUID(), guid)) return c;
    return nullptr;
}

bool TChartManager::GetProblem(int32_t i, IStrW *file, IStrW *message) {
    const bool ok = i >= 0 && size_t(i) < FProblems.size();
    SetStrW(file, ok ? FProblems[size_t(i)].File : QString());
    SetStrW(message, ok ? FProblems[size_t(i)].Message : QString());
    return ok;
}

// ---- selection ----

uint32_t TChartManager::ViewerBitsOf(const TGUID &guid) const {
    uint32_t bits = 0;
    for (const auto &[viewer, guids] : FSelection)
        if (std::binary_search(guids.begin(), guids.end(), guid, GuidLess)) bits |= 1u << viewer;
    return bits;
}

bool TChartManager::ChangeSelection(int32_t viewer, const std::vector<TGUID> &guids, bool add,
                                    bool remove) {
    if (!ValidViewer(viewer)) return false;
    std::vector<TGUID> &sel = FSelection[viewer];
    const std::vector<TGUID> before = sel;
    for (const TGUID &g : guids) {
        if (TChart *cell = CellOf(g)) {
            cell->SetVisibleInViewer(viewer, add);
            continue;
        }
        const auto it = std::lower_bound(sel.begin(), sel.end(), g, GuidLess);
        const bool present = it != sel.end() && GuidEqual(*it, g);
        if (add && !present) sel.insert(it, g);
        if (remove && present) sel.erase(it);
    }
    return sel.size() != before.size() ||
           !std::equal(sel.begin(), sel.end(), before.begin(), GuidEqual);
}

void TChartManager::FireChanged(int32_t viewer) {
    if (!FOnChanged) return;
    std::vector<IChartCatalogueEntry *> raster, cells;
    const uint32_t bit = 1u << viewer;
    for (auto *e : FCatalogue)
        if (e->GetViewerBits() & bit) raster.push_back(e);
    for (size_t i = 0; i < FCells.size(); ++i)
        if (!FCells[i]->IsHiddenInManager() && FCells[i]->IsVisibleIn(bit)) cells.push_back(FCellEntries[i]);
    TChartSetReloadData data;
    data.RasterEntries = raster.data();
    data.RasterCount = int32_t(raster.size());
    data.S57Entries = cells.data();
    data.S57Count = int32_t(cells.size());
    FOnChanged(FChangedData, viewer, reinterpret_cast<intptr_t>(&data));
}

void TChartManager::GetSelectedCharts(ISortedGUIDArray *out, int32_t viewerIndex) {
    if (!out) return;
    out->Clear();
    if (!ValidViewer(viewerIndex)) return;
    const auto it = FSelection.find(viewerIndex);
    if (it != FSelection.end())
        for (const TGUID &g : it->second)
            if (EntryOf(g)) out->Add(g);
    for (TChart *c : FCells)
        if (!c->IsHiddenInManager() && c->IsVisibleIn(1u << viewerIndex)) out->Add(*c->GetGUID());
}

void TChartManager::SetSelectedCharts(int32_t viewerIndex, ISortedGUIDArray *guids) {
    if (!ValidViewer(viewerIndex)) return;
    const std::vector<TGUID> wanted = GuidsOf(guids);
    std::vector<TGUID> drop;
    for (const TGUID &g : FSelection[viewerIndex])
        if (!std::binary_search(wanted.begin(), wanted.end(), g, GuidLess)) drop.push_back(g);
    for (TChart *c : FCells)
        if (!std::binary_search(wanted.begin(), wanted.end(), *c->GetGUID(), GuidLess))
            drop.push_back(*c->GetGUID());
    const bool removed = ChangeSelection(viewerIndex, drop, false, true);
    const bool added = ChangeSelection(viewerIndex, wanted, true, false);
    if (removed || added) FireChanged(viewerIndex);
}

void TChartManager::SetNewlySelectedCharts(int32_t viewerIndex, ISortedGUIDArray *guids) {
    if (ChangeSelection(viewerIndex, GuidsOf(guids), true, false)) FireChanged(viewerIndex);
}

void TChartManager::SetViewerChartSet(int32_t viewerIndex, ISortedGUIDArray *guids) {
    SetNewlySelectedCharts(viewerIndex, guids);
}

void TChartManager::DeselectCharts(ISortedGUIDArray *guids, int32_t viewerIndex) {
    if (!ValidViewer(viewerIndex)) return;
    const std::vector<TGUID> list = GuidsOf(guids);
    bool changed = ChangeSelection(viewerIndex, list, false, true);
    for (const TGUID &g : list)
        if (TChart *c = CellOf(g); c && c->IsVisibleIn(1u << viewerIndex)) {
            c->SetVisibleInViewer(viewerIndex, false);
            changed = true;
        }
    if (changed) FireChanged(viewerIndex);
}

void TChartManager::CommitSelection() { SaveSelection(); }

void TChartManager::RegisterViewer(int32_t viewerIndex) {
    if (!ValidViewer(viewerIndex) || FViewers.contains(viewerIndex)) return;
    FViewers.insert(viewerIndex);
    if (!FHadSelectionFile && !FSelection.count(viewerIndex)) {
        std::vector<TGUID> all;
        for (auto *e : FCatalogue) all.push_back(e->Guid());
        ChangeSelection(viewerIndex, all, true, false);
    }
}

void TChartManager::UnregisterViewer(int32_t viewerIndex) { FViewers.remove(viewerIndex); }

void TChartManager::LoadSelection() {
    QFile f(FSelectedChartsFile);
    if (FSelectedChartsFile.isEmpty() || !f.open(QIODevice::ReadOnly)) return;
    FHadSelectionFile = true;
    const QJsonObject viewers =
        QJsonDocument::fromJson(f.readAll()).object().value(QStringLiteral("viewers")).toObject();
    for (auto it = viewers.begin(); it != viewers.end(); ++it) {
        bool ok = false;
        const int v = it.key().toInt(&ok);
        if (!ok || !ValidViewer(v)) continue;
        std::vector<TGUID> &sel = FSelection[v];
        for (const QJsonValue &g : it.value().toArray()) {
            const TGUID guid = GuidFromText(g.toString());
            if (!GuidIsNull(guid)) sel.push_back(guid);
        }
        std::sort(sel.begin(), sel.end(), GuidLess);
        sel.erase(std::unique(sel.begin(), sel.end(), GuidEqual), sel.end());
    }
}

void TChartManager::SaveSelection() {
    if (FSelectedChartsFile.isEmpty()) return;
    QJsonObject viewers;
    for (const auto &[viewer, guids] : FSelection) {
        QJsonArray a;
        for (const TGUID &g : guids) a << GuidToText(g);
        viewers.insert(QString::number(viewer), a);
    }
    QString error;
    const bool ok = WriteFileAtomically(
        FSelectedChartsFile, QJsonDocument(QJsonObject{{QStringLiteral("viewers"), viewers}}).toJson(), error);
    NoteWrite(FSelectedChartsFile, ok, QStringLiteral("The chart selection"), error);
}

// ---- installed chart sets ----

void TChartManager::LoadSetRegistry() {
    QFile f(QDir(FChartsFolder).filePath(QLatin1String(SetRegistryFileName)));
    if (FChartsFolder.isEmpty() || !f.open(QIODevice::ReadOnly)) return;
    const QJsonObject o = QJsonDocument::fromJson(f.readAll()).object();
    for (const QJsonValue &v : o.value(QStringLiteral("extra")).toArray()) FExtraSetFolders << v.toString();
    for (const QJsonValue &v : o.value(QStringLiteral("removed")).toArray()) FRemovedSetFolders << v.toString();
}

void TChartManager::SaveSetRegistry() {
    if (FChartsFolder.isEmpty()) return;
    const QString file = QDir(FChartsFolder).filePath(QLatin1String(SetRegistryFileName));
    QString error;
    const bool ok = WriteFileAtomically(
        file,
        QJsonDocument(QJsonObject{{QStringLiteral("extra"), QJsonArray::fromStringList(FExtraSetFolders)},
                                  {QStringLiteral("removed"), QJsonArray::fromStringList(FRemovedSetFolders)}})
            .toJson(),
        error);
    NoteWrite(file, ok, QStringLiteral("The list of installed chart sets"), error);
}

void TChartManager::InstallChartSet(IMRCChartSetRecord *rec, const TStrWRec &chartFolder, int32_t &err) {
    err = KvErr::Ok;
    const QString folder = QDir(ToQString(chartFolder)).absolutePath();
    if (!rec || ToQString(chartFolder).isEmpty() || !QFileInfo(folder).isDir()) {
        err = KvErr::NotFound;
        return;
    }
    TManifest m;
    QString error;
    // A set installed by this program is described by its record again when another
    // edition arrives over it.
    const bool read = ReadManifest(folder, m, error);
    if (!read || (m.OwnInstallation && m.Edition != rec->GetEdition())) {
        // A downloaded set brings its files; the manifest is made from its record.
        m = TManifest{};
        m.Folder = folder;
        m.ProductNumber = rec->GetProductNumber();
        m.ProductCode = RecText(rec->GetProductName());
        m.ProductTitle = RecText(rec->GetProductName());
        m.SetCode = RecText(rec->GetFolderName());
        m.SetTitle = RecText(rec->GetName());
        // The record's mask names the set within its product (bit n: set number n), so
        // that the set is found again by the record's mask. The kinds of charts shown are
        // another matter: a set the user downloaded is of the first kind this program shows,
        // or it would be installed and never drawn.
        const uint32_t recordMask = rec->GetModuleMask() ? rec->GetModuleMask() : 1u;
        m.SetNumber = int32_t(std::countr_zero(recordMask));
        m.ModuleMask = FChartModules ? FChartModules & (~FChartModules + 1u) : 1u;
        m.Edition = rec->GetEdition();
        m.OwnInstallation = true;
        for (int32_t i = 0; i < rec->GetFileCount(); ++i) {
            const QString rel = RecText(rec->GetFileName(i));
            const QString ext = QFileInfo(rel).suffix().toLower();
            if (rec->IsAddonFile(i) || ext == u"db")
                m.DataFiles << rel;
            else if (ext == u"kap" || ext == u"tif" || ext == u"tiff")
                m.Charts.push_back({rel, {}});
        }
        if (m.ProductCode.isEmpty() || m.SetCode.isEmpty()) {
            err = KvErr::InvalidArgument;
            return;
        }
        if (!WriteManifest(m, error)) {
            err = KvErr::WriteFailed;
            return;
        }
    }
    // A set already listed from this folder is read again: its files may have changed.
    bool listed = false;
    for (const auto &s : FSetStore)
        if (s->Manifest().Folder == folder)
            for (TChartProduct *p : FProducts)
                for (int32_t i = 0; i < p->GetChartSetCount(); ++i) listed = listed || p->GetChartSet(i) == s.get();
    if (listed) RemoveChartSet(rec);
    FRemovedSetFolders.removeAll(folder);
    const bool inside = !FChartsFolder.isEmpty() && folder.startsWith(FChartsFolder + u'/');
    if (!inside && !FExtraSetFolders.contains(folder)) FExtraSetFolders << folder;
    SaveSetRegistry();
    // Only the new folder is read; the other sets keep their objects.
    TScanInput in = MakeInput(false, false);
    in.ExtraSetFolders = {folder};
    in.ScanRaster = true;
    in.ChartsFolder.clear();
    const TScanResult r = RunScan(in, nullptr);
    for (auto it = r.RasterCache.cbegin(); it != r.RasterCache.cend(); ++it) FRasterCache.insert(it.key(), it.value());
    FProblems.insert(FProblems.end(), r.Problems.begin(), r.Problems.end());
    std::vector<TGUID> added;
    for (const TScannedSet &s : r.Sets) {
        const size_t before = FCatalogue.size();
        AddSet(s);
        for (size_t i = before; i < FCatalogue.size(); ++i) added.push_back(FCatalogue[i]->Guid());
    }
    SaveCache();
    for (int32_t v : FViewers)
        if (ChangeSelection(v, added, true, false)) FireChanged(v);
    if (listed) err = KvErr::AlreadyExists;
}

void TChartManager::RemoveChartSet(IMRCChartSetRecord *rec) {
    if (!rec) return;
    const uint32_t number = rec->GetProductNumber();
    const QString setCode = RecText(rec->GetFolderName());
    for (const auto &s : FSetStore) {
        const TManifest &m = s->Manifest();
        if (m.ProductNumber != number || m.SetCode != setCode) continue;
        std::vector<TGUID> gone;
        for (int32_t i = 0; i < s->GetEntryCount(); ++i) {
            auto *e = static_cast<TChartCatalogueEntry *>(s->GetEntry(i));
            gone.push_back(e->Guid());
            std::erase(FCatalogue, e);
        }
        for (auto &p : FProducts) p->RemoveSet(s.get());
        std::erase_if(FProducts, [](TChartProduct *p) { return p->GetChartSetCount() == 0; });
        if (!FRemovedSetFolders.contains(m.Folder)) FRemovedSetFolders << m.Folder;
        FExtraSetFolders.removeAll(m.Folder);
        SaveSetRegistry();
        for (auto &[viewer, guids] : FSelection) {
            std::vector<TGUID> keep;
            for (const TGUID &g : guids)
                if (std::none_of(gone.begin(), gone.end(), [&](const TGUID &x) { return GuidEqual(x, g); }))
                    keep.push_back(g);
            const bool changed = keep.size() != guids.size();
            guids = std::move(keep);
            if (changed && FViewers.contains(viewer)) FireChanged(viewer);
        }
        return;
    }
}

}  // namespace kv::charts

IChartManager *ChartManagerCreate(const TStrWRec &infoCacheFile, const TStrWRec &selectedChartsFile,
                                  const TStrWRec &chartsFolder, void *, uint32_t chartModules,
                                  ChartSetsChangedProc onChanged, void *changedData,
                                  LoadProgressProc progress, void *progressData) {
    return new kv::charts::TChartManager(kv::ToQString(infoCacheFile), kv::ToQString(selectedChartsFile),
                                         kv::ToQString(chartsFolder), chartModules, onChanged,
                                         changedData, progress, progressData);
}
