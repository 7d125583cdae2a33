// The Inland ENC download client (IS57ChartCheck). Answers: NavNotify::IENCStepDone.
#include "kernel/KvInternal.h"
#include "online/WebServicesClient.h"

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

class TS57ChartCheck final : public IS57ChartCheck {
public:
    TS57ChartCheck(INavMessageDispatcher *disp, const QString &text, int32_t version)
        : FClient(disp, static_cast<IS57ChartCheck *>(this), NavNotify::IENCStepDone),
          FText(text), FVersion(version) {}

    IS57ChartSet *FindChartSet(const TStrWRec &, const TStrWRec &, const TStrWRec &) override {
        // No list or chart set was received.
        return nullptr;
    }

    bool GetCommonFileInfo(IStrW *relName, int32_t &unixTime, int64_t &size) override {
        SetStrW(relName, QString());
        unixTime = 0;
        size = 0;
        return false;
    }

    void DownloadChartSetFile(IS57ChartSet *set, int32_t fileIndex, const TStrWRec &folder,
                              int32_t &err) override {
        IS57ChartFile *file =
            set && fileIndex >= 0 && fileIndex < set->GetFileCount() ? set->GetFile(fileIndex)
                                                                      : nullptr;
        if (!file || ToQString(folder).isEmpty()) {
            FClient.Refuse(KvErr::InvalidArgument, err);
            return;
        }
        TWebRequest request = Request(QStringLiteral("download"));
        AddIdentity(request, QString(), ToQString(*set->GetCountryCode()),
                    ToQString(*set->GetRegion()), ToQString(*set->GetWater()));
        const QString name = ToQString(*file->GetFileName());
        request.Fields.append({QStringLiteral("file"), name});
        request.TargetFile = ToQString(folder) + name;
        FClient.Run(request, err);
    }

    void RequestChartSet(const TStrWRec &cc, const TStrWRec &region, const TStrWRec &water,
                         int32_t &err) override {
        if (ToQString(cc).isEmpty()) {
            FClient.Refuse(KvErr::InvalidArgument, err);
            return;
        }
        TWebRequest request = Request(QStringLiteral("chartset"));
        AddIdentity(request, QString(), ToQString(cc), ToQString(region), ToQString(water));
        FClient.Run(request, err);
    }

    void DownloadCommonFile(const TStrWRec &folder, int32_t &err) override {
        if (ToQString(folder).isEmpty()) {
            FClient.Refuse(KvErr::InvalidArgument, err);
            return;
        }
        // The common file's name comes with the chart-set list; none was received.
        TWebRequest request = Request(QStringLiteral("commonfile"));
        request.TargetFile = ToQString(folder);
        FClient.Run(request, err);
    }

    void RequestChartSetList(int32_t &err) override {
        FClient.Run(Request(QStringLiteral("list")), err);
    }

    int32_t GetChartSetCount() override { return 0; }
    IS57ChartSet *GetChartSet(int32_t) override { return nullptr; }
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
        FClient.Run(request, err);
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

    TWebClient FClient;
    QString FText;
    int32_t FVersion;
    TS57ChartSetList FSelection;
};

}  // namespace

}  // namespace kv

IS57ChartCheck *S57ChartCheckCreate(INavMessageDispatcher *disp, const TStrWRec &text,
                                    int32_t packedVersion) {
    return new kv::TS57ChartCheck(disp, kv::ToQString(text), packedVersion);
}
