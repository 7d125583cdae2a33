// Tracks and labels on a printed chart: the polyline, its time marks and the pointed label
// boxes. Positions come through the page calibration; sizes in printer pixels.
#pragma once

#include <KvLibNav6/KvGeodesy.h>
#include <KvLibNav6/KvTracks.h>

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QString>

class QPainter;

// direction +1 points right (the box to the right of p), -1 left.
void DrawPrintLabel(const QString &text, QPoint p, int direction, const QColor &colour,
                    QPainter &canvas);

// Intervals in seconds (0 or less: no such marks); timeOffset in minutes added to UTC for
// the labels. The first labelled mark is the first interval boundary at or after the
// first point (local noon for a daily interval).
void PrintTrack(INavTrack *track, int32_t timeInterval, int32_t pointInterval,
                int32_t timeOffset, IGeodeticCalibration *cal, QPainter &canvas,
                const QFont &font, const QString &startLabel, const QString &endLabel);

// The label of a mark at a local time: "hh:nn", or "yyyy-mm-dd hh:nn" at midnight and
// for daily marks.
QString PrintMarkLabel(double localTime, int32_t timeInterval);
// The local times of the labelled marks from t0 (local) on, before tEnd (local).
std::vector<double> PrintMarkTimes(double t0, double tEnd, int32_t interval);
