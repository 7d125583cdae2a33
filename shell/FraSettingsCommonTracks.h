// The "Tracks" page of the common view settings: the intervals of point marks and time
// labels on tracks and the width of track lines. GUI thread.
#pragma once

#include "base/forms/KvFrameScaled.h"

#include <cstdint>
#include <vector>

class QComboBox;
class QLabel;
class TTrackBarEx;
struct TCommonViewSettings;

class TFrameSettingsCommonTracks : public TFrameScaled {
    Q_OBJECT
public:
    explicit TFrameSettingsCommonTracks(TCommonViewSettings &settings);

    // The seconds of the entries, in list order.
    static const std::vector<int32_t> &PointIntervals();
    static const std::vector<int32_t> &TimeIntervals();
    // "No interval", "1 Minute", "3 Hours", "Noon" … in the interface language.
    static QString IntervalText(int32_t seconds);

    QComboBox *ComboBoxTrackPointInterval, *ComboBoxTrackTimeInterval;
    TTrackBarEx *TrackBarTrackLineWidth;
    QLabel *LabelTrackLineWidthValue;

private:
    void SetLanguage();
    void LoadSettings();

    TCommonViewSettings &FSettings;
    bool FLoading = false;
};
