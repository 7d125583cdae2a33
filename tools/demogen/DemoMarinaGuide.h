// The marina guide of the demo product: guide entries for the demo marinas, two points of
// interest (one with a photo inside the file, one with a page of its own), the guide's
// icons under the names its pages use, and a chart picture per marina.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QJsonArray>
#include <QString>

namespace demo {

struct TNetwork;

// Folder of the guide's icons, relative to the product's folder (ends with "/"); the chart
// pictures are in its "Charts/" folder.
inline const char *MarinaGuideRelFolder = "MarinaGuide/";
inline const char *MarinaGuideEdition = "2014";

// An 8-bit GIF (89a) of the image, colours reduced to a fixed palette.
QByteArray GifBytes(const QImage &image);
// The guide entries of the demo marinas ("marinas" of the point-of-interest file); numbers
// 101, 102, … in the network's order.
QJsonArray DemoMarinaGuideEntries(const TNetwork &net);
// The points of interest besides the marinas; the photo of the first is stored in the file
// (its "picture" is filled in by the writer), the second has a page of its own that shows
// "ferry.png" beside the file.
QJsonArray DemoExtraPoints(const TNetwork &net);
QByteArray DemoPointPhoto();
// The user's own waypoints of the demo set ("Waypoints.db" of the data folder): a light
// with a sector-light link, a harbour office with a telephone number and a mail address in
// its sub-name, and a landing whose link names the first point of interest.
bool WriteDemoUserWaypoints(const TNetwork &net, const QString &file, QString &error);
inline const char *DemoUserDatabaseName = "Marivo5 User Database";

// Icons and chart pictures below productFolder + MarinaGuideRelFolder, and "ferry.png".
bool WriteMarinaGuidePictures(const TNetwork &net, const QString &productFolder, QString &error);

}  // namespace demo
