// Kept apart from the other list routines so that only programs which load tracks from the
// store link the library's track reader.
#include "base/settings/KvRegDisplay.h"

#include "base/kvlib/KvStrings.h"

#include <KvLibNav6/KvTracks.h>

void RegReadTracksVisible(const QString &tracksFolder, INavTrackList *visible) {
    RegReadTracksVisible(tracksFolder, visible, [](const QString &file, int32_t &err) {
        return NavTrackCreate3(StrW(file), err);
    });
}
