// Which inland water bodies the installed chart sets of the maker's chart line cover, for
// the main viewer: whole bodies as bits of an area mask, partly covered ones as rectangles
// that carry water-body bits (bit n = water body n of the route settings). Derived from
// the codes of the installed chart sets only. GUI thread (the chart manager's).
#pragma once

#include <cstdint>
#include <vector>

class IChartManager;
class IWWNetwork;
class TMarivoNavEnv;
class TNavViewerControl;

// One partly covered region: two corners in radians, the lower latitude first. A side
// that is open is given by a marker (latitude 90.0, longitude 180.0, or 0.0), not a
// real position.
struct TSailingArea {
    int32_t Bits = 0;
    double Lat1 = 0.0, Lon1 = 0.0, Lat2 = 0.0, Lon2 = 0.0;
    bool operator==(const TSailingArea &) const = default;
};

struct TSailingAreas {
    int32_t Mask = 0;
    std::vector<TSailingArea> Areas;  // in the order they are handed to the viewer
};

// Where the areas go; the main viewer control in the program.
class ISailingAreaTarget {
public:
    virtual ~ISailingAreaTarget() = default;
    virtual void AddChartArea(const TSailingArea &area) = 0;
    virtual void SetChartAreaMask(int32_t mask) = 0;
};

// The areas of the chart sets the chart manager has installed (nullptr: none).
TSailingAreas SailingAreasFromCharts(IChartManager *charts);

// Hands the areas to the target: every rectangle, then the mask. Without a waterway
// network nothing is handed over (the target keeps what it had).
void BuildSailingAreas(IChartManager *charts, IWWNetwork *network, ISailingAreaTarget &target);
// The same for the environment's chart manager and network and a viewer control.
void BuildSailingAreas(TMarivoNavEnv &env, TNavViewerControl *viewer);
