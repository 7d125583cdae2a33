// Alarm sounds.
#pragma once

#include "KvTypes.h"

// One alarm sound loaded from a WAV file ("GPS lost.wav", "GPS restored.wav",
// "Routepoint reached.wav", "XTE alarm.wav"). From SoundCreate1; the environment owns it and
// hands it to the GPS object, which keeps a reference but never releases it.
class KVLIB_API ISound : public NavObject {
public:
    // Plays the sound once and returns at once; mode 0 is the only value callers pass.
    // A disabled sound stays silent.
    virtual void Play(int32_t mode) = 0;                                            // slot 3
    // The user's sound switch; the cross-track alarm sound is played regardless, so the
    // environment never switches that one.
    virtual void SetEnabled(bool enabled) = 0;                                      // slot 4
};

// Loads a WAV file. A missing or unreadable file is an error (the program ends its start-up);
// where no audio output exists the sound is created and plays silently.
KVLIB_API ISound *SoundCreate1(const TStrWRec &wavFile, int32_t &err);
