#include "online/ObjectUpdateCharts.h"

#include "charts/ChartCatalogue.h"
#include "kernel/KvInternal.h"
#include "online/WebServicesAccountData.h"
#include "online/WebServicesClient.h"
#include "online/WebServicesTransport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace kv {

namespace {

QString Text(const TStrWRec *rec) {
    return rec ? ToQString(*rec) : QString();
}

// One file of a newer edition, copied from its record: the record may be replaced by a
// later answer of the service while the fetch runs.
struct TFetchFile {
    QString Name;  // relative to the set's folder ("Addons<product>/" in front for add-ons)
    QString ServiceName;
    int64_t Size = 0;
    bool Addon = false;
};

struct TFetchSet {
    charts::TManifest Manifest;  // the installed one
    uint32_t Product = 0;
    uint32_t Mask = 0;
    int32_t Edition = 0;
    std::vector<TFetchFile> Files;
};

bool IsChartFile(const QString &name) {
    const QString ext = QFileInfo(name).suffix().toLower();
    return ext == u"kap" || ext == u"tif" || ext == u"tiff";
}

// The installed manifest with the new edition and the files of the new edition: charts keep
// their identity (and what the manifest says about them) where the file name stays.
charts::TManifest UpdatedManifest(const TFetchSet &set, const QString &folder) {
    charts::TManifest m = set.Manifest;
    m.Folder = folder;
    m.Edition = set.Edition;
    m.Charts.clear();
    m.DataFiles.clear();
    for (const TFetchFile &f : set.Files) {
        if (f.Addon || QFileInfo(f.Name).suffix().compare(u"db", Qt::CaseInsensitive) == 0) {
            m.DataFiles << f.Name;
            continue;
        }
        if (!IsChartFile(f.Name)) continue;
        charts::TManifestChart chart{f.Name, {}};
        for (const charts::TManifestChart &old : set.Manifest.Charts)
            if (old.File == f.Name) chart = old;
        m.Charts.push_back(std::move(chart));
    }
    return m;
}

}  // namespace

struct TChartUpdates::TRun {
    QString Email, Password, UpdateFolder;
    std::vector<TFetchSet> Sets;
    size_t Set = 0;
    size_t File = 0;
    bool SetFailed = false;
    int Placed = 0;
    bool Running = false;
    std::function<void(int)> Done;

    QString FolderName() const { return QFileInfo(Sets[Set].Manifest.Folder).fileName(); }
    QString Staging() const {
        return QDir(UpdateFolder).filePath(QLatin1Char('.') + FolderName() + QStringLiteral(".fetch"));
    }

    void BeginSet() {
        SetFailed = !IsSafeRelativeName(FolderName()) || FolderName().contains(QLatin1Char('/'));
        if (SetFailed) return;
        QDir(Staging()).removeRecursively();
        SetFailed = !QDir().mkpath(Staging());
    }

    // The set goes into place only whole; a set there before is replaced.
    void EndSet() {
        const QString staging = Staging();
        if (!SetFailed) {
            QString error;
            const QString placed = QDir(UpdateFolder).filePath(FolderName());
            SetFailed = !charts::WriteManifest(UpdatedManifest(Sets[Set], staging), error) ||
                        (QFileInfo::exists(placed) && !QDir(placed).removeRecursively()) ||
                        !QDir().rename(staging, placed);
            if (!SetFailed) ++Placed;
        }
        if (SetFailed) QDir(staging).removeRecursively();
    }
};

namespace {

using TRunPtr = std::shared_ptr<TChartUpdates::TRun>;

void Advance(const TRunPtr &run);

void FileArrived(const TRunPtr &run, const QString &part, const QString &target, int64_t size,
                 const TWebAnswer &answer) {
    const bool whole = answer.Error == KvErr::Ok && answer.Result == MRCResult::Ok &&
                       QFileInfo(part).isFile() && QFileInfo(part).size() == size;
    if (!whole || !QFile::rename(part, target)) {
        QFile::remove(part);
        run->SetFailed = true;
    }
    ++run->File;
    Advance(run);
}

void StartFile(const TRunPtr &run) {
    const TFetchSet &set = run->Sets[run->Set];
    const TFetchFile &file = set.Files[run->File];
    const QString target = QDir(run->Staging()).filePath(file.Name);
    const QString part = target + QStringLiteral(".part");
    if (file.Size < 0 || !QDir().mkpath(QFileInfo(target).absolutePath())) {
        run->SetFailed = true;
        ++run->File;
        return Advance(run);
    }
    TWebRequest request;
    request.Service = QStringLiteral("account");
    request.Operation = QStringLiteral("download");
    request.Kind = MRCRequestKind::File;
    request.Fields.append({QStringLiteral("email"), run->Email});
    request.Fields.append({QStringLiteral("password"), run->Password});
    request.Fields.append({QStringLiteral("product"), QString::number(set.Product)});
    request.Fields.append({QStringLiteral("modules"), QString::number(set.Mask)});
    request.Fields.append({QStringLiteral("file"), file.ServiceName});
    request.TargetFile = part;
    const std::weak_ptr<TChartUpdates::TRun> weak = run;
    const int64_t size = file.Size;
    WebTransport()->Start(request, {}, [weak, part, target, size](const TWebAnswer &answer) {
        if (const TRunPtr r = weak.lock())
            FileArrived(r, part, target, size, answer);
        else
            QFile::remove(part);
    });
}

void Advance(const TRunPtr &run) {
    while (run->Set < run->Sets.size()) {
        if (run->File == 0 && !run->SetFailed) run->BeginSet();
        if (!run->SetFailed && run->File < run->Sets[run->Set].Files.size()) return StartFile(run);
        run->EndSet();
        ++run->Set;
        run->File = 0;
        run->SetFailed = false;
    }
    run->Running = false;
    if (run->Done) run->Done(run->Placed);
}

}  // namespace

TChartUpdates::TChartUpdates() = default;
TChartUpdates::~TChartUpdates() = default;

const TPendingChartUpdate *TChartUpdates::At(int32_t i) const {
    return i >= 0 && i < Count() ? &FPending[size_t(i)] : nullptr;
}

bool TChartUpdates::Fetching() const {
    return FRun && FRun->Running;
}

void TChartUpdates::Refresh(IChartManager *manager, IMRCChartCheck *account) {
    FPending.clear();
    if (!manager || !account) return;
    for (int32_t p = 0; p < manager->GetProductCount(); ++p) {
        IChartProduct *product = manager->GetProduct(p);
        for (int32_t s = 0; product && s < product->GetChartSetCount(); ++s) {
            IChartSetInfo *info = product->GetChartSet(s) ? product->GetChartSet(s)->GetInfo() : nullptr;
            charts::TManifest installed;
            QString error;
            if (!info || !charts::ReadManifest(Text(info->GetFolder()), installed, error)) continue;
            IMRCChartSetRecord *record = account->FindChartSetRecord(installed.ProductNumber, installed.ModuleMask);
            if (!record || record->GetResult() != 0 || record->GetEdition() <= installed.Edition) continue;
            for (int32_t f = 0; f < record->GetFileCount(); ++f)
                FPending.push_back({record, record->IsAddonFile(f) ? 2 : 1, f, installed.Folder});
        }
    }
}

void TChartUpdates::Fetch(IMRCChartCheck *account, const QString &updateFolder, std::function<void(int)> done) {
    if (Fetching()) return;
    auto run = std::make_shared<TRun>();
    run->UpdateFolder = updateFolder;
    run->Done = std::move(done);
    run->Running = true;
    AccountLogin(account, run->Email, run->Password);
    for (const TPendingChartUpdate &u : FPending) {
        if (run->Sets.empty() || run->Sets.back().Manifest.Folder != u.InstalledFolder) {
            TFetchSet set;
            QString error;
            charts::ReadManifest(u.InstalledFolder, set.Manifest, error);
            set.Product = u.Record->GetProductNumber();
            set.Mask = u.Record->GetModuleMask();
            set.Edition = u.Record->GetEdition();
            run->Sets.push_back(std::move(set));
        }
        TFetchFile file;
        file.ServiceName = Text(u.Record->GetFileName(u.FileIndex));
        file.Addon = u.Kind == 2;
        file.Name = (file.Addon ? QStringLiteral("Addons%1/").arg(u.Record->GetProductNumber()) : QString()) +
                    file.ServiceName;
        file.Size = u.Record->GetFileSize(u.FileIndex);
        // A name that could leave the set's folder fails its set.
        if (!IsSafeRelativeName(file.ServiceName)) file.Size = -1;
        run->Sets.back().Files.push_back(std::move(file));
    }
    FRun = run;
    if (updateFolder.isEmpty()) run->Sets.clear();
    Advance(run);
}

}  // namespace kv
