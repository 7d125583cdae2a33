// Charts: the catalogue of installed chart products and chart sets, raster (BSB/KAP) charts
// and their descriptions, S-57 cells and their folders, the S-52 presentation settings, the
// S-57 loaders and sorted GUID sets.
//
// Chart products live in folders below the charts folder, each described by a small
// manifest of this library's own. Raster charts and S-57 cells are read through GDAL.
// A viewer index is 0..31; a viewer's bit in masks is 1 << index. Chart-set kinds ("modules")
// are numbered too: a set of kinds is a mask with bit 1 << kind.
//
// Every call happens on the GUI thread. Background loading reports through the callbacks
// given to the factories, which the library delivers on the GUI thread as well.
#pragma once

#include <cstdint>
#include <string>

#include "KvCallbacks.h"
#include "KvStrW.h"
#include "KvTypes.h"

class IGeodeticCalibration;
class INavPredictedTime;
class IMRCChartSetRecord;
struct TProgressEx;

class IChartProduct;
class IChartProductInfo;
class IChartSet;
class IChartSetInfo;
class IChartDataFile;
class IChartCatalogueEntry;
class IChartCatalogueObject;
class IRasterChart;
class IRasterChartInfo;
class IRasterChartUpdateInfo;
class IChart;
class IS57Object;
class IS57ChartSettings;
class IS52PresentationLib;
class IS57RegistrarManager;
class ISortedGUIDArray;

// Fixed product codes (IChartProductInfo::GetCode).
namespace ChartProductCode {
inline constexpr char16_t MRC1[] = u"_MRC1";
inline constexpr char16_t BSB[] = u"_BSB";
inline constexpr char16_t User[] = u"_USER";  // charts the user made
}  // namespace ChartProductCode

// IRasterChartInfo::GetDatum kinds.
namespace RasterChartDatumKind {
inline constexpr int32_t Named = 0;       // Name1 and Name2 describe it
inline constexpr int32_t Shift = 1;       // ShiftLat/ShiftLon relative to WGS 84
inline constexpr int32_t Parameters = 2;  // given by parameters
}  // namespace RasterChartDatumKind

// Horizontal datum of a raster chart.
struct TRasterChartDatum {
    int32_t Kind = RasterChartDatumKind::Named;
    std::u16string Name1;
    std::u16string Name2;
    double ShiftLat = 0.0;  // radians
    double ShiftLon = 0.0;  // radians
};

// Magnetic variation printed on a raster chart.
struct TMagneticVariation {
    bool Present = false;
    double Degrees = 0.0;            // east positive
    double RateDegPerSecond = 0.0;   // yearly change = rate × 31,536,000 s
    TDateTime MeasuredUTC = 0.0;     // 0 = no measuring date (then the rate means nothing)
};

// One S-57 chart folder as the folder dialogs edit it. The program owns these records;
// IChartManager::GetS57Folder and GetS57FolderInfo supply the fields.
struct TS57ChartFolder {
    std::u16string Folder;
    bool WithSubfolders = true;
    bool IsIENCSet = false;      // a chart set downloaded by the Inland ENC client
    std::u16string CountryCode;  // identity of that chart set; empty otherwise
    std::u16string Region;
    std::u16string Water;
};

// What the chart-sets-changed callback carries in its reloadData argument: the catalogue
// entries now selected for the viewer. Valid only during the callback; the entries belong
// to the chart manager.
struct TChartSetReloadData {
    IChartCatalogueEntry *const *RasterEntries = nullptr;
    int32_t RasterCount = 0;
    IChartCatalogueEntry *const *S57Entries = nullptr;
    int32_t S57Count = 0;
};

// S-52 display flag bits (IS52PresentationLib::GetDisplayFlags/SetDisplayFlags), per viewer.
namespace S52DisplayFlag {
inline constexpr uint32_t FourDepthShades = 0x1;  // clear: two shades
inline constexpr uint32_t UseSCAMIN = 0x2;
inline constexpr uint32_t ShowSoundings = 0x4;
inline constexpr uint32_t ShowMeta = 0x8;
inline constexpr uint32_t ShowText = 0x10;
inline constexpr uint32_t ShowTextImportant = 0x20;
inline constexpr uint32_t ShowAtoNLabels = 0x40;
inline constexpr uint32_t ShowLightDesc = 0x80;
inline constexpr uint32_t ShowNational = 0x100;
inline constexpr uint32_t UseORIENT = 0x200;
inline constexpr uint32_t ShowNoticeMarks = 0x400;
inline constexpr uint32_t ShowLandFeatures = 0x800;
inline constexpr uint32_t ShowBxPrefix = 0x1000;
inline constexpr uint32_t ShowBuoys = 0x2000;
inline constexpr uint32_t UseShallowPattern = 0x4000;
inline constexpr uint32_t Enhancements = 0x8000;
inline constexpr uint32_t ShowContourLabels = 0x10000;
inline constexpr uint32_t ShowBENCs = 0x20000;
inline constexpr uint32_t SoundingsShallowOnly = 0x40000;
}  // namespace S52DisplayFlag

namespace S52DisplayCategory {
inline constexpr int32_t Base = 0;
inline constexpr int32_t Standard = 1;
inline constexpr int32_t Other = 2;
}  // namespace S52DisplayCategory

namespace S52SymbolStyle {
inline constexpr int32_t Simplified = 76;
inline constexpr int32_t Paper = 82;
}  // namespace S52SymbolStyle

namespace S52BoundaryStyle {
inline constexpr int32_t Plain = 78;
inline constexpr int32_t Symbolized = 79;
}  // namespace S52BoundaryStyle

namespace S52ColorScheme {
inline constexpr int32_t Day = 0;
inline constexpr int32_t Dusk = 1;
inline constexpr int32_t Night = 2;
}  // namespace S52ColorScheme

// Installed chart products and sets, the raster catalogue, the S-57 charts and folders, and
// which charts each registered viewer shows. From ChartManagerCreate; owned by the program's
// environment. The environment releases it (after the chart data cache, and after every
// viewer has dropped its charts) before an outside program changes the charts, and creates
// it again afterwards; nothing obtained from it survives that.
class KVLIB_API IChartManager : public NavObject {
public:
    // Adds a folder to the persistent S-57 folder list; adding a listed folder again only
    // updates its with-subfolders flag. The cells are read on the next LoadS57ChartInfo.
    virtual void AddS57Folder(const TStrWRec &folder, bool withSubfolders,
                              IS57RegistrarManager *registrar,
                              IS52PresentationLib *lib) = 0;                         // slot 2
    // Hands one viewer the charts of an updated chart set (added to what it shows; the
    // viewer's other charts stay). Probably the same operation as SetNewlySelectedCharts.
    virtual void SetViewerChartSet(int32_t viewerIndex, ISortedGUIDArray *guids) = 0;  // slot 5 (assumed)
    // name: an S-57 cell name or a chart file name; index into GetChart.
    virtual bool FindChart(const TStrWRec &name, int32_t &index) = 0;                // slot 7
    virtual bool HasS57Folder(const TStrWRec &folder, int32_t &index) = 0;           // slot 8
    // Raster catalogue: every raster chart of every installed chart set.
    virtual int32_t GetCatalogueCount() = 0;                                         // slot 9
    virtual IChartCatalogueEntry *GetCatalogueEntry(int32_t i) = 0;                  // slot 10 (assumed) ≡ GetChartEntry
    // S-57 charts (cells) of all S-57 folders; HasCharts = count > 0.
    virtual int32_t GetChartCount() = 0;                                             // slot 13 (assumed)
    virtual IChart *GetChart(int32_t i) = 0;                                         // slot 16 (assumed)
    // excluded ≡ the "fixed" flag: the folder's charts are left out of the chart manager
    // dialog. identity is filled for Inland ENC folders and emptied for the others.
    virtual void GetS57Folder(int32_t i, IStrW *folder, bool &excluded, IStrW *identity,
                              bool &withSubfolders) = 0;                             // slot 18
    // Inland ENC identity of an S-57 folder; empty texts for other folders.
    virtual void GetS57FolderInfo(int32_t i, IStrW *countryCode, IStrW *region,
                                  IStrW *water) = 0;                                 // slot 20
    // GUIDs of the charts shown in a viewer; viewerIndex 0 also answers "charts in use".
    // out is cleared first.
    virtual void GetSelectedCharts(ISortedGUIDArray *out, int32_t viewerIndex) = 0;  // slot 21 (assumed)
    // Rescans the S-57 chart information of every folder; progress is driven through the
    // staged progress record. The callers pass (0, 0, 1) as the three options.
    virtual bool LoadS57ChartInfo(TProgressEx *progress, int32_t option1, int32_t option2,
                                  int32_t option3, int32_t &err) = 0;                // slot 25
    // After every viewer got its chart list: the selection becomes the stored one.
    virtual void CommitSelection() = 0;                                              // slot 26
    virtual void RemoveS57Folder(const TStrWRec &folder) = 0;                        // slot 27
    // Writes the S-57 base data (folder list, visibility) to the given file.
    virtual void SaveS57BaseData(const TStrWRec &file, int32_t &err) = 0;            // slot 30
    // A viewer index whose selection the manager keeps; registering again is harmless.
    virtual void RegisterViewer(int32_t viewerIndex) = 0;                            // slot 35
    virtual void UnregisterViewer(int32_t viewerIndex) = 0;                          // slot 36

    virtual int32_t GetProductCount() = 0;                                           // slot —
    virtual IChartProduct *GetProduct(int32_t i) = 0;                                // slot —
    // index into the raster catalogue (GetCatalogueEntry).
    virtual bool FindChartByGUID(const TGUID &guid, int32_t &index) = 0;             // slot —
    virtual int32_t GetRasterChartCount() = 0;                                      // slot —
    virtual int32_t GetS57FolderCount() = 0;                                         // slot —
    // Switches the charts of the set off for one viewer ("Hide chart").
    virtual void DeselectCharts(ISortedGUIDArray *guids, int32_t viewerIndex) = 0;   // slot —
    // Replaces the viewer's whole selection with guids.
    virtual void SetSelectedCharts(int32_t viewerIndex, ISortedGUIDArray *guids) = 0;  // slot —
    // Charts the user switched on in the chart manager dialog, added to the viewer.
    virtual void SetNewlySelectedCharts(int32_t viewerIndex,
                                        ISortedGUIDArray *guids) = 0;                // slot —
    // Registers a downloaded chart set (its files already in chartFolder) so that its
    // charts appear; the chart-sets-changed callback follows.
    virtual void InstallChartSet(IMRCChartSetRecord *rec, const TStrWRec &chartFolder,
                                 int32_t &err) = 0;                                  // slot —
    // Unregisters the set; its files stay where they are.
    virtual void RemoveChartSet(IMRCChartSetRecord *rec) = 0;                        // slot —
    // Charts, cells, manifests and folders the last scans skipped (unreadable, damaged,
    // uncalibrated, empty, cancelled by an update), updates that could not be applied,
    // charts a viewer could not load or draw, and the manager's own files it could not
    // save (listed until saved), each with its file or folder and the reason.
    virtual int32_t GetProblemCount() = 0;                                           // slot —
    // False (texts emptied) for an index out of range.
    virtual bool GetProblem(int32_t i, IStrW *file, IStrW *message) = 0;             // slot —
};

// An installed chart product (a maker's chart series). Owned by the chart manager.
class KVLIB_API IChartProduct : public NavObject {
public:
    virtual IChartProductInfo *GetInfo() = 0;                                        // slot —
    virtual int32_t GetChartSetCount() = 0;                                          // slot —
    virtual IChartSet *GetChartSet(int32_t i) = 0;                                   // slot —
};

// Description of a chart product. Owned by its product.
class KVLIB_API IChartProductInfo : public NavObject {
public:
    // The product key (e.g. 196651); registry value names and online queries use it.
    // Always compared by value.
    virtual uint32_t GetProductNumber() = 0;                                         // slot 4 ≡ product key
    // Empty when the manifest has none; callers then show the code.
    virtual const TStrWRec *GetTitle() = 0;                                          // slot 5
    virtual const TStrWRec *GetCode() = 0;                                           // slot 6
};

// One chart set of a product. Owned by its product.
class KVLIB_API IChartSet : public NavObject {
public:
    // Applies the GUID set that the viewers were just given (after SetViewerChartSet).
    virtual void ApplySelection() = 0;                                               // slot 1
    // Only usable sets load their add-on waypoint databases.
    virtual bool IsUsable() = 0;                                                     // slot 2
    virtual int32_t GetEntryCount() = 0;                                             // slot 4 (assumed) ≡ GetChartCount
    virtual IChartCatalogueEntry *GetEntry(int32_t i) = 0;                           // slot 5 (assumed) ≡ GetChart
    virtual IChartSetInfo *GetInfo() = 0;                                            // slot 6 (assumed)
    // Display colour of the set's charts, as stored under "<product key><code>TColor";
    // -1 = none.
    virtual int32_t GetColor() = 0;                                                  // slot 9
    virtual bool GetEnabled() = 0;                                                   // slot 11
    virtual void SetColor(int32_t color) = 0;                                        // slot 12
    // The settings store supplies the default, which depends on the product.
    virtual void SetEnabled(bool enabled) = 0;                                       // slot 13
    // Shown in the chart manager dialog.
    virtual bool IsActive() = 0;                                                     // slot —
};

// Description of a chart set. Owned by its set.
class KVLIB_API IChartSetInfo : public NavObject {
public:
    // Waypoint databases that come with the set.
    virtual int32_t GetDataFileCount() = 0;                                          // slot 6
    virtual IChartDataFile *GetDataFile(int32_t i) = 0;                              // slot 7
    // Chart-set kind ("module"); a mask of kinds has bit 1 << kind.
    virtual int32_t GetKind() = 0;                                                   // slot 12 (assumed) ≡ GetModule
    virtual const TStrWRec *GetTitle() = 0;                                          // slot 13
    // E.g. "BE"; registry value names are "<product key><code>TColor" / "…Enabled".
    virtual const TStrWRec *GetCode() = 0;                                           // slot 14
    virtual const TStrWRec *GetFolder() = 0;                                         // slot 15
    virtual int32_t GetChartSetNumber() = 0;                                         // slot —
    virtual int32_t GetChartCount() = 0;                                             // slot —
    // The set was installed by this program (not by the companion chart manager).
    virtual bool IsOwnInstallation() = 0;                                            // slot —
};

// A file that comes with a chart set. Owned by the set's information object.
class KVLIB_API IChartDataFile : public NavObject {
public:
    // Full path of a waypoint database whose header identifier starts with
    // "<product code>_"; its point-of-interest ".content" file lies beside it.
    virtual const TStrWRec *GetFileName() = 0;                                       // slot 1
};

// Common base of raster charts (IRasterChart) and S-57 cells (IChart), so that one array
// can hand both to a viewer; the viewer tells them apart by their dynamic type.
class KVLIB_API IChartBase : public NavObject {
};

// One raster chart in the catalogue. From IChartManager::GetCatalogueEntry or
// IChartSet::GetEntry; owned by the chart manager.
class KVLIB_API IChartCatalogueEntry : public NavObject {
public:
    virtual IChartCatalogueObject *GetCatalogueObject() = 0;                         // slot 1
    // Viewers (bit 1 << viewer index) that show the chart.
    virtual uint32_t GetViewerBits() = 0;                                            // slot —
    // The chart file is present and readable.
    virtual bool IsAvailable() = 0;                                                  // slot —
    // Date kept with the entry (the chart's own date when it has no update time).
    virtual TDateTime GetDate() = 0;                                                 // slot —
    virtual IChartSet *GetChartSet() = 0;                                            // slot —
    // Identifier of the chart within this chart manager: what the viewer's
    // SetChartSelection items and TS57Sel::Chart hold.
    virtual int32_t GetChartHandle() = 0;                                            // slot —
    // Display settings of an S-57 entry; nullptr for a raster entry.
    virtual IS57ChartSettings *GetS57Settings() = 0;                                 // slot —
};

// The chart behind a catalogue entry. Owned by the entry.
class KVLIB_API IChartCatalogueObject : public NavObject {
public:
    virtual IRasterChart *GetRasterChart() = 0;                                      // slot 1
    // Descriptive text of the chart for the chart information panel.
    virtual const TStrWRec *GetText() = 0;                                           // slot 4
};

// A BSB/KAP raster chart. From catalogue objects, viewer hit tests and the viewer's focus;
// owned by the chart manager (or by the viewer for its view charts).
class KVLIB_API IRasterChart : public IChartBase {
public:
    // Full path.
    virtual const TStrWRec *GetFileName() = 0;                                       // slot 2
    // The chart's calibration; its projection (slot 21) tells the coordinate system,
    // ProjectionKind::RD for charts on the Dutch grid.
    virtual IGeodeticCalibration *GetGeodeticReference() = 0;                        // slot 3
    // The catalogue chart this chart stands for (itself for a catalogue chart): its GetInfo
    // gives the identity of a view chart.
    virtual IRasterChart *GetChartObject() = 0;                                      // slot 6 (assumed)
    virtual IRasterChartInfo *GetInfo() = 0;                                         // slot 7 (assumed)
    // Packed format version (major in bits 24-31); 2.0.0.0 and later carry licence texts.
    virtual int32_t GetVersion() = 0;                                                // slot 10
    // Never nullptr; IRasterChartUpdateInfo::IsPresent tells whether updates exist.
    virtual IRasterChartUpdateInfo *GetUpdateInfo() = 0;                             // slot —
    virtual void SetBorderHidden(bool hidden) = 0;                                   // slot —
    virtual bool GetBorderHidden() = 0;                                              // slot —
    // Angle in radians by which the chart's north is turned in its image; "Put chart
    // upright" rotates the view by it.
    virtual double GetRotationAngle() = 0;                                           // slot —
};

// Descriptive fields of a raster chart (BSB header and manifest). Texts a chart does not
// provide are empty. Owned by its chart.
class KVLIB_API IRasterChartInfo : public NavObject {
public:
    virtual const TStrWRec *GetName() = 0;                                           // slot 11
    virtual const TStrWRec *GetNumber() = 0;                                         // slot 12
    // Maker of the digital copy.
    virtual const TStrWRec *GetDigitizedBy() = 0;                                    // slot 13
    // 0 = none.
    virtual uint16_t GetEditionNumber() = 0;                                         // slot 14
    // The chart's identity (catalogue, selections, registry).
    virtual const TGUID *GetGUID() = 0;                                              // slot 17
    // Relative to the chart file's folder.
    virtual const TStrWRec *GetLegendFileName() = 0;                                 // slot 18
    virtual const TStrWRec *GetTermsText() = 0;                                      // slot 19 ≡ RasterChartInfoGetLicenseText
    virtual const TStrWRec *GetDisclaimer() = 0;                                     // slot 20
    // Additional information file number index (0 .. GetInfoFileCount - 1): its title and
    // its name relative to the chart file's folder. passThrough is handed back untouched
    // to the library's own lookup. False (texts emptied) for an index out of range.
    virtual bool GetInfoFile(int32_t index, int32_t passThrough, IStrW *title,
                             IStrW *fileName) = 0;                                   // slot 21
    // Kind of the chart set the chart belongs to (mask bit 1 << kind).
    virtual int32_t GetChartSetKind() = 0;                                           // slot 27
    virtual const TStrWRec *GetChartSetName() = 0;                                   // slot 28
    virtual const TStrWRec *GetProductCode() = 0;                                    // slot 32
    virtual const TStrWRec *GetRevisionDate() = 0;                                   // slot 34
    virtual const TStrWRec *GetOriginalScale() = 0;                                  // slot 35
    virtual const TStrWRec *GetSourceChartName() = 0;                                // slot 36
    virtual const TStrWRec *GetSourceNotice() = 0;                                   // slot 37
    virtual const TStrWRec *GetSourcePublisher() = 0;                                // slot 39
    virtual const TStrWRec *GetDepthUnits() = 0;                                     // slot 40
    virtual const TStrWRec *GetHeightUnits() = 0;                                    // slot 41
    virtual int32_t GetInfoFileCount() = 0;                                          // slot —
    virtual void GetDatum(TRasterChartDatum &out) = 0;                               // slot —
    virtual void GetMagneticVariation(TMagneticVariation &out) = 0;                  // slot —
};

// Update state of a raster chart. Owned by its chart.
class KVLIB_API IRasterChartUpdateInfo : public NavObject {
public:
    // Text describing the last update.
    virtual const TStrWRec *GetText() = 0;                                           // slot 2
    // UTC; 0 = never updated.
    virtual TDateTime GetUpdateTime() = 0;                                           // slot —
    virtual bool IsPresent() = 0;                                                    // slot —
};

// An S-57 cell. From IChartManager::GetChart or from viewer hit tests and focus; owned by
// the chart manager.
class KVLIB_API IChart : public IChartBase {
public:
    // The feature of this cell picked at the viewer's last S-57 pick; nullptr when none.
    virtual IS57Object *GetPickObject() = 0;                                         // slot 1
    // Hidden cells are neither handed to viewers nor listed in the chart manager dialog.
    virtual bool IsHiddenInManager() = 0;                                            // slot 2 (assumed)
    virtual const TStrWRec *GetEdition() = 0;                                        // slot 3
    // modules: mask of chart-set kinds or of viewer bits (1 << viewer index).
    virtual bool IsVisibleIn(uint32_t modules) = 0;                                  // slot 4 (assumed)
    // The value the settings store keeps under "S57\Visible" for the cell's file name.
    virtual int32_t GetVisibility() = 0;                                             // slot 5
    // Full path.
    virtual const TStrWRec *GetFileName() = 0;                                       // slot 6
    virtual const TStrWRec *GetFolder() = 0;                                         // slot 7
    // Product text without the "IENC "/"bENC "/"ENC " prefix callers put before it.
    virtual const TStrWRec *GetProductEdition() = 0;                                 // slot 14
    // Compilation scale denominator.
    virtual int32_t GetScale() = 0;                                                  // slot —
    virtual TDateTime GetIssueDate() = 0;                                            // slot —
    virtual const TGUID *GetGUID() = 0;                                              // slot —
    // Persists with the S-57 base data.
    virtual void SetVisibleInViewer(int32_t viewerIndex, bool on) = 0;               // slot —
    virtual bool IsIENC() = 0;                                                       // slot —
    virtual bool IsBENC() = 0;                                                       // slot —
    // S-57 VERDAT codes (1..41; 0 = not given).
    virtual int32_t GetSoundingDatum() = 0;                                          // slot —
    virtual int32_t GetVerticalDatum() = 0;                                          // slot —
    // 1..9 for ENCs; for bENCs 128 + 10 × lowest + highest range.
    virtual int32_t GetNavigationalPurpose() = 0;                                    // slot —
    virtual IS57ChartSettings *GetSettings() = 0;                                    // slot —
};

// Display settings of one S-57 cell, copied unchanged into the viewer's TS57Sel records.
// Owned by the cell or its catalogue entry.
class KVLIB_API IS57ChartSettings : public NavObject {
public:
    virtual bool GetShown() = 0;                                                     // slot —
    virtual int32_t GetValue() = 0;                                                  // slot —
    virtual bool GetFlag() = 0;                                                      // slot —
};

// The S-57 feature under the mouse at a pick. Raised with the viewer's S-57 object event;
// owned by the viewer and valid until the next pick or ClearS57Pick.
class KVLIB_API IS57Object : public NavObject {
public:
    // Cell name (as IChartManager::FindChart takes it).
    virtual const TStrWRec *GetChartName() = 0;                                      // slot 1
    // Attribute table of the feature as an HTML fragment; viewerContext is the viewer's
    // calibration. withHeader adds a heading; without it the fragment can be appended to
    // another description.
    virtual const TStrWRec *GetDetailsHTML(NavObject *viewerContext, IS52PresentationLib *settings,
                                           bool withHeader) = 0;                     // slot 2
    // A second cell under the mouse also has a feature worth describing.
    virtual bool HasSecondChartObject() = 0;                                         // slot 3
};

// S-52 presentation settings read by the S-57 renderer: global values and per-viewer
// values (category, flags, water-level offset) kept per viewer index. From
// S52PresentationLibCreate; owned by the program's environment and handed to every viewer.
// Setters take effect for drawing after Commit.
class KVLIB_API IS52PresentationLib : public NavObject {
public:
    // S52BoundaryStyle.
    virtual int32_t GetBoundaryStyle() = 0;                                          // slot 1
    // Date-dependent features are filtered by the predicted time.
    virtual bool GetCheckFeatureTime() = 0;                                          // slot 2
    // Contours in metres.
    virtual float GetDepthDeep() = 0;                                                // slot 5
    virtual float GetDepthSafe() = 0;                                                // slot 6
    virtual float GetDepthShallow() = 0;                                             // slot 7
    // S52DisplayCategory.
    virtual int32_t GetDisplayCategory(int32_t viewerIndex) = 0;                     // slot 8
    // S52DisplayFlag bits.
    virtual uint32_t GetDisplayFlags(int32_t viewerIndex) = 0;                       // slot 9
    // Largest SCAMIN applied to beacons and buoys.
    virtual int32_t GetMaxBuoyScamin() = 0;                                          // slot 10
    // S52SymbolStyle.
    virtual int32_t GetSymbolStyle() = 0;                                            // slot 12
    // 1.0 .. 2.0.
    virtual float GetTextScale() = 0;                                                // slot 13
    virtual void SetBoundaryStyle(int32_t style) = 0;                                // slot 18
    virtual void SetCheckFeatureTime(bool check) = 0;                                // slot 19
    virtual void SetDepthDeep(float metres) = 0;                                     // slot 22
    virtual void SetDepthSafe(float metres) = 0;                                     // slot 23
    virtual void SetDepthShallow(float metres) = 0;                                  // slot 24
    virtual void SetDisplayCategory(int32_t category, int32_t viewerIndex) = 0;      // slot 25
    virtual void SetDisplayFlags(uint32_t flags, int32_t viewerIndex) = 0;           // slot 26
    virtual void SetMaxBuoyScamin(int32_t scamin) = 0;                               // slot 27
    // Kept, not owned; nullptr detaches.
    virtual void SetPredictedTime(INavPredictedTime *time) = 0;                      // slot 28
    virtual void SetSymbolStyle(int32_t style) = 0;                                  // slot 30
    virtual void SetTextScale(float scale) = 0;                                      // slot 31
    // Takes the values into use and writes them to "S52Settings.ini" in the cache folder;
    // GetSaveError tells whether the write succeeded.
    virtual void Commit() = 0;                                                       // slot 37 ≡ Apply
    // S52ColorScheme.
    virtual int32_t GetColorScheme() = 0;                                            // slot —
    virtual void SetColorScheme(int32_t scheme) = 0;                                 // slot —
    // Offset added to charted water levels in one viewer; 0 = none.
    virtual void SetWaterLevelOffset(int32_t viewerIndex, float metres) = 0;         // slot —
    // The last Commit's write: KvErr::Ok (also without a cache folder), or the error with
    // its reason in message (emptied on Ok).
    virtual int32_t GetSaveError(IStrW *message) = 0;                                // slot —
};

// Loads S-57 cells for the viewers in the background. From S57ChartLoaderCreate; owned by
// the program's environment.
class KVLIB_API IS57ChartLoader : public NavObject {
public:
    // Cells are being loaded; charts must not be released until this answers false.
    virtual bool IsBusy() = 0;                                                       // slot 6
    // Most cells drawn at once ("MaxChartLoad", default 20).
    virtual int32_t GetMaxChartLoad() = 0;                                           // slot 7
    virtual void SetMaxChartLoad(int32_t count) = 0;                                 // slot 9
    // Reloads after the charts changed; callers pass 0.
    virtual void Refresh(int32_t mode) = 0;                                          // slot 10
};

// Reads S-57 cell information for the object-update manager. From
// S57ChartInfoLoaderCreate; owned by the program's environment. The program calls nothing
// on it.
class KVLIB_API IS57ChartInfoLoader : public NavObject {
};

// S-57 object class and attribute registry used when folders are read. From
// S57RegistrarManagerCreate; owned by the program's environment. The program only passes
// it on.
class KVLIB_API IS57RegistrarManager : public NavObject {
};

// A set of GUIDs kept sorted (duplicates are dropped). From SortedGUIDArrayCreate;
// caller-owned.
class KVLIB_API ISortedGUIDArray : public NavObject {
public:
    virtual void Add(const TGUID &guid) = 0;                                         // slot 1
    virtual void Clear() = 0;                                                        // slot 3
    virtual bool Contains(const TGUID &guid) = 0;                                    // slot 5
    virtual int32_t GetCount() = 0;                                                  // slot 7
    // In ascending order; out is the null GUID for an index out of range.
    virtual void GetItem(int32_t i, TGUID &out) = 0;                                 // slot 10
    // Absent GUIDs are ignored.
    virtual void Remove(const TGUID &guid) = 0;                                      // slot —
};

// Reads the installed products under chartsFolder (using infoCacheFile to skip unchanged
// charts) and the stored selections of selectedChartsFile. reserved must be nullptr;
// chartModules is the mask of chart-set kinds the program shows. onChanged fires when
// chart sets are switched on or off for a viewer (reloadData points to a
// TChartSetReloadData); progress reports the reading for the splash window.
KVLIB_API IChartManager *ChartManagerCreate(const TStrWRec &infoCacheFile,
                                            const TStrWRec &selectedChartsFile,
                                            const TStrWRec &chartsFolder, void *reserved,
                                            uint32_t chartModules,
                                            ChartSetsChangedProc onChanged, void *changedData,
                                            LoadProgressProc progress, void *progressData);
// cacheFolder (with trailing separator) holds the settings between runs.
KVLIB_API IS52PresentationLib *S52PresentationLibCreate(const TStrWRec &cacheFolder);
// cb(data, v1, flag, v3, v4): flag != 0 asks the program to stop navigation at once.
KVLIB_API IS57ChartLoader *S57ChartLoaderCreate(LoaderProc cb, void *data, int32_t &err);
// The callers pass 0 for both options.
KVLIB_API IS57ChartInfoLoader *S57ChartInfoLoaderCreate(int32_t option1, int32_t option2,
                                                        int32_t &err);
KVLIB_API IS57RegistrarManager *S57RegistrarManagerCreate();
KVLIB_API ISortedGUIDArray *SortedGUIDArrayCreate();
