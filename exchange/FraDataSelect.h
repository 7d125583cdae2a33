// The page of the transfer wizards on which the user chooses the waypoints, waypoint groups,
// waypoint types, routes and alarm zones to import or download: one tab per kind, each with a
// two-list picker; the waypoint tab also holds the group filter. GUI thread only.
#pragma once

#include "base/forms/KvFrameScaled.h"
#include "exchange/FraDataSelectItems.h"

#include <KvLibNav6/KvWaypoints.h>

#include <QString>
#include <array>
#include <cstdint>

class QLabel;
class QTabWidget;
class TFrameDataFilter;

// Bits of the offered kinds.
namespace DataSelectKind {
inline constexpr uint8_t Waypoints = 0x01;
inline constexpr uint8_t Groups = 0x02;
inline constexpr uint8_t Types = 0x04;
inline constexpr uint8_t Routes = 0x08;
inline constexpr uint8_t Polygons = 0x10;
}  // namespace DataSelectKind

// The strip at the left edge of the waypoint picker that shows or hides the filter.
class TCollapseBox : public QWidget {
    Q_OBJECT
public:
    explicit TCollapseBox(QWidget *parent);
    bool Collapsed = false;  // the filter is hidden
    bool Hot = false, Pressed = false;
    std::function<void()> OnToggle;

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
};

class TFrameDataSelect : public TFrameScaled {
    Q_OBJECT
public:
    // Over the objects of one database (the download wizard: the downloaded database, the
    // user database as current database, mode 2).
    static TFrameDataSelect *Create(IWptDatabase *database, IWptDatabase *currentDatabase,
                                    const QString &currentDatabaseCaption, TDataTransferMode mode,
                                    int32_t distanceUnit);
    // Over every database of a manager (the import wizard: its import manager, mode 0).
    static TFrameDataSelect *CreateOnManager(IWptManager *manager, IWptDatabase *currentDatabase,
                                             const QString &currentDatabaseCaption,
                                             TDataTransferMode mode, int32_t distanceUnit);
    ~TFrameDataSelect() override;

    void SetKinds(uint8_t kinds);
    uint8_t Kinds() const { return FKinds; }
    void SetCurrentDatabase(IWptDatabase *database);
    void SetCurrentDatabaseCaption(const QString &text);
    void ShowProximityColumn(bool show);
    void RefreshAll();
    // False, after an error box when showMessage, when the choice misses what it needs.
    bool ValidateSelection(bool showMessage);
    // The caller's lists of the offered kinds are replaced by the choice; the waypoints of
    // chosen routes and the types of chosen waypoints are added.
    void GetSelection(IWptWaypointGroupList *groups, IWptWaypointList *waypoints, IWptRouteList *routes,
                      IWptWaypointTypeList *types, IWptPolygonList *polygons);
    // Before the objects the rows point to are released.
    void ClearAll();
    void SetFilterVisible(bool visible);
    bool FilterVisible() const { return FFilterVisible; }
    QString DatabaseCaption(IWptDatabase *database) const;

    QTabWidget *PageControl;
    QWidget *TabSheetWaypoint, *TabSheetGroups, *TabSheetTypes, *TabSheetRoutes, *TabSheetPolygons;
    QLabel *LabelInformationWaypoint, *LabelInformationWaypointGroups, *LabelInformationWaypointTypes,
        *LabelInformationRoutes, *LabelInformationPolygons;
    std::array<QLabel *, 5> ImageInformation{};
    QWidget *PanelWaypointSelection, *PanelGroupSelection, *PanelTypeSelection, *PanelRouteSelection,
        *PanelPolygonSelection, *PanelFilter;
    TCollapseBox *PaintBoxCollapse;
    TFrameDataSelectItems *WaypointSelect, *GroupSelect, *TypeSelect, *RouteSelect, *PolygonSelect;
    TFrameDataFilter *Filter;

private:
    TFrameDataSelect(IWptManager *manager, IWptDatabase *database, IWptDatabase *currentDatabase,
                     const QString &currentDatabaseCaption, TDataTransferMode mode, int32_t distanceUnit);
    void BuildLayout();
    void UpdateTabs();
    void UpdateTexts();
    void FillGroups();
    void FillTypes();
    void FillRoutes();
    void FillWaypoints();
    void FillPolygons();
    // Fills one picker with the objects count and get name; add decides per object.
    template <class T, class Add>
    void Fill(TFrameDataSelectItems *picker, int count, T get, Add add);
    QString ProximityCaption() const;

    IWptManager *FManager;
    IWptDatabase *FDatabase;
    IWptDatabase *FCurrentDatabase;
    QString FCurrentDatabaseCaption;
    TDataTransferMode FMode;
    int32_t FDistanceUnit;
    uint8_t FKinds = 0;
    bool FFilterVisible = true;
    bool FProximityShown = false;
};
