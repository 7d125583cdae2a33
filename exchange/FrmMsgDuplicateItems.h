// What the duplicate questions show of an item: its kind, the answers, the "label: value"
// lines of an existing or a new item and its icon box. Shared by the single and the
// multiple question. GUI thread only.
#pragma once

#include "base/texts/KvLanguage.h"

#include <QString>
#include <QStringList>
#include <QWidget>
#include <cstdint>
#include <initializer_list>

class IBmp32;
class NavObject;
class QFrame;
class QLabel;
class QPainter;
class TMarivoNavEnv;

// The kind of item a duplicate question asks about.
enum TDuplicateKind : uint8_t {
    dkChartCollection = 0,
    dkWaypointGroup = 1,
    dkRoute = 2,
    dkPolarDiagram = 3,
    dkRouteProfile = 4,
    dkWaypointProfile = 5,
    dkTideStation = 6,
    dkTrack = 7,
    dkWaypointType = 8,
    dkWaypoint = 9,
};

// The user's answer: keep the existing item, overwrite it, or add the new one under a new
// name (for a track or a polar diagram: rename the new one).
enum TDuplicateAction : int32_t {
    daKeep = 0,
    daOverwrite = 1,
    daDuplicate = 2,
};

// An item as a question shows it: the object, or only its name (chart collections,
// profiles, tide stations; a polar diagram may come either way).
struct TDuplicateItem {
    NavObject *Object = nullptr;
    QString Name;
    bool ByName = false;
};

// The kind's item lines, each "label: value", three of them; a line without a label in the
// kind's table is empty. env gives the position format and units (nil: the defaults).
QStringList DuplicateItemLines(TDuplicateKind kind, const TDuplicateItem &item, const TMarivoNavEnv *env);
// The labels alone (nil for an unused line).
const TLanguageStrings *DuplicateLineLabel(TDuplicateKind kind, int line);
// The icon a kind shows for the item: the waypoint type's, or the waypoint's type's; nil
// for any other kind or without a type.
IBmp32 *DuplicateItemIcon(TDuplicateKind kind, const TDuplicateItem &item);
// The icon at half size on the icon-preview checkerboard, or on background (ARGB) when
// checkerboard is false; converted for the night screen while it is on.
void DrawDuplicateIcon(QPainter &p, const QRect &box, IBmp32 *icon, bool checkerboard, uint32_t background);
// text with its first "%s" replaced by arg.
QString DuplicateFormat(const QString &text, const QString &arg);

// A 32 × 32 box showing an item's icon at half size on the checkerboard (the checkerboard
// alone without an icon).
class TDuplicateIconBox : public QWidget {
public:
    explicit TDuplicateIconBox(QWidget *parent);
    IBmp32 *Icon = nullptr;

protected:
    void paintEvent(QPaintEvent *event) override;
};

// One item's column: its bold title, and under it a framed icon box (when iconPanel is
// given) beside the line labels of lineWidth, 20 pixels high, cut with an ellipsis.
QWidget *MakeDuplicateItemPanel(QWidget *parent, int width, int lineWidth, QLabel *&title, QFrame **iconPanel,
                                QWidget **paintBox, std::initializer_list<QLabel **> lines);
