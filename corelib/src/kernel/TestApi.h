// Internals that the library's own tests and benchmarks drive: seams (where ports and the
// desktop opener come from) and state behind an object that its interface does not show.
// They are exported for those programs alone, so that they run in the one loaded copy of the
// library, with its settings store, exception handler and registries. Not part of the
// interface: the program never sees src/ (only the KvLibNav6Internal target adds it), and
// the layering check refuses KVLIB_API in src/.
#pragma once

#include "KvLibNav6/KvTypes.h"

#define KVLIB_TEST_API KVLIB_API
