// Database-entry links of the detail pages.
//
// Syntax: <scheme>:<entry GUID>  or  <scheme>:<database GUID>/<entry GUID>
// with scheme "geoadds" (point-of-interest entries; the database GUID is the catalogue's
// "guid", see GeoAdds.cpp) or "wwstruct" (waterway structures; the database GUID is the
// network's), compared without regard to case, and GUIDs in the registry form
// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}". Nothing else is allowed: no blanks, no
// "//", no query. A link without a database GUID refers to the database the caller
// names; a "geoadds" link needs one of the two, a "wwstruct" link may name none (the
// network in use).
#include "kernel/KvInternal.h"
#include "waypoints/GeoAdds.h"

#include "KvLibNav6/KvMarinaGuide.h"

bool NavValidateDatabaseEntryLink(const TStrWRec &linkRec, const TStrWRec &schemeRec,
                                  const TGUID *databaseGuid, TEntryRef &refOut) {
    try {
        const QString scheme = kv::ToQString(schemeRec);
        const bool geoAdds = scheme.compare(QString::fromUtf16(EntryLinkSchemeGeoAdds), Qt::CaseInsensitive) == 0;
        const bool wwStruct = scheme.compare(QString::fromUtf16(EntryLinkSchemeWWStruct), Qt::CaseInsensitive) == 0;
        if (!geoAdds && !wwStruct) return false;
        const QString link = kv::ToQString(linkRec);
        const qsizetype colon = link.indexOf(u':');
        if (colon < 0 || link.left(colon).compare(scheme, Qt::CaseInsensitive) != 0) return false;
        const QString rest = link.mid(colon + 1);
        TEntryRef ref;
        const qsizetype slash = rest.indexOf(u'/');
        if (slash >= 0) {
            if (!kv::geoadds::GuidFromText(rest.left(slash), ref.Database)) return false;
            if (!kv::geoadds::GuidFromText(rest.mid(slash + 1), ref.Entry)) return false;
        } else {
            if (!kv::geoadds::GuidFromText(rest, ref.Entry)) return false;
            if (databaseGuid)
                ref.Database = *databaseGuid;
            else if (geoAdds)
                return false;
        }
        refOut = ref;
        return true;
    } catch (...) {
        // A link is text from a page: whatever it holds, the answer is "no link".
        return false;
    }
}
