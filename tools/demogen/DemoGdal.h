// GDAL set-up shared by the demo writers.
#pragma once

#include <cpl_error.h>
#include <gdal.h>

#include <mutex>

namespace demo {

inline void EnsureGdal() {
    static std::once_flag once;
    std::call_once(once, [] { GDALAllRegister(); });
}

// GDAL prints warnings to stderr by default (e.g. about the ".kvwwn" extension); the
// writers report failures themselves, from CPLGetLastErrorMsg.
class TQuietGdal {
public:
    TQuietGdal() { CPLPushErrorHandler(CPLQuietErrorHandler); CPLErrorReset(); }
    ~TQuietGdal() { CPLPopErrorHandler(); }
    TQuietGdal(const TQuietGdal &) = delete;
    TQuietGdal &operator=(const TQuietGdal &) = delete;
};

}  // namespace demo
