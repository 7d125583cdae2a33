#include "exchange/FraDataSelect.h"

#include "base/controls/KvControls.h"
#include "base/dialogs/KvMsgBox.h"
#include "base/dialogs/KvMsgIcons.h"
#include "base/graphics/KvNightScreen.h"
#include "base/kvlib/KvLib.h"
#include "base/registry/KvRegistry.h"
#include "base/texts/KvLanguage.h"
#include "base/units/KvUnitsTime.h"
#include "base/waypoints/KvWaypoints.h"
#include "exchange/FraDataFilter.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvUnits.h>

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QSet>
#include <QStyleOption>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <bit>
#include <cmath>

namespace {

const QString Key = QStringLiteral("Desktop\\DataSelectSettings");
constexpr int32_t UnitMetre = 0x6800B;

// Spanish entries are left empty on purpose: the English text is shown.
const TLanguageStrings TextWaypoints = {"Waypoints", "Waypoints", "Wegpunkte", "Waypoints", "", "Waypoint",
                                        "Waypoints", "Waypoints"};
const TLanguageStrings TextGroups = {"Waypoint groups", "Waypointgroepen", "Wegpunktgruppen", "Groupes de waypoints",
                                     "", "Gruppi di waypoint", "Waypointgrupper", "Waypointgrupper"};
const TLanguageStrings TextTypes = {"Waypoint types", "Waypointtypen", "Wegpunkttypen", "Types de waypoints", "",
                                    "Tipi di waypoint", "Waypointtyper", "Waypointtyper"};
const TLanguageStrings TextRoutes = {"Routes", "Routes", "Routen", "Routes", "", "Rotte", "Ruter", "Rutter"};
const TLanguageStrings TextPolygons = {"Alarm zones", "Alarmzones", "Alarmzonen", "Zones d'alarme", "",
                                       "Zone di allarme", "Alarmzoner", "Larmzoner"};
const TLanguageStrings InfoWaypoints = {
    "Add the waypoints you want to %s to the list on the right",
    "Voeg de waypoints die u wilt %s toe aan de lijst rechts",
    "Fügen Sie die Wegpunkte, die Sie %s möchten, der Liste rechts hinzu",
    "Ajoutez les waypoints à %s à la liste de droite", "",
    "Aggiungere i waypoint da %s all'elenco a destra",
    "Tilføj de waypoints, du vil %s, til listen til højre",
    "Lägg till de waypoints du vill %s i listan till höger"};
const TLanguageStrings InfoGroups = {
    "Add the waypoint groups you want to %s to the list on the right",
    "Voeg de waypointgroepen die u wilt %s toe aan de lijst rechts",
    "Fügen Sie die Wegpunktgruppen, die Sie %s möchten, der Liste rechts hinzu",
    "Ajoutez les groupes de waypoints à %s à la liste de droite", "",
    "Aggiungere i gruppi di waypoint da %s all'elenco a destra",
    "Tilføj de waypointgrupper, du vil %s, til listen til højre",
    "Lägg till de waypointgrupper du vill %s i listan till höger"};
const TLanguageStrings InfoTypes = {
    "Add the waypoint types you want to %s to the list on the right",
    "Voeg de waypointtypen die u wilt %s toe aan de lijst rechts",
    "Fügen Sie die Wegpunkttypen, die Sie %s möchten, der Liste rechts hinzu",
    "Ajoutez les types de waypoints à %s à la liste de droite", "",
    "Aggiungere i tipi di waypoint da %s all'elenco a destra",
    "Tilføj de waypointtyper, du vil %s, til listen til højre",
    "Lägg till de waypointtyper du vill %s i listan till höger"};
const TLanguageStrings InfoRoutes = {
    "Add the routes you want to %s to the list on the right", "Voeg de routes die u wilt %s toe aan de lijst rechts",
    "Fügen Sie die Routen, die Sie %s möchten, der Liste rechts hinzu",
    "Ajoutez les routes à %s à la liste de droite", "", "Aggiungere le rotte da %s all'elenco a destra",
    "Tilføj de ruter, du vil %s, til listen til højre", "Lägg till de rutter du vill %s i listan till höger"};
const TLanguageStrings InfoPolygons = {
    "Add the alarm zones you want to %s to the list on the right",
    "Voeg de alarmzones die u wilt %s toe aan de lijst rechts",
    "Fügen Sie die Alarmzonen, die Sie %s möchten, der Liste rechts hinzu",
    "Ajoutez les zones d'alarme à %s à la liste de droite", "",
    "Aggiungere le zone di allarme da %s all'elenco a destra",
    "Tilføj de alarmzoner, du vil %s, til listen til højre",
    "Lägg till de larmzoner du vill %s i listan till höger"};
const TLanguageStrings TextNothing = {"You have selected nothing to %s.", "U hebt niets geselecteerd om te %s.",
                                      "Sie haben nichts zum %s ausgewählt.", "Vous n'avez rien sélectionné à %s.",
                                      "", "Non è stato selezionato nulla da %s.", "Du har ikke valgt noget at %s.",
                                      "Du har inte valt något att %s."};
const TLanguageStrings TextAtLeastOne = {
    "Please select at least one %s to %s.", "Selecteer ten minste één %s om te %s.",
    "Bitte wählen Sie mindestens ein(e) %s zum %s.", "Veuillez sélectionner au moins un(e) %s à %s.", "",
    "Selezionare almeno un %s da %s.", "Vælg mindst én %s at %s.", "Välj minst en %s att %s."};
const TLanguageStrings ItemWaypoint = {"waypoint", "waypoint", "Wegpunkt", "waypoint", "", "waypoint",
                                       "waypoint", "waypoint"};
const TLanguageStrings ItemRoute = {"route", "route", "Route", "route", "", "rotta", "rute", "rutt"};
const TLanguageStrings ItemDatabase = {"database item", "database-item", "Datenbankelement",
                                       "élément de base de données", "", "elemento del database",
                                       "databaseelement", "databasobjekt"};
const TLanguageStrings TextProximity = {"Proximity [%s]", "Nabijheid [%s]", "Annäherung [%s]", "Proximité [%s]",
                                        "", "Prossimità [%s]", "Nærhed [%s]", "Närhet [%s]"};

NavObject *Obj(IWptObject *o) { return static_cast<NavObject *>(o); }

}  // namespace

// ---- collapse box ----

TCollapseBox::TCollapseBox(QWidget *parent) : QWidget(parent) {
    setFixedWidth(8);
    setCursor(Qt::PointingHandCursor);
}

void TCollapseBox::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(Hot ? QPalette::Midlight : QPalette::Button));
    // A small triangle pointing where the filter goes: left to collapse, right to expand.
    const int cx = width() / 2, cy = height() / 2;
    QPolygon arrow;
    if (Collapsed)
        arrow << QPoint(cx - 2, cy - 4) << QPoint(cx + 2, cy) << QPoint(cx - 2, cy + 4);
    else
        arrow << QPoint(cx + 2, cy - 4) << QPoint(cx - 2, cy) << QPoint(cx + 2, cy + 4);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(palette().color(QPalette::ButtonText));
    p.drawPolygon(arrow);
}

void TCollapseBox::enterEvent(QEnterEvent *) {
    Hot = true;
    update();
}

void TCollapseBox::leaveEvent(QEvent *) {
    if (!Pressed) Hot = false;
    update();
}

void TCollapseBox::mousePressEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton) Pressed = true;
    update();
}

void TCollapseBox::mouseReleaseEvent(QMouseEvent *event) {
    const bool wasPressed = Pressed;
    Pressed = false;
    if (wasPressed && rect().contains(event->position().toPoint())) {
        if (OnToggle) OnToggle();
    } else {
        Hot = false;
    }
    update();
}

// ---- frame ----

TFrameDataSelect *TFrameDataSelect::Create(IWptDatabase *database, IWptDatabase *currentDatabase,
                                           const QString &currentDatabaseCaption, TDataTransferMode mode,
                                           int32_t distanceUnit) {
    return new TFrameDataSelect(nullptr, database, currentDatabase, currentDatabaseCaption, mode, distanceUnit);
}

TFrameDataSelect *TFrameDataSelect::CreateOnManager(IWptManager *manager, IWptDatabase *currentDatabase,
                                                    const QString &currentDatabaseCaption, TDataTransferMode mode,
                                                    int32_t distanceUnit) {
    return new TFrameDataSelect(manager, nullptr, currentDatabase, currentDatabaseCaption, mode, distanceUnit);
}

TFrameDataSelect::TFrameDataSelect(IWptManager *manager, IWptDatabase *database, IWptDatabase *currentDatabase,
                                   const QString &currentDatabaseCaption, TDataTransferMode mode,
                                   int32_t distanceUnit)
    : TFrameScaled(nullptr), FManager(manager), FDatabase(manager ? nullptr : database),
      FCurrentDatabase(currentDatabase), FCurrentDatabaseCaption(currentDatabaseCaption), FMode(mode),
      FDistanceUnit(distanceUnit) {
    setObjectName(QStringLiteral("FrameDataSelect"));
    BuildLayout();
    for (QLabel *image : ImageInformation) NightScreenAddImage(NightScreen(), image);
    UpdateTabs();
    Filter = new TFrameDataFilter(FManager, FDatabase, FCurrentDatabase, FCurrentDatabaseCaption, PanelFilter);
    PanelFilter->layout()->addWidget(Filter);
    Filter->OnChange = [this](TFrameDataFilter *) { FillWaypoints(); };
    PaintBoxCollapse->OnToggle = [this] { SetFilterVisible(!FFilterVisible); };
    if (FMode == 2) {
        PanelFilter->hide();
        PaintBoxCollapse->hide();
    } else {
        SetFilterVisible(RegReadBoolDef(GetAppReg(), AppRegRoot::Product, Key, RegName(u"FilterVisible"), true));
    }
    auto picker = [](QWidget *host, const TLanguageStrings &caption) {
        auto *p = new TFrameDataSelectItems(LanguageText(caption), LanguageText(caption), 2, host);
        host->layout()->addWidget(p);
        return p;
    };
    WaypointSelect = picker(PanelWaypointSelection, TextWaypoints);
    GroupSelect = picker(PanelGroupSelection, TextGroups);
    TypeSelect = picker(PanelTypeSelection, TextTypes);
    RouteSelect = picker(PanelRouteSelection, TextRoutes);
    PolygonSelect = picker(PanelPolygonSelection, TextPolygons);
    UpdateTexts();
    RefreshAll();
    ScaleToScreen();
}

TFrameDataSelect::~TFrameDataSelect() {
    for (QLabel *image : ImageInformation) NightScreenRemoveImage(NightScreen(), image);
}

void TFrameDataSelect::BuildLayout() {
    PageControl = new QTabWidget(this);
    PageControl->setObjectName(QStringLiteral("PageControl"));
    QWidget *waypointHost = nullptr;
    TabSheetWaypoint = DataSelectAddTab(PageControl, LabelInformationWaypoint, ImageInformation[0], waypointHost);
    TabSheetGroups = DataSelectAddTab(PageControl, LabelInformationWaypointGroups, ImageInformation[1], PanelGroupSelection);
    TabSheetTypes = DataSelectAddTab(PageControl, LabelInformationWaypointTypes, ImageInformation[2], PanelTypeSelection);
    TabSheetRoutes = DataSelectAddTab(PageControl, LabelInformationRoutes, ImageInformation[3], PanelRouteSelection);
    TabSheetPolygons = DataSelectAddTab(PageControl, LabelInformationPolygons, ImageInformation[4], PanelPolygonSelection);
    // The waypoint tab: filter, collapse strip, picker.
    PanelFilter = new QWidget(waypointHost);
    PanelFilter->setFixedWidth(200);
    (new QVBoxLayout(PanelFilter))->setContentsMargins(0, 0, 0, 0);
    PaintBoxCollapse = new TCollapseBox(waypointHost);
    PanelWaypointSelection = new QWidget(waypointHost);
    (new QVBoxLayout(PanelWaypointSelection))->setContentsMargins(0, 0, 0, 0);
    waypointHost->layout()->addWidget(PanelFilter);
    waypointHost->layout()->addWidget(PaintBoxCollapse);
    waypointHost->layout()->addWidget(PanelWaypointSelection);
    for (QWidget *host : {PanelGroupSelection, PanelTypeSelection, PanelRouteSelection, PanelPolygonSelection})
        host->layout()->setContentsMargins(0, 0, 0, 0);
    auto *l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->addWidget(PageControl);
}

void TFrameDataSelect::UpdateTexts() {
    const QString verb = DataTransferVerb(FMode);
    const std::pair<QLabel *, const TLanguageStrings *> infos[] = {
        {LabelInformationWaypoint, &InfoWaypoints}, {LabelInformationWaypointGroups, &InfoGroups},
        {LabelInformationWaypointTypes, &InfoTypes}, {LabelInformationRoutes, &InfoRoutes},
        {LabelInformationPolygons, &InfoPolygons}};
    for (const auto &[label, text] : infos) label->setText(DataSelectFormat(LanguageText(*text), {verb}));
    const TLanguageStrings *tabs[] = {&TextWaypoints, &TextGroups, &TextTypes, &TextRoutes, &TextPolygons};
    for (int i = 0; i < 5; ++i) PageControl->setTabText(i, LanguageText(*tabs[i]));
}

void TFrameDataSelect::SetKinds(uint8_t kinds) {
    if (kinds == FKinds) return;
    FKinds = kinds;
    UpdateTabs();
}

void TFrameDataSelect::UpdateTabs() {
    std::vector<QWidget *> offered;
    const QWidget *sheets[] = {TabSheetWaypoint, TabSheetGroups, TabSheetTypes, TabSheetRoutes, TabSheetPolygons};
    for (int i = 0; i < 5; ++i)
        if (FKinds & (1 << i)) offered.push_back(const_cast<QWidget *>(sheets[i]));
    DataSelectShowTabs(PageControl, offered);
}

void TFrameDataSelect::SetCurrentDatabase(IWptDatabase *database) {
    FCurrentDatabase = database;
    Filter->SetCurrentDatabase(database);
    RefreshAll();
}

void TFrameDataSelect::SetCurrentDatabaseCaption(const QString &text) {
    FCurrentDatabaseCaption = text;
    Filter->SetCurrentDatabaseCaption(text);
    RefreshAll();
}

QString TFrameDataSelect::ProximityCaption() const {
    return DataSelectFormat(LanguageText(TextProximity), {UnitToStr(FDistanceUnit)});
}

void TFrameDataSelect::ShowProximityColumn(bool show) {
    FProximityShown = show;
    if (show)
        WaypointSelect->AddColumn(ProximityCaption(), 70);
    else
        WaypointSelect->DeleteColumn(ProximityCaption());
}

void TFrameDataSelect::SetFilterVisible(bool visible) {
    FFilterVisible = visible;
    PanelFilter->setVisible(visible);
    int32_t err = 0;
    RegWriteBool(GetAppReg(), AppRegRoot::Product, Key, RegName(u"FilterVisible"), visible, err);
    PaintBoxCollapse->Collapsed = !visible;
    PaintBoxCollapse->update();
}

QString TFrameDataSelect::DatabaseCaption(IWptDatabase *database) const {
    if (database == FCurrentDatabase && !FCurrentDatabaseCaption.isEmpty()) return FCurrentDatabaseCaption;
    return WptDatabaseGetTitle(database);
}

template <class T, class Add>
void TFrameDataSelect::Fill(TFrameDataSelectItems *picker, int count, T get, Add add) {
    const TDataSelectFill fill(picker);
    for (int i = count - 1; i >= 0; --i) {
        IWptObject *obj = get(i);
        if (!obj) continue;
        IWptDatabase *db = obj->GetDatabase();
        QString detail;
        IBmp32 *icon = nullptr;
        if (add(obj, detail, icon))
            picker->AddItem(WptObjectGetName(obj), detail, DatabaseCaption(db), icon, Obj(obj), db == FCurrentDatabase);
    }
}

void TFrameDataSelect::FillGroups() {
    const int count = FManager ? FManager->GetWaypointGroupCount() : FDatabase->GetWaypointGroupCount();
    Fill(GroupSelect, count,
         [this](int i) { return FManager ? FManager->GetWaypointGroup(i) : FDatabase->GetWaypointGroup(i); },
         [](IWptObject *o, QString &, IBmp32 *&) { return !static_cast<IWptWaypointGroup *>(o)->IsUngrouped(); });
}

void TFrameDataSelect::FillTypes() {
    const int count = FManager ? FManager->GetWaypointTypeCount() : FDatabase->GetWaypointTypeCount();
    Fill(TypeSelect, count,
         [this](int i) { return FManager ? FManager->GetWaypointType(i) : FDatabase->GetWaypointType(i); },
         [](IWptObject *o, QString &, IBmp32 *&icon) {
             auto *type = static_cast<IWptWaypointType *>(o);
             icon = type->GetIcon();
             return !type->IsDefault();
         });
}

void TFrameDataSelect::FillRoutes() {
    const int count = FManager ? FManager->GetRouteCount() : FDatabase->GetRouteCount();
    Fill(RouteSelect, count, [this](int i) { return FManager ? FManager->GetRoute(i) : FDatabase->GetRoute(i); },
         [](IWptObject *, QString &, IBmp32 *&) { return true; });
}

void TFrameDataSelect::FillPolygons() {
    const int count = FManager ? FManager->GetPolygonCount() : FDatabase->GetPolygonCount();
    Fill(PolygonSelect, count, [this](int i) { return FManager ? FManager->GetPolygon(i) : FDatabase->GetPolygon(i); },
         [](IWptObject *, QString &, IBmp32 *&) { return true; });
}

void TFrameDataSelect::FillWaypoints() {
    TNavPtr<IWptWaypointList> list(WptWaypointListCreate(0));
    Filter->GetWaypoints(list.get());
    Fill(WaypointSelect, list->GetCount(),
         [&list](int i) { return static_cast<IWptWaypoint *>(list->GetItem(i)); },
         [this](IWptObject *o, QString &detail, IBmp32 *&icon) {
             auto *waypoint = static_cast<IWptWaypoint *>(o);
             IWptWaypointType *type = waypoint->GetType();
             icon = type ? type->GetIcon() : nullptr;
             const double radius = waypoint->GetProximity();
             if (radius != 0.0)
                 detail = QString::number(std::llround(UnitConvert(radius, UnitMetre, FDistanceUnit)));
             return true;
         });
}

void TFrameDataSelect::RefreshAll() {
    FillGroups();
    FillTypes();
    FillRoutes();
    FillWaypoints();
    FillPolygons();
}

void TFrameDataSelect::GetSelection(IWptWaypointGroupList *groups, IWptWaypointList *waypoints,
                                    IWptRouteList *routes, IWptWaypointTypeList *types,
                                    IWptPolygonList *polygons) {
    // In the order the user chose them, so imports and their questions repeat run after run.
    auto take = [this](uint8_t kind, TFrameDataSelectItems *picker, IWptObjectList *list) {
        if (!(FKinds & kind) || !list) return;
        list->Clear();
        for (int i = 0; i < picker->GetSelectedCount(); ++i) list->Add(static_cast<NavObject *>(picker->GetSelectedData(i)));
    };
    take(DataSelectKind::Groups, GroupSelect, groups);
    take(DataSelectKind::Routes, RouteSelect, routes);
    take(DataSelectKind::Types, TypeSelect, types);
    take(DataSelectKind::Waypoints, WaypointSelect, waypoints);
    take(DataSelectKind::Polygons, PolygonSelect, polygons);
    if ((FKinds & DataSelectKind::Types) && types && waypoints) {
        for (int i = 0; i < waypoints->GetCount(); ++i) {
            // A waypoint without a type of its own has the manager's default type, which is
            // never transferred (its picker does not offer it either).
            IWptWaypointType *type = static_cast<IWptWaypoint *>(waypoints->GetItem(i))->GetType();
            if (type && !type->IsDefault() && types->IndexOf(Obj(type)) < 0) types->Add(Obj(type));
        }
    }
    if ((FKinds & DataSelectKind::Waypoints) && waypoints && routes) {
        QSet<NavObject *> present;
        for (int i = 0; i < waypoints->GetCount(); ++i) present.insert(waypoints->GetItem(i));
        for (int r = 0; r < routes->GetCount(); ++r) {
            auto *route = static_cast<IWptRoute *>(routes->GetItem(r));
            for (int p = 0; p < route->GetPointCount(); ++p) {
                IWptWaypoint *waypoint = route->GetPoint(p)->GetWaypoint();
                if (waypoint && !present.contains(Obj(waypoint))) {
                    present.insert(Obj(waypoint));
                    waypoints->Add(Obj(waypoint));
                }
            }
        }
    }
}

bool TFrameDataSelect::ValidateSelection(bool showMessage) {
    TNavPtr<IWptWaypointTypeList> types(WptWaypointTypeListCreate(0));
    TNavPtr<IWptWaypointList> waypoints(WptWaypointListCreate(0));
    TNavPtr<IWptWaypointGroupList> groups(WptWaypointGroupListCreate(0));
    TNavPtr<IWptRouteList> routes(WptRouteListCreate(0));
    TNavPtr<IWptPolygonList> polygons(WptPolygonListCreate(0));
    GetSelection(groups.get(), waypoints.get(), routes.get(), types.get(), polygons.get());
    const TLanguageStrings *missing = nullptr;
    if (FKinds == DataSelectKind::Waypoints && waypoints->GetCount() == 0)
        missing = &ItemWaypoint;
    else if (FKinds == DataSelectKind::Routes && routes->GetCount() == 0)
        missing = &ItemRoute;
    else if (types->GetCount() + waypoints->GetCount() + groups->GetCount() + routes->GetCount() +
                 polygons->GetCount() == 0)
        missing = &ItemDatabase;
    if (!missing) return true;
    if (showMessage) {
        const QString verb = DataTransferVerb(FMode);
        MsgBox(DataSelectFormat(LanguageText(TextNothing), {verb}) + QStringLiteral("\n\n") +
                   DataSelectFormat(LanguageText(TextAtLeastOne), {LanguageText(*missing), verb}),
               mtError, MsgButtons({mbOK}));
    }
    return false;
}

void TFrameDataSelect::ClearAll() {
    for (TFrameDataSelectItems *p : {GroupSelect, TypeSelect, RouteSelect, WaypointSelect, PolygonSelect}) {
        p->ClearSelected();
        p->ClearAvailable();
    }
}
