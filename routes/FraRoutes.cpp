#include "routes/FraRoutes.h"

#include "base/graphics/KvImageList.h"
#include "base/graphics/KvNightScreen.h"
#include "base/registry/KvRegistry.h"
#include "base/units/KvUnitsTime.h"
#include "base/waypoints/KvWaypoints.h"
#include "routes/FraRoutesTexts.h"
#include "routes/FrmColumns.h"
#include "shell/MarivoDraw.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvBoatDef.h>
#include <KvLibNav6/KvGraphics.h>
#include <KvLibNav6/KvNavBoat.h>
#include <KvLibNav6/KvNavEnv.h>
#include <KvLibNav6/KvPlanner.h>
#include <KvLibNav6/KvUnits.h>
#include <KvLibNav6/KvWaypoints.h>

#include <QActionGroup>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QStatusBar>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>

namespace {

bool HoldsRoute(IWptManager *manager, const IWptRoute *route) {
    if (!manager || !route) return route == nullptr;
    for (int32_t i = manager->GetRouteCount() - 1; i >= 0; --i)
        if (manager->GetRoute(i) == route) return true;
    return false;
}


constexpr int ImageCount = 23;

IAppReg *Reg() { return GetAppReg(); }

bool SameGuid(const TGUID *a, const TGUID &b) { return a && *a == b; }

// A stored filter number; anything the menu does not offer gives "all".
int StoredFilter(int value) {
    return value == RteFilter::RoutePointsOnly || value == RteFilter::ObstaclesOnly ? value : RteFilter::All;
}

}  // namespace

TFrameRoutes::TFrameRoutes(QWidget *panel, TMarivoNavEnv &env) : TFrameScaled(panel), FEnv(env) {
    setObjectName(QStringLiteral("FrameRoutes"));
    FFilter = StoredFilter(RegReadIntegerDef(Reg(), AppRegRoot::Product, RouteTableKey,
                                             RegName(u"Filter"), RteFilter::All));
    FFilterMask = RteFilterMask(FFilter);
    FImages = new TImageList(24, 24, this);
    LoadImages();
    NightScreenAddImageList(NightScreen(), FImages);
    BuildControls();
    BuildMenu();
    LoadColumns();
    UpdateTexts();
    RebuildRows();
    UpdateStatusBar();
    if (FEnv.CoreEnv) FEnv.CoreEnv->GetDispatcher()->Subscribe(&TFrameRoutes::Notify, this);
    ScaleToScreen();
}

TFrameRoutes::~TFrameRoutes() {
    if (FEnv.CoreEnv) FEnv.CoreEnv->GetDispatcher()->Unsubscribe(&TFrameRoutes::Notify, this);
    NightScreenRemoveImageList(NightScreen(), FImages);
}

void TFrameRoutes::Notify(void *data, TNavNotification *n) {
    if (n) static_cast<TFrameRoutes *>(data)->OnEnvNotification(*n);
}

void TFrameRoutes::LoadImages() {
    for (int i = 0; i < ImageCount; ++i) {
        QImageReader reader(FEnv.ImagesFolder + QStringLiteral("rtenode%1.svg").arg(i));
        reader.setScaledSize(QSize(24, 24));
        QImage image = reader.read();
        if (image.isNull()) {
            image = QImage(24, 24, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
        }
        FImages->Add(image.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    }
}

void TFrameRoutes::BuildControls() {
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    FChoicePanel = new QWidget(this);
    auto *row = new QHBoxLayout(FChoicePanel);
    row->setContentsMargins(4, 4, 4, 4);
    FRouteLabel = new QLabel(FChoicePanel);
    FCombo = new QComboBox(FChoicePanel);
    FCombo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    FCombo->setMinimumContentsLength(20);
    FOptions = new QToolButton(FChoicePanel);
    FOptions->setPopupMode(QToolButton::InstantPopup);
    row->addWidget(FRouteLabel);
    row->addWidget(FCombo, 1);
    row->addWidget(FOptions);
    outer->addWidget(FChoicePanel);

    FTree = new QTreeView(this);
    FModel = new TRouteTableModel(FTree);
    FModel->Context = [this] { return CellContext(); };
    FModel->Editable = [this](int r, int c) { return CanEdit(r, c); };
    FModel->EditText = [this](int r, int c) { return EditText(r, c); };
    FModel->Commit = [this](int r, int c, const QString &text) { return CommitEdit(r, c, text); };
    FModel->Title = [this](int column) {
        return RouteColumnTitle(column, FEnv.ActiveBoatDef && FEnv.ActiveBoatDef->GetElectric());
    };
    FHeader = new TRouteHeaderView(FTree);
    FHeader->UnitText = [this](int column) { return RouteUnitText(column, CellContext(), false); };
    FTree->setHeader(FHeader);
    FTree->setModel(FModel);
    FDelegate = new TRouteRowDelegate(FModel, FImages, FTree);
    FDelegate->State = [this](int r) { return PaintState(r); };
    FDelegate->Editing = [this] { return !FRouteChoiceVisible; };
    FTree->setItemDelegate(FDelegate);
    FTree->setRootIsDecorated(false);
    FTree->setUniformRowHeights(true);
    FTree->setAllColumnsShowFocus(true);
    FTree->setSelectionMode(QAbstractItemView::ExtendedSelection);
    FTree->setSelectionBehavior(QAbstractItemView::SelectRows);
    FTree->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    FTree->viewport()->installEventFilter(this);
    FTree->installEventFilter(this);
    FTree->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(FTree, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        const QModelIndex i = FTree->indexAt(at);
        if (QMenu *m = i.isValid() ? CopyMenuFor(i.row(), i.column()) : nullptr)
            m->popup(FTree->viewport()->mapToGlobal(at));
    });
    FHeader->setContextMenuPolicy(Qt::CustomContextMenu);
    outer->addWidget(FTree, 1);

    FStatus = new QStatusBar(this);
    FStatus->setSizeGripEnabled(false);
    FEta = new QLabel(FStatus);
    FMode = new QLabel(FStatus);
    FEta->setMinimumWidth(200 * ScreenDpi() / 96);
    FStatus->addWidget(FEta);
    FStatus->addWidget(FMode, 1);
    outer->addWidget(FStatus);

    connect(FCombo, &QComboBox::activated, this, [this](int index) {
        SetRoute(index >= 0 ? static_cast<IWptRoute *>(FCombo->itemData(index).value<void *>()) : nullptr);
    });
    connect(FTree->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) { RowFocused(current); });
    connect(FTree, &QTreeView::doubleClicked, this, [this](const QModelIndex &i) { RowDoubleClicked(i); });
    connect(FHeader, &QHeaderView::sectionResized, this, [this](int column, int, int width) {
        if (!FLoadingColumns && column > 0) RouteWriteColumnWidth(column, width);
    });
    connect(FHeader, &QHeaderView::sectionMoved, this, [this] { ColumnMoved(); });
    connect(FHeader, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { FMenu->popup(FHeader->mapToGlobal(at)); });
}

void TFrameRoutes::BuildMenu() {
    FMenu = new QMenu(this);
    FOptions->setMenu(FMenu);
    FSelectColumns = FMenu->addAction(QString());
    FRestoreColumns = FMenu->addAction(QString());
    connect(FSelectColumns, &QAction::triggered, this, [this] { SelectColumns(); });
    connect(FRestoreColumns, &QAction::triggered, this, [this] { RestoreColumns(); });
    FMenu->addSeparator();
    FPrint = FMenu->addAction(QString());
    FExport = FMenu->addAction(QString());
    connect(FPrint, &QAction::triggered, this, [this] { PrintOverview(); });
    connect(FExport, &QAction::triggered, this, [this] { ExportOverview(); });
    FMenu->addSeparator();
    FFilterGroup = new QActionGroup(this);
    for (int f = 0; f < RteFilter::Count; ++f) {
        QAction *a = FMenu->addAction(QString());
        a->setCheckable(true);
        a->setData(f);
        a->setChecked(f == FFilter);
        a->setVisible(f != RteFilter::BridgesAndLocks && f != RteFilter::BridgesToOperate);
        FFilterGroup->addAction(a);
        connect(a, &QAction::triggered, this, [this, f] { SetFilter(f); });
    }
    FMenu->addSeparator();
    FFontGroup = new QActionGroup(this);
    for (int points : {8, 10, 12}) {
        QAction *a = FMenu->addAction(QString());
        a->setCheckable(true);
        a->setData(points);
        FFontGroup->addAction(a);
        connect(a, &QAction::triggered, this, [this, points] { SetFontSize(points); });
    }
}

QAction *TFrameRoutes::FilterAction(int filter) const {
    for (QAction *a : FFilterGroup->actions())
        if (a->data().toInt() == filter) return a;
    return nullptr;
}

QAction *TFrameRoutes::FontAction(int points) const {
    for (QAction *a : FFontGroup->actions())
        if (a->data().toInt() == points) return a;
    return nullptr;
}

void TFrameRoutes::LoadColumns() {
    ApplyColumnLayout(RouteLoadColumns());
    int size = RegReadIntegerDef(Reg(), AppRegRoot::Product, RouteTableKey, RegName(u"FontSize"), 10);
    if (size != 8 && size != 12) size = 10;
    FFontSize = size;
    FontAction(size)->setChecked(true);
    QFont f = FTree->font();
    f.setPointSize(size);
    FTree->setFont(f);
}

void TFrameRoutes::ApplyColumnLayout(const TRouteColumnLayout &layout) {
    FLoadingColumns = true;
    std::vector<const TRouteColumnState *> byPlace;
    for (const TRouteColumnState &s : layout) byPlace.push_back(&s);
    std::sort(byPlace.begin(), byPlace.end(), [](auto *a, auto *b) { return a->Position < b->Position; });
    for (int place = 0; place < int(byPlace.size()); ++place) {
        const TRouteColumnState &s = *byPlace[size_t(place)];
        FHeader->moveSection(FHeader->visualIndex(s.Column), place);
        FHeader->resizeSection(s.Column, s.Width);
        FHeader->setSectionHidden(s.Column, !s.Visible);
    }
    FLoadingColumns = false;
}

void TFrameRoutes::ColumnMoved() {
    if (FLoadingColumns) return;
    for (int column = RouteColumnCount - 1; column >= 0; --column)
        RouteWriteColumnPosition(column, FHeader->visualIndex(column));
}

void TFrameRoutes::RestoreColumns() { ApplyColumnLayout(RouteRestoreColumns()); }

void TFrameRoutes::SelectColumns() {
    TColumnDescList list;
    for (int place = 0; place < FHeader->count(); ++place) {
        const int column = FHeader->logicalIndex(place);
        if (column == 0 || !RouteColumnAvailable(column)) continue;
        list.Add(FModel->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString(), column,
                 FHeader->sectionSize(column), column == 1, !FHeader->isSectionHidden(column));
    }
    const TRestoreDefaults defaults = [](int index, bool &visible, int &width) {
        const TRouteColumnDef def = RouteColumnDef(index);
        visible = def.Visible;
        width = def.Width;
    };
    if (!ExecuteColumnsDialog(list, ColumnsFlag::Reorder | ColumnsFlag::Restore, defaults, this)) return;
    FLoadingColumns = true;
    for (int i = 0; i < list.Count(); ++i) {
        const TColumnDescriptor &d = list.Items(i);
        const TRouteColumnState state{d.Index, d.Visible || d.Index == 1, d.Width, i + 1};
        FHeader->moveSection(FHeader->visualIndex(d.Index), state.Position);
        FHeader->setSectionHidden(d.Index, !state.Visible);
        FHeader->resizeSection(d.Index, d.Width);
        RouteWriteColumn(state);
    }
    FLoadingColumns = false;
}

void TFrameRoutes::UpdateTexts() {
    FRouteLabel->setText(LanguageText(RouteText::Route) + u':');
    FOptions->setText(LanguageText(RouteText::Options));
    FSelectColumns->setText(LanguageText(RouteText::SelectColumns) + QStringLiteral("..."));
    FRestoreColumns->setText(LanguageText(RouteText::RestoreColumns));
    FPrint->setText(LanguageText(RouteText::PrintOverview) + QStringLiteral("..."));
    FExport->setText(LanguageText(RouteText::ExportOverview) + QStringLiteral("..."));
    for (QAction *a : FFilterGroup->actions()) a->setText(RouteFilterText(a->data().toInt()));
    FontAction(8)->setText(LanguageText(RouteText::NormalFont));
    FontAction(10)->setText(LanguageText(RouteText::BiggerFont));
    FontAction(12)->setText(LanguageText(RouteText::BigFont));
    FHeader->viewport()->update();
    // A route without a name is listed by a text of the language.
    FillRouteList();
    UpdateStatusBar();
}

// ---- route choice ----

IWptRoute *TFrameRoutes::Route() {
    if (!FRoute) return nullptr;
    int32_t index = -1;
    IWptManager *m = FEnv.WaypointManager;
    IWptRoute *found = m && m->FindRoute(FRouteGuid, index) ? m->GetRoute(index) : nullptr;
    if (found != FRoute) FRoute = nullptr;
    return FRoute;
}

void TFrameRoutes::SetRoute(IWptRoute *route) {
    FRoute = route;
    FRouteGuid = {};
    if (route) {
        if (const TGUID *g = route->GetGUID()) FRouteGuid = *g;
        int32_t err = 0;
        RegWriteGUID(Reg(), AppRegRoot::Product, RouteTableKey, RegName(u"Route"), FRouteGuid, err);
    }
    FFollowed = route && route == FEnv.GetActiveRoute() && FEnv.GetRouteNavigation();
    int index = -1;
    for (int i = 0; i < FCombo->count(); ++i)
        if (FCombo->itemData(i).value<void *>() == route) index = i;
    FCombo->setCurrentIndex(route ? index : -1);
    BuildRows(nullptr);
    UpdateControls();
    UpdateStatusBar();
}

void TFrameRoutes::FillRouteList() {
    struct TEntry {
        QString Name;
        IWptRoute *Route;
    };
    std::vector<TEntry> entries;
    if (IWptManager *m = FEnv.WaypointManager)
        for (int32_t i = m->GetRouteCount() - 1; i >= 0; --i)
            if (IWptRoute *r = m->GetRoute(i)) {
                const QString name = WptObjectGetName(r);
                entries.push_back({name.isEmpty() ? LanguageText(RouteText::NoName) : name, r});
            }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const TEntry &a, const TEntry &b) { return a.Name.localeAwareCompare(b.Name) < 0; });
    IWptRoute *shown = Route();
    const QSignalBlocker block(FCombo);
    FCombo->clear();
    for (const TEntry &e : entries) FCombo->addItem(e.Name, QVariant::fromValue(static_cast<void *>(e.Route)));
    int index = -1;
    for (int i = 0; shown && i < FCombo->count(); ++i)
        if (FCombo->itemData(i).value<void *>() == shown) index = i;
    FCombo->setCurrentIndex(index);
    UpdateControls();
}

void TFrameRoutes::RestoreRoute() {
    TGUID guid{};
    RegReadGUIDDef(Reg(), AppRegRoot::Product, RouteTableKey, RegName(u"Route"), TGUID{}, guid);
    for (int i = FCombo->count() - 1; i >= 0; --i) {
        auto *r = static_cast<IWptRoute *>(FCombo->itemData(i).value<void *>());
        if (r && SameGuid(r->GetGUID(), guid)) {
            SetRoute(r);
            return;
        }
    }
}

// ---- rows ----

const std::vector<TRteNodeData> &TFrameRoutes::Rows() const { return FModel->Rows(); }

void TFrameRoutes::BuildRows(IWptRoutePoint *selectPoint) {
    IWptRoute *route = Route();
    TRteBuildContext c;
    c.Route = route;
    c.Followed = FFollowed && route == FEnv.GetActiveRoute();
    c.BoatDef = FEnv.ActiveBoatDef;
    c.NAPWaterLevel = FEnv.Planner ? FEnv.Planner->GetNAPWaterLevel() : 0.0f;
    c.Mask = FFilterMask;
    {
        const QSignalBlocker block(FTree->selectionModel());
        FModel->SetRows(RteBuildRows(c));
        const auto &rows = FModel->Rows();
        for (int i = 0; i < int(rows.size()); ++i) FTree->setRowHidden(i, {}, !rows[size_t(i)].Visible);
    }
    const int heading = c.Followed ? HeadingForRow() : -1;
    if (heading >= 0) FTree->scrollTo(FModel->index(heading, 0), QAbstractItemView::PositionAtTop);
    if ((FFilterMask & 0x001) && selectPoint) SelectPointRow(selectPoint);
    UpdateControls();
}

TRouteCellContext TFrameRoutes::CellContext() {
    TRouteCellContext c;
    c.Route = Route();
    c.Navigation = FFollowed && c.Route && c.Route == FEnv.GetActiveRoute() ? FEnv.GetRouteNavigation() : nullptr;
    c.Electric = FEnv.ActiveBoatDef && FEnv.ActiveBoatDef->GetElectric();
    c.UnitSmall = FEnv.UnitDistanceSmall;
    c.UnitLarge = FEnv.UnitDistanceLarge;
    c.UnitVolume = FEnv.UnitVolume;
    c.PositionFormat = FEnv.PositionFormat;
    if (ITimeZones *tz = GlobalTimeZones()) c.NowUTC = tz->GetNowUTC();
    c.NoticeTitle = NoticeTitle;
    return c;
}

QString TFrameRoutes::CellText(int row, int column) {
    return RouteCellText(FModel->Rows(), row, column, CellContext());
}

int TFrameRoutes::HeadingForRow() {
    INavRouteNavigation *nav = CellContext().Navigation;
    if (!nav) return -1;
    return RteHeadingForRow(FModel->Rows(), RteCurrentOf(nav->GetNavData(), nav->GetTargetPoint()));
}

TRouteRowPaintState TFrameRoutes::PaintState(int row) {
    TRouteRowPaintState s;
    if (INightScreen *ns = NightScreen()) s.Night = ns->IsActive();
    INavRouteNavigation *nav = FFollowed && FRoute && FRoute == FEnv.GetActiveRoute() ? FEnv.GetRouteNavigation() : nullptr;
    if (!nav) return s;
    const TRteCurrent current = RteCurrentOf(nav->GetNavData(), nav->GetTargetPoint());
    const TRteNodeData *r = FModel->Row(row);
    s.Followed = true;
    s.MarkedCurrent = RteRowMarkedCurrent(FModel->Rows(), row, current);
    s.CurrentObject = r && RteIsCurrentObject(*r, current);
    s.Target = r && !r->HasItem && r->Point && r->Point == current.Target;
    return s;
}

IWptRouteObject *TFrameRoutes::ItemOf(int row) {
    const TRteNodeData *r = FModel->Row(row);
    IWptRoute *route = Route();
    if (!r || !r->HasItem || !route || r->PlanIndex < 0) return nullptr;
    IWptRoutePoint *p = route->GetPoint(r->PlanIndex);
    IWptPlanPoint *plan = p ? p->GetPlanPoint() : nullptr;
    IWptRouteObjectList *list = plan ? plan->GetObjects() : nullptr;
    if (!list || r->ObjectIndex >= list->GetCount()) return nullptr;
    IWptRouteObject *o = list->GetItem(r->ObjectIndex);
    return o && o->GetKind() == r->ItemKind ? o : nullptr;
}

void TFrameRoutes::SelectPointRow(IWptRoutePoint *point) {
    const QSignalBlocker block(FTree->selectionModel());
    FTree->selectionModel()->clearSelection();
    const auto &rows = FModel->Rows();
    for (int i = 0; point && i < int(rows.size()); ++i) {
        if (rows[size_t(i)].Point != point) continue;
        const QModelIndex index = FModel->index(i, 1);
        FTree->selectionModel()->setCurrentIndex(
            index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        FTree->scrollTo(index, QAbstractItemView::PositionAtCenter);
        break;
    }
    FTree->viewport()->update();
}

void TFrameRoutes::RowFocused(const QModelIndex &current) {
    if (FSuppressSelect || !current.isValid()) return;
    const TRteNodeData *r = FModel->Row(current.row());
    if (!r) return;
    if (!FRouteChoiceVisible && RteLivePoint(*r, Route()) && FEnv.CoreEnv)
        FEnv.CoreEnv->GetDispatcher()->Post(NavNotify::RoutePointSelected, intptr_t(r->Point), 0, 0, 0, 0, 0, 0);
    FireSelect(current.row());
}

void TFrameRoutes::FireSelect(int row) {
    if (!OnSelectObject) return;
    const TRteNodeData *r = FModel->Row(row);
    if (!r) return;
    if (IWptRouteObject *o = ItemOf(row))
        OnSelectObject(nullptr, o);
    else if (IWptRoutePoint *p = RteLivePoint(*r, Route()))
        OnSelectObject(p, nullptr);
}

void TFrameRoutes::RowDoubleClicked(const QModelIndex &index) {
    if (index.isValid() && index.column() == 28 && CanEdit(index.row(), 28)) {
        EditVisit(index.row());
        return;
    }
    const TRteNodeData *r = index.isValid() ? FModel->Row(index.row()) : nullptr;
    if (!r || !r->HasItem || !OnShowDetails) return;
    switch (r->Kind) {
    case RteNodeKind::Structure:
        if (r->Struct) OnShowDetails(nullptr, r->Struct, 0.0, 0, nullptr, 0, true, 0);
        break;
    case RteNodeKind::Notice: OnShowDetails(nullptr, nullptr, 0.0, r->NoticeId, nullptr, 0, true, 0); break;
    case RteNodeKind::Marina: OnShowDetails(nullptr, nullptr, 0.0, 0, r->Waypoint, 0, true, 0); break;
    case RteNodeKind::Obstacle:
    case RteNodeKind::Turn:
    case RteNodeKind::SailingStop:
        OnShowDetails(r->Section, nullptr, r->SectionPosition, 0, nullptr, 0, true, 0);
        break;
    default: break;
    }
}

// ---- state ----

void TFrameRoutes::SetFilter(int filter) {
    if (filter < 0 || filter >= RteFilter::Count || filter == FFilter) return;
    FFilter = filter;
    FFilterMask = RteFilterMask(filter);
    int32_t err = 0;
    RegWriteInteger(Reg(), AppRegRoot::Product, RouteTableKey, RegName(u"Filter"), filter, err);
    if (QAction *a = FilterAction(filter)) a->setChecked(true);
    RebuildRows();
}

void TFrameRoutes::SetFontSize(int points) {
    if ((points != 8 && points != 10 && points != 12) || points == FFontSize) return;
    FFontSize = points;
    int32_t err = 0;
    RegWriteInteger(Reg(), AppRegRoot::Product, RouteTableKey, RegName(u"FontSize"), points, err);
    FontAction(points)->setChecked(true);
    QFont f = FTree->font();
    f.setPointSize(points);
    FTree->setFont(f);
    RebuildRows();
}

void TFrameRoutes::SetRouteChoiceVisible(bool visible) {
    FRouteChoiceVisible = visible;
    UpdateControls();
}

void TFrameRoutes::UpdateValues() {
    FTree->viewport()->update();
    UpdateStatusBar();
}

void TFrameRoutes::InvalidateTable() {
    FTree->viewport()->update();
    FHeader->viewport()->update();
}

void TFrameRoutes::UpdateStatusBar() {
    IWptRoute *route = Route();
    QString eta = QStringLiteral("---");
    IWptRoutePoint *last = route && route->GetPointCount() > 0 ? route->GetLastPoint() : nullptr;
    IWptPlanPoint *plan = last ? last->GetPlanPoint() : nullptr;
    IWptRouteTimePoint *arrival = plan ? plan->GetArrival() : nullptr;
    const TTimePointData *d = arrival ? arrival->GetData() : nullptr;
    if (d) eta = FormatDateTime(QStringLiteral("tt (dd-mm)"), 1, GetLocalDateTime(d->TimeUTC));
    FEta->setText(LanguageText(RouteText::ETA) + QStringLiteral(": ") + eta);
    FMode->setText(LanguageText(RouteText::Mode) + QStringLiteral(": ") +
                   (route ? RoutePlanModeText(route->GetPlanMode()) : QStringLiteral("---")));
}

QString TFrameRoutes::StatusText(int panel) const { return panel == 0 ? FEta->text() : FMode->text(); }

void TFrameRoutes::UpdateControls() {
    IWptRoute *route = Route();
    FOptions->setEnabled(route);
    FCombo->setEnabled(FCombo->count() > 0);
    FRouteLabel->setEnabled(FCombo->count() > 0);
    FChoicePanel->setVisible(FRouteChoiceVisible);
    FHeader->setVisible(route && route->GetPointCount() > 0 && FCombo->count() > 0 &&
                        FModel->rowCount() > 0);
    FTree->viewport()->update();
}

QString TFrameRoutes::EmptyCaption() {
    IWptRoute *route = Route();
    const auto &rows = FModel->Rows();
    if (FCombo->count() == 0) return LanguageText(RouteText::NoRoutes);
    if (!route) return LanguageText(RouteText::NoRoute);
    if (route->GetPointCount() == 0) return LanguageText(RouteText::NoPoints);
    if (std::none_of(rows.begin(), rows.end(), [](const TRteNodeData &r) { return r.Visible; }))
        return LanguageText(RouteText::NoInformation);
    return {};
}

QString TFrameRoutes::EmptyHint() {
    IWptRoute *route = Route();
    if (FCombo->count() == 0) return LanguageText(RouteText::NoRoutesHint);
    if (!route) return LanguageText(RouteText::NoRouteHint);
    if (route->GetPointCount() == 0) return LanguageText(RouteText::NoPointsHint);
    return {};
}

void TFrameRoutes::PaintEmptyMessage() {
    const QString caption = EmptyCaption();
    if (caption.isEmpty()) return;
    QPainter p(FTree->viewport());
    DrawEmptyListMessage(p, FTree->viewport()->rect(), caption, EmptyHint());
}

bool TFrameRoutes::eventFilter(QObject *watched, QEvent *event) {
    if (watched == FTree && event->type() == QEvent::KeyPress && KeyPressed(static_cast<QKeyEvent *>(event)))
        return true;
    if (watched == FTree->viewport()) {
        if (event->type() == QEvent::Paint && !EmptyCaption().isEmpty()) {
            PaintEmptyMessage();
            return true;
        }
        if (event->type() == QEvent::Wheel &&
            !FTree->viewport()->rect().contains(static_cast<QWheelEvent *>(event)->position().toPoint()))
            return true;
    }
    return TFrameScaled::eventFilter(watched, event);
}

// ---- notifications ----

void TFrameRoutes::OnEnvNotification(const TNavNotification &n) {
    auto *p1 = reinterpret_cast<IWptRoute *>(n.P1);
    switch (n.Code) {
    case NavNotify::RouteDeleting:
        if (FRoute && p1 == FRoute) SetRoute(nullptr);
        break;
    case NavNotify::RouteChanged:
    case NavNotify::RouteDeleted: FillRouteList(); break;
    case NavNotify::RoutePointRefresh:
    case NavNotify::RouteCalcEnd:
        if (FRoute && p1 == FRoute) BuildRows(SelectedRoutePoint ? SelectedRoutePoint() : nullptr);
        break;
    case NavNotify::UpdateActions:
    case NavNotify::RoutePointSelected:
        SelectPointRow(reinterpret_cast<IWptRoutePoint *>(n.P1));
        break;
    case NavNotify::RouteEditOn:
        // A notice about a route whose editing already ended (an empty route is deleted
        // then) names a route that may be gone: only a route the manager still holds is
        // taken, compared by address alone.
        if (!HoldsRoute(FEnv.WaypointManager, p1)) break;
        SetRouteChoiceVisible(false);
        if (n.P2 > 0) FillRouteList();
        SetRoute(p1);
        break;
    case NavNotify::RouteEditOff:
        if (IWptRoute *route = Route()) {
            SetRoute(nullptr);
            if (route->GetPointCount() > 0) SetRoute(route);
        }
        SetRouteChoiceVisible(true);
        break;
    case NavNotify::RouteTargetChanged:
        if (FRoute && FRoute == FEnv.GetActiveRoute()) {
            BuildRows(nullptr);
            UpdateControls();
        }
        break;
    case NavNotify::RouteFollowStarted:
        if (n.P2 > 0) {
            FillRouteList();
            SetRoute(p1);
            break;
        }
        [[fallthrough]];
    case NavNotify::RouteFollowStopped:
        if (FRoute && p1 == FRoute) SetRoute(p1);
        break;
    default: break;
    }
}
