// Program data files (backups): a file that bundles a waypoint database, text-format
// profiles and tracks of the program, read for the import wizard.
//
// Every call happens on the GUI thread.
#pragma once

#include <cstdint>

#include "KvCallbacks.h"
#include "KvStrW.h"
#include "KvTypes.h"

class ITxtFormatProfileManager;
class IChartCollectionList;
class INavBackupEntry;

// Bits of INavBackup::GetContents.
namespace NavBackupContents {
inline constexpr uint32_t WaypointDatabase = 0x02;
inline constexpr uint32_t RouteProfiles = 0x08;
inline constexpr uint32_t WaypointProfiles = 0x10;
inline constexpr uint32_t Tracks = 0x20;
}  // namespace NavBackupContents

// An opened data file. From NavBackupCreate; caller-owned. The entries it lists belong to
// it. Each Import… operation restores the entries of its kind that are marked selected and
// leaves the others alone.
class KVLIB_API INavBackup : public NavObject {
public:
    // Writes the selected track entries as ".trk" files into folder; an entry marked
    // overwrite replaces a file of the same name, any other gets a unique name. The program
    // passes flag 0. Returns the number of tracks restored.
    virtual int32_t ImportTracks(const TStrWRec &folder, int32_t flag, int32_t &err) = 0;  // slot 25
    virtual uint32_t GetContents() = 0;                                              // slot — (NavBackupContents)
    // Where the waypoint database lies inside the file: handed unchanged to
    // IWptManager::OpenDatabase, which reads the database from there.
    virtual int64_t GetDatabasePosition() = 0;                                       // slot —
    virtual int32_t GetRouteProfileCount() = 0;                                      // slot —
    virtual INavBackupEntry *GetRouteProfile(int32_t i) = 0;                         // slot —
    virtual int32_t GetWaypointProfileCount() = 0;                                   // slot —
    virtual INavBackupEntry *GetWaypointProfile(int32_t i) = 0;                      // slot —
    virtual int32_t GetTrackCount() = 0;                                             // slot —
    virtual INavBackupEntry *GetTrack(int32_t i) = 0;                                // slot —
    // The selected profile entries go into the manager; an entry marked overwrite replaces
    // the profile of the same name. The program passes flag 0.
    virtual void ImportRouteProfiles(ITxtFormatProfileManager *target, int32_t flag,
                                     int32_t &err) = 0;                              // slot —
    virtual void ImportWaypointProfiles(ITxtFormatProfileManager *target, int32_t flag,
                                        int32_t &err) = 0;                           // slot —
    virtual void ImportChartCollections(IChartCollectionList *target, int32_t flag,
                                        int32_t &err) = 0;                           // slot —
};

// One restorable item of a data file (a profile or a track) with its two marks. From the
// INavBackup getters; owned by the backup. Both marks start false.
class KVLIB_API INavBackupEntry : public NavObject {
public:
    virtual const TStrWRec *GetName() = 0;                                           // slot 3
    // Restored by the next Import… of its kind.
    virtual void SetSelected(bool selected) = 0;                                     // slot —
    // May replace an existing object of the same name.
    virtual void SetOverwrite(bool overwrite) = 0;                                   // slot —
};

// Opens a program data file. cb makes the thumbnails of pictures the file carries; it is
// called on this thread, during this call or a later import.
KVLIB_API INavBackup *NavBackupCreate(const TStrWRec &file, ThumbnailProc cb, int32_t &err);
