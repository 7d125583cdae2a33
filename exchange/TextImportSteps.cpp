#include "exchange/TextImportSteps.h"

#include "base/dialogs/KvMsgBox.h"
#include "base/kvlib/KvErrors.h"
#include "exchange/FraImportFormat.h"
#include "exchange/FraImportPropertiesRoute.h"
#include "exchange/FraImportPropertiesWaypoint.h"
#include "exchange/FraImportSelect.h"
#include "exchange/TextImportObjects.h"
#include "exchange/TextImportStepsTexts.h"

using namespace TextImportStepsText;

TTextImportSteps::TTextImportSteps(QWidget *owner, const TContext &context)
    : FContext(context), FNewTypes(WptWaypointTypeListCreate(0)), FWaypoints(WptWaypointListCreate(0)),
      FNewGroups(WptWaypointGroupListCreate(0)), FRoutes(WptRouteListCreate(0)) {
    Format = new TFrameImportFormat(owner);
    PropertiesWaypoint = new TFrameImportPropertiesWaypoint(context.User, owner);
    PropertiesRoute = new TFrameImportPropertiesRoute(owner);
    Select = new TFrameImportSelect(context.Env, owner);
    for (QWidget *page : {PageWidget(TPage::Format), PageWidget(TPage::PropertiesWaypoint),
                          PageWidget(TPage::PropertiesRoute), PageWidget(TPage::Select)})
        page->hide();
}

TTextImportSteps::~TTextImportSteps() {
    // The own lists point into the own scratch database: empty them before it goes.
    for (IWptObjectList *l : std::initializer_list<IWptObjectList *>{FNewTypes.get(), FWaypoints.get(),
                                                                     FNewGroups.get(), FRoutes.get()})
        l->Clear();
    if (FImportDatabase) FImportDatabase->Close();
}

IWptDatabase *&TTextImportSteps::ImportDatabase() {
    return FContext.ImportDatabase ? *FContext.ImportDatabase : FImportDatabase;
}

QWidget *TTextImportSteps::PageWidget(TPage page) const {
    switch (page) {
    case TPage::Format: return Format;
    case TPage::PropertiesWaypoint: return PropertiesWaypoint;
    case TPage::PropertiesRoute: return PropertiesRoute;
    case TPage::Select: return Select;
    default: return nullptr;
    }
}

TImportObjectLists TTextImportSteps::Lists() const {
    if (FContext.Lists.Waypoints) return FContext.Lists;
    return {FNewTypes.get(), FWaypoints.get(), FNewGroups.get(), nullptr, FRoutes.get()};
}

bool TTextImportSteps::ShowFormatPage(int32_t importType, const QStringList &files) {
    FType = importType;
    const bool routes = importType == 5;
    Format->ClearFiles();
    Format->Prepare(routes ? FContext.RouteProfiles : FContext.WaypointProfiles,
                    routes ? TxtFormatProfileKind::Route : TxtFormatProfileKind::Waypoint, FContext.Env);
    QString failed, text;
    int32_t err = 0;
    if (!Format->LoadFiles(files, failed, err, text)) {
        MsgBox(LanguageText(SCannotOpen).replace(QStringLiteral("%s"), failed).replace(QStringLiteral("%s"), text),
               mtError, MsgButtons({mbOK}));
        return false;
    }
    FPage = TPage::Format;
    return true;
}

void TTextImportSteps::CollectTextItems() {
    FGroups = FProximities = FRadii = FTypes = 0;
    Format->CollectItems(PointItems);
    for (const TPointData &item : PointItems) {
        if (!item.GroupName.isEmpty()) ++FGroups;
        if (item.ProximityM > 0.0) ++FProximities;
        if (item.RadiusM > 0.0) ++FRadii;
        if (!item.TypeName.isEmpty()) ++FTypes;
    }
}

TTextImportSteps::TPage TTextImportSteps::ShowProperties() {
    CollectTextItems();
    if (FType == 5) {
        PropertiesRoute->Fill(PointItems);
        PropertiesRoute->SetRadiusDataAvailable(FRadii > 0);
        return FPage = TPage::PropertiesRoute;
    }
    PropertiesWaypoint->SetGroupDataAvailable(FGroups > 0);
    PropertiesWaypoint->SetProximityDataAvailable(FProximities > 0);
    PropertiesWaypoint->SetTypeDataAvailable(FTypes > 0);
    return FPage = TPage::PropertiesWaypoint;
}

TTextImportSteps::TPage TTextImportSteps::ShowSelect() {
    Select->SetKind(FType);
    Select->Fill(PointItems);
    return FPage = TPage::Select;
}

TTextImportSteps::TPage TTextImportSteps::Next() {
    switch (FPage) {
    case TPage::Format: return Format->Validate() ? ShowProperties() : TPage::None;
    case TPage::PropertiesRoute:
        if (!PropertiesRoute->Validate()) return TPage::None;
        PropertiesRoute->Apply(PointItems);
        return ShowSelect();
    case TPage::PropertiesWaypoint:
        if (!PropertiesWaypoint->Validate()) return TPage::None;
        PropertiesWaypoint->Apply(PointItems);
        return ShowSelect();
    case TPage::Select: return Select->Validate() && BuildObjects() ? TPage::Select : TPage::None;
    default: return TPage::None;
    }
}

TTextImportSteps::TPage TTextImportSteps::Previous() {
    switch (FPage) {
    case TPage::PropertiesRoute:
    case TPage::PropertiesWaypoint: return FPage = TPage::Format;
    case TPage::Select: return ShowProperties();
    default: return FPage = TPage::None;  // back to the file list
    }
}

// A library failure ends the step with its text; the wizard stays on the selection page.
bool TTextImportSteps::BuildObjects() {
    try {
        BuildTextImportObjects(PointItems, FType, FContext.ImportManager, ImportDatabase(), FContext.User,
                               Clock ? Clock() : 0.0, Lists());
    } catch (const Exception &e) {
        MsgBox(e.Message(), mtError, MsgButtons({mbOK}));
        return false;
    }
    return true;
}

bool TTextImportSteps::HasObjects() const {
    const TImportObjectLists l = Lists();
    return l.Types->GetCount() + l.Waypoints->GetCount() + l.Groups->GetCount() + l.Routes->GetCount() > 0;
}

IWptWaypointGroup *TTextImportSteps::ChosenGroup() const {
    return FType == 4 ? PropertiesWaypoint->ChosenGroup() : nullptr;
}

int32_t TTextImportSteps::Finish(QString &report) {
    TImportMergeContext context;
    context.Env = FContext.Env;
    context.ImportType = FType;
    context.ChosenGroup = ChosenGroup();
    return ImportMergeObjects(FContext.User, Lists(), context, report);
}
