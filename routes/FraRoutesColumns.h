// The route table's columns: the fixed tables (alignment, default width and visibility,
// availability), the stored layout under "Desktop\ToolWindowRoutes\Columns\NN", and the text
// of every cell and unit line. Pure of widgets, so the texts can be checked under any
// locale, unit and clock.
#pragma once

#include "routes/RteNodeRows.h"

#include <KvLibNav6/KvTypes.h>

#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

class INavRouteNavigation;
class IWptRoute;

inline constexpr int RouteColumnCount = 44;
extern const QString RouteTableKey;    // "Desktop\ToolWindowRoutes"
extern const QString RouteColumnsKey;  // "Desktop\ToolWindowRoutes\Columns"

// Alignment of a column.
enum class TRouteAlign { Left, Right, Centre };

struct TRouteColumnDef {
    TRouteAlign Align = TRouteAlign::Right;
    int Width = 70;
    bool Visible = false;
};
TRouteColumnDef RouteColumnDef(int column);
// The columns the table, the chooser, print and export may show: 0..7, 21..26, 28, 43.
bool RouteColumnAvailable(int column);
// "\NN" under RouteColumnsKey.
QString RouteColumnKey(int column);

// One column's layout as stored.
struct TRouteColumnState {
    int Column = 0;
    bool Visible = false;
    int Width = 70;
    int Position = 0;  // place in the header, 0..43
};
using TRouteColumnLayout = std::array<TRouteColumnState, RouteColumnCount>;
// Reads the stored layout; whatever was stored, the result is usable: positions are a
// permutation of 0..43, widths lie in a sane range, unavailable columns are hidden and
// column 1 is visible.
TRouteColumnLayout RouteLoadColumns();
// The defaults of every column, written back ("Restore columns").
TRouteColumnLayout RouteRestoreColumns();
void RouteWriteColumn(const TRouteColumnState &state);
void RouteWriteColumnWidth(int column, int width);
void RouteWriteColumnPosition(int column, int position);

// What the cell texts read besides the rows.
struct TRouteCellContext {
    IWptRoute *Route = nullptr;
    INavRouteNavigation *Navigation = nullptr;  // while the route is followed
    bool Electric = false;
    int32_t UnitSmall = 0, UnitLarge = 0, UnitVolume = 0, PositionFormat = 1;
    TDateTime NowUTC = 0.0;
    // The title of a fairway and traffic notice by its number; empty when unknown.
    std::function<QString(int32_t)> NoticeTitle;
};

QString RouteCellText(const std::vector<TRteNodeData> &rows, int row, int column,
                      const TRouteCellContext &context);
// The unit line of a column; for HTML an empty unit is "&nbsp;".
QString RouteUnitText(int column, const TRouteCellContext &context, bool forHtml);
// The row's name (column 1).
QString RouteRowName(const TRteNodeData &row, const TRouteCellContext &context);
