// Object data from the maker's update service (berths, bridges, locks, notices to skippers,
// water reports, weather stations, current data, chart updates) and the plain data objects
// it delivers.
//
// Without a reachable service the manager answers offline; the same data can be loaded
// from local files (demo data, test fixtures). Every call happens on the GUI thread.
#pragma once

#include "KvTypes.h"
#include "KvStrW.h"
#include "KvCallbacks.h"

struct TLoopRecord;
class IChartManager;
class IWptManager;
class IMRCChartCheck;
class IMRCChartSetRecord;
class INavNotificationCenter;
class IS57ChartInfoLoader;
class IWWNetwork;

// Dates of notices and reports are UTC; this value marks "none" (also for times of day).
inline constexpr TDateTime FTMNoDate = -1.0;
// IFTMLimitation::GetValue at or above this means the limitation has no value.
inline constexpr float FTMNoValue = 3.4e38f;
// A weather-station value that was not measured.
inline constexpr double WeatherValueMissing = -9999.0;

// Numbers given to the event callback of NavObjectUpdateManagerCreate.
namespace ObjectUpdateEvent {
inline constexpr int32_t RefreshRoutes = 4;
inline constexpr int32_t ObjectsChanged = 13;
inline constexpr int32_t NetworkDownloaded = 19;
// StartAutoUpdate placed newer editions in the chart-update folder: the chart-manager
// program's "-update" run installs them.
inline constexpr int32_t ChartUpdatesReady = 20;
}  // namespace ObjectUpdateEvent

// Kinds of INavObjectUpdateManager::SetFolder.
namespace ObjectUpdateFolder {
inline constexpr int32_t Network = 1;
// The chart-manager program's update folder, where StartAutoUpdate places newer editions.
inline constexpr int32_t ChartUpdates = 2;
}  // namespace ObjectUpdateFolder

// The object a notice location or a water report refers to (a lock, a bridge, a stretch of
// fairway, a gauge …). Owned by its location or report.
class KVLIB_API IFTMObject : public NavObject {
public:
    virtual const TStrWRec *GetName() = 0;                                          // slot —
    // Object type code 1..42 (river, canal, lake, fairway, lock, bridge …).
    virtual int32_t GetType() = 0;                                                  // slot —
};

// One limitation a notice imposes at a location. Owned by its location.
class KVLIB_API IFTMLimitation : public NavObject {
public:
    // Limitation code 1..29 (blockage, delay, vessel length, clearance height …).
    virtual int32_t GetCode() = 0;                                                  // slot —
    // 0 none, 1 maximum, 2 minimum, 3 reduced by.
    virtual int32_t GetIndication() = 0;                                            // slot —
    // FTMNoValue or more = none. Centimetres for codes 4..11, hours for 3 (delay), km/h
    // for 15 (speed limit).
    virtual float GetValue() = 0;                                                   // slot —
    // Reference level code 0..20 (0 none).
    virtual int32_t GetReference() = 0;                                             // slot —
    // Position code 0..23 (0 none): left, right bank, green buoy …
    virtual int32_t GetPosition() = 0;                                              // slot —
    // The limitation's own target groups; none means the notice's groups apply.
    virtual int32_t GetTargetGroupCount() = 0;                                      // slot —
    // Target group code 1..14.
    virtual int32_t GetTargetGroup(int32_t i) = 0;                                  // slot —
    // 1 all directions, 2 upstream, 3 downstream.
    virtual int32_t GetTargetDirection(int32_t i) = 0;                              // slot —
    virtual int32_t GetPeriodCount() = 0;                                           // slot —
    // Interval code 0..16 (0 and 1: one continuous span; others repeat within the dates).
    virtual int32_t GetPeriodInterval(int32_t k) = 0;                               // slot —
    // Dates as TDateTime; times as a fraction of a day. FTMNoDate = none.
    virtual TDateTime GetPeriodStartDate(int32_t k) = 0;                            // slot —
    virtual TDateTime GetPeriodStartTime(int32_t k) = 0;                            // slot —
    virtual TDateTime GetPeriodEndDate(int32_t k) = 0;                              // slot —
    virtual TDateTime GetPeriodEndTime(int32_t k) = 0;                              // slot —
};

// A place a notice applies to, with its limitations. Owned by its notice.
class KVLIB_API IFTMLocation : public NavObject {
public:
    virtual IFTMObject *GetObject() = 0;                                            // slot —
    virtual int32_t GetLimitationCount() = 0;                                       // slot —
    virtual IFTMLimitation *GetLimitation(int32_t j) = 0;                           // slot —
};

// A notice to skippers (fairway and traffic notice). Owned by the object-update manager
// (or the waterway network it came with); valid until the manager's data is replaced.
class KVLIB_API IFTMNotice : public NavObject {
public:
    virtual const TStrWRec *GetTitle() = 0;                                         // slot —
    // Publisher.
    virtual const TStrWRec *GetOriginator() = 0;                                    // slot —
    // Subject code 1..49.
    virtual int32_t GetSubject() = 0;                                               // slot —
    // Reason code 1..47.
    virtual int32_t GetReason() = 0;                                                // slot —
    virtual void GetFairwayName(IStrW *out) = 0;                                    // slot —
    // UTC; FTMNoDate = none.
    virtual TDateTime GetPublicationDate() = 0;                                     // slot —
    virtual TDateTime GetValidFrom() = 0;                                           // slot —
    virtual TDateTime GetValidUntil() = 0;                                          // slot —
    // Target groups that apply to the whole notice.
    virtual int32_t GetTargetGroupCount() = 0;                                      // slot —
    // Target group code 1..14.
    virtual int32_t GetTargetGroup(int32_t i) = 0;                                  // slot —
    // 1 all directions, 2 upstream, 3 downstream.
    virtual int32_t GetTargetDirection(int32_t i) = 0;                              // slot —
    virtual int32_t GetLocationCount() = 0;                                         // slot —
    virtual IFTMLocation *GetLocation(int32_t i) = 0;                               // slot —
    virtual int32_t GetSecondLocationCount() = 0;                                   // slot —
    virtual IFTMLocation *GetSecondLocation(int32_t i) = 0;                         // slot —
    // Free text; may contain web addresses.
    virtual const TStrWRec *GetContents() = 0;                                      // slot —
    virtual int32_t GetCommCount() = 0;                                             // slot —
    // Means of communication 1..10 (telephone, VHF, e-mail …).
    virtual int32_t GetCommMeans(int32_t i) = 0;                                    // slot —
    // Reporting regime 1..3.
    virtual int32_t GetCommReporting(int32_t i) = 0;                                // slot —
    // Telephone number, channel or address.
    virtual const TStrWRec *GetCommNumber(int32_t i) = 0;                           // slot —
    // Navigate-to target in radians; false when the notice has no position.
    virtual bool GetPosition(TGeoPoint &position) = 0;                              // slot —
    // The number route objects of kind "notice interval" carry.
    virtual int32_t GetNumber() = 0;                                                // slot —
};

// One value of a water report. Owned by its report.
class KVLIB_API IWaterMeasurement : public NavObject {
public:
    // 1 discharge, 2 regime, 3 barrage status, 4 vertical clearance, 5 least sounded
    // depth, 6 water level, 7 no measurement.
    virtual int32_t GetMeasureCode() = 0;                                           // slot —
    virtual bool IsPrediction() = 0;                                                // slot —
    // UTC.
    virtual TDateTime GetTime() = 0;                                                // slot —
    // In GetUnit (m³/s for discharges).
    virtual double GetValue() = 0;                                                  // slot —
    virtual const TStrWRec *GetUnit() = 0;                                          // slot —
    // Empty when there is no earlier value to compare with.
    virtual const TStrWRec *GetDifferenceText() = 0;                                // slot —
    virtual double GetDifference() = 0;                                             // slot —
    // 0 none, 1..5.
    virtual int32_t GetBarrageStatus() = 0;                                         // slot —
    // 0 none, 1..6.
    virtual int32_t GetRegime() = 0;                                                // slot —
};

// A water report (levels, discharges, barrage states) for one object. Owned like a notice.
class KVLIB_API IWaterReport : public NavObject {
public:
    virtual const TStrWRec *GetTitle() = 0;                                         // slot —
    // UTC; FTMNoDate = none.
    virtual TDateTime GetValidFrom() = 0;                                           // slot —
    virtual TDateTime GetValidUntil() = 0;                                          // slot —
    // Reference level code 0..20 (0 none) of every value.
    virtual int32_t GetReference() = 0;                                             // slot —
    virtual IFTMObject *GetObject() = 0;                                            // slot —
    virtual int32_t GetMeasurementCount() = 0;                                      // slot —
    virtual IWaterMeasurement *GetMeasurement(int32_t i) = 0;                       // slot —
};

// A weather measurement station with its latest values. Owned by the object-update manager.
// The value getters take a measurement index (0 = latest) and return WeatherValueMissing for
// a value that was not measured.
class KVLIB_API IWeatherStation : public NavObject {
public:
    virtual const TStrWRec *GetName() = 0;                                          // slot — ≡ WeatherStationGetName
    // Radians; owned by the station.
    virtual const TGeoPoint *GetPosition() = 0;                                     // slot —
    // UTC.
    virtual TDateTime GetMeasurementTime() = 0;                                     // slot —
    // Metres.
    virtual double GetHeight(int32_t index) = 0;                                    // slot —
    // Percent.
    virtual double GetHumidity(int32_t index) = 0;                                  // slot —
    // Unit code $F800B.
    virtual double GetAirPressure(int32_t index) = 0;                               // slot —
    // Unit code $120000 (degrees Celsius).
    virtual double GetTemperature(int32_t index) = 0;                               // slot —
    // Metres.
    virtual double GetVisibility(int32_t index) = 0;                                // slot —
    // Unit code $3800B.
    virtual double GetWindDirection(int32_t index) = 0;                             // slot —
    // Unit code $7800B (m/s), for the gust too.
    virtual double GetWindSpeed(int32_t index) = 0;                                 // slot —
    virtual double GetWindGust(int32_t index) = 0;                                  // slot —
};

// Fetches object data and chart updates in the background and hands them to the program.
// From NavObjectUpdateManagerCreate; owned by the program's environment. The objects given
// to the setters are kept, not owned: the caller detaches them (nil) before releasing them.
class KVLIB_API INavObjectUpdateManager : public NavObject {
public:
    // Every second from the loop's tick.
    virtual void Tick(const TLoopRecord &rec) = 0;                                  // slot 1
    // progress receives kinds 0..19 while data is fetched (19 = network downloaded).
    // Four nils release the chart objects before the charts are reloaded.
    virtual void SetCharts(IChartManager *cm, IWptManager *wm, UpdateProgressKindProc progress,
                           void *data) = 0;                                         // slot 18
    virtual void SetOnlineService(IMRCChartCheck *service) = 0;                     // slot 20
    // True on the program's first run ("LastVersion" empty).
    virtual void SetFirstRun(bool firstRun) = 0;                                    // slot 21
    virtual void SetNotificationCenter(INavNotificationCenter *centre) = 0;         // slot 24
    // "ObjectUpdateNoUpdates".
    virtual void SetNoUpdates(bool noUpdates) = 0;                                  // slot 25
    virtual void SetS57ChartInfoLoader(IS57ChartInfoLoader *loader) = 0;            // slot 27
    // Data layers: 0 = off, any other value is the library's choice of content.
    virtual void SetLayerValue28(int32_t value) = 0;                                // slot 28 ≡ SetBlueWaveLayer
    virtual void SetLayerValue29(int32_t value) = 0;                                // slot 29 ≡ SetBlueWaveLayer2
    // nil detaches the network; called before the network is replaced.
    virtual void SetWaterwayNetwork(IWWNetwork *network) = 0;                       // slot 30 (assumed)
    // "ObjectUpdateChartUpdates".
    virtual void SetChartUpdates(bool on) = 0;                                      // slot 31
    // Update kinds this program does not use; 0 switches them off.
    virtual void SetUpdateKind34(int32_t value) = 0;                                // slot 34
    virtual void SetUpdateKind35(int32_t value) = 0;                                // slot 35
    virtual void SetLayerValue36(int32_t value) = 0;                                // slot 36 ≡ SetWaterMessagesLayer
    virtual void SetUpdateKind37(int32_t value) = 0;                                // slot 37
    // ObjectUpdateFolder kind.
    virtual void SetFolder(int32_t kind, const TStrWRec &folder) = 0;               // slot 38
    // Pending chart updates: one per file of a newer edition the online service's records
    // name for an installed chart set (read again on every call).
    virtual int32_t GetUpdateCount() = 0;                                           // slot —
    // rec is owned by the online service; kind 1 = chart-set file, 2 = add-on file;
    // fileIndex within rec.
    virtual void GetUpdate(int32_t i, IMRCChartSetRecord *&rec, int32_t &kind,
                           int32_t &fileIndex) = 0;                                 // slot —
    // Applies the pending updates without asking: their files are fetched, checked against
    // the records' sizes, into the ChartUpdates folder (a set appears there only whole), then
    // the event callback gets ObjectUpdateEvent::ChartUpdatesReady.
    virtual void StartAutoUpdate() = 0;                                             // slot —
    // Loads notices, water reports and weather stations from a local data file (demo data
    // and tests) in place of the service's; the event callback then gets
    // ObjectUpdateEvent::ObjectsChanged.
    virtual void LoadObjectData(const TStrWRec &file, int32_t &err) = 0;            // slot —
    // The notice with that number; nullptr when the current data has none.
    virtual IFTMNotice *FindNotice(int32_t number) = 0;                             // slot —
    virtual int32_t GetNoticeCount() = 0;                                           // slot —
    virtual IFTMNotice *GetNotice(int32_t i) = 0;                                   // slot —
    virtual int32_t GetWaterReportCount() = 0;                                      // slot —
    virtual IWaterReport *GetWaterReport(int32_t i) = 0;                            // slot —
    virtual int32_t GetWeatherStationCount() = 0;                                   // slot —
    virtual IWeatherStation *GetWeatherStation(int32_t i) = 0;                      // slot —
};

// The five integers are reserved (the program passes 0). dbUpdated: an add-on database was
// replaced on disk and must be reopened; event: ObjectUpdateEvent numbers.
KVLIB_API INavObjectUpdateManager *NavObjectUpdateManagerCreate(
    int32_t a, int32_t b, int32_t c, int32_t d, int32_t e, DatabaseUpdatedProc dbUpdated,
    void *data, UpdateEventProc event, void *data2);
