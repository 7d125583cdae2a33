// Settings store: where a window's dockable panels, toolbars and the window itself sit.
//
// Each routine reads or writes one panel, toolbar or window placement under one key below
// the product root, value by value as the layout flags say. The routines work on plain
// layout records; the window turns them into docks and floating windows and back, so this
// unit knows no widget. Readers never fail (a missing value gives its default); writers
// ignore store errors. Pixels throughout. GUI thread only.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <cstdint>

// One bit per stored item of a panel or toolbar, and of a window placement.
namespace LayoutFlag {
inline constexpr uint32_t DockPosRow = 0x0001;         // "DockPos" and "DockRow"
inline constexpr uint32_t DockSize = 0x0002;           // "DockHeight" and "DockWidth"
inline constexpr uint32_t DockHeight = 0x0004;
inline constexpr uint32_t DockWidth = 0x0008;
inline constexpr uint32_t FloatPos = 0x0010;           // "FloatLeft" and "FloatTop"
inline constexpr uint32_t Floating = 0x0020;
inline constexpr uint32_t FloatingDefault = 0x0040;    // "Floating" reads True when missing
inline constexpr uint32_t FloatsUnread = 0x0080;       // without "Floating": the panel floats
inline constexpr uint32_t FloatSize = 0x0100;          // "FloatHeight" and "FloatWidth"
inline constexpr uint32_t FloatHeight = 0x0200;
inline constexpr uint32_t FloatWidth = 0x0400;
inline constexpr uint32_t Visible = 0x0800;
inline constexpr uint32_t VisibleDefault = 0x1000;     // "Visible" reads True when missing
inline constexpr uint32_t ShownUnread = 0x2000;        // without "Visible": the panel shows
inline constexpr uint32_t FormPos = 0x4000;            // "Left" and "Top"
inline constexpr uint32_t FormSize = 0x8000;           // "Width" and "Height"
inline constexpr uint32_t FormHeight = 0x10000;
inline constexpr uint32_t FormWidth = 0x20000;
inline constexpr uint32_t FormState = 0x40000;         // "State": 2 maximised, 0 otherwise
}  // namespace LayoutFlag

// The stored dock site of a floating panel or toolbar.
inline const QString DockSiteNone = QStringLiteral("<none>");

// The screen a placement is checked against: the work area (without panels of the
// desktop) and the whole desktop's size.
struct TDesktopGeometry {
    QRect WorkArea;
    QSize Desktop;
};
// Of the primary screen and the virtual desktop; 1024 × 768 when there is no screen.
TDesktopGeometry CurrentDesktopGeometry();

// position pulled back onto the desktop: (0, 0) centres in the work area, centre centres
// horizontally; a window wholly left of (above) the desktop goes to 20, one starting beyond
// its right (bottom) edge to desktop size − size − 20. Judged on the incoming position.
QPoint CheckPlacement(const QPoint &position, int height, int width, bool centre,
                      const TDesktopGeometry &desktop);

// Where a panel or toolbar is and how large. Client sizes limit the stored sizes
// (0 = no limit); CanDock False keeps a panel floating and its dock values unread.
struct TDockableLayout {
    bool Visible = false;
    bool Floating = false;
    QPoint FloatPos;
    int FloatWidth = 0;
    int FloatHeight = 0;
    int DockWidth = 0;
    int DockHeight = 0;
    int DockPos = 0;
    int DockRow = 0;
    QString DockSite;  // name of the dock it sits in, or returns to when it stops floating
    bool CanDock = true;
    int MaxClientHeight = 0;
    int MaxClientWidth = 0;
    int MinClientHeight = 0;
    int MinClientWidth = 0;
};

// docks: the names of the owner's docks; a stored "DockSite" naming none of them leaves
// the panel in defaultDock. topDefault: default of "FloatTop"; a panel stored at that top
// is centred horizontally (0 = never). Values the flags do not name keep the record's.
void ReadDockablePanelLayout(TDockableLayout &panel, const QString &key,
                             const QStringList &docks, int topDefault, uint32_t flags,
                             const QString &defaultDock,
                             const TDesktopGeometry &desktop = CurrentDesktopGeometry());
// As a panel without sizes and without centring.
void ReadToolbarLayout(TDockableLayout &bar, const QString &key, const QStringList &docks,
                       uint32_t flags, const QString &defaultDock,
                       const TDesktopGeometry &desktop = CurrentDesktopGeometry());
void WriteDockablePanelLayout(const TDockableLayout &panel, const QString &key, uint32_t flags);
void WriteToolbarLayout(const TDockableLayout &bar, const QString &key, uint32_t flags);

// A window's normal bounds and its state (2 maximised, 0 normal).
struct TFormPlacement {
    QRect Bounds;
    int State = 0;
};
// A stored height (width) of 0 gives the work area's height (width) − 100; the position
// goes through CheckPlacement; a "State" other than 2 reads as normal.
void ReadFormPlacement(TFormPlacement &form, const QString &key, uint32_t flags, int leftDefault,
                       int topDefault, int widthDefault, int heightDefault,
                       const TDesktopGeometry &desktop = CurrentDesktopGeometry());
void WriteFormPlacement(const TFormPlacement &form, const QString &key, uint32_t flags);
// "State" exactly as given.
void WriteFormState(int state, const QString &key);
