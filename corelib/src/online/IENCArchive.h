// The archive of one Inland ENC chart set as the national download sites publish it: a zip
// holding the set's files under their relative names. The archive is checked whole before
// any of its members is written, so that a damaged or hostile archive installs nothing.
#pragma once

#include "kernel/TestApi.h"

#include <QString>
#include <cstdint>
#include <vector>

namespace kv {

// A file the chart-set list names: relative name ("/" separators) and size in bytes.
struct TIENCListedFile {
    QString Name;
    int64_t Size = 0;
};

// A relative name that stays inside its folder: not empty, not absolute, no drive letter,
// no "\\", no "." or ".." component, no empty component.
KVLIB_TEST_API bool IsSafeIENCName(const QString &name);

// Checks the archive at zipPath against the list: its size equals announcedSize (-1: not
// checked), every member is a plain file (directories are passed over) with a safe name
// that the list holds once, with the listed size and a matching CRC, and every listed file
// is there. KvErr::Ok, or KvErr::BadFormat with problem saying what is wrong.
KVLIB_TEST_API int32_t CheckIENCArchive(const QString &zipPath, int64_t announcedSize,
                                        const std::vector<TIENCListedFile> &listed,
                                        QString &problem);

// Writes the member name (checked before by CheckIENCArchive) to target, at most size bytes;
// target appears complete or not at all. unixTime (>= 0) becomes its modification time, so
// that a later list tells whether the service has a newer file.
KVLIB_TEST_API int32_t ExtractIENCMember(const QString &zipPath, const QString &name,
                                         int64_t size, const QString &target,
                                         int64_t unixTime = -1);

}  // namespace kv
