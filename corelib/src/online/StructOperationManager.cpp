// The bridge and lock operation-request manager without the operators' server: it keeps
// the own ship, ship name, water level, network and sign-up settings it is given, and its
// tick sends nothing, so the log and the statistics stay empty. Switching the sign-up on
// is remembered (IsActive) and reported to the change callback like any other change.
#include "kernel/KvInternal.h"

#include "KvLibNav6/KvStructOperation.h"

namespace {

class TNavStructOperationManager final : public INavStructOperationManager {
public:
    // Offline: no request can be sent, whether signed up or not.
    void Tick(const TLoopRecord &, IGeodeticCalibration *) override {}
    void Attach(INavBoat *boat, const TStrWRec &shipName, float waterLevel,
                IWWNetwork *net) override {
        FBoat = boat;
        FShipName = kv::ToQString(shipName);
        FWaterLevel = waterLevel;
        FNetwork = net;
    }
    void SetActive(bool active) override {
        if (active == FActive) return;
        FActive = active;
        if (FCallback) FCallback(FCallbackData);
    }
    void SetShipName(const TStrWRec &name) override { FShipName = kv::ToQString(name); }
    void SetWaterLevel(float metres) override { FWaterLevel = metres; }
    void SetWaterwayNetwork(IWWNetwork *net) override { FNetwork = net; }
    bool IsActive() override { return FActive; }
    void SetPhone(const TStrWRec &phone) override { FPhone = kv::ToQString(phone); }
    void SetMode(int32_t mode) override { FMode = mode; }
    void SetSafetyMargin(float metres) override { FSafetyMargin = metres; }
    void SetCallback(DataProc cb, void *data) override {
        FCallback = cb;
        FCallbackData = data;
    }
    int32_t CountEvents(const TStrWRec &) override { return 0; }
    int32_t GetEventCount() override { return 0; }
    INavStructOperationEvent *GetEvent(int32_t) override { return nullptr; }
    TDateTime GetLastActionTime() override { return 0.0; }
    int32_t GetUniqueShipsThisMonth() override { return 0; }
    int32_t GetUniqueShipsLastMonth() override { return 0; }
    int32_t GetStructStatsCount() override { return 0; }
    void GetStructStats(int32_t, IStrW *identifierOut, int32_t &active, int32_t &passed,
                        int32_t &cancellations, int32_t &updates, int32_t &requests) override {
        kv::SetStrW(identifierOut, QString());
        active = passed = cancellations = updates = requests = 0;
    }
    void GetStructCounts(int32_t &passed, int32_t &participating) override {
        passed = participating = 0;
    }

private:
    INavBoat *FBoat = nullptr;
    IWWNetwork *FNetwork = nullptr;
    QString FShipName, FPhone;
    float FWaterLevel = 0.0f;
    float FSafetyMargin = 0.0f;
    int32_t FMode = 0;
    bool FActive = false;
    DataProc FCallback = nullptr;
    void *FCallbackData = nullptr;
};

}  // namespace

INavStructOperationManager *NavStructOperationManagerCreate() {
    return new TNavStructOperationManager;
}
