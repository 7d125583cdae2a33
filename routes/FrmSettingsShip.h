// The ship profile: type, name, dimensions, height, draught, GPS antenna position, the three
// motoring speeds and the fuel flow at each, edited in the user's units for one boat
// definition of the core library. OK refuses speeds that do not rise and otherwise writes
// back only what the dialog shows: every hidden value of the definition (kind, propulsion,
// polar, mast values, reductions) passes through, and the fuel curve is rewritten only when a
// speed or a consumption changed. The ship name lives in the settings store ("Boat"). The
// caller stores the definition and announces it. GUI thread.
#pragma once

#include "routes/UnitValueEdit.h"
#include "shell/FrmSettingsCommon.h"

#include <array>
#include <cstdint>

class ILPBoatDef;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QWidget;
class TNumberEdit;

class TFormSettingsShip : public TFormSettingsDialog {
    Q_OBJECT
public:
    TFormSettingsShip(ILPBoatDef *boatDef, int32_t index, bool multiBoat, int32_t speedUnit, int32_t depthUnit,
                      int32_t fuelUnit, int32_t smallDistanceUnit, bool openOnDimensions, QWidget *parent = nullptr);
    ~TFormSettingsShip() override;

    // True on OK, after writing the values into boatDef and the ship name into the store.
    // index and multiBoat do not change the dialog in this program (one profile, section
    // "Boat").
    static bool Execute(ILPBoatDef *boatDef, int32_t index, bool multiBoat, int32_t speedUnit, int32_t depthUnit,
                        int32_t fuelUnit, int32_t smallDistanceUnit, bool openOnDimensions,
                        QWidget *parent = nullptr);

    using TPrompter = std::function<int(TFormSettingsShip &form)>;
    static TPrompter SetPrompter(TPrompter prompter) {
        return TSettingsPrompter<TFormSettingsShip>::Set(std::move(prompter));
    }

    // The pages, in order.
    enum { PageGeneral, PageDimensions, PageSpeed };
    // The boat as the edits show it.
    void DrawBoat();

    QTabWidget *PageControl;
    // General
    QLabel *LabelGeneral, *LabelType, *LabelShipName;
    QRadioButton *RadioButtonTypePleasure, *RadioButtonTypeCommercial;
    QLineEdit *EditShipName;
    QWidget *PanelPolar, *PanelSpinnaker, *PanelMotorMin;  // rows of the sailing kinds
    QLabel *LabelPolar, *LabelSpinnakerRange, *LabelHoistAngle, *LabelSpeedIncrease, *LabelMotorMin;
    QPushButton *ButtonSelectPolar;
    TNumberEdit *EditSpinnakerFrom, *EditSpinnakerTo, *EditHoistAngle, *EditSpeedIncrease, *EditGeneralSpeedMin;
    QLabel *LabelSpinnakerUnit, *LabelMotorMinUnit;
    // Dimensions
    QLabel *LabelDimensions, *LabelLength, *LabelBeam, *LabelDraught, *LabelHeight, *LabelGPS, *LabelX, *LabelY;
    TNumberEdit *EditDimensionLength, *EditDimensionBeam, *EditDraught, *EditHeight, *EditDimensionX,
        *EditDimensionY;
    std::array<QLabel *, 6> DimensionUnits;  // length, beam, draught, height, X, Y
    QLabel *ImageBoat;
    // Speed and propulsion
    QLabel *LabelSpeeds;
    std::array<QLabel *, 3> LabelLevels;       // low, cruising, high
    std::array<QLabel *, 3> LabelSpeedCaption, LabelSpeedUnit, LabelFuelCaption, LabelFuelUnit;
    TNumberEdit *EditSpeedLow, *EditSpeedCruising, *EditSpeedHigh;
    TNumberEdit *EditFuelLow, *EditFuelCruising, *EditFuelHigh;

    // OK with speeds that do not rise is refused (message, speed page); the dialog stays open.
    void done(int result) override;

protected:
    void CloseQuery(bool ok) override;

private:
    QWidget *BuildGeneralPage();
    QWidget *BuildDimensionsPage();
    QWidget *BuildSpeedPage();
    void SetTexts();
    void Load();
    void ApplyKindRules();
    bool SpeedsIncrease() const;
    void WriteBack();

    ILPBoatDef *FBoat;
    int32_t FSpeedUnit, FDepthUnit, FFuelUnit, FSmallUnit;
    TUnitValueEdit FLength, FBeam, FDraught, FHeight, FX, FY;
    std::array<TUnitValueEdit, 3> FSpeeds, FFuels;
};
