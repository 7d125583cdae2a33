#include "online/FrmNewsCenterChartFetch.h"

#include "base/charts/KvOnlineServices.h"
#include "base/kvlib/KvExceptions.h"
#include "base/kvlib/KvStrings.h"
#include "base/texts/KvLanguage.h"

#include <KvLibNav6/KvNavEnv.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const TLanguageStrings TextCaption = {"Chart update", "Kaartupdate", "Karten-Update", "", "", "", "", ""};
const TLanguageStrings TextFetching = {"Downloading chart updates...", "Kaartupdates downloaden...",
                                       "Karten-Updates werden heruntergeladen...", "", "", "", "", ""};
const TLanguageStrings TextCancel = {"Cancel", "Annuleren", "Abbrechen", "", "", "", "", ""};

const char ManifestName[] = "chartset.json";

TFormChartUpdateFetch::TObserver &Observer() {
    static TFormChartUpdateFetch::TObserver observer;
    return observer;
}

// The installed manifest with the edition of the record: the set keeps its identity, so
// that the chart-manager program replaces the installed edition.
bool WriteUpdatedManifest(const QString &installed, const QString &folder, int32_t edition) {
    QFile in(QDir(installed).filePath(QLatin1String(ManifestName)));
    if (!in.open(QIODevice::ReadOnly)) return false;
    QJsonObject manifest = QJsonDocument::fromJson(in.read(1 << 20)).object();
    if (manifest.isEmpty()) return false;
    manifest.insert(QStringLiteral("edition"), edition);
    QFile out(QDir(folder).filePath(QLatin1String(ManifestName)));
    return out.open(QIODevice::WriteOnly) && out.write(QJsonDocument(manifest).toJson()) > 0 && out.flush();
}

}  // namespace

QList<TChartUpdateFetch::TSet> TChartUpdateFetch::PendingSets(INavObjectUpdateManager *updates, IChartManager *charts) {
    QList<TSet> sets;
    for (int32_t i = 0; updates && charts && i < updates->GetUpdateCount(); ++i) {
        IMRCChartSetRecord *record = nullptr;
        int32_t kind = 0, file = 0;
        updates->GetUpdate(i, record, kind, file);
        if (!record || (kind != 1 && kind != 2) || (!sets.isEmpty() && sets.last().Record == record)) continue;
        for (int32_t p = 0; p < charts->GetProductCount(); ++p) {
            IChartProduct *product = charts->GetProduct(p);
            if (!product || !product->GetInfo() || product->GetInfo()->GetProductNumber() != record->GetProductNumber())
                continue;
            for (int32_t s = 0; s < product->GetChartSetCount(); ++s) {
                IChartSetInfo *info = product->GetChartSet(s) ? product->GetChartSet(s)->GetInfo() : nullptr;
                if (info && (1u << info->GetKind()) == record->GetModuleMask())
                    sets << TSet{record, StrWToWide(info->GetFolder())};
            }
        }
    }
    return sets;
}

TChartUpdateFetch::TChartUpdateFetch(IMRCChartCheck *account, INavMessageDispatcher *dispatcher, QObject *parent)
    : QObject(parent), FAccount(account), FDispatcher(dispatcher) {
    if (FDispatcher) FDispatcher->Subscribe(&TChartUpdateFetch::NotificationProc, this);
}

TChartUpdateFetch::~TChartUpdateFetch() {
    if (FDispatcher) FDispatcher->Unsubscribe(&TChartUpdateFetch::NotificationProc, this);
    Cancel();
}

void TChartUpdateFetch::Start(const QList<TSet> &sets, const QString &updateFolder) {
    FSets = updateFolder.isEmpty() || !FAccount ? QList<TSet>() : sets;
    FUpdateFolder = updateFolder;
    FSet = 0;
    FFile = 0;
    FSetFailed = false;
    FPlaced = FFailed = 0;
    FTotal = FDone = 0;
    for (const TSet &set : FSets)
        for (int32_t i = 0; i < set.Record->GetFileCount(); ++i) FTotal += set.Record->GetFileSize(i);
    FRunning = true;
    Advance();
}

void TChartUpdateFetch::Cancel() {
    if (!FRunning) return;
    FRunning = false;
    FDownloading = false;
    if (FSet < FSets.size()) QDir(Staging()).removeRecursively();
}

QString TChartUpdateFetch::FolderName() const {
    return QFileInfo(FSets[FSet].InstalledFolder).fileName();
}

QString TChartUpdateFetch::Staging() const {
    return QDir(FUpdateFolder).filePath(QLatin1Char('.') + FolderName() + QStringLiteral(".fetch"));
}

void TChartUpdateFetch::Advance() {
    while (FRunning && FSet < FSets.size()) {
        if (FFile == 0 && !FSetFailed) {
            QDir(Staging()).removeRecursively();
            FSetFailed = FolderName().isEmpty() || !QDir().mkpath(Staging());
        }
        if (!FSetFailed && FFile < FSets[FSet].Record->GetFileCount()) return StartFile();
        EndSet();
        ++FSet;
        FFile = 0;
        FSetFailed = false;
    }
    if (!FRunning) return;
    FRunning = false;
    emit Finished();
}

void TChartUpdateFetch::StartFile() {
    IMRCChartSetRecord *record = FSets[FSet].Record;
    QString folder = Staging() + QLatin1Char('/');
    if (record->IsAddonFile(FFile)) folder += QStringLiteral("Addons%1/").arg(record->GetProductNumber());
    FDownloading = true;
    int32_t err = 0;
    // A refused start is answered like a finished one, with the error as its result.
    MRCChartCheckStartFileDownload(FAccount, record, FFile, folder, DownloadListGetFileName(record, FFile), err);
}

void TChartUpdateFetch::NotificationProc(void *data, TNavNotification *n) {
    try {
        static_cast<TChartUpdateFetch *>(data)->Notify(*n);
    } catch (...) {
        ReportCurrentException();
    }
}

void TChartUpdateFetch::Notify(const TNavNotification &n) {
    if (!FDownloading || n.P1 != reinterpret_cast<intptr_t>(FAccount) || n.P2 != MRCRequestKind::File) return;
    if (n.Code == NavNotify::DownloadProgress) return ShowProgress(int64_t(n.Value));
    if (n.Code != NavNotify::AccountRequestDone) return;
    FDownloading = false;
    FileDone(FAccount->GetLastResult() == MRCResult::Ok);
}

void TChartUpdateFetch::FileDone(bool whole) {
    FDone += FSets[FSet].Record->GetFileSize(FFile);
    ShowProgress(0);
    if (!whole) FSetFailed = true;
    ++FFile;
    Advance();
}

void TChartUpdateFetch::ShowProgress(int64_t received) {
    emit Progress(FTotal > 0 ? int(std::clamp<int64_t>((FDone + received) * 100 / FTotal, 0, 100)) : 0);
}

void TChartUpdateFetch::EndSet() {
    const TSet &set = FSets[FSet];
    const QString staging = Staging();
    const QString placed = QDir(FUpdateFolder).filePath(FolderName());
    bool ok = !FSetFailed && WriteUpdatedManifest(set.InstalledFolder, staging, set.Record->GetEdition());
    ok = ok && (!QFileInfo::exists(placed) || QDir(placed).removeRecursively()) && QDir().rename(staging, placed);
    if (!ok) QDir(staging).removeRecursively();
    ++(ok ? FPlaced : FFailed);
}

// ---- the window -----------------------------------------------------------------------------

TFormChartUpdateFetch::TFormChartUpdateFetch(TChartUpdateFetch &fetch, QWidget *owner)
    : TFormScaled(owner), LabelText(new QLabel(this)), ProgressBar(new QProgressBar(this)),
      ButtonCancel(new QPushButton(this)) {
    setObjectName(QStringLiteral("FormChartUpdateFetch"));
    setWindowTitle(LanguageText(TextCaption));
    LabelText->setText(LanguageText(TextFetching));
    ButtonCancel->setText(LanguageText(TextCancel));
    ProgressBar->setRange(0, 100);
    ProgressBar->setValue(0);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(LabelText);
    layout->addWidget(ProgressBar);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ButtonCancel);
    layout->addLayout(buttons);
    setMinimumWidth(360);
    connect(&fetch, &TChartUpdateFetch::Progress, ProgressBar, &QProgressBar::setValue);
    connect(&fetch, &TChartUpdateFetch::Finished, this, &QDialog::accept);
    connect(ButtonCancel, &QPushButton::clicked, this, [this, &fetch] {
        fetch.Cancel();
        reject();
    });
    ScaleConstraints();
}

TFormChartUpdateFetch::TObserver TFormChartUpdateFetch::SetObserver(TObserver observer) {
    TObserver previous = std::move(Observer());
    Observer() = std::move(observer);
    return previous;
}

bool TFormChartUpdateFetch::Execute(TChartUpdateFetch &fetch, const QList<TChartUpdateFetch::TSet> &sets,
                                    const QString &updateFolder, QWidget *owner) {
    TFormChartUpdateFetch form(fetch, owner);
    // Closing the window any other way is a Cancel too.
    connect(&form, &QDialog::rejected, &fetch, &TChartUpdateFetch::Cancel);
    QTimer::singleShot(0, &form, [&form, &fetch, &sets, updateFolder] {
        fetch.Start(sets, updateFolder);
        if (Observer() && fetch.Running()) Observer()(form);
    });
    return form.exec() == QDialog::Accepted;
}
