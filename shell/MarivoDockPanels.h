// The main window's dockable panels as data: each panel's name, its key below the product
// key, the layout flags it is read and written with, its default sizes (pixels at 96 dpi)
// and the dock it starts in; and the bridge between a stored layout record and a Qt dock
// widget or toolbar in a QMainWindow.
//
// Docks: "DockTop" and "DockBottom" are the top and bottom areas (toolbars in the toolbar
// areas, panels in the dock areas), "DockLeft" the left toolbar area, "MultiDockLeft" and
// "MultiDockRight" the left and right dock areas. Within an area "DockRow" orders the rows
// (columns of a side area) and "DockPos" the panels within a row, in pixels along it.
// GUI thread only.
#pragma once

#include "base/settings/KvRegDesktop.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

class QDockWidget;
class QMainWindow;
class QToolBar;

namespace DockName {
inline const QString Top = QStringLiteral("DockTop");
inline const QString Bottom = QStringLiteral("DockBottom");
inline const QString Left = QStringLiteral("DockLeft");
inline const QString MultiLeft = QStringLiteral("MultiDockLeft");
inline const QString MultiRight = QStringLiteral("MultiDockRight");
}  // namespace DockName
// The toolbars' keys below the product key.
namespace ToolbarKey {
inline const QString Main = QStringLiteral("Desktop\\ToolbarMain");
inline const QString MainViewer = QStringLiteral("Desktop\\ToolbarMainViewer");
inline const QString Route = QStringLiteral("Desktop\\ToolbarRoute");
inline const QString S57 = QStringLiteral("Desktop\\ToolbarS57");
}  // namespace ToolbarKey
// Every dock name a stored "DockSite" may hold.
const QStringList &MainDockNames();

// Read flags: ReadNot for panels whose layout is never read at start.
inline constexpr uint32_t ReadNot = 0;

struct TDockPanelSpec {
    const char *Name;  // object name of the QDockWidget
    const char *Key;   // below the product key
    uint32_t ReadFlags;
    uint32_t WriteFlags;
    int MaxHeight, MaxWidth;  // client sizes, 0 = no limit
    int MinHeight, MinWidth;
    int FloatWidth, FloatHeight;
    int DockWidthStart;  // docked width before reading
    const char *DefaultDock;
};
// The 36 panels with a key, in the order the layout is read.
const std::vector<TDockPanelSpec> &DockPanelTable();
// nullptr for a name not in the table.
const TDockPanelSpec *FindDockPanel(const QString &name);
// The nested panel of "DockablePanelViewerExtra2": a panel without a key of its own.
inline const QString NestedPanelName = QStringLiteral("TBXDockablePanel1");

// The table's sizes scaled from 96 dpi to dpi, as a record to read into.
TDockableLayout DockPanelDefaults(const TDockPanelSpec &spec, int dpi);

// Qt's side of a panel's layout. Capture fills the record from what the window shows and
// keeps the record's dock values for a hidden panel (a hidden dock widget has no place).
void CaptureDockLayout(QMainWindow *window, QDockWidget *panel, TDockableLayout &layout);
void CaptureToolbarLayout(QMainWindow *window, QToolBar *bar, TDockableLayout &layout);
// Places panels in their areas ordered by row, then position; sizes, floating geometry
// and visibility as the records say. panels and layouts run in parallel.
void ApplyDockLayouts(QMainWindow *window, const QList<QDockWidget *> &panels,
                      const QList<TDockableLayout> &layouts);
void ApplyToolbarLayouts(QMainWindow *window, const QList<QToolBar *> &bars,
                         const QList<TDockableLayout> &layouts);
