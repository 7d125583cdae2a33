// Internal helpers of the point-of-interest databases (file format in GeoAdds.cpp).
#pragma once

#include "KvLibNav6/KvMarinaGuide.h"

#include <QString>
#include <memory>
#include <vector>

namespace kv::geoadds {

// A GUID in the registry form "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" (any case); False
// for any other text and for the null GUID.
bool GuidFromText(const QString &text, TGUID &out);

// The marina-guide entries of a database made by GeoAddsDatabaseCreate (owned by it, valid
// until its next Open); nullptr for another object.
const std::vector<std::unique_ptr<IMarinaGuideEntry>> *MarinaEntries(IGeoAddsDatabase *db);

}  // namespace kv::geoadds
