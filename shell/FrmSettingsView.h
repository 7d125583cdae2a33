// The "View" dialog: a "Common" tab with what every chart viewer shares and one tab per
// chart viewer given. Every tab works on a private copy; OK writes the environment first,
// then each viewer's own options, then the common values into each viewer, and the view
// redraws once. Cancel writes nothing but the remembered tiles. GUI thread.
#pragma once

#include "shell/FrmSettingsCommon.h"

#include <array>

class QTabWidget;
class TFrameSettingsCommon;
class TFrameSettingsViewer;
class TFrameViewer;
class TMarivoNavEnv;

class TFormSettingsView : public TFormSettingsDialog {
    Q_OBJECT
public:
    // Viewers may be nullptr: their tabs stay hidden.
    TFormSettingsView(TMarivoNavEnv &env, TFrameViewer *mainViewer, TFrameViewer *extra1,
                      TFrameViewer *extra2, QWidget *parent = nullptr);

    // True on OK.
    static bool Execute(TMarivoNavEnv &env, TFrameViewer *mainViewer, TFrameViewer *extra1,
                        TFrameViewer *extra2, QWidget *parent = nullptr);

    using TPrompter = std::function<int(TFormSettingsView &form)>;
    static TPrompter SetPrompter(TPrompter prompter) {
        return TSettingsPrompter<TFormSettingsView>::Set(std::move(prompter));
    }

    QTabWidget *PageControl;
    QWidget *TabSheetCommon;
    std::array<QWidget *, 3> TabSheetChartViewer{};
    TFrameSettingsCommon *FrameCommon;
    std::array<TFrameSettingsViewer *, 3> FrameViewer{};

protected:
    void CloseQuery(bool ok) override;

private:
    void AddViewerPage(int index, TFrameViewer *viewer);
    void SetLanguage();

    TMarivoNavEnv &FEnv;
    std::array<TFrameViewer *, 3> FViewers;
};

// Numbers still being typed are taken over (each edit's exit runs; the pages ignore exits
// that changed nothing) before OK applies: the focus may not have left the edit.
void CommitTypedNumbers(QWidget *form);
