// The "Colors" page of the common view settings: chart background and tile transparency,
// the own-ship cursor and course line, the waterway network's colours and width. GUI thread.
#pragma once

#include "base/forms/KvFrameScaled.h"
#include "base/texts/KvLanguage.h"

class QCheckBox;
class QLabel;
class QPushButton;
class TSettingsColorSwatch;
class TTrackBarEx;
struct TCommonViewSettings;

class TFrameSettingsCommonColors : public TFrameScaled {
    Q_OBJECT
public:
    explicit TFrameSettingsCommonColors(TCommonViewSettings &settings);

    // The course line width 0.5 .. 5.0 and its track bar position 1 .. 10.
    static int CourseLineWidthPosition(float width);
    static QString CourseLineWidthText(float width);

    TSettingsColorSwatch *PaintBoxColorViewer, *PaintBoxColorGPSFix, *PaintBoxColorGPSNoFix,
        *PaintBoxColorCourseLines, *PaintBoxWWNetworkColor, *PaintBoxWWNetworkColorBack,
        *PaintBoxWWColorUnpassable;
    QPushButton *ButtonColorViewer, *ButtonColorGPSFix, *ButtonColorGPSNoFix,
        *ButtonColorCourseLines, *ButtonWWNetworkColor, *ButtonWWNetworkColorBack,
        *ButtonWWNetworkColorUnpassable;
    QCheckBox *CheckEnableTransparent;
    TTrackBarEx *TrackBarCourseLineWidth, *TrackBarWWMaxWidth;
    QLabel *LabelCourseLineWidthValue, *LabelWWMaxWidthValue;

private:
    TSettingsColorSwatch *SwatchRow(class TSettingsPageLayout &page, const TLanguageStrings &caption,
                            int &field, QPushButton *&button);

    TCommonViewSettings &FSettings;
    bool FLoading = false;
};

// "Select color...": the caption of the buttons beside a swatch.
extern const TLanguageStrings SettingsTextSelectColor;
