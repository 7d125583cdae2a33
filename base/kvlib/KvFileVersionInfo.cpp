#include "base/kvlib/KvFileVersionInfo.h"

#include "base/kvlib/KvStrings.h"

#include <KvLibNav6/KvLib.h>

void VersionInfoGetProgNameAndVersionA(const QString &fileName, QString &name,
                                       int32_t &packedVersion, int32_t &err) {
    name.clear();
    TStrWOut out;
    VersionInfoGetProgNameAndVersion(StrW(fileName), out.get(), packedVersion, err);
    name = out.Text();
}
