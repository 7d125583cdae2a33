// The shared outside test data is found from every checkout, and a test that asks for a
// piece of it that is not there fails instead of skipping.
#include "TestSupport.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QFileInfo>

TEST(SharedTestData, IsFoundAndAMissingPieceFailsTheTest) {
    EXPECT_TRUE(QFileInfo(testsupport::TestDataPath("nmea")).isDir());
    EXPECT_TRUE(QFileInfo(testsupport::TestDataPath("charts/s57")).isDir());
    EXPECT_NONFATAL_FAILURE(testsupport::TestDataPath("nmea/no-such.log"),
                            "shared test data missing");
}
