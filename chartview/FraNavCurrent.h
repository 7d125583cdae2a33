// The instruments information panel: a header with two switches of the own ship's motion
// model, "LEEWAY" (drift used) and "STREAM" (current used), and a stored-only "Vector
// colors" option, above three detail panels that stay empty in this program. The dock panel
// is exactly as tall as the visible parts. The main window keeps the panel hidden. GUI
// thread only.
#pragma once

#include "base/forms/KvFrameScaled.h"
#include "chartview/NavFixedHeightDock.h"

#include <functional>

class QCheckBox;
class QDockWidget;
class QLabel;
class TMarivoNavEnv;

class TFrameNavCurrent : public TFrameScaled {
    Q_OBJECT
public:
    static constexpr int Border = 1;
    static constexpr int DetailHeight = 100;
    static constexpr int HeaderHeight = 17;

    TFrameNavCurrent(QDockWidget *panel, TMarivoNavEnv &env);

    // The switches from the own ship's present state; fires nothing.
    void UpdateAll();
    // Nothing to show in this program: the detail blocks they served are not part of it.
    void UpdateValues(int) {}
    void ApplyUnits() {}
    void ApplyVectorColors() {}
    void UpdateTexts();
    void ApplyColors();
    void UpdatePanelHeight();

    std::function<void(TFrameNavCurrent *)> OnChange;

    const TFixedHeightDock &Dock() const { return FDock; }
    QCheckBox *Leeway() const { return CheckBoxWAKE; }
    QCheckBox *Stream() const { return CheckBoxSTREAM; }
    QCheckBox *VectorColors() const { return CheckBoxVectorColors; }

private:
    void BuildLayout();
    void SwitchClicked(bool stream, bool checked);

    TMarivoNavEnv &Env;
    TFixedHeightDock FDock;
    QWidget *PanelBackground, *PanelDetail1, *PanelDetail2, *PanelDetail3, *PanelDetail4Header;
    QCheckBox *CheckBoxWAKE, *CheckBoxSTREAM, *CheckBoxVectorColors;
    QLabel *LabelLEEWAY, *LabelSTREAM, *LabelVectorColors;
};
