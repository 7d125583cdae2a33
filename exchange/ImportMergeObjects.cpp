#include "exchange/ImportMergeObjects.h"

#include "base/kvlib/KvLib.h"
#include "exchange/FrmMsgDuplicate.h"
#include "exchange/FrmMsgDuplicateMultiple.h"
#include "exchange/ImportMergeObjectsTexts.h"

#include <KvLibNav6/KvErrorCodes.h>

using namespace ImportMergeText;

namespace {

struct TCallbackData {
    const TImportMergeContext *Context;
    TDuplicateKind Kind;
};

// One existing object: the single question; several: the question with a choice.
void AskDuplicate(void *data, IWptObjectList *existing, NavObject *incoming, int32_t &selectedIndex,
                  int32_t &action, bool &applyToAll, bool &cancel) {
    const auto *d = static_cast<const TCallbackData *>(data);
    const TImportMergeContext &c = *d->Context;
    const int32_t count = existing ? existing->GetCount() : 0;
    if (d->Kind == dkWaypointGroup && count == 1 && c.ImportType == 4 && c.ChosenGroup &&
        existing->GetItem(0) == static_cast<NavObject *>(c.ChosenGroup)) {
        selectedIndex = 0;
        action = daKeep;
        return;
    }
    TDuplicateAction answer = daKeep;
    bool ok = false;
    if (count == 1) {
        selectedIndex = 0;
        ok = TFormMsgDuplicate::Execute(d->Kind, existing->GetItem(0), incoming, c.Env, answer, applyToAll);
    } else {
        int index = selectedIndex;
        ok = TFormMsgDuplicateMultiple::Execute(d->Kind, existing, incoming, c.Env, index, answer, applyToAll);
        selectedIndex = index;
    }
    action = answer;
    cancel = !ok;
}

struct TOwnedLists {
    TNavPtr<IWptObjectList> Waypoints{WptWaypointListCreate(0)};
    TNavPtr<IWptObjectList> Types{WptWaypointTypeListCreate(0)};
    TNavPtr<IWptObjectList> Groups{WptWaypointGroupListCreate(0)};
    TNavPtr<IWptObjectList> Routes{WptRouteListCreate(0)};
    TNavPtr<IWptObjectList> Polygons{WptPolygonListCreate(0)};
    TNavPtr<IWptRouteGUIDChangeList> GUIDChanges{WptRouteGUIDChangeListCreate(0)};
};

void ReportLine(QString &report, IWptObjectList *added, const TLanguageStrings &word) {
    report += QStringLiteral("\n\r ") + QString::number(added->GetCount()) + u' ' + LanguageText(word) + u' ' +
              LanguageText(SImported);
}

}  // namespace

int32_t ImportMergeObjects(IWptDatabase *database, const TImportObjectLists &lists,
                           const TImportMergeContext &context, QString &report) {
    TOwnedLists added;
    TCallbackData types{&context, dkWaypointType}, waypoints{&context, dkWaypoint},
        groups{&context, dkWaypointGroup}, routes{&context, dkRoute};
    int32_t err = 0;
    database->MergeObjects(lists.Types, &AskDuplicate, &types, lists.Waypoints, &AskDuplicate, &waypoints,
                           lists.Groups, &AskDuplicate, &groups, lists.Polygons, nullptr, nullptr, lists.Routes,
                           &AskDuplicate, &routes, added.Types.get(), added.Waypoints.get(), added.Groups.get(),
                           added.Polygons.get(), added.Routes.get(), added.GUIDChanges.get(), err);
    if (err != 0 && err != KvErr::Cancelled) return err;
    switch (context.ImportType) {
    case 1:
        ReportLine(report, added.Waypoints.get(), SWaypoints);
        ReportLine(report, added.Groups.get(), SGroups);
        ReportLine(report, added.Types.get(), STypes);
        ReportLine(report, added.Routes.get(), SRoutes);
        ReportLine(report, added.Polygons.get(), SAlarmZones);
        break;
    case 2:
        ReportLine(report, added.Waypoints.get(), SWaypoints);
        ReportLine(report, added.Routes.get(), SRoutes);
        break;
    case 4:
        ReportLine(report, added.Waypoints.get(), SWaypoints);
        ReportLine(report, added.Groups.get(), SGroups);
        ReportLine(report, added.Types.get(), STypes);
        break;
    case 5: ReportLine(report, added.Routes.get(), SRoutes); break;
    default: break;
    }
    return err;
}
