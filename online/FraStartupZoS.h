// The start-up wizard's sign-up page for automatic operation requests to bridges and locks:
// an explanation, the ship's name, MMSI, safety margin, operation height and telephone
// number, and the choice to take part. The wizard's page order never shows it; it is
// built, loaded and checked all the same. GUI thread.
#pragma once

#include "base/forms/KvFrameScaled.h"

class ILPBoatDef;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QTextBrowser;
class TMarivoNavEnv;

class TFrameStartupZoS : public TFrameScaled {
    Q_OBJECT
public:
    explicit TFrameStartupZoS(TMarivoNavEnv &env, QWidget *owner = nullptr);

    // Texts, the explanation page and the stored values.
    void LoadPage();
    // signUp: "Yes" was chosen. False (after a message) when Yes lacks a ship name; with
    // Yes the values are stored.
    bool CheckSignUp(bool &signUp);

    QTextBrowser *HTMLViewer;
    QLabel *LabelInfo3;
    QLabel *LabelShipName;
    QLabel *LabelRequired;
    QLabel *LabelMMSI;
    QLabel *LabelSafetyMargin;
    QLabel *LabelSafetyMarginUnit;
    QLabel *LabelOperationHeight;
    QLabel *LabelOperationHeightUnit;
    QLabel *LabelPhone;
    QLineEdit *EditShipName;
    QSpinBox *EditMMSINumber;
    QDoubleSpinBox *NumberEditSafetyMargin;
    QDoubleSpinBox *NumberEditOperationHeight;
    QLineEdit *EditPhone;
    QRadioButton *RadioYes;
    QRadioButton *RadioNo;

protected:
    bool event(QEvent *event) override;

private:
    TMarivoNavEnv &FEnv;
    ILPBoatDef *FBoat;
};
