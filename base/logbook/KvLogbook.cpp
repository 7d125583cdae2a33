#include "base/logbook/KvLogbook.h"

#include "base/kvlib/KvStrings.h"
#include "base/logbook/KvThumbnail.h"

INavLogbook *NavLogbookLoad(const QString &fileName, NavObject *owner, int32_t &err) {
    return NavLogbookLoadFromFile(StrW(fileName), owner, ThumbnailCallback, err);
}

void NavLogbookAddEntry(INavLogbook *logbook, const QString &text, const QString &pictureFile,
                        int32_t entryKind, const TLogbookContext *context, int32_t option2,
                        int32_t option3) {
    logbook->AddEntry(StrW(text), StrW(pictureFile), entryKind, context, option2, option3);
}

ISound *SoundCreateFromFile(const QString &fileName, int32_t &err) {
    return SoundCreate1(StrW(fileName), err);
}

QString LPBoatDefGetName(ILPBoatDef *boatDef) { return StrWToWide(boatDef->GetName()); }

void LPBoatDefSetName(ILPBoatDef *boatDef, const QString &name) { boatDef->SetName(StrW(name)); }

INavBackup *CreateNavBackup(const QString &fileName, int32_t &err) {
    return NavBackupCreate(StrW(fileName), ThumbnailCallback, err);
}

int32_t NavBackupImportTracks(INavBackup *backup, const QString &folder, int32_t flag,
                              int32_t &err) {
    return backup->ImportTracks(StrW(folder), flag, err);
}

QString NavBackupItemGetName(INavBackupEntry *item) { return StrWToWide(item->GetName()); }

QString PlannerPointGetName(IWptPlanPoint *point) {
    return point ? StrWToWide(point->GetName()) : QString();
}
