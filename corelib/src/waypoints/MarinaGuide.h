// Marina-guide entries read from the "marinas" list of a point-of-interest database file
// (see GeoAdds.cpp for the file). Internal to the library: the viewer's object events and
// the add-on data hand the entries out.
#pragma once

#include "KvLibNav6/KvMarinaGuide.h"

#include <QJsonObject>
#include <memory>

namespace kv::marina {

// An entry over one JSON object of the file. Keys are the getter names without "Get"
// ("Name", "City", "PriceBerthNight", "HasDiesel", "DistanceCentre", …); "Lat" and "Lon"
// in degrees, "BoxLength"/"BoxWidth" in metres. An absent key gives the getter's
// "not given" value: empty text, False, −1 (0 for the number, the year codes, the crane
// and the unit code).
std::unique_ptr<IMarinaGuideEntry> EntryFromJson(const QJsonObject &object);

}  // namespace kv::marina
