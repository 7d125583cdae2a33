// Start and end of the core library, and releasing its objects.
#pragma once

#include <KvLibNav6/KvLib.h>

#include <memory>

// Initialises the library (null GUID, "KvLibNav6.dll"); the library's allocator is never
// swapped in. KvLibShutdown finalises it. TKvLibScope does both for main().
void KvLibStartup();
void KvLibShutdown();

class TKvLibScope {
public:
    TKvLibScope() { KvLibStartup(); }
    ~TKvLibScope() { KvLibShutdown(); }
    TKvLibScope(const TKvLibScope &) = delete;
    TKvLibScope &operator=(const TKvLibScope &) = delete;
};

void ObjectDeleteIfAssigned(NavObject *obj);

// The variable is nil before the object is released, so it is nil even when releasing
// raises.
template <class T>
void ObjectDeleteAndNil(T *&obj) {
    NavObject *old = obj;
    obj = nullptr;
    ObjectDeleteIfAssigned(old);
}

// Holds what a factory, "open", "create" or "copy" returned; releases it on every exit path.
struct NavObjectDeleter {
    void operator()(NavObject *o) const { ObjectDeleteIfAssigned(o); }
};
template <class T>
using TNavPtr = std::unique_ptr<T, NavObjectDeleter>;
