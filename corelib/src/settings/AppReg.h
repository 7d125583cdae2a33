// The library's side of application start: the callbacks the program handed over and the
// stored interface language.
#pragma once

#include "KvLibNav6/KvCallbacks.h"

#include <cstdint>

namespace kv {

// What InitApplication was given, for the engines that call back into the program.
// Null members: not given (or InitApplication not called yet).
struct TAppCallbacks {
    TwoAnswerProc TwoAnswer = nullptr;
    IdleResetProc IdleReset = nullptr;
    TerminateProc Terminate = nullptr;
};
const TAppCallbacks &AppCallbacks();

// Name of the Integer value, directly in the product key, that holds the language.
inline constexpr char16_t StoredLanguageName[] = u"Language";
// The stored language 1..8, or 0 when none is stored (a first run) or it is not valid.
int32_t ReadStoredLanguage();

}  // namespace kv
