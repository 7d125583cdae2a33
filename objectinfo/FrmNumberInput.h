// A small modal dialog that asks for one number, with an optional "use the default" box
// (the waiting time of a structure is edited with it). GUI thread.
#pragma once

#include "base/forms/KvForms.h"

#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;
class TNumberEdit;

class TFormNumberInput : public TFormScaled {
    Q_OBJECT
public:
    struct TSetup {
        QString Caption, Info;
        int Digits = 0;
        float DefaultValue = 0.0f, Maximum = 0.0f, Minimum = 0.0f;
        bool OfferDefault = false, Fractional = false;
        QString DefaultCaption, UnitText;
    };
    TFormNumberInput(QWidget *owner, const TSetup &setup, float value);

    // value in: shown; out on OK: the edit's value, or the default when the box is ticked.
    // True only for OK.
    static bool Execute(const QString &caption, const QString &info, float &value, int digits,
                        float defaultValue, float maximum, float minimum, bool offerDefault,
                        bool fractional, const QString &defaultCaption, const QString &unitText);
    // The value the dialog gives on OK.
    float Result() const;

    // Runs the dialog instead of exec (tests); returns the previous prompter.
    using TPrompter = std::function<int(TFormNumberInput &form)>;
    static TPrompter SetPrompter(TPrompter prompter);

    QLabel *LabelInfo = nullptr;
    TNumberEdit *EditInput = nullptr;
    QLabel *LabelUnit = nullptr;
    QCheckBox *CheckUseDefault = nullptr;
    QPushButton *ButtonOk = nullptr;
    QPushButton *ButtonCancel = nullptr;

private:
    void CheckUseDefaultClick();
    TSetup FSetup;
};
