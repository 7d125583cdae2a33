// Log category of the waterway network ("kv.wwnetwork"): skipped records and load faults.
#pragma once

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcWWNetwork)
