// The process has one GPS clock, and a test that replays a recorded log leaves the receiver's
// old fix time in it. Every test of this program starts with a clock no receiver has fed, so
// that a test's outcome does not hang on which tests ran before it in the same process.
#include "units/UnitsInternal.h"

#include <gtest/gtest.h>

namespace {

class TForgetReceiverTime : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo &) override { kv::GPSClockForgetReceiverTime(); }
};

const bool registered = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new TForgetReceiverTime);
    return true;
}();

}  // namespace
