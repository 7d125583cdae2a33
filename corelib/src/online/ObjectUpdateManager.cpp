// The object-update manager: it keeps what the program hands it (chart and waypoint
// managers, online service, notification centre, folders, switches) so that the objects
// stay attached the way the program expects. Notices, water reports and weather stations
// come from the object-update service (asked on the first tick and then every quarter of an
// hour, unless updates are switched off) or from a local file (online/ObjectData.h). Chart
// updates are the newer editions the online service names for the installed sets
// (online/ObjectUpdateCharts.h).
#include "kernel/KvInternal.h"
#include "online/ObjectData.h"
#include "online/ObjectUpdateCharts.h"

#include "KvLibNav6/KvErrorCodes.h"
#include "KvLibNav6/KvObjectUpdate.h"

#include <map>

namespace {

class TNavObjectUpdateManager final : public INavObjectUpdateManager {
public:
    TNavObjectUpdateManager(DatabaseUpdatedProc dbUpdated, void *data, UpdateEventProc event,
                            void *data2)
        : FDatabaseUpdated(dbUpdated), FDatabaseData(data), FEvent(event), FEventData(data2) {
        FObjects.OnChanged = [this] {
            if (FEvent) FEvent(FEventData, ObjectUpdateEvent::ObjectsChanged);
        };
    }

    void Tick(const TLoopRecord &) override { TickObjectData(); }
    void SetCharts(IChartManager *cm, IWptManager *wm, UpdateProgressKindProc progress,
                   void *data) override {
        FCharts = cm;
        FWaypoints = wm;
        FProgress = progress;
        FProgressData = data;
    }
    void SetOnlineService(IMRCChartCheck *service) override { FService = service; }
    void SetFirstRun(bool firstRun) override { FFirstRun = firstRun; }
    void SetNotificationCenter(INavNotificationCenter *centre) override { FCentre = centre; }
    void SetNoUpdates(bool noUpdates) override { FNoUpdates = noUpdates; }
    void SetS57ChartInfoLoader(IS57ChartInfoLoader *loader) override { FInfoLoader = loader; }
    void SetLayerValue28(int32_t value) override { FValues[28] = value; }
    void SetLayerValue29(int32_t value) override { FValues[29] = value; }
    void SetWaterwayNetwork(IWWNetwork *network) override { FNetwork = network; }
    void SetChartUpdates(bool on) override { FChartUpdatesOn = on; }
    void SetUpdateKind34(int32_t value) override { FValues[34] = value; }
    void SetUpdateKind35(int32_t value) override { FValues[35] = value; }
    void SetLayerValue36(int32_t value) override { FValues[36] = value; }
    void SetUpdateKind37(int32_t value) override { FValues[37] = value; }
    void SetFolder(int32_t kind, const TStrWRec &folder) override {
        FFolders[kind] = kv::ToQString(folder);
    }
    int32_t GetUpdateCount() override {
        FChartUpdates.Refresh(FChartUpdatesOn ? FCharts : nullptr, FService);
        return FChartUpdates.Count();
    }
    void GetUpdate(int32_t i, IMRCChartSetRecord *&rec, int32_t &kind, int32_t &fileIndex) override {
        const kv::TPendingChartUpdate *u = FChartUpdates.At(i);
        rec = u ? u->Record : nullptr;
        kind = u ? u->Kind : 0;
        fileIndex = u ? u->FileIndex : -1;
    }
    void StartAutoUpdate() override {
        if (FChartUpdates.Fetching()) return;
        FChartUpdates.Refresh(FChartUpdatesOn ? FCharts : nullptr, FService);
        FChartUpdates.Fetch(FService, FFolders[ObjectUpdateFolder::ChartUpdates], [this](int placed) {
            if (placed > 0 && FEvent) FEvent(FEventData, ObjectUpdateEvent::ChartUpdatesReady);
        });
    }
    void LoadObjectData(const TStrWRec &file, int32_t &err) override {
        FObjects.LoadFile(kv::ToQString(file), err);
    }
    IFTMNotice *FindNotice(int32_t number) override { return FObjects.FindNotice(number); }
    int32_t GetNoticeCount() override { return FObjects.NoticeCount(); }
    IFTMNotice *GetNotice(int32_t i) override { return FObjects.Notice(i); }
    int32_t GetWaterReportCount() override { return FObjects.WaterReportCount(); }
    IWaterReport *GetWaterReport(int32_t i) override { return FObjects.WaterReport(i); }
    int32_t GetWeatherStationCount() override { return FObjects.WeatherStationCount(); }
    IWeatherStation *GetWeatherStation(int32_t i) override { return FObjects.WeatherStation(i); }

private:
    // Object data is asked for on the first tick and then every quarter of an hour.
    static constexpr int ObjectDataIntervalTicks = 15 * 60;
    void TickObjectData() {
        if (FNoUpdates || FObjectDataTicks-- > 0) return;
        FObjectDataTicks = ObjectDataIntervalTicks;
        FObjects.Fetch();
    }
    kv::TObjectDataStore FObjects;
    int FObjectDataTicks = 0;

    DatabaseUpdatedProc FDatabaseUpdated;
    void *FDatabaseData;
    UpdateEventProc FEvent;
    void *FEventData;
    IChartManager *FCharts = nullptr;
    IWptManager *FWaypoints = nullptr;
    UpdateProgressKindProc FProgress = nullptr;
    void *FProgressData = nullptr;
    IMRCChartCheck *FService = nullptr;
    INavNotificationCenter *FCentre = nullptr;
    IS57ChartInfoLoader *FInfoLoader = nullptr;
    IWWNetwork *FNetwork = nullptr;
    bool FFirstRun = false;
    bool FNoUpdates = false;
    bool FChartUpdatesOn = true;
    kv::TChartUpdates FChartUpdates;
    std::map<int32_t, int32_t> FValues;
    std::map<int32_t, QString> FFolders;
};

}  // namespace

INavObjectUpdateManager *NavObjectUpdateManagerCreate(int32_t, int32_t, int32_t, int32_t,
                                                      int32_t, DatabaseUpdatedProc dbUpdated,
                                                      void *data, UpdateEventProc event,
                                                      void *data2) {
    return new TNavObjectUpdateManager(dbUpdated, data, event, data2);
}
