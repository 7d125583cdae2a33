// The files an S-57 feature attaches (TXTDSC, NTXTDS, PICREP), found in its cell's folder.
// Any thread.
#pragma once

#include "kernel/TestApi.h"

#include <QString>

namespace kv::render {

// The file that attribute acronym with value names in cellFolder: a bare file name of that
// folder (case-insensitive when no exact match exists); empty for other attributes, paths,
// missing files or an empty folder.
KVLIB_TEST_API QString S57AttachedFile(const QString &cellFolder, const QString &acronym, const QString &value);

}  // namespace kv::render
