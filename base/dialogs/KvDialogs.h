// Dialog components that forms keep as members: the folder browse dialog.
#pragma once

#include "base/dialogs/KvBrowseFolderFrm.h"

#include <QString>

class TBrowseFolderDialog {
public:
    // The initial folder, and the chosen one after a confirmed dialog.
    QString Folder;
    TBrowseFolderKind Kind = bkOpen;
    TBrowseDirOptions Options = bfNewFolder;
    bool ReadOnly = false;
    QString Title;

    bool Execute() { return TFormBrowseFolder::Execute(Title, Folder, ReadOnly, Kind, Options); }
};
