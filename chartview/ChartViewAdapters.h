// Free routines around the core library's drawing-engine, cache, notification-centre and
// object-update objects: text in as QString, handed over for the one call. What a factory
// returns belongs to the caller (ObjectDelete); objects passed in stay their owners'.
// GUI thread only.
#pragma once

#include <KvLibNav6/KvCallbacks.h>
#include <KvLibNav6/KvNavEnv.h>
#include <KvLibNav6/KvObjectUpdate.h>
#include <KvLibNav6/KvViewer.h>

#include <QString>
#include <cstdint>

// The chart data cache of cacheFile for the given raster charts (count entries), loading
// with progress (proc may be nullptr).
IS3DChartDataCache *CreateChartDataCache(const QString &cacheFile, NavObject **charts,
                                         int32_t count, LoadProgressProc progress,
                                         void *progressData);
// The drawing engine. errorText is empty on success; a non-empty text means the engine
// could not be made (the result is then released here and nullptr returned).
IS3D *CreateS3DEngine(int32_t flags, const QString &name, int32_t a, int32_t b, int32_t c,
                      bool d, QString &errorText);
// Opens the engine's resource folder; the handle is closed with IS3D::CloseResourceFolder.
int32_t S3DOpenResourceFolder(IS3D *engine, void *instance, int32_t flag, const QString &folder);
// The core environment's work folder, copied (it stays valid after the environment goes).
void NavEnvGetWorkFolder(INavEnv *env, QString &folder);
// A user notification of a kind (NavUserNotify) and a kind-8 message.
void NotificationCenterShow(INavNotificationCenter *centre, int32_t kind, const QString &text);
void NotificationCenterShowMessage(INavNotificationCenter *centre, const QString &text,
                                   int32_t seconds, bool flag, int32_t value);
// kind: ObjectUpdateFolder.
void ObjectUpdateSetFolder(INavObjectUpdateManager *manager, int32_t kind, const QString &folder);
// The texts drawn into tiles that failed, in the order the tile manager takes them.
void TileManagerSetTexts(IS3DTileManager *manager, const QString &loadError,
                         const QString &renderError, const QString &status,
                         const QString &noColour);
