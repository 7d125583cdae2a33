// Notices to skippers, water reports and weather stations of the object-update service, in
// a versioned JSON document of our own, read from a local file or fetched over the web
// transport. Every call happens on the GUI thread.
//
// The document: {"format": "marivo-objects", "version": 1, "notices": […],
// "waterReports": […], "weatherStations": […]}; dates are ISO 8601 UTC texts (absent or
// null = none), times of day "hh:mm", positions degrees. A service answer is the same
// document with the transport's "result" beside it. A newer version, another format, a
// damaged or cut-off document is refused as a whole: the data held stays as it was.
#pragma once

#include "KvLibNav6/KvObjectUpdate.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace kv {

inline constexpr int ObjectDataVersion = 1;

// One complete set of object data; its objects live as long as the set.
struct TObjectDataSet {
    std::vector<std::unique_ptr<IFTMNotice>> Notices;
    std::vector<std::unique_ptr<IWaterReport>> WaterReports;
    std::vector<std::unique_ptr<IWeatherStation>> WeatherStations;
};

// The whole document read into out; false with a reason in error, out then unusable.
bool ParseObjectData(const QByteArray &document, TObjectDataSet &out, QString &error);

// The object data a manager holds, and where it comes from.
class TObjectDataStore {
public:
    // Called after new data replaced the old (ObjectUpdateEvent::ObjectsChanged).
    std::function<void()> OnChanged;

    // err: KvErr::NotFound (no such file), KvErr::BadFormat (refused), else Ok.
    void LoadFile(const QString &file, int32_t &err);
    // Asks the object-update service through the current web transport. Without an answer
    // (offline, unreachable) or with a refused one the data stays as it is. One request at a
    // time; a second call while one runs does nothing.
    void Fetch();
    bool Fetching() const { return *FFetching; }

    IFTMNotice *FindNotice(int32_t number) const;
    int32_t NoticeCount() const { return int32_t(FData.Notices.size()); }
    IFTMNotice *Notice(int32_t i) const;
    int32_t WaterReportCount() const { return int32_t(FData.WaterReports.size()); }
    IWaterReport *WaterReport(int32_t i) const;
    int32_t WeatherStationCount() const { return int32_t(FData.WeatherStations.size()); }
    IWeatherStation *WeatherStation(int32_t i) const;

    ~TObjectDataStore();

private:
    bool Accept(const QByteArray &document, const QString &source);

    TObjectDataSet FData;
    // Shared with a running request, which must find it harmless when the store is gone.
    std::shared_ptr<bool> FFetching = std::make_shared<bool>(false);
    std::shared_ptr<TObjectDataStore *> FSelf = std::make_shared<TObjectDataStore *>(this);
};

}  // namespace kv
