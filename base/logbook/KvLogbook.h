// The program's calls into the core library's logbook, sound, boat-definition and backup
// objects. Every call happens on the GUI thread; objects returned belong to the caller
// (release with ObjectDelete), objects passed in stay the caller's.
#pragma once

#include <KvLibNav6/KvBackup.h>
#include <KvLibNav6/KvBoatDef.h>
#include <KvLibNav6/KvLogbook.h>
#include <KvLibNav6/KvNavBoat.h>
#include <KvLibNav6/KvPlanner.h>
#include <KvLibNav6/KvSound.h>

#include <QString>
#include <cstdint>

// Opens a logbook file, making missing picture thumbnails through ThumbnailCallback.
// owner is the own ship. nullptr with err set when the file is missing or damaged.
INavLogbook *NavLogbookLoad(const QString &fileName, NavObject *owner, int32_t &err);
// pictureFile may be empty; context nullptr gives an entry without the ship's state.
void NavLogbookAddEntry(INavLogbook *logbook, const QString &text, const QString &pictureFile,
                        int32_t entryKind, const TLogbookContext *context, int32_t option2,
                        int32_t option3);

// Loads a WAV file; nullptr with err set when it is missing or no readable WAV file.
ISound *SoundCreateFromFile(const QString &fileName, int32_t &err);

// The profile name as stored (may be empty: the dialogs show "<no name>" for it).
QString LPBoatDefGetName(ILPBoatDef *boatDef);
void LPBoatDefSetName(ILPBoatDef *boatDef, const QString &name);

// Opens a program data file; nullptr with err set when it is missing or damaged.
INavBackup *CreateNavBackup(const QString &fileName, int32_t &err);
// Restores the selected tracks into folder; returns how many were written. err holds the
// first failure; the other tracks are still tried.
int32_t NavBackupImportTracks(INavBackup *backup, const QString &folder, int32_t flag,
                              int32_t &err);
QString NavBackupItemGetName(INavBackupEntry *item);

// Name of a start, via or destination point of the route planner; empty for nullptr.
QString PlannerPointGetName(IWptPlanPoint *point);
