#include "shell/MarivoDockPanels.h"

#include <QDockWidget>
#include <QMainWindow>
#include <QToolBar>

#include <algorithm>
#include <map>
#include <set>

namespace {

const char *const MLeft = "MultiDockLeft";
const char *const MRight = "MultiDockRight";

// Sizes the table gives as "design values": those of the panel as laid out.
constexpr int DesignHeight = 0;
constexpr int DesignMinHeight = 100;

Qt::DockWidgetArea PanelArea(const QString &site) {
    if (site == DockName::Top) return Qt::TopDockWidgetArea;
    if (site == DockName::Bottom) return Qt::BottomDockWidgetArea;
    if (site == DockName::MultiRight) return Qt::RightDockWidgetArea;
    return Qt::LeftDockWidgetArea;  // "DockLeft" and "MultiDockLeft"
}

Qt::ToolBarArea ToolbarArea(const QString &site) {
    if (site == DockName::Bottom) return Qt::BottomToolBarArea;
    if (site == DockName::Left || site == DockName::MultiLeft) return Qt::LeftToolBarArea;
    if (site == DockName::MultiRight) return Qt::RightToolBarArea;
    return Qt::TopToolBarArea;
}

bool Horizontal(Qt::DockWidgetArea a) {
    return a == Qt::TopDockWidgetArea || a == Qt::BottomDockWidgetArea;
}

bool Horizontal(Qt::ToolBarArea a) {
    return a == Qt::TopToolBarArea || a == Qt::BottomToolBarArea;
}

QString PanelSiteName(Qt::DockWidgetArea area, const QString &previous) {
    switch (area) {
    case Qt::TopDockWidgetArea: return DockName::Top;
    case Qt::BottomDockWidgetArea: return DockName::Bottom;
    case Qt::RightDockWidgetArea: return DockName::MultiRight;
    default: return previous == DockName::Left ? DockName::Left : DockName::MultiLeft;
    }
}

QString ToolbarSiteName(Qt::ToolBarArea area) {
    switch (area) {
    case Qt::BottomToolBarArea: return DockName::Bottom;
    case Qt::LeftToolBarArea: return DockName::Left;
    case Qt::RightToolBarArea: return DockName::MultiRight;
    default: return DockName::Top;
    }
}

// Row: index of the widget's line across the area among the lines of the others; position:
// its offset along the line.
void RowAndPos(const QList<QWidget *> &neighbours, QWidget *w, bool horizontal,
               TDockableLayout &layout) {
    std::set<int> lines;
    for (QWidget *n : neighbours) lines.insert(horizontal ? n->y() : n->x());
    const int own = horizontal ? w->y() : w->x();
    layout.DockRow = int(std::distance(lines.begin(), lines.find(own)));
    layout.DockPos = horizontal ? w->x() : w->y();
}

struct TOrder {
    int Row;
    int Pos;
    int Index;
    bool operator<(const TOrder &o) const {
        return std::tie(Row, Pos, Index) < std::tie(o.Row, o.Pos, o.Index);
    }
};

}  // namespace

const QStringList &MainDockNames() {
    static const QStringList names = {DockName::Top, DockName::Bottom, DockName::Left,
                                      DockName::MultiLeft, DockName::MultiRight};
    return names;
}

const std::vector<TDockPanelSpec> &DockPanelTable() {
    static const std::vector<TDockPanelSpec> table = {
        {"DockablePanelAISTargetInfo", "Desktop\\ToolWindowAISTargetInfo", 2355, 2355,
         DesignHeight, 0, DesignMinHeight, 300, 300, 0, 300, MLeft},
        {"DockablePanelAISTargetList", "Desktop\\ToolWindowAISTargetList", 2355, 2355, 0, 0, 100,
         300, 225, 300, 0, MLeft},
        {"DockablePanelAnchorGuard", "Desktop\\FloatWindowAnchorGuard", 1168, 1168, 95, 650, 95,
         325, 325, 110, 0, MRight},
        {"DockablePanelLinkDetails", "Desktop\\ToolWindowLinkDetails", 307, 2355, 0, 0, 150, 300,
         300, 250, 0, MLeft},
        {"DockablePanelLinkDetailsStruct", "Desktop\\ToolWindowLinkDetailsStruct", 307, 2355, 0,
         0, 150, 300, 300, 250, 0, MLeft},
        {"DockablePanelChartInfo", "Desktop\\ToolWindowChartInfo", 2355, 2355, 0, 0, 150, 300,
         300, 250, 0, MLeft},
        {"DockablePanelChartLegend", "Desktop\\ToolWindowChartLegend", 2355, 2355, 0, 0, 150, 300,
         300, 250, 0, MLeft},
        {"DockablePanelChartStatus", "Desktop\\ToolWindowChartStatus", 6451, 2355, 17, 0, 17, 0,
         650, 17, 0, "DockTop"},
        {"DockablePanelCoVadem", "Desktop\\ToolWindowCoVadem", 2355, 2419, 0, 0, 200, 465, 465,
         200, 0, MRight},
        {"DockablePanelDepthViewer", "Desktop\\ToolWindowDepthViewer", 2419, 2419, 0, 0, 325, 225,
         225, 325, 0, MRight},
        {"DockablePanelGRIB", "Desktop\\ToolWindowGRIBControl", 2355, 2419, 0, 0, 325, 370, 370,
         300, 0, MLeft},
        {"DockablePanelHTML", "Desktop\\FloatWindowHTML", 144, 144, 0, 0, 200, 300, 500, 300, 0,
         MRight},
        {"DockablePanelMeteostation", "Desktop\\FloatWindowMeteostation", 2419, 2419, 160, 0, 160,
         310, 310, 160, 0, MLeft},
        {"DockablePanelNavInfo", "Desktop\\FloatWindowNavInfo", 6515, 2355, 0, 0, 0, 325, 0, 0, 0,
         MRight},
        {"DockablePanelNMEA", "Desktop\\FloatWindowNMEA", 144, 144, 0, 0, 0, 400, 0, 0, 0, MRight},
        {"DockablePanelPolarDiagram", "Desktop\\ToolWindowPolarDiagram", 2355, 2419, 0, 0, 325,
         310, 500, 300, 0, MRight},
        {"DockablePanelProximityAlarm", "Desktop\\FloatWindowProximityAlarm", 400, 400, 0, 650,
         110, 325, 325, 110, 0, MRight},
        {"DockablePanelAlarmZone", "Desktop\\FloatWindowAlarmZone", 400, 400, 0, 650, 110, 325,
         325, 110, 0, MRight},
        {"DockablePanelRoute", "Desktop\\ToolWindowRoutes", 2355, 2419, 0, 0, 185, 415, 225, 300,
         0, "DockBottom"},
        {"DockablePanelRouteSettings", "Desktop\\FloatWindowRouteSettings", 6515, 2419, 0, 0, 484,
         270, 270, 495, 0, MLeft},
        {"DockablePanelSimulation", "Desktop\\FloatWindowSimulation", 1168, 1168, 150, 650, 150,
         325, 325, 150, 0, MRight},
        {"DockablePanelTextMessages", "Desktop\\ToolWindowTextMessages", 2355, 2355, 0, 0, 100,
         300, 225, 300, 0, MRight},
        {"DockablePanelTides", "Desktop\\ToolWindowTides", 2355, 2419, 0, 0, 325, 300, 325, 300,
         0, MRight},
        {"DockablePanelTrackReplay", "Desktop\\FloatWindowTrackInfo", 2448, 2448, 0, 0, 190, 450,
         450, 190, 0, MRight},
        {"DockablePanelUserReport", "Desktop\\ToolWindowUserReport", 371, 371, 0, 0, 400, 385,
         385, 470, 0, MRight},
        {"DockablePanelViewerExtra1", "Desktop\\ToolWindowViewerExtra1", 2355, 2355, 0, 0, 150,
         300, 300, 250, 0, MLeft},
        {"DockablePanelViewerExtra2", "Desktop\\ToolWindowViewerExtra2", 2355, 2355, 0, 0, 150,
         300, 300, 250, 0, MLeft},
        {"DockablePanelWaypoints", "Desktop\\FloatWindowWaypoints", 144, 144, 340, 386, 340, 386,
         386, 320, 0, MRight},
        {"DockablePanelZoS", "Desktop\\ToolWindowZoS", 2355, 2419, 0, 0, 320, 465, 465, 320, 0,
         MLeft},
        // Read by their frames; until those exist, with their write flags.
        {"DockablePanelNavInfoCurrent", "Desktop\\FloatWindowNavCurrent", 2355, 2355,
         DesignHeight, 0, DesignMinHeight, 325, 325, 0, 325, MLeft},
        {"DockablePanelNavInfoRoute", "Desktop\\FloatWindowNavRoute", 2355, 2355, DesignHeight, 0,
         DesignMinHeight, 325, 325, 0, 325, MLeft},
        {"DockablePanelIPHubConnection", "Desktop\\FloatWindowIPHubConnection", ReadNot, 2355, 0,
         0, 0, 0, 0, 0, 0, MLeft},
        {"DockablePanelVideo1", "Desktop\\ToolWindowVideo1", ReadNot, 2355, 0, 0, 0, 0, 0, 0, 0,
         MLeft},
        {"DockablePanelVideo2", "Desktop\\ToolWindowVideo2", ReadNot, 2355, 0, 0, 0, 0, 0, 0, 0,
         MLeft},
        {"DockablePanelVideoSOAD", "Desktop\\ToolWindowVideoSOAD", ReadNot, 2355, 0, 0, 0, 0, 0,
         0, 0, "DockBottom"},
        {"DockablePanelWWRouteInfo", "Desktop\\FloatWindowWWRouteInfo", ReadNot, 6515, 0, 0, 0, 0,
         0, 0, 0, MLeft},
    };
    return table;
}

const TDockPanelSpec *FindDockPanel(const QString &name) {
    for (const TDockPanelSpec &s : DockPanelTable())
        if (name == QLatin1String(s.Name)) return &s;
    return nullptr;
}

TDockableLayout DockPanelDefaults(const TDockPanelSpec &spec, int dpi) {
    auto scaled = [dpi](int v) { return v * dpi / 96; };
    TDockableLayout l;
    l.MaxClientHeight = scaled(spec.MaxHeight);
    l.MaxClientWidth = scaled(spec.MaxWidth);
    l.MinClientHeight = scaled(spec.MinHeight);
    l.MinClientWidth = scaled(spec.MinWidth);
    l.FloatWidth = scaled(spec.FloatWidth);
    l.FloatHeight = scaled(spec.FloatHeight);
    l.DockWidth = scaled(spec.DockWidthStart);
    l.DockHeight = 0;
    l.DockSite = QString::fromLatin1(spec.DefaultDock);
    return l;
}

void CaptureDockLayout(QMainWindow *window, QDockWidget *panel, TDockableLayout &layout) {
    layout.Visible = !panel->isHidden();
    layout.Floating = panel->isFloating();
    if (layout.Floating) {
        layout.FloatPos = panel->geometry().topLeft();
        layout.FloatWidth = panel->width();
        layout.FloatHeight = panel->height();
        return;
    }
    if (!layout.Visible) return;
    const Qt::DockWidgetArea area = window->dockWidgetArea(panel);
    layout.DockSite = PanelSiteName(area, layout.DockSite);
    layout.DockWidth = panel->width();
    layout.DockHeight = panel->height();
    QList<QWidget *> neighbours;
    for (QDockWidget *d : window->findChildren<QDockWidget *>())
        if (d->parentWidget() == window && !d->isHidden() && !d->isFloating() &&
            window->dockWidgetArea(d) == area)
            neighbours << d;
    RowAndPos(neighbours, panel, Horizontal(area), layout);
}

void CaptureToolbarLayout(QMainWindow *window, QToolBar *bar, TDockableLayout &layout) {
    layout.Visible = !bar->isHidden();
    layout.Floating = bar->isFloating();
    if (layout.Floating) {
        layout.FloatPos = bar->pos();
        layout.FloatWidth = bar->width();
        return;
    }
    if (!layout.Visible) return;
    const Qt::ToolBarArea area = window->toolBarArea(bar);
    layout.DockSite = ToolbarSiteName(area);
    QList<QWidget *> neighbours;
    for (QToolBar *t : window->findChildren<QToolBar *>())
        if (t->parentWidget() == window && !t->isHidden() && window->toolBarArea(t) == area)
            neighbours << t;
    RowAndPos(neighbours, bar, Horizontal(area), layout);
}

void ApplyDockLayouts(QMainWindow *window, const QList<QDockWidget *> &panels,
                      const QList<TDockableLayout> &layouts) {
    std::map<Qt::DockWidgetArea, std::vector<TOrder>> byArea;
    for (int i = 0; i < panels.size(); ++i) {
        const TDockableLayout &l = layouts[i];
        byArea[PanelArea(l.DockSite)].push_back({l.DockRow, l.DockPos, i});
    }
    for (auto &[area, order] : byArea) {
        std::sort(order.begin(), order.end());
        const Qt::Orientation across = Horizontal(area) ? Qt::Vertical : Qt::Horizontal;
        const Qt::Orientation along = Horizontal(area) ? Qt::Horizontal : Qt::Vertical;
        QDockWidget *previous = nullptr;
        int row = 0;
        for (const TOrder &o : order) {
            QDockWidget *panel = panels[o.Index];
            if (!previous || o.Row != row)
                window->addDockWidget(area, panel, across);
            else
                window->splitDockWidget(previous, panel, along);
            previous = panel;
            row = o.Row;
        }
    }
    for (int i = 0; i < panels.size(); ++i) {
        QDockWidget *panel = panels[i];
        const TDockableLayout &l = layouts[i];
        panel->setFloating(l.Floating);
        if (l.Floating && l.FloatWidth > 0 && l.FloatHeight > 0)
            panel->setGeometry(QRect(l.FloatPos, QSize(l.FloatWidth, l.FloatHeight)));
        else if (l.Floating)
            panel->move(l.FloatPos);
        panel->setVisible(l.Visible);
        if (l.Floating || !l.Visible) continue;
        const Qt::DockWidgetArea area = PanelArea(l.DockSite);
        if (Horizontal(area) && l.DockHeight > 0)
            window->resizeDocks({panel}, {l.DockHeight}, Qt::Vertical);
        else if (!Horizontal(area) && l.DockWidth > 0)
            window->resizeDocks({panel}, {l.DockWidth}, Qt::Horizontal);
    }
}

void ApplyToolbarLayouts(QMainWindow *window, const QList<QToolBar *> &bars,
                         const QList<TDockableLayout> &layouts) {
    std::map<Qt::ToolBarArea, std::vector<TOrder>> byArea;
    // A second load (after "Reset windows") must not leave the first one's rows behind.
    for (QToolBar *bar : bars) window->removeToolBarBreak(bar);
    for (int i = 0; i < bars.size(); ++i)
        byArea[ToolbarArea(layouts[i].DockSite)].push_back(
            {layouts[i].DockRow, layouts[i].DockPos, i});
    for (auto &[area, order] : byArea) {
        std::sort(order.begin(), order.end());
        bool first = true;
        int row = 0;
        for (const TOrder &o : order) {
            if (!first && o.Row != row) window->addToolBarBreak(area);
            window->addToolBar(area, bars[o.Index]);
            first = false;
            row = o.Row;
        }
    }
    for (int i = 0; i < bars.size(); ++i) bars[i]->setVisible(layouts[i].Visible);
}
