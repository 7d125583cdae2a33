// Packed HTML containers: a raster chart's additional information (a page and its
// pictures) in one file, unpacked into a folder for the HTML viewer frame. Read only.
#pragma once

#include <QString>

// Writes every file of the container into folder (made when missing). The whole directory
// is checked before anything is written: a name that would leave the folder (absolute, a
// drive letter, "." or "..", control characters) or sizes beyond the file refuse the
// container. Each file replaces its target through a temporary name, so a link already in
// the folder is replaced, never followed. Raises Exception with the message for the user.
void UnpackFiles(const QString &fileName, const QString &folder);
