// The wait window shown while the core library reads the S-57 chart information of the
// chart folders. Created without owner by CreateForm; the caller shows it non-modally,
// calls LoadChartInfo and deletes it.
#pragma once

#include "base/forms/KvForms.h"

#include <KvLibNav6/KvProgress.h>

class IChartManager;
class QLabel;
class TProgressBarEx;

class TFormS57LoadInfoProgress : public TFormScaled {
    Q_OBJECT
public:
    // owner is only where the window is centred; the window itself has no owner.
    static TFormS57LoadInfoProgress *CreateForm(QWidget *owner);

    // Runs the library's S-57 information load with this window's progress; returns its
    // result with the library's error in err. The caller shows a failure (a silent one
    // would leave charts missing without a word).
    bool LoadChartInfo(IChartManager *cm, int32_t &err);
    // The same, showing a failure in an error message box.
    bool LoadChartInfoAndReport(IChartManager *cm);

    QLabel *LabelProgressText() const { return FLabel; }
    TProgressBarEx *ProgressBarEx() const { return FProgressBar; }
    // Percentage shown for a fraction 0..1: rounded up to the next whole number.
    static int ProgressPercent(float fraction);

private:
    explicit TFormS57LoadInfoProgress(QWidget *centreOn);
    static void ProgressHandler(void *data, TProgressEx *progress) noexcept;

    QLabel *FLabel;
    TProgressBarEx *FProgressBar;
    TProgressEx FProgress{};
};
