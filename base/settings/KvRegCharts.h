// Chart settings in the settings store: a raster chart's user calibration, the colour and
// on/off state of every installed chart set, the S-57 presentation settings, folder list
// and per-cell visibility, and the values each chart viewer keeps under its own key.
//
// Everything lives below the product key (root 1). Every routine has a form that takes the
// registry object first, for callers (and tests) that hand in their own; the short forms
// fetch GetAppReg() for the call and never keep it. Readers with a default never fail.
// GUI thread only.
#pragma once

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvCharts.h>
#include <KvLibNav6/KvGeodesy.h>

#include <QString>
#include <cstdint>

// Calibration of a raster chart under the chart's own key. Reference points are stored as
// pixels ("Pix1X" …) and positions in the default datum ("Coord1X" = longitude, "Coord1Y"
// = latitude, radians); "CoordSystem" 0..7 names the projection, its parameters are
// radians (k0 a scale factor), the datum is stored by code or, for a user-defined datum,
// by its seven Helmert values and ellipsoid.
//
// Reads the stored calibration into `calibration` and re-expresses it for an image of
// width × height pixels (three points on the image corners). False, and the calibration
// left as the failed step left it, for a missing or damaged calibration; never raises.
bool RegReadCalibration(const QString &key, IGeodeticCalibration *calibration, int32_t width,
                        int32_t height);
bool RegReadCalibration(IAppReg *reg, const QString &key, IGeodeticCalibration *calibration,
                        int32_t width, int32_t height);
// The stored datum: by "DatumCode", or from the Helmert values and ellipsoid when the code
// is empty. The datum belongs to the geodetic registry (asking again for the same values
// gives the same datum, so repeated reads do not pile up datums). False when a value is
// missing, the code is unknown or the values make no datum.
bool RegReadCalibrationDatum(IAppReg *reg, const QString &key, IGeodeticDatum *&datum);
// Replaces the key with the calibration. A nil calibration, one in error or one of a
// projection the store does not know leaves the key deleted, as does any failed write:
// there is never a partly written calibration. True when the calibration was stored.
bool RegWriteCalibration(const QString &key, IGeodeticCalibration *calibration);
bool RegWriteCalibration(IAppReg *reg, const QString &key, IGeodeticCalibration *calibration);
bool RegWriteCalibrationDatum(IAppReg *reg, const QString &key, IGeodeticDatum *datum);

// Chart-set colours and on/off states, key "Colors\Modules", values
// "<product number><set code>TColor" and "…Enabled".
void RegReadModuleColors(IChartManager *manager);
void RegReadModuleColors(IAppReg *reg, IChartManager *manager);
void RegWriteModuleColors(IChartManager *manager);
void RegWriteModuleColors(IAppReg *reg, IChartManager *manager);
// Whether a chart set of that product is on when nothing is stored.
bool ModuleEnabledDefault(uint32_t productNumber, const QString &setCode);

// S-57 presentation settings, key "S57" (written only; the program reads them back through
// the presentation library's own cache).
void RegWriteS57Settings(IS52PresentationLib *lib, bool widthMonitorAuto, int32_t widthMonitorMM);
void RegWriteS57Settings(IAppReg *reg, IS52PresentationLib *lib, bool widthMonitorAuto,
                         int32_t widthMonitorMM);
// The chart manager's S-57 folder list, rewritten whole below "S57\Folders": plain folders
// as Booleans named by their path (include-subfolders flag), Inland ENC folders as the
// numbered keys "S57\Folders\0", "…\1" in list order. Nothing is written when the old list
// cannot be removed, so no entry of it can come back; False then, or after a failed write.
bool RegWriteS57Folders(IChartManager *manager);
bool RegWriteS57Folders(IAppReg *reg, IChartManager *manager);
// Per-cell visibility below "S57\Visible", rewritten whole: one Integer per cell named by
// its full file name. The same rule for a failed removal as the folders.
bool RegWriteS57Visible(IChartManager *manager);
bool RegWriteS57Visible(IAppReg *reg, IChartManager *manager);

// Viewer values under the viewer frame's key.
// Share of the view's width and height where the boat is plotted (default 0.5, 0.5).
TFloat2 RegReadGPSPlotPosition(const QString &key);
void RegWriteGPSPlotPosition(const QString &key, const TFloat2 &position);
bool RegReadTrackingEnabled(const QString &key);
void RegWriteTrackingEnabled(const QString &key, bool value);
bool RegReadTrackingZoom100(const QString &key);
void RegWriteTrackingZoom100(const QString &key, bool value);
void RegWriteTrackingAutoPos(const QString &key, bool value);
// Only 0 and 1 are written.
void RegWriteTrackingTarget(const QString &key, int32_t target);
// Tracking modes 1..6 (stored as 2..7). valueName: "TrackingMode", "ViewerStateNavTMode"
// or "ViewerStateOverTMode". A stored value outside 2..7 reads as mode 5; a default
// outside 1..6 stands for mode 5.
int32_t RegReadTrackingMode(const QString &key, const QString &valueName, int32_t defaultMode);
// Modes outside 1..6 are not written.
void RegWriteTrackingMode(const QString &key, const QString &valueName, int32_t mode);

// The base folder of the Inland ENC chart sets, value "S57IENCFolder" of the product key;
// def when nothing is stored.
QString GetIENCFolder(const QString &def);
void SetIENCFolder(const QString &folder);
