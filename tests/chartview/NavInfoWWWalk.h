// The network walk as the network itself answers it: the course along a section and the
// structures ahead with their summed distances, what the waterway block must list.
#pragma once

#include "tests/shell/NavEnvRouteSupport.h"

#include "objectinfo/KvWWNetwork.h"

#include <cmath>
#include <vector>

namespace navinfotest {

// Course over ground along the section at offset, radians from north.
inline float CourseAlong(IWWSection *section, double offset) {
    const TGeoPoint a = routetest::OnSection(section, offset), b = routetest::OnSection(section, offset + 20.0);
    return float(std::atan2((b.Lon - a.Lon) * std::cos(a.Lat), b.Lat - a.Lat));
}

struct TWalked {
    QString Name;
    double Distance;
};
// The structures ahead by the network's own look-up, distances summed.
inline std::vector<TWalked> WalkAhead(IWWSection *section, double position, bool forward, int count) {
    std::vector<TWalked> out;
    double total = 0.0;
    while (section && int(out.size()) < count) {
        double d = 0.0;
        IWWStruct *s = section->FindNextStruct(position, forward, d);
        if (!s) break;
        total += d;
        out.push_back({WWStructGetName(s), total});
        section = s->GetSection();
        position = s->GetSectionPosition() + (forward ? 1.0 : -1.0);
    }
    return out;
}

// A section with at least two structures ahead of its middle either way, and that middle.
inline IWWSection *SectionWithStructuresBothWays(IWWNetwork *network, double &middle) {
    for (int32_t i = 0; IWWSection *s = network->GetSection(i); ++i) {
        const double m = s->GetLength() / 2;
        if (WalkAhead(s, m, true, 2).size() == 2 && WalkAhead(s, m, false, 2).size() == 2) {
            middle = m;
            return s;
        }
    }
    return nullptr;
}

}  // namespace navinfotest
