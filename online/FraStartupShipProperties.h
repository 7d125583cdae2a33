// The start-up wizard's ship page: the ship's name (settings) and its length, beam, draught
// and height, written into the environment's boat definition as soon as an edit is left,
// and the ships saved in the online account: choosing one applies it, "Upload" saves the
// shown values under the shown name, "Remove" deletes the chosen saved ship. The answers to
// upload and removal reach the wizard, which then has the list rebuilt. GUI thread.
#pragma once

#include "base/forms/KvFrameScaled.h"

#include <QString>

class ILPBoatDef;
class IUserDataAPI;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;

// A ship saved in the account, metres.
struct TShipDimensions {
    float Draught = 0;
    float Height = 0;
    float Length = 0;
    QString Name;
    float Beam = 0;
};
Q_DECLARE_METATYPE(TShipDimensions)

class TFrameStartupShipProperties : public TFrameScaled {
    Q_OBJECT
public:
    // boat and userData are borrowed (the environment's and the wizard's).
    TFrameStartupShipProperties(ILPBoatDef *boat, IUserDataAPI *userData, QWidget *owner = nullptr);

    void UpdateTexts();
    // "<default>" and one entry per saved ship; nothing chosen afterwards.
    void LoadSavedShips();
    void LoadValues();
    void ReloadShips() { LoadSavedShips(); }
    bool CanLeavePage() const { return true; }

    QLabel *LabelSavedShips;
    QComboBox *ComboSavedShips;
    QPushButton *ButtonUpload;
    QPushButton *ButtonRemove;
    QLabel *LabelShipName;
    QLineEdit *EditShipName;
    QDoubleSpinBox *EditDimensionLength;
    QDoubleSpinBox *EditDimensionBeam;
    QDoubleSpinBox *EditDraught;
    QDoubleSpinBox *EditHeight;

protected:
    bool event(QEvent *event) override;

private:
    void ComboSavedShipsSelect(int index);
    void EditShipNameExit();
    void EditDimensionLengthExit();
    void EditDimensionBeamExit();
    void EditDraughtExit();
    void EditHeightExit();
    void ButtonUploadClick();
    void ButtonRemoveClick();
    void UpdateButtons();
    void Apply(float length, float beam, float draught, float height);

    ILPBoatDef *FBoat;
    IUserDataAPI *FUserData;
    QLabel *FLabels[4];
    QLabel *FUnits[4];
};
