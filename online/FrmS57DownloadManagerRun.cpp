// The steps of the Inland ENC download manager: each request's answer (IENCStepDone) moves
// the state on; the chart-set folders, the staging folder and the folder list are kept here.
#include "online/FrmS57DownloadManager.h"

#include "base/charts/KvOnlineServices.h"
#include "base/dialogs/KvMsgBox.h"
#include "base/files/KvFiles.h"
#include "base/kvlib/KvErrors.h"
#include "base/strings/KvStrUtils.h"
#include "base/texts/KvLanguage.h"
#include "online/FrmS57DownloadManagerTexts.h"

#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvNavEnv.h>
#include <KvLibNav6/KvWebServices.h>

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPushButton>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTreeWidget>

#include <filesystem>

using namespace s57download;

namespace {

constexpr char IdentityFile[] = "ienc.json";
constexpr char StagingFolder[] = ".staging/";
// PrepareSetFolder's errors: no base folder, not enough space.
constexpr int32_t ErrNoBase = 21;
constexpr int32_t ErrNoSpace = 33;

QString Text(const std::u16string &s) {
    return QString::fromStdU16String(s);
}

QString WithSeparator(QString folder) {
    if (!folder.isEmpty() && !folder.endsWith(u'/')) folder += u'/';
    return folder;
}

bool SameFolder(const QString &a, const QString &b) {
    return QDir::cleanPath(a) == QDir::cleanPath(b);
}

// A local file is current when it has the service's size and is not older.
bool IsCurrent(const QString &path, int64_t size, int64_t unixTime) {
    const QFileInfo info(path);
    return info.isFile() && info.size() == size && info.lastModified().toSecsSinceEpoch() >= unixTime;
}

// Files below folder, the identity file left out; relative names with "/".
QStringList FilesBelow(const QString &folder, bool recursive) {
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden,
                    recursive ? QDirIterator::Subdirectories : QDirIterator::NoIteratorFlags);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString rel = QDir(folder).relativeFilePath(path);
        if (rel != QLatin1String(IdentityFile)) files << rel;
    }
    return files;
}

bool SafeName(const QString &name) {
    static const QRegularExpression drive(QStringLiteral("^[A-Za-z]:"));
    if (name.isEmpty() || name.startsWith(u'/') || name.contains(u'\\') || drive.match(name).hasMatch()) return false;
    for (const QString &part : name.split(u'/'))
        if (part.isEmpty() || part == u"." || part == u"..") return false;
    return true;
}

bool SameIdentity(const TS57ChartFolder &f, IS57ChartSet *set) {
    return Text(f.CountryCode).compare(GetS57ChartSetCountryCode(set), Qt::CaseInsensitive) == 0 &&
           Text(f.Region).compare(GetS57ChartSetRegion(set), Qt::CaseInsensitive) == 0 &&
           Text(f.Water).compare(GetS57ChartSetWater(set), Qt::CaseInsensitive) == 0;
}

void DeleteTree(const QString &folder) {
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) return;
    int32_t err = 0;
    DirDeleteTreeA(folder, true, true, true, err);
}

}  // namespace

QString TFormS57DownloadManager::SetFolder(const QString &base, const QString &countryCode,
                                           const QString &region, const QString &water) {
    QString folder = WithSeparator(base) + FileNameReplaceInvalidChars(countryCode) + u'/';
    if (!region.isEmpty()) folder += FileNameReplaceInvalidChars(region) + u'/';
    folder += water.isEmpty() ? QStringLiteral("_all/") : FileNameReplaceInvalidChars(water) + u'/';
    return folder;
}

void TFormS57DownloadManager::HandleNotification(void *data, TNavNotification *n) {
    auto *self = static_cast<TFormS57DownloadManager *>(data);
    if (!n || n->P1 != reinterpret_cast<intptr_t>(self->FClient)) return;
    if (n->Code == NavNotify::DownloadProgress) {
        self->FReceived = int64_t(n->Value);
        self->RefreshBackground();
    } else if (n->Code == NavNotify::IENCStepDone) {
        self->Notified(n->Code, n->P1);
    }
}

void TFormS57DownloadManager::Notified(int32_t, intptr_t) {
    switch (FState) {
    case 1: ListArrived(); break;
    case 2: FileListsArrived(); break;
    case 3: FileArrived(); break;
    case 4: {
        const int32_t result = FClient->GetLastResult();
        if (result != 0)
            Fail(LanguageText(TextDownloadError) + QStringLiteral("\r\n\r\n") + ErrorToStrA(result));
        else
            Finish();
        break;
    }
    default: break;
    }
}

void TFormS57DownloadManager::ListArrived() {
    const int32_t result = FClient->GetLastResult();
    FState = 0;
    // Without a list nothing can be said about the installed sets: they keep their identity.
    FListFailed = result != 0;
    if (FListFailed) {
        RefreshBackground();
        UpdateButtons();
        MsgBox(LanguageText(TextListError) + QStringLiteral("\r\n\r\n") + ErrorToStrA(result), mtError,
               MsgButtons({mbOK}));
        if (FUpdateMode) CloseDialog();
        return;
    }
    CheckInstalledSets();
    if (FUpdateMode)
        SelectUpdates();
    else
        BuildTree();
    RefreshBackground();
}

void TFormS57DownloadManager::CheckInstalledSets() {
    if (FListFailed || !FClient) return;
    for (int32_t i = 0; i < FClient->GetChartSetCount(); ++i)
        if (IS57ChartSet *set = FClient->GetChartSet(i)) set->SetState(S57ChartSetState::NotInstalled);
    for (TS57ChartFolder &entry : FFolders) {
        if (!entry.IsIENCSet) continue;
        IS57ChartSet *set = FindS57ChartSet(FClient, Text(entry.CountryCode), Text(entry.Region), Text(entry.Water));
        if (!set) {
            entry.IsIENCSet = false;
            entry.CountryCode.clear();
            entry.Region.clear();
            entry.Water.clear();
            continue;
        }
        const QString folder = Text(entry.Folder);
        int64_t sum = 0, newest = -1;
        const QStringList files = FilesBelow(folder, entry.WithSubfolders);
        for (const QString &rel : files) {
            const QFileInfo info(QDir(folder).filePath(rel));
            sum += info.size();
            newest = std::max<int64_t>(newest, info.lastModified().toSecsSinceEpoch());
        }
        const bool current = sum == set->GetSize() && files.size() == set->GetFileCount() && newest >= set->GetDate();
        set->SetState(current ? S57ChartSetState::Installed : S57ChartSetState::UpdatesAvailable);
    }
}

bool TFormS57DownloadManager::InArea(const QString &countryCode) const {
    int number = 0;
    return CountryCodeToIndex(countryCode, number) && number <= 15 && (FSailingArea >> number) & 1;
}

void TFormS57DownloadManager::SelectUpdates() {
    FSelection->Clear();
    for (int32_t i = 0; i < FClient->GetChartSetCount(); ++i) {
        IS57ChartSet *set = FClient->GetChartSet(i);
        if (set && set->GetFileCount() > 0 && InArea(GetS57ChartSetCountryCode(set))) FSelection->Add(set);
    }
    if (FSelection->GetCount() > 0) {
        FState = 2;
        int32_t err = 0;
        FClient->RequestChartSets(FSelection, err);
        return;
    }
    DropCountriesOutside();
    if (FSailingArea == 0 && !FSilent) MsgBox(LanguageText(TextNoUpdates), mtInformation, MsgButtons({mbOK}));
    CloseDialog();
}

void TFormS57DownloadManager::FileListsArrived() {
    const int32_t result = FClient->GetLastResult();
    if (result != 0) {
        Fail(LanguageText(TextDownloadError) + QStringLiteral("\r\n\r\n") + ErrorToStrA(result));
        return;
    }
    if (FCloseAfterCancel) {
        CloseDialog();
        return;
    }
    FCancelRequested = false;
    FSetNumber = 0;
    FCurrentSet = FSelection->GetItem(0);
    if (!FCurrentSet) {
        BackToIdle();
        return;
    }
    StartSelection();
}

void TFormS57DownloadManager::StartSelection() {
    if (!PrepareSetFolder()) return;
    ButtonDownload->setText(LanguageText(TextAbort));
    ShowHeader(false);
    FFileNumber = 0;
    DownloadNextFile();
}

bool TFormS57DownloadManager::SafeFileNames(IS57ChartSet *set) const {
    for (int32_t i = 0; i < set->GetFileCount(); ++i) {
        const QString name = GetS57ChartFileName(set->GetFile(i));
        if (!SafeName(name)) {
            MsgBox(LanguageText(TextUnsafeName) + QStringLiteral("\r\n\r\n") + name, mtError, MsgButtons({mbOK}));
            return false;
        }
    }
    return true;
}

bool TFormS57DownloadManager::PrepareSetFolder() {
    const QString base = BaseFolder();
    int32_t err = 0;
    if (base.isEmpty() || !QDir::isAbsolutePath(base)) err = ErrNoBase;
    if (err == 0) {
        // The base may not exist yet: its nearest existing folder tells the free space.
        QString existing = QDir::cleanPath(base);
        while (!QFileInfo(existing).isDir()) {
            const QString up = QFileInfo(existing).absolutePath();
            if (up == existing) break;
            existing = up;
        }
        int64_t freeBytes = 0;
        DiskGetFreeSpaceA(existing, freeBytes, nullptr, 0, err);
        if (err == 0 && FCurrentSet->GetSize() > freeBytes) err = ErrNoSpace;
    }
    if (err == 0) {
        if (!SafeFileNames(FCurrentSet)) {
            BackToIdle();
            return false;
        }
        FSetFolder = SetFolder(base, GetS57ChartSetCountryCode(FCurrentSet), GetS57ChartSetRegion(FCurrentSet),
                               GetS57ChartSetWater(FCurrentSet));
        FStagingFolder = base + QLatin1String(StagingFolder) + FSetFolder.mid(base.size());
        DeleteTree(FStagingFolder);
        DirCreateA(FSetFolder, err);
        if (err == 0) DirCreateA(FStagingFolder, err);
    }
    if (err == 0) return true;
    FStagingFolder.clear();
    Fail(LanguageText(TextFolderError) + QStringLiteral("\r\n\r\n") + ErrorToStrA(err));
    return false;
}

void TFormS57DownloadManager::DownloadNextFile() {
    for (; FFileNumber < FCurrentSet->GetFileCount(); ++FFileNumber) {
        IS57ChartFile *file = FCurrentSet->GetFile(FFileNumber);
        const QString local = FSetFolder + GetS57ChartFileName(file);
        if (IsCurrent(local, file->GetSize(), file->GetDate())) continue;
        FState = 3;
        FReceived = 0;
        ShowHeader(false);
        UpdateButtons();
        int32_t err = 0;
        // The answer comes as IENCStepDone also when the start fails.
        DownloadS57ChartSetFile(FClient, FCurrentSet, FFileNumber, FStagingFolder, err);
        return;
    }
    CompleteSet();
}

void TFormS57DownloadManager::FileArrived() {
    if (FCancelRequested) {
        FCancelRequested = false;
        DeleteTree(FStagingFolder);
        FStagingFolder.clear();
        if (FCloseAfterCancel) {
            CloseDialog();
            return;
        }
        BackToIdle();
        return;
    }
    const int32_t result = FClient->GetLastResult();
    if (result != 0) {
        Fail(LanguageText(TextDownloadError) + QStringLiteral("\r\n\r\n") + ErrorToStrA(result));
        return;
    }
    ++FFileNumber;
    DownloadNextFile();
}

void TFormS57DownloadManager::CompleteSet() {
    // The arrived files replace the installed ones one rename each.
    for (const QString &rel : FilesBelow(FStagingFolder, true)) {
        const QString target = FSetFolder + rel;
        QDir().mkpath(QFileInfo(target).absolutePath());
        std::error_code ec;
        std::filesystem::rename(QFile::encodeName(FStagingFolder + rel).toStdString(),
                                QFile::encodeName(target).toStdString(), ec);
        if (ec) {
            Fail(LanguageText(TextDownloadError) + QStringLiteral("\r\n\r\n") + ErrorToStrA(KvErr::WriteFailed));
            return;
        }
    }
    DeleteTree(FStagingFolder);
    FStagingFolder.clear();
    for (const QString &rel : FilesBelow(FSetFolder, true)) {
        int32_t err = 0;
        if (!S57ChartSetHasFile(FCurrentSet, rel, err)) QFile::remove(FSetFolder + rel);
    }
    QSaveFile identity(FSetFolder + QLatin1String(IdentityFile));
    if (identity.open(QIODevice::WriteOnly)) {
        identity.write(QJsonDocument(QJsonObject{{QStringLiteral("country"), GetS57ChartSetCountryCode(FCurrentSet)},
                                                 {QStringLiteral("region"), GetS57ChartSetRegion(FCurrentSet)},
                                                 {QStringLiteral("water"), GetS57ChartSetWater(FCurrentSet)}})
                           .toJson());
        identity.commit();
    }
    TS57ChartFolder *entry = nullptr;
    for (TS57ChartFolder &f : FFolders)
        if (f.IsIENCSet && SameIdentity(f, FCurrentSet)) entry = &f;
    if (!entry)
        for (TS57ChartFolder &f : FFolders)
            if (!entry && !f.IsIENCSet && SameFolder(Text(f.Folder), FSetFolder)) entry = &f;
    if (!entry) {
        FFolders.push_back({});
        entry = &FFolders.back();
    }
    entry->Folder = FSetFolder.toStdU16String();
    entry->WithSubfolders = true;
    entry->IsIENCSet = true;
    entry->CountryCode = GetS57ChartSetCountryCode(FCurrentSet).toStdU16String();
    entry->Region = GetS57ChartSetRegion(FCurrentSet).toStdU16String();
    entry->Water = GetS57ChartSetWater(FCurrentSet).toStdU16String();
    FCurrentSet->SetState(S57ChartSetState::Installed);

    if (FSetNumber + 1 >= FSelection->GetCount()) {
        DownloadCommonFile();
        return;
    }
    FCurrentSet = FSelection->GetItem(++FSetNumber);
    StartSelection();
}

void TFormS57DownloadManager::DownloadCommonFile() {
    QString relName;
    int32_t unixTime = 0;
    int64_t size = 0;
    if (!GetS57CommonFileInfo(FClient, relName, unixTime, size) || !SafeName(relName)) {
        Finish();
        return;
    }
    const QString local = BaseFolder() + relName;
    QDir().mkpath(QFileInfo(local).absolutePath());
    if (IsCurrent(local, size, unixTime)) {
        Finish();
        return;
    }
    FState = 4;
    ShowHeader(false);
    int32_t err = 0;
    DownloadS57CommonFile(FClient, QFileInfo(local).absolutePath() + u'/', err);
}

void TFormS57DownloadManager::Finish() {
    if (FUpdateMode) {
        FState = 0;
        DropCountriesOutside();
        if (!FSilent) MsgBox(LanguageText(TextUpdated), mtInformation, MsgButtons({mbOK}));
        CloseDialog();
        return;
    }
    BackToIdle();
}

void TFormS57DownloadManager::DropCountriesOutside() {
    for (auto it = FFolders.begin(); it != FFolders.end();) {
        int number = 0;
        const QString code = Text(it->CountryCode);
        if (it->IsIENCSet && CountryCodeToIndex(code, number) && !InArea(code)) {
            if (FDeleteFolders) DeleteTree(Text(it->Folder));
            it = FFolders.erase(it);
        } else {
            ++it;
        }
    }
}

void TFormS57DownloadManager::RemoveChartSet(IS57ChartSet *set) {
    for (auto it = FFolders.begin(); it != FFolders.end(); ++it) {
        if (!it->IsIENCSet || !SameIdentity(*it, set)) continue;
        DeleteTree(Text(it->Folder));
        FFolders.erase(it);
        set->SetState(S57ChartSetState::NotInstalled);
        return;
    }
}

void TFormS57DownloadManager::Fail(const QString &message) {
    // What had arrived of the set goes; the installed set stays as it was.
    DeleteTree(FStagingFolder);
    FStagingFolder.clear();
    FCancelRequested = false;
    MsgBox(message, mtError, MsgButtons({mbOK}));
    if (FCloseAfterCancel || FUpdateMode) {
        CloseDialog();
        return;
    }
    BackToIdle();
}

void TFormS57DownloadManager::BackToIdle() {
    FState = 0;
    FCurrentSet = nullptr;
    ButtonDownload->setText(LanguageText(TextDownload));
    CheckInstalledSets();
    BuildTree();
    UpdateButtons();
    RefreshBackground();
}
