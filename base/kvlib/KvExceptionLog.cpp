#include "base/kvlib/KvExceptionLog.h"

#include "base/kvlib/KvStrings.h"

#include <KvLibNav6/KvLib.h>

QString GetExceptionLogFile() {
    return StrWToWide(GetExceptionLogFileName());
}

void SetExceptionLogFile(const QString &fileName) {
    SetExceptionLogFileName(StrW(fileName));
}
