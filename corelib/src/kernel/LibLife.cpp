// Library start and end, memory entries and small platform queries.
#include "KvLibNav6/KvLib.h"

#include <QOperatingSystemVersion>
#include <QSysInfo>
#include <atomic>
#include <cstdlib>
#include <unistd.h>

namespace {
std::atomic<int> InitCount{0};
}

void KvLibInitialize(const TGUID *, const TStrWRec &) {
    ++InitCount;
}

void KvLibFinalize() {
    if (InitCount > 0) --InitCount;
}

bool IsDebugBuild() {
    return false;
}

void *MemMgrMalloc(int32_t size) {
    return std::malloc(size_t(size > 0 ? size : 1));
}

void MemMgrFree(void *p) {
    std::free(p);
}

void *MemMgrRealloc(void *p, int32_t size) {
    return std::realloc(p, size_t(size > 0 ? size : 1));
}

uint32_t GetWindowsVersion() {
    // The kernel's version stands in: callers only compare the major number.
    const QStringList parts = QSysInfo::kernelVersion().split('.');
    const uint32_t major = parts.size() > 0 ? parts[0].toUInt() : 0;
    const uint32_t minor = parts.size() > 1 ? parts[1].toUInt() : 0;
    return (major << 16) | (minor & 0xFFFF);
}

bool IsUserAdmin() {
    // The administrator of a Linux desktop is the superuser.
    return geteuid() == 0;
}

void GetCPUInfo(TCPUInfo &info) {
    info = TCPUInfo();
#if defined(__x86_64__) || defined(__i386__)
    if (__builtin_cpu_supports("sse")) info.Features |= CPUFeatureSSE;
#endif
}
