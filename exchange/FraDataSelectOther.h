// The page of the transfer wizards for what is not a waypoint-database object: chart
// collections, logbooks, polar diagrams, route and waypoint profiles and tracks, one tab and
// one picker each, over item lists the caller owns. GUI thread only.
#pragma once

#include "base/forms/KvFrameScaled.h"
#include "base/lists/KvDynamicLists.h"
#include "exchange/FraDataSelectItems.h"

#include <QString>
#include <array>
#include <cstdint>
#include <utility>
#include <vector>

class INavBackupEntry;
class QLabel;
class QTabWidget;

// What an item stands for, told by its kind text once at creation.
enum class TDataItemKind : uint8_t {
    Device,  // a track read from a device (empty kind text)
    File,    // a file; the kind text is its name
    Collection,
    Logbook,
    RouteProfile,
    WaypointProfile,
    Polar,
    Track,
};

// One item of the page. Data: the INavBackupEntry of an opened backup file, a track object,
// or nil for a file.
class TDataItem {
public:
    TDataItem(const QString &kind, const QString &name, void *data, uint8_t flag);

    void *Data;
    QString Kind;
    QString Name;
    uint8_t Flag;

    TDataItemKind Type() const { return FType; }
    // The backup entry behind the item, nil for files, device tracks and items without data.
    INavBackupEntry *BackupEntry() const;

private:
    TDataItemKind FType;
};

using TDataItemList = TFastList<TDataItem>;
// (kind text, item) of the chosen items that stand for files or device tracks.
using TDataItemFiles = std::vector<std::pair<QString, TDataItem *>>;
using TBackupEntryList = TFastList<INavBackupEntry>;

namespace DataSelectOtherKind {
inline constexpr uint8_t Collections = 0x01;
inline constexpr uint8_t Logbooks = 0x02;
inline constexpr uint8_t Polars = 0x04;
inline constexpr uint8_t Profiles = 0x08;
inline constexpr uint8_t Tracks = 0x10;
}  // namespace DataSelectOtherKind

class TFrameDataSelectOther : public TFrameScaled {
    Q_OBJECT
public:
    // Every list may be nil; they and their items stay the caller's.
    TFrameDataSelectOther(QWidget *owner, TDataItemList *collections, TDataItemList *logbooks,
                          TDataItemList *routeProfiles, TDataItemList *waypointProfiles, TDataItemList *polars,
                          TDataItemList *tracks, TDataTransferMode mode);
    ~TFrameDataSelectOther() override;

    void SetKinds(uint8_t kinds);
    // After the caller changed the item lists.
    void Refresh();
    // Clears the marks of every backup entry, then replaces the lists of the offered kinds
    // by the chosen entries; polars, tracks and the two file lists may be nil.
    void GetSelection(TBackupEntryList &collections, TBackupEntryList &routeProfiles,
                      TBackupEntryList &waypointProfiles, TBackupEntryList &logbooks,
                      TBackupEntryList *polars = nullptr, TBackupEntryList *tracks = nullptr,
                      TDataItemFiles *polarFiles = nullptr, TDataItemFiles *trackFiles = nullptr);
    bool HasSelection();
    // Before the caller frees the items.
    void ClearAll();

    QTabWidget *PageControl;
    QWidget *TabSheetTracks, *TabSheetLogbooks, *TabSheetCollections, *TabSheetPolars, *TabSheetProfiles;
    QLabel *LabelInformationTracks, *LabelInformationLogbooks, *LabelInformationCollections,
        *LabelInformationPolars, *LabelInformationProfiles;
    std::array<QLabel *, 5> ImageInformation{};
    QWidget *PanelTrackSelection, *PanelLogbookSelection, *PanelCollectionSelection, *PanelPolarSelection,
        *PanelProfileSelection;
    TFrameDataSelectItems *CollectionSelect, *LogbookSelect, *PolarSelect, *ProfileSelect, *TrackSelect;

private:
    void UpdateTexts();
    void ResetBackupMarks();

    TDataTransferMode FMode;
    uint8_t FKinds = 0xFF;
    TDataItemList *FCollections, *FLogbooks, *FRouteProfiles, *FWaypointProfiles, *FPolars, *FTracks;
};
