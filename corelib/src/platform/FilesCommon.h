// Helpers shared by the library's file, process and shell sources.
#pragma once

#include "KvLibNav6/KvErrorCodes.h"

#include <QString>
#include <system_error>

namespace kv {

// Library error value for a failed system call; 0 stays 0.
int32_t ErrorFromErrno(int errnum);
int32_t ErrorFromCode(const std::error_code &ec);

// A caller's path with "\" accepted as a separator and "." / ".." resolved; empty stays empty.
QString NormalPath(const QString &path);

}  // namespace kv
