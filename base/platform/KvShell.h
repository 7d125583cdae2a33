// Opening documents, links and programs through the desktop, and the special folders.
// Errors come back in err as the core library's values. GUI thread.
#pragma once

#include <KvLibNav6/KvTypes.h>

#include <QString>
#include <cstdint>

// A document, folder, http(s) address or mailto link; showCommand 1 = normal window.
void ExecuteDocument(WindowHandle window, const QString &document, int32_t showCommand,
                     int32_t &err);
// Runs file with parameters in folder; operation "open" or empty.
void ExecuteFile(WindowHandle window, const QString &operation, const QString &file,
                 const QString &parameters, const QString &folder, int32_t showCommand,
                 int32_t &err);
// CSIDL numbers (KvSpecialFolder); false with path empty when the platform has none.
bool GetSpecialFolderPath(int32_t csidl, QString &path);
