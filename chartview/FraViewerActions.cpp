// The frame's actions, its two toolbars, the S-57 display controls and their
// synchronisation. The context menu and the keys are in FraViewerMenu.cpp.
#include "chartview/FraViewer.h"

#include "base/graphics/KvImageList.h"
#include "base/graphics/KvNightScreen.h"
#include "base/kvlib/KvExceptions.h"
#include "base/registry/KvRegistry.h"
#include "chartview/FraViewerTexts.h"
#include "chartview/FrmChartSelect.h"
#include "chartview/ViewerGlyphs.h"
#include "shell/MarivoNavEnv.h"

#include <QAction>
#include <QDoubleSpinBox>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

namespace {

constexpr int32_t Root = AppRegRoot::Product;

namespace S52Flag {
constexpr uint32_t SCAMIN = 0x2;
constexpr uint32_t Soundings = 0x4;
constexpr uint32_t Labels = 0x10;
constexpr uint32_t NoticeMarks = 0x400;
constexpr uint32_t bENCs = 0x20000;
}  // namespace S52Flag

constexpr int CategoryBoundsOnly = 3;
const char *const CategoryNames[] = {"BASE", "STANDARD", "OTHER", "EMPTYCELL"};

void SetChecked(QAction *action, bool checked) {
    if (action && action->isChecked() != checked) action->setChecked(checked);
}

}  // namespace

QAction *TFrameViewer::AddViewerAction(QToolBar *bar, TImageList *glyphs, int glyph,
                                       std::function<void()> handler) {
    auto *action = new QAction(this);
    QObject::connect(action, &QAction::triggered, this, [handler = std::move(handler)] {
        try {
            handler();
        } catch (...) {
            ReportCurrentException();
        }
    });
    if (glyphs && glyph >= 0) {
        action->setIcon(glyphs->Icon(glyph));
        action->setProperty("glyph", glyph);
        action->setProperty("glyphS57", glyphs == ImageListToolbarS57);
    }
    if (bar) bar->addAction(action);
    return action;
}

void TFrameViewer::BuildActions() {
    ImageListToolbar = new TImageList(24, 24, this);
    FillViewerToolbarGlyphs(*ImageListToolbar);
    ImageListToolbarS57 = new TImageList(24, 24, this);
    FillViewerS57Glyphs(*ImageListToolbarS57);
    NightScreenAddImageList(NightScreen(), ImageListToolbar);
    NightScreenAddImageList(NightScreen(), ImageListToolbarS57);
    // The night screen swaps the glyphs in place; the actions take the new ones.
    QObject::connect(ImageListToolbar, &TImageList::Changed, this, [this] { RefreshGlyphs(); });
    QObject::connect(ImageListToolbarS57, &TImageList::Changed, this, [this] { RefreshGlyphs(); });
    BuildMainToolbar();
    BuildS57Toolbar();
    ActionClearDistance = AddViewerAction(nullptr, nullptr, -1, [this] {
        FViewer->ClearDistanceCalculation();
        RaiseStateChanged();
    });
    ActionFindGPSPosition = AddViewerAction(nullptr, nullptr, -1, [this] { FindGPSPosition(); });
    PopupMenu = new QMenu(this);
    SetLanguage();
}

void TFrameViewer::RefreshGlyphs() {
    for (QAction *action : findChildren<QAction *>()) {
        const QVariant glyph = action->property("glyph");
        if (!glyph.isValid()) continue;
        TImageList *list =
            action->property("glyphS57").toBool() ? ImageListToolbarS57 : ImageListToolbar;
        action->setIcon(list->Icon(glyph.toInt()));
    }
    UpdateActions();
}

void TFrameViewer::BuildMainToolbar() {
    using namespace ViewerGlyph;
    TImageList *g = ImageListToolbar;
    ActionViewTracking = AddViewerAction(nullptr, g, Tracking, [this] { ToggleTracking(); });
    ActionViewTracking->setCheckable(true);
    ActionViewTrackingZoom100 = AddViewerAction(nullptr, g, Lock100, [this] {
        SetTrackingZoom100(!FViewer->GetTrackingZoom100());
        UpdateActions();
    });
    ActionViewTrackingZoom100->setCheckable(true);
    ActionViewTrackingNorthUp = AddViewerAction(nullptr, g, NorthUp, [this] {
        SetTrackingMode(NavViewerTrackingMode::NorthUp);
        CaptureViewerState();
        UpdateActions();
    });
    ActionViewTrackingNorthUp->setCheckable(true);
    ActionViewTrackingAutoCursor = AddViewerAction(nullptr, nullptr, -1, [this] { UpdateActions(); });
    ActionViewTrackingAutoCursor->setCheckable(true);
    auto *trackingMenu = new QMenu(this);
    trackingMenu->addAction(ActionViewTrackingZoom100);
    trackingMenu->addAction(ActionViewTrackingNorthUp);
    trackingMenu->addAction(ActionViewTrackingAutoCursor);
    ToolButtonViewTracking = new QToolButton(ToolbarMain);
    ToolButtonViewTracking->setObjectName(QStringLiteral("ToolButtonViewTracking"));
    ToolButtonViewTracking->setDefaultAction(ActionViewTracking);
    ToolButtonViewTracking->setMenu(trackingMenu);
    ToolButtonViewTracking->setPopupMode(QToolButton::MenuButtonPopup);
    ToolbarMain->addWidget(ToolButtonViewTracking);
    ActionViewZoomIn = AddViewerAction(ToolbarMain, g, ZoomIn, [this] { ZoomAtCentre(ViewerZoomInFactor); });
    ActionViewZoomOut =
        AddViewerAction(ToolbarMain, g, ZoomOut, [this] { ZoomAtCentre(ViewerZoomOutFactor); });
    ActionViewDistanceCircles = AddViewerAction(ToolbarMain, g, DistanceCircles, [this] {
        SetGPSFlags(GetGPSFlags() ^ NavViewerGPSFlag::DistanceCircles);
    });
    ActionViewDistanceCircles->setCheckable(true);
    ActionChartSelect =
        AddViewerAction(ToolbarMain, g, ChartSelect, [this] { ActionChartSelectExecute(); });
    ActionChartManager =
        AddViewerAction(ToolbarMain, g, ViewerGlyph::ChartManager, [this] { ShowChartManager(0); });
}

void TFrameViewer::BuildS57Toolbar() {
    using namespace ViewerGlyph;
    TImageList *g = ImageListToolbarS57;
    ActionS57PickReport = AddViewerAction(ToolbarS57, g, S57PickReport, [this] {
        const bool was = FViewer->GetS57PickEnabled();
        FViewer->SetS57PickEnabled(!was);
        if (was) {
            FViewer->ClearS57Pick();
            RaiseStateChanged();
        }
        UpdateActions();
    });
    ActionS57DisplayCategory = AddViewerAction(nullptr, g, S57Base, [this] { StepDisplayCategory(); });
    ActionS57DisplayCatBoundsOnly = AddViewerAction(
        nullptr, g, S57BoundsOnly, [this] { SetDisplayCategoryTarget(CategoryBoundsOnly); });
    ActionS57DisplayCatBASE =
        AddViewerAction(nullptr, g, S57Base, [this] { SetDisplayCategoryTarget(0); });
    ActionS57DisplayCatSTANDARD =
        AddViewerAction(nullptr, g, S57Standard, [this] { SetDisplayCategoryTarget(1); });
    ActionS57DisplayCatOTHER =
        AddViewerAction(nullptr, g, S57Other, [this] { SetDisplayCategoryTarget(2); });
    auto *categoryMenu = new QMenu(this);
    for (QAction *a : {ActionS57DisplayCatBoundsOnly, ActionS57DisplayCatBASE,
                       ActionS57DisplayCatSTANDARD, ActionS57DisplayCatOTHER}) {
        a->setCheckable(true);
        categoryMenu->addAction(a);
    }
    ToolButtonS57DisplayCategory = new QToolButton(ToolbarS57);
    ToolButtonS57DisplayCategory->setObjectName(QStringLiteral("ToolButtonS57DisplayCategory"));
    ToolButtonS57DisplayCategory->setDefaultAction(ActionS57DisplayCategory);
    ToolButtonS57DisplayCategory->setMenu(categoryMenu);
    ToolButtonS57DisplayCategory->setPopupMode(QToolButton::MenuButtonPopup);
    ToolbarS57->addWidget(ToolButtonS57DisplayCategory);
    const auto toggle = [this](uint32_t bit, const char16_t *name) {
        return [this, bit, name] { ToggleS52Flag(bit, QString::fromUtf16(name)); };
    };
    ActionS57SCAMIN = AddViewerAction(ToolbarS57, g, S57SCAMIN, toggle(S52Flag::SCAMIN, u"S57UseSCAMIN"));
    ActionS57ShowLabels = AddViewerAction(ToolbarS57, g, S57Labels, toggle(S52Flag::Labels, u"S57ShowText"));
    ActionS57ShowDepths =
        AddViewerAction(ToolbarS57, g, S57Soundings, toggle(S52Flag::Soundings, u"S57ShowSoundings"));
    ActionS57ShowNoticeMarks = AddViewerAction(ToolbarS57, g, S57NoticeMarks,
                                               toggle(S52Flag::NoticeMarks, u"S57ShowNoticeMarks"));
    ActionS57ShowbENCs = AddViewerAction(ToolbarS57, g, S57bENCs, toggle(S52Flag::bENCs, u"S57ShowbENCs"));
    for (QAction *a : {ActionS57PickReport, ActionS57SCAMIN, ActionS57ShowLabels, ActionS57ShowDepths,
                       ActionS57ShowNoticeMarks, ActionS57ShowbENCs})
        a->setCheckable(true);
    ActionS57ShowLabels->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F6));
    ActionS57ShowDepths->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F7));
    ActionS57ShowNoticeMarks->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F8));
    ActionS57DisplayCatBoundsOnly->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F5));
    ActionS57DisplayCatBASE->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F9));
    ActionS57DisplayCatSTANDARD->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10));
    ActionS57DisplayCatOTHER->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F11));
    // The shortcuts work while the S-57 toolbar is hidden, as long as the frame's window
    // is active.
    for (QAction *a : {ActionS57ShowLabels, ActionS57ShowDepths, ActionS57ShowNoticeMarks,
                       ActionS57DisplayCatBoundsOnly, ActionS57DisplayCatBASE,
                       ActionS57DisplayCatSTANDARD, ActionS57DisplayCatOTHER}) {
        a->setShortcutContext(Qt::WindowShortcut);
        addAction(a);
    }
    SpinEditS57WaterLevelOffset = new QDoubleSpinBox(ToolbarS57);
    SpinEditS57WaterLevelOffset->setObjectName(QStringLiteral("SpinEditS57WaterLevelOffset"));
    SpinEditS57WaterLevelOffset->setRange(-99.0, 99.0);
    SpinEditS57WaterLevelOffset->setSingleStep(0.1);
    SpinEditS57WaterLevelOffset->setDecimals(1);
    SpinEditS57WaterLevelOffset->setSuffix(QStringLiteral(" m"));
    ToolbarS57->addWidget(SpinEditS57WaterLevelOffset);
    QObject::connect(SpinEditS57WaterLevelOffset, &QDoubleSpinBox::valueChanged, this,
                     [this](double v) { SetS57WaterLevelOffset(float(v)); });
}

void TFrameViewer::SetLanguage() {
    using namespace ViewerText;
    const auto caption = [](QAction *a, const TLanguageStrings &text) {
        a->setText(LanguageText(text));
        a->setToolTip(LanguageText(text));
    };
    const auto hint = [](QAction *a, const QString &text) { a->setToolTip(text); };
    hint(ActionViewTracking, LanguageText(GPSTracking));
    ActionViewTracking->setText(LanguageText(GPSTracking));
    caption(ActionViewTrackingZoom100, LockAt100);
    caption(ActionViewTrackingNorthUp, NorthUpTracking);
    caption(ActionViewTrackingAutoCursor, AutoCursorPosition);
    caption(ActionViewZoomIn, ZoomIn);
    ActionViewZoomOut->setText(LanguageText(ZoomOutHint));
    hint(ActionViewZoomOut, LanguageText(ZoomOutHint));
    caption(ActionViewDistanceCircles, DistanceCircles);
    caption(ActionChartSelect, ViewerText::SelectChart);
    caption(ActionChartManager, ViewerText::ChartManager);
    caption(ActionClearDistance, ClearDistance);
    caption(ActionFindGPSPosition, ViewerText::FindGPSPosition);
    caption(ActionS57PickReport, S57PickReport);
    caption(ActionS57DisplayCategory, DisplayCategory);
    ActionS57DisplayCatBoundsOnly->setText(QStringLiteral("EMPTYCELL (Shift+F5)"));
    ActionS57DisplayCatBASE->setText(QStringLiteral("DISPLAYBASE (Shift+F9)"));
    ActionS57DisplayCatSTANDARD->setText(QStringLiteral("STANDARD (Shift+F10)"));
    ActionS57DisplayCatOTHER->setText(QStringLiteral("OTHER (Shift+F11)"));
    caption(ActionS57SCAMIN, S57SCAMIN);
    caption(ActionS57ShowLabels, S57Labels);
    ActionS57ShowLabels->setToolTip(LanguageText(S57Labels) + QStringLiteral(" (Shift+F6)"));
    caption(ActionS57ShowDepths, S57Soundings);
    ActionS57ShowDepths->setToolTip(LanguageText(S57Soundings) + QStringLiteral(" (Shift+F7)"));
    caption(ActionS57ShowNoticeMarks, S57NoticeMarks);
    ActionS57ShowNoticeMarks->setToolTip(LanguageText(S57NoticeMarks) + QStringLiteral(" (Shift+F8)"));
    caption(ActionS57ShowbENCs, S57bENCs);
    SpinEditS57WaterLevelOffset->setToolTip(LanguageText(WaterLevelOffset));
}

// ---- effects of the toolbar -------------------------------------------------------------

void TFrameViewer::ToggleTracking() {
    // SetTrackingEnabled keeps the overview record and stores the view states.
    SetTrackingEnabled(!FViewer->GetTrackingEnabled());
    UpdateActions();
}

void TFrameViewer::ZoomAtCentre(double factor) {
    const TDouble2 *centre = FViewer->GetCenterPoint();
    if (!centre) return;
    const TDouble2 at = *centre;
    FViewer->ZoomAt(factor, &at);
    TGeoPoint target;
    if (FViewer->GetTrackingActive() && FViewer->GetTrackingTargetPosition(target))
        FViewer->UpdateTrackingPosition();
    CaptureViewerState();
}

void TFrameViewer::ActionChartSelectExecute() {
    IChartManager *manager = FEnv.ChartManager;
    if (!manager) return;
    IChart *s57 = nullptr;
    IChartCatalogueEntry *entry = nullptr;
    const uint32_t mask = 1u << (FViewer->GetViewerIndex() & 31);
    if (!SelectChartDialog(manager, mask, s57, entry, this)) return;
    if (entry) {
        IChartCatalogueObject *object = entry->GetCatalogueObject();
        IRasterChart *chosen = object ? object->GetRasterChart() : nullptr;
        for (int32_t i = FViewer->GetChartCount() - 1; i >= 0 && chosen; --i) {
            IRasterChart *chart = FViewer->GetChart(i);
            if (chart != chosen && (!chart || chart->GetChartObject() != chosen)) continue;
            FViewer->ZoomToChart(chart);
            SetTrackingEnabled(false);
            if (OnViewerEvent) OnViewerEvent(*this, TViewerEvent{1, chart});
            break;
        }
    } else if (s57) {
        FViewer->ZoomToS57Chart(s57);
        SetTrackingEnabled(false);
        if (OnViewerEvent) OnViewerEvent(*this, TViewerEvent{18, s57});
    }
    UpdateActions();
}

// ---- S-57 display -------------------------------------------------------------------------

void TFrameViewer::PostDisplayCategory(const char *name) {
    FEnv.PostUserNotification(8, LanguageText(ViewerText::DisplayCategoryMessage)
                                     .replace(QStringLiteral("%s"), QLatin1String(name)),
                              2, false, 1);
}

void TFrameViewer::SetDisplayCategoryTarget(int target) {
    IS52PresentationLib *lib = FEnv.S52Library;
    PostDisplayCategory(CategoryNames[target]);
    if (target == CategoryBoundsOnly) {
        FViewer->SetS57BoundsOnly(true);
    } else {
        FViewer->SetS57BoundsOnly(false);
        if (lib) lib->SetDisplayCategory(target, FViewer->GetViewerIndex());
        int32_t err = 0;
        RegWriteInteger(GetAppReg(), Root, objectName(), RegName(u"S57DisplayCategory"), target, err);
    }
    if (lib) lib->Commit();
    FViewer->UpdateView();
    UpdateActions();
}

void TFrameViewer::StepDisplayCategory() {
    if (FViewer->GetS57BoundsOnly()) {
        SetDisplayCategoryTarget(0);
        return;
    }
    IS52PresentationLib *lib = FEnv.S52Library;
    const int32_t current = lib ? lib->GetDisplayCategory(FViewer->GetViewerIndex()) : 2;
    SetDisplayCategoryTarget(current == 0 ? 1 : current == 1 ? 2 : CategoryBoundsOnly);
}

void TFrameViewer::ToggleS52Flag(uint32_t bit, const QString &name) {
    IS52PresentationLib *lib = FEnv.S52Library;
    if (!lib) return;
    const int32_t index = FViewer->GetViewerIndex();
    const uint32_t flags = lib->GetDisplayFlags(index);
    lib->SetDisplayFlags(flags ^ bit, index);
    int32_t err = 0;
    RegWriteBool(GetAppReg(), Root, objectName(), RegName(name), (flags & bit) == 0, err);
    lib->Commit();
    if (bit == S52Flag::bENCs) FViewer->Pan(0, 0);
    else FViewer->UpdateView();
    UpdateActions();
}

void TFrameViewer::SetS57WaterLevelOffset(float value) {
    if (FEnv.S52Library) FEnv.S52Library->SetWaterLevelOffset(FViewer->GetViewerIndex(), value);
    if (SpinEditS57WaterLevelOffset->value() != double(value)) {
        const QSignalBlocker block(SpinEditS57WaterLevelOffset);
        SpinEditS57WaterLevelOffset->setValue(value);
    }
    if (FViewer->GetViewerIndex() == 0) {
        if (value != 0.0f) FEnv.ShowWaterLevelOffset(value);
        else FEnv.WithdrawUserNotification(18);
    }
    int32_t err = 0;
    RegWriteSingle(GetAppReg(), Root, objectName(), RegName(u"S57WaterLevelOffset"), value, err);
    if (FEnv.S52Library) FEnv.S52Library->Commit();
    FViewer->UpdateView();
}

// ---- synchronisation ----------------------------------------------------------------------

void TFrameViewer::UpdateActions() {
    if (!ActionViewTracking) return;
    const bool canZoom = FViewer->GetCanZoom();
    ActionViewZoomIn->setEnabled(canZoom);
    ActionViewZoomOut->setEnabled(canZoom);
    SetChecked(ActionViewTracking, FViewer->GetTrackingEnabled());
    SetChecked(ActionViewTrackingAutoCursor, FViewer->GetTrackingAutoPos());
    SetChecked(ActionViewTrackingZoom100, FViewer->GetTrackingZoom100());
    SetChecked(ActionViewTrackingNorthUp,
               FViewer->GetTrackingMode() == NavViewerTrackingMode::NorthUp);
    SetChecked(ActionViewDistanceCircles,
               (FViewer->GetGPSFlags() & NavViewerGPSFlag::DistanceCircles) != 0);
    ActionClearDistance->setEnabled(FViewer->GetCalibration() != nullptr);
    ActionChartSelect->setEnabled(
        (FViewer->GetChartCount() > 0 || FViewer->GetS57ChartCount() > 0) && FViewer->GetCanMove());
    UpdateS57Actions();
}

void TFrameViewer::UpdateS57Actions() {
    IS52PresentationLib *lib = FEnv.S52Library;
    const int32_t index = FViewer->GetViewerIndex();
    const uint32_t flags = lib ? lib->GetDisplayFlags(index) : 0;
    SetChecked(ActionS57PickReport, FViewer->GetS57PickEnabled());
    SetChecked(ActionS57SCAMIN, flags & S52Flag::SCAMIN);
    SetChecked(ActionS57ShowDepths, flags & S52Flag::Soundings);
    SetChecked(ActionS57ShowLabels, flags & S52Flag::Labels);
    SetChecked(ActionS57ShowNoticeMarks, flags & S52Flag::NoticeMarks);
    SetChecked(ActionS57ShowbENCs, flags & S52Flag::bENCs);
    const bool boundsOnly = FViewer->GetS57BoundsOnly();
    const int32_t category = boundsOnly || !lib ? -1 : lib->GetDisplayCategory(index);
    SetChecked(ActionS57DisplayCatBoundsOnly, boundsOnly);
    SetChecked(ActionS57DisplayCatBASE, category == 0);
    SetChecked(ActionS57DisplayCatSTANDARD, category == 1);
    SetChecked(ActionS57DisplayCatOTHER, category == 2);
    using namespace ViewerGlyph;
    const int glyph = boundsOnly ? S57BoundsOnly
                      : category == 1 ? S57Standard
                      : category == 2 ? S57Other
                                      : S57Base;
    ActionS57DisplayCategory->setIcon(ImageListToolbarS57->Icon(glyph));
}
