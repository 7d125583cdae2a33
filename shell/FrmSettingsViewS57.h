// How S-57 / Inland ENC cells are drawn: the presentation settings of the environment's
// S-52 library (for viewer indexes 0..2), the maximum number of cells loaded at once, and
// three values of the caller's viewer (bounds only, physical screen width automatic, the
// width). Everything is written on OK only, and committed to the library once. GUI thread.
#pragma once

#include "shell/FrmSettingsCommon.h"

#include <cstdint>
#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;
class QTabWidget;
class TMarivoNavEnv;
class TNumberEdit;
class TTrackBarEx;
class IS52PresentationLib;

// The viewer values the dialog shows and hands back.
struct TS57ViewerValues {
    bool BoundsOnly = false;
    bool MonitorWidthAuto = true;
    int32_t MonitorWidthMM = 9999;
};

class TFormSettingsViewS57 : public TFormSettingsDialog {
    Q_OBJECT
public:
    TFormSettingsViewS57(TMarivoNavEnv &env, const TS57ViewerValues &values,
                         QWidget *parent = nullptr);

    // The caller passes its main viewer's values; with OK (True) they hold the chosen ones,
    // the S-52 settings are committed and the environment has the maximum cell count. The
    // caller applies and stores the viewer values.
    static bool Execute(TMarivoNavEnv &env, TS57ViewerValues &values, QWidget *parent = nullptr);

    using TPrompter = std::function<int(TFormSettingsViewS57 &form)>;
    static TPrompter SetPrompter(TPrompter prompter) {
        return TSettingsPrompter<TFormSettingsViewS57>::Set(std::move(prompter));
    }

    // The display category entries in list order.
    enum { CategoryEmptyCell, CategoryDisplayBase, CategoryStandard, CategoryOther };
    // Position 0..4 of a library text scale (1.0 .. 2.0 by quarters; others at the ends).
    static int TextScalePosition(float scale);
    // "1.25x" with the locale's decimal separator.
    static QString TextScaleCaption(int position);
    // The display flags this dialog decides (the check boxes and four shades).
    static uint32_t OwnedFlags();
    TS57ViewerValues Values() const;

    QTabWidget *PageControl;
    QComboBox *ComboDisplayCategory, *ComboMaxBuoyScamin;
    QCheckBox *CheckUseSCAMIN, *CheckShowbENCs, *CheckShowMetaFeatures, *CheckShowBuoys,
        *CheckUseShallowPattern, *CheckEnhancements, *CheckFeatureTime, *CheckShowText,
        *CheckShowImportantOnly, *CheckShowAtoN, *CheckShowLightDesc, *CheckShowNational,
        *CheckFilterBxPrefix, *CheckShowContourLabels, *CheckShowSoundings,
        *CheckShowSoundingsShallowOnly, *CheckMonitorWidthAuto;
    TNumberEdit *EditMaxChartLoad, *NumberEditShallow, *NumberEditSafe, *NumberEditDeep,
        *EditMonitorWidthMM;
    TTrackBarEx *TrackBarTextScale;
    QLabel *LabelTextScaleValue;
    QRadioButton *RadioButtonDepthShades2, *RadioButtonDepthShades4, *RadioButtonSymbolsPaper,
        *RadioButtonSymbolsSimple, *RadioButtonBoundariesPlain, *RadioButtonBoundariesSymbolized;

protected:
    void CloseQuery(bool ok) override;

private:
    struct TFlagBox {
        QCheckBox *TFormSettingsViewS57::*Box;
        uint32_t Bit;
    };
    static const std::vector<TFlagBox> &FlagBoxes();
    QLabel *AddRow(class QGridLayout *grid, const TLanguageStrings &caption, QWidget *control,
                   QWidget *unit = nullptr);
    void BuildPage();
    void LoadSettings(const TS57ViewerValues &values);
    void LoadDisplayCategory(bool boundsOnly);
    void UpdateEnabled();
    void TrackBarTextScaleChange();
    void WriteDisplayFlags();

    TMarivoNavEnv &FEnv;
    IS52PresentationLib *FLib;
    bool FTextScaleMoved = false;
    bool FLoading = false;
    QWidget *FPage;
    // The labels beside the controls, for UpdateEnabled.
    QLabel *FLabelMaxBuoyScamin, *FLabelImportantOnly, *FLabelAtoN, *FLabelLightDesc,
        *FLabelNational, *FLabelBxPrefix, *FLabelShallowOnly;
};
