// Name and version of a companion program.
#pragma once

#include <QString>
#include <cstdint>

// name is emptied first; err = 0 on success.
void VersionInfoGetProgNameAndVersionA(const QString &fileName, QString &name,
                                       int32_t &packedVersion, int32_t &err);
