// Shared by the environment's engines (dispatcher, loop, online clients): calling back into
// the program without letting an exception unwind through the library.
#pragma once

#include <utility>

namespace kv {

// Hands the exception being handled to the process-wide exception handler (ExceptionRaised,
// then HandleException), as the program does for its own event handlers. Call only inside a
// catch block.
void ReportCallbackException() noexcept;

// Runs one call into the program. Whatever it throws is reported and swallowed here: the
// exception cannot cross the library, and the caller goes on with the next subscriber or
// callback, which must not miss its turn because an earlier one failed.
template <class F>
void CallProgram(F &&call) noexcept {
    try {
        std::forward<F>(call)();
    } catch (...) {
        ReportCallbackException();
    }
}

}  // namespace kv
