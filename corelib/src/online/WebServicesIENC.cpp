// The Inland ENC download client (IS57ChartCheck). Answers: NavNotify::IENCStepDone.
//
// A chart set comes from the service as one zip archive. The first file asked of a set
// fetches its archive (progress: NavNotify::DownloadProgress with the client in P1) into
// the client's own temporary folder and checks it whole (IENCArchive.h); every file of the
// set is then written from that archive, so one run fetches each archive once. An archive
// that fails the check writes nothing and is fetched again on the next attempt.
#include "kernel/KvInternal.h"
#include "online/IENCArchive.h"
#include "online/IENCChartSets.h"
#include "online/WebServicesClient.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QTemporaryDir>

#include <map>
#include <memory>
#include <vector>

namespace kv {

namespace {

class TS57ChartSetList final : public IS57ChartSetList {
public:
    void Add(IS57ChartSet *set) override {
        if (set) FSets.push_back(set);
    }
    void Clear() override { FSets.clear(); }
    int32_t GetCount() override { return int32_t(FSets.size()); }
    IS57ChartSet *GetItem(int32_t index) override {
        return index >= 0 && index < GetCount() ? FSets[size_t(index)] : nullptr;
    }

private:
    std::vector<IS57ChartSet *> FSets;  // not owned
};

void AddIdentity(TWebRequest &request, const QString &suffix, const QString &countryCode,
                 const QString &region, const QString &water) {
    request.Fields.append({QStringLiteral("country") + suffix, countryCode});
    request.Fields.append({QStringLiteral("region") + suffix, region});
    request.Fields.append({QStringLiteral("water") + suffix, water});
}

QJsonObject AnswerObject(const TWebAnswer &answer) {
    return QJsonDocument::fromJson(answer.Body).object();
}

QString WithSeparator(QString folder) {
    if (!folder.isEmpty() && !folder.endsWith(u'/')) folder += u'/';
    return folder;
}

// A set's archive once it has arrived and passed the check.
struct TFetchedArchive {
    QString Path;
    QString Version;  // TS57ChartSet::Version when it was fetched
};

class TS57ChartCheck final : public IS57ChartCheck {
public:
    TS57ChartCheck(INavMessageDispatcher *disp, const QString &text, int32_t version)
        : FClient(disp, static_cast<IS57ChartCheck *>(this), NavNotify::IENCStepDone),
          FText(text), FVersion(version) {}

    IS57ChartSet *FindChartSet(const TStrWRec &cc, const TStrWRec &region,
                               const TStrWRec &water) override {
        return FStore.Find(ToQString(cc), ToQString(region), ToQString(water));
    }

    bool GetCommonFileInfo(IStrW *relName, int32_t &unixTime, int64_t &size) override {
        SetStrW(relName, FStore.CommonName());
        unixTime = FStore.CommonDate();
        size = FStore.CommonSize();
        return FStore.HasCommon();
    }

    void DownloadChartSetFile(IS57ChartSet *set, int32_t fileIndex, const TStrWRec &folder,
                              int32_t &err) override;

    void RequestChartSet(const TStrWRec &cc, const TStrWRec &region, const TStrWRec &water,
                         int32_t &err) override {
        if (ToQString(cc).isEmpty()) {
            FClient.Refuse(KvErr::InvalidArgument, err);
            return;
        }
        TWebRequest request = Request(QStringLiteral("chartset"));
        AddIdentity(request, QString(), ToQString(cc), ToQString(region), ToQString(water));
        RunSets(request, err);
    }

    void DownloadCommonFile(const TStrWRec &folder, int32_t &err) override;

    void RequestChartSetList(int32_t &err) override {
        FClient.Run(Request(QStringLiteral("list")), err, [this](const TWebAnswer &answer) {
            return FStore.ReadList(AnswerObject(answer)) ? answer.Result : KvErr::NetworkAnswer;
        });
    }

    int32_t GetChartSetCount() override { return FStore.Count(); }
    IS57ChartSet *GetChartSet(int32_t index) override { return FStore.At(index); }
    IS57ChartSetList *GetSelectionList() override { return &FSelection; }

    void RequestChartSets(IS57ChartSetList *sets, int32_t &err) override {
        const int32_t count = sets ? sets->GetCount() : 0;
        if (count == 0) {
            FClient.Refuse(KvErr::InvalidArgument, err);
            return;
        }
        TWebRequest request = Request(QStringLiteral("chartsets"));
        for (int32_t i = 0; i < count; ++i) {
            IS57ChartSet *set = sets->GetItem(i);
            if (!set) continue;
            AddIdentity(request, QString::number(i), ToQString(*set->GetCountryCode()),
                        ToQString(*set->GetRegion()), ToQString(*set->GetWater()));
        }
        RunSets(request, err);
    }

    int32_t GetLastResult() override { return FClient.LastResult(); }

private:
    TWebRequest Request(const QString &operation) const {
        TWebRequest request;
        request.Service = QStringLiteral("ienc");
        request.Operation = operation;
        request.Fields.append({QStringLiteral("text"), FText});
        request.Fields.append({QStringLiteral("version"), QString::number(FVersion)});
        return request;
    }

    void RunSets(const TWebRequest &request, int32_t &err) {
        FClient.Run(request, err, [this](const TWebAnswer &answer) {
            return FStore.ReadSets(AnswerObject(answer)) ? answer.Result : KvErr::NetworkAnswer;
        });
    }

    // Where the client keeps the archives of this run; empty when no folder can be made.
    QString TempFolder() {
        if (!FTemp) FTemp = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/ienc-XXXXXX"));
        return FTemp->isValid() ? WithSeparator(FTemp->path()) : QString();
    }

    const TFetchedArchive *Fetched(TS57ChartSet *set) const {
        const auto it = FArchives.find(set);
        return it != FArchives.end() && it->second.Version == set->Version() ? &it->second : nullptr;
    }

    // Checks the archive that has just arrived; a refused one is deleted.
    int32_t Accept(TS57ChartSet *set, const QString &path) {
        QString problem;
        const int32_t result = CheckIENCArchive(path, set->ArchiveSize(), set->Listed(), problem);
        if (result != KvErr::Ok) {
            qWarning("Inland ENC archive of %s refused: %s", qPrintable(set->CountryCode()),
                     qPrintable(problem));
            QFile::remove(path);
            FArchives.erase(set);
            return result;
        }
        FArchives[set] = {path, set->Version()};
        return KvErr::Ok;
    }

    TWebClient FClient;
    QString FText;
    int32_t FVersion;
    TS57ChartSetList FSelection;
    TS57ChartSetStore FStore;
    std::unique_ptr<QTemporaryDir> FTemp;
    std::map<TS57ChartSet *, TFetchedArchive> FArchives;
    int FArchiveNumber = 0;
};

void TS57ChartCheck::DownloadChartSetFile(IS57ChartSet *iset, int32_t fileIndex,
                                          const TStrWRec &folderRec, int32_t &err) {
    auto *set = FStore.Owns(iset) ? static_cast<TS57ChartSet *>(iset) : nullptr;
    auto *file = set ? static_cast<TS57ChartFile *>(set->GetFile(fileIndex)) : nullptr;
    const QString folder = WithSeparator(ToQString(folderRec));
    // A name from the service never leads out of the chosen folder.
    if (!file || folder.isEmpty() || !IsSafeIENCName(file->Name())) {
        FClient.Refuse(KvErr::InvalidArgument, err);
        return;
    }
    const QString name = file->Name();
    const int64_t size = file->GetSize();
    const int64_t date = file->GetDate();
    const QString target = folder + name;
    if (const TFetchedArchive *archive = Fetched(set)) {
        FClient.Answer(ExtractIENCMember(archive->Path, name, size, target, date), err);
        return;
    }
    const QString temp = TempFolder();
    if (temp.isEmpty()) {
        FClient.Refuse(KvErr::WriteFailed, err);
        return;
    }
    TWebRequest request = Request(QStringLiteral("archive"));
    AddIdentity(request, QString(), set->CountryCode(), set->Region(), set->Water());
    request.TargetFile = temp + QStringLiteral("set%1.zip").arg(++FArchiveNumber);
    const QString path = request.TargetFile;
    FClient.Run(request, err, [this, set, name, size, target, path, date](const TWebAnswer &answer) {
        if (answer.Result != 0) return answer.Result;
        const int32_t checked = Accept(set, path);
        return checked != KvErr::Ok ? checked : ExtractIENCMember(path, name, size, target, date);
    });
}

void TS57ChartCheck::DownloadCommonFile(const TStrWRec &folderRec, int32_t &err) {
    const QString folder = WithSeparator(ToQString(folderRec));
    const QString name = QFileInfo(FStore.CommonName()).fileName();
    if (folder.isEmpty() || (FStore.HasCommon() && !IsSafeIENCName(FStore.CommonName()))) {
        FClient.Refuse(KvErr::InvalidArgument, err);
        return;
    }
    TWebRequest request = Request(QStringLiteral("commonfile"));
    request.Fields.append({QStringLiteral("file"), FStore.CommonName()});
    if (!FStore.HasCommon()) {
        // The name comes with the answer.
        request.TargetFile = folder;
        FClient.Run(request, err);
        return;
    }
    // The current file is replaced only by a complete new one.
    const QString target = folder + name;
    request.TargetFile = target + QStringLiteral(".part");
    const int64_t size = FStore.CommonSize();
    const int64_t date = FStore.CommonDate();
    FClient.Run(request, err, [target, size, date](const TWebAnswer &answer) {
        const QString part = target + QStringLiteral(".part");
        if (answer.Result != 0 || QFileInfo(part).size() != size) {
            QFile::remove(part);
            return answer.Result != 0 ? answer.Result : KvErr::BadFormat;
        }
        QFile::remove(target);
        if (!QFile::rename(part, target)) return KvErr::WriteFailed;
        QFile file(target);
        if (file.open(QIODevice::ReadWrite))
            file.setFileTime(QDateTime::fromSecsSinceEpoch(date, Qt::UTC), QFileDevice::FileModificationTime);
        return KvErr::Ok;
    });
}

}  // namespace

}  // namespace kv

IS57ChartCheck *S57ChartCheckCreate(INavMessageDispatcher *disp, const TStrWRec &text,
                                    int32_t packedVersion) {
    return new kv::TS57ChartCheck(disp, kv::ToQString(text), packedVersion);
}
