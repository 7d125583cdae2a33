// The one place through which the library hands documents, links and programs to the
// desktop. ShlExecuteDocument and ShlExecuteFile go through it; tests put a recorder in
// place so that nothing is launched. Called on the GUI thread only.
#pragma once

#include "kernel/TestApi.h"

#include "KvLibNav6/KvTypes.h"

#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>

namespace kv {

struct TShellOpener {
    // Opens a document, folder or link with the desktop's handler; false when it refused.
    std::function<bool(const QUrl &url)> OpenUrl;
    // Starts a program that outlives the call; false when it could not be started.
    std::function<bool(const QString &program, const QStringList &arguments,
                       const QString &folder)>
        StartDetached;
};

// Installs opener and returns the one it replaces. Empty members fall back to the desktop
// (QDesktopServices::openUrl) and QProcess::startDetached.
KVLIB_TEST_API TShellOpener SetShellOpener(TShellOpener opener);

}  // namespace kv
