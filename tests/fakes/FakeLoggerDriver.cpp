// A stand-in for the data-recorder driver: the six entry points of the real one, serving a
// block the test scripts through FakeLoggerScript, and counting the calls it gets.
#include <KvLibNav6/KvLoggerDriver.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {
std::vector<uint8_t> gData;
int32_t gHeaderSize = 0;
bool gConnected = false, gReadOk = false, gClearOk = false;
int32_t gConnects = 0, gReleases = 0, gClears = 0, gReads = 0;
}  // namespace

extern "C" {

__attribute__((visibility("default"))) void FakeLoggerScript(const uint8_t *data, int32_t size,
                                                             int32_t headerSize, bool connected,
                                                             bool readOk, bool clearOk) {
    gData.assign(data, data + size);
    gHeaderSize = headerSize;
    gConnected = connected;
    gReadOk = readOk;
    gClearOk = clearOk;
    gConnects = gReleases = gClears = gReads = 0;
}

__attribute__((visibility("default"))) void FakeLoggerCalls(int32_t *connects, int32_t *releases,
                                                            int32_t *clears, int32_t *reads) {
    *connects = gConnects;
    *releases = gReleases;
    *clears = gClears;
    *reads = gReads;
}

__attribute__((visibility("default"))) bool ConnectToDevice() {
    ++gConnects;
    return gConnected;
}

__attribute__((visibility("default"))) bool ReleaseDevice() {
    ++gReleases;
    return true;
}

__attribute__((visibility("default"))) int32_t GetDeviceDataSize() {
    return static_cast<int32_t>(gData.size());
}

__attribute__((visibility("default"))) bool GetDeviceData(uint8_t *header, int32_t *headerSize,
                                                          uint8_t *data, int32_t *dataSize) {
    ++gReads;
    if (!header && !data) {
        *headerSize = gHeaderSize;
        *dataSize = static_cast<int32_t>(gData.size());
        return true;
    }
    if (!gReadOk) return false;
    if (header) std::memset(header, 0xAB, std::min(*headerSize, gHeaderSize));
    const int32_t n = std::min(*dataSize, static_cast<int32_t>(gData.size()));
    std::memcpy(data, gData.data(), n);
    *dataSize = n;
    return true;
}

__attribute__((visibility("default"))) int32_t GetLastDeviceError() { return 0; }

__attribute__((visibility("default"))) bool ClearDeviceMemory() {
    ++gClears;
    return gClearOk;
}
}
