#include "viewer/Viewer.h"

#include "charts/ChartObjects.h"
#include "graphics/Bmp32Impl.h"
#include "viewer/RenderS57Filter.h"

#include "KvLibNav6/KvErrorCodes.h"
#include "KvLibNav6/KvLib.h"

#include <QFileInfo>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace kv::render {

namespace {

constexpr double MinMetresPerPixel = 0.01;
constexpr double MaxMetresPerPixel = 2 * M_PI * WgsA / 256;

void DeleteCalibration(IGeodeticCalibration *c) { ObjectDelete(c); }

IGeodeticDatum *WgsDatum() {
    IGeodeticProvider *p1 = nullptr;
    IGeodeticObject *p2 = nullptr;
    IGeodeticDatum *p3 = nullptr, *p4 = nullptr;
    void *p5 = nullptr;
    GeodeticsGetGlobals(p1, p2, p3, p4, p5);
    return p3;
}

QRectF BoundsToMercator(const kv::charts::TChartBounds &b) {
    if (!b.Valid) return {};
    const QPointF sw = GeoToMercator({b.South, b.West}), ne = GeoToMercator({b.North, b.East});
    return QRectF(QPointF(sw.x(), ne.y()), QPointF(ne.x(), sw.y())).normalized();
}

// Whether a chart's box, or one of its whole-turn copies, meets the area (see RenderView.h).
bool Meets(const QRectF &box, const QRectF &area) { return !WorldShiftsMeeting(box, area).Empty(); }
QRectF PointArea(const QPointF &m) { return QRectF(m, QSizeF(0, 0)); }

// The copy of a chart shifted by offset shows where the chart itself would in this view.
void LookAtCopy(TViewState &copy, const TViewState &view, double offset) {
    copy.Center = view.Center - QPointF(offset, 0);
}

}  // namespace

bool ViewFromCalibrationOf(IGeodeticCalibration *cal, int width, int height, TViewState &out) {
    if (!cal || cal->HasError() || cal->GetWidth() <= 0) return false;
    const TDouble2 c{cal->GetWidth() / 2.0, cal->GetHeight() / 2.0};
    TGeoPoint g0, g1;
    cal->PixelToGeo(g0, c);
    cal->PixelToGeo(g1, TDouble2{c.X + 1, c.Y});
    if (g0.Lat == GeoPointNoPosition || g1.Lat == GeoPointNoPosition) return false;
    const QPointF m0 = GeoToMercator(g0), d = GeoToMercator(g1) - m0;
    const double mpp = std::hypot(d.x(), d.y());
    if (!(mpp > 0)) return false;
    out.Width = width;
    out.Height = height;
    out.MetresPerPixel = mpp;
    out.Rotation = std::atan2(d.y(), d.x());
    out.Center = m0;
    return true;
}

namespace {
bool ViewFromCalibration(IGeodeticCalibration *cal, int width, int height, TViewState &out) {
    return ViewFromCalibrationOf(cal, width, height, out);
}

// The night screen's transform in use: white as it is drawn now. It changes with night mode
// and with the intensity, so the cached picture is drawn anew on either.
uint32_t NightScreenWhite() {
    INightScreen *night = GetNightScreen();
    return night ? night->ConvertRGB(0xFFFFFFu) : 0xFFFFFFu;
}

// By night the background and the raster charts take the night screen's colours, as every
// other picture of the program does; the S-57 cells bring their own night colours.
void ConvertForNight(QImage &image) {
    INightScreen *night = GetNightScreen();
    if (!night || !night->IsActive() || image.isNull() || image.depth() != 32) return;
    TImageInfo info;
    info.Format = PixelFormat::Bits32;
    info.Pitch = int32_t(image.bytesPerLine());
    info.Width = image.width();
    info.Height = image.height();
    info.Orientation = 0;
    night->ConvertRows32(image.scanLine(image.height() - 1), info);
}
}  // namespace

TChartViewerCore::TChartViewerCore(TViewerHooks *hooks, WindowHandle wnd, int32_t viewerIndex,
                                   IS57ChartLoader *loader, IS3DChartDataCache *cache)
    : FCache(cache), FViewerIndex(std::clamp(viewerIndex, 0, 31)), FLoader(loader), FHooks(hooks),
      FWindow(wnd), FCalibration(nullptr, DeleteCalibration), FReceiver(std::make_unique<QObject>()) {
    // GDAL's S-57 reader keeps process-wide dictionaries: one loader thread at a time.
    FPool.setMaxThreadCount(1);
    FView.Center = GeoToMercator({52.0 * M_PI / 180, 5.0 * M_PI / 180});
    FView.MetresPerPixel = 50.0;
}

TChartViewerCore::~TChartViewerCore() {
    CancelChartLoading();
    FPool.waitForDone();
    FReceiver.reset();  // queued results addressed to it are dropped
    ClearS57Pick();
}

// ---- charts ----

void TChartViewerCore::SetCharts(NavObject **charts, int32_t count, int32_t &err) {
    err = KvErr::Ok;
    if (count < 0 || (count > 0 && !charts)) {
        err = KvErr::InvalidArgument;
        return;
    }
    FPendingCharts = std::vector<NavObject *>(charts, charts + count);
    if (FUpdating == 0) ApplyPending();
}

void TChartViewerCore::EndUpdate() {
    if (FUpdating > 0) --FUpdating;
    if (FUpdating == 0) ApplyPending();
}

void TChartViewerCore::ApplyPending() {
    if (FPendingCharts) {
        const bool first = FRaster.empty() && FCells.empty();
        FRaster.clear();
        FCells.clear();
        for (NavObject *o : *FPendingCharts) {
            if (auto *r = dynamic_cast<charts::TRasterChart *>(o)) FRaster.push_back(r);
            else if (auto *c = dynamic_cast<charts::TChart *>(o)) FCells.push_back(c);
        }
        FPendingCharts.reset();
        // A new chart list (after a rescan) tries the charts that failed before once more.
        FChartErrors.clear();
        // Small scales first, so the detailed charts end up on top.
        std::stable_sort(FRaster.begin(), FRaster.end(), [](auto *a, auto *b) {
            return a->Header().Scale > b->Header().Scale;
        });
        std::stable_sort(FCells.begin(), FCells.end(), [](auto *a, auto *b) {
            return a->Header().Scale > b->Header().Scale;
        });
        if (FBackChart && std::find(FRaster.begin(), FRaster.end(), FBackChart) == FRaster.end()) FBackChart = nullptr;
        if (FFrontChart && std::find(FRaster.begin(), FRaster.end(), FFrontChart) == FRaster.end()) FFrontChart = nullptr;
        if (FPickChart && std::find(FCells.begin(), FCells.end(), FPickChart) == FCells.end()) ClearS57Pick();
        if (first && !FHasView) {
            if (!FRaster.empty()) ZoomToChart(FRaster.front());
            else if (!FCells.empty()) ZoomToS57Chart(FCells.front());
        }
    }
    FLayerValid = false;
    Invalidate();
}

void TChartViewerCore::ReleaseCharts() {
    CancelChartLoading();
    ClearS57Pick();
    FRaster.clear();
    FCells.clear();
    FBackChart = FFrontChart = nullptr;
    FLoaded.clear();
    ReleaseRasterFile(QString());
    FLayerValid = false;
    Invalidate();
}

void TChartViewerCore::SetChartSelection(const int32_t *items, int32_t count) {
    std::set<int32_t> sel;
    for (int32_t i = 0; items && i < count; ++i) sel.insert(items[i]);
    FRasterSelection = std::move(sel);
    FLayerValid = false;
    if (FUpdating == 0) Invalidate();
}

void TChartViewerCore::SetS57ChartSelection(const TS57Sel *items, int32_t count, int32_t &err) {
    err = KvErr::Ok;
    if (count < 0 || (count > 0 && !items)) {
        err = KvErr::InvalidArgument;
        return;
    }
    FS57Selection.clear();
    for (int32_t i = 0; i < count; ++i) FS57Selection[items[i].Chart] = items[i];
    FHasS57Selection = true;
    FLayerValid = false;
    if (FUpdating == 0) Invalidate();
}

void TChartViewerCore::RefreshCharts() {
    FLayerValid = false;
    Invalidate();
}

void TChartViewerCore::CancelChartLoading() {
    ++FGeneration;
    FPool.clear();
    FLoading.clear();
}

void TChartViewerCore::HandleChartLoaded(intptr_t) {
    // Loaded cells are taken over as they arrive; the message only asks for a fresh picture.
    FLayerValid = false;
}

bool TChartViewerCore::RasterShown(charts::TRasterChart *c) const {
    if (FRasterSelection && !FRasterSelection->count(c->CatalogueHandle())) return false;
    return c->Header().Ok;
}

bool TChartViewerCore::CellShown(charts::TChart *c) const {
    if (c->IsHiddenInManager() || !c->Header().Ok) return false;
    if (!FHasS57Selection) return true;
    auto it = FS57Selection.find(c->CatalogueHandle());
    return it != FS57Selection.end() && it->second.Shown != 0;
}

QRectF TChartViewerCore::CellBox(charts::TChart *c) const {
    auto it = FLoaded.find(c->Header().FileName);
    if (it != FLoaded.end() && it->second && !it->second->Box.isNull()) return it->second->Box;
    return BoundsToMercator(c->Header().Bounds);
}

QRectF TChartViewerCore::RasterBox(charts::TRasterChart *c) const { return BoundsToMercator(c->Header().Bounds); }

std::vector<IRasterChart *> TChartViewerCore::ViewCharts() const {
    std::vector<IRasterChart *> out;
    const QRectF view = FView.MercatorBounds();
    auto visible = [&](charts::TRasterChart *c) { return RasterShown(c) && RasterBox(c).intersects(view); };
    auto *back = dynamic_cast<charts::TRasterChart *>(FBackChart);
    auto *front = dynamic_cast<charts::TRasterChart *>(FFrontChart);
    if (back && visible(back)) out.push_back(back);
    for (auto *c : FRaster)
        if (c != back && c != front && visible(c)) out.push_back(c);
    if (front && visible(front)) out.push_back(front);
    return out;
}

std::vector<charts::TChart *> TChartViewerCore::ShownCells() const {
    std::vector<charts::TChart *> out;
    const QRectF view = FView.MercatorBounds();
    for (auto *c : FCells)
        if (CellShown(c) && Meets(CellBox(c), view)) out.push_back(c);
    return out;
}

std::vector<IRasterChart *> TChartViewerCore::RasterChartsAt(const QPointF &pixel) const {
    std::vector<IRasterChart *> out;
    for (IRasterChart *c : ViewCharts()) {
        auto *r = static_cast<charts::TRasterChart *>(c);
        const QPolygonF outline = RasterChartOutline(r->GetGeodeticReference(), r->Header().Width,
                                                     r->Header().Height, FView);
        if (outline.containsPoint(pixel, Qt::OddEvenFill)) out.push_back(c);
    }
    std::reverse(out.begin(), out.end());  // topmost first
    return out;
}

std::vector<IChart *> TChartViewerCore::S57ChartsAt(const QPointF &pixel) const {
    std::vector<IChart *> out;
    const QPointF m = FView.ToMercator().map(pixel);
    for (auto *c : ShownCells())
        if (Meets(CellBox(c), PointArea(m))) out.push_back(c);
    std::reverse(out.begin(), out.end());
    return out;
}

void TChartViewerCore::RequestLoads(const TViewState &view) {
    const QRectF box = view.MercatorBounds();
    int budget = FLoader ? std::max(1, FLoader->GetMaxChartLoad()) : 20;
    for (auto *c : FCells) {
        if (!CellShown(c) || !Meets(BoundsToMercator(c->Header().Bounds), box)) continue;
        const QString file = c->Header().FileName;
        if (FLoaded.count(file) || FLoading.count(file) || FChartErrors.count(file)) continue;
        if (TS57CellPtr cached = CachedS57Cell(file)) {
            FLoaded[file] = cached;
            continue;
        }
        if (budget-- <= 0) break;
        FLoading.insert(file);
        const int generation = FGeneration;
        QObject *receiver = FReceiver.get();
        FPool.start([this, file, generation, receiver] {
            QString error;
            TS57CellPtr cell = LoadS57Cell(file, error);
            // The receiver lives on the GUI thread; the call is dropped if it is gone.
            QMetaObject::invokeMethod(receiver, [this, file, cell, error, generation] {
                OnCellLoaded(file, cell, error, generation);
            }, Qt::QueuedConnection);
        });
    }
}

void TChartViewerCore::OnCellLoaded(const QString &file, TS57CellPtr cell, const QString &error, int generation) {
    if (generation != FGeneration) return;
    FLoading.erase(file);
    if (cell) {
        FLoaded[file] = std::move(cell);
    } else {
        FChartErrors[file] = error;
        for (auto *c : FCells)
            if (c->Header().FileName == file)
                c->ReportProblem(QStringLiteral("The cell could not be loaded: %1").arg(error));
    }
    FLayerValid = false;
    PostToWindow(ViewerMessage::ChartLoaded);
    Invalidate();
}

void TChartViewerCore::PostToWindow(uint32_t message) {
    // The window handle is the hosting QWidget, whose QObject base sits at its start.
    if (FWindow)
        QCoreApplication::postEvent(static_cast<QObject *>(FWindow), new QEvent(QEvent::Type(message)));
}

// ---- view ----

double TChartViewerCore::ScreenMetresPerPixel() const {
    if (!FWidthMonitorAuto && FWidthMonitorMM > 0) {
        const QScreen *s = QGuiApplication::primaryScreen();
        const int px = s ? s->geometry().width() : 1920;
        return FWidthMonitorMM / 1000.0 / std::max(1, px);
    }
    const QScreen *s = QGuiApplication::primaryScreen();
    const double dpi = s && s->physicalDotsPerInchX() > 20 ? s->physicalDotsPerInchX() : 96.0;
    return 0.0254 / dpi;
}

void TChartViewerCore::SetViewRect(int32_t, int32_t, int32_t width, int32_t height) {
    if (width == FView.Width && height == FView.Height) return;
    FView.Width = std::max(0, width);
    FView.Height = std::max(0, height);
    ViewChanged();
}

IGeodeticCalibration *TChartViewerCore::GetCalibration() {
    if (!FView.Valid()) return nullptr;
    if (FCalibrationStale || !FCalibration) {
        if (!FCalibration) FCalibration.reset(GeodeticCalibrationCreate());
        TProjectionRef ref;
        // Centred on the view's meridian, the projection stays continuous across 180°
        // wherever the view looks.
        GeodeticRefInitMercator(ref, std::remainder(MercatorLon(FView.Center.x()), 2 * M_PI), WgsDatum());
        const double w = FView.Width, h = FView.Height;
        const TDouble2 p1{0, 0}, p2{w, 0}, p3{w, h};
        const TGeoPoint c1 = FView.GeoOf({0, 0}), c2 = FView.GeoOf({w, 0}), c3 = FView.GeoOf({w, h});
        int32_t err = 0;
        FCalibration->Init(p1, p2, p3, c1, c2, c3, FView.Width, FView.Height, ref, err);
        FCalibrationStale = false;
    }
    return FCalibration.get();
}

void TChartViewerCore::SetView(const TViewState &view) {
    FView.Center = view.Center;
    FView.MetresPerPixel = std::clamp(view.MetresPerPixel, MinMetresPerPixel, MaxMetresPerPixel);
    FView.Rotation = std::remainder(view.Rotation, 2 * M_PI);
    FHasView = true;
    ViewChanged();
}

void TChartViewerCore::SetCalibration(IGeodeticCalibration *cal) {
    TViewState v = FView;
    if (ViewFromCalibration(cal, FView.Width, FView.Height, v)) {
        // The saved view's centre goes to this view's centre.
        SetView(v);
    }
}

double TChartViewerCore::GetScale() const {
    const double lat = MercatorLat(FView.Center.y());
    const double groundPerPixel = FView.MetresPerPixel / MercatorScaleFactor(lat);
    return groundPerPixel / ScreenMetresPerPixel();
}

void TChartViewerCore::Pan(int32_t dx, int32_t dy) {
    TViewState v = FView;
    v.Place(FView.Center, FView.CenterPixel() + QPointF(dx, dy));
    SetView(v);
}

void TChartViewerCore::ZoomAt(double factor, const QPointF &point) {
    if (!(factor > 0) || !std::isfinite(factor)) return;
    const QPointF m = FView.ToMercator().map(point);
    TViewState v = FView;
    v.MetresPerPixel = std::clamp(FView.MetresPerPixel / factor, MinMetresPerPixel, MaxMetresPerPixel);
    v.Place(m, point);
    SetView(v);
}

void TChartViewerCore::Zoom100At(const TGeoPoint &pos, const QPointF &point) {
    const QPointF m = GeoToMercator(pos);
    double mpp = 0;
    auto *focus = dynamic_cast<charts::TRasterChart *>(FFrontChart);
    std::vector<charts::TRasterChart *> candidates;
    if (focus) candidates.push_back(focus);
    for (auto it = FRaster.rbegin(); it != FRaster.rend(); ++it) candidates.push_back(*it);
    for (auto *c : candidates) {
        if (!RasterShown(c) || !RasterBox(c).contains(m)) continue;
        IGeodeticCalibration *cal = c->GetGeodeticReference();
        if (!cal || cal->HasError()) continue;
        TDouble2 p;
        cal->GeoToPixel(p, pos);
        TGeoPoint g0, g1;
        cal->PixelToGeo(g0, p);
        cal->PixelToGeo(g1, TDouble2{p.X + 1, p.Y});
        if (g0.Lat == GeoPointNoPosition || g1.Lat == GeoPointNoPosition) continue;
        const QPointF d = GeoToMercator(g1) - GeoToMercator(g0);
        mpp = std::hypot(d.x(), d.y());
        break;
    }
    if (!(mpp > 0)) {
        // No raster chart there: an S-57 cell at its compilation scale.
        for (auto *c : ShownCells())
            if (Meets(CellBox(c), PointArea(m)) && c->GetScale() > 0) {
                mpp = c->GetScale() * ScreenMetresPerPixel() * MercatorScaleFactor(pos.Lat);
                break;
            }
    }
    TViewState v = FView;
    if (mpp > 0) v.MetresPerPixel = mpp;
    v.Place(m, point);
    SetView(v);
}

void TChartViewerCore::ZoomToMercator(const QRectF &box) {
    if (box.isEmpty() || !FView.Valid()) {
        if (!box.isEmpty()) {
            FView.Center = box.center();
            FHasView = true;
        }
        return;
    }
    TViewState v = FView;
    v.Rotation = 0;
    v.Center = box.center();
    v.MetresPerPixel = std::max(box.width() / FView.Width, box.height() / FView.Height) * 1.05;
    SetView(v);
}

void TChartViewerCore::ZoomToChart(IRasterChart *chart) {
    auto *r = dynamic_cast<charts::TRasterChart *>(chart);
    if (r) ZoomToMercator(RasterBox(r));
}

void TChartViewerCore::ZoomToS57Chart(IChart *chart) {
    auto *c = dynamic_cast<charts::TChart *>(chart);
    if (c) ZoomToMercator(CellBox(c));
}

void TChartViewerCore::ZoomToBackgroundMap() {
    TViewState v = FView;
    v.Center = GeoToMercator({52.0 * M_PI / 180, 5.0 * M_PI / 180});
    v.MetresPerPixel = FView.Width > 0 ? 2 * M_PI * WgsA / FView.Width / 8 : 1000.0;
    v.Rotation = 0;
    SetView(v);
}

void TChartViewerCore::SetViewRotation(double angle) {
    if (!std::isfinite(angle)) return;
    TViewState v = FView;
    v.Rotation = angle;
    SetView(v);
}

void TChartViewerCore::ViewChanged() {
    FCalibrationStale = true;
    const TGeoPoint c = FView.GeoOf(FView.CenterPixel());
    FCenterPos = c;
    FCenterPoint = TDouble2{FView.Width / 2.0, FView.Height / 2.0};
    if (FMouseInside) FMousePos = FView.GeoOf(MousePixel());
    if (FHooks) FHooks->HookViewChanged();
    if (FCalChangeCb) FCalChangeCb(FCalChangeData);
    Invalidate();
}

// ---- mouse ----

void TChartViewerCore::MouseDown(int32_t button, uint32_t shift, int32_t x, int32_t y) {
    FMouseInside = true;
    FMousePoint = {x, y};
    FMousePos = FView.GeoOf(MousePixel());
    FDragMoved = false;
    if (FHooks && FHooks->HookMouseDown(button, shift, MousePixel())) return;
    if (button == ViewerMouseButton::Left) {
        FDragging = true;
        FDragLast = QPointF(x, y);
    }
}

void TChartViewerCore::MouseMove(uint32_t shift, int32_t x, int32_t y) {
    FMouseInside = true;
    FMousePoint = {x, y};
    FMousePos = FView.GeoOf(MousePixel());
    if (FHooks && FHooks->HookMouseMove(shift, MousePixel())) return;
    if (FDragging) {
        const QPointF d = QPointF(x, y) - FDragLast;
        if (d.manhattanLength() >= 1) {
            FDragMoved = true;
            FDragLast = QPointF(x, y);
            Pan(int(d.x()), int(d.y()));
        }
    } else if (FHighlightChartAtMouse) {
        Invalidate();
    }
}

void TChartViewerCore::MouseUp(int32_t button, uint32_t shift, int32_t x, int32_t y) {
    FMousePoint = {x, y};
    FMousePos = FView.GeoOf(MousePixel());
    const bool moved = FDragMoved;
    FDragging = false;
    FDragMoved = false;
    if (FHooks) FHooks->HookMouseUp(button, shift, MousePixel(), moved);
}

void TChartViewerCore::MouseLeave() {
    FMouseInside = false;
    FDragging = false;
    FMousePos = {GeoPointNoPosition, GeoPointNoPosition};
    if (FHighlightChartAtMouse) Invalidate();
}

// ---- drawing ----

TS57DrawParams TChartViewerCore::S57Params(const TViewState &view, double paperMetresPerPixel) const {
    TS57DrawParams p;
    p.View = &view;
    const double lat = MercatorLat(view.Center.y());
    p.ScaleDenominator = view.MetresPerPixel / MercatorScaleFactor(lat) /
                         (paperMetresPerPixel > 0 ? paperMetresPerPixel : ScreenMetresPerPixel());
    p.S52 = S52ActiveSettings(FS52);
    p.Viewer = p.S52.Viewers[size_t(FViewerIndex)];
    p.DepthUnit = FDepthUnit;
    p.BoundsOnly = FS57BoundsOnly;
    p.LightSectors = FLightSectors;
    // Millimetres on screen or paper, so the arcs keep their size whatever the zoom.
    const double metresPerPixel = paperMetresPerPixel > 0 ? paperMetresPerPixel : ScreenMetresPerPixel();
    p.SectorPixelsPerHeightM = FSectorRadiusMMPer10M / 1000.0 / 10.0 / metresPerPixel;
    return p;
}

uint64_t TChartViewerCore::SettingsKey() const {
    const TS52Settings &s = S52ActiveSettings(FS52);
    const TS52ViewerSettings &v = s.Viewers[size_t(FViewerIndex)];
    uint64_t h = 1469598103934665603ull;
    auto mix = [&h](double x) { h = (h ^ std::hash<double>{}(x)) * 1099511628211ull; };
    for (double x : {double(s.BoundaryStyle), double(s.SymbolStyle), double(s.ColorScheme), double(s.DepthShallowM),
                     double(s.DepthSafeM), double(s.DepthDeepM), double(s.MaxBuoyScamin), double(s.TextScale),
                     double(v.Category), double(v.Flags), double(v.WaterLevelOffsetM), double(FDepthUnit),
                     double(FClearColour), double(FColourFactors[0]), double(FColourFactors[1]),
                     double(FColourFactors[2]), double(FColourFactors[3]), double(FS57BoundsOnly),
                     double(FShowChartBounds), double(NightScreenWhite()), double(s.CheckFeatureTime),
                     double(FLightSectors), double(FSectorRadiusMMPer10M)})
        mix(x);
    // Date-dependent features change with the day they are judged by (today, or the planning
    // time being explored).
    if (s.CheckFeatureTime) mix(double(S52FeatureDay(s).toJulianDay()));
    return h;
}

void TChartViewerCore::RenderCharts(QImage &image, const TViewState &view, const QRect &clip,
                                    double paperMetresPerPixel) {
    if (clip != image.rect()) {
        // A strip: drawn as a small view of its own, so only what lies in it is visited.
        TViewState strip = view;
        strip.Width = clip.width();
        strip.Height = clip.height();
        strip.Place(view.ToMercator().map(QPointF(clip.left(), clip.top())), QPointF(0, 0));
        QImage part(clip.size(), QImage::Format_ARGB32_Premultiplied);
        RenderCharts(part, strip, part.rect(), paperMetresPerPixel);
        QPainter p(&image);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(clip.topLeft(), part);
        return;
    }
    {
        QPainter fill(&image);
        fill.fillRect(clip, QColor::fromRgba(FClearColour));
    }
    TRasterDrawParams rp;
    rp.View = &view;
    rp.ColourFactors = FColourFactors;
    // The picture is drawn for the view given, which a print tile makes differ from FView.
    const QRectF box = view.MercatorBounds();
    std::vector<charts::TRasterChart *> raster;
    auto *back = dynamic_cast<charts::TRasterChart *>(FBackChart);
    auto *front = dynamic_cast<charts::TRasterChart *>(FFrontChart);
    auto visible = [&](charts::TRasterChart *c) { return RasterShown(c) && RasterBox(c).intersects(box); };
    if (back && visible(back)) raster.push_back(back);
    for (auto *c : FRaster)
        if (c != back && c != front && visible(c)) raster.push_back(c);
    if (front && visible(front)) raster.push_back(front);
    for (auto *c : raster) {
        QString error;
        DrawRasterChart(image, c->Header().FileName, c->GetGeodeticReference(), c->Header().Width,
                        c->Header().Height, rp, error);
        if (!error.isEmpty()) {
            // Reported once per message, not once per frame.
            QString &known = FChartErrors[c->Header().FileName];
            if (known != error) c->ReportProblem(QStringLiteral("The chart could not be drawn: %1").arg(error));
            known = error;
        }
    }
    ConvertForNight(image);
    QPainter painter(&image);
    painter.setClipRect(clip);
    TViewState copy = view;
    TS57DrawParams sp = S57Params(view, paperMetresPerPixel);
    sp.View = &copy;
    for (auto *c : FCells) {
        if (!CellShown(c)) continue;
        const TWorldShifts shifts = WorldShiftsMeeting(CellBox(c), box);
        auto it = FLoaded.find(c->Header().FileName);
        if (shifts.Empty() || it == FLoaded.end() || !it->second) continue;
        for (int k = shifts.First; k <= shifts.Last; ++k) {
            LookAtCopy(copy, view, shifts.Offset(k));
            DrawS57Cell(painter, *it->second, sp);
        }
    }
    if (FShowChartBounds) {
        painter.setRenderHint(QPainter::Antialiasing, true);
        for (auto *c : raster) {
            if (c->GetBorderHidden()) continue;
            painter.setPen(QPen(c == front ? QColor(220, 0, 0) : QColor(120, 120, 120), c == front ? 2 : 1));
            painter.setBrush(Qt::NoBrush);
            painter.drawPolygon(RasterChartOutline(c->GetGeodeticReference(), c->Header().Width, c->Header().Height, view));
        }
    }
}

void TChartViewerCore::Render(IBmp32 *target) {
    QImage *image = Bmp32Image(target);
    if (!image || image->isNull()) return;
    if (image->width() != FView.Width || image->height() != FView.Height)
        SetViewRect(0, 0, image->width(), image->height());
    RequestLoads(FView);
    const uint64_t key = SettingsKey();
    const bool samePlane = FLayerValid && FLayerKey == key && FLayer.size() == image->size() &&
                           FLayerView.MetresPerPixel == FView.MetresPerPixel &&
                           FLayerView.Rotation == FView.Rotation;
    QPointF shift;
    if (samePlane) shift = FView.ToPixel().map(FLayerView.Center) - FLayerView.CenterPixel();
    const double sx = std::round(shift.x()), sy = std::round(shift.y());
    const bool reuse = samePlane && std::fabs(shift.x() - sx) < 1e-6 && std::fabs(shift.y() - sy) < 1e-6 &&
                       std::fabs(sx) < image->width() && std::fabs(sy) < image->height();
    if (reuse && (sx != 0 || sy != 0)) {
        // A pan: move what is drawn and draw the uncovered strips only.
        const QImage old = FLayer;
        {
            QPainter p(&FLayer);
            p.setCompositionMode(QPainter::CompositionMode_Source);
            p.drawImage(QPointF(sx, sy), old);
        }
        const int w = FLayer.width(), h = FLayer.height(), dx = int(sx), dy = int(sy);
        if (dx > 0) RenderCharts(FLayer, FView, QRect(0, 0, dx, h));
        if (dx < 0) RenderCharts(FLayer, FView, QRect(w + dx, 0, -dx, h));
        if (dy > 0) RenderCharts(FLayer, FView, QRect(0, 0, w, dy));
        if (dy < 0) RenderCharts(FLayer, FView, QRect(0, h + dy, w, -dy));
    } else if (!reuse) {
        if (FLayer.size() != image->size()) FLayer = QImage(image->size(), QImage::Format_ARGB32_Premultiplied);
        RenderCharts(FLayer, FView, FLayer.rect());
    }
    FLayerView = FView;
    FLayerKey = key;
    FLayerValid = true;
    *image = FLayer.copy();
    if (FHooks || FHighlightChartAtMouse) {
        QPainter painter(image);
        if (FHighlightChartAtMouse && FMouseInside) {
            const auto at = RasterChartsAt(MousePixel());
            if (!at.empty()) {
                auto *c = static_cast<charts::TRasterChart *>(at.front());
                painter.setPen(QPen(QColor(255, 140, 0), 2));
                painter.drawPolygon(RasterChartOutline(c->GetGeodeticReference(), c->Header().Width,
                                                       c->Header().Height, FView));
            }
        }
        if (FHooks) FHooks->DrawOverlays(painter, FView);
    }
}

void TChartViewerCore::PrintTile(IGeodeticCalibration *tileCal, IBmp32 *bitmap, double resolution) {
    QImage *image = Bmp32Image(bitmap);
    if (!image || image->isNull()) return;
    TViewState v;
    if (!ViewFromCalibration(tileCal, image->width(), image->height(), v)) return;
    // The tile's centre pixel is the calibration's centre; shift for the bitmap's size.
    v.Place(v.Center, QPointF(tileCal->GetWidth() / 2.0, tileCal->GetHeight() / 2.0));
    LoadCellsNow(v);
    RenderCharts(*image, v, image->rect(), resolution > 0 ? 1.0 / resolution : 0.0);
}

void TChartViewerCore::LoadCellsNow(const TViewState &view) {
    // A print cannot wait for the loader thread: the cells it shows are read here, once the
    // loads under way are done (GDAL's S-57 reader takes one thread at a time). A cell the
    // thread has just read comes from the cache; its queued result changes nothing then.
    const QRectF box = view.MercatorBounds();
    bool waited = false;
    for (auto *c : FCells) {
        if (!CellShown(c) || !BoundsToMercator(c->Header().Bounds).intersects(box)) continue;
        const QString file = c->Header().FileName;
        if (FLoaded.count(file) || FChartErrors.count(file)) continue;
        if (!waited) {
            FPool.waitForDone();
            waited = true;
        }
        QString error;
        TS57CellPtr cell = LoadS57Cell(file, error);
        FLoading.erase(file);
        if (cell) FLoaded[file] = std::move(cell);
        else FChartErrors[file] = error;
    }
}

void TChartViewerCore::Invalidate() {
    if (FInvalidateCb) FInvalidateCb(FInvalidateData);
}

void TChartViewerCore::Repaint() {
    if (FRepaintCb) FRepaintCb(FRepaintData);
}

// ---- pick ----

TS57Object *TChartViewerCore::PickS57(const QPointF &pixel) {
    ClearS57Pick();
    TViewState copy = FView;
    TS57DrawParams p = S57Params(FView);
    p.View = &copy;
    std::vector<charts::TChart *> cells = ShownCells();
    std::reverse(cells.begin(), cells.end());
    charts::TChart *hitChart = nullptr;
    const TS57Feature *hit = nullptr;
    bool second = false;
    const QRectF viewBox = FView.MercatorBounds();
    for (auto *c : cells) {
        auto it = FLoaded.find(c->Header().FileName);
        if (it == FLoaded.end() || !it->second) continue;
        const TWorldShifts shifts = WorldShiftsMeeting(CellBox(c), viewBox);
        int i = -1;
        for (int k = shifts.First; k <= shifts.Last && i < 0; ++k) {
            LookAtCopy(copy, FView, shifts.Offset(k));
            i = HitTestS57(*it->second, p, pixel);
        }
        if (i < 0) continue;
        if (hit) {
            second = true;
            break;
        }
        hit = &it->second->Features[size_t(i)];
        hitChart = c;
    }
    if (!hit) return nullptr;
    FPick = std::make_unique<TS57Object>(hitChart->Header().CellName, *hit, second,
                                         QFileInfo(hitChart->Header().FileName).absolutePath());
    FPickChart = hitChart;
    hitChart->SetPickObject(FPick.get());
    return FPick.get();
}

void TChartViewerCore::ClearS57Pick() {
    if (FPickChart) FPickChart->SetPickObject(nullptr);
    FPickChart = nullptr;
    FPick.reset();
}

}  // namespace kv::render
