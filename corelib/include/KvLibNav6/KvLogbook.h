// The ship's logbook.
#pragma once

#include "KvTypes.h"
#include "KvCallbacks.h"

class INavBoat;
struct TLogbookContext;

// An open logbook: timed entries with the ship's state and an optional picture, kept in one
// small entry file. From NavLogbookLoadFromFile; the caller owns it. The environment attaches
// it to the own ship (INavBoat::AttachLogbook) and detaches it before releasing it; while
// attached the own ship adds its own entries when recording.
class KVLIB_API INavLogbook : public NavObject {
public:
    // Appends an entry. pictureFile may be empty; a picture gets a thumbnail through the
    // logbook's thumbnail callback. context comes from INavBoat::FillLogbookContext (nullptr:
    // an entry without ship state). entryKind, option2 and option3 are stored with the entry;
    // the program passes 1 and 1 for the last two.
    virtual void AddEntry(const TStrWRec &text, const TStrWRec &pictureFile, int32_t entryKind,
                          const TLogbookContext *context, int32_t option2,
                          int32_t option3) = 0;                                     // slot 1
    // True while the own ship records into this logbook (INavBoat::StartLogbookRecording).
    virtual bool IsRecording() = 0;                                                 // slot 15
    // Writes the entry file atomically (write, then rename). boat is the own ship the
    // logbook belongs to; mode 6 is the only value callers pass.
    virtual void Save(INavBoat *boat, int32_t mode, int32_t &err) = 0;              // slot 20
    // Offset of local time from UTC in minutes, used for the times shown with the entries;
    // set after loading and again when the regional settings change.
    virtual void SetUTCOffset(int32_t minutes) = 0;                                 // slot 25
};

// Opens a logbook file; a missing or damaged file is an error and gives nullptr.
// owner is the own ship (an INavBoat); the logbook keeps a reference but never releases it.
// thumbnail is called on the GUI thread for each entry picture that has no thumbnail yet.
KVLIB_API INavLogbook *NavLogbookLoadFromFile(const TStrWRec &file, NavObject *owner,
                                              ThumbnailProc thumbnail, int32_t &err);
