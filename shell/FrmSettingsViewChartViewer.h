// The display options of one chart viewer on their own, as the viewer's properties: the
// viewer's settings tab filling the dialog. OK writes them to the viewer. GUI thread.
#pragma once

#include "shell/FrmSettingsCommon.h"

class TFrameSettingsViewer;
class TFrameViewer;
class TMarivoNavEnv;

class TFormSettingsViewChartViewer : public TFormSettingsDialog {
    Q_OBJECT
public:
    // second, third: further viewers whose pages are kept without a tab (may be nullptr).
    TFormSettingsViewChartViewer(TMarivoNavEnv &env, TFrameViewer &viewer, TFrameViewer *second,
                                 TFrameViewer *third, QWidget *parent = nullptr);

    // True on OK.
    static bool Execute(TMarivoNavEnv &env, TFrameViewer &viewer, TFrameViewer *second,
                        TFrameViewer *third, QWidget *parent = nullptr);

    using TPrompter = std::function<int(TFormSettingsViewChartViewer &form)>;
    static TPrompter SetPrompter(TPrompter prompter) {
        return TSettingsPrompter<TFormSettingsViewChartViewer>::Set(std::move(prompter));
    }

    QWidget *TabSheetChartViewer;
    TFrameSettingsViewer *FrameViewer;

protected:
    void CloseQuery(bool ok) override;

private:
    void SetLanguage();

    QString FTitle;
};
