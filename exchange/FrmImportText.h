// The text run of the import wizard (text waypoints and text routes) and the wizard's merge
// into the user database, installed into a wizard from its InstallRuns. GUI thread only.
#pragma once

class TFormImport;
class TTextImportSteps;

// Pages of the text run.
namespace ImportTextPage {
inline constexpr int Format = 50;
inline constexpr int PropertiesWaypoint = 51;
inline constexpr int PropertiesRoute = 52;
inline constexpr int Select = 53;
}  // namespace ImportTextPage

// Adds the text pages and the steps ReadTextFiles and MergeImportObjects to the wizard; the
// steps live as long as the wizard.
TTextImportSteps *InstallTextImportRun(TFormImport &form);
// The wizard's text steps, nil before they are installed.
TTextImportSteps *TextImportStepsOf(TFormImport &form);
