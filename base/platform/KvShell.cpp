#include "base/platform/KvShell.h"

#include "base/kvlib/KvStrings.h"

#include <KvLibNav6/KvFiles.h>

void ExecuteDocument(WindowHandle window, const QString &document, int32_t showCommand,
                     int32_t &err) {
    ShlExecuteDocument(window, StrW(document), showCommand, err);
}

void ExecuteFile(WindowHandle window, const QString &operation, const QString &file,
                 const QString &parameters, const QString &folder, int32_t showCommand,
                 int32_t &err) {
    ShlExecuteFile(window, StrW(operation), StrW(file), StrW(parameters), StrW(folder),
                   showCommand, err);
}

bool GetSpecialFolderPath(int32_t csidl, QString &path) {
    TStrWOut out;
    const bool ok = ShlGetSpecialFolderPath(csidl, out.get());
    path = ok ? out.Text() : QString();
    return ok;
}
