// Where the core library writes its exception log.
#pragma once

#include <QString>

QString GetExceptionLogFile();
void SetExceptionLogFile(const QString &fileName);
