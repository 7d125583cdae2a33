// The user messages of the update client's results, in the current language. GUI thread
// (the language is the program's current one).
#pragma once

#include <QString>
#include <cstdint>

// "404: Not Found" and the like; "Unknown" for a code without a text.
QString HttpStatusText(int32_t code);
// The message for a command result; downloadFile: the download folder and the file name
// being written, socketError: the network error number behind -2001. Empty for 0.
QString PUSErrorText(int32_t result, const QString &downloadFile, int32_t socketError);
