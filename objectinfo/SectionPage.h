// The page of a waterway section at a position along it: name and waterway route, distance
// mark, limits, one-way traffic, navigability, remark, permit, dimensions and radio
// channels. Pure: reads the section (owned by the network) and the texts of the current
// language, keeps nothing. GUI thread.
#pragma once

#include <QString>
#include <cstdint>

class IGeodeticCalibration;
class IWWSection;

// The display units and the depth tolerance the page converts with.
struct TSectionPageUnits {
    int32_t UnitDepth = 0x6800B;
    int32_t UnitDistanceSmall = 0x6800B;
    int32_t UnitSpeed = 0x70000;
    // Metres added to a depth for the "Calc. Depth" row; 0 leaves the row out.
    float DepthTolerance = 0.0f;
};

// The compass word (current language) of an angle in radians, 0 east and -pi/2 north.
QString SectionCompassWord(float angleRad);
// A distance mark in metres as whole kilometres and the tenth, truncated ("12.9 km").
QString SectionDistanceMarkText(double metres);

// positionM: metres from the section's start. With a nil calibration directions are those
// of a north-up chart. wholePage: the fragment inside the details template; else the bare
// fragment (the notice page embeds it).
QString BuildSectionPage(IWWSection *section, IGeodeticCalibration *calibration, double positionM,
                         bool wholePage, const TSectionPageUnits &units);
