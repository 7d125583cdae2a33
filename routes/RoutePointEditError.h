// The message shown when the core library refuses a change of a route point (its name,
// position, radius or stay): read-only route, name too long, point attached to a waypoint,
// or the library's own reason. GUI thread.
#pragma once

#include <QString>
#include <cstdint>

QString RoutePointEditErrorText(int32_t error);
// The message in a warning box with an OK button.
void ShowRoutePointEditError(int32_t error);
