#include "routes/FrmRoutePointSelect.h"

#include "base/dialogs/FrmSelectDateTime.h"
#include "base/geodesy/KvGeodetic.h"
#include "base/math/KvMath.h"
#include "base/registry/KvRegistry.h"
#include "base/texts/KvStr.h"
#include "base/units/KvUnitsTime.h"
#include "objectinfo/KvWWNetwork.h"
#include "routes/RoutePointRowModel.h"
#include "routes/RoutePointSelectTexts.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvNavBoat.h>
#include <KvLibNav6/KvUnits.h>

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <cmath>

namespace T = RoutePointSelectText;

namespace {

const QString Key = QStringLiteral("Desktop\\RoutePointSelect");
constexpr int32_t Root = AppRegRoot::Product;

// Water bodies in the order of the list, by their index.
constexpr int WaterBodyOrder[] = {3, 0, 1, 2, 4, 5, 11, 6, 7, 9, 10, 8, 12, 13, 14, 15, 16};
// Route modes of the list with their values.
constexpr int32_t RouteModeValues[] = {1, 0, 4};
const TLanguageStrings *const RouteModeTexts[] = {&T::ModeShortest, &T::ModeFastest, &T::ModeIgnoreBlockades};


TFormRoutePointSelect::TPrompter &Prompter() {
    static TFormRoutePointSelect::TPrompter prompter;
    return prompter;
}


QString Colon(const TLanguageStrings &t) { return LanguageText(t) + QLatin1Char(':'); }
QString Bracketed(const TLanguageStrings &t) { return QLatin1Char('<') + LanguageText(t) + QLatin1Char('>'); }

}  // namespace

void TClickLabel::mousePressEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton && isEnabled()) emit clicked();
    QLabel::mousePressEvent(event);
}

void TClickLabel::SetFullText(const QString &text) {
    FFullText = text;
    setToolTip(text);
    Elide();
}

void TClickLabel::resizeEvent(QResizeEvent *event) {
    QLabel::resizeEvent(event);
    Elide();
}

void TClickLabel::Elide() { setText(fontMetrics().elidedText(FFullText, Qt::ElideRight, std::max(1, width()))); }

// ---- creation ----

TFormRoutePointSelect::TFormRoutePointSelect(bool singleLocation, int32_t waterBodies, int32_t routeMode,
                                             IWWNetwork *network, TMarivoNavEnv *env, QWidget *owner)
    : TFormScaled(owner), FSingle(singleLocation), FWaterBodies(waterBodies), FRouteMode(routeMode),
      FNetwork(network), FEnv(env) {
    setObjectName(QStringLiteral("FormRoutePointSelect"));
    CreateControls();
    FillRouteModes();
    FillSearchTypes();
    if (FEnv) {
        FHome = FEnv->HomeLocation;
        FLargeUnit = FEnv->UnitDistanceLarge;
        FSmallUnit = FEnv->UnitDistanceSmall;
    }
    FModel1->SetUnits(FLargeUnit, FSmallUnit);
    LabelSelectRoutePoint->setText(LanguageText(FSingle ? T::PromptLocation : T::PromptDestination));
    FFrom.Kind = RouteSlotKind::CurrentPosition;
    ButtonLocationTo->setChecked(true);
    ButtonOk->setEnabled(false);
    LoadSettings();
    LoadRecentSearches();
    FillWaterBodies();
    LoadLanguage();
    ArrangePanels();
    UpdateLabels();
    BuildCandidateList();
    UpdateControls();
    Connect();
    ScaleConstraints();
}

TFormRoutePointSelect::~TFormRoutePointSelect() {
    // The models read the row lists, which go with the form's members.
    Tree1->setModel(nullptr);
    Tree2->setModel(nullptr);
}

void TFormRoutePointSelect::CreateControls() {
    setMinimumSize(669, 612);
    auto *layout = new QVBoxLayout(this);
    Pages = new QStackedWidget(this);
    Pages->addWidget(CreateFirstPage());
    Pages->addWidget(CreateSecondPage());
    layout->addWidget(Pages, 1);
    auto *buttons = new QHBoxLayout;
    ButtonPrev = new QPushButton(this);
    ButtonOk = new QPushButton(this);
    ButtonCancel = new QPushButton(this);
    ButtonOk->setDefault(true);
    ButtonPrev->hide();
    buttons->addStretch(1);
    buttons->addWidget(ButtonPrev);
    buttons->addWidget(ButtonOk);
    buttons->addWidget(ButtonCancel);
    layout->addLayout(buttons);
}

QWidget *TFormRoutePointSelect::CreateFirstPage() {
    auto *page = new QWidget(this);
    auto *v = new QVBoxLayout(page);
    v->setContentsMargins(0, 0, 0, 0);
    PanelRouteMode = new QWidget(page);
    auto *mode = new QHBoxLayout(PanelRouteMode);
    mode->setContentsMargins(0, 0, 0, 0);
    LabelRouteMode = new QLabel(PanelRouteMode);
    ComboBoxRouteMode = new QComboBox(PanelRouteMode);
    mode->addWidget(LabelRouteMode);
    mode->addWidget(ComboBoxRouteMode, 1);
    v->addWidget(PanelRouteMode);
    v->addWidget(CreateLocationsPanel());
    PanelStartTime = new QWidget(page);
    auto *start = new QHBoxLayout(PanelStartTime);
    start->setContentsMargins(0, 0, 0, 0);
    LabelStartTime = new QLabel(PanelStartTime);
    ButtonStartTimeNow = new QPushButton(PanelStartTime);
    ButtonStartTimeCustom = new QPushButton(PanelStartTime);
    start->addWidget(LabelStartTime, 1);
    start->addWidget(ButtonStartTimeNow);
    start->addWidget(ButtonStartTimeCustom);
    v->addWidget(PanelStartTime);
    v->addWidget(CreateSearchOptionsPanel());
    LabelSelectRoutePoint = new QLabel(page);
    QFont bold = LabelSelectRoutePoint->font();
    bold.setBold(true);
    LabelSelectRoutePoint->setFont(bold);
    v->addWidget(LabelSelectRoutePoint);
    auto *search = new QHBoxLayout;
    LabelSearch1 = new QLabel(page);
    ComboSearch1 = new QComboBox(page);
    ComboSearch1->setEditable(true);
    ComboSearch1->setInsertPolicy(QComboBox::NoInsert);
    LabelSearch1->setBuddy(ComboSearch1);
    search->addWidget(LabelSearch1);
    search->addWidget(ComboSearch1, 1);
    v->addLayout(search);
    Tree1 = new QTreeView(page);
    Tree1->setObjectName(QStringLiteral("Tree1"));
    FModel1 = new TRoutePointRowModel(false, this);
    FModel1->SetRows(&FCandidates.Rows);
    Tree1->setModel(FModel1);
    Tree1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Tree1->setSelectionBehavior(QAbstractItemView::SelectRows);
    Tree1->setAllColumnsShowFocus(true);
    Tree1->setColumnWidth(TRoutePointRowModel::ColName, 467);
    Tree1->setColumnWidth(TRoutePointRowModel::ColDistance, 80);
    Tree1->setColumnWidth(TRoutePointRowModel::ColType, 70);
    v->addWidget(Tree1, 1);
    return page;
}

QWidget *TFormRoutePointSelect::CreateLocationsPanel() {
    PanelLocations = new QWidget(this);
    auto *grid = new QHBoxLayout(PanelLocations);
    grid->setContentsMargins(0, 0, 0, 0);
    auto column = [this, grid](QLabel *&caption, QToolButton *&button, TClickLabel *&value) {
        auto *v = new QVBoxLayout;
        caption = new QLabel(PanelLocations);
        button = new QToolButton(PanelLocations);
        button->setCheckable(true);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        button->setMinimumHeight(36);
        auto *inside = new QHBoxLayout(button);
        inside->setContentsMargins(6, 2, 6, 2);
        value = new TClickLabel(button);
        value->setAlignment(Qt::AlignCenter);
        value->setMinimumWidth(40);
        value->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        inside->addWidget(value);
        v->addWidget(caption);
        v->addWidget(button);
        grid->addLayout(v, 1);
        return v;
    };
    column(LabelLocationFrom, ButtonLocationFrom, LabelLocationFromValue);
    column(LabelLocationTo, ButtonLocationTo, LabelLocationToValue);
    QVBoxLayout *via = column(LabelLocationVia, ButtonLocationVia, LabelLocationViaValue);
    CheckUseVia = new QCheckBox(PanelLocations);
    via->insertWidget(0, CheckUseVia);
    return PanelLocations;
}

QWidget *TFormRoutePointSelect::CreateSearchOptionsPanel() {
    PanelSearchOptions = new QWidget(this);
    auto *v = new QVBoxLayout(PanelSearchOptions);
    v->setContentsMargins(0, 0, 0, 0);
    LabelSearchOptions = new QLabel(PanelSearchOptions);
    QFont bold = LabelSearchOptions->font();
    bold.setBold(true);
    LabelSearchOptions->setFont(bold);
    CheckChartWptSelectedOnly = new QCheckBox(PanelSearchOptions);
    v->addWidget(LabelSearchOptions);
    v->addWidget(CheckChartWptSelectedOnly);
    auto *lists = new QHBoxLayout;
    auto list = [this, lists](QLabel *&label, QListWidget *&box) {
        auto *col = new QVBoxLayout;
        label = new QLabel(PanelSearchOptions);
        box = new QListWidget(PanelSearchOptions);
        box->setMaximumHeight(120);
        col->addWidget(label);
        col->addWidget(box);
        lists->addLayout(col, 1);
    };
    list(LabelSearchTypes, CheckListBoxSearchTypes);
    list(LabelWaterbodies, CheckListBoxWaterbodies);
    v->addLayout(lists);
    return PanelSearchOptions;
}

QWidget *TFormRoutePointSelect::CreateSecondPage() {
    auto *page = new QWidget(this);
    auto *v = new QVBoxLayout(page);
    v->setContentsMargins(0, 0, 0, 0);
    auto *search = new QHBoxLayout;
    LabelSearch2 = new QLabel(page);
    EditSearch2 = new QLineEdit(page);
    LabelSearch2->setBuddy(EditSearch2);
    search->addWidget(LabelSearch2);
    search->addWidget(EditSearch2, 1);
    v->addLayout(search);
    Tree2 = new QTreeView(page);
    Tree2->setObjectName(QStringLiteral("Tree2"));
    FModel2 = new TRoutePointRowModel(true, this);
    FModel2->SetRows(&FSecondRows);
    Tree2->setModel(FModel2);
    Tree2->setRootIsDecorated(false);
    Tree2->setEditTriggers(QAbstractItemView::NoEditTriggers);
    v->addWidget(Tree2, 1);
    return page;
}

void TFormRoutePointSelect::Connect() {
    connect(ComboBoxRouteMode, &QComboBox::activated, this, [this](int i) {
        if (i >= 0) FRouteMode = ComboBoxRouteMode->itemData(i).toInt();
    });
    const TSlotIndex allSlots[] = {SlotFrom, SlotTo, SlotVia};
    for (TSlotIndex s : allSlots) {
        TClickLabel *label = s == SlotFrom ? LabelLocationFromValue : s == SlotTo ? LabelLocationToValue : LabelLocationViaValue;
        connect(label, &TClickLabel::clicked, this, [this, s] { LabelLocationValueClick(s); });
        connect(SlotButton(s), &QToolButton::clicked, this, [this, s] { ButtonLocationClick(s); });
    }
    connect(CheckUseVia, &QCheckBox::clicked, this, &TFormRoutePointSelect::UseViaClicked);
    connect(ButtonStartTimeNow, &QPushButton::clicked, this, &TFormRoutePointSelect::StartTimeNow);
    connect(ButtonStartTimeCustom, &QPushButton::clicked, this, &TFormRoutePointSelect::StartTimeCustom);
    connect(CheckChartWptSelectedOnly, &QCheckBox::clicked, this, &TFormRoutePointSelect::BuildCandidateList);
    connect(CheckListBoxSearchTypes, &QListWidget::itemChanged, this, [this] {
        if (!FUpdating) BuildCandidateList();
    });
    connect(CheckListBoxWaterbodies, &QListWidget::itemChanged, this, &TFormRoutePointSelect::WaterBodiesChanged);
    connect(ComboSearch1, &QComboBox::editTextChanged, this, [this] {
        if (!FUpdating) SearchChanged();
    });
    connect(Tree1->selectionModel(), &QItemSelectionModel::currentChanged, this, &TFormRoutePointSelect::Tree1FocusChanged);
    connect(Tree2->selectionModel(), &QItemSelectionModel::currentChanged, this, &TFormRoutePointSelect::Tree2FocusChanged);
    connect(Tree1, &QTreeView::doubleClicked, this, &TFormRoutePointSelect::Tree1DoubleClicked);
    connect(Tree2, &QTreeView::doubleClicked, this, &TFormRoutePointSelect::Tree2DoubleClicked);
    connect(EditSearch2, &QLineEdit::textChanged, this, &TFormRoutePointSelect::Search2Changed);
    connect(ButtonOk, &QPushButton::clicked, this, &TFormRoutePointSelect::OkClicked);
    connect(ButtonPrev, &QPushButton::clicked, this, &TFormRoutePointSelect::PrevClicked);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormRoutePointSelect::FillRouteModes() {
    for (size_t i = 0; i < std::size(RouteModeValues); ++i)
        ComboBoxRouteMode->addItem(LanguageText(*RouteModeTexts[i]), RouteModeValues[i]);
    ComboBoxRouteMode->setCurrentIndex(ComboBoxRouteMode->findData(FRouteMode));
}

void TFormRoutePointSelect::FillSearchTypes() {
    for (const auto &text : T::FilterTexts) {
        auto *item = new QListWidgetItem(LanguageText(text), CheckListBoxSearchTypes);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
}

void TFormRoutePointSelect::FillWaterBodies() {
    FUpdating = true;
    CheckListBoxWaterbodies->clear();
    for (int n : WaterBodyOrder) {
        if (!FNetwork || !FNetwork->HasWaterBody(n)) continue;
        auto *item = new QListWidgetItem(LanguageText(T::WaterBodyTexts[n]), CheckListBoxWaterbodies);
        item->setData(Qt::UserRole, n);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState((uint32_t(FWaterBodies) & WaterBodyMask(n)) ? Qt::Checked : Qt::Unchecked);
    }
    FUpdating = false;
}

void TFormRoutePointSelect::WaterBodiesChanged() {
    if (FUpdating) return;
    uint32_t mask = 0;
    for (int i = 0; i < CheckListBoxWaterbodies->count(); ++i) {
        QListWidgetItem *item = CheckListBoxWaterbodies->item(i);
        if (item->checkState() == Qt::Checked) mask |= WaterBodyMask(item->data(Qt::UserRole).toInt());
    }
    FWaterBodies = int32_t(mask);
    BuildCandidateList();
}

void TFormRoutePointSelect::LoadLanguage() {
    setWindowTitle(LanguageText(FSingle ? T::CaptionSearch : T::CaptionPlanner));
    CheckChartWptSelectedOnly->setText(LanguageText(T::ChartWptSelectedOnly));
    LabelSearch1->setText(LanguageText(T::Search));
    LabelSearch2->setText(LanguageText(T::Search));
    LabelLocationFrom->setText(Colon(T::StartingPoint));
    LabelLocationTo->setText(Colon(T::Destination));
    LabelLocationVia->setText(Colon(T::Via));
    CheckUseVia->setText(LanguageText(T::Via));
    LabelRouteMode->setText(Colon(T::PlanningMode));
    LabelSearchTypes->setText(Colon(T::SearchFilter));
    LabelWaterbodies->setText(Colon(T::Waterways));
    LabelSearchOptions->setText(LanguageText(T::SearchListOptions));
    ButtonOk->setText(LanguageText(KvStr::BtnOK));
    ButtonPrev->setText(LanguageText(T::Previous));
    ButtonCancel->setText(LanguageText(KvStr::BtnCancel));
    ButtonStartTimeNow->setText(LanguageText(T::Now));
    ButtonStartTimeCustom->setText(LanguageText(T::Choose));
}

void TFormRoutePointSelect::ArrangePanels() {
    PanelRouteMode->setVisible(!FSingle);
    PanelLocations->setVisible(!FSingle);
    PanelStartTime->setVisible(!FSingle);
    PanelSearchOptions->setVisible(true);
}

// ---- settings ----

void TFormRoutePointSelect::LoadSettings() {
    IAppReg *reg = GetAppReg();
    resize(RegReadIntegerDef(reg, Root, Key, RegName(u"Width"), minimumWidth()),
           RegReadIntegerDef(reg, Root, Key, RegName(u"Height"), minimumHeight()));
    const int32_t mode = RegReadIntegerDef(reg, Root, Key, RegName(u"PlannerMode"), -1);
    if (mode >= 0) FRouteMode = mode == 1 || mode == 4 ? mode : 0;
    ComboBoxRouteMode->setCurrentIndex(ComboBoxRouteMode->findData(FRouteMode));
    CheckChartWptSelectedOnly->setChecked(RegReadBoolDef(reg, Root, Key, RegName(u"ChartWptSelectedOnly"), true));
    const uint32_t filters = uint32_t(RegReadIntegerDef(reg, Root, Key, RegName(u"Filters"), RoutePointFilter::Default));
    FUpdating = true;
    for (int i = 0; i < 9; ++i)
        CheckListBoxSearchTypes->item(i)->setCheckState((filters & RoutePointFilter::FilterBits[i]) ? Qt::Checked : Qt::Unchecked);
    FUpdating = false;
    if (!FSingle) {
        IWptManager *manager = FEnv ? FEnv->WaypointManager : nullptr;
        FDepartureTime = -1.0;
        const int32_t from = RegReadIntegerDef(reg, Root, Key, RegName(u"FromType"), 0);
        RestoreSlot(reg, Key, QStringLiteral("From"), manager, FNetwork, FFrom, from == 1 || from == 2 ? uint8_t(from) : RouteSlotKind::CurrentPosition);
        FLoadedStartKind = FFrom.Kind;
        FLoadedStartName = FFrom.Name;
        FLoadedStartName2 = FFrom.Name2;
        const auto toKind = [](int32_t v) { return v >= 0 && v <= 2 ? uint8_t(v) : RouteSlotKind::None; };
        RestoreSlot(reg, Key, QStringLiteral("To"), manager, FNetwork, FTo, toKind(RegReadIntegerDef(reg, Root, Key, RegName(u"ToType"), 3)));
        CheckUseVia->setChecked(RegReadBoolDef(reg, Root, Key, RegName(u"ViaEnabled"), false));
        if (CheckUseVia->isChecked())
            RestoreSlot(reg, Key, QStringLiteral("Via"), manager, FNetwork, FVia, toKind(RegReadIntegerDef(reg, Root, Key, RegName(u"ViaType"), 3)));
    }
    const bool via = CheckUseVia->isChecked();
    LabelLocationVia->setEnabled(via);
    LabelLocationViaValue->setEnabled(via);
    ButtonLocationVia->setEnabled(via);
    ButtonOk->setEnabled(ToResolvable());
}

void TFormRoutePointSelect::SaveSettings(bool ok) {
    IAppReg *reg = GetAppReg();
    int32_t err = 0;
    RegWriteInteger(reg, Root, Key, RegName(u"Width"), width(), err);
    RegWriteInteger(reg, Root, Key, RegName(u"Height"), height(), err);
    const bool known = FRouteMode == 1 || FRouteMode == 2 || FRouteMode == 3 || FRouteMode == 4 || FRouteMode == 6;
    RegWriteInteger(reg, Root, Key, RegName(u"PlannerMode"), known ? FRouteMode : 0, err);
    RegWriteBool(reg, Root, Key, RegName(u"ChartWptSelectedOnly"), CheckChartWptSelectedOnly->isChecked(), err);
    RegWriteInteger(reg, Root, Key, RegName(u"Filters"), int32_t(FilterState()), err);
    if (!ok || FSingle) return;
    const auto kind12 = [](uint8_t k) { return k == 1 || k == 2 ? int32_t(k) : 0; };
    RegWriteInteger(reg, Root, Key, RegName(u"FromType"), kind12(FFrom.Kind), err);
    StoreSlot(reg, Key, QStringLiteral("From"), FFrom);
    RegWriteInteger(reg, Root, Key, RegName(u"ToType"), kind12(FTo.Kind), err);
    StoreSlot(reg, Key, QStringLiteral("To"), FTo);
    RegWriteBool(reg, Root, Key, RegName(u"ViaEnabled"), CheckUseVia->isChecked(), err);
    if (CheckUseVia->isChecked()) {
        const int32_t via = FVia.Kind >= 1 && FVia.Kind <= 3 ? FVia.Kind : 0;
        RegWriteInteger(reg, Root, Key, RegName(u"ViaType"), via, err);
        StoreSlot(reg, Key, QStringLiteral("Via"), FVia);
    }
}

void TFormRoutePointSelect::LoadRecentSearches() {
    FRecent = ::LoadRecentSearches(GetAppReg());
    FUpdating = true;
    ComboSearch1->clear();
    for (const TRecentSearch &e : FRecent) ComboSearch1->addItem(e.SearchName);
    ComboSearch1->setCurrentIndex(-1);
    ComboSearch1->setEditText(QString());
    FUpdating = false;
}

uint32_t TFormRoutePointSelect::FilterState() const {
    uint32_t bits = 0;
    for (int i = 0; i < 9; ++i)
        if (CheckListBoxSearchTypes->item(i)->checkState() == Qt::Checked) bits |= RoutePointFilter::FilterBits[i];
    return bits;
}

void TFormRoutePointSelect::done(int result) {
    SaveSettings(result == QDialog::Accepted);
    TFormScaled::done(result);
}

// ---- slots and labels ----

TRoutePointSlot *TFormRoutePointSelect::SlotPtr(int i) const {
    return i == SlotFrom ? &FFrom : i == SlotVia ? &FVia : &FTo;
}

QToolButton *TFormRoutePointSelect::SlotButton(int i) const {
    return i == SlotFrom ? ButtonLocationFrom : i == SlotVia ? ButtonLocationVia : ButtonLocationTo;
}

int TFormRoutePointSelect::ActiveSlot() const {
    if (ButtonLocationFrom->isChecked()) return SlotFrom;
    if (ButtonLocationVia->isChecked()) return SlotVia;
    if (ButtonLocationTo->isChecked()) return SlotTo;
    return -1;
}

TRoutePointSlot *TFormRoutePointSelect::ActivePtr() const {
    const int a = ActiveSlot();
    return a < 0 ? nullptr : SlotPtr(a);
}

bool TFormRoutePointSelect::StartChanged() const {
    return FFrom.Kind != FLoadedStartKind || FFrom.Name != FLoadedStartName || FFrom.Name2 != FLoadedStartName2;
}

bool TFormRoutePointSelect::SecondPageActive() const { return Pages->currentIndex() == 1; }

bool TFormRoutePointSelect::ToResolvable() const {
    if (FTo.Kind == RouteSlotKind::CurrentPosition || FTo.Kind == RouteSlotKind::Home) return true;
    return FTo.Resolvable(true, FNetwork != nullptr);
}

void TFormRoutePointSelect::EnableOk(bool forFromOrVia) {
    ButtonOk->setEnabled(forFromOrVia ? FTo.Kind != RouteSlotKind::None && ToResolvable() : true);
}

QString TFormRoutePointSelect::SlotValueText(int i) const {
    const TRoutePointSlot &s = *SlotPtr(i);
    switch (s.Kind) {
    case RouteSlotKind::CurrentPosition: return Bracketed(T::CurrentPosition);
    case RouteSlotKind::Home: return Bracketed(T::HomeLocation);
    case RouteSlotKind::Object: return s.Name2.isEmpty() ? s.Name : s.Name + QStringLiteral(", ") + s.Name2;
    default: return i == SlotFrom ? QString() : Bracketed(ActiveSlot() == i ? T::SelectALocation : T::None);
    }
}

void TFormRoutePointSelect::UpdateLabels() {
    if (FDepartureTime <= -1.0)
        LabelStartTime->setText(LanguageText(T::DepartAt) + QStringLiteral(": <") + LanguageText(T::Now) + QLatin1Char('>'));
    else
        LabelStartTime->setText(LanguageText(T::DepartAt) + QStringLiteral(": ") +
                                FormatDateTime(QStringLiteral("ddd ddddd t"), 1, FDepartureTime));
    TClickLabel *labels[] = {LabelLocationFromValue, LabelLocationToValue, LabelLocationViaValue};
    for (int i = 0; i < 3; ++i) {
        QFont f = labels[i]->font();
        f.setBold(ActiveSlot() == i);
        labels[i]->setFont(f);
        labels[i]->SetFullText(SlotValueText(i));
    }
}

void TFormRoutePointSelect::UpdateControls() {
    const int active = ActiveSlot();
    const bool any = FSingle || active >= 0;
    auto hide = [this](TNodeData *row, bool hidden) {
        const QModelIndex i = FModel1->IndexOf(row);
        if (i.isValid()) Tree1->setRowHidden(i.row(), {}, hidden);
    };
    hide(FCandidates.CurrentRow, active != SlotFrom);
    hide(FCandidates.HomeRow, !((active == SlotFrom || active == SlotTo) && FHome.Lat != 10.0));
    LabelSelectRoutePoint->setEnabled(any);
    LabelSearch1->setEnabled(any);
    ComboSearch1->setEnabled(any);
    Tree1->setEnabled(any);
    QColor colour = palette().color(QPalette::WindowText);
    if (!FSingle && active == SlotFrom) colour = Qt::red;
    if (!FSingle && active == SlotTo) colour = QColor(0, 128, 0);
    if (!FSingle && active == SlotVia) colour = Qt::blue;
    QPalette p = LabelSelectRoutePoint->palette();
    p.setColor(QPalette::WindowText, colour);
    LabelSelectRoutePoint->setPalette(p);
}

std::optional<TDouble3> TFormRoutePointSelect::ReferencePoint() const {
    TDouble3 at{};
    switch (FFrom.Kind) {
    case RouteSlotKind::CurrentPosition:
        if (FEnv && FEnv->Boat && FEnv->Boat->GetGlobalPosition(at)) return at;
        return std::nullopt;
    case RouteSlotKind::Home:
        GeoToGlobal2(at, FHome, GeodeticGlobals().StandardEllipsoid);
        return at;
    case RouteSlotKind::Object:
        if (FFrom.Fairway && RowObjectPosition(RouteRowKind::Fairway, FFrom.Fairway, at)) return at;
        if (FFrom.Part && RowObjectPosition(RouteRowKind::FairwayPart, FFrom.Part, at)) return at;
        if (FFrom.Struct && RowObjectPosition(RouteRowKind::Struct, FFrom.Struct, at)) return at;
        if (FFrom.Waypoint && RowObjectPosition(RouteRowKind::Waypoint, FFrom.Waypoint, at)) return at;
        if (FFrom.Section) return FFrom.Section->GetPointAt(FFrom.Position);
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

void TFormRoutePointSelect::BuildCandidateList() {
    TCandidateSource src;
    if (FEnv) {
        src.Manager = FEnv->WaypointManager;
        src.UserDatabase = FEnv->UserDatabase;
        TMarivoNavEnv *env = FEnv;
        src.ChartDatabaseSelected = [env](IWptDatabase *db) { return env->IsChartWptDatabaseSelected(db); };
    }
    src.Network = FNetwork;
    src.Planner = !FSingle;
    src.Filters = FilterState();
    src.ChartWptSelectedOnly = CheckChartWptSelectedOnly->isChecked();
    src.WaterBodies = uint32_t(FWaterBodies);
    src.Reference = ReferencePoint();
    src.LargeUnit = FLargeUnit;
    FUpdating = true;
    FModel1->BeginReset();
    ::BuildCandidates(src, FCandidates);
    FModel1->EndReset();
    FUpdating = false;
    UpdateControls();
}

// ---- the active point ----

void TFormRoutePointSelect::SetActive(int slot, const TLanguageStrings *prompt) {
    for (int i = 0; i < 3; ++i)
        if (i != slot) SlotButton(i)->setChecked(false);
    if (prompt) LabelSelectRoutePoint->setText(LanguageText(*prompt));
}

void TFormRoutePointSelect::LabelLocationValueClick(TSlotIndex slot) {
    switch (slot) {
    case SlotFrom:
        ButtonLocationFrom->setChecked(!ButtonLocationFrom->isChecked());
        if (ButtonLocationFrom->isChecked()) SetActive(SlotFrom, nullptr);
        LabelSelectRoutePoint->setText(LanguageText(T::PromptDepart));
        break;
    case SlotTo:
        if (ActiveSlot() == SlotTo) return;
        ButtonLocationTo->setChecked(true);
        SetActive(SlotTo, &T::PromptDestination);
        break;
    case SlotVia:
        ButtonLocationVia->setChecked(!ButtonLocationVia->isChecked());
        if (ButtonLocationVia->isChecked()) SetActive(SlotVia, nullptr);
        LabelSelectRoutePoint->setText(LanguageText(T::PromptVia));
        break;
    }
    // Distances follow a new start only once the user turns to the destination or via point.
    if (slot != SlotFrom && FStartChangedFlag) {
        BuildCandidateList();
        FStartChangedFlag = false;
    }
    AfterActiveChange();
}

void TFormRoutePointSelect::ButtonLocationClick(TSlotIndex slot) {
    const TLanguageStrings *prompts[] = {&T::PromptDepart, &T::PromptDestination, &T::PromptVia};
    if (SlotButton(slot)->isChecked()) SetActive(slot, nullptr);
    LabelSelectRoutePoint->setText(LanguageText(*prompts[slot]));
    AfterActiveChange();
}

void TFormRoutePointSelect::AfterActiveChange() {
    FUpdating = true;
    Tree1->selectionModel()->clear();
    Tree1->setCurrentIndex({});
    ComboSearch1->setEditText(QString());
    FUpdating = false;
    UpdateControls();
    UpdateLabels();
    if (ComboSearch1->isEnabled()) ComboSearch1->setFocus();
}

void TFormRoutePointSelect::UseViaClicked() {
    const bool on = CheckUseVia->isChecked();
    LabelLocationVia->setEnabled(on);
    LabelLocationViaValue->setEnabled(on);
    ButtonLocationVia->setEnabled(on);
    if (on) {
        LabelLocationValueClick(SlotVia);
    } else {
        FVia.Kind = RouteSlotKind::None;
        FVia.ClearObjects();
        LabelLocationValueClick(SlotTo);
    }
    UpdateControls();
    UpdateLabels();
}

// ---- first page ----

void TFormRoutePointSelect::SearchChanged() {
    FUpdating = true;
    Tree1->selectionModel()->clear();
    Tree1->setCurrentIndex({});
    FUpdating = false;
    const TSearchOutcome found = SearchRows(FCandidates.Rows, FCandidates.Places, ComboSearch1->currentText());
    for (size_t r = 0; r < FCandidates.Rows.size(); ++r) {
        Tree1->setRowHidden(int(r), {}, !found.Visible[r]);
        if (found.Empty)
            for (size_t c = 0; c < FCandidates.Rows[r]->Children.size(); ++c)
                Tree1->setRowHidden(int(c), FModel1->index(int(r), 0), false);
    }
    UpdateControls();  // the special rows follow the active point, not the search
    int focus = found.Focus;
    if (found.Empty) {
        Tree1->collapseAll();
        focus = -1;
        for (size_t r = 0; r < FCandidates.Rows.size() && focus < 0; ++r)
            if (!Tree1->isRowHidden(int(r), {})) focus = int(r);
    } else if (focus >= 0 && Tree1->isRowHidden(focus, {})) {
        focus = -1;
    }
    if (focus < 0) return;
    const QModelIndex index = FModel1->index(focus, 0);
    Tree1->setCurrentIndex(index);
    Tree1->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

bool TFormRoutePointSelect::FocusRowOf(const NavObject *obj, uint8_t kind) {
    std::function<TNodeData *(const TNodeList &)> find = [&](const TNodeList &rows) -> TNodeData * {
        for (const auto &row : rows)
            if (row->Kind == kind && (row->Obj == obj || !obj)) return row.get();
        for (const auto &row : rows)
            if (TNodeData *child = find(row->Children)) return child;
        return nullptr;
    };
    TNodeData *row = find(FCandidates.Rows);
    if (!row) return false;
    const QModelIndex index = FModel1->IndexOf(row);
    if (row->Parent) Tree1->expand(index.parent());
    Tree1->setCurrentIndex(index);
    return Tree1->currentIndex() == index;
}

bool TFormRoutePointSelect::FocusSecondRow(const QString &name) {
    for (const auto &row : FSecondRows)
        if (row->Name == name) {
            Tree2->setCurrentIndex(FModel2->IndexOf(row.get()));
            return true;
        }
    return false;
}

void TFormRoutePointSelect::Tree1FocusChanged() {
    if (FUpdating) return;
    TNodeData *row = FModel1->Row(Tree1->currentIndex());
    if (!row) return;
    TakeFirstRow(row, true);
    UpdateLabels();
}

// The row becomes the active point; setNames False keeps the names (Previous).
void TFormRoutePointSelect::TakeFirstRow(TNodeData *row, bool setNames) {
    const int active = FSingle ? int(SlotTo) : ActiveSlot();
    if (active < 0) return;
    TRoutePointSlot &slot = *SlotPtr(active);
    slot.ClearObjects();
    if (setNames) {
        slot.Name = row->Name;
        slot.Name2.clear();
    }
    bool next = false;
    switch (row->Kind) {
    case RouteRowKind::CurrentPosition: slot.Kind = RouteSlotKind::CurrentPosition; break;
    case RouteRowKind::Home: slot.Kind = RouteSlotKind::Home; break;
    case RouteRowKind::Fairway: slot.Kind = RouteSlotKind::Object; slot.Fairway = row->Fairway(); next = true; break;
    case RouteRowKind::FairwayPart: slot.Kind = RouteSlotKind::Object; slot.Part = row->Part(); next = true; break;
    case RouteRowKind::Struct: slot.Kind = RouteSlotKind::Object; slot.Struct = row->Struct(); break;
    case RouteRowKind::Waypoint: slot.Kind = RouteSlotKind::Object; slot.Waypoint = row->Waypoint(); break;
    default: break;
    }
    ButtonOk->setText(LanguageText(next ? T::Next : KvStr::BtnOK));
    // "Next" leads to the second page; OK needs a destination that resolves.
    if (next && slot.HasObject()) ButtonOk->setEnabled(true);
    else EnableOk(active != SlotTo);
    if (active == SlotFrom) FStartChangedFlag = true;
}

// The view reports no double click on an expand button, which therefore only expands.
void TFormRoutePointSelect::Tree1DoubleClicked() {
    TRoutePointSlot *slot = FSingle ? &FTo : ActivePtr();
    if (!slot) return;
    if (slot->NeedsSecondPage() && FModel1->Row(Tree1->currentIndex())) OpenSecondPage();
    else if ((FTo.Waypoint || FTo.Struct) && ToResolvable()) accept();
}

void TFormRoutePointSelect::OkClicked() {
    if (SecondPageActive()) {
        if (FSingle) accept();
        else ShowFirstPage();
        return;
    }
    TRoutePointSlot *slot = FSingle ? &FTo : ActivePtr();
    const bool focused = FModel1->Row(Tree1->currentIndex()) != nullptr;
    if (!focused && FTo.IsSet() && ToResolvable()) {
        accept();
    } else if (focused && slot && slot->NeedsSecondPage()) {
        OpenSecondPage();
    } else if (FTo.IsSet() && ToResolvable()) {
        accept();
    }
}

// ---- second page ----

void TFormRoutePointSelect::OpenSecondPage() {
    ButtonOk->setText(LanguageText(KvStr::BtnOK));
    ButtonPrev->show();
    TRoutePointSlot *slot = FSingle ? &FTo : ActivePtr();
    FUpdating = true;
    FModel2->BeginReset();
    if (slot) BuildSecondPage(*slot, FSecondRows);
    else FSecondRows.clear();
    FModel2->EndReset();
    EditSearch2->clear();
    FUpdating = false;
    Pages->setCurrentIndex(1);
    if (!FSecondRows.empty()) Tree2->setCurrentIndex(FModel2->index(0, 0));
    else Tree2FocusChanged();
    EditSearch2->setFocus();
}

void TFormRoutePointSelect::Tree2FocusChanged() {
    if (FUpdating || !SecondPageActive()) return;
    const int active = FSingle ? int(SlotTo) : ActiveSlot();
    if (active < 0) return;
    TRoutePointSlot &slot = *SlotPtr(active);
    slot.ClearObjects();
    slot.Name2.clear();
    TNodeData *row = FModel2->Row(Tree2->currentIndex());
    if (row) {
        slot.Name2 = row->Name;
        if (row->Kind == RouteRowKind::Fairway) slot.Fairway = row->Fairway();
        if (row->Kind == RouteRowKind::FairwayPart) slot.Part = row->Part();
        if (row->Kind == RouteRowKind::Section) {
            slot.Section = row->Section();
            slot.Position = row->Position;
        }
    }
    // In the planner OK here only returns to the first page, so a start or via point can be
    // chosen before the destination; closing needs a destination that resolves.
    ButtonOk->setEnabled(row && (!FSingle || ToResolvable()));
    UpdateLabels();
}

void TFormRoutePointSelect::Search2Changed() {
    if (FUpdating) return;
    const std::vector<bool> visible = SearchSecondRows(FSecondRows, EditSearch2->text());
    int first = -1;
    for (size_t r = 0; r < visible.size(); ++r) {
        Tree2->setRowHidden(int(r), {}, !visible[r]);
        if (visible[r] && first < 0) first = int(r);
    }
    if (EditSearch2->text().trimmed().isEmpty()) Tree2->collapseAll();
    if (first >= 0) Tree2->setCurrentIndex(FModel2->index(first, 0));
}

void TFormRoutePointSelect::Tree2DoubleClicked() {
    if (FSingle) {
        if (FTo.IsSet()) accept();
        return;
    }
    TRoutePointSlot *slot = ActivePtr();
    if (slot && slot->HasObject()) ShowFirstPage();
}

void TFormRoutePointSelect::ShowFirstPage() {
    ButtonPrev->hide();
    ButtonOk->setEnabled(FTo.Kind != RouteSlotKind::None && ToResolvable());
    Pages->setCurrentIndex(0);
    AfterActiveChange();
}

void TFormRoutePointSelect::PrevClicked() {
    ButtonPrev->hide();
    ButtonOk->setEnabled(false);
    Pages->setCurrentIndex(0);
    ComboSearch1->setFocus();
    TRoutePointSlot *slot = FSingle ? &FTo : ActivePtr();
    if (!slot) return;
    slot->ClearObjects();
    if (TNodeData *row = FModel1->Row(Tree1->currentIndex())) TakeFirstRow(row, false);
}

// ---- departure time ----

void TFormRoutePointSelect::StartTimeNow() {
    FDepartureTime = -1.0;
    UpdateLabels();
}

void TFormRoutePointSelect::StartTimeCustom() {
    TDateTime value = FDepartureTime;
    if (value <= -1.0) value = std::floor(GetLocalDateTime(GlobalTimeZones()->GetNowUTC())) + 1.0 + 10.0 / 24.0;
    if (TFormSelectDateTime::Execute(LanguageText(T::SelectStartTime), true, value)) FDepartureTime = value;
    UpdateLabels();
}

// ---- entry points ----

TFormRoutePointSelect::TPrompter TFormRoutePointSelect::SetPrompter(TPrompter prompter) {
    TPrompter previous = std::move(Prompter());
    Prompter() = std::move(prompter);
    return previous;
}

namespace {

int Run(TFormRoutePointSelect &form) { return Prompter() ? Prompter()(form) : form.exec(); }

void RememberDestination(const TFormRoutePointSelect &form, const TRoutePointSelection &sel) {
    TRecentSearch entry;
    entry.IsWaypoint = sel.ToWaypoint != nullptr;
    const TGUID *guid = sel.ToWaypoint ? sel.ToWaypoint->GetGUID() : sel.ToSection ? sel.ToSection->GetGUID() : nullptr;
    if (!guid) return;  // a destination that did not resolve has nothing to find again
    entry.ObjectGUID = *guid;
    entry.SearchName = form.Slot(TFormRoutePointSelect::SlotTo).Name;
    entry.SectionPos = sel.ToWaypoint ? -1.0 : sel.ToPos;
    SaveRecentSearch(GetAppReg(), form.RecentSearches(), entry);
}

}  // namespace

bool TFormRoutePointSelect::SelectRoutePoints(TMarivoNavEnv *env, IWWNetwork *network,
                                              TRoutePointSelection &selection, bool &departureSet,
                                              bool &fromCurrentPosition, bool &startChanged,
                                              bool &sailingTimes, double &departure, int32_t &routeMode,
                                              int32_t &waterBodies) {
    TFormRoutePointSelect form(false, waterBodies, routeMode, network, env);
    const int result = Run(form);
    selection = TRoutePointSelection{};
    departureSet = false;
    departure = -1.0;
    if (result != QDialog::Accepted) return false;
    routeMode = form.FRouteMode;
    waterBodies = form.FWaterBodies;
    TGeoPoint ship{};
    const bool shipValid = env && env->Boat && env->Boat->GetPosition(ship);
    startChanged = form.StartChanged();
    selection.FromKind = form.FFrom.Kind;
    sailingTimes = false;
    const TGeoPoint home = form.FHome;
    ResolveSlot(form.FFrom, network, shipValid ? &ship : nullptr, home, selection.FromSection, selection.FromPos,
                selection.FromWaypoint);
    fromCurrentPosition = form.FFrom.Kind == RouteSlotKind::CurrentPosition;
    ResolveSlot(form.FVia, network, shipValid ? &ship : nullptr, home, selection.ViaSection, selection.ViaPos,
                selection.ViaWaypoint);
    ResolveSlot(form.FTo, network, shipValid ? &ship : nullptr, home, selection.ToSection, selection.ToPos,
                selection.ToWaypoint);
    const bool ok = form.FTo.IsSet();
    if (!ok) return false;
    if (form.FDepartureTime > -1.0) {
        departureSet = true;
        departure = GetDateTimeUTC(form.FDepartureTime);
    }
    RememberDestination(form, selection);
    return true;
}

bool TFormRoutePointSelect::SelectLocation(TMarivoNavEnv *env, IWWNetwork *network,
                                           TRoutePointSelection &selection, int32_t &waterBodies) {
    TFormRoutePointSelect form(true, waterBodies, 0, network, env);
    const int result = Run(form);
    const uint8_t fromKind = selection.FromKind;
    selection = TRoutePointSelection{};
    selection.FromKind = fromKind;
    if (result != QDialog::Accepted) return false;
    waterBodies = form.FWaterBodies;
    const TGeoPoint home = form.FHome;
    if (!ResolveSlot(form.FTo, network, nullptr, home, selection.ToSection, selection.ToPos, selection.ToWaypoint))
        return false;
    RememberDestination(form, selection);
    return true;
}
