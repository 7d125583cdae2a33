// What the chart viewer's settings pages share: check boxes bound to a bit of a flag word or
// to a Boolean of the working copy. A click toggles the bound value, then the page reloads
// its boxes and recomputes which controls are enabled. GUI thread.
#pragma once

#include "base/forms/KvFrameScaled.h"
#include "base/texts/KvLanguage.h"

#include <cstdint>
#include <vector>

class QCheckBox;
class TSettingsPageLayout;
struct TChartViewerSettings;

class TViewerSettingsPage : public TFrameScaled {
    Q_OBJECT
public:
    explicit TViewerSettingsPage(TChartViewerSettings &settings);

    // Every bound box from the copy, then the enabled states.
    void LoadSettings();

protected:
    QCheckBox *FlagBox(TSettingsPageLayout &page, const TLanguageStrings &caption,
                       uint32_t TChartViewerSettings::*field, uint32_t bit, int indent = 0);
    QCheckBox *BoolBox(TSettingsPageLayout &page, const TLanguageStrings &caption,
                       bool TChartViewerSettings::*field, int indent = 0);
    // After a bound box changed its value (before the reload).
    virtual void BoxClicked(QCheckBox *box) { (void)box; }
    virtual void LoadOther() {}
    virtual void UpdateEnabled() = 0;

    TChartViewerSettings &FSettings;
    bool FLoading = false;

private:
    struct TBinding {
        QCheckBox *Box;
        uint32_t TChartViewerSettings::*Flags;
        uint32_t Bit;
        bool TChartViewerSettings::*Value;
    };
    QCheckBox *Bind(TSettingsPageLayout &page, const TLanguageStrings &caption, int indent,
                    TBinding binding);
    std::vector<TBinding> FBindings;
};

// The indent of a check box that depends on the one above it.
inline constexpr int SettingsIndent = 20;
