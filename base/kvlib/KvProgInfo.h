// Program information; each routine asks the core library anew.
#pragma once

#include <KvLibNav6/KvTypes.h>

#include <QString>

// Program folder with a trailing separator: base of "Images", "Sounds", "Manual".
QString ProgInfoGetProgDir();
TGUID ProgInfoGetProductGUID();
// Application title, caption of the start-up dialogs, user agent of online requests.
QString ProgInfoGetTitle();
// Packed version: major in bits 24-31, minor 16-23, release 8-15, build 0-7.
int32_t ProgInfoGetVersion();
