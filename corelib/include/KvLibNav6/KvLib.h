// Library life, memory, errors, exception reporting and program information.
#pragma once

#include "KvTypes.h"
#include "KvStrW.h"

// Reports unexpected exceptions of the program and writes them to the exception log
// (plain text: one line per report with time, thread, kind and message).
// From ExceptionHandlerGet; process-wide, never released by the program.
class KVLIB_API IExceptionHandler : public NavObject {
public:
    // An exception reached the event loop; the message was handed over before through
    // ExceptionRaised (the handler logs the last one raised on this thread).
    virtual void HandleException(uint32_t threadId) = 0;                            // slot 4
    // Hook for operating-system exceptions (on Linux: a fatal signal's siginfo_t*).
    virtual void ExceptionObjectCreated(void *osExceptionRecord) = 0;               // slot 5
    // Every raise of the program; message empty for objects that carry none.
    virtual void ExceptionRaised(const TStrWRec &className, const TStrWRec &message) = 0;  // slot 6
};

// Constants of the build. From GetProgInfo; fetched on every use, never kept or released.
class KVLIB_API IProgInfo : public NavObject {
public:
    // Program folder with a trailing separator: base of "Images/", "Sounds/", "Manual/".
    virtual const TStrWRec *GetProgDir() = 0;                                       // slot 1
    virtual TDateTime GetVersionDate() = 0;                                         // slot 3
    virtual const TGUID *GetProductGUID() = 0;                                      // slot 7
    // Application title: captions of start-up dialogs, user agent of service requests.
    virtual const TStrWRec *GetTitle() = 0;                                         // slot 8
    // Packed version: major in bits 24-31, minor 16-23, release 8-15, build 0-7.
    virtual const int32_t *GetVersion() = 0;                                        // slot 9
    virtual bool GetVerbose() = 0;                                                  // slot —
};

// Processor information; only the SSE bit is read by the program.
struct TCPUInfo {
    uint8_t Reserved[152] = {};
    uint32_t Features = 0;  // bit 1 (value 2) = SSE
    uint8_t Reserved2[4] = {};
};
static_assert(sizeof(TCPUInfo) >= 156);
inline constexpr uint32_t CPUFeatureSSE = 2;

// First call of the run; the program passes the null GUID and "KvLibNav6.dll".
KVLIB_API void KvLibInitialize(const TGUID *guid, const TStrWRec &libraryFileName);
// Last call of the run.
KVLIB_API void KvLibFinalize();
// False: the program's allocator is never replaced.
KVLIB_API bool IsDebugBuild();
KVLIB_API void *MemMgrMalloc(int32_t size);
KVLIB_API void MemMgrFree(void *p);
KVLIB_API void *MemMgrRealloc(void *p, int32_t size);

// Releases any object the caller owns; nullptr is ignored.
KVLIB_API void ObjectDelete(NavObject *obj);
// Readable text for every error value; an unknown value gets a generic text naming it.
// The record is owned by the library and stays valid for the run.
KVLIB_API const TStrWRec *ErrorToStr(int32_t err);

KVLIB_API IExceptionHandler *ExceptionHandlerGet();
KVLIB_API const TStrWRec *GetExceptionLogFileName();
KVLIB_API void SetExceptionLogFileName(const TStrWRec &file);

KVLIB_API IProgInfo *GetProgInfo();
// Name and packed version of a companion program, read from its version side file
// "<file>.version" (lines "Name=…" and "Version=a.b.c.d"); error $10000 when absent.
KVLIB_API void VersionInfoGetProgNameAndVersion(const TStrWRec &file, IStrW *nameOut,
                                                int32_t &packedVersion, int32_t &err);

// Operating-system version as (major << 16) | minor.
KVLIB_API uint32_t GetWindowsVersion();
KVLIB_API bool IsUserAdmin();
KVLIB_API void GetCPUInfo(TCPUInfo &info);
