// The regional settings: interface language, UTC offset, units and position format. The
// language takes effect as soon as it is chosen (and goes back on Cancel); the rest is
// handed to the environment, which stores it, only on OK. The language is stored on every
// close. GUI thread.
#pragma once

#include "shell/FrmSettingsCommon.h"

#include <QString>
#include <array>
#include <cstdint>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;
class QWidget;
class TMarivoNavEnv;
class TNumberEdit;

class TFormSettingsLocale : public TFormSettingsDialog {
    Q_OBJECT
public:
    TFormSettingsLocale(TMarivoNavEnv &env, QWidget *parent = nullptr);

    // True when closed with OK: the environment then holds the new units, position format
    // and UTC settings, and the caller re-applies units and texts everywhere.
    static bool Execute(TMarivoNavEnv &env, QWidget *parent = nullptr);

    using TPrompter = std::function<int(TFormSettingsLocale &form)>;
    static TPrompter SetPrompter(TPrompter prompter) {
        return TSettingsPrompter<TFormSettingsLocale>::Set(std::move(prompter));
    }

    // One entry per language of the set, in its own name with its flag; selects the
    // current language, else the first entry (without changing the language).
    void FillLanguages(uint32_t available);
    // Captions and unit lists in the current language, then the working values shown.
    void SetLanguage();

    QComboBox *ComboBoxLanguage;
    QCheckBox *CheckBoxUTCOffsetSync;
    TNumberEdit *EditUTCOffset;
    QComboBox *ComboBoxSpeed, *ComboBoxDistanceLarge, *ComboBoxDistanceSmall, *ComboBoxDepth,
        *ComboBoxTemperature, *ComboBoxVolume, *ComboBoxCurrency;
    QWidget *PanelUnits1, *PanelUnits2, *PanelUnits3, *PanelUnits4, *PanelCurrency;
    QPushButton *ButtonPresetNautical, *ButtonPresetMetric, *ButtonPresetUS;
    QRadioButton *RadioButtonFormatDegrees, *RadioButtonFormatDegreesMinutes,
        *RadioButtonFormatDegreesMinutesSeconds;

protected:
    void CloseQuery(bool ok) override;

private:
    void BuildLayout();
    void ConnectControls();
    void ShowValues();
    void ApplyPreset(int preset);
    void ComboBoxLanguageSelect(int index);
    void CheckBoxUTCOffsetSyncClick();
    void SetPositionFormat(int format, bool checked);
    std::array<QRadioButton *, 3> FormatButtons() const;

    TMarivoNavEnv &FEnv;
    int32_t FLanguageAtOpening;
    QString FCurrency;
    int32_t FUnitDepth, FUnitDistanceLarge, FUnitDistanceSmall, FUnitSpeed, FUnitTemperature,
        FUnitVolume;
    int32_t FPositionFormat;
    bool FShowing = false;  // lists being filled or selected by the dialog itself
    QLabel *FLabelGeneral, *FLabelLanguage, *FLabelUTCOffsetSync, *FLabelUTCOffset,
        *FLabelMinutes, *FLabelUnits, *FLabelSpeed, *FLabelDistanceLarge, *FLabelDistanceSmall,
        *FLabelDepth, *FLabelTemperature, *FLabelVolume, *FLabelPositionFormat, *FLabelCurrency;
};
