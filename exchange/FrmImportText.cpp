#include "exchange/FrmImportText.h"

#include "exchange/FraImportFiles.h"
#include "exchange/FraImportSource.h"
#include "exchange/FrmImport.h"
#include "exchange/FrmImportTexts.h"
#include "exchange/ImportMergeObjects.h"
#include "exchange/TextImportSteps.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvUnits.h>

#include <QObject>
#include <memory>

namespace {

using TPage = TTextImportSteps::TPage;

// Keeps the steps with the wizard.
class TTextImportRun : public QObject {
public:
    TTextImportRun(TFormImport &form, const TTextImportSteps::TContext &context)
        : QObject(&form), Steps(form.PanelContent, context) {
        setObjectName(QStringLiteral("TextImportRun"));
    }
    TTextImportSteps Steps;
};

int PageId(TPage page) {
    switch (page) {
    case TPage::Format: return ImportTextPage::Format;
    case TPage::PropertiesWaypoint: return ImportTextPage::PropertiesWaypoint;
    case TPage::PropertiesRoute: return ImportTextPage::PropertiesRoute;
    case TPage::Select: return ImportTextPage::Select;
    default: return ImportPage::None;
    }
}

}  // namespace

TTextImportSteps *TextImportStepsOf(TFormImport &form) {
    auto *run = form.findChild<TTextImportRun *>(QStringLiteral("TextImportRun"), Qt::FindDirectChildrenOnly);
    return run ? &run->Steps : nullptr;
}

TTextImportSteps *InstallTextImportRun(TFormImport &form) {
    TTextImportSteps::TContext context;
    context.Env = &form.Env;
    context.User = form.UserDatabase;
    context.ImportManager = form.ImportManager;
    context.WaypointProfiles = form.WaypointProfileManager;
    context.RouteProfiles = form.RouteProfileManager;
    context.Lists = {form.Types, form.Waypoints, form.Groups, form.Polygons, form.Routes};
    context.ImportDatabase = &form.ImportDatabase;
    TTextImportSteps *steps = &(new TTextImportRun(form, context))->Steps;
    steps->Clock = []() -> TDateTime {
        INavMsgGPSClock *clock = NavMsgGetGPSClock();
        return clock ? clock->GetDateTimeUTC() : 0.0;
    };
    TFormImport *f = &form;
    auto go = [f](TPage page) {
        if (page != TPage::None) f->ShowPage(PageId(page));
    };
    auto pageSteps = [&](TPage page) {
        TImportPageSteps s;
        s.Frame = steps->PageWidget(page);
        s.Next = [f, steps, go, page] {
            const TPage next = steps->Next();
            if (page == TPage::Select && next == TPage::Select) f->Finish();
            else go(next);
        };
        s.Previous = [f, steps, go, page] {
            const TPage previous = steps->Previous();
            if (page == TPage::Format || previous == TPage::None) f->ShowPage(ImportPage::Files);
            else go(previous);
        };
        if (page == TPage::Select) s.NextCaption = [] { return LanguageText(ImportText::ImportButton); };
        return s;
    };
    for (TPage page : {TPage::Format, TPage::PropertiesWaypoint, TPage::PropertiesRoute, TPage::Select})
        form.AddPage(PageId(page), pageSteps(page));
    form.Steps.ReadTextFiles = [f, steps] {
        if (steps->ShowFormatPage(f->ImportType, f->FrameImportFiles->Files)) f->ShowPage(ImportTextPage::Format);
    };
    // The merge of every run that fills the wizard's lists (text, data file).
    form.Steps.MergeImportObjects = [f, steps](QString &report) {
        TImportMergeContext c;
        c.Env = &f->Env;
        c.ImportType = f->ImportType;
        c.ChosenGroup = f->ImportType == ImportType::TextWaypoints ? steps->ChosenGroup() : nullptr;
        return int(ImportMergeObjects(f->UserDatabase, {f->Types, f->Waypoints, f->Groups, f->Polygons, f->Routes},
                                      c, report));
    };
    return steps;
}
