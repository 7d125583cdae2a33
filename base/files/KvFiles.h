// The program's file and folder routines: QString in, the core library's file functions
// underneath. They raise nothing of their own and hand back the library's error value in
// err (0 = success; ErrorToStrA gives its text). GUI thread.
#pragma once

#include <KvLibNav6/KvTypes.h>

#include <QString>
#include <QStringList>
#include <cstdint>

void DirCreateA(const QString &folder, int32_t &err);
// Callers pass (true, true, false) for the route export folder and (true, true, true) for
// temporary import and download folders.
void DirDeleteTreeA(const QString &folder, bool f1, bool f2, bool f3, int32_t &err);
bool DirExistsA(const QString &folder);
// total may be nullptr; callers pass value 0.
void DiskGetFreeSpaceA(const QString &path, int64_t &freeBytes, int64_t *totalBytes,
                       int32_t value, int32_t &err);
void FileCopyA(const QString &source, const QString &dest, int32_t options, int32_t v1,
               int32_t v2, int32_t v3, int32_t &err);
void FileCopyExA(const QString &source, const QString &dest, int32_t options, bool flag,
                 int32_t v1, int32_t v2, int32_t v3, int32_t v4, int32_t &err);
// created gets the full name of the new empty file (empty on failure).
void FileCreateUnique(const QString &folder, const QString &fileName, int32_t &err,
                      QString &created);
void FileDeleteA(const QString &fileName, int32_t &err);
int64_t FileGetSizeA(const QString &fileName, int32_t &err);
TDateTime FileGetTimeModifiedA(const QString &fileName, int32_t &err);
void FileMoveA(const QString &source, const QString &dest, bool flag, int32_t &err);
// text is cleared first; callers pass code page 1252.
int32_t FileReadTextW(const QString &fileName, QString &text, int32_t codePage, int32_t &err);
void FileWriteTextW(const QString &fileName, const QString &text, int32_t format,
                    int32_t codePage, int32_t &err);
// list is cleared and filled with full paths; mask may hold several patterns split by ";".
void FindFilesA(const QString &folder, const QString &mask, bool flag, QStringList &list);
// The temporary folder, with a trailing separator.
QString GetTempDir();

// Starts program and waits for it. While it runs, pending window messages are processed
// when processMessages is set, and the wait ends (the program keeps running, err says
// cancelled) once the application is terminating.
void RunAndWaitA(const QString &program, const QString &parameters, const QString &folder,
                 WindowHandle window, int32_t value, bool processMessages, int32_t &exitValue,
                 int32_t &err);

// The application's "terminated" state: set once it is shutting down (a quit request, the
// application object going away, or SetApplicationTerminated). Waits end when it is set.
bool ApplicationTerminated();
void SetApplicationTerminated(bool terminated);
