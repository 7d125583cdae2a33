// Storage-card receivers mounted as drives. No such receiver's storage layout is known on
// this platform, so the list is always empty and a read reports that it is not available.
#include "KvLibNav6/KvDevices.h"
#include "KvLibNav6/KvErrorCodes.h"

namespace {

class TEmptyMglDeviceList final : public IMglDeviceList {
public:
    int32_t GetCount() override { return 0; }
    void GetDevice(int32_t, TMglDriveRec &, IStrW *, uint32_t &, int32_t &, int32_t &,
                   int64_t &reserved, int64_t &, int64_t &) override {
        reserved = 0;
    }
};

}  // namespace

IMglDeviceList *MglDeviceListCreate() { return new TEmptyMglDeviceList(); }

int32_t MglReadData(const TMglDriveRec &, IWptDatabase *, uint32_t) {
    return KvErr::NotImplemented;
}
