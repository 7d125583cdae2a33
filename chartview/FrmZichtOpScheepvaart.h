// The sign-up dialog for automatic operation requests at bridges and locks: explains the
// service and asks for ship name, MMSI, safety margin and phone number. GUI thread only;
// tests answer it through SetPrompter.
#pragma once

#include "base/forms/KvForms.h"

#include <QString>
#include <cstdint>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class TNumberEdit;
class TWBContainer;

class TFormZichtOpScheepvaart : public TFormScaled {
    Q_OBJECT
public:
    TFormZichtOpScheepvaart(QWidget *owner, int32_t mmsi, float mastHeight);

    // On OK the four values are taken from the edits; any other result leaves them alone.
    static int Execute(QWidget *owner, QString &shipName, QString &phone, float &safetyMargin,
                       int32_t &mmsi, float mastHeight);

    using TPrompter = std::function<int(TFormZichtOpScheepvaart &form)>;
    static TPrompter SetPrompter(TPrompter prompter);

    // The information page as HTML.
    static QString InfoPage();
    // Leaving the margin edit: operation height := margin + mast height.
    void NumberEditSafetyMarginExit();

    QLabel *LabelHeader, *LabelInfo3, *LabelShipName, *LabelRequired, *LabelMMSI, *LabelSafetyMargin,
        *LabelSafetyMarginUnit, *LabelOperationHeight, *LabelOperationHeightUnit, *LabelPhone;
    TWBContainer *HTMLViewer;
    QLineEdit *EditShipName, *EditPhone;
    TNumberEdit *EditMMSINumber, *NumberEditSafetyMargin, *NumberEditOperationHeight;
    QPushButton *ButtonOK, *ButtonCancel;

protected:
    void done(int result) override;

private:
    float FMastHeight;
};
