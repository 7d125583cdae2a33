// The skipper's planning as steps of a scenario: the boat's height set in the ship dialog, a
// new route over the Dutch inland waters in the fastest mode, its two points clicked on the
// chart at two marinas of the demo network, the editing finished; and the route table read
// as the user reads it.
#pragma once

#include "DemoData.h"

#include <QPoint>
#include <QString>
#include <QStringList>

class QTreeView;
class TFormMarivo6Main;
class TFrameRouteSettings;
class TNavViewerControl;

namespace acceptance {

class TScenarioRun;

const demo::TMarina &Marina(const demo::TNetwork &network, const QString &name);
// The pixel of the chart where a position lies, from the viewer's own calibration.
QPoint PixelOf(TNavViewerControl &chart, const demo::TLonLat &pos);
// File -> Properties -> "Ship...": the dimensions page, the height typed, then OK.
void SetShipHeight(TFormMarivo6Main &main, const QString &typed);
TFrameRouteSettings *RouteSettings(TFormMarivo6Main &main);
QTreeView *RouteTable(TFormMarivo6Main &main);
// Every row of the route table as the user reads it: its cells joined by " | ", children
// indented.
QStringList TableRows(TFormMarivo6Main &main);
// The route table shows more rows than the two points: the planner filled in the way.
bool RouteTablePlanned(TFormMarivo6Main &main);

// Adds the steps from the charts drawn to the route made (editing finished, the route
// selected): a boat of the typed height, a new fastest route over the Dutch inland waters,
// from and to clicked on the chart.
void MakeRouteOnTheChart(TScenarioRun &run, const QString &height, const demo::TMarina &from,
                         const demo::TMarina &to);

}  // namespace acceptance
