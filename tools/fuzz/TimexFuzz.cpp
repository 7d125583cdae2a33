// libFuzzer entry for the data-recorder block parser: the input is the raw block, exactly
// sized on the heap so the address sanitiser sees any read past it.
#include "exchange/Timex.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    auto block = std::make_unique<uint8_t[]>(size);
    if (size) std::memcpy(block.get(), data, size);
    std::vector<TTimexSession> sessions;
    const auto issues = TimexParseSessions(block.get(), int64_t(size), sessions);
    // Every session costs at least its length field and fixed part, so a block cannot hold
    // more sessions than that allows; issues point inside the block.
    if (sessions.size() > size / 33 + 1) __builtin_trap();
    for (const auto &issue : issues)
        if (issue.Offset < 0 || issue.Offset > int64_t(size)) __builtin_trap();
    constexpr double Pi = 3.141592653589793;
    for (const auto &s : sessions)
        for (const auto &r : s.Records)
            if (const auto *fix = std::get_if<TLoggerFixRecord>(&r))
                if (!(std::fabs(fix->Lat) <= Pi && std::fabs(fix->Lon) <= Pi)) __builtin_trap();
    return 0;
}
