// The "Check for updates" dialog with the program title as caption. When an update was
// downloaded it asks whether to start it now; Execute returns the downloaded file and True
// on Yes and opens the file itself unless noStart is set. Modal, GUI thread.
#pragma once

#include <QString>

class TFormCheckUpdates {
public:
    static bool Execute(QString &updateFile, bool option, bool noStart);
};
