// The properties page of the GPS download wizard: the waypoint type and the waypoint group
// the downloaded waypoints get, and the radius of every point of the downloaded routes.
// A new group is only named here; the wizard creates it with CreateNewGroup once the merge
// has succeeded, so a cancelled or failed download leaves no empty group behind.
// GUI thread only.
#pragma once

#include "base/forms/KvFrameScaled.h"

#include <QString>
#include <cstdint>

class IWptDatabase;
class IWptWaypointGroup;
class IWptWaypointType;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TNumberEdit;
class TPaintBoxEx;

class TFrameDownloadProperties : public TFrameScaled {
    Q_OBJECT
public:
    // database: the user database the download goes into; not owned.
    TFrameDownloadProperties(QWidget *owner, IWptDatabase *database);
    ~TFrameDownloadProperties() override;

    // Metres.
    double GetRadius() const;
    void SetWaypointPartEnabled(bool enabled);
    void SetRoutePartEnabled(bool enabled);
    // False, after a message, when a new group is asked for without a name.
    bool Validate();

    // Owned by the database or its manager.
    IWptWaypointType *WaypointType() const { return FWaypointType; }
    // The chosen existing group, or after CreateNewGroup the new one; nullptr for none.
    IWptWaypointGroup *TargetGroup() const { return FTargetGroup; }
    bool WantsNewGroup() const;
    // Creates and names the new group in the database; err from the naming.
    IWptWaypointGroup *CreateNewGroup(int32_t &err);

    QLabel *ImageInformation, *LabelInformation;
    QLabel *LabelWaypointProperties, *LabelWaypointType, *LabelTypeValue, *LabelWaypointGroup;
    TPaintBoxEx *PaintBoxIcon;
    QPushButton *ButtonType;
    QRadioButton *RadioButtonGroupNew, *RadioButtonGroupExisting, *RadioButtonGroupNone;
    QLineEdit *EditWaypointGroup;
    QComboBox *ComboBoxWaypointGroups;
    QLabel *LabelRouteProperties, *LabelRadiusInfo, *LabelRadius, *LabelRadiusUnit;
    TNumberEdit *EditRadius;

private:
    void BuildLayout();
    void FillGroups();
    void UpdateEnabled();
    void GroupClicked();
    void ButtonTypeClick();
    void UpdateTypeLabel();

    IWptDatabase *FDatabase;
    IWptWaypointType *FWaypointType;
    IWptWaypointGroup *FTargetGroup = nullptr;
    bool FWaypointPart = true, FRoutePart = true;
};
