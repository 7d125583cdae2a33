#include "base/kvlib/KvProgInfo.h"

#include "base/kvlib/KvStrings.h"

#include <KvLibNav6/KvLib.h>

QString ProgInfoGetProgDir() {
    return StrWToWide(GetProgInfo()->GetProgDir());
}

TGUID ProgInfoGetProductGUID() {
    return *GetProgInfo()->GetProductGUID();
}

QString ProgInfoGetTitle() {
    return StrWToWide(GetProgInfo()->GetTitle());
}

int32_t ProgInfoGetVersion() {
    return *GetProgInfo()->GetVersion();
}
