// Binding of the optional data-recorder driver (see KvLibNav6/KvLoggerDriver.h). The driver
// is looked up once, on the first use of TimexDriver(), by its library name through the
// system's search; every entry may be missing, and without the library all stay nullptr and
// the program runs without the recorder. GUI thread only.
#pragma once

#include <KvLibNav6/KvLoggerDriver.h>

#include <QString>

// The bound driver, bound by name on first use; its entries stay valid until the next
// TimexApiBind or the end of the run.
const TLoggerDriver &TimexDriver();
// Binds the driver from library: a name for the system's search or a file path (tests point
// this at their fake). Any earlier binding is let go first. True when the library loaded.
bool TimexApiBind(const QString &library);
// Lets the driver go; afterwards every entry is nullptr until the next bind.
void TimexApiUnbind();
