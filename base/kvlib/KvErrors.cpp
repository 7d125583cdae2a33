#include "base/kvlib/KvErrors.h"

#include "base/kvlib/KvStrings.h"

#include <KvLibNav6/KvLib.h>

QString ErrorToStrA(int32_t error) {
    return StrWToWide(ErrorToStr(error));
}

void RaiseIfError(int32_t error, const QString &message) {
    if (error == 0) return;
    const QString text = ErrorToStrA(error);
    if (message.isEmpty()) throw Exception(text);
    throw Exception(text + QStringLiteral(" (") + message + QStringLiteral(")"));
}

bool ParseJpegErrorNumber(const QString &message, int &number) {
    static const QString prefix = QStringLiteral("JPEG error #");
    if (!message.startsWith(prefix)) return false;
    bool ok = false;
    const int n = message.mid(prefix.size()).toInt(&ok, 10);
    if (!ok || n == -1) return false;
    number = n;
    return true;
}
