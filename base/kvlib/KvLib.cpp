#include "base/kvlib/KvLib.h"

void KvLibStartup() {
    static const TGUID nullGuid;
    static const char16_t name[] = u"KvLibNav6.dll";
    TStrWRec rec;
    rec.Length = int32_t(std::size(name) - 1);
    rec.Text = name;
    KvLibInitialize(&nullGuid, rec);
}

void KvLibShutdown() {
    KvLibFinalize();
}

void ObjectDeleteIfAssigned(NavObject *obj) {
    if (obj) ObjectDelete(obj);
}
