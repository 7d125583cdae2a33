// The text steps of the import wizard (types 4 text waypoints and 5 text routes): after the
// file list, the format page, one properties page and the selection page, then the objects
// built in the scratch database and merged into the user database. The wizard owns one and
// asks it for the page to show and what Next does; the pages are parented to the wizard.
// GUI thread only.
#pragma once

#include "base/kvlib/KvLib.h"
#include "base/txtformat/KvTxtFormat.h"
#include "exchange/ImportMergeObjects.h"

#include <KvLibNav6/KvTypes.h>
#include <KvLibNav6/KvWaypoints.h>

#include <QStringList>
#include <functional>
#include <vector>

class QWidget;
class TFrameImportFormat;
class TFrameImportPropertiesRoute;
class TFrameImportPropertiesWaypoint;
class TFrameImportSelect;
class TMarivoNavEnv;

class TTextImportSteps {
public:
    enum class TPage { None, Format, PropertiesWaypoint, PropertiesRoute, Select };

    struct TContext {
        TMarivoNavEnv *Env = nullptr;  // handed to the pages and questions; may be nil
        IWptDatabase *User = nullptr;  // the user waypoint database
        IWptManager *ImportManager = nullptr;  // the wizard's scratch manager
        ITxtFormatProfileManager *WaypointProfiles = nullptr;
        ITxtFormatProfileManager *RouteProfiles = nullptr;
        // The wizard's lists and scratch database, when it keeps them; otherwise the steps
        // keep their own.
        TImportObjectLists Lists;
        IWptDatabase **ImportDatabase = nullptr;
    };
    TTextImportSteps(QWidget *owner, const TContext &context);
    ~TTextImportSteps();
    TTextImportSteps(const TTextImportSteps &) = delete;
    TTextImportSteps &operator=(const TTextImportSteps &) = delete;

    // Leaves the file list for the format page of the type with the chosen files: false
    // (after the message) when a file cannot be read; the wizard then stays.
    bool ShowFormatPage(int32_t importType, const QStringList &files);
    // Next on the current page: the page that follows, or None to stay. On the selection
    // page True from Import means "build done, run the finish step" (Finish()).
    TPage Next();
    // Previous on the current page.
    TPage Previous();
    TPage Page() const { return FPage; }
    QWidget *PageWidget(TPage page) const;
    // The finish step's merge: the error value of ImportMergeObjects with the report lines.
    int32_t Finish(QString &report);
    // Whether the import has objects to merge (the finish step merges only then).
    bool HasObjects() const;
    // The existing group chosen on the waypoint properties page (text waypoints only).
    IWptWaypointGroup *ChosenGroup() const;

    // The current time of the GPS clock for the routes' departure; the wizard sets it.
    std::function<TDateTime()> Clock;

    TFrameImportFormat *Format = nullptr;
    TFrameImportPropertiesWaypoint *PropertiesWaypoint = nullptr;
    TFrameImportPropertiesRoute *PropertiesRoute = nullptr;
    TFrameImportSelect *Select = nullptr;
    std::vector<TPointData> PointItems;

private:
    void CollectTextItems();
    TPage ShowProperties();
    TPage ShowSelect();
    bool BuildObjects();

    TImportObjectLists Lists() const;
    IWptDatabase *&ImportDatabase();

    TContext FContext;
    int32_t FType = 0;
    TPage FPage = TPage::None;
    int FGroups = 0, FProximities = 0, FRadii = 0, FTypes = 0;
    TNavPtr<IWptWaypointTypeList> FNewTypes;
    TNavPtr<IWptWaypointList> FWaypoints;
    TNavPtr<IWptWaypointGroupList> FNewGroups;
    TNavPtr<IWptRouteList> FRoutes;
    IWptDatabase *FImportDatabase = nullptr;
};
