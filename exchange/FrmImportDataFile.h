// The data-file run of the import wizard (a program data file's waypoints, routes, profiles
// and tracks) and its polar-file run, installed into a wizard from its InstallRuns. GUI
// thread only.
#pragma once

class TFormImport;
class TFrameDataSelect;
class TFrameDataSelectOther;
class TImportDataFile;

// Pages of the data-file run.
namespace ImportDataFilePage {
inline constexpr int Objects = 20;
inline constexpr int Items = 21;
}  // namespace ImportDataFilePage

// The run's state and pages, owned by the wizard.
struct TDataFileImportRun {
    TImportDataFile *Data;
    TFrameDataSelect *ObjectFrame;
    TFrameDataSelectOther *ItemFrame;
};

// Adds the data-file pages and the steps ReadDataFile, ReadPolarFiles and the data-file
// import steps to the wizard.
void InstallDataFileImportRun(TFormImport &form);
// The wizard's data-file run; Data is nil before it is installed.
TDataFileImportRun DataFileImportRunOf(TFormImport &form);
