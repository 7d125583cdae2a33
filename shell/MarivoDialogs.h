// The dialogs and windows the main window's commands open, as one registry of slots. A
// slot left empty means that dialog is not part of the program yet: every command that
// needs it stays disabled (never a dead click) and enables itself once the slot is filled.
// A dialog joins the program by filling its slot in ProgramDialogs() (MarivoDialogs.cpp).
//
// Every slot runs modally on the GUI thread unless said otherwise; owner is the main
// window (the dialog's parent). Objects passed in belong to the caller (mostly the
// environment) and must not be kept past the call. A slot may raise: the main window lets
// the exception reach the application's handler (the GPS settings dialog is freed first).
#pragma once

#include <KvLibNav6/KvPlanner.h>

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

class ILPBoatDef;
class INavTrack;
class IWptDatabase;
class IWptObjectList;
class IWptRoute;
class IWptWaypointList;
class IWWNetwork;
struct TRoutePointSelection;
class INavBoatGPS;
class INavMsgDeviceManager;
class QAction;
class QToolBar;
class QWidget;
class TFrameViewer;
class TMarivoNavEnv;
class TNavViewerControl;
class TToolbarContents;

// What the GPS settings dialog gets.
struct TGPSSettingsCall {
    QWidget *Owner = nullptr;
    TMarivoNavEnv *Env = nullptr;
    // The communication command: the dialog may trigger it to start or stop the connection.
    QAction *Communication = nullptr;
    INavBoatGPS *GPS = nullptr;                       // the own ship's
    INavMsgDeviceManager *DeviceManager = nullptr;    // the environment's
    // False from the menu, True from the GPS error box (opens on the port page).
    bool FromErrorBox = false;
    // While the dialog is open it hands its port-list refresh here (the main window calls
    // it when a serial port comes or goes); it hands an empty function before it closes.
    std::function<void(std::function<void()> refreshPortList)> SetPortListRefresh;
};

// What the print dialog chooses and the print job prints.
struct TPrintSettings {
    uint32_t What = 0x7;     // bits of the parts to print: 0x1 tracks, 0x2 routes, 0x4 waypoints
    int32_t Orientation = 0; // 0 automatic, 1 portrait, 2 landscape
};

struct TMainDialogs {
    // Import wizard: waypoints, routes and tracks from files and devices.
    std::function<void(QWidget *owner, TMarivoNavEnv &env)> Import;
    // Regional settings (units, formats, time, interface language). True on OK; the
    // dialog has stored and applied the values.
    std::function<bool(QWidget *owner, TMarivoNavEnv &env)> SettingsLocale;
    // Ship settings of boat definition index (0 = the active one) in mode 1, with the
    // environment's units. True on OK; the values are in boat (stored by the caller).
    std::function<bool(QWidget *owner, TMarivoNavEnv &env, ILPBoatDef *boat, int32_t index,
                       int32_t mode)>
        SettingsShip;
    // Planner settings: settings in and out, with the environment's currency and units. True
    // on OK (the caller stores and applies).
    std::function<bool(QWidget *owner, TMarivoNavEnv &env, TPlannerSettings &settings)>
        SettingsPlanner;
    // Sailing area: the set of countries in and out (bit n = country n). True on OK.
    std::function<bool(QWidget *owner, TMarivoNavEnv &env, uint16_t &areas)> SettingsSailingArea;
    // View settings of the main viewer frame (no extra viewers); applies and stores itself.
    std::function<void(QWidget *owner, TMarivoNavEnv &env, TFrameViewer *viewer)> SettingsView;
    // Display options of one viewer frame (its properties); applies and stores itself. True
    // on OK.
    std::function<bool(QWidget *owner, TMarivoNavEnv &env, TFrameViewer *viewer)>
        SettingsViewChartViewer;
    // S-57 display settings, in and out. True on OK (the caller stores and applies).
    std::function<bool(QWidget *owner, TMarivoNavEnv &env, bool &boundsOnly, bool &widthMonitorAuto,
                       int32_t &widthMonitorMM)>
        SettingsS57;
    // GPS settings; True on OK.
    std::function<bool(const TGPSSettingsCall &call)> SettingsGPS;
    // Download of waypoints, routes and tracks from a GPS device.
    std::function<void(QWidget *owner, TMarivoNavEnv &env)> GPSDownload;
    // Print dialog: settings out (left as they were when no printer is installed); True to
    // print. The chosen printer and copy count are in ProgramPrinter() (MarivoPrinter.h).
    std::function<bool(QWidget *owner, TPrintSettings &settings)> Print;
    // The print job of the main view, run under the waiting form with the viewer's print
    // progress asking the form's Cancel. Returns the viewer's print result: 0 printed,
    // 2 cancelled, any other value a failure.
    std::function<int32_t(QWidget *owner, TNavViewerControl *viewer, const TPrintSettings &settings)>
        PrintJob;
    // Extension manager.
    std::function<void(QWidget *owner, TMarivoNavEnv &env)> ExtensionManager;
    // Update check: True when a program update was downloaded (fileName: its file); the
    // program then closes without a question.
    std::function<bool(QWidget *owner, QString &fileName, int32_t mode, bool silent)> CheckUpdates;
    // The news centre: created and shown on the first call; later calls start a check in
    // the foreground unless one runs. Non-modal; it lives as long as the main window.
    std::function<void(QWidget *owner, TMarivoNavEnv &env)> NewsCenter;
    // Start-up wizard; signUpChosen: the bridge and lock sign-up was chosen in it.
    std::function<void(QWidget *owner, TMarivoNavEnv &env, bool &signUpChosen)> StartupWizard;
    // About box with a title (empty: the program's).
    std::function<void(QWidget *owner, const QString &title)> About;
    // Main toolbar editor over the toolbar's contents. True on OK: the contents hold the new
    // buttons and the toolbar is rebuilt (the caller rewrites the stored toolbar).
    std::function<bool(QWidget *owner, TToolbarContents &contents)> ToolbarEdit;
    // Keyboard help window showing an existing HTML file.
    std::function<void(QWidget *owner, const QString &file)> HelpKeyboard;
    // Help window at a help context; False when there is no help file for the language.
    std::function<bool(QWidget *owner, int32_t context)> HelpContext;

    // ---- routes, waypoints and tracks -----------------------------------------------------
    // Route manager: returns what the skipper chose to do with route (0 nothing, 1 select or
    // deselect, 2 show, 3 follow); route is nullptr with 0.
    std::function<int(QWidget *owner, TMarivoNavEnv &env, IWptRoute *&route)> RouteManager;
    // Waypoint properties of the waypoints in list (edited in place). True on OK.
    std::function<bool(QWidget *owner, TMarivoNavEnv &env, IWptWaypointList *list)> WaypointEdit;
    // Waypoint type editor for the types in list, of database; mode 1 edits the first one.
    // True on OK (the types are changed in the database).
    std::function<bool(QWidget *owner, IWptDatabase *database, IWptObjectList *types, int32_t mode)>
        WaypointTypeEdit;
    // Track manager: returns the track chosen to be shown (owned by the environment's track
    // list), nullptr for none.
    std::function<INavTrack *(QWidget *owner, TMarivoNavEnv &env)> TrackManager;
    // Default track settings; True on OK (stored and applied by the dialog).
    std::function<bool(QWidget *owner, TMarivoNavEnv &env)> TrackSettings;
    // Default route settings (the core library's route defaults, stored by the dialog).
    // True on OK.
    std::function<bool(QWidget *owner, TMarivoNavEnv &env)> RouteSettingsDefault;
    // One location on the waterway network ("Find a route point"): True with the selection's
    // ToWaypoint, or its ToSection and ToPos. waterBodies: the water bodies searched (bit n =
    // water body n), in and out.
    std::function<bool(QWidget *owner, TMarivoNavEnv &env, IWWNetwork *network,
                       TRoutePointSelection &selection, int32_t &waterBodies)>
        RoutePointSelect;
};

// The dialogs that are part of the program so far.
TMainDialogs ProgramDialogs();
