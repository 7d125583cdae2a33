// The waypoint properties page of the text import: the group, type and proximity the
// imported waypoints get, each chosen here or taken from the data. Completes the wizard's
// items in place. GUI thread only.
#pragma once

#include "base/forms/KvFrameScaled.h"
#include "base/txtformat/KvTxtFormat.h"

#include <KvLibNav6/KvWaypoints.h>

#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;
class TNumberEdit;

class TFrameImportPropertiesWaypoint : public TFrameScaled {
    Q_OBJECT
public:
    // database: the user waypoint database the waypoints go to.
    explicit TFrameImportPropertiesWaypoint(IWptDatabase *database, QWidget *owner = nullptr);
    ~TFrameImportPropertiesWaypoint() override;

    void SetGroupDataAvailable(bool available);
    void SetProximityDataAvailable(bool available);
    void SetTypeDataAvailable(bool available);
    bool Validate();
    void Apply(std::vector<TPointData> &items) const;

    // The group chosen on the page (nil for none or a group still to be made).
    IWptWaypointGroup *ChosenGroup() const;
    IWptWaypointType *ChosenType() const { return FType; }

    QRadioButton *GroupNone = nullptr, *GroupNew = nullptr, *GroupExisting = nullptr, *GroupData = nullptr;
    QRadioButton *TypeExisting = nullptr, *TypeData = nullptr;
    QRadioButton *ProxNone = nullptr, *ProxNew = nullptr, *ProxData = nullptr;
    QLineEdit *EditGroup = nullptr;
    QComboBox *ComboGroups = nullptr;
    TNumberEdit *EditProximity = nullptr;
    QPushButton *ButtonType = nullptr;
    QLabel *LabelTypeValue = nullptr;

private:
    void UpdateTexts();
    void FillGroups();
    void UpdateControls();
    void ShowType();
    void OnTypeClicked();

    IWptDatabase *FDatabase;
    IWptWaypointType *FType = nullptr;
    QLabel *FLabelInformation = nullptr, *FLabelType = nullptr, *FLabelProximity = nullptr,
           *FLabelGroup = nullptr, *FLabelUnit = nullptr;
    QWidget *FIcon = nullptr;
};
