// The object-update manager without a reachable update service: it keeps what the program
// hands it (chart and waypoint managers, online service, notification centre, folders,
// switches) so that the objects stay attached the way the program expects, and its tick
// does nothing because there is nothing to fetch. No notice, report or chart update is ever
// pending.
#include "kernel/KvInternal.h"

#include "KvLibNav6/KvErrorCodes.h"
#include "KvLibNav6/KvObjectUpdate.h"

#include <map>

namespace {

class TNavObjectUpdateManager final : public INavObjectUpdateManager {
public:
    TNavObjectUpdateManager(DatabaseUpdatedProc dbUpdated, void *data, UpdateEventProc event,
                            void *data2)
        : FDatabaseUpdated(dbUpdated), FDatabaseData(data), FEvent(event), FEventData(data2) {}

    // Offline: nothing is due, so nothing is fetched, reported or changed.
    void Tick(const TLoopRecord &) override {}
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
    void SetChartUpdates(bool on) override { FChartUpdates = on; }
    void SetUpdateKind34(int32_t value) override { FValues[34] = value; }
    void SetUpdateKind35(int32_t value) override { FValues[35] = value; }
    void SetLayerValue36(int32_t value) override { FValues[36] = value; }
    void SetUpdateKind37(int32_t value) override { FValues[37] = value; }
    void SetFolder(int32_t kind, const TStrWRec &folder) override {
        FFolders[kind] = kv::ToQString(folder);
    }
    int32_t GetUpdateCount() override { return 0; }
    void GetUpdate(int32_t, IMRCChartSetRecord *&rec, int32_t &kind, int32_t &fileIndex) override {
        rec = nullptr;
        kind = 0;
        fileIndex = -1;
    }
    void StartAutoUpdate() override {}
    // Object data comes only from the update service, which this build does not reach.
    void LoadObjectData(const TStrWRec &, int32_t &err) override { err = KvErr::NotImplemented; }
    IFTMNotice *FindNotice(int32_t) override { return nullptr; }
    int32_t GetNoticeCount() override { return 0; }
    IFTMNotice *GetNotice(int32_t) override { return nullptr; }
    int32_t GetWaterReportCount() override { return 0; }
    IWaterReport *GetWaterReport(int32_t) override { return nullptr; }
    int32_t GetWeatherStationCount() override { return 0; }
    IWeatherStation *GetWeatherStation(int32_t) override { return nullptr; }

private:
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
    bool FChartUpdates = true;
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
