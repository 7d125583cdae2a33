// Files, folders, processes and the desktop shell.
// Paths are full paths; "\" and "/" are both accepted as separators, results use "/".
#pragma once

#include "KvTypes.h"
#include "KvStrW.h"
#include "KvCallbacks.h"

// Special folders of ShlGetSpecialFolderPath (the numbers callers pass).
namespace KvSpecialFolder {
inline constexpr int32_t Desktop = 0;
inline constexpr int32_t Documents = 5;       // the user's documents folder
inline constexpr int32_t CommonAppData = 35;  // data shared by every user of the machine
}  // namespace KvSpecialFolder

// Options of FileCopyEx.
namespace KvFileCopyEx {
inline constexpr int32_t Replace = 0x1000;  // overwrite an existing destination
}  // namespace KvFileCopyEx

// Creates the folder together with any missing parents; an existing folder is success.
KVLIB_API void DirCreate(const TStrWRec &folder, int32_t &err);
// Deletes the folder with everything in it. Callers pass (true, true, false) for the route
// export folder and (true, true, true) for temporary import and download folders.
KVLIB_API void DirDeleteTree(const TStrWRec &folder, bool f1, bool f2, bool f3, int32_t &err);
KVLIB_API bool DirExists(const TStrWRec &folder);
// Bytes available to the user on the file system holding path; totalBytes may be nullptr.
// Callers pass value 0.
KVLIB_API void DiskGetFreeSpace(const TStrWRec &path, int64_t &freeBytes, int64_t *totalBytes,
                                int32_t value, int32_t &err);
// Copies a file. Callers pass options $20000 and 0 for the three values (the program-side
// wrapper hands v2 before v1).
KVLIB_API void FileCopy(const TStrWRec &src, const TStrWRec &dst, int32_t options, int32_t v2,
                        int32_t v1, int32_t v3, int32_t &err);
// Copies a file; with KvFileCopyEx::Replace an existing destination is overwritten.
// The import wizard passes (Replace, false, $80, 0, 0, 0).
KVLIB_API void FileCopyEx(const TStrWRec &src, const TStrWRec &dst, int32_t options, bool flag,
                          int32_t v1, int32_t v3, int32_t v2, int32_t v4, int32_t &err);
// Creates an empty file in folder whose name no file there has yet: name itself when free,
// else name with a number added before the extension. createdOut gets the full path.
KVLIB_API void _FileCreateUnique(const TStrWRec &folder, const TStrWRec &name, IStrW *createdOut,
                                 int32_t &err);
KVLIB_API void FileDelete(const TStrWRec &file, int32_t &err);
// Moves or renames a file, across file systems too; replace overwrites the destination.
KVLIB_API void FileMove(const TStrWRec &src, const TStrWRec &dst, bool replace, int32_t &err);
// Size in bytes.
KVLIB_API int64_t FileGetSize_F(const TStrWRec &file, int32_t &err);
// Last modification, local time.
KVLIB_API TDateTime FileGetTimeModified(const TStrWRec &file, int32_t &err);
// Reads a whole text file into textOut, decoded from codePage (1252, 28591, 65001 = UTF-8;
// a byte-order mark overrides it). Returns the length of the text in UTF-16 units.
KVLIB_API int32_t FileReadText(const TStrWRec &file, IStrW *textOut, int32_t codePage,
                               int32_t &err);
// Writes text as the whole file, encoded in codePage; the file is replaced atomically.
// Callers pass format 2 and code page 1252.
KVLIB_API void FileWriteText(const TStrWRec &file, const TStrWRec &text, int32_t format,
                             int32_t codePage, int32_t &err);
// Full paths of the files in folder matching any of the ";"-separated masks ("*.trk",
// "*.bmp;*.tga;*.jpg;*.png", "*.*"), compared without regard to case; flag = also search
// sub-folders. out is emptied first; a missing folder gives an empty list.
KVLIB_API void FindFiles(const TStrWRec &folder, const TStrWRec &masks, bool flag,
                         IStrWList *out);
// Folder for temporary files, with a trailing separator.
KVLIB_API void _GetTempDir(IStrW *out);
// Starts program with params in folder (empty = current folder) and waits for it to end,
// calling cb(data, stop) repeatedly meanwhile on the calling (GUI) thread; stop = true ends
// the wait and leaves the program running. exitValue gets the program's exit code.
// window is the owner of any window the wait shows; callers pass value 0.
KVLIB_API void RunAndWait(const TStrWRec &program, const TStrWRec &params, const TStrWRec &folder,
                          WindowHandle window, int32_t value, WaitProc cb, void *data,
                          int32_t &exitValue, int32_t &err);
// Opens a document, folder, http(s) address or mailto link with the desktop's handler.
// showCommand 1 = normal window (callers pass 1).
KVLIB_API void ShlExecuteDocument(WindowHandle window, const TStrWRec &document,
                                  int32_t showCommand, int32_t &err);
// Runs file with params in folder; operation is the shell verb ("open", or empty).
KVLIB_API void ShlExecuteFile(WindowHandle window, const TStrWRec &operation, const TStrWRec &file,
                              const TStrWRec &params, const TStrWRec &folder, int32_t showCommand,
                              int32_t &err);
// Path of a special folder (KvSpecialFolder); false, with pathOut emptied, when the platform
// has no such folder.
KVLIB_API bool ShlGetSpecialFolderPath(int32_t csidl, IStrW *pathOut);
