#include "exchange/TimexApi.h"

#include <QLibrary>
#include <memory>

namespace {

struct TDriverBinding {
    std::unique_ptr<QLibrary> Library;
    TLoggerDriver Driver;
    bool Bound = false;
};

TDriverBinding &Binding() {
    static TDriverBinding binding;
    return binding;
}

template <typename Proc> void Resolve(QLibrary &library, Proc &proc, const char *name) {
    proc = reinterpret_cast<Proc>(library.resolve(name));
}

}  // namespace

bool TimexApiBind(const QString &library) {
    TimexApiUnbind();
    TDriverBinding &b = Binding();
    b.Bound = true;
    auto lib = std::make_unique<QLibrary>(library);
    if (!lib->load()) return false;
    Resolve(*lib, b.Driver.ConnectToDevice, LoggerConnectToDeviceName);
    Resolve(*lib, b.Driver.ReleaseDevice, LoggerReleaseDeviceName);
    Resolve(*lib, b.Driver.GetDeviceDataSize, LoggerGetDeviceDataSizeName);
    Resolve(*lib, b.Driver.GetDeviceData, LoggerGetDeviceDataName);
    Resolve(*lib, b.Driver.GetLastDeviceError, LoggerGetLastDeviceErrorName);
    Resolve(*lib, b.Driver.ClearDeviceMemory, LoggerClearDeviceMemoryName);
    b.Library = std::move(lib);
    return true;
}

void TimexApiUnbind() {
    TDriverBinding &b = Binding();
    b.Driver = TLoggerDriver();
    if (b.Library) b.Library->unload();
    b.Library.reset();
    b.Bound = false;
}

const TLoggerDriver &TimexDriver() {
    TDriverBinding &b = Binding();
    if (!b.Bound) TimexApiBind(QString::fromLatin1(LoggerDriverLibraryName));
    return b.Driver;
}
