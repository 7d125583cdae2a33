// The waypoint properties dialog: name, subtext, link, scale and name position of one or
// several waypoints, and the position of a single one. With several waypoints a property
// on which they differ is marked and left alone unless the user edits it; an edited value
// goes to every waypoint. Values are written on OK only; a value the core library refuses
// is reported with the waypoint and the property, and the dialog stays open. GUI thread.
#pragma once

#include <KvLibNav6/KvWaypoints.h>

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class TGeoEdit;
class TMarivoNavEnv;
class TNumberEdit;

// Bits of the properties on which the selected waypoints differ.
namespace WaypointDiff {
inline constexpr uint8_t Link = 1, NamePosition = 2, Proximity = 4, Scale = 8, Subtext = 16, Type = 32;
}

class TFormWaypointEdit : public QDialog {
    Q_OBJECT
public:
    // waypoints holds at least one waypoint; list and waypoints stay the caller's.
    TFormWaypointEdit(IWptWaypointList *waypoints, TMarivoNavEnv &env, QWidget *owner = nullptr);
    ~TFormWaypointEdit() override;

    // True when the dialog closed with OK; the values are written by then.
    static bool Execute(IWptWaypointList *waypoints, TMarivoNavEnv &env, QWidget *owner = nullptr);

    // Runs the dialog instead of exec (tests); returns the dialog result and the previous.
    using TPrompter = std::function<int(TFormWaypointEdit &form)>;
    static TPrompter SetPrompter(TPrompter prompter);

    // The properties on which the waypoints differ (and that were not edited since).
    uint8_t Differing() const { return FDiffering; }
    int NamePosition() const { return FNamePosition; }
    // The cell of the picker at (x, y) of its client area: row + 3 × column; -1 outside.
    static int PickerCell(int width, int height, int x, int y);

    QWidget *PanelInformation, *PanelWarning;
    QLabel *ImageInformation, *LabelInformation, *ImageWarning, *LabelWarning, *ImageHint, *LabelHint;
    QLabel *LabelGeneral, *LabelName, *LabelSubName, *LabelLink, *LabelScale, *LabelNamePosition;
    QLabel *LabelPosition, *LabelLatitude, *LabelLongitude;
    QLabel *ImageWarningSubName, *ImageWarningLink, *ImageWarningScale, *ImageWarningNamePos;
    QLineEdit *EditName, *EditSubName, *EditLink;
    TNumberEdit *EditScale;
    TGeoEdit *EditLatitude, *EditLongitude;
    QWidget *PaintBoxNameOrigin;
    QPushButton *ButtonMoreInfo, *ButtonHelp, *ButtonOk, *ButtonCancel;

protected:
    void done(int result) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void BuildLayout();
    void LoadLanguage();
    void LoadValues();
    void UpdateControls();
    void Clear(uint8_t bit);
    bool WriteValues();
    QList<QLabel *> Pictures() const;

    IWptWaypointList *FWaypoints;
    TMarivoNavEnv &FEnv;
    uint8_t FDiffering = 0;
    int FNamePosition = 0;
    IWptWaypointType *FType = nullptr;
};
